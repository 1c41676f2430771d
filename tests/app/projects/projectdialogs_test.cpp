// The project dialogs: the name dialog, the new-project dialog with its
// storey grid and the project it makes on disk, the open-project dialog with
// the recent projects, the pick dialog, and the recent-project menu entries.

#include "app/projects/inputnamedlg.h"
#include "app/projects/newprojectdlg.h"
#include "app/projects/openprojectdlg.h"
#include "app/projects/projectpickdlg.h"
#include "app/projects/rodocontrolrecentprojectlist.h"
#include "app/shell/myrdapp.h"
#include "grid/gridcellcheck.h"
#include "grid/gridctrl.h"
#include "platform/profile.h"
#include "tests/app/support/projectfixture.h"
#include "widgara/controlpopup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

namespace {

// name dialog

TEST(InputNameDlg, ShowsItsCheckBoxOnlyWithACaption)
{
    CInputNameDlg plain;
    plain.SetTitle(QStringLiteral("输入施工部位名称"));
    plain.show();
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("输入施工部位名称"));
    EXPECT_FALSE(plain.m_check->isVisible());

    CInputNameDlg withBox;
    withBox.SetText(QStringLiteral("KZ1.pld"));
    withBox.SetCheckCaption(QStringLiteral("同时在施工部位处自动填写"));
    withBox.SetCheck(1);
    withBox.SetTitle(QStringLiteral("输入新的名称"));
    withBox.show();
    test::saveShot(withBox, "inputname");
    EXPECT_TRUE(withBox.m_check->isVisible());
    EXPECT_EQ(withBox.m_check->text(), QStringLiteral("同时在施工部位处自动填写"));
    EXPECT_EQ(withBox.m_edit->text(), QStringLiteral("KZ1.pld"));
    withBox.m_edit->setText(QStringLiteral("KZ2"));
    withBox.m_check->setChecked(false);
    withBox.accept();
    EXPECT_EQ(withBox.GetText(), QStringLiteral("KZ2"));
    EXPECT_EQ(withBox.GetCheck(), 0);
}

// new project

class NewProject : public test::ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        platform::openProfile()->clear();
        platform::setProfileValue(QStringLiteral("setting"), QStringLiteral("projectPath"), dir.path());
        dialog = std::make_unique<CNewProjectDlg>();
    }
    void TearDown() override
    {
        dialog.reset();
        ProjectFixture::TearDown();
    }
    QStringList rows() const
    {
        QStringList lines;
        CGridCtrl* grid = dialog->m_grid;
        for (int r = 1; r < grid->GetRowCount(); ++r) {
            QString line = grid->GetItemText(r, 0) + u' ' + grid->GetItemText(r, 1) + u' ';
            for (int c = CNewProjectDlg::kFirstElementColumn; c < CNewProjectDlg::kColumnCount; ++c) {
                const auto* check = dynamic_cast<CGridCellCheck*>(grid->GetCell(r, c));
                line += !check ? u'-' : check->GetCheck() ? u'x' : u'o';
            }
            lines << line;
        }
        return lines;
    }
    void fill(const char* name)
    {
        dialog->m_nameEdit->setText(QString::fromUtf8(name));
        dialog->m_companyEdit->setText(QStringLiteral("第一建筑公司"));
        dialog->m_compilerEdit->setText(QStringLiteral("王五"));
        dialog->m_checkerEdit->setText(QStringLiteral("赵六"));
    }

    std::unique_ptr<CNewProjectDlg> dialog;
};

TEST_F(NewProject, StartsWithTheDefaultsAndTheBaseFolder)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("新建工程"));
    EXPECT_EQ(dialog->m_folderEdit->text(), dir.path() + u'/');
    EXPECT_TRUE(dialog->m_foundationBox->isChecked());
    EXPECT_TRUE(dialog->m_makeFoldersBox->isChecked());
    EXPECT_EQ(dialog->m_belowBox->value(), 1);
    EXPECT_EQ(dialog->m_aboveBox->value(), 6);
    CGridCtrl* grid = dialog->m_grid;
    EXPECT_EQ(grid->GetColumnCount(), 8);
    EXPECT_EQ(grid->GetFixedRowCount(), 1);
    EXPECT_EQ(grid->GetFixedColumnCount(), 1);
    QStringList header;
    for (int c = 0; c < 8; ++c)
        header << grid->GetItemText(0, c);
    EXPECT_EQ(header.join(u','), QStringLiteral("序号,施工部位,柱,墙,梁,板,楼梯,基础"));
    fill("综合楼");
    EXPECT_EQ(dialog->m_folderEdit->text(), dir.filePath(QStringLiteral("综合楼")));
    test::saveShot(*dialog, "newproject");
}

