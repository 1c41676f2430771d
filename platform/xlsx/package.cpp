#include "platform/xlsx/package.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <future>
#include <set>

namespace platform::xlsx {

namespace {

constexpr int kEmuPerPixel = 9525;
// A column the sheet does not size, and a row without a height of its own.
constexpr std::uint32_t kDefaultColumnPixels = 64;
constexpr double kDefaultRowPoints = 15;
constexpr double kDefaultColumnWidth = 8.43; // in characters
// The pictures are stored at 3780 dots a metre; the spreadsheet sizes them
// by that resolution and the workbook scales them back to a pixel a pixel.
constexpr double kStoredDpi = 3780 * 0.0254;
constexpr double kPixelScale = 3780 * 0.0254 / 96.0;

// A column's width in pixels as the spreadsheet rounds it: seven pixels a
// character and five of margin.
std::uint32_t widthPixels(double width)
{
    if (width < 1.0)
        return std::uint32_t(width * 12 + 0.5);
    return std::uint32_t(width * 7 + 0.5) + 5;
}

std::uint32_t columnPixels(const DrawingGrid& grid, int column)
{
    if (column < 1 || column > int(grid.columnWidths.size()))
        return kDefaultColumnPixels;
    return widthPixels(grid.columnWidths[std::size_t(column - 1)]);
}

std::uint32_t rowPixels(const DrawingGrid& grid, int row)
{
    const auto found = grid.rowHeights.find(row);
    return std::uint32_t((found == grid.rowHeights.end() ? kDefaultRowPoints : found->second) / 0.75);
}

struct Anchor {
    int fromColumn, fromRow; // 0-based
    std::uint32_t fromX, fromY;
    int toColumn, toRow;
    double toX, toY;
    std::uint32_t absoluteX, absoluteY;
    double width, height; // pixels
};

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

    // The absolute place counts the columns' widths but every row at the
    // default height, as the spreadsheet library writes it.
    for (int c = 1; c < column; ++c)
        a.absoluteX += columnPixels(grid, c);
    a.absoluteX += x;
    a.absoluteY = std::uint32_t(kDefaultRowPoints / 0.75) * std::uint32_t(row - 1) + y;

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
    while (width >= columnPixels(grid, toColumn) && toColumn < 16384) {
        width -= columnPixels(grid, toColumn);
        ++toColumn;
    }
    while (height >= rowPixels(grid, toRow) && toRow < 1048576) {
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

QByteArray number(std::uint64_t value)
{
    return QByteArray::number(qulonglong(value));
}

// The same appended in place: the parts of a long list write millions.
void appendNumber(QByteArray& out, std::uint64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

void appendAnchor(QByteArray& xml, const Anchor& a, int index, int relation)
{
    xml += "<xdr:twoCellAnchor editAs=\"oneCell\"><xdr:from><xdr:col>";
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
    xml += "</xdr:rowOff></xdr:to><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"";
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

// Worksheets and shared strings

// The width of a column as the part stores it: its pixels in characters of
// seven pixels, to a 256th below.
double storedWidth(double width)
{
    if (!(width > 0))
        return 0;
    return std::floor(double(widthPixels(width)) / 7 * 256) / 256;
}

// A number as the part stores it: the shortest text that reads back as the
// same number (9.79, not 9.789999999999999; 100000, not 1E+05), whatever
// the locale.
void appendDouble(QByteArray& out, double value)
{
    char text[40];
    const double size = std::fabs(value);
    const auto form = size >= 1e-6 && size < 1e16 ? std::chars_format::fixed : std::chars_format::general;
    const auto end = std::to_chars(text, text + sizeof text, value, form);
    if (end.ec != std::errc()) {
        out += '0';
        return;
    }
    for (char* c = text; c != end.ptr; ++c) {
        if (*c == 'e')
            *c = 'E';
    }
    out.append(text, end.ptr - text);
}

void appendCellName(QByteArray& out, int row, int column)
{
    char letters[4];
    int count = 0;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters[count++] = char('A' + (c - 1) % 26);
    while (count > 0)
        out += letters[--count];
    appendNumber(out, std::uint64_t(row));
}

bool isXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A text as the content of an element: markup characters escaped, and
// control characters, which XML cannot hold, as the spreadsheet's own
// escapes (_x0001_).
void appendText(QByteArray& out, const QByteArray& text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t':
        case '\n': out += c; break;
        default:
            if (std::uint8_t(c) < 0x20) {
                static const char kHex[] = "0123456789ABCDEF";
                out += "_x00";
                out += kHex[std::uint8_t(c) >> 4];
                out += kHex[std::uint8_t(c) & 15];
                out += '_';
            } else {
                out += c;
            }
        }
    }
}

constexpr int kRowsPerSpan = 16;

// ZIP

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEnd64Signature = 0x06064b50;
constexpr std::uint32_t kEnd64LocatorSignature = 0x07064b50;
constexpr int kLocalHeaderSize = 30;
constexpr int kCentralHeaderSize = 46;
constexpr int kEndSize = 22;

// The zip check sum of the bytes.
std::uint32_t checkSum(const QByteArray& data)
{
    return std::uint32_t(
        crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), z_size_t(data.size())));
}

// Raw deflate data of one piece; a piece that is not the last ends on a
// whole byte (an empty stored block after it), so that the next piece's data
// can follow it in one stream. Empty when zlib fails.
QByteArray deflatedPiece(const char* data, qsizetype size, bool last)
{
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&z, uLong(size))) + 16, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = uInt(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int done = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool whole = last ? done == Z_STREAM_END : done == Z_OK && z.avail_in == 0 && z.avail_out > 0;
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    return whole ? out : QByteArray();
}

