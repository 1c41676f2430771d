// Commits of edited cell texts into a processing sheet: grade and diameter,
// counts and groups, shape dimensions and ranges, the other bar fields, the
// row-kind names of column 0 and the texts of heading rows; and the texts
// the editors open with.

#include "tests/tables/processing/processing_support.h"

#include "envora/rules.h"
#include "envora/settings.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

namespace {

using test::EditLine;

class ProcessTableEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
        sheet.appendLine(test::barRow(test::shapedBar("5", test::kStraight, "L", 3000, 4, 2, 16.0f)));
        sheet.appendLine(test::emptyRow());
        sheet.firstPage();
        sheet.AddSelect(2, 1);
    }
    CVes_ProcessSteel& bar(int row = 2) { return *sheet.lineAt(row - 1)->getProcessSteel(); }

    test::HostScope host;
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

// grade and diameter

struct EditGradeCase {
    const char* name;
    const char* text;
    int grade;      // -1: the default grade of the diameter typed
    float d;
    bool message;   // the diameter is refused
};

void PrintTo(const EditGradeCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableGradeEntry : public ProcessTableEdit,
                               public ::testing::WithParamInterface<EditGradeCase> {};

TEST_P(ProcessTableGradeEntry, SetsGradeAndDiameter)
{
    const EditGradeCase& c = GetParam();
    bar().setDN(16.0f);
    bar().getLConnect()->farDN = 16.0f;
    EXPECT_EQ(sheet.commitCell(2, CVes_ProcessTable::kColGrade, QString::fromUtf8(c.text)), 1);
    EXPECT_EQ(bar().grade, c.grade < 0 ? Info_getSteelGrade(c.d) : c.grade);
    EXPECT_EQ(bar().DN, c.d);
    EXPECT_EQ(bar().getLConnect()->farDN, c.d) << "a connection follows its bar's diameter";
    EXPECT_DOUBLE_EQ(bar().getVar(QStringLiteral("d"))->m_value, c.d);
    if (c.message) {
        ASSERT_EQ(host->messages().size(), 1u);
        EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
        EXPECT_TRUE(host->messageTexts().first().endsWith(QStringLiteral(" ——钢筋直径值输入不正确！\n")));
    } else {
        EXPECT_TRUE(host->messageTexts().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProcessTableGradeEntry,
    ::testing::Values(EditGradeCase{"letter_and_diameter", "C20", 3, 20.0f, false},
                      EditGradeCase{"letter_overrides_the_default_grade", "A20", 1, 20.0f, false},
                      EditGradeCase{"repeated_letter_lower_case", " ee25", 5, 25.0f, false},
                      EditGradeCase{"cold_rolled_letters", "N12", 14, 12.0f, false},
                      EditGradeCase{"diameter_takes_its_default_grade", "20", -1, 20.0f, false},
                      EditGradeCase{"letter_alone", "c", 3, 16.0f, false},
                      EditGradeCase{"bad_diameter_keeps_the_letter", "A7.3", 1, 16.0f, true},
                      EditGradeCase{"unknown_letter", "X12", 2, 16.0f, true},
                      EditGradeCase{"letters_naming_no_size", "abc", 2, 16.0f, true},
                      EditGradeCase{"letter_and_no_number", "C mm", 2, 16.0f, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableEdit, ARefusedSizeIsNamedAsTyped)
{
    // A diameter by its value; a text that is no number as it was typed,
    // never as a diameter of 0.
    for (const auto& [typed, named] : {std::pair{"A7.3", "7.3"}, std::pair{"X99", "X99"}}) {
        host->clear();
        sheet.commitCell(2, CVes_ProcessTable::kColGrade, QString::fromUtf8(typed));
        EXPECT_EQ(host->messageTexts(),
                  QStringList{QString::fromUtf8(named) + QStringLiteral(" ——钢筋直径值输入不正确！\n")})
            << typed;
    }
}

TEST_F(ProcessTableEdit, EmptyGradeEntryChangesNothing)
{
    EXPECT_EQ(sheet.commitCell(2, CVes_ProcessTable::kColGrade, QString()), 0);
    EXPECT_EQ(bar().grade, 2);
    EXPECT_EQ(bar().DN, 16.0f);
}

// counts

struct CountCase {
    const char* text;
    int count;
    int groups;
    const char* message = nullptr; // a refused count keeps the bar's
};

void PrintTo(const CountCase& c, std::ostream* os) { *os << c.text; }

class ProcessTableCountEntry : public ProcessTableEdit,
                               public ::testing::WithParamInterface<CountCase> {};

TEST_P(ProcessTableCountEntry, RoundsUpFromThreeTenths)
{
    const CountCase& c = GetParam();
    bar().setMultiGroup(1);
    EXPECT_EQ(sheet.commitCell(2, CVes_ProcessTable::kColCount, QString::fromUtf8(c.text)),
              c.message ? 0 : 1);
    EXPECT_EQ(bar().count, c.count);
    EXPECT_EQ(bar().getMultiGroup(), c.groups);
    EXPECT_EQ(host->messageTexts(),
              c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(Texts, ProcessTableCountEntry,
                         ::testing::Values(CountCase{"12", 12, 1}, CountCase{"2.3", 3, 1},
                                           CountCase{"2.29", 2, 1}, CountCase{"3/12", 12, 3},
                                           CountCase{"2*3", 6, 1},
                                           CountCase{"abc", 4, 1, "[abc] 根数必须是0到999999999之间的整数"},
                                           CountCase{"2/1e6", 4, 1, "[1e6] 根数必须是0到999999999之间的整数"},
                                           CountCase{"100000/3", 4, 1, "[100000] 组数必须是0到99999之间的整数"}));

// shape dimensions

struct VariableCase {
    const char* name;
    bool graded;
    const char* text;
    double first;
    double end;
};

void PrintTo(const VariableCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableVariableEntry : public ProcessTableEdit,
                                  public ::testing::WithParamInterface<VariableCase> {};

// Lengths end on a whole 10 mm, rounded up.
TEST_P(ProcessTableVariableEntry, RoundsByTheLengthEndingRule)
{
    const VariableCase& c = GetParam();
    test::CacheScope::resetRules(
        [](envora::Settings& s) { s.steel.dataEnd = envora::dataend::kUp10; });
    if (c.graded) {
        bar().setMultiVal(1);
        bar().setMultiGroup(4);
    }
    sheet.commitCell(2, CVes_ProcessTable::kColShape, QString::fromUtf8(c.text),
                     QStringLiteral("L"));
    const CVes_Variable* L = bar().getVar(QStringLiteral("L"));
    EXPECT_DOUBLE_EQ(L->m_value, c.first);
    EXPECT_DOUBLE_EQ(L->m_value2, c.end);
    test::CacheScope::resetRules();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProcessTableVariableEntry,
    ::testing::Values(VariableCase{"one_value", false, "1203", 1210, 1210},
                      VariableCase{"formula", false, "L-3", 3000, 3000},
                      VariableCase{"range_on_a_graded_bar", true, "1201~1799", 1210, 1800},
                      VariableCase{"range_on_a_plain_bar_keeps_the_first", false, "1201~1799",
                                   1210, 1201},
                      VariableCase{"open_range_on_a_graded_bar", true, "1201~", 1210, 1210}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableEdit, UnknownDimensionChangesNoValue)
{
    sheet.commitCell(2, CVes_ProcessTable::kColShape, QStringLiteral("100"), QStringLiteral("Q"));
    sheet.commitCell(2, CVes_ProcessTable::kColShape, QStringLiteral("100"));
    EXPECT_DOUBLE_EQ(bar().getVar(QStringLiteral("L"))->m_value, 3000);
}

// the other bar fields

TEST_F(ProcessTableEdit, OtherColumnsWriteTheirField)
{
    sheet.commitCell(2, CVes_ProcessTable::kColNumber, QStringLiteral("A12"));
    sheet.commitCell(2, CVes_ProcessTable::kColLength, QStringLiteral("2000+350"));
    sheet.commitCell(2, CVes_ProcessTable::kColStock, QStringLiteral("9m"));
    sheet.commitCell(2, CVes_ProcessTable::kColRemark, QStringLiteral("见图"));
    EXPECT_EQ(sheet.commitCell(2, CVes_ProcessTable::kColTags, QStringLiteral("x")), 1);
    EXPECT_EQ(bar().number, "A12");
    EXPECT_EQ(bar().length, 2350.0f);
    EXPECT_EQ(bar().tags.front().text, "9m");
    EXPECT_EQ(bar().remark, "见图");
    // Every commit renumbers: the bar is the first available one.
    EXPECT_EQ(bar().tags.front().mark, 1);
}

TEST_F(ProcessTableEdit, EmptyRowTakesTheBarAboveFirst)
{
    EXPECT_EQ(sheet.commitCell(3, CVes_ProcessTable::kColCount, QStringLiteral("7")), 1);
    const CVes_ProcessSteel& filled = bar(3);
    EXPECT_EQ(sheet.lineAt(2)->isNull(), 0);
    EXPECT_EQ(filled.count, 7);
    EXPECT_EQ(filled.number, "6");
    EXPECT_EQ(filled.DN, 16.0f);
    EXPECT_EQ(filled.tags.front().mark, 2);
}

TEST_F(ProcessTableEdit, NoRowNoChange)
{
    EXPECT_EQ(sheet.commitCell(30, CVes_ProcessTable::kColNumber, QStringLiteral("1")), 0);
    EXPECT_EQ(sheet.commitCell(0, CVes_ProcessTable::kColNumber, QStringLiteral("1")), 0);
}

// row kinds and heading texts

TEST_F(ProcessTableEdit, RowKindOnABarInsertsAHeadingBeforeTheSelection)
{
    sheet.AddUndo();
    EXPECT_EQ(sheet.commitCell(2, CVes_ProcessTable::kColPart, QStringLiteral("构件编号")), 1);
    EXPECT_EQ(test::rowText(sheet.lineAt(1)), "E:");
    EXPECT_EQ(test::rowText(sheet.lineAt(2)), "5x4");
    sheet.AddUndo();
    sheet.Undo();
    EXPECT_EQ(test::rowText(sheet.lineAt(1)), "5x4") << "one step for the edit";
}

TEST_F(ProcessTableEdit, RowKindOnAnEmptyRowChangesTheRowItself)
{
    sheet.commitCell(3, CVes_ProcessTable::kColPart, QStringLiteral("所在层行"));
    EXPECT_EQ(sheet.lineAt(2)->getType(), EditLine::kStoryRow);
    EXPECT_EQ(sheet.lineAt(2)->isNull(), 0);

    // Any other text makes a heading a bar row.
    sheet.commitCell(1, CVes_ProcessTable::kColPart, QStringLiteral("工程"));
    EXPECT_EQ(sheet.lineAt(0)->getType(), EditLine::kSteelRow);
    EXPECT_EQ(sheet.lineAt(0)->isNull(), 0);
}

TEST_F(ProcessTableEdit, HeadingTakesTheTextInAnyOtherColumn)
{
    sheet.commitCell(1, CVes_ProcessTable::kColRemark, QStringLiteral("KL9"));
    EXPECT_EQ(sheet.lineAt(0)->getEle(), "KL9");
    EXPECT_EQ(sheet.lineAt(0)->getProcessSteel()->isNull(), 1);
}

TEST(ProcessRowTypeNames, NamesAndKinds)
{
    EXPECT_EQ(processRowTypeNames(),
              (QStringList{"工程行", "所在层行", "构件类型", "构件编号"}));
    EXPECT_EQ(processRowKindOfName(QStringLiteral("工程行")), EditLine::kProjectRow);
    EXPECT_EQ(processRowKindOfName(QStringLiteral("构件编号")), EditLine::kEleRow);
    EXPECT_EQ(processRowKindOfName(QString()), EditLine::kSteelRow);
    EXPECT_EQ(processRowTypeName(EditLine::kStoryRow), "所在层行");
    EXPECT_EQ(processRowTypeName(EditLine::kSteelRow), "");
}

// the texts editors open with

struct OpenCase {
    const char* name;
    int row;
    int column;
    bool computed;   // the bar's length follows its shape
    bool tags;
    bool opens;
    const char* text;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableEditText : public ProcessTableEdit,
                             public ::testing::WithParamInterface<OpenCase> {};

TEST_P(ProcessTableEditText, OfEachColumn)
{
    const OpenCase& c = GetParam();
    bar().calcLength = c.computed ? 1 : 0;
    bar().length = 2500.0f;
    bar().grade = 3;
    bar().setMultiGroup(3);
    if (!c.tags)
        bar().tags.clear();
    else
        bar().tags.front().text = QStringLiteral("9m");
    QString text;
    EXPECT_EQ(sheet.getCellEditText(c.row, c.column, text), c.opens ? 1 : 0);
    if (c.opens) {
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ProcessTableEditText,
    ::testing::Values(OpenCase{"heading_any_column", 1, 4, true, true, true, "KL1"},
                      OpenCase{"number", 2, 1, true, true, true, "5"},
                      OpenCase{"grade", 2, 2, true, true, true, "C16"},
                      OpenCase{"shape", 2, 3, true, true, false, ""},
                      OpenCase{"computed_length", 2, 4, true, true, false, ""},
                      OpenCase{"typed_length", 2, 4, false, true, true, "2500.0"},
                      OpenCase{"count", 2, 5, true, true, true, "4"},
                      OpenCase{"tags_never", 2, 6, true, true, false, ""},
                      OpenCase{"stock_with_a_tag", 2, 7, true, true, true, "9m"},
                      OpenCase{"stock_without_tags", 2, 7, true, false, false, ""},
                      OpenCase{"remark", 2, 8, true, true, true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableEdit, GradedCountOpensAsGroupsAndCount)
{
    bar().setMultiVal(1);
    bar().setMultiGroup(3);
    QString text;
    ASSERT_EQ(sheet.getCellEditText(2, CVes_ProcessTable::kColCount, text), 1);
    EXPECT_EQ(text, "3/4");
}

} // namespace
