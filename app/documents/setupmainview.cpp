#include "app/documents/setupmainview.h"

#include "app/documents/documentframe.h"
#include "app/documents/setupdoc.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/ui/tableview.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"

CRODO_SetUpMainView::CRODO_SetUpMainView(QWidget* parent)
    : SheetContainerView({{SheetTab::SetUpList, QStringLiteral("钢筋配料单")},
                          {SheetTab::SetUpSort, QStringLiteral("规格排序")},
                          {SheetTab::SetUpSummary, QStringLiteral("用量汇总")},
                          {SheetTab::SetUpJoints, QStringLiteral("接头汇总")},
                          {SheetTab::SetUpPurchase, QStringLiteral("原材进货")},
                          {SheetTab::SetUpTags, QStringLiteral("钢筋料牌")},
                          {SheetTab::SetUpCutting, QStringLiteral("优化断料")},
                          {SheetTab::SetUpContents, QStringLiteral("目录")}},
                         parent)
{
}

CRODOSetUpDoc* CRODO_SetUpMainView::setupDocument() const
{
    return dynamic_cast<CRODOSetUpDoc*>(GetDocument());
}

CVes_TableBase* CRODO_SetUpMainView::tableOf(int tab) const
{
    const CRODOSetUpDoc* doc = setupDocument();
    if (!doc)
        return nullptr;
    switch (tab) {
    case kBarList: return doc->setupTable();
    case kSort: return doc->sortTable();
    case kSummary: return doc->summaryTable();
    case kJoints: return doc->summaryJTTable();
    case kPurchase: return doc->jinHuoTable();
    case kTags: return doc->liaoPaiTable();
    case kCutting: return doc->duanLiaoTable();
    case kContents: return doc->contentsTable();
    default: return nullptr;
    }
}

void CRODO_SetUpMainView::autoSaveActiveSheet()
{
    // The bar list's own sheet has its document auto-save, whichever sheet
    // is shown: one made from the list shows edits of the list all the same.
    if (CVes_TableViewBase* view = sheetView(kBarList))
        view->handleMessage(CVes_TableViewBase::kAutoSave);
}

void CRODO_SetUpMainView::StartSortRebuild()
{
    if (CRODOSetUpDoc* doc = setupDocument())
        doc->StartSortBuild(window());
}

void CRODO_SetUpMainView::StartCuttingRebuild()
{
    if (CRODOSetUpDoc* doc = setupDocument())
        doc->BuildDuanLiao();
}

void CRODO_SetUpMainView::OnSelChange(int tab)
{
    CRODOSetUpDoc* doc = setupDocument();
    if (DocumentFrame* f = frame())
        f->showPanesForTab(tab);
    if (tab != kBarList)
        if (CVes_TableViewBase* list = sheetView(kBarList))
            list->closeSearchDlg();
    if (!doc || tab < 0 || tab >= tabCount()) {
        m_nLastTab = tab;
        return;
    }
    CVes_SetupTable* list = doc->setupTable();
    switch (tab) {
    case kSort:
        if (list->isCanSortSteel()) {
            list->setSortSteel(0);
            StartSortRebuild();
        }
        break;
    case kSummary:
    case kJoints:
    case kPurchase:
    case kTags:
    case kContents: doc->BuildOnChoice(tableOf(tab), window()); break;
    case kCutting:
        if (list->isCanYouhuaSteel()) {
            list->setYouhuaSteel(0);
            StartCuttingRebuild();
        }
        break;
    default: break;
    }
    if (!doc->isBuilding(tableOf(tab)))
        showSomePage(tableOf(tab));
    bindViews();
    activateSheet(tab);
    m_nLastTab = tab;
}
