#pragma once
// The grid window: rows x columns of cells with fixed (heading) rows at the
// top and fixed columns at the left, a focus cell, a selection, sizing and
// sorting with the mouse, and an optional virtual mode in which the owner
// supplies every cell on demand. Notifications reach the owner through
// GridOwner (gridowner.h) with the grid's numeric codes.
//
// Cell rectangles are inclusive, as the grid's users compute with them: a
// 100 x 20 cell at the origin is (0, 0, 99, 19) in a platform::Rect.

#include "grid/gridcell.h"
#include "grid/gridcellclass.h"
#include "grid/gridcellpos.h"
#include "grid/griditem.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class GridOwner;
class CGridImageList;
class CGridTipWnd;
class QMimeData;
class QPagedPaintDevice;

// What the print loop tells the grid about the job: the page being printed,
// the page count the grid worked out, and the band of the page being drawn.
struct GridPrintInfo {
    UINT m_nCurPage = 1;
    platform::Rect m_rectDraw;

    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    UINT GetMinPage() const { return m_nMinPage; }

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Scroll bar codes and commands of the scroll handlers.
    static constexpr int SB_HORZ = 0;
    static constexpr int SB_VERT = 1;
    static constexpr int SB_BOTH = 3;
    static constexpr UINT SB_LINEUP = 0;
    static constexpr UINT SB_LINELEFT = 0;
    static constexpr UINT SB_LINEDOWN = 1;
    static constexpr UINT SB_LINERIGHT = 1;
    static constexpr UINT SB_PAGEUP = 2;
    static constexpr UINT SB_PAGELEFT = 2;
    static constexpr UINT SB_PAGEDOWN = 3;
    static constexpr UINT SB_PAGERIGHT = 3;
    static constexpr UINT SB_THUMBPOSITION = 4;
    static constexpr UINT SB_THUMBTRACK = 5;
    static constexpr UINT SB_TOP = 6;
    static constexpr UINT SB_LEFT = 6;
    static constexpr UINT SB_BOTTOM = 7;
    static constexpr UINT SB_RIGHT = 7;
    static constexpr UINT SB_ENDSCROLL = 8;

    // Mouse button and key flags of the mouse handlers.
    static constexpr UINT MK_LBUTTON = 0x01;
    static constexpr UINT MK_RBUTTON = 0x02;
    static constexpr UINT MK_SHIFT = 0x04;
    static constexpr UINT MK_CONTROL = 0x08;

    // The key code that tells an editor it was opened by the mouse.
    static constexpr UINT VK_LBUTTON = 0x01;
    // Wheel setting for "one page per notch".
    static constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFF;
    // Control id of the in-place editors.
    static constexpr UINT IDC_INPLACE_CONTROL = 8;
    // Id of the timer that scrolls while the selection is dragged.
    static constexpr UINT AutoScrollTimerId = 0x201;

    // Window styles Create understands.
    static constexpr DWORD WS_CHILD = 0x40000000;
    static constexpr DWORD WS_VISIBLE = 0x10000000;
    static constexpr DWORD WS_BORDER = 0x00800000;
    static constexpr DWORD WS_TABSTOP = 0x00010000;

    // Fit flags of FitColumnWidth.
    static constexpr UINT GVS_HEADER = 0x1;
    static constexpr UINT GVS_DATA = 0x2;
    static constexpr UINT GVS_BOTH = 0x3;
    static constexpr UINT GVS_DEFAULT = 0;

    // Grid lines.
    static constexpr int GVL_NONE = 0;
    static constexpr int GVL_HORZ = 1;
    static constexpr int GVL_VERT = 2;
    static constexpr int GVL_BOTH = 3;

