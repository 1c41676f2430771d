#include "core/model/barcore.h"
#include "envora/settings.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using test::CacheScope;
using test::ShapeBuilder;
using Shape = std::unique_ptr<CVes_ModelRecord> (*)();
using Rules = void (*)(envora::Settings&);

// shapes (keys outside any library, so that only the cache holds them)

std::unique_ptr<CVes_ModelRecord> straight(const QString& length)
{
    return ShapeBuilder({150, 1}).var("L", 3000).straight({1300, 150}, "0", length).build();
}
std::unique_ptr<CVes_ModelRecord> straight6000() { return straight("6000"); }
std::unique_ptr<CVes_ModelRecord> straight3000() { return straight("L"); }
std::unique_ptr<CVes_ModelRecord> straightSine() { return straight("1000*sin30"); }
std::unique_ptr<CVes_ModelRecord> tie300() { return ShapeBuilder({150, 2}).stirrup().straight({1200, 150}, "0", "300").build(); }

std::unique_ptr<CVes_ModelRecord> lBar(const QString& angle)
{
    return ShapeBuilder({150, 3})
        .var("L1", 1000)
        .var("L2", 500)
        .from({250, 60})
        .straight({250, 220}, "0", "L1")
        .straight({1250, 220}, angle, "L2")
        .build();
}
std::unique_ptr<CVes_ModelRecord> lBar90() { return lBar("90"); }
std::unique_ptr<CVes_ModelRecord> lBar3() { return lBar("3"); }
std::unique_ptr<CVes_ModelRecord> lBarMinus4() { return lBar("-4"); }

// A straight leg, then an arc leg at 90°.
std::unique_ptr<CVes_ModelRecord> arcBar()
{
    return ShapeBuilder({150, 4})
        .from({250, 60})
        .straight({250, 220}, "0", "1000")
        .arc({650, 220}, {450, 300}, "90", "500")
        .build();
}

std::unique_ptr<CVes_ModelRecord> uBar()
{
    return ShapeBuilder({150, 5})
        .from({250, 60})
        .straight({250, 220}, "0", "300")
        .straight({1250, 220}, "90", "1000")
        .straight({1250, 60}, "90", "300")
        .build();
}

// A closed stirrup 300 × 500, measured outside.
std::unique_ptr<CVes_ModelRecord> stirrup()
{
    return ShapeBuilder({150, 6})
        .stirrup()
        .var("H", 500)
        .var("B", 300)
        .from({550, 60})
        .straight({550, 240}, "0", "H")
        .straight({950, 240}, "90", "B")
        .straight({950, 60}, "90", "H")
        .straight({550, 60}, "90", "B")
        .build();
}

// A bar bent up at 45° by H.
std::unique_ptr<CVes_ModelRecord> bentUp()
{
    return ShapeBuilder({150, 7})
        .var("H", 400)
        .var("a", 45, CVes_Variable::kDegrees)
        .from({100, 220})
        .straight({450, 220}, "0", "500")
        .straight({590, 80}, "180-a", "H/sin(a)")
        .straight({730, 220}, "180-a", "500")
        .build();
}

// Bent up and down again: 500, H/sin(a), L2, H/sin(a), 500.
std::unique_ptr<CVes_ModelRecord> bentUpAndDown()
{
    return ShapeBuilder({150, 10})
        .var("L1", 500)
        .var("H", 400)
        .var("a", 45, CVes_Variable::kDegrees)
        .var("L2", 2000)
        .var("L3", 500)
        .from({100, 220})
        .straight({450, 220}, "0", "L1")
        .straight({590, 80}, "180-a", "H/sin(a)")
        .straight({910, 80}, "180-a", "L2")
        .straight({1050, 220}, "180-a", "H/sin(a)")
        .straight({1400, 220}, "180-a", "L3")
        .build();
}

std::unique_ptr<CVes_ModelRecord> bentUpLong()
{
    return ShapeBuilder({150, 8})
        .from({100, 220})
        .straight({450, 220}, "0", "500")
        .straight({590, 80}, "135", "700")
        .straight({910, 80}, "135", "2000")
        .straight({1050, 220}, "135", "700")
        .straight({1400, 220}, "135", "500")
        .build();
}

