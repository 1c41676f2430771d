// The grid's keyboard: moving the focus cell and extending the selection,
// the editing shortcuts, starting an edit by typing, continuing an edit in
// the next cell, the auto-scroll timer and the title tip.

#include "grid/gridctrl.h"

#include "grid/gridkeys.h"
#include "grid/gridtipwnd.h"

#include <QCursor>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace {

// Keys the grid takes before the window's shortcuts do.
bool isGridShortcut(const QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
    case Qt::Key_A:
        return ctrl;
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

// The rows or the columns as the keys walk them: hidden ones (of no height
// or width) are stepped over.
struct ShownLines {
    const CGridCtrl& grid;
    int fixed;
    int count;
    int (CGridCtrl::*extent)(int) const;

    bool shown(int i) const { return (grid.*extent)(i) > 0; }
    int first() const
    {
        int i = fixed;
        while (i < count - 1 && !shown(i))
            ++i;
        return i;
    }
    int last() const
    {
        int i = count - 1;
        while (i > fixed && !shown(i))
            --i;
        return i;
    }
    // The next shown one after `i` (step 1) or before it (step -1), or -1;
    // going back stops at the fixed ones.
    int after(int i, int step) const
    {
        for (i += step; step > 0 ? i < count : i >= fixed; i += step) {
            if (shown(i))
                return i;
        }
        return -1;
    }
};

ShownLines shownRows(const CGridCtrl& grid)
{
    return {grid, grid.GetFixedRowCount(), grid.GetRowCount(), &CGridCtrl::GetRowHeight};
}

ShownLines shownColumns(const CGridCtrl& grid)
{
    return {grid, grid.GetFixedColumnCount(), grid.GetColumnCount(), &CGridCtrl::GetColumnWidth};
}

} // namespace

void CGridCtrl::OnKeyDown(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    KeyDown(nChar, modifiers);
}

bool CGridCtrl::KeyDown(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    if (!IsValid(m_idCurrentCell))
        return true;
    m_bWrappedTab = false;
    if (RunEditShortcut(nChar, modifiers))
        return true;
    const KeyMove move = KeyMoveTarget(nChar, modifiers);
    if (!move.cell || *move.cell == m_idCurrentCell || !IsValid(*move.cell))
        return move.defaultProcessing;
    MoveFocusByKey(*move.cell, nChar, modifiers & Qt::ShiftModifier);
    return move.defaultProcessing;
}

bool CGridCtrl::RunEditShortcut(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) && nChar >= 45 && nChar <= 88) {
        if (nChar == VK_INSERT || nChar == 'C')
            OnEditCopy();
        else if (nChar == 'A')
            OnEditSelectAll();
        else if (nChar == 'V')
            OnEditPaste();
        else if (nChar == 'X')
            OnEditCut();
    }
    if ((modifiers & Qt::ShiftModifier) && nChar == VK_INSERT) {
        OnEditPaste();
        return true;
    }
    return false;
}

CGridCtrl::KeyMove CGridCtrl::KeyMoveTarget(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const ShownLines rows = shownRows(*this);
    CGridCellPos next = m_idCurrentCell;
    switch (nChar) {
    case VK_DELETE:
        CutSelectedText();
        return {next};
    case VK_DOWN:
    case VK_UP:
        if (const int row = rows.after(next.row, nChar == VK_DOWN ? 1 : -1); row >= 0)
            next.row = row;
        return {next};
    case VK_RIGHT:
    case VK_LEFT:
    case VK_TAB:
        return SidewaysKeyMove(nChar, modifiers & Qt::ShiftModifier);
    case VK_NEXT:
    case VK_PRIOR:
        next.row = PageKeyRow(nChar == VK_NEXT);
        return {next};
    case VK_HOME:
    case VK_END:
        return {EdgeKeyTarget(nChar == VK_END, ctrl)};
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, QPoint(-1, -1), VK_LBUTTON);
        return {std::nullopt, false};
    default:
        return {std::nullopt, true};
    }
}

CGridCtrl::KeyMove CGridCtrl::SidewaysKeyMove(UINT nChar, bool shift)
{
    const bool tab = nChar == VK_TAB;
    const int step = nChar == VK_RIGHT || (tab && !shift) ? 1 : -1;
    const ShownLines rows = shownRows(*this);
    const ShownLines cols = shownColumns(*this);
    CGridCellPos next = m_idCurrentCell;
    if (const int col = cols.after(next.col, step); col >= 0) {
        next.col = col;
        return {next, tab};
    }
    if (!tab)
        return {next};
    if (const int row = rows.after(next.row, step); row >= 0) {
        m_bWrappedTab = true;
        return {CGridCellPos(row, step > 0 ? cols.first() : cols.last())};
    }
    return {next, true};
}

