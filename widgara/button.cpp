#include "widgara/button.h"

void CXTButtonTheme::apply(QPushButton& button) const
{
    button.setStyleSheet(QString());
}

void CXTButtonThemeOfficeXP::apply(QPushButton& button) const
{
    // Flat on the ground; a blue frame and a light fill under the mouse and
    // while pressed or checked.
    button.setFlat(true);
    button.setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid transparent; padding: 1px 6px; background: transparent; }"
        "QPushButton:hover { border-color: #0a246a; background: #b6bdd2; }"
        "QPushButton:pressed, QPushButton:checked { border-color: #0a246a; background: #8592b5; }"
        "QPushButton:disabled { color: #8d8d8d; }"));
}

CXTButton::CXTButton(QWidget* parent) : QPushButton(parent) {}

CXTButton::~CXTButton() = default;

void CXTButton::SetXButtonStyle(int dwStyle)
{
    m_style = dwStyle;
    setFlat(dwStyle & (BS_XT_FLAT | BS_XT_SEMIFLAT | BS_XT_XPFLAT));
}

void CXTButton::SetTheme(std::unique_ptr<CXTButtonTheme> pTheme)
{
    m_theme = std::move(pTheme);
    if (m_theme)
        m_theme->apply(*this);
    else
        setStyleSheet(QString());
}
