#pragma once
// Large bar lists made up for tests and benchmarks: elements of bars on
// every shape of the default libraries, with shop-like sizes, lengths and
// counts; some bars repeat across elements, as they do in real buildings.
// The same seed always gives the same list.

#include "tables/barlist/setuptable.h"

#include <QString>

#include <random>
#include <vector>

namespace test {

struct GeneratedShape {
    CSteelRecordId key;
    std::vector<const char*> vars;
};

// The shapes of the default libraries and the dimensions each is given.
inline const std::vector<GeneratedShape>& generatedShapes()
{
    static const std::vector<GeneratedShape> shapes{
        {{190, 1}, {"L"}},         {{190, 2}, {"L"}},           {{190, 4}, {"L"}},
        {{190, 6}, {"L"}},         {{191, 1}, {"L1", "L2"}},    {{191, 2}, {"L1", "L2", "L3"}},
        {{191, 3}, {"L1", "L2", "L3"}}, {{191, 4}, {"L1", "H", "L2"}}, {{192, 1}, {"H", "B"}},
        {{192, 2}, {"H", "B"}},    {{192, 3}, {"H", "B"}},      {{193, 1}, {"L"}},
        {{194, 2}, {"H", "B"}},    {{195, 1}, {"L1", "L2"}},
    };
    return shapes;
}

// Replaces the rows of `list` with `elements` elements of `barsPerElement`
// bars each.
inline void fillGeneratedList(CVes_SetupTable& list, int elements, int barsPerElement,
                              unsigned seed = 20261210)
{
    std::mt19937 rng(seed);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    static const float kSizes[] = {8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 32};
    list.clearnAllLine();
    list.m_texts[2].m_formula = QStringLiteral("滨江花园3号楼");
    list.m_texts[3].m_formula = QStringLiteral("二层梁柱板");
    int number = 0;
    for (int e = 0; e < elements; ++e) {
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QString::asprintf("KL%d", e + 1));
        element->setEleNum(pick(1, 4));
        list.appendLine(element);
        for (int i = 0; i < barsPerElement; ++i) {
            // One bar in four repeats a bar of an earlier element.
            const bool repeat = e > 0 && pick(0, 3) == 0;
            std::mt19937 local(repeat ? unsigned(pick(0, e - 1) * 1000 + i) : rng());
            const auto choose = [&local](int low, int high) {
                return std::uniform_int_distribution<int>(low, high)(local);
            };
            const GeneratedShape& shape = generatedShapes()[std::size_t(
                choose(0, int(generatedShapes().size()) - 1))];
            CVes_Steel bar;
            bar.setRecordId(shape.key);
            bar.setDN(kSizes[choose(0, int(std::size(kSizes)) - 1)]);
            bar.grade = choose(0, 3) == 0 ? 1 : 3;
            for (const char* name : shape.vars)
                bar.setVarValue(QString::fromUtf8(name), double(choose(15, 600) * 10));
            bar.count = choose(1, 12);
            bar.number = QString::number(++number);
            bar.getFirstMidConnect()->stat = 0;
            list.Add(bar);
        }
    }
    list.refreshCurPage();
}

} // namespace test
