#include "tables/quantity/sltable.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"
#include "tables/framework/sheetsetup.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

// The widths add up to 101; the remark column takes what the others leave.
constexpr sheetsetup::Column kQuantitySheetColumns[CVes_SLTable::kColumnCount] = {
    {"钢  筋\n\n部  位", nullptr, 15, CVes_Template::kNoUnit},
    {"钢筋\n \n编号", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", nullptr, 7, CVes_Template::kNoUnit},
    {"钢筋形状\n", nullptr, 22, CVes_Template::kMillimetre},
    {"断料\n长度", nullptr, 7, CVes_Template::kMillimetre},
    {"每件\n\n根数", nullptr, 6, CVes_Template::kNoUnit},
    {"总\n\n根数", nullptr, 7, CVes_Template::kNoUnit},
    {"总长度\n", nullptr, 7, CVes_Template::kMetre},
    {"总重量\n", nullptr, 7, CVes_Template::kKilogram},
    {"备注", nullptr, 16, CVes_Template::kNoUnit},
};

// Landscape A4 with 15 mm margins, 28 rows of 6 mm a page.
constexpr sheetsetup::Page kQuantityPage = {15, 15, 15, 15, 3, 6, 16, 90, CVes_SLTable::kRowsPerPage, 1,
                                    CVes_SLTable::kColRemark};
constexpr sheetsetup::TitleText kQuantityTitleTexts[] = {
    {2, "工程名称", " ", 40, 24},
    {3, "统计范围", " ", 40, 24},
    {4, "统计说明", " ", 40, 24},
    {5, "编制", " ", 30, CVes_String::kLeft},
    {6, "审核", " ", 30, CVes_String::kLeft},
    {7, "编制日期", "  ", 30, CVes_String::kRight},
};

// Fewest bytes a stored row can take: its five leading ints.
constexpr qsizetype kLeastRowBytes = 5 * 4;
// The loss rates in per cent: no sound file comes near them, and beyond them
// the summaries would not be numbers.
constexpr double kMaxLossPercent = 1000.0;

// A value of a damaged file ends the read.
void requireFiniteWithin(double value, double low, double high, const char* what)
{
    if (!std::isfinite(value) || value < low || value > high)
        throw platform::ArchiveError(std::string("quantity sheet with an impossible ") + what);
}

std::int32_t readInt(platform::Archive& ar)
{
    std::int32_t value = 0;
    ar >> value;
    return value;
}

} // namespace

CVes_SLTable::CVes_SLTable() : CVes_SLTable(Bare{})
{
    m_rules.readUserRules();
    // The new state is the base snapshot, so the first edit can be undone.
    resetUndo();
}

CVes_SLTable::CVes_SLTable(Bare) : SnapshotSheet(true)
{
    m_orientation = kLandscape;
    m_pageSummary = 1;
    m_summaryRowHeight = 1;
    sheetsetup::applyPage(*this, kQuantityPage, QStringLiteral("钢筋用量明细表"));
    sheetsetup::applyTitleTexts(*this, kQuantityTitleTexts);
    sheetsetup::applyColumns(*this, kQuantitySheetColumns, 0);
}

CVes_SLTable::~CVes_SLTable() = default;

// File

void CVes_SLTable::Serialize(platform::Archive& ar)
{
    CVes_TableBase::Serialize(ar);

    if (ar.IsStoring()) {
        ar << std::int32_t(kVersion);
        storeLines(ar);
        m_rules.Serialize(ar);
        ar << m_zoom;
        return;
    }

    const int version = ar.readSchema(1, kVersion);
    // Everything is read first and taken over only when the whole part was
    // read, so that a damaged stream leaves the sheet's own data alone.
    std::vector<std::unique_ptr<CVes_SLTableLine>> rows = readLines(ar, kLeastRowBytes);
    CVes_SortRules rules(m_rules);
    double zoom = m_zoom;
    LegacySettings legacy;
    readTail(ar, version, rules, zoom, legacy);

    adoptLines(rows);
    m_rules = rules;
    m_zoom = zoom;
    m_legacy = legacy;
    transRule();
    resetUndo();
}