// 6000 and 3000 joined by a connection of `type`; the second piece counted
// `count` times.
std::unique_ptr<CVes_ModelRecord> pieces(int type, const char* count)
{
    return ShapeBuilder({150, 9})
        .straight({1300, 150}, "0", "6000")
        .mark(type, {700, 150}, QString::fromLatin1(count), "180", "3000")
        .build();
}
std::unique_ptr<CVes_ModelRecord> lapOnce() { return pieces(1, "1"); }
std::unique_ptr<CVes_ModelRecord> lapThrice() { return pieces(1, "3"); }
std::unique_ptr<CVes_ModelRecord> weldOnce() { return pieces(3, "1"); }

// rules

envora::DiameterRules& rowOf(envora::LengthRules& r, double d)
{
    for (auto& row : r.byDiameter)
        if (row.d == d)
            return row;
    ADD_FAILURE() << "no row for " << d;
    return r.byDiameter.front();
}

constexpr int k90 = 3;   // column of a 90° bend in the bend-adjustment tables
constexpr int k180 = 2;  // column of a 180° hook in the hook tables
constexpr int kPlain = 0, k400 = 2; // grade families of grades 1 and 3

void calc1(envora::Settings& s) { s.steel.calcType = 1; }
void calc2(envora::Settings& s) { s.steel.calcType = 2; }
void bendTable(envora::Settings& s)
{
    s.steel.adjustType = 1;
    s.steel.bendAdjust[k400][k90] = -2.0;
}
void bendTableDN(envora::Settings& s)
{
    s.steel.adjustType = 2;
    rowOf(s.steel, 20).bendAdjust[k90] = -40.0;
}
void hook625(envora::Settings& s)
{
    s.steel.adjustType = 1;
    s.steel.hookIncrement[kPlain][k180] = 6.25;
}
void hook100(envora::Settings& s)
{
    s.steel.adjustType = 1;
    s.steel.hookIncrement[kPlain][k180] = 100;
}
void hook80(envora::Settings& s)
{
    s.steel.adjustType = 1;
    s.steel.hookIncrement[k400][k180] = 80;
}
void hook6(envora::Settings& s)
{
    s.steel.adjustType = 1;
    s.steel.hookIncrement[kPlain][k180] = 6;
}
void hookTableDN(envora::Settings& s)
{
    s.steel.adjustType = 2;
    rowOf(s.steel, 12).hookIncrement[k180] = 80;
}

// the bar

struct BarSetup {
    float d = 20;
    int grade = 3;
    int outDim = 1;
    bool own = false;  // own bend multiples instead of Envora's
    float m90 = 5.0f, m135 = 4.0f, m180 = 2.5f;
    int hookLeft = 0, hookRight = 0;  // hook kinds, 0 none
};

struct LengthCase {
    const char* name;
    Shape shape;
    Rules rules;
    BarSetup bar;
    double factor;
    float shown;   // getLength
    float stored;  // calculateLength
};

std::ostream& operator<<(std::ostream& os, const LengthCase& c)
{
    return os << c.name;
}

CVes_Hook lengthHookOf(int kind)
{
    CVes_Hook hook;
    hook.enabled = kind ? 1 : 0;
    hook.kind = kind ? kind : 4;
    return hook;
}

void prepare(CVes_BarCore& bar, CacheScope& scope, const LengthCase& c)
{
    CacheScope::resetRules(c.rules);
    const CVes_ModelRecord* record = scope.add(c.shape());
    bar.setRecordId(record->getID());
    bar.setSteel(c.bar.grade, c.bar.d, 0);
    bar.setOutDim(c.bar.outDim);
    bar.ownBendDiameters = c.bar.own ? 1 : 0;
    bar.bendMult90 = c.bar.m90;
    bar.bendMult135 = c.bar.m135;
    bar.bendMult180 = c.bar.m180;
    bar.setHookLeft(lengthHookOf(c.bar.hookLeft));
    bar.setHookRight(lengthHookOf(c.bar.hookRight));
}

class LengthRules : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthRules, ShownAndStoredLengths)
{
    const LengthCase& c = GetParam();
    CacheScope scope;
    CVes_BarCore bar;
    prepare(bar, scope, c);
    EXPECT_FLOAT_EQ(bar.getLength(0, c.factor), c.shown);
    EXPECT_EQ(bar.length, 100.0f) << "getLength leaves the stored length";
    EXPECT_FLOAT_EQ(bar.calculateLength(0, c.factor), c.stored);
    EXPECT_FLOAT_EQ(bar.length, c.stored);
}

