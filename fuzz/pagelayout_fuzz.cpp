// The page layout as the page-setup dialog and the view may leave it,
// whatever the values: margins, paper, rows per page, row and text heights,
// column widths, zoom and scroll. A bar list with a few bars is paged and
// drawn on it; the page drawing must hold every value to what a device can
// take rather than reach undefined behaviour.

#include "fuzz/fuzzsupport.h"
#include "fuzz/pagelayoutvalues.h"

#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "tables/barlist/setuptable.h"

#include <type_traits>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    CVes_SetupTable table;
    for (int i = 0; i < 3; ++i) {
        CVes_Steel bar;
        bar.setRecordId(CSteelRecordId(191, 1 + i));
        bar.setSteelId(QString::number(i + 1));
        table.Add(bar);
    }
    fuzz::forEachLayoutValue(table, [&in](auto& value) {
        value = in.take<std::remove_reference_t<decltype(value)>>();
    });
    fuzz::drawPages(table);
    clearTheUseRecordArray();
    return 0;
}
