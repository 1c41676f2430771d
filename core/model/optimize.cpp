#include "core/model/optimize.h"

#include "platform/hostservices.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <cstdint>
#include <new>
#include <unordered_map>

void CVes_OptimizeUnitlib::addUnit(int length, int count, int flag, int id)
{
    units.emplace_back(length, count, flag, id);
}

void CVes_OptimizeUnitlib::clearUnit()
{
    DN = steelType = grade = 0;
    units.clear();
}

namespace {

using Pieces = std::vector<CVes_OptimizeUnit>;

CVes_OptimizeUnit* firstOfKind(Pieces& list, const CVes_OptimizeUnit& piece)
{
    for (CVes_OptimizeUnit& entry : list) {
        if (entry.isSamePiece(piece))
            return &entry;
    }
    return nullptr;
}

} // namespace

int CVes_OptimizeCombine::getlistXLlen() const
{
    int total = 0;
    for (const CVes_OptimizeUnit& piece : pieces)
        total += piece.length * piece.count;
    cutLength = total;
    return total;
}

int CVes_OptimizeCombine::getlistSLlen() const
{
    return stock.length - getlistXLlen();
}

int CVes_OptimizeCombine::addUnit(const CVes_OptimizeUnit& piece)
{
    if (getlistSLlen() < piece.length)
        return 0;
    addFitting(piece);
    return 1;
}

void CVes_OptimizeCombine::addFitting(const CVes_OptimizeUnit& piece)
{
    if (CVes_OptimizeUnit* same = firstOfKind(pieces, piece))
        same->AddOne();
    else
        pieces.push_back(piece);
}

void CVes_OptimizeCombine::collectNum(std::vector<CVes_OptimizeUnit>& list) const
{
    for (const CVes_OptimizeUnit& piece : pieces) {
        if (CVes_OptimizeUnit* entry = firstOfKind(list, piece))
            entry->count -= piece.count * useCount;
    }
}

void CVes_OptimizeCombine::releaseNum(std::vector<CVes_OptimizeUnit>& list) const
{
    for (const CVes_OptimizeUnit& piece : pieces) {
        if (CVes_OptimizeUnit* entry = firstOfKind(list, piece))
            entry->count += piece.count * useCount;
    }
}

int CVes_OptimizeCombine::getMaxNum(const std::vector<CVes_OptimizeUnit>& list) const
{
    if (pieces.empty())
        return 0;
    int most = INT_MAX;
    bool matched = false;
    for (const CVes_OptimizeUnit& piece : pieces) {
        if (piece.count <= 0)
            continue;
        for (const CVes_OptimizeUnit& entry : list) {
            if (entry.isSamePiece(piece)) {
                matched = true;
                most = std::min(most, entry.count / piece.count);
            }
        }
    }
    if (!matched)
        return 0;
    if (stock.count >= 0 && stock.count < most)
        most = stock.count;
    return most;
}

QString CVes_OptimizeCombine::getZhuheStr() const
{
    if (pieces.empty())
        return {};
    QStringList lengths;
    QStringList ids;
    for (const CVes_OptimizeUnit& piece : pieces) {
        lengths << QString::asprintf(piece.flag ? "√%g×%d" : "%g×%d", piece.length * 0.001,
                                     piece.count);
        ids << QString::asprintf("(%d)", piece.id);
    }
    return lengths.join(QStringLiteral(" ，")) + QStringLiteral("\n─────────\n")
        + ids.join(QStringLiteral(" ，"));
}

QString optimizePieceText(const CVes_OptimizeUnit& piece)
{
    return QString::asprintf("%1g×%d", piece.length * 0.001, piece.count) + QStringLiteral("\n")
        + QString::asprintf(piece.flag ? "(%d√)" : "(%d)", piece.id);
}

void CVes_OptimizeCombine::getZhuheStrArray(QStringList& texts) const
{
    for (const CVes_OptimizeUnit& piece : pieces)
        texts << optimizePieceText(piece);
}

namespace {

// The entries of a piece list that are still available (a count of 1 or
// more), by position, with the shortest length under every range of
// positions: the first available entry at or after a position that fits a
// remainder is found without looking at the entries in between.
class FitIndex {
public:
    static constexpr std::size_t npos = std::size_t(-1);

