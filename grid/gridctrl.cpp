#include "grid/gridctrl.h"

#include "grid/gridowner.h"
#include "grid/gridtipwnd.h"
#include "platform/gbk.h"
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

void CGridCtrl::ReportOutOfMemory()
{
    platform::showMessage(QStringLiteral("Out of memory."), platform::MessageIcon::Stop);
}

bool CGridCtrl::SetRowCount(int nRows)
{
    if (nRows == m_nRows)
        return true;
    if (nRows < 0)
        return false;
    bool bResult = true;
    m_idTopLeftCell.row = -1;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    const auto defaultHeight = static_cast<UINT>(m_cellDefault.GetHeight());
    if (nRows < m_nRows) {
        if (!m_bVirtualMode) {
            for (int row = nRows; row < m_nRows; ++row) {
                for (int col = 0; col < m_nCols; ++col)
                    DestroyCell(row, col);
            }
            m_RowData.resize(static_cast<size_t>(nRows));
        }
        m_arRowHeights.resize(static_cast<size_t>(nRows));
        m_nRows = nRows;
    } else {
        try {
            if (m_bVirtualMode) {
                m_arRowHeights.resize(static_cast<size_t>(nRows), defaultHeight);
                m_nRows = nRows;
            } else {
                m_arRowHeights.reserve(static_cast<size_t>(nRows));
                m_RowData.reserve(static_cast<size_t>(nRows));
                while (m_nRows < nRows) {
                    const int row = m_nRows;
                    auto cells = std::make_unique<GridRow>(static_cast<size_t>(m_nCols));
                    for (int col = 0; col < m_nCols; ++col)
                        (*cells)[static_cast<size_t>(col)] = CreateCell(row, col);
                    m_arRowHeights.push_back(defaultHeight);
                    m_RowData.push_back(std::move(cells));
                    ++m_nRows;
                }
            }
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            m_arRowHeights.resize(static_cast<size_t>(m_nRows), defaultHeight);
            bResult = false;
        }
    }
    SetModified(true, -1, -1);
    ResetScrollBars();
    InvalidateGrid();
    return bResult;
}

bool CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols == m_nCols)
        return true;
    if (nCols < 0)
        return false;
    bool bResult = true;
    m_idTopLeftCell.col = -1;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    if (nCols < m_nCols && !m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            for (int col = nCols; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
    }
    const auto defaultWidth = static_cast<UINT>(GetDefaultCell(false, true)->GetWidth());
    const int oldCols = m_nCols;
    try {
        m_arColWidths.resize(static_cast<size_t>(nCols), defaultWidth);
        if (!m_bVirtualMode) {
            for (int row = 0; row < m_nRows; ++row) {
                auto& cells = m_RowData[static_cast<size_t>(row)];
                if (!cells)
                    continue;
                cells->resize(static_cast<size_t>(nCols));
                for (int col = oldCols; col < nCols; ++col)
                    (*cells)[static_cast<size_t>(col)] = CreateCell(row, col);
            }
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        bResult = false;
        // Only growing can fail: go back to the columns there were.
        m_arColWidths.resize(static_cast<size_t>(oldCols));
        for (auto& cells : m_RowData) {
            if (cells)
                cells->resize(static_cast<size_t>(oldCols));
        }
        nCols = oldCols;
    }
    m_nCols = nCols;
    SetModified(true, -1, -1);
    ResetScrollBars();
    InvalidateGrid();
    return bResult;
}

void CGridCtrl::SetRowCellStates(int nFromRow, int nToRow, bool bFixed)
{
    for (int row = nFromRow; row < nToRow; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            if (bFixed) {
                cell->SetState(cell->GetState() | GridStateFixed | GridStateFixedRow);
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            } else if (col < m_nFixedCols) {
                cell->SetState(cell->GetState() & ~GridStateFixedRow);
            } else {
                cell->SetState(cell->GetState() & ~(GridStateFixed | GridStateFixedRow));
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            }
        }
    }
}

