#pragma once
// Undo and redo of the shape editor: whole copies of the record being
// edited. The head of the undo stack is always the current state.

#include "core/model/modelrecord.h"

#include <deque>
#include <memory>

class CVes_ShapeUndoHistory {
public:
    // Snapshots kept beyond the current state.
    static constexpr int kDepth = 8;

    // Pushes a copy of `record` as the current state, dropping the oldest
    // snapshot when more than kDepth are held already (at most kDepth + 1).
    void pushState(const CVes_ModelRecord* record);
    // Steps back one snapshot and copies it into `record`; nothing when only
    // the current state is held.
    void undo(CVes_ModelRecord* record);
    // Takes back the last undone snapshot and copies it into `record`.
    void redo(CVes_ModelRecord* record);
    bool canUndo() const { return m_undo.size() > 1; }
    bool canRedo() const { return !m_redo.empty(); }
    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }
    void clear();

private:
    void push(std::unique_ptr<CVes_ModelRecord> snapshot);

    // Front is the head (top) of each stack.
    std::deque<std::unique_ptr<CVes_ModelRecord>> m_undo;
    std::deque<std::unique_ptr<CVes_ModelRecord>> m_redo;
};
