// The sorted and merged bar table: its filters, merging, orders, the merge
// notes, the subtotals and totals, the look of its rows on screen and on
// paper, its workbook rows, and sorting on several threads at once.

#include "tables/quantity/sortbarsheet.h"

#include "tests/tables/quantity/derived_shapes.h"

#include "envora/rules.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <thread>
#include <vector>

using platform::Rect;
using platform::gdi::RGB;

namespace {

const CSteelRecordId kSortedStraight = test::kStraightShape;
const CSteelRecordId kBent = test::kBentShape;

// The shapes of the bars: one straight side, and two sides.
class SortSheetTest : public testing::Test {
protected:
    void SetUp() override { sheet.m_rules = CVes_SortRules(); }

    // A bar of a typed length (mm) on the straight shape.
    static CVes_BarCore bar(const char* number, int grade, float d, int count, float length,
                            CSteelRecordId shape = kSortedStraight)
    {
        CVes_BarCore b;
        b.setRecordId(shape);
        b.number = QString::fromUtf8(number);
        b.grade = grade;
        b.DN = d;
        b.count = count;
        b.calcLength = 0;
        b.length = length;
        return b;
    }

    void fill(std::vector<CVes_BarCore> bars)
    {
        for (CVes_BarCore& b : bars)
            sheet.Add(&b);
        sheet.sortSteel();
    }

    // Each row's texts joined by '|': a bar row as "number|size|total".
    std::vector<std::string> rows()
    {
        std::vector<std::string> out;
        for (CVes_TableBaseLine* line : sheet.lines()) {
            auto* row = dynamic_cast<CVes_SortBarSheetLine*>(line);
            if (row->m_isString) {
                out.push_back(row->m_strArray.join(u'|').toStdString());
                continue;
            }
            const auto texts = sheet.barTexts(row->m_steel);
            const QString text = row->m_steel.number + u'|' + QString::number(row->m_steel.DN)
                                 + u'|' + texts.totalLength;
            out.push_back(text.toStdString());
        }
        return out;
    }
    std::vector<std::string> barNumbers()
    {
        std::vector<std::string> out;
        for (CVes_TableBaseLine* line : sheet.lines()) {
            if (CVes_BarCore* b = line->getSteel())
                out.push_back(b->number.toStdString());
        }
        return out;
    }

