#pragma once
// One cell of a form of cells: where the texts, rules and bar shapes of every
// sheet page reach the drawing context. A cell has its own appearance, one
// main content (a text, or a bar shape fitted into the cell), freely placed
// text runs and line segments, and the merge state that lets one cell cover
// a range of cells. Coordinates and heights are logical units of the context
// the cell is drawn into.

#include "core/geometry/curve.h"
#include "platform/gdi.h"
#include "platform/rect.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform { class Dc; }
class CVes_Form;
class CVes_ReferenceBase;
class CVes_SteelStartReference;

// A text placed freely in a cell, at an offset from the top-left corner of
// the cell's working rectangle.
struct CellTextRun {
    QString text;
    QPoint offset;
    int height = 0;
    unsigned align = 0;
};

class CVes_Cell {
public:
    // Text alignments (the platform's text-align flags).
    static constexpr unsigned kAlignLeft = 0;
    static constexpr unsigned kAlignRight = 2;
    static constexpr unsigned kAlignCentre = 6;
    // The smallest text a reader reads on paper, in 0.1 mm: a main text that
    // does not fit its cell shrinks down to this (times the cell's scale),
    // then wraps, and only what still does not fit is cut at the cell's edge.
    static constexpr int kLegibleTextHeight = 20;

    CVes_Cell(int row, int column);
    // Keeps the context and the rectangle; the form sets the position.
    CVes_Cell(platform::Dc* dc, const platform::Rect& rect);
    CVes_Cell(const CVes_Cell&) = delete;
    CVes_Cell& operator=(const CVes_Cell&) = delete;
    virtual ~CVes_Cell();

    void SetDrawBorder(int flag) { m_drawBorder = flag; }
    void SetDrawBk(int flag) { m_drawBk = flag; }
    void setFont(const QString& name) { m_fontName = name; }
    void setbkColor(platform::COLORREF colour) { m_bkColor = colour; }
    void setTxtColor(platform::COLORREF colour) { m_txtColor = colour; }
    void setTxtWeight(int weight) { m_txtWeight = weight; }
    void setTextAligh(unsigned align) { m_txtAlign = align; }
    void setTxtHigh(int height) { m_txtHigh = height; }
    int getTxtHigh() const { return m_txtHigh; }
    // The legible minimum at the cell's scale, in logical units of `dc`; on
    // a screen no smaller than a reader reads there, whatever the page's
    // size in the window.
    int legibleHeight(const platform::Dc* = nullptr) const;
    void setTriCell(int flag) { m_triCell = flag; }
    void setScale(double scale) { m_scale = scale; }
    double getScale() const { return m_scale; }

    // Each main content clears the others.
    void SetText(const QString& text, const QString& fontName); // keeps the start reference
    void SetModel(CVes_ReferenceBase* model);
    void SetStart(CVes_SteelStartReference* start);
    void SetForm(CVes_Form* form); // also switches the border on

    void Merge(CVes_Cell* owner);
    // Also forgets the head.
    void unMerge();
    int isMerged() const { return m_merged; }
    void SetMergeRang(int row, int column);
    // Whether the cell heads a range of more than itself.
    int isMerging() const;
    CVes_Cell* getMergeCell() const { return m_owner; }
    // The head's rectangle for a covered cell, else the box last drawn into.
    platform::Rect getRect() const;
    // The box the cell would have been drawn in, for a drawing that leaves
    // it out.
    void setDrawnRect(const platform::Rect& rect) { m_rect = rect; }

    int AddString(const QString& text, QPoint offset, int height, unsigned align);
    int AddLine(int x1, int y1, int x2, int y2, int width, int style);
    void clearnStrArray() { m_strings.clear(); }
    void clearnLineArray() { m_lines.clear(); }

    // Row, column and flag are accepted and not used.
    void DrawBk(platform::Dc* dc, int row, int column, const platform::Rect& rect, int flag);
    void Draw(platform::Dc* dc, int row, int column, const platform::Rect& rect, int flag);

    // The lines the main text is drawn in and their height: the text as
    // set when it fits the rectangle; else as large as it fits, down to the
    // legible height, and wrapped when it fits no other way. Lines at the
    // legible height that the usual spacing would lay over one another go
    // their own height apart, centred, where the cell has room for them so.
    struct TextLayout {
        QStringList lines;
        int height = 0;
        bool spread = false;
    };
    TextLayout layOutText(platform::Dc* dc, const platform::Rect& rect) const;
    // The width the main text takes on one line at its own height, with the
    // room kept on either side of it.
    int textWidth(platform::Dc* dc) const;
    // Neither text, shape, start style nor a form of its own: a cell a
    // neighbour's text may run on into. A new cell's form is the form that
    // made it, `owner`, which puts nothing in it.
    bool isEmpty(const CVes_Form* owner = nullptr) const
    {
        return m_text.isEmpty() && !m_model && !m_start && (!m_form || m_form == owner);
    }

    int row() const { return m_row; }
    int column() const { return m_column; }
    void setPosition(int row, int column);
    int mergeEndRow() const { return m_mergeRow; }
    int mergeEndColumn() const { return m_mergeColumn; }
    int drawsBorder() const { return m_drawBorder; }
    int drawsBackground() const { return m_drawBk; }
    int isTriCell() const { return m_triCell; }
    const QString& text() const { return m_text; }
    const QString& fontName() const { return m_fontName; }
    unsigned textAlign() const { return m_txtAlign; }
    int textWeight() const { return m_txtWeight; }
    platform::COLORREF backgroundColor() const { return m_bkColor; }
    platform::COLORREF textColor() const { return m_txtColor; }
    CVes_ReferenceBase* model() const { return m_model; }
    CVes_SteelStartReference* startReference() const { return m_start; }
    CVes_Form* form() const { return m_form; }
    platform::Dc* dc() const { return m_dc; }
    const std::vector<CellTextRun>& textRuns() const { return m_strings; }
    const std::vector<std::unique_ptr<CVes_Line>>& lines() const { return m_lines; }

private:
    void drawOutline(platform::Dc* dc, const platform::Rect& rect);
    void drawModel(platform::Dc* dc, const platform::Rect& rect, int ySign);
    void drawText(platform::Dc* dc, const platform::Rect& rect, int ySign);
    void drawDiagonalText(platform::Dc* dc, const platform::Rect& rect);
    void drawLinesOfText(platform::Dc* dc, const platform::Rect& rect, int ySign);

    platform::Rect m_rect;
    double m_scale = 1.0;
    int m_mergeRow = 0;
    int m_mergeColumn = 0;
    int m_row = 0;
    int m_column = 0;
    platform::Dc* m_dc = nullptr;
    int m_merged = 0;
    CVes_Cell* m_owner = nullptr;
    int m_drawBorder = 1;
    int m_drawBk = 0;
    int m_txtHigh = 10;
    int m_txtWeight = 0;
    QString m_fontName;
    unsigned m_txtAlign = kAlignCentre;
    int m_triCell = 0;
    platform::COLORREF m_bkColor = platform::RGB(166, 202, 240);
    platform::COLORREF m_txtColor = platform::RGB(0, 0, 0);
    QString m_text;
    CVes_ReferenceBase* m_model = nullptr;
    CVes_SteelStartReference* m_start = nullptr;
    CVes_Form* m_form = nullptr;
    std::vector<CellTextRun> m_strings;
    std::vector<std::unique_ptr<CVes_Line>> m_lines;
};
