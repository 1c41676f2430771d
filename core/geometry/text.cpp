#include "core/geometry/text.h"

#include "core/geometry/geometry.h"
#include "core/geometry/steeltext.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_set>
#include <utility>

using namespace platform::gdi;

namespace {

QRectF textBounds(const platform::Dc& dc, QPointF anchor, double width, int height,
                  unsigned int align, int angle);

constexpr platform::COLORREF kStringColour = 0xFFFFFF;
constexpr platform::COLORREF kTextColour = 0xFFFF00;
constexpr platform::COLORREF kVariableColour = 0x00FFFF;

// -1 when the context's y axis points up.
int ySign(const platform::Dc& dc)
{
    return dc.GetWindowExt().height() * dc.GetViewportExt().height() < 0 ? -1 : 1;
}

using platform::saturatedInt;

QPoint mirrored(QPoint p, unsigned int flags, QPoint centre)
{
    if (flags & 1)
        p.setX(saturatedInt(2.0 * centre.x() - p.x()));
    if (flags & 2)
        p.setY(saturatedInt(2.0 * centre.y() - p.y()));
    return p;
}

// p + (dx, dy) truncated toward zero, held to the int range.
QPoint offset(QPoint p, double dx, double dy)
{
    return QPoint(saturatedInt(p.x() + dx), saturatedInt(p.y() + dy));
}

// p + (dx, dy), held to the int range.
QPoint shifted(QPoint p, int dx, int dy)
{
    return QPoint(platform::saturatedAdd(p.x(), dx), platform::saturatedAdd(p.y(), dy));
}

// A text's position, angle and alignment as drawn under mirror flags.
struct Placement {
    QPoint position;
    int angle;
    unsigned int align;
};

Placement place(const CVes_String& s, unsigned int flags, QPoint centre)
{
    // Whole turns change nothing of how a text is drawn.
    Placement p{mirrored(s.m_position.ToPoint(), flags, centre), s.m_angle % 360, s.m_align};
    if (flags & 1) {
        p.angle = -p.angle;
        if (p.align == CVes_String::kLeft)
            p.align = CVes_String::kRight;
        else if (p.align == CVes_String::kRight)
            p.align = CVes_String::kLeft;
    }
    return p;
}

// Where a text of `height` at `placement` goes out on the context: texts
// are drawn a little below their reference point.
QPoint outputPoint(const Placement& placement, int height, int sign, double scale, int originX,
                   int originY)
{
    const int half = height / 2;
    const double a = placement.angle * kDegreesToRadians;
    const int ox = int(half * std::sin(a) * 0.6);
    const int oy = int(half * std::cos(a) * 0.6);
    return {saturatedInt((double(placement.position.x()) - sign * ox) / scale + originX),
            saturatedInt((double(placement.position.y()) + sign * oy) / scale + originY)};
}

} // namespace

// CVes_String

CVes_String::CVes_String()
{
    m_color = kStringColour;
    m_status = 0;
}

void CVes_String::set(const CVes_String* other)
{
    const unsigned int status = m_status;
    *this = *other;
    m_status = status;
}

void CVes_String::Move(QPoint offset)
{
    m_position + offset;
}

void CVes_String::mirror(unsigned int flags, QPoint centre)
{
    const Placement p = place(*this, flags, centre);
    m_position.fromPoint(p.position);
    m_angle = p.angle;
    m_align = p.align;
}

void CVes_String::outline(QPoint position, const QString& shown, QPoint& p1, QPoint& p2, QPoint& p3,
                          QPoint& p4) const
{
    const double w = getFontWidth(shown);
    const double h = m_height;
    const double a = m_angle * kDegreesToRadians;
    const int dx = saturatedInt(h * std::sin(a) * 0.55);
    const int dy = saturatedInt(h * std::cos(a) * 0.55);
    const int alongX = saturatedInt(w * dy);
    const int alongY = saturatedInt(w * dx);

    p1 = position;
    p2 = position;
    switch (m_align) {
    case kCentre:
        p1 = offset(p1, -0.3 * w * h * std::cos(a), -0.3 * w * h * std::sin(a));
        [[fallthrough]];
    case kLeft:
        p1 = offset(p1, -dx * 0.5, dy * 0.5);
        p2 = shifted(p1, alongX, alongY);
        break;
    case kRight:
        p1 = offset(p1, -dx * 0.5, dy * 0.5);
        p2 = shifted(p1, -alongX, -alongY);
        break;
    default:
        break;
    }
    p3 = shifted(p2, dx, -dy);
    p4 = shifted(p1, dx, -dy);
}

void CVes_String::getOutlinePt(QPoint& p1, QPoint& p2, QPoint& p3, QPoint& p4) const
{
    outline(m_position.ToPoint(), m_text, p1, p2, p3, p4);
}

namespace {

platform::Rect boundingRect(QPoint p1, QPoint p2, QPoint p3, QPoint p4)
{
    const int left = std::min({p1.x(), p2.x(), p3.x(), p4.x()});
    const int right = std::max({p1.x(), p2.x(), p3.x(), p4.x()});
    const int top = std::min({p1.y(), p2.y(), p3.y(), p4.y()});
    const int bottom = std::max({p1.y(), p2.y(), p3.y(), p4.y()});
    return platform::Rect(left, top, right, bottom);
}

} // namespace

