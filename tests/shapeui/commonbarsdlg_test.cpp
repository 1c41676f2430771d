#include "shapeui/commonbarsdlg.h"

#include "platform/savefile.h"
#include "shapeui/bendkitexports.h"
#include "shapeui/commonbar.h"
#include "shapeui/modellibdlg.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"
#include "tests/shapeui/modellibdlg_testing.h"
#include "tests/shapeui/shapelist_support.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using test::kSelected;
using test::keysIn;
using test::keysOf;
using test::selectOnly;

using B = CVes_CommonBarsDlg;

void writeKeys(const char* listFile, const char* keys)
{
    std::vector<CSteelRecordId> ids;
    for (const QString& key : QString::fromLatin1(keys).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ids.push_back(CSteelRecordId::setId(key));
    ASSERT_TRUE(writeListFile(QString::fromLatin1(listFile), ids, kNoListLimit));
}

class CommonBars : public ::testing::Test {
protected:
    void SetUp() override { B::rememberedTab() = 0; }
    void openTab(int tab)
    {
        dlg.tabCtrl()->setCurrentIndex(tab); // as the user's click
    }
    test::HostScope host;
    B dlg;
};

TEST_F(CommonBars, ShowsTheSevenListsAndTheLibraryTabAtTheLeft)
{
    dlg.show();
    QStringList captions;
    for (int i = 0; i < dlg.tabCtrl()->GetItemCount(); ++i)
        captions.append(dlg.tabCtrl()->GetItemText(i));
    EXPECT_EQ(captions, QStringList({QStringLiteral("最近调用"), QStringLiteral("梁"), QStringLiteral("柱"),
                                     QStringLiteral("墙"), QStringLiteral("板"), QStringLiteral("楼梯"),
                                     QStringLiteral("基础"), QStringLiteral("钢筋库")}));
    EXPECT_TRUE(dlg.tabCtrl()->GetStyle() & CVes_ThemedTabCtrl::TCS_VERTICAL);
    EXPECT_EQ(dlg.tabCtrl()->tabPosition(), QTabWidget::West);
    for (int tab = 0; tab < kCommonBarListTabCount; ++tab) {
        openTab(tab);
        const QStringList expected = keysIn(kCommonBarTabs[tab].listFile);
        ASSERT_FALSE(expected.isEmpty()) << tab;
        EXPECT_EQ(keysOf(dlg.tabList(tab)), expected) << tab;
        EXPECT_EQ(dlg.shapeList()->GetItemCount(), expected.size()) << tab;
    }
    // The thumbnails carry no caption.
    EXPECT_EQ(dlg.shapeList()->GetItemText(0), QString());
    openTab(1);
    QCoreApplication::processEvents();
    test::saveScreenshot(dlg, "commonbarsdlg");
}

TEST_F(CommonBars, TheLastListTabIsRemembered)
{
    dlg.show();
    openTab(3);
    dlg.reject();
    EXPECT_EQ(B::rememberedTab(), 3);
    B again;
    again.show();
    EXPECT_EQ(again.tabCtrl()->GetCurSel(), 3);
    EXPECT_EQ(keysOf(again.tabList(3)), keysIn("wallsteel.dat"));
    EXPECT_EQ(again.shapeList()->GetItemCount(), int(again.tabList(3).size()));
}

TEST_F(CommonBars, AChosenShapeJoinsTheFrontOfTheRecentList)
{
    writeKeys("recentSteel.dat", "190-001 191-001 191-002");
    B::rememberedTab() = 1; // the recent list's tab is never opened
    dlg.show();
    selectOnly(dlg.shapeList(), 4); // 191-005 of the beam list
    dlg.accept();
    EXPECT_EQ(dlg.chosenKey(), CSteelRecordId(191, 5));
    EXPECT_EQ(keysIn("recentSteel.dat"),
              QStringList({QStringLiteral("191-005"), QStringLiteral("190-001"), QStringLiteral("191-001"),
                           QStringLiteral("191-002")}));
}

TEST_F(CommonBars, AShapeAlreadyInTheRecentListKeepsItsPlace)
{
    writeKeys("recentSteel.dat", "190-001 191-001 191-002");
    dlg.show();
    selectOnly(dlg.shapeList(), 2);
    dlg.accept();
    EXPECT_EQ(dlg.chosenKey(), CSteelRecordId(191, 2));
    EXPECT_EQ(keysIn("recentSteel.dat"),
              QStringList({QStringLiteral("190-001"), QStringLiteral("191-001"), QStringLiteral("191-002")}));
}

TEST_F(CommonBars, TheRecentListKeepsTwelveShapes)
{
    writeKeys("recentSteel.dat", "190-001 190-002 190-003 190-004 190-005 190-006 190-007 191-001 191-002 191-003 "
                                 "191-004 191-005");
    B::rememberedTab() = 3;
    dlg.show();
    selectOnly(dlg.shapeList(), 3); // 193-001 of the wall list
    dlg.accept();
    const QStringList recent = keysIn("recentSteel.dat");
    ASSERT_EQ(recent.size(), 12);
    EXPECT_EQ(recent.front(), QStringLiteral("193-001"));
    EXPECT_EQ(recent.back(), QStringLiteral("191-004"));
}

TEST_F(CommonBars, TheLibraryTabChoosesFromTheLibraryOrGoesOn)
{
    dlg.show();
    openTab(2);
    test::onNextModal<CVes_ModelLibDlg>([](CVes_ModelLibDlg* lib) {
        EXPECT_EQ(lib->libType(), CVes_ModelLibDlg::kModelLib);
        lib->reject();
    });
    openTab(B::kLibraryTab);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.tabCtrl()->GetCurSel(), B::kLibraryTab);
    EXPECT_EQ(dlg.shapeList()->GetItemCount(), int(dlg.tabList(2).size())); // still the remembered tab's
    EXPECT_EQ(B::rememberedTab(), 2);

    QString chosen;
    test::onNextModal<CVes_ModelLibDlg>([&](CVes_ModelLibDlg* lib) {
        lib->OnSelectSubLib(1, lib->subLibList(1)->count() - 1);
        lib->selectShape(1);
        chosen = lib->getSelectShape()->getID().ToString();
        lib->accept();
    });
    dlg.findChild<QPushButton*>(QString::number(B::kIdFromLib))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.chosenKey().ToString(), chosen);
    EXPECT_EQ(keysIn("recentSteel.dat").value(0), chosen);
}

TEST_F(CommonBars, QuickSelectSteelWritesTheKeyOnlyOnOk)
{
    test::onNextModal<B>([](B* d) {
        selectOnly(d->shapeList(), 1);
        d->reject();
    });
    CSteelRecordId key(7, 7);
    EXPECT_EQ(quickSelectSteel(&key), 2);
    EXPECT_EQ(key, CSteelRecordId(7, 7));

    test::onNextModal<B>([](B* d) {
        selectOnly(d->shapeList(), -1);
        d->accept();
    });
    EXPECT_EQ(quickSelectSteel(&key), 1);
    EXPECT_TRUE(key.isNull());
}

} // namespace
