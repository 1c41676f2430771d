// The bar-list line: what each kind holds, the kind-guarded setters, the
// completeness test of a bar line and the copy of a line.

#include "tables/barlist/setuptableline.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Line = CVes_SetupTableLine;

TEST(SetupTableLine, NewLinesHoldTheirKindsDefaults)
{
    test::CacheScope scope;
    ASSERT_TRUE(Info_UserCustomSetEleNum(3));

    Line plain;
    EXPECT_EQ(plain.getType(), Line::kSteelLine);
    EXPECT_EQ(plain.isNull(), 1);
    EXPECT_EQ(plain.getShow(), 1);
    EXPECT_EQ(plain.getLock(), 0);
    EXPECT_EQ(plain.getRows(), 1);
    EXPECT_EQ(plain.getEleNum(), 0);
    EXPECT_EQ(plain.isSteelLine(), 1);
    EXPECT_EQ(plain.getSteel(), plain.getSetupSteel());
    EXPECT_EQ(plain.getSetupSteel()->count, 1);
    EXPECT_EQ(plain.getSetupSteel()->DN, 10.0f);
    EXPECT_EQ(plain.getImage(), nullptr);
    EXPECT_EQ(plain.m_unitMerged, 1);
    EXPECT_EQ(plain.m_unitSame, 1);
    EXPECT_EQ(plain.m_unitForm, 2);

    Line element(Line::kElementLine);
    EXPECT_EQ(element.getEleNum(), 3);
    EXPECT_EQ(element.isElementLine(), 1);
    EXPECT_EQ(element.isNull(), 1);
    EXPECT_EQ(element.getSteel(), nullptr);
    EXPECT_EQ(element.isSteelLine(), 0);

    Line image(Line::kImageLine);
    EXPECT_EQ(image.isImageLine(), 1);
    EXPECT_NE(image.getImage(), nullptr);
    EXPECT_EQ(image.getSteel(), nullptr);
}

TEST(SetupTableLine, SettersActOnlyOnTheirOwnKind)
{
    CVes_Steel bar;
    bar.number = "7";
    Line text(Line::kTextLine);
    text.setSteel(&bar);
    text.setUnit("1", "2", 0);
    EXPECT_EQ(text.isNull(), 1);
    EXPECT_EQ(text.getUnitStart(), "");

    Line unit(Line::kUnitLine);
    unit.SetText(0, "x");
    unit.SetText(QStringList{"x"});
    EXPECT_EQ(unit.isNull(), 1);
    EXPECT_EQ(unit.getTextArray(), nullptr);
    QStringList out{"kept"};
    unit.getTextArray(out);
    EXPECT_EQ(out, QStringList{"kept"});

    Line steel;
    steel.setSteel(&bar);
    EXPECT_EQ(steel.isNull(), 0);
    EXPECT_EQ(steel.getSetupSteel()->number, "7");
    bar.number = "8";
    EXPECT_EQ(steel.getSetupSteel()->number, "7");
}

TEST(SetupTableLine, AUnitLineWithoutEndIsARangeOfOneUnit)
{
    Line unit(Line::kUnitLine);
    unit.setUnit("1", "", 0);
    EXPECT_EQ(unit.getUnitStart(), "1");
    EXPECT_EQ(unit.getUnitEnd(), "1");
    EXPECT_EQ(unit.m_unitSame, 0);
    EXPECT_EQ(unit.isNull(), 0);
    unit.setUnit("2", "5", 1);
    EXPECT_EQ(unit.getUnitEnd(), "5");
    EXPECT_EQ(unit.m_unitSame, 1);
}

