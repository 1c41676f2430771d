// What a typed entry does to the line under a bar-list cell, column by
// column and line kind by line kind, and the texts the editors open with.

#include "tables/barlist/barentry.h"

#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include "envora/rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

using test::listBar;
using test::listLine;
using Source = barlist::EditedVariable::Source;
using Action = barlist::CellOpening::Action;

enum class Field { Number, Size, Spacing, Count, CutLength, Remark, Length, Element, Text, State };

// A field of the line at `row` as text, for comparison with the table's rows.
QString fieldOf(CVes_SetupTable& t, int row, Field field)
{
    CVes_SetupTableLine* line = listLine(t, row);
    const CVes_Steel& bar = line->m_steel;
    switch (field) {
    case Field::Number: return bar.number;
    case Field::Size: return QStringLiteral("%1/%2").arg(bar.grade).arg(double(bar.DN));
    case Field::Spacing: return QStringList{bar.spacing1, bar.spacing2, bar.spacing3}.join(u'|');
    case Field::Count:
        return bar.isMultiVal() ? QStringLiteral("%1|%2").arg(bar.getMultiGroup()).arg(bar.count)
                                : QString::number(bar.count);
    case Field::CutLength: return QString::asprintf("%.1f", double(bar.length));
    case Field::Remark: return bar.remark;
    case Field::Length: {
        const CVes_Variable* l = bar.getVar(QStringLiteral("L"));
        return QStringLiteral("%1|%2").arg(l->m_value).arg(l->m_value2);
    }
    case Field::Element:
        return QStringLiteral("%1|%2|%3").arg(line->getElement()).arg(line->getEleNum()).arg(line->getEleRemark());
    case Field::Text: {
        QStringList texts;
        line->getTextArray(texts);
        return texts.join(u'|');
    }
    case Field::State: return line->isNull() ? QStringLiteral("empty") : QStringLiteral("filled");
    }
    return {};
}

struct EntryCase {
    const char* name;
    int row;
    int column;
    const char* entry;
    Field field;
    const char* expected;
    bool committed = true;
    int digit = 5;
    const char* variable = nullptr; // the edited dimension of columns 3 and 4
};

std::ostream& operator<<(std::ostream& os, const EntryCase& c)
{
    return os << c.name;
}

class Entry : public ::testing::TestWithParam<EntryCase> {
protected:
    void SetUp() override { test::fillSmallList(t); }

    test::HostScope host;
    CVes_SetupTable t;
};

TEST_P(Entry, SetsTheField)
{
    const EntryCase& c = GetParam();
    test::EditHabits habits(0xFF, c.digit);
    barlist::EditedVariable edited;
    if (c.variable)
        edited = {c.column == CVes_SetupTable::kColStart ? Source::Start : Source::Shape,
                  QString::fromUtf8(c.variable)};
    const QString before = fieldOf(t, c.row, c.field);
    EXPECT_EQ(barlist::commitEntry(t, c.row, c.column, QString::fromUtf8(c.entry), edited),
              c.committed);
    EXPECT_EQ(fieldOf(t, c.row, c.field), c.committed ? QString::fromUtf8(c.expected) : before);
    // A refused entry is said; an entry that names nothing is not.
    if (!c.committed && QString::fromUtf8(c.expected) == QStringLiteral("message")) {
        EXPECT_EQ(host->messages().size(), 1u);
    }
}

using test::kBarRow;
using test::kElementRow;
using test::kEmptyRow;
using test::kGradedRow;
using test::kLockedRow;
using test::kTextRow;

