#include "tables/framework/lengthtext.h"

#include <cmath>

namespace lengthtext {

long long roundHalfUp(double x)
{
    constexpr double kLimit = 9.0e18;
    const double shifted = x + 0.5;
    return std::isfinite(shifted) && std::fabs(shifted) < kLimit ? (long long)shifted : 0;
}

QString number(double value, bool metres)
{
    return metres ? QString::asprintf("%.2f", value) : QString::number(roundHalfUp(value));
}

QString rangeText(double first, double last, double step, bool metres)
{
    return number(first, metres) + QStringLiteral("～") + number(last, metres)
        + QStringLiteral("\n等差:") + number(step, metres);
}

} // namespace lengthtext
