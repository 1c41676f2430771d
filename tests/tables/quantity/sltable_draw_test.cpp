// The quantity sheet's page: the cells each row kind fills, the lengths,
// counts and weights of bars with and without varying groups, the element
// count carried onto a page, remark heights, the page summary and the
// highlights, as laid into the form and recorded when drawn.

#include "tables/quantity/sltable.h"

#include "envora/rules.h"
#include "platform/recordingdc.h"
#include "sltable_support.h"
#include "tables/framework/form.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const CSteelRecordId kDrawnShape{150, 25};

platform::RecordingDc printer()
{
    platform::RecordingDc::Device device;
    device.printing = true;
    device.dpiX = 600;
    device.dpiY = 600;
    return platform::RecordingDc(device);
}

class SLDraw : public testing::Test {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kDrawnShape).var("A", 1000).straight({1300, 150}, "0", "A").build());
        t.clearnAllLine();
        t.m_rowNum = 10;
    }
    // A bar of the straight shape with varying groups from `first` to `last`.
    CVes_SLTableLine* varying(double first, double last, int groups, int count)
    {
        auto* line = test::slBar("V1", 3, 12.0f, count, 0.0f);
        CVes_Steel& bar = line->m_steel;
        bar.setRecordId(kDrawnShape);
        bar.calcLength = 1;
        bar.setMultiVal(1);
        bar.setMultiGroup(groups);
        bar.setVarValue(QStringLiteral("A"), first);
        bar.setVarValueE(QStringLiteral("A"), last);
        return line;
    }
    void print(int page = 1)
    {
        platform::RecordingDc dc = printer();
        t.setPageTo(page, 1);
        t.Draw(&dc, platform::Rect(0, 0, 3000, 2100));
        drawn = dc.texts();
    }
    CVes_Cell& cell(int row, int column) { return *t.getForm()->GetCell(row, column); }
    QString text(int row, int column) { return cell(row, column).text(); }

    test::CacheScope scope;
    CVes_SLTable t;
    QStringList drawn;
};

TEST_F(SLDraw, ElementAndBarRowsAtPrintSize)
{
    t.setScale(2.0);  // the screen's zoom does not reach the paper
    t.appendLine(test::slElement("KL1|KL2", 3));
    t.appendLine(test::slBar("A1", 3, 12.0f, 4, 2500.0f, "east"));
    print();

    EXPECT_EQ(text(1, 0), "构件编号：");
    EXPECT_EQ(text(1, 1), "KL1\nKL2");
    EXPECT_EQ(cell(1, 1).textAlign(), CVes_Cell::kAlignLeft);
    EXPECT_EQ(cell(1, 1).mergeEndColumn(), 3);
    EXPECT_EQ(text(1, 4), "件数");
    EXPECT_EQ(text(1, 5), "3件");
    EXPECT_EQ(cell(1, 5).mergeEndColumn(), 9);

    EXPECT_EQ(text(2, 0), "east");
    EXPECT_EQ(text(2, 1), "A1");
    EXPECT_EQ(text(2, 2), "%%C12");
    EXPECT_EQ(text(2, 4), "2500");
    EXPECT_EQ(text(2, 5), "4");
    EXPECT_EQ(text(2, 6), "12");
    EXPECT_EQ(text(2, 7), "30.00");
    EXPECT_EQ(text(2, 8), "26.640");  // 30 m × 0.888 kg/m
    for (int column = 0; column <= 8; ++column)
        EXPECT_EQ(cell(2, column).getTxtHigh(), 30) << column;
    for (const char* shown : {"2500", "12", "30.00", "3件"})
        EXPECT_TRUE(drawn.contains(QString::fromUtf8(shown))) << shown;
}

struct VaryingCase {
    const char* name;
    int groups;
    int cutUnit;
    const char* cut;
    const char* count;
    const char* total;
};

void PrintTo(const VaryingCase& c, std::ostream* os) { *os << c.name; }

class Varying : public SLDraw, public testing::WithParamInterface<VaryingCase> {};

