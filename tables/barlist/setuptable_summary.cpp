// The bar list's summary sheets: the bar summary (lengths, weights, losses,
// prices and the breakdowns by diameter class and grade) and the joint
// summary. Both are derived sheets holding only text rows, rebuilt from
// scratch on every call.

#include "tables/barlist/setuptable.h"

#include "core/model/connecttext.h"
#include "tables/barlist/countedbars.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/tabletextline.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/shared/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"
#include "tables/shared/titleblock.h"

#include <QHash>

#include <cstdint>

namespace {

using barsum::truncated;

const QString kOthers = QStringLiteral("其它");
const QString kOthersEnglish = QStringLiteral("Orther");

// The group of the bars before the first element line is listed last.
void othersLast(SumGroups& groups)
{
    sumrows::othersLast(groups, {kOthers, kOthersEnglish});
}

// The breakdown by grade: every grade the bar list knows.
constexpr sumrows::GradeRow kGradeRows[] = {
    {1, "HPB300(%%A)", 0.00001}, {2, "HRB335(%%B)", 0.0001}, {3, "HRB400(%%C)", 0.0001},
    {4, "RRB400(%%D)", 0.1},     {5, "HRB500(%%E)", 0.1},    {12, "冷轧带肋(%%L)", 0.1},
    {14, "冷轧扭钢筋(%%N)", 0.1},
};

// Clears the sheet (or makes a new one) and takes the source's language and
// title-block texts. The title follows the language: a sheet titled in
// English for an English list gets its Chinese title back for a Chinese one.
// Unlike the quantity sheet's summaries, the bar list's keep their own page
// set-up and start again from their first page.
template <typename Sheet>
Sheet* prepareSheet(Sheet* target, const CVes_SetupTable& source, const QString& englishTitle)
{
    if (!target)
        target = new Sheet;
    else
        target->clearnAllLine();
    if (source.m_language == 1)
        target->setTitle(englishTitle);
    else if (target->m_texts[0].m_formula == englishTitle)
        target->setTitle(Sheet().m_texts[0].m_formula);
    target->setLanguage(source.m_language);
    barsum::takeTitleBlock(*target, source);
    return target;
}

using decimals::f2;

// The group name of every row and whether it is counted: each element line
// names the rows from it on ("name (n件)"), the rows before the first are the
// others'. With `chosen`, an element that is not among the chosen ones
// leaves its rows out (and the name before it in place).
struct RowGroups {
    QHash<const CVes_TableBaseLine*, QString> names;
    QHash<const CVes_TableBaseLine*, bool> included;
};

RowGroups rowGroups(const TableLineList& lines, const QString& others,
                    const CVes_HuizongRules* chosen)
{
    RowGroups rows;
    QString name = others;
    bool include = true;
    for (CVes_TableBaseLine* base : lines) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
        if (line && !line->isNull() && line->isElementLine()) {
            if (chosen && !chosen->m_elements.contains(line)) {
                include = false;
            } else {
                include = true;
                name = QString::asprintf("%s (%d件)", qUtf8Printable(line->getElement()),
                                         line->getEleNum());
            }
        }
        rows.names.insert(base, name);
        rows.included.insert(base, include);
    }
    return rows;
}

// What the bar summary counts: the lengths by size of the whole list and of
// each group, and the stirrups' count and weight.
struct BarTotals {
    SumLengthItems whole;
    SumGroups groups;
    std::int64_t stirrupCount = 0; // a list's stirrups outnumber an int
    double stirrupWeight = 0.0;
};

// Counts the bars of the counted rows; the summary's mode may keep only the
// rows of chosen elements or the bars whose number or remark matches its key.
BarTotals countBars(const CVes_SetupTable& table, const RowGroups& rows, const QString& others,
                    const barsum::MetreUnits& units)
{
    const CVes_HuizongRules& rules = table.m_huizong;
    const int selection = rules.m_mode;
    BarTotals totals;
    forCountedBars(table, table.m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        if (!rows.included.value(&line, true))
            return;
        CVes_Steel& bar = line.m_steel;
        if (selection == CVes_HuizongRules::kBarNumberKey && !rules.PipeiKey(bar.number))
            return;
        if (selection == CVes_HuizongRules::kBarRemarkKey && !rules.PipeiKey(bar.remark))
            return;
        const double L = barsum::countedMetres(bar, pieces, units.toShape, units.toMetre);
        if (bar.isGuJin()) {
            totals.stirrupCount += barsum::barCount(bar, pieces);
            totals.stirrupWeight += barsum::weightOf(bar.grade, bar.DN, L, units.toWeight);
        }
        addLengthItemByName(&bar, L, rows.names.value(&line, others), totals.groups);
        addLengthItem(&bar, L, totals.whole);
    });
    return totals;
}

// The whole list's section, as the bar list writes it: an empty row above
// its heading; the heading always has its loss cell, and with pricing on
// "单价 / 总价" above the price cells, each row showing the price a tonne
// and its cost. The total rows come before the "其中" breakdown.
sumrows::SizeTotals writeWholeListRows(const sumrows::AppendRow& append, BarTotals& totals,
                                       CVes_SetupTable& table, const sumrows::ItemUnits& units,
                                       bool english)
{
    const CVes_SortRules& rules = table.getSortRules();
    const bool pricing = rules.m_autoPrice != 0;
    append({});
    QStringList heading = sumrows::sizeHeading(rules, english);
    if (heading.size() < 2)
        heading << QString();
    if (pricing)
        heading << QString() << QString() << QString() << QStringLiteral("单价 / 总价");
    append(heading);

    using sumrows::PriceCell;
    sumrows::SizeTotals sizes =
        sumrows::appendSizeRows(append, totals.whole, rules, table.m_yuanCai, units,
                                pricing ? PriceCell::PriceAndCost : PriceCell::None);
    if (rules.m_calcStirrupFee)
        sizes.cost += barsum::stirrupFee(rules, totals.stirrupCount).fee;
    if (sizes.sums.totalWeight > 0.0)
        sumrows::appendTotalRows(append, sizes.sums.totalWeight, english,
                                 sumrows::totalLossNote(rules, totals.whole), pricing, sizes.cost);
    return sizes;
}

