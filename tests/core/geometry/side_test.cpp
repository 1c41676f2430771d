#include "core/geometry/side.h"

#include "core/geometry/connect.h"
#include "core/geometry/geometry.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <QPointF>
#include <cmath>

using namespace platform;

namespace {

CVes_Side side(int kind, QPoint p1, QPoint p2, QPoint p3 = QPoint())
{
    CVes_Side s;
    s.m_type = kind;
    s.m_P1.fromPoint(p1);
    s.m_P2.fromPoint(p2);
    s.m_P3.fromPoint(p3);
    return s;
}

// stream

// The curve part: schema 2, the kind, width 1, style 0, a colour, group 1,
// P1 (0,0), P2 (1000,0), P3 (0,0).
QByteArray curvePart(const char* kind, const char* colour)
{
    return test::hex("02 00 00 00") + test::hex(kind)
         + test::hex("01 00 00 00  00 00 00 00") + test::hex(colour) + test::hex("01 00 00 00"
           "01 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00"
           "01 00 00 00  E8 03 00 00  00 00 00 00  00 00 00 00"
           "01 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00");
}

// Schema 2: angle 90.0, length 1000, bend direction -1, "90", "L1".
const char* const kSidePart =
    "02 00 00 00  00 00 00 00 00 80 56 40  E8 03 00 00  FF FF FF FF  02 39 30  02 4C 31";
// Schema 2 of a mark: no angle or length, "0" and "0", then type 7, count 3
// and the count text "长".
const char* const kMarkPart =
    "02 00 00 00  00 00 00 00 00 00 00 00  00 00 00 00  00 00 00 00  01 30  01 30"
    "07 00 00 00  03 00 00 00  02 B3 A4";

struct StreamCase {
    const char* name;
    QByteArray bytes;
    int kind;
    unsigned colour;     // after loading
    int subStyle, count; // after loading
    QString countText;
    bool rewritesSame;   // writing the loaded side gives the same bytes
};
void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class SideStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(SideStream, ReadsTheLayoutAndForcesTheColour)
{
    const StreamCase& c = GetParam();
    Archive in(c.bytes);
    CVes_Side s;
    s.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(s.getType(), c.kind);
    EXPECT_EQ(s.m_color, c.colour);
    EXPECT_EQ(s.m_subStyle, c.subStyle);
    EXPECT_EQ(s.m_count, c.count);
    EXPECT_EQ(s.m_text, c.countText);
    EXPECT_EQ(s.getEnd(), QPoint(1000, 0));
    Archive out;
    s.Serialize(out);
    if (c.rewritesSame) {
        EXPECT_EQ(test::toHex(out.data()), test::toHex(c.bytes));
    }
    // Whatever was read, what is written reads back the same.
    Archive again(out.data());
    CVes_Side t;
    t.Serialize(again);
    EXPECT_TRUE(again.atEnd());
    EXPECT_EQ(t.m_angle, s.m_angle);
    EXPECT_EQ(t.m_lengthText, s.m_lengthText);
    EXPECT_EQ(t.m_subStyle, s.m_subStyle);
    EXPECT_EQ(t.m_text, s.m_text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SideStream,
    ::testing::Values(
        StreamCase{"straight", curvePart("00 00 00 00", "FF 00 00 00") + test::hex(kSidePart), 0,
                   0x0000FF, 8, 1, QStringLiteral("1"), true},
        // Any stored colour loads as red.
        StreamCase{"straightOtherColour", curvePart("00 00 00 00", "56 34 12 00") + test::hex(kSidePart), 0,
                   0x0000FF, 8, 1, QStringLiteral("1"), false},
        StreamCase{"mark", curvePart("08 00 00 00", "FF FF 00 00") + test::hex(kMarkPart), 8,
                   0x00FFFF, 7, 3, QStringLiteral("长"), true},
        StreamCase{"markOtherColour", curvePart("08 00 00 00", "00 00 00 00") + test::hex(kMarkPart), 8,
                   0x00FFFF, 7, 3, QStringLiteral("长"), false},
        // Schema 1 has no mark fields: a mark keeps its defaults and is red.
        StreamCase{"schema1Mark",
                   curvePart("08 00 00 00", "FF FF 00 00")
                       + test::hex("01 00 00 00  00 00 00 00 00 00 00 00  00 00 00 00  00 00 00 00  01 30  01 30"),
                   8, 0x0000FF, 8, 1, QStringLiteral("1"), false},
        StreamCase{"schema1Straight",
                   curvePart("01 00 00 00", "FF 00 00 00")
                       + test::hex("01 00 00 00  00 00 00 00 00 80 56 40  E8 03 00 00  FF FF FF FF  02 39 30  02 4C 31"),
                   1, 0x0000FF, 8, 1, QStringLiteral("1"), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SideStream, FieldsOfAStraightSide)
{
    Archive in(curvePart("00 00 00 00", "FF 00 00 00") + test::hex(kSidePart));
    CVes_Side s;
    s.Serialize(in);
    EXPECT_DOUBLE_EQ(s.m_angle, 90.0);
    EXPECT_EQ(s.m_length, 1000);
    EXPECT_EQ(s.m_bendDirection, -1);
    EXPECT_EQ(s.m_angleText, QStringLiteral("90"));
    EXPECT_EQ(s.m_lengthText, QStringLiteral("L1"));
}

TEST(SideStream, UnknownSchemasThrow)
{
    Archive side3(curvePart("00 00 00 00", "FF 00 00 00") + test::hex("03 00 00 00"));
    CVes_Side s;
    EXPECT_THROW(s.Serialize(side3), SchemaError);
    Archive curve0(test::hex("00 00 00 00"));
    EXPECT_THROW(s.Serialize(curve0), SchemaError);
    Archive truncated(curvePart("08 00 00 00", "FF FF 00 00") + test::hex(kMarkPart).chopped(3));
    EXPECT_THROW(s.Serialize(truncated), ArchiveError);
}

TEST(Side, ConstructionAndCopies)
{
    CVes_Side s;
    EXPECT_EQ(s.m_subStyle, 8);
    EXPECT_EQ(s.m_text, QStringLiteral("1"));
    EXPECT_EQ(s.m_count, 1);
    EXPECT_EQ(s.m_flag, 1);
    EXPECT_EQ(s.m_angleText, QStringLiteral("0"));
    EXPECT_EQ(s.m_color, 0u);
    EXPECT_FALSE(s.isConnect());

    CVes_Side mark = side(8, {1, 2}, {3, 4});
    mark.m_subStyle = 6;
    mark.m_text = QStringLiteral("n");
    mark.m_count = 4;
    mark.m_flag = 0;
    mark.m_lengthText = QStringLiteral("L2");
    mark.setGroupIndex(3);
    EXPECT_TRUE(mark.isConnect());
    const CVes_Side copy(&mark);
    EXPECT_EQ(copy.m_subStyle, 8); // the copy constructor leaves the mark's type
    EXPECT_EQ(copy.m_flag, 0);
    EXPECT_EQ(copy.m_lengthText, QStringLiteral("L2"));
    EXPECT_EQ(copy.getGroupIndex(), 1u);
    CVes_Side full;
    full.set(&mark);
    EXPECT_EQ(full.m_subStyle, 6);
    EXPECT_EQ(full.m_text, QStringLiteral("n"));
    EXPECT_EQ(full.m_count, 4);
    EXPECT_EQ(full.getStart(), QPoint(1, 2));
}

TEST(Side, Tangents)
{
    EXPECT_EQ(side(0, {0, 0}, {100, 30}).getTangent(1), 0.0);
    EXPECT_EQ(side(1, {5, 5}, {5, 5}, {50, 0}).getTangent(1), -1.0);
    // The bar runs from P1 through P3 to P2: down at the start, up at the end.
    const CVes_Side arc = side(1, {0, 100}, {200, 100}, {100, 200});
    EXPECT_NEAR(arc.getTangent(1), 1.5707963, 1e-7);
    EXPECT_NEAR(arc.getTangent(2), -1.5707963, 1e-7);
    // The other way round the circle.
    const CVes_Side over = side(1, {0, 100}, {200, 100}, {100, 0});
    EXPECT_NEAR(over.getTangent(1), 3.1415926 + 1.5707963, 1e-7);
    EXPECT_NEAR(over.getTangent(2), 1.5707963, 1e-7);
}

TEST(Side, RealStartIsMirrored)
{
    const CVes_Side s = side(0, {10, 20}, {30, 40});
    EXPECT_EQ(s.getRealStart(1.0, 0, 0, 1, QPoint(50, 0), 1), QPoint(90, 20));
    EXPECT_EQ(s.getRealStart(1.0, 0, 0, 2, QPoint(0, 50), 0), QPoint(30, 60));
}

// end marks

struct MarkCase {
    const char* name;
    CVes_Side item;
    bool atStart;
    unsigned int flags;
    unsigned int mirrorFlags;
    // The strokes as turns (radians, relative to H) and lengths, from S.
    std::vector<std::pair<double, int>> steps;
    QPoint s;
    double h;
};
void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

class SideEndMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(SideEndMarks, DrawTheStrokesOfTheFlags)
{
    const MarkCase& c = GetParam();
    RecordingDc dc;
    if (c.atStart)
        c.item.drawStart(&dc, 1.0, 1.0, RGB(0, 0, 0), 0, 0, c.mirrorFlags, QPoint(50, 0), c.flags);
    else
        c.item.drawEnd(&dc, 1.0, 1.0, RGB(0, 0, 0), 0, 0, c.mirrorFlags, QPoint(50, 0), c.flags);
    const auto segs = dc.segments();
    ASSERT_EQ(segs.size(), c.steps.size()) << dc.dump().toStdString();
    if (c.steps.empty()) {
        EXPECT_TRUE(dc.records().empty()) << dc.dump().toStdString();
        return;
    }
    QPoint at = c.s;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const QPoint next = vesPolar(at, c.h + c.steps[i].first, c.steps[i].second);
        EXPECT_EQ(segs[i].from, at) << i;
        EXPECT_EQ(segs[i].to, next) << i;
        at = next;
    }
}

const CVes_Side kBar = side(0, {0, 0}, {100, 0});
const CVes_Side kArcBar = side(1, {0, 100}, {200, 100}, {100, 200});
constexpr double kRight = 1.5707963;

INSTANTIATE_TEST_SUITE_P(
    Cases, SideEndMarks,
    ::testing::Values(
        MarkCase{"none", kBar, true, 0, 0, {}, {0, 0}, 0.0},
        MarkCase{"turnBitsAlone", kBar, true, 8 | 16, 0, {}, {0, 0}, 0.0},
        MarkCase{"straight", kBar, true, 1, 0, {{0.0, 60}}, {0, 0}, 0.0},
        // One 60-unit stroke at right angles to the side.
        MarkCase{"straightNegative", kBar, true, 1 | 8, 0, {{-kRight, 60}}, {0, 0}, 0.0},
        MarkCase{"straightPositive", kBar, true, 1 | 16, 0, {{kRight, 60}}, {0, 0}, 0.0},
        MarkCase{"hook45", kBar, true, 2 | 8, 0, {{-kRight, 20}, {-0.78539815, 60}}, {0, 0}, 0.0},
        MarkCase{"hook45Plain", kBar, true, 2, 0, {{0.0, 20}, {0.0, 60}}, {0, 0}, 0.0},
        // Bent back without a turn: straight on, nothing to bend round.
        MarkCase{"hookBackUnturned", kBar, true, 4, 0, {{0.0, 40}, {0.0, 60}}, {0, 0}, 0.0},
        MarkCase{"end", kBar, false, 1 | 8, 0, {{-kRight, 60}}, {100, 0}, 3.1415926},
        MarkCase{"mirroredStart", kBar, true, 1 | 8, 1, {{-kRight, 60}}, {100, 0}, 3.1415926},
        MarkCase{"arcStart", kArcBar, true, 1, 0, {{0.0, 60}}, {0, 100}, kRight},
        MarkCase{"arcEnd", kArcBar, false, 1, 0, {{0.0, 60}}, {200, 100}, -kRight + 3.1415926}),
    [](const auto& info) { return std::string(info.param.name); });

// A hook bent back (180°) is drawn as one: a half circle 40 units across,
// bulging away from the bar, then a tail of 60 units back along the bar.
struct HookBackCase {
    const char* name;
    CVes_Side item;
    bool atStart;
    unsigned int flags;
    QPoint s;
    double h; // the bar's direction at this end
    double d; // across the bar, the way the hook turns
};
void PrintTo(const HookBackCase& c, std::ostream* os) { *os << c.name; }

class SideHookBack : public ::testing::TestWithParam<HookBackCase> {};

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

TEST_P(SideHookBack, IsAHalfCircleAndATail)
{
    const HookBackCase& c = GetParam();
    RecordingDc dc;
    if (c.atStart)
        c.item.drawStart(&dc, 1.0, 1.0, RGB(0, 0, 0), 0, 0, 0, QPoint(), c.flags);
    else
        c.item.drawEnd(&dc, 1.0, 1.0, RGB(0, 0, 0), 0, 0, 0, QPoint(), c.flags);
    const auto segs = dc.segments();
    ASSERT_GE(segs.size(), 5u) << dc.dump().toStdString();
    EXPECT_EQ(segs.front().from, c.s);
    for (std::size_t i = 1; i < segs.size(); ++i)
        EXPECT_EQ(segs[i].from, segs[i - 1].to) << "the strokes are one chain";

    const QPointF centre = QPointF(c.s) + 20.0 * QPointF(std::cos(c.d), std::sin(c.d));
    const QPointF across = QPointF(c.s) + 40.0 * QPointF(std::cos(c.d), std::sin(c.d));
    const QPointF along(std::cos(c.h), std::sin(c.h));
    bool bulges = false;
    for (std::size_t i = 0; i + 1 < segs.size(); ++i) {
        const QPointF p = segs[i].to;
        EXPECT_NEAR(distance(p, centre), 20.0, 1.0) << "bend point " << i;
        const double out = QPointF::dotProduct(p - centre, along);
        EXPECT_LE(out, 1.0) << "bend point " << i << " lies on the bar's side";
        bulges = bulges || out < -15.0;
    }
    EXPECT_TRUE(bulges);
    const QPointF bendEnd = segs[segs.size() - 2].to;
    EXPECT_NEAR(distance(bendEnd, across), 0.0, 1.0);
    // The tail runs 60 units back along the bar.
    const QPointF tail = QPointF(segs.back().to) - QPointF(segs.back().from);
    EXPECT_NEAR(distance(tail, 60.0 * along), 0.0, 1.5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SideHookBack,
    ::testing::Values(HookBackCase{"startPositive", kBar, true, 4 | 16, {0, 0}, 0.0, kRight},
                      HookBackCase{"startNegative", kBar, true, 4 | 8, {0, 0}, 0.0, -kRight},
                      // Bit 4 wins over bits 2 and 1.
                      HookBackCase{"winsOverTheOthers", kBar, true, 4 | 2 | 1 | 8, {0, 0}, 0.0, -kRight},
                      HookBackCase{"end", kBar, false, 4 | 8, {100, 0}, 3.1415926, 3.1415926 - kRight},
                      HookBackCase{"arcStart", kArcBar, true, 4 | 16, {0, 100}, kRight, 2 * kRight}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SideEndMarksPen, StyleFlagZeroDrawsDashed)
{
    CVes_Side s = side(0, {0, 0}, {100, 0});
    s.setLineWidth(2);
    s.setLineStyle(3);
    RecordingDc dc;
    s.drawStart(&dc, 1.0, 1.5, RGB(9, 9, 9), 0, 0, 0, QPoint(), 1);
    ASSERT_EQ(dc.segments().size(), 1u);
    EXPECT_EQ(dc.segments()[0].pen, *createStylePen(3, 3, RGB(9, 9, 9), 1.5));
    s.m_styleFlag = 0;
    s.setColor(RGB(1, 1, 1));
    dc.clear();
    s.drawEnd(&dc, 1.0, 1.5, 0, 0, 0, QPoint(), 1);
    ASSERT_EQ(dc.segments().size(), 1u);
    EXPECT_EQ(dc.segments()[0].pen, *createStylePen(1, 3, RGB(1, 1, 1), 1.5));
    EXPECT_EQ(dc.GetCurrentPen(), Pen());
}

// connection symbols

// What a mark curve of a sub-style draws from (0,0) towards (1000,0).
QString markOf(int subStyle, platform::COLORREF colour = 0)
{
    CVes_Curve mark;
    mark.m_type = CVes_Curve::kConnectMark;
    mark.m_P2.set(1000, 0);
    mark.m_subStyle = subStyle;
    RecordingDc dc;
    mark.draw(&dc, 1.0, 0, 0, colour, 0, QPoint(), 1.0);
    return dc.dump();
}

struct ConnectCase {
    const char* name;
    int type, direction, farDirection;
    int subStyle;
};
void PrintTo(const ConnectCase& c, std::ostream* os) { *os << c.name; }

class SideConnect : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(SideConnect, DrawsTheMarkOfTheConnection)
{
    const ConnectCase& c = GetParam();
    CVes_Connect connect;
    connect.type = c.type;
    connect.direction = c.direction;
    connect.farDirection = c.farDirection;
    const CVes_Side s = side(0, {0, 0}, {1000, 0});
    RecordingDc dc;
    s.drawStartConnect(connect, &dc, 1.0, 1.0, 0, 0, 0, 0, QPoint(), 0);
    EXPECT_EQ(dc.dump(), markOf(c.subStyle));
    // At the end the symbol stands at P2, turned towards P1.
    const CVes_Side reversed = side(0, {1000, 0}, {0, 0});
    RecordingDc end;
    reversed.drawEndConnect(connect, &end, 1.0, 1.0, 0, 0, 0, 0, QPoint(), 0);
    EXPECT_EQ(end.dump(), markOf(c.subStyle));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SideConnect,
    ::testing::Values(ConnectCase{"tiedLap", 1, 1, 1, 1},
                      ConnectCase{"singleWeld", 4, 1, 1, 4},
                      ConnectCase{"taperCoupler", 7, 0, 0, 7},
                      ConnectCase{"straightCoupler", 8, 1, 1, 8},
                      ConnectCase{"reversedHere", 8, 0, 1, 9},
                      ConnectCase{"reversedHereAndFar", 8, 0, 0, 9},
                      ConnectCase{"reversedFar", 8, 1, 0, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SideConnectPen, WeldsAreThickAndTheColourIsPassed)
{
    CVes_Connect connect;
    connect.type = 5;
    CVes_Side s = side(0, {0, 0}, {1000, 0});
    s.setLineWidth(3);
    RecordingDc dc;
    s.drawStartConnect(connect, &dc, 1.0, 2.0, RGB(5, 6, 7), 0, 0, 0, QPoint(), 0);
    const auto segs = dc.segments();
    ASSERT_FALSE(segs.empty());
    // The mark is a curve of its own: width 1, times the factor, times 4.
    EXPECT_EQ(segs[0].pen, *createStylePen(0, 8, RGB(5, 6, 7), 2.0));
}

} // namespace
