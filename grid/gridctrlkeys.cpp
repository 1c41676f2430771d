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

} // namespace

void CGridCtrl::OnKeyDown(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    KeyDown(nChar, modifiers);
}

bool CGridCtrl::KeyDown(UINT nChar, Qt::KeyboardModifiers modifiers)
{
    if (!IsValid(m_idCurrentCell))
        return true;
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    CGridCellPos next = m_idCurrentCell;
    bool defaultProcessing = false;
    m_bWrappedTab = false;

    if (ctrl && nChar >= 45 && nChar <= 88) {
        if (nChar == VK_INSERT || nChar == 'C')
            OnEditCopy();
        else if (nChar == 'A')
            OnEditSelectAll();
        else if (nChar == 'V')
            OnEditPaste();
        else if (nChar == 'X')
            OnEditCut();
    }
    if (shift && nChar == VK_INSERT) {
        OnEditPaste();
        return true;
    }

    const auto visibleRow = [this](int row) { return GetRowHeight(row) > 0; };
    const auto visibleCol = [this](int col) { return GetColumnWidth(col) > 0; };
    const auto firstRow = [&] {
        int row = m_nFixedRows;
        while (row < m_nRows - 1 && !visibleRow(row))
            ++row;
        return row;
    };
    const auto firstCol = [&] {
        int col = m_nFixedCols;
        while (col < m_nCols - 1 && !visibleCol(col))
            ++col;
        return col;
    };
    const auto lastRow = [&] {
        int row = m_nRows - 1;
        while (row > m_nFixedRows && !visibleRow(row))
            --row;
        return row;
    };
    const auto lastCol = [&] {
        int col = m_nCols - 1;
        while (col > m_nFixedCols && !visibleCol(col))
            --col;
        return col;
    };
    const auto rowBelow = [&](int row) {
        for (++row; row < m_nRows; ++row) {
            if (visibleRow(row))
                return row;
        }
        return -1;
    };
    const auto rowAbove = [&](int row) {
        for (--row; row >= m_nFixedRows; --row) {
            if (visibleRow(row))
                return row;
        }
        return -1;
    };
    const auto colRight = [&](int col) {
        for (++col; col < m_nCols; ++col) {
            if (visibleCol(col))
                return col;
        }
        return -1;
    };
    const auto colLeft = [&](int col) {
        for (--col; col >= m_nFixedCols; --col) {
            if (visibleCol(col))
                return col;
        }
        return -1;
    };

    const bool tab = nChar == VK_TAB;
    switch (nChar) {
    case VK_DELETE:
        CutSelectedText();
        break;
    case VK_DOWN:
        if (const int row = rowBelow(next.row); row >= 0)
            next.row = row;
        break;
    case VK_UP:
        if (const int row = rowAbove(next.row); row >= 0)
            next.row = row;
        break;
    case VK_RIGHT:
    case VK_LEFT:
    case VK_TAB: {
        const bool forward = nChar == VK_RIGHT || (tab && !shift);
        if (forward) {
            if (const int col = colRight(next.col); col >= 0) {
                next.col = col;
                defaultProcessing = tab;
            } else if (tab) {
                if (const int row = rowBelow(next.row); row >= 0) {
                    next = CGridCellPos(row, firstCol());
                    m_bWrappedTab = true;
                } else {
                    defaultProcessing = true;
                }
            }
        } else {
            if (const int col = colLeft(next.col); col >= 0) {
                next.col = col;
                defaultProcessing = tab;
            } else if (tab) {
                if (const int row = rowAbove(next.row); row >= 0) {
                    next = CGridCellPos(row, lastCol());
                    m_bWrappedTab = true;
                } else {
                    defaultProcessing = true;
                }
            }
        }
        break;
    }
    case VK_NEXT: {
        const CGridCellPos oldTop = GetFirstScrolledCell(true);
        OnVScroll(SB_PAGEDOWN);
        const int moved = GetFirstScrolledCell(true).row - oldTop.row;
        next.row = moved > 0 ? std::min(m_nRows - 1, next.row + moved) : m_nRows - 1;
        break;
    }
    case VK_PRIOR: {
        const CGridCellPos oldTop = GetFirstScrolledCell(true);
        OnVScroll(SB_PAGEUP);
        const int moved = oldTop.row - GetFirstScrolledCell(true).row;
        next.row = moved > 0 ? std::max(m_nFixedRows, next.row - moved) : m_nFixedRows;
        break;
    }
    case VK_HOME:
        if (ctrl) {
            OnVScroll(SB_TOP);
            OnHScroll(SB_LEFT);
            next.row = firstRow();
        } else {
            OnHScroll(SB_LEFT);
        }
        next.col = firstCol();
        break;
    case VK_END:
        if (ctrl) {
            OnVScroll(SB_BOTTOM);
            OnHScroll(SB_RIGHT);
            next.row = lastRow();
        } else {
            OnHScroll(SB_RIGHT);
        }
        next.col = lastCol();
        break;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, QPoint(-1, -1), VK_LBUTTON);
        return false;
    default:
        return true;
    }

    if (next == m_idCurrentCell || !IsValid(next))
        return defaultProcessing;

    if (m_MouseMode == MouseIdle) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
        if (!shift || tab)
            m_SelectionStartCell = next;
        SendMessageToParent(next.row, next.col, GridSelChanging);
        OnSelecting(next);
        SendMessageToParent(next.row, next.col, GridSelChanged);
        m_MouseMode = MouseIdle;
    }
    SetFocusCell(next);

    if (!IsCellOnScreen(next.row, next.col)) {
        if (tab && !shift) {
            if (m_bWrappedTab) {
                OnVScroll(SB_LINEDOWN);
                SetScrollPosition(SB_HORZ, 0);
            } else {
                OnHScroll(SB_LINERIGHT);
            }
        } else if (tab) {
            if (m_bWrappedTab) {
                OnVScroll(SB_LINEUP);
                SetScrollPosition(SB_HORZ, m_nHScrollMax);
            } else {
                OnHScroll(SB_LINELEFT);
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
        ScrollCellIntoView(next);
        InvalidateGrid();
    }
    ScrollCellIntoView(next);
    return defaultProcessing;
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
