// The read-only summary sheets: the quantity, joint and purchase summaries.
// Their columns in both languages, how a page of text rows is drawn (on
// screen and on paper) and how the rows reach a workbook.

#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/steeljinhuosumarytable.h"

#include "core/geometry/steeltext.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"
#include "tables/framework/tabletextline.h"
#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using platform::DcOp;
using platform::Rect;

namespace {

struct SheetKind {
    const char* name;
    std::function<std::unique_ptr<SummaryTextTable>()> make;
    unsigned int type;
    const char* title;
    QStringList chinese;
    QStringList english;
    QList<int> widths;
    QList<int> units;
    unsigned int firstAlign;
};

const SheetKind kKinds[] = {
    {"Quantity", [] { return std::make_unique<CVes_SLSumaryTable>(); }, 31, "钢筋用量汇总表",
     {"钢筋部位", "序号", "钢筋规格", "总长度", "总重量", "备注"},
     {"Bar Loc", "No.", "Diam", "Total Length", "Total Weight", "Remarks"},
     {24, 8, 10, 15, 16, 30}, {-1, -1, -1, 2, 4, -1}, CVes_Cell::kAlignLeft},
    {"Joint", [] { return std::make_unique<CVes_SLSumaryJTtable>(); }, 32, "钢筋接头类型汇总表",
     {"钢筋部位", "序号", "接头类型", "接头规格", "接头数量", "备注"},
     {"Bar Loc", "No.", "Connect Style", "Diam", "Num", "Remarks"},
     {20, 10, 20, 15, 15, 20}, {-1, -1, -1, -1, -1, -1}, CVes_Cell::kAlignLeft},
    {"Purchase", [] { return std::make_unique<CVes_SteelJinHuoSumaryTable>(); }, 6,
     "钢筋进（提）货单", {"序号", "钢筋规格", "总长度", "原材定尺", "原材数量", "总重量", "备注"},
     {"No.", "Diam", "Total Length", "Material Length", "Material num", "Total Weight",
      "Remarks"},
     {10, 15, 0, 15, 15, 22, 22}, {-1, -1, 2, 2, -1, 4, -1}, CVes_Cell::kAlignCentre},
};

class SummarySheet : public testing::TestWithParam<SheetKind> {
protected:
    void SetUp() override { sheet = GetParam().make(); }

    // Draws the first page on a screen or a printer at the zoom.
    std::vector<platform::DcRecord> drawPage(bool printing, double zoom)
    {
        platform::RecordingDc::Device device;
        device.printing = printing;
        platform::RecordingDc dc(device);
        sheet->setScale(zoom);
        sheet->firstPage();
        sheet->Draw(&dc, Rect(0, 0, 1200, 900));
        return dc.records();
    }
    CVes_Cell* cell(int row, int column) const { return sheet->getForm()->GetCell(row, column); }

