#include "core/model/barlimits.h"

#include "core/geometry/text.h"
#include "platform/archive.h"

namespace barlimits {

QString Field::takes() const
{
    const QString name = QString::fromUtf8(this->name);
    const auto number = [](double v) { return QString::number(v, 'f', 0); };
    return QStringLiteral("%1必须是%2到%3之间的%4")
        .arg(name, number(min), number(max),
             whole ? QStringLiteral("整数") : QStringLiteral("数"));
}

const Field& fieldOf(const CVes_Variable& variable)
{
    if (variable.m_text == u"N" || variable.m_text == u"n")
        return kSegments;
    return variable.m_unit == CVes_Variable::kDegrees ? kAngle : kDimension;
}

void requireStored(const Field& field, double value)
{
    if (!field.holds(value))
        platform::refuseOutOfRange(field.name);
}

} // namespace barlimits