    test::DerivedShapes shapes;
    CVes_SortBarSheet sheet;
};

// Filters

enum class Kind { Straight, Bent, Hooked, Stirrup };

struct FilterCase {
    const char* name;
    int grade;
    float diameter;
    Kind kind;
    unsigned int sortGrade;
    unsigned int dnStyle;
    unsigned int state;
    bool kept;
};

class SortSheetFilter : public SortSheetTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(SortSheetFilter, BarIsKeptOrDropped)
{
    const FilterCase& c = GetParam();
    sheet.m_rules.setSortGrade(c.sortGrade);
    sheet.m_rules.setDNstateStyle(c.dnStyle);
    sheet.m_rules.setGuigeDN(10.0f);
    sheet.m_rules.setState(c.state);
    CVes_BarCore b = bar("1", c.grade, c.diameter, 2, 3000.0f,
                         c.kind == Kind::Bent ? kBent : kSortedStraight);
    if (c.kind == Kind::Stirrup)
        b.setStirrup(1);
    if (c.kind == Kind::Hooked) {
        CVes_Hook hook;
        hook.enabled = 1;
        b.setHookRight(hook);
    }
    sheet.Add(&b);
    EXPECT_EQ(sheet.bars().size(), c.kept ? 1u : 0u);
}

constexpr unsigned int kAllGrades = 127;
constexpr unsigned int kAllKinds = 7;

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSheetFilter,
    testing::Values(
        FilterCase{"Grade5ShownByDefault", 5, 20, Kind::Straight, CVes_SortRules().m_sortGrade, 0,
                   kAllKinds, true},
        FilterCase{"Grade5Dropped", 5, 20, Kind::Straight, 63, 0, kAllKinds, false},
        FilterCase{"Grade3Dropped", 3, 20, Kind::Straight, kAllGrades & ~0x04u, 0, kAllKinds, false},
        FilterCase{"GradeLNeedsItsBit", 12, 8, Kind::Straight, kAllGrades & ~0x10u, 0, kAllKinds,
                   false},
        FilterCase{"GradeNNeedsItsBit", 14, 8, Kind::Straight, 0x20, 0, kAllKinds, true},
        FilterCase{"UnknownGradeAlwaysPasses", 7, 20, Kind::Straight, 0, 0, kAllKinds, true},
        FilterCase{"BelowKeepsSmaller", 3, 8, Kind::Straight, kAllGrades, 1, kAllKinds, true},
        FilterCase{"BelowDropsEqual", 3, 10, Kind::Straight, kAllGrades, 1, kAllKinds, false},
        FilterCase{"EqualKeepsEqual", 3, 10, Kind::Straight, kAllGrades, 2, kAllKinds, true},
        FilterCase{"EqualDropsOther", 3, 10.5f, Kind::Straight, kAllGrades, 2, kAllKinds, false},
        FilterCase{"AboveKeepsLarger", 3, 12, Kind::Straight, kAllGrades, 3, kAllKinds, true},
        FilterCase{"AboveDropsEqual", 3, 10, Kind::Straight, kAllGrades, 3, kAllKinds, false},
        FilterCase{"NoStyleKeepsAll", 3, 10, Kind::Straight, kAllGrades, 0, kAllKinds, true},
        FilterCase{"StirrupNeedsItsBit", 1, 8, Kind::Stirrup, kAllGrades, 0, 0x6, false},
        FilterCase{"StirrupShown", 1, 8, Kind::Stirrup, kAllGrades, 0, 0x1, true},
        FilterCase{"HookedStraightIsBent", 3, 20, Kind::Hooked, kAllGrades, 0, 0x4, false},
        FilterCase{"HookedShownAsBent", 3, 20, Kind::Hooked, kAllGrades, 0, 0x2, true},
        FilterCase{"StraightNeedsItsBit", 3, 20, Kind::Straight, kAllGrades, 0, 0x3, false},
        FilterCase{"StraightShown", 3, 20, Kind::Straight, kAllGrades, 0, 0x4, true},
        FilterCase{"TwoSidesIsBent", 3, 20, Kind::Bent, kAllGrades, 0, 0x5, false},
        FilterCase{"TwoSidesShownAsBent", 3, 20, Kind::Bent, kAllGrades, 0, 0x2, true}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

// Merging and order

TEST_F(SortSheetTest, EqualBarsMergeWhenAsked)
{
    sheet.m_rules.m_mergeSame = 1;
    fill({bar("1", 3, 20, 2, 3000), bar("2", 3, 20, 5, 3000), bar("3", 3, 20, 1, 3500)});
    ASSERT_EQ(sheet.bars().size(), 2u);
    EXPECT_EQ(sheet.bars()[0]->count, 7);
    EXPECT_EQ(sheet.bars()[0]->remark, "多件归并");

    CVes_SortBarSheet apart;
    CVes_BarCore a = bar("1", 3, 20, 2, 3000);
    CVes_BarCore b = bar("2", 3, 20, 5, 3000);
    apart.Add(&a);
    apart.Add(&b);
    EXPECT_EQ(apart.bars().size(), 2u) << "merging is off by default";
}

TEST_F(SortSheetTest, BarsAddedLaterMergeIntoTheFirstEqualBarOfTheListAsItStands)
{
    // Added without merging, then sorted (long bars first), then merging on:
    // a later bar goes to the first equal bar in the list's present order.
    CVes_BarCore a = bar("1", 3, 20, 1, 3000.0f);
    CVes_BarCore b = bar("2", 3, 20, 1, 3000.08f);
    CVes_BarCore c = bar("3", 3, 20, 1, 6000.0f);
    for (CVes_BarCore* each : {&a, &b, &c})
        sheet.Add(each);
    sheet.m_rules.m_lenOrder = 0;
    sheet.sortSteel();
    ASSERT_EQ(barNumbers(), (std::vector<std::string>{"3", "2", "1"}));

    sheet.m_rules.m_mergeSame = 1;
    CVes_BarCore d = bar("4", 3, 20, 5, 3000.04f);
    CVes_BarCore e = bar("5", 3, 20, 2, 6000.0f);
    sheet.Add(&d);
    sheet.Add(&e);
    ASSERT_EQ(sheet.bars().size(), 3u);
    EXPECT_EQ(sheet.bars()[0]->count, 3) << "6000 took bar 5";
    EXPECT_EQ(sheet.bars()[1]->count, 6) << "3000.08, now before 3000, took bar 4";
    EXPECT_EQ(sheet.bars()[2]->count, 1);

    sheet.clearBars();
    CVes_BarCore f = bar("6", 3, 20, 1, 3000.0f);
    sheet.Add(&f);
    EXPECT_EQ(sheet.bars().size(), 1u) << "nothing merges into bars that are gone";
}

struct OrderCase {
    const char* name;
    int dnOrder;
    int lenOrder;
    int byBends;
    std::vector<std::string> numbers;
};

class SortSheetOrder : public SortSheetTest, public testing::WithParamInterface<OrderCase> {};

// Bars: a %%C20 3000, b %%C12 5000, c %%B20 4000, d %%C20 6000 (two sides,
// two bends), e %%C12 1000.
TEST_P(SortSheetOrder, RowsFollowTheRules)
{
    const OrderCase& c = GetParam();
    sheet.m_rules.m_dnOrder = c.dnOrder;
    sheet.m_rules.m_lenOrder = c.lenOrder;
    sheet.m_rules.m_sortZheshu = c.byBends;
    fill({bar("a", 3, 20, 1, 3000), bar("b", 3, 12, 1, 5000), bar("c", 2, 20, 1, 4000),
          bar("d", 3, 20, 1, 6000, kBent), bar("e", 3, 12, 1, 1000)});
    EXPECT_EQ(barNumbers(), c.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSheetOrder,
    testing::Values(
        // No length order: diameter, grade, type, then the shape key.
        OrderCase{"SmallFirstNoLength", 1, 3, 0, {"b", "e", "c", "a", "d"}},
        // Large to small reverses diameter, grade and type, not the shape key.
        OrderCase{"LargeFirstNoLength", 0, 3, 0, {"a", "d", "c", "b", "e"}},
        OrderCase{"SmallFirstShortFirst", 1, 1, 0, {"e", "b", "c", "a", "d"}},
        OrderCase{"SmallFirstLongFirst", 1, 0, 0, {"b", "e", "c", "d", "a"}},
        OrderCase{"LengthOptionTwoIsNone", 1, 2, 0, {"b", "e", "c", "a", "d"}},
        // By bends only: most bends first, the others in the order added.
        OrderCase{"BendsIgnoreDiameterAndLength", 1, 1, 1, {"d", "a", "b", "c", "e"}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

TEST_F(SortSheetTest, SortKeyOfTheRules)
{
    CVes_SortRules r;
    r.m_dnOrder = 1;
    r.m_lenOrder = 0;
    EXPECT_EQ(CVes_SortBarSheet::sortKey(r), 4u | 2u);
    r.m_dnOrder = 0;
    r.m_lenOrder = 1;
    EXPECT_EQ(CVes_SortBarSheet::sortKey(r), 8u | 1u);
    r.m_lenOrder = 3;
    r.m_sortZheshu = 1;
    EXPECT_EQ(CVes_SortBarSheet::sortKey(r), 8u | 16u | 32u);
}

// Rows

TEST_F(SortSheetTest, SubtotalsPerSizeAndTotalWeight)
{
    sheet.m_rules.m_dnOrder = 1;
    CVes_BarCore epoxy = bar("c", 3, 20, 1, 1000);
    epoxy.steelType = 1;
    fill({bar("a", 3, 20, 2, 3000), bar("b", 1, 8, 10, 1500), epoxy, bar("d", 3, 20, 1, 4000)});
    // Published unit weights: 0.395 kg/m (8 mm) and 2.47 kg/m (20 mm).
    // 15 m × 0.395 = 5.925, 10 m × 2.47 = 24.70, 1 m × 2.47 = 2.47; 33.095 in all.
    const std::vector<std::string> expected = {
        "b|8|15.00",
        "a|20|6.00",
        "d|20|4.00",
        "c|20|1.00",
        "|合计",
        "|%%A8||||15.00|5.93",
        "|%%C20||||10.00|24.70",
        "|%%C20环||||1.00|2.47",
        "|总重|||||33.10",
    };
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(sheet.isModified(), 1);

    // Large to small reverses the subtotals too.
    sheet.sortUp();
    sheet.sortSteel();
    const std::vector<std::string> got = rows();
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_EQ(got[5].substr(0, 9), "|%%C20环");
    EXPECT_EQ(got[7].substr(0, 6), "|%%A8|");
}

// The subtotal weights come from metres whatever the unit of the length
// column, as the bar rows' weights do.
TEST_F(SortSheetTest, SubtotalWeightIndependentOfTheLengthUnit)
{
    sheet.m_units[CVes_SortBarSheet::kColTotalLength] = CVes_Template::kCentimetre;
    fill({bar("a", 3, 20, 2, 3000)});
    // 6 m × 2.47 kg/m.
    const std::vector<std::string> got = rows();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[2], "|%%C20||||600.00|14.82");
    CVes_BarCore* b = sheet.lines()[0]->getSteel();
    EXPECT_EQ(sheet.barTexts(*b).weight, "14.820");
}

TEST_F(SortSheetTest, GradedBarTotalsItsGroups)
{
    // 3 bars a group from 1000 to 2000 mm, 2 groups: 9 m.
    CVes_BarCore graded = bar("g", 3, 20, 2, 0);
    graded.calcLength = 1;
    graded.setMultiVal(1);
    graded.setMultiGroup(3);
    graded.setVarValue(QStringLiteral("A"), 1000.0);
    graded.setVarValueE(QStringLiteral("A"), 2000.0);
    fill({graded});
    CVes_BarCore* shown = sheet.lines()[0]->getSteel();
    ASSERT_NE(shown, nullptr);
    const CVes_SortBarSheet::BarTexts texts = sheet.barTexts(*shown);
    EXPECT_EQ(texts.totalLength, "9.00");
    EXPECT_EQ(texts.cutLength, "1000～2000\n等差:500");
    EXPECT_EQ(texts.count, "3根/组\n共2组");
    EXPECT_FLOAT_EQ(shown->length, 1000.0f) << "the stored length becomes the first length";
    EXPECT_EQ(rows()[2].substr(0, 13), "|%%C20||||9.0");
}

// A bar whose length is computed from its shape reads as a bar whose length
// is typed, whatever the units of the shape, cut-length and total-length
// columns.
constexpr int kMillimetre = CVes_Template::kMillimetre;
constexpr int kCentimetre = CVes_Template::kCentimetre;
constexpr int kMetre = CVes_Template::kMetre;

struct ComputedCase {
    const char* name;
    int shapeUnit;
    int cutUnit;
    int totalUnit;
    float length; // in the shape unit
};

void PrintTo(const ComputedCase& c, std::ostream* os) { *os << c.name; }

class SortSheetComputed : public SortSheetTest,
                          public testing::WithParamInterface<ComputedCase> {};

TEST_P(SortSheetComputed, ReadsAsTheSameLengthTyped)
{
    const ComputedCase& c = GetParam();
    sheet.m_units[CVes_SortBarSheet::kColShape] = c.shapeUnit;
    sheet.m_units[CVes_SortBarSheet::kColCutLength] = c.cutUnit;
    sheet.m_units[CVes_SortBarSheet::kColTotalLength] = c.totalUnit;
    CVes_BarCore typed = bar("t", 3, 20, 3, c.length);
    CVes_BarCore computed = bar("c", 3, 20, 3, 0);
    computed.calcLength = 1;
    computed.setVarValue(QStringLiteral("A"), c.length);
    fill({typed, computed});
    ASSERT_EQ(sheet.bars().size(), 2u);
    const CVes_SortBarSheet::BarTexts a = sheet.barTexts(*sheet.bars()[0]);
    const CVes_SortBarSheet::BarTexts b = sheet.barTexts(*sheet.bars()[1]);
    EXPECT_EQ(b.cutLength, a.cutLength);
    EXPECT_EQ(b.totalLength, a.totalLength);
    EXPECT_EQ(b.weight, a.weight);
    EXPECT_FALSE(b.badLength);
    if (c.shapeUnit == kMillimetre && c.cutUnit == kMillimetre && c.totalUnit == kMetre) {
        EXPECT_EQ(b.cutLength, "1500");
        EXPECT_EQ(b.totalLength, "4.50");
    }
    // Asked again, the computed bar's texts stay as they were.
    const CVes_SortBarSheet::BarTexts again = sheet.barTexts(*sheet.bars()[1]);
    EXPECT_EQ(again.cutLength, b.cutLength);
    EXPECT_EQ(again.totalLength, b.totalLength);
}

INSTANTIATE_TEST_SUITE_P(
    Units, SortSheetComputed,
    testing::Values(ComputedCase{"mm_mm_m", kMillimetre, kMillimetre, kMetre, 1500},
                    ComputedCase{"mm_cm_m", kMillimetre, kCentimetre, kMetre, 1500},
                    ComputedCase{"mm_m_cm", kMillimetre, kMetre, kCentimetre, 1500},
                    ComputedCase{"cm_mm_m", kCentimetre, kMillimetre, kMetre, 150},
                    ComputedCase{"m_m_m", kMetre, kMetre, kMetre, 2}),
    [](const testing::TestParamInfo<ComputedCase>& info) { return std::string(info.param.name); });

// A cut length is rounded half up, as every other sheet writes it.
struct RoundingCase {
    const char* name;
    float first;       // mm
    float last;        // mm; graded when it differs from the first
    int cutUnit;
    const char* cutLength;
};

void PrintTo(const RoundingCase& c, std::ostream* os) { *os << c.name; }

class SortSheetRounding : public SortSheetTest,
                          public testing::WithParamInterface<RoundingCase> {};

TEST_P(SortSheetRounding, CutLengthRoundsHalfUp)
{
    const RoundingCase& c = GetParam();
    sheet.m_units[CVes_SortBarSheet::kColCutLength] = c.cutUnit;
    CVes_BarCore b = bar("r", 3, 20, 2, c.first);
    if (c.last != c.first) {
        b.calcLength = 1;
        b.setMultiVal(1);
        b.setMultiGroup(3);
        b.setVarValue(QStringLiteral("A"), c.first);
        b.setVarValueE(QStringLiteral("A"), c.last);
    }
    fill({b});
    EXPECT_EQ(sheet.barTexts(*sheet.lines()[0]->getSteel()).cutLength, c.cutLength);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSheetRounding,
    testing::Values(RoundingCase{"HalfGoesUp", 2999.5f, 2999.5f, CVes_Template::kMillimetre, "3000"},
                    RoundingCase{"BelowHalfGoesDown", 2999.4f, 2999.4f, CVes_Template::kMillimetre,
                                 "2999"},
                    // A typed length is in the shape column's millimetres.
                    RoundingCase{"InMetres", 2999.5f, 2999.5f, CVes_Template::kMetre, "3.00"},
                    RoundingCase{"InCentimetres", 2999.5f, 2999.5f, CVes_Template::kCentimetre,
                                 "300"},
                    // 100.5, 120.5, 140.5 cm: a step of 20.
                    RoundingCase{"GradedInCentimetres", 1005.0f, 1405.0f,
                                 CVes_Template::kCentimetre, "101～141\n等差:20"},
                    RoundingCase{"GradedInMetres", 1004.0f, 1404.0f, CVes_Template::kMetre,
                                 "1.00～1.40\n等差:0.20"},
                    RoundingCase{"GradedStepOfAHalf", 1000.0f, 1001.0f, CVes_Template::kMillimetre,
                                 "1000～1001\n等差:1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MergeNoteCase {
    const char* name;
    const char* remark;
    int show;
    std::vector<std::string> firstRows;
};

class SortSheetMergeNote : public SortSheetTest,
                           public testing::WithParamInterface<MergeNoteCase> {};

TEST_P(SortSheetMergeNote, OriginsOfMergedBars)
{
    const MergeNoteCase& c = GetParam();
    sheet.m_rules.m_guibingShow = c.show;
    CVes_BarCore b = bar("1", 3, 20, 2, 3000);
    b.remark = QString::fromUtf8(c.remark);
    fill({b});
    std::vector<std::string> got;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        auto* row = dynamic_cast<CVes_SortBarSheetLine*>(line);
        got.push_back(row->m_isString ? row->m_strArray.join(u'|').toStdString()
                                      : row->m_steel.remark.toStdString());
        if (got.size() == c.firstRows.size())
            break;
    }
    EXPECT_EQ(got, c.firstRows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortSheetMergeNote,
    testing::Values(
        MergeNoteCase{"ShownByNumber", "1(2根); 5(3根)", 2,
                      {"多项归并", "归并信息|1(2根); 5(3根)", "|合计"}},
        MergeNoteCase{"NotShown", "1(2根); 5(3根)", 0, {"多项归并", "|合计"}},
        MergeNoteCase{"OneOrigin", "1(2根)", 2, {"1(2根)", "|合计"}},
        MergeNoteCase{"LeadingSemicolonLeftAlone", ";a;b", 2, {";a;b", "|合计"}}),
    [](const testing::TestParamInfo<MergeNoteCase>& info) { return std::string(info.param.name); });

TEST_F(SortSheetTest, ZeroCountRowsFollowTheOption)
{
    fill({bar("z", 3, 20, 0, 3000), bar("a", 3, 20, 1, 3000)});
    EXPECT_EQ(barNumbers(), (std::vector<std::string>{"z", "a"}));
    sheet.showZeroNum();
    sheet.sortSteel();
    EXPECT_EQ(barNumbers(), (std::vector<std::string>{"a"}));
}

TEST_F(SortSheetTest, EmptyListGivesNoRowsAndOneBarIsStillTotalled)
{
    sheet.Add(QStringList{QStringLiteral("old")});
    sheet.sortSteel();
    EXPECT_TRUE(sheet.lines().isEmpty());
    fill({bar("1", 3, 20, 1, 3000)});
    EXPECT_EQ(sheet.lines().size(), 4);
}

// Drawing

TEST_F(SortSheetTest, FaultyValuesAreRedOnScreenOnly)
{
    sheet.m_rules.m_dnOrder = 1;
    fill({bar("thin", 3, 0.5f, 0, 0), bar("ok", 3, 20, 1, 3000)});
    sheet.firstPage();
    const auto draw = [&](bool printing) {
        platform::RecordingDc::Device device;
        device.printing = printing;
        platform::RecordingDc dc(device);
        sheet.Draw(&dc, Rect(0, 0, 1200, 1600));
    };
    const auto colour = [&](int row, int column) {
        return sheet.getForm()->GetCell(row, column)->textColor();
    };
    draw(false);
    const platform::COLORREF red = RGB(255, 0, 0);
    // Bars run small to large here: "thin" first.
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColSize), red);
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColCutLength), red);
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColCount), red);
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColNumber), RGB(0, 0, 0));
    EXPECT_EQ(colour(2, CVes_SortBarSheet::kColSize), RGB(0, 0, 0));
    draw(true);
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColSize), RGB(0, 0, 0));
    EXPECT_EQ(colour(1, CVes_SortBarSheet::kColCount), RGB(0, 0, 0));
}

