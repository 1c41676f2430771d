// The packed bitmap: header and row layout, pixels and palette as bytes,
// blending and drawing.

#include "shapeui/dib.h"

#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform::gdi;

namespace {

QByteArray blockBytes(const CVes_Dib& dib, int offset, int length)
{
    return QByteArray(reinterpret_cast<const char*>(dib.block().data()) + offset, length);
}

constexpr int Pixels8 = CVes_Dib::HeaderSize + 256 * 4; // where 8-bit pixels start

} // namespace

TEST(Dib, HeaderAndSizesOfAnEightBitBitmap)
{
    CVes_Dib dib;
    ASSERT_NE(dib.Create(3, 2, 8), nullptr);
    EXPECT_EQ(dib.GetLineWidth(), 4);
    EXPECT_EQ(dib.GetPaletteSize(), 256);
    ASSERT_EQ(dib.block().size(), std::size_t(40 + 1024 + 8));
    EXPECT_EQ(blockBytes(dib, 0, 40),
              test::hex("28 00 00 00  03 00 00 00  02 00 00 00  01 00  08 00  00 00 00 00"
                        "08 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00"));
    EXPECT_EQ(dib.GetBits(), dib.block().data() + Pixels8);
}

struct DepthCase {
    int width;
    int bits;
    int lineWidth;
    int paletteSize;
};

class DibDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DibDepth, RowLengthAndPalette)
{
    const DepthCase c = GetParam();
    CVes_Dib dib;
    ASSERT_NE(dib.Create(c.width, 3, c.bits), nullptr);
    EXPECT_EQ(dib.GetLineWidth(), c.lineWidth);
    EXPECT_EQ(dib.GetPaletteSize(), c.paletteSize);
    EXPECT_EQ(dib.header().biSizeImage, std::uint32_t(c.lineWidth * 3));
    EXPECT_EQ(dib.block().size(), std::size_t(40 + 4 * c.paletteSize + 3 * c.lineWidth));
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepth,
                         ::testing::Values(DepthCase{10, 1, 4, 2}, DepthCase{33, 1, 8, 2},
                                           DepthCase{9, 4, 8, 16}, DepthCase{5, 8, 8, 256},
                                           DepthCase{5, 24, 16, 0}, DepthCase{3, 32, 12, 0}));

TEST(Dib, ImpossibleSizesAndDepthsGiveNoBitmap)
{
    CVes_Dib dib;
    EXPECT_EQ(dib.Create(0, 5, 8), nullptr);
    EXPECT_EQ(dib.Create(5, -1, 8), nullptr);
    EXPECT_EQ(dib.Create(5, 5, 7), nullptr);
    EXPECT_EQ(dib.Create(100000, 100000, 24), nullptr); // larger than a bitmap can be
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(dib.GetBits(), nullptr);
    dib.SetPixelIndex(0, 0, 1); // nothing to write into
    dib.BlendPalette(RGB(1, 2, 3), 50);
}

TEST(Dib, PixelZeroZeroIsInTheLastRowOfTheBlock)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(3, 2, 8));
    dib.SetPixelIndex(0, 0, 0xAA);
    dib.SetPixelIndex(2, 1, 0x55);
    // Rows are stored bottom first: the picture's top row is the second.
    EXPECT_EQ(blockBytes(dib, Pixels8, 8), test::hex("00 00 55 00  AA 00 00 00"));
    EXPECT_EQ(dib.GetPixelIndex(0, 0), 0xAA);

    // Outside the bitmap nothing is written.
    const std::vector<std::uint8_t> before = dib.block();
    for (QPoint p : {QPoint(3, 0), QPoint(-1, 0), QPoint(0, 2), QPoint(0, -1)})
        dib.SetPixelIndex(p.x(), p.y(), 0xFF);
    EXPECT_EQ(dib.block(), before);
}

TEST(Dib, PixelsOfOneAndFourBitBitmapsArePacked)
{
    CVes_Dib mono;
    ASSERT_TRUE(mono.Create(10, 2, 1));
    mono.SetPixelIndex(9, 0, 1);
    mono.SetPixelIndex(0, 1, 1);
    const int monoPixels = 40 + 2 * 4;
    EXPECT_EQ(blockBytes(mono, monoPixels, 8), test::hex("80 00 00 00  00 40 00 00"));
    EXPECT_EQ(mono.block().size(), std::size_t(monoPixels + 8)); // nothing written past the rows

    CVes_Dib sixteen;
    ASSERT_TRUE(sixteen.Create(4, 1, 4));
    sixteen.SetPixelIndex(0, 0, 0x0C);
    sixteen.SetPixelIndex(3, 0, 0x0F);
    sixteen.SetPixelIndex(1, 0, 0x1A); // only the low four bits count
    EXPECT_EQ(blockBytes(sixteen, 40 + 16 * 4, 4), test::hex("CA 0F 00 00"));
    EXPECT_EQ(sixteen.GetPixelIndex(3, 0), 0x0F);
}

