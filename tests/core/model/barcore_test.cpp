#include "core/model/barcore.h"
#include "platform/recordingdc.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <thread>

namespace {

using test::CacheScope;
using test::ShapeBuilder;

CVes_Hook hookOf(int kind)
{
    CVes_Hook hook;
    hook.enabled = kind ? 1 : 0;
    hook.kind = kind ? kind : 4;
    return hook;
}

// order

struct Bar {
    float dn = 20;
    int grade = 3;
    int type = 0;
    float length = 3000;
    int bends = 2;
    int recordNo = 1;
};

struct OrderCase {
    const char* name;
    unsigned int mode;
    Bar a;
    Bar b;
    bool aFirst;
    bool bFirst;
};

std::ostream& operator<<(std::ostream& os, const OrderCase& c)
{
    return os << c.name;
}

void fill(CVes_BarCore& bar, const Bar& wanted)
{
    bar.DN = wanted.dn;
    bar.grade = wanted.grade;
    bar.steelType = wanted.type;
    bar.length = wanted.length;
    bar.bendCount = wanted.bends;
}

class BarOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(BarOrder, ByTheSortMode)
{
    const OrderCase& c = GetParam();
    CacheScope scope;
    scope.add(ShapeBuilder({150, 1}).build());
    scope.add(ShapeBuilder({150, 2}).build());
    CVes_BarCore a, b;
    a.setRecordId({150, c.a.recordNo});
    b.setRecordId({150, c.b.recordNo});
    fill(a, c.a);
    fill(b, c.b);
    EXPECT_EQ(CVes_BarCore::lessThan(a, b, c.mode), c.aFirst);
    EXPECT_EQ(CVes_BarCore::lessThan(b, a, c.mode), c.bFirst);
    CVes_BarCore::setSort(c.mode);
    EXPECT_EQ(a < b, c.aFirst);
    EXPECT_EQ(b < a, c.bFirst);
    CVes_BarCore::setSort(20);
}

constexpr Bar bar(float dn, int grade = 3, int type = 0, float length = 3000, int bends = 2,
                  int recordNo = 1)
{
    return Bar{dn, grade, type, length, bends, recordNo};
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BarOrder,
    ::testing::Values(
        OrderCase{"bends_only_more_first", 0x24, bar(12, 3, 0, 3000, 6), bar(25, 3, 0, 1000, 4), true, false},
        OrderCase{"bends_equal_are_equal", 0x24, bar(12), bar(25), false, false},
        OrderCase{"mode0_thick_first", 0, bar(25), bar(12), true, false},
        OrderCase{"mode4_thin_first", 4, bar(25), bar(12), false, true},
        OrderCase{"mode0_higher_grade_first", 0, bar(20, 3), bar(20, 1), true, false},
        OrderCase{"mode4_lower_grade_first", 4, bar(20, 3), bar(20, 1), false, true},
        OrderCase{"grade_compares_unsigned", 4, bar(20, -1), bar(20, 3), false, true},
        OrderCase{"mode0_higher_type_first", 0, bar(20, 3, 2), bar(20, 3, 1), true, false},
        OrderCase{"mode1_shorter_first", 1, bar(20, 3, 0, 2000), bar(20, 3, 0, 3000), true, false},
        OrderCase{"mode2_longer_first", 2, bar(20, 3, 0, 2000), bar(20, 3, 0, 3000), false, true},
        OrderCase{"bits1_and_2_shorter_first", 3, bar(20, 3, 0, 2000), bar(20, 3, 0, 3000), true, false},
        OrderCase{"no_length_bit_key_decides", 0, bar(20, 3, 0, 5000, 2, 1), bar(20, 3, 0, 3000, 2, 2), true, false},
        OrderCase{"bit16_is_not_read", 16, bar(25), bar(12), true, false},
        OrderCase{"key_ascending_last", 4, bar(20, 3, 0, 3000, 2, 2), bar(20, 3, 0, 3000, 2, 1), false, true},
        OrderCase{"same_bar_is_not_before_itself", 5, bar(20), bar(20), false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Two tables sort at once with their own modes; the shared mode is not read.
TEST(BarOrderThreads, EachSortUsesItsOwnMode)
{
    CacheScope scope;
    scope.add(ShapeBuilder({150, 1}).build());
    std::vector<CVes_BarCore> bars(60);
    for (size_t i = 0; i < bars.size(); ++i) {
        bars[i].setRecordId({150, 1});
        bars[i].DN = float(6 + (i * 7) % 30);
        bars[i].grade = int(1 + i % 3);
        bars[i].length = float(1000 + (i * 37) % 500);
    }
    const auto sorted = [&](unsigned int mode) {
        std::vector<const CVes_BarCore*> order;
        for (const auto& b : bars)
            order.push_back(&b);
        std::stable_sort(order.begin(), order.end(), [mode](const auto* x, const auto* y) {
            return CVes_BarCore::lessThan(*x, *y, mode);
        });
        return order;
    };
    const auto down = sorted(0x02), up = sorted(0x05);
    std::vector<const CVes_BarCore*> downThread, upThread;
    std::thread t1([&] { downThread = sorted(0x02); });
    std::thread t2([&] { upThread = sorted(0x05); });
    for (int i = 0; i < 100; ++i)
        CVes_BarCore::setSort(i % 2 ? 0x24u : 20u);
    t1.join();
    t2.join();
    CVes_BarCore::setSort(20);
    EXPECT_EQ(downThread, down);
    EXPECT_EQ(upThread, up);
    EXPECT_NE(down, up);
}

// merging

std::unique_ptr<CVes_ModelRecord> lBar(CSteelRecordId key, const char* first, const char* second)
{
    return ShapeBuilder(key)
        .from({250, 60})
        .straight({250, 220}, "0", first)
        .straight({1250, 220}, "90", second)
        .build();
}

class BarMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build());
        a.setRecordId({150, 1});
        b.setRecordId({150, 1});
    }
    CacheScope scope;
    CVes_BarCore a, b;
};

TEST_F(BarMerge, TypedLengthsWithinATenthOfAMillimetre)
{
    a.calcLength = b.calcLength = 0;
    a.length = 3000.05f;
    b.length = 3000.1f;
    EXPECT_EQ(a.isSame(b), 1);
    a.length = 3000.0f;
    b.length = 3000.2f;
    EXPECT_EQ(a.isSame(b), 0);
}

TEST_F(BarMerge, MaterialAndFlagsMustAgree)
{
    EXPECT_EQ(a.isSame(b), 1);
    b.grade = 3;
    EXPECT_EQ(a.isSame(b), 0);
    b.grade = a.grade;
    b.steelType = 1;
    EXPECT_EQ(a.isSame(b), 0);
    b.steelType = a.steelType;
    b.setProcess(0);
    EXPECT_EQ(a.isSame(b), 0);
    b.setProcess(1);
    b.setActualMeasure(1);
    EXPECT_EQ(a.isSame(b), 0);
    b.setActualMeasure(0);
    a.setMultiVal(1);
    b.setMultiVal(1);
    a.setMultiGroup(3);
    b.setMultiGroup(4);
    EXPECT_EQ(a.isSame(b), 0);
    b.setMultiGroup(3);
    EXPECT_EQ(a.isSame(b), 1);
    b.setVarValueE("L", 3600.0);
    EXPECT_EQ(a.isSame(b), 0) << "the last bars of the groups differ";
    b.setSteel(3, 12, 0);
    EXPECT_EQ(a.isSame(b), 0);
}

TEST_F(BarMerge, ComputedLengthsAndEnds)
{
    b.setVarValue("L", 3001.0);
    EXPECT_EQ(a.isSame(b), 0);
    b.setVarValue("L", 3000.0);
    b.setHookLeft(hookOf(4));
    EXPECT_EQ(a.isSame(b), 0);
    a.setHookRight(hookOf(4));
    EXPECT_EQ(a.isSame(b), 1) << "one bar is the other turned round";
    CVes_Connect weld;
    weld.type = 3;
    weld.param = 2;
    a.setLConnect(&weld);
    EXPECT_EQ(a.isSame(b), 0);
    b.setRConnect(&weld);
    EXPECT_EQ(a.isSame(b), 1);
    // A lap (type 1) counts as a free end.
    CVes_Connect lap;
    lap.type = 1;
    b.setLConnect(&lap);
    EXPECT_EQ(a.isSame(b), 1);
}

TEST_F(BarMerge, ComparingLeavesTheStoredLengthsOfBothBars)
{
    // Graded bars: comparing computes the first and the last bar of each,
    // and stores neither (the stored length is what a file keeps).
    for (CVes_BarCore* bar : {&a, &b}) {
        bar->setMultiVal(1);
        bar->setMultiGroup(3);
        bar->length = 1234.0f;
    }
    a.setVarValueE("L", 3600.0);
    b.setVarValueE("L", 3900.0);
    EXPECT_EQ(a.isSame(b), 0);
    EXPECT_EQ(b.isSame(a), 0);
    EXPECT_EQ(a.length, 1234.0f);
    EXPECT_EQ(b.length, 1234.0f);
}

TEST_F(BarMerge, MirroredBarOfAnotherShapeMatchesReversed)
{
    scope.add(lBar({150, 50}, "1000", "500"));
    scope.add(lBar({150, 51}, "500", "1000"));
    CVes_BarCore forwards, backwards;
    forwards.setRecordId({150, 50});
    backwards.setRecordId({150, 51});
    CVes_Connect coupler;
    coupler.type = 8;
    forwards.setHookLeft(hookOf(4));
    forwards.setLConnect(&coupler);
    backwards.setHookRight(hookOf(4));
    backwards.setRConnect(&coupler);
    EXPECT_EQ(forwards.isSame(backwards), 1);
    EXPECT_EQ(forwards.compareDuanTou(&backwards), 0);
    EXPECT_EQ(forwards.compareDuanTouR(&backwards), 1);
    backwards.setHookRight(hookOf(2));
    EXPECT_EQ(forwards.isSame(backwards), 0);
}

TEST_F(BarMerge, EqualityLeavesBothBarsAlone)
{
    a.length = 55.0f;
    b.length = 77.0f;
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b.length, 77.0f);
    EXPECT_EQ(a.length, 55.0f);
}

