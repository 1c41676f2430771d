#pragma once
// The toolkit's push button with a theme: the Office XP theme draws it flat
// with a light frame that shows under the mouse.

#include <QPushButton>
#include <memory>

// Button styles: flat, and a frame only under the mouse.
constexpr int BS_XT_FLAT = 0x0002;
constexpr int BS_XT_SEMIFLAT = 0x0020;
constexpr int BS_XT_XPFLAT = 0x1000;

class CXTButtonTheme {
public:
    virtual ~CXTButtonTheme() = default;
    // Gives `button` the theme's look.
    virtual void apply(QPushButton& button) const;
};

class CXTButtonThemeOfficeXP : public CXTButtonTheme {
public:
    explicit CXTButtonThemeOfficeXP(bool bWordTheme = false) : m_bWordTheme(bWordTheme) {}
    void apply(QPushButton& button) const override;
    bool isWordTheme() const { return m_bWordTheme; }

private:
    bool m_bWordTheme;
};

class CXTButton : public QPushButton {
    Q_OBJECT
public:
    explicit CXTButton(QWidget* parent = nullptr);
    ~CXTButton() override;

    void SetXButtonStyle(int dwStyle);
    int GetXButtonStyle() const { return m_style; }
    // The button keeps the theme.
    void SetTheme(std::unique_ptr<CXTButtonTheme> pTheme);
    CXTButtonTheme* GetTheme() const { return m_theme.get(); }

private:
    int m_style = 0;
    std::unique_ptr<CXTButtonTheme> m_theme;
};
