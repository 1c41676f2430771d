// The quantity sheet's command that asks the user in a dialog: its summary
// settings.

#include "tables/quantity/sltable.h"

#include "tables/quantity/sumsettingdlg.h"

#include <QApplication>

void CVes_SLTable::setSumray()
{
    if (CVes_SumSettingDlg::editRules(m_rules, &m_yuanCai, QApplication::activeWindow()))
        setModified(1);
}
