// The page drawing shared by every sheet: places the sheet of paper in the
// view (zoom, scrolling, drop shadow) or on the printed page, then either
// draws the cover page or lays out the page form of a table page (title
// block, footer, table area with its caption row, row heights, column widths
// and the page number). Each sheet fills the rows of the form and draws it.
//
// Everything on a page is placed in paper coordinates of 0.1 mm from the
// sheet's top-left corner; a paper point becomes a device point through the
// origin, the print offset and the scale kept here.

#include "tables/framework/tablebase.h"

#include "core/geometry/steeltext.h"
#include "core/geometry/text.h"
#include "envora/anchorage.h"
#include "envora/usercustom.h"
#include "core/geometry/geometry.h"
#include "platform/dc.h"
#include "platform/saturate.h"
#include "tables/framework/form.h"
#include "tables/framework/tablebaseline.h"
#include "tables/framework/tablehelpers.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace platform::gdi;
using platform::Rect;

namespace {

constexpr COLORREF kDeskColour = RGB(231, 231, 214);
constexpr COLORREF kSelectedTextColour = RGB(0, 0, 255);
constexpr COLORREF kCurrentCoverRowColour = RGB(255, 255, 140);
// How far beyond its area the cover may draw (device units).
constexpr int kCoverClipMargin = 3;
constexpr COLORREF kCurrentCaptionColour = RGB(224, 254, 8);
constexpr COLORREF kPrintTagColour = RGB(118, 118, 118);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Printed pages are drawn this far left of and above the paper coordinates.
constexpr int kPrintOffsetX = 60;
constexpr int kPrintOffsetY = 50;

// The scroll positions the view moves between.
constexpr double kMaxScroll = 100.0;

// Where a page is drawn: paper points in 0.1 mm to device points.
struct PageMapping {
    int originX = 0;
    int originY = 0;
    int offX = 0;
    int offY = 0;
    double scale = 1.0;