INSTANTIATE_TEST_SUITE_P(
    Rules, Entry,
    ::testing::Values(
        EntryCase{"number", kBarRow, 0, " 12 ", Field::Number, "12"},
        EntryCase{"size_letter_and_diameter", kBarRow, 1, "A12", Field::Size, "1/12"},
        EntryCase{"size_letter_alone", kBarRow, 1, "b", Field::Size, "2/20"},
        EntryCase{"size_diameter_alone_keeps_grade", kBarRow, 1, "25", Field::Size, "3/25"},
        EntryCase{"size_unreadable", kBarRow, 1, "C99", Field::Size, "message", false},
        EntryCase{"size_letters_naming_no_size", kBarRow, 1, "abc", Field::Size, "message", false},
        EntryCase{"size_no_grade_no_diameter", kBarRow, 1, "X", Field::Size, "message", false},
        EntryCase{"size_with_unit_text", kBarRow, 1, "C25mm", Field::Size, "message", false},
        EntryCase{"size_unknown_letter_and_diameter", kBarRow, 1, "X25", Field::Size, "3/25"},
        EntryCase{"size_empty_changes_nothing", kBarRow, 1, "", Field::Size, "", false},
        EntryCase{"spacing_point", kBarRow, 2, "100.200", Field::Spacing, "100|200|"},
        EntryCase{"spacing_semicolon_tried_first_leaves_a_part_no_number", kBarRow, 2,
                  "100/200;300", Field::Spacing, "message", false},
        EntryCase{"spacing_slash_splits", kBarRow, 2, "100/200", Field::Spacing, "100|200|"},
        EntryCase{"spacing_blanks_around_a_part", kBarRow, 2, "100; 200", Field::Spacing,
                  "100| 200|"},
        EntryCase{"spacing_exponent", kBarRow, 2, "1e6", Field::Spacing, "message", false},
        EntryCase{"spacing_three", kBarRow, 2, "100;150;200", Field::Spacing, "100|150|200"},
        EntryCase{"spacing_empty_clears", kBarRow, 2, "", Field::Spacing, "||"},
        EntryCase{"spacing_with_unit_text", kBarRow, 2, "150mm", Field::Spacing, "message",
                  false},
        EntryCase{"spacing_field_maximum", kBarRow, 2, "99999", Field::Spacing, "99999||"},
        EntryCase{"spacing_past_maximum", kBarRow, 2, "100000", Field::Spacing, "message", false},
        EntryCase{"spacing_beyond_int", kBarRow, 2, "99999999999", Field::Spacing, "message",
                  false},
        EntryCase{"spacing_letters", kBarRow, 2, "abc", Field::Spacing, "message", false},
        EntryCase{"spacing_no_leading_number", kBarRow, 2, "@150", Field::Spacing, "message",
                  false},
        EntryCase{"spacing_negative", kBarRow, 2, "-100", Field::Spacing, "message", false},
        EntryCase{"spacing_second_part_letters", kBarRow, 2, "100;abc", Field::Spacing, "message",
                  false},
        EntryCase{"spacing_lap_part_too_big", kBarRow, 2, "100;200;1000000", Field::Spacing,
                  "message", false},
        EntryCase{"count_rounds_up_at_digit", kBarRow, 6, "2.5", Field::Count, "3"},
        EntryCase{"count_rounds_down_below_digit", kBarRow, 6, "2.4", Field::Count, "2"},
        EntryCase{"count_digit_one", kBarRow, 6, "2.1", Field::Count, "3", true, 1},
        EntryCase{"count_formula", kBarRow, 6, "2*3", Field::Count, "6"},
        EntryCase{"count_zero", kBarRow, 6, "0", Field::Count, "0"},
        EntryCase{"count_negative", kBarRow, 6, "-1.5", Field::Count, "message", false},
        EntryCase{"count_empty_clears", kBarRow, 6, "", Field::Count, "0"},
        EntryCase{"count_refused", kBarRow, 6, "abc", Field::Count, "message", false},
        EntryCase{"graded_groups_and_count", kGradedRow, 6, "3|4", Field::Count, "3|4"},
        EntryCase{"graded_groups_alone", kGradedRow, 6, "5", Field::Count, "5|4"},
        EntryCase{"graded_comma", kGradedRow, 6, "2,6", Field::Count, "2|6"},
        EntryCase{"graded_count_alone", kGradedRow, 6, "|7", Field::Count, "3|7"},
        EntryCase{"graded_rounding_after_separator", kGradedRow, 6, "2/2.5", Field::Count, "2|3"},
        EntryCase{"cut_length", kBarRow, 5, "1234.5", Field::CutLength, "1234.5"},
        EntryCase{"cut_length_formula", kBarRow, 5, "1200+34", Field::CutLength, "1234.0"},
        EntryCase{"cut_length_refused", kBarRow, 5, "12a", Field::CutLength, "message", false},
        EntryCase{"remark_backslash", kBarRow, 10, "a\\b", Field::Remark, "a|b"},
        EntryCase{"computed_column_takes_nothing", kBarRow, 8, "99", Field::Count, "2"},
        EntryCase{"length_plain", kBarRow, 4, "1500", Field::Length, "1500|1500", true, 5, "L"},
        EntryCase{"length_formula", kBarRow, 4, "=1000+500", Field::Length, "1500|1500", true, 5,
                  "L"},
        EntryCase{"length_range_on_plain_bar", kBarRow, 4, "2000~3000", Field::Length,
                  "2000|2000", true, 5, "L"},
        EntryCase{"length_range_on_graded_bar", kGradedRow, 4, "1500~2500", Field::Length,
                  "1500|2500", true, 5, "L"},
        EntryCase{"length_range_open_end", kGradedRow, 4, "1500~", Field::Length, "1500|2000",
                  true, 5, "L"},
        EntryCase{"length_refused", kBarRow, 4, "X+1", Field::Length, "message", false, 5, "L"},
        EntryCase{"length_empty_clears", kBarRow, 4, "", Field::Length, "0|0", true, 5, "L"},
        EntryCase{"element_name", kElementRow, 2, "KL2", Field::Element, "KL2|2|"},
        EntryCase{"element_count", kElementRow, 6, "3*2", Field::Element, "KL1|6|"},
        EntryCase{"element_remark", kElementRow, 10, "x", Field::Element, "KL1|2|x"},
        EntryCase{"text_line", kTextRow, 1, "abc", Field::Text, "合计|abc|备用"},
        EntryCase{"locked_line", kLockedRow, 0, "9", Field::Number, "", false},
        EntryCase{"empty_line_empty_entry", kEmptyRow, 0, "", Field::State, "", false},
        EntryCase{"empty_line_takes_entry", kEmptyRow, 0, "7", Field::State, "filled"}),
    [](const auto& info) { return std::string(info.param.name); });

