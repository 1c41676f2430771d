#include "tables/framework/ui/tableview.h"

#include "tableview_support.h"
#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"

#include "tables/barlist/setuptable.h"
#include "tables/framework/form.h"
#include "envora/usercustom.h"
#include "platform/folders.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "platform/ui/pagepreview.h"

#include <QFile>
#include <QImage>
#include <QPageRanges>
#include <QPdfWriter>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

using namespace platform::gdi;
using platform::DcOp;
using platform::RecordingDc;
using platform::Rect;
using View = CVes_TableViewBase;

namespace {

using test::PageSheet;
using CountingView = test::RecordingView;

using ViewFixture = test::ShownView<PageSheet>;

// Zoom

struct ZoomCase {
    unsigned message;
    double start;
    double expected;
    bool changes; // repaints and shows the zoom
};

class ViewZoom : public ViewFixture, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ViewZoom, CommandKeepsTheZoomWithinItsLimits)
{
    const ZoomCase& c = GetParam();
    sheet.setScale(c.start);
    QSignalSpy shown(&view, &View::zoomShown);
    ASSERT_TRUE(view.handleMessage(c.message));
    EXPECT_DOUBLE_EQ(sheet.getScale(), c.expected);
    EXPECT_EQ(view.repaints > 0, c.changes);
    EXPECT_EQ(shown.count(), c.changes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ViewZoom,
    ::testing::Values(ZoomCase{View::kZoomIn, 1.0, 1 / 1.2, true},
                      ZoomCase{View::kZoomIn, 1.2, 1.0, true},
                      ZoomCase{View::kZoomIn, 1.5, 1.44, true},  // between two steps
                      ZoomCase{View::kZoomIn, 0.65, 0.6, true},  // not 0.58
                      ZoomCase{View::kZoomIn, 0.6, 0.6, true},
                      ZoomCase{View::kZoomIn, 4.0, 1.2 * 1.2 * 1.2 * 1.2 * 1.2 * 1.2 * 1.2, true},
                      ZoomCase{View::kZoomOut, 1.0, 1.2, true},
                      ZoomCase{View::kZoomOut, 1.5, 1.728, true},
                      ZoomCase{View::kZoomOut, 0.6, 1 / 1.44, true},
                      ZoomCase{View::kZoomOut, 3.6, 4.0, true},  // not 4.3
                      ZoomCase{View::kZoomOut, 4.0, 4.0, false}, // untouched
                      ZoomCase{View::kZoomOut, 10.0, 4.0, true}, // from a wheel zoom
                      ZoomCase{View::kZoomFit, 3.0, 1.0, true}));

// 缩小 undoes 放大 and 放大 undoes 缩小, step for step, back to 100 %.
TEST_F(ViewFixture, ZoomingOutUndoesZoomingInStepForStep)
{
    for (int steps = 1; steps <= 10; ++steps) {
        for (const auto& [there, back] : {std::pair{View::kZoomOut, View::kZoomIn},
                                          std::pair{View::kZoomIn, View::kZoomOut}}) {
            sheet.setScale(1.0);
            std::vector<double> zooms{1.0};
            for (int i = 0; i < steps; ++i) {
                view.handleMessage(there);
                zooms.push_back(sheet.getScale());
            }
            // A press at a limit changes nothing, and is not undone.
            zooms.erase(std::unique(zooms.begin(), zooms.end()), zooms.end());
            for (auto zoom = zooms.rbegin() + 1; zoom != zooms.rend(); ++zoom) {
                view.handleMessage(back);
                EXPECT_DOUBLE_EQ(sheet.getScale(), *zoom) << steps << " steps";
            }
            EXPECT_DOUBLE_EQ(sheet.getScale(), 1.0) << steps << " steps";
        }
    }
}

TEST_F(ViewFixture, ZoomScaleIsUnboundedAndTheZoomWindowIsOnlyArmed)
{
    view.ZoomScale(12.5);
    EXPECT_DOUBLE_EQ(sheet.getScale(), 12.5);
    view.ZoomScale(0.2);
    EXPECT_DOUBLE_EQ(sheet.getScale(), 0.2);
    EXPECT_FALSE(view.isZoomWindowArmed());
    view.handleMessage(View::kZoomWin);
    EXPECT_TRUE(view.isZoomWindowArmed());
    EXPECT_DOUBLE_EQ(sheet.getScale(), 0.2);
}

TEST(ViewWithoutTable, CommandsDoNothing)
{
    CountingView view;
    QSignalSpy changed(&view, &View::tableChanged);
    for (unsigned message : {View::kZoomIn, View::kZoomOut, View::kZoomFit, View::kNextPage,
                             View::kPrevPage, View::kFirstPage, View::kEndPage, View::kAddPage,
                             View::kDelPage, View::kCoverPage, View::kInsertRow, View::kDeleteRow,
                             View::kCopy, View::kPaste, View::kMoveUp, View::kMoveDown,
                             View::kUndo, View::kRedo})
        EXPECT_TRUE(view.handleMessage(message)) << message;
    view.setCurRowVisible();
    view.pageTo(2);
    EXPECT_EQ(view.repaints, 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(view.NowFengmian(), 0);
    EXPECT_EQ(view.canUndo(), 0);
    QPdfWriter pdf(QDir::temp().filePath("never.pdf"));
    EXPECT_FALSE(view.printTo(&pdf, 1, 1));
    EXPECT_FALSE(view.handleMessage(0x4FF));
}

// Pages

struct PageCase {
    const char* name;
    unsigned message;
    int start;
    int expected;
    bool notifies;
    QList<int> selection; // after the command; {-1} the selection as it was
};

class ViewPaging : public ViewFixture, public ::testing::WithParamInterface<PageCase> {};

TEST_P(ViewPaging, MovesThePageAndNotifiesTheFrame)
{
    const PageCase& c = GetParam();
    sheet.setPageTo(c.start, 1);
    sheet.AddSelect(5, 1);
    sheet.AddSelect(6, 0);
    QSignalSpy changed(&view, &View::tableChanged);
    ASSERT_TRUE(view.handleMessage(c.message));
    EXPECT_EQ(sheet.getCurPage(), c.expected);
    ASSERT_EQ(changed.count(), c.notifies ? 1 : 0);
    if (c.notifies) {
        EXPECT_EQ(changed.at(0).at(0).value<CVes_TableBase*>(), &sheet);
    }
    const QList<int> selection = c.selection == QList<int>{-1} ? QList<int>{5, 6} : c.selection;
    EXPECT_EQ(sheet.getSelection(), selection);
    if (selection == QList<int>{1}) {
        EXPECT_EQ(sheet.getCurRow(), 1);
    }
    EXPECT_GT(view.repaints, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ViewPaging,
    ::testing::Values(PageCase{"Next", View::kNextPage, 1, 2, true, {1}},
                      PageCase{"NextAtTheEnd", View::kNextPage, 3, 3, true, {1}},
                      PageCase{"Previous", View::kPrevPage, 3, 2, true, {1}},
                      PageCase{"PreviousToCover", View::kPrevPage, 1, 0, true, {1}},
                      PageCase{"First", View::kFirstPage, 3, 1, false, {1}},
                      PageCase{"Last", View::kEndPage, 1, 3, false, {1}},
                      PageCase{"Cover", View::kCoverPage, 2, 0, true, {-1}},
                      PageCase{"Add", View::kAddPage, 2, 2, false, {}},
                      PageCase{"Delete", View::kDelPage, 3, 2, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ViewFixture, PageToRecountsAndSelectsTheFirstRow)
{
    sheet.appendLine(new test::KeyLine(26, 0)); // rows are added behind the table's back
    for (int i = 0; i < 10; ++i)
        sheet.appendLine(new test::KeyLine(27 + i, 0));
    QSignalSpy changed(&view, &View::tableChanged);
    view.pageTo(4);
    EXPECT_EQ(sheet.getCurPage(), 4);
    EXPECT_EQ(sheet.getPages(), 4);
    EXPECT_EQ(sheet.getSelection(), QList<int>{1});
    EXPECT_EQ(sheet.getCurRow(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(view.NowFengmian(), 0);
    view.pageTo(0);
    EXPECT_EQ(view.NowFengmian(), 1);
}

TEST_F(ViewFixture, SelectNextAndPreviousNotifyTheFrame)
{
    sheet.AddSelect(3, 1);
    sheet.setCurRow(3);
    QSignalSpy changed(&view, &View::tableChanged);
    view.OnSelectNext();
    EXPECT_EQ(sheet.getSelection(), QList<int>{4});
    view.OnSelectPrev();
    view.OnSelectPrev();
    EXPECT_EQ(sheet.getSelection(), QList<int>{2});
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(ViewFixture, AnOpenEditorIsEndedByPagingAndBlocksDeletingThePage)
{
    QPointer<CVes_InPlaceEdit> editor = view.openEditor(3, 2, "C20");
    ASSERT_EQ(view.isHaveEditWnd(), 1);
    view.OnDelPage();
    EXPECT_EQ(sheet.lines().size(), 25);
    view.OnNextPage();
    EXPECT_EQ(sheet.getCurPage(), 2);
    EXPECT_EQ(view.isHaveEditWnd(), 0);
    // The edit was ended, not thrown away: its text reached the sheet view.
    EXPECT_EQ(view.cellEdits, QStringList{"3,2 C20"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
    view.OnDelPage();
    EXPECT_EQ(sheet.lines().size(), 15);
}

TEST_F(ViewFixture, AnInPlaceEditOnTheCoverStoresTheCoverVariable)
{
    sheet.m_cover.initVariables();
    sheet.m_cover.m_curVar = 1; // the text the last click hit
    sheet.setPageTo(0, 1);
    CVes_Variable* variable = sheet.m_cover.getCurVar();
    ASSERT_NE(variable, nullptr);
    view.setCurEditVar(variable);
    view.openEditor(1, 0, "封面");
    view.endEdit();
    EXPECT_EQ(variable->m_formula, "封面");
    EXPECT_TRUE(view.cellEdits.isEmpty());

    // Escape keeps the old value: nothing is reported as a text.
    InPlaceEditNotify escaped;
    escaped.hdr.idFrom = kInPlaceEditId;
    escaped.item.iItem = 2;
    view.inPlaceEditEnded(escaped);
    sheet.setPageTo(1, 1);
    view.inPlaceEditEnded(escaped);
    EXPECT_TRUE(view.cellEdits.isEmpty());
    EXPECT_EQ(variable->m_formula, "封面");
}

// The record dialog that stored a cover text is not left behind.
TEST_F(ViewFixture, TheRecordDialogGoesAfterStoringACoverText)
{
    sheet.m_cover.initVariables();
    sheet.m_cover.m_curVar = 0;
    sheet.setPageTo(0, 1);
    CVes_Variable* variable = sheet.m_cover.getCurVar();
    ASSERT_NE(variable, nullptr);
    view.setCurEditVar(variable);
    QPointer<CVes_EditRecordDlg> dialog = view.openRecordDialog();
    view.EndFengmianEdit("工程名称");
    EXPECT_EQ(variable->m_formula, "工程名称");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());

    // Another variable than the one being edited is not touched.
    view.setCurEditVar(nullptr);
    view.EndFengmianEdit("其它");
    EXPECT_EQ(variable->m_formula, "工程名称");
}

struct RowCase {
    unsigned message;
    quintptr wParam;
    const char* call;
    bool notifies;
    bool repaints;
};

class ViewRows : public ViewFixture, public ::testing::WithParamInterface<RowCase> {};

TEST_P(ViewRows, CommandRunsTheTablesOperation)
{
    const RowCase& c = GetParam();
    QSignalSpy changed(&view, &View::tableChanged);
    ASSERT_TRUE(view.handleMessage(c.message, c.wParam));
    EXPECT_EQ(sheet.calls, QStringList{c.call});
    EXPECT_EQ(changed.count(), c.notifies ? 1 : 0);
    EXPECT_EQ(view.repaints > 0, c.repaints);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ViewRows,
    ::testing::Values(RowCase{View::kInsertRow, 1, "InsertRow 1", false, true},
                      RowCase{View::kInsertRow, 0, "InsertRow 0", false, true},
                      RowCase{View::kDeleteRow, 0, "DeleteRow", true, true},
                      RowCase{View::kCopy, 0, "CopyRow", false, false},
                      RowCase{View::kPaste, 0, "PasteRow", true, true},
                      RowCase{View::kMoveUp, 0, "UpRow", true, true},
                      RowCase{View::kMoveDown, 0, "DownRow", true, true},
                      RowCase{View::kRowLock, 0, "lockRow", false, false}, // the caller repaints
                      RowCase{View::kRowUnLock, 0, "unlockRow", false, false},
                      // Undo and redo replace the rows: the frame builds its panes again.
                      RowCase{View::kUndo, 0, "Undo", true, true},
                      RowCase{View::kRedo, 0, "Redo", true, true}));

TEST_F(ViewFixture, CutHasNoMessageButNotifiesTheFrame)
{
    QSignalSpy changed(&view, &View::tableChanged);
    view.doCut();
    EXPECT_EQ(sheet.calls, QStringList{"CutRow"});
    EXPECT_EQ(changed.count(), 1);
}

// Editing title-block and cover texts

struct TextEditFixture : ViewFixture {
    void SetUp() override
    {
        ViewFixture::SetUp();
        CVes_Variable& text = sheet.m_texts[3];
        text.m_type = CVes_Variable::kTextKind;
        text.m_formula = "审核";
        text.m_text = "审核";
        text.m_position.set(500, 300);
        text.m_height = 50;
        text.m_align = CVes_String::kCentre;
    }
    CVes_InPlaceEdit* editor() const { return view.viewport()->findChild<CVes_InPlaceEdit*>(); }
    CVes_EditRecordDlg* dialog() const { return view.findChild<CVes_EditRecordDlg*>(); }
};

TEST_F(TextEditFixture, ATitleTextOpensAnEditBoxCentredOnIt)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 2, QPoint(), nullptr); // text 3
    EXPECT_EQ(view.getCurEditVar(), &sheet.m_texts[3]);
    CVes_InPlaceEdit* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "审核");
    EXPECT_EQ(box->row(), CVes_TableBase::kTitleTextRow);
    EXPECT_EQ(box->column(), 2);
    EXPECT_EQ(box->controlId() & 0xFFFF, kInPlaceEditNotifyId);
    EXPECT_EQ(box->font().family(), "Times New Roman");
    EXPECT_EQ(view.isHaveEditWnd(), 1);

    Rect text;
    sheet.m_texts[3].LocateRect(text);
    const Rect pixels = view.LPtoDP(text);
    const int height = view.LPtoDP(50);
    const QPoint centre = pixels.CenterPoint();
    const Rect expected(int(centre.x() - 0.7 * pixels.Width()), int(centre.y() - 0.7 * height),
                        int(centre.x() + 0.7 * pixels.Width()), int(centre.y() + 0.7 * height));
    EXPECT_EQ(box->boxRect(), expected);

    // Its end goes to the sheet view as an edit of row -100.
    box->setText("校对");
    box->EndEdit();
    EXPECT_EQ(view.cellEdits, QStringList{"-100,2 校对"});
}

TEST_F(TextEditFixture, OnlyTitleTextsShownAsTextAreEdited)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    view.EditoutSideVar(1, 2, QPoint(), nullptr); // not the title block
    EXPECT_EQ(view.getCurEditVar(), nullptr);
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 7, QPoint(), nullptr);
    EXPECT_EQ(view.getCurEditVar(), nullptr);
    sheet.m_texts[3].m_type = CVes_Variable::kGiven;
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 2, QPoint(), nullptr);
    EXPECT_EQ(view.getCurEditVar(), &sheet.m_texts[3]);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(TextEditFixture, InTheHistoryModeTheRecordDialogOpens)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(0));
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 2, QPoint(), nullptr);
    CVes_EditRecordDlg* first = dialog();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->recordType(), 6);
    EXPECT_EQ(first->edit()->text(), "审核");
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(editor(), nullptr);

