#include "core/geometry/intvariable.h"

#include "platform/archive.h"

void CVes_intVariable::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(1) << std::int32_t(m_value) << m_name;
        return;
    }
    ar.readSchema(1, 1);
    std::int32_t value = 0;
    ar >> value >> m_name;
    m_value = value;
}
