#include "grid/griddatepicker.h"

#include "grid/gridctrl.h"
#include "grid/grideditbox.h"
#include "grid/gridkeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

CGridDatePicker::CGridDatePicker(CGridCtrl* parent, const platform::Rect& rect, DWORD style,
                                 UINT id, int row, int col, COLORREF crFore, COLORREF crBack,
                                 QDateTime* pTime, UINT firstChar)
    : QDateTimeEdit(parent ? parent->viewport() : nullptr), m_pTime(pTime), m_pGrid(parent),
      m_nID(id), m_nRow(row), m_nCol(col), m_crForeClr(crFore), m_crBackClr(crBack)
{
    setObjectName(QStringLiteral("GridDatePicker"));
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        setDisplayFormat(QStringLiteral("H:mm:ss"));
    else if (style & DTS_LONGDATEFORMAT)
        setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    else
        setDisplayFormat(QStringLiteral("yyyy/M/d"));
    setCalendarPopup(!(style & DTS_UPDOWN));
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (pTime && pTime->isValid())
        setDateTime(*pTime);
    if (parent)
        setFont(parent->font());
    show();
    setFocus(Qt::OtherFocusReason);

    if (firstChar != VK_LBUTTON && firstChar != VK_RETURN && !isNavigationKey(firstChar)) {
        const char32_t c = firstChar;
        const QString text = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(this, &press);
    }
}

CGridDatePicker::~CGridDatePicker() = default;

bool CGridDatePicker::HandleKey(const QKeyEvent* event)
{
    const UINT key = editEndingKey(event, m_bExitOnArrows);
    if (!key)
        return false;
    FinishWith(key, keyModifiers(event));
    return true;
}

bool CGridDatePicker::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && HandleKey(key))
            return true;
    }
    return QDateTimeEdit::event(event);
}

void CGridDatePicker::keyPressEvent(QKeyEvent* event)
{
    if (HandleKey(event)) {
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void CGridDatePicker::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == this || isAncestorOf(focus)))
        return;
    EndEdit();
}

void CGridDatePicker::FinishWith(UINT key, Qt::KeyboardModifiers modifiers)
{
    m_nLastChar = key;
    m_endModifiers = modifiers;
    if (m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CGridDatePicker::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (m_pTime)
        *m_pTime = dateTime();
    sendEndEditRecord(m_pGrid, m_nID, m_nRow, m_nCol, m_nLastChar, text(), m_endModifiers);
    hide();
    deleteLater();
}
