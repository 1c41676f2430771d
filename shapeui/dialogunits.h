#pragma once
// The shape dialogs keep the layouts of their resource templates, given in
// dialog units of a 9-point Tahoma; these are their pixels.

#include <QRect>

namespace shapeui {

inline constexpr double kDluX = 1.75;
inline constexpr double kDluY = 1.875;

inline QRect dlu(int x, int y, int w, int h)
{
    return QRect(int(x * kDluX), int(y * kDluY), int(w * kDluX), int(h * kDluY));
}

} // namespace shapeui
