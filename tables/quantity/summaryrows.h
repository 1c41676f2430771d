#pragma once
// The pieces of the quantity summaries that the bar list's and the quantity
// sheet's builders write alike: the order of the groups and of the joint
// items, the loss note, and the rows of the "其中" breakdown by diameter
// class and by grade.

#include "tables/shared/sumitems.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <span>

class CVes_SortRules;

namespace sumrows {

// Appends one summary row.
using AppendRow = std::function<void(const QStringList&)>;

// Moves a first group of one of these names (the bars before the first
// element or element type) behind the others.
void othersLast(SumGroups& groups, std::initializer_list<QString> names);
// Joint items ascending by joint type, then diameter; reversed for the
// large-to-small diameter order (0).
void sortJoints(SumJointItems& items, int dnOrder);
// "(含损耗=2.5%,2.5%)" when the loss is shown and both losses are on,
// "(含损耗=2.5%)" with only the bar loss on, else empty.
QString lossNote(const CVes_SortRules& rules);

// Lengths and weights of the four classes: [wire rod 0 / bar 1][ordinary 0 /
// epoxy-coated 1].
struct ClassSums {
    double length[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double weight[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
};
// The sums of the whole-list items: the total weight with loss, the classes
// and the weight with loss of each grade.
struct ItemSums {
    double totalWeight = 0.0;
    ClassSums classes;
    std::map<int, double> gradeWeight;
    // The item's length and the weight its row shows go to its class (wire
    // rod or bar, ordinary or epoxy-coated), its weight with loss to the
    // total and its grade.
    void add(const CVes_SumLengthItem& item, double shown, double withLoss, bool wireRod);
};

// The rows by diameter class: wire rod ("按钢筋直径分类", "d≤…") then bar
// ("d＞…"), each with an epoxy-coated row of its own when it has any.
void appendClassRows(const AppendRow& append, const ClassSums& sums, float wireDN);

// One grade of the breakdown by grade: its code, text and the weight above
// which its row is shown.
struct GradeRow {
    int grade;
    const char* text;
    double shownAbove;
};
// The rows of the grades whose weight passes their threshold, the first
// labelled "按钢筋级别分类"; `weightOf` gives a grade's weight.
void appendGradeRows(const AppendRow& append, std::span<const GradeRow> grades,
                     const std::function<double(int)>& weightOf);

// What the total weight row says of the loss in it, wherever the loss is
// shown: the loss text when there is one, else "(含损耗)" when some item's
// weight has a loss added, else nothing.
QString totalLossNote(const CVes_SortRules& rules, const SumLengthItems& items);

// The closing rows of a summary with a weight: an empty row, the total
// weight with the loss note after it when there is one, and with `priced`
// the total cost.
void appendTotalRows(const AppendRow& append, double totalWeight, bool english,
                     const QString& lossNote, bool priced, double totalCost);

} // namespace sumrows
