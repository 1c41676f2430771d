// The quantity sheet's bar numbers, the completeness of a bar row, the data
// check with its exact findings and the report it writes.

#include "tables/quantity/sltable.h"

#include "core/geometry/datafolder.h"
#include "platform/gbk.h"
#include "sltable_support.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <string>

namespace {

const CSteelRecordId kCheckedShape{150, 23};

// A sheet on pages of ten rows whose bars use one straight shape of length A.
class SLCheck : public testing::Test {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kCheckedShape).var("A", 3000).straight({1300, 150}, "0", "A").build());
        t.clearnAllLine();
        t.m_rowNum = 10;
    }
    CVes_Steel& add(const char* number, float d = 12.0f, double a = 3000.0)
    {
        auto* line = test::slBar(number, 3, d, 2, 0.0f);
        CVes_Steel& bar = line->m_steel;
        bar.setRecordId(kCheckedShape);
        bar.calcLength = 1;
        bar.setVarValue(QStringLiteral("A"), a);
        t.appendLine(line);
        return bar;
    }
    void element(const char* name) { t.appendLine(test::slElement(name, 1)); }
    // The bar numbers in table order, blank-separated.
    std::string numbers()
    {
        std::string text;
        for (CVes_TableBaseLine* row : t.lines()) {
            if (CVes_BarCore* bar = row->isNull() ? nullptr : row->getSteel())
                text += (text.empty() ? "" : " ") + bar->number.toStdString();
        }
        return text;
    }

    test::CacheScope scope;
    CVes_SLTable t;
};

struct NumberCase {
    int wholeSheet;
    int share;
    const char* numbers;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << "(" << c.wholeSheet << "," << c.share << ")";
}

class Numbering : public SLCheck, public testing::WithParamInterface<NumberCase> {};

// Two elements: the first holds bars X and Y, the second X twice.
TEST_P(Numbering, FourWaysOfNumbering)
{
    element("KL1");
    add("9");
    add("9", 14.0f);
    element("KL2");
    add("9");
    add("9");
    t.appendLine(test::slEmpty());
    t.setPageTo(1, 1);
    t.resetUndo();
    t.numSteel(GetParam().wholeSheet, GetParam().share);
    EXPECT_EQ(numbers(), GetParam().numbers);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, Numbering,
                         testing::Values(NumberCase{1, 0, "1 2 3 4"}, NumberCase{1, 1, "1 2 1 1"},
                                         NumberCase{0, 0, "1 2 1 2"}, NumberCase{0, 1, "1 2 1 1"}),
                         [](const auto& info) {
                             return std::string(info.param.wholeSheet ? "Whole" : "PerElement")
                                 + (info.param.share ? "Shared" : "OneByOne");
                         });

TEST_F(SLCheck, NumbersAreClearedOnEveryBar)
{
    add("1");
    add("2");
    t.appendLine(test::slElement("KL1", 1));
    t.clearNum();
    EXPECT_TRUE(t.lineAt(0)->m_steel.number.isEmpty());
    EXPECT_TRUE(t.lineAt(1)->m_steel.number.isEmpty());
    EXPECT_EQ(t.isModified(), 1);
}

struct AvailableCase {
    const char* name;
    const char* number;
    float d;
    int grade;
    int count;
    double a;
    bool available;
    int code;
};

class Available : public SLCheck, public testing::WithParamInterface<AvailableCase> {};

