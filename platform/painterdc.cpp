#include "platform/painterdc.h"

#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace platform {

namespace {

QColor qtColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF colorRef(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

QRect scaledRect(const QRect& r, int ratio)
{
    return QRect(r.topLeft() * ratio, r.size() * ratio);
}

QRect deviceRect(const Rect& r)
{
    Rect n = r;
    n.NormalizeRect();
    return n.toQRect();
}

// The ellipse inscribed in a device box runs through the centres of its
// outer pixels, the right and bottom edges excluded.
QRectF pixelEllipse(const Rect& d)
{
    return QRectF(d.left + 0.5, d.top + 0.5, std::max(d.Width() - 1, 0), std::max(d.Height() - 1, 0));
}

// The dash patterns of the system's cosmetic styled pens, in pixels.
QList<qreal> cosmeticPattern(int style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
    }
}

// The em size of a family's characters for one pixel of cell height.
double emPerCell(const QFont& font)
{
    static QMutex lock;
    static QHash<QString, double> cache;
    const QString key = font.families().join(QLatin1Char(',')) + QString::number(font.weight());
    QMutexLocker locked(&lock);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it.value();
    QFont probe = font;
    probe.setPixelSize(100);
    const QFontMetricsF fm(probe);
    const double cell = fm.ascent() + fm.descent();
    const double ratio = cell > 0 ? 100.0 / cell : 1.0;
    cache.insert(key, ratio);
    return ratio;
}

// Fonts, as made for a device of `dpi` dots an inch (0 for none),
// numbered for the text caches below, so that a text is found by a number
// rather than by comparing fonts. A number is never given twice: what was
// kept for a font forgotten here is never found again.
int fontNumber(const QFont& font, int dpi)
{
    static QMutex lock;
    static QHash<std::pair<QFont, int>, int> numbers;
    static int last = 0;
    QMutexLocker locked(&lock);
    const std::pair<QFont, int> key(font, dpi);
    if (const auto known = numbers.constFind(key); known != numbers.cend())
        return *known;
    constexpr qsizetype kMostFonts = 256;
    if (numbers.size() >= kMostFonts)
        numbers.clear();
    numbers.insert(key, ++last);
    return last;
}

struct TextKey {
    int font; // see fontNumber
    QString text;
    bool operator==(const TextKey&) const = default;
};

struct TextKeyHash {
    size_t operator()(const TextKey& key) const { return qHashMulti(0, key.font, key.text); }
};

// The width of a text in a font, device pixels. Every paint of a page
// measures the same texts again; they are shaped once for the program.
double textAdvance(int number, const QFont& font, const QString& text)
{
    static QMutex lock;
    static std::unordered_map<TextKey, double, TextKeyHash> cache;
    TextKey key{number, text};
    {
        QMutexLocker locked(&lock);
        if (const auto known = cache.find(key); known != cache.end())
            return known->second;
    }
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    constexpr std::size_t kMostTexts = 16384;
    QMutexLocker locked(&lock);
    if (cache.size() >= kMostTexts)
        cache.clear();
    cache.emplace(std::move(key), width);
    return width;
}

// Whether a text laid out on its own draws as the painter's drawText draws
// it: one line, no tabs or breaks, no lines through or under it.
bool drawsAsLaidOut(const QFont& font, const QString& text)
{
    if (text.isEmpty() || font.underline() || font.strikeOut() || font.overline())
        return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator;
    });
}

// A text shaped in a font (`number` is its fontNumber) for a direction,
// kept so that the next paint of the same page draws it without shaping it
// again. Layouts are not shared between threads.
const QTextLayout& laidOutText(int number, const QFont& font, const QString& text, Qt::LayoutDirection direction)
{
    thread_local std::unordered_map<TextKey, std::unique_ptr<QTextLayout>, TextKeyHash> cache[2];
    auto& forDirection = cache[direction == Qt::RightToLeft];
    TextKey key{number, text};
    if (const auto known = forDirection.find(key); known != forDirection.end())
        return *known->second;
    constexpr std::size_t kMostTexts = 2048;
    if (forDirection.size() >= kMostTexts)
        forDirection.clear();
    auto layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(direction);
    layout->setTextOption(option);
    layout->setCacheEnabled(true); // keeps the shaped glyphs
    layout->beginLayout();
    layout->createLine();
    layout->endLayout();
    return *forDirection.emplace(std::move(key), std::move(layout)).first->second;
}

} // namespace

