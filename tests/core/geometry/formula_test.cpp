#include "core/geometry/formula.h"
#include "tests/support/recordinghost.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <thread>

namespace {

// The variables of a typical shape: a=300, b=200, L1 from 1000 to 1500 in
// steps of 100, c=100 with a step of 20, t=60, H=500, B=300, L=1000, and a
// second "a" that the first one hides.
FormulaVariables shapeVariables()
{
    return {
        {QStringLiteral("a"), 300, 0, 0},    {QStringLiteral("b"), 200, 0, 0},
        {QStringLiteral("L1"), 1000, 1500, 100}, {QStringLiteral("c"), 100, 150, 20},
        {QStringLiteral("t"), 60, 0, 0},     {QStringLiteral("H"), 500, 0, 0},
        {QStringLiteral("B"), 300, 0, 0},    {QStringLiteral("L"), 1000, 0, 0},
        {QStringLiteral("a"), 999, 0, 0},
    };
}

struct FormulaCase {
    const char* formula;
    int mode;
    double value;
    // The evaluator's verdict and its reason (nullptr: none).
    bool valid;
    const char* reason;
    // The checker's verdict and its message (nullptr: none).
    int check;
    const char* checkMessage;
};

void PrintTo(const FormulaCase& c, std::ostream* os) { *os << '"' << c.formula << "\" mode " << c.mode; }

QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }

const char* const kSin = "警告：三角函数“sin”操作符后面没有变量参与运算!";
const char* const kReserved = "警告：计算式含有保留运算符，！";
const char* const kNonAscii = "警告：计算式含有中文或全角字符，请用半角字母、数字和运算符！";
const char* const kBracket = "警告：括号不匹配";
const char* const kNotANumber = "警告：计算结果不是有效数字！";

