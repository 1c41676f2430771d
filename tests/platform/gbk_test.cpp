#include "platform/gbk.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace gbk = platform::gbk;

namespace {

TEST(Gbk, UserDefinedAreaRoundTrips)
{
    // The grade symbols live in the user-defined area.
    for (const char* pair : {"AA A2", "AA A3", "AA A4", "AA AF", "AA A1", "AF FE", "A6 D5"}) {
        const QByteArray bytes = test::hex(pair);
        const QString text = gbk::decode(bytes);
        ASSERT_EQ(text.size(), 1) << pair;
        bool ok = false;
        EXPECT_EQ(test::toHex(gbk::encode(text, &ok)), test::toHex(bytes));
        EXPECT_TRUE(ok) << pair;
    }
}

TEST(Gbk, OrdinaryChineseTextRoundTrips)
{
    const QString text = QStringLiteral("钢筋配料单：φ12 箍筋@100/200，共3根");
    bool ok = false;
    const QByteArray bytes = gbk::encode(text, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(gbk::decode(bytes), text);
    EXPECT_EQ(gbk::byteLength(QStringLiteral("宋体")), 4);
    EXPECT_EQ(gbk::byteLength(QStringLiteral("a宋")), 3);
}

TEST(Gbk, TextWithoutGbkFormIsReported)
{
    EXPECT_FALSE(gbk::canEncode(QString::fromUtf8("\xF0\x9F\x98\x80")));
    EXPECT_FALSE(gbk::canEncode(QString::fromUtf8("\xE0\xB8\x81"))); // Thai
    EXPECT_TRUE(gbk::canEncode(QStringLiteral("常用 abc")));
}

TEST(Gbk, LeadBytes)
{
    EXPECT_FALSE(gbk::isLeadByte(0x80));
    EXPECT_TRUE(gbk::isLeadByte(0x81));
    EXPECT_TRUE(gbk::isLeadByte(0xFE));
    EXPECT_FALSE(gbk::isLeadByte(0xFF));
}

} // namespace
