#include "tables/framework/form.h"

#include "platform/dc.h"
#include "platform/saturate.h"

#include <algorithm>

using namespace platform::gdi;
using platform::Rect;

CVes_Form::CVes_Form() : m_rowHeights(1, 0), m_columnWidths(1, 0)
{
    appendRow();
}

CVes_Form::CVes_Form(platform::Dc* dc, const Rect& rect) : CVes_Form()
{
    m_dc = dc;
    m_rect = rect;
}

CVes_Form::~CVes_Form() = default;

void CVes_Form::appendRow()
{
    const int row = int(m_rows.size());
    m_rows.emplace_back();
    for (int c = 0; c < m_columnCount; ++c)
        m_rows.back().emplace_back();
    for (int c = 0; c < m_columnCount; ++c)
        CreateCell(row, c);
}

void CVes_Form::setRect(const Rect& rect)
{
    m_rect = rect;
    resetCellRect();
}

void CVes_Form::resetCellRect()
{
    const int height = (m_rect.bottom - m_rect.top) / m_rowCount;
    const int width = (m_rect.right - m_rect.left) / m_columnCount;
    m_rowHeights.assign(size_t(m_rowCount), height);
    m_columnWidths.assign(size_t(m_columnCount), width);
}

void CVes_Form::SetRowCount(int count)
{
    if (count == m_rowCount || count < 1)
        return;
    m_rowHeights.assign(size_t(count), (m_rect.bottom - m_rect.top) / count);
    while (int(m_rows.size()) > count)
        m_rows.pop_back();
    while (int(m_rows.size()) < count)
        appendRow();
    m_rowCount = count;
}

void CVes_Form::SetColumnCount(int count)
{
    if (count == m_columnCount || count < 1)
        return;
    m_columnWidths.assign(size_t(count), (m_rect.right - m_rect.left) / count);
    const int old = m_columnCount;
    m_columnCount = count;
    for (int r = 0; r < int(m_rows.size()); ++r) {
        auto& cells = m_rows[size_t(r)];
        cells.resize(size_t(count));
        for (int c = old; c < count; ++c)
            CreateCell(r, c);
    }
}

int CVes_Form::GetRowHeight(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rowHeights[size_t(row)] : -1;
}

int CVes_Form::GetColumnWidth(int column) const
{
    return column >= 0 && column < m_columnCount ? m_columnWidths[size_t(column)] : -1;
}

int CVes_Form::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rowCount || height == 0)
        return 0;
    m_rowHeights[size_t(row)] = height;
    return 1;
}

int CVes_Form::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= m_columnCount || width < 0)
        return 0;
    m_columnWidths[size_t(column)] = width;
    return 1;
}

CVes_Cell* CVes_Form::GetCell(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0
        || column >= int(m_rows[size_t(row)].size()))
        return nullptr;
    return m_rows[size_t(row)][size_t(column)].get();
}

CVes_Cell* CVes_Form::CreateCell(int row, int column)
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0
        || column >= int(m_rows[size_t(row)].size()))
        return nullptr;
    DestroyCell(row, column);
    auto cell = std::make_unique<CVes_Cell>(row, column);
    cell->SetForm(this);
    m_rows[size_t(row)][size_t(column)] = std::move(cell);
    return GetCell(row, column);
}

void CVes_Form::DestroyCell(int row, int column)
{
    CVes_Cell* dying = GetCell(row, column);
    if (!dying)
        return;
    // Cells it covered become ordinary cells rather than keep a freed head.
    for (auto& cells : m_rows)
        for (auto& cell : cells)
            if (cell && cell->getMergeCell() == dying)
                cell->unMerge();
    m_rows[size_t(row)][size_t(column)].reset();
}

template <typename Apply> int CVes_Form::applyToCell(int row, int column, Apply apply)
{
    CVes_Cell* cell = GetCell(row, column);
    if (!cell)
        return 0;
    apply(*cell);
    return 1;
}

