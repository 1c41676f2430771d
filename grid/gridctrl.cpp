// The grid control itself: making it, its cells and default cells, the
// notifications it sends its owner, its settings and the edit of a cell.

#include "grid/gridctrl.h"

#include "grid/gridowner.h"
#include "grid/gridtipwnd.h"
#include "platform/hostservices.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <new>

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : QAbstractScrollArea(parent)
{
    m_pRtcDefault = GridCellClass::Of<CGridCell>();
    ApplySystemColours();
    m_crGridBkColour = m_crShadow;
    SetupDefaultCells();

    const int wheelLines = QApplication::wheelScrollLines();
    m_nRowsPerWheelNotch = wheelLines > 0 ? static_cast<UINT>(wheelLines) : 3;

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(SB_HORZ, action); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(SB_VERT, action); });

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    m_crTitleTipBackClr = CLR_DEFAULT;
    m_crTitleTipTextClr = CLR_DEFAULT;
    m_SelectedCellMap.clear();
    m_bPrintColour = true;
}

CGridCtrl::~CGridCtrl()
{
    m_autoScrollTimer.stop();
    // An open editor goes first: closing it must not report to a grid
    // that is half gone.
    for (QWidget* child : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete child;
    // The cells go before the default cells they fall back to.
    m_RowData.clear();
    m_pDisplayCell.reset();
}

bool CGridCtrl::Create(const platform::Rect& rect, QWidget* parent, UINT nID, DWORD dwStyle)
{
    if (parent)
        setParent(parent);
    setGeometry(rect.toQRect());
    m_nID = nID;
    setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    if (parent)
        setFont(parent->font());

    try {
        m_arRowHeights.assign(static_cast<size_t>(m_nRows), 0);
        m_arColWidths.assign(static_cast<size_t>(m_nCols), 0);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), static_cast<UINT>(m_cellDefault.GetHeight()));
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), static_cast<UINT>(m_cellDefault.GetWidth()));
    if (dwStyle & WS_VISIBLE)
        show();
    ResetScrollBars();
    return true;
}

GridOwner* CGridCtrl::GetOwner() const
{
    if (m_pOwner)
        return m_pOwner;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* owner = dynamic_cast<GridOwner*>(w))
            return owner;
    }
    return nullptr;
}

void CGridCtrl::ApplySystemColours()
{
    m_crWindowText = platform::GetSysColor(platform::COLOR_WINDOWTEXT);
    m_crWindowColour = platform::GetSysColor(platform::COLOR_WINDOW);
    m_cr3DFace = platform::GetSysColor(platform::COLOR_3DFACE);
    m_crShadow = platform::GetSysColor(platform::COLOR_3DSHADOW);
}

void CGridCtrl::SetupDefaultCells()
{
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                   &m_cellFixedRowColDef}) {
        cell->SetGrid(this);
        cell->SetTextClr(m_crWindowText);
        cell->SetBackClr(cell == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
}

void CGridCtrl::OnSysColorChange()
{
    const COLORREF windowText = platform::GetSysColor(platform::COLOR_WINDOWTEXT);
    const COLORREF window = platform::GetSysColor(platform::COLOR_WINDOW);
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                   &m_cellFixedRowColDef}) {
        if (cell->GetTextClr() == m_crWindowText)
            cell->SetTextClr(windowText);
        if (cell->GetBackClr() == m_crWindowColour)
            cell->SetBackClr(window);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = platform::GetSysColor(platform::COLOR_3DSHADOW);
    ApplySystemColours();
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool bFixedRow, bool bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return &m_cellFixedRowColDef;
    if (bFixedRow)
        return &m_cellFixedRowDef;
    if (bFixedCol)
        return &m_cellFixedColDef;
    return &m_cellDefault;
}

bool CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

bool CGridCtrl::IsValid(const CGridCellSpan& range) const
{
    return range.IsValid() && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    if (!m_bVirtualMode) {
        const auto& row = m_RowData[static_cast<size_t>(nRow)];
        return row ? (*row)[static_cast<size_t>(nCol)].get() : nullptr;
    }

    const bool fixedRow = nRow < m_nFixedRows;
    const bool fixedCol = nCol < m_nFixedCols;
    const CGridDefaultCell* def = GetDefaultCell(fixedRow, fixedCol);
    GridDisplayInfo info;
    info.item.row = nRow;
    info.item.col = nCol;
    info.item.mask = 0xFFFFFFFF;
    info.item.nState = 0;
    info.item.nFormat = def->GetFormat();
    info.item.iImage = def->GetImage();
    info.item.crBkClr = def->GetBackClr();
    info.item.crFgClr = def->GetTextClr();
    info.item.lParam = def->GetData();
    if (const LOGFONT* font = def->GetFont())
        info.item.lfFont = *font;
    info.item.nMargin = def->GetMargin();
    if (m_SelectedCellMap.count(SelectionKey(nRow, nCol)))
        info.item.nState |= GridStateSelected;
    if (fixedRow)
        info.item.nState |= GridStateFixed | GridStateFixedRow;
    if (fixedCol)
        info.item.nState |= GridStateFixed | GridStateFixedCol;
    if (m_idCurrentCell == CGridCellPos(nRow, nCol))
        info.item.nState |= GridStateFocused;

    if (m_pfnCallback)
        m_pfnCallback(&info, m_lParamCallback);
    else
        SendDisplayRequestToParent(&info);

    if (!m_pDisplayCell)
        m_pDisplayCell = std::make_unique<CGridCell>();
    CGridCell& cell = *m_pDisplayCell;
    cell.SetImage(info.item.iImage);
    cell.SetState(info.item.nState);
    cell.SetFormat(info.item.nFormat);
    cell.SetData(info.item.lParam);
    cell.SetBackClr(info.item.crBkClr);
    cell.SetTextClr(info.item.crFgClr);
    cell.SetFont(&info.item.lfFont);
    cell.SetMargin(info.item.nMargin);
    cell.SetText(info.item.strText);
    cell.SetGrid(this);
    return &cell;
}

