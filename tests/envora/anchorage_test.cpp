#include "envora/anchorage.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Every value the tables can pass: missing design values (-1), both atlas
// editions and one beyond, every seismic grade, every concrete class with
// values below, between and above them, every grade code up to 50 (valid or
// not), every diameter from 4 to 50 mm with the half sizes.
TEST(AnchorageGrid, EveryArgumentGivesAWholeNonNegativeLength)
{
    const std::vector<int> editions{-1, 0, 1, 2};
    std::vector<int> concretes{-1, 0, 15, 33, 100};
    for (int c = 20; c <= 80; c += 5)
        concretes.push_back(c);
    std::vector<float> diameters{5.5f, 6.5f};
    for (int d = 4; d <= 50; ++d)
        diameters.push_back(float(d));
    const double factors[] = {1.0, 1.2, 1.4, 1.6};

    int failures = 0;
    long rotate = 0;
    for (int edition : editions)
        for (int seismic = -1; seismic <= 4; ++seismic)
            for (int concrete : concretes)
                for (int grade = -1; grade <= 50; ++grade)
                    for (float d : diameters) {
                        ++rotate;
                        const int barType = int(rotate % 3);          // 0, epoxy, unknown
                        const int disturbance = int(rotate % 3) - 1;  // missing, no, yes
                        int anchorage = 0;
                        for (double f : factors) {
                            const int len = Info_GetSteelLle(edition, seismic, concrete, grade, d,
                                                             barType, disturbance, f);
                            const bool ok = f == 1.0 ? len >= 200 && len < 10000
                                                     : len >= 300 && len >= anchorage && len < 20000;
                            if (f == 1.0)
                                anchorage = len;
                            if (!ok && ++failures < 5)
                                ADD_FAILURE() << "Lle(" << edition << ',' << seismic << ',' << concrete
                                              << ',' << grade << ',' << d << ',' << barType << ','
                                              << disturbance << ',' << f << ") = " << len;
                        }
                        const int multiple =
                            Info_GetSteelMaoguBeishu(edition, seismic, concrete, grade, d, barType);
                        if ((multiple < 15 || multiple > 120) && ++failures < 5)
                            ADD_FAILURE() << "MaoguBeishu = " << multiple;
                        for (int kind : {0, 1, -1, 2, 7}) {
                            const int joint = Info_CalSteelJointLength(
                                edition, kind, seismic, concrete, grade, d, barType, grade, d, barType,
                                disturbance, 0, (int(rotate) % 4) - 1);
                            if ((joint < 0 || joint > 20000) && ++failures < 5)
                                ADD_FAILURE() << "joint kind " << kind << " = " << joint;
                        }
                    }
    EXPECT_EQ(failures, 0);
}