    std::unique_ptr<SummaryTextTable> sheet;
};

TEST_P(SummarySheet, NewSheetHasItsLayout)
{
    const SheetKind& kind = GetParam();
    EXPECT_EQ(sheet->getTableType(), kind.type);
    EXPECT_EQ(sheet->m_texts[0].m_formula, QString::fromUtf8(kind.title));
    EXPECT_EQ(sheet->m_captions, kind.chinese);
    EXPECT_EQ(sheet->m_widths, kind.widths);
    EXPECT_EQ(sheet->m_units, kind.units);
    EXPECT_EQ(sheet->getColumnNum(), int(kind.chinese.size()));
    EXPECT_EQ(sheet->m_topMargin, 25);
    EXPECT_EQ(sheet->m_bottomMargin, 20);
    EXPECT_EQ(sheet->m_leftMargin, 25);
    EXPECT_EQ(sheet->m_rightMargin, 20);
    EXPECT_EQ(sheet->m_tableTextHeight, 4);
    EXPECT_EQ(sheet->getRowNum(), 28);
    // The title is centred over the paper at the top margin.
    EXPECT_EQ(sheet->m_texts[0].m_position.ToPoint(), QPoint(sheet->getRealW() * 5, 250));
    EXPECT_NE(sheet->getForm(), nullptr);
}

TEST_P(SummarySheet, EnglishCaptionsAndBackToChinese)
{
    const SheetKind& kind = GetParam();
    sheet->setLanguage(1);
    EXPECT_EQ(sheet->m_captions, kind.english);
    EXPECT_EQ(sheet->m_language, 1u);
    sheet->setLanguage(7);
    EXPECT_EQ(sheet->m_captions, kind.chinese);
    EXPECT_EQ(sheet->m_language, 7u);
}

TEST_P(SummarySheet, RowsFillAtMostEightCellsAndShortRowsLeaveTheRestEmpty)
{
    sheet->Add({"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    sheet->Add({"x"});
    EXPECT_EQ(sheet->isModified(), 1);
    drawPage(false, 1.0);
    const int columns = sheet->getForm()->GetColumnCount();
    for (int c = 0; c < columns; ++c)
        EXPECT_EQ(cell(1, c)->text(), QString(QChar(u'a' + c))) << c;
    EXPECT_EQ(cell(2, 0)->text(), "x");
    EXPECT_EQ(cell(2, 1)->text(), "");
    EXPECT_EQ(cell(1, 0)->textAlign(), GetParam().firstAlign);
    EXPECT_EQ(cell(1, 1)->textAlign(), CVes_Cell::kAlignCentre);
}

// The text height follows the zoom on screen and never on paper.
TEST_P(SummarySheet, PrintedTextHeightIgnoresTheScreenZoom)
{
    sheet->Add({"1", "2"});
    drawPage(true, 2.0);
    EXPECT_EQ(cell(1, 1)->getTxtHigh(), 40);
    drawPage(false, 1.0);
    const int screen = cell(1, 1)->getTxtHigh();
    drawPage(false, 2.0);
    EXPECT_EQ(cell(1, 1)->getTxtHigh(), int(40 * sheet->m_drawScale));
    EXPECT_GT(cell(1, 1)->getTxtHigh(), screen);
}

TEST_P(SummarySheet, CurrentCellIsMarkedOnScreenOnly)
{
    sheet->Add({"1", "2", "3"});
    sheet->Add({"4", "5", "6"});
    sheet->firstPage();
    sheet->setCurRow(2);
    sheet->setCurCol(1);
    drawPage(false, 1.0);
    EXPECT_EQ(cell(2, 1)->drawsBackground(), 1);
    EXPECT_EQ(cell(2, 1)->backgroundColor(), platform::gdi::RGB(255, 255, 140));
    EXPECT_EQ(cell(2, 0)->drawsBackground(), 0);
    drawPage(true, 1.0);
    EXPECT_EQ(cell(2, 1)->drawsBackground(), 0);
}

TEST_P(SummarySheet, CoverPageDrawsNoRows)
{
    sheet->Add({"ROWTEXT"});
    sheet->initTableCover();
    sheet->setPageTo(0, 1);
    ASSERT_EQ(sheet->getCurPage(), 0);
    platform::RecordingDc dc;
    sheet->Draw(&dc, Rect(0, 0, 1200, 900));
    for (const platform::DcRecord& record : dc.records())
        EXPECT_FALSE(record.text.contains(QStringLiteral("ROWTEXT")));
}

TEST_P(SummarySheet, WorkbookRowsStartAtSixAndEndAfterTheLastRow)
{
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    sheet->Add({"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    sheet->Add({});
    sheet->Add({"z"});
    EXPECT_EQ(sheet->fillExcel(book), 4);
    EXPECT_EQ(book.text(6, 1), "a");
    EXPECT_EQ(book.text(6, 8), "h");
    EXPECT_EQ(book.text(6, 9), "") << "only eight texts are written";
    EXPECT_EQ(book.text(8, 1), "z");
}

INSTANTIATE_TEST_SUITE_P(Kinds, SummarySheet, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<SheetKind>& info) {
                             return std::string(info.param.name);
                         });

// The workbook texts of each kind

TEST(SummaryWorkbook, GradeEscapesBecomeGradeCharactersInTheSummaries)
{
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    CVes_SLSumaryTable sheet;
    sheet.Add({QString(), "1", "%%C20"});
    sheet.fillExcel(book);
    // The letter a detailer types for HRB400, which every font shows.
    EXPECT_EQ(book.text(6, 3), "C20");
}

// A note longer than its narrow column spans the blank columns beside it,
// as on the printed page, instead of being cut at both edges; the group
// column keeps the caption its pages print.
TEST(SummaryWorkbook, ALongNoteSpansTheBlankColumnsBesideIt)
{
    platform::xlsx::SheetTemplate layout{QStringLiteral("S"), false, {}};
    for (const double width : {18.0, 7.0, 12.0, 14.0, 14.0, 24.0})
        layout.columns.push_back({width, QString(), platform::xlsx::Align::Center});
    platform::xlsx::Worksheet book(layout);
    CVes_SLSumaryTable sheet;
    sheet.m_captions[0] = QStringLiteral("构件编号");
    sheet.Add({"各规格合计", "(含损耗=2.5%,2.5%)"});
    sheet.Add({QString(), "1", "%%C20", "12.00", "29.592", "原材未定价"});
    sheet.fillExcel(book);
    // 18 bytes and one unit of room: 7 + 12.
    EXPECT_EQ(book.merges(), (std::map<std::pair<int, int>, int>{{{6, 2}, 3}}));
    EXPECT_EQ(book.text(5, 1), "构件编号");
}

TEST(SummaryWorkbook, PurchaseDropsThePercentSigns)
{
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    CVes_SteelJinHuoSumaryTable sheet;
    sheet.Add({"1", "%%C20", "", "9", "2根"});
    EXPECT_EQ(sheet.fillExcel(book), 2);
    EXPECT_EQ(book.text(6, 2), "C20");
    EXPECT_EQ(book.text(5, 6), "") << "the purchase summary writes no caption";
}

// The export of each kind

struct ExportCase {
    const char* name;
    std::function<std::unique_ptr<SummaryTextTable>()> make;
    const char* sheet; // the worksheet of its template
    int sheetIndex;    // its place in the workbook, from 1
    const char* lastColumn;
    const char* secondCaption;
    const char* sizeText; // the exported size "%%C20"
    int projectText;      // the heading text that names the project
    const char* projectCell; // where the workbook writes it
};

void PrintTo(const ExportCase& c, std::ostream* os) { *os << c.name; }

class SummaryExport : public testing::TestWithParam<ExportCase> {};

TEST_P(SummaryExport, GoesToItsOwnSheetWithItsCaptions)
{
    if (!test::canReadWorkbooks())
        GTEST_SKIP() << "unzip is not installed";
    const ExportCase& c = GetParam();
    test::ExportFolder folder;
    ASSERT_TRUE(folder.isValid());
    test::HostScope host;
    std::unique_ptr<SummaryTextTable> sheet = c.make();
    CVes_Variable& project = sheet->m_texts[std::size_t(c.projectText)];
    project.m_formula = QStringLiteral("综合楼");
    sheet->Add({"1", "%%C20", "12.00", "9", "2", "100.000", "x"});
    sheet->exportExcel();

    ASSERT_EQ(host->opened().size(), 1);
    // The user is told where the workbook went, and nothing else.
    EXPECT_EQ(host->messageTexts(),
              QStringList{QStringLiteral("工作簿已保存到：\n") + QDir::toNativeSeparators(host->opened().first())});
    const test::ExportedBook book(host->opened().first(), c.sheetIndex);
    ASSERT_EQ(book.sheetNames().value(c.sheetIndex - 1), QString::fromUtf8(c.sheet));
    EXPECT_EQ(book.text("A1"), sheet->m_texts[0].m_formula);
    EXPECT_FALSE(project.m_text.isEmpty());
    EXPECT_EQ(book.text(QString::fromLatin1(c.projectCell)), project.m_text + QStringLiteral("：综合楼"));
    EXPECT_EQ(book.text("B5"), QString::fromUtf8(c.secondCaption));
    EXPECT_EQ(book.text("A6"), "1");
    EXPECT_EQ(book.text("B6"), QString::fromUtf8(c.sizeText));
    // The borders reach from A5 to the last column, one row below the row.
    const QString last = QString::fromLatin1(c.lastColumn);
    EXPECT_TRUE(book.bordered("A5"));
    EXPECT_TRUE(book.bordered(last + "7"));
    EXPECT_FALSE(book.bordered(QChar(last.front().unicode() + 1) + QStringLiteral("5")));
}

QString excelSize()
{
    QString text = QStringLiteral("%%C20");
    Steel_ReplaceTableStringToExcelString(text);
    return text;
}

const std::string kExcelSize = excelSize().toStdString();

INSTANTIATE_TEST_SUITE_P(
    Kinds, SummaryExport,
    testing::Values(
        ExportCase{"Quantity", [] { return std::make_unique<CVes_SLSumaryTable>(); },
                   "钢筋用量汇总表", 2, "F", "序号", kExcelSize.c_str(), 2, "A2"},
        ExportCase{"Joint", [] { return std::make_unique<CVes_SLSumaryJTtable>(); },
                   "钢筋接头汇总表", 3, "F", "序号", kExcelSize.c_str(), 2, "A2"},
        ExportCase{"Purchase", [] { return std::make_unique<CVes_SteelJinHuoSumaryTable>(); },
                   "钢筋进（提）货单", 1, "G", "钢筋规格", "C20", 3, "A3"}),
    [](const testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

TEST(SummaryExport, PurchaseHidesTheTotalLengthColumn)
{
    if (!test::canReadWorkbooks())
        GTEST_SKIP() << "unzip is not installed";
    test::ExportFolder folder;
    test::HostScope host;
    CVes_SteelJinHuoSumaryTable sheet;
    sheet.Add({"1", "%%C20", "12.00", "9", "2", "100.000", "x"});
    sheet.exportExcel();
    ASSERT_EQ(host->opened().size(), 1);
    const test::ExportedBook book(host->opened().first(), 1);
    const QRegularExpression column(QStringLiteral("<col min=\"3\" max=\"3\"[^>]*>"));
    const QString col = column.match(book.sheet()).captured(0);
    EXPECT_TRUE(col.contains(QStringLiteral("hidden=\"1\"")) || col.contains(QStringLiteral("width=\"0\"")))
        << col.toStdString();
}

struct WeightCaptionCase {
    const char* name;
    int unit;
    // Row 5, column E (the sheet keeps line breaks as "\n"); empty: left as
    // the template has it.
    const char* caption;
};

class WeightCaption : public testing::TestWithParam<WeightCaptionCase> {};

TEST_P(WeightCaption, UnitOtherThanKilogramsGoesIntoTheCaption)
{
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    CVes_SLSumaryTable sheet;
    sheet.m_units[CVes_SLSumaryTable::kColWeight] = GetParam().unit;
    sheet.fillExcel(book);
    EXPECT_EQ(book.text(5, 5), QString::fromUtf8(GetParam().caption));
}

INSTANTIATE_TEST_SUITE_P(Units, WeightCaption,
                         testing::Values(WeightCaptionCase{"Kilograms", 4, ""},
                                         WeightCaptionCase{"Grams", 3, "总重量\n(g)"},
                                         WeightCaptionCase{"Tonnes", 5, "总重量\n(t)"},
                                         WeightCaptionCase{"Metres", 2, "总重量"}),
                         [](const testing::TestParamInfo<WeightCaptionCase>& info) {
                             return std::string(info.param.name);
                         });

// The hidden total-length column of the purchase summary is not drawn.
TEST(PurchaseSummary, HiddenLengthColumnIsNotDrawn)
{
    CVes_SteelJinHuoSumaryTable sheet;
    sheet.Add({"1", "C20", "HIDDEN", "9", "2根", "44.460", "177.84 元"});
    sheet.firstPage();
    platform::RecordingDc dc;
    sheet.Draw(&dc, Rect(0, 0, 1200, 900));
    bool sawShown = false;
    for (const platform::DcRecord& record : dc.records()) {
        EXPECT_FALSE(record.text.contains(QStringLiteral("HIDDEN")));
        sawShown = sawShown || record.text.contains(QStringLiteral("2根"));
    }
    EXPECT_TRUE(sawShown);
}

} // namespace
