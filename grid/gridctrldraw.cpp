// Painting the grid: the background areas, the cells in four passes and the
// grid lines.

#include "grid/gridctrl.h"

#include "platform/painterdc.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

using namespace platform::gdi;
using platform::Rect;

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    // Qt paints widgets through a back buffer already, so the grid draws
    // straight onto the viewport whether or not double buffering is asked for.
    QPainter painter(viewport());
    platform::PainterDc dc(&painter);
    dc.IntersectClipRect(Rect::fromQRect(event->rect()));
    OnDraw(&dc);

    if (m_nSizingLine >= 0) {
        const Rect client = GetClientRect();
        dc.InvertRect(m_bSizingColumn ? Rect(m_nSizingLine, client.top, m_nSizingLine + 2, client.bottom)
                                      : Rect(client.left, m_nSizingLine, client.right, m_nSizingLine + 2));
    }
}

std::unique_ptr<platform::Dc> CGridCtrl::GetMeasureDC()
{
    return gridScreenDC();
}

void CGridCtrl::EraseBkgnd(platform::Dc* pDC)
{
    const Rect clip = pDC->GetClipBox();
    if (clip.IsRectEmpty())
        return;
    const platform::Brush corner(GetDefaultCell(true, true)->GetBackClr());
    const platform::Brush fixedRow(GetDefaultCell(true, false)->GetBackClr());
    const platform::Brush fixedCol(GetDefaultCell(false, true)->GetBackClr());
    const platform::Brush normal(GetDefaultCell(false, false)->GetBackClr());
    const platform::Brush background(m_crGridBkColour);

    Rect visible;
    GetVisibleScrollRange(&visible);
    const int W = GetFixedColumnsWidth();
    const int H = GetFixedRowsHeight();

    if (clip.left < W && clip.top < H)
        pDC->FillRect(Rect(clip.left, clip.top, W, H), corner);
    // The fixed columns below the corner.
    if (clip.left < W && clip.top < visible.bottom)
        pDC->FillRect(Rect(clip.left, std::max(clip.top, H), W, visible.bottom), fixedCol);
    if (clip.top < H && clip.right > W && clip.left < visible.right)
        pDC->FillRect(Rect(W - 1, clip.top, visible.right, H), fixedRow);
    Rect cells;
    if (cells.IntersectRect(clip, visible)) {
        cells.top = std::max(cells.top, H);
        cells.left = std::max(cells.left, W);
        if (!cells.IsRectEmpty())
            pDC->FillRect(cells, normal);
    }
    if (clip.right > visible.right)
        pDC->FillRect(Rect(visible.right, clip.top, clip.right, clip.bottom), background);
    if (clip.bottom > visible.bottom && clip.left < visible.right)
        pDC->FillRect(Rect(clip.left, visible.bottom, visible.right, clip.bottom), background);
}

void CGridCtrl::DrawCellPass(platform::Dc* pDC, const Rect& clip, int firstRow, int lastRow,
                             int firstCol, int lastCol, int top, int left, bool clipTest)
{
    Rect rect;
    int rowBottom = top - 1;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        rect.top = rowBottom + 1;
        rect.bottom = rect.top + height - 1;
        rowBottom = rect.bottom;
        if (clipTest) {
            if (rect.top > clip.bottom)
                break;
            if (rect.bottom < clip.top)
                continue;
        }
        int colRight = left - 1;
        for (int col = firstCol; col <= lastCol; ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            rect.left = colRight + 1;
            rect.right = rect.left + width - 1;
            colRight = rect.right;
            if (clipTest) {
                if (rect.left > clip.right)
                    break;
                if (rect.right < clip.left)
                    continue;
            }
            if (CGridCellBase* cell = GetCell(row, col)) {
                cell->SetCoords(row, col);
                cell->Draw(pDC, row, col, rect, false);
            }
        }
    }
}

