#include "core/model/shapemodel.h"
#include "core/geometry/formula.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform;

namespace {

// A straight bar from (0, 0) to (2000, 0).
class StraightBar : public ::testing::Test {
protected:
    void SetUp() override { model.AddLSide(0, 0, 2000, 0, 2, 0, 0x0000FF); }
    CVes_Side* side(int i) const { return model.m_arrSide.at(std::size_t(i)).get(); }
    CVes_ShapeModel model;
};

// joining sides

TEST_F(StraightBar, SideInLineExtendsTheLastSide)
{
    CVes_Side* joined = model.AddLSide(2000, 0, 3000, 0, 2, 0, 0x0000FF);
    EXPECT_EQ(model.getSideArraySize(), 1);
    EXPECT_EQ(joined, side(0));
    EXPECT_EQ(side(0)->getEnd(), QPoint(3000, 0));

    // Turning away (to positive y) appends a side and records its bend.
    model.AddLSide(3000, 0, 3000, 500, 2, 0, 0x0000FF);
    ASSERT_EQ(model.getSideArraySize(), 2);
    EXPECT_EQ(side(1)->m_bendDirection, -1);
    model.AddLSide(3000, 500, 3500, 500, 2, 0, 0x0000FF);
    EXPECT_EQ(side(2)->m_bendDirection, 1);
    // A side in line but not starting at the last end is a side of its own.
    model.AddLSide(3600, 500, 4000, 500, 2, 0, 0x0000FF);
    EXPECT_EQ(model.getSideArraySize(), 4);
}

TEST_F(StraightBar, SideAfterAMarkNeverMerges)
{
    auto mark = std::make_unique<CVes_Side>();
    mark->m_type = CVes_Curve::kConnectMark;
    mark->m_P1.set(2000, 0);
    mark->m_P2.set(0, 0);
    model.m_arrSide.push_back(std::move(mark));
    model.AddLSide(2000, 0, 3000, 0, 2, 0, 0x0000FF);
    EXPECT_EQ(model.getSideArraySize(), 3);
    EXPECT_EQ(side(0)->getEnd(), QPoint(2000, 0));
    EXPECT_EQ(side(2)->m_bendDirection, 0);
}

TEST_F(StraightBar, ArcSidesAreAlwaysAppendedAndNeverExtended)
{
    model.AddArcSide(2000, 0, 3000, 0, 2500, 300, 2, 0, 0x0000FF);
    EXPECT_EQ(model.getSideArraySize(), 2);
    model.AddLSide(3000, 0, 4000, 0, 2, 0, 0x0000FF);
    ASSERT_EQ(model.getSideArraySize(), 3);
    EXPECT_EQ(side(1)->getEnd(), QPoint(3000, 0));
    EXPECT_EQ(side(1)->m_P3.ToPoint(), QPoint(2500, 300));
}

// connection marks

TEST_F(StraightBar, ConnectionSplitsTheSideAndDeletingTheMarkMergesIt)
{
    CVes_Side* mark = model.AddConnect(8, 1000, 0, QStringLiteral("2"));
    ASSERT_NE(mark, nullptr);
    ASSERT_EQ(model.getSideArraySize(), 3);
    EXPECT_EQ(side(0)->getEnd(), QPoint(1000, 0));
    EXPECT_EQ(side(1), mark);
    EXPECT_TRUE(mark->isConnect());
    EXPECT_EQ(mark->getStart(), QPoint(1000, 0));
    EXPECT_EQ(mark->getEnd(), QPoint(0, 0));
    EXPECT_EQ(mark->m_subStyle, 8);
    EXPECT_EQ(mark->m_text, QStringLiteral("2"));
    EXPECT_EQ(side(2)->getStart(), QPoint(1000, 0));
    EXPECT_EQ(side(2)->getEnd(), QPoint(2000, 0));
    EXPECT_EQ(side(2)->m_lineWidth, 2);
    EXPECT_EQ(side(2)->m_color, 0x0000FFu);
    EXPECT_EQ(side(2)->getType(), CVes_Curve::kLine);

    EXPECT_EQ(model.DeleteSide(mark), 1);
    ASSERT_EQ(model.getSideArraySize(), 1);
    EXPECT_EQ(side(0)->getStart(), QPoint(0, 0));
    EXPECT_EQ(side(0)->getEnd(), QPoint(2000, 0));
}

TEST_F(StraightBar, DeletingTheSideAfterAMarkDeletesTheMark)
{
    model.AddConnect(8, 1000, 0, QStringLiteral("1"));
    EXPECT_EQ(model.DeleteSide(side(2)), 1);
    ASSERT_EQ(model.getSideArraySize(), 1);
    EXPECT_FALSE(side(0)->isConnect());
    EXPECT_EQ(side(0)->getEnd(), QPoint(1000, 0));

    CVes_Line line;
    EXPECT_EQ(model.DeleteSide(&line), 0);
}

TEST_F(StraightBar, MarkBetweenSidesThatTurnLeavesBoth)
{
    model.AddLSide(2000, 0, 2000, 800, 2, 0, 0x0000FF);
    // A split of the second side merges back when its mark goes.
    CVes_Side* split = model.AddConnect(3, 2000, 400, QStringLiteral("1"));
    ASSERT_EQ(model.getSideArraySize(), 4);
    EXPECT_EQ(split->m_subStyle, 3);
    EXPECT_EQ(model.DeleteSide(split), 1);
    ASSERT_EQ(model.getSideArraySize(), 2);
    EXPECT_EQ(side(1)->getStart(), QPoint(2000, 0));
    EXPECT_EQ(side(1)->getEnd(), QPoint(2000, 800));

    // A mark at the corner leaves both sides.
    auto corner = std::make_unique<CVes_Side>();
    corner->m_type = CVes_Curve::kConnectMark;
    corner->m_P1.set(2000, 0);
    CVes_Side* c = corner.get();
    model.m_arrSide.insert(model.m_arrSide.begin() + 1, std::move(corner));
    EXPECT_EQ(model.DeleteSide(c), 1);
    ASSERT_EQ(model.getSideArraySize(), 2);
    EXPECT_EQ(side(0)->getEnd(), QPoint(2000, 0));

    // A mark between a straight side and an arc that ends on its line keeps
    // the arc.
    CVes_ShapeModel arcs;
    arcs.AddLSide(0, 0, 1000, 0, 1, 0, 0);
    arcs.AddArcSide(1000, 0, 2000, 0, 1500, 500, 1, 0, 0);
    auto mark = std::make_unique<CVes_Side>();
    mark->m_type = CVes_Curve::kConnectMark;
    mark->m_P1.set(1000, 0);
    CVes_Side* m = mark.get();
    arcs.m_arrSide.insert(arcs.m_arrSide.begin() + 1, std::move(mark));
    EXPECT_EQ(arcs.DeleteSide(m), 1);
    ASSERT_EQ(arcs.getSideArraySize(), 2);
    EXPECT_EQ(arcs.m_arrSide[1]->getType(), CVes_Curve::kArc);
    EXPECT_EQ(arcs.m_arrSide[0]->getEnd(), QPoint(1000, 0));
}

TEST(ShapeModelConnect, OnlyArcSidesChangesNothing)
{
    CVes_ShapeModel model;
    model.AddArcSide(0, 0, 1000, 0, 500, 500, 1, 0, 0);
    EXPECT_EQ(model.AddConnect(8, 500, 500, QStringLiteral("1")), nullptr);
    EXPECT_EQ(model.AddConnect(8, 5000, 0, QStringLiteral("1")), nullptr);
    EXPECT_EQ(model.getSideArraySize(), 1);
}

TEST_F(StraightBar, NeighbouringSides)
{
    model.AddConnect(8, 1000, 0, QStringLiteral("1"));
    EXPECT_EQ(model.getPrvSide(0), nullptr);
    EXPECT_EQ(model.getPrvSide(1), side(0));
    EXPECT_EQ(model.getPrvSide(3), side(2));
    EXPECT_EQ(model.getPrvSide(4), nullptr);
    EXPECT_EQ(model.getNextSide(0), side(1));
    EXPECT_EQ(model.getNextSide(2), nullptr);
    EXPECT_EQ(model.getNextSide(-1), side(0));
    EXPECT_EQ(model.getNextSide(-2), nullptr);
}

// items

class ModelWithEveryKind : public ::testing::Test {
protected:
    void SetUp() override
    {
        circle = model.AddCircle(5000, 5000, 100, 1, 0, 0x00FF00);
        line = model.AddLine(0, 0, 1000, 0, 1, 1, 0xFFFFFF);
        side = model.AddLSide(0, 0, 0, 1000, 2, 0, 0x0000FF);
        arc = model.AddArc(2000, 0, 3000, 0, 2500, 300, 1, 0, 0xFFFFFF);
        text = model.AddText(QStringLiteral("AB"), 500, 0, 100, 0, 0, 0xFFFF00, 1);
        diameter = model.AddVar(QStringLiteral("d"), CVes_Variable::kStandard, QString(), 0, 0, 40, 0, 0, 0x00FFFF);
        length = model.AddVar(QStringLiteral("L1"), 0, 0, 100, 0, 0, 0x00FFFF);
    }
    CVes_ShapeModel model;
    CVes_Circle* circle;
    CVes_Line* line;
    CVes_Side* side;
    CVes_Arc* arc;
    CVes_Text* text;
    CVes_Variable* diameter;
    CVes_Variable* length;
};

TEST_F(ModelWithEveryKind, ItemsTakeTheirFields)
{
    EXPECT_EQ(circle->m_P1.ToPoint(), QPoint(5000, 5000));
    EXPECT_EQ(circle->m_P2.ToPoint(), QPoint(100, 0));
    EXPECT_EQ(line->m_lineStyle, 1u);
    EXPECT_EQ(line->m_color, 0xFFFFFFu);
    EXPECT_EQ(arc->m_P3.ToPoint(), QPoint(2500, 300));
    EXPECT_EQ(text->m_height, 100);
    EXPECT_EQ(text->m_color, 0xFFFF00u);
    EXPECT_EQ(diameter->m_type, CVes_Variable::kStandard);
    EXPECT_EQ(length->m_type, CVes_Variable::kGiven);
    EXPECT_EQ(model.getVar(QStringLiteral("L1")), length);
    EXPECT_EQ(model.getVar(QStringLiteral("l1")), nullptr);
    CVes_Variable outside;
    outside.m_text = QStringLiteral("H");
    outside.setGroupIndex(3);
    CVes_Variable* added = model.AddVar(&outside);
    EXPECT_NE(added, &outside);
    EXPECT_EQ(added->getGroupIndex(), 3u);
    EXPECT_EQ(model.getVarArraySize(), 3);
}

TEST_F(ModelWithEveryKind, HitTestTakesSidesFirstThenVariablesLinesArcsTextsCircles)
{
    // The side and the line both pass the origin; so does the variable "L1".
    EXPECT_EQ(model.HitTest(QPoint(0, 0)), side);
    EXPECT_EQ(model.HitTest(QPoint(0, 800)), side);
    EXPECT_EQ(model.HitTest(QPoint(20, 10)), length);
    EXPECT_EQ(model.HitTest(QPoint(400, 0)), line);
    EXPECT_EQ(model.HitTest(QPoint(2500, 300)), arc);
    EXPECT_EQ(model.HitTest(QPoint(550, 10)), text);
    EXPECT_EQ(model.HitTest(QPoint(5100, 5000)), circle);
    EXPECT_EQ(model.HitTest(QPoint(9000, 9000)), nullptr);
}

TEST_F(ModelWithEveryKind, ObjectListOrderAndDeletion)
{
    const CVes_DrawObjList expected{circle, line, side, arc, text, diameter, length};
    EXPECT_EQ(model.getShapeList(), expected);

    for (CVes_DrawObject* item : expected)
        EXPECT_TRUE(model.deleteObject(item));
    EXPECT_TRUE(model.getShapeList().empty());
    CVes_Line stranger;
    EXPECT_FALSE(model.deleteObject(&stranger));
}

TEST_F(ModelWithEveryKind, CopyIsDeepAndKeepsMarks)
{
    model.AddLSide(0, 1000, 1000, 1000, 2, 0, 0x0000FF);
    model.AddConnect(5, 500, 1000, QStringLiteral("n"));
    model.m_multiVal = 1;
    model.m_style = 4;
    model.m_ratio = 0.5;
    model.Mirror(3);
    model.setShowValue(0);
    line->setGroupIndex(9);

    CVes_ShapeModel copy;
    copy.set(&model);
    EXPECT_EQ(copy.isSame(&model), 1);
    EXPECT_EQ(copy.m_multiVal, 1);
    EXPECT_EQ(copy.m_style, 4);
    EXPECT_EQ(copy.m_ratio, 0.5);
    EXPECT_EQ(copy.m_mirror, 3u);
    EXPECT_EQ(copy.m_showValue, 1);
    EXPECT_EQ(copy.m_arrLine[0]->getGroupIndex(), 9u);
    ASSERT_EQ(copy.getSideArraySize(), 4);
    EXPECT_EQ(copy.m_arrSide[2]->m_subStyle, 5);
    EXPECT_EQ(copy.m_arrSide[2]->m_text, QStringLiteral("n"));
    EXPECT_NE(copy.m_arrSide[0].get(), model.m_arrSide[0].get());

    copy.m_arrLine[0]->m_P1.set(7, 7);
    EXPECT_EQ(line->m_P1.ToPoint(), QPoint(0, 0));
    copy.clearShape();
    EXPECT_EQ(model.getLineArraySize(), 1);

    CVes_ShapeModel constructed(model);
    EXPECT_EQ(constructed.CompareShape(&model), 1);
}

TEST(ShapeModelMirror, TogglesItsFlags)
{
    CVes_ShapeModel model;
    model.MirrorHor();
    EXPECT_EQ(model.m_mirror, 1u);
    model.MirrorVer();
    EXPECT_EQ(model.m_mirror, 3u);
    model.MirrorHor();
    EXPECT_EQ(model.m_mirror, 2u);
}

// comparing

class TwoShapes : public ::testing::Test {
protected:
    static void build(CVes_ShapeModel& m)
    {
        m.AddVar(QStringLiteral("d"), CVes_Variable::kStandard, QString(), 0, 0, 40, 0, 0, 0);
        m.AddVar(QStringLiteral("L1"), 500, 100, 40, 6, 0, 0);
        m.AddLSide(0, 0, 1000, 0, 2, 0, 0x0000FF);
        m.AddLine(0, 100, 1000, 100, 1, 0, 0);
        m.AddArc(0, 0, 100, 0, 50, 20, 1, 0, 0);
        m.AddText(QStringLiteral("A"), 0, 0, 30, 0, 0, 0, 1);
    }
    void SetUp() override
    {
        build(a);
        build(b);
    }
    CVes_ShapeModel a, b;
};

TEST_F(TwoShapes, FirstVariableAndValuesDoNotCount)
{
    b.m_arrVar[0]->m_value = 25;
    b.m_arrVar[0]->m_position.set(9, 9);
    b.m_arrVar[1]->m_value = 3000;
    b.m_arrVar[1]->m_formula = QStringLiteral("a+b");
    b.m_arrSide[0]->m_length = 77;
    EXPECT_EQ(a.isSame(&b), 1);
    EXPECT_EQ(a.CompareShape(&b), 1);
}

TEST_F(TwoShapes, PositionsNamesAndTextsCount)
{
    b.m_arrVar[1]->m_position.set(500, 101);
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 0);
    b.m_arrVar[1]->m_position.set(500, 100);
    b.m_arrSide[0]->m_lengthText = QStringLiteral("L1");
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 0);
    b.m_arrSide[0]->m_lengthText = QStringLiteral("0");
    b.m_arrText[0]->m_text = QStringLiteral("B");
    EXPECT_EQ(a.isSame(&b), 0);
    b.m_arrText[0]->m_text = QStringLiteral("A");
    b.m_arrArc[0]->m_P3.m_third = 1;
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 0);
}

