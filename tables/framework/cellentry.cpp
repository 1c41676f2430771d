#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"

#include <cmath>
#include <limits>

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
