// The grid's keyboard, clipboard text and drag and drop.

#include "tests/grid/testgrid.h"

#include "grid/gridkeys.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

using test::TestGrid;

namespace {

// An active owner window with a 6 x 6 grid (one fixed row and column) whose
// cells read "row:col".
struct KeyGrid {
    test::RecordingOwner owner;
    TestGrid* grid;
    QLineEdit* other;

    explicit KeyGrid(int rows = 6, int cols = 6)
    {
        owner.resize(500, 300);
        grid = new TestGrid(rows, cols, 1, 1, &owner);
        grid->setFrameShape(QFrame::NoFrame);
        grid->setGeometry(0, 0, 400, 300);
        other = new QLineEdit(&owner);
        other->setGeometry(410, 0, 80, 20);
        test::useFixedMetrics(*grid);
        test::setUniformSizes(*grid, 60, 20);
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < cols; ++col)
                grid->SetItemText(row, col, QStringLiteral("%1:%2").arg(row).arg(col));
        }
        grid->SetModified(false);
        owner.show();
        owner.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
        grid->setFocus();
    }
    void focus(int row, int col)
    {
        grid->SetFocusCell(row, col);
        grid->SetSelectedRange(row, col, row, col);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(grid, static_cast<Qt::Key>(key), modifiers);
    }
};

QString clipboardText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data ? data->text() : QString();
}

void setClipboardText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
}

struct CopyCase {
    const char* name;
    int hiddenRow;
    int hiddenCol;
    CGridCellPos unselected;
    const char* expected;
};

