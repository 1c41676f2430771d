// Numbering the bars of big lists (CVes_SetupTable::NumberSteel) by each of
// the bar list's five numbering commands: the generated lists of the other
// benchmarks (bars of many shapes and sizes, some repeating) and lists of a
// few shapes and sizes (bench::fillBarList), of 10,000 and 50,000 rows,
// each also with its numbers half done. Each run prints its processor time
// and whether the numbers and the list's stored bytes are those recorded
// in tests/tables/barlist/fixtures/numbering_big.sha1.
//
//   bench_numbering [10000|50000]...        (both without)
//   bench_numbering record FILE [ROWS...]   writes the digests instead

#include "bench/benchsupport.h"

#include "platform/archive.h"
#include "platform/savefile.h"
#include "tests/support/generatedbarlist.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>
#include <random>

namespace {

struct Command {
    const char* name;
    int share, all, continuous;
};
constexpr Command kCommands[] = {
    {"all-shared", 1, 1, 1},      {"all-own", 0, 1, 1},       {"unnumbered", 1, 0, 1},
    {"per-element", 0, 1, 0},     {"per-element-shared", 1, 1, 0},
};

// Numbers as a user leaves them half done: a third taken away, some "0",
// some rows locked.
void halfDone(CVes_SetupTable& list)
{
    std::mt19937 rng(11);
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
        CVes_Steel* bar = line && !line->isNull() ? line->getSetupSteel() : nullptr;
        if (!bar)
            continue;
        switch (rng() % 9) {
        case 0:
        case 1:
        case 2: bar->number.clear(); break;
        case 3: bar->number = QStringLiteral("0"); break;
        case 4: line->setLock(1); break;
        default: break;
        }
    }
}

struct List {
    QString name;
    std::function<void(CVes_SetupTable&)> fill;
};

std::vector<List> listsOf(int rows)
{
    const auto generated = [rows](CVes_SetupTable& l) { test::fillGeneratedList(l, rows / 50, 50); };
    const auto fewShapes = [rows](CVes_SetupTable& l) {
        bench::fillBarList(l, rows);
        l.refreshCurPage();
    };
    return {
        {QStringLiteral("generated%1").arg(rows), generated},
        {QStringLiteral("generated%1-half-done").arg(rows), [=](CVes_SetupTable& l) { generated(l); halfDone(l); }},
        {QStringLiteral("few-shapes%1").arg(rows), fewShapes},
        {QStringLiteral("few-shapes%1-half-done").arg(rows), [=](CVes_SetupTable& l) { fewShapes(l); halfDone(l); }},
    };
}

QByteArray sha1(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QByteArray digestOf(CVes_SetupTable& list)
{
    QStringList numbers;
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
        if (const CVes_Steel* bar = line && !line->isNull() ? line->getSetupSteel() : nullptr)
            numbers << (bar->number.isEmpty() ? QStringLiteral("-") : bar->number);
    }
    platform::Archive ar;
    list.Serialize(ar);
    return sha1(numbers.join(u',').toUtf8()) + ' ' + sha1(ar.data());
}

QString fixture()
{
    return QStringLiteral(RODO_SOURCE_DIR "/tests/tables/barlist/fixtures/numbering_big.sha1");
}

std::map<QByteArray, QByteArray> recorded()
{
    std::map<QByteArray, QByteArray> digests;
    QFile file(fixture());
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            const qsizetype space = line.indexOf(' ');
            if (space > 0 && !line.startsWith('#'))
                digests[line.left(space)] = line.mid(space + 1).trimmed();
        }
    }
    return digests;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    bench::useOwnDataFolder(folder);
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString recordFile;
    if (args.value(0) == QLatin1String("record")) {
        recordFile = args.value(1);
        args = args.mid(2);
    }
    std::vector<int> sizes;
    for (const QString& arg : args)
        sizes.push_back(arg.toInt());
    if (sizes.empty())
        sizes = {10000, 50000};

    const auto kept = recorded();
    QByteArray lines("# A list and command, then SHA-1 of its bar numbers (\"-\" for none, joined by \",\")\n"
                     "# and of its stored bytes after numbering.\n");
    std::printf("%-28s %-20s %10s  %s\n", "list", "command", "time", "numbers and list");
    for (const int rows : sizes) {
        for (const List& list : listsOf(rows)) {
            for (const Command& command : kCommands) {
                CVes_SetupTable table;
                list.fill(table);
                const double start = bench::nowMs(bench::Clock::ThisThread);
                table.NumberSteel(command.share, command.all, command.continuous);
                const double ms = bench::nowMs(bench::Clock::ThisThread) - start;
                const QByteArray name = list.name.toUtf8() + '/' + command.name;
                const QByteArray digest = digestOf(table);
                lines += name + ' ' + digest + '\n';
                const auto found = kept.find(name);
                std::printf("%-28s %-20s %7.0f ms  %s\n", qPrintable(list.name), command.name, ms,
                            found == kept.end()         ? "not recorded"
                            : found->second == digest ? "the same as recorded"
                                                      : "DIFFER");
                std::fflush(stdout);
            }
        }
    }
    if (!recordFile.isEmpty() && !platform::saveFile(recordFile, lines))
        return 1;
    return 0;
}
