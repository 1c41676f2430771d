#include "tables/framework/ui/inplaceedit.h"

#include <QCoreApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

namespace {

// Set while an edit box reports the end of its edit: what the owner does
// with the report (moving the focus, opening the next box) must not start a
// second end on the way.
bool s_endingEdit = false;

class EndingScope {
public:
    EndingScope() { s_endingEdit = true; }
    ~EndingScope() { s_endingEdit = false; }
    EndingScope(const EndingScope&) = delete;
    EndingScope& operator=(const EndingScope&) = delete;
};

Qt::Alignment alignmentOf(unsigned style)
{
    if (style & inplace::ES_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (style & inplace::ES_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The key a typed character code stands for, where the box treats that key
// apart from plain text (Tab and Enter are never typed at the start).
Qt::Key keyOfChar(unsigned ch)
{
    switch (ch) {
    case inplace::kBackspace: return Qt::Key_Backspace;
    case inplace::kEscape: return Qt::Key_Escape;
    default: return Qt::Key_unknown;
    }
}

} // namespace

bool InPlaceEditNotify::isTableCellEdit() const
{
    return hdr.code == LVN_ENDLABELEDIT && (hdr.idFrom & 0xFFFFu) == kInPlaceEditNotifyId;
}

unsigned inplace::navigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return kPageUp;
    case Qt::Key_PageDown: return kPageDown;
    case Qt::Key_Left: return kLeft;
    case Qt::Key_Up: return kUp;
    case Qt::Key_Right: return kRight;
    case Qt::Key_Down: return kDown;
    default: return 0;
    }
}

unsigned inplace::commandKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier))
        return 0;
    switch (qtKey) {
    case Qt::Key_Semicolon: return kSemicolonKey;
    case Qt::Key_Apostrophe: return kApostropheKey;
    default: return 0;
    }
}

QString inplace::charText(unsigned ch)
{
    const char32_t c = ch;
    return QString::fromUcs4(&c, 1);
}

bool inplace::isAltChar(const QKeyEvent* key)
{
    return (key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)
        && !key->text().isEmpty();
}

CVes_InPlaceEdit::CVes_InPlaceEdit(QWidget* parent, const platform::Rect& rect, unsigned style,
                                   unsigned id, int row, int column, const QString& initialText,
                                   unsigned firstChar)
    : QLineEdit(parent)
    , m_row(row)
    , m_column(column)
    , m_initialText(initialText)
    , m_exitOnArrows(firstChar != inplace::kClick)
    , m_rect(rect)
    , m_id(id)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::number(id));
    setFrame(true);
    setAlignment(alignmentOf(style));
    if (parent)
        setFont(parent->font());
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    setText(initialText);
    show();
    setFocus(Qt::OtherFocusReason);
    treatFirstChar(firstChar);
}

CVes_InPlaceEdit::~CVes_InPlaceEdit() = default;

void CVes_InPlaceEdit::treatFirstChar(unsigned firstChar)
{
    using namespace inplace;
    if (firstChar == kClick || firstChar == kEnter || firstChar == kBackspace) {
        deselect();
        setCursorPosition(int(text().size()));
        if (firstChar != kBackspace)
            return;
    } else {
        selectAll();
        if (firstChar == kTab || (firstChar >= kSpace && firstChar <= kDown))
            return;
    }
    // The character is typed as if the user had pressed it in the box, so
    // that it replaces the selected text; characters from 128 up arrive as
    // the input method delivers them.
    if (firstChar >= 128) {
        auto* typed = new QInputMethodEvent;
        typed->setCommitString(charText(firstChar));
        QCoreApplication::postEvent(this, typed);
        return;
    }
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, keyOfChar(firstChar),
                                                    Qt::NoModifier, charText(firstChar)));
}

InPlaceEditOwner* CVes_InPlaceEdit::owner() const
{
    return m_owner ? m_owner : dynamic_cast<InPlaceEditOwner*>(parentWidget());
}

