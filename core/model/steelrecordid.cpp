#include "core/model/steelrecordid.h"

#include <cstdlib>

QString CSteelRecordId::ToString() const
{
    return QString::asprintf("%d-%.3d", m_mainId, m_recordNo);
}

CSteelRecordId CSteelRecordId::setId(const QString& text)
{
    // Only ASCII digits matter; other characters are stepped over.
    const QByteArray bytes = text.toLatin1();
    const int dash = int(bytes.indexOf('-'));
    if (dash > 0)
        return {std::atoi(bytes.left(dash).constData()), std::atoi(bytes.mid(dash + 1).constData())};
    if (text.size() < 4)
        return Null();

    QByteArray digits;
    for (qsizetype i = 3; i < text.size() && digits.size() < 3; ++i) {
        if (text[i] >= u'0' && text[i] <= u'9')
            digits.append(char(text[i].unicode()));
    }
    return {std::atoi(bytes.left(3).constData()), std::atoi(digits.constData())};
}
