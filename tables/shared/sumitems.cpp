#include "tables/shared/sumitems.h"

#include "core/model/barcore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Couplers carry thread directions; their joints are told apart by them.
constexpr int kFirstCouplerType = 7;
constexpr int kTaperCoupler = 7;
constexpr int kStraightCoupler = 8;

// A diameter truncated to whole millimetres; a damaged value counts as 0.
int wholeMm(float diameter)
{
    if (!std::isfinite(diameter) || std::fabs(diameter) >= float(std::numeric_limits<int>::max()))
        return 0;
    return int(diameter);
}

bool isCoupler(int type)
{
    return type >= kFirstCouplerType;
}

// An end connection adds joints only when it has a type and is on.
bool isLive(const CVes_Connect& c)
{
    return c.type >= 1 && c.flag != 0;
}

// Whether the item holds the joint of connection `c` on a bar of whole
// diameter d. A coupler is the same joint whether it is seen from this bar
// or from the bar on its other side (diameters and threads swapped), and
// whichever end of the bar carries it.
bool matchesEnd(const CVes_SumJointItem& item, const CVes_Connect& c, int d)
{
    if (item.type != c.type)
        return false;
    if (!isCoupler(c.type))
        return item.diameter == float(d);
    const int o = wholeMm(c.farDN);
    const bool fromThisBar = item.diameter == float(d) && item.otherDiameter == o
        && item.thread == c.direction && item.otherThread == c.farDirection;
    const bool fromOtherBar = item.diameter == float(o) && item.otherDiameter == d
        && item.thread == c.farDirection && item.otherThread == c.direction;
    return fromThisBar || fromOtherBar;
}

CVes_SumJointItem endItem(const CVes_Connect& c, int d, std::int64_t n)
{
    CVes_SumJointItem item;
    item.diameter = float(d);
    item.count = n;
    item.type = c.type;
    item.otherDiameter = d;
    if (isCoupler(c.type)) {
        item.thread = c.direction;
        item.otherThread = c.farDirection;
        item.otherDiameter = wholeMm(c.farDN);
    }
    return item;
}

bool matchesMid(const CVes_SumJointItem& item, const CVes_MidConnect& mid, int d)
{
    if (item.type != mid.style)
        return false;
    if (mid.style == kTaperCoupler || mid.style == kStraightCoupler) {
        if (item.diameter != float(d) || item.otherDiameter != d)
            return false;
        const bool sameThreads = item.thread == item.otherThread;
        return mid.valueC != 0 ? sameThreads : !sameThreads;
    }
    return item.diameter == float(d);
}

CVes_SumGroup& groupNamed(const QString& name, SumGroups& groups)
{
    const auto found = std::find_if(groups.begin(), groups.end(),
                                    [&](const CVes_SumGroup& g) { return g.name == name; });
    if (found != groups.end())
        return *found;
    groups.push_back(CVes_SumGroup{name, {}, {}});
    return groups.back();
}

} // namespace

void addLengthItem(const CVes_BarCore* bar, double length, SumLengthItems& items)
{
    if (!bar)
        return;
    for (auto& item : items) {
        if (item.grade == bar->grade && item.diameter == bar->DN && item.coating == bar->steelType) {
            item.length += length;
            return;
        }
    }
    CVes_SumLengthItem item;
    item.grade = bar->grade;
    item.diameter = bar->DN;
    item.coating = bar->steelType;
    item.length = length;
    items.push_back(item);
}

void addJointItems(const CVes_BarCore* bar, std::int64_t n, SumJointItems& items)
{
    if (!bar || n < 1)
        return;
    const CVes_Connect& start = *bar->getLConnect();
    const CVes_Connect& end = *bar->getRConnect();
    const int d = wholeMm(bar->DN);
    bool startDone = !isLive(start);
    bool endDone = !isLive(end);

    for (auto& item : items) {
        if (startDone && endDone)
            return;
        if (!startDone && matchesEnd(item, start, d)) {
            item.count += n;
            startDone = true;
        }
        if (!endDone && matchesEnd(item, end, d)) {
            item.count += n;
            endDone = true;
        }
    }
    if (!startDone) {
        items.push_back(endItem(start, d, n));
        // Both ends carrying the same joint make one item of 2n.
        if (!endDone && matchesEnd(items.back(), end, d)) {
            items.back().count += n;
            endDone = true;
        }
    }
    if (!endDone)
        items.push_back(endItem(end, d, n));
}

void addMidJointItems(CVes_BarCore* bar, std::int64_t n, SumJointItems& items)
{
    if (!bar || n < 1)
        return;
    bar->calMidConnectNum();
    const int d = wholeMm(bar->DN);
    for (const auto& mid : bar->getMidConnectArray()) {
        // A connection that is off, has no type or needs no joint adds nothing.
        if (!mid || mid->stat == 0 || mid->style < 1 || mid->valueA < 1)
            continue;
        const std::int64_t joints = std::int64_t(mid->valueA) * n;
        const auto found = std::find_if(items.begin(), items.end(),
                                        [&](const CVes_SumJointItem& item) {
                                            return matchesMid(item, *mid, d);
                                        });
        if (found != items.end()) {
            found->count += joints;
            continue;
        }
        CVes_SumJointItem item;
        item.diameter = float(d);
        item.count = joints;
        item.type = mid->style;
        item.otherDiameter = d;
        if (isCoupler(mid->style))
            item.thread = mid->valueC != 0 ? 1 : 0;
        items.push_back(item);
    }
}

void addLengthItemByName(const CVes_BarCore* bar, double length, const QString& name,
                         SumGroups& groups)
{
    addLengthItem(bar, length, groupNamed(name, groups).lengths);
}

void addJointItemsByName(const CVes_BarCore* bar, std::int64_t n, const QString& name,
                         SumGroups& groups)
{
    addJointItems(bar, n, groupNamed(name, groups).joints);
}

void addMidJointItemsByName(CVes_BarCore* bar, std::int64_t n, const QString& name,
                            SumGroups& groups)
{
    addMidJointItems(bar, n, groupNamed(name, groups).joints);
}

void addBarJoints(CVes_BarCore* bar, std::int64_t count, std::int64_t midFactor,
                  SumJointItems& whole, const QString& name, SumGroups& groups)
{
    addJointItems(bar, count, whole);
    addJointItemsByName(bar, count, name, groups);
    addMidJointItems(bar, midFactor, whole);
    addMidJointItemsByName(bar, midFactor, name, groups);
}
