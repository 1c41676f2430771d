// How every sheet writes a cut length: whole numbers rounded half up, two
// decimals in metres, a graded bar's range with its step.

#include "tables/framework/lengthtext.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NumberCase {
    const char* name;
    double value;
    bool metres;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class LengthNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(LengthNumber, AsEverySheetWritesIt)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(lengthtext::number(c.value, c.metres), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LengthNumber,
    testing::Values(NumberCase{"HalfGoesUp", 2999.5, false, "3000"},
                    NumberCase{"BelowHalfGoesDown", 2999.49, false, "2999"},
                    NumberCase{"Whole", 3000.0, false, "3000"},
                    NumberCase{"BeyondTwoBillion", 3.0e9 + 0.5, false, "3000000001"},
                    NumberCase{"NoNumber", std::numeric_limits<double>::quiet_NaN(), false, "0"},
                    NumberCase{"BeyondAnyBar", 1.0e300, false, "0"},
                    NumberCase{"Metres", 2.994, true, "2.99"},
                    NumberCase{"MetresRoundUp", 2.996, true, "3.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LengthRange, FirstLastAndStep)
{
    EXPECT_EQ(lengthtext::rangeText(1000.0, 1001.0, 0.5, false), "1000～1001\n等差:1");
    EXPECT_EQ(lengthtext::rangeText(1.0, 1.5, 0.25, true), "1.00～1.50\n等差:0.25");
}

} // namespace
