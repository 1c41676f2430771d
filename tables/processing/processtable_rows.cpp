// The processing sheet's row operations: inserting bar and heading rows,
// the row clipboard, moving rows and filling pages with empty rows.

#include "tables/processing/processtable.h"

#include "tables/framework/tableclipboard.h"
#include "tables/processing/processtableeditline.h"

namespace {

using EditLine = CVes_ProcessTableEditLine;

// A row that the sheet pads a page with: empty, its bar empty too.
EditLine* emptyRow()
{
    auto* line = new EditLine();
    line->setNull(1);
    return line;
}

} // namespace

// Inserting

namespace {

// The undo step of an insert that took place.
EditLine* stepped(CVes_ProcessTable& sheet, EditLine* line)
{
    if (line)
        sheet.AddUndo();
    return line;
}

} // namespace

CVes_ProcessTableEditLine* CVes_ProcessTable::insertBarRow()
{
    auto* line = new EditLine();
    line->setNull(0);
    if (!insertBeforeSelection(line)) {
        delete line;
        return nullptr;
    }
    getDefualtValueFromPrvLine(line);
    return line;
}

CVes_ProcessTableEditLine* CVes_ProcessTable::insertOfKind(unsigned int kind)
{
    switch (kind) {
    case EditLine::kEleRow:
    case EditLine::kEleTypeRow:
    case EditLine::kStoryRow:
    case EditLine::kProjectRow:
        return insertHeading(kind, QString());
    default:
        return insertBarRow();
    }
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertRow()
{
    CVes_ProcessTableEditLine* line = insertBarRow();
    // The copied bar came with the tags of the bar above: numbered now, it
    // shows its own at once, not only after its first edit.
    if (line)
        regenData();
    return stepped(*this, line);
}

void CVes_ProcessTable::InsertRow(int flag)
{
    if (flag == 0) {
        InsertRow();
        return;
    }
    EditLine* line = emptyRow();
    if (!insertBeforeSelection(line)) {
        delete line;
        return;
    }
    AddUndo();
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertRow(unsigned int kind)
{
    return stepped(*this, insertOfKind(kind));
}

CVes_ProcessTableEditLine* CVes_ProcessTable::insertHeading(unsigned int kind,
                                                            const QString& text)
{
    auto* line = new EditLine(kind);
    switch (kind) {
    case EditLine::kProjectRow:
        // A project row without a text takes the title block's project name.
        line->setProject(text.isEmpty() ? m_texts[2].m_formula : text);
        break;
    case EditLine::kStoryRow:
        line->setStory(text);
        break;
    case EditLine::kEleTypeRow:
        line->setEleType(text);
        break;
    default:
        line->setEle(text);
        break;
    }
    line->m_null = 0;
    line->setSteelNull(1);
    if (!insertBeforeSelection(line)) {
        delete line;
        return nullptr;
    }
    return line;
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertProjectRow(const QString& text)
{
    return stepped(*this, insertHeading(EditLine::kProjectRow, text));
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertStoryRow(const QString& text)
{
    return stepped(*this, insertHeading(EditLine::kStoryRow, text));
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertEleTypeRow(const QString& text)
{
    return stepped(*this, insertHeading(EditLine::kEleTypeRow, text));
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertEleRow(const QString& text)
{
    return stepped(*this, insertHeading(EditLine::kEleRow, text));
}

// The row clipboard

int CVes_ProcessTable::canTakeClipboard() const
{
    if (getSelectRow() < 1 || !isContinueSelect())
        return 0;
    const TableLineList copies = tableClipboard().getLines(CVes_TableClipboard::kProcessLines);
    qDeleteAll(copies);
    return copies.isEmpty() ? 0 : 1;
}

int CVes_ProcessTable::canPaste()
{
    return canTakeClipboard();
}

void CVes_ProcessTable::CopyRow()
{
    if (getSelectRow() >= 1)
        tableClipboard().copyLines<CVes_ProcessTableEditLine>(selectedLines(),
                                                              CVes_TableClipboard::kProcessLines);
}

void CVes_ProcessTable::CutRow()
{
    if (getSelectRow() < 1)
        return;
    CopyRow();
    dropLines(selectedLines());
}

void CVes_ProcessTable::PasteRow()
{
    if (!canTakeClipboard())
        return;
    const TableLineList selected = selectedLines();
    if (selected.isEmpty())
        return;
    replaceLines(selected, tableClipboard().getLines(CVes_TableClipboard::kProcessLines));
    regenData();
    markEdited();
    AddUndo();
}

void CVes_ProcessTable::InsertClip()
{
    if (!canTakeClipboard())
        return;
    CVes_TableBaseLine* before = getLine(getSelectRow());
    insertLinesBefore(before, tableClipboard().getLines(CVes_TableClipboard::kProcessLines));
    clearSelect();
    refreshCurPage();
    markEdited();
}

// Moving and pages

void CVes_ProcessTable::UpRow()
{
    moveSelectedLines(-1);
}

void CVes_ProcessTable::DownRow()
{
    moveSelectedLines(1);
}

void CVes_ProcessTable::addPage()
{
    appendEmptyPage(emptyRow);
}

void CVes_ProcessTable::AddNullLineToEnd()
{
    fillLastPage(emptyRow);
}
