// The check of a sheet's bar rows the three editable sheets share: which
// bars it compares, what makes two bars one bar or one shape for it, and
// the findings it lists.

#include "tables/framework/barcheck.h"

#include "core/model/steel.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const CSteelRecordId kStraight{150, 41};
const CSteelRecordId kBent{150, 42};
const CSteelRecordId kUpright{150, 43};

const QString kSameNumber = QStringLiteral("编号相同");
const QString kOtherLength = QStringLiteral("长度不同");

// Bars of one straight shape of length A, 12 mm, grade 3, typed lengths;
// a bent shape besides.
class BarCheck : public testing::Test {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kStraight).var("A", 3000).straight({1300, 150}, "0", "A").build());
        // Another shape of the same dimensions: one side, standing up.
        scope.add(test::ShapeBuilder(kUpright).var("A", 3000).straight({100, 1300}, "90", "A").build());
        scope.add(test::ShapeBuilder(kBent)
                      .var("A", 3000)
                      .var("B", 500)
                      .straight({1300, 150}, "0", "A")
                      .straight({1300, 600}, "90", "B")
                      .build());
    }
    CVes_Steel& add(const char* number, double length)
    {
        auto bar = std::make_unique<CVes_Steel>();
        bar->number = QString::fromUtf8(number);
        bar->setRecordId(kStraight);
        bar->setSteel(3, 12.0f, 0);
        bar->count = 2;
        bar->calcLength = 0;
        bar->length = float(length);
        bar->setVarValue(QStringLiteral("A"), 3000.0);
        bars.push_back(std::move(bar));
        return *bars.back();
    }
    // Each bar a row of page 1, processed and complete.
    std::vector<CheckedBar> rows() const
    {
        std::vector<CheckedBar> checked;
        for (std::size_t i = 0; i < bars.size(); ++i)
            checked.push_back(CheckedBar{bars[i].get(), 1, int(i) + 1, true, -1});
        return checked;
    }
    // The findings of the check, with its answer.
    QString check(const std::vector<CheckedBar>& checked, BarCheckRules rules = {})
    {
        QString findings;
        passed = checkBarRows(checked, rules, findings);
        EXPECT_TRUE(findings.startsWith(QStringLiteral("<UL>")) && findings.endsWith(QStringLiteral("</UL>")));
        return findings;
    }

    test::CacheScope scope;
    std::vector<std::unique_ptr<CVes_Steel>> bars;
    int passed = -1;
};

// How the last bar differs from the bars before it.
struct Difference {
    const char* name;
    std::function<void(CVes_Steel&)> apply;
};

void PrintTo(const Difference& d, std::ostream* os) { *os << d.name; }

const Difference kDifferences[] = {
    {"Diameter", [](CVes_Steel& b) { b.setDN(14.0f); }},
    {"Grade", [](CVes_Steel& b) { b.grade = 4; }},
    {"Shape", [](CVes_Steel& b) {
         b.setRecordId(kBent);
         b.setVarValue(QStringLiteral("A"), 3000.0);
         b.setVarValue(QStringLiteral("B"), 500.0);
     }},
    {"Dimension", [](CVes_Steel& b) { b.setVarValue(QStringLiteral("A"), 2500.0); }},
    // The diameter alone: its ends still join bars of the others' size.
    {"DiameterAlone", [](CVes_Steel& b) {
         b.setDN(14.0f);
         b.getLConnect()->farDN = 12.0f;
         b.getRConnect()->farDN = 12.0f;
     }},
};

class SameNumber : public BarCheck, public testing::WithParamInterface<Difference> {};

// Two equal bars under one number pass; a third under it that differs is
// reported against each of them, whatever the earlier comparison found.
TEST_P(SameNumber, ABarThatDiffersIsReportedAgainstEachBarOfItsNumber)
{
    add("1", 3000);
    add("1", 3000);
    GetParam().apply(add("1", 3000));
    const QString findings = check(rows());
    EXPECT_EQ(passed, 0);
    EXPECT_EQ(findings.count(kSameNumber), 2) << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("第1页/第3行 与 第1页/第1行"))) << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("第1页/第3行 与 第1页/第2行"))) << findings.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Differences, SameNumber, testing::ValuesIn(kDifferences),
                         [](const auto& info) { return std::string(info.param.name); });

class OtherNumberOtherLength : public BarCheck, public testing::WithParamInterface<Difference> {};

