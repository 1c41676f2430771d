// The pages of the processing sheets as laid into the page form and drawn:
// tags three a form row with their text heights, tags continued on the next
// page, heading rows across the row, the length and count texts, the
// summary's totals, and highlights that never reach paper.

#include "tests/tables/processing/processing_support.h"

#include "envora/rules.h"
#include "platform/recordingdc.h"
#include "tables/framework/form.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtablelistline.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using platform::Rect;
using platform::RGB;
using test::EditLine;

const Rect kSheetClient(0, 0, 1200, 1600);

platform::RecordingDc sheetPrinter()
{
    platform::RecordingDc::Device device;
    device.printing = true;
    return platform::RecordingDc(device);
}

class ProcessTableDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Text height 3 mm at zoom 1.5 in a client of 1200 × 1600: the
        // portrait page is drawn 0.96 × 1600 less its shadow of 9 = 1527 of
        // its 2970 high, so its cells are at 1527 / 2970 × 1.5 = 0.7712 of
        // paper size, as its grid is: h = 23, the last row of tags 30
        // (40 × 0.7712), a graded length 23.
        sheet.m_tableTextHeight = 3;
        sheet.m_zoom = 1.5;
        sheet.m_rowNum = 6;
    }
    EditLine* tagged(const char* number, int tags)
    {
        auto* line = test::barRow(test::processBar(number, 3, 20.0f, tags, 3000.0f));
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        bar.tags.clear();
        for (int i = 1; i <= tags; ++i)
            bar.AddLp(1, 5, i, QStringLiteral("S%1").arg(i), 0);
        line->setRows(bar.resetRows());
        return line;
    }
    void draw(platform::Dc& dc, int page = 1)
    {
        sheet.setPageTo(page, 1);
        sheet.Draw(&dc, kSheetClient);
    }
    CVes_Cell* cell(int row, int column) const { return sheet.getForm()->GetCell(row, column); }
    QString text(int row, int column) const { return cell(row, column)->text(); }
    int height(int row, int column) const { return cell(row, column)->getTxtHigh(); }

    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

TEST_F(ProcessTableDraw, SevenTagsTakeThreeFormRows)
{
    sheet.appendLine(tagged("7", 7));
    sheet.appendLine(test::barRow(test::processBar("8", 3, 12.0f, 2, 1000.0f)));
    platform::RecordingDc dc;
    draw(dc);

    EXPECT_EQ(sheet.getForm()->GetRowCount(), 7) << "a form row for every row unit";
    EXPECT_EQ(text(1, 6), "料牌 5.1\n料牌 5.2\n料牌 5.3");
    EXPECT_EQ(text(2, 6), "料牌 5.4\n料牌 5.5\n料牌 5.6");
    EXPECT_EQ(text(3, 6), "料牌 5.7");
    EXPECT_EQ(text(1, 7), "S1\nS2\nS3");
    EXPECT_EQ(height(1, 6), 23);
    EXPECT_EQ(height(2, 6), 23);
    EXPECT_EQ(height(3, 6), 30);
    // The bar's own cells span its three rows; the next bar follows them.
    EXPECT_EQ(cell(1, 1)->mergeEndRow(), 3);
    EXPECT_EQ(text(1, 1), "7");
    EXPECT_EQ(text(4, 1), "8");
    EXPECT_EQ(sheet.formRowOf(2), 4);

    // A hit in the bar's third form row is a hit on its row.
    const Rect box = sheet.getForm()->GetCellRect(3, 6);
    int row = 0, column = 0;
    ASSERT_TRUE(sheet.HitTest(box.CenterPoint(), row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 6);
    const Rect empty = sheet.getForm()->GetCellRect(6, 6);
    ASSERT_TRUE(sheet.HitTest(empty.CenterPoint(), row, column));
    EXPECT_EQ(row, 4) << "the form row after the last row's stands for the next position";
}

TEST_F(ProcessTableDraw, TagsThatRunOverThePageContinueOnTheNext)
{
    for (int i = 0; i < 5; ++i)
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("E%1").arg(i)));
    sheet.appendLine(tagged("7", 7));
    platform::RecordingDc dc;
    draw(dc, 1);
    EXPECT_EQ(text(6, 6), "料牌 5.1\n料牌 5.2\n料牌 5.3");
    EXPECT_EQ(text(6, 1), "7");

    draw(dc, 2);
    EXPECT_EQ(text(1, 6), "料牌 5.4\n料牌 5.5\n料牌 5.6");
    EXPECT_EQ(text(2, 6), "料牌 5.7");
    EXPECT_EQ(height(2, 6), 30);
    EXPECT_EQ(text(1, 1), "") << "a continued bar shows its tags only";
}

