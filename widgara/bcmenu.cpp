#include "widgara/bcmenu.h"

#include "widgara/imagemanager.h"
#include "widgara/resources.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <map>

using platform::gdi::COLORREF;

namespace {

std::map<int, QIcon>& commandIcons()
{
    static std::map<int, QIcon> icons;
    return icons;
}

// How far a disabled icon is lightened after greying.
constexpr double kDisabledLighten = 0.49;

QImage greyedImage(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = qGray(line[x]);
            const COLORREF light = BCMenu::LightenColor(platform::gdi::RGB(v, v, v), kDisabledLighten);
            line[x] = qRgba(platform::gdi::GetRValue(light), platform::gdi::GetGValue(light),
                            platform::gdi::GetBValue(light), qAlpha(line[x]));
        }
    }
    return grey;
}

int moved(int value, int target, double f)
{
    return value + int((target - value) * f);
}

COLORREF moveColour(COLORREF col, double f, int target)
{
    if (!(f > 0.0 && f <= 1.0))
        return col;
    return platform::gdi::RGB(moved(platform::gdi::GetRValue(col), target, f),
                              moved(platform::gdi::GetGValue(col), target, f),
                              moved(platform::gdi::GetBValue(col), target, f));
}

} // namespace

BCMenu::BCMenu() : m_menu(std::make_unique<QMenu>()) {}

BCMenu::~BCMenu()
{
    DestroyMenu();
}

COLORREF BCMenu::LightenColor(COLORREF col, double f)
{
    return moveColour(col, f, 255);
}

COLORREF BCMenu::DarkenColor(COLORREF col, double f)
{
    return moveColour(col, f, 0);
}

QIcon BCMenu::commandIcon(int nID)
{
    const auto it = commandIcons().find(nID);
    return it == commandIcons().end() ? QIcon() : it->second;
}

void BCMenu::setCommandIcon(int nID, const QImage& image)
{
    QIcon icon(QPixmap::fromImage(image));
    icon.addPixmap(QPixmap::fromImage(greyedImage(image)), QIcon::Disabled);
    commandIcons()[nID] = icon;
}

void BCMenu::showIcon(Item& item) const
{
    if (item.action && item.id > 0)
        item.action->setIcon(commandIcon(item.id));
}

bool BCMenu::AppendODMenu(const QString& text, unsigned nFlags, int nID, int nIconNormal)
{
    Item item;
    item.text = text;
    item.flags = (nFlags | MF_OWNERDRAW) & ~MF_POPUP;
    item.id = nID;
    if (nID == 0 || (nFlags & MF_SEPARATOR)) {
        item.flags |= MF_SEPARATOR;
        item.id = 0;
        item.action = m_menu->addSeparator();
    } else {
        item.action = m_menu->addAction(text);
        item.action->setData(nID);
        item.action->setEnabled(!(nFlags & (MF_GRAYED | MF_DISABLED)));
        item.action->setCheckable(nFlags & MF_CHECKED);
        item.action->setChecked(nFlags & MF_CHECKED);
        if (nIconNormal >= 0) {
            const QImage bitmap = widgara::resources().bitmap(nIconNormal);
            if (!bitmap.isNull())
                setCommandIcon(nID, bitmap.copy(0, 0, kIconWidth, kIconHeight));
        }
        // A command without an icon keeps the icon column free, so its text
        // lines up with the others.
        showIcon(item);
    }
    m_items.push_back(std::move(item));
    return true;
}

BCMenu* BCMenu::AppendODPopupMenu(const QString& text)
{
    Item item;
    item.text = text;
    item.flags = MF_POPUP | MF_OWNERDRAW;
    item.popup = std::make_unique<BCMenu>();
    item.popup->m_menu->setTitle(text);
    item.action = m_menu->addMenu(item.popup->m_menu.get());
    m_items.push_back(std::move(item));
    return m_items.back().popup.get();
}

bool BCMenu::ModifyODMenu(const QString* text, int nID, const QImage& imageList, int nIndex)
{
    BCMenu* owner = nullptr;
    Item* item = findCommand(nID, &owner);
    if (!item)
        return false;
    if (text) {
        item->text = *text;
        item->action->setText(*text);
    }
    const bool inList = nIndex >= 0 && (nIndex + 1) * kIconWidth <= imageList.width();
    if (inList)
        setCommandIcon(nID, imageList.copy(nIndex * kIconWidth, 0, kIconWidth, kIconHeight));
    owner->showIcon(*item);
    return true;
}