void CGridCtrl::SetColumnCellStates(int nFromCol, int nToCol, bool bFixed)
{
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = nFromCol; col < nToCol; ++col) {
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            if (bFixed) {
                cell->SetState(cell->GetState() | GridStateFixed | GridStateFixedCol);
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            } else if (row < m_nFixedRows) {
                cell->SetState(cell->GetState() & ~GridStateFixedCol);
            } else {
                cell->SetState(cell->GetState() & ~(GridStateFixed | GridStateFixedCol));
                cell->SetBackClr(CLR_DEFAULT);
                cell->SetTextClr(CLR_DEFAULT);
            }
        }
    }
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows == m_nFixedRows)
        return true;
    if (nFixedRows < 0)
        return false;
    ResetSelectedRange();
    m_idTopLeftCell.row = -1;
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return false;
    if (m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        if (nFixedRows < m_nFixedRows)
            SetRowCellStates(nFixedRows, m_nFixedRows, false);
        else
            SetRowCellStates(m_nFixedRows, nFixedRows, true);
    }
    m_nFixedRows = nFixedRows;
    // The scrolled part changed size with the fixed rows.
    ResetScrollBars();
    InvalidateGrid();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols == m_nFixedCols)
        return true;
    if (nFixedCols < 0)
        return false;
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return false;
    if (m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    ResetSelectedRange();
    m_idTopLeftCell.col = -1;
    if (!m_bVirtualMode) {
        if (nFixedCols < m_nFixedCols)
            SetColumnCellStates(nFixedCols, m_nFixedCols, false);
        else
            SetColumnCellStates(m_nFixedCols, nFixedCols, true);
    }
    m_nFixedCols = nFixedCols;
    ResetScrollBars();
    InvalidateGrid();
    return true;
}

int CGridCtrl::InsertRow(const QString* strHeading, int nRow)
{
    if (nRow < -1 || (nRow >= 0 && (nRow < m_nFixedRows || nRow >= m_nRows)))
        return -1;

    // Resetting the selection drops the focus; the focus cell is kept on
    // its row all the same.
    const CGridCellPos focus = m_idCurrentCell;
    m_idTopLeftCell.row = -1;
    ResetSelectedRange();
    if (m_nCols == 0 && !SetColumnCount(1))
        return -1;

    const int newRow = nRow == -1 ? m_nRows : nRow;
    try {
        std::unique_ptr<GridRow> cells;
        if (!m_bVirtualMode) {
            cells = std::make_unique<GridRow>(static_cast<size_t>(m_nCols));
            for (int col = 0; col < m_nCols; ++col)
                (*cells)[static_cast<size_t>(col)] = CreateCell(newRow, col);
            m_RowData.reserve(m_RowData.size() + 1);
        }
        m_arRowHeights.reserve(m_arRowHeights.size() + 1);
        m_arRowHeights.insert(m_arRowHeights.begin() + newRow, 0);
        if (!m_bVirtualMode)
            m_RowData.insert(m_RowData.begin() + newRow, std::move(cells));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return -1;
    }
    ++m_nRows;

    const QString heading = strHeading ? *strHeading : QString();
    SetItemText(newRow, 0, heading);
    const int height = heading.isEmpty() ? GetDefaultCell(true, false)->GetHeight()
                                         : GetTextExtent(newRow, 0, heading).height();
    m_arRowHeights[static_cast<size_t>(newRow)] = static_cast<UINT>(std::max(0, height));

    if (focus.IsValid())
        SetFocusCell(focus.row > newRow ? focus.row + 1 : focus.row, focus.col);

    ResetScrollBars();
    SetModified(true, -1, -1);
    return newRow;
}

bool CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return false;
    if (!m_bVirtualMode && !m_RowData[static_cast<size_t>(nRow)])
        return false;

    // Resetting the selection drops the focus; a focus on another row is
    // put back where its row went.
    const CGridCellPos focus = m_idCurrentCell;
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        for (int col = 0; col < m_nCols; ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    m_idTopLeftCell.row = -1;

    if (focus.IsValid() && focus.row != nRow)
        SetFocusCell(focus.row > nRow ? focus.row - 1 : focus.row, focus.col);

    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}