const FormulaCase kCases[] = {
    // Only what stands before "=" counts; an "=" in front is an unknown character.
    {"a=b*2", 0, 300, true, nullptr, 1, nullptr},
    {"a = b", 0, 300, true, nullptr, 1, nullptr},
    {"=a", 0, 300, true, nullptr, 1, nullptr},
    {"b*2", 0, 400, true, nullptr, 1, nullptr},
    // Degrees through a constant slightly below pi/180.
    {"sin30", 0, 0.49999999226497954, true, nullptr, 1, nullptr},
    {"sin(15+15)", 0, 0.49999999226497954, true, nullptr, 1, nullptr},
    {"sin 30", 0, 0.49999999226497954, true, nullptr, 1, nullptr},
    {"1000*sin30", 0, 499.99999226497954, true, nullptr, 1, nullptr},
    {"L*cos60", 0, 500.0000154700408, true, nullptr, 1, nullptr},
    {"sin30*2", 0, 0.99999998452995908, true, nullptr, 1, nullptr},
    // A function name inside a word is still that function.
    {"cost", 0, 0.5000000154700408, true, nullptr, 1, nullptr},
    {"point", 0, 0, false, "警告：变量po没有定义！", 0, "警告：变量po没有定义！"},
    // A function without its operand: the checker only looks inside brackets.
    {"sin", 0, 0, false, kSin, 1, nullptr},
    {"sinsin30", 0, 0, false, kSin, 1, nullptr},
    {"(sin)", 0, 0, false, kSin, 0, kSin},
    {"(cos)", 0, 0, false, "警告：三角函数“cos”操作符后面没有变量参与运算!", 0,
     "警告：三角函数“cos”操作符后面没有变量参与运算!"},
    {"(tan)", 0, 0, false, "警告：“tan”操作符后面没有变量参与运算!", 0,
     "警告：“tan”操作符后面没有变量参与运算!"},
    {"(ctn)", 0, 0, false, "警告：“ctn”操作符后面没有变量参与运算!", 0,
     "警告：“ctn”操作符后面没有变量参与运算!"},
    {"(asin)", 0, 0, false, "警告：“asin”操作符后面没有变量参与运算!", 0,
     "警告：“asin”操作符后面没有变量参与运算!"},
    {"(acos)", 0, 0, false, "警告：“acos”操作符后面没有变量参与运算!", 0,
     "警告：“acos”操作符后面没有变量参与运算!"},
    {"(atan)", 0, 0, false, "警告：“atan”操作符后面没有变量参与运算!", 0,
     "警告：“atan”操作符后面没有变量参与运算!"},
    {"(actn)", 0, 0, false, "警告：“actn”操作符后面没有变量参与运算!", 0,
     "警告：“actn”操作符后面没有变量参与运算!"},
    {"(square)", 0, 0, false, "警告：“square”操作符后面没有变量参与运算!", 0,
     "警告：“square”操作符后面没有变量参与运算!"},
    {"(sqrt)", 0, 0, false, "警告：开方函数“sqrt”操作符后面没有变量参与运算!", 0,
     "警告：开方函数“sqrt”操作符后面没有变量参与运算!"},
    {"(int)", 0, 0, false, "警告：开方函数“int”操作符后面没有变量参与运算!", 0,
     "警告：开方函数“int”操作符后面没有变量参与运算!"},
    // Division by zero gives 0; a missing operand of * or / has no text.
    {"6/0", 0, 0, true, nullptr, 1, nullptr},
    {"2*-3", 0, 0, false, nullptr, 1, nullptr},
    {"(2*-3)", 0, 0, false, nullptr, 0, nullptr},
    {"-3*2", 0, -6, true, nullptr, 1, nullptr},
    {"2*(-3)", 0, -6, true, nullptr, 1, nullptr},
    {"*2", 0, 0, false, nullptr, 1, nullptr},
    // The sign holds until the next sign; operands side by side add.
    {"-3+5", 0, 2, true, nullptr, 1, nullptr},
    {"5--3", 0, 2, true, nullptr, 1, nullptr},
    {"5-+3", 0, 8, true, nullptr, 1, nullptr},
    {"5-3+1", 0, 3, true, nullptr, 1, nullptr},
    {"2(3)", 0, 5, true, nullptr, 1, nullptr},
    {"2,5", 0, 7, true, nullptr, 1, nullptr},
    {"2^3", 0, 5, true, nullptr, 1, nullptr},
    {"a(b)*2", 0, 700, true, nullptr, 1, nullptr},
    {"()", 0, 0, true, nullptr, 1, nullptr},
    // Brackets: an unclosed one is ignored, a lone ")" is refused.
    {"(2+3", 0, 5, true, nullptr, 1, nullptr},
    {"a)", 0, 0, false, kBracket, 0, kBracket},
    {"((a+b)*2)/(b-100)", 0, 10, true, nullptr, 1, nullptr},
    // Value modes: the value, the other end, the value plus the step.
    {"L1*2", 0, 2000, true, nullptr, 1, nullptr},
    {"L1*2", 1, 3000, true, nullptr, 1, nullptr},
    {"L1*2", 2, 2200, true, nullptr, 1, nullptr},
    {"L1*2", 7, 2000, true, nullptr, 1, nullptr},
    {"c", 2, 120, true, nullptr, 1, nullptr},
    {"c", 1, 150, true, nullptr, 1, nullptr},
    {"sqrt(square3+square4)", 0, 5, true, nullptr, 1, nullptr},
    {"int(2.95+0.1)", 0, 3, true, nullptr, 1, nullptr},
    {"int(0-2.5)", 0, -2, true, nullptr, 1, nullptr},
    {"'5.7", 0, 5, true, nullptr, 1, nullptr},
    {"actn10", 0, 45.00000076761725, true, nullptr, 1, nullptr},
    {"atan1", 0, 45.00000076761725, true, nullptr, 1, nullptr},
    {"2*(H+B)+2*11.9*10", 0, 1838, true, nullptr, 1, nullptr},
    // Names: exact case, the first of equal names, letters digits and "_".
    {"B-b", 0, 100, true, nullptr, 1, nullptr},
    {"x+1", 0, 0, false, "警告：变量x没有定义！", 0, "警告：变量x没有定义！"},
    {"1e3", 0, 0, false, "警告：变量e3没有定义！", 0, "警告：变量e3没有定义！"},
    {"a_1", 0, 0, false, "警告：变量a_1没有定义！", 0, "警告：变量a_1没有定义！"},
    {"1.2.3", 0, 1.2, true, nullptr, 1, nullptr},
    {".", 0, 0, true, nullptr, 1, nullptr},
    {".5+5.", 0, 5.5, true, nullptr, 1, nullptr},
    // Reserved characters: refused by the checker, cut by the evaluator.
    {"a+{b", 0, 300, true, nullptr, 0, kReserved},
    {"a@", 0, 300, true, nullptr, 0, kReserved},
    // Chinese and full-width characters never become operands.
    {"长度*2", 0, 0, false, kNonAscii, 0, kNonAscii},
    {"a＋b", 0, 0, false, kNonAscii, 0, kNonAscii},
    {"a*é", 0, 0, false, kNonAscii, 0, kNonAscii},
    {"L1=长度", 0, 1000, true, nullptr, 1, nullptr},
    // Results that are no number give 0.
    {"sqrt(0-1)", 0, 0, false, kNotANumber, 1, nullptr},
    {"ctn0", 0, 0, false, kNotANumber, 1, nullptr},
    {"asin2", 0, 0, false, kNotANumber, 1, nullptr},
    {"", 0, 0, true, nullptr, 1, nullptr},
};

