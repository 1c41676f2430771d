#include "app/views/summaryviews.h"

#include "app/documents/setupdoc.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/sldoc.h"
#include "app/views/sheetmenu.h"
#include "platform/xlsx/workbook.h"
#include "tables/barlist/setuptable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "widgara/bcmenu.h"

#include <array>

namespace {

// The summary selections of a bar list's builders: chosen elements, and
// "keep the selection stored" (which a keyword choice stores).
constexpr unsigned kChosenElements = 1;
constexpr unsigned kStoredSelection = 6;

} // namespace

// Shared

DerivedSheetView::DerivedSheetView(QWidget* parent) : SheetView<CVes_TableViewBase>(parent)
{
    commandMap().add(ID_EXPORT_EXCEL, [this] {
        const platform::xlsx::ExportDocument beside(documentPath());
        if (CVes_TableBase* main = mainTable())
            main->exportExcel();
    });
}

CRODOSetUpDoc* DerivedSheetView::setupDocument() const
{
    return dynamic_cast<CRODOSetUpDoc*>(GetDocument());
}

CRODOSLDoc* DerivedSheetView::slDocument() const
{
    return dynamic_cast<CRODOSLDoc*>(GetDocument());
}

CVes_TableBase* DerivedSheetView::mainTable() const
{
    if (CRODOSetUpDoc* doc = setupDocument())
        return doc->setupTable();
    if (CRODOSLDoc* doc = slDocument())
        return doc->slTable();
    return nullptr;
}

CVes_SortBarSheet* DerivedSheetView::sortTable() const
{
    if (CRODOSetUpDoc* doc = setupDocument())
        return doc->sortTable();
    if (CRODOSLDoc* doc = slDocument())
        return doc->sortTable();
    return nullptr;
}

// The quantity summary

CRODOSLSummaryView::CRODOSLSummaryView(QWidget* parent) : DerivedSheetView(parent)
{
    platform::CommandMap& map = commandMap();
    map.add(ID_SORT_LARGE_FIRST, [this] {
        if (CVes_TableBase* main = mainTable())
            main->sortUp();
        rebuild();
    });
    map.add(ID_SORT_SMALL_FIRST, [this] {
        if (CVes_TableBase* main = mainTable())
            main->sortDown();
        rebuild();
    });
    map.add(ID_SUMMARY_ELEMENTS, [this] {
        CRODOSetUpDoc* doc = setupDocument();
        if (doc && getTable() && doc->setupTable()->selectEleHuizong())
            doc->setupTable()->SummarySTeel(doc->summaryTable(), kChosenElements);
        viewport()->update();
    });
    map.add(ID_SUMMARY_KEYWORD, [this] {
        CRODOSetUpDoc* doc = setupDocument();
        if (doc && getTable() && doc->setupTable()->selectKeyWordHuizong())
            doc->setupTable()->SummarySTeel(doc->summaryTable(), kStoredSelection);
        viewport()->update();
    });
}

void CRODOSLSummaryView::rebuild()
{
    // The summary is ordered as it is built: it follows a new order at once.
    if (getTable()) {
        if (CRODOSetUpDoc* doc = setupDocument())
            doc->setupTable()->SummarySTeel(doc->summaryTable(), kStoredSelection);
        else if (CRODOSLDoc* doc = slDocument())
            doc->BuildSummary();
    }
    viewport()->update();
}

void CRODOSLSummaryView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.item(QStringLiteral("导出到excel"), ID_EXPORT_EXCEL);
    menu.item(QStringLiteral("钢筋数据汇总参数设置"), ID_SUMMARY_SETTINGS);
    menu.item(QStringLiteral("选择构件进行汇总"), ID_SUMMARY_ELEMENTS);
    menu.item(QStringLiteral("选择关键字进行汇总"), ID_SUMMARY_KEYWORD);
    CVes_TableBase* main = mainTable();
    const bool largeFirst = main && main->getSortOrder() == 0;
    menu.item(QStringLiteral("按从大到小进行排序"), ID_SORT_LARGE_FIRST, true, largeFirst);
    menu.item(QStringLiteral("按从小到大进行排序"), ID_SORT_SMALL_FIRST, true, !largeFirst);
}

// The joint summary

CRODOSLSummaryJTView::CRODOSLSummaryJTView(QWidget* parent) : DerivedSheetView(parent) {}

void CRODOSLSummaryJTView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.item(QStringLiteral("导出到excel"), ID_EXPORT_EXCEL);
    if (slDocument())
        menu.item(QStringLiteral("算量汇总参数设置"), ID_SUMMARY_SETTINGS);
}

// The sorted and merged bar table

CRODOSortTableView::CRODOSortTableView(QWidget* parent) : DerivedSheetView(parent)
{
    addCommands();
}

