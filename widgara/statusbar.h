#pragma once
// The status bar of a frame: panes of text from left to right, each known by
// an id. The separator pane (id 0) stretches and shows the prompts of
// commands under the mouse; indicator panes start with the resource string
// of their id. A pane may have its own style, font, colour, icon and width
// (0: as wide as its text).

#include "platform/gdi.h"

#include <QFont>
#include <QIcon>
#include <QStatusBar>
#include <memory>
#include <vector>

class CXTPStatusBar;
class QLabel;
class QMainWindow;

constexpr int ID_SEPARATOR = 0;
// Pane styles.
constexpr int SBPS_NOBORDERS = 0x0100;
constexpr int SBPS_POPOUT = 0x0200;
constexpr int SBPS_DISABLED = 0x04000000;
constexpr int SBPS_STRETCH = 0x08000000;

class CXTPStatusBarPane {
public:
    CXTPStatusBarPane(CXTPStatusBar* bar, int nID);

    int GetID() const { return m_nID; }
    QString GetText() const;
    void SetText(const QString& text);
    int GetStyle() const { return m_style; }
    void SetStyle(int style);
    void SetTextColor(platform::gdi::COLORREF color);
    platform::gdi::COLORREF GetTextColor() const { return m_textColor; }
    void SetFont(const QFont& font);
    // An icon of the status bar's image manager, or -1 for none.
    void SetIconIndex(int index);
    int GetIconIndex() const { return m_iconIndex; }
    // Width in pixels; 0 fits the text.
    void SetWidth(int width);
    int GetWidth() const { return m_width; }
    void SetEnabled(bool bEnabled);
    bool IsEnabled() const { return !(m_style & SBPS_DISABLED); }
    QLabel* label() const { return m_label; }

private:
    void refresh();

    CXTPStatusBar* m_bar;
    int m_nID;
    QLabel* m_label;
    int m_style = 0;
    platform::gdi::COLORREF m_textColor = platform::gdi::CLR_DEFAULT;
    int m_iconIndex = -1;
    int m_width = 0;
};

class CXTPStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CXTPStatusBar(QWidget* parent = nullptr);
    ~CXTPStatusBar() override;

    // Becomes the status bar of `pParentWnd` (a main window) under the id.
    bool Create(QMainWindow* pParentWnd, int dwStyle = 0, int nID = 0);
    // Replaces the panes by one per id; false when an id repeats.
    bool SetIndicators(const std::vector<int>& ids);
    // Adds a pane before position nIndex (-1: at the end); null when the id
    // is taken.
    CXTPStatusBarPane* AddIndicator(int nID, int nIndex = -1);
    bool RemoveIndicator(int nID);
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    CXTPStatusBarPane* GetPane(int nIndex) const;
    CXTPStatusBarPane* FindPane(int nID) const;
    int CommandToIndex(int nID) const;
    // Sets a pane's text and shows it at once.
    bool SetPaneText(int nIndex, const QString& text, bool bUpdate = true);
    QString GetPaneText(int nIndex) const;
    // Icons the panes show, by index.
    void SetIcons(std::vector<QIcon> icons) { m_icons = std::move(icons); }
    // Sets the icon at `nIndex`, the list growing as needed.
    void SetIcon(int nIndex, const QIcon& icon);
    QIcon icon(int nIndex) const;

private:
    void placePanes();

    std::vector<std::unique_ptr<CXTPStatusBarPane>> m_panes;
    std::vector<QIcon> m_icons;
};
