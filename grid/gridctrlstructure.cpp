// The grid's shape: its row and column counts, fixed ones included, and
// inserting and deleting rows.

#include "grid/gridctrl.h"

#include "platform/hostservices.h"

#include <algorithm>
#include <new>

void CGridCtrl::ReportOutOfMemory()
{
    platform::showMessage(QStringLiteral("Out of memory."), platform::MessageIcon::Stop);
}

bool CGridCtrl::SetRowCount(int nRows)
{
    if (nRows == m_nRows)
        return true;
    if (nRows < 0)
        return false;
    bool bResult = true;
    m_idTopLeftCell.row = -1;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    const auto defaultHeight = static_cast<UINT>(m_cellDefault.GetHeight());
    if (nRows < m_nRows) {
        if (!m_bVirtualMode) {
            for (int row = nRows; row < m_nRows; ++row) {
                for (int col = 0; col < m_nCols; ++col)
                    DestroyCell(row, col);
            }
            m_RowData.resize(static_cast<size_t>(nRows));
        }
        m_arRowHeights.resize(static_cast<size_t>(nRows));
        m_nRows = nRows;
    } else {
        try {
            if (m_bVirtualMode) {
                m_arRowHeights.resize(static_cast<size_t>(nRows), defaultHeight);
                m_nRows = nRows;
            } else {
                m_arRowHeights.reserve(static_cast<size_t>(nRows));
                m_RowData.reserve(static_cast<size_t>(nRows));
                while (m_nRows < nRows) {
                    const int row = m_nRows;
                    auto cells = std::make_unique<GridRow>(static_cast<size_t>(m_nCols));
                    for (int col = 0; col < m_nCols; ++col)
                        (*cells)[static_cast<size_t>(col)] = CreateCell(row, col);
                    m_arRowHeights.push_back(defaultHeight);
                    m_RowData.push_back(std::move(cells));
                    ++m_nRows;
                }
            }
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            m_arRowHeights.resize(static_cast<size_t>(m_nRows), defaultHeight);
            bResult = false;
        }
    }
    SetModified(true, -1, -1);
    ResetScrollBars();
    InvalidateGrid();
    return bResult;
}

bool CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols == m_nCols)
        return true;
    if (nCols < 0)
        return false;
    bool bResult = true;
    m_idTopLeftCell.col = -1;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    if (nCols < m_nCols && !m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            for (int col = nCols; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
    }
    const auto defaultWidth = static_cast<UINT>(GetDefaultCell(false, true)->GetWidth());
    const int oldCols = m_nCols;
    try {
        m_arColWidths.resize(static_cast<size_t>(nCols), defaultWidth);
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row) {
                auto& cells = m_RowData[static_cast<size_t>(row)];
                if (!cells)
                    continue;
                cells->resize(static_cast<size_t>(nCols));
                for (int col = oldCols; col < nCols; ++col)
                    (*cells)[static_cast<size_t>(col)] = CreateCell(row, col);
            }
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        bResult = false;
        // Only growing can fail: go back to the columns there were.
        m_arColWidths.resize(static_cast<size_t>(oldCols));
        for (auto& cells : m_RowData) {
            if (cells)
                cells->resize(static_cast<size_t>(oldCols));
        }
        nCols = oldCols;
    }
    m_nCols = nCols;
    SetModified(true, -1, -1);
    ResetScrollBars();
    InvalidateGrid();
    return bResult;
}

void CGridCtrl::SetRowCellStates(int nFromRow, int nToRow, bool bFixed)
{
    for (int row = nFromRow; row < nToRow; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            if (bFixed) {
                cell->SetState(cell->GetState() | GridStateFixed | GridStateFixedRow);
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            } else if (col < m_nFixedCols) {
                cell->SetState(cell->GetState() & ~GridStateFixedRow);
            } else {
                cell->SetState(cell->GetState() & ~(GridStateFixed | GridStateFixedRow));
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            }
        }
    }
}

