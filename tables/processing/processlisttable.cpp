#include "tables/processing/processlisttable.h"

#include "core/geometry/text.h"
#include "tables/framework/sheetsetup.h"
#include "core/model/processsteel.h"
#include "core/model/samebarindex.h"
#include "tables/framework/form.h"
#include "tables/processing/processtablelistline.h"

#include <algorithm>

namespace {

using ListLine = CVes_ProcessTableListLine;

constexpr sheetsetup::Column kListColumns[CVes_ProcessListTable::kColumnCount] = {
    {"序号", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋形状\n", nullptr, 18, CVes_Template::kMillimetre},
    {"断料\n长度", nullptr, 9, CVes_Template::kMillimetre},
    {"总\n根数", nullptr, 7, CVes_Template::kNoUnit},
    {"总长\n", nullptr, 11, CVes_Template::kMetre},
    {"总重\n", nullptr, 11, CVes_Template::kKilogram},
    {"料牌编号", nullptr, 12, CVes_Template::kNoUnit},
    {"原材", nullptr, 8, CVes_Template::kNoUnit},
    {"备注", nullptr, 10, CVes_Template::kNoUnit},
};

constexpr sheetsetup::TitleText kTitleTexts[] = {
    {2, "工程名称", " ", 40, CVes_String::kLeft},
    {3, "加工单号", " ", 40, CVes_String::kLeft},
    {4, "加工说明", " ", 40, CVes_String::kLeft},
    {5, "编制", " ", 30, CVes_String::kLeft},
    {6, "加工", " ", 30, CVes_String::kCentre},
    {7, "编制日期", "  ", 30, CVes_String::kRight},
};

} // namespace

CVes_ProcessListTable::CVes_ProcessListTable()
{
    setUpTemplate(QStringLiteral("钢筋加工单"), kListColumns, 21);
}

CVes_ProcessListTable::~CVes_ProcessListTable() = default;

void CVes_ProcessListTable::setUpTemplate(const QString& title,
                                          std::span<const sheetsetup::Column> columns,
                                          int rowsPerPage)
{
    m_orientation = kPortrait;
    m_topMargin = 25;
    m_bottomMargin = 20;
    m_leftMargin = 25;
    m_rightMargin = 20;
    m_tableTextHeight = 4;
    m_rowMode = 1;
    m_rowNum = rowsPerPage;
    m_rowHeight = 10;
    m_reservedHeight = 16;
    m_coverFlag = 0;
    // The title keeps the place a new template gives it.
    sheetsetup::applyTitle(*this, title, 90);
    sheetsetup::applyTitleTexts(*this, kTitleTexts);
    sheetsetup::applyColumns(*this, columns, 0);
    m_stretchColumn = int(columns.size()) - 1;
}

std::unique_ptr<CVes_TableBase> CVes_ProcessListTable::createEmpty() const
{
    return std::make_unique<CVes_ProcessListTable>();
}

// Rows

void CVes_ProcessListTable::Add(const CVes_ProcessSteel* bar)
{
    auto* line = new ListLine();
    if (bar) {
        line->setSteel(bar);
        line->getProcessSteel()->setPID(int(m_lines.size()) + 1);
    }
    m_lines.append(line);
    markEdited();
}

void CVes_ProcessListTable::Add(const QStringList& texts)
{
    auto* line = new ListLine(1);
    line->SetText(texts);
    m_lines.append(line);
    markEdited();
}

void CVes_ProcessListTable::join(CVes_ProcessSteel& bar)
{
    Joining(*this).join(bar);
}

void CVes_ProcessListTable::join(const CVes_ProcessListTable* other)
{
    if (!other)
        return;
    // A copy of the list, so that a sheet can join itself.
    const TableLineList rows = other->m_lines;
    Joining joining(*this);
    for (CVes_TableBaseLine* row : rows) {
        auto* line = dynamic_cast<ListLine*>(row);
        if (!line || !line->isSteelLine() || line->getProcessSteel()->isNull())
            continue;
        CVes_ProcessSteel copy(*line->getProcessSteel());
        copy.remark.clear();
        joining.join(copy);
    }
}

CVes_ProcessListTable::Joining::Joining(CVes_ProcessListTable& sheet)
    : m_sheet(sheet), m_index(std::make_unique<SameBarIndex>())
{
    for (CVes_TableBaseLine* row : std::as_const(sheet.m_lines))
        index(row);
}

CVes_ProcessListTable::Joining::~Joining() = default;

void CVes_ProcessListTable::Joining::index(CVes_TableBaseLine* row)
{
    auto* line = dynamic_cast<ListLine*>(row);
    // Text rows and empty rows take no bar.
    if (!line || !line->isSteelLine() || line->getProcessSteel()->isNull())
        return;
    // What the key reads of a row's bar stays as it is while bars join it.
    m_index->add(SameBarIndex::keyOf(*line->getProcessSteel()), m_rows.size());
    m_rows.push_back(line);
}

void CVes_ProcessListTable::Joining::join(CVes_ProcessSteel& bar)
{
    // The candidates come in row order, so the first row that takes the bar
    // is the one a walk over every row would find.
    for (const std::size_t i : m_index->candidates(SameBarIndex::keyOf(bar))) {
        ListLine* line = m_rows[i];
        CVes_ProcessSteel* own = line->getProcessSteel();
        const int taken = own->join(bar);
        line->setRows(std::max(own->resetRows(), 1));
        if (taken)
            return;
    }
    CVes_ProcessSteel copy(bar);
    copy.remark.clear();
    m_sheet.Add(&copy);
    index(m_sheet.m_lines.last());
}

void CVes_ProcessListTable::setFilterBit(int bit, int on)
{
    if (on)
        m_filter |= bit;
    else
        m_filter ^= bit;
}

// Pages

int CVes_ProcessListTable::forEachRowPiece(
    const std::function<bool(CVes_TableBaseLine*, int, int, int)>& visit) const
{
    const int perPage = rowsPerPage();
    int page = 1;
    int used = 0;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        // A row always takes at least one row unit, so that it is seen.
        const int units = std::max(row->getRows(), 1);
        int placed = 0;
        while (placed < units) {
            if (used >= perPage) {
                ++page;
                used = 0;
            }
            const int take = std::min(units - placed, perPage - used);
            used += take;
            if (!visit(row, page, placed, used))
                return page;
            placed += take;
        }
    }
    return page;
}

