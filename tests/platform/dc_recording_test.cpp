#include "platform/recordingdc.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

RecordingDc::Device device(int dpi, int w = 800, int h = 600)
{
    RecordingDc::Device d;
    d.dpiX = d.dpiY = dpi;
    d.width = w;
    d.height = h;
    return d;
}

// mapping

struct MappingCase {
    const char* name;
    int mode;
    QSize windowExt, viewportExt;
    QPoint windowOrg, viewportOrg;
    QPoint logical;
    QPoint device;
};

void PrintTo(const MappingCase& c, std::ostream* os) { *os << c.name; }

class DcMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(DcMapping, MapsBothWays)
{
    const MappingCase& c = GetParam();
    RecordingDc dc(device(96));
    dc.SetMapMode(c.mode);
    dc.SetWindowExt(c.windowExt);
    dc.SetViewportExt(c.viewportExt);
    dc.SetWindowOrg(c.windowOrg);
    dc.SetViewportOrg(c.viewportOrg);
    EXPECT_EQ(dc.LPtoDP(c.logical), c.device);
    EXPECT_EQ(dc.DPtoLP(c.device), c.logical);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DcMapping,
    ::testing::Values(
        // MM_TEXT ignores extents.
        MappingCase{"text", MM_TEXT, {254, 254}, {96, 96}, {0, 0}, {0, 0}, {100, 50}, {100, 50}},
        // 254 units an inch at 96 dpi: one inch is 96 pixels.
        MappingCase{"tenthMm", MM_ANISOTROPIC, {254, 254}, {96, 96}, {0, 0}, {0, 0}, {254, 508}, {96, 192}},
        // y up: logical y grows upwards from the viewport origin.
        MappingCase{"yUp", MM_ANISOTROPIC, {254, 254}, {96, -96}, {0, 0}, {0, 300}, {254, 254}, {96, 204}},
        MappingCase{"origins", MM_ANISOTROPIC, {10, 10}, {20, 20}, {5, 5}, {7, 9}, {10, 15}, {17, 29}},
        // 0.1 mm fixed mode: y up, 254 units an inch.
        MappingCase{"lometric", MM_LOMETRIC, {1, 1}, {1, 1}, {0, 0}, {0, 0}, {254, -254}, {96, 96}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DcMapping, IsotropicKeepsTheAspect)
{
    RecordingDc dc(device(96));
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, -400);
    EXPECT_EQ(dc.GetViewportExt(), QSize(200, -200));
}

TEST(DcMapping, ExtentsAreIgnoredOutsideTheScalableModes)
{
    RecordingDc dc;
    EXPECT_EQ(dc.SetWindowExt(254, 254), QSize(1, 1));
    EXPECT_EQ(dc.GetWindowExt(), QSize(1, 1));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    EXPECT_EQ(dc.GetWindowExt(), QSize(254, 254));
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.GetWindowExt(), QSize(1, 1));
}

TEST(DcMapping, RectanglesAndLengths)
{
    RecordingDc dc(device(300));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    dc.SetViewportExt(300, 300);
    Rect r(0, 0, 254, 127);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, Rect(0, 0, 300, 150));
    QSize len(508, -254);
    dc.LPtoDP(&len);
    EXPECT_EQ(len, QSize(600, -300));
    // The clip box is the whole surface in logical units.
    EXPECT_EQ(dc.GetClipBox(), Rect(0, 0, 677, 508));
}

// state

TEST(DcState, SaveAndRestoreBringBackEverything)
{
    RecordingDc dc;
    dc.SetTextColor(RGB(255, 0, 0));
    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(96, -96);
    dc.SelectObject(Pen(PS_DASH, 0, RGB(0, 0, 255)));
    dc.SetTextColor(RGB(0, 255, 0));
    dc.SetTextAlign(TA_BASELINE | TA_CENTER);
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SelectStockObject(NULL_BRUSH);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_FALSE(dc.GetCurrentBrush().isNull());
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetTextAlign(), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.GetCurrentPen(), Pen::stock(BLACK_PEN));
    EXPECT_FALSE(dc.RestoreDC(-1)); // nothing left to restore
}