void CGridCtrl::SetColumnCellStates(int nFromCol, int nToCol, bool bFixed)
{
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = nFromCol; col < nToCol; ++col) {
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            if (bFixed) {
                cell->SetState(cell->GetState() | GridStateFixed | GridStateFixedCol);
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            } else if (row < m_nFixedRows) {
                cell->SetState(cell->GetState() & ~GridStateFixedCol);
            } else {
                cell->SetState(cell->GetState() & ~(GridStateFixed | GridStateFixedCol));
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            }
        }
    }
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows == m_nFixedRows)
        return true;
    if (nFixedRows < 0)
        return false;
    ResetSelectedRange();
    m_idTopLeftCell.row = -1;
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return false;
    if (m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        if (nFixedRows < m_nFixedRows)
            SetRowCellStates(nFixedRows, m_nFixedRows, false);
        else
            SetRowCellStates(m_nFixedRows, nFixedRows, true);
    }
    m_nFixedRows = nFixedRows;
    // The scrolled part changed size with the fixed rows.
    ResetScrollBars();
    InvalidateGrid();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols == m_nFixedCols)
        return true;
    if (nFixedCols < 0)
        return false;
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return false;
    if (m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    ResetSelectedRange();
    m_idTopLeftCell.col = -1;
    if (!m_bVirtualMode) {
        if (nFixedCols < m_nFixedCols)
            SetColumnCellStates(nFixedCols, m_nFixedCols, false);
        else
            SetColumnCellStates(m_nFixedCols, nFixedCols, true);
    }
    m_nFixedCols = nFixedCols;
    ResetScrollBars();
    InvalidateGrid();
    return true;
}

int CGridCtrl::InsertRow(const QString* strHeading, int nRow)
{
    if (nRow < -1 || (nRow >= 0 && (nRow < m_nFixedRows || nRow >= m_nRows)))
        return -1;

    // Resetting the selection drops the focus; the focus cell is kept on
    // its row all the same.
    const CGridCellPos focus = m_idCurrentCell;
    m_idTopLeftCell.row = -1;
    ResetSelectedRange();
    if (m_nCols == 0 && !SetColumnCount(1))
        return -1;

    const int newRow = nRow == -1 ? m_nRows : nRow;
    try {
        std::unique_ptr<GridRow> cells;
        if (!m_bVirtualMode) {
            cells = std::make_unique<GridRow>(static_cast<size_t>(m_nCols));
            for (int col = 0; col < m_nCols; ++col)
                (*cells)[static_cast<size_t>(col)] = CreateCell(newRow, col);
            m_RowData.reserve(m_RowData.size() + 1);
        }
        m_arRowHeights.reserve(m_arRowHeights.size() + 1);
        m_arRowHeights.insert(m_arRowHeights.begin() + newRow, 0);
        if (!m_bVirtualMode)
            m_RowData.insert(m_RowData.begin() + newRow, std::move(cells));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return -1;
    }
    ++m_nRows;

    const QString heading = strHeading ? *strHeading : QString();
    SetItemText(newRow, 0, heading);
    const int height = heading.isEmpty() ? GetDefaultCell(true, false)->GetHeight()
                                         : GetTextExtent(newRow, 0, heading).height();
    m_arRowHeights[static_cast<size_t>(newRow)] = static_cast<UINT>(std::max(0, height));

    if (focus.IsValid())
        SetFocusCell(focus.row > newRow ? focus.row + 1 : focus.row, focus.col);

    ResetScrollBars();
    SetModified(true, -1, -1);
    return newRow;
}

bool CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return false;
    if (!m_bVirtualMode && !m_RowData[static_cast<size_t>(nRow)])
        return false;

    // Resetting the selection drops the focus; a focus on another row is
    // put back where its row went.
    const CGridCellPos focus = m_idCurrentCell;
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    m_idTopLeftCell.row = -1;

    if (focus.IsValid() && focus.row != nRow)
        SetFocusCell(focus.row > nRow ? focus.row - 1 : focus.row, focus.col);

    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}

bool CGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    m_arColWidths.clear();
    m_arRowHeights.clear();
    if (!m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            for (int col = 0; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
        m_RowData.clear();
    }
    m_idCurrentCell = CGridCellPos(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_idTopLeftCell = CGridCellPos(-1, -1);
    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}
