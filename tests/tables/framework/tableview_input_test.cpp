// The table view's input: clicks that select rows and start edits, the title
// block and the rows off the page, the cover, dragging the page, the zoom
// window, the wheel, the keyboard and the text size commands.

#include "tables/framework/ui/tableview.h"

#include "tableview_support.h"

#include "envora/usercustom.h"

#include <QRubberBand>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

using platform::Rect;
using test::GridSheet;
using View = CVes_TableViewBase;

namespace {

struct InputFixture : test::ShownView<GridSheet> {
    void select(std::initializer_list<int> rows)
    {
        sheet.clearSelect();
        for (int row : rows)
            sheet.AddSelect(row, 0);
    }
    static QPoint cell(int row, int column) { return GridSheet::cellCentre(row, column); }
};

// Selection by clicks

struct SelectCase {
    const char* name;
    int page;
    QList<int> before;
    Qt::KeyboardModifiers modifiers;
    int row;
    QList<int> after;
};

std::ostream& operator<<(std::ostream& os, const SelectCase& c) { return os << c.name; }

class ViewClickSelection : public InputFixture, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(ViewClickSelection, SelectsAsTheKeysSay)
{
    const SelectCase& c = GetParam();
    sheet.setPageTo(c.page, 1);
    select({});
    for (int row : c.before)
        sheet.AddSelect(row, 0);
    view.click(cell(c.row, 1), c.modifiers);
    EXPECT_EQ(sheet.getSelection(), c.after);
    EXPECT_TRUE(view.editCells.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ViewClickSelection,
    ::testing::Values(
        SelectCase{"PlainClickSelectsTheRowAlone", 1, {2, 6}, Qt::NoModifier, 4, {4}},
        SelectCase{"CtrlClickDeselectsASelectedRow", 1, {2, 6}, Qt::ControlModifier, 6, {2}},
        SelectCase{"CtrlClickAddsARow", 1, {2, 6}, Qt::ControlModifier, 4, {2, 4, 6}},
        SelectCase{"ShiftClickDownFromTheAnchor", 1, {3}, Qt::ShiftModifier, 7, {3, 4, 5, 6, 7}},
        SelectCase{"ShiftClickUpFromTheAnchor", 1, {7, 9}, Qt::ShiftModifier, 5, {5, 6, 7}},
        SelectCase{"ShiftClickOnTheAnchor", 1, {3, 8}, Qt::ShiftModifier, 3, {3}},
        SelectCase{"ShiftClickWithoutSelection", 1, {}, Qt::ShiftModifier, 5, {5}},
        SelectCase{"AnEmptyRowClearsTheSelection", 3, {2}, Qt::NoModifier, 7, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputFixture, TheSecondClickOnTheCurrentCellEditsIt)
{
    view.click(cell(4, 1));
    EXPECT_EQ(sheet.getCurRow(), 4);
    EXPECT_EQ(sheet.getCurCol(), 1);
    EXPECT_TRUE(view.editCells.isEmpty());
    // Another column of the same row only moves the current column.
    view.click(cell(4, 2));
    EXPECT_EQ(sheet.getCurCol(), 2);
    EXPECT_TRUE(view.editCells.isEmpty());
    view.click(cell(4, 2));
    EXPECT_EQ(view.editCells, QStringList{"4,2"});
    EXPECT_EQ(sheet.getSelection(), QList<int>{4});
    // With Ctrl the same click only toggles the row.
    view.click(cell(4, 2), Qt::ControlModifier);
    EXPECT_EQ(view.editCells.size(), 1);
    EXPECT_TRUE(sheet.getSelection().isEmpty());
}

struct OffPageCase {
    const char* name;
    int row; // -1: the title text
    int column;
    int currentRow;
    int currentColumn;
};

std::ostream& operator<<(std::ostream& os, const OffPageCase& c) { return os << c.name; }

class ViewOffPageClick : public InputFixture, public ::testing::WithParamInterface<OffPageCase> {};

// The caption row, the title block and a row below the page's rows clear
// the selection and become the current row and column.
TEST_P(ViewOffPageClick, ClearsTheSelectionAndMovesTheCurrentCell)
{
    const OffPageCase& c = GetParam();
    select({2, 3});
    sheet.setCurRow(2);
    const QPoint at = c.row == -1 ? sheet.titleCentre() : cell(c.row, c.column);
    view.click(at);
    EXPECT_TRUE(sheet.getSelection().isEmpty());
    EXPECT_EQ(sheet.getCurRow(), c.currentRow);
    EXPECT_EQ(sheet.getCurCol(), c.currentColumn);
    EXPECT_TRUE(view.editCells.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Places, ViewOffPageClick,
    ::testing::Values(OffPageCase{"TitleText", -1, 0, CVes_TableBase::kTitleTextRow, 1},
                      OffPageCase{"CaptionRow", 0, 2, 0, 2},
                      OffPageCase{"RowBelowThePage", 11, 1, 11, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputFixture, AClickOnTheDeskOnlyClearsTheSelection)
{
    select({2, 3});
    sheet.setCurRow(2);
    view.click(QPoint(1050, 800));
    EXPECT_TRUE(sheet.getSelection().isEmpty());
    EXPECT_EQ(sheet.getCurRow(), -1); // no current row without a selection
    EXPECT_TRUE(view.editCells.isEmpty());
}

TEST_F(InputFixture, AClickEndsTheOpenEditorFirst)
{
    view.openEditor(3, 1, "C25");
    view.click(cell(5, 1));
    EXPECT_EQ(view.cellEdits, QStringList{"3,1 C25"});
    EXPECT_EQ(view.isHaveEditWnd(), 0);
    EXPECT_EQ(sheet.getSelection(), QList<int>{5});
}

TEST_F(InputFixture, WithoutATableInputDoesNothing)
{
    view.setTable(nullptr);
    view.click(cell(4, 1));
    view.wheel(cell(4, 1), 120);
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.isButtonDown(), 0);
    EXPECT_TRUE(sheet.calls.isEmpty());
    EXPECT_EQ(sheet.getCurPage(), 1);
}

// The cover

struct CoverFixture : InputFixture {
    void SetUp() override
    {
        InputFixture::SetUp();
        test::layOutCover(sheet);
    }
    static QPoint coverRow(int row) { return test::coverRowCentre(row); }
};

TEST_F(CoverFixture, AClickPicksTheCoverTextAndADoubleClickEditsIt)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    view.click(coverRow(3));
    EXPECT_EQ(sheet.m_cover.m_curVar, 3);
    EXPECT_EQ(sheet.m_cover.m_curCol, 0);
    view.mouse(QEvent::MouseButtonDblClick, coverRow(3), Qt::LeftButton, Qt::LeftButton);
    auto* editor = view.viewport()->findChild<CVes_InPlaceEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "工程名称");
    EXPECT_EQ(view.getCurEditVar(), sheet.m_cover.m_variables[3].get());
    editor->setText("一号楼");
    editor->EndEdit();
    EXPECT_EQ(sheet.m_cover.m_variables[3]->m_formula, "一号楼");
}

TEST_F(CoverFixture, ADoubleClickOffTheCoverEditsNothing)
{
    sheet.setPageTo(1, 1);
    view.mouse(QEvent::MouseButtonDblClick, cell(3, 1), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(view.viewport()->findChild<CVes_InPlaceEdit*>(), nullptr);
    EXPECT_EQ(view.findChild<CVes_EditRecordDlg*>(), nullptr);
    EXPECT_TRUE(view.editCells.isEmpty());
}

struct TextSizeCase {
    bool bigger;
    int height;
    int expected;
};

class CoverTextSize : public CoverFixture, public ::testing::WithParamInterface<TextSizeCase> {};

TEST_P(CoverTextSize, ScalesTheCurrentCoverText)
{
    const TextSizeCase& c = GetParam();
    sheet.m_cover.m_curVar = 3;
    CVes_Variable* text = sheet.m_cover.m_variables[3].get();
    text->m_height = c.height;
    c.bigger ? view.doTextbig() : view.doTextsmall();
    EXPECT_EQ(text->m_height, c.expected);
    EXPECT_EQ(sheet.m_cover.m_variables[2]->m_height, CVes_TableCover::kTextHeight);
}

INSTANTIATE_TEST_SUITE_P(Heights, CoverTextSize,
                         ::testing::Values(TextSizeCase{true, 50, 55}, TextSizeCase{true, 9, 9},
                                           TextSizeCase{false, 50, 45},
                                           TextSizeCase{false, 1, 1})); // never below 1

// Dragging the page

struct DragCase {
    const char* name;
    Qt::MouseButton button;
    float start;   // both offsets
    QPoint from;   // 0.1 mm
    QPoint travel; // in scroll percents of the zoomed page, and a half
    bool inPage;
    int expectedX;
    int expectedY;
};

std::ostream& operator<<(std::ostream& os, const DragCase& c) { return os << c.name; }

class ViewDrag : public InputFixture, public ::testing::WithParamInterface<DragCase> {};

TEST_P(ViewDrag, MovesThePageByWholePercentsWhileOnThePage)
{
    const DragCase& c = GetParam();
    sheet.setScale(3.0);
    view.setScrollOffsets(c.start, c.start);
    double unitX = 0, unitY = 0;
    sheet.getScollUnit(view.DPtoLP(Rect(0, 0, view.viewport()->width(), view.viewport()->height())),
                       3.0, unitX, unitY);
    ASSERT_GT(unitX, 5.0);
    const auto half = [](int steps) { return steps + (steps < 0 ? -0.5 : 0.5); };
    const QPoint to = c.from + QPoint(int(half(c.travel.x()) * unitX),
                                      int(half(c.travel.y()) * unitY));
    view.mouse(QEvent::MouseButtonPress, c.from, c.button, c.button);
    EXPECT_EQ(view.isButtonDown(), 1);
    view.mouse(QEvent::MouseMove, to, Qt::NoButton, c.button);
    EXPECT_EQ(view.isPointerInPage(), c.inPage ? 1 : 0);
    EXPECT_FLOAT_EQ(view.scrollX(), float(c.expectedX));
    EXPECT_FLOAT_EQ(view.scrollY(), float(c.expectedY));
    EXPECT_EQ(view.horizontalScrollBar()->value(), c.expectedX);
    view.mouse(QEvent::MouseButtonRelease, to, c.button, Qt::NoButton);
    EXPECT_EQ(view.isButtonDown(), 0);
    // Moves after the release do not drag.
    view.mouse(QEvent::MouseMove, to + QPoint(400, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_FLOAT_EQ(view.scrollX(), float(c.expectedX));
}

INSTANTIATE_TEST_SUITE_P(
    Drags, ViewDrag,
    ::testing::Values(
        DragCase{"LeftRightAndDown", Qt::LeftButton, 50, {200, 200}, {3, 2}, true, 47, 48},
        DragCase{"MiddleLeftAndUp", Qt::MiddleButton, 50, {700, 600}, {-4, -1}, true, 54, 51},
        DragCase{"ClampedAtZero", Qt::LeftButton, 1, {150, 150}, {3, 0}, true, 0, 1},
        DragCase{"ClampedAtHundred", Qt::LeftButton, 99, {700, 600}, {-3, -2}, true, 100, 100},
        DragCase{"OffThePageNothingMoves", Qt::LeftButton, 50, {800, 400}, {20, 0}, false, 50, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputFixture, ADragThatLeavesThePageStopsAndGoesOnWhenItComesBack)
{
    sheet.setScale(3.0);
    view.setScrollOffsets(50.0f, 50.0f);
    view.mouse(QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
    view.mouse(QEvent::MouseMove, {1000, 300}, Qt::NoButton, Qt::LeftButton); // off the paper
    EXPECT_EQ(view.isPointerInPage(), 0);
    EXPECT_FLOAT_EQ(view.scrollX(), 50.0f);
    view.mouse(QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view.isPointerInPage(), 1);
    EXPECT_FLOAT_EQ(view.scrollX(), 50.0f); // back where it started
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(InputFixture, AtZoomOneADragMovesNothing)
{
    view.mouse(QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    view.mouse(QEvent::MouseMove, {600, 500}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view.scrollX(), 0.0f);
    EXPECT_FLOAT_EQ(view.scrollY(), 0.0f);
}

TEST_F(InputFixture, ThePointerShowsWhereACellCanBeEdited)
{
    view.editableColumn = 2;
    view.mouse(QEvent::MouseMove, cell(3, 2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::IBeamCursor);
    view.mouse(QEvent::MouseMove, cell(3, 1), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
    sheet.setPageTo(3, 1); // rows 6 to 10 are empty there
    view.mouse(QEvent::MouseMove, cell(8, 2), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

// Zoom window

TEST_F(InputFixture, TheZoomWindowTakesTwoClicksAndFitsTheWindow)
{
    sheet.setScale(1.0);
    QSignalSpy shown(&view, &View::zoomShown);
    ASSERT_TRUE(view.handleMessage(View::kZoomWin));
    const QPoint first(200, 200), second(500, 400);
    view.click(first);
    EXPECT_DOUBLE_EQ(sheet.getScale(), 1.0);
    EXPECT_EQ(view.isButtonDown(), 1); // the band follows the pointer now
    view.mouse(QEvent::MouseMove, QPoint(400, 300), Qt::NoButton, Qt::NoButton);
    auto* band = view.viewport()->findChild<QRubberBand*>();
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisible());
    EXPECT_EQ(band->geometry(), QRect(view.LPtoDP(first), view.LPtoDP(QPoint(400, 300))).normalized());
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::CrossCursor);

    const QPoint a = view.LPtoDP(first), b = view.LPtoDP(second);
    view.click(second);
    // The window is fitted into the client area that the shown scroll bars
    // leave.
    const double factor = std::min(double(view.viewport()->width()) / std::abs(a.x() - b.x()),
                                   double(view.viewport()->height()) / std::abs(a.y() - b.y()));
    EXPECT_DOUBLE_EQ(sheet.getScale(), factor);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(view.isZoomWindowArmed(), 0);
    EXPECT_EQ(view.isButtonDown(), 0);
    EXPECT_FALSE(band->isVisible());
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_GE(view.scrollX(), 0.0f);
    EXPECT_LE(view.scrollX(), 100.0f);
}

TEST_F(InputFixture, AZoomWindowOfOnePointKeepsTheZoom)
{
    sheet.setScale(2.5);
    view.OnZoomWin();
    view.click(cell(3, 1));
    view.click(cell(3, 1));
    EXPECT_DOUBLE_EQ(sheet.getScale(), 2.5);
    EXPECT_EQ(view.isZoomWindowArmed(), 0);
}

// Wheel

struct WheelCase {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    double zoom;
    float offset; // vertical
    int delta;
    double expectedZoom;
    float expectedOffset; // -1: not checked
    int expectedPage;
    bool repaints;
};

std::ostream& operator<<(std::ostream& os, const WheelCase& c) { return os << c.name; }

class ViewWheel : public InputFixture, public ::testing::WithParamInterface<WheelCase> {
protected:
    void SetUp() override
    {
        InputFixture::SetUp();
        // Plain: scroll; Ctrl: zoom; Shift: pages.
        ASSERT_TRUE(Info_UserCustomSetGunLun(View::kWheelScroll));
        ASSERT_TRUE(Info_UserCustomSetCtrlGunLun(View::kWheelZoom));
        ASSERT_TRUE(Info_UserCustomSetShiftGunLun(View::kWheelPages));
        sheet.setPageTo(2, 1);
    }
};

TEST_P(ViewWheel, ActsAsTheUserSetIt)
{
    const WheelCase& c = GetParam();
    sheet.setScale(c.zoom);
    view.setScrollOffsets(0.0f, c.offset);
    view.repaints = 0;
    view.wheel(cell(5, 1), c.delta, c.modifiers);
    EXPECT_DOUBLE_EQ(sheet.getScale(), c.expectedZoom);
    if (c.expectedOffset >= 0.0f) {
        EXPECT_FLOAT_EQ(view.scrollY(), c.expectedOffset);
        EXPECT_EQ(view.verticalScrollBar()->value(), int(c.expectedOffset));
    }
    EXPECT_EQ(sheet.getCurPage(), c.expectedPage);
    EXPECT_EQ(view.repaints > 0, c.repaints);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, ViewWheel,
    ::testing::Values(
        WheelCase{"ScrollUp", Qt::NoModifier, 2.0, 50, 120, 2.0, 45, 2, true},
        WheelCase{"ScrollDown", Qt::NoModifier, 2.0, 50, -120, 2.0, 55, 2, true},
        WheelCase{"ScrollUpStopsAtTheTop", Qt::NoModifier, 2.0, 3, 120, 2.0, 0, 2, true},
        WheelCase{"ScrollDownStopsAtTheBottom", Qt::NoModifier, 2.0, 98, -120, 2.0, 100, 2, true},
        WheelCase{"ZoomIn", Qt::ControlModifier, 2.0, 0, 120, 2.4, -1, 2, true},
        WheelCase{"ZoomInIsCappedAtTwenty", Qt::ControlModifier, 18.0, 0, 120, 20.0, -1, 2, true},
        WheelCase{"ZoomInAtTwentyDoesNothing", Qt::ControlModifier, 20.0, 40, 120, 20.0, 40, 2, false},
        WheelCase{"ZoomOut", Qt::ControlModifier, 2.0, 0, -120, 2.0 / 1.2, -1, 2, true},
        WheelCase{"ZoomOutUndoesZoomIn", Qt::ControlModifier, 2.4, 0, -120, 2.0, -1, 2, true},
        WheelCase{"ZoomOutToOneOrLessIsNotTaken", Qt::ControlModifier, 1.1, 0, -120, 1.1, -1, 2, true},
        WheelCase{"ZoomInFromOneIsTaken", Qt::ControlModifier, 1.0, 0, 120, 1.2, -1, 2, true},
        WheelCase{"ZoomInBelowOneIsNotTaken", Qt::ControlModifier, 0.6, 0, 120, 0.6, -1, 2, true},
        WheelCase{"PageForwardTurnsBack", Qt::ShiftModifier, 1.0, 0, 120, 1.0, -1, 1, true},
        WheelCase{"PageBackwardTurnsOn", Qt::ShiftModifier, 1.0, 0, -120, 1.0, -1, 3, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputFixture, AWheelZoomKeepsThePointersPlaceAtTheCentre)
{
    ASSERT_TRUE(Info_UserCustomSetGunLun(View::kWheelZoom));
    sheet.setScale(2.0);
    const QPoint at = cell(8, 2);
    const Rect client = view.DPtoLP(Rect(0, 0, view.viewport()->width(), view.viewport()->height()));
    double x = 0, y = 0;
    sheet.getScollPosWhenPtOnCenter(view.DPtoLP(view.LPtoDP(at)), client, 2.0, 2.4, x, y);
    view.wheel(at, 120);
    EXPECT_DOUBLE_EQ(sheet.getScale(), 2.4);
    EXPECT_FLOAT_EQ(view.scrollX(), float(std::clamp(x, 0.0, 100.0)));
    EXPECT_FLOAT_EQ(view.scrollY(), float(std::clamp(y, 0.0, 100.0)));
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// Keyboard

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool readOnly;
    bool editing;   // an in-place edit is open
    const char* call; // the row command of the table, or "" for none
    int page;       // the page afterwards (from 2)
    QList<int> selection; // afterwards (from {4}); {-1}: not checked
};

std::ostream& operator<<(std::ostream& os, const KeyCase& c) { return os << c.name; }

class ViewKeys : public InputFixture, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ViewKeys, RunTheTablesCommands)
{
    const KeyCase& c = GetParam();
    sheet.setPageTo(2, 1);
    select({4});
    sheet.setCurRow(4);
    sheet.setReadOnly(c.readOnly ? 1 : 0);
    if (c.editing)
        view.openEditor(4, 1, "A");
    QTest::keyClick(&view, Qt::Key(c.key), c.modifiers);
    EXPECT_EQ(sheet.calls, *c.call ? QStringList{c.call} : QStringList{});
    EXPECT_EQ(sheet.getCurPage(), c.page);
    if (c.selection != QList<int>{-1}) {
        EXPECT_EQ(sheet.getSelection(), c.selection);
    }
    EXPECT_EQ(view.isCtrlKeyDown(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ViewKeys,
    ::testing::Values(
        KeyCase{"PageUp", Qt::Key_PageUp, {}, false, false, "", 1, {1}},
        KeyCase{"PageDown", Qt::Key_PageDown, {}, false, false, "", 3, {1}},
        KeyCase{"Home", Qt::Key_Home, {}, false, false, "", 1, {1}},
        KeyCase{"End", Qt::Key_End, {}, false, false, "", 3, {1}},
        KeyCase{"Up", Qt::Key_Up, {}, false, false, "", 2, {3}},
        KeyCase{"Down", Qt::Key_Down, {}, false, false, "", 2, {5}},
        KeyCase{"CtrlUpMovesTheRows", Qt::Key_Up, Qt::ControlModifier, false, false, "UpRow", 2, {4}},
        KeyCase{"CtrlDownMovesTheRows", Qt::Key_Down, Qt::ControlModifier, false, false, "DownRow", 2, {4}},
        KeyCase{"Insert", Qt::Key_Insert, {}, false, false, "InsertRow 0", 2, {4}},
        KeyCase{"Delete", Qt::Key_Delete, {}, false, false, "DeleteRow", 2, {-1}},
        KeyCase{"DeleteWhileEditing", Qt::Key_Delete, {}, false, true, "", 2, {4}},
        KeyCase{"CtrlA", Qt::Key_A, Qt::ControlModifier, true, false, "", 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, false, false, "CopyRow", 2, {4}},
        KeyCase{"CtrlCReadOnly", Qt::Key_C, Qt::ControlModifier, true, false, "", 2, {4}},
        KeyCase{"CtrlV", Qt::Key_V, Qt::ControlModifier, false, false, "PasteRow", 2, {4}},
        KeyCase{"CtrlVReadOnly", Qt::Key_V, Qt::ControlModifier, true, false, "", 2, {4}},
        KeyCase{"CtrlX", Qt::Key_X, Qt::ControlModifier, false, false, "CutRow", 2, {4}},
        KeyCase{"CtrlXReadOnly", Qt::Key_X, Qt::ControlModifier, true, false, "", 2, {4}},
        KeyCase{"CtrlZDoesNothing", Qt::Key_Z, Qt::ControlModifier, false, false, "", 2, {4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputFixture, InsertTakesShiftFromItsKeyAndCtrlInsertsTheClipboard)
{
    QTest::keyPress(&view, Qt::Key_Shift);
    EXPECT_EQ(view.isShiftKeyDown(), 1);
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyRelease(&view, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(view.isShiftKeyDown(), 0);
    QTest::keyClick(&view, Qt::Key_Insert);
    EXPECT_EQ(sheet.calls, (QStringList{"InsertRow 1", "InsertRow 0"}));
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(view.clipboardInserts, 1);
    EXPECT_EQ(sheet.calls.size(), 2);
}

TEST_F(InputFixture, LeftAndRightMoveTheCurrentColumnUnlessEditing)
{
    select({4});
    sheet.setCurRow(4);
    sheet.setCurCol(1);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(sheet.getCurCol(), 2);
    QTest::keyClick(&view, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(sheet.getCurCol(), 1);
    QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(sheet.getCurCol(), 2);
    // The minus of the main keys is no column key.
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_EQ(sheet.getCurCol(), 2);
    view.openEditor(4, 2, "A");
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(sheet.getCurCol(), 2);
}

TEST_F(InputFixture, FunctionKeysOpenTheCalculator)
{
    QTest::keyClick(&view, Qt::Key_F10);
    QTest::keyClick(&view, Qt::Key_F12);
    QTest::keyClick(&view, Qt::Key_F11);
    EXPECT_EQ(view.calculators, 2);
}

TEST_F(InputFixture, KeysAreNotSwallowed)
{
    QWidget parent;
    class KeyCounter : public QObject {
    public:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress)
                ++presses;
            return false;
        }
        int presses = 0;
    } counter;
    view.setParent(&parent);
    parent.installEventFilter(&counter);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(sheet.getCurPage(), 2);
    EXPECT_EQ(counter.presses, 1); // the window around the view saw it too
    view.setParent(nullptr);
}

} // namespace
