// Cutting optimisation on the self-test job, forty shop-like jobs, one
// large job and jobs that reach the search's bounds (thousands of kinds or
// counts with lengths that never fill a bar exactly): stock bars used
// against the lower bound, trim loss and time.
// Then the cutting list built end to end from 3,000-bar bar lists: the
// processing bars gathered, the chosen size cut and the rows written.

#include "bench/cuttinglists.h"
#include "core/model/optimize.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/setuptable.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>

namespace {

using Pieces = std::vector<CVes_OptimizeUnit>;
using Stock = std::vector<CVes_SteelYuanCai>;

struct Outcome {
    long long bars = 0;
    long long lowerBound = 0;
    double trimLossPercent = 0;
    double milliseconds = 0;
    long long unplaced = 0;
    bool bounded = false;
};

// Runs one job; the lower bound is the total length over the longest stock.
Outcome run(Pieces pieces, Stock stock)
{
    double total = 0;
    for (const CVes_OptimizeUnit& piece : pieces)
        total += piece.getTotalLen();
    int longest = 0;
    for (const CVes_SteelYuanCai& bar : stock)
        longest = std::max(longest, bar.length);

    std::vector<CVes_OptimizeCombine> patterns;
    const auto start = std::chrono::steady_clock::now();
    const OptimizeReport report = OptimizeSteel(pieces, stock, patterns);
    const auto end = std::chrono::steady_clock::now();

    Outcome outcome;
    outcome.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    double stockLength = 0;
    double cut = 0;
    for (const CVes_OptimizeCombine& pattern : patterns) {
        outcome.bars += pattern.useCount;
        stockLength += double(pattern.stock.length) * pattern.useCount;
        cut += double(pattern.getlistXLlen()) * pattern.useCount;
    }
    outcome.lowerBound = (long long)std::ceil(total / longest);
    outcome.trimLossPercent = stockLength > 0 ? 100.0 * (stockLength - cut) / stockLength : 0;
    for (const CVes_OptimizeUnit& piece : report.unplaced)
        outcome.unplaced += piece.count;
    outcome.bounded = report.searchBounded;
    return outcome;
}

void print(const std::string& name, int kinds, long long count, const Outcome& o)
{
    std::printf("%-12s %5d %7lld %6lld %6lld %8.2f %10.2f%s%s\n", name.c_str(), kinds, count,
                o.bars, o.lowerBound, o.trimLossPercent, o.milliseconds,
                o.unplaced ? "  (pieces left over!)" : "", o.bounded ? "  (bounded)" : "");
}

long long pieceCount(const Pieces& pieces)
{
    long long n = 0;
    for (const CVes_OptimizeUnit& piece : pieces)
        n += piece.count;
    return n;
}

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The cutting list of grade 3, 20 mm of a bar list of 3,000 straight bars
// (fillStraightBarList).
void cuttingList(const char* name, std::mt19937& rng, int sizes)
{
    CVes_SetupTable list;
    bench::fillStraightBarList(list, rng, sizes);

    const auto start = Clock::now();
    CuttingJob job = list.prepareDuanLiao();
    const double gathered = msSince(start);
    job.choose(3, 20.0f, list.getYuanCaiLib());
    const auto cutStart = Clock::now();
    job.cut();
    const double cut = msSince(cutStart);
    const auto fillStart = Clock::now();
    CVes_YouhuaDuanLiaoTable table;
    job.fill(table);
    const double filled = msSince(fillStart);

    long long used = 0;
    double total = 0;
    for (const CuttingJob::Run& run : job.runs()) {
        for (const CVes_OptimizeCombine& pattern : run.patterns)
            used += pattern.useCount;
        for (const CVes_OptimizeUnit& piece : run.group.pieces)
            total += piece.getTotalLen();
    }
    std::printf("%-26s %6d %6.0fms %6.0fms %6.1fms %6lld %6lld%s\n", name, 3000, gathered, cut,
                filled, used, (long long)std::ceil(total / 12000.0),
                job.problems().isEmpty() ? "" : "  (problems!)");
}

// `kinds` lengths drawn from `lowest` to `highest` in steps of `step`, plus
// `offset`, each `count` times, on unlimited 12 m stock.
test::CuttingJobInput jobAtTheBounds(std::mt19937& rng, int kinds, int count, int lowest,
                                     int highest, int step, int offset)
{
    test::CuttingJobInput job{{}, {}, {{12000, -1}}};
    std::uniform_int_distribution<int> steps(lowest / step, highest / step);
    for (int id = 1; id <= kinds; ++id)
        job.pieces.emplace_back(steps(rng) * step + offset, count, 0, id);
    return job;
}

// Before the search was bounded, the first three took minutes (the first
// over one, the second 52 s) and the two of 50,000 kinds over a minute.
void jobsAtTheBounds(std::mt19937& rng)
{
    struct Shape {
        const char* name;
        int kinds, count, lowest, highest, step, offset;
    };
    const Shape shapes[] = {
        {"3000x1000", 3000, 1000, 4000, 5990, 10, 7},
        {"300x100000", 300, 100000, 1300, 5990, 10, 7},
        {"20000x1", 20000, 1, 6001, 11999, 1, 0},
        {"50000x1 long", 50000, 1, 6001, 11999, 1, 0},
        {"50000x1 half", 50000, 1, 4000, 5990, 1, 0},
        {"1000x1000", 1000, 1000, 100, 11999, 1, 0},
        {"50000x3 cm", 50000, 3, 300, 6000, 10, 0},
    };
    for (const Shape& shape : shapes) {
        const test::CuttingJobInput job = jobAtTheBounds(
            rng, shape.kinds, shape.count, shape.lowest, shape.highest, shape.step, shape.offset);
        print(shape.name, shape.kinds, pieceCount(job.pieces), run(job.pieces, job.stock));
    }
}

} // namespace

