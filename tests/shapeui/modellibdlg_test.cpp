#include "shapeui/modellibdlg.h"

#include "core/geometry/datafolder.h"
#include "platform/savefile.h"
#include "shapeui/panestack.h"
#include "shapeui/savetocategorydlg.h"
#include "shapeui/shapeeditordlg.h"
#include "shapeui/panetitlebutton.h"
#include "shapeui/shapelistctrl.h"
#include "core/model/steelmodeluserid.h"
#include "tests/shapeui/modellibdlg_testing.h"
#include "tests/shapeui/shapelist_support.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>

using platform::Answer;
using D = CVes_ModelLibDlg;

namespace {

using test::kSelected;

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList shownKeys(const D& dlg)
{
    QStringList keys;
    if (CVes_ModelRecordSubLib* sub = dlg.shownSubLib()) {
        for (const auto& record : sub->getModelArray())
            keys.append(record->getID().ToString());
    }
    return keys;
}

// A dialog on the libraries of a fresh data folder.
class ModelLib : public ::testing::Test {
protected:
    void open(int libType = D::kModelLib, int manage = 0)
    {
        dlg = std::make_unique<D>();
        dlg->setLibType(libType);
        dlg->setManage(manage);
        dlg->show();
    }
    void TearDown() override
    {
        D::setShapeEditor({});
        D::setSaveToChooser({});
    }
    void select(int item) { dlg->selectShape(item); }
    // Shows the user side (the second pane).
    void showUserSide()
    {
        dlg->paneBar()->OpenPane(1);
        dlg->OnPaneClicked(dlg->subLibList(0));
    }
    // A user category named `name`, shown, holding copies of the first
    // `count` shapes of the first system category.
    void userCategoryWithShapes(const char* name, int count)
    {
        test::answerInput(name);
        showUserSide();
        dlg->OnCommand(D::ID_NEW_CATEGORY);
        ASSERT_GT(dlg->subLibList(0)->count(), 0);
        dlg->OnSelectSubLib(0, dlg->subLibList(0)->count() - 1);
        CVes_ModelRecordSubLib* target = dlg->shownSubLib();
        CVes_ModelRecordSubLib* source = dlg->currentLib()->getSyslibArray().front().get();
        for (int i = 0; i < count; ++i)
            target->Add_Copy(source->getModelArray()[size_t(i)].get());
        dlg->OnSelectSubLib(1, 0);
        dlg->OnSelectSubLib(0, dlg->subLibList(0)->count() - 1);
    }