class EntryRules : public ::testing::Test {
protected:
    void SetUp() override { test::fillSmallList(t); }

    test::HostScope host;
    CVes_SetupTable t;
    barlist::EditedVariable edited;
};

TEST_F(EntryRules, AnEmptyLineTakesThePreviousBarLessWhatTheCopySetLeavesOut)
{
    test::EditHabits habits(0xFF & ~CVes_SetupTable::kCopyCount & ~CVes_SetupTable::kCopyRemark);
    ASSERT_TRUE(barlist::commitEntry(t, test::kEmptyRow, 10, QStringLiteral("new"), edited));
    const CVes_Steel& bar = listBar(t, test::kEmptyRow);
    const CVes_Steel& before = listBar(t, test::kGradedRow);
    EXPECT_EQ(bar.getRecordId(), before.getRecordId());
    EXPECT_EQ(bar.DN, before.DN);
    EXPECT_EQ(bar.count, 0);
    EXPECT_EQ(bar.remark, QStringLiteral("new"));
}

TEST_F(EntryRules, ANumberGivenToABarMakesTheEmptyLineThatBar)
{
    test::EditHabits habits(0xFF & ~CVes_SetupTable::kCopyCount);
    ASSERT_TRUE(barlist::commitEntry(t, test::kEmptyRow, 0, QStringLiteral("1"), edited));
    const CVes_Steel& bar = listBar(t, test::kEmptyRow);
    EXPECT_EQ(bar.number, QStringLiteral("1"));
    EXPECT_EQ(bar.DN, 20.0f);
    EXPECT_EQ(bar.spacing2, QStringLiteral("200"));
    EXPECT_EQ(bar.count, 0); // left out by the copy set
}

TEST_F(EntryRules, WithoutABarBeforeItTheNewBarLosesWhatTheCopySetLeavesOut)
{
    CVes_SetupTable alone;
    alone.clearnAllLine();
    alone.m_rowNum = 30;
    alone.appendLine(new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine)));
    alone.setPageTo(1, 1);
    test::EditHabits habits(0);
    ASSERT_TRUE(barlist::commitEntry(alone, 1, 0, QStringLiteral("5"), edited));
    const CVes_Steel& bar = listBar(alone, 1);
    EXPECT_EQ(bar.number, QStringLiteral("5"));
    EXPECT_EQ(bar.DN, 0.0f);
    EXPECT_EQ(bar.count, 0);
    EXPECT_TRUE(bar.getRecordId().isNull());
}

