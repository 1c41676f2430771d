#include "envora/rules.h"

#include "envora/settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

using envora::LengthRules;

namespace {

// A diameter matches a table row within this much, so that a float 5.5
// finds the row 5.5.
constexpr double kSameDiameter = 0.001;
// The tables by diameter fall back to the 400 MPa multiples for a diameter
// they do not list.
constexpr int kFallbackFamily = 2;

const LengthRules& rulesOf(const envora::Settings& s, bool stirrup)
{
    return stirrup ? s.gu : s.steel;
}

template <typename Rows>
auto findDiameter(const Rows& rows, float d) -> decltype(&rows.front())
{
    if (!std::isfinite(d))
        return nullptr;
    for (const auto& row : rows)
        if (std::abs(row.d - double(d)) < kSameDiameter)
            return &row;
    return nullptr;
}

bool usableDiameter(float d)
{
    return std::isfinite(d) && d > 0.0f;
}

// The value of a bend-adjustment row at a bend angle: 0 at 0°, linear
// between the table's angles, the last column beyond 180°. The direction of
// the bend does not matter.
template <typename Row>
double interpolateBend(const Row& values, int bendAngle)
{
    const double b = std::abs(double(bendAngle));
    const auto& angles = envora::kBendTableAngles;
    if (b >= angles.back())
        return values.back();
    double prevAngle = 0.0;
    double prevValue = 0.0;
    for (size_t i = 0; i < angles.size(); ++i) {
        if (b <= angles[i]) {
            const double t = (b - prevAngle) / (angles[i] - prevAngle);
            return prevValue + t * (values[i] - prevValue);
        }
        prevAngle = angles[i];
        prevValue = values[i];
    }
    return values.back();
}

double bendDiameter(bool stirrup, int grade, int angle)
{
    const envora::Settings& s = envora::currentSettings();
    return rulesOf(s, stirrup).bendDiameter[envora::gradeFamily(grade)][envora::hookColumn(angle)];
}

double straightAfterHook(bool stirrup, int angle)
{
    const envora::Settings& s = envora::currentSettings();
    return rulesOf(s, stirrup).straightAfterHook[envora::hookColumn(angle)];
}

double hookIncrement(bool stirrup, int angle, int grade)
{
    const envora::Settings& s = envora::currentSettings();
    return rulesOf(s, stirrup).hookIncrement[envora::gradeFamily(grade)][envora::hookColumn(angle)];
}

double hookIncrementDN(bool stirrup, int angle, float d)
{
    const envora::Settings& s = envora::currentSettings();
    const LengthRules& r = rulesOf(s, stirrup);
    const int column = envora::hookColumn(angle);
    if (const auto* row = findDiameter(r.byDiameter, d))
        return row->hookIncrement[column];
    if (!usableDiameter(d))
        return 0.0;
    const double h = r.hookIncrement[kFallbackFamily][column];
    return h >= 75.0 ? h : std::round(h * d);
}

double bendAdjust(bool stirrup, int bendAngle, int grade)
{
    const envora::Settings& s = envora::currentSettings();
    return interpolateBend(rulesOf(s, stirrup).bendAdjust[envora::gradeFamily(grade)], bendAngle);
}

double bendAdjustDN(bool stirrup, int bendAngle, float d)
{
    const envora::Settings& s = envora::currentSettings();
    const LengthRules& r = rulesOf(s, stirrup);
    if (const auto* row = findDiameter(r.byDiameter, d))
        return interpolateBend(row->bendAdjust, bendAngle);
    if (!usableDiameter(d))
        return 0.0;
    return interpolateBend(r.bendAdjust[kFallbackFamily], bendAngle) * d;
}

// `step` multiple of a non-negative length: to the nearest, or up.
std::int64_t roundTo(std::int64_t length, int step, bool up)
{
    const std::int64_t q = up ? (length + step - 1) / step : (length + step / 2) / step;
    return q * step;
}

} // namespace

