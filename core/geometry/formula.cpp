#include "core/geometry/formula.h"

#include "core/geometry/geometry.h"
#include "core/geometry/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>

// A formula is rewritten into a list of tokens: plain characters, one token
// per function name and one per operand (a name, a number or an intermediate
// result, whose value lies in the run's operand list). Brackets, functions,
// products and sums are then reduced to single operands until one is left.
// Every evaluation keeps its state in its own run, so formulas may be
// evaluated on several threads at once.

namespace {

constexpr double kRadiansToDegrees = 57.295780490442965;

enum Function { Sin, Cos, Tan, Ctn, Asin, Acos, Atan, Actn, Square, Sqrt, Int, FunctionCount };

struct FunctionText {
    const char* name;
    const char* missingOperand;
};

const FunctionText kFunctions[FunctionCount] = {
    {"sin", "警告：三角函数“sin”操作符后面没有变量参与运算!"},
    {"cos", "警告：三角函数“cos”操作符后面没有变量参与运算!"},
    {"tan", "警告：“tan”操作符后面没有变量参与运算!"},
    {"ctn", "警告：“ctn”操作符后面没有变量参与运算!"},
    {"asin", "警告：“asin”操作符后面没有变量参与运算!"},
    {"acos", "警告：“acos”操作符后面没有变量参与运算!"},
    {"atan", "警告：“atan”操作符后面没有变量参与运算!"},
    {"actn", "警告：“actn”操作符后面没有变量参与运算!"},
    {"square", "警告：“square”操作符后面没有变量参与运算!"},
    {"sqrt", "警告：开方函数“sqrt”操作符后面没有变量参与运算!"},
    {"int", "警告：开方函数“int”操作符后面没有变量参与运算!"},
};

// Longer names go first so that "asin" is not read as "a" and "sin".
constexpr Function kReplaceOrder[] = {Asin, Acos, Atan, Actn, Sin, Cos,
                                      Tan,  Ctn,  Square, Sqrt, Int};
// The order in which functions are applied: sine before arc sine.
constexpr Function kApplyOrder[] = {Sin,  Cos,  Tan,  Ctn,    Asin, Acos,
                                    Atan, Actn, Square, Sqrt, Int};

const char kReservedCharacters[] = "{|}~!\"#$@";

const char* const kReservedMessage = "警告：计算式含有保留运算符，！";
const char* const kNonAsciiMessage = "警告：计算式含有中文或全角字符，请用半角字母、数字和运算符！";
const char* const kTooManyMessage = "警告：计算式变量和数字总数超过125个！";
const char* const kBracketMessage = "警告：括号不匹配";
const char* const kNotANumberMessage = "警告：计算结果不是有效数字！";

// Tokens below kFunctionToken are the characters of the formula.
using Token = int;
using Tokens = std::vector<Token>;
constexpr Token kFunctionToken = 0x100;
constexpr Token kOperandToken = 0x200;

bool isOperand(Token t) { return t >= kOperandToken; }
bool isAsciiLetter(Token t) { return (t >= 'a' && t <= 'z') || (t >= 'A' && t <= 'Z'); }
bool isDigit(Token t) { return t >= '0' && t <= '9'; }
bool isNameCharacter(Token t) { return isAsciiLetter(t) || isDigit(t) || t == '_'; }
bool isNumberCharacter(Token t) { return isDigit(t) || t == '.'; }

QString unicode(const char* utf8) { return QString::fromUtf8(utf8); }

double applyFunction(Function f, double x)
{
    switch (f) {
    case Sin: return std::sin(x * kDegreesToRadians);
    case Cos: return std::cos(x * kDegreesToRadians);
    case Tan: return std::tan(x * kDegreesToRadians);
    case Ctn: return 1.0 / std::tan(x * kDegreesToRadians);
    case Asin: return std::asin(x) * kRadiansToDegrees;
    case Acos: return std::acos(x) * kRadiansToDegrees;
    case Atan: return std::atan(x) * kRadiansToDegrees;
    case Actn: return std::atan(0.1 * x) * kRadiansToDegrees;
    case Square: return x * x;
    case Sqrt: return std::sqrt(x);
    case Int: return std::trunc(x);
    case FunctionCount: break;
    }
    return 0.0;
}

// A run of digits and points read the way the C library's atof reads it:
// the longest decimal prefix, 0 when there is none.
double numberValue(const std::string& digits)
{
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: infinite when a digit other
        // than 0 stands before the point, else 0.
        const auto point = digits.find('.');
        const std::string whole = digits.substr(0, point);
        return whole.find_first_not_of('0') == std::string::npos ? 0.0 : HUGE_VAL;
    }
    return error == std::errc() ? value : 0.0;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Replaces every occurrence of `pattern` in `tokens`, left to right.
void replaceAll(Tokens& tokens, const Tokens& pattern, Token by)
{
    Tokens out;
    out.reserve(tokens.size());
    for (std::size_t i = 0; i < tokens.size();) {
        if (tokens.size() - i >= pattern.size()
            && std::equal(pattern.begin(), pattern.end(), tokens.begin() + std::ptrdiff_t(i))) {
            out.push_back(by);
            i += pattern.size();
        } else {
            out.push_back(tokens[i++]);
        }
    }
    tokens = std::move(out);
}

// A formula as read, before any variable is looked up: its tokens with every
// name and number replaced by an operand (the names first, left to right,
// then the numbers), the names in that order and the numbers' values. What
// it says depends on the text alone (and on whether it is checked), so a
// thread keeps what it read and reads each text once: the same few formulas
// are evaluated for every side of every bar of a list.
struct Reading {
    bool ok = false;
    QString message; // why the text is no formula, when not ok
    Tokens tokens;
    std::vector<QString> names;
    std::vector<double> numbers;
};

// One check or evaluation of one formula.
class Run {
public:
    Run(const FormulaVariables& variables, int mode, bool checking)
        : m_variables(variables), m_mode(mode), m_checking(checking)
    {
    }

