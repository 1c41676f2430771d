#include "tables/framework/cell.h"

#include "core/model/modelrecord.h"
#include "core/model/steel.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <climits>

using namespace platform::gdi;
using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;
using platform::Rect;

namespace {

// A shape of a given extent that records where it was asked to draw.
class FakeShape : public CVes_ReferenceBase {
public:
    FakeShape(int w, int h) : m_w(w), m_h(h) {}
    void getRecordExtend(int& width, int& height) override
    {
        if (m_w >= 0)
            width = m_w;
        if (m_h >= 0)
            height = m_h;
    }
    void Draw(platform::Dc*, COLORREF c1, COLORREF c2, COLORREF c3, int x, int y, int flags,
              const Rect* rect, int showName, double ratio) override
    {
        ++calls;
        colours = {c1, c2, c3};
        at = QPoint(x, y);
        box = rect ? *rect : Rect(-1, -1, -1, -1);
        this->flags = flags;
        this->showName = showName;
        this->ratio = ratio;
    }

    int calls = 0;
    std::vector<COLORREF> colours;
    QPoint at;
    Rect box;
    int flags = -1;
    int showName = -1;
    double ratio = 0;

private:
    int m_w;
    int m_h;
};

std::vector<DcRecord> textOuts(const RecordingDc& dc)
{
    return dc.records(DcOp::TextOut);
}

std::vector<QPoint> textAnchors(const RecordingDc& dc)
{
    std::vector<QPoint> out;
    for (const auto& r : textOuts(dc))
        out.push_back(r.points.front());
    return out;
}

struct Stroke {
    QPoint from;
    QPoint to;
    int width;
    friend bool operator==(const Stroke&, const Stroke&) = default;
};

std::vector<Stroke> strokes(const RecordingDc& dc)
{
    std::vector<Stroke> out;
    for (const auto& s : dc.segments())
        out.push_back({s.from, s.to, s.pen.width()});
    return out;
}

// state

TEST(Cell, StartsAsAPlainCellAtItsPosition)
{
    CVes_Cell cell(3, 4);
    EXPECT_EQ(cell.row(), 3);
    EXPECT_EQ(cell.column(), 4);
    EXPECT_EQ(cell.mergeEndRow(), 3);
    EXPECT_EQ(cell.mergeEndColumn(), 4);
    EXPECT_FALSE(cell.isMerged());
    EXPECT_FALSE(cell.isMerging());
    EXPECT_TRUE(cell.drawsBorder());
    EXPECT_FALSE(cell.drawsBackground());
    EXPECT_EQ(cell.backgroundColor(), RGB(166, 202, 240));
    EXPECT_EQ(cell.textColor(), RGB(0, 0, 0));
    EXPECT_EQ(cell.getScale(), 1.0);
    EXPECT_TRUE(cell.text().isEmpty());
}

TEST(Cell, EachMainContentClearsTheOthers)
{
    CVes_Cell cell(0, 0);
    FakeShape shape(10, 10);
    CVes_SteelStartReference start;

    cell.SetStart(&start);
    cell.SetText(QStringLiteral("12"), QStringLiteral("宋体"));
    EXPECT_EQ(cell.startReference(), &start); // a text keeps the start reference
    EXPECT_EQ(cell.fontName(), QStringLiteral("宋体"));

    cell.SetModel(&shape);
    EXPECT_EQ(cell.model(), &shape);
    EXPECT_EQ(cell.startReference(), nullptr);
    EXPECT_TRUE(cell.text().isEmpty());

    cell.SetDrawBorder(0);
    cell.SetForm(nullptr);
    EXPECT_EQ(cell.model(), nullptr);
    EXPECT_TRUE(cell.drawsBorder());

    cell.SetModel(&shape);
    cell.SetText(QStringLiteral("x"), QString());
    EXPECT_EQ(cell.model(), nullptr);
}

struct MergeCase {
    int endRow;
    int endColumn;
    bool merging;
};

class MergeRange : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeRange, HeadsARangeOnlyWhenItReachesBeyondItself)
{
    CVes_Cell cell(2, 3);
    cell.SetMergeRang(GetParam().endRow, GetParam().endColumn);
    EXPECT_EQ(bool(cell.isMerging()), GetParam().merging);
}

