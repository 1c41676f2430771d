// The project pane in the running program: the main window's project
// commands reach it, new and open project load the tree and the recent
// projects, the sheet commands without a folder make untitled sheets, and
// the recent projects are written back when the program ends.

#include "app/projects/inputnamedlg.h"
#include "app/projects/newprojectdlg.h"
#include "app/projects/openprojectdlg.h"
#include "app/projects/projectids.h"
#include "app/projects/projectpanewnd.h"
#include "app/projects/projectpickdlg.h"
#include "app/shell/mainframe.h"
#include "app/shell/rodostartview.h"
#include "platform/ui/document.h"
#include "tests/app/support/appfixture.h"
#include "tests/app/support/projectfixture.h"
#include "tests/support/modal.h"
#include "widgara/bcmenu.h"
#include "widgara/cmdui.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

namespace {

class ProjectPane : public test::ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        platform::openProfile()->clear();
        app = std::make_unique<CMyRdApp>();
        ASSERT_TRUE(app->InitInstance({}));
        frame = app->mainFrame();
        pane = dynamic_cast<CProjectPaneWnd*>(frame->projectPaneWindow());
        ASSERT_TRUE(pane);
    }
    void TearDown() override
    {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProjectFixture::TearDown();
    }
    bool enabled(int id)
    {
        CCmdUI ui(id, nullptr);
        frame->OnUpdateCommandUI(&ui);
        return ui.enabled();
    }
    QStringList recent() const { return app->getRecentProjectList()->entries(); }
    CProjectTreeCtrl& paneTree() { return pane->tree(); }

    std::unique_ptr<CMyRdApp> app;
    CMainFrame* frame = nullptr;
    CProjectPaneWnd* pane = nullptr;
};

TEST_F(ProjectPane, TheMainWindowsProjectCommandsAreEnabled)
{
    for (const int id : {ID_PROJECT_NEW, ID_PROJECT_OPEN, ID_PROJECT_PICK_SUMMARY, ID_PROJECT_FOLDER_SUMMARY})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_EQ(paneTree().topLevelItemCount(), 1);
    EXPECT_EQ(pane->clientControl(), &paneTree());
    ASSERT_TRUE(pane->toolBar());
}

TEST_F(ProjectPane, ANewProjectIsShownAndBecomesTheLatestRecentProject)
{
    app->addRecentProject(QStringLiteral("/旧/工程"));
    test::onNextModal<CNewProjectDlg>([this](CNewProjectDlg* dialog) {
        dialog->m_nameEdit->setText(QStringLiteral("新工程"));
        dialog->m_folderEdit->setText(dir.filePath(QStringLiteral("新工程")));
        dialog->m_aboveBox->setValue(2);
        dialog->accept();
    });
    frame->OnCommand(ID_PROJECT_NEW);
    const QString folder = dir.filePath(QStringLiteral("新工程"));
    EXPECT_EQ(paneTree().projectFolder(), folder);
    EXPECT_EQ(app->m_strCurProject, folder);
    EXPECT_EQ(recent(), (QStringList{folder, QStringLiteral("/旧/工程")}));
    ASSERT_EQ(paneTree().rootItem()->childCount(), 1);
    EXPECT_EQ(paneTree().rootItem()->child(0)->text(0), QStringLiteral("新工程"));
}

TEST_F(ProjectPane, ACancelledNewProjectChangesNothing)
{
    test::onNextModal<CNewProjectDlg>([](CNewProjectDlg* dialog) { dialog->reject(); });
    frame->OnCommand(ID_PROJECT_NEW);
    EXPECT_TRUE(paneTree().projectFolder().isEmpty());
    EXPECT_TRUE(recent().isEmpty());
}

