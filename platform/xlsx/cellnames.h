#pragma once
// The spreadsheet's limits and the names of its cells: "K12" is row 12 of
// column K, the eleventh. Rows and columns are 1-based as the spreadsheet
// counts them.

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace platform::xlsx {

// The spreadsheet's sheet size and the longest text a cell holds.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
inline constexpr int kMaxTextLength = 32767;

struct CellRef {
    int row = 0;
    int column = 0;
    bool isValid() const { return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns; }
    bool operator==(const CellRef&) const = default;
};

// "K12" → row 12, column 11 (letters in either case); anything else, or a
// cell outside the sheet, gives an invalid reference.
CellRef parseCell(QStringView name);
// 1 → "A", 27 → "AA"; empty for a column outside the sheet.
QString columnName(int column);
// (12, 11) → "K12"; empty for a cell outside the sheet.
QString cellName(int row, int column);
// The letters of `column` appended to `out` (1 → "A", 26 → "Z", 27 → "AA",
// 16384 → "XFD"); nothing for a column outside the sheet. The names above
// and the cell references of the sheet parts are all spelt by this one.
void appendColumnLetters(QByteArray& out, int column);

} // namespace platform::xlsx
