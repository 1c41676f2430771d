#include "app/projects/projectpanewnd.h"

#include "app/projects/newprojectdlg.h"
#include "app/projects/openprojectdlg.h"
#include "app/projects/projectids.h"
#include "app/projects/projectpickdlg.h"
#include "app/projects/projectprogram.h"
#include "app/projects/projectresources.h"
#include "platform/hostservices.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "widgara/cmdui.h"

#include <QFileInfo>

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
    // The tree shows the project the program works on (the one worked on
    // last, after a restart).
    const ProjectProgram* app = ProjectProgram::instance();
    const QString project = app ? app->currentProjectFolder() : QString();
    if (m_wndProjectTree.projectFolder().isEmpty() && QFileInfo(project).isDir())
        m_wndProjectTree.SetProjectFolder(project);
    else
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
    if (ProjectProgram* app = ProjectProgram::instance()) {
        app->addRecentProject(m_wndProjectTree.projectFolder());
        app->setCurrentProjectFolder(m_wndProjectTree.projectFolder());
    }
}

void CProjectPaneWnd::openRecentProject(const QString& folder)
{
    if (QFileInfo(folder).isDir()) {
        m_wndProjectTree.SetProjectFolder(folder);
        return;
    }
    platform::showMessage(QStringLiteral("工程目录“%1”不存在，已从最近的工程中删除。").arg(folder),
                          platform::MessageIcon::Warning);
    ProjectProgram* app = ProjectProgram::instance();
    platform::RecentFileList* list = app ? app->getRecentProjectList() : nullptr;
    const int index = list ? int(list->entries().indexOf(folder)) : -1;
    if (index >= 0) {
        list->Remove(index);
        list->WriteList();
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
        m_wndProjectTree.summarisePicked(dialog.m_picked);
}