INSTANTIATE_TEST_SUITE_P(Ends, MergeRange,
                         ::testing::Values(MergeCase{2, 3, false}, MergeCase{2, 4, true},
                                           MergeCase{3, 3, true}, MergeCase{4, 5, true},
                                           MergeCase{1, 5, false}, MergeCase{5, 2, false},
                                           MergeCase{1, 1, false}));

TEST(Cell, ACoveredCellAnswersItsHeadsRectangle)
{
    RecordingDc dc;
    CVes_Cell head(0, 0);
    CVes_Cell middle(0, 1);
    CVes_Cell covered(0, 2);
    head.Draw(&dc, 0, 0, Rect(0, 0, 90, 30), 0);
    middle.Draw(&dc, 0, 1, Rect(90, 0, 120, 30), 0);
    covered.Draw(&dc, 0, 2, Rect(120, 0, 150, 30), 0);
    middle.Merge(&head);
    covered.Merge(&middle); // heads may chain
    EXPECT_EQ(middle.getRect(), Rect(0, 0, 90, 30));
    EXPECT_EQ(covered.getRect(), Rect(0, 0, 90, 30));
    covered.unMerge();
    EXPECT_EQ(covered.getRect(), Rect(120, 0, 150, 30));
    EXPECT_EQ(covered.mergeEndColumn(), 2);

    // Owners set by hand into a circle do not hang the lookup.
    head.Merge(&covered);
    covered.Merge(&head);
    (void)head.getRect();
}

TEST(Cell, ContentListsCountAndClear)
{
    CVes_Cell cell(0, 0);
    EXPECT_EQ(cell.AddString(QStringLiteral("a"), QPoint(1, 2), 10, 0), 0);
    EXPECT_EQ(cell.AddString(QStringLiteral("b"), QPoint(3, 4), 12, 2), 1);
    EXPECT_EQ(cell.AddLine(0, 0, 10, 10, 2, 1), 1);
    ASSERT_EQ(cell.lines().size(), 1u);
    EXPECT_EQ(cell.lines()[0]->m_P2.ToPoint(), QPoint(10, 10));
    EXPECT_EQ(cell.lines()[0]->m_lineWidth, 2);
    EXPECT_EQ(cell.lines()[0]->m_lineStyle, 1u);
    cell.clearnLineArray();
    EXPECT_TRUE(cell.lines().empty());
    EXPECT_EQ(cell.textRuns().size(), 2u);
    cell.clearnStrArray();
    EXPECT_TRUE(cell.textRuns().empty());
}

// background

TEST(CellBackground, FillsOnlyWhenAskedAndLeavesTheColourTransparent)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.setbkColor(RGB(1, 2, 3));
    cell.DrawBk(&dc, 0, 0, Rect(0, 0, 50, 20), 0);
    EXPECT_TRUE(dc.drawing().empty());

    cell.SetDrawBk(1);
    cell.DrawBk(&dc, 0, 0, Rect(0, 0, 50, 20), 0);
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, Rect(0, 0, 50, 20));
    EXPECT_EQ(COLORREF(fills[0].value), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
}

// border

struct BorderCase {
    double scale;
    int width;
};

class CellBorder : public ::testing::TestWithParam<BorderCase> {};

