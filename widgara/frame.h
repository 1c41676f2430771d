#pragma once
// Frames: a main window with command bars and docking panes of the toolkit
// (the base of document windows), and the program's main window that shows
// its document windows as tabs (an MDI area with a tab client).

#include "widgara/commandbars.h"
#include "widgara/dockingpane.h"

#include <QMainWindow>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QTabBar;

class CXTPFrameWnd : public QMainWindow, public CXTPCommandBarsSite, public CXTPDockingPaneSite {
    Q_OBJECT
public:
    explicit CXTPFrameWnd(QWidget* parent = nullptr);
    ~CXTPFrameWnd() override;

    // Creates the frame's command bars (sited on the frame); false when
    // they exist already.
    bool InitCommandBars();
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars.get(); }

private:
    std::unique_ptr<CXTPCommandBars> m_pCommandBars;
};

class CXTPMDIFrameWnd : public CXTPFrameWnd {
    Q_OBJECT
public:
    explicit CXTPMDIFrameWnd(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdiArea; }
    // Shows `frame` as a document window; answers its window.
    QMdiSubWindow* MDIAddChild(QWidget* frame);
    // The active document window's frame, or null.
    QWidget* MDIGetActive() const;
    void MDIActivate(QWidget* frame);

private:
    QMdiArea* m_mdiArea = nullptr;
};

// Options of the document tabs.
constexpr int xtpWorkspaceTabsClosable = 0x0001;
constexpr int xtpWorkspaceTabsMovable = 0x0004;
constexpr int xtpWorkspaceFlatTabs = 0x0008;
// Tool tips of the document tabs: never, or always (the full title).
constexpr int xtpTabToolTipNever = 0;
constexpr int xtpTabToolTipAlways = 1;

struct CXTPTabPaintManager {
    bool m_bShowIcons = true;
};

// Shows the document windows of an MDI frame as tabs above them.
class CXTPTabClientWnd : public QObject {
    Q_OBJECT
public:
    CXTPTabClientWnd();

    // Turns `pFrame`'s document area into tabs; false without a frame.
    bool Attach(CXTPMDIFrameWnd* pFrame, bool bEnableGroups = false);
    void EnableToolTips(int behaviour);
    void SetFlags(int dwFlags);
    int GetFlags() const { return m_flags; }
    CXTPTabPaintManager* GetPaintManager() { return &m_paintManager; }
    // The tab bar of the attached frame, or null.
    QTabBar* tabBar() const;

protected:
    // With tooltips on, a tab's tooltip is its window's whole title as the
    // tab holds it at that moment (a narrow tab shows it cut short).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshTabs();

    QPointer<CXTPMDIFrameWnd> m_pFrame;
    CXTPTabPaintManager m_paintManager;
    int m_toolTips = xtpTabToolTipNever;
    int m_flags = xtpWorkspaceTabsMovable;
};

// Stand-ins of the platform helpers a program calls at start-up; Qt already
// scales for the screen and registers its window classes.
struct CXTPWinDwmWrapper {
    static void SetProcessDPIAware() {}
};
struct CXTPDrawHelpers {
    static QString RegisterWndClass(const QString& className, int /*style*/, int /*iconId*/)
    {
        return className;
    }
};
