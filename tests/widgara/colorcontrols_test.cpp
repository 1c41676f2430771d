// The colour controls of command bars (split button, colour grid, button
// with a swatch) and the lists that menus show in place of an item.

#include "platform/recordingdc.h"
#include "widgara/commandbars.h"
#include "widgara/controlcolor.h"
#include "widgara/resources.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace {

using platform::gdi::COLORREF;
using platform::gdi::RGB;

constexpr int kBar = 9301;
constexpr int kMenu = 9302;
constexpr int kColour = 33023;
constexpr int kSelector = 131;
constexpr int kRecent = 9310;

class Owner : public QWidget, public CXTPCommandBarsSite {
public:
    Owner()
    {
        resize(400, 200);
        bars.SetSite(this);
    }
    int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* request) override
    {
        if (request->nID != kColour)
            return 0;
        auto popup = std::make_unique<CXTPControlPopupColor>();
        auto bar = CXTPPopupToolBar::CreatePopupToolBar(&bars);
        selector = bar->GetControls()->Add(std::make_unique<CXTPControlColorSelector>(), kSelector);
        popup->SetCommandBar(std::move(bar));
        colour = popup.get();
        request->pControl = std::move(popup);
        return 1;
    }
    void OnCommand(int id) override { commands.push_back(id); }

    CXTPCommandBars bars;
    CXTPControlPopupColor* colour = nullptr;
    CXTPControlColorSelector* selector = nullptr;
    std::vector<int> commands;
};

class ColourControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgara::resources().setToolBar(kBar, {kColour});
        owner.bars.Add(QStringLiteral("表单行"))->LoadToolBar(kBar);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        ASSERT_TRUE(owner.colour && owner.colour->widget());
    }
    CXTPPopupToolBar* popup() const
    {
        return static_cast<CXTPPopupToolBar*>(owner.colour->GetCommandBar());
    }

    Owner owner;
};

TEST_F(ColourControls, TheBodyRunsTheCommandAndTheArrowOpensTheGrid)
{
    QWidget* button = owner.colour->widget();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    EXPECT_EQ(owner.commands, std::vector<int>{kColour});
    EXPECT_FALSE(popup()->isVisible());

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, button->height() / 2));
    EXPECT_EQ(owner.commands.size(), 1u);
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_TRUE(owner.colour->GetPopuped());
}

TEST_F(ColourControls, ChoosingACellKeepsItsColourRunsTheSelectorAndClosesTheGrid)
{
    QWidget* button = owner.colour->widget();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 3, 4));
    ASSERT_TRUE(popup()->isVisible());
    QWidget* grid = owner.selector->widget();
    ASSERT_TRUE(grid);
    using Sel = CXTPControlColorSelector;
    // Row 1, column 2 of the grid.
    const QPoint cell(3 + 2 * Sel::kCell + 5, 3 + 1 * Sel::kCell + 5);
    QTest::mouseClick(grid, Qt::LeftButton, {}, cell);
    EXPECT_EQ(owner.selector->GetColor(), Sel::standardColors()[10]);
    EXPECT_EQ(owner.commands, std::vector<int>{kSelector});
    EXPECT_FALSE(popup()->isVisible());
}

struct CellCase {
    int x, y;
    int index;
};

void PrintTo(const CellCase& c, std::ostream* os)
{
    *os << "(" << c.x << ", " << c.y << ")";
}

class SelectorCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(SelectorCells, OnlyThePointsOfACellChooseIt)
{
    const CellCase& c = GetParam();
    EXPECT_EQ(CXTPControlColorSelector::cellAt(QPoint(c.x, c.y)), c.index);
}

