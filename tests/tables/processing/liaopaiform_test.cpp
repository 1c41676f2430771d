// One bar tag as the tag form draws it, checked on the recorded calls: the
// frames of every layout and their direction, labels that follow the unit and
// the shape, text heights and pens at a scale, the element text, the hit
// rectangle of the two-part and compact layouts, and the highlight fill.

#include "tests/tables/processing/liaopai_support.h"

#include "tables/processing/liaopaiform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;
using platform::RGB;
using namespace platform::gdi;

using Draw = void (CVes_LiaoPaiForm::*)(platform::Dc*);
constexpr Draw kDraws[6] = {&CVes_LiaoPaiForm::OnDraw,   &CVes_LiaoPaiForm::OnDrawH,
                            &CVes_LiaoPaiForm::OnDrawJ,  &CVes_LiaoPaiForm::OnDrawJ2,
                            &CVes_LiaoPaiForm::OnDrawJ2H, &CVes_LiaoPaiForm::OnDrawModel6};

// A form with every text set ("工程", "层", …) at `origin`, without shape.
CVes_LiaoPaiForm filledForm(QPoint origin = QPoint(1000, 1000), double scale = 1.0)
{
    CVes_LiaoPaiForm form(nullptr, origin, scale);
    form.setData("工程", "层", "类型", "料牌5", "备注文字", "KL1", "B7", "4", "%%C20", "3000",
                 nullptr);
    form.m_weight = "12.34";
    return form;
}

// Sets up y growing upwards (`up`) or downwards in 0.1 mm.
void mapTenthsOfMillimetres(RecordingDc& dc, bool up)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    dc.SetViewportExt(96, up ? -96 : 96);
}

// The records of the TextOut that drew `text`; fails the test when none did.
DcRecord textRecord(const RecordingDc& dc, const QString& text)
{
    for (const DcRecord& r : dc.records(DcOp::TextOut))
        if (r.text == text)
            return r;
    ADD_FAILURE() << "not drawn: " << text.toStdString();
    return {};
}

struct FrameCase {
    int layout;
    QRect outer; // the outer frame at scale 1 from (0, 0), y downwards
};

class TagFrames : public ::testing::TestWithParam<std::tuple<FrameCase, bool>> {};

