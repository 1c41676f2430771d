#include "core/geometry/text.h"
#include "core/geometry/geometry.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <optional>

#include <cmath>
#include <vector>

using namespace platform;

namespace {

// Sets whether ranges show their step for the lifetime of the object.
class ShowStep {
public:
    explicit ShowStep(bool show) : m_old(Info_UserCustomShowDingChi()) { Info_UserCustomSetShowDingChi(show); }
    ~ShowStep() { Info_UserCustomSetShowDingChi(m_old); }

private:
    int m_old;
};

// value texts

struct ValueCase {
    unsigned int kind;
    unsigned int unit;
    double value, value2, step;
    const char* formula;
    bool showStep;
    const char* text;
    int multi;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << "kind " << c.kind << " unit " << c.unit << ' ' << c.value << '/' << c.value2 << '/' << c.step
        << (c.showStep ? " with step" : "");
}

const ValueCase kValues[] = {
    // A range needs two different ends and a step.
    {2, 0, 1000, 1000, 50, "", true, "1000", 0},
    {2, 0, 1000, 1500, 0, "", true, "1000", 0},
    {2, 0, 1000, 1500, 100, "", true, "1000～1500 △100", 1},
    {2, 0, 1000, 1500, 100, "", false, "1000～1500", 1},
    {0, 0, 1000, 1000.05, 100, "", true, "1000", 0},
    {1, 0, 999.5, 1499.4, 99.6, "", true, "1000～1499 △100", 1},
    {2, 1, 45, 45, 0, "", true, "45°", 0},
    {2, 1, 30, 60, 10, "", true, "30°～60°△10°", 1},
    {2, 1, 30, 60, 10, "", false, "30°～60°", 1},
    // Whole numbers are rounded up from .9.
    {4, 0, 2.95, 0, 0, "", true, "3", 0},
    {4, 0, 2.85, 0, 0, "", true, "2", 0},
    // Text variables show their text; without one, their name (a title
    // block asks for the empty text instead, below).
    {3, 0, 5, 9, 1, "见详图", true, "见详图", 0},
    {3, 0, 5, 9, 1, "", true, "L1", 0},
    // Values no int holds (typed, or computed by a formula) show the nearest.
    {2, 0, 1e300, 1e300, 0, "", true, "2147483647", 0},
    {2, 0, -3e9, -3e9, 0, "", true, "-2147483647", 0},
    {2, 0, NAN, NAN, NAN, "", true, "0", 0},
    {2, 0, 1000, 3e9, 1e12, "", true, "1000～2147483647 △2147483647", 1},
    {4, 0, 1e20, 0, 0, "", true, "2147483647", 0},
};

class VariableValueText : public ::testing::TestWithParam<ValueCase> {};

TEST_P(VariableValueText, FromKindUnitAndRange)
{
    const ValueCase& c = GetParam();
    ShowStep show(c.showStep);
    CVes_Variable v;
    v.m_text = QStringLiteral("L1");
    v.m_type = c.kind;
    v.m_unit = c.unit;
    v.m_value = c.value;
    v.m_value2 = c.value2;
    v.m_step = c.step;
    v.m_formula = QString::fromUtf8(c.formula);
    v.m_multi = 1 - c.multi;
    EXPECT_EQ(v.valueText(), QString::fromUtf8(c.text));
    if (c.kind != 3 && c.kind != 4) {
        EXPECT_EQ(v.m_multi, c.multi);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, VariableValueText, ::testing::ValuesIn(kValues));

// drawing a variable

CVes_Variable rangeVariable()
{
    CVes_Variable v;
    v.m_text = QStringLiteral("L1");
    v.m_position.set(100, 50);
    v.m_height = 20;
    v.m_value = 1000;
    v.m_value2 = 1500;
    v.m_step = 100;
    return v;
}

struct ShownCase {
    int showName;
    int showValue;
    unsigned int unit;
    const char* text; // nullptr: nothing drawn
    int drawn;
};

class VariableDrawing : public ::testing::TestWithParam<ShownCase> {};

TEST_P(VariableDrawing, NameValueOrBoth)
{
    const ShownCase& c = GetParam();
    ShowStep show(true);
    CVes_Variable v = rangeVariable();
    v.m_unit = c.unit;
    RecordingDc dc;
    v.draw(&dc, 0x123456, 2.0, 10, 20, c.showName, c.showValue, 0, QPoint());
    if (!c.text) {
        EXPECT_EQ(dc.count(DcOp::TextOut), 0);
    } else {
        const auto out = dc.records(DcOp::TextOut);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].text, QString::fromUtf8(c.text));
        // Half the height, 0.6 of it below the point: ((100 - 0) / 2 + 10, (50 + 6) / 2 + 20).
        EXPECT_EQ(out[0].points.at(0), QPoint(60, 48));
        EXPECT_EQ(out[0].state.textColor, 0x123456u);
        EXPECT_EQ(out[0].state.textAlign, TA_LEFT | TA_BASELINE);
        EXPECT_EQ(out[0].state.bkMode, TRANSPARENT);
        const LogFont& font = out[0].font.logFont();
        EXPECT_EQ(font.lfFaceName, QStringLiteral("Times New Roman"));
        EXPECT_EQ(font.lfHeight, 10);
        EXPECT_EQ(font.lfWeight, FW_THIN);
        EXPECT_EQ(font.lfPitchAndFamily, 18);
    }
    EXPECT_EQ(v.m_drawn, c.drawn);
    EXPECT_EQ(dc.GetTextAlign(), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetCurrentFont(), Font());
}

