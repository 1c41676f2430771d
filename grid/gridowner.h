#pragma once
// What a grid tells the window that owns it. A dialog that holds grids
// implements this; the grid finds it as its explicit owner (SetOwner) or as
// the nearest ancestor widget that implements it. The answers are the
// notification results: a negative answer to GridBeginEdit or GridEndEdit
// refuses the edit.

#include "grid/griditem.h"

class GridOwner {
public:
    virtual ~GridOwner() = default;

    // Every GridNotify code (clicks, selection, editing, drag start).
    virtual LRESULT OnGridNotify(const GridNotify& notify)
    {
        (void)notify;
        return 0;
    }
    // A virtual grid asks for the contents of one cell (code -150).
    virtual LRESULT OnGridDisplayRequest(GridDisplayInfo& info)
    {
        (void)info;
        return 0;
    }
    // A virtual grid is about to read the range (code -113; the empty range
    // when it is done).
    virtual LRESULT OnGridCacheHint(const GridCacheHint& hint)
    {
        (void)hint;
        return 0;
    }
    // Posted after a left-button release over a cell, with the grid's control id.
    virtual void OnGridCommand(CGridCtrl& grid, UINT id)
    {
        (void)grid;
        (void)id;
    }
};