TEST_F(ProjectPane, OpenedProjectsKeepTheTenLatestFirstAndAreWrittenBackOnExit)
{
    makeProject();
    for (int i = 1; i <= 11; ++i) {
        const QString folder = dir.filePath(QStringLiteral("工程%1").arg(i));
        QDir().mkpath(folder);
        test::onNextModal<COpenProjectDlg>([folder](COpenProjectDlg* dialog) {
            dialog->m_folderEdit->setText(folder);
            dialog->accept();
        });
        pane->OnCmdMsg(ID_PROJECT_OPEN, nullptr);
    }
    test::onNextModal<COpenProjectDlg>([this](COpenProjectDlg* dialog) {
        dialog->m_folderEdit->setText(root);
        dialog->accept();
    });
    frame->OnCommand(ID_PROJECT_OPEN);
    EXPECT_EQ(paneTree().rootItem()->childCount(), 2);
    const QStringList expected = [this] {
        QStringList list{root};
        for (int i = 11; i >= 3; --i)
            list << dir.filePath(QStringLiteral("工程%1").arg(i));
        return list;
    }();
    EXPECT_EQ(recent(), expected);
    EXPECT_EQ(readRecentProjects(CMyRdApp::kRecentProjects).entries(), expected);
    // What the program holds goes back to the profile when it ends.
    platform::openProfile()->remove(QStringLiteral("Recent Project List"));
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_EQ(readRecentProjects(CMyRdApp::kRecentProjects).entries(), expected);
}

TEST_F(ProjectPane, ARecentProjectChosenInTheMenuIsLoaded)
{
    makeProject();
    app->addRecentProject(root);
    frame->OnCommand(ID_RECENT_PROJECT_FIRST);
    EXPECT_EQ(paneTree().projectFolder(), root);
    EXPECT_EQ(paneTree().rootItem()->childCount(), 2);
    sheet("一号楼/另存.pld");
    frame->OnRefreshProjectFiles();
    EXPECT_EQ(paneTree().rootItem()->child(0)->child(0)->child(1)->text(0), QStringLiteral("另存.pld"));
}

// After a restart: the project worked on last is shown in the tree again,
// and the start page lists it with the file opened last, which it opens.
class ProjectRestart : public ProjectPane {
protected:
    void restart()
    {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app = std::make_unique<CMyRdApp>();
        ASSERT_TRUE(app->InitInstance({}));
        frame = app->mainFrame();
        pane = dynamic_cast<CProjectPaneWnd*>(frame->projectPaneWindow());
        ASSERT_TRUE(pane);
        platform::Document* start = app->docManager().documents().front();
        startPage = dynamic_cast<CRODOStartView*>(start->views().front());
        ASSERT_TRUE(startPage);
    }
    CRODOStartView* startPage = nullptr;
};

