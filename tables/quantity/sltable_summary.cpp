// The quantity sheet's summary sheets: the quantity summary (lengths,
// weights, losses, prices, the "其中" breakdown, the stirrup fee and the
// totals) and the joint summary. Both are rebuilt from scratch on every call.

#include "tables/quantity/sltable.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/steeltext.h"
#include "core/model/connecttext.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"

namespace {

const QString kOthers = QStringLiteral("其它");

constexpr int kTitleFirstCopied = 2;
constexpr int kTitleLastCopied = 7;

// The breakdown by grade; grades 12 and 14 are summed but have no row.
constexpr sumrows::GradeRow kGradeRows[] = {
    {1, "HPB300(%%A)", 0.00001}, {2, "HRB335(%%B)", 0.0001}, {3, "HRB400(%%C)", 0.0001},
    {4, "HRB400(%%D)", 0.1},     {5, "HRB500(%%E)", 0.1},
};

using decimals::f2;
using decimals::f3;

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
// set-up and title-block texts.
template <typename Sheet> Sheet* prepareSheet(Sheet* target, const CVes_SLTable& source)
{
    if (!target)
        target = new Sheet;
    else
        target->clearnAllLineOnly();
    target->CopyPageSetting(&source);
    for (int i = kTitleFirstCopied; i <= kTitleLastCopied; ++i)
        target->m_texts[std::size_t(i)].set(&source.m_texts[std::size_t(i)]);
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

    // Gathering, in the unit of the total-length column
    const double toLength = transUnit(shapeUnit, lengthUnit);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    SumLengthItems whole;
    SumGroups groups;
    long long stirrups = 0;
    forEachBar(m_lines, [&](CVes_Steel& bar, int elements, const QString& group) {
        const int groupCount = bar.getMultiGroup();
        double length = 0.0;
        if (bar.isMultiVal()) {
            length = (double(bar.getLength(0, toShape)) + bar.getLength(1, toShape)) * groupCount
                     * bar.count * elements * 0.5 * toLength;
        } else {
            // Whole shape units; the product in double, so that a large
            // project never wraps round.
            const int cut = barsum::truncated(bar.calcLength ? bar.getLength(0, toShape)
                                                             : bar.length);
            length = double(bar.count) * cut * elements * toLength;
        }
        if (bar.isGuJin())
            stirrups += (long long)bar.count * elements * (bar.isMultiVal() ? groupCount : 1);
        addLengthItem(&bar, length, whole);
        addLengthItemByName(&bar, length, group, groups);
    });
    if (groups.empty())
        return target;

    // Rows
    const CVes_SortRules& rules = m_rules;
    const bool english = m_language == 1;
    const double toMetre = transUnit(lengthUnit, kMetre);
    const double perKilogram = transUnit(kKilogram, weightUnit);
    const double perTonne = transUnit(kTonne, weightUnit);
    const auto weightOf = [&](const CVes_SumLengthItem& item) {
        return barsum::unitWeight(item.grade, item.diameter) * item.length * toMetre * perKilogram;
    };
    const auto sizeText = [](const CVes_SumLengthItem& item) {
        return Steel_GradeDNToTableString(item.grade, item.diameter, item.coating);
    };

    if (rules.m_sumInEleType) {
        sumrows::othersLast(groups, {kOthers});
        for (CVes_SumGroup& group : groups) {
            target->Add({group.name});
            barsum::sortLengths(group.lengths, rules.m_dnOrder);
            int number = 1;
            for (const CVes_SumLengthItem& item : group.lengths)
                target->Add({QString(), QString::number(number++), sizeText(item),
                             f2(item.length), f3(weightOf(item))});
        }
    }

    const bool lossInItems = rules.m_lossPlace == 1;
    const QString lossNote = sumrows::lossNote(rules);
    QStringList heading{english ? QStringLiteral("Total") : QStringLiteral("各规格合计")};
    if (lossInItems)
        heading << lossNote;
    target->Add(heading);

    CVes_SteelYuanCaiDataLib stockFile;
    stockFile.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    barsum::sortLengths(whole, rules.m_dnOrder);
    double totalCost = 0.0;
    sumrows::ItemSums sums;
    int number = 1;
    for (const CVes_SumLengthItem& item : whole) {
        const double w = weightOf(item);
        const double withLoss = (rules.lossPercent(item.diameter) * 0.01 + 1.0) * w;
        const double shown = lossInItems ? withLoss : w;
        const CVes_SteelYuanCaiData* record = barsum::stockRecord(m_yuanCai, stockFile, item);
        QString price = QStringLiteral("原材未定价");
        if (record->price > 0.0f) {
            price = QString::asprintf("%.2f 元", shown / perTonne * record->price);
            totalCost += withLoss / perTonne * record->price;
        }
        target->Add({QString(), QString::number(number++), sizeText(item), f2(item.length),
                     f3(shown), price});
        sums.add(item, shown, withLoss, rules.isWireRod(item.diameter));
    }

    const auto append = [target](const QStringList& row) { target->Add(row); };
    if (rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee) {
        target->Add({});
        target->Add({QStringLiteral("其中")});
    }
    if (rules.m_sumByDnClass)
        sumrows::appendClassRows(append, sums.classes, rules.m_wireDN);
    if (rules.m_sumByGrade)
        sumrows::appendGradeRows(append, kGradeRows,
                                 [&](int grade) { return sums.gradeWeight[grade]; });
    if (rules.m_calcStirrupFee) {
        const long long count = rules.m_autoStirrupCount ? stirrups : rules.m_stirrupCount;
        const float fee = float(count) * rules.m_stirrupFee;
        totalCost += fee;
        target->Add({QStringLiteral("箍筋总计"), QString(), QString(),
                     QString::asprintf("%lld根", count), QString::asprintf("%.2f元", double(fee)),
                     QString::asprintf("（%.2f元/根）", double(rules.m_stirrupFee))});
    }

    if (sums.totalWeight > 0.0)
        sumrows::appendTotalRows(append, sums.totalWeight, english,
                                 sumrows::totalLossNote(rules, whole), rules.m_autoPrice != 0,
                                 totalCost);
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
        addJointItems(&bar, count, whole);
        addJointItemsByName(&bar, count, group, groups);
        addMidJointItems(&bar, jointFactor, whole);
        addMidJointItemsByName(&bar, jointFactor, group, groups);
    });

    // Lap ties (type 1) and free ends (type 0) are no joints.
    const auto writeItems = [&](SumJointItems& items) {
        sumrows::sortJoints(items, m_rules.m_dnOrder);
        int number = 1;
        for (const CVes_SumJointItem& item : items) {
            if (item.count < 1 || item.type < 2)
                continue;
            target->Add({QString(), QString::number(number++), barcore_getConnectString(item.type),
                         jointSize(item), QString::number(item.count)});
        }
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
