// The table of contents of a bar list: one row per element line with the
// element's piece count and the page it stands on.

#include "tables/barlist/setuptable.h"

#include "platform/gbk.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/tabletextline.h"

namespace {

// The entry of an element row is padded with dots to this many GBK bytes.
constexpr int kPortraitEntryBytes = 60;
constexpr int kLandscapeEntryBytes = 93;

} // namespace

CVes_TableContents* CVes_SetupTable::TableContens(CVes_TableContents* contents)
{
    if (contents)
        contents->clearnAllLine();
    else
        contents = new CVes_TableContents;
    contents->m_orientation = m_orientation;
    contents->m_rowNum = m_rowNum;

    const int width = m_orientation == kPortrait ? kPortraitEntryBytes : kLandscapeEntryBytes;
    // Pages as the printed rows fill them, page 1 being the first after the
    // cover.
    forEachLinePlace([&](CVes_TableBaseLine* base, const LinePlace& place) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
        if (!line || !line->isElementLine())
            return true;
        const int page = place.page;
        QString entry = QStringLiteral("%1(%2件)").arg(line->getElement(),
                                                         QString::number(line->getEleNum()));
        const int bytes = platform::gbk::byteLength(entry);
        if (bytes < width)
            entry += QString(width - bytes, QLatin1Char('.'));
        auto row = std::make_unique<CVes_TableTextLine>(QStringList{entry, QString::number(page)});
        row->setNull(0);
        contents->appendLine(std::move(row));
        contents->setModified(1);
        return true;
    });
    return contents;
}
