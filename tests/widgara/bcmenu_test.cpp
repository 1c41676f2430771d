// The program's menus: colours lightened and darkened, a menu built from its
// description with icons from a toolbar's image strip, and removing items.

#include "widgara/bcmenu.h"

#include "widgara/resources.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace bcmenu_test {

using platform::gdi::COLORREF;
using platform::gdi::RGB;

struct ColourCase {
    const char* name;
    bool lighten;
    COLORREF colour;
    double f;
    COLORREF expected;
};

class MenuColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(MenuColours, MoveEachPartByTheFraction)
{
    const ColourCase& c = GetParam();
    const COLORREF got = c.lighten ? BCMenu::LightenColor(c.colour, c.f) : BCMenu::DarkenColor(c.colour, c.f);
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MenuColours,
    ::testing::Values(ColourCase{"BlackFullyLightIsWhite", true, RGB(0, 0, 0), 1.0, RGB(255, 255, 255)},
                      ColourCase{"WhiteFullyDarkIsBlack", false, RGB(255, 255, 255), 1.0, RGB(0, 0, 0)},
                      ColourCase{"LightenZeroUnchanged", true, RGB(10, 20, 30), 0.0, RGB(10, 20, 30)},
                      ColourCase{"DarkenZeroUnchanged", false, RGB(10, 20, 30), 0.0, RGB(10, 20, 30)},
                      ColourCase{"LightenAboveOneUnchanged", true, RGB(10, 20, 30), 1.5, RGB(10, 20, 30)},
                      ColourCase{"DarkenNegativeUnchanged", false, RGB(10, 20, 30), -0.2, RGB(10, 20, 30)},
                      ColourCase{"LightenHalfEachPart", true, RGB(0, 100, 255), 0.5, RGB(127, 177, 255)},
                      ColourCase{"DarkenHalfEachPart", false, RGB(0, 100, 255), 0.5, RGB(0, 50, 128)},
                      ColourCase{"HighlightForTheSelection", true, RGB(10, 36, 106), 0.7, RGB(181, 189, 210)}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr int kMenuId = 9301;
constexpr int kToolBar = 9302;
constexpr int kCopy = 57634;
constexpr int kPaste = 57637;
constexpr int kLock = 32819;
constexpr int kInsertRow = 32806;

// A strip of 16 × 15 images, each filled with its own colour.
QImage strip(const std::vector<QColor>& colours)
{
    QImage image(BCMenu::kIconWidth * int(colours.size()), BCMenu::kIconHeight, QImage::Format_RGB32);
    for (size_t i = 0; i < colours.size(); ++i)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < BCMenu::kIconWidth; ++x)
                image.setPixelColor(int(i) * BCMenu::kIconWidth + x, y, colours[i]);
    return image;
}

class MenuFromDescription : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgara::Resources& r = widgara::resources();
        r.setMenu(kMenuId, {{QStringLiteral("右键"), 0,
                             {{QStringLiteral("复制\tCtrl+C"), kCopy, {}},
                              {QStringLiteral("粘贴\tCtrl+V"), kPaste, {}},
                              {},
                              {QStringLiteral("行"), 0,
                               {{QStringLiteral("锁定行"), kLock, {}}, {QStringLiteral("插入钢筋行"), kInsertRow, {}}}}}}});
        r.setToolBar(kToolBar, {kCopy, 0, kPaste, kInsertRow});
        r.setBitmap(kToolBar, strip({Qt::red, Qt::green, Qt::blue}));
        ASSERT_TRUE(menu.LoadMenu(kMenuId));
    }

    static QColor iconColour(const QAction* action)
    {
        return action->icon().pixmap(BCMenu::kIconWidth, BCMenu::kIconHeight).toImage().pixelColor(4, 4);
    }

    BCMenu menu;
};

