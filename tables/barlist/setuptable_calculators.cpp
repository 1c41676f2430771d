// The stirrup calculators of the bar list, which write a count and its
// spacings into the selected bar, and the connection edits of the selected
// bars, with what they ask the user in dialogs.

#include "tables/barlist/setuptable.h"

#include "tables/barlist/calculatorrequests.h"
#include "tables/barlist/jointlength.h"
#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"
#include "platform/hostservices.h"

namespace {

// The lap factors of the joint area percentage index.
constexpr double kLapFactors[] = {1.2, 1.4, 1.6};

// A spacing text read as a whole number, as the C library's atoi reads it.
int spacingValue(const QString& text)
{
    return cellentry::roundedUp(leadingNumberOf(text), 0.0);
}

QString spacingText(int value)
{
    return value > 0 ? QString::asprintf("%d", value) : QString();
}

// The spacing column's unit for the dialogs that take one (1 cm, 2 m).
int spacingUnit(const CVes_SetupTable& table)
{
    const int unit = table.m_units.value(CVes_SetupTable::kColSpacing, CVes_Template::kMillimetre);
    return unit == CVes_Template::kCentimetre || unit == CVes_Template::kMetre ? unit : 0;
}

// The lap factor index of the list's joint area percentage: a list without
// one counts as 50 %; an index past 100 % leaves the dialog's own (-1).
int lapFactorIndex(const CVes_SetupTable& table)
{
    const double percentage = table.getExVarVal(CVes_TableBase::kVarJointPercent);
    if (percentage < 0.0)
        return 1;
    const int index = int(percentage);
    return index <= 2 ? index : -1;
}

// The bar the calculators write: that of the first selected row when it is a
// bar line with content.
CVes_Steel* selectedBar(CVes_SetupTable& table)
{
    auto* line = dynamic_cast<CVes_SetupTableLine*>(table.getLine(table.getSelectRow()));
    if (!line || line->isNull() || !line->getSetupSteel()) {
        platform::showMessage(QStringLiteral("没有选择钢筋行。"));
        return nullptr;
    }
    return line->getSetupSteel();
}

// The spacings a stirrup dialog opens with, from the bar's: the second one
// outside the densified zones, the first one in them (the second when there
// is no first); spacings that are not above 0 leave the dialog's own.
template <typename Request>
void takeSpacings(const CVes_Steel& bar, Request& request)
{
    const int first = spacingValue(bar.spacing1);
    const int second = spacingValue(bar.spacing2);
    if (second > 0)
        request.normalSpacing = second;
    if (first > 0)
        request.denseSpacing = first;
    else if (second > 0)
        request.denseSpacing = second;
}

// The count and the spacings of a dialog's OK: the normal spacing as the
// second text, the densified one as the first.
void giveSpacings(CVes_Steel& bar, int count, int dense, int normal)
{
    bar.count = count;
    bar.spacing2 = spacingText(normal);
    bar.spacing1 = spacingText(dense);
}

} // namespace

void CVes_SetupTable::calSelectLineSteelWallZhuGujin()
{
    CVes_Steel* bar = selectedBar(*this);
    if (!bar)
        return;
    const int second = spacingValue(bar->spacing2);
    const int third = spacingValue(bar->spacing3);
    WallHoopCountRequest request;
    if (second > 0)
        request.normalSpacing = second;
    if (third > 0)
        request.lapSpacing = third;
    else if (second > 0)
        request.lapSpacing = second;
    request.concrete = float(getExVarVal(kVarConcrete));
    request.seismic = float(getExVarVal(kVarSeismic));
    request.atlas = int(getExVarVal(kVarAtlas));
    request.factorIndex = lapFactorIndex(*this);
    if (!platform::askDialog(request))
        return;
    bar->count = request.total;
    bar->spacing2 = spacingText(request.normalSpacing);
    bar->spacing3 = spacingText(request.lapSpacing);
    markEdited();
    AddUndo();
}

void CVes_SetupTable::calSelectLineSteelZhuGujin()
{
    CVes_Steel* bar = selectedBar(*this);
    if (!bar)
        return;
    ColumnHoopCountRequest request;
    takeSpacings(*bar, request);
    request.unitMode = spacingUnit(*this);
    const int index = lapFactorIndex(*this);
    request.diameter = int(bar->DN);
    request.lapFactor = kLapFactors[index >= 0 ? index : 1];
    if (!platform::askDialog(request))
        return;
    giveSpacings(*bar, request.total, request.denseSpacing, request.normalSpacing);
    markEdited();
    AddUndo();
}

void CVes_SetupTable::calSellineSteelGenshu(int method)
{
    CVes_Steel* bar = selectedBar(*this);
    if (!bar)
        return;
    if (method != 0) {
        HoopTableRequest request;
        if (!platform::askDialog(request))
            return;
        bar->count = request.total;
        bar->spacing2 = request.pair150 ? QStringLiteral("150") : QStringLiteral("200");
        bar->spacing1 = QStringLiteral("100");
    } else {
        BeamHoopCountRequest request;
        takeSpacings(*bar, request);
        request.unitMode = spacingUnit(*this);
        if (!platform::askDialog(request))
            return;
        giveSpacings(*bar, request.total, request.denseSpacing, request.normalSpacing);
    }
    markEdited();
    AddUndo();
}

void CVes_SetupTable::calSellineSteelJieTouMaogu()
{
    barlist::calSellineSteelJieTouMaogu(*this);
}

void CVes_SetupTable::batchEditMidConnect()
{
    MidConnectRequest request;
    if (!platform::askDialog(request))
        return;
    barlist::batchEditMidConnect(*this, request.edit);
}

void CVes_SetupTable::repairMidConnect()
{
    barlist::repairMidConnect(*this);
}
