// Row heights and column widths: single ones, the fixed and total
// extents, and fitting a row or column to its cells.

#include "grid/gridctrl.h"

#include <algorithm>

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return static_cast<int>(m_arRowHeights[static_cast<size_t>(nRow)]);
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return static_cast<int>(m_arColWidths[static_cast<size_t>(nCol)]);
}

bool CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return false;
    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return false;
    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetFixedRowsHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetFixedColumnsWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

int CGridCtrl::GetTotalHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetTotalWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

QSize CGridCtrl::GetTextExtent(int nRow, int nCol, const QString& str)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetTextExtent(str, nullptr) : QSize(0, 0);
}

bool CGridCtrl::FitColumnWidth(int nCol, UINT nAutoSizeStyle, bool bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) < 1)
        return false;
    const std::unique_ptr<platform::Dc> dc = GetMeasureDC();
    if (!dc)
        return false;
    const UINT flags = nAutoSizeStyle ? nAutoSizeStyle : m_nAutoSizeColumnStyle;
    const int startRow = (flags & GVS_HEADER) ? 0 : m_nFixedRows;
    const int endRow = (flags & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(startRow, nCol, endRow, nCol));
    int width = 0;
    for (int row = startRow; row <= endRow; ++row) {
        if (CGridCellBase* cell = GetCell(row, nCol))
            width = std::max(width, cell->GetCellExtent(dc.get()).width());
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(-1, -1, -1, -1));

    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    if (bResetScroll)
        ResetScrollBars();
    return true;
}

bool CGridCtrl::FitRowHeight(int nRow, bool bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) < 1)
        return false;
    const std::unique_ptr<platform::Dc> dc = GetMeasureDC();
    if (!dc)
        return false;

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(nRow, 0, nRow, m_nCols - 1));
    int height = 0;
    for (int col = 0; col < m_nCols; ++col) {
        if (CGridCellBase* cell = GetCell(nRow, col))
            height = std::max(height, cell->GetCellExtent(dc.get()).height());
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(-1, -1, -1, -1));

    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    if (bResetScroll)
        ResetScrollBars();
    return true;
}
