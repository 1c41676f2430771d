// Number and real items, in-place buttons (notification 5), expanding and
// collapsing by the user (notification 7), and what items that show windows
// of their own hear of their rows.

#include "widgara/propertygrid.h"
#include "widgara/resources.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QValidator>
#include <gtest/gtest.h>

namespace {

struct ItemNotice {
    int code;
    int id;
};

// Records what the grid tells an item about its row.
class WatchedItem : public CXTPPropertyGridItem {
public:
    using CXTPPropertyGridItem::CXTPPropertyGridItem;
    void SetVisible(bool bVisible) override
    {
        CXTPPropertyGridItem::SetVisible(bVisible);
        events.push_back(bVisible ? "shown" : "hidden");
    }
    void OnIndexChanged() override { events.push_back("moved to " + std::to_string(GetIndex())); }
    std::vector<std::string> events;
};

class PropertyGridItemsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(360, 400);
        QObject::connect(&grid, &CXTPPropertyGrid::gridNotify, &grid,
                         [this](int code, CXTPPropertyGridItem* item) { notices.push_back({code, item->GetID()}); });
        basic = grid.GetGridView()->AddCategory(QStringLiteral("钢筋基本属性"));
        basic->SetID(1);
        count = basic->AddChildItem(std::make_unique<CXTPPropertyGridItemNumber>(QStringLiteral("每件根数"), 4));
        count->SetID(107);
        diameter = basic->AddChildItem(
            std::make_unique<CXTPPropertyGridItemDouble>(QStringLiteral("直径(mm)"), 12.0, QStringLiteral("%.1f")));
        diameter->SetID(112);
        length = basic->AddChildItem(
            std::make_unique<CXTPPropertyGridItemDouble>(QStringLiteral("连接长度"), 480.0, QStringLiteral("%.0f")));
        length->SetID(402);
        auto calc = std::make_unique<CXTPPropertyGridInplaceButton>(1);
        calc->SetCaption(QStringLiteral("计算"));
        calcButton = length->GetInplaceButtons()->AddButton(std::move(calc));
        watched = basic->AddChildItem(std::make_unique<WatchedItem>(QStringLiteral("形状")));
        watched->SetID(201);
        basic->Expand();
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        notices.clear();
    }

    QWidget* viewport() const { return grid.view()->viewport(); }

    CXTPPropertyGrid grid;
    CXTPPropertyGridItemCategory* basic = nullptr;
    CXTPPropertyGridItemNumber* count = nullptr;
    CXTPPropertyGridItemDouble* diameter = nullptr;
    CXTPPropertyGridItemDouble* length = nullptr;
    CXTPPropertyGridInplaceButton* calcButton = nullptr;
    WatchedItem* watched = nullptr;
    std::vector<ItemNotice> notices;
};

TEST_F(PropertyGridItemsTest, ATypedNumberReachesTheOwnerAsAValueChange)
{
    count->Select();
    notices.clear();
    grid.view()->editItem(count->node(), 1);
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("x2a5"));  // the box takes digits only
    EXPECT_EQ(edit->text(), QStringLiteral("25"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();  // the view commits the edit from its event loop
    EXPECT_EQ(count->GetNumber(), 25);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, XTP_PGN_ITEMVALUE_CHANGED);
    EXPECT_EQ(notices[0].id, 107);
}

// A value given to a number or real item as text.
struct ValueTextCase {
    const char* name;
    bool real;
    const char* format;
    const char* text;
    const char* shown;
};

class ValueTexts : public ::testing::TestWithParam<ValueTextCase> {};

