// A graded bar reads alike on every sheet: bars a group first, then groups.
// The bar: 20 mm, 2000 to 3000 mm in steps of 250, so five bars a group
// (2000, 2250, 2500, 2750, 3000), two groups a piece, three pieces: six
// groups, thirty bars, 30 × 2.5 m = 75 m, 75 m × 2.47 kg/m = 185.25 kg.

#include "tables/barlist/setuptable.h"

#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/processing/processtableeditline.h"
#include "tables/processing/processtablelistline.h"
#include "tables/processing/processtexts.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barlist_pages.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

const QString kGroups = QStringLiteral("5支/组\n共6组");

class GradedBar : public testing::Test {
protected:
    void SetUp() override
    {
        list.clearnAllLine();
        list.m_rowNum = 10;
        test::addElement(list, "KL1", 3);
        CVes_Steel bar;
        bar.setRecordId(test::kListStraight);
        bar.setDN(20.0f);
        bar.grade = 3;
        bar.number = QStringLiteral("1");
        bar.count = 2;
        bar.setMultiVal(1);
        bar.setMultiGroup(5);
        bar.setVarValue(QStringLiteral("L"), 2000.0);
        bar.setVarValueE(QStringLiteral("L"), 3000.0);
        bar.getFirstMidConnect()->stat = 0;
        list.Add(bar);
        list.setPageTo(1, 1);
        list.setLiaoPaiType(1);
    }

    // The bar again in the element, under another number.
    void addSameBar(const char* number, int count)
    {
        CVes_Steel again(static_cast<CVes_SetupTableLine*>(list.lines()[1])->m_steel);
        again.number = QString::fromUtf8(number);
        again.count = count;
        list.Add(again);
    }

    // The bar's row of a processing sheet made from the list.
    void makeProcessing()
    {
        processing.clearnAllLine();
        processing.import(list.transformProcess(0, 1));
    }
    CVes_ProcessSteel* processingBar()
    {
        for (CVes_TableBaseLine* line : processing.lines()) {
            auto* row = dynamic_cast<CVes_ProcessTableEditLine*>(line);
            if (row && !row->isNull() && row->getType() == CVes_ProcessTableEditLine::kSteelRow)
                return row->getProcessSteel();
        }
        return nullptr;
    }

    CVes_SetupTable list;
    CVes_ProcessTable processing;
};

TEST_F(GradedBar, TheBarListPage)
{
    test::LaidOutPage page(list, true);
    EXPECT_EQ(page.text(2, CVes_SetupTable::kColCutLength), "2000～3000\n△250");
    EXPECT_EQ(page.text(2, CVes_SetupTable::kColCount), "5支/组\n共2组");
    EXPECT_EQ(page.text(2, CVes_SetupTable::kColTotalCount), kGroups);
    EXPECT_EQ(page.text(2, CVes_SetupTable::kColTotalLength), "75.00");
    EXPECT_EQ(page.text(2, CVes_SetupTable::kColTotalWeight), "185.250");
}

TEST_F(GradedBar, TheSortedSheet)
{
    std::unique_ptr<CVes_SortBarSheet> sorted(list.SortSteel(nullptr, 0));
    CVes_BarCore* bar = sorted->lines()[0]->getSteel();
    ASSERT_NE(bar, nullptr);
    const CVes_SortBarSheet::BarTexts texts = sorted->barTexts(*bar);
    EXPECT_EQ(texts.cutLength, "2000～3000\n等差:250");
    EXPECT_EQ(texts.count, "5根/组\n共6组");
    EXPECT_EQ(texts.totalLength, "75.00");
    EXPECT_EQ(texts.weight, "185.250");
}

TEST_F(GradedBar, TheQuantitySheet)
{
    CVes_SLTable sheet;
    sheet.clearnAllLine();
    for (CVes_SLTableLine* row : list.transformSL(0))
        sheet.appendLine(row);
    CVes_SLTableLine* row = sheet.lineAt(1);
    ASSERT_NE(row, nullptr);
    const CVes_SLTable::BarTexts texts = sheet.barTexts(*row->getSLSteel(), 3, false);
    EXPECT_EQ(texts.cutLength, "2000～3000\n等差:250");
    EXPECT_EQ(texts.count, "5支/组\n共2组");
    EXPECT_EQ(texts.totalCount, kGroups);
    EXPECT_DOUBLE_EQ(texts.totalLength, 75.0);
}

TEST_F(GradedBar, TheProcessingSheetAndItsSummary)
{
    makeProcessing();
    CVes_ProcessSteel* bar = processingBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(processtext::countText(*bar), kGroups);
    EXPECT_EQ(processtext::lengthText(*bar, 1.0, 1.0, CVes_Template::kMillimetre),
              "2000～3000\n等差:250");

    std::unique_ptr<CVes_ProcessListTable> summary(processing.toListSheet(nullptr));
    const auto* row = dynamic_cast<CVes_ProcessTableListLine*>(summary->lines().value(0));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(processtext::countText(*row->getProcessSteel()), kGroups);
}

