// The joints along an over-long bar as the joint summary, the page summary
// and the cover count them: the count the stock length asks for, a count
// typed by hand, and the reverse-thread coupler of a coupled bar. One bar of
// 25 mm, 20,000 mm long, one a piece in an element of one piece, on stock
// of 9,000 mm: 20,000 / 9,000 leaves 2,000 over, so two joints.

#include "tables/barlist/setuptable.h"

#include "tables/quantity/slsumarytable.h"
#include "tests/tables/barlist/summary_support.h"

#include <gtest/gtest.h>

namespace {

struct MidJointCase {
    const char* name;
    int style;           // 3 electroslag weld, 8 straight-thread coupler
    int autoCount;       // the connection counts itself from the length
    const char* typed;   // the count typed by hand
    int autoRule;        // 超长自动添加中间连接
    int reverseRule;     // the reverse-thread coupler rule
    std::vector<std::string> jointRows; // the joint summary's whole-list rows
    const char* pageJoints;             // the page summary's joint part
    QStringList coverJoints;
};

void PrintTo(const MidJointCase& c, std::ostream* os) { *os << c.name; }

class MidJointCounts : public testing::TestWithParam<MidJointCase> {
protected:
    void SetUp() override
    {
        const MidJointCase& c = GetParam();
        t.clearnAllLine();
        t.m_rowNum = 10;
        t.m_sumJoint = 1;
        t.m_sumWeight = 0;
        t.m_sumLength = 0;
        t.m_summaryRowHeight = 1;
        t.getSortRules().m_autoMidConnect = c.autoRule;
        t.getSortRules().m_reverseSleeve = c.reverseRule;
        t.getSortRules().m_sumInEleType = 0;
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QStringLiteral("KZ1"));
        element->setEleNum(1);
        t.appendLine(element);
        auto* line = test::barLine("1", 3, 25.0f, 1, 20000.0f);
        CVes_MidConnect* mid = line->m_steel.getFirstMidConnect();
        mid->style = c.style;
        mid->stat = 1;
        mid->fixedLength = 9000;
        mid->autoCount = c.autoCount;
        mid->countText = QString::fromUtf8(c.typed);
        t.appendLine(line);
        t.setPageTo(1, 1);
    }
    CVes_SetupTable t;
};

TEST_P(MidJointCounts, EverySummaryCountsTheSameJoints)
{
    const MidJointCase& c = GetParam();
    CVes_SLSumaryJTtable sheet;
    t.SummaryJT(&sheet);
    test::SheetRows expected{"", "各规格总计"};
    expected.insert(expected.end(), c.jointRows.begin(), c.jointRows.end());
    EXPECT_EQ(test::rowsOf(sheet), expected);

    EXPECT_EQ(t.AmountOfCurPage(200), QStringLiteral("连接方式：") + QString::fromUtf8(c.pageJoints));

    QStringList weights;
    QStringList joints;
    t.AmountToString(weights, joints);
    EXPECT_EQ(joints, c.coverJoints);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidJointCounts,
    testing::Values(
        // The stock length decides the count whoever typed one: 2 joints.
        MidJointCase{"TypedCountWithTheRuleOn", 3, 0, "5", 1, 0, {"|1|电渣压力焊|25|2"},
                     "{电:25, 2个} ", {"电:25, 2个"}},
        MidJointCase{"AutomaticCountWithTheRuleOn", 3, 1, "0", 1, 0, {"|1|电渣压力焊|25|2"},
                     "{电:25, 2个} ", {"电:25, 2个"}},
        // Without the rule the typed count stands.
        MidJointCase{"TypedCountWithTheRuleOff", 3, 0, "5", 0, 0, {"|1|电渣压力焊|25|5"},
                     "{电:25, 5个} ", {"电:25, 5个"}},
        // Two couplers, one of them with a reverse thread.
        MidJointCase{"CouplerWithTheReverseSleeve", 8, 1, "0", 1, 1,
                     {"|1|直螺纹套筒|25|1", "|2|直螺纹套筒|反25|1"}, "{直:25, 1个} {直:反25, 1个} ",
                     {"直:25, 1个", "直:反25, 1个"}},
        MidJointCase{"TypedCouplerWithTheReverseSleeve", 8, 0, "5", 1, 1,
                     {"|1|直螺纹套筒|25|1", "|2|直螺纹套筒|反25|1"}, "{直:25, 1个} {直:反25, 1个} ",
                     {"直:25, 1个", "直:反25, 1个"}},
        MidJointCase{"CouplerWithoutTheReverseSleeve", 8, 1, "0", 1, 0, {"|1|直螺纹套筒|25|2"},
                     "{直:25, 2个} ", {"直:25, 2个"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The reverse-thread coupler stays counted however often the sheets are
// made, and goes when the rule is switched off.
TEST(ReverseSleeve, TheReverseSleeveFollowsTheRule)
{
    CVes_SetupTable t;
    t.clearnAllLine();
    t.getSortRules().m_autoMidConnect = 1;
    t.getSortRules().m_reverseSleeve = 1;
    t.getSortRules().m_sumInEleType = 0;
    auto* line = test::barLine("1", 3, 25.0f, 2, 20000.0f);
    CVes_MidConnect* mid = line->m_steel.getFirstMidConnect();
    mid->style = 8;
    mid->stat = 1;
    mid->fixedLength = 9000;
    mid->autoCount = 1;
    t.appendLine(line);
    t.setDefaultEleNum(3);
    CVes_SLSumaryJTtable sheet;
    // 2 a piece, 3 pieces: 6 bars, each with a coupler and a reverse one.
    const test::SheetRows both{"", "各规格总计", "|1|直螺纹套筒|25|6", "|2|直螺纹套筒|反25|6"};
    t.SummaryJT(&sheet);
    EXPECT_EQ(test::rowsOf(sheet), both);
    t.SummaryJT(&sheet);
    EXPECT_EQ(test::rowsOf(sheet), both);

    t.getSortRules().m_reverseSleeve = 0;
    t.SummaryJT(&sheet);
    EXPECT_EQ(test::rowsOf(sheet), (test::SheetRows{"", "各规格总计", "|1|直螺纹套筒|25|12"}));
    EXPECT_EQ(line->m_steel.getMidConnectArray().size(), 1u);
}

} // namespace
