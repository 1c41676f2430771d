// The processing sheet's bar numbers, given by the numbering commands as
// the bar list gives its own, and the tag numbers its bars carry.

#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "tables/framework/barnumbering.h"

namespace {

using EditLine = CVes_ProcessTableEditLine;

} // namespace

CVes_ProcessSteel* CVes_ProcessTable::numberedBar(CVes_TableBaseLine* row)
{
    auto* line = EditLine::of(row);
    if (!line || line->isNull() || line->getLock() || line->getType() != EditLine::kSteelRow)
        return nullptr;
    CVes_ProcessSteel* bar = line->getProcessSteel();
    return bar->isNull() ? nullptr : bar;
}

void CVes_ProcessTable::NumberSteel(int share, int all, int continuous)
{
    // Every heading row begins a new run when numbering goes element by
    // element: a storey, type or project row closes the element above it.
    std::vector<barnumbering::Row> rows;
    TableLineList numbered;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto* line = EditLine::of(row);
        if (!line || line->isNull() || line->getLock())
            continue;
        if (line->getType() != EditLine::kSteelRow) {
            rows.push_back({nullptr});
            numbered.append(nullptr);
        } else if (CVes_ProcessSteel* bar = numberedBar(row)) {
            rows.push_back({bar});
            numbered.append(row);
        }
    }
    const std::vector<QString> numbers =
        barnumbering::numbers(rows, {share != 0, all != 0, continuous != 0});
    bool changed = false;
    for (qsizetype i = 0; i < numbered.size(); ++i) {
        CVes_ProcessSteel* bar = numbered[i] ? numberedBar(numbered[i]) : nullptr;
        if (!bar || bar->number == numbers[std::size_t(i)])
            continue;
        beforeRowChange(numbered[i]);
        bar->number = numbers[std::size_t(i)];
        changed = true;
    }
    finishNumbering(changed);
}

void CVes_ProcessTable::clearNumber()
{
    bool changed = false;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        CVes_ProcessSteel* bar = numberedBar(row);
        if (!bar || bar->number.isEmpty())
            continue;
        beforeRowChange(row);
        bar->number.clear();
        changed = true;
    }
    finishNumbering(changed);
}

void CVes_ProcessTable::finishNumbering(bool changed)
{
    // Numbering that leaves every number as it was is no edit.
    if (!changed)
        return;
    refreshCurPage();
    markEdited();
    AddUndo();
}

QHash<const CVes_TableBaseLine*, int> CVes_ProcessTable::tagNumbers() const
{
    QHash<const CVes_TableBaseLine*, int> numbers;
    for (CVes_TableBaseLine* row : m_lines) {
        auto* line = EditLine::of(row);
        if (!line || line->getType() != EditLine::kSteelRow)
            continue;
        CVes_ProcessSteel* bar = line->getProcessSteel();
        if (!bar->isNull() && bar->getLPNum() > 0)
            numbers.insert(row, bar->getLpArrayPtr()->front().mark);
    }
    return numbers;
}
