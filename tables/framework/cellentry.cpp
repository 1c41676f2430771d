#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"
#include "core/geometry/steeltext.h"
#include "core/model/modelrecordlib.h"
#include "core/model/referencebase.h"
#include "core/model/steel.h"
#include "core/model/steelmodeluserid.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"

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

QString refusal(const QString& entry, const barlimits::Field& field, const QString& reason)
{
    QString text = QStringLiteral("[%1] %2").arg(entry, field.takes());
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

void refuse(const QString& entry, const barlimits::Field& field, const QString& reason)
{
    platform::showMessage(refusal(entry, field, reason), platform::MessageIcon::Stop);
}

bool fits(const QString& entry, double value, const barlimits::Field& field)
{
    if (field.holds(value))
        return true;
    refuse(entry, field);
    return false;
}

std::optional<double> numberFor(const QString& entry, const barlimits::Field& field)
{
    if (entry.trimmed().isEmpty())
        return 0.0;
    const std::optional<double> value = numberOf(entry);
    if (!value)
        refuse(entry, field);
    return value;
}

std::optional<int> countFor(const QString& entry, double addend, const barlimits::Field& field)
{
    const std::optional<double> value = numberFor(entry, field);
    if (!value)
        return std::nullopt;
    // A count typed below the least is refused as typed, even where rounding
    // up would make it the least ("-1" is no count of 0).
    const double count = *value < field.min ? *value : truncatedSum(*value, addend);
    if (!fits(entry, count, field))
        return std::nullopt;
    return int(count);
}

std::optional<double> formulaFor(const CVes_ReferenceBase& owner, const QString& entry,
                                 const barlimits::Field& field)
{
    if (entry.trimmed().isEmpty())
        return 0.0;
    const FormulaResult result = CVes_Formula().evaluate(
        entry, formulaVariables(owner.getVarArray()), CVes_Formula::kValueMode);
    if (!result.ok) {
        refuse(entry, field, result.message);
        return std::nullopt;
    }
    return result.value;
}

bool dimensionTakes(const CVes_ReferenceBase& owner, const QString& name, const QString& text)
{
    const CVes_Variable* variable = owner.getVar(name);
    if (!variable || variable->m_type == CVes_Variable::kTextKind)
        return true;
    const barlimits::Field& field = barlimits::fieldOf(*variable);
    const std::optional<double> value = formulaFor(owner, text, field);
    return value && fits(text, *value, field);
}

QString unstorableText(const QString& entry)
{
    if (platform::gbk::canEncode(entry))
        return {};
    return QStringLiteral("[%1] 含有不能保存的字符。").arg(entry);
}

bool storableText(const QString& entry)
{
    const QString refused = unstorableText(entry);
    if (refused.isEmpty())
        return true;
    platform::showMessage(refused, platform::MessageIcon::Stop);
    return false;
}

bool spacingPartHolds(const QString& part)
{
    const QString number = part.trimmed();
    if (number.isEmpty())
        return true;
    double value = 0;
    for (const QChar c : number) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    return barlimits::kSpacing.holds(value);
}

bool spacingsHold(const CVes_Steel& bar)
{
    return spacingPartHolds(bar.spacing1) && spacingPartHolds(bar.spacing2)
        && spacingPartHolds(bar.spacing3);
}

QString sizeRefusal(const QString& entry)
{
    int grade = 0;
    float diameter = 0.0f;
    if (transTypedGuige(entry, grade, diameter))
        return {};
    return QStringLiteral("[%1] 钢筋规格值输入不正确！").arg(entry);
}

double truncatedSum(double value, double addend)
{
    return std::trunc(value + addend);
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

CSteelRecordId typedKey(const QString& entry, bool start)
{
    CVes_SteelModelUserIdLib numbers;
    if (start)
        numbers.readStartFile();
    else
        numbers.readFile();
    CSteelRecordId key = numbers.getRecordId(entry);
    if (key.isNull())
        key = CSteelRecordId::setId(entry);
    if (key.isNull())
        return {};
    if (start) {
        CVes_ModelStartMainLib styles;
        return styles.getStartModel(key) ? key : CSteelRecordId();
    }
    CVes_ModelRecordMainLib shapes;
    return shapes.getModel(key, 0) ? key : CSteelRecordId();
}

} // namespace cellentry
