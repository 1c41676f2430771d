// The shaded button: the palette ramp, the diagonal shade computed by hand,
// the hover palette and drawing by state.

#include "shapeui/shadebutton.h"

#include "platform/recordingdc.h"
#include "tests/support/fixtures.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;

namespace {

QByteArray pixels(const CVes_Dib& dib)
{
    return QByteArray(reinterpret_cast<const char*>(dib.GetBits()),
                      dib.GetLineWidth() * dib.GetHeight());
}

} // namespace

TEST(ShadeButton, NoiseIsTheCLibraryGenerator)
{
    CVes_ShadeButton::SeedNoise(1);
    EXPECT_EQ(CVes_ShadeButton::NextNoise(), 41);
    EXPECT_EQ(CVes_ShadeButton::NextNoise(), 18467);
    EXPECT_EQ(CVes_ShadeButton::NextNoise(), 6334);
}

TEST(ShadeButton, DiagonalShadeMatchesHandComputedPixels)
{
    CVes_ShadeButton button;
    button.resize(4, 2);
    CVes_ShadeButton::SeedNoise(1);
    button.SetShade(CVes_ShadeButton::SHS_DIAGSHADE, 8, 10, 0, 0);
    const CVes_Dib& main = button.normalImage();
    ASSERT_EQ(main.GetWidth(), 4);
    ASSERT_EQ(main.GetHeight(), 2);
    ASSERT_EQ(main.GetBitCount(), 8);
    // g = 8, a = (255 − 16) / 2 = 119; noise = rand() / (32767 / 16) − 8 with
    // rand() = 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358 → −8, 1, −5,
    // 4, 1, −1, −3, 6. Row 0 (memory order): 8 + 119·(4 − x)/4 + noise;
    // row 1 adds 119/2 = 59.
    EXPECT_EQ(pixels(main), test::hex("77 62 3E 29  BB 9B 7B 66"));
    // The hover picture has the same pixels.
    EXPECT_EQ(pixels(button.overImage()), pixels(main));
    EXPECT_EQ(pixels(button.downImage()), pixels(main));
    EXPECT_EQ(pixels(button.disabledImage()), pixels(main));
}

TEST(ShadeButton, PaletteRunsFromShadowThroughFaceToHighlight)
{
    CVes_ShadeButton button;
    button.resize(4, 2);
    button.SetShade(CVes_ShadeButton::SHS_DIAGSHADE, 8, 10, 0, 0);
    const CVes_Dib& main = button.normalImage();
    // Shadow 160, face 240, highlight 255 in every channel.
    EXPECT_EQ(main.GetPaletteColor(0), RGB(160, 160, 160));
    EXPECT_EQ(main.GetPaletteColor(64), RGB(200, 200, 200)); // 160 + 64·80/128
    EXPECT_EQ(main.GetPaletteColor(127), RGB(239, 239, 239));
    EXPECT_EQ(main.GetPaletteColor(128), RGB(240, 240, 240)); // 240 + 1·15/128
    EXPECT_EQ(main.GetPaletteColor(255), RGB(255, 255, 255));
    // Hover: 10 % highlight, (160·90 + 255·10) / 100 = 169.
    EXPECT_EQ(button.overImage().GetPaletteColor(0), RGB(169, 169, 169));

    button.SetShade(CVes_ShadeButton::SHS_DIAGSHADE, 8, 10, 50, RGB(255, 0, 0));
    EXPECT_EQ(button.normalImage().GetPaletteColor(0), RGB(207, 80, 80));
}

TEST(ShadeButton, EveryEffectFillsPicturesOfAnySize)
{
    CVes_ShadeButton button;
    for (QSize size : {QSize(1, 1), QSize(7, 3), QSize(40, 25)}) {
        button.resize(size);
        for (int effect = 0; effect <= 9; ++effect) {
            for (int granularity : {0, 8, 127, 255}) {
                button.SetShade(effect, std::uint8_t(granularity), 100, 100, RGB(1, 2, 3));
                ASSERT_TRUE(button.normalImage().IsValid());
                EXPECT_EQ(button.normalImage().GetWidth(), size.width());
                EXPECT_EQ(button.overImage().GetHeight(), size.height());
            }
        }
    }
}

TEST(ShadeButton, DrawsTheNormalOrHoverPicture)
{
    CVes_ShadeButton button(QStringLiteral("A"));
    button.resize(30, 20);
    button.SetShade(CVes_ShadeButton::SHS_DIAGSHADE);
    auto blitAt = [&](CVes_FlatButton::ItemState state) {
        platform::RecordingDc dc;
        button.DrawItem(&dc, platform::Rect(0, 0, 30, 20), state);
        EXPECT_EQ(dc.count(DcOp::FillSolidRect), 0);
        return dc.records(DcOp::BitBlt).at(0).rect;
    };
    EXPECT_EQ(blitAt({}), platform::Rect(0, 0, 30, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
    ASSERT_TRUE(button.IsMouseOver());
    EXPECT_EQ(blitAt({}), platform::Rect(0, 0, 30, 20));
    EXPECT_EQ(blitAt({true, false, false}), platform::Rect(1, 1, 31, 21));

    // Without pictures (no area yet) the flat background is drawn.
    CVes_ShadeButton empty;
    empty.resize(0, 0);
    empty.SetShade();
    platform::RecordingDc dc;
    empty.DrawItem(&dc, platform::Rect(0, 0, 10, 10), {});
    EXPECT_EQ(dc.count(DcOp::FillSolidRect), 1);
}
