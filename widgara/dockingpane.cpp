#include "widgara/dockingpane.h"

#include "platform/profile.h"
#include "widgara/imagemanager.h"
#include "widgara/resources.h"

#include <QDockWidget>
#include <QMainWindow>

namespace {

// Version of the layouts kept in the profile.
constexpr int kLayoutVersion = 1;
const QString kLayoutSection = QStringLiteral("DockingPaneLayouts");
constexpr int kPaneIconSize = 16;

Qt::DockWidgetArea areaOf(XTPDockingPaneDirection direction)
{
    switch (direction) {
    case xtpPaneDockLeft:
        return Qt::LeftDockWidgetArea;
    case xtpPaneDockRight:
        return Qt::RightDockWidgetArea;
    case xtpPaneDockTop:
        return Qt::TopDockWidgetArea;
    default:
        return Qt::BottomDockWidgetArea;
    }
}

Qt::Orientation orientationOf(XTPDockingPaneDirection direction)
{
    return direction == xtpPaneDockLeft || direction == xtpPaneDockRight ? Qt::Horizontal
                                                                          : Qt::Vertical;
}

} // namespace

CXTPDockingPane::CXTPDockingPane(CXTPDockingPaneManager* manager, int nID, QDockWidget* dock)
    : m_manager(manager), m_nID(nID), m_dock(dock)
{
}

void CXTPDockingPane::SetTitle(const QString& title)
{
    m_title = title;
    if (m_dock)
        m_dock->setWindowTitle(title.section(QLatin1Char('\n'), 0, 0));
}

QString CXTPDockingPane::GetShortTitle() const
{
    const qsizetype lineBreak = m_title.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? m_title : m_title.mid(lineBreak + 1);
}

bool CXTPDockingPane::IsClosed() const
{
    // A pane never shown yet (its frame is not shown) is not closed; one
    // hidden on purpose is.
    return !m_dock || (m_dock->isHidden() && m_dock->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

void CXTPDockingPane::Attach(QWidget* window)
{
    m_child = window;
    if (m_dock && window)
        m_dock->setWidget(window);
}

void CXTPDockingPane::Select()
{
    if (!m_dock)
        return;
    m_dock->show();
    m_dock->raise();
}

void CXTPDockingPane::Close()
{
    if (m_dock)
        m_dock->close();
}

void CXTPDockingPaneLayout::Save(const QString& strName) const
{
    platform::setProfileValue(kLayoutSection, strName, m_state);
}

bool CXTPDockingPaneLayout::Load(const QString& strName)
{
    const QByteArray state = platform::profileValue(kLayoutSection, strName).toByteArray();
    if (state.isEmpty())
        return false;
    m_state = state;
    return true;
}

CXTPDockingPaneManager::CXTPDockingPaneManager() = default;

CXTPDockingPaneManager::~CXTPDockingPaneManager() = default;

bool CXTPDockingPaneManager::InstallDockingPanes(QMainWindow* pFrame)
{
    if (!pFrame)
        return false;
    m_frame = pFrame;
    m_site = dynamic_cast<CXTPDockingPaneSite*>(pFrame);
    return true;
}

CXTPDockingPane* CXTPDockingPaneManager::CreatePane(int nID, const QRect& rc,
                                                    XTPDockingPaneDirection direction,
                                                    CXTPDockingPane* pNeighbour)
{
    if (!m_frame)
        return nullptr;
    auto* dock = new QDockWidget(m_frame);
    dock->setObjectName(QStringLiteral("DockingPane%1").arg(nID));
    auto pane = std::make_unique<CXTPDockingPane>(this, nID, dock);
    CXTPDockingPane* created = pane.get();
    m_panes.push_back(std::move(pane));
    created->SetTitle(widgara::resources().string(nID));
    connect(dock, &QDockWidget::visibilityChanged, this, [this, created](bool visible) {
        if (visible)
            askForWindow(created);
    });

    if (m_frame->restoreDockWidget(dock))
        return created;
    const bool besideNeighbour = pNeighbour && pNeighbour->dockWidget();
    const Qt::DockWidgetArea area =
        besideNeighbour ? m_frame->dockWidgetArea(pNeighbour->dockWidget()) : areaOf(direction);
    m_frame->addDockWidget(area, dock);
    if (besideNeighbour) {
        // Right of or below the neighbour; left of or above it by moving the
        // neighbour after the new pane.
        const bool after = direction == xtpPaneDockRight || direction == xtpPaneDockBottom;
        if (after)
            m_frame->splitDockWidget(pNeighbour->dockWidget(), dock, orientationOf(direction));
        else
            m_frame->splitDockWidget(dock, pNeighbour->dockWidget(), orientationOf(direction));
    }
    const Qt::Orientation across =
        area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ? Qt::Horizontal : Qt::Vertical;
    m_frame->resizeDocks({dock}, {across == Qt::Horizontal ? rc.width() : rc.height()}, across);
    return created;
}

void CXTPDockingPaneManager::AttachPane(CXTPDockingPane* pPane, CXTPDockingPane* pNeighbour)
{
    if (m_frame && pPane && pNeighbour && pPane != pNeighbour)
        m_frame->tabifyDockWidget(pNeighbour->dockWidget(), pPane->dockWidget());
}

CXTPDockingPane* CXTPDockingPaneManager::FindPane(int nID) const
{
    for (const auto& pane : m_panes)
        if (pane->GetID() == nID)
            return pane.get();
    return nullptr;
}

void CXTPDockingPaneManager::ShowPane(int nID)
{
    ShowPane(FindPane(nID));
}

void CXTPDockingPaneManager::ShowPane(CXTPDockingPane* pPane)
{
    if (!pPane)
        return;
    pPane->Select();
    askForWindow(pPane);
}

void CXTPDockingPaneManager::ClosePane(int nID)
{
    ClosePane(FindPane(nID));
}

void CXTPDockingPaneManager::ClosePane(CXTPDockingPane* pPane)
{
    if (pPane)
        pPane->Close();
}

bool CXTPDockingPaneManager::SetIcons(int nIDBitmap, const std::vector<int>& ids,
                                      platform::gdi::COLORREF mask)
{
    const std::map<int, QIcon> icons = widgara::iconsFromStrip(
        widgara::resources().bitmap(nIDBitmap), ids, {kPaneIconSize, kPaneIconSize}, mask);
    if (icons.empty())
        return false;
    for (const auto& [id, icon] : icons)
        if (CXTPDockingPane* pane = FindPane(id))
            pane->dockWidget()->setWindowIcon(icon);
    return true;
}

std::unique_ptr<CXTPDockingPaneLayout> CXTPDockingPaneManager::GetLayout() const
{
    return std::make_unique<CXTPDockingPaneLayout>(m_frame ? m_frame->saveState(kLayoutVersion)
                                                           : QByteArray());
}

bool CXTPDockingPaneManager::SetLayout(const CXTPDockingPaneLayout& layout)
{
    return m_frame && !layout.state().isEmpty() && m_frame->restoreState(layout.state(), kLayoutVersion);
}

void CXTPDockingPaneManager::askForWindow(CXTPDockingPane* pPane)
{
    if (m_site && pPane && !pPane->IsValid())
        m_site->OnDockingPaneNotify(XTP_DPN_SHOWWINDOW, pPane);
}