void CVes_String::LocateRect(platform::Rect& rect)
{
    QPoint p1, p2, p3, p4;
    getOutlinePt(p1, p2, p3, p4);
    rect = boundingRect(p1, p2, p3, p4);
}

int CVes_String::InRect(platform::Rect rect)
{
    rect.NormalizeRect();
    QPoint p[4];
    getOutlinePt(p[0], p[1], p[2], p[3]);
    int inside = 0;
    for (const QPoint& corner : p)
        inside += rect.PtInRect(corner) ? 1 : 0;
    return inside == 0 ? 0 : inside == 4 ? 2 : 1;
}

int CVes_String::HitTest(QPoint point)
{
    QPoint p1, p2, p3, p4;
    getOutlinePt(p1, p2, p3, p4);
    return PtInRegion(point, p1, p2, p3, p4);
}

// CVes_Text

CVes_Text::CVes_Text()
{
    m_color = kTextColour;
}

void CVes_Text::draw(platform::Dc* dc, platform::COLORREF colour, double scale, int originX,
                     int originY, unsigned int mirrorFlags, QPoint mirrorCentre, double widthFactor)
{
    if (!dc || !(scale > 0))
        return;
    // Hidden and unprinted texts are shown on screen, not on paper.
    if (dc->IsPrinting() && (m_print == 0 || (m_status & kHidden)))
        return;

    const Placement p = place(*this, mirrorFlags, mirrorCentre);
    if (m_status & kHighlighted)
        colour = 0x0000FF;
    else if (m_status & kHidden)
        colour = 0x00C8C8;
    else if (m_status & kSelected)
        colour = 0x00FFFF;
    if (m_print == 0)
        colour = 0xCCCC99;

    const platform::COLORREF oldColour = dc->SetTextColor(colour);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const int height = ShapeTextFrame::heightFor(deviceTextHeight(m_height / scale));
    const ShapeTextFrame::Placed placed = ShapeTextFrame::place(
        *dc, outputPoint(p, m_height, ySign(*dc), scale, originX, originY),
        [&](int h) { return writeTextWidth(dc, m_text, h, m_fontName, 0, widthFactor); }, height,
        p.align | TA_BASELINE, -p.angle);
    if (!ShapeTextFrame::rehearsing())
        writeText(dc, m_text, placed.anchor, placed.height, -p.angle, p.align | TA_BASELINE,
                  m_fontName, 0, widthFactor);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColour);
}

void CVes_Text::draw(platform::Dc* dc, double scale, int originX, int originY,
                     unsigned int mirrorFlags, QPoint mirrorCentre, double widthFactor)
{
    draw(dc, m_color, scale, originX, originY, mirrorFlags, mirrorCentre, widthFactor);
}

void CVes_Text::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(2);
        m_position.Serialize(ar);
        ar << std::int32_t(m_height) << std::int32_t(m_angle) << std::uint32_t(m_align)
           << std::uint32_t(m_color) << m_text << m_fontName << std::int32_t(m_print);
        return;
    }
    const int schema = ar.readSchema(1, 2);
    std::int32_t height = 0, angle = 0;
    std::uint32_t align = 0, colour = 0;
    QString text, fontName;
    m_position.Serialize(ar);
    ar >> height >> angle >> align >> colour >> text >> fontName;
    std::int32_t print = m_print;
    if (schema == 2)
        ar >> print;
    m_height = height;
    m_angle = angle;
    m_align = align;
    m_color = colour;
    m_text = text;
    m_fontName = fontName;
    m_print = print;
}

// CVes_Variable

CVes_Variable::CVes_Variable()
{
    m_color = kVariableColour;
}

// Member by member, as set() copies: the group index and what the last
// drawing showed stay the new item's own.
CVes_Variable::CVes_Variable(const CVes_Variable& other)
    : CVes_String(other), m_type(other.m_type), m_unit(other.m_unit), m_value(other.m_value),
      m_value2(other.m_value2), m_step(other.m_step), m_formula(other.m_formula),
      m_multi(other.m_multi)
{
    m_groupIndex = CVes_DrawObject().m_groupIndex;
}

CVes_Variable::CVes_Variable(const CVes_Variable* other) : CVes_Variable(*other) {}

CVes_Variable& CVes_Variable::operator=(const CVes_Variable& other)
{
    set(&other);
    return *this;
}

void CVes_Variable::set(const CVes_Variable* other)
{
    if (other == this)
        return;
    m_type = other->m_type;
    m_unit = other->m_unit;
    m_value = other->m_value;
    m_value2 = other->m_value2;
    m_step = other->m_step;
    m_formula = other->m_formula;
    m_position = other->m_position;
    m_text = other->m_text;
    m_height = other->m_height;
    m_angle = other->m_angle;
    m_align = other->m_align;
    m_color = other->m_color;
    m_status = other->m_status;
    m_fontName = other->m_fontName;
    m_multi = other->m_multi;
    m_print = other->m_print;
}

