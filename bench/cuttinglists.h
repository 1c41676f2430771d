#pragma once
// Cutting jobs as the bar list makes them: the pieces of one size gathered
// from a list, each run of the chosen size with its stock.

#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/setuptable.h"
#include "tests/support/cuttingjobs.h"
#include "tests/support/generatedbarlist.h"

#include <random>
#include <set>
#include <utility>

namespace bench {

// A bar list of 3,000 straight bars in 30 elements: shop-like lengths in
// whole centimetres out of 400, grade 3, `sizes` diameters from 20 mm up.
inline void fillStraightBarList(CVes_SetupTable& list, std::mt19937& rng, int sizes)
{
    list.clearnAllLine();
    const std::vector<int> lengths = test::distinctCutLengths(rng, 400);
    for (int e = 0; e < 30; ++e) {
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QString::asprintf("KL%d", e + 1));
        element->setEleNum(1 + e % 3);
        list.appendLine(element);
        for (int i = 0; i < 100; ++i) {
            auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
            line->setNull(0);
            CVes_Steel& bar = line->m_steel;
            bar.setRecordId(CSteelRecordId(190, 1));
            bar.number = QString::number(e * 100 + i + 1);
            bar.grade = 3;
            bar.DN = float(20 + 2 * (i % sizes));
            bar.count = std::uniform_int_distribution(1, 12)(rng);
            bar.calcLength = 1;
            bar.setVarValue(QStringLiteral("L"),
                            lengths[std::uniform_int_distribution<std::size_t>(0, 399)(rng)]);
            list.appendLine(line);
        }
    }
}

// The sizes (grade, diameter) the gathered job holds, in order.
inline std::vector<std::pair<int, float>> sizesOf(const CuttingJob& job)
{
    std::set<std::pair<int, float>> seen;
    std::vector<std::pair<int, float>> sizes;
    for (const CuttingJob::Group& group : job.groups()) {
        if (seen.insert({group.grade, group.diameter}).second)
            sizes.emplace_back(group.grade, group.diameter);
    }
    return sizes;
}

// The runs of the chosen size as jobs of their own, named after `name`,
// the size and the bar type.
inline std::vector<test::CuttingJobInput> runsAsJobs(const CuttingJob& job, const QString& name)
{
    std::vector<test::CuttingJobInput> jobs;
    for (const CuttingJob::Run& run : job.runs()) {
        jobs.push_back({QStringLiteral("%1 grade %2 size %3 type %4")
                            .arg(name)
                            .arg(run.group.grade)
                            .arg(double(run.group.diameter))
                            .arg(run.group.type),
                        run.group.pieces,
                        {run.stock}});
    }
    return jobs;
}

} // namespace bench
