#pragma once
// The records the summaries collect bars into before they write any row:
// lengths keyed by grade, diameter and coating, and joints keyed by joint
// type and joint size; and the named groups of the per-element summaries.
// A summary builds its lists, reads them and drops them within one call.

#include <QString>

#include <vector>
#include <cstdint>

class CVes_BarCore;

class CVes_SumLengthItem {
public:
    virtual ~CVes_SumLengthItem() = default;

    int grade = 0;
    float diameter = 0.0f;  // mm, as stored on the bar
    int coating = 0;        // 1 epoxy-coated, 0 ordinary
    double length = 0.0;    // the caller's unit (the summaries pass metres)
};

class CVes_SumJointItem {
public:
    virtual ~CVes_SumJointItem() = default;

    float diameter = 0.0f;  // whole millimetres of the bar that carries the joint
    std::int64_t count = 0; // a list's joints outnumber an int
    int type = 0;           // connection type of the bar model
    // Couplers (types 7 and more): the thread of this bar's side and of the
    // other bar's side, 1 normal and 0 reversed; 1 for other types.
    int thread = 1;
    int otherThread = 1;
    // Couplers: the other bar's whole diameter; else this bar's.
    int otherDiameter = 0;
};

using SumLengthItems = std::vector<CVes_SumLengthItem>;
using SumJointItems = std::vector<CVes_SumJointItem>;

class CVes_SumGroup {
public:
    QString name;
    SumJointItems joints;
    SumLengthItems lengths;
};

using SumGroups = std::vector<CVes_SumGroup>;

// Adds `length` to the item of the bar's grade, diameter and coating, or
// appends one.
void addLengthItem(const CVes_BarCore* bar, double length, SumLengthItems& items);
// Adds n joints for each end connection of the bar that is on; nothing when
// n is below 1.
void addJointItems(const CVes_BarCore* bar, std::int64_t n, SumJointItems& items);
// Adds the bar's intermediate connections, each count times n, after
// evaluating the counts; nothing when n is below 1.
void addMidJointItems(CVes_BarCore* bar, std::int64_t n, SumJointItems& items);

// The same, into the group called `name` (made and appended when missing).
void addLengthItemByName(const CVes_BarCore* bar, double length, const QString& name,
                         SumGroups& groups);
void addJointItemsByName(const CVes_BarCore* bar, std::int64_t n, const QString& name,
                         SumGroups& groups);
void addMidJointItemsByName(CVes_BarCore* bar, std::int64_t n, const QString& name,
                            SumGroups& groups);

// A bar's joints, into the whole list's items and into the group called
// `name`: its end connections `count` times, its intermediate connections
// `midFactor` times (see barsum::singleSteelAmount).
void addBarJoints(CVes_BarCore* bar, std::int64_t count, std::int64_t midFactor,
                  SumJointItems& whole, const QString& name, SumGroups& groups);
