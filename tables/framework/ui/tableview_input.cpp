// Input of the table view: clicks that select rows and start cell edits,
// dragging the page with the left or middle button, the zoom window, the
// mouse wheel, the keyboard, the text size commands and the find-and-replace
// dialog.

#include "tables/framework/ui/tableview.h"

#include "tables/framework/ui/findreplacedlg.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QRubberBand>
#include <QScrollBar>
#include <QStandardPaths>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using platform::Rect;

namespace {

constexpr float kScrollMax = 100.0f;
// The wheel scrolls five per cent a turn.
constexpr float kWheelStep = 5.0f;

unsigned mouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= CVes_TableViewBase::MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= CVes_TableViewBase::MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= CVes_TableViewBase::MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= CVes_TableViewBase::MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= CVes_TableViewBase::MK_CONTROL;
    return flags;
}

float clampOffset(double offset)
{
    if (!std::isfinite(offset))
        return 0.0f;
    return float(std::clamp(offset, 0.0, double(kScrollMax)));
}

bool inScrollRange(float offset)
{
    return offset >= 0.0f && offset <= kScrollMax;
}

// Whole scroll percents of a travel; none when the page does not scroll.
int scrollSteps(int travel, double unit)
{
    return unit > 0.0 ? int(travel / unit) : 0;
}

bool isKeypad(const QKeyEvent* event, int key)
{
    return event->key() == key && (event->modifiers() & Qt::KeypadModifier);
}

} // namespace

// Qt's events

void CVes_TableViewBase::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const unsigned flags = mouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(flags, point);
    else if (event->button() == Qt::MiddleButton)
        OnMButtonDown(flags, point);
    // Taken, so that the moves and the release of a drag come here.
    event->accept();
}

void CVes_TableViewBase::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const unsigned flags = mouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(flags, point);
    else if (event->button() == Qt::MiddleButton)
        OnMButtonUp(flags, point);
    event->accept();
}

void CVes_TableViewBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is the double click alone.
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(mouseFlags(event->buttons(), event->modifiers()),
                        event->position().toPoint());
    event->accept();
}

void CVes_TableViewBase::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(mouseFlags(event->buttons(), event->modifiers()), event->position().toPoint());
    event->accept();
}

void CVes_TableViewBase::wheelEvent(QWheelEvent* event)
{
    // Some systems turn a wheel held with Shift into a sideways turn.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    OnMouseWheel(mouseFlags(event->buttons(), event->modifiers()), delta,
                 event->position().toPoint());
    // The scroll bars do not take the wheel: its actions are the user's.
    event->accept();
}

void CVes_TableViewBase::keyPressEvent(QKeyEvent* event)
{
    PreTranslateMessage(event);
    OnKeyDown(event);
}

void CVes_TableViewBase::keyReleaseEvent(QKeyEvent* event)
{
    PreTranslateMessage(event);
    OnKeyUp(event);
}

// Mouse

platform::Rect CVes_TableViewBase::logicalClient() const
{
    return DPtoLP(Rect(0, 0, viewport()->width(), viewport()->height()));
}

void CVes_TableViewBase::scrollUnits(double& unitX, double& unitY) const
{
    unitX = 0.0;
    unitY = 0.0;
    if (m_table)
        m_table->getScollUnit(logicalClient(), m_table->getScale(), unitX, unitY);
}

void CVes_TableViewBase::OnLButtonDown(unsigned flags, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    const QPoint logical = DPtoLP(point);
    if (NowFengmian()) {
        CVes_TableCover& cover = m_table->m_cover;
        cover.HitTest(logical, cover.m_curVar, cover.m_curCol);
    }
    int row = -1;
    int column = -1;
    m_table->HitTest(logical, row, column);
    if (row == 0 || row == CVes_TableBase::kTitleTextRow || row > m_table->getRowNum()) {
        // The caption row, the title block and rows below the page's rows.
        m_table->clearSelect();
        m_table->setCurRow(row);
        m_table->setCurCol(column);
    } else if (row >= 1) {
        clickRow(flags, row, column, point);
    } else {
        m_table->clearSelect();
    }

    if (m_zoomWindow && !m_buttonDown) {
        m_zoomFirst = point;
        m_bandCurrent = point;
        m_bandPrevious = point;
        m_buttonDown = 1;
    } else if (m_zoomWindow) {
        applyZoomWindow(point);
    } else {
        beginDrag(logical);
    }
}

