#include "core/geometry/point.h"

#include "core/geometry/geometry.h"
#include "platform/archive.h"

#include <algorithm>

CVes_Point& CVes_Point::operator+(const QPoint& offset)
{
    m_x += offset.x();
    m_y += offset.y();
    return *this;
}

bool CVes_Point::operator==(const CVes_Point& other) const
{
    return m_x == other.m_x && m_y == other.m_y && m_third == other.m_third;
}

void CVes_Point::set(long x, long y)
{
    m_x = int(x);
    m_y = int(y);
}

void CVes_Point::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(1) << std::int32_t(m_x) << std::int32_t(m_y) << std::int32_t(m_third);
        return;
    }
    std::int32_t schema = 0;
    ar >> schema;
    if (schema != 1)
        return;
    std::int32_t x = 0, y = 0, third = 0;
    ar >> x >> y >> third;
    // No drawing goes beyond the device range (title-text positions are
    // stored as the page drawing placed them, within it).
    m_x = std::clamp(x, -kDeviceCoordinateLimit, kDeviceCoordinateLimit);
    m_y = std::clamp(y, -kDeviceCoordinateLimit, kDeviceCoordinateLimit);
    m_third = third;
}
