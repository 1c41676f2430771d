#include "tables/framework/cell.h"

#include "core/geometry/curve.h"
#include "core/geometry/steeltext.h"
#include "core/geometry/text.h"
#include "core/model/referencebase.h"
#include "platform/dc.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace platform::gdi;
using platform::Rect;

namespace {

// -1 when the mapping turns y upwards (the vertical extents differ in sign).
int verticalSign(const platform::Dc& dc)
{
    const long long extents =
        (long long)dc.GetWindowExt().height() * dc.GetViewportExt().height();
    return extents < 0 ? -1 : 1;
}

platform::Pen borderPen(double scale)
{
    return platform::Pen(PS_SOLID, int(2 * scale), RGB(0, 0, 0));
}

// A shape's numbers are read as closely as the texts beside them: they are
// drawn at least this share of the cell's text height.
constexpr double kShapeTextShare = 0.75;

// A line of text keeps this much of its height clear on either side within
// its cell.
constexpr double kSideRoom = 0.2;

// The distance between the lines of n lines sharing a height: the lines
// share it with 0.3 of a step above the first and below the last.
int lineStep(int height, qsizetype n)
{
    return int(height / (n + 0.6));
}

bool isChinese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)
        || (u >= 0xFF00 && u <= 0xFFEF);
}

// Marks a line never begins with, and marks it never ends with.
bool closesText(QChar c)
{
    return QStringView(u"，。；：、）】》”’！？,.;:)]%").contains(c);
}

bool opensText(QChar c)
{
    return QStringView(u"（【《“‘([").contains(c);
}

// A text of nothing but rule characters ("━━━") draws a line across its
// cell: it keeps its height and is cut at the cell's edges.
bool isRule(const QString& text)
{
    bool any = false;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() < 0x2500 || c.unicode() > 0x257F)
            return false;
        any = true;
    }
    return any;
}