TEST_F(SortSheetTest, MergeNoteSpansTheRowAndSitsUnderTheNumber)
{
    CVes_BarCore b = bar("7", 3, 20, 2, 3000);
    b.remark = QStringLiteral("1(1根); 2(1根)");
    fill({b});
    sheet.firstPage();
    platform::RecordingDc dc;
    sheet.Draw(&dc, Rect(0, 0, 1200, 1600));
    const CVes_Form& form = *sheet.getForm();
    EXPECT_EQ(form.GetCell(2, CVes_SortBarSheet::kColSize)->text(), "1(1根); 2(1根)");
    EXPECT_EQ(form.GetCell(1, CVes_SortBarSheet::kColNumber)->mergeEndRow(), 2);
    EXPECT_EQ(form.GetCell(2, CVes_SortBarSheet::kColSize)->mergeEndColumn(),
              CVes_SortBarSheet::kColRemark);
}

TEST_F(SortSheetTest, PrintedTextHeightIgnoresTheScreenZoom)
{
    fill({bar("1", 3, 20, 1, 3000)});
    sheet.firstPage();
    sheet.setScale(2.5);
    platform::RecordingDc::Device device;
    device.printing = true;
    platform::RecordingDc dc(device);
    sheet.Draw(&dc, Rect(0, 0, 1200, 1600));
    EXPECT_EQ(sheet.getForm()->GetCell(1, CVes_SortBarSheet::kColNumber)->getTxtHigh(), 40);
    EXPECT_EQ(sheet.getForm()->GetCell(1, CVes_SortBarSheet::kColRemark)->getTxtHigh(), 36);
}

