// The bar list's quantities: counts, lengths, weights and joints of its bar
// rows, as the page summary, the totals of the cover, and the total blocks
// the user appends to the list.

#include "tables/barlist/setuptable.h"

#include "core/model/connecttext.h"
#include "platform/gbk.h"
#include "tables/barlist/countedbars.h"
#include "tables/framework/tablehelpers.h"
#include "tables/shared/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"

#include <QHash>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

namespace {


using barsum::truncated;
using barsum::weightOf;

// The quantities list their sizes and joints from the smallest diameter up,
// whatever the summaries' diameter order.
constexpr int kSmallFirst = 1;

void sortLengths(SumLengthItems& items)
{
    barsum::sortLengths(items, kSmallFirst);
}

void sortJoints(SumJointItems& items)
{
    sumrows::sortJoints(items, kSmallFirst);
}

QString jointText2(const CVes_SumJointItem& item)
{
    return barcore_getConnectStringAll2(item.type, truncated(item.diameter), item.thread,
                                        item.otherDiameter, item.otherThread);
}

QString jointText(int type, const CVes_SumJointItem& item)
{
    return barcore_getConnectStringAll(type, truncated(item.diameter), item.thread,
                                       item.otherDiameter, item.otherThread);
}

CVes_SetupTableLine* textRow(std::initializer_list<std::pair<int, QString>> cells)
{
    auto* row = new CVes_SetupTableLine(int(CVes_SetupTableLine::kTextLine));
    row->setNull(0);
    for (const auto& [column, text] : cells)
        row->SetText(column, text);
    return row;
}

CVes_SetupTableLine* emptyBarRow()
{
    return new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
}

// Appends entries to a text, starting a new line before an entry once the
// current line is longer than the width (in GBK bytes).
class LineBreaker {
public:
    explicit LineBreaker(int width) : m_width(width) {}
    void add(const QString& entry)
    {
        if (platform::gbk::byteLength(m_line) > m_width) {
            m_text += m_line + QLatin1Char('\n');
            m_line.clear();
        }
        m_line += entry;
    }
    void start(const QString& line) { m_line = line; }
    QString finish()
    {
        m_text += m_line;
        m_line.clear();
        return m_text;
    }
    void append(const QString& text) { m_text += text; }

private:
    int m_width;
    QString m_text;
    QString m_line;
};

} // namespace

void CVes_SetupTable::singleSteelAmount(CVes_Steel* bar, int pieces, double& length,
                                        std::int64_t& count, std::int64_t& midFactor)
{
    barsum::singleSteelAmount(bar, pieces, m_rules, m_units.value(kColShape, kMillimetre), length,
                              count, midFactor);
}

void CVes_SetupTable::collectAmounts(const TableLineList& rows, SumLengthItems& lengths,
                                     SumJointItems& joints)
{
    forCountedBars(*this, rows, [&](CVes_SetupTableLine& line, int pieces) {
        double length = 0.0;
        std::int64_t count = 0;
        std::int64_t midFactor = 0;
        singleSteelAmount(&line.m_steel, pieces, length, count, midFactor);
        addLengthItem(&line.m_steel, length, lengths);
        addJointItems(&line.m_steel, count, joints);
        addMidJointItems(&line.m_steel, midFactor, joints);
    });
    sortLengths(lengths);
    sortJoints(joints);
}

