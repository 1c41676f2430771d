// Command bars of a dialog: commands and notifications reach the owner, the
// owner supplies controls of its own, update handlers set the states.

#include "widgara/commandbars.h"
#include "widgara/controlcombobox.h"
#include "widgara/controlpopup.h"
#include "widgara/edit.h"
#include "widgara/resources.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <algorithm>

namespace {

constexpr int kToolBarId = 9001;
constexpr int kMenuId = 9002;
constexpr int kLine = 101;
constexpr int kArc = 102;
constexpr int kKind = 103;
constexpr int kHeight = 104;
constexpr int kWidth = 105;
constexpr int kDelete = 106;
constexpr int kOpen = 201;

struct Request {
    int id;
    bool toolBar;
    int type;
    int index;
};

struct BarNotice {
    int code;
    int id;
    int selection;
};

// A dialog that owns command bars and records what reaches it.
class BarsOwner : public QWidget, public CXTPCommandBarsSite {
public:
    BarsOwner()
    {
        resize(500, 300);
        bars.SetSite(this);
    }

    int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* request) override
    {
        requests.push_back({request->nID, request->bToolBar, request->controlType, request->nIndex});
        if (!request->bToolBar)
            return 0;
        if (request->nID == kKind && request->controlType == xtpControlButton) {
            auto combo = std::make_unique<CXTPControlComboBox>();
            combo->SetDropDownListStyle();
            combo->AddString(QStringLiteral("钢筋线"));
            combo->AddString(QStringLiteral("辅助线"));
            combo->SetWidth(100);
            combo->SetCaption(QStringLiteral("类型"));
            combo->SetEditHint(QStringLiteral("绘图类型"));
            combo->SetCurSel(0);
            request->pControl = std::move(combo);
            return 1;
        }
        if (request->nID == kHeight) {
            auto combo = std::make_unique<CXTPControlComboBox>();
            combo->SetDropDownListStyle(false);
            for (int i = 1; i <= 20; ++i)
                combo->AddString(QString::number(i));
            combo->SetEditHint(QStringLiteral("选择字高"));
            combo->SetCurSel(7);
            request->pControl = std::move(combo);
            return 1;
        }
        if (request->nID == kWidth) {
            auto popup = CXTPControlPopup::CreateControlPopup(xtpControlButtonPopup);
            popup->SetFlags(xtpFlagManualUpdate);
            auto bar = CXTPPopupToolBar::CreatePopupToolBar(&bars);
            for (int i = 1; i <= 3; ++i)
                bar->GetControls()->Add(std::make_unique<CXTPControlButton>(), 1000 + i);
            popup->SetCommandBar(std::move(bar));
            request->pControl = std::move(popup);
            return 1;
        }
        return 0;
    }

    long OnControlNotify(int code, CXTPControl* control) override
    {
        auto* combo = dynamic_cast<CXTPControlComboBox*>(control);
        notices.push_back({code, control->GetID(), combo ? combo->GetCurSel() : -2});
        return handleNotices ? 1 : 0;
    }

    void OnCommand(int id) override
    {
        commands.push_back(id);
        if (id == kDelete && removeOnDelete)
            bars.GetAt(0)->GetControls()->RemoveAll();
    }

    void OnUpdateCommandUI(CCmdUI* ui) override
    {
        if (ui->m_nID == kDelete)
            ui->Enable(deleteEnabled);
        if (ui->m_nID == kLine)
            ui->SetCheck(mode == kLine);
        if (ui->m_nID == kArc)
            ui->SetCheck(mode == kArc);
        if (ui->m_nID == kWidth)
            ui->Enable(false); // must not reach a manually updated control
        if (ui->m_nID == kKind)
            updatedCombo = dynamic_cast<CXTPControlComboBox*>(CXTPControl::FromUI(ui));
    }