    // Rewrites the formula into tokens with every name and number replaced
    // by an operand and every bracket reduced; false on an error.
    bool prepare(const QString& formula);
    // Reduces a bracket-free token list to one operand.
    std::optional<Token> Val(Tokens expression);

    double value(Token operand) const { return m_operands[std::size_t(operand - kOperandToken)]; }
    const Tokens& tokens() const { return m_tokens; }
    const QString& message() const { return m_message; }

private:
    bool fail(const QString& message)
    {
        m_message = message;
        return false;
    }
    bool reduceBrackets();
    bool addOperand(double value);
    Token newOperand(double value);
    double variableValue(const FormulaVariable& variable) const;

    const FormulaVariables& m_variables;
    const int m_mode;
    const bool m_checking;
    std::vector<double> m_operands;
    Tokens m_tokens;
    QString m_message;
};

// The text before "=" without reserved characters and blanks, or nothing
// (with the reason) when it cannot be a formula.
std::optional<QString> cleanText(QString text, bool checking, QString& message)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0)
        text.truncate(equals);

    const QString reserved = QString::fromLatin1(kReservedCharacters);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!reserved.contains(text[i]))
            continue;
        // The checker refuses what the evaluator reads up to the character.
        if (checking) {
            message = unicode(kReservedMessage);
            return std::nullopt;
        }
        text.truncate(i);
        break;
    }

    for (const QChar c : std::as_const(text)) {
        if (c.unicode() > 0x7F) {
            message = unicode(kNonAsciiMessage);
            return std::nullopt;
        }
    }
    text.remove(u' ');
    return text;
}

Tokens tokenize(const QString& text)
{
    // Function names become bytes above 0x7F, which no formula holds by now,
    // in the order that keeps "asin" from being read as "a" and "sin".
    std::string bytes = text.toLatin1().toStdString();
    for (const Function f : kReplaceOrder)
        replaceAll(bytes, kFunctions[f].name, std::string(1, char(0x80 + f)));

    Tokens tokens;
    tokens.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            tokens.push_back(kFunctionToken + (byte - 0x80));
        // A typed apostrophe and DEL have always stood for int and tan.
        else if (byte == '\'')
            tokens.push_back(kFunctionToken + Int);
        else if (byte == 0x7F)
            tokens.push_back(kFunctionToken + Tan);
        else
            tokens.push_back(byte);
    }
    return tokens;
}

// Replaces each run of tokens that starts with `first` and goes on with
// `next` by the next operand, left to right, and answers the runs.
template <typename First, typename Next>
std::vector<Tokens> replaceRuns(Tokens& tokens, Token& nextOperand, First first, Next next)
{
    std::vector<Tokens> runs;
    for (;;) {
        const auto start = std::find_if(tokens.begin(), tokens.end(), first);
        if (start == tokens.end())
            return runs;
        const auto end = std::find_if_not(start, tokens.end(), next);
        runs.emplace_back(start, end);
        const auto at = tokens.erase(start, end);
        tokens.insert(at, nextOperand++);
    }
}