// Raw deflate data, as a zip member holds it. A big part is compressed in
// pieces side by side; the pieces are cut at fixed places, so the bytes are
// the same on every machine.
QByteArray deflated(const QByteArray& data)
{
    static constexpr qsizetype kPiece = qsizetype(1) << 20;
    const qsizetype pieces = std::max<qsizetype>((data.size() + kPiece - 1) / kPiece, 1);
    const auto piece = [&data, pieces](qsizetype i) {
        const qsizetype from = i * kPiece;
        return deflatedPiece(data.constData() + from, std::min(kPiece, data.size() - from),
                             i + 1 == pieces);
    };
    std::vector<std::future<QByteArray>> later;
    for (qsizetype i = 1; i < pieces; ++i)
        later.push_back(std::async(std::launch::async, piece, i));
    QByteArray out = piece(0);
    bool whole = !out.isEmpty();
    for (auto& next : later) {
        const QByteArray bytes = next.get();
        whole = whole && !bytes.isEmpty();
        out += bytes;
    }
    return whole ? out : QByteArray();
}

std::uint16_t word(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<std::uint16_t>(data.constData() + at);
}

std::uint32_t dword(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<std::uint32_t>(data.constData() + at);
}

void putWord(QByteArray& out, std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void putDword(QByteArray& out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putQword(QByteArray& out, std::uint64_t value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

struct Entry {
    QByteArray name;
    qsizetype central = 0; // its record in the central directory
    qsizetype local = 0;   // its local header
};

// Writes a member of our own; `central` gets its directory record. The
// date is the one the library gives its members (1 January 1980).
bool writeMember(QByteArray& out, QByteArray& central, const PackageMember& member, QString* error)
{
    const QByteArray& data = member.data;
    if (member.compressed && data.isEmpty() && member.size > 0) {
        *error = QStringLiteral("a part of the workbook could not be compressed");
        return false;
    }
    if (out.size() > 0xFFFFFFFFll || data.size() > 0xFFFFFFFFll || member.size > 0xFFFFFFFFll) {
        *error = QStringLiteral("the workbook is too large");
        return false;
    }
    const std::uint32_t crc = member.crc;
    const auto offset = std::uint32_t(out.size());
    const std::uint16_t method = member.compressed ? 8 : 0;
    const auto header = [&](QByteArray& to) {
        putWord(to, 20);     // version needed
        putWord(to, 0);      // flags
        putWord(to, method);
        putWord(to, 0);      // time
        putWord(to, 0x21);   // date: 1980-01-01
        putDword(to, crc);
        putDword(to, std::uint32_t(data.size()));
        putDword(to, std::uint32_t(member.size));
        putWord(to, std::uint16_t(member.name.size()));
        putWord(to, 0);      // extra
    };
    putDword(out, kLocalSignature);
    header(out);
    out += member.name;
    out += data;

    putDword(central, kCentralSignature);
    putWord(central, 20);    // made by
    header(central);
    putWord(central, 0);     // comment
    putWord(central, 0);     // disk
    putWord(central, 0);     // internal attributes
    putDword(central, 0);    // external attributes
    putDword(central, offset);
    central += member.name;
    return true;
}

} // namespace

PackageMember PackageMember::compress(QByteArray name, const QByteArray& bytes)
{
    return {std::move(name), deflated(bytes), checkSum(bytes), bytes.size(), true};
}

PackageMember PackageMember::store(QByteArray name, QByteArray bytes)
{
    const std::uint32_t crc = checkSum(bytes);
    const qint64 size = bytes.size();
    return {std::move(name), std::move(bytes), crc, size, false};
}

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
        if (added) {
            rels += "<Relationship Id=\"rId";
            rels += QByteArray::number(found->second);
            rels += "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" "
                    "Target=\"../media/image";
            rels += QByteArray::number(picture.media);
            rels += ".png\"/>";
        }
        appendAnchor(xml, anchorOf(grid, picture), ++index, found->second);
    }
    xml += "</xdr:wsDr>";
    rels += "</Relationships>";
    if (relations)
        *relations = std::move(rels);
    return xml;
}

