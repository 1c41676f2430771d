// The grid's mouse: selecting, sizing rows and columns, header clicks,
// clicks, double clicks and the wheel.

#include "grid/gridctrl.h"

#include "grid/gridowner.h"
#include "grid/gridtipwnd.h"
#include "platform/hostservices.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>

namespace {

UINT mouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= CGridCtrl::MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= CGridCtrl::MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= CGridCtrl::MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= CGridCtrl::MK_CONTROL;
    return flags;
}

} // namespace

void CGridCtrl::SetCursorShape(Qt::CursorShape shape)
{
    viewport()->setCursor(shape);
}

void CGridCtrl::SetCapture()
{
    // Qt keeps sending the moves to the widget the button went down in.
    m_bHasCapture = true;
}

void CGridCtrl::ReleaseCapture()
{
    m_bHasCapture = false;
}

void CGridCtrl::OnCaptureChanged()
{
    m_autoScrollTimer.stop();
    m_nTimerID = 0;
    m_bHasCapture = false;
    if (m_MouseMode == MouseDragging)
        m_MouseMode = MouseIdle;
}

void CGridCtrl::focusOutEvent(QFocusEvent* event)
{
    if (m_bHasCapture
        && (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason))
        OnCaptureChanged();
    QAbstractScrollArea::focusOutEvent(event);
}

bool CGridCtrl::IsPointInCellText(const CGridCellPos& cell, QPoint point)
{
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    platform::Rect rect;
    if (!pCell || !GetCellRect(cell, &rect))
        return false;
    platform::Rect textRect = rect;
    return pCell->GetTextRect(&textRect) && textRect.PtInRect(point);
}

void CGridCtrl::PostCommandToOwner()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (GridOwner* owner = GetOwner())
                owner->OnGridCommand(*this, m_nID);
        },
        Qt::QueuedConnection);
}

void CGridCtrl::StartSizingLine(int nPos, bool bColumn)
{
    m_bSizingColumn = bColumn;
    MoveSizingLine(nPos);
}

void CGridCtrl::MoveSizingLine(int nPos)
{
    const platform::Rect client = GetClientRect();
    const auto band = [&](int pos) {
        return m_bSizingColumn ? platform::Rect(pos, client.top, pos + 2, client.bottom)
                               : platform::Rect(client.left, pos, client.right, pos + 2);
    };
    if (m_nSizingLine >= 0) {
        const platform::Rect old = band(m_nSizingLine);
        InvalidateClientRect(&old);
    }
    m_nSizingLine = nPos;
    if (nPos >= 0) {
        const platform::Rect now = band(nPos);
        InvalidateClientRect(&now);
    }
}

void CGridCtrl::EndSizingLine()
{
    MoveSizingLine(-1);
}

