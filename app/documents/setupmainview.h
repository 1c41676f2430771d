#pragma once
// The bar-list document window's view: eight sheet tabs, the bar list and
// its seven derived sheets. Choosing a tab rebuilds that sheet from the bar
// list: the sorted sheet on a worker thread when the bar list changed since
// its last build, the cutting list (after the size to cut was asked) when
// the bar list changed, every other sheet on a worker thread when the bar
// list or what else the sheet reads changed since it was built (otherwise it
// is shown as it was kept). While a worker builds the sheet of the tab
// shown, its view shows nothing and the busy window is up. The frame's
// panes show only with the bar list's own tab.

#include "app/documents/sheetcontainerview.h"

class CRODOSetUpDoc;

class CRODO_SetUpMainView : public SheetContainerView {
    Q_OBJECT
public:
    enum TabIndex {
        kBarList = 0,
        kSort = 1,
        kSummary = 2,
        kJoints = 3,
        kPurchase = 4,
        kTags = 5,
        kCutting = 6,
        kContents = 7,
    };

    explicit CRODO_SetUpMainView(QWidget* parent = nullptr);

    CRODOSetUpDoc* setupDocument() const;

    void autoSaveActiveSheet() override;
    void StartSortRebuild() override;
    // The cutting list: the size is asked, then cut behind a progress window.
    void StartCuttingRebuild();

protected:
    CVes_TableBase* tableOf(int tab) const override;
    void OnSelChange(int tab) override;
};
