#pragma once
// The drop-down list laid over a drop-down list cell while it is edited: a
// combo box of the cell's choices, editable or not by its style, whose list
// is never wider than 200 pixels. It ends on Tab, Enter, Escape (which
// restores the text), Page Up/Down or an arrow with Ctrl held, or loss of
// focus, and reports the text and the ending key to the grid.

#include "grid/griditem.h"
#include "platform/rect.h"

#include <QComboBox>
#include <QPointer>
#include <QStringList>

class CGridCtrl;

// Combo styles of the drop-down list cell.
inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;

class CGridDropList : public QComboBox {
    Q_OBJECT

public:
    static constexpr int MaxDropWidth = 200;

    CGridDropList(CGridCtrl* parent, const platform::Rect& rect, DWORD style, UINT id, int row,
                  int col, COLORREF crFore, COLORREF crBack, const QStringList& items,
                  const QString& initText, UINT firstChar);
    ~CGridDropList() override;

    // Reports the text to the grid and closes; later calls do nothing.
    void EndEdit();
    // The width the list drops down with: the widest choice, a scroll bar
    // and one "0", at most MaxDropWidth.
    int GetDroppedWidth() const;
    // The edit field of an editable list, else null.
    QLineEdit* GetEditField() const { return lineEdit(); }
    UINT GetLastChar() const { return m_nLastChar; }
    int GetNumLines() const { return m_nNumLines; }

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Handles an ending key; false for other keys.
    bool HandleKey(const QKeyEvent* event);
    void FinishWith(UINT key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void HandleFirstKey(UINT firstChar);
    // The focus went to the list's own parts, not to another window.
    bool FocusStaysInside() const;

    QPointer<CGridCtrl> m_pGrid;
    UINT m_nID = 0;
    int m_nNumLines = 4;
    QString m_sInitText;
    int m_nRow = 0;
    int m_nCol = 0;
    UINT m_nLastChar = 0;
    bool m_bExitOnArrows = false;
    COLORREF m_crForeClr = CLR_DEFAULT;
    COLORREF m_crBackClr = CLR_DEFAULT;
    bool m_bEnded = false;
    Qt::KeyboardModifiers m_endModifiers;
};