    CXTPCommandBars bars;
    std::vector<Request> requests;
    std::vector<BarNotice> notices;
    std::vector<int> commands;
    bool handleNotices = true;
    bool removeOnDelete = false;
    bool deleteEnabled = true;
    int mode = 0;
    CXTPControlComboBox* updatedCombo = nullptr;
};

class CommandBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgara::Resources& r = widgara::resources();
        r.setToolBar(kToolBarId, {kKind, kLine, kArc, 0, kHeight, kWidth, 0, kDelete});
        r.setString(kLine, QStringLiteral("\n线段：绘制单根线段"));
        r.setString(kDelete, QStringLiteral("删除"));
        r.setMenu(kMenuId, {{QStringLiteral("文件"), 0,
                             {{QStringLiteral("打开"), kOpen, {}}, {}, {QStringLiteral("删除"), kDelete, {}}}}});
        bar = owner.bars.Add(QStringLiteral("绘制"), xtpBarTop);
        ASSERT_TRUE(bar->LoadToolBar(kToolBarId));
        owner.show();
    }

    QWidget* widgetOf(int id) const { return bar->FindControl(id)->widget(); }

    BarsOwner owner;
    CXTPToolBar* bar = nullptr;
};

TEST_F(CommandBarsTest, ButtonCommandReachesOwnerAndSignal)
{
    owner.handleNotices = false;
    QSignalSpy executed(&owner.bars, &CXTPCommandBars::commandExecuted);
    QTest::mouseClick(widgetOf(kArc), Qt::LeftButton);
    EXPECT_EQ(owner.commands, std::vector<int>{kArc});
    ASSERT_EQ(executed.count(), 1);
    EXPECT_EQ(executed.at(0).at(0).toInt(), kArc);
    // The notification came first and, unanswered, let the command through.
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, CBN_XTP_EXECUTE);
}

TEST_F(CommandBarsTest, DisabledButtonDoesNothing)
{
    owner.deleteEnabled = false;
    owner.bars.UpdateCommandBars();
    QTest::mouseClick(widgetOf(kDelete), Qt::LeftButton);
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_FALSE(widgetOf(kDelete)->isEnabled());
}

TEST_F(CommandBarsTest, EveryToolbarCommandIsOfferedToTheOwnerInOrder)
{
    ASSERT_EQ(owner.requests.size(), 6u);
    const int ids[] = {kKind, kLine, kArc, kHeight, kWidth, kDelete};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(owner.requests[i].id, ids[i]);
        EXPECT_TRUE(owner.requests[i].toolBar);
        EXPECT_EQ(owner.requests[i].type, xtpControlButton);
        EXPECT_EQ(owner.requests[i].index, i);
    }
    EXPECT_EQ(bar->GetControlCount(), 6);
    EXPECT_TRUE(bar->FindControl(kHeight)->GetBeginGroup());
    EXPECT_TRUE(bar->FindControl(kDelete)->GetBeginGroup());
    EXPECT_FALSE(bar->FindControl(kArc)->GetBeginGroup());
}

TEST_F(CommandBarsTest, OwnerSuppliesComboForItsCommand)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(bar->FindControl(kKind));
    ASSERT_NE(combo, nullptr);
    auto* shown = qobject_cast<QComboBox*>(combo->widget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->count(), 2);
    EXPECT_EQ(shown->currentText(), QStringLiteral("钢筋线"));
    EXPECT_EQ(shown->width(), 100);
    EXPECT_FALSE(shown->isEditable());
    // The other commands became plain buttons.
    EXPECT_EQ(bar->FindControl(kLine)->GetType(), xtpControlButton);
}

