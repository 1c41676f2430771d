// The quantity sheet's summary sheets: the quantity summary (lengths,
// weights, losses, prices, the "其中" breakdown, the stirrup fee and the
// totals) and the joint summary. Both are rebuilt from scratch on every call.

#include "tables/quantity/sltable.h"

#include "core/model/connecttext.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/shared/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"
#include "tables/shared/titleblock.h"

namespace {

const QString kOthers = QStringLiteral("其它");

// The breakdown by grade; unlike the bar list's, grade 4 is written as
// HRB400 and grades 12 and 14 are summed but have no row.
constexpr sumrows::GradeRow kGradeRows[] = {
    {1, "HPB300(%%A)", 0.00001}, {2, "HRB335(%%B)", 0.0001}, {3, "HRB400(%%C)", 0.0001},
    {4, "HRB400(%%D)", 0.1},     {5, "HRB500(%%E)", 0.1},
};

// Calls visit(bar, elementCount, groupName) for every bar row in order: the
// group is the element type above it ("其它" before the first), the count
// that of the element above it (1 before the first).
template <typename Visit> void forEachBar(const TableLineList& lines, Visit visit)
{
    QString group = kOthers;
    int elements = 1;
    for (CVes_TableBaseLine* base : lines) {
        auto* line = dynamic_cast<CVes_SLTableLine*>(base);
        if (!line || line->isNull())
            continue;
        if (line->isEleTypeRow()) {
            group = line->getEleType();
        } else if (line->isEleRow()) {
            elements = line->getEleNum();
        } else if (CVes_Steel* bar = line->getSLSteel()) {
            // Counting may write a joint count back into the bar: undo keeps
            // the row as it was whenever the visit changed it.
            CVes_TableBase::changeRow(line, [&] { visit(*bar, elements, group); });
        }
    }
}

// Clears the summary (or makes a new one) and gives it the sheet's page
// set-up and title-block texts; unlike the bar list's summaries, it keeps
// its language, its title and the page it shows.
template <typename Sheet> Sheet* prepareSheet(Sheet* target, const CVes_SLTable& source)
{
    if (!target)
        target = new Sheet;
    else
        target->clearnAllLineOnly();
    target->CopyPageSetting(&source);
    barsum::takeTitleBlock(*target, source);
    return target;
}

// The size text of a coupler: one diameter when both ends are alike, else
// both with their thread ("正" forwards, "反" reversed), the reversed end of
// this bar last.
QString jointSize(const CVes_SumJointItem& item)
{
    const int d = barsum::truncated(item.diameter);
    if (item.type < 7 || (item.thread == item.otherThread && d == item.otherDiameter))
        return QString::asprintf("%d", d);
    const auto word = [](int thread) { return thread == 1 ? "正" : "反"; };
    if (item.thread == 0)
        return QString::asprintf("%d%s—%d%s", item.otherDiameter, word(item.otherThread), d, "反");
    return QString::asprintf("%d%s—%d%s", d, word(item.thread), item.otherDiameter,
                             word(item.otherThread));
}

} // namespace

// The quantity summary differs from the bar list's: its groups are the
// element types, its lengths are summed in the unit of the total-length
// column, it lists nothing when no bar was counted, its group headers carry
// no weight, the heading has no empty row above it and no price heading,
// every size shows its cost (priced or not), the stirrup fee is its own row
// ("箍筋总计") with no stirrup weight, and the totals come last.
CVes_SLSumaryTable* CVes_SLTable::SummarySTeel(CVes_SLSumaryTable* target)
{
    target = prepareSheet(target, *this);
    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const int lengthUnit = m_units.value(kColTotalLength, kMetre);
    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    target->m_units[CVes_SLSumaryTable::kColLength] = lengthUnit;
    target->m_units[CVes_SLSumaryTable::kColWeight] = weightUnit;
    if (m_lines.isEmpty())
        return target;
    target->initTableCover();

    const double toLength = transUnit(shapeUnit, lengthUnit);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    SumLengthItems whole;
    SumGroups groups;
    std::int64_t stirrups = 0;
    forEachBar(m_lines, [&](CVes_Steel& bar, int elements, const QString& group) {
        const double length = barsum::countedMetres(bar, elements, toShape, toLength);
        if (bar.isGuJin())
            stirrups += barsum::barCount(bar, elements);
        addLengthItem(&bar, length, whole);
        addLengthItemByName(&bar, length, group, groups);
    });
    if (groups.empty())
        return target;

    const CVes_SortRules& rules = m_rules;
    const bool english = m_language == 1;
    const sumrows::ItemUnits units{transUnit(lengthUnit, kMetre), transUnit(kKilogram, weightUnit),
                                   transUnit(kTonne, weightUnit)};
    const auto append = [target](const QStringList& row) { target->Add(row); };
    if (rules.m_sumInEleType)
        sumrows::appendGroupRows(append, groups, {kOthers}, rules.m_dnOrder, units, false);
    append(sumrows::sizeHeading(rules, english));
    sumrows::SizeTotals sizes = sumrows::appendSizeRows(append, whole, rules, m_yuanCai, units,
                                                        sumrows::PriceCell::Cost);
    sumrows::appendBreakdownRows(append, rules, sizes.sums, kGradeRows);
    if (rules.m_calcStirrupFee) {
        const barsum::StirrupFee fee = barsum::stirrupFee(rules, stirrups);
        sizes.cost += fee.fee;
        append(sumrows::stirrupFeeRow(QStringLiteral("箍筋总计"), fee.count, fee.fee, rules));
    }
    if (sizes.sums.totalWeight > 0.0)
        sumrows::appendTotalRows(append, sizes.sums.totalWeight, english,
                                 sumrows::totalLossNote(rules, whole), rules.m_autoPrice != 0,
                                 sizes.cost);
    target->setModified(1);
    return target;
}

CVes_SLSumaryJTtable* CVes_SLTable::SummaryJT(CVes_SLSumaryJTtable* target)
{
    target = prepareSheet(target, *this);
    if (m_lines.isEmpty())
        return target;
    target->initTableCover();

    SumJointItems whole;
    SumGroups groups;
    forEachBar(m_lines, [&](CVes_Steel& bar, int elements, const QString& group) {
        double length = 0.0;
        std::int64_t count = 0;
        std::int64_t jointFactor = 0;
        singleSteelAmount(&bar, elements, length, count, jointFactor);
        addBarJoints(&bar, count, jointFactor, whole, group, groups);
    });

    // Unlike the bar list's, the quantity sheet's joint summary counts no
    // lap ties (type 1) and writes a coupler's size with its threads.
    const auto writeItems = [&](SumJointItems& items) {
        sumrows::appendJointRows([target](const QStringList& row) { target->Add(row); }, items,
                                 m_rules.m_dnOrder, 2, jointSize);
    };
    sumrows::othersLast(groups, {kOthers});
    for (CVes_SumGroup& group : groups) {
        target->Add({group.name});
        writeItems(group.joints);
    }
    target->Add({QStringLiteral("合计")});
    writeItems(whole);
    target->setModified(1);
    return target;
}
