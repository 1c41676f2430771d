// The summary of a processing sheet: equal bars joined into one row each,
// sorted by the sheet's sort order, then the total lengths and weights by
// grade and diameter of the stirrups, bent bars and straight bars that the
// filter bits ask for.

#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtableeditline.h"
#include "tables/shared/sumhelpers.h"

#include <array>

namespace {

// The lists of totals, in the order their blocks are written.
enum TotalsKind { kStirrupTotals, kBentTotals, kStraightTotals, kTotalsKinds };

struct TotalsBlock {
    int filterBit;
    const char* caption;
    const char* totalCaption;
};

constexpr TotalsBlock kBlocks[kTotalsKinds] = {
    {CVes_ProcessListTable::kStirrups, "箍筋合计", "箍筋总重"},
    {CVes_ProcessListTable::kBent, "弯曲（带拐）钢筋合计", "弯曲（带拐）钢筋总重"},
    {CVes_ProcessListTable::kStraight, "直条钢筋合计", "直条钢筋总重"},
};
constexpr const char* kGrandTotalCaption = "合计总重";

// The total length of a bar row in the shape column's unit.
double totalLength(CVes_ProcessSteel& bar, double toShape)
{
    if (bar.isMultiVal()) {
        return (double(bar.getLength(0, toShape)) + bar.getLength(1, toShape))
               * bar.getMultiGroup() * bar.count * 0.5;
    }
    const double single = bar.calcLength ? bar.getLength(0, toShape) : bar.length;
    return double(barsum::truncated(single)) * bar.count;
}

TotalsKind totalsKind(CVes_ProcessSteel& bar)
{
    if (bar.isGuJin())
        return kStirrupTotals;
    if (bar.isHaveLeftHook())
        return kBentTotals;
    if (!bar.isHaveRightHook() && bar.isOneSide())
        return kStraightTotals;
    return kBentTotals;
}

// A caption in the first column and a weight in the weight column.
void appendWeightRow(CVes_ProcessListTable& target, const QString& caption, double weight)
{
    target.Add(QStringList{caption, QString(), QString(), QString(), QString(), QString(),
                           QString::asprintf("%.1f", weight)});
}

// Under the rows a block of the kind's totals by size and its weight;
// answers that weight (0 for a block not written).
double appendTotals(CVes_ProcessListTable& target, const TotalsBlock& block, SumLengthItems& items)
{
    const int order = int(target.getSortOrder());
    if (order == CVes_ProcessListTable::kSortUp || order == CVes_ProcessListTable::kSortDown)
        barsum::sortLengths(items, order);
    if (items.empty())
        return 0.0;
    const double toLength = CVes_Template::transUnit(
        CVes_Template::kMetre, target.m_units.value(CVes_ProcessListTable::kColTotalLength));
    const double toWeight = CVes_Template::transUnit(
        CVes_Template::kKilogram, target.m_units.value(CVes_ProcessListTable::kColWeight));
    target.Add(QStringList{QString::fromUtf8(block.caption)});
    double sum = 0.0;
    int n = 0;
    for (const CVes_SumLengthItem& item : items) {
        const double weight = barsum::weightOf(item, toWeight);
        sum += weight;
        target.Add(QStringList{QString::asprintf("%d", ++n),
                               Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                               QString(), QString(), QString(),
                               QString::asprintf("%.2f", item.length * toLength),
                               QString::asprintf("%.1f", weight)});
    }
    if (sum > 0.0)
        appendWeightRow(target, QString::fromUtf8(block.totalCaption), sum);
    return sum;
}

} // namespace

CVes_ProcessListTable* CVes_ProcessTable::toListSheet(CVes_ProcessListTable* target)
{
    if (target)
        target->clearnAllLineOnly();
    else
        target = new CVes_ProcessListTable();

    target->m_sortOrder = m_sortOrder;
    target->m_reserved = m_reserved;
    target->m_filter = m_filter;
    for (std::size_t i = 2; i < m_texts.size(); ++i)
        target->m_texts[i] = m_texts[i];
    target->growColumnLists();
    target->m_units[kColShape - 1] = m_units.value(kColShape, kMillimetre);
    target->m_units[kColLength - 1] = m_units.value(kColLength, kMillimetre);

    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const double toMetre = transUnit(shapeUnit, kMetre);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    std::array<SumLengthItems, kTotalsKinds> totals;
    {
        CVes_ProcessListTable::Joining joining(*target);
        for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
            auto* line = dynamic_cast<CVes_ProcessTableEditLine*>(row);
            if (!line || line->isNull() || !line->isSteelLine())
                continue;
            CVes_ProcessSteel bar(*line->getProcessSteel());
            if (!bar.isNull())
                joining.join(bar);
            if (m_filter)
                addLengthItem(&bar, totalLength(bar, toShape) * toMetre, totals[totalsKind(bar)]);
        }
    }
    target->SortList(target->m_sortOrder);
    double weight = 0.0;
    int weighed = 0;
    for (int kind = 0; kind < kTotalsKinds; ++kind) {
        if (!(m_filter & kBlocks[kind].filterBit))
            continue;
        const double block = appendTotals(*target, kBlocks[kind], totals[std::size_t(kind)]);
        weight += block;
        weighed += block > 0.0 ? 1 : 0;
    }
    // Two kinds or more weighed: their sum, the weight of every bar shown.
    if (weighed > 1)
        appendWeightRow(*target, QString::fromUtf8(kGrandTotalCaption), weight);
    return target;
}
