// The two panes as a bar-list frame hosts them: the property pane and the
// element tree docked beside the sheet, kept current by the sheet view's
// change notice and telling the frame of edits and jumps. With
// RODO_SCREENSHOT_DIR set, the frame and the dialogs are left there as
// pictures for a person to look at.

#include "app/documents/barsortdlg.h"
#include "app/documents/deliverynotedlg.h"
#include "app/views/summaryoptionsdlg.h"
#include "app/panes/barpropertyitems.h"
#include "app/panes/barpropertypanewnd.h"
#include "app/panes/elementtreepanewnd.h"

#include "tables/framework/ui/tableview.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barlist_pages.h"
#include "widgara/dockingpane.h"
#include "widgara/frame.h"
#include "widgara/propertygrid.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPropertyPane = 4001;
constexpr int kElementPane = 4003;

// A bar-list frame reduced to what the panes need of it.
class BarListFrame : public CXTPFrameWnd {
public:
    explicit BarListFrame(CVes_SetupTable& table) : m_table(table)
    {
        setWindowTitle(QStringLiteral("滨江花园3号楼.pld"));
        resize(1400, 860);
        m_view = new CVes_TableViewBase(this);
        m_view->setTable(&table);
        setCentralWidget(m_view);
        QObject::connect(m_view, &CVes_TableViewBase::tableChanged, this,
                         [this](CVes_TableBase* changed) { onTableChanged(changed); });

        m_panes.InstallDockingPanes(this);
        m_panes.CreatePane(kPropertyPane, QRect(0, 0, 300, 120), xtpPaneDockRight);
        CXTPDockingPane* tree = m_panes.CreatePane(kElementPane, QRect(0, 120, 300, 140),
                                                   xtpPaneDockBottom, m_panes.FindPane(kPropertyPane));
        m_panes.FindPane(kPropertyPane)->SetTitle(QStringLiteral("属性\n属性"));
        tree->SetTitle(QStringLiteral("构件\n构件"));
        m_panes.AttachPane(tree, m_panes.FindPane(kPropertyPane));
        m_panes.ShowPane(kPropertyPane);
    }

    // Each pane gets its window when it is first shown.
    long OnDockingPaneNotify(int code, CXTPDockingPane* pane) override
    {
        if (code != XTP_DPN_SHOWWINDOW)
            return 0;
        if (pane->GetID() == kPropertyPane && !m_property) {
            m_property = new CBarPropertyPaneWnd(this);
            QObject::connect(m_property, &CBarPropertyPaneWnd::tableEdited, this, [this] { onEdited(); });
            pane->Attach(m_property);
        } else if (pane->GetID() == kElementPane && !m_tree) {
            m_tree = new CElementTreePaneWnd;
            m_tree->tree()->setTable(&m_table);
            QObject::connect(m_tree->tree(), &CElementTreeCtrl::tableEdited, this, [this] { onEdited(); });
            QObject::connect(m_tree->tree(), &CElementTreeCtrl::showCurrentRow, m_view,
                             &CVes_TableViewBase::setCurRowVisible);
            m_tree->createPaneWindow(this);
            pane->Attach(m_tree);
        }
        return 1;
    }

    // What the view reports: the panes follow the table.
    void onTableChanged(CVes_TableBase* table)
    {
        if (!table)
            return;
        if (m_property) {
            m_property->setTable(table);
            m_property->Rebuild();
        }
        if (m_tree) {
            m_tree->tree()->setTable(table);
            m_tree->tree()->Fill();
        }
    }

    void onEdited()
    {
        m_view->viewport()->update();
        if (m_table.isModified())
            m_documentModified = true;
    }

    CVes_SetupTable& m_table;
    CVes_TableViewBase* m_view = nullptr;
    CXTPDockingPaneManager m_panes;
    CBarPropertyPaneWnd* m_property = nullptr;
    CElementTreePaneWnd* m_tree = nullptr;
    bool m_documentModified = false;
};