// Workbook

TEST_F(SortSheetTest, WorkbookRowsWithPicturesAndUnitCaptions)
{
    CVes_BarCore noShape = bar("n", 3, 12, 1, 2000, CSteelRecordId());
    sheet.m_rules.m_dnOrder = 1;
    fill({bar("1", 3, 20, 2, 3000), noShape});
    sheet.m_units[CVes_SortBarSheet::kColTotalLength] = CVes_Template::kCentimetre;
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    const int rows = sheet.fillExcel(book);
    EXPECT_EQ(rows, int(sheet.lines().size()) + 1);
    EXPECT_EQ(book.text(5, 6), "总长度\n(cm)");
    EXPECT_EQ(book.text(5, 4), "") << "a unit the template names is left alone";
    EXPECT_EQ(book.text(6, 1), "n");
    EXPECT_EQ(book.text(7, 1), "1");
    EXPECT_EQ(book.text(7, 4), "3000");
    EXPECT_EQ(book.text(7, 5), "2");
    EXPECT_EQ(book.text(8, 2), "合计");
    ASSERT_EQ(book.pictures().size(), 1u) << "a bar without a shape has no picture";
    EXPECT_EQ(book.pictures()[0].row, 7);
    EXPECT_EQ(book.pictures()[0].column, 3);
    EXPECT_DOUBLE_EQ(book.pictures()[0].left, 2.0);
    EXPECT_DOUBLE_EQ(book.pictures()[0].top, 3.0);
}

