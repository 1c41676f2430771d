#pragma once
// The date-time picker laid over a date cell while it is edited. It shows
// the cell's time, ends on Tab, Enter or Escape, on Page Up/Down or an arrow
// with Ctrl held, or when the focus goes to another window; it then stores
// the picked time into the cell's time and reports its text to the grid.

#include "grid/griditem.h"
#include "platform/rect.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QPointer>

class CGridCtrl;

// Picker styles of the date-time cell.
inline constexpr DWORD DTS_UPDOWN = 0x0001;
inline constexpr DWORD DTS_SHOWNONE = 0x0002;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
inline constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
inline constexpr DWORD DTS_TIMEFORMAT = 0x0009;

class CGridDatePicker : public QDateTimeEdit {
    Q_OBJECT

public:
    CGridDatePicker(CGridCtrl* parent, const platform::Rect& rect, DWORD style, UINT id, int row,
                    int col, COLORREF crFore, COLORREF crBack, QDateTime* pTime, UINT firstChar);
    ~CGridDatePicker() override;

    // Stores the time, reports the text to the grid and closes; later calls
    // do nothing.
    void EndEdit();
    UINT GetLastChar() const { return m_nLastChar; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Ends the edit on an ending key; false for the picker's own keys.
    bool HandleKey(const QKeyEvent* event);
    void FinishWith(UINT key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    QDateTime* m_pTime = nullptr;
    QPointer<CGridCtrl> m_pGrid;
    UINT m_nID = 0;
    int m_nRow = 0;
    int m_nCol = 0;
    UINT m_nLastChar = 0;
    bool m_bExitOnArrows = false;
    COLORREF m_crForeClr = CLR_DEFAULT;
    COLORREF m_crBackClr = CLR_DEFAULT;
    bool m_bEnded = false;
    Qt::KeyboardModifiers m_endModifiers;
};