void CGridCtrl::OnMouseMove(UINT nFlags, QPoint point)
{
    (void)nFlags;
    if (m_pTitleTip && m_pTitleTip->isVisible() && !m_pTitleTip->GetHoverRect().PtInRect(point))
        HideTitleTip();
    if (m_MouseMode != MouseDragging && !GetClientRect().PtInRect(point))
        return;

    if (m_bLMouseButtonDown && m_MouseMode != MouseIdle) {
        if (IsValid(m_LeftClickDownCell)) {
            switch (m_MouseMode) {
            case MouseSelectColumns:
            case MouseSelectRows:
            case MouseSelectCells: {
                const CGridCellPos cell = CellFromPoint(point);
                if (!IsValid(cell))
                    return;
                if (cell != m_idCurrentCell) {
                    OnSelecting(cell);
                    const bool scrolled = cell.row >= m_nFixedRows && cell.col >= m_nFixedCols;
                    if (scrolled || m_MouseMode != MouseSelectCells)
                        SetFocusCell(cell);
                }
                break;
            }
            case MouseSizingRow:
                MoveSizingLine(point.y());
                break;
            case MouseSizingColumn:
                MoveSizingLine(point.x());
                break;
            case MousePrepareEdit:
            case MousePrepareDrag:
                m_MouseMode = MousePrepareDrag;
                OnBeginDrag();
                break;
            default:
                break;
            }
        }
    } else {
        if (m_bAllowColumnResize && IsOverColumnBorder(point)) {
            if (m_MouseMode != MouseOverColumnBorder) {
                SetCursorShape(Qt::SizeHorCursor);
                m_MouseMode = MouseOverColumnBorder;
            }
        } else if (m_bAllowRowResize && IsOverRowBorder(point)) {
            if (m_MouseMode != MouseOverRowBorder) {
                SetCursorShape(Qt::SizeVerCursor);
                m_MouseMode = MouseOverRowBorder;
            }
        } else if (m_MouseMode != MouseIdle) {
            SetCursorShape(Qt::ArrowCursor);
            m_MouseMode = MouseIdle;
        }
        if (m_MouseMode == MouseIdle && !(m_bVirtualMode && !m_bTitleTips)) {
            const CGridCellPos cell = CellFromPoint(point);
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) {
                pCell->OnMouseOver();
                if (m_bTitleTips)
                    ShowTitleTip(cell);
            }
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, QPoint point)
{
    HideTitleTip();
    m_LeftClickDownPoint = point;
    m_bLMouseButtonDown = true;
    m_LeftClickDownCell = CellFromPoint(point);
    if (!IsValid(m_LeftClickDownCell))
        return;

    if (nFlags & MK_SHIFT) {
        if (!IsValid(m_SelectionStartCell))
            m_SelectionStartCell = m_idCurrentCell;
    } else {
        m_SelectionStartCell = m_LeftClickDownCell;
    }

    EndEditing();
    if (CGridCellBase* cell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        cell->OnClickDown(PointInCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));

    const bool inText = IsPointInCellText(m_LeftClickDownCell, point);
    if (m_LeftClickDownCell == m_idCurrentCell && !(nFlags & MK_CONTROL) && inText
        && IsCellEditable(m_LeftClickDownCell)) {
        m_MouseMode = MousePrepareEdit;
        return;
    }

    if (!IsCellSelected(m_LeftClickDownCell)) {
        if (m_MouseMode != MouseOverRowBorder && m_MouseMode != MouseOverColumnBorder) {
            if (m_LeftClickDownCell.row >= m_nFixedRows && m_LeftClickDownCell.col >= m_nFixedCols)
                SetFocusCell(m_LeftClickDownCell);
            else
                SetFocusCell(-1, -1);
        }
    } else if (nFlags & MK_CONTROL) {
        SetFocusCell(m_LeftClickDownCell);
        if (m_bListMode)
            SelectRows(m_LeftClickDownCell, true, false);
        else
            SelectCells(m_LeftClickDownCell, true, false);
        return;
    } else if (m_bAllowDragAndDrop) {
        m_MouseMode = MousePrepareDrag;
    }

    SetCapture();

    if (m_MouseMode == MouseIdle) {
        if (m_bAllowColumnResize && IsOverColumnBorder(point)) {
            SetCursorShape(Qt::SizeHorCursor);
            m_MouseMode = MouseOverColumnBorder;
        } else if (m_bAllowRowResize && IsOverRowBorder(point)) {
            SetCursorShape(Qt::SizeVerCursor);
            m_MouseMode = MouseOverRowBorder;
        }
    }

    if (m_MouseMode == MouseOverColumnBorder) {
        m_MouseMode = MouseSizingColumn;
        const int lastCol = m_nCols - 1;
        platform::Rect visible;
        GetVisibleScrollRange(&visible);
        if (GetColumnWidth(lastCol) < m_nResizeCaptureRange
            && std::abs(point.x() - visible.right) < m_nResizeCaptureRange)
            m_LeftClickDownCell.col = lastCol;

        QPoint start;
        if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start))
            return;
        const bool nearLeft = point.x() - start.x() < m_nResizeCaptureRange;
        if (!m_bHiddenColUnhide && (nearLeft || m_LeftClickDownCell.col != lastCol)) {
            // Look left for the nearest column that is not hidden.
            const int offset = nearLeft ? 1 : 0;
            while (m_LeftClickDownCell.col - offset >= 0
                   && GetColumnWidth(m_LeftClickDownCell.col - offset) == 0)
                --m_LeftClickDownCell.col;
            if (m_LeftClickDownCell.col - offset < 0)
                return;
        }
        StartSizingLine(point.x(), true);
        if (nearLeft && (m_LeftClickDownCell.col != lastCol || GetColumnWidth(lastCol) >= m_nResizeCaptureRange)) {
            --m_LeftClickDownCell.col;
            if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start))
                return;
        }
    } else if (m_MouseMode == MouseOverRowBorder) {
        m_MouseMode = MouseSizingRow;
        const int lastRow = m_nRows - 1;
        platform::Rect visible;
        GetVisibleScrollRange(&visible);
        if (GetRowHeight(lastRow) < m_nResizeCaptureRange
            && std::abs(point.y() - visible.bottom) < m_nResizeCaptureRange)
            m_LeftClickDownCell.row = lastRow;

        QPoint start;
        if (!GetCellOrigin(m_LeftClickDownCell.row, 0, &start))
            return;
        const bool nearTop = point.y() - start.y() < m_nResizeCaptureRange;
        if (!m_bHiddenRowUnhide && (nearTop || m_LeftClickDownCell.row != lastRow)) {
            const int offset = nearTop ? 1 : 0;
            while (m_LeftClickDownCell.row - offset >= 0
                   && GetRowHeight(m_LeftClickDownCell.row - offset) == 0)
                --m_LeftClickDownCell.row;
            if (m_LeftClickDownCell.row - offset < 0)
                return;
        }
        StartSizingLine(point.y(), false);
        if (nearTop && (m_LeftClickDownCell.row != lastRow || GetRowHeight(lastRow) >= m_nResizeCaptureRange)) {
            --m_LeftClickDownCell.row;
            if (!GetCellOrigin(m_LeftClickDownCell.row, 0, &start))
                return;
        }
    } else if (m_MouseMode != MousePrepareDrag) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GridSelChanging);
        m_PrevSelectedCellMap.clear();
        if (nFlags & MK_CONTROL)
            m_PrevSelectedCellMap = m_SelectedCellMap;

        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_LeftClickDownCell);
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
            OnSelecting(m_LeftClickDownCell);
            m_nTimerID = AutoScrollTimerId;
            m_autoScrollTimer.start(m_nTimerInterval, this);
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnFixedRowClick(CGridCellPos& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        platform::WaitCursor wait;
        const bool ascending = !(cell.col == m_nSortColumn && m_bAscending);
        SortRowsByText(cell.col, ascending);
        InvalidateGrid();
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MouseSelectAll : MouseSelectColumns;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CGridCellPos& cell)
{
    if (!IsValid(cell) || !m_bFixedColumnSelection)
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MouseSelectAll : MouseSelectRows;
    OnSelecting(cell);
}

