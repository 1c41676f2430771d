// The project tree on a project on disk: what it shows, and each of its
// commands with the folders and project files they leave behind.

#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/sheetcontainer.h"
#include "app/documents/sheetcontainerview.h"
#include "app/panes/barpropertyitems.h"
#include "app/panes/barpropertypanewnd.h"
#include "app/projects/inputnamedlg.h"
#include "app/projects/projectids.h"
#include "platform/ui/view.h"
#include "tables/framework/tabletextline.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/slsumarytable.h"
#include "tests/app/support/projectfixture.h"
#include "tests/support/generatedbarlist.h"
#include "tests/support/modal.h"
#include "widgara/bcmenu.h"
#include "widgara/dockingpane.h"
#include "widgara/propertygrid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

namespace {

using platform::Answer;

class ProjectTree : public test::ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        makeProject();
        load();
    }
    // Answers the next name dialog with `name` (and the check box).
    static void answerName(const char* name, bool check = true)
    {
        test::onNextModal<CInputNameDlg>([name = QString::fromUtf8(name), check](CInputNameDlg* dialog) {
            dialog->m_edit->setText(name);
            dialog->m_check->setChecked(check);
            dialog->accept();
        });
    }
    static void cancelName()
    {
        test::onNextModal<CInputNameDlg>([](CInputNameDlg* dialog) { dialog->reject(); });
    }
    platform::Document* open(const char* relative) { return docs.OpenDocumentFile(at(relative)); }
};

// what the tree shows

TEST_F(ProjectTree, ShowsBuildingsStoreysElementTypesAndTheirSheets)
{
    EXPECT_EQ(shown(), (QStringList{
                           QStringLiteral("项目"),
                           QStringLiteral("  一号楼"),
                           QStringLiteral("    钢筋下料表单"),
                           QStringLiteral("      总说明.pld"),
                           QStringLiteral("    基础层"),
                           QStringLiteral("      基础"),
                           QStringLiteral("        钢筋下料表单"),
                           QStringLiteral("          JC1.pld"),
                           QStringLiteral("    第1层"),
                           QStringLiteral("      钢筋算量表单"),
                           QStringLiteral("        一层汇总.ylb"),
                           QStringLiteral("      柱"),
                           QStringLiteral("        钢筋下料表单"),
                           QStringLiteral("          KZ1.pld"),
                           QStringLiteral("          KZ2.pld"),
                           QStringLiteral("        钢筋加工表单"),
                           QStringLiteral("          柱加工.jgd"),
                           QStringLiteral("      梁"),
                           QStringLiteral("        钢筋下料表单"),
                           QStringLiteral("          KL1.pld"),
                           QStringLiteral("  二号楼"),
                           QStringLiteral("    第1层"),
                           QStringLiteral("      板"),
                           QStringLiteral("        钢筋下料表单"),
                           QStringLiteral("          LB1.pld"),
                       }));
    EXPECT_TRUE(tree.rootItem()->font(0).bold());
    EXPECT_EQ(CProjectTreeCtrl::itemKind(tree.rootItem()), CProjectTreeCtrl::TREE_ROOT);
    EXPECT_EQ(CProjectTreeCtrl::itemKind(item({"一号楼", "第1层", "柱", "钢筋加工表单", "柱加工.jgd"})),
              CProjectTreeCtrl::TREE_FILE_JGD);
    EXPECT_EQ(CProjectTreeCtrl::itemKind(item({"一号楼", "第1层", "钢筋算量表单"})), CProjectTreeCtrl::TREE_CAT_YLB);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(ProjectTree, AProjectFolderWithoutProjectFileIsRenamedInPlace)
{
    QFile::remove(at("projectinfo.xml"));
    tree.LoadProject();
    tree.setCurrentTreeItem(tree.rootItem()->child(0));
    host->script({Answer::Yes});
    answerName("综合楼");
    tree.OnRenameItem();
    const QString renamed = dir.filePath(QStringLiteral("综合楼"));
    EXPECT_TRUE(QFileInfo(renamed + QStringLiteral("/一号楼/总说明.pld")).isFile());
    EXPECT_EQ(tree.projectFolder(), renamed);
    EXPECT_EQ(tree.rootItem()->child(0)->text(0), renamed);
    EXPECT_FALSE(QFileInfo::exists(renamed + QStringLiteral("/projectinfo.xml")));
}

TEST_F(ProjectTree, AFolderWithoutProjectFileShowsItselfWithItsSheets)
{
    QFile::remove(at("projectinfo.xml"));
    sheet("顶层.pld");
    sheet("DELETED.plddel");
    tree.LoadProject();
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("项目"), QStringLiteral("  ") + root,
                                    QStringLiteral("    钢筋下料表单"), QStringLiteral("      顶层.pld")}));
    EXPECT_EQ(CProjectTreeCtrl::itemKind(tree.rootItem()->child(0)), CProjectTreeCtrl::TREE_FOLDER);
    EXPECT_EQ(tree.GetItemFolder(item({root.toUtf8().constData(), "钢筋下料表单", "顶层.pld"})), root);
}

