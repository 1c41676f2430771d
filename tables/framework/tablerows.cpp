// Row operations that several sheets share: inserting before the selection,
// removing and moving the selected rows.

#include "tables/framework/tablebase.h"

#include "tables/framework/tablebaseline.h"

TableLineList CVes_TableBase::selectedLines() const
{
    TableLineList rows;
    for (int n : m_select) {
        if (n >= 1 && n <= m_pageLines.size() && m_curPage >= 1)
            rows.append(m_pageLines[n - 1]);
    }
    return rows;
}

int CVes_TableBase::insertBeforeSelection(CVes_TableBaseLine* row)
{
    if (!row || getSelectRow() < 1)
        return 0;
    CVes_TableBaseLine* before = getLine(getSelectRow());
    const qsizetype at = before ? m_lines.indexOf(before) : -1;
    if (at < 0 || m_lines.contains(row))
        return 0;
    m_lines.insert(at, row);
    // The empty rows at the end go, but never the new row (an empty row
    // inserted before the filler rows would otherwise be deleted at once).
    while (!m_lines.isEmpty() && m_lines.last() != row && m_lines.last()->isNull()) {
        CVes_TableBaseLine* filler = m_lines.takeLast();
        m_pageLines.removeOne(filler);
        disposeLine(filler);
    }
    refreshCurPage();
    markEdited();
    return 1;
}

void CVes_TableBase::insertLinesBefore(CVes_TableBaseLine* before, const TableLineList& rows)
{
    qsizetype at = before ? m_lines.indexOf(before) : -1;
    if (at < 0)
        at = m_lines.size();
    for (CVes_TableBaseLine* row : rows)
        m_lines.insert(at++, row);
    noteChange();
}

void CVes_TableBase::appendRows(const TableLineList& rows)
{
    for (CVes_TableBaseLine* row : rows)
        m_lines.append(row);
    refreshCurPage();
    clearSelect();
    markEdited();
    AddUndo();
}

void CVes_TableBase::removeUnlockedLines(const TableLineList& rows)
{
    for (CVes_TableBaseLine* row : rows) {
        if (row->getLock())
            continue;
        m_lines.removeOne(row);
        m_pageLines.removeOne(row);
        disposeLine(row);
    }
}

void CVes_TableBase::dropLines(const TableLineList& rows)
{
    removeUnlockedLines(rows);
    refreshCurPage();
    clearSelect();
    markEdited();
    AddUndo();
}

void CVes_TableBase::replaceLines(const TableLineList& rows, const TableLineList& copies)
{
    CVes_TableBaseLine* before = rows.isEmpty() ? nullptr : nextLine(rows.last());
    removeUnlockedLines(rows);
    insertLinesBefore(before, copies);
    clearNullLineOfEnd();
    refreshCurPage();
    clearSelect();
}

void CVes_TableBase::reselectAfterEdit(int first, int column)
{
    if (haveContent(first)) {
        AddSelect(first, 1);
        setCurCol(column);
        m_curRow = first;
    }
    markEdited();
    AddUndo();
}

void CVes_TableBase::appendEmptyPage(const std::function<CVes_TableBaseLine*()>& makeEmpty)
{
    for (int i = 0, rows = rowsPerPage(); i < rows; ++i)
        m_lines.append(makeEmpty());
    endPage();
    clearSelect();
    AddUndo();
}

void CVes_TableBase::moveSelectedLines(int direction)
{
    const bool up = direction < 0;
    if (getSelectRow() < (up ? 2 : 1) || !isContinueSelect())
        return;
    const TableLineList block = selectedLines();
    if (block.isEmpty())
        return;
    // Up: the block goes before the row above it. Down: before the row after
    // the one below it (the end when there is none); not past the last row.
    CVes_TableBaseLine* before = nullptr;
    if (up) {
        before = prevLine(block.first());
        if (!before)
            return;
    } else {
        CVes_TableBaseLine* below = nextLine(block.last());
        if (!below)
            return;
        before = nextLine(below);
    }
    for (CVes_TableBaseLine* row : block)
        m_lines.removeOne(row);
    insertLinesBefore(before, block);
    setCurCol(-1);
    selectAddOne(up ? -1 : 1);
    refreshCurPage();
    AddUndo();
    markEdited();
}

void CVes_TableBase::fillLastPage(const std::function<CVes_TableBaseLine*()>& makeEmpty)
{
    if (m_curPage < 1 || m_curPage != resetPages())
        return;
    int remaining = rowsPerPage();
    for (CVes_TableBaseLine* row : std::as_const(m_pageLines)) {
        const int rows = rowsOf(*row);
        if (rows > remaining)
            return;
        remaining -= rows;
    }
    for (; remaining >= 1; --remaining) {
        CVes_TableBaseLine* row = makeEmpty();
        m_lines.append(row);
        m_pageLines.append(row);
    }
}
