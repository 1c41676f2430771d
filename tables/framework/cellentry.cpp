#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace cellentry {

std::optional<double> numberOf(const QString& text, QString* reason)
{
    const FormulaResult result =
        CVes_Formula().evaluate(text.trimmed(), FormulaVariables(), CVes_Formula::kValueMode);
    if (!result.ok) {
        if (reason)
            *reason = result.message;
        return std::nullopt;
    }
    return result.value;
}

double leadingNumber(const QString& text)
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

int roundedUp(double value, double addend)
{
    const double sum = value + addend;
    if (!std::isfinite(sum) || std::fabs(sum) >= double(std::numeric_limits<int>::max()))
        return 0;
    return int(sum);
}

Parts splitAtFirstOf(const QString& text, const QStringList& separators)
{
    for (const QString& separator : separators) {
        const qsizetype at = text.indexOf(separator);
        if (at >= 0)
            return {text.left(at), text.mid(at + separator.size())};
    }
    return {text, std::nullopt};
}

GradeEntry splitGradeLetter(const QString& text)
{
    if (text.isEmpty())
        return {};
    const QChar letter = text.front().toUpper();
    int grade = 0;
    if (letter >= QLatin1Char('A') && letter <= QLatin1Char('E'))
        grade = letter.unicode() - 'A' + 1;
    else if (letter == QLatin1Char('L'))
        grade = 12;
    else if (letter == QLatin1Char('N'))
        grade = 14;
    if (grade == 0)
        return {0, text};
    return {grade, text.mid(1)};
}

} // namespace cellentry
