// The batch commands of the sheet documents on the selected bars: each
// command's effect, the ends the hook and connection commands work on (Ctrl
// the left, Shift the right), the scaled-bar command of each kind, the
// mirror and cutting-length commands, and the document marked modified after
// every one of them.

#include "app/documents/documentids.h"
#include "app/documents/processdoc.h"
#include "app/documents/setupdoc.h"
#include "app/documents/sldoc.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tests/tables/barlist/barlist_pages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Two straight bars without hooks or connections, selected.
void selectBothBars(CVes_SetupTable& list)
{
    list.clearSelect();
    list.AddSelect(1, 0);
    list.AddSelect(2, 0);
}

void twoSelectedBars(CVes_SetupTable& list)
{
    list.clearnAllLine();
    test::addBar(list, "1", 3, 20, test::kListStraight, {{"L", 3000}}, 2);
    test::addBar(list, "2", 3, 20, test::kListStraight, {{"L", 4000}}, 4);
    list.setPageTo(1, 1);
    selectBothBars(list);
    list.setModified(0);
}

struct BatchCase {
    const char* name;
    int id;
    std::function<double(CVes_TableBase&)> read;
    double expected;
};

class BatchCommand : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchCommand, ChangesTheSelectedBarsAndMarksTheDocument)
{
    const BatchCase& c = GetParam();
    CRODOSetUpDoc doc;
    twoSelectedBars(*doc.setupTable());
    doc.OnCmdMsg(c.id, nullptr);
    EXPECT_DOUBLE_EQ(c.read(*doc.setupTable()), c.expected);
    EXPECT_TRUE(doc.IsModified());
}

