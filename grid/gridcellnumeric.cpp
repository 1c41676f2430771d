#include "grid/gridcellnumeric.h"

#include "grid/gridctrl.h"
#include "grid/grideditbox.h"

bool CGridCellNumeric::Edit(int nRow, int nCol, platform::Rect rect, QPoint, UINT nID, UINT nChar)
{
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return false;
    // A second start while the box is open types into it instead of
    // opening another box over it.
    if (auto* box = qobject_cast<CGridEditBox*>(m_pEditWnd); m_bEditing && box) {
        box->SendChar(nChar);
        return true;
    }
    m_bEditing = true;
    m_pEditWnd = new CGridEditBox(grid, rect, ES_NUMBER, nID, nRow, nCol, GetText(), nChar);
    return true;
}
