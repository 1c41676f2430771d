// Saving and opening a bar list of 10,000 rows against writing and reading
// the same bytes raw: what the file format itself costs on top of the disk.

#include "platform/savefile.h"
#include "tables/barlist/setuptable.h"
#include "tables/barlist/setuptableline.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kRounds = 7;

// Element headings every 20 rows, the rest bars over a few default shapes
// with numbers and Chinese remarks, as a detailer's list would hold.
void fill(CVes_SetupTable& table)
{
    const CSteelRecordId keys[] = {{190, 1}, {190, 2}, {191, 1}, {191, 2}, {191, 5}, {192, 1}, {193, 1}};
    for (int i = 0; i < kRows; ++i) {
        if (i % 20 == 0) {
            auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
            element->setElement(QStringLiteral("KL%1(2A) 框架梁").arg(i / 20 + 1));
            element->setEleNum(2);
            element->setNull(0);
            table.appendLine(element);
            continue;
        }
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        CVes_Steel* bar = line->getSetupSteel();
        bar->setRecordId(keys[i % std::size(keys)]);
        bar->number = QString::number(i % 20);
        bar->grade = 3;
        bar->DN = float(8 + 2 * (i % 10));
        bar->count = 1 + i % 7;
        bar->remark = i % 3 ? QStringLiteral("上部通长筋") : QString();
        table.appendLine(line);
    }
}

double median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double timeMs(const std::function<void()>& work)
{
    std::vector<double> rounds;
    for (int r = 0; r < kRounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        rounds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return median(rounds);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CVes_SetupTable table;
    fill(table);
    const QString path = home.filePath(QStringLiteral("list.pld"));
    const QString rawPath = home.filePath(QStringLiteral("raw.bin"));
    if (!table.SaveFile(path)) {
        std::fprintf(stderr, "the bar list could not be saved\n");
        return 1;
    }
    QByteArray bytes;
    platform::readFile(path, &bytes);

    const double save = timeMs([&] { table.SaveFile(path); });
    const double rawWrite = timeMs([&] { platform::saveFile(rawPath, bytes); });
    int opened = 1;
    const double load = timeMs([&] {
        CVes_SetupTable loaded;
        opened &= loaded.OpenFile(path);
    });
    const double rawRead = timeMs([&] {
        QByteArray read;
        platform::readFile(rawPath, &read);
    });
    if (!opened) {
        std::fprintf(stderr, "the bar list could not be opened\n");
        return 1;
    }

    std::printf("bar list of %d rows, %lld bytes (median of %d rounds)\n", kRows, (long long)bytes.size(), kRounds);
    std::printf("save %8.2f ms   raw write %8.2f ms   ratio %6.2f\n", save, rawWrite, save / rawWrite);
    std::printf("open %8.2f ms   raw read  %8.2f ms   ratio %6.2f\n", load, rawRead, load / rawRead);
    return 0;
}
