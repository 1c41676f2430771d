// The stirrup calculators of the bar list, which write a count and its
// spacings into the selected bar, and the connection edits of the selected
// bars, with the dialogs they ask in.

#include "tables/barlist/setuptable.h"

#include "tables/barlist/beamhoopcountdlg.h"
#include "tables/barlist/columnhoopcountdlg.h"
#include "tables/barlist/columnhoopdlg.h"
#include "tables/barlist/hooptabledlg.h"
#include "tables/barlist/jointlength.h"
#include "tables/barlist/midconnecteditdlg.h"
#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"
#include "platform/hostservices.h"

#include <QApplication>

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

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

// The spacings a stirrup dialog opens with, from the bar's: the second one
// outside the densified zones, the first one in them (the second when there
// is no first); spacings that are not above 0 leave the dialog's own.
void takeSpacings(const CVes_Steel& bar, int& dense, int& normal)
{
    const int first = spacingValue(bar.spacing1);
    const int second = spacingValue(bar.spacing2);
    if (second > 0)
        normal = second;
    if (first > 0)
        dense = first;
    else if (second > 0)
        dense = second;
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
    CColumnHoopCountDlg::Remembered& r = CColumnHoopCountDlg::remembered();
    if (second > 0)
        r.normalSpacing = second;
    if (third > 0)
        r.lapSpacing = third;
    else if (second > 0)
        r.lapSpacing = second;

    CColumnHoopCountDlg dlg(dialogParent());
    dlg.setDesign(float(getExVarVal(kVarConcrete)), float(getExVarVal(kVarSeismic)),
                  int(getExVarVal(kVarAtlas)));
    dlg.setFactorIndex(lapFactorIndex(*this));
    if (dlg.exec() != QDialog::Accepted)
        return;
    bar->count = dlg.total();
    bar->spacing2 = spacingText(dlg.normalSpacing());
    bar->spacing3 = spacingText(dlg.lapSpacing());
    markEdited();
    AddUndo();
}

void CVes_SetupTable::calSelectLineSteelZhuGujin()
{
    CVes_Steel* bar = selectedBar(*this);
    if (!bar)
        return;
    ColumnHoopInput& r = CVes_ColumnHoopCalcDlg::remembered();
    takeSpacings(*bar, r.denseSpacing, r.normalSpacing);

    CVes_ColumnHoopCalcDlg dlg(dialogParent());
    if (const int unit = spacingUnit(*this))
        dlg.setUnitMode(unit);
    const int index = lapFactorIndex(*this);
    dlg.setLapZone(int(bar->DN), kLapFactors[index >= 0 ? index : 1]);
    if (dlg.exec() != QDialog::Accepted)
        return;
    giveSpacings(*bar, dlg.result(), dlg.denseSpacing(), dlg.normalSpacing());
    markEdited();
    AddUndo();
}

void CVes_SetupTable::calSellineSteelGenshu(int method)
{
    CVes_Steel* bar = selectedBar(*this);
    if (!bar)
        return;
    if (method != 0) {
        CVes_HoopTableDlg dlg(dialogParent());
        if (dlg.exec() != QDialog::Accepted)
            return;
        bar->count = dlg.result();
        bar->spacing2 = dlg.pair() == HoopPair150 ? QStringLiteral("150") : QStringLiteral("200");
        bar->spacing1 = QStringLiteral("100");
    } else {
        CVes_BeamHoopCountDlg::Remembered& r = CVes_BeamHoopCountDlg::remembered();
        takeSpacings(*bar, r.denseSpacing, r.normalSpacing);
        CVes_BeamHoopCountDlg dlg(dialogParent());
        dlg.setUnitMode(spacingUnit(*this));
        if (dlg.exec() != QDialog::Accepted)
            return;
        giveSpacings(*bar, dlg.total(), dlg.denseSpacing(), dlg.normalSpacing());
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
    CVes_MidConnectEditDlg dlg(dialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return;
    barlist::batchEditMidConnect(*this, dlg.edit());
}

void CVes_SetupTable::repairMidConnect()
{
    barlist::repairMidConnect(*this);
}