void CVes_TableViewBase::clickRow(unsigned flags, int row, int column, QPoint point)
{
    if (!m_table->haveContent(row)) {
        m_table->clearSelect();
        return;
    }
    if (flags & MK_CONTROL) {
        m_table->AddSelect(row, 0);
        return;
    }
    if (flags & MK_SHIFT) {
        const int anchor = m_table->getSelectRow();
        if (anchor < 1) {
            m_table->AddSelect(row, 1);
            return;
        }
        m_table->AddSelect(anchor, 1);
        const int step = row > anchor ? 1 : -1;
        for (int n = anchor + step; n != row + step; n += step)
            if (!m_table->isSelected(n))
                m_table->AddSelect(n, 0);
        return;
    }
    m_table->AddSelect(row, 1);
    if (row == m_table->getCurRow() && column == m_table->getCurCol()) {
        // A second click on the current cell edits it.
        EditCell(row, column, point);
        return;
    }
    if (row != m_table->getCurRow())
        m_table->setCurRow(row);
    if (column != m_table->getCurCol())
        m_table->setCurCol(column);
}

void CVes_TableViewBase::beginDrag(QPoint logical)
{
    m_buttonDown = 1;
    if (!m_table->getPaperRect().PtInRect(logical))
        m_pointerInPage = 0;
    m_panAnchor = logical;
    repaintView();
}

void CVes_TableViewBase::OnLButtonUp(unsigned, QPoint)
{
    // Between the two clicks of a zoom window the band follows the pointer.
    if (!m_zoomWindow)
        m_buttonDown = 0;
}

void CVes_TableViewBase::OnMButtonDown(unsigned, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    beginDrag(DPtoLP(point));
}

void CVes_TableViewBase::OnMButtonUp(unsigned flags, QPoint point)
{
    OnLButtonUp(flags, point);
}

void CVes_TableViewBase::OnLButtonDblClk(unsigned, QPoint point)
{
    if (!m_table || !NowFengmian())
        return;
    int row = -1;
    int column = -1;
    m_table->HitTest(DPtoLP(point), row, column);
    EditTableCoverVar(row, column, point, viewport());
}

void CVes_TableViewBase::OnMouseMove(unsigned flags, QPoint point)
{
    if (m_buttonDown && m_zoomWindow) {
        viewport()->setCursor(Qt::CrossCursor);
        m_bandCurrent = point;
        showRubberBand(point);
    } else if (m_buttonDown && (flags & (MK_LBUTTON | MK_MBUTTON)) && m_table) {
        dragTo(DPtoLP(point));
    } else if (m_table) {
        const QPoint logical = DPtoLP(point);
        int row = -1;
        int column = -1;
        const bool editable = m_table->getPaperRect().PtInRect(logical)
                              && m_table->HitTest(logical, row, column) && row > 0
                              && m_table->haveContent(row)
                              && isCanEditVar(row, column, point) != 0;
        viewport()->setCursor(editable ? Qt::IBeamCursor : Qt::ArrowCursor);
    }
    m_bandPrevious = m_bandCurrent;
}

void CVes_TableViewBase::dragTo(QPoint logical)
{
    if (!m_table->getPaperRect().PtInRect(logical)) {
        // Off the page nothing moves.
        m_pointerInPage = 0;
        return;
    }
    m_pointerInPage = 1;
    viewport()->setCursor(Qt::SizeAllCursor);
    double unitX = 0.0, unitY = 0.0;
    scrollUnits(unitX, unitY);
    const int stepX = scrollSteps(logical.x() - m_panAnchor.x(), unitX);
    const int stepY = scrollSteps(logical.y() - m_panAnchor.y(), unitY);
    if (stepX == 0 && stepY == 0)
        return;
    float x = m_scrollX;
    float y = m_scrollY;
    if (inScrollRange(x))
        x = clampOffset(double(x) - stepX);
    if (inScrollRange(y))
        y = clampOffset(double(y) - stepY);
    setScrollOffsets(x, y);
    repaintView();
    m_panAnchor = logical;
}

void CVes_TableViewBase::showRubberBand(QPoint corner)
{
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_rubberBand->setGeometry(QRect(m_zoomFirst, corner).normalized());
    m_rubberBand->show();
}

