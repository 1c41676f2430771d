#include "widgara/shortcutmanager.h"

#include "platform/profile.h"
#include "widgara/cmdui.h"
#include "widgara/commandbars.h"
#include "widgara/resources.h"
#include "widgara/shortcuttexts.h"

#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace {

const QString kShortcutsKey = QStringLiteral("Shortcuts");

} // namespace


CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars)
    : QObject(pCommandBars), m_pCommandBars(pCommandBars)
{
}

CXTPShortcutManager::~CXTPShortcutManager() = default;

bool CXTPShortcutManager::SetAccelerators(int nAccelTableId)
{
    const auto* table = widgara::resources().accelerators(nAccelTableId);
    if (!table)
        return false;
    m_bindings.clear();
    for (const auto& [key, command] : *table)
        AddShortcut(command, key);
    updateShortcuts();
    return true;
}

void CXTPShortcutManager::AddShortcut(int nCommand, const QKeySequence& key)
{
    if (key.isEmpty())
        return;
    std::erase_if(m_bindings, [&key](const auto& b) { return b.first == key; });
    m_bindings.emplace_back(key, nCommand);
    updateShortcuts();
}

void CXTPShortcutManager::RemoveShortcut(const QKeySequence& key)
{
    std::erase_if(m_bindings, [&key](const auto& b) { return b.first == key; });
    updateShortcuts();
}

void CXTPShortcutManager::RemoveAll()
{
    m_bindings.clear();
    updateShortcuts();
}

QList<QKeySequence> CXTPShortcutManager::GetShortcuts(int nCommand) const
{
    QList<QKeySequence> keys;
    for (const auto& [key, command] : m_bindings)
        if (command == nCommand)
            keys << key;
    return keys;
}

int CXTPShortcutManager::GetCommand(const QKeySequence& key) const
{
    for (const auto& [bound, command] : m_bindings)
        if (bound == key)
            return command;
    return 0;
}

QString CXTPShortcutManager::GetShortcutText(int nCommand) const
{
    const QList<QKeySequence> keys = GetShortcuts(nCommand);
    return keys.isEmpty() ? QString() : keys.front().toString(QKeySequence::NativeText);
}

bool CXTPShortcutManager::LoadShortcuts(const QString& strProfileName)
{
    const QVariant stored = platform::profileValue(strProfileName, kShortcutsKey);
    if (!stored.isValid())
        return false;
    m_bindings = widgara::shortcutsFromStrings(stored.toStringList());
    updateShortcuts();
    return true;
}

void CXTPShortcutManager::SaveShortcuts(const QString& strProfileName) const
{
    platform::setProfileValue(strProfileName, kShortcutsKey, widgara::shortcutsToStrings(m_bindings));
}

void CXTPShortcutManager::updateShortcuts()
{
    m_shortcuts.clear();
    QWidget* site = m_pCommandBars ? m_pCommandBars->GetSite() : nullptr;
    if (site) {
        // A frame inside another window (a document window) keeps its keys
        // to itself; a top-level frame takes them from all its children.
        const Qt::ShortcutContext context =
            site->isWindow() ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut;
        for (const auto& [key, command] : m_bindings) {
            auto shortcut = std::make_unique<QShortcut>(key, site);
            shortcut->setContext(context);
            connect(shortcut.get(), &QShortcut::activated, this, [this, id = command] { run(id); });
            m_shortcuts.push_back(std::move(shortcut));
        }
    }
    Q_EMIT shortcutsChanged();
}

void CXTPShortcutManager::run(int nCommand)
{
    CXTPCommandBarsSite* site = m_pCommandBars ? m_pCommandBars->site() : nullptr;
    if (!site)
        return;
    CCmdUI ui(nCommand, nullptr);
    site->OnUpdateCommandUI(&ui);
    if (ui.enabled())
        m_pCommandBars->runCommand(nCommand);
}
