// A quantity-sheet file (".ylb") as the quantity document opens it: read
// into a fresh sheet and taken over, then paged and drawn (first, last and
// cover pages, screen and printer), checked and written into its worksheet;
// the sheets the document derives from it (quantity and joint summaries,
// sorted sheet) are built and drawn; the sheet is saved, and what was saved
// opens again and saves to the same bytes; last it is numbered and the
// numbering undone.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "platform/xlsx/workbook.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"


namespace {

void deriveSheets(CVes_SLTable& sheet)
{
    CVes_SLSumaryTable summary;
    sheet.SummarySTeel(&summary);
    fuzz::drawPages(summary);
    CVes_SLSumaryJTtable joints;
    sheet.SummaryJT(&joints);
    fuzz::drawPages(joints);
    CVes_SortBarSheet sorted;
    sheet.SortSteel(&sorted);
    fuzz::drawPages(sorted);
}

void fillWorksheet(CVes_SLTable& sheet)
{
    platform::xlsx::WorkbookTemplate layout;
    platform::xlsx::SheetTemplate detail;
    detail.name = QStringLiteral("钢筋用量明细表");
    layout.sheets.push_back(detail);
    platform::xlsx::Workbook book;
    book.setTemplate(layout);
    sheet.fillWorksheet(book.sheetAt(0), 10);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::prepareWithFonts(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_SLTable table;
    if (!fuzz::load(table, fuzz::bytesOf(data, size)))
        return 0;
    fuzz::drawPages(table);
    QString report;
    table.CheckData(report);
    fillWorksheet(table);
    deriveSheets(table);
    fuzz::checkSavedReopens(table);

    table.numSteel(1, 1);
    table.Undo();
    clearTheUseRecordArray();
    return 0;
}
