#include "tables/barlist/setuptable.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "tables/framework/sheetsetup.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <vector>

const QString CVes_SetupTable::kFirstElement = QStringLiteral("这里输入构件编号");

namespace {

constexpr sheetsetup::Column kColumns[CVes_SetupTable::kColumnCount] = {
    {"钢筋\n \n编号", "No.", 5, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", "Diam", 5, CVes_Template::kNoUnit},
    {"钢筋\n间距", "Space", 6, CVes_Template::kMillimetre},
    {"安装\n\n起点", "Loc", 6, CVes_Template::kNoUnit},
    {"钢筋形状\n", "Bar Sharp\n", 24, CVes_Template::kMillimetre},
    {"断料\n长度", "Cut \nLength", 7, CVes_Template::kMillimetre},
    {"每件\n\n根数", "Num\nin\nEach", 7, CVes_Template::kNoUnit},
    {"总根数", "Total\nNum", 7, CVes_Template::kNoUnit},
    {"总长\n", "Total\nLength", 12, CVes_Template::kMetre},
    {"总重\n", "Total\nWeight", 12, CVes_Template::kKilogram},
    {"备注", "Remarks", 9, CVes_Template::kNoUnit},
};

// Landscape A4 with 15 mm margins, 16 rows of 10 mm a page.
constexpr sheetsetup::Page kPage = {15, 15, 15, 15, 4, 10, 16, 90, 16, 1,
                                    CVes_SetupTable::kColRemark};
// Text 7 is the date the list was made.
constexpr sheetsetup::TitleText kTitleTexts[] = {
    {2, "工程名称", "XX工程", 40, 24},
    {3, "施工部位", "第一层", 40, 24},
    {4, "", " ", 40, 24},
    {5, "编制", " ", 30, CVes_String::kLeft},
    {6, "校核", " ", 30, CVes_String::kLeft},
    {7, "编制日期", "", 30, CVes_String::kRight},
};

const QString kChineseTitle = QStringLiteral("钢筋配料单");
const QString kEnglishTitle = QStringLiteral("Bar Bending Schedule");

// Fewest bytes a stored line can take: the schema and four ints of a line of
// the first schema (which had no shown flag and no colour) with nothing of
// its kind. Older bar lists hold such lines, so no newer line's size may be
// asked of them.
constexpr qsizetype kLeastLineBytes = 5 * 4;
// Fewest bytes a stored design variable can take.
constexpr qsizetype kLeastVariableBytes = 4;

} // namespace

CVes_SetupTable::CVes_SetupTable() : CVes_SetupTable(Bare{})
{
    m_rules.readUserRules();
    // The new state is the base snapshot, so the first edit can be undone.
    resetUndo();
}

CVes_SetupTable::CVes_SetupTable(Bare) : SnapshotSheet(true)
{
    m_orientation = kLandscape;
    m_pageSummary = 1;
    m_coverFlag = 1;
    sheetsetup::applyPage(*this, kPage, kChineseTitle);
    sheetsetup::applyTitleTexts(*this, kTitleTexts);
    const QDate today = platform::host().now().date();
    m_texts[7].m_formula = QString::asprintf("%d-%d-%d", today.year(), today.month(), today.day());
    // The cover names the title texts in its placeholders, so it is built
    // once they have their names.
    initTableCover();
    sheetsetup::applyColumns(*this, kColumns, 0);

    // Equal processing bars are joined in the derived sheets.
    m_rules.m_dnOrder = 1;
    m_rules.m_mergeSame = 1;

    auto* first = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    first->setElement(kFirstElement);
    first->setNull(0);
    m_lines.append(first);
}

CVes_SetupTable::~CVes_SetupTable() = default;

// File

void CVes_SetupTable::Serialize(platform::Archive& ar)
{
    CVes_TableBase::Serialize(ar);

    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(m_defaultEleNum);
        ar << std::int32_t(m_unitNames.size());
        for (const QString& name : std::as_const(m_unitNames))
            ar << name;
        ar << std::int32_t(m_unitLocs.size());
        for (const QString& location : std::as_const(m_unitLocs))
            ar << location;
        storeLines(ar);
        ar << m_zoom;
        m_rules.Serialize(ar);
        for (const QString& text : m_jinHuoTexts)
            ar << text;
        m_yuanCai.Serialize(ar);
        ar << std::int32_t(m_liaoPaiType) << std::int32_t(m_liaoPaiDirect);
        ar << std::int32_t(m_exVars.size());
        for (const auto& variable : m_exVars)
            variable->Serialize(ar);
        return;
    }

