// The pages of the bar-tag sheet: a sheet of paper cut into equal tag
// positions by dotted cut lines across the whole paper, a heading up the
// left margin, the page number at the bottom right, and one tag drawn by the
// tag form in every position. The six layouts differ only in their grid, a
// few constants and the form's drawing. The table's form is laid out as the
// page's grid of positions, for the hit test.

#include "tables/processing/liaopaitable.h"

#include "platform/dc.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/liaopaiform.h"

using namespace platform::gdi;
using platform::Rect;

// What tells one layout's pages from another's.
struct CVes_LiaoPaiTable::PageLayout {
    enum class PageText { None, Below, Beside };

    int columns;
    int rows;
    int width;          // a position's width and height
    int height;
    int gridLeft;       // the grid's left edge; its top is kGridTop
    bool shifted;       // printed pages move left and up by the print shift
    bool lengthUnit;    // the form names the table's length unit
    int fullTexts;      // texts a row needs for a full tag
    bool weight;        // the weight (text 10) goes on the tag
    PageText pageText;  // the text of title-block text 6 by each tag
    QPoint pageTextAt;  // from the tag's origin
    void (CVes_LiaoPaiForm::*draw)(platform::Dc*);
};

namespace {

using PageLayoutSpec = CVes_LiaoPaiTable::PageLayout;
using PageText = PageLayoutSpec::PageText;

constexpr int kGridTop = 70;
// A tag's origin lies this far right of and below its position's corner.
constexpr int kTagInset = 30;
constexpr int kPrintShiftX = 60;
constexpr int kPrintShiftY = 50;
constexpr int kHeadingX = 120;
constexpr int kHeadingY = 1050;
constexpr int kFooterX = 2780;
constexpr int kFooterY = 2090;
// A4 landscape, for a paper the template does not know.
constexpr int kA4Long = 2970;
constexpr int kA4Short = 2100;
constexpr platform::COLORREF kCurrentTagColour = RGB(204, 236, 255);

const PageLayoutSpec kLayouts[CVes_LiaoPaiTable::kLayoutCount] = {
    {4, 2, 660, 980, 170, true, false, 10, false, PageText::None, {},
     &CVes_LiaoPaiForm::OnDraw},
    {2, 4, 1320, 490, 170, false, true, 10, false, PageText::None, {},
     &CVes_LiaoPaiForm::OnDrawH},
    {4, 4, 660, 490, 170, true, true, 10, false, PageText::Below, {600, 410},
     &CVes_LiaoPaiForm::OnDrawJ},
    {4, 2, 660, 980, 170, true, true, 11, true, PageText::Below, {600, 900},
     &CVes_LiaoPaiForm::OnDrawJ2},
    // Its tags have a weight row too, so they show the weight.
    {2, 4, 1320, 490, 170, false, true, 10, true, PageText::Beside, {1220, 0},
     &CVes_LiaoPaiForm::OnDrawJ2H},
    {5, 2, 550, 980, 150, true, true, 11, true, PageText::Below, {500, 900},
     &CVes_LiaoPaiForm::OnDrawModel6},
};

platform::Font timesFont(int height, int escapement, int orientation)
{
    return platform::Font::create(height, 0, escapement, orientation, 0, 0, 0, 0, 0,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  VARIABLE_PITCH | FF_ROMAN, QStringLiteral("Times New Roman"));
}

// Page points in 0.1 mm to the context's points.
struct Mapping {
    QPoint origin;
    double scale;
    QPoint operator()(int x, int y) const
    {
        return paperToDevicePoint(origin.x(), origin.y(), x, y, scale);
    }
};

// The tag form's texts from a row: a full tag, an element tag (six texts),
// or a blank tag.
void fillForm(CVes_LiaoPaiForm& form, CVes_LiaoPaiTableLine* row, const PageLayoutSpec& layout)
{
    const QString none;
    form.setData(none, none, none, none, none, none, none, none, none, none, nullptr);
    form.m_weight.clear();
    if (!row)
        return;
    const QStringList& t = row->texts();
    if (t.size() >= layout.fullTexts) {
        form.setData(t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9], row->shape());
        if (layout.weight && t.size() > 10)
            form.m_weight = t[10];
    } else if (t.size() >= 6) {
        form.setData(t[0], t[1], t[2], t[3], t[4], t[5], none, none, none, none, nullptr);
    }
}

} // namespace

void CVes_LiaoPaiTable::Draw(platform::Dc* dc, const Rect& rect)
{
    syncRowsToLayout();
    CVes_TableBase::Draw(dc, rect);
    if (!dc)
        return;
    // The cover page carries no tags.
    if (m_curPage >= 1) {
        switch (m_layout) {
        case kLayoutV: DrawV(dc, rect); break;
        case kLayoutH: DrawH(dc, rect); break;
        case kLayoutJ: DrawJ(dc, rect); break;
        case kLayoutJ2: DrawJ2(dc, rect); break;
        case kLayoutJ2H: DrawJ2H(dc, rect); break;
        case kLayoutModel6: DrawModel6(dc, rect); break;
        default: break;
        }
    }
    DrawShuiyin(dc, rect);
}

void CVes_LiaoPaiTable::DrawV(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutV]);
}

void CVes_LiaoPaiTable::DrawH(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutH]);
}

void CVes_LiaoPaiTable::DrawJ(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutJ]);
}

void CVes_LiaoPaiTable::DrawJ2(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutJ2]);
}

