#include "tables/barlist/setuptable.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"
#include "platform/hostservices.h"

#include <QDateTime>

#include <vector>

const QString CVes_SetupTable::kFirstElement = QStringLiteral("这里输入构件编号");

namespace {

struct ColumnDefault {
    const char* chinese;
    const char* english;
    int width;
    int unit;
};

constexpr ColumnDefault kColumns[CVes_SetupTable::kColumnCount] = {
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

const QString kChineseTitle = QStringLiteral("钢筋配料单");
const QString kEnglishTitle = QStringLiteral("Bar Bending Schedule");

// Fewest bytes a stored line can take: the schema and four ints of a line of
// the first schema (which had no shown flag and no colour) with nothing of
// its kind. Older bar lists hold such lines, so no newer line's size may be
// asked of them.
constexpr qsizetype kLeastLineBytes = 5 * 4;
// Fewest bytes a stored design variable can take.
constexpr qsizetype kLeastVariableBytes = 4;

void setText(CVes_Variable& text, const QString& label, const QString& value, int height,
             unsigned int align)
{
    text.m_text = label;
    text.m_formula = value;
    text.m_height = height;
    text.m_align = align;
}

} // namespace

CVes_SetupTable::CVes_SetupTable() : CVes_SetupTable(Bare{})
{
    m_rules.readUserRules();
    // The new state is the base snapshot, so the first edit can be undone.
    resetUndo();
}

CVes_SetupTable::CVes_SetupTable(Bare)
{
    m_orientation = kLandscape;
    m_topMargin = m_bottomMargin = m_leftMargin = m_rightMargin = 15;
    m_reservedHeight = 16;
    m_rowHeight = 10;
    m_rowNum = 16;
    m_rowMode = 1;
    m_pageSummary = 1;
    m_tableTextHeight = 4;
    m_coverFlag = 1;

    m_textHeights[0] = 90;
    for (int i : {2, 3, 4})
        m_textHeights[std::size_t(i)] = 40;
    for (int i : {5, 6, 7})
        m_textHeights[std::size_t(i)] = 30;

    CVes_Variable& title = m_texts[0];
    setText(title, QStringLiteral("表单标题"), kChineseTitle, 90, CVes_String::kCentre);
    title.m_position.m_y = 10 * m_topMargin;
    title.m_position.m_x = 5 * getRealW();
    setText(m_texts[2], QStringLiteral("工程名称"), QStringLiteral("XX工程"), 40, 24);
    setText(m_texts[3], QStringLiteral("施工部位"), QStringLiteral("第一层"), 40, 24);
    setText(m_texts[4], QString(), QStringLiteral(" "), 40, 24);
    setText(m_texts[5], QStringLiteral("编制"), QStringLiteral(" "), 30, CVes_String::kLeft);
    setText(m_texts[6], QStringLiteral("校核"), QStringLiteral(" "), 30, CVes_String::kLeft);
    const QDate today = platform::host().now().date();
    setText(m_texts[7], QStringLiteral("编制日期"),
            QString::asprintf("%d-%d-%d", today.year(), today.month(), today.day()), 30,
            CVes_String::kRight);
    // The cover names the title texts in its placeholders, so it is built
    // once they have their names.
    initTableCover();

    m_columnNum = kColumnCount;
    m_stretchColumn = kColRemark;
    m_captions.clear();
    m_widths.clear();
    m_units.clear();
    for (const ColumnDefault& column : kColumns) {
        m_captions.append(QString::fromUtf8(column.chinese));
        m_widths.append(column.width);
        m_units.append(column.unit);
    }

    // Equal processing bars are joined in the derived sheets.
    m_rules.m_dnOrder = 1;
    m_rules.m_mergeSame = 1;

    auto* first = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    first->setElement(kFirstElement);
    first->setNull(0);
    m_lines.append(first);
}

CVes_SetupTable::~CVes_SetupTable() = default;

// ---- File -------------------------------------------------------------------------

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
        // The trailing run of empty filler lines is not stored.
        qsizetype stored = m_lines.size();
        while (stored > 0 && m_lines[stored - 1]->isNull())
            --stored;
        ar << std::int32_t(stored);
        for (qsizetype i = 0; i < stored; ++i)
            m_lines[i]->Serialize(ar);
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

