// The bar list turned into rows of a quantity sheet, for the quantity
// sheet's imports of bar-list files.

#include "tables/barlist/setuptable.h"

#include "core/model/barlimits.h"

#include "tables/quantity/sltableline.h"

namespace {

CVes_SLTableLine* elementRow(const QString& name, int pieces)
{
    auto* row = new CVes_SLTableLine(CVes_SLTableLine::kEleRow);
    row->setElement(name);
    row->setEleNum(pieces);
    row->setNull(0);
    return row;
}

} // namespace

QList<CVes_SLTableLine*> CVes_SetupTable::transformSL(int merge) const
{
    QList<CVes_SLTableLine*> rows;
    QList<CVes_SLTableLine*> bars;
    bool elementSeen = false;
    for (CVes_TableBaseLine* base : m_lines) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
        if (!line || line->isNull())
            continue;
        if (line->isElementLine()) {
            rows.append(elementRow(line->getElement(), line->getEleNum()));
            elementSeen = true;
            continue;
        }
        CVes_Steel* bar = line->getSetupSteel();
        if (!bar)
            continue;
        if (merge) {
            CVes_SLTableLine* same = nullptr;
            for (CVes_SLTableLine* taken : std::as_const(bars)) {
                // A row holds no more bars an element piece than a typed row.
                if (barlimits::joinable(barlimits::kCount, taken->m_steel.count, bar->count)
                    && taken->m_steel.isSame(*bar)) {
                    same = taken;
                    break;
                }
            }
            if (same) {
                same->m_steel.count += bar->count;
                continue;
            }
        }
        if (!elementSeen) {
            rows.append(elementRow(QString(), m_defaultEleNum));
            elementSeen = true;
        }
        auto* row = new CVes_SLTableLine(CVes_SLTableLine::kSteelRow);
        row->setSteel(bar);
        rows.append(row);
        bars.append(row);
    }
    return rows;
}
