#include "core/geometry/datafolder.h"
#include "core/geometry/intvariable.h"
#include "platform/archive.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(GetRODOFilePath, EndsWithSeparatorAndHoldsUserData)
{
    const QString path = GetRODOFilePath();
    EXPECT_TRUE(path.endsWith(u'/'));
    EXPECT_TRUE(QFileInfo(path + QStringLiteral("userdata")).isDir());
}

class CreateDirectory : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::HostScope host;
    QString at(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(CreateDirectory, MakesOneLevelAndIgnoresTrailingSeparator)
{
    EXPECT_EQ(Ves_CreateDirectory(at("备份") + u'\\'), 1);
    EXPECT_TRUE(QFileInfo(at("备份")).isDir());
    EXPECT_EQ(Ves_CreateDirectory(at("two") + u'/'), 1);
    EXPECT_TRUE(QFileInfo(at("two")).isDir());
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(CreateDirectory, ExistingFolderDoesNothingAndShowsNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("x")));
    EXPECT_EQ(Ves_CreateDirectory(at("x")), 1);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(CreateDirectory, FileOfThatNameIsReplacedByTheFolder)
{
    QFile f(at("x"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(Ves_CreateDirectory(at("x")), 1);
    EXPECT_TRUE(QFileInfo(at("x")).isDir());
}

TEST_F(CreateDirectory, MissingParentFailsWithMessageAndZero)
{
    const QString path = at("no/such");
    EXPECT_EQ(Ves_CreateDirectory(path), 0);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(host->messageTexts().front(), QStringLiteral("不能创建目录") + path);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(IntVariable, StreamLayoutAndRoundTrip)
{
    CVes_intVariable v;
    v.m_value = 5;
    v.m_name = QStringLiteral("常用");
    platform::Archive out;
    v.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), QStringLiteral("01 00 00 00 05 00 00 00 04 B3 A3 D3 C3"));

    platform::Archive in(out.data());
    CVes_intVariable back;
    back.Serialize(in);
    EXPECT_EQ(back.m_value, 5);
    EXPECT_EQ(back.m_name, QStringLiteral("常用"));
}

TEST(IntVariable, UnknownSchemaThrowsMinus100)
{
    platform::Archive in(test::hex("02 00 00 00 05 00 00 00 00"));
    CVes_intVariable v;
    try {
        v.Serialize(in);
        FAIL();
    } catch (const platform::SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }
}

} // namespace
