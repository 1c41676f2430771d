// The bar list's workbook: the rows the list writes into its sheet (texts
// in the columns' units, a picture of each bar's shape), and the whole
// four-sheet export read back from the saved file.

#include "barlist_pages.h"

#include "platform/xlsx/workbook.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tests/support/recordinghost.h"
#include "tests/support/exportedbook.h"
#include "tests/support/generatedbarlist.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

namespace {

namespace xlsx = platform::xlsx;
using Line = CVes_SetupTableLine;

// The list's rows written into the bar-list sheet of a workbook in memory.
class SheetFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        ASSERT_TRUE(book.openTemplate(QStringLiteral("pld.xlt")));
        sheet = book.sheet(u"配料单");
        ASSERT_NE(sheet, nullptr);
    }
    int fill() { return t.fillExcel(*sheet); }
    QString at(int row, int column) const { return sheet->text(row, column); }

    test::HostScope host;
    CVes_SetupTable t;
    xlsx::Workbook book;
    xlsx::Worksheet* sheet = nullptr;
};

TEST_F(SheetFill, EveryRowKeepsItsPlaceAndBarsGetTheirTextsAndPicture)
{
    t.setUnitArray({"1", "2"});
    auto* unit = new Line(int(Line::kUnitLine));
    unit->setUnit(QStringLiteral("1"), QStringLiteral("2"), 0);
    unit->setNull(0);
    t.appendLine(unit);
    test::addElement(t, "KL1", 2);
    Line* bar = test::addBar(t, "1", 3, 20.0f, test::kListStraight, {{"L", 6000}}, 4);
    bar->m_steel.spacing1 = QStringLiteral("150");
    bar->m_steel.spacing2 = QStringLiteral("100");
    bar->m_steel.remark = QStringLiteral("通长\r\n两根");
    t.appendLine(new Line(int(Line::kSteelLine))); // an empty row stays a blank row
    t.Add(QStringList{QStringLiteral("合计")});    // text rows are not written
    test::addPlainBar(t, "2", 2345.0f, 1);

    EXPECT_EQ(fill(), 6 + 1);
    EXPECT_EQ(at(6, 1), QStringLiteral("1～2;  各单元之间钢筋不同"));
    EXPECT_EQ(at(7, 1), QStringLiteral("构件编号："));
    EXPECT_EQ(at(7, 3), QStringLiteral("KL1"));
    EXPECT_EQ(at(7, 6), QStringLiteral("件数："));
    EXPECT_EQ(at(7, 7), QStringLiteral("2件"));

    const QStringList row8 = {at(8, 1), at(8, 2), at(8, 3), at(8, 4), at(8, 6), at(8, 7),
                              at(8, 8), at(8, 9), at(8, 10), at(8, 11)};
    EXPECT_EQ(row8, (QStringList{"1", Steel_GradeDNToExcelString(3, 20.0f, 0), "150\n100", "",
                                 "6000", "4", "8", "48.00", "118.560", "通长\n两根"}));
    for (int c = 1; c <= 11; ++c) {
        EXPECT_EQ(at(9, c), QString()) << c;
        EXPECT_EQ(at(10, c), QString()) << c;
    }
    EXPECT_EQ(at(11, 6), QStringLiteral("2345"));
    EXPECT_EQ(at(11, 8), QStringLiteral("2")); // 2 pieces of KL1

    // One picture per bar with a shape, in column E, 2 and 3 points in.
    ASSERT_EQ(sheet->pictures().size(), 1u);
    const xlsx::Picture& picture = sheet->pictures().front();
    EXPECT_EQ(picture.row, 8);
    EXPECT_EQ(picture.column, 5);
    EXPECT_EQ(picture.left, 2.0);
    EXPECT_EQ(picture.top, 3.0);
    EXPECT_EQ(picture.size, QSize(180, 32));
    // Captions of the template's own units stay.
    EXPECT_EQ(at(5, 6), book.layout().sheets[0].columns[5].caption);
}

