#pragma once
// A cell edited with a box that takes digits only.

#include "grid/gridcell.h"

class CGridCellNumeric : public CGridCell {
public:
    static constexpr const char* ClassName = "CGridCellNumeric";

    bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar) override;
};
