#include "core/model/steelmodeluserid.h"

#include "core/geometry/datafolder.h"
#include "platform/savefile.h"
#include "tests/support/fixtures.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Entry {
    CSteelRecordId key;
    const char* useId;
};
using Entries = std::vector<Entry>;

void fill(CVes_SteelModelUserIdLib& lib, const Entries& entries)
{
    for (const Entry& e : entries)
        ASSERT_EQ(lib.addRecord(e.key, QString::fromUtf8(e.useId), 0), 1);
}

// The entries as "key=number" texts, in list order.
QStringList contents(const CVes_SteelModelUserIdLib& lib)
{
    QStringList out;
    for (const auto& e : lib.entries())
        out << e->getRecordId().ToString() + u'=' + e->getUseId();
    return out;
}

QStringList texts(const Entries& entries)
{
    QStringList out;
    for (const Entry& e : entries)
        out << e.key.ToString() + u'=' + QString::fromUtf8(e.useId);
    return out;
}

QByteArray fileBytes(const QString& path)
{
    QByteArray bytes;
    EXPECT_TRUE(platform::readFile(path, &bytes)) << path.toStdString();
    return bytes;
}

struct AddCase {
    const char* name;
    Entries before;
    Entry add;
    int force;
    int result;
    Entries after;
};

class UserIdAdd : public ::testing::TestWithParam<AddCase> {};

TEST_P(UserIdAdd, KeepsOneNumberPerShape)
{
    const AddCase& c = GetParam();
    CVes_SteelModelUserIdLib lib;
    fill(lib, c.before);
    EXPECT_EQ(lib.addRecord(c.add.key, QString::fromUtf8(c.add.useId), c.force), c.result);
    EXPECT_EQ(contents(lib), texts(c.after));
}

const CSteelRecordId k5{101, 5};
const CSteelRecordId k7{101, 7};
const CSteelRecordId k9{102, 9};

