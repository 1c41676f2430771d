// The bar list as a new table: its layout, title block, columns in both
// languages, the first line, the cells the user may edit, the member units
// and the summary selection.

#include "tables/barlist/setuptable.h"

#include "platform/archive.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include <numeric>

namespace {

TEST(SetupTable, NewBarListLayout)
{
    test::HostScope host;
    host->setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 7)));
    CVes_SetupTable t;

    EXPECT_EQ(t.getTableType(), 1u);
    EXPECT_EQ(t.m_paper, CVes_Template::kA4);
    EXPECT_EQ(t.m_orientation, CVes_Template::kLandscape);
    EXPECT_EQ(t.m_topMargin, 15);
    EXPECT_EQ(t.m_rightMargin, 15);
    EXPECT_EQ(t.m_reservedHeight, 16);
    EXPECT_EQ(t.m_rowNum, 16);
    EXPECT_EQ(t.m_rowMode, 1);
    EXPECT_EQ(t.m_pageSummary, 1);
    EXPECT_EQ(t.m_tableTextHeight, 4);
    EXPECT_EQ(t.haveFengmian(), 1);
    EXPECT_FALSE(t.m_cover.m_variables.empty());

    ASSERT_EQ(t.m_columnNum, 11);
    EXPECT_EQ(t.m_stretchColumn, 10);
    EXPECT_EQ(std::accumulate(t.m_widths.begin(), t.m_widths.end(), 0), 100);
    EXPECT_EQ(t.m_widths, (QList<int>{5, 5, 6, 6, 24, 7, 7, 7, 12, 12, 9}));
    EXPECT_EQ(t.m_units, (QList<int>{-1, -1, 0, -1, 0, 0, -1, -1, 2, 4, -1}));
    EXPECT_EQ(t.m_captions,
              (QStringList{"钢筋\n \n编号", "钢筋\n \n规格", "钢筋\n间距", "安装\n\n起点",
                           "钢筋形状\n", "断料\n长度", "每件\n\n根数", "总根数", "总长\n",
                           "总重\n", "备注"}));

    const auto& x = t.m_texts;
    EXPECT_EQ(x[0].m_text, "表单标题");
    EXPECT_EQ(x[0].m_formula, "钢筋配料单");
    EXPECT_EQ(x[0].m_height, 90);
    EXPECT_EQ(x[0].m_align, 6u);
    EXPECT_EQ(x[0].m_position.m_y, 150);   // ten times the top margin
    EXPECT_EQ(x[0].m_position.m_x, 1485);  // the middle of a landscape A4 page
    EXPECT_EQ(x[2].m_formula, "XX工程");
    EXPECT_EQ(x[3].m_text, "施工部位");
    EXPECT_EQ(x[3].m_formula, "第一层");
    EXPECT_EQ(x[4].m_text, "");
    EXPECT_EQ(x[4].m_formula, " ");
    EXPECT_EQ(x[4].m_align, 24u);
    EXPECT_EQ(x[6].m_text, "校核");
    EXPECT_EQ(x[7].m_text, "编制日期");
    EXPECT_EQ(x[7].m_formula, "2024-3-5");
    EXPECT_EQ(x[7].m_align, 2u);
    EXPECT_EQ(t.m_textHeights[0], 90);
    EXPECT_EQ(t.m_textHeights[4], 40);
    EXPECT_EQ(t.m_textHeights[5], 30);

    ASSERT_EQ(t.m_lines.size(), 1);
    CVes_SetupTableLine* first = t.lineAt(0);
    EXPECT_EQ(first->isElementLine(), 1);
    EXPECT_EQ(first->getElement(), "这里输入构件编号");
    EXPECT_EQ(first->isNull(), 0);

    EXPECT_EQ(t.getDefaultEleNum(), 1);
    EXPECT_EQ(t.getLiaopaiType(), 1);
    EXPECT_EQ(t.getLiaoPaiDirect(), 3);
    EXPECT_EQ(t.getSortOrder(), 1u);
    EXPECT_EQ(t.getSortRules().m_mergeSame, 1);
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.isModified(), 0);
}

TEST(SetupTable, NewBarListTakesTheUserRules)
{
    CVes_SortRules saved;
    saved.m_guibingShow = 0;
    saved.m_dnOrder = 0;
    saved.m_mergeSame = 0;
    {
        CVes_SortRules probe;
        probe.readUserRules(); // creates the folder
    }
    ASSERT_TRUE(saved.saveFile(CVes_SortRules::userRulesPath()));
    CVes_SetupTable t;
    QFile::remove(CVes_SortRules::userRulesPath());
    // The file's values win over the bar list's own defaults.
    EXPECT_EQ(t.getSortRules().m_guibingShow, 0);
    EXPECT_EQ(t.getSortOrder(), 0u);
    EXPECT_EQ(t.getSortRules().m_mergeSame, 0);
}

