#include "shapeui/themedbutton.h"

#include "shapeui/themelib.h"

CVes_ThemedButton::CVes_ThemedButton(QWidget* parent) : CVes_FlatButton(parent)
{
    m_bDrawBorder = false;
}

CVes_ThemedButton::CVes_ThemedButton(const QString& text, QWidget* parent)
    : CVes_FlatButton(text, parent)
{
    m_bDrawBorder = false;
}

void CVes_ThemedButton::SetThemeHelper(CVes_ThemeLib* theme)
{
    m_pTheme = theme;
    if (!m_pTheme || !m_pTheme->IsAppThemed())
        m_bDrawBorder = true;
    update();
}

void CVes_ThemedButton::SetToolbarLook(bool toolbarLook, bool repaint)
{
    m_bToolbarLook = toolbarLook;
    if (repaint)
        update();
}

bool CVes_ThemedButton::themed() const
{
    return m_pTheme && m_pTheme->IsAppThemed();
}

int CVes_ThemedButton::themeState() const
{
    int state = CVes_ThemeLib::PBS_NORMAL;
    if (m_bIsDefault && (!m_bToolbarLook || m_bDrawBorder))
        state = CVes_ThemeLib::PBS_DEFAULTED;
    if (m_bMouseOnButton)
        state = CVes_ThemeLib::PBS_HOT;
    if (m_bIsPressed)
        state = CVes_ThemeLib::PBS_PRESSED;
    if (m_bIsDisabled)
        state = CVes_ThemeLib::PBS_DISABLED;
    return state;
}

void CVes_ThemedButton::OnDrawBackground(platform::Dc* dc, platform::Rect* rect)
{
    if (themed()) {
        CVes_ThemeLib::HTHEME theme = m_pTheme->OpenThemeData(
            this, m_bToolbarLook ? QStringLiteral("TOOLBAR") : QStringLiteral("BUTTON"));
        if (theme) {
            m_pTheme->DrawThemeParentBackground(this, dc, rect);
            m_pTheme->DrawThemeBackground(theme, dc, CVes_ThemeLib::BP_PUSHBUTTON, themeState(),
                                          rect, nullptr);
            m_pTheme->CloseThemeData(theme);
            return;
        }
    }
    CVes_FlatButton::OnDrawBackground(dc, rect);
}

void CVes_ThemedButton::OnDrawBorder(platform::Dc* dc, platform::Rect* rect)
{
    if (themed())
        return;
    CVes_FlatButton::OnDrawBorder(dc, rect);
}
