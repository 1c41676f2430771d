// A processing-sheet file (".jgd") as the processing document opens it: read
// into a fresh sheet and taken over, then paged and drawn (first, last and
// cover pages, screen and printer), summarised and drawn again, its bar tags
// built and drawn (the document's two derived sheets), checked,
// written into worksheets with the shapes' pictures, numbered, and saved;
// what was saved opens again and writes the same bytes.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "platform/xlsx/workbook.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtable.h"

#include <memory>

namespace {

QByteArray save(CVes_ProcessTable& table)
{
    platform::Archive out;
    table.Serialize(out);
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::prepareWithFonts(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_ProcessTable table;
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

    const std::unique_ptr<CVes_ProcessListTable> summary(table.toListSheet(nullptr));
    fuzz::drawPages(*summary);
    CVes_LiaoPaiTable tags;
    table.toLiaoPaiTable(&tags);
    fuzz::drawPages(tags);
    QString findings;
    table.CheckData(findings);
    platform::xlsx::Worksheet detail({QStringLiteral("加工明细单"), false, {}});
    FUZZ_CHECK(table.fillExcel(detail) >= 1);
    platform::xlsx::Worksheet list({QStringLiteral("加工汇总单"), false, {}});
    FUZZ_CHECK(summary->fillExcel(list) >= 1);

    // What the sheet writes reads back and writes the same bytes again.
    const QByteArray written = save(table);
    CVes_ProcessTable back;
    platform::Archive in(written);
    back.Serialize(in);
    FUZZ_CHECK(save(back) == written);

    table.regenData();
    table.Undo();
    clearTheUseRecordArray();
    return 0;
}
