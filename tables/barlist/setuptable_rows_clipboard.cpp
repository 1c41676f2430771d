// The bar list's rows on the row clipboard: copying, cutting, pasting and
// inserting selected rows, a single remark as text, and whole elements.

#include "tables/barlist/setuptable.h"

#include "tables/framework/tableclipboard.h"

namespace {

using Line = CVes_SetupTableLine;

void copyToClipboard(const TableLineList& rows)
{
    tableClipboard().copyLines<Line>(rows, CVes_TableClipboard::kSetupLines);
}

} // namespace

int CVes_SetupTable::canPaste()
{
    if (getSelectRow() < 1 || !isContinueSelect())
        return 0;
    CVes_TableClipboard& clip = tableClipboard();
    if (!clip.canPaste())
        return 0;
    if (m_curCol == kColRemark)
        return clip.getText(CVes_TableClipboard::kText).isEmpty() ? 0 : 1;
    return clip.hasLines(CVes_TableClipboard::kSetupLines) ? 1 : 0;
}

void CVes_SetupTable::CopyRow()
{
    if (getSelectRow() < 1)
        return;
    CVes_TableClipboard& clip = tableClipboard();
    if (m_select.size() == 1 && m_curCol == kColRemark) {
        clip.clear();
        auto* line = static_cast<Line*>(getLine(getSelectRow()));
        if (line && line->isSteelLine()) {
            clip.setText(line->m_steel.remark, CVes_TableClipboard::kText);
            return;
        }
        if (line && line->isElementLine()) {
            clip.setText(line->getEleRemark(), CVes_TableClipboard::kText);
            return;
        }
    }
    copyToClipboard(selectedLines());
}

void CVes_SetupTable::CutRow()
{
    if (getSelectRow() < 1)
        return;
    const TableLineList rows = selectedLines();
    copyToClipboard(rows);
    m_huizong.forgetElements();
    dropLines(rows);
}

void CVes_SetupTable::PasteRow()
{
    if (getSelectRow() < 1 || !isContinueSelect())
        return;
    const TableLineList selected = selectedLines();
    if (selected.isEmpty())
        return;
    const int column = m_curCol;
    const int first = getSelectRow();
    CVes_TableClipboard& clip = tableClipboard();

    if (column == kColRemark) {
        const QString text = clip.getText(CVes_TableClipboard::kText);
        if (!text.isEmpty()) {
            // A remark goes to the bar of the first selected row, or to an
            // element row's element remark; other rows take no remark.
            auto* line = static_cast<Line*>(selected.first());
            if (line->isSteelLine())
                line->m_steel.remark = text;
            else if (line->isElementLine())
                line->setEleRemark(text);
            else
                return;
            markEdited();
            AddUndo();
            return;
        }
    }

    const TableLineList copies = clip.getLines(CVes_TableClipboard::kSetupLines);
    if (copies.isEmpty())
        return;
    m_huizong.forgetElements();
    replaceLines(selected, copies);
    reselectAfterEdit(first, column);
}

void CVes_SetupTable::InsertClip()
{
    if (getSelectRow() < 1 || !isContinueSelect())
        return;
    CVes_TableBaseLine* before = getLine(getSelectRow());
    if (!before)
        return;
    const TableLineList copies = tableClipboard().getLines(CVes_TableClipboard::kSetupLines);
    if (copies.isEmpty())
        return;
    insertLinesBefore(before, copies);
    clearSelect();
    refreshCurPage();
    markEdited();
}

void CVes_SetupTable::CutEleRow()
{
    const TableLineList rows = selectedElementRows();
    if (rows.isEmpty())
        return;
    copyToClipboard(rows);
    m_huizong.forgetElements();
    dropLines(rows);
}

void CVes_SetupTable::CopyEleRow()
{
    const TableLineList rows = selectedElementRows();
    if (!rows.isEmpty())
        copyToClipboard(rows);
}
