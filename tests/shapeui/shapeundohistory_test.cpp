// Undo and redo by whole-record snapshots.

#include "shapeui/shapeundohistory.h"

#include <gtest/gtest.h>

namespace {

// A record whose line count tells the edit it comes from.
void edit(CVes_ModelRecord& record, CVes_ShapeUndoHistory& history)
{
    record.AddLine(0, 0, 10, 10, 1, 0, 0);
    history.pushState(&record);
}

TEST(ShapeUndoHistory, KeepsEightStepsBack)
{
    CVes_ModelRecord record;
    CVes_ShapeUndoHistory history;
    for (int i = 0; i < 10; ++i)
        edit(record, history);
    EXPECT_EQ(history.undoCount(), 9);
    for (int i = 1; i <= 8; ++i) {
        ASSERT_TRUE(history.canUndo()) << i;
        history.undo(&record);
        EXPECT_EQ(record.getLineArraySize(), 10 - i);
    }
    EXPECT_FALSE(history.canUndo());
    history.undo(&record);
    EXPECT_EQ(record.getLineArraySize(), 2);
    EXPECT_EQ(history.redoCount(), 8);
}

TEST(ShapeUndoHistory, RedoAfterANewEditRestoresTheUndoneStateOnTop)
{
    CVes_ModelRecord record;
    CVes_ShapeUndoHistory history;
    history.pushState(&record);
    edit(record, history); // 1 line
    edit(record, history); // 2 lines
    history.undo(&record);
    EXPECT_EQ(record.getLineArraySize(), 1);
    record.AddCircle(5, 5, 3, 1, 0, 0);
    history.pushState(&record); // a new edit keeps the redo stack
    EXPECT_TRUE(history.canRedo());
    history.redo(&record);
    EXPECT_EQ(record.getLineArraySize(), 2);
    EXPECT_EQ(record.getCircleArraySize(), 0);
    // The redone state went back on the undo stack above the new edit.
    history.undo(&record);
    EXPECT_EQ(record.getCircleArraySize(), 1);
    EXPECT_EQ(record.getLineArraySize(), 1);
    history.redo(&record);
    EXPECT_EQ(record.getLineArraySize(), 2);
    EXPECT_FALSE(history.canRedo());
    history.redo(&record); // nothing to redo
    EXPECT_EQ(record.getLineArraySize(), 2);
}

TEST(ShapeUndoHistory, SnapshotsAreCopies)
{
    CVes_ModelRecord record;
    CVes_ShapeUndoHistory history;
    history.pushState(&record);
    edit(record, history);
    record.m_arrLine[0]->m_P1.set(99, 99); // changed after the snapshot
    history.undo(&record);
    history.redo(&record);
    EXPECT_EQ(record.m_arrLine[0]->m_P1.ToPoint(), QPoint(0, 0));
    history.undo(nullptr);
    history.pushState(nullptr);
    EXPECT_EQ(history.undoCount(), 2);
}

} // namespace
