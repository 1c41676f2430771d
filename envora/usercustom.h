#pragma once
// The user's working habits: integer getters and setters in pairs. A setter
// answers false and changes nothing for a value that is not allowed; flags
// take any nonzero value as 1. Every change is written to the settings file
// at once and applies at the next call.

#include <cstdint>

// Shape chooser: 0 the small one, 1 the large one.
int Info_GetUserCustomSteelSelectMode();
bool Info_SetUserCustomSteelSelectMode(int mode);

// Cell editing: 0 the recent-values dialog, 1 an in-place edit box.
int Info_GetUserCustomTableEditMode();
bool Info_SetUserCustomTableEditMode(int mode);

// What a new bar row copies from the previous one: 0x01 number, 0x02 grade
// and diameter, 0x04 spacing, 0x08 start, 0x10 shape, 0x20 shape variables,
// 0x40 count, 0x80 remark. With a bit, nonzero when the set holds it; with
// 0, nonzero when the set is empty.
int Info_UserCustomContentIsClude(int bit);
bool Info_UserCustomSetContent(int content);  // the whole byte, 0..255

// Default grade of a new bar: 0 from the size table, 1 from the previous row.
int Info_UserCustomGetGradeMode();
bool Info_UserCustomSetGradeMode(int mode);

// Pieces of a new element row, at least 1.
int Info_UserCustomGetEleNum();
bool Info_UserCustomSetEleNum(int count);

// Defaults of a new intermediate connection: counting flag, connection type
// 0..8 and stock length in mm (above 0).
int Info_UserCustomMidConnectStat();
bool Info_UserCustomSetMidConnectStat(int stat);
int Info_UserCustomMidConectStyle();
bool Info_UserCustomSetMidConnectStyle(int style);
int Info_UserCustomMidConnectDingchi();
bool Info_UserCustomSetMidConnectDingChi(int length);

// Rounding digit n (1..9) of fractional counts: a count rounds up from a
// first decimal of n.
int Info_UserCustomGenshuJinwei();
bool Info_UserCustomSetGenshuJinwei(int digit);

// Nonzero: a varying dimension shows its step.
int Info_UserCustomShowDingChi();
bool Info_UserCustomSetShowDingChi(int show);

// Mouse wheel alone, with Shift, with Ctrl: 0 scroll, 1 zoom, 2 pages.
int Info_UserCustomGunLun();
bool Info_UserCustomSetGunLun(int action);
int Info_UserCustomShiftGunLun();
bool Info_UserCustomSetShiftGunLun(int action);
int Info_UserCustomCtrlGunLun();
bool Info_UserCustomSetCtrlGunLun(int action);

// 0: a bar using a user shape keeps a copy of the shape with the table.
int Info_UserCustomSteelRecordType();
bool Info_UserCustomSetSteelRecordType(int type);

// Bar groups: 0 the total length, 1 each group's length.
int Info_UserCustomSteelGroupShow();
bool Info_UserCustomSetSteelGroupShow(int show);

// Sheet background as a stock brush index: 0 white, 1 light grey.
int Info_UserCustomTableBkColor();
bool Info_UserCustomSetTableBkColor(int colour);

// Caption-row colour as 0x00BBGGRR.
std::uint32_t Info_UserCustomGetTitleBk();
bool Info_UserCustomSetTitleBk(std::uint32_t colour);