INSTANTIATE_TEST_SUITE_P(Shown, VariableDrawing,
                         ::testing::Values(ShownCase{1, 1, 0, "L1：1000～1500 △100", 2},
                                           ShownCase{0, 1, 0, "1000～1500 △100", 1},
                                           ShownCase{1, 0, 0, "L1", 0}, ShownCase{1, 0, 1, "L1°", 0},
                                           ShownCase{0, 0, 0, nullptr, 0}));

// An empty text variable of a shape shows its name, so that what is drawn
// is what its click box measures; a title block's field nobody filled in
// shows nothing after its name.
struct EmptyTextCase {
    const char* name;
    bool nameWhenEmpty;
    int showName;
    const char* text; // nullptr: nothing drawn
};

void PrintTo(const EmptyTextCase& c, std::ostream* os) { *os << c.name; }

class EmptyTextVariable : public ::testing::TestWithParam<EmptyTextCase> {};

TEST_P(EmptyTextVariable, ShowsItsNameUnlessInATitleBlock)
{
    const EmptyTextCase& c = GetParam();
    CVes_Variable v = rangeVariable();
    v.m_type = CVes_Variable::kTextKind;
    v.m_formula.clear();
    RecordingDc dc;
    v.draw(&dc, 0, 1.0, 0, 0, c.showName, 1, 0, QPoint(), c.nameWhenEmpty);
    const auto out = dc.records(DcOp::TextOut);
    if (!c.text) {
        EXPECT_TRUE(out.empty());
        return;
    }
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, QString::fromUtf8(c.text));
    if (!c.nameWhenEmpty)
        return;
    // The click box is the box of the text drawn.
    CVes_Variable named = v;
    named.m_formula = v.m_text;
    Rect box;
    Rect namedBox;
    v.LocateRect(box);
    named.LocateRect(namedBox);
    EXPECT_EQ(box, namedBox);
    EXPECT_GT(box.Width(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyTextVariable,
    ::testing::Values(EmptyTextCase{"ShapeValue", true, 0, "L1"},
                      EmptyTextCase{"ShapeNameAndValue", true, 1, "L1：L1"},
                      EmptyTextCase{"TitleBlockValue", false, 0, nullptr},
                      EmptyTextCase{"TitleBlockNameAndValue", false, 1, "L1："}),
    [](const auto& info) { return std::string(info.param.name); });

// A shape drawn small keeps its numbers legible inside its cell: within a
// frame a variable is drawn no lower than the frame's minimum and moved into
// its bounds, 2 pixels short of their left and right edges (where a cell's
// border is drawn) where it is narrower than they are. Unframed, the value "1000～1500 △100" (16 bytes) is drawn
// 10 high at (60, 48), left-aligned on its baseline; at 30 it is 16 × 15 =
// 240 wide and reaches 24 above the baseline and 6 below it.
struct FrameCase {
    const char* name;
    int minimum;         // -1: no frame
    Rect bounds;
    int height;
    QPoint at;
};

void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

class VariableInFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(VariableInFrame, RaisedToTheMinimumAndKeptInside)
{
    const FrameCase& c = GetParam();
    ShowStep show(true);
    CVes_Variable v = rangeVariable();
    RecordingDc dc;
    {
        std::optional<ShapeTextFrame> frame;
        if (c.minimum >= 0)
            frame.emplace(c.minimum, c.bounds);
        v.draw(&dc, 0x123456, 2.0, 10, 20, 0, 1, 0, QPoint());
    }
    EXPECT_EQ(ShapeTextFrame::current(), nullptr);
    const auto out = dc.records(DcOp::TextOut);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].font.logFont().lfHeight, c.height);
    EXPECT_EQ(out[0].points.at(0), c.at);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, VariableInFrame,
    ::testing::Values(FrameCase{"NoFrame", -1, Rect(), 10, QPoint(60, 48)},
                      FrameCase{"SmallerMinimumChangesNothing", 8, Rect(0, 0, 1000, 1000), 10,
                                QPoint(60, 48)},
                      FrameCase{"RaisedWhereItFits", 30, Rect(0, 0, 1000, 1000), 30,
                                QPoint(60, 48)},
                      FrameCase{"MovedBackFromTheRightEdge", 30, Rect(0, 0, 280, 1000), 30,
                                QPoint(38, 48)},
                      FrameCase{"WiderThanTheBoundsStartsAtTheLeft", 30, Rect(10, 0, 200, 1000),
                                30, QPoint(10, 48)},
                      FrameCase{"MovedDownFromTheTop", 30, Rect(0, 40, 1000, 1000), 30,
                                QPoint(60, 64)},
                      FrameCase{"MovedUpFromTheBottom", 30, Rect(0, 0, 1000, 50), 30,
                                QPoint(60, 44)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeTextFrame, TheInnermostFrameApplies)
{
    const ShapeTextFrame outer(30, Rect(0, 0, 100, 100));
    {
        const ShapeTextFrame inner(12, Rect(0, 0, 50, 50));
        EXPECT_EQ(ShapeTextFrame::current(), &inner);
        EXPECT_EQ(ShapeTextFrame::heightFor(10), 12);
        EXPECT_EQ(ShapeTextFrame::heightFor(-10), -12);
    }
    EXPECT_EQ(ShapeTextFrame::current(), &outer);
    EXPECT_EQ(ShapeTextFrame::heightFor(10), 30);
    EXPECT_EQ(ShapeTextFrame::heightFor(40), 40);
}

// Several dimensions of one shape drawn at the same place in a frame, as
// the graded dimensions of a small shape cell come: each is drawn once,
// inside the bounds, clear of the others where the bounds leave room, made
// smaller only as far as that needs and never below the frame's smallest.
struct LayoutCase {
    const char* name;
    Rect bounds;
    int smallest; // -1: the frame's minimum
    int texts;
    int firstHeight;
    int lowestHeight; // the others lie between this and the first's
    bool clear;       // whether no two boxes may meet
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class ShapeTextLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ShapeTextLayout, DimensionsClearOneAnother)
{
    const LayoutCase& c = GetParam();
    ShowStep show(true);
    // "1000～1500 △100" at (60, 48), 16 bytes: eight times its height wide.
    std::vector<CVes_Variable> dimensions(std::size_t(c.texts), rangeVariable());
    RecordingDc dc;
    {
        const ShapeTextFrame frame(20, c.bounds, c.smallest);
        ShapeTextFrame::layOut([&] {
            for (CVes_Variable& v : dimensions)
                v.draw(&dc, 0x123456, 2.0, 10, 20, 0, 1, 0, QPoint());
        });
    }
    const auto out = dc.records(DcOp::TextOut);
    ASSERT_EQ(out.size(), std::size_t(c.texts)) << "each text is drawn once";
    std::vector<QRect> boxes;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int h = std::abs(out[i].font.logFont().lfHeight);
        if (i == 0) {
            EXPECT_EQ(h, c.firstHeight);
        } else {
            EXPECT_GE(h, c.lowestHeight) << i;
            EXPECT_LE(h, c.firstHeight) << i;
        }
        // Left-aligned on its baseline, y downwards.
        const QPoint at = out[i].points.at(0);
        const QRect box(QPoint(at.x(), at.y() - h * 4 / 5), QSize(8 * h, h));
        EXPECT_TRUE(QRect(c.bounds.left, c.bounds.top, c.bounds.Width() + 1, c.bounds.Height() + 1)
                        .contains(box))
            << i << " at " << at.x() << "," << at.y();
        boxes.push_back(box);
    }
    if (!c.clear)
        return;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(boxes[i].adjusted(1, 1, -1, -1).intersects(boxes[j].adjusted(1, 1, -1, -1)))
                << i << " and " << j;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, ShapeTextLayout,
    ::testing::Values(
        LayoutCase{"RoomToMoveKeepsTheHeight", Rect(0, 0, 400, 200), 12, 3, 20, 20, true},
        LayoutCase{"SideBySideInAWideLowCell", Rect(0, 30, 600, 55), 12, 3, 20, 20, true},
        LayoutCase{"SmallerWhereMovingIsNotEnough", Rect(0, 20, 180, 70), 12, 2, 20, 12, true},
        LayoutCase{"NoRoomAtAllGivesTheSmallest", Rect(0, 30, 180, 55), 12, 2, 12, 12, false},
        LayoutCase{"WithoutASmallestKeepsTheMinimum", Rect(0, 30, 180, 55), -1, 2, 20, 20, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeTextLayout, WithoutAFrameTextsAreDrawnAsTheyAre)
{
    ShowStep show(true);
    CVes_Variable v = rangeVariable();
    RecordingDc dc;
    ShapeTextFrame::layOut([&] {
        EXPECT_FALSE(ShapeTextFrame::rehearsing());
        v.draw(&dc, 0x123456, 2.0, 10, 20, 0, 1, 0, QPoint());
        v.draw(&dc, 0x123456, 2.0, 10, 20, 0, 1, 0, QPoint());
    });
    const auto out = dc.records(DcOp::TextOut);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].points.at(0), QPoint(60, 48));
    EXPECT_EQ(out[1].points.at(0), QPoint(60, 48));
}

