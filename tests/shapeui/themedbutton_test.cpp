// The themed button: the style draws background and border when the
// application is themed, the flat look otherwise.

#include "shapeui/themedbutton.h"

#include "shapeui/themelib.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "tests/shapeui/stylesswitch.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using platform::DcOp;

namespace {

void hover(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

TEST(ThemedButton, WithoutVisualStylesItDrawsTheClassicLook)
{
    test::StylesSwitch off(false);
    CVes_ThemeLib theme;
    CVes_ThemedButton button(QStringLiteral("确定"));
    button.resize(80, 24);
    button.SetThemeHelper(&theme);
    hover(&button);
    platform::RecordingDc dc;
    button.DrawItem(&dc, platform::Rect(0, 0, 80, 24), {});
    EXPECT_EQ(dc.count(DcOp::FillSolidRect), 1);
    EXPECT_EQ(dc.count(DcOp::Draw3dRect), 1); // the border was switched on

    // No binding at all: the same.
    CVes_ThemedButton plain(QStringLiteral("取消"));
    plain.SetThemeHelper(nullptr);
    platform::RecordingDc dc2;
    plain.DrawItem(&dc2, platform::Rect(0, 0, 80, 24), {true, false, false});
    EXPECT_EQ(dc2.count(DcOp::Draw3dRect), 1);
}

TEST(ThemedButton, ThemedStatesAndNoFlatDrawing)
{
    CVes_ThemeLib theme;
    ASSERT_EQ(theme.IsAppThemed(), 1);
    CVes_ThemedButton button(QStringLiteral("确定"));
    button.resize(80, 24);
    button.SetThemeHelper(&theme);

    auto stateAfter = [&](CVes_FlatButton::ItemState state) {
        platform::RecordingDc dc;
        button.DrawItem(&dc, platform::Rect(0, 0, 80, 24), state);
        EXPECT_EQ(dc.count(DcOp::FillSolidRect) + dc.count(DcOp::Draw3dRect)
                      + dc.count(DcOp::FrameRect),
                  0);
        return button.themeState();
    };
    EXPECT_EQ(stateAfter({}), CVes_ThemeLib::PBS_NORMAL);
    button.setDefault(true);
    EXPECT_EQ(stateAfter({}), CVes_ThemeLib::PBS_DEFAULTED);
    button.SetToolbarLook(true);
    EXPECT_EQ(stateAfter({}), CVes_ThemeLib::PBS_NORMAL);
    button.SetToolbarLook(false);
    hover(&button);
    EXPECT_EQ(stateAfter({}), CVes_ThemeLib::PBS_HOT);
    EXPECT_EQ(stateAfter({true, false, false}), CVes_ThemeLib::PBS_PRESSED);
    EXPECT_EQ(stateAfter({true, false, true}), CVes_ThemeLib::PBS_DISABLED);

    // On a real surface the style paints the button.
    QImage image(80, 24, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        platform::PainterDc dc(&image);
        button.DrawItem(&dc, platform::Rect(0, 0, 80, 24), {});
    }
    EXPECT_NE(image.pixel(40, 2), qRgb(255, 0, 255));
}
