#pragma once
// Builds a sheet view's context menu item by item, with the groups of items
// that several sheets share: the page items, the clipboard items, print,
// undo and redo. Texts are the menu's own, tabs included (the text after a
// tab shows as the key).

#include <QString>

class BCMenu;
class CVes_TableBase;
class CVes_TableViewBase;

class SheetMenu {
public:
    explicit SheetMenu(BCMenu& menu) : m_menu(menu) {}

    void item(const QString& text, int nID, bool enabled = true, bool checked = false);
    void separator();
    // A sub-menu; items go into it through the answered builder.
    SheetMenu popup(const QString& text);
    int count() const;

    // "前一页" and "第一页" above page 1, "后一页" and "最后一页" below the last
    // page.
    void pageItems(const CVes_TableBase& table);
    // "新建页", and "删除页" while there is more than one page.
    void newAndDeletePage(const CVes_TableBase& table);
    // With a selected row: cut, copy, paste (greyed, with its shorter text,
    // while the clipboard holds no rows for the table) and delete, after a
    // separator; without one only the separator.
    void clipboardItems(CVes_TableViewBase& view);
    void print();
    // Print, then undo and redo, each greyed when the table cannot.
    void printUndoRedo(CVes_TableViewBase& view);
    // For one contiguous block of selected rows: "上移" and "下移" after a
    // separator.
    bool moveItems(const CVes_TableBase& table);
    // The sub-menu "钢筋编号" of the numbering commands of the bar sheets.
    void numberingItems();

    // The icons of the main window's sheet, standard and row toolbars beside
    // the items of the same commands that have none.
    static void showToolbarIcons(BCMenu& menu);

private:
    BCMenu& m_menu;
};
