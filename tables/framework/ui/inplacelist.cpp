#include "tables/framework/ui/inplacelist.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <algorithm>

namespace {

bool isEndingKey(int qtKey)
{
    return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter || qtKey == Qt::Key_Tab
        || qtKey == Qt::Key_Backtab || qtKey == Qt::Key_Escape;
}

unsigned codeOfEndingKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return inplace::kTab;
    case Qt::Key_Escape: return inplace::kEscape;
    default: return inplace::kEnter;
    }
}

} // namespace

// The edit field

CVes_InPlaceListEdit::CVes_InPlaceListEdit(CVes_InPlaceList* list)
    : QLineEdit(list), m_list(list)
{
    setObjectName(QString::number(CVes_InPlaceList::kEditFieldId));
}

bool CVes_InPlaceListEdit::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The field handles its keys itself: the window's shortcuts never
        // see them.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (inplace::isAltChar(key))
            return true;
        // Tab belongs to the field (its release ends the edit), not to the
        // window's focus chain.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return true;
        break;
    }
    default:
        break;
    }
    return QLineEdit::event(event);
}

void CVes_InPlaceListEdit::keyPressEvent(QKeyEvent* event)
{
    if (inplace::navigationKey(event->key()) && (event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        m_list->navigationKeyDown(event->key(), event->modifiers());
        return;
    }
    // Enter and Escape act when they are released; pressed, they must not
    // reach the combo box, which would take Enter as a choice.
    if (isEndingKey(event->key())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CVes_InPlaceListEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (isEndingKey(event->key()) && !event->isAutoRepeat()) {
        event->accept();
        m_list->endingKeyUp(event->key());
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

void CVes_InPlaceListEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_list->fieldLostFocus(event->reason());
}

// The list

CVes_InPlaceList::CVes_InPlaceList(QWidget* parent, const platform::Rect& rect, unsigned style,
                                   unsigned id, int row, int column, const QStringList& items,
                                   const QString& initialText, unsigned firstChar)
    : QComboBox(parent)
    , m_row(row)
    , m_column(column)
    , m_initialText(initialText)
    , m_rect(rect)
    , m_cellHeight(rect.Height())
    , m_id(id)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QString::number(id));
    const bool editable = (style & 0x3) != CBS_DROPDOWNLIST;
    if (editable) {
        m_edit = new CVes_InPlaceListEdit(this);
        setLineEdit(m_edit);
    }
    setInsertPolicy(QComboBox::NoInsert);
    addItems(items);
    if (parent)
        setFont(parent->font());
    fitToItems();
    chooseInitialText();
    show();
    setFocus(Qt::OtherFocusReason);
    if (m_edit)
        treatFirstChar(firstChar);
}

CVes_InPlaceList::~CVes_InPlaceList() = default;

void CVes_InPlaceList::fitToItems()
{
    // The dropped part lies below the cell: four cell heights and a
    // horizontal scroll bar.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int dropHeight = kLines * m_cellHeight + scrollBar;
    m_rect.bottom += dropHeight;

    const QFontMetrics metrics(parentWidget() ? parentWidget()->font() : font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    m_droppedWidth = widest + scrollBar + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    if (m_rect.Width() < m_droppedWidth)
        m_rect.right = m_rect.left + m_droppedWidth;

    // The combo box is the field of the cell's height; the dropped part is
    // its own window, as wide as the widest item and without horizontal
    // scrolling.
    setGeometry(m_rect.left, m_rect.top, m_rect.Width(), m_cellHeight);
    view()->setMinimumWidth(m_droppedWidth);
    view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int itemHeight = count() > 0 ? view()->sizeHintForRow(0) : metrics.height();
    setMaxVisibleItems(std::max(1, dropHeight / std::max(1, itemHeight)));
}

void CVes_InPlaceList::chooseInitialText()
{
    // Only the very text is chosen: opening the list must not change the
    // cell's value into an item that merely begins like it.
    const int found = findText(m_initialText, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    setCurrentIndex(found);
    if (found < 0 && m_edit)
        setEditText(m_initialText);
}

void CVes_InPlaceList::treatFirstChar(unsigned firstChar)
{
    using namespace inplace;
    if (firstChar == kClick || firstChar == kEnter || firstChar == kBackspace) {
        m_edit->deselect();
        m_edit->setCursorPosition(int(m_edit->text().size()));
        if (firstChar == kBackspace) {
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                            charText(firstChar));
            QCoreApplication::sendEvent(m_edit, &typed);
        }
        return;
    }
    m_edit->selectAll();
    if (firstChar >= kPageUp && firstChar <= kDown)
        return;
    // The character is typed over the selected text (Tab and other control
    // characters type nothing).
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, charText(firstChar));
    QCoreApplication::sendEvent(m_edit, &typed);
}

InPlaceEditOwner* CVes_InPlaceList::owner() const
{
    return m_owner ? m_owner : dynamic_cast<InPlaceEditOwner*>(parentWidget());
}

QString CVes_InPlaceList::editText() const
{
    // A pure drop-down list on which nothing is chosen keeps the cell's text.
    if (!m_edit && currentIndex() < 0)
        return m_initialText;
    return currentText();
}

int CVes_InPlaceList::SelectString(int startAfter, const QString& text)
{
    const int n = count();
    const int first = startAfter < 0 || startAfter >= n ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            return i;
        }
    }
    return -1;
}

