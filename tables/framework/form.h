#pragma once
// A grid of cells laid out in a rectangle: every sheet page and the cover
// page are drawn as one form whose row heights and column widths are set
// page by page. The form owns its cells, merges ranges of cells into one,
// answers which cell lies under a point and draws itself: all backgrounds,
// then its outer border, then every cell. A row of height 0 or a column of
// width 0 is hidden: it takes no space and is neither drawn nor hit.

#include "tables/framework/cell.h"

#include "platform/gdi.h"
#include "platform/rect.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

namespace platform { class Dc; }
class CVes_ReferenceBase;
class CVes_SteelStartReference;

class CVes_Form {
public:
    CVes_Form();
    // Keeps both; the grid is laid out by resetCellRect or setRect.
    CVes_Form(platform::Dc* dc, const platform::Rect& rect);
    CVes_Form(const CVes_Form&) = delete;
    CVes_Form& operator=(const CVes_Form&) = delete;
    virtual ~CVes_Form();

    int GetRowCount() const { return m_rowCount; }
    int GetColumnCount() const { return m_columnCount; }
    void setCDC(platform::Dc* dc) { m_dc = dc; }
    platform::Dc* getCDC() const { return m_dc; }
    void setBorderWidth(int width) { m_borderWidth = width; }
    int getBorderWidth() const { return m_borderWidth; }
    void setBorder(int flag) { m_border = flag; }
    int getBorder() const { return m_border; }
    void setScale(double scale) { m_scale = scale; }
    double getScale() const { return m_scale; }

    // Layout.
    void setRect(const platform::Rect& rect);
    const platform::Rect& getRect() const { return m_rect; }
    void resetCellRect();
    void SetRowCount(int count);
    void SetColumnCount(int count);
    int GetRowHeight(int row) const;
    int GetColumnWidth(int column) const;
    // A height of 0 is refused; a width of 0 hides the column.
    int SetRowHeight(int row, int height);
    int SetColumnWidth(int column, int width);

    CVes_Cell* GetCell(int row, int column) const;
    // A new cell in an existing slot (replacing the one there), or null.
    CVes_Cell* CreateCell(int row, int column);
    // Empties the slot; cells the cell covered become ordinary cells.
    void DestroyCell(int row, int column);

    // Per-cell setters: 1 when a cell exists at (row, column), else 0.
    int setCellDrawBorder(int row, int column, int flag);
    int setCellDrawBk(int row, int column, int flag);
    int setCellBkColor(int row, int column, platform::COLORREF colour);
    int setCellTxtColor(int row, int column, platform::COLORREF colour);
    int setCellTxtAlign(int row, int column, unsigned align);
    int setCellTxtFont(int row, int column, const QString& fontName);
    int setCellTxtHigh(int row, int column, int height);
    int GetCellTxtHigh(int row, int column) const;
    // The offset is accepted and not used.
    int setCellText(int row, int column, const QString& text, unsigned align, int height,
                    QPoint offset, const QString& fontName);
    int AddCellString(int row, int column, const QString& text, unsigned align, int height,
                      QPoint offset);
    int AddCellLine(int row, int column, int x1, int y1, int x2, int y2, int width, int style);
    int ClearnCellLine(int row, int column);
    int setCellModel(int row, int column, CVes_ReferenceBase* model, unsigned align);
    int setCellSteelStart(int row, int column, CVes_SteelStartReference* start, unsigned align);
    int setCellForm(int row, int column, CVes_Form* form);
    int setTriCell(int row, int column, int flag);

    // Whole rows and columns; each answers 1.
    int setRowDrawBk(int row, int flag);
    int setColumnDrawBk(int column, int flag);
    int setRowBkColor(int row, platform::COLORREF colour);
    int setColumnBkColor(int column, platform::COLORREF colour);
    int setRowTxtColor(int row, platform::COLORREF colour);
    void setAllCellTxtHigh(int height);

    // Ranges, both corners inclusive.
    void setCellMerge(int merge, int r1, int c1, int r2, int c2);
    // A negative r2 (c2) means r1 (c1).
    void setCellHide(int hide, int r1, int c1, int r2, int c2);
    // Resets every cell for a new page: empty centred text of height 10, no
    // background, border on, no line segments, no merge. Colours, weight,
    // the diagonal flag, the start reference and the text runs stay.
    void clearnAllCell();
    // Lets the text of each cell of `row` that is wider than its cell run on
    // into the empty cells to its right, as many as it needs: a long note
    // spans the columns beside it instead of spilling over their rules.
    void spanWideTexts(platform::Dc* dc, int row);

    // The box of a cell (merging not applied), or the empty rectangle.
    platform::Rect GetCellRect(int row, int column) const;
    // The box of a whole row, every column's width together; the empty
    // rectangle for a row the form has not.
    platform::Rect rowBox(int row) const;
    // The box a cell is drawn in: a merge's head reaches to the end of its
    // range, a covered cell gives its head's; the empty rectangle for none.
    platform::Rect GetDrawnCellRect(int row, int column) const;
    // TRUE when a visible cell's box holds the point; the outputs become the
    // cell's row and column, or its head's when it is covered.
    int HitTest(QPoint point, int& row, int& column) const;

    void OnDraw(platform::Dc* dc);

private:
    template <typename Apply> int applyToCell(int row, int column, Apply apply);
    // Calls a cell setter with `value` on every cell of a row (forRow) or a
    // column (forColumn); answers TRUE.
    template <typename Setter, typename Value> int forRow(int row, Setter set, const Value& value);
    template <typename Setter, typename Value>
    int forColumn(int column, Setter set, const Value& value);
    // The box of every cell whose row and column have a size, row by row:
    // calls visit(row, column, box) until it answers true.
    template <typename Visit> void forEachCellBox(Visit visit) const;
    // The box each visible cell is drawn in, merges applied: calls
    // visit(cell, row, column, box) for every cell that is not covered.
    template <typename Visit> void forEachDrawnCell(Visit visit);
    // Widens `box`, the head's own, to the end of the head's merge.
    void extendToMerge(const CVes_Cell& head, platform::Rect& box) const;
    void appendRow();

    double m_scale = 1.0;
    platform::Dc* m_dc = nullptr;
    platform::Rect m_rect;
    int m_rowCount = 1;
    int m_columnCount = 1;
    int m_borderWidth = 2;
    std::vector<int> m_rowHeights;
    std::vector<int> m_columnWidths;
    int m_border = 1;
    std::vector<std::vector<std::unique_ptr<CVes_Cell>>> m_rows;
};
