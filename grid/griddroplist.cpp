#include "grid/griddroplist.h"

#include "grid/grideditbox.h"
#include "grid/gridctrl.h"
#include "grid/gridkeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

CGridDropList::CGridDropList(CGridCtrl* parent, const platform::Rect& rect, DWORD style, UINT id,
                             int row, int col, COLORREF crFore, COLORREF crBack,
                             const QStringList& items, const QString& initText, UINT firstChar)
    : QComboBox(parent ? parent->viewport() : nullptr), m_pGrid(parent), m_nID(id),
      m_sInitText(initText), m_nRow(row), m_nCol(col), m_crForeClr(crFore), m_crBackClr(crBack)
{
    setObjectName(QStringLiteral("GridDropList"));
    const bool editable = (style & 0x3) == CBS_SIMPLE || (style & 0x3) == CBS_DROPDOWN;
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(m_nNumLines);
    addItems(items);
    if (parent)
        setFont(parent->font());
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());

    const int found = findText(initText, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    setCurrentIndex(found);
    if (found < 0 && editable)
        setEditText(initText);
    if (editable)
        lineEdit()->installEventFilter(this);

    show();
    setFocus(Qt::OtherFocusReason);
    if (editable)
        HandleFirstKey(firstChar);
    showPopup();
}

CGridDropList::~CGridDropList() = default;

void CGridDropList::HandleFirstKey(UINT firstChar)
{
    QLineEdit* edit = lineEdit();
    switch (firstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
        break;
    case VK_BACK:
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
        edit->backspace();
        break;
    default:
        edit->selectAll();
        if (!isNavigationKey(firstChar)) {
            const char32_t c = firstChar;
            edit->insert(QString::fromUcs4(&c, 1));
        }
        break;
    }
}

int CGridDropList::GetDroppedWidth() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int width = widest + scrollBar + metrics.horizontalAdvance(QLatin1Char('0'));
    return std::min(width, MaxDropWidth);
}

void CGridDropList::showPopup()
{
    // The list may be narrower or wider than the cell, never wider than the limit.
    view()->setMinimumWidth(GetDroppedWidth());
    view()->setMaximumWidth(std::max(GetDroppedWidth(), width()));
    QComboBox::showPopup();
}

bool CGridDropList::HandleKey(const QKeyEvent* event)
{
    const UINT key = editEndingKey(event, m_bExitOnArrows);
    if (!key)
        return false;
    if (key == VK_ESCAPE) {
        if (isEditable())
            setEditText(m_sInitText);
        else
            setCurrentIndex(findText(m_sInitText, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    FinishWith(key, keyModifiers(event));
    return true;
}

bool CGridDropList::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && HandleKey(key))
            return true;
    }
    return QComboBox::event(event);
}

bool CGridDropList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (HandleKey(key))
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            auto* focus = static_cast<QFocusEvent*>(event);
            if (focus->reason() != Qt::PopupFocusReason && !FocusStaysInside())
                EndEdit();
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CGridDropList::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CGridDropList::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // The dropped list takes the focus while it is open; only another
    // window ends the edit.
    if (event->reason() == Qt::PopupFocusReason || FocusStaysInside())
        return;
    EndEdit();
}

bool CGridDropList::FocusStaysInside() const
{
    // The dropped list is a window of its own, owned by the combo box.
    if (view()->isVisible())
        return true;
    for (const QObject* o = QApplication::focusWidget(); o; o = o->parent()) {
        if (o == this)
            return true;
    }
    return false;
}

void CGridDropList::FinishWith(UINT key, Qt::KeyboardModifiers modifiers)
{
    m_nLastChar = key;
    m_endModifiers = modifiers;
    hidePopup();
    if (m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CGridDropList::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    // A list without a choice keeps the cell's text.
    QString text = currentText();
    if (!isEditable() && currentIndex() < 0)
        text = m_sInitText;
    sendEndEditRecord(m_pGrid, m_nID, m_nRow, m_nCol, m_nLastChar, text, m_endModifiers);
    hide();
    deleteLater();
}
