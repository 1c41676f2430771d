// The sorted and merged bar table of a quantity sheet.

#include "tables/quantity/sltable.h"

#include "core/geometry/text.h"
#include "tables/quantity/sortbarsheet.h"

#include <cstdint>

namespace {

using Line = CVes_SLTableLine;

// The sorted sheet takes the rules, page layout, units and title texts.
void takeSettings(CVes_SortBarSheet& target, const CVes_SLTable& sheet)
{
    target.m_rules = sheet.m_rules;
    target.CopyPageSetting(&sheet);
    const auto unit = [&](int column) { return sheet.m_units.value(column, CVes_Template::kNoUnit); };
    target.growColumnLists();
    target.m_units[CVes_SortBarSheet::kColShape] = unit(CVes_SLTable::kColShape);
    target.m_units[CVes_SortBarSheet::kColCutLength] = unit(CVes_SLTable::kColCutLength);
    target.m_units[CVes_SortBarSheet::kColTotalLength] = unit(CVes_SLTable::kColTotalLength);
    target.m_units[CVes_SortBarSheet::kColWeight] = unit(CVes_SLTable::kColTotalWeight);
    for (std::size_t i = 2; i <= 7; ++i)
        target.m_texts[i].set(&sheet.m_texts[i]);
}

} // namespace

CVes_SortBarSheet* CVes_SLTable::SortSteel(CVes_SortBarSheet* target)
{
    if (target) {
        target->clearnAllLineOnly();
        target->clearBars();
    } else {
        target = new CVes_SortBarSheet();
    }
    takeSettings(*target, *this);
    if (m_lines.isEmpty())
        return target;
    target->initTableCover();

    QString eleType;
    QString element;
    int pieces = 1;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto& line = *static_cast<Line*>(row);
        if (line.getType() == Line::kEleTypeRow) {
            eleType = line.getEleType();
            element.clear();
            pieces = 1;
            continue;
        }
        if (line.getType() == Line::kEleRow) {
            element = line.getElement();
            pieces = line.getEleNum();
            continue;
        }
        if (line.isNull() || !line.isSteelLine())
            continue;
        CVes_Steel bar(line.m_steel);
        // Within a sorted row's bars: a row's count times its pieces.
        bar.count = int(std::int64_t(bar.count) * pieces);
        // The element type and the element, of those there are, joined.
        QStringList place{eleType, element};
        place.removeAll(QString());
        bar.remark = QStringLiteral("%1(%2件)").arg(place.join(u'-'), QString::number(pieces));
        target->Add(&bar);
    }
    target->sortSteel();
    return target;
}
