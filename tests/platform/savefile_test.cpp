#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SaveFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("lib.jlb")); }
    QByteArray contents() const
    {
        QByteArray data;
        EXPECT_TRUE(platform::readFile(path(), &data));
        return data;
    }
};

TEST_F(SaveFile, ReplacesTheFileWithoutStaleTail)
{
    ASSERT_TRUE(platform::saveFile(path(), QByteArray("a long first version")));
    ASSERT_TRUE(platform::saveFile(path(), QByteArray("short")));
    EXPECT_EQ(contents(), QByteArray("short"));
}

TEST_F(SaveFile, WriterThatFailsHalfwayLeavesOldFileWhole)
{
    const QByteArray old("old library bytes");
    ASSERT_TRUE(platform::saveFile(path(), old));

    QString error;
    const bool saved = platform::saveFile(
        path(),
        [](QIODevice& out) {
            out.write("half of the new");
            return false;
        },
        &error);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(), old);

    EXPECT_THROW(platform::saveFile(path(),
                                    [](QIODevice& out) -> bool {
                                        out.write("partial");
                                        throw std::runtime_error("disk gone");
                                    }),
                 std::runtime_error);
    EXPECT_EQ(contents(), old);
    // No temporary files are left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(SaveFile, UnwritableTargetFailsWithReason)
{
    QString error;
    EXPECT_FALSE(platform::saveFile(dir.filePath(QStringLiteral("missing/sub/x.bin")),
                                    QByteArray("x"), &error));
    EXPECT_FALSE(error.isEmpty());
    // A folder in the way of the target.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    EXPECT_FALSE(platform::saveFile(dir.filePath(QStringLiteral("taken")), QByteArray("x")));
}

// A staged save is written whole and then committed, dropped before its
// commit, or refused where nothing can be written.
TEST_F(SaveFile, AStagedSaveReplacesTheFileOnlyWhenCommitted)
{
    const QByteArray old("old workbook");
    ASSERT_TRUE(platform::saveFile(path(), old));
    const auto entries = [this] {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    {
        platform::StagedFile dropped;
        ASSERT_TRUE(dropped.write(path(), QByteArray("new workbook")));
        EXPECT_EQ(contents(), old);
    }
    EXPECT_EQ(contents(), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("lib.jlb")});

    platform::StagedFile staged;
    ASSERT_TRUE(staged.write(path(), QByteArray("new")));
    QString error;
    ASSERT_TRUE(staged.commit(&error)) << error.toStdString();
    EXPECT_EQ(contents(), QByteArray("new"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("lib.jlb")});
    // Committed once; a second commit has nothing to put in place.
    EXPECT_FALSE(staged.commit(&error));
    EXPECT_EQ(contents(), QByteArray("new"));

    platform::StagedFile nowhere;
    EXPECT_FALSE(nowhere.write(dir.filePath(QStringLiteral("missing/x.xlsx")), QByteArray("x"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(nowhere.commit());
}

TEST_F(SaveFile, ReadOfMissingFileFails)
{
    QByteArray data("unchanged");
    QString error;
    EXPECT_FALSE(platform::readFile(path(), &data, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(LoadReplacing, KeepsTheOldObjectWhenLoadFails)
{
    std::vector<int> target{1, 2, 3};
    EXPECT_FALSE(platform::loadReplacing(target, [](std::vector<int>& fresh) {
        fresh.push_back(9);
        return false;
    }));
    EXPECT_EQ(target, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(platform::loadReplacing(target, [](std::vector<int>& fresh) {
        fresh.push_back(9);
        return true;
    }));
    EXPECT_EQ(target, (std::vector<int>{9}));
}

} // namespace