double grade(CVes_TableBase& t)
{
    return t.isSameGradeOfSelLine();
}
double size(CVes_TableBase& t)
{
    return t.isSameDNOfSelLine();
}
double coating(CVes_TableBase& t)
{
    return t.isSameSteelTypeOfSelLine();
}
double startRecord(CVes_TableBase& t)
{
    const CSteelRecordId id = t.isSameSteelStartOfSelLIne();
    return id.m_mainId * 1000 + id.m_recordNo;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BatchCommand,
    ::testing::Values(BatchCase{"Grade1", ID_GRADE_1, grade, 1},
                      BatchCase{"Grade2", ID_GRADE_2, grade, 2},
                      BatchCase{"Grade4IsRRB400", ID_GRADE_4, grade, 32},
                      BatchCase{"Grade5IsHRB500", ID_GRADE_5, grade, 4},
                      BatchCase{"ColdTwisted", 32990, grade, 14},
                      BatchCase{"HRBF500", 32999, grade, 41},
                      BatchCase{"PrestressThread", 33006, grade, 13},
                      BatchCase{"Size6", ID_SIZE_6, size, 6},
                      BatchCase{"Size10", ID_SIZE_10, size, 10},
                      BatchCase{"Size12", ID_SIZE_FIRST, size, 12},
                      BatchCase{"Size25", 32839, size, 25},
                      BatchCase{"Size50", ID_SIZE_LAST, size, 50},
                      BatchCase{"Epoxy", ID_BAR_EPOXY, coating, 1},
                      BatchCase{"FirstStart", ID_START_FIRST, startRecord, 101001},
                      BatchCase{"SixthStart", ID_START_FIRST + 5, startRecord, 101006},
                      BatchCase{"SecondLibraryStart", ID_START_FIRST + 7, startRecord, 102002}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchCommands, The32998InTheGradeRangeChangesNoBar)
{
    CRODOSetUpDoc doc;
    twoSelectedBars(*doc.setupTable());
    doc.OnCmdMsg(32998, nullptr);
    EXPECT_EQ(doc.setupTable()->isSameGradeOfSelLine(), 3);
    EXPECT_FALSE(doc.IsModified());
}

// ends

struct EndCase {
    const char* name;
    int id;
    Qt::KeyboardModifiers modifiers;
    bool left;
    bool right;
};

class EndCommand : public ::testing::TestWithParam<EndCase> {};

// What the end commands change on the selected bars, as the table reports it.
std::vector<int> endsShown(CVes_SetupTable& t)
{
    return {t.isSameHookLeftOfSelLine(),          t.isSameHookRightOfSelLine(),
            t.isSameHookLeftAngOfSelLine(),       t.isSameHookRightAngOfSelLine(),
            t.isSameHookLeftDirectOfSelLine(),    t.isSameHookRightDirectOfSelLine(),
            t.isSameConnect_Style_LeftOfSelLine(), t.isSameConnect_Style_RightOfSelLine(),
            t.isSameConnect_SiKou_LeftOfSelLine(), t.isSameConnect_SiKou_RightOfSelLine()};
}

TEST_P(EndCommand, WorksOnTheEndsTheKeysChoose)
{
    const EndCase& c = GetParam();
    CRODOSetUpDoc doc;
    CVes_SetupTable& t = *doc.setupTable();
    twoSelectedBars(t);
    const int leftThread = t.isSameConnect_SiKou_LeftOfSelLine();
    const int rightThread = t.isSameConnect_SiKou_RightOfSelLine();
    doc.OnEndCommand(c.id, c.modifiers);
    switch (c.id) {
    case ID_HOOK_135:
        EXPECT_EQ(t.isSameHookLeftOfSelLine(), c.left ? 1 : 0);
        EXPECT_EQ(t.isSameHookRightOfSelLine(), c.right ? 1 : 0);
        if (c.left) {
            EXPECT_EQ(t.isSameHookLeftAngOfSelLine(), 2);
            EXPECT_EQ(t.isSameHookLeftDirectOfSelLine(), 8);
        }
        if (c.right) {
            EXPECT_EQ(t.isSameHookRightAngOfSelLine(), 2);
            EXPECT_EQ(t.isSameHookRightDirectOfSelLine(), 16);
        }
        break;
    case ID_CONNECT_REVERSE:
        EXPECT_EQ(t.isSameConnect_SiKou_LeftOfSelLine(), c.left ? (leftThread ? 0 : 1) : leftThread);
        EXPECT_EQ(t.isSameConnect_SiKou_RightOfSelLine(), c.right ? (rightThread ? 0 : 1) : rightThread);
        break;
    default: // 32930: electroslag pressure welding
        EXPECT_EQ(t.isSameConnect_Style_LeftOfSelLine(), c.left ? 3 : 0);
        EXPECT_EQ(t.isSameConnect_Style_RightOfSelLine(), c.right ? 3 : 0);
        break;
    }
    EXPECT_TRUE(doc.IsModified()) << "closing must offer to save these edits";
}

TEST_P(EndCommand, IsOneUndoStep)
{
    const EndCase& c = GetParam();
    CRODOSetUpDoc doc;
    CVes_SetupTable& t = *doc.setupTable();
    twoSelectedBars(t);
    t.resetUndo();
    const std::vector<int> before = endsShown(t);
    doc.OnEndCommand(c.id, c.modifiers);
    ASSERT_NE(endsShown(t), before);
    const std::vector<int> after = endsShown(t);
    t.Undo();
    selectBothBars(t);
    EXPECT_EQ(endsShown(t), before);
    EXPECT_EQ(t.CanUndo(), 0);
    t.Redo();
    selectBothBars(t);
    EXPECT_EQ(endsShown(t), after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EndCommand,
    ::testing::Values(EndCase{"HookNoKey", ID_HOOK_135, Qt::NoModifier, true, true},
                      EndCase{"HookCtrl", ID_HOOK_135, Qt::ControlModifier, true, false},
                      EndCase{"HookShift", ID_HOOK_135, Qt::ShiftModifier, false, true},
                      EndCase{"HookBoth", ID_HOOK_135, Qt::ControlModifier | Qt::ShiftModifier, true, true},
                      EndCase{"ReverseThreadCtrl", ID_CONNECT_REVERSE, Qt::ControlModifier, true, false},
                      EndCase{"ReverseThreadNoKey", ID_CONNECT_REVERSE, Qt::NoModifier, true, true},
                      EndCase{"WeldShift", 32930, Qt::ShiftModifier, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchCommands, TheScaledBarCommandTogglesOnABarListAndSetsElsewhere)
{
    CRODOSetUpDoc list;
    twoSelectedBars(*list.setupTable());
    list.OnCmdMsg(ID_BAR_SCALED, nullptr);
    EXPECT_EQ(list.setupTable()->isSameMultVarOfSelLine(), 1);
    list.OnCmdMsg(ID_BAR_SCALED, nullptr);
    EXPECT_EQ(list.setupTable()->isSameMultVarOfSelLine(), 0);

    CRODOProcessDoc processing;
    CVes_SetupTable source;
    test::fillDemoList(source);
    for (CVes_TableBaseLine* row : source.transformProcessList(0, 1, 1))
        processing.processTable()->appendLine(row);
    CVes_ProcessTable& sheet = *processing.processTable();
    sheet.setPageTo(1, 1);
    for (int n = 1; n <= sheet.pageLines().size(); ++n)
        sheet.AddSelect(n, 0);
    processing.OnCmdMsg(ID_BAR_SCALED, nullptr);
    ASSERT_EQ(sheet.isSameMultVarOfSelLine(), 1);
    processing.OnCmdMsg(ID_BAR_SCALED, nullptr);
    EXPECT_EQ(sheet.isSameMultVarOfSelLine(), 1) << "set again, not toggled";
    EXPECT_TRUE(processing.IsModified());
}

TEST(BatchCommands, MirroringMarksEverythingChanged)
{
    CRODOSetUpDoc doc;
    CVes_SetupTable& t = *doc.setupTable();
    twoSelectedBars(t);
    t.setSortSteel(0);
    t.setYouhuaSteel(0);
    doc.OnCmdMsg(ID_MIRROR_HOR, nullptr);
    EXPECT_TRUE(t.isModified());
    EXPECT_TRUE(t.isCanSortSteel());
    EXPECT_TRUE(t.isCanYouhuaSteel());
    EXPECT_EQ(t.getCurCol(), CVes_SetupTable::kColShape);
    EXPECT_TRUE(doc.IsModified());
}

TEST(BatchCommands, TheCuttingLengthModeTurnsBetweenComputedAndTyped)
{
    CRODOSetUpDoc doc;
    CVes_SetupTable& t = *doc.setupTable();
    twoSelectedBars(t);
    ASSERT_EQ(t.isSameAutoCalOfLine(), 1);
    doc.OnCmdMsg(ID_CUTLENGTH_MODE, nullptr);
    EXPECT_EQ(t.isSameAutoCalOfLine(), 0);
    EXPECT_EQ(t.getCurCol(), CVes_SetupTable::kColCutLength);
    doc.OnCmdMsg(ID_CUTLENGTH_MODE, nullptr);
    EXPECT_EQ(t.isSameAutoCalOfLine(), 1);
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