PainterDc::PainterDc(QPaintDevice* device) : m_own(std::make_unique<QPainter>(device))
{
    m_painter = m_own.get();
    readDevice(device);
}

PainterDc::PainterDc(QPainter* painter) : m_painter(painter), m_borrowed(true)
{
    m_painter->save();
    m_base = painter->transform();
    readDevice(painter->device());
}

PainterDc::PainterDc(MemoryTag, int dpiX, int dpiY, qreal pixelRatio)
    : m_own(std::make_unique<QPainter>()), m_dpiX(dpiX), m_dpiY(dpiY), m_pixelRatio(pixelRatio)
{
    m_painter = m_own.get();
    setMemory(true);
    setBitmapHandle(CreateCompatibleBitmap(1, 1));
    bitmapChanged();
}

PainterDc::~PainterDc()
{
    paintWaitingFills();
    if (m_borrowed)
        m_painter->restore();
    else if (m_painter->isActive())
        m_painter->end();
}

void PainterDc::readDevice(QPaintDevice* device)
{
    m_device = device;
    if (!device)
        return;
    m_dpiX = device->logicalDpiX();
    m_dpiY = device->logicalDpiY();
    m_pixelRatio = device->devicePixelRatioF();
    m_printing = device->devType() == QInternal::Printer || dynamic_cast<QPagedPaintDevice*>(device);
}

Rect PainterDc::deviceBounds() const
{
    if (isMemoryDc() || !m_device)
        return Dc::deviceBounds();
    return Rect(0, 0, m_device->width(), m_device->height());
}

int PainterDc::GetDeviceCaps(int index) const
{
    QPaintDevice* device = m_device;
    auto* paged = dynamic_cast<QPagedPaintDevice*>(device);
    switch (index) {
    case LOGPIXELSX: return m_dpiX;
    case LOGPIXELSY: return m_dpiY;
    case HORZRES: return device ? device->width() : 0;
    case VERTRES: return device ? device->height() : 0;
    case HORZSIZE: return device ? device->widthMM() : 0;
    case VERTSIZE: return device ? device->heightMM() : 0;
    case TECHNOLOGY: return m_printing ? DT_RASPRINTER : DT_RASDISPLAY;
    case PLANES: return 1;
    case BITSPIXEL: return device ? std::max(device->depth(), 1) : 32;
    case NUMCOLORS: return -1;
    case PHYSICALWIDTH:
        return paged ? paged->pageLayout().fullRectPixels(m_dpiX).width() : GetDeviceCaps(HORZRES);
    case PHYSICALHEIGHT:
        return paged ? paged->pageLayout().fullRectPixels(m_dpiY).height() : GetDeviceCaps(VERTRES);
    case PHYSICALOFFSETX: return paged ? paged->pageLayout().paintRectPixels(m_dpiX).left() : 0;
    case PHYSICALOFFSETY: return paged ? paged->pageLayout().paintRectPixels(m_dpiY).top() : 0;
    default: return 0;
    }
}

// painter preparation

QImage* PainterDc::targetImage() const
{
    if (isMemoryDc())
        return GetCurrentBitmap().image();
    if (m_device && m_device->devType() == QInternal::Image)
        return static_cast<QImage*>(m_device);
    return nullptr;
}

bool PainterDc::isBufferedByWindow() const
{
    // Qt paints a window into its backing store and shows that when the
    // paint event ends.
    return !m_printing && !isMemoryDc() && m_device && m_device->devType() == QInternal::Widget;
}