    QPoint device(int x, int y) const
    {
        return paperToDevicePoint(originX, originY, x - offX, y - offY, scale);
    }
};

// The paper and its margins in 0.1 mm, the gutter added to its side.
struct PageBox {
    int paperW = 0;
    int paperH = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int usableWidth() const { return paperW - left - right; }
};

// The page drawing takes the layout's sizes held to what a stored layout may
// hold, so that values a dialog or a view left out of range neither overflow
// the page arithmetic nor draw a page that no device shows.
int heldMm(int mm)
{
    return std::clamp(mm, 0, CVes_Template::kMaxPaperSize);
}

int heldSigned(int value, int limit)
{
    return std::clamp(value, -limit, limit);
}

int titleHeight(const CVes_TableBase& table, int text)
{
    return heldSigned(table.m_textHeights[std::size_t(text)], 10 * CVes_Template::kMaxPaperSize);
}

// The text height of the table in 0.1 mm.
double tableTextHeight(const CVes_TableBase& table)
{
    return heldSigned(table.m_tableTextHeight, CVes_Template::kMaxPaperSize) * 10.0;
}

int columnWidth(const CVes_TableBase& table, int column)
{
    return heldSigned(table.m_widths.value(column, 0), CVes_Template::kMaxWidthPercent);
}

PageBox pageBox(const CVes_TableBase& table)
{
    PageBox box;
    const QSize paper = table.paperSize();
    box.paperW = paper.width();
    box.paperH = paper.height();
    box.left = heldMm(table.m_leftMargin) * 10;
    box.top = heldMm(table.m_topMargin) * 10;
    box.right = heldMm(table.m_rightMargin) * 10;
    box.bottom = heldMm(table.m_bottomMargin) * 10;
    if (table.m_gutterPos == 1)
        box.top += heldMm(table.m_gutter) * 10;
    else
        box.left += heldMm(table.m_gutter) * 10;
    return box;
}

// What the anchorage rules take for a sheet without these design values.
constexpr int kLowestConcrete = 20;
constexpr int kDefaultSeismic = 2;

// The seismic grade as the cover shows it.
QString seismicText(int grade)
{
    if (grade < 1)
        return QStringLiteral("非抗震");
    switch (grade) {
    case 1: return QStringLiteral("一级");
    case 2: return QStringLiteral("二级");
    case 3: return QStringLiteral("三级");
    case 4: return QStringLiteral("四级");
    default: return QString();
    }
}

// The unit a caption shows on its second line.
QString unitSuffix(int unit)
{
    switch (unit) {
    case CVes_Template::kTonne: return QStringLiteral("\n（t）");
    case CVes_Template::kKilogram: return QStringLiteral("\n（kg）");
    case CVes_Template::kGram: return QStringLiteral("\n（g）");
    case CVes_Template::kMillimetre: return QStringLiteral("\n（mm）");
    case CVes_Template::kMetre: return QStringLiteral("\n（m）");
    case CVes_Template::kCentimetre: return QStringLiteral("\n（cm）");
    default: return QString();
    }
}

// The title-block text a column of the hit test on row -100 selects; the
// first column selects texts 0 and 1.
bool titleTextSelected(const CVes_TableBase& table, int text)
{
    if (table.m_curRow != CVes_TableBase::kTitleTextRow)
        return false;
    const int column = table.m_curCol;
    if (column == 0)
        return text == 0 || text == 1;
    return column >= 1 && column <= 6 && text == column + 1;
}

// The texts that stand for the design variables on the cover.
struct CoverValues {
    QString concrete;
    QString seismic;
    QString cover;
    QString anchorage[4];
};

CoverValues coverValues(const CVes_TableBase& table)
{
    CoverValues values;
    const int concrete = int(table.getExVarVal(CVes_TableBase::kVarConcrete));
    const int seismic = int(table.getExVarVal(CVes_TableBase::kVarSeismic));
    const int cover = int(table.getExVarVal(CVes_TableBase::kVarCover));
    // A value the sheet does not have is shown as the rule tables apply it
    // (the lowest concrete strength, the second seismic grade), never as -1;
    // a missing cover as the design dialog shows it.
    values.concrete = QString::asprintf("C%d", concrete < 0 ? kLowestConcrete : concrete);
    values.seismic = seismicText(seismic < 0 ? kDefaultSeismic : seismic);
    values.cover = QString::number(cover > 0 ? cover : CVes_TableBase::kDefaultCover);
    // A sheet without an atlas edition works with the first one, as its
    // anchorage lengths do.
    const int edition = std::max(int(table.getExVarVal(CVes_TableBase::kVarAtlas)), 0);
    static const char* const kFormats[4] = {"[%%%%A]%dd", "[%%%%B]%dd", "[%%%%C]%dd",
                                            "[%%%%D]%dd"};
    for (int grade = 1; grade <= 4; ++grade) {
        const int multiple =
            Info_GetSteelMaoguBeishu(edition, seismic, concrete, grade, 10.0f, 0);
        values.anchorage[grade - 1] = QString::asprintf(kFormats[grade - 1], multiple);
    }
    return values;
}

// A cover text with its placeholders replaced.
QString substituteCoverText(const CVes_TableBase& table, QString text, const CoverValues& values)
{
    for (int index : {2, 3, 0, 5, 6, 7}) {
        const CVes_Variable& title = table.m_texts[std::size_t(index)];
        QString value = title.m_formula;
        if (value.isEmpty() && (index == 5 || index == 6))
            value = QString(14, u' ');
        text.replace(QStringLiteral("{%1}").arg(title.m_text), value);
    }
    text.replace(QStringLiteral("{混凝土强度}"), values.concrete);
    text.replace(QStringLiteral("{抗震等级}"), values.seismic);
    // A cover without a value prints nothing for it, not its unit alone.
    if (values.cover.isEmpty())
        text.replace(QRegularExpression(QStringLiteral("\\{保护层\\}\\s*mm")), QString());
    text.replace(QStringLiteral("{保护层}"), values.cover);
    for (int i = 0; i < 4; ++i)
        text.replace(QStringLiteral("{锚固长度%1}").arg(i + 1), values.anchorage[i]);
    return text;
}

// A table of summary texts, four to a row, drawn at once over a cover row.
// More texts than four to a row fit at a legible height are set out in as
// many more columns as they need.
void drawSummaryTable(platform::Dc* dc, const Rect& box, const QStringList& texts, int height,
                      double scale)
{
    // A row holds one line of text with 0.3 of a line above and below it.
    const double legibleRow = 1.6 * CVes_Cell::kLegibleTextHeight * scale;
    const int fittingRows =
        legibleRow > 0 ? std::max(1, int(std::abs(box.Height()) / legibleRow)) : 1;
    const int n = int(texts.size());
    const int columns = std::max(4, (n + fittingRows - 1) / fittingRows);
    const int rows = std::max(1, (n + columns - 1) / columns);
    CVes_Form form(dc, box);
    form.SetColumnCount(columns);
    form.SetRowCount(rows);
    form.setRect(box);
    form.setScale(scale);
    form.clearnAllCell();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        form.setCellText(int(i / columns), int(i % columns), texts[i], CVes_Cell::kAlignCentre,
                         height, QPoint(0, 0), QString());
    }
    form.OnDraw(dc);
}

