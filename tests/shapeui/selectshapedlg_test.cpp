#include "shapeui/selectshapedlg.h"

#include "shapeui/bendkitexports.h"
#include "shapeui/commonbar.h"
#include "shapeui/commonbareditdlg.h"
#include "shapeui/modellibdlg.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"
#include "tests/shapeui/modellibdlg_testing.h"
#include "tests/shapeui/shapelist_support.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using test::kSelected;
using test::keysIn;
using test::keysOf;
using test::selectOnly;

QByteArray listFileBytes(const QString& name)
{
    QFile file(listFilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SelectShape : public ::testing::Test {
protected:
    void SetUp() override
    {
        CVes_SelectShapeDlg::rememberedTab(kSteelLibKind) = 0;
        CVes_SelectShapeDlg::rememberedTab(kStartLibKind) = 0;
    }
    test::HostScope host;
};

struct ShapeKindCase {
    int libKind;
    const char* libraryTab;
};

class SelectShapeKinds : public SelectShape, public ::testing::WithParamInterface<ShapeKindCase> {};

TEST_P(SelectShapeKinds, TabsAreTheCategoriesAndTheLibrary)
{
    const ShapeKindCase& c = GetParam();
    CommonBarCategories categories;
    ASSERT_TRUE(categories.readCategoryFile(c.libKind));
    ASSERT_FALSE(categories.names().isEmpty());

    CVes_SelectShapeDlg dlg(c.libKind);
    dlg.show();
    QStringList captions;
    for (int i = 0; i < dlg.tabCtrl()->GetItemCount(); ++i)
        captions.append(dlg.tabCtrl()->GetItemText(i));
    EXPECT_EQ(captions, categories.names() + QStringList({QString::fromUtf8(c.libraryTab)}));
    EXPECT_EQ(dlg.currentTab(), 0);
    EXPECT_EQ(keysOf(dlg.categoryList(0)), keysIn(categories.files().at(0)));
    EXPECT_EQ(dlg.shapeList()->GetItemCount(), int(dlg.categoryList(0).size()));
    EXPECT_FALSE(dlg.manageButton()->isEnabled());
    dlg.OnTabChanged(1);
    dlg.tabCtrl()->SetCurSel(1);
    EXPECT_TRUE(dlg.manageButton()->isEnabled());
    EXPECT_EQ(keysOf(dlg.categoryList(1)), keysIn(categories.files().at(1)));
    QCoreApplication::processEvents();
    test::saveScreenshot(dlg, c.libKind ? "selectshapedlg-start" : "selectshapedlg");
}

INSTANTIATE_TEST_SUITE_P(Kinds, SelectShapeKinds,
                         ::testing::Values(ShapeKindCase{kSteelLibKind, "从钢筋库调用"},
                                           ShapeKindCase{kStartLibKind, "从示意图库调用"}),
                         [](const auto& info) { return std::string(info.param.libKind ? "StartStyles" : "BarShapes"); });

TEST_F(SelectShape, OkGivesTheLastSelectedKeyAndCancelGivesNothing)
{
    QString expected;
    test::onNextModal<CVes_SelectShapeDlg>([&](CVes_SelectShapeDlg* dlg) {
        selectOnly(dlg->shapeList(), 1);
        dlg->shapeList()->SetItemState(3, kSelected, kSelected);
        expected = dlg->categoryList(0)[3]->getID().ToString();
        dlg->accept();
    });
    CSteelRecordId key(5, 5);
    EXPECT_EQ(quickSelectSteelNew(&key), 1);
    EXPECT_EQ(key.ToString(), expected);

    test::onNextModal<CVes_SelectShapeDlg>([](CVes_SelectShapeDlg* dlg) {
        selectOnly(dlg->shapeList(), 1);
        dlg->reject();
    });
    key = CSteelRecordId(5, 5);
    EXPECT_EQ(quickSelectSteelNew(&key), 2);
    EXPECT_EQ(key, CSteelRecordId(5, 5));

    // OK without a selection: 1 and the null key.
    test::onNextModal<CVes_SelectShapeDlg>([](CVes_SelectShapeDlg* dlg) {
        selectOnly(dlg->shapeList(), -1);
        dlg->accept();
    });
    EXPECT_EQ(quickSelectStartNew(&key), 1);
    EXPECT_EQ(key, CSteelRecordId(-1, -1));
}

TEST_F(SelectShape, TheLastTabIsRememberedPerKind)
{
    test::onNextModal<CVes_SelectShapeDlg>([](CVes_SelectShapeDlg* dlg) {
        dlg->tabCtrl()->SetCurSel(2);
        dlg->OnTabChanged(2);
        dlg->accept();
    });
    CSteelRecordId key;
    quickSelectSteelNew(&key);
    EXPECT_EQ(CVes_SelectShapeDlg::rememberedTab(kSteelLibKind), 2);
    EXPECT_EQ(CVes_SelectShapeDlg::rememberedTab(kStartLibKind), 0);

    CVes_SelectShapeDlg again;
    again.show();
    EXPECT_EQ(again.currentTab(), 2);
    EXPECT_EQ(again.tabCtrl()->GetCurSel(), 2);

    // A remembered tab the categories no longer reach opens tab 1.
    CVes_SelectShapeDlg::rememberedTab(kSteelLibKind) = 99;
    CVes_SelectShapeDlg beyond;
    beyond.show();
    EXPECT_EQ(beyond.currentTab(), 1);
}

TEST_F(SelectShape, AShapeFromTheLibraryIsChosenAndJoinsTheFirstList)
{
    CommonBarCategories categories;
    categories.readCategoryFile(kSteelLibKind);
    const QString firstFile = categories.files().at(0);
    const QStringList before = keysIn(firstFile);
    QString chosen;
    test::onNextModal<CVes_SelectShapeDlg>([&](CVes_SelectShapeDlg* dlg) {
        selectOnly(dlg->shapeList(), 0); // overridden by the library's choice
        test::onNextModal<CVes_ModelLibDlg>([&](CVes_ModelLibDlg* lib) {
            lib->OnSelectSubLib(1, lib->subLibList(1)->count() - 1);
            lib->selectShape(1);
            chosen = lib->getSelectShape()->getID().ToString();
            lib->accept();
        });
        const int last = dlg->tabCtrl()->GetItemCount() - 1;
        dlg->tabCtrl()->setCurrentIndex(last); // as the user's click
    });
    CSteelRecordId key;
    ASSERT_EQ(quickSelectSteelNew(&key), 1);
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_FALSE(before.contains(chosen));
    EXPECT_EQ(key.ToString(), chosen);
    EXPECT_EQ(keysIn(firstFile), QStringList({chosen}) + before);
}

TEST_F(SelectShape, ACancelledLibraryGoesBackToThePreviousTab)
{
    CVes_SelectShapeDlg dlg;
    dlg.show();
    dlg.tabCtrl()->SetCurSel(2);
    dlg.OnTabChanged(2);
    test::onNextModal<CVes_ModelLibDlg>([](CVes_ModelLibDlg* lib) { lib->reject(); });
    dlg.tabCtrl()->setCurrentIndex(dlg.tabCtrl()->GetItemCount() - 1);
    EXPECT_EQ(dlg.tabCtrl()->GetCurSel(), 2);
    EXPECT_EQ(dlg.currentTab(), 2);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
}

TEST_F(SelectShape, DigitKeysSelectTabsAndTheGraveKeyTheNext)
{
    CVes_SelectShapeDlg dlg;
    dlg.show();
    QTest::keyClick(dlg.shapeList(), Qt::Key_2);
    EXPECT_EQ(dlg.currentTab(), 2);
    EXPECT_EQ(dlg.tabCtrl()->GetCurSel(), 2);
    QTest::keyClick(dlg.shapeList(), Qt::Key_QuoteLeft);
    EXPECT_EQ(dlg.currentTab(), 3);
    QTest::keyClick(dlg.tabCtrl()->tabBar(), Qt::Key_QuoteLeft); // not in the tab strip
    EXPECT_EQ(dlg.currentTab(), 3);
    QTest::keyClick(dlg.tabCtrl()->tabBar(), Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(dlg.currentTab(), 4);
    QTest::keyClick(dlg.tabCtrl()->tabBar(), Qt::Key_1);
    EXPECT_EQ(dlg.currentTab(), 1);
    QTest::keyClick(dlg.shapeList(), Qt::Key_9); // no such tab
    EXPECT_EQ(dlg.currentTab(), 1);
}

TEST_F(SelectShape, TheFirstListIsKeptWhenItsTabWasNeverOpened)
{
    CommonBarCategories categories;
    categories.readCategoryFile(kSteelLibKind);
    const QByteArray before = listFileBytes(categories.files().at(0));
    ASSERT_FALSE(before.isEmpty());
    CVes_SelectShapeDlg::rememberedTab(kSteelLibKind) = 2;
    CVes_SelectShapeDlg dlg;
    dlg.show();
    selectOnly(dlg.shapeList(), 0);
    dlg.accept();
    EXPECT_EQ(listFileBytes(categories.files().at(0)), before);
    EXPECT_EQ(dlg.chosenKey(), dlg.categoryList(2)[0]->getID());
}

TEST_F(SelectShape, ManagingACategoryRenamesItAndRewritesItsList)
{
    CVes_SelectShapeDlg dlg;
    dlg.show();
    dlg.tabCtrl()->SetCurSel(1);
    dlg.OnTabChanged(1);
    const QString file = dlg.categories().files().at(1);
    const QStringList before = keysIn(file);
    ASSERT_GE(before.size(), 2);
    test::onNextModal<CVes_CommonBarEditDlg>([](CVes_CommonBarEditDlg* editor) {
        editor->findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdName))->setText(QStringLiteral("新名称"));
        editor->listCtrl()->SetItemState(0, kSelected, kSelected);
        editor->OnDelete();
        editor->accept();
    });
    dlg.OnManage();
    EXPECT_EQ(dlg.tabCtrl()->GetItemText(1), QStringLiteral("新名称"));
    EXPECT_EQ(dlg.tabCtrl()->GetCurSel(), 1);
    CommonBarCategories stored;
    ASSERT_TRUE(stored.readCategoryFile(kSteelLibKind));
    EXPECT_EQ(stored.names().at(1), QStringLiteral("新名称"));
    EXPECT_EQ(keysIn(file), before.mid(1));
    EXPECT_EQ(keysOf(dlg.categoryList(1)), before.mid(1));
}

TEST_F(SelectShape, UnpairedCategoriesGiveNoTabAtAll)
{
    const QString path = categoryFilePath(kSteelLibKind);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<STEELCHANGYONG><LIB NAME=\"A\"><FILE>a.dat</FILE></LIB>"
               "</STEELCHANGYONG>");
    file.close();
    CVes_SelectShapeDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.tabCtrl()->GetItemCount(), 0);
    EXPECT_EQ(dlg.shapeList()->GetItemCount(), 0);
    dlg.accept();
    EXPECT_TRUE(dlg.chosenKey().isNull());
}

} // namespace