// Every line of a tag lies inside its outer frame, which reaches the frame's
// far corner downwards on the page whichever way the axis runs.
TEST_P(TagFrames, SpanTheTagDownThePage)
{
    const auto [c, up] = GetParam();
    RecordingDc dc;
    mapTenthsOfMillimetres(dc, up);
    CVes_LiaoPaiForm form = filledForm(QPoint(1000, 1000));
    (form.*kDraws[c.layout])(&dc);
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    for (const auto& s : dc.segments()) {
        for (QPoint p : {s.from, s.to}) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    }
    EXPECT_EQ(left, 1000 + c.outer.left());
    EXPECT_EQ(right, 1000 + c.outer.right());
    if (up) {
        EXPECT_EQ(top, 1000 - c.outer.bottom());
        EXPECT_EQ(bottom, 1000 - c.outer.top());
    } else {
        EXPECT_EQ(top, 1000 + c.outer.top());
        EXPECT_EQ(bottom, 1000 + c.outer.bottom());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TagFrames,
    ::testing::Combine(::testing::Values(FrameCase{0, QRect(QPoint(-6, -6), QPoint(606, 926))},
                                         FrameCase{1, QRect(QPoint(-6, -6), QPoint(1266, 436))},
                                         FrameCase{2, QRect(QPoint(-6, -6), QPoint(606, 406))},
                                         FrameCase{3, QRect(QPoint(-6, -6), QPoint(606, 896))},
                                         FrameCase{4, QRect(QPoint(-6, -6), QPoint(1206, 436))},
                                         FrameCase{5, QRect(QPoint(-6, -6), QPoint(506, 896))}),
                       ::testing::Bool()));

TEST(TagForm, TheDefaultTagShowsItsTextsInTheirCellsAndFonts)
{
    RecordingDc dc;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.m_lengthUnit = 0;
    form.OnDrawJ2(&dc);
    // The tag number's cell x 150–600, y 0–90, centred, 黑体 48.
    const DcRecord number = textRecord(dc, "料牌5");
    EXPECT_EQ(number.font.logFont().lfHeight, 48);
    EXPECT_EQ(number.font.logFont().lfFaceName, "黑体");
    EXPECT_EQ(number.points.front().x(), (150 + 1 + 600 - 1) / 2);
    EXPECT_GT(number.points.front().y(), 0);
    EXPECT_LT(number.points.front().y(), 90);
    EXPECT_EQ(textRecord(dc, "工程").font.logFont().lfFaceName, "宋体");
    EXPECT_EQ(textRecord(dc, "12.34").font.logFont().lfHeight, 38);
    EXPECT_EQ(textRecord(dc, "3000").font.logFont().lfHeight, 64);
    EXPECT_EQ(textRecord(dc, "3000").font.logFont().lfFaceName, "Times New Roman");
    textRecord(dc, "断料长度(mm)");
    textRecord(dc, "根数");
    textRecord(dc, "层__类型");
    textRecord(dc, "KL1");
    // The default layouts have no remark.
    EXPECT_FALSE(dc.texts().contains("备注文字"));
}

TEST(TagForm, CutLengthLabelNamesTheUnit)
{
    CVes_LiaoPaiForm form;
    for (auto [unit, label] : std::vector<std::pair<int, const char*>>{
             {0, "断料长度(mm)"}, {1, "断料长度(cm)"}, {2, "断料长度(m)"}, {-1, "断料长度(m)"}}) {
        form.m_lengthUnit = unit;
        EXPECT_EQ(form.cutLengthLabel(), label) << unit;
    }
}

TEST(TagForm, CountLabelOfAGradedShape)
{
    test::ProcessingShapes shapes;
    CVes_LiaoPaiForm form;
    EXPECT_EQ(form.countLabel(), "根数");
    CVes_ModelReference shape;
    shape.setRecordId(test::kStraight);
    form.m_shape = &shape;
    EXPECT_EQ(form.countLabel(), "根数");
    shape.setMultiVal(1);
    EXPECT_EQ(form.countLabel(), "支/组数");
}

// A graded bar's count reads alike on every layout, bars a group and then
// groups, as the sheets write it: never "根数：5/9" (5 or 9 bars?); and it is
// as large as the smallest of the tag's other values (the narrow layout's
// count column once shrank it to 1.5 mm).
struct GradedCountCase {
    int layout;
    std::vector<const char*> countTexts; // the count as drawn, line by line
    const char* label;                   // the count's label; nullptr: none
};

void PrintTo(const GradedCountCase& c, std::ostream* os) { *os << "layout" << c.layout; }

class TagGradedCount : public ::testing::TestWithParam<GradedCountCase> {};

TEST_P(TagGradedCount, BarsAGroupThenGroupsAsLargeAsTheOtherValues)
{
    const GradedCountCase& c = GetParam();
    test::ProcessingShapes shapes;
    CVes_ModelReference shape;
    shape.setRecordId(test::kStraight);
    shape.setMultiVal(1);
    RecordingDc dc;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.setData("工程", "层", "类型", "料牌5", "备注文字", "KL1", "B7", "5支/组\n共9组", "%%C20",
                 "1000～1400\n等差:50", &shape);
    (form.*kDraws[c.layout])(&dc);

    const QStringList texts = dc.texts();
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QStringLiteral("根数"))) << text.toStdString();
    if (c.label)
        textRecord(dc, QString::fromUtf8(c.label));
    int countHeight = INT_MAX;
    for (const char* line : c.countTexts)
        countHeight = std::min(countHeight,
                               int(textRecord(dc, QString::fromUtf8(line)).font.logFont().lfHeight));
    int smallestOther = INT_MAX;
    for (const char* other : {"料牌5", "B7", "1000～1400"}) {
        for (const DcRecord& r : dc.records(DcOp::TextOut))
            if (r.text.endsWith(QString::fromUtf8(other)))
                smallestOther = std::min(smallestOther, int(r.font.logFont().lfHeight));
    }
    ASSERT_LT(smallestOther, INT_MAX);
    EXPECT_GE(countHeight, smallestOther);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TagGradedCount,
    ::testing::Values(GradedCountCase{0, {"5支/组 共9组"}, nullptr},
                      GradedCountCase{1, {"5支/组 共9组"}, nullptr},
                      GradedCountCase{2, {"5支/组 共9组"}, nullptr},
                      GradedCountCase{3, {"5支/组", "共9组"}, "支/组数"},
                      GradedCountCase{4, {"5支/组", "共9组"}, "支/组数"},
                      GradedCountCase{5, {"5支/组", "共9组"}, "支/组数"}));

struct HeightCase {
    const char* cutLength;
    const char* firstLine;
    int height;
};

class TagCutLengthHeight : public ::testing::TestWithParam<HeightCase> {};

