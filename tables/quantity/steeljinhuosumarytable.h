#pragma once
// The purchase summary (钢筋进（提）货单): per bar size the total length, the
// raw-stock length and count to order and the weight. A read-only sheet of
// text rows in seven columns that the bar list's purchase builder fills;
// the total-length column is hidden (width 0). Its heading names the
// delivery note's number (text 1, top right) and project (text 3), the two
// texts the builder fills by itself.

#include "tables/quantity/summarytexttable.h"

class CVes_SteelJinHuoSumaryTable : public SummaryTextTable {
public:
    static constexpr unsigned int kTableType = 6;
    static constexpr int kColLength = 2;
    static constexpr int kColStockLength = 3;
    static constexpr int kColWeight = 5;

    CVes_SteelJinHuoSumaryTable();
    ~CVes_SteelJinHuoSumaryTable() override;

    unsigned int getTableType() override { return kTableType; }
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    // The title, then each named heading text (the number, the project)
    // with its name, one a row.
    void fillExcelHeading(platform::xlsx::Worksheet& sheet) override;

protected:
    // Every column centred.
    unsigned int firstColumnAlign() const override;
    // The texts without their "%%" (a grade escape keeps its letter).
    QString excelText(const QString& text) const override;
};