TEST(SetupTableLine, TextsGrowButNeverShrink)
{
    Line text(Line::kTextLine);
    text.SetText(4, "e");
    EXPECT_EQ(*text.getTextArray(), QStringList({"", "", "", "", "e"}));
    EXPECT_EQ(text.isNull(), 0);

    text.SetText(QStringList{"a", "b"});
    EXPECT_EQ(*text.getTextArray(), QStringList({"a", "b", "", "", ""}));

    text.SetText(QStringList{"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(text.getTextArray()->size(), 6);

    // A negative column (a view without a current column) writes nothing.
    text.SetText(-1, "z");
    EXPECT_EQ(text.getTextArray()->size(), 6);
    EXPECT_FALSE(text.getTextArray()->contains("z"));

    QStringList out{"x"};
    text.getTextArray(out);
    EXPECT_EQ(out.size(), 7);
}

TEST(SetupTableLine, GetTextOutsideTheListIsEmpty)
{
    Line text(Line::kTextLine);
    text.SetText(QStringList{"a", "b", "c"});
    EXPECT_EQ(text.GetText(0), "a");
    EXPECT_EQ(text.GetText(2), "c");
    EXPECT_EQ(text.GetText(-1), "");
    EXPECT_EQ(text.GetText(3), "");
    Line bar;
    EXPECT_EQ(bar.GetText(0), "");
}

// Completeness of a bar line

struct AvailableCase {
    const char* name;
    std::function<void(CVes_Steel&)> edit;
    int available;
    int reason; // -1: left alone
};

std::ostream& operator<<(std::ostream& os, const AvailableCase& c)
{
    return os << c.name;
}

// A complete bar without a shape: number, grade and size, a typed length and
// a count.
void complete(CVes_Steel& bar)
{
    bar.number = "1";
    bar.grade = 3;
    bar.DN = 12.0f;
    bar.calcLength = 0;
    bar.length = 3000.0f;
    bar.count = 2;
}

void withDimension(CVes_Steel& bar, unsigned int kind, double value)
{
    VariableArray vars;
    auto v = std::make_unique<CVes_Variable>();
    v->m_text = "L";
    v->m_type = kind;
    v->m_value = v->m_value2 = value;
    vars.push_back(std::move(v));
    bar.setVarArray(vars);
}

class BarAvailable : public ::testing::TestWithParam<AvailableCase> {};

TEST_P(BarAvailable, GivesTheFirstFailedCheck)
{
    const AvailableCase& c = GetParam();
    test::CacheScope scope;
    Line line;
    CVes_Steel bar;
    complete(bar);
    c.edit(bar);
    line.setSteel(&bar);
    int reason = -1;
    EXPECT_EQ(line.isAvailable(reason), c.available);
    EXPECT_EQ(reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, BarAvailable,
    ::testing::Values(
        AvailableCase{"complete", [](CVes_Steel&) {}, 1, -1},
        AvailableCase{"empty_number", [](CVes_Steel& b) { b.number = ""; }, 0, 0},
        AvailableCase{"number_zero_with_spaces", [](CVes_Steel& b) { b.number = " 0 "; }, 0, 0},
        AvailableCase{"number_blank", [](CVes_Steel& b) { b.number = "  "; }, 0, 0},
        AvailableCase{"number_00_is_a_number", [](CVes_Steel& b) { b.number = "00"; }, 1, -1},
        AvailableCase{"diameter_2_5", [](CVes_Steel& b) { b.DN = 2.5f; }, 0, 1},
        AvailableCase{"diameter_3", [](CVes_Steel& b) { b.DN = 3.0f; }, 1, -1},
        AvailableCase{"no_grade", [](CVes_Steel& b) { b.grade = 0; }, 0, 1},
        AvailableCase{"number_checked_before_size",
                      [](CVes_Steel& b) { b.number = "0"; b.DN = 1.0f; }, 0, 0},
        AvailableCase{"typed_length_0_6", [](CVes_Steel& b) { b.length = 0.6f; }, 0, 3},
        AvailableCase{"typed_length_1", [](CVes_Steel& b) { b.length = 1.0f; }, 1, -1},
        AvailableCase{"typed_length_negative", [](CVes_Steel& b) { b.length = -5.0f; }, 0, 3},
        AvailableCase{"computed_without_shape", [](CVes_Steel& b) { b.calcLength = 1; }, 0, 3},
        AvailableCase{"count_0", [](CVes_Steel& b) { b.count = 0; }, 0, 4},
        AvailableCase{"length_checked_before_count",
                      [](CVes_Steel& b) { b.length = 0.0f; b.count = 0; }, 0, 3},
        AvailableCase{"zero_dimension",
                      [](CVes_Steel& b) { withDimension(b, CVes_Variable::kGiven, 0.0); }, 0, 2},
        AvailableCase{"negative_whole_dimension",
                      [](CVes_Steel& b) { withDimension(b, CVes_Variable::kWholeNumber, -1.0); },
                      0, 2},
        AvailableCase{"given_dimension",
                      [](CVes_Steel& b) { withDimension(b, CVes_Variable::kGiven, 250.0); }, 1, -1},
        AvailableCase{"standard_variable_at_zero",
                      [](CVes_Steel& b) { withDimension(b, CVes_Variable::kStandard, 0.0); }, 1,
                      -1},
        AvailableCase{"count_checked_before_shape",
                      [](CVes_Steel& b) {
                          withDimension(b, CVes_Variable::kGiven, 0.0);
                          b.count = -1;
                      },
                      0, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetupTableLine, ComputedLengthComesFromTheShape)
{
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 20}).var("L", 3000).straight({1300, 150}, "0", "L").build());
    CVes_Steel bar;
    complete(bar);
    bar.setRecordId({150, 20});
    bar.calcLength = 1;
    bar.length = 0.0f; // the stored length is not what counts
    Line line;
    line.setSteel(&bar);
    int reason = -1;
    EXPECT_EQ(line.isAvailable(reason), 1);
    line.getSetupSteel()->setVarValue("L", 0.4);
    EXPECT_EQ(line.isAvailable(reason), 0);
    EXPECT_EQ(reason, Line::kBadLength);
}

TEST(SetupTableLine, OtherKindsAreAlwaysAvailable)
{
    for (int kind : {0, 2, 3, 4, 5}) {
        Line line(kind);
        int reason = 9;
        EXPECT_EQ(line.isAvailable(reason), 1) << kind;
        EXPECT_EQ(reason, 9);
    }
}

// Copy

TEST(SetupTableLineCopy, TakesFlagsAndTheFieldsOfTheKind)
{
    Line source(Line::kElementLine);
    source.setElement("KL2");
    source.setEleNum(5);
    source.setEleRemark("west");
    source.setNull(0);
    source.setLock(1);
    source.setRows(3);
    source.setShow(0);
    source.setTextColor(0xFF);

    Line target;
    target.copy(&source);
    EXPECT_EQ(target.getType(), Line::kElementLine);
    EXPECT_EQ(target.isNull(), 0);
    EXPECT_EQ(target.getLock(), 1);
    EXPECT_EQ(target.getRows(), 3);
    EXPECT_EQ(target.getShow(), 1);
    EXPECT_EQ(target.getTextColor(), 0u);
    EXPECT_EQ(target.getElement(), "KL2");
    EXPECT_EQ(target.getEleNum(), 5);
    EXPECT_EQ(target.getEleRemark(), "west");
}

TEST(SetupTableLineCopy, BarUnitAndTextLines)
{
    Line bar;
    CVes_Steel steel;
    steel.number = "3";
    steel.spacing1 = "100";
    bar.setSteel(&steel);
    bar.setRemarkMerge(Line::kRemarkMergeFirst);
    Line barCopy;
    barCopy.copy(&bar);
    EXPECT_EQ(barCopy.getSetupSteel()->number, "3");
    EXPECT_EQ(barCopy.getSetupSteel()->spacing1, "100");
    EXPECT_EQ(barCopy.getRemarkMerge(), Line::kRemarkMergeFirst);
    barCopy.getSetupSteel()->number = "4";
    EXPECT_EQ(bar.getSetupSteel()->number, "3");

    Line unit(Line::kUnitLine);
    unit.setUnit("A", "C", 0);
    unit.m_unitMerged = 0;
    unit.m_unitForm = 1;
    Line unitCopy;
    unitCopy.copy(&unit);
    EXPECT_EQ(unitCopy.getUnitStart(), "A");
    EXPECT_EQ(unitCopy.getUnitEnd(), "C");
    EXPECT_EQ(unitCopy.m_unitSame, 0);
    EXPECT_EQ(unitCopy.m_unitMerged, 0);
    EXPECT_EQ(unitCopy.m_unitForm, 1);

    // The target's own texts are replaced, not extended.
    Line text(Line::kTextLine);
    text.SetText(QStringList{"a"});
    Line textCopy(Line::kTextLine);
    textCopy.SetText(QStringList{"x", "y", "z"});
    textCopy.copy(&text);
    EXPECT_EQ(*textCopy.getTextArray(), QStringList{"a"});

    textCopy.copy(&textCopy);
    textCopy.copy(nullptr);
    EXPECT_EQ(*textCopy.getTextArray(), QStringList{"a"});
}

TEST(SetupTableLineCopy, AnImageLineGetsItsOwnSketch)
{
    test::CacheScope scope;
    Line source(Line::kImageLine);
    source.getImage()->setRecordId({102, 9});
    Line target;
    target.copy(&source);
    ASSERT_NE(target.getImage(), nullptr);
    EXPECT_NE(target.getImage(), source.getImage());
    EXPECT_EQ(target.getImage()->getRecordId(), CSteelRecordId(102, 9));
    target.getImage()->setRecordId({103, 1});
    EXPECT_EQ(source.getImage()->getRecordId(), CSteelRecordId(102, 9));

    // setImage copies; the line never takes the caller's object.
    CVes_SteelStartReference other;
    other.setRecordId({104, 2});
    target.setImage(&other);
    EXPECT_NE(target.getImage(), &other);
    EXPECT_EQ(target.getImage()->getRecordId(), CSteelRecordId(104, 2));
}

} // namespace