TEST_F(CommandBarsTest, ComboSelectionNotifiesWithCode100)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(bar->FindControl(kKind));
    auto* shown = qobject_cast<QComboBox*>(combo->widget());
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_Down);
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, CBN_XTP_EXECUTE);
    EXPECT_EQ(owner.notices[0].id, kKind);
    EXPECT_EQ(owner.notices[0].selection, 1);
    EXPECT_EQ(combo->GetCurSel(), 1);
    // Answered 1: handled, no command on top.
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(CommandBarsTest, SetCurSelNotifiesNobody)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(bar->FindControl(kKind));
    combo->SetCurSel(1);
    EXPECT_EQ(qobject_cast<QComboBox*>(combo->widget())->currentIndex(), 1);
    EXPECT_EQ(combo->SetCurSel(5), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_TRUE(owner.notices.empty());
}

TEST_F(CommandBarsTest, EditableComboRunsOnEnterWithTheMatchingEntry)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(bar->FindControl(kHeight));
    auto* shown = qobject_cast<QComboBox*>(combo->widget());
    ASSERT_TRUE(shown->isEditable());
    EXPECT_EQ(shown->currentText(), QStringLiteral("8"));
    auto* edit = qobject_cast<CXTPEdit*>(shown->lineEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->placeholderText(), QStringLiteral("选择字高"));

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_FALSE(owner.notices.empty());
    EXPECT_EQ(owner.notices.back().selection, 11);

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("99"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(owner.notices.back().selection, CB_ERR);
    EXPECT_EQ(combo->GetEditText(), QStringLiteral("99"));
}

TEST_F(CommandBarsTest, UpdateHandlersSetEnabledAndChecked)
{
    owner.mode = kLine;
    owner.deleteEnabled = false;
    owner.bars.UpdateCommandBars();
    EXPECT_EQ(bar->FindControl(kLine)->GetChecked(), 1);
    EXPECT_EQ(bar->FindControl(kArc)->GetChecked(), 0);
    EXPECT_FALSE(bar->FindControl(kDelete)->GetEnabled());
    EXPECT_EQ(owner.updatedCombo, bar->FindControl(kKind));
    // The manually updated popup keeps its state.
    EXPECT_TRUE(bar->FindControl(kWidth)->GetEnabled());

    owner.mode = kArc;
    owner.deleteEnabled = true;
    owner.bars.UpdateCommandBars();
    EXPECT_EQ(bar->FindControl(kLine)->GetChecked(), 0);
    EXPECT_EQ(bar->FindControl(kArc)->GetChecked(), 1);
    EXPECT_TRUE(widgetOf(kDelete)->isEnabled());
}

TEST_F(CommandBarsTest, PopupButtonOpensItsBarWhoseButtonsSendCommands)
{
    auto* popup = dynamic_cast<CXTPControlPopup*>(bar->FindControl(kWidth));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetType(), xtpControlButtonPopup);
    CXTPCommandBar* popupBar = popup->GetCommandBar();
    QTest::mouseClick(widgetOf(kWidth), Qt::LeftButton);
    ASSERT_TRUE(popupBar->isVisible());
    EXPECT_TRUE(owner.commands.empty());

    owner.handleNotices = false;
    QTest::mouseClick(popupBar->FindControl(1002)->widget(), Qt::LeftButton);
    EXPECT_EQ(owner.commands, std::vector<int>{1002});
    EXPECT_FALSE(popupBar->isVisible());
    EXPECT_FALSE(popup->GetPopuped());
}

TEST_F(CommandBarsTest, OwnerMayRemoveControlsWhileOneRuns)
{
    owner.handleNotices = false;
    owner.removeOnDelete = true;
    QTest::mouseClick(widgetOf(kDelete), Qt::LeftButton);
    EXPECT_EQ(owner.commands, std::vector<int>{kDelete});
    EXPECT_EQ(bar->GetControlCount(), 0);
    QApplication::processEvents();
}

TEST_F(CommandBarsTest, TooltipsComeFromTheCommandStrings)
{
    EXPECT_EQ(bar->FindControl(kLine)->GetTooltip(), QStringLiteral("线段：绘制单根线段"));
    EXPECT_EQ(widgetOf(kLine)->toolTip(), QStringLiteral("线段：绘制单根线段"));
    EXPECT_EQ(bar->FindControl(kDelete)->GetTooltip(), QStringLiteral("删除"));
    EXPECT_EQ(bar->FindControl(kDelete)->GetDescription(), QStringLiteral("删除"));
    EXPECT_EQ(bar->FindControl(kLine)->GetDescription(), QString());
}

