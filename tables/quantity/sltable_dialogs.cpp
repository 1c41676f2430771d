// The quantity sheet's command that asks the user in a dialog: its summary
// settings.

#include "tables/quantity/sltable.h"

#include "tables/quantity/stockrequests.h"

void CVes_SLTable::setSumray()
{
    SumSettingsRequest request(m_rules, m_yuanCai);
    if (platform::askDialog(request))
        setModified(1);
}
