#pragma once
// The geometric drawing item of a bar shape: a straight line, an arc
// through three points, a circle, a filled disc or a connection mark, told
// apart by its kind. Coordinates are integer world units; drawing divides by
// a scale and adds a device origin, mirroring by flags (1 about a vertical
// line, 2 about a horizontal one) on the way.

#include "core/geometry/drawobject.h"
#include "core/geometry/point.h"

#include <QPointF>
#include <QString>

#include <vector>

namespace platform { class Dc; }

// Points of a drawn stroke, in a context's logical units.
using StrokePoints = std::vector<QPointF>;

class CVes_Curve : public CVes_DrawObject {
public:
    // Kinds.
    static constexpr int kLine = 0;
    static constexpr int kArc = 1;
    static constexpr int kCircle = 2;
    static constexpr int kDrawnLine = 4;
    static constexpr int kConnectMark = 8;
    static constexpr int kDisc = 20;

    CVes_Curve() = default;
    // Copies width, style, colour, status, style flag, the points, the kind
    // and the group index.
    explicit CVes_Curve(const CVes_Curve* other);

    void Serialize(platform::Archive& ar) override;
    void Move(QPoint offset) override;
    // The bounding rectangle, inflated by 3 (the caller's rectangle,
    // inflated, when the item has none).
    void LocateRect(platform::Rect& rect) override;
    void setLineStyle(unsigned int style) override { m_lineStyle = style; }
    void setLineWidth(unsigned int width) override { m_lineWidth = int(width); }
    // Copies width, style, colour, status, style flag, the points and the
    // kind (not the group index).
    virtual void set(const CVes_Curve* other);

    int getType() const { return m_type; }
    // The arc through the three points: its centre, the end it starts from
    // and the one it ends at; the radius, or -1 when they make no arc.
    int getArcPt(QPoint& centre, QPoint& start, QPoint& end) const;

    void draw(platform::Dc* dc, double scale, int originX, int originY, platform::COLORREF colour,
              unsigned int mirrorFlags, QPoint mirrorCentre, double widthFactor) const;
    // draw with the item's own colour.
    void draw2(platform::Dc* dc, double scale, int originX, int originY, unsigned int mirrorFlags,
               QPoint mirrorCentre, double widthFactor) const;

    // The item where draw() puts it, as polylines (arcs and circles as
    // short chords, a connection mark as the square it stays within): what
    // the texts drawn beside a shape keep clear of.
    std::vector<StrokePoints> strokes(double scale, int originX, int originY,
                                      unsigned int mirrorFlags, QPoint mirrorCentre) const;

    bool HitTest(QPoint p) const;
    // 0 outside, 1 partly inside, 2 wholly inside.
    int InRect(platform::Rect rect) const;
    bool PtInCurveArea(QPoint p) const;
    // Flag 1 mirrors x about centre.x, flag 2 y about centre.y.
    void mirror(unsigned int flags, QPoint centre);
    // Nothing relies on a nearest point; the point is left as it is.
    void getNearpt(QPoint&) const {}

    CVes_Point m_P1;
    CVes_Point m_P2;
    CVes_Point m_P3;
    int m_type = kLine;
    int m_lineWidth = 1;
    unsigned int m_lineStyle = 0; // a style of createStylePen
    int m_styleFlag = 1;          // 0: a side's end marks are drawn dashed
    int m_subStyle = 0;           // a mark's connection type; 4, 5 thicken the pen
    QString m_text;               // a mark's count formula
    int m_count = 0;              // a mark's count of the piece that follows
    int m_flag = 1;               // a mark's connection flag

protected:
    // The rectangle a connection mark takes, around P1.
    platform::Rect markRect() const;
    // Whether a direction from the arc's centre lies on the drawn arc.
    bool inArcSweep(QPoint centre, QPoint start, QPoint end, QPoint p) const;

private:
    void drawMark(platform::Dc* dc, const CVes_Point& p1, const CVes_Point& p2, double scale,
                  int originX, int originY, platform::COLORREF colour) const;
};

class CVes_Line : public CVes_Curve {
public:
    CVes_Line() { m_type = kLine; }
    explicit CVes_Line(const CVes_Curve* other) { set(other); }
};

class CVes_Arc : public CVes_Curve {
public:
    CVes_Arc() { m_type = kArc; }
    explicit CVes_Arc(const CVes_Curve* other) { set(other); }
};

class CVes_Circle : public CVes_Curve {
public:
    CVes_Circle() { m_type = kCircle; }
    explicit CVes_Circle(const CVes_Curve* other) { set(other); }
};
