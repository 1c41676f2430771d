#pragma once
// The numbers a bar may hold: one range for each field, wherever the field
// is kept. What the user types, pastes or imports is held to it, and the
// readers refuse a file that holds another value. The ranges are chosen so
// that every product the sheets make of them (a row's bars, a processing
// row that stands for every piece of an element, metres and kilograms,
// totals) stays far inside the numbers that hold it.

#include <QString>

class CVes_Variable;

namespace barlimits {

struct Field {
    const char* name;  // what the user calls it (UTF-8)
    double min;
    double max;
    bool whole;        // counts: whole numbers only

    // False for NaN.
    bool holds(double value) const { return value >= min && value <= max; }
    // What the field takes, said when it refuses a value:
    // "根数必须是0到99999之间的整数".
    QString takes() const;
};

// Bars of one element piece (每件根数; also a quantity-sheet row's).
inline constexpr Field kCount{"根数", 0, 99999, true};
// Pieces of an element (件数).
inline constexpr Field kPieces{"件数", 0, 9999, true};
// Length groups of a graded bar (组数): as many as a row's bars, since a
// row made graded takes its bars as its groups.
inline constexpr Field kGroups{"组数", 0, 99999, true};
// Bars a processing-sheet row, a sorted-sheet row or a bar tag stands for:
// a bar-list row's bars of every piece of its element, or equal rows joined.
inline constexpr Field kRowCount{"根数", 0, 999999999, true};
// A bar's cut length and a shape's dimension, in millimetres.
inline constexpr Field kCutLength{"断料长度", 0.0, 1.0e6, false};
inline constexpr Field kDimension{"尺寸", -1.0e6, 1.0e6, false};
// A spacing (间距), in the spacing column's unit: each of a bar's three
// spacing texts shows as the whole number it starts with.
inline constexpr Field kSpacing{"间距", 0, 99999, true};
// A shape's angle, in degrees.
inline constexpr Field kAngle{"角度", -360.0, 360.0, false};
// The segments of a shape that has them (its dimension "N").
inline constexpr Field kSegments{"段数", 0, 9999, true};

static_assert(kCount.max * kPieces.max <= kRowCount.max,
              "a bar-list row's bars of every piece fit a processing row");

// The field of a shape's number dimension: its angle, its segments or a
// length.
const Field& fieldOf(const CVes_Variable& variable);

// A stored value the field cannot hold is damage: reading it throws
// platform::ArchiveError.
void requireStored(const Field& field, double value);

// Whether two counts of rows joined into one fit the field.
inline bool joinable(const Field& field, double a, double b)
{
    return field.holds(a + b);
}

} // namespace barlimits
