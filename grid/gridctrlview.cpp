// Where cells lie on the screen, what is visible, and scrolling.

#include "grid/gridctrl.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

platform::Rect CGridCtrl::GetClientRect() const
{
    return platform::Rect(0, 0, viewport()->width(), viewport()->height());
}

CGridCellPos CGridCtrl::GetFirstScrolledCell(bool bForceRecalculation)
{
    if (!bForceRecalculation && m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0)
        return m_idTopLeftCell;

    const int nVertScroll = GetScrollPosition(SB_VERT);
    const int nHorzScroll = GetScrollPosition(SB_HORZ);

    int col = m_nFixedCols;
    for (int right = 0; right < nHorzScroll && col < m_nCols - 1; ++col)
        right += GetColumnWidth(col);
    int row = m_nFixedRows;
    for (int bottom = 0; bottom < nVertScroll && row < m_nRows - 1; ++row)
        bottom += GetRowHeight(row);

    m_idTopLeftCell = CGridCellPos(row, col);
    return m_idTopLeftCell;
}

CGridCellPos CGridCtrl::CellFromPoint(QPoint point, bool bAllowFixedCellCheck)
{
    const CGridCellPos topLeft = GetFirstScrolledCell();
    if (!bAllowFixedCellCheck && !IsValid(topLeft))
        return CGridCellPos(-1, -1);

    CGridCellPos cell;
    const int fixedColWidth = GetFixedColumnsWidth();
    if (point.x() < 0) {
        cell.col = -1;
    } else if (point.x() < fixedColWidth) {
        if (bAllowFixedCellCheck) {
            int xpos = 0;
            int col = 0;
            for (; col < m_nFixedCols; ++col) {
                xpos += GetColumnWidth(col);
                if (xpos > point.x())
                    break;
            }
            cell.col = col;
        } else {
            cell.col = -1;
        }
    } else {
        int xpos = fixedColWidth;
        int col = topLeft.col;
        for (; col >= 0 && col < m_nCols; ++col) {
            xpos += GetColumnWidth(col);
            if (xpos > point.x())
                break;
        }
        cell.col = (col >= 0 && col < m_nCols) ? col : -1;
    }

    const int fixedRowHeight = GetFixedRowsHeight();
    if (point.y() < 0) {
        cell.row = -1;
    } else if (point.y() < fixedRowHeight) {
        if (bAllowFixedCellCheck) {
            int ypos = 0;
            int row = 0;
            for (; row < m_nFixedRows; ++row) {
                ypos += GetRowHeight(row);
                if (ypos > point.y())
                    break;
            }
            cell.row = row;
        } else {
            cell.row = -1;
        }
    } else {
        int ypos = fixedRowHeight;
        int row = topLeft.row;
        for (; row >= 0 && row < m_nRows; ++row) {
            ypos += GetRowHeight(row);
            if (ypos > point.y())
                break;
        }
        cell.row = (row >= 0 && row < m_nRows) ? row : -1;
    }
    return cell;
}

CGridCellSpan CGridCtrl::GetVisibleScrollRange(platform::Rect* pRect, bool bForceRecalculation)
{
    const platform::Rect client = GetClientRect();
    const CGridCellPos topLeft = GetFirstScrolledCell(bForceRecalculation);

    int bottom = GetFixedRowsHeight();
    int row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    const int maxRow = std::min(row, m_nRows - 1);

    int right = GetFixedColumnsWidth();
    int col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    const int maxCol = std::min(col, m_nCols - 1);

    if (pRect)
        *pRect = platform::Rect(0, 0, right, bottom);
    return CGridCellSpan(topLeft.row, topLeft.col, maxRow, maxCol);
}

bool CGridCtrl::GetCellOrigin(int nRow, int nCol, QPoint* p)
{
    if (!p || !IsValid(nRow, nCol))
        return false;
    CGridCellPos topLeft;
    if (nRow >= m_nFixedRows || nCol >= m_nFixedCols)
        topLeft = GetFirstScrolledCell();
    if ((nRow >= m_nFixedRows && nRow < topLeft.row) || (nCol >= m_nFixedCols && nCol < topLeft.col))
        return false;

    int x = 0;
    if (nCol < m_nFixedCols) {
        for (int col = 0; col < nCol; ++col)
            x += GetColumnWidth(col);
    } else {
        x = GetFixedColumnsWidth();
        for (int col = topLeft.col; col < nCol; ++col)
            x += GetColumnWidth(col);
    }
    int y = 0;
    if (nRow < m_nFixedRows) {
        for (int row = 0; row < nRow; ++row)
            y += GetRowHeight(row);
    } else {
        y = GetFixedRowsHeight();
        for (int row = topLeft.row; row < nRow; ++row)
            y += GetRowHeight(row);
    }
    *p = QPoint(x, y);
    return true;
}

