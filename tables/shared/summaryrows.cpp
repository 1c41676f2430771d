#include "tables/shared/summaryrows.h"

#include "core/geometry/steeltext.h"
#include "core/model/connecttext.h"
#include "tables/framework/tablehelpers.h"
#include "envora/steelyuancaidata.h"
#include "tables/shared/sortrules.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>

namespace sumrows {

namespace {

using decimals::f2;
using decimals::f3;

// The rows of one class, the first under its label and size.
void appendClass(const AppendRow& append, const ClassSums& sums, int kind, const QString& label,
                 const QString& size)
{
    bool first = true;
    for (const ClassRow& row : classRows(sums.length[kind][0], sums.length[kind][1])) {
        QStringList texts{first ? label : QString(), QString(), first ? size : QString(),
                          f2(sums.length[kind][row.coating]), f3(sums.weight[kind][row.coating])};
        if (!row.remark.isEmpty())
            texts << row.remark;
        append(texts);
        first = false;
    }
}

QString priceText(PriceCell cell, float price, double cost)
{
    if (!(price > 0.0f))
        return QStringLiteral("原材未定价");
    if (cell == PriceCell::PriceAndCost)
        return QString::asprintf("%.1f  /  %.2f 元", double(price), cost);
    return QString::asprintf("%.2f 元", cost);
}

} // namespace

std::vector<ClassRow> classRows(double ordinaryLength, double epoxyLength)
{
    static const QString kEpoxy = QStringLiteral("环氧树脂涂层钢筋");
    const bool hasEpoxy = epoxyLength > 0.00001;
    if (ordinaryLength < 0.0001 && hasEpoxy)
        return {{1, kEpoxy}};
    if (!hasEpoxy)
        return {{0, QString()}};
    return {{0, QStringLiteral("普通钢筋")}, {1, kEpoxy}};
}

void ItemSums::add(const CVes_SumLengthItem& item, double shown, double withLoss, bool wireRod)
{
    const int kind = wireRod ? 0 : 1;
    const int coat = item.coating < 1 ? 0 : 1;
    classes.length[kind][coat] += item.length;
    classes.weight[kind][coat] += shown;
    gradeWeight[item.grade] += withLoss;
    totalWeight += withLoss;
}

void othersLast(SumGroups& groups, std::initializer_list<QString> names)
{
    if (groups.size() > 1 && std::find(names.begin(), names.end(), groups.front().name) != names.end())
        std::rotate(groups.begin(), groups.begin() + 1, groups.end());
}

void sortJoints(SumJointItems& items, int dnOrder)
{
    if (items.size() < 2)
        return;
    std::stable_sort(items.begin(), items.end(),
                     [](const CVes_SumJointItem& a, const CVes_SumJointItem& b) {
                         if (a.type != b.type)
                             return a.type < b.type;
                         return a.diameter < b.diameter;
                     });
    if (dnOrder == 0)
        std::reverse(items.begin(), items.end());
}

void appendJointRows(const AppendRow& append, SumJointItems& items, int dnOrder, int firstType,
                     const std::function<QString(const CVes_SumJointItem&)>& sizeText)
{
    sortJoints(items, dnOrder);
    int number = 1;
    for (const CVes_SumJointItem& item : items) {
        if (item.count < 1 || item.type < firstType)
            continue;
        append({QString(), QString::number(number++), barcore_getConnectString(item.type),
                sizeText(item), QString::number(item.count)});
    }
}

QString lossNote(const CVes_SortRules& rules)
{
    if (!rules.m_showLoss || !rules.m_calcLossBar)
        return {};
    if (rules.m_calcLossWire)
        return QString::asprintf("(含损耗=%.1f%%,%.1f%%)", rules.m_lossBar, rules.m_lossWire);
    return QString::asprintf("(含损耗=%.1f%%)", rules.m_lossBar);
}

QString totalLossNote(const CVes_SortRules& rules, const SumLengthItems& items)
{
    const QString shown = lossNote(rules);
    if (!shown.isEmpty())
        return shown;
    const bool added = std::any_of(items.begin(), items.end(), [&](const CVes_SumLengthItem& item) {
        return rules.lossPercent(item.diameter) > 0.0;
    });
    return added ? QStringLiteral("(含损耗)") : QString();
}

void appendClassRows(const AppendRow& append, const ClassSums& sums, float wireDN)
{
    const QString t = DNtoString(wireDN);
    appendClass(append, sums, 0, QStringLiteral("按钢筋直径分类"), QStringLiteral("d≤") + t);
    appendClass(append, sums, 1, QString(), QStringLiteral("d＞") + t);
}

void appendGradeRows(const AppendRow& append, std::span<const GradeRow> grades,
                     const std::function<double(int)>& weightOf)
{
    bool first = true;
    for (const GradeRow& grade : grades) {
        const double weight = weightOf(grade.grade);
        if (!(weight > grade.shownAbove))
            continue;
        append({first ? QStringLiteral("按钢筋级别分类") : QString(), QString(),
                QString::fromUtf8(grade.text), QString(), f2(weight)});
        first = false;
    }
}

void appendTotalRows(const AppendRow& append, double totalWeight, bool english,
                     const QString& lossNote, bool priced, double totalCost)
{
    append({});
    QStringList total{english ? QStringLiteral("Total Weight") : QStringLiteral("总重"),
                      QString(), QString(), QString(),
                      QString::asprintf("%.3f", totalWeight)};
    if (!lossNote.isEmpty())
        total << lossNote;
    append(total);
    if (priced)
        append({english ? QStringLiteral("Total Cost") : QStringLiteral("总金额"), QString(),
                QString(), QString(), QString::asprintf("%.2f 元", totalCost)});
}

} // namespace sumrows

