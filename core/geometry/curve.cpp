#include "core/geometry/curve.h"

#include "core/geometry/geometry.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace platform::gdi;
using platform::Rect;

namespace {

constexpr double kPi = 3.1415926;
constexpr double kTwoPi = 6.2831852;
constexpr double kQuarter = 0.7853982; // a quarter of π, the step between mark strokes

// Inclusive containment: a point on the edge of a hit rectangle hits.
bool touches(Rect r, QPoint p)
{
    r.NormalizeRect();
    return p.x() >= r.left && p.x() <= r.right && p.y() >= r.top && p.y() <= r.bottom;
}

void mirrorPoint(CVes_Point& p, unsigned int flags, QPoint centre)
{
    if (flags & 1)
        p.m_x = deviceCoordinate(2.0 * centre.x() - p.m_x);
    if (flags & 2)
        p.m_y = deviceCoordinate(2.0 * centre.y() - p.m_y);
}

// The rectangle grown by d on every side, held to the int range.
Rect inflated(Rect r, int d)
{
    using platform::saturatedAdd;
    using platform::saturatedSub;
    return Rect(saturatedSub(r.left, d), saturatedSub(r.top, d), saturatedAdd(r.right, d),
                saturatedAdd(r.bottom, d));
}

// The square around a circle of radius r about c.
Rect boxAround(QPoint c, int r)
{
    using platform::saturatedAdd;
    using platform::saturatedSub;
    return Rect(saturatedSub(c.x(), r), saturatedSub(c.y(), r), saturatedAdd(c.x(), r),
                saturatedAdd(c.y(), r));
}

// Whether the arc from P1 to P2 through P3 has P3 on the side of increasing
// angles, as seen from P1.
bool startsAtFirst(QPoint p1, QPoint p2, QPoint p3)
{
    const double a1 = getAngle(&p1, &p2);
    const double a3 = getAngle(&p1, &p3);
    return (a3 > a1 && a3 - a1 < kPi) || (a3 < a1 && a1 - a3 > kPi);
}

// A perpendicular bisector: x = c when vertical, else y = k (x − mx) + my.
struct Bisector {
    bool vertical = false;
    double c = 0, k = 0, mx = 0, my = 0;
};

Bisector bisector(QPoint a, QPoint b)
{
    Bisector l;
    l.mx = (double(a.x()) + b.x()) / 2.0;
    l.my = (double(a.y()) + b.y()) / 2.0;
    if (a.y() == b.y()) {
        l.vertical = true;
        l.c = l.mx;
    } else if (a.x() == b.x()) {
        l.k = 0;
    } else {
        l.k = -1.0 / getSlope(&a, &b);
    }
    return l;
}

} // namespace

CVes_Curve::CVes_Curve(const CVes_Curve* other)
{
    set(other);
    m_groupIndex = other->m_groupIndex;
}

void CVes_Curve::set(const CVes_Curve* other)
{
    m_lineWidth = other->m_lineWidth;
    m_lineStyle = other->m_lineStyle;
    m_color = other->m_color;
    m_status = other->m_status;
    m_styleFlag = other->m_styleFlag;
    m_P1 = other->m_P1;
    m_P2 = other->m_P2;
    m_P3 = other->m_P3;
    m_type = other->m_type;
}

// stream

void CVes_Curve::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(2) << std::int32_t(m_type) << std::int32_t(m_lineWidth)
           << std::uint32_t(m_lineStyle) << std::uint32_t(m_color) << std::uint32_t(m_groupIndex);
        m_P1.Serialize(ar);
        m_P2.Serialize(ar);
        m_P3.Serialize(ar);
        return;
    }
    const int schema = ar.readSchema(1, 2);
    std::int32_t type = 0, width = 0;
    std::uint32_t style = 0, colour = 0, group = m_groupIndex;
    ar >> type >> width >> style >> colour;
    if (schema == 2)
        ar >> group;
    CVes_Point p1, p2, p3;
    p1.Serialize(ar);
    p2.Serialize(ar);
    p3.Serialize(ar);
    m_type = type;
    m_lineWidth = width;
    m_lineStyle = style;
    m_color = colour;
    m_groupIndex = group;
    m_P1 = p1;
    m_P2 = p2;
    m_P3 = p3;
}