void CVes_TableViewBase::applyZoomWindow(QPoint corner)
{
    m_zoomSecond = corner;
    m_pointerInPage = 0;
    m_buttonDown = 0;
    m_zoomWindow = 0;
    if (m_rubberBand)
        m_rubberBand->hide();
    showScrollBars(true);
    const double width = viewport()->width();
    const double height = viewport()->height();
    if (width <= 0.0 || height <= 0.0)
        return;
    double w = std::abs(m_zoomFirst.x() - m_zoomSecond.x());
    double h = std::abs(m_zoomFirst.y() - m_zoomSecond.y());
    if (w < 0.001 || h < 0.001) {
        // A point, not a window.
        w = width;
        h = height;
    }
    const QPoint centre(int((m_zoomFirst.x() + m_zoomSecond.x()) * 0.5),
                        int((m_zoomFirst.y() + m_zoomSecond.y()) * 0.5));
    const double factor = std::min(width / w, height / h);
    zoomAbout(DPtoLP(centre), m_table->getScale() * factor);
    handleMessage(kZoomShown);
    repaintView();
}

void CVes_TableViewBase::zoomAbout(QPoint logical, double zoom)
{
    // Windows within windows multiply the zoom: it stays one that pages are
    // drawn at, and that the sheet's file can hold.
    zoom = CVes_TableBase::pageZoom(zoom);
    double x = 0.0, y = 0.0;
    m_table->getScollPosWhenPtOnCenter(logical, logicalClient(), m_table->getScale(), zoom, x, y);
    m_table->setScale(zoom);
    setScrollOffsets(clampOffset(x), clampOffset(y));
}

// Wheel

bool CVes_TableViewBase::OnMouseWheel(unsigned flags, int delta, QPoint point)
{
    if (!m_table)
        return false;
    const int action = (flags & MK_CONTROL) ? Info_UserCustomCtrlGunLun()
                       : (flags & MK_SHIFT) ? Info_UserCustomShiftGunLun()
                                            : Info_UserCustomGunLun();
    switch (action) {
    case kWheelScroll:
        wheelScroll(delta);
        break;
    case kWheelZoom:
        if (!wheelZoom(delta, point))
            return false;
        break;
    case kWheelPages:
        if (delta < 0)
            m_table->nextPage();
        else if (delta > 0)
            m_table->PrevPage();
        break;
    default:
        break;
    }
    repaintView();
    return true;
}

void CVes_TableViewBase::wheelScroll(int delta)
{
    float y = m_scrollY;
    if (delta > 0 && y > 0.0f)
        y -= kWheelStep;
    else if (delta < 0 && y < kScrollMax)
        y += kWheelStep;
    setScrollOffsets(m_scrollX, clampOffset(y));
}

bool CVes_TableViewBase::wheelZoom(int delta, QPoint point)
{
    const double old = m_table->getScale();
    double zoom = old;
    if (delta > 0) {
        if (old == kMaxWheelZoom)
            return false;
        zoom = std::min(old * kZoomStep, kMaxWheelZoom);
    } else if (delta < 0) {
        // A turn back undoes a turn forward.
        zoom = old / kZoomStep;
        if (zoom < kMinZoom)
            return true;
    } else {
        return true;
    }
    // The wheel zooms only within (1.0, 20.0].
    if (zoom <= 1.0 && zoom != kMaxWheelZoom)
        return true;
    showScrollBars(true);
    zoomAbout(DPtoLP(point), zoom);
    return true;
}

// Keyboard

