#pragma once
// The quantity summary (钢筋用量汇总表) and the joint-type summary
// (钢筋接头类型汇总表): read-only sheets of text rows in six columns that the
// summary builders of the bar list and of the quantity sheet clear and fill.

#include "tables/quantity/summarytexttable.h"

class CVes_SLSumaryTable : public SummaryTextTable {
public:
    static constexpr unsigned int kTableType = 31;
    // Columns of the total length and the total weight; their units follow
    // the source sheet's at every build.
    static constexpr int kColLength = 3;
    static constexpr int kColWeight = 4;

    CVes_SLSumaryTable();
    ~CVes_SLSumaryTable() override;

    unsigned int getTableType() override { return kTableType; }
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    // Also puts the weight unit into the weight caption (row 5) when it is
    // not kilograms.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;
};

class CVes_SLSumaryJTtable : public SummaryTextTable {
public:
    static constexpr unsigned int kTableType = 32;
    static constexpr int kColCount = 4;

    CVes_SLSumaryJTtable();
    ~CVes_SLSumaryJTtable() override;

    unsigned int getTableType() override { return kTableType; }
    std::unique_ptr<CVes_TableBase> createEmpty() const override;

protected:
    // The joint counts.
    bool holdsNumbers(int column) const override { return column == kColCount; }
};