    const int schema = ar.readSchema(2, kSchema);
    // Everything is read first and taken over only when the whole part was
    // read, so that a damaged stream leaves the bar list's own data alone.
    std::int32_t pieces = 0;
    ar >> pieces;
    QStringList names;
    for (std::int32_t i = 0, n = ar.readIntCount(1); i < n; ++i) {
        QString name;
        ar >> name;
        names.append(name);
    }
    QStringList locations;
    for (std::int32_t i = 0, n = ar.readIntCount(1); i < n; ++i) {
        QString location;
        ar >> location;
        locations.append(location);
    }
    std::vector<std::unique_ptr<CVes_SetupTableLine>> rows = readLines(ar, kLeastLineBytes);
    double zoom = m_zoom;
    if (schema >= 3)
        ar >> zoom;
    zoom = storedZoom(zoom);
    CVes_SortRules rules(m_rules);
    if (schema >= 4)
        rules.Serialize(ar);
    std::array<QString, kPurchaseTextCount> texts = m_jinHuoTexts;
    if (schema >= 5)
        for (QString& text : texts)
            ar >> text;
    CVes_SteelYuanCaiDataLib yuanCai(m_yuanCai);
    if (schema >= 6)
        yuanCai.Serialize(ar);
    std::int32_t tagForm = m_liaoPaiType;
    std::int32_t tagDirection = m_liaoPaiDirect;
    if (schema >= 7)
        ar >> tagForm >> tagDirection;
    std::vector<std::unique_ptr<CVes_Variable>> variables;
    if (schema >= 8) {
        const std::int32_t n = ar.readIntCount(kLeastVariableBytes);
        variables.reserve(std::size_t(n));
        for (std::int32_t i = 0; i < n; ++i) {
            auto variable = std::make_unique<CVes_Variable>();
            variable->Serialize(ar);
            variables.push_back(std::move(variable));
        }
    }

    m_defaultEleNum = pieces;
    m_unitNames = names;
    m_unitLocs = locations;
    adoptLines(rows);
    m_curRow = -1;
    m_huizong.forgetElements();
    m_zoom = zoom;
    m_rules = rules;
    m_jinHuoTexts = texts;
    m_yuanCai = std::move(yuanCai);
    m_liaoPaiType = tagForm;
    m_liaoPaiDirect = tagDirection;
    // The file's design variables replace those the table held, so that the
    // values read are the ones in force.
    if (schema >= 8)
        m_exVars = std::move(variables);

    initTableCover();
    resetUndo();
}

std::unique_ptr<CVes_TableBase> CVes_SetupTable::createEmpty() const
{
    // Fields an older file lacks keep the values this table has.
    std::unique_ptr<CVes_SetupTable> fresh = emptyLikeThis();
    fresh->m_rules = m_rules;
    fresh->m_jinHuoTexts = m_jinHuoTexts;
    fresh->m_liaoPaiType = m_liaoPaiType;
    fresh->m_liaoPaiDirect = m_liaoPaiDirect;
    return fresh;
}

void CVes_SetupTable::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    auto& other = static_cast<CVes_SetupTable&>(loaded);
    SnapshotSheet::takeOver(loaded);
    m_unitNames = other.m_unitNames;
    m_unitLocs = other.m_unitLocs;
    m_defaultEleNum = other.m_defaultEleNum;
    m_rules = other.m_rules;
    m_jinHuoTexts = other.m_jinHuoTexts;
    m_liaoPaiType = other.m_liaoPaiType;
    m_liaoPaiDirect = other.m_liaoPaiDirect;
    m_huizong.forgetElements();
}

// Undo

void CVes_SetupTable::copy(const CVes_SetupTable* other)
{
    if (!other || other == this)
        return;
    takeUndoState(*other);
    copyLinesOf(*other);
}

void CVes_SetupTable::takeUndoState(const CVes_SetupTable& other)
{
    CVes_TableBase::copy(&other);
    m_huizong.forgetElements();
}

