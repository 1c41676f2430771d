#pragma once
// A sheet made ready for its part: every cell with its look and its text,
// every row as high as its pictures and the lines of its texts need. Made
// from the sheet alone, so the sheets of a workbook are made ready side by
// side.

#include "platform/xlsx/package.h"
#include "platform/xlsx/workbooktemplate.h"

#include <map>
#include <vector>

namespace platform::xlsx {

class Worksheet;

// The part of a sheet a cell belongs to decides its look.
enum class Role { Title, Heading, Caption, Body };

// The look of a cell, by its place, how its text shows and the decimals of
// its number.
struct Style {
    Role role = Role::Body;
    Align align = Align::Center;
    bool wrap = false;
    bool shrink = false;
    bool border = false;
    int decimals = -1; // a number's; -1 for the general format
    auto operator<=>(const Style&) const = default;
};

struct PreparedSheet {
    SheetPart part;
    std::vector<Style> styles;        // the sheet's looks, in the order first used
    std::map<int, double> rowHeights; // as written, by row
    qint64 textCells = 0;
};

PreparedSheet prepareSheet(const Worksheet& sheet, const WorkbookTemplate& layout, bool active);

} // namespace platform::xlsx
