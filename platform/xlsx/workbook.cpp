#include "platform/xlsx/workbook.h"

#include "platform/xlsx/package.h"

#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>
#include <QtDebug>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <xlsxwriter.h>

namespace platform::xlsx {

namespace {

// A bordered range larger than this is refused rather than filling memory.
constexpr qint64 kMaxBorderedCells = qint64(1) << 22;
// The spreadsheet draws pictures at 96 pixels per inch; offsets are points.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kDotsPerMeterAt96Dpi = 3780;
// A row without a height of its own is this high.
constexpr double kDefaultRowHeight = 15;
constexpr double kMaxRowHeight = 409;
// A line of a Chinese face takes half its size again as leading.
constexpr double kLineHeightPerPoint = 1.5;
// The spreadsheet's width of a column the template does not size.
constexpr double kDefaultColumnWidth = 8.43;

// A row height raised to the next whole pixel. The spreadsheet programs draw
// every row a whole number of pixels high but place pictures by points: rows
// of a fraction of a pixel would let the pictures of a long sheet creep over
// the row lines below them, a third of a pixel more on every row of 28 points.
double wholePixels(double points)
{
    const double pixels = std::ceil(points * kPixelsPerPoint - 1e-9);
    return std::min(pixels, std::floor(kMaxRowHeight * kPixelsPerPoint)) * 0.75;
}

// How wide a line of text is in the units of the column widths: a character
// of a Chinese face as two digits, as its GBK bytes count; one unit of room.
double textUnits(QStringView line)
{
    const bool ascii =
        std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x80; });
    return (ascii ? double(line.size()) : platform::gbk::byteLength(line.toString())) + 1;
}