// "其中": the breakdowns the rules ask for, then the stirrups' weight and,
// when one is charged, their fee ("箍筋总根数").
void writeBreakdownRows(const sumrows::AppendRow& append, const CVes_SortRules& rules,
                        const sumrows::ItemSums& sums, const BarTotals& totals)
{
    if (!sumrows::appendBreakdownRows(append, rules, sums, kGradeRows))
        return;
    append({QStringLiteral("箍筋总重"), QString(), QString(), QString(), f2(totals.stirrupWeight)});
    const barsum::StirrupFee fee = barsum::stirrupFee(rules, totals.stirrupCount);
    if (rules.m_calcStirrupFee && fee.fee > 0.0f)
        append(sumrows::stirrupFeeRow(QStringLiteral("箍筋总根数"), fee.count, fee.fee, rules));
}

} // namespace

void CVes_SetupTable::nameBarSummary(CVes_SLSumaryTable& sheet)
{
    sheet.setTitle(QStringLiteral("钢筋配料汇总表"));
}

CVes_SLSumaryTable* CVes_SetupTable::SummarySTeel(CVes_SLSumaryTable* target, unsigned int mode)
{
    const bool english = m_language == 1;
    target = prepareSheet(target, *this, QStringLiteral("Bar Bending Total Schedule"));
    // Its groups are the list's elements, as in the joint summary.
    target->m_captions[0] = QStringLiteral("构件编号");
    target->m_units[CVes_SLSumaryTable::kColLength] = m_units.value(kColTotalLength, kMetre);
    target->m_units[CVes_SLSumaryTable::kColWeight] = m_units.value(kColTotalWeight, kKilogram);
    if (m_lines.isEmpty())
        return target;
    if (mode < 6)
        m_huizong.m_mode = int(mode);
    target->initTableCover();

    const barsum::MetreUnits units = barsum::metreUnits(m_units.value(kColShape, kMillimetre),
                                                        m_units.value(kColTotalWeight, kKilogram));
    const QString others = english ? kOthersEnglish : kOthers;
    const bool chosenOnly = m_huizong.m_mode == CVes_HuizongRules::kChosenElements;
    const RowGroups rows = rowGroups(m_lines, others, chosenOnly ? &m_huizong : nullptr);
    BarTotals totals = countBars(*this, rows, others, units);
    const auto append = [target](const QStringList& row) { target->Add(row); };
    // Lengths are summed in metres.
    const sumrows::ItemUnits itemUnits{1.0, units.toWeight, units.perTonne};
    // Each group's header shows the group's weight.
    if (m_rules.m_sumInEleType && !totals.groups.empty())
        sumrows::appendGroupRows(append, totals.groups, {kOthers, kOthersEnglish},
                                 m_rules.m_dnOrder, itemUnits, true);
    const sumrows::SizeTotals sizes = writeWholeListRows(append, totals, *this, itemUnits, english);
    writeBreakdownRows(append, m_rules, sizes.sums, totals);
    return target;
}

CVes_SLSumaryJTtable* CVes_SetupTable::SummaryJT(CVes_SLSumaryJTtable* target)
{
    const bool english = m_language == 1;
    target = prepareSheet(target, *this, QStringLiteral("Bar Connect Total Schedule"));
    target->m_captions[0] = QStringLiteral("构件编号");
    if (m_lines.isEmpty())
        return target;
    target->initTableCover();

    const QString others = english ? kOthersEnglish : kOthers;
    const QHash<const CVes_TableBaseLine*, QString> names = rowGroups(m_lines, others, nullptr).names;

    SumJointItems whole;
    SumGroups groups;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        CVes_Steel& bar = line.m_steel;
        double length = 0.0;
        std::int64_t count = 0;
        std::int64_t midFactor = 0;
        singleSteelAmount(&bar, pieces, length, count, midFactor);
        addBarJoints(&bar, count, midFactor, whole, names.value(&line, others), groups);
    });

    // The bar list lists lap ties (type 1) too, each size as the joint
    // names write it.
    const auto writeItems = [&](SumJointItems& items) {
        sumrows::appendJointRows(
            [target](const QStringList& row) { target->Add(row); }, items, m_rules.m_dnOrder, 1,
            [](const CVes_SumJointItem& item) {
                return barcore_getConnectStringAll(-item.type, truncated(item.diameter),
                                                   item.thread, item.otherDiameter,
                                                   item.otherThread);
            });
    };

    if (m_rules.m_sumInEleType && !groups.empty()) {
        othersLast(groups);
        for (CVes_SumGroup& group : groups) {
            target->Add({group.name});
            writeItems(group.joints);
        }
    }
    target->Add({});
    target->Add({english ? QStringLiteral("Total") : QStringLiteral("各规格总计")});
    writeItems(whole);
    return target;
}
