#include "shapeui/recordview.h"
#include "shapeui/shapeview.h"

#include "core/model/modelrecord.h"
#include "core/model/recordcache.h"
#include "platform/recordingdc.h"
#include "tests/shapeui/shapeview_screenshot.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;

namespace {

// A bar of one red side across the middle of its drawing area.
CVes_ModelRecord straightBar()
{
    CVes_ModelRecord record;
    record.AddLSide(100, 150, 1400, 150, 1, 0, RGB(255, 0, 0));
    return record;
}

platform::RecordingDc::Device screen()
{
    platform::RecordingDc::Device device;
    device.dpiX = device.dpiY = 96;
    return device;
}

platform::RecordingDc::Device printer()
{
    platform::RecordingDc::Device device = screen();
    device.printing = true;
    return device;
}

} // namespace

TEST(ShapeView, RegistersItsWindowClassOnConstruction)
{
    CVes_ShapeView view;
    EXPECT_TRUE(CVes_ShapeView::isWindowClassRegistered());
    EXPECT_TRUE(CVes_ShapeView::RegisterWindowClass());
    EXPECT_STREQ(CVes_ShapeView::kWindowClassName, "CSHapeViewClass");
    EXPECT_EQ(view.model(), nullptr);
}

TEST(ShapeView, DrawsTheModelOnBlackOffScreenAndCopiesItToTheScreen)
{
    CVes_ModelRecord record = straightBar();
    CVes_ShapeView view;
    view.resize(400, 200);
    view.setModel(&record);
    platform::RecordingDc dc(screen());
    view.OnDraw(&dc);

    // 400 × 200 pixels at 96 dpi are 1058 × 529 tenths of a millimetre.
    const auto fills = dc.records(DcOp::FillRect);
    ASSERT_EQ(fills.size(), 1u) << dc.dump().toStdString();
    EXPECT_NE(fills[0].dc, 0);
    EXPECT_EQ(fills[0].rect, platform::Rect(0, 0, 1058, 529));
    EXPECT_EQ(fills[0].brush, platform::Brush::stock(BLACK_BRUSH));
    EXPECT_EQ(fills[0].state.mapMode, MM_ANISOTROPIC);
    EXPECT_EQ(fills[0].state.windowExt, QSize(254, 254));
    EXPECT_EQ(fills[0].state.viewportExt, QSize(96, 96));

    // The side in its own colour, after the background, in the memory context.
    const auto segments = dc.segments();
    ASSERT_FALSE(segments.empty());
    for (const auto& segment : segments) {
        EXPECT_EQ(segment.dc, fills[0].dc);
        EXPECT_EQ(segment.pen.color(), RGB(255, 0, 0));
    }

    const auto blits = dc.records(DcOp::BitBlt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].dc, 0);
    EXPECT_EQ(blits[0].rect, platform::Rect(0, 0, 400, 200));
    EXPECT_EQ(blits[0].value, SRCCOPY);
    EXPECT_EQ(blits[0].value2, fills[0].dc);
}

TEST(ShapeView, PrintsStraightOntoThePrinterAndWithoutAModelOnlyTheBackground)
{
    CVes_ModelRecord record = straightBar();
    CVes_ShapeView view;
    view.resize(300, 100);
    view.setModel(&record);
    platform::RecordingDc printed(printer());
    view.OnDraw(&printed);
    EXPECT_EQ(printed.count(DcOp::BitBlt), 0);
    ASSERT_EQ(printed.count(DcOp::FillRect), 1);
    EXPECT_EQ(printed.records(DcOp::FillRect)[0].dc, 0);
    EXPECT_FALSE(printed.segments().empty());
    // The mapping is left as it was found.
    EXPECT_EQ(printed.state().mapMode, MM_TEXT);

    view.setModel(nullptr);
    platform::RecordingDc empty(screen());
    view.OnDraw(&empty);
    EXPECT_EQ(empty.count(DcOp::FillRect), 1);
    EXPECT_TRUE(empty.segments().empty());
    EXPECT_TRUE(empty.texts().isEmpty());
}

TEST(ShapeView, ShowsALibraryShapeOnBlackOnScreen)
{
    CVes_ModelRecord* record = getUseModelRecord(CSteelRecordId(191, 2));
    ASSERT_NE(record, nullptr);
    CVes_ShapeView view;
    view.resize(450, 120);
    view.setModel(record);
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    test::saveScreenshot(view, "shapeview");

    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(image.width() - 3, image.height() - 3), qRgb(0, 0, 0));
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            drawn += image.pixel(x, y) != qRgb(0, 0, 0);
    }
    EXPECT_GT(drawn, 100);
}

TEST(RecordDrawView, PaintsAGreyPanelExceptWhilePrinting)
{
    CVes_RecordDrawView view;
    view.resize(120, 80);
    platform::RecordingDc dc(screen());
    view.OnDraw(&dc);
    const auto fills = dc.records(DcOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, platform::Rect(0, 0, 120, 80));
    EXPECT_EQ(fills[0].brush, platform::Brush::stock(GRAY_BRUSH));

    platform::RecordingDc printed(printer());
    view.OnDraw(&printed);
    EXPECT_TRUE(printed.drawing().empty());
}
