// Shape libraries at the size a busy user's library reaches: importing a
// library file of 6,400 records (against restoring the same file), and
// opening a bar list of 6,400 bars whose shapes no library holds (against
// looking the same keys up once they are cached). Each should take well
// under a second.

#include "core/model/modelrecordlib.h"
#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "platform/archive.h"
#include "tables/barlist/setuptable.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 6400;

// A library file of one sub-library with `n` different two-sided shapes.
QString libraryFile(int n)
{
    static const QString path = [n] {
        CVes_ModelRecordMainLib lib;
        CVes_ModelRecordSubLib* sub = lib.AddNewSubLib(QStringLiteral("导入"), 0);
        for (int i = 0; i < n; ++i) {
            auto record = std::make_unique<CVes_ModelRecord>();
            record->AddLSide(100, 150, 700 + i % 700, 150, 1, 0, 0);
            record->AddLSide(700 + i % 700, 150, 700 + i % 700, 50 + i / 700, 1, 0, 0);
            record->AddVar(QStringLiteral("A"), 400, 120, 60, 6, 0, 0);
            record->m_id = CSteelRecordId(sub->MainId(), i + 1);
            sub->getModelArray().push_back(std::move(record));
        }
        const QString file = QString::fromUtf8(qgetenv("RODO_HOME")) + QStringLiteral("/import.jlb");
        lib.saveLib(file, 0);
        return file;
    }();
    return path;
}

// A bar list whose bars name shapes 150-1 … 150-n, which no library holds.
QByteArray barListOfMissingShapes(int n)
{
    CVes_SetupTable table;
    for (int i = 0; i < n; ++i) {
        CVes_Steel bar;
        bar.setRecordId(CSteelRecordId(150, i + 1));
        bar.setSteelId(QString::number(i + 1));
        table.Add(bar);
    }
    platform::Archive ar;
    table.Serialize(ar);
    clearTheUseRecordArray();
    return ar.data();
}

void ImportLibrary(benchmark::State& state)
{
    const QString file = libraryFile(kRecords);
    for (auto _ : state) {
        CVes_ModelRecordMainLib target;
        benchmark::DoNotOptimize(target.appendLib(file, 0));
    }
    state.counters["records"] = kRecords;
}

void RestoreLibrary(benchmark::State& state)
{
    const QString file = libraryFile(kRecords);
    for (auto _ : state) {
        CVes_ModelRecordMainLib target;
        benchmark::DoNotOptimize(target.restoreLib(file, 0));
    }
}

void OpenBarListOfMissingShapes(benchmark::State& state)
{
    const QByteArray bytes = barListOfMissingShapes(kRecords);
    for (auto _ : state) {
        state.PauseTiming();
        clearTheUseRecordArray();
        CVes_SetupTable table;
        state.ResumeTiming();
        platform::Archive ar(bytes);
        table.Serialize(ar);
    }
    state.counters["bars"] = kRecords;
}

void LookUpMissingKeys(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        clearTheUseRecordArray();
        state.ResumeTiming();
        for (int i = 0; i < kRecords; ++i)
            benchmark::DoNotOptimize(getUseModelRecord(CSteelRecordId(150, i + 1)));
    }
    state.counters["keys"] = kRecords;
}

} // namespace

BENCHMARK(ImportLibrary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RestoreLibrary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenBarListOfMissingShapes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LookUpMissingKeys)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    clearTheUseRecordArray();
    return 0;
}
