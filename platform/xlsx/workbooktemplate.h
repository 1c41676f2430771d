#pragma once
// The layout a spreadsheet export starts from: which sheets a workbook has and,
// for each, its column widths and the column captions of row 5.
//
// Templates are small JSON files of our own in the "templates" folder of the
// data folder, one per workbook ("pld.json" for the bar list, "jgd.json" for
// the processing sheet, "ylb.json" for the quantity sheet):
//
//   {
//     "font": "宋体", "fontSize": 10, "titleFontSize": 16,      (optional)
//     "sheets": [
//       { "name": "配料单", "landscape": false,                 (optional)
//         "columns": [ { "width": 8, "caption": "钢筋\n编号" },
//                      { "width": 16, "caption": "备注", "align": "left" } ] }
//     ]
//   }
//
// Every sheet has the same frame: row 1 the title (centred across the
// template's columns), rows 2 to 4 the heading lines, row 5 the captions,
// the table from row 6. Widths are in the spreadsheet's character units;
// "align" (left, center, right; center when absent) is the alignment of the
// column's table cells.

#include <QByteArray>
#include <QString>
#include <vector>

namespace platform::xlsx {

enum class Align { Left, Center, Right };

struct ColumnTemplate {
    double width = 8.43;
    QString caption;
    Align align = Align::Center;
};

struct SheetTemplate {
    QString name;
    bool landscape = false;
    std::vector<ColumnTemplate> columns;
};

struct WorkbookTemplate {
    QString font = QStringLiteral("宋体");
    double fontSize = 10;
    double titleFontSize = 16;
    std::vector<SheetTemplate> sheets;

    // Reads a template description; a damaged or incomplete one answers false
    // with a readable reason and leaves `out` untouched.
    static bool parse(const QByteArray& json, WorkbookTemplate* out, QString* error = nullptr);
    static bool load(const QString& path, WorkbookTemplate* out, QString* error = nullptr);
};

// The description file of the template `name` ("pld", "jgd" or "ylb"; a
// trailing ".xlt" is ignored) in the data folder.
QString templatePath(QString name);

// Whether the spreadsheet accepts `name` for a sheet: 1 to 31 characters,
// none of []:*?/\ and no apostrophe at either end.
bool isValidSheetName(const QString& name);

} // namespace platform::xlsx
