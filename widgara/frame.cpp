#include "widgara/frame.h"

#include <QMdiArea>
#include <QHelpEvent>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QToolTip>

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
    // the background, and while another window of the program (a busy
    // window, a dialog that has closed) holds or last held the activation:
    // as long as a child is open, the one activated last is the active one.
    QMdiSubWindow* window = m_mdiArea->currentSubWindow();
    if (!window) {
        const QList<QMdiSubWindow*> activated =
            m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (!activated.isEmpty())
            window = activated.last();
    }
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
    // Installing again only moves the filter to the front.
    tabs->installEventFilter(this);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setTabToolTip(i, m_toolTips == xtpTabToolTipAlways ? tabs->tabText(i) : QString());
        if (!m_paintManager.m_bShowIcons)
            tabs->setTabIcon(i, QIcon());
    }
}

bool CXTPTabClientWnd::eventFilter(QObject* watched, QEvent* event)
{
    auto* tabs = qobject_cast<QTabBar*>(watched);
    if (!tabs || event->type() != QEvent::ToolTip || m_toolTips != xtpTabToolTipAlways)
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    // The tab keeps the whole title; only its drawing is cut short.
    const int index = tabs->tabAt(help->pos());
    const QString title = index >= 0 ? tabs->tabText(index) : QString();
    if (title.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), title, tabs, tabs->tabRect(index));
    return true;
}
