#pragma once
// A cell edited with a drop-down list of choices. While it may be edited and
// is not, it shows a drop-down button at its right.

#include "grid/gridcell.h"
#include "grid/griddroplist.h"

#include <QStringList>

class CGridCellCombo : public CGridCell {
public:
    static constexpr const char* ClassName = "CGridCellCombo";

    CGridCellCombo();
    ~CGridCellCombo() override;

    bool Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
              bool bEraseBkgnd = true) override;
    bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    QWidget* GetEditWnd() const override;
    QSize GetCellExtent(platform::Dc* pDC) override;

    void SetOptions(const QStringList& ar);
    const QStringList& GetOptions() const { return m_Strings; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

    // The width of a vertical and the height of a horizontal scroll bar.
    static int ScrollBarWidth();
    static int ScrollBarHeight();

protected:
    QStringList m_Strings;
    DWORD m_dwStyle = CBS_DROPDOWN;
};
