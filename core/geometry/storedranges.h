#pragma once
// The ranges that stored shapes and bars may hold. No sound file comes near
// them (a shape is drawn on an area of 1500 × 300 units, a bar is at most a
// few hundred metres long); within them the drawing and length arithmetic
// stays far inside the int range. A reader refuses a value beyond them as
// damage (platform::requireInRange and requireFiniteInRange).

namespace storedrange {

// A point's x and y either way, and a drawing area's width and height.
constexpr int kCoordinate = 1000000;
constexpr int kLineWidth = 10000;
// A text's height either way (world units; 0.1 mm on a page).
constexpr int kTextHeight = 100000;
// Degrees either way: the rotation of a text, the angle of a bar's side.
constexpr int kAngle = 360;
// Millimetres either way: a variable's values and step, a side's length, a
// bar's stored length.
constexpr int kLength = 1000000000;
// Millimetres: a bar's diameter, and a multiple of it (bend diameters).
constexpr double kDiameter = 1000.0;
// A count of bars, pieces, joints or tags, either way.
constexpr int kCount = 100000000;
// The bars of one graded group (a row that stands for bars of stepped
// lengths).
constexpr int kGroupBars = 100000;
// The table rows one line of a sheet may take (no page holds more).
constexpr int kLineRows = 500;

} // namespace storedrange
