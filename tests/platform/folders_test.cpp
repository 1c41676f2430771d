#include "platform/folders.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Points the data folder and the shipped data at temporary folders for one
// test and puts the test main's values back afterwards.
class DataFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldHome = qgetenv("RODO_HOME");
        m_oldData = qgetenv("RODO_DATA_DIR");
        qputenv("RODO_HOME", home.path().toUtf8());
        qputenv("RODO_DATA_DIR", shipped.path().toUtf8());
        platform::resetFolderCache();
    }
    void TearDown() override
    {
        qputenv("RODO_HOME", m_oldHome);
        qputenv("RODO_DATA_DIR", m_oldData);
        platform::resetFolderCache();
    }

    QTemporaryDir home;
    QTemporaryDir shipped;

private:
    QByteArray m_oldHome, m_oldData;
};

TEST_F(DataFolder, FirstUseSeedsDefaultsAndCreatesUserData)
{
    writeFile(shipped.filePath(QStringLiteral("STeelStyleSys.jlb")), "lib");
    writeFile(shipped.filePath(QStringLiteral("templates/a.jtm")), "tpl");

    const QString folder = platform::dataFolder();
    EXPECT_EQ(folder, home.path() + u'/');
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("userdata")).isDir());
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("STeelStyleSys.jlb")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("templates/a.jtm")));
    EXPECT_EQ(platform::userDataFolder(), folder + QStringLiteral("userdata/"));
}

TEST_F(DataFolder, SeedingNeverOverwritesTheUsersFiles)
{
    writeFile(shipped.filePath(QStringLiteral("KUCUN.xml")), "default");
    writeFile(home.filePath(QStringLiteral("KUCUN.xml")), "mine");
    platform::dataFolder();
    QFile f(home.filePath(QStringLiteral("KUCUN.xml")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("mine"));
    EXPECT_EQ(platform::seedMissingFiles(shipped.path(), home.path()), 0);
}

TEST_F(DataFolder, ProfileLivesInTheDataFolder)
{
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveTime"), 7);
    EXPECT_EQ(platform::profileValue(QStringLiteral("settings"), QStringLiteral("autoSaveTime"), 5)
                  .toInt(),
              7);
    EXPECT_EQ(platform::profileValue(QStringLiteral("settings"), QStringLiteral("autoSave"), 1)
                  .toInt(),
              1);
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("Rodo.ini"))));
}

TEST(Folders, AllEndWithSlash)
{
    EXPECT_TRUE(platform::dataFolder().endsWith(u'/'));
    EXPECT_TRUE(platform::tempFolder().endsWith(u'/'));
    EXPECT_TRUE(platform::installedDataFolder().endsWith(u'/'));
}

// Where a file made from a document is proposed and a document's file
// dialogs start: a folder that exists, the document's, else the project's,
// else the home folder.
struct WorkingFolderCase {
    const char* name;
    const char* document; // under the test's folder; empty: no document
    const char* project;  // likewise; empty: no project
    const char* expected; // under the test's folder; empty: the home folder
};

void PrintTo(const WorkingFolderCase& c, std::ostream* os) { *os << c.name; }

class WorkingFolder : public ::testing::TestWithParam<WorkingFolderCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("工程/第1层")));
    }
    void TearDown() override { platform::setProjectFolderSource({}); }
    QString under(const char* path) const
    {
        return *path ? dir.filePath(QString::fromUtf8(path)) : QString();
    }
    QTemporaryDir dir;
};

TEST_P(WorkingFolder, IsOneThatExists)
{
    const WorkingFolderCase& c = GetParam();
    const QString project = under(c.project);
    platform::setProjectFolderSource([project] { return project; });
    const QString expected = *c.expected ? under(c.expected) : QDir::homePath();
    EXPECT_EQ(platform::workingFolder(under(c.document)), expected);
    EXPECT_EQ(platform::proposedOutputPath(under(c.document), QStringLiteral("钢筋配料单"),
                                           QStringLiteral(".pdf"))
                  .section(u'/', 0, -2),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, WorkingFolder,
    ::testing::Values(
        WorkingFolderCase{"BesideTheDocument", "工程/第1层/柱.pld", "工程", "工程/第1层"},
        WorkingFolderCase{"TheProjectForANewDocument", "", "工程", "工程"},
        WorkingFolderCase{"TheProjectWhenTheDocumentsFolderIsGone", "不在了/柱.pld", "工程", "工程"},
        WorkingFolderCase{"HomeWithoutAProject", "", "", ""},
        WorkingFolderCase{"HomeWhenTheProjectIsGone", "", "删掉的工程", ""}),
    [](const ::testing::TestParamInfo<WorkingFolderCase>& info) { return std::string(info.param.name); });

TEST(Folders, AFileOfNoDocumentIsNamedAfterTheSheet)
{
    const QString home = QDir::homePath();
    EXPECT_EQ(platform::proposedOutputPath(QString(), QStringLiteral("钢筋配料单"), QStringLiteral(".pdf")),
              QDir(home).filePath(QStringLiteral("钢筋配料单.pdf")));
    EXPECT_EQ(platform::proposedOutputPath(QString(), QString(), QStringLiteral(".pdf")),
              QDir(home).filePath(QStringLiteral("Rodo.pdf")));
}

} // namespace
