#pragma once
// The quantity-sheet document window: the processing window's toolbar and
// pane, and the sort commands of its sorted sheet and its summary settings
// (32939). The cold-rolled grade commands (32959, 32960) sort at once.

#include "app/documents/processframe.h"

class CRODOSLDoc;

class CRODOSLFrame : public CRODOProcessFrame {
    Q_OBJECT
public:
    explicit CRODOSLFrame(QWidget* parent = nullptr);

    CRODOSLDoc* slDocument() const;

protected:
    void addCommands() override;
    CVes_SortRules* sortRules() const override;
    void rebuildSorted(int nID) override;
};