void drawCover(CVes_TableBase& table, platform::Dc* dc, const PageBox& page,
               const PageMapping& map)
{
    CVes_TableCover& cover = table.m_cover;
    CVes_Form* form = cover.m_form.get();
    if (!form)
        return;
    const bool printing = dc->IsPrinting();

    Rect area(map.device(page.left, page.top),
              map.device(page.paperW - page.right, page.paperH - page.bottom));
    form->setCDC(dc);
    form->setRect(area);
    form->clearnAllCell();

    // Rows take their share of the cover's height; a share that would pass
    // the bottom is refused and the row keeps its equal share.
    const int hc = std::abs(area.Height());
    const int wc = std::abs(area.Width());
    const int rows = form->GetRowCount();
    int sum = 0;
    for (int i = 0; i < rows - 1; ++i) {
        int height = int(std::clamp(cover.m_percents.value(i, 0), 0, 100) * 0.01 * hc);
        if (sum + height <= hc)
            sum += height;
        else
            height = 0;
        form->SetRowHeight(i, height);
    }
    if (hc - sum > 0)
        form->SetRowHeight(rows - 1, hc - sum);
    const int columns = form->GetColumnCount();
    for (int c = 0; c < columns; ++c)
        form->SetColumnWidth(c, wc / columns);
    form->setBorder(0);
    form->setScale(map.scale);

    const CoverValues values = coverValues(table);
    static const QString kBarSummary = QStringLiteral("@规格汇总@");
    static const QString kJointSummary = QStringLiteral("@接头汇总@");
    struct Summary {
        Rect box;
        QStringList texts;
        int height;
    };
    std::vector<Summary> summaries;
    for (int i = 0; i < int(cover.m_variables.size()); ++i) {
        const CVes_Variable* variable = cover.m_variables[std::size_t(i)].get();
        if (!variable)
            continue;
        const QString text = substituteCoverText(table, variable->m_text, values);
        const int height = deviceTextHeight(variable->m_height * map.scale);
        const bool bars = text.contains(kBarSummary);
        if (bars || text.contains(kJointSummary)) {
            if (cover.m_barSummaryTexts.isEmpty())
                table.AmountToString(cover.m_barSummaryTexts, cover.m_jointSummaryTexts);
            const QStringList& texts =
                bars ? cover.m_barSummaryTexts : cover.m_jointSummaryTexts;
            const Rect box = form->GetCellRect(i, 0);
            if (!box.IsRectNull())
                summaries.push_back({box, texts, height});
        } else {
            form->setCellText(i, 0, text, variable->m_align, height, QPoint(0, 0),
                              variable->m_fontName);
        }
        const bool current = !printing && i == cover.m_curVar;
        form->setRowTxtColor(i, current ? kSelectedTextColour : kBlack);
        form->setRowBkColor(i, kCurrentCoverRowColour);
        form->setRowDrawBk(i, current ? 1 : 0);
    }
    // The cover is drawn within its area: a text wider than the paper (the
    // default cover's rule is) ends at the margins instead of running over
    // the desk beside the page.
    Rect clip = area;
    clip.NormalizeRect();
    // The summary tables' outer lines lie on the area's edges.
    clip.InflateRect(kCoverClipMargin, kCoverClipMargin);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(clip);
    form->OnDraw(dc);
    // Summary tables go over the cover form, so that the background of the
    // row being edited does not hide them.
    for (const Summary& summary : summaries)
        drawSummaryTable(dc, summary.box, summary.texts, summary.height, map.scale);
    dc->RestoreDC(saved);
}

