#include "core/geometry/drawobject.h"

void CVes_DrawObject::Serialize(platform::Archive&) {}

void CVes_DrawObject::Move(QPoint) {}

void CVes_DrawObject::LocateRect(platform::Rect&) {}

bool CVes_DrawObject::Intersects(platform::Rect rect)
{
    platform::Rect own;
    LocateRect(own);
    own.NormalizeRect();
    rect.NormalizeRect();
    platform::Rect cut;
    return cut.IntersectRect(own, rect);
}
