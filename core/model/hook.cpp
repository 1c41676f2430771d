#include "core/model/hook.h"

#include "envora/rules.h"
#include "platform/archive.h"

bool CVes_Hook::operator==(const CVes_Hook& other) const
{
    if (enabled != other.enabled)
        return false;
    return !enabled
        || (kind == other.kind && param == other.param && realParam == other.realParam);
}

float CVes_Hook::getWhanHouLen(float d, unsigned family) const
{
    const int angle = kind == 4 ? 180 : kind == 2 ? 135 : 90;
    const double multiple =
        family == 1 ? Info_GetGuSteelWanHouPingZhi(angle) : Info_GetSteelWanHouPingZhi(angle);
    float length = float(multiple * d);
    if (kind == 2 && length <= 75.0f)
        length = 75.0f;
    return length;
}

void CVes_Hook::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << 1 << enabled << kind << param << realParam;
        return;
    }
    ar.readSchema(1, 1);
    ar >> enabled >> kind >> param >> realParam;
    // As every stored number of a bar: what is no number reads as 0, so
    // that a hook equals its copy (a library's import relies on it).
    realParam = platform::finiteOrZero(realParam);
}
