// The grid on the screen: geometry, scrolling, painting and the mouse.

#include "tests/grid/testgrid.h"

#include "platform/recordingdc.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;
using platform::Rect;
using test::TestGrid;

namespace {

// An owner window of a fixed size holding a grid over its whole area.
struct Shown {
    test::RecordingOwner owner;
    TestGrid* grid;

    Shown(int rows, int cols, int fixedRows, int fixedCols, int width = 400, int height = 300)
    {
        owner.resize(width, height);
        grid = new TestGrid(rows, cols, fixedRows, fixedCols, &owner);
        grid->setFrameShape(QFrame::NoFrame);
        grid->setGeometry(0, 0, width, height);
        owner.show();
    }
    QWidget* view() const { return grid->viewport(); }
};

TEST(GridGeometry, CellRectIsInclusiveAndInvalidationGrowsIt)
{
    Shown s(3, 3, 0, 0);
    s.grid->SetColumnWidth(0, 100);
    s.grid->SetRowHeight(0, 20);
    Rect rect;
    ASSERT_TRUE(s.grid->GetCellRect(0, 0, &rect));
    EXPECT_EQ(rect, Rect(0, 0, 99, 19));
    s.grid->invalidated.clear();
    EXPECT_TRUE(s.grid->InvalidateCell(0, 0));
    ASSERT_EQ(s.grid->invalidated.size(), 1u);
    EXPECT_EQ(s.grid->invalidated[0], Rect(0, 0, 100, 20));

    s.grid->AllowDraw(false);
    EXPECT_FALSE(s.grid->InvalidateCell(0, 0));
    EXPECT_FALSE(s.grid->RedrawCell(0, 0));
}

struct PointCase {
    const char* name;
    QPoint point;
    bool allowFixed;
    CGridCellPos expected;
};

void PrintTo(const PointCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridCellFromPoint : public ::testing::TestWithParam<PointCase> {};

TEST_P(GridCellFromPoint, FindsTheCellUnderAPoint)
{
    const PointCase& c = GetParam();
    Shown s(10, 6, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20); // columns 0..299, rows 0..199
    EXPECT_EQ(s.grid->CellFromPoint(c.point, c.allowFixed), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, GridCellFromPoint,
    ::testing::Values(PointCase{"scrolled", {120, 45}, true, {2, 2}},
                      PointCase{"fixedColumnAllowed", {10, 45}, true, {2, 0}},
                      PointCase{"fixedColumnRefused", {10, 45}, false, {2, -1}},
                      PointCase{"fixedRowRefused", {120, 5}, false, {-1, 2}},
                      PointCase{"corner", {0, 0}, true, {0, 0}},
                      PointCase{"rightOfTheColumns", {310, 45}, true, {2, -1}},
                      PointCase{"belowTheRows", {120, 210}, true, {-1, 2}},
                      PointCase{"negative", {-1, -1}, true, {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridGeometry, FirstScrolledCellNeverPassesTheLastCell)
{
    Shown s(30, 5, 1, 1, 200, 150);
    test::setUniformSizes(*s.grid, 60, 20);
    s.grid->ResetScrollBars();
    s.grid->OnVScroll(CGridCtrl::SB_BOTTOM);
    s.grid->OnHScroll(CGridCtrl::SB_RIGHT);
    const CGridCellPos first = s.grid->GetFirstScrolledCell(true);
    EXPECT_LE(first.row, 29);
    EXPECT_LE(first.col, 4);
    EXPECT_TRUE(s.grid->IsCellOnScreen(29, 4));

    // Rows above the first scrolled one have no rectangle; fixed cells always do.
    Rect rect;
    EXPECT_FALSE(s.grid->GetCellRect(1, 1, &rect));
    EXPECT_TRUE(s.grid->GetCellRect(0, 0, &rect));
    EXPECT_TRUE(s.grid->GetCellRect(first, &rect));
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.top, 20);
}

TEST(GridGeometry, ScrollBarsOnlyWhenTheCellsDoNotFit)
{
    Shown s(5, 3, 1, 1, 400, 300);
    test::setUniformSizes(*s.grid, 50, 20);
    s.grid->ResetScrollBars();
    EXPECT_FALSE(s.grid->verticalScrollBar()->isVisible());
    EXPECT_FALSE(s.grid->horizontalScrollBar()->isVisible());
    s.grid->SetRowCount(100);
    test::setUniformSizes(*s.grid, 50, 20);
    EXPECT_TRUE(s.grid->verticalScrollBar()->isVisible());
    EXPECT_EQ(s.grid->verticalScrollBar()->maximum(),
              99 * 20 - (s.grid->viewport()->height() - 20));
    s.grid->SetRowCount(0);
    EXPECT_FALSE(s.grid->verticalScrollBar()->isVisible());
}

TEST(GridScroll, HiddenRowsCostNoScrolling)
{
    const auto stepsTo = [](bool hide) {
        Shown s(60, 3, 1, 0, 300, 200);
        test::setUniformSizes(*s.grid, 80, 20);
        if (hide) {
            for (int row = 12; row < 17; ++row)
                s.grid->SetRowHeight(row, 0);
        }
        s.grid->scrollSteps = 0;
        s.grid->ScrollCellIntoView(25, 1);
        EXPECT_TRUE(s.grid->IsCellOnScreen(25, 1));
        Rect rect;
        EXPECT_TRUE(s.grid->GetCellRect(25, 1, &rect));
        EXPECT_LE(rect.bottom, s.grid->GetClientRect().bottom);
        return s.grid->scrollSteps;
    };
    const int plain = stepsTo(false);
    const int hidden = stepsTo(true);
    EXPECT_GT(plain, 0);
    EXPECT_EQ(hidden, plain - 5);
}

TEST(GridScroll, LinesAndPagesMoveByRowHeights)
{
    Shown s(100, 3, 1, 0, 300, 200);
    test::setUniformSizes(*s.grid, 80, 20);
    s.grid->SetRowHeight(1, 35);
    s.grid->OnVScroll(CGridCtrl::SB_LINEDOWN);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), 35);
    EXPECT_EQ(s.grid->GetFirstScrolledCell(), CGridCellPos(2, 0));
    s.grid->OnVScroll(CGridCtrl::SB_LINEUP);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), 0);
    s.grid->OnVScroll(CGridCtrl::SB_LINEUP); // already at the top
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), 0);
    s.grid->OnVScroll(CGridCtrl::SB_PAGEDOWN);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), s.grid->GetClientRect().Height() - 20);

    // The scroll bar's own arrows and page areas step the same way.
    s.grid->OnVScroll(CGridCtrl::SB_TOP);
    QScrollBar* bar = s.grid->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), 35);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar->value(), 35 + 20);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(bar->value(), 35);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(s.grid->IsCellOnScreen(99, 0));
}

