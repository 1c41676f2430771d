#pragma once
// The pictures of a workbook written straight into its package: the drawing
// part of a sheet, which anchors each picture at its cell exactly as the
// spreadsheet library would, and the package (a zip file) rewritten with the
// drawings and the picture files put in place of the library's own.
//
// The library copies every picture it is given through a scratch file of
// its own and packs every drawing again; a long list has tens of thousands
// of them. Here each distinct picture is stored once, from memory.

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
