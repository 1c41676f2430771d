#include "shapeui/shapetoolbarcontrols.h"

#include "platform/gdi.h"
#include "widgara/paintmanager.h"
#include "widgara/propexchange.h"

#include <algorithm>

using namespace platform::gdi;

IMPLEMENT_XTP_CONTROL(CVes_ControlComboBoxLW)
IMPLEMENT_XTP_CONTROL(CControlButtonLine)
IMPLEMENT_XTP_CONTROL(CControlButtonStyle)

CVes_ControlComboBoxLW::CVes_ControlComboBoxLW()
{
    ModifyListBoxStyle(0, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    for (int width = 1; width <= 10; ++width) {
        const int index = AddString(QString::asprintf("%d号", width));
        SetItemData(index, quintptr(width));
    }
    SetCurSel(0);
}

void CVes_ControlComboBoxLW::DrawItem(XTPDrawItemStruct* lpDrawItemStruct)
{
    platform::Dc* dc = lpDrawItemStruct->pDC;
    platform::Rect rc = lpDrawItemStruct->rcItem;
    const unsigned state = lpDrawItemStruct->itemState;

    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc->SetBkColor(GetSysColor(COLOR_WINDOW));
    dc->FillSolidRect(rc, GetSysColor(COLOR_WINDOW));
    if (state & ODS_SELECTED)
        GetPaintManager()->Rectangle(dc, rc, true, false, true, false, false, xtpBarTypePopup,
                                     xtpBarPopup);
    if (state & ODS_FOCUS)
        dc->DrawFocusRect(rc);

    quintptr lineWidth = lpDrawItemStruct->itemData;
    if (state & ODS_DISABLED) {
        dc->SetTextColor(RGB(255, 255, 255));
        lineWidth = GetItemData(1);
    }

    rc.DeflateRect(2, 2);
    const int quarter = rc.Width() / 4;
    const int middle = rc.CenterPoint().y();
    const platform::Pen pen(PS_SOLID, int(lineWidth), GetSysColor(COLOR_WINDOWTEXT));
    const platform::Pen old = dc->SelectObject(pen);
    dc->MoveTo(rc.left + 2, middle);
    dc->LineTo(rc.left + 2 * quarter - 2, middle);
    dc->SelectObject(old);

    platform::Rect text = rc;
    text.left = rc.left + 2 * quarter + 6;
    dc->SetBkMode(TRANSPARENT);
    if (lpDrawItemStruct->itemID >= 0)
        dc->DrawText(GetLBText(lpDrawItemStruct->itemID), &text,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

QSize CControlButtonLine::GetSize(platform::Dc* pDC)
{
    const platform::Font old = pDC->SelectObject(GetPaintManager()->GetRegularFont());
    const int height = pDC->GetTextExtent(QStringLiteral(" ")).height();
    pDC->SelectObject(old);
    return {160, std::max(16, height)};
}

void CControlButtonLine::Draw(platform::Dc* pDC)
{
    GetPaintManager()->DrawControlEntry(pDC, this);
    const platform::Rect control = GetRect();
    platform::Rect rc = control;
    rc.DeflateRect(2, 2);

    const QString caption = QString::asprintf("%2.2f", m_dWidth);
    const platform::Font old = pDC->SelectObject(GetPaintManager()->GetRegularFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetSysColor(COLOR_BTNTEXT));
    platform::Rect text = rc;
    pDC->DrawText(caption, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const int captionEnd = rc.left + pDC->GetTextExtent(caption).width();
    pDC->SelectObject(old);

    // A bar as thick as the line the button stands for.
    const int thickness = int(m_dWidth) + 1;
    const int top = control.CenterPoint().y() - thickness / 2;
    pDC->FillSolidRect(platform::Rect(captionEnd + 8, top, control.right - 3, top + thickness),
                       GetSysColor(COLOR_BTNTEXT));
}

void CControlButtonLine::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    PX_Double(pPX, QStringLiteral("Width"), m_dWidth, 0.0);
}

void CControlButtonLine::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    if (const auto* other = dynamic_cast<const CControlButtonLine*>(pControl))
        m_dWidth = other->m_dWidth;
}

QSize CControlButtonStyle::GetSize(platform::Dc*)
{
    return {110, 16};
}

void CControlButtonStyle::Draw(platform::Dc* pDC)
{
    GetPaintManager()->DrawControlEntry(pDC, this);
    const platform::Rect rc = GetRect();
    const int middle = rc.CenterPoint().y();
    const platform::Pen pen(m_nStyle, 1, GetSysColor(COLOR_WINDOWTEXT));
    const platform::Pen old = pDC->SelectObject(pen);
    pDC->MoveTo(rc.left + 5, middle);
    pDC->LineTo(rc.right - 5, middle);
    pDC->SelectObject(old);
}

void CControlButtonStyle::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    PX_Int(pPX, QStringLiteral("Style"), m_nStyle, 0);
}

void CControlButtonStyle::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    if (const auto* other = dynamic_cast<const CControlButtonStyle*>(pControl))
        m_nStyle = other->m_nStyle;
}
