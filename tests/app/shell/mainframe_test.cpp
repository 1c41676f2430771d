// The main window: its commands reach the sheet shown in the active document
// window and are enabled by it; the zoom and page boxes; the status bar's
// weight pane; the text colour; the own commands of its menus; its toolbar
// layout and keys kept across a restart.

#include "tests/app/support/mainframe_support.h"
#include "tests/app/support/toolbarreach.h"

#include "app/shell/myrdapp.h"
#include "platform/ui/childframe.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "widgara/controlcolor.h"
#include "widgara/controlcombobox.h"
#include "widgara/shortcutmanager.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <algorithm>
#include <ostream>

namespace {

using test::FrameFixture;
using V = CVes_TableViewBase;

class MainFrame : public ::testing::Test, public FrameFixture {
protected:
    test::HostScope host;
};

TEST_F(MainFrame, OpensWithTheProductTitleAndClosesCleanly)
{
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Rodo表"));
    EXPECT_TRUE(frame->close());
}

// 表单 → 行高 holds only commands of a sheet: without one it is off too,
// with one it opens.
TEST_F(MainFrame, TheRowHeightMenuIsOffWithoutASheet)
{
    QMenu* form = nullptr;
    for (QAction* top : frame->GetCommandBars()->GetMenuBar()->actions())
        if (top->text().startsWith(QStringLiteral("表单")))
            form = top->menu();
    ASSERT_TRUE(form);
    const auto rowHeight = [form]() -> QAction* {
        for (QAction* item : form->actions())
            if (item->text() == QStringLiteral("行高"))
                return item;
        return nullptr;
    };
    ASSERT_TRUE(openStartPage());
    Q_EMIT form->aboutToShow();
    ASSERT_TRUE(rowHeight());
    EXPECT_FALSE(rowHeight()->isEnabled());
    ASSERT_TRUE(openSheet());
    Q_EMIT form->aboutToShow();
    EXPECT_TRUE(rowHeight()->isEnabled());
}

TEST_F(MainFrame, WithOnlyTheStartPageTheSheetCommandsAreOffAndTheWeightPaneIsBare)
{
    ASSERT_TRUE(openStartPage());
    EXPECT_EQ(frame->getActiveTableView(), nullptr);
    // Every command of a sheet is off, none is on and does nothing.
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CLEAR,
                   ID_FIND, ID_REPLACE, ID_PAGE_NEXT, ID_TEXT_COLOR, ID_FILE_PRINT, ID_FILE_SAVE,
                   ID_PAGE_DELETE, ID_ROW_LOCK, ID_ROW_UNLOCK, ID_ROW_HIGH1, ID_ROW_HIGH2, ID_ROW_HIGH3,
                   ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT, ID_ZOOM_WIN})
        EXPECT_FALSE(enabled(id)) << id;
    for (int id : {ID_TABLE_BK_GREY, ID_SET_STEELWEIGHT, ID_HELP_TUTORIAL, ID_CHECK_UPDATE})
        EXPECT_TRUE(enabled(id)) << id;
    frame->OnUpdateStatusPanes();
    CXTPStatusBarPane* weight = frame->statusBar()->FindPane(ID_INDICATOR_WEIGHT);
    EXPECT_EQ(weight->GetText(), QStringLiteral("重量"));
    EXPECT_FALSE(weight->IsEnabled());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("开始 - Rodo表"));
    // The toolbar buttons follow the same update.
    frame->GetCommandBars()->UpdateCommandBars();
    EXPECT_FALSE(frame->GetCommandBars()->GetToolBar(IDR_MAINFRAME)->FindControl(ID_EDIT_COPY)->GetEnabled());
    EXPECT_FALSE(frame->GetCommandBars()->GetToolBar(IDR_TOOLBAR_ROWS)->FindControl(ID_TEXT_COLOR)->GetEnabled());
    test::saveScreenshot(*frame, "mainframe-startpage");
}