TEST_F(ProjectTree, ADamagedProjectFileIsReportedAndTheFolderStillShown)
{
    QFile file(at("projectinfo.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<PROJECTINFO><BUILDING NAME=");
    file.close();
    sheet("顶层.pld");
    tree.LoadProject();
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(shown().size(), 4);
    EXPECT_EQ(CProjectTreeCtrl::itemKind(tree.rootItem()->child(0)), CProjectTreeCtrl::TREE_FOLDER);
}

TEST_F(ProjectTree, NoFolderOrAMissingOneShowsTheRootOnly)
{
    tree.SetProjectFolder(QString());
    EXPECT_EQ(shown(), QStringList{QStringLiteral("项目")});
    tree.SetProjectFolder(at("没有"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("项目")});
}

struct WhereCase {
    std::vector<const char*> item;
    const char* folder;     // relative to the project
    const char* placement;
    const char* building;
};

class ItemPlace : public ProjectTree, public ::testing::WithParamInterface<WhereCase> {};

TEST_P(ItemPlace, GivesFolderPlacementAndBuilding)
{
    QTreeWidgetItem* found = item(GetParam().item);
    ASSERT_TRUE(found);
    const QString folder = QString::fromUtf8(GetParam().folder);
    EXPECT_EQ(tree.GetItemFolder(found), folder.isNull() ? QString() : at(GetParam().folder));
    EXPECT_EQ(tree.GetItemPlacement(found), QString::fromUtf8(GetParam().placement));
    const CVes_BuildingInfo* building = tree.GetItemBuilding(found);
    EXPECT_EQ(building ? building->name() : QString(), QString::fromUtf8(GetParam().building));
}

INSTANTIATE_TEST_SUITE_P(
    ProjectTree, ItemPlace,
    ::testing::Values(WhereCase{{}, nullptr, "", ""}, WhereCase{{"一号楼"}, "一号楼", "", "一号楼"},
                      WhereCase{{"一号楼", "钢筋下料表单", "总说明.pld"}, "一号楼", "", "一号楼"},
                      WhereCase{{"一号楼", "第1层"}, "一号楼/第1层", "第1层", "一号楼"},
                      WhereCase{{"一号楼", "第1层", "钢筋算量表单"}, "一号楼/第1层", "第1层", "一号楼"},
                      WhereCase{{"一号楼", "第1层", "柱"}, "一号楼/第1层/柱", "第1层_柱", "一号楼"},
                      WhereCase{{"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"}, "一号楼/第1层/柱", "第1层_柱",
                                "一号楼"},
                      WhereCase{{"二号楼", "第1层", "板"}, "二号楼/第1层/板", "第1层_板", "二号楼"}));

TEST_F(ProjectTree, BarListsAreCollectedDepthFirst)
{
    QStringList paths;
    tree.CollectBarListFiles(item({"一号楼"}), paths);
    EXPECT_EQ(paths, (QStringList{at("一号楼/总说明.pld"), at("一号楼/基础层/基础/JC1.pld"), at("一号楼/第1层/柱/KZ1.pld"),
                                  at("一号楼/第1层/柱/KZ2.pld"), at("一号楼/第1层/梁/KL1.pld")}));
}

// new sheets, storeys and element types

TEST_F(ProjectTree, ANewBarListTakesItsBuildingsHeaderAndIsListed)
{
    select({"一号楼", "第1层", "柱"});
    answerName("KZ3");
    tree.OnNewBarList();
    ASSERT_TRUE(QFileInfo::exists(at("一号楼/第1层/柱/KZ3.pld")));
    CVes_SetupTable table;
    ASSERT_EQ(table.OpenFile(at("一号楼/第1层/柱/KZ3.pld")), 1);
    EXPECT_EQ(table.m_texts[2].m_formula, QStringLiteral("一号楼"));
    EXPECT_EQ(table.m_texts[3].m_formula, QStringLiteral("第1层_柱_KZ3"));
    EXPECT_EQ(table.m_texts[5].m_formula, QStringLiteral("张三"));
    EXPECT_EQ(table.m_texts[6].m_formula, QStringLiteral("李四"));
    EXPECT_EQ(tree.currentTreeItem(), item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ3.pld"}));
    ASSERT_EQ(docs.documents().size(), 1u);
    EXPECT_EQ(docs.documents()[0]->GetPathName(), at("一号楼/第1层/柱/KZ3.pld"));
}

TEST_F(ProjectTree, ANewQuantitySheetMakesItsCategory)
{
    select({"二号楼", "第1层"});
    answerName("统计");
    tree.OnNewQuantitySheet();
    CVes_SLTable table;
    ASSERT_EQ(table.OpenFile(at("二号楼/第1层/统计.ylb")), 1);
    EXPECT_EQ(table.m_texts[3].m_formula, QStringLiteral("第1层"));
    EXPECT_TRUE(item({"二号楼", "第1层", "钢筋算量表单", "统计.ylb"}));
    select({"二号楼", "第1层", "板"});
    answerName("加工");
    tree.OnNewProcessingSheet();
    CVes_ProcessTable process;
    ASSERT_EQ(process.OpenFile(at("二号楼/第1层/板/加工.jgd")), 1);
    EXPECT_EQ(process.m_texts[4].m_formula, QStringLiteral("第1层_板"));
    EXPECT_EQ(process.m_texts[6].m_formula, QStringLiteral("李四"));
}

// The new window's property pane shows the header the tree filled in, as
// the sheet does, not the empty texts of the template.
TEST_F(ProjectTree, ANewSheetsPropertyPaneShowsItsFilledHeader)
{
    select({"一号楼", "第1层", "柱"});
    answerName("柱加工2");
    tree.OnNewProcessingSheet();
    ASSERT_EQ(docs.documents().size(), 1u);
    auto* container = dynamic_cast<SheetContainerView*>(docs.documents()[0]->views().front());
    ASSERT_TRUE(container);
    DocumentFrame* frame = container->frame();
    ASSERT_TRUE(frame);
    CXTPDockingPane* pane = frame->paneManager()->FindPane(IDP_BAR_PROPERTY);
    ASSERT_TRUE(pane);
    auto* properties = dynamic_cast<CBarPropertyPaneWnd*>(pane->GetChild());
    ASSERT_TRUE(properties) << "the pane is shown with the sheet";
    CXTPPropertyGridItem* project = properties->grid()->FindItem(barprop::kTitle + 1);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->GetCaption(), QStringLiteral("工程名称"));
    EXPECT_EQ(project->GetValue(), QStringLiteral("一号楼"));
}

TEST_F(ProjectTree, ANewSheetOverAnExistingFileIsRefused)
{
    select({"一号楼", "第1层", "柱"});
    const QByteArray before = text("一号楼/第1层/柱/KZ1.pld").toUtf8();
    answerName("KZ1");
    tree.OnNewBarList();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("此目录下文件已经存在")});
    EXPECT_EQ(text("一号楼/第1层/柱/KZ1.pld").toUtf8(), before);
    EXPECT_TRUE(docs.documents().empty());
}

