#include "tables/framework/tablebaseline.h"

#include "tables/framework/sharedrows.h"

CVes_TableBaseLine::~CVes_TableBaseLine()
{
    if (m_shared.state)
        SharedRow::destroyed(this);
}

void CVes_TableBaseLine::Serialize(platform::Archive&) {}

bool CVes_TableBaseLine::isGreat(const CVes_TableBaseLine&)
{
    return false;
}

bool CVes_TableBaseLine::operator==(const CVes_TableBaseLine&)
{
    return true;
}

bool CVes_TableBaseLine::lessthan(CVes_TableBaseLine* const&) const
{
    return true;
}
