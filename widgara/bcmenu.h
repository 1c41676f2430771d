#pragma once
// The program's menus: built item by item or from a menu description, with
// icons beside the texts taken from toolbar images; the context menus of the
// sheets. Icons are kept per command for the whole program, so a command
// shows the same icon in every menu.

#include "platform/gdi.h"

#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class BCMenu {
public:
    // Item flags.
    static constexpr unsigned MF_STRING = 0x0000;
    static constexpr unsigned MF_BYCOMMAND = 0x0000;
    static constexpr unsigned MF_ENABLED = 0x0000;
    static constexpr unsigned MF_UNCHECKED = 0x0000;
    static constexpr unsigned MF_GRAYED = 0x0001;
    static constexpr unsigned MF_DISABLED = 0x0002;
    static constexpr unsigned MF_CHECKED = 0x0008;
    static constexpr unsigned MF_POPUP = 0x0010;
    static constexpr unsigned MF_OWNERDRAW = 0x0100;
    static constexpr unsigned MF_BYPOSITION = 0x0400;
    static constexpr unsigned MF_SEPARATOR = 0x0800;
    // Icons are 16 × 15 pixels.
    static constexpr int kIconWidth = 16;
    static constexpr int kIconHeight = 15;

    BCMenu();
    ~BCMenu();
    BCMenu(const BCMenu&) = delete;
    BCMenu& operator=(const BCMenu&) = delete;

    // Appends an item: a command, or a separator for id 0. With `nIconNormal`
    // ≥ 0 the icon is the bitmap of that id and is kept for the command;
    // with -1 the command's kept icon, if any, is shown.
    bool AppendODMenu(const QString& text, unsigned nFlags = MF_OWNERDRAW, int nID = 0,
                      int nIconNormal = -1);
    // Appends a sub-menu under `text` and answers it; this menu keeps it.
    BCMenu* AppendODPopupMenu(const QString& text);
    // Replaces the text (when given) and icon of the command's item, the
    // icon being image `nIndex` of `imageList` (a strip of icons).
    bool ModifyODMenu(const QString* text, int nID, const QImage& imageList, int nIndex);
    // Builds the menu from a menu description; false when there is none.
    bool LoadMenu(int nMenuId);
    // Gives the items the images of the toolbar's buttons of the same
    // commands; 1 on success, 0 when the toolbar or its bitmap is missing.
    int LoadToolbar(int nToolBar);
    // Removes an item by position or, with MF_BYCOMMAND, the item of the
    // command at any depth. A sub-menu removed by position goes whole.
    bool RemoveMenu(int nPosition, unsigned nFlags);
    void DestroyMenu();

    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    // The command at a position: 0 for a separator, -1 for a sub-menu.
    int GetMenuItemID(int nPosition) const;
    QString GetMenuString(int nPosition) const;
    BCMenu* GetSubBCMenu(int nPosition) const;
    unsigned EnableMenuItem(int nID, unsigned nEnable);
    unsigned CheckMenuItem(int nID, unsigned nCheck);
    // Shows the menu at a screen point and answers the chosen command, or 0.
    int TrackPopupMenu(unsigned nFlags, int x, int y, QWidget* pWnd);

    QMenu* menu() const { return m_menu.get(); }

    // Each of red, green and blue moved toward 255 (lighten) or 0 (darken)
    // by the fraction f; an f outside (0, 1] gives the colour unchanged.
    static platform::gdi::COLORREF LightenColor(platform::gdi::COLORREF col, double f);
    static platform::gdi::COLORREF DarkenColor(platform::gdi::COLORREF col, double f);
    // The icon kept for a command (null when none), with its greyed form
    // for a disabled item.
    static QIcon commandIcon(int nID);
    static void setCommandIcon(int nID, const QImage& image);

private:
    struct Item {
        QString text;
        unsigned flags = 0;
        int id = 0;
        QAction* action = nullptr;
        std::unique_ptr<BCMenu> popup;
    };
    Item* findCommand(int nID, BCMenu** owner);
    void showIcon(Item& item) const;

    std::unique_ptr<QMenu> m_menu;
    std::vector<Item> m_items;
};
