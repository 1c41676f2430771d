// The worksheet parts, with their cells, and the shared strings part, as
// the spreadsheet library would write them.

#include "platform/xlsx/package.h"

#include "platform/xlsx/sheetunits.h"
#include "platform/xlsx/xmltext.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace platform::xlsx {

namespace {

// The rows are told the columns they use a block of this many at a time.
constexpr int kRowsPerSpan = 16;

// The width of a column as the part stores it: its pixels in characters of
// seven pixels, to a 256th below.
double storedWidth(double width)
{
    if (!(width > 0))
        return 0;
    return std::floor(double(widthPixels(width)) / 7 * 256) / 256;
}

// The range the rows and cells take ("A1" for an empty sheet).
void appendDimension(QByteArray& xml, const SheetPart& sheet)
{
    if (sheet.rows.empty()) {
        xml += "A1";
        return;
    }
    int firstColumn = INT_MAX;
    int lastColumn = 0;
    for (const PartRow& row : sheet.rows) {
        if (!row.cells.empty()) {
            firstColumn = std::min(firstColumn, row.cells.front().column);
            lastColumn = std::max(lastColumn, row.cells.back().column);
        }
    }
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

void appendSheetView(QByteArray& xml, const SheetPart& sheet)
{
    xml += "<sheetViews><sheetView ";
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
    xml += "</sheetViews>";
}

void appendColumns(QByteArray& xml, const std::vector<double>& widths)
{
    if (widths.empty())
        return;
    xml += "<cols>";
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const double width = widths[i];
        xml += "<col min=\"" + digits(i + 1) + "\" max=\"" + digits(i + 1) + "\" width=\"";
        appendDouble(xml, storedWidth(width));
        xml += width == kDefaultColumnWidth ? "\"/>" : "\" customWidth=\"1\"/>";
    }
    xml += "</cols>";
}

// The columns the block of rows from `r` on uses, as each of its rows tells
// them.
QByteArray spansFrom(const std::vector<PartRow>& rows, std::size_t r)
{
    const int block = (rows[r].row - 1) / kRowsPerSpan;
    int from = INT_MAX;
    int to = 0;
    for (std::size_t b = r; b < rows.size() && (rows[b].row - 1) / kRowsPerSpan == block; ++b) {
        if (rows[b].cells.empty())
            continue;
        from = std::min(from, rows[b].cells.front().column);
        to = std::max(to, rows[b].cells.back().column);
    }
    return " spans=\"" + digits(std::uint64_t(from)) + ':' + digits(std::uint64_t(to)) + '"';
}

void appendCell(QByteArray& xml, int row, const PartCell& cell, const std::vector<int>& sharedText,
                const std::vector<int>& styleIndex)
{
    xml += "<c r=\"";
    appendCellName(xml, row, cell.column);
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

void appendRows(QByteArray& xml, const SheetPart& sheet, const std::vector<int>& sharedText,
                const std::vector<int>& styleIndex)
{
    if (sheet.rows.empty()) {
        xml += "<sheetData/>";
        return;
    }
    xml += "<sheetData>";
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
                spans = spansFrom(sheet.rows, r);
            }
            xml += spans;
        }
        if (row.height > 0 && row.height != kDefaultRowHeight) {
            xml += " ht=\"";
            appendDouble(xml, row.height);
            xml += "\" customHeight=\"1\"";
        }
        if (row.cells.empty()) {
            xml += "/>";
            continue;
        }
        xml += '>';
        for (const PartCell& cell : row.cells)
            appendCell(xml, row.row, cell, sharedText, styleIndex);
        xml += "</row>";
    }
    xml += "</sheetData>";
}

void appendMerges(QByteArray& xml, const std::vector<PartMerge>& merges)
{
    if (merges.empty())
        return;
    xml += "<mergeCells count=\"" + digits(merges.size()) + "\">";
    for (const PartMerge& merge : merges) {
        xml += "<mergeCell ref=\"";
        appendCellName(xml, merge.row, merge.firstColumn);
        xml += ':';
        appendCellName(xml, merge.row, merge.lastColumn);
        xml += "\"/>";
    }
    xml += "</mergeCells>";
}

// The margins, the paper (A4), fitted to the page's width, and the drawing
// the sheet shows.
void appendPageSetup(QByteArray& xml, const SheetPart& sheet)
{
    xml += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
           "footer=\"0.3\"/><pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"";
    xml += sheet.landscape ? "landscape" : "portrait";
    xml += "\"/>";
    if (sheet.drawing)
        xml += "<drawing r:id=\"rId1\"/>";
}

} // namespace

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
    appendDimension(xml, sheet);
    xml += "\"/>";
    appendSheetView(xml, sheet);
    xml += "<sheetFormatPr defaultRowHeight=\"15\"/>";
    appendColumns(xml, sheet.columnWidths);
    appendRows(xml, sheet, sharedText, styleIndex);
    appendMerges(xml, sheet.merges);
    appendPageSetup(xml, sheet);
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

} // namespace platform::xlsx
