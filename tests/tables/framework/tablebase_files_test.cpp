#include "tables/framework/tablebase.h"

#include "tests/tables/framework/tablebase_support.h"

#include "core/geometry/text.h"
#include "platform/archive.h"
#include "platform/savefile.h"
#include "tables/framework/form.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using test::KeyLine;
using test::KeyTable;

QByteArray storeOf(CVes_TableBase& table)
{
    platform::Archive ar;
    table.Serialize(ar);
    return ar.data();
}

QByteArray templatePartOf(CVes_TableBase& table)
{
    platform::Archive ar;
    table.CVes_Template::Serialize(ar);
    return ar.data();
}

class TableFiles : public testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A sheet with two rows and two design variables, saved to "sheet.dat".
    void saveSample()
    {
        KeyTable table;
        table.setTitle(QStringLiteral("配料单"));
        table.appendLine(new KeyLine(7, 3, 2));
        table.appendLine(new KeyLine(8, 1));
        table.setExVarVal(QStringLiteral("保护层"), 25.0);
        table.setExVarVal(QStringLiteral("抗震等级"), 2.0);
        ASSERT_EQ(table.SaveFile(path("sheet.dat")), 1);
    }

    QTemporaryDir m_dir;
};

TEST_F(TableFiles, TablePartIsTheTemplatePartAlone)
{
    KeyTable table;
    CVes_TableBase base;
    const QByteArray bytes = storeOf(base);
    EXPECT_EQ(bytes, templatePartOf(base));
    EXPECT_TRUE(bytes.startsWith(test::hex("09 00 00 00 09 00 00 00 01 00 00 00")))
        << test::toHex(bytes.left(12)).toStdString();
    // Every title text carries the table's font "宋体" (GBK CB CE CC E5).
    EXPECT_EQ(bytes.count(test::hex("04 CB CE CC E5")), 8);
}

TEST_F(TableFiles, SheetStreamIsTablePartThenTheSheetsOwnData)
{
    KeyTable table;
    table.appendLine(new KeyLine(5, 9, 2));
    const QByteArray head = templatePartOf(table);
    const QByteArray bytes = storeOf(table);
    ASSERT_TRUE(bytes.startsWith(head));
    EXPECT_EQ(bytes.mid(head.size()), test::hex("01 00 00 00  01 00 00 00"
                                                "05 00 00 00 09 00 00 00 02 00 00 00 00 00 00 00"
                                                "00 00 00 00"));
}

TEST_F(TableFiles, StoringLeavesTheChangedFlagAndLoadingClearsIt)
{
    KeyTable table;
    table.setModified(1);
    const QByteArray bytes = storeOf(table);
    EXPECT_EQ(table.isModified(), 1);
    ASSERT_TRUE(table.saveTemplateFile(path("layout.jtm")));
    EXPECT_EQ(table.isModified(), 1);

    platform::Archive ar(bytes);
    table.Serialize(ar);
    EXPECT_EQ(table.isModified(), 0);
}

TEST_F(TableFiles, SaveAndOpenRoundTrip)
{
    saveSample();
    KeyTable table;
    table.addRows({1, 1, 1});
    table.firstPage();
    table.AddSelect(2, 1);
    table.setModified(1);
    ASSERT_EQ(table.OpenFile(path("sheet.dat")), 1);
    EXPECT_EQ(table.ids(), (QList<int>{7, 8}));
    EXPECT_EQ(table.row(0)->getRows(), 2);
    EXPECT_EQ(table.m_texts[0].m_formula, QStringLiteral("配料单"));
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 25.0);
    EXPECT_EQ(table.isModified(), 0);
    // The old page and selection went with the old rows.
    EXPECT_EQ(table.getCurPage(), -1);
    EXPECT_TRUE(table.pageLines().isEmpty());
    EXPECT_TRUE(table.getSelection().isEmpty());
    table.firstPage();
    EXPECT_EQ(table.pageIds(), (QList<int>{7, 8}));

    // Saved again, the bytes are the same.
    ASSERT_EQ(table.SaveFile(path("again.dat")), 1);
    QByteArray first, second;
    ASSERT_TRUE(platform::readFile(path("sheet.dat"), &first));
    ASSERT_TRUE(platform::readFile(path("again.dat"), &second));
    EXPECT_EQ(first, second);
}

TEST_F(TableFiles, OpenTakesTheCoverWithItsForm)
{
    KeyTable written;
    written.initTableCover();
    written.m_cover.m_variables.pop_back();
    written.m_cover.m_rows = 19;
    written.m_cover.m_variables[3]->m_text = QStringLiteral("封面");
    ASSERT_EQ(written.SaveFile(path("cover.dat")), 1);

    KeyTable table;
    ASSERT_EQ(table.OpenFile(path("cover.dat")), 1);
    ASSERT_EQ(table.m_cover.m_variables.size(), 19u);
    EXPECT_EQ(table.m_cover.m_rows, 19);
    EXPECT_EQ(table.m_cover.m_form->GetRowCount(), 19);
    EXPECT_EQ(table.m_cover.m_variables[3]->m_text, QStringLiteral("封面"));
}

