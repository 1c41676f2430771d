#pragma once
// The parts of a workbook written straight into its package: the worksheet
// parts with their cells and the shared strings (sheetpart.cpp), the drawing
// part of a sheet, which anchors each picture at its cell exactly as the
// spreadsheet library would (drawingpart.cpp), and the package (a zip file)
// rewritten with these put in place of the library's own (zippackage.cpp).
//
// The library takes every cell, picture and part one call at a time, copies
// every picture through a scratch file of its own and packs every part on
// one thread; a long list has hundreds of thousands of cells and tens of
// thousands of pictures. Here the sheets are written side by side, each
// distinct picture stored once, from memory.

#include <QByteArray>
#include <QSize>
#include <QString>

#include <cstdint>
#include <map>
#include <vector>

namespace platform::xlsx {

// How the sheet's columns and rows are sized, as the workbook sets them.
struct DrawingGrid {
    std::vector<double> columnWidths;  // column 1, 2, … in characters
    std::map<int, double> rowHeights;  // by row (1-based), in points
};

struct PlacedPicture {
    int row = 1;    // 1-based
    int column = 1; // 1-based
    int left = 0;   // offset from the cell's corner, pixels
    int top = 0;
    QSize size;     // pixels, at 96 dpi
    int media = 1;  // the workbook's picture file: xl/media/image<media>.png
};

// The drawing part of a sheet showing `pictures`, in their order, and its
// relationships part (which picture file each one shows) in `relations`.
QByteArray drawingPart(const DrawingGrid& grid, const std::vector<PlacedPicture>& pictures,
                       QByteArray* relations);

// One cell of a sheet part.
struct PartCell {
    enum class Kind : std::uint8_t { Blank, Text, Number };
    int column = 1;  // 1-based
    int style = -1;  // among the sheet's own looks; -1 for none
    Kind kind = Kind::Blank;
    int text = 0;    // among the sheet's own texts
    double number = 0;
};

struct PartRow {
    int row = 1;        // 1-based
    double height = 0;  // points; 0 leaves the row at the default height
    std::vector<PartCell> cells; // by column
};

struct PartMerge {
    int row = 1;
    int firstColumn = 1;
    int lastColumn = 1;
};

// A worksheet as its part shows it.
struct SheetPart {
    std::vector<double> columnWidths; // column 1, 2, … in characters
    bool landscape = false;
    bool selected = false;            // the sheet shown when the workbook opens
    int selectedRow = 1;              // the cell selected in it
    int selectedColumn = 1;
    bool drawing = false;             // it shows the drawing its first relation names
    std::vector<PartRow> rows;        // in row order
    std::vector<PartMerge> merges;
    std::vector<QByteArray> texts;    // UTF-8, each once, in the order first shown
};

// The worksheet part of `sheet`, as the spreadsheet library would write it:
// `sharedText` gives the workbook's shared string of each of the sheet's
// own texts, `styleIndex` the workbook's cell format of each of its looks.
QByteArray worksheetPart(const SheetPart& sheet, const std::vector<int>& sharedText,
                         const std::vector<int>& styleIndex);

// The shared strings part of `texts` (UTF-8), shown by `references` cells.
QByteArray sharedStringsPart(const std::vector<QByteArray>& texts, qint64 references);

// A member as it goes into the package: its bytes compressed, or stored as
// they are (pictures are compressed already), with their check sum.
struct PackageMember {
    QByteArray name;
    QByteArray data; // as stored in the package
    std::uint32_t crc = 0;
    qint64 size = 0; // of the member itself
    bool compressed = false;

    static PackageMember compress(QByteArray name, const QByteArray& bytes);
    static PackageMember store(QByteArray name, QByteArray bytes);
};

// The zip package with each member named in `replaced` given its new bytes,
// every member whose name starts with `dropped` left out and `added` put in
// the place of the first one left out (at the end when none was). Empty,
// with the reason in `error`, when `package` is not a zip this can read, a
// member to replace is missing or a member could not be compressed.
QByteArray repackage(const QByteArray& package, const std::vector<PackageMember>& replaced,
                     const QByteArray& dropped, const std::vector<PackageMember>& added,
                     QString* error);

} // namespace platform::xlsx