QString normalisedText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.size() > kMaxTextLength) {
        text.truncate(kMaxTextLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

// The most decimals a number is shown with, and the most digits a text may
// have to be read as a number: a spreadsheet keeps 15 significant digits.
constexpr int kMaxDecimals = 15;
constexpr int kMaxDigits = 15;

struct ShownNumber {
    double value = 0;
    int decimals = 0;
};

// The number a page's text shows: an optional minus, digits without a
// leading zero (but for "0" itself), and an optional point with at least
// one digit after it. Nothing for any other text: units, ranges, exponents,
// or more digits than a spreadsheet keeps.
std::optional<ShownNumber> shownNumber(QStringView text)
{
    const auto isDigit = [&text](qsizetype i) {
        return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
    };
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype first = i;
    while (isDigit(i))
        ++i;
    const qsizetype whole = i - first;
    if (whole == 0 || (whole > 1 && text[first] == u'0'))
        return std::nullopt;
    qsizetype decimals = 0;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype point = ++i;
        while (isDigit(i))
            ++i;
        decimals = i - point;
        if (decimals == 0)
            return std::nullopt;
    }
    if (i != text.size() || whole + decimals > kMaxDigits)
        return std::nullopt;
    char latin[kMaxDigits + 3];
    for (qsizetype c = 0; c < text.size(); ++c)
        latin[c] = char(text[c].unicode());
    ShownNumber number;
    number.decimals = int(decimals);
    std::from_chars(latin, latin + text.size(), number.value);
    if (number.value == 0) // "-0.00" shows as 0.00
        number.value = 0;
    return number;
}

// The part of a sheet a cell belongs to decides its look.
enum class Role { Title, Heading, Caption, Body };

Role roleOfRow(int row)
{
    if (row == 1)
        return Role::Title;
    if (row <= 4)
        return Role::Heading;
    if (row == 5)
        return Role::Caption;
    return Role::Body;
}

struct Style {
    Role role = Role::Body;
    Align align = Align::Center;
    bool wrap = false;
    bool shrink = false;
    bool border = false;
    int decimals = -1; // a number's; -1 for the general format
    auto operator<=>(const Style&) const = default;
};

// The look of a cell, by its place, how its text shows and the decimals
// of its number.
Style styleOf(const Worksheet& sheet, int row, int column, const Cell* cell,
              const Worksheet::TextLines& shown)
{
    Style style;
    style.role = roleOfRow(row);
    if (style.role == Role::Body && column <= sheet.columnCount())
        style.align = sheet.layout().columns[std::size_t(column - 1)].align;
    style.wrap = shown.wraps;
    style.shrink = shown.shrinks;
    style.border = cell && cell->bordered;
    if (cell && cell->kind == Cell::Kind::Number)
        style.decimals = cell->decimals;
    return style;
}

// A number cell's text as the spreadsheet shows it.
QString numberText(const Cell& cell)
{
    return cell.decimals >= 0 ? QString::number(cell.number, 'f', cell.decimals)
                              : QString::number(cell.number, 'g', 15);
}

// The spreadsheet's number format of that many decimals: "0", "0.00", …
QByteArray numberFormat(int decimals)
{
    QByteArray format("0");
    if (decimals > 0)
        format += '.' + QByteArray(decimals, '0');
    return format;
}

// A sheet made ready for its part: every cell with its look and its text,
// every row as high as its pictures and the lines of its texts need. Reads
// the sheet only, so the sheets of a workbook are made ready side by side.
struct PreparedSheet {
    SheetPart part;
    std::vector<Style> styles;        // the sheet's looks, in the order first used
    std::map<int, double> rowHeights; // as written, by row
    qint64 textCells = 0;
};

PreparedSheet prepareSheet(const Worksheet& sheet, const WorkbookTemplate& layout, bool active)
{
    PreparedSheet prepared;
    SheetPart& part = prepared.part;
    for (const ColumnTemplate& column : sheet.layout().columns)
        part.columnWidths.push_back(column.width);
    part.landscape = sheet.layout().landscape;
    part.selected = active;
    part.selectedRow = sheet.selection().row;
    part.selectedColumn = sheet.selection().column;

    std::map<Style, int> styleIndex;
    QHash<QByteArray, int> textIndex;
    // The height the lines of the row's texts need, in points.
    double needed = 0;
    const auto made = [&](int row, int column, const Cell* cell) {
        PartCell made;
        made.column = column;
        const Worksheet::TextLines shown = sheet.textLines(row, column, cell);
        if (shown.lines > 0) {
            const double points = roleOfRow(row) == Role::Title ? layout.titleFontSize : layout.fontSize;
            needed = std::max(needed, std::min(shown.lines * lineHeight(points), kMaxRowHeight));
        }
        const Style style = styleOf(sheet, row, column, cell, shown);
        const auto [look, added] = styleIndex.emplace(style, int(prepared.styles.size()));
        if (added)
            prepared.styles.push_back(style);
        made.style = look->second;
        if (cell && cell->kind == Cell::Kind::Text && !cell->text.isEmpty()) {
            const QByteArray text = cell->text.toUtf8();
            auto found = textIndex.constFind(text);
            if (found == textIndex.cend()) {
                found = textIndex.insert(text, int(part.texts.size()));
                part.texts.push_back(text);
            }
            made.kind = PartCell::Kind::Text;
            made.text = *found;
        } else if (cell && cell->kind == Cell::Kind::Number) {
            made.kind = PartCell::Kind::Number;
            made.number = cell->number;
        }
        return made;
    };

    // Every row with cells, a height or a merge, in order.
    std::vector<int> rows;
    for (const auto& [position, cell] : sheet.cells()) {
        if (rows.empty() || rows.back() != position.first)
            rows.push_back(position.first);
    }
    // The title is centred across the template's columns: every cell of row
    // 1 gets the title's look even when blank.
    if (sheet.columnCount() > 0)
        rows.push_back(1);
    for (const auto& [start, last] : sheet.merges())
        rows.push_back(start.first);
    for (const auto& [row, height] : sheet.rowHeights())
        rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    const auto byColumn = [](const PartCell& c, int column) { return c.column < column; };
    part.rows.reserve(rows.size());
    auto cell = sheet.cells().begin();
    auto merge = sheet.merges().begin();
    for (const int r : rows) {
        PartRow& row = part.rows.emplace_back();
        row.row = r;
        needed = 0;
        for (; cell != sheet.cells().end() && cell->first.first == r; ++cell)
            row.cells.push_back(made(r, cell->first.second, &cell->second));
        if (r == 1) {
            for (int column = 1; column <= sheet.columnCount(); ++column) {
                const auto at = std::lower_bound(row.cells.begin(), row.cells.end(), column, byColumn);
                if (at == row.cells.end() || at->column != column)
                    row.cells.insert(at, made(r, column, nullptr));
            }
        }
        // A merged range shows its first cell's text and look over every
        // cell of it.
        for (; merge != sheet.merges().end() && merge->first.first == r; ++merge) {
            const int first = merge->first.second;
            const int last = merge->second;
            part.merges.push_back({r, first, last});
            const PartCell shown = made(r, first, sheet.cell(r, first));
            std::vector<PartCell> range{shown};
            for (int column = first + 1; column <= last; ++column) {
                PartCell blank;
                blank.column = column;
                blank.style = shown.style;
                range.push_back(blank);
            }
            const auto from = std::lower_bound(row.cells.begin(), row.cells.end(), first, byColumn);
            const auto to = std::lower_bound(from, row.cells.end(), last + 1, byColumn);
            row.cells.insert(row.cells.erase(from, to), range.begin(), range.end());
        }
        for (const PartCell& c : row.cells)
            prepared.textCells += c.kind == PartCell::Kind::Text ? 1 : 0;
        // As high as its pictures, and at least as high as its lines need.
        double height = sheet.rowHeight(r);
        if (needed > kDefaultRowHeight)
            height = std::max(height, needed);
        if (height > 0) {
            row.height = wholePixels(height);
            prepared.rowHeights.emplace_hint(prepared.rowHeights.end(), r, row.height);
        }
    }
    return prepared;
}

// Writes one workbook through the spreadsheet library, which makes the
// package: the workbook part, the styles, the links and the content types.
// The sheets' own parts, with their cells, and the shared strings are then
// written here (prepareSheet, worksheetPart) and put in the place of the
// library's; the library is given one text, so that it makes the shared
// strings part and the links to it. It is given one picture of each sheet
// that has pictures, so that it makes the sheet's drawing part and the links
// to it; the drawings with every picture are then made here (drawings()).
// Remembers the first error of any call.
class Writer {
public:
    Writer(lxw_workbook* book, const WorkbookTemplate& layout) : m_book(book), m_layout(layout) {}

    // Gives the library the sheet and its looks; `prepared` gets the
    // workbook's cell format of each look and whether it has a drawing.
    void writeSheet(const Worksheet& sheet, PreparedSheet& prepared, std::vector<int>* styleIndex,
                    bool active);
    lxw_error error() const { return m_error; }
    // The parts that show the pictures: each drawing with its links, and
    // each distinct picture file once.
    void drawings(std::vector<PackageMember>* parts, std::vector<PackageMember>* pictures) const;

private:
    void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR && m_error == LXW_NO_ERROR)
            m_error = error;
    }
    lxw_format* format(const Style& style);
    // Whether the sheet has a picture to show.
    bool writePictures(lxw_worksheet* target, const Worksheet& sheet, DrawingGrid grid);

    // A sheet's pictures, shown by the drawing part of that number.
    struct SheetDrawing {
        int number = 0;
        DrawingGrid grid;
        std::vector<const Picture*> pictures;
    };
    std::vector<SheetDrawing> m_drawings;

    lxw_workbook* m_book;
    const WorkbookTemplate& m_layout;
    std::map<Style, lxw_format*> m_formats;
    lxw_error m_error = LXW_NO_ERROR;
    bool m_hasText = false;
};