bool CGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    m_arColWidths.clear();
    m_arRowHeights.clear();
    if (!m_bVirtualMode) {
        for (int row = 0; row < m_nRows; ++row) {
            for (int col = 0; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
        m_RowData.clear();
    }
    m_idCurrentCell = CGridCellPos(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_idTopLeftCell = CGridCellPos(-1, -1);
    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}

bool CGridCtrl::SetItem(const GridItem* pItem)
{
    if (!pItem || m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(pItem->row, pItem->col);
    if (!cell)
        return false;

    SetModified(true, pItem->row, pItem->col);
    if (pItem->mask & GridItemMask::Text)
        cell->SetText(pItem->strText);
    if (pItem->mask & GridItemMask::Data)
        cell->SetData(pItem->lParam);
    if (pItem->mask & GridItemMask::Image)
        cell->SetImage(pItem->iImage);
    if (pItem->mask & GridItemMask::State)
        SetItemState(pItem->row, pItem->col, pItem->nState);
    if (pItem->mask & GridItemMask::Format)
        cell->SetFormat(pItem->nFormat);
    if (pItem->mask & GridItemMask::BackColour)
        cell->SetBackClr(pItem->crBkClr);
    if (pItem->mask & GridItemMask::TextColour)
        cell->SetTextClr(pItem->crFgClr);
    if (pItem->mask & GridItemMask::Font)
        cell->SetFont(&pItem->lfFont);
    if (pItem->mask & GridItemMask::Margin)
        cell->SetMargin(pItem->nMargin);
    return true;
}

bool CGridCtrl::SetItemText(int nRow, int nCol, const QString& str)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetText(str);
    SetModified(true, nRow, nCol);
    return true;
}

QString CGridCtrl::GetItemText(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetText() : QString();
}

bool CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetData(lParam);
    SetModified(true, nRow, nCol);
    return true;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetData() : 0;
}

quint64 CGridCtrl::SelectionKey(int nRow, int nCol)
{
    // Column in the high half, row in the low half; both halves are wide
    // enough for any row or column count.
    return (static_cast<quint64>(static_cast<quint32>(nCol)) << 32) | static_cast<quint32>(nRow);
}

bool CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    if (!IsValid(nRow, nCol))
        return false;
    const quint64 key = SelectionKey(nRow, nCol);
    const bool inMap = m_SelectedCellMap.count(key) != 0;
    if (!inMap && (state & GridStateSelected))
        m_SelectedCellMap[key] = CGridCellPos(nRow, nCol);
    else if (inMap && !(state & GridStateSelected))
        m_SelectedCellMap.erase(key);
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetState(state);
    return true;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetState() : 0;
}

bool CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetBackClr(cr);
    return true;
}

bool CGridCtrl::SetItemTextColour(int nRow, int nCol, COLORREF cr)
{
    if (m_bVirtualMode)
        return false;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return false;
    cell->SetTextClr(cr);
    return true;
}

bool CGridCtrl::IsItemEditing(int nRow, int nCol)
{
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell && cell->IsEditing();
}

bool CGridCtrl::IsCellEditable(int nRow, int nCol)
{
    if (!m_bEditable)
        return false;
    return !(GetItemState(nRow, nCol) & GridStateReadOnly);
}

bool CGridCtrl::IsCellSelected(int nRow, int nCol)
{
    if (!m_bEnableSelection)
        return false;
    if (m_bVirtualMode)
        return IsValid(nRow, nCol) && m_SelectedCellMap.count(SelectionKey(nRow, nCol)) != 0;
    const CGridCellBase* cell = GetCell(nRow, nCol);
    return cell && cell->IsSelected();
}

CGridCellSpan CGridCtrl::GetSelectedCellRange() const
{
    CGridCellSpan range(m_nRows, m_nCols, -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}

void CGridCtrl::RedrawHeadings(const CGridCellPos& cell, const CGridCellPos& other)
{
    if (!m_bTrackFocusCell)
        return;
    if (cell.col != other.col) {
        for (int row = 0; row < m_nFixedRows; ++row)
            RedrawCell(row, cell.col);
    }
    if (cell.row != other.row) {
        for (int col = 0; col < m_nFixedCols; ++col)
            RedrawCell(cell.row, col);
    }
}

CGridCellPos CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    if (CGridCellPos(nRow, nCol) == m_idCurrentCell)
        return m_idCurrentCell;

    const CGridCellPos prev = m_idCurrentCell;
    if (nRow != -1)
        nRow = std::max(nRow, m_nFixedRows);
    if (nCol != -1)
        nCol = std::max(nCol, m_nFixedCols);
    m_idCurrentCell = CGridCellPos(nRow, nCol);

    // A virtual grid works the focus bit out when it asks for a cell.
    if (IsValid(prev)) {
        if (!m_bVirtualMode)
            SetItemState(prev.row, prev.col, GetItemState(prev.row, prev.col) & ~GridStateFocused);
        RedrawCell(prev);
        RedrawHeadings(prev, m_idCurrentCell);
    }
    if (IsValid(m_idCurrentCell)) {
        if (!m_bVirtualMode)
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GridStateFocused);
        RedrawCell(m_idCurrentCell);
        RedrawHeadings(m_idCurrentCell, prev);
    }
    return prev;
}