// geometry

int CVes_Curve::getArcPt(QPoint& centre, QPoint& start, QPoint& end) const
{
    if (m_type == kLine)
        return -1;
    const QPoint p1 = m_P1.ToPoint(), p2 = m_P2.ToPoint(), p3 = m_P3.ToPoint();
    if (p1 == p2 || p1 == p3 || p2 == p3)
        return -1;
    // P3 must lie within the circle on the chord P1P2.
    const QPoint m(int((std::int64_t(p1.x()) + p2.x()) / 2),
                   int((std::int64_t(p1.y()) + p2.y()) / 2));
    if (getDisPtToPt(p1, m) < getDisPtToPt(p3, m))
        return -1;
    if (std::abs(getSlope(&p1, &p3) - getSlope(&p1, &p2)) < 0.01)
        return -1;

    const Bisector b1 = bisector(p1, p2);
    const Bisector b2 = bisector(p1, p3);
    const double k1 = b1.vertical ? 99999999.9 : b1.k;
    const double k2 = b2.vertical ? 99999999.9 : b2.k;
    if (std::abs(k1 - k2) < 0.01)
        return -1;
    double x = 0, y = 0;
    if (b1.vertical) {
        x = b1.c;
        y = b2.k * (x - b2.mx) + b2.my;
    } else if (b2.vertical) {
        x = b2.c;
        y = b1.k * (x - b1.mx) + b1.my;
    } else {
        x = (b1.k * b1.mx - b2.k * b2.mx + b2.my - b1.my) / (b1.k - b2.k);
        y = b1.k * (x - b1.mx) + b1.my;
    }
    centre = QPoint(platform::saturatedInt(x), platform::saturatedInt(y));
    if (startsAtFirst(p1, p2, p3)) {
        start = p1;
        end = p2;
    } else {
        start = p2;
        end = p1;
    }
    return platform::saturatedInt(getDisPtToPt(p1, centre));
}

bool CVes_Curve::inArcSweep(QPoint centre, QPoint start, QPoint end, QPoint p) const
{
    // The sweep runs by increasing angles; of the two ways round from one
    // end to the other it is the one that holds the third point.
    auto within = [&](QPoint from, QPoint to, QPoint q) {
        const double s = getAngle(&centre, &from);
        double e = getAngle(&centre, &to);
        if (e <= s)
            e += kTwoPi;
        const double a = getAngle(&centre, &q);
        return (a >= s && a <= e) || (a + kTwoPi >= s && a + kTwoPi <= e);
    };
    if (!within(start, end, m_P3.ToPoint()))
        std::swap(start, end);
    return within(start, end, p);
}

Rect CVes_Curve::markRect() const
{
    const QPoint a = vesPolar(m_P1.ToPoint(), 0.78539815, 20);
    const QPoint b = vesPolar(a, 3.92699075, 40);
    Rect r(a, b);
    r.NormalizeRect();
    return r;
}

void CVes_Curve::Move(QPoint offset)
{
    switch (m_type) {
    case kLine:
    case kConnectMark:
        m_P1 + offset;
        m_P2 + offset;
        break;
    case kArc:
        m_P1 + offset;
        m_P2 + offset;
        m_P3 + offset;
        break;
    case kCircle:
    case kDisc:
        m_P1 + offset;
        break;
    default:
        break;
    }
}

