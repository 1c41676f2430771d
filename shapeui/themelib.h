#pragma once
// The binding to the desktop's visual style, looked up at run time so that
// the controls also work where no visual style is available. On this
// platform the widget style of the running application stands in for the
// visual-style library: it draws the button and toolbar-button parts. Where
// there is no widget application, or visual styles are switched off
// (setStylesAvailable(false)), every operation answers with its fallback
// and the controls draw their classic look.

#include "platform/dc.h"
#include "platform/rect.h"

#include <QString>

#include <cstdint>

class QWidget;

class CVes_ThemeLib {
public:
    using HRESULT = std::int32_t;
    using HTHEME = void*;
    static constexpr HRESULT S_OK = 0;
    static constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

    // Parts and states of the classes used by the controls.
    static constexpr int BP_PUSHBUTTON = 1; // class "BUTTON"
    static constexpr int TP_BUTTON = 1;     // class "TOOLBAR"
    static constexpr int PBS_NORMAL = 1;
    static constexpr int PBS_HOT = 2;
    static constexpr int PBS_PRESSED = 3;
    static constexpr int PBS_DISABLED = 4;
    static constexpr int PBS_DEFAULTED = 5;

    // Binds the style in force (when visual styles are available).
    CVes_ThemeLib();
    virtual ~CVes_ThemeLib();
    CVes_ThemeLib(const CVes_ThemeLib&) = delete;
    CVes_ThemeLib& operator=(const CVes_ThemeLib&) = delete;

    // Whether the binding found its library.
    bool IsLoaded() const { return m_loaded; }

    // Theme data of a class ("BUTTON", "TOOLBAR") for a window; null when
    // there is no theme or no drawing for that class.
    HTHEME OpenThemeData(QWidget* window, const QString& classList);
    HRESULT CloseThemeData(HTHEME theme);
    // Draws a part in a state over `rect` (logical units of `dc`). With a
    // rectangle the parent's background is drawn under the window first.
    // `clip` limits the drawing when given.
    HRESULT DrawThemeBackground(HTHEME theme, platform::Dc* dc, int partId, int stateId,
                                const platform::Rect* rect, const platform::Rect* clip);
    HRESULT DrawThemeParentBackground(QWidget* window, platform::Dc* dc,
                                      const platform::Rect* rect);
    int IsAppThemed();
    int IsThemeActive();

    // Switches the visual styles of the whole process on or off (the
    // desktop's "classic" setting); on by default.
    static void setStylesAvailable(bool available);
    static bool stylesAvailable();

private:
    bool m_loaded = false;
};