bool PainterDc::rasterOps() const
{
    return m_painter->paintEngine() && m_painter->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

double PainterDc::penScale() const
{
    return std::abs(scaleX());
}

void PainterDc::prepare(bool forPen)
{
    paintWaitingFills();
    m_painter->setTransform(m_base);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    if (m_state.clip)
        m_painter->setClipRect(m_state.clip->toQRect());
    else
        m_painter->setClipping(false);
    m_painter->setBackgroundMode(m_state.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter->setBackground(qtColor(m_state.bkColor));
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (forPen && rasterOps()) {
        switch (m_state.rop2) {
        case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
        case R2_NOTXORPEN: mode = QPainter::RasterOp_NotSourceXorDestination; break;
        case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
        default: break;
        }
    }
    m_painter->setCompositionMode(mode);
    m_painter->setPen(qtPen(m_state.pen));
    m_painter->setBrush(qtBrush(m_state.brush));
    if (m_state.rop2 == R2_BLACK || m_state.rop2 == R2_WHITE) {
        QPen pen = m_painter->pen();
        pen.setColor(m_state.rop2 == R2_BLACK ? Qt::black : Qt::white);
        m_painter->setPen(pen);
    }
}

QPen PainterDc::qtPen(const Pen& pen) const
{
    if (pen.isNull() || m_state.rop2 == R2_NOP)
        return QPen(Qt::NoPen);
    QPen q(qtColor(pen.color()));
    const int style = pen.lineStyle();
    const bool cosmetic = pen.isExtended() ? !pen.isGeometric() : pen.width() == 0;
    const double width = cosmetic ? 1.0 : std::max(1.0, pen.width() * penScale());
    q.setWidthF(width);
    if (cosmetic || width <= 1.0) {
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
    } else {
        const int cap = pen.style() & PS_ENDCAP_MASK;
        const int join = pen.style() & PS_JOIN_MASK;
        q.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
        q.setJoinStyle(join == PS_JOIN_BEVEL ? Qt::BevelJoin : join == PS_JOIN_MITER ? Qt::MiterJoin : Qt::RoundJoin);
    }
    if (style == PS_USERSTYLE && !pen.userStyle().empty()) {
        // Dash and gap lengths are logical units; Qt counts in pen widths.
        QList<qreal> pattern;
        const double unit = pen.isGeometric() ? penScale() : 1.0;
        for (std::uint32_t len : pen.userStyle())
            pattern << std::max(len * unit / width, 1e-3);
        if (pattern.size() % 2)
            pattern += QList<qreal>(pattern);
        q.setDashPattern(pattern);
    } else if (width <= 1.0 && !cosmeticPattern(style).isEmpty()) {
        // Styled pens dash only when one pixel wide, as on the system.
        q.setDashPattern(cosmeticPattern(style));
    }
    return q;
}

QBrush PainterDc::qtBrush(const Brush& brush) const
{
    if (brush.isNull())
        return QBrush(Qt::NoBrush);
    if (brush.isHatched()) {
        Qt::BrushStyle style = Qt::HorPattern;
        switch (brush.hatch()) {
        case HS_VERTICAL: style = Qt::VerPattern; break;
        case HS_FDIAGONAL: style = Qt::FDiagPattern; break;
        case HS_BDIAGONAL: style = Qt::BDiagPattern; break;
        case HS_CROSS: style = Qt::CrossPattern; break;
        case HS_DIAGCROSS: style = Qt::DiagCrossPattern; break;
        default: break;
        }
        return QBrush(qtColor(brush.color()), style);
    }
    return QBrush(qtColor(brush.color()));
}

// lines and shapes

bool PainterDc::LineTo(int x, int y)
{
    const QPoint from = LPtoDP(m_state.currentPosition);
    m_state.currentPosition = QPoint(x, y);
    const QPoint to = LPtoDP(QPoint(x, y));
    if (from == to || waitLine(from, to))
        return true;
    prepare(true);
    m_painter->drawLine(from, to);
    return true;
}

bool PainterDc::waitLine(QPoint from, QPoint to)
{
    // Far points (from a damaged file) are left to the painter: their
    // device pixels would not fit an int.
    constexpr int kFar = 1 << 24;
    const auto far = [](QPoint p) { return p.x() < -kFar || p.x() > kFar || p.y() < -kFar || p.y() > kFar; };
    if ((from.x() != to.x() && from.y() != to.y()) || far(from) || far(to) || m_state.rop2 != R2_COPYPEN
        || m_state.pen.isNull())
        return false;
    const int r = waitingRatio();
    // Whole device pixels only: the painter's own offset must not split one.
    if (!r || m_base.dx() * r != std::round(m_base.dx() * r) || m_base.dy() * r != std::round(m_base.dy() * r))
        return false;
    const QPen pen = qtPen(m_state.pen);
    if (pen.style() != Qt::SolidLine || pen.widthF() != 1.0)
        return false;
    // A pen of one pixel covers the pixels from the start up to the end, the
    // end excluded, and is as many device pixels thick as a pixel has,
    // centred on the line.
    const QPoint first(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    const QPoint last(std::max(from.x(), to.x()), std::max(from.y(), to.y()));
    const int half = r / 2;
    QRect pixels;
    if (from.y() == to.y())
        pixels = QRect(first.x() * r, first.y() * r - half, (last.x() - first.x()) * r, r);
    else
        pixels = QRect(first.x() * r - half, first.y() * r, r, (last.y() - first.y()) * r);
    if (m_state.clip)
        pixels &= scaledRect(m_state.clip->toQRect(), r);
    if (pixels.isEmpty())
        return true;
    useWaitingRatio(r);
    m_waitingLines.push_back({pixels, qtColor(m_state.pen.color())});
    return true;
}

bool PainterDc::Arc(const Rect& box, QPoint start, QPoint end)
{
    Rect d = box;
    LPtoDP(&d);
    d.NormalizeRect();
    const QPoint s = LPtoDP(start);
    const QPoint e = LPtoDP(end);
    const QRectF ellipse = pixelEllipse(d);
    const QPointF c = ellipse.center();
    const double a = std::max(ellipse.width() / 2, 1e-9);
    const double b = std::max(ellipse.height() / 2, 1e-9);
    // Angles of the radials on the ellipse's own parameter, counter-clockwise
    // as seen on the device (whose y runs down).
    auto angleOf = [&](QPoint p) {
        return std::atan2(-(p.y() - c.y()) / b, (p.x() - c.x()) / a) * 180.0 / M_PI;
    };
    const double from = angleOf(s);
    double sweep = angleOf(e) - from;
    while (sweep <= 1e-9)
        sweep += 360.0;
    if (sweep > 360.0)
        sweep = 360.0;
    QPainterPath path;
    path.arcMoveTo(ellipse, from);
    path.arcTo(ellipse, from, sweep);
    prepare(true);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawPath(path);
    return true;
}

bool PainterDc::Ellipse(const Rect& box)
{
    Rect d = box;
    LPtoDP(&d);
    d.NormalizeRect();
    prepare(true);
    m_painter->drawEllipse(pixelEllipse(d));
    return true;
}

bool PainterDc::Polygon(const QPoint* points, int count)
{
    if (count < 2)
        return false;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << LPtoDP(points[i]);
    prepare(true);
    m_painter->drawPolygon(poly, m_state.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return true;
}

bool PainterDc::Polyline(const QPoint* points, int count)
{
    if (count < 2)
        return false;
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << LPtoDP(points[i]);
    prepare(true);
    m_painter->drawPolyline(poly);
    return true;
}

bool PainterDc::Rectangle(const Rect& rect)
{
    Rect d = rect;
    LPtoDP(&d);
    d.NormalizeRect();
    if (waitRectangle(d))
        return true;
    prepare(true);
    // The outline runs on the last pixels inside the right and bottom edges.
    if (m_state.pen.isNull()) {
        fillDeviceRect(QRect(d.left, d.top, d.Width() - 1, d.Height() - 1), m_state.brush);
        return true;
    }
    m_painter->drawRect(QRect(d.left, d.top, d.Width() - 1, d.Height() - 1));
    return true;
}

void PainterDc::fillDeviceRect(const QRect& r, const Brush& brush)
{
    if (brush.isNull() || r.isEmpty())
        return;
    if (brush.isHatched() && m_state.bkMode == OPAQUE)
        m_painter->fillRect(r, qtColor(m_state.bkColor));
    m_painter->fillRect(r, qtBrush(brush));
}

void PainterDc::FillRect(const Rect& rect, const Brush& brush)
{
    Rect d = rect;
    LPtoDP(&d);
    // A fill paints over whatever its pen and raster mode are.
    if (!brush.isNull() && !brush.isHatched() && waitFill(deviceRect(d), brush.color()))
        return;
    prepare(false);
    fillDeviceRect(deviceRect(d), brush);
}

int PainterDc::waitingRatio() const
{
    const QPaintEngine* engine = m_painter->isActive() ? m_painter->paintEngine() : nullptr;
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice()
        || m_base.type() > QTransform::TxTranslate
        || (m_state.clip && !m_state.clip->toQRect().isValid()))
        return 0;
    const qreal ratio = engine->paintDevice()->devicePixelRatioF();
    return ratio == std::floor(ratio) && ratio >= 1 && ratio <= 16 ? int(ratio) : 0;
}

bool PainterDc::waitFill(const QRect& area, COLORREF colour)
{
    const int ratio = waitingRatio();
    if (!ratio)
        return false;
    waitDevicePixels(ratio, scaledRect(area, ratio), qtColor(colour));
    return true;
}

void PainterDc::waitDevicePixels(int ratio, QRect pixels, const QColor& colour)
{
    if (m_state.clip)
        pixels &= scaledRect(m_state.clip->toQRect(), ratio);
    if (pixels.isEmpty())
        return;
    useWaitingRatio(ratio);
    // Waiting lines were drawn after every waiting fill: this fill goes over them.
    if (!m_waitingLines.empty())
        paintWaitingFills();
    for (WaitingFill& fill : m_waitingFills)
        fill.pixels -= pixels;
    std::erase_if(m_waitingFills, [](const WaitingFill& fill) { return fill.pixels.isEmpty(); });
    // Many small fills (a page of coloured cells) gain nothing by waiting.
    constexpr std::size_t kMostWaiting = 32;
    if (m_waitingFills.size() >= kMostWaiting)
        paintWaitingFills();
    m_waitingFills.push_back({QRegion(pixels), colour});
}

void PainterDc::useWaitingRatio(int ratio)
{
    if (ratio != m_waitingRatio)
        paintWaitingFills();
    m_waitingRatio = ratio;
}

bool PainterDc::waitRectangle(const Rect& d)
{
    const Brush& brush = m_state.brush;
    if (m_state.rop2 != R2_COPYPEN || brush.isNull() || brush.isHatched())
        return false;
    if (m_state.pen.isNull())
        return waitFill(QRect(d.left, d.top, d.Width() - 1, d.Height() - 1), brush.color());
    // The pen is one pixel wide, centred on the box's outermost pixels: at
    // one device pixel a pixel it covers them, at an even number it is half
    // a pixel out of the box. At an odd number above one it is not whole
    // device pixels, and the rectangle is drawn now.
    const int r = waitingRatio();
    const QPen pen = qtPen(m_state.pen);
    if (!r || (r > 1 && r % 2) || pen.style() != Qt::SolidLine || pen.widthF() != 1.0
        || d.Width() < 3 || d.Height() < 3)
        return false;
    const int half = r / 2;
    const int one = r == 1 ? 1 : 0;
    const int right = (d.right - 1) * r;
    const int bottom = (d.bottom - 1) * r;
    const QRect outline(QPoint(d.left * r - half, d.top * r - half),
                        QPoint(right + half + one - 1, bottom + half + one - 1));
    const QRect inside(QPoint(d.left * r + half + one, d.top * r + half + one),
                       QPoint(right - half - 1, bottom - half - 1));
    // The inside waits after the outline and so takes its pixels from it.
    waitDevicePixels(r, outline, qtColor(m_state.pen.color()));
    waitDevicePixels(r, inside, qtColor(brush.color()));
    return true;
}

void PainterDc::paintWaitingFills() const
{
    if (m_waitingFills.empty() && m_waitingLines.empty())
        return;
    // Device pixels, whatever the surface's pixel ratio.
    m_painter->setTransform(QTransform::fromScale(1.0 / m_waitingRatio, 1.0 / m_waitingRatio) * m_base);
    m_painter->setClipping(false);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const WaitingFill& fill : m_waitingFills) {
        for (const QRect& r : fill.pixels)
            m_painter->fillRect(r, fill.colour);
    }
    for (const WaitingLine& line : m_waitingLines)
        m_painter->fillRect(line.pixels, line.colour);
    m_painter->setTransform(m_base);
    m_waitingFills.clear();
    m_waitingLines.clear();
}

bool PainterDc::FillRgn(const Region& region, const Brush& brush)
{
    if (region.points().size() < 3 || brush.isNull())
        return false;
    QPolygon poly;
    for (const QPoint& p : region.points())
        poly << LPtoDP(p);
    prepare(false);
    m_painter->setPen(Qt::NoPen);
    const Qt::FillRule rule = region.fillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (brush.isHatched() && m_state.bkMode == OPAQUE) {
        m_painter->setBrush(qtColor(m_state.bkColor));
        m_painter->drawPolygon(poly, rule);
    }
    m_painter->setBrush(qtBrush(brush));
    m_painter->drawPolygon(poly, rule);
    return true;
}

void PainterDc::DrawFocusRect(const Rect& rect)
{
    Rect d = rect;
    LPtoDP(&d);
    d.NormalizeRect();
    if (d.IsRectEmpty())
        return;
    prepare(false);
    QImage* image = targetImage();
    if (image && rasterOps()) {
        // Every other pixel of the outline inverted, so a second call restores.
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter->setPen(QPen(Qt::white, 1));
        QList<QPoint> dots;
        for (int x = d.left; x < d.right; x += 2) {
            dots << QPoint(x, d.top);
            if (d.bottom - 1 != d.top)
                dots << QPoint(x, d.bottom - 1);
        }
        for (int y = d.top + 2; y < d.bottom - 1; y += 2) {
            dots << QPoint(d.left, y);
            if (d.right - 1 != d.left)
                dots << QPoint(d.right - 1, y);
        }
        m_painter->drawPoints(dots.data(), int(dots.size()));
        return;
    }
    QPen pen(Qt::gray, 1, Qt::DotLine);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRect(d.left, d.top, d.Width() - 1, d.Height() - 1));
}

void PainterDc::InvertRect(const Rect& rect)
{
    if (!rasterOps())
        return;
    Rect d = rect;
    LPtoDP(&d);
    prepare(false);
    m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    m_painter->fillRect(deviceRect(d), Qt::black);
}

COLORREF PainterDc::SetPixel(int x, int y, COLORREF color)
{
    const QPoint p = LPtoDP(QPoint(x, y));
    prepare(false);
    m_painter->setPen(QPen(qtColor(color), 1));
    m_painter->drawPoint(p);
    return color;
}

COLORREF PainterDc::GetPixel(int x, int y) const
{
    paintWaitingFills();
    const QImage* image = targetImage();
    if (!image)
        return CLR_NONE;
    const QPointF at = QPointF(LPtoDP(QPoint(x, y))) * image->devicePixelRatio();
    const QPoint p(int(std::floor(at.x())), int(std::floor(at.y())));
    if (!image->valid(p))
        return CLR_NONE;
    return colorRef(image->pixel(p));
}

bool PainterDc::DrawState(QPoint at, const QImage& image, unsigned flags)
{
    if (image.isNull())
        return false;
    prepare(false);
    QImage shown = image;
    if (flags & DSS_DISABLED) {
        shown = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x) {
                const int g = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(g, g, g, qAlpha(line[x]));
            }
        }
    }
    m_painter->drawImage(LPtoDP(at), shown);
    return true;
}