TEST(VariableDrawing, StatusDecidesColourAndWeight)
{
    CVes_Variable v = rangeVariable();
    v.m_fontName = QString::fromUtf8("宋体");
    v.m_angle = 30;
    v.setStatus(CVes_DrawObject::kHighlighted);
    RecordingDc dc;
    v.draw(&dc, 0x123456, 1.0, 0, 0, 0, 1, 0, QPoint());
    auto out = dc.records(DcOp::TextOut);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].state.textColor, 0xFF00FFu);
    EXPECT_EQ(out[0].font.logFont().lfWeight, FW_SEMIBOLD);
    EXPECT_EQ(out[0].font.logFont().lfHeight, 24);
    EXPECT_EQ(out[0].font.logFont().lfFaceName, QString::fromUtf8("宋体"));
    EXPECT_EQ(out[0].font.logFont().lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(out[0].font.logFont().lfEscapement, -300);

    dc.clear();
    v.setStatus(CVes_DrawObject::kSelected);
    v.draw(true, &dc, 1.0, 0, 0, 0, 1, 0, QPoint());
    EXPECT_EQ(dc.records(DcOp::TextOut).at(0).state.textColor, 0x00FFFFu);

    // Unprinted variables are green on screen and absent on paper.
    dc.clear();
    v.setStatus(0);
    v.setPrint(0);
    v.draw(&dc, 0x123456, 1.0, 0, 0, 0, 1, 0, QPoint());
    EXPECT_EQ(dc.records(DcOp::TextOut).at(0).state.textColor, 0x00CD00u);
    RecordingDc::Device paper;
    paper.printing = true;
    RecordingDc printer(paper);
    v.draw(&printer, 0x123456, 1.0, 0, 0, 1, 1, 0, QPoint());
    EXPECT_EQ(printer.count(DcOp::TextOut), 0);

    // Hidden variables are never drawn.
    v.setPrint(1);
    v.setStatus(CVes_DrawObject::kHidden);
    dc.clear();
    v.draw(&dc, 0x123456, 1.0, 0, 0, 1, 1, 0, QPoint());
    EXPECT_TRUE(dc.records().empty());
}