lxw_format* Writer::format(const Style& style)
{
    const auto found = m_formats.find(style);
    if (found != m_formats.end())
        return found->second;
    lxw_format* made = workbook_add_format(m_book);
    if (!made) {
        check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return nullptr;
    }
    format_set_font_name(made, m_layout.font.toUtf8().constData());
    format_set_font_size(made, style.role == Role::Title ? m_layout.titleFontSize : m_layout.fontSize);
    format_set_align(made, LXW_ALIGN_VERTICAL_CENTER);
    switch (style.role) {
    case Role::Title:
        format_set_bold(made);
        format_set_align(made, LXW_ALIGN_CENTER_ACROSS);
        break;
    case Role::Heading:
        format_set_align(made, LXW_ALIGN_LEFT);
        break;
    case Role::Caption:
    case Role::Body:
        format_set_align(made, style.align == Align::Left    ? LXW_ALIGN_LEFT
                               : style.align == Align::Right ? LXW_ALIGN_RIGHT
                                                             : LXW_ALIGN_CENTER);
        break;
    }
    if (style.wrap)
        format_set_text_wrap(made);
    if (style.shrink)
        format_set_shrink(made);
    if (style.decimals >= 0)
        format_set_num_format(made, numberFormat(style.decimals).constData());
    if (style.border)
        format_set_border(made, LXW_BORDER_THIN);
    m_formats.emplace(style, made);
    return made;
}

bool Writer::writePictures(lxw_worksheet* target, const Worksheet& sheet, DrawingGrid grid)
{
    SheetDrawing drawing;
    for (const Picture& picture : sheet.pictures()) {
        if (!picture.png.isEmpty()) // else it could not be encoded
            drawing.pictures.push_back(&picture);
    }
    if (drawing.pictures.empty())
        return false;
    drawing.number = int(m_drawings.size()) + 1;
    drawing.grid = std::move(grid);
    m_drawings.push_back(std::move(drawing));
    // The first picture makes the library give the sheet its drawing.
    {
        const Picture& picture = *m_drawings.back().pictures.front();
        lxw_image_options options{};
        options.x_offset = std::int32_t(std::lround(picture.left * kPixelsPerPoint));
        options.y_offset = std::int32_t(std::lround(picture.top * kPixelsPerPoint));
        // The stored resolution is as near 96 dpi as whole dots per metre get;
        // the writer sizes by it, so scale back to exactly one pixel a pixel.
        options.x_scale = kDotsPerMeterAt96Dpi * 0.0254 / 96.0;
        options.y_scale = kDotsPerMeterAt96Dpi * 0.0254 / 96.0;
        check(worksheet_insert_image_buffer_opt(
            target, lxw_row_t(picture.row - 1), lxw_col_t(picture.column - 1),
            reinterpret_cast<const unsigned char*>(picture.png.constData()),
            std::size_t(picture.png.size()), &options));
    }
    return true;
}

