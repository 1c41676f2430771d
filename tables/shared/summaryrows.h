#pragma once
// The rows the bar list's and the quantity sheet's summaries write alike:
// the order of the groups and of the joint items, the group section, the
// whole list's size rows with their losses and prices, the loss notes, the
// "其中" breakdown by diameter class and by grade, the stirrup fee and the
// totals. What differs between the two stays in each sheet's builder.

#include "tables/shared/sumitems.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

class CVes_SortRules;
class CVes_SteelYuanCaiDataLib;

namespace sumrows {

// Appends one summary row.
using AppendRow = std::function<void(const QStringList&)>;

// Moves a first group of one of these names (the bars before the first
// element or element type) behind the others.
void othersLast(SumGroups& groups, std::initializer_list<QString> names);
// Joint items ascending by joint type, then diameter; reversed for the
// large-to-small diameter order (0).
void sortJoints(SumJointItems& items, int dnOrder);
// A row per joint item, in that order, numbered from 1: its joint type's
// name, its size as `sizeText` writes it and its count. Items counting no
// joint or of a type below `firstType` have no row.
void appendJointRows(const AppendRow& append, SumJointItems& items, int dnOrder, int firstType,
                     const std::function<QString(const CVes_SumJointItem&)>& sizeText);
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

// The rows a class of the "其中" breakdown gets: its ordinary bars (the
// remark "普通钢筋" when it has epoxy-coated ones too) and its epoxy-coated
// bars ("环氧树脂涂层钢筋") on a row of their own; a class of epoxy-coated
// bars alone gets one row. Lengths in any one unit.
struct ClassRow {
    int coating; // 0 ordinary, 1 epoxy-coated
    QString remark;
};
std::vector<ClassRow> classRows(double ordinaryLength, double epoxyLength);

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

// The units of a summary's length items: lengths in the unit that
// `toMetre` converts to metres, weights shown in the unit that `toWeight`
// converts kilograms to and that `perTonne` converts tonnes to.
struct ItemUnits {
    double toMetre;
    double toWeight;
    double perTonne;
};

// The group section of a summary: a group named one of `others` standing
// first is moved last; each group has a header row over a row per size
// (number, size, length, weight), sorted in the diameter order. Group rows
// carry no loss and no price. With `headerWeight` the header row shows the
// group's weight in the weight column.
void appendGroupRows(const AppendRow& append, SumGroups& groups,
                     std::initializer_list<QString> others, int dnOrder, const ItemUnits& units,
                     bool headerWeight);

// The heading of the whole list's sizes: "各规格合计" ("Total"), with the
// loss note after it when the rules put the loss in each size.
QStringList sizeHeading(const CVes_SortRules& rules, bool english);

// How a summary's size rows show the cost of their raw stock.
enum class PriceCell {
    None,         // no cell
    Cost,         // "%.2f 元" of the row's cost
    PriceAndCost, // "%.1f  /  %.2f 元" of the price a tonne and the row's cost
};

// What the whole list's size rows add up to: the sums of the breakdown and
// the cost of every priced size's weight with loss.
struct SizeTotals {
    ItemSums sums;
    double cost = 0.0;
};

// A row per size of the whole list, in the diameter order: number, size,
// length, the weight shown (with loss when the rules put the loss in each
// size) and the price cell ("原材未定价" for raw stock without a price). The
// raw stock of every size is taken into the sheet's own library (see
// barsum::stockRecord), priced or not.
SizeTotals appendSizeRows(const AppendRow& append, SumLengthItems& items,
                          const CVes_SortRules& rules, CVes_SteelYuanCaiDataLib& own,
                          const ItemUnits& units, PriceCell price);

// An empty row and "其中", when the rules ask for a breakdown by diameter
// class or by grade or for the stirrup fee; then the rows by class and by
// grade they ask for. True when written.
bool appendBreakdownRows(const AppendRow& append, const CVes_SortRules& rules,
                         const ItemSums& sums, std::span<const GradeRow> grades);

// The stirrup fee's row under its label: the stirrups charged, the fee and
// the fee a stirrup.
QStringList stirrupFeeRow(const QString& label, std::int64_t count, float fee,
                          const CVes_SortRules& rules);

} // namespace sumrows
