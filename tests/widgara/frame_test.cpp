// Frames of the toolkit: toolbars docked at any edge, docking panes that ask
// their frame for a window, the status bar's panes, document tabs, and the
// layout, options and shortcuts that a frame keeps in the profile across a
// restart.

#include "widgara/frame.h"
#include "widgara/shortcutmanager.h"
#include "widgara/shortcuttexts.h"
#include "widgara/statusbar.h"

#include "platform/profile.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

constexpr int kFrameMenu = 9110;
constexpr int kAccelerators = 9111;
constexpr int kStandardBar = 9101;
constexpr int kSideBar = 9102;
constexpr int kGradeBar = 9103;
constexpr int kNew = 9201;
constexpr int kFrameOpen = 9202;
constexpr int kZoom = 9203;
constexpr int kGrade1 = 9204;
constexpr int kGrade2 = 9205;
constexpr int kProjectPane = 4000;
constexpr int kPropertyPane = 4001;
constexpr int kTreePane = 4003;
const QString kSection = QStringLiteral("CommandBars");

void registerResources()
{
    widgara::Resources& r = widgara::resources();
    r.setMenu(kFrameMenu, {{QStringLiteral("文件"), 0,
                       {{QStringLiteral("新建"), kNew, {}}, {QStringLiteral("打开"), kFrameOpen, {}}}},
                      {QStringLiteral("视图"), 0, {{QStringLiteral("放大"), kZoom, {}}}}});
    r.setToolBar(kStandardBar, {kNew, kFrameOpen, 0, kZoom});
    r.setToolBar(kSideBar, {kZoom});
    r.setToolBar(kGradeBar, {kGrade1, kGrade2});
    r.setAccelerators(kAccelerators, {{QKeySequence(QStringLiteral("Ctrl+N")), kNew},
                                      {QKeySequence(QStringLiteral("Ctrl+O")), kFrameOpen}});
    r.setString(kProjectPane, QStringLiteral("工程管理"));
    r.setString(kPropertyPane, QStringLiteral("属性"));
    r.setString(kTreePane, QStringLiteral("构件列表"));
    r.setString(59137, QStringLiteral("CAP"));
    r.setString(59144, QStringLiteral("重量"));
}

// A frame built the way the program builds its own: menu and three
// toolbars, three panes, a status bar; the layout loaded at creation and
// saved at close.
class TestFrame : public CXTPMDIFrameWnd {
public:
    TestFrame()
    {
        registerResources();
        resize(900, 600);
        InitCommandBars();
        CXTPCommandBars* bars = GetCommandBars();
        bars->SetMenu(QStringLiteral("标准菜单"), kFrameMenu);
        standard = bars->Add(QStringLiteral("标准"), xtpBarTop);
        standard->LoadToolBar(kStandardBar);
        side = bars->Add(QStringLiteral("表单行"), xtpBarRight);
        side->LoadToolBar(kSideBar);
        grades = bars->Add(QStringLiteral("钢筋级别"), xtpBarLeft);
        grades->LoadToolBar(kGradeBar);
        bars->GetShortcutManager()->SetAccelerators(kAccelerators);
        bars->LoadOptions(kSection);
        bars->LoadBarState(kSection);
        bars->GetShortcutManager()->LoadShortcuts(kSection);

        panes.InstallDockingPanes(this);
        project = panes.CreatePane(kProjectPane, QRect(0, 0, 160, 120), xtpPaneDockLeft);
        property = panes.CreatePane(kPropertyPane, QRect(0, 0, 210, 120), xtpPaneDockRight);
        tree = panes.CreatePane(kTreePane, QRect(0, 120, 210, 140), xtpPaneDockBottom, property);
        panes.AttachPane(tree, property);
        panes.ShowPane(property);

        status.Create(this);
        status.SetIndicators({ID_SEPARATOR, 59144, 59137});
    }

    void saveLayout()
    {
        CXTPCommandBars* bars = GetCommandBars();
        bars->SaveOptions(kSection);
        bars->SaveBarState(kSection);
        bars->GetShortcutManager()->SaveShortcuts(kSection);
        panes.GetLayout()->Save(QStringLiteral("NormalLayout"));
    }

