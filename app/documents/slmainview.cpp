#include "app/documents/slmainview.h"

#include "app/documents/documentframe.h"
#include "app/documents/sldoc.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"

CRODO_SLMainView::CRODO_SLMainView(QWidget* parent)
    : SheetContainerView({{SheetTab::SLDetail, QStringLiteral("钢筋用量明细表")},
                          {SheetTab::SLSummary, QStringLiteral("钢筋用量汇总表")},
                          {SheetTab::SLJoints, QStringLiteral("钢筋连接类型汇总表")},
                          {SheetTab::SLSort, QStringLiteral("钢筋规格排序表")}},
                         parent)
{
}

CRODOSLDoc* CRODO_SLMainView::slDocument() const
{
    return dynamic_cast<CRODOSLDoc*>(GetDocument());
}

CVes_TableBase* CRODO_SLMainView::tableOf(int tab) const
{
    const CRODOSLDoc* doc = slDocument();
    if (!doc)
        return nullptr;
    switch (tab) {
    case kDetail: return doc->slTable();
    case kSummary: return doc->summaryTable();
    case kJoints: return doc->summaryJTTable();
    default: return doc->sortTable();
    }
}

void CRODO_SLMainView::StartSortRebuild()
{
    if (CRODOSLDoc* doc = slDocument())
        doc->StartSortBuild(window());
}

void CRODO_SLMainView::OnSelChange(int tab)
{
    if (DocumentFrame* f = frame())
        f->showPanesForTab(tab);
    if (CRODOSLDoc* doc = slDocument()) {
        if (tab == kSummary || tab == kJoints) {
            doc->BuildOnChoice(tableOf(tab), window());
        } else if (tab >= kSort && doc->slTable()->isCanSortSteel()) {
            doc->slTable()->setSortSteel(0);
            StartSortRebuild();
        }
        if (!doc->isBuilding(tableOf(tab)))
            showSomePage(tableOf(tab));
    }
    bindViews();
    activateSheet(tab);
    m_nLastTab = tab;
}
