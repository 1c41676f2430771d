#include "widgara/controlcolor.h"

#include "widgara/paintmanager.h"

using namespace platform::gdi;

IMPLEMENT_XTP_CONTROL(CXTPControlPopupColor)
IMPLEMENT_XTP_CONTROL(CXTPControlColorSelector)
IMPLEMENT_XTP_CONTROL(CXTPControlButtonColor)

namespace {

constexpr int kSwatch = 12;
constexpr int kColorMargin = 3;

void drawSwatch(platform::Dc* pDC, const platform::Rect& rc, COLORREF clr, bool enabled)
{
    pDC->FillSolidRect(rc, GetSysColor(COLOR_BTNSHADOW));
    pDC->FillSolidRect(platform::Rect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1),
                       enabled ? clr : GetSysColor(COLOR_BTNFACE));
}

} // namespace

// the split button

CXTPControlPopupColor::CXTPControlPopupColor() : CXTPControlPopup(xtpControlSplitButtonPopup) {}

void CXTPControlPopupColor::SetColor(COLORREF clr)
{
    m_clr = clr;
    RedrawParent();
}

void CXTPControlPopupColor::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControlPopup::Copy(pControl, bRecursive);
    if (const auto* other = dynamic_cast<const CXTPControlPopupColor*>(pControl))
        m_clr = other->m_clr;
}

void CXTPControlPopupColor::Draw(platform::Dc* pDC)
{
    CXTPControlPopup::Draw(pDC);
    // The colour bar under the icon, across the body of the button.
    const platform::Rect rc = GetRect();
    const int width = 14;
    const int left = rc.left + (rc.Width() - 10 - width) / 2;
    const int top = (rc.top + rc.bottom) / 2 + 5;
    pDC->FillSolidRect(platform::Rect(left, top, left + width, top + 3),
                       GetEnabled() ? m_clr : GetSysColor(COLOR_GRAYTEXT));
}

// the colour grid

CXTPControlColorSelector::CXTPControlColorSelector() : CXTPControl(xtpControlCustom) {}

const std::vector<COLORREF>& CXTPControlColorSelector::standardColors()
{
    static const std::vector<COLORREF> colours{
        RGB(0, 0, 0),       RGB(153, 51, 0),    RGB(51, 51, 0),     RGB(0, 51, 0),
        RGB(0, 51, 102),    RGB(0, 0, 128),     RGB(51, 51, 153),   RGB(51, 51, 51),
        RGB(128, 0, 0),     RGB(255, 102, 0),   RGB(128, 128, 0),   RGB(0, 128, 0),
        RGB(0, 128, 128),   RGB(0, 0, 255),     RGB(102, 102, 153), RGB(128, 128, 128),
        RGB(255, 0, 0),     RGB(255, 153, 0),   RGB(153, 204, 0),   RGB(51, 153, 102),
        RGB(51, 204, 204),  RGB(51, 102, 255),  RGB(128, 0, 128),   RGB(153, 153, 153),
        RGB(255, 0, 255),   RGB(255, 204, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),
        RGB(0, 255, 255),   RGB(0, 204, 255),   RGB(153, 51, 102),  RGB(192, 192, 192),
        RGB(255, 153, 204), RGB(255, 204, 153), RGB(255, 255, 153), RGB(204, 255, 204),
        RGB(204, 255, 255), RGB(153, 204, 255), RGB(204, 153, 255), RGB(255, 255, 255)};
    return colours;
}

int CXTPControlColorSelector::cellAt(QPoint point)
{
    const int x = point.x() - kColorMargin;
    const int y = point.y() - kColorMargin;
    if (x < 0 || y < 0)
        return -1;
    const int column = x / kCell;
    const int row = y / kCell;
    const int index = row * kColumns + column;
    if (column >= kColumns || index >= int(standardColors().size()))
        return -1;
    // The gap between two cells chooses nothing.
    if (x % kCell >= kCell - 2 || y % kCell >= kCell - 2)
        return -1;
    return index;
}

void CXTPControlColorSelector::SetColor(COLORREF clr)
{
    m_clr = clr;
    RedrawParent();
}

void CXTPControlColorSelector::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    if (const auto* other = dynamic_cast<const CXTPControlColorSelector*>(pControl))
        m_clr = other->m_clr;
}

QSize CXTPControlColorSelector::GetSize(platform::Dc*)
{
    const int rows = (int(standardColors().size()) + kColumns - 1) / kColumns;
    return {kColumns * kCell + 2 * kColorMargin, rows * kCell + 2 * kColorMargin};
}

void CXTPControlColorSelector::Draw(platform::Dc* pDC)
{
    pDC->FillSolidRect(GetRect(), GetSysColor(COLOR_BTNFACE));
    const std::vector<COLORREF>& colours = standardColors();
    for (int i = 0; i < int(colours.size()); ++i) {
        const int left = kColorMargin + (i % kColumns) * kCell;
        const int top = kColorMargin + (i / kColumns) * kCell;
        const platform::Rect cell(left, top, left + kCell - 2, top + kCell - 2);
        if (colours[size_t(i)] == m_clr)
            pDC->FillSolidRect(platform::Rect(cell.left - 1, cell.top - 1, cell.right + 1, cell.bottom + 1),
                               GetSysColor(COLOR_HIGHLIGHT));
        drawSwatch(pDC, cell, colours[size_t(i)], GetEnabled());
    }
}

void CXTPControlColorSelector::OnClick(bool bKeyboard)
{
    if (bKeyboard) {
        OnExecute();
        return;
    }
    const int index = cellAt(clickPoint());
    if (index < 0)
        return;
    m_clr = standardColors()[size_t(index)];
    OnExecute();
}

// the button with a swatch

void CXTPControlButtonColor::SetColor(COLORREF clr)
{
    m_clr = clr;
    RedrawParent();
}

void CXTPControlButtonColor::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    if (const auto* other = dynamic_cast<const CXTPControlButtonColor*>(pControl))
        m_clr = other->m_clr;
}

QSize CXTPControlButtonColor::GetSize(platform::Dc* pDC)
{
    const QSize text = pDC->GetTextExtent(GetCaption());
    return {kSwatch + text.width() + 4 * kColorMargin, std::max(kSwatch, text.height()) + 2 * kColorMargin};
}

void CXTPControlButtonColor::Draw(platform::Dc* pDC)
{
    GetPaintManager()->DrawControlEntry(pDC, this);
    const platform::Rect rc = GetRect();
    const int top = (rc.top + rc.bottom - kSwatch) / 2;
    drawSwatch(pDC, platform::Rect(rc.left + kColorMargin, top, rc.left + kColorMargin + kSwatch, top + kSwatch),
               m_clr, GetEnabled());
    platform::Rect text(rc.left + kSwatch + 2 * kColorMargin, rc.top, rc.right, rc.bottom);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetSysColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(GetCaption(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}