// text

PainterDc::MadeFont& PainterDc::madeFont(const LogFont& lf) const
{
    const double sx = scaleX();
    const double sy = scaleY();
    const auto same = [&](const MadeFont& made) {
        return made.scaleX == sx && made.scaleY == sy && made.key == lf;
    };
    if (m_fontInUse < m_fonts.size() && same(m_fonts[m_fontInUse]))
        return m_fonts[m_fontInUse];
    const auto found = std::find_if(m_fonts.begin(), m_fonts.end(), same);
    if (found != m_fonts.end()) {
        m_fontInUse = std::size_t(found - m_fonts.begin());
        return *found;
    }
    // A page draws in a few fonts by turns: the last few made are kept.
    constexpr std::size_t kMostFonts = 8;
    if (m_fonts.size() < kMostFonts) {
        m_fontInUse = m_fonts.size();
        m_fonts.emplace_back();
    } else {
        m_fontInUse = m_nextFontSlot;
        m_nextFontSlot = (m_nextFontSlot + 1) % kMostFonts;
        if (m_fontOnPainter == m_fontInUse)
            m_fontOnPainter = kNoFont;
    }
    MadeFont& made = m_fonts[m_fontInUse];
    made = makeFont(lf);
    made.key = lf;
    made.scaleX = sx;
    made.scaleY = sy;
    return made;
}