TEST_F(EntryRules, AnchorageKeywordsAreLengthsRoundedByTheUserRule)
{
    test::EditHabits habits;
    t.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
    t.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    edited = {Source::Shape, QStringLiteral("L")};
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("1000+lae"), edited));
    const int lae = t.getMaoguBeishu(3, 20, 0);
    ASSERT_GT(lae, 0);
    EXPECT_EQ(listBar(t, test::kBarRow).getVarValue(QStringLiteral("L")),
              double(Info_GetSteelDataEnd(1000 + lae, 0, 0)));

    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("la*2"), edited));
    EXPECT_EQ(listBar(t, test::kBarRow).getVarValue(QStringLiteral("L")),
              double(Info_GetSteelDataEnd(2 * t.getLa(3, 20, 0), 0, 0)));
}

TEST_F(EntryRules, AFormulaIsKeptWithTheDimension)
{
    test::EditHabits habits;
    edited = {Source::Shape, QStringLiteral("L")};
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("=1000+500"), edited));
    EXPECT_EQ(listBar(t, test::kBarRow).getVar(QStringLiteral("L"))->m_formula,
              QStringLiteral("1000+500"));
    // A plain number takes the formula away.
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("1200"), edited));
    EXPECT_TRUE(listBar(t, test::kBarRow).getVar(QStringLiteral("L"))->m_formula.isEmpty());
}

TEST_F(EntryRules, AStartStyleDimensionChangesTheSketchAndNotTheShape)
{
    test::EditHabits habits;
    CVes_Steel& bar = listBar(t, test::kBarRow);
    bar.start.setRecordId(CSteelRecordId(190, 1));
    ASSERT_NE(bar.start.getVar(QStringLiteral("b")), nullptr);
    edited = {Source::Start, QStringLiteral("b")};
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 3, QStringLiteral("350"), edited));
    EXPECT_EQ(bar.start.getVarValue(QStringLiteral("b")), 350.0);
    EXPECT_EQ(bar.getVarValue(QStringLiteral("L")), 3000.0);
}

TEST_F(EntryRules, ATypedUserNumberGivesTheShapeAndItsFirstDimension)
{
    test::EditHabits habits;
    const CSteelRecordId lBar(191, 1);
    const test::UserNumbers numbers(QStringLiteral("3"), lBar);
    // The bar before it has hooks of its own; the new shape has none.
    listBar(t, test::kGradedRow).setRecordId(test::kHookedShape);
    ASSERT_TRUE(listBar(t, test::kGradedRow).isHaveLeftHook());
    ASSERT_TRUE(barlist::commitEntry(t, test::kEmptyRow, 4, QStringLiteral("3"), edited));
    const CVes_Steel& bar = listBar(t, test::kEmptyRow);
    EXPECT_EQ(bar.getRecordId(), lBar);
    EXPECT_FALSE(bar.isHaveLeftHook());
    EXPECT_FALSE(bar.isHaveRightHook());
    EXPECT_FALSE(listLine(t, test::kEmptyRow)->isNull());
    EXPECT_EQ(edited.source, Source::Shape);
    EXPECT_EQ(edited.name, QStringLiteral("L1"));
}

TEST_F(EntryRules, AKeyTextGivesTheShapeToo)
{
    test::EditHabits habits;
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("190-002"), edited));
    EXPECT_EQ(listBar(t, test::kBarRow).getRecordId(), test::kHookedShape);
}

