// The drawing part of a sheet: each picture anchored at the cells its
// corners fall in, exactly as the spreadsheet library would place it.

#include "platform/xlsx/package.h"

#include "platform/xlsx/cellnames.h"
#include "platform/xlsx/sheetunits.h"
#include "platform/xlsx/xmltext.h"

#include <algorithm>

namespace platform::xlsx {

namespace {

constexpr int kEmuPerPixel = 9525;
// A column the sheet does not size.
constexpr std::uint32_t kDefaultColumnPixels = 64;

std::uint32_t columnPixels(const DrawingGrid& grid, int column)
{
    if (column < 1 || column > int(grid.columnWidths.size()))
        return kDefaultColumnPixels;
    return widthPixels(grid.columnWidths[std::size_t(column - 1)]);
}

std::uint32_t rowPixels(const DrawingGrid& grid, int row)
{
    const auto found = grid.rowHeights.find(row);
    return std::uint32_t((found == grid.rowHeights.end() ? kDefaultRowHeight : found->second) / 0.75);
}

struct Anchor {
    int fromColumn, fromRow; // 0-based
    std::uint32_t fromX, fromY;
    int toColumn, toRow;
    double toX, toY;
    std::uint32_t absoluteX, absoluteY;
    double width, height; // pixels
};

// The absolute place counts the columns' widths but every row at the
// default height, as the spreadsheet library writes it.
void placeAbsolutely(Anchor& a, const DrawingGrid& grid, const PlacedPicture& picture,
                     std::uint32_t x, std::uint32_t y)
{
    for (int c = 1; c < picture.column; ++c)
        a.absoluteX += columnPixels(grid, c);
    a.absoluteX += x;
    a.absoluteY = std::uint32_t(kDefaultRowHeight / 0.75) * std::uint32_t(picture.row - 1) + y;
}

// Where the picture's corners fall, in cells and pixels into them.
Anchor anchorOf(const DrawingGrid& grid, const PlacedPicture& picture)
{
    Anchor a{};
    int column = picture.column;
    int row = picture.row;
    std::uint32_t x = std::uint32_t(std::max(picture.left, 0));
    std::uint32_t y = std::uint32_t(std::max(picture.top, 0));
    a.width = picture.size.width() * kPixelScale;
    a.height = picture.size.height() * kPixelScale;
    a.width *= 96.0 / kStoredDpi;
    a.height *= 96.0 / kStoredDpi;
    placeAbsolutely(a, grid, picture, x, y);

    while (x >= columnPixels(grid, column)) {
        x -= columnPixels(grid, column);
        ++column;
    }
    while (y >= rowPixels(grid, row)) {
        y -= rowPixels(grid, row);
        ++row;
    }
    double width = a.width;
    double height = a.height;
    if (columnPixels(grid, column) > 0)
        width += x;
    if (rowPixels(grid, row) > 0)
        height += y;
    int toColumn = column;
    int toRow = row;
    while (width >= columnPixels(grid, toColumn) && toColumn < kMaxColumns) {
        width -= columnPixels(grid, toColumn);
        ++toColumn;
    }
    while (height >= rowPixels(grid, toRow) && toRow < kMaxRows) {
        height -= rowPixels(grid, toRow);
        ++toRow;
    }
    a.fromColumn = column - 1;
    a.fromRow = row - 1;
    a.fromX = x;
    a.fromY = y;
    a.toColumn = toColumn - 1;
    a.toRow = toRow - 1;
    a.toX = width;
    a.toY = height;
    return a;
}

void appendCorners(QByteArray& xml, const Anchor& a)
{
    xml += "<xdr:from><xdr:col>";
    appendNumber(xml, std::uint64_t(a.fromColumn));
    xml += "</xdr:col><xdr:colOff>";
    appendNumber(xml, std::uint64_t(a.fromX) * kEmuPerPixel);
    xml += "</xdr:colOff><xdr:row>";
    appendNumber(xml, std::uint64_t(a.fromRow));
    xml += "</xdr:row><xdr:rowOff>";
    appendNumber(xml, std::uint64_t(a.fromY) * kEmuPerPixel);
    xml += "</xdr:rowOff></xdr:from><xdr:to><xdr:col>";
    appendNumber(xml, std::uint64_t(a.toColumn));
    xml += "</xdr:col><xdr:colOff>";
    appendNumber(xml, std::uint32_t(a.toX * kEmuPerPixel + 0.5));
    xml += "</xdr:colOff><xdr:row>";
    appendNumber(xml, std::uint64_t(a.toRow));
    xml += "</xdr:row><xdr:rowOff>";
    appendNumber(xml, std::uint32_t(a.toY * kEmuPerPixel + 0.5));
    xml += "</xdr:rowOff></xdr:to>";
}

void appendAnchor(QByteArray& xml, const Anchor& a, int index, int relation)
{
    xml += "<xdr:twoCellAnchor editAs=\"oneCell\">";
    appendCorners(xml, a);
    xml += "<xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"";
    appendNumber(xml, std::uint64_t(index) + 1);
    xml += "\" name=\"Picture ";
    appendNumber(xml, std::uint64_t(index));
    xml += "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
           "<xdr:blipFill><a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships\" r:embed=\"rId";
    appendNumber(xml, std::uint64_t(relation));
    xml += "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:xfrm><a:off x=\"";
    appendNumber(xml, std::uint64_t(a.absoluteX) * kEmuPerPixel);
    xml += "\" y=\"";
    appendNumber(xml, std::uint64_t(a.absoluteY) * kEmuPerPixel);
    xml += "\"/><a:ext cx=\"";
    appendNumber(xml, std::uint32_t(0.5 + a.width * kEmuPerPixel));
    xml += "\" cy=\"";
    appendNumber(xml, std::uint32_t(0.5 + a.height * kEmuPerPixel));
    xml += "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
           "<xdr:clientData/></xdr:twoCellAnchor>";
}

void appendImageRelation(QByteArray& rels, int relation, int media)
{
    rels += "<Relationship Id=\"rId";
    rels += QByteArray::number(relation);
    rels += "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
            "Target=\"../media/image";
    rels += QByteArray::number(media);
    rels += ".png\"/>";
}

} // namespace

QByteArray drawingPart(const DrawingGrid& grid, const std::vector<PlacedPicture>& pictures,
                       QByteArray* relations)
{
    QByteArray xml;
    xml.reserve(qsizetype(pictures.size()) * 800 + 300);
    xml += kXmlDeclaration;
    xml += "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">";
    // Each picture file once, in the order the drawing first shows them.
    std::map<int, int> relationOf;
    QByteArray rels = kXmlDeclaration;
    rels += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int index = 0;
    for (const PlacedPicture& picture : pictures) {
        auto [found, added] = relationOf.emplace(picture.media, int(relationOf.size()) + 1);
        if (added)
            appendImageRelation(rels, found->second, picture.media);
        appendAnchor(xml, anchorOf(grid, picture), ++index, found->second);
    }
    xml += "</xdr:wsDr>";
    rels += "</Relationships>";
    if (relations)
        *relations = std::move(rels);
    return xml;
}

} // namespace platform::xlsx