TEST(SetupTable, LanguageSwitchesCaptionsLabelsAndDefaultTitle)
{
    CVes_SetupTable t;
    t.setLanguage(1);
    EXPECT_EQ(t.m_language, 1u);
    EXPECT_EQ(t.m_texts[0].m_text, "title");
    EXPECT_EQ(t.m_texts[0].m_formula, "Bar Bending Schedule");
    EXPECT_EQ(t.m_texts[2].m_text, "Project Name");
    EXPECT_EQ(t.m_texts[6].m_text, "Check by");
    EXPECT_EQ(t.m_texts[7].m_text, "Date");
    EXPECT_EQ(t.m_texts[2].m_formula, "XX工程"); // values stay
    EXPECT_EQ(t.m_captions,
              (QStringList{"No.", "Diam", "Space", "Loc", "Bar Sharp\n", "Cut \nLength",
                           "Num\nin\nEach", "Total\nNum", "Total\nLength", "Total\nWeight",
                           "Remarks"}));

    t.setLanguage(0);
    EXPECT_EQ(t.m_texts[0].m_text, "表单标题");
    EXPECT_EQ(t.m_texts[0].m_formula, "钢筋配料单");
    EXPECT_EQ(t.m_texts[6].m_text, "审核");
    EXPECT_EQ(t.m_texts[7].m_text, "日期");
    EXPECT_EQ(t.m_captions[0], "钢筋\n \n编号");
    EXPECT_EQ(t.m_captions[10], "备注");

    t.setTitle("My list");
    t.setLanguage(1);
    t.setLanguage(0);
    EXPECT_EQ(t.m_texts[0].m_formula, "My list");

    t.setLanguage(7); // stored only
    EXPECT_EQ(t.m_language, 7u);
    EXPECT_EQ(t.m_captions[10], "备注");
}

// A table with an element line, a bar line, a text line and a unit line on
// page 1.
class SetupTableCells : public testing::Test {
protected:
    void SetUp() override
    {
        auto* bar = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        bar->setNull(0);
        t.appendLine(bar);
        auto* text = new CVes_SetupTableLine(int(CVes_SetupTableLine::kTextLine));
        t.appendLine(text);
        auto* unit = new CVes_SetupTableLine(int(CVes_SetupTableLine::kUnitLine));
        t.appendLine(unit);
        t.setPageTo(1, 1);
    }
    int editable(int row, int column)
    {
        t.setCurRow(row);
        t.m_curCol = column;
        return t.isEditCurCol();
    }
    CVes_SetupTable t;
};

TEST_F(SetupTableCells, ElementLineEditsOnlyItsNumberAndPieceCount)
{
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(editable(1, c), c == 2 || c == 6 ? 1 : 0) << "column " << c;
    t.m_widths[2] = 0;
    EXPECT_EQ(editable(1, 3), 1);
    EXPECT_EQ(editable(1, 2), 0);
    EXPECT_EQ(editable(1, 4), 0);
    t.m_widths[3] = 0;
    EXPECT_EQ(editable(1, 4), 1);
}

TEST_F(SetupTableCells, BarLineTotalsAndComputedLengthAreNotEditable)
{
    for (int c : {7, 8, 9})
        EXPECT_EQ(editable(2, c), 0);
    for (int c : {0, 1, 2, 3, 4, 6, 10})
        EXPECT_EQ(editable(2, c), 1);
    t.lineAt(1)->m_steel.calcLength = 1;
    EXPECT_EQ(editable(2, 5), 0);
    t.lineAt(1)->m_steel.calcLength = 0;
    EXPECT_EQ(editable(2, 5), 1);
}

TEST_F(SetupTableCells, OtherLinesAndMissingCells)
{
    EXPECT_EQ(editable(3, 8), 1);
    EXPECT_EQ(editable(4, 9), 1);
    EXPECT_EQ(editable(17, 1), 0); // no line there (16 rows a page)
    EXPECT_EQ(editable(2, -1), 0); // no column
}

TEST_F(SetupTableCells, ShapeColumnAndBars)
{
    t.setCurRow(2);
    t.m_curCol = 4;
    EXPECT_EQ(t.isCurShapeCol(-1), 1);
    EXPECT_EQ(t.isCurShapeCol(3), 0);
    t.setCurRow(0);
    EXPECT_EQ(t.isCurShapeCol(4), 0);

    EXPECT_NE(t.getSteel(2), nullptr);
    EXPECT_EQ(t.getSteel(1), nullptr);
    EXPECT_EQ(t.getSteel(17), nullptr);
    t.setCurRow(1);
    EXPECT_EQ(t.getTabEditVar(), nullptr);
}