void CVes_Variable::setNvalue(double value)
{
    if (m_text != u"N" && m_text != u"n")
        return;
    if (value > 99
        && platform::ask(QString::fromUtf8("\n此变量N为段数,不是长度，请确定你的段数确实大于100段吗？"),
                         platform::Buttons::YesNo)
               != platform::Answer::Yes)
        return;
    m_value = value;
}

void CVes_Variable::setMutiVal(int multi)
{
    m_multi = multi;
    if (multi == 0) {
        m_value2 = m_value;
        m_step = 0.0;
    }
}

QString CVes_Variable::valueText(bool nameWhenEmpty)
{
    if (m_type == kTextKind)
        return m_formula.isEmpty() && nameWhenEmpty ? m_text : m_formula;
    if (m_type == kWholeNumber)
        return QString::asprintf("%d", saturatedInt(m_value + 0.1));

    const int start = saturatedInt(m_value + 0.5);
    const int end = saturatedInt(m_value2 + 0.5);
    const int step = saturatedInt(m_step + 0.5);
    m_multi = std::fabs(m_value - m_value2) > 0.1 && std::fabs(m_step) > 0.1 ? 1 : 0;
    const bool degrees = m_unit == kDegrees;
    if (!m_multi)
        return QString::asprintf(degrees ? "%d°" : "%d", start);
    if (Info_UserCustomShowDingChi())
        return QString::asprintf(degrees ? "%d°～%d°△%d°" : "%d～%d △%d", start, end, step);
    return QString::asprintf(degrees ? "%d°～%d°" : "%d～%d", start, end);
}

void CVes_Variable::draw(platform::Dc* dc, platform::COLORREF colour, double scale, int originX,
                         int originY, int showName, int showValue, unsigned int mirrorFlags,
                         QPoint mirrorCentre, bool nameWhenEmpty)
{
    if (dc && !ShapeTextFrame::rehearsing())
        m_drawnBox = QRect();
    if (!dc || !(scale > 0) || (m_status & kHidden) || (dc->IsPrinting() && m_print == 0))
        return;

    const int sign = ySign(*dc);
    const Placement p = place(*this, mirrorFlags, mirrorCentre);

    const bool ownFace = platform::gbk::byteLength(m_fontName) >= 4;
    const bool emphasised = m_status & kHighlighted;
    const int height = ShapeTextFrame::heightFor(
        deviceTextHeight((emphasised ? m_height * 1.2 : m_height) / scale));
    const auto fontOf = [&](int fontHeight) {
        return platform::Font::create(fontHeight, 0, -p.angle * 10, 0,
                                      emphasised ? FW_SEMIBOLD : FW_THIN, 0, 0, 0,
                                      ownFace ? GB2312_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                                      ownFace ? m_fontName : QStringLiteral("Times New Roman"));
    };
    const platform::Font font = fontOf(height);

    if (emphasised)
        colour = 0xFF00FF;
    else if (m_status & kSelected)
        colour = 0x00FFFF;
    else if (m_print == 0)
        colour = 0x00CD00;

    QString text;
    if (showName) {
        text = m_text;
        if (showValue)
            text += QString::fromUtf8("：") + valueText(nameWhenEmpty);
        else if (m_unit == kDegrees)
            text += QString::fromUtf8("°");
    } else if (showValue) {
        text = valueText(nameWhenEmpty);
    }

    const platform::Font oldFont = dc->SelectObject(font);
    const platform::COLORREF oldColour = dc->SetTextColor(colour);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const unsigned int oldAlign = dc->SetTextAlign(p.align | TA_BASELINE);
    if (!text.isEmpty()) {
        const auto widthAt = [&](int h) {
            if (h == height)
                return dc->GetTextExtent(text).width();
            const platform::Font shown = dc->SelectObject(fontOf(h));
            const int width = dc->GetTextExtent(text).width();
            dc->SelectObject(shown);
            return width;
        };
        const ShapeTextFrame::Placed placed =
            ShapeTextFrame::place(*dc, outputPoint(p, m_height, sign, scale, originX, originY),
                                  widthAt, height, p.align | TA_BASELINE, -p.angle, m_text);
        // Made smaller to clear the shape's other texts and lines.
        if (placed.height != height)
            dc->SelectObject(fontOf(placed.height));
        if (!ShapeTextFrame::rehearsing()) {
            dc->TextOut(placed.anchor, text);
            m_drawnBox = textBounds(*dc, placed.anchor, widthAt(placed.height), placed.height,
                                    p.align | TA_BASELINE, -p.angle)
                             .toAlignedRect();
        }
    }
    dc->SetTextAlign(oldAlign);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColour);
    dc->SelectObject(oldFont);

    m_drawn = showName && showValue ? kDrewNameAndValue : showValue ? kDrewValue : 0;
}

void CVes_Variable::draw(bool, platform::Dc* dc, double scale, int originX, int originY,
                         int showName, int showValue, unsigned int mirrorFlags, QPoint mirrorCentre)
{
    draw(dc, m_color, scale, originX, originY, showName, showValue, mirrorFlags, mirrorCentre);
}

