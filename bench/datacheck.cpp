// The data check (F3) of valid bar lists of 1,000, 4,000 and 10,000 bars:
// elements of twenty bars drawn from a set of numbered bars, each number
// used by equal bars in several elements, as a numbered list of a building
// has them. The time should grow no faster than n log n.

#include "bench/benchsupport.h"
#include "core/model/recordcache.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kBarsPerElement = 20;

struct Shape {
    CSteelRecordId key;
    std::vector<const char*> vars;
};

const std::vector<Shape>& shapes()
{
    static const std::vector<Shape> all{
        {{190, 1}, {"L"}},         {{190, 2}, {"L"}},         {{191, 1}, {"L1", "L2"}},
        {{191, 2}, {"L1", "L2", "L3"}}, {{192, 1}, {"H", "B"}}, {{193, 1}, {"L"}},
    };
    return all;
}

// A list of `bars` bars in which every fifth bar or so repeats the number
// and the bar of another row: clean under the check.
std::unique_ptr<CVes_SetupTable> validList(int bars)
{
    std::mt19937 rng(20240611u);
    const auto below = [&rng](int n) { return int(rng() % unsigned(n)); };
    static const float kSizes[] = {8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32};
    std::vector<CVes_Steel> kinds(std::size_t(bars / 5 + 1));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        CVes_Steel& bar = kinds[i];
        const Shape& shape = shapes()[std::size_t(below(int(shapes().size())))];
        bar.setRecordId(shape.key);
        bar.setDN(kSizes[below(int(std::size(kSizes)))]);
        bar.grade = below(4) == 0 ? 1 : 3;
        for (const char* name : shape.vars)
            bar.setVarValue(QString::fromUtf8(name), double(150 + below(450)) * 10.0);
        bar.count = 1 + below(12);
        bar.number = QString::number(i + 1);
        bar.getFirstMidConnect()->stat = 0;
    }
    auto list = std::make_unique<CVes_SetupTable>();
    list->clearnAllLine();
    for (int i = 0; i < bars; ++i) {
        if (i % kBarsPerElement == 0) {
            auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
            element->setNull(0);
            element->setElement(QStringLiteral("KL%1").arg(i / kBarsPerElement + 1));
            element->setEleNum(1 + below(3));
            list->appendLine(element);
        }
        list->Add(kinds[std::size_t(below(int(kinds.size())))]);
    }
    list->refreshCurPage();
    return list;
}

void DataCheck(benchmark::State& state)
{
    const std::unique_ptr<CVes_SetupTable> list = validList(int(state.range(0)));
    int clean = 1;
    for (auto _ : state) {
        QString findings;
        clean &= list->CheckData(findings);
    }
    if (!clean)
        state.SkipWithError("the generated list is not clean");
    state.counters["bars"] = double(state.range(0));
}

} // namespace

BENCHMARK(DataCheck)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::useOwnDataFolder(home);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    clearTheUseRecordArray();
    return 0;
}
