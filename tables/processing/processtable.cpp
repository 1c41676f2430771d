#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "platform/archive.h"
#include "tables/framework/sheetsetup.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtableeditline.h"

#include <algorithm>
#include <vector>

namespace {

using EditLine = CVes_ProcessTableEditLine;

constexpr sheetsetup::Column kColumns[CVes_ProcessTable::kColumnCount] = {
    {"钢  筋\n\n部  位", nullptr, 15, CVes_Template::kNoUnit},
    {"钢筋\n \n编号", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋形状\n", nullptr, 22, CVes_Template::kMillimetre},
    {"断料\n长度", nullptr, 7, CVes_Template::kMillimetre},
    {"总\n根数", nullptr, 6, CVes_Template::kNoUnit},
    {"料牌编号", nullptr, 12, CVes_Template::kNoUnit},
    {"原材", nullptr, 8, CVes_Template::kNoUnit},
    {"备注", nullptr, 16, CVes_Template::kNoUnit},
};

// Fewest bytes a stored row can take: its four leading ints.
constexpr qsizetype kLeastLineBytes = 4 * 4;


} // namespace

CVes_ProcessTable::CVes_ProcessTable() : CVes_ProcessTable(Bare{})
{
    resetUndo();
}

CVes_ProcessTable::CVes_ProcessTable(Bare) : SnapshotSheet(true)
{
    setUpTemplate(QStringLiteral("钢筋加工明细单"), kColumns, 20);
    m_sortOrder = kSortDown;
    m_filter = kStirrups | kBent | kStraight;
}

CVes_ProcessTable::~CVes_ProcessTable() = default;

// File

void CVes_ProcessTable::Serialize(platform::Archive& ar)
{
    CVes_TableBase::Serialize(ar);

    if (ar.IsStoring()) {
        ar << std::int32_t(kVersion) << std::int32_t(m_liaoPaiDirect) << std::int32_t(m_sortOrder)
           << std::int32_t(m_reserved) << std::int32_t(m_filter);
        storeLines(ar);
        ar << m_zoom;
        return;
    }

    const int version = ar.readSchema(1, kVersion);
    // Everything is read first and taken over only when the whole part was
    // read, so that a damaged stream leaves the sheet's own data alone.
    std::int32_t layout = m_liaoPaiDirect;
    std::int32_t order = m_sortOrder;
    std::int32_t reserved = m_reserved;
    std::int32_t filter = m_filter;
    if (version >= 2)
        ar >> layout;
    if (version >= 4)
        ar >> order >> reserved >> filter;
    std::vector<std::unique_ptr<EditLine>> rows = readLines(ar, kLeastLineBytes);
    double zoom = m_zoom;
    if (version >= 3) {
        ar >> zoom;
        zoom = storedZoom(zoom);
    }

    m_liaoPaiDirect = layout;
    m_sortOrder = order;
    m_reserved = reserved;
    m_filter = filter;
    adoptLines(rows);
    m_zoom = zoom;
    resetUndo();
}

std::unique_ptr<CVes_TableBase> CVes_ProcessTable::createEmpty() const
{
    // Fields an older file lacks keep the values of a new sheet.
    return std::unique_ptr<CVes_ProcessTable>(new CVes_ProcessTable(Bare{}));
}

void CVes_ProcessTable::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    auto& other = static_cast<CVes_ProcessTable&>(loaded);
    SnapshotSheet::takeOver(loaded);
    m_liaoPaiDirect = other.m_liaoPaiDirect;
    m_sortOrder = other.m_sortOrder;
    m_reserved = other.m_reserved;
    m_filter = other.m_filter;
}

// Content

void CVes_ProcessTable::Add(const CVes_ProcessSteel* bar)
{
    auto* line = new EditLine();
    if (bar)
        line->setSteel(bar);
    m_lines.append(line);
    markEdited();
}

void CVes_ProcessTable::append(const CVes_ProcessTable* other)
{
    if (other)
        appendCopiesOf(*other);
}

void CVes_ProcessTable::import(const TableLineList& rows)
{
    CVes_TableBaseLine* before = getLine(getSelectRow());
    if (!before)
        clearNullLineOfEnd();
    // Rows the sheet holds already are not taken twice.
    TableLineList taken;
    for (CVes_TableBaseLine* row : rows) {
        if (row && !m_lines.contains(row) && !taken.contains(row))
            taken.append(row);
    }
    insertLinesBefore(before, taken);
    regenData();
    clearNullLineOfEnd();
    refreshCurPage();
    clearSelect();
    markEdited();
    AddUndo();
}

void CVes_ProcessTable::regenData()
{
    int number = 1;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto* line = EditLine::of(row);
        if (!line || line->getProcessSteel()->isNull())
            continue;
        CVes_ProcessSteel* bar = line->getProcessSteel();
        // Rows on every page are numbered again; one that keeps its number
        // stays shared with the undo snapshots.
        changeRow(line, [&] {
            if (bar->isAvailable())
                line->setID(number++, 1);
            else
                line->setID(-1, 1);
            // The rows follow the tags just numbered; a row always shows.
            line->setRows(std::max(bar->resetRows(), 1));
        });
    }
    if (m_curPage >= 0)
        refreshCurPage();
}

void CVes_ProcessTable::getDefualtValueFromPrvLine(CVes_ProcessTableEditLine* line)
{
    if (!line)
        return;
    auto* above = EditLine::of(getPrvLine(line, 1));
    if (!above)
        return;
    CVes_ProcessSteel* bar = line->getProcessSteel();
    bar->set(above->getProcessSteel());
    bar->number = nextNumberString(above->getProcessSteel()->number);
}

// Undo

void CVes_ProcessTable::copy(const CVes_ProcessTable* other)
{
    if (!other || other == this)
        return;
    takeUndoState(*other);
    copyLinesOf(*other);
}

void CVes_ProcessTable::takeUndoState(const CVes_ProcessTable& other)
{
    CVes_TableBase::copy(&other);
}
