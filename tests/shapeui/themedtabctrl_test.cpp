// The themed tab control: orientation from the style, item rectangles, hit
// tests and the display rectangle on all four sides, selection notices and
// the classic look without visual styles.

#include "shapeui/themedtabctrl.h"

#include "tests/shapeui/stylesswitch.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using platform::Rect;

namespace {

struct SideCase {
    const char* name;
    unsigned style;
    int orientation;
    QTabWidget::TabPosition position;
};

class TabSides : public ::testing::TestWithParam<SideCase> {};

void fill(CVes_ThemedTabCtrl* tabs)
{
    tabs->InsertItem(0, QStringLiteral("常用"));
    tabs->InsertItem(1, QStringLiteral("梁"));
    tabs->InsertItem(2, QStringLiteral("从钢筋库调用"));
}

} // namespace

TEST_P(TabSides, ItemsStandOnTheirSideOfTheDisplayRectangle)
{
    const SideCase c = GetParam();
    CVes_ThemedTabCtrl tabs;
    tabs.ModifyStyle(0, c.style);
    EXPECT_EQ(tabs.GetOrientation(), c.orientation);
    EXPECT_EQ(tabs.tabPosition(), c.position);
    fill(&tabs);
    tabs.resize(400, 300);
    tabs.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));

    Rect display(0, 0, 400, 300);
    tabs.AdjustRect(false, &display);
    EXPECT_FALSE(display.IsRectEmpty());
    EXPECT_LT(display.Width() * display.Height(), 400 * 300);
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        Rect item;
        ASSERT_TRUE(tabs.GetItemRect(i, &item));
        const QPoint centre = item.CenterPoint();
        switch (c.orientation) {
        case 0: EXPECT_LT(centre.y(), display.top); break;
        case 1: EXPECT_GE(centre.y(), display.bottom); break;
        case 2: EXPECT_LT(centre.x(), display.left); break;
        case 3: EXPECT_GE(centre.x(), display.right); break;
        }
        unsigned flags = 0;
        EXPECT_EQ(tabs.HitTest(centre, &flags), i);
        EXPECT_EQ(flags, CVes_ThemedTabCtrl::TCHT_ONITEM);
    }
    unsigned flags = 0;
    EXPECT_EQ(tabs.HitTest(display.CenterPoint(), &flags), -1);
    EXPECT_EQ(flags, CVes_ThemedTabCtrl::TCHT_NOWHERE);
    EXPECT_EQ(tabs.HitTest(QPoint(-5, -5)), -1);

    // The window rectangle of the display rectangle is the window again,
    // for any rectangle.
    Rect back = display;
    tabs.AdjustRect(true, &back);
    EXPECT_EQ(back, Rect(0, 0, 400, 300));
    Rect other(10, 20, 210, 170);
    Rect inner = other;
    tabs.AdjustRect(false, &inner);
    EXPECT_EQ(inner.left - other.left, display.left);
    EXPECT_EQ(other.bottom - inner.bottom, 300 - display.bottom);
    tabs.AdjustRect(true, &inner);
    EXPECT_EQ(inner, other);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, TabSides,
    ::testing::Values(SideCase{"Top", 0, 0, QTabWidget::North},
                      SideCase{"Bottom", CVes_ThemedTabCtrl::TCS_BOTTOM, 1, QTabWidget::South},
                      SideCase{"Left", CVes_ThemedTabCtrl::TCS_VERTICAL, 2, QTabWidget::West},
                      SideCase{"Right",
                               CVes_ThemedTabCtrl::TCS_VERTICAL | CVes_ThemedTabCtrl::TCS_RIGHT,
                               3, QTabWidget::East}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ThemedTabCtrl, StyleChangesMoveTheTabs)
{
    CVes_ThemedTabCtrl tabs;
    tabs.ModifyStyle(0, CVes_ThemedTabCtrl::TCS_MULTILINE | CVes_ThemedTabCtrl::TCS_RIGHT);
    EXPECT_EQ(tabs.GetOrientation(), 1);
    // As the common-bars dialog does: the tabs go to the left.
    tabs.ModifyStyle(CVes_ThemedTabCtrl::TCS_MULTILINE | CVes_ThemedTabCtrl::TCS_RIGHT,
                     CVes_ThemedTabCtrl::TCS_VERTICAL);
    EXPECT_EQ(tabs.GetOrientation(), 2);
    EXPECT_EQ(tabs.GetStyle(), CVes_ThemedTabCtrl::TCS_VERTICAL);
    EXPECT_EQ(tabs.tabPosition(), QTabWidget::West);
}

