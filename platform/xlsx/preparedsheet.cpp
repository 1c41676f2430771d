#include "platform/xlsx/preparedsheet.h"

#include "platform/xlsx/sheetunits.h"
#include "platform/xlsx/workbook.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace platform::xlsx {

namespace {

// A line of a Chinese face takes half its size again as leading.
constexpr double kLineHeightPerPoint = 1.5;

// A row height raised to the next whole pixel. The spreadsheet programs draw
// every row a whole number of pixels high but place pictures by points: rows
// of a fraction of a pixel would let the pictures of a long sheet creep over
// the row lines below them, a third of a pixel more on every row of 28 points.
double wholePixels(double points)
{
    const double pixels = std::ceil(points * kPixelsPerPoint - 1e-9);
    return std::min(pixels, std::floor(kMaxRowHeight * kPixelsPerPoint)) * 0.75;
}

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

// Every row with cells, a height or a merge, in order. The title is centred
// across the template's columns: row 1 is there whenever the sheet has
// columns.
std::vector<int> rowsOf(const Worksheet& sheet)
{
    std::vector<int> rows;
    for (const auto& [position, cell] : sheet.cells()) {
        if (rows.empty() || rows.back() != position.first)
            rows.push_back(position.first);
    }
    if (sheet.columnCount() > 0)
        rows.push_back(1);
    for (const auto& [start, last] : sheet.merges())
        rows.push_back(start.first);
    for (const auto& [row, height] : sheet.rowHeights())
        rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool beforeColumn(const PartCell& cell, int column)
{
    return cell.column < column;
}

// Makes the sheet's rows one after the other, numbering the looks and the
// texts in the order they are first used.
class SheetPreparer {
public:
    SheetPreparer(const Worksheet& sheet, const WorkbookTemplate& layout, PreparedSheet& prepared)
        : m_sheet(sheet), m_layout(layout), m_prepared(prepared)
    {
    }

    void prepareRow(int r);

private:
    PartCell made(int row, int column, const Cell* cell);
    int styleNumber(const Style& style);
    int textNumber(const QString& text);
    // Every cell of row 1 gets the title's look, even when blank.
    void fillTitle(PartRow& row);
    // A merged range shows its first cell's text and look over every cell
    // of it.
    void mergeInto(PartRow& row, int first, int last);
    // As high as its pictures, and at least as high as its lines need.
    void setHeight(PartRow& row);

    const Worksheet& m_sheet;
    const WorkbookTemplate& m_layout;
    PreparedSheet& m_prepared;
    std::map<Style, int> m_styleIndex;
    QHash<QByteArray, int> m_textIndex;
    std::map<std::pair<int, int>, Cell>::const_iterator m_cell = m_sheet.cells().begin();
    std::map<std::pair<int, int>, int>::const_iterator m_merge = m_sheet.merges().begin();
    // The height the lines of the row's texts need, in points.
    double m_needed = 0;
};

int SheetPreparer::styleNumber(const Style& style)
{
    const auto [look, added] = m_styleIndex.emplace(style, int(m_prepared.styles.size()));
    if (added)
        m_prepared.styles.push_back(style);
    return look->second;
}

int SheetPreparer::textNumber(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    auto found = m_textIndex.constFind(bytes);
    if (found == m_textIndex.cend()) {
        found = m_textIndex.insert(bytes, int(m_prepared.part.texts.size()));
        m_prepared.part.texts.push_back(bytes);
    }
    return *found;
}

PartCell SheetPreparer::made(int row, int column, const Cell* cell)
{
    PartCell made;
    made.column = column;
    const Worksheet::TextLines shown = m_sheet.textLines(row, column, cell);
    if (shown.lines > 0) {
        const double points = roleOfRow(row) == Role::Title ? m_layout.titleFontSize : m_layout.fontSize;
        m_needed = std::max(m_needed, std::min(shown.lines * lineHeight(points), kMaxRowHeight));
    }
    made.style = styleNumber(styleOf(m_sheet, row, column, cell, shown));
    if (cell && cell->kind == Cell::Kind::Text && !cell->text.isEmpty()) {
        made.kind = PartCell::Kind::Text;
        made.text = textNumber(cell->text);
    } else if (cell && cell->kind == Cell::Kind::Number) {
        made.kind = PartCell::Kind::Number;
        made.number = cell->number;
    }
    return made;
}

void SheetPreparer::fillTitle(PartRow& row)
{
    for (int column = 1; column <= m_sheet.columnCount(); ++column) {
        const auto at = std::lower_bound(row.cells.begin(), row.cells.end(), column, beforeColumn);
        if (at == row.cells.end() || at->column != column)
            row.cells.insert(at, made(row.row, column, nullptr));
    }
}

void SheetPreparer::mergeInto(PartRow& row, int first, int last)
{
    m_prepared.part.merges.push_back({row.row, first, last});
    const PartCell shown = made(row.row, first, m_sheet.cell(row.row, first));
    std::vector<PartCell> range{shown};
    for (int column = first + 1; column <= last; ++column) {
        PartCell blank;
        blank.column = column;
        blank.style = shown.style;
        range.push_back(blank);
    }
    const auto from = std::lower_bound(row.cells.begin(), row.cells.end(), first, beforeColumn);
    const auto to = std::lower_bound(from, row.cells.end(), last + 1, beforeColumn);
    row.cells.insert(row.cells.erase(from, to), range.begin(), range.end());
}

void SheetPreparer::setHeight(PartRow& row)
{
    double height = m_sheet.rowHeight(row.row);
    if (m_needed > kDefaultRowHeight)
        height = std::max(height, m_needed);
    if (height > 0) {
        row.height = wholePixels(height);
        m_prepared.rowHeights.emplace_hint(m_prepared.rowHeights.end(), row.row, row.height);
    }
}

void SheetPreparer::prepareRow(int r)
{
    PartRow& row = m_prepared.part.rows.emplace_back();
    row.row = r;
    m_needed = 0;
    for (; m_cell != m_sheet.cells().end() && m_cell->first.first == r; ++m_cell)
        row.cells.push_back(made(r, m_cell->first.second, &m_cell->second));
    if (r == 1)
        fillTitle(row);
    for (; m_merge != m_sheet.merges().end() && m_merge->first.first == r; ++m_merge)
        mergeInto(row, m_merge->first.second, m_merge->second);
    for (const PartCell& c : row.cells)
        m_prepared.textCells += c.kind == PartCell::Kind::Text ? 1 : 0;
    setHeight(row);
}

} // namespace

double lineHeight(double points)
{
    return points * kLineHeightPerPoint;
}

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

    const std::vector<int> rows = rowsOf(sheet);
    part.rows.reserve(rows.size());
    SheetPreparer preparer(sheet, layout, prepared);
    for (const int r : rows)
        preparer.prepareRow(r);
    return prepared;
}

} // namespace platform::xlsx
