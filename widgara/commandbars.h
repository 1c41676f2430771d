#pragma once
// The command bars of a window: an optional menu bar and toolbars in rows.
// On a main window (a frame) the toolbars are the window's own toolbars,
// docked at any edge and moved by the user, and their layout, the options
// and the shortcuts are kept in the profile; on any other widget (a dialog)
// they sit in rows at the top of the owner (the site). Commands reach the owner through
// CXTPCommandBarsSite (the site widget implements it) and the signal
// commandExecuted; the owner answers the control-creation request to put a
// control of its own (a combo box, a popup) in place of a plain button.
//
//   auto bars = std::make_unique<CXTPCommandBars>();
//   bars->SetSite(this);                      // this: a dialog and a site
//   bars->SetMenu("菜单", 2001);
//   CXTPToolBar* bar = bars->Add("标准", xtpBarTop);
//   bar->LoadToolBar(2006);
//   QMargins taken = bars->RecalcFrameLayout();

#include "widgara/cmdui.h"
#include "widgara/commandbar.h"
#include "widgara/control.h"
#include "widgara/imagemanager.h"
#include "widgara/resources.h"

#include <QIcon>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CXTPShortcutManager;
class QMainWindow;
class QMenu;
#include <QMenuBar>
class QToolBar;
class QVBoxLayout;
class QHBoxLayout;

// The control-creation request (a message numbered WM_USER + 9310).
constexpr int XTPWM_COMMANDBARS_CREATECONTROL = 0x0400 + 9310;
// The notification of an executed control (a combo box's new selection).
constexpr int CBN_XTP_EXECUTE = 100;

// What the command bars ask of their owner when they build a control.
struct XTP_COMMANDBARS_CREATECONTROL {
    int nID = 0;
    bool bToolBar = true;
    int controlType = xtpControlButton;
    int nIndex = 0;
    CXTPCommandBar* pCommandBar = nullptr;
    // The owner's control; left empty for a plain button.
    std::unique_ptr<CXTPControl> pControl;
};

// The owner of command bars. A site widget that derives from this class gets
// the callbacks; the defaults do nothing.
class CXTPCommandBarsSite {
public:
    virtual ~CXTPCommandBarsSite() = default;

    // The control-creation request: answer 1 with pControl set, or 0 for a
    // plain button.
    virtual int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* lpCreateControl);
    // A notification of a control (code CBN_XTP_EXECUTE when it runs);
    // nonzero means handled, otherwise the command goes on to OnCommand.
    virtual long OnControlNotify(int code, CXTPControl* pControl);
    // A command of a button or menu item.
    virtual void OnCommand(int nID);
    // The update handler of a command: enable it, set its check mark.
    virtual void OnUpdateCommandUI(CCmdUI* pCmdUI);
};

// Options of the command bars, kept in the profile with LoadOptions and
// SaveOptions. Commands hidden with HideCommands stay out of the menus
// unless full menus are always shown.
struct CXTPCommandBarsOptions {
    bool bAlwaysShowFullMenus = true;
    bool bShowFullAfterDelay = true;
    bool bToolBarScreenTips = true;
    bool bToolBarAccelTips = false;
    bool bLargeIcons = false;
    int keyboardCues = 0;
    void ShowKeyboardCues(int mode) { keyboardCues = mode; }
    bool operator==(const CXTPCommandBarsOptions&) const = default;
};

class CXTPToolTipContext {
public:
    void SetStyle(int style) { m_style = style; }
    int GetStyle() const { return m_style; }

private:
    int m_style = 0;
};

class CXTPCommandBars : public QObject {
    Q_OBJECT

public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;

    // The owner widget: the bars sit at its top and report to it. `site`
    // defaults to the widget when it derives from CXTPCommandBarsSite.
    void SetSite(QWidget* pSite, CXTPCommandBarsSite* site = nullptr);
    QWidget* GetSite() const { return m_pSiteWidget; }
    CXTPCommandBarsSite* site() const { return m_site; }
    void EnableDocking() { m_bDocking = true; }
    void SetTheme(int theme);

