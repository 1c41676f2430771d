// The element-unit dialog: the label preview, the start and end lists, and
// the unit grid's add, delete, move, rename and position edits.

#include "tables/barlist/ui/uniteditdlg.h"

#include "tables/barlist/bartexts.h"
#include "tests/tables/barlist/barview_support.h"

#include "grid/gridctrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QStringList kNames{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
const QStringList kLocations{QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③"),
                             QStringLiteral("④")};

struct PreviewCase {
    const char* name;
    const char* start;
    const char* end;
    int merged;
    int same;
    int form;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const PreviewCase& c)
{
    return os << c.name;
}

class UnitPreview : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(UnitPreview, Label)
{
    const PreviewCase& c = GetParam();
    const barlist::UnitLabel label{QString::fromUtf8(c.start), QString::fromUtf8(c.end), c.merged,
                                   c.same, c.form};
    EXPECT_EQ(barlist::unitLabelText(kNames, kLocations, label), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, UnitPreview,
    ::testing::Values(
        PreviewCase{"names_and_positions", "1", "3", 0, 0, 2, "1,2,3（①～④）;  各单元之间钢筋不同"},
        PreviewCase{"merged_names", "1", "3", 1, 0, 0, "1～3;  各单元之间钢筋不同"},
        PreviewCase{"positions_same_bars", "1", "3", 1, 1, 1, "①～④;  各单元之间钢筋相同"},
        PreviewCase{"no_form_chosen_names_only", "1", "3", 0, 0, -1, "1,2,3;  各单元之间钢筋不同"},
        PreviewCase{"end_before_start", "3", "1", 0, 0, 0, ";  各单元之间钢筋不同"},
        PreviewCase{"end_unknown_runs_to_the_end", "2", "9", 0, 1, 0, "2,3;  各单元之间钢筋相同"},
        PreviewCase{"one_unit_positions", "2", "2", 1, 1, 1, "②～③"},
        PreviewCase{"one_unit_no_form", "2", "2", 1, 1, -1, "2（②～③）"},
        PreviewCase{"one_unknown_unit_positions", "9", "9", 1, 1, 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

class UnitDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillSmallList(t);
        dlg.load(t, *test::listLine(t, test::kUnitRow));
    }
    CGridCtrl& grid() { return *dlg.grid(); }

    CVes_SetupTable t;
    CUnitEditDlg dlg;
};

TEST_F(UnitDialog, OpensOnTheLinesRun)
{
    EXPECT_EQ(dlg.startCombo()->count(), 3);
    EXPECT_EQ(dlg.startCombo()->currentText(), QStringLiteral("1"));
    EXPECT_EQ(dlg.endCombo()->currentText(), QStringLiteral("3"));
    EXPECT_EQ(dlg.startRangeEdit()->text(), QStringLiteral("①～②"));
    EXPECT_EQ(dlg.endRangeEdit()->text(), QStringLiteral("③～④"));
    EXPECT_EQ(dlg.previewLabel()->text(), QStringLiteral("1～3（①～④）;  各单元之间钢筋不同"));
    EXPECT_FALSE(dlg.isGridShown());
    EXPECT_EQ(grid().GetRowCount(), 4);
    EXPECT_EQ(grid().GetItemText(2, CUnitEditDlg::kColStart), QStringLiteral("②"));
    EXPECT_TRUE(grid().GetItemState(2, CUnitEditDlg::kColStart) & GridStateReadOnly);
    EXPECT_FALSE(grid().GetItemState(1, CUnitEditDlg::kColStart) & GridStateReadOnly);
}

TEST_F(UnitDialog, TheEndListStartsAtTheStartUnit)
{
    dlg.startCombo()->setCurrentIndex(1);
    Q_EMIT dlg.startCombo()->activated(1);
    EXPECT_EQ(dlg.endCombo()->count(), 2);
    EXPECT_EQ(dlg.endCombo()->itemText(0), QStringLiteral("2"));
    dlg.mergedCheck()->click();
    EXPECT_EQ(dlg.preview(), QStringLiteral("2,3（②～④）;  各单元之间钢筋不同"));
}

TEST_F(UnitDialog, RenamingTheStartUnitKeepsItChosen)
{
    grid().SetFocusCell(1, CUnitEditDlg::kColName);
    GridNotify begin;
    begin.hdr.code = GridBeginEdit;
    begin.iRow = 1;
    begin.iColumn = CUnitEditDlg::kColName;
    dlg.OnGridNotify(begin);
    grid().OnEndEditCell(1, CUnitEditDlg::kColName, QStringLiteral("一"));
    EXPECT_EQ(dlg.m_strStart, QStringLiteral("一"));
    EXPECT_EQ(dlg.startCombo()->currentText(), QStringLiteral("一"));
}

TEST_F(UnitDialog, AnEndPositionIsTheNextUnitsStart)
{
    grid().OnEndEditCell(1, CUnitEditDlg::kColEnd, QStringLiteral("Ⓐ"));
    EXPECT_EQ(grid().GetItemText(2, CUnitEditDlg::kColStart), QStringLiteral("Ⓐ"));
    EXPECT_EQ(dlg.m_locations.at(1), QStringLiteral("Ⓐ"));
}

TEST_F(UnitDialog, AddingInsertsBeforeTheCurrentUnitKeepingItsStart)
{
    dlg.setCurrentRow(2);
    dlg.addUnit();
    EXPECT_EQ(dlg.m_names, QStringList({"1", "", "2", "3"}));
    EXPECT_EQ(dlg.m_locations, QStringList({"①", "②", "", "③", "④"}));
    EXPECT_EQ(dlg.currentRow(), 2);
    dlg.setCurrentRow(0);
    dlg.addUnit();
    EXPECT_EQ(dlg.m_names.size(), 5);
    EXPECT_EQ(dlg.currentRow(), 5);
}

TEST_F(UnitDialog, DeletingTheLastUnitLeavesTheNewLastCurrent)
{
    dlg.setCurrentRow(3);
    dlg.deleteUnit();
    EXPECT_EQ(dlg.m_names, QStringList({"1", "2"}));
    EXPECT_EQ(dlg.m_locations, QStringList({"①", "②", "③"}));
    EXPECT_EQ(dlg.currentRow(), 2);
    EXPECT_FALSE(dlg.downButton()->isEnabled());
    EXPECT_TRUE(dlg.upButton()->isEnabled());
}

TEST_F(UnitDialog, MovingSwapsNamesAndLeavesThePositions)
{
    dlg.setCurrentRow(1);
    EXPECT_FALSE(dlg.upButton()->isEnabled());
    dlg.moveUnit(1);
    EXPECT_EQ(dlg.m_names, QStringList({"2", "1", "3"}));
    EXPECT_EQ(dlg.m_locations, kLocations);
    EXPECT_EQ(dlg.currentRow(), 2);
    dlg.moveUnit(-1);
    EXPECT_EQ(dlg.m_names, kNames);
}

TEST_F(UnitDialog, StoreGivesTheListAndTheLineTheirUnits)
{
    dlg.setCurrentRow(3);
    dlg.deleteUnit();
    dlg.m_strEnd = QStringLiteral("2");
    dlg.m_nForm = 0;
    CVes_SetupTableLine& line = *test::listLine(t, test::kUnitRow);
    dlg.store(t, line);
    QStringList names;
    t.getUnitArray(names);
    EXPECT_EQ(names, QStringList({"1", "2"}));
    EXPECT_EQ(line.getUnitEnd(), QStringLiteral("2"));
    EXPECT_EQ(line.m_unitForm, 0);
}

TEST_F(UnitDialog, TheGridIsShownOnDemand)
{
    dlg.show();
    const int folded = dlg.height();
    dlg.toggleGrid();
    EXPECT_TRUE(dlg.isGridShown());
    EXPECT_TRUE(dlg.grid()->isVisible());
    EXPECT_GT(dlg.height(), folded);
    dlg.toggleGrid();
    EXPECT_FALSE(dlg.grid()->isVisible());
}

} // namespace