TEST_P(CellBorder, OutlineFromTopRightWithTwiceTheScaleTruncated)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.setScale(GetParam().scale);
    cell.Draw(&dc, 0, 0, Rect(10, 20, 110, 70), 0);
    const int w = GetParam().width;
    EXPECT_EQ(strokes(dc), (std::vector<Stroke>{{{110, 20}, {10, 20}, w},
                                                {{10, 20}, {10, 70}, w},
                                                {{10, 70}, {110, 70}, w},
                                                {{110, 70}, {110, 20}, w}}));
    EXPECT_TRUE(textOuts(dc).empty()); // an empty cell draws its border only
    EXPECT_EQ(cell.getRect(), Rect(10, 20, 110, 70));
}

INSTANTIATE_TEST_SUITE_P(Scales, CellBorder,
                         ::testing::Values(BorderCase{1.0, 2}, BorderCase{1.6, 3},
                                           BorderCase{2.99, 5}, BorderCase{0.4, 0}));

TEST(CellBorderOff, DrawsNothingButKeepsTheRectangle)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetDrawBorder(0);
    cell.Draw(&dc, 0, 0, Rect(10, 20, 110, 70), 0);
    EXPECT_TRUE(dc.drawing().empty());
    EXPECT_EQ(cell.getRect(), Rect(10, 20, 110, 70));
}

// text

struct TextCase {
    const char* name;
    const char* text;
    unsigned align;
    Rect rect;
    QSize windowExt;
    QSize viewportExt;
    std::vector<QPoint> anchors;
};

class CellText : public ::testing::TestWithParam<TextCase> {};

// The working rectangle is the cell shrunk by 1: a height of 160 below the
// border. Text height 20, as printed (a screen may raise it to the height
// a reader reads there).
TEST_P(CellText, LinesShareTheHeightAndAnchorByAlignment)
{
    const TextCase& c = GetParam();
    RecordingDc::Device printer;
    printer.printing = true;
    RecordingDc dc(printer);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(c.windowExt);
    dc.SetViewportExt(c.viewportExt);
    CVes_Cell cell(0, 0);
    cell.SetText(QString::fromUtf8(c.text), QStringLiteral("宋体"));
    cell.setTxtHigh(20);
    cell.setTxtWeight(700);
    cell.setTextAligh(c.align);
    cell.Draw(&dc, 0, 0, c.rect, 0);

    EXPECT_EQ(textAnchors(dc), c.anchors) << dc.dump().toStdString();
    for (const auto& r : textOuts(dc)) {
        EXPECT_EQ(r.state.textAlign, c.align);
        EXPECT_EQ(r.font.logFont().lfHeight, 20);
        EXPECT_EQ(r.font.logFont().lfWeight, 700);
        EXPECT_EQ(r.font.logFont().lfFaceName, QStringLiteral("宋体"));
        EXPECT_EQ(r.state.bkMode, TRANSPARENT);
    }
}

const QSize kDown(1, 1);
const QSize kUp(1, -1);

INSTANTIATE_TEST_SUITE_P(
    Layouts, CellText,
    ::testing::Values(
        // step trunc(160 / 3.6) = 44, first 35: line centres 35, 79, 123 below the top.
        TextCase{"ThreeLinesCentred", "a\nb\nc", 6, Rect(0, 0, 200, 162), kDown, kDown,
                 {{100, 26}, {100, 70}, {100, 114}}},
        TextCase{"OneLineCentredVertically", "a", 6, Rect(0, 0, 200, 162), kDown, kDown,
                 {{100, 71}}},
        TextCase{"TrailingLineFeedCounts", "a\n", 6, Rect(0, 0, 200, 162), kDown, kDown,
                 {{100, 39}, {100, 100}}},
        TextCase{"Left", "a", 0, Rect(0, 0, 200, 162), kDown, kDown, {{5, 71}}},
        TextCase{"Right", "a", 2, Rect(0, 0, 200, 162), kDown, kDown, {{195, 71}}},
        TextCase{"OtherAlignmentAtTheLeftEdge", "a", 24, Rect(0, 0, 200, 162), kDown, kDown,
                 {{1, 71}}},
        // y upwards: the half height is added instead of taken off.
        TextCase{"YUpwards", "a\nb\nc", 6, Rect(0, 0, 200, 162), QSize(254, 254),
                 QSize(96, -96), {{100, 46}, {100, 90}, {100, 134}}}),
    [](const auto& info) { return std::string(info.param.name); });

