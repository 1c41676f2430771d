#pragma once
// The toolkit's stand-in for a module's resources: toolbar layouts (command
// ids, 0 for a separator), menus, command strings ("status prompt\ntooltip"),
// icon sets, bitmaps (a toolbar's bitmap is a strip of its buttons' images,
// one per command, left to right) and accelerator tables. A program
// registers them once at start-up; command bars load them by resource id.

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QString>
#include <map>
#include <vector>

namespace widgara {

// One menu entry: a command (id != 0), a popup (entries), or a separator
// (no id, no text, no entries).
struct MenuEntry {
    QString text;
    int id = 0;
    std::vector<MenuEntry> popup;
};

class Resources {
public:
    void setToolBar(int resourceId, std::vector<int> commands);
    // Null when no toolbar has that id.
    const std::vector<int>* toolBar(int resourceId) const;

    void setMenu(int resourceId, std::vector<MenuEntry> entries);
    const std::vector<MenuEntry>* menu(int resourceId) const;

    void setString(int id, const QString& text);
    QString string(int id) const;
    // The parts of a command string: before and after its line break. A
    // string without one is all prompt, and shows as the tooltip too.
    QString prompt(int id) const;
    QString tooltip(int id) const;

    // Icons of commands, in sets loaded together (a toolbar's images).
    void setIconSet(int resourceId, std::map<int, QIcon> icons);
    const std::map<int, QIcon>* iconSet(int resourceId) const;

    void setBitmap(int resourceId, QImage bitmap);
    // A null image when no bitmap has that id.
    QImage bitmap(int resourceId) const;

    // Key and command pairs of an accelerator table.
    void setAccelerators(int resourceId, std::vector<std::pair<QKeySequence, int>> table);
    const std::vector<std::pair<QKeySequence, int>>* accelerators(int resourceId) const;

private:
    std::map<int, std::vector<int>> m_toolBars;
    std::map<int, std::vector<MenuEntry>> m_menus;
    std::map<int, QString> m_strings;
    std::map<int, std::map<int, QIcon>> m_iconSets;
    std::map<int, QImage> m_bitmaps;
    std::map<int, std::vector<std::pair<QKeySequence, int>>> m_accelerators;
};

// The resources of the running program.
Resources& resources();

} // namespace widgara
