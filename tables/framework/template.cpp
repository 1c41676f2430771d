#include "tables/framework/template.h"

#include "platform/archive.h"
#include "tables/framework/streamfile.h"

#include <algorithm>

namespace {

// Least bytes one column takes in the stream: a caption, a width, a unit.
constexpr qsizetype kColumnBytes = 1 + 4 + 4;

// The texts whose height is stored first, in stream order; text 1 follows.
constexpr std::array<int, 7> kMainTexts = {0, 2, 3, 4, 5, 6, 7};

struct PaperSize {
    int width;
    int height;
};

// Portrait size in mm of a paper code; 0 x 0 for an unknown code.
PaperSize portraitSize(const TemplateLayout& t)
{
    switch (t.m_paper) {
    case CVes_Template::kCustomPaper: return {t.m_customWidth, t.m_customHeight};
    case CVes_Template::kA3: return {297, 420};
    case CVes_Template::kA4: return {210, 297};
    case CVes_Template::kA5: return {148, 210};
    case CVes_Template::kB4: return {250, 354};
    case CVes_Template::kB5: return {182, 257};
    default: return {0, 0};
    }
}

bool acceptedSchema(int schema)
{
    return schema < 1 || (schema >= 3 && schema <= CVes_Template::kSchema);
}

std::int32_t readInt(platform::Archive& ar)
{
    std::int32_t value = 0;
    ar >> value;
    return value;
}

// Refuses a layout that no page can be drawn from: the page drawing and the
// paging take these values as they are.
void checkLayout(const TemplateLayout& t)
{
    using platform::requireInRange;
    constexpr int paper = CVes_Template::kMaxPaperSize;
    for (int size : {t.m_customWidth, t.m_customHeight, t.m_topMargin, t.m_bottomMargin,
                     t.m_leftMargin, t.m_rightMargin, t.m_gutter, t.m_reservedHeight,
                     t.m_rowHeight})
        requireInRange(size, 0, paper, "page size or margin");
    for (int height : {t.m_tableTextHeight, t.m_shapeTextHeight})
        requireInRange(height, -paper, paper, "text height");
    for (int height : t.m_textHeights)
        requireInRange(height, -10 * paper, 10 * paper, "title text height");
    requireInRange(t.m_rowNum, 0, CVes_Template::kMaxRowsPerPage, "rows per page");
    requireInRange(t.m_summaryRowHeight, 0, CVes_Template::kMaxRowsPerPage, "summary rows");
    for (int width : t.m_widths)
        requireInRange(width, -CVes_Template::kMaxWidthPercent, CVes_Template::kMaxWidthPercent,
                       "column width");
    platform::requireFiniteInRange(t.m_formFactor, -1000.0, 1000.0, "border factor");
    platform::requireFiniteInRange(t.m_spareFactor, -1.0e6, 1.0e6, "spare factor");
}

} // namespace

CVes_Template::CVes_Template()
{
    for (CVes_Variable& text : m_texts)
        text.setVarType(CVes_Variable::kTextKind);
}

CVes_Template::~CVes_Template() = default;

int CVes_Template::getRealW() const
{
    const PaperSize size = portraitSize(*this);
    return m_orientation == kLandscape ? size.height : size.width;
}

int CVes_Template::getRealH() const
{
    const PaperSize size = portraitSize(*this);
    return m_orientation == kPortrait ? size.height : size.width;
}

void CVes_Template::adjustColWidth()
{
    const int stretch = m_stretchColumn;
    if (stretch < 0 || stretch >= m_captions.size())
        return;
    while (m_widths.size() <= stretch)
        m_widths.append(0);
    int others = 0;
    for (int i = 0; i < m_captions.size() && i < m_widths.size(); ++i) {
        if (i != stretch)
            others += m_widths[i];
    }
    m_widths[stretch] = 100 - others;
}

double CVes_Template::transUnit(int from, int to)
{
    struct Factor {
        int from;
        int to;
        double factor;
    };
    static constexpr Factor kFactors[] = {
        {kMillimetre, kCentimetre, 0.1}, {kMillimetre, kMetre, 0.001},
        {kCentimetre, kMillimetre, 10.0}, {kCentimetre, kMetre, 0.01},
        {kMetre, kCentimetre, 100.0},     {kMetre, kMillimetre, 1000.0},
        {kGram, kKilogram, 0.001},        {kGram, kTonne, 0.000001},
        {kKilogram, kTonne, 0.001},       {kKilogram, kGram, 1000.0},
        {kTonne, kKilogram, 1000.0},      {kTonne, kGram, 1000000.0},
    };
    for (const Factor& f : kFactors) {
        if (f.from == from && f.to == to)
            return f.factor;
    }
    return 1.0;
}