int CVes_Form::setCellDrawBorder(int row, int column, int flag)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.SetDrawBorder(flag); });
}

int CVes_Form::setCellDrawBk(int row, int column, int flag)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.SetDrawBk(flag); });
}

int CVes_Form::setCellBkColor(int row, int column, COLORREF colour)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setbkColor(colour); });
}

int CVes_Form::setCellTxtColor(int row, int column, COLORREF colour)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setTxtColor(colour); });
}

int CVes_Form::setCellTxtAlign(int row, int column, unsigned align)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setTextAligh(align); });
}

int CVes_Form::setCellTxtFont(int row, int column, const QString& fontName)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setFont(fontName); });
}

int CVes_Form::setCellTxtHigh(int row, int column, int height)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setTxtHigh(height); });
}

int CVes_Form::GetCellTxtHigh(int row, int column) const
{
    const CVes_Cell* cell = GetCell(row, column);
    return cell ? cell->getTxtHigh() : 0;
}

int CVes_Form::setCellText(int row, int column, const QString& text, unsigned align, int height,
                           QPoint, const QString& fontName)
{
    return applyToCell(row, column, [&](CVes_Cell& c) {
        c.SetText(text, fontName);
        c.setTxtHigh(height);
        c.setTextAligh(align);
    });
}

int CVes_Form::AddCellString(int row, int column, const QString& text, unsigned align, int height,
                             QPoint offset)
{
    return applyToCell(row, column,
                       [&](CVes_Cell& c) { c.AddString(text, offset, height, align); });
}

int CVes_Form::AddCellLine(int row, int column, int x1, int y1, int x2, int y2, int width,
                           int style)
{
    return applyToCell(row, column,
                       [&](CVes_Cell& c) { c.AddLine(x1, y1, x2, y2, width, style); });
}

int CVes_Form::ClearnCellLine(int row, int column)
{
    return applyToCell(row, column, [](CVes_Cell& c) { c.clearnLineArray(); });
}

int CVes_Form::setCellModel(int row, int column, CVes_ReferenceBase* model, unsigned align)
{
    return applyToCell(row, column, [&](CVes_Cell& c) {
        c.SetModel(model);
        c.setTextAligh(align);
    });
}

int CVes_Form::setCellSteelStart(int row, int column, CVes_SteelStartReference* start,
                                 unsigned align)
{
    return applyToCell(row, column, [&](CVes_Cell& c) {
        c.SetStart(start);
        c.setTextAligh(align);
    });
}

int CVes_Form::setCellForm(int row, int column, CVes_Form* form)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.SetForm(form); });
}

int CVes_Form::setTriCell(int row, int column, int flag)
{
    return applyToCell(row, column, [&](CVes_Cell& c) { c.setTriCell(flag); });
}

template <typename Setter, typename Value>
int CVes_Form::forRow(int row, Setter set, const Value& value)
{
    for (int c = 0; c < m_columnCount; ++c)
        (this->*set)(row, c, value);
    return 1;
}

template <typename Setter, typename Value>
int CVes_Form::forColumn(int column, Setter set, const Value& value)
{
    for (int r = 0; r < m_rowCount; ++r)
        (this->*set)(r, column, value);
    return 1;
}

int CVes_Form::setRowDrawBk(int row, int flag)
{
    return forRow(row, &CVes_Form::setCellDrawBk, flag);
}

int CVes_Form::setColumnDrawBk(int column, int flag)
{
    return forColumn(column, &CVes_Form::setCellDrawBk, flag);
}

int CVes_Form::setRowBkColor(int row, COLORREF colour)
{
    return forRow(row, &CVes_Form::setCellBkColor, colour);
}

int CVes_Form::setColumnBkColor(int column, COLORREF colour)
{
    return forColumn(column, &CVes_Form::setCellBkColor, colour);
}

int CVes_Form::setRowTxtColor(int row, COLORREF colour)
{
    return forRow(row, &CVes_Form::setCellTxtColor, colour);
}

