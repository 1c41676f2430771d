// The bar list's summary sheets: the bar summary (lengths, weights, losses,
// prices and the breakdowns by diameter class and grade) and the joint
// summary. Both are derived sheets holding only text rows, rebuilt from
// scratch on every call.

#include "tables/barlist/setuptable.h"

#include "platform/saturate.h"
#include "core/geometry/datafolder.h"
#include "core/geometry/steeltext.h"
#include "core/model/connecttext.h"
#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "tables/barlist/countedbars.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/tabletextline.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using barsum::sortLengths;
using barsum::truncated;
using barsum::unitWeight;

constexpr int kTitleFirstCopied = 2;
constexpr int kTitleLastCopied = 7;

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
    for (int i = kTitleFirstCopied; i <= kTitleLastCopied; ++i)
        target->m_texts[i] = source.m_texts[i];
    return target;
}

using decimals::f2;
using decimals::f3;

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

// A length item's weight: its length is in metres already, so only the
// weight column's factor is needed.
double weightOf(const CVes_SumLengthItem& item, const barsum::MetreUnits& units)
{
    return unitWeight(item.grade, item.diameter) * item.length * units.toWeight;
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
        const std::int64_t n = platform::saturatedProduct({pieces, bar.count, bar.isMultiVal() ? bar.getMultiGroup() : 1});
        if (bar.isGuJin()) {
            totals.stirrupCount += n;
            totals.stirrupWeight += unitWeight(bar.grade, bar.DN) * L * units.toWeight;
        }
        addLengthItemByName(&bar, L, rows.names.value(&line, others), totals.groups);
        addLengthItem(&bar, L, totals.whole);
    });
    return totals;
}

// A header row per group (its name and total weight) over a row per size.
void writeGroupRows(CVes_SLSumaryTable& target, SumGroups& groups, int dnOrder,
                    const barsum::MetreUnits& units)
{
    othersLast(groups);
    for (CVes_SumGroup& group : groups) {
        CVes_TableTextLine* header = target.Add({group.name});
        sortLengths(group.lengths, dnOrder);
        double sum = 0.0;
        int number = 1;
        for (const CVes_SumLengthItem& item : group.lengths) {
            const double w = weightOf(item, units);
            sum += w;
            target.Add({QString(), QString::number(number++),
                        Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                        f2(item.length), f3(w)});
        }
        QStringList texts = header->getTexts();
        while (texts.size() < 5)
            texts << QString();
        texts[4] = f3(sum);
        header->setTexts(texts);
    }
}

// What the whole list's rows add up to, for the breakdown under them.
struct WholeListSums {
    sumrows::ItemSums items;
    std::int64_t feeCount = 0;
    float fee = 0.0f;
};

