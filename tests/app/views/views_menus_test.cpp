// The context menus of the sheet views: which items each sheet offers for
// the line, column and page the user is at, greyed and checked as the
// sheet's state says.

#include "app/views/processviews.h"
#include "app/views/setupview.h"
#include "app/views/slview.h"
#include "app/views/summaryviews.h"
#include "app/views/tagviews.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tableclipboard.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tests/app/support/views_support.h"

#include <gtest/gtest.h>

namespace {

using test::MenuRow;
using test::findRow;
using test::hasPopup;
using test::hasRow;
using test::menuRows;

class BarListMenu : public test::BarListViews {
protected:
    void SetUp() override
    {
        BarListViews::SetUp();
        ASSERT_GE(list->getPages(), 2);
    }
};

// The line and column the user is at

struct LineCase {
    const char* name;
    int row;       // on page 1: 1 the element "KL1(2)", 2 … 11 its bars
    int column;
    bool unitLine; // row 2 made a unit line first
    std::vector<int> offered;
    std::vector<int> checked;
};

const std::vector<int> kLineItems = {ID_CUTLENGTH_AUTO, ID_CLEAR_START,    ID_CALC_BEAM_HOOPS,
                                     ID_CALC_BEAM_HOOPS_TABLE, ID_UNIT_MERGED, ID_UNIT_SAME,
                                     ID_ELEMENT_COPY,   ID_ELEMENT_CUT,    ID_ELEMENT_DELETE};

class BarListLineItems : public BarListMenu, public ::testing::WithParamInterface<LineCase> {};

TEST_P(BarListLineItems, FollowTheLineKindAndColumn)
{
    const LineCase& c = GetParam();
    if (c.unitLine) {
        selectCell(*list, 1, c.row, 0);
        ASSERT_TRUE(list->InsertUnitRow());
    }
    selectCell(*list, 1, c.row, c.column);
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : kLineItems) {
        const bool offered = std::find(c.offered.begin(), c.offered.end(), id) != c.offered.end();
        EXPECT_EQ(hasRow(rows, id), offered) << id;
    }
    for (const int id : c.checked)
        EXPECT_TRUE(findRow(rows, id)->checked) << id;
    // The line's items come first, closed by a separator; without them the
    // menu starts with the page items.
    if (c.offered.empty()) {
        EXPECT_EQ(rows.front().id, ID_PAGE_NEXT);
    } else {
        EXPECT_EQ(rows.front().id, c.offered.front());
        EXPECT_EQ(rows[c.offered.size()].id, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BarListLineItems,
    ::testing::Values(
        LineCase{"BarCutLength", 2, CVes_SetupTable::kColCutLength, false, {ID_CUTLENGTH_AUTO}, {ID_CUTLENGTH_AUTO}},
        LineCase{"BarStart", 2, CVes_SetupTable::kColStart, false, {ID_CLEAR_START}, {}},
        LineCase{"BarCount", 3, CVes_SetupTable::kColCount, false,
                 {ID_CALC_BEAM_HOOPS, ID_CALC_BEAM_HOOPS_TABLE}, {}},
        LineCase{"BarNumber", 2, CVes_SetupTable::kColNumber, false, {}, {}},
        LineCase{"BarRemark", 2, CVes_SetupTable::kColRemark, false, {}, {}},
        LineCase{"Element", 1, 0, false, {ID_ELEMENT_COPY, ID_ELEMENT_CUT, ID_ELEMENT_DELETE}, {}},
        LineCase{"UnitLine", 2, 0, true, {ID_UNIT_MERGED, ID_UNIT_SAME}, {ID_UNIT_MERGED, ID_UNIT_SAME}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarListMenu, TheCutLengthItemShowsTheBarsSwitch)
{
    selectCell(*list, 1, 2, CVes_SetupTable::kColCutLength);
    list->getSteel(2)->calcLength = 0;
    EXPECT_FALSE(findRow(menuRows(*view), ID_CUTLENGTH_AUTO)->checked);
    list->getSteel(2)->calcLength = 1;
    EXPECT_TRUE(findRow(menuRows(*view), ID_CUTLENGTH_AUTO)->checked);
}

TEST_F(BarListMenu, UnitFlagsAreCheckedOnlyWhenSet)
{
    selectCell(*list, 1, 2, 0);
    auto* unit = list->InsertUnitRow();
    ASSERT_TRUE(unit);
    unit->m_unitMerged = 0;
    unit->m_unitSame = 1;
    selectCell(*list, 1, 2, 0);
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_FALSE(findRow(rows, ID_UNIT_MERGED)->checked);
    EXPECT_TRUE(findRow(rows, ID_UNIT_SAME)->checked);
}

// Pages

TEST_F(BarListMenu, TheCoverOffersItsTemplatesAndNoNumbering)
{
    list->setPageTo(0, 1);
    list->clearSelect();
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_COVER_RESET, ID_COVER_SAVE, ID_COVER_LOAD, ID_PAGE_NEXT, ID_PAGE_LAST})
        EXPECT_TRUE(hasRow(rows, id)) << id;
    for (const int id : {ID_PAGE_PREV, ID_PAGE_FIRST, ID_MID_CONNECT_EDIT, ID_NUM_ALL, ID_EDIT_CUT})
        EXPECT_FALSE(hasRow(rows, id)) << id;
    EXPECT_FALSE(hasPopup(rows, QStringLiteral("钢筋编号")));
    EXPECT_FALSE(hasPopup(rows, QStringLiteral("插入")));
}

TEST_F(BarListMenu, ATablePageOffersNumberingAndNoCoverItems)
{
    selectCell(*list, 1, 2, 0);
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(hasPopup(rows, QStringLiteral("钢筋编号")));
    EXPECT_TRUE(hasPopup(rows, QStringLiteral("设置行高")));
    for (const int id : {ID_NUM_ALL, ID_NUM_ALL_OWN, ID_NUM_UNNUMBERED, ID_NUM_ELEMENT,
                         ID_NUM_ELEMENT_SHARED, ID_NUM_CLEAR, ID_MID_CONNECT_EDIT,
                         ID_SUMMARY_SETTINGS, ID_REPAIR_MID_CONNECT, ID_EXPORT_EXCEL, ID_IMPORT_SETUP})
        EXPECT_TRUE(hasRow(rows, id)) << id;
    EXPECT_FALSE(hasRow(rows, ID_COVER_RESET));
    EXPECT_EQ(findRow(rows, ID_NUM_ALL)->popup, QStringLiteral("钢筋编号"));
}

TEST_F(BarListMenu, PageItemsFollowThePageShown)
{
    list->setPageTo(1, 1);
    std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_FALSE(hasRow(rows, ID_PAGE_PREV));
    EXPECT_FALSE(hasRow(rows, ID_PAGE_FIRST));
    EXPECT_TRUE(hasRow(rows, ID_PAGE_NEXT));
    EXPECT_TRUE(hasRow(rows, ID_PAGE_DELETE));

    list->setPageTo(list->getPages(), 1);
    rows = menuRows(*view);
    EXPECT_TRUE(hasRow(rows, ID_PAGE_PREV));
    EXPECT_TRUE(hasRow(rows, ID_PAGE_FIRST));
    EXPECT_FALSE(hasRow(rows, ID_PAGE_NEXT));
    EXPECT_FALSE(hasRow(rows, ID_PAGE_LAST));
}

TEST_F(BarListMenu, OnePageCannotBeDeleted)
{
    while (list->getPages() > 1) {
        list->setPageTo(list->getPages(), 1);
        list->delPage();
    }
    list->setPageTo(1, 1);
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(hasRow(rows, ID_PAGE_ADD));
    EXPECT_FALSE(hasRow(rows, ID_PAGE_DELETE));
}

// Clipboard, undo and the selection

TEST_F(BarListMenu, PasteIsGreyedWhileTheClipboardHoldsNoRows)
{
    selectCell(*list, 1, 2, 0);
    std::optional<MenuRow> paste = findRow(menuRows(*view), ID_EDIT_PASTE);
    ASSERT_TRUE(paste);
    EXPECT_FALSE(paste->enabled);
    EXPECT_EQ(paste->text, QStringLiteral("粘贴\t\tCtrl+V"));
    EXPECT_FALSE(hasRow(menuRows(*view), ID_INSERT_CLIP));

    list->CopyRow();
    const std::vector<MenuRow> rows = menuRows(*view);
    paste = findRow(rows, ID_EDIT_PASTE);
    EXPECT_TRUE(paste->enabled);
    EXPECT_EQ(paste->text, QStringLiteral("粘贴\t\t\t\tCtrl+V"));
    EXPECT_EQ(findRow(rows, ID_INSERT_CLIP)->popup, QStringLiteral("插入"));
}

TEST_F(BarListMenu, UndoAndRedoAreGreyedWhenTheListCannot)
{
    selectCell(*list, 1, 2, 0);
    std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_FALSE(findRow(rows, ID_EDIT_UNDO)->enabled);
    EXPECT_FALSE(findRow(rows, ID_EDIT_REDO)->enabled);
    list->setSelLineGrade(2);
    rows = menuRows(*view);
    EXPECT_TRUE(findRow(rows, ID_EDIT_UNDO)->enabled);
    EXPECT_FALSE(findRow(rows, ID_EDIT_REDO)->enabled);
}

TEST_F(BarListMenu, MovesAndMergedRemarksNeedOneBlockOfRows)
{
    selectCell(*list, 1, 2, 0);
    list->AddSelect(3, 0);
    std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_ROW_UP, ID_ROW_DOWN, ID_REMARK_MERGE, ID_REMARK_UNMERGE})
        EXPECT_TRUE(hasRow(rows, id)) << id;
    list->AddSelect(5, 0);
    rows = menuRows(*view);
    for (const int id : {ID_ROW_UP, ID_ROW_DOWN, ID_REMARK_MERGE, ID_REMARK_UNMERGE})
        EXPECT_FALSE(hasRow(rows, id)) << id;
}

