#include "app/documents/processframe.h"

#include "app/documents/documentids.h"

CRODOProcessFrame::CRODOProcessFrame(QWidget* parent) : DocumentFrame(parent) {}

bool CRODOProcessFrame::createToolBars()
{
    return addToolBar(QStringLiteral("钢筋规格"), IDR_TB_GRADE_SIZE, xtpBarRight) != nullptr;
}

void CRODOProcessFrame::createPanes()
{
    createPane(IDP_BAR_PROPERTY, QRect(0, 0, 210, 120), xtpPaneDockRight);
}

void CRODOProcessFrame::showPanesForTab(int tab)
{
    if (tab <= 0) {
        if (m_bPaneVisible)
            m_paneManager.ShowPane(IDP_BAR_PROPERTY);
    } else if (isPaneOpen(IDP_BAR_PROPERTY)) {
        m_paneManager.ClosePane(IDP_BAR_PROPERTY);
    }
}

void CRODOProcessFrame::addCommands()
{
    DocumentFrame::addCommands();
    commandMap().add(ID_PANE_PROPERTY, [this] {
        m_bPaneVisible = !m_bPaneVisible;
        if (m_bPaneVisible)
            m_paneManager.ShowPane(IDP_BAR_PROPERTY);
        else
            m_paneManager.ClosePane(IDP_BAR_PROPERTY);
    }, [this](platform::CommandState& s) { s.SetCheck(m_bPaneVisible ? 1 : 0); });
}
