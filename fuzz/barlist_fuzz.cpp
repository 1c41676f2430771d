// A bar-list file (".pld") as the bar list opens it: read into a fresh
// table and taken over, then paged and drawn (first, last and cover pages,
// screen and printer), checked, and saved; what was saved opens again.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "tables/barlist/setuptable.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_SetupTable table;
    std::unique_ptr<CVes_TableBase> fresh = table.createEmpty();
    try {
        platform::Archive ar(fuzz::bytesOf(data, size));
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    table.takeOver(*fresh);
    fuzz::drawPages(table);
    QString findings;
    table.CheckData(findings);

    platform::Archive out;
    table.Serialize(out);
    CVes_SetupTable back;
    platform::Archive in(out.data());
    back.Serialize(in);
    clearTheUseRecordArray();
    return 0;
}
