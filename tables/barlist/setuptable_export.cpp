// The bar list's workbook: the list itself with a picture of every bar's
// shape, then the sorted sheet, the bar summary and the joint summary, each
// sheet with the title block in rows 1 to 4 and the table bordered from row
// 5. The workbook is shown to the user and not kept; a failure is a message.

#include "tables/barlist/setuptable.h"

#include "platform/dc.h"
#include "platform/hostservices.h"
#include "platform/saturate.h"
#include "platform/xlsx/workbook.h"
#include "tables/barlist/bartexts.h"
#include "tables/framework/counttext.h"
#include "tables/framework/tableexport.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace xlsx = platform::xlsx;

namespace {

using Line = CVes_SetupTableLine;

// Workbook columns (1-based) of the bar list's sheet.
constexpr int kXlNumber = 1;
constexpr int kXlGrade = 2;
constexpr int kXlSpacing = 3;
constexpr int kXlShape = 5;
constexpr int kXlCutLength = 6;
constexpr int kXlCount = 7;
constexpr int kXlTotalCount = 8;
constexpr int kXlTotalLength = 9;
constexpr int kXlTotalWeight = 10;
constexpr int kXlRemark = 11;
constexpr int kXlLastColumn = 11; // K

const QString kBarListSheet = QStringLiteral("配料单");

// Each derived sheet is built afresh from the list and writes its rows with
// its own fillExcel.
std::unique_ptr<CVes_TableBase> sortedSheet(CVes_SetupTable& list)
{
    auto sheet = std::make_unique<CVes_SortBarSheet>();
    list.SortSteel(sheet.get(), CVes_HuizongRules::kAllBars);
    return sheet;
}

std::unique_ptr<CVes_TableBase> barSummarySheet(CVes_SetupTable& list)
{
    auto sheet = std::make_unique<CVes_SLSumaryTable>();
    CVes_SetupTable::nameBarSummary(*sheet);
    list.SummarySTeel(sheet.get(), CVes_HuizongRules::kAllBars);
    return sheet;
}

std::unique_ptr<CVes_TableBase> jointSummarySheet(CVes_SetupTable& list)
{
    auto sheet = std::make_unique<CVes_SLSumaryJTtable>();
    list.SummaryJT(sheet.get());
    return sheet;
}

struct DerivedSheet {
    const char* name;
    int lastColumn;
    std::unique_ptr<CVes_TableBase> (*build)(CVes_SetupTable&);
};

constexpr DerivedSheet kDerivedSheets[] = {
    {"钢筋排序表", 8, sortedSheet},        // H
    {"钢筋汇总表", 6, barSummarySheet},    // F
    {"钢筋接头汇总表", 6, jointSummarySheet}, // F
};

// A caption of row 5 that gets the unit of its column when that is not the
// template's own (mm for lengths, kg for weights).
void writeUnitCaption(xlsx::Worksheet& sheet, const CVes_SetupTable& list, int column,
                      int xlColumn)
{
    const int unit = list.m_units.value(column, CVes_Template::kNoUnit);
    const bool own = column == CVes_SetupTable::kColTotalWeight
        ? unit == CVes_Template::kGram || unit == CVes_Template::kTonne
        : unit == CVes_Template::kCentimetre || unit == CVes_Template::kMetre;
    if (own)
        sheet.setText(5, xlColumn, unitCaption(list.m_captions.value(column), unit));
}

QString cutLengthText(const CVes_Steel& bar, const barlist::BarLengths& lengths,
                      const barlist::ColumnFactors& f)
{
    const bool metres = f.cutUnit == CVes_Template::kMetre;
    if (bar.isMultiVal()) {
        const int perGroup = bar.getMultiGroup();
        const double from = lengths.first * f.cutFactor;
        const double to = lengths.last * f.cutFactor;
        const double step = perGroup > 1 ? std::fabs(to - from) / (perGroup - 1) : 0.0;
        return lengthtext::rangeText(from, to, step, metres);
    }
    return lengthtext::number(double(lengths.first) * f.cutFactor, metres);
}

// The bar's variables refreshed from the table, as a page drawing does
// (the list keeps them): a row of another page that already had them stays
// shared with the undo snapshots.
void refreshBar(CVes_SetupTableLine& line, const CVes_SetupTable& list,
                const barlist::ColumnFactors& f)
{
    CVes_TableBase::changeRow(&line, [&] {
        line.m_steel.setVarHigh(list.m_shapeTextHeight);
        barlist::refreshAnchorage(list, line.m_steel, f);
    });
}

void writeBarRow(xlsx::Worksheet& sheet, int row, CVes_Steel& bar, int pieces,
                 const barlist::ColumnFactors& f)
{
    sheet.setText(row, kXlNumber, bar.number);
    sheet.setText(row, kXlGrade, Steel_GradeDNToExcelString(bar.grade, bar.DN, bar.steelType));
    sheet.setText(row, kXlSpacing, barlist::spacingText(bar));
    insertBarPicture(sheet, row, kXlShape, bar);
    // Lengths, counts and weights are numbers a spreadsheet adds up; a
    // graded bar's ranges and groups stay texts.
    const barlist::BarLengths lengths = barlist::barLengths(bar, f);
    sheet.setValue(row, kXlCutLength, cutLengthText(bar, lengths, f));
    const int total = platform::saturatedMul(bar.count, pieces);
    if (bar.isMultiVal()) {
        sheet.setText(row, kXlCount, counttext::grouped(bar.getMultiGroup(), bar.count));
        sheet.setText(row, kXlTotalCount, counttext::grouped(bar.getMultiGroup(), total));
    } else {
        sheet.setNumber(row, kXlCount, bar.count, 0);
        sheet.setNumber(row, kXlTotalCount, total, 0);
    }
    const barlist::BarQuantity q = barlist::barQuantity(bar, lengths, pieces, f);
    sheet.setValue(row, kXlTotalLength, QString::asprintf("%.2f", q.shownLength));
    sheet.setValue(row, kXlTotalWeight, QString::asprintf("%.3f", q.weight));
    sheet.setText(row, kXlRemark, remarkText(bar.remark));
}

} // namespace

