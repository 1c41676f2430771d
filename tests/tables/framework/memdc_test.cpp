#include "tables/framework/ui/memdc.h"

#include "tables/framework/tablehelpers.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;
using platform::PainterDc;
using platform::RecordingDc;
using platform::Rect;

namespace {

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// What is drawn reaches the target only when the object goes, and only
// inside its rectangle, whose background is the target's background colour.
TEST(MemoryDc, DrawsOffScreenAndCopiesTheRectangleOnce)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterDc target(&image);
        target.SetBkColor(RGB(0, 0, 255));
        const Rect rect(10, 10, 110, 60);
        {
            CMemDCNew memory(&target, &rect);
            ASSERT_TRUE(memory.isMemory());
            EXPECT_NE(memory.dc(), &target);
            memory->FillSolidRect(Rect(20, 20, 40, 40), RGB(255, 0, 0));
            memory->FillSolidRect(Rect(150, 20, 170, 40), RGB(0, 255, 0)); // outside the rectangle
            EXPECT_EQ(image.pixel(30, 30), rgb(255, 255, 255));
        }
    }
    EXPECT_EQ(image.pixel(30, 30), rgb(255, 0, 0));
    EXPECT_EQ(image.pixel(12, 12), rgb(0, 0, 255)); // the background
    EXPECT_EQ(image.pixel(109, 59), rgb(0, 0, 255));
    EXPECT_EQ(image.pixel(110, 30), rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(160, 30), rgb(255, 255, 255));
}

// Under the table mapping the memory context takes the target's mapping,
// so logical units land on the same pixels.
TEST(MemoryDc, KeepsTheTargetsMapping)
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterDc target(&image);
        setTableMapping(&target, 1);
        const Rect rect(254, 254, 508, 508); // one inch square from (96, 96)
        CMemDCNew memory(&target, &rect);
        EXPECT_EQ(memory.rect(), rect);
        memory->FillSolidRect(Rect(254, 254, 381, 381), RGB(255, 0, 0));
    }
    EXPECT_EQ(image.pixel(97, 97), rgb(255, 0, 0));
    EXPECT_EQ(image.pixel(142, 142), rgb(255, 0, 0));
    EXPECT_EQ(image.pixel(150, 150), rgb(255, 255, 255));
    EXPECT_EQ(image.pixel(95, 95), rgb(255, 255, 255));
}

TEST(MemoryDc, WithoutARectangleTheClipBoxIsUsed)
{
    RecordingDc target;
    {
        CMemDCNew memory(&target);
        EXPECT_EQ(memory.rect(), target.GetClipBox());
    }
    const auto blits = target.records(DcOp::BitBlt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].rect, target.GetClipBox());
    EXPECT_EQ(unsigned(blits[0].value), SRCCOPY);
    EXPECT_EQ(blits[0].dc, 0);
}

// A window's painting reaches the screen only when it is done (the window
// system keeps its picture), so it needs no memory context of its own.
class PaintedWindow : public QWidget {
public:
    bool memory = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        PainterDc target(&painter);
        target.SetBkColor(RGB(0, 0, 255));
        const Rect rect(0, 0, width(), height());
        CMemDCNew drawing(&target, &rect);
        memory = drawing.isMemory();
        drawing->FillSolidRect(Rect(5, 5, 10, 10), RGB(255, 0, 0));
    }
};

TEST(MemoryDc, AWindowIsDrawnOnDirectly)
{
    PaintedWindow window;
    window.resize(40, 30);
    const QImage shot = window.grab().toImage();
    EXPECT_FALSE(window.memory);
    EXPECT_EQ(shot.pixel(7, 7), rgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(20, 20), rgb(0, 0, 255)); // the background
}

TEST(MemoryDc, APrinterIsDrawnOnDirectly)
{
    RecordingDc::Device printer;
    printer.printing = true;
    RecordingDc target(printer);
    target.SetBkColor(RGB(1, 2, 3));
    const Rect rect(0, 0, 50, 50);
    {
        CMemDCNew memory(&target, &rect);
        EXPECT_FALSE(memory.isMemory());
        EXPECT_EQ(memory.dc(), &target);
    }
    EXPECT_EQ(target.count(DcOp::BitBlt), 0);
    const auto fills = target.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].dc, 0);
    EXPECT_EQ(COLORREF(fills[0].value), RGB(1, 2, 3));
}

} // namespace