    explicit FitIndex(const Pieces& list)
    {
        while (m_leaves < list.size())
            m_leaves *= 2;
        m_shortest.assign(2 * m_leaves, kNone);
        for (std::size_t i = 0; i < list.size(); ++i)
            m_shortest[m_leaves + i] = lengthIfAvailable(list[i]);
        for (std::size_t node = m_leaves - 1; node >= 1; --node)
            m_shortest[node] = std::min(m_shortest[2 * node], m_shortest[2 * node + 1]);
    }

    // The entry at `i` changed its count.
    void update(std::size_t i, const CVes_OptimizeUnit& entry)
    {
        std::size_t node = m_leaves + i;
        const int length = lengthIfAvailable(entry);
        if (m_shortest[node] == length)
            return;  // still available, or still not: nothing above changes
        m_shortest[node] = length;
        for (node /= 2; node >= 1; node /= 2) {
            const int shortest = std::min(m_shortest[2 * node], m_shortest[2 * node + 1]);
            if (m_shortest[node] == shortest)
                return;
            m_shortest[node] = shortest;
        }
    }

    // The first available entry at `from` or after whose length is at most
    // `room`; npos when there is none.
    std::size_t next(std::size_t from, int room) const
    {
        if (from >= m_leaves)
            return npos;
        // Up from the leaf while the rest of the node holds nothing that
        // fits, then down to the leftmost entry that fits.
        std::size_t node = m_leaves + from;
        if (m_shortest[node] <= room)
            return from;
        while (true) {
            // Climb to the next node to the right of everything seen.
            while (node % 2 == 1) {
                node /= 2;
                if (node <= 1)
                    return npos;
            }
            ++node;
            if (m_shortest[node] <= room)
                break;
        }
        while (node < m_leaves)
            node = m_shortest[2 * node] <= room ? 2 * node : 2 * node + 1;
        return node - m_leaves;
    }

private:
    static constexpr int kNone = INT_MAX;

    static int lengthIfAvailable(const CVes_OptimizeUnit& entry)
    {
        return entry.count >= 1 ? entry.length : kNone;
    }

    std::size_t m_leaves = 1;
    std::vector<int> m_shortest;  // a binary tree, node n over 2n and 2n + 1
};

// Where each kind of piece (id and length) stands in the job's list, which
// holds each kind once. The entries before the job's first one still to cut
// have left the job: their kinds are no longer found.
class KindPlaces {
public:
    explicit KindPlaces(const Pieces& list)
    {
        m_places.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i)
            m_places.try_emplace(kindOf(list[i]), i);
    }
    void dropFront() { ++m_dropped; }
    std::size_t dropped() const { return m_dropped; }
    // The place of the piece's kind; npos when the job has none.
    std::size_t find(const CVes_OptimizeUnit& piece) const
    {
        const auto at = m_places.find(kindOf(piece));
        return at == m_places.end() || at->second < m_dropped ? FitIndex::npos : at->second;
    }

    static std::uint64_t kindOf(const CVes_OptimizeUnit& piece)
    {
        return (std::uint64_t(std::uint32_t(piece.id)) << 32) | std::uint32_t(piece.length);
    }

private:
    std::unordered_map<std::uint64_t, std::size_t> m_places;
    std::size_t m_dropped = 0;
};

// A piece list as a search draws on it, with its index. A change of a count
// can be logged and rolled back: the search tries a branch on the list
// itself and then puts it back as it was, where a copy would cost the
// whole list.
class SearchList {
public:
    explicit SearchList(Pieces entries) : m_pieces(std::move(entries)), m_fits(m_pieces) {}

    std::size_t size() const { return m_pieces.size(); }
    const CVes_OptimizeUnit& operator[](std::size_t i) const { return m_pieces[i]; }
    const Pieces& entries() const { return m_pieces; }
    const FitIndex& fits() const { return m_fits; }

    void addToCount(std::size_t i, int delta)
    {
        CVes_OptimizeUnit& entry = m_pieces[i];
        if (m_logging > 0)
            m_log.emplace_back(i, entry.count);
        entry.count += delta;
        m_fits.update(i, entry);
    }

    // Changes from now on are logged until the matching rollBack, which
    // gives every count back the value it had here.
    std::size_t startTrial()
    {
        ++m_logging;
        return m_log.size();
    }
    void rollBack(std::size_t mark)
    {
        while (m_log.size() > mark) {
            const auto [i, count] = m_log.back();
            m_log.pop_back();
            m_pieces[i].count = count;
            m_fits.update(i, m_pieces[i]);
        }
        --m_logging;
    }

private:
    Pieces m_pieces;
    FitIndex m_fits;
    std::vector<std::pair<std::size_t, int>> m_log;
    int m_logging = 0;
};

