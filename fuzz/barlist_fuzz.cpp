// A bar-list file (".pld") as the bar-list document opens it: read into a
// fresh table and taken over, then paged and drawn (first, last and cover
// pages, screen and printer) and checked; every sheet the document derives
// from it is built as its tab builds it and drawn (quantity and joint
// summaries, sorted sheet, purchase sheet, bar tags, cutting list, table of
// contents); then the list is saved, and what was saved opens again and
// saves to the same bytes.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablecontents.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"


namespace {

// The cutting list of the first size the list has to cut, as the cutting
// tab makes it once the user chose that size.
void cutFirstSize(CVes_SetupTable& list, CVes_YouhuaDuanLiaoTable& cut)
{
    CuttingJob job = list.prepareDuanLiao();
    if (job.groups().empty())
        return;
    const CuttingJob::Group& first = job.groups().front();
    job.choose(first.grade, first.diameter, list.getYuanCaiLib());
    if (job.cut())
        job.fill(cut);
}

void deriveSheets(CVes_SetupTable& list)
{
    CVes_SLSumaryTable summary;
    list.SummarySTeel(&summary, 0);
    fuzz::drawPages(summary);
    CVes_SLSumaryJTtable joints;
    list.SummaryJT(&joints);
    fuzz::drawPages(joints);
    CVes_SortBarSheet sorted;
    list.SortSteel(&sorted, 0);
    fuzz::drawPages(sorted);
    CVes_SteelJinHuoSumaryTable purchase;
    list.JinHuo(&purchase);
    fuzz::drawPages(purchase);
    CVes_LiaoPaiTable tags;
    list.toLiaoPaiTable(&tags);
    fuzz::drawPages(tags);
    CVes_YouhuaDuanLiaoTable cut;
    cutFirstSize(list, cut);
    fuzz::drawPages(cut);
    CVes_TableContents contents;
    list.TableContens(&contents);
    fuzz::drawPages(contents);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::prepareWithFonts(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVes_SetupTable table;
    if (!fuzz::load(table, fuzz::bytesOf(data, size)))
        return 0;
    fuzz::drawPages(table);
    QString findings;
    table.CheckData(findings);
    deriveSheets(table);
    fuzz::checkSavedReopens(table);
    clearTheUseRecordArray();
    return 0;
}
