#include "core/model/hook.h"
#include "core/model/midconnect.h"
#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

template <typename T>
QByteArray store(T& value)
{
    platform::Archive ar;
    value.Serialize(ar);
    return ar.data();
}

template <typename T>
T load(const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    T value;
    value.Serialize(ar);
    EXPECT_TRUE(ar.atEnd());
    return value;
}

TEST(Hook, StreamLayout)
{
    CVes_Hook hook;
    hook.enabled = 1;
    hook.kind = 2;
    hook.param = 16;
    EXPECT_EQ(test::toHex(store(hook)),
              QStringLiteral("01 00 00 00 01 00 00 00 02 00 00 00 10 00 00 00 00 00 40 40"));
    const CVes_Hook back = load<CVes_Hook>(store(hook));
    EXPECT_EQ(back.kind, 2);
    EXPECT_EQ(back.param, 16);
    EXPECT_EQ(back.realParam, 3.0f);
    EXPECT_THROW(load<CVes_Hook>(test::hex("02 00 00 00")), platform::SchemaError);
}

// A library file's hook whose number is no number (found by fuzzing the
// shape library: its import then took a record for different from its own
// copy and added it twice).
TEST(Hook, ANumberThatIsNoNumberReadsAsZeroAndTheHookEqualsItsCopy)
{
    const CVes_Hook hook =
        load<CVes_Hook>(test::hex("01 00 00 00 01 00 00 00 04 00 00 00 08 00 00 00 00 00 C0 7F"));
    EXPECT_EQ(hook.realParam, 0.0f);
    const CVes_Hook copy = hook;
    EXPECT_EQ(copy, hook);
}

TEST(Hook, EqualityIgnoresTheFieldsOfAbsentHooks)
{
    CVes_Hook a, b;
    b.kind = 1;
    EXPECT_EQ(a, b);
    a.enabled = b.enabled = 1;
    EXPECT_NE(a, b);
    b.kind = 4;
    EXPECT_EQ(a, b);
    b.realParam = 2.0f;
    EXPECT_NE(a, b);
}

TEST(MidConnect, AutomaticCount)
{
    CVes_MidConnect m;
    m.fixedLength = 9000;
    m.stat = 1;
    m.autoCount = 1;
    EXPECT_EQ(m.autoCalNum(9000), 0);
    EXPECT_EQ(m.autoCalNum(9010), 0);
    EXPECT_EQ(m.autoCalNum(9011), 1);
    EXPECT_EQ(m.autoCalNum(18000), 1);
    EXPECT_EQ(m.autoCalNum(20000), 2);
    EXPECT_EQ(m.autoCalNum(5), 0);
    EXPECT_EQ(m.autoCalNum(0), 0);
    m.fixedLength = 0;
    EXPECT_EQ(m.autoCalNum(20000), 0);
    m.fixedLength = -9000;
    EXPECT_EQ(m.autoCalNum(20000), 0);
    m.fixedLength = 9000;
    // A count typed by hand does not change what the stock length asks for;
    // joints that are not counted need none.
    m.autoCount = 0;
    EXPECT_EQ(m.autoCalNum(20000), 2);
    m.stat = 0;
    EXPECT_EQ(m.autoCalNum(20000), 0);
}

TEST(MidConnect, StreamOfSchema3RoundTrips)
{
    CVes_MidConnect m;
    m.style = 7;
    m.valueA = 2;
    m.valueB = 3;
    m.valueC = 0;
    m.stat = 1;
    m.countText = QStringLiteral("L/9000");
    m.autoCount = 0;
    m.fixedLength = 12000;
    const QByteArray bytes = store(m);
    EXPECT_EQ(test::toHex(bytes),
              QStringLiteral("03 00 00 00 07 00 00 00 02 00 00 00 03 00 00 00 00 00 00 00 "
                             "01 00 00 00 06 4C 2F 39 30 30 30 00 00 00 00 E0 2E 00 00"));
    const CVes_MidConnect back = load<CVes_MidConnect>(bytes);
    EXPECT_EQ(back, m);
    EXPECT_EQ(back.countText, m.countText);
}

TEST(MidConnect, OlderSchemas)
{
    // Schema 2: no thread direction, which becomes plain.
    const CVes_MidConnect two = load<CVes_MidConnect>(test::hex(
        "02 00 00 00 06 00 00 00 01 00 00 00 00 00 00 00 01 00 00 00 01 33 00 00 00 00 "
        "28 23 00 00"));
    EXPECT_EQ(two.style, 6);
    EXPECT_EQ(two.valueC, 1);
    EXPECT_EQ(two.countText, QStringLiteral("3"));
    EXPECT_EQ(two.fixedLength, 9000);

    // Schema 1 with the count switched off: an automatic straight-thread joint.
    const CVes_MidConnect automatic = load<CVes_MidConnect>(
        test::hex("01 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 00 00 00 00 01 37"));
    EXPECT_EQ(automatic.style, 8);
    EXPECT_EQ(automatic.stat, 1);
    EXPECT_EQ(automatic.autoCount, 1);
    EXPECT_EQ(automatic.countText, QStringLiteral("0"));

    // Schema 1 with a user count keeps its fields and stops counting itself.
    const CVes_MidConnect counted = load<CVes_MidConnect>(
        test::hex("01 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 01 00 00 00 01 37"));
    EXPECT_EQ(counted.style, 2);
    EXPECT_EQ(counted.autoCount, 0);
    EXPECT_EQ(counted.countText, QStringLiteral("7"));

    EXPECT_THROW(load<CVes_MidConnect>(test::hex("04 00 00 00")), platform::SchemaError);
}

TEST(MidConnect, EqualityAndMergeComparison)
{
    CVes_MidConnect a;
    CVes_MidConnect b = a;
    b.countText = QStringLiteral("5");
    EXPECT_EQ(a, b);
    a.style = b.style = 3;
    b.valueB = 9;
    EXPECT_FALSE(a.compareReal(b));
    a.style = b.style = 8;
    EXPECT_TRUE(a.compareReal(b));
    EXPECT_NE(a, b);
}

} // namespace

namespace {

struct HookLengthCase {
    int kind;
    float d;
    unsigned family;
    float expected;
};

class HookStraightLength : public ::testing::TestWithParam<HookLengthCase> {};

// Default straight lengths: bars 12d/5d/3d, stirrups 5d/10d/3d at 90/135/180°.
TEST_P(HookStraightLength, FollowsTheSettingsWithThe75mmFloorAt135)
{
    const HookLengthCase c = GetParam();
    CVes_Hook hook;
    hook.kind = c.kind;
    EXPECT_FLOAT_EQ(hook.getWhanHouLen(c.d, c.family), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Defaults, HookStraightLength, ::testing::Values(
    HookLengthCase{4, 10.f, 0, 30.f}, HookLengthCase{2, 20.f, 0, 100.f},
    HookLengthCase{2, 10.f, 0, 75.f},      // 50 is raised to 75
    HookLengthCase{2, 6.f, 1, 75.f},       // 60 is raised to 75
    HookLengthCase{2, 10.f, 1, 100.f}, HookLengthCase{1, 6.f, 1, 30.f},
    HookLengthCase{3, 6.f, 1, 30.f},       // 3 counts as 90°
    HookLengthCase{4, 4.f, 0, 12.f},       // never raised at 180°
    HookLengthCase{1, 4.f, 0, 48.f}));

} // namespace