bool CGridCtrl::GetCellRect(int nRow, int nCol, platform::Rect* pRect)
{
    QPoint origin;
    if (!pRect || !GetCellOrigin(nRow, nCol, &origin))
        return false;
    pRect->left = origin.x();
    pRect->top = origin.y();
    pRect->right = origin.x() + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y() + GetRowHeight(nRow) - 1;
    return true;
}

bool CGridCtrl::IsCellOnScreen(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return false;
    const platform::Rect client = GetClientRect();
    CGridCellPos topLeft;
    if (nRow >= m_nFixedRows || nCol >= m_nFixedCols)
        topLeft = GetFirstScrolledCell();
    if ((nRow >= m_nFixedRows && nRow < topLeft.row) || (nCol >= m_nFixedCols && nCol < topLeft.col))
        return false;

    const bool fixedCol = nCol < m_nFixedCols;
    int x = fixedCol ? 0 : GetFixedColumnsWidth();
    for (int col = fixedCol ? 0 : topLeft.col; col <= nCol; ++col) {
        if (x >= client.right)
            return false;
        x += GetColumnWidth(col);
    }
    const bool fixedRow = nRow < m_nFixedRows;
    int y = fixedRow ? 0 : GetFixedRowsHeight();
    for (int row = fixedRow ? 0 : topLeft.row; row <= nRow; ++row) {
        if (y >= client.bottom)
            return false;
        y += GetRowHeight(row);
    }
    return true;
}

void CGridCtrl::InvalidateClientRect(const platform::Rect* pRect)
{
    if (pRect)
        viewport()->update(pRect->toQRect());
    else
        viewport()->update();
}

bool CGridCtrl::InvalidateCell(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol) || !IsCellOnScreen(nRow, nCol))
        return false;
    platform::Rect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return false;
    rect.right++;
    rect.bottom++;
    InvalidateClientRect(&rect);
    return true;
}

void CGridCtrl::InvalidateGrid()
{
    if (m_bAllowDraw)
        InvalidateClientRect(nullptr);
}

QPoint CGridCtrl::PointInCell(int nRow, int nCol, QPoint point)
{
    QPoint origin;
    if (!GetCellOrigin(nRow, nCol, &origin))
        return QPoint(0, 0);
    return point - origin;
}

void CGridCtrl::ScrollCellIntoView(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol))
        return;
    const CGridCellSpan visible = GetVisibleScrollRange();

    if (nCol >= m_nFixedCols) {
        for (int col = visible.GetMaxCol() + 1; col <= nCol; ++col) {
            if (GetColumnWidth(col) > 0)
                OnHScroll(SB_LINERIGHT);
        }
        for (int col = visible.GetMinCol() - 1; col >= nCol; --col) {
            if (GetColumnWidth(col) > 0)
                OnHScroll(SB_LINELEFT);
        }
    }
    if (nRow >= m_nFixedRows) {
        for (int row = visible.GetMaxRow() + 1; row <= nRow; ++row) {
            if (GetRowHeight(row) > 0)
                OnVScroll(SB_LINEDOWN);
        }
        for (int row = visible.GetMinRow() - 1; row >= nRow; --row) {
            if (GetRowHeight(row) > 0)
                OnVScroll(SB_LINEUP);
        }
    }

    // Cells wider or taller than a line may still reach past the edges.
    const platform::Rect client = GetClientRect();
    platform::Rect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return;
    while (rect.right > client.right && rect.left > GetFixedColumnsWidth()) {
        const int before = GetScrollPosition(SB_HORZ);
        OnHScroll(SB_LINERIGHT);
        if (GetScrollPosition(SB_HORZ) == before || !GetCellRect(nRow, nCol, &rect))
            return;
    }
    while (rect.bottom > client.bottom && rect.top > GetFixedRowsHeight()) {
        const int before = GetScrollPosition(SB_VERT);
        OnVScroll(SB_LINEDOWN);
        if (GetScrollPosition(SB_VERT) == before || !GetCellRect(nRow, nCol, &rect))
            return;
    }
}

int CGridCtrl::GetScrollPosition(int nBar, bool bGetTrackPos) const
{
    const QScrollBar* bar = nBar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    if (!bar)
        return 0;
    return bGetTrackPos ? bar->sliderPosition() : bar->value();
}

bool CGridCtrl::SetScrollPosition(int nBar, int nPos, bool bRedraw)
{
    m_idTopLeftCell.row = -1;
    QScrollBar* bar = nBar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    if (!bar)
        return false;
    bar->setValue(nPos);
    if (bRedraw)
        InvalidateGrid();
    return true;
}