void Writer::drawings(std::vector<PackageMember>* parts, std::vector<PackageMember>* pictures) const
{
    // Each distinct picture file once, numbered in the order the sheets
    // first show them.
    std::vector<std::vector<PlacedPicture>> placed(m_drawings.size());
    std::map<int, int> mediaOfStored;
    QHash<QByteArray, int> mediaOfBytes;
    for (std::size_t d = 0; d < m_drawings.size(); ++d) {
        for (const Picture* picture : m_drawings[d].pictures) {
            auto known = mediaOfStored.find(picture->stored);
            if (known == mediaOfStored.end()) {
                int& media = mediaOfBytes[picture->png];
                if (media == 0) {
                    media = int(pictures->size()) + 1;
                    pictures->push_back(PackageMember::store(
                        "xl/media/image" + QByteArray::number(media) + ".png", picture->png));
                }
                known = mediaOfStored.emplace(picture->stored, media).first;
            }
            PlacedPicture at;
            at.row = picture->row;
            at.column = picture->column;
            at.left = int(std::lround(picture->left * kPixelsPerPoint));
            at.top = int(std::lround(picture->top * kPixelsPerPoint));
            at.size = picture->size;
            at.media = known->second;
            placed[d].push_back(at);
        }
    }
    // Each sheet's drawing made and compressed on a thread of its own.
    std::vector<std::future<std::pair<PackageMember, PackageMember>>> made;
    for (std::size_t d = 0; d < m_drawings.size(); ++d) {
        made.push_back(std::async(std::launch::async, [&, d] {
            const QByteArray number = QByteArray::number(m_drawings[d].number);
            QByteArray relations;
            const QByteArray xml = drawingPart(m_drawings[d].grid, placed[d], &relations);
            return std::make_pair(
                PackageMember::compress("xl/drawings/drawing" + number + ".xml", xml),
                PackageMember::compress("xl/drawings/_rels/drawing" + number + ".xml.rels", relations));
        }));
    }
    for (auto& drawing : made) {
        auto [xml, relations] = drawing.get();
        parts->push_back(std::move(xml));
        parts->push_back(std::move(relations));
    }
}

void Writer::writeSheet(const Worksheet& sheet, PreparedSheet& prepared,
                        std::vector<int>* styleIndex, bool active)
{
    lxw_worksheet* target = workbook_add_worksheet(m_book, sheet.name().toUtf8().constData());
    if (!target) {
        check(LXW_ERROR_SHEETNAME_ALREADY_USED);
        return;
    }
    // The rows above the table are printed on every page.
    check(worksheet_repeat_rows(target, 0, 4));
    if (!m_hasText) {
        m_hasText = true;
        check(worksheet_write_string(target, 0, 0, "-", nullptr));
    }
    for (const Style& style : prepared.styles) {
        lxw_format* look = format(style);
        styleIndex->push_back(look ? lxw_format_get_xf_index(look) : 0);
    }
    DrawingGrid grid;
    grid.rowHeights = prepared.rowHeights;
    grid.columnWidths = prepared.part.columnWidths;
    prepared.part.drawing = writePictures(target, sheet, std::move(grid));
    if (active)
        worksheet_activate(target);
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

double lineHeight(double points)
{
    return points * kLineHeightPerPoint;
}

QString createFailedText()
{
    return QStringLiteral("创建Excel服务失败!");
}

CellRef parseCell(QStringView name)
{
    qsizetype i = 0;
    qint64 column = 0;
    while (i < name.size() && i < 4) {
        const char16_t c = QChar::toUpper(name[i].unicode());
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c - u'A' + 1);
        ++i;
    }
    if (i == 0 || i == name.size())
        return {};
    qint64 row = 0;
    for (qsizetype j = i; j < name.size(); ++j) {
        const char16_t c = name[j].unicode();
        if (c < u'0' || c > u'9' || (j == i && c == u'0') || j - i >= 8)
            return {};
        row = row * 10 + (c - u'0');
    }
    const CellRef ref{int(std::min<qint64>(row, kMaxRows + 1)),
                      int(std::min<qint64>(column, kMaxColumns + 1))};
    return ref.isValid() ? ref : CellRef{};
}

QString columnName(int column)
{
    if (column < 1 || column > kMaxColumns)
        return {};
    QString name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

QString cellName(int row, int column)
{
    if (!CellRef{row, column}.isValid())
        return {};
    return columnName(column) + QString::number(row);
}

// Worksheet

Worksheet::Worksheet(SheetTemplate layout, std::shared_ptr<PictureStore> pictures)
    : m_layout(std::move(layout)),
      m_store(pictures ? std::move(pictures) : std::make_shared<PictureStore>())
{
    for (int i = 0; i < columnCount(); ++i) {
        const QString& caption = m_layout.columns[std::size_t(i)].caption;
        if (!caption.isEmpty())
            setText(5, i + 1, caption);
    }
}

Cell* Worksheet::writable(int row, int column)
{
    if (!CellRef{row, column}.isValid())
        return nullptr;
    return &m_cells[{row, column}];
}

bool Worksheet::setText(int row, int column, const QString& text)
{
    Cell* cell = writable(row, column);
    if (!cell)
        return false;
    cell->kind = Cell::Kind::Text;
    cell->text = normalisedText(text);
    cell->number = 0;
    cell->decimals = -1;
    return true;
}

bool Worksheet::setText(QStringView cell, const QString& text)
{
    const CellRef ref = parseCell(cell);
    return setText(ref.row, ref.column, text);
}

bool Worksheet::setNumber(int row, int column, double value, int decimals)
{
    if (!std::isfinite(value) || decimals < -1 || decimals > kMaxDecimals)
        return false;
    Cell* cell = writable(row, column);
    if (!cell)
        return false;
    cell->kind = Cell::Kind::Number;
    cell->text.clear();
    cell->number = value;
    cell->decimals = decimals;
    return true;
}

bool Worksheet::setNumber(QStringView cell, double value, int decimals)
{
    const CellRef ref = parseCell(cell);
    return setNumber(ref.row, ref.column, value, decimals);
}

bool Worksheet::setValue(int row, int column, const QString& shown)
{
    if (const std::optional<ShownNumber> number = shownNumber(shown))
        return setNumber(row, column, number->value, number->decimals);
    return setText(row, column, shown);
}

bool Worksheet::clear(int row, int column)
{
    Cell* cell = writable(row, column);
    if (!cell)
        return false;
    cell->kind = Cell::Kind::Blank;
    cell->text.clear();
    cell->number = 0;
    cell->decimals = -1;
    return true;
}

const Cell* Worksheet::cell(int row, int column) const
{
    const auto found = m_cells.find({row, column});
    return found == m_cells.end() ? nullptr : &found->second;
}

QString Worksheet::text(int row, int column) const
{
    const Cell* found = cell(row, column);
    if (!found)
        return {};
    switch (found->kind) {
    case Cell::Kind::Text:
        return found->text;
    case Cell::Kind::Number:
        return numberText(*found);
    case Cell::Kind::Blank:
        break;
    }
    return {};
}

QString Worksheet::text(QStringView cell) const
{
    const CellRef ref = parseCell(cell);
    return text(ref.row, ref.column);
}

bool Worksheet::setBorders(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    if (!CellRef{firstRow, firstColumn}.isValid() || !CellRef{lastRow, lastColumn}.isValid())
        return false;
    if (firstRow > lastRow)
        std::swap(firstRow, lastRow);
    if (firstColumn > lastColumn)
        std::swap(firstColumn, lastColumn);
    if (qint64(lastRow - firstRow + 1) * (lastColumn - firstColumn + 1) > kMaxBorderedCells)
        return false;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            m_cells[{row, column}].bordered = true;
    }
    return true;
}

