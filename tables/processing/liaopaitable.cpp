#include "tables/processing/liaopaitable.h"

#include "core/model/processsteel.h"
#include "tables/framework/form.h"

#include <algorithm>
#include <functional>

// CVes_LiaoPaiTableLine

CVes_LiaoPaiTableLine::CVes_LiaoPaiTableLine(const QStringList& texts, CVes_ProcessSteel* bar)
{
    setData(texts, bar);
}

CVes_LiaoPaiTableLine::CVes_LiaoPaiTableLine(const CVes_LiaoPaiTableLine& other)
    : CVes_TableBaseLine()
{
    set(&other);
}

CVes_LiaoPaiTableLine& CVes_LiaoPaiTableLine::operator=(const CVes_LiaoPaiTableLine& other)
{
    set(&other);
    return *this;
}

CVes_LiaoPaiTableLine::~CVes_LiaoPaiTableLine() = default;

void CVes_LiaoPaiTableLine::set(const CVes_LiaoPaiTableLine* other)
{
    if (!other || other == this)
        return;
    m_texts = other->m_texts;
    m_diameter = other->m_diameter;
    m_grade = other->m_grade;
    m_barType = other->m_barType;
    m_length = other->m_length;
    m_shape.set(&other->m_shape);
}

void CVes_LiaoPaiTableLine::setData(const QStringList& texts, CVes_ProcessSteel* bar)
{
    m_texts = texts;
    if (!bar) {
        m_diameter = 0.0f;
        m_grade = 0;
        m_barType = 0;
        m_length = 0.0f;
        return;
    }
    m_shape.set(static_cast<const CVes_ModelReference*>(bar));
    m_diameter = bar->DN;
    m_grade = bar->grade;
    m_barType = bar->steelType;
    m_length = bar->length;
}

bool CVes_LiaoPaiTableLine::operator<(const CVes_LiaoPaiTableLine& other) const
{
    const unsigned int mode = s_sortMode;
    if (mode & (kDiameterUp | kDiameterDown)) {
        // Diameter, then grade, then bar type; large to small reverses each.
        const bool up = (mode & kDiameterUp) != 0;
        const auto before = [up](auto a, auto b) { return up ? a < b : a > b; };
        if (m_diameter != other.m_diameter)
            return before(m_diameter, other.m_diameter);
        if (m_grade != other.m_grade)
            return before(unsigned(m_grade), unsigned(other.m_grade));
        if (m_barType != other.m_barType)
            return before(unsigned(m_barType), unsigned(other.m_barType));
    }
    if (mode & kLengthUp)
        return m_length < other.m_length;
    if (mode & kLengthDown)
        return m_length > other.m_length;
    return false;
}

bool CVes_LiaoPaiTableLine::lessthan(const CVes_LiaoPaiTableLine* const& other) const
{
    return std::less<const CVes_LiaoPaiTableLine*>()(this, other);
}

// CVes_LiaoPaiTable

namespace {

struct LayoutGrid {
    int columns;
    int rows;
};

constexpr LayoutGrid kGrids[CVes_LiaoPaiTable::kLayoutCount] = {
    {4, 2}, {2, 4}, {4, 4}, {4, 2}, {2, 4}, {5, 2},
};

bool knownLayout(int layout)
{
    return layout >= 0 && layout < CVes_LiaoPaiTable::kLayoutCount;
}

} // namespace

int CVes_LiaoPaiTable::tagsPerPage(int layout)
{
    return knownLayout(layout) ? kGrids[layout].columns * kGrids[layout].rows : 0;
}

int CVes_LiaoPaiTable::gridColumns(int layout)
{
    return knownLayout(layout) ? kGrids[layout].columns : 0;
}

