// The workbook a processing sheet exports, read back from the file: both
// worksheets with their title rows, the rows from row 6 (a bar's tags three
// a row on the detail sheet, all in one cell on the summary), the borders,
// the unit captions and the shape pictures; and an export that cannot be
// made is a message.

#include "tests/tables/processing/processing_support.h"

#include "platform/xlsx/workbook.h"
#include "tables/framework/tablehelpers.h"
#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

#include <gtest/gtest.h>

namespace {

using test::EditLine;
using test::ExportedBook;

class ProcessTableExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::canReadWorkbooks())
            GTEST_SKIP() << "unzip is not installed";
        ASSERT_TRUE(m_folder.isValid());
        sheet.m_texts[2].m_formula = QStringLiteral("综合楼");
        sheet.m_texts[3].m_formula = QStringLiteral("JG-01");
        sheet.m_texts[4].m_formula = QString();
    }

    QString exportSheet()
    {
        host->clear();
        sheet.exportExcel();
        const QStringList opened = host->opened();
        if (opened.size() != 1 || !QFileInfo::exists(opened.first()))
            return {};
        return opened.first();
    }

    // Five tags on a bar of 4: "料牌 7.1" … "料牌 7.5" with texts "9m".
    static EditLine* fiveTags()
    {
        auto* line = test::barRow(test::shapedBar("3", test::kStraight, "L", 3000, 4));
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        bar.tags.clear();
        for (int i = 1; i <= 5; ++i)
            bar.AddLp(1, 7, i, QStringLiteral("9m"), 0);
        line->setRows(2);
        return line;
    }

    test::ExportFolder m_folder;
    test::HostScope host;
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

