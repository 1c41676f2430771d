#pragma once
// A cell that holds a time and is edited with a date-time picker.

#include "grid/gridcell.h"
#include "grid/griddatepicker.h"

#include <QDateTime>

class CGridCellDateTime : public CGridCell {
public:
    static constexpr const char* ClassName = "CGridCellDateTime";

    CGridCellDateTime();
    ~CGridCellDateTime() override;

    bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    QWidget* GetEditWnd() const override { return m_pEditWnd; }

    QDateTime GetTime() const { return m_cTime; }
    void SetTime(const QDateTime& time) { m_cTime = time; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

protected:
    QDateTime m_cTime;
    DWORD m_dwStyle = 0;
};
