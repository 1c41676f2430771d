#include "app/views/sheetmenu.h"

#include "app/views/viewids.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/ui/tableview.h"
#include "widgara/bcmenu.h"
#include "widgara/resources.h"

#include <QAction>
#include <QMenu>

#include <map>

void SheetMenu::item(const QString& text, int nID, bool enabled, bool checked)
{
    unsigned flags = BCMenu::MF_OWNERDRAW;
    if (!enabled)
        flags |= BCMenu::MF_GRAYED;
    if (checked)
        flags |= BCMenu::MF_CHECKED;
    m_menu.AppendODMenu(text, flags, nID);
}

void SheetMenu::separator()
{
    m_menu.AppendODMenu(QString(), BCMenu::MF_SEPARATOR);
}

SheetMenu SheetMenu::popup(const QString& text)
{
    return SheetMenu(*m_menu.AppendODPopupMenu(text));
}

int SheetMenu::count() const
{
    return m_menu.GetMenuItemCount();
}

void SheetMenu::pageItems(const CVes_TableBase& table)
{
    const int page = table.getCurPage();
    const bool beforeLast = page < table.getPages();
    if (page > 1)
        item(QStringLiteral("前一页"), ID_PAGE_PREV);
    if (beforeLast)
        item(QStringLiteral("后一页"), ID_PAGE_NEXT);
    if (page > 1)
        item(QStringLiteral("第一页"), ID_PAGE_FIRST);
    if (beforeLast)
        item(QStringLiteral("最后一页"), ID_PAGE_LAST);
}

void SheetMenu::newAndDeletePage(const CVes_TableBase& table)
{
    item(QStringLiteral("新建页"), ID_PAGE_ADD);
    if (table.getPages() > 1)
        item(QStringLiteral("删除页"), ID_PAGE_DELETE);
}

void SheetMenu::clipboardItems(CVes_TableViewBase& view)
{
    separator();
    const CVes_TableBase* table = view.getTable();
    if (!table || table->getSelectRow() <= 0)
        return;
    item(QStringLiteral("剪切     \tCtrl+X"), ID_EDIT_CUT);
    item(QStringLiteral("复制\tCtrl+C"), ID_EDIT_COPY);
    if (view.canPaste())
        item(QStringLiteral("粘贴\t\t\t\tCtrl+V"), ID_EDIT_PASTE);
    else
        item(QStringLiteral("粘贴\t\tCtrl+V"), ID_EDIT_PASTE, false);
    item(QStringLiteral("删除\t\tDelete"), ID_EDIT_CLEAR);
}

void SheetMenu::print()
{
    item(QStringLiteral("打印\t Ctrl+P"), ID_FILE_PRINT);
}

void SheetMenu::printUndoRedo(CVes_TableViewBase& view)
{
    print();
    item(QStringLiteral("撤销 \t Ctrl+Z"), ID_EDIT_UNDO, view.canUndo() != 0);
    item(QStringLiteral("重做\t Ctrl+Y"), ID_EDIT_REDO, view.canRedo() != 0);
}

bool SheetMenu::moveItems(const CVes_TableBase& table)
{
    if (!table.isContinueSelect())
        return false;
    separator();
    item(QStringLiteral("上移\tCtrl+↑"), ID_ROW_UP);
    item(QStringLiteral("下移\tCtrl+↓"), ID_ROW_DOWN);
    return true;
}

namespace {

void showIcons(QMenu& menu, const std::map<int, QIcon>& icons)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            showIcons(*sub, icons);
            continue;
        }
        const auto found = icons.find(action->data().toInt());
        if (action->icon().isNull() && found != icons.end())
            action->setIcon(found->second);
    }
}

} // namespace

void SheetMenu::showToolbarIcons(BCMenu& menu)
{
    // The toolbars keep their buttons' icons as icon sets.
    std::map<int, QIcon> icons;
    for (const int toolBar : {IDR_TOOLBAR_SHEET, IDR_MAINFRAME, IDR_TOOLBAR_ROWS})
        if (const std::map<int, QIcon>* set = widgara::resources().iconSet(toolBar))
            icons.insert(set->begin(), set->end());
    if (menu.menu())
        showIcons(*menu.menu(), icons);
}

void SheetMenu::numberingItems()
{
    SheetMenu numbers = popup(QStringLiteral("钢筋编号"));
    numbers.item(QStringLiteral("全部钢筋行编号且归并"), ID_NUM_ALL);
    numbers.item(QStringLiteral("全部钢筋行单独编号"), ID_NUM_ALL_OWN);
    numbers.item(QStringLiteral("无编号钢筋编号且归并"), ID_NUM_UNNUMBERED);
    numbers.item(QStringLiteral("构件内钢筋顺序编号"), ID_NUM_ELEMENT);
    numbers.item(QStringLiteral("构件内钢筋归并编号"), ID_NUM_ELEMENT_SHARED);
    numbers.item(QStringLiteral("取消钢筋编号"), ID_NUM_CLEAR);
}
