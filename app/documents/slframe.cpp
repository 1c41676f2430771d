#include "app/documents/slframe.h"

#include "app/documents/documentids.h"
#include "app/documents/sldoc.h"
#include "tables/quantity/sltable.h"

CRODOSLFrame::CRODOSLFrame(QWidget* parent) : CRODOProcessFrame(parent) {}

CRODOSLDoc* CRODOSLFrame::slDocument() const
{
    return dynamic_cast<CRODOSLDoc*>(GetActiveDocument());
}

CVes_SortRules* CRODOSLFrame::sortRules() const
{
    CRODOSLDoc* doc = slDocument();
    return doc ? &doc->slTable()->getSortRules() : nullptr;
}

void CRODOSLFrame::rebuildSorted(int nID)
{
    CRODOSLDoc* doc = slDocument();
    if (doc && (nID == ID_SORT_GRADE_L || nID == ID_SORT_GRADE_N)) {
        doc->BuildSortSheet();
        repaintActive();
        return;
    }
    DocumentFrame::rebuildSorted(nID);
}

void CRODOSLFrame::addCommands()
{
    CRODOProcessFrame::addCommands();
    addSortCommands();
    commandMap().add(ID_SUMMARY_SETTINGS, [this] {
        if (CRODOSLDoc* doc = slDocument()) {
            doc->slTable()->setSumray();
            doc->afterBatchEdit();
        }
        repaintActive();
    });
}
