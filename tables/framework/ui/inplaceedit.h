#pragma once
// The one-line edit box that a table view lays over a cell, a title-block
// variable or a cover variable to edit its text in place. It knows nothing of
// tables: it carries a row, a column and the text, and when the edit ends
// (Enter, Tab, Escape, a navigation key the owner acts on, or the focus
// leaving it) it reports to its owner and closes and deletes itself.
//
// Also the record both in-place editors report with, and the interface of
// the window that receives it.

#include "platform/rect.h"

class QKeyEvent;

#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <optional>

// The end of an in-place edit: the list view's end-of-label-edit record.
struct InPlaceEditNotify {
    // Notification code of the end of a label edit.
    static constexpr int LVN_ENDLABELEDIT = -106;
    // Item mask bits: the text, the parameter.
    static constexpr unsigned LVIF_TEXT = 0x1;
    static constexpr unsigned LVIF_PARAM = 0x4;

    struct Header {
        QWidget* hwndFrom = nullptr; // the editor
        unsigned idFrom = 0;         // the editor's control identifier
        int code = LVN_ENDLABELEDIT;
    };
    struct Item {
        unsigned mask = LVIF_TEXT; // LVIF_TEXT from the edit box, | LVIF_PARAM from the list
        int iItem = 0;             // the row
        int iSubItem = 0;          // the column
        // The editor's text; none at all (not an empty one) after Escape, when
        // the owner keeps its old value.
        std::optional<QString> pszText;
        int cchTextMax = 0; // the length of that text
        qintptr lParam = 0; // the key that ended the edit (list only)
    };

    Header hdr;
    Item item;

    // The end of an edit that a table view opened: code -106 from control
    // 16672 (compared on the identifier's low 16 bits).
    bool isTableCellEdit() const;
};

// The control identifier the table views give their in-place editors, and
// the low 16 bits by which they recognise the editors' notification.
inline constexpr unsigned kInPlaceEditId = 0x14120;
inline constexpr unsigned kInPlaceEditNotifyId = 16672;

// The window an in-place editor reports to: its owner when one is set, else
// its parent when the parent is one.
class InPlaceEditOwner {
public:
    virtual ~InPlaceEditOwner() = default;
    // The end of an edit. Called once per edit box; the editor closes itself
    // afterwards and must not be deleted from here.
    virtual void inPlaceEditEnded(const InPlaceEditNotify& notify) = 0;
    // A key passed on to the owner as the character it is (13 Enter, 9 Tab,
    // 27 Escape; 33, 34, 37 to 40 for Page Up, Page Down and the arrows), for
    // the owner to move on as it does for that key; also a command key the
    // owner took (isEditCommandKey).
    virtual void editKey(int key) = 0;
    // Whether a key (a code of inplace::commandKey) is a command of the cell
    // being edited rather than a character of its text: the editor then
    // ends the edit with it (editKey) instead of typing it.
    virtual bool isEditCommandKey(unsigned key)
    {
        (void)key;
        return false;
    }
};

// Key codes the editors take and report.
namespace inplace {
inline constexpr unsigned kClick = 1; // first character of an edit opened by a click
inline constexpr unsigned kBackspace = 8;
inline constexpr unsigned kTab = 9;
inline constexpr unsigned kEnter = 13;
inline constexpr unsigned kEscape = 27;
inline constexpr unsigned kSpace = 32;
inline constexpr unsigned kPageUp = 33;
inline constexpr unsigned kPageDown = 34;
inline constexpr unsigned kLeft = 37;
inline constexpr unsigned kUp = 38;
inline constexpr unsigned kRight = 39;
inline constexpr unsigned kDown = 40;
// The semicolon and apostrophe keys of the main keyboard, by their key codes
// (their characters' codes are those of other keys).
inline constexpr unsigned kSemicolonKey = 0xBA;
inline constexpr unsigned kApostropheKey = 0xDE;

// Window and edit styles the views pass; the editors read the alignment.
inline constexpr unsigned WS_CHILD = 0x40000000;
inline constexpr unsigned WS_VISIBLE = 0x10000000;
inline constexpr unsigned WS_BORDER = 0x00800000;
inline constexpr unsigned WS_VSCROLL = 0x00200000;
inline constexpr unsigned WS_TABSTOP = 0x00010000;
inline constexpr unsigned ES_LEFT = 0x0000;
inline constexpr unsigned ES_CENTER = 0x0001;
inline constexpr unsigned ES_RIGHT = 0x0002;
inline constexpr unsigned ES_AUTOHSCROLL = 0x0080;

// The code an editor records for a navigation key that may end it (Page Up,
// Page Down, the arrows), 0 for any other key.
unsigned navigationKey(int qtKey);
// The code of a key that an owner may take as a command of the cell instead
// of a character (kSemicolonKey, kApostropheKey, typed without Ctrl or Alt),
// 0 for any other key.
unsigned commandKey(int qtKey, Qt::KeyboardModifiers modifiers);
// The text of a character code, also beyond the 16-bit range.
QString charText(unsigned ch);
// A character typed Alt held: the window's menu would take it. The editors
// swallow it instead.
bool isAltChar(const QKeyEvent* key);
} // namespace inplace

class CVes_InPlaceEdit final : public QLineEdit {
    Q_OBJECT
public:
    // Opens the box on `parent` over `rect` (the parent's client
    // coordinates), with the parent's font and the alignment of `style`,
    // shows `initialText`, takes the focus and treats `firstChar`: 1 (a
    // click) and 13 put the caret after the text; 8 does so and then types a
    // backspace; 9 and 32 to 40 select the whole text; any other selects it
    // and types the character, so that it replaces the text. The typing is
    // posted: it happens when the event loop next runs.
    CVes_InPlaceEdit(QWidget* parent, const platform::Rect& rect, unsigned style, unsigned id,
                     int row, int column, const QString& initialText, unsigned firstChar);
    ~CVes_InPlaceEdit() override;

    // The window that receives the report and the passed-on keys; the parent
    // (when it is an owner) while none is set. The owner must outlive the
    // edit or delete it first; deleting an open box reports nothing.
    void setOwner(InPlaceEditOwner* owner) { m_owner = owner; }
    InPlaceEditOwner* owner() const;

    // Ends the edit as losing the focus does: reports the text once and
    // closes the box, which deletes itself when control returns to the event
    // loop. Does nothing when the edit has ended, or while another edit box
    // is ending. Closing the box (close()) ends an open edit the same way.
    void EndEdit();

    // Whether the edit has ended; the box then only waits to be deleted.
    bool hasEnded() const { return m_ended; }
    unsigned controlId() const { return m_id; }
    int row() const { return m_row; }
    int column() const { return m_column; }
    QString initialText() const { return m_initialText; }
    unsigned lastKey() const { return m_lastKey; }
    bool exitOnArrows() const { return m_exitOnArrows; }
    // The box's rectangle in the parent's client coordinates.
    platform::Rect boxRect() const { return m_rect; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void treatFirstChar(unsigned firstChar);
    // Enter, Tab, Escape and a command key of the owner: passes the key on
    // and gives the focus back to the parent, in the order each key wants.
    void finishWith(unsigned key);
    void moveFocusToParent();
    void passKeyToOwner(unsigned key);
    // Widens the box to its text plus two spaces, up to the parent's right
    // edge; it never shrinks.
    void widenToText();

    int m_row;
    int m_column;
    QString m_initialText;
    unsigned m_lastKey = 0;
    bool m_exitOnArrows;
    platform::Rect m_rect;
    unsigned m_id;
    InPlaceEditOwner* m_owner = nullptr;
    bool m_ended = false;
};
