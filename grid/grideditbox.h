#pragma once
// The edit box laid over a text or numeric cell while it is edited. It
// decides from the key that started the edit what to select, grows with its
// text, ends on Tab, Enter, Escape (which restores the text), an arrow key
// when the edit was started by typing, or loss of focus, and then reports
// the text and the ending key to the grid and closes itself.

#include "grid/griditem.h"
#include "platform/rect.h"

#include <QLineEdit>
#include <QPointer>

class CGridCtrl;

// Edit styles the cells pass.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Sends the end-of-edit record of an in-place editor to its grid: code
// GridEndEdit, the editor's control id, the cell, mask text and data, the
// ending key as the data and the final text.
void sendEndEditRecord(CGridCtrl* grid, UINT id, int row, int col, UINT lastChar,
                       const QString& text, Qt::KeyboardModifiers modifiers);

// The modifiers a key event carries, Shift included for Shift+Tab.
Qt::KeyboardModifiers keyModifiers(const QKeyEvent* event);

// The grid key with which `event` ends an in-place edit, or 0 when the key is
// the editor's own: Tab, Enter and Escape always end it; Page Up, Page Down
// and the arrows end it when the editor exits on arrows or Ctrl is held.
UINT editEndingKey(const QKeyEvent* event, bool exitOnArrows);

class CGridEditBox : public QLineEdit {
    Q_OBJECT

public:
    // Opens over `rect` (the cell's rectangle in the grid's client
    // coordinates) on the grid's viewport and takes the focus.
    CGridEditBox(CGridCtrl* parent, const platform::Rect& rect, DWORD style, UINT id, int row,
                 int col, const QString& initText, UINT firstChar);
    ~CGridEditBox() override;

    // Reports the text to the grid and closes; later calls do nothing.
    void EndEdit();
    // A character typed while the editor is already open.
    void SendChar(UINT ch);

    UINT GetLastChar() const { return m_nLastChar; }
    bool GetExitOnArrows() const { return m_bExitOnArrows; }
    QString GetInitText() const { return m_sInitText; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Ends the edit with a key: the focus goes back to the grid.
    void FinishWith(UINT key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Widens the box to its text plus two blanks, within the grid.
    void GrowToText();

    QPointer<CGridCtrl> m_pGrid;
    UINT m_nID = 0;
    int m_nRow = 0;
    int m_nColumn = 0;
    QString m_sInitText;
    UINT m_nLastChar = 0;
    bool m_bExitOnArrows = true;
    platform::Rect m_Rect;
    bool m_bEnded = false;
    Qt::KeyboardModifiers m_endModifiers;
};
