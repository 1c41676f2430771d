#pragma once
// Docking panes: windows docked at a frame's edges, beside or below each
// other, as tabs of one another, or floating; the user moves and closes
// them. A pane is created empty; when it is about to be shown without a
// window of its own, the manager asks the frame (CXTPDockingPaneSite) with
// notification XTP_DPN_SHOWWINDOW, and the frame attaches the window.

#include "platform/gdi.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class CXTPDockingPane;
class CXTPDockingPaneManager;
#include <QDockWidget>
#include <QMainWindow>

// The notification that asks for a pane's window.
constexpr int XTP_DPN_SHOWWINDOW = 1;

enum XTPDockingPaneDirection : int {
    xtpPaneDockLeft = 0,
    xtpPaneDockRight = 1,
    xtpPaneDockTop = 2,
    xtpPaneDockBottom = 3
};

// The owner of docking panes; a frame that derives from this class hears
// from its panes. Answer 1 when the notification was handled.
class CXTPDockingPaneSite {
public:
    virtual ~CXTPDockingPaneSite() = default;
    virtual long OnDockingPaneNotify(int /*nCode*/, CXTPDockingPane* /*pPane*/) { return 0; }
};

class CXTPDockingPane {
public:
    CXTPDockingPane(CXTPDockingPaneManager* manager, int nID, QDockWidget* dock);

    int GetID() const { return m_nID; }
    // A title "caption\nshort caption": the caption heads the pane, the
    // short one names its tab.
    void SetTitle(const QString& title);
    QString GetTitle() const { return m_title; }
    QString GetShortTitle() const;
    // Closed by the user or by ClosePane (not merely behind another tab).
    bool IsClosed() const;
    // Whether the pane has its window.
    bool IsValid() const { return !m_child.isNull(); }
    // Shows `window` in the pane (the pane takes it as its child).
    void Attach(QWidget* window);
    QWidget* GetChild() const { return m_child; }
    // Brings the pane to the front of its tabs and shows it.
    void Select();
    void Close();
    CXTPDockingPaneManager* GetDockingPaneManager() const { return m_manager; }
    QDockWidget* dockWidget() const { return m_dock; }

private:
    CXTPDockingPaneManager* m_manager;
    int m_nID;
    QString m_title;
    QPointer<QDockWidget> m_dock;
    QPointer<QWidget> m_child;
};

// A saved arrangement of a frame's panes (and bars), kept in the profile
// under a name.
class CXTPDockingPaneLayout {
public:
    explicit CXTPDockingPaneLayout(QByteArray state = {}) : m_state(std::move(state)) {}
    void Save(const QString& strName) const;
    // False, with the layout unchanged, when nothing is kept under the name.
    bool Load(const QString& strName);
    const QByteArray& state() const { return m_state; }

private:
    QByteArray m_state;
};

class CXTPDockingPaneManager : public QObject {
    Q_OBJECT
public:
    CXTPDockingPaneManager();
    ~CXTPDockingPaneManager() override;

    // Docks panes in `pFrame`; a frame that is a CXTPDockingPaneSite hears
    // the notifications. False without a frame.
    bool InstallDockingPanes(QMainWindow* pFrame);
    void SetTheme(int theme) { m_theme = theme; }
    int GetCurrentTheme() const { return m_theme; }
    void UseThemedFloatingFrames(bool bUse) { m_themedFloatingFrames = bUse; }

    // A pane docked at the frame's edge `direction`, sized by `rc` (its
    // width at a side, its height at the top or bottom), or beside
    // `pNeighbour` in that direction. Its caption is the resource string of
    // its id. A pane kept in a restored layout takes its saved place.
    CXTPDockingPane* CreatePane(int nID, const QRect& rc, XTPDockingPaneDirection direction,
                                CXTPDockingPane* pNeighbour = nullptr);
    // Puts `pPane` as a tab into the place of `pNeighbour`.
    void AttachPane(CXTPDockingPane* pPane, CXTPDockingPane* pNeighbour);
    CXTPDockingPane* FindPane(int nID) const;
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    void ShowPane(int nID);
    void ShowPane(CXTPDockingPane* pPane);
    void ClosePane(int nID);
    void ClosePane(CXTPDockingPane* pPane);
    // Icons of the panes `ids`, cut in that order from bitmap `nIDBitmap`
    // (16 × 16 each) with `mask` as the transparent colour.
    bool SetIcons(int nIDBitmap, const std::vector<int>& ids, platform::gdi::COLORREF mask);

    std::unique_ptr<CXTPDockingPaneLayout> GetLayout() const;
    // Arranges the panes (and bars) as `layout` holds; false when it cannot.
    bool SetLayout(const CXTPDockingPaneLayout& layout);

    QMainWindow* frame() const { return m_frame; }
    // Called by panes about to be shown.
    void askForWindow(CXTPDockingPane* pPane);

private:
    QPointer<QMainWindow> m_frame;
    CXTPDockingPaneSite* m_site = nullptr;
    std::vector<std::unique_ptr<CXTPDockingPane>> m_panes;
    int m_theme = 0;
    bool m_themedFloatingFrames = false;
};