Reading read(const QString& formula, bool checking)
{
    Reading reading;
    const std::optional<QString> text = cleanText(formula, checking, reading.message);
    if (!text)
        return reading;
    reading.tokens = tokenize(*text);
    Token operand = kOperandToken;
    for (const Tokens& run : replaceRuns(reading.tokens, operand, isAsciiLetter, isNameCharacter)) {
        QString name;
        name.reserve(qsizetype(run.size()));
        for (const Token t : run)
            name += QChar(char16_t(t));
        reading.names.push_back(std::move(name));
    }
    for (const Tokens& run :
         replaceRuns(reading.tokens, operand, isNumberCharacter, isNumberCharacter))
        reading.numbers.push_back(numberValue(std::string(run.begin(), run.end())));
    reading.ok = true;
    return reading;
}

// What this thread read of a formula, valid until it reads the next. A
// thread forgets all it read once it holds this many texts, and keeps no
// text longer than a formula of a shape, so that endless or huge texts of a
// damaged file take no endless memory.
constexpr std::size_t kReadingsKept = 4096;
constexpr qsizetype kLongestKept = 512;

const Reading& readingOf(const QString& formula, bool checking)
{
    thread_local std::unordered_map<QString, Reading> readings[2];
    thread_local Reading once;
    if (formula.size() > kLongestKept) {
        once = read(formula, checking);
        return once;
    }
    auto& kept = readings[checking ? 1 : 0];
    if (const auto found = kept.find(formula); found != kept.end())
        return found->second;
    if (kept.size() >= kReadingsKept)
        kept.clear();
    return kept.emplace(formula, read(formula, checking)).first->second;
}

double Run::variableValue(const FormulaVariable& variable) const
{
    if (m_checking)
        return variable.value;
    switch (m_mode) {
    case CVes_Formula::kSecondValueMode: return variable.secondValue;
    case CVes_Formula::kStepValueMode: return variable.value + variable.step;
    default: return variable.value;
    }
}

Token Run::newOperand(double value)
{
    m_operands.push_back(value);
    return kOperandToken + Token(m_operands.size() - 1);
}

// An operand for a name or number of the formula; these are limited.
bool Run::addOperand(double value)
{
    if (m_operands.size() >= std::size_t(CVes_Formula::kMaxOperands))
        return fail(unicode(kTooManyMessage));
    newOperand(value);
    return true;
}

// Innermost brackets first; an opening bracket that is never closed stays and
// is ignored later.
bool Run::reduceBrackets()
{
    for (;;) {
        const auto close = std::find(m_tokens.begin(), m_tokens.end(), Token(')'));
        if (close == m_tokens.end())
            return true;
        auto open = close;
        while (open != m_tokens.begin() && *open != '(')
            --open;
        if (*open != '(')
            return fail(unicode(kBracketMessage));
        const std::optional<Token> inside = Val(Tokens(open + 1, close));
        if (!inside)
            return false;
        replaceAll(m_tokens, Tokens(open, close + 1), *inside);
    }
}

bool Run::prepare(const QString& formula)
{
    const Reading& reading = readingOf(formula, m_checking);
    if (!reading.ok)
        return fail(reading.message);
    m_operands.clear();
    m_operands.reserve(reading.names.size() + reading.numbers.size());
    for (const QString& name : reading.names) {
        const auto found = std::find_if(m_variables.begin(), m_variables.end(),
                                        [&](const FormulaVariable& v) { return v.name == name; });
        if (found == m_variables.end())
            return fail(unicode("警告：变量") + name + unicode("没有定义！"));
        if (!addOperand(variableValue(*found)))
            return false;
    }
    for (const double number : reading.numbers) {
        if (!addOperand(number))
            return false;
    }
    m_tokens = reading.tokens;
    return reduceBrackets();
}

