// A frame put together from the toolkit as the program's windows will be:
// document tabs, two docked panes (a project pane with its toolbar and a
// property grid), a status bar, and sheet tabs in each document window.

#include "app/panes/gridbuttonitem.h"
#include "app/panes/shapepictureitem.h"
#include "app/panes/toolbarpanewnd.h"

#include "core/model/shapemodel.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "widgara/exceltabctrl.h"
#include "widgara/frame.h"
#include "widgara/propertygrid.h"
#include "widgara/resources.h"
#include "widgara/statusbar.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kProjectPane = 4000;
constexpr int kPropertyPane = 4001;
constexpr int kMainToolBar = 9501;
constexpr int kFrameToolBar = 9502;
constexpr int kMenu = 9503;

QImage iconStrip(const std::vector<QColor>& colours)
{
    QImage strip(16 * int(colours.size()), 16, QImage::Format_RGB32);
    strip.fill(QColor(192, 192, 192));
    for (size_t i = 0; i < colours.size(); ++i)
        for (int y = 3; y < 13; ++y)
            for (int x = 3; x < 13; ++x)
                strip.setPixelColor(int(i) * 16 + x, y, colours[i]);
    return strip;
}

void registerResources()
{
    widgara::Resources& r = widgara::resources();
    r.setMenu(kMenu, {{QStringLiteral("文件"), 0, {{QStringLiteral("新建"), 9601, {}}}},
                      {QStringLiteral("视图"), 0, {{QStringLiteral("放大"), 9603, {}}}},
                      {QStringLiteral("设置"), 0, {{QStringLiteral("钢筋规格与理论重量"), 9604, {}}}}});
    r.setToolBar(kMainToolBar, {9601, 9602, 0, 9603, 9604});
    r.setBitmap(kMainToolBar, iconStrip({Qt::darkBlue, Qt::darkGreen, Qt::darkRed, Qt::darkYellow}));
    r.setToolBar(kFrameToolBar, {9611, 9612});
    r.setBitmap(kFrameToolBar, iconStrip({Qt::darkCyan, Qt::darkMagenta}));
    r.setString(kProjectPane, QStringLiteral("工程管理"));
    r.setString(kPropertyPane, QStringLiteral("属性"));
    r.setString(59144, QStringLiteral("重量"));
    r.setString(59143, QStringLiteral("版本5.0.3"));
}

// A document window: a frame of its own holding the sheet tabs.
QWidget* documentWindow(const QString& title, const QStringList& sheets)
{
    auto* frame = new CXTPFrameWnd;
    frame->setWindowTitle(title);
    auto* tabs = new CXTExcelTabCtrl(frame);
    for (const QString& sheet : sheets) {
        auto* view = new QLabel(sheet + QStringLiteral("（表格页面）"));
        view->setAlignment(Qt::AlignCenter);
        view->setStyleSheet(QStringLiteral("background: white;"));
        tabs->InsertItem(tabs->GetItemCount(), sheet, view);
    }
    tabs->SetSelTabBackColor(0, platform::gdi::RGB(112, 164, 216));
    for (int i = 0; i < tabs->GetItemCount(); ++i) {
        if (i > 0)
            tabs->SetSelTabBackColor(i, platform::gdi::RGB(158, 158, 158));
        tabs->SetSelTabTextColor(i, platform::gdi::RGB(255, 255, 255));
    }
    tabs->SetCurSel(0);
    frame->setCentralWidget(tabs);
    return frame;
}

class DemoFrame : public CXTPMDIFrameWnd {
public:
    DemoFrame()
    {
        registerResources();
        setWindowTitle(QStringLiteral("Rodo表"));
        resize(1200, 760);
        InitCommandBars();
        GetCommandBars()->SetMenu(QStringLiteral("标准菜单"), kMenu);
        GetCommandBars()->Add(QStringLiteral("标准"), xtpBarTop)->LoadToolBar(kMainToolBar);

        status.Create(this);
        status.SetIndicators({ID_SEPARATOR, 59144});
        CXTPStatusBarPane* caption = status.AddIndicator(59142, 0);
        caption->SetText(QStringLiteral("钢筋翻样"));
        caption->SetStyle(caption->GetStyle() | SBPS_POPOUT);
        caption->SetTextColor(platform::gdi::RGB(0, 0, 127));
        status.AddIndicator(59143);

        panes.InstallDockingPanes(this);
        panes.CreatePane(kProjectPane, QRect(0, 0, 200, 120), xtpPaneDockLeft);
        panes.CreatePane(kPropertyPane, QRect(0, 0, 260, 120), xtpPaneDockRight);

        tabs.Attach(this, true);
        tabs.EnableToolTips(xtpTabToolTipAlways);
        MDIAddChild(documentWindow(QStringLiteral("配料单1.pld"),
                                   {QStringLiteral("钢筋配料单"), QStringLiteral("规格排序"), QStringLiteral("用量汇总"),
                                    QStringLiteral("接头汇总"), QStringLiteral("原材进货"), QStringLiteral("钢筋料牌"),
                                    QStringLiteral("优化断料"), QStringLiteral("目录")}));
        MDIAddChild(documentWindow(QStringLiteral("加工单1.jgd"),
                                   {QStringLiteral("加工明细单"), QStringLiteral("加工汇总单"), QStringLiteral("钢筋料牌")}));
    }

