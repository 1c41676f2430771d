// The bar list's derived sheets that sort or cut its processing bars: the
// sorted and merged bar table and the optimised cutting list, and the
// working copy of the list that lets them run away from the list's thread.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "core/model/processsteel.h"
#include "platform/archive.h"
#include "platform/gbk.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/processing/processtablelistline.h"
#include "tables/quantity/sortbarsheet.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// A remark line of merged origins is broken before the entry that follows
// this many bytes of entries.
constexpr int kOriginsLineBytes = 90;
// Processing rows in ascending order of their bars by diameter, grade and
// type, whatever the length: the cutting list's groups of one size.
constexpr unsigned int kBySize = 8u | 16u;

// Orders processing summary rows as their own ordering does (a row goes
// first when the other's bar sorts before its bar), by the given sort mode
// rather than the process-wide one.
void sortRows(TableLineList& rows, unsigned int key)
{
    if (rows.size() < 2)
        return;
    std::stable_sort(rows.begin(), rows.end(),
                     [key](CVes_TableBaseLine* a, CVes_TableBaseLine* b) {
                         return CVes_BarCore::lessThan(*b->getSteel(), *a->getSteel(), key);
                     });
}

// "1(2根); 5(3根)": the bar-list numbers a processing bar came from with the
// bars each brought (a graded bar's groups times its bars a group), a line
// broken once its entries pass 90 bytes.
QString originsText(const CVes_ProcessSteel& bar)
{
    const long long perGroup = bar.isMultiVal() ? bar.getMultiGroup() : 1;
    QString text;
    int lineBytes = 0;
    for (const OriginalBH& origin : bar.originalNumbers) {
        const QString entry = QString::asprintf("%s(%lld根)", qUtf8Printable(origin.number),
                                                origin.count * perGroup);
        if (!text.isEmpty()) {
            text += QStringLiteral("; ");
            if (lineBytes > kOriginsLineBytes) {
                text += u'\n';
                lineBytes = 0;
            }
        }
        text += entry;
        lineBytes += platform::gbk::byteLength(entry);
    }
    return text;
}

// The processing rows of the list, ordered; the caller owns them.
struct ProcessRows {
    TableLineList rows;
    ~ProcessRows() { qDeleteAll(rows); }
};

} // namespace

CVes_SortBarSheet* CVes_SetupTable::SortSteel(CVes_SortBarSheet* sheet, unsigned int mode)
{
    if (mode < 6)
        m_huizong.m_mode = int(mode);
    if (!sheet) {
        sheet = new CVes_SortBarSheet;
    } else {
        sheet->clearnAllLineOnly();
        sheet->clearBars();
    }
    sheet->m_rules = m_rules;
    sheet->m_units[CVes_SortBarSheet::kColShape] = m_units.value(kColShape, kMillimetre);
    sheet->m_units[CVes_SortBarSheet::kColCutLength] = m_units.value(kColCutLength, kMillimetre);
    sheet->m_units[CVes_SortBarSheet::kColTotalLength] = m_units.value(kColTotalLength, kMetre);
    sheet->m_units[CVes_SortBarSheet::kColWeight] = m_units.value(kColTotalWeight, kKilogram);
    for (int i = 2; i <= 7; ++i)
        sheet->m_texts[std::size_t(i)].set(&m_texts[std::size_t(i)]);

    ProcessRows processing{transformProcessList(m_rules.m_mergeSame, 1, 0)};
    sortRows(processing.rows, CVes_SortBarSheet::sortKey(m_rules));
    for (CVes_TableBaseLine* base : std::as_const(processing.rows)) {
        auto* line = dynamic_cast<CVes_ProcessTableListLine*>(base);
        if (!line || line->isNull() || line->getProcessSteel()->isNull())
            continue;
        const CVes_ProcessSteel& source = *line->getProcessSteel();
        CVes_BarCore bar(source);
        bar.number = QString::asprintf("%d", source.getPID());
        bar.remark = originsText(source);
        sheet->Add(&bar);
    }
    sheet->sortSteel();
    return sheet;
}

CuttingJob CVes_SetupTable::prepareDuanLiao()
{
    CuttingJob job;
    CVes_SteelYuanCaiDataLib stockFile;
    stockFile.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    job.setStockFile(std::move(stockFile));
    ProcessRows processing{transformProcessList(m_rules.m_mergeSame, 1, 0)};
    sortRows(processing.rows, kBySize);
    job.gather(processing.rows, m_units.value(kColShape, kMillimetre), m_yuanCai);
    return job;
}

