#pragma once
// One run of the optimised cutting list, in steps that may run apart: the
// pieces of the bar list gathered into groups of one bar size (on the thread
// that owns the bar list, which also gets raw-stock records for every size
// it holds), the size to cut chosen, the cutting itself (on any thread: it
// reads nothing but its own data, and can be cancelled), and the rows
// written into the cutting list (back on the list's thread).

#include "core/model/optimize.h"
#include "envora/steelyuancaidata.h"
#include "tables/framework/tablebase.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

class CVes_YouhuaDuanLiaoTable;

class CuttingJob {
public:
    // The pieces of a run of processing bars of one grade, diameter and type.
    struct Group {
        int grade = 0;
        float diameter = 0.0f;
        int type = 0;
        std::vector<CVes_OptimizeUnit> pieces;
    };
    // One group of the chosen size with the stock it is cut from, and what
    // the cutting made of it.
    struct Run {
        Group group;
        CVes_SteelYuanCai stock;
        std::vector<CVes_OptimizeCombine> patterns;
        OptimizeReport report;
    };

    // The user's raw-stock file ("KUCUN.xml"), the second place stock is
    // looked up in after the list's own.
    void setStockFile(CVes_SteelYuanCaiDataLib stockFile) { m_stockFile = std::move(stockFile); }
    // Groups the processing bars of `processLines` (processing summary rows,
    // in order) by size; a bar of no length is left out. Every size missing
    // from `own` gets a record there: the stock file's, or an unpriced 12 m
    // one. `shapeUnit` is the unit of the bar list's shape column.
    void gather(const TableLineList& processLines, int shapeUnit, CVes_SteelYuanCaiDataLib& own);
    // Keeps the groups of the grade and a diameter within 0.1 mm (any type),
    // each with its stock length: the list's own record, else the stock
    // file's, else 12 m. Coiled stock is not cut: those groups are kept
    // apart, to be named as left out.
    void choose(int grade, float diameter, const CVes_SteelYuanCaiDataLib& own);
    // The size to propose for cutting: `grade` and `diameter` as they are
    // when the groups hold bars of that size cut from stock bars, else the
    // first such size of the groups. False, and both untouched, when no
    // group is cut from stock bars.
    bool proposeSize(int& grade, float& diameter, const CVes_SteelYuanCaiDataLib& own) const;
    // Cuts every run in turn; `progress` hears (runs done, runs) before each
    // run and at the end. Setting `*cancel` stops the work soon after; the
    // answer is then false and the runs are to be dropped.
    bool cut(const std::atomic<bool>* cancel = nullptr,
             const std::function<void(int, int)>& progress = {});
    // The note of the size and, per run, its patterns, a total row and a
    // row for every piece the run left out; then a row for every piece of
    // the size on coiled stock. The table remembers the size.
    void fill(CVes_YouhuaDuanLiaoTable& table) const;
    // What a run could not cut, one line per problem, and the sizes on
    // coiled stock.
    QStringList problems() const;

    const std::vector<Group>& groups() const { return m_groups; }
    const std::vector<Run>& runs() const { return m_runs; }
    int grade() const { return m_grade; }
    float diameter() const { return m_diameter; }

private:
    // The stock bar length a group is cut from: the list's own record, else
    // the stock file's, else 12 m; negative for coiled stock.
    int stockLength(const Group& group, const CVes_SteelYuanCaiDataLib& own) const;

    CVes_SteelYuanCaiDataLib m_stockFile;
    std::vector<Group> m_groups;
    std::vector<Run> m_runs;
    std::vector<Group> m_coiled;
    int m_grade = 2;
    float m_diameter = 20.0f;
};