    enum GridMouseMode {
        MouseIdle = 0,
        MouseSelectAll = 1,
        MouseSelectColumns = 2,
        MouseSelectRows = 3,
        MouseSelectCells = 4,
        MouseOverRowBorder = 6,
        MouseSizingRow = 7,
        MouseOverColumnBorder = 8,
        MouseSizingColumn = 9,
        MousePrepareEdit = 10,
        MousePrepareDrag = 11,
        MouseDragging = 12,
    };

    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0,
                       QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Places the grid in its parent with a control id, takes the parent's
    // font and gives every row and column the default size.
    bool Create(const platform::Rect& rect, QWidget* parent, UINT nID, DWORD dwStyle = 0);

    // The control id carried by the notifications.
    UINT GetDlgCtrlID() const { return m_nID; }
    void SetDlgCtrlID(UINT nID) { m_nID = nID; }
    // An explicit receiver of the notifications (not owned); without one the
    // nearest ancestor widget that is a GridOwner receives them.
    void SetOwner(GridOwner* pOwner) { m_pOwner = pOwner; }
    GridOwner* GetOwner() const;

    // Counts, rows, columns and items.
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    bool SetRowCount(int nRows = 10);
    bool SetColumnCount(int nCols = 10);
    bool SetFixedRowCount(int nFixedRows = 1);
    bool SetFixedColumnCount(int nFixedCols = 1);

    int InsertRow(const QString* strHeading, int nRow = -1);
    int InsertRow(const QString& strHeading, int nRow = -1) { return InsertRow(&strHeading, nRow); }
    bool DeleteRow(int nRow);
    bool DeleteAllItems();

    bool SetCellType(int nRow, int nCol, const GridCellClass* pClass);
    bool SetDefaultCellType(const GridCellClass* pClass);

    CGridCellBase* GetCell(int nRow, int nCol);
    CGridDefaultCell* GetDefaultCell(bool bFixedRow, bool bFixedCol) const;