TEST_F(SheetFill, AnEmptyListWritesNothingAndAnswersOne)
{
    EXPECT_EQ(fill(), 1);
    EXPECT_TRUE(sheet->pictures().empty());
    EXPECT_EQ(at(6, 1), QString());
}

// Most rows of a long list show one of a few drawings; each picture is still
// its own bar's drawing, and a drawing is made once however many rows show it.
TEST_F(SheetFill, EveryPictureIsItsBarsDrawingAndEqualDrawingsAreMadeOnce)
{
    test::fillGeneratedList(t, 6, 20);
    // Two bars alike but for the mirroring, and a third like the first.
    test::addBar(t, "m1", 3, 16.0f, test::kLBar, {{"L1", 3000}, {"L2", 450}}, 2);
    Line* mirrored = test::addBar(t, "m2", 3, 16.0f, test::kLBar, {{"L1", 3000}, {"L2", 450}}, 2);
    mirrored->m_steel.Mirror(CVes_ReferenceBase::kMirrorLeftRight);
    test::addBar(t, "m3", 3, 16.0f, test::kLBar, {{"L1", 3000}, {"L2", 450}}, 2);
    ASSERT_GE(fill(), 1);

    // Each bar drawn on its own, after the export refreshed it.
    std::vector<QImage> drawn;
    for (int i = 0; i < t.lines().size(); ++i) {
        Line* line = t.lineAt(i);
        if (!line || line->isNull() || !line->isSteelLine())
            continue;
        platform::Bitmap bitmap;
        line->m_steel.ToBitmap(bitmap, 180, 32, nullptr);
        if (!bitmap.isNull())
            drawn.push_back(bitmap.image()->convertToFormat(QImage::Format_ARGB32));
    }
    const std::vector<xlsx::Picture>& pictures = sheet->pictures();
    ASSERT_EQ(pictures.size(), drawn.size());
    ASSERT_GT(pictures.size(), 120u);
    std::set<const char*> made;  // the stored bytes of each drawing made
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage stored = QImage::fromData(pictures[i].png).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(stored, drawn[i]) << "picture " << i;
        made.insert(pictures[i].png.constData());
    }
    // The generated list repeats some bars: their rows show the drawing made
    // first. The mirrored bar is a drawing of its own.
    EXPECT_LT(made.size(), pictures.size() - 1);
    const std::size_t last = pictures.size() - 1;
    EXPECT_NE(pictures[last - 1].png, pictures[last].png);
    EXPECT_EQ(pictures[last - 2].png.constData(), pictures[last].png.constData());
}

struct CutCase {
    int cutUnit;
    bool multi;
    const char* shown;
};

class SheetCutLength : public SheetFill, public ::testing::WithParamInterface<CutCase> {};