int Info_GetSteelLenCalType() { return envora::currentSettings().steel.calcType; }
int Info_GetGuSteelLenCalType() { return envora::currentSettings().gu.calcType; }
int Info_GetSteelLenAdjustType() { return envora::currentSettings().steel.adjustType; }
int Info_GetGuSteelLenAdjustType() { return envora::currentSettings().gu.adjustType; }
int Info_GetSteelDimType() { return envora::currentSettings().steel.dimType; }
int Info_GetGuSteelDimType() { return envora::currentSettings().gu.dimType; }

double Info_GetSteelWanHuNeiJing(int grade, int angle) { return bendDiameter(false, grade, angle); }
double Info_GetGuSteelWanHuNeiJing(int grade, int angle) { return bendDiameter(true, grade, angle); }

double Info_GetSteelWanHouPingZhi(int angle) { return straightAfterHook(false, angle); }
double Info_GetGuSteelWanHouPingZhi(int angle) { return straightAfterHook(true, angle); }

double Info_GetWanGouZengJiaJiangYanData(int angle, int grade) { return hookIncrement(false, angle, grade); }
double Info_GetGuWanGouZengJiaJiangYanData(int angle, int grade) { return hookIncrement(true, angle, grade); }
double Info_GetWanGouZengJiaJiangYanDataDN(int angle, float d) { return hookIncrementDN(false, angle, d); }
double Info_GetGuWanGouZengJiaJiangYanDataDN(int angle, float d) { return hookIncrementDN(true, angle, d); }

double Info_GetWanQuTiaoZhengJiangYanData(int bendAngle, int grade) { return bendAdjust(false, bendAngle, grade); }
double Info_GetGuWanQuTiaoZhengJiangYanData(int bendAngle, int grade) { return bendAdjust(true, bendAngle, grade); }
double Info_GetWanQuTiaoZhengJiangYanDataDN(int bendAngle, float d) { return bendAdjustDN(false, bendAngle, d); }
double Info_GetGuWanQuTiaoZhengJiangYanDataDN(int bendAngle, float d) { return bendAdjustDN(true, bendAngle, d); }

int Info_GetSteelDataEnd(int length, int family, int /*flag*/)
{
    const int mode = rulesOf(envora::currentSettings(), family == 1).dataEnd;
    int step = 0;
    bool up = false;
    switch (mode) {
    case envora::dataend::kNearest5: step = 5; break;
    case envora::dataend::kNearest10: step = 10; break;
    case envora::dataend::kUp5: step = 5; up = true; break;
    case envora::dataend::kUp10: step = 10; up = true; break;
    default: return length;
    }
    // Negative lengths are rounded like their magnitude.
    const std::int64_t magnitude = std::abs(std::int64_t(length));
    std::int64_t rounded = roundTo(magnitude, step, up);
    if (length < 0)
        rounded = -rounded;
    // A short length never vanishes: every later step would count it as 0.
    if (rounded == 0)
        return length;
    return int(std::clamp<std::int64_t>(rounded, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

double Info_getSteelWeight(float d, int kind)
{
    const envora::Settings& s = envora::currentSettings();
    if (const auto* size = findDiameter(s.sizes, d))
        return size->weight[(kind == 1 || kind == 2) ? kind : 0];
    if (!usableDiameter(d))
        return 0.0;
    return 0.00617 * double(d) * double(d);
}

int Info_getSteelGrade(float d)
{
    const envora::Settings& s = envora::currentSettings();
    if (const auto* size = findDiameter(s.sizes, d))
        return size->grade;
    // Sizes the table does not list: plain round bars up to 10 mm, 400 MPa
    // ribbed bars above.
    return (std::isfinite(d) && d > 10.0f) ? 3 : 1;
}

int Info_isValidDN(float d)
{
    return findDiameter(envora::currentSettings().sizes, d) ? 1 : 0;
}