std::unique_ptr<CGridCellBase> CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pRtcDefault)
        return nullptr;
    std::unique_ptr<CGridCellBase> cell = m_pRtcDefault->CreateObject();
    if (!cell)
        return nullptr;
    cell->SetGrid(this);
    cell->SetCoords(nRow, nCol);
    DWORD state = cell->GetState();
    if (nCol < m_nFixedCols)
        state |= GridStateFixed | GridStateFixedCol;
    if (nRow < m_nFixedRows)
        state |= GridStateFixed | GridStateFixedRow;
    cell->SetState(state);
    if (const CGridCellBase* def = cell->GetDefaultCell())
        cell->SetFormat(def->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol))
        return;
    SetItemState(nRow, nCol, 0);
    if (auto& row = m_RowData[static_cast<size_t>(nRow)])
        (*row)[static_cast<size_t>(nCol)].reset();
}

bool CGridCtrl::SetDefaultCellType(const GridCellClass* pClass)
{
    if (!pClass)
        return false;
    m_pRtcDefault = pClass;
    return true;
}

bool CGridCtrl::SetCellType(int nRow, int nCol, const GridCellClass* pClass)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || !pClass)
        return false;
    auto& row = m_RowData[static_cast<size_t>(nRow)];
    if (!row)
        return false;
    std::unique_ptr<CGridCellBase> cell = pClass->CreateObject();
    if (!cell)
        return false;
    auto& slot = (*row)[static_cast<size_t>(nCol)];
    if (slot)
        *cell = *slot;
    else
        cell->SetGrid(this);
    cell->SetCoords(nRow, nCol);
    slot = std::move(cell);
    return true;
}

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    GridOwner* owner = GetOwner();
    if (!owner)
        return 0;
    GridNotify notify;
    notify.hdr = {this, m_nID, nMessage};
    notify.iRow = nRow;
    notify.iColumn = nCol;
    return owner->OnGridNotify(notify);
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GridDisplayInfo* pDisplayInfo)
{
    GridOwner* owner = GetOwner();
    if (!owner || !pDisplayInfo)
        return 0;
    pDisplayInfo->hdr = {this, m_nID, GridDisplayRequestCode};
    return owner->OnGridDisplayRequest(*pDisplayInfo);
}

LRESULT CGridCtrl::SendCacheHintToParent(const CGridCellSpan& range)
{
    GridOwner* owner = GetOwner();
    if (!owner)
        return 0;
    GridCacheHint hint;
    hint.hdr = {this, m_nID, GridCacheHintCode};
    hint.range = range;
    return owner->OnGridCacheHint(hint);
}

void CGridCtrl::SetVirtualMode(bool bVirtual)
{
    if (bVirtual == m_bVirtualMode)
        return;
    // Stored cells and the display requests do not mix: start empty.
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    InvalidateGrid();
}

void CGridCtrl::SetListMode(bool bEnableListMode)
{
    ResetSelectedRange();
    m_bListMode = bEnableListMode;
    InvalidateGrid();
}

void CGridCtrl::EnableSelection(bool bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    ResetSelectedRange();
}

void CGridCtrl::OnEditCell(int nRow, int nCol, QPoint point, UINT nChar)
{
    HideTitleTip();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    ScrollCellIntoView(nRow, nCol);
    platform::Rect rect;
    if (!IsCellOnScreen(nRow, nCol) || !GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, GridBeginEdit) < 0)
        return;
    if (CGridCellBase* cell = GetCell(nRow, nCol))
        cell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

void CGridCtrl::EndEditing()
{
    if (!IsValid(m_idCurrentCell))
        return;
    if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        cell->EndEdit();
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, QString str)
{
    const QString old = GetItemText(nRow, nCol);
    if (str != old) {
        SetItemText(nRow, nCol, str);
        if (ValidateEdit(nRow, nCol, str) && SendMessageToParent(nRow, nCol, GridEndEdit) >= 0) {
            SetModified(true, nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            SetItemText(nRow, nCol, old);
        }
    }
    if (CGridCellBase* cell = GetCell(nRow, nCol))
        cell->OnEndEdit();
}

bool CGridCtrl::ValidateEdit(int nRow, int nCol, const QString& str)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->ValidateEdit(str) : true;
}
