#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "platform/archive.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtableeditline.h"

#include <algorithm>
#include <vector>

namespace {

using EditLine = CVes_ProcessTableEditLine;

const CVes_ProcessListTable::ColumnSpec kColumns[CVes_ProcessTable::kColumnCount] = {
    {"钢  筋\n\n部  位", 15, CVes_Template::kNoUnit},
    {"钢筋\n \n编号", 7, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", 7, CVes_Template::kNoUnit},
    {"钢筋形状\n", 22, CVes_Template::kMillimetre},
    {"断料\n长度", 7, CVes_Template::kMillimetre},
    {"总\n根数", 6, CVes_Template::kNoUnit},
    {"料牌编号", 12, CVes_Template::kNoUnit},
    {"原材", 8, CVes_Template::kNoUnit},
    {"备注", 16, CVes_Template::kNoUnit},
};

// Fewest bytes a stored row can take: its four leading ints.
constexpr qsizetype kLeastLineBytes = 4 * 4;

EditLine* asEditLine(CVes_TableBaseLine* row)
{
    return dynamic_cast<EditLine*>(row);
}

} // namespace

CVes_ProcessTable::CVes_ProcessTable() : CVes_ProcessTable(Bare{})
{
    resetUndo();
}

CVes_ProcessTable::CVes_ProcessTable(Bare)
{
    setUpTemplate(QStringLiteral("钢筋加工明细单"), kColumns, kColumnCount, 20);
    m_sortOrder = kSortDown;
    m_filter = kStirrups | kBent | kStraight;
}

CVes_ProcessTable::~CVes_ProcessTable() = default;

// ---- File ------------------------------------------------------------------------

void CVes_ProcessTable::Serialize(platform::Archive& ar)
{
    CVes_TableBase::Serialize(ar);

    if (ar.IsStoring()) {
        ar << std::int32_t(kVersion) << std::int32_t(m_liaoPaiDirect) << std::int32_t(m_sortOrder)
           << std::int32_t(m_reserved) << std::int32_t(m_filter);
        // The trailing run of empty rows is not stored.
        qsizetype stored = m_lines.size();
        while (stored > 0 && m_lines[stored - 1]->isNull())
            --stored;
        ar << std::int32_t(stored);
        for (qsizetype i = 0; i < stored; ++i)
            m_lines[i]->Serialize(ar);
        ar << m_zoom;
        return;
    }

    const int version = ar.readSchema([](int v) { return v >= 1 && v <= kVersion; });
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
    std::vector<std::unique_ptr<EditLine>> rows;
    const std::int32_t count = ar.readIntCount(kLeastLineBytes);
    rows.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto row = std::make_unique<EditLine>();
        row->Serialize(ar);
        rows.push_back(std::move(row));
    }
    double zoom = m_zoom;
    if (version >= 3)
        ar >> zoom;

    m_liaoPaiDirect = layout;
    m_sortOrder = order;
    m_reserved = reserved;
    m_filter = filter;
    deleteAllLines();
    clearSelect();
    m_curPage = -1;
    m_pages = 1;
    for (auto& row : rows)
        m_lines.append(row.release());
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
    CVes_TableBase::takeOver(loaded);
    m_liaoPaiDirect = other.m_liaoPaiDirect;
    m_sortOrder = other.m_sortOrder;
    m_reserved = other.m_reserved;
    m_filter = other.m_filter;
    m_undoList = std::move(other.m_undoList);
    m_redoList = std::move(other.m_redoList);
}

int CVes_ProcessTable::SaveFile(const QString& path)
{
    const int saved = CVes_TableBase::SaveFile(path);
    if (saved)
        setSaved();
    return saved;
}

void CVes_ProcessTable::setSaved()
{
    m_modified = 0;
    resetUndo();
}

CVes_BarCore* CVes_ProcessTable::getSteel(int n)
{
    CVes_TableBaseLine* line = getLine(n);
    return line ? line->getSteel() : nullptr;
}

int CVes_ProcessTable::isCurShapeCol(int column)
{
    if (m_curRow < 1)
        return 0;
    return (column < 0 ? m_curCol : column) == kColShape ? 1 : 0;
}

CVes_ProcessTableEditLine* CVes_ProcessTable::lineAt(int index) const
{
    if (index < 0 || index >= m_lines.size())
        return nullptr;
    return asEditLine(m_lines[index]);
}

// ---- Content ---------------------------------------------------------------------

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
    if (!other)
        return;
    TableLineList copies;
    for (CVes_TableBaseLine* row : other->m_lines) {
        auto* line = new EditLine();
        line->copy(asEditLine(row));
        copies.append(line);
    }
    appendRows(copies);
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
        auto* line = asEditLine(row);
        if (!line || line->getProcessSteel()->isNull())
            continue;
        CVes_ProcessSteel* bar = line->getProcessSteel();
        if (bar->isAvailable())
            line->setID(number++, 1);
        else
            line->setID(-1, 1);
        // The rows follow the tags just numbered; a row always shows.
        line->setRows(std::max(bar->resetRows(), 1));
    }
    if (m_curPage >= 0)
        refreshCurPage();
}

void CVes_ProcessTable::getDefualtValueFromPrvLine(CVes_ProcessTableEditLine* line)
{
    if (!line)
        return;
    auto* above = asEditLine(getPrvLine(line, 1));
    if (!above)
        return;
    CVes_ProcessSteel* bar = line->getProcessSteel();
    bar->set(above->getProcessSteel());
    bar->number = nextNumberString(above->getProcessSteel()->number);
}

// ---- Undo ------------------------------------------------------------------------

std::unique_ptr<CVes_ProcessTable> CVes_ProcessTable::snapshot() const
{
    std::unique_ptr<CVes_ProcessTable> state(new CVes_ProcessTable(Bare{}));
    state->copy(this);
    return state;
}

void CVes_ProcessTable::resetUndo()
{
    m_undoList.clear();
    m_redoList.clear();
    m_undoList.push_front(snapshot());
}

void CVes_ProcessTable::pushUndo(std::unique_ptr<CVes_ProcessTable> state)
{
    m_undoList.push_front(std::move(state));
    while (int(m_undoList.size()) > m_undoLevels + 1)
        m_undoList.pop_back();
}

void CVes_ProcessTable::AddUndo()
{
    pushUndo(snapshot());
    m_redoList.clear();
}

void CVes_ProcessTable::Undo()
{
    if (!CanUndo())
        return;
    m_redoList.push_front(std::move(m_undoList.front()));
    m_undoList.pop_front();
    restoreFrom(*m_undoList.front());
}

void CVes_ProcessTable::Redo()
{
    if (!CanRedo())
        return;
    std::unique_ptr<CVes_ProcessTable> state = std::move(m_redoList.front());
    m_redoList.pop_front();
    restoreFrom(*state);
    pushUndo(std::move(state));
}

void CVes_ProcessTable::restoreFrom(const CVes_ProcessTable& state)
{
    copy(&state);
    clearSelect();
    if (m_curPage >= 0)
        refreshCurPage();
}

void CVes_ProcessTable::copy(const CVes_ProcessTable* other)
{
    if (!other || other == this)
        return;
    CVes_TableBase::copy(other);
    deleteAllLines();
    for (CVes_TableBaseLine* row : other->m_lines) {
        auto* line = new EditLine();
        line->copy(asEditLine(row));
        // A snapshot keeps how the row was shown too.
        line->setShow(row->getShow());
        line->setTextColor(row->getTextColor());
        m_lines.append(line);
    }
}