TEST(VariableDrawing, MirroredVariableSwapsAlignmentAndAngle)
{
    CVes_Variable v = rangeVariable();
    v.m_align = CVes_String::kRight;
    v.m_angle = 20;
    RecordingDc dc;
    v.draw(&dc, 0, 1.0, 0, 0, 1, 0, 1, QPoint(150, 0));
    const auto out = dc.records(DcOp::TextOut).at(0);
    EXPECT_EQ(out.state.textAlign, TA_LEFT | TA_BASELINE);
    EXPECT_EQ(out.font.logFont().lfEscapement, 200);
    // x mirrored to 200, then moved back by 0.6 of half the height along
    // the negated angle: 10 * sin(-20°) * 0.6 truncates to -2.
    EXPECT_EQ(out.points.at(0).x(), 202);
    // The item itself is not changed.
    EXPECT_EQ(v.m_position.ToPoint(), QPoint(100, 50));
    EXPECT_EQ(v.m_align, CVes_String::kRight);
}

// drawing a fixed text

TEST(TextDrawing, HandsItsTextToWriteText)
{
    CVes_Text t;
    t.m_text = QStringLiteral("%%C20@200");
    t.m_position.set(100, 50);
    t.m_height = 20;
    RecordingDc dc;
    t.draw(&dc, 0x00FF00, 2.0, 10, 20, 0, QPoint(), 1.0);
    const auto out = dc.records(DcOp::TextOut);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, QStringLiteral("   20@200"));
    EXPECT_EQ(out[0].points.at(0), QPoint(60, 48));
    EXPECT_EQ(out[0].state.textColor, 0x00FF00u);
    EXPECT_EQ(out[0].state.textAlign, TA_LEFT | TA_BASELINE);
    EXPECT_EQ(out[0].font.logFont().lfHeight, 10);
    EXPECT_EQ(dc.count(DcOp::Arc), 1);
}