bool CVes_InPlaceEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        if (inplace::isAltChar(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (inplace::isAltChar(key))
            return true;
        // The box wants every key: Tab ends the edit instead of moving the
        // focus along the window's chain.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CVes_InPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_ended) {
        event->accept();
        return;
    }
    if (const unsigned nav = inplace::navigationKey(event->key())) {
        if (m_exitOnArrows || (event->modifiers() & Qt::ControlModifier)) {
            event->accept();
            m_lastKey = nav;
            passKeyToOwner(nav);
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        finishWith(inplace::kEnter);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        event->accept();
        finishWith(inplace::kTab);
        return;
    case Qt::Key_Escape:
        event->accept();
        finishWith(inplace::kEscape);
        return;
    default:
        break;
    }
    if (const unsigned command = inplace::commandKey(event->key(), event->modifiers())) {
        InPlaceEditOwner* receiver = owner();
        if (receiver && receiver->isEditCommandKey(command)) {
            event->accept();
            finishWith(command);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
    widenToText();
}

void CVes_InPlaceEdit::inputMethodEvent(QInputMethodEvent* event)
{
    QLineEdit::inputMethodEvent(event);
    if (!event->commitString().isEmpty())
        widenToText();
}

void CVes_InPlaceEdit::finishWith(unsigned key)
{
    if (key == inplace::kEscape)
        setText(m_initialText);
    m_lastKey = key;
    if (key == inplace::kEnter) {
        // The owner hears the key even when its answer to the report was to
        // delete the box.
        InPlaceEditOwner* receiver = owner();
        moveFocusToParent();
        if (receiver)
            receiver->editKey(int(key));
        return;
    }
    const QPointer<CVes_InPlaceEdit> self(this);
    passKeyToOwner(key);
    // When the owner's answer to the key ended this edit already (it may
    // have opened the next cell's box, which holds the focus now), the focus
    // stays where it is.
    if (self && !m_ended)
        moveFocusToParent();
}

void CVes_InPlaceEdit::moveFocusToParent()
{
    const QPointer<CVes_InPlaceEdit> self(this);
    if (QWidget* parent = parentWidget())
        parent->setFocus(Qt::OtherFocusReason);
    // Without an active window the focus does not move; the edit ends here.
    if (self)
        EndEdit();
}

void CVes_InPlaceEdit::passKeyToOwner(unsigned key)
{
    if (InPlaceEditOwner* receiver = owner())
        receiver->editKey(int(key));
}

void CVes_InPlaceEdit::widenToText()
{
    const int wanted = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  "));
    if (wanted <= m_rect.Width())
        return;
    int right = m_rect.left + wanted;
    if (const QWidget* parent = parentWidget())
        right = std::min(right, parent->width());
    if (right <= m_rect.right)
        return;
    m_rect.right = right;
    setGeometry(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height());
}

void CVes_InPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The box's own context menu takes the focus only for a while.
    if (event->reason() != Qt::PopupFocusReason)
        EndEdit();
}

void CVes_InPlaceEdit::closeEvent(QCloseEvent* event)
{
    // Closing an editor that is still open ends its edit: what was typed is
    // reported, not dropped.
    if (!m_ended) {
        const QPointer<CVes_InPlaceEdit> self(this);
        EndEdit();
        if (!self)
            return;
    }
    QLineEdit::closeEvent(event);
}

void CVes_InPlaceEdit::EndEdit()
{
    if (m_ended || s_endingEdit)
        return;
    const EndingScope ending;
    m_ended = true;

    InPlaceEditNotify notify;
    notify.hdr.hwndFrom = this;
    notify.hdr.idFrom = m_id;
    notify.item.mask = InPlaceEditNotify::LVIF_TEXT;
    notify.item.iItem = m_row;
    notify.item.iSubItem = m_column;
    if (m_lastKey != inplace::kEscape) {
        notify.item.pszText = text();
        notify.item.cchTextMax = int(text().size());
    }
    const QPointer<CVes_InPlaceEdit> self(this);
    if (InPlaceEditOwner* receiver = owner())
        receiver->inPlaceEditEnded(notify);
    if (!self)
        return;
    // Closing a box that still holds the focus hands the focus back to the
    // parent rather than to whatever widget comes next in the window.
    if (hasFocus() && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    close(); // hides the box and deletes it from the event loop
}