void CGridCtrl::OnLButtonUp(UINT nFlags, QPoint point)
{
    (void)nFlags;
    m_bLMouseButtonDown = false;
    if (m_bHasCapture) {
        ReleaseCapture();
        m_autoScrollTimer.stop();
        m_nTimerID = 0;
    }

    const CGridCellPos focus = m_idCurrentCell;
    switch (m_MouseMode) {
    case MousePrepareEdit:
        OnEditCell(focus.row, focus.col, PointInCell(focus.row, focus.col, point), VK_LBUTTON);
        break;
    case MousePrepareDrag:
        if (CGridCellBase* cell = GetCell(focus.row, focus.col))
            cell->OnClick(PointInCell(focus.row, focus.col, point));
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GridSelChanging);
        ResetSelectedRange();
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GridSelChanged);
        break;
    case MouseSizingColumn:
    case MouseSizingRow: {
        const bool column = m_MouseMode == MouseSizingColumn;
        EndSizingLine();
        if (point != m_LeftClickDownPoint && point != QPoint(0, 0)) {
            QPoint start;
            if (!GetCellOrigin(m_LeftClickDownCell, &start))
                return;
            if (column) {
                const int width = std::max(point.x() - start.x(), m_bAllowColHide ? 0 : 1);
                SetColumnWidth(m_LeftClickDownCell.col, width);
            } else {
                const int height = std::max(point.y() - start.y(), m_bAllowRowHide ? 0 : 1);
                SetRowHeight(m_LeftClickDownCell.row, height);
            }
            ResetScrollBars();
            InvalidateGrid();
        }
        break;
    }
    default:
        SendMessageToParent(focus.row, focus.col, GridSelChanged);
        if (CGridCellBase* cell = GetCell(focus.row, focus.col))
            cell->OnClick(PointInCell(focus.row, focus.col, point));
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
        break;
    }

    m_MouseMode = MouseIdle;
    SetCursorShape(Qt::ArrowCursor);
    if (IsValid(m_LeftClickDownCell))
        PostCommandToOwner();
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, QPoint point)
{
    (void)nFlags;
    const CGridCellPos cell = CellFromPoint(point);
    if (!IsValid(cell))
        return;

    if (m_MouseMode == MouseOverColumnBorder) {
        QPoint start;
        if (!GetCellOrigin(0, cell.col, &start))
            return;
        int col = cell.col;
        if (point.x() - start.x() < m_nResizeCaptureRange)
            --col;
        while (col >= 0 && GetColumnWidth(col) <= 0)
            --col;
        if (col >= 0) {
            FitColumnWidth(col, GVS_DEFAULT, true);
            InvalidateGrid();
        }
    } else if (m_MouseMode == MouseOverRowBorder) {
        QPoint start;
        if (!GetCellOrigin(cell.row, 0, &start))
            return;
        int row = cell.row;
        if (point.y() - start.y() < m_nResizeCaptureRange)
            --row;
        while (row >= 0 && GetRowHeight(row) <= 0)
            --row;
        if (row >= 0) {
            FitRowHeight(row, true);
            InvalidateGrid();
        }
    } else if (m_MouseMode == MouseIdle) {
        const bool inText = IsPointInCellText(cell, point);
        const bool scrolled = cell.row >= m_nFixedRows && cell.col >= m_nFixedCols;
        if (scrolled && inText && (IsValid(m_LeftClickDownCell) || m_bListMode))
            OnEditCell(cell.row, cell.col, PointInCell(cell.row, cell.col, point), VK_LBUTTON);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnDblClick(PointInCell(cell.row, cell.col, point));
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
}

void CGridCtrl::OnRButtonUp(UINT nFlags, QPoint point)
{
    (void)nFlags;
    const CGridCellPos cell = CellFromPoint(point);
    EndEditing();
    if (IsValid(cell)) {
        SetFocusCell(-1, -1);
        SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnRClick(PointInCell(cell.row, cell.col, point));
        SendMessageToParent(cell.row, cell.col, NM_RCLICK);
    } else {
        SendMessageToParent(-1, -1, NM_RCLICK);
    }
}

void CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, QPoint point)
{
    (void)nFlags;
    (void)point;
    if (m_nRowsPerWheelNotch != WHEEL_PAGESCROLL) {
        const int lines = static_cast<int>(zDelta) * static_cast<int>(m_nRowsPerWheelNotch) / 120;
        for (int i = 0; i < std::abs(lines); ++i)
            OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN);
    } else {
        const int pages = zDelta / 120;
        for (int i = 0; i < std::abs(pages); ++i)
            OnVScroll(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    }
}

