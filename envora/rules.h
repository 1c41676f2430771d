#pragma once
// The rule tables that a bar's cutting length is computed with: calculation
// and adjustment modes, bend inner diameters, hook straight lengths and
// increments, bend adjustments and the rounding of finished lengths; and the
// size table with unit weights and default grades. "Gu" functions serve the
// stirrup family with the same arguments. Every answer is finite; each call
// reads the settings in force, from any thread.

// Calculation type: 0 bend deductions from the geometry, 1 ±d/2 per
// straight neighbour, 2 no bend deduction.
int Info_GetSteelLenCalType();
int Info_GetGuSteelLenCalType();
// Adjustment type: 1 tables by grade, 2 tables by diameter, 0 geometric.
int Info_GetSteelLenAdjustType();
int Info_GetGuSteelLenAdjustType();
// 0: dimensions to the outside of the bar, 1: inside.
int Info_GetSteelDimType();
int Info_GetGuSteelDimType();

// Bend inner diameter as a multiple of d, by grade code and angle in degrees.
double Info_GetSteelWanHuNeiJing(int grade, int angle);
double Info_GetGuSteelWanHuNeiJing(int grade, int angle);

// Straight length after a hook of 90, 135 or 180 degrees, a multiple of d.
double Info_GetSteelWanHouPingZhi(int angle);
double Info_GetGuSteelWanHouPingZhi(int angle);

// Hook increment by hook angle and grade code: below 75 a multiple of d,
// from 75 on millimetres.
double Info_GetWanGouZengJiaJiangYanData(int angle, int grade);
double Info_GetGuWanGouZengJiaJiangYanData(int angle, int grade);
// Hook increment in millimetres by hook angle and diameter.
double Info_GetWanGouZengJiaJiangYanDataDN(int angle, float d);
double Info_GetGuWanGouZengJiaJiangYanDataDN(int angle, float d);

// Bend adjustment, the signed amount added to the length (a deduction is
// negative), by bend angle and grade code, as a multiple of d.
double Info_GetWanQuTiaoZhengJiangYanData(int bendAngle, int grade);
double Info_GetGuWanQuTiaoZhengJiangYanData(int bendAngle, int grade);
// The same in millimetres by bend angle and diameter.
double Info_GetWanQuTiaoZhengJiangYanDataDN(int bendAngle, float d);
double Info_GetGuWanQuTiaoZhengJiangYanDataDN(int bendAngle, float d);

// A length in mm rounded by the user's rule for the family (1 stirrups,
// otherwise longitudinal bars). `flag` is accepted for the callers' sake;
// the rule is the same for computed lengths and entered dimensions.
int Info_GetSteelDataEnd(int length, int family, int flag);

// Unit weight in kg/m; `kind` 1 for grade code 12, 2 for grade code 14,
// otherwise 0. A diameter outside the size table weighs 0.00617·d².
double Info_getSteelWeight(float d, int kind);
// The default grade code of a diameter.
int Info_getSteelGrade(float d);
// Nonzero when the diameter is in the user's size table.
int Info_isValidDN(float d);

namespace envora {
// The diameters (mm) a bar or a raw-stock record may hold wherever it is
// kept: 0 (a bar whose size is not set yet) up to kMaxStoredDiameter. Every
// size a size table may list lies within. Readers refuse a file that holds
// another, and what the user types or imports is held to it, so that
// whatever the program saves it reads back.
constexpr double kMaxStoredDiameter = 1000.0;
inline bool isStoredDiameter(double d)
{
    return d >= 0.0 && d <= kMaxStoredDiameter; // false for NaN
}
} // namespace envora
