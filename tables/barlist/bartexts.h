#pragma once
// What a bar-list row shows, shared by the printed page and the workbook:
// the spacing of a bar, the text of a unit row, and a bar row's total length
// and weight in the units of the list's columns.

#include "tables/framework/lengthtext.h"

#include <QString>
#include <QStringList>

class CVes_SetupTable;
class CVes_SetupTableLine;
class CVes_Steel;

namespace barlist {

// How lengths become whole numbers in the list, as on every sheet.
using lengthtext::roundHalfUp;

// The spacing of a bar: the first spacing; the second on a new line when
// it is set and differs from the first; the lap-zone spacing "(搭%d)" on a
// new line when it is set and not equal to both others. Parts that are not
// numbers above 0 are left out.
QString spacingText(const CVes_Steel& bar);

// How a unit row labels its run of element units.
struct UnitLabel {
    static constexpr int kNames = 0;     // the names only
    static constexpr int kLocations = 1; // the locations only
    static constexpr int kBoth = 2;      // names with the locations in brackets

    QString start;
    QString end;     // empty or equal to start: a single unit
    int merged = 1;  // a run written "S～E" rather than every name
    int same = 1;    // the units of the run have the same bars
    int form = kBoth;
};

// The label of a run of units over the list's unit names and their
// locations (one more than the names): the unit names (a range "S～E" or
// the names of the run joined with ","), their locations, and whether the
// units of the run have the same bars, as the label's form asks. Any other
// form writes the names, with the locations only for a single unit.
QString unitLabelText(const QStringList& names, const QStringList& locations,
                      const UnitLabel& label);

// The text of a unit row: its label over the list's units; empty for a
// form the row does not know.
QString unitLineText(const CVes_SetupTable& table, const CVes_SetupTableLine& line);

// Factors between the units of the list's columns (shape, cut length, total
// length and total weight columns).
struct ColumnFactors {
    double toShape = 1.0;   // mm to the shape unit
    double cutFactor = 1.0; // shape unit to the cut-length unit
    double lenFactor = 1.0; // shape unit to the total-length unit
    double toMetre = 1.0;   // shape unit to metres
    double toWeight = 1.0;  // kg to the weight unit
    int cutUnit = 0;

    static ColumnFactors of(const CVes_SetupTable& table);
};

// Sets the bar's variables "lae", "lle" (in the shape unit), "la" and, when
// the list has a concrete cover, "bhc" from the list's design values, so
// that shapes using them measure and show the lengths in force.
void refreshAnchorage(const CVes_SetupTable& table, CVes_Steel& bar, const ColumnFactors& factors);

// A bar row's quantities in an element of `pieces` pieces.
struct BarQuantity {
    double shownLength = 0.0; // the total length in the length column's unit
    double base = 0.0;        // the counted length in shape units, whole bars rounded
    double weight = 0.0;      // in the weight column's unit
};

// A bar's lengths in the shape unit as its row's texts read them: a
// multi-value bar's first and last computed length, any other bar's
// computed or entered length (`last` unused). Computed once for all of them.
struct BarLengths {
    float first = 0.0f;
    float last = 0.0f;
};
BarLengths barLengths(CVes_Steel& bar, const ColumnFactors& factors);

// A multi-value bar counts the mean of its rounded first and last length,
// any other bar its (computed or entered) length.
BarQuantity barQuantity(CVes_Steel& bar, int pieces, const ColumnFactors& factors);
BarQuantity barQuantity(const CVes_Steel& bar, const BarLengths& lengths, int pieces,
                        const ColumnFactors& factors);

} // namespace barlist
