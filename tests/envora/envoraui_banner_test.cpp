// The picture banner of the settings dialogs.

#include "envora/ui/textonpictrue.h"

#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

using namespace platform::gdi;

namespace {

const platform::DcRecord* findOp(const platform::RecordingDc& dc, platform::DcOp op)
{
    for (const platform::DcRecord& r : dc.records())
        if (r.op == op)
            return &r;
    return nullptr;
}

CVes_TextOnPictrue* makeBanner(QWidget* parent = nullptr)
{
    auto* banner = new CVes_TextOnPictrue(parent);
    banner->setText(QStringLiteral("钢筋汇总设置"));
    banner->setFontName(QStringLiteral("黑体"));
    banner->setFontHeight(200);
    banner->setTextColor(RGB(227, 227, 227));
    return banner;
}

} // namespace

TEST(TextOnPictrue, WritesItsCaptionInItsFontAndColourOnThePicture)
{
    std::unique_ptr<CVes_TextOnPictrue> banner(makeBanner());
    QImage picture(300, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    banner->setPicture(picture);

    platform::RecordingDc dc;  // 96 dots per inch
    banner->draw(dc, QRect(0, 0, 400, 50));

    const platform::DcRecord* blit = findOp(dc, platform::DcOp::StretchBlt);
    ASSERT_NE(blit, nullptr);
    EXPECT_EQ(blit->rect, platform::Rect(0, 0, 400, 50));

    const platform::DcRecord* text = findOp(dc, platform::DcOp::DrawText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, QStringLiteral("钢筋汇总设置"));
    EXPECT_EQ(text->state.textColor, RGB(227, 227, 227));
    EXPECT_EQ(text->state.bkMode, TRANSPARENT);
    EXPECT_EQ(text->state.font.logFont().lfFaceName, QStringLiteral("黑体"));
    // 20 points at 96 dots per inch.
    EXPECT_EQ(text->state.font.logFont().lfHeight, -26);
    EXPECT_LT(blit - dc.records().data(), text - dc.records().data());  // text over the picture

    // The context is left as it was found.
    EXPECT_EQ(dc.state().textColor, RGB(0, 0, 0));
    EXPECT_EQ(dc.state().bkMode, OPAQUE);
    EXPECT_EQ(dc.state().font, platform::Font());
}

TEST(TextOnPictrue, WithoutPictureOrCaptionDrawsTheGroundOnly)
{
    CVes_TextOnPictrue banner;
    platform::RecordingDc dc;
    banner.draw(dc, QRect(0, 0, 120, 30));
    ASSERT_NE(findOp(dc, platform::DcOp::FillSolidRect), nullptr);
    EXPECT_EQ(findOp(dc, platform::DcOp::StretchBlt), nullptr);
    EXPECT_TRUE(dc.texts().isEmpty());
}

TEST(TextOnPictrue, PaintsTheCaptionOnScreen)
{
    QWidget window;
    CVes_TextOnPictrue* banner = makeBanner(&window);
    banner->setGeometry(0, 0, 420, 56);
    window.resize(420, 56);
    window.show();

    const QImage shot = banner->grab().toImage();
    if (const QByteArray folder = qgetenv("RODO_SCREENSHOTS"); !folder.isEmpty())
        shot.save(QString::fromLocal8Bit(folder) + "/textonpictrue.png");

    // Caption-coloured pixels lie in the left part, where the caption is.
    int captionPixels = 0;
    int rightmost = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, y)) > 180) {
                ++captionPixels;
                rightmost = std::max(rightmost, x);
            }
    EXPECT_GT(captionPixels, 100);
    EXPECT_LT(rightmost, shot.width() / 2);
}