QByteArray worksheetPart(const SheetPart& sheet, const std::vector<int>& sharedText,
                         const std::vector<int>& styleIndex)
{
    std::size_t cellCount = 0;
    for (const PartRow& row : sheet.rows)
        cellCount += row.cells.size();
    QByteArray xml;
    xml.reserve(qsizetype(cellCount * 40 + sheet.rows.size() * 60 + sheet.merges.size() * 40 + 2000));
    xml += kXmlDeclaration;
    xml += "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"";
    // The range the rows and cells take.
    int firstColumn = INT_MAX;
    int lastColumn = 0;
    for (const PartRow& row : sheet.rows) {
        if (!row.cells.empty()) {
            firstColumn = std::min(firstColumn, row.cells.front().column);
            lastColumn = std::max(lastColumn, row.cells.back().column);
        }
    }
    if (sheet.rows.empty()) {
        xml += "A1";
    } else {
        if (lastColumn == 0)
            firstColumn = lastColumn = 1;
        const int firstRow = sheet.rows.front().row;
        const int lastRow = sheet.rows.back().row;
        appendCellName(xml, firstRow, firstColumn);
        if (firstRow != lastRow || firstColumn != lastColumn) {
            xml += ':';
            appendCellName(xml, lastRow, lastColumn);
        }
    }
    xml += "\"/><sheetViews><sheetView ";
    if (sheet.selected)
        xml += "tabSelected=\"1\" ";
    xml += "workbookViewId=\"0\"";
    if (sheet.selectedRow == 1 && sheet.selectedColumn == 1) {
        xml += "/>";
    } else {
        QByteArray cell;
        appendCellName(cell, sheet.selectedRow, sheet.selectedColumn);
        xml += "><selection activeCell=\"" + cell + "\" sqref=\"" + cell + "\"/></sheetView>";
    }
    xml += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!sheet.columnWidths.empty()) {
        xml += "<cols>";
        for (std::size_t i = 0; i < sheet.columnWidths.size(); ++i) {
            const double width = sheet.columnWidths[i];
            xml += "<col min=\"" + number(i + 1) + "\" max=\"" + number(i + 1) + "\" width=\"";
            appendDouble(xml, storedWidth(width));
            xml += width == kDefaultColumnWidth ? "\"/>" : "\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }

    if (sheet.rows.empty()) {
        xml += "<sheetData/>";
    } else {
        xml += "<sheetData>";
        // The columns a block of rows uses, told on each of its rows.
        QByteArray spans;
        int spanBlock = -1;
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const PartRow& row = sheet.rows[r];
            xml += "<row r=\"";
            appendNumber(xml, std::uint64_t(row.row));
            xml += '"';
            if (!row.cells.empty()) {
                const int block = (row.row - 1) / kRowsPerSpan;
                if (block != spanBlock) {
                    spanBlock = block;
                    int from = INT_MAX;
                    int to = 0;
                    for (std::size_t b = r; b < sheet.rows.size()
                                            && (sheet.rows[b].row - 1) / kRowsPerSpan == block;
                         ++b) {
                        if (sheet.rows[b].cells.empty())
                            continue;
                        from = std::min(from, sheet.rows[b].cells.front().column);
                        to = std::max(to, sheet.rows[b].cells.back().column);
                    }
                    spans = " spans=\"" + number(std::uint64_t(from)) + ':' + number(std::uint64_t(to)) + '"';
                }
                xml += spans;
            }
            if (row.height > 0 && row.height != kDefaultRowPoints) {
                xml += " ht=\"";
                appendDouble(xml, row.height);
                xml += "\" customHeight=\"1\"";
            }
            if (row.cells.empty()) {
                xml += "/>";
                continue;
            }
            xml += '>';
            for (const PartCell& cell : row.cells) {
                xml += "<c r=\"";
                appendCellName(xml, row.row, cell.column);
                xml += '"';
                const int style = cell.style >= 0 ? styleIndex.at(std::size_t(cell.style)) : 0;
                if (style > 0) {
                    xml += " s=\"";
                    appendNumber(xml, std::uint64_t(style));
                    xml += '"';
                }
                switch (cell.kind) {
                case PartCell::Kind::Text:
                    xml += " t=\"s\"><v>";
                    appendNumber(xml, std::uint64_t(sharedText.at(std::size_t(cell.text))));
                    xml += "</v></c>";
                    break;
                case PartCell::Kind::Number:
                    xml += "><v>";
                    appendDouble(xml, cell.number);
                    xml += "</v></c>";
                    break;
                case PartCell::Kind::Blank: xml += "/>"; break;
                }
            }
            xml += "</row>";
        }
        xml += "</sheetData>";
    }

    if (!sheet.merges.empty()) {
        xml += "<mergeCells count=\"" + number(sheet.merges.size()) + "\">";
        for (const PartMerge& merge : sheet.merges) {
            xml += "<mergeCell ref=\"";
            appendCellName(xml, merge.row, merge.firstColumn);
            xml += ':';
            appendCellName(xml, merge.row, merge.lastColumn);
            xml += "\"/>";
        }
        xml += "</mergeCells>";
    }
    xml += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
           "footer=\"0.3\"/><pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"";
    xml += sheet.landscape ? "landscape" : "portrait";
    xml += "\"/>";
    if (sheet.drawing)
        xml += "<drawing r:id=\"rId1\"/>";
    xml += "</worksheet>";
    return xml;
}