int CGridCtrl::PageKeyRow(bool down)
{
    const int row = m_idCurrentCell.row;
    const CGridCellPos oldTop = GetFirstScrolledCell(true);
    OnVScroll(down ? SB_PAGEDOWN : SB_PAGEUP);
    const int newTop = GetFirstScrolledCell(true).row;
    if (down) {
        const int moved = newTop - oldTop.row;
        return moved > 0 ? std::min(m_nRows - 1, row + moved) : m_nRows - 1;
    }
    const int moved = oldTop.row - newTop;
    return moved > 0 ? std::max(m_nFixedRows, row - moved) : m_nFixedRows;
}

CGridCellPos CGridCtrl::EdgeKeyTarget(bool end, bool ctrl)
{
    const ShownLines rows = shownRows(*this);
    const ShownLines cols = shownColumns(*this);
    CGridCellPos next = m_idCurrentCell;
    if (ctrl) {
        OnVScroll(end ? SB_BOTTOM : SB_TOP);
        OnHScroll(end ? SB_RIGHT : SB_LEFT);
        next.row = end ? rows.last() : rows.first();
    } else {
        OnHScroll(end ? SB_RIGHT : SB_LEFT);
    }
    next.col = end ? cols.last() : cols.first();
    return next;
}

void CGridCtrl::MoveFocusByKey(const CGridCellPos& next, UINT nChar, bool shift)
{
    if (m_MouseMode == MouseIdle) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
        if (!shift || nChar == VK_TAB)
            m_SelectionStartCell = next;
        SendMessageToParent(next.row, next.col, GridSelChanging);
        OnSelecting(next);
        SendMessageToParent(next.row, next.col, GridSelChanged);
        m_MouseMode = MouseIdle;
    }
    SetFocusCell(next);

    if (!IsCellOnScreen(next.row, next.col)) {
        ScrollLineForKey(nChar, shift);
        ScrollCellIntoView(next);
        InvalidateGrid();
    }
    ScrollCellIntoView(next);
}

void CGridCtrl::ScrollLineForKey(UINT nChar, bool shift)
{
    if (nChar == VK_TAB) {
        const bool forward = !shift;
        if (m_bWrappedTab) {
            OnVScroll(forward ? SB_LINEDOWN : SB_LINEUP);
            SetScrollPosition(SB_HORZ, forward ? 0 : m_nHScrollMax);
        } else {
            OnHScroll(forward ? SB_LINERIGHT : SB_LINELEFT);
        }
    } else if (nChar == VK_RIGHT) {
        OnHScroll(SB_LINERIGHT);
    } else if (nChar == VK_LEFT) {
        OnHScroll(SB_LINELEFT);
    } else if (nChar == VK_DOWN) {
        OnVScroll(SB_LINEDOWN);
    } else if (nChar == VK_UP) {
        OnVScroll(SB_LINEUP);
    }
}

void CGridCtrl::OnChar(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) || m_MouseMode != MouseIdle || nChar == VK_ESCAPE)
        return;
    if (nChar == VK_TAB && m_bHandleTabKey)
        return;
    StartEditWithChar(nChar);
}

void CGridCtrl::OnImeChar(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) || m_MouseMode != MouseIdle || nChar == VK_ESCAPE)
        return;
    StartEditWithChar(nChar);
}

void CGridCtrl::StartEditWithChar(UINT nChar)
{
    const CGridCellPos cell = m_idCurrentCell;
    OnEditCell(cell.row, cell.col, QPoint(-1, -1), nChar);
    // The characters ! " # $ % & ' ( share their codes with the movement
    // keys, for which an editor only selects its text: type them as well.
    if (!isNavigationKey(nChar) || !IsItemEditing(cell.row, cell.col))
        return;
    const CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (auto* edit = qobject_cast<QLineEdit*>(pCell ? pCell->GetEditWnd() : nullptr))
        edit->insert(QString(QChar(static_cast<char16_t>(nChar))));
}