CVes_LiaoPaiTable::CVes_LiaoPaiTable()
{
    m_orientation = kLandscape;
    m_rowMode = 1;
    m_rowNum = 8;
    m_rowHeight = 10;
    m_tableTextHeight = 4;
    m_columnNum = 4;
    m_reservedHeight = 16;
    m_captions = {QString()};
    m_widths = {100};
    m_units = {kNoUnit};
    m_texts[0].m_formula = QStringLiteral("钢筋料牌");
    m_sortRules.m_dnOrder = -1;
    m_sortRules.m_lenOrder = -1;
}

CVes_LiaoPaiTable::~CVes_LiaoPaiTable() = default;

std::unique_ptr<CVes_TableBase> CVes_LiaoPaiTable::createEmpty() const
{
    return std::make_unique<CVes_LiaoPaiTable>();
}

void CVes_LiaoPaiTable::takeOver(CVes_TableBase& loaded)
{
    CVes_TableBase::takeOver(loaded);
    rebuildRows();
}

void CVes_LiaoPaiTable::setLiaoPaiDerect(unsigned int layout)
{
    m_layout = int(layout);
    syncRowsToLayout();
}

void CVes_LiaoPaiTable::syncRowsToLayout()
{
    // Tag pages carry no page totals, whatever a template read in says.
    m_pageSummary = 0;
    if (!knownLayout(m_layout))
        return;
    m_rowMode = 1;
    m_rowNum = tagsPerPage(m_layout);
}

void CVes_LiaoPaiTable::sortNone()
{
    m_sortRules.m_dnOrder = 10;
    m_sortRules.m_lenOrder = 10;
}

void CVes_LiaoPaiTable::sortSteel()
{
    unsigned int mode = 0;
    if (m_sortRules.m_dnOrder == 0)
        mode = CVes_LiaoPaiTableLine::kDiameterDown;
    else if (m_sortRules.m_dnOrder == 1)
        mode = CVes_LiaoPaiTableLine::kDiameterUp;
    if (m_sortRules.m_lenOrder == 0)
        mode |= CVes_LiaoPaiTableLine::kLengthDown;
    else if (m_sortRules.m_lenOrder == 1)
        mode |= CVes_LiaoPaiTableLine::kLengthUp;
    CVes_LiaoPaiTableLine::setSort(mode);
    if (mode != 0 && m_lpList.size() > 1)
        std::stable_sort(m_lpList.begin(), m_lpList.end());
    rebuildRows();
}

void CVes_LiaoPaiTable::rebuildRows()
{
    deleteAllLines();
    m_pageLines.clear();
    for (const CVes_LiaoPaiTableLine& tag : m_lpList)
        Add(tag);
    syncRowsToLayout();
    setPageTo(1, 1);
}

void CVes_LiaoPaiTable::Add(const CVes_LiaoPaiTableLine& row)
{
    appendLine(std::make_unique<CVes_LiaoPaiTableLine>(row));
}

void CVes_LiaoPaiTable::AddToLpList(const CVes_LiaoPaiTableLine* row)
{
    if (row)
        m_lpList.push_back(*row);
}

void CVes_LiaoPaiTable::Add(const QStringList& texts, CVes_ProcessSteel* bar)
{
    m_lpList.emplace_back(texts, bar);
}

CVes_LiaoPaiTableLine* CVes_LiaoPaiTable::AddBlank()
{
    auto row = std::make_unique<CVes_LiaoPaiTableLine>();
    CVes_LiaoPaiTableLine* added = row.get();
    appendLine(std::move(row));
    m_lpList.emplace_back();
    return added;
}

int CVes_LiaoPaiTable::HitTest(QPoint point, int& row, int& column)
{
    const int columns = gridColumns(m_layout);
    int r = -1;
    int c = -1;
    if (columns > 0 && m_form && m_form->HitTest(point, r, c) && r >= 0 && c >= 0
        && c < columns) {
        m_curRow = r * columns + c;
        row = m_curRow;
        column = c;
        return 1;
    }
    m_curRow = -1;
    return 0;
}
