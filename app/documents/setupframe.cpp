#include "app/documents/setupframe.h"

#include "app/documents/documentids.h"
#include "app/documents/setupdoc.h"
#include "app/documents/setupmainview.h"
#include "platform/xlsx/workbook.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/youhuaduanliaotable.h"

CRODOSetUpFrame::CRODOSetUpFrame(QWidget* parent) : DocumentFrame(parent) {}

CRODOSetUpDoc* CRODOSetUpFrame::setupDocument() const
{
    return dynamic_cast<CRODOSetUpDoc*>(GetActiveDocument());
}

CVes_SortRules* CRODOSetUpFrame::sortRules() const
{
    CRODOSetUpDoc* doc = setupDocument();
    return doc ? &doc->setupTable()->getSortRules() : nullptr;
}

bool CRODOSetUpFrame::createToolBars()
{
    CXTPToolBar* grades = addToolBar(QStringLiteral("钢筋规格"), IDR_TB_GRADE_SIZE, xtpBarRight);
    CXTPToolBar* insert = addToolBar(QStringLiteral("插入行"), IDR_TB_INSERT, xtpBarRight);
    if (!grades || !insert)
        return false;
    // Four toolbars beside "插入行", one after the other.
    CXTPToolBar* previous = insert;
    const std::pair<const char*, int> beside[] = {{"钢筋弯钩设置", IDR_TB_HOOKS},
                                                 {"连接类型", IDR_TB_CONNECT},
                                                 {"钢筋大样", IDR_TB_SHAPE},
                                                 {"汇总设置", IDR_TB_SUMMARY}};
    for (const auto& [name, id] : beside) {
        CXTPToolBar* bar = addToolBar(QString::fromUtf8(name), id, xtpBarRight);
        if (!bar)
            return false;
        GetCommandBars()->DockRightOf(bar, previous);
        previous = bar;
    }
    if (!addToolBar(QStringLiteral("计算工具"), IDR_TB_TOOLS, xtpBarRight))
        return false;
    m_pMoreGrades = addToolBar(QStringLiteral("钢筋级别"), IDR_TB_MORE_GRADES, xtpBarLeft);
    if (!m_pMoreGrades)
        return false;
    GetCommandBars()->ShowCommandBar(m_pMoreGrades, false);
    return true;
}

void CRODOSetUpFrame::createPanes()
{
    CXTPDockingPane* property = createPane(IDP_BAR_PROPERTY, QRect(0, 0, 210, 120), xtpPaneDockRight);
    CXTPDockingPane* tree =
        createPane(IDP_ELEMENT_TREE, QRect(0, 120, 210, 140), xtpPaneDockBottom, property);
    m_paneManager.AttachPane(tree, property);
    m_paneManager.ShowPane(property);
}

void CRODOSetUpFrame::showPanesForTab(int tab)
{
    if (tab <= 0) {
        m_paneManager.ShowPane(IDP_ELEMENT_TREE);
        m_paneManager.ShowPane(IDP_BAR_PROPERTY);
        return;
    }
    for (const int id : {IDP_ELEMENT_TREE, IDP_BAR_PROPERTY})
        if (isPaneOpen(id))
            m_paneManager.ClosePane(id);
}

void CRODOSetUpFrame::OnUpdateFrameTitle()
{
    DocumentFrame::OnUpdateFrameTitle();
    CXTPDockingPane* pane = m_paneManager.FindPane(IDP_BAR_PROPERTY);
    CRODOSetUpDoc* doc = setupDocument();
    if (pane && doc)
        pane->SetTitle(QStringLiteral("属性 - ") + doc->GetTitle() + QStringLiteral("\n属性"));
}

bool CRODOSetUpFrame::stockChangedBy(CRODOSetUpDoc& doc, void (CVes_SetupTable::*dialog)())
{
    CVes_SetupTable& list = *doc.setupTable();
    const CVes_SteelYuanCaiDataLib stock = list.getYuanCaiLib();
    (list.*dialog)();
    return !(list.getYuanCaiLib() == stock);
}

void CRODOSetUpFrame::OnSummarySettings()
{
    if (CRODOSetUpDoc* doc = setupDocument()) {
        const bool stockChanged = stockChangedBy(*doc, &CVes_SetupTable::setSumray);
        rebuildShownSheet(stockChanged);
        if (stockChanged)
            recutForNewStock(*doc);
        doc->afterBatchEdit();
    }
}

void CRODOSetUpFrame::OnRawStock()
{
    if (CRODOSetUpDoc* doc = setupDocument()) {
        if (stockChangedBy(*doc, &CVes_SetupTable::setYuanCai)) {
            rebuildShownSheet(true);
            recutForNewStock(*doc);
        }
        doc->afterBatchEdit();
    }
}

void CRODOSetUpFrame::recutForNewStock(CRODOSetUpDoc& doc)
{
    // A list already cut is cut again at its size from the new stock, from
    // whichever tab the stock was changed: it neither comes back empty nor
    // asks its size again.
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(container());
    if (!view || view->GetCurSel() == CRODO_SetUpMainView::kCutting
        || doc.duanLiaoTable()->m_cutGrade <= 0)
        return;
    doc.CutAgain();
    doc.setupTable()->setYouhuaSteel(0);
}

void CRODOSetUpFrame::rebuildShownSheet(bool stockChanged)
{
    CRODOSetUpDoc* doc = setupDocument();
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(container());
    switch (view && doc ? view->GetCurSel() : -1) {
    case CRODO_SetUpMainView::kSort: view->StartSortRebuild(); break;
    case CRODO_SetUpMainView::kSummary: doc->BuildSummary(); break;
    case CRODO_SetUpMainView::kPurchase: doc->BuildJinHuo(); break;
    case CRODO_SetUpMainView::kJoints: doc->BuildSummaryJT(); break;
    case CRODO_SetUpMainView::kCutting:
        if (stockChanged) {
            // Cut from the new stock at once; the list is no longer stale.
            doc->CutAgain();
            doc->setupTable()->setYouhuaSteel(0);
        }
        break;
    default: break;
    }
}

void CRODOSetUpFrame::addCommands()
{
    DocumentFrame::addCommands();
    addSortCommands();
    platform::CommandMap& map = commandMap();
    map.add(ID_PANE_PROPERTY, [this] {
        togglePane(IDP_ELEMENT_TREE);
        togglePane(IDP_BAR_PROPERTY);
    }, [this](platform::CommandState& s) { s.SetCheck(isPaneOpen(IDP_BAR_PROPERTY) ? 1 : 0); });
    map.add(ID_SHOW_MORE_GRADES, [this] { GetCommandBars()->ShowCommandBar(m_pMoreGrades, true); });
    map.add(ID_HIDE_MORE_GRADES, [this] { GetCommandBars()->ShowCommandBar(m_pMoreGrades, false); });
    map.add(ID_SUMMARY_SETTINGS, [this] { OnSummarySettings(); });
    map.add(ID_RAW_STOCK, [this] { OnRawStock(); });
    map.add(ID_DELIVERY_NOTE, [this] {
        if (CRODOSetUpDoc* doc = setupDocument())
            doc->EditDeliveryNote(this);
    });
    map.add(ID_EXPORT_EXCEL, [this] {
        if (CRODOSetUpDoc* doc = setupDocument()) {
            const platform::xlsx::ExportDocument beside(doc->GetPathName());
            doc->setupTable()->exportExcel();
        }
    });
}