bool Worksheet::setBorders(QStringView firstCell, QStringView lastCell)
{
    const CellRef first = parseCell(firstCell);
    const CellRef last = parseCell(lastCell);
    return setBorders(first.row, first.column, last.row, last.column);
}

namespace {

// Pictures are sent to be drawn (when handed over as drawings) and encoded
// this many at a time, while the user's thread goes on: enough to keep
// every core busy, few enough to keep little memory.
constexpr std::size_t kEncodingBatch = 512;

// The image with a palette of exactly its colours when it has no more than
// a palette holds (a drawing of a few pens): it encodes in a third of the
// time and space, and shows the same pixels. Otherwise the image as it is.
QImage withPalette(const QImage& image)
{
    const QImage source = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                              : QImage::Format_RGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return image;
    QList<QRgb> colours;
    QHash<QRgb, uchar> indexOf;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x];
            if (!any || colour != last) {
                auto found = indexOf.constFind(colour);
                if (found == indexOf.cend()) {
                    if (colours.size() == 256)
                        return image;
                    found = indexOf.insert(colour, uchar(colours.size()));
                    colours.append(colour);
                }
                last = colour;
                lastIndex = *found;
                any = true;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

QByteArray encodedPng(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage stored = withPalette(image);
    stored.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    stored.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !stored.save(&buffer, "PNG"))
        return {};
    return png;
}

bool validOffsets(int row, int column, double left, double top)
{
    return CellRef{row, column}.isValid() && std::isfinite(left) && std::isfinite(top);
}

} // namespace

namespace {

// The threads pictures are drawn and encoded on: one a core but one, which
// is left to the user's thread that fills the sheets meanwhile. They are
// kept: what a thread keeps of the texts it has drawn makes its next
// drawings quicker. Tasks are handed over under a mutex the thread checkers
// see.
class PictureThreads {
public:
    static int size() { return std::max(QThread::idealThreadCount() - 1, 1); }

    void start(std::function<void()> task)
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        if (m_idle == 0 && m_threads < size()) {
            ++m_threads;
            std::thread([this] { run(); }).detach();
        }
        m_wake.notify_one();
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_wake.wait(lock, [this] { return !m_tasks.empty(); });
            --m_idle;
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    int m_idle = 0;
    int m_threads = 0;
};

PictureThreads& pictureThreads()
{
    static PictureThreads* const pool = new PictureThreads;
    return *pool;
}

// Does job(i) for every i below `count` on up to `threads` threads, 0 for
// as many as the pool has. Each job writes its own result only, so the
// order the threads take them in changes nothing.
void forEachOnThreads(std::size_t count, int threads, const std::function<void(std::size_t)>& job)
{
    if (threads <= 0)
        threads = PictureThreads::size();
    threads = int(std::min<std::size_t>(std::size_t(std::max(threads, 1)), count));
    if (threads <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            job(i);
        return;
    }
    // Tasks beyond the pool's threads wait for one and find the work done.
    PictureThreads& pool = pictureThreads();
    // The end is counted under a mutex, not a semaphore: a thread that finds
    // the work done then hands over all it wrote before the caller goes on
    // (and the thread checkers see that it does).
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    int finished = 0;
    for (int t = 0; t < threads; ++t) {
        pool.start([&] {
            for (std::size_t i = next++; i < count; i = next++)
                job(i);
            const std::lock_guard lock(mutex);
            ++finished;
            allDone.notify_one();
        });
    }
    std::unique_lock lock(mutex);
    allDone.wait(lock, [&] { return finished == threads; });
}

} // namespace