// The origins of a merged bar span the columns they span on the printed
// page, B to H, instead of being cut at the edges of column B.
TEST_F(SortSheetTest, WorkbookMergeInformationSpansItsColumns)
{
    sheet.Add(QStringList{CVes_SortBarSheet::kMergeInfo, QStringLiteral("1(2根); 5(3根)")});
    platform::xlsx::Worksheet book(platform::xlsx::SheetTemplate{QStringLiteral("S"), false, {}});
    sheet.fillExcel(book);
    EXPECT_EQ(book.text(6, 2), "1(2根); 5(3根)");
    EXPECT_EQ(book.merges(), (std::map<std::pair<int, int>, int>{{{6, 2}, 8}}));
}

// Threads

// Two sheets sorted at once in opposite orders, while the process-wide sort
// mode says something else, each give their own order.
TEST_F(SortSheetTest, SheetsSortOnSeveralThreadsAtOnce)
{
    std::vector<CVes_BarCore> bars;
    for (int i = 0; i < 200; ++i)
        bars.push_back(bar(std::to_string(i).c_str(), 3, float(6 + (i * 7) % 40), 1,
                           float(1000 + (i * 37) % 5000)));
    CVes_SortBarSheet up;
    CVes_SortBarSheet down;
    up.m_rules.m_dnOrder = 1;
    up.m_rules.m_lenOrder = 1;
    down.m_rules.m_dnOrder = 0;
    down.m_rules.m_lenOrder = 0;
    for (CVes_BarCore& b : bars) {
        up.Add(&b);
        down.Add(&b);
    }
    CVes_BarCore::setSort(CVes_BarCore::kSortByBends);
    std::thread a([&] {
        for (int i = 0; i < 20; ++i)
            up.sortSteel();
    });
    std::thread b([&] {
        for (int i = 0; i < 20; ++i)
            down.sortSteel();
    });
    a.join();
    b.join();
    CVes_BarCore::setSort(0);
    const auto ordered = [](const CVes_SortBarSheet& s, bool ascending) {
        for (std::size_t i = 1; i < s.bars().size(); ++i) {
            const CVes_BarCore& p = *s.bars()[i - 1];
            const CVes_BarCore& q = *s.bars()[i];
            if (p.DN != q.DN) {
                if ((p.DN < q.DN) != ascending)
                    return false;
            } else if (p.length != q.length && (p.length < q.length) != ascending) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(ordered(up, true));
    EXPECT_TRUE(ordered(down, false));
}

} // namespace
