#pragma once
// Texts of a bar-shape drawing: fixed texts and dimension variables (the
// named lengths and angles of a shape, drawn as "name：value", as the value
// or as the name). Both keep their reference point, height, rotation,
// alignment and font in CVes_String.

#include "core/geometry/curve.h"
#include "core/geometry/drawobject.h"
#include "core/geometry/point.h"
#include "platform/rect.h"

#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace platform { class Dc; }

class CVes_String : public CVes_DrawObject {
public:
    CVes_String();
    CVes_String(const CVes_String&) = default;
    CVes_String& operator=(const CVes_String&) = default;

    // Copies everything but the status.
    void set(const CVes_String* other);

    void Move(QPoint offset) override;
    // Flag 1 mirrors about the vertical line through `centre` (the angle is
    // negated and left and right alignment swap), flag 2 about the
    // horizontal one.
    void mirror(unsigned int flags, QPoint centre);
    // The corners of the text's box, in world units.
    void getOutlinePt(QPoint& p1, QPoint& p2, QPoint& p3, QPoint& p4) const;
    void LocateRect(platform::Rect& rect) override;
    // 0 when no corner of the box lies in `rect`, 2 when all do, else 1.
    int InRect(platform::Rect rect);
    virtual int HitTest(QPoint point);

    void setStatus(unsigned int status) override { m_status = status; }
    void setTxtHigh(int height) override { m_height = height; }
    void setTxtAlign(unsigned int align) override { m_align = align; }

    // Text alignments (horizontal part of a text alignment).
    static constexpr unsigned int kLeft = 0;
    static constexpr unsigned int kRight = 2;
    static constexpr unsigned int kCentre = 6;

    CVes_Point m_position;  // the reference point
    QString m_text;         // the text, or a variable's name
    int m_height = 1;       // world units
    int m_angle = 0;        // degrees
    unsigned int m_align = kLeft;
    QString m_fontName;     // shorter than a face name: Times New Roman

protected:
    // The box of `shown` drawn at `position` the way this item is drawn.
    void outline(QPoint position, const QString& shown, QPoint& p1, QPoint& p2, QPoint& p3,
                 QPoint& p4) const;
};

class CVes_Text : public CVes_String {
public:
    CVes_Text();
    CVes_Text(const CVes_Text&) = default;
    CVes_Text& operator=(const CVes_Text&) = default;

    void draw(platform::Dc* dc, platform::COLORREF colour, double scale, int originX, int originY,
              unsigned int mirrorFlags, QPoint mirrorCentre, double widthFactor);
    // In the item's own colour.
    void draw(platform::Dc* dc, double scale, int originX, int originY, unsigned int mirrorFlags,
              QPoint mirrorCentre, double widthFactor);

    void Serialize(platform::Archive& ar) override;
};

class CVes_Variable : public CVes_String {
public:
    // Kinds.
    static constexpr unsigned int kStandard = 0; // d, lae, lle, la, bhc: never drawn
    static constexpr unsigned int kComputed = 1; // from its formula
    static constexpr unsigned int kGiven = 2;    // given by the user
    static constexpr unsigned int kTextKind = 3; // shows its formula text
    static constexpr unsigned int kWholeNumber = 4;
    // Units.
    static constexpr unsigned int kPlain = 0;
    static constexpr unsigned int kDegrees = 1;

    CVes_Variable();
    CVes_Variable(const CVes_Variable& other);
    CVes_Variable& operator=(const CVes_Variable& other);
    explicit CVes_Variable(const CVes_Variable* other);

    void set(const CVes_Variable* other);

    // `nameWhenEmpty`: an empty text variable shows its name in place of its
    // value (a shape's label keeps the size it is clicked by); a title block
    // passes false, so that a field nobody filled in prints empty.
    void draw(platform::Dc* dc, platform::COLORREF colour, double scale, int originX, int originY,
              int showName, int showValue, unsigned int mirrorFlags, QPoint mirrorCentre,
              bool nameWhenEmpty = true);
    // In the item's own colour; the first argument is not used.
    void draw(bool, platform::Dc* dc, double scale, int originX, int originY, int showName,
              int showValue, unsigned int mirrorFlags, QPoint mirrorCentre);

    // Only the segment count "N" (or "n") takes a new value here; above 99
    // the user confirms it first.
    void setNvalue(double value);
    // Clearing the flag makes the variable single-valued.
    void setMutiVal(int multi);
    void calValueD() {}

    // The value as drawn: a number, a range "1000～1500 △100", or a text;
    // an empty text its name, unless `nameWhenEmpty` is false. Sets the
    // multi-value flag from the range.
    QString valueText(bool nameWhenEmpty = true);

    void getOutLineOfVal(QPoint& p1, QPoint& p2, QPoint& p3, QPoint& p4, int withValue,
                         unsigned int mirrorFlags, QPoint mirrorCentre) const;
    void LocateRect(platform::Rect& rect) override;
    int HitTest(QPoint point, unsigned int mirrorFlags, QPoint mirrorCentre) const;
    using CVes_String::HitTest;
    // Whether the text the last drawing drew (where a frame moved or shrank
    // it) covers `point`, in the logical units it was drawn in.
    bool drawnAt(QPoint point) const;

    void setVarType(unsigned int kind) override { m_type = kind; }
    void setVarUnit(unsigned int unit) override { m_unit = unit; }
    unsigned int getVarUnit() const { return m_unit; }

    void Serialize(platform::Archive& ar) override;

    // What the last draw showed.
    static constexpr int kDrewNameAndValue = 2;
    static constexpr int kDrewValue = 1;