TEST_P(ValueTexts, ShowTheValueTheTextHolds)
{
    const ValueTextCase& c = GetParam();
    std::unique_ptr<CXTPPropertyGridItem> item;
    if (c.real)
        item = std::make_unique<CXTPPropertyGridItemDouble>(QStringLiteral("v"), 7.0, QString::fromLatin1(c.format));
    else
        item = std::make_unique<CXTPPropertyGridItemNumber>(QStringLiteral("v"), 7);
    item->SetValue(QString::fromLatin1(c.text));
    EXPECT_EQ(item->GetValue(), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Items, ValueTexts,
    ::testing::Values(ValueTextCase{"Number", false, "", "-12", "-12"},
                      ValueTextCase{"NumberWithBlanks", false, "", " 30 ", "30"},
                      ValueTextCase{"NumberNotANumberKeepsTheValue", false, "", "abc", "7"},
                      ValueTextCase{"NumberFractionKeepsTheValue", false, "", "2.5", "7"},
                      ValueTextCase{"OneDecimal", true, "%.1f", "8.26", "8.3"},
                      ValueTextCase{"NoDecimal", true, "%.0f", "1234.4", "1234"},
                      ValueTextCase{"DefaultFormat", true, "", "1.5", "1.50"},
                      ValueTextCase{"RealNotANumberKeepsTheValue", true, "%.1f", "1,5", "7.0"},
                      ValueTextCase{"InfinityKeepsTheValue", true, "%.1f", "inf", "7.0"},
                      ValueTextCase{"FormatOfATextIsNotTaken", true, "%s", "3", "3.00"},
                      ValueTextCase{"FormatOfTwoValuesIsNotTaken", true, "%f %f", "3", "3.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueValidators, RealItemsTakeNumbersInThePointForm)
{
    CXTPPropertyGridItemDouble real(QStringLiteral("v"));
    QObject owner;
    std::unique_ptr<QValidator> validator = real.createValidator(&owner);
    ASSERT_NE(validator, nullptr);
    QString text = QStringLiteral("6.5");
    int at = 0;
    EXPECT_EQ(validator->validate(text, at), QValidator::Acceptable);
    text = QStringLiteral("6,5");
    EXPECT_NE(validator->validate(text, at), QValidator::Acceptable);
    EXPECT_EQ(CXTPPropertyGridItem(QStringLiteral("t")).createValidator(&owner), nullptr);
}

TEST_F(PropertyGridItemsTest, PressingAnInplaceButtonNotifiesWithItsItem)
{
    const QRect button = calcButton->GetRect();
    ASSERT_FALSE(button.isEmpty());
    EXPECT_EQ(button.right(), length->GetValueRect().right());
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, button.center());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, XTP_PGN_INPLACEBUTTONDOWN);
    EXPECT_EQ(notices[0].id, 402);
    EXPECT_EQ(grid.GetPressedButton(), calcButton);
    EXPECT_EQ(length->GetValue(), QStringLiteral("480")) << "a press changes no value";

    calcButton->SetEnabled(false);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, button.center());
    EXPECT_EQ(notices.size(), 1u) << "a disabled button reports nothing";
}

TEST_F(PropertyGridItemsTest, TheExpandButtonFollowsTheFlag)
{
    watched->SetFlags(xtpGridItemHasExpandButton);
    CXTPPropertyGridInplaceButton* dots = watched->GetInplaceButtons()->Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    ASSERT_NE(dots, nullptr);
    EXPECT_EQ(dots->GetCaption(), QStringLiteral("..."));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, dots->GetRect().center());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, XTP_PGN_INPLACEBUTTONDOWN);
    EXPECT_EQ(grid.GetPressedButton()->GetID(), XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    watched->SetFlags(0);
    EXPECT_EQ(watched->GetInplaceButtons()->GetCount(), 0);
}

TEST_F(PropertyGridItemsTest, TheUsersExpandingAndCollapsingIsNotified)
{
    basic->Collapse();
    basic->Expand();
    EXPECT_TRUE(notices.empty()) << "the owner's own calls are not notified";

    basic->Select();
    notices.clear();
    QTest::keyClick(grid.view(), Qt::Key_Left);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].code, XTP_PGN_ITEMEXPANDCHANGED);
    EXPECT_EQ(notices[0].id, 1);
    EXPECT_FALSE(basic->IsExpanded());
    QTest::keyClick(grid.view(), Qt::Key_Right);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].code, XTP_PGN_ITEMEXPANDCHANGED);
    EXPECT_TRUE(basic->IsExpanded());
}

TEST_F(PropertyGridItemsTest, ItemsHearWhenTheirRowIsShownHiddenOrMoved)
{
    EXPECT_TRUE(watched->IsVisible());
    EXPECT_EQ(watched->GetIndex(), 4);
    watched->events.clear();

    diameter->SetHidden(true);
    basic->Collapse();
    basic->Expand();
    grid.ResetContent();
    EXPECT_EQ(watched->events, std::vector<std::string>({"moved to 3", "hidden", "shown", "moved to 3", "hidden"}));
    EXPECT_EQ(watched->GetIndex(), -1);
}

TEST_F(PropertyGridItemsTest, RowsTakeTheirOwnHeight)
{
    const int before = watched->GetItemRect().height();
    watched->SetHeight(32);
    QApplication::processEvents();  // the view lays its rows out again from its event loop
    EXPECT_EQ(watched->GetItemRect().height(), 32);
    EXPECT_NE(before, 32);
    EXPECT_EQ(watched->GetIndent(), 1);
}

TEST_F(PropertyGridItemsTest, AChoiceShowsItsImage)
{
    QImage strip(24, 12, QImage::Format_RGB32);
    strip.fill(Qt::red);
    widgara::resources().setBitmap(9133, strip);
    ASSERT_TRUE(grid.GetImageManager()->SetIcons(9133, {0, 1}, {12, 12}, platform::gdi::RGB(192, 192, 192)));
    auto* grade = basic->AddChildItem(std::make_unique<CXTPPropertyGridItemEnum>(QStringLiteral("级别"), 3));
    grade->GetConstraints()->AddConstraint(QStringLiteral("一级钢(HPB300)"), 1, 0);
    grade->GetConstraints()->AddConstraint(QStringLiteral("三级钢(HRB400)"), 3, 1);
    EXPECT_EQ(grade->GetValue(), QStringLiteral("三级钢(HRB400)"));
    EXPECT_EQ(grade->GetConstraints()->GetImageAt(1), 1);
    EXPECT_FALSE(grid.GetImageManager()->GetIcon(1).isNull());
}

} // namespace