TEST_F(ProjectRestart, TheLastProjectAndFileAreThereAgain)
{
    makeProject();
    app->addRecentProject(root);
    ASSERT_TRUE(app->docManager().OpenDocumentFile(at("一号楼/第1层/柱/KZ1.pld")));
    restart();
    EXPECT_EQ(app->m_strCurProject, root);
    EXPECT_EQ(paneTree().projectFolder(), root);
    EXPECT_EQ(paneTree().rootItem()->childCount(), 2);
    const QString page = startPage->toPlainText();
    EXPECT_TRUE(page.contains(QStringLiteral("最近的工程"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("综合楼工程")));
    EXPECT_TRUE(page.contains(QStringLiteral("KZ1.pld")));
    Q_EMIT startPage->anchorClicked(QUrl(QStringLiteral("recent:file/0")));
    ASSERT_EQ(app->docManager().documents().size(), 2u);
    EXPECT_EQ(app->docManager().activeDocument()->GetPathName(), at("一号楼/第1层/柱/KZ1.pld"));
}

TEST_F(ProjectRestart, AProjectGoneSinceLeavesTheTreeEmptyWithoutAWord)
{
    const QString gone = QDir(dir.path()).filePath(QStringLiteral("拆掉的工程"));
    ASSERT_TRUE(QDir().mkpath(gone));
    app->addRecentProject(gone);
    ASSERT_TRUE(QDir(gone).removeRecursively());
    restart();
    EXPECT_TRUE(app->m_strCurProject.isEmpty());
    EXPECT_TRUE(paneTree().projectFolder().isEmpty());
    EXPECT_EQ(paneTree().rootItem()->childCount(), 0);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(ProjectRestart, ARecentProjectChosenOnTheStartPageIsLoaded)
{
    makeProject();
    app->addRecentProject(root);
    restart();
    paneTree().SetProjectFolder(QString());
    Q_EMIT startPage->anchorClicked(QUrl(QStringLiteral("recent:project/0")));
    EXPECT_EQ(paneTree().projectFolder(), root);
}

TEST_F(ProjectPane, AGoneRecentProjectLeavesTheListWithAMessage)
{
    app->addRecentProject(QStringLiteral("/没有/这个工程"));
    app->addRecentProject(root);
    frame->OnCommand(ID_RECENT_PROJECT_FIRST + 1);
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(recent(), QStringList{root});
    EXPECT_EQ(readRecentProjects(CMyRdApp::kRecentProjects).entries(), QStringList{root});
    EXPECT_TRUE(paneTree().projectFolder().isEmpty());
}

TEST_F(ProjectPane, RenamingTheBuildingOfANewProjectRenamesTheProjectFolder)
{
    test::onNextModal<CNewProjectDlg>([this](CNewProjectDlg* dialog) {
        dialog->m_nameEdit->setText(QStringLiteral("甲楼"));
        dialog->m_folderEdit->setText(dir.filePath(QStringLiteral("甲楼")));
        dialog->accept();
    });
    frame->OnCommand(ID_PROJECT_NEW);
    app->addRecentProject(QStringLiteral("/别的/工程"));
    const QString before = dir.filePath(QStringLiteral("甲楼"));
    const QString after = dir.filePath(QStringLiteral("乙楼"));
    ASSERT_EQ(recent(), (QStringList{QStringLiteral("/别的/工程"), before}));
    paneTree().setCurrentTreeItem(paneTree().rootItem()->child(0));
    host->script({platform::Answer::Yes});
    test::onNextModal<CInputNameDlg>([](CInputNameDlg* dialog) {
        dialog->m_edit->setText(QStringLiteral("乙楼"));
        dialog->accept();
    });
    pane->OnCommand(ID_PROJECT_RENAME);
    EXPECT_TRUE(QFileInfo(after + QStringLiteral("/第1层/柱")).isDir());
    EXPECT_FALSE(QFileInfo::exists(before));
    EXPECT_EQ(paneTree().projectFolder(), after);
    EXPECT_EQ(app->m_strCurProject, after);
    // The renamed project keeps its place in the recent projects.
    EXPECT_EQ(recent(), (QStringList{QStringLiteral("/别的/工程"), after}));
    EXPECT_EQ(readRecentProjects(CMyRdApp::kRecentProjects).entries(), recent());
    CVes_ProjectInfo project;
    ASSERT_TRUE(project.readFile(after + QStringLiteral("/projectinfo.xml")));
    ASSERT_EQ(project.buildingCount(), 1);
    EXPECT_EQ(project.building(0)->name(), QStringLiteral("乙楼"));
    EXPECT_EQ(project.building(0)->folder(), after);
    paneTree().LoadProject();
    EXPECT_EQ(paneTree().rootItem()->child(0)->text(0), QStringLiteral("乙楼"));
    EXPECT_EQ(paneTree().GetItemFolder(paneTree().rootItem()->child(0)), after);
}

TEST_F(ProjectPane, SheetCommandsWithoutAFolderMakeUntitledSheets)
{
    const size_t before = app->docManager().documents().size();
    paneTree().setCurrentTreeItem(nullptr);
    pane->OnCommand(ID_PROJECT_NEW_BARLIST);
    paneTree().setCurrentTreeItem(paneTree().rootItem());
    pane->OnCommand(ID_PROJECT_NEW_QUANTITY);
    ASSERT_EQ(app->docManager().documents().size(), before + 2);
    EXPECT_EQ(app->docManager().activeDocument()->GetDocTemplate(), app->m_pSLTemplate);
    EXPECT_TRUE(app->docManager().activeDocument()->GetPathName().isEmpty());
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(ProjectPane, TheEditCommandsFollowTheTree)
{
    makeProject();
    pane->openProject(root);
    const auto state = [this](int id) {
        CCmdUI ui(id, nullptr);
        pane->OnUpdateCommandUI(&ui);
        return ui.enabled();
    };
    paneTree().setCurrentTreeItem(nullptr);
    for (const int id : {ID_PROJECT_DELETE, ID_PROJECT_RENAME, ID_PROJECT_COPY, ID_PROJECT_CUT, ID_PROJECT_PASTE})
        EXPECT_FALSE(state(id)) << id;
    EXPECT_TRUE(state(ID_PROJECT_NEW_BARLIST));
    paneTree().setCurrentTreeItem(paneTree().rootItem()->child(0)->child(1));
    EXPECT_TRUE(state(ID_PROJECT_COPY));
    EXPECT_FALSE(state(ID_PROJECT_PASTE));
    pane->OnCommand(ID_PROJECT_COPY);
    paneTree().setCurrentTreeItem(paneTree().rootItem()->child(1));
    EXPECT_TRUE(state(ID_PROJECT_PASTE));
}

TEST_F(ProjectPane, ACancelledPickCreatesNothing)
{
    makeProject();
    pane->openProject(root);
    const QStringList before = onDisk();
    const size_t documents = app->docManager().documents().size();
    test::onNextModal<CProjectPickDlg>([](CProjectPickDlg* dialog) {
        dialog->tree().rootItem()->setCheckState(0, Qt::Checked);
        dialog->reject();
    });
    frame->OnCommand(ID_PROJECT_PICK_SUMMARY);
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(app->docManager().documents().size(), documents);

    host->setNow(QDateTime(QDate(2024, 3, 4), QTime(5, 6)));
    test::onNextModal<CProjectPickDlg>([](CProjectPickDlg* dialog) {
        dialog->tree().rootItem()->child(1)->setCheckState(0, Qt::Checked);
        dialog->accept();
    });
    frame->OnCommand(ID_PROJECT_PICK_SUMMARY);
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/选择汇总_钢筋用量汇总_2024年03月04日05时06分.ylb")));
}

// The main window with a project of two buildings in the project pane.
TEST_F(ProjectPane, ShowsAProjectOfTwoBuildings)
{
    makeProject();
    pane->openProject(root);
    paneTree().expandAll();
    paneTree().setCurrentTreeItem(paneTree().rootItem()->child(0)->child(2)->child(1));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(paneTree().isVisible());
    const QString shots = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QTest::qWait(200);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(shots).filePath(QStringLiteral("mainframe-project.png")));
        pane->grab().save(QDir(shots).filePath(QStringLiteral("project-pane.png")));
        // The context menu of a storey, with a sheet held for pasting.
        QTreeWidgetItem* storey = paneTree().rootItem()->child(0)->child(2);
        paneTree().setCurrentTreeItem(storey->child(1)->child(0)->child(0));
        paneTree().OnCopyItem();
        paneTree().setCurrentTreeItem(storey);
        const std::unique_ptr<BCMenu> menu = paneTree().buildContextMenu(storey);
        const QRect at = paneTree().visualItemRect(storey);
        menu->menu()->popup(paneTree().viewport()->mapToGlobal(at.center()));
        QTest::qWait(200);
        QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, 600, 700).save(
            QDir(shots).filePath(QStringLiteral("context-menu.png")));
        menu->menu()->hide();
    }
}

} // namespace
