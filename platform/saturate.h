#pragma once
// Conversions that stay defined whatever the value: drawing and length code
// turn doubles read from files or typed by the user into ints, and a value
// beyond the int range must give the nearest int, never undefined behaviour.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace platform {

// The value truncated toward zero and held to the int range; 0 for NaN.
inline int saturatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(value), lo, hi));
}

// a + b, a - b and a × b held to the int range.
inline int saturatedAdd(int a, int b)
{
    return int(std::clamp<std::int64_t>(std::int64_t(a) + b, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

inline int saturatedSub(int a, int b)
{
    return int(std::clamp<std::int64_t>(std::int64_t(a) - b, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

inline int saturatedMul(int a, int b)
{
    return int(std::clamp<std::int64_t>(std::int64_t(a) * b, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

} // namespace platform