// Bars under other numbers are compared by length only when they are of
// one grade, diameter, shape and dimensions.
TEST_P(OtherNumberOtherLength, IsNoFindingForAnotherBar)
{
    add("1", 3000);
    GetParam().apply(add("2", 3500));
    const QString findings = check(rows());
    EXPECT_EQ(passed, 1) << findings.toStdString();
    EXPECT_FALSE(findings.contains(kOtherLength)) << findings.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Differences, OtherNumberOtherLength, testing::ValuesIn(kDifferences),
                         [](const auto& info) { return std::string(info.param.name); });

// Another shape of the same dimensions and the same sides turned is one
// bar to sameness, but another shape to the length comparison.
INSTANTIATE_TEST_SUITE_P(
    TurnedShape, OtherNumberOtherLength,
    testing::Values(Difference{"ShapeOfTheSameDimensions",
                               [](CVes_Steel& b) {
                                   b.setRecordId(kUpright);
                                   b.setVarValue(QStringLiteral("A"), 3000.0);
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarCheck, TheSameBarUnderOtherNumbersWithAnotherLengthIsReported)
{
    add("1", 3000);
    add("2", 3000);
    add("3", 3500);
    const QString findings = check(rows());
    EXPECT_EQ(passed, 0);
    EXPECT_EQ(findings.count(kOtherLength), 2) << findings.toStdString();
    EXPECT_TRUE(findings.contains(QStringLiteral("第1页/第3行 <b>第3号钢筋</b>与第1页 第1行 <b>第1号钢筋</b>")))
        << findings.toStdString();
    EXPECT_FALSE(findings.contains(kSameNumber));
}

// A dimension of 0 and one of -0 are one dimension.
TEST_F(BarCheck, ZeroAndNegativeZeroDimensionsAreOneShape)
{
    add("1", 3000).setVarValue(QStringLiteral("A"), 0.0);
    add("2", 3500).setVarValue(QStringLiteral("A"), -0.0);
    const QString findings = check(rows());
    EXPECT_EQ(findings.count(kOtherLength), 1) << findings.toStdString();
}

TEST_F(BarCheck, EqualBarsUnderOneNumberAndOneLengthPass)
{
    add("1", 3000);
    add("1", 3000);
    add("2", 3000);
    const QString findings = check(rows());
    EXPECT_EQ(passed, 1) << findings.toStdString();
    EXPECT_EQ(findings, QStringLiteral("<UL></UL>"));
}

// An incomplete bar is listed with its reason and compared with nothing;
// a bar that is not processed is only compared with when asked.
struct RowsCase {
    const char* name;
    bool secondProcessed;
    int secondReason;
    BarCheckRules rules;
    int sameNumberFindings;
    bool incompleteListed;
};

void PrintTo(const RowsCase& c, std::ostream* os) { *os << c.name; }

class CheckedRows : public BarCheck, public testing::WithParamInterface<RowsCase> {};

TEST_P(CheckedRows, WhichBarsAreComparedWithWhich)
{
    const RowsCase& c = GetParam();
    add("1", 3000);
    add("1", 3000).setDN(14.0f);
    std::vector<CheckedBar> checked = rows();
    checked[0].process = c.secondProcessed;
    checked[0].reason = c.secondReason;
    const QString findings = check(checked, c.rules);
    EXPECT_EQ(findings.count(kSameNumber), c.sameNumberFindings) << findings.toStdString();
    EXPECT_EQ(findings.contains(QStringLiteral("信息不完整——【钢筋规格】错误！")), c.incompleteListed)
        << findings.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckedRows,
    testing::Values(RowsCase{"BothProcessed", true, -1, {}, 1, false},
                    RowsCase{"FirstNotProcessed", false, -1, {}, 0, false},
                    RowsCase{"FirstNotProcessedButCompared", false, -1, {true, false}, 1, false},
                    RowsCase{"BothSidesEachFindingTwice", true, -1, {false, true}, 2, false},
                    RowsCase{"FirstIncompleteBothSides", true, 1, {false, true}, 0, true},
                    RowsCase{"FirstIncompleteNotProcessed", false, 1, {}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Numbers in the findings are the user's text: they are escaped.
TEST_F(BarCheck, NumbersAreEscapedInTheFindings)
{
    add("<b>1", 3000);
    add("<b>1", 3000).setDN(14.0f);
    const QString findings = check(rows());
    EXPECT_TRUE(findings.contains(QStringLiteral("&lt;b&gt;1号钢筋"))) << findings.toStdString();
    EXPECT_FALSE(findings.contains(QStringLiteral("<b><b>1")));
}

} // namespace
