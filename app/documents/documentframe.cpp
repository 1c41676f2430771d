#include "app/documents/documentframe.h"

#include "app/documents/documenthost.h"
#include "app/documents/documentids.h"
#include "app/documents/documentresources.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/sheetdocument.h"
#include "app/documents/sortsettings.h"
#include "app/panes/barpropertypanewnd.h"
#include "app/panes/elementtreepanewnd.h"
#include "app/panes/paneimages.h"
#include "platform/profile.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/ui/tableview.h"
#include "tables/shared/sortrules.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <functional>

namespace {

// The function keys of a sheet: F3 checks it, F6 to F9 and F12 insert rows.
bool isSheetKey(const QKeyEvent& event)
{
    static constexpr int kSheetKeys[] = {Qt::Key_F3, Qt::Key_F6, Qt::Key_F7,
                                         Qt::Key_F8, Qt::Key_F9, Qt::Key_F12};
    return event.modifiers() == Qt::NoModifier
           && std::find(std::begin(kSheetKeys), std::end(kSheetKeys), event.key()) != std::end(kSheetKeys);
}

// The auto-save interval: the user's minutes, or $RODO_AUTOSAVE_MS
// milliseconds when that is set (tests that end the program right after an
// auto-save).
int autoSaveIntervalMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("RODO_AUTOSAVE_MS", &ok);
    return ok && ms > 0 ? ms : docfiles::autoSaveMinutes() * 60000;
}

} // namespace

DocumentFrame::DocumentFrame(QWidget* parent) : CXTPFrameWnd(parent), platform::ChildFrame(this)
{
    connect(&m_autoSaveTimer, &QTimer::timeout, this, &DocumentFrame::OnAutoSaveTimer);
}

DocumentFrame::~DocumentFrame() = default;

bool DocumentFrame::create()
{
    registerDocumentResources();
    if (!InitCommandBars())
        return false;
    GetCommandBars()->EnableDocking();
    if (!createToolBars())
        return false;
    m_paneManager.InstallDockingPanes(this);
    m_paneManager.SetTheme(9);
    createPanes();
    addCommands();
    m_autoSaveTimer.start(autoSaveIntervalMs());
    return true;
}

SheetContainerView* DocumentFrame::container() const
{
    return dynamic_cast<SheetContainerView*>(GetActiveView());
}

SheetDocument* DocumentFrame::document() const
{
    return dynamic_cast<SheetDocument*>(GetActiveDocument());
}

// the active sheet and the panes

CVes_TableViewBase* DocumentFrame::activeSheetView() const
{
    return m_pActiveSheetView;
}

void DocumentFrame::showTableInPanes(CVes_TableBase* table)
{
    if (m_wndPropertyPane) {
        m_wndPropertyPane->setTable(table);
        m_wndPropertyPane->Rebuild();
    }
    if (m_wndElementTree) {
        m_wndElementTree->tree()->setTable(table);
        m_wndElementTree->tree()->Fill();
    }
}

bool DocumentFrame::OnSheetChanged(CVes_TableBase* table)
{
    if (!table)
        return false;
    showTableInPanes(table);
    if (SheetContainerView* view = container())
        m_pActiveSheetView = view->getActiveSheetView();
    return true;
}

void DocumentFrame::forgetSheet(CVes_TableBase* table)
{
    if (m_pActiveSheetView && m_pActiveSheetView->getTable() == table) {
        m_pActiveSheetView = nullptr;
        showTableInPanes(nullptr);
    }
}

void DocumentFrame::OnPaneEdited()
{
    if (m_pActiveSheetView)
        m_pActiveSheetView->viewport()->update();
    SheetDocument* doc = document();
    if (doc && doc->mainTable()->isModified())
        doc->SetModifiedFlag(true);
}

void DocumentFrame::OnShowCurrentRow()
{
    if (m_pActiveSheetView)
        m_pActiveSheetView->setCurRowVisible();
}