// What follows the rows, by the version of the file: version 9 the rules
// and the scale; versions 2 to 8 their summary settings and (from 6) the
// scale; version 1 nothing.
void CVes_SLTable::readTail(platform::Archive& ar, int version, CVes_SortRules& rules,
                            double& zoom, LegacySettings& s)
{
    s = LegacySettings();
    s.version = version;
    if (version == 1)
        return;
    if (version == kVersion) {
        rules.Serialize(ar);
        ar >> zoom;
        zoom = storedZoom(zoom);
        return;
    }
    if (version == 2)
        s.lossF = float(readInt(ar));
    else
        ar >> s.lossF;
    ar >> s.loss;
    requireFiniteWithin(s.loss, -kMaxLossPercent, kMaxLossPercent, "loss rate");
    s.i[0] = readInt(ar);
    if (version >= 3)
        s.i[1] = readInt(ar);
    if (version >= 4) {
        if (version >= 5)
            s.i[2] = readInt(ar);
        for (int n : {3, 4, 5})
            s.i[std::size_t(n)] = readInt(ar);
        if (s.i[5] != 0)
            for (int& k : s.k)
                k = readInt(ar);
    }
    if (version >= 7)
        for (int n = 0; n < (version >= 8 ? 5 : 4); ++n)
            s.j[std::size_t(n)] = readInt(ar);
    if (version >= 6) {
        ar >> zoom;
        zoom = storedZoom(zoom);
    }
}

void CVes_SLTable::transRule()
{
    const LegacySettings& s = m_legacy;
    const int v = s.version;
    if (v < 2 || v >= kVersion)
        return;
    m_rules.m_lossBar = s.loss;
    m_rules.m_lossWire = s.loss;
    m_rules.m_calcLossBar = s.i[0];
    if (v >= 3)
        m_rules.m_dnOrder = s.i[1];
    if (v >= 5)
        m_rules.m_lossPlace = s.i[2];
    if (v >= 4) {
        m_rules.m_calcLossWire = s.i[3];
        m_rules.m_sumByGrade = s.i[4];
        m_rules.m_autoPrice = s.i[5];
    }
    if (v >= 7) {
        m_rules.m_calcStirrupFee = s.j[0];
        m_rules.m_stirrupFee = float(s.j[1]);
        m_rules.m_autoStirrupCount = s.j[2];
        m_rules.m_stirrupCount = s.j[3];
    }
    if (v >= 8)
        m_rules.m_sumInEleType = s.j[4];
}

std::unique_ptr<CVes_TableBase> CVes_SLTable::createEmpty() const
{
    // What an older file lacks keeps the value this sheet has; the design
    // variables and the raw stock are not in the file at all.
    std::unique_ptr<CVes_SLTable> fresh = emptyLikeThis();
    fresh->m_rules = m_rules;
    return fresh;
}

void CVes_SLTable::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    auto& other = static_cast<CVes_SLTable&>(loaded);
    SnapshotSheet::takeOver(loaded);
    m_rules = other.m_rules;
    m_legacy = other.m_legacy;
}

// Undo

void CVes_SLTable::afterRestore()
{
    if (m_curPage >= 0)
        refreshCurPage();
}

void CVes_SLTable::copy(const CVes_SLTable* from)
{
    if (!from || from == this)
        return;
    takeUndoState(*from);
    copyLinesOf(*from);
}

std::unique_ptr<RowCopies> CVes_SLTable::rowCopies() const
{
    return std::make_unique<RowCopies>(*this, [](const CVes_TableBaseLine& row) {
        return std::unique_ptr<CVes_TableBaseLine>(copyOf(row, true));
    });
}

std::unique_ptr<CVes_SLTable> CVes_SLTable::workingCopy(RowCopies& rows) const
{
    std::unique_ptr<CVes_SLTable> copy = emptyLikeThis();
    copy->takeUndoState(*this);
    copy->deleteAllLines();
    copy->m_lines = rows.take();
    static_cast<TemplateLayout&>(*copy) = static_cast<const TemplateLayout&>(*this);
    return copy;
}

void CVes_SLTable::takeUndoState(const CVes_SLTable& other)
{
    CVes_TableBase::copy(&other);
    m_rules = other.m_rules;
}

// The table model's operations

int CVes_SLTable::isEditCurCol()
{
    auto* line = static_cast<CVes_SLTableLine*>(getLine(m_curRow));
    if (!line || m_curCol < 0)
        return 0;
    if (!line->isSteelLine())
        return 1;
    switch (m_curCol) {
    case kColTotalCount:
    case kColTotalLength:
    case kColTotalWeight:
        return 0;
    case kColCutLength:
        return line->m_steel.calcLength ? 0 : 1;
    default:
        return 1;
    }
}

int CVes_SLTable::shapeUnit() const
{
    return m_units.value(kColShape, kMillimetre);
}