TEST_F(MainFrame, TheTitleNamesTheDocumentAndTheProgramOnce)
{
    // The program's name as the program sets it; the desktop adds it to
    // every title that does not already end with it.
    const QString old = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Rodo表"));
    test::SheetDoc* doc = openSheet();
    ASSERT_TRUE(doc);
    doc->SetTitle(QStringLiteral("一层柱.pld"));
    const QString title = frame->windowTitle();
    QGuiApplication::setApplicationDisplayName(old);
    EXPECT_EQ(title, QStringLiteral("一层柱.pld - Rodo表"));
    EXPECT_TRUE(title.endsWith(QStringLiteral("Rodo表")));
    EXPECT_EQ(title.count(QStringLiteral("Rodo表")), 1);
}

TEST_F(MainFrame, FitsASmallLaptopScreenWithEveryToolbarCommandReachable)
{
    ASSERT_TRUE(openSheet());
    frame->showNormal();
    for (const QSize size : {QSize(1366, 768), QSize(1024, 600)}) {
        frame->resize(size);
        QCoreApplication::processEvents();
        EXPECT_LE(frame->minimumSizeHint().width(), size.width());
        EXPECT_EQ(frame->size(), size);
        EXPECT_TRUE(test::everyCommandReachable(*frame->GetCommandBars(), *frame)) << size.width();
    }
    test::saveScreenshot(*frame, "mainframe-1024");
}

TEST_F(MainFrame, TheStatusBarHasItsPanesInOrder)
{
    CXTPStatusBar* bar = frame->statusBar();
    ASSERT_EQ(bar->GetPaneCount(), 7);
    const int ids[] = {ID_INDICATOR_CAPTION, ID_SEPARATOR,      ID_INDICATOR_WEIGHT, ID_INDICATOR_CAPS,
                       ID_INDICATOR_NUM,     ID_INDICATOR_SCRL, ID_INDICATOR_VERSION};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(bar->GetPane(i)->GetID(), ids[i]) << i;
    EXPECT_EQ(bar->GetPane(6)->GetText(), QStringLiteral("版本 v5.0.3"));
    EXPECT_TRUE(bar->GetPane(0)->GetStyle() & SBPS_POPOUT);
}

TEST_F(MainFrame, ASheetEnablesItsCommandsAndTheWeightPaneShowsTheSelection)
{
    test::SheetDoc* doc = openSheet();
    ASSERT_TRUE(doc);
    test::SheetView* view = sheetView(doc);
    ASSERT_EQ(frame->getActiveTableView(), view);
    EXPECT_TRUE(enabled(ID_PAGE_NEXT));
    EXPECT_TRUE(enabled(ID_FIND));
    EXPECT_FALSE(enabled(ID_EDIT_COPY)); // nothing selected yet
    frame->OnCommand(ID_PAGE_FIRST);
    doc->table.AddSelect(1, 1);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_ROW_UP));
    view->weight = 12.345;
    frame->OnUpdateStatusPanes();
    EXPECT_EQ(frame->statusBar()->FindPane(ID_INDICATOR_WEIGHT)->GetText(), QStringLiteral("重量:12.35"));
}

class FindEnabling : public MainFrame, public ::testing::WithParamInterface<int> {};

TEST_P(FindEnabling, FindAndReplaceAreOnlyForBarLists)
{
    viewType = GetParam();
    ASSERT_TRUE(openSheet());
    const bool barList = GetParam() == V::kBarListView;
    EXPECT_EQ(enabled(ID_FIND), barList);
    EXPECT_EQ(enabled(ID_REPLACE), barList);
}

INSTANTIATE_TEST_SUITE_P(ViewTypes, FindEnabling,
                         ::testing::Values(V::kBaseView, V::kBarListView, V::kQuantityView,
                                           V::kProcessView, V::kBarTagView));

// the zoom box