TEST_P(Varying, CutLengthCountsAndTotal)
{
    const VaryingCase& c = GetParam();
    t.m_units[CVes_SLTable::kColCutLength] = c.cutUnit;
    t.appendLine(varying(1000, 2000, c.groups, 2));
    print();
    EXPECT_EQ(text(1, 4), c.cut);
    EXPECT_EQ(cell(1, 4).getTxtHigh(), 30);
    EXPECT_EQ(text(1, 5), c.count);
    EXPECT_EQ(text(1, 6), c.count);
    EXPECT_EQ(cell(1, 6).getTxtHigh(), 21);
    EXPECT_EQ(text(1, 7), c.total);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, Varying,
    testing::Values(
        VaryingCase{"ThreeGroups", 3, 0, "1000～2000\n等差:500", "3支/组\n共2组", "9.00"},
        VaryingCase{"OneGroup", 1, 0, "1000～2000\n等差:0", "1支/组\n共2组", "3.00"},
        VaryingCase{"InMetres", 3, 2, "1.00～2.00\n等差:0.50", "3支/组\n共2组", "9.00"}),
    [](const auto& info) { return std::string(info.param.name); });

// A graded bar's two-line cells (the cut lengths over their step, the bars
// a group over the groups) on paper, from few rows a page to as many as
// leave a row the height of two legible lines: the second line starts no
// higher than the first ends, and both stay in the row.
class GradedLinesOnPaper : public SLDraw, public testing::WithParamInterface<int> {};

TEST_P(GradedLinesOnPaper, NeverOverprintEachOther)
{
    t.m_rowNum = GetParam();
    t.appendLine(varying(1000, 2000, 3, 2));
    t.setPageTo(1, 1);
    platform::RecordingDc dc = printer();
    t.Draw(&dc, platform::Rect(0, 0, 3000, 2100));
    struct Lines {
        int column;
        const char* upper;
        const char* lower;
    };
    for (const Lines& c : {Lines{4, "1000～2000", "等差:500"}, Lines{5, "3支/组", "共2组"},
                           Lines{6, "3支/组", "共2组"}}) {
        platform::Rect cell = t.getDrawnRect(1, c.column);
        cell.NormalizeRect();
        const auto topOf = [&](const char* text) -> std::optional<std::pair<int, int>> {
            for (const platform::DcRecord& r : dc.records(platform::DcOp::TextOut))
                if (r.text == QString::fromUtf8(text) && cell.PtInRect(r.points.front()))
                    return std::pair{r.points.front().y(), int(std::abs(r.font.logFont().lfHeight))};
            return std::nullopt;
        };
        const auto upper = topOf(c.upper);
        const auto lower = topOf(c.lower);
        ASSERT_TRUE(upper && lower) << "column " << c.column;
        EXPECT_GE(lower->first - upper->first, upper->second)
            << c.upper << " over " << c.lower << " at " << upper->second << " with " << GetParam() << " rows";
        EXPECT_LE(lower->first + lower->second, cell.bottom) << "column " << c.column;
    }
}

INSTANTIATE_TEST_SUITE_P(RowsAPage, GradedLinesOnPaper, testing::Values(10, 28, 30));

TEST_F(SLDraw, APageStartedInsideAnElementTakesItsCount)
{
    t.appendLine(test::slElement("KL1", 3));
    for (int i = 0; i < 10; ++i)
        t.appendLine(test::slBar("A1", 3, 12.0f, 1, 1000.0f));
    t.appendLine(test::slEleType("ZHU"));
    t.appendLine(test::slBar("A2", 3, 12.0f, 1, 1000.0f));
    print(2);
    EXPECT_EQ(text(1, 6), "3");
    EXPECT_EQ(text(1, 7), "3.00");
    EXPECT_EQ(text(2, 0), "构件类型：");
    EXPECT_EQ(text(2, 1), "ZHU");
    EXPECT_EQ(cell(2, 1).mergeEndColumn(), 9);
    EXPECT_EQ(text(3, 6), "1");
    // Before every element the count is 1.
    t.clearnAllLine();
    t.appendLine(test::slBar("A3", 3, 12.0f, 2, 1000.0f));
    print();
    EXPECT_EQ(text(1, 6), "2");
}

TEST_F(SLDraw, RemarkHeightFollowsItsLines)
{
    for (const char* remark : {"one", "one\r\ntwo", "one\r\ntwo\r\nthree",
                               "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8"}) {
        auto* bar = test::slBar("A1", 3, 12.0f, 1, 1000.0f);
        bar->m_steel.remark = QString::fromUtf8(remark);
        t.appendLine(bar);
    }
    print();
    EXPECT_EQ(cell(1, 9).getTxtHigh(), 36);
    EXPECT_EQ(cell(2, 9).getTxtHigh(), 36);
    EXPECT_EQ(text(3, 9), "one\ntwo\nthree");
    EXPECT_EQ(cell(3, 9).getTxtHigh(), 29);
    EXPECT_EQ(cell(3, 9).textAlign(), CVes_Cell::kAlignLeft);
    // Many lines keep a readable height.
    EXPECT_EQ(cell(4, 9).getTxtHigh(), 8);
}

