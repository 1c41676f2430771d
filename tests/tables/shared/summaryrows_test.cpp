// What every sheet says of a size of its bars, written once for all of
// them: the weight with loss, the cost, the bars of a row and the stirrup
// fee; the size rows of a summary with their loss and price cells, the
// raw stock they take, the total cost; the group section and the rows of a
// diameter class.

#include "tables/shared/summaryrows.h"

#include "core/model/connecttext.h"
#include "core/model/steel.h"
#include "envora/steelyuancaidata.h"
#include "tables/shared/sortrules.h"
#include "tables/shared/sumhelpers.h"
#include "tests/support/datafolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

sumrows::AppendRow into(Rows& rows)
{
    return [&rows](const QStringList& row) { rows.push_back(row.join(u'|').toStdString()); };
}

std::string name(int jointType)
{
    return barcore_getConnectString(jointType).toStdString();
}

CVes_SumLengthItem item(int grade, float diameter, double metres, int coating = 0)
{
    CVes_SumLengthItem i;
    i.grade = grade;
    i.diameter = diameter;
    i.coating = coating;
    i.length = metres;
    return i;
}

CVes_SteelYuanCaiData stock(float diameter, int grade, float price)
{
    CVes_SteelYuanCaiData r;
    r.DN = diameter;
    r.grade = grade;
    r.steelType = 0;
    r.price = price;
    return r;
}

// Weight with loss

struct LossCase {
    const char* name;
    int calcBar;
    int calcWire;
    double diameter;
    double amount;
    double expected;
};

class WithLoss : public testing::TestWithParam<LossCase> {};

