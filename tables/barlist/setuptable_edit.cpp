// The bar list's own bar fields edited over the selected rows (spacing and
// start style), the defaults of a new bar row, the numbering of the bars,
// the text and value category of a cell, and the search.

#include "tables/barlist/setuptable.h"
#include "tables/barlist/bartexts.h"
#include "tables/framework/cellentry.h"
#include "tables/framework/barnumbering.h"

#include "tables/barlist/listnumbering.h"

#include "core/geometry/steeltext.h"
#include "envora/rules.h"
#include "envora/usercustom.h"
#include "tables/framework/tablehelpers.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using Line = CVes_SetupTableLine;

// Value categories of a cell.
constexpr unsigned int kCatElement = 0;
constexpr unsigned int kCatNumber = 1;
constexpr unsigned int kCatGrade = 2;
constexpr unsigned int kCatSpacing = 3;
constexpr unsigned int kCatShape = 4;
constexpr unsigned int kCatVariable = 5;
constexpr unsigned int kCatCount = 6;
constexpr unsigned int kCatRemark = 7;
constexpr unsigned int kCatNone = ~0u;

constexpr int kStirrupCalc = 1;
const QString kNotSameText = QStringLiteral("NOTSAME");

Line* asLine(CVes_TableBaseLine* row)
{
    return dynamic_cast<Line*>(row);
}

// The bar of a non-empty bar row; null otherwise.
CVes_Steel* barOf(CVes_TableBaseLine* row)
{
    Line* line = asLine(row);
    if (!line || line->isNull())
        return nullptr;
    return line->getSetupSteel();
}

struct SelectedBar {
    Line* row;
    CVes_Steel* bar;
};

// The selected bar rows of the current page (empty ones included).
std::vector<SelectedBar> selectedBarRows(const CVes_SetupTable& table)
{
    std::vector<SelectedBar> result;
    for (CVes_TableBaseLine* row : table.selectedBarLines()) {
        if (Line* line = asLine(row))
            result.push_back({line, line->getSetupSteel()});
    }
    return result;
}

// The text every selected bar row shares; an empty common text is taken
// over by the next row's text.
template <typename Get>
QString sameText(const CVes_SetupTable& table, Get get)
{
    QString common;
    for (const SelectedBar& b : selectedBarRows(table)) {
        const QString value = get(*b.bar);
        if (common.isEmpty())
            common = value;
        else if (value != common)
            return {};
    }
    return common;
}

// Writes every selected unlocked bar row; an empty row is made real when
// `makeReal`. Answers whether any row was written.
template <typename Write>
bool writeSelected(CVes_SetupTable& table, bool makeReal, Write write)
{
    bool changed = false;
    for (const SelectedBar& b : selectedBarRows(table)) {
        if (b.row->getLock())
            continue;
        write(*b.bar);
        if (makeReal && b.row->isNull())
            b.row->setNull(0);
        changed = true;
    }
    return changed;
}

// The rows a search looks at: 0 the current page, 1 the whole table, any
// other scope the pages from the smaller to the larger page number.
TableLineList scopeRows(CVes_SetupTable& table, unsigned int scope, int page1, int page2)
{
    if (scope == 0)
        return table.pageLines();
    if (scope == 1)
        return table.lines();
    return table.getlineOfPage(std::min(page1, page2), std::max(page1, page2));
}

// A spacing typed into the bar pane, refused with what the field takes when
// it would not show as typed.
bool spacingTaken(const QString& text)
{
    if (cellentry::spacingPartHolds(text))
        return true;
    cellentry::refuse(text, barlimits::kSpacing);
    return false;
}

} // namespace

// Spacing and start style

QString CVes_SetupTable::isSameDistMiOfSelLine()
{
    return sameText(*this, [](const CVes_Steel& b) { return b.spacing1; });
}

QString CVes_SetupTable::isSameDistFeiOfSelLine()
{
    return sameText(*this, [](const CVes_Steel& b) { return b.spacing2; });
}

QString CVes_SetupTable::isSameDistDaOfSelLine()
{
    return sameText(*this, [](const CVes_Steel& b) { return b.spacing3; });
}

void CVes_SetupTable::setSelLineDistMi(const QString& text)
{
    if (!spacingTaken(text))
        return;
    if (writeSelected(*this, true, [&](CVes_Steel& b) { b.spacing1 = text; })) {
        setModified(1);
        AddUndo();
    }
}

void CVes_SetupTable::setSelLineDistFei(const QString& text)
{
    if (!spacingTaken(text))
        return;
    if (writeSelected(*this, true, [&](CVes_Steel& b) { b.spacing2 = text; })) {
        setModified(1);
        AddUndo();
    }
}

