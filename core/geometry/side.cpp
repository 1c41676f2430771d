#include "core/geometry/side.h"

#include "core/geometry/connect.h"
#include "core/geometry/geometry.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/saturate.h"

#include <cmath>
#include <vector>

using namespace platform::gdi;

CVes_Side::CVes_Side()
{
    m_subStyle = 8;
    m_text = QStringLiteral("1");
    m_count = 1;
    m_flag = 1;
}

CVes_Side::CVes_Side(const CVes_Side* other) : CVes_Side()
{
    CVes_Curve::set(other);
    m_angle = other->m_angle;
    m_length = other->m_length;
    m_bendDirection = other->m_bendDirection;
    m_angleText = other->m_angleText;
    m_lengthText = other->m_lengthText;
    m_flag = other->m_flag;
}

void CVes_Side::set(const CVes_Side* other)
{
    CVes_Curve::set(other);
    m_angle = other->m_angle;
    m_length = other->m_length;
    m_bendDirection = other->m_bendDirection;
    m_angleText = other->m_angleText;
    m_lengthText = other->m_lengthText;
    m_lineStyle = other->m_lineStyle;
    m_subStyle = other->m_subStyle;
    m_text = other->m_text;
    m_count = other->m_count;
    m_flag = other->m_flag;
}

void CVes_Side::Serialize(platform::Archive& ar)
{
    CVes_Curve::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::int32_t(2) << m_angle << std::int32_t(m_length) << std::int32_t(m_bendDirection)
           << m_angleText << m_lengthText;
        if (m_type == kConnectMark)
            ar << std::int32_t(m_subStyle) << std::int32_t(m_count) << m_text;
        return;
    }
    const int schema = ar.readSchema(1, 2);
    double angle = 0;
    std::int32_t length = 0, bend = 0;
    QString angleText, lengthText;
    ar >> angle >> length >> bend >> angleText >> lengthText;
    // The angle is the one last computed from the side's formula.
    m_angle = platform::finiteOrZero(angle);
    m_length = length;
    m_bendDirection = bend;
    m_angleText = angleText;
    m_lengthText = lengthText;
    // Sides are always shown red, connection marks yellow.
    m_color = 0x0000FF;
    if (schema == 2 && m_type == kConnectMark) {
        std::int32_t subStyle = 0, count = 0;
        QString text;
        ar >> subStyle >> count >> text;
        m_subStyle = subStyle;
        m_count = count;
        m_text = text;
        m_color = 0x00FFFF;
    }
}

QPoint CVes_Side::getRealStart(double, int, int, unsigned int mirrorFlags, QPoint mirrorCentre,
                               int start) const
{
    CVes_Curve shown(this);
    shown.mirror(mirrorFlags, mirrorCentre);
    return start ? shown.m_P1.ToPoint() : shown.m_P2.ToPoint();
}

double CVes_Side::getTangent(int end) const
{
    if (m_type != kArc)
        return 0.0;
    QPoint centre, start, last;
    if (getArcPt(centre, start, last) < 0)
        return -1.0;
    const QPoint at = end == 1 ? m_P1.ToPoint() : m_P2.ToPoint();
    // The bar runs from P1 through P3 to P2: the tangent turns a quarter
    // from the radius, the way the arc runs.
    const double radius = getAngle(&centre, &at);
    return start == m_P1.ToPoint() ? radius - 1.5707963 : radius + 1.5707963;
}

// end marks

namespace {

// The round bend of a hook bent back: a half circle 40 units across from `s`
// to the point 40 units away in direction `d`, bulging away from the bar
// (against `h`, the bar's direction at this end), in short strokes.
void appendHookBend(std::vector<QPoint>& chain, QPoint s, double h, double d)
{
    constexpr int kSteps = 8;
    constexpr double kRadius = 20.0;
    const double cx = s.x() + kRadius * std::cos(d);
    const double cy = s.y() + kRadius * std::sin(d);
    for (int i = 1; i <= kSteps; ++i) {
        const double t = 3.1415926 * i / kSteps;
        const double x = cx - kRadius * (std::cos(d) * std::cos(t) + std::cos(h) * std::sin(t));
        const double y = cy - kRadius * (std::sin(d) * std::cos(t) + std::sin(h) * std::sin(t));
        chain.emplace_back(int(std::lround(x)), int(std::lround(y)));
    }
}

} // namespace

