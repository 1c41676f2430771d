#pragma once
// The keyboard shortcuts of a window's commands: filled from an accelerator
// table, changed by the user, kept in the profile. A key runs its command
// through the command bars' owner, when the owner's update handler leaves
// the command enabled; menus show each command's keys.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class CXTPCommandBars;
class QShortcut;

class CXTPShortcutManager : public QObject {
    Q_OBJECT
public:
    explicit CXTPShortcutManager(CXTPCommandBars* pCommandBars);
    ~CXTPShortcutManager() override;

    // Replaces the shortcuts by those of the accelerator table; false when
    // no table has that id.
    bool SetAccelerators(int nAccelTableId);
    // Binds `key` to the command; a key bound to another command moves.
    void AddShortcut(int nCommand, const QKeySequence& key);
    void RemoveShortcut(const QKeySequence& key);
    void RemoveAll();
    // The keys of a command, in the order they were bound.
    QList<QKeySequence> GetShortcuts(int nCommand) const;
    // The command of a key, or 0.
    int GetCommand(const QKeySequence& key) const;
    // The first key of a command as menus show it, or empty.
    QString GetShortcutText(int nCommand) const;
    const std::vector<std::pair<QKeySequence, int>>& bindings() const { return m_bindings; }

    // Shortcuts of the profile section (key "Shortcuts"); false, with the
    // present ones kept, when the section holds none.
    bool LoadShortcuts(const QString& strProfileName);
    void SaveShortcuts(const QString& strProfileName) const;

    // Installs the keys on the command bars' site again (after it changed).
    void updateShortcuts();

Q_SIGNALS:
    void shortcutsChanged();

private:
    void run(int nCommand);

    CXTPCommandBars* m_pCommandBars;
    std::vector<std::pair<QKeySequence, int>> m_bindings;
    std::vector<std::unique_ptr<QShortcut>> m_shortcuts;
};
