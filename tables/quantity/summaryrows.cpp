#include "tables/quantity/summaryrows.h"

#include "core/geometry/steeltext.h"
#include "tables/framework/tablehelpers.h"
#include "tables/shared/sortrules.h"

#include <algorithm>

namespace sumrows {

namespace {

using decimals::f2;
using decimals::f3;

// Both rows of one class: ordinary (or epoxy-coated alone), then epoxy.
void appendClass(const AppendRow& append, const ClassSums& sums, int kind, const QString& label,
                 const QString& size)
{
    static const QString kEpoxy = QStringLiteral("环氧树脂涂层钢筋");
    const double ordinary = sums.length[kind][0];
    const double epoxy = sums.length[kind][1];
    const bool hasEpoxy = epoxy > 0.00001;
    if (ordinary < 0.0001 && hasEpoxy) {
        append({label, QString(), size, f2(epoxy), f3(sums.weight[kind][1]), kEpoxy});
        return;
    }
    QStringList row{label, QString(), size, f2(ordinary), f3(sums.weight[kind][0])};
    if (hasEpoxy)
        row << QStringLiteral("普通钢筋");
    append(row);
    if (hasEpoxy)
        append({QString(), QString(), QString(), f2(epoxy), f3(sums.weight[kind][1]), kEpoxy});
}

} // namespace

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