constexpr BarSetup own(float d, int grade, float m90 = 5.0f, float m135 = 4.0f, float m180 = 2.5f)
{
    BarSetup b;
    b.d = d;
    b.grade = grade;
    b.own = true;
    b.m90 = m90;
    b.m135 = m135;
    b.m180 = m180;
    return b;
}
constexpr BarSetup inner(BarSetup b)
{
    b.outDim = 0;
    return b;
}
constexpr BarSetup hooked(BarSetup b, int left, int right)
{
    b.hookLeft = left;
    b.hookRight = right;
    return b;
}
constexpr BarSetup envora(float d, int grade)
{
    BarSetup b;
    b.d = d;
    b.grade = grade;
    return b;
}

// Hand-computed lengths with the bar's own bend multiples and rule tables
// set for each case (rounding leaves lengths as they are).
INSTANTIATE_TEST_SUITE_P(
    HandComputed, LengthRules,
    ::testing::Values(
        LengthCase{"straight", straight6000, nullptr, own(25, 3), 1.0, 6000, 6000},
        LengthCase{"right_angle_outside", lBar90, nullptr, own(20, 3), 1.0, 1454, 1454},
        LengthCase{"right_angle_inside", lBar90, nullptr, inner(own(20, 3)), 1.0, 1494, 1494},
        LengthCase{"calc1_outside", lBar90, calc1, own(20, 3), 1.0, 1480, 1480},
        LengthCase{"calc1_inside_adds_half_d", lBar90, calc1, inner(own(20, 3)), 1.0, 1520, 1520},
        LengthCase{"calc2_no_deduction", lBar90, calc2, own(20, 3), 1.0, 1500, 1500},
        LengthCase{"bend_table_outside", lBar90, bendTable, own(20, 3), 1.0, 1460, 1460},
        LengthCase{"bend_table_inside", lBar90, bendTable, inner(own(20, 3)), 1.0, 1500, 1500},
        LengthCase{"bend_table_by_diameter_outside", lBar90, bendTableDN, own(20, 3), 1.0, 1460, 1460},
        LengthCase{"bend_table_by_diameter_inside", lBar90, bendTableDN, inner(own(20, 3)), 1.0, 1500, 1500},
        LengthCase{"joint_at_3_degrees_adds_nothing", lBar3, nullptr, own(20, 3), 1.0, 1500, 1500},
        LengthCase{"joint_at_minus_4_degrees_adds_nothing", lBarMinus4, nullptr, own(20, 3), 1.0, 1500, 1500},
        LengthCase{"arc_side_joint", arcBar, nullptr, own(20, 3), 1.0, 1464, 1464},
        LengthCase{"arc_side_joint_calc1", arcBar, calc1, own(20, 3), 1.0, 1490, 1490},
        LengthCase{"u_bar", uBar, nullptr, own(16, 3), 1.0, 1527, 1527},
        LengthCase{"stirrup", stirrup, nullptr, hooked(own(8, 1, 2.5f, 2.5f, 2.5f), 2, 2), 1.0, 1746, 1748},
        LengthCase{"stirrup_d6_floor_75", stirrup, nullptr, hooked(own(6, 1, 2.5f, 2.5f, 2.5f), 2, 2), 1.0, 1740, 1741},
        LengthCase{"180_hooks", straight3000, nullptr, hooked(own(12, 1), 4, 4), 1.0, 3148, 3150},
        LengthCase{"180_hooks_inside", straight3000, nullptr, inner(hooked(own(12, 1), 4, 4)), 1.0, 3172, 3174},
        LengthCase{"calc2_hook_arc_on_D_plus_2d", straight3000, calc2, hooked(own(12, 1), 4, 4), 1.0, 3186, 3188},
        LengthCase{"factor_2_scales_hooks", straight3000, nullptr, hooked(own(12, 1), 4, 4), 2.0, 3298, 3300},
        LengthCase{"left_hook_only", straight3000, nullptr, hooked(own(12, 1), 4, 0), 1.0, 3074, 3075},
        LengthCase{"hook_table_multiple", straight3000, hook625, hooked(own(12, 1), 4, 4), 1.0, 3150, 3150},
        LengthCase{"hook_table_multiple_inside", straight3000, hook625, inner(hooked(own(12, 1), 4, 4)), 1.0, 3174, 3174},
        LengthCase{"hook_table_millimetres", straight3000, hook100, hooked(own(8, 1), 4, 4), 1.0, 3200, 3200},
        LengthCase{"hook_table_80_is_mm_whatever_d", straight3000, hook80, hooked(own(20, 3), 4, 4), 1.0, 3160, 3160},
        LengthCase{"hook_table_6_is_6d", straight3000, hook6, hooked(own(12, 1), 4, 4), 1.0, 3144, 3144},
        LengthCase{"hook_table_mm_unscaled_on_both_ends", straight3000, hook100, hooked(own(8, 1), 4, 4), 2.0, 3200, 3200},
        LengthCase{"hook_table_by_diameter", straight3000, hookTableDN, hooked(own(12, 1), 4, 4), 1.0, 3160, 3160},
        LengthCase{"hook_table_by_diameter_inside", straight3000, hookTableDN, inner(hooked(own(12, 1), 4, 4)), 1.0, 3184, 3184},
        LengthCase{"lap_pieces_keep_hooks", lapOnce, nullptr, hooked(own(12, 1), 4, 4), 1.0, 9296, 9150},
        LengthCase{"second_piece_counted_3", lapThrice, nullptr, hooked(own(12, 1), 4, 4), 1.0, 15592, 9150},
        LengthCase{"weld_adds_no_hooks_at_joint", weldOnce, nullptr, hooked(own(12, 1), 4, 4), 1.0, 9148, 9150},
        LengthCase{"bent_up_own_multiples", bentUpLong, nullptr, own(20, 3), 1.0, 4358, 4358},
        LengthCase{"sine_side_is_whole", straightSine, nullptr, own(10, 1), 1.0, 500, 500}),
    [](const auto& info) { return std::string(info.param.name); });

