// The bar list's page: what every kind of row puts into the page form on
// screen and on paper (texts, colours, merged cells, shapes), the page
// summary, the values drawing writes back to the bars, and the cover.

#include "barlist_pages.h"

#include "fuzz/pagelayoutvalues.h"

#include "tables/barlist/bartexts.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"

#include "envora/usercustom.h"

#include <QFile>

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

using Line = CVes_SetupTableLine;
using platform::RGB;
using test::LaidOutPage;

constexpr platform::COLORREF kRed = RGB(255, 0, 0);
constexpr platform::COLORREF kBlue = RGB(0, 0, 255);
constexpr platform::COLORREF kBlack = RGB(0, 0, 0);

// A bar list of 16 rows a page, emptied of its first row.
class PageLayout : public ::testing::Test {
protected:
    void SetUp() override { t.clearnAllLine(); }

    LaidOutPage page(int number = 1, bool printing = false)
    {
        t.setPageTo(number, 1);
        return LaidOutPage(t, printing);
    }
    Line* straight(const char* number, float d, double length, int count)
    {
        return test::addBar(t, number, 3, d, test::kListStraight, {{"L", length}}, count);
    }

    test::HostScope host;
    CVes_SetupTable t;
};

TEST_F(PageLayout, ElementAndBarRowsFillTheirCells)
{
    test::addElement(t, "KL1", 2);
    Line* row = straight("1", 20.0f, 6000, 4);
    row->m_steel.spacing1 = QStringLiteral("150");
    row->m_steel.spacing2 = QStringLiteral("100");
    row->m_steel.remark = QStringLiteral("通长");
    const LaidOutPage p = page();

    EXPECT_EQ(p.text(1, 0), QStringLiteral("构件编号"));
    EXPECT_EQ(p.cell(1, 0).fontName(), QStringLiteral("黑体"));
    EXPECT_EQ(p.cell(1, 0).mergeEndColumn(), 1);
    EXPECT_EQ(p.text(1, 2), QStringLiteral("KL1"));
    EXPECT_EQ(p.cell(1, 2).textAlign(), CVes_Cell::kAlignLeft);
    EXPECT_EQ(p.cell(1, 2).mergeEndColumn(), 4);
    EXPECT_EQ(p.text(1, 5), QStringLiteral("件数"));
    EXPECT_EQ(p.text(1, 6), QStringLiteral("2件"));
    // 6000 mm × 4 × 2 pieces = 48 m of 20 mm bars at 2.47 kg/m.
    EXPECT_EQ(p.text(1, 9), QStringLiteral("118.560"));

    EXPECT_EQ(p.text(2, 0), QStringLiteral("1"));
    EXPECT_EQ(p.text(2, 1), QStringLiteral("%%C20"));
    EXPECT_EQ(p.cell(2, 1).fontName(), QStringLiteral("宋体"));
    EXPECT_EQ(p.text(2, 2), QStringLiteral("150\n100"));
    EXPECT_EQ(p.cell(2, 3).model(), &row->m_steel.start);
    EXPECT_EQ(p.cell(2, 4).model(), &row->m_steel);
    EXPECT_EQ(p.text(2, 5), QStringLiteral("6000"));
    EXPECT_EQ(p.text(2, 6), QStringLiteral("4"));
    EXPECT_EQ(p.text(2, 7), QStringLiteral("8"));
    EXPECT_EQ(p.text(2, 8), QStringLiteral("48.00"));
    EXPECT_EQ(p.text(2, 9), QStringLiteral("118.560"));
    EXPECT_EQ(p.text(2, 10), QStringLiteral("通长"));
    // The rest of the page are empty filler rows.
    EXPECT_EQ(p.text(3, 0), QString());
    EXPECT_TRUE(p.dc.texts().contains(QStringLiteral("KL1")));
}

TEST_F(PageLayout, HiddenColumnsGetNothingAndTheElementNumberMovesRight)
{
    test::addElement(t, "KZ3", 1);
    straight("7", 12.0f, 3000, 2)->m_steel.spacing1 = QStringLiteral("200");
    t.m_widths[CVes_SetupTable::kColSpacing] = 0;
    const LaidOutPage p = page();
    EXPECT_EQ(p.text(1, 2), QString());
    EXPECT_EQ(p.text(1, 3), QStringLiteral("KZ3"));
    EXPECT_EQ(p.cell(1, 3).mergeEndColumn(), 4);
    EXPECT_EQ(p.text(2, 2), QString());
}