// One search for the best pattern on a stock length. It ends early when a
// pattern cuts the whole length, since no later pattern can replace it, or
// when the caller cancels.
class PatternSearch {
public:
    PatternSearch(int stockLength, const KindPlaces& places, long long steps,
                  const std::atomic<bool>* cancel)
        : m_length(stockLength), m_places(places), m_cancel(cancel), m_stepsLeft(steps)
    {
    }

    bool cancelled() const { return m_cancelled; }
    bool ranOutOfMemory() const { return m_outOfMemory; }
    // The steps given were all taken before the search had looked at every
    // pattern: the best is the best of those it saw.
    bool ranOutOfSteps() const { return m_outOfSteps; }
    long long stepsTaken() const { return m_stepsTaken; }

    // Depth-first over the pieces of `list`, extending `cur` one piece at a
    // time; `best` keeps the first pattern met with the greatest cut. Counts
    // taken from `list` on the way are not given back: later pieces of the
    // loop and the callers see the reduced counts. Only the entries still
    // available that fit the remainder of `cur` are visited, in list order.
    void run(SearchList& list, const CVes_OptimizeCombine& cur, CVes_OptimizeCombine& best)
    {
        m_bestCut = best.getlistXLlen();
        search(list, cur, cur.getlistXLlen(), best, 0);
    }

private:
    // `cut` is the length `cur` cuts.
    void search(SearchList& list, const CVes_OptimizeCombine& cur, int cut,
                CVes_OptimizeCombine& best, std::size_t depth)
    {
        try {
            const int room = m_length - cut;
            CVes_OptimizeCombine& c = patternAt(depth);
            for (std::size_t i = list.fits().next(0, room); i != FitIndex::npos;
                 i = list.fits().next(i + 1, room)) {
                if (shouldStop() || !takeStep())
                    return;
                const CVes_OptimizeUnit& x = list[i];
                const int cCut = cut + x.length;
                c = cur;
                c.addFitting(CVes_OptimizeUnit(x.length, 1, x.flag, x.id));
                if (cCut > m_bestCut)
                    improve(list, c, cCut, best, depth);
                if (shouldStop())
                    return;
                list.addToCount(i, -1);
                search(list, c, cCut, best, depth + 1);
            }
        } catch (const std::bad_alloc&) {
            // The search is exhaustive and may grow beyond the memory there
            // is. A branch given up leaves the best pattern found so far,
            // which is a valid one that may cut less: this level ends, the
            // one above goes on, and the run reports that it was cut short.
            m_outOfMemory = true;
        }
    }

    // `c` cuts more than the best so far and becomes the best; the search
    // goes on from it on the list with the old best's pieces given back and
    // the new best's taken, then the list is as it was.
    void improve(SearchList& list, const CVes_OptimizeCombine& c, int cut,
                 CVes_OptimizeCombine& best, std::size_t depth)
    {
        const std::size_t mark = list.startTrial();
        struct RollBack {
            SearchList& list;
            std::size_t mark;
            ~RollBack() { list.rollBack(mark); }
        } rollBack{list, mark};
        move(best, list, 1);
        best = c;
        m_bestCut = cut;
        move(best, list, -1);
        if (m_bestCut >= m_length) {
            m_full = true;
            return;
        }
        search(list, c, cut, best, depth + 1);
    }

    // Adds `sign` × the pattern's pieces, `useCount` times, to the entries
    // of their kinds: releaseNum with 1, collectNum with -1.
    void move(const CVes_OptimizeCombine& pattern, SearchList& list, int sign) const
    {
        for (const CVes_OptimizeUnit& piece : pattern.pieces) {
            const std::size_t at = m_places.find(piece);
            if (at != FitIndex::npos)
                list.addToCount(at, sign * piece.count * pattern.useCount);
        }
    }

    // The pattern a level of the search extends, kept from one search step
    // to the next so that its pieces need no new memory each time.
    CVes_OptimizeCombine& patternAt(std::size_t depth)
    {
        while (m_patterns.size() <= depth)
            m_patterns.push_back(std::make_unique<CVes_OptimizeCombine>());
        return *m_patterns[depth];
    }

    // One more piece tried; false when the steps given are spent.
    bool takeStep()
    {
        if (m_stepsLeft <= 0) {
            m_outOfSteps = true;
            return false;
        }
        --m_stepsLeft;
        ++m_stepsTaken;
        return true;
    }

