// A shape library file (".jlb"): read as a library, every record drawn and
// measured, the library imported into a second one, and written again; what
// was written reads back and writes the same bytes.

#include "fuzz/fuzzsupport.h"

#include "core/model/modelrecordlib.h"
#include "platform/archive.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_ModelRecordMainLib lib;
    try {
        platform::Archive ar(fuzz::bytesOf(data, size));
        lib.Serialize(ar, 0);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    for (auto& sub : lib.getUselibArray()) {
        for (auto& record : sub->getModelArray()) {
            record->calculateSideLen(0);
            fuzz::drawShape(*record);
        }
    }
    // Importing the library into itself adds nothing: every record is there.
    CVes_ModelRecordMainLib target;
    for (const auto& sub : lib.getUselibArray()) {
        CVes_ModelRecordSubLib* into = target.AddNewSubLib(sub->name(), 0);
        into->Append(sub.get());
        const std::size_t once = into->getModelArray().size();
        into->Append(sub.get());
        FUZZ_CHECK(into->getModelArray().size() == once);
    }
    platform::Archive out;
    lib.Serialize(out, 0);
    CVes_ModelRecordMainLib reopened;
    try {
        platform::Archive in(out.data());
        reopened.Serialize(in, 0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "what was written is refused: %s\n", e.what());
        std::abort();
    }
    platform::Archive again;
    reopened.Serialize(again, 0);
    FUZZ_CHECK(again.data() == out.data());
    return 0;
}
