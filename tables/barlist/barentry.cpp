#include "tables/barlist/barentry.h"

#include "tables/barlist/bartexts.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/cellentry.h"

#include "core/geometry/formula.h"
#include "core/geometry/steeltext.h"
#include "envora/rules.h"
#include "envora/usercustom.h"
#include "platform/hostservices.h"

#include <array>
#include <cmath>
#include <optional>

namespace barlist {

namespace {

using Line = CVes_SetupTableLine;
using Source = EditedVariable::Source;
using Action = CellOpening::Action;

constexpr int kColNumber = CVes_SetupTable::kColNumber;
constexpr int kColGrade = CVes_SetupTable::kColGrade;
constexpr int kColSpacing = CVes_SetupTable::kColSpacing;
constexpr int kColStart = CVes_SetupTable::kColStart;
constexpr int kColShape = CVes_SetupTable::kColShape;
constexpr int kColCutLength = CVes_SetupTable::kColCutLength;
constexpr int kColCount = CVes_SetupTable::kColCount;
constexpr int kColRemark = CVes_SetupTable::kColRemark;

// Categories of the lines that replace their column's.
constexpr int kTextCategory = 7;
constexpr int kCountCategory = 5;
constexpr int kRemarkCategory = 6;

// Characters that never start an edit of a cell: they are keys of the view
// (mirroring, grades, multi-value switches) or cannot begin its value.
const QString kRefusedInGrade = QStringLiteral(" []{}oj");
const QString kRefusedInValues = QStringLiteral(" []{}/*;':\"");
const QString kRefusedInCount = QStringLiteral("[]{}/*;':\"");

bool isEditable(const CVes_Variable* variable)
{
    return variable && variable->m_type >= CVes_Variable::kGiven;
}

QString countText(const CVes_Steel& bar)
{
    if (bar.isMultiVal())
        return QString::asprintf("%d|%d", bar.getMultiGroup(), bar.count);
    return QString::asprintf("%d", bar.count);
}

QString sizeText(const CVes_Steel& bar)
{
    return Steel_GradeToString(bar.grade) + DNtoString(bar.DN);
}

// The editor of a cell of an element line; nullopt where there is none.
std::optional<CellOpening> elementOpening(const Line& line, int column)
{
    CellOpening open;
    open.action = Action::Editor;
    if (column >= 1 && column <= 4) {
        open.text = line.getElement();
        open.category = kTextCategory;
    } else if (column == kColCount) {
        open.text = QString::asprintf("%d", line.getEleNum());
        open.category = kCountCategory;
    } else if (column == 9 || column == kColRemark) {
        open.text = line.getEleRemark();
        open.category = kRemarkCategory;
    } else {
        return std::nullopt;
    }
    return open;
}

// The text a dimension of a variable cell starts from; nullopt for no
// variable or one the user does not give.
std::optional<QString> variableText(const CVes_Variable* variable, int column, bool multiValue)
{
    if (!isEditable(variable))
        return std::nullopt;
    if (variable->m_type == CVes_Variable::kTextKind)
        return variable->m_formula;
    if (column == kColStart && multiValue)
        return QString::asprintf("%.1f;%.1f;%.1f", variable->m_value, variable->m_value2,
                                 variable->m_step);
    if (column == kColShape && multiValue)
        return QString::asprintf("%.1f~%.1f", variable->m_value, variable->m_value2);
    if (column == kColShape && !variable->m_formula.isEmpty())
        return QLatin1Char('=') + variable->m_formula;
    return QString::asprintf("%.1f", variable->m_value);
}

CellOpening barOpening(Line& line, int column, const CVes_Variable* hit)
{
    CVes_Steel& bar = line.m_steel;
    CellOpening open;
    open.category = columnCategory(column);
    if (column == kColStart || column == kColShape) {
        open.variableCell = true;
        if (hit)
            open.variable = {cellSource(line, column), hit->m_text};
        const std::optional<QString> text = variableText(hit, column, bar.isMultiVal() != 0);
        if (text) {
            open.action = Action::Editor;
            open.text = *text;
        }
        return open;
    }
    open.action = Action::Editor;
    switch (column) {
    case kColNumber: open.text = bar.number; break;
    case kColGrade: open.text = sizeText(bar); break;
    case kColSpacing:
        open.text = QStringLiteral("%1;%2;%3").arg(bar.spacing1, bar.spacing2, bar.spacing3);
        break;
    case kColCutLength:
        if (bar.calcLength)
            open.action = Action::None;
        open.text = QString::asprintf("%.1f", double(bar.length));
        break;
    case kColCount: open.text = countText(bar); break;
    case kColRemark: open.text = bar.remark; break;
    default: open.action = Action::None; break;
    }
    return open;
}

// Committing


// A typed length: a number or formula the cut-length field holds.
std::optional<double> typedLength(const QString& entry)
{
    const std::optional<double> value = cellentry::numberFor(entry, barlimits::kCutLength);
    if (!value || !cellentry::fits(entry, *value, barlimits::kCutLength))
        return std::nullopt;
    return value;
}

int userDigit()
{
    return Info_UserCustomGenshuJinwei();
}

// A count of bars or groups, rounded by the user's digit, that the field
// holds.
std::optional<int> typedCount(const QString& entry, CountPart part, const barlimits::Field& field)
{
    const std::optional<double> value = cellentry::numberFor(entry, field);
    if (!value)
        return std::nullopt;
    const double count = roundCount(*value, userDigit(), part);
    if (!cellentry::fits(entry, count, field))
        return std::nullopt;
    return int(count);
}

bool enterGrade(CVes_SetupTable& table, Line& line, const QString& entry)
{
    int grade = 0;
    float diameter = 0.0f;
    if (!transTypedGuige(entry, grade, diameter)) {
        platform::showMessage(cellentry::sizeRefusal(entry) + QLatin1Char('\n'),
                              platform::MessageIcon::Stop);
        return false;
    }
    CVes_Steel& bar = line.m_steel;
    if (grade > 0)
        bar.grade = grade;
    // Only a size the user's table holds is written; a text that named a
    // grade alone leaves the diameter.
    if (diameter > 0.0f && Info_isValidDN(diameter)) {
        bar.setDN(diameter);
        if (!Steel_isValidGrade(bar.grade))
            bar.grade = table.getDefualtGrade(double(diameter), &line);
    }
    return true;
}

bool enterCount(CVes_Steel& bar, const QString& entry)
{
    if (!bar.isMultiVal()) {
        const std::optional<int> count = typedCount(entry, CountPart::Whole, barlimits::kCount);
        if (count)
            bar.count = *count;
        return count.has_value();
    }
    const cellentry::Parts parts = cellentry::splitAtFirstOf(
        entry, {QStringLiteral("|"), QStringLiteral(","), QStringLiteral(";"), QStringLiteral("/"),
                QStringLiteral("\\")});
    if (!parts.second) {
        // The whole entry is the number of groups.
        const std::optional<int> groups = typedCount(entry, CountPart::Whole, barlimits::kGroups);
        if (groups)
            bar.setMultiGroup(*groups);
        return groups.has_value();
    }
    const std::optional<int> count =
        typedCount(parts.second->trimmed(), CountPart::AfterSeparator, barlimits::kCount);
    if (!count)
        return false;
    const QString before = parts.first.trimmed();
    std::optional<int> groups;
    if (!before.isEmpty()
        && !(groups = typedCount(before, CountPart::BeforeSeparator, barlimits::kGroups)))
        return false;
    bar.count = *count;
    if (groups)
        bar.setMultiGroup(*groups);
    return true;
}

// The anchorage and lap keywords a dimension may be given with, tried in
// this order; the first one found is replaced by its length.
QString withLengths(const CVes_SetupTable& table, const CVes_Steel& bar, QString text)
{
    const int grade = bar.grade;
    const int d = int(bar.DN);
    const int type = bar.steelType;
    struct Keyword {
        const char* word;
        int length;
    };
    const std::array<Keyword, 7> keywords{{
        {"lae1", table.getLaeByKanzhen(grade, d, type, 1)},
        {"lae2", table.getLaeByKanzhen(grade, d, type, 2)},
        {"lae3", table.getLaeByKanzhen(grade, d, type, 3)},
        {"lae4", table.getLaeByKanzhen(grade, d, type, 4)},
        {"lae", table.getMaoguBeishu(grade, d, type)},
        {"la", table.getLa(grade, d, type)},
        {"lle", table.getLle(grade, d, type)},
    }};
    for (const Keyword& k : keywords) {
        const QString word = QString::fromLatin1(k.word);
        if (text.contains(word))
            return text.replace(word, QString::asprintf("%.1f", double(k.length)));
    }
    return text;
}

// A computed length as the user's rule for its last digits ends it.
double endingOf(const CVes_Steel& bar, double length)
{
    return double(Info_GetSteelDataEnd(cellentry::roundedUp(length, 0.0), bar.isGuJin(), 0));
}

// The value a typed dimension (without its range end) gives the variable:
// angles and plain numbers as typed, computed lengths by the user's rule for
// the last digits. nullopt when the text cannot be read.
std::optional<double> dimensionValue(const CVes_SetupTable& table, CVes_Steel& bar,
                                     CVes_ReferenceBase& owner, CVes_Variable& variable,
                                     QString text, bool formula)
{
    if (formula) {
        if (owner.checkFormulaString(text))
            variable.m_formula = text;
    } else {
        variable.m_formula.clear();
    }
    const double plain = leadingNumberOf(text);
    const barlimits::Field& field = barlimits::fieldOf(variable);
    const std::optional<double> value = cellentry::formulaFor(owner, withLengths(table, bar, text), field);
    if (!value || !cellentry::fits(text, *value, field))
        return std::nullopt;
    if (variable.m_text == u"N" || variable.m_text == u"n") {
        variable.setNvalue(*value);
        return variable.m_value;
    }
    if (variable.m_unit == CVes_Variable::kDegrees || std::fabs(plain - *value) <= 0.001)
        return *value;
    return endingOf(bar, *value);
}

bool enterVariable(const CVes_SetupTable& table, Line& line, const EditedVariable& edited,
                   QString entry)
{
    CVes_ReferenceBase* owner = edited.owner(line);
    CVes_Variable* variable = edited.on(line);
    if (!owner || !variable)
        return false;
    CVes_Steel& bar = line.m_steel;
    const bool formula = entry.startsWith(QLatin1Char('='));
    if (formula)
        entry.remove(0, 1);
    if (variable->m_type == CVes_Variable::kTextKind) {
        if (!cellentry::storableText(entry))
            return false;
        owner->setVarValue(variable->m_text, entry);
        variable->m_formula = entry;
        return true;
    }
    const QString name = variable->m_text;
    const cellentry::Parts parts = cellentry::splitAtFirstOf(
        entry, {QStringLiteral("~"), QStringLiteral("'"), QStringLiteral(","), QStringLiteral(";")});
    const std::optional<double> value =
        dimensionValue(table, bar, *owner, *variable, parts.first, formula);
    if (!value)
        return false;
    if (!parts.second || !bar.isMultiVal()) {
        owner->setVarValue(name, *value);
        owner->setVarValueE(name, *value);
        return true;
    }
    // A graded bar runs the dimension from the value to the end typed.
    std::optional<double> end;
    if (!parts.second->isEmpty()) {
        const barlimits::Field& field = barlimits::fieldOf(*variable);
        const std::optional<double> last = cellentry::formulaFor(*owner, *parts.second, field);
        if (!last || !cellentry::fits(*parts.second, *last, field))
            return false;
        end = endingOf(bar, *last);
    }
    owner->setVarValue(name, *value);
    if (end)
        owner->setVarValueE(name, *end);
    return true;
}

} // namespace

namespace {

bool enterShapeNumber(CVes_SetupTable& table, Line& line, const QString& entry,
                      EditedVariable& edited)
{
    const CSteelRecordId key = cellentry::typedKey(entry, false);
    if (key.isNull())
        return false;
    CVes_Steel& bar = line.m_steel;
    bar.setRecordId(key);
    if (line.isNull()) {
        table.getDefualtValueFromPrvLine(&line);
        bar.setHookLeft(CVes_Hook());
        bar.setHookRight(CVes_Hook());
        bar.setRecordId(key);
    }
    if (!Info_UserCustomContentIsClude(CVes_SetupTable::kCopyVariables))
        bar.setVarZero();
    // The new shape's first dimension is next to type.
    table.setShapeVarStart();
    const CVes_Variable* first = table.getTabEditVar(&bar);
    edited = first ? EditedVariable{Source::Shape, first->m_text} : EditedVariable{};
    return true;
}

// Whether an entry in the start column goes to a dimension of its sketch
// rather than naming a sketch.
bool editsSketch(const EditedVariable& edited, Line& line)
{
    return edited.source == Source::Start && edited.on(line);
}

// Start styles and bar shapes share their numbers, so a shape number typed
// into the start column by mistake names a sketch too. A number that names
// no sketch is refused with what it names; one that names both is taken as
// a sketch only when the bar already has a shape or the user says so, since
// a bar without one would otherwise get a sketch (and, on a new row, the
// bar above) where a shape was meant.
bool startNumberApplies(Line& line, const QString& entry)
{
    const bool sketch = !cellentry::typedKey(entry, true).isNull();
    const bool shape = !cellentry::typedKey(entry, false).isNull();
    if (!sketch) {
        platform::showMessage(
            shape ? QStringLiteral("[%1] 是钢筋形状的编号，不是安装起点示意图的编号。\n"
                                   "钢筋形状请在“钢筋形状”列输入。")
                        .arg(entry)
                  : QStringLiteral("[%1] 不是安装起点示意图的编号。").arg(entry),
            platform::MessageIcon::Stop);
        return false;
    }
    const bool shaped = !line.isNull() && !line.m_steel.getRecordId().isNull();
    if (!shape || shaped)
        return true;
    return platform::ask(QStringLiteral("[%1] 既是安装起点示意图的编号，也是钢筋形状的编号。\n"
                                        "安装起点列把它作为示意图；钢筋形状请在“钢筋形状”列输入。\n\n"
                                        "把[%1]作为安装起点示意图吗？")
                             .arg(entry)) == platform::Answer::Yes;
}

bool enterStartNumber(Line& line, const QString& entry)
{
    const CSteelRecordId key = cellentry::typedKey(entry, true);
    if (key.isNull())
        return false;
    line.m_steel.start.setRecordId(key);
    return true;
}

bool enterBarColumn(CVes_SetupTable& table, Line& line, int column, const QString& entry,
                    EditedVariable& edited)
{
    CVes_Steel& bar = line.m_steel;
    switch (column) {
    case kColNumber:
        bar.number = entry;
        if (line.isNull()) {
            // A number already given to a bar makes the new line that bar.
            if (CVes_Steel* same = table.getSameIDSteel(&bar)) {
                bar.set(same);
                CVes_SetupTable::clearUncopiedFields(bar);
                bar.number = entry;
            }
        }
        return true;
    case kColGrade: return enterGrade(table, line, entry);
    case kColSpacing:
        bar.spacing1.clear();
        bar.spacing2.clear();
        bar.spacing3.clear();
        bar.setJianju(entry);
        if (cellentry::spacingsHold(bar))
            return true;
        cellentry::refuse(entry, barlimits::kSpacing);
        return false;
    case kColStart:
        if (editsSketch(edited, line))
            return enterVariable(table, line, edited, entry);
        return enterStartNumber(line, entry);
    case kColShape:
        if (edited.source == Source::Shape && edited.on(line))
            return enterVariable(table, line, edited, entry);
        return enterShapeNumber(table, line, entry, edited);
    case kColCutLength: {
        const std::optional<double> length = typedLength(entry);
        if (length)
            bar.length = float(*length);
        return length.has_value();
    }
    case kColCount: return enterCount(bar, entry);
    case kColRemark: bar.remark = QString(entry).replace(QLatin1Char('\\'), QLatin1Char('|')); return true;
    default: return true; // the computed columns take nothing
    }
}

bool enterBar(CVes_SetupTable& table, Line& line, int column, const QString& entry,
              EditedVariable& edited)
{
    if (line.isNull() && entry.isEmpty())
        return false;
    if (column == kColGrade && entry.isEmpty())
        return false;
    const bool startNumber = column == kColStart && !entry.isEmpty() && !editsSketch(edited, line);
    if (startNumber && !startNumberApplies(line, entry))
        return false;
    if (line.isNull()) {
        table.getDefualtValueFromPrvLine(&line);
        CVes_SetupTable::clearUncopiedFields(line.m_steel);
    }
    return enterBarColumn(table, line, column, entry, edited);
}

bool enterElement(Line& line, int column, const QString& entry)
{
    if (column <= 4) {
        line.setElement(entry);
    } else if (column <= kColCount) {
        const std::optional<int> pieces = cellentry::countFor(entry, 0.0, barlimits::kPieces);
        if (!pieces)
            return false;
        line.setEleNum(*pieces);
    } else {
        line.setEleRemark(entry);
    }
    return true;
}

bool enterImage(Line& line, const EditedVariable& edited, const QString& entry)
{
    CVes_ReferenceBase* owner = edited.source == Source::Image ? edited.owner(line) : nullptr;
    CVes_Variable* variable = owner ? edited.on(line) : nullptr;
    if (!variable)
        return false;
    if (variable->m_type == CVes_Variable::kTextKind) {
        if (!cellentry::storableText(entry))
            return false;
        variable->m_formula = entry;
        return true;
    }
    const double value = leadingNumberOf(entry);
    if (!cellentry::fits(entry, value, barlimits::fieldOf(*variable)))
        return false;
    owner->setVarValue(variable->m_text, value);
    return true;
}

// The cells whose entry is kept as text as typed.
bool isTextCell(const Line& line, int column)
{
    switch (line.getType()) {
    case Line::kTextLine: return true;
    case Line::kElementLine: return column <= 4 || column > kColCount;
    case Line::kSteelLine: return column == kColNumber || column == kColSpacing || column == kColRemark;
    default: return false;
    }
}

bool enterLine(CVes_SetupTable& table, Line& line, int column, const QString& entry,
               EditedVariable& edited)
{
    if (isTextCell(line, column) && !cellentry::storableText(entry))
        return false;
    switch (line.getType()) {
    case Line::kTextLine: line.SetText(column, entry); return true;
    case Line::kElementLine: return enterElement(line, column, entry);
    case Line::kImageLine: return enterImage(line, edited, entry);
    case Line::kSteelLine: return enterBar(table, line, column, entry, edited);
    default: return false;
    }
}

} // namespace

// Edited variables and cells

CVes_ReferenceBase* EditedVariable::owner(CVes_SetupTableLine& line) const
{
    switch (source) {
    case Source::Shape: return line.getSetupSteel();
    case Source::Start: return line.getSetupSteel() ? &line.m_steel.start : nullptr;
    case Source::Image: return line.getImage();
    default: return nullptr;
    }
}

CVes_Variable* EditedVariable::on(CVes_SetupTableLine& line) const
{
    CVes_ReferenceBase* reference = owner(line);
    return reference && !name.isEmpty() ? reference->getVar(name) : nullptr;
}

int columnCategory(int column)
{
    switch (column) {
    case kColNumber: return 1;
    case kColGrade: return 2;
    case kColSpacing: return 3;
    case kColStart: return 8;
    case kColShape: return 4;
    case kColCount: return 5;
    case kColRemark: return 6;
    default: return kNoCategory;
    }
}

EditedVariable::Source cellSource(CVes_SetupTableLine& line, int column)
{
    if (line.isImageLine())
        return Source::Image;
    if (!line.getSetupSteel())
        return Source::None;
    if (column == kColShape)
        return Source::Shape;
    if (column == kColStart)
        return Source::Start;
    return Source::None;
}

CVes_ReferenceBase* cellReference(CVes_SetupTableLine& line, int column)
{
    return EditedVariable{cellSource(line, column), {}}.owner(line);
}

CellOpening clickOpening(CVes_SetupTableLine& line, int column, const CVes_Variable* hit)
{
    CellOpening none;
    if (line.getLock())
        return none;
    switch (line.getType()) {
    case Line::kTextLine:
        return {Action::Editor, line.GetText(column), kTextCategory, false, {}};
    case Line::kElementLine:
        return elementOpening(line, column).value_or(none);
    case Line::kImageLine: {
        CellOpening open;
        open.variableCell = true;
        open.category = columnCategory(column);
        if (hit)
            open.variable = {Source::Image, hit->m_text};
        if (isEditable(hit)) {
            open.action = Action::Editor;
            open.text = hit->m_type == CVes_Variable::kTextKind
                            ? hit->m_formula
                            : QString::asprintf("%.1f", hit->m_value);
        }
        return open;
    }
    case Line::kSteelLine:
        if (!line.isNull())
            return barOpening(line, column, hit);
        if (column == kColShape)
            return {Action::ShapeChooser, {}, kNoCategory, false, {}};
        if (column == kColStart)
            return {Action::StartChooser, {}, kNoCategory, false, {}};
        return {Action::Editor, {}, columnCategory(column), false, {}};
    default:
        return none;
    }
}

CellOpening typingOpening(CVes_SetupTableLine& line, int column, QChar typed)
{
    CellOpening none;
    if (typed == u'+' || typed == u'-' || line.getLock())
        return none;
    CellOpening open{Action::Editor, QString(typed), kNoCategory, false, {}};
    if (line.isTextLine())
        return open;
    if (line.isElementLine())
        return elementOpening(line, column) ? open : none;
    CVes_Steel* bar = line.getSetupSteel();
    if (!bar)
        return none;
    switch (column) {
    case kColGrade:
        return kRefusedInGrade.contains(typed) && !line.isNull() ? none : open;
    case kColStart:
    case kColShape: {
        if (kRefusedInValues.contains(typed))
            return none;
        open.variableCell = true;
        CVes_ReferenceBase* reference = cellReference(line, column);
        const CVes_Variable* inUse = reference->getUsingVar();
        if (!inUse)
            return open; // a shape or start-style number
        if (!isEditable(inUse))
            return none;
        open.variable = {cellSource(line, column), inUse->m_text};
        return open;
    }
    case kColCutLength:
        if (line.isNull())
            return open;
        return bar->calcLength || kRefusedInValues.contains(typed) ? none : open;
    case kColCount:
        return kRefusedInCount.contains(typed) && !line.isNull() ? none : open;
    case 7:
    case 8:
    case 9:
        return line.isNull() ? open : none;
    default:
        return open;
    }
}

bool commitEntry(CVes_SetupTable& table, int row, int column, const QString& entry,
                 EditedVariable& edited)
{
    auto* line = dynamic_cast<Line*>(table.getLine(row));
    if (!line || line->getLock())
        return false;
    // A refused entry leaves the line exactly as it was.
    Line before;
    before.copy(line);
    const QString text = entry.trimmed();
    if (!enterLine(table, *line, column, text, edited)) {
        line->copy(&before);
        return false;
    }
    line->setNull(0);
    return true;
}

double roundCount(double value, int digit, CountPart part)
{
    const double r = (10 - digit) * 0.1;
    if (value > 0.0)
        return cellentry::truncatedSum(value, r);
    switch (part) {
    case CountPart::Whole: return cellentry::truncatedSum(value, -r / 10.0);
    case CountPart::AfterSeparator: return cellentry::truncatedSum(value, -r);
    default: return cellentry::truncatedSum(value, r);
    }
}

} // namespace barlist