TEST_P(SheetCutLength, InTheUnitOfTheColumn)
{
    t.m_units[CVes_SetupTable::kColCutLength] = GetParam().cutUnit;
    if (GetParam().multi) {
        Line* row = test::addBar(t, "1", 3, 16.0f, test::kListStraight, {{"L", 1000}}, 2);
        row->m_steel.setMultiVal(1);
        row->m_steel.setMultiGroup(5);
        row->m_steel.setVarValueE(QStringLiteral("L"), 1400.0);
    } else {
        test::addPlainBar(t, "1", 2345.0f, 1);
    }
    fill();
    EXPECT_EQ(at(6, 6), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetCutLength,
    ::testing::Values(CutCase{CVes_Template::kMillimetre, false, "2345"},
                      CutCase{CVes_Template::kCentimetre, false, "235"},
                      CutCase{CVes_Template::kMetre, false, "2.35"},
                      CutCase{CVes_Template::kMillimetre, true, "1000～1400\n等差:100"},
                      CutCase{CVes_Template::kMetre, true, "1.00～1.40\n等差:0.10"}));

TEST_F(SheetFill, ColumnsInOtherUnitsSayTheirUnitInRowFive)
{
    t.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    t.m_units[CVes_SetupTable::kColCutLength] = CVes_Template::kMetre;
    t.m_units[CVes_SetupTable::kColTotalWeight] = CVes_Template::kTonne;
    Line* row = test::addPlainBar(t, "1", 234.5f, 2); // cm
    row->m_steel.DN = 20.0f;
    fill();
    // The unit on a line of its own, in brackets, as the template's "(mm)".
    EXPECT_EQ(at(5, 5), QStringLiteral("钢筋形状\n(cm)"));
    EXPECT_EQ(at(5, 6), QStringLiteral("断料\n长度\n(m)"));
    EXPECT_EQ(at(5, 9), QStringLiteral("总长\n(m)"));
    EXPECT_EQ(at(5, 10), QStringLiteral("总重\n(t)"));
    EXPECT_EQ(at(6, 6), QStringLiteral("2.35"));
    // 234.5 cm × 2 = 4.69 m; by whole bars 235 cm × 2 × 2.47 kg/m = 0.011609 t.
    EXPECT_EQ(at(6, 9), QStringLiteral("4.69"));
    EXPECT_EQ(at(6, 10), QStringLiteral("0.012"));
}

// The whole export

class BarListExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::canReadWorkbooks())
            GTEST_SKIP() << "unzip is not installed";
        ASSERT_TRUE(folder.isValid());
    }
    // Exports the list and answers the workbook shown to the user.
    QString exportList()
    {
        host->clear();
        t.exportExcel();
        const QStringList opened = host->opened();
        if (opened.size() != 1 || !QFileInfo::exists(opened.first())
            || !opened.first().startsWith(folder.path()))
            return {};
        return opened.first();
    }

    test::ExportFolder folder;
    test::HostScope host;
    CVes_SetupTable t;
};

