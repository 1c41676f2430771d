// The grid's data: counts, rows, items, selection, modified marks, sorting,
// virtual mode and notifications.

#include "tests/grid/testgrid.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace platform::gdi;
using test::TestGrid;

namespace {

QStringList columnTexts(CGridCtrl& grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid.GetRowCount(); ++row)
        texts << grid.GetItemText(row, col);
    return texts;
}

TEST(GridCounts, EmptyGridHasNoCells)
{
    TestGrid grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    for (int row = -1; row <= 1; ++row) {
        for (int col = -1; col <= 1; ++col)
            EXPECT_EQ(grid.GetCell(row, col), nullptr);
    }
    EXPECT_EQ(grid.GetFixedRowsHeight(), 0);
    EXPECT_EQ(grid.GetTotalWidth(), 0);
    EXPECT_EQ(grid.GetItemText(0, 0), QString());
}

TEST(GridCounts, SameCountDoesNothingAndLowerCountLowersFixedCount)
{
    TestGrid grid(5, 4, 3, 2);
    grid.SetItemText(4, 3, QStringLiteral("keep"));
    grid.SetModified(false);
    EXPECT_TRUE(grid.SetRowCount(5));
    EXPECT_FALSE(grid.GetModified());
    EXPECT_EQ(grid.GetItemText(4, 3), QStringLiteral("keep"));

    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetFixedRowCount(), 2);
    EXPECT_TRUE(grid.SetColumnCount(1));
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetCell(0, 1), nullptr);
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_EQ(grid.GetRowCount(), 2);
}

TEST(GridCounts, ShrinkingThenGrowingGivesFreshRowsAndColumns)
{
    TestGrid grid(6, 4, 1, 0);
    grid.SetRowHeight(4, 77);
    grid.SetColumnWidth(3, 88);
    grid.SetItemText(4, 3, QStringLiteral("gone"));
    grid.SetItemState(4, 3, GridStateSelected);
    grid.SetRowCount(3);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    EXPECT_EQ(grid.GetRowHeight(4), grid.GetDefaultCell(false, false)->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(3), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_EQ(grid.GetItemText(4, 3), QString());
    EXPECT_EQ(grid.GetTotalHeight(), 6 * grid.GetDefaultCell(false, false)->GetHeight());
}

TEST(GridCounts, FixedCountBeyondTheRowsGrowsTheGridFirst)
{
    TestGrid grid(1, 2);
    EXPECT_TRUE(grid.SetFixedRowCount(3));
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetFixedRowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(grid.GetItemState(row, 1) & (GridStateFixed | GridStateFixedRow),
                  GridStateFixed | GridStateFixedRow);
    }
}

TEST(GridCounts, FixedStateBitsFollowTheFixedCounts)
{
    TestGrid grid(4, 4, 2, 2);
    EXPECT_EQ(grid.GetItemState(0, 0), GridStateFixed | GridStateFixedRow | GridStateFixedCol);
    EXPECT_EQ(grid.GetItemState(0, 3), GridStateFixed | GridStateFixedRow);
    EXPECT_EQ(grid.GetItemState(3, 1), GridStateFixed | GridStateFixedCol);
    EXPECT_EQ(grid.GetItemState(3, 3), 0u);

    grid.SetItemBkColour(1, 3, RGB(1, 1, 1));
    grid.SetFixedRowCount(1);
    EXPECT_EQ(grid.GetItemState(1, 3), 0u);
    EXPECT_EQ(grid.GetCell(1, 3)->GetBackClr(), CLR_DEFAULT);
    EXPECT_EQ(grid.GetItemState(1, 0), GridStateFixed | GridStateFixedCol);

    grid.SetFixedColumnCount(0);
    EXPECT_EQ(grid.GetItemState(2, 1), 0u);
    EXPECT_EQ(grid.GetItemState(0, 1), GridStateFixed | GridStateFixedRow);
}