    // A second edit ends the first dialog and opens a new one.
    QPointer<CVes_EditRecordDlg> old = first;
    view.EditoutSideVar(CVes_TableBase::kTitleTextRow, 2, QPoint(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(view.findChildren<CVes_EditRecordDlg*>().size(), 1);
}

TEST_F(TextEditFixture, ACoverTextEditedInPlaceIsStored)
{
    ASSERT_TRUE(Info_SetUserCustomTableEditMode(1));
    sheet.m_cover.initVariables();
    sheet.m_cover.m_curVar = 2;
    CVes_Variable* variable = sheet.m_cover.getCurVar();
    ASSERT_NE(variable, nullptr);
    variable->m_type = CVes_Variable::kTextKind;
    variable->m_formula = "工程";

    view.EditTableCoverVar(0, 0, QPoint(), nullptr); // not on the cover page
    EXPECT_EQ(editor(), nullptr);
    sheet.setPageTo(0, 1);
    view.EditTableCoverVar(0, 0, QPoint(), nullptr);
    EXPECT_EQ(view.getCurEditVar(), variable);
    CVes_InPlaceEdit* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->row(), 2);
    box->setText("一号楼");
    box->EndEdit();
    EXPECT_EQ(variable->m_formula, "一号楼");
    EXPECT_TRUE(view.cellEdits.isEmpty());
}

// Scroll bars

struct ScrollCase {
    int code;
    int start;
    int thumb;
    int expected;
};

class ViewScroll : public ViewFixture, public ::testing::WithParamInterface<ScrollCase> {};

TEST_P(ViewScroll, EachBarMovesItsOwnOffsetOnly)
{
    const ScrollCase& c = GetParam();
    sheet.setScale(2.0);
    view.setScrollOffsets(float(c.start), 30.0f);
    view.OnHScroll(c.code, c.thumb);
    EXPECT_FLOAT_EQ(view.scrollX(), float(c.expected));
    EXPECT_EQ(view.horizontalScrollBar()->value(), c.expected);
    EXPECT_FLOAT_EQ(view.scrollY(), 30.0f);

    view.setScrollOffsets(30.0f, float(c.start));
    view.OnVScroll(c.code, c.thumb);
    EXPECT_FLOAT_EQ(view.scrollY(), float(c.expected));
    EXPECT_EQ(view.verticalScrollBar()->value(), c.expected);
    EXPECT_FLOAT_EQ(view.scrollX(), 30.0f);
    EXPECT_GT(view.repaints, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ViewScroll,
    ::testing::Values(ScrollCase{View::kLineUp, 50, 0, 49}, ScrollCase{View::kLineUp, 0, 0, 0},
                      ScrollCase{View::kTop, 50, 0, 49}, // one step, like a line
                      ScrollCase{View::kLineDown, 50, 0, 51},
                      ScrollCase{View::kLineDown, 100, 0, 100},
                      ScrollCase{View::kBottom, 50, 0, 51},
                      ScrollCase{View::kPageUp, 4, 0, 0}, ScrollCase{View::kPageUp, 5, 0, 0},
                      ScrollCase{View::kPageUp, 6, 0, 1}, ScrollCase{View::kPageUp, 0, 0, 0},
                      ScrollCase{View::kPageDown, 97, 0, 100},
                      ScrollCase{View::kPageDown, 95, 0, 100},
                      ScrollCase{View::kPageDown, 94, 0, 99},
                      ScrollCase{View::kPageDown, 100, 0, 100},
                      ScrollCase{View::kThumbPosition, 10, 63, 63},
                      ScrollCase{View::kThumbPosition, 10, 250, 100},
                      ScrollCase{View::kThumbTrack, 10, 63, 10},
                      ScrollCase{View::kEndScroll, 10, 0, 10}));

// The scroll bars themselves run the same codes.
TEST_F(ViewFixture, ScrollBarActionsRunTheScrollCodes)
{
    sheet.setScale(2.0);
    view.setScrollOffsets(0.0f, 97.0f);
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(view.scrollY(), 100.0f);
    EXPECT_EQ(bar->value(), 100);
    view.setScrollOffsets(0.0f, 4.0f);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_FLOAT_EQ(view.scrollY(), 0.0f);
    view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FLOAT_EQ(view.scrollX(), 1.0f);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 1);
}

// Keeping the current row visible

struct RowVisibleFixture : ViewFixture {
    // Lays row 1, column 1 of a 2 × 2 form at `row` (logical units).
    void placeRow(const Rect& row)
    {
        sheet.m_form = std::make_unique<CVes_Form>(nullptr, Rect(0, 0, row.right, row.bottom));
        CVes_Form& form = *sheet.m_form;
        form.SetRowCount(2);
        form.SetColumnCount(2);
        form.SetRowHeight(0, row.top);
        form.SetRowHeight(1, row.Height());
        form.SetColumnWidth(0, row.left);
        form.SetColumnWidth(1, row.Width());
        ASSERT_EQ(sheet.getCurRowRect(), row);
    }
    Rect client() const { return view.DPtoLP(Rect(0, 0, view.viewport()->width(), view.viewport()->height())); }
    void units(double& x, double& y) const { sheet.getScollUnit(client(), sheet.getScale(), x, y); }

