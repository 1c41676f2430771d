#pragma once
// Spreadsheet workbooks for the table exports. A workbook is made from a
// template (workbooktemplate.h), filled cell by cell in any order, and then
// written as one .xlsx file and opened with the desktop's spreadsheet program.
//
// Rows and columns are 1-based as the spreadsheet counts them (row 1, column
// 1 is "A1"). Everything is kept in memory until the save, so cells can be
// written, read back (the template's captions of row 5, for example) and
// bordered in any order. Line breaks in a text ("\n", "\r\n" or a lone "\r")
// become line breaks inside the cell, which then wraps.

#include "platform/xlsx/workbooktemplate.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringView>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace platform::xlsx {

// The spreadsheet's sheet size and the longest text a cell holds.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
inline constexpr int kMaxTextLength = 32767;

// The height of one line of text of a font of `points` points, in points,
// as the spreadsheet programs set Chinese faces: a row of n lines is at
// least n times this high.
double lineHeight(double points);

// The message the exports show when no workbook could be made or shown.
QString createFailedText();

struct CellRef {
    int row = 0;
    int column = 0;
    bool isValid() const { return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns; }
    bool operator==(const CellRef&) const = default;
};

// "K12" → row 12, column 11 (letters in either case); anything else, or a
// cell outside the sheet, gives an invalid reference.
CellRef parseCell(QStringView name);
// 1 → "A", 27 → "AA"; empty for a column outside the sheet.
QString columnName(int column);
// (12, 11) → "K12"; empty for a cell outside the sheet.
QString cellName(int row, int column);

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

// The PNG files of `images`, in their order, as a workbook stores them (at
// 96 dpi; an image of few colours with a palette of exactly its colours).
// Encoded side by side on up to `threads` threads, 0 for one a core but
// one: the bytes are the same whatever the number. Empty for an image that
// cannot be encoded.
std::vector<QByteArray> encodePictures(const std::vector<QImage>& images, int threads = 0);

// The pictures of a workbook, each kept once. A picture given with a key
// is drawn only when no picture of the same key is kept yet (pictures made
// from equal data look alike). They are encoded in batches, on every core
// but one, when a batch is full or their bytes are first asked for, while
// the sheets go on being filled; a drawing that may be made on another
// thread is made there too.
class PictureStore {
public:
    // The index of the picture kept for `key`, drawn by `draw` when new; -1
    // when the drawing gives nothing.
    int add(const QByteArray& key, const std::function<QImage()>& draw);
    // The same for a drawing of `size` pixels made later, on any thread,
    // beside the others: `draw` owns whatever it draws from. -1 for an
    // empty size.
    int addLater(const QByteArray& key, QSize size, std::function<QImage()> draw);
    // A picture kept for one cell alone; -1 for a null image.
    int add(const QImage& image);
    // The picture's size: as drawn once its bytes were asked for.
    QSize size(int index) const { return m_sizes.at(std::size_t(index)); }
    // The stored bytes of the picture (empty when it could not be drawn or
    // encoded).
    const QByteArray& png(int index);

private:
    int waiting(QSize size, std::function<QImage()> draw);
    // Takes the bytes of the oldest batch being encoded, if any.
    void finishBatch();
    // Sends the waiting pictures off to be encoded while drawing goes on.
    void startBatch();

    std::map<QByteArray, int> m_keys;
    std::vector<QSize> m_sizes;
    std::vector<QByteArray> m_png;
    // Not sent to be encoded yet: the last of m_png.
    std::vector<std::function<QImage()>> m_waiting;
    std::size_t m_encoded = 0; // m_png holds the bytes of this many
    // Batches being encoded, oldest first; their bytes are taken in turn.
    std::deque<std::future<std::vector<std::pair<QSize, QByteArray>>>> m_batches;
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
    Cell* writable(int row, int column);
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

class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Replaces the sheets by those of the template; the first becomes active.
    void setTemplate(const WorkbookTemplate& layout);
    // Loads the template description file; false with a reason when it is
    // missing or damaged (the workbook then stays as it was).
    bool loadTemplate(const QString& path, QString* error = nullptr);
    // The export's first step: the template `name` ("pld.xlt", "jgd", …) of
    // the data folder. When it cannot be read the user is shown
    // `failureText` and the answer is false.
    bool openTemplate(const QString& name, const QString& failureText = createFailedText());

    const WorkbookTemplate& layout() const { return m_layout; }
    int sheetCount() const { return int(m_sheets.size()); }
    Worksheet& sheetAt(int index) { return *m_sheets.at(std::size_t(index)); }
    const Worksheet& sheetAt(int index) const { return *m_sheets.at(std::size_t(index)); }
    // The sheet of that name; null when the workbook has none.
    Worksheet* sheet(QStringView name);
    // Appends a sheet; null when the name is invalid or taken.
    Worksheet* addSheet(const SheetTemplate& layout);

    // The sheet shown when the workbook is opened.
    bool activate(QStringView name);
    void activate(const Worksheet& sheet);
    const Worksheet* activeSheet() const;

    // Writes the workbook to `path`: built beside in a temporary file and put
    // in place only when complete, so a failure leaves no file and never
    // damages an older one.
    bool save(const QString& path, QString* error = nullptr) const;
    // Asks the user where to save the workbook, proposing a name made of
    // the exported document's and `baseName` (ExportDocument), saves it
    // there and opens it with the desktop's spreadsheet program. The user
    // is told where it went, and when no program opened it. Answers the
    // file's path; empty when the user cancelled or the save failed (then
    // he is shown why).
    QString show(const QString& baseName) const;

private:
    WorkbookTemplate m_layout;
    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    std::shared_ptr<PictureStore> m_pictures;
    int m_active = 0;
};

// While one lives, the workbooks exported on this thread are proposed
// beside `documentPath`, the file of the document whose sheet is exported,
// and named after it.
class ExportDocument {
public:
    explicit ExportDocument(const QString& documentPath);
    ~ExportDocument();
    ExportDocument(const ExportDocument&) = delete;
    ExportDocument& operator=(const ExportDocument&) = delete;
    // The document of the innermost one alive; empty without.
    static QString current();

private:
    QString m_previous;
};

} // namespace platform::xlsx
