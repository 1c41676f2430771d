// The cutting optimisation gives the very plans it gave when they were
// recorded: the same stock, the same patterns with the same pieces in the
// same order, the same pieces left over. The recorded jobs are those of the
// optimisation's tests and benchmarks, the cutting lists of the benchmarks'
// 3,000-bar lists, every size of a generated 10,000-row bar list and 20 mm
// of grade 3 of a 50,000-row one (bench_biglists record-plans made them).

#include "tests/support/cuttingplans.h"

#include <gtest/gtest.h>

namespace {

const std::vector<test::RecordedCuttingJob>& recordedJobs()
{
    static const std::vector<test::RecordedCuttingJob> jobs =
        test::readCuttingJobs(QStringLiteral(RODO_FIXTURES_DIR "/cutting_plans.txt"));
    return jobs;
}

struct JobGroup {
    const char* name;
    const char* prefix;  // of the recorded jobs' names
    int jobs;            // how many the group holds
};
void PrintTo(const JobGroup& group, std::ostream* os) { *os << group.name; }

class RecordedPlans : public ::testing::TestWithParam<JobGroup> {};

TEST_P(RecordedPlans, AreMadeAgain)
{
    const JobGroup& group = GetParam();
    int seen = 0;
    for (const test::RecordedCuttingJob& job : recordedJobs()) {
        if (!job.input.name.startsWith(QLatin1String(group.prefix)))
            continue;
        ++seen;
        const QStringList made = test::runCuttingJob(job.input);
        if (made == job.result)
            continue;
        qsizetype at = 0;
        while (at < made.size() && at < job.result.size() && made[at] == job.result[at])
            ++at;
        ADD_FAILURE() << job.input.name.toStdString() << ": line " << at + 1 << " of "
                      << job.result.size() << "\n  recorded: "
                      << job.result.value(at).left(300).toStdString()
                      << "\n  made:     " << made.value(at).left(300).toStdString();
    }
    EXPECT_EQ(seen, group.jobs) << "jobs recorded";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, RecordedPlans,
    ::testing::Values(JobGroup{"RandomShopJobs", "random ", 300},
                      JobGroup{"RandomJobsWithRepeatedKinds", "repeated ", 300},
                      JobGroup{"SelfTest", "self-test", 1},
                      JobGroup{"BenchmarkShopJobs", "shop ", 40},
                      JobGroup{"BenchmarkLargeJob", "large", 1},
                      JobGroup{"CuttingListsOf3000Bars", "3000 bars", 2},
                      JobGroup{"EverySizeOf10000Rows", "10k rows", 18},
                      JobGroup{"OneSizeOf50000Rows", "50k rows", 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