// setters and copies

TEST(BarCore, DiameterChangeKeepsConnectionsToOtherDiameters)
{
    CVes_BarCore bar;
    CVes_Connect toSame, toThicker;
    toSame.farDN = 10.0f;
    toThicker.type = 8;
    toThicker.farDN = 25.0f;
    bar.setLConnect(&toSame);
    bar.setRConnect(&toThicker);
    bar.setSteel(3, 20, 1);
    EXPECT_EQ(bar.getLConnect()->farDN, 20.0f);
    EXPECT_EQ(bar.getRConnect()->farDN, 25.0f);
    EXPECT_EQ(bar.getDN(), 20.0f);
    EXPECT_EQ(bar.grade, 3);
    EXPECT_EQ(bar.steelType, 1);
}

// A copy takes the other bar's ends as they are, whatever diameter the
// bar it is copied into had: a reducing coupler keeps its far size.
struct CopyCase {
    const char* what;
    float intoDiameter; // the bar copied into (a new bar has 10)
    float diameter;     // the bar copied
    float farLeft;
    float farRight;
};

void PrintTo(const CopyCase& c, std::ostream* os)
{
    *os << c.what;
}

class BarCopy : public testing::TestWithParam<CopyCase> {};

TEST_P(BarCopy, KeepsTheFarDiameters)
{
    const CopyCase& c = GetParam();
    CVes_BarCore source;
    source.setDN(c.diameter);
    CVes_Connect left, right;
    left.type = 8;
    left.farDN = c.farLeft;
    right.type = 7;
    right.farDN = c.farRight;
    source.setLConnect(&left);
    source.setRConnect(&right);

    CVes_BarCore into;
    into.setDN(c.intoDiameter);
    into.set(&source);
    EXPECT_EQ(into.getDN(), c.diameter);
    EXPECT_EQ(into.getLConnect()->farDN, c.farLeft);
    EXPECT_EQ(into.getRConnect()->farDN, c.farRight);
    CVes_BarCore assigned;
    assigned = source;
    EXPECT_EQ(assigned.getRConnect()->farDN, c.farRight);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, BarCopy,
    testing::Values(CopyCase{"reducing_to_a_new_bars_10", 10.0f, 12.0f, 12.0f, 10.0f},
                    CopyCase{"reducing_to_the_old_size", 16.0f, 12.0f, 16.0f, 12.0f},
                    CopyCase{"widening", 10.0f, 20.0f, 25.0f, 20.0f},
                    CopyCase{"same_sizes", 10.0f, 20.0f, 20.0f, 20.0f}));

