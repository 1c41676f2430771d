// The document windows: the sheet tabs of each kind, what choosing a tab
// rebuilds, the panes that follow the tabs, the frame's answer to a sheet
// change and a pane's edit, the auto-save timer, and the sort and summary
// commands of the frames.

#include "app/documents/barsortdlg.h"
#include "app/documents/busydlg.h"
#include "app/documents/deliverynotedlg.h"
#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/processmainview.h"
#include "app/documents/setupframe.h"
#include "app/documents/setupmainview.h"
#include "app/documents/slmainview.h"
#include "app/panes/barpropertypanewnd.h"
#include "app/panes/elementtreepanewnd.h"
#include "app/panes/resourceids.h"
#include "app/panes/resourceids.h"
#include "app/shell/autosavedlg.h"
#include "grid/gridctrl.h"
#include "platform/profile.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/ui/tableview.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/quantity/ui/sumsettingdlg.h"
#include "tables/quantity/youhuaduanliaotable.h"
#include "tables/shared/sortrules.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/modal.h"
#include "widgara/cmdui.h"
#include "widgara/dlgitem.h"
#include "widgara/exceltabctrl.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QFileInfo>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace {

using Tab = CRODO_SetUpMainView::TabIndex;

template <typename T>
T* windowControl(QWidget& dialog, int id)
{
    auto* found = qobject_cast<T*>(widgara::GetDlgItem(&dialog, id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

class DocumentWindow : public test::DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        file = saveBarList("一层.pld");
        doc = open<CRODOSetUpDoc>(file);
        ASSERT_TRUE(doc);
        view = dynamic_cast<CRODO_SetUpMainView*>(containerOf(doc));
        ASSERT_TRUE(view);
        frame = dynamic_cast<CRODOSetUpFrame*>(view->frame());
        ASSERT_TRUE(frame);
    }
    // Chooses a tab and lets a background rebuild end.
    void choose(int tab)
    {
        view->selectTab(tab);
        doc->finishBuilds();
    }
    // The cutting tab chosen and 三级钢 20 chosen to cut, counting the sizes
    // asked.
    void cutAtGrade3Size20(int& asked)
    {
        test::onNextModal<CCutOptimizeSpecDlg>([&asked](CCutOptimizeSpecDlg* dlg) {
            ++asked;
            dlg->m_nGrade = 3;
            dlg->m_fDN = 20.0f;
            dlg->QDialog::accept();
        });
        choose(Tab::kCutting);
    }
    QStringList captions(SheetContainerView* container) const
    {
        QStringList list;
        for (int i = 0; i < container->tabCount(); ++i)
            list << container->tabCtrl()->GetItemText(i);
        return list;
    }
    void editBarList()
    {
        selectTwoBars(*doc->setupTable());
        runCommand(doc, ID_GRADE_1);
    }

    QString file;
    CRODOSetUpDoc* doc = nullptr;
    CRODO_SetUpMainView* view = nullptr;
    CRODOSetUpFrame* frame = nullptr;
};

TEST_F(DocumentWindow, ABarListOpensWithItsEightTabsEachShowingItsSheet)
{
    EXPECT_EQ(captions(view), (QStringList{"钢筋配料单", "规格排序", "用量汇总", "接头汇总", "原材进货",
                                           "钢筋料牌", "优化断料", "目录"}));
    EXPECT_EQ(view->GetCurSel(), 0);
    EXPECT_EQ(view->getActiveSheetView()->getTable(), doc->setupTable());
    EXPECT_EQ(view->getActiveSheetView()->getViewType(), CVes_TableViewBase::kBarListView);
    // The main window's table commands reach the bar list.
    EXPECT_EQ(app->mainFrame()->getActiveTableView(), view->getActiveSheetView());

    const CVes_TableBase* tables[] = {doc->setupTable(), doc->sortTable(), doc->summaryTable(),
                                      doc->summaryJTTable(), doc->jinHuoTable(), doc->liaoPaiTable(),
                                      nullptr, doc->contentsTable()};
    for (const int tab : {0, 1, 2, 3, 4, 5, 7}) {
        choose(tab);
        ASSERT_TRUE(view->getActiveSheetView()) << tab;
        EXPECT_EQ(view->getActiveSheetView()->getTable(), tables[tab]) << tab;
        EXPECT_GT(tables[tab]->lines().size(), 0) << "tab " << tab << " shows its sheet";
        EXPECT_GE(tables[tab]->getCurPage(), tab == 0 ? 0 : 1) << tab;
        EXPECT_EQ(view->lastTab(), tab);
    }
    // Every sheet view is a view of the document.
    EXPECT_EQ(doc->views().size(), 9u);
}

TEST_F(DocumentWindow, TheSummaryIsRebuiltOnEveryChoice)
{
    choose(Tab::kSummary);
    const int rows = doc->summaryTable()->lines().size();
    ASSERT_GT(rows, 0);
    doc->summaryTable()->clearnAllLineOnly();
    choose(Tab::kBarList);
    choose(Tab::kSummary);
    EXPECT_EQ(doc->summaryTable()->lines().size(), rows) << "no edit, rebuilt all the same";
}

TEST_F(DocumentWindow, TheSortTabStartsOneRebuildUntilTheBarListChanges)
{
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    choose(Tab::kSort);
    choose(Tab::kBarList);
    choose(Tab::kSort);
    EXPECT_EQ(started.size(), 1);
    EXPECT_FALSE(doc->sortTable()->bars().empty());
    EXPECT_EQ(doc->sortTable()->getCurPage(), 1);

    choose(Tab::kBarList);
    editBarList();
    choose(Tab::kSort);
    EXPECT_EQ(started.size(), 2);
}

TEST_F(DocumentWindow, WhileTheSortedSheetIsRebuiltItsViewShowsNothing)
{
    QSignalSpy built(doc, &SheetDocument::sheetBuilt);
    view->selectTab(Tab::kSort);
    if (doc->isBuilding(doc->sortTable())) {
        EXPECT_EQ(view->sheetView(Tab::kSort)->getTable(), nullptr);
        EXPECT_EQ(view->getActiveSheetView(), nullptr) << "the main window's commands leave it alone";
        EXPECT_EQ(app->mainFrame()->getActiveTableView(), nullptr);
    }
    ASSERT_TRUE(built.wait(10000));
    EXPECT_EQ(view->sheetView(Tab::kSort)->getTable(), doc->sortTable());
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(Tab::kSort));
    EXPECT_EQ(frame->activeSheetView(), view->sheetView(Tab::kSort)) << "the frame heard of it";
}