TEST_F(CommandBarsTest, MenuCommandsReachOwnerAndFollowUpdateHandlers)
{
    ASSERT_TRUE(owner.bars.SetMenu(QStringLiteral("菜单"), kMenuId));
    EXPECT_FALSE(owner.bars.SetMenu(QStringLiteral("菜单"), 12345));
    QMenu* file = owner.bars.GetMenuBar()->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    const QList<QAction*> actions = file->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[1]->isSeparator());

    owner.deleteEnabled = false;
    Q_EMIT file->aboutToShow();
    EXPECT_FALSE(actions[2]->isEnabled());
    EXPECT_TRUE(actions[0]->isEnabled());

    actions[0]->trigger();
    EXPECT_EQ(owner.commands, std::vector<int>{kOpen});
}

TEST_F(CommandBarsTest, BarsSitAtTheTopAndShareARowWhenDocked)
{
    widgara::resources().setToolBar(9003, {kDelete});
    CXTPToolBar* second = owner.bars.Add(QStringLiteral("属性"), xtpBarTop);
    second->LoadToolBar(9003);
    const QMargins twoRows = owner.bars.RecalcFrameLayout();
    owner.bars.DockRightOf(second, bar);
    const QMargins oneRow = owner.bars.RecalcFrameLayout();
    EXPECT_GT(oneRow.top(), 0);
    EXPECT_LT(oneRow.top(), twoRows.top());
    EXPECT_EQ(oneRow.left(), 0);
    EXPECT_EQ(owner.bars.hostWidget()->width(), owner.width());
    const QPoint first = bar->mapTo(&owner, QPoint(0, 0));
    const QPoint next = second->mapTo(&owner, QPoint(0, 0));
    EXPECT_EQ(first.y(), next.y());
    EXPECT_GE(next.x(), first.x() + bar->width());
    EXPECT_EQ(owner.bars.GetToolBar(9003), second);
    EXPECT_EQ(owner.bars.GetToolBar(4242), nullptr);
}

// The owner's width and what the toolbar shows at it.
struct FoldCase {
    int ownerWidth;
    bool folds;
};

class ToolBarFolding : public CommandBarsTest, public ::testing::WithParamInterface<FoldCase> {};