TEST_P(Available, FirstFailedTestGivesTheCode)
{
    const AvailableCase& c = GetParam();
    CVes_Steel& bar = add(c.number, c.d, c.a);
    bar.grade = c.grade;
    bar.count = c.count;
    int code = 99;
    EXPECT_EQ(t.lineAt(0)->isAvailable(code), c.available);
    EXPECT_EQ(code, c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, Available,
    testing::Values(AvailableCase{"Complete", "1", 12.0f, 3, 2, 3000.0, true, 2},
                    AvailableCase{"NumberZero", " 0 ", 12.0f, 3, 2, 3000.0, false, 0},
                    AvailableCase{"NumberBlank", "", 12.0f, 3, 2, 3000.0, false, 0},
                    AvailableCase{"Thin", "1", 2.9f, 3, 2, 3000.0, false, 1},
                    AvailableCase{"NoGrade", "1", 12.0f, 0, 2, 3000.0, false, 1},
                    AvailableCase{"NoLength", "1", 12.0f, 3, 2, 0.0, false, 3},
                    AvailableCase{"NoCount", "1", 12.0f, 3, 0, 3000.0, false, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SLCheck, AZeroDimensionFailsTheShape)
{
    auto* line = test::slBar("1", 3, 12.0f, 2, 1000.0f);
    line->m_steel.setRecordId(kCheckedShape);
    line->m_steel.calcLength = 0;
    line->m_steel.setVarValue(QStringLiteral("A"), 0.0);
    std::unique_ptr<CVes_SLTableLine> owner(line);
    int code = 99;
    EXPECT_FALSE(line->isAvailable(code));
    EXPECT_EQ(code, 2);
}

// Findings of the check fixture: a bar numbered 0, one number on two
// different bars, and two equal bars of different numbers and lengths.
TEST_F(SLCheck, FindingsOfTheFixture)
{
    element("KL1");
    add("0");
    add("1");
    add("1", 14.0f);
    CVes_Steel& typed = add("2");
    typed.calcLength = 0;
    typed.length = 2999.95f;
    // Not processed: never checked nor compared with.
    add("1", 16.0f).setProcess(0);
    t.appendLine(test::slEmpty());
    QString report = QStringLiteral("start");
    EXPECT_EQ(t.CheckData(report), 0);
    EXPECT_EQ(report,
              QStringLiteral(
                  "start<UL><LI>第1页 第2行  第 0 号钢筋信息不完整——【钢筋编号】错误！"
                  "\n\n <LI>两根<b>1号钢筋</b>中<I>（第1页/第4行 与 第1页/第3行）</I>， "
                  "编号相同，但<b>钢筋</b>不同！"
                  "\n\n <LI>第1页/第5行 <b>第2号钢筋</b>与第1页 第2行 <b>第0号钢筋</b>， "
                  "钢筋规格与形状相同，但<b>长度不同</b>！"
                  "\n\n <LI>第1页/第5行 <b>第2号钢筋</b>与第1页 第3行 <b>第1号钢筋</b>， "
                  "钢筋规格与形状相同，但<b>长度不同</b>！</UL>"));
}

// The same shape and dimensions with a length typed 200 mm longer: found,
// as in the bar list and the processing sheet.
TEST_F(SLCheck, SameShapeWithAnotherTypedLengthIsFound)
{
    element("KL1");
    add("1");
    CVes_Steel& typed = add("2");
    typed.calcLength = 0;
    typed.length = 3200.0f;
    QString report;
    EXPECT_EQ(t.CheckData(report), 0);
    EXPECT_EQ(report, QStringLiteral("<UL>\n\n <LI>第1页/第3行 <b>第2号钢筋</b>与第1页 第2行 "
                                     "<b>第1号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！</UL>"));
}

TEST_F(SLCheck, EmptySheetPasses)
{
    QString report;
    EXPECT_EQ(t.CheckData(report), 1);
    EXPECT_EQ(report, "<UL></UL>");
}

TEST_F(SLCheck, CleanSheetShowsTheMessageAndWritesNoReport)
{
    test::HostScope host;
    add("1");
    const QString path = GetRODOFilePath() + CVes_SLTable::checkReportName();
    QFile::remove(path);
    EXPECT_TRUE(t.checkTable().isEmpty());
    EXPECT_EQ(host->messageTexts(), QStringList{"表单检查通过！"});
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(host->opened().isEmpty());
}

TEST_F(SLCheck, ReportIsWrittenAndOpened)
{
    test::HostScope host;
    host->setNow(QDateTime(QDate(2014, 11, 2), QTime(16, 45)));
    add("1");
    add("1", 14.0f);
    const QString path = t.checkTable();
    EXPECT_EQ(path, GetRODOFilePath() + "钢筋用量表检查报告.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = platform::gbk::decode(file.readAll());
    EXPECT_TRUE(page.startsWith("<html><HEAD>\r\n<TITLE>加工单数据检查</TITLE>"));
    EXPECT_TRUE(page.contains("检查时间：2014-11-2 16:45"));
    EXPECT_TRUE(page.contains("<b>1号钢筋</b>中<I>（第1页/第2行 与 第1页/第1行）</I>"));
    EXPECT_EQ(host->opened(), QStringList{path});
    file.close();
    QFile::remove(path);
}

} // namespace
