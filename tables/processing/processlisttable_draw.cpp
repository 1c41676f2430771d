// The pages of the processing sheets: the framework lays out the page and
// gives every row unit a form row; the sheets fill the rows of the current
// page into them. A row of several units (a bar with more than three tags)
// takes as many form rows, its bar's cells merged over them and its tags
// three to a form row. The summary's own rows are laid out here too.

#include "tables/processing/processlisttable.h"

#include "core/geometry/text.h"
#include "core/model/processsteel.h"
#include "platform/dc.h"
#include "platform/saturate.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtablelistline.h"
#include "tables/processing/processtexts.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>

using platform::RGB;

namespace {

constexpr platform::COLORREF kLockedColour = RGB(204, 255, 204);
constexpr platform::COLORREF kSelectedColour = RGB(255, 255, 140);
constexpr platform::COLORREF kCurrentCellColour = RGB(224, 254, 8);
// The columns a current cell may be highlighted in.
constexpr int kLastHighlightColumn = 8;

const QString kListFont = QStringLiteral("宋体");

} // namespace

void CVes_ProcessListTable::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    // The cover is the framework's alone: the page form is not drawn on it.
    if (dc && m_curPage >= 1)
        fillTable(dc);
}

CVes_ProcessListTable::PageContext CVes_ProcessListTable::beginPage(platform::Dc* dc,
                                                                    int shapeColumn,
                                                                    int lengthColumn) const
{
    PageContext page;
    static_cast<LengthUnits&>(page) = lengthUnits(shapeColumn, lengthColumn);
    page.printing = dc->IsPrinting();
    // The cells follow the page as it was just drawn, the fitted scale with
    // the zoom; a printed page is at its own size.
    page.s = page.printing ? 1.0 : m_drawScale;
    page.h = platform::saturatedInt(m_tableTextHeight * 10 * page.s);
    m_form->setAllCellTxtHigh(page.h);
    return page;
}

CVes_ProcessListTable::LengthUnits CVes_ProcessListTable::lengthUnits(int shapeColumn,
                                                                      int lengthColumn) const
{
    LengthUnits units;
    units.shapeUnit = m_units.value(shapeColumn, kMillimetre);
    units.lengthUnit = m_units.value(lengthColumn, kMillimetre);
    units.f0 = transUnit(kMillimetre, units.shapeUnit);
    units.f1 = transUnit(units.shapeUnit, units.lengthUnit);
    return units;
}

namespace {

// A bar row's total length in the shape column's unit.
double totalShapeLength(CVes_ProcessSteel& bar, double toShape)
{
    const double groups = bar.isMultiVal() ? bar.getMultiGroup() : 1;
    const double mean = bar.isMultiVal()
        ? (double(bar.getLength(0, toShape)) + bar.getLength(1, toShape)) / 2
        : bar.getLength(0, toShape);
    return mean * groups * bar.count;
}

} // namespace

CVes_ProcessListTable::RowTotals CVes_ProcessListTable::rowTotals(CVes_ProcessSteel& bar,
                                                                  const LengthUnits& units) const
{
    const double length = totalShapeLength(bar, units.f0)
        * transUnit(units.shapeUnit, m_units.value(kColTotalLength));
    return {QString::asprintf("%.2f", length),
            QString::asprintf("%.1f", shownWeight(barKilograms(bar, units)))};
}

double CVes_ProcessListTable::barKilograms(CVes_ProcessSteel& bar, const LengthUnits& units) const
{
    return totalShapeLength(bar, units.f0) * transUnit(units.shapeUnit, kMetre)
        * barsum::unitWeight(bar.grade, bar.DN);
}

double CVes_ProcessListTable::shownWeight(double kilograms) const
{
    return kilograms * transUnit(kKilogram, m_units.value(kColWeight));
}

void CVes_ProcessListTable::fillBarCells(int r, int gradeColumn, CVes_ProcessSteel& bar,
                                         const PageContext& page)
{
    const auto centred = [&](int c, const QString& text, int height) {
        m_form->setCellText(r, c, text, CVes_Cell::kAlignCentre, height, QPoint(0, 0), kListFont);
    };
    centred(gradeColumn, Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType), page.h);
    m_form->setCellModel(r, gradeColumn + 1, &bar, CVes_Cell::kAlignCentre);
    // A graded bar's two lengths and step take a smaller text.
    centred(gradeColumn + 2, processtext::lengthText(bar, page.f0, page.f1, page.lengthUnit),
            bar.isMultiVal() ? platform::saturatedInt(30 * page.s) : page.h);
    centred(gradeColumn + 3, processtext::countText(bar), page.h);
}

void CVes_ProcessListTable::highlight(int position, int formRow, int rows, bool printing)
{
    if (printing)
        return;
    CVes_TableBaseLine* line = m_pageLines[position - 1];
    for (int r = formRow; r < formRow + rows; ++r) {
        if (line->getLock()) {
            m_form->setRowBkColor(r, kLockedColour);
            m_form->setRowDrawBk(r, 1);
        }
        if (isSelected(position)) {
            m_form->setRowBkColor(r, kSelectedColour);
            m_form->setRowDrawBk(r, 1);
        }
    }
    if (position == m_curRow && m_curCol >= 0 && m_curCol <= kLastHighlightColumn) {
        m_form->setCellBkColor(formRow, m_curCol, kCurrentCellColour);
        m_form->setCellDrawBk(formRow, m_curCol, 1);
    }
}

