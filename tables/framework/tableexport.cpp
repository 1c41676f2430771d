// The spreadsheet export every sheet shares (exportWorkbook), and the export
// of every sheet that has no workbook of its own: a workbook from the
// template of the sheet's type, the title block in rows 1 to 4, the rows the
// sheet writes (fillExcel) from row 6, thin borders over the table.

#include "tables/framework/tableexport.h"

#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "platform/hostservices.h"
#include "platform/xlsx/workbook.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>

namespace {

struct ExportTarget {
    unsigned int tableType;
    const char* workbook;
    const char* sheet;
    int lastColumn; // of the bordered table
};

// Workbook template, worksheet and last column of the table by table type.
constexpr ExportTarget kTargets[] = {
    {1, "pld.xlt", "配料单", 11},          // K
    {2, "jgd.xlt", "加工明细单", 9},       // I
    {20, "jgd.xlt", "加工汇总单", 10},     // J, the sheet's last caption
    {3, "ylb.xlt", "钢筋用量明细表", 10},  // J
    {31, "ylb.xlt", "钢筋用量汇总表", 6},  // F
    {32, "ylb.xlt", "钢筋接头汇总表", 6},  // F
    {6, "jhd.xlt", "钢筋进（提）货单", 7}, // G
};

const ExportTarget* targetOf(unsigned int tableType)
{
    for (const ExportTarget& target : kTargets) {
        if (target.tableType == tableType)
            return &target;
    }
    return nullptr;
}

QString nameAndValue(const CVes_Variable& text)
{
    return text.m_text + QStringLiteral("：") + text.m_formula;
}

} // namespace

void exportWorkbook(CVes_TableBase& table, const QString& templateName,
                    const std::vector<ExportedSheet>& sheets, std::size_t shown,
                    const QString& untitledName)
{
    namespace xlsx = platform::xlsx;
    const auto failed = [] {
        platform::showMessage(xlsx::createFailedText(), platform::MessageIcon::Warning);
    };
    xlsx::Workbook book;
    if (!book.openTemplate(templateName))
        return;
    // Every worksheet is found before anything is asked.
    std::vector<xlsx::Worksheet*> targets;
    for (const ExportedSheet& sheet : sheets) {
        targets.push_back(book.sheet(sheet.name));
        if (!targets.back() && !sheet.optional)
            return failed();
    }
    if (shown >= targets.size() || !targets[shown])
        return failed();
    // A fault while filling ends the export as a message, not the program.
    std::atomic<bool> broken{false};
    const auto fillFrom = [&](CVes_TableBase& from, const std::atomic<bool>& cancel) {
        try {
            for (std::size_t i = 0; i < sheets.size() && !cancel; ++i) {
                if (targets[i])
                    sheets[i].fill(from, *targets[i]);
            }
        } catch (const std::exception&) {
            broken = true;
        }
        return !cancel && !broken;
    };
    std::unique_ptr<CVes_TableBase> copy;
    xlsx::WorkbookFill filling;
    filling.take = table.takeWorkerCopy(copy);
    if (filling.take) {
        filling.fill = [&](const std::atomic<bool>& cancel) {
            const bool filled = fillFrom(*copy, cancel);
            // The copy goes with the worker: freeing a long sheet takes long.
            copy.reset();
            return filled;
        };
    } else if (!fillFrom(table, std::atomic<bool>{false})) {
        // A sheet without a working copy is filled as it is, here.
        return failed();
    }
    book.activate(*targets[shown]);
    const QString title = table.m_texts[0].m_formula.trimmed();
    book.show(title.isEmpty() ? untitledName : title, filling);
    if (broken)
        failed();
}

void CVes_TableBase::exportExcel()
{
    namespace xlsx = platform::xlsx;
    // A sheet type without a workbook template cannot be exported.
    const ExportTarget* target = targetOf(getTableType());
    if (!target) {
        platform::showMessage(xlsx::createFailedText(), platform::MessageIcon::Warning);
        return;
    }
    const QString name = QString::fromUtf8(target->sheet);
    const int lastColumn = target->lastColumn;
    exportWorkbook(*this, QString::fromUtf8(target->workbook),
                   {{name, [lastColumn](CVes_TableBase& copy, xlsx::Worksheet& sheet) {
                         copy.fillWorksheet(sheet, lastColumn);
                     }}},
                   0, name);
}

void CVes_TableBase::fillExcelHeading(platform::xlsx::Worksheet& sheet)
{
    sheet.setText(1, 1, m_texts[0].m_formula);
    if (!m_texts[2].m_formula.isEmpty())
        sheet.setText(2, 1, nameAndValue(m_texts[2]));
    sheet.setText(3, 1, nameAndValue(m_texts[3]));
    sheet.setText(4, 1, nameAndValue(m_texts[4]));
}

int CVes_TableBase::fillWorksheet(platform::xlsx::Worksheet& sheet, int lastColumn)
{
    fillExcelHeading(sheet);

    // The borders reach one row below the last row written.
    const int rows = std::max(fillExcel(sheet), 0);
    sheet.setBorders(5, 1, rows + 5, lastColumn);
    sheet.select(u"A6");
    return rows;
}
