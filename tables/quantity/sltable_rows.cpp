// The quantity sheet's row operations: appending and inserting rows of the
// three kinds, filling the last page, the row clipboard, moving rows and
// inserting imported rows.

#include "tables/quantity/sltable.h"

#include "tables/framework/tableclipboard.h"
#include "tables/framework/tablehelpers.h"

namespace {

using Line = CVes_SLTableLine;

Line* emptyBarRow()
{
    return new Line(Line::kSteelRow);
}

} // namespace

// Appending

CVes_SLTableLine* CVes_SLTable::Add(const CVes_BarCore* bar)
{
    auto* line = emptyBarRow();
    line->setSteel(bar);
    m_lines.append(line);
    markEdited();
    return line;
}

void CVes_SLTable::addPage()
{
    appendEmptyPage(emptyBarRow);
}

void CVes_SLTable::AddNullLineToEnd()
{
    fillLastPage([] { return emptyBarRow(); });
}

void CVes_SLTable::append(const CVes_SLTable* other)
{
    if (other)
        appendCopiesOf(*other);
}

// Inserting

int CVes_SLTable::InsertRow(CVes_SLTableLine* row)
{
    return insertBeforeSelection(row);
}

void CVes_SLTable::InsertRow()
{
    auto* line = emptyBarRow();
    line->setNull(0);
    if (!InsertRow(line)) {
        delete line;
        return;
    }
    getDefualtValueFromPrvLine(line);
    AddUndo();
    markEdited();
}

void CVes_SLTable::InsertRow(int kind)
{
    if (kind == int(Line::kEleRow))
        InsertEleRow(QString());
    else if (kind == int(Line::kEleTypeRow))
        InsertEleTypeRow(QString());
    else
        InsertRow();
}

namespace {

// Inserts a heading row before the selection: undo step and marks, or the
// row is deleted when nothing is selected.
void insertHeading(CVes_SLTable& table, Line* line)
{
    line->setNull(0);
    if (!table.InsertRow(line)) {
        delete line;
        return;
    }
    table.AddUndo();
}

} // namespace

void CVes_SLTable::InsertEleTypeRow(const QString& name)
{
    auto* line = new Line(Line::kEleTypeRow);
    line->setEleType(name);
    insertHeading(*this, line);
}

void CVes_SLTable::InsertEleRow(const QString& name)
{
    auto* line = new Line(Line::kEleRow);
    line->setElement(name);
    insertHeading(*this, line);
}

void CVes_SLTable::getDefualtValueFromPrvLine(CVes_SLTableLine* line)
{
    if (!line)
        return;
    auto* prev = static_cast<Line*>(getPrvLine(line, 1));
    if (!prev || !prev->isSteelLine() || !line->isSteelLine())
        return;
    line->m_steel.CVes_BarCore::set(&prev->m_steel);
    line->m_steel.number = nextNumberString(prev->m_steel.number);
}

// Clipboard

void CVes_SLTable::CopyRow()
{
    if (getSelectRow() >= 1)
        tableClipboard().copyLines<CVes_SLTableLine>(selectedLines(),
                                                     CVes_TableClipboard::kSLLines);
}

void CVes_SLTable::CutRow()
{
    if (getSelectRow() < 1)
        return;
    CopyRow();
    dropLines(selectedLines());
}

int CVes_SLTable::canPaste()
{
    if (getSelectRow() < 1 || !isContinueSelect())
        return 0;
    const CVes_TableClipboard& clip = tableClipboard();
    return clip.canPaste() && clip.hasLines(CVes_TableClipboard::kSLLines) ? 1 : 0;
}

void CVes_SLTable::PasteRow()
{
    if (!canPaste())
        return;
    const TableLineList selected = selectedLines();
    if (selected.isEmpty())
        return;
    replaceLines(selected, tableClipboard().getLines(CVes_TableClipboard::kSLLines));
    markEdited();
    AddUndo();
}

void CVes_SLTable::InsertClip()
{
    if (!canPaste())
        return;
    CVes_TableBaseLine* before = getLine(getSelectRow());
    if (!before)
        return;
    insertLinesBefore(before, tableClipboard().getLines(CVes_TableClipboard::kSLLines));
    clearSelect();
    refreshCurPage();
    AddUndo();
    markEdited();
}

void CVes_SLTable::UpRow()
{
    moveSelectedLines(-1);
}

void CVes_SLTable::DownRow()
{
    moveSelectedLines(1);
}

// Imported rows

void CVes_SLTable::import(const QList<CVes_SLTableLine*>& lines)
{
    TableLineList rows;
    for (CVes_SLTableLine* line : lines)
        rows.append(line);
    if (getSelectRow() < 1) {
        clearNullLineOfEnd();
        insertLinesBefore(nullptr, rows);
    } else {
        insertLinesBefore(getLine(getSelectRow()), rows);
    }
    clearNullLineOfEnd();
    refreshCurPage();
    clearSelect();
    markEdited();
    AddUndo();
}
