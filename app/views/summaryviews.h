#pragma once
// The derived sheets of bar-list and quantity-sheet windows: the quantity
// summary, the joint summary, the sorted and merged bar table, the purchase
// list and the table of contents. None is edited; their menus order the
// sheets, choose what they cover and reach the settings of the frame. A
// command looks at the window the view lies in: the main table is the
// window's bar list or quantity sheet.

#include "app/views/sheetview.h"
#include "tables/quantity/ui/steeljinhuoview.h"

#include <functional>

class CRODOSetUpDoc;
class CRODOSLDoc;
class CVes_SortBarSheet;

// What the derived views share: the window's main table, sorted sheet and
// summary, and the export of the main table.
class DerivedSheetView : public SheetView<CVes_TableViewBase> {
public:
    explicit DerivedSheetView(QWidget* parent);

    CRODOSetUpDoc* setupDocument() const;
    CRODOSLDoc* slDocument() const;
    // The window's bar list or quantity sheet; null in another window.
    CVes_TableBase* mainTable() const;
    CVes_SortBarSheet* sortTable() const;
};

class CRODOSLSummaryView : public DerivedSheetView {
public:
    explicit CRODOSLSummaryView(QWidget* parent = nullptr);

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    // The summary built again, covering what it covered.
    void rebuild();
};

class CRODOSLSummaryJTView : public DerivedSheetView {
public:
    explicit CRODOSLSummaryJTView(QWidget* parent = nullptr);

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;
};

class CRODOSortTableView : public DerivedSheetView {
public:
    explicit CRODOSortTableView(QWidget* parent = nullptr);

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    void addCommands();
    // Sorts the sheet again; its page stays in a bar-list window, and in
    // every window with `keepPage`.
    void resort(bool keepPage = false);
    // Changes the order of the main table and the sorted sheet alike.
    void order(void (CVes_TableBase::*change)(), bool keepPage);
    void mergeInfo(int display);
    void gradeAndKindItems(SheetMenu& menu, const CVes_SortBarSheet& sort);
    void orderItems(SheetMenu& menu);
};

class CRODOSteelJinHuoView : public SheetView<CVes_SteelJinHuoView> {
public:
    explicit CRODOSteelJinHuoView(QWidget* parent = nullptr);

    // On a bar list's purchase list, whose heading texts are built from the
    // list's delivery-note settings, a double click on a heading opens those
    // settings, and on the cover page the cover's text under the point is
    // edited; elsewhere the purchase view's own double click.
    void OnLButtonDblClk(unsigned flags, QPoint point) override;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;
};

class CRODOTableContentsView : public DerivedSheetView {
public:
    explicit CRODOTableContentsView(QWidget* parent = nullptr);

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;
};
