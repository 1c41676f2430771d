#pragma once
// A grid that lets tests see inside: invalidated rectangles, scroll steps,
// edits opened, and deterministic text metrics; and an owner window that
// records what the grid tells it.

#include "grid/gridctrl.h"
#include "grid/gridowner.h"
#include "platform/recordingdc.h"

#include <QWidget>
#include <map>
#include <vector>

namespace test {

class TestGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;

    struct EditCall {
        int row;
        int col;
        QPoint point;
        UINT ch;
    };

    std::vector<platform::Rect> invalidated; // (0,0,0,0) stands for "everything"
    std::vector<EditCall> edits;
    int scrollSteps = 0;
    bool recordEdits = true;

    using CGridCtrl::m_MouseMode;
    using CGridCtrl::m_nTimerID;
    using CGridCtrl::m_nRowsPerWheelNotch;
    using CGridCtrl::m_SelectionStartCell;
    using CGridCtrl::OnLButtonDblClk;
    using CGridCtrl::OnLButtonDown;
    using CGridCtrl::OnLButtonUp;
    using CGridCtrl::OnMouseMove;
    using CGridCtrl::OnMouseWheel;
    using CGridCtrl::OnRButtonUp;
    using CGridCtrl::CreateDragImage;

    void OnEditCell(int nRow, int nCol, QPoint point, UINT nChar) override
    {
        if (recordEdits)
            edits.push_back({nRow, nCol, point, nChar});
        CGridCtrl::OnEditCell(nRow, nCol, point, nChar);
    }

    // Font metrics of the recording context: every byte of text is half the
    // font height wide.
    std::unique_ptr<platform::Dc> GetMeasureDC() override
    {
        return std::make_unique<platform::RecordingDc>();
    }

protected:
    void InvalidateClientRect(const platform::Rect* pRect) override
    {
        invalidated.push_back(pRect ? *pRect : platform::Rect());
        CGridCtrl::InvalidateClientRect(pRect);
    }
    void scrollContentsBy(int dx, int dy) override
    {
        ++scrollSteps;
        CGridCtrl::scrollContentsBy(dx, dy);
    }
};

// The window holding the grid: answers the grid's notifications.
class RecordingOwner : public QWidget, public GridOwner {
public:
    std::vector<GridNotify> notes;
    std::vector<GridCacheHint> hints;
    std::map<int, LRESULT> answers; // by code
    int commands = 0;
    UINT commandId = 0;
    int displayRequests = 0;
    bool fillDisplay = true;

    LRESULT OnGridNotify(const GridNotify& notify) override
    {
        notes.push_back(notify);
        const auto it = answers.find(notify.hdr.code);
        return it == answers.end() ? 0 : it->second;
    }
    LRESULT OnGridDisplayRequest(GridDisplayInfo& info) override
    {
        ++displayRequests;
        if (fillDisplay)
            info.item.strText = QStringLiteral("%1:%2").arg(info.item.row).arg(info.item.col);
        return 0;
    }
    LRESULT OnGridCacheHint(const GridCacheHint& hint) override
    {
        hints.push_back(hint);
        return 0;
    }
    void OnGridCommand(CGridCtrl&, UINT id) override
    {
        ++commands;
        commandId = id;
    }

    std::vector<int> codes() const
    {
        std::vector<int> result;
        for (const GridNotify& n : notes)
            result.push_back(n.hdr.code);
        return result;
    }
};

// Gives all four default cells a font of the given pixel height and a
// fixed margin, so that measured sizes do not depend on the machine.
inline void useFixedMetrics(CGridCtrl& grid, int fontHeight = 20, UINT margin = 2)
{
    LOGFONT lf;
    lf.lfHeight = -fontHeight;
    lf.lfFaceName = QStringLiteral("Arial");
    for (bool fixedRow : {false, true}) {
        for (bool fixedCol : {false, true}) {
            CGridDefaultCell* def = grid.GetDefaultCell(fixedRow, fixedCol);
            def->SetFont(&lf);
            def->SetMargin(margin);
        }
    }
}

// Sets every row and column of the grid to one size.
inline void setUniformSizes(CGridCtrl& grid, int width, int height)
{
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        grid.SetColumnWidth(col, width);
    for (int row = 0; row < grid.GetRowCount(); ++row)
        grid.SetRowHeight(row, height);
}

} // namespace test
