#include "app/views/sheetview.h"

#include "app/documents/documentframe.h"
#include "app/documents/documenthost.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/sheetdocument.h"
#include "app/views/sheetmenu.h"
#include "core/model/barcore.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"
#include "widgara/bcmenu.h"

SheetViewBase::SheetViewBase(CVes_TableViewBase* self) : platform::View(self), m_view(self) {}

SheetViewBase::~SheetViewBase() = default;

SheetDocument* SheetViewBase::sheetDocument() const
{
    return dynamic_cast<SheetDocument*>(GetDocument());
}

SheetContainerView* SheetViewBase::container() const
{
    for (QWidget* w = m_view->parentWidget(); w; w = w->parentWidget())
        if (auto* found = dynamic_cast<SheetContainerView*>(w))
            return found;
    return nullptr;
}

std::unique_ptr<BCMenu> SheetViewBase::createContextMenu()
{
    CVes_TableBase* table = m_view->getTable();
    if (!table)
        return nullptr;
    auto menu = std::make_unique<BCMenu>();
    fillContextMenu(*menu, *table);
    SheetMenu::showToolbarIcons(*menu);
    return menu;
}

int SheetViewBase::trackContextMenu(BCMenu& menu, QPoint globalPos)
{
    return menu.TrackPopupMenu(0, globalPos.x(), globalPos.y(), m_view->window());
}

void SheetViewBase::showContextMenu(QPoint globalPos)
{
    const std::unique_ptr<BCMenu> menu = createContextMenu();
    if (!menu || menu->GetMenuItemCount() == 0)
        return;
    if (const int nID = trackContextMenu(*menu, globalPos))
        runMenuCommand(nID);
}

bool SheetViewBase::runMenuCommand(int nID)
{
    if (m_menuCommands.dispatch(nID, nullptr) || OnCmdMsg(nID, nullptr))
        return true;
    // The page, clipboard, print and undo items, and the frame's commands,
    // travel as the same buttons of the toolbars do.
    if (auto* frame = dynamic_cast<DocumentFrame*>(GetParentFrame())) {
        frame->OnCommand(nID);
        return true;
    }
    DocumentHost* host = DocumentHost::of(m_view);
    return host && host->routeCommand(nID, nullptr);
}

void SheetViewBase::afterTableCommand()
{
    m_view->viewport()->update();
    CVes_TableBase* table = m_view->getTable();
    if (!table)
        return;
    Q_EMIT m_view->tableChanged(table);
    if (table->isModified())
        m_view->setModify(true);
}

void SheetViewBase::afterOwnEdit()
{
    if (CVes_TableBase* table = m_view->getTable()) {
        table->AddUndo();
        table->setModified(1);
    }
    afterTableCommand();
}

CVes_BarCore* SheetViewBase::selectedBar() const
{
    CVes_TableBase* table = m_view->getTable();
    CVes_TableBaseLine* line = table ? table->getLine(table->getSelectRow()) : nullptr;
    return line && line->isSteelLine() ? line->getSteel() : nullptr;
}

void SheetViewBase::OnAutoCutLength()
{
    if (CVes_BarCore* bar = selectedBar()) {
        bar->setLengthComputed(bar->calcLength ? 0 : 1, m_view->getTable()->shapeUnitFactor());
        afterOwnEdit();
    }
}

void SheetViewBase::autoCutLengthItem(SheetMenu& menu, int column) const
{
    const CVes_BarCore* bar = selectedBar();
    if (!bar || m_view->getTable()->getCurCol() != column)
        return;
    menu.item(QStringLiteral("自动计算断料长度"), ID_CUTLENGTH_AUTO, true, bar->calcLength != 0);
    menu.separator();
}
