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

// ---- Inserting -------------------------------------------------------------------

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertRow()
{
    auto* line = new EditLine();
    line->setNull(0);
    if (!insertBeforeSelection(line)) {
        delete line;
        return nullptr;
    }
    getDefualtValueFromPrvLine(line);
    AddUndo();
    return line;
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertRow(unsigned int kind)
{
    switch (kind) {
    case EditLine::kEleRow:
        return InsertEleRow(QString());
    case EditLine::kEleTypeRow:
        return InsertEleTypeRow(QString());
    case EditLine::kStoryRow:
        return InsertStoryRow(QString());
    case EditLine::kProjectRow:
        return InsertProjectRow(QString());
    default:
        return InsertRow();
    }
}

CVes_ProcessTableEditLine* CVes_ProcessTable::insertHeading(unsigned int kind,
                                                            const QString& text)
{
    auto* line = new EditLine(kind);
    switch (kind) {
    case EditLine::kProjectRow:
        line->setProject(text);
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
    AddUndo();
    return line;
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertProjectRow(const QString& text)
{
    return insertHeading(EditLine::kProjectRow, text.isEmpty() ? m_texts[2].m_formula : text);
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertStoryRow(const QString& text)
{
    return insertHeading(EditLine::kStoryRow, text);
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertEleTypeRow(const QString& text)
{
    return insertHeading(EditLine::kEleTypeRow, text);
}

CVes_ProcessTableEditLine* CVes_ProcessTable::InsertEleRow(const QString& text)
{
    return insertHeading(EditLine::kEleRow, text);
}

// ---- The row clipboard -------------------------------------------------------------

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
    if (getSelectRow() < 1)
        return;
    CVes_TableClipboard& clip = tableClipboard();
    clip.clear();
    for (CVes_TableBaseLine* row : selectedLines())
        clip.copyProcessLine(static_cast<const EditLine*>(row), 0);
}

void CVes_ProcessTable::CutRow()
{
    if (getSelectRow() < 1)
        return;
    CopyRow();
    removeUnlockedLines(selectedLines());
    refreshCurPage();
    clearSelect();
    markEdited();
    AddUndo();
}

void CVes_ProcessTable::PasteRow()
{
    if (!canTakeClipboard())
        return;
    const TableLineList selected = selectedLines();
    if (selected.isEmpty())
        return;
    const TableLineList copies = tableClipboard().getLines(CVes_TableClipboard::kProcessLines);
    CVes_TableBaseLine* before = nextLine(selected.last());
    removeUnlockedLines(selected);
    insertLinesBefore(before, copies);
    clearNullLineOfEnd();
    refreshCurPage();
    clearSelect();
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

// ---- Moving and pages ----------------------------------------------------------------

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
    for (int i = 0; i < m_rowNum; ++i)
        m_lines.append(emptyRow());
    clearSelect();
    endPage();
    AddUndo();
}

void CVes_ProcessTable::AddNullLineToEnd()
{
    fillLastPage(emptyRow);
}