// The pieces a line may be broken between: each Chinese character, each run
// of other characters (numbers and words stay whole), a blank ending the
// piece before it; closing marks stay with what they close.
QStringList breakablePieces(const QString& line)
{
    QStringList pieces;
    QString piece;
    bool breakBefore = false;
    const auto flush = [&] {
        if (!piece.isEmpty() && !opensText(piece.back())) {
            pieces << piece;
            piece.clear();
        }
    };
    for (const QChar c : line) {
        if (closesText(c)) {
            piece += c;
            // After a Chinese mark, or a list's comma, a line may break; a
            // decimal point or a closing bracket keeps its number whole.
            breakBefore = isChinese(c) || c == u',' || c == u';';
            continue;
        }
        if (c.isSpace()) {
            piece += c;
            flush();
            breakBefore = false;
            continue;
        }
        if (isChinese(c) || breakBefore)
            flush();
        piece += c;
        breakBefore = isChinese(c);
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

} // namespace

CVes_Cell::CVes_Cell(int row, int column)
    : m_mergeRow(row), m_mergeColumn(column), m_row(row), m_column(column)
{
}

CVes_Cell::CVes_Cell(platform::Dc* dc, const Rect& rect) : m_rect(rect), m_dc(dc) {}

CVes_Cell::~CVes_Cell() = default;

void CVes_Cell::SetText(const QString& text, const QString& fontName)
{
    m_text = text;
    m_fontName = fontName;
    m_model = nullptr;
    m_form = nullptr;
}

void CVes_Cell::SetModel(CVes_ReferenceBase* model)
{
    m_model = model;
    m_start = nullptr;
    m_form = nullptr;
    m_text.clear();
}

void CVes_Cell::SetStart(CVes_SteelStartReference* start)
{
    m_start = start;
    m_model = nullptr;
    m_form = nullptr;
    m_text.clear();
}

void CVes_Cell::SetForm(CVes_Form* form)
{
    m_form = form;
    m_model = nullptr;
    m_start = nullptr;
    m_text.clear();
    m_drawBorder = 1;
}

void CVes_Cell::Merge(CVes_Cell* owner)
{
    m_merged = 1;
    m_owner = owner;
}

void CVes_Cell::unMerge()
{
    m_merged = 0;
    m_owner = nullptr;
    m_mergeRow = m_row;
    m_mergeColumn = m_column;
}

void CVes_Cell::SetMergeRang(int row, int column)
{
    m_mergeRow = row;
    m_mergeColumn = column;
}

int CVes_Cell::isMerging() const
{
    return (m_mergeColumn > m_column && m_mergeRow >= m_row)
        || (m_mergeRow > m_row && m_mergeColumn >= m_column);
}

Rect CVes_Cell::getRect() const
{
    // A head never lies inside its own range, so the chain ends; the bound
    // only guards against owners set by hand into a circle.
    const CVes_Cell* cell = this;
    for (int depth = 0; depth < 1024 && cell->m_merged && cell->m_owner; ++depth)
        cell = cell->m_owner;
    return cell->m_rect;
}

void CVes_Cell::setPosition(int row, int column)
{
    m_row = row;
    m_column = column;
    m_mergeRow = row;
    m_mergeColumn = column;
}

int CVes_Cell::AddString(const QString& text, QPoint offset, int height, unsigned align)
{
    m_strings.push_back(CellTextRun{text, offset, height, align});
    return int(m_strings.size()) - 1;
}

int CVes_Cell::AddLine(int x1, int y1, int x2, int y2, int width, int style)
{
    auto line = std::make_unique<CVes_Line>();
    line->m_P1.set(x1, y1);
    line->m_P2.set(x2, y2);
    line->m_lineWidth = width;
    line->m_lineStyle = unsigned(style);
    m_lines.push_back(std::move(line));
    return 1;
}

void CVes_Cell::DrawBk(platform::Dc* dc, int, int, const Rect& rect, int)
{
    if (!m_drawBk)
        return;
    dc->FillSolidRect(rect, m_bkColor);
    dc->SetBkColor(m_bkColor);
    dc->SetBkMode(TRANSPARENT);
}

void CVes_Cell::Draw(platform::Dc* dc, int, int, const Rect& rect, int)
{
    const int ySign = verticalSign(*dc);
    dc->SetBkMode(TRANSPARENT);
    m_rect = rect;
    Rect work = rect;

    if (m_drawBorder) {
        drawOutline(dc, work);
        work.DeflateRect(1, 1);
    }

    if (m_model)
        drawModel(dc, work, ySign);
    else if (!m_text.isEmpty())
        drawText(dc, work, ySign);

    for (const CellTextRun& run : m_strings) {
        const int saved = dc->SaveDC();
        writeText(dc, run.text, QPoint(work.left + run.offset.x(), work.top + run.offset.y()),
                  run.height, 0, run.align, m_fontName, 0, m_scale);
        dc->RestoreDC(saved);
    }
    for (const auto& line : m_lines)
        line->draw(dc, 1.0, work.left, work.top, RGB(0, 0, 0), 0, QPoint(0, 0), 1.0);
}

void CVes_Cell::drawOutline(platform::Dc* dc, const Rect& rect)
{
    const platform::Pen old = dc->SelectObject(borderPen(m_scale));
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.left, rect.bottom);
    dc->LineTo(rect.right, rect.bottom);
    dc->LineTo(rect.right, rect.top);
    dc->SelectObject(old);
}

void CVes_Cell::drawModel(platform::Dc* dc, const Rect& rect, int ySign)
{
    const int saved = dc->SaveDC();
    // A shape's numbers are legible and stay inside the cell, as its texts do;
    // to clear one another they may get smaller, down to the legible height.
    dc->IntersectClipRect(rect);
    // On a screen they start no smaller than a reader reads there, and get
    // smaller only to clear one another, down to the size they print at.
    const int start = std::max(legibleHeight(dc), int(kShapeTextShare * std::abs(m_txtHigh)));
    const ShapeTextFrame frame(start, rect, legibleHeight(nullptr));
    Rect box = rect;
    if (m_txtAlign == kAlignCentre) {
        // Keep the shape's proportions. A shape without an extent, or a cell
        // without an area, is drawn into the whole cell.
        int w = 0;
        int h = 0;
        m_model->getRecordExtend(w, h);
        const int width = rect.Width();
        const int height = rect.Height();
        if (w > 0 && h > 0 && width != 0 && height != 0) {
            const double m = double(h) / w;
            const double c = double(height) / width;
            const int cx = (rect.left + rect.right) / 2;
            const int cy = (rect.top + rect.bottom) / 2;
            if (m > c) {
                const int nw = int(height / m);
                box = Rect(int(cx - nw / 2.0), rect.top, int(cx + nw / 2.0), rect.bottom);
            } else if (m < c) {
                const int nh = int(width * m) * ySign;
                box = Rect(rect.left, int(cy - nh / 2.0), rect.right, int(cy + nh / 2.0));
            }
        }
    }
    // The shape takes the ratio, truncated, as whether to show its values: a
    // page drawn smaller than paper size (the screen at its opening zoom)
    // shows them as well, at the legible height the frame gives them.
    m_model->Draw(dc, RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), box.left, box.top, 0, &box, 0,
                  std::max(m_scale, 1.0));
    dc->RestoreDC(saved);
}

