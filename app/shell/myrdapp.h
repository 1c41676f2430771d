#pragma once
// The application: start-up and shut-down of the program. It keeps a second
// copy from running (the second hands its files to the first), registers
// the document templates (bar list, processing sheet, quantity sheet, start
// page), makes the main window, opens the files named on the command line
// or the start page, and keeps the list of recently opened projects.
//
// Commands it handles: About (57664), New (57600: a new bar list), Open
// (57601), Print setup (57606), the recent files (57616…).

#include "app/documents/documenthost.h"
#include "app/projects/projectprogram.h"
#include "platform/ui/commandtarget.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/recentfilelist.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class CMainFrame;
class SingleInstance;

namespace platform {
class DialogFitter;
class DocTemplate;
class Document;
} // namespace platform

class CMyRdApp : public QObject, public platform::CommandTarget, public DocumentProgram,
                 public ProjectProgram {
    Q_OBJECT
public:
    using ProjectProgram::kRecentProjects;

    CMyRdApp();
    ~CMyRdApp() override;

    // The application object of the running program, or null.
    static CMyRdApp* instance();

    // Start-up with the command line's file arguments; false when the
    // program is to end at once (another copy runs, the main window could
    // not be made, a file named could not be opened).
    bool InitInstance(const QStringList& files);
    // Writes the recent-project list and the tables library's recent cell
    // values; the answer is the exit code.
    int ExitInstance();

    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }
    platform::DocManager& docManager() override { return m_docManager; }
    QString currentProjectFolder() const override { return m_strCurProject; }
    void setCurrentProjectFolder(const QString& folder) override { m_strCurProject = folder; }
    DocumentHost* mainHost() const override;

    platform::RecentFileList* getRecentProjectList() override { return m_pRecentProjectList.get(); }
    void addRecentProject(const QString& folder) override;

    void OnAppAbout();
    // A new, empty bar list.
    platform::Document* OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    // The project folder worked on: the last one opened, chosen from the
    // recent projects or, at start, the most recent one when it is there.
    QString m_strCurProject;
    // The templates of the three file documents.
    platform::DocTemplate* m_pSetUpTemplate = nullptr;
    platform::DocTemplate* m_pProcessTemplate = nullptr;
    platform::DocTemplate* m_pSLTemplate = nullptr;
    platform::DocTemplate* m_pStartTemplate = nullptr;

private:
    void registerTemplates();
    bool processCommandLine(const QStringList& files);
    // Files handed over by a later copy of the program.
    void openForwardedFiles(const QStringList& files);
    void OnRecentFile(int nID);

    // Every dialog of the program fits the screen it opens on.
    std::unique_ptr<platform::DialogFitter> m_dialogFitter;
    platform::DocManager m_docManager;
    std::unique_ptr<SingleInstance> m_single;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<platform::RecentFileList> m_pRecentProjectList;
    bool m_bLibrariesStarted = false;
};