void CRODOSortTableView::resort(bool keepPage)
{
    if (CVes_SortBarSheet* sort = sortTable(); sort && getTable()) {
        const int page = sort->getCurPage();
        sort->sortSteel();
        if (keepPage || setupDocument())
            sort->setPageTo(page, 1);
    }
    viewport()->update();
}

void CRODOSortTableView::order(void (CVes_TableBase::*change)(), bool keepPage)
{
    // While the sheet is rebuilt the view shows none and leaves it alone.
    if (!getTable())
        return;
    if (CVes_TableBase* main = mainTable())
        (main->*change)();
    if (CVes_SortBarSheet* sort = sortTable())
        (sort->*change)();
    resort(keepPage);
}

void CRODOSortTableView::mergeInfo(int display)
{
    CVes_TableBase* main = mainTable();
    CVes_SortBarSheet* sort = sortTable();
    if (!main || !sort || !getTable())
        return;
    static constexpr std::array<void (CVes_TableBase::*)(), 4> kShow{
        &CVes_TableBase::guibingShow0, &CVes_TableBase::guibingShow1,
        &CVes_TableBase::guibingShow2, &CVes_TableBase::guibingShow3};
    (main->*kShow[std::size_t(display)])();
    // A bar list's sorted sheet notes where its bars came from only when it
    // is built with that display.
    if (CRODOSetUpDoc* doc = setupDocument(); doc && display > 0)
        doc->setupTable()->SortSteel(sort, 0);
    else
        (sort->*kShow[std::size_t(display)])();
    resort();
}

void CRODOSortTableView::addCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_SORT_LARGE_FIRST, [this] { order(&CVes_TableBase::sortUp, true); });
    map.add(ID_SORT_SMALL_FIRST, [this] { order(&CVes_TableBase::sortDown, false); });
    map.add(ID_SORT_LONG_FIRST, [this] { order(&CVes_TableBase::sortLong, true); });
    map.add(ID_SORT_SHORT_FIRST, [this] { order(&CVes_TableBase::sortShot, false); });
    map.add(ID_SORT_LENGTH_NONE, [this] {
        CVes_SortBarSheet* sort = sortTable();
        if (!getTable() || !sort)
            return;
        mainTable()->sortLenNone();
        if (CRODOSetUpDoc* doc = setupDocument()) {
            const int page = sort->getCurPage();
            if (SheetContainerView* tabs = container())
                tabs->StartSortRebuild();
            // The worker now writes the sheet: it keeps its page when it is
            // built here at once.
            if (!doc->isBuilding(sort))
                sort->setPageTo(page, 1);
        } else {
            sort->sortLenNone();
            sort->sortSteel();
        }
        viewport()->update();
    });
    map.add(ID_SHOW_ZERO_COUNT, [this] {
        if (!getTable())
            return;
        mainTable()->showZeroNum();
        sortTable()->showZeroNum();
        sortTable()->sortSteel();
        viewport()->update();
    });
    map.add(ID_SORT_BENDS, [this] {
        if (CVes_SortBarSheet* sort = sortTable(); sort && getTable()) {
            sort->sortZheshu();
            resort();
        }
    });
    const auto chosen = [this](int (CVes_SetupTable::*ask)(), unsigned mode) {
        return [this, ask, mode] {
            CRODOSetUpDoc* doc = setupDocument();
            if (doc && getTable() && (doc->setupTable()->*ask)()) {
                doc->setupTable()->SortSteel(doc->sortTable(), mode);
                resort();
            }
        };
    };
    map.add(ID_SORT_ELEMENTS, chosen(&CVes_SetupTable::selectEleHuizong, kChosenElements));
    map.add(ID_SORT_KEYWORD, chosen(&CVes_SetupTable::selectKeyWordHuizong, kStoredSelection));
    map.addRange(ID_MERGE_INFO_NONE, ID_MERGE_INFO_LAST,
                 [this](int id) { mergeInfo(id - ID_MERGE_INFO_NONE); });
}

void CRODOSortTableView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    auto* sort = dynamic_cast<CVes_SortBarSheet*>(&table);
    if (!sort)
        return;
    const CVes_SortRules& rules = sort->m_rules;
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.separator();
    menu.item(QStringLiteral("相同钢筋规格归并排序"), ID_SORT_MERGE, true, rules.m_mergeSame != 0);
    SheetMenu info = menu.popup(QStringLiteral("钢筋归并信息显示设置"));
    info.item(QStringLiteral("构件名(根数)"), ID_MERGE_INFO_NONE + 1, true, rules.m_guibingShow == 1);
    info.item(QStringLiteral("钢筋编号(根数)"), ID_MERGE_INFO_NONE + 2, true, rules.m_guibingShow == 2);
    info.item(QStringLiteral("构件名-钢筋编号(根数)"), ID_MERGE_INFO_NONE + 3, true, rules.m_guibingShow == 3);
    info.item(QStringLiteral("不显示归并信息"), ID_MERGE_INFO_NONE, true, rules.m_guibingShow == 0);
    menu.separator();
    menu.item(QStringLiteral("钢筋规格排序范围设置"), ID_SORT_SETTINGS);
    gradeAndKindItems(menu, *sort);
    menu.separator();
    menu.item(QStringLiteral("按钢筋弯折数排序"), ID_SORT_BENDS, true, rules.m_sortZheshu != 0);
    orderItems(menu);
    menu.separator();
    menu.item(QStringLiteral("选择构件进行规格排序"), ID_SORT_ELEMENTS);
    menu.item(QStringLiteral("按关键字进行规格排序"), ID_SORT_KEYWORD);
    menu.item(QStringLiteral("显示根数为非正数的钢筋"), ID_SHOW_ZERO_COUNT, true, rules.m_showZeroNum != 0);
}

