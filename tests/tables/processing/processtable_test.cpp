// The processing sheet's model: its layout, the undo history, the row
// operations with their selection rules, numbering, the defaults of a new
// bar row, appending and importing.

#include "tests/tables/processing/processing_support.h"

#include "tables/framework/tableclipboard.h"

#include <gtest/gtest.h>

namespace {

using test::EditLine;
using Rows = std::vector<std::string>;

class ProcessTableTest : public ::testing::Test {
protected:
    void SetUp() override { tableClipboard().clear(); }
    void TearDown() override { tableClipboard().clear(); }

    // Bars "1" to "n" (count 1 to n), shown on page 1.
    void bars(int n)
    {
        for (int i = 1; i <= n; ++i)
            sheet.appendLine(test::barRow(
                test::processBar(std::to_string(i).c_str(), 2, 12.0f, i, 1000.0f * i)));
        sheet.firstPage();
        // As after opening a file: the state the first undo step goes back to.
        sheet.resetUndo();
    }
    void select(std::initializer_list<int> rows)
    {
        sheet.clearSelect();
        for (int n : rows)
            sheet.AddSelect(n, 0);
    }
    Rows shown() const
    {
        Rows rows;
        for (const std::string& row : test::lineTexts(sheet))
            if (row != "-")
                rows.push_back(row);
        return rows;
    }

    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

TEST_F(ProcessTableTest, NewSheetHasTheProcessingLayout)
{
    EXPECT_EQ(sheet.getTableType(), 2u);
    EXPECT_EQ(sheet.m_texts[0].m_formula, "钢筋加工明细单");
    const QStringList names = {sheet.m_texts[2].m_text, sheet.m_texts[3].m_text,
                               sheet.m_texts[4].m_text, sheet.m_texts[5].m_text,
                               sheet.m_texts[6].m_text, sheet.m_texts[7].m_text};
    EXPECT_EQ(names, (QStringList{"工程名称", "加工单号", "加工说明", "编制", "加工", "编制日期"}));
    EXPECT_EQ(sheet.m_widths, (QList<int>{15, 7, 7, 22, 7, 6, 12, 8, 16}));
    EXPECT_EQ(sheet.m_units, (QList<int>{-1, -1, -1, 0, 0, -1, -1, -1, -1}));
    EXPECT_EQ(sheet.getRowNum(), 20);
    EXPECT_EQ(sheet.m_filter, 7);
    EXPECT_EQ(sheet.getSortOrder(), 1u);
    EXPECT_EQ(sheet.m_liaoPaiDirect, 3);
    EXPECT_EQ(sheet.haveFengmian(), 0);

    CVes_ProcessListTable list;
    EXPECT_EQ(list.getTableType(), 20u);
    EXPECT_EQ(list.m_texts[0].m_formula, "钢筋加工单");
    EXPECT_EQ(list.m_widths, (QList<int>{7, 7, 18, 9, 7, 11, 11, 12, 8, 10}));
    EXPECT_EQ(list.getRowNum(), 21);
}

// undo

TEST_F(ProcessTableTest, NineEditsKeepEightUndoSteps)
{
    bars(1);
    for (int i = 2; i <= 10; ++i) {
        sheet.lineAt(0)->getProcessSteel()->count = i;
        sheet.AddUndo();
    }
    int undone = 0;
    while (sheet.CanUndo()) {
        sheet.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 8);
    EXPECT_EQ(sheet.lineAt(0)->getProcessSteel()->count, 2);
    sheet.Redo();
    EXPECT_EQ(sheet.lineAt(0)->getProcessSteel()->count, 3);
}

TEST_F(ProcessTableTest, NewEditAfterAnUndoCannotBeRedoneAway)
{
    bars(1);
    sheet.lineAt(0)->getProcessSteel()->count = 5;
    sheet.AddUndo();
    sheet.Undo();
    ASSERT_EQ(sheet.CanRedo(), 1);
    sheet.lineAt(0)->getProcessSteel()->count = 7;
    sheet.AddUndo();
    EXPECT_EQ(sheet.CanRedo(), 0) << "a redo would bring back 5 over the newer 7";
    sheet.Redo();
    EXPECT_EQ(sheet.lineAt(0)->getProcessSteel()->count, 7);
}

TEST_F(ProcessTableTest, UndoKeepsTheSettingsThatAreNotSnapshotted)
{
    bars(2);
    sheet.m_liaoPaiDirect = 1;
    sheet.m_filter = 2;
    sheet.lineAt(1)->setLock(1);
    sheet.AddUndo();
    sheet.lineAt(1)->setLock(0);
    sheet.m_filter = 4;
    sheet.AddUndo();
    sheet.Undo();
    EXPECT_EQ(sheet.lineAt(1)->getLock(), 1);
    EXPECT_EQ(sheet.m_filter, 4) << "the summary's settings are not part of a step";
    EXPECT_EQ(sheet.m_liaoPaiDirect, 1);
}

// inserting

TEST_F(ProcessTableTest, InsertsNeedASelectedRow)
{
    bars(2);
    sheet.clearSelect();
    EXPECT_EQ(sheet.InsertRow(), nullptr);
    EXPECT_EQ(sheet.InsertEleRow(QStringLiteral("KZ1")), nullptr);
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2"}));
    EXPECT_EQ(sheet.CanUndo(), 0);
}

struct HeadingCase {
    const char* name;
    unsigned int kind;
    const char* given;
    const char* expected;
};

void PrintTo(const HeadingCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableHeading : public ProcessTableTest,
                            public ::testing::WithParamInterface<HeadingCase> {};

TEST_P(ProcessTableHeading, GoesBeforeTheFirstSelectedRowWithItsText)
{
    const HeadingCase& c = GetParam();
    bars(3);
    sheet.m_texts[2].m_formula = QStringLiteral("综合楼");
    select({2, 3});
    EditLine* row = nullptr;
    const QString given = QString::fromUtf8(c.given);
    switch (c.kind) {
    case EditLine::kProjectRow: row = sheet.InsertProjectRow(given); break;
    case EditLine::kStoryRow: row = sheet.InsertStoryRow(given); break;
    case EditLine::kEleTypeRow: row = sheet.InsertEleTypeRow(given); break;
    default: row = sheet.InsertEleRow(given); break;
    }
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(sheet.lineAt(1), row);
    EXPECT_EQ(row->getType(), c.kind);
    EXPECT_EQ(row->isNull(), 0);
    EXPECT_EQ(row->getProcessSteel()->isNull(), 1) << "a heading takes no part in numbering";
    EXPECT_EQ(test::rowText(row), c.expected);
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(sheet.isModified(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProcessTableHeading,
    ::testing::Values(HeadingCase{"project", EditLine::kProjectRow, "一号楼", "P:一号楼"},
                      HeadingCase{"project_from_the_title_block", EditLine::kProjectRow, "",
                                  "P:综合楼"},
                      HeadingCase{"storey_without_a_text", EditLine::kStoryRow, "", "S:"},
                      HeadingCase{"element_type", EditLine::kEleTypeRow, "梁", "T:梁"},
                      HeadingCase{"element", EditLine::kEleRow, "KL1", "E:KL1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableTest, NewBarRowTakesTheBarAboveNumberedOn)
{
    sheet.appendLine(test::barRow(test::processBar("A07", 3, 20.0f, 6, 2400.0f)));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL2")));
    sheet.firstPage();
    select({2});
    EditLine* row = sheet.InsertRow();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(sheet.lineAt(1), row);
    const CVes_ProcessSteel& bar = *row->getProcessSteel();
    EXPECT_EQ(bar.number, "A8");
    EXPECT_EQ(bar.count, 6);
    EXPECT_EQ(bar.DN, 20.0f);
    EXPECT_EQ(row->isNull(), 0);

    // With nothing above, the new row keeps a new bar.
    select({1});
    EditLine* first = sheet.InsertRow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getProcessSteel()->number, "");
    EXPECT_EQ(first->isNull(), 0);
}

TEST_F(ProcessTableTest, InsertRowByKindGivesHeadingsOrABar)
{
    bars(1);
    select({1});
    EXPECT_EQ(sheet.InsertRow(EditLine::kStoryRow)->getType(), EditLine::kStoryRow);
    select({1});
    EXPECT_EQ(sheet.InsertRow(7u)->getType(), EditLine::kSteelRow);
    EXPECT_EQ(shown(), (Rows{"x1", "S:", "1x1"})) << "nothing above: a new bar";
    // Shift+Insert: an empty bar row, to be typed into.
    select({1});
    sheet.InsertRow(1);
    EXPECT_EQ(test::lineTexts(sheet).front(), "-");
    EXPECT_EQ(shown(), (Rows{"x1", "S:", "1x1"}));
}

// moving, the clipboard, pages

TEST_F(ProcessTableTest, MovingUpNeedsARowAboveAndDownARowBelow)
{
    bars(3);
    select({1});
    sheet.UpRow();
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2", "3x3"}));
    select({2, 3});
    sheet.UpRow();
    EXPECT_EQ(shown(), (Rows{"2x2", "3x3", "1x1"}));
    EXPECT_EQ(sheet.getSelection(), (QList<int>{1, 2}));
    select({3});
    // Only filler rows follow the last bar; it moves below the first of them.
    sheet.clearNullLineOfEnd();
    sheet.refreshCurPage();
    sheet.DownRow();
    EXPECT_EQ(shown(), (Rows{"2x2", "3x3", "1x1"}));
    select({1, 3});
    sheet.DownRow();
    EXPECT_EQ(shown(), (Rows{"2x2", "3x3", "1x1"})) << "a broken selection does not move";
}

TEST_F(ProcessTableTest, PasteReplacesTheSelectionAndInsertClipKeepsIt)
{
    bars(3);
    select({1});
    sheet.CopyRow();
    select({3});
    ASSERT_EQ(sheet.canPaste(), 1);
    sheet.PasteRow();
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2", "1x1"}));
    // Pasting renumbers: the tags count the available bars in order.
    EXPECT_EQ(sheet.lineAt(2)->getProcessSteel()->tags.at(0).mark, 3);

    select({2});
    sheet.InsertClip();
    EXPECT_EQ(shown(), (Rows{"1x1", "1x1", "2x2", "1x1"}));
    EXPECT_EQ(sheet.lineAt(1)->getProcessSteel()->tags.at(0).mark, 0)
        << "inserting keeps the numbers copied, from before any numbering";
}

TEST_F(ProcessTableTest, CutLeavesLockedRowsAndCanBeUndone)
{
    bars(3);
    sheet.lineAt(1)->setLock(1);
    select({1, 2});
    sheet.CutRow();
    EXPECT_EQ(shown(), (Rows{"2x2", "3x3"}));
    select({2});
    sheet.PasteRow();
    EXPECT_EQ(shown(), (Rows{"2x2", "1x1", "2x2"}));
    sheet.Undo();
    sheet.Undo();
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2", "3x3"}));
}

TEST_F(ProcessTableTest, NothingIsPastedWithoutProcessingRows)
{
    bars(2);
    tableClipboard().setText(QStringLiteral("text"), CVes_TableClipboard::kText);
    select({1});
    EXPECT_EQ(sheet.canPaste(), 0);
    sheet.PasteRow();
    sheet.InsertClip();
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2"}));
}

TEST_F(ProcessTableTest, LastPageIsFilledWithEmptyRows)
{
    bars(3);
    EXPECT_EQ(sheet.lines().size(), 20);
    EXPECT_EQ(sheet.lineAt(19)->isNull(), 1);
    EXPECT_EQ(sheet.lineAt(19)->getProcessSteel()->isNull(), 1);
    sheet.addPage();
    EXPECT_EQ(sheet.getCurPage(), 2);
    EXPECT_EQ(sheet.lines().size(), 40);
}

// numbering

TEST_F(ProcessTableTest, OnlyAvailableBarsUseANumber)
{
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
    sheet.appendLine(test::barRow(test::processBar("1", 2, 12.0f, 2, 3000.0f)));
    sheet.appendLine(test::barRow(test::processBar("2", 0, 12.0f, 2, 3000.0f)));
    auto* many = test::barRow(test::processBar("3", 2, 16.0f, 7, 4000.0f));
    for (int i = 0; i < 6; ++i)
        many->getProcessSteel()->AddLp(1, 9, i + 1, QString(), 0);
    sheet.appendLine(many);
    auto* bare = test::barRow(test::processBar("4", 2, 16.0f, 1, 1000.0f));
    bare->getProcessSteel()->tags.clear();
    bare->setRows(0);
    sheet.appendLine(bare);
    sheet.regenData();

    const auto mark = [&](int i) { return sheet.lineAt(i)->getProcessSteel()->tags.at(0).mark; };
    EXPECT_EQ(mark(1), 1);
    EXPECT_EQ(mark(2), -1) << "grade 0";
    EXPECT_EQ(mark(3), 2);
    EXPECT_EQ(mark(4), 3);
    EXPECT_EQ(sheet.lineAt(3)->getRows(), 3) << "seven tags take three rows";
    EXPECT_EQ(sheet.lineAt(4)->getRows(), 1) << "a bar without tags gets one and shows";
    EXPECT_EQ(sheet.lineAt(0)->getProcessSteel()->getLPNum(), 0);
}

// appending and importing

TEST_F(ProcessTableTest, ImportWithoutSelectionGoesToTheEndAfterTheEmptyRows)
{
    bars(2);
    sheet.clearSelect();
    sheet.import({test::headingRow(EditLine::kEleRow, QStringLiteral("KZ1")),
                  test::barRow(test::processBar("9", 2, 12.0f, 3, 2000.0f))});
    EXPECT_EQ(shown(), (Rows{"1x1", "2x2", "E:KZ1", "9x3"}));
    EXPECT_EQ(sheet.lineAt(3)->getProcessSteel()->tags.at(0).mark, 3);
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(sheet.isModified(), 1);
}

TEST_F(ProcessTableTest, ImportGoesBeforeTheSelection)
{
    bars(2);
    select({2});
    sheet.import({test::barRow(test::processBar("9", 2, 12.0f, 3, 2000.0f))});
    EXPECT_EQ(shown(), (Rows{"1x1", "9x3", "2x2"}));
    EXPECT_TRUE(sheet.getSelection().isEmpty());
}

TEST_F(ProcessTableTest, AppendCopiesTheOtherSheetsRows)
{
    bars(1);
    CVes_ProcessTable other;
    other.appendLine(test::headingRow(EditLine::kStoryRow, QStringLiteral("二层")));
    other.appendLine(test::barRow(test::processBar("5", 2, 12.0f, 5, 2000.0f)));
    sheet.clearNullLineOfEnd();
    sheet.append(&other);
    EXPECT_EQ(shown(), (Rows{"1x1", "S:二层", "5x5"}));
    EXPECT_EQ(other.lines().size(), 2);
    EXPECT_NE(sheet.lineAt(2), other.lineAt(1));
    sheet.append(&sheet);
    EXPECT_EQ(shown().size(), 6u);
}

} // namespace