TEST_F(BarListMenu, NoSelectedRowLeavesOutTheRowItems)
{
    list->setPageTo(1, 1);
    list->clearSelect();
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_INSERT_STEEL})
        EXPECT_FALSE(hasRow(rows, id)) << id;
    EXPECT_TRUE(hasRow(rows, ID_FILE_PRINT));
    EXPECT_FALSE(hasPopup(rows, QStringLiteral("插入")));
}

TEST_F(BarListMenu, AViewWithoutATableHasNoMenu)
{
    view->setTable(nullptr);
    EXPECT_EQ(view->createContextMenu(), nullptr);
}

// Processing sheets

class ProcessMenus : public test::ViewsFixture {
protected:
    void SetUp() override
    {
        ViewsFixture::SetUp();
        tableClipboard().clear();
        doc = openProcessSheet();
        ASSERT_TRUE(doc);
    }
    CRODOProcessDoc* doc = nullptr;
};

TEST_F(ProcessMenus, TheSheetOffersItsMenuWhereverClickedAndRowItemsWithASelectedRow)
{
    auto* view = showTab<CRODOProcessView>(doc, CRODO_ProcessMainView::kDetail);
    ASSERT_TRUE(view);
    CVes_ProcessTable* sheet = doc->processTable();
    sheet->setPageTo(1, 1);
    sheet->clearSelect();
    const std::vector<MenuRow> unselected = menuRows(*view);
    for (const int id : {ID_FILE_PRINT, ID_CHECK_DATA, ID_IMPORT_SETUP, ID_IMPORT_OTHER, ID_EXPORT_EXCEL})
        EXPECT_TRUE(hasRow(unselected, id)) << id;
    for (const int id : {ID_INSERT_STEEL, ID_INSERT_PROJECT_ROW, ID_EDIT_CUT})
        EXPECT_FALSE(hasRow(unselected, id)) << id;

    int barRow = 0;
    for (int row = 1; row <= sheet->pageLines().size() && !barRow; ++row)
        if (sheet->getLine(row)->isSteelLine())
            barRow = row;
    ASSERT_GT(barRow, 0);
    selectCell(*sheet, 1, barRow, CVes_ProcessTable::kColLength);
    std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_EQ(rows.front().id, ID_CUTLENGTH_AUTO);
    for (const int id : {ID_INSERT_STEEL, ID_INSERT_ELE_ROW, ID_INSERT_ELE_TYPE_ROW, ID_INSERT_STOREY_ROW,
                         ID_INSERT_PROJECT_ROW, ID_CHECK_DATA, ID_IMPORT_SETUP, ID_IMPORT_OTHER,
                         ID_EXPORT_EXCEL, ID_NUM_ALL, ID_NUM_ALL_OWN, ID_NUM_UNNUMBERED, ID_NUM_ELEMENT,
                         ID_NUM_ELEMENT_SHARED, ID_NUM_CLEAR})
        EXPECT_TRUE(hasRow(rows, id)) << id;
    // The keys the insert items name are the keys that insert them.
    EXPECT_TRUE(findRow(rows, ID_INSERT_STEEL)->text.endsWith(QStringLiteral("Insert")));
    EXPECT_FALSE(findRow(rows, ID_INSERT_ELE_ROW)->text.contains(QStringLiteral("Insert")));
    EXPECT_FALSE(hasRow(rows, ID_INSERT_CLIP));
    EXPECT_FALSE(findRow(rows, ID_EDIT_PASTE)->enabled);

    selectCell(*sheet, 1, barRow, CVes_ProcessTable::kColCount);
    EXPECT_FALSE(hasRow(menuRows(*view), ID_CUTLENGTH_AUTO));
}