TEST_F(TwoShapes, LineStylesAndTheMultiValueFlagCountOnlyForIsSame)
{
    b.m_arrLine[0]->m_lineWidth = 3;
    b.m_arrArc[0]->m_lineStyle = 2;
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 1);
    b.m_arrLine[0]->m_lineWidth = 1;
    b.m_arrArc[0]->m_lineStyle = 0;
    b.m_multiVal = 1;
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 1);
    b.m_multiVal = 0;
    b.AddCircle(0, 0, 5, 1, 0, 0);
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 0);
}

TEST_F(TwoShapes, ThirdPointOfAMarkCountsOnlyForIsSame)
{
    a.AddConnect(8, 500, 0, QStringLiteral("1"));
    b.AddConnect(8, 500, 0, QStringLiteral("1"));
    b.m_arrSide[1]->m_P3.set(1, 1);
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 1);
    b.m_arrSide[1]->m_P3.set(0, 0);
    b.m_arrSide[1]->m_subStyle = 7;
    EXPECT_EQ(a.isSame(&b), 0);
    EXPECT_EQ(a.CompareShape(&b), 0);
}

// scale

struct ScaleCase {
    Rect rect;
    double scale;
};

class DrawScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DrawScale, LargerOfTheTwoRatios)
{
    const CVes_ShapeModel model; // 1500 by 300
    EXPECT_DOUBLE_EQ(model.getDrawScale(&GetParam().rect), GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(Rects, DrawScale,
                         ::testing::Values(ScaleCase{Rect(0, 0, 150, 30), 10.0},
                                           ScaleCase{Rect(10, 10, 160, 20), 30.0},
                                           ScaleCase{Rect(0, 0, 150, 0), 10.0},
                                           ScaleCase{Rect(0, 0, 3000, 0), 1.0},
                                           ScaleCase{Rect(0, 0, 0, 0), 1.0},
                                           ScaleCase{Rect(0, 0, 3000, 600), 0.5}));

TEST(DrawScale, WithoutARectangleIsOne)
{
    EXPECT_EQ(CVes_ShapeModel().getDrawScale(nullptr), 1.0);
}

// drawing

TEST_F(ModelWithEveryKind, DrawUsesTheThreeColoursAndSkipsStandardVariables)
{
    RecordingDc dc;
    const Rect fit(0, 0, 150, 30);
    model.Draw(&dc, 0x00AA00, 0x0000BB, 0xCC0000, 5, 6, 0, &fit, 1, 1, -1.0);

    // The side first, in the side colour, at a tenth of its size.
    const auto strokes = dc.segments();
    ASSERT_FALSE(strokes.empty());
    EXPECT_EQ(strokes[0].pen.color(), 0x0000BBu);
    EXPECT_EQ(strokes[0].from, QPoint(5, 6));
    EXPECT_EQ(strokes[0].to, QPoint(5, 106));
    EXPECT_EQ(strokes[1].pen.color(), 0x00AA00u); // the line
    EXPECT_EQ(strokes[1].to, QPoint(105, 6));
    for (const auto& arc : dc.records(DcOp::Arc))
        EXPECT_EQ(arc.pen.color(), 0x00AA00u);

    // "L1" with its value and the text; "d" is never drawn.
    EXPECT_EQ(dc.texts(), (QStringList{QString::fromUtf8("L1：0"), QStringLiteral("AB")}));
    for (const auto& out : dc.records(DcOp::TextOut))
        EXPECT_EQ(out.state.textColor, 0xCC0000u);
    EXPECT_EQ(dc.count(DcOp::SaveDC), 1);
    EXPECT_EQ(dc.count(DcOp::RestoreDC), 1);
}

TEST_F(ModelWithEveryKind, ShowFlagsAndOwnColours)
{
    model.m_showAux = 0;
    model.setShowVar(0);
    RecordingDc dc;
    model.Draw2(1, &dc, 0, 0, 0, nullptr, 1, 1, -1.0);
    const auto strokes = dc.segments();
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].pen.color(), 0x0000FFu);
    EXPECT_EQ(dc.count(DcOp::Arc), 0);
    EXPECT_TRUE(dc.texts().isEmpty());

