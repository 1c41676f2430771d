#pragma once
// The processing-sheet document window's view: three sheet tabs, the
// processing sheet, its summary and its bar tags; choosing the summary or
// the tags rebuilds them from the sheet. The frame's property pane shows
// only with the sheet's own tab.

#include "app/documents/sheetcontainerview.h"

class CRODOProcessDoc;

class CRODO_ProcessMainView : public SheetContainerView {
    Q_OBJECT
public:
    enum TabIndex { kDetail = 0, kList = 1, kTags = 2 };

    explicit CRODO_ProcessMainView(QWidget* parent = nullptr);

    CRODOProcessDoc* processDocument() const;

protected:
    CVes_TableBase* tableOf(int tab) const override;
    void OnSelChange(int tab) override;
};
