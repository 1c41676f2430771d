// What an edit of a processing sheet's cell does: the text an editor opens
// with, and the commit of the edited text, column by column and row kind by
// row kind. The view opens the editors and runs the closing steps.

#include "tables/processing/processtable.h"

#include "core/geometry/formula.h"
#include "core/geometry/steeltext.h"
#include "core/model/processsteel.h"
#include "envora/rules.h"
#include "platform/hostservices.h"
#include "tables/framework/cellentry.h"
#include "tables/processing/processtableeditline.h"

#include <cmath>
#include <limits>

namespace {

using EditLine = CVes_ProcessTableEditLine;

QString* headingTextOf(EditLine& line)
{
    switch (line.getType()) {
    case EditLine::kProjectRow:
        return &line.m_project;
    case EditLine::kStoryRow:
        return &line.m_story;
    case EditLine::kEleTypeRow:
        return &line.m_eleType;
    case EditLine::kEleRow:
        return &line.m_ele;
    default:
        return nullptr;
    }
}

// The value truncated toward zero; 0 for what no int holds.
int wholePart(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= double(std::numeric_limits<int>::max()))
        return 0;
    return int(value);
}

// The number at the start of a text, as the C library reads it ("20mm" →
// 20); 0 when the text does not start with one.
float leadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    bool digits = false;
    const auto at = [&](qsizetype i) { return i < trimmed.size() ? trimmed[i] : QChar(); };
    if (at(end) == u'+' || at(end) == u'-')
        ++end;
    while (at(end).isDigit()) {
        ++end;
        digits = true;
    }
    if (at(end) == u'.') {
        ++end;
        while (at(end).isDigit()) {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0.0f;
    return trimmed.left(end).toFloat();
}

// The grade codes of the grade letters.
int gradeOfLetter(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'A': return 1;
    case u'B': return 2;
    case u'C': return 3;
    case u'D': return 4;
    case u'E': return 5;
    case u'L': return 12;
    case u'N': return 14;
    default: return 0;
    }
}

// "C20": the grade of the letter and the diameter; "20" the diameter with
// its default grade; "c" the grade alone.
void commitGradeAndDiameter(CVes_ProcessSteel& bar, const QString& text)
{
    QString rest = text;
    while (!rest.isEmpty() && rest.front().isSpace())
        rest.remove(0, 1);
    int letterGrade = 0;
    if (!rest.isEmpty())
        letterGrade = gradeOfLetter(rest.front());
    if (letterGrade) {
        const QChar letter = rest.front().toUpper();
        while (!rest.isEmpty() && rest.front().toUpper() == letter)
            rest.remove(0, 1);
    }
    const float d = rest.isEmpty() ? 0.0f : leadingNumber(rest);
    // The letter stays alone or before a diameter the user's table lacks; a
    // text whose rest is no number at all ("abc") changes nothing.
    if (letterGrade && (rest.isEmpty() || d != 0.0f))
        bar.grade = letterGrade;
    if (rest.isEmpty())
        return;
    if (!Info_isValidDN(d)) {
        // A size that is no number at all ("X99") is named as it was typed,
        // not as a diameter of 0.
        const QString shown = d != 0.0f ? DNtoString(d) : text.trimmed();
        platform::showMessage(QStringLiteral("%1 ——钢筋直径值输入不正确！\n").arg(shown),
                              platform::MessageIcon::Stop);
        return;
    }
    bar.setDN(d);
    bar.setVarValue(QStringLiteral("d"), double(d));
    if (!letterGrade)
        bar.grade = Info_getSteelGrade(d);
}

// "12" a count of 12; "3/12" three groups of 12 each. A fraction is rounded
// up from 0.3 on. A count or number of groups the row cannot hold is
// refused, and the bar stays as it was.
bool commitCount(CVes_ProcessSteel& bar, const QString& text)
{
    const qsizetype slash = text.indexOf(u'/');
    const std::optional<int> count =
        cellentry::countFor(slash < 0 ? text : text.mid(slash + 1), 0.7, barlimits::kRowCount);
    if (!count)
        return false;
    std::optional<int> groups;
    if (slash >= 0 && !(groups = cellentry::countFor(text.left(slash), 0.0, barlimits::kGroups)))
        return false;
    bar.count = *count;
    if (groups)
        bar.setMultiGroup(*groups);
    return true;
}