TEST_F(MenuFromDescription, ItemsShowTheIconsOfTheToolbarButtonsOfTheirCommands)
{
    BCMenu* popup = menu.GetSubBCMenu(0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->GetMenuItemCount(), 4);
    EXPECT_EQ(popup->GetMenuItemID(0), kCopy);
    EXPECT_EQ(popup->GetMenuItemID(2), 0) << "a separator";
    EXPECT_EQ(popup->GetMenuItemID(3), -1) << "a sub-menu";
    EXPECT_EQ(popup->GetMenuString(1), QStringLiteral("粘贴\tCtrl+V"));

    EXPECT_EQ(menu.LoadToolbar(kToolBar), 1);
    const QList<QAction*> actions = popup->menu()->actions();
    EXPECT_EQ(iconColour(actions[0]), QColor(Qt::red));
    EXPECT_EQ(iconColour(actions[1]), QColor(Qt::green));
    BCMenu* rows = popup->GetSubBCMenu(3);
    EXPECT_EQ(iconColour(rows->menu()->actions()[1]), QColor(Qt::blue));
    EXPECT_TRUE(rows->menu()->actions()[0]->icon().isNull()) << "a command without a button has no icon";

    // The command keeps its icon for menus built later.
    BCMenu other;
    other.AppendODMenu(QStringLiteral("复制"), BCMenu::MF_OWNERDRAW, kCopy);
    EXPECT_EQ(iconColour(other.menu()->actions()[0]), QColor(Qt::red));
    // A disabled item shows a lighter grey form of the icon.
    const QImage disabled = BCMenu::commandIcon(kCopy)
                                .pixmap(BCMenu::kIconWidth, BCMenu::kIconHeight, QIcon::Disabled)
                                .toImage();
    const QColor grey = disabled.pixelColor(4, 4);
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_GT(grey.red(), qGray(QColor(Qt::red).rgb()));
}

TEST_F(MenuFromDescription, AMissingToolbarOrBitmapLoadsNothing)
{
    EXPECT_EQ(menu.LoadToolbar(9399), 0);
    widgara::resources().setToolBar(9398, {kCopy});
    EXPECT_EQ(menu.LoadToolbar(9398), 0);
    EXPECT_FALSE(menu.LoadMenu(9397));
}

TEST_F(MenuFromDescription, RemovingByCommandTakesOneItemAndByPositionTheWholePopup)
{
    BCMenu* popup = menu.GetSubBCMenu(0);
    EXPECT_TRUE(menu.RemoveMenu(kLock, BCMenu::MF_BYCOMMAND));
    BCMenu* rows = popup->GetSubBCMenu(3);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->GetMenuItemCount(), 1);
    EXPECT_EQ(rows->GetMenuItemID(0), kInsertRow);
    EXPECT_FALSE(menu.RemoveMenu(kLock, BCMenu::MF_BYCOMMAND));

    EXPECT_TRUE(popup->RemoveMenu(3, BCMenu::MF_BYPOSITION));
    EXPECT_EQ(popup->GetMenuItemCount(), 3);
    EXPECT_EQ(popup->menu()->actions().size(), 3);
    EXPECT_FALSE(popup->RemoveMenu(7, BCMenu::MF_BYPOSITION));
}

TEST_F(MenuFromDescription, ItemsAreEnabledAndCheckedByCommand)
{
    BCMenu* popup = menu.GetSubBCMenu(0);
    EXPECT_EQ(menu.EnableMenuItem(kPaste, BCMenu::MF_GRAYED), BCMenu::MF_ENABLED);
    EXPECT_FALSE(popup->menu()->actions()[1]->isEnabled());
    EXPECT_EQ(menu.CheckMenuItem(kInsertRow, BCMenu::MF_CHECKED), BCMenu::MF_UNCHECKED);
    EXPECT_TRUE(popup->GetSubBCMenu(3)->menu()->actions()[1]->isChecked());
    EXPECT_EQ(menu.EnableMenuItem(12345, BCMenu::MF_GRAYED), unsigned(-1));
}

TEST(MenuItems, APopupAppendedByCodeHoldsItsItems)
{
    BCMenu menu;
    menu.AppendODMenu(QStringLiteral("删除"), BCMenu::MF_OWNERDRAW | BCMenu::MF_GRAYED, 57632);
    menu.AppendODMenu(QString(), BCMenu::MF_SEPARATOR);
    BCMenu* more = menu.AppendODPopupMenu(QStringLiteral("更多"));
    constexpr int kUnlock = 32820;  // a command no other test gives an icon
    more->AppendODMenu(QStringLiteral("解锁行"), BCMenu::MF_OWNERDRAW, kUnlock);
    ASSERT_EQ(menu.menu()->actions().size(), 3);
    EXPECT_FALSE(menu.menu()->actions()[0]->isEnabled());
    EXPECT_TRUE(menu.menu()->actions()[1]->isSeparator());
    EXPECT_EQ(menu.menu()->actions()[2]->menu(), more->menu());
    const QImage icons = strip({Qt::yellow});
    const QString text = QStringLiteral("解锁");
    EXPECT_TRUE(menu.ModifyODMenu(&text, kUnlock, icons, 0));
    EXPECT_EQ(more->menu()->actions()[0]->text(), text);
    EXPECT_FALSE(more->menu()->actions()[0]->icon().isNull());
    menu.DestroyMenu();
    EXPECT_EQ(menu.GetMenuItemCount(), 0);
}

} // namespace bcmenu_test
