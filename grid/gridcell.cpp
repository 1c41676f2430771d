#include "grid/gridcell.h"

#include "grid/gridctrl.h"
#include "grid/grideditbox.h"
#include "grid/gridimagelist.h"
#include "platform/painterdc.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <algorithm>

using namespace platform::gdi;
using platform::Rect;

namespace {

constexpr DWORD AllOnes = 0xFFFFFFFF;

// Width and height of a cell's image as the cells count them (one more
// than the image's extent), or false when the cell shows none.
bool imageSize(const CGridCellBase& cell, QSize* size)
{
    const CGridCtrl* grid = cell.GetGrid();
    if (!grid || !grid->GetImageList() || cell.GetImage() < 0)
        return false;
    Rect info;
    if (!grid->GetImageList()->GetImageInfo(cell.GetImage(), &info))
        return false;
    *size = QSize(info.right - info.left + 1, info.bottom - info.top + 1);
    return true;
}

// The margin to measure and draw with; a cell without a default cell has
// none.
int marginOf(const CGridCellBase& cell)
{
    const UINT margin = cell.GetMargin();
    return margin == AllOnes ? 0 : static_cast<int>(margin);
}

bool isVertical(const LOGFONT* font)
{
    return font && (font->lfEscapement == 900 || font->lfEscapement == -900);
}

// A fixed cell's raised look: a light line along the top and left, a dark
// one along the right and bottom.
void drawRaisedEdge(platform::Dc* pDC, const Rect& rect)
{
    const platform::Pen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    const platform::Pen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    const platform::Pen old = pDC->SelectObject(light);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(dark);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(old);
}

} // namespace

CGridCellBase* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return nullptr;
    return grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell)
        return *this;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
    return *this;
}

