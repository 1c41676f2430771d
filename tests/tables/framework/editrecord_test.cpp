#include "tables/framework/editrecord.h"

#include "core/geometry/datafolder.h"
#include "platform/savefile.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList valuesOf(const char* prefix, int from, int to)
{
    QStringList values;
    for (int i = from; i <= to; ++i)
        values << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    return values;
}

// Records values oldest first, so the last one ends up in front.
void recordAll(CVes_EditRecordStore& store, const QStringList& values, int category)
{
    for (const QString& value : values)
        store.record(value, category);
}

TEST(EditRecordStore, FileBytesFollowTheSectionOrderWithCrLf)
{
    CVes_EditRecordStore store;
    store.record(QStringLiteral("a"), 1);
    store.record(QStringLiteral("b"), 1);
    store.record(QStringLiteral("中文"), 6);
    store.record(QStringLiteral("x"), 7);
    store.record(QStringLiteral("y"), -1); // the cover's variables
    store.record(QStringLiteral("z"), 8);
    store.record(QStringLiteral("w"), 99);

    const QByteArray expected = QByteArray("##1##\r\nb\r\na\r\n##2##\r\n##3##\r\n##4##\r\n##5##\r\n"
                                           "##6##\r\n")
                                + test::hex("D6 D0 CE C4 0D 0A")
                                + QByteArray("##8##\r\n##7##\r\nw\r\nz\r\ny\r\nx\r\n");
    EXPECT_EQ(test::toHex(store.toBytes()), test::toHex(expected));
    // Categories 7, 8, -1 and any other share one list; nothing reaches 8's section.
    EXPECT_EQ(store.values(8), store.values(-1));
    EXPECT_TRUE(store.carried().isEmpty());
}

TEST(EditRecordStore, EmptyStoreStillWritesEveryMarker)
{
    EXPECT_EQ(CVes_EditRecordStore().toBytes(),
              QByteArray("##1##\r\n##2##\r\n##3##\r\n##4##\r\n##5##\r\n##6##\r\n##8##\r\n##7##\r\n"));
}

TEST(EditRecordStore, RecordingMovesToTheFrontAndDeleteRemoves)
{
    CVes_EditRecordStore store;
    recordAll(store, {QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}, 2);
    ASSERT_EQ(store.values(2), (QStringList{"a", "b", "c"}));

    store.record(QStringLiteral("c"), 2); // third moves to the front
    EXPECT_EQ(store.values(2), (QStringList{"c", "a", "b"}));
    store.record(QStringLiteral("new"), 2);
    EXPECT_EQ(store.values(2), (QStringList{"new", "c", "a", "b"}));
    store.record(QStringLiteral("new"), 2); // already in front: no repeat
    EXPECT_EQ(store.values(2).size(), 4);

    store.remove(QStringLiteral("a"), 2);
    store.remove(QStringLiteral("missing"), 2);
    store.remove(QString(), 2);
    store.remove(QStringLiteral("c"), 3); // another category's list
    EXPECT_EQ(store.values(2), (QStringList{"new", "c", "b"}));
    // Comparison is exact.
    store.remove(QStringLiteral("NEW"), 2);
    store.remove(QStringLiteral("new "), 2);
    EXPECT_EQ(store.values(2).size(), 3);
}

TEST(EditRecordStore, OnlyTheFirstSeventeenOfAListSurviveARestart)
{
    CVes_EditRecordStore store;
    recordAll(store, valuesOf("v", 1, 20), 3);
    ASSERT_EQ(store.values(3).size(), 20); // no limit in memory

    CVes_EditRecordStore restarted;
    restarted.fromBytes(store.toBytes());
    EXPECT_EQ(restarted.values(3), store.values(3).mid(0, 17));
    EXPECT_EQ(restarted.values(3).front(), QStringLiteral("v20"));
    EXPECT_EQ(restarted.values(3).back(), QStringLiteral("v4"));
}

TEST(EditRecordStore, ReadingSkipsWhatPrecedesTheFirstMarkerAndKeepsSectionEight)
{
    const QByteArray file = QByteArray("stray\r\nlines\r\n##8##\r\nkept\r\n\r\n##1##\n") // LF only
                            + test::hex("B8 D6 BD EE 0D 0A")                       // 钢筋
                            + QByteArray("##5##\r\n##1##\r\nagain\r\n##1##\r\n");
    CVes_EditRecordStore store;
    store.record(QStringLiteral("old"), 4);
    store.fromBytes(file);

    EXPECT_EQ(store.values(1), (QStringList{QStringLiteral("钢筋"), QStringLiteral("again")}));
    EXPECT_EQ(store.carried(), QStringList{QStringLiteral("kept")});
    EXPECT_TRUE(store.values(4).isEmpty()); // reading replaces the lists
    EXPECT_TRUE(store.values(7).isEmpty());

    // Section 8 goes back where it came from, untouched by any category.
    const QByteArray saved = store.toBytes();
    EXPECT_TRUE(saved.contains("##8##\r\nkept\r\n##7##\r\n"));
    CVes_EditRecordStore again;
    again.fromBytes(saved);
    EXPECT_EQ(again.carried(), QStringList{QStringLiteral("kept")});
}

TEST(EditRecordStore, RepeatedLinesOfAFileKeepTheirFirstPlace)
{
    CVes_EditRecordStore store;
    store.fromBytes("##2##\r\nx\r\ny\r\nx\r\n##7##\r\nx\r\n");
    EXPECT_EQ(store.values(2), (QStringList{"x", "y"}));
    EXPECT_EQ(store.values(7), QStringList{"x"});
}