struct TextColourCase {
    unsigned int status;
    int print;
    bool printing;
    long long colour; // -1: not drawn
};

class TextColours : public ::testing::TestWithParam<TextColourCase> {};

TEST_P(TextColours, ByStatusAndPrintFlag)
{
    const TextColourCase& c = GetParam();
    CVes_Text t;
    t.m_text = QStringLiteral("A");
    t.setStatus(c.status);
    t.setPrint(c.print);
    RecordingDc::Device device;
    device.printing = c.printing;
    RecordingDc dc(device);
    t.draw(&dc, 0x010203, 1.0, 0, 0, 0, QPoint(), 1.0);
    const auto out = dc.records(DcOp::TextOut);
    if (c.colour < 0) {
        EXPECT_TRUE(out.empty());
        return;
    }
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].state.textColor, platform::COLORREF(c.colour));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextColours,
                         ::testing::Values(TextColourCase{0, 1, false, 0x010203},
                                           TextColourCase{2, 1, false, 0x0000FF},
                                           TextColourCase{4, 1, false, 0x00C8C8},
                                           TextColourCase{1, 1, false, 0x00FFFF},
                                           TextColourCase{3, 1, false, 0x0000FF},
                                           TextColourCase{0, 0, false, 0xCCCC99},
                                           TextColourCase{2, 0, false, 0xCCCC99},
                                           TextColourCase{0, 1, true, 0x010203},
                                           TextColourCase{0, 0, true, -1},
                                           TextColourCase{4, 1, true, -1}));

// geometry

