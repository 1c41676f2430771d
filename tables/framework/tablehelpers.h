#pragma once
// Small helpers shared by the sheets: the device mapping in which pages are
// drawn and printed (254 logical units an inch, so one unit is 0.1 mm of
// paper), paper ↔ device points, the dashed pens of table rules, the texts of
// a bar's grade and diameter and of its remark, the next number of a
// numbered text and the search for bar-list files.

#include "platform/dc.h"
#include "platform/gdi.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>

class CVes_BarCore;
class CVes_ModelReference;
namespace platform::xlsx {
class Worksheet;
}

// Sets MM_ANISOTROPIC with window extent 254 × 254 and the device's logical
// pixels per inch as viewport extent, the vertical one times `sign` (1 keeps
// y growing downwards). Answers the previous mapping mode.
int setTableMapping(platform::Dc* dc, int sign);

// (trunc(x × scale + originX), trunc(y × scale + originY)), each held to
// the device range (kDeviceCoordinateLimit).
QPoint paperToDevicePoint(int originX, int originY, int x, int y, double scale);
// (trunc((x2 − x1) / scale), trunc((y2 − y1) / scale)); (0, 0) for a zero scale.
QPoint devicePointToPaper(int x1, int y1, int x2, int y2, double scale);

// The pen of a table rule: style 0 a solid cosmetic pen; 1 to 4 and 7 a
// geometric pen with a dash pattern in logical units times `dashFactor`
// (1 {32, 16}, 2 {12, 12}, 3 {32, 16, 4, 16}, 4 {32, 16, 4, 16, 4, 16},
// 7 {2, 12}); any other style has no pen.
std::optional<platform::Pen> createTablePen(int style, int width, platform::COLORREF colour,
                                            double dashFactor);

// Grade and diameter as a table text: "%%" + the grade's escape character +
// the diameter ("%%C20", "%%A12.5"); a coated bar (flag 1) ends in "环".
// A grade below 1 counts as 1.
QString Steel_GradeDNToTableString(int grade, float diameter, int coated);
// The same with the grade's letters ("C20").
QString Steel_GradeDNToString(int grade, float diameter, int coated);
// The same as a workbook writes it: the grade's spreadsheet letters.
QString Steel_GradeDNToExcelString(int grade, float diameter, int coated);

// The name of a unit code ("mm", "kg"); empty for a code of no unit.
QString unitName(int unit);
// A workbook caption with its unit on a line of its own, in the form of the
// templates' own captions: "总长" and metres give "总长\n(m)".
QString unitCaption(const QString& caption, int unit);

// A bar's remark as every sheet, page and workbook shows it: each "|" and
// each "\r\n" starts a new line ("\n").
QString remarkText(const QString& remark);

// Makes a bar varying (its dimensions run over ranges, its count is groups
// of bars) or plain, keeping its number of bars: n bars become one group of
// n bars, and g groups of n bars become g × n bars. A bar already so is
// left as it is; a varying bar without a count has groups of one bar.
void setBarVarying(CVes_BarCore& bar, bool varying);

// A value with two decimals (weights, prices) or three (lengths in metres,
// tonnes), as the summaries print them.
namespace decimals {
QString f2(double value);
QString f3(double value);
} // namespace decimals

// The text, trimmed, with its trailing number increased by one ("A9" →
// "A10", "A" → "A1", " 12 " → "13"). Numbers of any length are counted up
// as text.
QString nextNumberString(const QString& text);

// Puts the bar's shape, drawn at width × height pixels, into a workbook cell
// straight from memory, 2 points right of and 3 points below the cell's
// corner. A bar without a shape, or a picture that cannot be made, leaves
// the cell empty.
void insertBarPicture(platform::xlsx::Worksheet& sheet, int row, int column, CVes_ModelReference& bar,
                      int width = 180, int height = 32);

// Appends to `files` every bar-list file (name ending in ".pld", any case,
// at least one character before it) that `pattern` finds in `folder`, and,
// walking down, in its sub-folders that the pattern finds and whose names do
// not begin with "."; "*.*" finds every entry. Each file is appended as its
// folder (with a trailing '/') followed by its name.
void collectPldFiles(const QString& folder, const QString& pattern, QStringList& files);