bool CGridCellBase::Draw(platform::Dc* pDC, int nRow, int nCol, Rect rect, bool bEraseBkgnd)
{
    CGridCtrl* grid = GetGrid();
    if (!grid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    const CGridCellBase* def = GetDefaultCell();
    if (!def)
        return false;

    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF textClr = GetTextClr() == CLR_DEFAULT ? def->GetTextClr() : GetTextClr();
    COLORREF bkClr = def->GetBackClr();
    if (GetBackClr() != CLR_DEFAULT) {
        bkClr = GetBackClr();
        bEraseBkgnd = true;
    }
    const bool gridLines = grid->GetGridLines() != CGridCtrl::GVL_NONE;

    if (!IsFocused() && !IsDropHighlighted()) {
        Rect fill = rect;
        fill.InflateRect(0, 0, 1, 1);
        if (!IsSelected()) {
            if (bEraseBkgnd)
                pDC->FillSolidRect(fill, bkClr);
            pDC->SetTextColor(textClr);
        } else {
            pDC->FillSolidRect(fill, GetSysColor(COLOR_HIGHLIGHT));
            pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
    } else {
        if (IsSelected()) {
            bkClr = GetSysColor(COLOR_HIGHLIGHT);
            textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = true;
        }
        rect.InflateRect(0, 0, 1, 1);
        if (bEraseBkgnd)
            pDC->FillSolidRect(rect, bkClr);
        if (gridLines)
            rect.InflateRect(0, 0, -1, -1);
        if (grid->GetFrameFocusCell())
            pDC->FrameRect(rect, platform::Brush(textClr));
        pDC->SetTextColor(textClr);
        if (!gridLines)
            rect.InflateRect(0, 0, -1, -1);
        rect.DeflateRect(0, 1, 1, 1);
    }

    if (IsFixed() && gridLines) {
        const CGridCellPos focus = grid->GetFocusCell();
        if (grid->GetTrackFocusCell() && grid->IsValid(focus)
            && (focus.row == nRow || focus.col == nCol)) {
            Rect edge = rect;
            edge.InflateRect(0, 0, 1, 1);
            pDC->DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
        } else {
            drawRaisedEdge(pDC, rect);
        }
        rect.DeflateRect(1, 1);
    }

    if (!pDC->IsPrinting()) {
        if (const platform::Font* font = GetFontObject())
            pDC->SelectObject(*font);
    }

    const int margin = marginOf(*this);
    rect.DeflateRect(margin, 0);

    QSize image;
    if (imageSize(*this, &image) && image.width() <= rect.Width() + 2 * margin
        && image.height() <= rect.Height() + 2 * margin)
        grid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft());

    if (nRow == 0 && nCol == grid->GetSortColumn()) {
        const QSize m = pDC->GetTextExtent(QStringLiteral("M"));
        int size = m.height() - 4;
        if (rect.Height() <= m.height())
            size = rect.Height() - 4;
        if (size > 0 && rect.left + size < rect.right + 2 * margin) {
            const bool vertical = isVertical(GetFont());
            const int top = rect.bottom - size - 2;
            const int x = vertical ? (rect.right - size + rect.left) / 2 : rect.right - size;
            const bool ascending = grid->GetSortAscending();
            const auto triangle = [&](int dx, int dy, COLORREF colour) {
                const platform::Pen pen(PS_SOLID, 0, colour);
                const platform::Pen old = pDC->SelectObject(pen);
                const int baseY = (ascending ? top + size : top) + dy;
                const int apexY = (ascending ? top : top + size) + dy;
                pDC->MoveTo(x + dx, baseY);
                pDC->LineTo(x + size + dx, baseY);
                pDC->LineTo(x + size / 2 + dx, apexY);
                pDC->LineTo(x + dx, baseY);
                pDC->SelectObject(old);
            };
            triangle(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
            triangle(0, 0, GetSysColor(COLOR_BTNSHADOW));
            if (!vertical)
                rect.right -= size;
        }
    }

    GetTextRect(&rect);
    pDC->DrawText(GetText(), &rect, GetFormat() | DT_NOPREFIX);

    pDC->RestoreDC(saved);
    return true;
}

bool CGridCellBase::GetTextRect(Rect* pRect)
{
    QSize image;
    if (pRect && imageSize(*this, &image))
        pRect->left += marginOf(*this) + image.width();
    return true;
}

QSize CGridCellBase::GetTextExtent(const QString& text, platform::Dc* pDC)
{
    CGridCtrl* grid = GetGrid();
    std::unique_ptr<platform::Dc> windowDc;
    if (!pDC && !text.isEmpty() && grid) {
        windowDc = grid->GetMeasureDC();
        pDC = windowDc.get();
    }
    if (!pDC || text.isEmpty()) {
        const auto* def = dynamic_cast<const CGridDefaultCell*>(GetDefaultCell());
        return def ? QSize(def->GetWidth(), def->GetHeight()) : QSize(0, 0);
    }

    const int saved = pDC->SaveDC();
    if (const platform::Font* font = GetFontObject())
        pDC->SelectObject(*font);

    const DWORD format = GetFormat();
    QSize size;
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
        size = pDC->GetTextExtent(text);
    } else {
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            width = std::max(width, pDC->GetTextExtent(line).width());
        Rect rect(0, 0, width + 1, 0);
        pDC->DrawText(text, &rect, format | DT_CALCRECT);
        size = rect.Size();
    }
    const int margin = marginOf(*this);
    const platform::TextMetric tm = pDC->GetTextMetrics();
    size.rwidth() += tm.tmOverhang + 4 * margin;
    size.rheight() += 2 * margin;
    if (isVertical(GetFont())) {
        size.transpose();
        size.rheight() += 4 * margin;
    }
    pDC->RestoreDC(saved);
    return size;
}

QSize CGridCellBase::GetCellExtent(platform::Dc* pDC)
{
    QSize size = GetTextExtent(GetText(), pDC);
    QSize image;
    if (imageSize(*this, &image)) {
        size.rwidth() += image.width();
        size.setHeight(std::max(size.height(), image.height()));
    }
    return size;
}

bool CGridCellBase::Edit(int, int, Rect, QPoint, UINT, UINT)
{
    return false;
}

bool CGridCellBase::ValidateEdit(const QString&)
{
    return true;
}

bool CGridCellBase::PrintCell(platform::Dc* pDC, int, int, Rect rect)
{
    CGridCtrl* grid = GetGrid();
    if (!grid || !pDC || rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF textClr = RGB(0, 0, 0);
    if (grid->GetPrintColour()) {
        const CGridCellBase* def = GetDefaultCell();
        if (!def) {
            pDC->RestoreDC(saved);
            return false;
        }
        bool hasBack = false;
        COLORREF bkClr = 0;
        if (IsFixed()) {
            bkClr = GetBackClr() != CLR_DEFAULT ? GetBackClr() : def->GetBackClr();
            hasBack = true;
        } else if (GetBackClr() != CLR_DEFAULT && GetBackClr() != def->GetBackClr()) {
            bkClr = GetBackClr();
            hasBack = true;
        }
        textClr = GetTextClr() == CLR_DEFAULT ? def->GetTextClr() : GetTextClr();
        if (pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER && !hasBack) {
            // Plain text on a printer: the colour's grey weights.
            textClr = RGB(static_cast<int>(GetRValue(textClr) * 0.3),
                          static_cast<int>(GetGValue(textClr) * 0.59),
                          static_cast<int>(GetBValue(textClr) * 0.11));
        }
        if (hasBack) {
            Rect fill = rect;
            fill.InflateRect(0, 0, 1, 1);
            pDC->FillSolidRect(fill, bkClr);
        }
    }
    pDC->SetTextColor(textClr);
    if (const platform::Font* font = GetFontObject())
        pDC->SelectObject(*font);

    if (IsFixed() && grid->GetGridLines() != CGridCtrl::GVL_NONE) {
        drawRaisedEdge(pDC, rect);
        rect.DeflateRect(1, 1);
    }
    const int margin = marginOf(*this);
    rect.DeflateRect(margin, 0);
    QSize image;
    if (imageSize(*this, &image)) {
        grid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft());
        rect.left += margin + image.width() - 1;
    }
    pDC->DrawText(GetText(), &rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(saved);
    return true;
}

bool CGridCellBase::OnSetCursor()
{
    if (CGridCtrl* grid = GetGrid())
        grid->SetCursorShape(Qt::ArrowCursor);
    return true;
}

CGridCell::CGridCell()
{
    CGridCell::Reset();
}

CGridCell::~CGridCell() = default;

CGridCell& CGridCell::operator=(const CGridCell& cell)
{
    CGridCellBase::operator=(cell);
    return *this;
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont = std::make_unique<LOGFONT>();
    *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat != AllOnes)
        return m_nFormat;
    const CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFormat() : AllOnes;
}

const LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    const CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFont() : nullptr;
}

