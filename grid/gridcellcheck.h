#pragma once
// A cell with a check box before its text. A click on the box flips the
// check; a click on the text does not.

#include "grid/gridcell.h"

class CGridCellCheck : public CGridCell {
public:
    static constexpr const char* ClassName = "CGridCellCheck";

    CGridCellCheck();
    ~CGridCellCheck() override;

    bool Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
              bool bEraseBkgnd = true) override;
    bool GetTextRect(platform::Rect* pRect) override;
    QSize GetCellExtent(platform::Dc* pDC) override;
    void OnClick(QPoint pointCellRelative) override;

    // Where the box is drawn: a square at the top left of the cell, inside the margin.
    platform::Rect GetCheckPlacement() const;
    bool SetCheck(bool bChecked = true);
    bool GetCheck() const { return m_bChecked; }

    // The side of the box in pixels.
    static int CheckBoxSize();

protected:
    bool m_bChecked = false;
    platform::Rect m_Rect;

private:
    int Margin() const;
};