// Lays out and draws the title block; answers the top of the table and, in
// `footerHeight`, the height the footer takes (both 0.1 mm).
int drawTitleBlock(CVes_TableBase& table, platform::Dc* dc, const PageBox& page,
                   const PageMapping& map, int& footerHeight)
{
    const int left = page.left;
    const int width = page.usableWidth();
    const int foot = page.paperH - page.bottom;
    std::array<int, TemplateLayout::kTitleTextCount> heights;
    for (int i = 0; i < TemplateLayout::kTitleTextCount; ++i)
        heights[std::size_t(i)] = titleHeight(table, i);
    const auto named = [&](int i) { return !table.m_texts[std::size_t(i)].m_text.isEmpty(); };

    bool drawn[TemplateLayout::kTitleTextCount] = {};
    QPoint anchor[TemplateLayout::kTitleTextCount];
    const auto place = [&](int i, int x, int y) {
        drawn[i] = true;
        anchor[i] = QPoint(x, y);
    };

    int y = page.top;
    if (table.m_showTitle) {
        place(0, left + width / 2, page.top + heights[0]);
        y = page.top + heights[0] + 40;
    }
    if (named(1))
        place(1, left + width, page.top - heights[1]);
    int last = -1;
    for (int i : {2, 3, 4}) {
        if (!named(i))
            continue;
        y += heights[std::size_t(i)];
        place(i, left, y);
        table.m_texts[std::size_t(i)].m_align = CVes_String::kLeft;
        last = i;
    }
    if (last >= 0)
        y += heights[std::size_t(last)] / 2;

    footerHeight = 0;
    if (named(5)) {
        place(5, left, foot);
        footerHeight = heights[5];
    }
    if (named(6)) {
        place(6, left + width / 2, foot);
        if (heights[6] > 1)
            footerHeight = heights[6];
    }
    if (named(7)) {
        place(7, left + width, foot);
        if (heights[7] > 1)
            footerHeight = heights[7];
    }

    const bool printing = dc->IsPrinting();
    for (int i = 0; i < TemplateLayout::kTitleTextCount; ++i) {
        // A text given no height has no size to be read at.
        if (!drawn[i] || heights[std::size_t(i)] <= 0)
            continue;
        CVes_Variable& text = table.m_texts[std::size_t(i)];
        const QPoint device = map.device(anchor[i].x(), anchor[i].y());
        text.m_position.set(device.x(), device.y());
        text.setTxtHigh(deviceTextHeight(heights[std::size_t(i)] * map.scale));
        const COLORREF colour =
            !printing && titleTextSelected(table, i) ? kSelectedTextColour : kBlack;
        text.draw(dc, colour, 1.0, 0, 0, i == 0 ? 0 : 1, 1, 0, QPoint(0, 0));
    }

    if (printing) {
        const COLORREF old = dc->SetTextColor(kPrintTagColour);
        writeText(dc, QStringLiteral("[Rodo表软件] "),
                  map.device(left + width, foot + heights[7]), deviceTextHeight(20 * map.scale), 0,
                  TA_RIGHT,
                  QStringLiteral("宋体"), 90, map.scale);
        dc->SetTextColor(old);
    }
    return y;
}

