// The quantity sheet's workbook, read back from the file the export opens:
// the title block, the rows from row 6 with the page's values, an empty row
// for an empty row, pictures of the shaped bars only, the borders one row
// below the table, the unit headings, and a missing template as a message.

#include "tables/quantity/sltable.h"

#include "envora/rules.h"
#include "platform/folders.h"
#include "platform/xlsx/workbook.h"
#include "sltable_support.h"
#include "tables/framework/tablehelpers.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using test::ExportedBook;

const CSteelRecordId kExportedShape{150, 26};

class SLExport : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            GTEST_SKIP() << "unzip is not installed";
        // Workbooks are named after the title and the second: a folder of the
        // test's own keeps other processes' workbooks apart.
        ASSERT_TRUE(m_temp.isValid());
        m_oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
        scope.add(test::ShapeBuilder(kExportedShape).var("A", 1000).straight({1300, 150}, "0", "A").build());
        t.clearnAllLine();
        t.m_texts[2].m_formula = QStringLiteral("综合楼");
        t.m_texts[3].m_formula = QStringLiteral("一层");
        t.m_texts[4].m_formula.clear();
    }
    void TearDown() override
    {
        if (m_oldTemp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_oldTemp);
    }
    // Forty rows: an element type, an element of 3 and 38 bars, the bar of
    // row 10 empty, the bars of rows 3 and 4 with a shape.
    void fillForty()
    {
        t.appendLine(test::slEleType("ZHU"));
        t.appendLine(test::slElement("KZ1|KZ2", 3));
        for (int i = 3; i <= 40; ++i) {
            auto* bar = test::slBar(QByteArray::number(i).constData(), 3, 12.0f, 4, 2500.0f,
                                    "east");
            if (i == 10)
                bar->setNull(1);
            if (i == 3 || i == 4) {
                bar->m_steel.setRecordId(kExportedShape);
                bar->m_steel.calcLength = 1;
                bar->m_steel.setVarValue(QStringLiteral("A"), 2500.0);
            }
            bar->m_steel.remark = QStringLiteral("a\r\nb|c");
            t.appendLine(bar);
        }
    }
    QString exportSheet()
    {
        host->clear();
        t.exportExcel();
        const QStringList opened = host->opened();
        if (opened.size() != 1 || !QFileInfo::exists(opened.first()))
            return {};
        return opened.first();
    }

    QTemporaryDir m_temp;
    QByteArray m_oldTemp;
    test::HostScope host;
    test::CacheScope scope;
    CVes_SLTable t;
};

TEST_F(SLExport, FortyRowsFromRowSixWithBordersOneRowBelow)
{
    fillForty();
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty()) << host->messageTexts().join(u'|').toStdString();
    const ExportedBook book(path, 1);
    EXPECT_TRUE(book.workbook().contains(QStringLiteral("<sheet name=\"钢筋用量明细表\" sheetId=\"1\"")));

    EXPECT_EQ(book.text("A1"), "钢筋用量明细表");
    EXPECT_EQ(book.text("A2"), "工程名称：综合楼");
    EXPECT_EQ(book.text("A3"), "统计范围：一层");
    EXPECT_EQ(book.text("A4"), "统计说明：");

    EXPECT_EQ(book.text("A6"), "构件类型：ZHU");
    EXPECT_EQ(book.text("A7"), "构件编号：KZ1\nKZ2");
    EXPECT_EQ(book.text("E7"), "件数：3件");
    EXPECT_EQ(book.text("A8"), "east");
    EXPECT_EQ(book.text("B8"), "3");
    EXPECT_EQ(book.text("C8"), Steel_GradeDNToExcelString(3, 12.0f, 0));
    EXPECT_EQ(book.shown("E8"), "2500");
    EXPECT_EQ(book.shown("F8"), "4");
    EXPECT_EQ(book.shown("G8"), "12");
    EXPECT_EQ(book.shown("H8"), "30.00");
    EXPECT_EQ(book.shown("I8"), "26.640");  // 30 m × 0.888 kg/m
    EXPECT_EQ(book.text("J8"), "a\nb\nc");
    EXPECT_EQ(book.text("B45"), "40");
    // The empty row leaves its line empty.
    EXPECT_EQ(book.text("A15"), "");
    EXPECT_EQ(book.text("B15"), "");
    EXPECT_EQ(book.text("B16"), "11");
    EXPECT_EQ(book.text("A46"), "");

    for (const char* name : {"A5", "J5", "A6", "J46", "A46", "E30"})
        EXPECT_TRUE(book.bordered(QString::fromLatin1(name))) << name;
    for (const char* name : {"K5", "A47", "J47", "A4"})
        EXPECT_FALSE(book.bordered(QString::fromLatin1(name))) << name;
    // Default units keep the template's headings.
    EXPECT_EQ(book.text("D5"), "钢筋形状\n(mm)");
    EXPECT_EQ(book.text("H5"), "总长度\n(m)");

    // Pictures of the two shaped bars, in column D of their rows.
    const QString drawing = test::member(path, QStringLiteral("xl/drawings/drawing1.xml"));
    const QRegularExpression from(QStringLiteral("<xdr:from><xdr:col>(\\d+)</xdr:col>"
                                                 "<xdr:colOff>\\d+</xdr:colOff><xdr:row>(\\d+)</xdr:row>"));
    QStringList anchors;
    for (auto it = from.globalMatch(drawing); it.hasNext();) {
        const auto m = it.next();
        anchors << QStringLiteral("%1:%2").arg(m.captured(1), m.captured(2));
    }
    EXPECT_EQ(anchors, (QStringList{"3:7", "3:8"}));

    // The summaries are built for the workbook, their tables bordered to F.
    for (int index : {2, 3}) {
        const ExportedBook summary(path, index);
        EXPECT_TRUE(summary.bordered("F5")) << index;
        EXPECT_FALSE(summary.bordered("G5")) << index;
    }
    EXPECT_FALSE(ExportedBook(path, 2).text("A6").isEmpty());
    // The sorted sheet is built for the workbook, its table bordered to H.
    const ExportedBook sorted(path, 4);
    EXPECT_TRUE(sorted.workbook().contains(QStringLiteral("<sheet name=\"钢筋排序表\" sheetId=\"4\"")));
    EXPECT_EQ(sorted.text("A2"), "工程名称：综合楼");
    EXPECT_FALSE(sorted.text("B6").isEmpty());
    EXPECT_TRUE(sorted.bordered("H5"));
    EXPECT_TRUE(sorted.bordered("A6"));
    EXPECT_FALSE(sorted.bordered("I5"));
}