std::vector<QByteArray> encodePictures(const std::vector<QImage>& images, int threads)
{
    std::vector<QByteArray> encoded(images.size());
    forEachOnThreads(images.size(), threads, [&](std::size_t i) { encoded[i] = encodedPng(images[i]); });
    return encoded;
}

// PictureStore

int PictureStore::add(const QByteArray& key, const std::function<QImage()>& draw)
{
    const auto found = m_keys.find(key);
    if (found != m_keys.end())
        return found->second;
    const int index = add(draw());
    m_keys.emplace(key, index);
    return index;
}

int PictureStore::addLater(const QByteArray& key, QSize size, std::function<QImage()> draw)
{
    const auto found = m_keys.find(key);
    if (found != m_keys.end())
        return found->second;
    if (size.isEmpty())
        return -1;
    const int index = waiting(size, std::move(draw));
    m_keys.emplace(key, index);
    return index;
}

int PictureStore::add(const QImage& image)
{
    if (image.isNull())
        return -1;
    return waiting(image.size(), [image] { return image; });
}

int PictureStore::waiting(QSize size, std::function<QImage()> draw)
{
    m_sizes.push_back(size);
    m_png.emplace_back();
    m_waiting.push_back(std::move(draw));
    if (m_waiting.size() >= kEncodingBatch)
        startBatch();
    return int(m_png.size() - 1);
}

const QByteArray& PictureStore::png(int index)
{
    if (std::size_t(index) >= m_encoded) {
        startBatch();
        while (std::size_t(index) >= m_encoded && !m_batches.empty())
            finishBatch();
    }
    return m_png.at(std::size_t(index));
}

void PictureStore::finishBatch()
{
    if (m_batches.empty())
        return;
    auto made = m_batches.front().get();
    m_batches.pop_front();
    for (auto& [size, bytes] : made) {
        if (!bytes.isEmpty())
            m_sizes[m_encoded] = size;
        m_png[m_encoded++] = std::move(bytes);
    }
}

void PictureStore::startBatch()
{
    // Batches are encoded side by side; their bytes are taken in the order
    // they were sent, so each picture gets its own whatever finishes first.
    if (m_waiting.empty())
        return;
    m_batches.push_back(std::async(std::launch::async, [drawings = std::exchange(m_waiting, {})] {
        std::vector<std::pair<QSize, QByteArray>> made(drawings.size());
        forEachOnThreads(drawings.size(), 0, [&](std::size_t i) {
            const QImage image = drawings[i]();
            made[i] = {image.size(), encodedPng(image)};
        });
        return made;
    }));
}

// Worksheet pictures

bool Worksheet::insertPicture(int row, int column, const QImage& image, double left, double top)
{
    if (!validOffsets(row, column, left, top))
        return false;
    return place(row, column, m_store->add(image), left, top);
}

bool Worksheet::insertPicture(int row, int column, const QByteArray& key,
                              const std::function<QImage()>& draw, double left, double top)
{
    if (!validOffsets(row, column, left, top))
        return false;
    return place(row, column, m_store->add(key, draw), left, top);
}

bool Worksheet::insertPicture(int row, int column, const QByteArray& key, QSize size,
                              std::function<QImage()> draw, double left, double top)
{
    if (!validOffsets(row, column, left, top))
        return false;
    return place(row, column, m_store->addLater(key, size, std::move(draw)), left, top);
}

const std::vector<Picture>& Worksheet::pictures() const
{
    for (; m_withBytes < m_pictures.size(); ++m_withBytes) {
        Picture& picture = m_pictures[m_withBytes];
        picture.png = m_store->png(m_stored[m_withBytes]);
        picture.size = m_store->size(m_stored[m_withBytes]);
    }
    return m_pictures;
}

bool Worksheet::place(int row, int column, int stored, double left, double top)
{
    if (stored < 0)
        return false;
    Picture picture;
    picture.row = row;
    picture.column = column;
    picture.left = std::max(0.0, left);
    picture.top = std::max(0.0, top);
    picture.size = m_store->size(stored);
    picture.stored = stored;

    const double needed = picture.top + picture.size.height() / kPixelsPerPoint + 1;
    const double current = rowHeight(row) > 0 ? rowHeight(row) : kDefaultRowHeight;
    if (needed > current)
        m_rowHeights[row] = std::min(needed, kMaxRowHeight);
    m_pictures.push_back(std::move(picture));
    m_stored.push_back(stored);
    return true;
}

bool Worksheet::insertPicture(int row, int column, const QString& file, double left, double top)
{
    return insertPicture(row, column, QImage(file), left, top);
}

bool Worksheet::insertPicture(QStringView cell, const QString& file, double left, double top)
{
    const CellRef ref = parseCell(cell);
    return insertPicture(ref.row, ref.column, file, left, top);
}

bool Worksheet::merge(int row, int firstColumn, int lastColumn)
{
    if (firstColumn > lastColumn)
        std::swap(firstColumn, lastColumn);
    if (!CellRef{row, firstColumn}.isValid() || !CellRef{row, lastColumn}.isValid()
        || firstColumn == lastColumn)
        return false;
    // Only the row's own merges can overlap; the map keeps them together.
    for (auto it = m_merges.lower_bound({row, INT_MIN}); it != m_merges.end() && it->first.first == row;
         ++it) {
        if (it->first.second <= lastColumn && it->second >= firstColumn)
            return false;
    }
    m_merges[{row, firstColumn}] = lastColumn;
    return true;
}