void CVes_Template::growColumnLists()
{
    while (m_captions.size() < m_columnNum)
        m_captions.append(QStringLiteral(" "));
    while (m_widths.size() < m_columnNum)
        m_widths.append(0);
    while (m_units.size() < m_columnNum)
        m_units.append(kNoUnit);
}

void CVes_Template::CopyPageSetting(const CVes_Template* other)
{
    if (!other || other == this)
        return;
    m_orientation = other->m_orientation;
    m_topMargin = other->m_topMargin;
    m_bottomMargin = other->m_bottomMargin;
    m_leftMargin = other->m_leftMargin;
    m_rightMargin = other->m_rightMargin;
    m_rowHeight = other->m_rowHeight;
    m_tableTextHeight = other->m_tableTextHeight;
    m_shapeTextHeight = other->m_shapeTextHeight;
    m_reservedHeight = other->m_reservedHeight;
    // The columns stay this sheet's own: a summary of six columns that took
    // its source's ten would print its own six over widths meant for ten,
    // past the frame, and stretch a column that shows nothing.
    m_rowNum = other->m_rowNum;
    m_rowMode = other->m_rowMode;
    for (int i : kMainTexts)
        m_textHeights[std::size_t(i)] = other->m_textHeights[std::size_t(i)];
}

void CVes_Template::loadTemplate(const CVes_Template* other)
{
    if (!other || other == this)
        return;
    m_paper = other->m_paper;
    m_orientation = other->m_orientation;
    m_customWidth = other->m_customWidth;
    m_customHeight = other->m_customHeight;
    m_rowHeight = other->m_rowHeight;
    m_topMargin = other->m_topMargin;
    m_bottomMargin = other->m_bottomMargin;
    m_leftMargin = other->m_leftMargin;
    m_rightMargin = other->m_rightMargin;
    m_gutter = other->m_gutter;
    m_gutterPos = other->m_gutterPos;
    m_reservedHeight = other->m_reservedHeight;
    m_titleColorBk = other->m_titleColorBk;
    m_rowNum = other->m_rowNum;
    m_rowMode = other->m_rowMode;
    m_tableTextHeight = other->m_tableTextHeight;
    m_shapeTextHeight = other->m_shapeTextHeight;
    m_spareFactor = other->m_spareFactor;
    m_formFactor = other->m_formFactor;
    m_stretchColumn = other->m_stretchColumn;
    m_pageSummary = other->m_pageSummary;
    m_summaryRowHeight = other->m_summaryRowHeight;
    m_sumWeight = other->m_sumWeight;
    m_sumLength = other->m_sumLength;
    m_sumJoint = other->m_sumJoint;

    m_columnNum = other->m_columnNum;
    growColumnLists();
    for (int i = 0; i < m_columnNum; ++i) {
        m_captions[i] = other->m_captions.value(i, QStringLiteral(" "));
        m_widths[i] = other->m_widths.value(i, 0);
        m_units[i] = other->m_units.value(i, kNoUnit);
    }

    for (int i : kMainTexts)
        m_textHeights[std::size_t(i)] = other->m_textHeights[std::size_t(i)];
    m_texts[0].set(&other->m_texts[0]);
    m_showTitle = other->m_showTitle;
    m_coverFlag = other->m_coverFlag;
    m_cover.copyFrom(&other->m_cover);
}

void CVes_Template::setTitle(const QString& title)
{
    m_texts[0].m_formula = title;
}

void CVes_Template::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        storeLayout(ar);
        m_cover.Serialize(ar);
        return;
    }
    int schema = ar.readSchema(acceptedSchema, kSchema);
    if (schema < 1)
        schema = 5;
    // What an older schema lacks keeps the value the template has.
    TemplateLayout read = *this;
    loadLayout(ar, schema, read);
    checkLayout(read);
    if (schema >= 9)
        m_cover.Serialize(ar);
    static_cast<TemplateLayout&>(*this) = std::move(read);
}