// fitting

// The recording context's metrics make the sizes exact: every GBK byte is
// half the height wide (truncated), so a Chinese character is as wide as the
// text is high. A line keeps 0.2 of its height clear either side; n lines
// share the height H in steps of H / (n + 0.6), and a line is never higher
// than its step. The legible height is 20 at scale 1.
struct TextFitCase {
    const char* name;
    const char* text;
    int height;
    Rect rect;      // the working rectangle is this shrunk by 1
    double scale;
    std::vector<const char*> lines;
    int drawnHeight;
};

void PrintTo(const TextFitCase& c, std::ostream* os) { *os << c.name; }

class CellFit : public ::testing::TestWithParam<TextFitCase> {};

TEST_P(CellFit, TextTakesTheLargestHeightThatFitsItsCell)
{
    const TextFitCase& c = GetParam();
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetText(QString::fromUtf8(c.text), QStringLiteral("宋体"));
    cell.setTxtHigh(c.height);
    cell.setScale(c.scale);
    cell.Draw(&dc, 0, 0, c.rect, 0);

    QStringList expected;
    for (const char* line : c.lines)
        expected << QString::fromUtf8(line);
    QStringList drawn;
    for (const DcRecord& r : textOuts(dc)) {
        drawn << r.text;
        EXPECT_EQ(r.font.logFont().lfHeight, c.drawnHeight) << r.text.toStdString();
        // Whatever still does not fit is cut at the working rectangle.
        ASSERT_TRUE(r.state.clip.has_value());
        Rect work = c.rect;
        work.DeflateRect(1, 1);
        EXPECT_EQ(*r.state.clip, work);
    }
    EXPECT_EQ(drawn, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellFit,
    ::testing::Values(
        TextFitCase{"FittingTextKeepsItsHeight", "KL1", 40, Rect(0, 0, 202, 162), 1.0, {"KL1"}, 40},
        // 10 bytes: 5h wide plus 0.4h of room in 200: h = 37.
        TextFitCase{"TooWideShrinksToTheWidth", "ABCDEFGHIJ", 40, Rect(0, 0, 202, 162), 1.0,
                {"ABCDEFGHIJ"}, 37},
        // Two lines in 58: a step of 22.
        TextFitCase{"LinesNeverOverlap", "2000～3000\n等差:250", 30, Rect(0, 0, 402, 60), 1.0,
                {"2000～3000", "等差:250"}, 22},
        // Unwrapped the text would be 11 high, below 20: three lines of at
        // most three characters fit at 27 (steps of 100 / 3.6 = 27).
        TextFitCase{"BelowTheLegibleHeightWraps", "钢筋钢筋钢筋钢筋", 40, Rect(0, 0, 102, 102), 1.0,
                {"钢筋钢", "筋钢筋", "钢筋"}, 27},
        // Numbers are never broken: at the legible height the rest is cut,
        // and a mark shows where.
        TextFitCase{"NumbersStayWholeAndAreCut", "12345678901234567890", 40, Rect(0, 0, 102, 102),
                1.0, {"1234567…"}, 20},
        // Blanks and marks break lines; a closing mark stays with its word.
        TextFitCase{"BreaksAfterBlanksAndMarks", "AB CD，EF", 40, Rect(0, 0, 62, 102), 1.0,
                {"AB", "CD，", "EF"}, 25},
        // Three lines in 40 would leave the cell even at the legible 20
        // (steps of 11): they run on, one line of 18 bytes as high as it fits.
        TextFitCase{"LinesThatCannotAllShowRunOn", "两端\n弯锚\n现场复核", 40, Rect(0, 0, 402, 42),
                1.0, {"两端 弯锚 现场复核"}, 40},
        // A text set below the legible height is drawn at it.
        TextFitCase{"NeverBelowTheLegibleHeight", "A", 8, Rect(0, 0, 202, 162), 1.0, {"A"}, 20},
        TextFitCase{"TheLegibleHeightFollowsTheScale", "A", 8, Rect(0, 0, 202, 162), 0.5, {"A"}, 10},
        // A rule is a line across the cell: cut at the edges, never smaller.
        TextFitCase{"RuleKeepsItsHeight", "━━━━━━━━━━", 50, Rect(0, 0, 202, 162), 1.0,
                {"━━━━━━━━━━"}, 50}),
    [](const auto& info) { return std::string(info.param.name); });

// Two lines on paper in a row too low for them at the usual spacing, even
// at the legible height: where the row holds them their own height apart,
// they go so, centred, rather than over one another.
struct ApartCase {
    const char* name;
    int rowHeight; // the working rectangle is 2 lower
};

void PrintTo(const ApartCase& c, std::ostream* os) { *os << c.name; }

class CellLinesApart : public ::testing::TestWithParam<ApartCase> {};

TEST_P(CellLinesApart, OnPaperTwoLegibleLinesGoTheirHeightApart)
{
    RecordingDc::Device printer;
    printer.printing = true;
    RecordingDc dc(printer);
    CVes_Cell cell(0, 0);
    cell.SetText(QStringLiteral("1000～2000\n等差:500"), QStringLiteral("宋体"));
    cell.setTxtHigh(30);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 402, GetParam().rowHeight), 0);
    const std::vector<DcRecord> lines = textOuts(dc);
    ASSERT_EQ(lines.size(), 2u);
    const int h = std::abs(lines[0].font.logFont().lfHeight);
    EXPECT_EQ(h, CVes_Cell::kLegibleTextHeight);
    EXPECT_GE(lines[1].points.front().y() - lines[0].points.front().y(), h);
    EXPECT_GE(lines[0].points.front().y(), 1);
    EXPECT_LE(lines[1].points.front().y() + h, GetParam().rowHeight - 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, CellLinesApart,
                         ::testing::Values(ApartCase{"RoomToSpare", 46}, ApartCase{"JustRoom", 42}),
                         [](const auto& info) { return std::string(info.param.name); });