TEST(TextBox, CornersHitTestAndRectangles)
{
    CVes_Text t;
    t.m_text = QStringLiteral("AB"); // 2.0 heights wide
    t.m_height = 100;
    QPoint p1, p2, p3, p4;
    t.getOutlinePt(p1, p2, p3, p4);
    EXPECT_EQ(p1, QPoint(0, 27));
    EXPECT_EQ(p2, QPoint(110, 27));
    EXPECT_EQ(p3, QPoint(110, -28));
    EXPECT_EQ(p4, QPoint(0, -28));
    EXPECT_TRUE(t.HitTest(QPoint(50, 0)));
    EXPECT_FALSE(t.HitTest(QPoint(50, 40)));
    Rect r;
    t.LocateRect(r);
    EXPECT_EQ(r, Rect(0, -28, 110, 27));
    EXPECT_EQ(t.InRect(Rect(200, 50, -10, -50)), 2);
    EXPECT_EQ(t.InRect(Rect(50, -50, 200, 50)), 1);
    EXPECT_EQ(t.InRect(Rect(500, 500, 600, 600)), 0);

    // Right alignment runs the box back from the point, centre around it.
    t.m_align = CVes_String::kRight;
    t.getOutlinePt(p1, p2, p3, p4);
    EXPECT_EQ(p2, QPoint(-110, 27));
    t.m_align = CVes_String::kCentre;
    t.getOutlinePt(p1, p2, p3, p4);
    EXPECT_EQ(p1, QPoint(-60, 27));
    EXPECT_EQ(p2, QPoint(50, 27));
}

TEST(TextBox, VariableBoxHoldsWhatWasDrawn)
{
    CVes_Variable v;
    v.m_text = QStringLiteral("L");
    v.m_height = 100;
    v.m_value = 5;
    QPoint p1, p2, p3, p4;
    // "5.0" is 0.8 + 0.45 + 0.8 = 2.05 heights wide.
    v.getOutLineOfVal(p1, p2, p3, p4, 1, 0, QPoint());
    EXPECT_EQ(p2.x() - p1.x(), int(2.05 * 55));
    v.m_drawn = CVes_Variable::kDrewNameAndValue;
    v.getOutLineOfVal(p1, p2, p3, p4, 1, 0, QPoint());
    EXPECT_EQ(p2.x() - p1.x(), int(getFontWidth(QStringLiteral("L:5.0")) * 55));
    // Mirrored about x = 100, the box starts at 200.
    v.getOutLineOfVal(p1, p2, p3, p4, 0, 1, QPoint(100, 0));
    EXPECT_EQ(p1.x(), 200);
    EXPECT_TRUE(v.HitTest(QPoint(230, 0), 1, QPoint(100, 0)));
    EXPECT_FALSE(v.HitTest(QPoint(30, 0), 1, QPoint(100, 0)));
}

TEST(TextMirror, RightAlignedTextTurnsLeftAlignedWithItsAngleNegated)
{
    CVes_Text t;
    t.m_position.set(10, 20);
    t.m_align = CVes_String::kRight;
    t.m_angle = 30;
    t.mirror(1, QPoint(100, 0));
    EXPECT_EQ(t.m_position.ToPoint(), QPoint(190, 20));
    EXPECT_EQ(t.m_align, CVes_String::kLeft);
    EXPECT_EQ(t.m_angle, -30);
    t.m_align = CVes_String::kCentre;
    t.mirror(3, QPoint(100, 0));
    EXPECT_EQ(t.m_position.ToPoint(), QPoint(10, -20));
    EXPECT_EQ(t.m_align, CVes_String::kCentre);
    EXPECT_EQ(t.m_angle, 30);
    t.Move(QPoint(5, 5));
    EXPECT_EQ(t.m_position.ToPoint(), QPoint(15, -15));
}

// values

TEST(VariableValues, OnlyTheSegmentCountTakesSetNvalue)
{
    test::HostScope host;
    CVes_Variable n;
    n.m_text = QStringLiteral("N");
    n.m_value = 4;
    n.setNvalue(50);
    EXPECT_EQ(n.m_value, 50);
    EXPECT_TRUE(host->messages().empty());

    host->script({Answer::No});
    n.setNvalue(100);
    EXPECT_EQ(n.m_value, 50);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].text,
              QString::fromUtf8("\n此变量N为段数,不是长度，请确定你的段数确实大于100段吗？"));
    EXPECT_EQ(host->messages()[0].buttons, Buttons::YesNo);

    host->script({Answer::Yes});
    n.m_text = QStringLiteral("n");
    n.setNvalue(120);
    EXPECT_EQ(n.m_value, 120);

    host->clear();
    CVes_Variable l1;
    l1.m_text = QStringLiteral("L1");
    l1.m_value = 7;
    l1.setNvalue(100);
    l1.setNvalue(5);
    EXPECT_EQ(l1.m_value, 7);
    EXPECT_TRUE(host->messages().empty());
}