TEST_P(TagCutLengthHeight, TwoLinesAreDrawnSmaller)
{
    RecordingDc dc;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.m_cutLength = QString::fromUtf8(GetParam().cutLength);
    form.OnDrawJ2(&dc);
    EXPECT_EQ(textRecord(dc, QString::fromUtf8(GetParam().firstLine)).font.logFont().lfHeight,
              GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Texts, TagCutLengthHeight,
                         ::testing::Values(HeightCase{"3000", "3000", 64},
                                           HeightCase{"1000～1400\n等差:200", "1000～1400", 40},
                                           HeightCase{"\n2500", "2500", 64}));

struct ElementCase {
    const char* storey;
    const char* type;
    const char* element;
    const char* text;
};

class TagElementText : public ::testing::TestWithParam<ElementCase> {};

TEST_P(TagElementText, JoinsStoreyTypeAndElement)
{
    const ElementCase& c = GetParam();
    CVes_LiaoPaiForm form;
    form.m_storey = QString::fromUtf8(c.storey);
    form.m_eleType = QString::fromUtf8(c.type);
    form.m_element = QString::fromUtf8(c.element);
    EXPECT_EQ(form.elementText(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(Parts, TagElementText,
                         ::testing::Values(ElementCase{"", "", "KL1", "KL1"},
                                           ElementCase{"三层", "框架梁", "KL1", "三层__框架梁\nKL1"},
                                           ElementCase{"三层", "", "KL1", "三层\nKL1"},
                                           ElementCase{"", "框架梁", "KL1", "框架梁\nKL1"},
                                           ElementCase{"三层", "", "", "三层\n"}));

TEST(TagForm, PensAndTextHeightsFollowTheScale)
{
    RecordingDc half;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0), 0.5);
    form.OnDrawJ2(&half);
    std::set<int> widths;
    for (const auto& s : half.segments())
        widths.insert(s.pen.width());
    EXPECT_EQ(widths, (std::set<int>{1})) << "3 and 2 at half scale";
    // 30 at half scale is 15, but the label's second line "[加工编号]" of
    // ten bytes, each half the height wide, and 0.2 of the height clear
    // either side fits the cell (75 less its border) only at 13.
    EXPECT_EQ(textRecord(half, "料牌编号").font.logFont().lfHeight, 13);

    RecordingDc fifth;
    form.setScale(0.2);
    form.OnDrawJ2(&fifth);
    widths.clear();
    for (const auto& s : fifth.segments())
        widths.insert(s.pen.width());
    EXPECT_EQ(widths, (std::set<int>{0}));
}

TEST(TagForm, SetDataLeavesTheWeight)
{
    CVes_LiaoPaiForm form = filledForm();
    form.setData("a", "b", "c", "d", "e", "f", "g", "h", "i", "j", nullptr);
    EXPECT_EQ(form.m_weight, "12.34");
    EXPECT_EQ(form.m_cutLength, "j");
}

TEST(TagForm, TheTwoPartAndCompactLayoutsRecordTheirFirstPart)
{
    CVes_LiaoPaiForm form = filledForm(QPoint(100, 200));
    EXPECT_EQ(form.HitTest(QPoint(300, 300)), 0) << "nothing recorded yet";
    RecordingDc dc;
    form.OnDraw(&dc);
    EXPECT_EQ(form.HitTest(QPoint(100, 200)), 1) << "left and top edges";
    EXPECT_EQ(form.HitTest(QPoint(699, 629)), 1);
    EXPECT_EQ(form.HitTest(QPoint(700, 300)), 0) << "right edge";
    EXPECT_EQ(form.HitTest(QPoint(300, 630)), 0) << "bottom edge";
    EXPECT_EQ(form.HitTest(QPoint(300, 800)), 0) << "the lower part";

    form.OnDrawH(&dc);
    EXPECT_EQ(form.HitTest(QPoint(300, 300)), 1);
    EXPECT_EQ(form.HitTest(QPoint(900, 300)), 0) << "the right part";

    form.OnDrawJ(&dc);
    EXPECT_EQ(form.HitTest(QPoint(699, 599)), 1);
    EXPECT_EQ(form.HitTest(QPoint(699, 600)), 0);

    // The default layouts leave the rectangle alone.
    form.setPt(QPoint(5000, 5000));
    form.OnDrawJ2(&dc);
    EXPECT_EQ(form.HitTest(QPoint(699, 599)), 1);

    RecordingDc up;
    mapTenthsOfMillimetres(up, true);
    form.setPt(QPoint(100, 200));
    form.OnDraw(&up);
    EXPECT_EQ(form.HitTest(QPoint(300, 0)), 1) << "the part lies below on the page";
    EXPECT_EQ(form.HitTest(QPoint(300, 300)), 0);
}

TEST(TagForm, TwoPartRunsAndRemark)
{
    RecordingDc dc;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.m_remark = "第一行\n第二行";
    form.OnDraw(&dc);
    const DcRecord remark = textRecord(dc, "第一行");
    EXPECT_EQ(remark.font.logFont().lfHeight, 28);
    EXPECT_EQ(remark.state.textAlign & TA_HORZ_MASK, TA_LEFT);
    textRecord(dc, "第二行");
    EXPECT_EQ(textRecord(dc, "钢筋编号：B7").state.textAlign & TA_HORZ_MASK, TA_LEFT);
    EXPECT_EQ(textRecord(dc, "根数：4").state.textAlign & TA_HORZ_MASK, TA_RIGHT);
    const QStringList texts = dc.texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const QString& t) { return t.startsWith("规格："); }));
    textRecord(dc, "下料长度：3000");
    EXPECT_FALSE(dc.texts().contains("12.34")) << "no weight on the two-part tags";
}

