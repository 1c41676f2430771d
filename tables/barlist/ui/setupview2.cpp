// The bar-list view: its cell editors and the commit of what was typed.

#include "tables/barlist/ui/setupview2.h"

#include "tables/barlist/setuptable.h"

#include "core/model/referencebase.h"

#include <algorithm>
#include <cmath>
#include <utility>

using barlist::CellOpening;
using barlist::EditedVariable;

CVes_SetupView2::CVes_SetupView2(QWidget* parent) : CVes_TableViewBase(parent) {}

CVes_SetupView2::~CVes_SetupView2() = default;

CVes_SetupTable* CVes_SetupView2::setupTable() const
{
    return dynamic_cast<CVes_SetupTable*>(m_table);
}

CVes_SetupTableLine* CVes_SetupView2::lineOf(int row) const
{
    return m_table ? dynamic_cast<CVes_SetupTableLine*>(m_table->getLine(row)) : nullptr;
}

CVes_Variable* CVes_SetupView2::editedVariableAt(int row) const
{
    CVes_SetupTableLine* line = lineOf(row);
    return line ? m_edited.on(*line) : nullptr;
}

// Closing steps

void CVes_SetupView2::finish(unsigned steps)
{
    if (!m_table)
        return;
    if (steps & kUndoStep)
        m_table->AddUndo();
    if (steps & kChangeFlags)
        m_table->setModified(1);
    if (steps & kRepaint)
        repaintView();
    if (steps & kNotify)
        notifyFrame();
    if (steps & kModified)
        setModify(true);
}

CVes_SetupView2::LinePlacing CVes_SetupView2::placingOf(CVes_SetupTableLine& line)
{
    return {line.getType(), line.isNull(), CVes_TableBase::rowsOf(line)};
}

void CVes_SetupView2::repaintCommitted(int row, const std::optional<LinePlacing>& before)
{
    // A line that was empty may bring a new empty line after it; one that
    // takes other rows moves the rows after it.
    CVes_SetupTableLine* line = lineOf(row);
    if (!line || !before || before->null || placingOf(*line) != *before) {
        repaintView();
        return;
    }
    repaintFormRows(setupTable()->rowsDrawnWith(row));
}

void CVes_SetupView2::runTableEdit(const std::function<void()>& edit)
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return;
    const std::size_t steps = table->m_history.added();
    edit();
    if (table->m_history.added() != steps)
        finish(kRepaint | kNotify | kModified);
    else
        finish(kRepaint);
}

// Opening editors

void CVes_SetupView2::commitOpenEditors()
{
    if (m_inPlaceEdit)
        m_inPlaceEdit->EndEdit();
    m_inPlaceEdit = nullptr;
    if (m_recordDlg) {
        CVes_EditRecordDlg* dialog = m_recordDlg;
        dialog->commitEdit();
        dialog->deleteLater();
    }
    m_recordDlg = nullptr;
}

void CVes_SetupView2::forgetEditors()
{
    // Both close themselves once their own call has returned.
    m_inPlaceEdit = nullptr;
    if (m_recordDlg)
        m_recordDlg->deleteLater();
    m_recordDlg = nullptr;
    m_clickEdit.reset();
}

void CVes_SetupView2::endEdit()
{
    commitOpenEditors();
    if (m_inPlaceList)
        m_inPlaceList->EndEdit();
    m_inPlaceList = nullptr;
}

platform::Rect CVes_SetupView2::variableBox(CVes_ReferenceBase& reference, CVes_Variable& variable,
                                           QPoint centre, int textHeight) const
{
    // The dimension is drawn at the shape's scale inside the cell; the box
    // is never lower than its text.
    const double scale = reference.getScale() > 0.0 ? reference.getScale() : 1.0;
    platform::Rect own;
    variable.LocateRect(own);
    const int halfWidth = std::abs(LPtoDP(int(own.Width() / scale))) / 2;
    const int halfHeight = std::max(std::abs(LPtoDP(int(own.Height() / scale))), textHeight + 4) / 2;
    return platform::Rect(centre.x() - halfWidth, centre.y() - halfHeight, centre.x() + halfWidth,
                          centre.y() + halfHeight);
}

int CVes_SetupView2::variableTextHeight(int row, int column, CVes_ReferenceBase& reference,
                                        const CVes_Variable& variable) const
{
    // A shape drawn small in its cell draws its dimensions smaller still:
    // the editor keeps at least the cell's text height, to stay readable.
    const double scale = reference.getScale() > 0.0 ? reference.getScale() : 1.0;
    return std::max(LPtoDP(int(variable.m_height / scale)),
                    LPtoDP(m_table->getTxtHight(row, column)));
}

QPoint CVes_SetupView2::variableCentre(int row, int column, CVes_ReferenceBase& reference,
                                       const CVes_Variable& variable) const
{
    const double scale = reference.getScale() > 0.0 ? reference.getScale() : 1.0;
    const platform::Rect cell = m_table->getRect(row, column);
    const QPoint at = variable.m_position.ToPoint();
    return LPtoDP(QPoint(cell.left + int(at.x() / scale), cell.top + int(at.y() / scale)));
}

int CVes_SetupView2::isCanEditVar(int row, int column, QPoint point)
{
    CVes_SetupTableLine* line = lineOf(row);
    if (!line || !(line->isImageLine() || line->getSetupSteel()))
        return 0;
    CVes_ReferenceBase* reference = barlist::cellReference(*line, column);
    const CVes_Variable* variable = reference ? reference->getSelectVar(DPtoLP(point)) : nullptr;
    return variable && variable->m_type >= CVes_Variable::kGiven ? 1 : 0;
}