TEST(DcState, SelectAnswersThePreviousObject)
{
    RecordingDc dc;
    const Pen pen(PS_SOLID, 3, RGB(1, 2, 3));
    const Pen old = dc.SelectObject(pen);
    EXPECT_EQ(old, Pen::stock(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(old), pen);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetBkMode(99), 0); // refused, mode kept
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
}

TEST(DcState, FillSolidRectLeavesItsColourAsBackground)
{
    RecordingDc dc;
    dc.FillSolidRect(0, 0, 10, 10, RGB(10, 20, 30));
    EXPECT_EQ(dc.GetBkColor(), RGB(10, 20, 30));
}

TEST(DcObjects, PensKeepGdiMeaning)
{
    const Pen user(PS_GEOMETRIC | PS_USERSTYLE, 4, LogBrush{BS_SOLID, RGB(9, 9, 9), 0}, {32, 16});
    EXPECT_TRUE(user.isGeometric());
    EXPECT_EQ(user.lineStyle(), PS_USERSTYLE);
    EXPECT_EQ(user.userStyle(), (std::vector<std::uint32_t>{32, 16}));
    EXPECT_EQ(user.color(), RGB(9, 9, 9));
    // A cosmetic extended pen is always one pixel.
    const Pen cosmetic(PS_COSMETIC | PS_SOLID, 7, LogBrush{BS_SOLID, 0, 0});
    EXPECT_EQ(cosmetic.width(), 1);
    EXPECT_TRUE(Pen::stock(NULL_PEN).isNull());
    EXPECT_TRUE(Brush::stock(NULL_BRUSH).isNull());
    EXPECT_EQ(Brush(HS_VERTICAL, RGB(1, 1, 1)).hatch(), HS_VERTICAL);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
}

