#include "grid/gridcellcheck.h"

#include "grid/gridctrl.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

using namespace platform::gdi;

CGridCellCheck::CGridCellCheck() = default;
CGridCellCheck::~CGridCellCheck() = default;

int CGridCellCheck::CheckBoxSize()
{
    const int size = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth);
    return size > 0 ? size : 13;
}

int CGridCellCheck::Margin() const
{
    const UINT margin = GetMargin();
    return margin == 0xFFFFFFFF ? 0 : static_cast<int>(margin);
}

platform::Rect CGridCellCheck::GetCheckPlacement() const
{
    const int size = CheckBoxSize();
    const int left = m_Rect.left + Margin();
    const int top = m_Rect.top + Margin();
    return platform::Rect(left, top, left + size, top + size);
}

bool CGridCellCheck::SetCheck(bool bChecked)
{
    const bool previous = m_bChecked;
    m_bChecked = bChecked;
    if (CGridCtrl* grid = GetGrid(); grid && !m_Rect.IsRectEmpty())
        grid->viewport()->update(m_Rect.toQRect());
    return previous;
}

bool CGridCellCheck::Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect, bool bEraseBkgnd)
{
    const bool result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    m_Rect = rect;
    if (pDC)
        pDC->DrawFrameControl(GetCheckPlacement(), DFC_BUTTON,
                              DFCS_BUTTONCHECK | (m_bChecked ? DFCS_CHECKED : 0));
    return result;
}

bool CGridCellCheck::GetTextRect(platform::Rect* pRect)
{
    const bool result = CGridCell::GetTextRect(pRect);
    if (pRect)
        pRect->left = std::min(pRect->left + CheckBoxSize() + 2 * Margin(), pRect->right);
    return result;
}

QSize CGridCellCheck::GetCellExtent(platform::Dc* pDC)
{
    const int extra = CheckBoxSize() + 2 * Margin();
    return CGridCell::GetCellExtent(pDC) + QSize(extra, extra);
}

void CGridCellCheck::OnClick(QPoint pointCellRelative)
{
    const QPoint point = pointCellRelative + QPoint(m_Rect.left, m_Rect.top);
    if (!GetCheckPlacement().PtInRect(point))
        return;
    m_bChecked = !m_bChecked;
    if (CGridCtrl* grid = GetGrid())
        grid->viewport()->update(m_Rect.toQRect());
}
