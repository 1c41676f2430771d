#include "app/panes/toolbarpanewnd.h"

#include <QResizeEvent>

namespace {

// The pane's toolbar buttons are 23 × 23.
constexpr int kButtonSize = 23;

} // namespace

CToolBarPaneWnd::CToolBarPaneWnd(int nToolBarID) : m_nToolBarID(nToolBarID)
{
    m_wndList.setParent(this);
    m_wndList.hide();
}

CToolBarPaneWnd::~CToolBarPaneWnd() = default;

QWidget* CToolBarPaneWnd::createPaneWindow(QWidget* parent)
{
    if (m_bCreated)
        return this;
    setParent(parent);
    OnCreate();
    return this;
}

QWidget* CToolBarPaneWnd::CreateClientControl()
{
    m_wndList.show();
    return &m_wndList;
}

void CToolBarPaneWnd::OnCreate()
{
    m_bCreated = true;
    m_pClient = CreateClientControl();
    if (m_nToolBarID != 0) {
        m_commandBars = std::make_unique<CXTPCommandBars>();
        m_commandBars->SetSite(this, this);
        m_wndToolBar = m_commandBars->Add(QString(), xtpBarTop);
        if (m_wndToolBar && !m_wndToolBar->LoadToolBar(m_nToolBarID))
            m_wndToolBar = nullptr;
        if (m_wndToolBar)
            m_wndToolBar->SetButtonSize(QSize(kButtonSize, kButtonSize));
    }
    layOut();
}

void CToolBarPaneWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void CToolBarPaneWnd::layOut()
{
    const int top = m_commandBars ? m_commandBars->RecalcFrameLayout().top() : 0;
    if (m_pClient)
        m_pClient->setGeometry(0, top, width(), std::max(0, height() - top));
}