TEST_F(ProjectTree, ANewStoreyMakesItsFolderAndEntersTheBuildingsFile)
{
    select({"一号楼"});
    answerName("第2层");
    tree.OnNewStorey();
    EXPECT_TRUE(QFileInfo(at("一号楼/第2层")).isDir());
    EXPECT_EQ(storeysOnDisk("一号楼"),
              (QStringList{QStringLiteral("基础层: 基础"), QStringLiteral("第1层: 柱,梁"), QStringLiteral("第2层: ")}));
    EXPECT_EQ(tree.currentTreeItem(), item({"一号楼", "第2层"}));
    EXPECT_EQ(CProjectTreeCtrl::itemKind(tree.currentTreeItem()), CProjectTreeCtrl::TREE_STOREY);

    answerName("核心筒");
    tree.OnNewElementType();
    EXPECT_TRUE(QFileInfo(at("一号楼/第2层/核心筒")).isDir());
    EXPECT_EQ(storeysOnDisk("一号楼").last(), QStringLiteral("第2层: 核心筒"));
    EXPECT_EQ(tree.GetItemFolder(tree.currentTreeItem()), at("一号楼/第2层/核心筒"));
}

TEST_F(ProjectTree, ATakenStoreyNameIsRefused)
{
    select({"一号楼"});
    answerName("第1层");
    tree.OnNewStorey();
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(storeysOnDisk("一号楼").size(), 2);
}

