#include "widgara/commandbars.h"

#include "platform/profile.h"
#include "widgara/controlpopup.h"
#include "widgara/shortcutmanager.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kUpdateIntervalMs = 250;
// Version of the toolbar layout kept in the profile.
constexpr int kBarStateVersion = 1;
const QString kBarStateKey = QStringLiteral("BarState");
// Marks the menu items a menu list made (the value is the list's first id).
constexpr const char* kListOf = "widgaraMenuListOf";

Qt::ToolBarArea areaOf(int barPosition)
{
    switch (barPosition) {
    case xtpBarBottom:
        return Qt::BottomToolBarArea;
    case xtpBarLeft:
        return Qt::LeftToolBarArea;
    case xtpBarRight:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

int positionOf(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return xtpBarBottom;
    case Qt::LeftToolBarArea:
        return xtpBarLeft;
    case Qt::RightToolBarArea:
        return xtpBarRight;
    default:
        return xtpBarTop;
    }
}

struct OptionField {
    const char* key;
    bool CXTPCommandBarsOptions::*field;
};
constexpr OptionField kOptionFields[] = {
    {"AlwaysShowFullMenus", &CXTPCommandBarsOptions::bAlwaysShowFullMenus},
    {"ShowFullAfterDelay", &CXTPCommandBarsOptions::bShowFullAfterDelay},
    {"ToolBarScreenTips", &CXTPCommandBarsOptions::bToolBarScreenTips},
    {"ToolBarAccelTips", &CXTPCommandBarsOptions::bToolBarAccelTips},
    {"LargeIcons", &CXTPCommandBarsOptions::bLargeIcons},
};

QString optionKey(const QString& section, const char* key)
{
    return section + QStringLiteral("/Options/") + QLatin1String(key);
}

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

CXTPCommandBars::CXTPCommandBars() : m_pShortcutManager(new CXTPShortcutManager(this))
{
    m_updateTimer.setInterval(kUpdateIntervalMs);
    connect(&m_updateTimer, &QTimer::timeout, this, [this] {
        if (m_pSiteWidget && m_pSiteWidget->isVisible())
            UpdateCommandBars();
    });
    connect(m_pShortcutManager, &CXTPShortcutManager::shortcutsChanged, this,
            [this] { showShortcutsInMenus(); });
}

CXTPCommandBars::~CXTPCommandBars()
{
    // The bars belong to us even though the site is their parent: they go
    // when the command bars go.
    for (auto& [bar, frame] : m_frames)
        delete frame.data();
    if (m_mainWindow)
        delete m_menuBar;
    delete m_host.data();
}

void CXTPCommandBars::SetSite(QWidget* pSite, CXTPCommandBarsSite* site)
{
    m_pSiteWidget = pSite;
    m_site = site ? site : dynamic_cast<CXTPCommandBarsSite*>(pSite);
    m_mainWindow = qobject_cast<QMainWindow*>(pSite);
    if (!m_mainWindow) {
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
    }
    if (pSite) {
        pSite->installEventFilter(this);
        if (m_host)
            m_host->show();
        m_updateTimer.start();
    }
    m_pShortcutManager->updateShortcuts();
}

void CXTPCommandBars::SetTheme(int theme)
{
    CXTPPaintManager::SetTheme(theme);
}

bool CXTPCommandBars::SetMenu(const QString& strName, int nMenuID)
{
    const std::vector<widgara::MenuEntry>* entries = widgara::resources().menu(nMenuID);
    if (!entries || (!m_host && !m_mainWindow))
        return false;
    if (!m_menuBar) {
        if (m_mainWindow) {
            m_menuBar = new QMenuBar(m_mainWindow);
            m_mainWindow->setMenuBar(m_menuBar);
        } else {
            m_menuBar = new QMenuBar(m_host);
            m_hostLayout->insertWidget(0, m_menuBar);
        }
        m_menuBar->show();
    }
    m_menuBar->clear();
    m_menuBar->setWindowTitle(strName);
    for (const widgara::MenuEntry& entry : *entries) {
        if (entry.popup.empty()) {
            QAction* action = m_menuBar->addAction(entry.text);
            action->setData(entry.id);
            connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
            continue;
        }
        QMenu* menu = m_menuBar->addMenu(entry.text);
        fillMenu(menu, entry.popup);
    }
    showShortcutsInMenus();
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
            connect(action, &QAction::triggered, this, [this, id = entry.id] { runCommand(id); });
        }
    }
}