void CVes_LiaoPaiTable::DrawJ2H(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutJ2H]);
}

void CVes_LiaoPaiTable::DrawModel6(platform::Dc* dc, const Rect&)
{
    drawPage(dc, kLayouts[kLayoutModel6]);
}

void CVes_LiaoPaiTable::DrawShuiyin(platform::Dc* dc, const Rect&)
{
    if (dc && dc->IsPrinting()) {
        m_drawScale = 1.0;
        m_paperptO = QPoint(0, 0);
    }
}

void CVes_LiaoPaiTable::drawPage(platform::Dc* dc, const PageLayout& layout)
{
    if (!dc || !m_form)
        return;
    int dx = 0;
    int dy = 0;
    if (dc->IsPrinting()) {
        m_drawScale = 1.0;
        m_paperptO = QPoint(0, 0);
        if (layout.shifted) {
            dx = kPrintShiftX;
            dy = kPrintShiftY;
        }
    }
    const double s = m_drawScale;
    const Mapping map{m_paperptO, s};
    int paperW = getRealW() * 10;
    int paperH = getRealH() * 10;
    if (paperW <= 0 || paperH <= 0) {
        paperW = kA4Long;
        paperH = kA4Short;
    }
    const int gridRight = layout.gridLeft + layout.columns * layout.width;
    const int gridBottom = kGridTop + layout.rows * layout.height;

    // Dotted cut lines across the whole paper.
    if (const auto pen = createTablePen(7, int(s), RGB(0, 0, 0), 1.0)) {
        const platform::Pen old = dc->SelectObject(*pen);
        for (int c = 0; c <= layout.columns; ++c) {
            const int x = layout.gridLeft + c * layout.width - dx;
            dc->MoveTo(map(x, 0));
            dc->LineTo(map(x, paperH));
        }
        for (int r = 0; r <= layout.rows; ++r) {
            const int y = kGridTop + r * layout.height - dy;
            dc->MoveTo(map(0, y));
            dc->LineTo(map(paperW, y));
        }
        dc->SelectObject(old);
    }

    // The grid the hit test finds the positions in.
    m_form->setScale(s);
    m_form->setRect(Rect(map(layout.gridLeft - dx, kGridTop - dy), map(gridRight - dx, gridBottom - dy)));
    m_form->SetRowCount(layout.rows);
    m_form->SetColumnCount(layout.columns);
    for (int r = 0; r < layout.rows; ++r)
        m_form->SetRowHeight(r, int(layout.height * s));
    for (int c = 0; c < layout.columns; ++c)
        m_form->SetColumnWidth(c, int(layout.width * s));

    // The heading up the left margin and the page number.
    const platform::Font oldFont = dc->SelectObject(timesFont(int(70 * s), 900, 700));
    const unsigned oldAlign = dc->SetTextAlign(TA_BOTTOM | TA_CENTER);
    dc->TextOut(map(kHeadingX - dx, kHeadingY - dy), QStringLiteral("——    钢筋料牌    ——"));
    dc->SetTextAlign(TA_BOTTOM | TA_RIGHT);
    dc->SelectObject(timesFont(int(40 * s), 0, 0));
    dc->TextOut(map(kFooterX - dx, kFooterY - dy),
                QString::asprintf("第 %d 页 / 共 %d 页", m_curPage, m_pages));
    dc->SetTextAlign(oldAlign);
    dc->SelectObject(oldFont);

    drawTags(dc, layout, s, dx, dy);
}

void CVes_LiaoPaiTable::drawTags(platform::Dc* dc, const PageLayout& layout, double s, int dx,
                                 int dy)
{
    const Mapping map{m_paperptO, s};
    const bool printing = dc->IsPrinting();
    const platform::Font pageFont = layout.pageText == PageText::Beside
        ? timesFont(int(36 * s), 900, 0)
        : timesFont(int(40 * s), 0, 0);
    const QString pageText = m_texts[6].m_formula;

    CVes_LiaoPaiForm form(dc, QPoint(0, 0), 1.0);
    if (layout.lengthUnit)
        form.m_lengthUnit = m_lengthUnit;
    for (int r = 0; r < layout.rows; ++r) {
        const int y = kGridTop + kTagInset - dy + layout.height * r;
        for (int c = 0; c < layout.columns; ++c) {
            const int x = layout.gridLeft + kTagInset - dx + layout.width * c;
            const int index = r * layout.columns + c;
            CVes_LiaoPaiTableLine* row = index < m_pageLines.size()
                ? dynamic_cast<CVes_LiaoPaiTableLine*>(m_pageLines[index])
                : nullptr;
            // Paper gets the tags there are; an empty frame is drawn on
            // screen only, to show where the page has room.
            if (printing && (!row || row->texts().size() < 6))
                continue;
            form.m_shapeScale = s;
            form.setScale(s);
            form.setPt(map(x, y));

            if (layout.pageText != PageText::None) {
                const platform::Font oldFont = dc->SelectObject(pageFont);
                const unsigned oldAlign = dc->SetTextAlign(TA_RIGHT);
                dc->TextOut(map(x + layout.pageTextAt.x(), y + layout.pageTextAt.y()), pageText);
                dc->SetTextAlign(oldAlign);
                dc->SelectObject(oldFont);
            }

            form.m_drawBk = !printing && index == m_curRow ? 1 : 0;
            if (form.m_drawBk)
                form.setbkColor(kCurrentTagColour);
            fillForm(form, row, layout);
            (form.*layout.draw)(dc);
        }
    }
}