int CVes_SetupTable::fillExcel(xlsx::Worksheet& sheet)
{
    writeUnitCaption(sheet, *this, kColShape, kXlShape);
    writeUnitCaption(sheet, *this, kColCutLength, kXlCutLength);
    writeUnitCaption(sheet, *this, kColTotalLength, kXlTotalLength);
    writeUnitCaption(sheet, *this, kColTotalWeight, kXlTotalWeight);

    const barlist::ColumnFactors factors = barlist::ColumnFactors::of(*this);
    int counter = 1;
    int pieces = -1;
    for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
        auto& line = static_cast<Line&>(*base);
        const int row = counter + 5;
        ++counter;
        if (line.isNull())
            continue;
        switch (line.getType()) {
        case Line::kUnitLine: sheet.setText(row, 1, barlist::unitLineText(*this, line)); break;
        case Line::kElementLine:
            pieces = line.getEleNum();
            sheet.setText(row, 1, QStringLiteral("构件编号："));
            sheet.setText(row, 3, line.getElement());
            sheet.setText(row, 6, QStringLiteral("件数："));
            sheet.setText(row, 7, QStringLiteral("%1件").arg(pieces));
            break;
        case Line::kSteelLine:
            if (pieces < 1)
                pieces = piecesBefore(&line);
            refreshBar(line, *this, factors);
            writeBarRow(sheet, row, line.m_steel, pieces, factors);
            break;
        default: break;
        }
    }
    return counter;
}

void CVes_SetupTable::exportExcel()
{
    // The sorted sheet and the bar summary are made of all bars, as the
    // list's summaries are from now on.
    m_huizong.m_mode = CVes_HuizongRules::kAllBars;
    std::vector<ExportedSheet> sheets{{kBarListSheet, [](CVes_TableBase& copy, xlsx::Worksheet& sheet) {
        auto& list = static_cast<CVes_SetupTable&>(copy);
        list.fillWorksheet(sheet, kXlLastColumn);
        // The list's own sheet leaves out each title text without a value.
        for (int i = 2; i <= 4; ++i)
            if (list.m_texts[std::size_t(i)].m_formula.trimmed().isEmpty())
                sheet.clear(i, 1);
    }}};
    for (const DerivedSheet& derived : kDerivedSheets) {
        sheets.push_back({QString::fromUtf8(derived.name), [&derived](CVes_TableBase& copy, xlsx::Worksheet& sheet) {
            derived.build(static_cast<CVes_SetupTable&>(copy))->fillWorksheet(sheet, derived.lastColumn);
        }});
    }
    exportWorkbook(*this, QStringLiteral("pld.xlt"), sheets, 0, kBarListSheet);
}

platform::UiSlices CVes_SetupTable::takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const
{
    const auto list = std::make_shared<std::unique_ptr<CVes_SetupTable>>();
    const platform::UiSlices take = takeWorkingCopy(*list);
    return [take, list, &copy] {
        if (!take())
            return false;
        copy = std::move(*list);
        return true;
    };
}