void CVes_Form::setAllCellTxtHigh(int height)
{
    for (auto& cells : m_rows)
        for (auto& cell : cells)
            if (cell)
                cell->setTxtHigh(height);
}

void CVes_Form::setCellMerge(int merge, int r1, int c1, int r2, int c2)
{
    CVes_Cell* head = GetCell(r1, c1);
    if (r2 < r1 || c2 < c1 || !head)
        return;
    if (merge)
        head->SetMergeRang(r2, c2);
    else
        head->unMerge();
    for (int r = r1; r <= r2 && r < m_rowCount; ++r) {
        for (int c = c1; c <= c2 && c < m_columnCount; ++c) {
            CVes_Cell* cell = GetCell(r, c);
            if (!cell || cell == head)
                continue;
            if (merge)
                cell->Merge(head);
            else
                cell->unMerge();
        }
    }
}

void CVes_Form::setCellHide(int hide, int r1, int c1, int r2, int c2)
{
    if (r2 < 0)
        r2 = r1;
    if (c2 < 0)
        c2 = c1;
    for (int r = std::max(r1, 0); r <= r2 && r < m_rowCount; ++r)
        for (int c = std::max(c1, 0); c <= c2 && c < m_columnCount; ++c)
            setCellDrawBorder(r, c, !hide);
}

void CVes_Form::clearnAllCell()
{
    for (auto& cells : m_rows) {
        for (auto& cell : cells) {
            if (!cell)
                continue;
            cell->SetText(QString(), QString());
            cell->setTextAligh(CVes_Cell::kAlignCentre);
            cell->setTxtHigh(10);
            cell->SetDrawBk(0);
            cell->SetDrawBorder(1);
            cell->clearnLineArray();
            cell->unMerge();
        }
    }
}

namespace {

// A cell's box from its corner and size; a form wider or taller than the
// device's coordinates ends at their edge instead of wrapping round.
Rect cellBox(int x, int y, int width, int height)
{
    return Rect(x, y, platform::saturatedAdd(x, width), platform::saturatedAdd(y, height));
}

} // namespace

Rect CVes_Form::GetCellRect(int row, int column) const
{
    int y = m_rect.top;
    for (int r = 0; r < m_rowCount; ++r) {
        const int height = m_rowHeights[size_t(r)];
        if (height == 0)
            continue;
        int x = m_rect.left;
        for (int c = 0; c < m_columnCount; ++c) {
            const int width = m_columnWidths[size_t(c)];
            if (r == row && c == column)
                return GetCell(r, c) ? cellBox(x, y, width, height) : Rect();
            x = platform::saturatedAdd(x, width);
        }
        y = platform::saturatedAdd(y, height);
    }
    return Rect();
}

Rect CVes_Form::rowBox(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return {};
    int y = m_rect.top;
    for (int r = 0; r < row; ++r)
        y = platform::saturatedAdd(y, m_rowHeights[size_t(r)]);
    int width = 0;
    for (const int w : m_columnWidths)
        width = platform::saturatedAdd(width, w);
    return cellBox(m_rect.left, y, width, m_rowHeights[size_t(row)]);
}

void CVes_Form::extendToMerge(const CVes_Cell& head, Rect& box) const
{
    if (!head.isMerging())
        return;
    const Rect end = GetCellRect(head.mergeEndRow(), head.mergeEndColumn());
    if (!end.IsRectNull()) {
        box.right = end.right;
        box.bottom = end.bottom;
    }
}

Rect CVes_Form::GetDrawnCellRect(int row, int column) const
{
    const CVes_Cell* cell = GetCell(row, column);
    if (cell && cell->isMerged() && cell->getMergeCell())
        cell = cell->getMergeCell();
    if (!cell)
        return Rect();
    Rect box = GetCellRect(cell->row(), cell->column());
    extendToMerge(*cell, box);
    return box;
}

