// Sorting the rows below the fixed ones by a column, with a compare
// function of the caller's or by the cells' text.

#include "grid/gridctrl.h"

#include "platform/gbk.h"

#include <utility>

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCell(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCell(0, nCol);
}

int CGridCtrl::CompareCellText(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const auto* cell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* cell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!cell1 || !cell2)
        return 0;
    // Byte order of the program's multibyte text, as the users' lists sort.
    const int result = platform::gbk::encode(cell1->GetText()).compare(platform::gbk::encode(cell2->GetText()));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

bool CGridCtrl::SortRowsByText(int nCol, bool bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortRows(m_pfnCompare ? m_pfnCompare : &CGridCtrl::CompareCellText, nCol, bAscending, data);
}

bool CGridCtrl::SortRows(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    // A virtual grid stores no cells, so there is nothing to move.
    if (m_bVirtualMode || !pfnCompare)
        return false;
    return SortRowRange(pfnCompare, nCol, bAscending, data, m_nFixedRows, -1);
}

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    auto& row1 = m_RowData[static_cast<size_t>(nRow1)];
    auto& row2 = m_RowData[static_cast<size_t>(nRow2)];
    std::swap(row1, row2);
    for (int col = 0; col < m_nCols; ++col) {
        if (row1 && (*row1)[static_cast<size_t>(col)])
            (*row1)[static_cast<size_t>(col)]->SetCoords(nRow1, col);
        if (row2 && (*row2)[static_cast<size_t>(col)])
            (*row2)[static_cast<size_t>(col)]->SetCoords(nRow2, col);
    }
    std::swap(m_arRowHeights[static_cast<size_t>(nRow1)], m_arRowHeights[static_cast<size_t>(nRow2)]);
}

bool CGridCtrl::SortRowRange(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data,
                             int low, int high)
{
    if (high == -1)
        high = m_nRows - 1;
    if (nCol < 0 || nCol >= m_nCols || high <= low || low < 0 || high >= m_nRows)
        return false;

    const auto cellAt = [&](int row) { return reinterpret_cast<LPARAM>(GetCell(row, nCol)); };
    const LPARAM pivot = cellAt((low + high) / 2);
    const auto compare = [&](LPARAM a, LPARAM b) {
        const int r = pfnCompare(a, b, data);
        return bAscending ? r : -r;
    };

    int lo = low;
    int hi = high;
    while (lo <= hi) {
        while (lo < high && compare(cellAt(lo), pivot) < 0)
            ++lo;
        while (hi > low && compare(cellAt(hi), pivot) > 0)
            --hi;
        if (lo > hi)
            break;
        if (pfnCompare(cellAt(lo), cellAt(hi), data) != 0)
            SwapRows(lo, hi);
        ++lo;
        --hi;
    }
    if (low < hi)
        SortRowRange(pfnCompare, nCol, bAscending, data, low, hi);
    if (lo < high)
        SortRowRange(pfnCompare, nCol, bAscending, data, lo, high);
    return true;
}