void drawPageNumber(CVes_TableBase& table, platform::Dc* dc, const PageBox& page,
                    const PageMapping& map)
{
    CVes_Variable number;
    number.setVarType(CVes_Variable::kTextKind);
    number.m_fontName = QStringLiteral("宋体");
    number.m_angle = 0;
    number.m_align = CVes_String::kCentre;
    number.setTxtHigh(deviceTextHeight(tableTextHeight(table) * map.scale));
    const int x = page.left + page.usableWidth() / 2;
    int y = page.paperH - page.bottom;
    if (table.m_pageNumberStyle == 1) {
        number.m_formula = QString::asprintf("- %d -", table.m_curPage);
    } else {
        // Centred in the bottom margin, clear of the footer texts.
        y = page.paperH - page.bottom / 2;
        number.m_formula =
            table.m_language == 1
                ? QString::asprintf("%d ／ %d", table.m_curPage, table.m_pages)
                : QString::asprintf("第 %d 页 ／ 共 %d 页", table.m_curPage, table.m_pages);
    }
    const QPoint device = map.device(x, y);
    number.m_position.set(device.x(), device.y());
    number.draw(dc, kBlack, 1.0, 0, 0, 0, 1, 0, QPoint(0, 0));
}

void layOutTablePage(CVes_TableBase& table, platform::Dc* dc, const PageBox& page,
                     const PageMapping& map)
{
    CVes_Form* form = table.m_form.get();
    form->setBorder(1);

    int footerHeight = 0;
    const int tableTop = drawTitleBlock(table, dc, page, map, footerHeight);

    // The table area.
    Rect area(map.device(page.left, tableTop),
              map.device(page.left + page.usableWidth(), page.paperH - page.bottom - footerHeight));
    form->setCDC(dc);
    form->setRect(area);
    const double formFactor = std::isfinite(table.m_formFactor) ? table.m_formFactor : 0.0;
    form->setBorderWidth(deviceCoordinate(std::clamp(formFactor, -1000.0, 1000.0) * map.scale));

    // Rows per page and the height of one table row.
    const double captionHeight = heldMm(table.m_reservedHeight) * 10 * map.scale;
    int body = deviceCoordinate(std::abs(area.Height()) - captionHeight);
    int rowsPerPage = std::max(table.rowsPerPage(), 1);
    if (table.m_rowMode == 0) {
        int rowHeight = deviceCoordinate(heldMm(table.m_rowHeight) * 10 * map.scale);
        if (rowHeight <= 0)
            rowHeight = 10;
        rowsPerPage = std::clamp(body / rowHeight, 1, CVes_Template::kMaxRowsPerPage);
        table.m_rowNum = rowsPerPage;
        body = deviceCoordinate(double(rowsPerPage) * rowHeight);
        area.bottom = deviceCoordinate(area.top + body + captionHeight);
        form->setRect(area);
    }
    const int summaryRows = table.m_pageSummary
        ? std::clamp(table.m_summaryRowHeight, 0, CVes_Template::kMaxRowsPerPage)
        : 0;
    const int units = std::max(rowsPerPage + summaryRows, 1);
    const int unit = body / units;

    // The rows of the page are brought up to date before the form is cut to
    // them, so that the form has a row for every row the sheet fills.
    if (table.m_curPage < 0)
        table.firstPage();
    else
        table.setPageTo(table.m_curPage, 1);

    const TableLineList& lines = table.m_pageLines;
    const bool perUnit = table.formRowPerUnit();
    const int n = perUnit ? units
                          : int(lines.size()) + std::abs(rowsPerPage - table.getCurLineNum())
                                + summaryRows;
    form->SetRowCount(n + 1);
    double sum = 0;
    for (int k = 1; k <= n; ++k) {
        const int height = !perUnit && k <= lines.size()
            ? deviceCoordinate(double(CVes_TableBase::rowsOf(*lines[k - 1])) * unit)
            : unit;
        form->SetRowHeight(k, height);
        sum += height;
    }
    // The caption row takes what is left, and never less than one unit of
    // the device (a page of rows taller than the page leaves nothing).
    form->SetRowHeight(0, std::max(deviceCoordinate(body - sum + captionHeight), 1));

    // Columns.
    const int columns = std::max(int(table.m_captions.size()), 1);
    form->SetColumnCount(columns);
    form->setScale(map.scale);
    int stretch = table.m_stretchColumn;
    if (stretch < 0 || stretch >= columns)
        stretch = columns - 1;
    const int areaWidth = std::abs(area.Width());
    // However wide a layout's shares make the columns, together they end well
    // inside the device's coordinates, so that no box of the form overflows.
    constexpr int kMaxFormWidth = 1 << 29;
    int used = 0;
    for (int c = 0; c < columns; ++c) {
        if (c == stretch)
            continue;
        const int width = std::clamp(platform::saturatedInt(columnWidth(table, c) * 0.01 * areaWidth), 0,
                                     kMaxFormWidth - used);
        form->SetColumnWidth(c, width);
        used += width;
    }
    form->SetColumnWidth(stretch, std::max(areaWidth - used, 0));

    // The caption row.
    const int textHeight = deviceTextHeight(tableTextHeight(table) * map.scale);
    for (int c = 0; c < columns; ++c) {
        if (table.m_widths.value(c, 0) <= 0)
            continue;
        form->setCellText(0, c,
                          table.m_captions.value(c) + unitSuffix(table.m_units.value(c, -1)),
                          CVes_Cell::kAlignCentre, textHeight, QPoint(0, 0),
                          QStringLiteral("宋体"));
    }
    form->setRowBkColor(0, Info_UserCustomGetTitleBk());
    form->setRowDrawBk(0, table.m_titleColorBk);
    if (!dc->IsPrinting() && table.m_curRow == 0 && table.m_curCol >= 0
        && table.m_curCol < columns - 1) {
        form->setCellBkColor(0, table.m_curCol, kCurrentCaptionColour);
        form->setCellDrawBk(0, table.m_curCol, 1);
    }

    if (table.showsPageNumber())
        drawPageNumber(table, dc, page, map);
}

} // namespace