// The same kinds of bars with the shipped rule settings.
INSTANTIATE_TEST_SUITE_P(
    DefaultSettings, LengthRules,
    ::testing::Values(
        LengthCase{"straight", straight6000, nullptr, envora(25, 3), 1.0, 6000, 6000},
        LengthCase{"u_bar", uBar, nullptr, envora(16, 3), 1.0, 1534, 1534},
        LengthCase{"stirrup", stirrup, nullptr, hooked(envora(8, 1), 2, 2), 1.0, 1746, 1748},
        LengthCase{"stirrup_d10_grade3", stirrup, nullptr, hooked(envora(10, 3), 2, 2), 1.0, 1794, 1796},
        LengthCase{"180_hooks", straight3000, nullptr, hooked(envora(12, 1), 4, 4), 1.0, 3148, 3150},
        LengthCase{"second_piece_counted_3", lapThrice, nullptr, hooked(envora(12, 1), 4, 4), 1.0, 15592, 9150},
        LengthCase{"bent_up", bentUp, nullptr, envora(20, 3), 1.0, 1544, 1544},
        LengthCase{"bent_up_and_down", bentUpAndDown, nullptr, envora(20, 3), 1.0, 4088, 4088},
        LengthCase{"l_bar_grade3", lBar90, nullptr, envora(20, 3), 1.0, 1459, 1459},
        LengthCase{"l_bar_grade1", lBar90, nullptr, envora(10, 1), 1.0, 1482, 1482},
        LengthCase{"tie", tie300, nullptr, hooked(envora(8, 1), 2, 2), 1.0, 488, 490},
        LengthCase{"sine_side_is_whole", straightSine, nullptr, envora(10, 1), 1.0, 500, 500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LengthRulesDefaults, HooksOfTheUsualCodeValues)
{
    CacheScope scope;
    // A plain bar's 180° hook adds 6.25d, a stirrup's 135° hook 11.9d (d 10).
    CVes_BarCore bar;
    bar.setRecordId(scope.add(straight3000())->getID());
    bar.setSteel(1, 10, 0);
    bar.setHookLeft(lengthHookOf(4));
    EXPECT_EQ(bar.getHookLength(lengthHookOf(4), 1.0), 62.0f);
    EXPECT_NEAR(bar.calculateLength(0, 1.0) - 3000.0f, 62.5f, 0.5f);

    CVes_BarCore tie;
    tie.setRecordId(scope.add(tie300())->getID());
    tie.setSteel(1, 10, 0);
    tie.setHookLeft(lengthHookOf(2));
    EXPECT_EQ(tie.getHookLength(lengthHookOf(2), 1.0), 118.0f);
    EXPECT_NEAR(tie.calculateLength(0, 1.0) - 300.0f, 119.0f, 0.5f);
}

TEST(LengthRulesJoint, DeductionOfSingleJoints)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setSteel(3, 20, 0);
    bar.ownBendDiameters = 1;  // D = 5d = 100 below 91°
    const double d = 20, D = 100;
    // A right angle between two straight sides, measured outside: the
    // quarter arc less twice (D/2 + d).
    EXPECT_NEAR(bar.calculateZhesunLength(90, 0, 0, 1), (d + D) * 3.1415926 / 4 - 2 * (D / 2 + d), 1e-4);
    EXPECT_EQ(bar.calculateZhesunLength(3, 0, 0, 1), 0.0f);
    EXPECT_EQ(bar.calculateZhesunLength(-4, 0, 0, 1), 0.0f);
    // Straight on after a connection mark: nothing.
    EXPECT_NEAR(bar.calculateZhesunLength(180, 8, 0, 1), 0.0f, 1e-6);
    CacheScope::resetRules(calc1);
    EXPECT_FLOAT_EQ(bar.calculateZhesunLength(90, 0, 0, 0), 20.0f);
    EXPECT_FLOAT_EQ(bar.calculateZhesunLength(90, 0, 0, 1), -20.0f);
}

TEST(LengthRulesBends, OwnMultiplesByAngleAndEnvoraOtherwise)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setSteel(3, 10, 0);
    bar.ownBendDiameters = 1;
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(90.9f), 50.0f);
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(91.0f), 40.0f);
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(178.9f), 40.0f);
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(179.0f), 25.0f);
    bar.ownBendDiameters = 0;
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(90), 40.0f);  // 400 MPa: 4d
    bar.grade = 1;
    EXPECT_FLOAT_EQ(bar.getWanZheNeiJing(90), 25.0f);  // plain round: 2.5d
}

