// The spreadsheet export of a processing sheet: the sheet itself into the
// worksheet "加工明细单" and its summary into "加工汇总单" of one workbook made
// from the template "jgd.xlt", every row of both (not one page), with a
// picture of each bar's shape, handed to the workbook from memory.

#include "tables/processing/processtable.h"

#include "core/geometry/steeltext.h"
#include "core/model/processsteel.h"
#include "platform/hostservices.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/tableexport.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtableeditline.h"
#include "tables/processing/processtexts.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

namespace xlsx = platform::xlsx;
using EditLine = CVes_ProcessTableEditLine;
using ListLine = CVes_ProcessTableListLine;
using List = CVes_ProcessListTable;

// Spreadsheet columns of the two worksheets.
enum DetailColumn { kA = 1, kB, kC, kD, kE, kF, kG, kH, kI, kJ };

// The summary worksheet's column of each column of the summary's page: its
// total length and weight come last, after the columns the detail sheet has
// as well.
constexpr int kSummaryColumn[List::kColumnCount] = {kA, kB, kC, kD, kE, kI, kJ, kF, kG, kH};

// The caption of row 5 with the column's unit when it is not millimetres;
// empty for a unit a length cannot have.
void lengthCaption(xlsx::Worksheet& sheet, int column, const QString& caption, int unit)
{
    if (unit == CVes_Template::kMillimetre)
        return;
    const bool length = unit == CVes_Template::kMetre || unit == CVes_Template::kCentimetre;
    sheet.setText(5, column, length ? unitCaption(caption, unit) : QString());
}

QString headingCell(const EditLine& line)
{
    switch (line.getType()) {
    case EditLine::kProjectRow:
        return QStringLiteral("工程名称：") + line.getProject();
    case EditLine::kStoryRow:
        return QStringLiteral("所在层号：") + line.getStory();
    case EditLine::kEleTypeRow:
        return QStringLiteral("构件类型：") + line.getEleType();
    default: {
        QString element = line.getEle();
        return QStringLiteral("构件编号：") + element.replace(u'|', u'\n');
    }
    }
}

// The rows without the empty rows at the end, which only fill the last page
// shown: the workbook holds the same rows whichever page is on the screen.
TableLineList contentRows(const TableLineList& rows)
{
    qsizetype n = rows.size();
    while (n > 0 && rows[n - 1]->isNull())
        --n;
    return rows.first(n);
}

// The texts of a row of the summary's totals into worksheet row `at`:
// numbers as numbers, the grade as a spreadsheet writes it.
void writeTotalsRow(xlsx::Worksheet& sheet, int at, const QStringList& texts)
{
    for (int c = 0; c < std::min(int(texts.size()), List::kColumnCount); ++c) {
        QString text = texts[c];
        if (text.isEmpty())
            continue;
        if (c == List::kColTotalLength || c == List::kColWeight) {
            sheet.setValue(at, kSummaryColumn[c], text);
            continue;
        }
        if (c == List::kColGrade)
            Steel_ReplaceTableStringToExcelString(text);
        sheet.setText(at, kSummaryColumn[c], text);
    }
    // A caption ("弯曲（带拐）钢筋合计") runs on over the blank cells beside it,
    // as on the page.
    sheet.spanWideText(at, kA, kH);
}

} // namespace

void CVes_ProcessTable::exportExcel()
{
    const QString detail = QStringLiteral("加工明细单");
    const std::vector<ExportedSheet> sheets{
        {detail, [](CVes_TableBase& copy, xlsx::Worksheet& sheet) { copy.fillWorksheet(sheet, kI); }},
        {QStringLiteral("加工汇总单"),
         [](CVes_TableBase& copy, xlsx::Worksheet& sheet) {
             const std::unique_ptr<List> list(static_cast<CVes_ProcessTable&>(copy).toListSheet(nullptr));
             list->fillWorksheet(sheet, kJ);
         }},
    };
    exportWorkbook(*this, QStringLiteral("jgd.xlt"), sheets, 1, detail);
}

void CVes_ProcessTable::copyWorkerState(CVes_TableBase& to) const
{
    CVes_ProcessListTable::copyWorkerState(to);
    auto& sheet = static_cast<CVes_ProcessTable&>(to);
    sheet.m_liaoPaiType = m_liaoPaiType;
    sheet.m_liaoPaiDirect = m_liaoPaiDirect;
}

RowCopier CVes_ProcessTable::workerRowCopier() const
{
    return [](const CVes_TableBaseLine& row) -> std::unique_ptr<CVes_TableBaseLine> {
        return copyOf(row, true);
    };
}

