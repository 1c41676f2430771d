// The grid's clipboard and drag and drop: the selection as text with tabs
// between cells and line feeds between rows, pasting such text back cell by
// cell through the owner's consent, and dragging it within and between grids.

#include "grid/gridctrl.h"

#include "grid/gridtipwnd.h"
#include "platform/gbk.h"

#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QRegularExpression>
#include <vector>

namespace {

UINT dragKeyState(Qt::KeyboardModifiers modifiers)
{
    UINT state = 0;
    if (modifiers & Qt::ControlModifier)
        state |= CGridCtrl::MK_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        state |= CGridCtrl::MK_SHIFT;
    return state;
}

void grow(CGridCellSpan& range, int row, int col)
{
    if (!range.IsValid()) {
        range = CGridCellSpan(row, col, row, col);
        return;
    }
    range.SetMinRow(std::min(range.GetMinRow(), row));
    range.SetMinCol(std::min(range.GetMinCol(), col));
    range.SetMaxRow(std::max(range.GetMaxRow(), row));
    range.SetMaxCol(std::max(range.GetMaxCol(), col));
}

} // namespace

void CGridCtrl::PasteCellText(int nRow, int nCol, const QString& text)
{
    if (!IsCellEditable(nRow, nCol) || !IsValid(nRow, nCol))
        return;
    if (SendMessageToParent(nRow, nCol, GridBeginEdit) < 0)
        return;
    const QString old = GetItemText(nRow, nCol);
    if (text == old)
        return;
    SetItemText(nRow, nCol, text);
    if (ValidateEdit(nRow, nCol, text) && SendMessageToParent(nRow, nCol, GridEndEdit) >= 0) {
        SetModified(true, nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        SetItemText(nRow, nCol, old);
    }
}

void CGridCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return;
    // Each change may touch the map; work from a copy.
    const auto selected = m_SelectedCellMap;
    for (const auto& [key, cell] : selected)
        PasteCellText(cell.row, cell.col, QString());
}

bool CGridCtrl::SelectedText(QString* pText)
{
    const CGridCellSpan selection = GetSelectedCellRange();
    if (!IsValid(selection))
        return false;
    if (m_bVirtualMode)
        SendCacheHintToParent(selection);

    QString text;
    for (int row = selection.GetMinRow(); row <= selection.GetMaxRow(); ++row) {
        if (GetRowHeight(row) == 0)
            continue;
        for (int col = selection.GetMinCol(); col <= selection.GetMaxCol(); ++col) {
            if (GetColumnWidth(col) == 0)
                continue;
            const CGridCellBase* cell = GetCell(row, col);
            if (cell && IsCellSelected(row, col))
                text += cell->GetText();
            if (col != selection.GetMaxCol())
                text += QLatin1Char('\t');
        }
        if (row != selection.GetMaxRow())
            text += QLatin1Char('\n');
    }

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan());
    *pText = text;
    return true;
}

QByteArray CGridCtrl::CopyTextBlock()
{
    QString text;
    if (!SelectedText(&text))
        return {};
    QByteArray block = platform::gbk::encode(text);
    block.append('\0');
    return block;
}

std::unique_ptr<QMimeData> CGridCtrl::CopyTextFromGrid()
{
    QString text;
    if (!SelectedText(&text))
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

bool CGridCtrl::PasteTextToGrid(CGridCellPos cell, const QMimeData* pDataObject, bool bSelectPasted)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || !pDataObject || !pDataObject->hasText())
        return false;

    QStringList lines = pDataObject->text().split(QLatin1Char('\n'));
    // Text from other programs often ends with a line feed: no empty last row.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();

    static const QRegularExpression fieldSeparator(QStringLiteral("[\t,]"));
    CGridCellSpan pasted;
    int rowOffset = 0;
    for (const QString& line : lines) {
        int row = cell.row + rowOffset;
        while (row < m_nRows && GetRowHeight(row) == 0) {
            ++rowOffset;
            ++row;
        }
        int colOffset = 0;
        for (const QString& field : line.split(fieldSeparator)) {
            int col = cell.col + colOffset;
            while (col < m_nCols && GetColumnWidth(col) == 0) {
                ++colOffset;
                ++col;
            }
            if (IsValid(row, col)) {
                PasteCellText(row, col, field.trimmed());
                SetItemState(row, col, GetItemState(row, col) & ~GridStateSelected);
                grow(pasted, row, col);
            }
            ++colOffset;
        }
        ++rowOffset;
    }
    m_PastedRange = pasted;

    if (bSelectPasted) {
        SetSelectedRange(pasted, true);
    } else {
        ResetSelectedRange();
        InvalidateGrid();
    }
    return true;
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    std::unique_ptr<QMimeData> data = CopyTextFromGrid();
    if (!data)
        return;
    QGuiApplication::clipboard()->setMimeData(data.release());
    CutSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    if (std::unique_ptr<QMimeData> data = CopyTextFromGrid())
        QGuiApplication::clipboard()->setMimeData(data.release());
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    const CGridCellSpan selection = GetSelectedCellRange();
    CGridCellPos cell = IsValid(selection) ? selection.GetTopLeft() : m_idCurrentCell;
    if (!IsValid(cell))
        cell = GetFirstScrolledCell();
    if (!IsValid(cell))
        return;

    if (IsItemEditing(cell.row, cell.col)) {
        const CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (auto* edit = qobject_cast<QLineEdit*>(pCell ? pCell->GetEditWnd() : nullptr)) {
            edit->paste();
            return;
        }
    }
    PasteTextToGrid(cell, QGuiApplication::clipboard()->mimeData(), true);
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GridSelChanging);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GridSelChanged);
}