std::optional<Token> Run::Val(Tokens e)
{
    // Functions apply to the operand right after them.
    for (const Function f : kApplyOrder) {
        const Token code = kFunctionToken + f;
        for (auto at = std::find(e.begin(), e.end(), code); at != e.end();
             at = std::find(e.begin(), e.end(), code)) {
            if (at + 1 == e.end() || !isOperand(at[1])) {
                fail(unicode(kFunctions[f].missingOperand));
                return std::nullopt;
            }
            const Token result = newOperand(applyFunction(f, value(at[1])));
            at = e.erase(at + 1);
            at[-1] = result;
        }
    }

    // Products and quotients, left to right; a missing operand has no text.
    for (;;) {
        const auto at = std::find_if(e.begin(), e.end(), [](Token t) { return t == '*' || t == '/'; });
        if (at == e.end())
            break;
        if (at == e.begin() || at + 1 == e.end() || !isOperand(at[-1]) || !isOperand(at[1])) {
            m_message.clear();
            return std::nullopt;
        }
        const double left = value(at[-1]);
        const double right = value(at[1]);
        const double result = *at == '*' ? left * right : (right == 0.0 ? 0.0 : left / right);
        const Token operand = newOperand(result);
        const auto first = e.erase(at - 1, at + 1);
        *first = operand;
    }

    // Sums: a sign holds until the next sign, and operands side by side add.
    double sign = 1.0;
    double sum = 0.0;
    for (const Token t : e) {
        if (t == '-')
            sign = -1.0;
        else if (t == '+')
            sign = 1.0;
        else if (isOperand(t))
            sum += sign * value(t);
    }
    return newOperand(sum);
}

} // namespace

int CVes_Formula::checkFormula(const QString& formula, const FormulaVariables& variables,
                               QString& message) const
{
    Run run(variables, kValueMode, true);
    if (run.prepare(formula))
        return 1;
    message = run.message();
    return 0;
}

FormulaResult CVes_Formula::evaluate(const QString& formula, const FormulaVariables& variables,
                                     int mode) const
{
    Run run(variables, mode, false);
    FormulaResult result;
    std::optional<Token> operand;
    if (run.prepare(formula))
        operand = run.Val(run.tokens());
    if (!operand) {
        result.message = run.message();
        return result;
    }
    const double value = run.value(*operand);
    // A result that is no number (the square root of -1, 1/tan 0) must not
    // reach a length.
    if (!std::isfinite(value)) {
        result.message = unicode(kNotANumberMessage);
        return result;
    }
    result.value = value;
    result.ok = true;
    return result;
}

double CVes_Formula::FormulaValue(const QString& formula, const FormulaVariables& variables,
                                  int mode) const
{
    return evaluate(formula, variables, mode).value;
}

double formulaString(const QString& formula)
{
    return CVes_Formula().FormulaValue(formula, FormulaVariables(), CVes_Formula::kValueMode);
}

namespace {

FormulaVariable formulaVariable(const CVes_Variable& v)
{
    return {v.m_text, v.m_value, v.m_value2, v.m_step};
}

} // namespace

FormulaVariables formulaVariables(const std::vector<CVes_Variable*>& variables)
{
    FormulaVariables out;
    out.reserve(variables.size());
    for (const CVes_Variable* v : variables)
        out.push_back(formulaVariable(*v));
    return out;
}

FormulaVariables formulaVariables(const std::vector<std::unique_ptr<CVes_Variable>>& variables)
{
    FormulaVariables out;
    out.reserve(variables.size());
    for (const auto& v : variables)
        out.push_back(formulaVariable(*v));
    return out;
}

int CVes_Formula::checkFormula(const QString& formula, const std::vector<CVes_Variable*>& variables,
                               QString& message) const
{
    return checkFormula(formula, formulaVariables(variables), message);
}

int CVes_Formula::checkFormula(const QString& formula,
                               const std::vector<std::unique_ptr<CVes_Variable>>& variables,
                               QString& message) const
{
    return checkFormula(formula, formulaVariables(variables), message);
}

double CVes_Formula::FormulaValue(const QString& formula,
                                  const std::vector<CVes_Variable*>& variables, int mode) const
{
    return FormulaValue(formula, formulaVariables(variables), mode);
}

double CVes_Formula::FormulaValue(const QString& formula,
                                  const std::vector<std::unique_ptr<CVes_Variable>>& variables,
                                  int mode) const
{
    return FormulaValue(formula, formulaVariables(variables), mode);
}

double leadingNumberOf(const QString& text)
{
    const std::string bytes = text.trimmed().toLatin1().toStdString();
    const char* first = bytes.data();
    const char* last = first + bytes.size();
    double sign = 1.0;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0 : 1.0;
        ++first;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        return sign * HUGE_VAL;
    return error == std::errc() ? sign * value : 0.0;
}
