// Every sheet view shows its sheet inside its document window, with its
// context menu. With $RODO_SCREENSHOT_DIR set (run under xvfb-run with
// QT_QPA_PLATFORM=xcb for real windows), the main window with each sheet and
// the sheet's context menu are written there, for a person to look at.

#include "app/views/setupview.h"
#include "tables/barlist/setuptable.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tests/app/support/views_support.h"
#include "tests/support/modal.h"

#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString screenshotDir()
{
    return qEnvironmentVariable("RODO_SCREENSHOT_DIR");
}

void keep(QWidget* widget, const QString& name)
{
    if (screenshotDir().isEmpty())
        return;
    QTest::qWait(150);
    QApplication::processEvents();
    QPixmap picture = widget->grab();
    if (QScreen* screen = widget->screen(); screen && QGuiApplication::platformName() == QStringLiteral("xcb"))
        picture = screen->grabWindow(widget->winId());
    picture.save(QDir(screenshotDir()).filePath(name + QStringLiteral(".png")));
}

class ViewScreens : public test::ViewsFixture {
protected:
    // Each tab of the document's window: its view shows its sheet, and its
    // menu (opened beside the view) has items.
    void showEveryTab(platform::Document* doc, const char* prefix, const QStringList& names)
    {
        SheetContainerView* tabs = containerOf(doc);
        ASSERT_TRUE(tabs);
        QWidget* window = app->mainFrame();
        window->resize(1500, 950);
        window->show();
        for (int tab = 0; tab < tabs->tabCount(); ++tab) {
            if (dynamic_cast<CRODOSetUpDoc*>(doc) && tab == CRODO_SetUpMainView::kCutting)
                test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dlg) {
                    dlg->m_nGrade = 3;
                    dlg->m_fDN = 20.0f;
                    dlg->QDialog::accept();
                });
            auto* view = showTab<SheetViewBase>(doc, tab);
            ASSERT_TRUE(view) << tab;
            auto* sheet = dynamic_cast<CVes_TableViewBase*>(view);
            ASSERT_TRUE(sheet->getTable()) << tab;
            EXPECT_TRUE(sheet->isVisible()) << tab;
            CVes_TableBase* table = sheet->getTable();
            if (table->getPages() > 0 && tab == 0)
                selectCell(*table, 1, 3, 5);
            const QString name = QStringLiteral("%1-%2-%3").arg(QString::fromUtf8(prefix)).arg(tab + 1).arg(names.value(tab));
            keep(window, name);
            const std::unique_ptr<BCMenu> menu = view->createContextMenu();
            ASSERT_TRUE(menu) << tab;
            EXPECT_GT(menu->GetMenuItemCount(), 0) << tab;
            if (!screenshotDir().isEmpty()) {
                menu->menu()->popup(sheet->mapToGlobal(QPoint(300, 120)));
                keep(menu->menu(), name + QStringLiteral("-menu"));
                menu->menu()->close();
            }
        }
    }
};

TEST_F(ViewScreens, BarListSheets)
{
    CRODOSetUpDoc* doc = openBarList();
    ASSERT_TRUE(doc);
    showEveryTab(doc, "barlist",
                 {"list", "sorted", "summary", "joints", "purchase", "tags", "cutting", "contents"});
}

TEST_F(ViewScreens, ProcessingSheets)
{
    CRODOProcessDoc* doc = openProcessSheet();
    ASSERT_TRUE(doc);
    showEveryTab(doc, "processing", {"sheet", "summary", "tags"});
}

TEST_F(ViewScreens, QuantitySheets)
{
    CRODOSLDoc* doc = openQuantitySheet();
    ASSERT_TRUE(doc);
    showEveryTab(doc, "quantity", {"sheet", "summary", "joints", "sorted"});
}

} // namespace
