// Cutting lengths of many bars over the default shapes: what a bar list of
// several thousand rows costs each time it is drawn or totalled.

#include "core/model/recordcache.h"
#include "core/model/steel.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    QCoreApplication app(argc, argv);

    const CSteelRecordId keys[] = {{190, 1}, {190, 2}, {191, 1}, {191, 2}, {191, 5},
                                   {192, 1}, {193, 1}};
    std::vector<CVes_Steel> bars(5000);
    for (size_t i = 0; i < bars.size(); ++i) {
        bars[i].setRecordId(keys[i % std::size(keys)]);
        bars[i].setDN(float(8 + 2 * (i % 10)));
    }

    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        double total = 0;
        for (CVes_Steel& bar : bars)
            total += bar.getLength(0, 1.0);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("round %d: %zu bars, total %.0f mm, %.1f ms (%.2f us a bar)\n", round, bars.size(),
                    total, ms, 1000.0 * ms / double(bars.size()));
    }
    clearTheUseRecordArray();
    return 0;
}
