#pragma once
// Conversions that stay defined whatever the value: drawing and length code
// turn doubles read from files or typed by the user into ints, and a value
// beyond the int range must give the nearest int, never undefined behaviour.
// Results are held to ±INT_MAX, so that negating them or taking their
// absolute value is defined too.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace platform {

constexpr int kSaturatedMax = std::numeric_limits<int>::max();

// The value truncated toward zero and held to ±INT_MAX; 0 for NaN.
inline int saturatedInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = kSaturatedMax;
    return int(std::clamp(std::trunc(value), -limit, limit));
}

inline int saturatedInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, -kSaturatedMax, kSaturatedMax));
}

// The value as a float, held to the float range; NaN stays NaN.
inline float saturatedFloat(double value)
{
    constexpr double limit = std::numeric_limits<float>::max();
    return std::isnan(value) ? float(value) : float(std::clamp(value, -limit, limit));
}

// a + b, a − b and a × b held to ±INT_MAX.
inline int saturatedAdd(int a, int b) { return saturatedInt(std::int64_t(a) + b); }
inline int saturatedSub(int a, int b) { return saturatedInt(std::int64_t(a) - b); }
inline int saturatedMul(int a, int b) { return saturatedInt(std::int64_t(a) * b); }

} // namespace platform