    void SetUp() override
    {
        ViewFixture::SetUp();
        sheet.setScale(3.0);
        sheet.AddSelect(1, 1);
        sheet.setCurRow(1);
        sheet.setCurCol(1);
    }
};

TEST_F(RowVisibleFixture, ARowBelowTheClientScrollsDownByWholePercents)
{
    double unitX = 0, unitY = 0;
    units(unitX, unitY);
    ASSERT_GT(unitY, 1.0);
    const Rect area = client();
    const int bottom = area.bottom + int(12.5 * unitY);
    placeRow(Rect(area.left + 10, bottom - 50, area.left + 110, bottom));
    view.setScrollOffsets(0.0f, 3.0f);
    view.repaints = 0;
    view.setCurRowVisible();
    EXPECT_FLOAT_EQ(view.scrollY(), 15.0f); // 3 + 12
    EXPECT_FLOAT_EQ(view.scrollX(), 0.0f);
    EXPECT_EQ(view.verticalScrollBar()->value(), 15);
    EXPECT_GT(view.repaints, 0);
}

TEST_F(RowVisibleFixture, ARowLeftOfTheClientScrollsBackAndStopsAtZero)
{
    double unitX = 0, unitY = 0;
    units(unitX, unitY);
    const Rect area = client();
    // The row is 30 percents to the right of the client's right edge but
    // starts above its top: the vertical excess counts from the top.
    placeRow(Rect(area.right - 100, area.top + 200, area.right + int(30.5 * unitX), area.top + 300));
    view.setScrollOffsets(90.0f, 40.0f);
    view.setCurRowVisible();
    EXPECT_FLOAT_EQ(view.scrollX(), 100.0f); // 90 + 30, clamped
    EXPECT_FLOAT_EQ(view.scrollY(), 40.0f);
}

TEST_F(RowVisibleFixture, AnOffsetOutsideTheRangeIsLeftAlone)
{
    double unitX = 0, unitY = 0;
    units(unitX, unitY);
    const Rect area = client();
    const int bottom = area.bottom + int(5.5 * unitY);
    placeRow(Rect(area.right - 100, bottom - 50, area.right + int(7.5 * unitX), bottom));
    view.setScrollOffsets(-4.0f, 20.0f);
    view.setCurRowVisible();
    EXPECT_FLOAT_EQ(view.scrollX(), -4.0f);
    EXPECT_FLOAT_EQ(view.scrollY(), 25.0f);
}

TEST_F(RowVisibleFixture, NothingMovesWithoutASelectedRowOrAtZoomOne)
{
    const Rect area = client();
    placeRow(Rect(area.left + 10, area.bottom + 900, area.left + 110, area.bottom + 1000));
    view.setScrollOffsets(0.0f, 10.0f);
    sheet.clearSelect();
    view.setCurRowVisible();
    EXPECT_FLOAT_EQ(view.scrollY(), 10.0f);
    sheet.AddSelect(1, 1);
    sheet.setScale(1.0); // no scroll units
    view.setCurRowVisible();
    EXPECT_FLOAT_EQ(view.scrollY(), 10.0f);
}

// Drawing

TEST_F(ViewFixture, DrawsOffScreenInTenthsOfAMillimetre)
{
    sheet.setScale(2.0);
    view.setScrollOffsets(12.0f, 34.0f);
    RecordingDc target;
    view.OnDraw(&target);

    const int width = view.viewport()->width();
    const int height = view.viewport()->height();
    const Rect logical(0, 0, (width * 254 + 48) / 96, (height * 254 + 48) / 96);
    ASSERT_EQ(sheet.drawn.size(), 1u);
    const PageSheet::Drawn& drawn = sheet.drawn[0];
    EXPECT_NE(drawn.dc, static_cast<platform::Dc*>(&target)); // the memory context
    EXPECT_FALSE(drawn.printing);
    EXPECT_EQ(drawn.rect, logical);
    EXPECT_DOUBLE_EQ(drawn.scrollX, 12.0);
    EXPECT_DOUBLE_EQ(drawn.scrollY, 34.0);
    EXPECT_EQ(drawn.page, 1);

    // The desk is grey, drawn in the memory context before the page.
    const auto fills = target.records(DcOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].dc, 1);
    EXPECT_EQ(fills[0].rect, logical);
    EXPECT_EQ(fills[0].brush, platform::Brush::stock(GRAY_BRUSH));
    EXPECT_EQ(fills[0].state.mapMode, MM_ANISOTROPIC);
    EXPECT_EQ(fills[0].state.windowExt, QSize(254, 254));
    EXPECT_EQ(fills[0].state.viewportExt, QSize(96, 96));
    // The picture reaches the target in one copy of the client area.
    const auto blits = target.records(DcOp::BitBlt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].dc, 0);
    EXPECT_EQ(blits[0].rect, Rect(0, 0, width, height));
    EXPECT_EQ(unsigned(blits[0].value), SRCCOPY);
    EXPECT_EQ(target.GetMapMode(), MM_TEXT);
    for (const auto& record : target.drawing())
        EXPECT_TRUE(record.dc == 1 || record.op == DcOp::BitBlt) << record.toString().toStdString();
}

