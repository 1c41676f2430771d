#include "widgara/paintmanager.h"

#include "widgara/control.h"

using namespace platform::gdi;

namespace {

int g_theme = 0;

constexpr COLORREF kHotFill = RGB(210, 224, 245);
constexpr COLORREF kPressedFill = RGB(160, 190, 232);
constexpr COLORREF kCheckedFill = RGB(225, 230, 240);
constexpr COLORREF kFrame = RGB(70, 110, 180);

} // namespace

void CXTPPaintManager::SetTheme(int theme)
{
    XTPPaintManager();
    g_theme = theme;
}

int CXTPPaintManager::GetCurrentTheme()
{
    return g_theme;
}

void CXTPPaintManager::Rectangle(platform::Dc* pDC, const platform::Rect& rc, bool bSelected,
                                 bool bPressed, bool bEnabled, bool bChecked, bool bPopuped,
                                 int /*barType*/, int /*barPosition*/)
{
    if (!bEnabled && !bChecked)
        return;
    COLORREF fill = 0;
    if (bPressed || bPopuped || (bChecked && bSelected))
        fill = kPressedFill;
    else if (bSelected)
        fill = kHotFill;
    else if (bChecked)
        fill = kCheckedFill;
    else
        return;
    pDC->FillSolidRect(rc, fill);
    pDC->FrameRect(rc, platform::Brush(kFrame));
}

void CXTPPaintManager::DrawControlEntry(platform::Dc* pDC, CXTPControl* pControl)
{
    Rectangle(pDC, pControl->GetRect(), pControl->GetSelected(), pControl->GetPressed(),
              pControl->GetEnabled(), pControl->GetChecked() != 0, pControl->GetPopuped(),
              xtpBarTypeNormal, xtpBarTop);
}

void CXTPPaintManager::DrawSeparator(platform::Dc* pDC, const platform::Rect& rc)
{
    const int x = (rc.left + rc.right) / 2;
    pDC->FillSolidRect(platform::Rect(x, rc.top + 2, x + 1, rc.bottom - 2),
                       GetSysColor(COLOR_BTNSHADOW));
    pDC->FillSolidRect(platform::Rect(x + 1, rc.top + 2, x + 2, rc.bottom - 2),
                       GetSysColor(COLOR_BTNHIGHLIGHT));
}

platform::Font CXTPPaintManager::GetRegularFont() const
{
    return platform::Font::stock(DEFAULT_GUI_FONT);
}

COLORREF CXTPPaintManager::GetXtremeColor(int index) const
{
    return GetSysColor(index);
}

COLORREF CXTPPaintManager::barColor() const
{
    return GetSysColor(COLOR_BTNFACE);
}

CXTPPaintManager* XTPPaintManager()
{
    static CXTPPaintManager manager;
    return &manager;
}
