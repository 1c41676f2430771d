#include "widgara/commandbars.h"

#include "widgara/controlpopup.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kUpdateIntervalMs = 250;

} // namespace

int CXTPCommandBarsSite::OnCreateControl(XTP_COMMANDBARS_CREATECONTROL*)
{
    return 0;
}

long CXTPCommandBarsSite::OnControlNotify(int, CXTPControl*)
{
    return 0;
}

void CXTPCommandBarsSite::OnCommand(int) {}

void CXTPCommandBarsSite::OnUpdateCommandUI(CCmdUI*) {}

bool CXTPImageManager::SetIcons(int nIDResource)
{
    const std::map<int, QIcon>* icons = widgara::resources().iconSet(nIDResource);
    if (!icons)
        return false;
    for (const auto& [command, icon] : *icons)
        m_icons[command] = icon;
    return true;
}

QIcon CXTPImageManager::GetIcon(int nCommand) const
{
    const auto it = m_icons.find(nCommand);
    return it == m_icons.end() ? QIcon() : it->second;
}

CXTPCommandBars::CXTPCommandBars()
{
    m_updateTimer.setInterval(kUpdateIntervalMs);
    connect(&m_updateTimer, &QTimer::timeout, this, [this] {
        if (m_pSiteWidget && m_pSiteWidget->isVisible())
            UpdateCommandBars();
    });
}

CXTPCommandBars::~CXTPCommandBars()
{
    // The host (with the toolbars) belongs to us even though the site is its
    // parent: the bars go when the command bars go.
    delete m_host.data();
}

void CXTPCommandBars::SetSite(QWidget* pSite, CXTPCommandBarsSite* site)
{
    m_pSiteWidget = pSite;
    m_site = site ? site : dynamic_cast<CXTPCommandBarsSite*>(pSite);
    if (!m_host) {
        m_host = new QWidget(pSite);
        m_host->setObjectName(QStringLiteral("commandBars"));
        m_host->setAutoFillBackground(true);
        m_hostLayout = new QVBoxLayout(m_host);
        m_hostLayout->setContentsMargins(0, 0, 0, 0);
        m_hostLayout->setSpacing(0);
        m_host->installEventFilter(this);
    } else {
        m_host->setParent(pSite);
    }
    if (pSite) {
        pSite->installEventFilter(this);
        m_host->show();
        m_updateTimer.start();
    }
}

void CXTPCommandBars::SetTheme(int theme)
{
    CXTPPaintManager::SetTheme(theme);
}

bool CXTPCommandBars::SetMenu(const QString& strName, int nMenuID)
{
    const std::vector<widgara::MenuEntry>* entries = widgara::resources().menu(nMenuID);
    if (!entries || !m_host)
        return false;
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(m_host);
        m_hostLayout->insertWidget(0, m_menuBar);
        m_menuBar->show();
    }
    m_menuBar->clear();
    m_menuBar->setWindowTitle(strName);
    for (const widgara::MenuEntry& entry : *entries) {
        if (entry.popup.empty()) {
            QAction* action = m_menuBar->addAction(entry.text);
            action->setData(entry.id);
            connect(action, &QAction::triggered, this, [this, id = entry.id] {
                if (m_site)
                    m_site->OnCommand(id);
                Q_EMIT commandExecuted(id);
            });
            continue;
        }
        QMenu* menu = m_menuBar->addMenu(entry.text);
        fillMenu(menu, entry.popup);
    }
    RecalcFrameLayout();
    return true;
}

void CXTPCommandBars::fillMenu(QMenu* menu, const std::vector<widgara::MenuEntry>& entries)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(menu); });
    for (const widgara::MenuEntry& entry : entries) {
        if (!entry.popup.empty()) {
            fillMenu(menu->addMenu(entry.text), entry.popup);
        } else if (entry.id == 0 && entry.text.isEmpty()) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(entry.text);
            action->setData(entry.id);
            action->setStatusTip(widgara::resources().prompt(entry.id));
            const QIcon icon = m_imageManager.GetIcon(entry.id);
            if (!icon.isNull())
                action->setIcon(icon);
            connect(action, &QAction::triggered, this, [this, id = entry.id] {
                if (m_site)
                    m_site->OnCommand(id);
                Q_EMIT commandExecuted(id);
            });
        }
    }
}

void CXTPCommandBars::updateMenu(QMenu* menu)
{
    if (!m_site)
        return;
    for (QAction* action : menu->actions()) {
        const int id = action->data().toInt();
        if (action->isSeparator() || action->menu() || id == 0)
            continue;
        CCmdUI ui(id, nullptr);
        m_site->OnUpdateCommandUI(&ui);
        action->setEnabled(ui.enabled());
        if (ui.checkSet()) {
            action->setCheckable(true);
            action->setChecked(ui.checked() != 0);
        }
    }
}