void CXTPCommandBars::SetMenuList(int nFirstID, std::function<QStringList()> entries)
{
    m_menuLists[nFirstID] = std::move(entries);
}

void CXTPCommandBars::rebuildMenuLists(QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->property(kListOf).isValid())
            delete action;
    }
    for (QAction* placeholder : menu->actions()) {
        const auto list = m_menuLists.find(placeholder->data().toInt());
        if (list == m_menuLists.end() || placeholder->menu())
            continue;
        const QStringList entries = list->second ? list->second() : QStringList();
        placeholder->setVisible(entries.isEmpty());
        placeholder->setEnabled(false);
        const QList<QAction*> after = menu->actions();
        const qsizetype at = after.indexOf(placeholder) + 1;
        QAction* before = at < after.size() ? after[at] : nullptr;
        for (int i = 0; i < entries.size(); ++i) {
            QString text = entries[i];
            const int id = list->first + i;
            auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(text.replace(u'&', QStringLiteral("&&"))), menu);
            entry->setData(id);
            entry->setProperty(kListOf, list->first);
            connect(entry, &QAction::triggered, this, [this, id] { runCommand(id); });
            menu->insertAction(before, entry);
        }
    }
}

void CXTPCommandBars::updateMenu(QMenu* menu)
{
    rebuildMenuLists(menu);
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            // A sub-menu whose commands are all off is off itself.
            updateMenu(sub);
            const QList<QAction*> items = sub->actions();
            action->setEnabled(std::any_of(items.begin(), items.end(), [](const QAction* item) {
                return !item->isSeparator() && item->isVisible() && item->isEnabled();
            }));
            continue;
        }
        const int id = action->data().toInt();
        const bool listPlaceholder = m_menuLists.count(id) && !action->property(kListOf).isValid();
        if (action->isSeparator() || id == 0 || listPlaceholder)
            continue;
        action->setVisible(m_options.bAlwaysShowFullMenus || !IsCommandHidden(id));
        if (!m_site)
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

void CXTPCommandBars::showShortcutsInMenus()
{
    if (!m_menuBar)
        return;
    // The keys themselves run through the shortcut manager; a menu only
    // shows them (and takes them while it is open).
    for (QAction* action : m_menuBar->findChildren<QAction*>()) {
        const int id = action->data().toInt();
        if (id == 0 || action->menu())
            continue;
        const QList<QKeySequence> keys = m_pShortcutManager->GetShortcuts(id);
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setShortcut(keys.isEmpty() ? QKeySequence() : keys.front());
    }
}

void CXTPCommandBars::HideCommands(const std::vector<int>& ids)
{
    m_hiddenCommands.insert(m_hiddenCommands.end(), ids.begin(), ids.end());
}

bool CXTPCommandBars::IsCommandHidden(int nID) const
{
    return std::find(m_hiddenCommands.begin(), m_hiddenCommands.end(), nID) != m_hiddenCommands.end();
}

CXTPToolBar* CXTPCommandBars::Add(const QString& strName, int barPosition)
{
    if (!m_host && !m_mainWindow)
        return nullptr;
    CXTPToolBar* bar = nullptr;
    if (m_mainWindow) {
        auto* frame = new QToolBar(strName, m_mainWindow);
        frame->setObjectName(QStringLiteral("CommandBar%1").arg(m_toolBars.size()));
        frame->setFloatable(false);
        frame->setContentsMargins(0, 0, 0, 0);
        bar = new CXTPToolBar(frame);
        frame->addWidget(bar);
        connect(frame, &QToolBar::orientationChanged, bar,
                [bar](Qt::Orientation orientation) { bar->SetOrientation(orientation); });
        m_frames[bar] = frame;
    } else {
        bar = new CXTPToolBar(m_host);
    }
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
    pBar->SetPosition(pNeighbour->GetPosition());
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
    // The n-th row of the bar's own edge; the rows of other edges keep theirs.
    auto at = m_rows.begin();
    int seen = 0;
    for (; at != m_rows.end() && seen < std::max(nRow, 0); ++at)
        if (at->front()->GetPosition() == pBar->GetPosition())
            ++seen;
    m_rows.insert(at, {pBar});
    placeRows();
}