TEST(GridCounts, NewRowsAndColumnsTakeTheDefaultSizes)
{
    TestGrid grid(2, 2);
    EXPECT_EQ(grid.GetRowHeight(1), grid.GetDefaultCell(false, false)->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(1), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_EQ(grid.GetTotalHeight(), 2 * grid.GetRowHeight(0));
}

struct InsertCase {
    const char* name;
    int position;
    int expected; // index answered, -1 refused
};

void PrintTo(const InsertCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridInsertRow : public ::testing::TestWithParam<InsertCase> {};

TEST_P(GridInsertRow, PositionRules)
{
    const InsertCase& c = GetParam();
    TestGrid grid(4, 2, 1, 0); // rows 0 (fixed) to 3
    for (int row = 0; row < 4; ++row)
        grid.SetItemText(row, 1, QString::number(row));
    const int result = grid.InsertRow(QStringLiteral("new"), c.position);
    EXPECT_EQ(result, c.expected);
    if (c.expected < 0) {
        EXPECT_EQ(grid.GetRowCount(), 4);
        EXPECT_EQ(columnTexts(grid, 1), QStringList({"0", "1", "2", "3"}));
    } else {
        EXPECT_EQ(grid.GetRowCount(), 5);
        EXPECT_EQ(grid.GetItemText(c.expected, 0), QStringLiteral("new"));
        EXPECT_EQ(grid.GetItemText(c.expected, 1), QString());
        EXPECT_EQ(grid.GetItemState(c.expected, 0) & GridStateFixed, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, GridInsertRow,
    ::testing::Values(InsertCase{"append", -1, 4}, InsertCase{"firstScrolled", 1, 1},
                      InsertCase{"lastRow", 3, 3}, InsertCase{"intoFixedRow", 0, -1},
                      InsertCase{"atRowCount", 4, -1}, InsertCase{"pastEnd", 9, -1},
                      InsertCase{"belowMinusOne", -2, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridRows, InsertRowHeightComesFromTheHeading)
{
    TestGrid grid(1, 2, 1, 0);
    test::useFixedMetrics(grid, 20, 2);
    const int plain = grid.InsertRow(QString());
    EXPECT_EQ(grid.GetRowHeight(plain), grid.GetDefaultCell(true, false)->GetHeight());
    const int headed = grid.InsertRow(QStringLiteral("Row"));
    EXPECT_EQ(grid.GetRowHeight(headed), 20 + 2 * 2);
    EXPECT_TRUE(grid.GetModified(headed, 0));
    const int none = grid.InsertRow(nullptr);
    EXPECT_EQ(grid.GetItemText(none, 0), QString());
}

TEST(GridRows, InsertRowOnAGridWithoutColumnsMakesOne)
{
    TestGrid grid;
    EXPECT_EQ(grid.InsertRow(QStringLiteral("a")), 0);
    EXPECT_EQ(grid.GetColumnCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 0), QStringLiteral("a"));
}

TEST(GridRows, FocusFollowsInsertedAndDeletedRows)
{
    TestGrid grid(6, 3, 1, 1);
    grid.SetFocusCell(3, 2);

    grid.InsertRow(QStringLiteral("x"), 2);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(4, 2));
    grid.InsertRow(QStringLiteral("y"), 4); // at the focus row: the focus now lies on the new row
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(4, 2));

    grid.DeleteRow(1);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(3, 2));
    EXPECT_TRUE(grid.GetCell(3, 2)->IsFocused());
    grid.DeleteRow(5);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(3, 2));

    grid.DeleteRow(3);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(-1, -1));
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            EXPECT_FALSE(grid.GetCell(row, col)->IsFocused());
    }
}

TEST(GridRows, DeleteRowRules)
{
    TestGrid grid(4, 2, 2, 0);
    for (int row = 0; row < 4; ++row)
        grid.SetItemText(row, 0, QString::number(row));
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_FALSE(grid.DeleteRow(4));
    EXPECT_TRUE(grid.DeleteRow(0)); // fixed rows can go too
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(columnTexts(grid, 0), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(grid.DeleteAllItems());
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(-1, -1));
}

