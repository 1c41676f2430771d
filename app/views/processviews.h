#pragma once
// The two sheets of a processing-sheet window besides its tags: the edit
// view of the processing sheet (tab "加工明细单") with its row inserts, data
// check, imports, export and the automatic cutting length of a bar; and the
// processing summary (tab "加工汇总单"), whose menu orders it and chooses
// which bar kinds get totals.

#include "app/views/sheetview.h"
#include "tables/processing/ui/processtableeditview.h"
#include "tables/processing/ui/processtablelistview.h"

class CRODOProcessDoc;
class CVes_ProcessTable;

class CRODOProcessView : public SheetView<CVes_ProcessTableEditView> {
public:
    explicit CRODOProcessView(QWidget* parent = nullptr);
    ~CRODOProcessView() override;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    void addCommands();
};

class CRODOProcessListView : public SheetView<CVes_ProcessTableListView> {
public:
    explicit CRODOProcessListView(QWidget* parent = nullptr);
    ~CRODOProcessListView() override;

    // The processing sheet whose summary this is, when the view lies in a
    // processing-sheet window; null otherwise.
    CVes_ProcessTable* mainTable() const;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    void addCommands();
    // Changes the sheet's order or totals, then the summary follows it.
    void changeSummary(const std::function<void(CVes_ProcessTable&)>& change);
};
