#include "tables/quantity/steeljinhuosumarytable.h"

#include "tables/framework/cell.h"
#include "platform/xlsx/workbook.h"

namespace {

using sheetsetup::Column;
using sheetsetup::TitleText;

using sheetsetup::kNone;

// Text 1 is the note's number, set at the top right above the title; text
// 3 its project. Texts 2 and 4 (the customer and the delivery time) have no
// place on the page.
constexpr TitleText kPurchaseTitleTexts[] = {
    {1, "单号", " ", 40, 2},   {2, "", " ", 40, 24},     {3, "工程情况", " ", 40, 24},
    {4, "", " ", 40, 24},       {5, "录入", " ", 30, 0},  {6, "校对", " ", 30, 0},
    {7, "日期", "  ", 30, 2},
};

constexpr Column kPurchaseColumns[] = {
    {"序号", "No.", 10, kNone},
    {"钢筋规格", "Diam", 15, kNone},
    {"总长度", "Total Length", 0, CVes_Template::kMetre},
    {"原材定尺", "Material Length", 15, CVes_Template::kMetre},
    {"原材数量", "Material num", 15, kNone},
    {"总重量", "Total Weight", 22, CVes_Template::kKilogram},
    {"备注", "Remarks", 22, kNone},
};

} // namespace

CVes_SteelJinHuoSumaryTable::CVes_SteelJinHuoSumaryTable()
    : SummaryTextTable(QStringLiteral("钢筋进（提）货单"), kPurchaseTitleTexts, kPurchaseColumns)
{
}

CVes_SteelJinHuoSumaryTable::~CVes_SteelJinHuoSumaryTable() = default;

std::unique_ptr<CVes_TableBase> CVes_SteelJinHuoSumaryTable::createEmpty() const
{
    return std::make_unique<CVes_SteelJinHuoSumaryTable>();
}

unsigned int CVes_SteelJinHuoSumaryTable::firstColumnAlign() const
{
    return CVes_Cell::kAlignCentre;
}

void CVes_SteelJinHuoSumaryTable::fillExcelHeading(platform::xlsx::Worksheet& sheet)
{
    sheet.setText(1, 1, m_texts[0].m_formula);
    int row = 2;
    for (int i = 1; i <= 4; ++i) {
        const CVes_Variable& text = m_texts[std::size_t(i)];
        if (!text.m_text.isEmpty())
            sheet.setText(row++, 1, text.m_text + QStringLiteral("：") + text.m_formula.trimmed());
    }
}

QString CVes_SteelJinHuoSumaryTable::excelText(const QString& text) const
{
    return QString(text).remove(QStringLiteral("%%"));
}