bool CGridCtrl::OnUpdateEditCut()
{
    return m_bEditable && !m_SelectedCellMap.empty();
}

bool CGridCtrl::OnUpdateEditCopy()
{
    return !m_SelectedCellMap.empty();
}

bool CGridCtrl::OnUpdateEditPaste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) && data && data->hasText();
}

void CGridCtrl::OnBeginDrag()
{
    if (!m_bAllowDragAndDrop)
        return;
    std::unique_ptr<QMimeData> data = CopyTextFromGrid();
    if (!data)
        return;
    const CGridCellSpan selection = GetSelectedCellRange();
    SendMessageToParent(selection.GetMinRow(), selection.GetMinCol(), GridBeginDrag);
    m_MouseMode = MouseDragging;
    m_bLMouseButtonDown = false;

    std::vector<CGridCellPos> source;
    for (const auto& [key, cell] : m_SelectedCellMap)
        source.push_back(cell);
    m_bDragSource = true;
    m_bDroppedOnSelf = false;
    m_PastedRange = CGridCellSpan();

    const Qt::DropAction action = DoDragDrop(std::move(data));

    // A move empties the cells the text came from, except those that
    // received it when it was dropped on this grid.
    if (action == Qt::MoveAction && m_bEditable) {
        for (const CGridCellPos& cell : source) {
            if (!(m_bDroppedOnSelf && m_PastedRange.InRange(cell)))
                PasteCellText(cell.row, cell.col, QString());
        }
    }
    m_bDragSource = false;
    m_bDroppedOnSelf = false;
    if (m_MouseMode == MouseDragging)
        m_MouseMode = MouseIdle;
}

Qt::DropAction CGridCtrl::DoDragDrop(std::unique_ptr<QMimeData> data)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    QPoint hotSpot;
    const QImage image = CreateDragImage(&hotSpot);
    if (!image.isNull()) {
        drag->setPixmap(QPixmap::fromImage(image));
        drag->setHotSpot(hotSpot);
    }
    return drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

Qt::DropAction CGridCtrl::OnDragEnter(const QMimeData* pDataObject, UINT dwKeyState, QPoint point)
{
    if (!m_bAllowDragAndDrop || !pDataObject || !pDataObject->hasText())
        return Qt::IgnoreAction;
    m_LastDragOverCell = CellFromPoint(point);
    if (!IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return Qt::IgnoreAction;
    const Qt::DropAction effect = (dwKeyState & MK_CONTROL) ? Qt::CopyAction : Qt::MoveAction;
    const CGridCellPos& cell = m_LastDragOverCell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GridStateDropHighlighted);
    RedrawCell(cell);
    return effect;
}

Qt::DropAction CGridCtrl::OnDragOver(const QMimeData* pDataObject, UINT dwKeyState, QPoint point)
{
    if (!m_bAllowDragAndDrop || !m_bEditable || !pDataObject || !pDataObject->hasText())
        return Qt::IgnoreAction;
    const CGridCellPos cell = CellFromPoint(point);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CGridCellPos(-1, -1);
        return Qt::IgnoreAction;
    }
    if (!IsCellEditable(cell))
        return Qt::IgnoreAction;
    const Qt::DropAction effect = (dwKeyState & MK_CONTROL) ? Qt::CopyAction : Qt::MoveAction;
    if (cell != m_LastDragOverCell) {
        OnDragLeave();
        m_LastDragOverCell = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GridStateDropHighlighted);
        RedrawCell(cell);
    }
    return effect;
}

void CGridCtrl::OnDragLeave()
{
    const CGridCellPos cell = m_LastDragOverCell;
    if (!IsValid(cell))
        return;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GridStateDropHighlighted);
    RedrawCell(cell);
}

bool CGridCtrl::OnDrop(const QMimeData* pDataObject, Qt::DropAction, QPoint)
{
    m_MouseMode = MouseIdle;
    if (!m_bAllowDragAndDrop || !IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return false;
    OnDragLeave();
    const bool pasted = PasteTextToGrid(m_LastDragOverCell, pDataObject, false);
    if (pasted && m_bDragSource)
        m_bDroppedOnSelf = true;
    return pasted;
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_bAllowDragAndDrop || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    // Taken even over a cell that refuses it, so that the moves follow.
    const Qt::DropAction effect =
        OnDragEnter(event->mimeData(), dragKeyState(event->modifiers()), event->position().toPoint());
    event->setDropAction(effect == Qt::IgnoreAction ? Qt::MoveAction : effect);
    event->accept();
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    const Qt::DropAction effect =
        OnDragOver(event->mimeData(), dragKeyState(event->modifiers()), event->position().toPoint());
    if (effect == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(effect);
    event->accept();
}

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    OnDragLeave();
    event->accept();
}

void CGridCtrl::dropEvent(QDropEvent* event)
{
    const Qt::DropAction effect = event->dropAction();
    if (OnDrop(event->mimeData(), effect, event->position().toPoint())) {
        event->setDropAction(effect);
        event->accept();
    } else {
        event->ignore();
    }
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        HideTitleTip();
    return QAbstractScrollArea::viewportEvent(event);
}
