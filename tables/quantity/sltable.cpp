#include "tables/quantity/sltable.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct ColumnDefault {
    const char* caption;
    int width;
    int unit;
};

// The widths add up to 101; the remark column takes what the others leave.
constexpr ColumnDefault kColumns[CVes_SLTable::kColumnCount] = {
    {"钢  筋\n\n部  位", 15, CVes_Template::kNoUnit},
    {"钢筋\n \n编号", 7, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", 7, CVes_Template::kNoUnit},
    {"钢筋形状\n", 22, CVes_Template::kMillimetre},
    {"断料\n长度", 7, CVes_Template::kMillimetre},
    {"每件\n\n根数", 6, CVes_Template::kNoUnit},
    {"总\n\n根数", 7, CVes_Template::kNoUnit},
    {"总长度\n", 7, CVes_Template::kMetre},
    {"总重量\n", 7, CVes_Template::kKilogram},
    {"备注", 16, CVes_Template::kNoUnit},
};

// Fewest bytes a stored row can take: its five leading ints.
constexpr qsizetype kLeastRowBytes = 5 * 4;
// The zooms a stored page can have, and the loss rates in per cent: no sound
// file comes near them, and beyond them the drawing and the summaries would
// not be numbers.
constexpr double kMinZoom = 0.01;
constexpr double kMaxZoom = 1000.0;
constexpr double kMaxLossPercent = 1000.0;

// A value of a damaged file ends the read.
void requireFiniteWithin(double value, double low, double high, const char* what)
{
    if (!std::isfinite(value) || value < low || value > high)
        throw platform::ArchiveError(std::string("quantity sheet with an impossible ") + what);
}

void setText(CVes_Variable& text, const QString& label, const QString& value, int height,
             unsigned int align)
{
    text.m_text = label;
    text.m_formula = value;
    text.m_height = height;
    text.m_align = align;
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

CVes_SLTable::CVes_SLTable(Bare)
{
    m_orientation = kLandscape;
    m_topMargin = m_bottomMargin = m_leftMargin = m_rightMargin = 15;
    m_reservedHeight = 16;
    m_rowHeight = 6;
    m_rowNum = kRowsPerPage;
    m_rowMode = 1;
    m_pageSummary = 1;
    m_summaryRowHeight = 1;
    m_tableTextHeight = 3;

    m_textHeights[0] = 90;
    for (int i : {2, 3, 4})
        m_textHeights[std::size_t(i)] = 40;
    for (int i : {5, 6, 7})
        m_textHeights[std::size_t(i)] = 30;
    CVes_Variable& title = m_texts[0];
    setText(title, QStringLiteral("表单标题"), QStringLiteral("钢筋用量明细表"), 90,
            CVes_String::kCentre);
    title.m_position.m_y = 10 * m_topMargin;
    title.m_position.m_x = 5 * getRealW();
    const QString blank = QStringLiteral(" ");
    setText(m_texts[2], QStringLiteral("工程名称"), blank, 40, 24);
    setText(m_texts[3], QStringLiteral("统计范围"), blank, 40, 24);
    setText(m_texts[4], QStringLiteral("统计说明"), blank, 40, 24);
    setText(m_texts[5], QStringLiteral("编制"), blank, 30, CVes_String::kLeft);
    setText(m_texts[6], QStringLiteral("审核"), blank, 30, CVes_String::kLeft);
    setText(m_texts[7], QStringLiteral("编制日期"), QStringLiteral("  "), 30, CVes_String::kRight);

    m_columnNum = kColumnCount;
    m_stretchColumn = kColRemark;
    m_captions.clear();
    m_widths.clear();
    m_units.clear();
    for (const ColumnDefault& column : kColumns) {
        m_captions.append(QString::fromUtf8(column.caption));
        m_widths.append(column.width);
        m_units.append(column.unit);
    }
}

CVes_SLTable::~CVes_SLTable() = default;

// ---- File ---------------------------------------------------------------------------

void CVes_SLTable::Serialize(platform::Archive& ar)
{
    CVes_TableBase::Serialize(ar);

    if (ar.IsStoring()) {
        ar << std::int32_t(kVersion);
        // The run of empty rows at the end is not stored.
        qsizetype stored = m_lines.size();
        while (stored > 0 && m_lines[stored - 1]->isNull())
            --stored;
        ar << std::int32_t(stored);
        for (qsizetype i = 0; i < stored; ++i)
            m_lines[i]->Serialize(ar);
        m_rules.Serialize(ar);
        ar << m_zoom;
        return;
    }

    const int version = ar.readSchema([](int v) { return v >= 1 && v <= kVersion; });
    // Everything is read first and taken over only when the whole part was
    // read, so that a damaged stream leaves the sheet's own data alone.
    std::vector<std::unique_ptr<CVes_SLTableLine>> rows;
    const std::int32_t rowCount = ar.readIntCount(kLeastRowBytes);
    rows.reserve(std::size_t(rowCount));
    for (std::int32_t i = 0; i < rowCount; ++i) {
        auto row = std::make_unique<CVes_SLTableLine>();
        row->Serialize(ar);
        rows.push_back(std::move(row));
    }
    CVes_SortRules rules(m_rules);
    double zoom = m_zoom;
    LegacySettings legacy;
    readTail(ar, version, rules, zoom, legacy);

    deleteAllLines();
    clearSelect();
    m_curPage = -1;
    m_pages = 1;
    for (auto& row : rows)
        m_lines.append(row.release());
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
        requireFiniteWithin(zoom, kMinZoom, kMaxZoom, "zoom");
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
        requireFiniteWithin(zoom, kMinZoom, kMaxZoom, "zoom");
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
    std::unique_ptr<CVes_SLTable> fresh(new CVes_SLTable(Bare{}));
    fresh->m_zoom = m_zoom;
    fresh->m_rules = m_rules;
    fresh->m_yuanCai = m_yuanCai;
    for (const auto& variable : m_exVars)
        fresh->m_exVars.push_back(std::make_unique<CVes_Variable>(*variable));
    return fresh;
}

void CVes_SLTable::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    auto& other = static_cast<CVes_SLTable&>(loaded);
    CVes_TableBase::takeOver(loaded);
    m_rules = other.m_rules;
    m_legacy = other.m_legacy;
    m_history = std::move(other.m_history);
}

int CVes_SLTable::SaveFile(const QString& path)
{
    const int saved = CVes_TableBase::SaveFile(path);
    if (saved)
        setSaved();
    return saved;
}

void CVes_SLTable::setSaved()
{
    m_modified = 0;
    resetUndo();
}

// ---- Undo -----------------------------------------------------------------------------

std::unique_ptr<CVes_SLTable> CVes_SLTable::snapshot() const
{
    std::unique_ptr<CVes_SLTable> state(new CVes_SLTable(Bare{}));
    state->copy(this);
    return state;
}

void CVes_SLTable::resetUndo()
{
    m_history.reset(snapshot());
}

void CVes_SLTable::AddUndo()
{
    m_history.add(snapshot());
}

void CVes_SLTable::Undo()
{
    restoreFrom(m_history.undo());
}

void CVes_SLTable::Redo()
{
    restoreFrom(m_history.redo());
}

void CVes_SLTable::restoreFrom(const CVes_SLTable* state)
{
    if (!state)
        return;
    copy(state);
    if (m_curPage >= 0)
        setPageTo(m_curPage, 1);
}

void CVes_SLTable::copy(const CVes_SLTable* from)
{
    if (!from || from == this)
        return;
    CVes_TableBase::copy(from);
    deleteAllLines();
    for (CVes_TableBaseLine* row : from->m_lines) {
        auto* line = new CVes_SLTableLine();
        line->copy(static_cast<const CVes_SLTableLine*>(row));
        // A snapshot keeps how the row was shown too.
        line->setShow(row->getShow());
        line->setTextColor(row->getTextColor());
        m_lines.append(line);
    }
    m_rules = from->m_rules;
}

// ---- The table model's operations ------------------------------------------------------

CVes_BarCore* CVes_SLTable::getSteel(int n)
{
    CVes_TableBaseLine* line = getLine(n);
    return line ? line->getSteel() : nullptr;
}

int CVes_SLTable::isCurShapeCol(int column)
{
    if (m_curRow < 1)
        return 0;
    return (column < 0 ? m_curCol : column) == kColShape ? 1 : 0;
}

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

CVes_SLTableLine* CVes_SLTable::lineAt(int index) const
{
    if (index < 0 || index >= m_lines.size())
        return nullptr;
    return static_cast<CVes_SLTableLine*>(m_lines[index]);
}

int CVes_SLTable::shapeUnit() const
{
    return m_units.value(kColShape, kMillimetre);
}