// A typed cut length; refused when it is none or out of its range.
bool commitLength(CVes_ProcessSteel& bar, const QString& text)
{
    const std::optional<double> length = cellentry::numberFor(text, barlimits::kCutLength);
    if (!length || !cellentry::fits(text, *length, barlimits::kCutLength))
        return false;
    bar.length = float(*length);
    return true;
}

// A shape dimension: a text, or one value or a range "1200~1800", each value
// rounded by the user's length-ending rule. A value that is no formula, or
// that the dimension cannot hold, is refused and the bar stays as it was.
bool commitVariable(CVes_ProcessSteel& bar, const QString& name, const QString& text)
{
    CVes_Variable* variable = bar.getVar(name);
    if (!variable)
        return true;
    if (variable->m_type == CVes_Variable::kTextKind) {
        if (!cellentry::storableText(text))
            return false;
        variable->m_formula = text;
        bar.synchronizeRecordVar(nullptr);
        return true;
    }
    const barlimits::Field& field = barlimits::fieldOf(*variable);
    const auto valueOf = [&](const QString& part) -> std::optional<double> {
        const std::optional<double> value = cellentry::formulaFor(bar, part, field);
        if (!value || !cellentry::fits(part, *value, field))
            return std::nullopt;
        return value;
    };
    const int family = bar.isGuJin() ? 1 : 0;
    const auto rounded = [&](double value) {
        return double(Info_GetSteelDataEnd(wholePart(value), family, 0));
    };
    const qsizetype tilde = text.indexOf(u'~');
    const QString before = tilde < 0 ? text : text.left(tilde);
    const QString after = tilde < 0 ? QString() : text.mid(tilde + 1);
    const std::optional<double> first = valueOf(before);
    if (!first)
        return false;
    std::optional<double> last;
    if (bar.isMultiVal() && !after.trimmed().isEmpty() && !(last = valueOf(after)))
        return false;
    bar.setVarValue(name, rounded(*first));
    bar.setVarValueE(name, rounded(*first));
    if (tilde >= 0 && !bar.isMultiVal())
        bar.setVarValueE(name, *first);
    else if (last)
        bar.setVarValueE(name, rounded(*last));
    bar.synchronizeRecordVar(nullptr);
    return true;
}

// What a committed text does to the bar of a row, column by column; false
// when the entry is refused.
bool commitBarCell(CVes_ProcessSteel& bar, int column, const QString& text, const QString& variable)
{
    switch (column) {
    case CVes_ProcessTable::kColNumber: bar.number = text; return true;
    case CVes_ProcessTable::kColGrade: commitGradeAndDiameter(bar, text); return true;
    case CVes_ProcessTable::kColShape:
        return variable.isEmpty() || commitVariable(bar, variable, text);
    case CVes_ProcessTable::kColLength: return commitLength(bar, text);
    case CVes_ProcessTable::kColCount: return commitCount(bar, text);
    case CVes_ProcessTable::kColStock:
        if (bar.getLPNum() > 0)
            bar.getLpArrayPtr()->front().text = text;
        return true;
    case CVes_ProcessTable::kColRemark: bar.remark = text; return true;
    default: return true;
    }
}

// A shape typed by its number, as in the bar list: a new bar takes it
// without hooks, a bar that had a shape keeps its hooks (its picture shows
// them).
void commitShapeNumber(CVes_ProcessSteel& bar, CSteelRecordId key, bool newBar)
{
    if (newBar) {
        bar.setHookLeft(CVes_Hook());
        bar.setHookRight(CVes_Hook());
    }
    bar.setRecordId(key);
}

} // namespace

