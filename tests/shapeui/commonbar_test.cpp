#include "shapeui/commonbar.h"

#include "core/geometry/datafolder.h"
#include "platform/savefile.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

namespace {

using Keys = std::vector<CSteelRecordId>;

QByteArray fileBytes(const QString& path)
{
    QByteArray bytes;
    EXPECT_TRUE(platform::readFile(path, &bytes)) << path.toStdString();
    return bytes;
}

void putFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(platform::saveFile(path, bytes)) << path.toStdString();
}

Keys keyRange(int mainId, int count)
{
    Keys keys;
    for (int i = 1; i <= count; ++i)
        keys.push_back({mainId, i});
    return keys;
}

struct KeyTextCase {
    const char* name;
    const char* text;
    CSteelRecordId key;
};

class KeyText : public ::testing::TestWithParam<KeyTextCase> {};

TEST_P(KeyText, Parses)
{
    const KeyTextCase& c = GetParam();
    const CSteelRecordId key = parseKeyText(QString::fromUtf8(c.text));
    EXPECT_EQ(key.m_mainId, c.key.m_mainId);
    EXPECT_EQ(key.m_recordNo, c.key.m_recordNo);
}

INSTANTIATE_TEST_SUITE_P(
    CommonBar, KeyText,
    ::testing::Values(
        KeyTextCase{"Padded", "101-005", {101, 5}},
        KeyTextCase{"Unpadded", "101-5", {101, 5}},
        KeyTextCase{"NoDash", "101", {-1, -1}},
        KeyTextCase{"DashFirst", "-5", {-1, -1}},
        KeyTextCase{"Empty", "", {-1, -1}},
        KeyTextCase{"TrailingGarbage", "101-5x", {101, 5}},
        KeyTextCase{"NothingAfterDash", "101-", {101, 0}},
        KeyTextCase{"LettersGiveZero", "abc-def", {0, 0}},
        KeyTextCase{"BlanksAndSigns", " 101- +7", {101, 7}},
        KeyTextCase{"NegativeNumberKept", "101--5", {101, -5}},
        KeyTextCase{"OnlyTheFirstDashSplits", "1-2-3", {1, 2}},
        KeyTextCase{"BlankBeforeDash", " -5", {0, 5}},
        KeyTextCase{"WideDigitsAreNoDigits", "１０１-7", {0, 7}},
        KeyTextCase{"HugeSaturates", "99999999999-1", {INT_MAX, 1}},
        KeyTextCase{"HugeNegativeSaturates", "1--99999999999", {1, INT_MIN}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ListBytesCase {
    const char* name;
    QByteArray bytes;
    Keys keys;
};

class ListRead : public ::testing::TestWithParam<ListBytesCase> {};

TEST_P(ListRead, GivesOneKeyPerNonEmptyLine)
{
    const ListBytesCase& c = GetParam();
    const QString name = QStringLiteral("read_%1.dat").arg(QLatin1String(c.name));
    putFile(GetRODOFilePath() + name, c.bytes);
    EXPECT_EQ(readListFile(name), c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    CommonBar, ListRead,
    ::testing::Values(
        ListBytesCase{"CrLf", "101-005\r\n102-001\r\n", {{101, 5}, {102, 1}}},
        ListBytesCase{"Lf", "101-005\n102-001\n", {{101, 5}, {102, 1}}},
        ListBytesCase{"NoLastLineEnd", "101-005\r\n102-001", {{101, 5}, {102, 1}}},
        ListBytesCase{"EmptyLinesSkipped", "\r\n101-005\r\n\r\n\n102-001\r\n\r\n", {{101, 5}, {102, 1}}},
        ListBytesCase{"OrderKept", "195-003\r\n190-001\r\n", {{195, 3}, {190, 1}}},
        ListBytesCase{"NoKeyGivesNullKey", "abc\r\n101-005\r\n", {{-1, -1}, {101, 5}}},
        ListBytesCase{"Empty", "", {}},
        ListBytesCase{"OnlyLineEnds", "\r\n\n\r\n", {}},
        ListBytesCase{"Blanks", "  \r\n", {{-1, -1}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommonBarList, BinaryJunkGivesNoCrash)
{
    putFile(GetRODOFilePath() + QStringLiteral("junk.dat"), QByteArray("\xff\xfe\x00\x81-\x01\r\n\x80", 9));
    const Keys keys = readListFile(QStringLiteral("junk.dat"));
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(keys[1].isNull());
}

TEST(CommonBarList, MissingFileIsCreatedEmpty)
{
    test::HostScope host;
    const QString path = GetRODOFilePath() + QStringLiteral("missing.dat");
    ASSERT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(readListFile(QStringLiteral("missing.dat")).empty());
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_GT(host->waitCalls(), 0);
    EXPECT_EQ(host->waitDepth(), 0);
}

TEST(CommonBarList, WritesKeyTextsWithCrLf)
{
    test::HostScope host;
    const Keys keys{{101, 5}, {2, 1}, CSteelRecordId::Null(), {195, 123}, {7, 1234}};
    ASSERT_TRUE(writeListFile(QStringLiteral("written.dat"), keys, kNoListLimit));
    EXPECT_EQ(fileBytes(GetRODOFilePath() + QStringLiteral("written.dat")),
              QByteArray("101-005\r\n2-001\r\n195-123\r\n7-1234\r\n"));
    EXPECT_GT(host->waitCalls(), 0);
    EXPECT_EQ(host->waitDepth(), 0);
}

struct LimitCase {
    const char* name;
    Keys keys;
    int limit;
    int lines;
};

class ListLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ListLimit, KeepsTheFrontOfTheList)
{
    const LimitCase& c = GetParam();
    const QString name = QStringLiteral("limit_%1.dat").arg(QLatin1String(c.name));
    ASSERT_TRUE(writeListFile(name, c.keys, c.limit));
    const QByteArray bytes = fileBytes(GetRODOFilePath() + name);
    EXPECT_EQ(bytes.count("\r\n"), c.lines);
    Keys front;
    for (const CSteelRecordId& k : c.keys) {
        if (!k.isNull() && int(front.size()) < c.lines)
            front.push_back(k);
    }
    EXPECT_EQ(readListFile(name), front);
}

Keys withNulls()
{
    Keys keys = keyRange(101, 20);
    keys.insert(keys.begin() + 3, CSteelRecordId::Null());
    keys.insert(keys.begin(), CSteelRecordId::Null());
    return keys;
}

INSTANTIATE_TEST_SUITE_P(
    CommonBar, ListLimit,
    ::testing::Values(LimitCase{"FirstCategory", keyRange(101, 20), kFirstCategoryListLimit, 17},
                      LimitCase{"Recent", keyRange(101, 20), kRecentListLimit, 12},
                      LimitCase{"NoLimit", keyRange(101, 20), kNoListLimit, 20},
                      LimitCase{"ShorterThanLimit", keyRange(101, 5), kFirstCategoryListLimit, 5},
                      LimitCase{"ExactlyTheLimit", keyRange(101, 12), kRecentListLimit, 12},
                      LimitCase{"NullKeysDoNotCount", withNulls(), kFirstCategoryListLimit, 17},
                      LimitCase{"ZeroWritesNothing", keyRange(101, 3), 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommonBarList, ShorterListLeavesNoTraceOfTheLongerOne)
{
    const QString name = QStringLiteral("shrink.dat");
    ASSERT_TRUE(writeListFile(name, keyRange(191, 20), kNoListLimit));
    ASSERT_TRUE(writeListFile(name, {{190, 2}, {190, 1}}, kNoListLimit));
    EXPECT_EQ(fileBytes(GetRODOFilePath() + name), QByteArray("190-002\r\n190-001\r\n"));
    ASSERT_TRUE(writeListFile(name, {}, kNoListLimit));
    EXPECT_EQ(fileBytes(GetRODOFilePath() + name), QByteArray());
}

TEST(CommonBarList, RecordKeysLeaveOutNullRecords)
{
    struct Record {
        CSteelRecordId id;
        CSteelRecordId getID() const { return id; }
    };
    Record a{{101, 5}}, b{{102, 7}};
    const std::vector<Record*> records{&a, nullptr, &b};
    EXPECT_EQ(recordKeys(records), (Keys{{101, 5}, {102, 7}}));
}

TEST(CommonBarList, FailedWriteReportsFalseAndKeepsTheFile)
{
    // A folder in the way of the file cannot be replaced.
    ASSERT_TRUE(QDir(GetRODOFilePath()).mkdir(QStringLiteral("inway.dat")));
    EXPECT_FALSE(writeListFile(QStringLiteral("inway.dat"), keyRange(101, 2), kNoListLimit));
    EXPECT_TRUE(QFileInfo(GetRODOFilePath() + QStringLiteral("inway.dat")).isDir());
    EXPECT_TRUE(readListFile(QStringLiteral("inway.dat")).empty());
}

class RefusedListName : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedListName, NeitherReadsNorWritesOutsideTheDataFolder)
{
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    // OUT: a folder outside the data folder; TAG: a name no other test uses.
    const QString tag = QStringLiteral("escape-%1").arg(QCoreApplication::applicationPid());
    const QString name = QString::fromUtf8(GetParam())
                             .replace(QStringLiteral("OUT"), outside.path())
                             .replace(QStringLiteral("TAG"), tag);
    const QString slashed = QString(name).replace(u'\\', u'/');
    const QString reached =
        QDir::cleanPath(QDir::isAbsolutePath(slashed) ? slashed : GetRODOFilePath() + slashed);
    const bool named = !name.isEmpty() && QFileInfo(reached).fileName().startsWith(tag);
    if (named) {
        ASSERT_FALSE(QFileInfo::exists(reached)) << reached.toStdString();
    }

    EXPECT_FALSE(isListFileName(name));
    EXPECT_TRUE(listFilePath(name).isEmpty());
    EXPECT_TRUE(readListFile(name).empty());
    EXPECT_FALSE(writeListFile(name, keyRange(190, 3), kNoListLimit));
    if (named) {
        EXPECT_FALSE(QFileInfo::exists(reached)) << reached.toStdString();
        QFile::remove(reached);
    }
}

INSTANTIATE_TEST_SUITE_P(CommonBar, RefusedListName,
                         ::testing::Values("", ".", "..", "../TAG.dat", "..\\TAG.dat", "sub/TAG.dat",
                                           "OUT/TAG.dat"));

TEST(CommonBarList, PlainNamesAreAccepted)
{
    for (const char* name : {"recentSteel.dat", "a..b.dat", "..dat", "常用.dat", "with space.dat"}) {
        const QString n = QString::fromUtf8(name);
        EXPECT_TRUE(isListFileName(n)) << name;
        EXPECT_EQ(listFilePath(n), GetRODOFilePath() + n) << name;
    }
}

const char kSteelLibBytes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<STEELCHANGYONG>\r\n"
    "<LIB NAME=\"\xE6\xA2\x81\">\r\n"                   // 梁
    "<NAME>\xE6\xA2\x81</NAME>\r\n"
    "<FILE>beam.dat</FILE>\r\n"
    "</LIB>\r\n"
    "<LIB NAME=\"a&lt;b&amp;c&quot;\">\r\n"
    "<NAME>a&lt;b&amp;c\"</NAME>\r\n"
    "<FILE>other.dat</FILE>\r\n"
    "</LIB>\r\n"
    "</STEELCHANGYONG>\r\n";

TEST(CommonBarCategoryFile, WritesTheDocumentLayout)
{
    QTemporaryDir dir;
    CommonBarCategories cats;
    cats.append(QStringLiteral("梁"), QStringLiteral("beam.dat"));
    cats.append(QStringLiteral("a<b&c\""), QStringLiteral("other.dat"));
    ASSERT_TRUE(cats.writeFile(dir.filePath(QStringLiteral("steelLib.xml"))));
    EXPECT_EQ(test::toHex(fileBytes(dir.filePath(QStringLiteral("steelLib.xml")))),
              test::toHex(QByteArray(kSteelLibBytes)));
}

TEST(CommonBarCategoryFile, ChineseCaptionsSurviveWriteAndRead)
{
    CommonBarCategories cats;
    cats.append(QStringLiteral("常用"), QStringLiteral("common.dat"));
    cats.append(QStringLiteral("箍筋拉筋"), QStringLiteral("lib_stirrup.dat"));
    ASSERT_TRUE(cats.rename(1, QStringLiteral("马凳·梯子筋")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("steelLib.xml"));
    ASSERT_TRUE(cats.writeFile(path));

    CommonBarCategories back;
    EXPECT_TRUE(back.readFile(path));
    EXPECT_EQ(back.names(), (QStringList{QStringLiteral("常用"), QStringLiteral("马凳·梯子筋")}));
    EXPECT_EQ(back.files(), (QStringList{QStringLiteral("common.dat"), QStringLiteral("lib_stirrup.dat")}));
    EXPECT_FALSE(back.rename(2, QStringLiteral("x")));
    EXPECT_FALSE(back.rename(-1, QStringLiteral("x")));
}

TEST(CommonBarCategoryFile, KindsHaveTheirOwnFiles)
{
    EXPECT_EQ(categoryFilePath(kSteelLibKind), GetRODOFilePath() + QStringLiteral("steelLib.xml"));
    EXPECT_EQ(categoryFilePath(kStartLibKind), GetRODOFilePath() + QStringLiteral("startLib.xml"));
}

TEST(CommonBarCategoryFile, UnpairedCategoriesAreNotWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("steelLib.xml"));
    putFile(path, kSteelLibBytes);
    CommonBarCategories cats;
    putFile(dir.filePath(QStringLiteral("odd.xml")),
            "<STEELCHANGYONG><LIB NAME=\"a\"><FILE>a.dat</FILE></LIB></STEELCHANGYONG>");
    EXPECT_FALSE(cats.readFile(dir.filePath(QStringLiteral("odd.xml"))));
    EXPECT_FALSE(cats.writeFile(path));
    EXPECT_EQ(fileBytes(path), QByteArray(kSteelLibBytes));
}

struct CategoryReadCase {
    const char* name;
    QByteArray bytes;
    QStringList names;
    QStringList files;
    bool paired;
};

class CategoryRead : public ::testing::TestWithParam<CategoryReadCase> {};

TEST_P(CategoryRead, TakesCaptionsAndFilesFromTheChildren)
{
    const CategoryReadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cats.xml"));
    if (!c.bytes.isNull())
        putFile(path, c.bytes);
    CommonBarCategories cats;
    cats.append(QStringLiteral("old"), QStringLiteral("old.dat"));
    EXPECT_EQ(cats.readFile(path), c.paired);
    EXPECT_EQ(cats.names(), c.names);
    EXPECT_EQ(cats.files(), c.files);
}

const QString kBeam = QStringLiteral("梁");

INSTANTIATE_TEST_SUITE_P(
    CommonBar, CategoryRead,
    ::testing::Values(
        CategoryReadCase{"Written", kSteelLibBytes, {kBeam, QStringLiteral("a<b&c\"")},
                         {QStringLiteral("beam.dat"), QStringLiteral("other.dat")}, true},
        CategoryReadCase{"AttributeIsIgnored",
                         "<STEELCHANGYONG><LIB NAME=\"x\"><NAME>y</NAME><FILE>y.dat</FILE></LIB></STEELCHANGYONG>",
                         {QStringLiteral("y")}, {QStringLiteral("y.dat")}, true},
        CategoryReadCase{"AttributeWithoutNameChild",
                         "<STEELCHANGYONG><LIB NAME=\"a\"><FILE>a.dat</FILE></LIB>"
                         "<LIB NAME=\"b\"><NAME>b</NAME><FILE>b.dat</FILE></LIB></STEELCHANGYONG>",
                         {QStringLiteral("b")}, {QStringLiteral("a.dat"), QStringLiteral("b.dat")}, false},
        CategoryReadCase{"AnyElementIsACategory",
                         "<STEELCHANGYONG><TAB><NAME>a</NAME><FILE>a.dat</FILE></TAB>"
                         "<LIB><NAME>b</NAME><FILE>b.dat</FILE></LIB></STEELCHANGYONG>",
                         {QStringLiteral("a"), QStringLiteral("b")},
                         {QStringLiteral("a.dat"), QStringLiteral("b.dat")}, true},
        CategoryReadCase{"ChildrenInAnyOrder",
                         "<STEELCHANGYONG><LIB><FILE>a.dat</FILE><NAME>a</NAME></LIB></STEELCHANGYONG>",
                         {QStringLiteral("a")}, {QStringLiteral("a.dat")}, true},
        CategoryReadCase{"EmptyTexts",
                         "<STEELCHANGYONG><LIB><NAME></NAME><FILE/></LIB></STEELCHANGYONG>",
                         {QString()}, {QString()}, true},
        CategoryReadCase{"GbkDeclared",
                         "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n"
                         "<STEELCHANGYONG><LIB><NAME>\xC1\xBA</NAME><FILE>b.dat</FILE></LIB></STEELCHANGYONG>",
                         {kBeam}, {QStringLiteral("b.dat")}, true},
        CategoryReadCase{"OtherRoot", "<OTHER><LIB><NAME>a</NAME><FILE>a.dat</FILE></LIB></OTHER>", {}, {}, true},
        CategoryReadCase{"Truncated",
                         "<STEELCHANGYONG><LIB><NAME>a</NAME><FILE>a.dat</FILE></LIB><LIB><NAME>b</NA",
                         {}, {}, true},
        CategoryReadCase{"NoXml", QByteArray("\x00\x01\xff garbage", 11), {}, {}, true},
        CategoryReadCase{"EmptyFile", "", {}, {}, true},
        CategoryReadCase{"MissingFile", QByteArray(), {}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

QJsonObject shippedLists()
{
    // Cleaned first: the fixtures folder itself need not exist.
    QFile f(QDir::cleanPath(QStringLiteral(RODO_FIXTURES_DIR "/../../../data/shapes/lists.json")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(f.readAll()).object();
}

Keys keysOf(const QJsonArray& texts)
{
    Keys keys;
    for (const QJsonValue& v : texts)
        keys.push_back(parseKeyText(v.toString()));
    return keys;
}

class ShippedCategories : public ::testing::TestWithParam<int> {};

TEST_P(ShippedCategories, ReadWithTheirLists)
{
    const int kind = GetParam();
    const QJsonArray expected =
        shippedLists()[kind == kStartLibKind ? u"startLib.xml" : u"steelLib.xml"].toArray();
    ASSERT_FALSE(expected.isEmpty());

    CommonBarCategories cats;
    ASSERT_TRUE(cats.readCategoryFile(kind));
    ASSERT_EQ(cats.names().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QJsonObject cat = expected[i].toObject();
        EXPECT_EQ(cats.names()[i], cat[u"name"].toString());
        EXPECT_EQ(cats.files()[i], cat[u"file"].toString());
        const QString path = listFilePath(cats.files()[i]);
        ASSERT_FALSE(path.isEmpty());
        const QByteArray shipped = fileBytes(path);
        EXPECT_EQ(readListFile(cats.files()[i]), keysOf(cat[u"keys"].toArray()));
        // Written back unchanged, byte for byte.
        ASSERT_TRUE(writeListFile(cats.files()[i], readListFile(cats.files()[i]),
                                  i == 0 ? kFirstCategoryListLimit : kNoListLimit));
        EXPECT_EQ(fileBytes(path), shipped);
    }

    // The category file written back is the shipped one.
    const QByteArray shipped = fileBytes(categoryFilePath(kind));
    ASSERT_TRUE(cats.writeCategoryFile(kind));
    EXPECT_EQ(test::toHex(fileBytes(categoryFilePath(kind))), test::toHex(shipped));
}

INSTANTIATE_TEST_SUITE_P(CommonBar, ShippedCategories, ::testing::Values(kSteelLibKind, kStartLibKind),
                         [](const auto& info) { return info.param == kSteelLibKind ? "Steel" : "Start"; });

TEST(CommonBarShippedLists, EveryFixedTabHasItsList)
{
    const QJsonObject lists = shippedLists()[u"lists"].toObject();
    for (int tab = 0; tab < kCommonBarListTabCount; ++tab) {
        const QString file = QString::fromUtf8(kCommonBarTabs[tab].listFile);
        ASSERT_TRUE(QFileInfo::exists(listFilePath(file))) << file.toStdString();
        const Keys keys = readListFile(file);
        EXPECT_FALSE(keys.empty()) << file.toStdString();
        EXPECT_EQ(keys, keysOf(lists[file].toArray())) << file.toStdString();
        if (tab == 0) {
            EXPECT_LE(int(keys.size()), kRecentListLimit);
        }
    }
    EXPECT_EQ(kCommonBarTabs[kCommonBarListTabCount].listFile, nullptr);
    EXPECT_STREQ(kCommonBarTabs[kCommonBarListTabCount].caption, "钢筋库");
}

} // namespace
