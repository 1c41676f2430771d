// The bar-list view's keys and commands: inserting lines, the bracket,
// semicolon and apostrophe keys on the selected bars, numbering, totals,
// Tab through a shape's dimensions, importing another bar list.

#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include "platform/folders.h"
#include "tables/barlist/ui/beamhoopcountdlg.h"
#include "tables/barlist/huizongrules.h"
#include "tables/barlist/ui/uniteditdlg.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test::kBarRow;
using test::kGradedRow;
using test::listBar;
using test::listLine;

// The kinds of the list's lines ("E" element, "B" bar, "b" empty bar, "T"
// text, "I" image, "U" unit), without the empty bars that fill the last
// page, then the mirror, automatic-length, grade and multi-value state of
// bar "1".
QString describe(CVes_SetupTable& t)
{
    QString kinds;
    const CVes_Steel* one = nullptr;
    for (CVes_TableBaseLine* row : t.lines()) {
        auto* line = static_cast<CVes_SetupTableLine*>(row);
        switch (line->getType()) {
        case CVes_SetupTableLine::kElementLine: kinds += u'E'; break;
        case CVes_SetupTableLine::kTextLine: kinds += u'T'; break;
        case CVes_SetupTableLine::kImageLine: kinds += u'I'; break;
        case CVes_SetupTableLine::kUnitLine: kinds += u'U'; break;
        default:
            kinds += line->isNull() ? u'b' : u'B';
            if (line->m_steel.number == u"1")
                one = &line->m_steel;
        }
    }
    while (kinds.endsWith(u'b'))
        kinds.chop(1);
    return QStringLiteral("%1 %2,%3,%4,%5")
        .arg(kinds)
        .arg(one->getMirror())
        .arg(one->calcLength)
        .arg(one->grade)
        .arg(one->isMultiVal());
}

struct KeyCase {
    const char* name;
    int key;
    bool keypad;
    int column;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const KeyCase& c)
{
    return os << c.name;
}

