#pragma once
// The sorted and merged bar table (钢筋规格排序表): the bars of a bar list or
// quantity sheet that pass its grade, diameter and bar-kind filters, equal
// bars merged when asked, ordered by diameter, length or bends, then one
// subtotal row per bar size and the total weight. A read-only derived sheet:
// a producer copies its rules in, adds its bars and lets it sort.
//
// Sorting reads nothing shared: the order comes from the sheet's own rules,
// so sheets may be sorted on several threads at once, each by one thread.

#include "tables/framework/tablebaseline.h"
#include "tables/quantity/rulessheet.h"

#include "core/model/barcore.h"
#include "core/model/samebarindex.h"

#include <QStringList>

#include <memory>
#include <vector>

class CVes_Steel;

// A row: a bar, or a row of cell texts (subtotals, merge notes).
class CVes_SortBarSheetLine : public CVes_TableBaseLine {
public:
    CVes_SortBarSheetLine() = default;
    explicit CVes_SortBarSheetLine(const CVes_BarCore& bar);
    explicit CVes_SortBarSheetLine(const QStringList& texts);

    CVes_BarCore* getSteel() override { return m_isString ? nullptr : &m_steel; }
    int isSteelLine() override { return m_isString ? 0 : 1; }
    void setSteel(const CVes_Steel* bar);
    // Makes the row a text row holding the texts.
    void setStringArray(const QStringList& texts);
    // The rows' bars in the bar order of the current process-wide sort mode.
    bool lessthan(CVes_TableBaseLine* const& other) const override;
    bool operator<(const CVes_SortBarSheetLine& other) const;
    bool isUp(const CVes_SortBarSheetLine& other) const { return *this < other; }

    CVes_BarCore m_steel;
    QStringList m_strArray;
    int m_isString = 0;
};

class CVes_SortBarSheet : public RulesSheet {
public:
    static constexpr int kColNumber = 0;
    static constexpr int kColSize = 1;
    static constexpr int kColShape = 2;
    static constexpr int kColCutLength = 3;
    static constexpr int kColCount = 4;
    static constexpr int kColTotalLength = 5;
    static constexpr int kColWeight = 6;
    static constexpr int kColRemark = 7;
    static constexpr int kColumnCount = 8;

    // The first cell of the row that shows where merged bars came from.
    static const QString kMergeInfo;  // "归并信息"

    static std::unique_ptr<CVes_TableBase> CreateObject();

    CVes_SortBarSheet();
    ~CVes_SortBarSheet() override;

    std::unique_ptr<CVes_TableBase> createEmpty() const override;

    // Appends a copy of the bar unless a filter of the rules drops it; with
    // merging on, an equal bar already in the list takes its count instead.
    void Add(CVes_BarCore* bar);
    // Appends a text row at the end of the rows.
    void Add(const QStringList& texts);
    // Empties the bar list (the rows stay until the next sortSteel).
    void clearBars()
    {
        m_barList.clear();
        forgetSameBars();
    }
    const std::vector<std::unique_ptr<CVes_BarCore>>& bars() const { return m_barList; }

    // Orders the bar list by the rules and rebuilds every row: the bars, the
    // merge notes, the subtotals by bar size and the total weight.
    void sortSteel();
    // Recounts the bends of every bar of the list.
    void CalSteelZheshu();
    // The sort mode the rules give (the bar model's sort bits).
    static unsigned int sortKey(const CVes_SortRules& rules);

    void Amount() override {}
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // The rows from sheet row 6, bar shapes as pictures; the captions of row
    // 5 name the units that differ from the template's. Answers the row
    // count + 1.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

    // The sort view's options besides the rules sheet's; none re-sorts by
    // itself.
    void sortZheshu() { m_rules.m_sortZheshu = m_rules.m_sortZheshu ? 0 : 1; }

    // The texts of a bar row as drawn and exported, by column.
    struct BarTexts {
        QString cutLength;
        QString count;
        QString totalLength;
        QString weight;
        QString remark;
        bool graded = false;
        bool badLength = false;
    };
    BarTexts barTexts(CVes_BarCore& bar) const;

    std::vector<std::unique_ptr<CVes_BarCore>> m_barList;

private:
    bool passes(CVes_BarCore& bar) const;
    // The bar of the list that a new bar of that merging key merges into,
    // or null; every bar of the list is indexed after.
    CVes_BarCore* sameBar(CVes_BarCore& bar, const SameBarIndex::Key& key);
    void forgetSameBars()
    {
        m_sameBars.clear();
        m_indexedBars = 0;
    }
    // The bar's total length in the unit of the total-length column; a
    // graded bar's stored length becomes its first length, a computed bar's
    // its computed length.
    double totalLength(CVes_BarCore& bar) const;
    // A bar's total length from its cut length in the cut-length column's unit.
    double totalOfCut(const CVes_BarCore& bar, double cut) const;
    // A bar's first (0) or last (1) computed length in the unit of the
    // cut-length column.
    double lengthOf(CVes_BarCore& bar, unsigned int which) const;
    // A bar's cut length in the unit of the cut-length column; a computed
    // bar's stored length becomes it.
    double cutLength(CVes_BarCore& bar) const;
    double weightOf(const CVes_BarCore& bar, double total) const;
    void appendSubtotals(const std::vector<CVes_BarCore>& sizes, const std::vector<double>& totals);
    void drawBarRow(CVes_Form& form, int k, CVes_SortBarSheetLine& row, int height, bool screen);
    void drawTextRow(CVes_Form& form, int k, const CVes_SortBarSheetLine& row, int height);

    // The bars of the list by what merging compares, for the first
    // m_indexedBars bars in their present order.
    SameBarIndex m_sameBars;
    std::size_t m_indexedBars = 0;
};