TEST(ThemedTabCtrl, ItemsTextsAndImages)
{
    CVes_ThemedTabCtrl tabs;
    fill(&tabs);
    EXPECT_EQ(tabs.InsertItem(99, QStringLiteral("末"), 0), 3); // appended
    EXPECT_EQ(tabs.InsertItem(-1, QStringLiteral("x")), -1);
    EXPECT_EQ(tabs.GetItemText(2), QStringLiteral("从钢筋库调用"));
    EXPECT_EQ(tabs.GetItemImage(3), 0);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    tabs.SetImageList({QIcon(pixmap)});
    EXPECT_FALSE(tabs.tabIcon(3).isNull());
    EXPECT_TRUE(tabs.tabIcon(0).isNull());
    EXPECT_TRUE(tabs.SetItemText(1, QStringLiteral("柱")));
    EXPECT_EQ(tabs.GetItemText(1), QStringLiteral("柱"));
    EXPECT_TRUE(tabs.DeleteItem(1));
    EXPECT_EQ(tabs.GetItemImage(2), 0);
    EXPECT_FALSE(tabs.DeleteItem(7));
    Rect r;
    EXPECT_FALSE(tabs.GetItemRect(7, &r));
    tabs.DeleteAllItems();
    EXPECT_EQ(tabs.GetItemCount(), 0);
    EXPECT_EQ(tabs.GetCurSel(), -1);
}

TEST(ThemedTabCtrl, UserSelectionNotifiesAndRemembersThePreviousTab)
{
    CVes_ThemedTabCtrl tabs;
    fill(&tabs);
    tabs.resize(400, 300);
    tabs.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
    QSignalSpy changing(&tabs, &CVes_ThemedTabCtrl::selChanging);
    QSignalSpy changed(&tabs, &CVes_ThemedTabCtrl::selChanged);

    // Selecting from code sends nothing and answers the old selection.
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.SetCurSel(5), -1);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(changed.count(), 0);

    Rect item;
    ASSERT_TRUE(tabs.GetItemRect(2, &item));
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {},
                      tabs.tabBar()->mapFrom(&tabs, item.CenterPoint()));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    ASSERT_EQ(changing.count(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 2);
    EXPECT_EQ(tabs.GetPreviousSel(), 1);
}

TEST(ThemedTabCtrl, WithoutVisualStylesItIsAPlainTabControl)
{
    CVes_ThemedTabCtrl themed;
    EXPECT_TRUE(themed.IsThemed());
    EXPECT_EQ(themed.style(), QApplication::style());

    test::StylesSwitch off(false);
    CVes_ThemedTabCtrl plain;
    fill(&plain);
    EXPECT_FALSE(plain.IsThemed());
    EXPECT_EQ(plain.style()->name(), QStringLiteral("windows"));
    EXPECT_EQ(plain.tabBar()->style(), plain.style());

    // Themed drawing switched off by the program: the same.
    CVes_ThemeLib::setStylesAvailable(true);
    themed.EnableThemedDrawing(false);
    EXPECT_FALSE(themed.IsThemed());
    EXPECT_EQ(themed.style()->name(), QStringLiteral("windows"));
    themed.EnableThemedDrawing(true);
    EXPECT_EQ(themed.style(), QApplication::style());
}
