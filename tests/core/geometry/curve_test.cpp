#include "core/geometry/curve.h"

#include "core/geometry/geometry.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace platform;

namespace {

CVes_Curve curve(int kind, QPoint p1, QPoint p2, QPoint p3 = QPoint())
{
    CVes_Curve c;
    c.m_type = kind;
    c.m_P1.fromPoint(p1);
    c.m_P2.fromPoint(p2);
    c.m_P3.fromPoint(p3);
    return c;
}

// stream

// kind 1, width 3, style 2, colour 0x0000FF, group 5, then three points.
const char* const kCurveSchema2 =
    "02 00 00 00  01 00 00 00  03 00 00 00  02 00 00 00  FF 00 00 00  05 00 00 00"
    "01 00 00 00  0A 00 00 00  14 00 00 00  00 00 00 00"
    "01 00 00 00  D8 FF FF FF  1E 00 00 00  07 00 00 00"
    "01 00 00 00  64 00 00 00  C8 00 00 00  00 00 00 00";

TEST(CurveStream, Schema2ReadsAndWritesTheSameBytes)
{
    Archive in(test::hex(kCurveSchema2));
    CVes_Curve c;
    c.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(c.getType(), 1);
    EXPECT_EQ(c.m_lineWidth, 3);
    EXPECT_EQ(c.m_lineStyle, 2u);
    EXPECT_EQ(c.m_color, 0x0000FFu);
    EXPECT_EQ(c.getGroupIndex(), 5u);
    EXPECT_EQ(c.m_P1.ToPoint(), QPoint(10, 20));
    EXPECT_EQ(c.m_P2.ToPoint(), QPoint(-40, 30));
    EXPECT_EQ(c.m_P2.m_third, 7);
    EXPECT_EQ(c.m_P3.ToPoint(), QPoint(100, 200));
    Archive out;
    c.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(test::hex(kCurveSchema2)));
}

TEST(CurveStream, Schema1HasNoGroupIndex)
{
    Archive in(test::hex("01 00 00 00  00 00 00 00  01 00 00 00  00 00 00 00  00 FF 00 00"
                         "01 00 00 00  01 00 00 00  02 00 00 00  00 00 00 00"
                         "01 00 00 00  03 00 00 00  04 00 00 00  00 00 00 00"
                         "01 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00"));
    CVes_Line line;
    line.setGroupIndex(1);
    line.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(line.getGroupIndex(), 1u);
    EXPECT_EQ(line.m_color, 0x00FF00u);
    EXPECT_EQ(line.m_P2.ToPoint(), QPoint(3, 4));
    // Stored again it is schema 2 with the group index.
    Archive out;
    line.Serialize(out);
    EXPECT_EQ(test::toHex(out.data().left(24)),
              test::toHex(test::hex("02 00 00 00  00 00 00 00  01 00 00 00  00 00 00 00  00 FF 00 00  01 00 00 00")));
}

TEST(CurveStream, UnknownSchemaAndTruncationFail)
{
    Archive unknown(test::hex("03 00 00 00  00 00 00 00"));
    CVes_Curve c;
    try {
        c.Serialize(unknown);
        FAIL() << "schema 3 was read";
    } catch (const SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }
    Archive truncated(test::hex(kCurveSchema2).left(40));
    CVes_Curve d;
    EXPECT_THROW(d.Serialize(truncated), ArchiveError);
    EXPECT_EQ(d.getType(), 0); // nothing half-read
}

// arcs

TEST(Curve, ArcThroughThreePoints)
{
    const CVes_Arc arc = [] {
        CVes_Arc a;
        a.m_P1.set(0, 100);
        a.m_P2.set(200, 100);
        a.m_P3.set(100, 200);
        return a;
    }();
    QPoint centre, start, end;
    EXPECT_EQ(arc.getArcPt(centre, start, end), 100);
    EXPECT_EQ(centre, QPoint(100, 100));
    EXPECT_EQ(start, QPoint(0, 100));
    EXPECT_EQ(end, QPoint(200, 100));

    // A vertical chord puts the first bisector level.
    CVes_Curve vertical = curve(1, {0, 0}, {0, 200}, {100, 100});
    EXPECT_EQ(vertical.getArcPt(centre, start, end), 100);
    EXPECT_EQ(centre, QPoint(0, 100));
    EXPECT_EQ(start, QPoint(0, 200));
}