TEST_F(DocumentWindow, TheCuttingTabAsksTheSizeOnlyAfterAnEdit)
{
    int asked = 0;
    const auto accept = [&asked](CCutOptimizeSpecDlg* dlg) {
        ++asked;
        dlg->m_nGrade = 3;
        dlg->m_fDN = 20.0f;
        dlg->QDialog::accept();
    };
    test::onNextModal<CCutOptimizeSpecDlg>(accept);
    choose(Tab::kCutting);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(view->getActiveSheetView()->getTable(), doc->duanLiaoTable());
    choose(Tab::kBarList);
    choose(Tab::kCutting);
    EXPECT_EQ(asked, 1) << "nothing changed: nothing rebuilt";

    choose(Tab::kBarList);
    editBarList();
    test::onNextModal<CCutOptimizeSpecDlg>(accept);
    choose(Tab::kCutting);
    EXPECT_EQ(asked, 2);
}

// The stock lengths the patterns of the cutting list are cut from.
std::set<int> stockLengths(const CVes_YouhuaDuanLiaoTable& cut)
{
    std::set<int> lengths;
    for (CVes_TableBaseLine* line : cut.lines())
        if (auto* row = dynamic_cast<CVes_YouhuaDuanLiaoTableLine*>(line); row && row->m_strArray.isEmpty())
            lengths.insert(row->m_combine.stock.length);
    return lengths;
}

// The raw-stock dialog: 三级钢 20 bought in 9 m bars from now on.
void buyGrade3Size20In9mBars()
{
    test::onNextModal<CVes_RawStockDlg>([](CVes_RawStockDlg* dlg) {
        const CVes_SteelYuanCaiDataLib& stock = *dlg->m_pYuanCaiLib;
        for (int i = 0; i < stock.count(); ++i)
            if (stock.at(i)->grade == 3 && stock.at(i)->DN == 20.0f)
                dlg->grid()->OnEndEditCell(i + 1, CVes_RawStockDlg::kColLength, QStringLiteral("9"));
        dlg->accept();
    });
}

