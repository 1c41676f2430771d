// A bar end's joint: its defaults, the two equalities (full, and for
// merging bars) and its stream layout.

#include "core/geometry/connect.h"

#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

} // namespace
