#include "app/documents/sheetcontainerview.h"

#include "app/documents/documentframe.h"
#include "app/documents/sheetdocument.h"
#include "app/documents/documenthost.h"
#include "platform/gdi.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/ui/tableview.h"
#include "widgara/exceltabctrl.h"

#include <QVBoxLayout>

namespace {

const platform::gdi::COLORREF kFirstTabColour = platform::gdi::RGB(112, 164, 216);
const platform::gdi::COLORREF kOtherTabColour = platform::gdi::RGB(158, 158, 158);
const platform::gdi::COLORREF kSelectedText = platform::gdi::RGB(255, 255, 255);

} // namespace

SheetContainerView::SheetContainerView(const std::vector<Tab>& tabs, QWidget* parent)
    : QWidget(parent), platform::View(this), m_wndTabCtrl(new CXTExcelTabCtrl(this))
{
    if (!m_wndTabCtrl->Create(FTS_XT_DEFAULT, rect(), this, kTabCtrlId))
        return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_wndTabCtrl);
    int id = kFirstViewId;
    for (const Tab& tab : tabs) {
        CVes_TableViewBase* view = createSheetView(tab.sheet, m_wndTabCtrl);
        if (!view)
            return;
        view->setObjectName(QStringLiteral("sheet%1").arg(id++));
        m_views.push_back(view);
        m_wndTabCtrl->InsertItem(m_wndTabCtrl->GetItemCount(), tab.caption, view);
        const int index = int(m_views.size()) - 1;
        m_wndTabCtrl->SetSelTabBackColor(index, index == 0 ? kFirstTabColour : kOtherTabColour);
        m_wndTabCtrl->SetSelTabTextColor(index, kSelectedText);
        connect(view, &CVes_TableViewBase::tableChanged, this, [this, view](CVes_TableBase* table) {
            if (view == getActiveSheetView())
                if (DocumentFrame* f = frame())
                    f->OnSheetChanged(table);
        });
        connect(view, &CVes_TableViewBase::modifyRequested, this, [this](bool modified) {
            if (platform::Document* doc = GetDocument())
                doc->SetModifiedFlag(modified);
        });
        connect(view, &CVes_TableViewBase::undoStepTaken, this, [this](CVes_TableBase* table) {
            if (SheetDocument* doc = document())
                doc->afterUndoStep(table);
        });
    }
    m_wndTabCtrl->SetCurSel(0);
    connect(m_wndTabCtrl, &CXTExcelTabCtrl::selChanged, this, [this](int tab) { OnSelChange(tab); });
    m_bCreated = true;
}

SheetContainerView::~SheetContainerView()
{
    // The sheet views leave the document before this view does: the
    // document closes with its last view.
    if (platform::Document* doc = GetDocument())
        for (CVes_TableViewBase* view : m_views)
            if (auto* asView = dynamic_cast<platform::View*>(view))
                doc->RemoveView(asView);
}

SheetDocument* SheetContainerView::document() const
{
    return dynamic_cast<SheetDocument*>(GetDocument());
}

DocumentFrame* SheetContainerView::frame() const
{
    return dynamic_cast<DocumentFrame*>(GetParentFrame());
}

CVes_TableViewBase* SheetContainerView::sheetView(int tab) const
{
    return tab >= 0 && tab < tabCount() ? m_views[std::size_t(tab)] : nullptr;
}

int SheetContainerView::GetCurSel() const
{
    return m_wndTabCtrl->GetCurSel();
}

CVes_TableViewBase* SheetContainerView::getActiveSheetView()
{
    const int tab = GetCurSel();
    CVes_TableViewBase* view = sheetView(tab);
    return view && !isBuilding(tableOf(tab)) ? view : nullptr;
}

void SheetContainerView::selectTab(int tab)
{
    if (tab < 0 || tab >= tabCount())
        return;
    m_wndTabCtrl->SetCurSel(tab);
    OnSelChange(tab);
}

bool SheetContainerView::OnCmdMsg(int nID, platform::CommandState* state)
{
    if (auto* sheet = dynamic_cast<platform::CommandTarget*>(getActiveSheetView()))
        if (sheet->OnCmdMsg(nID, state))
            return true;
    return platform::View::OnCmdMsg(nID, state);
}

void SheetContainerView::OnInitialUpdate()
{
    if (SheetDocument* doc = document()) {
        for (CVes_TableViewBase* view : m_views)
            if (auto* asView = dynamic_cast<platform::View*>(view))
                doc->AddView(asView);
        connect(doc, &SheetDocument::sheetBuildStarted, this, &SheetContainerView::onBuildStarted);
        connect(doc, &SheetDocument::sheetBuilt, this, &SheetContainerView::onBuilt);
    }
    showSomePage(tableOf(0));
    bindViews();
    activateSheet(0);
    m_nLastTab = 0;
}

void SheetContainerView::OnUpdate(platform::View*, long)
{
    bindViews();
    if (CVes_TableViewBase* view = sheetView(GetCurSel()))
        view->viewport()->update();
    // The document changed (a new sheet got its header, a toolbar edited
    // the bars): the panes show the sheet as it is now.
    CVes_TableViewBase* active = getActiveSheetView();
    DocumentFrame* f = frame();
    if (active && f)
        f->OnSheetChanged(active->getTable());
}

void SheetContainerView::bindViews()
{
    for (int tab = 0; tab < tabCount(); ++tab) {
        CVes_TableBase* table = tableOf(tab);
        CVes_TableBase* shown = isBuilding(table) ? nullptr : table;
        if (m_views[std::size_t(tab)]->getTable() != shown)
            m_views[std::size_t(tab)]->setTable(shown);
    }
}

bool SheetContainerView::isBuilding(const CVes_TableBase* table) const
{
    const SheetDocument* doc = document();
    return doc && doc->isBuilding(table);
}

void SheetContainerView::activateSheet(int tab)
{
    CVes_TableViewBase* view = getActiveSheetView();
    if (!view || GetCurSel() != tab)
        return;
    view->setFocus();
    if (DocumentFrame* f = frame())
        f->OnSheetChanged(view->getTable());
    if (DocumentHost* host = DocumentHost::of(this))
        host->OnActiveSheetChanged();
    view->viewport()->update();
}

void SheetContainerView::showSomePage(CVes_TableBase* table)
{
    if (table && table->getCurPage() < 0)
        table->firstPage();
}

void SheetContainerView::onBuildStarted(CVes_TableBase* table)
{
    if (DocumentFrame* f = frame())
        f->forgetSheet(table);
    bindViews();
}

void SheetContainerView::onBuilt(CVes_TableBase* table)
{
    bindViews();
    const int tab = GetCurSel();
    if (tableOf(tab) != table)
        return;
    showSomePage(table);
    activateSheet(tab);
}