struct SpacingCase {
    const char* s1;
    const char* s2;
    const char* s3;
    const char* shown;
};

class Spacing : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(Spacing, Text)
{
    CVes_Steel bar;
    bar.spacing1 = QString::fromUtf8(GetParam().s1);
    bar.spacing2 = QString::fromUtf8(GetParam().s2);
    bar.spacing3 = QString::fromUtf8(GetParam().s3);
    EXPECT_EQ(barlist::spacingText(bar), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, Spacing,
                         ::testing::Values(SpacingCase{"150", "100", "", "150\n100"},
                                           SpacingCase{"150", "150", "150", "150"},
                                           SpacingCase{"200", "", "300", "200\n(搭300)"},
                                           SpacingCase{"100", "200", "100", "100\n200\n(搭100)"},
                                           SpacingCase{"", "", "", ""},
                                           SpacingCase{"0", "-5", "abc", ""},
                                           SpacingCase{"150mm", " 100", "", "150\n100"}));

// Cut lengths

class CutLength : public PageLayout {
protected:
    Line* multiValue(double first, double last, int perGroup, int count)
    {
        Line* row = straight("2", 16.0f, first, count);
        CVes_Steel& bar = row->m_steel;
        bar.setMultiVal(1);
        bar.setMultiGroup(perGroup);
        bar.setVarValue(QStringLiteral("L"), first);
        bar.setVarValueE(QStringLiteral("L"), last);
        return row;
    }
};

TEST_F(CutLength, MultiValueBarShowsItsRangeAndStep)
{
    test::addElement(t, "L1", 2);
    multiValue(1000, 1400, 5, 2);
    const LaidOutPage p = page();
    EXPECT_EQ(p.text(2, 5), QStringLiteral("1000～1400\n△100"));
    EXPECT_EQ(p.text(2, 6), QStringLiteral("5支/组\n共2组"));
    EXPECT_EQ(p.text(2, 7), QStringLiteral("5支/组\n共4组"));
    // (1000 + 1400) × 5 × 2 × 2 pieces × 0.5 = 24 m.
    EXPECT_EQ(p.text(2, 8), QStringLiteral("24.00"));

    t.m_units[CVes_SetupTable::kColCutLength] = CVes_Template::kMetre;
    EXPECT_EQ(page().text(2, 5), QStringLiteral("1.00～1.40\n△0.10"));
}

TEST_F(CutLength, OverLongBarIsBlueOnScreenBlackOnPaperAndCountsItsJoints)
{
    Line* row = straight("3", 25.0f, 12000, 2);
    CVes_MidConnect* joint = row->m_steel.getFirstMidConnect();
    joint->stat = 1;
    joint->autoCount = 1;
    joint->fixedLength = 9000;

    EXPECT_EQ(page().cell(1, 5).textColor(), kBlue);
    EXPECT_EQ(row->m_steel.work, 1);
    EXPECT_EQ(joint->countText, QStringLiteral("1"));
    EXPECT_EQ(page(1, true).cell(1, 5).textColor(), kBlack);

    // Shorter than the stock: no longer over-long, and no joint.
    row->m_steel.setVarValue(QStringLiteral("L"), 6000.0);
    EXPECT_EQ(page().cell(1, 5).textColor(), row->getTextColor());
    EXPECT_EQ(row->m_steel.work, 0);
    EXPECT_EQ(joint->countText, QStringLiteral("0"));

    // A count the user typed is kept (the page summary's own count is
    // another matter).
    t.m_pageSummary = 0;
    joint->autoCount = 0;
    joint->countText = QStringLiteral("3");
    page();
    EXPECT_EQ(joint->countText, QStringLiteral("3"));
}

TEST_F(CutLength, MultiValueBarOverTheStockIsMarkedAndLosesTheMarkWhenShortened)
{
    Line* row = multiValue(8000, 10000, 3, 1);
    row->m_steel.getFirstMidConnect()->fixedLength = 9000;
    EXPECT_EQ(page().cell(1, 5).textColor(), kBlue);
    EXPECT_EQ(row->m_steel.work, 1);
    row->m_steel.setVarValueE(QStringLiteral("L"), 8500.0);
    EXPECT_EQ(page().cell(1, 5).textColor(), kBlack);
    EXPECT_EQ(row->m_steel.work, 0);
}

TEST_F(CutLength, ZeroLengthIsRedOnScreenOnly)
{
    Line* row = test::addPlainBar(t, "4", 0.0f, 1);
    row->m_steel.DN = 0.0f;
    const LaidOutPage screen = page();
    EXPECT_EQ(screen.cell(1, 5).textColor(), kRed);
    EXPECT_EQ(screen.cell(1, 1).textColor(), kRed);
    const LaidOutPage paper = page(1, true);
    EXPECT_EQ(paper.cell(1, 5).textColor(), kBlack);
    EXPECT_EQ(paper.cell(1, 1).textColor(), kBlack);
}

// A bar group of three pieces: 6000, then 3000 twice, then 1500 once.
TEST_F(CutLength, ValueGroupsAreListedWhenTheUserShowsThem)
{
    test::CacheScope scope;
    auto record = test::ShapeBuilder({109, 7})
                      .straight({1300, 150}, "0", "6000")
                      .mark(1, {500, 150}, "2", "180", "3000")
                      .mark(1, {900, 150}, "1", "180", "1500")
                      .build();
    scope.add(std::move(record));
    CVes_Steel bar;
    bar.setRecordId({109, 7});
    bar.number = QStringLiteral("5");
    bar.count = 1;
    Line* row = t.Add(bar);
    const int saved = Info_UserCustomSteelGroupShow();
    ASSERT_TRUE(Info_UserCustomSetSteelGroupShow(1));
    const QString segmented = page().text(1, 5);
    ASSERT_TRUE(Info_UserCustomSetSteelGroupShow(0));
    const QString whole = page().text(1, 5);
    Info_UserCustomSetSteelGroupShow(saved);

    std::vector<float> lengths;
    std::vector<int> counts;
    row->m_steel.calculateGroupLength(lengths, counts, 0, 1.0);
    ASSERT_EQ(lengths.size(), 3u) << segmented.toStdString();
    EXPECT_EQ(segmented, QStringLiteral("%1/%2×%3\n%4")
                             .arg(lengths[0])
                             .arg(lengths[1])
                             .arg(counts[1])
                             .arg(lengths[2]));
    EXPECT_EQ(whole, QString::number(barlist::roundHalfUp(row->m_steel.getLength(0, 1.0))));
    // A bar group is never over-long, whatever its whole length.
    EXPECT_EQ(row->m_steel.work, 0);
}

// Element, unit, text and sketch rows

TEST_F(PageLayout, ElementOfNoPiecesIsRedOnScreenAndBlackOnPaper)
{
    test::addElement(t, "TL1", 0);
    straight("1", 12.0f, 2000, 3);
    EXPECT_EQ(page().text(1, 6), QStringLiteral("0件"));
    EXPECT_EQ(page().cell(1, 6).textColor(), kRed);
    EXPECT_EQ(page(1, true).cell(1, 6).textColor(), kBlack);
    // Its bars count nothing.
    EXPECT_EQ(page().text(2, 7), QStringLiteral("0"));
    EXPECT_EQ(page().text(1, 9), QStringLiteral("0.000"));
}

TEST_F(PageLayout, BarsTakeTheirPieceCountFromTheElementBeforeThePage)
{
    t.m_rowNum = 4;
    t.setDefaultEleNum(5);
    straight("1", 12.0f, 1000, 1);         // before every element: 5 pieces
    test::addElement(t, "KL2", 3);
    for (int i = 0; i < 4; ++i)
        straight("2", 12.0f, 1000, 2);     // the last two on page 2
    EXPECT_EQ(page(1).text(1, 7), QStringLiteral("5"));
    EXPECT_EQ(page(2).text(1, 7), QStringLiteral("6"));
}

struct PageUnitCase {
    const char* start;
    const char* end;
    int merged;
    int same;
    int mode;
    const char* shown;
};

class UnitRow : public ::testing::TestWithParam<PageUnitCase> {};

TEST_P(UnitRow, Text)
{
    CVes_SetupTable t;
    t.setUnitArray({"1", "2", "3"});
    t.setUnitlocArray({"①", "②", "③", "④"});
    Line line(int(Line::kUnitLine));
    line.m_unitStart = QString::fromUtf8(GetParam().start);
    line.m_unitEnd = QString::fromUtf8(GetParam().end);
    line.m_unitMerged = GetParam().merged;
    line.m_unitSame = GetParam().same;
    line.m_unitForm = GetParam().mode;
    EXPECT_EQ(barlist::unitLineText(t, line), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnitRow,
    ::testing::Values(PageUnitCase{"1", "3", 1, 1, 0, "1～3;  各单元之间钢筋相同"},
                      PageUnitCase{"1", "3", 0, 1, 0, "1,2,3;  各单元之间钢筋相同"},
                      PageUnitCase{"1", "3", 1, 0, 1, "①～④;  各单元之间钢筋不同"},
                      PageUnitCase{"1", "2", 0, 0, 2, "1,2（①～③）;  各单元之间钢筋不同"},
                      PageUnitCase{"X", "Y", 1, 1, 2, "X～Y;  各单元之间钢筋相同"},
                      PageUnitCase{"X", "Y", 1, 1, 1, ";  各单元之间钢筋相同"},
                      PageUnitCase{"2", "2", 1, 1, 0, "2"},
                      PageUnitCase{"2", "", 1, 1, 1, "②～"},
                      PageUnitCase{"2", "2", 1, 1, 2, "2（②～③）"},
                      PageUnitCase{"9", "9", 1, 1, 2, "9（）"},
                      PageUnitCase{"1", "3", 1, 1, -1, ""}));

TEST_F(PageLayout, UnitTextAndSketchRowsSpanTheRow)
{
    t.setUnitArray({"A", "B"});
    auto* unit = new Line(int(Line::kUnitLine));
    unit->setUnit(QStringLiteral("A"), QStringLiteral("B"), 1);
    unit->setNull(0);
    t.appendLine(unit);
    t.Add(QStringList{QStringLiteral("合计"), QString(), QStringLiteral("备用")});
    const CVes_SteelStartReference style;
    Line* sketch = t.AddImagLine(&style);
    const LaidOutPage p = page();

    EXPECT_EQ(p.text(1, 0), QStringLiteral("构件单元："));
    EXPECT_EQ(p.cell(1, 0).textWeight(), 700);
    EXPECT_EQ(p.cell(1, 0).mergeEndColumn(), 1);
    EXPECT_EQ(p.text(1, 2), QStringLiteral("A～B;  各单元之间钢筋相同"));
    EXPECT_EQ(p.cell(1, 2).textWeight(), 700);
    EXPECT_EQ(p.cell(1, 2).mergeEndColumn(), 10);

    EXPECT_EQ(p.text(2, 0), QStringLiteral("合计"));
    EXPECT_EQ(p.text(2, 2), QStringLiteral("备用"));
    EXPECT_EQ(p.cell(2, 0).textAlign(), CVes_Cell::kAlignLeft);
    EXPECT_EQ(p.cell(2, 0).textWeight(), 0);
    EXPECT_TRUE(p.cell(2, 0).drawsBackground());
    EXPECT_EQ(p.cell(2, 0).backgroundColor(), RGB(224, 250, 170));

    EXPECT_EQ(p.cell(3, 0).model(), sketch->getImage());
    EXPECT_EQ(p.cell(3, 0).mergeEndColumn(), 10);
}

// Remarks

TEST_F(PageLayout, MergedRemarksShareTheFirstRowsRemark)
{
    for (const char* n : {"1", "2", "3", "4"})
        straight(n, 12.0f, 1000, 1)->m_steel.remark = QStringLiteral("备注%1").arg(n);
    t.lineAt(0)->setRemarkMerge(Line::kRemarkMergeFirst);
    t.lineAt(1)->setRemarkMerge(Line::kRemarkMergeNext);
    // A lone follower after an unmarked row starts a merge of its own.
    t.lineAt(3)->setRemarkMerge(Line::kRemarkMergeNext);
    const LaidOutPage p = page();
    EXPECT_EQ(p.cell(1, 10).mergeEndRow(), 2);
    EXPECT_TRUE(p.cell(2, 10).isMerged());
    EXPECT_EQ(t.lineAt(1)->m_steel.remark, QStringLiteral("备注1"));
    EXPECT_EQ(p.cell(3, 10).mergeEndRow(), 3);
    EXPECT_FALSE(p.cell(4, 10).isMerged());
    EXPECT_EQ(t.lineAt(3)->m_steel.remark, QStringLiteral("备注4"));
}

TEST_F(PageLayout, AnElementRowEndsAMergedRemark)
{
    for (const char* n : {"1", "2"})
        straight(n, 12.0f, 1000, 1)->m_steel.remark = QStringLiteral("备注%1").arg(n);
    test::addElement(t, "KL", 1);
    straight("3", 12.0f, 1000, 1)->m_steel.remark = QStringLiteral("备注3");
    t.lineAt(1)->setRemarkMerge(Line::kRemarkMergeFirst);
    t.lineAt(3)->setRemarkMerge(Line::kRemarkMergeNext);
    const LaidOutPage p = page();
    EXPECT_EQ(p.cell(2, 10).mergeEndRow(), 2);
    EXPECT_FALSE(p.cell(3, 10).isMerged());
    EXPECT_FALSE(p.cell(4, 10).isMerged());
    EXPECT_EQ(t.lineAt(3)->m_steel.remark, QStringLiteral("备注3"));
}

TEST_F(PageLayout, AMergedRemarkRunsOnToTheNextPage)
{
    t.m_rowNum = 2;
    for (const char* n : {"1", "2", "3", "4"})
        straight(n, 12.0f, 1000, 1)->m_steel.remark = QStringLiteral("备注%1").arg(n);
    t.lineAt(1)->setRemarkMerge(Line::kRemarkMergeFirst);
    t.lineAt(2)->setRemarkMerge(Line::kRemarkMergeNext);
    t.lineAt(3)->setRemarkMerge(Line::kRemarkMergeNext);
    page(1);
    const LaidOutPage second = page(2);
    // Each row shows the remark of the row that began the merge.
    EXPECT_EQ(second.cell(1, 10).mergeEndRow(), 2);
    EXPECT_EQ(second.text(1, 10), QStringLiteral("备注2"));
    EXPECT_EQ(t.lineAt(3)->m_steel.remark, QStringLiteral("备注2"));
}

struct RemarkCase {
    const char* remark;
    const char* shown;
    int height; // printed, 0.1 mm
};

class RemarkLines : public PageLayout, public ::testing::WithParamInterface<RemarkCase> {};

TEST_P(RemarkLines, LineBreaksAndHeight)
{
    straight("1", 12.0f, 1000, 1)->m_steel.remark = QString::fromUtf8(GetParam().remark);
    const LaidOutPage p = page(1, true);
    EXPECT_EQ(p.text(1, 10), QString::fromUtf8(GetParam().shown));
    EXPECT_EQ(p.cell(1, 10).getTxtHigh(), GetParam().height);
    EXPECT_EQ(p.cell(1, 10).fontName(), QStringLiteral("宋体"));
}

// The page text height is 4 mm: 40 on paper.
INSTANTIATE_TEST_SUITE_P(Cases, RemarkLines,
                         ::testing::Values(RemarkCase{"两端", "两端", 40},
                                           RemarkCase{"a|b", "a\nb", 40},
                                           RemarkCase{"a|b|c", "a\nb\nc", 33},
                                           RemarkCase{"a\r\nb\r\nc|d", "a\nb\nc\nd", 33},
                                           RemarkCase{"a\r\nb\r\nc|d|e", "a\nb\nc\nd\ne", 26},
                                           RemarkCase{"1|2|3|4|5|6|7|8|9", "1\n2\n3\n4\n5\n6\n7\n8\n9",
                                                      10}));

// A page layout may hold any table text height: the page's cells take it
// held to the largest a stored layout may hold (10 000 mm), never one that
// overflows on the way.
struct HugeHeightCase {
    int textHeight; // mm
    int shown;      // printed, 0.1 mm
};

class HugeTextHeight : public PageLayout, public ::testing::WithParamInterface<HugeHeightCase> {};

TEST_P(HugeTextHeight, IsHeldToTheLargestStoredHeight)
{
    straight("1", 12.0f, 1000, 1)->m_steel.remark = QStringLiteral("两端");
    t.m_tableTextHeight = GetParam().textHeight;
    t.m_pageSummary = 1;
    const LaidOutPage p = page(1, true);
    EXPECT_EQ(p.cell(1, 10).getTxtHigh(), GetParam().shown);
    EXPECT_EQ(p.text(1, 10), QStringLiteral("两端"));
}

INSTANTIATE_TEST_SUITE_P(Cases, HugeTextHeight,
                         ::testing::Values(HugeHeightCase{268435456, 100000},
                                           HugeHeightCase{2147483647, 100000},
                                           HugeHeightCase{10001, 100000},
                                           HugeHeightCase{10000, 100000},
                                           HugeHeightCase{4, 40}));

// Layouts of any values at once, in the order the page-layout checks give
// them: a text height of 268 435 456 mm among margins and titles far beyond
// the paper; a right margin of 12 058 639 mm, whose columns' shares of the
// page's width lie beyond the int range. The page is drawn on paper and on
// screen (under the sanitizers, with no overflow on the way) and no cell
// takes a height beyond the largest a stored layout may hold.
class AnyLayout : public PageLayout, public ::testing::WithParamInterface<const char*> {};

TEST_P(AnyLayout, IsDrawnWithEveryCellsTextHeightHeld)
{
    QFile file(QStringLiteral(RODO_FIXTURES_DIR "/") + QLatin1String(GetParam()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (int i = 0; i < 3; ++i)
        straight(QByteArray::number(i + 1).constData(), 12.0f, 1000, 1);
    qsizetype at = 0;
    fuzz::forEachLayoutValue(t, [&](auto& value) {
        value = {};
        if (at + qsizetype(sizeof value) <= bytes.size())
            std::memcpy(&value, bytes.constData() + at, sizeof value);
        at += qsizetype(sizeof value);
    });
    for (const bool printing : {true, false}) {
        const LaidOutPage p = page(1, printing);
        ASSERT_NE(p.form, nullptr);
        for (int r = 1; r < p.form->GetRowCount(); ++r)
            for (int c = 0; c < p.form->GetColumnCount(); ++c)
                EXPECT_LE(std::abs(p.cell(r, c).getTxtHigh()), 100000) << r << ',' << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, AnyLayout,
                         ::testing::Values("page_layout_huge_text_height.bin",
                                           "page_layout_huge_right_margin.bin"),
                         [](const auto& info) { return std::to_string(info.index); });

// Page summary, highlights, write-backs

TEST_F(PageLayout, PageSummarySpansTheFootOfThePage)
{
    test::addElement(t, "KL1", 1);
    straight("1", 20.0f, 6000, 4);
    const LaidOutPage p = page();
    const int rows = p.form->GetRowCount();
    ASSERT_EQ(rows, 1 + 16 + 2);
    EXPECT_EQ(p.text(17, 0), QStringLiteral("本页汇总"));
    EXPECT_EQ(p.cell(17, 0).mergeEndRow(), 18);
    EXPECT_EQ(p.cell(17, 0).mergeEndColumn(), 1);
    EXPECT_TRUE(p.text(17, 2).startsWith(QStringLiteral("重(长):{%%C20：")));
    EXPECT_EQ(p.cell(17, 2).mergeEndRow(), 18);
    EXPECT_EQ(p.cell(17, 2).mergeEndColumn(), 10);
    EXPECT_TRUE(p.cell(17, 0).drawsBackground());
    EXPECT_EQ(p.cell(17, 0).backgroundColor(), RGB(227, 227, 227));

    t.m_pageSummary = 0;
    const LaidOutPage without = page();
    EXPECT_EQ(without.form->GetRowCount(), 1 + 16);
    EXPECT_FALSE(without.dc.texts().contains(QStringLiteral("本页汇总")));

    // A summary of no rows has no room: the last row of the page stays a row.
    t.m_pageSummary = 1;
    t.m_summaryRowHeight = 0;
    const LaidOutPage none = page();
    EXPECT_EQ(none.form->GetRowCount(), 1 + 16);
    EXPECT_EQ(none.text(16, 0), QString());
    EXPECT_FALSE(none.dc.texts().contains(QStringLiteral("本页汇总")));
}

TEST_F(PageLayout, EditingStateShowsOnScreenOnly)
{
    for (const char* n : {"1", "2", "3"})
        straight(n, 20.0f, 6000, 1);
    t.lineAt(0)->setLock(1);
    t.setPageTo(1, 1);
    t.AddSelect(2, 1);
    t.AddSelect(3, 0);
    t.setCurRow(3);
    t.setCurCol(CVes_SetupTable::kColShape);
    CVes_Variable* editing = t.lineAt(2)->m_steel.getVar(QStringLiteral("L"));
    ASSERT_NE(editing, nullptr);
    editing->m_status = 2;

    LaidOutPage screen(t, false);
    EXPECT_EQ(screen.cell(1, 0).backgroundColor(), RGB(217, 217, 217));
    EXPECT_TRUE(screen.cell(1, 0).drawsBackground());
    EXPECT_EQ(screen.cell(2, 0).backgroundColor(), RGB(255, 255, 140));
    EXPECT_EQ(screen.cell(3, 0).backgroundColor(), RGB(255, 255, 140));
    EXPECT_EQ(screen.cell(3, 4).backgroundColor(), RGB(224, 254, 8));
    EXPECT_FALSE(screen.cell(4, 0).drawsBackground());
    // 6 m of 20 mm bars on each selected row.
    EXPECT_NEAR(t.getSelLineWeight(), 2 * 6 * 2.47, 1e-9);
    EXPECT_EQ(editing->m_status, 2u);

    LaidOutPage paper(t, true);
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c <= 10; ++c)
            EXPECT_FALSE(paper.cell(r, c).drawsBackground()) << r << "," << c;
    EXPECT_EQ(editing->m_status, 0u);
}

TEST_F(PageLayout, DrawingWritesTheAnchorageLengthsIntoTheBars)
{
    t.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
    t.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    t.setExVarVal(CVes_TableBase::kVarCover, 25.0);
    Line* row = straight("1", 20.0f, 6000, 1);
    CVes_Steel& bar = row->m_steel;
    page();
    EXPECT_EQ(bar.getVarValue(QStringLiteral("lae")), t.getMaoguBeishu(3, 20, 0));
    EXPECT_EQ(bar.getVarValue(QStringLiteral("la")), t.getLa(3, 20, 0));
    EXPECT_EQ(bar.getVarValue(QStringLiteral("lle")), t.getLle(3, 20, 0));
    EXPECT_EQ(bar.getVarValue(QStringLiteral("bhc")), 25.0);
    EXPECT_GT(bar.getVarValue(QStringLiteral("lae")), 0.0);

    // In centimetres lae, lle and bhc follow the shape unit; la stays.
    t.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    page();
    EXPECT_DOUBLE_EQ(bar.getVarValue(QStringLiteral("lae")), t.getMaoguBeishu(3, 20, 0) * 0.1);
    EXPECT_DOUBLE_EQ(bar.getVarValue(QStringLiteral("bhc")), 2.5);
    EXPECT_EQ(bar.getVarValue(QStringLiteral("la")), t.getLa(3, 20, 0));
}

// A bar switched to a typed cut length shows the length it showed before,
// whatever the unit of the shape column (its hooks grow with the diameter
// in that unit); its total length and weight stay as well.
class TypedLengthSwitch : public PageLayout, public ::testing::WithParamInterface<int> {};

TEST_P(TypedLengthSwitch, KeepsWhatTheCellShowed)
{
    t.m_units[CVes_SetupTable::kColShape] = GetParam();
    test::addElement(t, "KL1", 1);
    Line* row = test::addBar(t, "1", 3, 20.0f, test::kHooked, {{"L", 2400}}, 4);
    const LaidOutPage before = page();
    const float shown = row->m_steel.getLength(0, t.shapeUnitFactor());
    ASSERT_GT(shown, 2400.0f) << "the hooks add to it";
    t.clearSelect();
    t.AddSelect(2, 0);
    t.setSelLineAutoCal(0);
    EXPECT_EQ(row->m_steel.calcLength, 0);
    EXPECT_EQ(row->m_steel.length, shown);
    const LaidOutPage after = page();
    for (int column : {CVes_SetupTable::kColCutLength, CVes_SetupTable::kColTotalLength,
                       CVes_SetupTable::kColTotalWeight})
        EXPECT_EQ(after.text(2, column), before.text(2, column)) << column;
}

INSTANTIATE_TEST_SUITE_P(Units, TypedLengthSwitch,
                         ::testing::Values(CVes_Template::kMillimetre, CVes_Template::kCentimetre),
                         [](const auto& info) {
                             return std::string(info.param == CVes_Template::kMillimetre ? "Millimetres"
                                                                                          : "Centimetres");
                         });

TEST_F(PageLayout, EnglishLabels)
{
    t.setLanguage(1);
    test::addElement(t, "B1", 3);
    Line* row = straight("1", 16.0f, 1000, 2);
    row->m_steel.setMultiVal(1);
    row->m_steel.setMultiGroup(4);
    const LaidOutPage p = page();
    EXPECT_EQ(p.text(1, 0), QStringLiteral("Element No. ："));
    EXPECT_EQ(p.text(1, 5), QStringLiteral("Num："));
    EXPECT_EQ(p.cell(1, 5).fontName(), QString());
    EXPECT_EQ(p.text(1, 6), QStringLiteral("3"));
    EXPECT_EQ(p.text(2, 6), QStringLiteral("4/Group\nTotal 2 group"));
    EXPECT_EQ(p.text(2, 7), QStringLiteral("4/Group\nTotal 6 group"));
    EXPECT_EQ(p.text(17, 0), QStringLiteral("Summary in\n this page"));
}

// Cover

QStringList coverTexts(CVes_SetupTable& t)
{
    t.setPageTo(0, 1);
    LaidOutPage p(t, true);
    QStringList texts;
    const CVes_Form* form = t.m_cover.m_form.get();
    for (int r = 0; r < form->GetRowCount(); ++r)
        texts << form->GetCell(r, 0)->text();
    return texts;
}

TEST_F(PageLayout, NewListCoverShowsItsTitleTextsAndNoMissingValues)
{
    CVes_SetupTable fresh;
    const QString cover = coverTexts(fresh).join(u'|');
    EXPECT_TRUE(cover.contains(QStringLiteral("XX工程"))) << cover.toStdString();
    EXPECT_TRUE(cover.contains(QStringLiteral("钢筋配料单")));
    EXPECT_TRUE(cover.contains(QStringLiteral("第一层")));
    EXPECT_TRUE(cover.contains(QStringLiteral("编制：")));
    EXPECT_FALSE(cover.contains(u'{')) << cover.toStdString();
    EXPECT_FALSE(cover.contains(QStringLiteral("：-1"))) << cover.toStdString();
    EXPECT_FALSE(cover.contains(QStringLiteral("C-1"))) << cover.toStdString();
    // A list without a cover of its own shows the one its design dialog shows.
    EXPECT_TRUE(cover.contains(QStringLiteral("抗震等级：二级 ；  保护层厚度：25 mm ；")))
        << cover.toStdString();
}

TEST_F(PageLayout, CoverTotalsFollowEveryEdit)
{
    straight("1", 20.0f, 6000, 1);
    t.setPageTo(0, 1);
    const QStringList before = t.m_cover.m_barSummaryTexts;
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(t.getCurPage(), 0);

    t.setPageTo(1, 1);
    t.lineAt(0)->m_steel.count = 3;
    t.PrevPage();
    EXPECT_EQ(t.getCurPage(), 0);
    EXPECT_NE(t.m_cover.m_barSummaryTexts, before);
    EXPECT_EQ(t.m_cover.m_barSummaryTexts.size(), before.size());
}

} // namespace