TEST_F(DocumentWindow, TheCuttingListShownIsCutAgainFromChangedRawStock)
{
    int asked = 0;
    cutAtGrade3Size20(asked);
    ASSERT_EQ(stockLengths(*doc->duanLiaoTable()), std::set<int>{12000});

    buyGrade3Size20In9mBars();
    frame->OnCmdMsg(ID_RAW_STOCK, nullptr);
    EXPECT_EQ(asked, 1) << "cut again for the same size, not asked again";
    EXPECT_EQ(stockLengths(*doc->duanLiaoTable()), std::set<int>{9000});
    EXPECT_FALSE(doc->setupTable()->isCanYouhuaSteel());

    // Cancelled, the stock stays and the list is not cut again.
    doc->duanLiaoTable()->clearnAllLineOnly();
    test::onNextModal<CVes_RawStockDlg>([](CVes_RawStockDlg* dlg) {
        dlg->grid()->OnEndEditCell(1, CVes_RawStockDlg::kColLength, QStringLiteral("6"));
        dlg->reject();
    });
    frame->OnCmdMsg(ID_RAW_STOCK, nullptr);
    EXPECT_TRUE(doc->duanLiaoTable()->lines().isEmpty());
}

TEST_F(DocumentWindow, AStockChangeFromTheBarListComesBackCutAtTheSameSize)
{
    int asked = 0;
    cutAtGrade3Size20(asked);
    ASSERT_EQ(stockLengths(*doc->duanLiaoTable()), std::set<int>{12000});
    const QString note = doc->duanLiaoTable()->m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula;

    // From the bar list's tab.
    choose(Tab::kBarList);
    buyGrade3Size20In9mBars();
    frame->OnCmdMsg(ID_RAW_STOCK, nullptr);
    choose(Tab::kCutting);
    EXPECT_EQ(asked, 1) << "the size it was cut for is kept, not asked again";
    EXPECT_EQ(stockLengths(*doc->duanLiaoTable()), std::set<int>{9000});
    EXPECT_EQ(doc->duanLiaoTable()->m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula, note);
}

TEST_F(DocumentWindow, ThePanesShowWithTheBarListOnly)
{
    CXTPDockingPaneManager* panes = frame->paneManager();
    const auto open = [panes](int id) { return !panes->FindPane(id)->IsClosed(); };
    EXPECT_TRUE(open(IDP_BAR_PROPERTY));
    choose(Tab::kSummary);
    EXPECT_FALSE(open(IDP_BAR_PROPERTY));
    EXPECT_FALSE(open(IDP_ELEMENT_TREE));
    choose(Tab::kBarList);
    EXPECT_TRUE(open(IDP_BAR_PROPERTY));
    EXPECT_TRUE(open(IDP_ELEMENT_TREE));
    // The pane command closes and shows both.
    frame->OnCmdMsg(ID_PANE_PROPERTY, nullptr);
    EXPECT_FALSE(open(IDP_BAR_PROPERTY));
    platform::CommandState state(ID_PANE_PROPERTY);
    frame->OnCmdMsg(ID_PANE_PROPERTY, &state);
    EXPECT_EQ(state.checked(), 0);
}

TEST_F(DocumentWindow, ThePanesShowTheSheetShownAndItsElements)
{
    auto* property = frame->findChild<CBarPropertyPaneWnd*>();
    ASSERT_TRUE(property);
    EXPECT_EQ(property->getTable(), doc->setupTable());
    // The element tree gets its window when its tab is first shown.
    EXPECT_FALSE(frame->findChild<CElementTreeCtrl*>());
    frame->paneManager()->ShowPane(IDP_ELEMENT_TREE);
    auto* tree = frame->findChild<CElementTreeCtrl*>();
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->getTable(), doc->setupTable());
    EXPECT_GT(tree->topLevelItemCount(), 0) << "the bar list's elements are listed";

    // An edit in the pane reaches the frame: the document is marked modified.
    doc->SetModifiedFlag(false);
    doc->setupTable()->setModified(1);
    Q_EMIT property->tableEdited();
    EXPECT_TRUE(doc->IsModified());

    choose(Tab::kSort);
    EXPECT_EQ(property->getTable(), doc->sortTable()) << "the pane follows the tab";
}

