// The rules the project commands share: names a file or folder may have,
// whether a path lies under a folder, folders made beside files, free names.

#include "app/projects/projectpaths.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    bool accepted;
};

class ItemName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ItemName, IsAcceptedOnlyWhenItCanNameAFileInItsFolder)
{
    test::HostScope host;
    const QString name = QString::fromUtf8(GetParam().name);
    EXPECT_EQ(projects::nameProblem(name).isEmpty(), GetParam().accepted);
    EXPECT_EQ(projects::acceptName(name), GetParam().accepted);
    EXPECT_EQ(host->messages().size(), GetParam().accepted ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Projects, ItemName,
    ::testing::Values(NameCase{"../x", false}, NameCase{"a/b", false}, NameCase{"..", false},
                      NameCase{".", false}, NameCase{"", false}, NameCase{"   ", false},
                      NameCase{"a\\b", false}, NameCase{"C:", false}, NameCase{"a*b", false},
                      NameCase{"a?b", false}, NameCase{"\"a\"", false}, NameCase{"<a>", false},
                      NameCase{"a|b", false}, NameCase{"第1层\n", false}, NameCase{"基础层", true},
                      NameCase{"第-1层", true}, NameCase{"KZ-1 (角柱)", true}, NameCase{"a..b", true},
                      NameCase{"..a", true}, NameCase{"x.pld", true}));

struct UnderCase {
    const char* path;
    const char* folder;
    bool under;
};

class UnderFolder : public ::testing::TestWithParam<UnderCase> {};

TEST_P(UnderFolder, ComparesWholeFolderNames)
{
    EXPECT_EQ(projects::isUnderFolder(QString::fromUtf8(GetParam().path), QString::fromUtf8(GetParam().folder)),
              GetParam().under);
}

INSTANTIATE_TEST_SUITE_P(
    Projects, UnderFolder,
    ::testing::Values(UnderCase{"/p/a/x.pld", "/p/a", true}, UnderCase{"/p/a/x.pld", "/p/a/", true},
                      UnderCase{"/p/a", "/p/a", true}, UnderCase{"/p/ab/x.pld", "/p/a", false},
                      UnderCase{"/p/a/x.pld", "/p/ab", false}, UnderCase{"/p/A/x.pld", "/p/a", false},
                      UnderCase{"/p/a/../b/x.pld", "/p/a", false}, UnderCase{"/p/b/../a/x.pld", "/p/a", true},
                      UnderCase{"/p/a/x.pld", "", false}, UnderCase{"", "/p/a", false},
                      UnderCase{"/p/a/x.pld", "/", true}));

TEST(UnderFolder, FollowsLinksToTheRealFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("real/一层")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("real")), dir.filePath(QStringLiteral("link"))));
    EXPECT_TRUE(projects::isUnderFolder(dir.filePath(QStringLiteral("link/一层")),
                                        dir.filePath(QStringLiteral("real"))));
    EXPECT_TRUE(projects::isUnderFolder(dir.filePath(QStringLiteral("real/一层")),
                                        dir.filePath(QStringLiteral("link"))));
}

TEST(MakeFolder, LeavesAFileOfThatNameAloneAndSaysSo)
{
    test::HostScope host;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("一层"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    EXPECT_FALSE(projects::makeFolder(path));
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QFileInfo(path).size(), 4);
    ASSERT_EQ(host->messages().size(), 1u);

    EXPECT_TRUE(projects::makeFolder(dir.filePath(QStringLiteral("二层"))));
    EXPECT_TRUE(projects::makeFolder(dir.filePath(QStringLiteral("二层"))));
    EXPECT_FALSE(projects::makeFolder(dir.filePath(QStringLiteral("no/such"))));
    EXPECT_EQ(host->messages().size(), 2u);
}

TEST(FreeFileName, NumbersANameThatIsTaken)
{
    QTemporaryDir dir;
    const auto touch = [&](const QString& name) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QString stem = QStringLiteral("一层_钢筋用量汇总_2024年05月06日07时08分");
    EXPECT_EQ(projects::freeFileName(dir.path(), stem, QStringLiteral(".ylb")), stem + QStringLiteral(".ylb"));
    touch(stem + QStringLiteral(".ylb"));
    EXPECT_EQ(projects::freeFileName(dir.path(), stem, QStringLiteral(".ylb")), stem + QStringLiteral("(2).ylb"));
    touch(stem + QStringLiteral("(2).ylb"));
    EXPECT_EQ(projects::freeFileName(dir.path(), stem, QStringLiteral(".ylb")), stem + QStringLiteral("(3).ylb"));
}

} // namespace