TEST_P(ToolBarFolding, EveryControlIsShownWholeOrBehindTheOverflowButton)
{
    const FoldCase& c = GetParam();
    owner.resize(c.ownerWidth, 300);
    owner.bars.RecalcFrameLayout();
    QCoreApplication::processEvents();
    const std::vector<CXTPControl*> folded = bar->foldedControls();
    EXPECT_EQ(!folded.empty(), c.folds);
    ASSERT_TRUE(bar->overflowButton());
    EXPECT_EQ(bar->overflowButton()->isVisible(), c.folds);
    const QRect shown(QPoint(0, 0), owner.size());
    for (int i = 0; i < bar->GetControlCount(); ++i) {
        CXTPControl* control = bar->GetControl(i);
        const bool isFolded = std::find(folded.begin(), folded.end(), control) != folded.end();
        QWidget* view = control->widget();
        ASSERT_TRUE(view);
        EXPECT_NE(view->isVisible(), isFolded) << control->GetID();
        if (!isFolded) {
            EXPECT_TRUE(shown.contains(QRect(view->mapTo(&owner, QPoint(0, 0)), view->size())))
                << control->GetID();
        }
    }
    if (c.folds) {
        EXPECT_TRUE(shown.contains(QRect(bar->overflowButton()->mapTo(&owner, QPoint(0, 0)),
                                         bar->overflowButton()->size())));
    }
    // The folded controls come after every shown one, in order.
    if (!folded.empty()) {
        EXPECT_EQ(folded.back(), bar->GetControl(bar->GetControlCount() - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ToolBarFolding,
                         ::testing::Values(FoldCase{500, false}, FoldCase{160, true}, FoldCase{60, true}));

TEST_F(CommandBarsTest, AFoldedButtonRunsFromTheOverflowPopupWhichThenCloses)
{
    owner.handleNotices = false; // the command goes on to OnCommand
    owner.resize(160, 300);
    owner.bars.RecalcFrameLayout();
    QCoreApplication::processEvents();
    const std::vector<CXTPControl*> folded = bar->foldedControls();
    ASSERT_FALSE(folded.empty());
    ASSERT_EQ(folded.back()->GetID(), kDelete);
    QTest::mouseClick(bar->overflowButton(), Qt::LeftButton);
    QWidget* popup = bar->overflowPopup();
    ASSERT_TRUE(popup);
    EXPECT_TRUE(popup->isVisible());
    // The popup shows the folded controls, the last one among them.
    QWidget* deleteView = folded.back()->widget();
    ASSERT_TRUE(deleteView);
    EXPECT_EQ(deleteView->window(), popup);
    EXPECT_TRUE(deleteView->isVisible());
    QTest::mouseClick(deleteView, Qt::LeftButton);
    EXPECT_EQ(owner.commands, std::vector<int>{kDelete});
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar->overflowPopup());
    // The bar shows its controls again, folded as before.
    EXPECT_EQ(bar->foldedControls(), folded);
    EXPECT_EQ(folded.back()->widget()->window(), &owner);
}

TEST(CommandBarsLoad, UnknownToolbarResourceLoadsNothing)
{
    BarsOwner owner;
    CXTPToolBar* bar = owner.bars.Add(QStringLiteral("x"));
    EXPECT_FALSE(bar->LoadToolBar(123456));
    EXPECT_EQ(bar->GetControlCount(), 0);
}

struct CommandString {
    const char* text;
    const char* prompt;
    const char* tooltip;
};

class CommandStringTest : public ::testing::TestWithParam<CommandString> {};

TEST_P(CommandStringTest, SplitsPromptAndTooltip)
{
    widgara::Resources resources;
    resources.setString(1, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(resources.prompt(1), QString::fromUtf8(GetParam().prompt));
    EXPECT_EQ(resources.tooltip(1), QString::fromUtf8(GetParam().tooltip));
}

INSTANTIATE_TEST_SUITE_P(
    Strings, CommandStringTest,
    ::testing::Values(CommandString{"\n选择", "", "选择"},
                      CommandString{"删除", "删除", "删除"},
                      CommandString{"打开文件\n打开", "打开文件", "打开"},
                      CommandString{"", "", ""},
                      CommandString{"a\nb\nc", "a", "b"}));

} // namespace

namespace {

// Enter typed into a command-bar or grid edit box finishes that entry only:
// the dialog's default button is not pressed.
TEST(EditInDialog, EnterDoesNotCloseTheDialog)
{
    struct Site : QDialog, CXTPCommandBarsSite {
        int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* request) override
        {
            auto combo = std::make_unique<CXTPControlComboBox>();
            combo->SetDropDownListStyle(false);
            combo->AddString(QStringLiteral("1"));
            request->pControl = std::move(combo);
            return 1;
        }
        long OnControlNotify(int, CXTPControl*) override
        {
            ++notices;
            return 1;
        }
        int notices = 0;
    } dialog;
    auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    widgara::resources().setToolBar(9100, {910});
    CXTPCommandBars bars;
    bars.SetSite(&dialog);
    bars.Add(QStringLiteral("t"))->LoadToolBar(9100);
    dialog.show();
    auto* combo = qobject_cast<QComboBox*>(bars.GetAt(0)->FindControl(910)->widget());
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("1"));
    EXPECT_EQ(dialog.notices, 0);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.notices, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

} // namespace
