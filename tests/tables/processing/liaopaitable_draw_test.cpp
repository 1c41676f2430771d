// The pages of the bar-tag sheet on the recorded calls: the cut lines, the
// tag origins and their order, the heading and footer, the text under each
// tag, the print shift, the highlight of the current tag, element tags among
// full tags, and a layout no page drawer knows.

#include "tests/tables/processing/liaopai_support.h"

#include "tables/processing/liaopaiform.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;
using platform::RGB;
using namespace platform::gdi;

const platform::Rect kClient(0, 0, 3000, 2200);

RecordingDc printer()
{
    RecordingDc::Device device;
    device.printing = true;
    return RecordingDc(device);
}

// Forty full tags named "T0" … "T39" with the weight "W0" … "W39".
void fortyTags(CVes_LiaoPaiTable& table, int layout)
{
    for (int i = 0; i < 40; ++i) {
        QStringList texts = test::tagRow(11).texts();
        texts[3] = QStringLiteral("T%1").arg(i);
        texts[10] = QStringLiteral("W%1").arg(i);
        table.Add(texts, nullptr);
    }
    table.setLiaoPaiDerect(unsigned(layout));
    table.sortSteel();
}

// The page drawer of the layout, on the screen at scale 1.0 from (0, 0).
void drawPageAtScaleOne(CVes_LiaoPaiTable& table, platform::Dc& dc)
{
    table.m_drawScale = 1.0;
    table.m_paperptO = QPoint(0, 0);
    switch (table.getLiaoPaiDerect()) {
    case 0: table.DrawV(&dc, kClient); break;
    case 1: table.DrawH(&dc, kClient); break;
    case 2: table.DrawJ(&dc, kClient); break;
    case 3: table.DrawJ2(&dc, kClient); break;
    case 4: table.DrawJ2H(&dc, kClient); break;
    default: table.DrawModel6(&dc, kClient); break;
    }
}

bool isCutLine(const RecordingDc::Segment& s)
{
    return s.pen.isGeometric() && s.pen.userStyle() == std::vector<std::uint32_t>{2, 12};
}

// The tags' origins in drawing order: where each heavy frame (the first
// stroke of a default-layout tag, pen width 3) begins.
std::vector<QPoint> tagOrigins(const RecordingDc& dc)
{
    std::vector<QPoint> origins;
    int n = 0;
    for (const auto& s : dc.segments()) {
        if (s.pen.width() == 3 && !s.pen.isGeometric() && n++ % 4 == 0)
            origins.push_back(s.from);
    }
    return origins;
}

TEST(TagPage, DefaultLayoutAtScaleOne)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, CVes_LiaoPaiTable::kLayoutJ2);
    table.setPageTo(2, 1);
    RecordingDc dc;
    drawPageAtScaleOne(table, dc);

    std::set<int> xs;
    std::set<int> ys;
    for (const auto& s : dc.segments()) {
        if (!isCutLine(s))
            continue;
        if (s.from.x() == s.to.x()) {
            xs.insert(s.from.x());
            EXPECT_EQ(s.from.y(), 0);
            EXPECT_EQ(s.to.y(), 2100);
        } else {
            ys.insert(s.from.y());
            EXPECT_EQ(s.from.x(), 0);
            EXPECT_EQ(s.to.x(), 2970);
        }
    }
    EXPECT_EQ(xs, (std::set<int>{170, 830, 1490, 2150, 2810}));
    EXPECT_EQ(ys, (std::set<int>{70, 1050, 2030}));

    const std::vector<QPoint> origins = tagOrigins(dc);
    ASSERT_EQ(origins.size(), 8u);
    EXPECT_EQ(origins[0], QPoint(200, 100));
    EXPECT_EQ(origins[6], QPoint(1520, 1080)) << "column 2, row 1 is position 6";
    // Position 6 shows the page's seventh tag.
    const test::DrawnText seventh = test::findText(dc, "T14");
    EXPECT_GT(seventh.at.x(), 1520);
    EXPECT_LT(seventh.at.x(), 2120);
    EXPECT_GT(seventh.at.y(), 1080);
    EXPECT_LT(seventh.at.y(), 1170);
    test::findText(dc, "W14");

    const DcRecord* footer = nullptr;
    const DcRecord* heading = nullptr;
    const auto outs = dc.records(DcOp::TextOut);
    for (const DcRecord& r : outs) {
        if (r.text == "第 2 页 / 共 5 页")
            footer = &r;
        if (r.text == "——    钢筋料牌    ——")
            heading = &r;
    }
    ASSERT_TRUE(footer);
    EXPECT_EQ(footer->points.front(), QPoint(2780, 2090));
    EXPECT_EQ(footer->state.textAlign, TA_BOTTOM | TA_RIGHT);
    EXPECT_EQ(footer->font.logFont().lfHeight, 40);
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->points.front(), QPoint(120, 1050));
    EXPECT_EQ(heading->font.logFont().lfEscapement, 900);
    EXPECT_EQ(heading->font.logFont().lfHeight, 70);
    EXPECT_EQ(heading->state.textAlign, TA_BOTTOM | TA_CENTER);
}