// A page shown small on a screen, four logical units to a pixel: a cell's
// text reads at 8 pixels (32 units) at the least there, above the page's own
// legible height of 20, while on paper it keeps the page's sizes. What fits
// no way at that height is cut, never drawn over itself: as many lines as
// stay apart, the last ending in "…" where the text goes on.
struct ScreenFitCase {
    const char* name;
    const char* text;
    bool printing;
    Rect rect; // the working rectangle is this shrunk by 1
    std::vector<const char*> lines;
    int drawnHeight;
};

void PrintTo(const ScreenFitCase& c, std::ostream* os) { *os << c.name; }

class CellOnScreen : public ::testing::TestWithParam<ScreenFitCase> {};

TEST_P(CellOnScreen, ReadsAtEightPixelsAndIsCutRatherThanOverprinted)
{
    const ScreenFitCase& c = GetParam();
    RecordingDc::Device device;
    device.printing = c.printing;
    RecordingDc dc(device);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(QSize(4, 4));
    dc.SetViewportExt(QSize(1, 1));
    CVes_Cell cell(0, 0);
    cell.SetText(QString::fromUtf8(c.text), QStringLiteral("宋体"));
    cell.setTxtHigh(24);
    cell.setScale(1.0);
    cell.Draw(&dc, 0, 0, c.rect, 0);

    QStringList expected;
    for (const char* line : c.lines)
        expected << QString::fromUtf8(line);
    QStringList drawn;
    for (const DcRecord& r : textOuts(dc)) {
        drawn << r.text;
        EXPECT_EQ(r.font.logFont().lfHeight, c.drawnHeight) << r.text.toStdString();
    }
    EXPECT_EQ(drawn, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellOnScreen,
    ::testing::Values(
        ScreenFitCase{"ScreenTextReadsAtEightPixels", "KL1", false, Rect(0, 0, 402, 162), {"KL1"}, 32},
        ScreenFitCase{"PaperKeepsThePagesHeight", "KL1", true, Rect(0, 0, 402, 162), {"KL1"}, 24},
        // Two lines of 32 need steps of 32: 32 x 2.6 = 84 high at the least.
        ScreenFitCase{"LinesStayApart", "2000～3000\n等差:250", false, Rect(0, 0, 402, 86),
                      {"2000～3000", "等差:250"}, 32},
        // In 60 only one line stays apart: the lines run on, and where
        // that is too wide the first shows that more follows.
        ScreenFitCase{"LinesThatCannotStayApartRunOn", "2000～3000\n等差:250", false,
                      Rect(0, 0, 402, 62), {"2000～3000 等差:250"}, 32},
        ScreenFitCase{"LinesThatFitNoWayAreCutWithAMark", "2000～3000\n等差:250", false,
                      Rect(0, 0, 242, 62), {"2000～3000…"}, 32},
        // On paper the same lines fit at the page's own sizes.
        ScreenFitCase{"OnPaperTheyFitSmaller", "2000～3000\n等差:250", true, Rect(0, 0, 402, 62),
                      {"2000～3000", "等差:250"}, 22},
        // A number wider than its cell shows where it stops.
        ScreenFitCase{"ANumberTooWideEndsInAMark", "123456789012", false, Rect(0, 0, 162, 62),
                      {"1234567…"}, 32}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellTextColour, MainTextInTheCellsColourRunsInTheContextsOwn)
{
    RecordingDc dc;
    dc.SetTextColor(RGB(9, 9, 9));
    CVes_Cell cell(0, 0);
    cell.SetText(QStringLiteral("main"), QString());
    cell.setTxtColor(RGB(255, 0, 0));
    cell.AddString(QStringLiteral("run"), QPoint(0, 0), 10, 0);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 100, 40), 0);

    const auto texts = textOuts(dc);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("main"));
    EXPECT_EQ(texts[0].state.textColor, RGB(255, 0, 0));
    EXPECT_EQ(texts[1].text, QStringLiteral("run"));
    EXPECT_EQ(texts[1].state.textColor, RGB(9, 9, 9));
    EXPECT_EQ(dc.GetTextColor(), RGB(9, 9, 9));
    EXPECT_EQ(dc.count(DcOp::SaveDC), dc.count(DcOp::RestoreDC));
}