struct RowsCase {
    bool foundation;
    int below;
    int above;
    const char* rows;  // "|"-separated: number, storey, cells (x ticked, o unticked, - none)
};

class StoreyRows : public NewProject, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(StoreyRows, FollowTheFoundationAndTheFloorCounts)
{
    dialog->m_foundationBox->setChecked(GetParam().foundation);
    dialog->m_belowBox->setValue(GetParam().below);
    dialog->m_aboveBox->setValue(GetParam().above);
    EXPECT_EQ(rows().join(u'|'), QString::fromUtf8(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(
    NewProject, StoreyRows,
    ::testing::Values(
        RowsCase{true, 1, 6,
                 "1 基础层 ooooox|2 第-1层 xxxxx-|3 第1层 xxxxx-|4 第2层 xxxxx-|5 第3层 xxxxx-|6 第4层 xxxxx-|"
                 "7 第5层 xxxxx-|8 第6层 xxxxx-"},
        RowsCase{false, 0, 3, "1 第1层 xxxxx-|2 第2层 xxxxx-|3 第3层 xxxxx-"},
        RowsCase{true, 2, 0, "1 基础层 ooooox|2 第-2层 xxxxx-|3 第-1层 xxxxx-"},
        RowsCase{false, 0, 0, ""}));

TEST_F(NewProject, RowsAreInsertedAndDeletedAtTheClickedRow)
{
    dialog->m_aboveBox->setValue(1);  // 基础层, 第-1层, 第1层
    dialog->OnGridClick(2, 1);
    dialog->OnInsertRow();
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1 基础层 ooooox"), QStringLiteral("2  xxxxx-"),
                                   QStringLiteral("3 第-1层 xxxxx-"), QStringLiteral("4 第1层 xxxxx-")}));
    dialog->OnGridClick(1, 1);
    dialog->OnDeleteRow();
    dialog->OnDeleteRow();  // the click was used up
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(rows().first(), QStringLiteral("1  xxxxx-"));
    for (int i = 0; i < 3; ++i) {
        dialog->OnGridClick(1, 0);
        dialog->OnDeleteRow();
    }
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(dialog->m_grid->GetRowCount(), 1);
    dialog->OnGridClick(-1, -1);
    dialog->OnInsertRow();
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1  xxxxx-")});
}

TEST_F(NewProject, OkMakesTheFoldersAndBothProjectFiles)
{
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->m_aboveBox->setValue(2);
    fill("");
    for (const QChar c : QStringLiteral("综合楼"))
        QTest::sendKeyEvent(QTest::Click, dialog->m_nameEdit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    EXPECT_EQ(dialog->m_folderEdit->text(), dir.filePath(QStringLiteral("综合楼")));
    // The foundation's storey also holds beams: a click on the box ticks it.
    CGridCtrl* grid = dialog->m_grid;
    platform::Rect cell;
    ASSERT_TRUE(grid->GetCellRect(1, 4, &cell));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.toQRect().topLeft() + QPoint(6, 6));
    ASSERT_TRUE(dynamic_cast<CGridCellCheck*>(grid->GetCell(1, 4))->GetCheck());
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const QString folder = dir.filePath(QStringLiteral("综合楼"));
    EXPECT_EQ(dialog->m_strFolder, folder);
    root = folder;
    EXPECT_EQ(onDisk(), (QStringList{QStringLiteral("buildinginfo.xml"), QStringLiteral("projectinfo.xml"),
                                     QStringLiteral("基础层"), QStringLiteral("基础层/基础"), QStringLiteral("基础层/梁"),
                                     QStringLiteral("第-1层"), QStringLiteral("第-1层/墙"), QStringLiteral("第-1层/板"),
                                     QStringLiteral("第-1层/柱"), QStringLiteral("第-1层/梁"), QStringLiteral("第-1层/楼梯"),
                                     QStringLiteral("第1层"), QStringLiteral("第1层/墙"), QStringLiteral("第1层/板"),
                                     QStringLiteral("第1层/柱"), QStringLiteral("第1层/梁"), QStringLiteral("第1层/楼梯"),
                                     QStringLiteral("第2层"), QStringLiteral("第2层/墙"), QStringLiteral("第2层/板"),
                                     QStringLiteral("第2层/柱"), QStringLiteral("第2层/梁"), QStringLiteral("第2层/楼梯")}));
    CVes_ProjectInfo project;
    ASSERT_TRUE(project.readFile(at("projectinfo.xml")));
    ASSERT_EQ(project.buildingCount(), 1);
    EXPECT_EQ(project.building(0)->name(), QStringLiteral("综合楼"));
    EXPECT_EQ(project.building(0)->folder(), folder);
    CVes_BuildingInfo building;
    ASSERT_TRUE(building.readFile(at("buildinginfo.xml")));
    EXPECT_EQ(building.company(), QStringLiteral("第一建筑公司"));
    EXPECT_EQ(building.preparer(), QStringLiteral("王五"));
    EXPECT_EQ(building.checker(), QStringLiteral("赵六"));
    EXPECT_EQ(building.flag(), 1);
    EXPECT_EQ(storeysOnDisk(""), (QStringList{QStringLiteral("基础层: 梁,基础"), QStringLiteral("第-1层: 柱,墙,梁,板,楼梯"),
                                              QStringLiteral("第1层: 柱,墙,梁,板,楼梯"),
                                              QStringLiteral("第2层: 柱,墙,梁,板,楼梯")}));
    // The tree loads the project made.
    tree.SetProjectFolder(folder);
    EXPECT_TRUE(item({"综合楼", "第-1层", "楼梯"}));
}

