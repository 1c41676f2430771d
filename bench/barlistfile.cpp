// Saving and opening a bar list of 10,000 rows against writing and reading
// the same bytes raw: what the file format itself costs on top of the disk.

#include "bench/benchsupport.h"
#include "platform/archive.h"
#include "platform/savefile.h"

#include <QApplication>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRounds = 7;

double bestMs(const std::function<void()>& work)
{
    return bench::bestMs(work, kRounds);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::useOwnDataFolder(home);
    QApplication app(argc, argv);

    CVes_SetupTable table;
    bench::fillBarList(table, kRows);
    const QString path = home.filePath(QStringLiteral("list.pld"));
    const QString rawPath = home.filePath(QStringLiteral("raw.bin"));
    if (!table.SaveFile(path)) {
        std::fprintf(stderr, "the bar list could not be saved\n");
        return 1;
    }
    QByteArray bytes;
    platform::readFile(path, &bytes);

    const double save = bestMs([&] { table.SaveFile(path); });
    const double rawWrite = bestMs([&] { platform::saveFile(rawPath, bytes); });
    int opened = 1;
    const double load = bestMs([&] {
        CVes_SetupTable loaded;
        opened &= loaded.OpenFile(path);
    });
    const double rawRead = bestMs([&] {
        QByteArray read;
        platform::readFile(rawPath, &read);
    });
    if (!opened) {
        std::fprintf(stderr, "the bar list could not be opened\n");
        return 1;
    }

    // The stream alone, without the disk. Reading also starts the undo
    // history afresh from a deep copy of every row; that copy is timed on
    // its own as well.
    const double store = bestMs([&] {
        platform::Archive ar;
        table.Serialize(ar);
    });
    const double parse = bestMs([&] {
        CVes_SetupTable read;
        platform::Archive ar(bytes);
        read.Serialize(ar);
    });

    CVes_SetupTable list;
    list.OpenFile(path);
    const double snapshot = bestMs([&] { list.resetUndo(); });

    std::printf("bar list of %d rows, %lld bytes (best of %d rounds)\n", kRows, (long long)bytes.size(), kRounds);
    std::printf("save %8.2f ms   raw write %8.2f ms   ratio %6.2f\n", save, rawWrite, save / rawWrite);
    std::printf("open %8.2f ms   raw read  %8.2f ms   ratio %6.2f\n", load, rawRead, load / rawRead);
    std::printf("the stream alone: written %.2f ms, read %.2f ms (the undo copy of the rows %.2f ms)\n",
                store, parse, snapshot);
    return 0;
}
