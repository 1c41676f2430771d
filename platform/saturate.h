#pragma once
// Conversions that stay defined whatever the value: drawing and length code
// turn doubles read from files or typed by the user into ints, and a value
// beyond the int range must give the nearest int, never undefined behaviour.
// Results are held to ±INT_MAX, so that negating them or taking their
// absolute value is defined too.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
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

// a × b × … held to ±INT64_MAX: counts of bars, groups and pieces, each
// within int, multiply past 64 bits only together.
inline std::int64_t saturatedProduct(std::initializer_list<std::int64_t> factors)
{
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    std::int64_t product = 1;
    for (const std::int64_t f : factors) {
        std::int64_t next = 0;
        if (__builtin_mul_overflow(product, f, &next))
            return (product < 0) != (f < 0) ? -most : most;
        product = next;
    }
    return product;
}

} // namespace platform
