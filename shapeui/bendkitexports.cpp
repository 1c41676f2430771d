#include "shapeui/bendkitexports.h"

#include "shapeui/commonbarsdlg.h"
#include "shapeui/modellibdlg.h"
#include "shapeui/selectshapedlg.h"

#include <QApplication>

namespace {

int runChooser(int libKind, CSteelRecordId* id)
{
    CVes_SelectShapeDlg dlg(libKind, QApplication::activeWindow());
    if (dlg.DoModal() != CVes_SelectShapeDlg::IDOK)
        return 2;
    if (id)
        *id = dlg.chosenKey();
    return 1;
}

int runLibrary(int libType, CVes_ModelRecord* record)
{
    CVes_ModelLibDlg dlg(QApplication::activeWindow());
    dlg.setLibType(libType);
    dlg.setManage(0);
    if (dlg.DoModal() != CVes_ModelLibDlg::IDOK)
        return 2;
    if (record && dlg.chosenRecord())
        record->set(dlg.chosenRecord());
    return 1;
}

void runManager(int libType, int manage)
{
    CVes_ModelLibDlg dlg(QApplication::activeWindow());
    dlg.setLibType(libType);
    dlg.setManage(manage);
    dlg.DoModal();
}

} // namespace

int quickSelectSteel(CSteelRecordId* id)
{
    CVes_CommonBarsDlg dlg(QApplication::activeWindow());
    if (dlg.DoModal() != CVes_CommonBarsDlg::IDOK)
        return 2;
    if (id)
        *id = dlg.chosenKey();
    return 1;
}

int quickSelectSteelNew(CSteelRecordId* id)
{
    return runChooser(kSteelLibKind, id);
}

int quickSelectStartNew(CSteelRecordId* id)
{
    return runChooser(kStartLibKind, id);
}

int getSteelModel(CVes_ModelRecord* record)
{
    return runLibrary(CVes_ModelLibDlg::kModelLib, record);
}

int getSteelStart(CVes_ModelRecord* record)
{
    return runLibrary(CVes_ModelLibDlg::kStartLib, record);
}

void manageLib(int manage)
{
    runManager(CVes_ModelLibDlg::kModelLib, manage);
}

void manageStartLib(int manage)
{
    runManager(CVes_ModelLibDlg::kStartLib, manage);
}
