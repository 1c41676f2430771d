// Drawing with the mouse on the shape canvas: what each tool adds to the
// record, the selection gestures and cancelling.

#include "tests/shapeui/recorddrawviewtest.h"

#include "core/geometry/geometry.h"

#include <QImage>
#include <gtest/gtest.h>

using test::Canvas;

namespace {

QPoint start(const CVes_Curve& c) { return c.m_P1.ToPoint(); }
QPoint end(const CVes_Curve& c) { return c.m_P2.ToPoint(); }
QPoint through(const CVes_Curve& c) { return c.m_P3.ToPoint(); }

TEST(DrawToolRegistry, EveryDrawingModeHasItsTool)
{
    for (int mode : {0, 1, 2, 3, 4, 5, 6, 8}) {
        CVes_DrawTool* tool = CVes_DrawTool::findTool(mode);
        ASSERT_NE(tool, nullptr) << mode;
        EXPECT_EQ(tool->m_drawShape, mode);
    }
    EXPECT_EQ(CVes_DrawTool::findTool(7), nullptr);
    EXPECT_EQ(CVes_DrawTool::findTool(-1), nullptr);
    EXPECT_NE(CVes_DrawTool::findTool(5), CVes_DrawTool::findTool(6));
}

TEST(LineTool, TwoClicksAddOneSnappedSide)
{
    Canvas c;
    setDrawMode(kDrawLine);
    c.click({100, 50});
    EXPECT_NE(CVes_DrawTool::trackingTool(c.view), nullptr);
    EXPECT_TRUE(c.record.m_arrSide.empty());
    c.click({230, 80});
    EXPECT_EQ(CVes_DrawTool::trackingTool(c.view), nullptr);

    ASSERT_EQ(c.record.m_arrSide.size(), 1u);
    const CVes_Side& side = *c.record.m_arrSide[0];
    EXPECT_EQ(side.getType(), CVes_Curve::kLine);
    EXPECT_EQ(start(side), c.snappedModel({100, 50}));
    EXPECT_EQ(end(side), c.snappedModel({230, 80}));
    // By hand: (100, 50) px is (265, 132) logical, on the grid (273, 126),
    // and (257, 119) in the model at 1588 / 1500 logical units per unit.
    EXPECT_EQ(start(side), QPoint(257, 119));
    EXPECT_EQ(side.m_lineWidth, 4);
    EXPECT_EQ(side.m_color, platform::RGB(255, 255, 255));
    EXPECT_EQ(c.notices, 1);
    EXPECT_EQ(getDrawMode(), kDrawLine);
}

TEST(LineTool, PlainLineModeAddsAnAuxiliaryLineWithoutNotice)
{
    Canvas c;
    c.view->m_plainLine = 1;
    c.view->m_lineStyle = 2;
    setDrawMode(kDrawLine);
    c.click({100, 50});
    c.click({230, 80});
    EXPECT_TRUE(c.record.m_arrSide.empty());
    ASSERT_EQ(c.record.m_arrLine.size(), 1u);
    EXPECT_EQ(start(*c.record.m_arrLine[0]), c.snappedModel({100, 50}));
    EXPECT_EQ(end(*c.record.m_arrLine[0]), c.snappedModel({230, 80}));
    EXPECT_EQ(c.record.m_arrLine[0]->m_lineStyle, 2);
    EXPECT_EQ(c.notices, 0);
}

TEST(LineTool, TwoClicksOnOneGridPointAddAZeroLengthSide)
{
    Canvas c;
    setDrawMode(kDrawLine);
    c.click({100, 50});
    c.click({101, 51});
    ASSERT_EQ(c.record.m_arrSide.size(), 1u);
    EXPECT_EQ(start(*c.record.m_arrSide[0]), end(*c.record.m_arrSide[0]));
}

struct CancelCase {
    const char* name;
    int mode;
    std::function<void(Canvas&)> cancel;
};

class CancelledGesture : public testing::TestWithParam<CancelCase> {};

TEST_P(CancelledGesture, AddsNothing)
{
    Canvas c;
    c.view->m_plainLine = 1;
    setDrawMode(GetParam().mode);
    c.click({100, 50});
    QTest::mouseMove(c.view, {160, 30});
    if (GetParam().mode == kDrawArc)
        c.click({160, 30}); // the point passed through
    QTest::mouseMove(c.view, {230, 80});
    GetParam().cancel(c);
    EXPECT_EQ(CVes_DrawTool::trackingTool(c.view), nullptr);
    EXPECT_FALSE(c.view->hasCapture());
    c.click({300, 90}); // starts a new gesture, does not finish the old one
    EXPECT_TRUE(c.record.m_arrLine.empty());
    EXPECT_TRUE(c.record.m_arrArc.empty());
    EXPECT_TRUE(c.record.m_arrCircle.empty());
}

const auto escape = [](Canvas& c) { c.key(Qt::Key_Escape); };
const auto enter = [](Canvas& c) { c.key(Qt::Key_Return); };
const auto space = [](Canvas& c) { c.key(Qt::Key_Space); };
const auto rightPress = [](Canvas& c) { QTest::mouseClick(c.view, Qt::RightButton, {}, {230, 80}); };
const auto modeChange = [](Canvas& c) { setDrawMode(kDrawSelect); QTest::mouseMove(c.view, {231, 80}); };

INSTANTIATE_TEST_SUITE_P(
    Tools, CancelledGesture,
    testing::Values(CancelCase{"LineEscape", kDrawLine, escape}, CancelCase{"LineEnter", kDrawLine, enter},
                    CancelCase{"LineSpace", kDrawLine, space},
                    CancelCase{"LineRightPress", kDrawLine, rightPress},
                    CancelCase{"LineModeChanged", kDrawLine, modeChange},
                    CancelCase{"ArcEscape", kDrawArc, escape},
                    CancelCase{"ArcRightPress", kDrawArc, rightPress},
                    CancelCase{"CircleEscape", kDrawCircle, escape},
                    CancelCase{"CircleSpace", kDrawCircle, space}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawTool, OtherKeysDoNotEndAGesture)
{
    Canvas c;
    setDrawMode(kDrawLine);
    c.click({100, 50});
    c.key(Qt::Key_A);
    c.key(Qt::Key_Delete);
    c.click({230, 80});
    EXPECT_EQ(c.record.m_arrSide.size(), 1u);
}

TEST(ArcTool, ThreeClicksAddAnArcSideStartEndThrough)
{
    Canvas c;
    setDrawMode(kDrawArc);
    const QPoint s(100, 50), t(135, 64), e(167, 50);
    c.click(s);
    c.click(t);
    EXPECT_TRUE(c.record.m_arrSide.empty());
    c.click(e);
    ASSERT_EQ(c.record.m_arrSide.size(), 1u);
    const CVes_Side& arc = *c.record.m_arrSide[0];
    EXPECT_EQ(arc.getType(), CVes_Curve::kArc);
    EXPECT_EQ(start(arc), c.snappedModel(s));
    EXPECT_EQ(end(arc), c.snappedModel(e));
    EXPECT_EQ(through(arc), c.snappedModel(t));
    // An arc side changes the bar like a straight one: the owner hears of it.
    EXPECT_EQ(c.notices, 1);
}

TEST(ArcTool, PlainModeAddsAnArc)
{
    Canvas c;
    c.view->m_plainLine = 1;
    setDrawMode(kDrawArc);
    c.click({100, 50});
    c.click({135, 64});
    c.click({167, 50});
    ASSERT_EQ(c.record.m_arrArc.size(), 1u);
    EXPECT_EQ(through(*c.record.m_arrArc[0]), c.snappedModel({135, 64}));
    EXPECT_EQ(c.notices, 0);
}

struct ArcCase {
    const char* name;
    QPoint start, through, end;
    bool proper;
};

class ProperArc : public testing::TestWithParam<ArcCase> {};

TEST_P(ProperArc, OnlyArcsOfAtMostHalfACircleAreAdded)
{
    const ArcCase& a = GetParam();
    EXPECT_EQ(CVes_ArcTool::isProperArc(a.start, a.through, a.end), a.proper);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ProperArc,
    testing::Values(ArcCase{"Shallow", {0, 0}, {50, 20}, {100, 0}, true},
                    ArcCase{"HalfCircle", {0, 0}, {50, 50}, {100, 0}, true},
                    ArcCase{"MoreThanHalf", {0, 0}, {50, 60}, {100, 0}, false},
                    ArcCase{"EndOnStart", {0, 0}, {50, 20}, {0, 0}, false},
                    ArcCase{"ThroughOnStart", {0, 0}, {0, 0}, {100, 0}, false},
                    ArcCase{"InLine", {0, 0}, {50, 0}, {100, 0}, false},
                    ArcCase{"NearlyInLine", {0, 0}, {500, 1}, {1000, 0}, false},
                    ArcCase{"Vertical", {0, 0}, {0, 50}, {0, 100}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArcTool, AnImproperArcAddsNothing)
{
    Canvas c;
    setDrawMode(kDrawArc);
    c.click({100, 50});
    c.click({135, 50}); // in line with the start and the end
    c.click({167, 50});
    EXPECT_TRUE(c.record.m_arrSide.empty());
    EXPECT_EQ(CVes_DrawTool::trackingTool(c.view), nullptr);
}

TEST(CircleTool, CentreIsNotSnappedTheRimIs)
{
    Canvas c;
    setDrawMode(kDrawCircle);
    c.click({200, 60});
    c.click({230, 61});
    ASSERT_EQ(c.record.m_arrCircle.size(), 1u);
    const CVes_Circle& circle = *c.record.m_arrCircle[0];
    const QPoint centre = c.unsnappedModel({200, 60});
    const QPoint rim = c.snappedModel({230, 61});
    EXPECT_EQ(start(circle), centre);
    EXPECT_EQ(circle.m_P2.ToPoint().x(), int(getDist(&centre, &rim)));
    EXPECT_EQ(c.notices, 0);
}

TEST(PolylineTool, EachClickAddsASegmentUntilEscapeKeepingThem)
{
    Canvas c;
    setDrawMode(kDrawPolyline);
    c.click({100, 50});
    QTest::mouseMove(c.view, {150, 50});
    c.click({150, 50});
    c.click({150, 90});
    QTest::mouseMove(c.view, {250, 90});
    c.key(Qt::Key_Escape);
    c.click({300, 20}); // a new chain, nothing added yet

    // The second segment starts at the first one's end; both are sides.
    ASSERT_EQ(c.record.m_arrSide.size(), 2u);
    EXPECT_EQ(start(*c.record.m_arrSide[0]), c.snappedModel({100, 50}));
    EXPECT_EQ(end(*c.record.m_arrSide[0]), c.snappedModel({150, 50}));
    EXPECT_EQ(start(*c.record.m_arrSide[1]), c.snappedModel({150, 50}));
    EXPECT_EQ(end(*c.record.m_arrSide[1]), c.snappedModel({150, 90}));
    EXPECT_TRUE(c.record.m_arrLine.empty());
    EXPECT_GE(c.notices, 2);
}

TEST(PolylineTool, WithSidesTheChainStartsAtTheLastSideEnd)
{
    Canvas c;
    c.record.AddLSide(100, 100, 400, 100, 4, 0, 0);
    setDrawMode(kDrawPolyline);
    c.click({250, 20});
    c.click({250, 80});
    ASSERT_EQ(c.record.m_arrSide.size(), 2u);
    const QPoint lastEnd = c.view->logicalToModel(c.view->modelToLogical({400, 100}));
    EXPECT_EQ(start(*c.record.m_arrSide[1]), lastEnd);
    EXPECT_EQ(end(*c.record.m_arrSide[1]), c.snappedModel({250, 80}));
}

TEST(PolylineTool, LosingTheMouseKeepsTheChainOpen)
{
    Canvas c;
    c.view->m_plainLine = 1;
    setDrawMode(kDrawPolyline);
    c.click({100, 50});
    QTest::mouseMove(c.view, {150, 50});
    c.click({150, 50});
    CVes_DrawTool::trackingTool(c.view)->trackLost(c.view);
    EXPECT_EQ(CVes_DrawTool::trackingTool(c.view), nullptr);
    QTest::mouseMove(c.view, {150, 90}); // resumes
    EXPECT_NE(CVes_DrawTool::trackingTool(c.view), nullptr);
    c.click({150, 90});
    ASSERT_EQ(c.record.m_arrLine.size(), 2u);
    EXPECT_EQ(start(*c.record.m_arrLine[1]), c.snappedModel({150, 50}));
}

TEST(JointTool, AClickOnASideSplitsItWithAMark)
{
    Canvas c;
    setDrawMode(kDrawLine);
    c.click({50, 50});
    c.click({300, 50});
    ASSERT_EQ(c.record.m_arrSide.size(), 1u);
    c.notices = 0;

    setDrawMode(kDrawJoint);
    c.click({150, 51});
    ASSERT_EQ(c.record.m_arrSide.size(), 3u);
    const CVes_Side& mark = *c.record.m_arrSide[1];
    EXPECT_TRUE(mark.isConnect());
    EXPECT_EQ(mark.m_subStyle, 8);
    EXPECT_EQ(mark.m_text, QStringLiteral("1"));
    EXPECT_EQ(start(mark), c.snappedModel({150, 51}));
    EXPECT_EQ(c.notices, 1);
    EXPECT_FALSE(c.view->hasCapture());
}

struct TwoLines : Canvas {
    CVes_Line* first;
    CVes_Line* second;
    TwoLines()
    {
        first = record.AddLine(100, 100, 400, 100, 4, 0, 0);
        second = record.AddLine(100, 200, 400, 200, 4, 0, 0);
    }
    QPoint deviceOf(QPoint model) const { return view->logicalToClient(view->modelToLogical(model)); }
};

TEST(SelectTool, ClickSelectsShiftClickAddsWithoutDuplicates)
{
    TwoLines c;
    c.click(c.deviceOf({250, 100}));
    ASSERT_EQ(c.view->selection().size(), 1u);
    EXPECT_EQ(c.view->selection()[0], c.first);
    EXPECT_EQ(c.first->m_status, 1u);

    c.click(c.deviceOf({250, 200}), Qt::ShiftModifier);
    c.click(c.deviceOf({250, 200}), Qt::ShiftModifier);
    EXPECT_EQ(c.view->selection(), (std::vector<CVes_DrawObject*>{c.first, c.second}));

    // Right press empties the selection.
    QTest::mouseClick(c.view, Qt::RightButton, {}, {10, 10});
    EXPECT_TRUE(c.view->selection().empty());
    EXPECT_EQ(c.first->m_status, 0u);
}

TEST(SelectTool, RectangleSelectsWhatItMeets)
{
    TwoLines c;
    const QPoint from = c.deviceOf({50, 150});
    const QPoint to = c.deviceOf({450, 250});
    QTest::mousePress(c.view, Qt::LeftButton, {}, to);
    QTest::mouseMove(c.view, (from + to) / 2);
    QTest::mouseMove(c.view, from);
    QTest::mouseRelease(c.view, Qt::LeftButton, {}, from);
    EXPECT_EQ(c.view->selection(), (std::vector<CVes_DrawObject*>{c.second}));
}

TEST(SelectTool, ShiftRectangleOnEmptySpaceKeepsAndAddsToTheSelection)
{
    TwoLines c;
    c.click(c.deviceOf({250, 100}));
    const QPoint from = c.deviceOf({50, 150});
    const QPoint to = c.deviceOf({450, 250});
    QTest::mousePress(c.view, Qt::LeftButton, Qt::ShiftModifier, from);
    EXPECT_EQ(c.view->selection().size(), 1u);
    QTest::mouseMove(c.view, to);
    QTest::mouseRelease(c.view, Qt::LeftButton, Qt::ShiftModifier, to);
    EXPECT_EQ(c.view->selection(), (std::vector<CVes_DrawObject*>{c.first, c.second}));
}

TEST(SelectTool, ClickOnEmptySpaceClearsTheSelectionOnlyWhenNothingIsSelected)
{
    TwoLines c;
    c.click(c.deviceOf({1200, 280}));
    EXPECT_TRUE(c.view->selection().empty());
    c.click(c.deviceOf({250, 100}));
    // With a selection a press anywhere starts moving it.
    c.click(c.deviceOf({1200, 280}));
    EXPECT_EQ(c.view->selection().size(), 1u);
}

TEST(SelectTool, DraggingMovesTheSelectionWithThePointerInModelUnits)
{
    TwoLines c;
    const int historyBefore = c.view->history().undoCount();
    const QPoint at = c.deviceOf({250, 100});
    QTest::mousePress(c.view, Qt::LeftButton, {}, at);
    ASSERT_EQ(c.view->selection().size(), 1u);
    for (int step = 1; step <= 10; ++step) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(step * 10, 0)), c.view->mapToGlobal(QPointF(at + QPoint(step * 10, 0))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c.view, &move);
    }
    QTest::mouseRelease(c.view, Qt::LeftButton, {}, at + QPoint(100, 0));

    // 100 px is about 265 logical units, 250 model units at this scale;
    // moving by logical units would give 265.
    const int logical = Canvas::toLogical(at.x() + 100) - Canvas::toLogical(at.x());
    const int moved = c.first->m_P1.ToPoint().x() - 100;
    EXPECT_EQ(moved, int(logical / c.scale()));
    EXPECT_NEAR(moved, 250, 1);
    EXPECT_EQ(c.first->m_P2.ToPoint().x() - 400, moved);
    EXPECT_EQ(c.second->m_P1.ToPoint().x(), 100);
    // Moves are not undo steps.
    EXPECT_EQ(c.view->history().undoCount(), historyBefore);
}

TEST(SelectTool, AClickWithoutMovingLeavesOtherModesForSelect)
{
    Canvas c;
    setDrawMode(kDrawText);
    CVes_DrawTool::findTool(kDrawSelect)->OnLButtonDown(c.view, 0, {20, 20});
    CVes_DrawTool::findTool(kDrawSelect)->OnLButtonUp(c.view, 0, {20, 20});
    EXPECT_EQ(getDrawMode(), kDrawSelect);
    EXPECT_FALSE(c.view->hasCapture());
}

} // namespace

namespace {

int whitePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == qRgb(255, 255, 255);
    return n;
}

struct BandCase {
    const char* name;
    int mode;
    std::vector<QPoint> clicks;
    QPoint pointer;
};

class RubberBand : public testing::TestWithParam<BandCase> {};

TEST_P(RubberBand, FollowsThePointerWhileTrackingAndGoesWithIt)
{
    Canvas c;
    setDrawMode(GetParam().mode);
    for (QPoint p : GetParam().clicks)
        c.click(p);
    // The move goes to the canvas itself: a move through QTest is dropped
    // when the pointer of an earlier test last stood at the same place.
    const QPointF to(GetParam().pointer);
    QMouseEvent move(QEvent::MouseMove, to, c.view->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(c.view, &move);
    const QImage during = c.view->grab().toImage();
    c.key(Qt::Key_Escape);
    const QImage after = c.view->grab().toImage();
    EXPECT_GT(whitePixels(during), 20);
    EXPECT_EQ(whitePixels(after), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, RubberBand,
    testing::Values(BandCase{"Line", kDrawLine, {{100, 50}}, {230, 80}},
                    BandCase{"Polyline", kDrawPolyline, {{100, 50}}, {230, 80}},
                    BandCase{"ArcFirstLeg", kDrawArc, {{100, 50}}, {230, 80}},
                    BandCase{"Arc", kDrawArc, {{100, 50}, {135, 64}}, {167, 50}},
                    BandCase{"Circle", kDrawCircle, {{200, 60}}, {230, 61}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectTool, SelectionRectangleIsDrawnWhileDragging)
{
    Canvas c;
    const QImage before = c.view->grab().toImage();
    QTest::mousePress(c.view, Qt::LeftButton, {}, {100, 20});
    QTest::mouseMove(c.view, {300, 90});
    const QImage during = c.view->grab().toImage();
    QTest::mouseRelease(c.view, Qt::LeftButton, {}, {300, 90});
    EXPECT_NE(before, during);
    EXPECT_EQ(before, c.view->grab().toImage());
}

} // namespace
