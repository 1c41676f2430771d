// The bar-list view's editors and mouse: a second click on the current cell,
// typing, Escape, the shape and start choosers by double click, title-block
// texts, and edits that outlive the bar they were opened on.

#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include "shapeui/commonbarsdlg.h"
#include "shapeui/selectshapedlg.h"
#include "shapeui/shapelistctrl.h"
#include "tables/barlist/ui/uniteditdlg.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test::kBarRow;
using test::kEmptyRow;
using test::kGradedRow;
using test::listBar;
using test::listLine;

class BarListView : public test::ShownBarList {};

struct SecondClickCase {
    const char* name;
    int row;
    int column;
    const char* text; // nullptr: no editor
};

std::ostream& operator<<(std::ostream& os, const SecondClickCase& c)
{
    return os << c.name;
}

class SecondClick : public test::ShownBarList,
                    public ::testing::WithParamInterface<SecondClickCase> {};

TEST_P(SecondClick, OpensTheEditorWithTheCellsText)
{
    const SecondClickCase& c = GetParam();
    test::EditHabits habits;
    select(c.row, c.column);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(c.row, c.column));
    CVes_InPlaceEdit* box = editor();
    if (!c.text) {
        EXPECT_EQ(box, nullptr);
        return;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromUtf8(c.text));
    EXPECT_EQ(box->row(), c.row);
    EXPECT_EQ(box->column(), c.column);
    EXPECT_EQ(box->selectedText(), box->text());
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SecondClick,
    ::testing::Values(SecondClickCase{"number", kBarRow, 0, "1"},
                      SecondClickCase{"size", kBarRow, 1, "C20"},
                      SecondClickCase{"spacing", kBarRow, 2, "100;200;"},
                      SecondClickCase{"count", kBarRow, 6, "2"},
                      SecondClickCase{"graded_count", kGradedRow, 6, "3|4"},
                      SecondClickCase{"remark", kBarRow, 10, "r"},
                      SecondClickCase{"computed_cut_length", kBarRow, 5, nullptr},
                      SecondClickCase{"total_weight", kBarRow, 9, nullptr},
                      SecondClickCase{"element_name", test::kElementRow, 2, "KL1"},
                      SecondClickCase{"locked", test::kLockedRow, 0, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarListView, AFirstClickSelectsAndTellsTheFrame)
{
    test::EditHabits habits;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kGradedRow, 6));
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(t.getCurRow(), kGradedRow);
    EXPECT_EQ(t.getCurCol(), 6);
    EXPECT_EQ(framed.count(), 1);
}

TEST_F(BarListView, TheEditorsTextIsCommittedWithOneUndoStep)
{
    test::EditHabits habits;
    select(kBarRow, 6);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kBarRow, 6));
    ASSERT_NE(editor(), nullptr);
    const std::size_t steps = undoSteps();
    QTest::keyClicks(editor(), QStringLiteral("7"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(listBar(t, kBarRow).count, 7);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_GE(framed.count(), 1);
    ASSERT_GE(modified.count(), 1);
    EXPECT_TRUE(modified.last().at(0).toBool());
    // The current cell stays where it was.
    EXPECT_EQ(t.getCurRow(), kBarRow);
    EXPECT_EQ(t.getCurCol(), 6);
}

TEST_F(BarListView, EscapeLeavesTheCellAndTheUndoSteps)
{
    test::EditHabits habits;
    select(kBarRow, 10);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kBarRow, 10));
    ASSERT_NE(editor(), nullptr);
    const std::size_t steps = undoSteps();
    QTest::keyClicks(editor(), QStringLiteral("changed"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(listBar(t, kBarRow).remark, QStringLiteral("r"));
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(modified.count(), 0);
}

TEST_F(BarListView, EscapeInTheRecentValuesDialogCommitsNothing)
{
    test::EditHabits habits(0xFF, 5, 0);
    select(kBarRow, 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kBarRow, 0));
    auto* dialog = view.findChild<CVes_EditRecordDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->recordType(), 1);
    const std::size_t steps = undoSteps();
    dialog->edit()->setText(QStringLiteral("99"));
    dialog->endWithKey(27);
    EXPECT_EQ(listBar(t, kBarRow).number, QStringLiteral("1"));
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(BarListView, TypingThreeOnAnEmptyShapeCellSetsUserShapeThree)
{
    test::EditHabits habits;
    const CSteelRecordId lBar(191, 1);
    const test::UserNumbers numbers(QStringLiteral("3"), lBar);
    select(kEmptyRow, 4);
    QTest::keyClick(&view, Qt::Key_3);
    CVes_InPlaceEdit* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("3"));
    const std::size_t steps = undoSteps();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(listBar(t, kEmptyRow).getRecordId(), lBar);
    EXPECT_FALSE(listLine(t, kEmptyRow)->isNull());
    EXPECT_EQ(undoSteps(), steps + 1);
    // Its first dimension is next to type.
    const CVes_Variable* next = view.editedVariableAt(kEmptyRow);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->m_text, QStringLiteral("L1"));
}