QString CVes_SetupTable::AmountOfCurPage(int charsPerLine)
{
    const bool english = m_language == 1;
    SumLengthItems lengths;
    SumJointItems joints;
    collectAmounts(m_pageLines, lengths, joints);

    const bool showWeight = m_sumWeight != 0;
    const bool showLength = m_sumLength != 0;
    QString label;
    if (showWeight && showLength)
        label = english ? QStringLiteral("Weight(Length):") : QStringLiteral("重(长):");
    else if (showWeight)
        label = english ? QStringLiteral("Weight:") : QStringLiteral("重量:");
    else if (showLength)
        label = english ? QStringLiteral("Length:") : QStringLiteral("长度:");

    const double toWeight = transUnit(kKilogram, m_units.value(kColTotalWeight, kKilogram));
    LineBreaker text(charsPerLine);
    text.start(label);
    if (showWeight || showLength) {
        double totalWeight = 0.0;
        double totalLength = 0.0;
        for (const auto& item : lengths) {
            const QString g = Steel_GradeDNToTableString(item.grade, item.diameter, item.coating);
            const double weight = weightOf(item, toWeight);
            const QString L = QString::asprintf("%.2f", item.length);
            const QString W = QString::asprintf("%.2f", weight);
            if (showWeight && showLength)
                text.add(QStringLiteral("{%1：%2(%3)} ").arg(g, W, L));
            else
                text.add(QStringLiteral("{%1：%2} ").arg(g, showLength ? L : W));
            totalWeight += weight;
            totalLength += item.length;
        }
        const QString total = english ? QStringLiteral("Total") : QStringLiteral("总计");
        if (showWeight && showLength)
            text.add(QStringLiteral("{%1：%2(%3) } ")
                         .arg(total, QString::asprintf("%.2f", totalWeight),
                              QString::asprintf("%.2f", totalLength)));
        else
            text.add(QStringLiteral("{%1：%2 } ")
                         .arg(total, QString::asprintf("%.2f", showLength ? totalLength
                                                                           : totalWeight)));
    }
    text.finish();

    if (m_sumJoint) {
        if (m_summaryRowHeight == 2)
            text.append(QStringLiteral("\n"));
        text.start(english ? QStringLiteral("Connect Style：") : QStringLiteral("连接方式："));
        for (const auto& item : joints) {
            if (item.count < 1)
                continue;
            const QString n = english ? QStringLiteral("%1} ").arg(item.count)
                                      : QStringLiteral("%1个} ").arg(item.count);
            text.add(QLatin1Char('{') + jointText2(item) + QStringLiteral(", ") + n);
        }
    }
    return text.finish();
}

void CVes_SetupTable::AmountToString(QStringList& weights, QStringList& joints)
{
    SumLengthItems lengthItems;
    SumJointItems jointItems;
    collectAmounts(m_lines, lengthItems, jointItems);

    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    const double toWeight = transUnit(kKilogram, weightUnit);
    QString unit = QStringLiteral(" kg");
    if (weightUnit == kTonne)
        unit = QStringLiteral(" t");
    else if (weightUnit == kGram)
        unit = QStringLiteral(" g");

    double sum = 0.0;
    bool withLoss = false;
    for (const auto& item : lengthItems) {
        QString g = Steel_GradeDNToTableString(item.grade, item.diameter, item.coating);
        if (g.size() < 5)
            g += QStringLiteral("  ");
        const double weight = m_rules.withLoss(weightOf(item, toWeight), item.diameter);
        withLoss = withLoss || m_rules.lossPercent(item.diameter) != 0.0;
        weights << QString::asprintf("%s: %.2f", qUtf8Printable(g), weight) + unit;
        sum += weight;
    }
    // The weights carry the summaries' loss, which the pages' totals do not.
    weights << QString::asprintf(withLoss ? "总重量(含损耗): %.2f" : "总重量: %.2f", sum) + unit;

    for (const auto& item : jointItems) {
        if (item.count > 0)
            joints << jointText2(item) + QStringLiteral(", ") + QStringLiteral("%1个").arg(item.count);
    }
}

void CVes_SetupTable::Amount()
{
    clearNullLineOfEnd();
    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    const double toMetre = transUnit(shapeUnit, kMetre);
    const double mmToMetre = transUnit(kMillimetre, kMetre);
    const double toWeight = transUnit(kKilogram, m_units.value(kColTotalWeight, kKilogram));

    SumLengthItems lengths;
    SumJointItems joints;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        CVes_Steel& bar = line.m_steel;
        // Unlike the summaries, the totals block takes a single bar's
        // computed length in millimetres whatever the shape unit.
        const double length =
            !bar.isMultiVal() && bar.calcLength
                ? double(bar.count) * truncated(bar.calculateLength(0, 1.0)) * pieces * mmToMetre
                : barsum::countedMetres(bar, pieces, toShape, toMetre);
        addLengthItem(&bar, length, lengths);
        addJointItems(&bar, barsum::barCount(bar, pieces), joints);
    });
    sortLengths(lengths);
    sortJoints(joints);

    appendLine(emptyBarRow());
    appendLine(textRow({{0, QStringLiteral("合计")}}));
    for (const auto& item : lengths) {
        appendLine(textRow(
            {{kColGrade, Steel_GradeDNToTableString(item.grade, item.diameter, item.coating)},
             {kColTotalLength, QString::asprintf("%.2f", item.length)},
             // In the unit of the weight column, as the bar rows show theirs.
             {kColTotalWeight, QString::asprintf("%.2f", weightOf(item, toWeight))}}));
    }
    for (const auto& item : joints) {
        appendLine(textRow({{kColGrade, jointText(item.type, item) + QStringLiteral(", ")
                                            + QStringLiteral("%1个。").arg(item.count)}}));
    }
    setPageTo(m_curPage, 1);
    markEdited();
    AddUndo();
}