void CVes_Curve::LocateRect(Rect& rect)
{
    const QPoint c = m_P1.ToPoint();
    switch (m_type) {
    case kLine:
        rect = Rect(m_P1.ToPoint(), m_P2.ToPoint());
        rect.NormalizeRect();
        break;
    case kArc: {
        QPoint centre, start, end;
        const int r = getArcPt(centre, start, end);
        if (r > 0)
            rect = boxAround(centre, r);
        break;
    }
    case kCircle:
    case kDisc:
        if (m_P2.m_x > 0)
            rect = boxAround(c, m_P2.m_x);
        break;
    case kConnectMark:
        rect = markRect();
        break;
    default:
        break;
    }
    rect = inflated(rect, 3);
}

void CVes_Curve::mirror(unsigned int flags, QPoint centre)
{
    mirrorPoint(m_P1, flags, centre);
    // A circle's second point holds its radius, which mirroring keeps.
    if (m_type != kCircle && m_type != kDisc)
        mirrorPoint(m_P2, flags, centre);
    mirrorPoint(m_P3, flags, centre);
}

// hit tests

bool CVes_Curve::HitTest(QPoint p) const
{
    switch (m_type) {
    case kLine: {
        const QPoint a = m_P1.ToPoint(), b = m_P2.ToPoint();
        Rect box(a, b);
        box.NormalizeRect();
        box = inflated(box, 5);
        if (!touches(box, p))
            return false;
        const double length = getDisPtToPt(a, b);
        if (length < 0.01)
            return getDisPtToPt(p, a) <= 3.5;
        const double along = ((double(p.x()) - a.x()) * (double(b.x()) - a.x())
                              + (double(p.y()) - a.y()) * (double(b.y()) - a.y()))
            / length;
        if (along < 0 || along > length)
            return false;
        return getDisPtToLine(p, a, b) <= 5;
    }
    case kArc: {
        QPoint centre, start, end;
        const int r = getArcPt(centre, start, end);
        if (r < 0)
            return false;
        if (!touches(boxAround(centre, r), p))
            return false;
        if (std::abs(getDisPtToPt(p, centre) - r) > 8)
            return false;
        return inArcSweep(centre, start, end, p);
    }
    case kCircle: {
        const QPoint c = m_P1.ToPoint();
        const int r = m_P2.m_x;
        if (!touches(boxAround(c, r), p))
            return false;
        return std::abs(getDisPtToPt(p, c) - r) <= 8;
    }
    case kConnectMark: {
        Rect box = markRect();
        box = inflated(box, 5);
        return touches(box, p);
    }
    default:
        return false; // discs are never hit
    }
}

bool CVes_Curve::PtInCurveArea(QPoint p) const
{
    switch (m_type) {
    case kLine:
        return touches(Rect(m_P1.ToPoint(), m_P2.ToPoint()), p);
    case kArc: {
        QPoint centre, start, end;
        if (getArcPt(centre, start, end) < 0)
            return false;
        return inArcSweep(centre, start, end, p);
    }
    case kCircle:
        return true;
    case kConnectMark:
        return touches(markRect(), p);
    default:
        return false;
    }
}

