// The spreadsheet export of every sheet that has no export of its own: a
// workbook from the template of the sheet's type, the title block in rows 1
// to 4, the rows the sheet writes (fillExcel) from row 6, thin borders over
// the table, then the workbook is shown to the user. Nothing is kept: the
// user saves the workbook in the spreadsheet program.

#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "platform/hostservices.h"
#include "platform/xlsx/workbook.h"

#include <algorithm>

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

void CVes_TableBase::exportExcel()
{
    namespace xlsx = platform::xlsx;
    // A sheet type without a workbook template cannot be exported.
    const ExportTarget* target = targetOf(getTableType());
    if (!target) {
        platform::showMessage(xlsx::createFailedText(), platform::MessageIcon::Warning);
        return;
    }

    xlsx::Workbook book;
    if (!book.openTemplate(QString::fromUtf8(target->workbook)))
        return;
    xlsx::Worksheet* sheet = book.sheet(QString::fromUtf8(target->sheet));
    if (!sheet) {
        platform::showMessage(xlsx::createFailedText(), platform::MessageIcon::Warning);
        return;
    }

    fillWorksheet(*sheet, target->lastColumn);
    book.activate(*sheet);
    const QString title = m_texts[0].m_formula.trimmed();
    book.show(title.isEmpty() ? sheet->name() : title);
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
