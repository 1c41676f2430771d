// The length rules of a bar: the shape's sides evaluated for the bar's
// diameter, the bend deduction of every joint, the hooks, and the user's
// length settings and rounding from Envora.

#include "core/model/barcore.h"

#include "core/model/modelrecord.h"
#include "envora/rules.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kDegree = 0.017453292222222222;    // radians of one degree
constexpr double kHalfDegreeArc = 0.00872663888888889; // half the radians of one degree
constexpr double kBendArcDegree = 0.0055555557;     // 1/180
constexpr double kPi = 3.1415926;

// The longest length a bar may have in whole millimetres: what an int holds.
constexpr double kLongestBar = std::numeric_limits<int>::max() - 1;

// A joint at an angle below this adds nothing.
constexpr double kStraightJoint = 5.0;
// Hook increments from this value on are millimetres, below it multiples of d.
constexpr double kIncrementInMillimetres = 75.0;

// Bend angles of the own multiples: below 91° the 90° multiple, below 179°
// the 135° one, else the 180° one.
constexpr float kBelow90 = 91.0f;
constexpr float kBelow180 = 179.0f;

constexpr int kStraightSide = 0;
constexpr int kArcSide = 1;
constexpr int kConnectMark = 8;
// Connection types below this leave the bar ends free (no joint, or a lap),
// so the pieces keep their hooks there.
constexpr int kFirstJoinedType = 2;

int hookAngle(const CVes_Hook& hook)
{
    switch (hook.kind) {
    case 1: return 90;
    case 2: return 135;
    default: return 180;
    }
}

} // namespace

int CVes_BarCore::calcType() const
{
    return isStirrupFamily() ? Info_GetGuSteelLenCalType() : Info_GetSteelLenCalType();
}

int CVes_BarCore::adjustType() const
{
    return isStirrupFamily() ? Info_GetGuSteelLenAdjustType() : Info_GetSteelLenAdjustType();
}

int CVes_BarCore::roundedLength(double total) const
{
    // A total that no int holds (sides of thousands of kilometres, or a bend
    // angle that makes a joint endless) is no length of a bar, nor is one
    // below nothing (a new bent bar, whose bends deduct from sides not typed
    // yet): it counts as 0, so the bar adds nothing to any total, shows no
    // length and the data check marks it.
    if (!std::isfinite(total) || total < 0.0 || total >= kLongestBar)
        return 0;
    return Info_GetSteelDataEnd(int(total + 0.5), m_stirrup, 1);
}

float CVes_BarCore::getWanZheNeiJing(float angle) const
{
    const double d = DN;
    if (ownBendDiameters) {
        if (angle < kBelow90)
            return float(d * bendMult90);
        if (angle < kBelow180)
            return float(d * bendMult135);
        return float(d * bendMult180);
    }
    const int degrees = platform::saturatedInt(angle);
    const double multiple = m_stirrup ? Info_GetGuSteelWanHuNeiJing(grade, degrees)
                                      : Info_GetSteelWanHuNeiJing(grade, degrees);
    return float(d * multiple);
}