TEST_F(ProcessTableExport, DetailSheetWritesEveryRowFromRowSix)
{
    sheet.appendLine(test::headingRow(EditLine::kProjectRow, QStringLiteral("综合楼")));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1|KL2")));
    sheet.appendLine(fiveTags());
    sheet.appendLine(test::emptyRow());
    auto* remark = test::barRow(test::processBar("4", 3, 12.0f, 2, 1500.0f));
    remark->getProcessSteel()->remark = QStringLiteral("<b>&|两端");
    sheet.appendLine(remark);
    // The page shown when exporting does not matter.
    sheet.setPageTo(1, 1);

    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    // The user is told where the workbook went, and nothing else.
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工作簿已保存到：\n") + QDir::toNativeSeparators(path)});

    const ExportedBook book(path, 1);
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("<sheet name=\"加工明细单\"")));
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("<sheet name=\"加工汇总单\"")));
    EXPECT_EQ(book.text(QStringLiteral("A1")), "钢筋加工明细单");
    EXPECT_EQ(book.text(QStringLiteral("A2")), "工程名称：综合楼");
    EXPECT_EQ(book.text(QStringLiteral("A3")), "加工单号：JG-01");
    EXPECT_EQ(book.text(QStringLiteral("A4")), "加工说明：") << "written even when empty";
    EXPECT_EQ(book.text(QStringLiteral("D5")), "钢筋形状\n(mm)") << "the template's caption";
    EXPECT_EQ(book.text(QStringLiteral("H5")), "原材") << "as the sheet on screen calls it";

    EXPECT_EQ(book.text(QStringLiteral("A6")), "工程名称：综合楼");
    EXPECT_EQ(book.text(QStringLiteral("A7")), "构件编号：KL1\nKL2");
    EXPECT_EQ(book.text(QStringLiteral("B8")), "3");
    EXPECT_EQ(book.shown(QStringLiteral("E8")), "3000");
    EXPECT_EQ(book.shown(QStringLiteral("F8")), "4");
    EXPECT_EQ(book.text(QStringLiteral("G8")), "料牌 7.1\n料牌 7.2\n料牌 7.3");
    EXPECT_EQ(book.text(QStringLiteral("H8")), "9m\n9m\n9m");
    EXPECT_EQ(book.text(QStringLiteral("G9")), "料牌 7.4\n料牌 7.5");
    // The bar's two tag rows, then the empty row, then the next bar.
    EXPECT_EQ(book.text(QStringLiteral("B10")), "");
    EXPECT_EQ(book.text(QStringLiteral("B11")), "4");
    // A remark breaks its line at "|", as the bar list's pages show it.
    EXPECT_EQ(book.text(QStringLiteral("I11")), "&lt;b&gt;&amp;\n两端");

    // Rows 6 to 11: c ends at 7, the border runs from A5 to I12.
    for (const char* name : {"A5", "I5", "A12", "I12"})
        EXPECT_TRUE(book.bordered(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(book.bordered(QStringLiteral("A13")));
    EXPECT_FALSE(book.bordered(QStringLiteral("J12")));
    // A bar without a shape has no picture.
    EXPECT_EQ(book.pictureCells(), (QStringList{"D8"}));
}

TEST_F(ProcessTableExport, SummarySheetHoldsEachBarOnceWithAllItsTags)
{
    sheet.m_filter = 0;
    sheet.appendLine(fiveTags());
    sheet.appendLine(test::barRow(test::processBar("4", 3, 12.0f, 2, 1500.0f)));
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());

    const ExportedBook book(path, 2);
    EXPECT_EQ(book.text(QStringLiteral("A1")), "钢筋加工单");
    EXPECT_EQ(book.text(QStringLiteral("A3")), "加工单号：JG-01");
    QStringList labels;
    for (int i = 1; i <= 5; ++i)
        labels << QStringLiteral("料牌 7.%1").arg(i);
    // The summary is sorted; find the bar with five tags.
    const int row = book.text(QStringLiteral("F6")).count(u'\n') == 4 ? 6 : 7;
    EXPECT_EQ(book.text(QStringLiteral("F%1").arg(row)), labels.join(u'\n'));
    EXPECT_EQ(book.shown(QStringLiteral("E%1").arg(row)), "4");
    EXPECT_EQ(book.shown(QStringLiteral("D%1").arg(row)), "3000");
    for (const char* name : {"A5", "J5", "A8", "J8"})
        EXPECT_TRUE(book.bordered(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(book.bordered(QStringLiteral("K8")));
    EXPECT_EQ(book.pictureCells().size(), 1);
    EXPECT_TRUE(book.pictureCells().contains(QStringLiteral("C%1").arg(row)));
}

// The summary worksheet ends with the totals its page shows: each block's
// caption, the total length and weight of each size and the block's weight,
// then the weight of all blocks; and every bar row has its own total length
// and weight. Lengths and weights are numbers a spreadsheet adds up to the
// page's totals.
TEST_F(ProcessTableExport, SummarySheetEndsWithThePagesTotalsAsNumbers)
{
    sheet.m_filter = CVes_ProcessListTable::kBent | CVes_ProcessListTable::kStraight;
    sheet.m_sortOrder = CVes_ProcessListTable::kSortNone;
    // No shape: bent, 10 m of 12 mm, 8.88 kg.
    sheet.appendLine(test::barRow(test::processBar("1", 3, 12.0f, 10, 1000.0f)));
    // Straight: 6 m of 12 mm (5.328 kg) and 10 m of 20 mm (24.70 kg).
    sheet.appendLine(test::barRow(test::shapedBar("2", test::kStraight, "L", 3000, 2)));
    sheet.appendLine(test::barRow(test::shapedBar("3", test::kStraight, "L", 2000, 5, 3, 20.0f)));
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());
    const ExportedBook book(path, 2);
    EXPECT_EQ(book.text(QStringLiteral("I5")), "总长\n(m)");
    EXPECT_EQ(book.text(QStringLiteral("J5")), "总重\n(kg)");

    struct Row {
        const char* a;
        const char* b; // the grade of a size, as the bar rows write it; empty for none
        const char* length;
        const char* weight;
    };
    const QString c12 = Steel_GradeDNToExcelString(3, 12.0f, 0);
    const QString c20 = Steel_GradeDNToExcelString(3, 20.0f, 0);
    const Row expected[] = {
        {"1", "12", "10.00", "8.9"},
        {"2", "12", "6.00", "5.3"},
        {"3", "20", "10.00", "24.7"},
        {"弯曲（带拐）钢筋合计", "", "", ""},
        {"1", "12", "10.00", "8.9"},
        {"弯曲（带拐）钢筋总重", "", "", "8.9"},
        {"直条钢筋合计", "", "", ""},
        {"1", "12", "6.00", "5.3"},
        {"2", "20", "10.00", "24.7"},
        {"直条钢筋总重", "", "", "30.0"},
        {"合计总重", "", "", "38.9"},
    };
    int row = 6;
    double barWeights = 0;
    for (const Row& r : expected) {
        const auto cell = [&](char column) { return QStringLiteral("%1%2").arg(column).arg(row); };
        SCOPED_TRACE(row);
        EXPECT_EQ(book.text(cell('A')), QString::fromUtf8(r.a));
        const QString grade = *r.b ? (QLatin1String(r.b) == "12" ? c12 : c20) : QString();
        EXPECT_EQ(book.text(cell('B')), grade);
        for (const auto& [column, shown] : {std::pair{'I', r.length}, std::pair{'J', r.weight}}) {
            EXPECT_EQ(book.shown(cell(column)), QString::fromUtf8(shown));
            EXPECT_EQ(book.number(cell(column)).has_value(), *shown != 0) << column;
        }
        if (row <= 8)
            barWeights += book.number(cell('J')).value_or(0);
        ++row;
    }
    EXPECT_TRUE(book.text(QStringLiteral("A%1").arg(row)).isEmpty());
    // The long captions read whole over the blank cells beside them.
    for (const int caption : {9, 11, 12, 15})
        EXPECT_TRUE(book.merges().filter(QStringLiteral("A%1:").arg(caption)).size() == 1)
            << caption << " " << book.merges().join(u' ').toStdString();
    // The bars' weights add up to the grand total.
    EXPECT_NEAR(barWeights, *book.number(QStringLiteral("J16")), 1e-9);
    for (const char* name : {"A5", "J5", "A17", "J17"})
        EXPECT_TRUE(book.bordered(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(book.bordered(QStringLiteral("K17")));
}

TEST_F(ProcessTableExport, UnitCaptionsSayTheUnitsThatAreNotMillimetres)
{
    sheet.m_units[CVes_ProcessTable::kColShape] = CVes_Template::kMetre;
    sheet.m_units[CVes_ProcessTable::kColLength] = CVes_Template::kCentimetre;
    sheet.appendLine(test::barRow(test::processBar("1", 3, 12.0f, 2, 1500.0f)));
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());
    const ExportedBook book(path, 1);
    // The unit on a line of its own, in brackets like the template's "(mm)".
    EXPECT_EQ(book.text(QStringLiteral("D5")), "钢筋形状\n(m)");
    EXPECT_EQ(book.text(QStringLiteral("E5")), "断料\n长度\n(cm)");
}

TEST_F(ProcessTableExport, TenSingleRowsAreBorderedToRowSixteen)
{
    for (int i = 1; i <= 10; ++i)
        sheet.appendLine(test::barRow(test::processBar("1", 3, 12.0f, 2, 1500.0f)));
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());
    const ExportedBook book(path, 1);
    EXPECT_TRUE(book.bordered(QStringLiteral("I16")));
    EXPECT_FALSE(book.bordered(QStringLiteral("I17")));
}

TEST_F(ProcessTableExport, MissingTemplateIsAMessageAndNoWorkbook)
{
    const QString path = platform::xlsx::templatePath(QStringLiteral("jgd"));
    const QString aside = path + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(path, aside));
    sheet.appendLine(test::barRow(test::processBar("1", 3, 12.0f, 2, 1500.0f)));
    sheet.exportExcel();
    QFile::rename(aside, path);
    EXPECT_TRUE(host->opened().isEmpty());
    EXPECT_FALSE(host->messageTexts().isEmpty());
    // No picture files are left behind in the temporary folder.
    EXPECT_TRUE(QDir(m_folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