struct TagPrintCase {
    int layout;
    QPoint first;
};

class TagPagePrinted : public ::testing::TestWithParam<TagPrintCase> {};

TEST_P(TagPagePrinted, PrintsAtScaleOneShiftedByItsLayoutAndWithoutHighlight)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, GetParam().layout);
    table.setPageTo(1, 1);
    table.m_zoom = 2.5;
    table.setCurRow(3);
    RecordingDc dc = printer();
    table.Draw(&dc, platform::Rect(1, 1, 100, 100));
    EXPECT_EQ(table.m_drawScale, 1.0);
    EXPECT_EQ(table.m_paperptO, QPoint(0, 0));
    const auto heavy = [&] {
        for (const auto& s : dc.segments())
            if (s.pen.width() == 3 && !s.pen.isGeometric())
                return s.from;
        return QPoint(-1, -1);
    }();
    EXPECT_EQ(heavy, GetParam().first);
    for (const DcRecord& r : dc.records(DcOp::FillSolidRect))
        EXPECT_NE(r.value, RGB(204, 236, 255));
}

INSTANTIATE_TEST_SUITE_P(Layouts, TagPagePrinted,
                         ::testing::Values(TagPrintCase{3, {140, 50}}, TagPrintCase{1, {200, 100}},
                                           TagPrintCase{4, {200, 100}}, TagPrintCase{5, {120, 50}},
                                           TagPrintCase{0, {140, 50}}, TagPrintCase{2, {140, 50}}));

TEST(TagPage, TheCurrentTagIsHighlightedOnScreen)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, CVes_LiaoPaiTable::kLayoutJ2);
    table.setPageTo(1, 1);
    table.setCurRow(5);
    RecordingDc dc;
    drawPageAtScaleOne(table, dc);
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_FALSE(fills.empty());
    for (const DcRecord& r : fills) {
        EXPECT_EQ(r.value, RGB(204, 236, 255));
        // Position 5: column 1, row 1, origin (860, 1080).
        EXPECT_GE(std::min(r.rect.left, r.rect.right), 860);
        EXPECT_LE(std::max(r.rect.left, r.rect.right), 1460);
        EXPECT_GE(std::min(r.rect.top, r.rect.bottom), 1080);
    }
}

TEST(TagPage, AnElementTagShowsNoTextsOfTheTagBeforeIt)
{
    CVes_LiaoPaiTable table;
    for (int i = 0; i < 2; ++i) {
        QStringList texts = test::tagRow(11).texts();
        texts[10] = QStringLiteral("W%1").arg(i);
        texts[6] = QStringLiteral("B%1").arg(i);
        table.Add(texts, nullptr);
    }
    table.Add(QStringList{"p", "s", "t", "料牌1～2", "构件料牌", "KL1"}, nullptr);
    table.sortSteel();
    RecordingDc dc;
    drawPageAtScaleOne(table, dc);
    const QStringList texts = dc.texts();
    EXPECT_EQ(texts.count("W1"), 1);
    EXPECT_EQ(texts.count("B1"), 1);
    EXPECT_EQ(texts.count("料牌1～2"), 1);
    EXPECT_EQ(tagOrigins(dc).size(), 8u) << "blank positions are drawn too";
}