TEST_F(ProcessMenus, TheTagsGreyTheSplitByElementCountThatDoesNotApplyToThem)
{
    auto* view = showTab<CRODOLiaoPaiView>(doc, CRODO_ProcessMainView::kTags);
    ASSERT_TRUE(view && view->getTable());
    const std::optional<MenuRow> split = findRow(menuRows(*view), ID_TAG_SPLIT);
    ASSERT_TRUE(split);
    EXPECT_FALSE(split->enabled);
    EXPECT_FALSE(split->checked);
}

struct SummaryCase {
    const char* name;
    int order;
    int filter;
    int checkedOrder;
};

class ProcessSummaryMenu : public ProcessMenus, public ::testing::WithParamInterface<SummaryCase> {};

TEST_P(ProcessSummaryMenu, ChecksFollowTheSheetsOrderAndTotals)
{
    const SummaryCase& c = GetParam();
    auto* view = showTab<CRODOProcessListView>(doc, CRODO_ProcessMainView::kList);
    ASSERT_TRUE(view);
    doc->processTable()->m_sortOrder = c.order;
    doc->processTable()->m_filter = c.filter;
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_SORT_LARGE_FIRST, ID_SORT_SMALL_FIRST, ID_SORT_ORIGINAL})
        EXPECT_EQ(findRow(rows, id)->checked, id == c.checkedOrder) << id;
    EXPECT_EQ(findRow(rows, ID_SUM_STIRRUPS)->checked, (c.filter & 1) != 0);
    EXPECT_EQ(findRow(rows, ID_SUM_BENT)->checked, (c.filter & 2) != 0);
    EXPECT_EQ(findRow(rows, ID_SUM_STRAIGHT)->checked, (c.filter & 4) != 0);
}

