#include "core/model/midconnect.h"

#include "core/model/modelreference.h"
#include "envora/usercustom.h"

#include <gtest/gtest.h>

namespace {

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
