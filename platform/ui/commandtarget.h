#pragma once
// Commands of menus, toolbars and keys, by number. A command travels along a
// chain of targets (the active view, its document, the document's frame,
// the main frame, the application) until one of them handles it; the same
// chain answers whether the command is enabled or checked before a menu or
// toolbar shows it. A command that no target handles is disabled.

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

namespace platform {

// What the targets say of one command before it is shown: enabled, checked
// and, for status-bar panes, a text.
class CommandState {
public:
    explicit CommandState(int nID) : m_nID(nID) {}
    virtual ~CommandState() = default;

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(int nCheck = 1)
    {
        m_nCheck = nCheck;
        m_bCheckSet = true;
    }
    void SetText(const QString& text)
    {
        m_text = text;
        m_bTextSet = true;
    }

    bool enabled() const { return m_bEnabled; }
    int checked() const { return m_nCheck; }
    // Whether a target set the check mark (otherwise it stays as it was).
    bool checkSet() const { return m_bCheckSet; }
    QString text() const { return m_text; }
    bool textSet() const { return m_bTextSet; }

    int m_nID = 0;

private:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bCheckSet = false;
    QString m_text;
    bool m_bTextSet = false;
};

// The commands one target handles: a handler that runs the command and an
// optional update handler (without one, a handled command is enabled). An
// entry added later takes precedence over an earlier one for its commands.
class CommandMap {
public:
    using Run = std::function<void(int nID)>;
    using Update = std::function<void(CommandState& state)>;

    void add(int nID, std::function<void()> run, Update update = {});
    // Commands nFirst to nLast; the handlers receive the command's number.
    void addRange(int nFirst, int nLast, Run run, Update update = {});
    // Only an update handler: the target decides the state, a later target
    // of the chain runs the command.
    void addUpdate(int nID, Update update);

    // Runs the command (state null) or fills `state`; false when no entry
    // has the command (or, to run it, no entry has a handler for it).
    bool dispatch(int nID, CommandState* state) const;

private:
    struct Entry {
        int first;
        int last;
        Run run;
        Update update;
    };
    std::vector<Entry> m_entries;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // Runs the command (state null) or lets it fill `state`; true when this
    // target handles the command. The default consults the command map.
    virtual bool OnCmdMsg(int nID, CommandState* state) { return m_commands.dispatch(nID, state); }

protected:
    CommandMap& commandMap() { return m_commands; }

private:
    CommandMap m_commands;
};

// Offers the command to the targets in order (null ones are skipped) and
// answers whether one of them handled it.
bool routeCommand(std::initializer_list<CommandTarget*> chain, int nID, CommandState* state);

} // namespace platform
