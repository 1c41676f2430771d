#include "shapeui/labeledit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

namespace {

// Set while an edit is being ended, so that the focus changes of the
// notice's receiver cannot end one a second time.
bool g_ending = false;

Qt::Alignment alignmentOf(unsigned style)
{
    if (style & CVes_LabelEdit::ES_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (style & CVes_LabelEdit::ES_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The key code the box records for a navigation key, 0 for others.
int navigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return CVes_LabelEdit::kPageUp;
    case Qt::Key_PageDown: return CVes_LabelEdit::kPageDown;
    case Qt::Key_Left: return CVes_LabelEdit::kLeft;
    case Qt::Key_Up: return CVes_LabelEdit::kUp;
    case Qt::Key_Right: return CVes_LabelEdit::kRight;
    case Qt::Key_Down: return CVes_LabelEdit::kDown;
    default: return 0;
    }
}

} // namespace

CVes_LabelEdit::CVes_LabelEdit(QWidget* parent, const QRect& rect, unsigned style, int controlId,
                               int item, int subItem, const QString& initialText, int firstChar)
    : QLineEdit(parent)
    , m_item(item)
    , m_subItem(subItem)
    , m_initialText(initialText)
    , m_exitOnArrows(firstChar != 1)
    , m_rect(rect)
    , m_controlId(controlId)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("labelEdit%1").arg(controlId));
    setFrame(true);
    setAlignment(alignmentOf(style));
    if (parent)
        setFont(parent->font());
    setGeometry(rect);
    setText(initialText);
    show();
    setFocus(Qt::OtherFocusReason);

    switch (firstChar) {
    case 1:
    case kEnter:
        deselect();
        setCursorPosition(int(text().size()));
        break;
    case 8:
        deselect();
        setCursorPosition(int(text().size()));
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace,
                                                        Qt::NoModifier));
        break;
    case kTab:
    case 32:
    case 33: case 34: case 35: case 36: case 37: case 38: case 39: case 40:
        selectAll();
        break;
    default:
        selectAll();
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown,
                                                        Qt::NoModifier,
                                                        QString(QChar(char16_t(firstChar)))));
        break;
    }
}

QWidget* CVes_LabelEdit::owner() const
{
    return m_owner ? m_owner.data() : parentWidget();
}

void CVes_LabelEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (const int nav = navigationKey(key)) {
        if (m_exitOnArrows || (event->modifiers() & Qt::ControlModifier))
            finishWithKey(nav);
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finishWithKey(kEnter);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_lastKey = kTab;
        Q_EMIT charForOwner(kTab);
        return;
    case Qt::Key_Escape:
        setText(m_initialText);
        finishWithKey(kEscape);
        return;
    default:
        QLineEdit::keyPressEvent(event);
        growToText();
        return;
    }
}

void CVes_LabelEdit::finishWithKey(int key)
{
    m_lastKey = key;
    if (QWidget* parent = parentWidget())
        parent->setFocus(Qt::OtherFocusReason);
    // Without an active window the focus does not move; end the edit here.
    endEdit();
}

void CVes_LabelEdit::growToText()
{
    const int wanted = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  "));
    if (wanted <= m_rect.width())
        return;
    int right = m_rect.left() + wanted;
    if (const QWidget* parent = parentWidget())
        right = std::min(right, parent->rect().right() + 1);
    m_rect.setWidth(right - m_rect.left());
    setGeometry(m_rect);
}

bool CVes_LabelEdit::event(QEvent* event)
{
    // Tab belongs to the box, not to focus navigation.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CVes_LabelEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Text composed with an input method widens the box as typed text does.
    QLineEdit::inputMethodEvent(event);
    growToText();
}

void CVes_LabelEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    endEdit();
}

void CVes_LabelEdit::endEdit()
{
    if (m_ended || g_ending)
        return;
    m_ended = true;
    g_ending = true;
    LabelEditEnd notice;
    notice.controlId = m_controlId;
    notice.item = m_item;
    notice.subItem = m_subItem;
    if (m_lastKey != kEscape) {
        notice.hasText = true;
        notice.text = text();
        notice.textLength = int(notice.text.size());
    }
    Q_EMIT labelEditEnded(notice);
    g_ending = false;
    close(); // deletes the box
}