PainterDc::MadeFont PainterDc::makeFont(const LogFont& lf) const
{
    QFont font;
    QStringList families{substituteFace(lf.lfFaceName)};
    for (const char* fallback : {"Noto Sans CJK SC", "DejaVu Sans"}) {
        const QString name = QString::fromLatin1(fallback);
        if (!families.contains(name))
            families << name;
    }
    font.setFamilies(families);
    font.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? FW_NORMAL : lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    const double sy = std::abs(scaleY());
    double em = 16.0;
    if (lf.lfHeight < 0)
        em = -lf.lfHeight * sy;
    else if (lf.lfHeight > 0)
        em = lf.lfHeight * sy * emPerCell(font);
    font.setPixelSize(std::max(1, int(std::lround(em))));
    if (lf.lfWidth != 0) {
        const QFontMetricsF fm(font);
        const double natural = fm.averageCharWidth();
        const double wanted = std::abs(lf.lfWidth) * std::abs(scaleX());
        if (natural > 0)
            font.setStretch(std::clamp(int(std::lround(wanted / natural * 100)), 1, 4000));
    }
    MadeFont made;
    made.font = font;
    QStringList drawn = substituteFamilies(lf.lfFaceName);
    for (const QString& family : families) {
        if (!drawn.contains(family))
            drawn << family;
    }
    made.drawing = font;
    made.drawing.setFamilies(drawn);
    made.number = fontNumber(made.drawing, 0);
    const QFontMetricsF fm(font);
    made.ascent = fm.ascent();
    made.descent = fm.descent();
    return made;
}

