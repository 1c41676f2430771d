#include "core/model/optimize.h"

#include "tests/support/cuttingjobs.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>
#include <random>
#include <thread>

namespace {

using Pieces = std::vector<CVes_OptimizeUnit>;
using Stock = std::vector<CVes_SteelYuanCai>;
using Patterns = std::vector<CVes_OptimizeCombine>;

// A pattern in the self-test's wording: "+5000×1+4200×1==9200×6:原材12000".
QString describe(const CVes_OptimizeCombine& pattern)
{
    QString text;
    for (const CVes_OptimizeUnit& piece : pattern.pieces)
        text += QString::asprintf("+%d×%d", piece.length, piece.count);
    return text + QString::asprintf("==%d×%d:原材%d", pattern.getlistXLlen(), pattern.useCount,
                                    pattern.stock.length);
}

QStringList describe(const Patterns& patterns)
{
    QStringList texts;
    for (const CVes_OptimizeCombine& pattern : patterns)
        texts << describe(pattern);
    return texts;
}

QStringList describe(const Pieces& pieces)
{
    QStringList texts;
    for (const CVes_OptimizeUnit& piece : pieces)
        texts << QString::asprintf("(%d)%d×%d", piece.id, piece.length, piece.count);
    return texts;
}

CVes_OptimizeUnit piece(int length, int count, int id = 0, int flag = 0)
{
    return CVes_OptimizeUnit(length, count, flag, id);
}

// Whole runs of the optimisation, one row per job.

struct RunCase {
    const char* name;
    Pieces pieces;
    Stock stock;
    QStringList patterns;
    QStringList unplaced;
    QStringList tooLong;
    int droppedPieces = 0;
    int droppedStock = 0;
};
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class OptimizeRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(OptimizeRun, PatternsAndReport)
{
    const RunCase& c = GetParam();
    Pieces pieces = c.pieces;
    Stock stock = c.stock;
    Patterns result;
    const OptimizeReport report = OptimizeSteel(pieces, stock, result);

    EXPECT_EQ(describe(result), c.patterns);
    EXPECT_EQ(report.outcome, OptimizeReport::Outcome::Finished);
    EXPECT_EQ(describe(report.unplaced), c.unplaced);
    EXPECT_EQ(describe(report.tooLong), c.tooLong);
    EXPECT_EQ(int(report.droppedPieces.size()), c.droppedPieces);
    EXPECT_EQ(int(report.droppedStock.size()), c.droppedStock);
    const int problems = int(c.unplaced.size()) + c.droppedPieces + c.droppedStock;
    EXPECT_EQ(report.messages.size(), problems) << report.messages.join('\n').toStdString();
    EXPECT_EQ(report.isComplete(), problems == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, OptimizeRun,
    ::testing::Values(
        RunCase{"ThreePiecesFillOneBar", {piece(4000, 3)}, {{12000, -1}},
                {"+4000×3==12000×1:原材12000"}, {}, {}, 0, 0},
        RunCase{"TwoPiecesPerBarUsedTwice", {piece(5000, 4)}, {{12000, -1}},
                {"+5000×2==10000×2:原材12000"}, {}, {}, 0, 0},
        RunCase{"ShortStockFirstUntilItsCountRunsOut",
                {piece(4500, 10)},
                {{12000, -1}, {9000, 2}},
                {"+4500×2==9000×2:原材9000", "+4500×2==9000×3:原材12000"}, {}, {}, 0, 0},
        // Two rows of one processing id split into equal pieces used to make
        // the search loop for ever.
        RunCase{"EqualIdAndLengthAreMerged",
                {piece(3100, 1, 5), piece(3100, 9, 5)},
                {{12000, -1}},
                {"+3100×3==9300×3:原材12000", "+3100×1==3100×1:原材12000"}, {}, {}, 0, 0},
        RunCase{"EqualLengthOfAnotherIdStaysApart",
                {piece(6000, 1, 1), piece(6000, 1, 2)},
                {{12000, -1}},
                {"+6000×1+6000×1==12000×1:原材12000"}, {}, {}, 0, 0},
        RunCase{"PieceLongerThanEveryStock",
                {piece(13000, 2, 1), piece(4000, 1, 2)},
                {{12000, -1}, {9000, 3}},
                {"+4000×1==4000×1:原材9000"}, {"(1)13000×2"}, {"(1)13000×2"}, 0, 0},
        RunCase{"LimitedStockRunsOut",
                {piece(6000, 5, 3)},
                {{12000, 1}, {9000, 1}},
                {"+6000×1==6000×1:原材9000", "+6000×2==12000×1:原材12000"}, {"(3)6000×2"}, {},
                0, 0},
        RunCase{"StockWithNoBarsLeftIsSkipped",
                {piece(3000, 4)},
                {{6000, 0}, {12000, -1}},
                {"+3000×4==12000×1:原材12000"}, {}, {}, 0, 0},
        RunCase{"InvalidPiecesAndStockAreDropped",
                {piece(0, 3, 1), piece(-500, 2, 2), piece(3000, -4, 3), piece(3000, 4, 4),
                 piece(2000, 0, 5)},
                {{0, -1}, {-12000, 5}, {12000, -1}},
                {"+3000×4==12000×1:原材12000"}, {}, {}, 3, 2},
        RunCase{"NoStockAtAll", {piece(3000, 2, 1)}, {}, {}, {"(1)3000×2"}, {}, 0, 0},
        RunCase{"NothingToCut", {}, {{12000, -1}}, {}, {}, {}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptimizeSteel, ConsumesTheCountsOfBothLists)
{
    Pieces pieces{piece(4500, 10)};
    Stock stock{{12000, 5}, {9000, 2}};
    Patterns result;
    OptimizeSteel(pieces, stock, result);
    // Placed pieces leave the list; the 9000 kind is used up and removed,
    // the 12000 kind keeps 5 - 3 bars.
    EXPECT_TRUE(pieces.empty());
    ASSERT_EQ(stock.size(), 1u);
    EXPECT_EQ(stock[0].length, 12000);
    EXPECT_EQ(stock[0].count, 2);
}

TEST(OptimizeSteel, SelfTestPatterns)
{
    test::HostScope host;
    const QString text = testCombine();
    const QString expected = QStringLiteral(
        "+1000×2==2000×4:原材2300\n"
        "+6000×1+3000×1==9000×3:原材9000\n"
        "+5400×1+3600×1==9000×3:原材9000\n"
        "+6600×1+5400×1==12000×3:原材12000\n"
        "+5400×1+3300×2==12000×1:原材12000\n"
        "+5000×1+4200×1+2560×1==11760×6:原材12000\n"
        "+5400×1+3000×2==11400×1:原材12000\n"
        "+5400×2==10800×2:原材12000\n"
        "+7200×1+3300×1==10500×1:原材12000\n"
        "+7200×1+3000×1==10200×1:原材12000\n"
        "+7200×1+2560×1==9760×2:原材12000\n"
        "+5000×1==5000×1:原材12000\n"
        "初始长度=258780 。优化后长度=258780");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(host->messageTexts(), QStringList{expected});
}

TEST(OptimizeSteel, CancelledBeforeItStartsPlacesNothing)
{
    std::atomic<bool> cancel{true};
    Pieces pieces{piece(4000, 3, 1)};
    Stock stock{{12000, -1}};
    Patterns result;
    const OptimizeReport report = OptimizeSteel(pieces, stock, result, &cancel);
    EXPECT_EQ(report.outcome, OptimizeReport::Outcome::Cancelled);
    EXPECT_TRUE(result.empty());
    EXPECT_EQ(describe(report.unplaced), QStringList{"(1)4000×3"});
    EXPECT_FALSE(report.isComplete());
}

// A job whose search runs long enough for another thread to stop it: many
// short kinds of pieces that never fill a bar exactly, searched without
// bounds.
TEST(OptimizeSteel, CancelledFromAnotherThread)
{
    Pieces pieces;
    for (int i = 0; i < 400; ++i)
        pieces.push_back(piece(301 + 2 * i, 50, i));
    Stock stock{{120001, -1}};
    Patterns result;
    std::atomic<bool> cancel{false};
    std::atomic<bool> started{false};
    OptimizeReport report;
    std::thread worker([&] {
        started = true;
        constexpr long long kNoBound = std::numeric_limits<long long>::max();
        report = OptimizeSteel(pieces, stock, result, &cancel, {kNoBound, kNoBound, kNoBound});
    });
    while (!started)
        std::this_thread::yield();
    cancel = true;
    worker.join();
    EXPECT_EQ(report.outcome, OptimizeReport::Outcome::Cancelled);
    EXPECT_FALSE(report.unplaced.empty());
}

// Pattern operations.

TEST(OptimizeCombine, AddUnitOnlyWhatFitsTheRemainder)
{
    CVes_OptimizeCombine pattern;
    pattern.stock = CVes_SteelYuanCai(12000, -1);
    EXPECT_EQ(pattern.addUnit(piece(5000, 1, 1)), 1);
    EXPECT_EQ(pattern.addUnit(piece(5000, 7, 1)), 1);  // the same kind grows by one
    EXPECT_EQ(pattern.addUnit(piece(2001, 1, 2)), 0);
    EXPECT_EQ(pattern.getlistXLlen(), 10000);
    EXPECT_EQ(pattern.cutLength, 10000);
    EXPECT_EQ(pattern.getlistSLlen(), 2000);
    EXPECT_EQ(pattern.addUnit(piece(2000, 3, 2)), 1);  // a new kind keeps its count
    EXPECT_EQ(describe(pattern), "+5000×2+2000×3==16000×1:原材12000");
}

TEST(OptimizeCombine, CollectAndReleaseUseTheFirstEntryOfAKind)
{
    CVes_OptimizeCombine pattern;
    pattern.pieces = {piece(3000, 2, 1), piece(1000, 1, 9)};
    pattern.useCount = 3;
    Pieces list{piece(3000, 10, 1), piece(3000, 10, 1), piece(3000, 10, 2)};
    pattern.collectNum(list);
    EXPECT_EQ(describe(list), (QStringList{"(1)3000×4", "(1)3000×10", "(2)3000×10"}));
    pattern.releaseNum(list);
    EXPECT_EQ(describe(list), (QStringList{"(1)3000×10", "(1)3000×10", "(2)3000×10"}));
}

struct MaxNumCase {
    const char* name;
    Pieces pattern;
    int stockCount;
    Pieces list;
    int expected;
};
void PrintTo(const MaxNumCase& c, std::ostream* os) { *os << c.name; }

class OptimizeMaxNum : public ::testing::TestWithParam<MaxNumCase> {};

TEST_P(OptimizeMaxNum, Answer)
{
    const MaxNumCase& c = GetParam();
    CVes_OptimizeCombine pattern;
    pattern.pieces = c.pattern;
    pattern.stock.count = c.stockCount;
    EXPECT_EQ(pattern.getMaxNum(c.list), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptimizeMaxNum,
    ::testing::Values(
        MaxNumCase{"EmptyPattern", {}, -1, {piece(3000, 9)}, 0},
        MaxNumCase{"SmallestQuotient", {piece(3000, 2, 1), piece(2000, 1, 2)}, -1,
                   {piece(3000, 7, 1), piece(2000, 5, 2)}, 3},
        MaxNumCase{"NoEntryOfTheKind", {piece(3000, 1, 1)}, -1, {piece(3000, 9, 2)}, 0},
        MaxNumCase{"CappedByStock", {piece(3000, 1, 1)}, 2, {piece(3000, 9, 1)}, 2},
        MaxNumCase{"UnlimitedStockIsNoCap", {piece(3000, 1, 1)}, -1, {piece(3000, 9, 1)}, 9},
        MaxNumCase{"TooFewLeft", {piece(3000, 3, 1)}, -1, {piece(3000, 2, 1)}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    Pieces pieces;
    QString text;
    QStringList array;
};
void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class OptimizeTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(OptimizeTexts, PatternTexts)
{
    const TextCase& c = GetParam();
    CVes_OptimizeCombine pattern;
    pattern.pieces = c.pieces;
    EXPECT_EQ(pattern.getZhuheStr(), c.text);
    QStringList array{"kept"};
    pattern.getZhuheStrArray(array);
    EXPECT_EQ(array, QStringList{"kept"} + c.array);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptimizeTexts,
    ::testing::Values(
        TextCase{"Empty", {}, QString(), {}},
        TextCase{"FlaggedPiece", {piece(3500, 2, 7, 1)}, "√3.5×2\n─────────\n(7)",
                 {"3.5×2\n(7√)"}},
        TextCase{"SeveralPieces",
                 {piece(6000, 1, 12), piece(2560, 3, 4, 1), piece(125, 1, 5)},
                 "6×1 ，√2.56×3 ，0.125×1\n─────────\n(12) ，(4) ，(5)",
                 {"6×1\n(12)", "2.56×3\n(4√)", "0.125×1\n(5)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptimizeUnitlib, ClearEmptiesTheListAndTheSize)
{
    CVes_OptimizeUnitlib lib;
    lib.DN = 20;
    lib.grade = 2;
    lib.steelType = 1;
    lib.addUnit(3000, 4, 1, 17);
    const CVes_OptimizeUnitlib copy(lib);
    lib.clearUnit();
    EXPECT_EQ(lib.DN + lib.grade + lib.steelType, 0);
    EXPECT_TRUE(lib.units.empty());
    ASSERT_EQ(copy.units.size(), 1u);
    EXPECT_EQ(copy.units[0].id, 17);
    EXPECT_EQ(copy.units[0].flag, 1);
    EXPECT_EQ(copy.units[0].getTotalLen(), 12000.0);
    EXPECT_EQ(copy.DN, 20);
}

// Random jobs.

// The search as it runs without stopping at a full cut: a pattern replaces
// the best only when it cuts strictly more, so stopping early must give the
// same patterns.
void referenceSearch(int L, Pieces& list, const CVes_OptimizeCombine& cur,
                     CVes_OptimizeCombine& best)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].count < 1)
            continue;
        CVes_OptimizeCombine c(cur);
        if (c.getlistXLlen() + list[i].length > L)
            continue;
        const CVes_OptimizeUnit p(list[i].length, 1, list[i].flag, list[i].id);
        c.addUnit(p);
        if (L - c.getlistXLlen() < L - best.getlistXLlen()) {
            Pieces list2(list);
            best.releaseNum(list2);
            best = c;
            best.collectNum(list2);
            referenceSearch(L, list2, c, best);
        }
        for (CVes_OptimizeUnit& entry : list) {
            if (entry.id == p.id && entry.length == p.length) {
                --entry.count;
                break;
            }
        }
        referenceSearch(L, list, c, best);
    }
}

Patterns referenceOptimize(Pieces pieces, Stock stock)
{
    Patterns result;
    std::stable_sort(stock.begin(), stock.end());
    while (!pieces.empty() && !stock.empty()) {
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
        referenceSearch(s.length, work, cur, best);
        if (best.pieces.empty()) {
            stock.erase(stock.begin());
            continue;
        }
        const int n = best.getMaxNum(pieces);
        if (n <= 0)
            break;
        best.useCount = n;
        best.collectNum(pieces);
        if (s.count >= 0)
            s.count -= n;
        result.push_back(best);
    }
    return result;
}

using RandomJob = test::CuttingJobInput;

std::map<std::pair<int, int>, long long> countsByKind(const Pieces& pieces)
{
    std::map<std::pair<int, int>, long long> counts;
    for (const CVes_OptimizeUnit& p : pieces)
        counts[{p.id, p.length}] += p.count;
    return counts;
}

// Every pattern fits its stock, every piece of the job is cut once or left
// over, limited stock is never overdrawn and every piece that fits the
// longest stock (which is unlimited) is cut.
void checkPlan(const RandomJob& job, const Patterns& result, const OptimizeReport& report)
{
    ASSERT_EQ(report.outcome, OptimizeReport::Outcome::Finished);

    std::map<std::pair<int, int>, long long> used;
    std::map<int, long long> barsUsed;
    for (const CVes_OptimizeCombine& pattern : result) {
        ASSERT_GE(pattern.useCount, 1);
        ASSERT_FALSE(pattern.pieces.empty());
        ASSERT_LE(pattern.getlistXLlen(), pattern.stock.length) << describe(pattern).toStdString();
        for (const CVes_OptimizeUnit& p : pattern.pieces)
            used[{p.id, p.length}] += p.count * pattern.useCount;
        barsUsed[pattern.stock.length] += pattern.useCount;
    }
    // No pattern takes more pieces than exist; placed plus unplaced is the job.
    const auto given = countsByKind(job.pieces);
    const auto left = countsByKind(report.unplaced);
    for (const auto& [kind, count] : given) {
        const long long u = used.count(kind) ? used.at(kind) : 0;
        const long long l = left.count(kind) ? left.at(kind) : 0;
        ASSERT_EQ(u + l, count) << "piece (" << kind.first << ")" << kind.second;
    }
    // Limited stock is never overdrawn.
    std::map<int, long long> limit;
    for (const CVes_SteelYuanCai& bar : job.stock)
        limit[bar.length] = bar.count < 0 || limit[bar.length] < 0 ? -1 : limit[bar.length] + bar.count;
    for (const auto& [length, bars] : barsUsed) {
        if (limit.at(length) >= 0) {
            ASSERT_LE(bars, limit.at(length)) << "stock " << length;
        }
    }
    // The longest stock is unlimited, so every piece that fits is placed.
    const int longest = std::max_element(job.stock.begin(), job.stock.end())->length;
    for (const CVes_OptimizeUnit& p : report.unplaced)
        ASSERT_GT(p.length, longest);
    ASSERT_EQ(report.unplaced.size(), report.tooLong.size());
}

void checkJob(const RandomJob& job, bool withDuplicates)
{
    Pieces pieces = job.pieces;
    Stock stock = job.stock;
    Patterns result;
    const OptimizeReport report = OptimizeSteel(pieces, stock, result);
    checkPlan(job, result, report);
    if (::testing::Test::HasFatalFailure())
        return;
    EXPECT_FALSE(report.searchBounded);
    if (!withDuplicates) {
        ASSERT_EQ(describe(result), describe(referenceOptimize(job.pieces, job.stock)));
    }
}

TEST(OptimizeSteel, RandomJobsKeepTheirPieces)
{
    std::mt19937 rng(20261209);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        checkJob(test::randomCuttingJob(rng), false);
        if (HasFatalFailure())
            return;
    }
}

TEST(OptimizeSteel, RandomJobsWithRepeatedKindsTerminate)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        checkJob(test::randomJobWithRepeatedKinds(rng), true);
        if (HasFatalFailure())
            return;
    }
}

// Jobs whose search reaches its bounds: many kinds that never fill a bar
// exactly. The run keeps the best patterns it met and still cuts every
// piece once.

RandomJob jobThatNeverFillsABar(int kinds, int count, int stockCount)
{
    RandomJob job{QStringLiteral("odd lengths"), {}, {{12001, -1}}};
    if (stockCount > 0)
        job.stock.emplace_back(11001, stockCount);
    for (int id = 1; id <= kinds; ++id)
        job.pieces.push_back(piece(1300 + 20 * id, count, id, id % 2));
    return job;
}

struct BoundCase {
    const char* name;
    RandomJob job;
    OptimizeBudget budget;
};
void PrintTo(const BoundCase& c, std::ostream* os) { *os << c.name; }

class OptimizeBounded : public ::testing::TestWithParam<BoundCase> {};

TEST_P(OptimizeBounded, KeepsAValidPlanAndSaysSo)
{
    const BoundCase& c = GetParam();
    Pieces pieces = c.job.pieces;
    Stock stock = c.job.stock;
    Patterns result;
    const OptimizeReport report = OptimizeSteel(pieces, stock, result, nullptr, c.budget);
    checkPlan(c.job, result, report);
    EXPECT_TRUE(report.searchBounded);
    EXPECT_TRUE(report.messages.contains(
        QStringLiteral("下料组合过多，部分组合只搜索了一部分，结果可能不是最省料的")))
        << report.messages.join(u'\n').toStdString();
    EXPECT_TRUE(pieces.empty()) << describe(pieces).join(u' ').toStdString();

    // Without the bounds the same job gives the patterns of a full search.
    Pieces allPieces = c.job.pieces;
    Stock allStock = c.job.stock;
    Patterns full;
    const OptimizeReport unbounded = OptimizeSteel(allPieces, allStock, full);
    EXPECT_FALSE(unbounded.searchBounded);
    EXPECT_EQ(describe(full), describe(referenceOptimize(c.job.pieces, c.job.stock)));
}

INSTANTIATE_TEST_SUITE_P(
    Budgets, OptimizeBounded,
    ::testing::Values(BoundCase{"EachPatternBounded", jobThatNeverFillsABar(12, 20, 0), {40, 1'000'000, 40}},
                      BoundCase{"RunSpentEarly", jobThatNeverFillsABar(12, 20, 0), {1'000, 300, 5}},
                      BoundCase{"OneStepAPattern", jobThatNeverFillsABar(12, 20, 0), {1, 1, 1}},
                      BoundCase{"NoStepsLeftStillCuts", jobThatNeverFillsABar(12, 20, 0), {0, 0, 0}},
                      BoundCase{"LimitedStockNotOverdrawn", jobThatNeverFillsABar(12, 20, 7), {60, 600, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