TEST(CellTextEscapes, GradeEscapesReachTheTextDrawingUntouched)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetText(QStringLiteral("%%C20"), QStringLiteral("宋体"));
    cell.setTxtHigh(20);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 200, 40), 0);
    // The escape is drawn as a symbol: the text keeps a gap in its place.
    const auto texts = textOuts(dc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FALSE(texts[0].text.contains(QStringLiteral("%%")));
    EXPECT_TRUE(texts[0].text.endsWith(QStringLiteral("20")));
    EXPECT_GT(dc.segments().size(), 4u); // the border and the symbol's strokes
}

// diagonal

TEST(DiagonalCell, TwoPartsEitherSideOfTheDiagonal)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetText(QStringLiteral("钢筋|编号|多余"), QString());
    cell.setTxtHigh(20);
    cell.setTriCell(1);
    cell.setScale(1.5);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 202, 102), 0);

    // Working rectangle (1, 1, 201, 101); mid = 51.
    const auto s = strokes(dc);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[4], (Stroke{{201, 101}, {1, 1}, 3}));
    const auto texts = textOuts(dc);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("钢筋"));
    EXPECT_EQ(texts[0].points.front(), QPoint(181, 51));
    EXPECT_EQ(texts[0].state.textAlign, TA_RIGHT | TA_BOTTOM);
    EXPECT_EQ(texts[1].text, QStringLiteral("编号"));
    EXPECT_EQ(texts[1].points.front(), QPoint(21, 51));
    EXPECT_EQ(texts[1].state.textAlign, TA_LEFT | TA_TOP);
}

