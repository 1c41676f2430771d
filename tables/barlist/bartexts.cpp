#include "tables/barlist/bartexts.h"

#include "platform/saturate.h"
#include "tables/barlist/setuptable.h"
#include "tables/shared/sumhelpers.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The whole number a text begins with, as C's atoi reads it ("150mm" is 150,
// "abc" 0); out of range values are held at the ends of int.
int leadingInt(const QString& text)
{
    const long long value = std::strtoll(text.toLatin1().constData(), nullptr, 10);
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

namespace barlist {

QString spacingText(const CVes_Steel& bar)
{
    const int s1 = leadingInt(bar.spacing1);
    const int s2 = leadingInt(bar.spacing2);
    const int s3 = leadingInt(bar.spacing3);
    QString text;
    if (s1 > 0)
        text = QString::number(s1);
    if (s2 > 0 && s2 != s1)
        text += u'\n' + QString::number(s2);
    if (s3 > 0 && !(s3 == s1 && s3 == s2))
        text += QStringLiteral("\n(搭%1)").arg(s3);
    return text;
}

QString unitLabelText(const QStringList& names, const QStringList& locations,
                      const UnitLabel& label)
{
    const QString& start = label.start;
    const QString& end = label.end;
    const auto locationAt = [&locations](qsizetype i) {
        return i >= 0 && i < locations.size() ? locations[i] : QString();
    };
    // The location before the first unit named S and the one after the
    // first unit named E.
    const qsizetype first = names.indexOf(start);
    const qsizetype last = names.indexOf(end);
    const QString startLoc = first >= 0 ? locationAt(first) : QString();
    const QString endLoc = last >= 0 ? locationAt(last + 1) : QString();
    const bool located = !startLoc.isEmpty() || !endLoc.isEmpty();
    const QString range = located ? QStringLiteral("%1～%2").arg(startLoc, endLoc) : QString();

    if (end.isEmpty() || end == start) {
        switch (label.form) {
        case UnitLabel::kNames: return start;
        case UnitLabel::kLocations: return range;
        default: return QStringLiteral("%1（%2）").arg(start, range);
        }
    }

    QString run;
    if (label.form != UnitLabel::kLocations) {
        if (label.merged) {
            run = QStringLiteral("%1～%2").arg(start, end);
        } else {
            // From the first unit named S up to the first unit named E after
            // it (to the end when none is); nothing when E comes first.
            QStringList between;
            bool started = false;
            for (const QString& name : names) {
                if (!started && name == start)
                    started = true;
                if (started)
                    between.append(name);
                if (name == end)
                    break;
            }
            run = between.join(u',');
        }
    }
    const QString tail = label.same ? QStringLiteral(";  各单元之间钢筋相同")
                                    : QStringLiteral(";  各单元之间钢筋不同");
    const QString shownRange = label.form > UnitLabel::kNames ? range : QString();
    switch (label.form) {
    case UnitLabel::kNames: return run + tail;
    case UnitLabel::kLocations: return range + tail;
    default:
        if (shownRange.isEmpty())
            return run + tail;
        return QStringLiteral("%1（%2）%3").arg(run, shownRange, tail);
    }
}

QString unitLineText(const CVes_SetupTable& table, const CVes_SetupTableLine& line)
{
    const int form = line.m_unitForm;
    if (form < UnitLabel::kNames || form > UnitLabel::kBoth)
        return {};
    return unitLabelText(table.m_unitNames, table.m_unitLocs,
                         {line.getUnitStart(), line.getUnitEnd(), line.m_unitMerged,
                          line.m_unitSame, form});
}

ColumnFactors ColumnFactors::of(const CVes_SetupTable& table)
{
    const auto unit = [&table](int column, int fallback) {
        return table.m_units.value(column, fallback);
    };
    const int shape = unit(CVes_SetupTable::kColShape, CVes_Template::kMillimetre);
    ColumnFactors f;
    f.cutUnit = unit(CVes_SetupTable::kColCutLength, CVes_Template::kMillimetre);
    f.toShape = CVes_Template::transUnit(CVes_Template::kMillimetre, shape);
    f.cutFactor = CVes_Template::transUnit(shape, f.cutUnit);
    f.lenFactor = CVes_Template::transUnit(
        shape, unit(CVes_SetupTable::kColTotalLength, CVes_Template::kMetre));
    f.toMetre = CVes_Template::transUnit(shape, CVes_Template::kMetre);
    f.toWeight = CVes_Template::transUnit(
        CVes_Template::kKilogram, unit(CVes_SetupTable::kColTotalWeight, CVes_Template::kKilogram));
    return f;
}

void refreshAnchorage(const CVes_SetupTable& table, CVes_Steel& bar, const ColumnFactors& f)
{
    const int d = platform::saturatedInt(bar.DN);
    bar.setVarValue(QStringLiteral("lae"),
                    table.getMaoguBeishu(bar.grade, d, bar.steelType) * f.toShape);
    bar.setVarValue(QStringLiteral("la"), double(table.getLa(bar.grade, d, bar.steelType)));
    bar.setVarValue(QStringLiteral("lle"), table.getLle(bar.grade, d, bar.steelType) * f.toShape);
    const double cover = table.getExVarVal(CVes_TableBase::kVarCover) * f.toShape;
    if (cover > 0)
        bar.setVarValue(QStringLiteral("bhc"), cover);
}

BarLengths barLengths(CVes_Steel& bar, const ColumnFactors& f)
{
    if (bar.isMultiVal())
        return {bar.getLength(0, f.toShape), bar.getLength(1, f.toShape)};
    return {bar.calcLength ? bar.getLength(0, f.toShape) : bar.length, 0.0f};
}

BarQuantity barQuantity(CVes_Steel& bar, int pieces, const ColumnFactors& f)
{
    return barQuantity(bar, barLengths(bar, f), pieces, f);
}

BarQuantity barQuantity(const CVes_Steel& bar, const BarLengths& lengths, int pieces,
                        const ColumnFactors& f)
{
    BarQuantity q;
    if (bar.isMultiVal()) {
        const double first = double(roundHalfUp(lengths.first));
        const double last = double(roundHalfUp(lengths.last));
        q.base = (first + last) * bar.getMultiGroup() * bar.count * pieces * 0.5;
        q.shownLength = q.base * f.lenFactor;
    } else {
        const double length = lengths.first;
        q.shownLength = double(bar.count) * length * pieces * f.lenFactor;
        q.base = double(roundHalfUp(length)) * bar.count * pieces;
    }
    q.weight = q.base * barsum::unitWeight(bar.grade, bar.DN) * f.toWeight * f.toMetre;
    return q;
}

} // namespace barlist