bool CVes_InPlaceList::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (inplace::isAltChar(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return true; // its release ends the edit
        break;
    }
    default:
        break;
    }
    return QComboBox::event(event);
}

void CVes_InPlaceList::keyPressEvent(QKeyEvent* event)
{
    if (inplace::navigationKey(event->key())) {
        navigationKeyDown(event->key(), event->modifiers());
        if (m_ended) {
            event->accept();
            return;
        }
    } else if (isEndingKey(event->key())) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CVes_InPlaceList::keyReleaseEvent(QKeyEvent* event)
{
    if (isEndingKey(event->key()) && !event->isAutoRepeat()) {
        event->accept();
        endingKeyUp(event->key());
        return;
    }
    QComboBox::keyReleaseEvent(event);
}

void CVes_InPlaceList::navigationKeyDown(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const unsigned key = inplace::navigationKey(qtKey);
    if (!key || m_ended)
        return;
    if (m_exitOnArrows || (modifiers & Qt::ControlModifier))
        finishWith(key);
}

void CVes_InPlaceList::endingKeyUp(int qtKey)
{
    if (m_ended)
        return;
    const unsigned key = codeOfEndingKey(qtKey);
    if (key == inplace::kEscape) {
        if (m_edit)
            setEditText(m_initialText);
        else
            setCurrentIndex(findText(m_initialText, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    finishWith(key);
}

void CVes_InPlaceList::finishWith(unsigned key)
{
    m_lastKey = key;
    hidePopup();
    const QPointer<CVes_InPlaceList> self(this);
    if (QWidget* parent = parentWidget())
        parent->setFocus(Qt::OtherFocusReason);
    // Without an active window the focus does not move; the edit ends here.
    if (self)
        EndEdit();
}

bool CVes_InPlaceList::focusStaysInside() const
{
    if (view()->isVisible())
        return true;
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

void CVes_InPlaceList::fieldLostFocus(Qt::FocusReason reason)
{
    if (reason != Qt::PopupFocusReason && !focusStaysInside())
        EndEdit();
}

void CVes_InPlaceList::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // The dropped part is a window of its own; only another window ends the
    // edit of a pure drop-down list. With a field, the field's focus counts.
    if (!m_edit && event->reason() != Qt::PopupFocusReason && !focusStaysInside())
        EndEdit();
}

void CVes_InPlaceList::closeEvent(QCloseEvent* event)
{
    // Closing an editor that is still open ends its edit: what was typed is
    // reported, not dropped.
    if (!m_ended) {
        const QPointer<CVes_InPlaceList> self(this);
        EndEdit();
        if (!self)
            return;
    }
    QComboBox::closeEvent(event);
}

void CVes_InPlaceList::EndEdit()
{
    // Once only: closing may take the focus from the field again.
    if (m_ended)
        return;
    m_ended = true;

    InPlaceEditNotify notify;
    notify.hdr.hwndFrom = this;
    notify.hdr.idFrom = m_id;
    notify.item.mask = InPlaceEditNotify::LVIF_TEXT | InPlaceEditNotify::LVIF_PARAM;
    notify.item.iItem = m_row;
    notify.item.iSubItem = m_column;
    if (m_lastKey != inplace::kEscape) {
        notify.item.pszText = editText();
        notify.item.cchTextMax = int(notify.item.pszText->size());
    }
    notify.item.lParam = qintptr(m_lastKey);
    const QPointer<CVes_InPlaceList> self(this);
    if (InPlaceEditOwner* receiver = owner())
        receiver->inPlaceEditEnded(notify);
    if (!self)
        return;
    hidePopup();
    // Closing a list that still holds the focus hands the focus back to the
    // parent rather than to whatever widget comes next in the window.
    if ((hasFocus() || isAncestorOf(QApplication::focusWidget())) && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    close(); // hides the list and deletes it from the event loop
}