bool CGridCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool isTab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (isTab && m_bHandleTabKey && !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    } else if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isGridShortcut(key)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    HideTitleTip();
    Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->key() == Qt::Key_Backtab)
        modifiers |= Qt::ShiftModifier;
    UINT key = gridKeyFromQtKey(event->key());
    QString text = event->text();
    // Enter moves on like Tab.
    if (key == VK_RETURN) {
        key = VK_TAB;
        text = QStringLiteral("\t");
    } else if (key == VK_TAB) {
        text = QStringLiteral("\t");
    }

    const CGridCellPos before = m_idCurrentCell;
    const bool defaultProcessing = key ? KeyDown(key, modifiers) : true;

    UINT ch = 0;
    if (!text.isEmpty()) {
        ch = text.toUcs4().value(0);
        const bool control = ch < 0x20 && ch != VK_BACK && ch != VK_TAB;
        if (control || ch == 0x7F)
            ch = 0;
    }
    if (ch)
        OnChar(ch, modifiers);

    if (key == VK_TAB && defaultProcessing && before == m_idCurrentCell) {
        // Tab in the last cell leaves the grid.
        focusNextPrevChild(!(modifiers & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if (!ch && defaultProcessing && (key == 0 || key == VK_ESCAPE)) {
        event->ignore();
        return;
    }
    event->accept();
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event)
{
    const QString text = event->commitString();
    if (text.isEmpty()) {
        QAbstractScrollArea::inputMethodEvent(event);
        return;
    }
    const char32_t first = text.toUcs4().value(0);
    OnImeChar(first, QGuiApplication::keyboardModifiers());
    // The rest of a composed text goes into the editor it opened.
    const QString rest = text.mid(QString::fromUcs4(&first, 1).size());
    if (!rest.isEmpty()) {
        CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col);
        if (auto* edit = qobject_cast<QLineEdit*>(cell ? cell->GetEditWnd() : nullptr))
            edit->insert(rest);
    }
    event->accept();
}

LRESULT CGridCtrl::OnEndInPlaceEdit(GridDisplayInfo* pgvItem, Qt::KeyboardModifiers modifiers)
{
    if (!pgvItem)
        return 0;
    const GridItem& item = pgvItem->item;
    OnEndEditCell(item.row, item.col, item.strText);

    const UINT key = static_cast<UINT>(item.lParam);
    if (key == VK_TAB || isNavigationKey(key)) {
        OnKeyDown(key, modifiers);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, QPoint(-1, -1), key);
    }
    return 0;
}

QPoint CGridCtrl::GetCursorClientPos() const
{
    return viewport()->mapFromGlobal(QCursor::pos());
}

void CGridCtrl::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != AutoScrollTimerId)
        return;
    const QPoint pt = GetCursorClientPos();
    const platform::Rect rect = GetClientRect();
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    const int x = std::clamp(pt.x(), rect.left, rect.right);
    const int y = std::clamp(pt.y(), rect.top, rect.bottom);

    const auto extendTo = [this](QPoint point) {
        const CGridCellPos cell = CellFromPoint(point);
        if (IsValid(cell))
            OnSelecting(cell);
    };
    if (pt.y() > rect.bottom) {
        OnKeyDown(VK_DOWN);
        extendTo(QPoint(x, rect.bottom));
    } else if (pt.y() < fixedHeight) {
        OnKeyDown(VK_UP);
        extendTo(QPoint(x, fixedHeight + 1));
    }
    if (pt.x() > rect.right) {
        OnKeyDown(VK_RIGHT);
        extendTo(QPoint(rect.right, y));
    } else if (pt.x() < fixedWidth) {
        OnKeyDown(VK_LEFT);
        extendTo(QPoint(fixedWidth + 1, y));
    }
}

void CGridCtrl::ShowTitleTip(const CGridCellPos& cell)
{
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (!pCell || pCell->IsEditing())
        return;
    const QString tip = pCell->GetTipText();
    if (tip.isEmpty())
        return;
    platform::Rect rect;
    if (!GetCellRect(cell, &rect))
        return;
    platform::Rect textRect = rect;
    if (!pCell->GetTipTextRect(&textRect))
        return;
    if (!m_pTitleTip) {
        m_pTitleTip = new CGridTipWnd(this);
        m_pTitleTip->Create(viewport());
    }
    m_pTitleTip->Show(textRect, tip, 0, &rect, pCell->GetFont(), m_crTitleTipTextClr,
                      m_crTitleTipBackClr);
}

void CGridCtrl::HideTitleTip()
{
    if (m_pTitleTip)
        m_pTitleTip->Hide();
}