void CRODOSortTableView::gradeAndKindItems(SheetMenu& menu, const CVes_SortBarSheet& sort)
{
    const CVes_SortRules& rules = sort.m_rules;
    SheetMenu grades = menu.popup(QStringLiteral("钢筋规格单独排序"));
    const auto grade = [&](const char* text, int id, unsigned bit) {
        grades.item(QString::fromUtf8(text), id, true, (rules.m_sortGrade & bit) != 0);
    };
    grade("一级钢筋(HPB300)规格排序", ID_SORT_GRADE_1, CVes_SortRules::kGrade1);
    grade("二级钢筋(HPB335)规格排序", ID_SORT_GRADE_2, CVes_SortRules::kGrade2);
    grade("三级钢筋(HPB400)规格排序", ID_SORT_GRADE_3, CVes_SortRules::kGrade3);
    grade("四级钢筋(RRB400)规格排序", ID_SORT_GRADE_4, CVes_SortRules::kGrade4);
    grade("冷轧带肋钢筋规格排序", ID_SORT_GRADE_L, CVes_SortRules::kGradeL);
    grade("冷轧扭钢筋规格排序", ID_SORT_GRADE_N, CVes_SortRules::kGradeN);
    SheetMenu kinds = menu.popup(QStringLiteral("钢筋类型单独排序"));
    kinds.item(QStringLiteral("箍筋单独排序"), ID_SORT_STIRRUPS, true, rules.isStateGu());
    kinds.item(QStringLiteral("弯曲钢筋(带拐)单独排序"), ID_SORT_BENT, true, rules.isStateGuai());
    kinds.item(QStringLiteral("直条钢筋单独排序"), ID_SORT_STRAIGHT, true, rules.isStateZhi());
}

void CRODOSortTableView::orderItems(SheetMenu& menu)
{
    CVes_TableBase* main = mainTable();
    const int size = main ? int(main->getSortOrder()) : -1;
    const int length = main ? int(main->getSortOrderLen()) : -1;
    menu.separator();
    menu.item(QStringLiteral("按从大到小进行排序"), ID_SORT_LARGE_FIRST, true, size == 0);
    menu.item(QStringLiteral("按从小到大进行排序"), ID_SORT_SMALL_FIRST, true, size != 0);
    menu.separator();
    menu.item(QStringLiteral("按从长到短进行排序"), ID_SORT_LONG_FIRST, true, length == 0);
    menu.item(QStringLiteral("按从短到长进行排序"), ID_SORT_SHORT_FIRST, true, length == 1);
    menu.item(QStringLiteral("不按长度进行排序"), ID_SORT_LENGTH_NONE, true, length != 0 && length != 1);
}

// The purchase list

CRODOSteelJinHuoView::CRODOSteelJinHuoView(QWidget* parent) : SheetView<CVes_SteelJinHuoView>(parent) {}

void CRODOSteelJinHuoView::OnLButtonDblClk(unsigned flags, QPoint point)
{
    auto* doc = dynamic_cast<CRODOSetUpDoc*>(GetDocument());
    if (!doc) {
        CVes_SteelJinHuoView::OnLButtonDblClk(flags, point);
        return;
    }
    if (!m_table)
        return;
    // An editor over a heading here would be undone by the next build of
    // the sheet: the texts are the list's, edited in its settings.
    endEdit();
    if (onTitleText(point))
        doc->EditDeliveryNote(this);
    CVes_TableViewBase::OnLButtonDblClk(flags, point);
}

void CRODOSteelJinHuoView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.separator();
    menu.item(QStringLiteral("钢筋汇总参数设置"), ID_SUMMARY_SETTINGS);
    menu.item(QStringLiteral("钢筋定尺与价格设置"), ID_RAW_STOCK);
    menu.item(QStringLiteral("钢筋进货单设置"), ID_DELIVERY_NOTE);
}

// The table of contents

CRODOTableContentsView::CRODOTableContentsView(QWidget* parent) : DerivedSheetView(parent) {}

void CRODOTableContentsView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
}
