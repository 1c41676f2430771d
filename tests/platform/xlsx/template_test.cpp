#include "platform/xlsx/workbook.h"

#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

using namespace platform::xlsx;

namespace {

struct BadTemplate {
    const char* what;
    const char* json;
};

class XlsxTemplateRefused : public ::testing::TestWithParam<BadTemplate> {};

TEST_P(XlsxTemplateRefused, AnswersFalseWithReasonAndKeepsTheOld)
{
    WorkbookTemplate layout;
    layout.font = QStringLiteral("kept");
    QString error;
    EXPECT_FALSE(WorkbookTemplate::parse(QByteArray(GetParam().json), &layout, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(layout.font, QStringLiteral("kept"));
    EXPECT_TRUE(layout.sheets.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxTemplateRefused,
    ::testing::Values(
        BadTemplate{"not json", "{\"sheets\": ["},
        BadTemplate{"not an object", "[1, 2]"},
        BadTemplate{"no sheets", "{\"sheets\": []}"},
        BadTemplate{"sheet not an object", "{\"sheets\": [3]}"},
        BadTemplate{"no name", "{\"sheets\": [{\"columns\": [{}]}]}"},
        BadTemplate{"bad name", "{\"sheets\": [{\"name\": \"a/b\", \"columns\": [{}]}]}"},
        BadTemplate{"long name",
                    "{\"sheets\": [{\"name\": \"abcdefghijklmnopqrstuvwxyz123456\", "
                    "\"columns\": [{}]}]}"},
        BadTemplate{"same name twice",
                    "{\"sheets\": [{\"name\": \"Sheet\", \"columns\": [{}]},"
                    " {\"name\": \"SHEET\", \"columns\": [{}]}]}"},
        BadTemplate{"no columns", "{\"sheets\": [{\"name\": \"s\", \"columns\": []}]}"},
        BadTemplate{"negative width",
                    "{\"sheets\": [{\"name\": \"s\", \"columns\": [{\"width\": -1}]}]}"},
        BadTemplate{"width as text",
                    "{\"sheets\": [{\"name\": \"s\", \"columns\": [{\"width\": \"8\"}]}]}"},
        BadTemplate{"bad align",
                    "{\"sheets\": [{\"name\": \"s\", \"columns\": [{\"align\": \"middle\"}]}]}"},
        BadTemplate{"caption not text",
                    "{\"sheets\": [{\"name\": \"s\", \"columns\": [{\"caption\": 5}]}]}"},
        BadTemplate{"font size zero",
                    "{\"fontSize\": 0, \"sheets\": [{\"name\": \"s\", \"columns\": [{}]}]}"}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(u' ', u'_');
        return name.toStdString();
    });

TEST(XlsxTemplate, ReadsSheetsColumnsAndLooks)
{
    WorkbookTemplate layout;
    ASSERT_TRUE(WorkbookTemplate::parse(R"({"font": "Arial", "fontSize": 9,
        "sheets": [{"name": "配料单", "landscape": true,
                    "columns": [{"width": 7.5, "caption": "钢筋\n编号"},
                                {"caption": "备注", "align": "left"}]}]})",
                                        &layout));
    EXPECT_EQ(layout.font, QStringLiteral("Arial"));
    EXPECT_EQ(layout.fontSize, 9);
    EXPECT_EQ(layout.titleFontSize, 16);
    ASSERT_EQ(layout.sheets.size(), 1u);
    const SheetTemplate& sheet = layout.sheets.front();
    EXPECT_EQ(sheet.name, QStringLiteral("配料单"));
    EXPECT_TRUE(sheet.landscape);
    ASSERT_EQ(sheet.columns.size(), 2u);
    EXPECT_EQ(sheet.columns[0].width, 7.5);
    EXPECT_EQ(sheet.columns[0].caption, QStringLiteral("钢筋\n编号"));
    EXPECT_EQ(sheet.columns[0].align, Align::Center);
    EXPECT_EQ(sheet.columns[1].align, Align::Left);
}

// The exports take these sheets by name and border up to these columns.
struct ShippedSheet {
    const char* workbook;
    const char* sheet;
    const char* lastColumn;
};

class XlsxShippedTemplate : public ::testing::TestWithParam<ShippedSheet> {};

TEST_P(XlsxShippedTemplate, HasTheSheetWithItsColumns)
{
    test::HostScope host;
    Workbook book;
    ASSERT_TRUE(book.openTemplate(QString::fromLatin1(GetParam().workbook)));
    Worksheet* sheet = book.sheet(QString::fromUtf8(GetParam().sheet));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(columnName(sheet->columnCount()), QString::fromLatin1(GetParam().lastColumn));
    for (int column = 1; column <= sheet->columnCount(); ++column)
        EXPECT_FALSE(sheet->text(5, column).isEmpty()) << column;
    EXPECT_TRUE(host->messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, XlsxShippedTemplate,
    ::testing::Values(ShippedSheet{"pld.xlt", "配料单", "K"},
                      ShippedSheet{"pld.xlt", "钢筋排序表", "H"},
                      ShippedSheet{"pld.xlt", "钢筋汇总表", "F"},
                      ShippedSheet{"pld.xlt", "钢筋接头汇总表", "F"},
                      ShippedSheet{"jgd.xlt", "加工明细单", "I"},
                      ShippedSheet{"jgd.xlt", "加工汇总单", "J"},
                      ShippedSheet{"ylb", "钢筋用量明细表", "J"},
                      ShippedSheet{"ylb", "钢筋用量汇总表", "F"},
                      ShippedSheet{"ylb", "钢筋接头汇总表", "F"},
                      ShippedSheet{"ylb", "钢筋排序表", "H"}));

TEST(XlsxTemplate, MissingTemplateShowsTheMessageInsteadOfEnding)
{
    test::HostScope host;
    Workbook book;
    EXPECT_FALSE(book.openTemplate(QStringLiteral("none.xlt")));
    EXPECT_EQ(book.sheetCount(), 0);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("创建Excel服务失败!")});

    EXPECT_FALSE(book.openTemplate(QStringLiteral("none"), QStringLiteral("我们未找到")));
    EXPECT_EQ(host->messageTexts().back(), QStringLiteral("我们未找到"));
}

} // namespace
