// The sheet views' commands reach their tables: the edits the views make
// themselves are undone in one step and mark the table and the document
// changed; the commands that share a number with a toolbar command of the
// main window do not run from that toolbar; the page box, the auto-save
// hook, F2 and the derived sheets' orders and selections.

#include "app/documents/deliverynotedlg.h"
#include "app/views/summaryoptionsdlg.h"
#include "app/documents/documentfiles.h"
#include "app/documents/documentframe.h"
#include "app/views/processviews.h"
#include "app/views/setupview.h"
#include "app/views/slview.h"
#include "app/views/summaryviews.h"
#include "app/views/tagviews.h"
#include "platform/profile.h"
#include "tables/barlist/ui/selecteledlg.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tableclipboard.h"
#include "tables/framework/tabletextline.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tests/app/support/views_support.h"
#include "tests/support/modal.h"
#include "widgara/controlcombobox.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <memory>

#include <gtest/gtest.h>

namespace {

// The texts of every row of a derived sheet, in order.
QStringList sheetTexts(const CVes_TableBase& table)
{
    QStringList texts;
    for (CVes_TableBaseLine* row : table.lines())
        if (auto* text = dynamic_cast<CVes_TableTextLine*>(row))
            texts << text->getTexts().join(u'|');
    return texts;
}

// The first row on page 1 that holds a bar.
int firstBarRow(CVes_TableBase& table)
{
    table.setPageTo(1, 1);
    for (int row = 1; row <= table.pageLines().size(); ++row)
        if (table.getLine(row)->isSteelLine())
            return row;
    return 0;
}

// The automatic cutting length, in the three edit views

struct CutLengthCase {
    const char* name;
    int sheetKind; // 0 bar list, 1 processing sheet, 2 quantity sheet
    int column;
};

class AutoCutLength : public test::ViewsFixture, public ::testing::WithParamInterface<CutLengthCase> {
protected:
    // The document, its edit view and its sheet.
    platform::Document* openSheet(SheetViewBase*& view, CVes_TableBase*& table)
    {
        switch (GetParam().sheetKind) {
        case 0: {
            CRODOSetUpDoc* doc = openBarList();
            view = showTab<CRODOSetUpView>(doc, 0);
            table = doc->setupTable();
            return doc;
        }
        case 1: {
            CRODOProcessDoc* doc = openProcessSheet();
            view = showTab<CRODOProcessView>(doc, 0);
            table = doc->processTable();
            return doc;
        }
        default: {
            CRODOSLDoc* doc = openQuantitySheet();
            view = showTab<CRODOSLView>(doc, 0);
            table = doc->slTable();
            return doc;
        }
        }
    }
};

TEST_P(AutoCutLength, TogglesTheBarWithOneUndoStepAndMarksEverythingChanged)
{
    SheetViewBase* view = nullptr;
    CVes_TableBase* table = nullptr;
    platform::Document* doc = openSheet(view, table);
    ASSERT_TRUE(doc && view && table);
    const int row = firstBarRow(*table);
    ASSERT_GT(row, 0);
    selectCell(*table, 1, row, GetParam().column);
    ASSERT_EQ(test::findRow(test::menuRows(*view), ID_CUTLENGTH_AUTO)->id, ID_CUTLENGTH_AUTO);
    const int before = table->getSteel(row)->calcLength;
    ASSERT_FALSE(table->CanUndo());
    ASSERT_FALSE(doc->IsModified());

    ASSERT_TRUE(view->runMenuCommand(ID_CUTLENGTH_AUTO));
    EXPECT_EQ(table->getSteel(row)->calcLength, before ? 0 : 1);
    EXPECT_TRUE(table->CanUndo());
    EXPECT_TRUE(table->isModified());
    EXPECT_TRUE(table->isCanSortSteel());
    EXPECT_TRUE(table->isCanYouhuaSteel());
    EXPECT_TRUE(doc->IsModified());

    table->Undo();
    table->setPageTo(1, 1);
    EXPECT_EQ(table->getSteel(row)->calcLength, before);
}

TEST_P(AutoCutLength, ALineWithoutABarIsLeftAlone)
{
    SheetViewBase* view = nullptr;
    CVes_TableBase* table = nullptr;
    platform::Document* doc = openSheet(view, table);
    ASSERT_TRUE(doc && view && table);
    table->setPageTo(1, 1);
    int heading = 0;
    for (int row = 1; row <= table->pageLines().size() && !heading; ++row)
        if (!table->getLine(row)->isSteelLine())
            heading = row;
    ASSERT_GT(heading, 0);
    selectCell(*table, 1, heading, GetParam().column);
    view->runMenuCommand(ID_CUTLENGTH_AUTO);
    EXPECT_FALSE(table->CanUndo());
    EXPECT_FALSE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Sheets, AutoCutLength,
                         ::testing::Values(CutLengthCase{"BarList", 0, CVes_SetupTable::kColCutLength},
                                           CutLengthCase{"Processing", 1, CVes_ProcessTable::kColLength},
                                           CutLengthCase{"Quantity", 2, CVes_SLTable::kColCutLength}),
                         [](const auto& info) { return std::string(info.param.name); });

// The bar list's own edits

class BarListCommands : public test::BarListViews {};

TEST_F(BarListCommands, ClearingTheStartPictureIsOneUndoStep)
{
    const CSteelRecordId start(2, 3);
    list->setPageTo(1, 1);
    dynamic_cast<CVes_SetupTableLine*>(list->getLine(2))->m_steel.start.setRecordId(start);
    list->resetUndo();
    selectCell(*list, 1, 2, CVes_SetupTable::kColStart);

    ASSERT_TRUE(view->runMenuCommand(ID_CLEAR_START));
    auto line = [this] { return dynamic_cast<CVes_SetupTableLine*>(list->getLine(2)); };
    EXPECT_EQ(line()->m_steel.start.getRecordId(), CSteelRecordId(-1, -1));
    EXPECT_TRUE(list->isModified());
    EXPECT_TRUE(doc->IsModified());
    list->Undo();
    list->setPageTo(1, 1);
    EXPECT_EQ(line()->m_steel.start.getRecordId(), start);
}

TEST_F(BarListCommands, UnitFlagsToggleWithUndo)
{
    selectCell(*list, 1, 2, 0);
    ASSERT_TRUE(list->InsertUnitRow());
    list->resetUndo();
    selectCell(*list, 1, 2, 0);
    auto unit = [this] { return dynamic_cast<CVes_SetupTableLine*>(list->getLine(2)); };
    ASSERT_EQ(unit()->getType(), CVes_SetupTableLine::kUnitLine);
    ASSERT_EQ(unit()->m_unitMerged, 1);

    view->runMenuCommand(ID_UNIT_MERGED);
    EXPECT_EQ(unit()->m_unitMerged, 0);
    view->runMenuCommand(ID_UNIT_SAME);
    EXPECT_EQ(unit()->m_unitSame, 0);
    EXPECT_TRUE(doc->IsModified());
    list->Undo();
    list->setPageTo(1, 1);
    EXPECT_EQ(unit()->m_unitMerged, 0);
    EXPECT_EQ(unit()->m_unitSame, 1);
}

TEST_F(BarListCommands, TheMenuCopiesAnElementButTheZoomBoxNumberDoesNot)
{
    selectCell(*list, 1, 1, 0);
    ASSERT_EQ(list->getLine(1)->getType(), CVes_SetupTableLine::kElementLine);
    // The main window's zoom box has the same number: through the main
    // window nothing is copied.
    app->mainFrame()->routeCommand(ID_ELEMENT_COPY, nullptr);
    EXPECT_FALSE(tableClipboard().hasLines(CVes_TableClipboard::kSetupLines));
    ASSERT_TRUE(view->runMenuCommand(ID_ELEMENT_COPY));
    EXPECT_TRUE(tableClipboard().hasLines(CVes_TableClipboard::kSetupLines));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BarListCommands, CtrlCCopiesTheSelectedRowAndCtrlVPastesItOverAnother)
{
    // Two bars of different sizes on the first page.
    int from = -1, to = -1;
    for (int row = 2; row < 12 && to < 0; ++row) {
        const CVes_BarCore* bar = list->getSteel(row);
        if (!bar)
            continue;
        if (from < 0)
            from = row;
        else if (bar->getDN() != list->getSteel(from)->getDN())
            to = row;
    }
    ASSERT_GT(to, 0);
    const float size = list->getSteel(from)->getDN();

    view->setFocus();
    selectCell(*list, 1, from, 0);
    QTest::keyClick(view->viewport(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(tableClipboard().hasLines(CVes_TableClipboard::kSetupLines));
    selectCell(*list, 1, to, 0);
    QTest::keyClick(view->viewport(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(list->getSteel(to));
    EXPECT_EQ(list->getSteel(to)->getDN(), size);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(BarListCommands, DeletingAnElementTakesItsBarsAndCanBeUndone)
{
    const int lines = list->lines().size();
    selectCell(*list, 1, 1, 0);
    ASSERT_TRUE(view->runMenuCommand(ID_ELEMENT_DELETE));
    EXPECT_EQ(list->lines().size(), lines - 11);
    EXPECT_TRUE(doc->IsModified());
    list->Undo();
    EXPECT_EQ(list->lines().size(), lines);
}

TEST_F(BarListCommands, TheBlankRowOfTheMenuIsNotTheStartPointOfTheToolbar)
{
    selectCell(*list, 1, 2, 0);
    const int lines = list->lines().size();
    ASSERT_TRUE(view->runMenuCommand(ID_INSERT_BLANK));
    EXPECT_EQ(list->lines().size(), lines + 1);
    EXPECT_TRUE(list->getLine(2)->isNull());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(BarListCommands, F2WritesTheSummaryWithTheChosenOptions)
{
    selectCell(*list, 1, 2, 0);
    const int lines = list->lines().size();
    test::onNextModal<CSummaryOptionsDlg>([](CSummaryOptionsDlg* dialog) { dialog->accept(); });
    view->setFocus();
    QTest::keyClick(view, Qt::Key_F2);
    EXPECT_GT(list->lines().size(), lines);
    EXPECT_TRUE(list->CanUndo());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(BarListCommands, CancelledSummaryOptionsChangeNothing)
{
    const int lines = list->lines().size();
    test::onNextModal<CSummaryOptionsDlg>([](CSummaryOptionsDlg* dialog) { dialog->reject(); });
    view->runMenuCommand(ID_SUMMARY_OPTIONS);
    EXPECT_EQ(list->lines().size(), lines);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BarListCommands, ThePageBoxShowsTheBarListsPage)
{
    ASSERT_TRUE(g_pPageCombo);
    list->setPageTo(2, 1);
    g_pPageCombo->SetEditText(QStringLiteral("x"));
    EXPECT_TRUE(view->handleMessage(CVes_TableViewBase::kPageShown));
    EXPECT_EQ(g_pPageCombo->GetEditText(), QStringLiteral("2"));

    // The other sheets leave the box alone.
    auto* summary = showTab<CRODOSLSummaryView>(doc, CRODO_SetUpMainView::kSummary);
    ASSERT_TRUE(summary);
    g_pPageCombo->SetEditText(QStringLiteral("x"));
    summary->handleMessage(CVes_TableViewBase::kPageShown);
    EXPECT_EQ(g_pPageCombo->GetEditText(), QStringLiteral("x"));
}

TEST_F(BarListCommands, TheAutoSaveMessageSavesTheDocument)
{
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveType"), 1);
    selectCell(*list, 1, 2, CVes_SetupTable::kColCutLength);
    view->runMenuCommand(ID_CUTLENGTH_AUTO);
    ASSERT_TRUE(doc->IsModified());
    const QString recovery = docfiles::recoveryPath(doc->GetPathName());
    ASSERT_FALSE(QFileInfo::exists(recovery));
    EXPECT_TRUE(view->handleMessage(CVes_TableViewBase::kAutoSave));
    EXPECT_TRUE(QFileInfo::exists(recovery));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(BarListCommands, TheFramesTimerSavesWhileASheetMadeFromTheListIsShown)
{
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveType"), 1);
    selectCell(*list, 1, 2, CVes_SetupTable::kColCutLength);
    view->runMenuCommand(ID_CUTLENGTH_AUTO);
    const QString recovery = docfiles::recoveryPath(doc->GetPathName());
    DocumentFrame* frame = containerOf(doc)->frame();
    ASSERT_TRUE(frame);
    showTab<CRODOSLSummaryView>(doc, CRODO_SetUpMainView::kSummary);
    frame->OnAutoSaveTimer();
    EXPECT_TRUE(QFileInfo::exists(recovery));
}

// Cover templates

class CoverTemplateView : public CRODOSetUpView {
public:
    QString answer;
    QString askedIn;

protected:
    QString askCoverPath(bool, const QString& folder) override
    {
        askedIn = folder;
        return answer;
    }
};

TEST_F(BarListCommands, ACoverTemplateGoesOutAndComesBack)
{
    CoverTemplateView cover;
    cover.setTable(list);
    list->setPageTo(0, 1);
    const QString file = path("cover.fmt");
    cover.answer = file;
    ASSERT_TRUE(cover.runMenuCommand(ID_COVER_SAVE));
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(cover.askedIn, CRODOSetUpView::coverTemplateFolder());
    EXPECT_TRUE(QFileInfo(cover.askedIn).isDir());
    EXPECT_TRUE(cover.askedIn.endsWith(QStringLiteral("封面模板/配料单")));
    EXPECT_FALSE(list->CanUndo());

    list->resetTableCover();
    list->resetUndo();
    cover.runMenuCommand(ID_COVER_LOAD);
    EXPECT_TRUE(list->CanUndo());
    EXPECT_TRUE(list->isModified());
}

TEST_F(BarListCommands, ACoverPathWithoutAnExtensionWritesNothing)
{
    CoverTemplateView cover;
    cover.setTable(list);
    cover.answer = path("cover");
    cover.runMenuCommand(ID_COVER_SAVE);
    EXPECT_FALSE(QFileInfo::exists(cover.answer));
    cover.runMenuCommand(ID_COVER_LOAD);
    EXPECT_FALSE(list->CanUndo());
}

TEST_F(BarListCommands, ADamagedCoverTemplateIsReportedAndChangesNothing)
{
    CoverTemplateView cover;
    cover.setTable(list);
    cover.answer = path("bad.fmt");
    QFile bad(cover.answer);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x05\x00\x00", 3);
    bad.close();
    cover.runMenuCommand(ID_COVER_LOAD);
    EXPECT_FALSE(list->CanUndo());
    EXPECT_FALSE(list->isModified());
    ASSERT_FALSE(host->messages().empty());
}

// Bar tags

struct LayoutCase {
    int id;
    int layout;
    int rowsPerPage;
};

class TagLayouts : public BarListCommands, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(TagLayouts, ALayoutRebuildsTheTagsWithItsTagsPerPage)
{
    auto* tags = showTab<CRODOLiaoPaiView>(doc, CRODO_SetUpMainView::kTags);
    ASSERT_TRUE(tags);
    ASSERT_TRUE(tags->runMenuCommand(GetParam().id));
    EXPECT_EQ(list->getLiaoPaiDirect(), GetParam().layout);
    EXPECT_EQ(int(tags->tagTable()->getLiaoPaiDerect()), GetParam().layout);
    EXPECT_EQ(tags->tagTable()->m_rowNum, GetParam().rowsPerPage);
    EXPECT_GT(tags->tagTable()->lines().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TagLayouts,
                         ::testing::Values(LayoutCase{ID_TAG_LAYOUT_1, 3, 8}, LayoutCase{ID_TAG_LAYOUT_2, 4, 8},
                                           LayoutCase{ID_TAG_LAYOUT_3, 2, 16}, LayoutCase{ID_TAG_LAYOUT_4, 0, 8},
                                           LayoutCase{ID_TAG_LAYOUT_5, 1, 8}, LayoutCase{ID_TAG_LAYOUT_6, 5, 10}));

TEST_F(BarListCommands, AGenerationModeRebuildsTheTagsAtOnce)
{
    auto* tags = showTab<CRODOLiaoPaiView>(doc, CRODO_SetUpMainView::kTags);
    ASSERT_TRUE(tags);
    const auto tagCount = [tags] { return int(tags->tagTable()->m_lpList.size()); };
    // Thirty bars in three elements.
    tags->runMenuCommand(ID_TAG_ELEMENTS);
    EXPECT_EQ(list->getLiaopaiType(), 2);
    EXPECT_EQ(tagCount(), 3);
    tags->runMenuCommand(ID_TAG_BARS);
    EXPECT_EQ(tagCount(), 30);
    tags->runMenuCommand(ID_TAG_ALL);
    EXPECT_EQ(list->getLiaopaiType(), 0);
    EXPECT_EQ(tagCount(), 33);
}

TEST_F(BarListCommands, TheTagSplitOfTheMenuIsNotTheDefaultTemplateCommand)
{
    auto* tags = showTab<CRODOLiaoPaiView>(doc, CRODO_SetUpMainView::kTags);
    ASSERT_TRUE(tags);
    app->mainFrame()->routeCommand(ID_TAG_SPLIT, nullptr);
    EXPECT_EQ(list->getLiaoPaiEleChaifen(), 0);
    tags->runMenuCommand(ID_TAG_SPLIT);
    EXPECT_EQ(list->getLiaoPaiEleChaifen(), 1);
    tags->runMenuCommand(ID_TAG_MERGE);
    EXPECT_EQ(list->getLiaoPaiGuibing(), 1);
}

TEST_F(BarListCommands, SortingTheTagsKeepsTheirPage)
{
    auto* tags = showTab<CRODOLiaoPaiView>(doc, CRODO_SetUpMainView::kTags);
    ASSERT_TRUE(tags);
    CVes_LiaoPaiTable* sheet = tags->tagTable();
    ASSERT_GE(sheet->getPages(), 2);
    sheet->setPageTo(2, 1);
    tags->runMenuCommand(ID_SORT_SMALL_FIRST);
    EXPECT_EQ(sheet->m_sortRules.m_dnOrder, 1);
    EXPECT_EQ(sheet->getCurPage(), 2);
    tags->runMenuCommand(ID_TAG_SORT_ELEMENT);
    EXPECT_EQ(sheet->m_sortRules.m_dnOrder, 10);
    EXPECT_EQ(sheet->m_sortRules.m_lenOrder, 10);
}

// Summaries and the sorted sheet

TEST_F(BarListCommands, TheSummaryFollowsANewOrderAtOnce)
{
    auto* summary = showTab<CRODOSLSummaryView>(doc, CRODO_SetUpMainView::kSummary);
    ASSERT_TRUE(summary);
    summary->runMenuCommand(ID_SORT_SMALL_FIRST);
    EXPECT_EQ(list->getSortOrder(), 1u);
    const QStringList smallFirst = sheetTexts(*doc->summaryTable());
    summary->runMenuCommand(ID_SORT_LARGE_FIRST);
    EXPECT_EQ(list->getSortOrder(), 0u);
    const QStringList largeFirst = sheetTexts(*doc->summaryTable());
    EXPECT_NE(smallFirst, largeFirst);
    EXPECT_EQ(smallFirst.size(), largeFirst.size());
}

TEST_F(BarListCommands, ChoosingElementsCancelledLeavesTheSummary)
{
    auto* summary = showTab<CRODOSLSummaryView>(doc, CRODO_SetUpMainView::kSummary);
    ASSERT_TRUE(summary);
    const QStringList before = sheetTexts(*doc->summaryTable());
    test::onNextModal<CVes_SelectEleDlg>([](CVes_SelectEleDlg* dialog) { dialog->reject(); });
    summary->runMenuCommand(ID_SUMMARY_ELEMENTS);
    EXPECT_EQ(sheetTexts(*doc->summaryTable()), before);
    EXPECT_EQ(list->getHuizongRules().m_mode, CVes_HuizongRules::kAllBars);

    test::onNextModal<CVes_SelectEleDlg>([](CVes_SelectEleDlg* dialog) { dialog->accept(); });
    summary->runMenuCommand(ID_SUMMARY_ELEMENTS);
    EXPECT_EQ(list->getHuizongRules().m_mode, CVes_HuizongRules::kChosenElements);
}

TEST_F(BarListCommands, TheSortedSheetTurnsItsOrderAndKeepsItsPage)
{
    auto* sorted = showTab<CRODOSortTableView>(doc, CRODO_SetUpMainView::kSort);
    ASSERT_TRUE(sorted && sorted->getTable());
    CVes_SortBarSheet* sheet = doc->sortTable();
    const int page = sheet->getPages() > 1 ? 2 : 1;
    sheet->setPageTo(page, 1);
    sorted->runMenuCommand(ID_SORT_SHORT_FIRST);
    EXPECT_EQ(list->getSortOrderLen(), 1u);
    EXPECT_EQ(sheet->getSortOrderLen(), 1u);
    EXPECT_EQ(sheet->getCurPage(), page);
    sorted->runMenuCommand(ID_SORT_BENDS);
    EXPECT_EQ(sheet->m_rules.m_sortZheshu, 1);
    sorted->runMenuCommand(ID_MERGE_INFO_NONE + 3);
    EXPECT_EQ(list->m_rules.m_guibingShow, 3);
    EXPECT_EQ(sheet->m_rules.m_guibingShow, 3);
}

TEST_F(BarListCommands, ADerivedSheetBeingRebuiltIsLeftAlone)
{
    auto* sorted = showTab<CRODOSortTableView>(doc, CRODO_SetUpMainView::kSort);
    ASSERT_TRUE(sorted);
    sorted->setTable(nullptr);
    const int order = doc->sortTable()->m_rules.m_lenOrder;
    sorted->runMenuCommand(ID_SORT_LENGTH_NONE);
    sorted->runMenuCommand(ID_SORT_SHORT_FIRST);
    EXPECT_EQ(doc->sortTable()->m_rules.m_lenOrder, order);
}

// Processing summary

TEST_F(BarListCommands, ProcessingTotalsToggleIndependently)
{
    CRODOProcessDoc* process = openProcessSheet();
    ASSERT_TRUE(process);
    auto* summary = showTab<CRODOProcessListView>(process, CRODO_ProcessMainView::kList);
    ASSERT_TRUE(summary);
    CVes_ProcessTable* sheet = process->processTable();
    sheet->m_filter = 0;
    sheet->sortUp();
    summary->runMenuCommand(ID_SUM_BENT);
    EXPECT_EQ(sheet->m_filter, 2);
    EXPECT_EQ(sheet->getSortOrder(), 1u);
    summary->runMenuCommand(ID_SUM_STIRRUPS);
    EXPECT_EQ(sheet->m_filter, 3);
    summary->runMenuCommand(ID_SUM_BENT);
    EXPECT_EQ(sheet->m_filter, 1);
    std::vector<test::MenuRow> rows = test::menuRows(*summary);
    EXPECT_TRUE(test::findRow(rows, ID_SUM_STIRRUPS)->checked);
    EXPECT_FALSE(test::findRow(rows, ID_SUM_BENT)->checked);
    summary->runMenuCommand(ID_SORT_ORIGINAL);
    EXPECT_EQ(sheet->getSortOrder(), 2u);
    EXPECT_EQ(process->processListTable()->getSortOrder(), 2u);
}

} // namespace

// Purchase list

TEST_F(BarListCommands, OnlyAHeadingTextOfThePurchaseListOpensTheDeliveryNote)
{
    auto* purchase = showTab<CRODOSteelJinHuoView>(doc, CRODO_SetUpMainView::kPurchase);
    ASSERT_TRUE(purchase && purchase->getTable());
    purchase->grab(); // lays the page out
    CVes_TableBase* sheet = purchase->getTable();
    platform::Rect heading;
    sheet->m_texts[3].LocateRect(heading);
    const platform::Rect cell = sheet->getRect(1, 1);
    ASSERT_FALSE(heading.IsRectEmpty());
    ASSERT_FALSE(cell.IsRectEmpty());

    // A dialog opened by the click on the body would be closed here; the
    // guard is stopped before the heading is clicked, so that a late turn of
    // a busy machine never closes the heading's dialog in its place.
    bool bodyAsked = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&bodyAsked] {
        if (auto* dialog = qobject_cast<CDeliveryNoteDlg*>(QApplication::activeModalWidget())) {
            bodyAsked = true;
            dialog->reject();
        }
    });
    guard.start(50);
    QTest::mouseDClick(purchase->viewport(), Qt::LeftButton, {}, purchase->LPtoDP(cell.CenterPoint()));
    purchase->endEdit();
    guard.stop();
    EXPECT_FALSE(bodyAsked);

    // The project and the note's number at the top right both open it.
    const auto texts = list->getJinHuoTexts();
    platform::Rect number;
    sheet->m_texts[1].LocateRect(number);
    ASSERT_FALSE(number.IsRectEmpty());
    for (const platform::Rect& text : {heading, number}) {
        bool asked = false;
        test::onNextModal<CDeliveryNoteDlg>([&asked](CDeliveryNoteDlg* dialog) {
            asked = true;
            dialog->reject();
        });
        QTest::mouseDClick(purchase->viewport(), Qt::LeftButton, {}, purchase->LPtoDP(text.CenterPoint()));
        purchase->endEdit();
        EXPECT_TRUE(asked);
    }
    EXPECT_EQ(list->getJinHuoTexts(), texts);
}
