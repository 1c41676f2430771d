#include "tables/barlist/quantityrows.h"

#include "platform/archive.h"
#include "platform/hostservices.h"
#include "tables/barlist/setuptable.h"
#include "tables/quantity/barlistreader.h"

QList<CVes_SLTableLine*> quantityRowsOf(const CVes_SetupTable& list, int shapeUnit)
{
    if (list.m_units.value(CVes_SetupTable::kColShape, CVes_Template::kMillimetre) != shapeUnit) {
        platform::showMessage(
            QStringLiteral("钢筋配料单与钢筋用量明细表钢筋形状单位不一致，无法导入！"));
        return {};
    }
    return list.transformSL(0);
}

namespace {

std::optional<QList<CVes_SLTableLine*>> readBarListForQuantities(const QString& path, int shapeUnit)
{
    CVes_SetupTable list;
    try {
        if (!list.OpenFile(path))
            return std::nullopt;
    } catch (const platform::SchemaError&) {
        // A bar list of a newer program, or a damaged one, is left out.
        return std::nullopt;
    }
    return quantityRowsOf(list, shapeUnit);
}

// Lent when the tables library loads, before any sheet imports.
[[maybe_unused]] const bool g_barListReaderLent = (setBarListReader(&readBarListForQuantities), true);

} // namespace