// Language, editing

void CVes_SetupTable::setLanguage(unsigned int language)
{
    m_language = language;
    if (language > 1)
        return;
    const bool chinese = language == 0;
    CVes_Variable& title = m_texts[0];
    title.m_text = chinese ? QStringLiteral("表单标题") : QStringLiteral("title");
    if (chinese && title.m_formula == kEnglishTitle)
        title.m_formula = kChineseTitle;
    else if (!chinese && title.m_formula == kChineseTitle)
        title.m_formula = kEnglishTitle;
    static const char* const kChineseLabels[] = {"工程名称", "施工部位", "", "编制", "审核", "日期"};
    static const char* const kEnglishLabels[] = {"Project Name", "Location",  "",
                                                 "Produce by",   "Check by",  "Date"};
    for (int i = 2; i <= 7; ++i)
        m_texts[std::size_t(i)].m_text =
            QString::fromUtf8(chinese ? kChineseLabels[i - 2] : kEnglishLabels[i - 2]);
    growColumnLists();
    for (int c = 0; c < kColumnCount && c < m_captions.size(); ++c)
        m_captions[c] = QString::fromUtf8(chinese ? kColumns[c].chinese : kColumns[c].english);
}

int CVes_SetupTable::isEditCurCol()
{
    auto* line = static_cast<CVes_SetupTableLine*>(getLine(m_curRow));
    if (!line || m_curCol < 0)
        return 0;
    switch (line->getType()) {
    case CVes_SetupTableLine::kSteelLine:
        if (m_curCol == kColTotalCount || m_curCol == kColTotalLength
            || m_curCol == kColTotalWeight)
            return 0;
        if (m_curCol == kColCutLength && line->m_steel.calcLength)
            return 0;
        return 1;
    case CVes_SetupTableLine::kElementLine: {
        const auto width = [this](int c) { return c < m_widths.size() ? m_widths[c] : 0; };
        const int elementCell =
            width(kColSpacing) > 0 ? kColSpacing : width(kColStart) > 0 ? kColStart : kColShape;
        return m_curCol == elementCell || m_curCol == kColCount ? 1 : 0;
    }
    default:
        return 1;
    }
}

CVes_Variable* CVes_SetupTable::getTabEditVar()
{
    return getTabEditVar(getSteel(m_curRow));
}

CVes_Variable* CVes_SetupTable::getTabEditVar(CVes_BarCore* bar)
{
    if (!bar)
        return nullptr;
    int index = m_shapeVar + 1;
    m_shapeVar = index;
    CVes_Variable* variable = bar->getVarByIndex(index);
    if (variable)
        m_shapeVar = index;
    return variable;
}


void CVes_SetupTable::setJinHuoText(int index, const QString& text)
{
    if (index >= 0 && index < kPurchaseTextCount)
        m_jinHuoTexts[std::size_t(index)] = text;
}

// Units

void CVes_SetupTable::setUnitArray(const QStringList& names)
{
    m_unitNames = names;
    markEdited();
}

void CVes_SetupTable::setUnitlocArray(const QStringList& locations)
{
    m_unitLocs = locations;
    markEdited();
}

void CVes_SetupTable::getUnitArray(QStringList& names) const
{
    names += m_unitNames;
}

void CVes_SetupTable::getUnitlocArray(QStringList& locations) const
{
    locations += m_unitLocs;
}

QString CVes_SetupTable::getUnitStarLoc(const QString& name) const
{
    const qsizetype i = m_unitNames.indexOf(name);
    return i >= 0 && i < m_unitLocs.size() ? m_unitLocs[i] : QString();
}

QString CVes_SetupTable::getUnitEndLoc(const QString& name) const
{
    const qsizetype i = m_unitNames.indexOf(name);
    return i >= 0 && i + 1 < m_unitLocs.size() ? m_unitLocs[i + 1] : QString();
}

int CVes_SetupTable::getUnitArray(const QString& start, const QString& end,
                                  QStringList& out) const
{
    bool started = false;
    for (const QString& name : m_unitNames) {
        if (!started && name == start)
            started = true;
        if (started)
            out.append(name);
        if (name == end)
            return started ? 1 : 0;
    }
    return 0;
}
