#pragma once
// The records the grid exchanges with its users: the description of one cell
// (GridItem), the state and mask bits, and the notifications with their codes.

#include "grid/gridcellpos.h"
#include "grid/gridtypes.h"

#include <QString>

class CGridCtrl;

// Cell state bits (cells, GridItem::nState, SetItemState).
inline constexpr DWORD GridStateFocused = 0x01;
inline constexpr DWORD GridStateSelected = 0x02;
inline constexpr DWORD GridStateDropHighlighted = 0x04;
inline constexpr DWORD GridStateReadOnly = 0x08;
inline constexpr DWORD GridStateFixed = 0x10;
inline constexpr DWORD GridStateFixedRow = 0x20;
inline constexpr DWORD GridStateFixedCol = 0x40;
inline constexpr DWORD GridStateModified = 0x80;

// Which members of a GridItem are meant.
struct GridItemMask {
    enum : UINT {
        Text = 0x001,
        Image = 0x002,
        Data = 0x004,
        State = 0x008,
        BackColour = 0x010,
        TextColour = 0x020,
        Format = 0x040,
        Font = 0x080,
        Margin = 0x100,
    };
};

struct GridItem {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont;
    UINT nMargin = 0;
    QString strText;
};

// Notification codes. The numbers are the ones the grid's users compare with.
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RCLICK = -5;
inline constexpr int GridSelChanging = -100;
inline constexpr int GridSelChanged = -101;
inline constexpr int GridBeginEdit = -105;
inline constexpr int GridEndEdit = -106;
inline constexpr int GridBeginDrag = -109;
inline constexpr int GridCacheHintCode = -113;
inline constexpr int GridDisplayRequestCode = -150;
// The same codes under the names the dialogs use for them.
inline constexpr int LVN_ITEMCHANGING = GridSelChanging;
inline constexpr int LVN_ITEMCHANGED = GridSelChanged;
inline constexpr int GVN_BEGINLABELEDIT = GridBeginEdit;
inline constexpr int GVN_ENDLABELEDIT = GridEndEdit;
inline constexpr int LVN_ENDLABELEDIT = GridEndEdit;

// The head of every notification: the sending grid, its control id, the code.
struct GridNotifyHeader {
    CGridCtrl* hwndFrom = nullptr;
    UINT idFrom = 0;
    int code = 0;
};

struct GridNotify {
    GridNotifyHeader hdr;
    int iRow = -1;
    int iColumn = -1;
};

struct GridDisplayInfo {
    GridNotifyHeader hdr;
    GridItem item;
};

struct GridCacheHint {
    GridNotifyHeader hdr;
    CGridCellSpan range;
};

// The display callback a virtual grid may use instead of the display request.
using GRIDCALLBACK = bool (*)(GridDisplayInfo* pDispInfo, LPARAM lParam);
// A row comparison: (first cell, second cell, caller's data) as pointer-sized
// values; negative, 0 or positive.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