bool BCMenu::LoadMenu(int nMenuId)
{
    const std::vector<widgara::MenuEntry>* entries = widgara::resources().menu(nMenuId);
    if (!entries)
        return false;
    DestroyMenu();
    m_menu = std::make_unique<QMenu>();
    const std::function<void(BCMenu&, const std::vector<widgara::MenuEntry>&)> build =
        [&build](BCMenu& menu, const std::vector<widgara::MenuEntry>& level) {
            for (const widgara::MenuEntry& entry : level) {
                if (!entry.popup.empty())
                    build(*menu.AppendODPopupMenu(entry.text), entry.popup);
                else
                    menu.AppendODMenu(entry.text, MF_OWNERDRAW, entry.id);
            }
        };
    build(*this, *entries);
    return true;
}

int BCMenu::LoadToolbar(int nToolBar)
{
    const std::vector<int> ids = widgara::toolBarImageIds(nToolBar);
    const QImage strip = widgara::resources().bitmap(nToolBar);
    if (ids.empty() || strip.isNull() || strip.width() < kIconWidth * int(ids.size()))
        return 0;
    const int width = strip.width() / int(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        BCMenu* owner = nullptr;
        if (Item* item = findCommand(ids[i], &owner)) {
            setCommandIcon(ids[i], strip.copy(int(i) * width, 0, width, strip.height()));
            owner->showIcon(*item);
        }
    }
    return 1;
}

BCMenu::Item* BCMenu::findCommand(int nID, BCMenu** owner)
{
    for (Item& item : m_items) {
        if (item.popup) {
            if (Item* found = item.popup->findCommand(nID, owner))
                return found;
        } else if (item.id == nID && nID != 0) {
            *owner = this;
            return &item;
        }
    }
    return nullptr;
}

bool BCMenu::RemoveMenu(int nPosition, unsigned nFlags)
{
    if (!(nFlags & MF_BYPOSITION)) {
        BCMenu* owner = nullptr;
        Item* item = findCommand(nPosition, &owner);
        if (!item)
            return false;
        return owner->RemoveMenu(int(item - owner->m_items.data()), MF_BYPOSITION);
    }
    if (nPosition < 0 || nPosition >= GetMenuItemCount())
        return false;
    Item& item = m_items[nPosition];
    m_menu->removeAction(item.action);
    if (!item.popup)
        delete item.action;
    m_items.erase(m_items.begin() + nPosition);
    return true;
}

void BCMenu::DestroyMenu()
{
    while (!m_items.empty())
        RemoveMenu(GetMenuItemCount() - 1, MF_BYPOSITION);
}

int BCMenu::GetMenuItemID(int nPosition) const
{
    if (nPosition < 0 || nPosition >= GetMenuItemCount())
        return 0;
    return m_items[nPosition].popup ? -1 : m_items[nPosition].id;
}

QString BCMenu::GetMenuString(int nPosition) const
{
    return nPosition >= 0 && nPosition < GetMenuItemCount() ? m_items[nPosition].text : QString();
}

BCMenu* BCMenu::GetSubBCMenu(int nPosition) const
{
    return nPosition >= 0 && nPosition < GetMenuItemCount() ? m_items[nPosition].popup.get() : nullptr;
}

unsigned BCMenu::EnableMenuItem(int nID, unsigned nEnable)
{
    BCMenu* owner = nullptr;
    Item* item = findCommand(nID, &owner);
    if (!item)
        return unsigned(-1);
    const unsigned previous = item->action->isEnabled() ? MF_ENABLED : MF_GRAYED;
    item->action->setEnabled(!(nEnable & (MF_GRAYED | MF_DISABLED)));
    return previous;
}

unsigned BCMenu::CheckMenuItem(int nID, unsigned nCheck)
{
    BCMenu* owner = nullptr;
    Item* item = findCommand(nID, &owner);
    if (!item)
        return unsigned(-1);
    const unsigned previous = item->action->isChecked() ? MF_CHECKED : MF_UNCHECKED;
    item->action->setCheckable(true);
    item->action->setChecked(nCheck & MF_CHECKED);
    return previous;
}

int BCMenu::TrackPopupMenu(unsigned, int x, int y, QWidget*)
{
    QAction* chosen = m_menu->exec(QPoint(x, y));
    return chosen ? chosen->data().toInt() : 0;
}
