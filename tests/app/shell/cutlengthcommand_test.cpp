// The main menu's 断料长度自动计算 (表单 menu) is offered where it acts: on a
// bar list's own sheet, not on the start page nor on the sheets made from
// the list. The menu is opened from the menu bar as the user opens it.

#include "app/documents/setupmainview.h"
#include "app/panes/resourceids.h"
#include "app/shell/mainframe.h"
#include "tables/barlist/setuptable.h"
#include "tests/app/support/appfixture.h"
#include "tests/app/support/documents_support.h"

#include "widgara/commandbars.h"
#include "widgara/exceltabctrl.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CutLengthCommand : public test::AppFixture {
protected:
    // Opens 表单 on the menu bar with a click, reads whether the item is
    // enabled, and closes the menu again.
    bool offered()
    {
        QMenuBar* bar = app->mainFrame()->GetCommandBars()->GetMenuBar();
        QAction* sheetMenu = nullptr;
        for (QAction* action : bar->actions())
            if (action->text().startsWith(QStringLiteral("表单")))
                sheetMenu = action;
        if (!sheetMenu || !sheetMenu->menu()) {
            ADD_FAILURE() << "no 表单 menu";
            return false;
        }
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(sheetMenu).center());
        QMenu* menu = sheetMenu->menu();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        bool enabled = false;
        bool found = false;
        for (QAction* item : menu->actions())
            if (item->text() == QStringLiteral("断料长度自动计算")) {
                found = true;
                enabled = item->isEnabled();
            }
        EXPECT_TRUE(found);
        QTest::keyClick(menu, Qt::Key_Escape);
        QApplication::processEvents();
        return enabled;
    }
    void chooseTab(CRODO_SetUpMainView& view, int tab)
    {
        QTabBar* tabs = view.tabCtrl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        if (auto* doc = dynamic_cast<SheetDocument*>(view.GetDocument()))
            doc->finishBuilds();
        QApplication::processEvents();
    }

    QTemporaryDir dir;
};

TEST_F(CutLengthCommand, IsGreyOnTheStartPage)
{
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame()));
    EXPECT_FALSE(offered());
}

TEST_F(CutLengthCommand, IsOfferedOnTheBarListAndGreyOnItsDerivedSheets)
{
    const QString file = dir.filePath(QStringLiteral("一层柱.pld"));
    {
        CVes_SetupTable list;
        test::fillDemoList(list);
        ASSERT_EQ(list.SaveFile(file), 1);
    }
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame()));
    // Opened as 打开配料单 opens it.
    auto* doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().OpenDocumentFile(file));
    ASSERT_TRUE(doc) << host->messageTexts().join(u'|').toStdString();
    QApplication::processEvents();
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(doc->views().front());
    ASSERT_TRUE(view);
    EXPECT_TRUE(offered());
    for (int tab : {int(CRODO_SetUpMainView::kSort), int(CRODO_SetUpMainView::kSummary),
                    int(CRODO_SetUpMainView::kPurchase), int(CRODO_SetUpMainView::kContents)}) {
        chooseTab(*view, tab);
        EXPECT_FALSE(offered()) << "tab " << tab;
    }
    chooseTab(*view, CRODO_SetUpMainView::kBarList);
    EXPECT_TRUE(offered());
}

} // namespace
