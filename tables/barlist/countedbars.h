#pragma once
// The walk over the bar list's rows that every quantity of the list shares:
// the bar rows that are processed, each with the piece count of the element
// it stands in. Counting may write what it works out back into a row (a
// computed length, a joint count), so each visit goes through changeRow:
// undo keeps the row as it was whenever the visit changed it.

#include "tables/barlist/setuptable.h"

// The rows counted for quantities, each with the piece count it is counted
// with: a bar row takes the count of the element it stands in (an element of
// no pieces counts nothing), or the default piece count before the first
// element.
template <typename Visit>
inline void forCountedBars(const CVes_SetupTable& table, const TableLineList& rows, Visit visit)
{
    int pieces = 0;
    bool looked = false;  // an element was met or searched for
    for (CVes_TableBaseLine* base : rows) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
        if (!line || line->isNull())
            continue;
        if (line->isElementLine()) {
            pieces = line->getEleNum();
            looked = true;
            continue;
        }
        if (line->m_type != CVes_SetupTableLine::kSteelLine || !line->m_steel.isProcess())
            continue;
        if (!looked) {
            // The rows start inside an element: the nearest element before
            // them decides; before every element, the default piece count.
            looked = true;
            pieces = table.getDefaultEleNum();
            const int at = int(table.lines().indexOf(base));
            for (int i = at - 1; i >= 0; --i) {
                auto* earlier = dynamic_cast<CVes_SetupTableLine*>(table.lines()[i]);
                if (earlier && !earlier->isNull() && earlier->isElementLine()) {
                    pieces = earlier->getEleNum();
                    break;
                }
            }
        }
        CVes_TableBase::changeRow(line, [&] { visit(*line, pieces); });
    }
}