float CVes_BarCore::calculateZhesunLength(float A, int prevKind, int curKind, int outDim) const
{
    if (std::fabs(A) < kStraightJoint)
        return 0.0f;
    const double d = DN;
    const double D = getWanZheNeiJing(A);
    const float B = 180.0f - A;
    const double t = std::tan(B / 2.0 * kDegree);
    const int calc = calcType();
    const int adjust = adjustType();

    if (calc == 0 && adjust > 0) {
        double r = 0.0;
        const int bend = platform::saturatedInt(B);
        if (adjust == 1)
            r = (isStirrupFamily() ? Info_GetGuWanQuTiaoZhengJiangYanData(bend, grade)
                                   : Info_GetWanQuTiaoZhengJiangYanData(bend, grade))
                * d;
        else if (adjust == 2)
            r = isStirrupFamily() ? Info_GetGuWanQuTiaoZhengJiangYanDataDN(bend, DN)
                                  : Info_GetWanQuTiaoZhengJiangYanDataDN(bend, DN);
        return float(outDim ? r : r + 2.0 * d);
    }

    const auto term = [&](int kind) {
        double value;
        if (calc == 0) {
            if (kind == kStraightSide)
                value = outDim ? D / 2.0 + d : D / 2.0;
            else if (kind == kArcSide)
                value = D / 2.0 + d / 2.0;
            else
                return 180.0 - A;
            return A > 90.0f ? value * t : value;
        }
        if (kind == kStraightSide)
            value = outDim ? d / 2.0 : -d / 2.0;
        else if (kind == kArcSide)
            return 0.0;
        else
            return 180.0 - A;
        return A > 90.0f ? value * t : value;
    };

    if (calc == 0)
        return float((d + D) * 0.5 * B * kBendArcDegree * kPi - term(prevKind) - term(curKind));
    if (calc == 1)
        return float(-term(prevKind) - term(curKind));
    return 0.0f;
}

double CVes_BarCore::hookAddition(const CVes_Hook& hook, double factor, bool truncate) const
{
    if (!hook.enabled)
        return 0.0;
    const auto whole = [truncate](double value) {
        return truncate ? double(platform::saturatedInt(value)) : value;
    };
    const int angle = hookAngle(hook);
    const double d = DN;
    const double D = getWanZheNeiJing(float(angle));
    const int adjust = adjustType();
    double a;
    if (adjust == 1) {
        const double h = isStirrupFamily() ? Info_GetGuWanGouZengJiaJiangYanData(angle, grade)
                                           : Info_GetWanGouZengJiaJiangYanData(angle, grade);
        // Millimetres do not scale with the diameter, on either end.
        a = h >= kIncrementInMillimetres ? whole(h) : whole(h * d * factor);
        if (!m_outDim)
            a = whole(d * factor + a);
    } else if (adjust == 2) {
        const double h = isStirrupFamily() ? Info_GetGuWanGouZengJiaJiangYanDataDN(angle, DN)
                                           : Info_GetWanGouZengJiaJiangYanDataDN(angle, DN);
        a = whole(h * factor);
        if (!m_outDim)
            a = whole(d * factor + a);
    } else {
        const double e = calcType() == 2 ? 2.0 * d : d;
        const double arc = (D + e) * angle * kHalfDegreeArc;
        const double g = m_outDim ? D / 2.0 + d : D / 2.0;
        a = whole((hook.getWhanHouLen(DN, unsigned(m_stirrup)) + arc - g) * factor);
    }
    return a;
}

float CVes_BarCore::getHookLength(CVes_Hook hook, double factor) const
{
    return float(hookAddition(hook, factor, true));
}

int CVes_BarCore::getZheshu()
{
    const int sides = sideCountInUse();
    if (sides < 0)
        return 0;
    bendCount = sides + (m_hookLeft.enabled ? 1 : 0) + (m_hookRight.enabled ? 1 : 0);
    return bendCount;
}

std::unique_ptr<CVes_ModelRecord> CVes_BarCore::prepareRecord(unsigned int sel, double factor)
{
    std::unique_ptr<CVes_ModelRecord> work = copyRecordInUse();
    if (!work)
        return nullptr;
    refreshVarArrayFromRecord(work.get());
    setRecordParameter(work.get());
    synchronizeRecordVar(work.get());
    work->m_outDim = m_outDim;
    const double d = DN * factor;
    work->setDiaVal(d);
    setInstanceVar(QStringLiteral("d"), d);
    work->calculateSideLen(int(sel));
    work->setDN(DN);
    bendCount = work->getSideArraySize() + (m_hookLeft.enabled ? 1 : 0)
        + (m_hookRight.enabled ? 1 : 0);
    return work;
}

