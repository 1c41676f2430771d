// How the user reaches the project tree's commands: the command table the
// pane and the context menu use, the enabling rules, the context menu,
// the keys, double clicks, and drag and drop inside the tree.

#include "app/projects/projecttreectrl.h"

#include "app/projects/projectids.h"
#include "widgara/bcmenu.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>

namespace {

struct MenuEntry {
    const char* text;  // null: a separator
    int id;
};

const MenuEntry kNewSheets[] = {{"新建钢筋配料单", ID_PROJECT_NEW_BARLIST},
                                {"新建钢筋加工单", ID_PROJECT_NEW_PROCESS},
                                {"新建钢筋算量单", ID_PROJECT_NEW_QUANTITY}};
const MenuEntry kEditEntries[] = {{"复制", ID_PROJECT_COPY},   {"剪切", ID_PROJECT_CUT},
                                  {"粘贴", ID_PROJECT_PASTE},  {"删除...", ID_PROJECT_DELETE},
                                  {"重命名...", ID_PROJECT_RENAME}};

} // namespace

// commands

void CProjectTreeCtrl::buildCommandMap()
{
    platform::CommandMap& map = commandMap();
    const auto onCurrent = [this](auto test) {
        return [this, test](platform::CommandState& s) { s.Enable(test(itemKind(m_hCurItem))); };
    };
    map.add(ID_PROJECT_OPEN_ITEM, [this] { OnOpenItem(); }, onCurrent([](int k) { return isFileKind(k); }));
    const auto hasFolder = [this](platform::CommandState& s) {
        s.Enable(m_hCurItem && !GetItemFolder(m_hCurItem).isEmpty());
    };
    map.add(ID_PROJECT_NEW_BARLIST, [this] { OnNewBarList(); }, hasFolder);
    map.add(ID_PROJECT_NEW_PROCESS, [this] { OnNewProcessingSheet(); }, hasFolder);
    map.add(ID_PROJECT_NEW_QUANTITY, [this] { OnNewQuantitySheet(); }, hasFolder);
    map.add(ID_PROJECT_NEW_STOREY, [this] { OnNewStorey(); }, onCurrent([](int k) { return k == TREE_BUILDING; }));
    map.add(ID_PROJECT_NEW_ELEMENT_TYPE, [this] { OnNewElementType(); },
            onCurrent([](int k) { return k == TREE_STOREY; }));
    const auto canEdit = [this](platform::CommandState& s) { s.Enable(CanEditItem()); };
    map.add(ID_PROJECT_COPY, [this] { OnCopyItem(); }, canEdit);
    map.add(ID_PROJECT_CUT, [this] { OnCutItem(); }, canEdit);
    map.add(ID_PROJECT_DELETE, [this] { OnDeleteItem(); }, canEdit);
    map.add(ID_PROJECT_RENAME, [this] { OnRenameItem(); }, canEdit);
    map.add(ID_PROJECT_PASTE, [this] { OnPasteItem(); }, [this](platform::CommandState& s) { s.Enable(CanPaste()); });
    map.add(ID_PROJECT_FOLDER_SUMMARY, [this] { OnSummariseFolder(); }, hasFolder);
}

bool CProjectTreeCtrl::CanEditItem() const
{
    const int kind = itemKind(m_hCurItem);
    return m_hCurItem && kind != TREE_ROOT && !isCategoryKind(kind);
}

bool CProjectTreeCtrl::CanPaste() const
{
    return canPasteOnto(m_hHeldItem, m_hCurItem);
}

bool CProjectTreeCtrl::canPasteOnto(const QTreeWidgetItem* held, const QTreeWidgetItem* target)
{
    const int kind = itemKind(target);
    switch (itemKind(held)) {
    case TREE_FILE_PLD:
    case TREE_FILE_JGD:
    case TREE_FILE_YLB:
        return target && kind != TREE_ROOT && !isCategoryKind(kind);
    case TREE_ELEMENT_TYPE:
        return kind == TREE_STOREY || kind == TREE_ELEMENT_TYPE;
    case TREE_STOREY:
        return kind == TREE_BUILDING || kind == TREE_STOREY;
    case TREE_BUILDING:
        return true;
    default:
        return false;
    }
}

// context menu