struct BarsCase {
    double zoom;
    bool shown;
};

class ViewScrollBars : public ViewFixture, public ::testing::WithParamInterface<BarsCase> {};

TEST_P(ViewScrollBars, ShownOnlyFromAZoomOfOnePointOne)
{
    sheet.setScale(GetParam().zoom);
    view.setScrollOffsets(40.0f, 60.0f);
    RecordingDc target;
    view.OnDraw(&target);
    const bool shown = GetParam().shown;
    EXPECT_EQ(view.verticalScrollBarPolicy(),
              shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view.horizontalScrollBarPolicy(),
              shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    EXPECT_FLOAT_EQ(view.scrollX(), shown ? 40.0f : 0.0f);
    EXPECT_FLOAT_EQ(view.scrollY(), shown ? 60.0f : 0.0f);
    EXPECT_EQ(view.verticalScrollBar()->value(), shown ? 60 : 0);
    ASSERT_EQ(sheet.drawn.size(), 1u);
    EXPECT_DOUBLE_EQ(sheet.drawn[0].scrollY, shown ? 60.0 : 0.0);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ViewScrollBars,
                         ::testing::Values(BarsCase{1.09, false}, BarsCase{1.1, true},
                                           BarsCase{0.6, false}, BarsCase{4.0, true}));

TEST_F(ViewFixture, ThePaintEventDrawsThePageOnTheWindow)
{
    const QImage shot = view.viewport()->grab().toImage();
    ASSERT_FALSE(sheet.drawn.empty());
    // The grey desk at the corner, the white page in the middle.
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(128, 128, 128));
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2 + 40), QColor(Qt::white));
    const QString path = qEnvironmentVariable("RODO_TABLEVIEW_SHOT");
    if (!path.isEmpty())
        view.grab().save(path);

    // Zoomed, the scroll bars come with the next painting and stay.
    view.ZoomScale(2.0);
    view.setScrollOffsets(10.0f, 20.0f);
    const QImage zoomed = view.grab().toImage();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
    EXPECT_EQ(view.verticalScrollBar()->value(), 20);
    EXPECT_FLOAT_EQ(view.scrollY(), 20.0f);
    if (!path.isEmpty())
        view.grab().save(QString(path).replace(".png", "-zoomed.png"));
}

