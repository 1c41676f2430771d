// A bar list named on the command line opens in its document window with
// its eight sheet tabs, and each tab shows its sheet. With
// $RODO_SCREENSHOT_DIR set (run under xvfb-run with QT_QPA_PLATFORM=xcb for
// a real window), the main window is also written there once per tab, for a
// person to look at.

#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "app/documents/processmainview.h"
#include "app/documents/slmainview.h"
#include "platform/ui/childframe.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/modal.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString screenshotDir()
{
    return qEnvironmentVariable("RODO_SCREENSHOT_DIR");
}

// The main window as it is on the screen, when pictures are asked for.
void keepScreen(QWidget* window, const QString& name)
{
    if (screenshotDir().isEmpty())
        return;
    QTest::qWait(150);
    QApplication::processEvents();
    QPixmap picture = window->grab();
    if (QScreen* screen = window->screen(); screen && QGuiApplication::platformName() == QStringLiteral("xcb"))
        picture = screen->grabWindow(window->winId());
    picture.save(QDir(screenshotDir()).filePath(name + QStringLiteral(".png")));
}

class CommandLine : public test::AppFixture {
protected:
    QTemporaryDir dir;
};

TEST_F(CommandLine, ABarListOpensWithItsTabsAndEachTabShowsItsSheet)
{
    const QString file = dir.filePath(QStringLiteral("滨江花园3号楼_二层梁柱板.pld"));
    {
        CVes_SetupTable list;
        test::fillDemoList(list);
        ASSERT_EQ(list.SaveFile(file), 1);
    }
    ASSERT_TRUE(app->InitInstance({file}));
    auto* doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().activeDocument());
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(doc->views().front());
    ASSERT_TRUE(view);
    QWidget* window = app->mainFrame();
    window->resize(1500, 950);
    ASSERT_EQ(view->tabCount(), 8);
    static const char* const names[] = {"1-barlist", "2-sorted", "3-summary", "4-joints",
                                        "5-purchase", "6-tags", "7-cutting", "8-contents"};
    for (int tab = 0; tab < view->tabCount(); ++tab) {
        if (tab == CRODO_SetUpMainView::kCutting)
            test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dlg) {
                dlg->m_nGrade = 3;
                dlg->m_fDN = 20.0f;
                dlg->QDialog::accept();
            });
        view->selectTab(tab);
        doc->finishBuilds();
        QApplication::processEvents();
        CVes_TableViewBase* sheet = view->getActiveSheetView();
        ASSERT_TRUE(sheet) << tab;
        EXPECT_TRUE(sheet->isVisible()) << tab;
        EXPECT_GT(sheet->getTable()->lines().size(), 0) << tab;
        keepScreen(window, QString::fromUtf8(names[tab]));
    }
}

TEST_F(CommandLine, TheOtherSheetsOpenWithTheirTabs)
{
    if (screenshotDir().isEmpty())
        GTEST_SKIP() << "RODO_SCREENSHOT_DIR is not set";
    CVes_SetupTable list;
    test::fillDemoList(list);
    const QString processing = dir.filePath(QStringLiteral("加工单.jgd"));
    {
        CVes_ProcessTable sheet;
        for (CVes_TableBaseLine* row : list.transformProcessList(0, 1, 1))
            sheet.appendLine(row);
        ASSERT_EQ(sheet.SaveFile(processing), 1);
    }
    const QString quantity = dir.filePath(QStringLiteral("用量表.ylb"));
    {
        CVes_SLTable sheet;
        for (CVes_SLTableLine* row : list.transformSL(0))
            sheet.appendLine(row);
        ASSERT_EQ(sheet.SaveFile(quantity), 1);
    }
    ASSERT_TRUE(app->InitInstance({processing, quantity}));
    QWidget* window = app->mainFrame();
    window->resize(1500, 950);
    for (platform::Document* doc : app->docManager().documents()) {
        auto* view = dynamic_cast<SheetContainerView*>(doc->views().front());
        ASSERT_TRUE(view);
        for (const auto& frame : doc->frames())
            app->mainFrame()->MDIActivate(frame->widget());
        for (int tab = 0; tab < view->tabCount(); ++tab) {
            view->selectTab(tab);
            if (auto* sheet = dynamic_cast<SheetDocument*>(doc))
                if (auto* sl = dynamic_cast<CRODOSLDoc*>(sheet))
                    sl->finishBuilds();
            keepScreen(window, QStringLiteral("%1-%2").arg(doc->GetDocTemplate()->GetDocString(
                                                               platform::DocTemplate::filterExt).mid(1))
                                   .arg(tab + 1));
        }
    }
}

} // namespace
