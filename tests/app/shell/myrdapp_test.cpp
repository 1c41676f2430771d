// Start-up and shut-down of the application: the start page or the files
// named, the templates, New, the recent projects and files, the
// application-data folder, the About box.

#include "app/documents/appdata.h"
#include "app/panes/resourceids.h"
#include "app/shell/aboutdlg.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "app/shell/rodostartview.h"
#include "platform/profile.h"
#include "platform/ui/childframe.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "tables/barlist/setuptable.h"
#include "tests/support/recordinghost.h"
#include "widgara/commandbars.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include "tests/app/support/appfixture.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

class App : public test::AppFixture {
protected:
    QString barList(const char* name)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        CVes_SetupTable table;
        EXPECT_EQ(table.SaveFile(path), 1);
        return path;
    }
    std::vector<platform::Document*> documents() { return app->docManager().documents(); }

    QTemporaryDir dir;
};

TEST_F(App, WithoutAFileTheStartPageOpensInAMaximisedWindow)
{
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame* frame = app->mainFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    ASSERT_EQ(documents().size(), 1u);
    platform::Document* start = documents().front();
    EXPECT_EQ(start->GetTitle(), QStringLiteral("开始"));
    EXPECT_EQ(start->GetDocTemplate()->GetResourceID(), IDR_MAINFRAME);
    EXPECT_TRUE(dynamic_cast<CRODOStartView*>(start->views().front()));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("开始 - Rodo表"));
    EXPECT_EQ(CMyRdApp::instance(), app.get());
}

TEST_F(App, TheFourTemplatesAreRegisteredInOrder)
{
    ASSERT_TRUE(app->InitInstance({}));
    const auto& templates = app->docManager().templates();
    ASSERT_EQ(templates.size(), 4u);
    const int ids[] = {IDR_SETUPTYPE, IDR_PROCESSTYPE, IDR_SLTYPE, IDR_MAINFRAME};
    const char* exts[] = {".pld", ".jgd", ".ylb", ""};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(templates[i]->GetResourceID(), ids[i]);
        EXPECT_EQ(templates[i]->GetDocString(platform::DocTemplate::filterExt), QString::fromUtf8(exts[i]));
    }
    EXPECT_EQ(templates[0]->GetDocString(platform::DocTemplate::regFileTypeId), QStringLiteral("rodo.Document"));
    EXPECT_EQ(app->m_pSetUpTemplate, templates[0].get());
}

TEST_F(App, AFileNamedIsOpenedInsteadOfTheStartPage)
{
    const QString path = barList("一层.pld");
    ASSERT_TRUE(app->InitInstance({path}));
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(documents().front()->GetPathName(), path);
    EXPECT_EQ(documents().front()->GetDocTemplate(), app->m_pSetUpTemplate);
    EXPECT_EQ(app->docManager().recentFiles()[0], path);
}

TEST_F(App, AFileThatCannotBeOpenedEndsStartUp)
{
    EXPECT_FALSE(app->InitInstance({dir.filePath(QStringLiteral("没有.pld"))}));
    EXPECT_EQ(host->messageTexts().size(), 1);
}

TEST_F(App, NewOpensAnUntitledBarListBesideTheStartPage)
{
    ASSERT_TRUE(app->InitInstance({}));
    app->OnCmdMsg(ID_FILE_NEW, nullptr);
    ASSERT_EQ(documents().size(), 2u);
    platform::Document* doc = app->docManager().activeDocument();
    EXPECT_EQ(doc->GetDocTemplate(), app->m_pSetUpTemplate);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("翻样任务1"));
    // The main window's New reaches the application.
    app->mainFrame()->OnCommand(ID_FILE_NEW);
    EXPECT_EQ(app->docManager().activeDocument()->GetTitle(), QStringLiteral("翻样任务2"));
}

// Where the open dialog starts: in the project worked on, else in the
// folder new projects are made in.
struct OpenFolderCase {
    const char* what;
    bool project;  // a project is open
    bool projects; // the folder of new projects is set
    const char* expected;
};

void PrintTo(const OpenFolderCase& c, std::ostream* os)
{
    *os << c.what;
}

class OpenDialogFolder : public App, public ::testing::WithParamInterface<OpenFolderCase> {};