int Worksheet::mergedTo(int row, int column) const
{
    // Merges never overlap: the one that could hold the column is the last
    // of the row that starts at or before it.
    auto it = m_merges.upper_bound({row, column});
    if (it == m_merges.begin())
        return column;
    --it;
    if (it->first.first == row && it->second >= column)
        return it->second;
    return column;
}

bool Worksheet::isBlank(int row, int column) const
{
    const Cell* found = cell(row, column);
    return !found || found->kind == Cell::Kind::Blank
           || (found->kind == Cell::Kind::Text && found->text.isEmpty());
}

double Worksheet::widthOf(int firstColumn, int lastColumn) const
{
    double width = 0;
    for (int c = firstColumn; c <= lastColumn; ++c)
        width += c >= 1 && c <= columnCount() ? m_layout.columns[std::size_t(c - 1)].width
                                              : kDefaultColumnWidth;
    return width;
}

Worksheet::TextLines Worksheet::textLines(int row, int column, const Cell* found) const
{
    TextLines shown;
    if (!found || found->kind == Cell::Kind::Blank)
        return shown;
    const int last = mergedTo(row, column);
    if (found->kind == Cell::Kind::Number) {
        shown.shrinks = textUnits(numberText(*found)) > widthOf(column, last);
        return shown;
    }
    const QString& text = found->text;
    if (row == 5 || text.contains(u'\n'))
        shown.wraps = true;
    else if (textUnits(text) <= widthOf(column, last))
        shown.wraps = false;
    else
        shown.wraps = last >= columnCount() || !isBlank(row, last + 1);
    if (text.isEmpty())
        return shown;
    if (!shown.wraps) {
        shown.lines = int(text.count(u'\n')) + 1;
        return shown;
    }
    const double width = std::max(widthOf(column, last), 1.0);
    for (const QStringView line : QStringView(text).tokenize(u'\n'))
        shown.lines += std::max(1, int(std::ceil(textUnits(line) / width)));
    return shown;
}

void Worksheet::spanWideText(int row, int column, int lastColumn)
{
    const Cell* start = cell(row, column);
    if (!start || start->kind != Cell::Kind::Text || mergedTo(row, column) != column)
        return;
    double needed = 0;
    for (const QString& line : start->text.split(u'\n'))
        needed = std::max(needed, textUnits(line));
    int last = column;
    while (widthOf(column, last) < needed && last < lastColumn) {
        if (!isBlank(row, last + 1) || mergedTo(row, last + 1) != last + 1)
            break;
        ++last;
    }
    if (last > column)
        merge(row, column, last);
}

bool Worksheet::setRowHeight(int row, double points)
{
    if (row < 1 || row > kMaxRows || !(points >= 0 && points <= kMaxRowHeight))
        return false;
    if (points == 0)
        m_rowHeights.erase(row);
    else
        m_rowHeights[row] = points;
    return true;
}

double Worksheet::rowHeight(int row) const
{
    const auto found = m_rowHeights.find(row);
    return found == m_rowHeights.end() ? 0 : found->second;
}

bool Worksheet::select(QStringView cell)
{
    const CellRef ref = parseCell(cell);
    if (!ref.isValid())
        return false;
    m_selection = ref;
    return true;
}

// Workbook

Workbook::Workbook() : m_pictures(std::make_shared<PictureStore>()) {}
Workbook::~Workbook() = default;

void Workbook::setTemplate(const WorkbookTemplate& layout)
{
    m_layout = layout;
    m_sheets.clear();
    for (const SheetTemplate& sheet : layout.sheets)
        m_sheets.push_back(std::make_unique<Worksheet>(sheet, m_pictures));
    m_active = 0;
}

bool Workbook::loadTemplate(const QString& path, QString* error)
{
    WorkbookTemplate layout;
    if (!WorkbookTemplate::load(path, &layout, error))
        return false;
    setTemplate(layout);
    return true;
}

bool Workbook::openTemplate(const QString& name, const QString& failureText)
{
    QString error;
    if (loadTemplate(templatePath(name), &error))
        return true;
    qWarning().noquote() << "spreadsheet template:" << error;
    showMessage(failureText, MessageIcon::Warning);
    return false;
}

Worksheet* Workbook::sheet(QStringView name)
{
    for (const auto& sheet : m_sheets) {
        if (QStringView(sheet->name()).compare(name, Qt::CaseInsensitive) == 0)
            return sheet.get();
    }
    return nullptr;
}

Worksheet* Workbook::addSheet(const SheetTemplate& layout)
{
    if (!isValidSheetName(layout.name) || sheet(layout.name))
        return nullptr;
    m_sheets.push_back(std::make_unique<Worksheet>(layout, m_pictures));
    return m_sheets.back().get();
}

bool Workbook::activate(QStringView name)
{
    const Worksheet* found = sheet(name);
    if (!found)
        return false;
    activate(*found);
    return true;
}

void Workbook::activate(const Worksheet& sheet)
{
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].get() == &sheet)
            m_active = int(i);
    }
}

