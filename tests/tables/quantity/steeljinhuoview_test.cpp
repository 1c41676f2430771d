// The purchase view: only heading and footing texts are edited, their text
// is stored trimmed, and every end of an edit marks the document; and the
// contents table's row append.

#include "tables/quantity/steeljinhuoview.h"
#include "tables/quantity/steeljinhuosumarytable.h"

#include "core/geometry/text.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/tabletextline.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PurchaseView : public testing::Test {
protected:
    void SetUp() override
    {
        sheet.m_texts[2].m_formula = QStringLiteral("综合楼");
        sheet.Add({"1", "%%C20", "", "9", "2根", "44.460", "177.84 元"});
        view.resize(900, 700);
        view.setTable(&sheet);
        sheet.firstPage();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.grab();  // lays the page out
    }
    void TearDown() override { view.endEdit(); }

    // Where a page point (0.1 mm units of the view) is on the screen.
    QPoint onScreen(QPoint logical) const { return view.LPtoDP(logical); }
    void doubleClick(QPoint at)
    {
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    CVes_SteelJinHuoSumaryTable sheet;
    CVes_SteelJinHuoView view;
};

TEST_F(PurchaseView, DoubleClickOnAHeadingOpensItsEditor)
{
    platform::Rect box;
    sheet.m_texts[2].LocateRect(box);
    ASSERT_FALSE(box.IsRectEmpty());
    doubleClick(onScreen(box.CenterPoint()));
    EXPECT_EQ(view.getCurEditVar(), &sheet.m_texts[2]);
}

TEST_F(PurchaseView, DoubleClickOnACellOpensNothing)
{
    const platform::Rect cell = sheet.getRect(1, 1);
    ASSERT_FALSE(cell.IsRectEmpty());
    doubleClick(onScreen(cell.CenterPoint()));
    EXPECT_EQ(view.getCurEditVar(), nullptr);
    EXPECT_EQ(view.isHaveEditWnd(), 0);
}

TEST_F(PurchaseView, EditedHeadingIsStoredTrimmedAndMarksTheDocument)
{
    sheet.setModified(0);
    QSignalSpy modified(&view, &CVes_SteelJinHuoView::modifyRequested);
    QSignalSpy changed(&view, &CVes_SteelJinHuoView::tableChanged);
    view.setCurEditVar(&sheet.m_texts[2]);
    view.EndCellEdit(CVes_TableBase::kTitleTextRow, 1, QStringLiteral("  华山路项目 "));
    EXPECT_EQ(sheet.m_texts[2].m_formula, "华山路项目");
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(sheet.isCanSortSteel(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.front().front().toBool());
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PurchaseView, TextOfAnotherKindIsNotStoredButTheDocumentIsMarked)
{
    sheet.setModified(0);
    QSignalSpy modified(&view, &CVes_SteelJinHuoView::modifyRequested);
    sheet.m_texts[2].setVarType(2);
    view.setCurEditVar(&sheet.m_texts[2]);
    view.EndCellEdit(CVes_TableBase::kTitleTextRow, 1, QStringLiteral("新"));
    EXPECT_EQ(sheet.m_texts[2].m_formula, "综合楼");
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(modified.count(), 1);
}

TEST(PurchaseViewWithoutTable, NothingHappens)
{
    CVes_SteelJinHuoView view;
    QSignalSpy modified(&view, &CVes_SteelJinHuoView::modifyRequested);
    view.OnLButtonDblClk(0, QPoint(10, 10));
    view.EndCellEdit(CVes_TableBase::kTitleTextRow, 0, QStringLiteral("x"));
    EXPECT_EQ(modified.count(), 0);
}

TEST(TableContents, AddAppendsAnOwnedRowAndMarksTheTable)
{
    CVes_TableContents contents;
    contents.setModified(0);
    CVes_TableTextLine* row = contents.Add({QStringLiteral("KL1(2件)"), QStringLiteral("3")});
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(contents.lines().size(), 1);
    EXPECT_EQ(contents.lines().front(), row);
    EXPECT_EQ(row->getText(0), "KL1(2件)");
    EXPECT_EQ(contents.isModified(), 1);
    EXPECT_EQ(contents.isCanYouhuaSteel(), 1);
}

} // namespace
