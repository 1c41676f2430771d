// The values a user types into a bar, whatever they are: variable values
// and second values, diameter, count, hooks, connections and grouping, on
// every default shape. The bar is measured, drawn, and totalled on a
// bar-list page; no value may reach undefined behaviour in the length rules,
// the drawing or the page's quantities.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "tables/barlist/setuptable.h"

#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

namespace {

// The default shape libraries' sub-libraries and their shape counts.
constexpr int kShapes[][2] = {{190, 7}, {191, 10}, {192, 6}, {193, 3}, {194, 3}, {195, 3}};

CVes_Steel barFrom(fuzz::Input& in)
{
    const auto& [mainId, count] = kShapes[in.take<std::uint8_t>() % std::size(kShapes)];
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId(mainId, 1 + in.take<std::uint8_t>() % count));
    bar.setSteelId(QStringLiteral("1"));
    // Taken one at a time: the order of a call's arguments is not fixed, and
    // the seeds give the values in this order.
    const int grade = 1 + in.take<std::uint8_t>() % 5;
    const float diameter = in.take<float>();
    const int kind = in.take<std::uint8_t>() % 2;
    bar.setSteel(grade, diameter, kind);
    bar.setNum(in.take<std::int32_t>());
    const std::uint8_t flags = in.take<std::uint8_t>();
    bar.setMultiVal(flags & 1);
    bar.setMultiGroup(in.take<std::int32_t>());
    bar.setStirrup((flags >> 1) & 1);
    const auto hook = [&in](CVes_Hook h) {
        h.enabled = in.take<std::uint8_t>() & 1;
        h.kind = in.take<std::uint8_t>() % 5;
        return h;
    };
    bar.setHookLeft(hook(bar.getHookLeft()));
    bar.setHookRight(hook(bar.getHookRight()));
    bar.getLConnect()->type = in.take<std::uint8_t>() % 10;
    bar.getRConnect()->type = in.take<std::uint8_t>() % 10;
    bar.getFirstMidConnect()->stat = 1;
    bar.getFirstMidConnect()->fixedLength = in.take<std::int32_t>();
    std::vector<QString> names;
    for (const auto& variable : bar.getVarArray())
        names.push_back(variable->m_text);
    for (const QString& name : names) {
        bar.setVarValue(name, in.take<double>());
        bar.setVarValueE(name, in.take<double>());
    }
    return bar;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    CVes_Steel bar = barFrom(in);
    fuzz::measureBar(bar);
    fuzz::drawReference(bar);

    CVes_SetupTable table;
    table.Add(bar);
    fuzz::drawPages(table);
    QString findings;
    table.CheckData(findings);
    clearTheUseRecordArray();
    return 0;
}