TEST(BarCore, ChoosingAShapeSetsItsDiameterAndStandardValues)
{
    CacheScope scope;
    scope.add(ShapeBuilder({150, 1}).var("L", 3000).computed("M", "L+la").straight({1300, 150}, "0", "M").build());
    CVes_BarCore bar;
    bar.setSteel(3, 22, 0);
    bar.setRecordId({150, 1});
    EXPECT_EQ(bar.getVarValue("d"), 22.0);
    bar.setLa(700);
    bar.setLae(1);
    bar.setLle(2);
    bar.setBhc(3);
    EXPECT_EQ(bar.getVarValue("la"), 700.0);
    EXPECT_EQ(bar.getVarValue("bhc"), 3.0);
    EXPECT_EQ(bar.getLength(0, 1.0), 3700.0f);
    EXPECT_EQ(bar.getVarValue("M"), 3000.0) << "the bar keeps its own values";
}

TEST(BarCore, CopiesKeepOrRecountTheBends)
{
    CacheScope scope;
    scope.add(ShapeBuilder({150, 1}).straight({1300, 150}, "0", "1000").build());
    CVes_BarCore bar;
    bar.setRecordId({150, 1});
    bar.number = "5";
    bar.count = 3;
    bar.remark = "r";
    bar.userValue = 4;
    bar.work = 8;
    bar.bendCount = 9;
    bar.ownBendDiameters = 1;
    bar.bendMult135 = 7.0f;
    const CVes_BarCore constructed(bar);
    EXPECT_EQ(constructed.bendCount, 9);
    EXPECT_EQ(constructed.number, "5");
    EXPECT_EQ(constructed.bendMult135, 7.0f);
    EXPECT_EQ(constructed.work, 0);
    CVes_BarCore assigned;
    assigned = bar;
    EXPECT_EQ(assigned.bendCount, 1);
    EXPECT_EQ(assigned.count, 3);
    EXPECT_EQ(assigned.remark, "r");
    EXPECT_EQ(assigned.userValue, 4);
    EXPECT_EQ(assigned.work, 0);
    EXPECT_EQ(assigned.getRecordId(), CSteelRecordId(150, 1));
}

