#pragma once
// A sheet of a workbook as the exports fill it: its cells, borders, merged
// ranges, pictures and row heights, kept in memory until the workbook is
// saved. Rows and columns are 1-based as the spreadsheet counts them. Line
// breaks in a text ("\n", "\r\n" or a lone "\r") become line breaks inside
// the cell, which then wraps.

#include "platform/xlsx/cellnames.h"
#include "platform/xlsx/pictures.h"
#include "platform/xlsx/workbooktemplate.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringView>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace platform::xlsx {

struct Cell {
    enum class Kind { Blank, Text, Number };
    Kind kind = Kind::Blank;
    QString text;
    double number = 0;
    // The decimals a number shows ("0.000" shows 3); -1 for as many as it has.
    int decimals = -1;
    bool bordered = false;
};

struct Picture {
    int row = 0;
    int column = 0;
    // Offset of the picture's top-left corner from the cell's, in points.
    double left = 0;
    double top = 0;
    QSize size;     // pixels
    QByteArray png; // the picture as stored in the workbook
    int stored = -1; // its place among the workbook's pictures, one each
};

class Worksheet {
public:
    // A sheet of its own; the sheets of a workbook share its pictures.
    explicit Worksheet(SheetTemplate layout, std::shared_ptr<PictureStore> pictures = {});

    const QString& name() const { return m_layout.name; }
    const SheetTemplate& layout() const { return m_layout; }
    // The number of columns of the template (the last captioned column).
    int columnCount() const { return int(m_layout.columns.size()); }

    // Writing answers false, and changes nothing, for a cell outside the
    // sheet. A text longer than the spreadsheet allows is cut.
    bool setText(int row, int column, const QString& text);
    bool setText(QStringView cell, const QString& text);
    // A number shown with `decimals` decimals, or as many as it has for -1.
    bool setNumber(int row, int column, double value, int decimals = -1);
    bool setNumber(QStringView cell, double value, int decimals = -1);
    // A value as a page shows it: a plain decimal number ("831.600", "12",
    // "-0.5") is written as that number showing as many decimals, so that a
    // spreadsheet counts with it and shows it as the page does; any other
    // text ("5支/组\n共9组", "2000～3000", "5根", "007") is written as text.
    bool setValue(int row, int column, const QString& shown);
    // Empties the cell (its border stays).
    bool clear(int row, int column);

    // The cell's text (a number as it shows: with its decimals, else in its
    // shortest form); empty for a blank cell.
    QString text(int row, int column) const;
    QString text(QStringView cell) const;
    // Null for a cell never written nor bordered.
    const Cell* cell(int row, int column) const;

    // Thin continuous borders around every cell of the range (corners in
    // either order).
    bool setBorders(int firstRow, int firstColumn, int lastRow, int lastColumn);
    bool setBorders(QStringView firstCell, QStringView lastCell);

    // A picture whose top-left corner lies `left` and `top` points right of
    // and below the cell's. The file may be anything the program reads
    // (PNG, BMP, …); it is read at once and may be deleted afterwards. The
    // row grows to hold the picture. Answers false for an unreadable picture
    // or a cell outside the sheet, leaving the sheet as it was.
    bool insertPicture(int row, int column, const QImage& image, double left = 0, double top = 0);
    bool insertPicture(int row, int column, const QString& file, double left = 0, double top = 0);
    bool insertPicture(QStringView cell, const QString& file, double left = 0, double top = 0);
    // The picture `draw` makes, drawn only when the workbook has no picture
    // of the same `key` yet (pictures made from equal data look alike):
    // otherwise the one made before is shown again as it is stored.
    bool insertPicture(int row, int column, const QByteArray& key,
                       const std::function<QImage()>& draw, double left = 0, double top = 0);
    // The same for a drawing of `size` pixels that may be made later, on
    // another thread: `draw` owns whatever it draws from. A drawing that
    // gives nothing leaves the cell without a picture.
    bool insertPicture(int row, int column, const QByteArray& key, QSize size,
                       std::function<QImage()> draw, double left = 0, double top = 0);
    // The pictures in the order they were inserted, with their bytes.
    const std::vector<Picture>& pictures() const;

    // One cell over the columns `firstColumn` to `lastColumn` of the row:
    // the first cell's text and look span them all. Answers false, and
    // changes nothing, for a range outside the sheet or one that overlaps
    // a range already merged.
    bool merge(int row, int firstColumn, int lastColumn);
    // Where a cell lies in a merged range, the range's last column; else
    // its own column.
    int mergedTo(int row, int column) const;
    // How the text of `cell`, found at (row, column) or null for none, shows:
    // whether it wraps (it holds line breaks, or it is wider than its cell or
    // merged range and has no blank cell of the table to run on into), and
    // the lines it takes as the spreadsheet shows it. A number cannot wrap:
    // one wider than its cell shrinks to fit it.
    struct TextLines {
        bool wraps = false;
        bool shrinks = false;
        int lines = 0;
    };
    TextLines textLines(int row, int column, const Cell* cell) const;
    // Lets the text of the cell run on over the blank cells to its right,
    // up to `lastColumn`, as far as it needs (by the template's widths): a
    // long note reads whole instead of cut at its narrow column's edges.
    void spanWideText(int row, int column, int lastColumn);

    // Row height in points; 0 returns the row to its automatic height.
    bool setRowHeight(int row, double points);
    double rowHeight(int row) const;
    const std::map<int, double>& rowHeights() const { return m_rowHeights; }

    // The selected cell, shown when the sheet is opened (A1 until set).
    bool select(QStringView cell);
    CellRef selection() const { return m_selection; }

    // The cells in row order, for the writer and for tests.
    const std::map<std::pair<int, int>, Cell>& cells() const { return m_cells; }
    const std::map<std::pair<int, int>, int>& merges() const { return m_merges; }

private:
    // Gives the cell its kind, text, number and decimals; its border stays.
    // False, changing nothing, for a cell outside the sheet.
    bool write(int row, int column, Cell::Kind kind, QString text, double number, int decimals);
    bool place(int row, int column, int stored, double left, double top);
    bool isBlank(int row, int column) const;
    // The template's width of the columns, in its character units.
    double widthOf(int firstColumn, int lastColumn) const;

    SheetTemplate m_layout;
    std::shared_ptr<PictureStore> m_store;
    std::map<std::pair<int, int>, Cell> m_cells;
    std::map<int, double> m_rowHeights;
    // Each picture's index in the store; its bytes are taken when asked for.
    mutable std::vector<Picture> m_pictures;
    std::vector<int> m_stored;
    mutable std::size_t m_withBytes = 0;
    std::map<std::pair<int, int>, int> m_merges; // (row, first column) → last column
    CellRef m_selection{1, 1};
};

} // namespace platform::xlsx
