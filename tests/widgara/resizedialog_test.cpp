// The resizable dialog: anchored controls follow its size by their
// fractions, command bars make room for themselves, the placement is kept.

#include "widgara/commandbars.h"
#include "widgara/dlgitem.h"
#include "widgara/resizedialog.h"
#include "widgara/resources.h"

#include "platform/profile.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

constexpr int kList = 2001;
constexpr int kOk = 1;

class Dialog : public CXTResizeDialog {
public:
    explicit Dialog(int flags = 0) : CXTResizeDialog(2000, nullptr, flags)
    {
        resize(400, 300);
        list = new QWidget(this);
        list->setGeometry(10, 10, 200, 200);
        widgara::SetDlgCtrlID(list, kList);
        ok = new QPushButton(QStringLiteral("确定"), this);
        ok->setGeometry(320, 260, 60, 24);
        widgara::SetDlgCtrlID(ok, kOk);
    }

    bool OnInitDialog() override
    {
        CXTResizeDialog::OnInitDialog();
        SetResize(kList, SZ_TOP_LEFT, SZ_BOTTOM_RIGHT);
        SetResize(kOk, 1, 1, 1, 1);
        return true;
    }

    QWidget* list;
    QPushButton* ok;
};

struct AnchorCase {
    double left, top, right, bottom;
    QSize newSize;
    QRect expected; // of a control at (10, 10, 200 x 100) in a 400 x 300 dialog
};

class AnchorTest : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(AnchorTest, ControlMovesAndGrowsByItsFractions)
{
    const AnchorCase& c = GetParam();
    CXTResizeDialog dialog(1);
    dialog.resize(400, 300);
    auto* control = new QWidget(&dialog);
    control->setGeometry(10, 10, 200, 100);
    widgara::SetDlgCtrlID(control, 77);
    dialog.show();
    dialog.SetResize(77, c.left, c.top, c.right, c.bottom);
    dialog.resize(c.newSize);
    EXPECT_EQ(control->geometry(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fractions, AnchorTest,
    ::testing::Values(
        AnchorCase{0, 0, 0, 0, {500, 400}, QRect(10, 10, 200, 100)},    // stays
        AnchorCase{0, 0, 1, 1, {500, 400}, QRect(10, 10, 300, 200)},    // grows both ways
        AnchorCase{1, 1, 1, 1, {500, 400}, QRect(110, 110, 200, 100)},  // follows the corner
        AnchorCase{0, 0, 0, 1, {500, 400}, QRect(10, 10, 200, 200)},    // grows in height only
        AnchorCase{0, 1, 0, 1, {500, 400}, QRect(10, 110, 200, 100)},   // follows the bottom
        AnchorCase{0.5, 0, 0.5, 0, {500, 300}, QRect(60, 10, 200, 100)}, // keeps centred
        AnchorCase{0, 0, 1, 1, {400, 300}, QRect(10, 10, 200, 100)}));  // no growth

TEST(ResizeDialog, ControlsFollowAndTheFirstSizeIsTheSmallest)
{
    Dialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.minimumSize(), QSize(400, 300));
    dialog.resize(450, 380);
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 10, 250, 280));
    EXPECT_EQ(dialog.ok->geometry(), QRect(370, 340, 60, 24));
    dialog.resize(400, 300);
    EXPECT_EQ(dialog.ok->geometry(), QRect(320, 260, 60, 24));
}

TEST(ResizeDialog, NoMinsizeFlagLeavesTheSizeFree)
{
    Dialog dialog(xtResizeNoMinsize);
    dialog.show();
    EXPECT_LT(dialog.minimumSize().width(), 400);
}

TEST(ResizeDialog, OffsetMovesControlsForGood)
{
    Dialog dialog;
    dialog.show();
    dialog.Offset(0, 30);
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 40, 200, 200));
    dialog.resize(420, 320);
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 40, 220, 220));
    EXPECT_EQ(dialog.ok->geometry(), QRect(340, 310, 60, 24));
}

TEST(ResizeDialog, CommandBarsMakeRoomAtTheTop)
{
    widgara::resources().setToolBar(7001, {11, 12, 0, 13});
    Dialog dialog;
    CXTPCommandBars bars;
    bars.SetSite(&dialog);
    bars.Add(QStringLiteral("标准"))->LoadToolBar(7001);
    dialog.show();
    QMargins last;
    ASSERT_TRUE(dialog.MakeRoomForCommandBars(&bars, last));
    const int room = last.top();
    ASSERT_GT(room, 0);
    EXPECT_EQ(dialog.size(), QSize(400, 300 + room));
    EXPECT_EQ(dialog.recordedSize(), QSize(400, 300 + room));
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 10 + room, 200, 200));
    EXPECT_EQ(dialog.ok->geometry(), QRect(320, 260 + room, 60, 24));
    EXPECT_EQ(bars.hostWidget()->geometry(), QRect(0, 0, 400, room));
    // Nothing changed: nothing moves again.
    EXPECT_FALSE(dialog.MakeRoomForCommandBars(&bars, last));
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 10 + room, 200, 200));
    // Later growth still follows the anchors.
    dialog.resize(500, 300 + room + 50);
    EXPECT_EQ(dialog.list->geometry(), QRect(10, 10 + room, 300, 250));
    EXPECT_EQ(bars.hostWidget()->width(), 500);
}

TEST(ResizeDialog, PlacementIsSavedOnCloseAndRestored)
{
    {
        Dialog dialog;
        dialog.show();
        dialog.AutoLoadPlacement(QStringLiteral("RODORecord creator"));
        dialog.setGeometry(QRect(40, 50, 520, 410));
        dialog.close();
    }
    EXPECT_EQ(platform::profileValue(QStringLiteral("RODORecord creator"), QStringLiteral("Placement"))
                  .toString(),
              QStringLiteral("40,50,520,410,0"));
    Dialog again;
    again.show();
    again.AutoLoadPlacement(QStringLiteral("RODORecord creator"));
    EXPECT_EQ(again.size(), QSize(520, 410));
    // The controls were laid out for the restored size.
    EXPECT_EQ(again.list->geometry(), QRect(10, 10, 320, 310));
}

class DamagedPlacementTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedPlacementTest, IsIgnored)
{
    platform::setProfileValue(QStringLiteral("P"), QStringLiteral("Placement"),
                              QString::fromLatin1(GetParam()));
    Dialog dialog;
    dialog.show();
    EXPECT_FALSE(dialog.LoadPlacement(QStringLiteral("P")));
    EXPECT_EQ(dialog.size(), QSize(400, 300));
}

INSTANTIATE_TEST_SUITE_P(Values, DamagedPlacementTest,
                         ::testing::Values("", "1,2,3", "a,b,c,d,0", "10,10,0,300,0",
                                           "10,10,400,-5,0", "10,10,99999,300,0",
                                           "10,10,400,300,0,7"));

TEST(ResizeDialog, SmallerStoredSizeIsRaisedToTheSmallest)
{
    platform::setProfileValue(QStringLiteral("S"), QStringLiteral("Placement"),
                              QStringLiteral("0,0,100,80,0"));
    Dialog dialog;
    dialog.show();
    EXPECT_TRUE(dialog.LoadPlacement(QStringLiteral("S")));
    EXPECT_EQ(dialog.size(), QSize(400, 300));
}

TEST(ResizeDialog, EndDialogGivesItsValueAndAcceptGivesIdOk)
{
    Dialog dialog;
    dialog.show();
    dialog.EndDialog(7);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(widgara::GetDlgItem(&dialog, kOk), dialog.ok);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
}

} // namespace
