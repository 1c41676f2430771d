// The numbers of a tag page as the program draws them when the tag sheet
// opens: the recorded fonts made into the fonts a screen draws with, so that
// what is measured is the size a reader sees, not the height asked for (a
// Chinese face's height is the height of its whole cell, of which its
// characters fill less than a Latin face's do).

#include "tests/tables/processing/liaopai_support.h"

#include "platform/painterdc.h"
#include "tables/framework/tablehelpers.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;

// The view the tag sheet opens in beside the project tree and the tool
// bars of a 1366 × 768 screen, in pixels.
constexpr int kViewWidth = 1160;
constexpr int kViewHeight = 625;
constexpr int kLegiblePixels = 8;

struct TagNumberCase {
    int layout;
    const char* text; // the weight, as the tag rows carry it
};

class TagNumbersAtOpeningZoom : public ::testing::TestWithParam<TagNumberCase> {};

TEST_P(TagNumbersAtOpeningZoom, ReadAtLeastEightPixels)
{
    const TagNumberCase c = GetParam();
    CVes_LiaoPaiTable table;
    QStringList texts = test::tagRow(11).texts();
    texts[10] = QString::fromUtf8(c.text);
    table.Add(texts, nullptr);
    table.setLiaoPaiDerect(unsigned(c.layout));
    table.sortSteel();

    RecordingDc::Device device;
    device.width = kViewWidth;
    device.height = kViewHeight;
    RecordingDc dc(device);
    setTableMapping(&dc, 1);
    table.setPageTo(1, 1);
    platform::Rect client(0, 0, kViewWidth, kViewHeight);
    dc.DPtoLP(&client);
    table.Draw(&dc, client);

    // The fonts a screen of the same mapping makes of what was asked for.
    QImage screen(kViewWidth, kViewHeight, QImage::Format_RGB32);
    platform::PainterDc painter(&screen);
    setTableMapping(&painter, 1);
    bool drawn = false;
    for (const DcRecord& r : dc.records(DcOp::TextOut)) {
        if (r.text != QString::fromUtf8(c.text))
            continue;
        drawn = true;
        EXPECT_GE(painter.qtFont(r.font.logFont()).pixelSize(), kLegiblePixels)
            << "layout " << c.layout << " draws \"" << c.text << "\" at "
            << r.font.logFont().lfHeight << " in " << r.font.logFont().lfFaceName.toStdString();
    }
    EXPECT_TRUE(drawn) << c.text;
}

INSTANTIATE_TEST_SUITE_P(WeighingLayouts, TagNumbersAtOpeningZoom,
                         ::testing::Values(TagNumberCase{3, "37.68"}, TagNumberCase{4, "37.68"},
                                           TagNumberCase{3, "1234.56"}));

} // namespace