void CVes_Cell::drawText(platform::Dc* dc, const Rect& rect, int ySign)
{
    const int saved = dc->SaveDC();
    // What does not fit even at the legible height is cut at the cell's edge
    // rather than drawn over its neighbours.
    dc->IntersectClipRect(rect);
    const COLORREF oldColour = dc->SetTextColor(m_txtColor);
    if (m_triCell)
        drawDiagonalText(dc, rect);
    else
        drawLinesOfText(dc, rect, ySign);
    dc->SetTextColor(oldColour);
    dc->RestoreDC(saved);
}

void CVes_Cell::drawDiagonalText(platform::Dc* dc, const Rect& rect)
{
    const platform::Pen old = dc->SelectObject(borderPen(m_scale));
    dc->MoveTo(rect.right, rect.bottom);
    dc->LineTo(rect.left, rect.top);
    dc->SelectObject(old);

    const QStringList parts = m_text.split(u'|');
    if (parts.size() < 2)
        return;
    const int mid = rect.top + (rect.bottom - rect.top) / 2;
    writeText(dc, parts[0], QPoint(rect.left + 9 * (rect.right - rect.left) / 10, mid), m_txtHigh,
              0, TA_RIGHT | TA_BOTTOM, m_fontName, m_txtWeight, m_scale);
    writeText(dc, parts[1], QPoint(rect.left + m_txtHigh, mid), m_txtHigh, 0, TA_LEFT | TA_TOP,
              m_fontName, m_txtWeight, m_scale);
}

void CVes_Cell::drawLinesOfText(platform::Dc* dc, const Rect& rect, int ySign)
{
    dc->SetTextAlign(m_txtAlign);
    const TextLayout layout = layOutText(dc, rect);
    const int h = layout.height;
    const qsizetype n = layout.lines.size();
    int step = lineStep(rect.Height(), n);
    int first = int(0.8 * step);
    if (layout.spread) {
        const int sign = rect.Height() < 0 ? -1 : 1;
        step = sign * h;
        first = sign * ((std::abs(rect.Height()) - int(n) * h) / 2 + h / 2);
    }

    int x = rect.left;
    switch (m_txtAlign) {
    case kAlignCentre: x = rect.left + (rect.right - rect.left) / 2; break;
    case kAlignLeft: x = int(rect.left + kSideRoom * h); break;
    case kAlignRight: x = int(rect.left + (rect.right - rect.left) - kSideRoom * h); break;
    default: break;
    }
    for (qsizetype k = 0; k < n; ++k) {
        const int y = int(rect.top + first + k * step - ySign * h * 0.5);
        writeText(dc, layout.lines[k], QPoint(x, y), h, 0, m_txtAlign, m_fontName, m_txtWeight,
                  m_scale);
    }
}

int CVes_Cell::textWidth(platform::Dc* dc) const
{
    const int h = std::max(m_txtHigh, legibleHeight(dc));
    int widest = 0;
    for (const QString& line : m_text.split(u'\n'))
        widest = std::max(widest, writeTextWidth(dc, line, h, m_fontName, m_txtWeight, m_scale));
    return widest + int(std::ceil(2 * kSideRoom * h));
}

int CVes_Cell::legibleHeight(const platform::Dc* dc) const
{
    const double scale = std::isfinite(m_scale) ? std::abs(m_scale) : 1.0;
    const int onPaper = std::max(1, int(kLegibleTextHeight * std::min(scale, 1000.0)));
    return dc ? std::max(onPaper, screenLegibleHeight(*dc)) : onPaper;
}