struct HeadingCase {
    const char* name;
    int shape, cut, total, weight;
    const char* d5;
    const char* e5;
    const char* h5;
    const char* i5;
    const char* weighed;  // 30 m × 0.888 kg/m in the weight column's unit
};

void PrintTo(const HeadingCase& c, std::ostream* os) { *os << c.name; }

class Headings : public SLExport, public testing::WithParamInterface<HeadingCase> {};

TEST_P(Headings, UnitsOtherThanTheWorkbooksGetTheirSuffix)
{
    const HeadingCase& c = GetParam();
    t.m_units[CVes_SLTable::kColShape] = c.shape;
    t.m_units[CVes_SLTable::kColCutLength] = c.cut;
    t.m_units[CVes_SLTable::kColTotalLength] = c.total;
    t.m_units[CVes_SLTable::kColTotalWeight] = c.weight;
    t.appendLine(test::slElement("KL1", 3));
    auto* bar = test::slBar("1", 3, 12.0f, 4, 0.0f);
    bar->m_steel.length = c.shape == CVes_Template::kCentimetre ? 250.0f : 2500.0f;
    t.appendLine(bar);
    const QString path = exportSheet();
    ASSERT_FALSE(path.isEmpty());
    const ExportedBook book(path, 1);
    EXPECT_EQ(book.text("D5"), QString::fromUtf8(c.d5));
    EXPECT_EQ(book.text("E5"), QString::fromUtf8(c.e5));
    EXPECT_EQ(book.text("H5"), QString::fromUtf8(c.h5));
    EXPECT_EQ(book.text("I5"), QString::fromUtf8(c.i5));
    // 12 bars of 2.5 m.
    EXPECT_EQ(book.shown("I7"), QString::fromUtf8(c.weighed));
}

INSTANTIATE_TEST_SUITE_P(
    Units, Headings,
    testing::Values(HeadingCase{"Defaults", 0, 0, 2, 4, "钢筋形状\n(mm)", "断料长度\n(mm)",
                                "总长度\n(m)", "总重量\n(kg)", "26.640"},
                    HeadingCase{"CutInMetres", 0, 2, 2, 4, "钢筋形状\n(mm)", "断料\n长度\n(m)",
                                "总长度\n(m)", "总重量\n(kg)", "26.640"},
                    HeadingCase{"WeightInTonnes", 0, 0, 2, 5, "钢筋形状\n(mm)", "断料长度\n(mm)",
                                "总长度\n(m)", "总重量\n(t)", "0.027"},
                    HeadingCase{"LengthsOther", 1, 1, 0, 3, "钢筋形状\n(cm)", "断料\n长度\n(cm)",
                                "总长度\n(mm)", "总重量\n(g)", "26640.000"},
                    HeadingCase{"UnitlessHeadingsEmpty", 0, 4, 4, 1, "钢筋形状\n(mm)", "", "",
                                "", "26.640"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SLExport, AMissingTemplateIsAMessageAndNoWorkbook)
{
    const QString path = platform::dataFolder() + QStringLiteral("templates/ylb.json");
    const QString moved = path + QStringLiteral(".away");
    const bool had = QFile::exists(path);
    if (had) {
        ASSERT_TRUE(QFile::rename(path, moved));
    }
    fillForty();
    host->clear();
    t.exportExcel();
    if (had)
        QFile::rename(moved, path);
    EXPECT_TRUE(host->opened().isEmpty());
    EXPECT_EQ(host->messageTexts().size(), 1);
}

} // namespace
