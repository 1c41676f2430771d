// A command that records several undo steps undoes as one step: the steps
// it records are joined, those before it are left alone.

#include "tables/framework/tablebase.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A sheet whose whole state is one number, with undo by whole states, the
// newest last: every set records a step.
class NumberSheet : public CVes_TableBase {
public:
    void set(int v)
    {
        value = v;
        AddUndo();
    }
    void AddUndo() override
    {
        m_undo.push_back(value);
        m_redo.clear();
        ++m_added;
    }
    void Undo() override
    {
        if (!CanUndo())
            return;
        m_redo.push_back(m_undo.back());
        m_undo.pop_back();
        value = m_undo.back();
    }
    void Redo() override
    {
        if (!CanRedo())
            return;
        m_undo.push_back(m_redo.back());
        m_redo.pop_back();
        value = m_undo.back();
    }
    int CanUndo() override { return m_undo.size() > 1 ? 1 : 0; }
    int CanRedo() override { return m_redo.empty() ? 0 : 1; }
    std::size_t undoStepsRecorded() const override { return m_added; }
    // The states between the newest and the one `steps` back are dropped.
    void joinNewestUndoSteps(std::size_t steps) override
    {
        for (; steps > 1 && m_undo.size() > 2; --steps)
            m_undo.erase(m_undo.end() - 2);
    }

    int value = 0;

private:
    std::vector<int> m_undo{0};
    std::vector<int> m_redo;
    std::size_t m_added = 0;
};

struct JoinCase {
    const char* name;
    std::vector<int> before;  // values set one step each before the command
    std::vector<int> command; // values the command sets, one step each
    std::vector<int> undone;  // the value after each undo, until none is left
};

void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.name; }

class AsOneUndoStep : public testing::TestWithParam<JoinCase> {};

TEST_P(AsOneUndoStep, OneUndoTakesTheWholeCommandBack)
{
    const JoinCase& c = GetParam();
    NumberSheet sheet;
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
                    JoinCase{"AloneOnTheSheet", {}, {4, 8}, {0}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