    bool shouldStop()
    {
        if (!m_cancelled && m_cancel && m_cancel->load(std::memory_order_relaxed))
            m_cancelled = true;
        return m_full || m_cancelled || m_outOfSteps;
    }

    const int m_length;
    const KindPlaces& m_places;
    const std::atomic<bool>* const m_cancel;
    std::vector<std::unique_ptr<CVes_OptimizeCombine>> m_patterns;
    long long m_stepsLeft;
    long long m_stepsTaken = 0;
    int m_bestCut = 0;
    bool m_full = false;
    bool m_cancelled = false;
    bool m_outOfMemory = false;
    bool m_outOfSteps = false;
};

void dropInvalidInput(Pieces& pieces, std::vector<CVes_SteelYuanCai>& stock,
                      OptimizeReport& report)
{
    std::erase_if(pieces, [&](const CVes_OptimizeUnit& piece) {
        if (piece.length > 0 && piece.count >= 0)
            return false;
        report.droppedPieces.push_back(piece);
        report.messages << (piece.length <= 0
                                ? QString::asprintf("钢筋(%d)长度%d无效，未参加优化", piece.id,
                                                    piece.length)
                                : QString::asprintf("钢筋(%d)根数%d无效，未参加优化", piece.id,
                                                    piece.count));
        return true;
    });
    std::erase_if(stock, [&](const CVes_SteelYuanCai& bar) {
        if (bar.length > 0)
            return false;
        report.droppedStock.push_back(bar);
        report.messages << QString::asprintf("原材长度%d无效，未参加优化", bar.length);
        return true;
    });
}

// Entries of the same id and length become one, at the place of the first:
// the search draws on every entry but a pattern is taken from the first only.
void mergeEqualPieces(Pieces& pieces)
{
    Pieces merged;
    merged.reserve(pieces.size());
    std::unordered_map<std::uint64_t, std::size_t> places;
    places.reserve(pieces.size());
    for (const CVes_OptimizeUnit& piece : pieces) {
        const auto [at, isNew] = places.try_emplace(KindPlaces::kindOf(piece), merged.size());
        if (isNew) {
            merged.push_back(piece);
        } else {
            int& count = merged[at->second].count;
            count = int(std::min<long long>(INT_MAX, 0LL + count + piece.count));
        }
    }
    pieces = std::move(merged);
}

// How many times `pattern` can be cut from what is left of the job, capped
// by its stock count when that is limited; 0 when none of its kinds is left.
int timesAvailable(const CVes_OptimizeCombine& pattern, const SearchList& job,
                   const KindPlaces& places)
{
    int most = INT_MAX;
    bool matched = false;
    for (const CVes_OptimizeUnit& piece : pattern.pieces) {
        const std::size_t at = places.find(piece);
        if (piece.count <= 0 || at == FitIndex::npos)
            continue;
        matched = true;
        most = std::min(most, job[at].count / piece.count);
    }
    if (!matched)
        return 0;
    if (pattern.stock.count >= 0 && pattern.stock.count < most)
        most = pattern.stock.count;
    return most;
}

// Takes the pattern's pieces, `useCount` times, out of the job.
void takeFromJob(const CVes_OptimizeCombine& pattern, SearchList& job, const KindPlaces& places)
{
    for (const CVes_OptimizeUnit& piece : pattern.pieces) {
        const std::size_t at = places.find(piece);
        if (at != FitIndex::npos)
            job.addToCount(at, -piece.count * pattern.useCount);
    }
}

int longestAvailable(const std::vector<CVes_SteelYuanCai>& stock)
{
    int longest = 0;
    for (const CVes_SteelYuanCai& bar : stock) {
        if (bar.count != 0)
            longest = std::max(longest, bar.length);
    }
    return longest;
}

void reportLeftovers(const Pieces& pieces, int longestStock, OptimizeReport& report)
{
    if (report.outcome == OptimizeReport::Outcome::Cancelled)
        report.messages << QStringLiteral("优化已取消");
    else if (report.outcome == OptimizeReport::Outcome::Stalled)
        report.messages << QStringLiteral("优化中断：有组合无法使用");
    for (const CVes_OptimizeUnit& piece : pieces) {
        if (piece.count <= 0)
            continue;
        report.unplaced.push_back(piece);
        if (longestStock > 0 && piece.length > longestStock) {
            report.tooLong.push_back(piece);
            report.messages << QString::asprintf("钢筋(%d)长度%d超过所有原材长度，%d根未能下料",
                                                 piece.id, piece.length, piece.count);
        } else {
            report.messages << QString::asprintf("钢筋(%d)长度%d有%d根未能下料", piece.id,
                                                 piece.length, piece.count);
        }
    }
}

} // namespace