    const int schema = ar.readSchema([](int s) { return s >= 2 && s <= kSchema; });
    // Everything is read first and taken over only when the whole part was
    // read, so that a damaged stream leaves the bar list's own data alone.
    std::int32_t pieces = 0;
    ar >> pieces;
    platform::requireInRange(pieces, -storedrange::kCount, storedrange::kCount, "piece count");
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
    std::vector<std::unique_ptr<CVes_SetupTableLine>> rows;
    const std::int32_t rowCount = ar.readIntCount(kLeastLineBytes);
    rows.reserve(std::size_t(rowCount));
    for (std::int32_t i = 0; i < rowCount; ++i) {
        auto row = std::make_unique<CVes_SetupTableLine>();
        row->Serialize(ar);
        rows.push_back(std::move(row));
    }
    double zoom = m_zoom;
    if (schema >= 3)
        ar >> zoom;
    platform::requireFiniteInRange(zoom, kMinPageZoom, kMaxPageZoom, "zoom");
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
    deleteAllLines();
    clearSelect();
    m_curPage = -1;
    m_curRow = -1;
    m_pages = 1;
    m_huizong.forgetElements();
    for (auto& row : rows)
        m_lines.append(row.release());
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
    std::unique_ptr<CVes_SetupTable> fresh(new CVes_SetupTable(Bare{}));
    fresh->m_zoom = m_zoom;
    fresh->m_rules = m_rules;
    fresh->m_jinHuoTexts = m_jinHuoTexts;
    fresh->m_yuanCai = m_yuanCai;
    fresh->m_liaoPaiType = m_liaoPaiType;
    fresh->m_liaoPaiDirect = m_liaoPaiDirect;
    for (const auto& variable : m_exVars)
        fresh->m_exVars.push_back(std::make_unique<CVes_Variable>(*variable));
    return fresh;
}

void CVes_SetupTable::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    auto& other = static_cast<CVes_SetupTable&>(loaded);
    CVes_TableBase::takeOver(loaded);
    m_unitNames = other.m_unitNames;
    m_unitLocs = other.m_unitLocs;
    m_defaultEleNum = other.m_defaultEleNum;
    m_rules = other.m_rules;
    m_jinHuoTexts = other.m_jinHuoTexts;
    m_liaoPaiType = other.m_liaoPaiType;
    m_liaoPaiDirect = other.m_liaoPaiDirect;
    m_history = std::move(other.m_history);
    m_huizong.forgetElements();
}

int CVes_SetupTable::SaveFile(const QString& path)
{
    const int saved = CVes_TableBase::SaveFile(path);
    if (saved)
        setSaved();
    return saved;
}

void CVes_SetupTable::setSaved()
{
    m_modified = 0;
    resetUndo();
}

// ---- Undo -------------------------------------------------------------------------

std::unique_ptr<CVes_SetupTable> CVes_SetupTable::snapshot() const
{
    std::unique_ptr<CVes_SetupTable> state(new CVes_SetupTable(Bare{}));
    state->copy(this);
    return state;
}

void CVes_SetupTable::resetUndo()
{
    m_history.reset(snapshot());
}

void CVes_SetupTable::AddUndo()
{
    m_history.add(snapshot());
}

void CVes_SetupTable::Undo()
{
    restoreFrom(m_history.undo());
}

void CVes_SetupTable::Redo()
{
    restoreFrom(m_history.redo());
}

void CVes_SetupTable::restoreFrom(const CVes_SetupTable* state)
{
    if (!state)
        return;
    copy(state);
    clearSelect();
    if (m_curPage >= 0)
        refreshCurPage();
}

void CVes_SetupTable::copy(const CVes_SetupTable* other)
{
    if (!other || other == this)
        return;
    CVes_TableBase::copy(other);
    deleteAllLines();
    m_huizong.forgetElements();
    for (CVes_TableBaseLine* row : other->m_lines) {
        auto* line = new CVes_SetupTableLine();
        line->copy(static_cast<const CVes_SetupTableLine*>(row));
        // A snapshot keeps how the line was shown too.
        line->setShow(row->getShow());
        line->setTextColor(row->getTextColor());
        m_lines.append(line);
    }
}

// ---- Language, editing --------------------------------------------------------------

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

int CVes_SetupTable::isCurShapeCol(int column)
{
    if (m_curRow < 1)
        return 0;
    return (column < 0 ? m_curCol : column) == kColShape ? 1 : 0;
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

CVes_BarCore* CVes_SetupTable::getSteel(int n)
{
    CVes_TableBaseLine* line = getLine(n);
    return line ? line->getSteel() : nullptr;
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

CVes_SetupTableLine* CVes_SetupTable::lineAt(int index) const
{
    if (index < 0 || index >= m_lines.size())
        return nullptr;
    return static_cast<CVes_SetupTableLine*>(m_lines[index]);
}

// ---- Units ---------------------------------------------------------------------------

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
