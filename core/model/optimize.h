#pragma once
// Cutting optimisation: decides how the pieces of a job are cut from stock
// bars. A pattern (CVes_OptimizeCombine) is one stock bar kind with the pieces
// cut from it and the number of stock bars cut that way.

#include "core/model/steelyuancai.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

// One piece to cut: a length and how many of it; `id` names the source row
// (the processing id), `flag` marks a bent piece with "√" in the texts.
class CVes_OptimizeUnit {
public:
    CVes_OptimizeUnit() = default;
    CVes_OptimizeUnit(int length, int count) : count(count), length(length) {}
    CVes_OptimizeUnit(int length, int count, int flag, int id)
        : id(id), count(count), length(length), flag(flag) {}
    CVes_OptimizeUnit(const CVes_OptimizeUnit&) = default;
    CVes_OptimizeUnit& operator=(const CVes_OptimizeUnit&) = default;
    virtual ~CVes_OptimizeUnit() = default;

    void AddOne() { ++count; }
    double getTotalLen() const { return double(length) * count; }

    // The same piece kind: equal source row and length.
    bool isSamePiece(const CVes_OptimizeUnit& other) const
    {
        return id == other.id && length == other.length;
    }

    int id = 0;
    int count = 0;
    int length = 0;  // mm
    int flag = 0;
};

// A piece as the cutting list shows it: "3.45×2", a line break and its
// processing number in brackets, with "√" for a bent bar.
QString optimizePieceText(const CVes_OptimizeUnit& piece);

// The pieces of one bar size, gathered by the cutting list before it cuts
// them: the size (diameter, bar type, grade) and its pieces.
class CVes_OptimizeUnitlib {
public:
    CVes_OptimizeUnitlib() = default;
    CVes_OptimizeUnitlib(const CVes_OptimizeUnitlib&) = default;
    CVes_OptimizeUnitlib& operator=(const CVes_OptimizeUnitlib&) = default;
    virtual ~CVes_OptimizeUnitlib() = default;

    void addUnit(int length, int count, int flag, int id);
    void clearUnit();

    int DN = 0;
    int steelType = 0;
    int grade = 0;
    std::vector<CVes_OptimizeUnit> units;
};

// A cutting pattern: the pieces cut from one stock bar (with per-bar counts)
// and how many stock bars are cut with it.
class CVes_OptimizeCombine {
public:
    CVes_OptimizeCombine() = default;
    CVes_OptimizeCombine(const CVes_OptimizeCombine&) = default;
    CVes_OptimizeCombine& operator=(const CVes_OptimizeCombine&) = default;
    virtual ~CVes_OptimizeCombine() = default;

    void set(const CVes_OptimizeCombine& other) { *this = other; }

    // The length cut from one stock bar; also kept in `cutLength`.
    int getlistXLlen() const;
    // The remainder of one stock bar.
    int getlistSLlen() const;

    // Adds one more of `piece` when it fits into the remainder; 0 when it
    // does not (nothing changes), else 1.
    int addUnit(const CVes_OptimizeUnit& piece);
    // Adds one more of `piece`, known to fit: to the first piece of its kind
    // (same id and length) when there is one, else as a copy at the end.
    void addFitting(const CVes_OptimizeUnit& piece);

    // Takes the pattern's pieces, `useCount` times, out of `list` (each from
    // the first entry of the same kind); releaseNum gives them back.
    void collectNum(std::vector<CVes_OptimizeUnit>& list) const;
    void releaseNum(std::vector<CVes_OptimizeUnit>& list) const;
    // How many times the pattern can be cut from `list`, capped by the
    // stock count when that is limited; 0 for an empty pattern.
    int getMaxNum(const std::vector<CVes_OptimizeUnit>& list) const;

    // "3.5×2 ，√2×1\n─────────\n(7) ，(8)"; empty for an empty pattern.
    QString getZhuheStr() const;
    // Appends one text per piece: "3.5×2\n(7)", "(8√)" for a bent piece.
    void getZhuheStrArray(QStringList& texts) const;

    std::vector<CVes_OptimizeUnit> pieces;
    int useCount = 1;
    mutable int cutLength = 0;
    CVes_SteelYuanCai stock;
};

// What an optimisation run could not do, for the caller to show: a worker
// runs it, so nothing here opens a message box.
struct OptimizeReport {
    enum class Outcome { Finished, Cancelled, Stalled };

    Outcome outcome = Outcome::Finished;
    // Input left out of the run: pieces of length 0 or less or a count below
    // 0, stock of length 0 or less.
    std::vector<CVes_OptimizeUnit> droppedPieces;
    std::vector<CVes_SteelYuanCai> droppedStock;
    // Every piece that no pattern took, with the count left over.
    std::vector<CVes_OptimizeUnit> unplaced;
    // Those of `unplaced` that are longer than every stock length given.
    std::vector<CVes_OptimizeUnit> tooLong;
    // Memory ran out in the search of some pattern: the patterns are valid
    // but may cut more stock than an exhaustive search would.
    bool searchCutShort = false;
    // The search of some pattern took every step its budget allows and kept
    // the best pattern it had met: valid, but it may cut more stock.
    bool searchBounded = false;
    // One line per problem above, in the program's wording.
    QStringList messages;

    bool isComplete() const
    {
        return outcome == Outcome::Finished && unplaced.empty() && droppedPieces.empty()
            && droppedStock.empty();
    }
};

// How much searching one run may do, counted in steps (one piece tried on a
// pattern being built), so that the plans are the same on every machine.
// The search of a pattern takes at most `stepsPerPattern`; once the run has
// taken `stepsPerRun` in all, each further pattern gets `stepsOnceSpent`,
// enough to fill a bar piece by piece with what fits first. Jobs a shop
// cuts take far fewer steps; only thousands of kinds in thousands of pieces
// with no pattern filling a bar exactly reach the bounds.
struct OptimizeBudget {
    long long stepsPerPattern = 1'000'000;
    long long stepsPerRun = 30'000'000;
    long long stepsOnceSpent = 500;
};

// Cuts `pieces` from `stock`, appending the patterns to `result`. Consumes the
// counts of both lists: the pieces left in `pieces` were not placed, and
// limited stock counts go down by the bars used. Pieces of the same id and
// length are merged first. Setting `*cancel` from another thread stops the
// run after the patterns found so far.
OptimizeReport OptimizeSteel(std::vector<CVes_OptimizeUnit>& pieces,
                             std::vector<CVes_SteelYuanCai>& stock,
                             std::vector<CVes_OptimizeCombine>& result,
                             const std::atomic<bool>* cancel = nullptr,
                             const OptimizeBudget& budget = {});

// Runs a fixed example and shows its patterns in a message; answers the text.
QString testCombine();
