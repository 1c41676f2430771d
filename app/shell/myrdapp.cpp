#include "app/shell/myrdapp.h"

#include "app/documents/setupdoc.h"
#include "app/documents/sharedfiles.h"
#include "app/panes/resourceids.h"
#include "app/projects/projectpanewnd.h"
#include "app/shell/aboutdlg.h"
#include "app/shell/childframe.h"
#include "app/shell/filetemplates.h"
#include "app/shell/mainframe.h"
#include "app/shell/rodostartdoc.h"
#include "app/shell/rodostartview.h"
#include "app/shell/singleinstance.h"
#include "app/views/sheetviewfactory.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "platform/ui/dialogfit.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "platform/ui/printsetup.h"
#include "tables/framework/tableslibrary.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

namespace {

CMyRdApp* g_app = nullptr;

// Gives the main window's project pane its window, connected to the
// window's recent projects and saved documents.
void registerProjectPane()
{
    CMainFrame::setPaneWindowFactory(IDP_PROJECT, [](CMainFrame* frame) -> QWidget* {
        auto* pane = new CProjectPaneWnd;
        pane->createPaneWindow(frame);
        QObject::connect(frame, &CMainFrame::recentProjectChosen, pane, &CProjectPaneWnd::openRecentProject);
        QObject::connect(frame, &CMainFrame::projectFilesChanged, &pane->tree(),
                         &CProjectTreeCtrl::RefreshProjectFiles);
        return pane;
    });
}

} // namespace

CMyRdApp::CMyRdApp() : m_dialogFitter(std::make_unique<platform::DialogFitter>())
{
    g_app = this;
    qApp->installEventFilter(m_dialogFitter.get());
    platform::setProjectFolderSource([this] { return m_strCurProject; });
    DocumentProgram::install(this);
    ProjectProgram::install(this);
    commandMap().add(ID_APP_ABOUT, [this] { OnAppAbout(); });
    commandMap().add(ID_FILE_NEW, [this] { OnFileNew(); });
    commandMap().add(ID_FILE_OPEN, [this] { OnFileOpen(); });
    commandMap().add(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    commandMap().addRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + platform::DocManager::kRecentFiles - 1,
                          [this](int id) { OnRecentFile(id); },
                          [this](platform::CommandState& s) {
                              s.Enable(!m_docManager.recentFiles()[s.m_nID - ID_FILE_MRU_FILE1].isEmpty());
                          });
}

CMyRdApp::~CMyRdApp()
{
    // The main window goes before the documents it shows.
    m_pMainWnd.reset();
    if (g_app == this) {
        g_app = nullptr;
        DocumentProgram::install(nullptr);
        ProjectProgram::install(nullptr);
        platform::setProjectFolderSource({});
    }
}

DocumentHost* CMyRdApp::mainHost() const
{
    return m_pMainWnd.get();
}

CMyRdApp* CMyRdApp::instance()
{
    return g_app;
}

bool CMyRdApp::InitInstance(const QStringList& files)
{
    QStringList absolute;
    for (const QString& file : files)
        absolute << QFileInfo(file).absoluteFilePath();
    m_single = std::make_unique<SingleInstance>();
    if (!m_single->claim(absolute))
        return false;
    connect(m_single.get(), &SingleInstance::filesReceived, this, &CMyRdApp::openForwardedFiles);
    CXTPWinDwmWrapper::SetProcessDPIAware();
    m_bLibrariesStarted = tablesLibraryInit();

    registerTemplates();
    installSheetViews();
    registerProjectPane();
    m_pRecentProjectList = std::make_unique<platform::RecentFileList>(readRecentProjects(kRecentProjects));
    // The project worked on last opens again in the project pane.
    if (const QString last = (*m_pRecentProjectList)[0]; QFileInfo(last).isDir())
        m_strCurProject = last;
    m_pMainWnd = std::make_unique<CMainFrame>(&m_docManager, this);
    if (!m_pMainWnd->LoadFrame())
        return false;
    if (!processCommandLine(absolute))
        return false;
    // Where no window manager maximises windows, the window still takes
    // the whole screen.
    if (const QScreen* screen = m_pMainWnd->screen())
        m_pMainWnd->setGeometry(screen->availableGeometry());
    m_pMainWnd->showMaximized();
    // New bar lists that a run which ended without closing them auto-saved.
    CRODOSetUpDoc::offerLeftAutoSaves(*m_pSetUpTemplate);
    // What every document reads besides its own file.
    reportDamagedSharedFiles();
    return true;
}