std::unique_ptr<CVes_SetupTable> CVes_SetupTable::workingCopy() const
{
    return workingCopy(*rowCopies());
}

std::unique_ptr<RowCopies> CVes_SetupTable::rowCopies() const
{
    return std::make_unique<RowCopies>(*this, [](const CVes_TableBaseLine& row) {
        return std::unique_ptr<CVes_TableBaseLine>(copyOf(row, true));
    });
}

platform::UiSlices CVes_SetupTable::takeWorkingCopy(std::unique_ptr<CVes_SetupTable>& copy) const
{
    std::shared_ptr<RowCopies> rows = rowCopies();
    return [this, rows, &copy] {
        if (!rows->copySome(kCopySlice))
            return false;
        copy = workingCopy(*rows);
        return true;
    };
}

std::unique_ptr<CVes_SetupTable> CVes_SetupTable::workingCopy(RowCopies& rows) const
{
    std::unique_ptr<CVes_SetupTable> copy(new CVes_SetupTable(Bare{}));
    copy->takeUndoState(*this);
    copy->deleteAllLines();
    copy->m_lines = rows.take();
    static_cast<TemplateLayout&>(*copy) = static_cast<const TemplateLayout&>(*this);
    copy->m_unitNames = m_unitNames;
    copy->m_unitLocs = m_unitLocs;
    copy->m_defaultEleNum = m_defaultEleNum;
    copy->m_rules = m_rules;
    copy->m_jinHuoTexts = m_jinHuoTexts;
    copy->m_liaoPaiType = m_liaoPaiType;
    copy->m_liaoPaiDirect = m_liaoPaiDirect;
    copy->m_liaoPaiGuibing = m_liaoPaiGuibing;
    copy->m_liaoPaiEleChaifen = m_liaoPaiEleChaifen;
    copy->m_yuanCai = m_yuanCai;
    // The chosen elements are the copy's own lines at the same places.
    copy->m_huizong = m_huizong;
    copy->m_huizong.forgetElements();
    if (!m_huizong.m_elements.isEmpty()) {
        QHash<const CVes_TableBaseLine*, qsizetype> places;
        places.reserve(m_lines.size());
        for (qsizetype i = 0; i < m_lines.size(); ++i)
            places.insert(m_lines[i], i);
        for (CVes_SetupTableLine* element : m_huizong.m_elements) {
            const auto at = places.constFind(element);
            if (at != places.cend())
                copy->m_huizong.m_elements.append(copy->lineAt(int(*at)));
        }
    }
    return copy;
}

QByteArray CVes_SetupTable::derivedSettings()
{
    // Stored with no rows, and of the title texts only what they say: the
    // page drawing works out their place and look anew on every paint, and
    // no sheet reads those. All is put back however the storing ends.
    struct StoredBare {
        CVes_SetupTable& list;
        TableLineList rows;
        std::array<CVes_Variable, kTitleTextCount> texts;
        explicit StoredBare(CVes_SetupTable& of) : list(of), texts(of.m_texts)
        {
            std::swap(rows, list.m_lines);
            for (std::size_t i = 0; i < texts.size(); ++i) {
                CVes_Variable said;
                said.m_text = texts[i].m_text;
                said.m_formula = texts[i].m_formula;
                list.m_texts[i] = said;
            }
        }
        ~StoredBare()
        {
            std::swap(rows, list.m_lines);
            list.m_texts = texts;
        }
    };
    platform::Archive ar;
    try {
        {
            const StoredBare bare(*this);
            Serialize(ar);
        }
        ar << std::int32_t(m_huizong.m_mode) << m_huizong.m_key
           << std::int32_t(m_huizong.m_wholeText) << std::int32_t(m_huizong.m_elements.size());
        for (CVes_SetupTableLine* element : std::as_const(m_huizong.m_elements))
            ar << std::int32_t(m_lines.indexOf(element));
        ar << std::int32_t(m_liaoPaiGuibing) << std::int32_t(m_liaoPaiEleChaifen);
    } catch (const platform::ArchiveError&) {
        return {};
    }
    return ar.data();
}
