#include "envora/ui/textonpictrue.h"

#include "platform/dc.h"
#include "platform/painterdc.h"

#include <QPaintEvent>

#include <algorithm>
#include <memory>

using namespace platform::gdi;

namespace {

// The ground drawn when the banner has no picture: dark enough for the light
// captions the dialogs use.
constexpr COLORREF kPlainGround = RGB(54, 78, 112);
// Space before the caption, in pixels.
constexpr int kTextIndent = 12;

} // namespace

CVes_TextOnPictrue::CVes_TextOnPictrue(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CVes_TextOnPictrue::setText(const QString& text)
{
    m_text = text;
    update();
}

void CVes_TextOnPictrue::setFontHeight(int tenthsOfPoint)
{
    m_fontHeight = tenthsOfPoint;
    update();
}

void CVes_TextOnPictrue::setTextColor(COLORREF color)
{
    m_textColor = color;
    update();
}

void CVes_TextOnPictrue::setFontName(const QString& face)
{
    m_fontName = face;
    update();
}

void CVes_TextOnPictrue::setPicture(const QImage& picture)
{
    m_picture = picture;
    updateGeometry();
    update();
}

void CVes_TextOnPictrue::draw(platform::Dc& dc, const QRect& rect) const
{
    const platform::Rect area(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    if (m_picture.isNull()) {
        dc.FillSolidRect(area, kPlainGround);
    } else {
        std::unique_ptr<platform::Dc> memory = dc.CreateCompatibleDC();
        memory->SelectObject(platform::Bitmap(m_picture));
        dc.StretchBlt(area.left, area.top, area.Width(), area.Height(), memory.get(), 0, 0,
                      m_picture.width(), m_picture.height(), SRCCOPY);
    }
    if (m_text.isEmpty())
        return;

    // A point is 1/72 inch; the height is given in tenths of one.
    const int pixels = std::max(1, m_fontHeight) * dc.GetDeviceCaps(LOGPIXELSY) / 720;
    const platform::Font font = platform::Font::create(
        -pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, m_fontName);
    const platform::Font oldFont = dc.SelectObject(font);
    const COLORREF oldColor = dc.SetTextColor(m_textColor);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    platform::Rect textArea = area;
    textArea.left += kTextIndent;
    dc.DrawText(m_text, &textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColor);
    dc.SelectObject(oldFont);
}

QSize CVes_TextOnPictrue::sizeHint() const
{
    return m_picture.isNull() ? QSize(400, 48) : m_picture.size();
}

void CVes_TextOnPictrue::paintEvent(QPaintEvent*)
{
    platform::PainterDc dc(this);
    draw(dc, rect());
}