void CMyRdApp::registerTemplates()
{
    m_pSetUpTemplate = m_docManager.AddDocTemplate(createSetUpTemplate());
    m_pProcessTemplate = m_docManager.AddDocTemplate(createProcessTemplate());
    m_pSLTemplate = m_docManager.AddDocTemplate(createSLTemplate());
    m_pStartTemplate = m_docManager.AddDocTemplate(std::make_unique<platform::DocTemplate>(
        IDR_MAINFRAME, QStringLiteral("Rodo表\n开始"),
        [] { return std::make_unique<CRODOStartDoc>(); }, [] { return new CChildFrame; },
        [](QWidget* parent) { return new CRODOStartView(parent); }));
}

bool CMyRdApp::processCommandLine(const QStringList& files)
{
    if (files.isEmpty()) {
        platform::Document* start = m_pStartTemplate->OpenDocumentFile(QString());
        if (!start)
            return false;
        start->SetTitle(QStringLiteral("开始"));
        return true;
    }
    bool opened = false;
    for (const QString& file : files)
        opened = m_docManager.OpenDocumentFile(file) != nullptr || opened;
    return opened;
}

void CMyRdApp::openForwardedFiles(const QStringList& files)
{
    if (!m_pMainWnd)
        return;
    if (m_pMainWnd->isMinimized())
        m_pMainWnd->showMaximized();
    m_pMainWnd->raise();
    m_pMainWnd->activateWindow();
    for (const QString& file : files)
        m_docManager.OpenDocumentFile(file);
}

int CMyRdApp::ExitInstance()
{
    if (m_pRecentProjectList)
        m_pRecentProjectList->WriteList();
    if (m_bLibrariesStarted)
        tablesLibraryShutdown();
    m_bLibrariesStarted = false;
    return 0;
}

void CMyRdApp::addRecentProject(const QString& folder)
{
    if (!m_pRecentProjectList)
        return;
    m_pRecentProjectList->Add(folder);
    m_pRecentProjectList->WriteList();
}

void CMyRdApp::OnAppAbout()
{
    CAboutDlg(m_pMainWnd.get()).DoModal();
}

platform::Document* CMyRdApp::OnFileNew()
{
    return m_pSetUpTemplate ? m_pSetUpTemplate->OpenDocumentFile(QString()) : nullptr;
}

void CMyRdApp::OnFileOpen()
{
    // The dialog starts in the project worked on, else where new projects
    // are made.
    QString folder = m_strCurProject;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = platform::profileValue(QStringLiteral("setting"), QStringLiteral("projectPath")).toString();
    m_docManager.OnFileOpen(QFileInfo(folder).isDir() ? folder : QString());
}

void CMyRdApp::OnFilePrintSetup()
{
    platform::runPrintSetupDialog(m_pMainWnd.get());
}

void CMyRdApp::OnRecentFile(int nID)
{
    platform::RecentFileList& recent = m_docManager.recentFiles();
    const int index = nID - ID_FILE_MRU_FILE1;
    const QString path = recent[index];
    if (path.isEmpty())
        return;
    // A file that cannot be opened any more leaves the list.
    if (!m_docManager.OpenDocumentFile(path)) {
        recent.Remove(index);
        recent.WriteList();
    }
}