struct ZoomCase {
    const char* typed;
    double zoom; // 0: unchanged
    const char* shown;
};

void PrintTo(const ZoomCase& c, std::ostream* os)
{
    *os << "typed " << c.typed;
}

class ZoomBox : public MainFrame, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomBox, ZoomsTheSheetByTheNumberTyped)
{
    const ZoomCase& c = GetParam();
    test::SheetDoc* doc = openSheet();
    ASSERT_TRUE(doc && g_pZoomCombo);
    g_pZoomCombo->SetEditText(QString::fromUtf8(c.typed));
    EXPECT_EQ(frame->OnControlNotify(CBN_XTP_EXECUTE, g_pZoomCombo), 1);
    EXPECT_DOUBLE_EQ(doc->table.getScale(), c.zoom > 0 ? c.zoom : 1.0);
    EXPECT_EQ(g_pZoomCombo->GetEditText(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ZoomBox,
    ::testing::Values(ZoomCase{"150", 1.5, "150%"}, ZoomCase{"150%", 1.5, "150%"},
                      ZoomCase{" 75", 0.75, "75%"}, ZoomCase{"62.5", 0.625, "62.5%"},
                      ZoomCase{"abc", 0, "abc"}, ZoomCase{"", 0, ""}, ZoomCase{"0", 0, "0"},
                      ZoomCase{"-50", 0, "-50"},
                      // Held within what a sheet can show.
                      ZoomCase{"100000", 4.0, "400%"}, ZoomCase{"5", 0.1, "10%"}));

TEST_F(MainFrame, TheZoomBoxDoesNothingWithoutASheet)
{
    ASSERT_TRUE(openStartPage());
    g_pZoomCombo->SetEditText(QStringLiteral("150"));
    frame->OnControlNotify(CBN_XTP_EXECUTE, g_pZoomCombo);
    EXPECT_EQ(g_pZoomCombo->GetEditText(), QStringLiteral("150"));
}

// 放大 makes the page larger by a fifth, 缩小 smaller by a fifth.
struct ZoomStep {
    int command;
    const char* text;
    double zoom;
    const char* shown;
};

void PrintTo(const ZoomStep& c, std::ostream* os)
{
    *os << c.text;
}

class ZoomCommand : public MainFrame, public ::testing::WithParamInterface<ZoomStep> {};

TEST_P(ZoomCommand, ZoomsTheSheetTheWayItsNameSaysAndShowsTheZoom)
{
    const ZoomStep& c = GetParam();
    test::SheetDoc* doc = openSheet();
    ASSERT_EQ(widgara::resources().string(c.command).section(u'\n', 1), QString::fromUtf8(c.text));
    frame->OnCommand(c.command);
    EXPECT_DOUBLE_EQ(doc->table.getScale(), c.zoom);
    EXPECT_EQ(g_pZoomCombo->GetEditText(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomCommand,
                         ::testing::Values(ZoomStep{ID_ZOOM_IN, "放大", 1.2, "120%"},
                                           ZoomStep{ID_ZOOM_OUT, "缩小", 1 / 1.2, "83%"}));

struct PageCase {
    const char* typed;
    int page; // the page shown afterwards
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << "typed " << c.typed;
}

class PageBox : public MainFrame, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageBox, GoesToThePageTyped)
{
    test::SheetDoc* doc = openSheet();
    ASSERT_TRUE(doc && g_pPageCombo);
    for (int i = 0; i < 3; ++i)
        frame->OnCommand(ID_PAGE_ADD);
    ASSERT_GE(doc->table.getPages(), 3);
    frame->OnCommand(ID_PAGE_FIRST);
    g_pPageCombo->SetEditText(QString::fromUtf8(GetParam().typed));
    frame->OnControlNotify(CBN_XTP_EXECUTE, g_pPageCombo);
    EXPECT_EQ(doc->table.getCurPage(), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(Texts, PageBox,
                         ::testing::Values(PageCase{"2", 2}, PageCase{"0", 0}, PageCase{"-1", 1},
                                           PageCase{"第二页", 1}, PageCase{"3页", 3}));

// commands that change the sheet

TEST_F(MainFrame, AnEditOfTheSheetMarksItsDocumentModified)
{
    test::SheetDoc* doc = openSheet();
    frame->OnCommand(ID_PAGE_FIRST);
    doc->table.AddSelect(1, 1);
    ASSERT_FALSE(doc->IsModified());
    frame->OnCommand(ID_ROW_HIGH2);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->table.getLine(doc->table.getSelectRow())->getRows(), 2);
}

TEST_F(MainFrame, DeletingThePageAsksFirst)
{
    test::SheetDoc* doc = openSheet();
    frame->OnCommand(ID_PAGE_ADD);
    const int pages = doc->table.getPages();
    host->script({platform::Answer::No});
    frame->OnCommand(ID_PAGE_DELETE);
    EXPECT_EQ(doc->table.getPages(), pages);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("确实要删除当前页？")});
    host->script({platform::Answer::Yes});
    frame->OnCommand(ID_PAGE_DELETE);
    EXPECT_EQ(doc->table.getPages(), pages - 1);
}

TEST_F(MainFrame, TheTextColourIsAppliedOnlyWhenChosen)
{
    test::SheetDoc* doc = openSheet();
    frame->OnCommand(ID_PAGE_FIRST);
    doc->table.AddSelect(1, 1);
    CVes_TableBaseLine* row = doc->table.getLine(doc->table.getSelectRow());
    ASSERT_TRUE(row);
    frame->setColorDialog([](platform::gdi::COLORREF&, QWidget*) { return false; });
    frame->OnCommand(ID_TEXT_COLOR);
    EXPECT_EQ(row->getTextColor(), 0u);
    EXPECT_FALSE(doc->IsModified());

    frame->setColorDialog([](platform::gdi::COLORREF& colour, QWidget*) {
        colour = platform::gdi::RGB(200, 0, 0);
        return true;
    });
    frame->OnCommand(ID_TEXT_COLOR);
    EXPECT_EQ(row->getTextColor(), platform::gdi::RGB(200, 0, 0));
    EXPECT_EQ(frame->textColor(), platform::gdi::RGB(200, 0, 0));
    EXPECT_TRUE(doc->IsModified());
    auto* button = dynamic_cast<CXTPControlPopupColor*>(
        frame->GetCommandBars()->GetToolBar(IDR_TOOLBAR_ROWS)->FindControl(ID_TEXT_COLOR));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->GetColor(), platform::gdi::RGB(200, 0, 0));

    // A colour of the button's grid is applied the same way.
    auto* selector = dynamic_cast<CXTPControlColorSelector*>(
        button->GetCommandBar()->FindControl(ID_TEXT_COLOR_SELECTOR));
    ASSERT_TRUE(selector);
    selector->SetColor(platform::gdi::RGB(0, 0, 255));
    frame->OnCommand(ID_TEXT_COLOR_SELECTOR);
    EXPECT_EQ(row->getTextColor(), platform::gdi::RGB(0, 0, 255));
}

// the main window's own commands

// A document that handles a number the main window's menu uses too.
class GreedyDoc : public test::SheetDoc {
public:
    GreedyDoc()
    {
        commandMap().add(ID_PROJECT_PANE, [this] { ++ran; });
        commandMap().add(ID_EDIT_COPY, [this] { ++copies; });
    }
    int ran = 0;
    int copies = 0;
};

TEST_F(MainFrame, TheMenusOwnCommandsAreTheMainWindowsWhateverDocumentIsActive)
{
    auto* greedy = manager->AddDocTemplate(std::make_unique<platform::DocTemplate>(
        9999, QStringLiteral("\n别的\n别的\n别的 (*.xyz)\n.xyz\nrodo.Document\n别的"),
        [] { return std::make_unique<GreedyDoc>(); }, [] { return new CChildFrame; },
        [](QWidget* parent) { return new test::SheetView(0, parent); }));
    auto* doc = static_cast<GreedyDoc*>(greedy->OpenDocumentFile(QString()));
    ASSERT_TRUE(doc);
    CXTPDockingPane* pane = frame->paneManager()->FindPane(IDP_PROJECT);
    ASSERT_TRUE(pane);
    EXPECT_FALSE(pane->IsClosed());
    EXPECT_EQ(state(ID_PROJECT_PANE).checked(), 1);
    frame->OnCommand(ID_PROJECT_PANE);
    EXPECT_TRUE(pane->IsClosed());
    EXPECT_EQ(state(ID_PROJECT_PANE).checked(), 0);
    EXPECT_EQ(doc->ran, 0);
    // Commands the main window does not own go to the document first.
    frame->OnCommand(ID_EDIT_COPY);
    EXPECT_EQ(doc->copies, 1);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
}

TEST_F(MainFrame, TheDefaultTemplateIsChosenAndCancelled)
{
    manager->setFileDialog([](bool open, const QString& title, const QString& filter, const QString&) {
        EXPECT_TRUE(open);
        EXPECT_EQ(title, QStringLiteral("设置默认模板"));
        EXPECT_EQ(filter, QStringLiteral("表格模板(*.jtm)"));
        return QStringLiteral("/模板/a.jtm");
    });
    frame->OnCommand(ID_DEFAULT_TEMPLATE);
    const auto value = [] { return platform::profileValue(QStringLiteral("模板"), QStringLiteral("配料单")).toString(); };
    EXPECT_EQ(value(), QStringLiteral("/模板/a.jtm"));
    host->script({platform::Answer::No});
    frame->OnCommand(ID_CANCEL_DEFAULT_TEMPLATE);
    EXPECT_EQ(value(), QStringLiteral("/模板/a.jtm"));
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("确定要取消“/模板/a.jtm”作为新建配料单的默认模板")});
    host->script({platform::Answer::Yes});
    frame->OnCommand(ID_CANCEL_DEFAULT_TEMPLATE);
    EXPECT_TRUE(value().isEmpty());
    // Nothing to cancel: no question.
    frame->OnCommand(ID_CANCEL_DEFAULT_TEMPLATE);
    EXPECT_EQ(host->messageTexts().size(), 2);
}