INSTANTIATE_TEST_SUITE_P(
    SteelModelUserId, UserIdAdd,
    ::testing::Values(
        AddCase{"NewShape", {{k7, "5"}}, {k5, "A1"}, 0, 1, {{k7, "5"}, {k5, "A1"}}},
        AddCase{"TakenWithoutForce", {{k7, "5"}, {k5, "x"}}, {k5, "5"}, 0, 0, {{k7, "5"}, {k5, "x"}}},
        AddCase{"TakenWithForceMoves", {{k9, "1"}, {k7, "5"}}, {k5, "5"}, 1, 1, {{k9, "1"}, {k5, "5"}}},
        AddCase{"TakenWithForceDropsFormerNumber", {{k5, "x"}, {k7, "5"}}, {k5, "5"}, 1, 1, {{k5, "5"}}},
        AddCase{"OwnNumberWithoutForce", {{k5, "5"}}, {k5, "5"}, 0, 0, {{k5, "5"}}},
        AddCase{"OwnNumberWithForce", {{k5, "5"}}, {k5, "5"}, 1, 1, {{k5, "5"}}},
        AddCase{"NewNumberReplacesInPlace", {{k5, "5"}, {k7, "7"}}, {k5, "6"}, 0, 1, {{k5, "6"}, {k7, "7"}}},
        AddCase{"EmptyNumberRemoves", {{k5, "5"}, {k7, "7"}}, {k5, ""}, 0, 1, {{k7, "7"}}},
        AddCase{"EmptyNumberForNewShapeIsAdded", {{k7, "7"}}, {k5, ""}, 0, 1, {{k7, "7"}, {k5, ""}}},
        AddCase{"EmptyNumberIsNotInUse", {{k7, ""}}, {k5, ""}, 0, 1, {{k7, ""}, {k5, ""}}},
        AddCase{"CaseMatters", {{k7, "a"}}, {k5, "A"}, 0, 1, {{k7, "a"}, {k5, "A"}}},
        AddCase{"ChineseNumber", {{k7, "梁1"}}, {k5, "梁1"}, 0, 0, {{k7, "梁1"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SteelModelUserIdLookup, FindsByNumberAndByKey)
{
    CVes_SteelModelUserIdLib lib;
    fill(lib, {{k5, "5"}, {k7, ""}, {k9, "L-1"}});
    EXPECT_EQ(lib.getRecordId(QStringLiteral("L-1")), k9);
    EXPECT_EQ(lib.getUseId(k5), QStringLiteral("5"));
    EXPECT_EQ(lib.getModelUserId(k9), lib.entries()[2].get());
    EXPECT_EQ(lib.getModelUserId(QStringLiteral("5")), lib.entries()[0].get());

    EXPECT_TRUE(lib.getRecordId(QStringLiteral("6")).isNull());
    EXPECT_TRUE(lib.getRecordId(QStringLiteral("l-1")).isNull());
    EXPECT_TRUE(lib.getUseId({300, 1}).isEmpty());
    EXPECT_EQ(lib.getModelUserId(CSteelRecordId{300, 1}), nullptr);
    EXPECT_EQ(lib.getModelUserId(QStringLiteral("6")), nullptr);
    // An empty number names no shape, not even one kept with an empty number.
    EXPECT_TRUE(lib.getRecordId(QString()).isNull());
    EXPECT_EQ(lib.getModelUserId(QString()), nullptr);

    CVes_SteelModelUserId copy = *lib.entries()[0];
    EXPECT_EQ(copy.getRecordId(), k5);
    lib.removeAll();
    EXPECT_TRUE(lib.entries().empty());
    EXPECT_EQ(copy.getUseId(), QStringLiteral("5"));
}

const char kUserIdBytes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<STEEL_USERIDLIB>\r\n"
    "<USERID>\r\n"
    "<RECORDID>101-005</RECORDID>\r\n"
    "<USERID>5</USERID>\r\n"
    "</USERID>\r\n"
    "<USERID>\r\n"
    "<RECORDID>2-1234</RECORDID>\r\n"
    "<USERID>\xE6\xA2\x81&lt;&amp;</USERID>\r\n" // 梁<&
    "</USERID>\r\n"
    "<USERID>\r\n"
    "<RECORDID>102-009</RECORDID>\r\n"
    "<USERID/>\r\n"
    "</USERID>\r\n"
    "</STEEL_USERIDLIB>\r\n";

TEST(SteelModelUserIdFile, WritesTheDocumentLayout)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ids.xml"));
    CVes_SteelModelUserIdLib lib;
    fill(lib, {{k5, "5"}, {{2, 1234}, "梁<&"}, {k9, ""}});
    ASSERT_TRUE(lib.writeFile(path));
    EXPECT_EQ(test::toHex(fileBytes(path)), test::toHex(QByteArray(kUserIdBytes)));

    CVes_SteelModelUserIdLib back;
    ASSERT_TRUE(back.readFile(path));
    EXPECT_EQ(contents(back), contents(lib));
}

TEST(SteelModelUserIdFile, DefaultPathsPerLibrary)
{
    CVes_SteelModelUserIdLib bars;
    fill(bars, {{k5, "B5"}});
    CVes_SteelModelUserIdLib starts;
    fill(starts, {{k7, "S7"}, {k9, "S9"}});
    ASSERT_TRUE(bars.writeFile());
    ASSERT_TRUE(starts.writeStartFile());
    EXPECT_TRUE(QFileInfo::exists(GetRODOFilePath() + QStringLiteral("steeluseIdLib.xml")));
    EXPECT_TRUE(QFileInfo::exists(GetRODOFilePath() + QStringLiteral("startuseIdLib.xml")));

    CVes_SteelModelUserIdLib lib;
    ASSERT_TRUE(lib.readStartFile());
    EXPECT_EQ(contents(lib), contents(starts));
    ASSERT_TRUE(lib.readFile());
    EXPECT_EQ(contents(lib), contents(bars));
}

TEST(SteelModelUserIdFile, FailedWriteIsReported)
{
    QTemporaryDir dir;
    CVes_SteelModelUserIdLib lib;
    fill(lib, {{k5, "5"}});
    EXPECT_FALSE(lib.writeFile(dir.filePath(QStringLiteral("no/such/folder/ids.xml"))));
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    Entries entries;
    bool keptFromWriting = false; // there but unreadable: never written over
};

class UserIdRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(UserIdRead, ReplacesTheList)
{
    const ReadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ids.xml"));
    if (!c.bytes.isNull()) {
        ASSERT_TRUE(platform::saveFile(path, c.bytes));
    }
    CVes_SteelModelUserIdLib lib;
    fill(lib, {{{300, 1}, "old"}});
    lib.readFile(path);
    EXPECT_EQ(contents(lib), texts(c.entries));

    fill(lib, {{k5, "new"}});
    EXPECT_EQ(lib.writeFile(path), !c.keptFromWriting);
    if (c.keptFromWriting)
        EXPECT_EQ(fileBytes(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    SteelModelUserId, UserIdRead,
    ::testing::Values(
        ReadCase{"Written", kUserIdBytes, {{k5, "5"}, {{2, 1234}, "梁<&"}, {k9, ""}}},
        ReadCase{"DuplicateNumberGoesToTheLaterKey",
                 "<STEEL_USERIDLIB><USERID><RECORDID>101-005</RECORDID><USERID>5</USERID></USERID>"
                 "<USERID><RECORDID>102-009</RECORDID><USERID>x</USERID></USERID>"
                 "<USERID><RECORDID>101-007</RECORDID><USERID>5</USERID></USERID></STEEL_USERIDLIB>",
                 {{k7, "5"}, {k9, "x"}}},
        ReadCase{"ChildrenInAnyOrder",
                 "<STEEL_USERIDLIB><USERID><USERID>5</USERID><RECORDID>101-5</RECORDID></USERID>"
                 "</STEEL_USERIDLIB>",
                 {{k5, "5"}}},
        ReadCase{"NoKeyGivesTheNullKey",
                 "<STEEL_USERIDLIB><USERID><USERID>a</USERID></USERID>"
                 "<USERID><RECORDID>x</RECORDID><USERID>b</USERID></USERID></STEEL_USERIDLIB>",
                 {{{-1, -1}, "b"}}},
        ReadCase{"OtherElementsIgnored",
                 "<STEEL_USERIDLIB><NOTE>n</NOTE><USERID><RECORDID>101-005</RECORDID><USERID>5</USERID>"
                 "</USERID></STEEL_USERIDLIB>",
                 {{k5, "5"}}},
        ReadCase{"OtherRoot", "<STEELCHANGYONG><USERID><RECORDID>101-005</RECORDID></USERID></STEELCHANGYONG>",
                 {}, true},
        ReadCase{"Truncated",
                 "<STEEL_USERIDLIB><USERID><RECORDID>101-005</RECORDID><USERID>5</USERID></USERID><USERID>",
                 {}, true},
        ReadCase{"NoXml", QByteArray("\x00\xff\xfe garbage", 12), {}, true},
        ReadCase{"EmptyFile", "", {}},
        ReadCase{"MissingFile", QByteArray(), {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
