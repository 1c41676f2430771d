// Printing: the grid lays its rows and columns out in screen pixels and lets
// the drawing context scale them onto the paper; each page repeats the fixed
// rows as headings and the fixed columns as row buttons, between a header
// (window and program titles) and a footer (page number, date and time).

#include "grid/gridctrl.h"

#include "platform/hostservices.h"
#include "platform/painterdc.h"

#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>
#include <ctime>
#include <optional>

using namespace platform::gdi;
using platform::Rect;

namespace {

// a * b / c rounded to the nearest integer, as the system's MulDiv.
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    return static_cast<int>(std::llround(static_cast<double>(a) * b / c));
}

constexpr unsigned LineFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// A black line across `area` at height `y`.
void drawRule(platform::Dc* pDC, const Rect& area, int y)
{
    const platform::Pen oldPen = pDC->SelectObject(platform::Pen::stock(BLACK_PEN));
    pDC->MoveTo(area.left, y);
    pDC->LineTo(area.right, y);
    pDC->SelectObject(oldPen);
}

struct AlignedText {
    QString text;
    unsigned align;
};

// The header's and footer's line: `first` placed by its alignment and
// `right` at the right end, in the bold printer font, on a clear background
// and, when given, in `colour`.
void drawBoldTexts(platform::Dc* pDC, const platform::Font& printerFont, const Rect& area,
                   const AlignedText& first, const QString& right,
                   std::optional<COLORREF> colour = std::nullopt)
{
    platform::LogFont bold = printerFont.logFont();
    bold.lfWeight = FW_BOLD;
    const platform::Font oldFont = pDC->SelectObject(platform::Font(bold));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const std::optional<COLORREF> oldColour =
        colour ? std::optional<COLORREF>(pDC->SetTextColor(*colour)) : std::nullopt;
    Rect rect = area;
    if (!first.text.isEmpty())
        pDC->DrawText(first.text, &rect, first.align | LineFormat);
    rect = area;
    if (!right.isEmpty())
        pDC->DrawText(right, &rect, DT_RIGHT | LineFormat);
    if (oldColour)
        pDC->SetTextColor(*oldColour);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

QString dateTimeText()
{
    const QDateTime now = platform::host().now();
    const std::time_t seconds = static_cast<std::time_t>(now.toSecsSinceEpoch());
    std::tm local{};
    localtime_r(&seconds, &local);
    char buffer[128] = {};
    const size_t length = std::strftime(buffer, sizeof buffer, "%c", &local);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(length));
}

} // namespace

void CGridCtrl::SetPrintMargins(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                int nRightMargin, int nTopMargin, int nBottomMargin, int nGap)
{
    const auto store = [](int& field, int value) {
        if (value > -1)
            field = value;
    };
    store(m_nHeaderHeight, nHeaderHeight);
    store(m_nFooterHeight, nFooterHeight);
    store(m_nLeftMargin, nLeftMargin);
    store(m_nRightMargin, nRightMargin);
    store(m_nTopMargin, nTopMargin);
    store(m_nBottomMargin, nBottomMargin);
    store(m_nGap, nGap);
}

void CGridCtrl::OnBeginPrinting(platform::Dc* pDC, GridPrintInfo* pInfo)
{
    m_nNumPages = 0;
    if (!pDC || !pInfo)
        return;
    const std::unique_ptr<platform::Dc> screen = GetMeasureDC();
    if (!screen)
        return;
    const int printerDpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
    const int printerDpiY = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    const int screenDpiX = screen->GetDeviceCaps(LOGPIXELSX);
    const int screenDpiY = screen->GetDeviceCaps(LOGPIXELSY);

    m_PrinterFont = platform::Font::create(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                           OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                                           DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("Arial"));
    const platform::Font oldFont = pDC->SelectObject(m_PrinterFont);

    const QSize sample =
        pDC->GetTextExtent(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ"));
    m_nCharWidth = sample.width() / 52;
    m_nCharHeight = sample.height();
    const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_nCharWidth;

    m_nPrintableWidth = pDC->GetDeviceCaps(HORZRES);
    m_nPrintableHeight = pDC->GetDeviceCaps(VERTRES);
    if (m_bWysiwygPrinting) {
        m_nPaperWidth = m_nPrintableWidth * screenDpiX / printerDpiX * 3 / 4;
        m_nPaperHeight = m_nPrintableHeight * screenDpiY / printerDpiY * 3 / 4;
    } else {
        m_nPaperWidth = GetTotalWidth() + marginWidth;
        m_nPaperHeight = mulDiv(m_nPaperWidth, m_nPrintableHeight, m_nPrintableWidth);
    }

    m_nPageHeight = m_nPaperHeight - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_nCharHeight
                    - GetFixedRowsHeight();
    m_nNumPages = 1;
    int total = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        total += GetRowHeight(row);
        if (total > m_nPageHeight) {
            ++m_nNumPages;
            total = GetRowHeight(row);
        }
    }

    m_nPageWidth = m_nPaperWidth - GetFixedColumnsWidth() - marginWidth;
    m_nPageMultiplier = 1;
    if (m_bWysiwygPrinting) {
        total = 0;
        for (int col = m_nFixedCols; col < m_nCols; ++col) {
            total += GetColumnWidth(col);
            if (total > m_nPageWidth) {
                ++m_nPageMultiplier;
                total = GetColumnWidth(col);
            }
        }
        m_nNumPages *= m_nPageMultiplier;
    }

    pInfo->SetMaxPage(static_cast<UINT>(m_nNumPages));
    pInfo->m_nCurPage = 1;
    pDC->SelectObject(oldFont);
}