TEST_F(BarListExport, FourSheetsEachWithItsTitleBlockAndBorders)
{
    test::fillDemoList(t);
    t.getHuizongRules().m_mode = CVes_HuizongRules::kBarRemarkKey;
    const QString path = exportList();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    test::keepForReview(path, QStringLiteral("barlist.xlsx"));
    // The user is told where the workbook went, and nothing else.
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工作簿已保存到：\n") + QDir::toNativeSeparators(path)});
    EXPECT_EQ(t.getHuizongRules().m_mode, CVes_HuizongRules::kAllBars);

    const test::ExportedBook list(path, 1);
    EXPECT_EQ(list.sheetNames(),
              (QStringList{"配料单", "钢筋排序表", "钢筋汇总表", "钢筋接头汇总表"}));
    EXPECT_TRUE(list.workbook().contains(QStringLiteral("activeTab=\"0\""))
                || !list.workbook().contains(QStringLiteral("activeTab")));
    EXPECT_EQ(list.text(QStringLiteral("A1")), QStringLiteral("钢筋配料单"));
    EXPECT_EQ(list.text(QStringLiteral("A2")), QStringLiteral("工程名称：滨江花园3号楼"));
    EXPECT_EQ(list.text(QStringLiteral("A3")), QStringLiteral("施工部位：二层梁柱板"));
    // Text 4 holds only a blank: its row stays empty on the list's sheet.
    EXPECT_EQ(list.text(QStringLiteral("A4")), QString());
    EXPECT_EQ(list.text(QStringLiteral("A6")), QStringLiteral("构件编号："));
    EXPECT_EQ(list.text(QStringLiteral("C6")), QStringLiteral("KL1(2)"));
    EXPECT_EQ(list.text(QStringLiteral("G6")), QStringLiteral("2件"));
    EXPECT_EQ(list.text(QStringLiteral("A7")), QStringLiteral("1"));
    EXPECT_EQ(list.shown(QStringLiteral("F7")), QStringLiteral("3000"));
    // A remark breaks its line at "|", as the list's pages show it.
    EXPECT_EQ(list.text(QStringLiteral("K9")), QStringLiteral("支座负筋\n两端"));
    // 33 rows: bordered A5 to K39.
    for (const char* name : {"A5", "K5", "A39", "K39", "E20"})
        EXPECT_TRUE(list.bordered(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(list.bordered(QStringLiteral("A40")));
    EXPECT_FALSE(list.bordered(QStringLiteral("L6")));
    EXPECT_TRUE(list.sheet().contains(QStringLiteral("<selection activeCell=\"A6\" sqref=\"A6\"/>")));

    // A picture in column E of every bar row, and nowhere else.
    QStringList expected;
    for (int i = 0; i < t.lines().size(); ++i)
        if (t.lineAt(i)->isSteelLine())
            expected << QStringLiteral("E%1").arg(i + 6);
    EXPECT_EQ(list.pictureCells(), expected);
    // Down to the last row, each shape stays clear of its cell's lines.
    EXPECT_EQ(list.picturesOverTheirLines().join(u' ').toStdString(), "");

    struct Derived {
        int index;
        QString title; // the sheet's own
        const char* lastColumn;
    };
    // The bar summary reads as the list's document shows it: 钢筋配料汇总表.
    for (const Derived& d : {Derived{2, CVes_SortBarSheet().m_texts[0].m_formula, "H"},
                             Derived{3, QStringLiteral("钢筋配料汇总表"), "F"},
                             Derived{4, CVes_SLSumaryJTtable().m_texts[0].m_formula, "F"}}) {
        const test::ExportedBook sheet(path, d.index);
        EXPECT_FALSE(d.title.isEmpty());
        EXPECT_EQ(sheet.text(QStringLiteral("A1")), d.title) << d.index;
        EXPECT_EQ(sheet.text(QStringLiteral("A2")), QStringLiteral("工程名称：滨江花园3号楼"));
        EXPECT_EQ(sheet.text(QStringLiteral("A3")), QStringLiteral("施工部位：二层梁柱板"));
        // The derived sheets write rows 3 and 4 even without a value.
        EXPECT_TRUE(sheet.text(QStringLiteral("A4")).startsWith(QStringLiteral("：")));
        const QString last = QString::fromLatin1(d.lastColumn);
        EXPECT_TRUE(sheet.bordered(last + u'5')) << d.index;
        EXPECT_TRUE(sheet.bordered(QStringLiteral("A6"))) << d.index;
        const QChar past(last.at(0).unicode() + 1);
        EXPECT_FALSE(sheet.bordered(QString(past) + u'6')) << d.index;
    }
    // The summaries' own rows, their groups under the caption the pages give.
    const test::ExportedBook summary(path, 3);
    EXPECT_EQ(summary.text(QStringLiteral("A5")), QStringLiteral("构件编号"));
    EXPECT_EQ(test::ExportedBook(path, 4).text(QStringLiteral("A5")), QStringLiteral("构件编号"));
    EXPECT_FALSE(summary.text(QStringLiteral("A6")).isEmpty());
    const std::unique_ptr<CVes_SLSumaryTable> built(t.SummarySTeel(nullptr, 0));
    const int rows = int(built->lines().size());
    EXPECT_TRUE(summary.bordered(QStringLiteral("F%1").arg(rows + 6)));
    EXPECT_FALSE(summary.bordered(QStringLiteral("F%1").arg(rows + 7)));
}

TEST_F(BarListExport, TheSortedSheetHoldsTheBarsInOrderWithTheirShapes)
{
    test::fillDemoList(t);
    const QString path = exportList();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    const std::unique_ptr<CVes_SortBarSheet> built(t.SortSteel(nullptr, CVes_HuizongRules::kAllBars));
    QStringList numbers;
    QStringList pictures;
    for (int i = 0; i < built->lines().size(); ++i) {
        auto* row = dynamic_cast<CVes_SortBarSheetLine*>(built->lines()[i]);
        if (!row || row->isNull() || row->m_isString)
            continue;
        numbers << row->m_steel.number;
        pictures << QStringLiteral("C%1").arg(i + 6);
    }
    ASSERT_GE(numbers.size(), 10);
    const test::ExportedBook sorted(path, 2);
    for (int i = 0, n = 0; i < built->lines().size(); ++i) {
        auto* row = dynamic_cast<CVes_SortBarSheetLine*>(built->lines()[i]);
        if (row && !row->isNull() && !row->m_isString) {
            EXPECT_EQ(sorted.text(QStringLiteral("A%1").arg(i + 6)), numbers[n++]) << i;
        }
    }
    EXPECT_EQ(sorted.pictureCells(), pictures);
    EXPECT_EQ(sorted.picturesOverTheirLines().join(u' ').toStdString(), "");
    EXPECT_TRUE(sorted.bordered(QStringLiteral("H%1").arg(built->lines().size() + 6)));
    // The summaries show no pictures.
    EXPECT_TRUE(test::ExportedBook(path, 3).pictureCells().isEmpty());
    EXPECT_TRUE(test::ExportedBook(path, 4).pictureCells().isEmpty());
}

TEST_F(BarListExport, AnEmptyListGivesTheFrameOfEverySheet)
{
    t.clearnAllLine();
    t.m_texts[3].m_formula.clear();
    const QString path = exportList();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    const test::ExportedBook list(path, 1);
    EXPECT_EQ(list.text(QStringLiteral("A3")), QString());
    EXPECT_TRUE(list.bordered(QStringLiteral("K6")));
    EXPECT_FALSE(list.bordered(QStringLiteral("A7")));
    const test::ExportedBook sorted(path, 2);
    EXPECT_EQ(sorted.text(QStringLiteral("A3")), QStringLiteral("施工部位："));
    EXPECT_TRUE(sorted.bordered(QStringLiteral("H6")));
    EXPECT_FALSE(sorted.bordered(QStringLiteral("A7")));
}

// A made-up list of every shape gives, member for member, the workbook the
// fixture recorded. After an intended change of the workbook the fixture is
// written anew by running this test with RODO_RECORD_EXPORT_FIXTURE set to
// its path.
TEST_F(BarListExport, AGeneratedListGivesTheWorkbookRecorded)
{
    test::fillGeneratedList(t, 3, 14);
    t.refreshCurPage();
    const QString path = exportList();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    const QStringList written = test::workbookDigests(path);
    const QStringList expected = test::recordedLines(
        QStringLiteral(RODO_FIXTURES_DIR "/export_generated.sha1"), "RODO_RECORD_EXPORT_FIXTURE", written);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(written.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

TEST_F(BarListExport, AMissingTemplateIsAMessageAndNothingElse)
{
    test::fillDemoList(t);
    const QString file = xlsx::templatePath(QStringLiteral("pld.xlt"));
    ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    const QString moved = file + QStringLiteral(".away");
    ASSERT_TRUE(QFile::rename(file, moved));
    EXPECT_TRUE(exportList().isEmpty());
    EXPECT_EQ(host->messageTexts(), QStringList{xlsx::createFailedText()});
    EXPECT_TRUE(host->opened().isEmpty());
    ASSERT_TRUE(QFile::rename(moved, file));
}

TEST_F(BarListExport, AWorkbookThatCannotBeWrittenIsAMessage)
{
    test::fillDemoList(t);
    // The temporary folder is a file: nothing can be made in it.
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    const QByteArray old = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(notAFolder.fileName()));
    host->clear();
    t.exportExcel();
    qputenv("TMPDIR", old);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().startsWith(QStringLiteral("工作簿无法保存到：")));
    EXPECT_TRUE(host->opened().isEmpty());
}

} // namespace