// A remark typed with "|" breaks there, as on the sheets it comes from.
TEST(TagForm, TheTwoPartTagsBreakARemarkAtItsBars)
{
    for (const bool sideBySide : {false, true}) {
        RecordingDc dc;
        CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
        form.m_remark = "两端|弯锚";
        sideBySide ? form.OnDrawH(&dc) : form.OnDraw(&dc);
        EXPECT_FALSE(dc.texts().join(u' ').contains(u'|')) << sideBySide;
        textRecord(dc, "两端");
        textRecord(dc, "弯锚");
    }
}

TEST(TagForm, TheCompactTagJoinsProjectAndStorey)
{
    RecordingDc dc;
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.OnDrawJ(&dc);
    EXPECT_EQ(textRecord(dc, "工程-层").font.logFont().lfHeight, 25);
    EXPECT_EQ(textRecord(dc, "KL1").font.logFont().lfFaceName, "宋体");
    // Beside the element its tag number: two tags of bar B7 in two elements
    // differ by number too.
    const DcRecord number = textRecord(dc, "料牌5");
    EXPECT_EQ(number.font.logFont().lfHeight, 25);
    EXPECT_GT(number.points.at(0).x(), textRecord(dc, "KL1").points.at(0).x());

    RecordingDc alone;
    form.m_storey.clear();
    form.OnDrawJ(&alone);
    textRecord(alone, "工程");
    EXPECT_FALSE(alone.texts().contains("工程-"));
}

TEST(TagForm, TheBackgroundIsFilledOnlyWhenAsked)
{
    for (int layout = 0; layout < 6; ++layout) {
        CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
        RecordingDc plain;
        (form.*kDraws[layout])(&plain);
        EXPECT_EQ(plain.count(DcOp::FillSolidRect), 0) << layout;
        EXPECT_GT(plain.count(DcOp::LineTo), 20) << "the cells keep their borders";

        form.m_drawBk = 1;
        form.setbkColor(RGB(204, 236, 255));
        RecordingDc filled;
        (form.*kDraws[layout])(&filled);
        const auto fills = filled.records(DcOp::FillSolidRect);
        ASSERT_FALSE(fills.empty()) << layout;
        for (const DcRecord& r : fills)
            EXPECT_EQ(r.value, RGB(204, 236, 255));
    }
}

TEST(TagForm, AShapeIsFittedIntoItsCellAtTheShapeScale)
{
    test::ProcessingShapes shapes;
    CVes_ModelReference shape;
    shape.setRecordId(test::kStraight);
    CVes_LiaoPaiForm form = filledForm(QPoint(0, 0));
    form.m_shape = &shape;
    form.m_shapeScale = 0.75;
    form.m_cutLength = "cut";
    RecordingDc with;
    form.OnDrawJ2(&with);
    // The shape's dimension is drawn inside the shape cell, y 440–660.
    const DcRecord dimension = textRecord(with, "3000");
    EXPECT_GT(dimension.points.front().y(), 440);
    EXPECT_LT(dimension.points.front().y(), 660);
    EXPECT_EQ(textRecord(with, "根数").text, "根数");
    RecordingDc without;
    form.m_shape = nullptr;
    form.OnDrawJ2(&without);
    EXPECT_FALSE(without.texts().contains("3000"));
}

} // namespace