TEST_P(WithLoss, AddsTheLossOfTheBarsStockKind)
{
    const LossCase& c = GetParam();
    CVes_SortRules rules;
    rules.m_lossBar = 3.0;
    rules.m_lossWire = 1.5;
    rules.m_calcLossBar = c.calcBar;
    rules.m_calcLossWire = c.calcWire;
    EXPECT_DOUBLE_EQ(rules.withLoss(c.amount, c.diameter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WithLoss,
    testing::Values(LossCase{"bar", 1, 1, 20.0, 200.0, 206.0},
                    LossCase{"wireRodAtTheLimit", 1, 1, 12.0, 200.0, 203.0},
                    LossCase{"wireRodBelowIt", 1, 1, 8.0, 10.0, 10.15},
                    LossCase{"barLossOff", 0, 1, 20.0, 200.0, 200.0},
                    LossCase{"wireLossOff", 1, 0, 8.0, 10.0, 10.0},
                    LossCase{"nothing", 1, 1, 20.0, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

// Bars, weights, costs and the stirrup fee

TEST(SizeFigures, GradedRowsCountEveryGroupAndCountsSaturate)
{
    CVes_Steel bar;
    bar.count = 3;
    EXPECT_EQ(barsum::barCount(bar, 4), 12);
    bar.setMultiVal(1);
    bar.setMultiGroup(5);
    EXPECT_EQ(barsum::barCount(bar, 4), 60);
    bar.count = std::numeric_limits<int>::max();
    bar.setMultiGroup(std::numeric_limits<int>::max());
    EXPECT_EQ(barsum::barCount(bar, std::numeric_limits<int>::max()),
              std::numeric_limits<std::int64_t>::max());
}

TEST(SizeFigures, WeightsAreOfMetresInTheWeightUnitAndCostsOfTonnes)
{
    // 10 m of 20 mm bar weigh 24.7 kg; a tonne priced 4000 元.
    EXPECT_NEAR(barsum::weightOf(3, 20.0f, 10.0, 1.0), 24.7, 1e-9);
    EXPECT_NEAR(barsum::weightOf(3, 20.0f, 10.0, 0.001), 0.0247, 1e-12);
    // An item summed in centimetres is weighed by its metres.
    EXPECT_NEAR(barsum::weightOf(item(3, 20.0f, 1000.0), 1.0, 0.01), 24.7, 1e-9);
    EXPECT_NEAR(barsum::costOf(24.7, 1000.0, 4000.0), 98.8, 1e-9);
    EXPECT_NEAR(barsum::costOf(0.0247, 1.0, 4000.0), 98.8, 1e-9);
}

TEST(SizeFigures, StirrupFeeIsOfTheCountedStirrupsOrOfTheRulesNumber)
{
    CVes_SortRules rules;
    rules.m_stirrupFee = 0.5f;
    rules.m_stirrupCount = 7;
    rules.m_autoStirrupCount = 1;
    const barsum::StirrupFee counted = barsum::stirrupFee(rules, 40);
    EXPECT_EQ(counted.count, 40);
    EXPECT_FLOAT_EQ(counted.fee, 20.0f);
    rules.m_autoStirrupCount = 0;
    const barsum::StirrupFee given = barsum::stirrupFee(rules, 40);
    EXPECT_EQ(given.count, 7);
    EXPECT_FLOAT_EQ(given.fee, 3.5f);
}

// The rows of a diameter class

struct ClassCase {
    const char* name;
    double ordinary;
    double epoxy;
    std::vector<std::pair<int, const char*>> rows;
};

class ClassRows : public testing::TestWithParam<ClassCase> {};

TEST_P(ClassRows, OrdinaryThenEpoxyCoatedEachOnARowOfItsOwn)
{
    const ClassCase& c = GetParam();
    std::vector<std::pair<int, std::string>> expected;
    for (const auto& [coating, remark] : c.rows)
        expected.emplace_back(coating, remark);
    std::vector<std::pair<int, std::string>> got;
    for (const sumrows::ClassRow& row : sumrows::classRows(c.ordinary, c.epoxy))
        got.emplace_back(row.coating, row.remark.toStdString());
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ClassRows,
    testing::Values(ClassCase{"ordinaryOnly", 5.0, 0.0, {{0, ""}}},
                    ClassCase{"both", 5.0, 3.0, {{0, "普通钢筋"}, {1, "环氧树脂涂层钢筋"}}},
                    ClassCase{"epoxyOnly", 0.0, 3.0, {{1, "环氧树脂涂层钢筋"}}},
                    ClassCase{"ordinaryAllButNone", 0.00005, 3.0, {{1, "环氧树脂涂层钢筋"}}},
                    ClassCase{"epoxyAllButNone", 5.0, 0.000005, {{0, ""}}},
                    ClassCase{"none", 0.0, 0.0, {{0, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The size rows of a summary

// Two sizes, largest first: 10 m of 20 mm bar (24.7 kg, 2 % loss) priced
// 4000 元 a tonne, and 100 m of 8 mm wire rod (39.5 kg, 1 % loss) unpriced.
class SizeRows : public testing::Test {
protected:
    void SetUp() override
    {
        rules.m_lossBar = 2.0;
        rules.m_lossWire = 1.0;
        rules.m_dnOrder = 0;
        own.append(stock(20.0f, 3, 4000.0f));
        items = {item(1, 8.0f, 100.0), item(3, 20.0f, 10.0)};
    }
    sumrows::SizeTotals write(sumrows::PriceCell price)
    {
        return sumrows::appendSizeRows(into(rows), items, rules, own, {1.0, 1.0, 1000.0}, price);
    }

    test::FreshDataFolder data; // no stock file of the user's
    CVes_SortRules rules;
    CVes_SteelYuanCaiDataLib own;
    SumLengthItems items;
    Rows rows;
};

TEST_F(SizeRows, LossInEachSizeShowsWeightsWithLossAndTheirCost)
{
    rules.m_lossPlace = 1;
    const sumrows::SizeTotals totals = write(sumrows::PriceCell::Cost);
    EXPECT_EQ(rows, (Rows{"|1|%%C20|10.00|25.194|100.78 元", "|2|%%A8|100.00|39.895|原材未定价"}));
    EXPECT_NEAR(totals.cost, 25.194 * 4.0, 1e-9);
    EXPECT_NEAR(totals.sums.totalWeight, 25.194 + 39.895, 1e-9);
}

TEST_F(SizeRows, LossAtTheTotalShowsPlainWeightsButCostsTheWeightWithLoss)
{
    rules.m_lossPlace = 0;
    const sumrows::SizeTotals totals = write(sumrows::PriceCell::PriceAndCost);
    EXPECT_EQ(rows, (Rows{"|1|%%C20|10.00|24.700|4000.0  /  98.80 元",
                          "|2|%%A8|100.00|39.500|原材未定价"}));
    EXPECT_NEAR(totals.cost, 25.194 * 4.0, 1e-9);
    // The breakdown's classes take the weights shown, the totals those with loss.
    EXPECT_NEAR(totals.sums.classes.weight[1][0], 24.7, 1e-9);
    EXPECT_NEAR(totals.sums.classes.weight[0][0], 39.5, 1e-9);
    EXPECT_NEAR(totals.sums.gradeWeight.at(1), 39.895, 1e-9);
}

TEST_F(SizeRows, WithoutPriceCellTheRawStockIsStillTakenIntoTheOwnLibrary)
{
    write(sumrows::PriceCell::None);
    EXPECT_EQ(rows, (Rows{"|1|%%C20|10.00|25.194", "|2|%%A8|100.00|39.895"}));
    const CVes_SteelYuanCaiData* taken = own.getYuanCai(8.0f, 1, 0);
    ASSERT_NE(taken, nullptr);
    EXPECT_FLOAT_EQ(taken->price, 0.0f);
}

TEST_F(SizeRows, SmallestFirstInTheOtherOrder)
{
    rules.m_dnOrder = 1;
    write(sumrows::PriceCell::None);
    EXPECT_EQ(rows, (Rows{"|1|%%A8|100.00|39.895", "|2|%%C20|10.00|25.194"}));
}

// Joint rows

TEST(JointRows, NumberedInTheirOrderWithoutEmptyItemsOrTypesBelowTheFirst)
{
    const auto joint = [](int type, float diameter, std::int64_t count) {
        CVes_SumJointItem item;
        item.type = type;
        item.diameter = diameter;
        item.otherDiameter = int(diameter);
        item.count = count;
        return item;
    };
    const auto size = [](const CVes_SumJointItem& item) {
        return QStringLiteral("d%1").arg(int(item.diameter));
    };
    const SumJointItems items{joint(2, 25, 3), joint(1, 20, 4), joint(2, 20, 0), joint(2, 18, 5)};
    const struct {
        int dnOrder;
        int firstType;
        Rows rows;
    } cases[] = {
        {1, 2, {"|1|" + name(2) + "|d18|5", "|2|" + name(2) + "|d25|3"}},
        {1, 1, {"|1|" + name(1) + "|d20|4", "|2|" + name(2) + "|d18|5", "|3|" + name(2) + "|d25|3"}},
        {0, 1, {"|1|" + name(2) + "|d25|3", "|2|" + name(2) + "|d18|5", "|3|" + name(1) + "|d20|4"}},
    };
    for (const auto& c : cases) {
        SumJointItems sorted = items;
        Rows rows;
        sumrows::appendJointRows(into(rows), sorted, c.dnOrder, c.firstType, size);
        EXPECT_EQ(rows, c.rows) << "order " << c.dnOrder << " from type " << c.firstType;
    }
}

// The group section

TEST(GroupRows, OthersLastEachGroupSortedAndNumberedWithOrWithoutItsWeight)
{
    const auto groups = [] {
        SumGroups g;
        g.push_back({QStringLiteral("其它"), {}, {item(3, 20.0f, 10.0)}});
        g.push_back({QStringLiteral("KL1"), {}, {item(1, 8.0f, 100.0), item(3, 20.0f, 10.0)}});
        return g;
    };
    for (const bool headerWeight : {false, true}) {
        SumGroups g = groups();
        Rows rows;
        sumrows::appendGroupRows(into(rows), g, {QStringLiteral("其它")}, 1, {1.0, 1.0, 1000.0},
                                 headerWeight);
        const Rows expected{headerWeight ? "KL1||||64.200" : "KL1", "|1|%%A8|100.00|39.500",
                            "|2|%%C20|10.00|24.700", headerWeight ? "其它||||24.700" : "其它",
                            "|1|%%C20|10.00|24.700"};
        EXPECT_EQ(rows, expected) << "header weight " << headerWeight;
    }
}

} // namespace
