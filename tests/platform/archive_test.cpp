#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using platform::Archive;
using platform::ArchiveError;

namespace {

QByteArray stored(const QString& s)
{
    Archive ar;
    ar << s;
    return ar.data();
}

QString loaded(const QByteArray& bytes)
{
    Archive ar(bytes);
    QString s;
    ar >> s;
    EXPECT_TRUE(ar.atEnd());
    return s;
}

struct PrefixCase {
    int length;
    const char* prefix;
};

class ArchiveStringPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(ArchiveStringPrefix, WritesFrameworkPrefixAndReadsBack)
{
    const PrefixCase c = GetParam();
    const QString text(c.length, u'x');
    const QByteArray bytes = stored(text);
    const QByteArray prefix = test::hex(c.prefix);
    ASSERT_EQ(bytes.size(), prefix.size() + c.length);
    EXPECT_EQ(test::toHex(bytes.left(prefix.size())), test::toHex(prefix));
    EXPECT_EQ(loaded(bytes), text);
}

INSTANTIATE_TEST_SUITE_P(Lengths, ArchiveStringPrefix,
    ::testing::Values(PrefixCase{0, "00"}, PrefixCase{1, "01"}, PrefixCase{254, "FE"},
                      PrefixCase{255, "FF FF 00"}, PrefixCase{256, "FF 00 01"},
                      PrefixCase{65533, "FF FD FF"}, PrefixCase{65534, "FF FF FF FE FF 00 00"},
                      PrefixCase{65535, "FF FF FF FF FF 00 00"},
                      PrefixCase{70000, "FF FF FF 70 11 01 00"}),
    [](const auto& info) { return "length" + std::to_string(info.param.length); });

TEST(ArchiveString, ChineseTextIsWrittenAsGbkBytes)
{
    EXPECT_EQ(test::toHex(stored(QStringLiteral("常用"))), QStringLiteral("04 B3 A3 D3 C3"));
    EXPECT_EQ(loaded(test::hex("04 B3 A3 D3 C3")), QStringLiteral("常用"));
}

TEST(ArchiveString, ReadsWideMarkerStrings)
{
    // 0xFF, 0xFFFE, then the length in UTF-16 units and the UTF-16 data.
    EXPECT_EQ(loaded(test::hex("FF FE FF 02 38 5E 28 75")), QStringLiteral("常用"));
    EXPECT_EQ(loaded(test::hex("FF FE FF 00")), QString());
}

TEST(ArchiveString, RefusesTextThatGbkCannotHold)
{
    Archive ar;
    EXPECT_THROW(ar << QString::fromUtf8("bar \xF0\x9F\x98\x80"), platform::TextEncodingError);
}

// A text read from a damaged or foreign file can always be stored again:
// what GBK cannot hold reads as '?', so the file can still be saved.
struct UnstorableCase {
    const char* name;
    const char* bytes;
    const char* text; // UTF-8
};

class ArchiveUnstorableText : public ::testing::TestWithParam<UnstorableCase> {};

TEST_P(ArchiveUnstorableText, ReadsAsQuestionMarksAndStoresAgain)
{
    const UnstorableCase& c = GetParam();
    const QString text = loaded(test::hex(c.bytes));
    EXPECT_EQ(text, QString::fromUtf8(c.text));
    Archive again;
    EXPECT_NO_THROW(again << text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ArchiveUnstorableText,
    ::testing::Values(
        UnstorableCase{"LeadByteWithoutTrail", "04 41 81 20 42", "A? B"},
        UnstorableCase{"TwoBadPairs", "04 A1 20 FE FF", "? ?\xEF\xA3\xB5"},
        UnstorableCase{"WideTextOutsideGbk", "FF FE FF 04 38 5E 3D D8 00 DE 41 00", "常?A"},
        UnstorableCase{"WideLoneSurrogate", "FF FE FF 01 00 D8", "?"}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts are converted once an archive and then shared: thousands of texts,
// repeated and distinct, Chinese and ASCII, more than the archive keeps
// converted, each reach the bytes as if stored alone and read back unchanged.
TEST(ArchiveString, ManyRepeatedAndDistinctTextsKeepTheirBytes)
{
    QStringList texts;
    for (int i = 0; i < 5000; ++i) {
        texts << QStringLiteral("上部通长筋%1").arg(i % 3000) << QStringLiteral("宋体")
              << QString::number(i) << QStringLiteral("KL%1(2A) 框架梁").arg(i);
    }
    Archive ar;
    QByteArray expected;
    for (const QString& text : std::as_const(texts)) {
        ar << text;
        expected += stored(text);
    }
    ASSERT_EQ(ar.data(), expected);

    Archive in(expected);
    for (const QString& text : std::as_const(texts)) {
        QString read;
        in >> read;
        ASSERT_EQ(read, text);
    }
    EXPECT_TRUE(in.atEnd());
}

// Texts an archive keeps converted by their bytes, around the longest it
// keeps: thousands of texts of one length that differ only in their last
// bytes, read twice over, so that kept texts meet in the archive's keeping;
// each read gives its own text, never a kept one like it.
struct KeptTextCase {
    const char* name;
    int length;     // in characters, the last four a number
    bool chinese;   // two bytes a character before the number
};

class ArchiveKeptTexts : public ::testing::TestWithParam<KeptTextCase> {};

TEST_P(ArchiveKeptTexts, EachReadGivesItsOwnText)
{
    const KeptTextCase& c = GetParam();
    const QString base = (c.chinese ? QStringLiteral("筋") : QStringLiteral("a")).repeated(c.length - 4);
    QStringList texts;
    for (int i = 0; i < 3000; ++i)
        texts << base + QString::number(i).rightJustified(4, QLatin1Char('0'));
    Archive out;
    for (int round = 0; round < 2; ++round) {
        for (const QString& text : std::as_const(texts))
            out << text;
    }
    Archive in(out.data());
    for (int round = 0; round < 2; ++round) {
        for (const QString& text : std::as_const(texts)) {
            QString read;
            in >> read;
            ASSERT_EQ(read, text);
        }
    }
    EXPECT_TRUE(in.atEnd());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ArchiveKeptTexts,
    ::testing::Values(KeptTextCase{"NumbersAlone", 4, false},
                      KeptTextCase{"OneBelowTheLongestKept", 47, false},
                      KeptTextCase{"LongestKept", 48, false},
                      KeptTextCase{"OneAboveTheLongestKept", 49, false},
                      KeptTextCase{"Long", 300, false},
                      KeptTextCase{"ChineseAtTheLongestKept", 26, true},
                      KeptTextCase{"ChineseAboveTheLongestKept", 27, true}),
    [](const auto& info) { return std::string(info.param.name); });

// What was taken of the bytes stays as it was while the archive writes on.
TEST(ArchiveString, BytesTakenBeforeMoreIsWrittenStayAsTheyWere)
{
    Archive ar;
    ar << QStringLiteral("常用") << std::int32_t(7);
    const QByteArray first = ar.data();
    for (int i = 0; i < 1000; ++i)
        ar << QStringLiteral("长文本%1").arg(i);
    EXPECT_EQ(test::toHex(first), QStringLiteral("04 B3 A3 D3 C3 07 00 00 00"));
    EXPECT_EQ(ar.data().left(first.size()), first);
    EXPECT_GT(ar.data().size(), 1000 * 7);
}

TEST(ArchiveString, CutAnywhereGivesArchiveError)
{
    Archive full;
    full << QString(300, u'a') << QString(3, u'b');
    const QByteArray bytes = full.data();
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        Archive ar(bytes.left(cut));
        QString a, b;
        EXPECT_THROW(ar >> a >> b, ArchiveError) << "cut at " << cut;
    }
}

TEST(ArchiveNumbers, LittleEndianLayoutAndRoundTrip)
{
    Archive ar;
    ar << std::int32_t(-2) << std::uint32_t(0x01020304) << std::uint16_t(0xBEEF)
       << std::uint8_t(7) << 1.5f << 0.25;
    EXPECT_EQ(test::toHex(ar.data()),
              QStringLiteral("FE FF FF FF 04 03 02 01 EF BE 07 00 00 C0 3F "
                             "00 00 00 00 00 00 D0 3F"));
    Archive in(ar.data());
    std::int32_t i;
    std::uint32_t u;
    std::uint16_t w;
    std::uint8_t b;
    float f;
    double d;
    in >> i >> u >> w >> b >> f >> d;
    EXPECT_EQ(i, -2);
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(w, 0xBEEF);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, 0.25);
    EXPECT_TRUE(in.atEnd());
    EXPECT_THROW(in >> i, ArchiveError);
}

TEST(ArchiveCount, ShortAndLongForms)
{
    Archive ar;
    ar.writeCount(3);
    ar.writeCount(0xFFFF);
    EXPECT_EQ(test::toHex(ar.data()), QStringLiteral("03 00 FF FF FF FF 00 00"));
}

TEST(ArchiveCount, CountLargerThanTheBytesLeftIsRefused)
{
    // 2^31 elements announced in a 10-byte stream.
    Archive ar(test::hex("FF FF 00 00 00 80 00 00 00 00"));
    EXPECT_THROW(ar.readCount(4), ArchiveError);

    Archive ints(test::hex("00 00 00 80 00 00 00 00 00 00"));
    EXPECT_THROW(ints.readIntCount(4), ArchiveError);
    Archive negative(test::hex("FF FF FF FF"));
    EXPECT_THROW(negative.readIntCount(1), ArchiveError);
    Archive fits(test::hex("02 00 00 00 01 00 00 00 02 00 00 00"));
    EXPECT_EQ(fits.readIntCount(4), 2);
}

// A reader that knows schemas 3 to 5 meets another number: it is -100
// always, and "newer" only when a later version could have written it.
struct SchemaCase {
    const char* name;
    std::int32_t schema;
    bool newer;
};

class ArchiveSchema : public ::testing::TestWithParam<SchemaCase> {};

TEST_P(ArchiveSchema, AnUnknownSchemaThrowsMinus100AndSaysWhetherItIsNewer)
{
    const SchemaCase& c = GetParam();
    Archive ar;
    ar << c.schema;
    Archive in(ar.data());
    try {
        in.readSchema(3, 5);
        FAIL() << "no exception";
    } catch (const platform::SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
        EXPECT_EQ(e.schema(), c.schema);
        EXPECT_EQ(e.newest(), 5);
        EXPECT_EQ(e.isNewer(), c.newer);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ArchiveSchema,
    ::testing::Values(SchemaCase{"NextVersion", 6, true},
                      SchemaCase{"FurthestLaterVersion", 5 + platform::SchemaError::kLaterSchemas, true},
                      SchemaCase{"BeyondAnyLaterVersion", 6 + platform::SchemaError::kLaterSchemas, false},
                      SchemaCase{"BelowTheOldest", 2, false},
                      SchemaCase{"Zero", 0, false},
                      SchemaCase{"Negative", -1, false},
                      SchemaCase{"Smallest", std::numeric_limits<std::int32_t>::min(), false},
                      SchemaCase{"Largest", std::numeric_limits<std::int32_t>::max(), false},
                      SchemaCase{"AFloatsBits", 0x41200000, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveSchemaRange, TheKnownSchemasAreReadAndAnswered)
{
    for (std::int32_t schema : {3, 4, 5}) {
        Archive ar;
        ar << schema;
        Archive in(ar.data());
        EXPECT_EQ(in.readSchema(3, 5), schema);
    }
    // A reader with gaps says which numbers it takes.
    Archive ar;
    ar << std::int32_t(-7);
    Archive in(ar.data());
    EXPECT_EQ(in.readSchema([](int s) { return s < 1 || s == 3; }, 3), -7);
}

TEST(ArchiveRange, ValuesOutsideTheirRangeAreRefusedWithTheirName)
{
    EXPECT_NO_THROW(platform::requireInRange(0, 0, 10, "rows"));
    EXPECT_NO_THROW(platform::requireInRange(10, 0, 10, "rows"));
    try {
        platform::requireInRange(std::numeric_limits<std::int32_t>::min(), 0, 10, "rows");
        FAIL() << "INT_MIN was taken";
    } catch (const ArchiveError& e) {
        EXPECT_STREQ(e.what(), "rows out of range");
    }
    EXPECT_THROW(platform::requireInRange(11, 0, 10, "rows"), ArchiveError);
    EXPECT_NO_THROW(platform::requireFiniteInRange(-2.5, -3.0, 3.0, "zoom"));
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 3.0000001})
        EXPECT_THROW(platform::requireFiniteInRange(bad, -3.0, 3.0, "zoom"), ArchiveError) << bad;
}

} // namespace