void CGridCtrl::SetScrollBarShown(int nBar, bool bShow)
{
    const auto apply = [this](int flag, bool show) {
        if (((m_nBarState & flag) != 0) == show)
            return;
        m_nBarState = show ? (m_nBarState | flag) : (m_nBarState & ~flag);
        const auto policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
        if (flag == 0x1)
            setHorizontalScrollBarPolicy(policy);
        else
            setVerticalScrollBarPolicy(policy);
    };
    if (nBar == SB_HORZ || nBar == SB_BOTH)
        apply(0x1, bShow);
    if (nBar == SB_VERT || nBar == SB_BOTH)
        apply(0x2, bShow);
}

void CGridCtrl::SetScrollRange(int nBar, int nMax, int nPage)
{
    QScrollBar* bar = nBar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    // The bar's range runs to the last position at which a whole page still
    // fits: nMax - nPage + 1.
    const int last = (nMax > 0 && nPage > 0) ? std::max(0, nMax - nPage + 1) : 0;
    bar->setPageStep(std::max(1, nPage));
    bar->setSingleStep(std::max(1, m_cellDefault.GetHeight()));
    bar->setRange(0, last);
}

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell.row = -1;
    if (!m_bAllowDraw || m_bInScrollReset)
        return;
    // The client area as if no bars were shown.
    const QRect area = contentsRect();
    if (area.isEmpty())
        return;
    m_bInScrollReset = true;
    const int clientRight = area.width();
    const int clientBottom = area.height();
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();

    if (fixedWidth >= clientRight || fixedHeight >= clientBottom) {
        SetScrollBarShown(SB_BOTH, false);
        m_nHScrollMax = m_nVScrollMax = 0;
        SetScrollRange(SB_HORZ, 0, 0);
        SetScrollRange(SB_VERT, 0, 0);
        m_bInScrollReset = false;
        return;
    }

    const int scrollHeight = GetTotalHeight() - fixedHeight;
    const int scrollWidth = GetTotalWidth() - fixedWidth;
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    const int barHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());

    int right = clientRight;
    int bottom = clientBottom;
    if (bottom - fixedHeight < scrollHeight)
        right -= barWidth;
    const int visibleWidth = right - fixedWidth;
    if (visibleWidth < scrollWidth)
        bottom -= barHeight;
    const int visibleHeight = bottom - fixedHeight;

    if (visibleHeight >= scrollHeight) {
        SetScrollBarShown(SB_VERT, false);
        m_nVScrollMax = 0;
    } else {
        SetScrollBarShown(SB_VERT, true);
        m_nVScrollMax = scrollHeight - 1;
    }
    if (visibleWidth >= scrollWidth) {
        SetScrollBarShown(SB_HORZ, false);
        m_nHScrollMax = 0;
    } else {
        SetScrollBarShown(SB_HORZ, true);
        m_nHScrollMax = scrollWidth - 1;
    }
    SetScrollRange(SB_HORZ, m_nHScrollMax, m_nHScrollMax > 0 ? visibleWidth : 0);
    SetScrollRange(SB_VERT, m_nVScrollMax, m_nVScrollMax > 0 ? visibleHeight : 0);
    m_idTopLeftCell.row = -1;
    m_bInScrollReset = false;
}

int CGridCtrl::ScrollLine(int nBar, bool bForward)
{
    // The width or height of the line that scrolls out of or into view.
    const bool horz = nBar == SB_HORZ;
    const CGridCellPos topLeft = GetFirstScrolledCell();
    const int first = horz ? topLeft.col : topLeft.row;
    const int count = horz ? m_nCols : m_nRows;
    const int fixed = horz ? m_nFixedCols : m_nFixedRows;
    const auto size = [&](int i) { return horz ? GetColumnWidth(i) : GetRowHeight(i); };
    if (bForward) {
        int i = first;
        while (i >= 0 && i < count && size(i) == 0)
            ++i;
        return (i >= 0 && i < count) ? size(i) : 0;
    }
    if (first <= fixed)
        return 0;
    int i = first - 1;
    while (i > fixed && size(i) == 0)
        --i;
    return size(i);
}

