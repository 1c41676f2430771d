#include "tables/barlist/ui/hooptabledlg.h"

#include "grid/gridctrl.h"
#include "tests/support/recordinghost.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

HoopTableRow rowOf(int hb)
{
    for (const HoopTableRow& row : hoopTableRows())
        if (row.hb == hb)
            return row;
    ADD_FAILURE() << "no row " << hb;
    return {};
}

GridNotify notifyOf(CVes_HoopTableDlg& dlg, int code, int row, int col)
{
    GridNotify n;
    n.hdr = {dlg.grid(), 0, code};
    n.iRow = row;
    n.iColumn = col;
    return n;
}

TEST(HoopTableRows, BuiltInTable)
{
    const std::vector<HoopTableRow> expected = {
        {400, 1700, 1600, 14, 0},  {450, 1700, 1600, 14, 0},  {500, 1900, 1800, 16, 0},
        {550, 2100, 2000, 18, 0},  {600, 2300, 2200, 20, 0},  {650, 2500, 2400, 22, 0},
        {700, 2500, 2400, 22, 0},  {750, 2700, 2600, 24, 0},  {800, 2900, 2800, 26, 0},
        {900, 3100, 3000, 28, 0},  {1000, 3400, 3300, 32, 0},
    };
    EXPECT_EQ(hoopTableRows(), expected);
}

struct HoopCountCase {
    int hb;
    int ln;
    int pair;
    int count;
};

class HoopTableCount : public ::testing::TestWithParam<HoopCountCase> {};

TEST_P(HoopTableCount, Formula)
{
    const HoopCountCase& c = GetParam();
    EXPECT_EQ(hoopTableCount(rowOf(c.hb), c.ln, c.pair), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HoopTableCount,
    ::testing::Values(
        HoopCountCase{500, 6000, HoopPair200, 37},   // (6000-1900)/200+16.5 = 37
        HoopCountCase{500, 6000, HoopPair150, 44},   // 44.5 truncated
        HoopCountCase{400, 1700, HoopPair200, 14},   // span equal to L2: N
        HoopCountCase{450, 1700, HoopPair200, 14},   // same values as 400
        HoopCountCase{650, 5000, HoopPair150, 39},   // (5000-2400)/150+22.5 = 39.83
        HoopCountCase{700, 5000, HoopPair150, 39},   // same values as 650
        HoopCountCase{1000, 9000, HoopPair200, 60},  // (9000-3400)/200+32.5 = 60.5
        HoopCountCase{900, 3199, HoopPair200, 28},   // 28.995: the fraction is cut, not rounded
        HoopCountCase{900, 3200, HoopPair200, 29},   // exactly 29
        HoopCountCase{500, 1000, HoopPair200, 12},   // shorter than L2: below N (11.5+0.5=12)
        HoopCountCase{400, 0, HoopPair200, 6},       // no span at all
        HoopCountCase{1000, 0, HoopPair150, 10}));   // 10.5

TEST(HoopTableCount, NeverNegative)
{
    HoopTableRow row{400, 5000, 5000, 0, 0};
    EXPECT_EQ(hoopTableCount(row, 0, HoopPair200), 0);
}

class HoopTableDlg : public ::testing::Test {
protected:
    test::HostScope host;
    CVes_HoopTableDlg dlg;

    void setLn(const QString& text)
    {
        dlg.lnEdit()->clear();
        QTest::keyClicks(dlg.lnEdit(), text);
    }
};

TEST_F(HoopTableDlg, GridShowsTableAndCounts)
{
    CGridCtrl& g = *dlg.grid();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("表格法计算箍筋根数"));
    ASSERT_EQ(g.GetRowCount(), 12);
    EXPECT_EQ(g.GetColumnCount(), 5);
    EXPECT_EQ(g.GetFixedRowCount(), 1);
    EXPECT_EQ(g.GetRowHeight(0), 32);
    EXPECT_EQ(g.GetColumnWidth(1), 90);
    EXPECT_EQ(g.GetItemText(0, 0), QStringLiteral("梁 高\n(mm)"));
    EXPECT_EQ(g.GetItemText(0, 4), QStringLiteral("计算结果\n(根)"));
    EXPECT_EQ(g.GetItemText(3, 0), "500");
    EXPECT_EQ(g.GetItemText(3, 1), "1900");
    EXPECT_EQ(g.GetItemText(3, 2), "1800");
    EXPECT_EQ(g.GetItemText(3, 3), "16");
    EXPECT_TRUE(g.GetItemState(3, 1) & GridStateReadOnly);

    setLn("6000");
    EXPECT_EQ(g.GetItemText(3, 4), "37");
    dlg.pairButton(HoopPair150)->click();
    EXPECT_EQ(g.GetItemText(3, 4), "44");
    EXPECT_EQ(g.GetItemText(11, 4), "50");  // (6000-3300)/150+32.5
}