TableLineList CVes_ProcessListTable::getlineOfPage(int first, int last)
{
    if (last < 1)
        last = first;
    TableLineList result;
    forEachRowPiece([&](CVes_TableBaseLine* row, int page, int before, int) {
        if (page > last)
            return false;
        if (page >= first) {
            if (auto* line = dynamic_cast<ListLine*>(row); line && !result.contains(row))
                line->setFirstLp(kTagsPerRow * before);
            if (!result.contains(row))
                result.append(row);
        }
        return true;
    });
    return result;
}

int CVes_ProcessListTable::resetPages()
{
    return forEachRowPiece([](CVes_TableBaseLine*, int, int, int) { return true; });
}

void CVes_ProcessListTable::getInfo(CVes_TableBaseLine* target, int& pageOut, int& rowOut)
{
    forEachRowPiece([&](CVes_TableBaseLine* row, int page, int before, int used) {
        if (row != target || before > 0)
            return true;
        pageOut = page;
        rowOut = used;
        return false;
    });
}

QHash<const CVes_TableBaseLine*, QPoint> CVes_ProcessListTable::rowPlaces() const
{
    QHash<const CVes_TableBaseLine*, QPoint> places;
    forEachRowPiece([&](CVes_TableBaseLine* row, int page, int before, int used) {
        if (before == 0)
            places.insert(row, QPoint(page, used));
        return true;
    });
    return places;
}

int CVes_ProcessListTable::formRowOf(int position) const
{
    if (position < 1 || position > int(m_firstFormRow.size()))
        return -1;
    return m_firstFormRow[std::size_t(position - 1)];
}

platform::Rect CVes_ProcessListTable::cellRect(int position, int column) const
{
    const int formRow = formRowOf(position);
    if (formRow < 1 || !m_form)
        return {};
    platform::Rect box = m_form->GetCellRect(formRow, column);
    const int span = m_formRows[std::size_t(position - 1)];
    if (span > 1) {
        const platform::Rect last = m_form->GetCellRect(formRow + span - 1, column);
        box.bottom = last.bottom;
    }
    return box;
}

int CVes_ProcessListTable::cellTextHeight(int position, int column) const
{
    const int formRow = formRowOf(position);
    return formRow < 1 || !m_form ? 0 : m_form->GetCellTxtHigh(formRow, column);
}

int CVes_ProcessListTable::HitTest(QPoint point, int& row, int& column)
{
    const int hit = CVes_TableBase::HitTest(point, row, column);
    if (!hit || row < 1)
        return hit;
    // Form rows past the page's rows stand for the empty positions after them.
    int position = int(m_firstFormRow.size());
    int lastFormRow = 0;
    for (std::size_t i = 0; i < m_firstFormRow.size(); ++i) {
        const int first = m_firstFormRow[i];
        lastFormRow = first + m_formRows[i] - 1;
        if (row >= first && row <= lastFormRow) {
            row = int(i) + 1;
            return hit;
        }
    }
    row = position + (row - lastFormRow);
    return hit;
}
