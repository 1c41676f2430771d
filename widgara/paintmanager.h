#pragma once
// The paint manager draws what every command-bar control shares: the
// background of a control in its state (hot, pressed, checked, disabled),
// separators and the regular font. There is one plain look; a theme number
// is accepted and remembered so that callers can select theirs.

#include "platform/dc.h"
#include "platform/gdi.h"

class CXTPControl;

// Kinds and positions of bars, as the drawing calls take them.
enum XTPBarType : int { xtpBarTypeNormal = 0, xtpBarTypeMenuBar = 1, xtpBarTypePopup = 2 };
enum XTPBarPosition : int {
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarNone = 6
};

class CXTPPaintManager {
public:
    virtual ~CXTPPaintManager() = default;

    // Selects the process-wide theme (remembered; the look stays the same).
    static void SetTheme(int theme);
    static int GetCurrentTheme();

    // Background and frame of a control in the given state.
    virtual void Rectangle(platform::Dc* pDC, const platform::Rect& rc, bool bSelected,
                           bool bPressed, bool bEnabled, bool bChecked, bool bPopuped,
                           int barType, int barPosition);
    // The background of `pControl` in its present state.
    void DrawControlEntry(platform::Dc* pDC, CXTPControl* pControl);
    // A vertical separator line in `rc`.
    virtual void DrawSeparator(platform::Dc* pDC, const platform::Rect& rc);

    platform::Font GetRegularFont() const;
    platform::gdi::COLORREF GetXtremeColor(int index) const;
    // The colour of bar backgrounds.
    platform::gdi::COLORREF barColor() const;
};

// The paint manager every control uses; created on first use.
CXTPPaintManager* XTPPaintManager();
