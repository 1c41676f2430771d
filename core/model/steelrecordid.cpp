#include "core/model/steelrecordid.h"

#include <cstdlib>

#include <algorithm>

#include <cctype>
#include <climits>

QString CSteelRecordId::ToString() const
{
    // "%d-%.3d": the record number of at least three digits after its sign.
    QString number = QString::number(std::abs(qint64(m_recordNo)));
    if (number.size() < 3)
        number.prepend(QString(3 - number.size(), u'0'));
    if (m_recordNo < 0)
        number.prepend(u'-');
    return QString::number(m_mainId) + u'-' + number;
}

namespace {

// The leading decimal number of `text` as the C library reads it (blanks and
// a sign first, 0 when there is none), held within the range of an int.
int leadingInt(const QByteArray& text)
{
    const char* p = text.constData();
    while (*p && std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
        value = std::min(value * 10 + (*p - '0'), static_cast<long long>(INT_MAX) + 1);
    value = negative ? -value : value;
    return int(std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

} // namespace

CSteelRecordId CSteelRecordId::setId(const QString& text)
{
    // Only ASCII digits matter; other characters are stepped over.
    const QByteArray bytes = text.toLatin1();
    const int dash = int(bytes.indexOf('-'));
    if (dash > 0)
        return {leadingInt(bytes.left(dash)), leadingInt(bytes.mid(dash + 1))};
    if (text.size() < 4)
        return Null();

    QByteArray digits;
    for (qsizetype i = 3; i < text.size() && digits.size() < 3; ++i) {
        if (text[i] >= u'0' && text[i] <= u'9')
            digits.append(char(text[i].unicode()));
    }
    return {leadingInt(bytes.left(3)), leadingInt(digits)};
}