// Moves the pointer to `point`, coming from a pixel away so that the move
// is always delivered.
void moveTo(QWidget* view, QPoint point)
{
    QTest::mouseMove(view, point + QPoint(1, 1));
    QTest::mouseMove(view, point);
}

// A double click as the desktop delivers it: a click, then the second press
// as a double click.
void doubleClick(QWidget* view, QPoint point)
{
    QTest::mouseClick(view, Qt::LeftButton, {}, point);
    QTest::mouseDClick(view, Qt::LeftButton, {}, point);
}

void wheel(QWidget* target, int delta)
{
    QWheelEvent event(QPointF(50, 50), target->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

TEST(GridMouse, WheelNotchMovesThreeLinesOrAPage)
{
    Shown s(200, 3, 1, 0, 300, 200);
    test::setUniformSizes(*s.grid, 80, 20);
    s.grid->m_nRowsPerWheelNotch = 3;
    wheel(s.view(), -120);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), 3 * 20);
    EXPECT_EQ(s.grid->GetFirstScrolledCell(), CGridCellPos(4, 0));
    wheel(s.view(), 120);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), 0);

    s.grid->m_nRowsPerWheelNotch = CGridCtrl::WHEEL_PAGESCROLL;
    wheel(s.view(), -120);
    EXPECT_EQ(s.grid->GetScrollPosition(CGridCtrl::SB_VERT), s.grid->GetClientRect().Height() - 20);
}