TEST(LengthRulesCount, BendsAreSidesPlusHooks)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.bendCount = 9;
    EXPECT_EQ(bar.getZheshu(), 0);  // no shape: left as it was
    EXPECT_EQ(bar.bendCount, 9);
    bar.setRecordId(scope.add(stirrup())->getID());
    bar.setHookLeft(lengthHookOf(2));
    bar.setHookRight(lengthHookOf(2));
    EXPECT_EQ(bar.getZheshu(), 6);
    EXPECT_EQ(bar.bendCount, 6);
}

TEST(LengthRulesStored, TypedLengthIsShownEvenWithAShape)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId(scope.add(straight6000())->getID());
    bar.calcLength = 0;
    bar.length = 1234.5f;
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), 1234.5f);
    EXPECT_FLOAT_EQ(bar.calculateLength(0, 1.0), 6000.0f);
    EXPECT_FLOAT_EQ(bar.length, 1234.5f);
}

TEST(LengthRulesPieces, CallerEntriesCountAndArraysGrowInPairs)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId(scope.add(lapThrice())->getID());
    bar.setSteel(1, 12, 0);
    std::vector<float> lengths{1000.0f};
    std::vector<int> counts{2};
    EXPECT_FLOAT_EQ(bar.calculateGroupLength(lengths, counts, 0, 1.0), 2000.0f + 6000.0f + 3 * 3000.0f);
    EXPECT_EQ(lengths, (std::vector<float>{1000.0f, 6000.0f, 3000.0f}));
    EXPECT_EQ(counts, (std::vector<int>{2, 1, 3}));
    // Unpaired entries of the caller are not read.
    std::vector<float> more{500.0f, 700.0f};
    std::vector<int> fewer{1};
    EXPECT_FLOAT_EQ(bar.calculateGroupLength(more, fewer, 0, 1.0), 500.0f + 700.0f + 3 * 6000.0f);
}

TEST(LengthRulesRounding, EachPieceIsRoundedByTheUsersRule)
{
    CacheScope scope;
    CacheScope::resetRules([](envora::Settings& s) { s.steel.dataEnd = envora::dataend::kUp10; });
    CVes_BarCore bar;
    bar.setRecordId(scope.add(lapThrice())->getID());
    bar.setSteel(1, 12, 0);
    bar.ownBendDiameters = 1;
    bar.setHookLeft(lengthHookOf(4));
    bar.setHookRight(lengthHookOf(4));
    // Pieces 6148 and 3148 round up to 6150 and 3150 each.
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), 6150.0f + 3 * 3150.0f);
    EXPECT_FLOAT_EQ(bar.calculateLength(0, 1.0), 9150.0f);
}