    // A menu bar from the menu resource; false when no menu has that id.
    bool SetMenu(const QString& strName, int nMenuID);
    QMenuBar* GetMenuBar() const { return m_menuBar; }
    // A new, empty toolbar in a row of its own at the edge of `barPosition`
    // (top, bottom, left or right; the last two only on a main window).
    CXTPToolBar* Add(const QString& strName, int barPosition = xtpBarTop);
    // Puts `pBar` into the row of `pNeighbour`, after it.
    void DockRightOf(CXTPToolBar* pBar, CXTPToolBar* pNeighbour);
    // Puts `pBar` into a row of its own at position `nRow` (clamped) among
    // the rows of its edge.
    void DockCommandBar(CXTPToolBar* pBar, int nRow);
    // Shows or hides a toolbar, and whether it is shown.
    void ShowCommandBar(CXTPToolBar* pBar, bool bShow);
    bool IsCommandBarVisible(const CXTPToolBar* pBar) const;
    // The edge a toolbar is docked at now (the user may have moved it).
    int GetDockPosition(const CXTPToolBar* pBar) const;
    CXTPToolBar* GetToolBar(int nBarID) const;
    int GetCount() const { return static_cast<int>(m_toolBars.size()); }
    CXTPToolBar* GetAt(int nIndex) const;

    // A list shown in the menus in place of the item of command nFirstID
    // (recent files, recent projects): each time its menu opens, entry i of
    // `entries` becomes an item of command nFirstID + i captioned
    // "&<i + 1> <entry>"; with no entries the item itself shows, disabled.
    void SetMenuList(int nFirstID, std::function<QStringList()> entries);

    // Commands left out of the menus while full menus are not shown.
    void HideCommands(const std::vector<int>& ids);
    bool IsCommandHidden(int nID) const;

    // Options, toolbar layout and shortcuts under a profile section; a load
    // answers false and changes nothing when the section has none.
    bool LoadOptions(const QString& strProfileName);
    void SaveOptions(const QString& strProfileName) const;
    bool LoadBarState(const QString& strProfileName);
    void SaveBarState(const QString& strProfileName, bool bSaveDetails = true) const;
    CXTPShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }

    CXTPImageManager* GetImageManager() { return &m_imageManager; }
    CXTPCommandBarsOptions* GetCommandBarsOptions() { return &m_options; }
    CXTPToolTipContext* GetToolTipContext() { return &m_toolTips; }
    CXTPPaintManager* GetPaintManager() const { return XTPPaintManager(); }

    // Lays the bars out at the top of the site, full width, and answers the
    // space they take (left, top, right, bottom borders).
    QMargins RecalcFrameLayout();
    // The bars' area (a child of the site).
    QWidget* hostWidget() const { return m_host; }

    // Asks the owner's update handlers for every toolbar control (not those
    // with xtpFlagManualUpdate) and applies the answers. Runs by itself while
    // the site is shown.
    void UpdateCommandBars();

    // Keyboard and window messages reach the bars through Qt's own
    // dispatching (menu mnemonics, shortcuts); nothing is left to translate.
    int PreTranslateFrameMessage(QEvent*) { return 0; }
    int OnFrameWndMsg(QEvent*) { return 0; }

    // Called by controls when they run.
    void executeControl(CXTPControl* pControl);
    // Sends a command of a menu item or key to the owner.
    void runCommand(int nID);
    // Called by toolbars while they load: the owner's control, or null.
    std::unique_ptr<CXTPControl> requestControl(CXTPCommandBar* pBar, int nID, bool bToolBar,
                                                int controlType, int nIndex);

Q_SIGNALS:
    void commandExecuted(int nID);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void fillMenu(QMenu* menu, const std::vector<widgara::MenuEntry>& entries);
    void rebuildMenuLists(QMenu* menu);
    void updateMenu(QMenu* menu);
    void showShortcutsInMenus();
    void placeRows();
    void placeRowsInMainWindow();
    QWidget* frameOf(const CXTPToolBar* pBar) const;

    QPointer<QWidget> m_pSiteWidget;
    QPointer<QMainWindow> m_mainWindow;
    std::map<const CXTPToolBar*, QPointer<QToolBar>> m_frames;  // on a main window
    std::vector<int> m_hiddenCommands;
    std::map<int, std::function<QStringList()>> m_menuLists;
    CXTPShortcutManager* m_pShortcutManager = nullptr;
    CXTPCommandBarsSite* m_site = nullptr;
    QPointer<QWidget> m_host;
    QVBoxLayout* m_hostLayout = nullptr;
    QPointer<QMenuBar> m_menuBar;
    std::vector<CXTPToolBar*> m_toolBars;  // owned by the host widget
    std::vector<std::vector<CXTPToolBar*>> m_rows;
    CXTPImageManager m_imageManager;
    CXTPCommandBarsOptions m_options;
    CXTPToolTipContext m_toolTips;
    QTimer m_updateTimer;
    bool m_bDocking = false;
};
