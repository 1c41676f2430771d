#pragma once
// What the benchmarks share: a data folder of their own, a bar list as a
// detailer's would be, and timing that other programs running at the same
// time disturb as little as possible.

#include "tables/barlist/setuptable.h"
#include "tables/barlist/setuptableline.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <iterator>

namespace bench {

// Points $RODO_HOME at a new temporary folder (seeded on first use) and the
// Qt platform at the offscreen one unless another is set. Call before the
// application object is made.
inline void useOwnDataFolder(const QTemporaryDir& home)
{
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// `rows` rows: element headings every 20 rows, the rest bars over a few
// default shapes with numbers and Chinese remarks.
inline void fillBarList(CVes_SetupTable& table, int rows)
{
    const CSteelRecordId keys[] = {{190, 1}, {190, 2}, {191, 1}, {191, 2}, {191, 5}, {192, 1}, {193, 1}};
    for (int i = 0; i < rows; ++i) {
        const bool element = i % 20 == 0;
        auto* line = new CVes_SetupTableLine(
            int(element ? CVes_SetupTableLine::kElementLine : CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        if (element) {
            line->setElement(QStringLiteral("KL%1(2A) 框架梁").arg(i / 20 + 1));
            line->setEleNum(2);
        } else {
            CVes_Steel* bar = line->getSetupSteel();
            bar->setRecordId(keys[i % std::size(keys)]);
            bar->number = QString::number(i % 20);
            bar->grade = 3;
            bar->DN = float(8 + 2 * (i % 10));
            bar->count = 1 + i % 7;
            bar->remark = i % 3 ? QStringLiteral("上部通长筋") : QString();
        }
        table.appendLine(line);
    }
}

enum class Clock { Wall, ThisThread };

inline double nowMs(Clock clock)
{
    if (clock == Clock::Wall)
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The fastest of `rounds` rounds after one to warm up: other programs only
// ever slow a round down. The thread's processor time leaves out the time
// other programs took the processor; wall time counts the disk's too.
inline double bestMs(const std::function<void()>& work, int rounds, Clock clock = Clock::Wall)
{
    work();
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const double start = nowMs(clock);
        work();
        best = std::min(best, nowMs(clock) - start);
    }
    return best;
}

} // namespace bench