TEST(GridItems, SetItemWithMaskZeroOnlyMarksTheCellModified)
{
    TestGrid grid(3, 3);
    grid.SetItemText(1, 1, QStringLiteral("old"));
    grid.SetModified(false);
    ASSERT_FALSE(grid.GetModified(1, 1));

    GridItem item;
    item.row = 1;
    item.col = 1;
    item.mask = 0;
    item.strText = QStringLiteral("new");
    item.nState = GridStateReadOnly;
    item.crBkClr = RGB(1, 2, 3);
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(grid.GetItemText(1, 1), QStringLiteral("old"));
    EXPECT_EQ(grid.GetItemState(1, 1), GridStateModified);
    EXPECT_EQ(grid.GetCell(1, 1)->GetBackClr(), CLR_DEFAULT);
    EXPECT_TRUE(grid.GetModified());
}

TEST(GridItems, SetItemAppliesTheMaskedFields)
{
    TestGrid grid(3, 3);
    GridItem item;
    item.row = 2;
    item.col = 1;
    item.mask = GridItemMask::Text | GridItemMask::Format | GridItemMask::State
                | GridItemMask::BackColour | GridItemMask::Font | GridItemMask::Margin;
    item.strText = QStringLiteral("钢筋");
    item.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    item.nState = GridStateSelected | GridStateReadOnly;
    item.crBkClr = RGB(7, 8, 9);
    item.lfFont.lfHeight = -14;
    item.nMargin = 4;
    EXPECT_TRUE(grid.SetItem(&item));
    const CGridCellBase* cell = grid.GetCell(2, 1);
    EXPECT_EQ(cell->GetText(), QStringLiteral("钢筋"));
    EXPECT_EQ(cell->GetFormat(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    // The state replaces the modified mark set before.
    EXPECT_EQ(cell->GetState(), GridStateSelected | GridStateReadOnly);
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
    EXPECT_FALSE(grid.IsCellEditable(2, 1));
    EXPECT_EQ(cell->GetBackClr(), RGB(7, 8, 9));
    EXPECT_EQ(cell->GetFont()->lfHeight, -14);
    EXPECT_EQ(cell->GetMargin(), 4u);

    item.row = 3;
    EXPECT_FALSE(grid.SetItem(&item));
    EXPECT_FALSE(grid.SetItem(nullptr));
}

// Every operation given a row or column outside the grid answers its
// neutral value and changes nothing.
TEST(GridItems, BadPositionsNeverFail)
{
    TestGrid grid(3, 3, 1, 1);
    for (const auto& [row, col] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {-5, -5}}) {
        SCOPED_TRACE(testing::Message() << row << "," << col);
        EXPECT_EQ(grid.GetCell(row, col), nullptr);
        EXPECT_EQ(grid.GetItemText(row, col), QString());
        EXPECT_FALSE(grid.SetItemText(row, col, QStringLiteral("x")));
        EXPECT_EQ(grid.GetItemState(row, col), 0u);
        EXPECT_FALSE(grid.SetItemState(row, col, GridStateSelected));
        EXPECT_FALSE(grid.SetItemBkColour(row, col, 0));
        EXPECT_FALSE(grid.SetItemTextColour(row, col, 0));
        EXPECT_FALSE(grid.IsItemEditing(row, col));
        EXPECT_FALSE(grid.IsCellSelected(row, col));
        EXPECT_FALSE(grid.SetCellType(row, col, GridCellClass::Of<CGridCell>()));
        EXPECT_EQ(grid.GetTextExtent(row, col, QStringLiteral("x")), QSize(0, 0));
        platform::Rect rect;
        EXPECT_FALSE(grid.GetCellRect(row, col, &rect));
        EXPECT_FALSE(grid.IsCellOnScreen(row, col));
        EXPECT_FALSE(grid.InvalidateCell(row, col));
        EXPECT_FALSE(grid.RedrawCell(row, col));
        grid.ScrollCellIntoView(row, col);
        grid.OnEditCell(row, col, QPoint(), 'a');
    }
    EXPECT_EQ(grid.GetRowHeight(-1), -1);
    EXPECT_EQ(grid.GetRowHeight(3), -1);
    EXPECT_EQ(grid.GetColumnWidth(3), -1);
    EXPECT_FALSE(grid.SetRowHeight(3, 10));
    EXPECT_FALSE(grid.SetColumnWidth(-1, 10));
    EXPECT_FALSE(grid.SetColumnWidth(1, -1));
    EXPECT_FALSE(grid.FitColumnWidth(7));
    EXPECT_FALSE(grid.FitRowHeight(-1));
    EXPECT_FALSE(grid.SortRowsByText(5, true));
    EXPECT_EQ(grid.GetSelectedCount(), 0);
}

struct TaggedCell : CGridCell {
    static constexpr const char* ClassName = "TaggedCell";
};

TEST(GridItems, SetCellTypeKeepsTheProperties)
{
    TestGrid grid(2, 2);
    grid.SetItemText(1, 1, QStringLiteral("text"));
    grid.SetItemState(1, 1, GridStateReadOnly | GridStateSelected);
    CGridCellBase* old = grid.GetCell(1, 1);
    EXPECT_TRUE(grid.SetCellType(1, 1, GridCellClass::Of<TaggedCell>()));
    CGridCellBase* cell = grid.GetCell(1, 1);
    EXPECT_NE(cell, old);
    EXPECT_NE(dynamic_cast<TaggedCell*>(cell), nullptr);
    EXPECT_EQ(cell->GetText(), QStringLiteral("text"));
    EXPECT_EQ(cell->GetState(), GridStateReadOnly | GridStateSelected);
    EXPECT_EQ(cell->GetGrid(), &grid);
    EXPECT_FALSE(grid.SetCellType(1, 1, nullptr));
    EXPECT_EQ(GridCellClass::Find(QStringLiteral("TaggedCell")), GridCellClass::Of<TaggedCell>());
    EXPECT_EQ(GridCellClass::Find(QStringLiteral("NoSuchCell")), nullptr);

    // The default type makes the cells of new rows.
    EXPECT_TRUE(grid.SetDefaultCellType(GridCellClass::Of<TaggedCell>()));
    grid.SetRowCount(3);
    EXPECT_NE(dynamic_cast<TaggedCell*>(grid.GetCell(2, 0)), nullptr);
}

TEST(GridSelection, StateBitKeepsTheSelectedCellMapInStep)
{
    TestGrid grid(5, 5, 1, 1);
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(5, 5, -1, -1));
    EXPECT_FALSE(grid.IsValid(grid.GetSelectedCellRange()));

    EXPECT_TRUE(grid.SetItemState(2, 3, GridStateSelected));
    EXPECT_TRUE(grid.IsCellSelected(2, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(2, 3, 2, 3));
    grid.SetItemState(4, 1, GridStateSelected);
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(2, 1, 4, 3));
    grid.SetItemState(2, 3, 0);
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(4, 1, 4, 1));

    grid.EnableSelection(false);
    EXPECT_FALSE(grid.IsCellSelected(4, 1));
}

