// Undo and redo by whole-sheet snapshots that share the rows they did not
// see change: every way a row changes (on the current page, off it through
// the table, deleted) is taken back by undo, the rows no step changed stay
// the sheet's own objects, and a long sheet's runs of untouched rows are
// taken over by the next state whole.

#include "tables/framework/snapshotsheet.h"

#include "platform/archive.h"

#include <gtest/gtest.h>

#include <QList>

#include <functional>

namespace {

class ValueLine : public CVes_TableBaseLine {
public:
    ValueLine() = default;
    explicit ValueLine(int v) : value(v) {}

    void Serialize(platform::Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << std::int32_t(value);
        } else {
            std::int32_t v = 0;
            ar >> v;
            value = v;
        }
    }
    // What a snapshot's copy of a row takes.
    void copy(const ValueLine* other)
    {
        if (!other)
            return;
        CVes_TableBaseLine::operator=(*other);
        value = other->value;
    }

    int value = 0;
};

// A sheet of numbered rows, ten a page, with the undo of the editable sheets.
class ValueSheet : public SnapshotSheet<ValueSheet, ValueLine> {
public:
    static constexpr int kColShape = 1;

    ValueSheet() : ValueSheet(Bare{}) {}
    // `rows` rows numbered 1, 2, …, the first page shown, the state the
    // first one to undo to.
    explicit ValueSheet(int rows) : ValueSheet(Bare{})
    {
        for (int i = 1; i <= rows; ++i)
            appendLine(std::make_unique<ValueLine>(i));
        setPageTo(1, 1);
        resetUndo();
    }

    QList<int> values() const
    {
        QList<int> all;
        for (const CVes_TableBaseLine* row : lines())
            all.append(static_cast<const ValueLine*>(row)->value);
        return all;
    }
    QList<int> locks() const
    {
        QList<int> all;
        for (CVes_TableBaseLine* row : lines())
            all.append(row->getLock());
        return all;
    }
    QList<platform::COLORREF> colours() const
    {
        QList<platform::COLORREF> all;
        for (const CVes_TableBaseLine* row : lines())
            all.append(row->getTextColor());
        return all;
    }
    // Adds `by` to the value of the row at `index` (0-based over all rows)
    // as an edit of a row found elsewhere than on the page does, with one
    // undo step.
    void addToRow(int index, int by)
    {
        auto* row = lineAt(index);
        changeRow(row, [row, by] { row->value += by; });
        AddUndo();
    }
    // The same without a change at all: the snapshots keep sharing the row.
    void refreshRow(int index)
    {
        auto* row = lineAt(index);
        changeRow(row, [row] { row->value += 0; });
        AddUndo();
    }

private:
    friend SnapshotSheet;
    struct Bare {};
    explicit ValueSheet(Bare) : SnapshotSheet(true) { m_rowNum = 10; }
    void takeUndoState(const ValueSheet& other) { m_texts[0] = other.m_texts[0]; }
};

// What every row of the sheet is, the look and the lock of the rows
// included, to compare a sheet after undo with the sheet before.
struct Rows {
    QList<int> values;
    QList<int> locks;
    QList<platform::COLORREF> colours;
    bool operator==(const Rows&) const = default;
};

Rows rowsOf(const ValueSheet& sheet)
{
    return Rows{sheet.values(), sheet.locks(), sheet.colours()};
}

void PrintTo(const Rows& rows, std::ostream* os)
{
    *os << "values";
    for (const int v : rows.values)
        *os << ' ' << v;
    *os << " locks";
    for (const int v : rows.locks)
        *os << ' ' << v;
    *os << " colours";
    for (const auto v : rows.colours)
        *os << ' ' << v;
}