void CGridCtrl::SetSelectedRange(const CGridCellSpan& range, bool bForceRepaint, bool bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                 bool bForceRepaint, bool bSelectCells)
{
    (void)bForceRepaint; // changed cells are repainted with the next paint either way
    if (!m_bEnableSelection)
        return;
    platform::WaitCursor wait;

    if (nMinRow >= 0)
        nMinRow = std::max(nMinRow, m_nFixedRows);
    if (nMaxRow >= 0)
        nMaxRow = std::max(nMaxRow, m_nFixedRows);
    if (nMinCol >= 0)
        nMinCol = std::max(nMinCol, m_nFixedCols);
    if (nMaxCol >= 0)
        nMaxCol = std::max(nMaxCol, m_nFixedCols);
    const CGridCellSpan newRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const CGridCellSpan visible = GetVisibleScrollRange();

    if (bSelectCells) {
        const auto previous = m_SelectedCellMap;
        for (const auto& [key, cell] : previous) {
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(key);
                continue;
            }
            SetItemState(cell.row, cell.col,
                         m_bVirtualMode ? 0 : GetItemState(cell.row, cell.col) & ~GridStateSelected);
            if (!newRange.InRange(cell) && visible.InRange(cell))
                RedrawCell(cell);
        }
        const bool complete = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
        if (!(m_bListMode && m_bSingleRowSelection) && complete) {
            for (const auto& [key, cell] : m_PrevSelectedCellMap) {
                if (!IsValid(cell))
                    continue;
                SetItemState(cell.row, cell.col,
                             m_bVirtualMode ? GridStateSelected
                                            : GetItemState(cell.row, cell.col) | GridStateSelected);
                if (visible.InRange(cell))
                    RedrawCell(cell);
            }
        }
    }

    if (!IsValid(newRange))
        return;
    for (int row = nMinRow; row <= nMaxRow; ++row) {
        for (int col = nMinCol; col <= nMaxCol; ++col) {
            // A virtual grid keeps the selection in the map alone: no need
            // to ask the owner for the cell.
            const UINT state = m_bVirtualMode ? 0 : GetItemState(row, col);
            const bool selected = m_bVirtualMode ? m_SelectedCellMap.count(SelectionKey(row, col)) != 0
                                                 : (state & GridStateSelected) != 0;
            if (selected == bSelectCells)
                continue;
            SetItemState(row, col, bSelectCells ? state | GridStateSelected : state & ~GridStateSelected);
            if (visible.InRange(row, col))
                RedrawCell(row, col);
        }
    }
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell))
        return;
    if (m_bSingleColSelection) {
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col),
                         m_nRows - 1, std::max(m_SelectionStartCell.col, currentCell.col),
                         bForceRedraw, bSelectCells);
    }
}

void CGridCtrl::SelectRows(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell))
        return;
    if (m_bListMode && m_bSingleRowSelection) {
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1,
                         bForceRedraw, bSelectCells);
    }
}

void CGridCtrl::SelectCells(CGridCellPos currentCell, bool bForceRedraw, bool bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || currentCell.col < m_nFixedCols
        || !IsValid(currentCell))
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row),
                     std::min(m_SelectionStartCell.col, currentCell.col),
                     std::max(m_SelectionStartCell.row, currentCell.row),
                     std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::OnSelecting(const CGridCellPos& currentCell)
{
    switch (m_MouseMode) {
    case MouseSelectAll:
        SelectAllCells();
        break;
    case MouseSelectColumns:
        SelectColumns(currentCell, false);
        break;
    case MouseSelectRows:
        SelectRows(currentCell, false);
        break;
    case MouseSelectCells:
        SelectCells(currentCell, false);
        break;
    default:
        break;
    }
}

void CGridCtrl::SetModified(bool bModified, int nRow, int nCol)
{
    if (nCol == -1 || nCol == m_nSortColumn)
        SetSortColumn(-1);
    if (nRow == -1 || nCol == -1) {
        m_bModified = bModified;
    } else if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol)) {
        if (bModified) {
            cell->SetState(cell->GetState() | GridStateModified);
            m_bModified = true;
        } else {
            cell->SetState(cell->GetState() & ~GridStateModified);
        }
    }
    if (!m_bModified && !m_bVirtualMode) {
        for (auto& row : m_RowData) {
            if (!row)
                continue;
            for (auto& cell : *row) {
                if (cell)
                    cell->SetState(cell->GetState() & ~GridStateModified);
            }
        }
    }
}