int main()
{
    std::printf("%-12s %5s %7s %6s %6s %8s %10s\n", "job", "kinds", "pieces", "bars", "bound",
                "loss %", "time ms");

    const test::CuttingJobInput selfTest = test::selfTestCuttingJob();
    print("self-test", int(selfTest.pieces.size()), pieceCount(selfTest.pieces),
          run(selfTest.pieces, selfTest.stock));

    std::mt19937 rng(20261209);
    Outcome sum;
    long long sumPieces = 0;
    // The shop jobs, then the large one.
    const std::vector<test::CuttingJobInput> jobs = test::shopCuttingJobs(rng);
    const auto printRun = [](const test::CuttingJobInput& job) {
        const Outcome o = run(job.pieces, job.stock);
        print(job.name.toStdString(), int(job.pieces.size()), pieceCount(job.pieces), o);
        return o;
    };
    for (std::size_t n = 0; n + 1 < jobs.size(); ++n) {
        const test::CuttingJobInput& job = jobs[n];
        const Outcome o = printRun(job);
        sum.bars += o.bars;
        sum.lowerBound += o.lowerBound;
        sum.milliseconds += o.milliseconds;
        sumPieces += pieceCount(job.pieces);
    }
    std::printf("%-12s %5s %7lld %6lld %6lld %8s %10.2f\n", "shop total", "", sumPieces, sum.bars,
                sum.lowerBound, "", sum.milliseconds);
    printRun(jobs.back());
    jobsAtTheBounds(rng);

    // The program's data folder of a fresh user, with its shape libraries.
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toLocal8Bit());
    std::printf("\n%-26s %6s %8s %8s %8s %6s %6s\n", "cutting list from bar list", "bars",
                "gather", "cut", "rows", "used", "bound");
    cuttingList("3000 bars, 8 sizes", rng, 8);
    cuttingList("3000 bars, one size", rng, 1);
    return 0;
}