class FormulaTable : public ::testing::TestWithParam<FormulaCase> {
protected:
    test::HostScope host;
    CVes_Formula formula;
    FormulaVariables variables = shapeVariables();
};

TEST_P(FormulaTable, EvaluatesAndChecksWithoutShowingAnything)
{
    const FormulaCase& c = GetParam();
    const QString f = QString::fromUtf8(c.formula);

    const FormulaResult result = formula.evaluate(f, variables, c.mode);
    EXPECT_DOUBLE_EQ(result.value, c.value);
    EXPECT_EQ(result.ok, c.valid);
    EXPECT_EQ(result.message, text(c.reason));
    EXPECT_DOUBLE_EQ(formula.FormulaValue(f, variables, c.mode), c.value);

    QString message = QStringLiteral("before");
    EXPECT_EQ(formula.checkFormula(f, variables, message), c.check);
    if (c.check == 1)
        EXPECT_EQ(message, QStringLiteral("before"));
    else
        EXPECT_EQ(message, text(c.checkMessage));

    EXPECT_TRUE(host->messages().empty()) << host->messageTexts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formulas, FormulaTable, ::testing::ValuesIn(kCases));

QString repeated(const char* operand, const char* op, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QString::fromUtf8(operand);
    return parts.join(QString::fromUtf8(op));
}

TEST(FormulaOperandLimit, HundredTwentyFivePassTheHundredTwentySixthFails)
{
    test::HostScope host;
    CVes_Formula formula;
    const FormulaVariables variables = shapeVariables();
    const QString tooMany = QString::fromUtf8("警告：计算式变量和数字总数超过125个！");

    QString message;
    EXPECT_EQ(formula.checkFormula(repeated("1", "+", 125), variables, message), 1);
    EXPECT_EQ(formula.FormulaValue(repeated("1", "+", 125), variables, 0), 125.0);
    EXPECT_EQ(formula.checkFormula(repeated("1", "+", 126), variables, message), 0);
    EXPECT_EQ(message, tooMany);
    const FormulaResult over = formula.evaluate(repeated("1", "+", 126), variables, 0);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(over.value, 0.0);
    EXPECT_EQ(over.message, tooMany);

    // Names and numbers count together.
    message.clear();
    EXPECT_EQ(formula.checkFormula(repeated("a", "+", 63) + QStringLiteral("+") + repeated("1", "+", 63),
                                   variables, message),
              0);
    EXPECT_EQ(message, tooMany);
    EXPECT_TRUE(host->messages().empty());
}

