#pragma once
// Geometry shared by the drawing items, the shape model and the shape
// editor: distances, slopes and angles between integer points, side and
// region tests, polar offsets, the estimated width of a text in units of its
// height, and the factory of the dashed pens that lines are drawn with.
// Angles are radians in [0, 2π) as 6.2831852 gives it.

#include "platform/dc.h"

#include <QPoint>
#include <QString>

#include <optional>

// √(Δx² + Δy²), the squares taken in integers.
double getDist(const QPoint* p, const QPoint* q);
// (q.y − p.y) / (q.x − p.x); 99999999.9 for a vertical pair.
double getSlope(const QPoint* p, const QPoint* q);
// The direction from p to q in [0, 6.2831852); 0 for equal points.
double getAngle(const QPoint* p, const QPoint* q);
double getDisPtToPt(QPoint p, QPoint q);
// The distance from p to the line through a and b.
double getDisPtToLine(QPoint p, QPoint a, QPoint b);
// 1 when p lies in the rectangle a-b-c-d (corners in order), else 0.
int PtInRegion(QPoint p, QPoint a, QPoint b, QPoint c, QPoint d);
// The side of p against the directed line a→b: −1, 0 (on it) or 1.
int ptIsLineLeft(QPoint p, QPoint a, QPoint b);
// The point at `length` and `angle` from p, each offset rounded by adding
// 0.5 and truncating.
QPoint vesPolar(QPoint p, double angle, int length);
// How far from the origin a device coordinate may lie: any two then differ
// by less than the int range, so widths and heights between them stay
// defined. Drawing from a value beyond it draws at it.
constexpr int kDeviceCoordinateLimit = 1000000000;
// A device coordinate from a double: truncated and held to
// ±kDeviceCoordinateLimit; 0 for NaN.
int deviceCoordinate(double value);
// A text height on the device: truncated, and held to a million units either
// way (no device draws a taller text; a zoom or a drawing scale gone far
// gives no more).
int deviceTextHeight(double height);
// A drawing's point on the device: (p / scale + origin) as device
// coordinates, whatever the scale.
QPoint toDevice(QPoint p, double scale, int originX, int originY);
// The width of a text in units of its height, from a table of byte widths;
// grade escapes count as the blanks they are drawn in.
double getFontWidth(const QString& text);

// The gap after each dot of the fine-dotted style 7 on drawings.
inline constexpr double kDrawingFineDotGap = 8;

// Degrees to radians as the drawings and formulas have always turned them.
inline constexpr double kDegreesToRadians = 0.017453292222222222;

// The pen a line style is drawn with: 0 a solid cosmetic pen; 1 dashed
// {32, 16}, 2 dotted {12, 12}, 3 dash-dot {32, 16, 4, 16}, 4 dash-dot-dot
// {32, 16, 4, 16, 4, 16} and 7 fine dots {2, fineDotGap} as geometric pens
// whose dash lengths are those logical units times `dashFactor`, truncated
// (held to 0..1,000,000). Other styles have no pen. The table pages draw
// their fine dots further apart, so they pass their own gap.
std::optional<platform::Pen> createStylePen(int style, int width, platform::COLORREF colour,
                                            double dashFactor,
                                            double fineDotGap = kDrawingFineDotGap);
