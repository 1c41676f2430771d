#include "envora/rules.h"

#include "tests/envora/envorafixture.h"

#include <cmath>
#include <limits>

namespace {

using Rules = test::DefaultSettings;

TEST_F(Rules, ModesDefaultToTheGeometry)
{
    EXPECT_EQ(Info_GetSteelLenCalType(), 0);
    EXPECT_EQ(Info_GetGuSteelLenCalType(), 0);
    EXPECT_EQ(Info_GetSteelLenAdjustType(), 0);
    EXPECT_EQ(Info_GetGuSteelLenAdjustType(), 0);
    EXPECT_EQ(Info_GetSteelDimType(), 0);
    EXPECT_EQ(Info_GetGuSteelDimType(), 0);
}

struct BendCase {
    int grade;
    int angle;
    double expected;
};

class BendDiameter : public test::DefaultSettings, public ::testing::WithParamInterface<BendCase> {};

// Grade first, then angle.
TEST_P(BendDiameter, ByGradeFamily)
{
    const BendCase& c = GetParam();
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHuNeiJing(c.grade, c.angle), c.expected);
    EXPECT_DOUBLE_EQ(Info_GetGuSteelWanHuNeiJing(c.grade, c.angle), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Envora, BendDiameter,
                         ::testing::Values(BendCase{1, 180, 2.5}, BendCase{1, 90, 2.5},
                                           BendCase{11, 135, 2.5}, BendCase{12, 90, 2.5},
                                           BendCase{2, 90, 4.0}, BendCase{23, 90, 4.0},
                                           BendCase{3, 135, 4.0}, BendCase{33, 180, 4.0},
                                           BendCase{32, 90, 4.0}, BendCase{4, 90, 6.0},
                                           BendCase{42, 45, 6.0}, BendCase{0, 90, 4.0},
                                           BendCase{-5, -90, 4.0}, BendCase{999, 100000, 4.0}));

TEST_F(Rules, StraightLengthsAfterHooks)
{
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(180), 3.0);
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(135), 5.0);
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(90), 12.0);
    EXPECT_DOUBLE_EQ(Info_GetGuSteelWanHouPingZhi(180), 3.0);
    EXPECT_DOUBLE_EQ(Info_GetGuSteelWanHouPingZhi(135), 10.0);
    EXPECT_DOUBLE_EQ(Info_GetGuSteelWanHouPingZhi(90), 5.0);
    // Angles between the columns fall into the nearest lower hook class.
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(0), 12.0);
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(178), 5.0);
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHouPingZhi(std::numeric_limits<int>::min()), 3.0);
}

// Angle first, then grade. The increments of the grade tables are the usual
// hook allowances: 6.25d for the 180° hook of a plain bar, 11.9d for the
// 135° hook of a plain stirrup.
TEST_F(Rules, HookIncrementsByGrade)
{
    EXPECT_NEAR(Info_GetWanGouZengJiaJiangYanData(180, 1), 6.25, 0.005);
    EXPECT_NEAR(Info_GetGuWanGouZengJiaJiangYanData(135, 1), 11.87, 0.005);
    EXPECT_NEAR(Info_GetWanGouZengJiaJiangYanData(90, 3), 12.93, 0.005);
    EXPECT_NEAR(Info_GetWanGouZengJiaJiangYanData(180, 4), 10.0, 0.005);
    for (int grade : {1, 2, 3, 4, 33})
        for (int angle : {90, 135, 180})
            EXPECT_LT(Info_GetWanGouZengJiaJiangYanData(angle, grade), 75.0);
}

TEST_F(Rules, HookIncrementsByDiameterInMillimetres)
{
    EXPECT_DOUBLE_EQ(Info_GetWanGouZengJiaJiangYanDataDN(180, 20.0f), 157.0);
    EXPECT_DOUBLE_EQ(Info_GetGuWanGouZengJiaJiangYanDataDN(135, 10.0f), 129.0);
    // A size the table does not list: the 400 MPa multiple times d.
    EXPECT_DOUBLE_EQ(Info_GetWanGouZengJiaJiangYanDataDN(180, 7.0f), 55.0);
    EXPECT_DOUBLE_EQ(Info_GetWanGouZengJiaJiangYanDataDN(180, 0.0f), 0.0);
    EXPECT_DOUBLE_EQ(Info_GetWanGouZengJiaJiangYanDataDN(180, std::nanf("")), 0.0);
}

struct AdjustCase {
    int bendAngle;
    int grade;
    double expected;
};

class BendAdjustment : public test::DefaultSettings,
                       public ::testing::WithParamInterface<AdjustCase> {};