QFont PainterDc::qtFont(const LogFont& lf) const
{
    return madeFont(lf).font;
}

double PainterDc::advance(const QString& text) const
{
    const MadeFont& made = madeFont(m_state.font.logFont());
    return textAdvance(made.number, made.drawing, text);
}

QFont PainterDc::drawingFont(const LogFont& lf) const
{
    return madeFont(lf).drawing;
}

QSize PainterDc::GetTextExtent(const QString& text) const
{
    const double width = advance(text);
    const MadeFont& made = madeFont(m_state.font.logFont());
    const double height = made.ascent + made.descent;
    return QSize(int(std::lround(width / std::abs(scaleX()))), int(std::lround(height / std::abs(scaleY()))));
}

TextMetric PainterDc::GetTextMetrics() const
{
    const QFont font = qtFont(m_state.font.logFont());
    const QFontMetricsF fm(font);
    const double sx = std::abs(scaleX());
    const double sy = std::abs(scaleY());
    TextMetric tm;
    tm.tmAscent = int(std::lround(fm.ascent() / sy));
    tm.tmDescent = int(std::lround(fm.descent() / sy));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - int(std::lround(font.pixelSize() / sy)));
    tm.tmExternalLeading = int(std::lround(std::max(0.0, fm.leading()) / sy));
    tm.tmAveCharWidth = int(std::lround(fm.averageCharWidth() / sx));
    tm.tmMaxCharWidth = int(std::lround(fm.maxWidth() / sx));
    tm.tmWeight = font.weight();
    return tm;
}

