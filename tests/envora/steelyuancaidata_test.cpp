#include "envora/steelyuancaidata.h"

#include "tests/support/fixtures.h"

#include "platform/archive.h"
#include "platform/folders.h"
#include "platform/savefile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

QString fixturePath(const char* name)
{
    return QStringLiteral(RODO_FIXTURES_DIR "/") + QLatin1String(name);
}

TEST(YuanCaiFile, ReadsChineseNamesAndTheRulesOfTheFile)
{
    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(fixturePath("kucun_chinese.xml")));
    ASSERT_EQ(lib.count(), 5);

    const CVes_SteelYuanCaiData* coil = lib.at(0);
    EXPECT_EQ(coil->name, QStringLiteral("盘圆（首钢）"));
    EXPECT_EQ(coil->DN, 6.5f);
    EXPECT_EQ(coil->grade, 1);
    EXPECT_EQ(coil->length, -1000);
    EXPECT_FLOAT_EQ(coil->price, 4350.5f);
    EXPECT_DOUBLE_EQ(coil->lengthMetres(), -1.0);

    EXPECT_EQ(lib.at(1)->name, QStringLiteral("环氧涂层直条"));
    EXPECT_EQ(lib.at(1)->steelType, 1);
    // Without LENGTH a stock bar is 12 m long; without NAME it has none.
    EXPECT_EQ(lib.at(2)->length, 12000);
    EXPECT_TRUE(lib.at(2)->name.isEmpty());
    // A diameter that is no number reads as 0.
    EXPECT_EQ(lib.at(4)->DN, 0.0f);
    EXPECT_EQ(lib.at(5), nullptr);
    EXPECT_EQ(lib.at(-1), nullptr);
}

TEST(YuanCaiFile, ReadsAFileWrittenInGbk)
{
    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(fixturePath("kucun_gbk.xml")));
    ASSERT_EQ(lib.count(), 1);
    EXPECT_EQ(lib.at(0)->name, QStringLiteral("盘螺"));
}

// A failed load keeps what the library held, as every other reader does;
// a new library stays empty.
TEST(YuanCaiFile, MissingOrDamagedFileLeavesTheLibraryAsItWas)
{
    QTemporaryDir dir;
    CVes_SteelYuanCaiDataLib fresh;
    EXPECT_FALSE(fresh.readFile(dir.filePath(QStringLiteral("KUCUN.xml"))));
    EXPECT_EQ(fresh.count(), 0);

    QByteArray text;
    ASSERT_TRUE(platform::readFile(fixturePath("kucun_chinese.xml"), &text));
    const QString cut = dir.filePath(QStringLiteral("cut.xml"));
    ASSERT_TRUE(platform::saveFile(cut, text.left(text.size() / 2)));
    const QString other = dir.filePath(QStringLiteral("other.xml"));
    ASSERT_TRUE(platform::saveFile(other, "<LIBRARY><STEEL DN=\"8\"/></LIBRARY>"));
    // A size no bar can have (a list holding it could not be opened again).
    const QString tooLarge = dir.filePath(QStringLiteral("large.xml"));
    ASSERT_TRUE(platform::saveFile(
        tooLarge, "<STEELYUANCAI><STEEL DN=\"8\"/><STEEL DN=\"1000.5\"/></STEELYUANCAI>"));
    const QString negative = dir.filePath(QStringLiteral("negative.xml"));
    ASSERT_TRUE(platform::saveFile(negative, "<STEELYUANCAI><STEEL DN=\"-8\"/></STEELYUANCAI>"));

    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(fixturePath("kucun_chinese.xml")));
    const CVes_SteelYuanCaiDataLib before = lib;
    ASSERT_GT(before.count(), 0);
    for (const QString& path : {dir.filePath(QStringLiteral("KUCUN.xml")), cut, other, tooLarge, negative}) {
        EXPECT_FALSE(lib.readFile(path)) << path.toStdString();
        EXPECT_TRUE(lib == before) << path.toStdString();
    }
}

// A refused file says why, and where, so that the user can mend it.
struct RefusalCase {
    const char* name;
    const char* text;
    const char* reason;
};

class YuanCaiRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(YuanCaiRefusal, SaysWhyTheFileIsRefused)
{
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KUCUN.xml"));
    ASSERT_TRUE(platform::saveFile(path, QByteArray(c.text)));
    CVes_SteelYuanCaiDataLib lib;
    QString reason;
    EXPECT_FALSE(lib.readFile(path, &reason));
    EXPECT_EQ(reason, QString::fromUtf8(c.reason));
    EXPECT_EQ(lib.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, YuanCaiRefusal,
    ::testing::Values(
        RefusalCase{"other_root", "<LIBRARY/>", "不是原材库文件。"},
        RefusalCase{"diameter", "<STEELYUANCAI>\n<STEEL DN=\"8\"/>\n<STEEL DN=\"1000.5\"/></STEELYUANCAI>",
                    "第3行：直径1000.5不在0到1000毫米之间。"},
        RefusalCase{"emoji_name",
                    "<STEELYUANCAI>\n<STEEL DN=\"8\"><NAME>\xE7\x9B\x98\xF0\x9F\x98\x80</NAME></STEEL>"
                    "</STEELYUANCAI>",
                    "第2行：名称“盘😀”含有钢筋表文件不能保存的字符。"},
        RefusalCase{"latin1_declared",
                    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<STEELYUANCAI>\n"
                    "<STEEL DN=\"10\"><NAME>\xE7\x9B\xB4</NAME></STEEL></STEELYUANCAI>",
                    "第3行：名称“ç\xC2\x9B\xC2\xB4”含有钢筋表文件不能保存的字符。"},
        RefusalCase{"cut_short", "<STEELYUANCAI><STEEL DN=\"8\">",
                    "第1行：Premature end of document."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(YuanCaiFile, WriteThenReadGivesTheSameRecords)
{
    QTemporaryDir dir;
    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(fixturePath("kucun_chinese.xml")));
    const QString path = dir.filePath(QStringLiteral("KUCUN.xml"));
    ASSERT_TRUE(lib.writeFile(path));
    CVes_SteelYuanCaiDataLib again;
    ASSERT_TRUE(again.readFile(path));
    EXPECT_TRUE(again == lib);
}

TEST(YuanCaiFile, ShippedLibraryIsSeededIntoTheDataFolder)
{
    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(envora::defaultYuanCaiPath()));
    ASSERT_GT(lib.count(), 0);
    const CVes_SteelYuanCaiData* coil = lib.getYuanCai(8.0f, 3, 0);
    ASSERT_NE(coil, nullptr);
    EXPECT_LT(coil->length, 0);
    EXPECT_EQ(coil->name, QStringLiteral("盘螺"));
    const CVes_SteelYuanCaiData* straight = lib.getYuanCai(20.0f, 3, 0);
    ASSERT_NE(straight, nullptr);
    EXPECT_EQ(straight->length, 12000);
    EXPECT_EQ(straight->name, QStringLiteral("直条"));
}

struct Lookup {
    float d;
    unsigned grade;
    unsigned type;
    int expectedIndex;  // -1: none
};

class YuanCaiLookup : public ::testing::TestWithParam<Lookup> {};

TEST_P(YuanCaiLookup, ExactKey)
{
    CVes_SteelYuanCaiDataLib lib;
    ASSERT_TRUE(lib.readFile(fixturePath("kucun_chinese.xml")));
    const Lookup& l = GetParam();
    const CVes_SteelYuanCaiData* found = lib.getYuanCai(l.d, l.grade, l.type);
    EXPECT_EQ(found, l.expectedIndex < 0 ? nullptr : lib.at(l.expectedIndex));
}

INSTANTIATE_TEST_SUITE_P(Envora, YuanCaiLookup,
                         ::testing::Values(Lookup{20.0f, 3, 0, 2},  // the first of two
                                           Lookup{20.0f, 3, 1, 1}, Lookup{6.5f, 1, 0, 0},
                                           Lookup{20.000002f, 3, 0, -1}, Lookup{20.0f, 4, 0, -1},
                                           Lookup{20.0f, 3, 2, -1}, Lookup{6.5f, unsigned(-1), 0, -1},
                                           Lookup{0.0f, 3, 0, 4}));

CVes_SteelYuanCaiDataLib twoRecords()
{
    CVes_SteelYuanCaiDataLib lib;
    CVes_SteelYuanCaiData straight;
    straight.DN = 20.0f;
    straight.grade = 3;
    straight.price = 4000.0f;
    straight.name = QStringLiteral("直条");
    lib.append(straight);
    CVes_SteelYuanCaiData coil;
    coil.DN = 6.5f;
    coil.steelType = 1;
    coil.grade = 1;
    coil.length = -1;
    lib.append(coil);
    return lib;
}

// schema 1, count 2, then per record DN, type, grade, length, price, note.
const QByteArray kTwoRecords = test::hex(
    "01 00 00 00  02 00 00 00"
    "00 00 A0 41  00 00 00 00  03 00 00 00  E0 2E 00 00  00 00 7A 45  04 D6 B1 CC F5"
    "00 00 D0 40  01 00 00 00  01 00 00 00  FF FF FF FF  00 00 00 00  00");

TEST(YuanCaiBlock, StoresTheLayoutByteForByte)
{
    CVes_SteelYuanCaiDataLib lib = twoRecords();
    platform::Archive out;
    lib.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(kTwoRecords));
}

TEST(YuanCaiBlock, StoreLoadStoreIsIdentical)
{
    platform::Archive in(kTwoRecords);
    CVes_SteelYuanCaiDataLib lib;
    lib.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_TRUE(lib == twoRecords());
    EXPECT_EQ(lib.at(0)->name, QStringLiteral("直条"));

    platform::Archive out;
    lib.Serialize(out);
    EXPECT_EQ(out.data(), kTwoRecords);

    platform::Archive emptyOut;
    CVes_SteelYuanCaiDataLib empty;
    empty.Serialize(emptyOut);
    EXPECT_EQ(emptyOut.data(), test::hex("01 00 00 00 00 00 00 00"));
}

struct BadBlock {
    const char* what;
    QByteArray bytes;
    bool schema;  // a SchemaError rather than an ArchiveError
};

class YuanCaiBadBlock : public ::testing::TestWithParam<BadBlock> {};

TEST_P(YuanCaiBadBlock, ThrowsAndKeepsTheRecords)
{
    const BadBlock& b = GetParam();
    CVes_SteelYuanCaiDataLib lib = twoRecords();
    platform::Archive in(b.bytes);
    if (b.schema) {
        try {
            lib.Serialize(in);
            ADD_FAILURE() << "no schema error";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
    } else {
        EXPECT_THROW(lib.Serialize(in), platform::ArchiveError) << b.what;
    }
    EXPECT_TRUE(lib == twoRecords());
}

INSTANTIATE_TEST_SUITE_P(
    Envora, YuanCaiBadBlock,
    ::testing::Values(BadBlock{"schema 2", test::hex("02 00 00 00 00 00 00 00"), true},
                      BadBlock{"schema 0", test::hex("00 00 00 00 00 00 00 00"), true},
                      BadBlock{"cut in a record", kTwoRecords.left(kTwoRecords.size() - 3), false},
                      BadBlock{"no count", test::hex("01 00 00 00"), false},
                      BadBlock{"negative count", test::hex("01 00 00 00 FF FF FF FF"), false},
                      BadBlock{"count beyond the bytes", test::hex("01 00 00 00 00 00 10 00 00"), false}));

// A record's diameter in the table files' block: 0 up to the largest a bar
// may hold, nothing else (a list holding it could not be opened again).
struct BlockDiameter {
    const char* name;
    float diameter;
    bool read;
};

class YuanCaiBlockDiameter : public ::testing::TestWithParam<BlockDiameter> {};

TEST_P(YuanCaiBlockDiameter, IsReadOnlyWithinTheRangeOfBars)
{
    CVes_SteelYuanCaiDataLib one;
    CVes_SteelYuanCaiData record;
    record.DN = GetParam().diameter;
    one.append(record);
    platform::Archive out;
    one.Serialize(out);
    platform::Archive in(out.data());
    CVes_SteelYuanCaiDataLib lib = twoRecords();
    if (GetParam().read) {
        lib.Serialize(in);
        EXPECT_TRUE(lib == one);
    } else {
        EXPECT_THROW(lib.Serialize(in), platform::ArchiveError);
        EXPECT_TRUE(lib == twoRecords());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, YuanCaiBlockDiameter,
    ::testing::Values(BlockDiameter{"Zero", 0.0f, true}, BlockDiameter{"Largest", 1000.0f, true},
                      BlockDiameter{"JustAbove", std::nextafter(1000.0f, 2000.0f), false},
                      BlockDiameter{"TwoThousand", 2000.0f, false},
                      BlockDiameter{"Negative", -6.0f, false},
                      BlockDiameter{"NotANumber", std::nanf(""), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(YuanCaiLibrary, CopiesAreDeepAndAppendedRecordsOwned)
{
    CVes_SteelYuanCaiDataLib lib = twoRecords();
    CVes_SteelYuanCaiDataLib copy(lib);
    copy.at(0)->price = 1.0f;
    EXPECT_FLOAT_EQ(lib.at(0)->price, 4000.0f);

    CVes_SteelYuanCaiData extra;
    extra.DN = 25.0f;
    CVes_SteelYuanCaiData* added = lib.append(extra);
    extra.DN = 28.0f;  // the library holds its own copy
    EXPECT_EQ(added->DN, 25.0f);
    EXPECT_EQ(lib.getYuanCai(25.0f, 0, 0), added);

    copy = lib;
    EXPECT_TRUE(copy == lib);
    lib.removeAt(0);
    EXPECT_EQ(lib.count(), 2);
    EXPECT_EQ(copy.count(), 3);
    lib.removeAt(7);
    lib.removeAll();
    EXPECT_EQ(lib.count(), 0);
}

TEST(YuanCaiRecord, LengthInMetres)
{
    CVes_SteelYuanCaiData r;
    EXPECT_DOUBLE_EQ(r.lengthMetres(), 12.0);
    r.setLengthMetres(9);
    EXPECT_EQ(r.length, 9000);
    r.setLengthMetres(-1);
    EXPECT_EQ(r.length, -1000);
    r.setLengthMetres(7.5);
    EXPECT_EQ(r.length, 7500);
    r.setLengthMetres(1e300);
    EXPECT_EQ(r.length, std::numeric_limits<int>::max());
    r.setLengthMetres(std::nan(""));
    EXPECT_EQ(r.length, std::numeric_limits<int>::max());
}

} // namespace