struct NoArcCase {
    const char* name;
    int kind;
    QPoint p1, p2, p3;
};
void PrintTo(const NoArcCase& c, std::ostream* os) { *os << c.name; }

class CurveNoArc : public ::testing::TestWithParam<NoArcCase> {};

TEST_P(CurveNoArc, GivesMinusOneAndDrawsNothing)
{
    const NoArcCase& c = GetParam();
    const CVes_Curve arc = curve(c.kind, c.p1, c.p2, c.p3);
    QPoint centre, start, end;
    EXPECT_EQ(arc.getArcPt(centre, start, end), -1);
    RecordingDc dc;
    arc.draw(&dc, 1.0, 0, 0, 0, 0, QPoint(), 1.0);
    EXPECT_EQ(dc.count(DcOp::Arc), 0);
    EXPECT_FALSE(arc.HitTest(c.p3));
    Rect r(1, 1, 1, 1);
    CVes_Curve copy = arc;
    copy.LocateRect(r);
    if (c.kind == 1) {
        EXPECT_EQ(r, Rect(-2, -2, 4, 4)); // no rectangle: the given one, inflated
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveNoArc,
    ::testing::Values(NoArcCase{"line", 0, {0, 0}, {100, 0}, {50, 10}},
                      NoArcCase{"collinear", 1, {0, 0}, {100, 0}, {50, 0}},
                      NoArcCase{"nearlyCollinear", 1, {0, 0}, {1000, 0}, {500, 4}},
                      NoArcCase{"equalEnds", 1, {10, 10}, {10, 10}, {50, 50}},
                      NoArcCase{"thirdOnEnd", 1, {0, 0}, {100, 0}, {100, 0}},
                      // P3 outside the circle on the chord.
                      NoArcCase{"thirdTooFar", 1, {0, 0}, {100, 0}, {50, 80}}),
    [](const auto& info) { return std::string(info.param.name); });

// hit tests

struct HitCase {
    const char* name;
    CVes_Curve item;
    QPoint p;
    bool hit;
};
void PrintTo(const HitCase& c, std::ostream* os) { *os << c.name; }

class CurveHit : public ::testing::TestWithParam<HitCase> {};

TEST_P(CurveHit, HitsWithinTheTolerance)
{
    const HitCase& c = GetParam();
    EXPECT_EQ(c.item.HitTest(c.p), c.hit);
}

CVes_Curve circleOf(int kind, QPoint c, int r) { return curve(kind, c, QPoint(r, 0)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveHit,
    ::testing::Values(
        HitCase{"lineAt5Below", curve(0, {0, 0}, {100, 0}), {50, 5}, true},
        HitCase{"lineAt5Above", curve(0, {0, 0}, {100, 0}), {50, -5}, true},
        HitCase{"lineAt6", curve(0, {0, 0}, {100, 0}), {50, 6}, false},
        HitCase{"lineAtMinus6", curve(0, {0, 0}, {100, 0}), {50, -6}, false},
        HitCase{"lineEnd", curve(0, {0, 0}, {100, 0}), {100, 0}, true},
        HitCase{"lineBeyondEnd", curve(0, {0, 0}, {100, 0}), {103, 0}, false},
        HitCase{"diagonalNear", curve(0, {0, 0}, {100, 100}), {53, 46}, true},
        HitCase{"diagonalFar", curve(0, {0, 0}, {100, 100}), {54, 46}, false},
        HitCase{"zeroLengthNear", curve(0, {10, 10}, {10, 10}), {12, 12}, true},
        HitCase{"zeroLengthFar", curve(0, {10, 10}, {10, 10}), {13, 12}, false},
        // The drawn arc runs through P3, below the chord.
        HitCase{"arcThroughThird", curve(1, {0, 100}, {200, 100}, {100, 200}), {100, 195}, true},
        HitCase{"arcOtherHalf", curve(1, {0, 100}, {200, 100}, {100, 200}), {100, 5}, false},
        HitCase{"arcOffTheRing", curve(1, {0, 100}, {200, 100}, {100, 200}), {100, 180}, false},
        // An arc across the direction of angle zero is hit on both sides of it.
        HitCase{"arcAcrossZeroBelow", curve(1, {100, 0}, {100, 200}, {200, 100}), {190, 140}, true},
        HitCase{"arcAcrossZeroAbove", curve(1, {100, 0}, {100, 200}, {200, 100}), {190, 60}, true},
        HitCase{"arcAcrossZeroFarSide", curve(1, {100, 0}, {100, 200}, {200, 100}), {5, 100}, false},
        HitCase{"circleRing", circleOf(2, {0, 0}, 50), {0, 45}, true},
        HitCase{"circleCentre", circleOf(2, {0, 0}, 50), {0, 0}, false},
        HitCase{"discNever", circleOf(20, {0, 0}, 50), {0, 50}, false},
        HitCase{"markInside", curve(8, {0, 0}, {100, 0}), {-17, 18}, true},
        HitCase{"markOutside", curve(8, {0, 0}, {100, 0}), {-19, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct InRectCase {
    const char* name;
    CVes_Curve item;
    Rect r;
    int result;
};
void PrintTo(const InRectCase& c, std::ostream* os) { *os << c.name; }

class CurveInRect : public ::testing::TestWithParam<InRectCase> {};

TEST_P(CurveInRect, GradesTheCover)
{
    const InRectCase& c = GetParam();
    EXPECT_EQ(c.item.InRect(c.r), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveInRect,
    ::testing::Values(
        InRectCase{"lineWhole", curve(0, {10, 10}, {20, 20}), Rect(0, 0, 50, 50), 2},
        InRectCase{"lineOneEnd", curve(0, {10, 10}, {80, 20}), Rect(50, 50, 0, 0), 1},
        InRectCase{"lineCrossing", curve(0, {-10, -20}, {60, 80}), Rect(0, 0, 50, 50), 1},
        InRectCase{"lineMissing", curve(0, {100, 0}, {200, 60}), Rect(0, 0, 50, 50), 0},
        InRectCase{"levelLineThrough", curve(0, {-10, 25}, {80, 25}), Rect(0, 0, 50, 50), 0},
        InRectCase{"arcWhole", curve(1, {0, 100}, {200, 100}, {100, 200}), Rect(-10, 90, 210, 210), 2},
        InRectCase{"arcHalf", curve(1, {0, 100}, {200, 100}, {100, 200}), Rect(-10, 90, 10, 110), 1},
        InRectCase{"circleWhole", circleOf(2, {0, 0}, 10), Rect(-20, -20, 20, 20), 2},
        InRectCase{"circlePart", circleOf(2, {0, 0}, 10), Rect(0, -20, 20, 20), 1},
        InRectCase{"markAnchor", curve(8, {5, 5}, {50, 5}), Rect(0, 0, 10, 10), 2},
        InRectCase{"markOutside", curve(8, {50, 5}, {5, 5}), Rect(0, 0, 10, 10), 0},
        InRectCase{"disc", circleOf(20, {0, 0}, 10), Rect(-20, -20, 20, 20), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Curve, LocateRectInflatesByThree)
{
    Rect r;
    CVes_Curve line = curve(0, {30, 10}, {0, 40});
    line.LocateRect(r);
    EXPECT_EQ(r, Rect(-3, 7, 33, 43));
    CVes_Curve circle = circleOf(2, {100, 100}, 20);
    circle.LocateRect(r);
    EXPECT_EQ(r, Rect(77, 77, 123, 123));
    CVes_Curve mark = curve(8, {0, 0}, {0, 100});
    mark.LocateRect(r);
    EXPECT_EQ(r, Rect(-16, -16, 17, 17));
    EXPECT_TRUE(line.Intersects(Rect(32, 42, 60, 60)));
    EXPECT_FALSE(line.Intersects(Rect(34, 44, 60, 60)));
}

TEST(Curve, MoveMovesThePointsOfItsKind)
{
    struct Row {
        int kind;
        bool p1, p2, p3;
    } const rows[] = {{0, true, true, false}, {8, true, true, false}, {1, true, true, true},
                      {2, true, false, false}, {20, true, false, false}, {4, false, false, false}};
    for (const Row& row : rows) {
        CVes_Curve c = curve(row.kind, {1, 1}, {2, 2}, {3, 3});
        c.Move(QPoint(10, 100));
        EXPECT_EQ(c.m_P1.ToPoint(), row.p1 ? QPoint(11, 101) : QPoint(1, 1)) << row.kind;
        EXPECT_EQ(c.m_P2.ToPoint(), row.p2 ? QPoint(12, 102) : QPoint(2, 2)) << row.kind;
        EXPECT_EQ(c.m_P3.ToPoint(), row.p3 ? QPoint(13, 103) : QPoint(3, 3)) << row.kind;
    }
}

TEST(Curve, MirrorFlagsAndMirroringTwice)
{
    CVes_Curve c = curve(1, {10, 20}, {30, -40}, {5, 6});
    const CVes_Curve original = c;
    c.mirror(3, QPoint(100, 50));
    EXPECT_EQ(c.m_P1.ToPoint(), QPoint(190, 80));
    EXPECT_EQ(c.m_P2.ToPoint(), QPoint(170, 140));
    EXPECT_EQ(c.m_P3.ToPoint(), QPoint(195, 94));
    c.mirror(3, QPoint(100, 50));
    EXPECT_EQ(c.m_P1, original.m_P1);
    EXPECT_EQ(c.m_P2, original.m_P2);
    EXPECT_EQ(c.m_P3, original.m_P3);
    c.mirror(1, QPoint(0, 0));
    EXPECT_EQ(c.m_P1.ToPoint(), QPoint(-10, 20));
    // A circle keeps its radius.
    CVes_Curve circle = circleOf(2, {10, 10}, 25);
    circle.mirror(1, QPoint(100, 0));
    EXPECT_EQ(circle.m_P1.ToPoint(), QPoint(190, 10));
    EXPECT_EQ(circle.m_P2.m_x, 25);
}

TEST(Curve, CopiesKeepOrDropTheGroupIndex)
{
    CVes_Curve c = curve(1, {1, 2}, {3, 4}, {5, 6});
    c.setGroupIndex(9);
    c.m_styleFlag = 0;
    c.m_lineWidth = 4;
    const CVes_Curve copy(&c);
    EXPECT_EQ(copy.getGroupIndex(), 9u);
    EXPECT_EQ(copy.m_styleFlag, 0);
    CVes_Curve target;
    target.set(&c);
    EXPECT_EQ(target.getGroupIndex(), 1u);
    EXPECT_EQ(target.m_P3, c.m_P3);
    EXPECT_EQ(target.m_lineWidth, 4);
    const CVes_Arc arc(&c);
    EXPECT_EQ(arc.getType(), 1);
}

// drawing

TEST(CurveDraw, LineAtScaleAndOriginWithItsPen)
{
    RecordingDc dc;
    CVes_Curve line = curve(0, {0, 0}, {100, 50});
    line.m_lineWidth = 3;
    line.draw(&dc, 2.0, 10, 20, RGB(1, 2, 3), 0, QPoint(), 1.5);
    const auto segs = dc.segments();
    ASSERT_EQ(segs.size(), 1u) << dc.dump().toStdString();
    EXPECT_EQ(segs[0].from, QPoint(10, 20));
    EXPECT_EQ(segs[0].to, QPoint(60, 45));
    EXPECT_EQ(segs[0].pen, Pen(PS_SOLID, 4, RGB(1, 2, 3)));
    EXPECT_EQ(segs[0].dc, 0);
    // Pen and background mode are given back.
    EXPECT_EQ(dc.GetCurrentPen(), Pen());
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    ASSERT_EQ(dc.records(DcOp::SetBkMode).size(), 2u);
    EXPECT_EQ(dc.records(DcOp::SetBkMode)[0].value, TRANSPARENT);
}

TEST(CurveDraw, SelectedItemsAreDottedYellow)
{
    RecordingDc dc;
    CVes_Curve line = curve(0, {0, 0}, {100, 0});
    line.m_lineWidth = 4;
    line.setStatus(CVes_DrawObject::kSelected);
    line.draw(&dc, 2.0, 0, 0, RGB(255, 0, 0), 0, QPoint(), 1.0);
    const auto segs = dc.segments();
    ASSERT_EQ(segs.size(), 1u);
    EXPECT_EQ(segs[0].pen, *createStylePen(2, 2, 0x00FFFF, 1.0));
}

TEST(CurveDraw, WeldMarksThickenThePen)
{
    for (int subStyle : {4, 5}) {
        RecordingDc dc;
        CVes_Curve mark = curve(8, {0, 0}, {100, 0});
        mark.m_subStyle = subStyle;
        mark.m_lineWidth = 2;
        mark.draw(&dc, 1.0, 0, 0, 0, 0, QPoint(), 1.0);
        const auto segs = dc.segments();
        ASSERT_FALSE(segs.empty());
        EXPECT_EQ(segs[0].pen.width(), subStyle == 4 ? 12 : 8);
    }
}

TEST(CurveDraw, StylesWithoutAPenAreDrawnSolid)
{
    RecordingDc dc;
    CVes_Curve line = curve(0, {0, 0}, {10, 0});
    line.setLineStyle(5);
    line.draw(&dc, 1.0, 0, 0, RGB(0, 0, 255), 0, QPoint(), 1.0);
    ASSERT_EQ(dc.segments().size(), 1u);
    EXPECT_EQ(dc.segments()[0].pen, Pen(PS_SOLID, 1, RGB(0, 0, 255)));
}

TEST(CurveDraw, ArcEndsFollowTheYSign)
{
    const CVes_Curve arc = curve(1, {0, 100}, {200, 100}, {100, 200});
    RecordingDc down;
    arc.draw(&down, 2.0, 0, 0, 0, 0, QPoint(), 1.0);
    auto rec = down.records(DcOp::Arc);
    ASSERT_EQ(rec.size(), 1u);
    EXPECT_EQ(rec[0].rect, Rect(0, 0, 100, 100));
    EXPECT_EQ(rec[0].points, (std::vector<QPoint>{{0, 50}, {100, 50}}));

    RecordingDc up;
    up.SetMapMode(MM_ANISOTROPIC);
    up.SetWindowExt(254, 254);
    up.SetViewportExt(96, -96);
    arc.draw(&up, 2.0, 0, 0, 0, 0, QPoint(), 1.0);
    rec = up.records(DcOp::Arc);
    ASSERT_EQ(rec.size(), 1u);
    EXPECT_EQ(rec[0].points, (std::vector<QPoint>{{100, 50}, {0, 50}}));

    // Mirrored about a vertical line the arc's ends change places.
    RecordingDc mirrored;
    arc.draw(&mirrored, 2.0, 0, 0, 0, 1, QPoint(100, 0), 1.0);
    rec = mirrored.records(DcOp::Arc);
    ASSERT_EQ(rec.size(), 1u);
    EXPECT_EQ(rec[0].points, (std::vector<QPoint>{{0, 50}, {100, 50}}));
}

TEST(CurveDraw, CirclesAndDiscs)
{
    RecordingDc dc;
    circleOf(2, {100, 100}, 0).draw(&dc, 1.0, 0, 0, 0, 0, QPoint(), 1.0);
    EXPECT_TRUE(dc.drawing().empty()) << dc.dump().toStdString();

    circleOf(2, {100, 100}, 15).draw(&dc, 2.0, 1, 1, 0, 0, QPoint(), 1.0);
    auto arcs = dc.records(DcOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    // (85 / 2 + 1 + 0.5) truncated is 44; (115 / 2 + 1.5) is 59.
    EXPECT_EQ(arcs[0].rect, Rect(44, 44, 59, 59));
    EXPECT_EQ(arcs[0].points[0], arcs[0].points[1]);

    dc.clear();
    circleOf(20, {0, 0}, 10).draw(&dc, 1.0, 0, 0, RGB(7, 7, 7), 0, QPoint(), 1.0);
    ASSERT_EQ(dc.count(DcOp::Arc), 1);
    const auto filled = dc.records(DcOp::Ellipse);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0].brush, Brush(RGB(7, 7, 7)));
    EXPECT_EQ(dc.GetCurrentBrush(), Brush());
}

// What a mark of a sub-style draws, as points relative to its anchor.
std::vector<QString> markDrawing(int subStyle, RecordingDc* dc)
{
    CVes_Curve mark = curve(8, {500, 500}, {500, 900});
    mark.m_subStyle = subStyle;
    mark.draw(dc, 1.0, 0, 0, RGB(0, 0, 0), 0, QPoint(), 1.0);
    std::vector<QString> ops;
    for (const DcRecord& r : dc->drawing()) {
        QString s = dcOpName(r.op);
        for (QPoint p : r.points)
            s += QStringLiteral(" %1,%2").arg(p.x() - 500).arg(p.y() - 500);
        if (!r.rect.IsRectNull())
            s += QStringLiteral(" r%1,%2").arg(r.rect.left - 500).arg(r.rect.bottom - 500);
        if (r.op == DcOp::FillRgn)
            s += r.brush.isHatched() ? QStringLiteral(" hatched") : QStringLiteral(" solid");
        ops.push_back(s);
    }
    return ops;
}

TEST(CurveDraw, ConnectionMarksStayInTheirRectangleAndDiffer)
{
    std::set<std::vector<QString>> seen;
    for (int subStyle = 0; subStyle <= 10; ++subStyle) {
        RecordingDc dc;
        const auto drawing = markDrawing(subStyle, &dc);
        EXPECT_FALSE(drawing.empty()) << subStyle;
        EXPECT_TRUE(seen.insert(drawing).second) << "sub-style " << subStyle << " looks like another";
        CVes_Curve mark = curve(8, {500, 500}, {500, 900});
        Rect box;
        mark.LocateRect(box);
        box.InflateRect(-3, -3);
        for (const DcRecord& r : dc.drawing()) {
            std::vector<QPoint> pts = r.points;
            if (!r.rect.IsRectNull()) {
                pts.push_back(r.rect.TopLeft());
                pts.push_back(r.rect.BottomRight());
            }
            for (QPoint p : pts) {
                EXPECT_TRUE(p.x() >= box.left && p.x() <= box.right && p.y() >= box.top && p.y() <= box.bottom)
                    << "sub-style " << subStyle << ": " << r.toString().toStdString();
            }
        }
    }
    RecordingDc sleeve;
    markDrawing(6, &sleeve);
    ASSERT_EQ(sleeve.count(DcOp::FillRgn), 1);
    EXPECT_EQ(sleeve.records(DcOp::FillRgn)[0].brush, Brush(HS_VERTICAL, RGB(0, 0, 0)));
}

// Curves at the ends of the int range (a file may hold any point), drawn at
// any scale and mirrored: every device point lies within the device range,
// and nothing on the way passes the int range.
struct ExtremeCurveCase {
    const char* name;
    int type;
    QPoint p1, p2, p3;
    double scale;
};

class CurveAtTheIntRange : public ::testing::TestWithParam<ExtremeCurveCase> {};

TEST_P(CurveAtTheIntRange, DrawsWithinTheDeviceRange)
{
    const ExtremeCurveCase& c = GetParam();
    CVes_Curve item = curve(c.type, c.p1, c.p2);
    item.m_P3.fromPoint(c.p3);
    item.m_subStyle = 5;
    for (unsigned int mirror : {0u, 3u}) {
        RecordingDc dc;
        item.draw(&dc, c.scale, 2000000000, -2000000000, 0, mirror, QPoint(2000000000, 5), 1.0);
        for (const DcRecord& record : dc.records()) {
            for (const QPoint& p : record.points) {
                EXPECT_LE(std::abs(p.x()), kDeviceCoordinateLimit) << dc.dump().toStdString();
                EXPECT_LE(std::abs(p.y()), kDeviceCoordinateLimit) << dc.dump().toStdString();
            }
        }
    }
    Rect box;
    item.LocateRect(box);
    item.HitTest(QPoint(-2147483647, 2147483647));
    item.InRect(Rect(-2147483647, -2147483647, 2147483647, 2147483647));
}

constexpr int kMax = 2147483647;

INSTANTIATE_TEST_SUITE_P(
    Items, CurveAtTheIntRange,
    ::testing::Values(
        ExtremeCurveCase{"LineCorners", CVes_Curve::kLine, {-kMax, -kMax}, {kMax, kMax}, {}, 1e-9},
        ExtremeCurveCase{"CircleOfHugeRadius", CVes_Curve::kCircle, {-1684958458, 7},
                         {kMax, 0}, {}, 1e-3},
        ExtremeCurveCase{"DiscFarOut", CVes_Curve::kDisc, {kMax, -kMax}, {1000000, 0}, {}, 0.5},
        ExtremeCurveCase{"ArcThroughFarPoints", CVes_Curve::kArc, {-kMax, 0}, {kMax, 0},
                         {0, 1000000000}, 1e-6},
        ExtremeCurveCase{"MarkAtTheCorner", CVes_Curve::kConnectMark, {kMax, kMax},
                         {-kMax, -kMax}, {}, 1e-9}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