void DocumentFrame::repaintActive()
{
    if (SheetContainerView* view = container())
        if (CVes_TableViewBase* sheet = view->getActiveSheetView())
            sheet->viewport()->update();
}

// auto-save

void DocumentFrame::autoSaveSettingsChanged()
{
    const int interval = autoSaveIntervalMs();
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* frame = qobject_cast<DocumentFrame*>(widget);
            frame && frame->m_autoSaveTimer.isActive() && frame->m_autoSaveTimer.interval() != interval)
            frame->m_autoSaveTimer.start(interval);
}

void DocumentFrame::OnAutoSaveTimer()
{
    if (platform::profileValue(QStringLiteral("settings"), QStringLiteral("autoSave"), 1).toInt() == 0)
        return;
    if (SheetContainerView* view = container())
        view->autoSaveActiveSheet();
}

// toolbars, panes and commands

CXTPToolBar* DocumentFrame::addToolBar(const QString& name, int nIDResource, int position)
{
    CXTPToolBar* bar = GetCommandBars()->Add(name, position);
    return bar && bar->LoadToolBar(nIDResource) ? bar : nullptr;
}

CXTPDockingPane* DocumentFrame::createPane(int nID, const QRect& rect, int direction,
                                           CXTPDockingPane* neighbour)
{
    CXTPDockingPane* pane = m_paneManager.CreatePane(
        nID, rect, static_cast<XTPDockingPaneDirection>(direction), neighbour);
    m_paneManager.SetIcons(IDB_PANEICONS, {IDP_PROJECT, IDP_BAR_PROPERTY},
                           platform::gdi::RGB(0, 255, 0));
    return pane;
}

bool DocumentFrame::isPaneOpen(int nID) const
{
    CXTPDockingPane* pane = m_paneManager.FindPane(nID);
    return pane && !pane->IsClosed();
}

void DocumentFrame::togglePane(int nID)
{
    if (isPaneOpen(nID))
        m_paneManager.ClosePane(nID);
    else
        m_paneManager.ShowPane(nID);
}

QWidget* DocumentFrame::paneWindow(int nPaneID) const
{
    CXTPDockingPane* pane = m_paneManager.FindPane(nPaneID);
    return pane ? pane->GetChild() : nullptr;
}

long DocumentFrame::OnDockingPaneNotify(int nCode, CXTPDockingPane* pPane)
{
    if (nCode != XTP_DPN_SHOWWINDOW || !pPane)
        return 0;
    if (pPane->IsValid())
        return 1;
    SheetDocument* doc = document();
    if (pPane->GetID() == IDP_BAR_PROPERTY && !m_wndPropertyPane) {
        m_wndPropertyPane = new CBarPropertyPaneWnd(this);
        connect(m_wndPropertyPane, &CBarPropertyPaneWnd::tableEdited, this, &DocumentFrame::OnPaneEdited);
        pPane->Attach(m_wndPropertyPane);
        CVes_TableBase* table = m_pActiveSheetView ? m_pActiveSheetView->getTable() : nullptr;
        m_wndPropertyPane->setTable(table ? table : doc ? doc->mainTable() : nullptr);
        m_wndPropertyPane->Rebuild();
    } else if (pPane->GetID() == IDP_ELEMENT_TREE && !m_wndElementTree) {
        m_wndElementTree = new CElementTreePaneWnd;
        CElementTreeCtrl* tree = m_wndElementTree->tree();
        connect(tree, &CElementTreeCtrl::tableEdited, this, &DocumentFrame::OnPaneEdited);
        connect(tree, &CElementTreeCtrl::showCurrentRow, this, &DocumentFrame::OnShowCurrentRow);
        m_wndElementTree->createPaneWindow(this);
        pPane->Attach(m_wndElementTree);
        tree->setTable(doc ? doc->mainTable() : nullptr);
        tree->Fill();
    }
    return 1;
}