OptimizeReport OptimizeSteel(std::vector<CVes_OptimizeUnit>& pieces,
                             std::vector<CVes_SteelYuanCai>& stock,
                             std::vector<CVes_OptimizeCombine>& result,
                             const std::atomic<bool>* cancel, const OptimizeBudget& budget)
{
    OptimizeReport report;
    bool outOfMemory = false;
    dropInvalidInput(pieces, stock, report);
    mergeEqualPieces(pieces);
    KindPlaces places(pieces);
    const int longestStock = longestAvailable(stock);
    if (stock.size() > 1)
        std::stable_sort(stock.begin(), stock.end());

    // The job's counts as the patterns take them; each search tries its
    // branches on it and gives back what it took before the pattern found
    // is cut. Entries at the front that are used up leave the job.
    SearchList job(pieces);
    long long stepsLeft = budget.stepsPerRun;
    while (places.dropped() < job.size() && !stock.empty()) {
        if (cancel && cancel->load()) {
            report.outcome = OptimizeReport::Outcome::Cancelled;
            break;
        }
        if (job[places.dropped()].count <= 0) {
            places.dropFront();
            continue;
        }
        CVes_SteelYuanCai& s = stock.front();
        if (s.count == 0) {
            stock.erase(stock.begin());
            continue;
        }
        CVes_OptimizeCombine cur;
        cur.stock = s;
        CVes_OptimizeCombine best(cur);
        const long long steps = stepsLeft > budget.stepsOnceSpent
            ? std::min(stepsLeft, budget.stepsPerPattern)
            : budget.stepsOnceSpent;
        PatternSearch search(s.length, places, std::max(1LL, steps), cancel);
        const std::size_t mark = job.startTrial();
        search.run(job, cur, best);
        job.rollBack(mark);
        stepsLeft -= search.stepsTaken();
        outOfMemory |= search.ranOutOfMemory();
        report.searchBounded |= search.ranOutOfSteps();
        if (search.cancelled()) {
            report.outcome = OptimizeReport::Outcome::Cancelled;
            break;
        }
        if (best.pieces.empty()) {
            stock.erase(stock.begin());
            continue;
        }
        const int n = timesAvailable(best, job, places);
        if (n <= 0) {
            // Cutting it would take nothing out of the job: repeating the
            // search would find the same pattern for ever.
            report.outcome = OptimizeReport::Outcome::Stalled;
            break;
        }
        best.useCount = n;
        takeFromJob(best, job, places);
        if (s.length > 0 && s.count >= 0)
            s.count -= n;
        result.push_back(best);
    }
    pieces.assign(job.entries().begin() + std::ptrdiff_t(places.dropped()), job.entries().end());
    if (outOfMemory) {
        report.searchCutShort = true;
        report.messages << QStringLiteral("内存不足，部分下料组合未能搜索完全，结果可能不是最省料的");
    }
    if (report.searchBounded) {
        report.messages
            << QStringLiteral("下料组合过多，部分组合只搜索了一部分，结果可能不是最省料的");
    }
    reportLeftovers(pieces, longestStock, report);
    return report;
}

QString testCombine()
{
    std::vector<CVes_OptimizeUnit> pieces{
        {7200, 4}, {6000, 3}, {6600, 3},  {5400, 12}, {5000, 7}, {4200, 6},
        {3600, 3}, {3300, 3}, {3000, 6},  {2560, 8},  {1000, 8}};
    std::vector<CVes_SteelYuanCai> stock{{2300, 8}, {9000, 6}, {12000, 60}};
    double before = 0;
    for (const CVes_OptimizeUnit& piece : pieces)
        before += piece.getTotalLen();

    std::vector<CVes_OptimizeCombine> patterns;
    OptimizeSteel(pieces, stock, patterns);

    QString text;
    double after = 0;
    for (const CVes_OptimizeCombine& pattern : patterns) {
        for (const CVes_OptimizeUnit& piece : pattern.pieces)
            text += QString::asprintf("+%d×%d", piece.length, piece.count);
        text += QString::asprintf("==%d×%d:原材%d\n", pattern.getlistXLlen(), pattern.useCount,
                                  pattern.stock.length);
        after += double(pattern.getlistXLlen()) * pattern.useCount;
    }
    text += QString::asprintf("初始长度=%d 。优化后长度=%d", int(before), int(after));
    platform::showMessage(text);
    return text;
}
