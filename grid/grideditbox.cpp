#include "grid/grideditbox.h"

#include "grid/gridctrl.h"
#include "grid/gridkeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace {

// One edit box at a time reports its end: a report that opens the next
// editor must not end that one on the way.
bool s_bEndingEdit = false;

QString charText(UINT ch)
{
    const char32_t c = ch;
    return QString::fromUcs4(&c, 1);
}

bool endsOnArrow(UINT key)
{
    return key == VK_PRIOR || key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN);
}

} // namespace

Qt::KeyboardModifiers keyModifiers(const QKeyEvent* event)
{
    Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->key() == Qt::Key_Backtab)
        modifiers |= Qt::ShiftModifier;
    return modifiers;
}

UINT editEndingKey(const QKeyEvent* event, bool exitOnArrows)
{
    const UINT key = gridKeyFromQtKey(event->key());
    if (endsOnArrow(key))
        return exitOnArrows || (event->modifiers() & Qt::ControlModifier) ? key : 0;
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ? key : 0;
}

void sendEndEditRecord(CGridCtrl* grid, UINT id, int row, int col, UINT lastChar, const QString& text,
                       Qt::KeyboardModifiers modifiers)
{
    if (!grid)
        return;
    GridDisplayInfo info;
    info.hdr = {grid, id, GridEndEdit};
    info.item.row = row;
    info.item.col = col;
    info.item.mask = GridItemMask::Text | GridItemMask::Data;
    info.item.lParam = static_cast<LPARAM>(lastChar);
    info.item.strText = text;
    grid->OnEndInPlaceEdit(&info, modifiers);
}

CGridEditBox::CGridEditBox(CGridCtrl* parent, const platform::Rect& rect, DWORD style, UINT id,
                           int row, int col, const QString& initText, UINT firstChar)
    : QLineEdit(parent ? parent->viewport() : nullptr), m_pGrid(parent), m_nID(id), m_nRow(row),
      m_nColumn(col), m_sInitText(initText), m_bExitOnArrows(firstChar != VK_LBUTTON), m_Rect(rect)
{
    setObjectName(QStringLiteral("GridEditBox"));
    setFrame(true);
    if (style & ES_RIGHT)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (style & ES_CENTER)
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (style & ES_NUMBER)
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (parent)
        setFont(parent->font());
    setText(initText);
    show();
    setFocus(Qt::OtherFocusReason);

    switch (firstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        setCursorPosition(static_cast<int>(text().size()));
        break;
    case VK_BACK:
        setCursorPosition(static_cast<int>(text().size()));
        backspace();
        break;
    case VK_TAB:
    case VK_SPACE:
        selectAll();
        break;
    default:
        selectAll();
        if (!isNavigationKey(firstChar))
            SendChar(firstChar);
        break;
    }
}

CGridEditBox::~CGridEditBox() = default;

void CGridEditBox::SendChar(UINT ch)
{
    if (m_bEnded)
        return;
    switch (ch) {
    case VK_TAB:
    case VK_RETURN:
        FinishWith(ch);
        return;
    case VK_ESCAPE:
        setText(m_sInitText);
        FinishWith(VK_ESCAPE);
        return;
    case VK_BACK:
        backspace();
        break;
    default:
        // Insert checks the text against the validator: a numeric box
        // refuses what is not a digit.
        insert(charText(ch));
        break;
    }
    GrowToText();
}

bool CGridEditBox::event(QEvent* event)
{
    // The box wants every key, Tab included, before the dialog sees it.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CGridEditBox::keyPressEvent(QKeyEvent* event)
{
    if (const UINT key = editEndingKey(event, m_bExitOnArrows)) {
        event->accept();
        if (key == VK_ESCAPE)
            setText(m_sInitText);
        FinishWith(key, keyModifiers(event));
        return;
    }
    QLineEdit::keyPressEvent(event);
    // Moving the cursor leaves the text as it is.
    if (!endsOnArrow(gridKeyFromQtKey(event->key())))
        GrowToText();
}

void CGridEditBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu of the box takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason)
        EndEdit();
}

void CGridEditBox::FinishWith(UINT key, Qt::KeyboardModifiers modifiers)
{
    m_nLastChar = key;
    m_endModifiers = modifiers;
    if (m_pGrid)
        m_pGrid->setFocus(Qt::OtherFocusReason);
    EndEdit();
}

void CGridEditBox::GrowToText()
{
    const int width = fontMetrics().horizontalAdvance(text() + QStringLiteral("  "));
    if (width <= this->width())
        return;
    int right = m_Rect.left + width;
    if (m_pGrid)
        right = std::min(right, m_pGrid->GetClientRect().right);
    if (right > m_Rect.right) {
        m_Rect.right = right;
        setGeometry(m_Rect.left, m_Rect.top, m_Rect.Width(), m_Rect.Height());
    }
}

void CGridEditBox::EndEdit()
{
    if (m_bEnded || s_bEndingEdit)
        return;
    m_bEnded = true;
    s_bEndingEdit = true;
    const QString finalText = text();
    sendEndEditRecord(m_pGrid, m_nID, m_nRow, m_nColumn, m_nLastChar, finalText, m_endModifiers);
    s_bEndingEdit = false;
    hide();
    deleteLater();
}
