// The records the summaries collect bars into: length items keyed by grade,
// diameter and coating, joint items of the bars' end and intermediate
// connections, and the named groups of the per-element summaries.

#include "tables/shared/sumitems.h"

#include "core/model/barcore.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Length items

struct LengthBar {
    int grade;
    float d;
    int coating;
    double metres;
};

struct LengthCase {
    const char* name;
    std::vector<LengthBar> bars;
    std::vector<LengthBar> items; // what the list holds afterwards, in order
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class LengthItems : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthItems, AccumulateByGradeDiameterAndCoating)
{
    SumLengthItems items;
    for (const auto& b : GetParam().bars) {
        CVes_BarCore bar;
        bar.grade = b.grade;
        bar.DN = b.d;
        bar.steelType = b.coating;
        addLengthItem(&bar, b.metres, items);
    }
    const auto& expected = GetParam().items;
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].grade, expected[i].grade) << i;
        EXPECT_EQ(items[i].diameter, expected[i].d) << i;
        EXPECT_EQ(items[i].coating, expected[i].coating) << i;
        EXPECT_DOUBLE_EQ(items[i].length, expected[i].metres) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthItems,
    testing::Values(
        LengthCase{"same_key_adds", {{3, 20, 0, 12.5}, {3, 20, 0, 7.25}}, {{3, 20, 0, 19.75}}},
        LengthCase{"coating_splits", {{3, 20, 0, 6.0}, {3, 20, 1, 4.0}},
                   {{3, 20, 0, 6.0}, {3, 20, 1, 4.0}}},
        LengthCase{"grade_splits", {{2, 20, 0, 1.0}, {3, 20, 0, 2.0}, {2, 20, 0, 3.0}},
                   {{2, 20, 0, 4.0}, {3, 20, 0, 2.0}}},
        // Diameters are compared as stored: 6.5 is not 6.
        LengthCase{"diameter_exact", {{1, 6.5f, 0, 1.5}, {1, 6, 0, 2.0}, {1, 6.5f, 0, 0.5}},
                   {{1, 6.5f, 0, 2.0}, {1, 6, 0, 2.0}}},
        LengthCase{"first_appearance_order",
                   {{3, 25, 0, 1.0}, {3, 12, 0, 1.0}, {1, 8, 0, 1.0}, {3, 12, 0, 1.0}},
                   {{3, 25, 0, 1.0}, {3, 12, 0, 2.0}, {1, 8, 0, 1.0}}},
        LengthCase{"zero_length_still_makes_item", {{4, 16, 0, 0.0}}, {{4, 16, 0, 0.0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LengthItemsNull, NoBarAddsNothing)
{
    SumLengthItems items;
    addLengthItem(nullptr, 3.0, items);
    EXPECT_TRUE(items.empty());
}

// End joints

struct End {
    int type = 0;
    int on = 1;
    int thread = 1;
    int otherThread = 1;
    float otherD = 10.0f;
};

struct JointBar {
    float d;
    End start;
    End end;
    int n = 1;
};

struct Joint {
    float d;
    int count;
    int type;
    int thread;
    int otherThread;
    int otherD;
};

bool operator==(const CVes_SumJointItem& a, const Joint& b)
{
    return a.diameter == b.d && a.count == b.count && a.type == b.type && a.thread == b.thread
        && a.otherThread == b.otherThread && a.otherDiameter == b.otherD;
}

std::string describe(const CVes_SumJointItem& j)
{
    std::ostringstream os;
    os << "{d " << j.diameter << " count " << j.count << " type " << j.type << " threads "
       << j.thread << "/" << j.otherThread << " other " << j.otherDiameter << "}";
    return os.str();
}

void setEnd(CVes_Connect& c, const End& e)
{
    c.type = e.type;
    c.flag = e.on;
    c.direction = e.thread;
    c.farDirection = e.otherThread;
    c.farDN = e.otherD;
}

void expectItems(const SumJointItems& items, const std::vector<Joint>& expected)
{
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_TRUE(items[i] == expected[i]) << "item " << i << ": " << describe(items[i]);
}

struct JointCase {
    const char* name;
    std::vector<JointBar> bars;
    std::vector<Joint> items;
};

void PrintTo(const JointCase& c, std::ostream* os) { *os << c.name; }

class EndJoints : public testing::TestWithParam<JointCase> {};

TEST_P(EndJoints, MatchAndMerge)
{
    SumJointItems items;
    for (const auto& b : GetParam().bars) {
        CVes_BarCore bar;
        bar.DN = b.d;
        setEnd(*bar.getLConnect(), b.start);
        setEnd(*bar.getRConnect(), b.end);
        addJointItems(&bar, b.n, items);
    }
    expectItems(items, GetParam().items);
}

constexpr int kLap = 1;
constexpr int kWeld = 3;
constexpr int kPressed = 6;
constexpr int kTaper = 7;
constexpr int kStraight = 8;

INSTANTIATE_TEST_SUITE_P(
    Cases, EndJoints,
    testing::Values(
        JointCase{"lap_both_ends_2n", {{20, {kLap}, {kLap}, 3}}, {{20, 6, kLap, 1, 1, 20}}},
        // Lap joints go by whole millimetres: 6.5 counts under 6.
        JointCase{"lap_whole_diameter",
                  {{6.5f, {kLap}, {}, 2}, {6.5f, {}, {kLap}, 1}, {6, {kLap}, {}, 1}},
                  {{6, 4, kLap, 1, 1, 6}}},
        JointCase{"straight_coupler_both_ends_2n",
                  {{25, {kStraight, 1, 1, 1, 25}, {kStraight, 1, 1, 1, 25}, 4}},
                  {{25, 8, kStraight, 1, 1, 25}}},
        JointCase{"coupler_same_joint_from_other_bar_start",
                  {{25, {kStraight, 1, 1, 0, 20}, {}, 1}, {20, {kStraight, 1, 0, 1, 25}, {}, 2}},
                  {{25, 3, kStraight, 1, 0, 20}}},
        JointCase{"coupler_same_joint_other_bar_first",
                  {{20, {kStraight, 1, 0, 1, 25}, {}, 1}, {25, {kStraight, 1, 1, 0, 20}, {}, 1}},
                  {{20, 2, kStraight, 0, 1, 25}}},
        // Recorded at the end of one bar and the start of the other: still one joint.
        JointCase{"coupler_same_joint_end_and_start",
                  {{25, {}, {kStraight, 1, 1, 0, 20}, 1}, {20, {kStraight, 1, 0, 1, 25}, {}, 1}},
                  {{25, 2, kStraight, 1, 0, 20}}},
        JointCase{"coupler_same_joint_start_then_end",
                  {{25, {kStraight, 1, 1, 0, 20}, {}, 1}, {20, {}, {kStraight, 1, 0, 1, 25}, 1}},
                  {{25, 2, kStraight, 1, 0, 20}}},
        JointCase{"coupler_other_thread_is_other_joint",
                  {{25, {kStraight, 1, 1, 1, 20}, {}, 1}, {25, {kStraight, 1, 1, 0, 20}, {}, 1},
                   {25, {kStraight, 1, 0, 1, 20}, {}, 1}},
                  {{25, 1, kStraight, 1, 1, 20}, {25, 1, kStraight, 1, 0, 20},
                   {25, 1, kStraight, 0, 1, 20}}},
        JointCase{"coupler_other_diameter_is_other_joint",
                  {{25, {kTaper, 1, 1, 1, 25}, {kTaper, 1, 1, 1, 22}, 1}},
                  {{25, 1, kTaper, 1, 1, 25}, {25, 1, kTaper, 1, 1, 22}}},
        // Reversed threads at the two ends of a coupler between equal bars are
        // the same joint turned round.
        JointCase{"coupler_swapped_threads_equal_bars_2n",
                  {{20, {kStraight, 1, 1, 0, 20}, {kStraight, 1, 0, 1, 20}, 2}},
                  {{20, 4, kStraight, 1, 0, 20}}},
        // Between unequal bars, swapping the threads swaps which bar carries
        // the reverse thread: another coupler.
        JointCase{"coupler_swapped_threads_unequal_bars",
                  {{25, {kStraight, 1, 1, 0, 20}, {kStraight, 1, 0, 1, 20}, 1}},
                  {{25, 1, kStraight, 1, 0, 20}, {25, 1, kStraight, 0, 1, 20}}},
        JointCase{"coupler_other_diameter_truncated",
                  {{25.8f, {kTaper, 1, 1, 1, 20.9f}, {}, 1}, {25, {kTaper, 1, 1, 1, 20}, {}, 1}},
                  {{25, 2, kTaper, 1, 1, 20}}},
        // Below the coupler types the threads and the other bar do not count.
        JointCase{"lap_ends_ignore_other_bar",
                  {{16, {kLap, 1, 0, 1, 12}, {kLap, 1, 1, 0, 20}, 1}}, {{16, 2, kLap, 1, 1, 16}}},
        JointCase{"pressed_sleeve_no_threads",
                  {{22, {kPressed, 1, 0, 0, 18}, {kPressed, 1, 1, 1, 22}, 1}},
                  {{22, 2, kPressed, 1, 1, 22}}},
        JointCase{"different_types_start_first",
                  {{18, {kWeld}, {kLap}, 2}}, {{18, 2, kWeld, 1, 1, 18}, {18, 2, kLap, 1, 1, 18}}},
        JointCase{"end_new_start_existing",
                  {{18, {kLap}, {}, 1}, {18, {kLap}, {kWeld}, 1}},
                  {{18, 2, kLap, 1, 1, 18}, {18, 1, kWeld, 1, 1, 18}}},
        JointCase{"both_ends_into_existing_items",
                  {{18, {kWeld}, {kLap}, 1}, {18, {kLap}, {kWeld}, 5}},
                  {{18, 6, kWeld, 1, 1, 18}, {18, 6, kLap, 1, 1, 18}}},
        JointCase{"end_only", {{14, {}, {kLap}, 1}}, {{14, 1, kLap, 1, 1, 14}}},
        JointCase{"start_off", {{14, {kLap, 0}, {kLap}, 1}}, {{14, 1, kLap, 1, 1, 14}}},
        JointCase{"both_off_or_none",
                  {{14, {kLap, 0}, {kWeld, 0}, 1}, {14, {}, {}, 1}, {14, {-2}, {}, 1}}, {}},
        JointCase{"no_joints_for_n_below_one",
                  {{14, {kLap}, {kLap}, 0}, {14, {kLap}, {kLap}, -3}}, {}},
        JointCase{"different_diameters",
                  {{20, {kLap}, {}, 1}, {22, {kLap}, {}, 1}, {20.5f, {}, {kLap}, 1}},
                  {{20, 2, kLap, 1, 1, 20}, {22, 1, kLap, 1, 1, 22}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EndJointsDamaged, NonFiniteDiametersCountAsZero)
{
    SumJointItems items;
    CVes_BarCore bar;
    bar.DN = std::numeric_limits<float>::quiet_NaN();
    setEnd(*bar.getLConnect(), {kStraight, 1, 1, 1, std::numeric_limits<float>::infinity()});
    addJointItems(&bar, 1, items);
    addJointItems(nullptr, 1, items);
    expectItems(items, {{0, 1, kStraight, 1, 1, 0}});
}

// Intermediate joints

struct Mid {
    int type;
    const char* count;
    int on = 1;
    int thread = 1;
};

struct MidCase {
    const char* name;
    float d;
    std::vector<Mid> mids;
    int n;
    std::vector<Joint> before; // items already collected
    std::vector<Joint> after;
};

void PrintTo(const MidCase& c, std::ostream* os) { *os << c.name; }

class MidJoints : public testing::TestWithParam<MidCase> {};

TEST_P(MidJoints, CountsTimesN)
{
    const MidCase& c = GetParam();
    CVes_BarCore bar;
    bar.DN = c.d;
    for (size_t i = 0; i < c.mids.size(); ++i) {
        CVes_MidConnect* mid = i == 0 ? bar.getFirstMidConnect() : bar.getSecendMidConnect();
        mid->style = c.mids[i].type;
        mid->countText = QString::fromUtf8(c.mids[i].count);
        mid->valueA = -99; // stale: the count is evaluated from its text
        mid->stat = c.mids[i].on;
        mid->valueC = c.mids[i].thread;
    }
    SumJointItems items;
    for (const Joint& j : c.before) {
        CVes_SumJointItem item;
        item.diameter = j.d;
        item.count = j.count;
        item.type = j.type;
        item.thread = j.thread;
        item.otherThread = j.otherThread;
        item.otherDiameter = j.otherD;
        items.push_back(item);
    }
    addMidJointItems(&bar, c.n, items);
    expectItems(items, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidJoints,
    testing::Values(
        MidCase{"straight_coupler", 25, {{kStraight, "2"}}, 3, {}, {{25, 6, kStraight, 1, 1, 25}}},
        MidCase{"reverse_thread_coupler", 25, {{kStraight, "1", 1, 0}}, 2, {},
                {{25, 2, kStraight, 0, 1, 25}}},
        MidCase{"count_formula", 20, {{kLap, "2+1"}}, 2, {}, {{20, 6, kLap, 1, 1, 20}}},
        MidCase{"lap_whole_diameter", 6.5f, {{kLap, "1"}}, 1, {{6, 2, kLap, 1, 1, 6}},
                {{6, 3, kLap, 1, 1, 6}}},
        MidCase{"two_mids_one_item", 20, {{kStraight, "1"}, {kStraight, "2"}}, 1, {},
                {{20, 3, kStraight, 1, 1, 20}}},
        MidCase{"normal_and_reverse_apart", 20, {{kStraight, "1", 1, 1}, {kStraight, "1", 1, 0}},
                1, {}, {{20, 1, kStraight, 1, 1, 20}, {20, 1, kStraight, 0, 1, 20}}},
        // A mid coupler joins an end coupler of the same size between equal bars.
        MidCase{"joins_end_item", 20, {{kStraight, "1"}}, 4, {{20, 2, kStraight, 1, 1, 20}},
                {{20, 6, kStraight, 1, 1, 20}}},
        MidCase{"reverse_joins_reversed_end_item", 20, {{kTaper, "1", 1, 0}}, 1,
                {{20, 1, kTaper, 1, 0, 20}}, {{20, 2, kTaper, 1, 0, 20}}},
        MidCase{"not_end_item_to_other_bar", 20, {{kStraight, "1"}}, 1,
                {{20, 1, kStraight, 1, 1, 25}}, {{20, 1, kStraight, 1, 1, 25},
                                                 {20, 1, kStraight, 1, 1, 20}}},
        MidCase{"not_other_type", 20, {{kWeld, "1"}}, 1, {{20, 1, kLap, 1, 1, 20}},
                {{20, 1, kLap, 1, 1, 20}, {20, 1, kWeld, 1, 1, 20}}},
        MidCase{"off_adds_nothing", 20, {{kStraight, "2", 0}}, 1, {}, {}},
        MidCase{"no_type_adds_nothing", 20, {{0, "2"}, {-1, "2"}}, 1, {}, {}},
        // A bar short enough to need no joint lists none, even at a count of 0.
        MidCase{"zero_count_adds_nothing", 20, {{kStraight, "0"}}, 1, {}, {}},
        MidCase{"negative_count_takes_nothing_away", 20, {{kStraight, "-2"}}, 1,
                {{20, 5, kStraight, 1, 1, 20}}, {{20, 5, kStraight, 1, 1, 20}}},
        MidCase{"n_zero_adds_nothing", 20, {{kStraight, "2"}}, 0, {}, {}},
        MidCase{"n_negative_adds_nothing", 20, {{kStraight, "2"}}, -1, {}, {}},
        // Any nonzero thread flag is the normal thread.
        MidCase{"thread_flag_nonzero_is_normal", 20, {{kStraight, "1", 1, 2}, {kStraight, "1"}},
                1, {}, {{20, 2, kStraight, 1, 1, 20}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MidJointsNull, NoBarAddsNothing)
{
    SumJointItems items;
    addMidJointItems(nullptr, 1, items);
    EXPECT_TRUE(items.empty());
}

// Named groups

TEST(SumGroups, OneGroupPerNameInOrderOfFirstUse)
{
    SumGroups groups;
    CVes_BarCore bar;
    bar.grade = 3;
    bar.DN = 20;
    setEnd(*bar.getLConnect(), {kLap});
    bar.getFirstMidConnect()->style = kStraight;
    bar.getFirstMidConnect()->countText = QStringLiteral("1");
    bar.getFirstMidConnect()->stat = 1;

    addLengthItemByName(&bar, 2.0, QStringLiteral("KL1"), groups);
    addJointItemsByName(&bar, 2, QStringLiteral("梁 2"), groups);
    addLengthItemByName(&bar, 3.5, QStringLiteral("KL1"), groups);
    addMidJointItemsByName(&bar, 3, QStringLiteral("KL1"), groups);
    // Names are compared exactly.
    addLengthItemByName(&bar, 1.0, QStringLiteral("kl1"), groups);
    addLengthItemByName(&bar, 1.0, QStringLiteral("KL1 "), groups);

    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].name, QStringLiteral("KL1"));
    EXPECT_EQ(groups[1].name, QStringLiteral("梁 2"));
    EXPECT_EQ(groups[2].name, QStringLiteral("kl1"));
    EXPECT_EQ(groups[3].name, QStringLiteral("KL1 "));

    ASSERT_EQ(groups[0].lengths.size(), 1u);
    EXPECT_DOUBLE_EQ(groups[0].lengths[0].length, 5.5);
    expectItems(groups[0].joints, {{20, 3, kStraight, 1, 1, 20}});
    EXPECT_TRUE(groups[1].lengths.empty());
    expectItems(groups[1].joints, {{20, 2, kLap, 1, 1, 20}});
    EXPECT_DOUBLE_EQ(groups[2].lengths.at(0).length, 1.0);
}

TEST(SumGroups, ABarsJointsGoToTheWholeListAndItsGroupEndsAndMidsByTheirOwnFactors)
{
    SumJointItems whole;
    SumGroups groups;
    CVes_BarCore bar;
    bar.DN = 20;
    setEnd(*bar.getLConnect(), {kLap});
    bar.getFirstMidConnect()->style = kStraight;
    bar.getFirstMidConnect()->countText = QStringLiteral("2");
    bar.getFirstMidConnect()->stat = 1;

    addBarJoints(&bar, 4, 3, whole, QStringLiteral("KL1"), groups);
    addBarJoints(&bar, 1, 1, whole, QStringLiteral("KL2"), groups);

    expectItems(whole, {{20, 5, kLap, 1, 1, 20}, {20, 8, kStraight, 1, 1, 20}});
    ASSERT_EQ(groups.size(), 2u);
    expectItems(groups[0].joints, {{20, 4, kLap, 1, 1, 20}, {20, 6, kStraight, 1, 1, 20}});
    expectItems(groups[1].joints, {{20, 1, kLap, 1, 1, 20}, {20, 2, kStraight, 1, 1, 20}});
}

TEST(SumGroups, NamedGroupIsMadeEvenWhenNothingIsAdded)
{
    SumGroups groups;
    CVes_BarCore bar;
    addJointItemsByName(&bar, 0, QStringLiteral("柱"), groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, QStringLiteral("柱"));
    EXPECT_TRUE(groups[0].joints.empty());
    EXPECT_TRUE(groups[0].lengths.empty());
}

TEST(SumGroups, CopyIsIndependent)
{
    SumGroups groups;
    CVes_BarCore bar;
    bar.DN = 12;
    addLengthItemByName(&bar, 1.0, QStringLiteral("A"), groups);
    const CVes_SumGroup copy = groups[0];
    addLengthItemByName(&bar, 1.0, QStringLiteral("A"), groups);
    EXPECT_DOUBLE_EQ(copy.lengths.at(0).length, 1.0);
    EXPECT_DOUBLE_EQ(groups[0].lengths.at(0).length, 2.0);
}

} // namespace
