// The bar and reference streams inside every sheet file: a bar of a bar
// list, a bare shape reference and a start-style reference, chosen by the
// first byte. What reads is measured and drawn as the sheets would.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "platform/archive.h"


extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

namespace {

template <typename T>
bool read(T& item, platform::Archive& ar)
{
    try {
        item.Serialize(ar);
        return true;
    } catch (const platform::ArchiveError&) {
    } catch (const platform::SchemaError&) {
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    platform::Archive ar(fuzz::bytesOf(data + 1, size - 1));
    switch (data[0] % 3) {
    case 0: {
        CVes_Steel bar;
        if (read(bar, ar)) {
            fuzz::measureBar(bar);
            fuzz::drawReference(bar);
            fuzz::drawReference(bar.start);
            CVes_Steel copy(bar);
            copy.isSame(bar);
        }
        break;
    }
    case 1: {
        CVes_ModelReference reference;
        if (read(reference, ar))
            fuzz::drawReference(reference);
        break;
    }
    default: {
        CVes_SteelStartReference start;
        if (read(start, ar))
            fuzz::drawReference(start);
        break;
    }
    }
    clearTheUseRecordArray();
    return 0;
}
