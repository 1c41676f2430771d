#include "app/shell/marqueestatic.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTimerEvent>

using namespace platform::gdi;

namespace {

QColor qtColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

CMarqueeStatic::CMarqueeStatic(QWidget* parent)
    : QWidget(parent), m_textColor(GetSysColor(COLOR_WINDOWTEXT)), m_bkColor(GetSysColor(COLOR_BTNFACE))
{
    setMouseTracking(true);
}

void CMarqueeStatic::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_measured = false;
    m_positionInitialised = false;
    update();
}

void CMarqueeStatic::SetTextColor(COLORREF colour)
{
    m_textColor = colour;
    update();
}

void CMarqueeStatic::SetBkColor(COLORREF colour)
{
    m_bkColor = colour;
    update();
}

void CMarqueeStatic::StartScroll(int step, int interval)
{
    m_step = step;
    m_scrolling = true;
    m_positionInitialised = true;
    m_timer.start(interval, this);
}

void CMarqueeStatic::SetDirection(int direction)
{
    m_direction = direction;
}

void CMarqueeStatic::SetStartX(int x)
{
    m_start.setX(x);
    m_current.setX(x);
}

void CMarqueeStatic::CenterVertically()
{
    m_centerV = true;
    update();
}

QPoint CMarqueeStatic::nextPosition(int direction, QPoint pos, int step, const QRect& client, QSize text)
{
    // The edges as the desktop gives them: right and bottom just outside.
    const int left = client.left();
    const int top = client.top();
    const int right = client.left() + client.width();
    const int bottom = client.top() + client.height();
    switch (direction) {
    case kLeft:
        pos.setX(pos.x() > left - text.width() ? pos.x() - step : right);
        break;
    case kRight:
        pos.setX(pos.x() < right ? pos.x() + step : left - text.width());
        break;
    case kUp:
        pos.setY(pos.y() > top - text.height() ? pos.y() - step : bottom);
        break;
    case kDown:
        pos.setY(pos.y() < bottom ? pos.y() + step : top - text.height());
        break;
    default:
        break;
    }
    return pos;
}

QFont CMarqueeStatic::drawingFont() const
{
    return m_useWindowFont ? font() : m_ownFont;
}

void CMarqueeStatic::measure()
{
    const QFontMetrics metrics(drawingFont());
    const QStringList lines = m_text.split(u'\n');
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    m_textSize = QSize(width, metrics.lineSpacing() * int(lines.size()));
    m_measured = true;
    if (m_centerH)
        m_start.setX((this->width() - m_textSize.width()) / 2);
    if (m_centerV)
        m_start.setY((height() - m_textSize.height()) / 2);
    if (!m_positionInitialised) {
        m_current = m_start;
        m_positionInitialised = true;
    }
}

void CMarqueeStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), qtColor(m_bkColor));
    painter.setClipRect(rect());
    painter.setFont(drawingFont());
    painter.setPen(qtColor(m_textColor));
    if (!m_measured)
        measure();
    const QPoint at = m_scrolling ? m_current : m_start;
    const QFontMetrics metrics(drawingFont());
    int y = at.y();
    for (const QString& line : m_text.split(u'\n')) {
        painter.drawText(at.x(), y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
}

void CMarqueeStatic::scrollOnce()
{
    if (!m_measured)
        return;
    m_current = nextPosition(m_direction, m_current, m_step, rect(), m_textSize);
    update();
}

void CMarqueeStatic::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        scrollOnce();
    else
        QWidget::timerEvent(event);
}

void CMarqueeStatic::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    update();
}

void CMarqueeStatic::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_textColor = 0;
    m_ownFont = font();
    m_ownFont.setUnderline(false);
    m_useWindowFont = false;
    m_measured = false;
    update();
}
