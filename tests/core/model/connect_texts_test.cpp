#include "core/model/connecttext.h"

#include <gtest/gtest.h>

namespace {

struct AllCase {
    int type, a, b, c, d;
    const char* all;
    const char* all2;
};

class ConnectTextAll : public ::testing::TestWithParam<AllCase> {};

TEST_P(ConnectTextAll, NameAndValueText)
{
    const AllCase t = GetParam();
    EXPECT_EQ(barcore_getConnectStringAll(t.type, t.a, t.b, t.c, t.d), QString::fromUtf8(t.all));
    EXPECT_EQ(barcore_getConnectStringAll2(t.type, t.a, t.b, t.c, t.d), QString::fromUtf8(t.all2));
}

INSTANTIATE_TEST_SUITE_P(Joints, ConnectTextAll, ::testing::Values(
    AllCase{8, 25, 1, 25, 1, "直螺纹套筒:25", "直:25"},
    AllCase{8, 20, 1, 25, 0, "直螺纹套筒:20→25反", "直:20→25反"},
    AllCase{7, 20, 0, 20, 1, "锥螺纹套筒:反20", "锥:反20"},
    AllCase{8, 20, 0, 20, 0, "直螺纹套筒:反20反", "直:反20反"},
    AllCase{3, 16, 1, 16, 1, "电渣压力焊:16", "电:16"},
    AllCase{1, 12, 0, 14, 0, "绑扎搭接:12", "绑:12"},
    // A negative type has no name, but still follows the coupler rule in the
    // full form; the short form tests the type without its sign.
    AllCase{-8, 20, 1, 25, 1, "20→25", ":20"},
    AllCase{-8, 20, 1, 20, 1, "20", ":20"},
    AllCase{9, 20, 1, 25, 1, "20→25", ":20→25"}));

TEST(ConnectText, NamesOfEveryType)
{
    const char* full[] = {"非连接端", "绑扎搭接", "闪光对焊", "电渣压力焊", "单面搭接焊",
                          "双面搭接焊", "挤压套筒", "锥螺纹套筒", "直螺纹套筒"};
    const char* shortForm[] = {"非", "绑", "闪", "电", "单", "双", "挤", "锥", "直"};
    for (int t = 0; t < 9; ++t) {
        EXPECT_EQ(barcore_getConnectString(t), QString::fromUtf8(full[t]));
        EXPECT_EQ(barcore_getConnectString2(t), QString::fromUtf8(shortForm[t]));
    }
    EXPECT_TRUE(barcore_getConnectString(-1).isEmpty());
    EXPECT_TRUE(barcore_getConnectString(9).isEmpty());
    EXPECT_TRUE(barcore_getConnectString2(9).isEmpty());
}

struct MarkKindCase {
    int kind;
    const char* name;
    const char* shortForm;
};

class ConnectMarkKind : public ::testing::TestWithParam<MarkKindCase> {};

TEST_P(ConnectMarkKind, NameAndOneCharacterForm)
{
    const MarkKindCase t = GetParam();
    EXPECT_EQ(connectMarkKindName(t.kind), QString::fromUtf8(t.name));
    EXPECT_EQ(connectMarkShortName(t.kind), QString::fromUtf8(t.shortForm));
}

// A mark shares the connection types' names but for the straight-thread
// coupler, which it names by thread hand, and has a tenth kind for the
// reversed thread.
INSTANTIATE_TEST_SUITE_P(Kinds, ConnectMarkKind, ::testing::Values(
    MarkKindCase{0, "非连接端", "非"},
    MarkKindCase{1, "绑扎搭接", "绑"},
    MarkKindCase{2, "闪光对焊", "闪"},
    MarkKindCase{3, "电渣压力焊", "电"},
    MarkKindCase{4, "单面搭接焊", "单"},
    MarkKindCase{5, "双面搭接焊", "双"},
    MarkKindCase{6, "挤压套筒", "挤"},
    MarkKindCase{7, "锥螺纹套筒", "锥"},
    MarkKindCase{8, "正丝套筒", "直"},
    MarkKindCase{9, "反丝套筒", "直反"},
    MarkKindCase{10, "", ""},
    MarkKindCase{-1, "", ""}));

} // namespace
