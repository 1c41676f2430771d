#pragma once
// The program's main window: the menu bar and five toolbars, the status bar
// with the weight of the selected rows, the project pane, and the document
// windows as tabs. The table commands of its menus and toolbars go to the
// sheet shown in the active document window (getActiveTableView); its own
// commands run the settings dialogs, the shape-library managers, help,
// updates and the default-template commands.
//
// Commands travel: the main window's own commands (settings, libraries,
// help, updates, projects) first to the main window; every other command to
// the active document window (its view, document and frame), then to the
// main window, then to the application.

#include "app/documents/documenthost.h"
#include "platform/gdi.h"
#include "platform/ui/commandtarget.h"
#include "platform/ui/document.h"
#include "widgara/frame.h"
#include "widgara/statusbar.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>

class CVes_TableViewBase;
class CXTPControlComboBox;
class CXTPControlPopupColor;

namespace platform {
class ChildFrame;
class DocManager;
class Document;
} // namespace platform

// The zoom and page boxes of the toolbars, once made; the sheet views write
// the zoom ("%d%%") and the page into them. Null while no main window has
// them.
extern CXTPControlComboBox* g_pZoomCombo;
extern CXTPControlComboBox* g_pPageCombo;

class CMainFrame : public CXTPMDIFrameWnd, public platform::CommandTarget, public DocumentHost {
    Q_OBJECT
public:
    // The profile section of the command bars' options, layout and keys.
    static constexpr const char* kCommandBarsSection = "CommandBars";
    // The zoom the zoom box can set.
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 4.0;

    // `docManager` holds the documents whose windows the frame shows;
    // `appTarget` receives the commands no window handles (New, Open, …).
    explicit CMainFrame(platform::DocManager* docManager = nullptr,
                        platform::CommandTarget* appTarget = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Makes the status bar, command bars, panes and tabs; false when a part
    // could not be made (the frame is then not usable).
    bool LoadFrame();

    // The sheet view that receives the table commands: the active document
    // window's view when it is a sheet view, the sheet shown by it when it
    // holds sheets; null otherwise (the start page, no window).
    CVes_TableViewBase* getActiveTableView() const;
    platform::ChildFrame* activeChildFrame() const;

    // Sends a command along the chain; false when nobody handles it.
    bool routeCommand(int nID, platform::CommandState* state) override;

    // CXTPCommandBarsSite
    int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* lpCreateControl) override;
    long OnControlNotify(int code, CXTPControl* pControl) override;
    void OnCommand(int nID) override;
    void OnUpdateCommandUI(CCmdUI* pCmdUI) override;
    // CXTPDockingPaneSite
    long OnDockingPaneNotify(int nCode, CXTPDockingPane* pPane) override;

    // The zoom box's text was confirmed: the number it starts with, in per
    // cent, zooms the active sheet (held within kMinZoom..kMaxZoom); a text
    // that does not start with a number above 0 changes nothing.
    void OnZoomCombo(CXTPControlComboBox* combo);
    // The page box's text was confirmed: the active sheet goes to that page
    // (0 is the cover); a negative number or a text without one is ignored.
    void OnPageCombo(CXTPControlComboBox* combo);
    // Shows the weight of the selected rows, or "重量" without a sheet.
    void OnUpdateStatusPanes();
    // A document window shows another sheet: the zoom and page boxes and
    // the weight follow it.
    void OnActiveSheetChanged() override;
    // A document was saved into the project: the project pane lists the
    // project's documents it does not show yet (projectFilesChanged).
    void OnRefreshProjectFiles() override;
    void OnPageShown(int page) override;

    CXTPStatusBar* statusBar() const { return m_wndStatusBar; }
    CXTPDockingPaneManager* paneManager() { return &m_paneManager; }
    CXTPTabClientWnd* tabClient() { return &m_wndClient; }
    platform::gdi::COLORREF textColor() const { return m_clrText; }

    // The windows of docking panes: a pane shown for the first time asks
    // its factory (the project pane 4000, the property pane 4001).
    using PaneWindowFactory = std::function<QWidget*(CMainFrame* frame)>;
    static void setPaneWindowFactory(int nPaneID, PaneWindowFactory factory);
    // The window of pane 4000 (made when missing and a factory is set).
    QWidget* projectPaneWindow();

    // The text colour dialog; tests answer it. Answers whether the user
    // chose a colour.
    using ColorDialog = std::function<bool(platform::gdi::COLORREF& colour, QWidget* parent)>;
    void setColorDialog(ColorDialog dialog) { m_colorDialog = std::move(dialog); }

Q_SIGNALS:
    // A document was saved in the project folder: the project pane lists
    // the documents it does not show yet.
    void projectFilesChanged();
    // A recent project was chosen: the project pane opens that folder.
    void recentProjectChosen(const QString& folder);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool createStatusBar();
    bool createCommandBars();
    void createDockingPanes();
    void buildCommandMap();
    void addTableCommands();
    void addSettingsCommands();
    void addProjectAndHelpCommands();
    // Runs `action` on the active sheet view, when there is one.
    void withView(const std::function<void(CVes_TableViewBase&)>& action);
    void sendToView(std::initializer_list<unsigned> messages);
    bool isOwnCommand(int nID) const;
    void OnTextColor();
    void applyTextColor(platform::gdi::COLORREF colour);
    void OnDefaultTemplate();
    void OnCancelDefaultTemplate();
    void OnRecentProject(int nID);
    void openHelpFile(const QString& name);
    // Shows the active sheet's zoom and page in the boxes and follows its
    // zoom changes.
    void showZoomAndPage();
    void onActiveFrameChanged();
    void updateTitle();
    void attachPaneWindow(CXTPDockingPane* pPane);

    CXTPTabClientWnd m_wndClient;
    CXTPStatusBar* m_wndStatusBar = nullptr;
    CXTPDockingPaneManager m_paneManager;
    QPointer<QWidget> m_wndPropertyPane;
    QPointer<QWidget> m_wndProjectPane;
    platform::gdi::COLORREF m_clrText = 0;
    CXTPControlPopupColor* m_pColorButton = nullptr;
    platform::DocManager* m_docManager;
    platform::CommandTarget* m_appTarget;
    QTimer m_statusTimer;
    QPointer<CVes_TableViewBase> m_zoomSource;
    QPointer<platform::Document> m_titleSource;
    ColorDialog m_colorDialog;
    bool m_bClosed = false;
};