QByteArray sharedStringsPart(const std::vector<QByteArray>& texts, qint64 references)
{
    qsizetype size = 300;
    for (const QByteArray& text : texts)
        size += text.size() + 20;
    QByteArray xml;
    xml.reserve(size);
    xml += kXmlDeclaration;
    xml += "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"";
    appendNumber(xml, std::uint64_t(std::max<qint64>(references, 0)));
    xml += "\" uniqueCount=\"";
    appendNumber(xml, texts.size());
    xml += "\">";
    for (const QByteArray& text : texts) {
        // Spaces at either end are kept only when the text says so.
        const bool keepSpaces = !text.isEmpty() && (isXmlSpace(text.front()) || isXmlSpace(text.back()));
        xml += keepSpaces ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        appendText(xml, text);
        xml += "</t></si>";
    }
    xml += "</sst>";
    return xml;
}

QByteArray repackage(const QByteArray& package, const std::vector<PackageMember>& replaced,
                     const QByteArray& dropped, const std::vector<PackageMember>& added,
                     QString* error)
{
    QString reason;
    if (!error)
        error = &reason;
    const auto broken = [&] {
        *error = QStringLiteral("the workbook written could not be read back");
        return QByteArray();
    };
    // The end record: the last signature of its kind, no comment after it.
    if (package.size() < kEndSize)
        return broken();
    const qsizetype end = package.size() - kEndSize;
    if (dword(package, end) != kEndSignature || word(package, end + 20) != 0)
        return broken();
    const std::uint32_t count = word(package, end + 10);
    const std::uint32_t directorySize = dword(package, end + 12);
    const std::uint32_t directory = dword(package, end + 16);
    if (count == 0xFFFF || directory == 0xFFFFFFFFu || qsizetype(directory) + directorySize > end)
        return broken();

    std::vector<Entry> entries;
    entries.reserve(count);
    qsizetype at = directory;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + kCentralHeaderSize > end || dword(package, at) != kCentralSignature)
            return broken();
        const int nameSize = word(package, at + 28);
        const int extraSize = word(package, at + 30);
        const int commentSize = word(package, at + 32);
        const std::uint32_t local = dword(package, at + 42);
        // Each record, its name, extra field and comment lie inside the directory.
        const qsizetype recordEnd = at + kCentralHeaderSize + nameSize + extraSize + commentSize;
        if (recordEnd > qsizetype(directory) + directorySize || local >= directory)
            return broken();
        entries.push_back({package.mid(at + kCentralHeaderSize, nameSize), at, qsizetype(local)});
        at = recordEnd;
    }
    // A member's bytes reach to the next member's header.
    std::set<qsizetype> starts{qsizetype(directory)};
    for (const Entry& entry : entries)
        starts.insert(entry.local);

    std::map<QByteArray, const PackageMember*> replacements;
    for (const PackageMember& member : replaced)
        replacements.emplace(member.name, &member);

    qsizetype expected = package.size();
    for (const auto* members : {&replaced, &added}) {
        for (const PackageMember& member : *members)
            expected += member.data.size() + 2 * (kCentralHeaderSize + member.name.size());
    }
    QByteArray out;
    out.reserve(expected);
    QByteArray central;
    std::uint64_t written = 0;
    bool addedYet = false;
    const auto addAll = [&] {
        addedYet = true;
        for (const PackageMember& member : added) {
            if (!writeMember(out, central, member, error))
                return false;
            ++written;
        }
        return true;
    };
    for (const Entry& entry : entries) {
        if (!dropped.isEmpty() && entry.name.startsWith(dropped)) {
            if (!addedYet && !addAll())
                return {};
            continue;
        }
        const auto replacement = replacements.find(entry.name);
        if (replacement != replacements.end()) {
            if (!writeMember(out, central, *replacement->second, error))
                return {};
            replacements.erase(replacement);
            ++written;
            continue;
        }
        // Copied as it is, its directory record pointing at its new place.
        // The member, its header, name, extra field and data, ends before
        // the next one begins.
        const qsizetype next = *starts.upper_bound(entry.local);
        if (entry.local + kLocalHeaderSize > next || dword(package, entry.local) != kLocalSignature
            || out.size() > 0xFFFFFFFFll)
            return broken();
        const qsizetype memberEnd = entry.local + kLocalHeaderSize + word(package, entry.local + 26)
                                    + word(package, entry.local + 28) + dword(package, entry.central + 20);
        if (memberEnd > next)
            return broken();
        const auto offset = std::uint32_t(out.size());
        out += QByteArrayView(package).sliced(entry.local, next - entry.local);
        const int recordSize = kCentralHeaderSize + word(package, entry.central + 28)
                               + word(package, entry.central + 30) + word(package, entry.central + 32);
        QByteArray record = package.mid(entry.central, recordSize);
        qToLittleEndian(offset, record.data() + 42);
        central += record;
        ++written;
    }
    if (!replacements.empty()) {
        *error = QStringLiteral("the workbook written lacks a part");
        return {};
    }
    if (!addedYet && !addAll())
        return {};

    const std::uint64_t centralAt = std::uint64_t(out.size());
    out += central;
    if (centralAt > 0xFFFFFFFFull || central.size() > 0xFFFFFFFFll) {
        *error = QStringLiteral("the workbook is too large");
        return {};
    }
    if (written > 0xFFFE) {
        // More members than the end record counts: the larger end record.
        const std::uint64_t end64 = std::uint64_t(out.size());
        putDword(out, kEnd64Signature);
        putQword(out, 44);
        putWord(out, 45);
        putWord(out, 45);
        putDword(out, 0);
        putDword(out, 0);
        putQword(out, written);
        putQword(out, written);
        putQword(out, std::uint64_t(central.size()));
        putQword(out, centralAt);
        putDword(out, kEnd64LocatorSignature);
        putDword(out, 0);
        putQword(out, end64);
        putDword(out, 1);
    }
    putDword(out, kEndSignature);
    putWord(out, 0);
    putWord(out, 0);
    const auto shortCount = std::uint16_t(std::min<std::uint64_t>(written, 0xFFFF));
    putWord(out, shortCount);
    putWord(out, shortCount);
    putDword(out, std::uint32_t(central.size()));
    putDword(out, std::uint32_t(centralAt));
    putWord(out, 0);
    return out;
}

} // namespace platform::xlsx
