#include "grid/gridcelldatetime.h"

#include "grid/gridctrl.h"
#include "platform/hostservices.h"

CGridCellDateTime::CGridCellDateTime() : m_cTime(platform::host().now())
{
}

CGridCellDateTime::~CGridCellDateTime() = default;

bool CGridCellDateTime::Edit(int nRow, int nCol, platform::Rect rect, QPoint, UINT nID, UINT nChar)
{
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return false;
    if (m_bEditing && m_pEditWnd)
        return true;
    m_bEditing = true;
    m_pEditWnd = new CGridDatePicker(grid, rect, m_dwStyle | DTS_UPDOWN, nID, nRow, nCol,
                                     GetTextClr(), GetBackClr(), &m_cTime, nChar);
    return true;
}

void CGridCellDateTime::EndEdit()
{
    if (auto* picker = qobject_cast<CGridDatePicker*>(m_pEditWnd))
        picker->EndEdit();
}