TEST_F(NewProject, WithoutBatchFoldersOnlyTheProjectFolderIsMade)
{
    fill("单体");
    dialog->m_makeFoldersBox->setChecked(false);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    root = dir.filePath(QStringLiteral("单体"));
    EXPECT_EQ(onDisk(), (QStringList{QStringLiteral("buildinginfo.xml"), QStringLiteral("projectinfo.xml")}));
    EXPECT_TRUE(storeysOnDisk("").isEmpty());
}

TEST_F(NewProject, AFolderHoldingAProjectIsNeverOverwritten)
{
    makeProject();
    const QString project = text("projectinfo.xml");
    fill("综合楼工程");
    ASSERT_EQ(dialog->m_folderEdit->text(), root);
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(text("projectinfo.xml"), project);
    // A building's file alone counts as a project too.
    dialog->m_folderEdit->setText(at("一号楼"));
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(QFileInfo::exists(at("一号楼/projectinfo.xml")));
    EXPECT_EQ(storeysOnDisk("一号楼").size(), 2);
}

struct RefusalCase {
    const char* name;
    const char* folder;  // null: as the name gives it
    const char* storey;  // typed into the first row; null: as it is
    const char* message;
};

class NewProjectRefused : public NewProject, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(NewProjectRefused, StaysOpenAndMakesNothing)
{
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    fill(GetParam().name);
    if (GetParam().folder)
        dialog->m_folderEdit->setText(QString::fromUtf8(GetParam().folder));
    if (GetParam().storey)
        dialog->m_grid->SetItemText(1, 1, QString::fromUtf8(GetParam().storey));
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages()[0].text.contains(QString::fromUtf8(GetParam().message)))
        << host->messages()[0].text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    NewProject, NewProjectRefused,
    ::testing::Values(RefusalCase{"", nullptr, nullptr, "工程名称不能为空！"},
                      RefusalCase{"   ", nullptr, nullptr, "工程名称不能为空！"},
                      RefusalCase{"综合楼", "  ", nullptr, "保存目录名称不能为空！"},
                      RefusalCase{"../x", nullptr, nullptr, "不能用作文件或目录的名称"},
                      RefusalCase{"a/b", nullptr, nullptr, "不能用作文件或目录的名称"},
                      RefusalCase{"综合楼", "相对/目录", nullptr, "不是完整的路径"},
                      RefusalCase{"综合楼", nullptr, "../x", "不能用作文件或目录的名称"},
                      RefusalCase{"综合楼", nullptr, "第-1层", "施工部位“第-1层”重复"}));

TEST_F(NewProject, AFolderThatCannotBeMadeKeepsTheDialogOpen)
{
    fill("综合楼");
    dialog->m_folderEdit->setText(dir.filePath(QStringLiteral("没有/综合楼")));
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("没有"))));
}

TEST_F(NewProject, TheDefaultFolderIsStoredForTheNextProject)
{
    fill("综合楼");
    dialog->m_folderEdit->setText(dir.filePath(QStringLiteral("工程/综合楼")));
    dialog->OnSetDefaultFolder();
    const QString base = dir.filePath(QStringLiteral("工程"));
    EXPECT_EQ(platform::profileValue(QStringLiteral("setting"), QStringLiteral("projectPath")).toString(), base);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("[ %1 ] 已设为您的默认Rodo表工作目录").arg(base)});
    CNewProjectDlg next;
    EXPECT_EQ(next.m_strBaseFolder, base);
}

// open project