TEST_F(TableFiles, ReloadReplacesDesignVariables)
{
    saveSample();
    KeyTable table;
    ASSERT_EQ(table.OpenFile(path("sheet.dat")), 1);
    table.setExVarVal(QStringLiteral("保护层"), 40.0);
    table.setExVarVal(QStringLiteral("施工扰动"), 1.0);
    ASSERT_EQ(table.OpenFile(path("sheet.dat")), 1);
    EXPECT_EQ(table.exVars().size(), 2u);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 25.0);
    EXPECT_EQ(table.getExVarVal(QStringLiteral("施工扰动")), -1.0);
    EXPECT_EQ(table.lines().size(), 2);
}

TEST_F(TableFiles, OpenAnswersZeroAndChangesNothingForMissingOrEmptyPath)
{
    KeyTable table;
    table.addRows({1});
    table.setModified(1);
    EXPECT_EQ(table.OpenFile(QString()), 0);
    EXPECT_EQ(table.OpenFile(path("missing.dat")), 0);
    EXPECT_EQ(table.OpenFile(m_dir.path()), 0);
    EXPECT_EQ(table.lines().size(), 1);
    EXPECT_EQ(table.isModified(), 1);
    EXPECT_EQ(table.SaveFile(QString()), 0);
}

TEST_F(TableFiles, DamagedFileLeavesTheTableAsItWas)
{
    saveSample();
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path("sheet.dat"), &bytes));
    ASSERT_TRUE(platform::saveFile(path("cut.dat"), bytes.left(bytes.size() - 6)));
    // A row count that the file cannot hold.
    QByteArray huge = templatePartOf(*std::make_unique<KeyTable>());
    huge += test::hex("01 00 00 00 FF FF FF 7F");
    ASSERT_TRUE(platform::saveFile(path("huge.dat"), huge));

    KeyTable table;
    table.addRows({1, 1});
    table.setExVarVal(QStringLiteral("保护层"), 30.0);
    table.setTitle(QStringLiteral("mine"));
    table.setModified(1);
    for (const char* name : {"cut.dat", "huge.dat"}) {
        EXPECT_EQ(table.OpenFile(path(name)), 0) << name;
        EXPECT_EQ(table.ids(), (QList<int>{1, 2})) << name;
        EXPECT_EQ(table.getExVarVal(QStringLiteral("保护层")), 30.0) << name;
        EXPECT_EQ(table.m_texts[0].m_formula, QStringLiteral("mine")) << name;
        EXPECT_EQ(table.isModified(), 1) << name;
    }
}

TEST_F(TableFiles, UnknownSchemaPassesToTheCallerAndChangesNothing)
{
    saveSample();
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path("sheet.dat"), &bytes));
    bytes[0] = 10; // template schema 10
    ASSERT_TRUE(platform::saveFile(path("newer.dat"), bytes));

    KeyTable table;
    table.addRows({1});
    try {
        table.OpenFile(path("newer.dat"));
        FAIL() << "no schema error";
    } catch (const platform::SchemaError& error) {
        EXPECT_EQ(error.code(), -100);
    }
    EXPECT_EQ(table.ids(), (QList<int>{1}));
}

TEST_F(TableFiles, FailedSaveKeepsTheChangedFlagAndThePreviousFile)
{
    saveSample();
    KeyTable table;
    table.setModified(1);
    EXPECT_EQ(table.SaveFile(path("no/such/folder/sheet.dat")), 0);
    EXPECT_EQ(table.isModified(), 1);

    // A text that the file's code page cannot hold fails the save.
    table.setTitle(QStringLiteral("\U0001F600"));
    EXPECT_EQ(table.SaveFile(path("sheet.dat")), 0);
    EXPECT_EQ(table.isModified(), 1);
    KeyTable back;
    ASSERT_EQ(back.OpenFile(path("sheet.dat")), 1);
    EXPECT_EQ(back.m_texts[0].m_formula, QStringLiteral("配料单"));
}

TEST_F(TableFiles, SaveShowsTheWaitCursorAndClearsTheChangedFlag)
{
    test::HostScope host;
    KeyTable table;
    table.setModified(1);
    ASSERT_EQ(table.SaveFile(path("sheet.dat")), 1);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_GE(host->waitCalls(), 1);
    EXPECT_EQ(host->waitDepth(), 0);
}

// A sheet that cannot make an empty table of its own kind is read in place
// and restored when the read fails.
class InPlaceTable : public KeyTable {
public:
    std::unique_ptr<CVes_TableBase> createEmpty() const override { return nullptr; }
};

TEST_F(TableFiles, SheetReadInPlaceIsRestoredAfterAFailedRead)
{
    saveSample();
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path("sheet.dat"), &bytes));
    ASSERT_TRUE(platform::saveFile(path("cut.dat"), bytes.left(bytes.size() - 6)));

    InPlaceTable table;
    table.addRows({1, 1});
    table.setModified(1);
    table.setExVarVal(QStringLiteral("保护层"), 30.0);
    EXPECT_EQ(table.OpenFile(path("cut.dat")), 0);
    EXPECT_EQ(table.isModified(), 1);
    EXPECT_EQ(table.ids(), (QList<int>{1, 2}));
    EXPECT_EQ(table.exVars().size(), 1u);
    EXPECT_EQ(table.m_texts[0].m_formula, QString());

    InPlaceTable fresh;
    fresh.setExVarVal(QStringLiteral("施工扰动"), 1.0);
    ASSERT_EQ(fresh.OpenFile(path("sheet.dat")), 1);
    ASSERT_EQ(fresh.OpenFile(path("sheet.dat")), 1);
    EXPECT_EQ(fresh.ids(), (QList<int>{7, 8}));
    EXPECT_EQ(fresh.exVars().size(), 2u);
}

} // namespace
