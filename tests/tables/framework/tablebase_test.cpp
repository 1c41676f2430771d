#include "tables/framework/tablebase.h"

#include "tests/tables/framework/tablebase_support.h"

#include "core/geometry/text.h"
#include "tables/framework/form.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using test::KeyLine;
using test::KeyTable;

// Paging

struct PagingCase {
    const char* name;
    int rowsPerPage;
    QList<int> printedRows;
    QList<int> pageOfRow;
    QList<int> usedOnPage; // printed rows used on the page up to the row
    int pages;
};

class Paging : public testing::TestWithParam<PagingCase> {};

TEST_P(Paging, RowsFallOnPagesByPrintedRows)
{
    const PagingCase& c = GetParam();
    KeyTable table;
    table.m_rowNum = c.rowsPerPage;
    table.addRows(c.printedRows);
    EXPECT_EQ(table.resetPages(), c.pages);
    for (qsizetype i = 0; i < c.printedRows.size(); ++i) {
        int page = -7, used = -7;
        table.getInfo(table.row(int(i)), page, used);
        EXPECT_EQ(page, c.pageOfRow[i]) << "row " << i;
        EXPECT_EQ(used, c.usedOnPage[i]) << "row " << i;
    }
    // getlineOfPage gives each page's rows in order.
    for (int p = 1; p <= c.pages; ++p) {
        QList<CVes_TableBaseLine*> expected;
        for (qsizetype i = 0; i < c.printedRows.size(); ++i) {
            if (c.pageOfRow[i] == p)
                expected.append(table.row(int(i)));
        }
        EXPECT_EQ(table.getlineOfPage(p, 0), expected) << "page " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TableBase, Paging,
    testing::Values(
        PagingCase{"NoRows", 10, {}, {}, {}, 1},
        PagingCase{"ThreesOnTen", 10, {3, 3, 3, 3}, {1, 1, 1, 2}, {3, 6, 9, 3}, 2},
        PagingCase{"ExactFill", 3, {1, 1, 1, 1}, {1, 1, 1, 2}, {1, 2, 3, 1}, 2},
        PagingCase{"TallRowAlone", 10, {1, 12, 1}, {1, 2, 3}, {1, 12, 1}, 3},
        PagingCase{"TallFirstRowStartsPageTwo", 10, {12, 1}, {2, 3}, {12, 1}, 3},
        PagingCase{"NoRoomAtAll", 0, {1, 1}, {2, 3}, {1, 1}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableBase, NewTableHasNoPageAndPortraitSongtiTexts)
{
    KeyTable table;
    EXPECT_EQ(table.getCurPage(), -1);
    EXPECT_EQ(table.getPages(), 1);
    EXPECT_EQ(table.isReadOnly(), 1);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_EQ(table.isCanSortSteel(), 1);
    EXPECT_EQ(table.isCanYouhuaSteel(), 1);
    EXPECT_EQ(table.m_orientation, CVes_Template::kPortrait);
    EXPECT_EQ(table.haveFengmian(), 0);
    for (const CVes_Variable& text : table.m_texts)
        EXPECT_EQ(text.m_fontName, QStringLiteral("宋体"));
    ASSERT_NE(table.getForm(), nullptr);
}

TEST(TableBase, FirstPageOfEmptySheetPadsIt)
{
    KeyTable table;
    table.m_pad = 3;
    table.firstPage();
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(table.m_padCalls, 1);
    EXPECT_EQ(table.pageLines().size(), 3);
    EXPECT_EQ(table.haveContent(3), 1);
    EXPECT_EQ(table.haveContent(4), 0);
}

TEST(TableBase, PageMovesFollowTheRowsAndStopAtTheEnds)
{
    KeyTable table;
    table.m_rowNum = 2;
    table.addRows({1, 1, 1, 1, 1});
    table.firstPage();
    EXPECT_EQ(table.m_padCalls, 0); // page 1 is not the last
    EXPECT_EQ(table.pageIds(), (QList<int>{1, 2}));
    table.nextPage();
    table.nextPage();
    EXPECT_EQ(table.getCurPage(), 3);
    EXPECT_EQ(table.pageIds(), (QList<int>{5}));
    table.nextPage();
    EXPECT_EQ(table.getCurPage(), 3);
    table.PrevPage();
    EXPECT_EQ(table.pageIds(), (QList<int>{3, 4}));
    table.PrevPage();
    table.PrevPage();
    EXPECT_EQ(table.getCurPage(), 0);
    EXPECT_TRUE(table.pageLines().isEmpty());
    EXPECT_EQ(table.getLine(1), nullptr);
    // Nothing comes before the cover.
    table.PrevPage();
    EXPECT_EQ(table.getCurPage(), 0);

    table.setPageTo(9, 0);
    EXPECT_EQ(table.getCurPage(), 3);
    table.setPageTo(-1, 1);
    EXPECT_EQ(table.getCurPage(), 3);
    table.endPage();
    EXPECT_EQ(table.getCurPage(), 3);
}

TEST(TableBase, NextPageFromNoPageShowsTheFirst)
{
    KeyTable table;
    table.m_rowNum = 2;
    table.addRows({1, 1, 1});
    table.nextPage();
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(table.pageIds(), (QList<int>{1, 2}));
}

TEST(TableBase, SetCurPageShowsTheRowSelectedAndKeepsTheColumn)
{
    KeyTable table;
    table.m_rowNum = 3;
    table.addRows({1, 2, 1, 1, 1});
    table.firstPage();
    table.setCurCol(4);
    table.setCurPage(table.row(3)); // page 2 holds ids 3, 4 and 5
    EXPECT_EQ(table.getCurPage(), 2);
    EXPECT_EQ(table.getSelection(), (QList<int>{2}));
    EXPECT_EQ(table.getCurRow(), 2);
    EXPECT_EQ(table.getCurCol(), 4);

    KeyLine stranger(99, 0);
    table.setCurPage(&stranger);
    table.setCurPage(nullptr);
    EXPECT_EQ(table.getCurPage(), 2);
    EXPECT_EQ(table.getCurRow(), 2);
}

// Selection

TEST(TableBase, AddSelectTogglesAndExclusiveReplaces)
{
    KeyTable table;
    table.addRows({1, 1, 1, 1, 1, 1});
    table.firstPage();
    table.AddSelect(4, 0);
    table.AddSelect(4, 0);
    EXPECT_TRUE(table.getSelection().isEmpty());
    table.AddSelect(6, 0);
    table.AddSelect(2, 0);
    EXPECT_EQ(table.getSelection(), (QList<int>{2, 6}));
    EXPECT_EQ(table.getSelectRow(), 2);
    EXPECT_EQ(table.getSelectRowEnd(), 6);
    EXPECT_TRUE(table.isMultSelect());
    table.AddSelect(4, 1);
    EXPECT_EQ(table.getSelection(), (QList<int>{4}));
    // Positions without a row are accepted.
    table.AddSelect(40, 0);
    EXPECT_EQ(table.getSelectRowEnd(), 40);

    table.setPageTo(0, 1);
    EXPECT_EQ(table.getSelectRow(), -1);
    EXPECT_EQ(table.getSelectRowEnd(), -1);
    EXPECT_EQ(table.canCopy(), 0);
    EXPECT_EQ(table.isContinueSelect(), 0);
}

TEST(TableBase, ContinuousSelection)
{
    KeyTable table;
    table.firstPage();
    EXPECT_EQ(table.isContinueSelect(), 0);
    for (int n : {3, 4, 5})
        table.AddSelect(n, 0);
    EXPECT_EQ(table.isContinueSelect(), 1);
    table.AddSelect(4, 0);
    EXPECT_EQ(table.isContinueSelect(), 0);
    table.selectAddOne(-2);
    EXPECT_EQ(table.getSelection(), (QList<int>{1, 3}));
    table.selectAllofPage();
    EXPECT_EQ(table.getSelection().size(), 10);
    table.clearSelect();
    EXPECT_TRUE(table.getSelection().isEmpty());
    EXPECT_EQ(table.getCurRow(), -1);
    EXPECT_EQ(table.getCurCol(), -1);
}

struct MoveCase {
    const char* name;
    int page;
    int selected;
    int addRows;  // rows a page add appends
    int answer;
    int pageAfter;
    int rowAfter; // -1: nothing selected as current
};

class SelectNextMoves : public testing::TestWithParam<MoveCase> {};

// Three rows a page; pages 1 and 2 hold rows, page 2 only two of them.
TEST_P(SelectNextMoves, FindsTheNextRow)
{
    const MoveCase& c = GetParam();
    KeyTable table;
    table.m_rowNum = 3;
    table.m_addRows = c.addRows;
    table.addRows({1, 1, 1, 1, 1});
    table.setPageTo(c.page, 1);
    if (c.selected > 0)
        table.AddSelect(c.selected, 1);
    EXPECT_EQ(table.SelectNext(), c.answer);
    EXPECT_EQ(table.getCurPage(), c.pageAfter);
    EXPECT_EQ(table.getCurRow(), c.rowAfter);
    if (c.rowAfter > 0) {
        EXPECT_EQ(table.getSelection(), (QList<int>{c.rowAfter}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    TableBase, SelectNextMoves,
    testing::Values(MoveCase{"NextRowOnPage", 1, 1, 0, 0, 1, 2},
                    MoveCase{"OnToNextPage", 1, 3, 0, 2, 2, 1},
                    MoveCase{"PageAdded", 2, 2, 2, 3, 3, 1},
                    MoveCase{"AddThatAddsNothingStops", 2, 2, 0, 0, 2, -1},
                    MoveCase{"NothingSelected", 1, 0, 0, 0, 1, -1},
                    MoveCase{"FromTheCover", 0, 2, 0, 2, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableBase, SelectNextSkipsEmptyPositionsBeforeAddingAPage)
{
    KeyTable table;
    table.m_rowNum = 3;
    table.addRows({1, 1, 1, 1});
    table.setPageTo(2, 1);
    table.AddSelect(1, 1);
    table.m_addRows = 3;
    EXPECT_EQ(table.SelectNext(), 3);
    EXPECT_EQ(table.m_addPageCalls, 1);
    EXPECT_EQ(table.getCurPage(), 3);
    EXPECT_EQ(table.getCurRow(), 1);
}

TEST(TableBase, SelectNextOnAPageWithoutRowsEnds)
{
    CVes_TableBase table; // its page add adds nothing
    table.m_rowNum = 4;
    table.firstPage();
    table.AddSelect(1, 1);
    EXPECT_EQ(table.SelectNext(), 0);
    EXPECT_EQ(table.getCurRow(), -1);
}

TEST(TableBase, SelectPrevGoesBackAcrossPagesAndStopsOnTheFirst)
{
    KeyTable table;
    table.m_rowNum = 3;
    table.addRows({1, 1, 1, 1, 1});
    table.setPageTo(2, 1);
    table.AddSelect(1, 1);
    table.SelectPrev();
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(table.getCurRow(), 3);
    EXPECT_EQ(table.getSelection(), (QList<int>{3}));

    table.AddSelect(1, 1);
    table.SelectPrev();
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(table.getCurRow(), -1);
    EXPECT_EQ(table.getSelection(), (QList<int>{1}));

    // On the cover the search ends at once.
    table.setPageTo(0, 1);
    table.SelectPrev();
    EXPECT_EQ(table.getCurPage(), 0);
}

TEST(TableBase, ColumnMovesSkipHiddenAndLockedColumnsAndWrap)
{
    KeyTable table;
    table.m_rowNum = 5;
    table.m_columnNum = 5;
    table.m_widths = {10, 0, 10, 10, 10};
    table.m_readOnlyColumn = 3;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.AddSelect(1, 1);
    table.setCurCol(0);
    table.SelectNextCol();
    EXPECT_EQ(table.getCurCol(), 2);
    table.SelectNextCol();
    EXPECT_EQ(table.getCurCol(), 4);
    table.SelectNextCol();
    EXPECT_EQ(table.getCurCol(), 0);
    EXPECT_EQ(table.getCurRow(), 2);
    table.SelectPrevCol();
    EXPECT_EQ(table.getCurCol(), 4);
    EXPECT_EQ(table.getCurRow(), 1);
    EXPECT_EQ(table.getSelection(), (QList<int>{1}));
    table.SelectPrevCol();
    table.SelectPrevCol();
    EXPECT_EQ(table.getCurCol(), 0);

    // Hidden columns at the end stop the search on the column count.
    table.m_widths = {10, 10, 0, 0, 0};
    table.setCurCol(1);
    table.SelectNextCol();
    EXPECT_EQ(table.getCurCol(), 5);
    // And at the start on -1.
    table.m_widths = {0, 10, 10, 10, 10};
    table.setCurCol(1);
    table.SelectPrevCol();
    EXPECT_EQ(table.getCurCol(), -1);
}

TEST(TableBase, LeavingAndEnteringTheShapeCellMovesTheVariableCursor)
{
    KeyTable table;
    table.m_shapeColumn = 3;
    table.addRows({1, 1});
    table.firstPage();
    table.setShapeVar(5);
    table.setCurCol(3);
    EXPECT_TRUE(table.isShapeVarStart());
    table.setShapeVar(5);
    table.setCurCol(1);
    EXPECT_TRUE(table.isShapeVarEnd());
}

// A bar whose dimension variables can be marked as being stepped through.
class MarkedBar : public CVes_BarCore {
public:
    using CVes_BarCore::appendVariable;
    void mark() { m_arrVar.front()->m_status = 1; }
    unsigned int status() const { return getVarArray().front()->m_status; }
};

TEST(TableBase, LeavingTheShapeCellClearsTheBarsVariableMarks)
{
    KeyTable table;
    MarkedBar bar;
    bar.appendVariable(QStringLiteral("L1"));
    table.m_bar = &bar;
    table.m_barRow = 2;
    table.m_shapeColumn = 3;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.AddSelect(2, 1);
    table.setCurRow(2);
    table.setCurCol(3);
    bar.mark();
    table.SelectNext();
    EXPECT_EQ(bar.status(), 0u);
    EXPECT_EQ(table.getCurRow(), 3);
    // Still in the shape column: ready for the first variable of the new cell.
    EXPECT_TRUE(table.isShapeVarStart());

    table.setCurRow(2);
    bar.mark();
    table.setCurCol(1);
    EXPECT_EQ(bar.status(), 0u);
    EXPECT_TRUE(table.isShapeVarEnd());
}

// Deleting, locking, clearing

TEST(TableBase, DeleteRowKeepsLockedRowsAndReselectsThePosition)
{
    KeyTable table;
    table.addRows({1, 1, 1, 1});
    table.row(2)->setLock(1);
    table.firstPage();
    table.setCurCol(3);
    table.AddSelect(2, 0);
    table.AddSelect(3, 0);
    table.setModified(0);
    table.setSortSteel(0);
    table.DeleteRow();
    EXPECT_EQ(table.ids(), (QList<int>{1, 3, 4}));
    EXPECT_EQ(table.getSelection(), (QList<int>{2}));
    EXPECT_EQ(table.getCurRow(), 2);
    EXPECT_EQ(table.getCurCol(), 3);
    EXPECT_EQ(table.isModified(), 1);
    EXPECT_EQ(table.isCanSortSteel(), 1);
    EXPECT_EQ(table.m_undoSteps, 1);
}

TEST(TableBase, DeleteRowSkipsPositionsWithoutRows)
{
    KeyTable table;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.selectAllofPage();
    table.DeleteRow();
    EXPECT_TRUE(table.lines().isEmpty());
    EXPECT_TRUE(table.getSelection().isEmpty());
    EXPECT_EQ(table.getCurRow(), -1);
}

TEST(TableBase, DeleteRowWithNothingSelectedChangesNothing)
{
    KeyTable table;
    table.addRows({1});
    table.firstPage();
    table.DeleteRow();
    EXPECT_EQ(table.lines().size(), 1);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_EQ(table.m_undoSteps, 0);
}

TEST(TableBase, DelPageNeedsTwoPagesAndTakesLockedRowsToo)
{
    KeyTable table;
    table.m_rowNum = 2;
    table.addRows({1, 1});
    table.firstPage();
    table.delPage();
    EXPECT_EQ(table.lines().size(), 2);
    EXPECT_EQ(table.m_undoSteps, 0);

    table.addRows({1, 1, 1});
    table.row(3)->setLock(1);
    table.setPageTo(2, 1);
    table.AddSelect(1, 1);
    table.delPage();
    EXPECT_EQ(table.ids(), (QList<int>{1, 2, 5}));
    EXPECT_TRUE(table.getSelection().isEmpty());
    EXPECT_EQ(table.getCurPage(), 2);
    EXPECT_EQ(table.pageIds(), (QList<int>{5}));
    EXPECT_EQ(table.m_undoSteps, 1);
}

TEST(TableBase, LockingSelectedAndAllRows)
{
    KeyTable table;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.lockRow();
    EXPECT_EQ(table.m_undoSteps, 0);
    EXPECT_EQ(table.isModified(), 0);

    table.AddSelect(2, 0);
    table.AddSelect(7, 0); // no row there
    table.lockRow();
    EXPECT_EQ(table.row(1)->getLock(), 1);
    EXPECT_EQ(table.row(0)->getLock(), 0);
    EXPECT_EQ(table.m_undoSteps, 1);
    table.unlockRow();
    EXPECT_EQ(table.row(1)->getLock(), 0);

    table.lockAllRow();
    for (CVes_TableBaseLine* row : table.lines())
        EXPECT_EQ(row->getLock(), 1);
    table.unlockAllRow();
    EXPECT_EQ(table.row(2)->getLock(), 0);
    EXPECT_EQ(table.m_undoSteps, 4);

    KeyTable empty;
    empty.lockAllRow();
    EXPECT_EQ(empty.isModified(), 1);
    EXPECT_EQ(empty.m_undoSteps, 1);
}

TEST(TableBase, TextColourOfSelectedRows)
{
    KeyTable table;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.AddSelect(9, 0);
    table.setSelLineTextColor(0xFF);
    EXPECT_EQ(table.m_undoSteps, 0);
    table.AddSelect(3, 0);
    table.setSelLineTextColor(0xFF);
    EXPECT_EQ(table.row(2)->getTextColor(), 0xFFu);
    EXPECT_EQ(table.row(1)->getTextColor(), 0u);
    EXPECT_EQ(table.m_undoSteps, 1);
}

// Appending: a row is taken once, and each append that takes one counts
// as a change.
struct AppendCase {
    const char* name;
    std::function<void(KeyTable&, KeyLine* held)> append;
    QList<int> ids;
    int changes;
};

class Appending : public testing::TestWithParam<AppendCase> {};

TEST_P(Appending, TakesEachRowOnce)
{
    KeyTable table;
    auto* held = new KeyLine(1, 0);
    table.appendLine(held);
    const std::uint64_t before = table.changeCount();
    GetParam().append(table, held);
    EXPECT_EQ(table.ids(), GetParam().ids);
    EXPECT_EQ(table.changeCount() - before, std::uint64_t(GetParam().changes));
}

const AppendCase kAppends[] = {
    {"ARowHeldAlready", [](KeyTable& t, KeyLine* held) { t.appendLine(held); }, {1}, 0},
    {"NoRow", [](KeyTable& t, KeyLine*) { t.appendLine(static_cast<CVes_TableBaseLine*>(nullptr)); },
     {1}, 0},
    {"NoNewRow", [](KeyTable& t, KeyLine*) { t.appendLine(std::unique_ptr<CVes_TableBaseLine>()); },
     {1}, 0},
    {"ARowNotHeld", [](KeyTable& t, KeyLine*) { t.appendLine(new KeyLine(2, 0)); }, {1, 2}, 1},
    {"NewRows",
     [](KeyTable& t, KeyLine*) {
         t.appendLine(std::make_unique<KeyLine>(2, 0));
         t.appendLine(std::make_unique<KeyLine>(3, 0));
     },
     {1, 2, 3}, 2},
};

INSTANTIATE_TEST_SUITE_P(Rows, Appending, testing::ValuesIn(kAppends),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TableBase, ClearingRows)
{
    KeyTable table;
    table.addRows({1, 1, 1, 1});
    table.row(1)->setLock(1);
    table.row(3)->setLock(1);
    table.firstPage();
    table.AddSelect(1, 1);
    table.clearnAllLineButLock();
    EXPECT_EQ(table.ids(), (QList<int>{2, 4}));
    EXPECT_EQ(table.getCurPage(), -1);
    EXPECT_TRUE(table.pageLines().isEmpty());
    EXPECT_TRUE(table.getSelection().isEmpty());

    table.firstPage();
    table.clearnAllLineOnly();
    EXPECT_TRUE(table.lines().isEmpty());
    EXPECT_EQ(table.getCurPage(), 1);
    table.clearnAllLine();
    EXPECT_EQ(table.getCurPage(), -1);
}

TEST(TableBase, ClearNullLineOfEndStopsAtTheLastRealRow)
{
    KeyTable table;
    table.addRows({1, 1, 1, 1});
    table.row(0)->setNull(1);
    table.row(2)->setNull(1);
    table.row(3)->setNull(1);
    table.clearNullLineOfEnd();
    EXPECT_EQ(table.ids(), (QList<int>{1, 2}));
    table.row(1)->setNull(1);
    table.clearNullLineOfEnd();
    EXPECT_TRUE(table.lines().isEmpty());
}

TEST(TableBase, NeighbourRows)
{
    KeyTable table;
    table.addRows({1, 1, 1, 1});
    table.row(0)->setType(4);
    table.row(1)->setType(1);
    table.row(2)->setType(4);
    table.row(2)->setNull(1);
    table.row(3)->setType(1);
    EXPECT_EQ(table.nextLine(table.row(0)), table.row(1));
    EXPECT_EQ(table.nextLine(table.row(3)), nullptr);
    EXPECT_EQ(table.prevLine(table.row(0)), nullptr);
    KeyLine stranger;
    EXPECT_EQ(table.prevLine(&stranger), nullptr);

    // No table page: no previous row.
    EXPECT_EQ(table.getPrvLine(table.row(3), 0), nullptr);
    table.firstPage();
    EXPECT_EQ(table.getPrvLine(table.row(3), 0), table.row(1)); // skips the empty row
    EXPECT_EQ(table.getPrvLine(table.row(3), 1), table.row(1));
    EXPECT_EQ(table.getPrvTypeLine(table.row(3), 4), table.row(0));
    EXPECT_EQ(table.getPrvLine(table.row(0), 0), nullptr);
    EXPECT_EQ(table.getLinelist(), table.lines());
}

// Sorting and copying

TEST(TableBase, SortListIsStableAndReversible)
{
    KeyTable table;
    const int keys[] = {2, 1, 2, 1, 2, 0};
    for (int i = 0; i < 6; ++i)
        table.appendLine(new KeyLine(i + 1, keys[i]));
    table.SortList(2);
    EXPECT_EQ(table.ids(), (QList<int>{1, 2, 3, 4, 5, 6}));
    table.SortList(0);
    EXPECT_EQ(table.ids(), (QList<int>{6, 2, 4, 1, 3, 5}));
    table.SortList(1);
    EXPECT_EQ(table.ids(), (QList<int>{5, 3, 1, 4, 2, 6}));
}

TEST(TableBase, SortListOfBaseRowsKeepsEveryRow)
{
    CVes_TableBase table;
    QList<CVes_TableBaseLine*> rows;
    for (int i = 0; i < 7; ++i) {
        rows.append(new CVes_TableBaseLine);
        table.appendLine(rows.last());
    }
    table.SortList(0);
    QList<CVes_TableBaseLine*> sorted = table.lines();
    std::sort(sorted.begin(), sorted.end());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(sorted, rows);
}

TEST(TableBase, CopyTakesTitleTextsAndDesignVariables)
{
    KeyTable source, target;
    for (int i = 0; i < 8; ++i)
        source.m_texts[std::size_t(i)].m_formula = QStringLiteral("src%1").arg(i);
    target.m_texts[1].m_formula = QStringLiteral("mine");
    source.setExVarVal(QStringLiteral("保护层"), 30.0);
    target.setExVarVal(QStringLiteral("抗震等级"), 1.0);
    source.addRows({1});
    source.m_rowNum = 33;

    target.copy(&source);
    for (int i : {0, 2, 3, 4, 5, 6, 7})
        EXPECT_EQ(target.m_texts[std::size_t(i)].m_formula, QStringLiteral("src%1").arg(i));
    EXPECT_EQ(target.m_texts[1].m_formula, QStringLiteral("mine"));
    ASSERT_EQ(target.exVars().size(), 1u);
    EXPECT_EQ(target.getExVarVal(QStringLiteral("保护层")), 30.0);
    EXPECT_EQ(target.getExVarVal(QStringLiteral("抗震等级")), -1.0);
    EXPECT_TRUE(target.lines().isEmpty());
    EXPECT_EQ(target.m_rowNum, 10);
    // The copies are the target's own.
    source.setExVarVal(QStringLiteral("保护层"), 40.0);
    EXPECT_EQ(target.getExVarVal(QStringLiteral("保护层")), 30.0);
    EXPECT_NE(target.exVars()[0].get(), source.exVars()[0].get());
}

TEST(TableBase, SetModifiedRaisesStaleFlagsButClearingLeavesThem)
{
    CVes_TableBase table;
    table.setSortSteel(0);
    table.setYouhuaSteel(0);
    table.setModified(0);
    EXPECT_EQ(table.isCanSortSteel(), 0);
    table.setModified(1);
    EXPECT_EQ(table.isModified(), 1);
    EXPECT_EQ(table.isCanSortSteel(), 1);
    EXPECT_EQ(table.isCanYouhuaSteel(), 1);
    table.setModified(0);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_EQ(table.isCanSortSteel(), 1);
}

TEST(TableBase, DerivedTableDestroysItsOwnFormOnce)
{
    // The base is the single owner of the page form; a sheet never frees it.
    auto table = std::make_unique<KeyTable>();
    table->getForm()->SetRowCount(5);
    table->addRows({1, 1});
    table.reset();
    SUCCEED();
}

} // namespace
