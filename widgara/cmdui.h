#pragma once
// What an update handler sees of one command: it enables or disables the
// command and sets its check mark (see platform::CommandState). The command
// bars ask their owner for every command of their toolbars and menus through
// CXTPCommandBarsSite; for a toolbar control the control comes along.

#include "platform/ui/commandtarget.h"

class CXTPControl;

class CCmdUI : public platform::CommandState {
public:
    CCmdUI(int nID, CXTPControl* pControl) : platform::CommandState(nID), m_pOther(pControl) {}

    // The command-bar control being updated, or null for a menu item.
    CXTPControl* m_pOther = nullptr;
};