TEST_P(OpenDialogFolder, StartsInTheProjectsFolder)
{
    const OpenFolderCase& c = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("工程/滨江花园")));
    ASSERT_TRUE(app->InitInstance({}));
    if (c.project)
        app->m_strCurProject = dir.filePath(QStringLiteral("工程/滨江花园"));
    if (c.projects)
        platform::setProfileValue(QStringLiteral("setting"), QStringLiteral("projectPath"),
                                  dir.filePath(QStringLiteral("工程")));
    QString started = QStringLiteral("(not asked)");
    app->docManager().setFileDialog([&started](bool, const QString&, const QString&, const QString& proposed) {
        started = proposed;
        return QString();
    });
    app->mainFrame()->OnCommand(ID_FILE_OPEN);
    EXPECT_EQ(started, *c.expected ? dir.filePath(QString::fromUtf8(c.expected)) : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenDialogFolder,
    ::testing::Values(OpenFolderCase{"project_open", true, true, "工程/滨江花园"},
                      OpenFolderCase{"no_project", false, true, "工程"},
                      OpenFolderCase{"nothing_known", false, false, ""}));

TEST_F(App, TheRecentProjectsKeepTheTenLatestFirst)
{
    ASSERT_TRUE(app->InitInstance({}));
    for (int i = 1; i <= 12; ++i)
        app->addRecentProject(QStringLiteral("/工程/%1").arg(i));
    app->addRecentProject(QStringLiteral("/工程/5"));
    const auto profile = platform::openProfile();
    const auto entry = [&profile](int n) {
        return profile->value(QStringLiteral("Recent Project List/Project%1").arg(n)).toString();
    };
    EXPECT_EQ(entry(1), QStringLiteral("/工程/5"));
    EXPECT_EQ(entry(2), QStringLiteral("/工程/12"));
    EXPECT_EQ(entry(10), QStringLiteral("/工程/3"));
    EXPECT_FALSE(profile->contains(QStringLiteral("Recent Project List/Project11")));
    EXPECT_EQ(app->getRecentProjectList()->entries().size(), 10);
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_EQ(entry(1), QStringLiteral("/工程/5"));
}

TEST_F(App, ARecentFileThatIsGoneLeavesTheList)
{
    const QString kept = barList("留下.pld");
    const QString gone = barList("删掉.pld");
    ASSERT_TRUE(app->InitInstance({kept, gone}));
    platform::RecentFileList& recent = app->docManager().recentFiles();
    ASSERT_EQ(recent.entries(), (QStringList{gone, kept}));
    app->docManager().CloseAllDocuments();
    ASSERT_TRUE(QFile::remove(gone));
    app->OnCmdMsg(ID_FILE_MRU_FILE1, nullptr);
    EXPECT_EQ(recent.entries(), QStringList{kept});
    platform::CommandState second(ID_FILE_MRU_FILE1 + 1);
    app->OnCmdMsg(second.m_nID, &second);
    EXPECT_FALSE(second.enabled());
}

TEST_F(App, EachMenuOfTheMainWindowOpensWithItsItems)
{
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame* frame = app->mainFrame();
    app->OnFileNew();
    frame->OnCommand(ID_PAGE_FIRST);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    const QString shots = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    int index = 0;
    for (QAction* top : frame->GetCommandBars()->GetMenuBar()->actions()) {
        QMenu* menu = top->menu();
        ASSERT_TRUE(menu);
        const QRect at = frame->GetCommandBars()->GetMenuBar()->actionGeometry(top);
        menu->popup(frame->GetCommandBars()->GetMenuBar()->mapToGlobal(at.bottomLeft()));
        QTest::qWait(50);
        EXPECT_TRUE(menu->isVisible()) << top->text().toStdString();
        EXPECT_GE(menu->actions().size(), 4) << top->text().toStdString();
        if (!shots.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                QDir(shots).filePath(QStringLiteral("menu-%1.png").arg(++index)));
        menu->hide();
    }
}

TEST(AppData, TheFolderIsMadeOnceAndFoundAgain)
{
    const QString first = getAppDataFolder();
    const QString second = getAppDataFolder();
    EXPECT_EQ(first, second);
    EXPECT_TRUE(QFileInfo(first).isDir());
    EXPECT_TRUE(first.endsWith(QStringLiteral("/Rodo")));
    EXPECT_TRUE(first.startsWith(QDir::cleanPath(qEnvironmentVariable("RODO_HOME"))));
    const QString templates = GetSetupTemplateFolder();
    EXPECT_EQ(templates, first + QStringLiteral("/模板/配料单"));
    EXPECT_TRUE(QFileInfo(templates).isDir());
}

TEST_F(App, AboutRunsTheAboutBox)
{
    ASSERT_TRUE(app->InitInstance({}));
    QString shown;
    // Closes the box once it runs, so that a failure cannot leave it open.
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            shown = box->m_version->text();
            box->close();
        }
    });
    app->OnCmdMsg(ID_APP_ABOUT, nullptr);
    EXPECT_EQ(shown, QStringLiteral("版本： v5.0.3"));
}

} // namespace
