#pragma once
// The drop-down list that a table view lays over a cell whose value is one
// of a few choices: a combo box, with an edit field unless its style makes it
// a pure drop-down list. It takes the focus, and when the edit ends (Enter,
// Tab, Escape, Ctrl with a navigation key, or the focus leaving it) it
// reports the text and the ending key to its owner and closes and deletes
// itself.

#include "tables/framework/ui/inplaceedit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

class CVes_InPlaceList;

// The list's edit field: passes Ctrl with a navigation key and the release
// of Enter, Tab and Escape to the list, and ends the list's edit when it
// loses the focus. It keeps every key from the window's shortcuts.
class CVes_InPlaceListEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit CVes_InPlaceListEdit(CVes_InPlaceList* list);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CVes_InPlaceList* m_list;
};

class CVes_InPlaceList final : public QComboBox {
    Q_OBJECT
public:
    // Combo styles: with an edit field, a pure drop-down list; the field
    // scrolls with its text.
    static constexpr unsigned CBS_DROPDOWN = 0x0002;
    static constexpr unsigned CBS_DROPDOWNLIST = 0x0003;
    static constexpr unsigned CBS_AUTOHSCROLL = 0x0040;
    // The edit field's control identifier, kept as its object name.
    static constexpr int kEditFieldId = 1001;
    // Height of the dropped part, in cell heights.
    static constexpr int kLines = 4;

    // Opens the list on `parent` over `rect` (the cell, in the parent's
    // client coordinates), widened to its widest item when the cell is
    // narrower, with the parent's font and the items in their order. The
    // item equal to `initialText` is chosen; when there is none the field
    // shows the text. An editable list then treats `firstChar`: 1 and 13 put
    // the caret after the text; 8 does so and types a backspace; 33 to 40
    // select the whole text; any other selects it and types the character.
    CVes_InPlaceList(QWidget* parent, const platform::Rect& rect, unsigned style, unsigned id,
                     int row, int column, const QStringList& items, const QString& initialText,
                     unsigned firstChar);
    ~CVes_InPlaceList() override;

    // The window that receives the report; the parent (when it is an owner)
    // while none is set. The owner must outlive the list or delete it first;
    // deleting an open list reports nothing.
    void setOwner(InPlaceEditOwner* owner) { m_owner = owner; }
    InPlaceEditOwner* owner() const;

    // Ends the edit: reports the text and the last key once and closes the
    // list, which deletes itself when control returns to the event loop.
    // Closing the list (close()) ends an open edit the same way.
    void EndEdit();

    // Chooses the first item after `startAfter` (-1: from the start, going
    // round to the beginning) that begins with `text`, case aside; answers
    // its index, or -1 leaving the choice as it was.
    int SelectString(int startAfter, const QString& text);

    bool hasEnded() const { return m_ended; }
    unsigned controlId() const { return m_id; }
    int row() const { return m_row; }
    int column() const { return m_column; }
    QString initialText() const { return m_initialText; }
    unsigned lastKey() const { return m_lastKey; }
    bool exitOnArrows() const { return m_exitOnArrows; }
    // The edit field, null for a pure drop-down list.
    CVes_InPlaceListEdit* editField() const { return m_edit; }
    // The list's rectangle with its dropped part, in the parent's client
    // coordinates; the combo box itself is the cell's height.
    platform::Rect listRect() const { return m_rect; }
    int cellHeight() const { return m_cellHeight; }
    // Width of the dropped part: the widest item, a scroll bar and two
    // spaces.
    int droppedWidth() const { return m_droppedWidth; }
    // The text the edit ends with.
    QString editText() const;

    // From the edit field: key-down of Ctrl with a navigation key, key-up of
    // Enter, Tab or Escape.
    void navigationKeyDown(int qtKey, Qt::KeyboardModifiers modifiers);
    void endingKeyUp(int qtKey);
    // The edit field lost the focus.
    void fieldLostFocus(Qt::FocusReason reason);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitToItems();
    void chooseInitialText();
    void treatFirstChar(unsigned firstChar);
    void finishWith(unsigned key);
    // The focus went to the list's own parts (its field, its dropped part),
    // not to another window.
    bool focusStaysInside() const;

    CVes_InPlaceListEdit* m_edit = nullptr;
    int m_row;
    int m_column;
    QString m_initialText;
    unsigned m_lastKey = 0;
    bool m_exitOnArrows = false;
    platform::Rect m_rect;
    int m_cellHeight;
    int m_droppedWidth = 0;
    unsigned m_id;
    InPlaceEditOwner* m_owner = nullptr;
    bool m_ended = false;
};