    long OnDockingPaneNotify(int code, CXTPDockingPane* pane) override
    {
        if (code != XTP_DPN_SHOWWINDOW)
            return 0;
        if (pane->GetID() == kProjectPane) {
            auto* window = new CToolBarPaneWnd(kFrameToolBar);
            window->createPaneWindow(this);
            auto* list = static_cast<QListWidget*>(window->clientControl());
            list->addItems({QStringLiteral("某小区1#楼"), QStringLiteral("  基础"), QStringLiteral("  一层"),
                            QStringLiteral("    配料单1.pld"), QStringLiteral("    加工单1.jgd")});
            pane->Attach(window);
        } else if (pane->GetID() == kPropertyPane) {
            pane->Attach(propertyGrid());
        }
        return 1;
    }

    CXTPPropertyGrid* propertyGrid()
    {
        auto* grid = new CXTPPropertyGrid;
        CXTPPropertyGridItemCategory* basic = grid->GetGridView()->AddCategory(QStringLiteral("钢筋基本属性"));
        basic->AddChildItem(std::make_unique<CXTPPropertyGridItem>(QStringLiteral("钢筋编号"), QStringLiteral("1")));
        basic->AddChildItem(std::make_unique<CXTPPropertyGridItemNumber>(QStringLiteral("每件根数"), 12));
        auto* d = basic->AddChildItem(
            std::make_unique<CXTPPropertyGridItemDouble>(QStringLiteral("直径(mm)"), 25.0, QStringLiteral("%.1f")));
        d->SetID(112);
        auto* connect = basic->AddChildItem(
            std::make_unique<CXTPPropertyGridItemDouble>(QStringLiteral("连接长度"), 1176.0, QStringLiteral("%.0f")));
        auto calc = std::make_unique<CXTPPropertyGridInplaceButton>(1);
        calc->SetCaption(QStringLiteral("计算"));
        connect->GetInplaceButtons()->AddButton(std::move(calc));
        basic->Expand();
        CXTPPropertyGridItemCategory* shape = grid->GetGridView()->AddCategory(QStringLiteral("钢筋大样"));
        auto* picture = shape->AddChildItem(std::make_unique<CShapePictureItem>(QStringLiteral("形状")));
        auto model = std::make_unique<CVes_ShapeModel>();
        model->AddLSide(200, 60, 200, 240, 3, 0, 0);
        model->AddLSide(200, 240, 1300, 240, 3, 0, 0);
        model->AddLSide(1300, 240, 1300, 60, 3, 0, 0);
        picture->SetPicture(std::move(model));
        picture->SetHeight(32);
        picture->SetFlags(xtpGridItemHasExpandButton);
        shape->AddChildItem(std::make_unique<CGridButtonItem>(QStringLiteral("水平翻转"), false, true));
        shape->AddChildItem(std::make_unique<CGridButtonItem>(QStringLiteral("垂直翻转"), false, true));
        shape->Expand();
        return grid;
    }

    CXTPStatusBar status;
    CXTPDockingPaneManager panes;
    CXTPTabClientWnd tabs;
};

TEST(TestFrame, DocumentTabsPanesStatusBarAndSheetTabsWorkTogether)
{
    DemoFrame frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(50);
    EXPECT_TRUE(frame.panes.FindPane(kProjectPane)->IsValid());
    EXPECT_TRUE(frame.panes.FindPane(kPropertyPane)->IsValid());
    ASSERT_NE(frame.tabs.tabBar(), nullptr);
    EXPECT_EQ(frame.tabs.tabBar()->count(), 2);
    auto* sheets = frame.MDIGetActive()->findChild<CXTExcelTabCtrl*>();
    ASSERT_NE(sheets, nullptr);
    EXPECT_EQ(frame.status.GetPaneText(0), QStringLiteral("钢筋翻样"));
    frame.mdiArea()->subWindowList().front()->setFocus();
    test::saveScreenshot(frame, "testframe");
}

} // namespace
