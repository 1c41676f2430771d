#include "platform/xlsx/package.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>

namespace platform::xlsx {

namespace {

constexpr int kEmuPerPixel = 9525;
// A column the sheet does not size, and a row without a height of its own.
constexpr std::uint32_t kDefaultColumnPixels = 64;
constexpr double kDefaultRowPoints = 15;
// The pictures are stored at 3780 dots a metre; the spreadsheet sizes them
// by that resolution and the workbook scales them back to a pixel a pixel.
constexpr double kStoredDpi = 3780 * 0.0254;
constexpr double kPixelScale = 3780 * 0.0254 / 96.0;

// A column's width in pixels as the spreadsheet rounds it: seven pixels a
// character and five of margin.
std::uint32_t columnPixels(const DrawingGrid& grid, int column)
{
    if (column < 1 || column > int(grid.columnWidths.size()))
        return kDefaultColumnPixels;
    const double width = grid.columnWidths[std::size_t(column - 1)];
    if (width < 1.0)
        return std::uint32_t(width * 12 + 0.5);
    return std::uint32_t(width * 7 + 0.5) + 5;
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

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

void appendAnchor(QByteArray& xml, const Anchor& a, int index, int relation)
{
    xml += "<xdr:twoCellAnchor editAs=\"oneCell\"><xdr:from><xdr:col>";
    xml += number(std::uint64_t(a.fromColumn));
    xml += "</xdr:col><xdr:colOff>";
    xml += number(std::uint64_t(a.fromX) * kEmuPerPixel);
    xml += "</xdr:colOff><xdr:row>";
    xml += number(std::uint64_t(a.fromRow));
    xml += "</xdr:row><xdr:rowOff>";
    xml += number(std::uint64_t(a.fromY) * kEmuPerPixel);
    xml += "</xdr:rowOff></xdr:from><xdr:to><xdr:col>";
    xml += number(std::uint64_t(a.toColumn));
    xml += "</xdr:col><xdr:colOff>";
    xml += number(std::uint32_t(a.toX * kEmuPerPixel + 0.5));
    xml += "</xdr:colOff><xdr:row>";
    xml += number(std::uint64_t(a.toRow));
    xml += "</xdr:row><xdr:rowOff>";
    xml += number(std::uint32_t(a.toY * kEmuPerPixel + 0.5));
    xml += "</xdr:rowOff></xdr:to><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"";
    xml += number(std::uint64_t(index) + 1);
    xml += "\" name=\"Picture ";
    xml += number(std::uint64_t(index));
    xml += "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
           "<xdr:blipFill><a:blip xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "relationships\" r:embed=\"rId";
    xml += number(std::uint64_t(relation));
    xml += "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:xfrm><a:off x=\"";
    xml += number(std::uint64_t(a.absoluteX) * kEmuPerPixel);
    xml += "\" y=\"";
    xml += number(std::uint64_t(a.absoluteY) * kEmuPerPixel);
    xml += "\"/><a:ext cx=\"";
    xml += number(std::uint32_t(0.5 + a.width * kEmuPerPixel));
    xml += "\" cy=\"";
    xml += number(std::uint32_t(0.5 + a.height * kEmuPerPixel));
    xml += "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
           "<xdr:clientData/></xdr:twoCellAnchor>";
}

// ZIP

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEnd64Signature = 0x06064b50;
constexpr std::uint32_t kEnd64LocatorSignature = 0x07064b50;
constexpr int kLocalHeaderSize = 30;
constexpr int kCentralHeaderSize = 46;
constexpr int kEndSize = 22;

const std::array<std::uint32_t, 256>& crcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

std::uint32_t crc32(const QByteArray& data)
{
    const auto& table = crcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : data)
        c = table[(c ^ std::uint8_t(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Raw deflate data: the zlib stream without its two-byte header and its
// four-byte check, after the four bytes of length that Qt puts first.
QByteArray deflated(const QByteArray& data)
{
    const QByteArray stream = qCompress(data, 6);
    if (stream.size() < 10)
        return {};
    return stream.mid(6, stream.size() - 10);
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
    return {std::move(name), deflated(bytes), crc32(bytes), bytes.size(), true};
}

PackageMember PackageMember::store(QByteArray name, QByteArray bytes)
{
    const std::uint32_t crc = crc32(bytes);
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

    QByteArray out;
    out.reserve(package.size());
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