TEST_F(BarListView, TypingIntoTheDimensionInUse)
{
    test::EditHabits habits;
    select(kBarRow, 4);
    QTest::keyClick(&view, Qt::Key_Return); // marks the first dimension in use
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClicks(&view, QStringLiteral("4"));
    ASSERT_NE(editor(), nullptr);
    QTest::keyClicks(editor(), QStringLiteral("500"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(listBar(t, kBarRow).getVarValue(QStringLiteral("L")), 4500.0);
}

TEST_F(BarListView, ADoubleClickOnTheShapeOpensTheChooserAndTheShapeReplacesTheBarsInOneStep)
{
    test::EditHabits habits(0xFF, 5, 1, 0);
    CSteelRecordId chosen;
    test::onNextModal<CVes_SelectShapeDlg>([&](CVes_SelectShapeDlg* dlg) {
        CVes_ShapeListCtrl* list = dlg->shapeList();
        for (int i = 0; i < list->GetItemCount(); ++i)
            list->SetItemState(i, i == 1 ? CVes_ShapeListCtrl::LVIS_SELECTED : 0u,
                               CVes_ShapeListCtrl::LVIS_SELECTED);
        chosen = dlg->categoryList(0)[1]->getID();
        dlg->accept();
    });
    const std::size_t steps = undoSteps();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCentre(kBarRow, 4));
    EXPECT_EQ(view.shapeCalls, 1);
    ASSERT_FALSE(chosen.isNull());
    EXPECT_EQ(listBar(t, kBarRow).getRecordId(), chosen);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    EXPECT_TRUE(modified.count() >= 1);
}

TEST_F(BarListView, SelectModeOneOpensTheCommonBars)
{
    test::EditHabits habits(0xFF, 5, 1, 1);
    bool shown = false;
    test::onNextModal<CVes_CommonBarsDlg>([&](CVes_CommonBarsDlg* dlg) {
        shown = true;
        dlg->reject();
    });
    view.changeSteel(kBarRow, 4);
    EXPECT_TRUE(shown);
    EXPECT_EQ(listBar(t, kBarRow).getRecordId(), test::kViewStraight);
}

TEST_F(BarListView, ACancelledChooserChangesNothing)
{
    test::EditHabits habits;
    view.shapeChoice = CSteelRecordId();
    const std::size_t steps = undoSteps();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kBarRow, 4));
    EXPECT_EQ(view.shapeCalls, 1);
    EXPECT_EQ(listBar(t, kBarRow).getRecordId(), test::kViewStraight);
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(BarListView, ALockedLineOpensNoChooser)
{
    test::EditHabits habits;
    view.shapeChoice = CSteelRecordId(191, 1);
    view.startChoice = CSteelRecordId(190, 1);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(test::kLockedRow, 4));
    view.changeSteel(test::kLockedRow, 4);
    EXPECT_EQ(view.shapeCalls, 0);
    EXPECT_EQ(listBar(t, test::kLockedRow).getRecordId(), test::kViewStraight);
}

TEST_F(BarListView, AShapeChosenForAnEmptyLineFillsItFromTheBarBefore)
{
    test::EditHabits habits(0xFF & ~CVes_SetupTable::kCopyCount);
    view.shapeChoice = CSteelRecordId(191, 1);
    const std::size_t steps = undoSteps();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kEmptyRow, 4));
    const CVes_Steel& bar = listBar(t, kEmptyRow);
    EXPECT_EQ(bar.getRecordId(), CSteelRecordId(191, 1));
    EXPECT_EQ(bar.DN, listBar(t, kGradedRow).DN);
    EXPECT_EQ(bar.count, 0);
    EXPECT_FALSE(listLine(t, kEmptyRow)->isNull());
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(view.editedVariable().name, QStringLiteral("L1"));
}