void PrintTo(const CopyCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(GridCopy, SelectionBecomesTabAndLineFeedSeparatedText)
{
    const CopyCase& c = GetParam();
    TestGrid grid(6, 6, 1, 1);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 6; ++col)
            grid.SetItemText(row, col, QStringLiteral("%1:%2").arg(row).arg(col));
    }
    if (c.hiddenRow >= 0)
        grid.SetRowHeight(c.hiddenRow, 0);
    if (c.hiddenCol >= 0)
        grid.SetColumnWidth(c.hiddenCol, 0);
    const int lastRow = c.hiddenRow >= 0 ? 3 : 2;
    const int lastCol = c.hiddenCol >= 0 ? 4 : 3;
    grid.SetSelectedRange(1, 1, lastRow, lastCol);
    if (c.unselected.IsValid())
        grid.SetItemState(c.unselected.row, c.unselected.col, 0);

    const QByteArray expected = QByteArray(c.expected) + '\0';
    EXPECT_EQ(grid.CopyTextBlock(), expected);
    const std::unique_ptr<QMimeData> data = grid.CopyTextFromGrid();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Selections, GridCopy,
    ::testing::Values(
        CopyCase{"twoRowsThreeColumns", -1, -1, {}, "1:1\t1:2\t1:3\n2:1\t2:2\t2:3"},
        CopyCase{"hiddenColumnAddsNoField", -1, 3, {}, "1:1\t1:2\t1:4\n2:1\t2:2\t2:4"},
        CopyCase{"hiddenRowAddsNoLine", 2, -1, {}, "1:1\t1:2\t1:3\n3:1\t3:2\t3:3"},
        CopyCase{"unselectedCellIsAnEmptyField", -1, -1, {2, 2}, "1:1\t1:2\t1:3\n2:1\t\t2:3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridCopy, NothingSelectedGivesNoData)
{
    TestGrid grid(4, 4, 1, 1);
    EXPECT_FALSE(grid.CopyTextFromGrid());
    EXPECT_TRUE(grid.CopyTextBlock().isEmpty());
}

TEST(GridCopy, ChineseTextIsGbkInTheBlock)
{
    TestGrid grid(2, 2, 0, 0);
    grid.SetItemText(0, 0, QStringLiteral("钢筋"));
    grid.SetSelectedRange(0, 0, 0, 0);
    EXPECT_EQ(grid.CopyTextBlock(), QByteArray("\xB8\xD6\xBD\xEE\0", 5));
}

struct PasteCase {
    const char* name;
    const char* text;
    int hiddenRow;
    int hiddenCol;
    CGridCellPos at;
    std::vector<std::pair<CGridCellPos, const char*>> expected;
};

void PrintTo(const PasteCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridPaste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(GridPaste, FieldsLandCellByCell)
{
    const PasteCase& c = GetParam();
    test::RecordingOwner owner;
    auto* grid = new TestGrid(6, 6, 1, 1, &owner);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 6; ++col)
            grid->SetItemText(row, col, QStringLiteral("%1:%2").arg(row).arg(col));
    }
    if (c.hiddenRow >= 0)
        grid->SetRowHeight(c.hiddenRow, 0);
    if (c.hiddenCol >= 0)
        grid->SetColumnWidth(c.hiddenCol, 0);
    QMimeData data;
    data.setText(QString::fromUtf8(c.text));
    ASSERT_TRUE(grid->PasteTextToGrid(c.at, &data, true));
    for (const auto& [cell, text] : c.expected)
        EXPECT_EQ(grid->GetItemText(cell.row, cell.col), QString::fromUtf8(text))
            << cell.row << "," << cell.col;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GridPaste,
    ::testing::Values(
        PasteCase{"commaAndLineFeed", "a,b\nc", -1, -1, {2, 2},
                  {{{2, 2}, "a"}, {{2, 3}, "b"}, {{3, 2}, "c"}, {{3, 3}, "3:3"}}},
        PasteCase{"overHiddenColumn", "a,b\nc", -1, 3, {2, 2},
                  {{{2, 2}, "a"}, {{2, 3}, "2:3"}, {{2, 4}, "b"}, {{3, 2}, "c"}}},
        PasteCase{"overHiddenRow", "a,b\nc", 3, -1, {2, 2},
                  {{{2, 2}, "a"}, {{2, 3}, "b"}, {{3, 2}, "3:2"}, {{4, 2}, "c"}}},
        PasteCase{"tabsAndBlanksTrimmed", " a \t b\n\tc", -1, -1, {1, 1},
                  {{{1, 1}, "a"}, {{1, 2}, "b"}, {{2, 1}, ""}, {{2, 2}, "c"}}},
        PasteCase{"trailingLineFeedPastesNoEmptyRow", "a\n", -1, -1, {1, 1},
                  {{{1, 1}, "a"}, {{2, 1}, "2:1"}}},
        PasteCase{"fieldsBeyondTheGridDropped", "a,b,c\nd", -1, -1, {5, 4},
                  {{{5, 4}, "a"}, {{5, 5}, "b"}, {{4, 4}, "4:4"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridPaste, RefusedWithoutTextOrOnAReadOnlyCell)
{
    TestGrid grid(4, 4, 1, 1);
    QMimeData empty;
    EXPECT_FALSE(grid.PasteTextToGrid({1, 1}, &empty, true));
    QMimeData data;
    data.setText(QStringLiteral("x"));
    EXPECT_FALSE(grid.PasteTextToGrid({-1, 1}, &data, true));
    grid.SetItemState(1, 1, GridStateReadOnly);
    EXPECT_FALSE(grid.PasteTextToGrid({1, 1}, &data, true));
    EXPECT_EQ(grid.GetItemText(1, 1), QString());
}

class GridPasteRefusal : public ::testing::TestWithParam<int> {};

TEST_P(GridPasteRefusal, OwnerRefusingKeepsTheOldText)
{
    test::RecordingOwner owner;
    auto* grid = new TestGrid(4, 4, 1, 1, &owner);
    grid->SetItemText(1, 1, QStringLiteral("old"));
    grid->SetModified(false);
    owner.answers[GetParam()] = -1;
    grid->PasteCellText(1, 1, QStringLiteral("new"));
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("old"));
    const std::vector<int> codes = owner.codes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), GridEndEdit), GetParam() == GridEndEdit ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, GridPasteRefusal, ::testing::Values(GridBeginEdit, GridEndEdit),
                         [](const auto& info) {
                             return std::string(info.param == GridBeginEdit ? "beginEdit" : "endEdit");
                         });

TEST(GridPaste, AcceptedChangeIsMarkedModified)
{
    test::RecordingOwner owner;
    auto* grid = new TestGrid(4, 4, 1, 1, &owner);
    grid->SetModified(false);
    grid->PasteCellText(1, 1, QStringLiteral("new"));
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("new"));
    EXPECT_TRUE(grid->GetModified(1, 1));
    EXPECT_EQ(owner.codes(), (std::vector<int>{GridBeginEdit, GridEndEdit}));
}

TEST(GridKeys, EditingShortcuts)
{
    KeyGrid k;
    k.grid->SetSelectedRange(1, 1, 1, 2);
    k.grid->SetFocusCell(1, 1);
    k.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), QStringLiteral("1:1\t1:2"));

    k.grid->SetSelectedRange(3, 3, 3, 3);
    k.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(k.grid->GetItemText(3, 3), QStringLiteral("1:1"));
    EXPECT_EQ(k.grid->GetItemText(3, 4), QStringLiteral("1:2"));

    setClipboardText(QStringLiteral("ins"));
    k.grid->SetSelectedRange(4, 1, 4, 1);
    k.key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(k.grid->GetItemText(4, 1), QStringLiteral("ins"));

    k.grid->SetSelectedRange(2, 1, 2, 2);
    k.key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), QStringLiteral("2:1\t2:2"));
    EXPECT_EQ(k.grid->GetItemText(2, 1), QString());
    EXPECT_EQ(k.grid->GetItemText(2, 2), QString());

    k.grid->SetSelectedRange(5, 5, 5, 5);
    k.key(Qt::Key_Delete);
    EXPECT_EQ(k.grid->GetItemText(5, 5), QString());
    EXPECT_EQ(k.grid->GetItemText(5, 4), QStringLiteral("5:4"));

    k.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(k.grid->GetSelectedCount(), 25); // every cell but the fixed ones
}

