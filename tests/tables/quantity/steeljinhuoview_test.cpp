// The purchase view: only heading and footing texts are edited, their text
// is stored trimmed, and every end of an edit marks the document; a double
// click is handled once, and on the cover page edits the cover's text; and
// the contents table's row append.

#include "tables/quantity/ui/steeljinhuoview.h"
#include "tables/quantity/steeljinhuosumarytable.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/tabletextline.h"
#include "tests/tables/framework/tableview_support.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The heading text that names the project.
constexpr std::size_t kProject = 3;

class PurchaseView : public testing::Test {
protected:
    void SetUp() override
    {
        sheet.m_texts[kProject].m_formula = QStringLiteral("综合楼");
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
    sheet.m_texts[kProject].LocateRect(box);
    ASSERT_FALSE(box.IsRectEmpty());
    doubleClick(onScreen(box.CenterPoint()));
    EXPECT_EQ(view.getCurEditVar(), &sheet.m_texts[kProject]);
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
    view.setCurEditVar(&sheet.m_texts[kProject]);
    view.EndCellEdit(CVes_TableBase::kTitleTextRow, 1, QStringLiteral("  华山路项目 "));
    EXPECT_EQ(sheet.m_texts[kProject].m_formula, "华山路项目");
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
    sheet.m_texts[kProject].setVarType(2);
    view.setCurEditVar(&sheet.m_texts[kProject]);
    view.EndCellEdit(CVes_TableBase::kTitleTextRow, 1, QStringLiteral("新"));
    EXPECT_EQ(sheet.m_texts[kProject].m_formula, "综合楼");
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(modified.count(), 1);
}

// The in-place box as the user's way to edit, for one test.
class InPlaceEditing {
public:
    InPlaceEditing() : m_mode(Info_GetUserCustomTableEditMode()) { Info_SetUserCustomTableEditMode(1); }
    ~InPlaceEditing() { Info_SetUserCustomTableEditMode(m_mode); }
    InPlaceEditing(const InPlaceEditing&) = delete;
    InPlaceEditing& operator=(const InPlaceEditing&) = delete;

private:
    int m_mode;
};

// Types key by key, as a keyboard (or an input method, for Chinese) types.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TEST_F(PurchaseView, ADoubleClickOnAHeadingOpensOneEditorAndChangesNothing)
{
    const InPlaceEditing inPlace;
    sheet.setModified(0);
    QSignalSpy modified(&view, &CVes_SteelJinHuoView::modifyRequested);
    platform::Rect box;
    sheet.m_texts[kProject].LocateRect(box);
    doubleClick(onScreen(box.CenterPoint()));
    const QList<CVes_InPlaceEdit*> editors = view.viewport()->findChildren<CVes_InPlaceEdit*>();
    ASSERT_EQ(editors.size(), 1);
    CVes_InPlaceEdit* editor = editors.front();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(editor->hasEnded());
    EXPECT_EQ(editor->text(), QStringLiteral("综合楼"));
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(sheet.isModified(), 0);

    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    typeText(editor, QStringLiteral("华山路"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(sheet.m_texts[kProject].m_formula, QStringLiteral("华山路"));
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(PurchaseView, ADoubleClickOnTheCoverEditsTheCoverText)
{
    const InPlaceEditing inPlace;
    CVes_Variable* text = test::layOutCover(sheet);
    const QPoint at = onScreen(test::coverRowCentre(3));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    doubleClick(at);
    auto* editor = view.viewport()->findChild<CVes_InPlaceEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("工程名称"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    typeText(editor, QStringLiteral("一号楼"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(text->m_formula, QStringLiteral("一号楼"));
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