float CVes_BarCore::lengthOfNoSides(const CVes_ModelRecord* record) const
{
    // A shape that no library holds says nothing about the bar: the length it
    // was saved with stays, for display and totals alike.
    const bool missing = !getRecordId().isNull() && (!record || isPlaceholderRecord(*record));
    return missing ? length : 0.0f;
}

float CVes_BarCore::lengthWithoutShape(const CVes_ModelRecord* record)
{
    const float result = lengthOfNoSides(record);
    if (calcLength)
        length = result;
    return result;
}

float CVes_BarCore::calculateLength(unsigned int sel, double factor)
{
    const float result = lengthAsCalculated(sel, factor);
    if (calcLength)
        length = result;
    return result;
}

float CVes_BarCore::lengthAsCalculated(unsigned int sel, double factor)
{
    const std::unique_ptr<CVes_ModelRecord> work = prepareRecord(sel, factor);
    if (!work || work->m_arrSide.empty())
        return lengthOfNoSides(work.get());
    const auto& sides = work->m_arrSide;
    double total = sides.front()->m_length;
    for (size_t i = 1; i < sides.size(); ++i) {
        const CVes_Side& side = *sides[i];
        if (side.m_type == kConnectMark)
            continue;
        const float angle = platform::saturatedFloat(side.m_angle);
        total += side.m_length
            + factor * calculateZhesunLength(angle, sides[i - 1]->m_type, side.m_type, m_outDim);
    }
    total += hookAddition(m_hookLeft, factor, false);
    total += hookAddition(m_hookRight, factor, false);
    return float(roundedLength(total));
}

float CVes_BarCore::calculateGroupLength(std::vector<float>& lengths, std::vector<int>& counts,
                                         unsigned int sel, double factor)
{
    const auto sum = [&lengths, &counts] {
        // Entries the caller brought count too; only paired entries are read.
        const size_t n = std::min(lengths.size(), counts.size());
        double total = 0.0;
        for (size_t i = 0; i < n; ++i)
            total += double(counts[i]) * double(lengths[i]);
        return float(total);
    };
    const std::unique_ptr<CVes_ModelRecord> work = prepareRecord(sel, factor);
    if (!work || work->m_arrSide.empty()) {
        lengths.push_back(lengthWithoutShape(work.get()));
        counts.push_back(1);
        return sum();
    }
    const auto& sides = work->m_arrSide;
    double total = sides.front()->m_length;
    if (sides.front()->m_type != kConnectMark)
        total += getHookLength(m_hookLeft, factor);
    counts.push_back(1);
    for (size_t i = 1; i < sides.size(); ++i) {
        const CVes_Side& side = *sides[i];
        const CVes_Side& prev = *sides[i - 1];
        if (side.m_type == kConnectMark) {
            if (side.m_subStyle < kFirstJoinedType)
                total += getHookLength(m_hookRight, factor);
            lengths.push_back(float(roundedLength(total)));
            counts.push_back(side.m_count);
            total = 0.0;
            continue;
        }
        total += side.m_length;
        if (prev.m_type != kConnectMark)
            total += factor
                * calculateZhesunLength(platform::saturatedFloat(side.m_angle), prev.m_type,
                                        side.m_type, m_outDim);
        else if (prev.m_subStyle < kFirstJoinedType)
            total += getHookLength(m_hookLeft, factor);
    }
    if (sides.back()->m_type != kConnectMark)
        total += getHookLength(m_hookRight, factor);
    lengths.push_back(float(roundedLength(total)));
    return sum();
}

void CVes_BarCore::setLengthComputed(int computed, double factor)
{
    if (calcLength && !computed)
        length = getLength(0, factor);
    calcLength = computed;
}

float CVes_BarCore::getLength(unsigned int sel, double factor)
{
    if (!calcLength)
        return length;
    std::vector<float> lengths;
    std::vector<int> counts;
    return calculateGroupLength(lengths, counts, sel, factor);
}
