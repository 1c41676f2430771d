#pragma once
// The pieces of XML the package parts are written of: numbers, cell
// references and texts, appended in place (the parts of a long list write
// millions of them).

#include "platform/xlsx/cellnames.h"

#include <QByteArray>

#include <charconv>
#include <cstdint>

namespace platform::xlsx {

inline constexpr char kXmlDeclaration[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// The decimal digits of `value`.
inline QByteArray digits(std::uint64_t value)
{
    return QByteArray::number(qulonglong(value));
}

// The same appended in place.
inline void appendNumber(QByteArray& out, std::uint64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// "K12" for row 12, column 11.
inline void appendCellName(QByteArray& out, int row, int column)
{
    appendColumnLetters(out, column);
    appendNumber(out, std::uint64_t(row));
}

// A number as the part stores it: the shortest text that reads back as the
// same number (9.79, not 9.789999999999999; 100000, not 1E+05), whatever
// the locale.
void appendDouble(QByteArray& out, double value);

bool isXmlSpace(char c);

// A text as the content of an element: markup characters escaped, and
// control characters, which XML cannot hold, as the spreadsheet's own
// escapes (_x0001_).
void appendText(QByteArray& out, const QByteArray& text);

} // namespace platform::xlsx