// Printing

int pdfPages(const QString& path, QString* pageSize = nullptr)
{
    QProcess info;
    info.start("pdfinfo", {path});
    if (!info.waitForFinished(20000) || info.exitCode() != 0)
        return -1;
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    if (pageSize) {
        const auto size = QRegularExpression("Page size:\\s*([^\\n]*)").match(out);
        *pageSize = size.captured(1);
    }
    const auto pages = QRegularExpression("Pages:\\s*(\\d+)").match(out);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

TEST(ViewPrintOrder, CollatedCopiesRepeatTheRangeElseEachPage)
{
    EXPECT_EQ(View::printOrder(2, 3, 2, true), (QList<int>{2, 3, 2, 3}));
    EXPECT_EQ(View::printOrder(2, 3, 2, false), (QList<int>{2, 2, 3, 3}));
    EXPECT_EQ(View::printOrder(0, 1, 1, true), (QList<int>{0, 1}));
    EXPECT_EQ(View::printOrder(3, 2, 1, true), QList<int>{});
    EXPECT_EQ(View::printOrder(1, 2, 0, true), QList<int>{});
}

struct PrintFixture : ViewFixture {
    QString pdfPath(const char* name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PrintFixture, EveryPageOfAThreePageSheetGoesIntoThePdf)
{
    sheet.setPageTo(2, 1);
    EXPECT_EQ(view.firstPrintPage(), 1);
    EXPECT_EQ(view.lastPrintPage(), 3);
    const QString path = pdfPath("sheet.pdf");
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(view.printTo(&pdf, view.firstPrintPage(), view.lastPrintPage()));
    }
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{1, 2, 3}));
    for (const auto& drawn : sheet.drawn) {
        EXPECT_TRUE(drawn.printing);
        EXPECT_EQ(drawn.rect, Rect(1, 1, 100, 100));
    }
    EXPECT_EQ(sheet.getCurPage(), 2); // the page shown before
    QString size;
    EXPECT_EQ(pdfPages(path, &size), 3);
    EXPECT_TRUE(size.contains("A4")) << size.toStdString();
}