struct SizingCase {
    const char* name;
    int pressX;   // in the fixed row
    int releaseX;
    bool allowHide;
    int column;
    int width;
};

void PrintTo(const SizingCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridColumnSizing : public ::testing::TestWithParam<SizingCase> {};

TEST_P(GridColumnSizing, BorderDragSizesTheColumn)
{
    const SizingCase& c = GetParam();
    Shown s(5, 4, 1, 0);
    test::setUniformSizes(*s.grid, 100, 20); // borders at 100, 200, 300
    s.grid->EnableColumnHide(c.allowHide);
    moveTo(s.view(), QPoint(c.pressX, 5));
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MouseOverColumnBorder);
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(c.pressX, 5));
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MouseSizingColumn);
    QTest::mouseMove(s.view(), QPoint((c.pressX + c.releaseX) / 2, 5));
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(c.releaseX, 5));
    EXPECT_EQ(s.grid->GetColumnWidth(c.column), c.width);
    for (int col = 0; col < 4; ++col) {
        if (col != c.column) {
            EXPECT_EQ(s.grid->GetColumnWidth(col), 100);
        }
    }
    EXPECT_EQ(s.owner.notes.size(), 0u); // sizing selects nothing
}

INSTANTIATE_TEST_SUITE_P(
    Borders, GridColumnSizing,
    ::testing::Values(SizingCase{"rightBorder", 99, 150, true, 0, 150},
                      SizingCase{"justRightOfTheLeftBorder", 201, 260, true, 1, 160},
                      SizingCase{"narrower", 198, 130, true, 1, 30},
                      SizingCase{"toZeroHides", 99, 0, true, 0, 0},
                      SizingCase{"toZeroKeepsOnePixel", 99, 0, false, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridMouse, DoubleClickOnAColumnBorderFitsTheColumn)
{
    Shown s(4, 3, 1, 0);
    test::setUniformSizes(*s.grid, 100, 20);
    test::useFixedMetrics(*s.grid, 20, 2);
    // (An empty cell would count with the default cell's width.)
    const QStringList texts{"AB", "A", "ABCDEFGHIJ", "ABC"};
    for (int row = 0; row < 4; ++row)
        s.grid->SetItemText(row, 0, texts[row]);
    moveTo(s.view(), QPoint(99, 5));
    doubleClick(s.view(), QPoint(99, 5));
    EXPECT_EQ(s.grid->GetColumnWidth(0), 10 * 10 + 4 * 2);
    EXPECT_EQ(s.grid->GetColumnWidth(1), 100);
}

TEST(GridMouse, ClickOnACellSelectsItAndTellsTheOwner)
{
    Shown s(10, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    s.grid->SetDlgCtrlID(77);
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(120, 45)); // cell (2, 2)
    EXPECT_EQ(s.grid->GetFocusCell(), CGridCellPos(2, 2));
    EXPECT_TRUE(s.grid->IsCellSelected(2, 2));
    EXPECT_EQ(s.owner.codes(), std::vector<int>({GridSelChanging, GridSelChanged, NM_CLICK}));
    EXPECT_EQ(s.owner.notes.back().iRow, 2);
    EXPECT_EQ(s.owner.notes.back().iColumn, 2);
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MouseIdle);

    EXPECT_EQ(s.owner.commands, 0); // posted, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(s.owner.commands, 1);
    EXPECT_EQ(s.owner.commandId, 77u);
}

TEST(GridMouse, DragSelectsABlockAndShiftExtendsIt)
{
    Shown s(10, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(60, 25)); // (1, 1)
    QTest::mouseMove(s.view(), QPoint(160, 65));                      // (3, 3)
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(160, 65));
    EXPECT_EQ(s.grid->GetSelectedCellRange(), CGridCellSpan(1, 1, 3, 3));
    EXPECT_EQ(s.grid->GetFocusCell(), CGridCellPos(3, 3));

    // Ctrl adds to the selection, and a Ctrl click on a selected cell takes it out.
    QTest::mouseClick(s.view(), Qt::LeftButton, Qt::ControlModifier, QPoint(210, 105)); // (5, 4)
    EXPECT_EQ(s.grid->GetSelectedCount(), 10);
    QTest::mouseClick(s.view(), Qt::LeftButton, Qt::ControlModifier, QPoint(110, 45)); // (2, 2)
    EXPECT_FALSE(s.grid->IsCellSelected(2, 2));
    EXPECT_EQ(s.grid->GetSelectedCount(), 9);
    EXPECT_EQ(s.grid->GetFocusCell(), CGridCellPos(2, 2));

    // Shift extends from the anchor.
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(60, 25)); // (1, 1)
    QTest::mouseClick(s.view(), Qt::LeftButton, Qt::ShiftModifier, QPoint(210, 105)); // (5, 4)
    EXPECT_EQ(s.grid->GetSelectedCellRange(), CGridCellSpan(1, 1, 5, 4));
    EXPECT_EQ(s.grid->GetSelectedCount(), 5 * 4);
}