TEST_F(MainFrame, ARecentProjectIsHandedToTheProjectPane)
{
    platform::setProfileValue(QStringLiteral("Recent Project List"), QStringLiteral("Project1"), QStringLiteral("/工程/甲"));
    platform::setProfileValue(QStringLiteral("Recent Project List"), QStringLiteral("Project2"), QStringLiteral("/工程/乙"));
    QSignalSpy chosen(frame.get(), &CMainFrame::recentProjectChosen);
    EXPECT_TRUE(enabled(ID_RECENT_PROJECT_FIRST + 1));
    EXPECT_FALSE(enabled(ID_RECENT_PROJECT_FIRST + 2));
    frame->OnCommand(ID_RECENT_PROJECT_FIRST + 1);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.first().first().toString(), QStringLiteral("/工程/乙"));
}

TEST_F(MainFrame, TheHelpCommandsOpenTheShippedGuides)
{
    frame->OnCommand(ID_HELP_TUTORIAL);
    frame->OnCommand(ID_HELP_CHANGES);
    const QStringList opened = host->opened();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/tutorial.html")));
    EXPECT_TRUE(QFileInfo::exists(opened[0]));
    EXPECT_TRUE(opened[1].endsWith(QStringLiteral("/changes.html")));
}

TEST_F(MainFrame, HelpWithoutABrowserSaysSoAndWhereTheGuideIs)
{
    host->setDesktopOpens(false);
    // F1, as the keyboard gives it to the program's window.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(host->opened().size(), 1);
    ASSERT_EQ(host->messages().size(), 1u);
    const test::RecordedMessage said = host->messages().front();
    EXPECT_EQ(said.icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(said.text.startsWith(QStringLiteral("没有找到能打开帮助的程序"))) << said.text.toStdString();
    EXPECT_TRUE(said.text.contains(QDir::toNativeSeparators(host->opened().front())));
}

TEST_F(MainFrame, FilesDroppedOnTheWindowAreOpened)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("落下.pld"));
    CVes_SetupTable table;
    ASSERT_EQ(table.SaveFile(path), 1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    // As the desktop delivers a drop: the window is entered first.
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    ASSERT_EQ(manager->documents().size(), 1u) << host->messageTexts().join(u'|').toStdString();
    EXPECT_EQ(manager->documents().front()->GetPathName(), QFileInfo(path).absoluteFilePath());
}