void CVes_TableBase::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    if (!dc || !m_form)
        return;
    const PageBox page = pageBox(*this);
    PageMapping map;

    if (!dc->IsPrinting()) {
        const platform::Brush oldBrush = dc->SelectObject(platform::Brush(kDeskColour));
        dc->Rectangle(rect);
        dc->SelectObject(oldBrush);

        const int w = rect.Width();
        const int h = rect.Height();
        // The view keeps its zoom and scroll in range; a page is drawn at
        // whatever they are held to.
        const double zoom = pageZoom(m_zoom);
        const auto scroll = [](double at) {
            return std::isfinite(at) ? std::clamp(at, 0.0, kMaxScroll) : 0.0;
        };
        const float shadow = 6.0f * float(zoom);
        int pw = 0, ph = 0;
        fitPage(w, h, zoom, pw, ph);
        int originX = deviceCoordinate((w - pw * zoom) / 2);
        int originY = deviceCoordinate((h - ph * zoom) / 2);
        m_scrollStepX = 0.0f;
        m_scrollStepY = 0.0f;
        if (zoom > 1.0) {
            if (originX < w * 0.02)
                originX = int(0.02 * w);
            if (originY < h * 0.02)
                originY = int(0.02 * h);
            m_scrollStepX = float((zoom - 1) * pw * 0.01);
            m_scrollStepY = float((zoom - 1) * ph * 0.01);
            originX = deviceCoordinate(originX - m_scrollStepX * scroll(m_scrollX));
            originY = deviceCoordinate(originY - m_scrollStepY * scroll(m_scrollY));
        }
        map.originX = originX;
        map.originY = originY;
        map.scale = double(ph) / double(page.paperH) * zoom;
        m_viewRect = rect;
        m_paperRect = Rect(originX, originY, deviceCoordinate(pw * zoom + originX),
                           deviceCoordinate(ph * zoom + originY));

        Rect shadowRect = m_paperRect;
        shadowRect.OffsetRect(int(shadow), int(shadow));
        dc->FillRect(shadowRect, platform::Brush::stock(BLACK_BRUSH));
        dc->FillRect(m_paperRect, platform::Brush::stock(Info_UserCustomTableBkColor()));
    } else {
        map.offX = kPrintOffsetX;
        map.offY = kPrintOffsetY;
    }
    m_drawScale = map.scale;
    m_paperptO = QPoint(map.originX, map.originY);

    m_form->clearnAllCell();
    if (m_curPage == 0) {
        drawCover(*this, dc, page, map);
        return;
    }
    layOutTablePage(*this, dc, page, map);
}
