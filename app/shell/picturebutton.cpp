#include "app/shell/picturebutton.h"

#include "widgara/bcmenu.h"
#include "widgara/resources.h"

#include <QBitmap>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

using platform::gdi::COLORREF;

namespace {

// How much darker the made second picture is.
constexpr double kDarker = 0.25;
constexpr int kMargin = 4;

// The image with the transparent colour cut out; a null pixmap when no mask
// could be made.
QPixmap masked(const QImage& image, COLORREF transparent)
{
    QPixmap picture = QPixmap::fromImage(image);
    const QRgb key = qRgb(platform::gdi::GetRValue(transparent), platform::gdi::GetGValue(transparent),
                          platform::gdi::GetBValue(transparent));
    const QBitmap mask = QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor));
    if (mask.isNull())
        return {};
    picture.setMask(mask);
    return picture;
}

QImage madeFrom(const QImage& first, int kind)
{
    QImage made = first.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < made.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(made.scanLine(y));
        for (int x = 0; x < made.width(); ++x) {
            COLORREF c = platform::gdi::RGB(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
            if (kind == CPictureButton::BTNST_AUTO_GRAY) {
                const int v = qGray(line[x]);
                c = platform::gdi::RGB(v, v, v);
            } else {
                c = BCMenu::DarkenColor(c, kDarker);
            }
            line[x] = qRgba(platform::gdi::GetRValue(c), platform::gdi::GetGValue(c),
                            platform::gdi::GetBValue(c), qAlpha(line[x]));
        }
    }
    return made;
}

} // namespace

CPictureButton::CPictureButton(QWidget* parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

int CPictureButton::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut,
                               COLORREF crTransColorOut)
{
    m_in = QPixmap();
    m_out = QPixmap();
    update();
    const QImage first = widgara::resources().bitmap(nBitmapIn);
    if (first.isNull())
        return BTNST_INVALIDRESOURCE;
    QImage second;
    COLORREF secondTransparent = crTransColorOut;
    if (nBitmapOut == BTNST_AUTO_GRAY || nBitmapOut == BTNST_AUTO_DARKER) {
        second = madeFrom(first, nBitmapOut);
        secondTransparent = crTransColorIn;
    } else if (nBitmapOut != 0) {
        second = widgara::resources().bitmap(nBitmapOut);
        if (second.isNull())
            return BTNST_INVALIDRESOURCE;
    }
    // The second picture is cut with the first one's mask when it was made
    // from it, so both show the same outline.
    const QImage keyed = nBitmapOut < 0 ? first : second;
    m_in = masked(first, crTransColorIn);
    if (!second.isNull()) {
        m_out = QPixmap::fromImage(second);
        const QPixmap outline = masked(keyed, secondTransparent);
        if (outline.isNull()) {
            m_in = QPixmap();
            m_out = QPixmap();
            return BTNST_FAILEDMASK;
        }
        m_out.setMask(outline.mask());
    }
    if (m_in.isNull())
        return BTNST_FAILEDMASK;
    updateGeometry();
    update();
    return BTNST_OK;
}

const QPixmap& CPictureButton::currentPicture() const
{
    const bool in = m_hover || isDown() || m_out.isNull();
    return in ? m_in : m_out;
}

QSize CPictureButton::sizeHint() const
{
    if (m_in.isNull())
        return QPushButton::sizeHint();
    return m_in.size() + QSize(2 * kMargin, 2 * kMargin);
}

void CPictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QPixmap& picture = currentPicture();
    if (picture.isNull())
        return;
    const QPoint at((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    painter.drawPixmap(at + (isDown() ? QPoint(1, 1) : QPoint()), picture);
}

void CPictureButton::enterEvent(QEnterEvent* event)
{
    m_hover = true;
    update();
    QPushButton::enterEvent(event);
}

void CPictureButton::leaveEvent(QEvent* event)
{
    m_hover = false;
    update();
    QPushButton::leaveEvent(event);
}
