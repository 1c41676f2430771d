#include "tables/framework/findreplace.h"

#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"
#include "tables/framework/tablehelpers.h"

#include "core/geometry/formula.h"
#include "core/geometry/steeltext.h"
#include "core/geometry/text.h"
#include "core/model/barlimits.h"
#include "core/model/modelrecordlib.h"
#include "core/model/steel.h"
#include "tables/framework/cellentry.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace findreplace {

namespace {

// Values of a shape variable taken as equal to a searched number.
constexpr double kValueTolerance = 0.1;

// A whole number that is the whole text (blanks around it allowed).
bool wholeNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

// Grade from the replacement when both texts give one; diameter likewise,
// with the connections that led to a bar of the old diameter and the shape
// variable "d". A replacement that names no size is refused.
bool replaceGrade(CVes_Steel& bar, const QString& find, const QString& replace, QString* refusal)
{
    if (!allowed(cellentry::sizeRefusal(replace), refusal))
        return false;
    int findGrade = 0, newGrade = 0;
    float findDiameter = 0.0f, newDiameter = 0.0f;
    transStringToGuige(find, findGrade, findDiameter);
    transTypedGuige(replace, newGrade, newDiameter);
    bool changed = false;
    if (findGrade > 0 && newGrade > 0 && bar.grade != newGrade) {
        bar.grade = newGrade;
        changed = true;
    }
    if (findDiameter > 0.0f && newDiameter > 0.0f && bar.DN != newDiameter) {
        bar.setDN(newDiameter);
        changed = true;
    }
    return changed;
}

bool replaceSpacing(CVes_Steel& bar, const QString& replace, QString* refusal)
{
    const std::tuple<QString, QString, QString> old{bar.spacing1, bar.spacing2, bar.spacing3};
    bar.setJianju(replace);
    if (!cellentry::spacingsHold(bar)) {
        std::tie(bar.spacing1, bar.spacing2, bar.spacing3) = old;
        allowed(cellentry::refusal(replace, barlimits::kSpacing), refusal);
        return false;
    }
    return old != std::tie(bar.spacing1, bar.spacing2, bar.spacing3);
}

// A key with a negative number leaves the shape; one the shape library
// lacks is refused, since the bar would have no shape to draw or measure.
bool replaceShape(CVes_Steel& bar, const QString& replace, QString* refusal)
{
    const CSteelRecordId key = CSteelRecordId::setId(replace);
    if (key.isNull() || key == bar.getRecordId())
        return false;
    if (!CVes_ModelRecordMainLib().getModel(key, 0)) {
        allowed(QStringLiteral("[%1] 不是钢筋形状的编号。").arg(replace), refusal);
        return false;
    }
    bar.setRecordId(key);
    return true;
}

// Why the given values of `bar` near `old` cannot take the replacement
// `replace`: a formula the bar cannot evaluate, or a value a dimension to
// change cannot hold; empty when they can (or none is near `old`).
QString variableRefusal(const CVes_Steel& bar, const QString& replace, bool formula, double value,
                        const QString& reason, const std::function<bool(double)>& near)
{
    for (const auto& v : bar.getVarArray()) {
        if (v->m_type != CVes_Variable::kGiven && v->m_type != CVes_Variable::kWholeNumber)
            continue;
        if (!near(v->m_value) && !near(v->m_value2))
            continue;
        const barlimits::Field& field = barlimits::fieldOf(*v);
        if (!formula)
            return cellentry::refusal(replace, field, reason);
        if (!field.holds(value))
            return cellentry::refusal(replace, field);
    }
    return {};
}

// Shown texts whose formula is the searched text take the replacement as
// formula; given values equal to the searched number take the value of the
// replacement evaluated over the bar's variables, when every dimension so
// changed holds it.
bool replaceVariables(CVes_Steel& bar, const QString& find, const QString& replace,
                      QString* refusal)
{
    int old = 0;
    const bool numeric = wholeNumber(find, old);
    QString reason;
    const bool formula = numeric && bar.checkFormulaString(replace, &reason) != 0;
    const double value = formula ? bar.calVarValue(replace, CVes_Formula::kValueMode) : 0.0;
    const std::function<bool(double)> near = [old](double v) {
        return std::fabs(v - old) < kValueTolerance;
    };
    if (numeric && !allowed(variableRefusal(bar, replace, formula, value, reason, near), refusal))
        return false;
    const auto shownText = [](unsigned int kind) {
        return kind == CVes_Variable::kComputed || kind == CVes_Variable::kTextKind;
    };
    const bool textFound =
        std::any_of(bar.getVarArray().cbegin(), bar.getVarArray().cend(), [&](const auto& v) {
            return shownText(v->m_type) && v->m_formula == find;
        });
    if (textFound && find != replace && !allowed(cellentry::unstorableText(replace), refusal))
        return false;
    bool changed = false;
    for (const auto& v : bar.getVarArray()) {
        const unsigned int kind = v->m_type;
        if (shownText(kind)) {
            if (v->m_formula == find && find != replace) {
                v->m_formula = replace;
                changed = true;
            }
            continue;
        }
        if (!formula || (kind != CVes_Variable::kGiven && kind != CVes_Variable::kWholeNumber))
            continue;
        const bool start = near(v->m_value) && v->m_value != value;
        const bool end = near(v->m_value2) && v->m_value2 != value;
        if (start)
            bar.setVarValue(v->m_text, value);
        if (end)
            bar.setVarValueE(v->m_text, value);
        changed = changed || start || end;
    }
    return changed;
}

// A count is a whole number the count field holds.
bool replaceCount(CVes_Steel& bar, const QString& replace, QString* refusal)
{
    int count = 0;
    if (!wholeNumber(replace, count) || !barlimits::kCount.holds(count)) {
        allowed(cellentry::refusal(replace, barlimits::kCount), refusal);
        return false;
    }
    if (count == bar.count)
        return false;
    bar.count = count;
    return true;
}

} // namespace