template <typename Visit> void CVes_Form::forEachCellBox(Visit visit) const
{
    int y = m_rect.top;
    for (int r = 0; r < m_rowCount; ++r) {
        const int height = m_rowHeights[size_t(r)];
        if (height == 0)
            continue;
        int x = m_rect.left;
        for (int c = 0; c < m_columnCount; ++c) {
            const int width = m_columnWidths[size_t(c)];
            if (width == 0)
                continue;
            if (visit(r, c, cellBox(x, y, width, height)))
                return;
            x = platform::saturatedAdd(x, width);
        }
        y = platform::saturatedAdd(y, height);
    }
}

int CVes_Form::HitTest(QPoint point, int& row, int& column) const
{
    bool hit = false;
    forEachCellBox([&](int r, int c, Rect box) {
        box.NormalizeRect();
        if (!box.PtInRect(point))
            return false;
        if (const CVes_Cell* cell = GetCell(r, c)) {
            const CVes_Cell* owner = cell->isMerged() ? cell->getMergeCell() : nullptr;
            row = owner ? owner->row() : cell->row();
            column = owner ? owner->column() : cell->column();
        }
        hit = true;
        return true;
    });
    return hit ? 1 : 0;
}

template <typename Visit> void CVes_Form::forEachDrawnCell(Visit visit)
{
    forEachCellBox([&](int r, int c, Rect box) {
        CVes_Cell* cell = GetCell(r, c);
        if (!cell)
            return false;
        cell->setScale(m_scale);
        extendToMerge(*cell, box);
        if (!cell->isMerged())
            visit(*cell, r, c, box);
        return false;
    });
}

void CVes_Form::OnDraw(platform::Dc* dc)
{
    const int saved = dc->SaveDC();
    // A window repainting a few rows has only the cells reaching into them
    // drawn, not the text of every other laid out again; the others keep
    // the box they would have been drawn in.
    const auto shows = [dc](CVes_Cell& cell, const Rect& box) {
        if (!dc->repaintsPartsOnly() || dc->RectVisible(box) || !cell.textRuns().empty()
            || !cell.lines().empty())
            return true;
        cell.setDrawnRect(box);
        return false;
    };
    forEachDrawnCell([&](CVes_Cell& cell, int r, int c, const Rect& box) {
        if (shows(cell, box))
            cell.DrawBk(dc, r, c, box, 0);
    });
    if (m_border) {
        const platform::Pen old =
            dc->SelectObject(platform::Pen(PS_SOLID, m_borderWidth, RGB(0, 0, 0)));
        dc->MoveTo(m_rect.right, m_rect.top);
        dc->LineTo(m_rect.left, m_rect.top);
        dc->LineTo(m_rect.left, m_rect.bottom);
        dc->LineTo(m_rect.right, m_rect.bottom);
        dc->LineTo(m_rect.right, m_rect.top);
        dc->SelectObject(old);
    }
    forEachDrawnCell([&](CVes_Cell& cell, int r, int c, const Rect& box) {
        cell.SetDrawBorder(m_border);
        if (shows(cell, box))
            cell.Draw(dc, r, c, box, 0);
    });
    dc->SelectStockObject(NULL_PEN);
    dc->RestoreDC(saved);
}

void CVes_Form::spanWideTexts(platform::Dc* dc, int row)
{
    for (int c = 0; c < m_columnCount; ++c) {
        const CVes_Cell* cell = GetCell(row, c);
        if (!cell || cell->isMerged() || cell->isMerging() || cell->text().isEmpty())
            continue;
        const int needed = cell->textWidth(dc);
        int width = GetColumnWidth(c);
        int last = c;
        while (width < needed && last + 1 < m_columnCount) {
            const CVes_Cell* next = GetCell(row, last + 1);
            if (!next || !next->isEmpty(this) || next->isMerged() || next->isMerging())
                break;
            ++last;
            width += GetColumnWidth(last);
        }
        if (last > c)
            setCellMerge(1, row, c, row, last);
        c = last;
    }
}