    test::HostScope host;
    test::FileDialogScript files;
    std::unique_ptr<D> dlg;
};

struct KindCase {
    int libType;
    const char* title;
    const char* sysPane;
    const char* usePane;
};

class ModelLibKinds : public ModelLib, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ModelLibKinds, ListsTheSubLibrariesAndTheShapesOfTheFirstSystemOne)
{
    const KindCase& c = GetParam();
    open(c.libType);
    EXPECT_EQ(dlg->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(dlg->paneBar()->GetPaneTitle(0)->text(), QString::fromUtf8(c.sysPane));
    EXPECT_EQ(dlg->paneBar()->GetPaneTitle(1)->text(), QString::fromUtf8(c.usePane));
    EXPECT_TRUE(dlg->paneBar()->IsPaneOpen(0));

    const QStringList names = test::storedSubLibNames(1, c.libType);
    ASSERT_FALSE(names.isEmpty());
    QStringList expected;
    for (int i = 0; i < names.size(); ++i)
        expected.append(QStringLiteral("%1、%2").arg(i + 1).arg(names.at(i)));
    EXPECT_EQ(entries(dlg->subLibList(1)), expected);
    EXPECT_TRUE(entries(dlg->subLibList(0)).isEmpty());

    ASSERT_NE(dlg->shownSubLib(), nullptr);
    EXPECT_EQ(dlg->isSysShown(), 1);
    const auto& shapes = dlg->shownSubLib()->getModelArray();
    ASSERT_EQ(dlg->shapeList()->GetItemCount(), int(shapes.size()));
    EXPECT_EQ(dlg->shapeList()->GetItemText(0), shapes.front()->getID().ToString());
    int a = 0, b = 0, v = 0;
    dlg->currentLib()->getVer(a, b, v);
    EXPECT_EQ(dlg->versionText(), QStringLiteral("%1-%2-%3").arg(a).arg(b).arg(v));
    QCoreApplication::processEvents();
    test::saveScreenshot(*dlg, c.libType ? "modellibdlg-start" : "modellibdlg");
    if (c.libType == D::kModelLib) {
        dlg->OnSelectSubLib(1, 2); // the stirrups
        QCoreApplication::processEvents();
        test::saveScreenshot(*dlg, "modellibdlg-stirrups");
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ModelLibKinds,
                         ::testing::Values(KindCase{D::kModelLib, "钢筋大样库", "系统钢筋库", "用户钢筋库"},
                                           KindCase{D::kStartLib, "示意图库", "系统示意图库", "用户示意图库"}),
                         [](const auto& info) { return std::string(info.param.libType ? "StartStyles" : "BarShapes"); });

// How the shape list lays out its thumbnails: their size and the shapes a row.
struct GridCase {
    int libType;
    QSize thumbnail;
    int perRow;
};

void PrintTo(const GridCase& c, std::ostream* os)
{
    *os << (c.libType == D::kModelLib ? "bar shapes" : "start styles");
}

class ModelLibGrid : public ModelLib, public ::testing::WithParamInterface<GridCase> {
protected:
    // The cells of the shown shapes, as the list lays them out now.
    std::vector<QRect> cells() const
    {
        std::vector<QRect> rects;
        CVes_ShapeListCtrl* list = dlg->shapeList();
        for (int i = 0; i < list->count(); ++i)
            rects.push_back(list->visualItemRect(list->item(i)));
        return rects;
    }
};

TEST_P(ModelLibGrid, ThumbnailsKeepTheirSizeAndFillEachRowAtEveryWindowSize)
{
    const GridCase& c = GetParam();
    open(c.libType, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    CVes_ShapeListCtrl* list = dlg->shapeList();
    ASSERT_GE(list->count(), c.perRow + 1);
    EXPECT_EQ(list->iconSize(), c.thumbnail);
    int previousWidth = 0;
    for (const QSize size : {QSize(780, 520), QSize(1400, 900), QSize(700, 480)}) {
        dlg->resize(size);
        QTest::qWait(50);
        QCoreApplication::processEvents();
        const std::vector<QRect> rects = cells();
        const int width = list->viewport()->width();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            // Each cell holds its thumbnail whole; no two cells overlap.
            EXPECT_GE(rects[i].width(), c.thumbnail.width()) << size.width() << " item " << i;
            EXPECT_GE(rects[i].height(), c.thumbnail.height()) << size.width() << " item " << i;
            if (i > 0) {
                EXPECT_FALSE(rects[i].intersects(rects[i - 1])) << size.width() << " item " << i;
            }
        }
        // The first row holds the shapes a row, side by side across the list.
        const int firstRow = int(std::count_if(rects.begin(), rects.end(),
                                               [&](const QRect& r) { return r.top() == rects.front().top(); }));
        EXPECT_EQ(firstRow, c.perRow) << size.width();
        // The cells share the list's width out, less 20 pixels each.
        const int cell = list->gridSize().width();
        EXPECT_EQ(cell, std::max(width / c.perRow - 20, c.thumbnail.width() + D::kCellMargin)) << size.width();
        EXPECT_LE(cell * c.perRow, width);
        // A wider window gives wider cells: they were laid out again.
        if (size.width() > 780) {
            EXPECT_GT(cell, previousWidth);
        }
        previousWidth = cell;
        // Each caption fits its cell, so none is cut short.
        const QFontMetrics metrics(list->font());
        for (std::size_t i = 0; i < rects.size(); ++i)
            for (const QString& line : list->item(int(i))->text().split(u'\n')) {
                EXPECT_LE(metrics.horizontalAdvance(line), list->gridSize().width()) << line.toStdString();
            }
    }
    test::saveScreenshot(*dlg, c.libType == D::kModelLib ? "modellib-small" : "startlib-small");
}

INSTANTIATE_TEST_SUITE_P(Kinds, ModelLibGrid,
                         ::testing::Values(GridCase{D::kModelLib, QSize(200, 40), 2},
                                           GridCase{D::kStartLib, QSize(90, 70), 3}));

TEST_F(ModelLib, SwitchingPanesShowsThatPanesSelectionOrNothing)
{
    open();
    // The user side is empty at first: nothing shown.
    showUserSide();
    EXPECT_EQ(dlg->shownSubLib(), nullptr);
    EXPECT_EQ(dlg->shapeList()->GetItemCount(), 0);
    // Back on the system side its selection comes back.
    dlg->OnSelectSubLib(1, 2);
    CVes_ModelRecordSubLib* third = dlg->shownSubLib();
    showUserSide();
    dlg->paneBar()->OpenPane(0);
    dlg->OnPaneClicked(dlg->subLibList(1));
    EXPECT_EQ(dlg->shownSubLib(), third);
    EXPECT_EQ(dlg->subLibList(1)->currentRow(), 2);
}

struct StateCase {
    int id;
    bool systemSelected; // on a system category with a shape selected
    bool userSelected;   // on a user category with a shape selected
    bool userNone;       // on a user category without a selection
};

class ModelLibStates : public ModelLib, public ::testing::WithParamInterface<StateCase> {};

TEST_P(ModelLibStates, CommandsFollowTheSideAndTheSelection)
{
    const StateCase& c = GetParam();
    open();
    select(0);
    EXPECT_EQ(dlg->isCommandEnabled(c.id), c.systemSelected) << "system " << c.id;
    userCategoryWithShapes("我的", 2);
    select(0);
    EXPECT_EQ(dlg->isCommandEnabled(c.id), c.userSelected) << "user " << c.id;
    select(-1);
    EXPECT_EQ(dlg->isCommandEnabled(c.id), c.userNone) << "user, none " << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ModelLibStates,
    ::testing::Values(StateCase{D::ID_NEW_CATEGORY, false, true, true},
                      StateCase{D::ID_DELETE_CATEGORY, false, true, true},
                      StateCase{D::ID_RENAME_CATEGORY, false, true, true},
                      StateCase{D::ID_NEW_SHAPE, false, true, true},
                      StateCase{D::ID_NEW_SHAPE_FROM, true, true, true},
                      StateCase{D::ID_MODIFY_SHAPE, false, true, false},
                      StateCase{D::ID_COPY_SHAPE, true, true, false},
                      StateCase{D::ID_CUT_SHAPE, false, true, false},
                      StateCase{D::ID_DELETE_SHAPE, false, true, false},
                      StateCase{D::ID_PASTE_SHAPE, false, false, false}, // nothing copied yet
                      StateCase{D::ID_IMPORT_LIB, true, true, true},
                      StateCase{D::ID_RESTORE_LIB, true, true, true}),
    [](const auto& info) { return "Command" + std::to_string(info.param.id); });

TEST_F(ModelLib, SystemSideRefusesEditsWithoutTheManageFlag)
{
    open();
    select(0);
    const QStringList before = shownKeys(*dlg);
    dlg->OnCommand(D::ID_NEW_SHAPE);
    dlg->OnCommand(D::ID_DELETE_SHAPE);
    dlg->OnCommand(D::ID_CUT_SHAPE);
    dlg->OnCommand(D::ID_COPY_SHAPE);
    dlg->OnCommand(D::ID_PASTE_SHAPE);
    dlg->OnMoveBack();
    EXPECT_EQ(shownKeys(*dlg), before);
    EXPECT_EQ(host->messageTexts(),
              QStringList({QStringLiteral("不能在系统库中新建钢筋！"), QStringLiteral("系统库不能新建大样")}));
    ASSERT_NE(dlg->clipboardRecord(), nullptr);
}

TEST_F(ModelLib, UserCategoriesAreAddedRenamedAndDeleted)
{
    open();
    showUserSide();
    test::answerInput("梁筋", "创建钢筋库子类");
    dlg->OnCommand(D::ID_NEW_CATEGORY);
    test::answerInput("柱筋", "创建钢筋库子类");
    dlg->OnCommand(D::ID_NEW_CATEGORY);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、梁筋"), QStringLiteral("2、柱筋")}));
    EXPECT_EQ(dlg->currentLib()->getUselibArray()[1]->MainId(), 202);

    dlg->OnSelectSubLib(0, 1);
    test::answerInput("墙筋", "重命名钢筋库子类");
    dlg->OnCommand(D::ID_RENAME_CATEGORY);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、梁筋"), QStringLiteral("2、墙筋")}));

    // Nothing is written before OK.
    EXPECT_TRUE(test::storedSubLibNames(0).isEmpty());

    host->script({Answer::No});
    dlg->OnCommand(D::ID_DELETE_CATEGORY);
    EXPECT_EQ(dlg->subLibList(0)->count(), 2);
    host->script({Answer::Yes});
    dlg->OnCommand(D::ID_DELETE_CATEGORY);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、梁筋")}));
    EXPECT_EQ(dlg->shownSubLib(), dlg->currentLib()->getUselibArray()[0].get());
    ASSERT_EQ(host->messages().size(), 2u);
    EXPECT_EQ(host->messages()[0].text, QStringLiteral("确定要删除选中的钢筋类别及其所属的所有钢筋大样吗？"));
    EXPECT_EQ(host->messages()[0].title, QStringLiteral("请再次确认"));

    dlg->accept();
    EXPECT_EQ(test::storedSubLibNames(0), QStringList({QStringLiteral("梁筋")}));
}

TEST_F(ModelLib, CancelLeavesTheFilesAndOkWritesTheUserLibrary)
{
    const QString useFile = CVes_ModelRecordMainLib::useLibPath();
    open();
    const QByteArray before = bytesOf(useFile);
    showUserSide();
    test::answerInput("新类别");
    dlg->OnCommand(D::ID_NEW_CATEGORY);
    dlg->reject();
    EXPECT_EQ(bytesOf(useFile), before);

    QFile::remove(useFile);
    open();
    dlg->accept();
    EXPECT_TRUE(QFile::exists(useFile)); // written although nothing changed
}

struct IdCase {
    const char* text;
    int expected;     // the sub-library's main id afterwards
    bool refused;     // with a message
};

class ModelLibSubLibIds : public ModelLib, public ::testing::WithParamInterface<IdCase> {};

TEST_P(ModelLibSubLibIds, RenumberingKeepsKeysUniqueAndOnTheirSide)
{
    const IdCase& c = GetParam();
    open();
    userCategoryWithShapes("甲", 1);
    userCategoryWithShapes("乙", 1); // 202
    dlg->OnSelectSubLib(0, 0);       // 201
    test::answerInput(c.text, "重新编号钢筋库子类");
    dlg->OnCommand(D::ID_CHANGE_SUBLIB_ID);
    SubLibArray& use = dlg->currentLib()->getUselibArray();
    const auto first = std::find_if(use.begin(), use.end(), [](const auto& s) { return s->name() == QStringLiteral("甲"); });
    ASSERT_NE(first, use.end());
    EXPECT_EQ((*first)->MainId(), c.expected);
    EXPECT_EQ((*first)->getModelArray().front()->getID().m_mainId, c.expected);
    EXPECT_EQ(host->messageTexts().size(), c.refused ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Ids, ModelLibSubLibIds,
                         ::testing::Values(IdCase{"250", 250, false}, IdCase{"0", 201, false},
                                           IdCase{"abc", 201, false}, IdCase{"202", 201, true},
                                           IdCase{"150", 201, true}, IdCase{"400", 201, true},
                                           IdCase{"-5", 201, true}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST_F(ModelLib, RenumberedSubLibrariesAreSorted)
{
    open();
    userCategoryWithShapes("甲", 1);
    userCategoryWithShapes("乙", 1);
    dlg->OnSelectSubLib(0, 0);
    test::answerInput("205");
    dlg->OnCommand(D::ID_CHANGE_SUBLIB_ID);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、乙"), QStringLiteral("2、甲")}));
}

TEST_F(ModelLib, NewShapeAsksForACategoryFirstAndSavesWithABackup)
{
    int edited = 0;
    D::setShapeEditor([&](CVes_ModelRecord* record, int startLib) {
        ++edited;
        EXPECT_EQ(startLib, 0);
        CVes_ModelRecordMainLib lib;
        record->set(lib.getModel(CSteelRecordId(191, 2), 1));
        return int(D::IDOK);
    });
    D::setSaveToChooser([](SubLibArray& libs, CVes_ModelRecordSubLib** chosen) {
        *chosen = libs.front().get();
        return int(D::IDOK);
    });
    open();
    showUserSide();
    test::answerInput("自建", "创建钢筋库子类");
    dlg->OnCommand(D::ID_NEW_SHAPE);
    EXPECT_EQ(edited, 1);
    ASSERT_EQ(dlg->currentLib()->getUselibArray().size(), 1u);
    // Saved at once, no OK needed.
    CVes_ModelRecordMainLib stored;
    stored.loadLib(QString(), 0);
    ASSERT_EQ(stored.getUselibArray().size(), 1u);
    ASSERT_EQ(stored.getUselibArray()[0]->getModelArray().size(), 1u);
    EXPECT_EQ(stored.getUselibArray()[0]->getModelArray()[0]->getID(), CSteelRecordId(201, 1));
    EXPECT_TRUE(host->messageTexts().isEmpty());

    // A second shape: the library file now exists and is backed up first.
    host->setNow(QDateTime(QDate(2026, 3, 4), QTime(5, 6)));
    dlg->OnCommand(D::ID_NEW_SHAPE);
    EXPECT_TRUE(QFile::exists(GetRODOFilePath() + QStringLiteral("userdata/用户钢筋库备份_2026_03_04_05_06.jlb")));
}

TEST_F(ModelLib, NewShapeFromASystemShapeGoesToAUserCategory)
{
    D::setShapeEditor([](CVes_ModelRecord*, int) { return int(D::IDOK); });
    CVes_ModelRecordSubLib* offered = nullptr;
    D::setSaveToChooser([&](SubLibArray& libs, CVes_ModelRecordSubLib** chosen) {
        offered = libs.empty() ? nullptr : libs.back().get();
        *chosen = offered;
        return int(D::IDOK);
    });
    open();
    userCategoryWithShapes("甲", 0);
    dlg->OnSelectSubLib(1, 0);
    select(1);
    const CVes_ModelRecord* source = dlg->getSelectShape();
    dlg->OnCommand(D::ID_NEW_SHAPE_FROM);
    ASSERT_NE(offered, nullptr);
    EXPECT_EQ(offered->name(), QStringLiteral("甲"));
    ASSERT_EQ(offered->getModelArray().size(), 1u);
    EXPECT_TRUE(offered->getModelArray()[0]->isSame(source));
}

TEST_F(ModelLib, TheShapeEditorAndTheSaveToDialogOfTheProgramAreUsed)
{
    open();
    userCategoryWithShapes("甲", 0);
    userCategoryWithShapes("乙", 0);
    dlg->OnSelectSubLib(1, 0);
    select(0);
    const CVes_ModelRecord* source = dlg->getSelectShape();
    QStringList offered;
    test::onNextModal<CShapeEditorDlg>([&](CShapeEditorDlg* editor) {
        test::onNextModal<CSaveToCategoryDlg>([&](CSaveToCategoryDlg* saveTo) {
            for (int i = 0; i < saveTo->list()->count(); ++i)
                offered.append(saveTo->list()->item(i)->text());
            saveTo->list()->setCurrentRow(1);
            saveTo->OnOK();
        });
        editor->OnOK();
    });
    dlg->OnCommand(D::ID_NEW_SHAPE_FROM);
    EXPECT_EQ(offered.size(), 2);
    const SubLibArray& use = dlg->currentLib()->getUselibArray();
    ASSERT_EQ(use.size(), 2u);
    ASSERT_EQ(use[1]->getModelArray().size(), 1u) << offered.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(use[1]->getModelArray()[0]->isSame(source));
    EXPECT_TRUE(use[0]->getModelArray().empty());

    // Cancelled in the editor: nothing changes.
    userCategoryWithShapes("丙", 1);
    select(0);
    const QStringList before = shownKeys(*dlg);
    test::onNextModal<CShapeEditorDlg>([](CShapeEditorDlg* editor) { editor->OnCancel(); });
    dlg->OnCommand(D::ID_MODIFY_SHAPE);
    EXPECT_EQ(shownKeys(*dlg), before);
}

TEST_F(ModelLib, ModifyTakesTheEditedCopyOnlyOnOk)
{
    int answer = D::IDCANCEL;
    D::setShapeEditor([&](CVes_ModelRecord* record, int) {
        record->m_stirrup = 1;
        return answer;
    });
    open();
    userCategoryWithShapes("甲", 2);
    select(1);
    dlg->OnCommand(D::ID_MODIFY_SHAPE);
    EXPECT_EQ(dlg->shownSubLib()->getModelArray()[1]->m_stirrup, 0);
    answer = D::IDOK;
    dlg->OnCommand(D::ID_MODIFY_SHAPE);
    EXPECT_EQ(dlg->shownSubLib()->getModelArray()[1]->m_stirrup, 1);
    CVes_ModelRecordMainLib stored;
    stored.loadLib(QString(), 0);
    ASSERT_EQ(stored.getUselibArray().size(), 1u);
    EXPECT_EQ(stored.getUselibArray()[0]->getModelArray()[1]->m_stirrup, 1);
}

TEST_F(ModelLib, CopyCutPasteAndDeleteOnTheUserSide)
{
    open();
    userCategoryWithShapes("甲", 3);
    const QStringList keys = shownKeys(*dlg);
    select(0);
    dlg->OnCommand(D::ID_CUT_SHAPE);
    EXPECT_EQ(shownKeys(*dlg), keys.mid(1));
    ASSERT_NE(dlg->clipboardRecord(), nullptr);
    EXPECT_TRUE(dlg->isCommandEnabled(D::ID_PASTE_SHAPE));
    dlg->OnCommand(D::ID_PASTE_SHAPE);
    EXPECT_EQ(dlg->shownSubLib()->getModelArray().size(), 3u);
    select(0);
    dlg->OnCommand(D::ID_DELETE_SHAPE);
    EXPECT_EQ(dlg->shownSubLib()->getModelArray().size(), 2u);
    EXPECT_TRUE(host->messageTexts().isEmpty());
}

TEST_F(ModelLib, MoveButtonsSwapNeighboursAndStopAtTheEnds)
{
    open();
    userCategoryWithShapes("甲", 3);
    const QStringList k = shownKeys(*dlg);
    select(0);
    dlg->OnMoveForward();
    EXPECT_EQ(shownKeys(*dlg), k);
    dlg->OnMoveBack();
    EXPECT_EQ(shownKeys(*dlg), QStringList({k[1], k[0], k[2]}));
    EXPECT_EQ(dlg->getSelectShape()->getID().ToString(), k[0]);
    dlg->OnMoveBack();
    dlg->OnMoveBack();
    EXPECT_EQ(shownKeys(*dlg), QStringList({k[1], k[2], k[0]}));
    select(1);
    dlg->OnMoveForward();
    EXPECT_EQ(shownKeys(*dlg), QStringList({k[2], k[1], k[0]}));
}

struct MoveToCase {
    const char* answer; // null: cancelled
    int item;           // the moved shape
    const char* order;  // positions of the first category's keys afterwards
};

class ModelLibMoveTo : public ModelLib, public ::testing::WithParamInterface<MoveToCase> {};

TEST_P(ModelLibMoveTo, PlacesTheShapeBeforeTheOneWithTheKey)
{
    const MoveToCase& c = GetParam();
    open(D::kModelLib, 1);
    userCategoryWithShapes("甲", 4);
    const QStringList k = shownKeys(*dlg); // 201-001 … 201-004
    select(c.item);
    test::answerInput(c.answer, "请输入移动位置");
    dlg->OnMoveTo();
    QStringList expected;
    for (const QString& digit : QString::fromLatin1(c.order).split(QLatin1Char(' ')))
        expected.append(k[digit.toInt()]);
    EXPECT_EQ(shownKeys(*dlg), expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, ModelLibMoveTo,
                         ::testing::Values(MoveToCase{"201-002", 3, "0 3 1 2"}, MoveToCase{"201-1", 2, "2 0 1 3"},
                                           MoveToCase{"201-009", 3, "0 1 2 3"}, MoveToCase{"999-001", 3, "0 1 2 3"},
                                           MoveToCase{"abc", 3, "0 1 2 3"}, MoveToCase{nullptr, 3, "0 1 2 3"},
                                           MoveToCase{"201-004", 3, "0 1 2 3"}),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST_F(ModelLib, ADamagedUserNumberFileIsReportedAndKept)
{
    const QString path = CVes_SteelModelUserIdLib::steelFilePath();
    const QByteArray damaged("<STEEL_USERIDLIB><USERID><RECORDID>101-005</RECORDID><USERID>5");
    ASSERT_TRUE(platform::saveFile(path, damaged));
    open();
    select(0);
    dlg->OnUserNumber(); // asks for no number: none is scripted
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(host->messageTexts()[0],
              QStringLiteral("用户自定义编号文件无法读取，修改将不能保存：\n%1").arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(bytesOf(path), damaged);
    QFile::remove(path);
}

TEST_F(ModelLib, UserNumbersAskBeforeTakingAnotherShapesNumber)
{
    open();
    select(0);
    const CSteelRecordId first = dlg->getSelectShape()->getID();
    test::answerInput("  A1", "钢筋大样用户自定义编号");
    dlg->OnUserNumber();
    CVes_SteelModelUserIdLib ids;
    ids.readFile();
    EXPECT_EQ(ids.getUseId(first), QStringLiteral("A1"));
    EXPECT_EQ(dlg->shapeList()->GetItemText(0), first.ToString() + QStringLiteral("(自定义：A1)"));

    select(1);
    const CSteelRecordId second = dlg->getSelectShape()->getID();
    host->script({Answer::No});
    test::answerInput("A1");
    dlg->OnUserNumber();
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(host->messageTexts()[0], QStringLiteral("用户自定义编号[A1]已经用于[%1-%2],是否继续？")
                                          .arg(first.m_mainId)
                                          .arg(first.m_recordNo));
    ids.readFile();
    EXPECT_EQ(ids.getRecordId(QStringLiteral("A1")), first);

    host->script({Answer::Yes});
    test::answerInput("A1");
    dlg->OnUserNumber();
    ids.readFile();
    EXPECT_EQ(ids.getRecordId(QStringLiteral("A1")), second);
    EXPECT_EQ(ids.getUseId(first), QString());
}

TEST_F(ModelLib, ImportsALibraryFileIntoTheUserSide)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("外部.jlb"));
    {
        CVes_ModelRecordMainLib source;
        source.loadLib(QString(), 1);
        CVes_ModelRecordSubLib* sub = source.AddNewSubLib(QStringLiteral("外来"), 0);
        sub->Add_Copy(source.getSyslibArray()[0]->getModelArray()[0].get());
        sub->Add_Copy(source.getSyslibArray()[0]->getModelArray()[1].get());
        ASSERT_TRUE(source.saveLib(path, 0));
    }
    open();
    files.answers = {path};
    dlg->OnCommand(D::ID_IMPORT_LIB);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_FALSE(files.requests[0].save);
    EXPECT_EQ(files.requests[0].defaultName, QStringLiteral("*.jlb"));
    EXPECT_EQ(files.requests[0].filter,
              QStringLiteral("钢筋大样库文件 (*.jlb);;钢筋大样文件 (*.stl);;所有文件 (*)"));
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、外来")}));
    EXPECT_EQ(dlg->currentLib()->getUselibArray()[0]->getModelArray().size(), 2u);
    EXPECT_TRUE(host->messageTexts().isEmpty());
}

TEST_F(ModelLib, AFailedImportIsReportedAndChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("坏.jlb"));
    ASSERT_TRUE(platform::saveFile(path, QByteArray("\x01\x02\x03 not a library")));
    open();
    userCategoryWithShapes("甲", 2);
    files.answers = {path};
    dlg->OnCommand(D::ID_IMPORT_LIB);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、甲")}));
    EXPECT_EQ(dlg->currentLib()->getUselibArray()[0]->getModelArray().size(), 2u);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts()[0].startsWith(QStringLiteral("导入失败")));
}

TEST_F(ModelLib, AFailedShapeImportIsReportedAndChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("坏.stl"));
    ASSERT_TRUE(platform::saveFile(path, QByteArray("\x01\x00\x00\x00 not a shape", 17)));
    open();
    userCategoryWithShapes("甲", 2);
    files.answers = {path};
    dlg->OnCommand(D::ID_IMPORT_SHAPE);
    EXPECT_EQ(dlg->currentLib()->getUselibArray()[0]->getModelArray().size(), 2u);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts()[0].startsWith(QStringLiteral("导入失败")));
}

TEST_F(ModelLib, BackupAndRestoreTheUserLibrary)
{
    QTemporaryDir dir;
    const QString backup = dir.filePath(QStringLiteral("备份.jlb"));
    host->setNow(QDateTime(QDate(2026, 12, 9), QTime(21, 30)));
    open();
    userCategoryWithShapes("甲", 2);
    files.answers = {backup};
    dlg->OnCommand(D::ID_BACKUP_LIB);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_TRUE(files.requests[0].save);
    EXPECT_EQ(files.requests[0].defaultName, QStringLiteral("用户钢筋库备份_2026_12_09_21_30.jlb"));
    ASSERT_TRUE(QFile::exists(backup));

    // Later changes are undone by the restore.
    test::answerInput("乙");
    dlg->OnCommand(D::ID_NEW_CATEGORY);
    EXPECT_EQ(dlg->subLibList(0)->count(), 2);

    host->script({Answer::Yes, Answer::Yes});
    files.answers = {backup};
    dlg->OnCommand(D::ID_RESTORE_LIB);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、甲")}));
    EXPECT_EQ(dlg->shownSubLib(), dlg->currentLib()->getUselibArray()[0].get());
    EXPECT_EQ(dlg->shapeList()->GetItemCount(), 2);
    EXPECT_EQ(test::storedSubLibNames(0), QStringList({QStringLiteral("甲")}));
    // The system side is untouched.
    EXPECT_EQ(dlg->subLibList(1)->count(), test::storedSubLibNames(1).size());
}

TEST_F(ModelLib, RestoreAsksTwiceAndKeepsTheLibraryWhenTheFileIsBad)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("坏.jlb"));
    ASSERT_TRUE(platform::saveFile(bad, QByteArray("garbage!")));
    open();
    userCategoryWithShapes("甲", 2);