TEST(VariableValues, ClearingTheMultiValueFlagMakesOneValue)
{
    CVes_Variable v = rangeVariable();
    v.setMutiVal(1);
    EXPECT_EQ(v.m_value2, 1500);
    v.setMutiVal(0);
    EXPECT_EQ(v.m_multi, 0);
    EXPECT_EQ(v.m_value2, 1000);
    EXPECT_EQ(v.m_step, 0);
}

TEST(VariableValues, CopiesKeepEverythingButTheGroupIndex)
{
    CVes_Variable v = rangeVariable();
    v.m_type = 1;
    v.m_unit = 1;
    v.m_formula = QStringLiteral("a+b");
    v.m_fontName = QString::fromUtf8("宋体");
    v.setStatus(2);
    v.setGroupIndex(5);
    v.setPrint(0);
    v.m_multi = 1;
    const CVes_Variable copy(&v);
    EXPECT_EQ(copy.m_type, 1u);
    EXPECT_EQ(copy.m_unit, 1u);
    EXPECT_EQ(copy.m_value2, 1500);
    EXPECT_EQ(copy.m_formula, QStringLiteral("a+b"));
    EXPECT_EQ(copy.m_fontName, QString::fromUtf8("宋体"));
    EXPECT_EQ(copy.m_status, 2u);
    EXPECT_EQ(copy.m_print, 0);
    EXPECT_EQ(copy.m_multi, 1);
    EXPECT_EQ(copy.getGroupIndex(), 1u);
    EXPECT_EQ(copy.m_position.ToPoint(), QPoint(100, 50));
}

// streams

CVes_Variable loadVariable(const QByteArray& bytes)
{
    Archive in(bytes);
    CVes_Variable v;
    v.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    return v;
}

TEST(VariableStream, SchemaThreeReadsEveryFieldAndWritesTheSameBytes)
{
    const QByteArray bytes = RODO_FIXTURE("text_variable_schema3.bin");
    const CVes_Variable v = loadVariable(bytes);
    EXPECT_EQ(v.m_position.ToPoint(), QPoint(120, -45));
    EXPECT_EQ(v.m_position.m_third, 7);
    EXPECT_EQ(v.m_height, 30);
    EXPECT_EQ(v.m_angle, 90);
    EXPECT_EQ(v.m_type, 1u);
    EXPECT_EQ(v.m_unit, 0u);
    EXPECT_EQ(v.m_value, 1000.0);
    EXPECT_EQ(v.m_value2, 1500.0);
    EXPECT_EQ(v.m_step, 100.0);
    EXPECT_EQ(v.m_align, 6u);
    EXPECT_EQ(v.m_color, 0x00FFFFu);
    EXPECT_EQ(v.m_text, QStringLiteral("L1"));
    EXPECT_EQ(v.m_formula, QStringLiteral("a+b"));
    EXPECT_EQ(v.m_fontName, QString::fromUtf8("宋体"));
    EXPECT_EQ(v.m_print, 0);

    Archive out;
    CVes_Variable copy(v);
    copy.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));
}

TEST(VariableStream, OlderSchemasHaveNoPrintFlagAndSchemaOneSwapsKinds)
{
    const CVes_Variable two = loadVariable(RODO_FIXTURE("text_variable_schema2.bin"));
    EXPECT_EQ(two.m_type, 0u);
    EXPECT_EQ(two.m_print, 1);
    EXPECT_EQ(two.m_fontName, QString::fromUtf8("宋体"));

    const CVes_Variable one = loadVariable(RODO_FIXTURE("text_variable_schema1.bin"));
    EXPECT_EQ(one.m_type, 2u);
    EXPECT_EQ(one.m_print, 1);
    EXPECT_EQ(one.m_value2, 1500.0);

    // Kind 2 of schema 1 becomes 0; other kinds stay.
    QByteArray kindTwo = RODO_FIXTURE("text_variable_schema1.bin");
    kindTwo[28] = 2;
    EXPECT_EQ(loadVariable(kindTwo).m_type, 0u);
    QByteArray kindFour = kindTwo;
    kindFour[28] = 4;
    EXPECT_EQ(loadVariable(kindFour).m_type, 4u);
}

