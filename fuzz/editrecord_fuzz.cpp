// The recently entered cell values ("user_EditRecord.dat"): read, written
// and read again; the second reading gives what was written.

#include "fuzz/fuzzsupport.h"

#include "tables/framework/editrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_EditRecordStore store;
    store.fromBytes(fuzz::bytesOf(data, size));
    const QByteArray written = store.toBytes();
    CVes_EditRecordStore back;
    back.fromBytes(written);
    FUZZ_CHECK(back.toBytes() == written);
    for (int category = 1; category <= 7; ++category)
        FUZZ_CHECK(back.values(category).size() <= CVes_EditRecordStore::kSavedPerList);
    return 0;
}
