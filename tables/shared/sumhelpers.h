#pragma once
// What the sheets' summaries share once their bars are collected: the
// counted length of a bar row, the unit weight of a grade, the order of the
// length items and the raw-stock record of an item.

#include "core/model/steel.h"
#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "tables/shared/sortrules.h"
#include "tables/shared/sumitems.h"

#include <algorithm>
#include <cmath>
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

} // namespace barsum
