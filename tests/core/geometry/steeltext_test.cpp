#include "core/geometry/steeltext.h"
#include "core/geometry/formula.h"
#include "platform/gbk.h"
#include "tests/support/decimalcomma.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

struct GradeCase {
    int code;
    const char* letters;
    char escape;
    const char* excel; // the spreadsheet text: the letters a detailer types
    int valid;
};

void PrintTo(const GradeCase& c, std::ostream* os) { *os << "grade " << c.code; }

const GradeCase kGrades[] = {
    {1, "A", 'A', "A", 1},        {2, "B", 'B', "B", 1},
    {3, "C", 'C', "C", 1},        {4, "D", 'D', "D", 1},
    {11, "AE", 'K', "AE", 1},     {12, "L", 'L', "L", 1},
    {13, "T", 'M', "T", 1},       {14, "N", 'N', "N", 1},
    {15, "HM", 'O', "HM", 1},     {16, "PM", 'P', "PM", 1},
    {17, "H", 'Q', "H", 1},       {18, "P", 'R', "P", 1},
    {19, "S", 'S', "S", 1},       {20, "", 'T', "T", 1},
    {21, "BF", 'U', "BF", 1},     {23, "BE", 'W', "BE", 1},
    {31, "CF", '_', "CF", 1},     {32, "R", '`', "R", 0},
    {33, "CE", 'a', "CE", 1},     {41, "DF", 'i', "DF", 1},
    {42, "DE", 'j', "DE", 1},
    // Codes outside the table: the two further escapes keep their letter.
    {0, "", '@', "", 0},          {5, "", 'E', "E", 0},
    {6, "", 'F', "F", 0},         {22, "", 'V', "", 0},
    {43, "", 'k', "", 0},         {-1, "", '?', "", 0},
};

class GradeTexts : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeTexts, LettersEscapeSpreadsheetTextAndValidity)
{
    const GradeCase& c = GetParam();
    EXPECT_EQ(Steel_GradeToString(c.code), QString::fromLatin1(c.letters));
    EXPECT_EQ(Steel_GradeToTableCHAR(c.code), c.escape);
    EXPECT_EQ(Steel_GradeToExcelString(c.code), QString::fromLatin1(c.excel));
    EXPECT_EQ(Steel_isValidGrade(c.code), c.valid);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, GradeTexts, ::testing::ValuesIn(kGrades));

// A workbook's grade text is plain ASCII that any spreadsheet program shows
// in any font, and that the program reads back as the same grade when it is
// typed or pasted as a size.
TEST_P(GradeTexts, SpreadsheetTextIsPlainAndReadsBackAsTheGrade)
{
    const GradeCase& c = GetParam();
    const QString text = Steel_GradeToExcelString(c.code);
    for (const QChar ch : text)
        EXPECT_LT(ch.unicode(), 0x80) << c.code;
    if (*c.letters == 0)
        return;
    int grade = 0;
    float diameter = 0;
    EXPECT_EQ(transStringToGuige(text + QStringLiteral("22"), grade, diameter), 1);
    EXPECT_EQ(grade, c.code);
    EXPECT_EQ(diameter, 22.0f);
}

TEST(GradeTexts, TableEscapesBecomeSpreadsheetLetters)
{
    QString text = QStringLiteral("%%C20@200+%%T+%%F+%%E+%%a+%%O8+%%M");
    Steel_ReplaceTableStringToExcelString(text);
    EXPECT_EQ(text, QStringLiteral("C20@200+T+F+E+CE+HM8+T"));
    // Plain texts and lone percent signs stay.
    QString plain = QString::fromUtf8("箍筋 %%% 100%");
    Steel_ReplaceTableStringToExcelString(plain);
    EXPECT_EQ(plain, QString::fromUtf8("箍筋 %%% 100%"));
    QString summary = QStringLiteral("HRB400(%%C)");
    Steel_ReplaceTableStringToExcelString(summary);
    EXPECT_EQ(summary, QStringLiteral("HRB400(C)"));
}

TEST(DNtoString, WholeDiametersWithoutFraction)
{
    EXPECT_EQ(DNtoString(12.0f), QStringLiteral("12"));
    EXPECT_EQ(DNtoString(12.5f), QStringLiteral("12.5"));
    EXPECT_EQ(DNtoString(6.5f), QStringLiteral("6.5"));
    EXPECT_EQ(DNtoString(0.0f), QStringLiteral("0"));
    EXPECT_EQ(DNtoString(1e20f), QStringLiteral("100000002004087734272.0"));
}