// F3 checks the sheet while the property pane or the element tree has the
// focus, as it does on the sheet: once, with the check's message.
TEST_F(DocumentWindow, F3ChecksTheSheetFromAPaneToo)
{
    frame->paneManager()->ShowPane(IDP_ELEMENT_TREE);
    auto* property = frame->findChild<CBarPropertyPaneWnd*>();
    auto* tree = frame->findChild<CElementTreeCtrl*>();
    ASSERT_TRUE(property && tree);
    QWidget* sheet = frame->activeSheetView();
    ASSERT_TRUE(sheet);
    QWidget* window = app->mainFrame();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    for (QWidget* focus : {sheet, static_cast<QWidget*>(property->grid()), static_cast<QWidget*>(tree)}) {
        host->clear();
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, Qt::Key_F3);
        EXPECT_EQ(host->messageTexts().size(), 1) << focus->metaObject()->className();
    }
}

TEST_F(DocumentWindow, TheFrameHearsOfSheetsAndPaneEdits)
{
    EXPECT_FALSE(frame->OnSheetChanged(nullptr));
    choose(Tab::kSummary);
    EXPECT_EQ(frame->activeSheetView(), view->sheetView(Tab::kSummary));
    EXPECT_FALSE(frame->OnSheetChanged(nullptr)) << "nothing changes without a table";
    EXPECT_EQ(frame->activeSheetView(), view->sheetView(Tab::kSummary));

    choose(Tab::kBarList);
    doc->SetModifiedFlag(false);
    frame->OnPaneEdited();
    EXPECT_FALSE(doc->IsModified()) << "the bar list did not change";
    doc->setupTable()->setModified(1);
    frame->OnPaneEdited();
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentWindow, TheAutoSaveTimerSavesWhenAskedWhicheverSheetIsShown)
{
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveType"), 1);
    const QString recovery = file + QStringLiteral("$$$");
    editBarList();
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSave"), 0);
    frame->OnAutoSaveTimer();
    EXPECT_FALSE(QFileInfo::exists(recovery));
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSave"), 1);
    // Every tick saves, also while a sheet made from the list is shown.
    for (int tab : {Tab::kSort, Tab::kSummary, Tab::kTags, Tab::kContents, Tab::kBarList}) {
        choose(tab);
        ASSERT_FALSE(QFileInfo::exists(recovery) && !QFile::remove(recovery));
        frame->OnAutoSaveTimer();
        EXPECT_TRUE(QFileInfo::exists(recovery)) << "tab " << tab;
    }
}

TEST_F(DocumentWindow, TheAutoSaveIntervalIsAtLeastAMinute)
{
    EXPECT_EQ(frame->autoSaveInterval(), 5 * 60000);
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveTime"), 0);
    auto* other = open<CRODOSetUpDoc>(saveBarList("二层.pld"));
    ASSERT_TRUE(other);
    EXPECT_EQ(containerOf(other)->frame()->autoSaveInterval(), 60000);
}

TEST_F(DocumentWindow, ANewIntervalReachesTheListsOpenAlready)
{
    auto* other = open<CRODOSetUpDoc>(saveBarList("二层.pld"));
    ASSERT_TRUE(other);
    DocumentFrame* second = containerOf(other)->frame();
    ASSERT_EQ(second->autoSaveInterval(), 5 * 60000);
    // 设置 → 自动保存与备份: 2 minutes.
    test::onNextModal<CAutoSaveDlg>([](CAutoSaveDlg* dialog) {
        dialog->m_minutes->setValue(2);
        dialog->accept();
    });
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_AUTOSAVE, nullptr));
    EXPECT_EQ(frame->autoSaveInterval(), 2 * 60000);
    EXPECT_EQ(second->autoSaveInterval(), 2 * 60000);
    // Cancelled, the dialog changes nothing.
    test::onNextModal<CAutoSaveDlg>([](CAutoSaveDlg* dialog) {
        dialog->m_minutes->setValue(9);
        dialog->reject();
    });
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_AUTOSAVE, nullptr));
    EXPECT_EQ(frame->autoSaveInterval(), 2 * 60000);
}

TEST_F(DocumentWindow, AGradeSortCommandSetsOneBitAndRebuilds)
{
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    frame->OnCmdMsg(ID_SORT_GRADE_1, nullptr);
    frame->OnCmdMsg(ID_SORT_GRADE_1, nullptr);
    doc->finishBuilds();
    EXPECT_EQ(doc->setupTable()->getSortRules().m_sortGrade, 1u);
    EXPECT_GE(started.size(), 1);
    frame->OnCmdMsg(ID_SORT_STRAIGHT, nullptr);
    doc->finishBuilds();
    EXPECT_EQ(doc->setupTable()->getSortRules().m_state, 4u);
    platform::CommandState state(ID_SORT_STRAIGHT);
    frame->OnCmdMsg(ID_SORT_STRAIGHT, &state);
    EXPECT_EQ(state.checked(), 1);
}