void CXTPCommandBars::ShowCommandBar(CXTPToolBar* pBar, bool bShow)
{
    if (QWidget* frame = frameOf(pBar))
        frame->setVisible(bShow);
}

bool CXTPCommandBars::IsCommandBarVisible(const CXTPToolBar* pBar) const
{
    const QWidget* frame = frameOf(pBar);
    return frame && !frame->isHidden();
}

int CXTPCommandBars::GetDockPosition(const CXTPToolBar* pBar) const
{
    const auto it = m_frames.find(pBar);
    if (m_mainWindow && it != m_frames.end() && it->second)
        return positionOf(m_mainWindow->toolBarArea(it->second));
    return pBar ? pBar->GetPosition() : xtpBarNone;
}

QWidget* CXTPCommandBars::frameOf(const CXTPToolBar* pBar) const
{
    const auto it = m_frames.find(pBar);
    if (it != m_frames.end())
        return it->second;
    return const_cast<CXTPToolBar*>(pBar);
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
    if (m_mainWindow) {
        placeRowsInMainWindow();
        return;
    }
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

void CXTPCommandBars::placeRowsInMainWindow()
{
    for (auto& [bar, frame] : m_frames)
        if (frame && m_mainWindow->toolBarBreak(frame))
            m_mainWindow->removeToolBarBreak(frame);
    for (int position : {xtpBarTop, xtpBarBottom, xtpBarLeft, xtpBarRight}) {
        const Qt::ToolBarArea area = areaOf(position);
        bool first = true;
        for (const auto& row : m_rows) {
            if (areaOf(row.front()->GetPosition()) != area)
                continue;
            if (!first)
                m_mainWindow->addToolBarBreak(area);
            first = false;
            for (CXTPToolBar* bar : row)
                if (QToolBar* frame = m_frames[bar])
                    m_mainWindow->addToolBar(area, frame);
        }
    }
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

bool CXTPCommandBars::LoadOptions(const QString& strProfileName)
{
    const std::unique_ptr<QSettings> profile = platform::openProfile();
    bool found = false;
    for (const OptionField& f : kOptionFields) {
        const QVariant value = profile->value(optionKey(strProfileName, f.key));
        if (value.isValid()) {
            m_options.*f.field = value.toBool();
            found = true;
        }
    }
    bool cuesOk = false;
    const int cues = profile->value(optionKey(strProfileName, "KeyboardCues")).toInt(&cuesOk);
    if (cuesOk)
        m_options.keyboardCues = cues;
    return found || cuesOk;
}

void CXTPCommandBars::SaveOptions(const QString& strProfileName) const
{
    const std::unique_ptr<QSettings> profile = platform::openProfile();
    for (const OptionField& f : kOptionFields)
        profile->setValue(optionKey(strProfileName, f.key), m_options.*f.field);
    profile->setValue(optionKey(strProfileName, "KeyboardCues"), m_options.keyboardCues);
}

bool CXTPCommandBars::LoadBarState(const QString& strProfileName)
{
    if (!m_mainWindow)
        return false;
    const QByteArray state = platform::profileValue(strProfileName, kBarStateKey).toByteArray();
    return !state.isEmpty() && m_mainWindow->restoreState(state, kBarStateVersion);
}

void CXTPCommandBars::SaveBarState(const QString& strProfileName, bool) const
{
    if (m_mainWindow)
        platform::setProfileValue(strProfileName, kBarStateKey, m_mainWindow->saveState(kBarStateVersion));
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

void CXTPCommandBars::runCommand(int nID)
{
    const QPointer<CXTPCommandBars> alive(this);
    if (m_site)
        m_site->OnCommand(nID);
    if (alive)
        Q_EMIT commandExecuted(nID);
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