void CGridCtrl::OnHScroll(UINT nSBCode, int nPos)
{
    EndEditing();
    HideTitleTip();
    const int scrollPos = GetScrollPosition(SB_HORZ);
    const CGridCellPos topLeft = GetFirstScrolledCell();
    const int page = GetClientRect().Width() - GetFixedColumnsWidth();

    switch (nSBCode) {
    case SB_LINERIGHT:
        if (scrollPos < m_nHScrollMax) {
            const int step = ScrollLine(SB_HORZ, true);
            if (step > 0)
                SetScrollPosition(SB_HORZ, scrollPos + step);
        }
        break;
    case SB_LINELEFT:
        if (scrollPos > 0 && topLeft.col > m_nFixedCols)
            SetScrollPosition(SB_HORZ, std::max(0, scrollPos - ScrollLine(SB_HORZ, false)));
        break;
    case SB_PAGERIGHT:
        if (scrollPos < m_nHScrollMax)
            SetScrollPosition(SB_HORZ, std::min(m_nHScrollMax, scrollPos + std::max(0, page)));
        break;
    case SB_PAGELEFT:
        if (scrollPos > 0)
            SetScrollPosition(SB_HORZ, std::max(0, scrollPos - std::max(0, page)));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPosition(SB_HORZ, nPos);
        m_idTopLeftCell = CGridCellPos(-1, -1);
        if (GetFirstScrolledCell() != topLeft)
            InvalidateGrid();
        break;
    case SB_LEFT:
        if (scrollPos > 0)
            SetScrollPosition(SB_HORZ, 0);
        break;
    case SB_RIGHT:
        if (scrollPos < m_nHScrollMax)
            SetScrollPosition(SB_HORZ, m_nHScrollMax);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnVScroll(UINT nSBCode, int nPos)
{
    EndEditing();
    HideTitleTip();
    const int scrollPos = GetScrollPosition(SB_VERT);
    const CGridCellPos topLeft = GetFirstScrolledCell();
    const int page = GetClientRect().Height() - GetFixedRowsHeight();

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < m_nVScrollMax) {
            const int step = ScrollLine(SB_VERT, true);
            if (step > 0)
                SetScrollPosition(SB_VERT, scrollPos + step);
        }
        break;
    case SB_LINEUP:
        if (scrollPos > 0 && topLeft.row > m_nFixedRows)
            SetScrollPosition(SB_VERT, std::max(0, scrollPos - ScrollLine(SB_VERT, false)));
        break;
    case SB_PAGEDOWN:
        if (scrollPos < m_nVScrollMax)
            SetScrollPosition(SB_VERT, std::min(m_nVScrollMax, scrollPos + std::max(0, page)));
        break;
    case SB_PAGEUP:
        if (scrollPos > 0)
            SetScrollPosition(SB_VERT, std::max(0, scrollPos - std::max(0, page)));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPosition(SB_VERT, nPos);
        m_idTopLeftCell = CGridCellPos(-1, -1);
        if (GetFirstScrolledCell() != topLeft)
            InvalidateGrid();
        break;
    case SB_TOP:
        if (scrollPos > 0)
            SetScrollPosition(SB_VERT, 0);
        break;
    case SB_BOTTOM:
        if (scrollPos < m_nVScrollMax)
            SetScrollPosition(SB_VERT, m_nVScrollMax);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnScrollAction(int nBar, int action)
{
    // The scroll bars' own steps are replaced by the grid's: a line is the
    // first scrolled row or column, a page the scrolled part of the window.
    UINT code = SB_ENDSCROLL;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    default:
        return; // thumb moves are taken as they come
    }
    QScrollBar* bar = nBar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    if (nBar == SB_HORZ)
        OnHScroll(code);
    else
        OnVScroll(code);
    bar->setSliderPosition(bar->value());
}

void CGridCtrl::scrollContentsBy(int, int)
{
    m_idTopLeftCell = CGridCellPos(-1, -1);
    InvalidateGrid();
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_bInResize)
        return;
    m_bInResize = true;
    EndEditing();
    ResetScrollBars();
    m_bInResize = false;
}

bool CGridCtrl::IsOverColumnBorder(QPoint point)
{
    if (point.y() >= GetFixedRowsHeight())
        return false;
    const CGridCellPos cell = CellFromPoint(point, true);
    QPoint start;
    if (!GetCellOrigin(cell, &start))
        return false;
    const int endx = start.x() + GetColumnWidth(cell.col);
    return (point.x() - start.x() < m_nResizeCaptureRange && cell.col != 0)
           || endx - point.x() < m_nResizeCaptureRange;
}

bool CGridCtrl::IsOverRowBorder(QPoint point)
{
    if (point.x() >= GetFixedColumnsWidth())
        return false;
    const CGridCellPos cell = CellFromPoint(point, true);
    QPoint start;
    if (!GetCellOrigin(cell, &start))
        return false;
    const int endy = start.y() + GetRowHeight(cell.row);
    return (point.y() - start.y() < m_nResizeCaptureRange && cell.row != 0)
           || endy - point.y() < m_nResizeCaptureRange;
}
