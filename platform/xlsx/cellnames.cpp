#include "platform/xlsx/cellnames.h"

#include <algorithm>

namespace platform::xlsx {

CellRef parseCell(QStringView name)
{
    qsizetype i = 0;
    qint64 column = 0;
    while (i < name.size() && i < 4) {
        const char16_t c = QChar::toUpper(name[i].unicode());
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c - u'A' + 1);
        ++i;
    }
    if (i == 0 || i == name.size())
        return {};
    qint64 row = 0;
    for (qsizetype j = i; j < name.size(); ++j) {
        const char16_t c = name[j].unicode();
        if (c < u'0' || c > u'9' || (j == i && c == u'0') || j - i >= 8)
            return {};
        row = row * 10 + (c - u'0');
    }
    const CellRef ref{int(std::min<qint64>(row, kMaxRows + 1)),
                      int(std::min<qint64>(column, kMaxColumns + 1))};
    return ref.isValid() ? ref : CellRef{};
}

void appendColumnLetters(QByteArray& out, int column)
{
    if (column < 1 || column > kMaxColumns)
        return;
    // Letters are digits of base 26 without a zero: "Z" is 26, "AA" 27.
    char letters[4];
    int count = 0;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters[count++] = char('A' + (c - 1) % 26);
    while (count > 0)
        out += letters[--count];
}

QString columnName(int column)
{
    QByteArray letters;
    appendColumnLetters(letters, column);
    return QString::fromLatin1(letters);
}

QString cellName(int row, int column)
{
    if (!CellRef{row, column}.isValid())
        return {};
    return columnName(column) + QString::number(row);
}

} // namespace platform::xlsx
