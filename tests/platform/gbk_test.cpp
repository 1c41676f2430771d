#include "platform/gbk.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

// Texts converted one after another on one thread: a character without a GBK
// form is reported for its own text only, never for the next.
struct SequenceCase {
    const char* name;
    std::vector<const char*> texts; // UTF-8
    std::vector<bool> ok;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class GbkSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(GbkSequence, EachTextReportsItsOwnResult)
{
    const SequenceCase& c = GetParam();
    for (size_t i = 0; i < c.texts.size(); ++i) {
        const QString text = QString::fromUtf8(c.texts[i]);
        bool ok = !c.ok[i];
        const QByteArray bytes = gbk::encode(text, &ok);
        EXPECT_EQ(ok, c.ok[i]) << "text " << i;
        if (c.ok[i]) {
            EXPECT_EQ(gbk::decode(bytes), text) << "text " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkSequence,
    ::testing::Values(SequenceCase{"GoodAfterBad", {"\xF0\x9F\x98\x80", "钢筋"}, {false, true}},
                      SequenceCase{"BadBetweenGood", {"箍筋", "\xE0\xB8\x81", "箍筋", "abc"}, {true, false, true, true}},
                      SequenceCase{"TwoBad", {"\xE0\xB8\x81", "\xF0\x9F\x98\x80"}, {false, false}},
                      SequenceCase{"AsciiAfterBad", {"\xF0\x9F\x98\x80", "KL1"}, {false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gbk, AsciiIsKeptByteForByteAndTheByteAfterItIsNotLatin1)
{
    const QByteArray ascii("KL1(2A)\x00\x7F", 9);
    EXPECT_EQ(gbk::decode(ascii), QString::fromLatin1(ascii));
    EXPECT_EQ(gbk::encode(QString::fromLatin1(ascii)), ascii);
    // 0x80 is the euro sign in this code page, not the Latin-1 control.
    EXPECT_EQ(gbk::decode(QByteArray("\x80")), QString(QChar(0x20AC)));
    EXPECT_EQ(gbk::encode(QString(QChar(0x20AC))), QByteArray("\x80"));
}

TEST(Gbk, ThreadsConvertAtOnceWithTheSameResults)
{
    const QString text = QStringLiteral("钢筋配料单：φ12 箍筋@100/200");
    const QByteArray expected = gbk::encode(text);
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < wrong.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                bool ok = false;
                const bool bad = i % 50 == 0; // now and then a text without a GBK form
                const QByteArray bytes = gbk::encode(bad ? QString::fromUtf8("\xE0\xB8\x81") : text, &ok);
                if (ok == bad || (!bad && (bytes != expected || gbk::decode(bytes) != text)))
                    ++wrong[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(wrong.size(), 0));
}

} // namespace
