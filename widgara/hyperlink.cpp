#include "widgara/hyperlink.h"

#include "platform/hostservices.h"

#include <QMouseEvent>

CXTHyperLink::CXTHyperLink(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    restyle();
}

void CXTHyperLink::SetURL(const QString& url)
{
    m_url = url;
    setToolTip(url);
}

void CXTHyperLink::SetUnderline(bool bUnderline)
{
    m_bUnderline = bUnderline;
    restyle();
}

bool CXTHyperLink::GotoURL()
{
    const QString target = m_url.isEmpty() ? text() : m_url;
    if (target.isEmpty() || !platform::host().openWithDesktop(target))
        return false;
    m_bVisited = true;
    restyle();
    return true;
}

void CXTHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        GotoURL();
    QLabel::mouseReleaseEvent(event);
}

void CXTHyperLink::restyle()
{
    QFont f = font();
    f.setUnderline(m_bUnderline);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, m_bVisited ? QColor(0x80, 0x00, 0x80) : QColor(0x00, 0x00, 0xFF));
    setPalette(p);
}
