// The bar-tag sheet's file part (a template read into the sheet), and the tag
// sheets built from a processing sheet or a bar list read from the same
// bytes: the first byte chooses which. Every sheet is then paged and drawn in
// all six layouts on the screen and on a printer, and hit-tested; every tag
// must land on a page.

#include "core/model/processsteel.h"
#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtable.h"
#include "tables/processing/processtableeditline.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// Stops the run with the failed condition, so that the finding says which.
#define check(condition)                                                                   \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);   \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace {

// Reads the bytes into a fresh table of the same kind and takes it over, as
// opening a file does; false when the bytes are refused.
bool load(CVes_TableBase& table, const QByteArray& bytes)
{
    std::unique_ptr<CVes_TableBase> fresh = table.createEmpty();
    try {
        platform::Archive ar(bytes);
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return false;
    } catch (const platform::SchemaError&) {
        return false;
    }
    table.takeOver(*fresh);
    return true;
}

// A processing sheet of a few bars without shapes under two elements.
void fillSheet(CVes_ProcessTable& sheet)
{
    for (int e = 0; e < 2; ++e) {
        auto* element = new CVes_ProcessTableEditLine(CVes_ProcessTableEditLine::kEleRow);
        element->setEle(QStringLiteral("KL%1|A").arg(e));
        element->setNull(0);
        sheet.appendLine(element);
        for (int b = 0; b < 7; ++b) {
            CVes_ProcessSteel bar;
            bar.number = QString::number(b);
            bar.count = b + 1;
            bar.calcLength = 0;
            bar.length = 1000.0f + 100 * b;
            bar.setNull(0);
            auto* line = new CVes_ProcessTableEditLine();
            line->setSteel(bar);
            sheet.appendLine(line);
        }
    }
    sheet.regenData();
}

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
            check(shown == tags);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A data folder of the run's own.
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/rodo-fuzz-XXXXXX"));
    qputenv("RODO_HOME", home.path().toUtf8());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    CVes_LiaoPaiTable tags;
    switch (data[0] % 3) {
    case 0: {
        if (!load(tags, bytes))
            return 0;
        CVes_ProcessTable sheet;
        fillSheet(sheet);
        sheet.toLiaoPaiTable(&tags);
        break;
    }
    case 1: {
        CVes_ProcessTable sheet;
        if (!load(sheet, bytes))
            return 0;
        for (int type = 0; type < 3; ++type) {
            sheet.setLiaoPaiType(unsigned(type));
            sheet.toLiaoPaiTable(&tags);
        }
        break;
    }
    default: {
        CVes_SetupTable list;
        if (!load(list, bytes))
            return 0;
        for (int mode = 0; mode < 5; ++mode) {
            list.setLiaoPaiType(unsigned(mode));
            list.toLiaoPaiTable(&tags);
        }
        break;
    }
    }
    drawEveryLayout(tags);
    clearTheUseRecordArray();
    return 0;
}