TEST_F(PrintFixture, TheCoverIsPageZeroAndTheOrientationComesFromTheTemplate)
{
    sheet.setFengmian(1);
    sheet.m_orientation = CVes_Template::kLandscape;
    sheet.setTitle("一层梁");
    EXPECT_EQ(view.firstPrintPage(), 0);
    const QString path = pdfPath("cover.pdf");
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(view.printTo(&pdf, 0, 3));
    }
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{0, 1, 2, 3}));
    QString size;
    EXPECT_EQ(pdfPages(path, &size), 4);
    const auto dims = QRegularExpression("([\\d.]+) x ([\\d.]+)").match(size);
    ASSERT_TRUE(dims.hasMatch()) << size.toStdString();
    EXPECT_GT(dims.captured(1).toDouble(), dims.captured(2).toDouble()); // landscape
}

TEST_F(PrintFixture, CopiesAndAClampedRange)
{
    const QString path = pdfPath("copies.pdf");
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(view.printTo(&pdf, 2, 9, 2, false)); // no page 9: up to 3
    }
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{2, 2, 3, 3}));
    EXPECT_EQ(pdfPages(path), 4);
    sheet.drawn.clear();
    {
        QPdfWriter pdf(pdfPath("cover-less.pdf"));
        ASSERT_TRUE(view.printTo(&pdf, 0, 1)); // no cover: from page 1
    }
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{1}));
}

// A writer whose page `failing` (counting the pages started after the first)
// cannot be started.
template <typename Device> class FailingDevice : public Device {
public:
    using Device::Device;
    bool newPage() override
    {
        ++calls;
        return calls != failing && Device::newPage();
    }
    int calls = 0;
    int failing = 1;
};

class ViewFailedPage : public PrintFixture, public ::testing::WithParamInterface<int> {};

// A page that fails, in the middle or at the end, fails the job, but the
// other pages are printed all the same.
TEST_P(ViewFailedPage, FailsTheJobButTheOtherPagesArePrinted)
{
    sheet.setPageTo(3, 1);
    FailingDevice<QPdfWriter> pdf(pdfPath("failed.pdf"));
    pdf.failing = GetParam();
    EXPECT_FALSE(view.printTo(&pdf, 1, 3, 2, true));
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(sheet.getCurPage(), 3);
}