TEST_F(DocumentWindow, TheSortSettingsDialogWritesTheRulesOnOkOnly)
{
    CVes_SortRules& rules = doc->setupTable()->getSortRules();
    rules.setSortGrade(CVes_SortRules::kGrade1);
    rules.setState(0);
    const CVes_SortRules before = rules;

    test::onNextModal<CBarSortDlg>([](CBarSortDlg* d) {
        EXPECT_TRUE(windowControl<QCheckBox>(*d, CBarSortDlg::kGrade1Id)->isChecked());
        windowControl<QCheckBox>(*d, CBarSortDlg::kGrade2Id)->setChecked(true);
        d->reject();
    });
    frame->OnCmdMsg(ID_SORT_SETTINGS, nullptr);
    EXPECT_EQ(rules.m_sortGrade, before.m_sortGrade) << "cancelled";

    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    test::onNextModal<CBarSortDlg>([](CBarSortDlg* d) {
        windowControl<QCheckBox>(*d, CBarSortDlg::kGrade1Id)->setChecked(false);
        windowControl<QCheckBox>(*d, CBarSortDlg::kGrade5Id)->setChecked(true);
        windowControl<QCheckBox>(*d, CBarSortDlg::kBentId)->setChecked(true);
        windowControl<QComboBox>(*d, CBarSortDlg::kDiameterOrderId)->setCurrentIndex(1);
        windowControl<QComboBox>(*d, CBarSortDlg::kLengthOrderId)->setCurrentIndex(0);
        windowControl<QComboBox>(*d, CBarSortDlg::kRangeModeId)->setCurrentIndex(3);
        d->accept();
    });
    frame->OnCmdMsg(ID_SORT_SETTINGS, nullptr);
    doc->finishBuilds();
    EXPECT_EQ(rules.m_sortGrade, CVes_SortRules::kGrade5);
    EXPECT_EQ(rules.m_state, CVes_SortRules::kBent);
    EXPECT_EQ(rules.m_dnOrder, 1);
    EXPECT_EQ(rules.m_lenOrder, 0);
    EXPECT_EQ(rules.getDNstateStyle(), 3u);
    EXPECT_EQ(started.size(), 1) << "the sorted sheet is rebuilt";
}

