// A quantity-sheet file (".ylb") as the sheet opens it: read into a fresh
// sheet and taken over, then paged and drawn (first, last and cover pages,
// screen and printer), numbered, checked, written into its worksheet and
// saved; what was saved opens again and saves to the same bytes.
//
// The input is the quantity sheet's own part: it follows the table part that
// a new sheet writes (the table part's reader has a target of its own).

#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/quantity/sltable.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Stops the run with the failed condition, so that the finding says which.
#define FUZZ_CHECK(condition)                                                              \
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

void drawPages(CVes_TableBase& table)
{
    table.firstPage();
    drawOn(table, false);
    table.endPage();
    drawOn(table, true);
    table.PrevPage();
    drawOn(table, false);
    table.setPageTo(0, 0);
    drawOn(table, true);
}

QByteArray stored(CVes_SLTable& table)
{
    platform::Archive out;
    table.Serialize(out);
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/rodo-fuzz-XXXXXX"));
    qputenv("RODO_HOME", home.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The shape pictures of the worksheet are drawn with fonts. The
    // application lives as long as the process.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray tablePart = [] {
        CVes_SLTable sheet;
        platform::Archive ar;
        sheet.CVes_TableBase::Serialize(ar);
        return ar.data();
    }();
    CVes_SLTable table;
    std::unique_ptr<CVes_TableBase> fresh = table.createEmpty();
    try {
        platform::Archive ar(tablePart
                             + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    table.takeOver(*fresh);
    drawPages(table);
    QString report;
    table.CheckData(report);

    platform::xlsx::WorkbookTemplate layout;
    platform::xlsx::SheetTemplate detail;
    detail.name = QStringLiteral("钢筋用量明细表");
    layout.sheets.push_back(detail);
    platform::xlsx::Workbook book;
    book.setTemplate(layout);
    table.fillWorksheet(book.sheetAt(0), 10);

    // What was read is written again, and reads back to the same bytes. A
    // text the archive cannot write refuses the save as a whole.
    QByteArray first;
    try {
        first = stored(table);
    } catch (const platform::TextEncodingError&) {
    }
    if (!first.isEmpty()) {
        CVes_SLTable back;
        platform::Archive in(first);
        back.Serialize(in);
        FUZZ_CHECK(stored(back) == first);
    }

    table.numSteel(1, 1);
    table.Undo();
    clearTheUseRecordArray();
    return 0;
}
