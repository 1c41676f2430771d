#pragma once
// The project pane: the window of the main frame's docking pane "工程管理",
// a toolbar over the project tree. It owns the project commands: new and
// open project, the summary of picked parts, and passes the tree's own
// commands to the tree (or, without a current item, makes an untitled
// sheet).

#include "app/panes/toolbarpanewnd.h"
#include "app/projects/projecttreectrl.h"
#include "platform/ui/commandtarget.h"

class CMainFrame;

class CProjectPaneWnd : public CToolBarPaneWnd, public platform::CommandTarget {
    Q_OBJECT
public:
    CProjectPaneWnd();
    ~CProjectPaneWnd() override;

    CProjectTreeCtrl& tree() { return m_wndProjectTree; }

    // Shows `folder` in the tree, puts it at the head of the recent
    // projects and makes it the current project.
    void openProject(const QString& folder);
    // A project chosen from the recent projects of the menu: shown in the
    // tree, or, when its folder is gone, taken off the list with a message.
    void openRecentProject(const QString& folder);

    void OnNewProject();
    void OnOpenProject();
    void OnPickSummary();

    // CXTPCommandBarsSite: the toolbar's commands.
    void OnCommand(int nID) override;
    void OnUpdateCommandUI(CCmdUI* pCmdUI) override;

protected:
    QWidget* CreateClientControl() override;

private:
    void buildCommandMap();
    // A new untitled sheet of the template (the sheet commands without a
    // folder to make it in).
    void newUntitled(int templateId);

    CProjectTreeCtrl m_wndProjectTree;
};