// The adjustment is added to the length: a deduction is negative.
TEST_P(BendAdjustment, SignedAndInterpolated)
{
    const AdjustCase& c = GetParam();
    EXPECT_NEAR(Info_GetWanQuTiaoZhengJiangYanData(c.bendAngle, c.grade), c.expected, 1e-9);
    EXPECT_NEAR(Info_GetGuWanQuTiaoZhengJiangYanData(c.bendAngle, c.grade), c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Envora, BendAdjustment,
                         ::testing::Values(AdjustCase{90, 1, -1.75}, AdjustCase{90, 3, -2.07},
                                           AdjustCase{90, 4, -2.5}, AdjustCase{45, 1, -0.49},
                                           AdjustCase{30, 1, -0.29}, AdjustCase{60, 1, -0.77},
                                           AdjustCase{75, 1, -1.26}, AdjustCase{15, 1, -0.145},
                                           AdjustCase{0, 1, 0.0}, AdjustCase{-90, 1, -1.75},
                                           AdjustCase{250, 1, 1.0},
                                           AdjustCase{std::numeric_limits<int>::min(), 1, 1.0}));

TEST_F(Rules, BendAdjustmentsByDiameterInMillimetres)
{
    EXPECT_DOUBLE_EQ(Info_GetWanQuTiaoZhengJiangYanDataDN(90, 20.0f), -41.0);
    EXPECT_DOUBLE_EQ(Info_GetGuWanQuTiaoZhengJiangYanDataDN(90, 20.0f), -41.0);
    EXPECT_NEAR(Info_GetWanQuTiaoZhengJiangYanDataDN(90, 7.0f), -2.07 * 7, 1e-9);
    EXPECT_DOUBLE_EQ(Info_GetWanQuTiaoZhengJiangYanDataDN(90, -3.0f), 0.0);
}

TEST_F(Rules, StirrupTablesAreTheirOwn)
{
    change([](envora::Settings& s) {
        s.gu.bendDiameter[0] = {3.0, 3.0, 3.0};
        s.gu.adjustType = 1;
    });
    EXPECT_DOUBLE_EQ(Info_GetGuSteelWanHuNeiJing(1, 135), 3.0);
    EXPECT_DOUBLE_EQ(Info_GetSteelWanHuNeiJing(1, 135), 2.5);
    EXPECT_EQ(Info_GetGuSteelLenAdjustType(), 1);
    EXPECT_EQ(Info_GetSteelLenAdjustType(), 0);
}

struct EndCase {
    int mode;
    int length;
    int expected;
};

class DataEnd : public test::DefaultSettings, public ::testing::WithParamInterface<EndCase> {};

TEST_P(DataEnd, RoundsByTheFamilysRule)
{
    const EndCase& c = GetParam();
    change([&](envora::Settings& s) { s.gu.dataEnd = c.mode; });
    EXPECT_EQ(Info_GetSteelDataEnd(c.length, 1, 1), c.expected);
    EXPECT_EQ(Info_GetSteelDataEnd(c.length, 1, 0), c.expected);
    // Longitudinal bars keep their own rule (identity by default).
    EXPECT_EQ(Info_GetSteelDataEnd(c.length, 0, 1), c.length);
}

constexpr int kMaxInt = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(
    Envora, DataEnd,
    ::testing::Values(EndCase{envora::dataend::kNone, 1234, 1234},
                      EndCase{envora::dataend::kNearest5, 1232, 1230},
                      EndCase{envora::dataend::kNearest5, 1233, 1235},
                      EndCase{envora::dataend::kNearest10, 1234, 1230},
                      EndCase{envora::dataend::kNearest10, 1235, 1240},
                      EndCase{envora::dataend::kUp5, 1231, 1235},
                      EndCase{envora::dataend::kUp5, 1230, 1230},
                      EndCase{envora::dataend::kUp10, 1231, 1240},
                      EndCase{envora::dataend::kNearest10, -1234, -1230},
                      EndCase{envora::dataend::kNearest10, 4, 4},  // never rounded away
                      EndCase{envora::dataend::kNearest10, 0, 0},
                      EndCase{envora::dataend::kUp10, kMaxInt, kMaxInt},
                      EndCase{envora::dataend::kUp10, std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::min()}));

struct SizeCase {
    float d;
    int valid;
    double weight;
    int grade;
};

class SteelSize : public test::DefaultSettings, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SteelSize, WeightGradeAndValidity)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(Info_isValidDN(c.d), c.valid);
    EXPECT_NEAR(Info_getSteelWeight(c.d, 0), c.weight, 1e-9);
    EXPECT_EQ(Info_getSteelGrade(c.d), c.grade);
}

INSTANTIATE_TEST_SUITE_P(
    Envora, SteelSize,
    ::testing::Values(SizeCase{4, 1, 0.099, 1}, SizeCase{5.5f, 1, 0.187, 1},
                      SizeCase{6, 1, 0.222, 1}, SizeCase{6.5f, 1, 0.260, 1},
                      SizeCase{8, 1, 0.395, 1}, SizeCase{10, 1, 0.617, 1},
                      SizeCase{12, 1, 0.888, 3}, SizeCase{20, 1, 2.47, 3},
                      SizeCase{25, 1, 3.85, 3}, SizeCase{50, 1, 15.42, 3},
                      // Sizes outside the table: 0.00617·d².
                      SizeCase{7, 0, 0.00617 * 49, 1}, SizeCase{11, 0, 0.00617 * 121, 3},
                      SizeCase{51, 0, 0.00617 * 51 * 51, 3}, SizeCase{0, 0, 0.0, 1},
                      SizeCase{-8, 0, 0.0, 1},
                      SizeCase{std::numeric_limits<float>::quiet_NaN(), 0, 0.0, 1}));

TEST_F(Rules, WeightKindsFollowTheirOwnColumns)
{
    change([](envora::Settings& s) {
        for (envora::SteelSize& size : s.sizes)
            if (size.d == 10)
                size.weight = {0.617, 0.6, 0.519};
    });
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(10, 0), 0.617);
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(10, 1), 0.6);
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(10, 2), 0.519);
    // Other kinds read as ordinary bars.
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(10, 3), 0.617);
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(10, -1), 0.617);
}

TEST_F(Rules, SizeTableCanGrow)
{
    EXPECT_EQ(Info_isValidDN(7), 0);
    change([](envora::Settings& s) {
        s.sizes.insert(s.sizes.begin() + 5, envora::SteelSize{7, {0.302, 0.302, 0.302}, 3});
    });
    EXPECT_EQ(Info_isValidDN(7), 1);
    EXPECT_EQ(Info_getSteelGrade(7), 3);
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(7, 0), 0.302);
}

} // namespace