const QStringList& processRowTypeNames()
{
    static const QStringList names = {QStringLiteral("工程行"), QStringLiteral("所在层行"),
                                      QStringLiteral("构件类型"), QStringLiteral("构件编号")};
    return names;
}

unsigned int processRowKindOfName(const QString& name)
{
    static constexpr unsigned int kKinds[] = {EditLine::kProjectRow, EditLine::kStoryRow,
                                              EditLine::kEleTypeRow, EditLine::kEleRow};
    const qsizetype i = processRowTypeNames().indexOf(name);
    return i < 0 ? EditLine::kSteelRow : kKinds[i];
}

QString processRowTypeName(unsigned int kind)
{
    switch (kind) {
    case EditLine::kProjectRow: return processRowTypeNames()[0];
    case EditLine::kStoryRow: return processRowTypeNames()[1];
    case EditLine::kEleTypeRow: return processRowTypeNames()[2];
    case EditLine::kEleRow: return processRowTypeNames()[3];
    default: return {};
    }
}

int CVes_ProcessTable::getCellEditText(int row, int column, QString& text)
{
    auto* line = dynamic_cast<EditLine*>(getLine(row));
    if (!line || column < 0)
        return 0;
    if (QString* heading = headingTextOf(*line)) {
        text = *heading;
        return 1;
    }
    const CVes_ProcessSteel& bar = *line->getProcessSteel();
    switch (column) {
    case kColNumber:
        text = bar.number;
        return 1;
    case kColGrade:
        text = Steel_GradeToString(bar.grade) + DNtoString(bar.DN);
        return 1;
    case kColLength:
        if (bar.calcLength)
            return 0;
        text = QString::asprintf("%.1f", double(bar.length));
        return 1;
    case kColCount:
        text = bar.isMultiVal() ? QString::asprintf("%d/%d", bar.getMultiGroup(), bar.count)
                                : QString::asprintf("%d", bar.count);
        return 1;
    case kColStock:
        if (bar.getLPNum() < 1)
            return 0;
        text = bar.getLpArrayPtr()->front().text;
        return 1;
    case kColRemark:
        text = bar.remark;
        return 1;
    default:
        return 0;
    }
}

int CVes_ProcessTable::commitCell(int row, int column, const QString& text,
                                  const QString& variable)
{
    auto* line = dynamic_cast<EditLine*>(getLine(row));
    if (!line)
        return 0;

    if (column == kColPart) {
        const unsigned int kind = processRowKindOfName(text);
        if (!line->getProcessSteel()->isNull()) {
            // The edit's own closing step records the result once.
            insertOfKind(kind);
        } else
            line->setType(kind);
    } else if (column > kColPart) {
        QString* heading = headingTextOf(*line);
        const bool textCell = heading || column == kColNumber || column == kColStock
            || column == kColRemark;
        if (textCell && !cellentry::storableText(text))
            return 0;
        if (heading) {
            *heading = text;
        } else {
            // An empty entry in the size column leaves the bar as it was.
            if (column == kColGrade && text.isEmpty())
                return 0;
            // A number that names no shape changes nothing, as in the bar
            // list.
            const bool shapeNumber = column == kColShape && variable.isEmpty();
            CSteelRecordId shape;
            if (shapeNumber) {
                shape = cellentry::typedKey(text.trimmed(), false);
                if (shape.isNull())
                    return 0;
            }
            // A refused entry leaves the row as it was, defaults included.
            EditLine before;
            before.copy(line);
            const bool wasEmpty = line->isNull() != 0;
            if (wasEmpty)
                getDefualtValueFromPrvLine(line);
            CVes_ProcessSteel& bar = *line->getProcessSteel();
            if (shapeNumber) {
                commitShapeNumber(bar, shape, wasEmpty);
            } else if (!commitBarCell(bar, column, text, variable)) {
                line->copy(&before);
                return 0;
            }
            line->setSteelNull(0);
        }
    }
    line->setNull(0);
    regenData();
    return 1;
}