    model.m_showAux = 1;
    model.setShowVar(1);
    dc.clear();
    model.Draw2(1, &dc, 0, 0, 0, nullptr, 0, 1, -1.0);
    EXPECT_EQ(dc.segments().at(1).pen.color(), 0xFFFFFFu);
    EXPECT_EQ(dc.texts(), (QStringList{QStringLiteral("0"), QStringLiteral("AB")}));
    EXPECT_EQ(dc.records(DcOp::TextOut).at(0).state.textColor, 0x00FFFFu);
    EXPECT_EQ(dc.records(DcOp::TextOut).at(1).state.textColor, 0xFFFF00u);
}

TEST_F(ModelWithEveryKind, DrawingAreaOfNoSizeDrawsAtFullSize)
{
    model.setRectH(0);
    model.setRectW(0);
    const Rect fit(0, 0, 150, 30);
    EXPECT_EQ(model.getDrawScale(&fit), 0.0);
    RecordingDc dc;
    model.Draw(&dc, 0, 0, 0, 0, 0, 0, &fit, 1, 1, 1.0);
    ASSERT_FALSE(dc.segments().empty());
    EXPECT_EQ(dc.segments()[0].to, QPoint(0, 1000));
    EXPECT_EQ(dc.texts().size(), 2);
}

