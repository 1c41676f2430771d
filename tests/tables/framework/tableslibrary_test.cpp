#include "tables/framework/tableslibrary.h"

#include "platform/savefile.h"
#include "tables/framework/editrecord.h"
#include "tests/support/recordinghost.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class TablesLibrary : public ::testing::Test {
protected:
    void SetUp() override { editRecordStore().clear(); }
    void TearDown() override
    {
        QFile::remove(CVes_EditRecordStore::defaultPath());
        editRecordStore().clear();
    }
    test::HostScope host;
};

TEST_F(TablesLibrary, StartLoadsTheRecentValuesAndEndWritesThemBack)
{
    ASSERT_TRUE(platform::saveFile(CVes_EditRecordStore::defaultPath(),
                                   QByteArray("##4##\r\n@200\r\n##8##\r\nold\r\n")));
    ASSERT_TRUE(tablesLibraryInit());
    QStringList values;
    table_getEditRecordArray(values, 4);
    EXPECT_EQ(values, QStringList{QStringLiteral("@200")});

    table_setEditRecordArray(QStringLiteral("@150"), 4);
    tablesLibraryShutdown();

    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(CVes_EditRecordStore::defaultPath(), &bytes));
    EXPECT_EQ(bytes, QByteArray("##1##\r\n##2##\r\n##3##\r\n##4##\r\n@150\r\n@200\r\n##5##\r\n"
                                "##6##\r\n##8##\r\nold\r\n##7##\r\n"));
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(TablesLibrary, EndWithoutAStartLeavesTheFileAlone)
{
    const QByteArray file("##1##\r\nkeep me\r\n##2##\r\n##3##\r\n##4##\r\n##5##\r\n##6##\r\n##8##\r\n##7##\r\n");
    ASSERT_TRUE(platform::saveFile(CVes_EditRecordStore::defaultPath(), file));
    tablesLibraryShutdown();
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(CVes_EditRecordStore::defaultPath(), &bytes));
    EXPECT_EQ(bytes, file);
}

TEST_F(TablesLibrary, DialogThemeAcceptsAnyWindow)
{
    enableDialogTheme(nullptr);
}

} // namespace