bool CGridCtrl::GetModified(int nRow, int nCol)
{
    if (nRow == -1 || nCol == -1)
        return m_bModified;
    return GetItemState(nRow, nCol) & GridStateModified;
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCell(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCell(0, nCol);
}

int CGridCtrl::CompareCellText(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const auto* cell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* cell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!cell1 || !cell2)
        return 0;
    // Byte order of the program's multibyte text, as the users' lists sort.
    const int result = platform::gbk::encode(cell1->GetText()).compare(platform::gbk::encode(cell2->GetText()));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

bool CGridCtrl::SortRowsByText(int nCol, bool bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortRows(m_pfnCompare ? m_pfnCompare : &CGridCtrl::CompareCellText, nCol, bAscending, data);
}

bool CGridCtrl::SortRows(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data)
{
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    // A virtual grid stores no cells, so there is nothing to move.
    if (m_bVirtualMode || !pfnCompare)
        return false;
    return SortRowRange(pfnCompare, nCol, bAscending, data, m_nFixedRows, -1);
}

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    auto& row1 = m_RowData[static_cast<size_t>(nRow1)];
    auto& row2 = m_RowData[static_cast<size_t>(nRow2)];
    std::swap(row1, row2);
    for (int col = 0; col < m_nCols; ++col) {
        if (row1 && (*row1)[static_cast<size_t>(col)])
            (*row1)[static_cast<size_t>(col)]->SetCoords(nRow1, col);
        if (row2 && (*row2)[static_cast<size_t>(col)])
            (*row2)[static_cast<size_t>(col)]->SetCoords(nRow2, col);
    }
    std::swap(m_arRowHeights[static_cast<size_t>(nRow1)], m_arRowHeights[static_cast<size_t>(nRow2)]);
}

bool CGridCtrl::SortRowRange(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM data,
                             int low, int high)
{
    if (high == -1)
        high = m_nRows - 1;
    if (nCol < 0 || nCol >= m_nCols || high <= low || low < 0 || high >= m_nRows)
        return false;

    const auto cellAt = [&](int row) { return reinterpret_cast<LPARAM>(GetCell(row, nCol)); };
    const LPARAM pivot = cellAt((low + high) / 2);
    const auto compare = [&](LPARAM a, LPARAM b) {
        const int r = pfnCompare(a, b, data);
        return bAscending ? r : -r;
    };

    int lo = low;
    int hi = high;
    while (lo <= hi) {
        while (lo < high && compare(cellAt(lo), pivot) < 0)
            ++lo;
        while (hi > low && compare(cellAt(hi), pivot) > 0)
            --hi;
        if (lo > hi)
            break;
        if (pfnCompare(cellAt(lo), cellAt(hi), data) != 0)
            SwapRows(lo, hi);
        ++lo;
        --hi;
    }
    if (low < hi)
        SortRowRange(pfnCompare, nCol, bAscending, data, low, hi);
    if (lo < high)
        SortRowRange(pfnCompare, nCol, bAscending, data, lo, high);
    return true;
}

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows)
        return -1;
    return static_cast<int>(m_arRowHeights[static_cast<size_t>(nRow)]);
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    return static_cast<int>(m_arColWidths[static_cast<size_t>(nCol)]);
}

bool CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0)
        return false;
    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return false;
    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetFixedRowsHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetFixedColumnsWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

int CGridCtrl::GetTotalHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetTotalWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

QSize CGridCtrl::GetTextExtent(int nRow, int nCol, const QString& str)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetTextExtent(str, nullptr) : QSize(0, 0);
}

bool CGridCtrl::FitColumnWidth(int nCol, UINT nAutoSizeStyle, bool bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) < 1)
        return false;
    const std::unique_ptr<platform::Dc> dc = GetMeasureDC();
    if (!dc)
        return false;
    const UINT flags = nAutoSizeStyle ? nAutoSizeStyle : m_nAutoSizeColumnStyle;
    const int startRow = (flags & GVS_HEADER) ? 0 : m_nFixedRows;
    const int endRow = (flags & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(startRow, nCol, endRow, nCol));
    int width = 0;
    for (int row = startRow; row <= endRow; ++row) {
        if (CGridCellBase* cell = GetCell(row, nCol))
            width = std::max(width, cell->GetCellExtent(dc.get()).width());
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(-1, -1, -1, -1));

    m_arColWidths[static_cast<size_t>(nCol)] = static_cast<UINT>(width);
    if (bResetScroll)
        ResetScrollBars();
    return true;
}

bool CGridCtrl::FitRowHeight(int nRow, bool bResetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) < 1)
        return false;
    const std::unique_ptr<platform::Dc> dc = GetMeasureDC();
    if (!dc)
        return false;

    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(nRow, 0, nRow, m_nCols - 1));
    int height = 0;
    for (int col = 0; col < m_nCols; ++col) {
        if (CGridCellBase* cell = GetCell(nRow, col))
            height = std::max(height, cell->GetCellExtent(dc.get()).height());
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellSpan(-1, -1, -1, -1));

    m_arRowHeights[static_cast<size_t>(nRow)] = static_cast<UINT>(height);
    if (bResetScroll)
        ResetScrollBars();
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
