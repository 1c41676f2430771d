#include "widgara/commandbar.h"

#include "platform/painterdc.h"
#include "widgara/commandbars.h"
#include "widgara/controlwidget.h"
#include "widgara/resources.h"

#include <QBoxLayout>
#include <QPainter>

CXTPCommandBar::CXTPCommandBar(Qt::Orientation orientation, QWidget* parent) : QWidget(parent)
{
    m_layout = new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight
                                                            : QBoxLayout::TopToBottom,
                              this);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(1);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
}

CXTPCommandBar::~CXTPCommandBar()
{
    // The controls go first, while their widgets are still children here.
    m_controls.RemoveAll();
}

Qt::Orientation CXTPCommandBar::GetOrientation() const
{
    return m_layout->direction() == QBoxLayout::LeftToRight ? Qt::Horizontal : Qt::Vertical;
}

void CXTPCommandBar::SetOrientation(Qt::Orientation orientation)
{
    if (orientation == GetOrientation())
        return;
    m_layout->setDirection(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight
                                                         : QBoxLayout::TopToBottom);
    OnControlsChanged();
}

void CXTPCommandBar::OnControlsChanged()
{
    clearWidgets();
    const Qt::Orientation orientation = GetOrientation();
    bool first = true;
    for (int i = 0; i < m_controls.GetCount(); ++i) {
        CXTPControl* control = m_controls.GetAt(i);
        if (control->GetBeginGroup() && !first) {
            auto* separator = new widgara::SeparatorWidget(orientation, this);
            m_layout->addWidget(separator);
            separator->show();
        }
        m_layout->addWidget(control->createWidget(this));
        first = first && !control->IsVisible();
    }
}

void CXTPCommandBar::clearWidgets()
{
    while (QLayoutItem* item = m_layout->takeAt(0)) {
        if (QWidget* shown = item->widget()) {
            if (auto* view = dynamic_cast<widgara::ControlView*>(shown))
                view->detach();
            shown->hide();
            shown->deleteLater();
        }
        delete item;
    }
}

void CXTPCommandBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xEE, 0xEE, 0xEE));
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

CXTPToolBar::CXTPToolBar(QWidget* parent) : CXTPCommandBar(Qt::Horizontal, parent) {}

void CXTPToolBar::SetVisible(bool bVisible)
{
    if (GetCommandBars())
        GetCommandBars()->ShowCommandBar(this, bVisible);
    else
        setVisible(bVisible);
}

void CXTPToolBar::SetButtonSize(QSize size)
{
    m_buttonSize = size;
    OnControlsChanged();
}

bool CXTPToolBar::IsVisible() const
{
    return GetCommandBars() ? GetCommandBars()->IsCommandBarVisible(this) : !isHidden();
}

bool CXTPToolBar::LoadToolBar(int nIDResource, bool bLoadIcons)
{
    const std::vector<int>* commands = widgara::resources().toolBar(nIDResource);
    if (!commands)
        return false;
    SetBarID(nIDResource);
    if (bLoadIcons && GetCommandBars())
        GetCommandBars()->GetImageManager()->SetIcons(nIDResource);
    GetControls()->RemoveAll();
    bool beginGroup = false;
    int index = 0;
    for (const int id : *commands) {
        if (id == 0) {
            beginGroup = true;
            continue;
        }
        std::unique_ptr<CXTPControl> control;
        if (CXTPCommandBars* bars = GetCommandBars())
            control = bars->requestControl(this, id, true, xtpControlButton, index);
        if (!control)
            control = std::make_unique<CXTPControlButton>();
        CXTPControl* added = GetControls()->Add(std::move(control), id);
        added->SetBeginGroup(beginGroup);
        beginGroup = false;
        ++index;
    }
    OnControlsChanged();
    return true;
}
