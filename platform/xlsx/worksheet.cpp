#include "platform/xlsx/worksheet.h"

#include "platform/xlsx/celltext.h"
#include "platform/xlsx/sheetunits.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace platform::xlsx {

namespace {

// A bordered range larger than this is refused rather than filling memory.
constexpr qint64 kMaxBorderedCells = qint64(1) << 22;

bool validOffsets(int row, int column, double left, double top)
{
    return CellRef{row, column}.isValid() && std::isfinite(left) && std::isfinite(top);
}

} // namespace

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

bool Worksheet::write(int row, int column, Cell::Kind kind, QString text, double number, int decimals)
{
    if (!CellRef{row, column}.isValid())
        return false;
    Cell& cell = m_cells[{row, column}];
    cell.kind = kind;
    cell.text = std::move(text);
    cell.number = number;
    cell.decimals = decimals;
    return true;
}

bool Worksheet::setText(int row, int column, const QString& text)
{
    return write(row, column, Cell::Kind::Text, normalisedText(text), 0, -1);
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
    return write(row, column, Cell::Kind::Number, QString(), value, decimals);
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
    return write(row, column, Cell::Kind::Blank, QString(), 0, -1);
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

// Pictures

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

} // namespace platform::xlsx
