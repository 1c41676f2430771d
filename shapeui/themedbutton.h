#pragma once
// A flat button whose background and border come from the visual style
// (push-button or toolbar-button look) when the application is themed, and
// the flat button's own look otherwise.

#include "shapeui/flatbutton.h"

class CVes_ThemeLib;

class CVes_ThemedButton : public CVes_FlatButton {
    Q_OBJECT
public:
    explicit CVes_ThemedButton(QWidget* parent = nullptr);
    explicit CVes_ThemedButton(const QString& text, QWidget* parent = nullptr);

    // The visual-style binding (not owned; may be null). Without one, or
    // when the application is not themed, the button draws its border.
    void SetThemeHelper(CVes_ThemeLib* theme);
    CVes_ThemeLib* GetThemeHelper() const { return m_pTheme; }
    // Draws as a toolbar button instead of a push button.
    void SetToolbarLook(bool toolbarLook, bool repaint = true);
    bool GetToolbarLook() const { return m_bToolbarLook; }

    // The visual-style state the background is drawn in.
    int themeState() const;

protected:
    void OnDrawBackground(platform::Dc* dc, platform::Rect* rect) override;
    void OnDrawBorder(platform::Dc* dc, platform::Rect* rect) override;

private:
    bool themed() const;

    CVes_ThemeLib* m_pTheme = nullptr;
    bool m_bToolbarLook = false;
};