TEST_F(EntryRules, ANumberThatNamesNothingLeavesTheEmptyLineAsItWas)
{
    test::EditHabits habits;
    ASSERT_FALSE(barlist::commitEntry(t, test::kEmptyRow, 4, QStringLiteral("999"), edited));
    EXPECT_TRUE(listLine(t, test::kEmptyRow)->isNull());
    EXPECT_TRUE(listBar(t, test::kEmptyRow).number.isEmpty());
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(EntryRules, ATypedStartNumberGivesTheStartStyle)
{
    test::EditHabits habits;
    ASSERT_TRUE(barlist::commitEntry(t, test::kBarRow, 3, QStringLiteral("190-001"), edited));
    EXPECT_EQ(listBar(t, test::kBarRow).start.getRecordId(), CSteelRecordId(190, 1));
}

// A number typed into the start column: sketches and bar shapes share their
// numbers, so what a bar without a shape gets is asked, and a number that
// names no sketch is refused with a word.
struct StartCase {
    const char* name;
    int row;
    const char* entry;
    std::optional<platform::Answer> answer; // to the question, when one is asked
    bool taken;
    CSteelRecordId start;                   // the bar's sketch afterwards
    const char* said;                       // part of the message, "" for none
};

std::ostream& operator<<(std::ostream& os, const StartCase& c)
{
    return os << c.name;
}

class StartNumber : public EntryRules, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartNumber, TakesASketchOrSaysWhy)
{
    const StartCase& c = GetParam();
    test::EditHabits habits;
    if (c.answer)
        host->script({*c.answer});
    const CSteelRecordId shapeBefore = listBar(t, c.row).getRecordId();
    EXPECT_EQ(barlist::commitEntry(t, c.row, 3, QString::fromUtf8(c.entry), edited), c.taken);
    const CVes_Steel& bar = listBar(t, c.row);
    EXPECT_EQ(bar.start.getRecordId(), c.start);
    const std::vector<test::RecordedMessage> said = host->messages();
    ASSERT_EQ(said.size(), (c.answer || *c.said) ? 1U : 0U);
    if (!said.empty()) {
        EXPECT_TRUE(said[0].text.contains(QString::fromUtf8(c.said))) << said[0].text.toStdString();
        EXPECT_EQ(said[0].buttons, c.answer ? platform::Buttons::YesNo : platform::Buttons::Ok);
    }
    if (!c.taken) {
        // Refused: the row is as it was, an empty one still empty and shapeless.
        EXPECT_EQ(bar.getRecordId(), shapeBefore);
        EXPECT_EQ(listLine(t, c.row)->isNull(), c.row == test::kEmptyRow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartNumber,
    ::testing::Values(
        StartCase{"bar_with_a_shape_takes_the_sketch", test::kBarRow, "190-002", std::nullopt, true,
                  CSteelRecordId(190, 2), ""},
        StartCase{"new_row_asked_yes", test::kEmptyRow, "190-002", platform::Answer::Yes, true,
                  CSteelRecordId(190, 2), "钢筋形状请在“钢筋形状”列输入"},
        StartCase{"new_row_asked_no", test::kEmptyRow, "190-002", platform::Answer::No, false,
                  CSteelRecordId(), "既是安装起点示意图的编号，也是钢筋形状的编号"},
        StartCase{"shape_number_only", test::kBarRow, "191-001", std::nullopt, false, CSteelRecordId(),
                  "是钢筋形状的编号，不是安装起点示意图的编号"},
        StartCase{"names_nothing", test::kEmptyRow, "190-999", std::nullopt, false, CSteelRecordId(),
                  "[190-999] 不是安装起点示意图的编号"},
        StartCase{"empty_entry_says_nothing", test::kBarRow, "", std::nullopt, false, CSteelRecordId(),
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryRules, AnImageLineTakesItsSketchDimension)
{
    test::EditHabits habits;
    CVes_SetupTableLine* image = listLine(t, test::kImageRow);
    image->getImage()->setRecordId(CSteelRecordId(190, 1));
    edited = {Source::Image, QStringLiteral("h")};
    ASSERT_TRUE(barlist::commitEntry(t, test::kImageRow, 2, QStringLiteral("750"), edited));
    EXPECT_EQ(image->getImage()->getVarValue(QStringLiteral("h")), 750.0);
    // Without a dimension the entry goes nowhere.
    barlist::EditedVariable none;
    EXPECT_FALSE(barlist::commitEntry(t, test::kImageRow, 2, QStringLiteral("1"), none));
}

TEST_F(EntryRules, ADimensionOfAReplacedShapeIsNotFoundAgain)
{
    test::EditHabits habits;
    edited = {Source::Shape, QStringLiteral("L1")};
    // The straight bar has no L1: the entry is read as a shape number.
    EXPECT_FALSE(barlist::commitEntry(t, test::kBarRow, 4, QStringLiteral("5000"), edited));
    EXPECT_EQ(listBar(t, test::kBarRow).getVarValue(QStringLiteral("L")), 3000.0);
}

// The texts editors open with

struct OpeningCase {
    const char* name;
    int row;
    int column;
    Action action;
    const char* text;
    int category;
};

std::ostream& operator<<(std::ostream& os, const OpeningCase& c)
{
    return os << c.name;
}

class ClickOpening : public ::testing::TestWithParam<OpeningCase> {
protected:
    void SetUp() override { test::fillSmallList(t); }
    CVes_SetupTable t;
};

TEST_P(ClickOpening, TextAndCategory)
{
    const OpeningCase& c = GetParam();
    const barlist::CellOpening open = barlist::clickOpening(*listLine(t, c.row), c.column, nullptr);
    EXPECT_EQ(open.action, c.action);
    if (c.action == Action::Editor) {
        EXPECT_EQ(open.text, QString::fromUtf8(c.text));
        EXPECT_EQ(open.category, c.category);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ClickOpening,
    ::testing::Values(
        OpeningCase{"bar_number", kBarRow, 0, Action::Editor, "1", 1},
        OpeningCase{"bar_size", kBarRow, 1, Action::Editor, "C20", 2},
        OpeningCase{"bar_spacing", kBarRow, 2, Action::Editor, "100;200;", 3},
        OpeningCase{"bar_shape_outside_dimensions", kBarRow, 4, Action::None, "", 4},
        OpeningCase{"computed_cut_length", kBarRow, 5, Action::None, "", -1},
        OpeningCase{"bar_count", kBarRow, 6, Action::Editor, "2", 5},
        OpeningCase{"graded_count", kGradedRow, 6, Action::Editor, "3|4", 5},
        OpeningCase{"bar_total", kBarRow, 8, Action::None, "", -1},
        OpeningCase{"bar_remark", kBarRow, 10, Action::Editor, "r", 6},
        OpeningCase{"empty_shape_chooser", kEmptyRow, 4, Action::ShapeChooser, "", -1},
        OpeningCase{"empty_start_chooser", kEmptyRow, 3, Action::StartChooser, "", -1},
        OpeningCase{"empty_other", kEmptyRow, 2, Action::Editor, "", 3},
        OpeningCase{"element_name", kElementRow, 3, Action::Editor, "KL1", 7},
        OpeningCase{"element_count", kElementRow, 6, Action::Editor, "2", 5},
        OpeningCase{"element_remark", kElementRow, 9, Action::Editor, "", 6},
        OpeningCase{"element_number_column", kElementRow, 0, Action::None, "", -1},
        OpeningCase{"text_line", kTextRow, 2, Action::Editor, "备用", 7},
        OpeningCase{"locked", kLockedRow, 0, Action::None, "", -1},
        OpeningCase{"unit_line", test::kUnitRow, 1, Action::None, "", -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClickOpeningVariables, ANumberDimensionOpensWithItsValueOrFormula)
{
    CVes_SetupTable t;
    test::fillSmallList(t);
    CVes_Steel& bar = listBar(t, kBarRow);
    CVes_Variable* l = bar.getVar(QStringLiteral("L"));
    barlist::CellOpening open = barlist::clickOpening(*listLine(t, kBarRow), 4, l);
    EXPECT_EQ(open.text, QStringLiteral("3000.0"));
    EXPECT_EQ(open.variable.name, QStringLiteral("L"));
    l->m_formula = QStringLiteral("2*1500");
    EXPECT_EQ(barlist::clickOpening(*listLine(t, kBarRow), 4, l).text, QStringLiteral("=2*1500"));
    CVes_Variable* graded = listBar(t, kGradedRow).getVar(QStringLiteral("L"));
    EXPECT_EQ(barlist::clickOpening(*listLine(t, kGradedRow), 4, graded).text,
              QStringLiteral("1000.0~2000.0"));
}

struct TypingCase {
    const char* name;
    int row;
    int column;
    char typed;
    bool opens;
};

std::ostream& operator<<(std::ostream& os, const TypingCase& c)
{
    return os << c.name;
}

class TypingOpening : public ::testing::TestWithParam<TypingCase> {
protected:
    void SetUp() override { test::fillSmallList(t); }
    CVes_SetupTable t;
};

TEST_P(TypingOpening, RefusedCharacters)
{
    const TypingCase& c = GetParam();
    const barlist::CellOpening open =
        barlist::typingOpening(*listLine(t, c.row), c.column, QChar(c.typed));
    EXPECT_EQ(open.action == Action::Editor, c.opens);
    if (c.opens) {
        EXPECT_EQ(open.text, QString(QChar(c.typed)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TypingOpening,
    ::testing::Values(TypingCase{"plus", kBarRow, 0, '+', false},
                      TypingCase{"minus", kBarRow, 2, '-', false},
                      TypingCase{"number_digit", kBarRow, 0, '7', true},
                      TypingCase{"size_letter_o", kBarRow, 1, 'o', false},
                      TypingCase{"size_bracket", kBarRow, 1, '[', false},
                      TypingCase{"size_letter", kBarRow, 1, 'C', true},
                      TypingCase{"shape_slash", kBarRow, 4, '/', false},
                      TypingCase{"shape_digit_is_a_number", kBarRow, 4, '3', true},
                      TypingCase{"empty_shape_digit", kEmptyRow, 4, '3', true},
                      TypingCase{"empty_size_letter_o", kEmptyRow, 1, 'o', true},
                      TypingCase{"computed_cut_length", kBarRow, 5, '1', false},
                      TypingCase{"count_space", kBarRow, 6, ' ', true},
                      TypingCase{"count_semicolon", kBarRow, 6, ';', false},
                      TypingCase{"total", kBarRow, 7, '1', false},
                      TypingCase{"remark", kBarRow, 10, 'x', true},
                      TypingCase{"text_line", kTextRow, 4, 'x', true},
                      TypingCase{"element_number_column", kElementRow, 0, 'x', false},
                      TypingCase{"locked", kLockedRow, 0, '1', false},
                      TypingCase{"unit_line", test::kUnitRow, 0, '1', false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TypingOpeningVariables, TheDimensionInUseIsTheOneTyped)
{
    CVes_SetupTable t;
    test::fillSmallList(t);
    CVes_Steel& bar = listBar(t, kBarRow);
    int index = 0;
    ASSERT_NE(bar.getVarByIndex(index), nullptr);
    const barlist::CellOpening open = barlist::typingOpening(*listLine(t, kBarRow), 4, QChar('4'));
    EXPECT_EQ(open.variable.source, Source::Shape);
    EXPECT_EQ(open.variable.name, QStringLiteral("L"));
    // The start column types a start-style number while no sketch dimension
    // is in use.
    EXPECT_FALSE(barlist::typingOpening(*listLine(t, kBarRow), 3, QChar('4')).variable.isSet());
}

struct RoundCase {
    double value;
    int digit;
    barlist::CountPart part;
    double expected;
};

class CountRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(CountRounding, ByTheUserDigit)
{
    const RoundCase& c = GetParam();
    EXPECT_EQ(barlist::roundCount(c.value, c.digit, c.part), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CountRounding,
    ::testing::Values(RoundCase{2.5, 5, barlist::CountPart::Whole, 3},
                      RoundCase{2.4, 5, barlist::CountPart::Whole, 2},
                      RoundCase{2.1, 1, barlist::CountPart::Whole, 3},
                      RoundCase{2.0, 1, barlist::CountPart::Whole, 2},
                      RoundCase{2.05, 9, barlist::CountPart::Whole, 2},
                      RoundCase{0.0, 5, barlist::CountPart::Whole, 0},
                      RoundCase{0.0, 1, barlist::CountPart::BeforeSeparator, 0},
                      RoundCase{-1.0, 5, barlist::CountPart::AfterSeparator, -1},
                      RoundCase{-0.4, 5, barlist::CountPart::BeforeSeparator, 0},
                      // Not bounded here: the field the count goes to refuses it.
                      RoundCase{1e300, 5, barlist::CountPart::Whole, 1e300},
                      RoundCase{2147483647.0, 5, barlist::CountPart::Whole, 2147483647.0}));

} // namespace