int CVes_Curve::InRect(Rect r) const
{
    r.NormalizeRect();
    auto inside = [&](QPoint p) { return r.PtInRect(p); };
    auto grade = [](int in, int of) { return in == of ? 2 : in == 0 ? 0 : 1; };
    switch (m_type) {
    case kLine: {
        const QPoint a = m_P1.ToPoint(), b = m_P2.ToPoint();
        const int in = int(inside(a)) + int(inside(b));
        if (in)
            return grade(in, 2);
        const std::int64_t dx = std::int64_t(b.x()) - a.x(), dy = std::int64_t(b.y()) - a.y();
        if (dx == 0 || dy == 0)
            return 0;
        // Where the line crosses each edge, strictly within the edge.
        // from + offset × num / den in whole numbers, as wide as it needs.
        const auto cross = [](std::int64_t from, std::int64_t offset, std::int64_t num,
                              std::int64_t den) {
            const __int128 at = from + __int128(offset) * num / den;
            constexpr __int128 limit = platform::kSaturatedMax;
            return int(std::clamp(at, -limit, limit));
        };
        for (int y : {r.top, r.bottom}) {
            const int x = cross(a.x(), std::int64_t(y) - a.y(), dx, dy);
            if (x > r.left && x < r.right && PtInCurveArea(QPoint(x, y)))
                return 1;
        }
        for (int x : {r.left, r.right}) {
            const int y = cross(a.y(), std::int64_t(x) - a.x(), dy, dx);
            if (y > r.top && y < r.bottom && PtInCurveArea(QPoint(x, y)))
                return 1;
        }
        return 0;
    }
    case kArc:
        // The arc's two ends are P1 and P2 in some order.
        return grade(int(inside(m_P1.ToPoint())) + int(inside(m_P2.ToPoint())) + int(inside(m_P3.ToPoint())), 3);
    case kCircle: {
        const QPoint c = m_P1.ToPoint();
        const int rad = m_P2.m_x;
        const Rect box = boxAround(c, rad);
        const int in = int(inside(QPoint(box.left, c.y()))) + int(inside(QPoint(box.right, c.y())))
                     + int(inside(QPoint(c.x(), box.top))) + int(inside(QPoint(c.x(), box.bottom)));
        return grade(in, 4);
    }
    case kConnectMark:
        return inside(m_P1.ToPoint()) ? 2 : 0;
    default:
        return 0;
    }
}

// strokes

namespace {

// Points on the circle about `centre` of `radius` from the angle `from`
// through `sweep` (radians, signed), in chords of at most 15°.
void appendArc(StrokePoints& points, QPointF centre, double radius, double from, double sweep)
{
    const int chords = std::max(2, int(std::ceil(std::abs(sweep) / (kPi / 12))));
    for (int i = 0; i <= chords; ++i) {
        const double a = from + sweep * i / chords;
        points.emplace_back(centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a));
    }
}

// The way round from `a1` to `a2` that passes `a3`, as a signed sweep.
double sweepThrough(double a1, double a2, double a3)
{
    const auto turn = [](double a) { return std::fmod(std::fmod(a, kTwoPi) + kTwoPi, kTwoPi); };
    const double toEnd = turn(a2 - a1);
    return turn(a3 - a1) <= toEnd ? toEnd : toEnd - kTwoPi;
}

} // namespace

std::vector<StrokePoints> CVes_Curve::strokes(double scale, int originX, int originY,
                                              unsigned int mirrorFlags, QPoint mirrorCentre) const
{
    CVes_Curve shown(this);
    shown.mirror(mirrorFlags, mirrorCentre);
    const auto device = [&](QPointF p) {
        return QPointF(p.x() / scale + originX, p.y() / scale + originY);
    };
    const QPointF p1 = shown.m_P1.ToPoint(), p2 = shown.m_P2.ToPoint(), p3 = shown.m_P3.ToPoint();
    StrokePoints points;
    switch (m_type) {
    case kLine:
    case kDrawnLine:
        points = {device(p1), device(p2)};
        break;
    case kArc: {
        QPoint centre, start, end;
        if (shown.getArcPt(centre, start, end) < 0)
            break;
        const QPointF c = centre;
        const auto angle = [&](QPointF p) { return std::atan2(p.y() - c.y(), p.x() - c.x()); };
        const double a1 = angle(p1);
        appendArc(points, device(c), std::hypot(p1.x() - c.x(), p1.y() - c.y()) / scale, a1,
                  sweepThrough(a1, angle(p2), angle(p3)));
        break;
    }
    case kCircle:
    case kDisc:
        if (m_P2.m_x != 0)
            appendArc(points, device(p1), std::abs(m_P2.m_x) / scale, 0, kTwoPi);
        break;
    case kConnectMark: {
        const Rect r = shown.markRect();
        points = {device(QPointF(r.left, r.top)), device(QPointF(r.right, r.top)),
                  device(QPointF(r.right, r.bottom)), device(QPointF(r.left, r.bottom)),
                  device(QPointF(r.left, r.top))};
        break;
    }
    default:
        break;
    }
    if (points.empty())
        return {};
    return {points};
}