TEST_F(MainFrame, TheFileMenuListsTheRecentFiles)
{
    manager->addToRecentFiles(QStringLiteral("/a/一.pld"));
    manager->addToRecentFiles(QStringLiteral("/a/二.pld"));
    QMenu* file = frame->GetCommandBars()->GetMenuBar()->actions().first()->menu();
    Q_EMIT file->aboutToShow();
    QStringList entries;
    for (QAction* a : file->actions())
        if (a->isVisible() && a->data().toInt() >= ID_FILE_MRU_FILE1 && a->data().toInt() <= ID_FILE_MRU_LAST)
            entries << a->text();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("&1 /a/二.pld"), QStringLiteral("&2 /a/一.pld")}));
}

// toolbars and keys across a restart

QToolBar* toolBarNamed(QMainWindow& window, const QString& name)
{
    for (QToolBar* bar : window.findChildren<QToolBar*>())
        if (bar->windowTitle() == name)
            return bar;
    return nullptr;
}

TEST(MainFrameRestart, ToolbarLayoutAndShortcutsAreKept)
{
    test::HostScope host;
    const QKeySequence key(QStringLiteral("Ctrl+Alt+Z"));
    {
        FrameFixture first;
        ASSERT_TRUE(first.loaded);
        QToolBar* rows = toolBarNamed(*first.frame, QStringLiteral("表单行"));
        ASSERT_TRUE(rows);
        first.frame->addToolBar(Qt::LeftToolBarArea, rows);
        toolBarNamed(*first.frame, QStringLiteral("工具"))->hide();
        first.frame->GetCommandBars()->GetShortcutManager()->AddShortcut(ID_ZOOM_IN, key);
        ASSERT_TRUE(first.frame->close());
    }
    FrameFixture second(false);
    ASSERT_TRUE(second.loaded);
    EXPECT_EQ(second.frame->toolBarArea(toolBarNamed(*second.frame, QStringLiteral("表单行"))),
              Qt::LeftToolBarArea);
    EXPECT_TRUE(toolBarNamed(*second.frame, QStringLiteral("工具"))->isHidden());
    EXPECT_EQ(second.frame->toolBarArea(toolBarNamed(*second.frame, QStringLiteral("视图"))),
              Qt::TopToolBarArea);
    EXPECT_EQ(second.frame->GetCommandBars()->GetShortcutManager()->GetCommand(key), ID_ZOOM_IN);
    // The keys the program comes with are still there.
    EXPECT_EQ(second.frame->GetCommandBars()->GetShortcutManager()->GetCommand(QKeySequence(QStringLiteral("Ctrl+S"))),
              ID_FILE_SAVE);
}

TEST_F(MainFrame, ClosingWithAModifiedDocumentThatIsNotGivenUpStaysOpen)
{
    test::SheetDoc* doc = openSheet();
    doc->SetModifiedFlag();
    host->script({platform::Answer::Cancel});
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(manager->documents().size(), 1u);
}

} // namespace
