#include "tabledraw_support.h"

#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include "platform/xlsx/workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using test::ExportedBook;

class TableExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::canReadWorkbooks())
            GTEST_SKIP() << "unzip is not installed";
        ASSERT_TRUE(m_temp.isValid());
    }
    // Exports the sheet and answers the workbook shown to the user.
    QString exportSheet()
    {
        host->clear();
        sheet.exportExcel();
        const QStringList opened = host->opened();
        if (opened.size() != 1 || !QFileInfo::exists(opened.first())
            || !opened.first().startsWith(m_temp.path()))
            return {};
        return opened.first();
    }

    test::ExportFolder m_temp;
    test::HostScope host;
    test::DrawSheet sheet;
};

TEST_F(TableExport, TitleBlockRowsAndBordersOfAQuantitySummary)
{
    sheet.m_type = 31;
    sheet.m_excelRows = {QStringLiteral("一"), QStringLiteral("二")};
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    // The user is told where the workbook went, and nothing else.
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工作簿已保存到：\n") + QDir::toNativeSeparators(path)});

    // 钢筋用量汇总表 is the second sheet of its workbook.
    const ExportedBook book(path, 2);
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("<sheet name=\"钢筋用量汇总表\" sheetId=\"2\"")));
    EXPECT_EQ(book.text(QStringLiteral("A1")), QStringLiteral("钢筋配料单"));
    EXPECT_EQ(book.text(QStringLiteral("A2")), QStringLiteral("工程名称：综合楼"));
    EXPECT_EQ(book.text(QStringLiteral("A3")), QStringLiteral("施工部位：一层"));
    // Text 4 has neither name nor value and still writes its separator.
    EXPECT_EQ(book.text(QStringLiteral("A4")), QStringLiteral("："));
    EXPECT_EQ(book.text(QStringLiteral("A6")), QStringLiteral("一"));
    EXPECT_EQ(book.text(QStringLiteral("A7")), QStringLiteral("二"));

    // Two rows answer 3: the table is bordered from A5 to F8.
    for (const char* name : {"A5", "F5", "C6", "A8", "F8"})
        EXPECT_TRUE(book.bordered(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(book.bordered(QStringLiteral("A9")));
    EXPECT_FALSE(book.bordered(QStringLiteral("G6")));
    EXPECT_FALSE(book.bordered(QStringLiteral("A1")));
    EXPECT_TRUE(book.sheet().contains(QStringLiteral("<selection activeCell=\"A6\" sqref=\"A6\"/>")));
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("activeTab=\"1\"")));
}

TEST_F(TableExport, EmptyValuesLeaveA2AndStillWriteA3AndA4)
{
    sheet.m_type = 1;
    sheet.setText(0, QStringLiteral("表单标题"), QString());
    sheet.setText(2, QStringLiteral("工程名称"), QString());
    sheet.setText(3, QStringLiteral("施工部位"), QString());
    sheet.setText(4, QStringLiteral("构件"), QString());
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());
    const ExportedBook book(path, 1);
    EXPECT_EQ(book.text(QStringLiteral("A1")), QString());
    EXPECT_EQ(book.text(QStringLiteral("A2")), QString());
    EXPECT_EQ(book.text(QStringLiteral("A3")), QStringLiteral("施工部位："));
    EXPECT_EQ(book.text(QStringLiteral("A4")), QStringLiteral("构件："));
}

struct TypeCase {
    unsigned int type;
    int sheetIndex;
    const char* sheetName;
    const char* lastColumn;
    const char* pastLastColumn;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << "type " << c.type; }

class TableExportByType : public TableExport, public ::testing::WithParamInterface<TypeCase> {};

// A sheet that keeps the base fillExcel (answering 1) gets A5 to row 6.
TEST_P(TableExportByType, TemplateSheetAndLastColumnFollowTheTableType)
{
    const TypeCase& c = GetParam();
    sheet.m_type = c.type;
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    const ExportedBook book(path, c.sheetIndex);
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("<sheet name=\"%1\" sheetId=\"%2\"")
                                             .arg(QString::fromUtf8(c.sheetName))
                                             .arg(c.sheetIndex)));
    EXPECT_EQ(book.text(QStringLiteral("A1")), QStringLiteral("钢筋配料单"));
    const QString last = QString::fromLatin1(c.lastColumn);
    const QString past = QString::fromLatin1(c.pastLastColumn);
    EXPECT_TRUE(book.bordered(QStringLiteral("A6")));
    EXPECT_TRUE(book.bordered(last + u'5'));
    EXPECT_TRUE(book.bordered(last + u'6'));
    EXPECT_FALSE(book.bordered(last + u'7'));
    EXPECT_FALSE(book.bordered(past + u'6'));
}

INSTANTIATE_TEST_SUITE_P(Types, TableExportByType,
                         ::testing::Values(TypeCase{1, 1, "配料单", "K", "L"},
                                           TypeCase{2, 1, "加工明细单", "I", "J"},
                                           TypeCase{20, 2, "加工汇总单", "J", "K"},
                                           TypeCase{3, 1, "钢筋用量明细表", "J", "K"},
                                           TypeCase{31, 2, "钢筋用量汇总表", "F", "G"},
                                           TypeCase{32, 3, "钢筋接头汇总表", "F", "G"},
                                           TypeCase{6, 1, "钢筋进（提）货单", "G", "H"}),
                         [](const auto& info) { return std::to_string(info.param.type); });

TEST_F(TableExport, SheetTypeWithoutTemplateOrMissingTemplateShowsTheMessageAndReturns)
{
    // The optimised cutting list (type 0) has no workbook.
    sheet.m_type = 0;
    EXPECT_TRUE(exportSheet().isEmpty());
    EXPECT_EQ(host->messageTexts(), QStringList{platform::xlsx::createFailedText()});

    // The template file has gone from the data folder.
    sheet.m_type = 3;
    const QString file = platform::xlsx::templatePath(QStringLiteral("ylb.xlt"));
    ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    const QString moved = file + QStringLiteral(".away");
    ASSERT_TRUE(QFile::rename(file, moved));
    EXPECT_TRUE(exportSheet().isEmpty());
    EXPECT_EQ(host->messageTexts(), QStringList{platform::xlsx::createFailedText()});
    ASSERT_TRUE(QFile::rename(moved, file));
    EXPECT_FALSE(exportSheet().isEmpty());
}

} // namespace