TEST(SetupTable, SortCommandsSetTheRules)
{
    CVes_SetupTable t;
    t.sortUp();
    EXPECT_EQ(t.getSortOrder(), 0u);
    t.sortShot();
    EXPECT_EQ(t.getSortOrderLen(), 1u);
    t.sortLenNone();
    EXPECT_EQ(t.getSortOrderLen(), 2u);
    const int zero = t.getSortRules().m_showZeroNum;
    t.showZeroNum();
    EXPECT_EQ(t.getSortRules().m_showZeroNum, zero ? 0 : 1);
    t.guibingShow3();
    EXPECT_EQ(t.getSortRules().m_guibingShow, 3);
}

class SetupTableUnits : public testing::Test {
protected:
    void SetUp() override
    {
        t.setUnitArray({"A", "B", "C", "B"});
        t.setUnitlocArray({"1", "2", "3", "4"});
    }
    CVes_SetupTable t;
};

TEST_F(SetupTableUnits, SettingUnitsMarksTheTable)
{
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    EXPECT_EQ(t.isCanYouhuaSteel(), 1);
    QStringList names{"x"};
    t.getUnitArray(names);
    EXPECT_EQ(names, (QStringList{"x", "A", "B", "C", "B"}));
}

TEST_F(SetupTableUnits, Locations)
{
    EXPECT_EQ(t.getUnitStarLoc("B"), "2");
    EXPECT_EQ(t.getUnitEndLoc("B"), "3");
    EXPECT_EQ(t.getUnitStarLoc("Z"), "");
    EXPECT_EQ(t.getUnitEndLoc("Z"), "");
    t.setUnitArray({"A", "B", "C"});
    t.setUnitlocArray({"1", "2", "3"});
    EXPECT_EQ(t.getUnitEndLoc("C"), "");
    t.setUnitlocArray({"1"});
    EXPECT_EQ(t.getUnitStarLoc("B"), "");
}

struct RangeCase {
    const char* start;
    const char* end;
    int result;
    QStringList names;
};

class SetupTableUnitRange : public SetupTableUnits, public testing::WithParamInterface<RangeCase> {};

