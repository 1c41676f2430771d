#pragma once
// What an update handler sees of one command: it enables or disables the
// command and sets its check mark. The command bars ask their owner for every
// command of their toolbars and menus through CXTPCommandBarsSite.

class CXTPControl;

class CCmdUI {
public:
    CCmdUI(int nID, CXTPControl* pControl) : m_nID(nID), m_pOther(pControl) {}

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(int nCheck = 1)
    {
        m_nCheck = nCheck;
        m_bCheckSet = true;
    }

    bool enabled() const { return m_bEnabled; }
    int checked() const { return m_nCheck; }
    // Whether the handler set the check mark (otherwise it stays as it was).
    bool checkSet() const { return m_bCheckSet; }

    int m_nID = 0;
    // The command-bar control being updated, or null for a menu item.
    CXTPControl* m_pOther = nullptr;

private:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bCheckSet = false;
};