struct SizeCase {
    const char* text;
    int result;
    int grade;      // the grade afterwards (7: untouched)
    float diameter; // the diameter afterwards (99: untouched)
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

const SizeCase kSizes[] = {
    {"C25", 1, 3, 25},   {"c25", 1, 3, 25},    {"-25", 1, 3, 25},   {"CF25", 1, 31, 25},
    {"cc25", 1, 31, 25}, {"CE25", 1, 33, 25},  {"HM12", 1, 15, 12}, {"PM12", 1, 16, 12},
    {"H12", 1, 17, 12},  {"AE6.5", 1, 11, 6.5f}, {"/8", 1, 1, 8},   {"*10", 1, 2, 10},
    {"+12", 1, 4, 12},   {"DD32", 1, 41, 32},  {"EE16", 1, 33, 16}, {"E16", 1, 23, 16},
    {"R8", 1, 32, 8},    {"T8", 1, 13, 8},
    // A typed grade digit before the diameter.
    {"320", 1, 3, 20},   {"412", 1, 4, 12},    {"3", 1, 3, 99},     {"520", 0, 0, 99},
    // Unknown letters give grade 0; repeated letters are skipped.
    {"X12", 1, 0, 12},   {"12", 1, 0, 12},     {"CCC25", 1, 31, 25}, {"C 25", 1, 3, 25},
    {" C25", 1, 0, 25},
    // Diameters that are not allowed, and none at all.
    {"C13", 0, 3, 99},   {"C25.5", 0, 3, 99},  {"C0", 1, 3, 99},    {"B", 1, 2, 99},
    {"", 0, 7, 99},
};

// Reads the case's text with `read` from grade 7 and diameter 99.
void expectSize(int (*read)(const QString&, int&, float&), const SizeCase& c)
{
    int grade = 7;
    float diameter = 99;
    EXPECT_EQ(read(QString::fromLatin1(c.text), grade, diameter), c.result);
    EXPECT_EQ(grade, c.grade);
    EXPECT_EQ(diameter, c.diameter);
}

class TypedSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TypedSizes, GradeAndDiameter)
{
    expectSize(&transStringToGuige, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedSizes, ::testing::ValuesIn(kSizes));

// A size the user gives a bar names a grade or a diameter, and what follows
// the grade letters is a plain number: other texts are refused and set
// nothing, where the reading above would take "abc" as grade A.
const SizeCase kBarSizes[] = {
    {"C25", 1, 3, 25},  {"c25", 1, 3, 25},   {"A", 1, 1, 99},    {"b", 1, 2, 99},
    {"3", 1, 3, 99},    {"320", 1, 3, 20},   {"X12", 1, 0, 12},  {"25", 1, 0, 25},
    {"C 25", 1, 3, 25}, {"AE6.5", 1, 11, 6.5f}, {"CCC25", 1, 31, 25}, {"-25", 1, 3, 25},
    {"abc", 0, 7, 99},  {"ABC", 0, 7, 99},   {"X", 0, 7, 99},    {"0", 0, 7, 99},
    {"C25mm", 0, 7, 99}, {"C1e6", 0, 7, 99}, {"12abc", 0, 7, 99}, {"C13", 0, 7, 99},
    {"C0", 1, 3, 99},   {"", 0, 7, 99},
};

class TypedBarSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TypedBarSizes, NameASizeOrAreRefused)
{
    expectSize(&transTypedGuige, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedBarSizes, ::testing::ValuesIn(kBarSizes));

// Numbers typed or stored with a decimal point read the same whatever locale
// the desktop runs in, also one that writes a decimal comma.
struct PointNumberCase {
    const char* name;
    double (*read)(const QString&);
    const char* text;
    double value;
};

void PrintTo(const PointNumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

double typedDiameter(const QString& text)
{
    int grade = 0;
    float diameter = 0;
    transStringToGuige(text, grade, diameter);
    return diameter;
}

class PointNumbersUnderADecimalComma : public ::testing::TestWithParam<PointNumberCase> {
protected:
    test::DecimalCommaLocale locale;
};

TEST_P(PointNumbersUnderADecimalComma, ReadAsUnderThePoint)
{
    ASSERT_TRUE(locale.active()) << "no locale with a decimal comma could be set";
    const PointNumberCase& c = GetParam();
    EXPECT_EQ(c.read(QString::fromLatin1(c.text)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, PointNumbersUnderADecimalComma,
    ::testing::Values(PointNumberCase{"Formula", &formulaString, "3*2.5+1", 8.5},
                      PointNumberCase{"FormulaFraction", &formulaString, "0.25", 0.25},
                      PointNumberCase{"TypedSize", &typedDiameter, "AE6.5", 6.5},
                      PointNumberCase{"TypedSizeWithExponent", &typedDiameter, "C2.5e1", 25}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DNtoString, WrittenWithAPointUnderADecimalComma)
{
    const test::DecimalCommaLocale locale;
    ASSERT_TRUE(locale.active());
    EXPECT_EQ(DNtoString(12.5f), QStringLiteral("12.5"));
}

} // namespace