void CVes_ProcessListTable::copyWorkerState(CVes_TableBase& to) const
{
    auto& sheet = static_cast<CVes_ProcessListTable&>(to);
    sheet.m_showLpText = m_showLpText;
    sheet.m_sortOrder = m_sortOrder;
    sheet.m_reserved = m_reserved;
    sheet.m_filter = m_filter;
}

RowCopier CVes_ProcessListTable::workerRowCopier() const
{
    return [](const CVes_TableBaseLine& row) -> std::unique_ptr<CVes_TableBaseLine> {
        auto copy = std::make_unique<ListLine>();
        if (const auto* line = dynamic_cast<const ListLine*>(&row)) {
            static_cast<CVes_TableBaseLine&>(*copy) = *line;
            copy->m_firstLp = line->m_firstLp;
            copy->m_arrText = line->m_arrText;
            copy->m_steel = line->m_steel;
        }
        return copy;
    };
}

int CVes_ProcessTable::fillExcel(xlsx::Worksheet& sheet)
{
    const LengthUnits units = lengthUnits(kColShape, kColLength);
    lengthCaption(sheet, kD, m_captions.value(kColShape), units.shapeUnit);
    lengthCaption(sheet, kE, m_captions.value(kColLength), units.lengthUnit);

    int c = 1;
    for (CVes_TableBaseLine* row : contentRows(m_lines)) {
        auto* line = dynamic_cast<EditLine*>(row);
        const int at = c + 5;
        if (line && !line->isNull() && line->getType() != EditLine::kSteelRow)
            sheet.setText(at, kA, headingCell(*line));
        if (!line || line->isNull() || line->getType() != EditLine::kSteelRow
            || line->getProcessSteel()->isNull()) {
            ++c;
            continue;
        }
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        sheet.setText(at, kB, bar.number);
        sheet.setText(at, kC, Steel_GradeDNToExcelString(bar.grade, bar.DN, bar.steelType));
        sheet.setValue(at, kE, processtext::lengthText(bar, units.f0, units.f1, units.lengthUnit));
        sheet.setValue(at, kF, processtext::countText(bar));
        sheet.setText(at, kI, remarkText(bar.remark));
        insertBarPicture(sheet, at, kD, bar);
        const processtext::TagRows tags = processtext::tagRows(bar, 0);
        for (int k = 0; k < tags.labels.size(); ++k) {
            sheet.setText(at + k, kG, tags.labels[k]);
            if (m_showLpText)
                sheet.setText(at + k, kH, tags.texts[k]);
        }
        c += std::max(int(tags.labels.size()), 1);
    }
    return c;
}

int CVes_ProcessListTable::fillExcel(xlsx::Worksheet& sheet)
{
    const LengthUnits units = lengthUnits(kColShape, kColLength);
    for (const int column : {kColTotalLength, kColWeight}) {
        sheet.setText(5, kSummaryColumn[column],
                      unitCaption(m_captions.value(column), m_units.value(column)));
    }

    int c = 1;
    for (CVes_TableBaseLine* row : contentRows(m_lines)) {
        auto* line = dynamic_cast<ListLine*>(row);
        const int at = c++ + 5;
        if (!line || line->isNull())
            continue;
        // The totals by size and kind under the bars, as the page has them.
        if (!line->isSteelLine()) {
            if (const QStringList* texts = line->getTextArray())
                writeTotalsRow(sheet, at, *texts);
            continue;
        }
        if (line->getProcessSteel()->isNull())
            continue;
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        sheet.setText(at, kA, QString::asprintf("%d", bar.getPID()));
        sheet.setText(at, kB, Steel_GradeDNToExcelString(bar.grade, bar.DN, bar.steelType));
        sheet.setValue(at, kD, processtext::lengthText(bar, units.f0, units.f1, units.lengthUnit));
        sheet.setValue(at, kE, processtext::countText(bar));
        const RowTotals totals = rowTotals(bar, units);
        sheet.setValue(at, kSummaryColumn[kColTotalLength], totals.length);
        sheet.setValue(at, kSummaryColumn[kColWeight], totals.weight);
        sheet.setText(at, kH, remarkText(bar.remark));
        insertBarPicture(sheet, at, kC, bar, 120);
        const processtext::TagRows tags = processtext::tagRows(bar, 0);
        sheet.setText(at, kF, tags.labels.join(u'\n'));
        if (m_showLpText)
            sheet.setText(at, kG, tags.texts.join(u'\n'));
    }
    return c;
}
