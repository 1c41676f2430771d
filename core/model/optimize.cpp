#include "core/model/optimize.h"

#include "platform/hostservices.h"

#include <algorithm>
#include <climits>

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
    if (CVes_OptimizeUnit* same = firstOfKind(pieces, piece))
        same->AddOne();
    else
        pieces.push_back(piece);
    return 1;
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

void CVes_OptimizeCombine::getZhuheStrArray(QStringList& texts) const
{
    for (const CVes_OptimizeUnit& piece : pieces) {
        texts << QString::asprintf("%1g×%d", piece.length * 0.001, piece.count)
                + QStringLiteral("\n")
                + QString::asprintf(piece.flag ? "(%d√)" : "(%d)", piece.id);
    }
}

namespace {

// One search for the best pattern on a stock length. It ends early when a
// pattern cuts the whole length, since no later pattern can replace it, or
// when the caller cancels.
class PatternSearch {
public:
    PatternSearch(int stockLength, const std::atomic<bool>* cancel)
        : m_length(stockLength), m_cancel(cancel)
    {
    }

    bool cancelled() const { return m_cancelled; }

    // Depth-first over the pieces of `list`, extending `cur` one piece at a
    // time; `best` keeps the first pattern met with the greatest cut. Counts
    // taken from `list` on the way are not given back: later pieces of the
    // loop and the callers see the reduced counts.
    void search(Pieces& list, const CVes_OptimizeCombine& cur, CVes_OptimizeCombine& best)
    {
        try {
            const int curCut = cur.getlistXLlen();
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (shouldStop())
                    return;
                const CVes_OptimizeUnit x = list[i];
                if (x.count < 1 || curCut + x.length > m_length)
                    continue;
                CVes_OptimizeCombine c(cur);
                const CVes_OptimizeUnit p(x.length, 1, x.flag, x.id);
                c.addUnit(p);
                if (c.getlistXLlen() > best.getlistXLlen())
                    improve(list, c, best);
                if (shouldStop())
                    return;
                if (CVes_OptimizeUnit* entry = firstOfKind(list, p))
                    --entry->count;
                search(list, c, best);
            }
        } catch (...) {
            // Out of memory deep down: this level gives up, the one above
            // goes on with what it has.
        }
    }

private:
    void improve(const Pieces& list, const CVes_OptimizeCombine& c, CVes_OptimizeCombine& best)
    {
        Pieces list2(list);
        best.releaseNum(list2);
        best = c;
        best.collectNum(list2);
        if (best.getlistXLlen() >= m_length) {
            m_full = true;
            return;
        }
        search(list2, c, best);
    }

    bool shouldStop()
    {
        if (!m_cancelled && m_cancel && m_cancel->load(std::memory_order_relaxed))
            m_cancelled = true;
        return m_full || m_cancelled;
    }

    const int m_length;
    const std::atomic<bool>* const m_cancel;
    bool m_full = false;
    bool m_cancelled = false;
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
    for (const CVes_OptimizeUnit& piece : pieces) {
        if (CVes_OptimizeUnit* same = firstOfKind(merged, piece))
            same->count = int(std::min<long long>(INT_MAX, 0LL + same->count + piece.count));
        else
            merged.push_back(piece);
    }
    pieces = std::move(merged);
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
                             const std::atomic<bool>* cancel)
{
    OptimizeReport report;
    dropInvalidInput(pieces, stock, report);
    mergeEqualPieces(pieces);
    const int longestStock = longestAvailable(stock);
    if (stock.size() > 1)
        std::stable_sort(stock.begin(), stock.end());

    while (!pieces.empty() && !stock.empty()) {
        if (cancel && cancel->load()) {
            report.outcome = OptimizeReport::Outcome::Cancelled;
            break;
        }
        if (pieces.front().count <= 0) {
            pieces.erase(pieces.begin());
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
        Pieces work(pieces);
        best.collectNum(work);
        PatternSearch search(s.length, cancel);
        search.search(work, cur, best);
        if (search.cancelled()) {
            report.outcome = OptimizeReport::Outcome::Cancelled;
            break;
        }
        if (best.pieces.empty()) {
            stock.erase(stock.begin());
            continue;
        }
        const int n = best.getMaxNum(pieces);
        if (n <= 0) {
            // Cutting it would take nothing out of the job: repeating the
            // search would find the same pattern for ever.
            report.outcome = OptimizeReport::Outcome::Stalled;
            break;
        }
        best.useCount = n;
        best.collectNum(pieces);
        if (s.length > 0 && s.count >= 0)
            s.count -= n;
        result.push_back(best);
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
