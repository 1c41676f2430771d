#pragma once
// A view that holds several sheet views and shows one of them at a time (the
// document windows' views with sheet tabs). The main window sends the table
// commands of its menus and toolbars to the sheet shown.

class CVes_TableViewBase;

class CSheetContainer {
public:
    virtual ~CSheetContainer() = default;
    // The sheet view shown now, or null.
    virtual CVes_TableViewBase* getActiveSheetView() = 0;
};