bool replaceText(QString& field, const QString& find, const QString& replace)
{
    const QString before = field;
    field.replace(find, replace);
    return field != before;
}

bool allowed(const QString& words, QString* refusal)
{
    if (words.isEmpty())
        return true;
    if (refusal)
        *refusal = words;
    return false;
}

bool replaceInBar(CVes_Steel& bar, const QString& find, const QString& replace, int item,
                  QString* refusal)
{
    switch (item) {
    case kNumber:
    case kRemark:
        if (!allowed(cellentry::unstorableText(replace), refusal))
            return false;
        return replaceText(item == kNumber ? bar.number : bar.remark, find, replace);
    case kGrade: return replaceGrade(bar, find, replace, refusal);
    case kSpacing: return replaceSpacing(bar, replace, refusal);
    case kShape: return replaceShape(bar, replace, refusal);
    case kVariable: return replaceVariables(bar, find, replace, refusal);
    case kCount: return replaceCount(bar, replace, refusal);
    default: return false;
    }
}

QString refusedRowsText(const QList<RefusedRow>& rows)
{
    QStringList reasons;
    QHash<QString, QStringList> places;
    for (const RefusedRow& r : rows) {
        if (!places.contains(r.words))
            reasons << r.words;
        places[r.words] << QStringLiteral("第%1页第%2行").arg(r.page).arg(r.row);
    }
    QString text = QStringLiteral("以下各行未替换：");
    for (const QString& words : std::as_const(reasons)) {
        const QStringList& at = places[words];
        QString named = at.mid(0, kMaxNamedRows).join(QStringLiteral("、"));
        if (at.size() > kMaxNamedRows)
            named += QStringLiteral("等%1行").arg(at.size());
        text += QStringLiteral("\n%1\n    %2").arg(words, named);
    }
    return text;
}

QString printed(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    const QString upToNul = nul < 0 ? text : text.left(nul);
    return QStringView(upToNul).isValidUtf16() ? upToNul : QString::fromUtf8(upToNul.toUtf8());
}

// The entries are written by concatenation: a long list of hits is written
// at once.
QString describeBar(CVes_Steel& bar, int item)
{
    const QString size = printed(Steel_GradeDNToString(bar.grade, bar.DN, bar.steelType));
    const QString shape = printed(bar.getRecordId().ToString());
    switch (item) {
    case kNumber:
    case kGrade:
    case kShape:
    case kVariable:
        return u"钢筋编号：" + printed(bar.number) + u"。  规格：" + size + u"。  大样编号：" + shape
            + u"  ";
    case kSpacing:
        return u"钢筋编号：" + printed(bar.number) + u"。规格：" + size + u"。 间距："
            + printed(bar.JianjutoString()) + u"  ";
    case kCount:
        return u" 规格：" + size + u"。  大样编号：" + shape + u" 。每件根数：" + QString::number(bar.count)
            + u" ";
    case kRemark:
        return u"钢筋编号：" + printed(bar.number) + u"； 规格：" + size + u" ；  备注："
            + printed(bar.remark) + u" ";
    default:
        return {};
    }
}

QStringList itemTexts()
{
    return {QStringLiteral("构件编号"), QStringLiteral("钢筋编号"),     QStringLiteral("钢筋规格"),
            QStringLiteral("钢筋间距"), QStringLiteral("钢筋形状"),     QStringLiteral("钢筋形状变量"),
            QStringLiteral("每件根数"), QStringLiteral("备注"),         QString()};
}

QString entryText(CVes_TableBase& table, int n, int page, int row, CVes_TableBaseLine* line,
                  int item)
{
    const QString place = QString::number(n) + u"、第" + QString::number(page) + u"页，第"
        + QString::number(row) + u"行——";
    return line ? place + table.foundRowText(line, item) : place;
}

bool replaceInLine(CVes_TableBase& table, CVes_TableBaseLine* line, const QString& find,
                   const QString& replace, int item, QString* refusal)
{
    // A locked row is left alone, as by every other edit of selected rows.
    if (!line || find.isEmpty() || line->getLock() || item < 0
        || !table.isFindLine(line, find, unsigned(item)))
        return false;
    return table.replaceInFoundRow(line, find, replace, item, refusal);
}

bool holdsLine(const CVes_TableBase& table, const CVes_TableBaseLine* line)
{
    return line && table.lines().contains(const_cast<CVes_TableBaseLine*>(line));
}

bool holdsVariable(const CVes_TableBase& table, const CVes_Variable* variable)
{
    if (!variable)
        return false;
    for (CVes_TableBaseLine* line : table.lines()) {
        const CVes_BarCore* bar = line->getSteel();
        if (!bar)
            continue;
        for (const auto& v : bar->getVarArray())
            if (v.get() == variable)
                return true;
    }
    return false;
}

bool TextHistory::add(const QString& text)
{
    if (m_texts.contains(text))
        return false;
    m_texts.append(text);
    return true;
}

TextHistory& searchHistory()
{
    static TextHistory history;
    return history;
}

TextHistory& replaceHistory()
{
    static TextHistory history;
    return history;
}

QString searchHistoryText(const QString& typed)
{
    qsizetype i = 0;
    while (i < typed.size() && typed[i].isSpace())
        ++i;
    return typed.mid(i);
}

} // namespace findreplace