// drawing

void CVes_Curve::draw2(platform::Dc* dc, double scale, int originX, int originY,
                       unsigned int mirrorFlags, QPoint mirrorCentre, double widthFactor) const
{
    draw(dc, scale, originX, originY, m_color, mirrorFlags, mirrorCentre, widthFactor);
}

void CVes_Curve::draw(platform::Dc* dc, double scale, int originX, int originY,
                      platform::COLORREF colour, unsigned int mirrorFlags, QPoint mirrorCentre,
                      double widthFactor) const
{
    const long long extents = (long long)dc->GetWindowExt().height() * dc->GetViewportExt().height();
    const int ySign = extents < 0 ? -1 : 1;

    CVes_Curve shown(this);
    shown.m_subStyle = m_subStyle;
    shown.mirror(mirrorFlags, mirrorCentre);

    int style = int(m_lineStyle);
    int width = 0;
    platform::COLORREF penColour = colour;
    if (m_status & kSelected) {
        style = 2;
        width = platform::saturatedInt(m_lineWidth / scale * widthFactor);
        penColour = 0x00FFFF;
    } else {
        double w = m_lineWidth * widthFactor;
        if (m_subStyle == 4)
            w *= 6;
        else if (m_subStyle == 5)
            w *= 4;
        width = platform::saturatedInt(w);
    }
    // A style without a pen of its own is drawn solid rather than not at all.
    const platform::Pen pen = createStylePen(style, width, penColour, widthFactor)
                                  .value_or(platform::Pen(PS_SOLID, width, penColour));
    const platform::Pen oldPen = dc->SelectObject(pen);
    const int oldMode = dc->SetBkMode(TRANSPARENT);

    auto device = [&](QPoint p) { return toDevice(p, scale, originX, originY); };
    switch (m_type) {
    case kLine:
    case kDrawnLine:
        dc->MoveTo(device(shown.m_P1.ToPoint()));
        dc->LineTo(device(shown.m_P2.ToPoint()));
        break;
    case kArc: {
        QPoint centre, start, end;
        const int r = shown.getArcPt(centre, start, end);
        if (r < 0)
            break;
        const Rect around = boxAround(centre, r);
        const Rect box(device(around.TopLeft()), device(around.BottomRight()));
        // The system draws counter-clockwise on the device; a flipped y
        // axis turns the world's sense round.
        if (ySign > 0)
            dc->Arc(box, device(start), device(end));
        else
            dc->Arc(box, device(end), device(start));
        break;
    }
    case kCircle:
    case kDisc: {
        const int r = m_P2.m_x;
        if (r == 0)
            break;
        const QPoint c = shown.m_P1.ToPoint();
        auto rounded = [&](double v, int origin) {
            return deviceCoordinate(v / scale + origin + 0.5);
        };
        const Rect box(rounded(double(c.x()) - r, originX), rounded(double(c.y()) - r, originY),
                       rounded(double(c.x()) + r, originX), rounded(double(c.y()) + r, originY));
        const QPoint onCircle(box.right, (box.top + box.bottom) / 2);
        dc->Arc(box, onCircle, onCircle);
        if (m_type == kDisc) {
            const platform::Brush oldBrush = dc->SelectObject(platform::Brush(colour));
            dc->Ellipse(box);
            dc->SelectObject(oldBrush);
        }
        break;
    }
    case kConnectMark:
        drawMark(dc, shown.m_P1, shown.m_P2, scale, originX, originY, colour);
        break;
    default:
        break;
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
}

// The symbol of a connection mark: strokes, small circles and filled
// sleeves around P1, turned along P1→P2 and kept within the mark's
// rectangle (14 units about P1).
void CVes_Curve::drawMark(platform::Dc* dc, const CVes_Point& p1, const CVes_Point& p2,
                          double scale, int originX, int originY, platform::COLORREF colour) const
{
    const QPoint anchor = p1.ToPoint();
    const QPoint toward = p2.ToPoint();
    const double h = getAngle(&anchor, &toward); // along the bar
    const double n = h + 2 * kQuarter;           // across it
    auto at = [&](double angle, int length) { return vesPolar(anchor, angle, length); };
    auto device = [&](QPoint p) { return toDevice(p, scale, originX, originY); };
    auto stroke = [&](QPoint a, QPoint b) {
        dc->MoveTo(device(a));
        dc->LineTo(device(b));
    };
    auto circle = [&](QPoint c, int r) {
        const Rect around = boxAround(c, r);
        const Rect box(device(around.TopLeft()), device(around.BottomRight()));
        const QPoint onCircle(box.right, (box.top + box.bottom) / 2);
        dc->Arc(box, onCircle, onCircle);
    };
    // A sleeve: `near` and `far` half-widths at 12 units either side of P1.
    auto sleeve = [&](int nearHalf, int farHalf, const platform::Brush& fill) {
        const QPoint back = at(h + 4 * kQuarter, 11), ahead = at(h, 11);
        QPoint quad[4] = {vesPolar(back, n, nearHalf), vesPolar(ahead, n, farHalf),
                          vesPolar(ahead, n + 4 * kQuarter, farHalf), vesPolar(back, n + 4 * kQuarter, nearHalf)};
        for (QPoint& q : quad)
            q = device(q);
        dc->FillRgn(platform::Region::polygon(quad, 4), fill);
        dc->MoveTo(quad[3]);
        for (const QPoint& q : quad)
            dc->LineTo(q);
    };
    const platform::Brush solid(colour);
    const platform::Brush hatched(HS_VERTICAL, colour);
    switch (m_subStyle) {
    case 0: // no joint
        circle(anchor, 4);
        break;
    case 1: // tied lap: a stroke across the bar
        stroke(at(n, 10), at(n + 4 * kQuarter, 10));
        break;
    case 2: // flash butt weld: a cross
        stroke(at(h + kQuarter, 10), at(h + 5 * kQuarter, 10));
        stroke(at(h + 3 * kQuarter, 10), at(h + 7 * kQuarter, 10));
        break;
    case 3: // electroslag pressure weld: a cross in a circle
        stroke(at(h + kQuarter, 10), at(h + 5 * kQuarter, 10));
        stroke(at(h + 3 * kQuarter, 10), at(h + 7 * kQuarter, 10));
        circle(anchor, 6);
        break;
    case 4: // single-side lap weld: across and one diagonal
        stroke(at(n, 10), at(n + 4 * kQuarter, 10));
        stroke(anchor, at(h + kQuarter, 10));
        break;
    case 5: // double-side lap weld: across and both diagonals
        stroke(at(n, 10), at(n + 4 * kQuarter, 10));
        stroke(anchor, at(h + kQuarter, 10));
        stroke(anchor, at(h - kQuarter, 10));
        break;
    case 6: // pressed sleeve: hatched
        sleeve(6, 6, hatched);
        break;
    case 7: // taper thread coupler: a solid taper
        sleeve(7, 3, solid);
        break;
    case 8: // straight thread coupler: solid
        sleeve(6, 6, solid);
        break;
    case 9: // reversed thread at this end: a slim sleeve, barred at the near end
        sleeve(4, 4, solid);
        stroke(vesPolar(at(h + 4 * kQuarter, 9), n, 10),
               vesPolar(at(h + 4 * kQuarter, 9), n + 4 * kQuarter, 10));
        break;
    case 10: // reversed thread at the far end
        sleeve(4, 4, solid);
        stroke(vesPolar(at(h, 9), n, 10), vesPolar(at(h, 9), n + 4 * kQuarter, 10));
        break;
    default:
        break;
    }
}
