// A single shape file (".stl"): read as a record, measured, drawn, and
// written again; what was written reads back whole and writes the same bytes.

#include "fuzz/fuzzsupport.h"

#include "core/model/modelrecord.h"
#include "platform/archive.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_ModelRecord record;
    try {
        platform::Archive ar(fuzz::bytesOf(data, size));
        record.Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    record.calculateSideLen(0);
    record.calculateSideLen(1);
    fuzz::drawShape(record);

    platform::Archive out;
    try {
        record.Serialize(out);
    } catch (const platform::ArchiveError&) {
        // A text the file cannot hold: the export is refused with a message.
        return 0;
    }
    fuzz::checkWrittenReadsBack<CVes_ModelRecord>(out.data());
    return 0;
}
