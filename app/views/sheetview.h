#pragma once
// What every sheet view of the document windows shares: it is a view of its
// document, opens its context menu on the right button (none while it shows
// no table) and runs the command chosen there. A view fills its menu from
// the state of its table as it is at that moment; the chosen command goes to
// the view's own commands first, then travels as a toolbar command does
// (document, frame, main window), so the page, clipboard, print and undo
// items do what the main window's buttons do.
//
// Some numbers mean one thing in a sheet's menu and another on a toolbar of
// the main window or the document (33777 copies an element in the bar
// list's menu and is the zoom box elsewhere): such commands are kept among
// the menu's own commands, which only the menu reaches.

#include "app/views/viewids.h"
#include "platform/ui/commandtarget.h"
#include "platform/ui/view.h"
#include "tables/framework/ui/tableview.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPoint>

#include <functional>
#include <memory>

class BCMenu;
class CVes_BarCore;
class SheetMenu;
class CVes_TableBase;
class SheetContainerView;
class SheetDocument;

class SheetViewBase : public platform::View {
public:
    explicit SheetViewBase(CVes_TableViewBase* self);
    ~SheetViewBase() override;

    // The context menu for the table as it is now; null without a table.
    std::unique_ptr<BCMenu> createContextMenu();
    // Runs a command chosen in the context menu; false when nobody took it.
    bool runMenuCommand(int nID);

    // The bar at the selected row switches its automatic cutting length:
    // one undo step, the table changed. Nothing on a line without a bar.
    void OnAutoCutLength();

    SheetDocument* sheetDocument() const;
    // The view with the sheet tabs this view lies in, or null.
    SheetContainerView* container() const;

protected:
    // Appends the view's items for its table.
    virtual void fillContextMenu(BCMenu& menu, CVes_TableBase& table) = 0;
    // Shows the menu at a screen point and answers the chosen command (0
    // for none).
    virtual int trackContextMenu(BCMenu& menu, QPoint globalPos);
    // Opens the context menu at a screen point and runs its choice.
    void showContextMenu(QPoint globalPos);
    // The commands only the context menu reaches.
    platform::CommandMap& menuCommands() { return m_menuCommands; }
    // After a command that may have changed the table: a repaint, the frame
    // told, and the document modified when the table says it changed.
    void afterTableCommand();
    // An edit of a bar-list bar or unit line made by the view itself: one
    // undo step, the table changed (and its derived sheets stale), then as
    // afterTableCommand.
    void afterOwnEdit();
    CVes_TableViewBase& tableView() const { return *m_view; }
    // A command that runs `op` on the view's table when it is one of
    // `Table`'s kind (an operation that records its own undo step), then
    // afterTableCommand.
    template <class Table>
    std::function<void()> tableCommand(std::function<void(Table&)> op)
    {
        return [this, op = std::move(op)] {
            if (auto* table = dynamic_cast<Table*>(m_view->getTable())) {
                op(*table);
                afterTableCommand();
            }
        };
    }
    // The bar of the bar line at the selected row, or null.
    CVes_BarCore* selectedBar() const;
    // "自动计算断料长度", checked by the selected bar, when column `column` is
    // current on a bar line; then a separator.
    void autoCutLengthItem(SheetMenu& menu, int column) const;

private:
    CVes_TableViewBase* m_view;
    platform::CommandMap m_menuCommands;
};

// The program's view over a sheet view of the tables library.
template <class Base>
class SheetView : public Base, public SheetViewBase {
public:
    explicit SheetView(QWidget* parent) : Base(parent), SheetViewBase(this) {}

    void OnUpdate(platform::View*, long) override { this->viewport()->update(); }
    QString documentPath() const override
    {
        return GetDocument() ? GetDocument()->GetPathName() : QString();
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::RightButton) {
            Base::mouseReleaseEvent(event);
            return;
        }
        event->accept();
        showContextMenu(event->globalPosition().toPoint());
    }
    // The mouse's menu opens on the release of the right button; the menu
    // key's opens at the middle of the view.
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        event->accept();
        if (event->reason() != QContextMenuEvent::Mouse)
            showContextMenu(this->mapToGlobal(this->rect().center()));
    }
};