void CVes_ProcessListTable::fillPageRows(
    const PageContext& page,
    const std::function<void(CVes_ProcessTableListLine&, int, int)>& fill)
{
    m_firstFormRow.clear();
    m_formRows.clear();
    m_selLineWeight = 0.0;
    const int perPage = rowsPerPage();
    int formRow = 1;
    for (qsizetype i = 0; i < m_pageLines.size() && formRow <= perPage; ++i) {
        CVes_TableBaseLine* row = m_pageLines[i];
        auto* line = dynamic_cast<CVes_ProcessTableListLine*>(row);
        const int before = line ? line->getFirstLp() / kTagsPerRow : 0;
        const int units = std::max(row->getRows(), 1) - before;
        const int rows = std::clamp(units, 1, perPage - formRow + 1);
        m_firstFormRow.push_back(formRow);
        m_formRows.push_back(rows);
        highlight(int(i) + 1, formRow, rows, page.printing);
        const bool emptyBar =
            line && line->isSteelLine() && line->getProcessSteel()->isNull();
        if (line && !row->isNull() && !emptyBar) {
            if (line->isSteelLine() && isSelected(int(i) + 1))
                m_selLineWeight += shownWeight(barKilograms(*line->getProcessSteel(), page));
            fill(*line, formRow, rows);
        }
        formRow += rows;
    }
}

void CVes_ProcessListTable::mergeDown(int formRow, int rows, std::initializer_list<int> columns)
{
    if (rows < 2)
        return;
    for (int column : columns)
        m_form->setCellMerge(1, formRow, column, formRow + rows - 1, column);
}

void CVes_ProcessListTable::fillTags(CVes_ProcessTableListLine& line, int formRow, int rows,
                                     int labelColumn, int textColumn, const PageContext& page)
{
    const processtext::TagRows tags =
        processtext::tagRows(*line.getProcessSteel(), line.getFirstLp());
    const int shown = std::min(int(tags.labels.size()), rows);
    for (int k = 0; k < shown; ++k) {
        const int height = k + 1 == shown ? platform::saturatedInt(40 * page.s) : page.h;
        m_form->setCellText(formRow + k, labelColumn, tags.labels[k], CVes_Cell::kAlignLeft, height,
                            QPoint(0, 0), kListFont);
        if (m_showLpText)
            m_form->setCellText(formRow + k, textColumn, tags.texts[k], CVes_Cell::kAlignCentre,
                                height, QPoint(0, 0), kListFont);
    }
}

void CVes_ProcessListTable::finishPage(platform::Dc* dc)
{
    m_form->setCDC(dc);
    m_form->OnDraw(dc);
}

void CVes_ProcessListTable::fillTable(platform::Dc* dc)
{
    if (!dc || !m_form)
        return;
    const PageContext page = beginPage(dc, kColShape, kColLength);
    const auto centred = [&](int r, int c, const QString& text, int height) {
        m_form->setCellText(r, c, text, CVes_Cell::kAlignCentre, height, QPoint(0, 0), kListFont);
    };
    fillPageRows(page, [&](CVes_ProcessTableListLine& line, int r, int rows) {
        if (!line.isSteelLine()) {
            const QStringList* texts = line.getTextArray();
            for (int c = 0; texts && c < texts->size() && c < m_form->GetColumnCount(); ++c)
                m_form->setCellText(r, c, texts->at(c), CVes_Cell::kAlignLeft, page.h,
                                    QPoint(0, 0), kListFont);
            // A caption longer than its narrow column ("弯曲（带拐）钢筋总重")
            // runs on over the blank cells beside it, as in the summaries.
            m_form->spanWideTexts(dc, r);
            return;
        }
        CVes_ProcessSteel& bar = *line.getProcessSteel();
        if (line.getFirstLp() == 0) {
            centred(r, kColPid, QString::asprintf("%d", bar.getPID()), page.h);
            fillBarCells(r, kColGrade, bar, page);
            const RowTotals totals = rowTotals(bar, page);
            if (m_widths.value(kColTotalLength, 0) > 0)
                centred(r, kColTotalLength, totals.length, page.h);
            if (m_widths.value(kColWeight, 0) > 0)
                centred(r, kColWeight, totals.weight, page.h);
            m_form->setCellText(r, kColRemark, remarkText(bar.remark), CVes_Cell::kAlignLeft, page.h,
                                QPoint(0, 0), kListFont);
            mergeDown(r, rows, {kColPid, kColGrade, kColShape, kColLength, kColCount,
                                kColTotalLength, kColWeight, kColRemark});
        }
        fillTags(line, r, rows, kColTags, kColTagTexts, page);
    });
    finishPage(dc);
}
