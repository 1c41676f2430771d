#pragma once
// A rectangle in the drawing layer's convention: right and bottom are
// exclusive, and the edges may be given in any order until normalized.
// Points and sizes are QPoint and QSize.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

namespace platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect(QPoint topLeft, QPoint bottomRight)
        : left(topLeft.x()), top(topLeft.y()), right(bottomRight.x()), bottom(bottomRight.y()) {}
    constexpr Rect(QPoint topLeft, QSize size)
        : left(topLeft.x()), top(topLeft.y()), right(topLeft.x() + size.width()),
          bottom(topLeft.y() + size.height()) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr QSize Size() const { return {Width(), Height()}; }
    constexpr QPoint TopLeft() const { return {left, top}; }
    constexpr QPoint BottomRight() const { return {right, bottom}; }
    constexpr QPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty when it has no area (width or height zero or negative).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return !left && !top && !right && !bottom; }
    constexpr bool PtInRect(QPoint p) const
    {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }

    constexpr void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    constexpr void SetRect(int l, int t, int r, int b) { *this = Rect(l, t, r, b); }
    constexpr void SetRectEmpty() { *this = Rect(); }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void OffsetRect(QPoint d) { OffsetRect(d.x(), d.y()); }
    constexpr void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    constexpr void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    // Sets this to the intersection of a and b; answers whether it is non-empty.
    constexpr bool IntersectRect(const Rect& a, const Rect& b)
    {
        *this = Rect(std::max(a.left, b.left), std::max(a.top, b.top),
                     std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // Sets this to the smallest rectangle holding both (empty ones ignored).
    constexpr bool UnionRect(const Rect& a, const Rect& b)
    {
        if (a.IsRectEmpty()) {
            *this = b;
        } else if (b.IsRectEmpty()) {
            *this = a;
        } else {
            *this = Rect(std::min(a.left, b.left), std::min(a.top, b.top),
                         std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }

    // Qt's rectangles are inclusive; these convert without losing a pixel.
    QRect toQRect() const { return QRect(QPoint(left, top), QSize(Width(), Height())); }
    static Rect fromQRect(const QRect& r) { return Rect(r.topLeft(), r.size()); }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
