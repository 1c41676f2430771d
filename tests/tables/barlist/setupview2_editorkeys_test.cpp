// The bar list typed as a detailer types it, key by key into the editors:
// one Tab after a dimension goes to the next one; the apostrophe and
// semicolon keys make a bar varying or plain in an editor as on the page;
// a bar keeps its number of bars either way, and a new bar after a varying
// one is plain; numbers that do not change, pastes of nothing and F12 record
// one command or none; a count that is no number says what the cell takes;
// the element name's editor covers its whole cell.

#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include "tables/framework/ui/editrecorddlg.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test::kBarRow;
using test::kEmptyRow;
using test::kGradedRow;
using test::listBar;
using test::listLine;
using T = CVes_SetupTable;

const CSteelRecordId kLBar(191, 1); // dimensions L1 and L2

class EditorKeys : public test::ShownBarList {
protected:
    // A click on a cell, as the mouse gives it; a second one on the current
    // cell opens its editor.
    void click(int row, int column)
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCorner(row, column));
    }
    // The editor keys go to: the open box or recent-values field, else the page.
    QWidget* keyTarget()
    {
        if (auto* dialog = view.findChild<CVes_EditRecordDlg*>(); dialog && dialog->isVisible())
            return dialog->edit();
        if (CVes_InPlaceEdit* box = editor(); box && box->isVisible())
            return box;
        return &view;
    }
    // Types key by key where the keys go at each moment.
    void type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClick(keyTarget(), char(c.unicode()));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), key, modifiers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    double value(int row, const char* name)
    {
        return listBar(t, row).getVarValue(QString::fromLatin1(name));
    }
    double endValue(int row, const char* name)
    {
        return listBar(t, row).getVarValueE(QString::fromLatin1(name));
    }
};

// Tab

TEST_F(EditorKeys, OneTabAfterADimensionGoesToTheNextDimension)
{
    test::EditHabits habits;
    click(kEmptyRow, T::kColShape);
    type(QStringLiteral("191-001"));
    press(Qt::Key_Return);
    ASSERT_EQ(listBar(t, kEmptyRow).getRecordId(), kLBar);
    const std::size_t steps = undoSteps();
    type(QStringLiteral("550"));
    press(Qt::Key_Tab);
    type(QStringLiteral("450"));
    press(Qt::Key_Return);
    EXPECT_EQ(value(kEmptyRow, "L1"), 550.0);
    EXPECT_EQ(value(kEmptyRow, "L2"), 450.0);
    EXPECT_EQ(undoSteps(), steps + 2);
    EXPECT_EQ(t.getCurCol(), T::kColShape);
}

TEST_F(EditorKeys, ATabAfterAShapeNumberStaysOnTheShapesFirstDimension)
{
    test::EditHabits habits;
    click(kEmptyRow, T::kColShape);
    type(QStringLiteral("191-001"));
    press(Qt::Key_Tab);
    type(QStringLiteral("600"));
    press(Qt::Key_Tab);
    type(QStringLiteral("250"));
    press(Qt::Key_Tab);
    EXPECT_EQ(value(kEmptyRow, "L1"), 600.0);
    EXPECT_EQ(value(kEmptyRow, "L2"), 250.0);
    // Past the last dimension Tab goes on to the next column.
    EXPECT_GT(t.getCurCol(), T::kColShape);
}

struct TabCase {
    const char* name;
    int editMode; // 1 the box a click opens, 0 the recent-values dialog
};

std::ostream& operator<<(std::ostream& os, const TabCase& c)
{
    return os << c.name;
}

class TabInEditors : public EditorKeys, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabInEditors, CommitsTheCountAndMovesToTheNextColumn)
{
    test::EditHabits habits(0xFF, 5, GetParam().editMode);
    click(kBarRow, T::kColCount);
    click(kBarRow, T::kColCount);
    ASSERT_NE(keyTarget(), &view) << "the second click opens no editor";
    QTest::keyClick(keyTarget(), Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("7"));
    const std::size_t steps = undoSteps();
    press(Qt::Key_Tab);
    EXPECT_EQ(listBar(t, kBarRow).count, 7);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(t.getCurRow(), kBarRow);
    EXPECT_GT(t.getCurCol(), T::kColCount);
    EXPECT_EQ(keyTarget(), &view);
}