TEST(GridSelection, RangesAreRaisedToTheFixedCellsAndInvalidRangesOnlyClear)
{
    TestGrid grid(6, 6, 2, 1);
    grid.SetSelectedRange(0, 0, 3, 2);
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(2, 1, 3, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 4);

    grid.SetSelectedRange(3, 3, 9, 9); // beyond the grid
    EXPECT_EQ(grid.GetSelectedCount(), 0);

    grid.SetSelectedRange(2, 1, 2, 1);
    grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_FALSE(grid.IsCellSelected(2, 1));
}

TEST(GridSelection, SelectionByModeFromTheAnchor)
{
    TestGrid grid(6, 5, 1, 1);
    grid.m_SelectionStartCell = CGridCellPos(2, 2);
    grid.SelectCells(CGridCellPos(4, 3));
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(2, 2, 4, 3));
    grid.SelectRows(CGridCellPos(3, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(2, 1, 3, 4));
    grid.SelectColumns(CGridCellPos(5, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(1, 2, 5, 4));
    grid.SetSingleColSelection(true);
    grid.SelectColumns(CGridCellPos(5, 4));
    EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellSpan(1, 4, 5, 4));
    grid.SelectAllCells();
    EXPECT_EQ(grid.GetSelectedCount(), 5 * 4);
    // Fixed cells start no selection of their kind.
    grid.SelectCells(CGridCellPos(0, 3));
    EXPECT_EQ(grid.GetSelectedCount(), 20);
}