TEST(GridMouse, LosingTheMouseToAPopupStopsTheAutoScroll)
{
    Shown s(10, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(60, 25));
    EXPECT_EQ(s.grid->m_nTimerID, CGridCtrl::AutoScrollTimerId);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(s.grid, &focusOut);
    EXPECT_EQ(s.grid->m_nTimerID, 0u);
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(60, 25));
}

TEST(GridMouse, PressOutsideTheCellsDoesNothing)
{
    Shown s(3, 3, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(60, 250));
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MouseIdle);
    EXPECT_EQ(s.grid->m_nTimerID, 0u);
    EXPECT_EQ(s.grid->GetSelectedCount(), 0);
    EXPECT_TRUE(s.owner.notes.empty());
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(60, 250));
    QCoreApplication::processEvents();
    EXPECT_EQ(s.owner.commands, 0);
}

TEST(GridMouse, SecondPressInTheFocusCellTextEditsOnRelease)
{
    Shown s(5, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(70, 30)); // focus (1, 1)
    ASSERT_EQ(s.grid->GetFocusCell(), CGridCellPos(1, 1));
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(70, 30));
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MousePrepareEdit);
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(70, 30));
    ASSERT_EQ(s.grid->edits.size(), 1u);
    EXPECT_EQ(s.grid->edits[0].ch, CGridCtrl::VK_LBUTTON);
    EXPECT_EQ(s.grid->edits[0].point, QPoint(20, 10)); // relative to the cell

    // Moving before the release turns the prepared edit into a drag, and the
    // release then resets the selection.
    s.owner.notes.clear();
    QTest::mousePress(s.view(), Qt::LeftButton, {}, QPoint(70, 30));
    QTest::mouseMove(s.view(), QPoint(75, 32));
    EXPECT_EQ(s.grid->m_MouseMode, CGridCtrl::MousePrepareDrag);
    QTest::mouseRelease(s.view(), Qt::LeftButton, {}, QPoint(75, 32));
    EXPECT_EQ(s.grid->edits.size(), 1u);
    EXPECT_EQ(s.owner.codes(), std::vector<int>({NM_CLICK, GridSelChanging, GridSelChanged}));
    EXPECT_EQ(s.grid->GetSelectedCount(), 0);
}