INSTANTIATE_TEST_SUITE_P(Pages, ViewFailedPage, ::testing::Values(1, 3, 5));

// Printing into a file through the print dialog

struct PrintFileCase {
    const char* name;
    const char* file;    // typed into the dialog, under the test's folder
    const char* message; // how the user is told, the path following
    bool written;
};

void PrintTo(const PrintFileCase& c, std::ostream* os) { *os << c.name; }

class PrintToFile : public PrintFixture, public ::testing::WithParamInterface<PrintFileCase> {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        platform::setProjectFolderSource([this] { return dir.path(); });
    }
    void TearDown() override { platform::setProjectFolderSource({}); }

    // Chooses the PDF file in the print dialog (the only printer when none
    // is installed), types `path` and prints. Answers the file the dialog
    // proposed.
    QString printThroughTheDialog(const QString& path)
    {
        QString proposed;
        test::onNextModal<QPrintDialog>([&](QPrintDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            ASSERT_TRUE(printers);
            const int file = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
            ASSERT_GE(file, 0);
            printers->setCurrentIndex(file);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            ASSERT_TRUE(name);
            proposed = name->text();
            name->setText(path);
            dialog->accept();
        });
        view.OnFilePrint();
        return proposed;
    }

    test::HostScope host;
};

TEST_P(PrintToFile, TheUserIsToldWhereTheFileWentOrWhyNot)
{
    const PrintFileCase& c = GetParam();
    sheet.setTitle("一层梁");
    const QString path = dir.filePath(QString::fromUtf8(c.file));
    const QString proposed = printThroughTheDialog(path);
    // A sheet of no saved document is proposed in the project's folder.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        EXPECT_EQ(proposed, dir.filePath(QStringLiteral("一层梁.pdf")));
    EXPECT_EQ(QFileInfo::exists(path), c.written);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().startsWith(QString::fromUtf8(c.message)))
        << host->messageTexts().front().toStdString();
    EXPECT_TRUE(host->messageTexts().front().contains(QDir::toNativeSeparators(path)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PrintToFile,
    ::testing::Values(PrintFileCase{"IntoAFolderThatExists", "梁.pdf", "已打印到文件", true},
                      PrintFileCase{"IntoAFolderThatIsMissing", "没有的文件夹/梁.pdf",
                                    "打印未能完成：无法写入文件", false}),
    [](const ::testing::TestParamInfo<PrintFileCase>& info) { return std::string(info.param.name); });

// The file an import reads

// Where the import dialog opens, given the sheet's document, the project
// and the folder of the import before.
struct ImportFolderCase {
    const char* name;
    const char* document;   // under the test's folder; empty: never saved
    const char* project;    // likewise; empty: no project
    const char* lastImport; // likewise; empty: no import yet
    const char* opensIn;    // under the test's folder
};

void PrintTo(const ImportFolderCase& c, std::ostream* os) { *os << c.name; }

class ImportFolder : public ::testing::TestWithParam<ImportFolderCase> {
protected:
    class DocumentView : public CountingView {
    public:
        QString documentPath() const override { return path; }
        QString path;
    };

    void SetUp() override
    {
        for (const char* folder : {"工程/第1层/柱", "工程/第2层", "别处"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromUtf8(folder)));
        view.setTable(&sheet);
    }
    void TearDown() override { platform::setProjectFolderSource({}); }
    QString under(const char* path) const
    {
        return *path ? dir.filePath(QString::fromUtf8(path)) : QString();
    }
    // Picks `file` in the import dialog; answers the folder it opened in.
    QString importThroughTheDialog(const QString& file)
    {
        QString openedIn;
        test::onNextModal<QFileDialog>([&](QFileDialog* dialog) {
            openedIn = dialog->directory().absolutePath();
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
        EXPECT_EQ(view.askImportFile(QStringLiteral("钢筋配料单(*.pld)")), file);
        return openedIn;
    }
    // An empty bar list file at `path`.
    QString listAt(const char* path) const
    {
        const QString file = under(path);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        return file;
    }

    QTemporaryDir dir;
    PageSheet sheet;
    DocumentView view;
};

TEST_P(ImportFolder, OpensWhereTheUserWorks)
{
    const ImportFolderCase& c = GetParam();
    const QString project = under(c.project);
    platform::setProjectFolderSource([project] { return project; });
    view.path = under(c.document);
    if (*c.lastImport) {
        const QString before = listAt(c.lastImport);
        importThroughTheDialog(before);
        // Somewhere else since: a folder moved away, for one case.
        if (QString::fromUtf8(c.lastImport).startsWith(u"别处"))
            ASSERT_TRUE(QDir(under("别处")).removeRecursively());
    }
    const QString file = listAt("工程/第1层/柱/导入.pld");
    EXPECT_EQ(importThroughTheDialog(file), under(c.opensIn));
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, ImportFolder,
    ::testing::Values(
        ImportFolderCase{"BesideTheDocument", "工程/第2层/梁.jgd", "工程", "", "工程/第2层"},
        ImportFolderCase{"TheProjectForASheetNeverSaved", "", "工程", "", "工程"},
        ImportFolderCase{"WhereTheLastImportCameFrom", "工程/第2层/梁.jgd", "工程",
                         "工程/第1层/柱/上次.pld", "工程/第1层/柱"},
        ImportFolderCase{"NotAFolderThatIsGone", "工程/第2层/梁.jgd", "工程", "别处/上次.pld",
                         "工程/第2层"}),
    [](const ::testing::TestParamInfo<ImportFolderCase>& info) { return std::string(info.param.name); });

// Print preview

struct PreviewCase {
    const char* name;
    bool cover;
    int shown;   // the page the view shows
    int current; // the page the preview opens at
};

class ViewPrintPreview : public PrintFixture, public ::testing::WithParamInterface<PreviewCase> {
};

TEST_P(ViewPrintPreview, ShowsThePagesWithoutTheCoverAtTheCurrentPage)
{
    const PreviewCase& c = GetParam();
    sheet.setFengmian(c.cover ? 1 : 0);
    sheet.setPageTo(c.shown, 1);
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<platform::PagePreviewDialog> preview = view.createPrintPreview(&printer);
    ASSERT_NE(preview, nullptr);
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_EQ(preview->firstPage(), 1);
    EXPECT_EQ(preview->currentPage(), c.current);
    // Only the page shown is drawn, once, however often it is repainted.
    preview->repaint();
    EXPECT_EQ(sheet.printedPages(), (QList<int>{c.current}));
    for (const auto& drawn : sheet.drawn) {
        if (drawn.printing) {
            EXPECT_EQ(drawn.rect, Rect(1, 1, 100, 100));
        }
    }
    EXPECT_EQ(sheet.getCurPage(), c.shown); // the view's page again
    EXPECT_EQ(printer.fromPage(), c.current); // what its print button offers
    // The next page is drawn when the user comes to it.
    preview->setCurrentPage(c.current == 3 ? 2 : 3);
    preview->repaint();
    EXPECT_EQ(sheet.printedPages().size(), 2);
    EXPECT_EQ(sheet.getCurPage(), c.shown);
    const QString path = qEnvironmentVariable("RODO_PREVIEW_SHOT");
    if (!path.isEmpty() && !c.cover && c.shown == 2)
        preview->grab().save(path);
    preview->close();
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ViewPrintPreview,
    ::testing::Values(PreviewCase{"SecondPage", false, 2, 2},
                      PreviewCase{"CoverShownOpensAtTheFirstPage", true, 0, 1},
                      PreviewCase{"LastPageWithACover", true, 3, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// A bar list's own page drawing in the preview; with RODO_BARLIST_PREVIEW_SHOT
// set the preview is saved there for a look.
TEST(ViewBarListPreview, ShowsEveryPageOfTheBarList)
{
    CVes_SetupTable table;
    for (int i = 0; i < 40; ++i)
        table.Add(QStringList{QString("第%1行").arg(i + 1)});
    table.setPageTo(2, 1);
    ASSERT_EQ(table.resetPages(), 3);
    View view;
    view.resize(800, 600);
    view.setTable(&table);
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<platform::PagePreviewDialog> preview = view.createPrintPreview(&printer);
    ASSERT_NE(preview, nullptr);
    preview->resize(1000, 800);
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_EQ(preview->currentPage(), 2);
    EXPECT_EQ(preview->drawnPages(), 1);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(table.getCurPage(), 2);
    const QString path = qEnvironmentVariable("RODO_BARLIST_PREVIEW_SHOT");
    if (!path.isEmpty())
        preview->grab().save(path);
    preview->close();
}

// Pages drawn as the user comes to them, in any order, are the pages drawn
// one after the other from the first: every page of a bar list whose rows
// differ from page to page.
TEST(ViewBarListPreview, PagesDrawnInAnyOrderAreThePagesDrawnInTurn)
{
    CVes_SetupTable table;
    for (int i = 0; i < 70; ++i)
        table.Add(QStringList{QString("第%1行").arg(i + 1), QString::number(i % 7)});
    ASSERT_GE(table.resetPages(), 4);
    table.setPageTo(2, 1);
    View view;
    view.resize(800, 600);
    view.setTable(&table);
    const auto pagesIn = [&](const QList<int>& order) {
        QPrinter printer(QPrinter::HighResolution);
        std::unique_ptr<platform::PagePreviewDialog> preview = view.createPrintPreview(&printer);
        std::map<int, QImage> images;
        for (int page : order)
            images[page] = preview->pageImage(page, QSize(594, 420));
        return images;
    };
    QList<int> inTurn;
    for (int page = 1; page <= table.resetPages(); ++page)
        inTurn.append(page);
    QList<int> jumping(inTurn.rbegin(), inTurn.rend());
    std::swap(jumping[0], jumping[2]);
    const std::map<int, QImage> expected = pagesIn(inTurn);
    const std::map<int, QImage> lazily = pagesIn(jumping);
    ASSERT_EQ(lazily.size(), expected.size());
    for (const auto& [page, image] : expected) {
        EXPECT_EQ(lazily.at(page), image) << "page " << page;
        EXPECT_NE(image, expected.at(page == 1 ? 2 : 1)) << "page " << page; // not blank
    }
    EXPECT_EQ(table.getCurPage(), 2);
}

// The preview's print button prints the range the user chose, the cover never.
TEST_F(PrintFixture, PrintingFromThePreviewTakesTheChosenPages)
{
    sheet.setFengmian(1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath("range.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString("1,3-7"));
    EXPECT_TRUE(view.printPreviewPages(&printer));
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{1, 3}));
    EXPECT_EQ(pdfPages(pdfPath("range.pdf")), 2);

    sheet.drawn.clear();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setOutputFileName(pdfPath("all.pdf"));
    EXPECT_TRUE(view.printPreviewPages(&printer));
    EXPECT_EQ(sheet.drawnPages(), (QList<int>{1, 2, 3}));
}

} // namespace
