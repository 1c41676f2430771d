// The quantity sheet's page: the rows of the current page laid into the
// cells of the page form, with their highlights and the page summary row.

#include "tables/quantity/sltable.h"

#include "platform/dc.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"

#include <algorithm>

namespace {

using Line = CVes_SLTableLine;
constexpr unsigned kLeft = CVes_Cell::kAlignLeft;
constexpr unsigned kCentre = CVes_Cell::kAlignCentre;

// What one page fill works with.
struct PageFill {
    CVes_SLTable& table;
    CVes_Form& form;
    double zoom;
    int height;  // the text height of the page's cells
    int columns;

    bool shown(int column) const { return table.m_widths.value(column, 0) > 0; }
    void text(int row, int column, const QString& text, unsigned align, int h) const
    {
        form.setCellText(row, column, text, align, h, QPoint(0, 0), QString());
    }
    void text(int row, int column, const QString& value, unsigned align) const
    {
        text(row, column, value, align, height);
    }
};

void highlight(const PageFill& page, int r, CVes_TableBaseLine* row)
{
    CVes_SLTable& table = page.table;
    if (row->getLock()) {
        page.form.setRowBkColor(r, CVes_SLTable::kLockedColour);
        page.form.setRowDrawBk(r, 1);
    }
    if (table.isSelected(r)) {
        page.form.setRowBkColor(r, CVes_SLTable::kSelectedColour);
        page.form.setRowDrawBk(r, 1);
    }
    if (table.m_curRow == r && table.m_curCol >= 0 && table.m_curCol < CVes_SLTable::kColumnCount) {
        page.form.setCellBkColor(r, table.m_curCol, CVes_SLTable::kCurrentColour);
        page.form.setCellDrawBk(r, table.m_curCol, 1);
    }
}

void fillElement(const PageFill& page, int r, Line& line)
{
    QString element = line.getElement();
    element.replace(QLatin1Char('|'), QLatin1Char('\n'));
    if (page.shown(0))
        page.text(r, 0, QStringLiteral("构件编号："), kCentre);
    if (page.shown(1)) {
        page.text(r, 1, element, kLeft);
        page.form.setCellMerge(1, r, 1, r, 3);
    }
    if (page.shown(4))
        page.text(r, 4, QStringLiteral("件数"), kCentre);
    if (page.shown(5)) {
        page.text(r, 5, QString::asprintf("%d件", line.getEleNum()), kLeft);
        page.form.setCellMerge(1, r, 5, r, page.columns - 1);
    }
}

void fillElementType(const PageFill& page, int r, Line& line)
{
    if (page.shown(0))
        page.text(r, 0, QStringLiteral("构件类型："), kCentre);
    if (page.shown(1)) {
        page.text(r, 1, line.getEleType(), kLeft);
        page.form.setCellMerge(1, r, 1, r, page.columns - 1);
    }
}

// The text height of a remark with that many line breaks: fewer lines of
// text fit a cell as they grow.
int remarkHeight(int breaks, double zoom)
{
    int h = breaks > 1 ? 43 - 7 * breaks : 36;
    // Seven lines and more stay readable rather than vanish.
    h = std::max(h, 8);
    return int(h * zoom + 0.5);
}

// Fills a bar row; answers its total length and weight for the page sums.
void fillBar(const PageFill& page, int r, Line& line, int pieces, double& length, double& weight)
{
    CVes_Steel& bar = line.m_steel;
    if (page.shown(1))
        page.text(r, 1, bar.number, kCentre);
    if (page.shown(2))
        page.text(r, 2, Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType), kCentre);
    if (page.shown(3))
        page.form.setCellModel(r, 3, &bar, kCentre);

    const CVes_SLTable::BarTexts texts = page.table.barTexts(bar, pieces, false);
    const bool varying = bar.isMultiVal() != 0;
    page.text(r, 4, texts.cutLength, kCentre, varying ? int(page.zoom * 30.0) : page.height);
    page.text(r, 5, texts.count, kCentre);
    const double hd = page.table.m_tableTextHeight * 10 * page.zoom;
    page.text(r, 6, texts.totalCount, kCentre, varying ? int(hd * 0.7) : page.height);
    page.text(r, 7, QString::asprintf("%.2f", texts.totalLength), kCentre);
    page.text(r, 8, QString::asprintf("%.3f", texts.weight), kCentre);
    page.text(r, 9, texts.remark, kLeft, remarkHeight(texts.remarkBreaks, page.zoom));
    length = texts.totalLength;
    weight = texts.weight;
}

} // namespace

void CVes_SLTable::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (dc && m_curPage > 0)
        fillTable(dc);
}

void CVes_SLTable::fillTable(platform::Dc* dc)
{
    if (!dc || !m_form)
        return;
    const bool printing = dc->IsPrinting() != 0;
    // On the screen the cells follow the page as it was just drawn, the
    // table's zoom included; a printed page is at its own size.
    const double zoom = printing ? 1.0 : m_drawScale;
    PageFill page{*this, *m_form, zoom, int(m_tableTextHeight * 10 * zoom), m_columnNum};
    m_form->setAllCellTxtHigh(page.height);

    m_selLineWeight = 0.0;
    int pieces = -1;  // the element count, not known yet on this page
    double sumLength = 0.0;
    double sumWeight = 0.0;
    int r = 1;
    for (CVes_TableBaseLine* row : std::as_const(m_pageLines)) {
        auto& line = *static_cast<Line*>(row);
        if (!printing)
            highlight(page, r, row);
        if (line.isNull()) {
            ++r;
            continue;
        }
        if (line.getType() == Line::kEleRow) {
            pieces = line.getEleNum();
            fillElement(page, r, line);
        } else if (line.getType() == Line::kEleTypeRow) {
            pieces = 1;
            fillElementType(page, r, line);
        } else {
            if (page.shown(0))
                page.text(r, 0, line.getLocString(), kCentre);
            if (line.isSteelLine()) {
                if (pieces < 1) {
                    // The page starts inside an element: the element row above
                    // it gives the count.
                    auto* element = static_cast<Line*>(getPrvTypeLine(row, Line::kEleRow));
                    pieces = element ? element->getEleNum() : 1;
                }
                double length = 0.0;
                double weight = 0.0;
                fillBar(page, r, line, pieces, length, weight);
                sumLength += length;
                sumWeight += weight;
                if (isSelected(r))
                    m_selLineWeight += weight;
            }
        }
        ++r;
    }

    if (m_pageSummary) {
        page.text(r, 0, QStringLiteral("本页汇总"), kLeft);
        if (page.shown(kColTotalWeight))
            page.text(r, kColTotalWeight, QString::asprintf("%.3f", sumWeight), kCentre);
        if (page.shown(kColTotalLength))
            page.text(r, kColTotalLength, QString::asprintf("%.2f", sumLength), kCentre);
        m_form->setRowBkColor(r, kSummaryColour);
        m_form->setRowDrawBk(r, 1);
    }
    m_form->setCDC(dc);
    m_form->OnDraw(dc);
}