INSTANTIATE_TEST_SUITE_P(Orders, ProcessSummaryMenu,
                         ::testing::Values(SummaryCase{"LargeFirst", 0, 0, ID_SORT_LARGE_FIRST},
                                           SummaryCase{"SmallFirst", 1, 5, ID_SORT_SMALL_FIRST},
                                           SummaryCase{"Original", 2, 2, ID_SORT_ORIGINAL},
                                           SummaryCase{"Unknown", 7, 7, ID_SORT_ORIGINAL}),
                         [](const auto& info) { return std::string(info.param.name); });

// Bar tags

class TagMenu : public test::ViewsFixture {
protected:
    void SetUp() override
    {
        ViewsFixture::SetUp();
        doc = openBarList();
        ASSERT_TRUE(doc);
        view = showTab<CRODOLiaoPaiView>(doc, CRODO_SetUpMainView::kTags);
        ASSERT_TRUE(view);
    }
    CRODOSetUpDoc* doc = nullptr;
    CRODOLiaoPaiView* view = nullptr;
};

TEST_F(TagMenu, TheLayoutOfTheTagsIsChecked)
{
    view->tagTable()->setLiaoPaiDerect(2);
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_TAG_LAYOUT_1, ID_TAG_LAYOUT_2, ID_TAG_LAYOUT_3, ID_TAG_LAYOUT_4, ID_TAG_LAYOUT_5,
                         ID_TAG_LAYOUT_6}) {
        ASSERT_TRUE(hasRow(rows, id)) << id;
        EXPECT_EQ(findRow(rows, id)->checked, id == ID_TAG_LAYOUT_3) << id;
        EXPECT_EQ(findRow(rows, id)->popup, QStringLiteral("料牌模式"));
    }
}

