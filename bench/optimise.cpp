// Cutting optimisation on the self-test job, forty shop-like jobs and one
// large job: stock bars used against the lower bound, trim loss and time.

#include "core/model/optimize.h"

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
    return outcome;
}

void print(const std::string& name, int kinds, long long count, const Outcome& o)
{
    std::printf("%-12s %5d %7lld %6lld %6lld %8.2f %10.2f%s\n", name.c_str(), kinds, count, o.bars,
                o.lowerBound, o.trimLossPercent, o.milliseconds,
                o.unplaced ? "  (pieces left over!)" : "");
}

long long pieceCount(const Pieces& pieces)
{
    long long n = 0;
    for (const CVes_OptimizeUnit& piece : pieces)
        n += piece.count;
    return n;
}

// Distinct lengths between 0.3 and 6 m, in whole centimetres as a shop
// would cut them.
std::vector<int> distinctLengths(std::mt19937& rng, int kinds)
{
    std::uniform_int_distribution<int> cm(30, 600);
    std::set<int> lengths;
    while (int(lengths.size()) < kinds)
        lengths.insert(cm(rng) * 10);
    std::vector<int> result(lengths.begin(), lengths.end());
    std::shuffle(result.begin(), result.end(), rng);
    return result;
}

} // namespace

int main()
{
    std::printf("%-12s %5s %7s %6s %6s %8s %10s\n", "job", "kinds", "pieces", "bars", "bound",
                "loss %", "time ms");

    const Pieces selfTest{{7200, 4}, {6000, 3}, {6600, 3}, {5400, 12}, {5000, 7}, {4200, 6},
                          {3600, 3}, {3300, 3}, {3000, 6}, {2560, 8},  {1000, 8}};
    print("self-test", int(selfTest.size()), pieceCount(selfTest),
          run(selfTest, {{2300, 8}, {9000, 6}, {12000, 60}}));

    std::mt19937 rng(20261209);
    Outcome sum;
    long long sumPieces = 0;
    for (int job = 1; job <= 40; ++job) {
        const int kinds = std::uniform_int_distribution(8, 15)(rng);
        Pieces pieces;
        int id = 0;
        for (int length : distinctLengths(rng, kinds))
            pieces.emplace_back(length, std::uniform_int_distribution(2, 40)(rng), 0, ++id);
        const Outcome o = run(pieces, {{12000, -1}});
        print("shop " + std::to_string(job), kinds, pieceCount(pieces), o);
        sum.bars += o.bars;
        sum.lowerBound += o.lowerBound;
        sum.milliseconds += o.milliseconds;
        sumPieces += pieceCount(pieces);
    }
    std::printf("%-12s %5s %7lld %6lld %6lld %8s %10.2f\n", "shop total", "", sumPieces, sum.bars,
                sum.lowerBound, "", sum.milliseconds);

    // 3,000 pieces over 60 lengths.
    Pieces large;
    int id = 0;
    for (int length : distinctLengths(rng, 60))
        large.emplace_back(length, 0, 0, ++id);
    for (int i = 0; i < 3000; ++i)
        large[std::uniform_int_distribution<std::size_t>(0, large.size() - 1)(rng)].AddOne();
    print("large", 60, pieceCount(large), run(large, {{12000, -1}}));
    return 0;
}