bool CGridCtrl::OnSetCursor(QPoint point)
{
    if (m_MouseMode == MouseOverRowBorder) {
        SetCursorShape(Qt::SizeVerCursor);
        return true;
    }
    if (m_MouseMode == MouseOverColumnBorder) {
        SetCursorShape(Qt::SizeHorCursor);
        return true;
    }
    if (m_MouseMode == MouseDragging)
        return true;
    if (!m_bVirtualMode) {
        const CGridCellPos cell = CellFromPoint(point);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            return pCell->OnSetCursor();
    }
    SetCursorShape(Qt::ArrowCursor);
    return true;
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    OnMouseMove(mouseFlags(event->buttons(), event->modifiers()), point);
    if (!m_bLMouseButtonDown && GetClientRect().PtInRect(point))
        OnSetCursor(point);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(mouseFlags(event->buttons(), event->modifiers()), event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        m_bRMouseButtonDown = true;
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const UINT flags = mouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        const bool hadCapture = m_bHasCapture;
        OnLButtonUp(flags, point);
        // The pointer rests where the button came up: let the move logic see
        // whether it now lies on a border, as the desktop's capture release does.
        if (hadCapture)
            OnMouseMove(flags, point);
    } else if (event->button() == Qt::RightButton) {
        m_bRMouseButtonDown = false;
        OnRButtonUp(flags, point);
    }
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(mouseFlags(event->buttons(), event->modifiers()), event->position().toPoint());
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    const int delta = std::clamp(event->angleDelta().y(), -32768, 32767);
    if (delta == 0) {
        event->ignore();
        return;
    }
    OnMouseWheel(mouseFlags(event->buttons(), event->modifiers()), static_cast<short>(delta),
                 event->position().toPoint());
    event->accept();
}

void CGridCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_autoScrollTimer.timerId()) {
        OnTimer(m_nTimerID);
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}