// Three element tags on a page of eight: the screen shows the five free
// positions as empty frames, the paper gets the three tags alone.
TEST(TagPage, PaperGetsNoEmptyTags)
{
    CVes_LiaoPaiTable table;
    table.m_texts[6].m_formula = QStringLiteral("校核人");
    for (int i = 1; i <= 3; ++i)
        table.Add(QStringList{"p", "s", "t", QStringLiteral("料牌%1～%1").arg(i), "构件料牌",
                              QStringLiteral("KL%1").arg(i)},
                  nullptr);
    table.sortSteel();
    RecordingDc screen;
    drawPageAtScaleOne(table, screen);
    EXPECT_EQ(tagOrigins(screen).size(), 8u);

    RecordingDc paper = printer();
    table.DrawJ2(&paper, kClient);
    const std::vector<QPoint> printed = tagOrigins(paper);
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[2], QPoint(1460, 50)) << "the third position, print shift taken off";
    EXPECT_EQ(paper.texts().count(QStringLiteral("校核人")), 3) << "a page text under each tag only";
    EXPECT_EQ(paper.texts().count(QStringLiteral("KL3")), 1);
}

struct PageTextCase {
    int layout;
    QPoint at;      // of the first tag's page text
    int escapement;
    int height;
};

class TagPageText : public ::testing::TestWithParam<PageTextCase> {};

TEST_P(TagPageText, StandsByEachTag)
{
    const PageTextCase& c = GetParam();
    CVes_LiaoPaiTable table;
    table.m_texts[6].m_formula = QStringLiteral("校核人");
    fortyTags(table, c.layout);
    table.setPageTo(1, 1);
    RecordingDc dc;
    drawPageAtScaleOne(table, dc);
    std::vector<DcRecord> texts;
    for (const DcRecord& r : dc.records(DcOp::TextOut))
        if (r.text == "校核人")
            texts.push_back(r);
    if (c.height == 0) {
        EXPECT_TRUE(texts.empty());
        return;
    }
    ASSERT_EQ(int(texts.size()), CVes_LiaoPaiTable::tagsPerPage(c.layout));
    EXPECT_EQ(texts[0].points.front(), c.at);
    EXPECT_EQ(texts[0].state.textAlign, TA_RIGHT);
    EXPECT_EQ(texts[0].font.logFont().lfEscapement, c.escapement);
    EXPECT_EQ(texts[0].font.logFont().lfHeight, c.height);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TagPageText,
                         ::testing::Values(PageTextCase{0, {}, 0, 0}, PageTextCase{1, {}, 0, 0},
                                           PageTextCase{2, {800, 510}, 0, 40},
                                           PageTextCase{3, {800, 1000}, 0, 40},
                                           PageTextCase{4, {1420, 100}, 900, 36},
                                           PageTextCase{5, {680, 1000}, 0, 40}));

TEST(TagPage, TheCompactLayoutFillsSixteenPositions)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, CVes_LiaoPaiTable::kLayoutJ);
    table.setPageTo(3, 1);
    RecordingDc dc;
    drawPageAtScaleOne(table, dc);
    const QStringList texts = dc.texts();
    EXPECT_EQ(texts.count(QStringLiteral("钢筋编号：t6")), 8);
    EXPECT_EQ(texts.count(QStringLiteral("钢筋编号：")), 8) << "eight blank tags";
}

TEST(TagPage, ALayoutNoPageDrawerKnowsDrawsTheFrameworkPageOnly)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, CVes_LiaoPaiTable::kLayoutJ2);
    table.setLiaoPaiDerect(7);
    RecordingDc dc;
    table.Draw(&dc, kClient);
    for (const auto& s : dc.segments())
        EXPECT_FALSE(isCutLine(s));
    EXPECT_FALSE(dc.texts().contains("T0"));
}

TEST(TagPage, AClickAfterDrawingPicksTheTagUnderIt)
{
    CVes_LiaoPaiTable table;
    fortyTags(table, CVes_LiaoPaiTable::kLayoutH);
    table.setPageTo(1, 1);
    RecordingDc dc;
    table.m_zoom = 1.0;
    table.Draw(&dc, kClient);
    const double s = table.m_drawScale;
    const QPoint o = table.m_paperptO;
    // Third grid row, second column: inside (1490, 1050)–(2810, 1540).
    const QPoint click(int(o.x() + 2000 * s), int(o.y() + 1300 * s));
    int row = -1;
    int column = -1;
    EXPECT_EQ(table.HitTest(click, row, column), 1);
    EXPECT_EQ(row, 5);
    EXPECT_EQ(column, 1);
}

} // namespace
