// The template part of every sheet file (and of template files), or a cover
// file (".fmt"), chosen by the first byte; a page laid out on what was read
// is drawn, and what was read is written again.

#include "fuzz/fuzzsupport.h"

#include "platform/archive.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

namespace {

// A sheet of a few plain rows, so that paging has something to lay out.
class Sheet : public CVes_TableBase {
public:
    Sheet()
    {
        for (int i = 0; i < 3; ++i)
            appendLine(new CVes_TableBaseLine);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Sheet sheet;
    try {
        platform::Archive ar(fuzz::bytesOf(data + 1, size - 1));
        if (data[0] & 1)
            sheet.m_cover.Serialize(ar);
        else
            sheet.CVes_Template::Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
    fuzz::drawPages(sheet);
    platform::Archive out;
    sheet.CVes_Template::Serialize(out);
    Sheet back;
    platform::Archive in(out.data());
    back.CVes_Template::Serialize(in);
    return 0;
}
