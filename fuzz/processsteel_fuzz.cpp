// A row of a processing sheet: the bar with its tags and original numbers,
// measured, drawn and written again; what was written reads back whole and
// writes the same bytes.

#include "fuzz/fuzzsupport.h"

#include "core/model/processsteel.h"
#include "core/model/recordcache.h"
#include "platform/archive.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_ProcessSteel row;
    try {
        platform::Archive ar(fuzz::bytesOf(data, size));
        row.Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    row.isAvailable();
    row.calculateLength(0, 1.0);
    row.getLength(0, 1.0);
    fuzz::drawReference(row);
    platform::Archive out;
    try {
        row.Serialize(out);
    } catch (const platform::ArchiveError&) {
        // A text the file cannot hold: the sheet is not saved.
        clearTheUseRecordArray();
        return 0;
    }
    fuzz::checkWrittenReadsBack<CVes_ProcessSteel>(out.data());
    clearTheUseRecordArray();
    return 0;
}