void PainterDc::drawTextAt(QPoint logical, const QString& text, unsigned align, bool rotate)
{
    const LogFont& lf = m_state.font.logFont();
    // Text set from its left edge on a clear background needs no measuring.
    const bool measured = (align & TA_RIGHT) || m_state.bkMode == OPAQUE;
    const double width = measured ? advance(text) : 0;
    const MadeFont& made = madeFont(lf);
    prepare(false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_painter->translate(LPtoDP(logical));
    if (rotate && lf.lfEscapement)
        m_painter->rotate(-lf.lfEscapement / 10.0); // counter-clockwise on the device
    double x = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        x = -width / 2;
    else if (align & TA_RIGHT)
        x = -width;
    double baseline = made.ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -made.descent;
    if (m_state.bkMode == OPAQUE)
        m_painter->fillRect(QRectF(x, baseline - made.ascent, width, made.ascent + made.descent),
                            qtColor(m_state.bkColor));
    // Setting a font makes the painter look its face up again.
    if (m_fontOnPainter != m_fontInUse) {
        m_painter->setFont(made.drawing);
        m_fontOnPainter = m_fontInUse;
        m_painterFont = fontNumber(m_painter->font(), m_dpiY);
    }
    m_painter->setPen(qtColor(m_state.textColor));
    drawShaped(QPointF(x, baseline), text);
}

void PainterDc::drawShaped(QPointF baseline, const QString& text)
{
    const QFont& font = m_painter->font();
    if (!drawsAsLaidOut(font, text)) {
        m_painter->drawText(baseline, text);
        return;
    }
    const QTextLayout& layout = laidOutText(m_painterFont, font, text, m_painter->layoutDirection());
    layout.draw(m_painter, QPointF(baseline.x(), baseline.y() - layout.lineAt(0).ascent()));
}

bool PainterDc::TextOut(int x, int y, const QString& text)
{
    QPoint at(x, y);
    if (m_state.textAlign & TA_UPDATECP) {
        at = m_state.currentPosition;
        m_state.currentPosition.rx() += GetTextExtent(text).width();
    }
    drawTextAt(at, text, m_state.textAlign, true);
    return true;
}

void PainterDc::drawTextLines(const std::vector<TextLine>& lines, const Rect* clip)
{
    const std::optional<Rect> saved = m_state.clip;
    if (clip)
        IntersectClipRect(*clip);
    for (const TextLine& line : lines)
        drawTextAt(line.at, line.text, TA_LEFT | TA_TOP, false);
    m_state.clip = saved;
}

// bitmaps

std::unique_ptr<Dc> PainterDc::CreateCompatibleDC()
{
    return std::unique_ptr<Dc>(new PainterDc(MemoryTag{}, m_dpiX, m_dpiY, m_pixelRatio));
}

Bitmap PainterDc::CreateCompatibleBitmap(int width, int height) const
{
    Bitmap bitmap = Bitmap::create(int(std::ceil(width * m_pixelRatio)), int(std::ceil(height * m_pixelRatio)));
    QImage* image = bitmap.image();
    image->setDevicePixelRatio(m_pixelRatio);
    image->setDotsPerMeterX(int(std::lround(m_dpiX / 0.0254)));
    image->setDotsPerMeterY(int(std::lround(m_dpiY / 0.0254)));
    return bitmap;
}

void PainterDc::bitmapChanged()
{
    paintWaitingFills();
    m_fontOnPainter = kNoFont;
    if (m_painter->isActive())
        m_painter->end();
    QImage* image = GetCurrentBitmap().image();
    m_device = image;
    if (!image)
        return;
    m_pixelRatio = image->devicePixelRatio();
    image->setDotsPerMeterX(int(std::lround(m_dpiX / 0.0254)));
    image->setDotsPerMeterY(int(std::lround(m_dpiY / 0.0254)));
    m_painter->begin(image);
}

bool PainterDc::BitBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                       unsigned rop)
{
    return StretchBlt(x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

bool PainterDc::StretchBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                           int srcWidth, int srcHeight, unsigned rop)
{
    Rect dest(x, y, x + width, y + height);
    LPtoDP(&dest);
    prepare(false);
    const bool raster = rasterOps();
    switch (rop) {
    case BLACKNESS: m_painter->fillRect(deviceRect(dest), Qt::black); return true;
    case WHITENESS: m_painter->fillRect(deviceRect(dest), Qt::white); return true;
    case PATCOPY: fillDeviceRect(deviceRect(dest), m_state.brush); return true;
    case DSTINVERT:
        if (raster) {
            m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
            m_painter->fillRect(deviceRect(dest), Qt::black);
        }
        return raster;
    default: break;
    }
    auto* src = dynamic_cast<PainterDc*>(source);
    if (src)
        src->paintWaitingFills();
    const QImage* srcImage = src ? src->GetCurrentBitmap().image() : nullptr;
    if (!srcImage)
        return false;
    Rect from(xSrc, ySrc, xSrc + srcWidth, ySrc + srcHeight);
    src->LPtoDP(&from);
    // A flip between the two rectangles mirrors the picture.
    const bool flipX = (dest.Width() < 0) != (from.Width() < 0);
    const bool flipY = (dest.Height() < 0) != (from.Height() < 0);
    dest.NormalizeRect();
    from.NormalizeRect();
    // The source's pixels of the rectangle: it is given in the source's
    // context pixels, its bitmap may have several device pixels to each.
    const qreal ratio = srcImage->devicePixelRatio();
    const QRect pixels = QRectF(QPointF(from.left, from.top) * ratio, QSizeF(from.Width(), from.Height()) * ratio)
                             .toAlignedRect();
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    if (raster) {
        switch (rop) {
        case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; break;
        case SRCPAINT: mode = QPainter::RasterOp_SourceOrDestination; break;
        case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; break;
        case NOTSRCCOPY: mode = QPainter::RasterOp_NotSource; break;
        default: break;
        }
    } else {
        mode = QPainter::CompositionMode_SourceOver;
    }
    m_painter->setCompositionMode(mode);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, m_state.stretchBltMode == HALFTONE);
    if (flipX || flipY) {
        QImage picture = srcImage->copy(pixels).mirrored(flipX, flipY);
        picture.setDevicePixelRatio(ratio);
        m_painter->drawImage(dest.toQRect(), picture);
    } else {
        // Straight from the source: no copy of the picture on the way.
        m_painter->drawImage(QRectF(dest.toQRect()), *srcImage, QRectF(pixels));
    }
    return true;
}

} // namespace platform