const platform::Font* CGridCell::GetFontObject() const
{
    if (m_plfFont) {
        m_fontObject = platform::Font(*m_plfFont);
        return &m_fontObject;
    }
    const CGridCellBase* def = GetDefaultCell();
    return def ? def->GetFontObject() : nullptr;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin != AllOnes)
        return m_nMargin;
    const CGridCellBase* def = GetDefaultCell();
    return def ? def->GetMargin() : AllOnes;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.clear();
    m_nImage = -1;
    m_nFormat = AllOnes;
    m_nMargin = AllOnes;
    m_bEditing = false;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
    m_crTextClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_plfFont.reset();
}

bool CGridCell::Edit(int nRow, int nCol, Rect rect, QPoint, UINT nID, UINT nChar)
{
    if (!m_bEditing) {
        if (!m_pGrid)
            return false;
        const DWORD format = GetFormat();
        DWORD style = ES_LEFT;
        if (format & DT_RIGHT)
            style = ES_RIGHT;
        else if (format & DT_CENTER)
            style = ES_CENTER;
        m_bEditing = true;
        m_pEditWnd = new CGridEditBox(m_pGrid, rect, style, nID, nRow, nCol, GetText(), nChar);
    } else if (auto* box = qobject_cast<CGridEditBox*>(m_pEditWnd)) {
        box->SendChar(nChar);
    }
    return true;
}

void CGridCell::EndEdit()
{
    if (auto* box = qobject_cast<CGridEditBox*>(m_pEditWnd))
        box->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_bEditing = false;
    m_pEditWnd = nullptr;
}

CGridDefaultCell::CGridDefaultCell()
{
    m_crTextClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nWidth = 30;
    m_nHeight = 10;
    m_nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_nDefaultFlag = 0;
    const LOGFONT messageFont = logFontFromQFont(QApplication::font());
    CGridDefaultCell::SetFont(&messageFont);
}

CGridDefaultCell::~CGridDefaultCell() = default;

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (!plf)
        return;
    m_Font = platform::Font(*plf);
    CGridCell::SetFont(plf);

    const std::unique_ptr<platform::Dc> dc = gridScreenDC();
    if (!dc) {
        m_nMargin = 3;
        m_nWidth = 40;
        m_nHeight = 16;
        return;
    }
    const platform::Font old = dc->SelectObject(m_Font);
    m_nMargin = static_cast<UINT>(dc->GetTextExtent(QStringLiteral(" ")).width());
    const QSize size = dc->GetTextExtent(QStringLiteral(" XXXXXXXXXXXX "));
    m_nWidth = size.width();
    m_nHeight = size.height() * 3 / 2;
    dc->SelectObject(old);
}

std::unique_ptr<platform::Dc> gridScreenDC()
{
    // A memory context measures with the screen's resolution and keeps no
    // painter on the image it came from.
    QImage image(1, 1, QImage::Format_RGB32);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        image.setDotsPerMeterX(qRound(screen->logicalDotsPerInchX() / 0.0254));
        image.setDotsPerMeterY(qRound(screen->logicalDotsPerInchY() / 0.0254));
    }
    platform::PainterDc screen(&image);
    return screen.CreateCompatibleDC();
}

LOGFONT logFontFromQFont(const QFont& font)
{
    LOGFONT lf;
    int pixels = font.pixelSize();
    if (pixels <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        pixels = qRound(font.pointSizeF() * dpi / 72.0);
    }
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWeight = static_cast<int>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfFaceName = font.family();
    return lf;
}