class OpenProject : public test::ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        platform::openProfile()->clear();
        platform::RecentFileList list = readRecentProjects(CMyRdApp::kRecentProjects);
        for (const char* folder : {"/旧/工程", "/工程/甲", "/工程/乙"})
            list.Add(QString::fromUtf8(folder));
        list.WriteList();
    }
};

TEST_F(OpenProject, ListsTheRecentProjectsAndTakesTheChosenOne)
{
    COpenProjectDlg dialog;
    ASSERT_EQ(dialog.m_list->count(), 3);
    EXPECT_EQ(dialog.m_list->item(0)->text(), QStringLiteral("/工程/乙"));
    EXPECT_EQ(dialog.m_list->item(2)->text(), QStringLiteral("/旧/工程"));
    EXPECT_FALSE(dialog.m_deleteButton->isEnabled());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.m_list->viewport(), Qt::LeftButton, {},
                      dialog.m_list->visualItemRect(dialog.m_list->item(1)).center());
    test::saveShot(dialog, "openproject");
    EXPECT_EQ(dialog.m_folderEdit->text(), QStringLiteral("/工程/甲"));
    EXPECT_TRUE(dialog.m_deleteButton->isEnabled());

    QTest::mouseClick(dialog.m_deleteButton, Qt::LeftButton);
    EXPECT_EQ(dialog.m_list->count(), 2);
    EXPECT_TRUE(dialog.m_folderEdit->text().isEmpty());
    EXPECT_FALSE(dialog.m_deleteButton->isEnabled());
    EXPECT_EQ(readRecentProjects(CMyRdApp::kRecentProjects).entries(),
              (QStringList{QStringLiteral("/工程/乙"), QStringLiteral("/旧/工程")}));
}

TEST_F(OpenProject, OkNeedsAnExistingFolder)
{
    COpenProjectDlg dialog;
    dialog.m_list->setCurrentRow(0);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工程目录“/工程/乙”不存在。")});
    dialog.m_folderEdit->setText(root + u'/');
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strProjectFolder, root);
}

TEST_F(OpenProject, ADoubleClickOpensTheEntry)
{
    platform::RecentFileList list = readRecentProjects(CMyRdApp::kRecentProjects);
    list.Add(root);
    list.WriteList();
    COpenProjectDlg dialog;
    Q_EMIT dialog.m_list->itemDoubleClicked(dialog.m_list->item(0));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strProjectFolder, root);
}

// pick dialog

TEST_F(NewProject, PickingTheRootCollectsEveryBarListAndCancelNone)
{
    makeProject();
    CProjectPickDlg pick;
    pick.m_strProjectFolder = root;
    pick.show();
    ASSERT_TRUE(pick.tree().hasCheckBoxes());
    pick.tree().rootItem()->setCheckState(0, Qt::Checked);
    pick.tree().rootItem()->child(1)->setCheckState(0, Qt::Unchecked);
    test::saveShot(pick, "projectpick");
    pick.tree().rootItem()->setCheckState(0, Qt::Checked);
    pick.accept();
    EXPECT_EQ(pick.m_picked.paths.size(), 6);
    EXPECT_TRUE(pick.m_picked.paths.contains(at("二号楼/第1层/板/LB1.pld")));
    // The root ticked: the summary's range names the buildings.
    EXPECT_EQ(pick.m_picked.scope(), QStringLiteral("一号楼、二号楼"));

    CProjectPickDlg cancelled;
    cancelled.m_strProjectFolder = root;
    cancelled.show();
    cancelled.tree().rootItem()->setCheckState(0, Qt::Checked);
    cancelled.reject();
    EXPECT_TRUE(cancelled.m_picked.paths.isEmpty());
}

// recent-project menu entries

TEST(RecentProjectControl, ShowsTheFiveLatestProjectsFromTheProfile)
{
    platform::openProfile()->clear();
    CRODOControlRecentProjectList control;
    EXPECT_TRUE(control.entries().isEmpty());
    EXPECT_EQ(control.GetFirstMruID(), 32892);
    platform::RecentFileList list = readRecentProjects(CMyRdApp::kRecentProjects);
    for (int i = 1; i <= 7; ++i)
        list.Add(QStringLiteral("/工程/%1").arg(i));
    list.WriteList();
    const QStringList entries = control.entries();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries.first(), QStringLiteral("/工程/7"));
    EXPECT_EQ(entries.last(), QStringLiteral("/工程/3"));
    EXPECT_EQ(control.GetRuntimeClassName(), QStringLiteral("CRODOControlRecentProjectList"));
    EXPECT_TRUE(widgara::createControl(QStringLiteral("CRODOControlRecentProjectList")));
}

} // namespace
