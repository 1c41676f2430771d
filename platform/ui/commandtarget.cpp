#include "platform/ui/commandtarget.h"

namespace platform {

void CommandMap::add(int nID, std::function<void()> run, Update update)
{
    addRange(nID, nID, [run = std::move(run)](int) { run(); }, std::move(update));
}

void CommandMap::addRange(int nFirst, int nLast, Run run, Update update)
{
    // A later entry overrides an earlier one, as a derived class's handlers
    // override its base's.
    m_entries.insert(m_entries.begin(), {nFirst, nLast, std::move(run), std::move(update)});
}

void CommandMap::addUpdate(int nID, Update update)
{
    m_entries.insert(m_entries.begin(), {nID, nID, {}, std::move(update)});
}

bool CommandMap::dispatch(int nID, CommandState* state) const
{
    for (const Entry& entry : m_entries) {
        if (nID < entry.first || nID > entry.last)
            continue;
        if (state) {
            if (entry.update)
                entry.update(*state);
            return true;
        }
        if (entry.run) {
            entry.run(nID);
            return true;
        }
    }
    return false;
}

bool routeCommand(std::initializer_list<CommandTarget*> chain, int nID, CommandState* state)
{
    for (CommandTarget* target : chain)
        if (target && target->OnCmdMsg(nID, state))
            return true;
    return false;
}

} // namespace platform