void CVes_SetupTable::setSelLineDistDa(const QString& text)
{
    if (!spacingTaken(text))
        return;
    if (writeSelected(*this, true, [&](CVes_Steel& b) { b.spacing3 = text; })) {
        setModified(1);
        AddUndo();
    }
}

CSteelRecordId CVes_SetupTable::isSameSteelStartOfSelLIne()
{
    CSteelRecordId common(-1, -1);
    for (const SelectedBar& b : selectedBarRows(*this)) {
        const CSteelRecordId key = b.bar->start.getRecordId();
        if (common.m_mainId < 0 || common.m_recordNo < 0)
            common = key;
        else if (!(key == common))
            return CSteelRecordId(-1, -1);
    }
    return common;
}

void CVes_SetupTable::setSelLineSteelStart(CSteelRecordId key)
{
    if (writeSelected(*this, true, [&](CVes_Steel& b) { b.start.setRecordId(key); })) {
        setModified(1);
        AddUndo();
    }
}

void CVes_SetupTable::setSelLineSteelStartVarValue(const QString& name, const QString& value)
{
    // Held as the start cell holds it: refused once, and then no bar changes.
    for (const SelectedBar& b : selectedBarRows(*this)) {
        if (!b.row->getLock() && !cellentry::dimensionTakes(b.bar->start, name, value))
            return;
    }
    if (writeSelected(*this, false, [&](CVes_Steel& b) { b.start.setVarValue(name, value); })) {
        setModified(1);
        AddUndo();
    }
}

QString CVes_SetupTable::isSameVarStringOfSelLineSteelStart(const QString& name)
{
    bool first = true;
    QString common = kNotSameText;
    for (const SelectedBar& b : selectedBarRows(*this)) {
        const QString value = b.bar->start.getVarString(name);
        if (first) {
            common = value;
            first = false;
        } else if (value != common) {
            return kNotSameText;
        }
    }
    return common;
}

void CVes_SetupTable::setSelLineStartMirrorHor()
{
    if (writeSelected(*this, false, [](CVes_Steel& b) { b.start.MirrorHor(); })) {
        setModified(1);
        AddUndo();
    }
}

// Numbers and defaults

CVes_Steel* CVes_SetupTable::getSameIDSteel(CVes_Steel* bar)
{
    if (!bar)
        return nullptr;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        CVes_Steel* other = barOf(row);
        if (other && other != bar && other->number == bar->number)
            return other;
    }
    return nullptr;
}

CVes_TableBaseLine* CVes_SetupTable::getPrvLine(CVes_TableBaseLine* row, int sameKind,
                                                int stirrupOnly) const
{
    const qsizetype at = m_lines.indexOf(row);
    if (at <= 0)
        return nullptr;
    for (qsizetype i = at - 1; i >= 0; --i) {
        CVes_TableBaseLine* prev = m_lines[i];
        if (prev->isNull())
            continue;
        if (sameKind) {
            if (prev->getType() != row->getType())
                continue;
            if (stirrupOnly) {
                const CVes_BarCore* bar = prev->getSteel();
                if (!bar || bar->getStirrup() != kStirrupCalc)
                    continue;
            }
        }
        return prev;
    }
    return nullptr;
}

int CVes_SetupTable::getDefualtGrade(double diameter, CVes_TableBaseLine* row) const
{
    const qsizetype at = row ? m_lines.indexOf(row) : -1;
    if (at <= 0)
        return Info_getSteelGrade(float(diameter));
    int remembered = 0;
    for (qsizetype i = at - 1; i >= 0; --i) {
        CVes_TableBaseLine* prev = m_lines[i];
        if (prev->isNull() || prev->getType() != row->getType())
            continue;
        const CVes_BarCore* bar = prev->getSteel();
        if (!bar)
            continue;
        if (remembered < 1 && bar->grade >= 1)
            remembered = bar->grade;
        if (double(bar->DN) == diameter)
            return bar->grade;
    }
    if (Info_UserCustomGetGradeMode() != 0 && remembered >= 1)
        return remembered;
    return Info_getSteelGrade(float(diameter));
}

void CVes_SetupTable::getDefualtValueFromPrvLine(CVes_TableBaseLine* row)
{
    Line* line = asLine(row);
    CVes_Steel* bar = line ? line->getSetupSteel() : nullptr;
    if (!bar)
        return;
    CVes_TableBaseLine* prevRow = getPrvLine(row, 1, bar->getStirrup() == kStirrupCalc ? 1 : 0);
    const CVes_Steel* prev = prevRow ? asLine(prevRow)->getSetupSteel() : nullptr;
    if (!prev || Info_UserCustomContentIsClude(0))
        return;
    bar->set(prev);
    // A new bar is a plain one: being varying is given to a bar by the user
    // alone, and the bar before passes on its number of bars.
    setBarVarying(*bar, false);
    clearUncopiedFields(*bar);
    if (prev->number.isEmpty() && Info_UserCustomContentIsClude(kCopyNumber))
        bar->number = nextNumberString(prev->number);
}

