#pragma once
// A side of a bar shape: a straight or arc segment the bar runs along, with
// the values the shape model keeps per segment, or (kind 8) a connection
// mark that splits the bar. Sides draw the hooks at the bar's ends as short
// strokes and the connection symbols at its ends.

#include "core/geometry/curve.h"

class CVes_Connect;

class CVes_Side : public CVes_Curve {
public:
    // Bits of the end-mark flags.
    static constexpr unsigned int kStraightHook = 1;
    static constexpr unsigned int kHook45 = 2;
    static constexpr unsigned int kHookBack = 4;
    static constexpr unsigned int kTurnNegative = 8;
    static constexpr unsigned int kTurnPositive = 16;

    CVes_Side();
    // Copies the curve (through CVes_Curve::set), the side's own fields and
    // the connection flag.
    explicit CVes_Side(const CVes_Side* other);
    // The same, plus line style, sub-style, the count text and both counts.
    void set(const CVes_Side* other);
    using CVes_Curve::set;

    // The curve stream, then schema 2: angle, length, bend direction, the
    // two formulas and, for a connection mark, its type, count and count text.
    void Serialize(platform::Archive& ar) override;

    int isConnect() const { return m_type == kConnectMark; }
    QPoint getStart() const { return m_P1.ToPoint(); }
    QPoint getEnd() const { return m_P2.ToPoint(); }
    // P1 (start nonzero) or P2, mirrored by the flags about the centre.
    QPoint getRealStart(double scale, int originX, int originY, unsigned int mirrorFlags,
                        QPoint mirrorCentre, int start) const;
    // The direction of the bar at an end (1 start, 2 end) in radians: 0 for
    // a straight side, -1 for an arc that is none.
    double getTangent(int end) const;

    void drawStart(platform::Dc* dc, double scale, double widthFactor, platform::COLORREF colour,
                   int originX, int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                   unsigned int markFlags) const;
    void drawEnd(platform::Dc* dc, double scale, double widthFactor, platform::COLORREF colour,
                 int originX, int originY, unsigned int mirrorFlags, QPoint mirrorCentre,
                 unsigned int markFlags) const;
    void drawStart(platform::Dc* dc, double scale, double widthFactor, int originX, int originY,
                   unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int markFlags) const;
    void drawEnd(platform::Dc* dc, double scale, double widthFactor, int originX, int originY,
                 unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int markFlags) const;

    // The hook drawn at an end (the start, or the end) under `markFlags`,
    // where drawStart() or drawEnd() puts it; empty without a hook.
    StrokePoints markStroke(bool atStart, double scale, int originX, int originY,
                            unsigned int mirrorFlags, QPoint mirrorCentre,
                            unsigned int markFlags) const;

    void drawStartConnect(const CVes_Connect& connect, platform::Dc* dc, double scale,
                          double widthFactor, platform::COLORREF colour, int originX, int originY,
                          unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int flags) const;
    void drawEndConnect(const CVes_Connect& connect, platform::Dc* dc, double scale,
                        double widthFactor, platform::COLORREF colour, int originX, int originY,
                        unsigned int mirrorFlags, QPoint mirrorCentre, unsigned int flags) const;

    double m_angle = 0.0;    // the angle A of the joint with the previous side
    int m_length = 0;        // the side's length
    int m_bendDirection = 0; // ptIsLineLeft of this side against the previous one
    QString m_angleText = QStringLiteral("0");
    QString m_lengthText = QStringLiteral("0");

private:
    // The hook's points in world units, mirrored; empty without a hook.
    std::vector<QPoint> markChain(bool atStart, unsigned int mirrorFlags, QPoint mirrorCentre,
                                  unsigned int markFlags) const;
    void drawMarks(platform::Dc* dc, bool atStart, double scale, double widthFactor,
                   platform::COLORREF colour, int originX, int originY, unsigned int mirrorFlags,
                   QPoint mirrorCentre, unsigned int markFlags) const;
    void drawConnect(const CVes_Connect& connect, bool atStart, platform::Dc* dc, double scale,
                     double widthFactor, platform::COLORREF colour, int originX, int originY,
                     unsigned int mirrorFlags, QPoint mirrorCentre) const;
};
