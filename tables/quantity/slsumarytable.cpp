#include "tables/quantity/slsumarytable.h"

#include "core/geometry/text.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/tablehelpers.h"

namespace {

using sheetsetup::Column;
using sheetsetup::TitleText;

using sheetsetup::kNone;

constexpr TitleText kTitleTexts[] = {
    {2, "工程名称", " ", 40, 24}, {3, "统计范围", " ", 40, 24}, {4, "统计说明", " ", 40, 24},
    {5, "编制", " ", 30, 0},     {6, "审核", " ", 30, 0},     {7, "编制日期", "  ", 30, 2},
};

constexpr Column kQuantityColumns[] = {
    {"钢筋部位", "Bar Loc", 24, kNone},
    {"序号", "No.", 8, kNone},
    {"钢筋规格", "Diam", 10, kNone},
    {"总长度", "Total Length", 15, CVes_Template::kMetre},
    {"总重量", "Total Weight", 16, CVes_Template::kKilogram},
    {"备注", "Remarks", 30, kNone},
};

constexpr Column kJointColumns[] = {
    {"钢筋部位", "Bar Loc", 20, kNone},
    {"序号", "No.", 10, kNone},
    {"接头类型", "Connect Style", 20, kNone},
    {"接头规格", "Diam", 15, kNone},
    {"接头数量", "Num", 15, kNone},
    {"备注", "Remarks", 20, kNone},
};

} // namespace

CVes_SLSumaryTable::CVes_SLSumaryTable()
    : SummaryTextTable(QStringLiteral("钢筋用量汇总表"), kTitleTexts, kQuantityColumns)
{
}

CVes_SLSumaryTable::~CVes_SLSumaryTable() = default;

std::unique_ptr<CVes_TableBase> CVes_SLSumaryTable::createEmpty() const
{
    return std::make_unique<CVes_SLSumaryTable>();
}

int CVes_SLSumaryTable::fillExcel(platform::xlsx::Worksheet& sheet)
{
    const int unit = m_units.value(kColWeight, kKilogram);
    if (unit != kKilogram) {
        const QString caption = m_captions.value(kColWeight);
        sheet.setText(5, kColWeight + 1,
                      unit == kGram || unit == kTonne ? unitCaption(caption, unit) : caption);
    }
    return SummaryTextTable::fillExcel(sheet);
}

CVes_SLSumaryJTtable::CVes_SLSumaryJTtable()
    : SummaryTextTable(QStringLiteral("钢筋接头类型汇总表"), kTitleTexts, kJointColumns)
{
}

CVes_SLSumaryJTtable::~CVes_SLSumaryJTtable() = default;

std::unique_ptr<CVes_TableBase> CVes_SLSumaryJTtable::createEmpty() const
{
    return std::make_unique<CVes_SLSumaryJTtable>();
}
