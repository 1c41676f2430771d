#pragma once
// The bar-list document window: eight toolbars that send the batch commands
// to the selected bars, the bar-property pane with the element tree as a tab
// of it, the sort commands of the sorted sheet and the summary commands
// (32939 summary settings, 32952 raw stock, 32953 delivery note, 32897
// export); 33009/33008 show and hide the further-grades toolbar.

#include "app/documents/documentframe.h"

class CRODOSetUpDoc;
class CVes_SetupTable;
class CXTPToolBar;

class CRODOSetUpFrame : public DocumentFrame {
    Q_OBJECT
public:
    explicit CRODOSetUpFrame(QWidget* parent = nullptr);

    CRODOSetUpDoc* setupDocument() const;
    CXTPToolBar* moreGradesBar() const { return m_pMoreGrades; }

    void showPanesForTab(int tab) override;
    // The property pane's title names the window.
    void OnUpdateFrameTitle() override;
    // The summary settings: afterwards the sorted sheet, the summaries and
    // the purchase summary shown are rebuilt, and the cutting list shown
    // when its raw stock changed.
    void OnSummarySettings();
    // The list's raw stock: when it changed, the sheet shown is rebuilt
    // from it (the cutting list cut again for the same size).
    void OnRawStock();

protected:
    bool createToolBars() override;
    void createPanes() override;
    void addCommands() override;
    CVes_SortRules* sortRules() const override;
    bool sortsByRange() const override { return true; }

private:
    // Runs one of the list's dialogs; true when the list's raw stock is no
    // longer what it was.
    static bool stockChangedBy(CRODOSetUpDoc& doc, void (CVes_SetupTable::*dialog)());
    // Rebuilds the derived sheet shown; the cutting list only when the raw
    // stock it is cut from changed.
    void rebuildShownSheet(bool stockChanged);
    // After the raw stock changed with another tab shown: the cutting list,
    // when it was cut, cut again at its size.
    void recutForNewStock(CRODOSetUpDoc& doc);

    CXTPToolBar* m_pMoreGrades = nullptr;
};
