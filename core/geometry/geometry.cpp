#include "core/geometry/geometry.h"

#include "platform/gbk.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace platform::gdi;

double getDist(const QPoint* p, const QPoint* q)
{
    const std::int64_t dx = std::int64_t(q->x()) - p->x();
    const std::int64_t dy = std::int64_t(q->y()) - p->y();
    return std::sqrt(double(dx * dx + dy * dy));
}

double getSlope(const QPoint* p, const QPoint* q)
{
    if (q->x() == p->x())
        return 99999999.9;
    return (double(q->y()) - p->y()) / (double(q->x()) - p->x());
}

double getAngle(const QPoint* p, const QPoint* q)
{
    const double dx = double(q->x()) - p->x();
    const double dy = double(q->y()) - p->y();
    if (dx != 0 || dy == 0) {
        double a = std::atan2(double(dy), double(dx));
        if (a < 0)
            a += 6.2831852;
        return a;
    }
    return dy > 0 ? 1.5707963 : 4.7123889;
}

double getDisPtToPt(QPoint p, QPoint q)
{
    const double dx = double(q.x()) - p.x();
    const double dy = double(q.y()) - p.y();
    return std::sqrt(dx * dx + dy * dy);
}

double getDisPtToLine(QPoint p, QPoint a, QPoint b)
{
    const double toP = std::atan2(double(p.y()) - a.y(), double(p.x()) - a.x());
    const double toB = std::atan2(double(b.y()) - a.y(), double(b.x()) - a.x());
    return std::abs(getDisPtToPt(p, a) * std::sin(toP - toB));
}

int PtInRegion(QPoint p, QPoint a, QPoint b, QPoint c, QPoint d)
{
    const double w = getDisPtToPt(a, b);
    const double h = getDisPtToPt(b, c);
    if (getDisPtToLine(p, a, b) > h || getDisPtToLine(p, c, d) > h)
        return 0;
    if (getDisPtToLine(p, a, d) > w || getDisPtToLine(p, b, c) > w)
        return 0;
    return 1;
}

int ptIsLineLeft(QPoint p, QPoint a, QPoint b)
{
    double d = getAngle(&a, &p) - getAngle(&a, &b);
    if (d > 3.1415926)
        d -= 6.2831852;
    else if (d < -3.1415926)
        d += 6.2831852;
    if (d > 0.01)
        return -1;
    if (d < -0.01)
        return 1;
    return 0;
}

QPoint vesPolar(QPoint p, double angle, int length)
{
    using platform::saturatedAdd;
    using platform::saturatedInt;
    return QPoint(saturatedAdd(p.x(), saturatedInt(length * std::cos(angle) + 0.5)),
                  saturatedAdd(p.y(), saturatedInt(length * std::sin(angle) + 0.5)));
}

int deviceTextHeight(double height)
{
    constexpr int kLargest = 1000000;
    return std::clamp(platform::saturatedInt(height), -kLargest, kLargest);
}

int deviceCoordinate(double value)
{
    return std::clamp(platform::saturatedInt(value), -kDeviceCoordinateLimit,
                      kDeviceCoordinateLimit);
}

QPoint toDevice(QPoint p, double scale, int originX, int originY)
{
    return QPoint(deviceCoordinate(p.x() / scale + originX),
                  deviceCoordinate(p.y() / scale + originY));
}

namespace {

double byteWidth(unsigned char c)
{
    if (c > 127)
        return 0.75;
    if (c == '1')
        return 0.7;
    if (c >= '0' && c <= '9')
        return 0.8;
    switch (c) {
    case 'I': case '!': case '(': case ')': case '/': case '\\': case '[': case ']':
    case '-': case ',': case '.': case ';': case 'i': case 'l': case 'f': case 't':
    case 'r': case 'j':
        return 0.45;
    case 'J': return 0.6;
    case 'W': case 'M': case '@': case '%': return 1.4;
    case 'w': case 'm': case '&': return 1.1;
    case '|': return 0.3;
    default: break;
    }
    if (c >= 'A' && c <= 'Z')
        return 1.0;
    if (c >= 'a' && c <= 'z')
        return 0.75;
    return 0.8;
}

} // namespace

double getFontWidth(const QString& text)
{
    QString shown = text;
    for (const char* one : {"A", "B", "C", "D", "E"})
        shown.replace(QStringLiteral("%%") + QLatin1String(one), QStringLiteral(" "));
    for (const char* two : {"K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "W", "_", "`",
                            "a", "i", "j"})
        shown.replace(QStringLiteral("%%") + QLatin1String(two), QStringLiteral("  "));
    double width = 0.0;
    for (const char byte : platform::gbk::encode(shown))
        width += byteWidth(static_cast<unsigned char>(byte));
    return width;
}

namespace {

// A dash longer than any drawing is drawn this long (a NaN factor gives 0).
constexpr int kLongestDash = 1000000;

} // namespace

std::optional<platform::Pen> createStylePen(int style, int width, platform::COLORREF colour,
                                            double dashFactor, double fineDotGap)
{
    std::vector<double> lengths;
    switch (style) {
    case 0: return platform::Pen(PS_SOLID, width, colour);
    case 1: lengths = {32, 16}; break;
    case 2: lengths = {12, 12}; break;
    case 3: lengths = {32, 16, 4, 16}; break;
    case 4: lengths = {32, 16, 4, 16, 4, 16}; break;
    case 7: lengths = {2, fineDotGap}; break;
    default: return std::nullopt;
    }
    std::vector<std::uint32_t> dashes;
    for (double len : lengths)
        dashes.push_back(std::uint32_t(std::clamp(platform::saturatedInt(len * dashFactor), 0,
                                                  kLongestDash)));
    return platform::Pen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width,
                         platform::LogBrush{BS_SOLID, colour, 0}, std::move(dashes));
}
