#pragma once
// The undo and redo history of a sheet kept as whole-sheet states, newest
// first. The head of the undo list is always the state now shown, so there
// is something to undo only while it holds two states; at most `levels`
// steps back are kept. One state may be marked as the one the sheet's file
// holds (it was saved or read), wherever undo and redo then take it.

#include <cstdint>
#include <deque>
#include <memory>

template <typename State>
class SnapshotHistory {
public:
    // With `stepDropsRedo` a new step makes the undone states unreachable.
    SnapshotHistory(int levels, bool stepDropsRedo)
        : m_levels(levels), m_stepDropsRedo(stepDropsRedo)
    {
    }

    // Empties both lists, with no state at all until the next reset.
    void clear()
    {
        m_undo.clear();
        m_redo.clear();
    }
    // Empties both lists; `now` becomes the only state.
    void reset(std::unique_ptr<State> now)
    {
        m_undo.clear();
        m_redo.clear();
        m_undo.push_front(entry(std::move(now)));
    }
    // `now` becomes the newest state.
    void add(std::unique_ptr<State> now)
    {
        ++m_added;
        m_undo.push_front(entry(std::move(now)));
        trim();
        if (m_stepDropsRedo)
            m_redo.clear();
    }
    // The state now shown is the one the file holds; none is once the
    // marked state was dropped (for the levels, or by a new step).
    void markSaved() { m_saved = m_undo.empty() ? 0 : m_undo.front().serial; }
    bool atSaved() const { return !m_undo.empty() && m_undo.front().serial == m_saved; }
    bool canUndo() const { return m_undo.size() > 1; }
    bool canRedo() const { return !m_redo.empty(); }
    // One step back: the state to show now, or null when there is none.
    const State* undo()
    {
        if (!canUndo())
            return nullptr;
        m_redo.push_front(std::move(m_undo.front()));
        m_undo.pop_front();
        return m_undo.front().state.get();
    }
    // One step forward again: the state to show now, or null.
    const State* redo()
    {
        if (!canRedo())
            return nullptr;
        m_undo.push_front(std::move(m_redo.front()));
        m_redo.pop_front();
        trim();
        return m_undo.front().state.get();
    }
    // Makes the newest `steps` steps one: the states between them are
    // dropped, so that one undo goes back to the state before all of them.
    // A state already dropped for the levels stays lost.
    void joinNewest(std::size_t steps)
    {
        for (; steps > 1 && m_undo.size() > 2; --steps)
            m_undo.erase(m_undo.begin() + 1);
    }
    // The state now shown (the newest undo state), or null before the first.
    const State* newest() const { return m_undo.empty() ? nullptr : m_undo.front().state.get(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }
    // The steps added so far: a command that added one changed the sheet.
    std::size_t added() const { return m_added; }

private:
    // A state with the number that tells it from every other state of the
    // history, dropped ones included.
    struct Entry {
        std::unique_ptr<State> state;
        std::uint64_t serial;
    };
    Entry entry(std::unique_ptr<State> state) { return {std::move(state), ++m_serials}; }

    void trim()
    {
        while (int(m_undo.size()) > m_levels + 1)
            m_undo.pop_back();
    }

    int m_levels;
    bool m_stepDropsRedo;
    std::size_t m_added = 0;
    std::uint64_t m_serials = 0;
    std::uint64_t m_saved = 0; // the serial of the state the file holds; 0 none
    std::deque<Entry> m_undo;
    std::deque<Entry> m_redo;
};
