#include "core/geometry/connect.h"

#include "platform/archive.h"

bool CVes_Connect::operator==(const CVes_Connect& other) const
{
    return type == other.type && param == other.param && flag == other.flag
        && direction == other.direction && farDirection == other.farDirection
        && farDN == other.farDN;
}

bool CVes_Connect::compareReal(const CVes_Connect& other) const
{
    if (type != other.type)
        return false;
    if (type >= 2 && type <= 5)
        return param == other.param;
    if (type == 7 || type == 8)
        return direction == other.direction;
    return true;
}

void CVes_Connect::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(1) << std::int32_t(type) << std::int32_t(param) << std::int32_t(flag)
           << std::int32_t(direction) << std::int32_t(farDirection) << farDN;
        return;
    }
    ar.readSchema(1, 1);
    std::int32_t t = 0, p = 0, f = 0, d = 0, fd = 0;
    float dn = 0;
    ar >> t >> p >> f >> d >> fd >> dn;
    type = t;
    param = p;
    flag = f;
    direction = d;
    farDirection = fd;
    farDN = platform::finiteOrZero(dn);
}
