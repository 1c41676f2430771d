#pragma once
// The quantity-sheet document window's view: four sheet tabs, the quantity
// sheet, its quantity summary, its joint summary and its sorted sheet.
// Choosing a summary rebuilds it on a worker thread when the sheet or what
// else it reads changed since it was built (otherwise it is shown as it was
// kept); choosing the sorted sheet rebuilds it on a worker thread when the
// quantity sheet changed since its last build. The frame's property pane shows only with the sheet's own tab.

#include "app/documents/sheetcontainerview.h"

class CRODOSLDoc;

class CRODO_SLMainView : public SheetContainerView {
    Q_OBJECT
public:
    enum TabIndex { kDetail = 0, kSummary = 1, kJoints = 2, kSort = 3 };

    explicit CRODO_SLMainView(QWidget* parent = nullptr);

    CRODOSLDoc* slDocument() const;

    void StartSortRebuild() override;

protected:
    CVes_TableBase* tableOf(int tab) const override;
    void OnSelChange(int tab) override;
};