void CVes_Variable::getOutLineOfVal(QPoint& p1, QPoint& p2, QPoint& p3, QPoint& p4, int withValue,
                                    unsigned int mirrorFlags, QPoint mirrorCentre) const
{
    QString shown = m_text;
    if (withValue) {
        if (m_type == kTextKind)
            shown = m_formula.isEmpty() ? m_text : m_formula;
        else if (m_drawn == kDrewNameAndValue)
            shown = m_text + u':' + QString::asprintf("%3.1f", m_value);
        else
            shown = QString::asprintf("%3.1f", m_value);
    }
    outline(mirrored(m_position.ToPoint(), mirrorFlags, mirrorCentre), shown, p1, p2, p3, p4);
}

void CVes_Variable::LocateRect(platform::Rect& rect)
{
    QPoint p1, p2, p3, p4;
    getOutLineOfVal(p1, p2, p3, p4, 1, 0, QPoint());
    rect = boundingRect(p1, p2, p3, p4);
}

bool CVes_Variable::drawnAt(QPoint point) const
{
    return !m_drawnBox.isEmpty() && m_drawnBox.contains(point);
}

int CVes_Variable::HitTest(QPoint point, unsigned int mirrorFlags, QPoint mirrorCentre) const
{
    QPoint p1, p2, p3, p4;
    getOutLineOfVal(p1, p2, p3, p4, 1, mirrorFlags, mirrorCentre);
    return PtInRegion(point, p1, p2, p3, p4);
}

void CVes_Variable::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(3);
        m_position.Serialize(ar);
        ar << std::int32_t(m_height) << std::int32_t(m_angle) << std::uint32_t(m_type)
           << std::uint32_t(m_unit) << m_value << m_value2 << m_step << std::uint32_t(m_align)
           << std::uint32_t(m_color) << m_text << m_formula << m_fontName << std::int32_t(m_print);
        return;
    }
    const int schema = ar.readSchema(1, 3);
    std::int32_t height = 0, angle = 0, print = m_print;
    std::uint32_t kind = 0, unit = 0, align = 0, colour = 0;
    double value = 0, value2 = 0, step = 0;
    QString name, formula, fontName;
    m_position.Serialize(ar);
    ar >> height >> angle >> kind >> unit >> value >> value2 >> step >> align >> colour >> name
        >> formula >> fontName;
    if (schema == 3)
        ar >> print;
    // The first files numbered the standard and the given kinds the other
    // way round.
    if (schema == 1 && (kind == kStandard || kind == kGiven))
        kind = kind == kStandard ? kGiven : kStandard;
    m_height = height;
    m_angle = angle;
    m_type = kind;
    m_unit = unit;
    // Values computed from a formula may have been stored as no number.
    m_value = platform::finiteOrZero(value);
    m_value2 = platform::finiteOrZero(value2);
    m_step = platform::finiteOrZero(step);
    m_align = align;
    m_color = colour;
    m_text = std::move(name);
    m_formula = std::move(formula);
    m_fontName = std::move(fontName);
    m_print = print;
}

// ShapeTextFrame

