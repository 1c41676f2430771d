#pragma once
// The bar list's bars as rows of a quantity sheet, for the sheet's imports.

#include <QList>

class CVes_SetupTable;
class CVes_SLTableLine;

// The converted rows of one bar list for a quantity sheet whose shape column
// is in `shapeUnit`, or none with the refusal shown when the list's shape
// unit differs. The caller owns them.
QList<CVes_SLTableLine*> quantityRowsOf(const CVes_SetupTable& list, int shapeUnit);
