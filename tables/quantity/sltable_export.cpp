// The quantity sheet's workbook: the detail worksheet with the values and
// formats of the page drawing and a picture of every bar's shape.

#include "tables/quantity/sltable.h"

#include "platform/dc.h"
#include "platform/hostservices.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/tableexport.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using Line = CVes_SLTableLine;
namespace xlsx = platform::xlsx;

const QString kDetailSheet = QStringLiteral("钢筋用量明细表");
const QString kSummarySheet = QStringLiteral("钢筋用量汇总表");
const QString kJointSheet = QStringLiteral("钢筋接头汇总表");
const QString kSortedSheet = QStringLiteral("钢筋排序表");
constexpr int kDetailLastColumn = 10;  // J
constexpr int kSummaryLastColumn = 6;  // F
constexpr int kSortedLastColumn = 8;   // H

// A worksheet the workbook fills when its template has it, from a sheet the
// working copy builds afresh.
template <class Built>
ExportedSheet derivedSheet(const QString& name, int lastColumn, Built* (CVes_SLTable::*build)(Built*))
{
    return {name,
            [lastColumn, build](CVes_TableBase& copy, xlsx::Worksheet& sheet) {
                const std::unique_ptr<CVes_TableBase> built((static_cast<CVes_SLTable&>(copy).*build)(nullptr));
                built->fillWorksheet(sheet, lastColumn);
            },
            true};
}
constexpr int kFirstDataRow = 6;

} // namespace

int CVes_SLTable::fillExcel(platform::xlsx::Worksheet& sheet)
{
    // A heading whose unit is not the workbook's own gets the column's
    // caption with the unit on a line of its own; a unit the column cannot
    // have leaves the heading empty.
    const auto heading = [&](int column, int cellColumn, int usual,
                             std::initializer_list<int> units) {
        const int unit = m_units.value(column, usual);
        if (unit == usual)
            return;
        const bool known = std::find(units.begin(), units.end(), unit) != units.end();
        sheet.setText(5, cellColumn, known ? unitCaption(m_captions.value(column), unit) : QString());
    };
    heading(kColShape, 4, kMillimetre, {kCentimetre, kMetre});
    heading(kColCutLength, 5, kMillimetre, {kCentimetre, kMetre});
    heading(kColTotalLength, 8, kMetre, {kMillimetre, kCentimetre});
    heading(kColTotalWeight, 9, kKilogram, {kGram, kTonne});

    int c = 1;
    int pieces = 1;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto& line = *static_cast<Line*>(row);
        const int r = c + kFirstDataRow - 1;
        ++c;
        if (line.isNull())
            continue;
        if (line.getType() == Line::kEleTypeRow) {
            sheet.setText(r, 1, QStringLiteral("构件类型：") + line.getEleType());
            pieces = 1;
            continue;
        }
        if (line.getType() == Line::kEleRow) {
            pieces = line.getEleNum();
            QString element = line.getElement();
            element.replace(QLatin1Char('|'), QLatin1Char('\n'));
            sheet.setText(r, 1, QStringLiteral("构件编号：") + element);
            sheet.setText(r, 5, QStringLiteral("件数：") + QString::asprintf("%d件", pieces));
            continue;
        }
        sheet.setText(r, 1, line.getLocString());
        if (!line.isSteelLine())
            continue;
        CVes_Steel& bar = line.m_steel;
        sheet.setText(r, 2, bar.number);
        sheet.setText(r, 3, Steel_GradeDNToExcelString(bar.grade, bar.DN, bar.steelType));
        insertBarPicture(sheet, r, 4, bar);
        // Lengths, counts and weights are numbers a spreadsheet adds up; a
        // graded bar's ranges and groups stay texts.
        const BarTexts texts = barTexts(bar, pieces, true);
        sheet.setValue(r, 5, texts.cutLength);
        sheet.setValue(r, 6, texts.count);
        sheet.setValue(r, 7, texts.totalCount);
        sheet.setValue(r, 8, QString::asprintf("%.2f", texts.totalLength));
        sheet.setValue(r, 9, QString::asprintf("%.3f", texts.weight));
        sheet.setText(r, 10, texts.remark);
    }
    return c;
}

void CVes_SLTable::exportExcel()
{
    const std::vector<ExportedSheet> sheets{
        {kDetailSheet,
         [](CVes_TableBase& copy, xlsx::Worksheet& sheet) { copy.fillWorksheet(sheet, kDetailLastColumn); }},
        derivedSheet(kSummarySheet, kSummaryLastColumn, &CVes_SLTable::SummarySTeel),
        derivedSheet(kJointSheet, kSummaryLastColumn, &CVes_SLTable::SummaryJT),
        derivedSheet(kSortedSheet, kSortedLastColumn, &CVes_SLTable::SortSteel),
    };
    exportWorkbook(*this, QStringLiteral("ylb.xlt"), sheets, 0, kDetailSheet);
}

platform::UiSlices CVes_SLTable::takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const
{
    const std::shared_ptr<RowCopies> rows = rowCopies();
    return [this, rows, &copy] {
        if (!rows->copySome(RowCopies::kSlice))
            return false;
        copy = workingCopy(*rows);
        return true;
    };
}
