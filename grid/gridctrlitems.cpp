// The cells' contents and states as items: text, data, state, colours,
// and the modified marks.

#include "grid/gridctrl.h"

bool CGridCtrl::SetItem(const GridItem* pItem)
{
    if (!pItem || m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(pItem->row, pItem->col);
    if (!cell)
        return false;

    SetModified(true, pItem->row, pItem->col);
    if (pItem->mask & GridItemMask::Text)
        cell->SetText(pItem->strText);
    if (pItem->mask & GridItemMask::Data)
        cell->SetData(pItem->lParam);
    if (pItem->mask & GridItemMask::Image)
        cell->SetImage(pItem->iImage);
    if (pItem->mask & GridItemMask::State)
        SetItemState(pItem->row, pItem->col, pItem->nState);
    if (pItem->mask & GridItemMask::Format)
        cell->SetFormat(pItem->nFormat);
    if (pItem->mask & GridItemMask::BackColour)
        cell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GridItemMask::TextColour)
        cell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GridItemMask::Font)
        cell->SetFont(&pItem->lfFont);
    if (pItem->mask & GridItemMask::Margin)
        cell->SetMargin(pItem->nMargin);
    return true;
}

bool CGridCtrl::SetItemText(int nRow, int nCol, const QString& str)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetText(str);
    SetModified(true, nRow, nCol);
    return true;
}

QString CGridCtrl::GetItemText(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetText() : QString();
}

bool CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetData(lParam);
    SetModified(true, nRow, nCol);
    return true;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetData() : 0;
}

quint64 CGridCtrl::SelectionKey(int nRow, int nCol)
{
    // Column in the high half, row in the low half; both halves are wide
    // enough for any row or column count.
    return (static_cast<quint64>(static_cast<quint32>(nCol)) << 32) | static_cast<quint32>(nRow);
}

bool CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    if (!IsValid(nRow, nCol))
        return false;
    const quint64 key = SelectionKey(nRow, nCol);
    const bool inMap = m_SelectedCellMap.count(key) != 0;
    if (!inMap && (state & GridStateSelected))
        m_SelectedCellMap[key] = CGridCellPos(nRow, nCol);
    else if (inMap && !(state & GridStateSelected))
        m_SelectedCellMap.erase(key);
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetState(state);
    return true;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetState() : 0;
}

bool CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetBackClr(cr);
    return true;
}

bool CGridCtrl::SetItemTextColour(int nRow, int nCol, COLORREF cr)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetTextClr(cr);
    return true;
}

bool CGridCtrl::IsItemEditing(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell && cell->IsEditing();
}

void CGridCtrl::SetModified(bool bModified, int nRow, int nCol)
{
    if (nCol == -1 || nCol == m_nSortColumn)
        SetSortColumn(-1);
    if (nRow == -1 || nCol == -1) {
        m_bModified = bModified;
    } else if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol)) {
        if (bModified) {
            cell->SetState(cell->GetState() | GridStateModified);
            m_bModified = true;
        } else {
            cell->SetState(cell->GetState() & ~GridStateModified);
        }
    }
    if (!m_bModified && !m_bVirtualMode) {
        for (auto& row : m_RowData) {
            if (!row)
                continue;
            for (auto& cell : *row) {
                if (cell)
                    cell->SetState(cell->GetState() & ~GridStateModified);
            }
        }
    }
}

bool CGridCtrl::GetModified(int nRow, int nCol)
{
    if (nRow == -1 || nCol == -1)
        return m_bModified;
    return GetItemState(nRow, nCol) & GridStateModified;
}
