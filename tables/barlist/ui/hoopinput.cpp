#include "tables/barlist/ui/hoopinput.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace hoopinput {

int clampInt(double value)
{
    if (!std::isfinite(value))
        return 0;
    return int(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

int wholeNumber(const QString& text, int limit)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::clamp(value, 0, limit) : 0;
}

} // namespace hoopinput