INSTANTIATE_TEST_SUITE_P(Points, SelectorCells,
                         ::testing::Values(CellCase{3, 3, 0}, CellCase{2, 3, -1},
                                           CellCase{3 + 7 * 18 + 15, 3, 7},
                                           CellCase{3 + 8 * 18, 3, -1},     // right of the grid
                                           CellCase{3 + 17, 3, -1},         // the gap
                                           CellCase{3 + 7 * 18, 3 + 4 * 18, 39},
                                           CellCase{3, 3 + 5 * 18, -1}));   // below the last row

bool filledWith(const platform::RecordingDc& dc, COLORREF colour)
{
    for (const platform::DcRecord& call : dc.records(platform::DcOp::FillSolidRect))
        if (COLORREF(call.value) == colour)
            return true;
    return false;
}

TEST(ColourButtons, ShowTheirColourAndGreyItOutWhenDisabled)
{
    CXTPControlButtonColor button;
    button.SetCaption(QStringLiteral("其他颜色..."));
    button.SetColor(RGB(200, 10, 20));
    platform::RecordingDc dc;
    button.Draw(&dc);
    EXPECT_TRUE(filledWith(dc, RGB(200, 10, 20)));
    EXPECT_GT(button.GetSize(&dc).width(), 12);

    CXTPControlPopupColor popup;
    popup.SetColor(RGB(1, 2, 3));
    platform::RecordingDc shown;
    popup.Draw(&shown);
    EXPECT_TRUE(filledWith(shown, RGB(1, 2, 3)));
    popup.SetEnabled(false);
    platform::RecordingDc greyed;
    popup.Draw(&greyed);
    EXPECT_FALSE(filledWith(greyed, RGB(1, 2, 3)));
    // Clones keep the colour.
    EXPECT_EQ(static_cast<CXTPControlPopupColor*>(popup.Clone().get())->GetColor(), RGB(1, 2, 3));
}

// menu lists

class MenuLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgara::resources().setMenu(
            kMenu, {{QStringLiteral("文件"), 0,
                     {{QStringLiteral("打开"), 9320, {}},
                      {QStringLiteral("最近文件"), kRecent, {}},
                      {QString(), 0, {}},
                      {QStringLiteral("退出"), 9321, {}}}}});
        owner.bars.SetMenu(QStringLiteral("菜单"), kMenu);
        owner.bars.SetMenuList(kRecent, [this] { return entries; });
        file = owner.bars.GetMenuBar()->actions().first()->menu();
    }
    // The menu's items as "text:id:enabled", visible ones only.
    QStringList shown()
    {
        Q_EMIT file->aboutToShow();
        QStringList items;
        for (QAction* a : file->actions())
            if (a->isVisible() && !a->isSeparator())
                items << QStringLiteral("%1:%2:%3").arg(a->text()).arg(a->data().toInt()).arg(a->isEnabled());
        return items;
    }

    Owner owner;
    QMenu* file = nullptr;
    QStringList entries;
};

TEST_F(MenuLists, EntriesTakeTheItemsPlaceNumberedFromTheFirstCommand)
{
    entries = {QStringLiteral("/a/x.pld"), QStringLiteral("/b/R&D.pld")};
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("打开:9320:1"), QStringLiteral("&1 /a/x.pld:9310:1"),
                                    QStringLiteral("&2 /b/R&&D.pld:9311:1"), QStringLiteral("退出:9321:1")}));
    // Opening the menu again rebuilds the list rather than adding to it.
    entries = {QStringLiteral("/c/y.pld")};
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("打开:9320:1"), QStringLiteral("&1 /c/y.pld:9310:1"),
                                    QStringLiteral("退出:9321:1")}));
    for (QAction* a : file->actions())
        if (a->data().toInt() == kRecent && a->isVisible())
            a->trigger();
    EXPECT_EQ(owner.commands, std::vector<int>{kRecent});
}

TEST_F(MenuLists, AnEmptyListShowsTheItemDisabled)
{
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("打开:9320:1"), QStringLiteral("最近文件:9310:0"),
                                    QStringLiteral("退出:9321:1")}));
}

} // namespace