// stream

TEST(ShapeModelStream, ReadsEveryPartAndWritesTheSameBytes)
{
    const QByteArray bytes = RODO_FIXTURE("shapemodel_schema1.bin");
    Archive in(bytes);
    CVes_ShapeModel model;
    model.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(model.m_rectH, 300);
    EXPECT_EQ(model.m_rectW, 1500);
    EXPECT_EQ(model.m_style, 7);
    EXPECT_EQ(model.m_mirror, 1u);
    EXPECT_EQ(model.m_multiVal, 1);
    ASSERT_EQ(model.getLineArraySize(), 1);
    ASSERT_EQ(model.getArcArraySize(), 1);
    ASSERT_EQ(model.getCircleArraySize(), 1);
    ASSERT_EQ(model.getTextArraySize(), 1);
    ASSERT_EQ(model.getVarArraySize(), 2);
    ASSERT_EQ(model.getSideArraySize(), 3);
    EXPECT_EQ(model.m_arrLine[0]->m_P2.ToPoint(), QPoint(400, 50));
    EXPECT_EQ(model.m_arrArc[0]->getGroupIndex(), 3u);
    EXPECT_EQ(model.m_arrCircle[0]->m_P2.ToPoint(), QPoint(40, 0));
    EXPECT_EQ(model.m_arrText[0]->m_text, QStringLiteral("%%C20@200"));
    EXPECT_EQ(model.getVar(QStringLiteral("L1"))->m_fontName, QString::fromUtf8("宋体"));
    EXPECT_TRUE(model.m_arrSide[1]->isConnect());
    EXPECT_EQ(model.m_arrSide[1]->m_subStyle, 8);
    EXPECT_EQ(model.m_arrSide[2]->m_lengthText, QStringLiteral("L1/2"));

    Archive out;
    model.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));
}