TEST_F(TagMenu, AnUnknownLayoutLeavesTheLayoutMenuEmpty)
{
    view->tagTable()->m_layout = 9;
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(hasPopup(rows, QStringLiteral("料牌模式")));
    EXPECT_FALSE(hasRow(rows, ID_TAG_LAYOUT_1));
}

TEST_F(TagMenu, SortingByElementNameChecksNeitherDirection)
{
    view->tagTable()->sortNone();
    std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(findRow(rows, ID_TAG_SORT_ELEMENT)->checked);
    for (const int id : {ID_SORT_LARGE_FIRST, ID_SORT_SMALL_FIRST, ID_SORT_LONG_FIRST, ID_SORT_SHORT_FIRST})
        EXPECT_FALSE(findRow(rows, id)->checked) << id;

    view->tagTable()->sortDown();
    view->tagTable()->sortLong();
    rows = menuRows(*view);
    EXPECT_FALSE(findRow(rows, ID_TAG_SORT_ELEMENT)->checked);
    EXPECT_TRUE(findRow(rows, ID_SORT_SMALL_FIRST)->checked);
    EXPECT_TRUE(findRow(rows, ID_SORT_LONG_FIRST)->checked);
}

struct ModeCase {
    int mode;
    int checked; // 0: no generation items
};

