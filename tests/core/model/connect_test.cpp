#include "core/model/connect.h"

#include "core/model/midconnect.h"
#include "core/model/modelreference.h"
#include "envora/usercustom.h"

#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

CVes_Connect connect(int type, int param, int direction, int farDirection = 1)
{
    CVes_Connect c;
    c.type = type;
    c.param = param;
    c.direction = direction;
    c.farDirection = farDirection;
    return c;
}

TEST(CVes_Connect, Defaults)
{
    const CVes_Connect c;
    EXPECT_EQ(c.type, 0);
    EXPECT_EQ(c.param, 0);
    EXPECT_EQ(c.flag, 1);
    EXPECT_EQ(c.direction, 1);
    EXPECT_EQ(c.farDirection, 1);
    EXPECT_EQ(c.farDN, 10.0f);
}

struct CompareCase {
    const char* name;
    CVes_Connect a, b;
    bool equal, real;
};
void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

class ConnectCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(ConnectCompare, FullAndMergingEquality)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(c.a == c.b, c.equal);
    EXPECT_EQ(c.a != c.b, !c.equal);
    EXPECT_EQ(c.a.compareReal(c.b), c.real);
}

CVes_Connect withFar(CVes_Connect c, float dn, int flag)
{
    c.farDN = dn;
    c.flag = flag;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectCompare,
    ::testing::Values(
        CompareCase{"same", connect(3, 16, 1), connect(3, 16, 1), true, true},
        CompareCase{"otherType", connect(3, 16, 1), connect(2, 16, 1), false, false},
        CompareCase{"weldValue", connect(4, 10, 1), connect(4, 12, 1), false, false},
        CompareCase{"lapIgnoresValue", connect(1, 10, 1), connect(1, 12, 0), false, true},
        CompareCase{"sleeveIgnoresDirection", connect(6, 0, 1), connect(6, 0, 0), false, true},
        CompareCase{"couplerDirection", connect(8, 0, 1), connect(8, 0, 0), false, false},
        CompareCase{"couplerFarSide", connect(7, 0, 1, 1), withFar(connect(7, 0, 1, 0), 20.0f, 0), false, true},
        CompareCase{"farDiameter", connect(0, 0, 1), withFar(connect(0, 0, 1), 12.0f, 1), false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CVes_Connect, StreamLayout)
{
    // Schema 1, type 8, param 0, flag 0, direction 0, far direction 1, far DN 25.0.
    const QByteArray bytes = test::hex("01 00 00 00  08 00 00 00  00 00 00 00  00 00 00 00"
                                       "00 00 00 00  01 00 00 00  00 00 C8 41");
    platform::Archive in(bytes);
    CVes_Connect c;
    c.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(c.type, 8);
    EXPECT_EQ(c.flag, 0);
    EXPECT_EQ(c.direction, 0);
    EXPECT_EQ(c.farDirection, 1);
    EXPECT_EQ(c.farDN, 25.0f);
    platform::Archive out;
    c.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));
}

TEST(CVes_Connect, OtherSchemasAndShortStreamsFail)
{
    CVes_Connect c;
    platform::Archive schema2(test::hex("02 00 00 00  08 00 00 00"));
    EXPECT_THROW(c.Serialize(schema2), platform::SchemaError);
    platform::Archive shortStream(test::hex("01 00 00 00  08 00 00 00  05 00 00 00"));
    EXPECT_THROW(c.Serialize(shortStream), platform::ArchiveError);
    EXPECT_EQ(c, CVes_Connect()); // nothing half-read
}

// A new joint, and the default joint of a new bar, start from the user's
// joint habits: connection type, whether joints are counted, stock length.
// Each habit has its own value here, so that one taken for another shows.
struct JointHabits {
    const char* name;
    int style;
    int stat;
    int stockLength;
};

class NewJointHabits : public ::testing::TestWithParam<JointHabits> {
protected:
    void SetUp() override
    {
        m_saved = {"", Info_UserCustomMidConectStyle(), Info_UserCustomMidConnectStat(),
                   Info_UserCustomMidConnectDingchi()};
    }
    void TearDown() override { set(m_saved); }
    static void set(const JointHabits& h)
    {
        ASSERT_TRUE(Info_UserCustomSetMidConnectStyle(h.style));
        ASSERT_TRUE(Info_UserCustomSetMidConnectStat(h.stat));
        ASSERT_TRUE(Info_UserCustomSetMidConnectDingChi(h.stockLength));
    }

private:
    JointHabits m_saved{};
};

TEST_P(NewJointHabits, AreTakenByEveryNewJoint)
{
    const JointHabits& h = GetParam();
    set(h);
    const CVes_MidConnect joint;
    EXPECT_EQ(joint.style, h.style);
    EXPECT_EQ(joint.stat, h.stat);
    EXPECT_EQ(joint.fixedLength, h.stockLength);
    CVes_ModelReference bar;
    EXPECT_EQ(bar.getDefaultMidConnect().style, h.style);
    EXPECT_EQ(bar.getDefaultMidConnect().stat, h.stat);
    EXPECT_EQ(bar.getDefaultMidConnect().fixedLength, h.stockLength);
}

INSTANTIATE_TEST_SUITE_P(Habits, NewJointHabits,
                         ::testing::Values(JointHabits{"CountedCouplers", 3, 1, 12000},
                                           JointHabits{"UncountedLaps", 0, 0, 6000},
                                           JointHabits{"Welded", 5, 1, 9000}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