void CGridCtrl::DrawGridLines(platform::Dc* pDC, const CGridCellSpan& visible, const Rect& visRect)
{
    const int W = GetFixedColumnsWidth();
    const int H = GetFixedRowsHeight();
    const platform::Pen pen(PS_SOLID, 0, m_crGridLineColour);
    pDC->SelectObject(pen);
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        int x = W;
        for (int col = visible.GetMinCol(); col >= 0 && col <= visible.GetMaxCol(); ++col) {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            x += width;
            pDC->MoveTo(x - 1, H);
            pDC->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        int y = H;
        for (int row = visible.GetMinRow(); row >= 0 && row <= visible.GetMaxRow(); ++row) {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            y += height;
            pDC->MoveTo(W, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    pDC->SelectStockObject(NULL_PEN);
}

void CGridCtrl::OnDraw(platform::Dc* pDC)
{
    if (!m_bAllowDraw || !pDC)
        return;
    const Rect clip = pDC->GetClipBox();
    EraseBkgnd(pDC);

    const int W = GetFixedColumnsWidth();
    const int H = GetFixedRowsHeight();
    const CGridCellPos topLeft = GetFirstScrolledCell();
    Rect visRect;
    const CGridCellSpan visible = GetVisibleScrollRange(&visRect);

    if (m_bVirtualMode)
        SendCacheHintToParent(visible);

    DrawCellPass(pDC, clip, 0, m_nFixedRows - 1, 0, m_nFixedCols - 1, 0, 0, false);
    DrawCellPass(pDC, clip, topLeft.row, visible.GetMaxRow(), 0, m_nFixedCols - 1, H, 0, true);
    DrawCellPass(pDC, clip, 0, m_nFixedRows - 1, topLeft.col, visible.GetMaxCol(), 0, W, true);
    DrawCellPass(pDC, clip, topLeft.row, visible.GetMaxRow(), topLeft.col, visible.GetMaxCol(), H, W, true);

    DrawGridLines(pDC, visible, visRect);

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(-1, -1, -1, -1));
}

bool CGridCtrl::RedrawCell(int nRow, int nCol, platform::Dc* pDC)
{
    if (!m_bAllowDraw || !IsCellOnScreen(nRow, nCol))
        return false;
    Rect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return false;
    if (!pDC) {
        // Widgets draw only when painted: the cell is painted with the next paint.
        Rect area = rect;
        area.InflateRect(0, 0, 1, 1);
        InvalidateClientRect(&area);
        return true;
    }

    CGridCellBase* cell = GetCell(nRow, nCol);
    bool result = true;
    if (nRow >= m_nFixedRows && nCol >= m_nFixedCols) {
        if (cell)
            result = cell->Draw(pDC, nRow, nCol, rect, true);
        const platform::Pen pen(PS_SOLID, 0, m_crGridLineColour);
        const platform::Pen old = pDC->SelectObject(pen);
        if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        pDC->SelectObject(old);
    } else if (cell) {
        result = cell->Draw(pDC, nRow, nCol, rect, true);
    }
    return result;
}

QImage CGridCtrl::CreateDragImage(QPoint* pHotSpot)
{
    Rect rect;
    CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
    if (!cell || !GetCellRect(m_idCurrentCell, &rect))
        return QImage();
    rect.OffsetRect(-rect.left, -rect.top);
    if (pHotSpot)
        *pHotSpot = rect.BottomRight();

    const COLORREF mask = m_cellDefault.GetBackClr();
    QImage image(rect.right + 1, rect.bottom + 1, QImage::Format_ARGB32);
    image.fill(QColor(GetRValue(mask), GetGValue(mask), GetBValue(mask)));
    {
        platform::PainterDc dc(&image);
        cell->Draw(&dc, m_idCurrentCell.row, m_idCurrentCell.col, rect, false);
    }
    const QRgb maskPixel = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == maskPixel)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

void CGridCtrl::OnSetFont(const QFont& font)
{
    const LOGFONT lf = logFontFromQFont(font);
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                   &m_cellFixedRowColDef})
        cell->SetFont(&lf);
    InvalidateGrid();
}

void CGridCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        OnSetFont(font());
    else if (event->type() == QEvent::PaletteChange)
        OnSysColorChange();
    QAbstractScrollArea::changeEvent(event);
}
