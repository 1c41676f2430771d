#include "platform/xlsx/celltext.h"

#include "platform/xlsx/worksheet.h"

#include "platform/gbk.h"

#include <algorithm>
#include <charconv>

namespace platform::xlsx {

QString normalisedText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.size() > kMaxTextLength) {
        text.truncate(kMaxTextLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

std::optional<ShownNumber> shownNumber(QStringView text)
{
    const auto isDigit = [&text](qsizetype i) {
        return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
    };
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype first = i;
    while (isDigit(i))
        ++i;
    const qsizetype whole = i - first;
    if (whole == 0 || (whole > 1 && text[first] == u'0'))
        return std::nullopt;
    qsizetype decimals = 0;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype point = ++i;
        while (isDigit(i))
            ++i;
        decimals = i - point;
        if (decimals == 0)
            return std::nullopt;
    }
    if (i != text.size() || whole + decimals > kMaxDigits)
        return std::nullopt;
    char latin[kMaxDigits + 3];
    for (qsizetype c = 0; c < text.size(); ++c)
        latin[c] = char(text[c].unicode());
    ShownNumber number;
    number.decimals = int(decimals);
    std::from_chars(latin, latin + text.size(), number.value);
    if (number.value == 0) // "-0.00" shows as 0.00
        number.value = 0;
    return number;
}

QString numberText(const Cell& cell)
{
    return cell.decimals >= 0 ? QString::number(cell.number, 'f', cell.decimals)
                              : QString::number(cell.number, 'g', 15);
}

double textUnits(QStringView line)
{
    const bool ascii =
        std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x80; });
    return (ascii ? double(line.size()) : platform::gbk::byteLength(line.toString())) + 1;
}

} // namespace platform::xlsx