    long OnDockingPaneNotify(int code, CXTPDockingPane* pane) override
    {
        asked.push_back({code, pane->GetID()});
        if (code != XTP_DPN_SHOWWINDOW)
            return 0;
        pane->Attach(new QLabel(pane->GetTitle()));
        return 1;
    }

    void OnCommand(int id) override { commands.push_back(id); }
    void OnUpdateCommandUI(CCmdUI* ui) override
    {
        if (ui->m_nID == kFrameOpen)
            ui->Enable(openEnabled);
    }

    CXTPToolBar* standard = nullptr;
    CXTPToolBar* side = nullptr;
    CXTPToolBar* grades = nullptr;
    CXTPDockingPaneManager panes;
    CXTPDockingPane* project = nullptr;
    CXTPDockingPane* property = nullptr;
    CXTPDockingPane* tree = nullptr;
    CXTPStatusBar status;
    std::vector<std::pair<int, int>> asked;
    std::vector<int> commands;
    bool openEnabled = true;
};

void clearProfile()
{
    platform::openProfile()->clear();
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { clearProfile(); }
    void TearDown() override { clearProfile(); }

    static void showActive(QWidget& frame)
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QApplication::setActiveWindow(&frame);
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
};

TEST_F(FrameTest, ToolbarsDockAtTheEdgesTheyAskFor)
{
    TestFrame frame;
    showActive(frame);
    CXTPCommandBars* bars = frame.GetCommandBars();
    EXPECT_EQ(bars->GetDockPosition(frame.standard), xtpBarTop);
    EXPECT_EQ(bars->GetDockPosition(frame.side), xtpBarRight);
    EXPECT_EQ(bars->GetDockPosition(frame.grades), xtpBarLeft);
    EXPECT_EQ(frame.side->GetOrientation(), Qt::Vertical);
    EXPECT_EQ(frame.standard->GetOrientation(), Qt::Horizontal);
    EXPECT_EQ(frame.menuBar(), bars->GetMenuBar());

    // Docked beside a bar of another edge, a bar moves to that edge.
    bars->DockRightOf(frame.grades, frame.standard);
    EXPECT_EQ(bars->GetDockPosition(frame.grades), xtpBarTop);
    EXPECT_EQ(frame.grades->GetOrientation(), Qt::Horizontal);
    frame.grades->SetVisible(false);
    EXPECT_FALSE(frame.grades->IsVisible());
}

TEST_F(FrameTest, APaneAsksForItsWindowOnceWhenItIsFirstShown)
{
    TestFrame frame;
    // The property pane was shown in front of its tabs at once.
    ASSERT_EQ(frame.asked, (std::vector<std::pair<int, int>>{{XTP_DPN_SHOWWINDOW, kPropertyPane}}));
    EXPECT_FALSE(frame.project->IsClosed());
    showActive(frame);
    // The tree is behind the property pane's tab: not asked yet.
    EXPECT_TRUE(frame.project->IsValid());
    EXPECT_TRUE(frame.property->IsValid());
    EXPECT_FALSE(frame.tree->IsValid());
    for (const auto& [code, id] : frame.asked)
        EXPECT_EQ(code, XTP_DPN_SHOWWINDOW);

    frame.panes.ShowPane(kTreePane);
    EXPECT_TRUE(frame.tree->IsValid());
    const size_t asked = frame.asked.size();
    frame.panes.ClosePane(kProjectPane);
    EXPECT_TRUE(frame.project->IsClosed());
    frame.panes.ShowPane(frame.project);
    EXPECT_FALSE(frame.project->IsClosed());
    EXPECT_EQ(frame.asked.size(), asked) << "a pane with a window is not asked again";
    EXPECT_EQ(frame.panes.FindPane(kPropertyPane), frame.property);
    EXPECT_EQ(frame.panes.FindPane(1234), nullptr);
    EXPECT_EQ(frame.property->dockWidget()->windowTitle(), QStringLiteral("属性"));
}

TEST_F(FrameTest, PaneTitleHasACaptionAndAShortCaption)
{
    TestFrame frame;
    frame.property->SetTitle(QStringLiteral("属性 - 配料单1\n属性"));
    EXPECT_EQ(frame.property->dockWidget()->windowTitle(), QStringLiteral("属性 - 配料单1"));
    EXPECT_EQ(frame.property->GetShortTitle(), QStringLiteral("属性"));
}

