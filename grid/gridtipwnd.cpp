#include "grid/gridtipwnd.h"

#include "grid/gridcell.h"
#include "grid/gridctrl.h"
#include "platform/painterdc.h"

#include <QApplication>
#include <QPainter>

using namespace platform::gdi;

CGridTipWnd::CGridTipWnd(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ZTitleTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

CGridTipWnd::~CGridTipWnd() = default;

bool CGridTipWnd::Create(QWidget* parent)
{
    if (m_bCreated)
        return true;
    m_pParentWnd = parent;
    m_bCreated = true;
    return true;
}

int CGridTipWnd::TextWidth(const QString& text, const LOGFONT& font) const
{
    std::unique_ptr<platform::Dc> dc;
    if (auto* grid = qobject_cast<CGridCtrl*>(m_pParentWnd))
        dc = grid->GetMeasureDC();
    if (!dc)
        dc = gridScreenDC();
    if (!dc)
        return 0;
    dc->SelectObject(platform::Font(font));
    return dc->GetTextExtent(text).width() + dc->GetTextMetrics().tmOverhang;
}

void CGridTipWnd::Show(platform::Rect rectTitle, const QString& text, int xOffset,
                       const platform::Rect* hover, const LOGFONT* font, COLORREF crText,
                       COLORREF crBack)
{
    if (!m_bCreated && !Create(parentWidget()))
        return;
    if (rectTitle.IsRectEmpty() || isVisible() || !m_pParentWnd)
        return;

    m_rectHover = hover ? *hover : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;

    // A program in the background shows no tips.
    if (!QApplication::focusWidget())
        return;

    m_rectDisplay = platform::Rect(-1 - xOffset, -1, rectTitle.Width() - xOffset, rectTitle.Height() + 1);
    const QPoint topLeft = m_pParentWnd->mapToGlobal(QPoint(rectTitle.left, rectTitle.top));
    const int left = topLeft.x();
    const int top = topLeft.y();
    const int right = left + rectTitle.Width();
    const int bottom = top + rectTitle.Height();

    m_strText = QStringLiteral(" ") + text + QStringLiteral(" ");
    m_font = font ? *font : logFontFromQFont(m_pParentWnd->font());
    m_crText = crText;
    m_crBack = crBack;

    const int width = TextWidth(m_strText, m_font);
    if (left + xOffset + width + xOffset <= right - xOffset)
        return; // the text fits in the cell

    setGeometry(left + xOffset, top, width + xOffset, bottom - top);
    show();
    update();
}

void CGridTipWnd::Hide()
{
    if (isVisible())
        hide();
}

void CGridTipWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    dc.FillSolidRect(platform::Rect(0, 0, width(), height()),
                     m_crBack != CLR_DEFAULT ? m_crBack : GetSysColor(COLOR_INFOBK));
    dc.SetTextColor(m_crText != CLR_DEFAULT ? m_crText : GetSysColor(COLOR_INFOTEXT));
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(platform::Font(m_font));
    dc.TextOut(0, 0, m_strText);
}
