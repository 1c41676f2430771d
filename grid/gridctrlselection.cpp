// The focus cell and the selection: selected ranges, whole rows and
// columns, and selecting while the mouse or a key moves.

#include "grid/gridctrl.h"

#include "platform/hostservices.h"

#include <algorithm>

bool CGridCtrl::IsCellEditable(int nRow, int nCol)
{
    if (!m_bEditable)
        return false;
    return !(GetItemState(nRow, nCol) & GridStateReadOnly);
}

bool CGridCtrl::IsCellSelected(int nRow, int nCol)
{
    if (!m_bEnableSelection)
        return false;
    if (m_bVirtualMode)
        return IsValid(nRow, nCol) && m_SelectedCellMap.count(SelectionKey(nRow, nCol)) != 0;
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell && cell->IsSelected();
}

CGridCellSpan CGridCtrl::GetSelectedCellRange() const
{
    CGridCellSpan range(m_nRows, m_nCols, -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCtrl::RedrawHeadings(const CGridCellPos& cell, const CGridCellPos& other)
{
    if (!m_bTrackFocusCell)
        return;
    if (cell.col != other.col) {
        for (int row = 0; row < m_nFixedRows; ++row)
            RedrawCell(row, cell.col);
    }
    if (cell.row != other.row) {
        for (int col = 0; col < m_nFixedCols; ++col)
            RedrawCell(cell.row, col);
    }
}

CGridCellPos CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    if (CGridCellPos(nRow, nCol) == m_idCurrentCell)
        return m_idCurrentCell;

    const CGridCellPos prev = m_idCurrentCell;
    if (nRow != -1)
        nRow = std::max(nRow, m_nFixedRows);
    if (nCol != -1)
        nCol = std::max(nCol, m_nFixedCols);
    m_idCurrentCell = CGridCellPos(nRow, nCol);

    // A virtual grid works the focus bit out when it asks for a cell.
    if (IsValid(prev)) {
        if (!m_bVirtualMode)
            SetItemState(prev.row, prev.col, GetItemState(prev.row, prev.col) & ~GridStateFocused);
        RedrawCell(prev);
        RedrawHeadings(prev, m_idCurrentCell);
    }
    if (IsValid(m_idCurrentCell)) {
        if (!m_bVirtualMode)
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GridStateFocused);
        RedrawCell(m_idCurrentCell);
        RedrawHeadings(m_idCurrentCell, prev);
    }
    return prev;
}

void CGridCtrl::SetSelectedRange(const CGridCellSpan& range, bool bForceRepaint, bool bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 bool bForceRepaint, bool bSelectCells)
{
    (void)bForceRepaint; // changed cells are repainted with the next paint either way
    if (!m_bEnableSelection)
        return;
    platform::WaitCursor wait;

    if (nMinRow >= 0)
        nMinRow = std::max(nMinRow, m_nFixedRows);
    if (nMaxRow >= 0)
        nMaxRow = std::max(nMaxRow, m_nFixedRows);
    if (nMinCol >= 0)
        nMinCol = std::max(nMinCol, m_nFixedCols);
    if (nMaxCol >= 0)
        nMaxCol = std::max(nMaxCol, m_nFixedCols);
    const CGridCellSpan newRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const CGridCellSpan visible = GetVisibleScrollRange();

    if (bSelectCells) {
        const auto previous = m_SelectedCellMap;
        for (const auto& [key, cell] : previous) {
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(key);
                continue;
            }
            SetItemState(cell.row, cell.col,
                         m_bVirtualMode ? 0 : GetItemState(cell.row, cell.col) & ~GridStateSelected);
            if (!newRange.InRange(cell) && visible.InRange(cell))
                RedrawCell(cell);
        }
        const bool complete = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
        if (!(m_bListMode && m_bSingleRowSelection) && complete) {
            for (const auto& [key, cell] : m_PrevSelectedCellMap) {
                if (!IsValid(cell))
                    continue;
                SetItemState(cell.row, cell.col,
                             m_bVirtualMode ? GridStateSelected
                                            : GetItemState(cell.row, cell.col) | GridStateSelected);
                if (visible.InRange(cell))
                    RedrawCell(cell);
            }
        }
    }

    if (!IsValid(newRange))
        return;
    for (int row = nMinRow; row <= nMaxRow; ++row) {
        for (int col = nMinCol; col <= nMaxCol; ++col) {
            // A virtual grid keeps the selection in the map alone: no need
            // to ask the owner for the cell.
            const UINT state = m_bVirtualMode ? 0 : GetItemState(row, col);
            const bool selected = m_bVirtualMode ? m_SelectedCellMap.count(SelectionKey(row, col)) != 0
                                                 : (state & GridStateSelected) != 0;
            if (selected == bSelectCells)
                continue;
            SetItemState(row, col, bSelectCells ? state | GridStateSelected : state & ~GridStateSelected);
            if (visible.InRange(row, col))
                RedrawCell(row, col);
        }
    }
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell))
        return;
    if (m_bSingleColSelection) {
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col),
                         m_nRows - 1, std::max(m_SelectionStartCell.col, currentCell.col),
                         bForceRedraw, bSelectCells);
    }
}

void CGridCtrl::SelectRows(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell))
        return;
    if (m_bListMode && m_bSingleRowSelection) {
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1,
                         bForceRedraw, bSelectCells);
    }
}

void CGridCtrl::SelectCells(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || currentCell.col < m_nFixedCols
        || !IsValid(currentCell))
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row),
                     std::min(m_SelectionStartCell.col, currentCell.col),
                     std::max(m_SelectionStartCell.row, currentCell.row),
                     std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::OnSelecting(const CGridCellPos& currentCell)
{
    switch (m_MouseMode) {
    case MouseSelectAll:
        SelectAllCells();
        break;
    case MouseSelectColumns:
        SelectColumns(currentCell, false);
        break;
    case MouseSelectRows:
        SelectRows(currentCell, false);
        break;
    case MouseSelectCells:
        SelectCells(currentCell, false);
        break;
    default:
        break;
    }
}