std::unique_ptr<BCMenu> CProjectTreeCtrl::buildContextMenu(QTreeWidgetItem* item) const
{
    auto menu = std::make_unique<BCMenu>();
    const int kind = itemKind(item);
    const auto add = [&](const char* text, int id, bool enabled = true) {
        menu->AppendODMenu(QString::fromUtf8(text), enabled ? BCMenu::MF_STRING : BCMenu::MF_GRAYED, id);
    };
    const auto separator = [&] { menu->AppendODMenu(QString(), BCMenu::MF_SEPARATOR); };
    const auto newSheets = [&] {
        for (const MenuEntry& e : kNewSheets)
            add(e.text, e.id);
        separator();
    };
    // Paste is offered for what the item may take of what is held; a held
    // building is never pasted.
    const bool paste = canPasteOnto(m_hHeldItem, item) && HeldKind() != HELD_BUILDING;
    const auto edits = [&](bool all) {
        for (const MenuEntry& e : kEditEntries)
            if (all || e.id == ID_PROJECT_PASTE || e.id == ID_PROJECT_RENAME)
                add(e.text, e.id, e.id != ID_PROJECT_PASTE || paste);
    };
    if (isFileKind(kind)) {
        add("打开", ID_PROJECT_OPEN_ITEM);
        separator();
        edits(true);
    } else if (kind == TREE_ROOT) {
        add("新建工程", ID_PROJECT_NEW);
    } else if (const int index = kind - TREE_CAT_PLD; index >= 0 && index < 3) {
        add(kNewSheets[index].text, kNewSheets[index].id);
    } else if (kind == TREE_STOREY) {
        newSheets();
        add("新建构件类型", ID_PROJECT_NEW_ELEMENT_TYPE);
        separator();
        edits(true);
        separator();
        add("本目录下汇总", ID_PROJECT_FOLDER_SUMMARY);
    } else if (kind == TREE_BUILDING) {
        newSheets();
        add("新建层或施工部位", ID_PROJECT_NEW_STOREY);
        edits(false);
        separator();
        add("本目录下汇总", ID_PROJECT_FOLDER_SUMMARY);
    } else if (kind == TREE_ELEMENT_TYPE) {
        newSheets();
        edits(true);
        separator();
        add("本目录下汇总", ID_PROJECT_FOLDER_SUMMARY);
    } else if (kind == TREE_FOLDER) {
        newSheets();
        add("本目录下汇总", ID_PROJECT_FOLDER_SUMMARY);
    }
    menu->LoadToolbar(IDR_PROJECT_TOOLBAR);
    return menu;
}

void CProjectTreeCtrl::runCommand(int id)
{
    // The pane takes the commands it owns (new project) and passes the
    // tree's own on; a tree without a pane runs its own.
    for (QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (auto* owner = dynamic_cast<platform::CommandTarget*>(w)) {
            if (owner->OnCmdMsg(id, nullptr))
                return;
            break;
        }
    }
    OnCmdMsg(id, nullptr);
}

void CProjectTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // A tree for ticking parts (the pick dialog's) offers no commands.
    QTreeWidgetItem* item = itemAt(event->pos());
    if (!item || m_bCheckBoxes)
        return;
    setCurrentTreeItem(item);
    const std::unique_ptr<BCMenu> menu = buildContextMenu(item);
    if (const int id = menu->TrackPopupMenu(0, event->globalPos().x(), event->globalPos().y(), this))
        runCommand(id);
}

// mouse and keys

void CProjectTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (isFileKind(itemKind(m_hCurItem)))
        OnOpenItem();
}

void CProjectTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        const int id = event->key() == Qt::Key_C ? ID_PROJECT_COPY
                       : event->key() == Qt::Key_X ? ID_PROJECT_CUT
                       : event->key() == Qt::Key_V ? ID_PROJECT_PASTE
                                                   : 0;
        if (id != 0) {
            OnCmdMsg(id, nullptr);
            return;
        }
        if (event->key() == Qt::Key_Control)
            return;
    }
    QTreeWidget::keyPressEvent(event);
}

// drag and drop

bool CProjectTreeCtrl::canDrop(QTreeWidgetItem* source, QTreeWidgetItem* target) const
{
    if (m_bCheckBoxes || !source || !target || contains(source, target) || !canPasteOnto(source, target)
        || HeldKindOf(source) == HELD_BUILDING || HeldKindOf(source) == HELD_NOTHING)
        return false;
    // Onto the folder it lies in already: nothing to do.
    QTreeWidgetItem* into = target;
    const int kind = itemKind(source);
    if (isFileKind(kind))
        into = folderItemOf(target);
    else if (itemKind(target) == kind)
        into = target->parent();
    QTreeWidgetItem* from = isFileKind(kind) ? folderItemOf(source) : source->parent();
    return into != from;
}

void CProjectTreeCtrl::startDrag(Qt::DropActions supportedActions)
{
    m_dragSource = persistentIndex(currentItem());
    QTreeWidget::startDrag(supportedActions);
}

void CProjectTreeCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CProjectTreeCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (event->source() == this && canDrop(itemOf(m_dragSource), target))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CProjectTreeCtrl::dropEvent(QDropEvent* event)
{
    QTreeWidgetItem* source = itemOf(m_dragSource);
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (event->source() != this || !canDrop(source, target)) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers().testFlag(Qt::ControlModifier);
    // The tree's items are changed by the paste, not by the view: the view
    // is told that nothing moved. The paste runs once the drag has ended.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QPersistentModelIndex from = m_dragSource;
    const QPersistentModelIndex to = persistentIndex(target);
    QTimer::singleShot(0, this, [this, from, to, copy] { dropItem(itemOf(from), itemOf(to), copy); });
}

void CProjectTreeCtrl::dropItem(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy)
{
    if (!canDrop(source, target))
        return;
    // What the user holds for pasting stays held.
    const QPersistentModelIndex held = persistentIndex(m_hHeldItem);
    const int mode = m_nHoldMode;
    setCurrentTreeItem(source);
    copy ? OnCopyItem() : OnCutItem();
    if (m_hHeldItem == source) {
        setCurrentTreeItem(target);
        OnPasteItem();
    }
    m_hHeldItem = itemOf(held);
    m_nHoldMode = m_hHeldItem ? mode : HOLD_NOTHING;
}
