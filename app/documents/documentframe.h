#pragma once
// A document window: a frame with its own toolbars and docking panes around
// the view with the sheet tabs. It hears which sheet is active
// (OnSheetChanged: its panes follow), that a pane edited the sheet
// (OnPaneEdited: the sheet is repainted and the document marked modified),
// and it auto-saves on a timer of "settings"/"autoSaveTime" minutes (at
// least one). Its toolbars' commands go to the active sheet, the document
// and the frame, then to the main window.
//
// Commands every document frame handles: 32792 shows or closes the
// property pane. Bar-list and quantity frames also take the sort commands
// (32940 merge switch, 32947-32950 and 32959/32960 one grade, 32956-32958
// one bar kind, 32951 the sort settings dialog), which then rebuild the
// sorted sheet.

#include "platform/ui/childframe.h"
#include "widgara/frame.h"

#include <QPointer>
#include <QTimer>

class CBarPropertyPaneWnd;
class CElementTreePaneWnd;
class CVes_SortRules;
class CVes_TableBase;
class CVes_TableViewBase;
class SheetContainerView;
class SheetDocument;

class DocumentFrame : public CXTPFrameWnd, public platform::ChildFrame {
    Q_OBJECT
public:
    explicit DocumentFrame(QWidget* parent = nullptr);
    ~DocumentFrame() override;

    // Makes the command bars, toolbars and panes and starts the auto-save
    // timer; false when a part could not be made.
    bool create();

    SheetContainerView* container() const;
    SheetDocument* document() const;
    // The sheet view active at the last OnSheetChanged, or null.
    CVes_TableViewBase* activeSheetView() const;

    // A sheet became active, or its selection or content changed: the panes
    // show it and its view is remembered. False (and nothing done) without a
    // table.
    bool OnSheetChanged(CVes_TableBase* table);
    // A background rebuild starts writing `table`: panes showing it let it
    // go.
    void forgetSheet(CVes_TableBase* table);
    // A pane edited the sheet: the remembered view is repainted and the
    // document is modified when its main table changed.
    void OnPaneEdited();
    // The remembered view brings its current row into view.
    void OnShowCurrentRow();
    // The panes the sheet tab `tab` shows with (the first tab's panes only).
    virtual void showPanesForTab(int tab) = 0;

    // The auto-save interval in milliseconds.
    int autoSaveInterval() const { return m_autoSaveTimer.interval(); }
    // The user changed the auto-save settings: every document window whose
    // interval is no longer the one set starts counting it afresh.
    static void autoSaveSettingsChanged();
    // One tick of the timer: with "settings"/"autoSave" on, the sheet shown
    // saves its document when it is one that does.
    void OnAutoSaveTimer();

    CXTPDockingPaneManager* paneManager() { return &m_paneManager; }
    // The window of a pane, when it has one.
    QWidget* paneWindow(int nPaneID) const;

    // CXTPCommandBarsSite
    void OnCommand(int nID) override;
    void OnUpdateCommandUI(CCmdUI* pCmdUI) override;
    // CXTPDockingPaneSite: a pane shown for the first time gets its window,
    // the bar-property pane (4001) or the element tree (4003).
    long OnDockingPaneNotify(int nCode, CXTPDockingPane* pPane) override;

protected:
    // A function key of the sheet (F3 checks it, F6 to F9 and F12 insert
    // rows) that a pane of the window with the focus did not use goes to
    // the sheet shown, as if the sheet had the focus.
    void keyPressEvent(QKeyEvent* event) override;

    virtual bool createToolBars() = 0;
    virtual void createPanes() = 0;
    // The frame's commands (the command map), once the frame is made.
    virtual void addCommands();
    // The main table's sort rules, for frames that have the sort commands.
    virtual CVes_SortRules* sortRules() const { return nullptr; }
    // Whether the sort settings include the range by diameter.
    virtual bool sortsByRange() const { return false; }
    // Rebuilds the sorted sheet after its settings changed.
    virtual void rebuildSorted(int nID);

    // Loads a toolbar at an edge (xtpBarRight, …); null when it failed.
    CXTPToolBar* addToolBar(const QString& name, int nIDResource, int position);
    // The sort commands, on sortRules().
    void addSortCommands();
    // Creates a pane docked at `direction` (beside `neighbour` when given),
    // with the panes' icons and theme.
    CXTPDockingPane* createPane(int nID, const QRect& rect, int direction,
                                CXTPDockingPane* neighbour = nullptr);
    void togglePane(int nID);
    bool isPaneOpen(int nID) const;
    void repaintActive();

    CXTPDockingPaneManager m_paneManager;
    QPointer<CVes_TableViewBase> m_pActiveSheetView;
    QTimer m_autoSaveTimer;
    // The panes' windows, made when a pane is first shown.
    QPointer<CBarPropertyPaneWnd> m_wndPropertyPane;
    QPointer<CElementTreePaneWnd> m_wndElementTree;

private:
    void showTableInPanes(CVes_TableBase* table);

    // A key being passed on to the sheet, which the sheet may hand back.
    bool m_passingKey = false;
};