class TagModeMenu : public TagMenu, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(TagModeMenu, TheDocumentsModeIsChecked)
{
    doc->setupTable()->setLiaoPaiType(unsigned(GetParam().mode));
    const std::vector<MenuRow> rows = menuRows(*view);
    const std::vector<int> modes = {ID_TAG_ALL, ID_TAG_BARS, ID_TAG_MAIN_BARS, ID_TAG_STIRRUPS, ID_TAG_ELEMENTS};
    for (const int id : modes) {
        EXPECT_EQ(hasRow(rows, id), GetParam().checked != 0) << id;
        if (hasRow(rows, id)) {
            EXPECT_EQ(findRow(rows, id)->checked, id == GetParam().checked) << id;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, TagModeMenu,
                         ::testing::Values(ModeCase{0, ID_TAG_ALL}, ModeCase{1, ID_TAG_BARS},
                                           ModeCase{2, ID_TAG_ELEMENTS}, ModeCase{3, ID_TAG_MAIN_BARS},
                                           ModeCase{4, ID_TAG_STIRRUPS}, ModeCase{5, 0}));

TEST_F(TagMenu, MergeAndSplitFollowTheBarListsFlags)
{
    doc->setupTable()->setLiaoPaiGuibing(1);
    doc->setupTable()->setLiaoPaiEleChaifen(0);
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(findRow(rows, ID_TAG_MERGE)->checked);
    EXPECT_FALSE(findRow(rows, ID_TAG_SPLIT)->checked);
}

// Sorted sheet and summaries

struct LengthCase {
    int order;
    int checked;
};

class SortedMenu : public test::ViewsFixture, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(SortedMenu, TheLengthOrderIsChecked)
{
    CRODOSetUpDoc* doc = openBarList();
    ASSERT_TRUE(doc);
    auto* view = showTab<CRODOSortTableView>(doc, CRODO_SetUpMainView::kSort);
    ASSERT_TRUE(view && view->getTable());
    doc->setupTable()->m_rules.m_lenOrder = GetParam().order;
    const std::vector<MenuRow> rows = menuRows(*view);
    for (const int id : {ID_SORT_LONG_FIRST, ID_SORT_SHORT_FIRST, ID_SORT_LENGTH_NONE})
        EXPECT_EQ(findRow(rows, id)->checked, id == GetParam().checked) << id;
}

INSTANTIATE_TEST_SUITE_P(Orders, SortedMenu,
                         ::testing::Values(LengthCase{0, ID_SORT_LONG_FIRST}, LengthCase{1, ID_SORT_SHORT_FIRST},
                                           LengthCase{2, ID_SORT_LENGTH_NONE}, LengthCase{9, ID_SORT_LENGTH_NONE}));

TEST_F(SortedMenu, GradeKindAndMergeChecksFollowTheSortedSheet)
{
    CRODOSetUpDoc* doc = openBarList();
    ASSERT_TRUE(doc);
    auto* view = showTab<CRODOSortTableView>(doc, CRODO_SetUpMainView::kSort);
    ASSERT_TRUE(view && view->getTable());
    CVes_SortRules& rules = doc->sortTable()->m_rules;
    rules.m_sortGrade = CVes_SortRules::kGrade1 | CVes_SortRules::kGradeL;
    rules.m_state = CVes_SortRules::kBent;
    rules.m_guibingShow = 2;
    rules.m_mergeSame = 1;
    const std::vector<MenuRow> rows = menuRows(*view);
    const std::pair<int, bool> expected[] = {
        {ID_SORT_GRADE_1, true},  {ID_SORT_GRADE_2, false}, {ID_SORT_GRADE_3, false},
        {ID_SORT_GRADE_4, false}, {ID_SORT_GRADE_L, true},  {ID_SORT_GRADE_N, false},
        {ID_SORT_STIRRUPS, false}, {ID_SORT_BENT, true},    {ID_SORT_STRAIGHT, false},
        {ID_MERGE_INFO_NONE, false}, {ID_MERGE_INFO_NONE + 2, true}, {ID_SORT_MERGE, true}};
    for (const auto& [id, checked] : expected)
        EXPECT_EQ(findRow(rows, id)->checked, checked) << id;
    EXPECT_EQ(findRow(rows, ID_SORT_GRADE_1)->popup, QStringLiteral("钢筋规格单独排序"));
    EXPECT_EQ(findRow(rows, ID_SORT_BENT)->popup, QStringLiteral("钢筋类型单独排序"));
}

TEST_F(SortedMenu, TheSummaryChecksTheMainTablesOrder)
{
    CRODOSetUpDoc* doc = openBarList();
    ASSERT_TRUE(doc);
    auto* view = showTab<CRODOSLSummaryView>(doc, CRODO_SetUpMainView::kSummary);
    ASSERT_TRUE(view);
    doc->setupTable()->m_rules.m_dnOrder = 0;
    std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_TRUE(findRow(rows, ID_SORT_LARGE_FIRST)->checked);
    EXPECT_FALSE(findRow(rows, ID_SORT_SMALL_FIRST)->checked);
    doc->setupTable()->m_rules.m_dnOrder = 3;
    rows = menuRows(*view);
    EXPECT_FALSE(findRow(rows, ID_SORT_LARGE_FIRST)->checked);
    EXPECT_TRUE(findRow(rows, ID_SORT_SMALL_FIRST)->checked);
}

TEST_F(SortedMenu, EachDerivedSheetOffersPrintAndItsSettings)
{
    CRODOSetUpDoc* doc = openBarList();
    ASSERT_TRUE(doc);
    const std::pair<int, std::vector<int>> sheets[] = {
        {CRODO_SetUpMainView::kJoints, {ID_FILE_PRINT, ID_EXPORT_EXCEL}},
        {CRODO_SetUpMainView::kPurchase, {ID_FILE_PRINT, ID_SUMMARY_SETTINGS, ID_RAW_STOCK, ID_DELIVERY_NOTE}},
        {CRODO_SetUpMainView::kContents, {ID_FILE_PRINT}},
        {CRODO_SetUpMainView::kCutting, {ID_FILE_PRINT, ID_CUT_AGAIN}},
    };
    for (const auto& [tab, ids] : sheets) {
        auto* view = dynamic_cast<SheetViewBase*>(containerOf(doc)->sheetView(tab));
        ASSERT_TRUE(view) << tab;
        const std::vector<MenuRow> rows = menuRows(*view);
        for (const int id : ids)
            EXPECT_TRUE(hasRow(rows, id)) << tab << " " << id;
        EXPECT_FALSE(hasRow(rows, ID_EDIT_UNDO)) << tab;
        // The bar list's joint summary has no quantity settings.
        EXPECT_FALSE(tab == CRODO_SetUpMainView::kJoints && hasRow(rows, ID_SUMMARY_SETTINGS));
    }
}

// Quantity sheets

TEST_F(ProcessMenus, TheQuantitySheetChecksItsSortAndMergeSwitch)
{
    CRODOSLDoc* sl = openQuantitySheet();
    ASSERT_TRUE(sl);
    auto* view = showTab<CRODOSLView>(sl, CRODO_SLMainView::kDetail);
    ASSERT_TRUE(view);
    CVes_SLTable* sheet = sl->slTable();
    sheet->getSortRules().m_mergeSame = 1;
    int barRow = 0;
    for (int row = 1; row <= sheet->pageLines().size() && !barRow; ++row)
        if (sheet->getLine(row)->isSteelLine())
            barRow = row;
    ASSERT_GT(barRow, 0);
    selectCell(*sheet, 1, barRow, CVes_SLTable::kColCutLength);
    const std::vector<MenuRow> rows = menuRows(*view);
    EXPECT_EQ(rows.front().id, ID_CUTLENGTH_AUTO);
    EXPECT_TRUE(findRow(rows, ID_SORT_MERGE)->checked);
    for (const int id : {ID_SL_NUM_ALL, ID_SL_NUM_ALL_SHARED, ID_NUM_ELEMENT, ID_NUM_ELEMENT_SHARED, ID_NUM_CLEAR})
        EXPECT_EQ(findRow(rows, id)->popup, QStringLiteral("钢筋编号")) << id;

    auto* joints = showTab<CRODOSLSummaryJTView>(sl, CRODO_SLMainView::kJoints);
    ASSERT_TRUE(joints);
    EXPECT_TRUE(hasRow(menuRows(*joints), ID_SUMMARY_SETTINGS));
}

} // namespace
