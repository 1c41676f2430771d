// The bar-tag sheets as the documents build them: from a processing sheet
// (".jgd") or a bar list (".pld") read from the input as its document opens
// it (the first byte chooses which), in every tag kind the file may ask for.
// Every sheet is then paged and drawn in all six layouts on the screen and
// on a printer, and hit-tested; every tag must land on a page.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "platform/recordingdc.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtable.h"

#include <memory>

namespace {

void drawOn(CVes_LiaoPaiTable& table, bool printing)
{
    platform::RecordingDc::Device device;
    device.printing = printing;
    platform::RecordingDc dc(device);
    table.Draw(&dc, platform::Rect(0, 0, 1024, 768));
}

// Every page of every layout, the first and last also on paper; the tags
// shown over all pages are all the tags.
void drawEveryLayout(CVes_LiaoPaiTable& table)
{
    const qsizetype tags = table.lines().size();
    for (int layout = 0; layout < CVes_LiaoPaiTable::kLayoutCount; ++layout) {
        table.setLiaoPaiDerect(unsigned(layout));
        const int pages = table.resetPages();
        qsizetype shown = 0;
        for (int page = 1; page <= pages && page <= 50; ++page) {
            table.setPageTo(page, 1);
            drawOn(table, page == 1 || page == pages);
            shown += std::min<qsizetype>(table.pageLines().size(),
                                         CVes_LiaoPaiTable::tagsPerPage(layout));
            int row = 0;
            int column = 0;
            table.HitTest(QPoint(300, 300), row, column);
        }
        if (pages <= 50)
            FUZZ_CHECK(shown == tags);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    CVes_LiaoPaiTable tags;
    if (data[0] % 2 == 0) {
        CVes_ProcessTable sheet;
        if (!fuzz::load(sheet, bytes))
            return 0;
        for (int type = 0; type < 3; ++type) {
            sheet.setLiaoPaiType(unsigned(type));
            sheet.toLiaoPaiTable(&tags);
            drawEveryLayout(tags);
        }
    } else {
        CVes_SetupTable list;
        if (!fuzz::load(list, bytes))
            return 0;
        for (int mode = 0; mode < 5; ++mode) {
            list.setLiaoPaiType(unsigned(mode));
            list.toLiaoPaiTable(&tags);
            drawEveryLayout(tags);
        }
    }
    clearTheUseRecordArray();
    return 0;
}