TEST(FormulaOperandLimit, IntermediateResultsDoNotCount)
{
    CVes_Formula formula;
    // 124 products and 125 sines on top of 125 operands.
    EXPECT_DOUBLE_EQ(formula.FormulaValue(repeated("2", "*", 125), FormulaVariables(), 0), std::ldexp(1.0, 125));
    EXPECT_NEAR(formula.FormulaValue(repeated("sin30", "+", 125), FormulaVariables(), 0), 62.5, 1e-5);
    EXPECT_NEAR(formula.FormulaValue(repeated("(sin(30)*2)", "+", 62), FormulaVariables(), 0), 62.0, 1e-5);
}

TEST(FormulaString, EvaluatesWithoutVariables)
{
    test::HostScope host;
    EXPECT_EQ(formulaString(QStringLiteral("12")), 12.0);
    EXPECT_EQ(formulaString(QStringLiteral("3*2.5+1")), 8.5);
    EXPECT_EQ(formulaString(QStringLiteral("a+1")), 0.0);
    EXPECT_EQ(formulaString(QString::fromUtf8("１２")), 0.0);
    EXPECT_EQ(formulaString(QStringLiteral("sin")), 0.0);
    EXPECT_TRUE(host->messages().empty());
}

// A text once read keeps no value: each evaluation looks its names up
// among its own variables, in its own mode, and the checker reads the text
// its own way whatever the evaluator read before.
TEST(FormulaReadOnce, EachEvaluationTakesItsOwnVariables)
{
    CVes_Formula formula;
    const QString sum = QStringLiteral("2*(a+L1)");
    EXPECT_EQ(formula.FormulaValue(sum, shapeVariables(), CVes_Formula::kValueMode), 2600.0);
    EXPECT_EQ(formula.FormulaValue(sum, shapeVariables(), CVes_Formula::kSecondValueMode), 3000.0);
    EXPECT_EQ(formula.FormulaValue(sum, {{QStringLiteral("a"), 1, 0, 0}, {QStringLiteral("L1"), 2, 0, 0}},
                                   CVes_Formula::kValueMode),
              6.0);
    const FormulaResult missing =
        formula.evaluate(sum, {{QStringLiteral("a"), 1, 0, 0}}, CVes_Formula::kValueMode);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, QString::fromUtf8("警告：变量L1没有定义！"));
    EXPECT_EQ(formula.FormulaValue(sum, shapeVariables(), CVes_Formula::kStepValueMode), 2800.0);

    // The evaluator reads up to a reserved character, the checker refuses it.
    const QString reserved = QStringLiteral("H+1!2");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(formula.FormulaValue(reserved, shapeVariables(), CVes_Formula::kValueMode), 501.0);
        QString message;
        EXPECT_EQ(formula.checkFormula(reserved, shapeVariables(), message), 0);
        EXPECT_EQ(message, text(kReserved));
    }
}

TEST(FormulaReadOnce, ManyDistinctTextsStayRight)
{
    // More texts than a thread keeps: each still has its own value, those
    // read long before as well.
    CVes_Formula formula;
    const FormulaVariables variables = shapeVariables();
    int wrong = 0;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 10000; ++i)
            wrong += formula.FormulaValue(QStringLiteral("b+%1").arg(i), variables, 0) != 200.0 + i;
    EXPECT_EQ(wrong, 0);
    // A text longer than any shape's formula, read each time it is asked.
    const QString longSum = QStringLiteral("a+") + QString(600, u'0') + QStringLiteral("1+b");
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(formula.FormulaValue(longSum, variables, 0), 501.0);
}

TEST(FormulaThreads, EvaluationsOnSeveralThreadsAgree)
{
    const CVes_Formula shared;
    const FormulaVariables variables = shapeVariables();
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                const double v = shared.FormulaValue(QStringLiteral("2*(H+B)+L1*2-sqrt(square3+square4)"),
                                                     variables, t % 3);
                const double expected = t % 3 == 0 ? 3595 : t % 3 == 1 ? 2995 : 3795;
                wrong[std::size_t(t)] += v != expected;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

} // namespace