    host->script({Answer::No});
    dlg->OnCommand(D::ID_RESTORE_LIB);
    EXPECT_TRUE(files.requests.empty()); // no file asked for

    host->script({Answer::Yes, Answer::No});
    files.answers = {bad};
    dlg->OnCommand(D::ID_RESTORE_LIB);
    EXPECT_EQ(dlg->subLibList(0)->count(), 1);

    host->clear();
    host->script({Answer::Yes, Answer::Yes});
    files.answers = {bad};
    dlg->OnCommand(D::ID_RESTORE_LIB);
    EXPECT_EQ(entries(dlg->subLibList(0)), QStringList({QStringLiteral("1、甲")}));
    EXPECT_EQ(dlg->shapeList()->GetItemCount(), 2);
    ASSERT_EQ(host->messageTexts().size(), 3);
    EXPECT_TRUE(host->messageTexts()[2].startsWith(QStringLiteral("恢复失败")));
}

TEST_F(ModelLib, ExportsAndImportsASingleShape)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("一个.stl"));
    D::setSaveToChooser([](SubLibArray& libs, CVes_ModelRecordSubLib** chosen) {
        *chosen = libs.front().get();
        return int(D::IDOK);
    });
    open();
    select(2);
    const CVes_ModelRecord* shape = dlg->getSelectShape();
    files.answers = {path};
    dlg->OnCommand(D::ID_EXPORT_SHAPE);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].defaultName, shape->getID().ToString() + QStringLiteral(".stl"));
    EXPECT_EQ(files.requests[0].filter, QStringLiteral("钢筋大样文件 (*.stl);;所有文件 (*)"));
    ASSERT_TRUE(QFile::exists(path));

    // Imported while no user category exists: one is asked for first.
    test::answerInput("导入");
    files.answers = {path};
    dlg->OnCommand(D::ID_IMPORT_SHAPE);
    CVes_ModelRecordMainLib stored;
    stored.loadLib(QString(), 0);
    ASSERT_EQ(stored.getUselibArray().size(), 1u);
    ASSERT_EQ(stored.getUselibArray()[0]->getModelArray().size(), 1u);
    EXPECT_TRUE(stored.getUselibArray()[0]->getModelArray()[0]->isSame(shape));

    // A file that is no shape adds nothing.
    const QString empty = dir.filePath(QStringLiteral("空.stl"));
    ASSERT_TRUE(platform::saveFile(empty, QByteArray()));
    files.answers = {empty};
    dlg->OnCommand(D::ID_IMPORT_SHAPE);
    EXPECT_EQ(dlg->currentLib()->getUselibArray()[0]->getModelArray().size(), 1u);
}

