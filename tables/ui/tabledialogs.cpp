#include "tables/ui/tabledialogs.h"

#include "tables/barlist/ui/beamhoopcountdlg.h"
#include "tables/barlist/calculatorrequests.h"
#include "tables/barlist/ui/columnhoopcountdlg.h"
#include "tables/barlist/ui/columnhoopdlg.h"
#include "tables/barlist/ui/hooptabledlg.h"
#include "tables/barlist/ui/midconnecteditdlg.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/quantity/stockrequests.h"
#include "tables/quantity/ui/sumsettingdlg.h"

#include <QApplication>

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

bool editRawStock(RawStockRequest& request)
{
    CVes_RawStockDlg dlg(dialogParent());
    dlg.m_pYuanCaiLib = &request.stock;
    return dlg.exec() == QDialog::Accepted;
}

bool editSumSettings(SumSettingsRequest& request)
{
    return CVes_SumSettingDlg::editRules(request.rules, &request.stock, dialogParent());
}

bool chooseCutSize(CutSizeRequest& request)
{
    CCutOptimizeSpecDlg dlg(dialogParent());
    dlg.m_nGrade = request.grade;
    dlg.m_fDN = request.diameter;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.grade = dlg.m_nGrade;
    request.diameter = dlg.m_fDN;
    return true;
}

// Spacings of the bar replace the remembered ones the dialog opens with.
void remember(int& remembered, int spacing)
{
    if (spacing > 0)
        remembered = spacing;
}

bool countWallHoops(WallHoopCountRequest& request)
{
    CColumnHoopCountDlg::Remembered& r = CColumnHoopCountDlg::remembered();
    remember(r.normalSpacing, request.normalSpacing);
    remember(r.lapSpacing, request.lapSpacing);
    CColumnHoopCountDlg dlg(dialogParent());
    dlg.setDesign(request.concrete, request.seismic, request.atlas);
    dlg.setFactorIndex(request.factorIndex);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.total = dlg.total();
    request.normalSpacing = dlg.normalSpacing();
    request.lapSpacing = dlg.lapSpacing();
    return true;
}

bool countColumnHoops(ColumnHoopCountRequest& request)
{
    ColumnHoopInput& r = CVes_ColumnHoopCalcDlg::remembered();
    remember(r.denseSpacing, request.denseSpacing);
    remember(r.normalSpacing, request.normalSpacing);
    CVes_ColumnHoopCalcDlg dlg(dialogParent());
    if (request.unitMode)
        dlg.setUnitMode(request.unitMode);
    dlg.setLapZone(request.diameter, request.lapFactor);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.total = dlg.result();
    request.denseSpacing = dlg.denseSpacing();
    request.normalSpacing = dlg.normalSpacing();
    return true;
}

bool countBeamHoops(BeamHoopCountRequest& request)
{
    CVes_BeamHoopCountDlg::Remembered& r = CVes_BeamHoopCountDlg::remembered();
    remember(r.denseSpacing, request.denseSpacing);
    remember(r.normalSpacing, request.normalSpacing);
    CVes_BeamHoopCountDlg dlg(dialogParent());
    dlg.setUnitMode(request.unitMode);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.total = dlg.total();
    request.denseSpacing = dlg.denseSpacing();
    request.normalSpacing = dlg.normalSpacing();
    return true;
}

bool readHoopTable(HoopTableRequest& request)
{
    CVes_HoopTableDlg dlg(dialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.total = dlg.result();
    request.pair150 = dlg.pair() == HoopPair150;
    return true;
}

bool editMidConnect(MidConnectRequest& request)
{
    CVes_MidConnectEditDlg dlg(dialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    request.edit = dlg.edit();
    return true;
}

template <typename Request>
void serve(bool (*server)(Request&))
{
    platform::serveDialog<Request>(server);
}

} // namespace

void serveTableDialogs()
{
    serve(&editRawStock);
    serve(&editSumSettings);
    serve(&chooseCutSize);
    serve(&countWallHoops);
    serve(&countColumnHoops);
    serve(&countBeamHoops);
    serve(&readHoopTable);
    serve(&editMidConnect);
}