TEST_F(HoopTableDlg, OkReturnsCountOfSelectedRow)
{
    setLn("6000");
    dlg.pairButton(HoopPair150)->click();
    dlg.OnGridNotify(notifyOf(dlg, NM_CLICK, 3, 2));
    dlg.accept();
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
    EXPECT_EQ(dlg.result(), 44);
    EXPECT_EQ(dlg.pair(), HoopPair150);
    EXPECT_EQ(dlg.table()[2].result, 44);
}

TEST_F(HoopTableDlg, DoubleClickActsAsOk)
{
    setLn("6000");
    dlg.show();
    platform::Rect rect;
    ASSERT_TRUE(dlg.grid()->GetCellRect(3, 1, &rect));
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    QTest::mouseDClick(dlg.grid()->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 37);
    EXPECT_EQ(dlg.pair(), HoopPair200);
}

TEST_F(HoopTableDlg, OkWithoutRowKeepsDialogOpen)
{
    setLn("6000");
    dlg.show();
    dlg.OnGridNotify(notifyOf(dlg, NM_CLICK, 0, 2));  // the header is no row of the table
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    ASSERT_EQ(host->messages().size(), 1u);
    dlg.OnGridNotify(notifyOf(dlg, NM_CLICK, 1, 1));
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 36);  // (6000-1700)/200+14.5
}

TEST_F(HoopTableDlg, CancelLeavesResult)
{
    setLn("6000");
    dlg.show();
    dlg.OnGridNotify(notifyOf(dlg, NM_CLICK, 3, 1));
    dlg.reject();
    EXPECT_EQ(dlg.QDialog::result(), QDialog::Rejected);
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(dlg.table()[2].result, 0);
}

TEST_F(HoopTableDlg, EditModeStoresEditedRow)
{
    CGridCtrl& g = *dlg.grid();
    setLn("6000");
    dlg.editButton()->click();
    EXPECT_TRUE(dlg.editMode());
    EXPECT_EQ(dlg.editButton()->text(), QStringLiteral("完成修改"));
    EXPECT_FALSE(g.GetItemState(3, 1) & GridStateReadOnly);
    EXPECT_TRUE(g.GetItemState(3, 4) & GridStateReadOnly);

    g.OnEndEditCell(3, 1, "2100");
    EXPECT_EQ(dlg.table()[2].l2For200, 2100);
    EXPECT_EQ(g.GetItemText(3, 4), "36");  // (6000-2100)/200+16.5

    // Not a number: refused, the cell and the table keep their values.
    g.OnEndEditCell(3, 3, "abc");
    EXPECT_EQ(g.GetItemText(3, 3), "16");
    EXPECT_EQ(dlg.table()[2].n, 16);

    dlg.editButton()->click();
    EXPECT_EQ(dlg.editButton()->text(), QStringLiteral("修改参数"));
    EXPECT_TRUE(g.GetItemState(3, 1) & GridStateReadOnly);
    dlg.OnGridNotify(notifyOf(dlg, NM_CLICK, 3, 0));
    dlg.accept();
    EXPECT_EQ(dlg.result(), 36);

    // The edited values live only as long as the dialog.
    CVes_HoopTableDlg again;
    EXPECT_EQ(again.table()[2].l2For200, 1900);
}

TEST_F(HoopTableDlg, NetSpanAcceptsDigitsOnly)
{
    setLn("-5x12");
    EXPECT_EQ(dlg.lnEdit()->text(), "512");
}

} // namespace
