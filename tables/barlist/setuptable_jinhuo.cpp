// The bar list's purchase list: what raw stock to buy for the processed bars
// of the whole list, with losses, stock counts, weights and costs.

#include "tables/barlist/setuptable.h"

#include "core/geometry/steeltext.h"
#include "envora/steelyuancaidata.h"
#include "platform/hostservices.h"
#include "tables/barlist/countedbars.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/yuancaitext.h"
#include "tables/shared/summaryrows.h"
#include "tables/shared/sumhelpers.h"
#include "tables/shared/sumitems.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPurchaseTextsUsed = 7;

using decimals::f2;
using decimals::f3;
QString yuan(double value) { return QString::asprintf("%.2f 元", value); }

// A tolerance for stock counts: a length within 1 % of a stock bar over a
// whole number of stock bars needs no further bar.
constexpr double kCountSlack = 0.01;

using Sheet = CVes_SteelJinHuoSumaryTable;

// The purchase texts the user left empty take their defaults (a number from
// the clock, the project and element names, the list's title texts); the
// sheet shows them all.
void takePurchaseTexts(CVes_SetupTable& table, Sheet& target)
{
    const auto defaultText = [&](int index, const QString& value) {
        if (table.getJinHuoTexts()[std::size_t(index)].isEmpty())
            table.setJinHuoText(index, value);
    };
    defaultText(1, platform::host().now().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    defaultText(2, QStringLiteral(" "));
    defaultText(3, table.m_texts[2].m_formula + QLatin1Char('-') + table.m_texts[3].m_formula);
    defaultText(4, QStringLiteral(" "));
    for (int i = 5; i <= kPurchaseTextsUsed; ++i)
        defaultText(i, table.m_texts[std::size_t(i)].m_formula);
    for (int i = 1; i <= kPurchaseTextsUsed; ++i)
        target.m_texts[std::size_t(i)].m_formula = table.getJinHuoTexts()[std::size_t(i)];
}

// What one size is bought as: the stock-length and count texts and the
// metres bought. Coils of plain and ribbed grades are bought by the metre, as
// is a size without a stock length; straight stock by whole bars, a coil of
// another grade as straight stock of the coil's length.
struct Purchase {
    QString stockText;
    QString countText;
    double metres;
};

Purchase purchaseOf(const CVes_SumLengthItem& item, double metres, int stockLength,
                    double stockLengthToMetre)
{
    const QString byMetre = QString::asprintf("%.2fm", metres);
    if (stockLength < 0 && item.grade == 1)
        return {QStringLiteral("盘圆"), byMetre, metres};
    if (stockLength < 0 && (item.grade == 2 || item.grade == 3))
        return {QStringLiteral("盘螺"), byMetre, metres};
    if (stockLength == 0)
        return {QStringLiteral("未定义"), byMetre, metres};
    // Stock lengths are millimetres.
    const double stockMetres = std::fabs(double(stockLength)) * 0.001;
    // Whole stock bars, counted in a double: a list's largest sizes need
    // more of them than an int holds.
    const double q = metres / stockMetres;
    double n = std::trunc(q);
    if (std::fabs(q - n) > kCountSlack)
        n += 1.0;
    return {YuanCai_ValueToString(stockMetres / stockLengthToMetre, "%g"),
            QStringLiteral("%1根").arg(n, 0, 'f', 0), n * stockMetres};
}

// The sheet's totals, also by class: wire rod / bar, ordinary /
// epoxy-coated.
struct PurchaseTotals {
    double weight = 0.0;
    double cost = 0.0;
    double classLength[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double classWeight[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double classCost[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
};

// A row per size: the metres needed with loss, what is bought, its weight
// and cost (from the list's raw stock, else the stock file). Raw stock below
// 1 元 a tonne counts as unpriced here.
PurchaseTotals writePurchaseRows(Sheet& target, SumLengthItems& items, CVes_SetupTable& table,
                                 const barsum::MetreUnits& units, double lenToMetre)
{
    const CVes_SortRules& rules = table.getSortRules();
    // Stock lengths are shown in the unit of the stock-length column.
    const double stockLengthToMetre = CVes_Template::transUnit(
        target.m_units.value(Sheet::kColStockLength, CVes_Template::kMetre), CVes_Template::kMetre);

    PurchaseTotals totals;
    barsum::forEachSize(items, rules.m_dnOrder, table.m_yuanCai,
                        [&](const CVes_SumLengthItem& item, int number,
                            const CVes_SteelYuanCaiData& stock) {
        const Purchase bought = purchaseOf(item, rules.withLoss(item.length, item.diameter),
                                           stock.length, stockLengthToMetre);
        const double weight =
            barsum::weightOf(item.grade, item.diameter, bought.metres, units.toWeight);
        double cost = 0.0;
        QString costText;
        if (stock.price < 1.0f) {
            costText = QStringLiteral("原材未定价");
        } else {
            cost = barsum::costOf(weight, units.perTonne, stock.price);
            costText = yuan(cost);
        }
        target.Add({QString::number(number),
                    Steel_GradeDNToTableString(item.grade, item.diameter, item.coating),
                    f2(bought.metres / lenToMetre), bought.stockText, bought.countText, f3(weight),
                    costText});

        totals.weight += weight;
        totals.cost += cost;
        const int kind = rules.isWireRod(item.diameter) ? 0 : 1;
        const int coat = item.coating < 1 ? 0 : 1;
        totals.classLength[kind][coat] += bought.metres;
        totals.classWeight[kind][coat] += weight;
        totals.classCost[kind][coat] += cost;
    });
    return totals;
}

void writePurchaseTotals(Sheet& target, const PurchaseTotals& totals, const CVes_SortRules& rules,
                         bool english)
{
    if (totals.weight > 0.0) {
        target.Add({});
        target.Add({english ? QStringLiteral("Total Weight") : QStringLiteral("总重量"), QString(),
                    QString(), QString(), QString(), f3(totals.weight)});
    }
    if (totals.cost > 0.0 && rules.m_autoPrice)
        target.Add({english ? QStringLiteral("Total Cost") : QStringLiteral("总金额"), QString(),
                    QString(), QString(), QString(), QString(), yuan(totals.cost)});
}

// "其中" when the rules ask for any breakdown; the rows by diameter class
// (wire rod, then bar; epoxy-coated bars on a row of their own) when they
// ask for that one.
void writePurchaseBreakdown(Sheet& target, const PurchaseTotals& totals,
                            const CVes_SortRules& rules, double lenToMetre)
{
    if (!(rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee
          || rules.isStateGu() || rules.isStateGuai() || rules.isStateZhi()))
        return;
    target.Add({QStringLiteral("其中")});
    if (!rules.m_sumByDnClass)
        return;
    const QString t = DNtoString(rules.m_wireDN);
    // The rows of a class, the first under its size; the purchase list's
    // rows hold the remark in the stock-length column, and a cost.
    const auto addClass = [&](int kind, const QString& size) {
        bool first = true;
        for (const sumrows::ClassRow& row :
             sumrows::classRows(totals.classLength[kind][0], totals.classLength[kind][1])) {
            const int coat = row.coating;
            target.Add({QString(), first ? size : QString(),
                        f2(totals.classLength[kind][coat] / lenToMetre), row.remark, QString(),
                        f3(totals.classWeight[kind][coat]), yuan(totals.classCost[kind][coat])});
            first = false;
        }
    };
    addClass(0, QStringLiteral("d≤") + t);
    addClass(1, QStringLiteral("d＞") + t);
}

} // namespace

CVes_SteelJinHuoSumaryTable* CVes_SetupTable::JinHuo(CVes_SteelJinHuoSumaryTable* target)
{
    if (!target)
        target = new Sheet;
    else
        target->clearnAllLine();
    const int lengthUnit = m_units.value(kColTotalLength, kMetre);
    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    target->m_units[Sheet::kColLength] = lengthUnit;
    target->m_units[Sheet::kColWeight] = weightUnit;
    target->setLanguage(m_language);
    takePurchaseTexts(*this, *target);
    target->initTableCover();
    if (m_lines.isEmpty())
        return target;

    const barsum::MetreUnits units =
        barsum::metreUnits(m_units.value(kColShape, kMillimetre), weightUnit);
    SumLengthItems items;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        addLengthItem(&line.m_steel,
                      barsum::countedMetres(line.m_steel, pieces, units.toShape, units.toMetre), items);
    });
    // Lengths are collected in metres and shown in the unit of the length
    // column.
    const double lenToMetre = transUnit(lengthUnit, kMetre);
    const PurchaseTotals totals = writePurchaseRows(*target, items, *this, units, lenToMetre);
    writePurchaseTotals(*target, totals, m_rules, m_language == 1);
    writePurchaseBreakdown(*target, totals, m_rules, lenToMetre);
    return target;
}