TEST(GridKeys, EnterAndTabMoveRightAndWrap)
{
    KeyGrid k;
    k.focus(1, 4);
    k.key(Qt::Key_Return);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(1, 5));
    k.key(Qt::Key_Tab);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(2, 1));
    k.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(1, 5));
    EXPECT_TRUE(k.grid->hasFocus());
    EXPECT_TRUE(k.grid->IsCellSelected(1, 5));
}

TEST(GridKeys, TabInTheLastCellLeavesTheGrid)
{
    KeyGrid k;
    k.focus(5, 5);
    k.key(Qt::Key_Tab);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(5, 5));
    EXPECT_TRUE(k.other->hasFocus());
}

TEST(GridKeys, ArrowsStepOverHiddenRowsAndStopAtTheFixedOnes)
{
    KeyGrid k;
    k.grid->SetRowHeight(3, 0);
    k.focus(2, 2);
    k.key(Qt::Key_Down);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(4, 2));
    k.key(Qt::Key_Up);
    k.key(Qt::Key_Up);
    k.key(Qt::Key_Up);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(1, 2));
    k.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(k.grid->IsCellSelected(1, 2));
    EXPECT_TRUE(k.grid->IsCellSelected(1, 3));
    k.key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(5, 5));
    k.key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(k.grid->GetFocusCell(), CGridCellPos(1, 1));
    const std::vector<int> codes = k.owner.codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), GridSelChanging), codes.end());
}

// A grid whose pointer is where the test puts it.
class PointerGrid : public TestGrid {
public:
    using TestGrid::TestGrid;
    using CGridCtrl::OnTimer;
    QPoint pointer;

protected:
    QPoint GetCursorClientPos() const override { return pointer; }
};

TEST(GridAutoScroll, PointerBelowTheGridMovesDownAndExtendsTheSelection)
{
    test::RecordingOwner owner;
    owner.resize(300, 200);
    auto* grid = new PointerGrid(30, 4, 1, 1, &owner);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setGeometry(0, 0, 300, 200);
    test::setUniformSizes(*grid, 60, 20);
    owner.show();
    grid->OnLButtonDown(0, QPoint(70, 30)); // cell (1, 1): selecting cells
    ASSERT_EQ(grid->GetMouseMode(), CGridCtrl::MouseSelectCells);

    grid->pointer = QPoint(70, 400);
    for (int i = 0; i < 12; ++i)
        grid->OnTimer(CGridCtrl::AutoScrollTimerId);
    EXPECT_GT(grid->GetFirstScrolledCell(true).row, 1);
    EXPECT_GT(grid->GetFocusCell().row, 9);
    EXPECT_TRUE(grid->IsCellSelected(1, 1));
    EXPECT_TRUE(grid->IsCellSelected(9, 1));
    EXPECT_FALSE(grid->IsCellSelected(9, 2));

    // Other timers do nothing.
    const CGridCellPos focus = grid->GetFocusCell();
    grid->OnTimer(1);
    EXPECT_EQ(grid->GetFocusCell(), focus);
    grid->OnLButtonUp(0, QPoint(70, 190));
}

// A grid whose drag is dropped at once on a target grid at a cell.
class DragGrid : public TestGrid {
public:
    using TestGrid::TestGrid;
    using CGridCtrl::OnBeginDrag;

    CGridCtrl* target = nullptr;
    QPoint dropPoint;
    UINT keyState = 0;

protected:
    Qt::DropAction DoDragDrop(std::unique_ptr<QMimeData> data) override
    {
        if (target->OnDragEnter(data.get(), keyState, dropPoint) == Qt::IgnoreAction)
            return Qt::IgnoreAction;
        const Qt::DropAction effect = target->OnDragOver(data.get(), keyState, dropPoint);
        return target->OnDrop(data.get(), effect, dropPoint) ? effect : Qt::IgnoreAction;
    }
};

struct DragSetup {
    test::RecordingOwner owner;
    DragGrid* source;
    DragGrid* other;

