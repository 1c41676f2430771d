#pragma once
// The view of a document window: one sheet view per table of the document,
// one shown at a time, chosen with spreadsheet-style tabs along the bottom.
// Choosing a tab rebuilds the derived sheet it shows (the document window's
// kind decides how), hands the sheet to the frame's panes and gives its view
// the focus. Commands go to the sheet shown first, then to this view.
//
// While a background rebuild writes a sheet, its view shows no table and is
// not the active sheet (the main window's table commands leave it alone);
// when the rebuild ends the view shows the new sheet again.

#include "app/documents/sheetviews.h"
#include "app/documents/sheetcontainer.h"
#include "platform/ui/view.h"

#include <QString>
#include <QWidget>

#include <vector>

class CVes_TableBase;
class CVes_TableViewBase;
class CXTExcelTabCtrl;
class DocumentFrame;
class SheetDocument;

class SheetContainerView : public QWidget, public platform::View, public CSheetContainer {
    Q_OBJECT
public:
    struct Tab {
        SheetTab sheet;
        QString caption;
    };
    // The tab control's control id and the first sheet view's.
    static constexpr int kTabCtrlId = 1026;
    static constexpr int kFirstViewId = 1234;

    SheetContainerView(const std::vector<Tab>& tabs, QWidget* parent);
    ~SheetContainerView() override;

    // False when a sheet view could not be made (the window is not opened).
    bool isCreated() const { return m_bCreated; }
    SheetDocument* document() const;
    DocumentFrame* frame() const;

    // The view of the tab shown, or null while its sheet is rebuilt.
    CVes_TableViewBase* getActiveSheetView() override;
    CVes_TableViewBase* sheetView(int tab) const;
    int tabCount() const { return int(m_views.size()); }
    int GetCurSel() const;
    // The tab shown last by a choice of the user (-1 before the first).
    int lastTab() const { return m_nLastTab; }
    // Chooses a tab as the user does.
    void selectTab(int tab);
    CXTExcelTabCtrl* tabCtrl() const { return m_wndTabCtrl; }

    // The frame's auto-save timer: the sheet that saves its document (a bar
    // list's own sheet) does so, whichever sheet is shown.
    virtual void autoSaveActiveSheet() {}
    // Rebuilds the sorted sheet in the background (bar lists and quantity
    // sheets).
    virtual void StartSortRebuild() {}

    bool OnCmdMsg(int nID, platform::CommandState* state) override;
    // Shows the document's tables in the sheet views, makes the views views
    // of the document, and shows the first sheet.
    void OnInitialUpdate() override;
    void OnUpdate(platform::View* sender, long lHint) override;

protected:
    // The document's table that a tab shows.
    virtual CVes_TableBase* tableOf(int tab) const = 0;
    // What choosing a tab does.
    virtual void OnSelChange(int tab) = 0;

    // The tab's view gets the focus, and the frame is told its sheet is the
    // active one (its panes follow).
    void activateSheet(int tab);
    // Every view shows its table of the document (none while it is rebuilt).
    void bindViews();
    // A table goes to its first page when it shows none.
    static void showSomePage(CVes_TableBase* table);

    int m_nLastTab = -1;

private:
    bool isBuilding(const CVes_TableBase* table) const;
    void onBuildStarted(CVes_TableBase* table);
    void onBuilt(CVes_TableBase* table);

    CXTExcelTabCtrl* m_wndTabCtrl = nullptr;
    std::vector<CVes_TableViewBase*> m_views;
    bool m_bCreated = false;
};
