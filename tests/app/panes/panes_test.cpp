// Pane windows with a toolbar over their client, the shape picture item of
// the property grid, the grid's push-button item, and the picture button.

#include "app/panes/gridbuttonitem.h"
#include "app/panes/shapepictureitem.h"
#include "app/panes/toolbarpanewnd.h"
#include "app/shell/picturebutton.h"

#include "core/model/shapemodel.h"
#include "platform/recordingdc.h"
#include "widgara/propertygrid.h"
#include "widgara/resources.h"

#include <QApplication>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

constexpr int kPaneToolBar = 9401;

class ToolBarPane : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgara::resources().setToolBar(kPaneToolBar, {9402, 9403});
        parent.resize(300, 400);
    }
    QWidget parent;
};

TEST_F(ToolBarPane, WithoutAToolbarTheClientFillsThePane)
{
    CToolBarPaneWnd pane(0);
    EXPECT_EQ(pane.createPaneWindow(&parent), &pane);
    parent.show();
    pane.setGeometry(0, 0, 200, 300);
    EXPECT_EQ(pane.toolBar(), nullptr);
    ASSERT_NE(pane.clientControl(), nullptr);
    EXPECT_EQ(pane.clientControl()->geometry(), QRect(0, 0, 200, 300));
}

TEST_F(ToolBarPane, TheToolbarKeepsItsHeightAndTheClientTakesTheRest)
{
    CToolBarPaneWnd pane(kPaneToolBar);
    pane.createPaneWindow(&parent);
    parent.show();
    pane.setGeometry(0, 0, 200, 300);
    ASSERT_NE(pane.toolBar(), nullptr);
    EXPECT_EQ(pane.toolBar()->GetControlCount(), 2);
    const QRect client = pane.clientControl()->geometry();
    EXPECT_GE(client.top(), 23) << "the buttons are 23 high";
    EXPECT_EQ(client.bottom(), 299);
    const int toolbarHeight = client.top();
    pane.setGeometry(0, 0, 260, 500);
    EXPECT_EQ(pane.clientControl()->geometry(), QRect(0, toolbarHeight, 260, 500 - toolbarHeight));
}

TEST_F(ToolBarPane, AskingTwiceMakesTheWindowOnce)
{
    CToolBarPaneWnd pane(kPaneToolBar);
    QWidget* first = pane.createPaneWindow(&parent);
    QWidget* client = pane.clientControl();
    QWidget other;
    EXPECT_EQ(pane.createPaneWindow(&other), first);
    EXPECT_EQ(pane.parentWidget(), &parent);
    EXPECT_EQ(pane.clientControl(), client);
}

// Where a picture is fitted in a value cell.
struct FitCase {
    const char* name;
    int height;
    int width;
    QRect value;
    QRect expected;
};

class PictureFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(PictureFit, KeepsTheRatioAndCentres)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(CShapePictureItem::fitPicture(c.height, c.width, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureFit,
    ::testing::Values(FitCase{"TallInAWideCell", 200, 100, QRect(0, 0, 100, 20), QRect(45, 0, 10, 20)},
                      FitCase{"WideInATallCell", 100, 200, QRect(10, 10, 40, 100), QRect(10, 50, 40, 20)},
                      FitCase{"SameRatioFillsTheCell", 30, 150, QRect(5, 5, 100, 20), QRect(5, 5, 100, 20)},
                      FitCase{"ShapeOfTheLibrary", 300, 1500, QRect(120, 64, 150, 32), QRect(120, 65, 150, 30)},
                      FitCase{"NoWidth", 300, 0, QRect(0, 0, 100, 20), QRect()},
                      FitCase{"EmptyCell", 300, 100, QRect(0, 0, 0, 20), QRect()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShapePictureItem, DrawsThePictureInItsPlaceOrLeavesTheValueText)
{
    CShapePictureItem item(QStringLiteral("形状"));
    platform::RecordingDc dc;
    EXPECT_FALSE(item.OnDrawItemValue(dc, QRect(0, 0, 100, 20)));
    EXPECT_TRUE(dc.drawing().empty());

    auto picture = std::make_unique<CVes_ShapeModel>();
    picture->m_rectH = 200;
    picture->m_rectW = 100;
    picture->AddLine(0, 0, 100, 200, 1, 0, 0);
    item.SetPicture(std::move(picture));
    EXPECT_TRUE(item.OnDrawItemValue(dc, QRect(0, 0, 100, 20)));
    EXPECT_FALSE(dc.drawing().empty());
    EXPECT_EQ(dc.count(platform::DcOp::SaveDC), dc.count(platform::DcOp::RestoreDC));
}

class GridButtonItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(300, 300);
        QObject::connect(&grid, &CXTPPropertyGrid::gridNotify, &grid,
                         [this](int code, CXTPPropertyGridItem* item) {
                             if (code == XTP_PGN_ITEMVALUE_CHANGED)
                                 changes.push_back({item->GetID(), static_cast<CGridButtonItem*>(item)->GetBool()});
                         });
        shape = grid.AddCategory(QStringLiteral("钢筋大样"));
        flip = shape->AddChildItem(std::make_unique<CGridButtonItem>(QStringLiteral("水平翻转"), false, true));
        flip->SetID(202);
        row = shape->AddChildItem(std::make_unique<CGridButtonItem>(QStringLiteral("垂直翻转"), true, true));
        row->SetID(203);
        shape->Expand();
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    CXTPPropertyGrid grid;
    CXTPPropertyGridItemCategory* shape = nullptr;
    CGridButtonItem* flip = nullptr;
    CGridButtonItem* row = nullptr;
    std::vector<std::pair<int, bool>> changes;
};

TEST_F(GridButtonItemTest, EveryPressReportsAChangeWithTheValueAlternating)
{
    ASSERT_NE(flip->button(), nullptr);
    EXPECT_EQ(flip->GetCaption(), QStringLiteral("水平翻转"));
    EXPECT_EQ(flip->button()->text(), QStringLiteral("水平翻转"));
    EXPECT_EQ(flip->button()->geometry(), flip->GetValueRect());
    EXPECT_EQ(flip->button()->parentWidget(), grid.view()->viewport());
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(flip->button(), Qt::LeftButton);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{202, false}, {202, true}, {202, false}}));
    EXPECT_FALSE(flip->button()->isChecked());
}