// Values the file cannot give back as they were are not recorded: a line
// break would split them, a marker would switch the section on reading.
struct Value {
    const char16_t* text;
    bool stored;
};

class EditRecordValue : public ::testing::TestWithParam<Value> {};

TEST_P(EditRecordValue, IsRecordedOnlyWhenTheFileCanHoldIt)
{
    const QString value = QString::fromUtf16(GetParam().text);
    CVes_EditRecordStore store;
    store.record(value, 1);
    ASSERT_EQ(store.values(1).size(), GetParam().stored ? 1 : 0);
    if (GetParam().stored) {
        CVes_EditRecordStore reloaded;
        reloaded.fromBytes(store.toBytes());
        EXPECT_EQ(reloaded.values(1), QStringList{value});
    }
}

INSTANTIATE_TEST_SUITE_P(Values, EditRecordValue,
                         ::testing::Values(Value{u"", false}, Value{u"a\nb", false},
                                           Value{u"a\r\nb", false}, Value{u"a\rb", false},
                                           Value{u"##3##", false}, Value{u"##8##", false},
                                           Value{u"\U0001F600", false}, Value{u"##9##", true},
                                           Value{u"##3## ", true}, Value{u" ##3##", true},
                                           Value{u"#3#", true}, Value{u"C25", true},
                                           Value{u"%%C12@150", true},
                                           Value{u"\u2014\u6df7\u51dd\u571f", true}));

TEST(EditRecordStore, DamagedFileLoadsWithoutCrashAndSavesCleanly)
{
    QByteArray damaged = test::hex("23 23 31 23 23 0D 0A 00 FF FE 81 0D 0D 0A 80 0A");
    damaged += QByteArray(3000, '\xA1');
    damaged += "\r##2##\r\n\x81\r\n##7##";
    CVes_EditRecordStore store;
    store.fromBytes(damaged);
    const QByteArray saved = store.toBytes();
    CVes_EditRecordStore reloaded;
    reloaded.fromBytes(saved);
    EXPECT_EQ(reloaded.toBytes(), saved);
    for (int category = 1; category <= 7; ++category) {
        for (const QString& value : reloaded.values(category))
            EXPECT_TRUE(CVes_EditRecordStore::canStore(value)) << category;
    }
}

// Files and the exported functions

class EditRecordFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(CVes_EditRecordStore::defaultPath());
        editRecordStore().clear();
    }
    void TearDown() override { editRecordStore().clear(); }
    test::HostScope host;
};

TEST_F(EditRecordFile, DefaultFileLiesInUserData)
{
    EXPECT_EQ(CVes_EditRecordStore::defaultPath(),
              GetRODOFilePath() + QStringLiteral("userdata/user_EditRecord.dat"));
}

TEST_F(EditRecordFile, SaveAndLoadTheDefaultFile)
{
    table_setEditRecordArray(QStringLiteral("300"), 3);
    table_setEditRecordArray(QStringLiteral("封面值"), -1);
    ASSERT_TRUE(editRecordStore().save());

    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(CVes_EditRecordStore::defaultPath(), &bytes));
    EXPECT_EQ(bytes, editRecordStore().toBytes());

    editRecordStore().clear();
    ASSERT_TRUE(editRecordStore().load());
    QStringList out{QStringLiteral("before")};
    table_getEditRecordArray(out, 3);
    EXPECT_EQ(out, (QStringList{QStringLiteral("before"), QStringLiteral("300")}));
    out.clear();
    table_getEditRecordArray(out, 7);
    EXPECT_EQ(out, QStringList{QStringLiteral("封面值")});
    EXPECT_GE(host->waitCalls(), 1);
    EXPECT_EQ(host->waitDepth(), 0);
}

TEST_F(EditRecordFile, MissingFileIsMadeEmpty)
{
    table_setEditRecordArray(QStringLiteral("left over"), 1);
    ASSERT_TRUE(editRecordStore().load());
    EXPECT_TRUE(editRecordStore().values(1).isEmpty());
    EXPECT_TRUE(QFile::exists(CVes_EditRecordStore::defaultPath()));
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(EditRecordFile, FolderThatCannotBeMadeLeavesTheValuesAndTheFileAlone)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath(QStringLiteral("blocker/userdata/user_EditRecord.dat"));

    table_setEditRecordArray(QStringLiteral("kept"), 2);
    EXPECT_FALSE(editRecordStore().load(path));
    EXPECT_FALSE(editRecordStore().save(path));
    EXPECT_EQ(editRecordStore().values(2), QStringList{QStringLiteral("kept")});
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(EditRecordFile, ExportedFunctionsServeEachCategory)
{
    table_setEditRecordArray(QStringLiteral("a"), 1);
    table_setEditRecordArray(QStringLiteral("b"), 1);
    table_setEditRecordArray(QString(), 1);
    table_setEditRecordArray(QStringLiteral("s"), 7);
    table_setEditRecordArray(QStringLiteral("t"), 0);
    table_delEditRecordArray(QStringLiteral("a"), 1);
    table_delEditRecordArray(QString(), 1);

    QStringList one;
    table_getEditRecordArray(one, 1);
    EXPECT_EQ(one, QStringList{QStringLiteral("b")});
    QStringList shared;
    table_getEditRecordArray(shared, 8);
    EXPECT_EQ(shared, (QStringList{QStringLiteral("t"), QStringLiteral("s")}));
    QStringList empty;
    table_getEditRecordArray(empty, 5);
    EXPECT_TRUE(empty.isEmpty());
}

} // namespace
