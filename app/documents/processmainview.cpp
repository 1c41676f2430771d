#include "app/documents/processmainview.h"

#include "app/documents/documentframe.h"
#include "app/documents/processdoc.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"

CRODO_ProcessMainView::CRODO_ProcessMainView(QWidget* parent)
    : SheetContainerView({{SheetTab::ProcessDetail, QStringLiteral("加工明细单")},
                          {SheetTab::ProcessList, QStringLiteral("加工汇总单")},
                          {SheetTab::ProcessTags, QStringLiteral("钢筋料牌")}},
                         parent)
{
}

CRODOProcessDoc* CRODO_ProcessMainView::processDocument() const
{
    return dynamic_cast<CRODOProcessDoc*>(GetDocument());
}

CVes_TableBase* CRODO_ProcessMainView::tableOf(int tab) const
{
    const CRODOProcessDoc* doc = processDocument();
    if (!doc)
        return nullptr;
    switch (tab) {
    case kDetail: return doc->processTable();
    case kList: return doc->processListTable();
    default: return doc->liaoPaiTable();
    }
}

void CRODO_ProcessMainView::OnSelChange(int tab)
{
    if (DocumentFrame* f = frame())
        f->showPanesForTab(tab);
    // The summary and the tags always show what the sheet holds now.
    if (CRODOProcessDoc* doc = processDocument()) {
        if (tab == kList)
            doc->BuildListSheet();
        else if (tab > kList)
            doc->BuildLiaoPai();
        showSomePage(tableOf(tab));
    }
    bindViews();
    activateSheet(tab);
    m_nLastTab = tab;
}