class Keys : public test::ShownBarList, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, ActOnTheCurrentCellAndTheSelectedBars)
{
    const KeyCase& c = GetParam();
    test::EditHabits habits;
    ASSERT_EQ(describe(t), QStringLiteral("EBBbTBIU 0,1,3,0"));
    select(kBarRow, c.column);
    const Qt::KeyboardModifiers modifiers = c.keypad ? Qt::KeypadModifier : Qt::NoModifier;
    // A unit line inserted by F9 opens its dialog.
    if (c.key == Qt::Key_F9)
        test::onNextModal<CUnitEditDlg>([](CUnitEditDlg* dlg) { dlg->reject(); });
    QTest::keyPress(&view, Qt::Key(c.key), modifiers);
    closeEditors();
    QTest::keyRelease(&view, Qt::Key(c.key), modifiers);
    closeEditors();
    EXPECT_EQ(describe(t), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Keys,
    ::testing::Values(
        KeyCase{"f6_element_line", Qt::Key_F6, false, 0, "EEBBbTBIU 0,1,3,0"},
        KeyCase{"f12_element_line_then_nothing_on_it", Qt::Key_F12, false, 4,
                "EEBBbTBIU 0,1,3,0"},
        KeyCase{"f7_image_line", Qt::Key_F7, false, 0, "EIBBbTBIU 0,1,3,0"},
        KeyCase{"f8_text_line", Qt::Key_F8, false, 0, "ETBBbTBIU 0,1,3,0"},
        KeyCase{"f9_unit_line", Qt::Key_F9, false, 0, "EUBBbTBIU 0,1,3,0"},
        KeyCase{"left_bracket_shape_mirrors_across", Qt::Key_BracketLeft, false, 4,
                "EBBbTBIU 1,1,3,0"},
        KeyCase{"keypad_divide_shape", Qt::Key_Slash, true, 4, "EBBbTBIU 1,1,3,0"},
        KeyCase{"right_bracket_shape_mirrors_up", Qt::Key_BracketRight, false, 4,
                "EBBbTBIU 2,1,3,0"},
        KeyCase{"keypad_multiply_shape", Qt::Key_Asterisk, true, 4, "EBBbTBIU 2,1,3,0"},
        KeyCase{"right_bracket_cut_length_typed", Qt::Key_BracketRight, false, 5,
                "EBBbTBIU 0,0,3,0"},
        KeyCase{"left_bracket_grade_one", Qt::Key_BracketLeft, false, 1, "EBBbTBIU 0,1,1,0"},
        KeyCase{"right_bracket_grade_two", Qt::Key_BracketRight, false, 1, "EBBbTBIU 0,1,2,0"},
        KeyCase{"bracket_elsewhere", Qt::Key_BracketLeft, false, 10, "EBBbTBIU 0,1,3,0"},
        KeyCase{"apostrophe_multi_value", Qt::Key_Apostrophe, false, 4, "EBBbTBIU 0,1,3,1"},
        KeyCase{"apostrophe_outside_columns", Qt::Key_Apostrophe, false, 2, "EBBbTBIU 0,1,3,0"},
        KeyCase{"semicolon_single_value", Qt::Key_Semicolon, false, 6, "EBBbTBIU 0,1,3,0"}),
    [](const auto& info) { return std::string(info.param.name); });

class BarListCommands : public test::ShownBarList {};

TEST_F(BarListCommands, TheKeysSetterIsOneUndoStepAndTellsTheFrame)
{
    test::EditHabits habits;
    select(kBarRow, 4);
    const std::size_t steps = undoSteps();
    QTest::keyRelease(&view, Qt::Key_BracketLeft);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(framed.count(), 1);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(BarListCommands, SemicolonMakesAGradedBarSingleValued)
{
    test::EditHabits habits;
    select(kGradedRow, 4);
    QTest::keyRelease(&view, Qt::Key_Semicolon);
    EXPECT_EQ(listBar(t, kGradedRow).isMultiVal(), 0);
}

TEST_F(BarListCommands, F12StartsNoCalculatorButF10Does)
{
    test::EditHabits habits;
    select(kBarRow, 0);
    QTest::keyClick(&view, Qt::Key_F12);
    EXPECT_EQ(view.calculators, 0);
    QTest::keyClick(&view, Qt::Key_F10);
    EXPECT_EQ(view.calculators, 1);
}

TEST_F(BarListCommands, BracketsInTheCountColumnRunTheStirrupCalculators)
{
    test::EditHabits habits;
    select(kBarRow, 6);
    test::onNextModal<CVes_BeamHoopCountDlg>([](CVes_BeamHoopCountDlg* dlg) {
        dlg->totalEdit()->setText(QStringLiteral("39"));
        dlg->accept();
    });
    const std::size_t steps = undoSteps();
    QTest::keyRelease(&view, Qt::Key_BracketLeft);
    EXPECT_EQ(listBar(t, kBarRow).count, 39);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(BarListCommands, SpaceOnATextLineOnlyRepaints)
{
    test::EditHabits habits;
    select(test::kTextRow, 1);
    QTest::keyPress(&view, Qt::Key_Space);
    EXPECT_EQ(view.shapeCalls + view.startCalls, 0);
    EXPECT_EQ(undoSteps(), 0u);
}

TEST_F(BarListCommands, SpaceOnTheShapeOpensTheChooser)
{
    test::EditHabits habits;
    view.shapeChoice = CSteelRecordId(191, 1);
    select(kBarRow, 4);
    QTest::keyPress(&view, Qt::Key_Space);
    EXPECT_EQ(view.shapeCalls, 1);
    EXPECT_EQ(listBar(t, kBarRow).getRecordId(), CSteelRecordId(191, 1));
    // The space itself is not typed into the cell.
    EXPECT_EQ(editor(), nullptr);
}

TEST_F(BarListCommands, TabStepsThroughTheDimensionsThenToTheNextColumn)
{
    test::EditHabits habits;
    listBar(t, kBarRow).setRecordId(CSteelRecordId(191, 1));
    select(kBarRow, 4);
    t.setShapeVarStart();
    QTest::keyPress(&view, Qt::Key_Tab);
    EXPECT_EQ(view.editedVariable().name, QStringLiteral("L1"));
    QTest::keyPress(&view, Qt::Key_Tab);
    EXPECT_EQ(view.editedVariable().name, QStringLiteral("L2"));
    EXPECT_EQ(t.getCurCol(), 4);
    // Past the last one to the next column that can be edited: the cut
    // length is computed.
    QTest::keyPress(&view, Qt::Key_Tab);
    EXPECT_EQ(t.getCurCol(), 6);
    QTest::keyPress(&view, Qt::Key_Tab);
    EXPECT_GT(t.getCurCol(), 6);
}

TEST_F(BarListCommands, EnterStartsAtTheFirstDimensionAgain)
{
    test::EditHabits habits;
    listBar(t, kBarRow).setRecordId(CSteelRecordId(191, 1));
    select(kBarRow, 4);
    t.setShapeVarStart();
    view.TabEditShapeVar();
    view.TabEditShapeVar();
    view.EnterEditShapeVar(); // past the last one: back to the first
    EXPECT_EQ(view.editedVariable().name, QStringLiteral("L1"));
}

TEST_F(BarListCommands, InsertCommandsNeedASelectedRow)
{
    test::EditHabits habits;
    t.clearSelect();
    view.insertTextLine();
    view.insertSteelLine();
    EXPECT_EQ(describe(t), QStringLiteral("EBBbTBIU 0,1,3,0"));
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(view.InsertLine(3), nullptr);
}

TEST_F(BarListCommands, ANewBarLineTakesTheBarBefore)
{
    test::EditHabits habits(CVes_SetupTable::kCopyAll & ~CVes_SetupTable::kCopyCount);
    select(test::kTextRow, 0);
    view.insertSteelLine();
    const CVes_Steel& bar = listBar(t, test::kTextRow);
    EXPECT_EQ(bar.DN, listBar(t, kGradedRow).DN);
    EXPECT_EQ(bar.count, 0);
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_EQ(framed.count(), 1);
}

TEST_F(BarListCommands, AmountAppendsTheTotalsAsOneStep)
{
    test::EditHabits habits;
    view.OnAmount();
    bool totals = false;
    for (CVes_TableBaseLine* row : t.lines())
        totals |= static_cast<CVes_SetupTableLine*>(row)->GetText(0) == u"合计";
    EXPECT_TRUE(totals);
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_EQ(modified.count(), 1);
    CVes_totalSteelType options;
    view.OnAmount(options);
    EXPECT_EQ(undoSteps(), 2u);
}

TEST_F(BarListCommands, AnInsertedUnitLineIsEditedAtOnce)
{
    test::EditHabits habits;
    select(kBarRow, 0);
    test::onNextModal<CUnitEditDlg>([](CUnitEditDlg* dlg) {
        dlg->m_strStart = QStringLiteral("2");
        dlg->m_strEnd = QStringLiteral("3");
        dlg->accept();
    });
    view.insertUnitLine();
    CVes_SetupTableLine* unit = listLine(t, kBarRow);
    ASSERT_EQ(unit->getType(), CVes_SetupTableLine::kUnitLine);
    EXPECT_EQ(unit->getUnitStart(), QStringLiteral("2"));
    EXPECT_EQ(unit->getUnitEnd(), QStringLiteral("3"));
    // The insertion and the dialog's OK.
    EXPECT_EQ(undoSteps(), 2u);
}

TEST_F(BarListCommands, ACancelledUnitDialogChangesNothingButTellsTheFrame)
{
    test::EditHabits habits;
    test::onNextModal<CUnitEditDlg>([](CUnitEditDlg* dlg) {
        dlg->m_strStart = QStringLiteral("2");
        dlg->reject();
    });
    view.EditUnitLine(listLine(t, test::kUnitRow));
    EXPECT_EQ(listLine(t, test::kUnitRow)->getUnitStart(), QStringLiteral("1"));
    EXPECT_EQ(undoSteps(), 0u);
    EXPECT_EQ(framed.count(), 1);
}

// Numbering

// Two elements: bars a, b (numbered "7"), a' (equal to a), then c (equal to
// a) and d.
class Numbering : public test::ShownBarList {
protected:
    void SetUp() override
    {
        test::ShownBarList::SetUp();
        t.clearnAllLine();
        t.m_rowNum = 30;
        element("E1");
        bar("", 20.0f);
        bar("7", 16.0f);
        bar("", 20.0f);
        element("E2");
        bar("", 20.0f);
        bar("", 25.0f);
        t.setPageTo(1, 1);
        t.resetUndo();
    }
    void element(const char* name)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        line->setElement(QString::fromUtf8(name));
        line->setEleNum(1);
        line->setNull(0);
        t.appendLine(line);
    }
    void bar(const char* number, float d) { t.Add(test::straightBar(number, 3, d, 3000.0, 2)); }
    QString numbers()
    {
        QStringList all;
        for (CVes_TableBaseLine* row : t.lines())
            if (row->isSteelLine() && !row->isNull())
                all << static_cast<CVes_SetupTableLine*>(row)->m_steel.number;
        return all.join(u',');
    }
};

struct NumberingCase {
    const char* name;
    void (CVes_SetupView2::*command)();
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const NumberingCase& c)
{
    return os << c.name;
}

class NumberingSwitches : public Numbering, public ::testing::WithParamInterface<NumberingCase> {};

TEST_P(NumberingSwitches, NumberTheBars)
{
    const NumberingCase& c = GetParam();
    host->script({platform::Answer::Yes});
    (view.*c.command)();
    EXPECT_EQ(numbers(), QString::fromUtf8(c.expected));
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(framed.count(), 1);
    EXPECT_EQ(modified.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NumberingSwitches,
    ::testing::Values(NumberingCase{"all_shared", &CVes_SetupView2::NumSteelAll, "1,2,1,1,3"},
                      NumberingCase{"all_own", &CVes_SetupView2::NumSteelAllNoSame, "1,2,3,4,5"},
                      NumberingCase{"unnumbered_only", &CVes_SetupView2::NumSteelOfNoNum,
                                    "8,7,8,8,9"},
                      NumberingCase{"per_element_own", &CVes_SetupView2::NumEleSteel, "1,2,3,1,2"},
                      NumberingCase{"per_element_shared", &CVes_SetupView2::NumEleSteelGui,
                                    "1,2,1,1,2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Numbering, NoToTheQuestionChangesNothing)
{
    host->script({platform::Answer::No});
    view.NumSteelAll();
    EXPECT_EQ(numbers(), QStringLiteral(",7,,,"));
    EXPECT_EQ(undoSteps(), 0u);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].text,
              QStringLiteral("\n此命令将把钢筋编号列所有内容清空并自动重新编号，请确认是否进行此操作？"));
}

TEST_F(Numbering, AllNumberedBarsKeepTheirNumbersWithOnlyTheUnnumbered)
{
    host->script({platform::Answer::Yes, platform::Answer::Yes});
    view.NumSteelAllNoSame();
    const QString before = numbers();
    view.NumSteelOfNoNum();
    EXPECT_EQ(numbers(), before);
}

struct RepeatCase {
    const char* name;
    void (CVes_SetupView2::*command)();
};

std::ostream& operator<<(std::ostream& os, const RepeatCase& c)
{
    return os << c.name;
}

class NumberingAgain : public Numbering, public ::testing::WithParamInterface<RepeatCase> {};

// Run a second time, each command finds every number as it would make it.
TEST_P(NumberingAgain, ChangesNothingAndRecordsNothing)
{
    host->script({platform::Answer::Yes, platform::Answer::Yes});
    (view.*GetParam().command)();
    ASSERT_EQ(undoSteps(), 1u);
    const QString once = numbers();
    t.setModified(0);
    (view.*GetParam().command)();
    EXPECT_EQ(numbers(), once);
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(framed.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NumberingAgain,
    ::testing::Values(RepeatCase{"all_shared", &CVes_SetupView2::NumSteelAll},
                      RepeatCase{"unnumbered_only", &CVes_SetupView2::NumSteelOfNoNum},
                      RepeatCase{"per_element_own", &CVes_SetupView2::NumEleSteel},
                      RepeatCase{"clear", &CVes_SetupView2::ClearNum}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Numbering, ClearEmptiesEveryNumber)
{
    host->script({platform::Answer::Yes});
    view.ClearNum();
    EXPECT_EQ(numbers(), QStringLiteral(",,,,"));
    EXPECT_EQ(host->messages()[0].text,
              QStringLiteral("\n此命令将把钢筋编号列所有内容清空，请确认是否进行此操作？"));
    EXPECT_EQ(modified.count(), 1);
}

// Import

class Import : public test::ShownBarList {
protected:
    // A bar list of two bars saved in the test's folder, its shape column in
    // `unit`.
    QString saved(int unit)
    {
        CVes_SetupTable other;
        other.clearnAllLine();
        other.m_units[CVes_SetupTable::kColShape] = unit;
        other.Add(test::straightBar("21", 3, 22.0f, 5000.0, 3));
        other.Add(test::straightBar("22", 3, 22.0f, 6000.0, 3));
        const QString path = folder.filePath(QStringLiteral("other.pld"));
        EXPECT_EQ(other.SaveFile(path), 1);
        return path;
    }

    QTemporaryDir folder;
};

TEST_F(Import, TheOtherListsLinesFollow)
{
    view.importPath = saved(CVes_Template::kMillimetre);
    EXPECT_EQ(view.importFrom(), 1);
    EXPECT_EQ(describe(t), QStringLiteral("EBBbTBIUBB 0,1,3,0"));
    QStringList numbers;
    for (CVes_TableBaseLine* row : t.lines())
        if (row->isSteelLine() && !row->isNull())
            numbers << static_cast<CVes_SetupTableLine*>(row)->m_steel.number;
    EXPECT_EQ(numbers.join(u','), QStringLiteral("1,2,3,21,22"));
    EXPECT_EQ(framed.count(), 1);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(Import, AnotherShapeUnitIsRefused)
{
    view.importPath = saved(CVes_Template::kCentimetre);
    EXPECT_EQ(view.importFrom(), 0);
    EXPECT_EQ(describe(t), QStringLiteral("EBBbTBIU 0,1,3,0"));
    EXPECT_EQ(host->messageTexts(),
              QStringList{QStringLiteral("导入的表格与本表钢筋形状单位不一致，无法导入！")});
}

TEST_F(Import, ADamagedOrCancelledFileImportsNothing)
{
    EXPECT_EQ(view.importFrom(), 0);
    EXPECT_TRUE(host->messages().empty());
    const QString path = folder.filePath(QStringLiteral("broken.pld"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a bar list");
    file.close();
    view.importPath = path;
    EXPECT_EQ(view.importFrom(), 0);
    EXPECT_EQ(describe(t), QStringLiteral("EBBbTBIU 0,1,3,0"));
    EXPECT_EQ(host->messages().size(), 1u);
}

} // namespace