// Six rows a page: an element's heading and five bars fill page 1, its last
// two bars open page 2, which names the element again beside the first.
TEST_F(ProcessTableDraw, APageThatBeginsInsideAnElementNamesItAgain)
{
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1|KL2")));
    for (int i = 1; i <= 7; ++i)
        sheet.appendLine(test::barRow(test::processBar(std::to_string(i).c_str(), 3, 12.0f, 2, 1000.0f)));
    sheet.appendLine(test::headingRow(EditLine::kStoryRow, QStringLiteral("二层")));
    for (int i = 8; i <= 12; ++i)
        sheet.appendLine(test::barRow(test::processBar(std::to_string(i).c_str(), 3, 12.0f, 2, 1000.0f)));
    platform::RecordingDc dc;
    draw(dc, 1);
    EXPECT_EQ(text(1, 0), "构件编号：");
    EXPECT_EQ(text(2, 0), "") << "bars under their heading name nothing";
    draw(dc, 2);
    EXPECT_EQ(text(1, 1), "6");
    EXPECT_EQ(text(1, 0), "KL1\nKL2（续）");
    EXPECT_EQ(text(2, 0), "");
    // A storey row ends the element: page 3 begins with bars of no element.
    draw(dc, 3);
    EXPECT_EQ(text(1, 1), "11");
    EXPECT_EQ(text(1, 0), "");
}

TEST_F(ProcessTableDraw, HeadingRowsTakeTheWholeRow)
{
    sheet.appendLine(test::headingRow(EditLine::kProjectRow, QStringLiteral("综合楼")));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1|KL2")));
    platform::RecordingDc dc;
    draw(dc);
    EXPECT_EQ(text(1, 0), "工程名称：");
    EXPECT_EQ(text(1, 1), "综合楼");
    EXPECT_EQ(cell(1, 1)->textAlign(), CVes_Cell::kAlignLeft);
    EXPECT_EQ(cell(1, 1)->mergeEndColumn(), 8);
    EXPECT_EQ(text(2, 0), "构件编号：");
    EXPECT_EQ(text(2, 1), "KL1\nKL2");

    // With columns 1 to 3 hidden the text still goes into column 1.
    sheet.m_widths[1] = sheet.m_widths[2] = sheet.m_widths[3] = 0;
    draw(dc);
    EXPECT_EQ(text(1, 1), "综合楼");
    sheet.m_widths[1] = 7;
    sheet.m_widths[2] = 0;
    draw(dc);
    EXPECT_EQ(text(1, 1), "综合楼");
}

struct BarTextCase {
    const char* name;
    int count;
    int groups;       // 0: not graded
    double first;     // first and last lengths, mm
    double last;
    int lengthUnit;
    const char* length;
    const char* countText;
};