TEST(VariableStream, UnknownSchemaAndTruncatedStreamThrow)
{
    QByteArray four = RODO_FIXTURE("text_variable_schema3.bin");
    four[0] = 4;
    Archive in(four);
    CVes_Variable v;
    try {
        v.Serialize(in);
        FAIL() << "schema 4 was read";
    } catch (const SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }

    Archive cut(RODO_FIXTURE("text_variable_schema3.bin").left(60));
    EXPECT_THROW(v.Serialize(cut), ArchiveError);
}

// Values the program may have stored from a formula's result: what is no
// number reads as 0, everything else as it was stored (the drawing holds
// it); a point lies within the device range. Offsets are those of text_variable_schema3.bin.
struct StoredValueCase {
    const char* name;
    qsizetype at;
    bool isDouble;
    std::int32_t value;
    double number;
    double read;
};

class VariableStoredValues : public ::testing::TestWithParam<StoredValueCase> {};

TEST_P(VariableStoredValues, ReadAsStoredOrZero)
{
    const StoredValueCase& c = GetParam();
    QByteArray bytes = RODO_FIXTURE("text_variable_schema3.bin");
    Archive patch;
    if (c.isDouble)
        patch << c.number;
    else
        patch << c.value;
    bytes.replace(c.at, patch.data().size(), patch.data());
    const CVes_Variable v = loadVariable(bytes);
    const double fields[] = {double(v.m_position.m_x), double(v.m_height), double(v.m_angle),
                             v.m_value, v.m_value2, v.m_step};
    const qsizetype offsets[] = {8, 20, 24, 36, 44, 52};
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
        if (offsets[i] == c.at) {
            EXPECT_EQ(fields[i], c.read);
        }
    }
    ShowStep show(true);
    RecordingDc dc;
    CVes_Variable drawn(v);
    drawn.draw(&dc, 0, 0.001, 0, 0, 1, 1, 1, QPoint(0, 0));
    EXPECT_FALSE(dc.texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, VariableStoredValues,
    ::testing::Values(
        StoredValueCase{"PointBeyondTheDeviceRangeIsHeld", 8, false, 2000000000, 0,
                        kDeviceCoordinateLimit},
        StoredValueCase{"HeightHuge", 20, false, 1000000000, 0, 1000000000},
        StoredValueCase{"AngleIntMin", 24, false, -2147483647 - 1, 0, -2147483648.0},
        StoredValueCase{"ValueNaN", 36, true, 0, NAN, 0},
        StoredValueCase{"SecondValueInfinite", 44, true, 0, HUGE_VAL, 0},
        StoredValueCase{"StepHuge", 52, true, 0, 1e300, 1e300}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextStream, SchemaTwoRoundTripsAndSchemaOneKeepsPrinting)
{
    const QByteArray bytes = RODO_FIXTURE("text_text_schema2.bin");
    Archive in(bytes);
    CVes_Text t;
    t.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(t.m_position.ToPoint(), QPoint(-300, 80));
    EXPECT_EQ(t.m_height, 25);
    EXPECT_EQ(t.m_angle, -30);
    EXPECT_EQ(t.m_align, 2u);
    EXPECT_EQ(t.m_color, 0xFFFF00u);
    EXPECT_EQ(t.m_text, QStringLiteral("%%C20@200"));
    EXPECT_EQ(t.m_fontName, QString::fromUtf8("黑体"));
    EXPECT_EQ(t.m_print, 0);
    Archive out;
    t.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));

    Archive old(RODO_FIXTURE("text_text_schema1.bin"));
    CVes_Text t1;
    t1.Serialize(old);
    EXPECT_TRUE(old.atEnd());
    EXPECT_EQ(t1.m_print, 1);
    EXPECT_EQ(t1.m_text, QStringLiteral("%%C20@200"));

    QByteArray three = bytes;
    three[0] = 3;
    Archive bad(three);
    EXPECT_THROW(t1.Serialize(bad), SchemaError);
}

} // namespace