// The whole list's rows: one per size (weight with or without loss, price
// and cost when priced, from the list's raw stock or the stock file), the
// stirrup fee, then the total rows.
WholeListSums writeWholeListRows(CVes_SLSumaryTable& target, BarTotals& totals,
                                 CVes_SetupTable& table,
                                 const barsum::MetreUnits& units, bool english)
{
    const CVes_SortRules& rules = table.getSortRules();
    CVes_SteelYuanCaiDataLib stock;
    stock.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    sortLengths(totals.whole, rules.m_dnOrder);

    const bool pricing = rules.m_autoPrice != 0;
    const bool lossInItems = rules.m_lossPlace == 1;
    const QString lossNote = sumrows::lossNote(rules);

    target.Add({});
    QStringList heading{english ? QStringLiteral("Total") : QStringLiteral("各规格合计"),
                        lossInItems ? lossNote : QString()};
    if (pricing)
        heading << QString() << QString() << QString() << QStringLiteral("单价 / 总价");
    target.Add(heading);

    WholeListSums sums;
    double totalCost = 0.0;
    int number = 1;
    for (const CVes_SumLengthItem& item : totals.whole) {
        const double w = weightOf(item, units);
        const double withLoss = w * (1.0 + rules.lossPercent(item.diameter) * 0.01);
        const double shown = lossInItems ? withLoss : w;
        QStringList row{QString(), QString::number(number++),
                        Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                        f2(item.length), f3(shown)};

        const CVes_SteelYuanCaiData* record = barsum::stockRecord(table.m_yuanCai, stock, item);
        if (pricing) {
            const double price = record->price;
            if (price <= 0.0) {
                row << QStringLiteral("原材未定价");
            } else {
                const double cost = shown / units.perTonne * price;
                row << QString::asprintf("%.1f  /  %.2f 元", price, cost);
                totalCost += lossInItems ? cost : withLoss / units.perTonne * price;
            }
        }
        target.Add(row);

        sums.items.add(item, shown, withLoss, rules.isWireRod(item.diameter));
    }

    sums.feeCount = rules.m_autoStirrupCount ? totals.stirrupCount : rules.m_stirrupCount;
    if (rules.m_calcStirrupFee) {
        sums.fee = float(sums.feeCount) * rules.m_stirrupFee;
        totalCost += sums.fee;
    }

    if (sums.items.totalWeight > 0.0)
        sumrows::appendTotalRows([&target](const QStringList& row) { target.Add(row); },
                                 sums.items.totalWeight, english,
                                 sumrows::totalLossNote(rules, totals.whole), pricing, totalCost);
    return sums;
}

// "其中": the breakdowns by diameter class and by grade the rules ask for,
// the stirrups' weight and their fee.
void writeBreakdownRows(CVes_SLSumaryTable& target, const CVes_SortRules& rules,
                        const WholeListSums& sums, double stirrupWeight)
{
    if (!(rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee))
        return;
    target.Add({});
    target.Add({QStringLiteral("其中")});
    const auto append = [&target](const QStringList& row) { target.Add(row); };
    if (rules.m_sumByDnClass)
        sumrows::appendClassRows(append, sums.items.classes, rules.m_wireDN);
    if (rules.m_sumByGrade)
        sumrows::appendGradeRows(append, kGradeRows, [&](int grade) {
            const auto found = sums.items.gradeWeight.find(grade);
            return found == sums.items.gradeWeight.end() ? 0.0 : found->second;
        });
    target.Add({QStringLiteral("箍筋总重"), QString(), QString(), QString(), f2(stirrupWeight)});
    if (sums.fee > 0.0f)
        target.Add({QStringLiteral("箍筋总根数"), QString(), QString(),
                    QStringLiteral("%1根").arg(sums.feeCount),
                    QString::asprintf("%.2f元", double(sums.fee)),
                    QString::asprintf("（%.2f元/根）", double(rules.m_stirrupFee))});
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
    if (m_rules.m_sumInEleType && !totals.groups.empty())
        writeGroupRows(*target, totals.groups, m_rules.m_dnOrder, units);
    const WholeListSums sums = writeWholeListRows(*target, totals, *this, units, english);
    writeBreakdownRows(*target, m_rules, sums, totals.stirrupWeight);
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
        const QString name = names.value(&line, others);
        addJointItemsByName(&bar, count, name, groups);
        addJointItems(&bar, count, whole);
        addMidJointItemsByName(&bar, midFactor, name, groups);
        addMidJointItems(&bar, midFactor, whole);
    });

    const auto writeItems = [&](SumJointItems& items) {
        sumrows::sortJoints(items, m_rules.m_dnOrder);
        int number = 1;
        for (const CVes_SumJointItem& item : items) {
            if (item.count < 1 || item.type < 1)
                continue;
            target->Add({QString(), QString::number(number++),
                               barcore_getConnectString(item.type),
                               barcore_getConnectStringAll(-item.type, truncated(item.diameter),
                                                           item.thread, item.otherDiameter,
                                                           item.otherThread),
                               QString::number(item.count)});
        }
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