void PrintTo(const BarTextCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableBarTexts : public ProcessTableDraw,
                             public ::testing::WithParamInterface<BarTextCase> {};

TEST_P(ProcessTableBarTexts, LengthAndCount)
{
    const BarTextCase& c = GetParam();
    // h = trunc(40 × 0.7712) = 30; a graded length is written at 30 × s = 23.
    sheet.m_tableTextHeight = 4;
    sheet.m_units[CVes_ProcessTable::kColLength] = c.lengthUnit;
    CVes_ProcessSteel bar = test::shapedBar("1", test::kStraight, "L", c.first, c.count);
    if (c.groups) {
        bar.setMultiVal(1);
        bar.setMultiGroup(c.groups);
        bar.setVarValueE(QStringLiteral("L"), c.last);
    }
    sheet.appendLine(test::barRow(bar));
    platform::RecordingDc dc;
    draw(dc);
    EXPECT_EQ(text(1, 4), c.length);
    EXPECT_EQ(height(1, 4), c.groups ? 23 : 30);
    EXPECT_EQ(text(1, 5), c.countText);
    EXPECT_EQ(text(1, 8), "");
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ProcessTableBarTexts,
    ::testing::Values(
        BarTextCase{"plain_mm", 4, 0, 3000, 3000, 0, "3000", "4"},
        BarTextCase{"plain_m", 4, 0, 3000, 3000, 2, "3.00", "4"},
        BarTextCase{"graded", 2, 5, 1000, 1400, 0, "1000～1400\n等差:100", "5支/组\n共2组"},
        BarTextCase{"graded_m", 2, 3, 1000, 1500, 2, "1.00～1.50\n等差:0.25", "3支/组\n共2组"},
        BarTextCase{"one_group_steps_nothing", 2, 1, 1000, 1400, 0, "1000～1400\n等差:0",
                    "1支/组\n共2组"},
        BarTextCase{"no_bars", 0, 0, 3000, 3000, 0, "3000", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableDraw, GradeSymbolStandsBesideTheDiameter)
{
    // Grade 3, d 20: the size cell reads the symbol and "20".
    sheet.appendLine(test::barRow(test::processBar("8", 3, 20.0f, 2, 1000.0f)));
    platform::RecordingDc dc;
    draw(dc);
    const auto arcs = dc.records(platform::DcOp::Arc);
    std::optional<platform::DcRecord> size;
    for (const platform::DcRecord& r : dc.records(platform::DcOp::TextOut))
        if (r.text.trimmed() == "20" && r.text.startsWith(u' '))
            size = r;
    ASSERT_TRUE(size.has_value()) << dc.dump().toStdString();
    ASSERT_EQ(arcs.size(), 1u);
    // The text is centred on its point; every byte is half the height wide.
    const int blank = std::abs(size->font.logFont().lfHeight) / 2;
    const int left = size->points.at(0).x() - int(size->text.size()) * blank / 2;
    const int digits = left + int(size->text.indexOf(u'2')) * blank;
    const platform::Rect symbol = arcs[0].rect;
    EXPECT_GT(symbol.left, left);
    EXPECT_LT(symbol.right, digits) << "the symbol ends before the diameter begins";
}

// highlights

std::vector<platform::COLORREF> fillColours(const platform::RecordingDc& dc)
{
    std::vector<platform::COLORREF> colours;
    for (const platform::DcRecord& r : dc.records())
        if (r.op == platform::DcOp::FillRect || r.op == platform::DcOp::FillSolidRect)
            colours.push_back(r.op == platform::DcOp::FillSolidRect
                                  ? platform::COLORREF(r.value)
                                  : r.brush.logBrush().lbColor);
    return colours;
}

bool has(const std::vector<platform::COLORREF>& colours, platform::COLORREF c)
{
    return std::find(colours.begin(), colours.end(), c) != colours.end();
}

TEST_F(ProcessTableDraw, HighlightsShowOnScreenOnly)
{
    sheet.appendLine(tagged("1", 4));
    sheet.appendLine(test::barRow(test::processBar("2", 3, 12.0f, 2, 1000.0f)));
    sheet.lineAt(1)->setLock(1);
    sheet.setPageTo(1, 1);
    sheet.AddSelect(1, 1);
    sheet.setCurRow(2);
    sheet.setCurCol(5);

    platform::RecordingDc screen;
    draw(screen);
    EXPECT_TRUE(cell(1, 3)->drawsBackground());
    EXPECT_EQ(cell(2, 0)->backgroundColor(), RGB(255, 255, 140)) << "the selection's second row";
    EXPECT_EQ(cell(3, 0)->backgroundColor(), RGB(204, 255, 204));
    EXPECT_EQ(cell(3, 5)->backgroundColor(), RGB(224, 254, 8));
    const auto onScreen = fillColours(screen);
    EXPECT_TRUE(has(onScreen, RGB(255, 255, 140)));
    EXPECT_TRUE(has(onScreen, RGB(224, 254, 8)));

    platform::RecordingDc paper = sheetPrinter();
    draw(paper);
    const auto printed = fillColours(paper);
    for (platform::COLORREF c : {RGB(255, 255, 140), RGB(204, 255, 204), RGB(224, 254, 8)})
        EXPECT_FALSE(has(printed, c)) << std::hex << c;
    EXPECT_EQ(height(1, 1), 30) << "printing draws at scale 1";
}

TEST_F(ProcessTableDraw, CoverShowsNoRowsOfTheSheet)
{
    sheet.appendLine(test::barRow(test::processBar("Q8X", 3, 12.0f, 2, 1000.0f)));
    sheet.setFengmian(1);
    sheet.initTableCover();
    platform::RecordingDc dc;
    draw(dc, 1);
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("Q8X")));
    dc.clear();
    sheet.setPageTo(0, 1);
    sheet.Draw(&dc, kSheetClient);
    EXPECT_FALSE(dc.texts().contains(QStringLiteral("Q8X")));
}

// the summary's page

TEST_F(ProcessTableDraw, SummaryRowShowsItsTotalsAndTags)
{
    CVes_ProcessListTable list;
    list.m_tableTextHeight = 4;
    list.m_units[CVes_ProcessListTable::kColWeight] = CVes_Template::kTonne;
    CVes_ProcessSteel bar = test::shapedBar("1", test::kStraight, "L", 3000, 4, 3, 20.0f);
    bar.AddLp(4, 1, 0, QStringLiteral("9m"), 0);
    list.Add(bar);
    list.Add(QStringList{QStringLiteral("直条钢筋合计")});
    list.setPageTo(1, 1);
    list.setCurRow(1);
    list.setCurCol(9);
    platform::RecordingDc dc;
    list.Draw(&dc, kSheetClient);
    CVes_Form& form = *list.getForm();
    EXPECT_EQ(form.GetCell(1, 0)->text(), "1");
    EXPECT_EQ(form.GetCell(1, 5)->text(), "12.00");
    // 12 m × 2.47 kg/m = 29.64 kg, in tonnes.
    EXPECT_EQ(form.GetCell(1, 6)->text(), "0.0");
    EXPECT_EQ(form.GetCell(1, 7)->text(), "料牌 1");
    EXPECT_EQ(form.GetCell(1, 8)->text(), "9m");
    EXPECT_EQ(form.GetCell(2, 0)->text(), "直条钢筋合计");
    EXPECT_EQ(form.GetCell(2, 0)->textAlign(), CVes_Cell::kAlignLeft);
    EXPECT_FALSE(form.GetCell(1, 9)->drawsBackground()) << "column 9 is never highlighted";

    list.m_widths[CVes_ProcessListTable::kColWeight] = 0;
    list.Draw(&dc, kSheetClient);
    EXPECT_EQ(form.GetCell(1, 6)->text(), "") << "a hidden column is not filled";
}

// Every caption of the summary's totals ("弯曲（带拐）钢筋合计", "合计总重")
// runs on over the blank cells beside it, on paper and on screen, at the
// sheet's own text height.
TEST_F(ProcessTableDraw, SummaryCaptionsRunOnOverTheBlankCells)
{
    sheet.appendLine(test::barRow(test::shapedBar("G", test::kStirrup, "A", 300, 2)));
    sheet.appendLine(test::barRow(test::shapedBar("W", test::kBent, "A", 1000, 2)));
    sheet.appendLine(test::barRow(test::shapedBar("Z", test::kStraight, "L", 3000, 2)));
    sheet.m_filter = CVes_ProcessListTable::kStirrups | CVes_ProcessListTable::kBent
        | CVes_ProcessListTable::kStraight;
    std::unique_ptr<CVes_ProcessListTable> list(sheet.toListSheet(nullptr));
    list->setPageTo(1, 1);
    for (const bool printing : {true, false}) {
        platform::RecordingDc::Device device;
        device.printing = printing;
        platform::RecordingDc dc(device);
        list->Draw(&dc, kSheetClient);
        const CVes_Form& form = *list->getForm();
        int captions = 0;
        for (int r = 1; r < form.GetRowCount(); ++r) {
            const CVes_Cell* first = form.GetCell(r, 0);
            const QString caption = first->text();
            if (!caption.endsWith(QStringLiteral("合计")) && !caption.endsWith(QStringLiteral("总重")))
                continue;
            ++captions;
            EXPECT_GE(form.GetDrawnCellRect(r, 0).Width(), first->textWidth(&dc))
                << caption.toStdString() << (printing ? " printed" : " on screen");
            EXPECT_EQ(first->getTxtHigh(), form.GetCell(r, 6)->getTxtHigh()) << caption.toStdString();
        }
        EXPECT_EQ(captions, 7) << "three blocks of two and the grand total";
    }
}

} // namespace
