#include "grid/gridcellcombo.h"

#include "grid/gridctrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>

using namespace platform::gdi;

CGridCellCombo::CGridCellCombo() = default;
CGridCellCombo::~CGridCellCombo() = default;

int CGridCellCombo::ScrollBarWidth()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int CGridCellCombo::ScrollBarHeight()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void CGridCellCombo::SetOptions(const QStringList& ar)
{
    m_Strings.clear();
    m_Strings.append(ar);
}

bool CGridCellCombo::Edit(int nRow, int nCol, platform::Rect rect, QPoint, UINT nID, UINT nChar)
{
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return false;
    if (m_bEditing && m_pEditWnd)
        return true;
    m_bEditing = true;
    m_pEditWnd = new CGridDropList(grid, rect, m_dwStyle, nID, nRow, nCol, GetTextClr(),
                                   GetBackClr(), m_Strings, GetText(), nChar);
    return true;
}

void CGridCellCombo::EndEdit()
{
    if (auto* list = qobject_cast<CGridDropList*>(m_pEditWnd))
        list->EndEdit();
}

QWidget* CGridCellCombo::GetEditWnd() const
{
    auto* list = qobject_cast<CGridDropList*>(m_pEditWnd);
    if (list && (m_dwStyle & 0x3) != CBS_DROPDOWNLIST)
        return list->GetEditField();
    return nullptr;
}

QSize CGridCellCombo::GetCellExtent(platform::Dc* pDC)
{
    return CGridCell::GetCellExtent(pDC) + QSize(ScrollBarWidth(), ScrollBarHeight());
}

bool CGridCellCombo::Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect, bool bEraseBkgnd)
{
    CGridCtrl* grid = GetGrid();
    const int buttonWidth = ScrollBarWidth();
    const int buttonHeight = ScrollBarHeight();
    if (grid && pDC && !IsEditing() && grid->IsCellEditable(nRow, nCol)
        && rect.Width() > buttonHeight && rect.Height() > buttonHeight) {
        const platform::Rect button(rect.right - buttonWidth, rect.top, rect.right,
                                    rect.top + buttonHeight);
        pDC->DrawFrameControl(button, DFC_SCROLL, DFCS_SCROLLDOWN);
        rect.right = button.left;
    }
    // Only the open list shows the text while the cell is edited.
    const QString text = GetText();
    if (IsEditing())
        m_strText.clear();
    const bool result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    if (IsEditing())
        m_strText = text;
    return result;
}