void showPane(BarListFrame& frame, int id)
{
    frame.m_panes.ShowPane(id);
    QTest::qWait(20);
}

class DocumentPanes : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillDemoList(table);
        table.setPageTo(1, 1);
        table.resetUndo();
        table.setModified(0);
    }
    void showFrame(BarListFrame& frame)
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QTest::qWait(50);
        ASSERT_NE(frame.m_property, nullptr);
    }
    // The view's click on a row of the page: the row is selected and the
    // frame hears of it.
    void selectRow(BarListFrame& frame, int row)
    {
        table.AddSelect(row, 1);
        table.setCurRow(row);
        Q_EMIT frame.m_view->tableChanged(&table);
    }

    test::HostScope host;
    CVes_SetupTable table;
};

TEST_F(DocumentPanes, TheViewsNoticeKeepsBothPanesCurrent)
{
    BarListFrame frame(table);
    showFrame(frame);
    showPane(frame, kElementPane);
    ASSERT_NE(frame.m_tree, nullptr);
    selectRow(frame, 3);
    CXTPPropertyGrid* grid = frame.m_property->grid();
    ASSERT_NE(grid->FindItem(barprop::kNumber), nullptr);
    EXPECT_EQ(grid->FindItem(barprop::kNumber)->GetValue(), "2");
    EXPECT_EQ(frame.m_tree->tree()->topLevelItem(0)->childCount(), 4); // three elements and the total

    // An edit in the pane marks the document through the frame.
    grid->FindItem(barprop::kCount)->OnValueChanged(QStringLiteral("9"));
    EXPECT_TRUE(frame.m_documentModified);

    // Undo puts back the rows and the panes show them again.
    frame.m_view->OnUndo();
    EXPECT_EQ(table.getSelectRow(), -1);
    EXPECT_NE(grid->FindItem(barprop::kMarginLeft), nullptr); // no row selected: the page
    EXPECT_EQ(frame.m_tree->tree()->topLevelItem(0)->child(2)->text(0), "3、LB2(4件)");
}

TEST_F(DocumentPanes, PicturesOfTheFrameWithBothPanesAndTheDialogs)
{
    BarListFrame frame(table);
    showFrame(frame);
    showPane(frame, kElementPane);
    showPane(frame, kPropertyPane);
    selectRow(frame, 4);
    QTest::qWait(50);
    test::saveScreenshot(frame, "barlist-property-pane");

    showPane(frame, kElementPane);
    frame.m_tree->tree()->setCurrentItem(frame.m_tree->tree()->topLevelItem(0)->child(1));
    QTest::qWait(50);
    test::saveScreenshot(frame, "barlist-element-tree");

    showPane(frame, kPropertyPane);
    table.clearSelect();
    table.setCurRow(0);
    table.setCurCol(4);
    Q_EMIT frame.m_view->tableChanged(&table);
    QTest::qWait(50);
    test::saveScreenshot(frame, "barlist-page-grid");

    frame.m_view->OnCoverPage();
    table.m_cover.m_curVar = 2;
    Q_EMIT frame.m_view->tableChanged(&table);
    QTest::qWait(50);
    test::saveScreenshot(frame, "barlist-cover-grid");
    EXPECT_NE(frame.m_property->grid()->FindItem(barprop::kCoverPrinted), nullptr);

    CBarSortDlg sort;
    sort.m_bGrade3 = 1;
    sort.m_nRangeMode = 2;
    sort.show();
    QTest::qWait(20);
    test::saveScreenshot(sort, "dialog-bar-sort");
    CDeliveryNoteDlg note;
    note.m_strTitle = QStringLiteral("钢筋提货单");
    note.show();
    QTest::qWait(20);
    test::saveScreenshot(note, "dialog-delivery-note");
    CSummaryOptionsDlg options;
    options.show();
    QTest::qWait(20);
    test::saveScreenshot(options, "dialog-summary-options");
}

} // namespace