TEST_F(SLDraw, PageSummaryAddsTheRowsOfThePage)
{
    t.appendLine(test::slElement("KL1", 2));
    t.appendLine(test::slBar("A1", 3, 12.0f, 4, 2500.0f));
    t.appendLine(varying(1000, 2000, 3, 2));
    t.appendLine(test::slBar("A2", 3, 25.0f, 1, 3333.0f));
    print();
    // The rows of the page and the filler rows after them; the summary row next.
    const int summary = 11;
    EXPECT_EQ(text(summary, 0), "本页汇总");
    double length = 0.0;
    double weight = 0.0;
    for (int r = 2; r <= 4; ++r) {
        length += text(r, 7).toDouble();
        weight += text(r, 8).toDouble();
    }
    EXPECT_EQ(text(summary, 7), QString::asprintf("%.2f", length));
    EXPECT_NEAR(text(summary, 8).toDouble(), weight, 0.002);
    EXPECT_EQ(cell(summary, 0).drawsBackground(), 1);
    EXPECT_EQ(cell(summary, 0).backgroundColor(), CVes_SLTable::kSummaryColour);
}

// The status bar's weight: the selected bar rows of the page, as their
// weight column reads, element and filler rows adding nothing.
TEST_F(SLDraw, SelectedRowsWeighWhatTheirWeightColumnReads)
{
    t.appendLine(test::slElement("KL1", 2));
    t.appendLine(test::slBar("A1", 3, 12.0f, 4, 2500.0f));
    t.appendLine(test::slBar("A2", 3, 25.0f, 1, 3333.0f));
    t.appendLine(test::slBar("A3", 3, 16.0f, 2, 1200.0f));
    t.setPageTo(1, 1);
    print();
    EXPECT_EQ(t.getSelLineWeight(), 0.0);
    for (int r : {1, 2, 4, 6})
        t.AddSelect(r, 0);
    print();
    EXPECT_NEAR(t.getSelLineWeight(), text(2, 8).toDouble() + text(4, 8).toDouble(), 0.002);
    EXPECT_GT(t.getSelLineWeight(), 0.0);
}

TEST_F(SLDraw, HighlightsOnTheScreenOnly)
{
    t.appendLine(test::slBar("A1", 3, 12.0f, 1, 1000.0f));
    t.appendLine(test::slBar("A2", 3, 12.0f, 1, 1000.0f));
    t.appendLine(test::slBar("A3", 3, 12.0f, 1, 1000.0f));
    t.lineAt(0)->setLock(1);
    t.lineAt(1)->setLock(1);
    t.setPageTo(1, 1);
    t.AddSelect(2, 1);
    t.setCurRow(3);
    t.m_curCol = 4;

    platform::RecordingDc screen;
    t.Draw(&screen, platform::Rect(0, 0, 3000, 2100));
    EXPECT_EQ(cell(1, 0).backgroundColor(), CVes_SLTable::kLockedColour);
    EXPECT_EQ(cell(2, 0).backgroundColor(), CVes_SLTable::kSelectedColour);
    EXPECT_EQ(cell(3, 4).backgroundColor(), CVes_SLTable::kCurrentColour);
    EXPECT_EQ(cell(3, 4).drawsBackground(), 1);
    EXPECT_EQ(cell(3, 3).drawsBackground(), 0);
    // The text follows the page as drawn on the screen.
    EXPECT_EQ(cell(1, 5).getTxtHigh(), int(t.m_tableTextHeight * 10 * t.m_drawScale));

    print();
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(cell(r, 4).drawsBackground(), 0) << r;
    EXPECT_EQ(cell(1, 5).getTxtHigh(), 30);
}

TEST_F(SLDraw, HiddenColumnsStayEmpty)
{
    t.m_widths[1] = 0;
    t.m_widths[3] = 0;
    t.appendLine(test::slElement("KL1", 1));
    t.appendLine(test::slBar("A1", 3, 12.0f, 1, 1000.0f));
    print();
    EXPECT_EQ(text(1, 1), "");
    EXPECT_EQ(text(2, 1), "");
    EXPECT_EQ(cell(2, 3).model(), nullptr);
    EXPECT_EQ(text(2, 4), "1000");
}

} // namespace
