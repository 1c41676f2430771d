#pragma once
// How the quantity sheet reads the bar lists it imports. The bar list lives
// in the folder above this one and makes the quantity rows of its bars, so
// it lends its reader when the tables library loads
// (tables/barlist/quantityrows.cpp); the quantity sheet knows no more of it.

#include <QList>
#include <QString>

#include <optional>

class CVes_SLTableLine;

// The quantity-sheet rows of the bar list at `path` for a sheet whose shape
// column is in `shapeUnit`: none when the file does not open (or is newer),
// an empty list with the refusal shown when its shape unit differs. The
// caller owns the rows.
using BarListReader = std::optional<QList<CVes_SLTableLine*>> (*)(const QString& path, int shapeUnit);

void setBarListReader(BarListReader reader);
// The reader lent; null before the bar list lends it.
BarListReader barListReader();
