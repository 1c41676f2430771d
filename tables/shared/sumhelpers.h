#pragma once
// What the sheets' summaries share once their bars are collected: the
// counted length of a bar row, the unit weight of a grade, the order of the
// length items and the raw-stock record of an item.

#include "core/model/steel.h"
#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "tables/shared/sortrules.h"
#include "tables/shared/sumitems.h"

#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace barsum {

// One bar row in an element of `pieces` pieces: its total length in metres,
// its bar count and the factor by which its intermediate-connection counts
// are multiplied (both in 64 bits: a graded row's bars of every piece
// outnumber an int) (left alone when a multi-value bar counts none), under the
// rules' joint options and with lengths in the shape column's unit. Refreshes
// the count texts of the bar's intermediate connections.
void singleSteelAmount(CVes_BarCore* bar, int pieces, const CVes_SortRules& rules, int shapeUnit,
                       double& length, std::int64_t& count, std::int64_t& midFactor);

// The value truncated towards zero; 0 for what no int holds.
inline int truncated(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= double(std::numeric_limits<int>::max()))
        return 0;
    return int(value);
}

// kg/m of a bar of that grade and diameter (cold-rolled grades weigh by their
// own tables).
inline double unitWeight(int grade, float diameter)
{
    int kind = 0;
    if (grade == 12)
        kind = 1;
    else if (grade == 14)
        kind = 2;
    return Info_getSteelWeight(diameter, kind);
}

// The weight of `metres` of bar of that grade and diameter, in the unit that
// `toWeight` converts kilograms to.
inline double weightOf(int grade, float diameter, double metres, double toWeight)
{
    return unitWeight(grade, diameter) * metres * toWeight;
}

// The weight of a length item whose length is in the unit that `toMetre`
// converts to metres (1 for an item summed in metres). The factors are
// taken in this order so that a sheet in other units shows, to the last
// digit, the weights it always has.
inline double weightOf(const CVes_SumLengthItem& item, double toWeight, double toMetre = 1.0)
{
    return unitWeight(item.grade, item.diameter) * item.length * toMetre * toWeight;
}

// What `weight` of raw stock priced `price` a tonne costs; `perTonne`
// converts tonnes to the weight's unit.
inline double costOf(double weight, double perTonne, double price)
{
    return weight / perTonne * price;
}

// The bars of a bar row in an element of `pieces` pieces: a graded row has
// `count` bars in each of its groups. In 64 bits and saturated: a graded
// row's bars of every piece outnumber an int.
inline std::int64_t barCount(const CVes_BarCore& bar, int pieces)
{
    return platform::saturatedProduct(
        {pieces, bar.count, bar.isMultiVal() ? bar.getMultiGroup() : 1});
}

// The stirrups the processing fee is charged for (those counted in the
// sheet, or the number the rules give when they are not counted) and the
// fee, in single precision as the rules store the fee a stirrup.
struct StirrupFee {
    std::int64_t count;
    float fee;
};
inline StirrupFee stirrupFee(const CVes_SortRules& rules, std::int64_t counted)
{
    const std::int64_t count = rules.m_autoStirrupCount ? counted : rules.m_stirrupCount;
    return {count, float(count) * rules.m_stirrupFee};
}

// The metres a bar row adds in an element of `pieces` pieces: a graded group
// bar by the mean of its first and last length, any other bar by its cut
// length in whole shape units.
inline double countedMetres(CVes_Steel& bar, int pieces, double toShape, double toMetre)
{
    if (bar.isMultiVal()) {
        const int groupCount = bar.getMultiGroup();
        return (double(bar.getLength(0, toShape)) + bar.getLength(1, toShape)) * pieces
               * groupCount * bar.count * 0.5 * toMetre;
    }
    const int cut = bar.calcLength ? truncated(bar.getLength(0, toShape)) : truncated(bar.length);
    return double(cut) * pieces * bar.count * toMetre;
}

// The unit factors of the summaries that count metres of bar: bar lengths
// are read in the shape column's unit and summed in metres; weights are
// shown in the weight column's unit.
struct MetreUnits {
    double toShape;
    double toMetre;
    double toWeight;
    double perTonne;
};
MetreUnits metreUnits(int shapeUnit, int weightUnit);

// Ascending by diameter, grade and coating; reversed for the large-to-small
// diameter order (0).
inline void sortLengths(SumLengthItems& items, int dnOrder)
{
    if (items.size() < 2)
        return;
    std::stable_sort(items.begin(), items.end(),
                     [](const CVes_SumLengthItem& a, const CVes_SumLengthItem& b) {
                         if (a.diameter != b.diameter)
                             return a.diameter < b.diameter;
                         if (a.grade != b.grade)
                             return a.grade < b.grade;
                         return a.coating < b.coating;
                     });
    if (dnOrder == 0)
        std::reverse(items.begin(), items.end());
}

// The record of a bar size (diameter, grade, bar type) in the list's own
// library; when it has none, a copy of the stock file's record, or else a
// default unpriced record, is appended to the own library first.
inline CVes_SteelYuanCaiData* stockRecord(CVes_SteelYuanCaiDataLib& own,
                                          const CVes_SteelYuanCaiDataLib& stockFile,
                                          float diameter, int grade, int type)
{
    if (CVes_SteelYuanCaiData* record = own.getYuanCai(diameter, unsigned(grade), unsigned(type)))
        return record;
    if (const CVes_SteelYuanCaiData* found =
            stockFile.getYuanCai(diameter, unsigned(grade), unsigned(type)))
        return own.append(*found);
    CVes_SteelYuanCaiData fresh;
    fresh.DN = diameter;
    fresh.steelType = type;
    fresh.grade = grade;
    fresh.price = 0.0f;
    return own.append(fresh);
}

inline CVes_SteelYuanCaiData* stockRecord(CVes_SteelYuanCaiDataLib& own,
                                          const CVes_SteelYuanCaiDataLib& stockFile,
                                          const CVes_SumLengthItem& item)
{
    return stockRecord(own, stockFile, item.diameter, item.grade, item.coating);
}

// Each size of a sheet's whole list in the rules' diameter order (see
// sortLengths), numbered from 1, with its raw-stock record from the sheet's
// own library or the user's stock file ("KUCUN.xml", read once a call).
using SizeVisit = std::function<void(const CVes_SumLengthItem& item, int number,
                                     const CVes_SteelYuanCaiData& stock)>;
void forEachSize(SumLengthItems& items, int dnOrder, CVes_SteelYuanCaiDataLib& own,
                 const SizeVisit& visit);

} // namespace barsum