TEST_F(ModelLib, ExportingToAnUnwritablePlaceIsReported)
{
    open();
    select(0);
    files.answers = {QStringLiteral("/proc/no/such/place.stl")};
    dlg->OnCommand(D::ID_EXPORT_SHAPE);
    files.answers = {QStringLiteral("/proc/no/such/place.jlb")};
    dlg->OnCommand(D::ID_EXPORT_LIB);
    const QStringList texts = host->messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("文件保存失败")));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("文件保存失败")));
}

TEST_F(ModelLib, AFailedSaveOnOkIsReported)
{
    open();
    userCategoryWithShapes("甲", 1);
    // The library file's place is taken by a folder: it cannot be written.
    const QString useFile = CVes_ModelRecordMainLib::useLibPath();
    QFile::remove(useFile);
    ASSERT_TRUE(QDir().mkpath(useFile));
    dlg->accept();
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts()[0].startsWith(QStringLiteral("钢筋大样库保存失败")));
    QDir(useFile).removeRecursively();
}

// A user library one byte short of the 2,274 bytes the dialog wrote for a
// category of three shapes.
class DamagedUserLibrary : public ModelLib, public ::testing::WithParamInterface<int> {};

TEST_P(DamagedUserLibrary, IsReportedWithItsPlaceAndNeverWrittenOver)
{
    const int libType = GetParam();
    const QString path = libType == D::kStartLib ? CVes_ModelStartMainLib().m_usePath
                                                 : CVes_ModelRecordMainLib::useLibPath();
    const QByteArray damaged = RODO_FIXTURE("user_library_cut_short.jlb");
    ASSERT_EQ(damaged.size(), 2273);
    ASSERT_TRUE(platform::saveFile(path, damaged));

    open(libType, 1);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_TRUE(host->messageTexts()[0].contains(QStringLiteral("文件无法读取，修改将不能保存")));
    EXPECT_TRUE(host->messageTexts()[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(dlg->subLibList(0)->count(), 0);

    // A new category and OK (which is also how a shape is chosen) leave the
    // file as it was, and say nothing more.
    showUserSide();
    test::answerInput("新类别");
    dlg->OnCommand(D::ID_NEW_CATEGORY);
    select(0);
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(bytesOf(path), damaged);
    QFile::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedUserLibrary, ::testing::Values(D::kModelLib, D::kStartLib),
                         [](const auto& info) { return info.param == D::kStartLib ? "Starts" : "Shapes"; });

TEST_F(ModelLib, OkChoosesTheLastSelectedShape)
{
    open();
    select(1);
    const CVes_ModelRecord* expected = dlg->getSelectShape();
    dlg->shapeList()->SetItemState(0, kSelected, kSelected);
    EXPECT_EQ(dlg->getSelectShape(), expected); // the last selected counts
    dlg->accept();
    EXPECT_EQ(dlg->chosenRecord(), expected);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(ModelLib, ManageModeEditsLabelsAndRefusesDuplicateNumbers)
{
    open(D::kModelLib, 1);
    select(0);
    EXPECT_TRUE(dlg->isCommandEnabled(D::ID_DELETE_SHAPE)); // the system side is editable
    EXPECT_FALSE(dlg->findChild<QWidget*>(QString::number(D::kIdMoveTo))->isHidden());
    EXPECT_TRUE(dlg->findChild<QWidget*>(QString::number(D::kIdVerText))->isHidden());
    const int mainId = dlg->shownSubLib()->MainId();
    dlg->OnEndLabelEdit(0, QStringLiteral("%1-050").arg(mainId));
    EXPECT_EQ(dlg->shownSubLib()->getModelArray()[0]->getID(), CSteelRecordId(mainId, 50));
    dlg->OnEndLabelEdit(1, QStringLiteral("50"));
    dlg->OnEndLabelEdit(1, QStringLiteral("0"));
    EXPECT_EQ(dlg->shownSubLib()->getModelArray()[1]->getID(), CSteelRecordId(mainId, 2));
    EXPECT_EQ(host->messageTexts().size(), 2);
}

TEST_F(ModelLib, MouseAndKeyboardOnTheShapeList)
{
    open();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    select(1);
    CVes_ShapeListCtrl* list = dlg->shapeList();
    // A click beside every thumbnail keeps the selection.
    const QRect last = list->visualItemRect(list->item(list->GetItemCount() - 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(list->viewport()->width() - 3, last.bottom() + 40));
    EXPECT_EQ(dlg->getSelectShape(), dlg->shownSubLib()->getModelArray()[1].get());

    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    ASSERT_NE(dlg->clipboardRecord(), nullptr);
    EXPECT_TRUE(dlg->clipboardRecord()->isSame(dlg->getSelectShape()));

    // A double click chooses the shape.
    const QRect first = list->visualItemRect(list->item(0));
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->chosenRecord(), dlg->shownSubLib()->getModelArray()[0].get());
}

TEST_F(ModelLib, ManageModeSavesTheVersionWithTheSystemLibrary)
{
    open(D::kModelLib, 1);
    dlg->findChild<QLineEdit*>(QString::number(D::kIdVer1))->setText(QStringLiteral("2026"));
    dlg->findChild<QLineEdit*>(QString::number(D::kIdVer2))->setText(QStringLiteral("12"));
    dlg->findChild<QLineEdit*>(QString::number(D::kIdVer3))->setText(QStringLiteral("9"));
    dlg->OnSave();
    CVes_ModelRecordMainLib stored;
    ASSERT_TRUE(stored.loadLib(QString(), 1));
    int a = 0, b = 0, c = 0;
    stored.getVer(a, b, c);
    EXPECT_EQ(QList<int>({a, b, c}), QList<int>({2026, 12, 9}));
}

TEST(ModelLibFilters, WindowsFiltersBecomeQtFilters)
{
    EXPECT_EQ(qtFileFilter(QStringLiteral("钢筋大样文件(*.stl)|*.stl|所有文件(*.*)|*.*||")),
              QStringLiteral("钢筋大样文件 (*.stl);;所有文件 (*)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("图(*.a;*.b)|*.a;*.b||")), QStringLiteral("图 (*.a *.b)"));
    EXPECT_EQ(qtFileFilter(QString()), QString());
}

} // namespace
