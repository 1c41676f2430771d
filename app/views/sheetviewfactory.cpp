#include "app/views/sheetviewfactory.h"

#include "app/documents/sheetviews.h"
#include "app/views/processviews.h"
#include "app/views/setupview.h"
#include "app/views/slview.h"
#include "app/views/summaryviews.h"
#include "app/views/tagviews.h"

namespace {

CVes_TableViewBase* createProgramView(SheetTab tab, QWidget* parent)
{
    switch (tab) {
    case SheetTab::SetUpList: return new CRODOSetUpView(parent);
    case SheetTab::SetUpSort:
    case SheetTab::SLSort: return new CRODOSortTableView(parent);
    case SheetTab::SetUpSummary:
    case SheetTab::SLSummary: return new CRODOSLSummaryView(parent);
    case SheetTab::SetUpJoints:
    case SheetTab::SLJoints: return new CRODOSLSummaryJTView(parent);
    case SheetTab::SetUpPurchase: return new CRODOSteelJinHuoView(parent);
    case SheetTab::SetUpTags:
    case SheetTab::ProcessTags: return new CRODOLiaoPaiView(parent);
    case SheetTab::SetUpCutting: return new CRODODuanLiaoView(parent);
    case SheetTab::SetUpContents: return new CRODOTableContentsView(parent);
    case SheetTab::ProcessDetail: return new CRODOProcessView(parent);
    case SheetTab::ProcessList: return new CRODOProcessListView(parent);
    case SheetTab::SLDetail: return new CRODOSLView(parent);
    }
    return nullptr;
}

} // namespace

void installSheetViews()
{
    setSheetViewFactory(createProgramView);
}