int CGridCtrl::PrintBandFirstRow(int band) const
{
    if (band <= 1)
        return m_nFixedRows;
    int page = 1;
    int total = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        total += GetRowHeight(row);
        if (total > m_nPageHeight) {
            ++page;
            total = GetRowHeight(row);
            if (page == band)
                return row;
        }
    }
    return m_nRows;
}

void CGridCtrl::OnPrint(platform::Dc* pDC, GridPrintInfo* pInfo)
{
    if (!pDC || !pInfo || m_nNumPages <= 0)
        return;
    const platform::Font oldFont = pDC->SelectObject(m_PrinterFont);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_nPaperWidth, m_nPaperHeight);
    pDC->SetViewportExt(m_nPrintableWidth, m_nPrintableHeight);

    const int marginWidth = (m_nLeftMargin + m_nRightMargin) * m_nCharWidth;
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();

    pDC->SetWindowOrg(-m_nLeftMargin * m_nCharWidth, 0);
    pInfo->m_rectDraw = Rect(0, 0, m_nPaperWidth - marginWidth, m_nHeaderHeight * m_nCharHeight);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * m_nCharHeight);
    pDC->OffsetWindowOrg(0, -m_nGap * m_nCharHeight);
    pDC->OffsetWindowOrg(0, -fixedHeight);

    // Pages run across first, then down.
    const int columnPages = std::max(1, m_nPageMultiplier);
    const int page = static_cast<int>(pInfo->m_nCurPage);
    const int band = (page - 1) / columnPages + 1;
    const int columnIndex = (page - 1) % columnPages;
    m_nCurrPrintRow = PrintBandFirstRow(band);
    m_nPrintColumn = m_nFixedCols;
    for (int i = 0; i < columnIndex; ++i) {
        int total = 0;
        while (m_nPrintColumn < m_nCols) {
            total += GetColumnWidth(m_nPrintColumn);
            if (total > m_nPageWidth)
                break;
            ++m_nPrintColumn;
        }
    }

    PrintRowButtons(pDC, pInfo);

    pInfo->m_rectDraw.bottom = fixedHeight;
    pDC->OffsetWindowOrg(0, fixedHeight);
    m_nPageWidth += fixedWidth;
    const int printColumn = m_nPrintColumn;
    if (columnIndex == 0)
        m_nPrintColumn = 0;
    PrintColumnHeadings(pDC, pInfo);
    m_nPageWidth -= fixedWidth;
    m_nPrintColumn = printColumn;

    pDC->OffsetWindowOrg(-fixedWidth, -fixedHeight);

    if (m_nCurrPrintRow >= m_nRows) {
        pDC->SelectObject(oldFont);
        return;
    }

    Rect rect(0, 0, 0, 0);
    bool firstRow = true;
    for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.bottom > m_nPageHeight)
            break;
        rect.right = -1;
        for (int col = m_nPrintColumn; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > m_nPageWidth)
                break;
            if (CGridCellBase* cell = GetCell(row, col))
                cell->PrintCell(pDC, row, col, rect);
            PrintCellLines(pDC, row, col, rect, firstRow, col == m_nPrintColumn);
        }
        firstRow = false;
    }

    pInfo->m_rectDraw.bottom = m_nFooterHeight * m_nCharHeight;
    pDC->SetWindowOrg(-m_nLeftMargin * m_nCharWidth, m_nFooterHeight * m_nCharHeight - m_nPaperHeight);
    PrintFooter(pDC, pInfo);
    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(oldFont);
}

void CGridCtrl::OnEndPrinting(platform::Dc*, GridPrintInfo*)
{
    m_PrinterFont = platform::Font();
}