void CVes_SetupView2::EditCell(int row, int column, QPoint point)
{
    if (!m_table)
        return;
    commitOpenEditors();
    CVes_SetupTableLine* line = lineOf(row);
    if (!line)
        return;
    CVes_ReferenceBase* reference = barlist::cellReference(*line, column);
    CVes_Variable* hit = reference ? reference->getSelectVar(DPtoLP(point)) : nullptr;
    const CellOpening open = barlist::clickOpening(*line, column, hit);
    if (open.variableCell)
        m_edited = open.variable;
    switch (open.action) {
    case CellOpening::Action::ShapeChooser: changeSteel(row, column); return;
    case CellOpening::Action::StartChooser: changeStart(row, column); return;
    case CellOpening::Action::None: return;
    case CellOpening::Action::Editor: break;
    }
    platform::Rect box = LPtoDP(m_table->getDrawnRect(row, column));
    int textHeight = LPtoDP(m_table->getTxtHight(row, column));
    if (open.variableCell && hit) {
        textHeight = variableTextHeight(row, column, *reference, *hit);
        box = variableBox(*reference, *hit, point, textHeight);
    }
    openCellEditor(row, column, open.text, box, textHeight, open.category, inplace::kClick, false);
    if (m_inPlaceEdit)
        m_inPlaceEdit->selectAll();
    m_clickEdit = ClickEdit{row, column, open.text};
}

void CVes_SetupView2::editSwitchedLength()
{
    if (!m_table)
        return;
    const std::size_t switched = m_table->undoStepsRecorded();
    EditCell(m_table->getCurRow(), m_table->getCurCol(), QPoint());
    if (isHaveEditWnd() || m_recordDlg)
        m_lengthSwitch = switched;
}

void CVes_SetupView2::takeBackLengthSwitch()
{
    const std::optional<std::size_t> switched = std::exchange(m_lengthSwitch, std::nullopt);
    // Only while the switch is still the newest step.
    if (!m_table || !switched || m_table->undoStepsRecorded() != *switched)
        return;
    m_table->Undo();
    finish(kRepaint | kNotify);
    Q_EMIT undoStepTaken(m_table);
}

void CVes_SetupView2::EditCurCell(QChar c)
{
    if (!m_table || m_table->getCurRow() < 1 || m_table->getCurCol() < 0)
        return;
    commitOpenEditors();
    const int row = m_table->getCurRow();
    const int column = m_table->getCurCol();
    CVes_SetupTableLine* line = lineOf(row);
    if (!line)
        return;
    const CellOpening open = barlist::typingOpening(*line, column, c);
    if (open.action != CellOpening::Action::Editor)
        return;
    if (open.variableCell)
        m_edited = open.variable;
    platform::Rect box = LPtoDP(m_table->getDrawnRect(row, column));
    int textHeight = LPtoDP(m_table->getTxtHight(row, column));
    CVes_ReferenceBase* reference = barlist::cellReference(*line, column);
    if (CVes_Variable* variable = open.variable.on(*line); variable && reference) {
        textHeight = variableTextHeight(row, column, *reference, *variable);
        box = variableBox(*reference, *variable,
                          variableCentre(row, column, *reference, *variable), textHeight);
    }
    // The box holds the character typed, the caret after it.
    openCellEditor(row, column, open.text, box, textHeight, barlist::kNoCategory, inplace::kEnter,
                   true);
    m_clickEdit.reset();
}

void CVes_SetupView2::EditoutSideVar(int row, int index, QPoint point, QWidget*)
{
    // The box lies over the view, whose end of edit stores the text.
    CVes_TableViewBase::EditoutSideVar(row, index, point, nullptr);
}

// The end of an edit

void CVes_SetupView2::inPlaceEditEnded(const InPlaceEditNotify& notify)
{
    // Escape: the box reports no text, and nothing is committed.
    if (!notify.item.pszText && notify.isTableCellEdit()) {
        forgetEditors();
        takeBackLengthSwitch();
    }
    CVes_TableViewBase::inPlaceEditEnded(notify);
}

void CVes_SetupView2::EndCellEdit(int row, int column, const QString& text)
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return;
    const std::optional<ClickEdit> opened = m_clickEdit;
    const std::optional<std::size_t> lengthSwitch = std::exchange(m_lengthSwitch, std::nullopt);
    if (row < 1) {
        const QString entry = text.trimmed();
        if (row == CVes_TableBase::kTitleTextRow) {
            if (m_curEditVar && m_curEditVar->m_type == CVes_Variable::kTextKind)
                m_curEditVar->m_formula = entry;
        } else if (NowFengmian() && m_curEditVar && m_curEditVar == table->m_cover.getCurVar()) {
            m_curEditVar->m_formula = entry;
        }
        forgetEditors();
        finish(kAllSteps);
        return;
    }
    forgetEditors();
    // The text an editor opened with, given back unchanged, is no edit.
    if (opened && opened->row == row && opened->column == column && opened->text == text)
        return;
    CVes_SetupTableLine* line = lineOf(row);
    const std::optional<LinePlacing> before =
        line ? std::optional(placingOf(*line)) : std::nullopt;
    if (!barlist::commitEntry(*table, row, column, text, m_edited))
        return;
    finish(kAllSteps & ~kRepaint);
    repaintCommitted(row, before);
    // The length typed after the switch is part of it.
    if (lengthSwitch && table->undoStepsRecorded() == *lengthSwitch + 1)
        table->joinNewestUndoSteps(2);
}