namespace {

thread_local ShapeTextFrame* t_frame = nullptr;

// The box, in the context's logical units, of a text `width` wide and
// `height` high drawn at `anchor` with the TA_ alignment `align` and the
// escapement `angle` (degrees, counter-clockwise).
QRectF textBounds(const platform::Dc& dc, QPointF anchor, double width, int height,
                  unsigned int align, int angle)
{
    const int h = std::abs(height);
    // The box in the text's own directions: along it from `a0`, towards the
    // bottom of its characters from `b0`.
    double a0 = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        a0 = -width / 2.0;
    else if (align & TA_RIGHT)
        a0 = -width;
    double b0 = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        b0 = -0.8 * h;
    else if (align & TA_BOTTOM)
        b0 = -h;
    const double s = ySign(dc);
    const double radians = angle * kDegreesToRadians;
    const double ux = std::cos(radians);
    const double uy = -s * std::sin(radians);
    const double vx = std::sin(radians);
    const double vy = s * std::cos(radians);
    double left = 0, right = 0, top = 0, bottom = 0;
    bool first = true;
    for (const double a : {a0, a0 + width}) {
        for (const double b : {b0, b0 + h}) {
            const double x = anchor.x() + a * ux + b * vx;
            const double y = anchor.y() + a * uy + b * vy;
            left = first ? x : std::min(left, x);
            right = first ? x : std::max(right, x);
            top = first ? y : std::min(top, y);
            bottom = first ? y : std::max(bottom, y);
            first = false;
        }
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// How far a span from `low` to `high` moves to lie within `min` … `max`:
// back from the far edge first, so that a span longer than the room keeps
// its start inside.
double shiftInto(double low, double high, int min, int max)
{
    double d = 0;
    if (high > max)
        d = max - high;
    if (low + d < min)
        d = min - low;
    return d;
}

QPoint insideBounds(const platform::Rect& bounds, QPointF anchor, const QRectF& box)
{
    const double dx = shiftInto(box.left(), box.right(), bounds.left, bounds.right);
    const double dy = shiftInto(box.top(), box.bottom(), bounds.top, bounds.bottom);
    return QPoint(saturatedInt(std::floor(anchor.x() + dx)), saturatedInt(std::floor(anchor.y() + dy)));
}

// The area of `box` that the boxes in `taken` cover.
double coveredArea(const QRectF& box, const std::vector<QRectF>& taken)
{
    double area = 0;
    for (const QRectF& other : taken) {
        const QRectF common = box.intersected(other);
        if (common.isValid())
            area += common.width() * common.height();
    }
    return area;
}

// Whether the segment from `a` to `b` meets the rectangle.
bool segmentMeets(QPointF a, QPointF b, const QRectF& r)
{
    // Most segments lie wholly to one side of the rectangle.
    if (std::max(a.x(), b.x()) < r.left() || std::min(a.x(), b.x()) > r.right()
        || std::max(a.y(), b.y()) < r.top() || std::min(a.y(), b.y()) > r.bottom())
        return false;
    // The part of the segment within each pair of edges, narrowed in turn.
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Distances are compared squared and rooted once: a shape's texts are
// weighed against its lines thousands of times a drawing.
double squaredToRect(QPointF p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return dx * dx + dy * dy;
}

double squaredToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0.0;
    const QPointF q = p - (a + d * t);
    return QPointF::dotProduct(q, q);
}

// How far the stroke passes from the rectangle; 0 when it meets it.
double strokeToRect(const StrokePoints& stroke, const QRectF& r)
{
    if (stroke.size() == 1)
        return std::sqrt(squaredToRect(stroke.front(), r));
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < stroke.size() && nearest > 0; ++i) {
        const QPointF a = stroke[i - 1];
        const QPointF b = stroke[i];
        // No nearer than the box around the segment: skipped when that is
        // already no nearer than the nearest so far.
        const double boxDx = std::max({r.left() - std::max(a.x(), b.x()), 0.0,
                                       std::min(a.x(), b.x()) - r.right()});
        const double boxDy = std::max({r.top() - std::max(a.y(), b.y()), 0.0,
                                       std::min(a.y(), b.y()) - r.bottom()});
        if (boxDx * boxDx + boxDy * boxDy >= nearest)
            continue;
        if (segmentMeets(a, b, r))
            return 0;
        nearest = std::min({nearest, squaredToRect(a, r), squaredToRect(b, r)});
        for (const QPointF& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            nearest = std::min(nearest, squaredToSegment(corner, a, b));
    }
    return std::sqrt(nearest);
}

// The stretches of the lines that meet the rectangle.
int crossingsOf(const std::vector<StrokePoints>& lines, const QRectF& r)
{
    int crossed = 0;
    for (const StrokePoints& line : lines) {
        for (std::size_t i = 1; i < line.size(); ++i)
            crossed += segmentMeets(line[i - 1], line[i], r) ? 1 : 0;
    }
    return crossed;
}

// The moves tried for a text `w` wide and `h` high that lies over another,
// as (along, across) its direction, nearest first: in steps of its height
// along and half its height across (to the other side of the line it
// stands by), as far as the bounds reach. Moves that take it out of the
// bounds are pushed back in by the caller.
std::vector<QPointF> gridMoves(double w, double h, QPointF along, QPointF across,
                               const platform::Rect& bounds)
{
    const double width = bounds.Width();
    const double height = bounds.Height();
    const double alongReach = std::abs(width * along.x()) + std::abs(height * along.y()) + w;
    const double acrossReach = std::abs(width * across.x()) + std::abs(height * across.y()) + h;
    const double alongStep = std::max(h, 1.0);
    const double acrossStep = std::max(h / 2, 1.0);
    const int alongSteps = int(std::min(alongReach / alongStep, 200.0));
    const int acrossSteps = int(std::min(acrossReach / acrossStep, 200.0));
    std::vector<QPointF> moves;
    moves.reserve(std::size_t(2 * alongSteps + 1) * std::size_t(2 * acrossSteps + 1));
    for (int i = -alongSteps; i <= alongSteps; ++i)
        for (int j = -acrossSteps; j <= acrossSteps; ++j)
            moves.push_back(along * (i * alongStep) + across * (j * acrossStep));
    return moves;
}

// The points along a stretch from `a` to `b` a text is tried beside: its
// middle, then out towards both ends in steps of at most `step`, the ends
// themselves last.
std::vector<QPointF> pointsAlong(QPointF a, QPointF b, double step)
{
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    std::vector<QPointF> points{a + d * 0.5};
    if (length <= 0)
        return points;
    const int steps = int(std::ceil(std::min(length / 2 / std::max(std::min(step, length / 4), 1.0), 50.0)));
    for (int i = 1; i <= steps; ++i) {
        const double t = std::min(0.5, 0.5 * i / steps);
        points.push_back(a + d * (0.5 - t));
        points.push_back(a + d * (0.5 + t));
    }
    return points;
}

} // namespace

// One placing of a text: the tries at its own place and elsewhere, each
// weighed by what it would lie over, and the best of them kept.
class ShapeTextFrame::Search {
public:
    Search(ShapeTextFrame& frame, const platform::Dc& dc, QPoint anchor,
           const std::function<int(int)>& width, int height, unsigned int align, int angle,
           const QString& owner)
        : m_frame(frame), m_dc(dc), m_anchor(anchor), m_width(width), m_height(height),
          m_align(align), m_angle(angle), m_owner(owner)
    {
        frame.m_asked = std::max(frame.m_asked, std::abs(height));
        const int full = std::max(std::min(std::abs(height), frame.m_highest), 1);
        const int smallest = std::clamp(frame.m_smallest, 1, std::max(full, 1));
        // The full height first, then smaller in three steps down to the
        // smallest.
        m_heights.push_back(full);
        for (int step = 1; step <= 3; ++step) {
            const int h = full - (full - smallest) * step / 3;
            if (h != m_heights.back())
                m_heights.push_back(h);
        }
        if (frame.m_outline && !owner.isEmpty()) {
            for (const Leg& leg : frame.m_outline->legs)
                (leg.names.contains(owner) ? m_ownLegs : m_otherLegs).push_back(&leg);
        }
        // A border is at least a pixel wide, and a text's place is rounded
        // to whole pixels.
        const double pixels = 2 * std::max(1 / std::abs(dc.scaleX()), 1 / std::abs(dc.scaleY()));
        m_edgeGap = std::max(1.0, std::isfinite(pixels) ? pixels : 0.0);
        m_best = {insideFrame(anchor, full), signedHeight(full)};
    }

    Placed run()
    {
        // Where it is asked for, smaller and smaller; then a dimension beside
        // its own legs, any other text along and across its own direction.
        for (const int h : m_heights) {
            if (tryAt(m_anchor, h))
                return m_best;
        }
        for (const int h : m_heights) {
            const std::vector<QPointF> moves = m_ownLegs.empty() ? alongAndAcross(h)
                                                                 : besideOwnLegs(h);
            for (const QPointF& move : moves) {
                if (tryAt(QPointF(m_anchor) + move, h))
                    return m_best;
            }
        }
        // A dimension with no clear place beside its legs: farther off, at
        // the smallest height, where it is still nearer its own legs than
        // any other (or, kept as the best of a crowded layout, at least over
        // no other text and crossed by no line).
        if (!m_ownLegs.empty()) {
            for (const QPointF& move : alongAndAcross(m_heights.back())) {
                if (tryAt(QPointF(m_anchor) + move, m_heights.back()))
                    return m_best;
            }
        }
        m_frame.m_taken.push_back(m_bestBox);
        m_frame.m_crowding.unplaced << m_owner;
        m_frame.m_crowding.overlapping += m_bestFault->covered > 0 ? 1 : 0;
        m_frame.m_crowding.crossed += m_bestFault->crossed > 0 ? 1 : 0;
        return m_best;
    }

private:
    // What a place fails of: the stretches of line that cross the text,
    // the area of other texts it lies over, and how much nearer another
    // leg it lies than its own.
    struct Fault {
        int crossed = 0;
        double covered = 0;
        double stray = 0;
        bool clear() const { return crossed == 0 && covered <= 0 && stray <= 0; }
        // Over another text is worst: neither reads.
        bool operator<(const Fault& o) const
        {
            return std::tie(covered, crossed, stray) < std::tie(o.covered, o.crossed, o.stray);
        }
    };

    int signedHeight(int h) const { return m_height < 0 ? -h : h; }
    // The text's width at the height `h`, measured once.
    double widthAt(int h) const
    {
        const auto known = m_widths.find(h);
        if (known != m_widths.end())
            return known->second;
        return m_widths[h] = m_width(signedHeight(h));
    }
    // Texts keep a little space between them and from the lines.
    static double gapAt(int h) { return std::max(1.0, h / 8.0); }

    // Where a text `h` high tried at `tried` goes to lie within the frame's
    // bounds, short of its left and right edges by half the space it keeps
    // from the shape's lines, and no less than a border: flush with a
    // cell's edge, the cell's border is drawn over the text's last strokes
    // and the clip cuts what its letters reach past their advance.
    QPoint insideFrame(QPointF tried, int h) const
    {
        const QRectF box = textBounds(m_dc, tried, widthAt(h), h, m_align, m_angle);
        // A text wider than that room is set as it was: from the left edge.
        const double room = (m_frame.m_bounds.Width() - box.width()) / 2;
        const double gap = std::clamp(std::max(m_edgeGap, gapAt(h) / 2), 0.0, std::max(room, 0.0));
        return insideBounds(m_frame.m_bounds, tried, box.adjusted(-gap, 0, gap, 0));
    }

    static double nearest(const std::vector<const Leg*>& legs, const QRectF& box)
    {
        double d = std::numeric_limits<double>::infinity();
        for (const Leg* leg : legs)
            d = std::min(d, strokeToRect(leg->points, box));
        return d;
    }

    // A straight stretch of one of the text's own legs, from `start` along
    // `u` for `length`; whether the bar ends at its start or its end (a
    // free end of the leg), and whether it is one of an arc's short chords.
    struct Stretch {
        QPointF start;
        QPointF end;
        QPointF u;
        double length;
        bool freeStart;
        bool freeEnd;
        bool chord;
    };

    // Calls `visit` with every stretch of the own legs, in order, until it
    // answers false.
    template <typename Visit> void forEachOwnStretch(const Visit& visit) const
    {
        for (const Leg* leg : m_ownLegs) {
            const StrokePoints& p = leg->points;
            for (std::size_t i = 1; i < p.size(); ++i) {
                const QPointF d = p[i] - p[i - 1];
                const double length = std::hypot(d.x(), d.y());
                if (length <= 0)
                    continue;
                if (!visit({p[i - 1], p[i], d / length, length, i == 1 && leg->freeStart,
                            i + 1 == p.size() && leg->freeEnd, p.size() > 2}))
                    return;
            }
        }
    }

    // How far the text lies past the ends of the nearest stretch of its own
    // legs, along it: 0 when it stands beside one (a text beyond a leg's
    // end, off the corner it turns, reads as the next leg's as well).
    double pastOwnLegs(const QRectF& box) const
    {
        double least = std::numeric_limits<double>::infinity();
        forEachOwnStretch([&](const Stretch& s) {
            double low = std::numeric_limits<double>::infinity();
            double high = -low;
            for (const QPointF& corner :
                 {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
                const double t = QPointF::dotProduct(corner - s.start, s.u);
                low = std::min(low, t);
                high = std::max(high, t);
            }
            // Beyond a free end of the bar a text still reads as the
            // side's: the stretch runs on there.
            const double from = s.freeStart ? low : 0.0;
            const double to = s.freeEnd ? high : s.length;
            // Overlapping the stretch by a little is no standing beside it.
            const double overlap = std::min(high, to) - std::max(low, from);
            const double needed = std::min(to - from, high - low) / 4;
            least = std::min(least, std::max(0.0, needed - overlap));
            return least > 0;
        });
        return least <= 0 ? 0 : least;
    }

    // What a place fails of, weighed only as far as it takes to know that
    // it is no clear place and, where the best is kept, no better than the
    // best: most places a crowded shape tries fail on the first count.
    std::optional<Fault> faultOf(const QRectF& box, int h, bool keepsBest) const
    {
        const double gap = gapAt(h);
        const QRectF spaced = box.adjusted(-gap, -gap, gap, gap);
        Fault fault;
        fault.covered = coveredArea(spaced, m_frame.m_taken);
        if (m_frame.m_outline)
            fault.crossed = crossingsOf(m_frame.m_outline->lines, spaced);
        const bool clearSoFar = fault.clear();
        const auto worseThanBest = [&] {
            return m_bestFault && !(fault < *m_bestFault);
        };
        if (!clearSoFar && (!keepsBest || worseThanBest()))
            return std::nullopt;
        if (m_ownLegs.empty() || m_otherLegs.empty())
            return fault;
        // Past its own legs is the cheaper part of straying: when that
        // alone already fails, the rest need not be weighed.
        fault.stray = pastOwnLegs(box);
        if (fault.stray > 0 && (!keepsBest || worseThanBest()))
            return std::nullopt;
        fault.stray += std::max(0.0, nearest(m_ownLegs, box) - nearest(m_otherLegs, box));
        return fault;
    }

    bool tryAt(QPointF tried, int h)
    {
        const double w = widthAt(h);
        const QPoint at = insideFrame(tried, h);
        // Moves past the bounds are pushed back onto the same places: a
        // place weighs the same every time until a text is placed.
        const std::uint64_t key = (std::uint64_t(std::uint32_t(at.x())) << 32) | std::uint32_t(at.y());
        if (!m_tried[h].insert(key).second)
            return false;
        const QRectF box = textBounds(m_dc, at, w, h, m_align, m_angle);
        const bool keepsBest = h == m_heights.back();
        const std::optional<Fault> fault = faultOf(box, h, keepsBest);
        if (!fault)
            return false;
        if (keepsBest && (!m_bestFault || *fault < *m_bestFault)) {
            m_best = {at, signedHeight(h)};
            m_bestBox = box;
            m_bestFault = fault;
        }
        if (!fault->clear())
            return false;
        m_frame.m_taken.push_back(box);
        m_best = {at, signedHeight(h)};
        return true;
    }

    static void sortNearestFirst(std::vector<QPointF>& moves)
    {
        std::stable_sort(moves.begin(), moves.end(), [](const QPointF& a, const QPointF& b) {
            return QPointF::dotProduct(a, a) < QPointF::dotProduct(b, b);
        });
    }

    // The moves from the text's own place, at height `h`, along and across
    // its own direction, nearest first.
    std::vector<QPointF> alongAndAcross(int h) const
    {
        const double radians = m_angle * kDegreesToRadians;
        const double s = ySign(m_dc);
        const QPointF along(std::cos(radians), -s * std::sin(radians));
        const QPointF across(std::sin(radians), s * std::cos(radians));
        std::vector<QPointF> moves = gridMoves(widthAt(h), h, along, across, m_frame.m_bounds);
        sortNearestFirst(moves);
        return moves;
    }

    // The moves from the text's own place, at height `h`, that put it
    // beside one of its own legs, on either side and at points along it,
    // nearest first.
    std::vector<QPointF> besideOwnLegs(int h) const
    {
        std::vector<QPointF> moves;
        const QRectF box = textBounds(m_dc, m_anchor, widthAt(h), h, m_align, m_angle);
        const QPointF centre = box.center();
        const double gap = gapAt(h) + 1;
        // From a point of a leg to the centre of the box beside it in the
        // direction `n`: as far out as the box's own half-extent, and a gap.
        const auto outwards = [&](QPointF n) {
            return n * (gap + box.width() / 2 * std::abs(n.x()) + box.height() / 2 * std::abs(n.y()));
        };
        forEachOwnStretch([&](const Stretch& s) {
            const QPointF normal(-s.u.y(), s.u.x());
            // An arc's short chords are tried at their middles only.
            std::vector<QPointF> points =
                s.chord ? std::vector{s.start + (s.end - s.start) * 0.5}
                        : pointsAlong(s.start, s.end, h);
            // A text longer than the side also flush with either end of
            // it, running on past the other.
            const double extent =
                (box.width() * std::abs(s.u.x()) + box.height() * std::abs(s.u.y())) / 2;
            if (!s.chord && 2 * extent > s.length) {
                points.push_back(s.start + s.u * extent);
                points.push_back(s.end - s.u * extent);
            }
            for (const QPointF& on : points) {
                for (const double side : {1.0, -1.0})
                    moves.push_back(on + outwards(normal * side) - centre);
            }
            // In line with the side beyond a free end of the bar.
            if (s.freeStart)
                moves.push_back(s.start + outwards(-s.u) - centre);
            if (s.freeEnd)
                moves.push_back(s.end + outwards(s.u) - centre);
            return true;
        });
        sortNearestFirst(moves);
        return moves;
    }

    ShapeTextFrame& m_frame;
    const platform::Dc& m_dc;
    QPoint m_anchor;
    const std::function<int(int)>& m_width;
    mutable std::map<int, int> m_widths;
    // The places tried at each height.
    std::map<int, std::unordered_set<std::uint64_t>> m_tried;
    int m_height;
    unsigned int m_align;
    int m_angle;
    QString m_owner;
    std::vector<int> m_heights;
    std::vector<const Leg*> m_ownLegs;
    std::vector<const Leg*> m_otherLegs;
    Placed m_best;
    QRectF m_bestBox;
    std::optional<Fault> m_bestFault;
    // The least room a text keeps from the frame's left and right edges.
    double m_edgeGap = 0;
};

ShapeTextFrame::ShapeTextFrame(int minimumHeight, const platform::Rect& bounds, int smallestHeight)
    : m_minimum(std::max(minimumHeight, 0)),
      m_smallest(smallestHeight < 0 ? m_minimum : std::min(smallestHeight, m_minimum)),
      m_bounds(bounds), m_outer(t_frame), m_highest(std::numeric_limits<int>::max())
{
    m_bounds.NormalizeRect();
    t_frame = this;
}

ShapeTextFrame::~ShapeTextFrame()
{
    t_frame = m_outer;
}

ShapeTextFrame::OutlineScope::OutlineScope(Outline outline)
    : m_frame(t_frame), m_outline(std::move(outline))
{
    if (!m_frame)
        return;
    m_outer = m_frame->m_outline;
    m_frame->m_outline = &m_outline;
}

ShapeTextFrame::OutlineScope::~OutlineScope()
{
    if (m_frame)
        m_frame->m_outline = m_outer;
}

const ShapeTextFrame* ShapeTextFrame::current()
{
    return t_frame;
}

int ShapeTextFrame::heightFor(int height)
{
    if (!t_frame || std::abs(height) >= t_frame->m_minimum)
        return height;
    return height < 0 ? -t_frame->m_minimum : t_frame->m_minimum;
}

QPoint ShapeTextFrame::keptInside(const platform::Dc& dc, QPoint anchor, int width, int height,
                                  unsigned int align, int angle)
{
    if (!t_frame)
        return anchor;
    return insideBounds(t_frame->m_bounds, anchor,
                        textBounds(dc, anchor, width, height, align, angle));
}

ShapeTextFrame::Placed ShapeTextFrame::place(const platform::Dc& dc, QPoint anchor,
                                             const std::function<int(int)>& width, int height,
                                             unsigned int align, int angle, const QString& owner)
{
    if (!t_frame)
        return {anchor, height};
    return Search(*t_frame, dc, anchor, width, height, align, angle, owner).run();
}

bool ShapeTextFrame::rehearsing()
{
    return t_frame && t_frame->m_rehearsing;
}

bool ShapeTextFrame::Crowding::operator<(const Crowding& other) const
{
    return std::tuple(overlapping, crossed, unplaced.size())
           < std::tuple(other.overlapping, other.crossed, other.unplaced.size());
}

ShapeTextFrame::Crowding ShapeTextFrame::rehearse(const std::function<void()>& drawTexts)
{
    ShapeTextFrame* frame = t_frame;
    if (!frame)
        return {};
    const std::vector<QRectF> before = frame->m_taken;
    std::optional<int> last;
    for (const int cap : {std::numeric_limits<int>::max(), frame->m_minimum, frame->m_smallest}) {
        // No text asked for more than the cap: the rehearsal would repeat.
        if (last && (cap >= *last || cap >= frame->m_asked))
            continue;
        last = cap;
        frame->m_taken = before;
        frame->m_highest = cap;
        frame->m_asked = 0;
        frame->m_crowding = {};
        frame->m_rehearsing = true;
        drawTexts();
        frame->m_rehearsing = false;
        if (frame->m_crowding.clear())
            break;
    }
    frame->m_taken = before;
    return std::exchange(frame->m_crowding, {});
}

void ShapeTextFrame::layOut(const std::function<void()>& drawTexts)
{
    rehearse(drawTexts);
    drawTexts();
}