void CGridCtrl::PrintCellLines(platform::Dc* pDC, int nRow, int nCol, const Rect& rect,
                               bool bFirstRow, bool bFirstCol)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return; // a hidden row or column draws nothing
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        pDC->MoveTo(nCol == 0 ? rect.left : rect.left - 1, rect.bottom);
        pDC->LineTo(rect.right, rect.bottom);
        if (nRow == 0) {
            pDC->MoveTo(nCol == 0 ? rect.left : rect.left - 1, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
    }
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        pDC->MoveTo(rect.right, bFirstRow ? rect.top : rect.top - 1);
        pDC->LineTo(rect.right, rect.bottom);
        if (bFirstCol) {
            pDC->MoveTo(rect.left, bFirstRow ? rect.top : rect.top - 1);
            pDC->LineTo(rect.left, rect.bottom);
        }
    }
}

void CGridCtrl::PrintRowCells(int nStartColumn, int nEndColumn, int nRow, Rect& rect,
                              platform::Dc* pDC, bool& bFirst)
{
    for (int col = nStartColumn; col < nEndColumn; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        if (rect.right > m_nPageWidth)
            break;
        if (CGridCellBase* cell = GetCell(nRow, col))
            cell->PrintCell(pDC, nRow, col, rect);
        PrintCellLines(pDC, nRow, col, rect, nRow == 0, bFirst);
        bFirst = false;
    }
}

void CGridCtrl::PrintColumnHeadings(platform::Dc* pDC, GridPrintInfo*)
{
    const platform::Font oldFont = pDC->SelectObject(m_PrinterFont);
    Rect rect(0, 0, 0, -1);
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        bool first = true;
        if (m_nPrintColumn >= m_nFixedCols)
            PrintRowCells(0, m_nFixedCols, row, rect, pDC, first);
        PrintRowCells(m_nPrintColumn, m_nCols, row, rect, pDC, first);
    }
    pDC->SelectObject(oldFont);
}

void CGridCtrl::PrintRowButtons(platform::Dc* pDC, GridPrintInfo*)
{
    const platform::Font oldFont = pDC->SelectObject(m_PrinterFont);
    int left = 0;
    for (int col = 0; col < m_nFixedCols; ++col) {
        Rect rect(left, 0, left + GetColumnWidth(col) - 1, 0);
        left = rect.right + 1;
        if (col == 0 && m_nCurrPrintRow < m_nRows
            && (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH)) {
            pDC->MoveTo(rect.left, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
        bool firstRow = true;
        for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (rect.bottom > m_nPageHeight)
                break;
            if (CGridCellBase* cell = GetCell(row, col))
                cell->PrintCell(pDC, row, col, rect);
            PrintCellLines(pDC, row, col, rect, firstRow, col == 0);
            firstRow = false;
        }
    }
    pDC->SelectObject(oldFont);
}

void CGridCtrl::PrintHeader(platform::Dc* pDC, GridPrintInfo* pInfo)
{
    QString windowTitle;
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (!w->windowTitle().isEmpty()) {
            windowTitle = w->windowTitle();
            break;
        }
    }
    const QString appTitle = QGuiApplication::applicationDisplayName();

    drawBoldTexts(pDC, m_PrinterFont, pInfo->m_rectDraw, {windowTitle, DT_CENTER}, appTitle);
    drawRule(pDC, pInfo->m_rectDraw, pInfo->m_rectDraw.bottom);
}

void CGridCtrl::PrintFooter(platform::Dc* pDC, GridPrintInfo* pInfo)
{
    const QString pageText = QString::asprintf("Page %d of %d", static_cast<int>(pInfo->m_nCurPage),
                                               static_cast<int>(pInfo->GetMaxPage()));
    const QString dateText = dateTimeText();

    drawRule(pDC, pInfo->m_rectDraw, pInfo->m_rectDraw.top);
    drawBoldTexts(pDC, m_PrinterFont, pInfo->m_rectDraw, {pageText, DT_LEFT}, dateText, RGB(0, 0, 0));
}

bool CGridCtrl::Print(QPagedPaintDevice* pDevice)
{
    if (!pDevice)
        return false;
    QPainter painter;
    if (!painter.begin(pDevice))
        return false;
    bool printed = false;
    {
        platform::PainterDc dc(&painter);
        GridPrintInfo info;
        OnBeginPrinting(&dc, &info);
        if (m_nNumPages > 0) {
            for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
                if (page > 1)
                    pDevice->newPage();
                info.m_nCurPage = page;
                OnPrint(&dc, &info);
            }
            printed = true;
        }
        OnEndPrinting(&dc, &info);
    }
    painter.end();
    return printed;
}