std::vector<QPoint> CVes_Side::markChain(bool atStart, unsigned int mirrorFlags,
                                         QPoint mirrorCentre, unsigned int markFlags) const
{
    if (!(markFlags & (kStraightHook | kHook45 | kHookBack)))
        return {};
    CVes_Side shown(this);
    shown.mirror(mirrorFlags, mirrorCentre);
    const QPoint p1 = shown.m_P1.ToPoint(), p2 = shown.m_P2.ToPoint();
    const QPoint s = atStart ? p1 : p2;
    double h = 0;
    if (m_type == kArc)
        h = atStart ? shown.getTangent(1) : shown.getTangent(2) + 3.1415926;
    else
        h = atStart ? getAngle(&p1, &p2) : getAngle(&p2, &p1);
    const double d = (markFlags & kTurnNegative) ? h - 1.5707963
                   : (markFlags & kTurnPositive) ? h + 1.5707963 : h;

    std::vector<QPoint> chain{s};
    if ((markFlags & kHookBack) && d != h) {
        appendHookBend(chain, s, h, d);
        chain.push_back(vesPolar(chain.back(), h, 60));
    } else if (markFlags & kHookBack) {
        chain.push_back(vesPolar(s, d, 40));
        chain.push_back(vesPolar(chain.back(), h, 60));
    } else if (markFlags & kHook45) {
        const double turn = (markFlags & kTurnNegative) ? h - 0.78539815
                          : (markFlags & kTurnPositive) ? h + 0.78539815 : h;
        chain.push_back(vesPolar(s, d, 20));
        chain.push_back(vesPolar(chain.back(), turn, 60));
    } else {
        chain.push_back(vesPolar(s, d, 60));
    }
    return chain;
}

StrokePoints CVes_Side::markStroke(bool atStart, double scale, int originX, int originY,
                                   unsigned int mirrorFlags, QPoint mirrorCentre,
                                   unsigned int markFlags) const
{
    StrokePoints points;
    for (const QPoint& p : markChain(atStart, mirrorFlags, mirrorCentre, markFlags))
        points.push_back(toDevice(p, scale, originX, originY));
    return points;
}

void CVes_Side::drawMarks(platform::Dc* dc, bool atStart, double scale, double widthFactor,
                          platform::COLORREF colour, int originX, int originY,
                          unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int markFlags) const
{
    const std::vector<QPoint> chain = markChain(atStart, mirrorFlags, mirrorCentre, markFlags);
    if (chain.empty())
        return;
    const int style = m_styleFlag ? int(m_lineStyle) : 1;
    const int width = platform::saturatedInt(widthFactor * m_lineWidth);
    const platform::Pen pen = createStylePen(style, width, colour, widthFactor)
                                  .value_or(platform::Pen(PS_SOLID, width, colour));
    const platform::Pen oldPen = dc->SelectObject(pen);
    dc->MoveTo(toDevice(chain.front(), scale, originX, originY));
    for (std::size_t i = 1; i < chain.size(); ++i)
        dc->LineTo(toDevice(chain[i], scale, originX, originY));
    dc->SelectObject(oldPen);
}

void CVes_Side::drawStart(platform::Dc* dc, double scale, double widthFactor,
                          platform::COLORREF colour, int originX, int originY,
                          unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int markFlags) const
{
    drawMarks(dc, true, scale, widthFactor, colour, originX, originY, mirrorFlags, mirrorCentre, markFlags);
}

void CVes_Side::drawEnd(platform::Dc* dc, double scale, double widthFactor,
                        platform::COLORREF colour, int originX, int originY,
                        unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int markFlags) const
{
    drawMarks(dc, false, scale, widthFactor, colour, originX, originY, mirrorFlags, mirrorCentre, markFlags);
}

void CVes_Side::drawStart(platform::Dc* dc, double scale, double widthFactor, int originX,
                          int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                          unsigned int markFlags) const
{
    drawMarks(dc, true, scale, widthFactor, m_color, originX, originY, mirrorFlags, mirrorCentre, markFlags);
}

void CVes_Side::drawEnd(platform::Dc* dc, double scale, double widthFactor, int originX,
                        int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                        unsigned int markFlags) const
{
    drawMarks(dc, false, scale, widthFactor, m_color, originX, originY, mirrorFlags, mirrorCentre, markFlags);
}

// connection symbols

void CVes_Side::drawConnect(const CVes_Connect& connect, bool atStart, platform::Dc* dc,
                            double scale, double widthFactor, platform::COLORREF colour,
                            int originX, int originY, unsigned int mirrorFlags,
                            QPoint mirrorCentre) const
{
    CVes_Curve mark;
    mark.m_type = kConnectMark;
    mark.m_P1 = atStart ? m_P1 : m_P2;
    mark.m_P2 = atStart ? m_P2 : m_P1;
    mark.m_subStyle = connect.type;
    if (connect.type == 8) {
        // A reversed thread at this end, or at the far end.
        if (connect.direction == 0)
            mark.m_subStyle = 9;
        else if (connect.farDirection == 0)
            mark.m_subStyle = 10;
    }
    mark.m_flag = connect.flag;
    mark.draw(dc, scale, originX, originY, colour, mirrorFlags, mirrorCentre, widthFactor);
}

void CVes_Side::drawStartConnect(const CVes_Connect& connect, platform::Dc* dc, double scale,
                                 double widthFactor, platform::COLORREF colour, int originX,
                                 int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                                 unsigned int) const
{
    drawConnect(connect, true, dc, scale, widthFactor, colour, originX, originY, mirrorFlags, mirrorCentre);
}

void CVes_Side::drawEndConnect(const CVes_Connect& connect, platform::Dc* dc, double scale,
                               double widthFactor, platform::COLORREF colour, int originX,
                               int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                               unsigned int) const
{
    drawConnect(connect, false, dc, scale, widthFactor, colour, originX, originY, mirrorFlags, mirrorCentre);
}