void DocumentFrame::OnCommand(int nID)
{
    if (routeCmdMsg(nID, nullptr))
        return;
    if (DocumentHost* host = DocumentHost::of(this))
        host->routeCommand(nID, nullptr);
}

void DocumentFrame::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    if (routeCmdMsg(pCmdUI->m_nID, pCmdUI))
        return;
    DocumentHost* host = DocumentHost::of(this);
    if (!host || !host->routeCommand(pCmdUI->m_nID, pCmdUI))
        pCmdUI->Enable(false);
}

void DocumentFrame::addCommands() {}

void DocumentFrame::rebuildSorted(int)
{
    if (SheetContainerView* view = container())
        view->StartSortRebuild();
    repaintActive();
}

void DocumentFrame::addSortCommands()
{
    // Each command changes the rules, then rebuilds the sorted sheet.
    const auto change = [this](int id, const std::function<void(CVes_SortRules&)>& edit) {
        return [this, id, edit] {
            if (CVes_SortRules* rules = sortRules()) {
                edit(*rules);
                rebuildSorted(id);
            }
        };
    };
    const auto checkWhen = [this](const std::function<bool(const CVes_SortRules&)>& test) {
        return [this, test](platform::CommandState& s) {
            const CVes_SortRules* rules = sortRules();
            s.Enable(rules != nullptr);
            s.SetCheck(rules && test(*rules) ? 1 : 0);
        };
    };
    platform::CommandMap& map = commandMap();
    map.add(ID_SORT_MERGE,
            change(ID_SORT_MERGE, [](CVes_SortRules& r) { r.m_mergeSame = r.m_mergeSame ? 0 : 1; }),
            checkWhen([](const CVes_SortRules& r) { return r.m_mergeSame != 0; }));
    const std::pair<int, unsigned int> grades[] = {
        {ID_SORT_GRADE_1, CVes_SortRules::kGrade1}, {ID_SORT_GRADE_2, CVes_SortRules::kGrade2},
        {ID_SORT_GRADE_3, CVes_SortRules::kGrade3}, {ID_SORT_GRADE_4, CVes_SortRules::kGrade4},
        {ID_SORT_GRADE_L, CVes_SortRules::kGradeL}, {ID_SORT_GRADE_N, CVes_SortRules::kGradeN}};
    for (const auto& [id, bit] : grades)
        map.add(id, change(id, [bit = bit](CVes_SortRules& r) { r.setSortGrade(bit); }),
                checkWhen([bit = bit](const CVes_SortRules& r) { return r.m_sortGrade == bit; }));
    const std::pair<int, unsigned int> kinds[] = {{ID_SORT_STIRRUPS, CVes_SortRules::kStirrups},
                                                  {ID_SORT_BENT, CVes_SortRules::kBent},
                                                  {ID_SORT_STRAIGHT, CVes_SortRules::kStraight}};
    for (const auto& [id, bit] : kinds)
        map.add(id, change(id, [bit = bit](CVes_SortRules& r) { r.setState(bit); }),
                checkWhen([bit = bit](const CVes_SortRules& r) { return r.m_state == bit; }));
    map.add(ID_SORT_SETTINGS, [this] {
        CVes_SortRules* rules = sortRules();
        if (!rules)
            return;
        if (editSortSettings(*rules, sortsByRange(), this))
            rebuildSorted(ID_SORT_SETTINGS);
    });
}

void DocumentFrame::keyPressEvent(QKeyEvent* event)
{
    CVes_TableViewBase* view = m_pActiveSheetView;
    const QWidget* focus = QApplication::focusWidget();
    const bool inPane =
        view && focus && isAncestorOf(focus) && focus != view && !view->isAncestorOf(focus);
    if (m_passingKey || !inPane || !isSheetKey(*event)) {
        CXTPFrameWnd::keyPressEvent(event);
        return;
    }
    m_passingKey = true;
    QKeyEvent passed(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(view, &passed);
    m_passingKey = false;
    event->accept();
}