// threads

// Bars of three shared shapes measured on four threads while a fifth draws
// them give the sequential results, and the shared shapes stay as they were.
TEST(BarThreads, LengthsOnSeveralThreadsEqualTheSequentialOnes)
{
    CacheScope scope;
    const CVes_ModelRecord* shapes[] = {
        scope.add(ShapeBuilder({150, 61})
                      .stirrup()
                      .var("H", 500)
                      .var("B", 300)
                      .from({550, 60})
                      .straight({550, 240}, "0", "H")
                      .straight({950, 240}, "90", "B")
                      .straight({950, 60}, "90", "H")
                      .straight({550, 60}, "90", "B")
                      .hooks(2, 2)
                      .build()),
        scope.add(lBar({150, 62}, "1000+d", "500")),
        scope.add(ShapeBuilder({150, 63})
                      .var("L", 6000)
                      .straight({1300, 150}, "0", "L")
                      .mark(1, {700, 150}, "2", "180", "3000")
                      .hooks(4, 4)
                      .build()),
    };
    const double before = shapes[0]->getVar("H")->m_value;

    std::vector<CVes_BarCore> bars(300);
    for (size_t i = 0; i < bars.size(); ++i) {
        CVes_BarCore& b = bars[i];
        b.setRecordId(shapes[i % 3]->getID());
        b.setSteel(int(1 + i % 3), float(6 + 2 * (i % 10)), 0);
        b.setVarValue("H", 300.0 + double(i));
        b.setVarValue("L", 4000.0 + double(i));
        b.setOutDim(int(i % 2));
        if (i % 5 == 0)
            b.MirrorHor();
    }
    struct Result {
        float shown, stored, shownAtTwo;
        bool operator==(const Result&) const = default;
    };
    const auto measure = [](std::vector<CVes_BarCore>& list) {
        std::vector<Result> out;
        for (auto& b : list)
            out.push_back({b.getLength(0, 1.0), b.calculateLength(0, 1.0), b.getLength(0, 2.0)});
        return out;
    };
    std::vector<CVes_BarCore> reference = bars;
    const std::vector<Result> expected = measure(reference);

    constexpr int kThreads = 4;
    std::vector<std::vector<CVes_BarCore>> copies(kThreads + 1, bars);
    std::vector<std::vector<Result>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                results[size_t(t)] = measure(copies[size_t(t)]);
        });
    threads.emplace_back([&] {
        const platform::Rect rect(0, 0, 150, 30);
        for (auto& b : copies[kThreads]) {
            platform::RecordingDc dc;
            b.Draw(&dc, 0x00FF00, 0x0000FF, 0, 0, 0, 0, &rect, 1, 1.0);
        }
    });
    for (auto& t : threads)
        t.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_TRUE(results[size_t(t)] == expected) << "thread " << t;
    EXPECT_EQ(shapes[0]->getVar("H")->m_value, before);
    EXPECT_EQ(shapes[0]->m_pConnectLeft, nullptr);
}

} // namespace