TEST_F(GridButtonItemTest, AFullRowButtonCoversTheRowBesideItsIndent)
{
    EXPECT_TRUE(row->GetCaption().isEmpty());
    ASSERT_NE(row->button(), nullptr);
    const QRect item = row->GetItemRect();
    EXPECT_EQ(row->button()->geometry(), QRect(item.left() + 14, item.top(), item.width() - 14, item.height() - 1));
}

TEST_F(GridButtonItemTest, CollapsingRemovesTheButtonAndExpandingMakesItAgain)
{
    QTest::keyClick(grid.view(), Qt::Key_Home);  // the category row
    shape->Collapse();
    EXPECT_EQ(flip->button(), nullptr);
    EXPECT_EQ(row->button(), nullptr);
    shape->Expand();
    ASSERT_NE(flip->button(), nullptr);
    EXPECT_EQ(flip->button()->geometry(), flip->GetValueRect());
    flip->SetHidden(true);
    EXPECT_EQ(flip->button(), nullptr);
    EXPECT_EQ(row->button()->geometry().top(), row->GetItemRect().top()) << "the row below moved up";
    grid.ResetContent();
    EXPECT_EQ(row->button(), nullptr);
}

TEST(PictureButton, PicturesFromResourcesWithTheirResults)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 5; x < 15; ++x)
        picture.setPixelColor(x, 5, Qt::red);
    widgara::resources().setBitmap(9141, picture);
    CPictureButton button;
    EXPECT_EQ(button.SetBitmaps(9141, platform::gdi::RGB(255, 255, 255)), CPictureButton::BTNST_OK);
    EXPECT_EQ(button.sizeHint(), QSize(28, 18));
    const QImage shown = button.pictureIn().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << "white is not drawn";
    EXPECT_EQ(shown.pixelColor(6, 5), QColor(Qt::red));
    EXPECT_TRUE(button.pictureOut().isNull());
    EXPECT_EQ(&button.currentPicture(), &button.pictureIn());

    EXPECT_EQ(button.SetBitmaps(9141, platform::gdi::RGB(255, 255, 255), CPictureButton::BTNST_AUTO_GRAY),
              CPictureButton::BTNST_OK);
    const QImage grey = button.pictureOut().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(grey.pixelColor(6, 5), QColor(qGray(QColor(Qt::red).rgb()), qGray(QColor(Qt::red).rgb()),
                                           qGray(QColor(Qt::red).rgb())));
    EXPECT_EQ(&button.currentPicture(), &button.pictureOut()) << "the second picture shows at rest";

    EXPECT_EQ(button.SetBitmaps(9999, 0), CPictureButton::BTNST_INVALIDRESOURCE);
    EXPECT_TRUE(button.pictureIn().isNull()) << "the pictures set before are dropped";
    EXPECT_EQ(button.SetBitmaps(9141, 0, 9998, 0), CPictureButton::BTNST_INVALIDRESOURCE);
}

} // namespace
