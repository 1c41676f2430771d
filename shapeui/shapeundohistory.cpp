#include "shapeui/shapeundohistory.h"

void CVes_ShapeUndoHistory::push(std::unique_ptr<CVes_ModelRecord> snapshot)
{
    if (int(m_undo.size()) > kDepth)
        m_undo.pop_back();
    m_undo.push_front(std::move(snapshot));
}

void CVes_ShapeUndoHistory::pushState(const CVes_ModelRecord* record)
{
    if (!record)
        return;
    auto snapshot = std::make_unique<CVes_ModelRecord>();
    snapshot->set(record);
    push(std::move(snapshot));
}

void CVes_ShapeUndoHistory::undo(CVes_ModelRecord* record)
{
    if (!record || m_undo.size() <= 1)
        return;
    m_redo.push_front(std::move(m_undo.front()));
    m_undo.pop_front();
    record->set(m_undo.front().get());
}

void CVes_ShapeUndoHistory::redo(CVes_ModelRecord* record)
{
    if (!record || m_redo.empty())
        return;
    std::unique_ptr<CVes_ModelRecord> snapshot = std::move(m_redo.front());
    m_redo.pop_front();
    record->set(snapshot.get());
    push(std::move(snapshot));
}

void CVes_ShapeUndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}
