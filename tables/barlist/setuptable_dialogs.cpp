// The bar list's commands that ask the user in a dialog: its raw stock and
// its summary settings.

#include "tables/barlist/setuptable.h"

#include "tables/quantity/rawstockdlg.h"
#include "tables/quantity/sumsettingdlg.h"

#include <QApplication>

void CVes_SetupTable::setYuanCai()
{
    CVes_RawStockDlg dlg(QApplication::activeWindow());
    dlg.m_pYuanCaiLib = &m_yuanCai;
    if (dlg.exec() == QDialog::Accepted)
        setModified(1);
}

void CVes_SetupTable::setSumray()
{
    if (CVes_SumSettingDlg::editRules(m_rules, &m_yuanCai, QApplication::activeWindow()))
        setModified(1);
}
