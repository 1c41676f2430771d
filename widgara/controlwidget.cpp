#include "widgara/controlwidget.h"

#include "platform/painterdc.h"
#include "widgara/commandbar.h"
#include "widgara/control.h"
#include "widgara/paintmanager.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgara {

ControlButtonWidget::ControlButtonWidget(CXTPControl* control, QWidget* parent)
    : QWidget(parent), m_control(control)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

QSize ControlButtonWidget::sizeHint() const
{
    if (!m_control)
        return {0, 0};
    QImage scratch(1, 1, QImage::Format_RGB32);
    platform::PainterDc dc(&scratch);
    dc.SelectObject(m_control->GetPaintManager()->GetRegularFont());
    QSize size = m_control->GetSize(&dc);
    if (m_control->GetWidth() > 0)
        size.setWidth(m_control->GetWidth());
    if (const auto* bar = qobject_cast<const CXTPToolBar*>(parentWidget()))
        if (m_control->GetType() == xtpControlButton)
            size = size.expandedTo(bar->GetButtonSize());
    return size;
}

void ControlButtonWidget::paintEvent(QPaintEvent*)
{
    if (!m_control)
        return;
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    dc.SelectObject(m_control->GetPaintManager()->GetRegularFont());
    m_control->Draw(&dc);
}

void ControlButtonWidget::enterEvent(QEnterEvent*)
{
    if (m_control && m_control->GetEnabled()) {
        m_control->setHotState(true, false);
        update();
    }
}

void ControlButtonWidget::leaveEvent(QEvent*)
{
    if (m_control) {
        m_control->setHotState(false, false);
        update();
    }
}

void ControlButtonWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_control && event->button() == Qt::LeftButton && m_control->GetEnabled()) {
        m_control->setHotState(true, true);
        update();
    }
}

void ControlButtonWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_control || event->button() != Qt::LeftButton)
        return;
    const bool wasPressed = m_control->GetPressed();
    m_control->setHotState(rect().contains(event->position().toPoint()), false);
    update();
    if (wasPressed && rect().contains(event->position().toPoint()) && m_control->GetEnabled()) {
        m_control->setClickPoint(event->position().toPoint());
        m_control->OnClick(false);
    }
}

void ControlButtonWidget::keyPressEvent(QKeyEvent* event)
{
    const bool activate = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
                          || event->key() == Qt::Key_Space;
    if (m_control && activate && m_control->GetEnabled()) {
        m_control->setClickPoint(QPoint(-1, -1));
        m_control->OnClick(true);
    }
    else
        QWidget::keyPressEvent(event);
}

SeparatorWidget::SeparatorWidget(Qt::Orientation barOrientation, QWidget* parent)
    : QWidget(parent), m_orientation(barOrientation)
{
}

QSize SeparatorWidget::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(6, 22) : QSize(22, 6);
}

void SeparatorWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    if (m_orientation == Qt::Horizontal) {
        XTPPaintManager()->DrawSeparator(&dc, platform::Rect(0, 0, width(), height()));
    } else {
        using namespace platform::gdi;
        const int y = height() / 2;
        dc.FillSolidRect(platform::Rect(2, y, width() - 2, y + 1), GetSysColor(COLOR_BTNSHADOW));
    }
}

} // namespace widgara