TEST(GridSelection, FocusNeverLiesInAFixedCell)
{
    TestGrid grid(5, 5, 2, 1);
    EXPECT_EQ(grid.SetFocusCell(0, 3), CGridCellPos(-1, -1));
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(2, 3));
    EXPECT_TRUE(grid.GetCell(2, 3)->IsFocused());
    EXPECT_EQ(grid.SetFocusCell(4, 0), CGridCellPos(2, 3));
    EXPECT_EQ(grid.GetFocusCell(), CGridCellPos(4, 1));
    EXPECT_FALSE(grid.GetCell(2, 3)->IsFocused());
    grid.SetFocusCell(-1, -1);
    EXPECT_FALSE(grid.GetCell(4, 1)->IsFocused());
}

// Cells whose row or column passes 65535: a key of two 16-bit halves would
// take each for the other cell of its row.
struct FarCellCase {
    const char* name;
    CGridCellPos selected;
    CGridCellPos other;
};

void PrintTo(const FarCellCase& c, std::ostream* os) { *os << c.name; }

class GridFarSelection : public ::testing::TestWithParam<FarCellCase> {};

TEST_P(GridFarSelection, CellsBeyond16BitsKeepTheirOwnSelection)
{
    const FarCellCase& c = GetParam();
    TestGrid grid;
    grid.SetVirtualMode(true);
    grid.SetRowCount(70000);
    grid.SetColumnCount(70000);
    grid.SetItemState(c.selected.row, c.selected.col, GridStateSelected);
    EXPECT_TRUE(grid.IsCellSelected(c.selected.row, c.selected.col));
    EXPECT_FALSE(grid.IsCellSelected(c.other.row, c.other.col));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_EQ(grid.GetSelectedCellRange(),
              CGridCellSpan(c.selected.row, c.selected.col, c.selected.row, c.selected.col));

    // Both selected, then one cleared: the other stays.
    grid.SetItemState(c.other.row, c.other.col, GridStateSelected);
    EXPECT_EQ(grid.GetSelectedCount(), 2);
    grid.SetItemState(c.selected.row, c.selected.col, 0);
    EXPECT_FALSE(grid.IsCellSelected(c.selected.row, c.selected.col));
    EXPECT_TRUE(grid.IsCellSelected(c.other.row, c.other.col));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GridFarSelection,
    ::testing::Values(FarCellCase{"RowPast16Bits", CGridCellPos(65537, 0), CGridCellPos(1, 1)},
                      FarCellCase{"RowAt65536", CGridCellPos(65536, 3), CGridCellPos(0, 3)},
                      FarCellCase{"ColumnPast16Bits", CGridCellPos(2, 65538), CGridCellPos(2, 2)},
                      FarCellCase{"BothFar", CGridCellPos(69999, 69999), CGridCellPos(4463, 4463)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridModified, MarksAndTheSortColumn)
{
    TestGrid grid(4, 3, 1, 0);
    grid.SetSortColumn(1);
    grid.SetItemText(2, 0, QStringLiteral("a"));
    EXPECT_EQ(grid.GetSortColumn(), 1);
    grid.SetItemText(2, 1, QStringLiteral("b"));
    EXPECT_EQ(grid.GetSortColumn(), -1);
    EXPECT_TRUE(grid.GetModified(2, 1));
    EXPECT_TRUE(grid.GetModified());

    grid.SetModified(false, 2, 1);
    EXPECT_FALSE(grid.GetModified(2, 1));
    EXPECT_TRUE(grid.GetModified(2, 0));
    grid.SetModified(false);
    EXPECT_FALSE(grid.GetModified(2, 0));
}

struct SortCase {
    const char* name;
    bool ascending;
    QStringList expected;
};

void PrintTo(const SortCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(GridSort, ThreeRowsByText)
{
    const SortCase& c = GetParam();
    TestGrid grid(4, 2, 1, 0);
    grid.SetItemText(0, 1, QStringLiteral("head"));
    const QStringList input{"b", "a", "c"};
    for (int i = 0; i < 3; ++i) {
        grid.SetItemText(i + 1, 1, input[i]);
        grid.SetItemText(i + 1, 0, QString::number(i));
        grid.SetRowHeight(i + 1, 20 + i);
    }
    EXPECT_TRUE(grid.SortRowsByText(1, c.ascending));
    EXPECT_EQ(columnTexts(grid, 1), QStringList{"head"} + c.expected);
    // Whole rows move, with their heights.
    for (int row = 1; row < 4; ++row) {
        const int from = grid.GetItemText(row, 0).toInt();
        EXPECT_EQ(grid.GetItemText(row, 1), input[from]);
        EXPECT_EQ(grid.GetRowHeight(row), 20 + from);
    }
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_EQ(grid.GetSortAscending(), c.ascending);
}

INSTANTIATE_TEST_SUITE_P(Orders, GridSort,
                         ::testing::Values(SortCase{"ascending", true, {"a", "b", "c"}},
                                           SortCase{"descending", false, {"c", "b", "a"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridSortRows, EqualTextsAreNeverSwappedDirectly)
{
    TestGrid grid(3, 1, 1, 0);
    grid.SetItemText(1, 0, QStringLiteral("same"));
    grid.SetItemText(2, 0, QStringLiteral("same"));
    CGridCellBase* first = grid.GetCell(1, 0);
    EXPECT_TRUE(grid.SortRowsByText(0, true));
    EXPECT_EQ(grid.GetCell(1, 0), first);

    // A compare function of the caller decides the order, with its data.
    TestGrid numbers(4, 1, 1, 0);
    numbers.SetItemText(1, 0, QStringLiteral("10"));
    numbers.SetItemText(2, 0, QStringLiteral("9"));
    numbers.SetItemText(3, 0, QStringLiteral("100"));
    const auto byNumber = [](LPARAM a, LPARAM b, LPARAM data) {
        EXPECT_EQ(data, 77);
        const int x = reinterpret_cast<CGridCellBase*>(a)->GetText().toInt();
        const int y = reinterpret_cast<CGridCellBase*>(b)->GetText().toInt();
        return x < y ? -1 : (x > y ? 1 : 0);
    };
    numbers.SetCompareFunction(byNumber);
    EXPECT_TRUE(numbers.SortRowsByText(0, true, 77));
    EXPECT_EQ(columnTexts(numbers, 0), QStringList({"", "9", "10", "100"}));
}

TEST(GridFit, HiddenColumnStaysHidden)
{
    TestGrid grid(3, 3, 1, 0);
    grid.SetColumnWidth(1, 0);
    EXPECT_FALSE(grid.FitColumnWidth(1));
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
}

TEST(GridFit, ColumnAndRowFitTheirWidestAndTallestCell)
{
    TestGrid grid(3, 2, 1, 0);
    test::useFixedMetrics(grid, 20, 2);
    grid.SetItemText(0, 1, QStringLiteral("AB"));
    grid.SetItemText(1, 1, QStringLiteral("ABCDEF"));
    grid.SetItemText(2, 1, QStringLiteral("ABC"));
    EXPECT_TRUE(grid.FitColumnWidth(1));
    EXPECT_EQ(grid.GetColumnWidth(1), 60 + 8);
    EXPECT_TRUE(grid.FitColumnWidth(1, CGridCtrl::GVS_HEADER));
    EXPECT_EQ(grid.GetColumnWidth(1), 20 + 8);

    LOGFONT big;
    big.lfHeight = -30;
    grid.GetCell(2, 0)->SetFont(&big);
    grid.SetItemText(2, 0, QStringLiteral("x"));
    EXPECT_TRUE(grid.FitRowHeight(2));
    EXPECT_EQ(grid.GetRowHeight(2), 30 + 4);
}

TEST(GridVirtual, CellsComeFromTheOwner)
{
    test::RecordingOwner owner;
    TestGrid* grid = new TestGrid(0, 0, 0, 0, &owner);
    grid->SetVirtualMode(true);
    grid->SetRowCount(100);
    grid->SetColumnCount(4);
    grid->SetFixedRowCount(1);
    EXPECT_EQ(grid->GetItemText(7, 2), QStringLiteral("7:2"));
    EXPECT_FALSE(grid->SetItemText(7, 2, QStringLiteral("x")));
    EXPECT_EQ(grid->GetItemState(0, 2), GridStateFixed | GridStateFixedRow);
    // Selection lives in the map alone.
    EXPECT_FALSE(grid->SetItemState(3, 3, GridStateSelected));
    EXPECT_TRUE(grid->IsCellSelected(3, 3));
    EXPECT_EQ(grid->GetItemState(3, 3), GridStateSelected);
    EXPECT_FALSE(grid->SortRowsByText(1, true));

    // Selecting and focusing keep to the map: the owner is not asked per cell.
    owner.displayRequests = 0;
    grid->SelectAllCells();
    grid->SetFocusCell(50, 2);
    EXPECT_EQ(grid->GetSelectedCount(), 99 * 4);
    EXPECT_EQ(owner.displayRequests, 0);
    EXPECT_EQ(grid->GetItemState(50, 2), GridStateSelected | GridStateFocused);

    owner.fillDisplay = false;
    const CGridCellBase* cell = grid->GetCell(5, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetText(), QString());
    EXPECT_EQ(cell->GetBackClr(), grid->GetDefaultCell(false, false)->GetBackClr());
    EXPECT_EQ(cell->GetFormat(), grid->GetDefaultCell(false, false)->GetFormat());
}

TEST(GridVirtual, CallbackAnswersInsteadOfTheOwner)
{
    TestGrid grid;
    grid.SetVirtualMode(true);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetCallbackFunc(
        [](GridDisplayInfo* info, LPARAM data) {
            info->item.strText = QString::number(data + info->item.row * 10 + info->item.col);
            return true;
        },
        1000);
    EXPECT_EQ(grid.GetItemText(2, 1), QStringLiteral("1021"));
}

TEST(GridNotify, ReachesTheNearestOwnerWithTheControlId)
{
    test::RecordingOwner owner;
    QWidget middle(&owner);
    TestGrid* grid = new TestGrid(3, 3, 1, 1, &middle);
    grid->SetDlgCtrlID(4035);
    owner.answers[GridBeginEdit] = -1;
    EXPECT_EQ(grid->SendMessageToParent(1, 2, GridBeginEdit), -1);
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0].hdr.hwndFrom, grid);
    EXPECT_EQ(owner.notes[0].hdr.idFrom, 4035u);
    EXPECT_EQ(owner.notes[0].iRow, 1);
    EXPECT_EQ(owner.notes[0].iColumn, 2);

    test::RecordingOwner other;
    grid->SetOwner(&other);
    grid->SendMessageToParent(0, 0, NM_CLICK);
    EXPECT_EQ(other.notes.size(), 1u);
    EXPECT_EQ(owner.notes.size(), 1u);

    TestGrid orphan(1, 1);
    EXPECT_EQ(orphan.SendMessageToParent(0, 0, NM_CLICK), 0);
}

TEST(GridEditFlow, OwnerRefusalsKeepTheOldText)
{
    test::RecordingOwner owner;
    TestGrid* grid = new TestGrid(3, 3, 1, 1, &owner);
    grid->SetItemText(1, 1, QStringLiteral("old"));

    grid->OnEndEditCell(1, 1, QStringLiteral("old"));
    EXPECT_TRUE(owner.notes.empty()); // unchanged text: nothing to tell

    owner.answers[GridEndEdit] = -1;
    grid->OnEndEditCell(1, 1, QStringLiteral("new"));
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("old"));
    ASSERT_EQ(owner.codes(), std::vector<int>({GridEndEdit}));

    owner.answers[GridEndEdit] = 0;
    grid->OnEndEditCell(1, 1, QStringLiteral("new"));
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("new"));
}

TEST(GridEditFlow, EditsOpenOnlyOnEditableCellsTheOwnerAllows)
{
    test::RecordingOwner owner;
    owner.resize(300, 200);
    TestGrid* grid = new TestGrid(4, 4, 1, 1, &owner);
    grid->setGeometry(0, 0, 300, 200);
    owner.show();
    grid->SetItemState(2, 2, GridStateReadOnly);
    grid->OnEditCell(2, 2, QPoint(), 'a');
    EXPECT_TRUE(owner.notes.empty());
    grid->SetEditable(false);
    grid->OnEditCell(1, 1, QPoint(), 'a');
    EXPECT_TRUE(owner.notes.empty());
    grid->SetEditable(true);
    owner.answers[GridBeginEdit] = -1;
    grid->OnEditCell(1, 1, QPoint(), 'a');
    EXPECT_EQ(owner.codes(), std::vector<int>({GridBeginEdit}));
}

} // namespace
