// The visual-style binding: the widget style standing in, and every
// fallback when there is none.

#include "shapeui/themelib.h"

#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "tests/shapeui/stylesswitch.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ThemeLib, WithoutVisualStylesEveryOperationFallsBack)
{
    test::StylesSwitch off(false);
    CVes_ThemeLib theme;
    EXPECT_FALSE(theme.IsLoaded());
    QWidget window;
    EXPECT_EQ(theme.IsAppThemed(), 0);
    EXPECT_EQ(theme.IsThemeActive(), 0);
    EXPECT_EQ(theme.OpenThemeData(&window, QStringLiteral("BUTTON")), nullptr);
    EXPECT_EQ(theme.CloseThemeData(nullptr), CVes_ThemeLib::E_FAIL);
    platform::RecordingDc dc;
    const platform::Rect rect(0, 0, 20, 10);
    EXPECT_EQ(theme.DrawThemeBackground(nullptr, &dc, 1, 1, &rect, nullptr),
              CVes_ThemeLib::E_FAIL);
    EXPECT_TRUE(dc.drawing().empty());
}

TEST(ThemeLib, SwitchingStylesOffLaterAlsoFallsBack)
{
    CVes_ThemeLib theme;
    ASSERT_EQ(theme.IsAppThemed(), 1);
    test::StylesSwitch off(false);
    EXPECT_EQ(theme.IsAppThemed(), 0);
    EXPECT_EQ(theme.OpenThemeData(nullptr, QStringLiteral("BUTTON")), nullptr);
}

TEST(ThemeLib, TheWidgetStyleDrawsButtonParts)
{
    CVes_ThemeLib theme;
    ASSERT_TRUE(theme.IsLoaded());
    QWidget window;
    EXPECT_EQ(theme.OpenThemeData(&window, QStringLiteral("TAB")), nullptr); // not drawn here
    CVes_ThemeLib::HTHEME button = theme.OpenThemeData(&window, QStringLiteral("BUTTON"));
    ASSERT_NE(button, nullptr);

    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    const platform::Rect rect(0, 0, 40, 20);
    {
        platform::PainterDc dc(&image);
        EXPECT_EQ(theme.DrawThemeBackground(button, &dc, CVes_ThemeLib::BP_PUSHBUTTON,
                                            CVes_ThemeLib::PBS_HOT, &rect, nullptr),
                  CVes_ThemeLib::S_OK);
    }
    EXPECT_NE(image.pixel(20, 10), qRgb(255, 0, 255));

    // A context that cannot host the style's drawing gets a failure.
    platform::RecordingDc recording;
    EXPECT_EQ(theme.DrawThemeBackground(button, &recording, 1, 1, &rect, nullptr),
              CVes_ThemeLib::E_FAIL);
    EXPECT_EQ(theme.DrawThemeBackground(button, &recording, 1, 1, nullptr, nullptr),
              CVes_ThemeLib::E_FAIL);
    EXPECT_EQ(theme.CloseThemeData(button), CVes_ThemeLib::S_OK);
}
