#pragma once
// The integer point that drawing items store their geometry in, with a
// third value that travels with it through copies, comparisons and files.

#include <QPoint>

namespace platform { class Archive; }

class CVes_Point {
public:
    CVes_Point() = default;
    CVes_Point(const CVes_Point&) = default;
    CVes_Point& operator=(const CVes_Point&) = default;
    virtual ~CVes_Point() = default;

    // Adds the offset to this point itself and answers it (the left operand
    // changes); the third value is kept.
    CVes_Point& operator+(const QPoint& offset);
    bool operator==(const CVes_Point& other) const;
    bool operator!=(const CVes_Point& other) const { return !(*this == other); }

    QPoint ToPoint() const { return QPoint(m_x, m_y); }
    void set(long x, long y);
    void fromPoint(QPoint p) { set(p.x(), p.y()); }

    // Schema 1: x, y, third value. A point of another schema reads nothing
    // after the schema and keeps its values.
    void Serialize(platform::Archive& ar);

    int m_third = 0;
    int m_y = 0;
    int m_x = 0;
};