TEST(GridMouse, HeadingClickSelectsTheColumnAndSortsWhenAsked)
{
    Shown s(4, 3, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    const QStringList texts{"b", "a", "c"};
    for (int row = 1; row < 4; ++row)
        s.grid->SetItemText(row, 2, texts[row - 1]);
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(120, 5)); // heading of column 2
    EXPECT_EQ(s.grid->GetSelectedCellRange(), CGridCellSpan(1, 2, 3, 2));
    EXPECT_EQ(s.grid->GetItemText(1, 2), QStringLiteral("b"));

    s.grid->SetHeaderSort(true);
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_EQ(s.grid->GetItemText(1, 2), QStringLiteral("a"));
    EXPECT_EQ(s.grid->GetItemText(3, 2), QStringLiteral("c"));
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_EQ(s.grid->GetItemText(1, 2), QStringLiteral("c"));
    EXPECT_FALSE(s.grid->GetSortAscending());

    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(10, 45)); // fixed column of row 2
    EXPECT_EQ(s.grid->GetSelectedCellRange(), CGridCellSpan(2, 1, 2, 2));
    QTest::mouseClick(s.view(), Qt::LeftButton, {}, QPoint(10, 5)); // corner
    EXPECT_EQ(s.grid->GetSelectedCount(), 3 * 2);
}

TEST(GridMouse, RightClickOnAFixedCellFocusesTheFirstScrolledCell)
{
    Shown s(5, 5, 2, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QTest::mouseClick(s.view(), Qt::RightButton, {}, QPoint(120, 5)); // (0, 2)
    EXPECT_EQ(s.grid->GetFocusCell(), CGridCellPos(2, 2));
    ASSERT_EQ(s.owner.codes(), std::vector<int>({NM_RCLICK}));
    EXPECT_EQ(s.owner.notes[0].iRow, 0);
    QTest::mouseClick(s.view(), Qt::RightButton, {}, QPoint(390, 290));
    EXPECT_EQ(s.owner.notes.back().iRow, -1);
    EXPECT_EQ(s.owner.notes.back().iColumn, -1);
}

TEST(GridMouse, DoubleClickInACellEditsAndTellsTheOwner)
{
    Shown s(5, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    doubleClick(s.view(), QPoint(70, 30));
    ASSERT_FALSE(s.grid->edits.empty());
    EXPECT_EQ(s.grid->edits.back().row, 1);
    const std::vector<int> codes = s.owner.codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), NM_DBLCLK), codes.end());
}

TEST(GridDraw, FourPassesDrawEveryVisibleCellOnce)
{
    Shown s(50, 8, 1, 1, 300, 200);
    test::setUniformSizes(*s.grid, 60, 20);
    for (int row = 0; row < 50; ++row) {
        for (int col = 0; col < 8; ++col)
            s.grid->SetItemText(row, col, QStringLiteral("%1/%2").arg(row).arg(col));
    }
    platform::RecordingDc dc;
    s.grid->OnDraw(&dc);
    const QStringList texts = dc.texts();
    const CGridCellSpan visible = s.grid->GetVisibleScrollRange();
    EXPECT_EQ(texts.size(), (visible.GetMaxRow() + 1) * (visible.GetMaxCol() + 1));
    EXPECT_TRUE(texts.contains(QStringLiteral("0/0")));
    EXPECT_TRUE(texts.contains(QStringLiteral("%1/%2").arg(visible.GetMaxRow()).arg(visible.GetMaxCol())));
    EXPECT_FALSE(texts.contains(QStringLiteral("49/7")));
    // Grid lines, in the grid-line colour, one per visible scrolled row and column.
    int gridLines = 0;
    for (const auto& segment : dc.segments()) {
        if (segment.pen.color() == s.grid->GetGridLineColor())
            ++gridLines;
    }
    EXPECT_EQ(gridLines, (visible.GetMaxRow() - visible.GetMinRow() + 1)
                             + (visible.GetMaxCol() - visible.GetMinCol() + 1));

    s.grid->SetGridLines(CGridCtrl::GVL_NONE);
    platform::RecordingDc none;
    s.grid->OnDraw(&none);
    for (const auto& segment : none.segments())
        EXPECT_NE(segment.pen.color(), s.grid->GetGridLineColor());

    s.grid->AllowDraw(false);
    platform::RecordingDc disallowed;
    s.grid->OnDraw(&disallowed);
    EXPECT_TRUE(disallowed.records().empty());
}