namespace sumrows {

void appendGroupRows(const AppendRow& append, SumGroups& groups,
                     std::initializer_list<QString> others, int dnOrder, const ItemUnits& units,
                     bool headerWeight)
{
    othersLast(groups, others);
    for (CVes_SumGroup& group : groups) {
        barsum::sortLengths(group.lengths, dnOrder);
        QStringList rows;
        double sum = 0.0;
        const auto weightOf = [&units](const CVes_SumLengthItem& item) {
            return barsum::weightOf(item, units.toWeight, units.toMetre);
        };
        for (const CVes_SumLengthItem& item : group.lengths)
            sum += weightOf(item);
        if (headerWeight)
            append({group.name, QString(), QString(), QString(), f3(sum)});
        else
            append({group.name});
        int number = 1;
        for (const CVes_SumLengthItem& item : group.lengths)
            append({QString(), QString::number(number++),
                    Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                    f2(item.length), f3(weightOf(item))});
    }
}

QStringList sizeHeading(const CVes_SortRules& rules, bool english)
{
    QStringList heading{english ? QStringLiteral("Total") : QStringLiteral("各规格合计")};
    if (rules.m_lossPlace == 1)
        heading << lossNote(rules);
    return heading;
}

SizeTotals appendSizeRows(const AppendRow& append, SumLengthItems& items,
                          const CVes_SortRules& rules, CVes_SteelYuanCaiDataLib& own,
                          const ItemUnits& units, PriceCell price)
{
    const bool lossInItems = rules.m_lossPlace == 1;
    SizeTotals totals;
    barsum::forEachSize(items, rules.m_dnOrder, own,
                        [&](const CVes_SumLengthItem& item, int number,
                            const CVes_SteelYuanCaiData& stock) {
        const double weight = barsum::weightOf(item, units.toWeight, units.toMetre);
        const double withLoss = rules.withLoss(weight, item.diameter);
        const double shown = lossInItems ? withLoss : weight;
        QStringList row{QString(), QString::number(number),
                        Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                        f2(item.length), f3(shown)};
        if (price != PriceCell::None)
            row << priceText(price, stock.price,
                             barsum::costOf(shown, units.perTonne, stock.price));
        // The total cost is of the weights with loss, wherever the loss is shown.
        if (stock.price > 0.0f)
            totals.cost += barsum::costOf(withLoss, units.perTonne, stock.price);
        append(row);
        totals.sums.add(item, shown, withLoss, rules.isWireRod(item.diameter));
    });
    return totals;
}

bool appendBreakdownRows(const AppendRow& append, const CVes_SortRules& rules,
                         const ItemSums& sums, std::span<const GradeRow> grades)
{
    if (!(rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee))
        return false;
    append({});
    append({QStringLiteral("其中")});
    if (rules.m_sumByDnClass)
        appendClassRows(append, sums.classes, rules.m_wireDN);
    if (rules.m_sumByGrade)
        appendGradeRows(append, grades, [&sums](int grade) {
            const auto found = sums.gradeWeight.find(grade);
            return found == sums.gradeWeight.end() ? 0.0 : found->second;
        });
    return true;
}

QStringList stirrupFeeRow(const QString& label, std::int64_t count, float fee,
                          const CVes_SortRules& rules)
{
    return {label, QString(), QString(), QStringLiteral("%1根").arg(count),
            QString::asprintf("%.2f元", double(fee)),
            QString::asprintf("（%.2f元/根）", double(rules.m_stirrupFee))};
}

} // namespace sumrows
