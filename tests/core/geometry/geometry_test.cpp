#include "core/geometry/geometry.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

using namespace platform::gdi;

namespace {

struct AngleCase {
    const char* name;
    QPoint p, q;
    double angle;
};
void PrintTo(const AngleCase& c, std::ostream* os) { *os << c.name; }

class GetAngle : public ::testing::TestWithParam<AngleCase> {};

TEST_P(GetAngle, GivesTheDirection)
{
    const AngleCase& c = GetParam();
    EXPECT_NEAR(getAngle(&c.p, &c.q), c.angle, 1e-7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetAngle,
    ::testing::Values(AngleCase{"down", {0, 0}, {0, 5}, 1.5707963},
                      AngleCase{"up", {0, 0}, {0, -5}, 4.7123889},
                      AngleCase{"left", {0, 0}, {-1, 0}, 3.1415926},
                      AngleCase{"right", {3, 3}, {9, 3}, 0.0},
                      AngleCase{"same", {7, 7}, {7, 7}, 0.0},
                      // Negative directions come back in [0, 2π) by 6.2831852.
                      AngleCase{"belowRight", {0, 0}, {1, -1}, 6.2831852 - 0.78539816},
                      AngleCase{"aboveLeft", {0, 0}, {-1, 1}, 2.35619449}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Geometry, SlopesAndDistances)
{
    const QPoint a(2, 3), b(2, 40), c(5, 9);
    EXPECT_DOUBLE_EQ(getSlope(&a, &b), 99999999.9);
    EXPECT_DOUBLE_EQ(getSlope(&a, &c), 2.0);
    EXPECT_DOUBLE_EQ(getDist(&a, &c), std::sqrt(45.0));
    // Integer squares do not overflow for far points.
    const QPoint far1(-60000, 0), far2(60000, 0);
    EXPECT_DOUBLE_EQ(getDist(&far1, &far2), 120000.0);
    EXPECT_DOUBLE_EQ(getDisPtToPt(QPoint(0, 0), QPoint(3, 4)), 5.0);
    EXPECT_NEAR(getDisPtToLine(QPoint(5, 7), QPoint(0, 0), QPoint(10, 0)), 7.0, 1e-9);
    EXPECT_NEAR(getDisPtToLine(QPoint(0, 0), QPoint(0, 10), QPoint(10, 0)), std::sqrt(50.0), 1e-9);
}

struct PolarCase {
    const char* name;
    QPoint from;
    double angle;
    int length;
    QPoint to;
};
void PrintTo(const PolarCase& c, std::ostream* os) { *os << c.name; }

class VesPolar : public ::testing::TestWithParam<PolarCase> {};

TEST_P(VesPolar, RoundsByAddingHalfAndTruncating)
{
    const PolarCase& c = GetParam();
    EXPECT_EQ(vesPolar(c.from, c.angle, c.length), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VesPolar,
    ::testing::Values(PolarCase{"diagonal", {0, 0}, 0.78539815, 20, {14, 14}},
                      PolarCase{"offset", {100, -50}, 0.0, 60, {160, -50}},
                      // −27.78 + 0.5 truncates toward zero to −27.
                      PolarCase{"negative", {0, 0}, 3.92699075, 40, {-27, -27}},
                      PolarCase{"straightDown", {0, 0}, 1.5707963, 10, {0, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SideCase {
    const char* name;
    QPoint p, a, b;
    int side;
};
void PrintTo(const SideCase& c, std::ostream* os) { *os << c.name; }

class PtIsLineLeft : public ::testing::TestWithParam<SideCase> {};

TEST_P(PtIsLineLeft, TellsTheSide)
{
    const SideCase& c = GetParam();
    EXPECT_EQ(ptIsLineLeft(c.p, c.a, c.b), c.side);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PtIsLineLeft,
    ::testing::Values(SideCase{"onTheLine", {50, 0}, {0, 0}, {100, 0}, 0},
                      SideCase{"beyondTheEnd", {200, 0}, {0, 0}, {100, 0}, 0},
                      SideCase{"positiveTurn", {50, 10}, {0, 0}, {100, 0}, -1},
                      SideCase{"negativeTurn", {50, -10}, {0, 0}, {100, 0}, 1},
                      // The difference is brought back across 2π once.
                      SideCase{"acrossZero", {100, 1}, {0, 0}, {100, -1}, -1},
                      SideCase{"acrossZeroOther", {100, -1}, {0, 0}, {100, 1}, 1},
                      SideCase{"withinTolerance", {1000, 5}, {0, 0}, {1000, 0}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Geometry, PtInRegionOfARotatedRectangle)
{
    // A 40 × 10 rectangle turned by 45 degrees.
    const QPoint a(0, 0), b(28, 28), c(21, 35), d(-7, 7);
    EXPECT_EQ(PtInRegion(QPoint(10, 14), a, b, c, d), 1);
    EXPECT_EQ(PtInRegion(QPoint(30, 10), a, b, c, d), 0);
    EXPECT_EQ(PtInRegion(QPoint(-20, -20), a, b, c, d), 0);
}

struct FontWidthCase {
    const char* name;
    QString text;
    double width;
};
void PrintTo(const FontWidthCase& c, std::ostream* os) { *os << c.name; }

class GetFontWidth : public ::testing::TestWithParam<FontWidthCase> {};

TEST_P(GetFontWidth, SumsTheByteWidths)
{
    const FontWidthCase& c = GetParam();
    EXPECT_NEAR(getFontWidth(c.text), c.width, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetFontWidth,
    ::testing::Values(FontWidthCase{"empty", QString(), 0.0},
                      FontWidthCase{"gradeOneEscape", QStringLiteral("%%A12"), 2.3},
                      FontWidthCase{"twoBlankEscape", QStringLiteral("%%L"), 1.6},
                      FontWidthCase{"digits", QStringLiteral("1029"), 0.7 + 0.8 * 3},
                      FontWidthCase{"capitals", QStringLiteral("CIJWM"), 1.0 + 0.45 + 0.6 + 1.4 + 1.4},
                      FontWidthCase{"smallLetters", QStringLiteral("alwm"), 0.75 + 0.45 + 1.1 + 1.1},
                      FontWidthCase{"punctuation", QStringLiteral("|@ &-"), 0.3 + 1.4 + 0.8 + 1.1 + 0.45},
                      // Every GBK byte above 127 counts 0.75: a Chinese character 1.5.
                      FontWidthCase{"chinese", QStringLiteral("钢筋"), 3.0},
                      FontWidthCase{"diameterSign", QStringLiteral("φ12"), 1.5 + 0.7 + 0.8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CreateStylePen, MakesTheStylesOfTheTable)
{
    const auto solid = createStylePen(0, 3, RGB(1, 2, 3), 2.0);
    ASSERT_TRUE(solid);
    EXPECT_EQ(*solid, platform::Pen(PS_SOLID, 3, RGB(1, 2, 3)));

    struct Row {
        int style;
        std::vector<std::uint32_t> dashes;
    } const rows[] = {{1, {16, 8}}, {2, {6, 6}}, {3, {16, 8, 2, 8}}, {4, {16, 8, 2, 8, 2, 8}}, {7, {1, 4}}};
    for (const Row& row : rows) {
        const auto pen = createStylePen(row.style, 2, RGB(9, 8, 7), 0.5);
        ASSERT_TRUE(pen) << row.style;
        EXPECT_TRUE(pen->isGeometric());
        EXPECT_EQ(pen->lineStyle(), PS_USERSTYLE);
        EXPECT_EQ(pen->width(), 2);
        EXPECT_EQ(pen->color(), RGB(9, 8, 7));
        EXPECT_EQ(pen->userStyle(), row.dashes) << row.style;
    }
    for (int none : {5, 6, 8, -1})
        EXPECT_FALSE(createStylePen(none, 1, 0, 1.0)) << none;
}

TEST(CreateStylePen, FineDotGapAndExtremeFactors)
{
    struct Row {
        const char* what;
        int style;
        double factor;
        double fineDotGap;
        std::vector<std::uint32_t> dashes;
    } const rows[] = {
        {"drawing fine dots", 7, 1.0, kDrawingFineDotGap, {2, 8}},
        {"table fine dots", 7, 1.0, 12, {2, 12}},
        {"gap only touches style 7", 1, 1.0, 12, {32, 16}},
        {"truncated toward zero", 3, 0.3, kDrawingFineDotGap, {9, 4, 1, 4}},
        {"negative factor", 2, -1.0, kDrawingFineDotGap, {0, 0}},
        {"huge factor held", 1, 1e12, kDrawingFineDotGap, {1000000, 1000000}},
        {"NaN factor", 1, std::nan(""), kDrawingFineDotGap, {0, 0}},
    };
    for (const Row& row : rows) {
        const auto pen = createStylePen(row.style, 1, RGB(0, 0, 0), row.factor, row.fineDotGap);
        ASSERT_TRUE(pen) << row.what;
        EXPECT_EQ(pen->userStyle(), row.dashes) << row.what;
    }
}

} // namespace