TEST_F(ProjectTree, AStoreyWhoseFolderCannotBeMadeIsNotEntered)
{
    // A file has the storey's name: it is neither replaced nor entered.
    QFile blocker(at("一号楼/第3层"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    select({"一号楼"});
    answerName("第3层");
    tree.OnNewStorey();
    EXPECT_TRUE(QFileInfo(at("一号楼/第3层")).isFile());
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(storeysOnDisk("一号楼").size(), 2);
    EXPECT_FALSE(item({"一号楼", "第3层"}));
    EXPECT_EQ(tree.project().building(0)->layerCount(), 2);
}

TEST_F(ProjectTree, CancellingTheNameChangesNothing)
{
    const QStringList before = onDisk();
    select({"一号楼"});
    cancelName();
    tree.OnNewStorey();
    select({"一号楼", "第1层", "柱"});
    cancelName();
    tree.OnNewBarList();
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(host->messages().empty());
}

struct BadName {
    const char* name;
    int command;
};

class RefusedName : public ProjectTree, public ::testing::WithParamInterface<BadName> {};

TEST_P(RefusedName, LeavesTheDiskAndTheProjectFilesAsTheyWere)
{
    const QStringList before = onDisk("..");
    const QString info = text("一号楼/buildinginfo.xml");
    const int command = GetParam().command;
    const bool renames = command == ID_PROJECT_RENAME;
    select(command == ID_PROJECT_NEW_STOREY ? std::vector<const char*>{"一号楼"}
           : renames                        ? std::vector<const char*>{"一号楼", "第1层", "梁"}
                                            : std::vector<const char*>{"一号楼", "第1层"});
    if (renames)
        host->script({Answer::Yes});
    answerName(GetParam().name);
    tree.OnCmdMsg(command, nullptr);
    EXPECT_EQ(onDisk(".."), before);
    EXPECT_EQ(text("一号楼/buildinginfo.xml"), info);
    ASSERT_FALSE(host->messages().empty());
    EXPECT_TRUE(host->messages().back().text.contains(QStringLiteral("不能用作文件或目录的名称")));
}

INSTANTIATE_TEST_SUITE_P(
    ProjectTree, RefusedName,
    ::testing::Values(BadName{"../x", ID_PROJECT_NEW_STOREY}, BadName{"a/b", ID_PROJECT_NEW_STOREY},
                      BadName{"..", ID_PROJECT_NEW_ELEMENT_TYPE}, BadName{"../x", ID_PROJECT_NEW_ELEMENT_TYPE},
                      BadName{"a/b", ID_PROJECT_NEW_BARLIST}, BadName{"../../x", ID_PROJECT_NEW_QUANTITY},
                      BadName{"a:b", ID_PROJECT_NEW_PROCESS}, BadName{"../x", ID_PROJECT_RENAME},
                      BadName{"a/b", ID_PROJECT_RENAME}));

// copy, cut and paste

TEST_F(ProjectTree, AFilePastedTwiceIntoItsFolderGetsCopyPrefixes)
{
    select({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"});
    tree.OnCopyItem();
    for (int i = 0; i < 2; ++i) {
        select({"一号楼", "第1层", "柱"});
        tree.OnPasteItem();
    }
    EXPECT_EQ(onDisk("一号楼/第1层/柱"),
              (QStringList{QStringLiteral("KZ1.pld"), QStringLiteral("KZ2.pld"), QStringLiteral("复件_KZ1.pld"),
                           QStringLiteral("复件_复件_KZ1.pld"), QStringLiteral("柱加工.jgd")}));
    EXPECT_EQ(text("一号楼/第1层/柱/复件_复件_KZ1.pld"), text("一号楼/第1层/柱/KZ1.pld"));
    EXPECT_TRUE(item({"一号楼", "第1层", "柱", "钢筋下料表单", "复件_复件_KZ1.pld"}));
    EXPECT_EQ(tree.heldItem(), item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"}));
}

TEST_F(ProjectTree, AFileCutIntoAnotherBuildingIsPutAsideAtItsOldPlace)
{
    select({"一号楼", "钢筋下料表单", "总说明.pld"});
    tree.OnCutItem();
    select({"二号楼", "第1层", "板"});
    tree.OnPasteItem();
    EXPECT_TRUE(QFileInfo::exists(at("二号楼/第1层/板/总说明.pld")));
    EXPECT_FALSE(QFileInfo::exists(at("一号楼/总说明.pld")));
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/总说明.plddel")));
    EXPECT_FALSE(item({"一号楼", "钢筋下料表单"}));
    EXPECT_FALSE(tree.heldItem());
    EXPECT_EQ(tree.holdMode(), CProjectTreeCtrl::HOLD_NOTHING);
}

TEST_F(ProjectTree, AStoreyCutIntoAnotherBuildingMovesWithItsElementTypes)
{
    select({"一号楼", "第1层"});
    tree.OnCutItem();
    select({"二号楼"});
    tree.OnPasteItem();
    // 二号楼 has a 第1层 already: the pasted one is a copy by name.
    EXPECT_EQ(onDisk("二号楼/复件_第1层"),
              (QStringList{QStringLiteral("一层汇总.ylb"), QStringLiteral("柱"), QStringLiteral("柱/KZ1.pld"),
                           QStringLiteral("柱/KZ2.pld"), QStringLiteral("柱/柱加工.jgd"), QStringLiteral("梁"),
                           QStringLiteral("梁/KL1.pld")}));
    EXPECT_FALSE(QFileInfo::exists(at("一号楼/第1层")));
    EXPECT_TRUE(QFileInfo(at("一号楼/第1层_删除/柱/KZ1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼"), QStringList{QStringLiteral("基础层: 基础")});
    EXPECT_EQ(storeysOnDisk("二号楼"), (QStringList{QStringLiteral("第1层: 板"), QStringLiteral("复件_第1层: 柱,梁")}));
    EXPECT_TRUE(item({"二号楼", "复件_第1层", "梁", "钢筋下料表单", "KL1.pld"}));
    EXPECT_FALSE(item({"一号楼", "第1层"}));
}

TEST_F(ProjectTree, AnElementTypeCopiedIntoAnotherStoreyIsEntered)
{
    select({"一号楼", "第1层", "梁"});
    tree.OnCopyItem();
    select({"二号楼", "第1层", "板"});
    tree.OnPasteItem();
    EXPECT_TRUE(QFileInfo(at("二号楼/第1层/梁/KL1.pld")).isFile());
    EXPECT_TRUE(QFileInfo(at("一号楼/第1层/梁/KL1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("二号楼"), QStringList{QStringLiteral("第1层: 板,梁")});
    EXPECT_EQ(tree.currentTreeItem(), item({"二号楼", "第1层", "梁"}));
}

TEST_F(ProjectTree, ABuildingIsNeverPasted)
{
    const QStringList before = onDisk();
    select({"二号楼"});
    tree.OnCopyItem();
    EXPECT_EQ(tree.HeldKind(), CProjectTreeCtrl::HELD_BUILDING);
    select({"一号楼"});
    EXPECT_TRUE(tree.CanPaste());
    tree.OnPasteItem();
    EXPECT_EQ(onDisk(), before);
}

// delete

TEST_F(ProjectTree, ADeletedSheetStaysOnDiskUnlistedEvenWhenDeletedTwice)
{
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            sheet("一号楼/第1层/柱/KZ2.pld");
        tree.LoadProject();
        select({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"});
        host->script({Answer::Yes});
        tree.OnDeleteItem();
    }
    EXPECT_EQ(onDisk("一号楼/第1层/柱"),
              (QStringList{QStringLiteral("KZ1.pld"), QStringLiteral("KZ2.plddel"), QStringLiteral("KZ2.plddel(2)"),
                           QStringLiteral("柱加工.jgd")}));
    tree.LoadProject();
    EXPECT_FALSE(item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"}));
    EXPECT_TRUE(item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"}));
    EXPECT_EQ(host->messageTexts().first(), QStringLiteral("你确实要删除文件“KZ2.pld”？"));
}

TEST_F(ProjectTree, DeletingTheLastSheetOfAKindTakesItsCategory)
{
    select({"一号楼", "第1层", "柱", "钢筋加工表单", "柱加工.jgd"});
    host->script({Answer::Yes});
    tree.OnDeleteItem();
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/第1层/柱/柱加工.jgddel")));
    EXPECT_FALSE(item({"一号楼", "第1层", "柱", "钢筋加工表单"}));
}

TEST_F(ProjectTree, ADeletedStoreyIsPutAsideAndLeavesTheBuildingsFile)
{
    select({"一号楼", "基础层"});
    host->script({Answer::Yes});
    tree.OnDeleteItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/基础层_删除/基础/JC1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼"), QStringList{QStringLiteral("第1层: 柱,梁")});
    EXPECT_FALSE(item({"一号楼", "基础层"}));

    select({"一号楼", "第1层", "梁"});
    host->script({Answer::Yes});
    tree.OnDeleteItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/第1层/梁_删除/KL1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼"), QStringList{QStringLiteral("第1层: 柱")});
    EXPECT_EQ(host->messageTexts(),
              (QStringList{QStringLiteral("你确实要删除目录“基础层”及其中的所有文件？"),
                           QStringLiteral("你确实要删除目录“第1层/梁”及其中的所有文件？")}));
}

TEST_F(ProjectTree, SayingNoToDeleteKeepsEverything)
{
    const QStringList before = onDisk();
    select({"一号楼", "第1层"});
    host->script({Answer::No});
    tree.OnDeleteItem();
    EXPECT_EQ(onDisk(), before);
    EXPECT_TRUE(item({"一号楼", "第1层"}));
}

// open documents

TEST_F(ProjectTree, AMoveOrDeleteIsRefusedWhileASheetUnderItIsOpen)
{
    ASSERT_TRUE(open("一号楼/第1层/柱/KZ1.pld"));
    const QStringList before = onDisk();
    // The refusals name the open files.
    const QString open1 = QStringLiteral("\n\n打开的文件：KZ1.pld");
    const QString deleteRefused = QStringLiteral("此目录下有文件处于打开状态，请关闭相应文件后再进行删除操作！") + open1;
    const QString cutRefused = QStringLiteral("此目录下有文件处于打开状态，请关闭相应文件后再进行剪切操作！") + open1;
    const QString fileRefused = QStringLiteral("此文件处于打开状态，请关闭该文件后再进行删除操作！") + open1;

    select({"一号楼", "第1层"});
    tree.OnDeleteItem();
    tree.OnCutItem();
    EXPECT_FALSE(tree.heldItem());
    select({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"});
    tree.OnDeleteItem();
    EXPECT_EQ(host->messageTexts(), (QStringList{deleteRefused, cutRefused, fileRefused}));
    EXPECT_EQ(onDisk(), before);

    // A closed file beside the open one is not held back by it: deleting it
    // is asked (and here answered No).
    host->clear();
    host->script({Answer::No});
    select({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"});
    tree.OnDeleteItem();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("你确实要删除文件“KZ2.pld”？")});
    EXPECT_EQ(onDisk(), before);

    // Opened after the cut: the paste is refused, nothing is moved.
    host->clear();
    select({"一号楼", "第1层", "梁"});
    tree.OnCutItem();
    ASSERT_EQ(tree.heldItem(), item({"一号楼", "第1层", "梁"}));
    ASSERT_TRUE(open("一号楼/第1层/梁/KL1.pld"));
    select({"二号楼", "第1层"});
    tree.OnPasteItem();
    EXPECT_EQ(host->messageTexts(),
              QStringList{QStringLiteral("此目录下有文件处于打开状态，请关闭相应文件后再进行剪切操作！")
                          + QStringLiteral("\n\n打开的文件：KL1.pld")});
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(storeysOnDisk("二号楼"), QStringList{QStringLiteral("第1层: 板")});
}

TEST_F(ProjectTree, AnOpenSheetInAFolderOfALongerNameDoesNotBlock)
{
    // "第1层" is no folder of "第1层0"'s sheets.
    select({"一号楼"});
    answerName("第1层0");
    tree.OnNewStorey();
    sheet("一号楼/第1层0/X.pld");
    ASSERT_TRUE(open("一号楼/第1层0/X.pld"));
    select({"一号楼", "第1层"});
    host->script({Answer::Yes});
    tree.OnDeleteItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/第1层_删除")).isDir());
}

TEST_F(ProjectTree, DoubleClickingASheetOpensIt)
{
    select({"一号楼", "第1层", "柱", "钢筋加工表单", "柱加工.jgd"});
    tree.OnOpenItem();
    ASSERT_EQ(docs.documents().size(), 1u);
    EXPECT_EQ(docs.documents()[0]->GetPathName(), at("一号楼/第1层/柱/柱加工.jgd"));
    QFile::remove(at("一号楼/第1层/梁/KL1.pld"));
    select({"一号楼", "第1层", "梁", "钢筋下料表单", "KL1.pld"});
    tree.OnOpenItem();
    EXPECT_EQ(docs.documents().size(), 1u);
    EXPECT_EQ(host->messages().size(), 1u);
}

// rename

TEST_F(ProjectTree, ARenamedBarListIsLowerCasedKeepsItsExtensionAndTakesItsPlacement)
{
    sheet("一号楼/第1层/柱/A.pld");
    tree.LoadProject();
    select({"一号楼", "第1层", "柱", "钢筋下料表单", "A.pld"});
    host->script({Answer::Yes});
    answerName("B");
    tree.OnRenameItem();
    EXPECT_FALSE(QFileInfo::exists(at("一号楼/第1层/柱/A.pld")));
    ASSERT_TRUE(QFileInfo::exists(at("一号楼/第1层/柱/b.pld")));
    EXPECT_TRUE(item({"一号楼", "第1层", "柱", "钢筋下料表单", "b.pld"}));
    CVes_SetupTable table;
    ASSERT_EQ(table.OpenFile(at("一号楼/第1层/柱/b.pld")), 1);
    EXPECT_EQ(table.m_texts[3].m_formula, QStringLiteral("B"));
}

TEST_F(ProjectTree, ARenamedStoreyAndElementTypeKeepTheTypedName)
{
    select({"一号楼", "第1层"});
    host->script({Answer::Yes});
    answerName("F1");
    tree.OnRenameItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/F1/柱/KZ1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼"), (QStringList{QStringLiteral("基础层: 基础"), QStringLiteral("F1: 柱,梁")}));

    select({"一号楼", "F1", "柱"});
    host->script({Answer::Yes});
    answerName("KZ");
    tree.OnRenameItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/F1/KZ/KZ1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼").last(), QStringLiteral("F1: KZ,梁"));
    tree.LoadProject();
    EXPECT_TRUE(item({"一号楼", "F1", "KZ", "钢筋下料表单", "KZ1.pld"}));
}

TEST_F(ProjectTree, ARenamedBuildingMovesItsFolderAndRenamesItInTheProjectFile)
{
    select({"二号楼"});
    host->script({Answer::Yes});
    answerName("2号楼");
    tree.OnRenameItem();
    EXPECT_TRUE(QFileInfo(at("2号楼/第1层/板/LB1.pld")).isFile());
    EXPECT_FALSE(QFileInfo::exists(at("二号楼")));
    EXPECT_FALSE(QFileInfo::exists(at("2号楼/projectinfo.xml")));
    CVes_ProjectInfo project;
    ASSERT_TRUE(project.readFile(at("projectinfo.xml")));
    ASSERT_EQ(project.buildingCount(), 2);
    EXPECT_EQ(project.building(1)->name(), QStringLiteral("2号楼"));
    EXPECT_EQ(project.building(1)->folder(), at("2号楼"));
    tree.LoadProject();
    EXPECT_TRUE(item({"2号楼", "第1层", "板", "钢筋下料表单", "LB1.pld"}));

    select({"2号楼"});
    host->script({Answer::Yes});
    answerName("一号楼");
    tree.OnRenameItem();
    EXPECT_TRUE(QFileInfo(at("2号楼")).isDir());
    EXPECT_TRUE(host->messageTexts().last().contains(QStringLiteral("一号楼")));
}

TEST_F(ProjectTree, RenamingOntoAnotherElementTypeIsRefused)
{
    select({"一号楼", "第1层", "梁"});
    host->script({Answer::Yes});
    answerName("柱");
    tree.OnRenameItem();
    EXPECT_TRUE(QFileInfo(at("一号楼/第1层/梁/KL1.pld")).isFile());
    EXPECT_EQ(storeysOnDisk("一号楼").last(), QStringLiteral("第1层: 柱,梁"));
}

TEST_F(ProjectTree, RenamingASheetThatIsOpenIsRefusedWithAMessage)
{
    ASSERT_TRUE(open("一号楼/第1层/柱/KZ1.pld"));
    select({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"});
    tree.OnRenameItem();
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/第1层/柱/KZ1.pld")));
}

// summaries

TEST_F(ProjectTree, SummariesWithinOneMinuteGetNamesOfTheirOwn)
{
    host->setNow(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    const QString stem = QStringLiteral("基础层_钢筋用量汇总_2024年05月06日07时08分");
    for (int i = 0; i < 2; ++i) {
        select({"一号楼", "基础层"});
        tree.OnSummariseFolder();
    }
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/基础层/") + stem + QStringLiteral(".ylb")));
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/基础层/") + stem + QStringLiteral("(2).ylb")));
    CVes_SLTable table;
    ASSERT_EQ(table.OpenFile(at("一号楼/基础层/") + stem + QStringLiteral(".ylb")), 1);
    EXPECT_EQ(table.m_texts[2].m_formula, QStringLiteral("一号楼"));
    EXPECT_EQ(table.m_texts[3].m_formula, QStringLiteral("基础层"));
    EXPECT_EQ(table.m_texts[6].m_formula, QStringLiteral("李四"));
    EXPECT_TRUE(item({"一号楼", "基础层", "钢筋算量表单", (stem + QStringLiteral("(2).ylb")).toUtf8().constData()}));
}

// The 统计范围 of a quantity sheet summing a folder of the tree, read back
// from its file.
QString summaryRange(const QString& path)
{
    CVes_SLTable table;
    EXPECT_EQ(table.OpenFile(path), 1);
    return table.m_texts[3].m_formula;
}

struct RangeCase {
    std::vector<const char*> item;
    const char* folder; // where the summary is saved
    const char* stem;
    const char* range;
};

TEST_F(ProjectTree, AFolderSummaryNamesWhatItSummed)
{
    host->setNow(QDateTime(QDate(2024, 5, 6), QTime(7, 8)));
    const RangeCase cases[] = {
        {{"一号楼", "基础层"}, "一号楼/基础层/", "基础层", "基础层"},
        {{"一号楼", "第1层", "柱"}, "一号楼/第1层/柱/", "柱", "第1层_柱"},
        {{"一号楼"}, "一号楼/", "一号楼", "一号楼"},
    };
    for (const RangeCase& c : cases) {
        select(c.item);
        tree.OnSummariseFolder();
        const QString path = at(c.folder) + QString::fromUtf8(c.stem)
                             + QStringLiteral("_钢筋用量汇总_2024年05月06日07时08分.ylb");
        EXPECT_EQ(summaryRange(path), QString::fromUtf8(c.range)) << c.stem;
    }
}

TEST_F(ProjectTree, APickedSummaryNamesThePartsTickedNotTheCurrentItem)
{
    host->setNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    CProjectTreeCtrl picking;
    picking.setCheckBoxes(true);
    picking.SetProjectFolder(root);
    QTreeWidgetItem* building1 = picking.rootItem()->child(0);
    QTreeWidgetItem* storey1 = building1->child(2);
    ASSERT_EQ(storey1->text(0), QStringLiteral("第1层"));
    storey1->child(1)->setCheckState(0, Qt::Checked); // 柱
    picking.rootItem()->child(1)->setCheckState(0, Qt::Checked); // 二号楼
    SummarySources picked;
    picking.CollectChecked(picking.rootItem(), picked);
    EXPECT_EQ(picked.paths.size(), 3);

    select({"一号楼", "第1层", "梁"});
    ASSERT_TRUE(tree.summarisePicked(picked));
    EXPECT_EQ(summaryRange(at("一号楼/选择汇总_钢筋用量汇总_2024年01月02日03时04分.ylb")),
              QStringLiteral("第1层_柱、二号楼"));
}

// A bar list of one element with one bar of 三级钢 20 of a typed length.
void writeBarList(const QString& path, const char* element, int count, float length)
{
    CVes_SetupTable list;
    list.clearnAllLine();
    auto* heading = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    heading->setNull(0);
    heading->setElement(QString::fromUtf8(element));
    list.appendLine(heading);
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    line->m_steel.number = QStringLiteral("1");
    line->m_steel.grade = 3;
    line->m_steel.DN = 20.0f;
    line->m_steel.count = count;
    line->m_steel.calcLength = 0;
    line->m_steel.length = length;
    list.appendLine(line);
    ASSERT_EQ(list.SaveFile(path), 1);
}

// Bar lists in the element-type folders 柱 and 梁 and one in the building's
// own folder: the building's summary counts them by type, the list of no
// type under 其它 (listed last). Lengths in metres: 柱 2 × 3 m, 梁 4 × 5 m,
// 其它 1 × 1 m.
TEST_F(ProjectTree, AFolderSummaryCountsBarsUnderTheElementTypeTheirListsLieIn)
{
    writeBarList(at("一号楼/第1层/柱/KZ1.pld"), "KZ1", 2, 3000.0f);
    writeBarList(at("一号楼/第1层/梁/KL1.pld"), "KL1", 4, 5000.0f);
    writeBarList(at("一号楼/总说明.pld"), "构造", 1, 1000.0f);
    host->setNow(QDateTime(QDate(2024, 5, 6), QTime(7, 8)));
    select({"一号楼"});
    tree.OnSummariseFolder();

    CVes_SLTable sheet;
    ASSERT_EQ(sheet.OpenFile(at("一号楼/一号楼_钢筋用量汇总_2024年05月06日07时08分.ylb")), 1);
    ASSERT_EQ(sheet.getSortRules().m_sumInEleType, 1) << "对构件类型内钢筋进行统计";
    std::unique_ptr<CVes_SLSumaryTable> summary(sheet.SummarySTeel(nullptr));
    QStringList groups;
    for (CVes_TableBaseLine* line : summary->lines()) {
        const QStringList cells = static_cast<CVes_TableTextLine*>(line)->getTexts();
        if (cells.value(0) == QStringLiteral("各规格合计"))
            break;
        groups << (cells.value(0).isEmpty() ? cells.value(3) : cells.value(0));
    }
    EXPECT_EQ(groups, (QStringList{"柱", "6.00", "梁", "20.00", "其它", "1.00"}));
}

TEST_F(ProjectTree, AStoreyWithoutBarListsStillGetsAnEmptySummary)
{
    host->setNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    select({"一号楼"});
    answerName("空层");
    tree.OnNewStorey();
    tree.OnSummariseFolder();
    const QString path = at("一号楼/空层/空层_钢筋用量汇总_2024年01月02日03时04分.ylb");
    CVes_SLTable table;
    ASSERT_EQ(table.OpenFile(path), 1);
    EXPECT_TRUE(table.lines().isEmpty());
}

TEST_F(ProjectTree, AProjectFolderWithoutProjectFileIsSummarisedUnderItsOwnName)
{
    QFile::remove(at("projectinfo.xml"));
    sheet("顶层.pld");
    tree.LoadProject();
    host->setNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    tree.setCurrentTreeItem(tree.rootItem()->child(0));
    tree.OnSummariseFolder();
    EXPECT_TRUE(QFileInfo::exists(at("综合楼工程_钢筋用量汇总_2024年01月02日03时04分.ylb")));
}

TEST_F(ProjectTree, TickingTheRootPicksEveryBarListOnce)
{
    CProjectTreeCtrl picking;
    picking.setCheckBoxes(true);
    picking.SetProjectFolder(root);
    picking.rootItem()->setCheckState(0, Qt::Checked);
    QStringList paths;
    picking.CollectChecked(picking.rootItem(), paths);
    EXPECT_EQ(paths.size(), 6);
    EXPECT_EQ(paths.removeDuplicates(), 0);
    // Unticking one sheet unticks its ancestors; the rest stay picked.
    QTreeWidgetItem* kz1 = picking.rootItem()->child(0)->child(2)->child(1)->child(0)->child(0);
    ASSERT_EQ(kz1->text(0), QStringLiteral("KZ1.pld"));
    kz1->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(picking.rootItem()->checkState(0), Qt::Unchecked);
    EXPECT_EQ(kz1->parent()->parent()->parent()->checkState(0), Qt::Unchecked);
    paths.clear();
    picking.CollectChecked(picking.rootItem(), paths);
    EXPECT_EQ(paths.size(), 5);
    EXPECT_FALSE(paths.contains(at("一号楼/第1层/柱/KZ1.pld")));
}

TEST_F(ProjectTree, APickedSummaryMadeWithTheRootSelectedTakesTheFirstBuildingsHeader)
{
    host->setNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    tree.setCurrentTreeItem(tree.rootItem());
    ASSERT_TRUE(tree.summarisePicked(SummarySources{{at("一号楼/第1层/柱/KZ1.pld")}, {"柱"}, {"第1层_柱"}}));
    CVes_SLTable table;
    ASSERT_EQ(table.OpenFile(at("一号楼/选择汇总_钢筋用量汇总_2024年01月02日03时04分.ylb")), 1);
    EXPECT_EQ(table.m_texts[2].m_formula, QStringLiteral("一号楼"));
    EXPECT_EQ(table.m_texts[5].m_formula, QStringLiteral("张三"));
    EXPECT_EQ(table.m_texts[6].m_formula, QStringLiteral("李四"));
}

TEST_F(ProjectTree, PickedSheetsAreSummedBesideTheFirstBuilding)
{
    host->setNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    EXPECT_FALSE(tree.summarisePicked(SummarySources{}));
    select({"二号楼", "第1层"});
    CVes_SetupTable bars;
    test::fillGeneratedList(bars, 3, 5);
    ASSERT_EQ(bars.SaveFile(at("二号楼/第1层/板/LB1.pld")), 1);
    platform::Document* summary =
        tree.summarisePicked(SummarySources{{at("二号楼/第1层/板/LB1.pld")}, {}, {"第1层_板"}});
    ASSERT_TRUE(summary);
    // A few rows make one page: the empty rows the new sheet started with
    // do not trail behind them as a page of their own.
    CVes_TableBase* shown = nullptr;
    for (platform::View* view : summary->views())
        if (auto* container = dynamic_cast<CSheetContainer*>(view))
            if (CVes_TableViewBase* sheetView = container->getActiveSheetView())
                shown = sheetView->getTable();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->resetPages(), 1) << shown->lines().size() << " rows";
    CVes_SLTable table;
    ASSERT_EQ(table.OpenFile(at("一号楼/选择汇总_钢筋用量汇总_2024年01月02日03时04分.ylb")), 1);
    EXPECT_EQ(table.m_texts[2].m_formula, QStringLiteral("二号楼"));
}

TEST_F(ProjectTree, RefreshingListsSheetsSavedMeanwhile)
{
    sheet("一号楼/新.pld");
    sheet("一号楼/第1层/柱/KZ9.pld");
    sheet("二号楼/第1层/新统计.ylb");
    tree.RefreshProjectFiles();
    tree.RefreshProjectFiles();
    EXPECT_TRUE(item({"一号楼", "钢筋下料表单", "新.pld"}));
    EXPECT_TRUE(item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ9.pld"}));
    EXPECT_TRUE(item({"二号楼", "第1层", "钢筋算量表单", "新统计.ylb"}));
    EXPECT_EQ(item({"一号楼", "钢筋下料表单"})->childCount(), 2);
}

// Files put into the project's folders or taken out of them by another
// program: the tree follows as soon as the folder says it changed.
struct OutsideChange {
    const char* name;
    const char* added;                 // a sheet written there, or null
    const char* removed;               // a sheet deleted there, or null
    std::vector<const char*> shownPath;  // an item then shown, or empty
    std::vector<const char*> gonePath;   // an item then gone, or empty
};

void PrintTo(const OutsideChange& c, std::ostream* os) { *os << c.name; }

class ProjectTreeOutside : public ProjectTree, public ::testing::WithParamInterface<OutsideChange> {};

TEST_P(ProjectTreeOutside, TheTreeFollowsTheFolders)
{
    const OutsideChange& c = GetParam();
    QSignalSpy refreshed(&tree, &CProjectTreeCtrl::projectFilesRefreshed);
    if (c.added)
        sheet(c.added);
    if (c.removed)
        ASSERT_TRUE(QFile::remove(at(c.removed)));
    ASSERT_TRUE(refreshed.wait(5000)) << "the folder's change was not heard";
    if (!c.shownPath.empty())
        EXPECT_TRUE(item(c.shownPath));
    if (!c.gonePath.empty())
        EXPECT_FALSE(item(c.gonePath));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ProjectTreeOutside,
    ::testing::Values(
        OutsideChange{"ListBesideOthers", "一号楼/第1层/柱/KZ9.pld", nullptr,
                      {"一号楼", "第1层", "柱", "钢筋下料表单", "KZ9.pld"}, {}},
        OutsideChange{"FirstSheetOfItsKind", "二号楼/第1层/板/板加工.jgd", nullptr,
                      {"二号楼", "第1层", "板", "钢筋加工表单", "板加工.jgd"}, {}},
        OutsideChange{"DeletedOfSeveral", nullptr, "一号楼/第1层/柱/KZ2.pld",
                      {"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"},
                      {"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"}},
        OutsideChange{"LastOfItsKindTakesItsCategory", nullptr, "一号楼/第1层/一层汇总.ylb", {},
                      {"一号楼", "第1层", "钢筋算量表单"}}));

// menus, enabling and drops

QStringList menuOf(const BCMenu& menu)
{
    QStringList entries;
    for (QAction* action : menu.menu()->actions())
        entries << (action->isSeparator() ? QStringLiteral("─")
                                          : action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (grey)")));
    return entries;
}

struct MenuCase {
    std::vector<const char*> held;  // empty: nothing held
    std::vector<const char*> item;
    const char* entries;            // "|"-separated
};

class ContextMenu : public ProjectTree, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(ContextMenu, OffersTheItemsCommands)
{
    if (!GetParam().held.empty()) {
        tree.setCurrentTreeItem(item(GetParam().held));
        tree.OnCopyItem();
    }
    QTreeWidgetItem* target = item(GetParam().item);
    ASSERT_TRUE(target);
    tree.setCurrentTreeItem(target);
    EXPECT_EQ(menuOf(*tree.buildContextMenu(target)).join(u'|'), QString::fromUtf8(GetParam().entries));
}

INSTANTIATE_TEST_SUITE_P(
    ProjectTree, ContextMenu,
    ::testing::Values(
        MenuCase{{}, {}, "新建工程"},
        MenuCase{{}, {"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"},
                 "打开|─|复制|剪切|粘贴 (grey)|删除...|重命名..."},
        MenuCase{{"一号楼", "钢筋下料表单", "总说明.pld"}, {"一号楼", "第1层", "柱", "钢筋下料表单", "KZ1.pld"},
                 "打开|─|复制|剪切|粘贴|删除...|重命名..."},
        MenuCase{{}, {"一号楼", "第1层", "钢筋算量表单"}, "新建钢筋算量单"},
        MenuCase{{"一号楼", "第1层", "梁"}, {"一号楼", "第1层"},
                 "新建钢筋配料单|新建钢筋加工单|新建钢筋算量单|─|新建构件类型|─|复制|剪切|粘贴|删除...|重命名...|─|本目录下汇总"},
        MenuCase{{"二号楼"}, {"一号楼", "第1层"},
                 "新建钢筋配料单|新建钢筋加工单|新建钢筋算量单|─|新建构件类型|─|复制|剪切|粘贴 (grey)|删除...|重命名...|─|本目录下汇总"},
        MenuCase{{"一号楼", "第1层"}, {"二号楼"},
                 "新建钢筋配料单|新建钢筋加工单|新建钢筋算量单|─|新建层或施工部位|粘贴|重命名...|─|本目录下汇总"},
        MenuCase{{"一号楼", "第1层", "梁"}, {"二号楼"},
                 "新建钢筋配料单|新建钢筋加工单|新建钢筋算量单|─|新建层或施工部位|粘贴 (grey)|重命名...|─|本目录下汇总"},
        MenuCase{{"一号楼", "第1层"}, {"二号楼", "第1层", "板"},
                 "新建钢筋配料单|新建钢筋加工单|新建钢筋算量单|─|复制|剪切|粘贴 (grey)|删除...|重命名...|─|本目录下汇总"}));

struct PasteCase {
    std::vector<const char*> held;
    std::vector<const char*> target;
    bool canPaste;
};

class Pasting : public ProjectTree, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(Pasting, IsEnabledForWhatTheTargetCanTake)
{
    tree.setCurrentTreeItem(item(GetParam().held));
    tree.OnCopyItem();
    tree.setCurrentTreeItem(item(GetParam().target));
    EXPECT_EQ(tree.CanPaste(), GetParam().canPaste);
}

INSTANTIATE_TEST_SUITE_P(
    ProjectTree, Pasting,
    ::testing::Values(PasteCase{{"一号楼", "钢筋下料表单", "总说明.pld"}, {"二号楼"}, true},
                      PasteCase{{"一号楼", "钢筋下料表单", "总说明.pld"}, {}, false},
                      PasteCase{{"一号楼", "钢筋下料表单", "总说明.pld"}, {"一号楼", "钢筋下料表单"}, false},
                      PasteCase{{"一号楼", "第1层", "梁"}, {"二号楼", "第1层"}, true},
                      PasteCase{{"一号楼", "第1层", "梁"}, {"二号楼", "第1层", "板"}, true},
                      PasteCase{{"一号楼", "第1层", "梁"}, {"二号楼"}, false},
                      PasteCase{{"一号楼", "第1层"}, {"二号楼"}, true},
                      PasteCase{{"一号楼", "第1层"}, {"二号楼", "第1层"}, true},
                      PasteCase{{"一号楼", "第1层"}, {"二号楼", "第1层", "板"}, false},
                      PasteCase{{}, {"二号楼"}, false}));

TEST_F(ProjectTree, CopyCutAndRenameNeedAnItemThatIsNeitherRootNorCategory)
{
    tree.setCurrentTreeItem(nullptr);
    EXPECT_FALSE(tree.CanEditItem());
    select({});
    EXPECT_FALSE(tree.CanEditItem());
    select({"一号楼", "钢筋下料表单"});
    EXPECT_FALSE(tree.CanEditItem());
    select({"一号楼"});
    EXPECT_TRUE(tree.CanEditItem());
}

TEST_F(ProjectTree, ASheetDroppedOnAnotherFolderMovesThere)
{
    QTreeWidgetItem* kz2 = item({"一号楼", "第1层", "柱", "钢筋下料表单", "KZ2.pld"});
    EXPECT_FALSE(tree.canDrop(kz2, item({"一号楼", "第1层", "柱"})));
    EXPECT_FALSE(tree.canDrop(item({"一号楼", "第1层"}), item({"一号楼", "第1层", "柱"})));
    tree.dropItem(kz2, item({"一号楼", "第1层", "梁"}), false);
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/第1层/梁/KZ2.pld")));
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/第1层/柱/KZ2.plddel")));
    tree.dropItem(item({"一号楼", "第1层", "梁"}), item({"二号楼", "第1层"}), true);
    EXPECT_TRUE(QFileInfo::exists(at("二号楼/第1层/梁/KZ2.pld")));
    EXPECT_TRUE(QFileInfo::exists(at("一号楼/第1层/梁/KZ2.pld")));
    EXPECT_EQ(storeysOnDisk("二号楼"), QStringList{QStringLiteral("第1层: 板,梁")});
}

} // namespace