    unsigned int m_type = kGiven;
    unsigned int m_unit = kPlain;
    double m_value = 0.0;
    double m_value2 = 0.0; // the other end of a varying dimension
    double m_step = 0.0;   // between the two ends
    QString m_formula;
    int m_multi = 0;
    int m_drawn = 0;
    // The box of the text the last drawing drew, in the logical units of its
    // context; empty when it drew none.
    QRect m_drawnBox;
};

// While one lives, the texts of shapes drawn on its thread (dimension
// values, shape texts, joint labels) are drawn no smaller than its minimum
// height and, where they would stick out, moved to lie within its bounds:
// a shape fitted into a small cell of a sheet keeps numbers a reader can
// read, inside the cell. The texts placed through it are laid out against
// one another and against the shape's lines (see Outline): a text that
// would lie over another or be crossed by a line first gets smaller where it
// stands, down to the frame's smallest height, and only then moves: beside
// its own leg, or along its direction and across it. Heights and bounds are
// logical units of the context the shape is drawn into. Frames nest; the
// innermost applies.
class ShapeTextFrame {
public:
    // `smallestHeight` below 0 means the minimum height: texts are not made
    // smaller to clear one another.
    ShapeTextFrame(int minimumHeight, const platform::Rect& bounds, int smallestHeight = -1);
    ~ShapeTextFrame();
    ShapeTextFrame(const ShapeTextFrame&) = delete;
    ShapeTextFrame& operator=(const ShapeTextFrame&) = delete;

    // A side of the shape and the names of the dimensions it measures; a
    // free end is an end of the bar, where a text may stand in line with the
    // side beyond it.
    struct Leg {
        StrokePoints points;
        QStringList names;
        bool freeStart = false;
        bool freeEnd = false;
    };
    // What the texts of the shape being drawn keep clear of and stand by:
    // every line it draws, and its legs. A dimension's text is crossed by
    // no line and lies no nearer another leg than one of its own.
    struct Outline {
        std::vector<StrokePoints> lines;
        std::vector<Leg> legs;
    };
    // Gives the current frame, while it lives, the outline of the shape
    // whose texts are placed; nothing without a frame.
    class OutlineScope {
    public:
        explicit OutlineScope(Outline outline);
        ~OutlineScope();
        OutlineScope(const OutlineScope&) = delete;
        OutlineScope& operator=(const OutlineScope&) = delete;

    private:
        ShapeTextFrame* m_frame;
        Outline m_outline;
        const Outline* m_outer = nullptr;
    };

    // The frame in force on this thread; null when none is.
    static const ShapeTextFrame* current();
    // `height` (its sign kept) raised to the current frame's minimum.
    static int heightFor(int height);
    // `anchor` moved so that a text `width` wide and `height` high drawn
    // there with the alignment `align` (TA_ flags) and the escapement
    // `angle` (degrees, counter-clockwise) lies within the current frame's
    // bounds; unchanged without a frame.
    static QPoint keptInside(const platform::Dc& dc, QPoint anchor, int width, int height,
                             unsigned int align, int angle);

    struct Placed {
        QPoint anchor;
        int height; // the sign of the height asked for kept
    };
    // Where the text of keptInside() goes and how high it is drawn, clear
    // of the texts placed before it in the current frame and of the lines
    // of its outline, and (for the dimension named `owner`) nearer its own
    // legs than any other, where the bounds leave room; where nowhere is
    // clear even at the smallest height, the place that fails least at
    // that height (the cell's clip cuts the rest). Without a frame,
    // `anchor` and `height` unchanged.
    // `width` measures the text at a height.
    static Placed place(const platform::Dc& dc, QPoint anchor, const std::function<int(int)>& width,
                        int height, unsigned int align, int angle,
                        const QString& owner = QString());

    // How a rehearsal laid texts out: the owners (see place()) of the texts
    // that found no clear place, and how many of those lie over another
    // text or are crossed by a line where they were left.
    struct Crowding {
        QStringList unplaced;
        int overlapping = 0;
        int crossed = 0;
        bool clear() const { return unplaced.isEmpty(); }
        // Fewer texts over others first, then fewer crossed, then fewer
        // without a clear place.
        bool operator<(const Crowding& other) const;
    };
    // Rehearses `drawTexts`, which draws texts through place(), so that
    // they are laid out against one another as a whole, not only each
    // against those before it: place() answers and nothing is drawn, first
    // at the texts' own heights, then no higher than the frame's minimum,
    // then its smallest; the first of these where every text finds a clear
    // place is kept for the texts drawn next (else the last). Answers how
    // the texts were laid out at the height kept; clear without a frame.
    static Crowding rehearse(const std::function<void()>& drawTexts);
    // Rehearses `drawTexts`, then runs it to draw the texts as rehearsed.
    // Without a frame it just runs.
    static void layOut(const std::function<void()>& drawTexts);
    // Whether texts placed now are only rehearsed: their callers draw
    // nothing.
    static bool rehearsing();

    int minimumHeight() const { return m_minimum; }
    int smallestHeight() const { return m_smallest; }
    const platform::Rect& bounds() const { return m_bounds; }

private:
    class Search;

    int m_minimum;
    int m_smallest;
    platform::Rect m_bounds;
    ShapeTextFrame* m_outer;
    // The boxes of the texts placed so far.
    std::vector<QRectF> m_taken;
    // The shape whose texts are placed; null when none is given.
    const Outline* m_outline = nullptr;
    // No text higher than this.
    int m_highest;
    // The highest text asked for since the last rehearsal began.
    int m_asked = 0;
    bool m_rehearsing = false;
    // The texts placed since the last rehearsal began that found no clear
    // place.
    Crowding m_crowding;
};