void CVes_SetupTable::Amount(CVes_totalSteelType& options)
{
    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    const double toWeight = transUnit(kKilogram, weightUnit);
    const QString others = QStringLiteral("其它");

    SumLengthItems lengths;
    SumJointItems joints;
    SumGroups groups;
    {
        // Names per row, in table order, for the rows forCountedBars visits.
        QString current = others;
        QHash<const CVes_TableBaseLine*, QString> names;
        for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
            auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
            if (line && !line->isNull() && line->isElementLine())
                current = line->getElement();
            names.insert(base, current);
        }
        forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int n) {
            double length = 0.0;
            std::int64_t count = 0;
            std::int64_t midFactor = 0;
            singleSteelAmount(&line.m_steel, n, length, count, midFactor);
            const QString name = names.value(&line, others);
            addLengthItem(&line.m_steel, length, lengths);
            addLengthItemByName(&line.m_steel, length, name, groups);
            addBarJoints(&line.m_steel, count, midFactor, joints, name, groups);
        });
    }
    sortLengths(lengths);
    sortJoints(joints);

    std::vector<CVes_SetupTableLine*> block;
    if (options.m_place == 0)
        block.push_back(emptyBarRow());
    block.push_back(textRow(
        {{0, QStringLiteral("┌────────────────────────┤<汇总开始>├────────────────────────┐")}}));

    if (options.m_perElement && !groups.empty()) {
        sumrows::othersLast(groups, {others});
        for (auto& group : groups) {
            sortLengths(group.lengths);
            sortJoints(group.joints);
            block.push_back(textRow({{0, group.name}}));
            int number = 1;
            for (const auto& item : group.lengths) {
                auto* row = textRow(
                    {{0, QString::number(number++)},
                     {kColGrade,
                      Steel_GradeDNToTableString(item.grade, item.diameter, item.coating)}});
                if (options.m_length)
                    row->SetText(kColTotalLength, QString::asprintf("%.2f", item.length));
                if (options.m_weight)
                    row->SetText(kColTotalWeight,
                                 QString::asprintf("%.3f", weightOf(item, toWeight)));
                block.push_back(row);
            }
            if (options.m_joint) {
                for (const auto& item : group.joints) {
                    if (item.count == 0)
                        continue;
                    auto* row = textRow({});
                    if (item.type >= 2) {
                        row->SetText(kColGrade, barcore_getConnectString(item.type));
                        row->SetText(kColShape, jointText(-item.type, item));
                        row->SetText(kColCount, QStringLiteral("%1个").arg(item.count));
                    }
                    block.push_back(row);
                }
            }
        }
    }

    if (options.m_wholeTable) {
        block.push_back(emptyBarRow());
        block.push_back(textRow({{0, QStringLiteral("总计")}}));
        double sum = 0.0;
        for (const auto& item : lengths) {
            auto* row = textRow(
                {{kColGrade, Steel_GradeDNToTableString(item.grade, item.diameter, item.coating)}});
            if (options.m_length)
                row->SetText(kColTotalLength, QString::asprintf("%.2f", item.length));
            // The lengths are metres already: the weight needs only the
            // weight unit's factor.
            const double weight = weightOf(item, toWeight);
            if (options.m_weight)
                row->SetText(kColTotalWeight, QString::asprintf("%.2f", weight));
            sum += weight;
            block.push_back(row);
        }
        if (sum > 0.0)
            block.push_back(textRow({{kColTotalLength, QStringLiteral("总重：")},
                                     {kColTotalWeight, QString::asprintf("%.2f", sum)}}));
        if (options.m_joint) {
            for (const auto& item : joints) {
                block.push_back(textRow(
                    {{kColGrade, barcore_getConnectString(item.type) + QStringLiteral("： ")},
                     {kColShape, jointText(-item.type, item) + QStringLiteral(", ")},
                     {kColCount, QStringLiteral("%1个").arg(item.count)}}));
            }
        }
    }
    block.push_back(textRow(
        {{0, QStringLiteral("└────────────────────────┤<汇总结束>├────────────────────────┘")}}));
    if (options.m_place == 1)
        block.push_back(emptyBarRow());

    clearNullLineOfEnd();
    if (options.m_place != 0) {
        for (auto it = block.rbegin(); it != block.rend(); ++it)
            m_lines.prepend(*it);
    } else {
        for (auto* row : block)
            appendLine(row);
    }
    setPageTo(m_curPage, 1);
    markEdited();
    AddUndo();
}