    bool SetItem(const GridItem* pItem);
    bool SetItemText(int nRow, int nCol, const QString& str);
    QString GetItemText(int nRow, int nCol);
    bool SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol);
    bool SetItemState(int nRow, int nCol, UINT state);
    UINT GetItemState(int nRow, int nCol);
    bool SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    bool SetItemTextColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    bool IsItemEditing(int nRow, int nCol);

    bool IsValid(int nRow, int nCol) const;
    bool IsValid(const CGridCellPos& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CGridCellSpan& range) const;

    // Sizes.
    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    bool SetRowHeight(int nRow, int height);
    bool SetColumnWidth(int nCol, int width);
    int GetFixedRowsHeight() const;
    int GetFixedColumnsWidth() const;
    int GetTotalHeight() const;
    int GetTotalWidth() const;
    bool FitColumnWidth(int nCol, UINT nAutoSizeStyle = GVS_DEFAULT, bool bResetScroll = true);
    bool FitRowHeight(int nRow, bool bResetScroll = true);
    QSize GetTextExtent(int nRow, int nCol, const QString& str);

    // Selection, focus, modified marks, sorting.
    bool IsCellEditable(int nRow, int nCol);
    bool IsCellEditable(const CGridCellPos& cell) { return IsCellEditable(cell.row, cell.col); }
    bool IsCellSelected(int nRow, int nCol);
    bool IsCellSelected(const CGridCellPos& cell) { return IsCellSelected(cell.row, cell.col); }
    CGridCellSpan GetSelectedCellRange() const;
    void ResetSelectedRange();
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }

    CGridCellPos SetFocusCell(int nRow, int nCol);
    CGridCellPos SetFocusCell(CGridCellPos cell) { return SetFocusCell(cell.row, cell.col); }
    CGridCellPos GetFocusCell() const { return m_idCurrentCell; }

    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          bool bForceRepaint = false, bool bSelectCells = true);
    void SetSelectedRange(const CGridCellSpan& range, bool bForceRepaint = false,
                          bool bSelectCells = true);
    void SelectAllCells();
    void SelectColumns(CGridCellPos currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void SelectRows(CGridCellPos currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void SelectCells(CGridCellPos currentCell, bool bForceRedraw = false, bool bSelectCells = true);
    void OnSelecting(const CGridCellPos& currentCell);

    void SetModified(bool bModified = true, int nRow = -1, int nCol = -1);
    bool GetModified(int nRow = -1, int nCol = -1);

    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(bool bAscending) { m_bAscending = bAscending; }
    bool GetSortAscending() const { return m_bAscending; }
    void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    bool SortRowsByText(int nCol, bool bAscending, LPARAM data = 0);
    bool SortRows(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data = 0);
    static int CompareCellText(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // Geometry and scrolling.
    CGridCellPos GetFirstScrolledCell(bool bForceRecalculation = false);
    CGridCellPos CellFromPoint(QPoint point, bool bAllowFixedCellCheck = true);
    CGridCellSpan GetVisibleScrollRange(platform::Rect* pRect = nullptr,
                                        bool bForceRecalculation = false);
    bool GetCellOrigin(int nRow, int nCol, QPoint* p);
    bool GetCellOrigin(const CGridCellPos& cell, QPoint* p) { return GetCellOrigin(cell.row, cell.col, p); }
    bool GetCellRect(int nRow, int nCol, platform::Rect* pRect);
    bool GetCellRect(const CGridCellPos& cell, platform::Rect* pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    bool IsCellOnScreen(int nRow, int nCol);
    bool InvalidateCell(int nRow, int nCol);
    bool InvalidateCell(const CGridCellPos& cell) { return InvalidateCell(cell.row, cell.col); }
    void ScrollCellIntoView(int nRow, int nCol);
    void ScrollCellIntoView(const CGridCellPos& cell) { ScrollCellIntoView(cell.row, cell.col); }
    int GetScrollPosition(int nBar, bool bGetTrackPos = false) const;
    bool SetScrollPosition(int nBar, int nPos, bool bRedraw = true);
    void SetScrollBarShown(int nBar, bool bShow = true);
    void ResetScrollBars();
    bool IsOverRowBorder(QPoint point);
    bool IsOverColumnBorder(QPoint point);
    void InvalidateGrid();
    QPoint PointInCell(int nRow, int nCol, QPoint point);
    // The grid's client rectangle (the viewport), exclusive as the window's.
    platform::Rect GetClientRect() const;

    // The scroll handlers (one line, one page, to the ends, thumb).
    void OnHScroll(UINT nSBCode, int nPos = 0);
    void OnVScroll(UINT nSBCode, int nPos = 0);

    // Drawing.
    bool RedrawCell(int nRow, int nCol, platform::Dc* pDC = nullptr);
    bool RedrawCell(const CGridCellPos& cell, platform::Dc* pDC = nullptr) { return RedrawCell(cell.row, cell.col, pDC); }
    // Draws the visible part of the grid within the context's clip box.
    virtual void OnDraw(platform::Dc* pDC);
    void EraseBkgnd(platform::Dc* pDC);

    // Editing.
    virtual void OnEditCell(int nRow, int nCol, QPoint point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, QString str);
    virtual bool ValidateEdit(int nRow, int nCol, const QString& str);
    virtual void EndEditing();

    // The end-of-edit record of an in-place editor: takes the text and,
    // after Tab or a movement key, continues editing in the next cell.
    // `modifiers` are the keys held with the ending key (Shift+Tab goes back).
    LRESULT OnEndInPlaceEdit(GridDisplayInfo* pgvItem,
                             Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Keyboard (key codes of gridkeys.h).
    void OnKeyDown(UINT nChar, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void OnChar(UINT nChar, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void OnImeChar(UINT nChar, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Clipboard: text with tabs between cells and line feeds between rows.
    void CutSelectedText();
    // The selection's text as clipboard data; null when nothing is selected.
    std::unique_ptr<QMimeData> CopyTextFromGrid();
    // The selection's text as the bytes of the clipboard block: GBK, ended
    // by one zero byte; empty when nothing is selected.
    QByteArray CopyTextBlock();
    bool PasteTextToGrid(CGridCellPos cell, const QMimeData* pDataObject, bool bSelectPasted = true);
    // One notified text change, as an edit would make it.
    void PasteCellText(int nRow, int nCol, const QString& text);
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    bool OnUpdateEditCut();
    bool OnUpdateEditCopy();
    bool OnUpdateEditPaste();
    bool OnUpdateEditSelectAll() const { return m_bEnableSelection; }

    // Drag and drop of the selection's text (client coordinates).
    Qt::DropAction OnDragEnter(const QMimeData* pDataObject, UINT dwKeyState, QPoint point);
    Qt::DropAction OnDragOver(const QMimeData* pDataObject, UINT dwKeyState, QPoint point);
    void OnDragLeave();
    bool OnDrop(const QMimeData* pDataObject, Qt::DropAction dropEffect, QPoint point);

    // Title tip.
    CGridTipWnd* GetTitleTip() const { return m_pTitleTip; }
    void HideTitleTip();

    // Printing (one grid pixel maps onto the paper's width).
    void SetPrintMargins(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                         int nTopMargin, int nBottomMargin, int nGap);
    virtual void OnBeginPrinting(platform::Dc* pDC, GridPrintInfo* pInfo);
    virtual void OnPrint(platform::Dc* pDC, GridPrintInfo* pInfo);
    virtual void OnEndPrinting(platform::Dc* pDC, GridPrintInfo* pInfo);
    // Prints every page on a printer or PDF writer; false when nothing
    // could be drawn on it.
    bool Print(QPagedPaintDevice* pDevice);
    int GetPrintPageHeight() const { return m_nPageHeight; }
    int GetPrintPageWidth() const { return m_nPageWidth; }

    // Notifications.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);
    LRESULT SendDisplayRequestToParent(GridDisplayInfo* pDisplayInfo);
    LRESULT SendCacheHintToParent(const CGridCellSpan& range);

    // Settings.
    void SetVirtualMode(bool bVirtual);
    bool GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam) { m_pfnCallback = pCallback; m_lParamCallback = lParam; }
    GRIDCALLBACK GetCallbackFunc() const { return m_pfnCallback; }
    void SetImageList(CGridImageList* pList) { m_pImageList = pList; }
    CGridImageList* GetImageList() const { return m_pImageList; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTitleTipBackClr = clr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTitleTipTextClr = clr; }
    void SetEditable(bool bEditable = true) { m_bEditable = bEditable; }
    bool IsEditable() const { return m_bEditable; }
    void SetListMode(bool bEnableListMode = true);
    bool GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(bool bSing = true) { m_bSingleRowSelection = bSing; }
    bool GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleColSelection(bool bSing = true) { m_bSingleColSelection = bSing; }
    bool GetSingleColSelection() const { return m_bSingleColSelection; }
    void EnableSelection(bool bEnable = true);
    bool IsSelectable() const { return m_bEnableSelection; }
    void SetFixedColumnSelection(bool bSelect) { m_bFixedColumnSelection = bSelect; }
    bool GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    void SetFixedRowSelection(bool bSelect) { m_bFixedRowSelection = bSelect; }
    bool GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetHeaderSort(bool bSortOnClick = true) { m_bSortOnClick = bSortOnClick; }
    bool GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(bool bHandleTab = true) { m_bHandleTabKey = bHandleTab; }
    bool GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(bool bBuffer = true) { m_bDoubleBuffer = bBuffer; }
    bool GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(bool bEnable = true) { m_bTitleTips = bEnable; }
    bool GetTitleTips() const { return m_bTitleTips; }
    void SetTrackFocusCell(bool bTrack) { m_bTrackFocusCell = bTrack; }
    bool GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(bool bFrame) { m_bFrameFocus = bFrame; }
    bool GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetAutoSizeStyle(UINT nStyle = GVS_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }
    void EnableDragAndDrop(bool bAllow = true) { m_bAllowDragAndDrop = bAllow; }
    bool GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetRowResize(bool bResize = true) { m_bAllowRowResize = bResize; }
    bool GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(bool bResize = true) { m_bAllowColumnResize = bResize; }
    bool GetColumnResize() const { return m_bAllowColumnResize; }
    void EnableHiddenColUnhide(bool bEnable = true) { m_bHiddenColUnhide = bEnable; }
    void EnableHiddenRowUnhide(bool bEnable = true) { m_bHiddenRowUnhide = bEnable; }
    void EnableColumnHide(bool bEnable = true) { m_bAllowColHide = bEnable; }
    void EnableRowHide(bool bEnable = true) { m_bAllowRowHide = bEnable; }
    void SetPrintColour(bool bColour = true) { m_bPrintColour = bColour; }
    bool GetPrintColour() const { return m_bPrintColour; }
    void SetWysiwygPrinting(bool bWysiwyg = true) { m_bWysiwygPrinting = bWysiwyg; }
    bool GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
    void AllowDraw(bool bAllow) { m_bAllowDraw = bAllow; }
    bool IsDrawAllowed() const { return m_bAllowDraw; }
    // Lines scrolled per wheel notch (WHEEL_PAGESCROLL: a page).
    UINT GetMouseScrollLines() const { return m_nRowsPerWheelNotch; }
    int GetMouseMode() const { return m_MouseMode; }

    // The selected-cell map key of a cell.
    static quint64 SelectionKey(int nRow, int nCol);

protected:
    // Overridable behaviour.
    virtual std::unique_ptr<CGridCellBase> CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    virtual void OnFixedColumnClick(CGridCellPos& cell);
    virtual void OnFixedRowClick(CGridCellPos& cell);
    virtual void OnBeginDrag();
    virtual void OnTimer(UINT nIDEvent);
    // Runs the drag of the selection's text; the action the drop took.
    virtual Qt::DropAction DoDragDrop(std::unique_ptr<QMimeData> data);
    // Where the pointer is now, in client coordinates.
    virtual QPoint GetCursorClientPos() const;

    // Printing of the page parts.
    virtual void PrintRowCells(int nStartColumn, int nEndColumn, int nRow, platform::Rect& rect,
                               platform::Dc* pDC, bool& bFirst);
    virtual void PrintColumnHeadings(platform::Dc* pDC, GridPrintInfo* pInfo);
    virtual void PrintHeader(platform::Dc* pDC, GridPrintInfo* pInfo);
    virtual void PrintFooter(platform::Dc* pDC, GridPrintInfo* pInfo);
    virtual void PrintRowButtons(platform::Dc* pDC, GridPrintInfo* pInfo);
    // The picture dragged with the selection: the focus cell drawn at the
    // origin, the background of the normal cells transparent; the hot spot
    // receives its bottom right. A null image when there is no focus cell.
    virtual QImage CreateDragImage(QPoint* pHotSpot);
    // Invalidates part of the client area (null: all of it).
    virtual void InvalidateClientRect(const platform::Rect* pRect);
    // A drawing context for measuring text in the grid's font, as the
    // window's device context would; null when none can be had.
    virtual std::unique_ptr<platform::Dc> GetMeasureDC();
    // Delivers the command posted after a click on a cell.
    virtual void PostCommandToOwner();

    // Mouse handlers (client coordinates).
    void OnMouseMove(UINT nFlags, QPoint point);
    void OnLButtonDown(UINT nFlags, QPoint point);
    void OnLButtonUp(UINT nFlags, QPoint point);
    void OnLButtonDblClk(UINT nFlags, QPoint point);
    void OnRButtonUp(UINT nFlags, QPoint point);
    void OnMouseWheel(UINT nFlags, short zDelta, QPoint point);
    bool OnSetCursor(QPoint point);

    // Qt events.
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool viewportEvent(QEvent* event) override;

    // Helpers.
    void SetupDefaultCells();
    void ApplySystemColours();
    void OnSysColorChange();
    bool SortRowRange(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data,
                      int low, int high);
    void SwapRows(int nRow1, int nRow2);
    void SetRowCellStates(int nFromRow, int nToRow, bool bFixed);
    void SetColumnCellStates(int nFromCol, int nToCol, bool bFixed);
    void RedrawHeadings(const CGridCellPos& cell, const CGridCellPos& other);
    bool IsPointInCellText(const CGridCellPos& cell, QPoint point);
    void StartSizingLine(int nPos, bool bColumn);
    void MoveSizingLine(int nPos);
    void EndSizingLine();
    void ReportOutOfMemory();
    void SetCursorShape(Qt::CursorShape shape);
    void SetCapture();
    void ReleaseCapture();
    // The mouse went to a pop-up or another window in the middle of a drag.
    void OnCaptureChanged();
    int ScrollLine(int nBar, bool bForward);
    void SetScrollRange(int nBar, int nMax, int nPage);
    void OnScrollAction(int nBar, int action);
    void DrawGridLines(platform::Dc* pDC, const CGridCellSpan& visible, const platform::Rect& visRect);
    void DrawCellPass(platform::Dc* pDC, const platform::Rect& clip, int firstRow, int lastRow,
                      int firstCol, int lastCol, int top, int left, bool clipTest);
    void OnSetFont(const QFont& font);
    // The selection's text; false when nothing is selected.
    bool SelectedText(QString* pText);
    // Opens an editor on the focus cell with a typed character.
    void StartEditWithChar(UINT nChar);
    // A key press; true when the key is left to default processing.
    bool KeyDown(UINT nChar, Qt::KeyboardModifiers modifiers);
    // Where a key takes the focus cell (none: it stays), and whether the
    // key is also left to default processing.
    struct KeyMove {
        std::optional<CGridCellPos> cell;
        bool defaultProcessing = false;
    };
    // Runs the copy, cut, paste and select-all keys; true when the key
    // was Shift+Insert, which ends the key's work.
    bool RunEditShortcut(UINT nChar, Qt::KeyboardModifiers modifiers);
    // The focus cell's target for a key, running what the key does besides
    // (scrolling a page or an end, deleting, opening the editor).
    KeyMove KeyMoveTarget(UINT nChar, Qt::KeyboardModifiers modifiers);
    // Left, Right and Tab: along the row; Tab wraps onto the row below
    // (Shift+Tab: above) and is left to default processing at the end.
    KeyMove SidewaysKeyMove(UINT nChar, bool shift);
    // Page Down or Page Up: the row as far below or above as the grid scrolled.
    int PageKeyRow(bool down);
    // Home or End: the first or last column; with Ctrl also the first or
    // last row.
    CGridCellPos EdgeKeyTarget(bool end, bool ctrl);
    // Makes `next` the focus cell by a key, selecting it (with Shift, the
    // range from the selection's start) and scrolling it into view.
    void MoveFocusByKey(const CGridCellPos& next, UINT nChar, bool shift);
    // Scrolls one line the way the key moved, for a cell off the screen.
    void ScrollLineForKey(UINT nChar, bool shift);
    // Shows the title tip over a cell whose text is cut off.
    void ShowTitleTip(const CGridCellPos& cell);
    // Lines of a printed cell, as the grid-line setting asks.
    void PrintCellLines(platform::Dc* pDC, int nRow, int nCol, const platform::Rect& rect,
                        bool bFirstRow, bool bFirstCol);
    // The printed rows of a band: the first row of band `band` (1-based).
    int PrintBandFirstRow(int band) const;

    friend class CGridCellBase;
    friend class CGridCell;
    friend class CGridTipWnd;

protected:
    using GridRow = std::vector<std::unique_ptr<CGridCellBase>>;

    COLORREF m_crGridBkColour = 0;
    COLORREF m_crGridLineColour = 0xC0C0C0;
    COLORREF m_crWindowText = 0;
    COLORREF m_crWindowColour = 0;
    COLORREF m_cr3DFace = 0;
    COLORREF m_crShadow = 0;
    COLORREF m_crTitleTipBackClr = CLR_DEFAULT;
    COLORREF m_crTitleTipTextClr = CLR_DEFAULT;
    bool m_bVirtualMode = false;
    LPARAM m_lParamCallback = 0;
    GRIDCALLBACK m_pfnCallback = nullptr;
    int m_nGridLines = GVL_BOTH;
    bool m_bEditable = true;
    bool m_bModified = false;
    bool m_bAllowDragAndDrop = false;
    bool m_bListMode = false;
    bool m_bSingleRowSelection = false;
    bool m_bSingleColSelection = false;
    bool m_bAllowDraw = true;
    bool m_bEnableSelection = true;
    bool m_bFixedColumnSelection = true;
    bool m_bFixedRowSelection = true;
    bool m_bSortOnClick = false;
    bool m_bHandleTabKey = true;
    bool m_bDoubleBuffer = true;
    bool m_bTitleTips = true;
    int m_nBarState = 0;
    bool m_bWysiwygPrinting = false;
    bool m_bHiddenColUnhide = true;
    bool m_bHiddenRowUnhide = true;
    bool m_bAllowColHide = true;
    bool m_bAllowRowHide = true;
    bool m_bTrackFocusCell = true;
    bool m_bFrameFocus = true;
    UINT m_nAutoSizeColumnStyle = GVS_BOTH;
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<UINT> m_arRowHeights;
    std::vector<UINT> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    const GridCellClass* m_pRtcDefault = nullptr;
    mutable CGridDefaultCell m_cellDefault;
    mutable CGridDefaultCell m_cellFixedColDef;
    mutable CGridDefaultCell m_cellFixedRowDef;
    mutable CGridDefaultCell m_cellFixedRowColDef;
    CGridImageList* m_pImageList = nullptr;
    std::vector<std::unique_ptr<GridRow>> m_RowData;
    int m_MouseMode = MouseIdle;
    bool m_bLMouseButtonDown = false;
    bool m_bRMouseButtonDown = false;
    QPoint m_LeftClickDownPoint;
    QPoint m_LastMousePoint;
    CGridCellPos m_LeftClickDownCell;
    CGridCellPos m_SelectionStartCell;
    CGridCellPos m_idCurrentCell;
    CGridCellPos m_idTopLeftCell;
    UINT m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    bool m_bAllowRowResize = true;
    bool m_bAllowColumnResize = true;
    UINT m_nRowsPerWheelNotch = 3;
    std::map<quint64, CGridCellPos> m_SelectedCellMap;
    std::map<quint64, CGridCellPos> m_PrevSelectedCellMap;
    CGridCellPos m_LastDragOverCell;
    bool m_bAscending = true;
    int m_nSortColumn = -1;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    bool m_bPrintColour = true;
    // Tab wrapped to the next or previous row on the last key press.
    bool m_bWrappedTab = false;
    CGridTipWnd* m_pTitleTip = nullptr;

    // Printing.
    platform::Font m_PrinterFont;
    int m_nCharWidth = 0;
    int m_nCharHeight = 0;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    int m_nPaperWidth = 0;
    int m_nPaperHeight = 0;
    int m_nPrintableWidth = 0;
    int m_nPrintableHeight = 0;
    int m_nPageMultiplier = 1;
    int m_nPrintColumn = 0;
    int m_nCurrPrintRow = 0;
    int m_nNumPages = 0;
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;

private:
    UINT m_nID = 0;
    GridOwner* m_pOwner = nullptr;
    bool m_bHasCapture = false;
    bool m_bInResize = false;
    bool m_bInScrollReset = false;
    QBasicTimer m_autoScrollTimer;
    // The cell handed out by GetCell in virtual mode; valid until the next lookup.
    std::unique_ptr<CGridCell> m_pDisplayCell;
    // The sizing line shown while a row or column border is dragged.
    int m_nSizingLine = -1;
    bool m_bSizingColumn = false;
    // Where the drag's text was dropped on this grid, so that a move does
    // not empty the cells that just received it.
    CGridCellSpan m_PastedRange;
    bool m_bDragSource = false;
    bool m_bDroppedOnSelf = false;
};
