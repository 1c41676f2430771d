#include "core/model/steelrecordid.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    int mainId;
    int recordNo;
};

class RecordIdParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RecordIdParse, ParsesKeyText)
{
    const ParseCase c = GetParam();
    const CSteelRecordId id = CSteelRecordId::setId(QString::fromUtf8(c.text));
    EXPECT_EQ(id.m_mainId, c.mainId) << c.text;
    EXPECT_EQ(id.m_recordNo, c.recordNo) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, RecordIdParse,
    ::testing::Values(ParseCase{"101-5", 101, 5}, ParseCase{"101-005", 101, 5},
                      ParseCase{"101005", 101, 5}, ParseCase{"1015", 101, 5},
                      ParseCase{"12", -1, -1}, ParseCase{"-5", -1, -1},
                      ParseCase{"101a2b3c4", 101, 234}, ParseCase{"abc-xyz", 0, 0},
                      ParseCase{"1019999", 101, 999}, ParseCase{"101abc", 101, 0},
                      ParseCase{"", -1, -1}, ParseCase{"钢筋大样", 0, 0},
                      ParseCase{"99999999999-5", 2147483647, 5},
                      ParseCase{"101--99999999999", 101, -2147483647 - 1},
                      ParseCase{" 12-+3", 12, 3}));

TEST(RecordId, TextForm)
{
    EXPECT_EQ(CSteelRecordId(101, 5).ToString(), QStringLiteral("101-005"));
    EXPECT_EQ(CSteelRecordId(101, 1234).ToString(), QStringLiteral("101-1234"));
    EXPECT_EQ(CSteelRecordId().ToString(), QStringLiteral("-1--001"));
}

TEST(RecordId, NullAndUserLibrary)
{
    EXPECT_TRUE(CSteelRecordId().isNull());
    const CSteelRecordId halfNull(250, -1);
    EXPECT_TRUE(halfNull.isNull());
    EXPECT_TRUE(halfNull.isUseLib());
    EXPECT_FALSE(CSteelRecordId(200, 1).isUseLib());
    EXPECT_TRUE(CSteelRecordId(201, 1).isUseLib());
    EXPECT_TRUE(CSteelRecordId(399, 1).isUseLib());
    EXPECT_FALSE(CSteelRecordId(400, 1).isUseLib());
}

TEST(RecordId, OrderByMainIdThenNumber)
{
    EXPECT_LT(CSteelRecordId(101, 9), CSteelRecordId(102, 1));
    EXPECT_LT(CSteelRecordId(101, 1), CSteelRecordId(101, 2));
    EXPECT_FALSE(CSteelRecordId(101, 2) < CSteelRecordId(101, 2));
    EXPECT_NE(CSteelRecordId(101, 2), CSteelRecordId(101, 3));
}

} // namespace
