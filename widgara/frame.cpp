#include "widgara/frame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

CXTPFrameWnd::CXTPFrameWnd(QWidget* parent) : QMainWindow(parent)
{
    setDockNestingEnabled(true);
}

CXTPFrameWnd::~CXTPFrameWnd() = default;

bool CXTPFrameWnd::InitCommandBars()
{
    if (m_pCommandBars)
        return false;
    m_pCommandBars = std::make_unique<CXTPCommandBars>();
    m_pCommandBars->SetSite(this);
    return true;
}

CXTPMDIFrameWnd::CXTPMDIFrameWnd(QWidget* parent) : CXTPFrameWnd(parent)
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiClient"));
    setCentralWidget(m_mdiArea);
}

QMdiSubWindow* CXTPMDIFrameWnd::MDIAddChild(QWidget* frame)
{
    QMdiSubWindow* window = m_mdiArea->addSubWindow(frame);
    window->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    return window;
}

QWidget* CXTPMDIFrameWnd::MDIGetActive() const
{
    // The current window stays the active child while the program is in
    // the background.
    QMdiSubWindow* window = m_mdiArea->currentSubWindow();
    return window ? window->widget() : nullptr;
}

void CXTPMDIFrameWnd::MDIActivate(QWidget* frame)
{
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (window->widget() == frame)
            m_mdiArea->setActiveSubWindow(window);
}

CXTPTabClientWnd::CXTPTabClientWnd() = default;

bool CXTPTabClientWnd::Attach(CXTPMDIFrameWnd* pFrame, bool)
{
    if (!pFrame)
        return false;
    m_pFrame = pFrame;
    QMdiArea* area = pFrame->mdiArea();
    area->setViewMode(QMdiArea::TabbedView);
    connect(area, &QMdiArea::subWindowActivated, this, [this] { refreshTabs(); });
    refreshTabs();
    return true;
}

void CXTPTabClientWnd::EnableToolTips(int behaviour)
{
    m_toolTips = behaviour;
    refreshTabs();
}

void CXTPTabClientWnd::SetFlags(int dwFlags)
{
    m_flags = dwFlags;
    refreshTabs();
}

QTabBar* CXTPTabClientWnd::tabBar() const
{
    return m_pFrame ? m_pFrame->mdiArea()->findChild<QTabBar*>() : nullptr;
}

void CXTPTabClientWnd::refreshTabs()
{
    if (!m_pFrame)
        return;
    QMdiArea* area = m_pFrame->mdiArea();
    area->setTabsClosable(m_flags & xtpWorkspaceTabsClosable);
    area->setTabsMovable(m_flags & xtpWorkspaceTabsMovable);
    area->setDocumentMode(m_flags & xtpWorkspaceFlatTabs);
    QTabBar* tabs = tabBar();
    if (!tabs)
        return;
    tabs->setElideMode(Qt::ElideRight);
    tabs->setUsesScrollButtons(true);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setTabToolTip(i, m_toolTips == xtpTabToolTipAlways ? tabs->tabText(i) : QString());
        if (!m_paintManager.m_bShowIcons)
            tabs->setTabIcon(i, QIcon());
    }
}