TEST(GridDraw, DragImageIsTheFocusCell)
{
    Shown s(5, 5, 1, 1);
    test::setUniformSizes(*s.grid, 50, 20);
    QPoint hotSpot(-1, -1);
    EXPECT_TRUE(s.grid->CreateDragImage(&hotSpot).isNull());
    s.grid->SetItemText(2, 2, QStringLiteral("d"));
    s.grid->SetFocusCell(2, 2);
    const QImage image = s.grid->CreateDragImage(&hotSpot);
    EXPECT_EQ(image.size(), QSize(50, 20));
    EXPECT_EQ(hotSpot, QPoint(49, 19));
    // The normal background is see-through; the focus frame is not.
    EXPECT_EQ(qAlpha(image.pixel(45, 10)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 10)), 255);
}

TEST(GridDraw, VirtualGridHintsTheVisibleRangeAroundDrawing)
{
    Shown s(0, 0, 0, 0, 300, 200);
    s.grid->SetVirtualMode(true);
    s.grid->SetRowCount(1000);
    s.grid->SetColumnCount(5);
    s.grid->SetFixedRowCount(1);
    test::setUniformSizes(*s.grid, 50, 20);
    platform::RecordingDc dc;
    s.owner.hints.clear();
    s.grid->OnDraw(&dc);
    ASSERT_EQ(s.owner.hints.size(), 2u);
    EXPECT_EQ(s.owner.hints[0].range, s.grid->GetVisibleScrollRange());
    EXPECT_EQ(s.owner.hints[1].range, CGridCellSpan(-1, -1, -1, -1));
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("3:2")));
}

TEST(GridDemo, ThousandRowsScrollAndRepaint)
{
    Shown s(1000, 10, 1, 1, 500, 300);
    for (int row = 0; row < 1000; ++row) {
        for (int col = 0; col < 10; ++col)
            s.grid->SetItemText(row, col, QStringLiteral("R%1C%2").arg(row).arg(col));
    }
    s.grid->SetSelectedRange(10, 2, 14, 4);
    s.grid->SetFocusCell(12, 3);
    for (int page = 0; page < 60; ++page) {
        s.grid->OnVScroll(CGridCtrl::SB_PAGEDOWN);
        s.grid->OnHScroll(page % 2 ? CGridCtrl::SB_LINELEFT : CGridCtrl::SB_LINERIGHT);
        const QImage image = s.grid->grab().toImage();
        ASSERT_FALSE(image.isNull());
    }
    s.grid->OnVScroll(CGridCtrl::SB_BOTTOM);
    s.grid->OnHScroll(CGridCtrl::SB_RIGHT);
    EXPECT_TRUE(s.grid->IsCellOnScreen(999, 9));
    platform::RecordingDc dc;
    s.grid->OnDraw(&dc);
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("R999C9")));
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("R0C9"))); // the heading row stays
    s.grid->OnVScroll(CGridCtrl::SB_TOP);
    EXPECT_EQ(s.grid->GetFirstScrolledCell().row, 1);
}

TEST(GridDemo, Screenshot)
{
    Shown s(30, 7, 1, 1, 520, 260);
    s.grid->SetColumnWidth(0, 60);
    for (int col = 1; col < 7; ++col) {
        s.grid->SetColumnWidth(col, 70);
        s.grid->SetItemText(0, col, QStringLiteral("列 %1").arg(col));
    }
    for (int row = 1; row < 30; ++row) {
        s.grid->SetItemText(row, 0, QString::number(row));
        for (int col = 1; col < 7; ++col)
            s.grid->SetItemText(row, col, QStringLiteral("%1").arg(row * 100 + col));
    }
    s.grid->SetItemBkColour(2, 2, RGB(255, 230, 160));
    s.grid->SetItemTextColour(3, 3, RGB(200, 0, 0));
    s.grid->SetItemBkColour(4, 5, RGB(200, 240, 200));
    s.grid->SetSortColumn(2);
    s.grid->SetSelectedRange(5, 2, 7, 4);
    s.grid->SetFocusCell(6, 3);
    const QString path = QDir::tempPath() + QStringLiteral("/grid_screenshot.png");
    ASSERT_TRUE(s.grid->grab().save(path));
}

} // namespace
