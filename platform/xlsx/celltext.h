#pragma once
// How a cell's text and number read: as written into the sheet, as the
// spreadsheet shows them and how wide they show.

#include <QString>
#include <QStringView>

#include <optional>

namespace platform::xlsx {

struct Cell;

// The most decimals a number is shown with, and the most digits a text may
// have to be read as a number: a spreadsheet keeps 15 significant digits.
inline constexpr int kMaxDecimals = 15;
inline constexpr int kMaxDigits = 15;

// The text as a cell keeps it: every line break a "\n", cut to the longest
// text a cell holds (never between the halves of a character).
QString normalisedText(QString text);

struct ShownNumber {
    double value = 0;
    int decimals = 0;
};

// The number a page's text shows: an optional minus, digits without a
// leading zero (but for "0" itself), and an optional point with at least
// one digit after it. Nothing for any other text: units, ranges, exponents,
// or more digits than a spreadsheet keeps.
std::optional<ShownNumber> shownNumber(QStringView text);

// A number cell's text as the spreadsheet shows it.
QString numberText(const Cell& cell);

// How wide a line of text is in the units of the column widths: a character
// of a Chinese face as two digits, as its GBK bytes count; one unit of room.
double textUnits(QStringView line);

} // namespace platform::xlsx