TEST(DcObjects, FaceNamesMapToInstalledFamilies)
{
    EXPECT_EQ(substituteFace(QStringLiteral("宋体")), QStringLiteral("Noto Serif CJK SC"));
    EXPECT_EQ(substituteFace(QStringLiteral("黑体")), QStringLiteral("Noto Sans CJK SC"));
    EXPECT_EQ(substituteFace(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(substituteFace(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(substituteFace(QStringLiteral("Tahoma")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(substituteFace(QStringLiteral("Unknown Face")), QStringLiteral("Unknown Face"));
}

// recording

TEST(RecordingDc, RecordsStrokesWithThePenInForce)
{
    RecordingDc dc;
    const Pen red(PS_SOLID, 2, RGB(255, 0, 0));
    dc.SelectObject(red);
    dc.MoveTo(1, 2);
    dc.LineTo(30, 2);
    dc.LineTo(30, 40);
    const auto segs = dc.segments();
    ASSERT_EQ(segs.size(), 2u) << dc.dump().toStdString();
    EXPECT_EQ(segs[0].from, QPoint(1, 2));
    EXPECT_EQ(segs[0].to, QPoint(30, 2));
    EXPECT_EQ(segs[1].to, QPoint(30, 40));
    EXPECT_EQ(segs[1].pen, red);
    EXPECT_EQ(dc.GetCurrentPosition(), QPoint(30, 40));
}

TEST(RecordingDc, TextMetricsAreFixedNumbers)
{
    RecordingDc dc;
    dc.SelectObject(Font::create(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                                 QStringLiteral("宋体")));
    EXPECT_EQ(dc.GetTextExtent(QStringLiteral("AB")), QSize(20, 20));
    EXPECT_EQ(dc.GetTextExtent(QStringLiteral("钢筋")), QSize(40, 20));
    const TextMetric tm = dc.GetTextMetrics();
    EXPECT_EQ(tm.tmAscent, 16);
    EXPECT_EQ(tm.tmDescent, 4);
}

struct DrawTextCase {
    const char* name;
    QString text;
    Rect rect;
    unsigned format;
    int height;
    std::vector<Dc::TextLine> lines;
    Rect calcRect; // after DT_CALCRECT with the same format
};

void PrintTo(const DrawTextCase& c, std::ostream* os) { *os << c.name; }

class RecordingDrawText : public ::testing::TestWithParam<DrawTextCase> {};

TEST_P(RecordingDrawText, LaysOutLikeTheSystem)
{
    const DrawTextCase& c = GetParam();
    RecordingDc dc;
    dc.SelectObject(Font::create(10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("Arial")));
    Rect r = c.rect;
    EXPECT_EQ(dc.DrawText(c.text, &r, c.format), c.height);
    EXPECT_EQ(r, c.rect);
    const auto rec = dc.records(DcOp::DrawText);
    ASSERT_EQ(rec.size(), 1u);
    EXPECT_EQ(rec[0].lines, c.lines);
    Rect calc = c.rect;
    dc.DrawText(c.text, &calc, c.format | DT_CALCRECT);
    EXPECT_EQ(calc, c.calcRect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordingDrawText,
    ::testing::Values(
        // Each byte is 5 wide, a line 10 high.
        DrawTextCase{"left", QStringLiteral("abc"), Rect(0, 0, 100, 30), DT_LEFT | DT_SINGLELINE, 10,
                     {{QStringLiteral("abc"), {0, 0}, 15}}, Rect(0, 0, 15, 10)},
        DrawTextCase{"centreVcentre", QStringLiteral("abcd"), Rect(0, 0, 100, 30),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE, 20,
                     {{QStringLiteral("abcd"), {40, 10}, 20}}, Rect(0, 0, 20, 10)},
        DrawTextCase{"rightBottom", QStringLiteral("ab"), Rect(0, 0, 100, 30),
                     DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 30,
                     {{QStringLiteral("ab"), {90, 20}, 10}}, Rect(0, 0, 10, 10)},
        DrawTextCase{"wordbreak", QStringLiteral("aaa bbb ccc"), Rect(0, 0, 40, 100),
                     DT_WORDBREAK, 20,
                     {{QStringLiteral("aaa bbb"), {0, 0}, 35}, {QStringLiteral("ccc"), {0, 10}, 15}},
                     Rect(0, 0, 35, 20)},
        // A word longer than the line stays whole and widens the calculated rectangle.
        DrawTextCase{"longWord", QStringLiteral("abcdefghij x"), Rect(0, 0, 30, 100),
                     DT_WORDBREAK, 20,
                     {{QStringLiteral("abcdefghij"), {0, 0}, 50}, {QStringLiteral("x"), {0, 10}, 5}},
                     Rect(0, 0, 50, 20)},
        DrawTextCase{"chineseBreaksAnywhere", QStringLiteral("钢筋配料单"), Rect(0, 0, 30, 100),
                     DT_WORDBREAK, 20,
                     {{QStringLiteral("钢筋配"), {0, 0}, 30}, {QStringLiteral("料单"), {0, 10}, 20}},
                     Rect(0, 0, 30, 20)},
        DrawTextCase{"lineBreaks", QStringLiteral("a\r\nbb"), Rect(0, 0, 100, 100), DT_CENTER, 20,
                     {{QStringLiteral("a"), {47, 0}, 5}, {QStringLiteral("bb"), {45, 10}, 10}},
                     Rect(0, 0, 10, 20)},
        DrawTextCase{"prefix", QStringLiteral("&Save && go"), Rect(0, 0, 100, 10), DT_SINGLELINE, 10,
                     {{QStringLiteral("Save & go"), {0, 0}, 45}}, Rect(0, 0, 45, 10)},
        DrawTextCase{"noPrefix", QStringLiteral("a&b"), Rect(0, 0, 100, 10), DT_SINGLELINE | DT_NOPREFIX, 10,
                     {{QStringLiteral("a&b"), {0, 0}, 15}}, Rect(0, 0, 15, 10)},
        DrawTextCase{"ellipsis", QStringLiteral("abcdefghij"), Rect(0, 0, 30, 10),
                     DT_SINGLELINE | DT_END_ELLIPSIS, 10,
                     {{QStringLiteral("abc..."), {0, 0}, 30}}, Rect(0, 0, 30, 10)},
        // y-up mapping is not involved here; an empty text still takes a line.
        DrawTextCase{"empty", QString(), Rect(0, 0, 30, 10), DT_SINGLELINE, 10,
                     {{QString(), {0, 0}, 0}}, Rect(0, 0, 0, 10)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingDc, DrawTextGoesDownwardsInYUpMappings)
{
    RecordingDc dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(1, -1);
    dc.SelectObject(Font::create(10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, QString()));
    Rect r(0, 100, 100, 0);
    EXPECT_EQ(dc.DrawText(QStringLiteral("a\nb"), &r, DT_LEFT), 20);
    const auto rec = dc.records(DcOp::DrawText);
    ASSERT_EQ(rec.size(), 1u);
    ASSERT_EQ(rec[0].lines.size(), 2u);
    EXPECT_EQ(rec[0].lines[1].at, QPoint(0, 90));
}

TEST(RecordingDc, MemoryContextsShareTheRecordList)
{
    RecordingDc dc;
    auto memory = dc.CreateCompatibleDC();
    ASSERT_TRUE(memory->isMemoryDc());
    const Bitmap bitmap = dc.CreateCompatibleBitmap(40, 30);
    const Bitmap old = memory->SelectObject(bitmap);
    EXPECT_EQ(old.size(), QSize(1, 1));
    memory->FillSolidRect(0, 0, 40, 30, RGB(0, 0, 0));
    EXPECT_EQ(memory->GetClipBox(), Rect(0, 0, 40, 30));
    dc.BitBlt(5, 5, 40, 30, memory.get(), 0, 0, SRCCOPY);
    const auto drawn = dc.drawing();
    ASSERT_EQ(drawn.size(), 2u) << dc.dump().toStdString();
    EXPECT_EQ(drawn[0].dc, 1);
    EXPECT_EQ(drawn[1].op, DcOp::BitBlt);
    EXPECT_EQ(drawn[1].value2, 1);
    EXPECT_EQ(drawn[1].rect, Rect(5, 5, 45, 35));
}

TEST(RecordingDc, ClipBoxFollowsIntersections)
{
    RecordingDc dc(device(96, 200, 100));
    dc.IntersectClipRect(Rect(10, 10, 500, 50));
    EXPECT_EQ(dc.GetClipBox(), Rect(10, 10, 200, 50));
    dc.SaveDC();
    dc.IntersectClipRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(dc.GetClipBox(), Rect(10, 10, 20, 20));
    dc.RestoreDC(-1);
    EXPECT_EQ(dc.GetClipBox(), Rect(10, 10, 200, 50));
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.GetClipBox(), Rect(0, 0, 200, 100));
}

// In logical units of a mapping that doubles and moves by (100, 0): the
// clip box and the parts a window repaints, in device units, both count.
struct RectVisibleCase {
    const char* name;
    Rect logical;
    bool visible;
};

void PrintTo(const RectVisibleCase& c, std::ostream* os) { *os << c.name; }

class RectVisible : public ::testing::TestWithParam<RectVisibleCase> {};

TEST_P(RectVisible, ReachesTheClipAndARepaintedPart)
{
    const RectVisibleCase& c = GetParam();
    RecordingDc dc(device(96, 400, 300));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(2, 2);
    dc.SetViewportOrg(100, 0);
    EXPECT_TRUE(dc.RectVisible(c.logical)) << "with no clip and no parts all shows";
    dc.IntersectClipRect(Rect(0, 0, 100, 100)); // device (100, 0) to (300, 200)
    dc.setRepaintedParts({Rect(100, 0, 400, 20), Rect(100, 150, 300, 200)});
    EXPECT_EQ(dc.RectVisible(c.logical), c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Rects, RectVisible,
    ::testing::Values(RectVisibleCase{"in_the_first_part", Rect(10, 2, 20, 8), true},
                      RectVisibleCase{"in_the_second_part", Rect(10, 80, 20, 90), true},
                      RectVisibleCase{"between_the_parts", Rect(10, 20, 90, 70), false},
                      RectVisibleCase{"on_a_parts_edge", Rect(10, 10, 90, 30), true},
                      RectVisibleCase{"in_a_part_beside_the_clip", Rect(110, 0, 140, 8), false},
                      RectVisibleCase{"upside_down", Rect(20, 8, 10, 2), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingDc, DeviceCapabilities)
{
    RecordingDc::Device d = device(600, 4960, 7016);
    d.printing = true;
    RecordingDc dc(d);
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4960);
    EXPECT_EQ(dc.GetDeviceCaps(PLANES), 1);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 210);
}

} // namespace
