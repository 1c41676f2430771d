#include "platform/painterdc.h"
#include "tests/support/pdftext.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace platform;

namespace {

QImage whiteImage(int w, int h, int dpi = 96)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    return image;
}

bool inked(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Whether any pixel within `r` pixels of (x, y) is inked: arcs are thin.
bool inkedNear(const QImage& image, int x, int y, int r = 1)
{
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            if (image.valid(x + dx, y + dy) && inked(image, x + dx, y + dy))
                return true;
        }
    }
    return false;
}

// Points on a circle of radius 50 about (100, 100) at angles measured
// counter-clockwise on the screen.
QPoint onCircle(double degrees)
{
    const double a = degrees * M_PI / 180.0;
    return QPoint(int(std::lround(100 + 50 * std::cos(a))), int(std::lround(100 - 50 * std::sin(a))));
}

struct ArcCase {
    const char* name;
    bool yUp;
    QPoint start, end; // logical
    std::vector<int> drawnAt, emptyAt; // screen angles in degrees
};

void PrintTo(const ArcCase& c, std::ostream* os) { *os << c.name; }

class PainterArc : public ::testing::TestWithParam<ArcCase> {};

TEST_P(PainterArc, CoversOnlyTheCounterClockwiseSweep)
{
    const ArcCase& c = GetParam();
    QImage image = whiteImage(200, 200);
    {
        PainterDc dc(&image);
        if (c.yUp) {
            // Logical y runs up from the bottom edge.
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(1, 1);
            dc.SetViewportExt(1, -1);
            dc.SetViewportOrg(0, 200);
        }
        dc.Arc(Rect(50, 50, 150, 150), c.start, c.end);
    }
    for (int deg : c.drawnAt) {
        const QPoint p = onCircle(deg);
        EXPECT_TRUE(inkedNear(image, p.x(), p.y())) << "expected ink at " << deg << " degrees";
    }
    for (int deg : c.emptyAt) {
        const QPoint p = onCircle(deg);
        EXPECT_FALSE(inkedNear(image, p.x(), p.y(), 3)) << "unexpected ink at " << deg << " degrees";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PainterArc,
    ::testing::Values(
        // East to north on the screen: the upper right quarter only.
        ArcCase{"yDownQuarter", false, {150, 100}, {100, 50}, {10, 45, 80}, {135, 180, 225, 270, 315}},
        // North to east the other way round: three quarters.
        ArcCase{"yDownThreeQuarters", false, {100, 50}, {150, 100}, {135, 180, 225, 270, 315}, {30, 45, 60}},
        // The same logical call in a y-up mapping: the end lies below the
        // centre on the screen, so the sweep runs over the top and left.
        ArcCase{"yUpThreeQuarters", true, {150, 100}, {100, 50}, {45, 135, 180, 225}, {300, 315, 330}},
        ArcCase{"yUpQuarter", true, {150, 100}, {100, 150}, {10, 45, 80}, {135, 225, 315}},
        // Coinciding radials draw the whole ellipse.
        ArcCase{"fullWhenEqual", false, {150, 100}, {150, 100}, {0, 45, 90, 135, 180, 225, 270, 315}, {}},
        ArcCase{"fullWhenSameRadial", true, {150, 100}, {190, 100}, {0, 90, 180, 270}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterDc, TenthMillimetreMappingMakes254UnitsOneInch)
{
    QImage image = whiteImage(400, 100, 300);
    PainterDc dc(&image);
    ASSERT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    dc.SetViewportExt(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(dc.LPtoDP(QPoint(254, 127)), QPoint(300, 150));
    dc.MoveTo(0, 20);
    dc.LineTo(254, 20);
    dc.painter()->end();
    const int row = dc.LPtoDP(QPoint(0, 20)).y();
    EXPECT_TRUE(inked(image, 0, row));
    EXPECT_TRUE(inked(image, 298, row));
    EXPECT_FALSE(inked(image, 301, row));
}

// Runs of inked and blank pixels along a row, starting with ink.
std::vector<int> runs(const QImage& image, int row, int from, int to)
{
    std::vector<int> out;
    bool ink = true;
    int length = 0;
    for (int x = from; x < to; ++x) {
        if (inked(image, x, row) == ink) {
            ++length;
        } else {
            out.push_back(length);
            ink = !ink;
            length = 1;
        }
    }
    out.push_back(length);
    return out;
}

TEST(PainterDc, UserStyleDashesAreLogicalUnits)
{
    // 127 dots an inch against 254 units: two logical units a pixel.
    QImage image = whiteImage(300, 40, 127);
    PainterDc dc(&image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(254, 254);
    dc.SetViewportExt(127, 127);
    dc.SelectObject(Pen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 4,
                        LogBrush{BS_SOLID, RGB(0, 0, 0), 0}, {32, 16, 4, 16}));
    dc.MoveTo(0, 40);
    dc.LineTo(500, 40);
    dc.painter()->end();
    const std::vector<int> r = runs(image, 20, 0, 240);
    ASSERT_GE(r.size(), 8u);
    // 32 and 16 units are 16 and 8 pixels; 4 units 2 pixels.
    const int expected[] = {16, 8, 2, 8, 16, 8, 2, 8};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(r[std::size_t(i)], expected[i], 1) << "run " << i;
    // The line is two pixels thick.
    EXPECT_TRUE(inked(image, 2, 19) || inked(image, 2, 21));
    EXPECT_FALSE(inked(image, 2, 17));
}

TEST(PainterDc, TextAlignsToTopBaselineAndBottom)
{
    struct Row {
        unsigned align;
        bool inkAbove, inkBelow;
    } const rows[] = {{TA_TOP, false, true}, {TA_BASELINE, true, false}, {TA_BOTTOM, true, false}};
    for (const Row& row : rows) {
        QImage image = whiteImage(200, 100);
        {
            PainterDc dc(&image);
            dc.SelectObject(Font::create(30, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                         QStringLiteral("Arial")));
            dc.SetTextAlign(row.align);
            dc.SetBkMode(TRANSPARENT);
            dc.TextOut(10, 50, QStringLiteral("HH"));
        }
        bool above = false, below = false;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (inked(image, x, y)) {
                    above |= y < 49;
                    below |= y > 51;
                }
            }
        }
        EXPECT_EQ(above, row.inkAbove) << row.align;
        EXPECT_EQ(below, row.inkBelow) << row.align;
    }
}

TEST(PainterDc, FontHeightsFollowTheCellAndCharacterRules)
{
    QImage image = whiteImage(100, 100);
    PainterDc dc(&image);
    for (const char* face : {"Times New Roman", "宋体", "黑体", "Arial"}) {
        const QString name = QString::fromUtf8(face);
        dc.SelectObject(Font::create(40, 0, 0, 0, 0, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, name));
        // A positive height is the whole cell.
        EXPECT_NEAR(dc.GetTextExtent(QStringLiteral("Hg")).height(), 40, 1) << face;
        dc.SelectObject(Font::create(-40, 0, 0, 0, 0, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, name));
        // A negative one is the characters' size; the cell is taller.
        EXPECT_GT(dc.GetTextExtent(QStringLiteral("Hg")).height(), 41) << face;
    }
    // Text extents are logical units.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, 1);
    dc.SelectObject(Font::create(40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("Arial")));
    EXPECT_NEAR(dc.GetTextExtent(QStringLiteral("Hg")).height(), 40, 2);
}

TEST(PainterDc, EscapementTurnsTextCounterClockwise)
{
    QImage image = whiteImage(200, 200);
    {
        PainterDc dc(&image);
        dc.SelectObject(Font::create(20, 0, 900, 900, 0, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("Arial")));
        dc.SetTextAlign(TA_BASELINE);
        dc.TextOut(100, 150, QStringLiteral("HHHHHH"));
    }
    QRect ink;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (inked(image, x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(ink.isNull());
    // Reading upwards from the anchor, the glyphs standing left of it.
    EXPECT_GT(ink.height(), 2 * ink.width());
    EXPECT_LE(ink.bottom(), 151);
    EXPECT_LE(ink.right(), 101);
}

TEST(PainterDc, MemoryContextBlitsIntoTheTarget)
{
    QImage image = whiteImage(100, 100);
    PainterDc dc(&image);
    auto memory = dc.CreateCompatibleDC();
    ASSERT_TRUE(memory->isMemoryDc());
    const Bitmap bitmap = dc.CreateCompatibleBitmap(20, 10);
    memory->SelectObject(bitmap);
    memory->FillSolidRect(0, 0, 20, 10, RGB(255, 0, 0));
    memory->FillSolidRect(10, 0, 10, 10, RGB(0, 0, 255));
    dc.BitBlt(30, 40, 20, 10, memory.get(), 0, 0, SRCCOPY);
    dc.StretchBlt(0, 0, 40, 20, memory.get(), 0, 0, 20, 10, SRCCOPY);
    dc.painter()->end();
    EXPECT_EQ(image.pixel(30, 40), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(49, 49), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(50, 45), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(39, 19), qRgb(0, 0, 255));
    EXPECT_EQ(bitmap.image()->pixel(0, 0), qRgb(255, 0, 0));
}

// On a screen scaled twice, bitmaps for the context hold two device pixels
// each way to each of its pixels, and pictures reach the screen pixel for
// pixel: nothing is doubled up or blurred.
TEST(PainterDc, BitmapsOfAScaledScreenKeepEveryDevicePixel)
{
    QImage screen(200, 100, QImage::Format_RGB32);
    screen.fill(Qt::white);
    screen.setDevicePixelRatio(2.0);
    PainterDc dc(&screen);
    EXPECT_EQ(dc.pixelRatio(), 2.0);
    auto memory = dc.CreateCompatibleDC();
    const Bitmap bitmap = dc.CreateCompatibleBitmap(40, 20);
    EXPECT_EQ(bitmap.size(), QSize(40, 20));
    EXPECT_EQ(bitmap.image()->size(), QSize(80, 40));
    memory->SelectObject(bitmap);
    EXPECT_EQ(memory->pixelRatio(), 2.0);
    EXPECT_EQ(memory->GetClipBox(), Rect(0, 0, 40, 20));
    memory->FillSolidRect(0, 0, 40, 20, RGB(255, 255, 255));
    // A line one device pixel wide: half a pixel of the context.
    static_cast<PainterDc*>(memory.get())->painter()->fillRect(QRectF(10, 0, 0.5, 20), Qt::red);
    EXPECT_EQ(memory->GetPixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(memory->GetPixel(11, 5), RGB(255, 255, 255));

    dc.BitBlt(30, 10, 40, 20, memory.get(), 0, 0, SRCCOPY);
    dc.painter()->end();
    EXPECT_EQ(screen.pixel(80, 30), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(79, 30), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(81, 30), qRgb(255, 255, 255));
}

TEST(PainterDc, OnlyAWindowIsBufferedByTheWindowSystem)
{
    QImage image = whiteImage(10, 10);
    PainterDc onImage(&image);
    EXPECT_FALSE(onImage.isBufferedByWindow());
    EXPECT_FALSE(onImage.CreateCompatibleDC()->isBufferedByWindow());
}

TEST(PainterDc, FocusRectangleDrawnTwiceLeavesNoTrace)
{
    QImage image = whiteImage(60, 60);
    image.setPixel(10, 10, qRgb(10, 200, 30));
    const QImage before = image.copy();
    {
        PainterDc dc(&image);
        dc.DrawFocusRect(Rect(10, 10, 40, 30));
        dc.painter()->end();
        EXPECT_NE(image, before);
        dc.painter()->begin(&image);
        dc.DrawFocusRect(Rect(10, 10, 40, 30));
    }
    EXPECT_EQ(image, before);
}

TEST(PainterDc, ShapesFillAndOutlineInsideTheRectangle)
{
    QImage image = whiteImage(60, 60);
    {
        PainterDc dc(&image);
        dc.SelectObject(Brush(RGB(0, 255, 0)));
        dc.Rectangle(10, 10, 30, 30);
        dc.SelectObject(Brush(HS_VERTICAL, RGB(0, 0, 0)));
        dc.SelectStockObject(NULL_PEN);
        dc.SetBkMode(TRANSPARENT);
        const QPoint quad[] = {{40, 40}, {58, 40}, {58, 58}, {40, 58}};
        dc.FillRgn(Region::polygon(quad, 4), Brush(HS_VERTICAL, RGB(0, 0, 0)));
    }
    EXPECT_TRUE(inked(image, 10, 10));
    EXPECT_TRUE(inked(image, 29, 29));
    EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 255, 0));
    // A vertical hatch: some columns inked, others blank, along one row.
    int inkedColumns = 0;
    for (int x = 41; x < 57; ++x)
        inkedColumns += inked(image, x, 50);
    EXPECT_GT(inkedColumns, 0);
    EXPECT_LT(inkedColumns, 16);
}

} // namespace

namespace {

// Opaque fills wait and are painted only where nothing opaque covers them
// later: the picture must be the one of painting every call in turn, which
// the plain painter calls below draw.
struct OverdrawCase {
    const char* name;
    qreal ratio;
    bool outlined;    // the rectangles have a one-pixel black outline
    bool clipped;     // the cell fill is clipped
    QRect small;      // a rectangle on the page, possibly too thin to wait
};

void PrintTo(const OverdrawCase& c, std::ostream* os) { *os << c.name; }

class PainterOverdraw : public ::testing::TestWithParam<OverdrawCase> {};

TEST_P(PainterOverdraw, WaitingFillsPaintWhatPaintingInTurnPaints)
{
    const OverdrawCase& c = GetParam();
    const QRect desk(0, 0, 200, 150), shadow(36, 26, 150, 110), paper(30, 20, 150, 110);
    const QRect cell(20, 40, 60, 30), clip(25, 45, 100, 10);
    const QColor deskColour(231, 231, 214), cellColour(200, 220, 255);
    auto image = [&] {
        QImage i(QSize(200, 150) * c.ratio, QImage::Format_ARGB32_Premultiplied);
        i.setDevicePixelRatio(c.ratio);
        i.fill(Qt::red);
        return i;
    };

    QImage waited = image();
    {
        PainterDc dc(&waited);
        const auto rect = [](const QRect& r) { return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1); };
        dc.FillRect(rect(desk), Brush(RGB(128, 128, 128)));
        dc.SelectObject(c.outlined ? Pen(PS_SOLID, 0, RGB(0, 0, 0)) : Pen::stock(NULL_PEN));
        const Brush oldBrush = dc.SelectObject(Brush(RGB(231, 231, 214)));
        dc.Rectangle(rect(desk));
        dc.FillRect(rect(shadow), Brush::stock(BLACK_BRUSH));
        dc.FillRect(rect(paper), Brush::stock(WHITE_BRUSH));
        if (c.clipped)
            dc.IntersectClipRect(rect(clip));
        dc.FillRect(rect(cell), Brush(RGB(200, 220, 255)));
        dc.SelectClipRgn(nullptr);
        dc.SelectObject(Brush(RGB(200, 220, 255)));
        dc.Rectangle(rect(c.small));
        dc.SelectObject(oldBrush);
        dc.SelectObject(Pen(PS_SOLID, 0, RGB(0, 0, 0)));
        dc.MoveTo(0, 149);
        dc.LineTo(199, 0);
    }

    QImage inTurn = image();
    {
        QPainter p(&inTurn);
        QPen line(Qt::black, 1);
        line.setCapStyle(Qt::FlatCap);
        line.setJoinStyle(Qt::MiterJoin);
        const QPen outline = c.outlined ? line : QPen(Qt::NoPen);
        const auto rectangle = [&](const QRect& r, const QColor& colour) {
            p.setPen(outline);
            p.setBrush(colour);
            if (c.outlined)
                p.drawRect(r.adjusted(0, 0, -1, -1));
            else
                p.fillRect(r.adjusted(0, 0, -1, -1), colour);
        };
        p.fillRect(desk, QColor(128, 128, 128));
        rectangle(desk, deskColour);
        p.fillRect(shadow, Qt::black);
        p.fillRect(paper, Qt::white);
        if (c.clipped)
            p.setClipRect(clip);
        p.fillRect(cell, cellColour);
        p.setClipping(false);
        rectangle(c.small, cellColour);
        p.setPen(line);
        p.drawLine(QPoint(0, 149), QPoint(199, 0));
    }
    ASSERT_EQ(waited.size(), inTurn.size());
    for (int y = 0; y < waited.height(); ++y) {
        for (int x = 0; x < waited.width(); ++x)
            ASSERT_EQ(waited.pixel(x, y), inTurn.pixel(x, y)) << "at " << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenes, PainterOverdraw,
    ::testing::Values(OverdrawCase{"Plain", 1.0, false, false, QRect(50, 80, 20, 10)},
                      OverdrawCase{"Outlined", 1.0, true, false, QRect(50, 80, 20, 10)},
                      OverdrawCase{"OutlinedClipped", 1.0, true, true, QRect(50, 80, 3, 3)},
                      OverdrawCase{"ThinRectangle", 1.0, true, true, QRect(50, 80, 2, 30)},
                      OverdrawCase{"PixelRatio2", 2.0, true, true, QRect(50, 80, 20, 10)},
                      OverdrawCase{"PixelRatio2Plain", 2.0, false, true, QRect(170, 10, 25, 60)},
                      OverdrawCase{"PixelRatio2SmallestBox", 2.0, true, false, QRect(170, 10, 3, 3)},
                      OverdrawCase{"PixelRatio3", 3.0, true, true, QRect(50, 80, 20, 10)},
                      OverdrawCase{"PixelRatio4", 4.0, true, true, QRect(50, 80, 7, 9)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterDc, XorLinesAndInversionUndoThemselves)
{
    QImage image = whiteImage(80, 80);
    image.setPixel(20, 20, qRgb(30, 60, 90));
    const QImage before = image.copy();
    {
        PainterDc dc(&image);
        dc.SetROP2(R2_XORPEN);
        dc.SelectObject(Pen(PS_SOLID, 0, RGB(255, 255, 255)));
        for (int pass = 0; pass < 2; ++pass) {
            dc.MoveTo(5, 20);
            dc.LineTo(70, 20);
            dc.InvertRect(Rect(10, 30, 40, 60));
        }
        dc.painter()->end();
        EXPECT_EQ(image, before);
        dc.painter()->begin(&image);
        dc.InvertRect(Rect(10, 30, 40, 60));
    }
    EXPECT_EQ(image.pixel(10, 30), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(39, 59), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(40, 60), qRgb(255, 255, 255));
}

TEST(PainterDc, HatchGapsTakeTheBackgroundWhenOpaque)
{
    QImage image = whiteImage(40, 40);
    {
        PainterDc dc(&image);
        dc.SetBkColor(RGB(0, 0, 255));
        dc.FillRect(Rect(0, 0, 20, 40), Brush(HS_HORIZONTAL, RGB(255, 0, 0)));
        dc.SetBkMode(TRANSPARENT);
        dc.FillRect(Rect(20, 0, 40, 40), Brush(HS_HORIZONTAL, RGB(255, 0, 0)));
    }
    int blue = 0, whiteRight = 0;
    for (int y = 0; y < 40; ++y) {
        blue += image.pixel(5, y) == qRgb(0, 0, 255);
        whiteRight += image.pixel(30, y) == qRgb(255, 255, 255);
    }
    EXPECT_GT(blue, 20);
    EXPECT_GT(whiteRight, 20);
}

} // namespace

namespace {

TEST(PainterDc, TextAlignsLeftRightAndCentre)
{
    struct Row {
        unsigned align;
        bool inkLeft, inkRight;
    } const rows[] = {{TA_LEFT, false, true}, {TA_RIGHT, true, false}, {TA_CENTER, true, true}};
    for (const Row& row : rows) {
        QImage image = whiteImage(200, 60);
        {
            PainterDc dc(&image);
            dc.SelectObject(Font::create(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                                         QStringLiteral("黑体")));
            dc.SetTextAlign(row.align | TA_BASELINE);
            dc.TextOut(100, 40, QStringLiteral("钢筋HH"));
        }
        bool left = false, right = false;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (inked(image, x, y)) {
                    left |= x < 98;
                    right |= x > 102;
                }
            }
        }
        EXPECT_EQ(left, row.inkLeft) << row.align;
        EXPECT_EQ(right, row.inkRight) << row.align;
    }
}

} // namespace

// Numbers printed in a CJK face can be found in the PDF: digits beside
// letters came out as glyphs the PDF could not map back to text.
TEST(PainterDc, PrintedNumbersReadBackFromThePdfInEveryFace)
{
    if (!test::hasPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("faces.pdf"));
    const QStringList faces{QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("Arial")};
    {
        QPdfWriter writer(path);
        PainterDc dc(&writer);
        int y = 100;
        for (const QString& face : faces) {
            for (int weight : {FW_NORMAL, FW_BOLD}) {
                dc.SelectObject(Font::create(-120, 0, 0, 0, weight, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, face));
                dc.TextOut(100, y, QStringLiteral("L%1 A1B2 x 400 第12页 φ25@200").arg(y));
                y += 200;
            }
        }
    }
    const QString text = test::pdfText(path);
    for (int y = 100; y < 100 + 200 * 6; y += 200)
        EXPECT_TRUE(text.contains(QStringLiteral("L%1 A1B2 x 400 第12页 φ25@200").arg(y))) << text.toStdString();
}
