#pragma once
// The quantity sheet's own sheet (tab "钢筋用量明细表"): the tables library's
// quantity-sheet view with the program's context menu and commands: row
// inserts, the automatic cutting length of a bar, numbering, the data
// check, imports and the export.

#include "app/views/sheetview.h"
#include "tables/quantity/ui/sltableview.h"

class CRODOSLView : public SheetView<CVes_SLTableView> {
public:
    explicit CRODOSLView(QWidget* parent = nullptr);
    ~CRODOSLView() override;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    void addCommands();
    void insertItems(SheetMenu& menu);
    void numberItems(SheetMenu& menu);
};
