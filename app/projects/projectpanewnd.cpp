#include "app/projects/projectpanewnd.h"

#include "app/projects/newprojectdlg.h"
#include "app/projects/openprojectdlg.h"
#include "app/projects/projectids.h"
#include "app/projects/projectpickdlg.h"
#include "app/projects/projectresources.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "widgara/cmdui.h"

namespace {

struct Forwarded {
    int id;
    int untitledTemplate;  // without a folder to work in: a new untitled sheet (0: nothing)
    bool followsTree;      // enabled as the tree says (otherwise always)
};

// The tree's commands the pane passes on.
constexpr Forwarded kForwarded[] = {
    {ID_PROJECT_NEW_BARLIST, IDR_SETUPTYPE, false}, {ID_PROJECT_NEW_PROCESS, IDR_PROCESSTYPE, false},
    {ID_PROJECT_NEW_QUANTITY, IDR_SLTYPE, false},   {ID_PROJECT_NEW_STOREY, 0, false},
    {ID_PROJECT_NEW_ELEMENT_TYPE, 0, false},        {ID_PROJECT_FOLDER_SUMMARY, 0, false},
    {ID_PROJECT_DELETE, 0, true},                   {ID_PROJECT_RENAME, 0, true},
    {ID_PROJECT_COPY, 0, true},                     {ID_PROJECT_PASTE, 0, true},
    {ID_PROJECT_CUT, 0, true},
};

} // namespace

CProjectPaneWnd::CProjectPaneWnd() : CToolBarPaneWnd(IDR_PROJECT_TOOLBAR)
{
    setObjectName(QStringLiteral("ProjectPane"));
    registerProjectResources();
    m_wndProjectTree.setParent(this);
    m_wndProjectTree.hide();
    buildCommandMap();
}

CProjectPaneWnd::~CProjectPaneWnd() = default;

QWidget* CProjectPaneWnd::CreateClientControl()
{
    m_wndProjectTree.show();
    m_wndProjectTree.LoadProject();
    return &m_wndProjectTree;
}

void CProjectPaneWnd::buildCommandMap()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_PROJECT_NEW, [this] { OnNewProject(); });
    map.add(ID_PROJECT_OPEN, [this] { OnOpenProject(); });
    map.add(ID_PROJECT_PICK_SUMMARY, [this] { OnPickSummary(); });
    for (const Forwarded& f : kForwarded) {
        map.add(f.id, [this, f] {
            const bool hasFolder = m_wndProjectTree.currentTreeItem()
                                   && !m_wndProjectTree.GetItemFolder(m_wndProjectTree.currentTreeItem()).isEmpty();
            if (f.untitledTemplate != 0 && !hasFolder)
                newUntitled(f.untitledTemplate);
            else if (m_wndProjectTree.currentTreeItem())
                m_wndProjectTree.OnCmdMsg(f.id, nullptr);
        }, [this, f](platform::CommandState& s) {
            if (f.followsTree && !m_wndProjectTree.OnCmdMsg(f.id, &s))
                s.Enable(false);
        });
    }
}

void CProjectPaneWnd::OnCommand(int nID)
{
    OnCmdMsg(nID, nullptr);
}

void CProjectPaneWnd::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    if (!OnCmdMsg(pCmdUI->m_nID, pCmdUI))
        pCmdUI->Enable(false);
}

void CProjectPaneWnd::newUntitled(int templateId)
{
    platform::DocManager* manager = m_wndProjectTree.docManager();
    if (platform::DocTemplate* docTemplate = manager ? manager->findTemplate(templateId) : nullptr)
        docTemplate->OpenDocumentFile(QString());
}

void CProjectPaneWnd::openProject(const QString& folder)
{
    m_wndProjectTree.SetProjectFolder(folder);
    if (CMyRdApp* app = CMyRdApp::instance()) {
        app->addRecentProject(m_wndProjectTree.projectFolder());
        app->m_strCurProject = m_wndProjectTree.projectFolder();
    }
}

void CProjectPaneWnd::OnNewProject()
{
    CNewProjectDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        openProject(dialog.m_strFolder);
}

void CProjectPaneWnd::OnOpenProject()
{
    COpenProjectDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        openProject(dialog.m_strProjectFolder);
}

void CProjectPaneWnd::OnPickSummary()
{
    CProjectPickDlg dialog(this);
    dialog.m_strProjectFolder = m_wndProjectTree.projectFolder();
    if (dialog.exec() == QDialog::Accepted)
        m_wndProjectTree.summarisePicked(dialog.m_paths);
}

void registerProjectPane()
{
    CMainFrame::setPaneWindowFactory(IDP_PROJECT, [](CMainFrame* frame) -> QWidget* {
        auto* pane = new CProjectPaneWnd;
        pane->createPaneWindow(frame);
        CProjectTreeCtrl* tree = &pane->tree();
        QObject::connect(frame, &CMainFrame::recentProjectChosen, tree, &CProjectTreeCtrl::SetProjectFolder);
        QObject::connect(frame, &CMainFrame::projectFilesChanged, tree, &CProjectTreeCtrl::RefreshProjectFiles);
        return pane;
    });
}
