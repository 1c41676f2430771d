// A command that records several undo steps undoes as one step: the steps
// it records are joined in the sheets' history of states, those before it
// are left alone.

#include "tables/framework/snapshothistory.h"
#include "tables/framework/tablebase.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A sheet whose whole state is one number, its undo history the sheets'
// own history of whole states: every set records a step.
class NumberSheet : public CVes_TableBase {
public:
    explicit NumberSheet(int levels) : m_history(levels, true)
    {
        m_history.reset(std::make_unique<int>(value));
    }
    void set(int v)
    {
        value = v;
        AddUndo();
    }
    void AddUndo() override { m_history.add(std::make_unique<int>(value)); }
    void Undo() override { show(m_history.undo()); }
    void Redo() override { show(m_history.redo()); }
    int CanUndo() override { return m_history.canUndo() ? 1 : 0; }
    int CanRedo() override { return m_history.canRedo() ? 1 : 0; }
    std::size_t undoStepsRecorded() const override { return m_history.added(); }
    void joinNewestUndoSteps(std::size_t steps) override { m_history.joinNewest(steps); }

    int value = 0;

private:
    void show(const int* state)
    {
        if (state)
            value = *state;
    }

    SnapshotHistory<int> m_history;
};

struct JoinCase {
    const char* name;
    std::vector<int> before;  // values set one step each before the command
    std::vector<int> command; // values the command sets, one step each
    std::vector<int> undone;  // the value after each undo, until none is left
    int levels = 8;           // undo steps kept
};

void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.name; }

class AsOneUndoStep : public testing::TestWithParam<JoinCase> {};

TEST_P(AsOneUndoStep, OneUndoTakesTheWholeCommandBack)
{
    const JoinCase& c = GetParam();
    NumberSheet sheet(c.levels);
    for (const int v : c.before)
        sheet.set(v);
    sheet.asOneUndoStep([&] {
        for (const int v : c.command)
            sheet.set(v);
    });
    const int after = sheet.value;
    std::vector<int> undone;
    while (sheet.CanUndo()) {
        sheet.Undo();
        undone.push_back(sheet.value);
    }
    EXPECT_EQ(undone, c.undone);
    // Redo walks the same states forwards, the command again in one step.
    while (sheet.CanRedo())
        sheet.Redo();
    EXPECT_EQ(sheet.value, after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AsOneUndoStep,
    testing::Values(JoinCase{"ThreeStepsBecomeOne", {5}, {1, 2, 3}, {5, 0}},
                    JoinCase{"OneStepStaysOne", {5, 6}, {7}, {6, 5, 0}},
                    JoinCase{"NoStepJoinsNothing", {5, 6}, {}, {5, 0}},
                    JoinCase{"AloneOnTheSheet", {}, {4, 8}, {0}},
                    JoinCase{"CommandFillsTheLevels", {5, 6}, {1, 2, 3, 4, 5, 6, 7}, {6, 5}},
                    // The states dropped for the levels are gone: one undo
                    // goes back as far as the oldest state kept.
                    JoinCase{"CommandLongerThanTheLevels", {5}, {1, 2, 3}, {1}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