INSTANTIATE_TEST_SUITE_P(Editors, TabInEditors,
                         ::testing::Values(TabCase{"in_place_box", 1},
                                           TabCase{"recent_values_dialog", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A varying bar

// As the list's guide has it: the shape's number and Enter, the dimension
// and the apostrophe, the next dimension's range, the count as bars a group
// and groups.
TEST_F(EditorKeys, AVaryingBarTypedKeyByKey)
{
    test::EditHabits habits;
    click(kEmptyRow, T::kColShape);
    type(QStringLiteral("191-001"));
    press(Qt::Key_Return);
    // Filled from the varying bar before it: a plain bar of its 12 bars.
    const auto bar = [this]() -> const CVes_Steel& { return listBar(t, kEmptyRow); };
    ASSERT_EQ(bar().isMultiVal(), 0);
    ASSERT_EQ(bar().count, 12);

    const std::size_t steps = undoSteps();
    type(QStringLiteral("300"));
    press(Qt::Key_Apostrophe);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(value(kEmptyRow, "L1"), 300.0);
    EXPECT_EQ(bar().isMultiVal(), 1);
    // The 12 bars are one group of 12, not 12 groups.
    EXPECT_EQ(bar().getMultiGroup(), 12);
    EXPECT_EQ(bar().count, 1);
    // One step on: the next dimension, in the same column.
    EXPECT_EQ(t.getCurCol(), T::kColShape);
    EXPECT_EQ(view.editedVariable().name, QStringLiteral("L2"));
    EXPECT_EQ(undoSteps(), steps + 2);

    type(QStringLiteral("2000~3000"));
    press(Qt::Key_Return);
    EXPECT_EQ(value(kEmptyRow, "L2"), 2000.0);
    EXPECT_EQ(endValue(kEmptyRow, "L2"), 3000.0);
    EXPECT_EQ(value(kEmptyRow, "L1"), 300.0);

    click(kEmptyRow, T::kColCount);
    type(QStringLiteral("5|2"));
    press(Qt::Key_Return);
    EXPECT_EQ(bar().getMultiGroup(), 5);
    EXPECT_EQ(bar().count, 2);
    EXPECT_EQ(undoSteps(), steps + 4);
}

TEST_F(EditorKeys, ARangeTypedBeforeTheApostropheIsKept)
{
    test::EditHabits habits;
    click(kBarRow, T::kColShape);
    press(Qt::Key_Return); // its dimension is next
    type(QStringLiteral("2000~3000"));
    press(Qt::Key_Apostrophe);
    const auto bar = [this]() -> const CVes_Steel& { return listBar(t, kBarRow); };
    EXPECT_EQ(bar().isMultiVal(), 1);
    EXPECT_EQ(value(kBarRow, "L"), 2000.0);
    EXPECT_EQ(endValue(kBarRow, "L"), 3000.0);
    // Its two bars are one group of two.
    EXPECT_EQ(bar().getMultiGroup(), 2);
    EXPECT_EQ(bar().count, 1);
}

TEST_F(EditorKeys, TheSemicolonInACountMakesTheBarPlainWithTheCountTyped)
{
    test::EditHabits habits;
    click(kGradedRow, T::kColCount);
    click(kGradedRow, T::kColCount);
    ASSERT_NE(editor(), nullptr);
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("10"));
    const std::size_t steps = undoSteps();
    press(Qt::Key_Semicolon);
    const auto bar = [this]() -> const CVes_Steel& { return listBar(t, kGradedRow); };
    EXPECT_EQ(bar().isMultiVal(), 0);
    EXPECT_EQ(bar().count, 10);
    EXPECT_EQ(endValue(kGradedRow, "L"), value(kGradedRow, "L"));
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(undoSteps(), steps + 2);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(EditorKeys, ElsewhereTheApostropheIsTyped)
{
    test::EditHabits habits;
    click(kBarRow, T::kColRemark);
    type(QStringLiteral("a'b"));
    press(Qt::Key_Return);
    EXPECT_EQ(listBar(t, kBarRow).remark, QStringLiteral("a'b"));
    EXPECT_EQ(listBar(t, kBarRow).isMultiVal(), 0);
}

struct SwitchCase {
    const char* name;
    int row;
    Qt::Key key;
    int varying;
    int groupBars; // bars a group after the key (a varying bar)
    int count;
    bool recorded;
};

std::ostream& operator<<(std::ostream& os, const SwitchCase& c)
{
    return os << c.name;
}

class VaryingKeys : public EditorKeys, public ::testing::WithParamInterface<SwitchCase> {};

// The bars of the small list: row 2 two plain bars, row 3 three groups of
// four bars.
TEST_P(VaryingKeys, KeepTheNumberOfBars)
{
    const SwitchCase& c = GetParam();
    test::EditHabits habits;
    click(c.row, T::kColShape);
    const std::size_t steps = undoSteps();
    press(c.key);
    const auto bar = [this, &c]() -> const CVes_Steel& { return listBar(t, c.row); };
    EXPECT_EQ(bar().isMultiVal(), c.varying);
    if (c.varying) {
        EXPECT_EQ(bar().getMultiGroup(), c.groupBars);
    }
    EXPECT_EQ(bar().count, c.count);
    EXPECT_EQ(undoSteps(), steps + (c.recorded ? 1 : 0));
    EXPECT_EQ(t.isModified(), c.recorded ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Page, VaryingKeys,
    ::testing::Values(SwitchCase{"plain_to_varying", kBarRow, Qt::Key_Apostrophe, 1, 2, 1, true},
                      SwitchCase{"varying_to_plain", kGradedRow, Qt::Key_Semicolon, 0, 0, 12, true},
                      SwitchCase{"varying_stays", kGradedRow, Qt::Key_Apostrophe, 1, 3, 4, false},
                      SwitchCase{"plain_stays", kBarRow, Qt::Key_Semicolon, 0, 0, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorKeys, TheBarTypedAfterAVaryingBarIsPlain)
{
    test::EditHabits habits;
    click(kEmptyRow, T::kColNumber);
    type(QStringLiteral("9"));
    press(Qt::Key_Return);
    const auto bar = [this]() -> const CVes_Steel& { return listBar(t, kEmptyRow); };
    EXPECT_EQ(bar().number, QStringLiteral("9"));
    EXPECT_EQ(bar().isMultiVal(), 0);
    // The three groups of four bars before it pass on as twelve bars.
    EXPECT_EQ(bar().count, 12);
    EXPECT_EQ(value(kEmptyRow, "L"), 1000.0);
    EXPECT_EQ(endValue(kEmptyRow, "L"), 1000.0);
}

TEST_F(EditorKeys, TheBarInsertedAfterAVaryingBarIsPlain)
{
    test::EditHabits habits;
    // Insert before the empty row: the new bar follows the varying one.
    click(kEmptyRow, T::kColNumber);
    press(Qt::Key_Insert);
    const auto bar = [this]() -> const CVes_Steel& { return listBar(t, kEmptyRow); };
    EXPECT_FALSE(listLine(t, kEmptyRow)->isNull());
    EXPECT_EQ(bar().isMultiVal(), 0);
    EXPECT_EQ(bar().count, 12);
    EXPECT_EQ(endValue(kEmptyRow, "L"), 1000.0);
}

// One command or none

TEST_F(EditorKeys, F12InsertsAnElementLineAndNothingElse)
{
    test::EditHabits habits;
    click(kBarRow, T::kColShape);
    const std::size_t steps = undoSteps();
    press(Qt::Key_F12);
    EXPECT_EQ(listLine(t, kBarRow)->getType(), CVes_SetupTableLine::kElementLine);
    EXPECT_EQ(view.calculators, 0);
    EXPECT_EQ(undoSteps(), steps + 1);
    // The bar below keeps its shape as it was drawn: no mirroring.
    EXPECT_EQ(listBar(t, kBarRow + 1).number, QStringLiteral("1"));
    EXPECT_EQ(listBar(t, kBarRow + 1).getMirror(), 0);
}

TEST_F(EditorKeys, CtrlInsertWithOnlyARemarkCopiedRecordsNothing)
{
    test::EditHabits habits;
    click(kBarRow, T::kColRemark);
    press(Qt::Key_C, Qt::ControlModifier);
    const std::size_t lines = t.lines().size();
    press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(std::size_t(t.lines().size()), lines);
    EXPECT_EQ(undoSteps(), 0u);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(modified.count(), 0);
}

// What a count takes

struct NotANumberCase {
    const char* name;
    int row;
    int column;
    const char* typed;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const NotANumberCase& c)
{
    return os << c.name;
}

class NotANumber : public EditorKeys, public ::testing::WithParamInterface<NotANumberCase> {};

TEST_P(NotANumber, SaysWhatTheCellTakesAndChangesNothing)
{
    const NotANumberCase& c = GetParam();
    test::EditHabits habits;
    listBar(t, kBarRow).calcLength = 0;
    t.resetUndo();
    click(c.row, c.column);
    type(QString::fromUtf8(c.typed));
    press(Qt::Key_Return);
    EXPECT_EQ(host->messageTexts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(undoSteps(), 0u);
    EXPECT_EQ(listBar(t, kBarRow).count, 2);
    EXPECT_EQ(listBar(t, kGradedRow).count, 4);
    EXPECT_EQ(listLine(t, test::kElementRow)->getEleNum(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, NotANumber,
    ::testing::Values(
        NotANumberCase{"count", kBarRow, T::kColCount, "abc", "[abc] 根数必须是0到99999之间的整数"},
        NotANumberCase{"count_of_groups", kGradedRow, T::kColCount, "5|x",
                       "[x] 根数必须是0到99999之间的整数"},
        NotANumberCase{"groups", kGradedRow, T::kColCount, "1e6|3", "[1e6] 组数必须是0到99999之间的整数"},
        NotANumberCase{"pieces", test::kElementRow, T::kColCount, "x", "[x] 件数必须是0到9999之间的整数"},
        NotANumberCase{"cut_length", kBarRow, T::kColCutLength, "x",
                       "[x] 断料长度必须是0到1000000之间的数"}),
    [](const auto& info) { return std::string(info.param.name); });

// The element name's box

TEST_F(EditorKeys, TheElementNamesBoxCoversItsWholeCell)
{
    test::EditHabits habits;
    click(test::kElementRow, T::kColSpacing);
    click(test::kElementRow, T::kColSpacing);
    CVes_InPlaceEdit* box = editor();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("KL1"));
    // The name is drawn across the spacing, start and shape columns.
    const platform::Rect first = view.LPtoDP(t.getRect(test::kElementRow, T::kColSpacing));
    const platform::Rect last = view.LPtoDP(t.getRect(test::kElementRow, T::kColShape));
    EXPECT_NEAR(box->geometry().left(), first.left, 1);
    EXPECT_NEAR(box->geometry().right() + 1, last.right, 1);
}

} // namespace
