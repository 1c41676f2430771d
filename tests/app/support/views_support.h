#pragma once
// The program's sheet views under test: the three document windows opened
// on the office block's thirty bars, their sheet views by tab, and the
// context menus as rows (text, command, enabled, checked, sub-menu) that a
// test can look through.

#include "app/documents/processmainview.h"
#include "app/documents/setupmainview.h"
#include "app/documents/slmainview.h"
#include "app/views/setupview.h"
#include "app/views/sheetview.h"
#include "tables/framework/tableclipboard.h"
#include "tests/app/support/documents_support.h"
#include "widgara/bcmenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <optional>
#include <vector>

namespace test {

struct MenuRow {
    QString popup; // the sub-menu's text, empty at the top level
    QString text;
    int id = 0;    // 0 for a separator, -1 for a sub-menu
    bool enabled = true;
    bool checked = false;
};

inline void collectRows(const BCMenu& menu, const QString& popup, std::vector<MenuRow>& rows)
{
    const QList<QAction*> actions = menu.menu()->actions();
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        const QAction* action = actions.value(i);
        rows.push_back({popup, menu.GetMenuString(i), menu.GetMenuItemID(i),
                        action && action->isEnabled(), action && action->isChecked()});
        if (const BCMenu* sub = menu.GetSubBCMenu(i))
            collectRows(*sub, menu.GetMenuString(i), rows);
    }
}

inline std::vector<MenuRow> menuRows(SheetViewBase& view)
{
    std::vector<MenuRow> rows;
    if (const std::unique_ptr<BCMenu> menu = view.createContextMenu())
        collectRows(*menu, QString(), rows);
    return rows;
}

inline std::optional<MenuRow> findRow(const std::vector<MenuRow>& rows, int id)
{
    for (const MenuRow& row : rows)
        if (row.id == id)
            return row;
    return std::nullopt;
}

inline bool hasRow(const std::vector<MenuRow>& rows, int id)
{
    return findRow(rows, id).has_value();
}

inline bool hasPopup(const std::vector<MenuRow>& rows, const QString& text)
{
    for (const MenuRow& row : rows)
        if (row.id == -1 && row.text == text)
            return true;
    return false;
}

// The commands of a menu in order, separators as 0 and sub-menus as -1,
// the items of sub-menus after them.
inline std::vector<int> idsOf(const std::vector<MenuRow>& rows)
{
    std::vector<int> ids;
    for (const MenuRow& row : rows)
        ids.push_back(row.id);
    return ids;
}

class ViewsFixture : public DocumentsFixture {
protected:
    CRODOSetUpDoc* openBarList()
    {
        CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(saveBarList("views.pld"));
        EXPECT_TRUE(doc);
        return doc;
    }
    CRODOProcessDoc* openProcessSheet()
    {
        CRODOProcessDoc* doc = open<CRODOProcessDoc>(saveProcessSheet("views.jgd"));
        EXPECT_TRUE(doc);
        return doc;
    }
    CRODOSLDoc* openQuantitySheet()
    {
        CRODOSLDoc* doc = open<CRODOSLDoc>(saveQuantitySheet("views.ylb"));
        EXPECT_TRUE(doc);
        return doc;
    }
    // The view of a tab, shown as the user chooses it.
    template <typename View>
    View* showTab(platform::Document* doc, int tab)
    {
        SheetContainerView* tabs = containerOf(doc);
        if (!tabs)
            return nullptr;
        tabs->selectTab(tab);
        if (auto* sheetDoc = dynamic_cast<SheetDocument*>(doc))
            sheetDoc->finishBuilds();
        QApplication::processEvents();
        return dynamic_cast<View*>(tabs->sheetView(tab));
    }
    // Selects row `row` of page `page` alone, with `column` current.
    static void selectCell(CVes_TableBase& table, int page, int row, int column)
    {
        table.setPageTo(page, 1);
        table.clearSelect();
        table.AddSelect(row, 1);
        table.setCurRow(row);
        table.setCurCol(column);
    }
};

// A bar list's window with its own sheet shown; the row clipboard starts
// and ends empty.
class BarListViews : public ViewsFixture {
protected:
    void SetUp() override
    {
        ViewsFixture::SetUp();
        tableClipboard().clear();
        doc = openBarList();
        ASSERT_TRUE(doc);
        view = showTab<CRODOSetUpView>(doc, CRODO_SetUpMainView::kBarList);
        ASSERT_TRUE(view);
        list = doc->setupTable();
    }
    void TearDown() override
    {
        tableClipboard().clear();
        ViewsFixture::TearDown();
    }

    CRODOSetUpDoc* doc = nullptr;
    CRODOSetUpView* view = nullptr;
    CVes_SetupTable* list = nullptr;
};

} // namespace test
