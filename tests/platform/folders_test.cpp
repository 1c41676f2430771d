#include "platform/folders.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(Folders, AFileOfNoDocumentIsProposedInTheDocumentsFolder)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(platform::proposedOutputPath(QString(), QStringLiteral("钢筋配料单"), QStringLiteral(".pdf")),
              QDir(documents).filePath(QStringLiteral("钢筋配料单.pdf")));
    EXPECT_EQ(platform::proposedOutputPath(QString(), QString(), QStringLiteral(".pdf")),
              QDir(documents).filePath(QStringLiteral("Rodo.pdf")));
}

} // namespace