void CVes_SetupTable::clearUncopiedFields(CVes_Steel& bar, int fields)
{
    const auto cleared = [fields](int bit) {
        return (fields & bit) != 0 && !Info_UserCustomContentIsClude(bit);
    };
    if (cleared(kCopyVariables))
        bar.setVarZero();
    // The ends joined to bars of the same size lose it with the bar.
    if (cleared(kCopyGrade))
        bar.setDN(0.0f);
    if (cleared(kCopyCount))
        bar.count = 0;
    if (cleared(kCopyRemark))
        bar.remark.clear();
    if (cleared(kCopySpacing)) {
        bar.spacing1.clear();
        bar.spacing2.clear();
        bar.spacing3.clear();
    }
    if (cleared(kCopyShape)) {
        bar.setRecordId(CSteelRecordId(-1, -1));
        bar.setHookLeft(CVes_Hook());
        bar.setHookRight(CVes_Hook());
    }
    if (cleared(kCopyNumber))
        bar.number.clear();
    if (cleared(kCopyStart))
        bar.start.setRecordId(CSteelRecordId(-1, -1));
}

void CVes_SetupTable::NumberSteel(int share, int all, int continuous)
{
    // Numbering reaches rows on every page: the undo snapshots keep each row
    // as it was when it changed.
    const QStringList before = barNumbers();
    ListNumbering(share != 0, all != 0, continuous != 0).run(m_lines, [](CVes_TableBaseLine* row) {
        beforeRowChange(row);
    });
    recordNumbers(before);
}

void CVes_SetupTable::numberBehindProgress(int share, int all, int continuous)
{
    std::unique_ptr<CVes_SetupTable> copy;
    ListNumbering numbering(share != 0, all != 0, continuous != 0);
    std::size_t given = 0;
    bool renumbered = false;
    platform::ProgressJob job;
    job.take = takeWorkingCopy(copy);
    job.work = [&](const std::atomic<bool>& cancel, const platform::WorkProgress&) {
        return numbering.run(copy->m_lines, [](CVes_TableBaseLine*) {}, &cancel);
    };
    // The list is as it was copied: the window kept the user from it.
    job.give = [&] {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<NumberedBar>& changes = numbering.changes();
        for (; given < changes.size(); ++given) {
            if ((given & 63) == 0 && std::chrono::steady_clock::now() - start > kCopySlice)
                return false;
            const NumberedBar& change = changes[given];
            CVes_TableBaseLine* row = m_lines.value(change.row);
            CVes_Steel* bar = barOf(row);
            if (!bar)
                continue;
            renumbered = renumbered || bar->number != change.number;
            beforeRowChange(row);
            bar->number = change.number;
        }
        // Numbering that leaves every number as it was is no edit.
        if (renumbered) {
            refreshCurPage();
            setModified(1);
            AddUndo();
        }
        return true;
    };
    platform::runWithProgress(QStringLiteral("正在给钢筋编号……"), true, job);
}

void CVes_SetupTable::clearNumber()
{
    const QStringList before = barNumbers();
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        if (CVes_Steel* bar = barOf(row); bar && bar->isProcess() && !bar->number.isEmpty()) {
            beforeRowChange(row);
            bar->number.clear();
        }
    }
    recordNumbers(before);
}

QStringList CVes_SetupTable::barNumbers() const
{
    QStringList numbers;
    for (CVes_TableBaseLine* row : m_lines)
        if (const CVes_Steel* bar = barOf(row))
            numbers << bar->number;
    return numbers;
}

void CVes_SetupTable::recordNumbers(const QStringList& before)
{
    // Numbering that leaves every number as it was is no edit.
    if (barNumbers() == before)
        return;
    refreshCurPage();
    setModified(1);
    AddUndo();
}

// Cell categories and search

unsigned int CVes_SetupTable::getUNITType(int row, int column)
{
    Line* line = asLine(getLine(row));
    if (!line || line->isNull())
        return kCatNone;
    if (line->isElementLine())
        return column >= 0 && column < 4 ? kCatElement : kCatNone;
    CVes_Steel* bar = line->getSetupSteel();
    if (!bar)
        return kCatNone;
    switch (column) {
    case kColNumber:
        return kCatNumber;
    case kColGrade:
        return kCatGrade;
    case kColSpacing:
        return kCatSpacing;
    case kColShape:
        return bar->getUsingVar() ? kCatVariable : kCatShape;
    case kColCount:
        return kCatCount;
    case kColRemark:
        return kCatRemark;
    default:
        return kCatNone;
    }
}