TEST_F(BarListView, AStartStyleChosenForAnEmptyLineOnlyMakesItNonEmpty)
{
    test::EditHabits habits;
    view.startChoice = CSteelRecordId(190, 1);
    t.setModified(0);
    t.setSortSteel(0);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(kEmptyRow, 3));
    EXPECT_EQ(view.startCalls, 1);
    const CVes_Steel& bar = listBar(t, kEmptyRow);
    EXPECT_EQ(bar.start.getRecordId(), CSteelRecordId(190, 1));
    EXPECT_TRUE(bar.number.isEmpty()); // not filled from the bar before
    EXPECT_FALSE(listLine(t, kEmptyRow)->isNull());
    EXPECT_EQ(t.isCanSortSteel(), 0);
}

TEST_F(BarListView, ADoubleClickOnATitleTextOpensItsEditor)
{
    test::EditHabits habits;
    t.m_texts[3].m_type = CVes_Variable::kTextKind;
    t.m_texts[3].m_formula = QStringLiteral("一层");
    view.viewport()->grab();
    platform::Rect box;
    t.m_texts[3].LocateRect(box);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.LPtoDP(box).CenterPoint());
    CVes_InPlaceEdit* edit = editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->row(), CVes_TableBase::kTitleTextRow);
    edit->setText(QStringLiteral("二层"));
    edit->EndEdit();
    EXPECT_EQ(t.m_texts[3].m_formula, QStringLiteral("二层"));
    EXPECT_EQ(view.shapeCalls, 0);
}

TEST_F(BarListView, ADoubleClickOnAUnitLineOpensTheUnitDialog)
{
    test::EditHabits habits;
    bool shown = false;
    test::onNextModal<CUnitEditDlg>([&](CUnitEditDlg* dlg) {
        shown = true;
        EXPECT_EQ(dlg->m_strStart, QStringLiteral("1"));
        dlg->reject();
    });
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(test::kUnitRow, 1));
    EXPECT_TRUE(shown);
}

TEST_F(BarListView, ADoubleClickOnAnImageLineChoosesItsSketch)
{
    test::EditHabits habits;
    view.startChoice = CSteelRecordId(190, 1);
    const std::size_t steps = undoSteps();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cellCorner(test::kImageRow, 2));
    EXPECT_EQ(listLine(t, test::kImageRow)->getImage()->getRecordId(), CSteelRecordId(190, 1));
    EXPECT_EQ(undoSteps(), steps + 1);
}

// The edited dimension was once a pointer into the bar; an undo, a new shape
// or a deletion replaced the bar under it. These steps must stay clean under
// AddressSanitizer.
TEST_F(BarListView, UndoAfterAShapeChoiceThenTypingIntoTheNextCell)
{
    test::EditHabits habits;
    view.shapeChoice = CSteelRecordId(191, 1);
    view.changeSteel(kBarRow, 4);
    ASSERT_EQ(view.editedVariable().name, QStringLiteral("L1"));
    view.OnUndo();
    ASSERT_EQ(listBar(t, kBarRow).getRecordId(), test::kViewStraight);
    // The dimension chosen before the undo is gone with its bar.
    EXPECT_EQ(view.editedVariableAt(kBarRow), nullptr);
    view.EndCellEdit(kBarRow, 4, QStringLiteral("2500"));
    EXPECT_EQ(listBar(t, kBarRow).getVarValue(QStringLiteral("L")), 3000.0);
    view.TabEditShapeVar();

    select(kBarRow, 6);
    QTest::keyClick(&view, Qt::Key_5);
    ASSERT_NE(editor(), nullptr);
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(listBar(t, kBarRow).count, 5);

    select(kBarRow, 4);
    view.TabEditShapeVar();
    QTest::keyClicks(&view, QStringLiteral("6"));
    ASSERT_NE(editor(), nullptr);
    QTest::keyClicks(editor(), QStringLiteral("000"));
    view.OnDeleteRow(); // the row goes while its editor is open
    closeEditors();
    view.EndCellEdit(kBarRow, 4, QStringLiteral("7000"));
}

} // namespace