TEST(ShapeModelStream, LoadingAddsItemsButReplacesVariables)
{
    CVes_ShapeModel model;
    model.AddLine(1, 1, 2, 2, 1, 0, 0);
    model.AddVar(QStringLiteral("old"), 0, 0, 10, 0, 0, 0);
    Archive in(RODO_FIXTURE("shapemodel_schema1.bin"));
    model.Serialize(in);
    EXPECT_EQ(model.getLineArraySize(), 2);
    EXPECT_EQ(model.getVarArraySize(), 2);
    EXPECT_EQ(model.getVar(QStringLiteral("old")), nullptr);
}

TEST(ShapeModelStream, UnknownSchemaThrowsTheVersionError)
{
    QByteArray bytes = RODO_FIXTURE("shapemodel_schema1.bin");
    bytes[0] = 2;
    Archive in(bytes);
    CVes_ShapeModel model;
    try {
        model.Serialize(in);
        FAIL() << "schema 2 was read";
    } catch (const SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }
}

TEST(ShapeModelStream, DamagedStreamLeavesTheModelAsItWas)
{
    const QByteArray bytes = RODO_FIXTURE("shapemodel_schema1.bin");
    CVes_ShapeModel model;
    model.AddLSide(0, 0, 10, 0, 1, 0, 0);
    for (const qsizetype cut : {qsizetype(30), bytes.size() / 2, bytes.size() - 1}) {
        Archive in(bytes.left(cut));
        EXPECT_THROW(model.Serialize(in), ArchiveError) << cut;
        EXPECT_EQ(model.getSideArraySize(), 1);
        EXPECT_EQ(model.getLineArraySize(), 0);
        EXPECT_EQ(model.m_rectW, 1500);
    }
    // A count no stream can hold is refused before anything is made.
    QByteArray huge = bytes;
    huge[20] = char(0xFF);
    huge[21] = char(0xFF);
    huge[22] = char(0xFF);
    huge[23] = char(0x7F);
    Archive in(huge);
    EXPECT_THROW(model.Serialize(in), ArchiveError);
}

// side lengths

TEST(SideLength, WholeMillimetresWithAHairOfTolerance)
{
    EXPECT_EQ(sideLengthOf(formulaString(QStringLiteral("1000*sin30"))), 500);
    EXPECT_EQ(sideLengthOf(formulaString(QStringLiteral("1000*cos60"))), 500);
    EXPECT_EQ(sideLengthOf(10000 * formulaString(QStringLiteral("sin30"))), 5000);
    EXPECT_EQ(sideLengthOf(499.5), 499);
    EXPECT_EQ(sideLengthOf(499.999), 499);
    EXPECT_EQ(sideLengthOf(51103.96), 51103); // a long spiral is truncated, not rounded
    EXPECT_EQ(sideLengthOf(-3.7), -3);
    EXPECT_EQ(sideLengthOf(-499.9999999), -500);
    EXPECT_EQ(sideLengthOf(0.0000001), 0);
    EXPECT_EQ(sideLengthOf(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(sideLengthOf(std::nan("")), 0);
}

} // namespace