CVes_Cell::TextLayout CVes_Cell::layOutText(platform::Dc* dc, const Rect& rect) const
{
    TextLayout layout{m_text.split(u'\n'), m_txtHigh};
    // 0 and below ask for the font's own default or character height.
    if (m_txtHigh <= 0 || !dc || isRule(m_text))
        return layout;
    const int legible = legibleHeight(dc);
    const int start = std::max(m_txtHigh, legible);
    const int width = std::abs(rect.Width());
    const int height = std::abs(rect.Height());

    const auto widest = [&](const QStringList& lines, int h) {
        int w = 0;
        for (const QString& line : lines)
            w = std::max(w, writeTextWidth(dc, line, h, m_fontName, m_txtWeight, m_scale));
        return w;
    };
    const auto room = [&](int h) { return width - int(std::ceil(2 * kSideRoom * h)); };
    // Every line that shows lies inside the rectangle and, when `apart`,
    // clear of the next line that shows: a single line may take the whole
    // height.
    const auto fitsHeight = [&](const QStringList& lines, int h, bool apart = true) {
        const int step = lineStep(height, lines.size());
        const int first = int(0.8 * step);
        int previous = -1;
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (lines[k].isEmpty())
                continue;
            const int top = int(first + k * step - h * 0.5);
            if (top < 0 || top + h > height)
                return false;
            if (apart && previous >= 0 && (k - previous) * step < h)
                return false;
            previous = int(k);
        }
        return true;
    };
    const auto fits = [&](const QStringList& lines, int h) {
        return fitsHeight(lines, h) && widest(lines, h) <= room(h);
    };
    // Lines that overlap at the usual spacing but fit the height each their
    // own height apart.
    const auto spreads = [&](const QStringList& lines, int h) {
        return lines.size() > 1 && lines.size() * h <= height && !fitsHeight(lines, h);
    };

    layout.height = start;
    if (fits(layout.lines, start))
        return layout;

    // As large as the lines fit as they are: text widths grow with the height.
    const int widestAtStart = widest(layout.lines, start);
    int h = std::min(start, height);
    if (widestAtStart > 0)
        h = std::min(h, int(width / (double(widestAtStart) / start + 2 * kSideRoom)));
    for (int tries = 0; tries < 64 && h >= legible && !fits(layout.lines, h); ++tries)
        h = std::min(h - 1, int(h * 0.95));
    if (h >= legible) {
        layout.height = h;
        return layout;
    }

    // Too small so: the lines wrap, at the largest height that then fits.
    const auto wrapped = [&](const QStringList& lines, int at) {
        QStringList out;
        for (const QString& line : lines) {
            QString current;
            for (const QString& piece : breakablePieces(line)) {
                const QString longer = current + piece;
                if (current.isEmpty()
                    || writeTextWidth(dc, longer.trimmed(), at, m_fontName, m_txtWeight, m_scale)
                           <= room(at)) {
                    current = longer;
                } else {
                    out << current.trimmed();
                    current = piece;
                }
            }
            out << current.trimmed();
        }
        return out;
    };
    // The largest height from the legible one up at which the lines fit,
    // wrapped; the legible one when none does.
    const auto largest = [&](const QStringList& lines) {
        int low = legible;
        int high = start;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (fits(wrapped(lines, mid), mid))
                low = mid;
            else
                high = mid - 1;
        }
        return low;
    };
    // A screen shows lines clear of one another or not at all: its legible
    // height may leave a small page's cells room for fewer lines than paper
    // does. Paper keeps the layout the sheets have always printed, where
    // lines that do not fit may come closer than their height.
    const bool screen = screenLegibleHeight(*dc) > 0;
    const auto fitsAtLast = [&](const QStringList& lines, int h) {
        return screen ? fits(lines, h) : fitsHeight(lines, h, false);
    };
    layout.height = largest(layout.lines);
    QStringList shown = wrapped(layout.lines, layout.height);
    // Lines that would still not fit at the legible height run on instead,
    // a space where they broke, when so they fit.
    if (layout.lines.size() > 1 && !fitsAtLast(shown, layout.height)) {
        const QStringList joined{layout.lines.join(u' ')};
        const int h = largest(joined);
        if (fitsAtLast(wrapped(joined, h), h)) {
            shown = wrapped(joined, h);
            layout.height = h;
        }
    }
    // Lines that would overprint go apart where the cell has room.
    if (spreads(shown, layout.height) && (!screen || widest(shown, layout.height) <= room(layout.height))) {
        layout.spread = true;
    } else if (screen && !fits(shown, layout.height)) {
        // What a screen can show no way at the legible height is cut: as
        // many lines as stay clear of one another, each as much as the
        // width takes, and a line that stops short of the text ends in "…".
        const int h = layout.height;
        qsizetype n = shown.size();
        while (n > 1 && !fitsHeight(shown.mid(0, n), h))
            --n;
        const bool dropped = n < shown.size();
        shown = shown.mid(0, n);
        for (qsizetype k = 0; k < n; ++k) {
            if (!(dropped && k + 1 == n) && widest({shown[k]}, h) <= room(h))
                continue;
            QString kept = shown[k];
            const auto cut = [&] { return kept + QStringLiteral("…"); };
            while (!kept.isEmpty() && (kept.endsWith(u'%') || widest({cut()}, h) > room(h)))
                kept.chop(1);
            shown[k] = cut();
        }
    }
    layout.lines = std::move(shown);
    return layout;
}