TEST(Dib, PixelsOfBitmapsWithoutPaletteAreLeftAlone)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(2, 2, 24));
    dib.SetPixelIndex(0, 0, 0x77);
    const std::vector<std::uint8_t>& block = dib.block();
    EXPECT_TRUE(std::all_of(block.begin() + 40, block.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(Dib, PaletteEntriesAreBlueGreenRedZero)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(1, 1, 8));
    dib.SetPaletteIndex(1, 0x11, 0x22, 0x33);
    dib.SetPaletteIndex(256, 0x44, 0x55, 0x66); // beyond the palette
    dib.SetPaletteIndex(-1, 0x44, 0x55, 0x66);
    EXPECT_EQ(blockBytes(dib, 40, 12), test::hex("00 00 00 00  33 22 11 00  00 00 00 00"));
    EXPECT_EQ(blockBytes(dib, 40 + 1024, 4), test::hex("00 00 00 00"));
}

struct BlendCase {
    int percent;
    const char* entry; // the blended entry's bytes
};

class DibBlend : public ::testing::TestWithParam<BlendCase> {};

TEST_P(DibBlend, MovesEveryEntryTowardsTheColour)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(1, 1, 4));
    for (int i = 0; i < 16; ++i)
        dib.SetPaletteIndex(i, 0x10, 0x20, 0x30);
    dib.BlendPalette(RGB(0xFF, 0x00, 0x80), GetParam().percent);
    const QByteArray entry = test::hex(GetParam().entry);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(blockBytes(dib, 40 + 4 * i, 4), entry) << "entry " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Percents, DibBlend,
    ::testing::Values(BlendCase{0, "30 20 10 00"},
                      // blue (48·50 + 128·50)/100 = 88, green 16, red (16·50 + 255·50)/100 = 135
                      BlendCase{50, "58 10 87 00"},
                      BlendCase{100, "80 00 FF 00"},
                      BlendCase{150, "80 00 FF 00"}, // capped at 100
                      BlendCase{-20, "30 20 10 00"})); // a negative share changes nothing

TEST(Dib, CloneCopiesTheWholeBlock)
{
    CVes_Dib source;
    ASSERT_TRUE(source.Create(5, 3, 8));
    source.SetPaletteIndex(7, 1, 2, 3);
    source.SetPixelIndex(4, 2, 7);
    CVes_Dib copy;
    ASSERT_TRUE(copy.Create(1, 1, 1));
    copy.Clone(source);
    EXPECT_EQ(copy.block(), source.block());
    EXPECT_EQ(copy.GetWidth(), 5);
    EXPECT_EQ(copy.GetLineWidth(), 8);
    source.SetPixelIndex(0, 0, 9);
    EXPECT_EQ(copy.GetPixelIndex(0, 0), 0); // a copy, not shared

    CVes_Dib empty;
    copy.Clone(empty);
    EXPECT_FALSE(copy.IsValid());
}

TEST(Dib, DrawCopiesTheWholePictureWithSourceCopy)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(3, 2, 8));
    platform::RecordingDc recording;
    dib.Draw(&recording, 5, 6);
    const auto blits = recording.records(platform::DcOp::BitBlt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].rect, platform::Rect(5, 6, 8, 8));
    EXPECT_EQ(blits[0].points.at(0), QPoint(0, 0));
    EXPECT_EQ(blits[0].value, SRCCOPY);
}

TEST(Dib, DrawShowsThePaletteColoursTopRowFirst)
{
    CVes_Dib dib;
    ASSERT_TRUE(dib.Create(3, 2, 8));
    dib.SetPaletteIndex(1, 255, 0, 0);
    dib.SetPaletteIndex(2, 0, 0, 255);
    dib.Clear(2);
    dib.SetPixelIndex(0, 0, 1);
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        platform::PainterDc dc(&target);
        dib.Draw(&dc, 5, 6);
        // Changing a pixel after drawing shows in the next drawing.
        dib.SetPixelIndex(2, 1, 1);
        dib.Draw(&dc, 5, 6);
    }
    EXPECT_EQ(target.pixel(5, 6), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(6, 6), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(7, 7), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(8, 6), qRgb(255, 255, 255));
}