QString CVes_SetupTable::getUNITString(int row, int column)
{
    const unsigned int category = getUNITType(row, column);
    Line* line = asLine(getLine(row));
    if (category == kCatNone || !line)
        return {};
    if (category == kCatElement)
        return line->getElement();
    CVes_Steel* bar = line->getSetupSteel();
    if (!bar)
        return {};
    switch (category) {
    case kCatNumber:
        return bar->number;
    case kCatGrade:
        return Steel_GradeDNToString(bar->grade, bar->DN, bar->steelType);
    case kCatSpacing: {
        QString text = bar->spacing1;
        if (!bar->spacing2.isEmpty())
            text += QLatin1Char(';') + bar->spacing2;
        if (!bar->spacing3.isEmpty())
            text += QLatin1Char(';') + bar->spacing3;
        return text;
    }
    case kCatShape:
    case kCatVariable: {
        const CVes_Variable* var = bar->getUsingVar();
        if (!var)
            return bar->getRecordId().ToString();
        if (var->m_type == CVes_Variable::kGiven)
            return QString::number(int(var->m_value));
        if (var->m_type == CVes_Variable::kComputed || var->m_type == CVes_Variable::kTextKind)
            return var->m_formula;
        return {};
    }
    case kCatCount:
        return QString::number(bar->count);
    case kCatRemark:
        return bar->remark;
    default:
        return {};
    }
}

int CVes_SetupTable::isFindLine(CVes_TableBaseLine* row, const QString& text,
                                unsigned int category)
{
    Line* line = asLine(row);
    if (!line || line->isNull())
        return 0;
    if (category == kCatElement)
        return line->getElement().contains(text) ? 1 : 0;
    if (category == kCatRemark && line->isElementLine())
        return line->getEleRemark().contains(text) ? 1 : 0;
    CVes_Steel* bar = line->getSetupSteel();
    if (!bar)
        return 0;
    switch (category) {
    case kCatNumber:
        return bar->number.contains(text) ? 1 : 0;
    case kCatGrade: {
        int grade = 0;
        float diameter = 0.0f;
        transStringToGuige(text, grade, diameter);
        if (grade < 1 && diameter < 1.0f)
            return 0;
        if (grade > 0 && grade != bar->grade)
            return 0;
        if (diameter > 0.0f && std::fabs(diameter - bar->DN) > 0.1f)
            return 0;
        return 1;
    }
    case kCatSpacing:
        for (const QString* s : {&bar->spacing1, &bar->spacing2, &bar->spacing3}) {
            if (!s->isEmpty() && s->contains(text))
                return 1;
        }
        return 0;
    case kCatShape:
        return bar->getRecordId() == CSteelRecordId::setId(text) ? 1 : 0;
    case kCatVariable:
        return bar->findVar(text) ? 1 : 0;
    case kCatCount:
        return qint64(bar->count) == barnumbering::leadingNumber(text) ? 1 : 0;
    case kCatRemark:
        return bar->remark.contains(text) ? 1 : 0;
    default:
        return 0;
    }
}

TableLineList CVes_SetupTable::searchAllLine(const QString& text, unsigned int category,
                                             unsigned int scope, int page1, int page2)
{
    TableLineList found;
    if (text.isEmpty())
        return found;
    const TableLineList rows = scopeRows(*this, scope, page1, page2);
    for (CVes_TableBaseLine* row : std::as_const(rows)) {
        if (!row->isNull() && isFindLine(row, text, category))
            found.append(row);
    }
    return found;
}

CVes_TableBaseLine* CVes_SetupTable::searchNextLine(CVes_TableBaseLine* start,
                                                    const QString& text, unsigned int category,
                                                    unsigned int scope, int page1, int page2)
{
    if (text.isEmpty())
        return nullptr;
    const TableLineList rows = scopeRows(*this, scope, page1, page2);
    if (!start)
        start = getLine(getCurRow());
    qsizetype from = 0;
    if (start) {
        const qsizetype at = rows.indexOf(start);
        if (at < 0 || at + 1 >= rows.size())
            return nullptr;
        from = at + 1;
    }
    for (qsizetype i = from; i < rows.size(); ++i) {
        CVes_TableBaseLine* row = rows[i];
        if (row->isNull())
            continue;
        if (category == kCatVariable) {
            if (CVes_Steel* bar = barOf(row)) {
                if (CVes_Variable* var = bar->findVar(text)) {
                    var->setStatus(CVes_ReferenceBase::kEditing);
                    return row;
                }
                continue;
            }
        }
        if (isFindLine(row, text, category))
            return row;
    }
    return nullptr;
}