TEST(DiagonalCell, WithoutABarOnlyTheDiagonalWhateverTheBorder)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetText(QStringLiteral("钢筋编号"), QString());
    cell.setTriCell(1);
    cell.SetDrawBorder(0);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 200, 100), 0);
    EXPECT_EQ(strokes(dc), (std::vector<Stroke>{{{200, 100}, {0, 0}, 2}}));
    EXPECT_TRUE(textOuts(dc).empty());
}

// runs and segments

struct FreeCase {
    int border;
    QPoint runAt;
    QPoint lineFrom;
    QPoint lineTo;
};

class FreeContent : public ::testing::TestWithParam<FreeCase> {};

TEST_P(FreeContent, PlacedFromTheWorkingRectangle)
{
    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetDrawBorder(GetParam().border);
    cell.setFont(QStringLiteral("黑体"));
    cell.setTxtWeight(700);
    cell.AddString(QStringLiteral("R"), QPoint(5, 6), 30, 2);
    cell.AddLine(0, 0, 50, 10, 1, 0);
    cell.Draw(&dc, 0, 0, Rect(10, 20, 110, 70), 0);

    const auto texts = textOuts(dc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points.front(), GetParam().runAt);
    EXPECT_EQ(texts[0].state.textAlign, 2u);
    EXPECT_EQ(texts[0].font.logFont().lfHeight, 30);
    EXPECT_EQ(texts[0].font.logFont().lfWeight, 0); // runs ignore the cell's weight
    EXPECT_EQ(texts[0].font.logFont().lfFaceName, QStringLiteral("黑体"));

    const auto s = dc.segments();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back().from, GetParam().lineFrom);
    EXPECT_EQ(s.back().to, GetParam().lineTo);
    EXPECT_EQ(s.back().pen.color(), RGB(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Borders, FreeContent,
                         ::testing::Values(FreeCase{1, {16, 27}, {11, 21}, {61, 31}},
                                           FreeCase{0, {15, 26}, {10, 20}, {60, 30}}));

// shapes

struct FitCase {
    const char* name;
    int shapeW;
    int shapeH;
    unsigned align;
    Rect cell;
    Rect box;
};

class ShapeFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ShapeFit, CentredShapesKeepTheirProportions)
{
    const FitCase& c = GetParam();
    RecordingDc dc;
    FakeShape shape(c.shapeW, c.shapeH);
    CVes_Cell cell(0, 0);
    cell.SetModel(&shape);
    cell.setTextAligh(c.align);
    cell.setScale(1.25);
    cell.Draw(&dc, 0, 0, c.cell, 0);