TEST_P(SetupTableUnitRange, Walk)
{
    QStringList out;
    EXPECT_EQ(t.getUnitArray(GetParam().start, GetParam().end, out), GetParam().result);
    EXPECT_EQ(out, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SetupTableUnitRange,
    testing::Values(RangeCase{"A", "C", 1, {"A", "B", "C"}},
                    RangeCase{"C", "C", 1, {"C"}},
                    RangeCase{"B", "B", 1, {"B"}},       // stops at the first end
                    RangeCase{"C", "A", 0, {}},          // start after the end
                    RangeCase{"A", "Z", 0, {"A", "B", "C", "B"}},
                    RangeCase{"Z", "C", 0, {}}));

struct KeyCase {
    const char* key;
    int whole;
    const char* text;
    int match;
};

class HuizongKey : public testing::TestWithParam<KeyCase> {};

TEST_P(HuizongKey, Matches)
{
    CVes_HuizongRules r;
    r.m_key = QString::fromUtf8(GetParam().key);
    r.m_wholeText = GetParam().whole;
    EXPECT_EQ(r.PipeiKey(QString::fromUtf8(GetParam().text)), GetParam().match);
}

INSTANTIATE_TEST_SUITE_P(Keys, HuizongKey,
                         testing::Values(KeyCase{"12", 0, "12", 1}, KeyCase{"12", 0, "12a", 1},
                                         KeyCase{"12", 0, "312", 1}, KeyCase{"12", 0, "1a2", 0},
                                         KeyCase{"12", 1, "12", 1}, KeyCase{"12", 1, "12a", 0},
                                         KeyCase{"12", 1, "312", 0}, KeyCase{"", 0, "any", 1},
                                         KeyCase{"", 1, "any", 0}, KeyCase{"梁", 0, "KL梁1", 1}));

TEST(SetupTable, SummaryDefaultsAndStaleElementsAreForgotten)
{
    const CVes_totalSteelType totals;
    EXPECT_EQ(totals.m_length, 1);
    EXPECT_EQ(totals.m_perElement, 1);
    EXPECT_EQ(totals.m_place, 0);

    CVes_SetupTable t;
    EXPECT_EQ(t.getHuizongRules().m_mode, 0);
    t.getHuizongRules().m_mode = CVes_HuizongRules::kChosenElements;
    t.getHuizongRules().m_elements.append(t.lineAt(0));
    t.AddUndo();
    t.Undo(); // replaces every line with a copy
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
    EXPECT_EQ(t.getHuizongRules().m_mode, CVes_HuizongRules::kChosenElements);
}

TEST(SetupTable, UndoRedoAndANewStepDropsTheRedo)
{
    CVes_SetupTable t;
    // The edits are made on the page shown.
    t.setPageTo(1, 1);
    // The first edit of a new list can be undone.
    t.lineAt(0)->setElement("KL0");
    t.AddUndo();
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(t.lineAt(0)->getElement(), CVes_SetupTable::kFirstElement);
    t.resetUndo();
    t.lineAt(0)->setElement("KL1");
    t.AddUndo();
    t.lineAt(0)->setElement("KL2");
    t.AddUndo();
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(t.lineAt(0)->getElement(), "KL1");
    EXPECT_EQ(t.CanRedo(), 1);
    t.Redo();
    EXPECT_EQ(t.lineAt(0)->getElement(), "KL2");
    t.Undo();
    t.lineAt(0)->setElement("KL3");
    t.AddUndo();
    EXPECT_EQ(t.CanRedo(), 0); // a redo would bring KL2 back over KL3
    t.Undo();
    EXPECT_EQ(t.lineAt(0)->getElement(), "KL1");

    // At most eight steps back.
    for (int i = 0; i < 12; ++i) {
        t.lineAt(0)->setElement(QString::number(i));
        t.AddUndo();
    }
    int undos = 0;
    while (t.CanUndo()) {
        t.Undo();
        ++undos;
    }
    EXPECT_EQ(undos, 8);
    EXPECT_EQ(t.lineAt(0)->getElement(), "3");
}

TEST(SetupTable, UndoAndRedoLeaveTheListChangedUnlessAtTheStateSaved)
{
    CVes_SetupTable t;
    t.setPageTo(1, 1);
    const auto edit = [&t](const char* name) {
        t.lineAt(0)->setElement(QString::fromUtf8(name));
        t.setModified(1);
        t.AddUndo();
    };
    edit("KL1");
    edit("KL2");
    t.setAutoSaved(); // KL2 is in the file
    EXPECT_EQ(t.isModified(), 0);
    t.Undo();
    EXPECT_EQ(t.isModified(), 1) << "KL1 is not what the file holds";
    t.setSortSteel(0);
    t.setYouhuaSteel(0);
    t.Redo();
    EXPECT_EQ(t.isModified(), 0) << "back at what was saved";
    EXPECT_EQ(t.isCanSortSteel(), 1) << "the rows changed all the same";
    EXPECT_EQ(t.isCanYouhuaSteel(), 1);

    // A new step after an undo drops the state saved from the redo list:
    // nothing reaches it again.
    t.Undo();
    edit("KL3");
    t.Undo();
    EXPECT_EQ(t.lineAt(0)->getElement(), "KL1");
    EXPECT_EQ(t.isModified(), 1);
    t.Redo();
    EXPECT_EQ(t.isModified(), 1);

    // A save the user asks for is the state saved, and the only one.
    t.setSaved();
    edit("KL4");
    t.Undo();
    EXPECT_EQ(t.isModified(), 0);
    // Pushed out of the eight steps kept, the state saved is gone.
    for (int i = 0; i < 9; ++i)
        edit("KL5");
    while (t.CanUndo())
        t.Undo();
    EXPECT_EQ(t.isModified(), 1);
}

} // namespace

namespace {

TEST(SetupTableTab, TabWalksTheGivenDimensionsOfTheCurrentBar)
{
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 20})
                  .var("A", 3000)
                  .var("B", 500)
                  .straight({1300, 150}, "0", "A")
                  .build());
    CVes_SetupTable t;
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    line->m_steel.setRecordId({150, 20});
    t.appendLine(line);
    t.setPageTo(1, 1);
    t.setCurRow(2);
    t.setShapeVarStart();

    QStringList walked;
    while (CVes_Variable* v = t.getTabEditVar()) {
        walked << v->m_text;
        EXPECT_EQ(v->m_status, 2u);
        ASSERT_LT(walked.size(), 10);
    }
    EXPECT_EQ(walked, (QStringList{"A", "B"}));
    // No wrap-around: the cursor stays past the end.
    EXPECT_EQ(t.getTabEditVar(), nullptr);
}

} // namespace
