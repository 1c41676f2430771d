// A processing-sheet file (".jgd") as the processing document opens it: read
// into a fresh sheet and taken over, then paged and drawn (screen and
// printer), summarised and drawn again, checked, written into worksheets,
// numbered, and saved; what was saved opens again and writes the same bytes.

#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/processing/processtable.h"

#include <QDir>
#include <QGuiApplication>
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

void drawOn(CVes_TableBase& table, bool printing)
{
    platform::RecordingDc::Device device;
    device.printing = printing;
    platform::RecordingDc dc(device);
    table.Draw(&dc, platform::Rect(0, 0, 1024, 768));
}

// The first and the last page on the screen and on paper.
void drawPages(CVes_TableBase& table)
{
    table.firstPage();
    drawOn(table, false);
    table.endPage();
    drawOn(table, true);
    table.PrevPage();
    table.nextPage();
    drawOn(table, false);
}

QByteArray save(CVes_ProcessTable& table)
{
    platform::Archive out;
    table.Serialize(out);
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // A data folder of the run's own; fonts for the shape pictures of the
    // worksheets.
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/rodo-fuzz-XXXXXX"));
    qputenv("RODO_HOME", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CVes_ProcessTable table;
    std::unique_ptr<CVes_TableBase> fresh = table.createEmpty();
    try {
        platform::Archive ar(bytes);
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    table.takeOver(*fresh);
    drawPages(table);

    const std::unique_ptr<CVes_ProcessListTable> summary(table.toListSheet(nullptr));
    drawPages(*summary);
    QString findings;
    table.CheckData(findings);
    platform::xlsx::Worksheet detail({QStringLiteral("加工明细单"), false, {}});
    check(table.fillExcel(detail) >= 1);
    platform::xlsx::Worksheet list({QStringLiteral("加工汇总单"), false, {}});
    check(summary->fillExcel(list) >= 1);

    // What the sheet writes reads back and writes the same bytes again. A
    // text that the file's code page cannot hold is not written: the save
    // fails, as it does in the program.
    QByteArray written;
    try {
        written = save(table);
    } catch (const platform::ArchiveError&) {
        clearTheUseRecordArray();
        return 0;
    }
    CVes_ProcessTable back;
    platform::Archive in(written);
    back.Serialize(in);
    check(save(back) == written);

    table.regenData();
    table.Undo();
    clearTheUseRecordArray();
    return 0;
}