const Worksheet* Workbook::activeSheet() const
{
    return m_sheets.empty() ? nullptr : m_sheets[std::size_t(m_active)].get();
}

bool Workbook::save(const QString& path, QString* error) const
{
    QTemporaryDir work(tempFolder() + QStringLiteral("rodo-xlsx-XXXXXX"));
    if (!work.isValid())
        return fail(error, work.errorString());
    const QString built = work.filePath(QStringLiteral("book.xlsx"));
    // The library passes every picture and part through a file of its own,
    // in the work folder on disk. (Not in a memory folder such as /dev/shm:
    // where that is small, the library writes a sheet short without saying
    // so.)
    QByteArray scratch = QFile::encodeName(work.path());
    lxw_workbook_options options{};
    options.tmpdir = scratch.data();
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(built).constData(), &options);
    if (!book)
        return fail(error, QStringLiteral("the workbook could not be started"));

    // Each sheet made ready on a thread of its own.
    std::vector<std::future<PreparedSheet>> preparing;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        preparing.push_back(std::async(std::launch::async, [this, i] {
            return prepareSheet(*m_sheets[i], m_layout, int(i) == m_active);
        }));
    }
    std::vector<PreparedSheet> prepared;
    for (auto& sheet : preparing)
        prepared.push_back(sheet.get());

    Writer writer(book, m_layout);
    std::vector<std::vector<int>> styleIndex(m_sheets.size());
    for (std::size_t i = 0; i < m_sheets.size(); ++i)
        writer.writeSheet(*m_sheets[i], prepared[i], &styleIndex[i], int(i) == m_active);
    // The workbook's shared strings: the sheets' own texts, each once, in the
    // order the sheets first show them.
    std::vector<QByteArray> texts;
    std::vector<std::vector<int>> sharedText(m_sheets.size());
    qint64 textCells = 0;
    {
        QHash<QByteArray, int> shared;
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            for (const QByteArray& text : prepared[i].part.texts) {
                auto found = shared.constFind(text);
                if (found == shared.cend()) {
                    found = shared.insert(text, int(texts.size()));
                    texts.push_back(text);
                }
                sharedText[i].push_back(*found);
            }
            textCells += prepared[i].textCells;
        }
    }
    // The sheets, the shared strings and the drawings are written and
    // compressed side by side while the library packs the rest.
    std::vector<std::future<PackageMember>> writing;
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        writing.push_back(std::async(std::launch::async, [&, i] {
            return PackageMember::compress("xl/worksheets/sheet" + QByteArray::number(qulonglong(i + 1)) + ".xml",
                                           worksheetPart(prepared[i].part, sharedText[i], styleIndex[i]));
        }));
    }
    if (!m_sheets.empty()) {
        writing.push_back(std::async(std::launch::async, [&] {
            return PackageMember::compress("xl/sharedStrings.xml", sharedStringsPart(texts, textCells));
        }));
    }
    auto drawings = std::async(std::launch::async, [&writer] {
        std::pair<std::vector<PackageMember>, std::vector<PackageMember>> parts;
        writer.drawings(&parts.first, &parts.second);
        return parts;
    });
    const lxw_error closed = workbook_close(book);
    auto [parts, pictures] = drawings.get();
    for (auto& part : writing)
        parts.push_back(part.get());
    const lxw_error failed = writer.error() != LXW_NO_ERROR ? writer.error() : closed;
    if (failed != LXW_NO_ERROR)
        return fail(error, QString::fromUtf8(lxw_strerror(failed)));

    QByteArray bytes;
    if (!readFile(built, &bytes, error))
        return false;
    if (!parts.empty()) {
        bytes = repackage(bytes, parts, "xl/media/", pictures, error);
        if (bytes.isEmpty())
            return false;
    }
    return saveFile(path, bytes, error);
}

namespace {

thread_local QString t_exportDocument;

} // namespace

ExportDocument::ExportDocument(const QString& documentPath)
    : m_previous(std::exchange(t_exportDocument, documentPath))
{
}

ExportDocument::~ExportDocument()
{
    t_exportDocument = m_previous;
}

QString ExportDocument::current()
{
    return t_exportDocument;
}

QString Workbook::show(const QString& baseName) const
{
    const QString proposed = proposedOutputPath(ExportDocument::current(), baseName, QStringLiteral(".xlsx"));
    QString path = host().askSaveFileName(QStringLiteral("导出到Excel"), proposed,
                                          QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".xlsx");

    QString error;
    if (!save(path, &error)) {
        qWarning().noquote() << "spreadsheet export:" << path << error;
        showMessage(QStringLiteral("工作簿无法保存到：\n%1\n%2").arg(QDir::toNativeSeparators(path), error),
                    MessageIcon::Warning);
        return {};
    }
    const QString where = QStringLiteral("工作簿已保存到：\n%1").arg(QDir::toNativeSeparators(path));
    if (host().openWithDesktop(path))
        showMessage(where);
    else
        showMessage(where + QStringLiteral("\n\n没有找到能打开它的电子表格程序，请用电子表格程序打开这个文件。"),
                    MessageIcon::Warning);
    return path;
}

} // namespace platform::xlsx