void CVes_TableViewBase::PreTranslateMessage(QKeyEvent* event)
{
    m_ctrl = (event->modifiers() & Qt::ControlModifier) ? 1 : 0;
    const int key = event->key();
    if (event->type() == QEvent::KeyRelease) {
        if (key == Qt::Key_Shift)
            m_shift = 0;
        else if (key == Qt::Key_Control)
            m_ctrl = 0;
        return;
    }
    if (event->type() != QEvent::KeyPress)
        return;
    const bool readOnly = !m_table || m_table->isReadOnly();
    const bool editing = m_inPlaceEdit != nullptr;

    if (m_ctrl && key >= Qt::Key_A && key <= Qt::Key_Z) {
        switch (key) {
        case Qt::Key_A: OnSelectAllLineOfPage(); break;
        case Qt::Key_C: if (!readOnly) OnCopy(); break;
        case Qt::Key_V: if (!readOnly) OnPaste(); break;
        case Qt::Key_X: if (!readOnly) OnCutRow(); break;
        case Qt::Key_F: SearchAndReplace(0); break;
        case Qt::Key_H: SearchAndReplace(1); break;
        default: return; // not a key of the table: the Ctrl flag stays
        }
        m_ctrl = 0;
        return;
    }

    switch (key) {
    case Qt::Key_Shift: m_shift = 1; break;
    case Qt::Key_Control: m_ctrl = 1; break;
    case Qt::Key_PageUp: OnPrvPage(); break;
    case Qt::Key_PageDown: OnNextPage(); break;
    case Qt::Key_End: OnEndPage(); break;
    case Qt::Key_Home: OnFirstPage(); break;
    case Qt::Key_Up: m_ctrl ? OnMoveUp() : OnSelectPrev(); break;
    case Qt::Key_Down: m_ctrl ? OnMoveDown() : OnSelectNext(); break;
    case Qt::Key_Insert:
        if (m_ctrl)
            insertClipBoard();
        else
            OnInsertRow(m_shift ? 1 : 0);
        break;
    case Qt::Key_Delete:
        if (!editing)
            OnDeleteRow();
        break;
    case Qt::Key_F10: openCalculator(); break;
    default:
        if (key == Qt::Key_Left || isKeypad(event, Qt::Key_Minus)) {
            if (m_table && !editing)
                m_table->SelectPrevCol();
        } else if (key == Qt::Key_Right || isKeypad(event, Qt::Key_Plus)) {
            if (m_table && !editing)
                m_table->SelectNextCol();
        } else {
            return;
        }
        repaintView();
        setCurRowVisible();
        break;
    }
}

void CVes_TableViewBase::OnKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F12)
        openCalculator();
    // Not swallowed: the windows around the view see the key too.
    event->ignore();
}

void CVes_TableViewBase::OnKeyUp(QKeyEvent* event)
{
    event->ignore();
}

bool CVes_TableViewBase::handleSheetKey(int key)
{
    if (!m_table)
        return false;
    switch (key) {
    case Qt::Key_Tab:
        m_table->SelectNextCol();
        repaintView();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EditCell(m_table->getCurRow(), m_table->getCurCol(), QPoint());
        return true;
    case Qt::Key_Space: {
        const int row = m_table->getCurRow();
        CVes_TableBaseLine* line = m_table->getLine(row);
        if (!line || !line->isSteelLine() || !m_table->isCurShapeCol(-1))
            return false;
        changeSteel(row, m_table->getCurCol());
        repaintView();
        return true;
    }
    default:
        return false;
    }
}

void CVes_TableViewBase::cellEditKeyDown(QKeyEvent* event)
{
    if (handleSheetKey(event->key())) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1)
        OnChar(text.front().unicode());
    CVes_TableViewBase::OnKeyDown(event);
}

void CVes_TableViewBase::openCalculator()
{
    static const char* const kCalculators[] = {"gnome-calculator", "kcalc", "mate-calc",
                                               "galculator", "qalculate-gtk", "xcalc"};
    for (const char* name : kCalculators) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty()) {
            QProcess::startDetached(program, {});
            return;
        }
    }
}

// Text size

void CVes_TableViewBase::scaleCoverText(double factor)
{
    if (CVes_Variable* variable = m_table->m_cover.getCurVar())
        variable->m_height = std::max(1, int(variable->m_height * factor));
}

void CVes_TableViewBase::doTextbig()
{
    if (!m_table)
        return;
    if (NowFengmian())
        scaleCoverText(1.1);
    else
        m_table->setSelLineTextBig();
}

void CVes_TableViewBase::doTextsmall()
{
    if (!m_table)
        return;
    if (NowFengmian())
        scaleCoverText(0.9);
    else
        m_table->setSelLineTextSmall();
}

// Find and replace

void CVes_TableViewBase::SearchAndReplace(int replace)
{
    if (!m_table || getViewType() != kBarListView)
        return;
    if (!m_findDlg) {
        m_findDlg = new CVes_FindReplaceDlg(window());
        m_findDlg->init(this, replace);
    }
    m_findDlg->show();
    m_findDlg->raise();
    m_findDlg->activateWindow();
}

void CVes_TableViewBase::searchDialogClosed(CVes_FindReplaceDlg* dialog)
{
    // A dialog the view already let go of (endEdit) changes nothing now.
    if (!dialog || m_findDlg != dialog)
        return;
    m_findDlg = nullptr;
    endEdit();
}
