#pragma once
// Cutting jobs made up for the tests and the benchmarks: shop-like jobs of a
// few stock lengths, jobs of many distinct lengths on one 12 m stock, and a
// large job. The same seed always gives the same jobs.

#include "tests/support/cuttingplans.h"

#include <algorithm>
#include <random>
#include <set>

namespace test {

// Shop-like jobs: a few stock lengths, the longest one unlimited, and
// `kinds` pieces of distinct (id, length) between 0.2 m and a little over
// the longest stock; every third one bent.
inline CuttingJobInput randomCuttingJob(std::mt19937& rng)
{
    CuttingJobInput job;
    const int stockKinds = std::uniform_int_distribution(1, 3)(rng);
    const int longest = std::uniform_int_distribution(6, 12)(rng) * 1000;
    job.stock.emplace_back(longest, -1);
    for (int k = 1; k < stockKinds; ++k) {
        job.stock.emplace_back(std::uniform_int_distribution(2000, longest)(rng),
                               std::uniform_int_distribution(0, 6)(rng));
    }
    std::shuffle(job.stock.begin(), job.stock.end(), rng);
    const int kinds = std::uniform_int_distribution(1, 14)(rng);
    std::uniform_int_distribution<int> length(200, longest + 500);
    std::uniform_int_distribution<int> count(0, 12);
    for (int id = 1; id <= kinds; ++id) {
        const int cut = length(rng) / 10 * 10;
        job.pieces.emplace_back(cut, count(rng), id % 3 == 0 ? 1 : 0, id);
    }
    return job;
}

// The same with some kinds split over two entries of the same id and length.
inline CuttingJobInput randomJobWithRepeatedKinds(std::mt19937& rng)
{
    CuttingJobInput job = randomCuttingJob(rng);
    const std::size_t n = job.pieces.size();
    for (std::size_t k = 0; k < n; k += 2)
        job.pieces.emplace_back(job.pieces[k].length, 3, 0, job.pieces[k].id);
    return job;
}

// Distinct lengths between 0.3 and 6 m, in whole centimetres as a shop
// would cut them.
inline std::vector<int> distinctCutLengths(std::mt19937& rng, int kinds)
{
    std::uniform_int_distribution<int> cm(30, 600);
    std::set<int> lengths;
    while (int(lengths.size()) < kinds)
        lengths.insert(cm(rng) * 10);
    std::vector<int> result(lengths.begin(), lengths.end());
    std::shuffle(result.begin(), result.end(), rng);
    return result;
}

// The fixed job the program's self-test cuts.
inline CuttingJobInput selfTestCuttingJob()
{
    return {QStringLiteral("self-test"),
            {{7200, 4}, {6000, 3}, {6600, 3}, {5400, 12}, {5000, 7}, {4200, 6}, {3600, 3},
             {3300, 3}, {3000, 6}, {2560, 8}, {1000, 8}},
            {{2300, 8}, {9000, 6}, {12000, 60}}};
}

// Forty shop jobs of 8 to 15 lengths, 2 to 40 pieces each, on unlimited
// 12 m stock; then one large job of 3,000 pieces over 60 lengths. `rng`
// goes on to whatever the caller makes next.
inline std::vector<CuttingJobInput> shopCuttingJobs(std::mt19937& rng)
{
    std::vector<CuttingJobInput> jobs;
    for (int n = 1; n <= 40; ++n) {
        CuttingJobInput job{QStringLiteral("shop %1").arg(n), {}, {{12000, -1}}};
        const int kinds = std::uniform_int_distribution(8, 15)(rng);
        int id = 0;
        for (int length : distinctCutLengths(rng, kinds))
            job.pieces.emplace_back(length, std::uniform_int_distribution(2, 40)(rng), 0, ++id);
        jobs.push_back(std::move(job));
    }
    CuttingJobInput large{QStringLiteral("large"), {}, {{12000, -1}}};
    int id = 0;
    for (int length : distinctCutLengths(rng, 60))
        large.pieces.emplace_back(length, 0, 0, ++id);
    for (int i = 0; i < 3000; ++i)
        large.pieces[std::uniform_int_distribution<std::size_t>(0, large.pieces.size() - 1)(rng)].AddOne();
    jobs.push_back(std::move(large));
    return jobs;
}

} // namespace test