void CVes_Template::storeLayout(platform::Archive& ar)
{
    using I = std::int32_t;
    ar << I(kSchema);
    ar << I(m_paper) << I(m_orientation) << I(m_customWidth) << I(m_customHeight);
    ar << I(m_rowHeight);
    ar << I(m_topMargin) << I(m_bottomMargin) << I(m_leftMargin) << I(m_rightMargin)
       << I(m_gutter) << I(m_gutterPos);
    ar << I(m_reservedHeight) << I(m_titleColorBk);
    ar << I(m_rowNum) << I(m_rowMode) << I(m_tableTextHeight) << I(m_shapeTextHeight);
    ar << m_spareFactor << m_formFactor;
    ar << I(m_language) << I(m_stretchColumn);
    ar << I(m_pageSummary) << I(m_summaryRowHeight) << I(m_sumWeight) << I(m_sumLength)
       << I(m_sumJoint);

    growColumnLists();
    const int columns = std::max(m_columnNum, 0);
    ar << I(columns);
    for (int i = 0; i < columns; ++i)
        ar << m_captions[i];
    for (int i = 0; i < columns; ++i)
        ar << I(m_widths[i]);
    for (int i = 0; i < columns; ++i)
        ar << I(m_units[i]);

    for (int i : kMainTexts)
        ar << I(m_textHeights[std::size_t(i)]);
    ar << I(m_textHeights[1]);
    for (CVes_Variable& text : m_texts)
        text.Serialize(ar);
    ar << I(m_showTitle) << I(m_coverFlag);
}

void CVes_Template::loadLayout(platform::Archive& ar, int schema, TemplateLayout& t)
{
    t.m_paper = readInt(ar);
    t.m_orientation = readInt(ar);
    t.m_customWidth = readInt(ar);
    t.m_customHeight = readInt(ar);
    t.m_rowHeight = readInt(ar);
    t.m_topMargin = readInt(ar);
    t.m_bottomMargin = readInt(ar);
    t.m_leftMargin = readInt(ar);
    t.m_rightMargin = readInt(ar);
    t.m_gutter = readInt(ar);
    t.m_gutterPos = readInt(ar);
    t.m_reservedHeight = readInt(ar);
    if (schema >= 7)
        t.m_titleColorBk = readInt(ar);
    t.m_rowNum = readInt(ar);
    t.m_rowMode = readInt(ar);
    t.m_tableTextHeight = readInt(ar);
    if (schema >= 8)
        t.m_shapeTextHeight = readInt(ar);
    ar >> t.m_spareFactor >> t.m_formFactor;
    if (schema >= 5)
        t.m_language = static_cast<unsigned int>(readInt(ar));
    t.m_stretchColumn = readInt(ar);
    t.m_pageSummary = readInt(ar);
    t.m_summaryRowHeight = readInt(ar);
    if (schema >= 4) {
        t.m_sumWeight = readInt(ar);
        t.m_sumLength = readInt(ar);
        t.m_sumJoint = readInt(ar);
    }

    const std::int32_t columns = ar.readIntCount(kColumnBytes);
    platform::requireInRange(columns, 0, kMaxColumns, "column count");
    t.m_columnNum = columns;
    t.m_captions.clear();
    t.m_widths.clear();
    t.m_units.clear();
    for (std::int32_t i = 0; i < columns; ++i) {
        QString caption;
        ar >> caption;
        t.m_captions.append(caption);
    }
    for (std::int32_t i = 0; i < columns; ++i)
        t.m_widths.append(readInt(ar));
    for (std::int32_t i = 0; i < columns; ++i)
        t.m_units.append(readInt(ar));

    // Text 1 and its height came with schema 6.
    const bool withText1 = schema >= 6;
    for (int i : kMainTexts)
        t.m_textHeights[std::size_t(i)] = readInt(ar);
    if (withText1)
        t.m_textHeights[1] = readInt(ar);
    for (int i = 0; i < kTitleTextCount; ++i) {
        if (i == 1 && !withText1)
            continue;
        t.m_texts[std::size_t(i)].Serialize(ar);
    }
    if (schema >= 9) {
        t.m_showTitle = readInt(ar);
        t.m_coverFlag = readInt(ar);
    }
}

bool CVes_Template::saveTemplateFile(const QString& path)
{
    return streamfile::save(path, [this](platform::Archive& ar) { Serialize(ar); });
}

bool CVes_Template::loadTemplateFromFile(const QString& path)
{
    CVes_Template read;
    if (!streamfile::load(path,
                          [&read](platform::Archive& ar) { read.CVes_Template::Serialize(ar); }))
        return false;
    loadTemplate(&read);
    return true;
}