TEST(LengthRulesRanges, SecondValuesGiveTheLastBarOfAGroup)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId(scope.add(straight3000())->getID());
    bar.setMultiVal(1);
    bar.setMultiGroup(5);
    bar.setVarValue("L", 3000.0);
    bar.setVarValueE("L", 3400.0);
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), 3000.0f);
    EXPECT_FLOAT_EQ(bar.getLength(1, 1.0), 3400.0f);
    EXPECT_FLOAT_EQ(bar.getLength(2, 1.0), 3100.0f);  // value plus step
}

// A shape the libraries do not hold says nothing about the bar's length.
TEST(LengthRulesMissingShape, StoredLengthIsKeptShownAndMarked)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId({185, 3});
    bar.length = 4321.0f;
    EXPECT_TRUE(bar.isShapeMissing());
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), 4321.0f);
    EXPECT_FLOAT_EQ(bar.calculateLength(0, 1.0), 4321.0f);
    EXPECT_FLOAT_EQ(bar.length, 4321.0f);
    std::vector<float> lengths;
    std::vector<int> counts;
    EXPECT_FLOAT_EQ(bar.calculateGroupLength(lengths, counts, 0, 1.0), 4321.0f);
    EXPECT_EQ(counts, std::vector<int>{1});
}

TEST(LengthRulesMissingShape, NoShapeChosenOrNoSidesGivesZero)
{
    CacheScope scope;
    CVes_BarCore none;
    EXPECT_FALSE(none.isShapeMissing());
    EXPECT_FLOAT_EQ(none.getLength(0, 1.0), 0.0f);
    EXPECT_FLOAT_EQ(none.calculateLength(0, 1.0), 0.0f);
    EXPECT_FLOAT_EQ(none.length, 0.0f);

    CVes_BarCore empty;
    empty.setRecordId(scope.add(ShapeBuilder({150, 30}).text("说明").build())->getID());
    EXPECT_FALSE(empty.isShapeMissing());
    EXPECT_FLOAT_EQ(empty.calculateLength(0, 1.0), 0.0f);
    EXPECT_FLOAT_EQ(empty.length, 0.0f);
}

// Bars whose sides add up to more than an int holds: two sides of
// 2,000,000,000 mm in line, or an L-bar bent by 360°, which makes its joint
// endless. Such a bar has no length (0, never a wrapped negative one), so
// the sheets show none and the data check marks it.
std::unique_ptr<CVes_ModelRecord> twoLongSidesInLine()
{
    return ShapeBuilder({150, 41})
        .var("L1", 2000000000)
        .var("L2", 2000000000)
        .from({250, 60})
        .straight({250, 220}, "0", "L1")
        .straight({1250, 220}, "0", "L2")
        .build();
}
std::unique_ptr<CVes_ModelRecord> lBarAt360()
{
    return ShapeBuilder({150, 42})
        .var("L1", 1000)
        .var("L2", 500)
        .var("A", 360, CVes_Variable::kDegrees)
        .from({250, 60})
        .straight({250, 220}, "0", "L1")
        .straight({1250, 220}, "A", "L2")
        .build();
}

class LengthBeyondTheIntRange : public ::testing::TestWithParam<Shape> {};

TEST_P(LengthBeyondTheIntRange, IsNoLengthAtAll)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId(scope.add(GetParam()())->getID());
    bar.setSteel(3, 20.0f, 0);
    bar.length = 100.0f;
    EXPECT_EQ(bar.getLength(0, 1.0), 0.0f);
    EXPECT_EQ(bar.calculateLength(0, 1.0), 0.0f);
    EXPECT_EQ(bar.length, 0.0f);
    std::vector<float> lengths;
    std::vector<int> counts;
    EXPECT_EQ(bar.calculateGroupLength(lengths, counts, 0, 1.0), 0.0f);
    EXPECT_EQ(lengths, std::vector<float>{0.0f});
}

INSTANTIATE_TEST_SUITE_P(Shapes, LengthBeyondTheIntRange,
                         ::testing::Values(&twoLongSidesInLine, &lBarAt360));

// Right below the limit a length is still measured.
TEST(LengthBeyondTheIntRange, ALongButPossibleLengthIsKept)
{
    CacheScope scope;
    CVes_BarCore bar;
    bar.setRecordId(scope.add(straight("2000000000"))->getID());
    bar.setSteel(3, 20.0f, 0);
    EXPECT_FLOAT_EQ(bar.calculateLength(0, 1.0), 2.0e9f);
}

} // namespace