    DragSetup()
    {
        owner.resize(800, 300);
        source = new DragGrid(6, 6, 1, 1, &owner);
        other = new DragGrid(6, 6, 1, 1, &owner);
        for (DragGrid* grid : {source, other}) {
            grid->setFrameShape(QFrame::NoFrame);
            test::setUniformSizes(*grid, 60, 20);
            grid->EnableDragAndDrop(true);
            for (int row = 0; row < 6; ++row) {
                for (int col = 0; col < 6; ++col)
                    grid->SetItemText(row, col, QStringLiteral("%1:%2").arg(row).arg(col));
            }
        }
        source->setGeometry(0, 0, 390, 300);
        other->setGeometry(400, 0, 390, 300);
        owner.show();
        source->SetSelectedRange(1, 1, 1, 2);
    }
};

TEST(GridDrag, MoveOnTheSameGridPastesThenEmptiesTheSource)
{
    DragSetup d;
    d.source->target = d.source;
    d.source->dropPoint = QPoint(60 * 3 + 5, 20 * 4 + 5); // cell (4, 3)
    d.source->OnBeginDrag();
    EXPECT_EQ(d.source->GetItemText(4, 3), QStringLiteral("1:1"));
    EXPECT_EQ(d.source->GetItemText(4, 4), QStringLiteral("1:2"));
    EXPECT_EQ(d.source->GetItemText(1, 1), QString());
    EXPECT_EQ(d.source->GetItemText(1, 2), QString());
    EXPECT_EQ(d.source->GetMouseMode(), CGridCtrl::MouseIdle);
    EXPECT_FALSE(d.source->GetItemState(4, 3) & GridStateDropHighlighted);
    const std::vector<int> codes = d.owner.codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), GridBeginDrag), codes.end());
}

TEST(GridDrag, MoveOntoAnOverlappingCellKeepsTheDroppedText)
{
    DragSetup d;
    d.source->target = d.source;
    d.source->dropPoint = QPoint(60 * 2 + 5, 20 * 1 + 5); // cell (1, 2)
    d.source->OnBeginDrag();
    EXPECT_EQ(d.source->GetItemText(1, 1), QString());
    EXPECT_EQ(d.source->GetItemText(1, 2), QStringLiteral("1:1"));
    EXPECT_EQ(d.source->GetItemText(1, 3), QStringLiteral("1:2"));
}

TEST(GridDrag, CopyToAnotherGridKeepsTheSource)
{
    DragSetup d;
    d.source->target = d.other;
    d.source->keyState = CGridCtrl::MK_CONTROL;
    d.source->dropPoint = QPoint(60 * 1 + 5, 20 * 3 + 5); // cell (3, 1)
    d.source->OnBeginDrag();
    EXPECT_EQ(d.other->GetItemText(3, 1), QStringLiteral("1:1"));
    EXPECT_EQ(d.other->GetItemText(3, 2), QStringLiteral("1:2"));
    EXPECT_EQ(d.source->GetItemText(1, 1), QStringLiteral("1:1"));
}

TEST(GridDrag, DropEventsFromTheDesktopPasteAtTheCellUnderThePointer)
{
    DragSetup d;
    QMimeData data;
    data.setText(QStringLiteral("x\ty"));
    QWidget* view = d.other->viewport();
    const QPointF over(60 * 2 + 5, 20 * 2 + 5); // cell (2, 2)
    QDragEnterEvent enter(over.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(over.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::ControlModifier);
    QApplication::sendEvent(view, &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    EXPECT_TRUE(d.other->GetItemState(2, 2) & GridStateDropHighlighted);
    QDropEvent drop(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(view, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(d.other->GetItemText(2, 2), QStringLiteral("x"));
    EXPECT_EQ(d.other->GetItemText(2, 3), QStringLiteral("y"));
    EXPECT_FALSE(d.other->GetItemState(2, 2) & GridStateDropHighlighted);
}

TEST(GridDrag, NoDropWithoutDragAndDropOrOnAReadOnlyCell)
{
    DragSetup d;
    d.other->SetItemState(3, 1, GridStateReadOnly);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    EXPECT_EQ(d.other->OnDragEnter(&data, 0, QPoint(65, 65)), Qt::IgnoreAction);
    EXPECT_FALSE(d.other->OnDrop(&data, Qt::MoveAction, QPoint(65, 65)));
    d.other->EnableDragAndDrop(false);
    EXPECT_EQ(d.other->OnDragEnter(&data, 0, QPoint(125, 65)), Qt::IgnoreAction);
    EXPECT_EQ(d.other->GetItemText(3, 1), QStringLiteral("3:1"));
}

} // namespace