TEST(AnchorageGrid, UnusableDiametersAndFactorsStayDefined)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float d : {0.0f, -20.0f, nan, inf, -inf}) {
        EXPECT_EQ(Info_GetSteelLle(1, 2, 30, 3, d, 0, 0, 1.0), 0) << d;
        EXPECT_EQ(Info_GetSteelJointLength(1, 1, 2, 30, 3, d, 0, 3, d, 0, 0, 0, 0), 0) << d;
        EXPECT_EQ(Info_GetSteelMaoguBeishu(1, 0, 30, 3, d, 0), 35) << d;
    }
    // A huge diameter is capped instead of overflowing.
    EXPECT_EQ(Info_GetSteelLle(1, 2, 30, 3, 1.0e30f, 0, 0, 1.6), 1000000);
    // Factors that are not lap factors give the anchorage length.
    for (double f : {0.0, -1.2, 0.5, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(Info_GetSteelLle(1, 0, 30, 3, 20.0f, 0, 0, f), 700) << f;
}

struct Published {
    const char* source;
    int edition, seismic, concrete, grade;
    float d;
    int barType, disturbance;
    double factor;
    int expected;
};

class PublishedLength : public ::testing::TestWithParam<Published> {};

TEST_P(PublishedLength, MatchesTheTable)
{
    const Published& p = GetParam();
    EXPECT_EQ(Info_GetSteelLle(p.edition, p.seismic, p.concrete, p.grade, p.d, p.barType,
                               p.disturbance, p.factor),
              p.expected)
        << p.source;
}

INSTANTIATE_TEST_SUITE_P(
    Envora, PublishedLength,
    ::testing::Values(
        // 16G101-1 p.57/58, HRB400, C30.
        Published{"lab 35d", 1, 0, 30, 3, 20, 0, 0, 1.0, 700},
        Published{"labE grade 1: 40d", 1, 1, 30, 3, 20, 0, 0, 1.0, 800},
        Published{"labE grade 2: 40d", 1, 2, 30, 3, 20, 0, 0, 1.0, 800},
        Published{"labE grade 3: 37d", 1, 3, 30, 3, 20, 0, 0, 1.0, 740},
        Published{"labE grade 4 = lab", 1, 4, 30, 3, 20, 0, 0, 1.0, 700},
        Published{"HRB400E anchors as HRB400", 1, 2, 30, 33, 20, 0, 0, 1.0, 800},
        Published{"la, d > 25: 39d", 1, 0, 30, 3, 28, 0, 0, 1.0, 1092},
        Published{"epoxy-coated: 44d", 1, 0, 30, 3, 20, 1, 0, 1.0, 880},
        Published{"prone to disturbance: 39d", 1, 0, 30, 3, 20, 0, 1, 1.0, 780},
        // Other grades and classes of the same tables.
        Published{"HPB300 C30 labE grade 1: 35d", 1, 1, 30, 1, 10, 0, 0, 1.0, 350},
        Published{"HRB335 C20 lab 38d", 1, 0, 20, 2, 20, 0, 0, 1.0, 760},
        Published{"HRB500 C25 labE grade 2: 55d", 1, 2, 25, 4, 20, 0, 0, 1.0, 1100},
        Published{"HRB500 C40 labE grade 3: 38d", 1, 3, 40, 4, 20, 0, 0, 1.0, 760},
        Published{"C80 takes the C60 column: 25d", 1, 0, 80, 3, 20, 0, 0, 1.0, 500},
        Published{"C32 takes the C30 column", 1, 0, 32, 3, 20, 0, 0, 1.0, 700},
        Published{"ribbed d > 25 only: HPB300 stays 30d", 1, 0, 30, 1, 28, 0, 0, 1.0, 840},
        // 16G101-1 p.60/61 lap lengths: ll = ζl·la, llE = ζl·laE.
        Published{"ll 25 %: 42d", 1, 0, 30, 3, 20, 0, 0, 1.2, 840},
        Published{"ll 50 %: 49d", 1, 0, 30, 3, 20, 0, 0, 1.4, 980},
        Published{"ll 100 %: 56d", 1, 0, 30, 3, 20, 0, 0, 1.6, 1120},
        Published{"llE grade 2, 25 %: 48d", 1, 2, 30, 3, 20, 0, 0, 1.2, 960},
        // Least lengths: la 200 mm, ll 300 mm.
        Published{"la at least 200 mm", 1, 0, 60, 1, 6, 0, 0, 1.0, 200},
        Published{"ll at least 300 mm", 1, 0, 60, 1, 6, 0, 0, 1.2, 300},
        // 03G101-1 p.33 (GB 50010-2002).
        Published{"03G101 HRB335 C20 39d", 0, 0, 20, 2, 20, 0, 0, 1.0, 780},
        Published{"03G101 HRB400 C30 36d", 0, 0, 30, 3, 20, 0, 0, 1.0, 720},
        Published{"03G101 HPB235 C25 27d", 0, 0, 25, 1, 10, 0, 0, 1.0, 270},
        Published{"03G101 grade 1 and 2: 1.15·36d", 0, 2, 30, 3, 20, 0, 0, 1.0, 820},
        Published{"03G101 la at least 250 mm", 0, 0, 40, 1, 6, 0, 0, 1.0, 250},
        // Missing design values: seismic grade 2, concrete C20.
        Published{"missing seismic grade counts as 2", 1, -1, 30, 3, 20, 0, 0, 1.0, 800},
        Published{"missing concrete counts as C20", 1, 0, -1, 3, 20, 0, 0, 1.0, 920},
        Published{"missing disturbance counts as none", 1, 0, 30, 3, 20, 0, -1, 1.0, 700}));

TEST(AnchorageMultiple, AsTheCoverShowsIt)
{
    EXPECT_EQ(Info_GetSteelMaoguBeishu(1, 0, 30, 3, 10.0f, 0), 35);
    EXPECT_EQ(Info_GetSteelMaoguBeishu(1, 2, 30, 3, 10.0f, 0), 40);
    EXPECT_EQ(Info_GetSteelMaoguBeishu(1, 0, 30, 3, 28.0f, 0), 39);
    EXPECT_EQ(Info_GetSteelMaoguBeishu(1, 0, 30, 3, 20.0f, 1), 44);
    EXPECT_EQ(Info_GetSteelMaoguBeishu(0, 0, 25, 1, 10.0f, 0), 27);
}

struct Joint {
    const char* what;
    int kind;  // as the joint-length commands pass it
    int grade1;
    float d1;
    int grade2;
    float d2;
    int percentage;
    int expected;
};

class JointLength : public ::testing::TestWithParam<Joint> {};

TEST_P(JointLength, ByKind)
{
    const Joint& j = GetParam();
    EXPECT_EQ(Info_CalSteelJointLength(1, j.kind, 2, 30, j.grade1, j.d1, 0, j.grade2, j.d2, 0, 0, 0,
                                       j.percentage),
              j.expected)
        << j.what;
}

INSTANTIATE_TEST_SUITE_P(
    Envora, JointLength,
    ::testing::Values(Joint{"tied lap 25 %: 48d", 0, 3, 20, 3, 20, 0, 960},
                      Joint{"tied lap 50 %: 56d", 0, 3, 20, 3, 20, 1, 1120},
                      Joint{"tied lap 100 %: 64d", 0, 3, 20, 3, 20, 2, 1280},
                      Joint{"missing percentage counts as 25 %", 0, 3, 20, 3, 20, -1, 960},
                      Joint{"different diameters lap over the smaller", 0, 3, 25, 3, 20, 0, 960},
                      Joint{"different grades take the longer lap", 0, 1, 20, 3, 20, 0, 960},
                      Joint{"single-sided weld 10d", 1, 3, 20, 3, 20, 0, 200},
                      Joint{"double-sided weld 5d", -1, 3, 20, 3, 20, 0, 100},
                      Joint{"plain bars single-sided 8d", 1, 1, 20, 1, 20, 0, 160},
                      Joint{"plain bars double-sided 4d", -1, 1, 20, 1, 20, 0, 80},
                      Joint{"plain to ribbed welds as ribbed", 1, 1, 20, 3, 20, 0, 200},
                      Joint{"other kinds have no overlap", 2, 3, 20, 3, 20, 0, 0},
                      Joint{"one bar without a diameter uses the other's", 1, 3, 0, 3, 20, 0, 200}));

TEST(JointLength, ConnectionTypesOfTheBarEnds)
{
    // Tied lap (1), as the design variables give it, equals the lap length.
    EXPECT_EQ(Info_GetSteelJointLength(1, 1, 0, 30, 3, 20, 0, 3, 20, 0, 0, 0, 0),
              Info_GetSteelLle(1, 0, 30, 3, 20, 0, 0, 1.2));
    EXPECT_EQ(Info_GetSteelJointLength(1, 4, 0, 0, 3, 20, 0, 3, 20, 0, 0, 0, 0), 200);
    EXPECT_EQ(Info_GetSteelJointLength(1, 5, 0, 0, 3, 20, 0, 3, 20, 0, 0, 0, 0), 100);
    // Butt welds and couplers: the bars meet end to end.
    for (int type : {0, 2, 3, 6, 7, 8, 9, -1})
        EXPECT_EQ(Info_GetSteelJointLength(1, type, 0, 0, 3, 20, 0, 3, 20, 0, 0, 0, 0), 0) << type;
}

} // namespace