TEST_F(FrameTest, KeysRunTheirCommandsWhenEnabled)
{
    TestFrame frame;
    showActive(frame);
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    frame.openEnabled = false;
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(frame.commands, std::vector<int>({kNew}));
    // The menu shows the key of its command.
    const QList<QAction*> actions = frame.menuBar()->findChildren<QAction*>();
    const auto newAction = std::find_if(actions.begin(), actions.end(),
                                        [](QAction* a) { return a->data().toInt() == kNew; });
    ASSERT_NE(newAction, actions.end());
    EXPECT_EQ((*newAction)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
}

TEST_F(FrameTest, LayoutOptionsAndShortcutsSurviveARestart)
{
    {
        TestFrame frame;
        showActive(frame);
        // The user drags the side bar to the bottom, hides the grade bar,
        // closes the project pane, binds a key of their own and drops one.
        auto* sideFrame = qobject_cast<QToolBar*>(frame.side->parentWidget());
        ASSERT_NE(sideFrame, nullptr);
        frame.addToolBar(Qt::BottomToolBarArea, sideFrame);
        frame.grades->SetVisible(false);
        frame.panes.ClosePane(kProjectPane);
        CXTPShortcutManager* keys = frame.GetCommandBars()->GetShortcutManager();
        keys->AddShortcut(kZoom, QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        keys->RemoveShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
        frame.GetCommandBars()->GetCommandBarsOptions()->bLargeIcons = true;
        frame.saveLayout();
    }
    const std::unique_ptr<QSettings> profile = platform::openProfile();
    EXPECT_FALSE(profile->value(kSection + QStringLiteral("/BarState")).toByteArray().isEmpty());
    EXPECT_EQ(profile->value(kSection + QStringLiteral("/Shortcuts")).toStringList(),
              QStringList({QStringLiteral("%1=Ctrl+N").arg(kNew), QStringLiteral("%1=Ctrl+Shift+Z").arg(kZoom)}));
    EXPECT_TRUE(profile->value(kSection + QStringLiteral("/Options/LargeIcons")).toBool());
    EXPECT_FALSE(profile->value(QStringLiteral("DockingPaneLayouts/NormalLayout")).toByteArray().isEmpty());

    TestFrame again;
    showActive(again);
    CXTPCommandBars* bars = again.GetCommandBars();
    EXPECT_EQ(bars->GetDockPosition(again.side), xtpBarBottom);
    EXPECT_EQ(again.side->GetOrientation(), Qt::Horizontal);
    EXPECT_FALSE(again.grades->IsVisible());
    EXPECT_TRUE(again.standard->IsVisible());
    EXPECT_TRUE(again.project->IsClosed());
    EXPECT_FALSE(again.property->IsClosed());
    EXPECT_TRUE(bars->GetCommandBarsOptions()->bLargeIcons);
    QTest::keyClick(&again, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&again, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&again, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(again.commands, std::vector<int>({kZoom, kNew}));
}

TEST_F(FrameTest, ASavedPaneLayoutIsReadBack)
{
    QByteArray saved;
    {
        TestFrame frame;
        showActive(frame);
        frame.panes.ClosePane(kPropertyPane);
        frame.panes.GetLayout()->Save(QStringLiteral("NormalLayout"));
    }
    TestFrame again;
    showActive(again);
    EXPECT_FALSE(again.property->IsClosed());
    CXTPDockingPaneLayout layout;
    ASSERT_TRUE(layout.Load(QStringLiteral("NormalLayout")));
    EXPECT_TRUE(again.panes.SetLayout(layout));
    EXPECT_TRUE(again.property->IsClosed());
    EXPECT_FALSE(CXTPDockingPaneLayout().Load(QStringLiteral("NoSuchLayout")));
}

TEST_F(FrameTest, NothingSavedLoadsNothing)
{
    TestFrame frame;
    CXTPCommandBars* bars = frame.GetCommandBars();
    EXPECT_FALSE(bars->LoadBarState(kSection));
    EXPECT_FALSE(bars->LoadOptions(kSection));
    EXPECT_FALSE(bars->GetShortcutManager()->LoadShortcuts(kSection));
    EXPECT_EQ(bars->GetShortcutManager()->GetCommand(QKeySequence(QStringLiteral("Ctrl+O"))), kFrameOpen);
}

TEST_F(FrameTest, ADamagedBarStateLeavesTheBarsWhereTheyAre)
{
    const char damaged[] = "\x00\x00\x00\xff garbage";
    platform::setProfileValue(kSection, QStringLiteral("BarState"), QByteArray(damaged, sizeof damaged - 1));
    TestFrame frame;
    showActive(frame);
    EXPECT_EQ(frame.GetCommandBars()->GetDockPosition(frame.side), xtpBarRight);
    EXPECT_TRUE(frame.grades->IsVisible());
}

// The profile's shortcut entries as they may be found there.
struct ShortcutTextCase {
    const char* name;
    QStringList entries;
    std::vector<std::pair<QString, int>> expected;
};

class ShortcutTexts : public ::testing::TestWithParam<ShortcutTextCase> {};

TEST_P(ShortcutTexts, ReadBackWhatIsUsable)
{
    const ShortcutTextCase& c = GetParam();
    const auto bindings = widgara::shortcutsFromStrings(c.entries);
    ASSERT_EQ(bindings.size(), c.expected.size());
    for (size_t i = 0; i < bindings.size(); ++i) {
        EXPECT_EQ(bindings[i].first, QKeySequence(c.expected[i].first));
        EXPECT_EQ(bindings[i].second, c.expected[i].second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ShortcutTexts,
    ::testing::Values(
        ShortcutTextCase{"Plain", {"32806=Ctrl+I", "57643=Ctrl+Z"}, {{"Ctrl+I", 32806}, {"Ctrl+Z", 57643}}},
        ShortcutTextCase{"FunctionKey", {"57670=F1"}, {{"F1", 57670}}},
        ShortcutTextCase{"NoEquals", {"32806Ctrl+I"}, {}},
        ShortcutTextCase{"NoCommand", {"=Ctrl+I", "abc=Ctrl+I", "-4=Ctrl+I", "0=Ctrl+I"}, {}},
        ShortcutTextCase{"NoKey", {"32806=", "32806=NotAKey"}, {}},
        ShortcutTextCase{"RepeatedKeyKeepsTheFirst", {"1=Ctrl+A", "2=Ctrl+A"}, {{"Ctrl+A", 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Entries found by fuzzing: control characters that make a key sequence
// which wrote back differently.
TEST(ShortcutTextsRoundTrip, OddEntriesReadBackAsTheyWereTaken)
{
    const QStringList entries = QString::fromUtf8(QByteArray::fromBase64(
        "AAAAQQo0PREsNAo0P6wRCjkKCj8AAABBCjQ9ESw0ND+sEQo5PREy")).split(QLatin1Char('\n'));
    const auto bindings = widgara::shortcutsFromStrings(entries);
    EXPECT_EQ(widgara::shortcutsFromStrings(widgara::shortcutsToStrings(bindings)), bindings);
}

TEST(ShortcutTextsRoundTrip, WrittenEntriesReadBackTheSame)
{
    const std::vector<std::pair<QKeySequence, int>> bindings{
        {QKeySequence(QStringLiteral("Ctrl+Shift+F5")), 33771}, {QKeySequence(Qt::Key_Delete), 57632}};
    EXPECT_EQ(widgara::shortcutsFromStrings(widgara::shortcutsToStrings(bindings)), bindings);
}

TEST(StatusBar, PanesInOrderWithTheirTexts)
{
    registerResources();
    QMainWindow window;
    CXTPStatusBar bar;
    ASSERT_TRUE(bar.Create(&window, 0x50008200, 59393));
    EXPECT_EQ(window.statusBar(), &bar);
    ASSERT_TRUE(bar.SetIndicators({ID_SEPARATOR, 59144, 59137}));
    EXPECT_FALSE(bar.SetIndicators({59144, 59144}));
    CXTPStatusBarPane* caption = bar.AddIndicator(59142, 0);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(bar.AddIndicator(59142), nullptr) << "an id is one pane";
    bar.AddIndicator(59143);
    ASSERT_EQ(bar.GetPaneCount(), 5);
    EXPECT_EQ(bar.CommandToIndex(59144), 2);
    EXPECT_EQ(bar.GetPaneText(2), QStringLiteral("重量"));
    EXPECT_EQ(bar.GetPaneText(3), QStringLiteral("CAP"));
    EXPECT_TRUE(bar.SetPaneText(2, QStringLiteral("重量:12.50")));
    EXPECT_EQ(bar.FindPane(59144)->GetText(), QStringLiteral("重量:12.50"));
    EXPECT_FALSE(bar.SetPaneText(9, QStringLiteral("x")));

    caption->SetStyle(caption->GetStyle() | SBPS_POPOUT);
    caption->SetTextColor(platform::gdi::RGB(0, 0, 127));
    EXPECT_EQ(caption->label()->palette().color(QPalette::WindowText), QColor(0, 0, 127));
    bar.FindPane(59144)->SetEnabled(false);
    EXPECT_FALSE(bar.FindPane(59144)->label()->isEnabled());

    // A prompt goes to the separator pane; the other panes stay.
    window.show();
    bar.showMessage(QStringLiteral("打开一个文件"));
    EXPECT_EQ(bar.GetPaneText(1), QStringLiteral("打开一个文件"));
    EXPECT_TRUE(bar.FindPane(59142)->label()->isVisible());
    EXPECT_TRUE(bar.RemoveIndicator(59143));
    EXPECT_EQ(bar.GetPaneCount(), 4);
}

TEST(TabClient, DocumentWindowsShowAsTabsWithTheirTitles)
{
    CXTPMDIFrameWnd frame;
    CXTPTabClientWnd tabs;
    ASSERT_TRUE(tabs.Attach(&frame, true));
    tabs.EnableToolTips(xtpTabToolTipAlways);
    tabs.SetFlags(xtpWorkspaceTabsClosable | xtpWorkspaceTabsMovable | xtpWorkspaceFlatTabs);
    for (const char* title : {"配料单1", "加工单1"}) {
        auto* child = new QLabel;
        child->setWindowTitle(QString::fromUtf8(title));
        frame.MDIAddChild(child);
    }
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.mdiArea()->viewMode(), QMdiArea::TabbedView);
    QTabBar* bar = tabs.tabBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->count(), 2);
    EXPECT_EQ(bar->tabText(1), QStringLiteral("加工单1"));
    frame.MDIActivate(frame.mdiArea()->subWindowList().front()->widget());
    EXPECT_EQ(bar->tabToolTip(1), QStringLiteral("加工单1"));
    EXPECT_TRUE(bar->tabsClosable());
    EXPECT_EQ(frame.MDIGetActive()->windowTitle(), QStringLiteral("配料单1"));
}

// A narrow tab shows its title cut short; its tooltip is the whole title as
// it stands when the pointer rests on the tab, a title changed since
// included.
TEST(TabClient, ATabsTooltipIsItsWholeTitle)
{
    CXTPMDIFrameWnd frame;
    CXTPTabClientWnd tabs;
    ASSERT_TRUE(tabs.Attach(&frame, true));
    tabs.EnableToolTips(xtpTabToolTipAlways);
    QList<QLabel*> children;
    for (const char* title : {"一层柱钢筋配料单.pld", "一层梁钢筋配料单.pld"}) {
        auto* child = new QLabel;
        child->setWindowTitle(QString::fromUtf8(title));
        frame.MDIAddChild(child);
        children << child;
    }
    frame.resize(260, 200);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    children[1]->setWindowTitle(QStringLiteral("一层梁钢筋加工单.jgd"));
    QCoreApplication::processEvents();
    QTabBar* bar = tabs.tabBar();
    ASSERT_NE(bar, nullptr);
    const QRect second = bar->tabRect(1);
    QHelpEvent help(QEvent::ToolTip, second.center(), bar->mapToGlobal(second.center()));
    QCoreApplication::sendEvent(bar, &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("一层梁钢筋加工单.jgd"));
    QToolTip::hideText();
}

} // namespace
