// The bar list's purchase list: what raw stock to buy for the processed bars
// of the whole list, with losses, stock counts, weights and costs.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/steeltext.h"
#include "envora/steelyuancaidata.h"
#include "platform/hostservices.h"
#include "tables/barlist/countedbars.h"
#include "tables/barlist/sumhelpers.h"
#include "tables/barlist/sumitems.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/yuancaitext.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kPurchaseTextsUsed = 7;

QString f2(double value) { return QString::asprintf("%.2f", value); }
QString f3(double value) { return QString::asprintf("%.3f", value); }
QString yuan(double value) { return QString::asprintf("%.2f 元", value); }

// A tolerance for stock counts: a length within 1 % of a stock bar over a
// whole number of stock bars needs no further bar.
constexpr double kCountSlack = 0.01;

} // namespace

CVes_SteelJinHuoSumaryTable* CVes_SetupTable::JinHuo(CVes_SteelJinHuoSumaryTable* target)
{
    using Sheet = CVes_SteelJinHuoSumaryTable;
    // ---- Preparation ----
    if (!target)
        target = new Sheet;
    else
        target->clearnAllLine();
    const int lengthUnit = m_units.value(kColTotalLength, kMetre);
    const int weightUnit = m_units.value(kColTotalWeight, kKilogram);
    target->m_units[Sheet::kColLength] = lengthUnit;
    target->m_units[Sheet::kColWeight] = weightUnit;
    target->setLanguage(m_language);

    const auto defaultText = [&](int index, const QString& value) {
        if (m_jinHuoTexts[std::size_t(index)].isEmpty())
            m_jinHuoTexts[std::size_t(index)] = value;
    };
    defaultText(1, platform::host().now().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    defaultText(2, QStringLiteral(" "));
    defaultText(3, m_texts[2].m_formula + QLatin1Char('-') + m_texts[3].m_formula);
    defaultText(4, QStringLiteral(" "));
    for (int i = 5; i <= kPurchaseTextsUsed; ++i)
        defaultText(i, m_texts[std::size_t(i)].m_formula);
    for (int i = 1; i <= kPurchaseTextsUsed; ++i)
        target->m_texts[std::size_t(i)].m_formula = m_jinHuoTexts[std::size_t(i)];
    target->initTableCover();
    if (m_lines.isEmpty())
        return target;

    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const double toShape = transUnit(kMillimetre, shapeUnit);
    const double toMetre = transUnit(shapeUnit, kMetre);
    const double toWeight = transUnit(kKilogram, weightUnit);
    const double perTonne = transUnit(kTonne, weightUnit);
    // Lengths are collected in metres and shown in the unit of the length
    // column.
    const double lenToMetre = transUnit(lengthUnit, kMetre);
    const CVes_SortRules& rules = m_rules;

    // ---- Collecting ----
    SumLengthItems items;
    forCountedBars(*this, m_lines, [&](CVes_SetupTableLine& line, int pieces) {
        addLengthItem(&line.m_steel, barsum::countedMetres(line.m_steel, pieces, toShape, toMetre),
                      items);
    });

    // ---- Rows ----
    CVes_SteelYuanCaiDataLib stockFile;
    stockFile.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    barsum::sortLengths(items, rules.m_dnOrder);

    double totalWeight = 0.0;
    double totalCost = 0.0;
    // Wire rod / bar, ordinary / epoxy-coated.
    double classLength[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double classWeight[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
    double classCost[2][2] = {{0.0, 0.0}, {0.0, 0.0}};

    int number = 1;
    for (const CVes_SumLengthItem& item : items) {
        double metres = item.length * (1.0 + rules.lossPercent(item.diameter) * 0.01);
        QStringList row{QString::number(number++),
                        Steel_GradeDNToTableString(item.grade, item.diameter, item.coating)};

        const CVes_SteelYuanCaiData* record = barsum::stockRecord(m_yuanCai, stockFile, item);
        // Stock lengths are millimetres.
        const int stockLength = record->length;
        QString stockText;
        QString countText;
        if (stockLength < 0 && item.grade == 1) {
            stockText = QStringLiteral("盘圆");
            countText = QString::asprintf("%.2fm", metres);
        } else if (stockLength < 0 && (item.grade == 2 || item.grade == 3)) {
            stockText = QStringLiteral("盘螺");
            countText = QString::asprintf("%.2fm", metres);
        } else if (stockLength == 0) {
            stockText = QStringLiteral("未定义");
            countText = QString::asprintf("%.2fm", metres);
        } else {
            // A coil of another grade is bought as straight stock of the
            // coil's length.
            const double stockMetres = std::fabs(double(stockLength)) * 0.001;
            const double q = metres / stockMetres;
            int n = barsum::truncated(q);
            if (std::fabs(q - n) > kCountSlack)
                ++n;
            // Shown in the unit of the stock-length column (metres).
            stockText = YuanCai_ValueToString(
                stockMetres / transUnit(target->m_units.value(Sheet::kColStockLength, kMetre), kMetre),
                "%g");
            countText = QStringLiteral("%1根").arg(n);
            metres = n * stockMetres;
        }
        const double weight = barsum::unitWeight(item.grade, item.diameter) * metres * toWeight;
        double cost = 0.0;
        QString costText;
        if (record->price < 1.0f) {
            costText = QStringLiteral("原材未定价");
        } else {
            cost = weight / perTonne * double(record->price);
            costText = yuan(cost);
        }
        row << f2(metres / lenToMetre) << stockText << countText << f3(weight) << costText;
        target->Add(row);

        totalWeight += weight;
        totalCost += cost;
        const int kind = rules.isWireRod(item.diameter) ? 0 : 1;
        const int coat = item.coating < 1 ? 0 : 1;
        classLength[kind][coat] += metres;
        classWeight[kind][coat] += weight;
        classCost[kind][coat] += cost;
    }

    // ---- Totals ----
    const bool english = m_language == 1;
    if (totalWeight > 0.0) {
        target->Add({});
        target->Add({english ? QStringLiteral("Total Weight") : QStringLiteral("总重量"),
                     QString(), QString(), QString(), QString(), f3(totalWeight)});
    }
    if (totalCost > 0.0 && rules.m_autoPrice)
        target->Add({english ? QStringLiteral("Total Cost") : QStringLiteral("总金额"), QString(),
                     QString(), QString(), QString(), QString(), yuan(totalCost)});

    // ---- 其中 ----
    if (!(rules.m_sumByDnClass || rules.m_sumByGrade || rules.m_calcStirrupFee
          || rules.isStateGu() || rules.isStateGuai() || rules.isStateZhi()))
        return target;
    target->Add({QStringLiteral("其中")});
    if (!rules.m_sumByDnClass)
        return target;
    const QString t = DNtoString(rules.m_wireDN);
    const QString epoxy = QStringLiteral("环氧树脂涂层钢筋");
    const auto classRows = [&](int kind, const QString& size) {
        const double ordinaryLength = classLength[kind][0];
        const double epoxyLength = classLength[kind][1];
        if (ordinaryLength < 0.0001 && epoxyLength > 0.00001) {
            target->Add({QString(), size, f2(epoxyLength / lenToMetre), epoxy, QString(),
                               f3(classWeight[kind][1]), yuan(classCost[kind][1])});
            return;
        }
        target->Add({QString(), size, f2(ordinaryLength / lenToMetre),
                           epoxyLength > 0.00001 ? QStringLiteral("普通钢筋") : QString(),
                           QString(), f3(classWeight[kind][0]), yuan(classCost[kind][0])});
        if (epoxyLength > 0.00001)
            target->Add({QString(), QString(), f2(epoxyLength / lenToMetre), epoxy,
                               QString(), f3(classWeight[kind][1]), yuan(classCost[kind][1])});
    };
    classRows(0, QStringLiteral("d≤") + t);
    classRows(1, QStringLiteral("d＞") + t);
    return target;
}
