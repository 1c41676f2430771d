// Lines and texts drawn through the drawing context must give, pixel for
// pixel, the picture the plain painter calls give, whatever shortcut the
// context takes to draw them.

#include "platform/painterdc.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

QImage blankImage(qreal ratio)
{
    QImage image(QSize(160, 120) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

void expectSamePixels(const QImage& drawn, const QImage& expected)
{
    ASSERT_EQ(drawn.size(), expected.size());
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x)
            ASSERT_EQ(drawn.pixel(x, y), expected.pixel(x, y)) << "at " << x << ", " << y;
    }
}

// lines

struct LineCase {
    const char* name;
    std::vector<QPoint> path; // MoveTo the first, LineTo the others
    int penWidth;             // logical; 0 is the one-pixel cosmetic pen
    int penStyle;
    qreal ratio;
    bool clipped;
    QPointF offset; // the painter's own offset, as a window inside another
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

const std::vector<QPoint> kCellOutline{{120, 20}, {20, 20}, {20, 90}, {120, 90}, {120, 20}};
const std::vector<QPoint> kCross{{10, 60}, {150, 60}, {80, 60}, {80, 5}, {80, 115}, {80, 115}};
const std::vector<QPoint> kSlants{{10, 10}, {150, 110}, {150, 10}, {10, 110}};
const std::vector<QPoint> kFarEnds{{10, 60}, {1 << 30, 60}, {80, 60}, {80, -(1 << 30)}};

class PainterLinePixels : public ::testing::TestWithParam<LineCase> {};

// A fill waits under the lines and another, drawn after them, must cover
// them: the order of painting stays the order of the calls.
TEST_P(PainterLinePixels, LinesPaintWhatThePainterPaints)
{
    const LineCase& c = GetParam();
    const QRect under(0, 0, 160, 120), over(100, 50, 40, 40), clip(30, 15, 100, 50);
    const QColor ink(20, 40, 200);

    QImage drawn = blankImage(c.ratio);
    {
        QPainter painter(&drawn);
        painter.translate(c.offset);
        PainterDc dc(&painter);
        dc.FillRect(Rect(0, 0, 160, 120), Brush(RGB(231, 231, 214)));
        dc.SelectObject(Pen(c.penStyle, c.penWidth, RGB(20, 40, 200)));
        if (c.clipped)
            dc.IntersectClipRect(Rect(30, 15, 130, 65));
        dc.MoveTo(c.path.front());
        for (std::size_t i = 1; i < c.path.size(); ++i)
            dc.LineTo(c.path[i]);
        dc.SelectClipRgn(nullptr);
        dc.FillRect(Rect(100, 50, 140, 90), Brush(RGB(255, 200, 0)));
    }

    QImage expected = blankImage(c.ratio);
    {
        QPainter p(&expected);
        p.translate(c.offset);
        p.fillRect(under, QColor(231, 231, 214));
        const bool thin = c.penWidth <= 1;
        QPen pen(ink, thin ? 1 : c.penWidth);
        pen.setCapStyle(thin ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(thin ? Qt::MiterJoin : Qt::RoundJoin);
        if (c.penStyle == PS_DASH)
            pen.setDashPattern({18, 6});
        // The gaps of a dashed line take the context's background, white.
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(Qt::white);
        p.setPen(pen);
        if (c.clipped)
            p.setClipRect(clip);
        for (std::size_t i = 1; i < c.path.size(); ++i) {
            if (c.path[i - 1] != c.path[i])
                p.drawLine(c.path[i - 1], c.path[i]);
        }
        p.setClipping(false);
        p.fillRect(over, QColor(255, 200, 0));
    }
    expectSamePixels(drawn, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PainterLinePixels,
    ::testing::Values(
        LineCase{"OutlineAtRatio1", kCellOutline, 0, PS_SOLID, 1, false, {}},
        LineCase{"OutlineAtRatio2", kCellOutline, 0, PS_SOLID, 2, false, {}},
        LineCase{"OutlineAtRatio3", kCellOutline, 0, PS_SOLID, 3, false, {}},
        LineCase{"OutlineAtRatio4", kCellOutline, 0, PS_SOLID, 4, false, {}},
        LineCase{"OutlineClippedAtRatio1", kCellOutline, 0, PS_SOLID, 1, true, {}},
        LineCase{"OutlineClippedAtRatio3", kCellOutline, 0, PS_SOLID, 3, true, {}},
        LineCase{"CrossBothWaysWithAPointAtRatio1", kCross, 0, PS_SOLID, 1, false, {}},
        LineCase{"CrossBothWaysWithAPointAtRatio2", kCross, 0, PS_SOLID, 2, true, {}},
        LineCase{"PenOfOneUnitAtRatio2", kCross, 1, PS_SOLID, 2, false, {}},
        LineCase{"PenOfTwoUnitsAtRatio1", kCellOutline, 2, PS_SOLID, 1, false, {}},
        LineCase{"PenOfTwoUnitsAtRatio2", kCellOutline, 2, PS_SOLID, 2, true, {}},
        LineCase{"SlantsAtRatio1", kSlants, 0, PS_SOLID, 1, false, {}},
        LineCase{"SlantsAtRatio2", kSlants, 0, PS_SOLID, 2, true, {}},
        LineCase{"FarEndsAtRatio2", kFarEnds, 0, PS_SOLID, 2, false, {}},
        LineCase{"DashedAtRatio1", kCross, 0, PS_DASH, 1, false, {}},
        LineCase{"WholeOffsetAtRatio1", kCellOutline, 0, PS_SOLID, 1, true, {3, 7}},
        LineCase{"HalfPixelOffsetAtRatio1", kCellOutline, 0, PS_SOLID, 1, false, {0.5, 0.5}},
        LineCase{"HalfPixelOffsetAtRatio2", kCross, 0, PS_SOLID, 2, false, {0.5, 1.5}},
        LineCase{"QuarterPixelOffsetAtRatio2", kCellOutline, 0, PS_SOLID, 2, false, {0.25, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// texts

struct TextCase {
    const char* name;
    QString text;
    QString face;
    unsigned align;
    int escapement; // tenths of a degree
    qreal ratio;
    bool clipped;
    bool opaque;
    bool underline;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class PainterTextPixels : public ::testing::TestWithParam<TextCase> {};

// Each text is drawn on two pictures in turn, as two paints of one page
// draw it: the second paint must match the first and the plain painter.
TEST_P(PainterTextPixels, TextsPaintWhatThePainterPaints)
{
    const TextCase& c = GetParam();
    LogFont lf;
    lf.lfHeight = -18;
    lf.lfEscapement = c.escapement;
    lf.lfUnderline = c.underline;
    lf.lfFaceName = c.face;
    const QPoint at(80, 60);
    const QRect clip(20, 20, 90, 45);

    QFont drawing, measured;
    std::vector<QImage> paints;
    for (int paint = 0; paint < 2; ++paint) {
        QImage image = blankImage(c.ratio);
        PainterDc dc(&image);
        dc.SelectObject(Font(lf));
        dc.SetTextAlign(c.align);
        dc.SetTextColor(RGB(10, 10, 10));
        dc.SetBkColor(RGB(200, 230, 255));
        dc.SetBkMode(c.opaque ? OPAQUE : TRANSPARENT);
        if (c.clipped)
            dc.IntersectClipRect(Rect(20, 20, 110, 65));
        dc.TextOut(at.x(), at.y(), c.text);
        drawing = dc.drawingFont(lf);
        measured = dc.qtFont(lf);
        dc.painter()->end();
        paints.push_back(image);
    }

    QImage expected = blankImage(c.ratio);
    {
        QPainter p(&expected);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        if (c.clipped)
            p.setClipRect(clip);
        p.translate(at);
        p.rotate(-c.escapement / 10.0);
        const QFontMetricsF metrics(measured);
        const double width = QFontMetricsF(drawing).horizontalAdvance(c.text);
        double x = 0;
        if ((c.align & TA_CENTER) == TA_CENTER)
            x = -width / 2;
        else if (c.align & TA_RIGHT)
            x = -width;
        double baseline = metrics.ascent();
        if ((c.align & TA_BASELINE) == TA_BASELINE)
            baseline = 0;
        else if (c.align & TA_BOTTOM)
            baseline = -metrics.descent();
        if (c.opaque)
            p.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                       QColor(200, 230, 255));
        p.setFont(drawing);
        p.setPen(QColor(10, 10, 10));
        p.drawText(QPointF(x, baseline), c.text);
    }
    expectSamePixels(paints[0], expected);
    expectSamePixels(paints[1], expected);
}

const QString kSong = QStringLiteral("宋体");
const QString kTimes = QStringLiteral("Times New Roman");

INSTANTIATE_TEST_SUITE_P(
    Cases, PainterTextPixels,
    ::testing::Values(
        TextCase{"LatinFromTopLeft", "12.62", kTimes, TA_LEFT | TA_TOP, 0, 1, false, false, false},
        TextCase{"LatinCentredOnBaseline", "3156", kTimes, TA_CENTER | TA_BASELINE, 0, 1, false, false, false},
        TextCase{"ChineseCentred", QStringLiteral("钢筋配料单"), kSong, TA_CENTER | TA_TOP, 0, 1, false, false, false},
        TextCase{"ChineseCentredAtRatio2", QStringLiteral("钢筋配料单"), kSong, TA_CENTER | TA_TOP, 0, 2, false, false, false},
        TextCase{"MixedFromTheRightAtRatio2", QStringLiteral("KL1(2A) 框架梁"), kSong, TA_RIGHT | TA_BOTTOM, 0, 2, false, false, false},
        TextCase{"MixedFallbackAtRatio3", QStringLiteral("重(长):{8：4.95}"), kTimes, TA_LEFT | TA_BASELINE, 0, 3, false, false, false},
        TextCase{"EmptyOnOpaqueBackground", QString(), kTimes, TA_CENTER | TA_TOP, 0, 1, false, true, false},
        TextCase{"OpaqueBackgroundAtRatio2", QStringLiteral("上部通长筋"), kSong, TA_CENTER | TA_TOP, 0, 2, false, true, false},
        TextCase{"ClippedAtRatio1", QStringLiteral("构件编号 KL1"), kSong, TA_CENTER | TA_BASELINE, 0, 1, true, false, false},
        TextCase{"ClippedAtRatio4", QStringLiteral("构件编号 KL1"), kSong, TA_LEFT | TA_TOP, 0, 4, true, false, false},
        TextCase{"TurnedAQuarter", QStringLiteral("500 两端"), kSong, TA_CENTER | TA_BOTTOM, 900, 1, false, false, false},
        TextCase{"TurnedThirtyDegreesAtRatio2", "6000", kTimes, TA_LEFT | TA_BASELINE, 300, 2, false, false, false},
        TextCase{"TurnedAndClipped", QStringLiteral("45°"), kTimes, TA_RIGHT | TA_TOP, -450, 1, true, false, false},
        TextCase{"RightToLeftWordsAmongLatin", QStringLiteral("KL1 שלום 12"), kTimes, TA_CENTER | TA_TOP, 0, 2, false, false, false},
        TextCase{"WithATab", "a\tb", kTimes, TA_CENTER | TA_TOP, 0, 1, false, false, false},
        TextCase{"Underlined", QStringLiteral("编制 date"), kSong, TA_LEFT | TA_TOP, 0, 2, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