TEST_F(GradedBar, TheBarTagsOfTheListAndOfTheProcessingSheet)
{
    std::unique_ptr<CVes_LiaoPaiTable> tags(list.toLiaoPaiTable(nullptr));
    ASSERT_EQ(tags->m_lpList.size(), 1u);
    EXPECT_EQ(tags->m_lpList[0].texts().value(7), "5/6");
    EXPECT_EQ(tags->m_lpList[0].texts().value(10), "185.25");

    makeProcessing();
    processing.setLiaoPaiType(1);
    std::unique_ptr<CVes_LiaoPaiTable> processingTags(processing.toLiaoPaiTable(nullptr));
    ASSERT_EQ(processingTags->m_lpList.size(), 1u);
    EXPECT_EQ(processingTags->m_lpList[0].texts().value(7), "5/组 共6组");
    EXPECT_EQ(processingTags->m_lpList[0].texts().value(10), "185.25");
}

// The texts of a column of a workbook's sheet, rows 6 to 30.
QStringList columnTexts(const test::ExportedBook& book, char column)
{
    QStringList texts;
    for (int row = 6; row <= 30; ++row) {
        const QString text = book.text(QStringLiteral("%1%2").arg(QChar(column)).arg(row));
        if (!text.isEmpty())
            texts << text;
    }
    return texts;
}

TEST_F(GradedBar, TheProcessingWorkbook)
{
    if (!test::canReadWorkbooks())
        GTEST_SKIP() << "unzip is not installed";
    test::ExportFolder folder;
    test::HostScope host;
    makeProcessing();
    processing.exportExcel();
    ASSERT_EQ(host->opened().size(), 1) << host->messageTexts().join(u'|').toStdString();
    const QString path = host->opened().first();
    EXPECT_TRUE(columnTexts(test::ExportedBook(path, 1), 'F').contains(kGroups));
    EXPECT_TRUE(columnTexts(test::ExportedBook(path, 2), 'E').contains(kGroups));
}

// The same bar again in the element, one group a piece: with 构件内相同钢筋归并
// the element's 2 + 1 groups a piece make one bar of 9 groups, 45 bars,
// 112.5 m, 277.88 kg; with 相同料牌按件数拆分 a bar of 3 groups for each of the
// three pieces.
struct TagMergeCase {
    const char* what;
    int merge;
    int split;
    QStringList counts;  // the bar list's tags, in order
    QStringList weights;
};

void PrintTo(const TagMergeCase& c, std::ostream* os)
{
    *os << c.what;
}

class GradedTags : public GradedBar, public testing::WithParamInterface<TagMergeCase> {
protected:
    void SetUp() override
    {
        GradedBar::SetUp();
        addSameBar("2", 1);
        list.setLiaoPaiGuibing(GetParam().merge);
        list.setLiaoPaiEleChaifen(GetParam().split);
    }
    static QStringList column(const CVes_LiaoPaiTable& tags, int text)
    {
        QStringList texts;
        for (const CVes_LiaoPaiTableLine& tag : tags.m_lpList)
            texts << tag.texts().value(text);
        return texts;
    }
};

TEST_P(GradedTags, CountBarsAGroupThenGroupsWithTheTrueWeight)
{
    const TagMergeCase& c = GetParam();
    std::unique_ptr<CVes_LiaoPaiTable> tags(list.toLiaoPaiTable(nullptr));
    EXPECT_EQ(column(*tags, 7), c.counts);
    EXPECT_EQ(column(*tags, 10), c.weights);

    // The processing sheet made from the list tags its bars alike.
    makeProcessing();
    processing.setLiaoPaiType(1);
    std::unique_ptr<CVes_LiaoPaiTable> processingTags(processing.toLiaoPaiTable(nullptr));
    QStringList counts;
    for (const QString& count : c.counts)
        counts << QString(count).replace(u'/', QStringLiteral("/组 共")) + QStringLiteral("组");
    EXPECT_EQ(column(*processingTags, 7), counts);
    EXPECT_EQ(column(*processingTags, 10), c.weights);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, GradedTags,
    testing::Values(TagMergeCase{"merged", 1, 0, {"5/9"}, {"277.88"}},
                    TagMergeCase{"merged_and_split", 1, 1, {"5/3", "5/3", "5/3"},
                                 {"92.63", "92.63", "92.63"}},
                    TagMergeCase{"apart", 0, 0, {"5/6", "5/3"}, {"185.25", "92.63"}},
                    TagMergeCase{"split", 0, 1, {"5/2", "5/2", "5/2", "5/1", "5/1", "5/1"},
                                 {"61.75", "61.75", "61.75", "30.88", "30.88", "30.88"}}));

// The sorted sheet says how many bars each source number brought: bars, not
// groups (30 and 15 bars, not 6 and 3).
TEST_F(GradedBar, TheSortedSheetsSourceNoteCountsBars)
{
    addSameBar("2", 1);
    list.getSortRules().m_mergeSame = 1;
    std::unique_ptr<CVes_SortBarSheet> sorted(list.SortSteel(nullptr, 0));
    QStringList notes;
    for (CVes_TableBaseLine* line : sorted->lines()) {
        auto* row = static_cast<CVes_SortBarSheetLine*>(line);
        if (row->m_isString && row->m_strArray.value(0) == CVes_SortBarSheet::kMergeInfo)
            notes << row->m_strArray.value(1);
    }
    EXPECT_EQ(notes, QStringList{"1(30根); 2(15根)"});
}

} // namespace