CXTPToolBar* CXTPCommandBars::Add(const QString& strName, int barPosition)
{
    if (!m_host)
        return nullptr;
    auto* bar = new CXTPToolBar(m_host);
    bar->SetTitle(strName);
    bar->SetPosition(barPosition);
    bar->SetCommandBars(this);
    bar->show();
    m_toolBars.push_back(bar);
    m_rows.push_back({bar});
    placeRows();
    return bar;
}

void CXTPCommandBars::DockRightOf(CXTPToolBar* pBar, CXTPToolBar* pNeighbour)
{
    if (!pBar || !pNeighbour || pBar == pNeighbour)
        return;
    for (auto& row : m_rows)
        std::erase(row, pBar);
    for (auto& row : m_rows) {
        const auto it = std::find(row.begin(), row.end(), pNeighbour);
        if (it != row.end()) {
            row.insert(it + 1, pBar);
            break;
        }
    }
    std::erase_if(m_rows, [](const auto& row) { return row.empty(); });
    placeRows();
}

void CXTPCommandBars::DockCommandBar(CXTPToolBar* pBar, int nRow)
{
    if (!pBar)
        return;
    for (auto& row : m_rows)
        std::erase(row, pBar);
    std::erase_if(m_rows, [](const auto& row) { return row.empty(); });
    const int at = std::clamp(nRow, 0, static_cast<int>(m_rows.size()));
    m_rows.insert(m_rows.begin() + at, {pBar});
    placeRows();
}

CXTPToolBar* CXTPCommandBars::GetToolBar(int nBarID) const
{
    for (CXTPToolBar* bar : m_toolBars)
        if (bar->GetBarID() == nBarID)
            return bar;
    return nullptr;
}

CXTPToolBar* CXTPCommandBars::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_toolBars[nIndex] : nullptr;
}

void CXTPCommandBars::placeRows()
{
    // Rows are rebuilt as plain horizontal layouts under the menu bar.
    while (m_hostLayout->count() > (m_menuBar ? 1 : 0)) {
        QLayoutItem* item = m_hostLayout->takeAt(m_hostLayout->count() - 1);
        if (QLayout* row = item->layout()) {
            while (QLayoutItem* inner = row->takeAt(0))
                delete inner;
        }
        delete item;
    }
    for (const auto& row : m_rows) {
        auto* line = new QHBoxLayout;
        line->setContentsMargins(1, 1, 1, 1);
        line->setSpacing(2);
        for (CXTPToolBar* bar : row)
            line->addWidget(bar, 0, Qt::AlignTop);
        line->addStretch(1);
        m_hostLayout->addLayout(line);
    }
    RecalcFrameLayout();
}

QMargins CXTPCommandBars::RecalcFrameLayout()
{
    if (!m_host || !m_pSiteWidget)
        return {};
    const bool empty = m_rows.empty() && !m_menuBar;
    const int height = empty ? 0 : m_host->sizeHint().height();
    m_host->setGeometry(0, 0, m_pSiteWidget->width(), height);
    m_hostLayout->setGeometry(m_host->rect());
    m_host->raise();
    return QMargins(0, height, 0, 0);
}

void CXTPCommandBars::UpdateCommandBars()
{
    if (!m_site)
        return;
    for (CXTPToolBar* bar : m_toolBars) {
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            CXTPControl* control = bar->GetControl(i);
            if (control->GetID() <= 0 || (control->GetFlags() & xtpFlagManualUpdate))
                continue;
            CCmdUI ui(control->GetID(), control);
            m_site->OnUpdateCommandUI(&ui);
            control->SetEnabled(ui.enabled());
            if (ui.checkSet())
                control->SetChecked(ui.checked());
        }
    }
}

void CXTPCommandBars::executeControl(CXTPControl* pControl)
{
    const int id = pControl->GetID();
    const QPointer<CXTPCommandBars> alive(this);
    if (m_site && !m_site->OnControlNotify(CBN_XTP_EXECUTE, pControl))
        m_site->OnCommand(id);
    if (alive)
        Q_EMIT commandExecuted(id);
}

std::unique_ptr<CXTPControl> CXTPCommandBars::requestControl(CXTPCommandBar* pBar, int nID,
                                                             bool bToolBar, int controlType,
                                                             int nIndex)
{
    if (!m_site)
        return nullptr;
    XTP_COMMANDBARS_CREATECONTROL request;
    request.nID = nID;
    request.bToolBar = bToolBar;
    request.controlType = controlType;
    request.nIndex = nIndex;
    request.pCommandBar = pBar;
    if (m_site->OnCreateControl(&request) == 0)
        return nullptr;
    return std::move(request.pControl);
}

bool CXTPCommandBars::eventFilter(QObject* watched, QEvent* event)
{
    const bool siteResized = watched == m_pSiteWidget && event->type() == QEvent::Resize;
    const bool hostChanged = watched == m_host && event->type() == QEvent::LayoutRequest;
    if (siteResized || hostChanged)
        RecalcFrameLayout();
    return QObject::eventFilter(watched, event);
}
