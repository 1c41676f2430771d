#include "tables/barlist/jointlength.h"

#include "tables/framework/tablebaseline.h"

#include "core/model/barcore.h"
#include "core/model/modelrecord.h"
#include "core/model/modelrecordlib.h"
#include "envora/anchorage.h"

#include <algorithm>
#include <vector>

namespace barlist {

namespace {

// The bar of a row that holds an entered bar; null otherwise.
CVes_BarCore* barOf(CVes_TableBaseLine* row)
{
    if (!row || row->isNull() || !row->isSteelLine())
        return nullptr;
    return row->getSteel();
}

std::vector<CVes_BarCore*> barsOf(const TableLineList& lines)
{
    std::vector<CVes_BarCore*> bars;
    for (CVes_TableBaseLine* row : lines) {
        if (CVes_BarCore* bar = barOf(row))
            bars.push_back(bar);
    }
    return bars;
}

// The value every bar gives, or `none` when they differ or there is no bar.
template <typename T, typename Get>
T common(const std::vector<CVes_BarCore*>& bars, Get get, T none)
{
    if (bars.empty())
        return none;
    const T first = get(*bars.front());
    for (const CVes_BarCore* bar : bars) {
        if (!(get(*bar) == first))
            return none;
    }
    return first;
}

bool isLapped(int style)
{
    int kind = 0;
    return jointKindOf(style, kind);
}

} // namespace

JointDesign JointDesign::of(const CVes_TableBase& table)
{
    JointDesign design;
    design.atlas = table.getExVarVal(CVes_TableBase::kVarAtlas);
    design.seismic = table.getExVarVal(CVes_TableBase::kVarSeismic);
    design.concrete = table.getExVarVal(CVes_TableBase::kVarConcrete);
    design.percentage = table.getExVarVal(CVes_TableBase::kVarJointPercent);
    design.disturbance = table.getExVarVal(CVes_TableBase::kVarDisturbance);
    return design;
}

bool jointKindOf(int style, int& kind)
{
    switch (style) {
    case 1: kind = 0; return true;
    case 4: kind = 1; return true;
    case 5: kind = -1; return true;
    default: return false;
    }
}

int calSellineSteelJieTouMaogu(const TableLineList& lines, const JointDesign& design)
{
    const std::vector<CVes_BarCore*> bars = barsOf(lines);
    const int left = common(bars, [](const CVes_BarCore& b) { return b.getLConnect()->type; }, 0);
    const int right = common(bars, [](const CVes_BarCore& b) { return b.getRConnect()->type; }, 0);
    int style = 0;
    if (isLapped(left))
        style = left;
    else if (isLapped(right))
        style = right;
    else
        return 0;
    int kind = 0;
    jointKindOf(style, kind);

    const float d = common(bars, [](const CVes_BarCore& b) { return b.DN; }, 0.0f);
    const int grade = common(bars, [](const CVes_BarCore& b) { return b.grade; }, 0);
    const int type = common(bars, [](const CVes_BarCore& b) { return b.steelType; }, 0);
    const int atlas = std::max(0, int(design.atlas));

    const int length = Info_CalSteelJointLength(
        atlas, kind, int(design.seismic - 1.0), int(design.concrete), grade, d, type, grade, d,
        type, int(design.disturbance), 0, int(design.percentage));
    if (length <= 0)
        return 0;
    for (CVes_TableBaseLine* row : lines) {
        CVes_BarCore* bar = barOf(row);
        if (!bar || row->getLock())
            continue;
        if (left == style)
            bar->getLConnect()->param = length;
        if (right == style)
            bar->getRConnect()->param = length;
    }
    return length;
}

int calSellineSteelJieTouMaogu(CVes_TableBase& table)
{
    TableLineList selected;
    for (int row : table.getSelection()) {
        if (CVes_TableBaseLine* line = table.getLine(row))
            selected.append(line);
    }
    const int length = calSellineSteelJieTouMaogu(selected, JointDesign::of(table));
    if (length > 0) {
        table.AddUndo();
        table.setModified(1);
    }
    return length;
}

TableLineList midConnectLines(CVes_TableBase& table, const MidConnectEdit& edit)
{
    switch (edit.scope) {
    case MidConnectEdit::kCurrentPage:
        return table.pageLines();
    case MidConnectEdit::kWholeTable:
        return table.lines();
    default:
        return table.getlineOfPage(std::min(edit.firstPage, edit.lastPage),
                                   std::max(edit.firstPage, edit.lastPage));
    }
}

int applyMidConnect(const TableLineList& lines, const MidConnectEdit& edit)
{
    int changed = 0;
    for (CVes_TableBaseLine* row : lines) {
        CVes_BarCore* bar = barOf(row);
        if (!bar)
            continue;
        if (edit.limitDiameter && (bar->DN < float(edit.lowest) || bar->DN > float(edit.highest)))
            continue;
        if (bar->getRecordId().m_mainId == CSteelRecordId::kGroupLibrary || bar->isSteelGroup()
            || bar->getMidConnectArray().empty())
            continue;
        CVes_TableBase::beforeRowChange(row);
        bar->setMideConnect(edit.connect);
        ++changed;
    }
    return changed;
}

int batchEditMidConnect(CVes_TableBase& table, const MidConnectEdit& edit)
{
    const int changed = applyMidConnect(midConnectLines(table, edit), edit);
    table.AddUndo();
    table.setModified(1);
    return changed;
}

void repairMidConnect(const TableLineList& lines, CVes_ModelRecordMainLib& library)
{
    for (CVes_TableBaseLine* row : lines) {
        CVes_BarCore* bar = barOf(row);
        if (!bar || row->getType() == 4 || !bar->isProcess())
            continue;
        CVes_ModelRecord* record = library.getModel(bar->getRecordId(), 1);
        if (bar->getRecordId().m_mainId == CSteelRecordId::kGroupLibrary || bar->isSteelGroup()) {
            CVes_TableBase::beforeRowChange(row);
            bar->resetMidConnectArray(record);
        } else if (record && record->m_barGroup) {
            // Taking the shape's connections also marks the bar as taking
            // them from its shape from now on.
            CVes_TableBase::beforeRowChange(row);
            bar->resetMidConnectArray(record);
        }
    }
}

void repairMidConnect(CVes_TableBase& table)
{
    CVes_ModelRecordMainLib library;
    repairMidConnect(table.lines(), library);
}

} // namespace barlist
