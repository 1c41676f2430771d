#include "tables/processing/processtableeditline.h"
#include "core/geometry/text.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <ostream>
#include <string>

namespace {

using test::CacheScope;
using test::ShapeBuilder;
using Line = CVes_ProcessTableEditLine;

// A row of the given kind whose four texts all differ, locked, three rows
// high, with a numbered bar.
void fill(Line& line, unsigned int kind)
{
    line.setType(kind);
    line.setProject(QStringLiteral("某工程"));
    line.setStory(QStringLiteral("一层"));
    line.setEleType(QStringLiteral("框架柱"));
    line.setEle(QStringLiteral("KZ1"));
    line.setLock(1);
    line.setRows(3);
    line.m_steel.number = QStringLiteral("12");
    line.m_steel.AddLp(2, 4, 0, QString(), 0);
    line.m_steel.setNull(kind == Line::kSteelRow ? 0 : 1);
}

void expectSameTexts(const Line& a, const Line& b)
{
    EXPECT_EQ(a.getProject(), b.getProject());
    EXPECT_EQ(a.getStory(), b.getStory());
    EXPECT_EQ(a.getEleType(), b.getEleType());
    EXPECT_EQ(a.getEle(), b.getEle());
}

class ProcessTableEditLineKinds : public ::testing::TestWithParam<unsigned int> {};

TEST_P(ProcessTableEditLineKinds, CopyConstructorKeepsKindTextsAndBar)
{
    Line source;
    fill(source, GetParam());
    source.m_null = 1;

    const Line copy(source);
    EXPECT_EQ(copy.getType(), GetParam());
    expectSameTexts(copy, source);
    EXPECT_EQ(copy.getSteel()->number, "12");
    EXPECT_EQ(copy.getSteel()->getLPNum(), 1);
    EXPECT_EQ(copy.m_null, 0) << "empty mark, lock and rows start afresh";
    EXPECT_EQ(copy.getLock(), 0);
    EXPECT_EQ(copy.getRows(), 1);
}

TEST_P(ProcessTableEditLineKinds, CopyTakesEverythingTheSheetKeeps)
{
    Line source;
    fill(source, GetParam());
    Line copy(Line::kProjectRow);
    copy.copy(&source);
    EXPECT_EQ(copy.getType(), GetParam());
    expectSameTexts(copy, source);
    EXPECT_EQ(copy.getLock(), 1);
    EXPECT_EQ(copy.getRows(), 3);
    EXPECT_EQ(copy.isNull(), source.isNull());
    EXPECT_EQ(copy.getSteel()->number, "12");
    EXPECT_EQ(copy.getSteel()->isNull(), source.getSteel()->isNull());
    EXPECT_EQ(copy.isStoryLine(), GetParam() == Line::kStoryRow ? 1 : 0);

    copy.setEleType(QStringLiteral("梁"));
    copy.m_steel.number = QStringLiteral("13");
    EXPECT_EQ(source.getEleType(), QStringLiteral("框架柱")) << "the copy is a copy";
    EXPECT_EQ(source.getSteel()->number, "12");
}

const char* const kKindNames[] = {"bar", "element", "element_type", "storey", "project"};

INSTANTIATE_TEST_SUITE_P(Kinds, ProcessTableEditLineKinds, ::testing::Values(0u, 1u, 2u, 3u, 4u),
                         [](const auto& info) { return std::string(kKindNames[info.param]); });

TEST(ProcessTableEditLine, CopyTakesTheEmptinessOfTheSource)
{
    Line source;
    source.m_steel.number = QStringLiteral("1");
    ASSERT_EQ(source.m_null, 0);
    ASSERT_EQ(source.isNull(), 1) << "a new bar row holds an empty bar";
    Line copy;
    copy.setNull(0);
    copy.copy(source);
    EXPECT_EQ(copy.m_null, 1);
    EXPECT_EQ(copy.isNull(), 1);

    copy.copy(&copy);
    EXPECT_EQ(copy.getSteel()->number, "1") << "a row copied onto itself stays";
    copy.copy(nullptr);
    EXPECT_EQ(copy.getSteel()->number, "1");
}

// emptiness

struct EmptyCase {
    const char* name;
    unsigned int kind;
    int mark;
    int barFlag;
    int empty;
};

void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableEditLineEmpty : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(ProcessTableEditLineEmpty, HeadingsByTheirMarkBarRowsByMarkOrBar)
{
    const EmptyCase& c = GetParam();
    Line line(c.kind);
    line.m_null = c.mark;
    line.setSteelNull(c.barFlag);
    EXPECT_EQ(line.m_null, c.mark) << "the bar's flag alone leaves the mark";
    EXPECT_EQ(line.isNull(), c.empty);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableEditLineEmpty,
    ::testing::Values(EmptyCase{"bar_row_filled", 0, 0, 0, 0},
                      EmptyCase{"bar_row_empty_bar", 0, 0, 1, 1},
                      EmptyCase{"bar_row_marked", 0, 1, 0, 1},
                      EmptyCase{"storey_with_empty_bar", 3, 0, 1, 0},
                      EmptyCase{"storey_marked", 3, 1, 0, 1},
                      EmptyCase{"project_with_empty_bar", 4, 0, 1, 0},
                      EmptyCase{"element_marked", 1, 1, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessTableEditLine, SetNullReachesTheBarOfABarRowOnly)
{
    Line bar;
    bar.setNull(0);
    EXPECT_EQ(bar.getSteel()->isNull(), 0) << "a new bar row becomes a real one";
    EXPECT_EQ(bar.isNull(), 0);
    bar.setNull(1);
    EXPECT_EQ(bar.getSteel()->isNull(), 1);

    Line heading(Line::kEleRow);
    heading.setNull(0);
    EXPECT_EQ(heading.getSteel()->isNull(), 1) << "a heading's bar stays empty";
    EXPECT_EQ(heading.isNull(), 0);
    heading.setNull(1);
    EXPECT_EQ(heading.isNull(), 1);
}

// completeness

struct AvailableCase {
    const char* name;
    void (*change)(CVes_ProcessSteel&);
    int result;
    int fault; // -1: the fault code is not looked at
};

void PrintTo(const AvailableCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableEditLineAvailable : public ::testing::TestWithParam<AvailableCase> {
protected:
    // A complete bar: number 1, grade 2 Φ12, 2 bars of a fixed 3000 mm, on a
    // straight shape with L 3000.
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build());
        CVes_ProcessSteel& bar = line.m_steel;
        bar.setRecordId({150, 1});
        bar.setSteel(2, 12.0f, 0);
        bar.number = QStringLiteral("1");
        bar.count = 2;
        bar.calcLength = 0;
        bar.length = 3000.0f;
        bar.setNull(0);
    }
    CacheScope scope;
    Line line;
};

TEST_P(ProcessTableEditLineAvailable, FirstMissingItemIsReported)
{
    const AvailableCase& c = GetParam();
    c.change(line.m_steel);
    int fault = 77;
    EXPECT_EQ(line.isAvailable(fault), c.result);
    if (c.fault != -1) {
        EXPECT_EQ(fault, c.fault);
    }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessTableEditLineAvailable,
    ::testing::Values(
        AvailableCase{"complete", [](CVes_ProcessSteel&) {}, 1, -1},
        AvailableCase{"empty_bar_skips_every_check",
                      [](CVes_ProcessSteel& s) {
                          s.setNull(1);
                          s.number.clear();
                          s.count = 0;
                      },
                      1, 77},
        AvailableCase{"no_number", [](CVes_ProcessSteel& s) { s.number.clear(); }, 0, 0},
        AvailableCase{"number_zero", [](CVes_ProcessSteel& s) { s.number = "0"; }, 0, 0},
        AvailableCase{"number_zero_with_blanks", [](CVes_ProcessSteel& s) { s.number = " 0 "; },
                      0, 0},
        AvailableCase{"number_blanks", [](CVes_ProcessSteel& s) { s.number = "  "; }, 0, 0},
        AvailableCase{"number_double_zero", [](CVes_ProcessSteel& s) { s.number = "00"; }, 1, -1},
        AvailableCase{"number_checked_first",
                      [](CVes_ProcessSteel& s) {
                          s.number.clear();
                          s.count = 0;
                          s.grade = 0;
                      },
                      0, 0},
        AvailableCase{"diameter_below_3", [](CVes_ProcessSteel& s) { s.DN = 2.9f; }, 0, 1},
        AvailableCase{"diameter_exactly_3", [](CVes_ProcessSteel& s) { s.DN = 3.0f; }, 1, -1},
        AvailableCase{"diameter_not_a_number", [](CVes_ProcessSteel& s) { s.DN = kNaN; }, 0, 1},
        AvailableCase{"no_grade", [](CVes_ProcessSteel& s) { s.grade = 0; }, 0, 1},
        AvailableCase{"fixed_length_below_1", [](CVes_ProcessSteel& s) { s.length = 0.9f; }, 0,
                      3},
        AvailableCase{"fixed_length_1", [](CVes_ProcessSteel& s) { s.length = 1.0f; }, 1, -1},
        AvailableCase{"fixed_length_negative", [](CVes_ProcessSteel& s) { s.length = -5.0f; }, 0,
                      3},
        AvailableCase{"fixed_length_not_a_number", [](CVes_ProcessSteel& s) { s.length = kNaN; },
                      0, 3},
        AvailableCase{"computed_length",
                      [](CVes_ProcessSteel& s) {
                          s.calcLength = 1;
                          s.length = 0.0f;
                      },
                      1, -1},
        AvailableCase{"computed_length_of_nothing",
                      [](CVes_ProcessSteel& s) {
                          s.calcLength = 1;
                          s.length = 3000.0f;
                          s.setVarValue("L", 0.0);
                      },
                      0, 3},
        AvailableCase{"no_bars", [](CVes_ProcessSteel& s) { s.count = 0; }, 0, 4},
        AvailableCase{"negative_bars", [](CVes_ProcessSteel& s) { s.count = -2; }, 0, 4},
        AvailableCase{"dimension_zero", [](CVes_ProcessSteel& s) { s.setVarValue("L", 0.0); }, 0,
                      2},
        AvailableCase{"dimension_negative",
                      [](CVes_ProcessSteel& s) { s.setVarValue("L", -5.0); }, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Standard, computed and text values are not dimensions the user gives: a
// zero among them is no fault of the shape.
TEST_F(ProcessTableEditLineAvailable, OnlyTheUsersDimensionsMustBePositive)
{
    VariableArray vars;
    for (const auto& v : line.m_steel.getVarArray())
        vars.push_back(std::make_unique<CVes_Variable>(*v));
    const struct {
        const char* name;
        unsigned int kind;
    } extra[] = {{"lle", CVes_Variable::kStandard},
                 {"H", CVes_Variable::kComputed},
                 {"T", CVes_Variable::kTextKind}};
    for (const auto& e : extra) {
        auto v = std::make_unique<CVes_Variable>();
        v->m_text = QString::fromLatin1(e.name);
        v->m_type = e.kind;
        v->m_value = 0.0;
        vars.push_back(std::move(v));
    }
    line.m_steel.setVarArray(vars);
    int fault = 77;
    EXPECT_EQ(line.isAvailable(fault), 1);

    auto whole = std::make_unique<CVes_Variable>();
    whole->m_text = QStringLiteral("n");
    whole->m_type = CVes_Variable::kWholeNumber;
    whole->m_value = 0.0;
    vars.push_back(std::move(whole));
    line.m_steel.setVarArray(vars);
    EXPECT_EQ(line.isAvailable(fault), 0);
    EXPECT_EQ(fault, Line::kFaultShape);
}

TEST_F(ProcessTableEditLineAvailable, HeadingRowsAreAvailable)
{
    Line heading(Line::kStoryRow);
    heading.setSteelNull(1);
    int fault = 77;
    EXPECT_EQ(heading.isAvailable(fault), 1);
    EXPECT_EQ(fault, 77);
}

// sameness and joining

TEST_F(ProcessTableEditLineAvailable, CompareAsksWhetherTheBarsAreTheSame)
{
    Line other;
    other.copy(line);
    other.setType(Line::kEleRow);
    other.m_steel.number = QStringLiteral("8");
    EXPECT_EQ(line.compare(other), 1);
    EXPECT_TRUE(line.isGreat(other)) << "a processing row compares with a summary row's rule";
    other.m_steel.grade = 3;
    EXPECT_EQ(line.compare(other), 0);
    EXPECT_FALSE(line.isGreat(other));

    CVes_ProcessTableListLine summary;
    EXPECT_TRUE(line.joinTo(&summary));
    EXPECT_TRUE(line.joinTo(nullptr));
    EXPECT_EQ(summary.getSteel()->isNull(), 1) << "joining changes nothing";
}

} // namespace
