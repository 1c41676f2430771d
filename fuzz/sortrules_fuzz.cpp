// The sort rules ("sortrule.rul" and the block inside sheet files): read,
// used for the loss of a few diameters, written and read back unchanged.

#include "fuzz/fuzzsupport.h"

#include "platform/archive.h"
#include "tables/shared/sortrules.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_SortRules rules;
    try {
        platform::Archive ar(fuzz::bytesOf(data, size));
        rules.Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    for (double d : {6.0, 12.0, 25.0})
        FUZZ_CHECK(std::isfinite(rules.lossPercent(d)));
    platform::Archive out;
    rules.Serialize(out);
    CVes_SortRules back;
    platform::Archive in(out.data());
    back.Serialize(in);
    platform::Archive again;
    back.Serialize(again);
    FUZZ_CHECK(again.data() == out.data());
    return 0;
}
