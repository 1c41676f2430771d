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
    const char* excelGbk; // the spreadsheet text as GBK bytes
    int valid;
};

void PrintTo(const GradeCase& c, std::ostream* os) { *os << "grade " << c.code; }

const GradeCase kGrades[] = {
    {1, "A", 'A', "A6 D5", 1},        {2, "B", 'B', "AA A2", 1},
    {3, "C", 'C', "AA A3", 1},        {4, "D", 'D', "AA A4", 1},
    {11, "AE", 'K', "A6 D5 45", 1},   {12, "L", 'L', "A6 D5 4C", 1},
    {13, "T", 'M', "A6 D5 54", 1},    {14, "N", 'N', "A6 D5 4E", 1},
    {15, "HM", 'O', "A6 D5 48 4D", 1}, {16, "PM", 'P', "A6 D5 50 4D", 1},
    {17, "H", 'Q', "A6 D5 48", 1},    {18, "P", 'R', "A6 D5 50", 1},
    {19, "S", 'S', "A6 D5 53", 1},    {20, "", 'T', "", 1},
    {21, "BF", 'U', "AA A2 46", 1},   {23, "BE", 'W', "AA A2 45", 1},
    {31, "CF", '_', "AA A3 46", 1},   {32, "R", '`', "AA A3 52", 0},
    {33, "CE", 'a', "AA A3 45", 1},   {41, "DF", 'i', "AA A4 46", 1},
    {42, "DE", 'j', "AA A4 45", 1},
    // Codes outside the table.
    {0, "", '@', "", 0},              {5, "", 'E', "", 0},
    {6, "", 'F', "", 0},              {22, "", 'V', "", 0},
    {43, "", 'k', "", 0},             {-1, "", '?', "", 0},
};

class GradeTexts : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeTexts, LettersEscapeSpreadsheetTextAndValidity)
{
    const GradeCase& c = GetParam();
    EXPECT_EQ(Steel_GradeToString(c.code), QString::fromLatin1(c.letters));
    EXPECT_EQ(Steel_GradeToTableCHAR(c.code), c.escape);
    EXPECT_EQ(test::toHex(platform::gbk::encode(Steel_GradeToExcelString(c.code))),
              test::toHex(test::hex(c.excelGbk)));
    EXPECT_EQ(Steel_isValidGrade(c.code), c.valid);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, GradeTexts, ::testing::ValuesIn(kGrades));

TEST(GradeTexts, TableEscapesBecomeSpreadsheetCharacters)
{
    QString text = QStringLiteral("%%C20@200+%%T+%%F+%%E+%%a+%%O8+%%M");
    Steel_ReplaceTableStringToExcelString(text);
    EXPECT_EQ(test::toHex(platform::gbk::encode(text)),
              test::toHex(test::hex("AA A3 32 30 40 32 30 30 2B A6 D5 54 2B AA AF 2B 25 25 45 2B"
                                    "AA A3 45 2B A6 D5 48 4D 38 2B A6 D5 54")));
    // Plain texts and lone percent signs stay.
    QString plain = QString::fromUtf8("箍筋 %%% 100%");
    Steel_ReplaceTableStringToExcelString(plain);
    EXPECT_EQ(plain, QString::fromUtf8("箍筋 %%% 100%"));
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

class TypedSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TypedSizes, GradeAndDiameter)
{
    const SizeCase& c = GetParam();
    int grade = 7;
    float diameter = 99;
    EXPECT_EQ(transStringToGuige(QString::fromLatin1(c.text), grade, diameter), c.result);
    EXPECT_EQ(grade, c.grade);
    EXPECT_EQ(diameter, c.diameter);
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedSizes, ::testing::ValuesIn(kSizes));

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
