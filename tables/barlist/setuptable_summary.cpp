// The bar list's summary sheets: the bar summary (lengths, weights, losses,
// prices and the breakdowns by diameter class and grade) and the joint
// summary. Both are derived sheets holding only text rows, rebuilt from
// scratch on every call.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/steeltext.h"
#include "core/model/connecttext.h"
#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "tables/barlist/countedbars.h"
#include "tables/barlist/sumhelpers.h"
#include "tables/barlist/sumitems.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/tabletextline.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/summaryrows.h"

#include <QHash>

#include <algorithm>
#include <cmath>
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

QString f2(double value) { return QString::asprintf("%.2f", value); }
QString f3(double value) { return QString::asprintf("%.3f", value); }

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

    const int selection = m_huizong.m_mode;
    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    const double toMetre = transUnit(shapeUnit, kMetre);
    const double toWeight = transUnit(kKilogram, weightUnit);
    const double perTonne = transUnit(kTonne, weightUnit);
    const CVes_SortRules& rules = m_rules;

    // ---- Collecting ----
    // The group name of every row and whether its element is chosen.
    const QString others = english ? kOthersEnglish : kOthers;
    QHash<const CVes_TableBaseLine*, QString> names;
    QHash<const CVes_TableBaseLine*, bool> included;
    {
        QString name = others;
        bool include = true;
        for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
            auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
            if (line && !line->isNull() && line->isElementLine()) {
                if (selection == CVes_HuizongRules::kChosenElements
                    && !m_huizong.m_elements.contains(line)) {
                    include = false;
                } else {
                    include = true;
                    name = QString::asprintf("%s (%d件)", qUtf8Printable(line->getElement()),
                                             line->getEleNum());
                }
            }
            names.insert(base, name);
            included.insert(base, include);
        }
    }

    SumLengthItems whole;
    SumGroups groups;
    int stirrupCount = 0;
    double stirrupWeight = 0.0;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        if (!included.value(&line, true))
            return;
        CVes_Steel& bar = line.m_steel;
        if (selection == CVes_HuizongRules::kBarNumberKey && !m_huizong.PipeiKey(bar.number))
            return;
        if (selection == CVes_HuizongRules::kBarRemarkKey && !m_huizong.PipeiKey(bar.remark))
            return;
        const double L = barsum::countedMetres(bar, pieces, toShape, toMetre);
        const int n = pieces * bar.count * (bar.isMultiVal() ? bar.getMultiGroup() : 1);
        if (bar.isGuJin()) {
            stirrupCount += n;
            stirrupWeight += unitWeight(bar.grade, bar.DN) * L * toWeight;
        }
        addLengthItemByName(&bar, L, names.value(&line, others), groups);
        addLengthItem(&bar, L, whole);
    });

    // The lengths are metres already: a weight needs only the weight
    // column's factor.
    const auto weightOf = [&](const CVes_SumLengthItem& item) {
        return unitWeight(item.grade, item.diameter) * item.length * toWeight;
    };

    // ---- Groups ----
    if (rules.m_sumInEleType && !groups.empty()) {
        othersLast(groups);
        for (CVes_SumGroup& group : groups) {
            CVes_TableTextLine* header = target->Add({group.name});
            sortLengths(group.lengths, rules.m_dnOrder);
            double sum = 0.0;
            int number = 1;
            for (const CVes_SumLengthItem& item : group.lengths) {
                const double w = weightOf(item);
                sum += w;
                target->Add({QString(), QString::number(number++),
                                   Steel_GradeDNToTableString(item.grade, item.diameter,
                                                              item.coating),
                                   f2(item.length), f3(w)});
            }
            QStringList texts = header->getTexts();
            while (texts.size() < 5)
                texts << QString();
            texts[4] = f3(sum);
            header->setTexts(texts);
        }
    }

    // ---- The whole list ----
    CVes_SteelYuanCaiDataLib stock;
    stock.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    sortLengths(whole, rules.m_dnOrder);

    const bool pricing = rules.m_autoPrice != 0;
    const bool lossInItems = rules.m_lossPlace == 1;
    const QString lossNote = sumrows::lossNote(rules);

    target->Add({});
    QStringList heading{english ? QStringLiteral("Total") : QStringLiteral("各规格合计"),
                        lossInItems ? lossNote : QString()};
    if (pricing)
        heading << QString() << QString() << QString() << QStringLiteral("单价 / 总价");
    target->Add(heading);

    double totalCost = 0.0;
    sumrows::ItemSums sums;

    int number = 1;
    for (const CVes_SumLengthItem& item : whole) {
        const double w = weightOf(item);
        const double withLoss = w * (1.0 + rules.lossPercent(item.diameter) * 0.01);
        const double shown = lossInItems ? withLoss : w;
        QStringList row{QString(), QString::number(number++),
                        Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                        f2(item.length), f3(shown)};

        CVes_SteelYuanCaiData* record = barsum::stockRecord(m_yuanCai, stock, item);
        if (pricing) {
            const double price = record->price;
            if (price <= 0.0) {
                row << QStringLiteral("原材未定价");
            } else {
                const double cost = shown / perTonne * price;
                row << QString::asprintf("%.1f  /  %.2f 元", price, cost);
                totalCost += lossInItems ? cost : withLoss / perTonne * price;
            }
        }
        target->Add(row);

        sums.add(item, shown, withLoss, rules.isWireRod(item.diameter));
    }

    float fee = 0.0f;
    const int feeCount = rules.m_autoStirrupCount ? stirrupCount : rules.m_stirrupCount;
    if (rules.m_calcStirrupFee) {
        fee = float(feeCount) * rules.m_stirrupFee;
        totalCost += fee;
    }

    if (sums.totalWeight > 0.0)
        sumrows::appendTotalRows([target](const QStringList& row) { target->Add(row); },
                                 sums.totalWeight, english, lossInItems ? std::nullopt : std::optional(lossNote),
                                 pricing, totalCost);

    // ---- 其中 ----
    if (!(rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee))
        return target;
    target->Add({});
    target->Add({QStringLiteral("其中")});
    const auto append = [target](const QStringList& row) { target->Add(row); };
    if (rules.m_sumByDnClass)
        sumrows::appendClassRows(append, sums.classes, rules.m_wireDN);
    if (rules.m_sumByGrade)
        sumrows::appendGradeRows(append, kGradeRows,
                                 [&](int grade) { return sums.gradeWeight[grade]; });
    target->Add({QStringLiteral("箍筋总重"), QString(), QString(), QString(),
                       f2(stirrupWeight)});
    if (fee > 0.0f)
        target->Add({QStringLiteral("箍筋总根数"), QString(), QString(),
                           QStringLiteral("%1根").arg(feeCount),
                           QString::asprintf("%.2f元", double(fee)),
                           QString::asprintf("（%.2f元/根）", double(rules.m_stirrupFee))});
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
    QHash<const CVes_TableBaseLine*, QString> names;
    {
        QString name = others;
        for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
            auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
            if (line && !line->isNull() && line->isElementLine())
                name = QString::asprintf("%s (%d件)", qUtf8Printable(line->getElement()),
                                         line->getEleNum());
            names.insert(base, name);
        }
    }

    SumJointItems whole;
    SumGroups groups;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        CVes_Steel& bar = line.m_steel;
        double length = 0.0;
        int count = 0;
        int midFactor = 0;
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