// An edit of the sheet, with the undo step it records.
struct EditCase {
    const char* name;
    int rows;
    std::function<void(ValueSheet&)> edit;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class SnapshotUndo : public testing::TestWithParam<EditCase> {};

// Undo brings back the rows as they were before the edit, redo the rows as
// the edit left them, however often they are walked.
TEST_P(SnapshotUndo, UndoTakesTheEditBackAndRedoRepeatsIt)
{
    const EditCase& c = GetParam();
    ValueSheet sheet(c.rows);
    // An edit before, so that the edit's own state is not the first.
    sheet.AddSelect(2, 1);
    sheet.setSelLineTextColor(0x0000FF);
    const Rows before = rowsOf(sheet);
    c.edit(sheet);
    const Rows after = rowsOf(sheet);
    ASSERT_NE(after, before) << "the edit changes nothing";
    for (int walk = 0; walk < 2; ++walk) {
        ASSERT_TRUE(sheet.CanUndo());
        sheet.Undo();
        EXPECT_EQ(rowsOf(sheet), before) << "walk " << walk;
        ASSERT_TRUE(sheet.CanRedo());
        sheet.Redo();
        EXPECT_EQ(rowsOf(sheet), after) << "walk " << walk;
    }
    // Down to the sheet as it was made.
    sheet.Undo();
    sheet.Undo();
    EXPECT_EQ(sheet.values(), ValueSheet(c.rows).values());
    EXPECT_EQ(sheet.colours(), ValueSheet(c.rows).colours());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SnapshotUndo,
    testing::Values(
        EditCase{"ColourOfARowOnThePage", 30,
                 [](ValueSheet& s) {
                     s.AddSelect(5, 1);
                     s.setSelLineTextColor(0x00FF00);
                 }},
        EditCase{"ValueOfARowOffThePage", 30, [](ValueSheet& s) { s.addToRow(24, 100); }},
        EditCase{"ValueOfARowOnThePage", 30, [](ValueSheet& s) { s.addToRow(3, 100); }},
        EditCase{"EveryRowLocked", 30, [](ValueSheet& s) { s.lockAllRow(); }},
        EditCase{"RowsOfThePageDeleted", 30,
                 [](ValueSheet& s) {
                     s.AddSelect(2, 1);
                     s.AddSelect(3, 0);
                     s.DeleteRow();
                 }},
        EditCase{"ARowOffThePageUndoneAndRedone", 30,
                 [](ValueSheet& s) {
                     s.addToRow(17, 1);
                     s.Undo();
                     s.Redo();
                 }},
        EditCase{"ARowInTheSecondRunOfALongSheet", 600, [](ValueSheet& s) { s.addToRow(400, 7); }},
        EditCase{"EveryRowOfALongSheetLocked", 600, [](ValueSheet& s) { s.lockAllRow(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A row changed off the page in two steps comes back one step at a time.
TEST(SnapshotUndoSteps, EachStepOfARowOffThePageIsUndoneOnItsOwn)
{
    ValueSheet sheet(30);
    sheet.addToRow(20, 1);
    sheet.addToRow(20, 10);
    sheet.addToRow(21, 100);
    EXPECT_EQ(sheet.values().mid(20, 2), (QList<int>{32, 122}));
    sheet.Undo();
    EXPECT_EQ(sheet.values().mid(20, 2), (QList<int>{32, 22}));
    sheet.Undo();
    EXPECT_EQ(sheet.values().mid(20, 2), (QList<int>{22, 22}));
    sheet.Undo();
    EXPECT_EQ(sheet.values().mid(20, 2), (QList<int>{21, 22}));
    EXPECT_FALSE(sheet.CanUndo());
}

// Undo costs what changed: the rows off the current page that no step
// touched are still the sheet's own row objects afterwards; only the
// changed row and the page's rows (which every state copies) are copies.
TEST(SnapshotUndoSharing, UndoKeepsTheRowsItDidNotChange)
{
    ValueSheet sheet(40);
    const TableLineList before = sheet.lines();
    sheet.addToRow(25, 5);
    sheet.refreshRow(30);
    sheet.Undo();
    sheet.Undo();
    ASSERT_EQ(sheet.values(), ValueSheet(40).values());
    for (int i = sheet.rowsPerPage(); i < 40; ++i) {
        if (i == 25)
            continue;
        EXPECT_EQ(sheet.lines()[i], before[i]) << "row " << i << " was copied";
    }
}

// Taking a state of a long sheet shares the runs of rows that did not
// change with the state before; the run of the changed row is a new one.
TEST(SnapshotUndoSharing, AStateTakesOverTheRunsOfUntouchedRows)
{
    const int runRows = int(ValueSheet::kRunRows);
    ValueSheet sheet(3 * runRows);
    const auto runsOf = [&sheet] {
        std::vector<const void*> runs;
        for (const auto& run : sheet.m_history.newest()->runs)
            runs.push_back(run.get());
        return runs;
    };
    const std::vector<const void*> first = runsOf();
    ASSERT_EQ(first.size(), 3u);
    sheet.addToRow(runRows + 3, 1);
    const std::vector<const void*> second = runsOf();
    EXPECT_NE(second[0], first[0]) << "the run of the page is taken anew";
    EXPECT_NE(second[1], first[1]) << "the changed row's run";
    EXPECT_EQ(second[2], first[2]) << "an untouched run";
    // A step that changes no row off the page keeps every run beyond it.
    sheet.AddSelect(1, 1);
    sheet.setSelLineTextColor(0x00FF00);
    const std::vector<const void*> third = runsOf();
    EXPECT_EQ(third[1], second[1]);
    EXPECT_EQ(third[2], second[2]);
}

// A command of several steps undoes as one on a real sheet; the steps
// before it stay steps of their own.
TEST(SnapshotUndoSteps, ACommandOfSeveralStepsIsUndoneAsOne)
{
    ValueSheet sheet(30);
    sheet.addToRow(20, 1);
    sheet.asOneUndoStep([&sheet] {
        sheet.addToRow(21, 1);
        sheet.lockAllRow();
        sheet.addToRow(22, 1);
    });
    sheet.Undo();
    EXPECT_EQ(sheet.values().mid(20, 3), (QList<int>{22, 22, 23}));
    EXPECT_EQ(sheet.locks(), QList<int>(30, 0));
    sheet.Undo();
    EXPECT_EQ(sheet.values(), ValueSheet(30).values());
    EXPECT_FALSE(sheet.CanUndo());
    sheet.Redo();
    sheet.Redo();
    EXPECT_EQ(sheet.values().mid(20, 3), (QList<int>{22, 23, 24}));
    EXPECT_EQ(sheet.locks(), QList<int>(30, 1));
    EXPECT_FALSE(sheet.CanRedo());
}

} // namespace