    ASSERT_EQ(shape.calls, 1);
    EXPECT_EQ(shape.box, c.box);
    EXPECT_EQ(shape.at, c.box.TopLeft());
    EXPECT_EQ(shape.colours, (std::vector<COLORREF>{0, 0, 0}));
    EXPECT_EQ(shape.flags, 0);
    EXPECT_EQ(shape.showName, 0);
    EXPECT_EQ(shape.ratio, 1.25);
    EXPECT_EQ(dc.count(DcOp::SaveDC), dc.count(DcOp::RestoreDC));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ShapeFit,
    ::testing::Values(
        // Working rectangles after the border: (1, 1, 201, 201) and so on.
        FitCase{"WideShapeFullWidth", 100, 50, 6, Rect(0, 0, 202, 202), Rect(1, 51, 201, 151)},
        FitCase{"TallShapeFullHeight", 50, 100, 6, Rect(0, 0, 202, 202), Rect(51, 1, 151, 201)},
        FitCase{"OddWidthHalvedInReals", 100, 100, 6, Rect(0, 0, 202, 153), Rect(25, 1, 176, 152)},
        FitCase{"SameProportion", 100, 100, 6, Rect(0, 0, 202, 202), Rect(1, 1, 201, 201)},
        FitCase{"NotCentredFillsTheCell", 100, 50, 0, Rect(0, 0, 202, 202), Rect(1, 1, 201, 201)},
        FitCase{"NoExtentFillsTheCell", -1, -1, 6, Rect(0, 0, 202, 202), Rect(1, 1, 201, 201)},
        FitCase{"ZeroWidthShape", 0, 50, 6, Rect(0, 0, 202, 202), Rect(1, 1, 201, 201)},
        FitCase{"FlatCell", 100, 50, 6, Rect(0, 0, 202, 2), Rect(1, 1, 201, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

// A shape shows its values when the ratio it is given, truncated, is not 0:
// a page drawn below paper size (the screen at its opening zoom) shows
// them too.
TEST(ShapeValues, ShownAtEveryScale)
{
    for (const double scale : {0.3, 0.85, 1.0, 1.25, 3.0}) {
        RecordingDc dc;
        FakeShape shape(100, 50);
        CVes_Cell cell(0, 0);
        cell.SetModel(&shape);
        cell.setScale(scale);
        cell.Draw(&dc, 0, 0, Rect(0, 0, 202, 202), 0);
        EXPECT_GE(int(shape.ratio), 1) << scale;
        EXPECT_EQ(shape.ratio, std::max(scale, 1.0)) << scale;
    }
}

TEST(ShapeFitUpwards, TheReducedHeightFollowsTheYAxis)
{
    RecordingDc dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    dc.SetViewportExt(96, -96);
    FakeShape shape(100, 50);
    CVes_Cell cell(0, 0);
    cell.SetModel(&shape);
    cell.setTextAligh(6);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 202, 202), 0);
    // nh = trunc(200 × 0.5) × -1 = -100 about cy = 101: top and bottom swap.
    EXPECT_EQ(shape.box, Rect(1, 151, 201, 51));
}

// A bar of the default library, drawn in a tall centred cell, keeps its
// proportions: a full-width box of reduced height in the middle of the cell.
TEST(ShapeFitLibrary, ALibraryBarStaysInsideItsFittedBox)
{
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId(191, 2));
    ASSERT_NE(bar.getRecord(), nullptr);
    ASSERT_GT(bar.getRecord()->getSideArraySize(), 0) << "the default shape is missing";
    int w = 0;
    int h = 0;
    bar.getRecordExtend(w, h);
    ASSERT_GT(w, h); // a U bar lies on its side

    RecordingDc dc;
    CVes_Cell cell(0, 0);
    cell.SetDrawBorder(0); // every stroke is the bar's
    cell.SetModel(&bar);
    cell.setTextAligh(6);
    cell.Draw(&dc, 0, 0, Rect(0, 0, 200, 600), 0);

    const int boxHeight = int(200 * double(h) / w);
    const Rect box(0, int(300 - boxHeight / 2.0), 200, int(300 + boxHeight / 2.0));
    const auto drawn = dc.segments();
    ASSERT_GE(drawn.size(), 3u);
    int minX = INT_MAX;
    int maxX = INT_MIN;
    for (const auto& s : drawn) {
        for (const QPoint p : {s.from, s.to}) {
            EXPECT_GE(p.x(), box.left);
            EXPECT_LE(p.x(), box.right);
            EXPECT_GE(p.y(), box.top);
            EXPECT_LE(p.y(), box.bottom);
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
        }
    }
    EXPECT_GT(maxX - minX, box.Width() / 2); // the shape is not shrunk further
}

} // namespace