TEST_F(DocumentWindow, TheDeliveryNoteKeepsItsTextsOnOk)
{
    doc->setupTable()->setJinHuoText(2, QStringLiteral("华建公司"));
    doc->SetModifiedFlag(false);
    test::onNextModal<CDeliveryNoteDlg>([](CDeliveryNoteDlg* d) {
        EXPECT_EQ(windowControl<QLineEdit>(*d, CDeliveryNoteDlg::kCustomerId)->text(), "华建公司");
        windowControl<QLineEdit>(*d, CDeliveryNoteDlg::kCustomerId)->setText(QStringLiteral("城建公司"));
        d->reject();
    });
    frame->OnCmdMsg(ID_DELIVERY_NOTE, nullptr);
    EXPECT_EQ(doc->setupTable()->getJinHuoTexts()[2], "华建公司");
    EXPECT_FALSE(doc->IsModified());

    test::onNextModal<CDeliveryNoteDlg>([](CDeliveryNoteDlg* d) {
        windowControl<QLineEdit>(*d, CDeliveryNoteDlg::kCustomerId)->setText(QStringLiteral("城建公司"));
        windowControl<QLineEdit>(*d, CDeliveryNoteDlg::kCompiledOnId)->setText(QStringLiteral("2026-3-18"));
        d->accept();
    });
    frame->OnCmdMsg(ID_DELIVERY_NOTE, nullptr);
    EXPECT_EQ(doc->setupTable()->getJinHuoTexts()[2], "城建公司");
    EXPECT_EQ(doc->setupTable()->getJinHuoTexts()[7], "2026-3-18");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentWindow, SummarySettingsRebuildTheSheetShownAndMarkTheDocument)
{
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    choose(Tab::kSort);
    doc->SetModifiedFlag(false);
    const int before = started.size();
    test::onNextModal<CVes_SumSettingDlg>([](CVes_SumSettingDlg* dlg) { dlg->accept(); });
    frame->OnCmdMsg(ID_SUMMARY_SETTINGS, nullptr);
    doc->finishBuilds();
    EXPECT_EQ(started.size(), before + 1);
    EXPECT_TRUE(doc->IsModified());

    choose(Tab::kBarList);
    doc->SetModifiedFlag(false);
    test::onNextModal<CVes_SumSettingDlg>([](CVes_SumSettingDlg* dlg) { dlg->accept(); });
    frame->OnCmdMsg(ID_SUMMARY_SETTINGS, nullptr);
    EXPECT_EQ(started.size(), before + 1) << "nothing rebuilt";
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentWindow, TheOtherKindsOpenWithTheirTabs)
{
    auto* process = open<CRODOProcessDoc>(saveProcessSheet("a.jgd"));
    ASSERT_TRUE(process);
    auto* processView = dynamic_cast<CRODO_ProcessMainView*>(containerOf(process));
    ASSERT_TRUE(processView);
    EXPECT_EQ(captions(processView), (QStringList{"加工明细单", "加工汇总单", "钢筋料牌"}));
    processView->selectTab(CRODO_ProcessMainView::kList);
    EXPECT_GT(process->processListTable()->lines().size(), 0);
    processView->selectTab(CRODO_ProcessMainView::kTags);
    EXPECT_GT(process->liaoPaiTable()->lines().size(), 0);
    EXPECT_EQ(processView->getActiveSheetView()->getTable(), process->liaoPaiTable());

    auto* quantity = open<CRODOSLDoc>(saveQuantitySheet("a.ylb"));
    ASSERT_TRUE(quantity);
    auto* slView = dynamic_cast<CRODO_SLMainView*>(containerOf(quantity));
    ASSERT_TRUE(slView);
    EXPECT_EQ(captions(slView), (QStringList{"钢筋用量明细表", "钢筋用量汇总表", "钢筋连接类型汇总表", "钢筋规格排序表"}));
    QSignalSpy started(quantity, &SheetDocument::sheetBuildStarted);
    slView->selectTab(CRODO_SLMainView::kSort);
    quantity->finishBuilds();
    slView->selectTab(CRODO_SLMainView::kSummary);
    slView->selectTab(CRODO_SLMainView::kSort);
    quantity->finishBuilds();
    // The sorted sheet once, and the summary chosen between (on a worker
    // too) once.
    const auto startsOf = [&started](const CVes_TableBase* sheet) {
        int starts = 0;
        for (const QList<QVariant>& start : started)
            starts += start.at(0).value<CVes_TableBase*>() == sheet ? 1 : 0;
        return starts;
    };
    EXPECT_EQ(started.size(), 2);
    EXPECT_EQ(startsOf(quantity->sortTable()), 1);
    EXPECT_EQ(startsOf(quantity->summaryTable()), 1);
    EXPECT_FALSE(quantity->sortTable()->bars().empty());
    EXPECT_GT(quantity->summaryTable()->lines().size(), 0);
}

TEST(BusyWindow, TheBarFillsAndStartsAgain)
{
    CBusyDlg busy;
    std::vector<int> seen;
    for (int tick = 0; tick < 103; ++tick) {
        busy.OnTimer();
        seen.push_back(busy.counter());
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[99], 100);
    EXPECT_EQ(seen[100], 0);
    EXPECT_EQ(seen[102], 2);
}

// A new sheet of each kind (Ctrl+N for a bar list) starts with Undo and
// Redo off in the main window; its first edit turns Undo on.
class NewSheet : public test::DocumentsFixture, public ::testing::WithParamInterface<int> {
protected:
    bool enabled(int id)
    {
        CCmdUI ui(id, nullptr);
        app->mainFrame()->OnUpdateCommandUI(&ui);
        return ui.enabled();
    }
};

TEST_P(NewSheet, StartsWithNothingToUndo)
{
    platform::DocTemplate* kind = app->docManager().findTemplate(GetParam());
    ASSERT_TRUE(kind && kind->OpenDocumentFile(QString()));
    ASSERT_TRUE(app->mainFrame()->getActiveTableView());
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(enabled(ID_EDIT_REDO));
    app->mainFrame()->OnCommand(ID_PAGE_ADD);
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NewSheet, ::testing::Values(IDR_SETUPTYPE, IDR_PROCESSTYPE, IDR_SLTYPE),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == IDR_SETUPTYPE     ? "BarList"
                                                : info.param == IDR_PROCESSTYPE ? "ProcessingSheet"
                                                                                : "QuantitySheet");
                         });

} // namespace
