#include "tables/barlist/bartexts.h"

#include "tables/barlist/setuptable.h"
#include "tables/barlist/sumhelpers.h"

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

int roundHalfUp(double x)
{
    return barsum::truncated(x + 0.5);
}

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

QString unitLineText(const CVes_SetupTable& table, const CVes_SetupTableLine& line)
{
    constexpr int kNames = 0;
    constexpr int kLocations = 1;
    constexpr int kBoth = 2;
    const QString start = line.getUnitStart();
    const QString end = line.getUnitEnd();
    const QString startLoc = table.getUnitStarLoc(start);
    const QString endLoc = table.getUnitEndLoc(end);
    const bool located = !startLoc.isEmpty() || !endLoc.isEmpty();
    const QString locations = located ? QStringLiteral("%1～%2").arg(startLoc, endLoc) : QString();
    const int mode = line.m_unitForm;

    if (end.isEmpty() || end == start) {
        switch (mode) {
        case kNames: return start;
        case kLocations: return locations;
        case kBoth: return QStringLiteral("%1（%2）").arg(start, locations);
        default: return {};
        }
    }

    QString names;
    if (mode != kLocations) {
        if (line.m_unitMerged) {
            names = QStringLiteral("%1～%2").arg(start, end);
        } else {
            QStringList range;
            table.getUnitArray(start, end, range);
            names = range.join(u',');
        }
    }
    const QString tail = line.m_unitSame ? QStringLiteral(";  各单元之间钢筋相同")
                                         : QStringLiteral(";  各单元之间钢筋不同");
    switch (mode) {
    case kNames: return names + tail;
    case kLocations: return locations + tail;
    case kBoth:
        if (locations.isEmpty())
            return names + tail;
        return QStringLiteral("%1（%2）%3").arg(names, locations, tail);
    default: return {};
    }
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
    const int d = int(bar.DN);
    bar.setVarValue(QStringLiteral("lae"),
                    table.getMaoguBeishu(bar.grade, d, bar.steelType) * f.toShape);
    bar.setVarValue(QStringLiteral("la"), double(table.getLa(bar.grade, d, bar.steelType)));
    bar.setVarValue(QStringLiteral("lle"), table.getLle(bar.grade, d, bar.steelType) * f.toShape);
    const double cover = table.getExVarVal(CVes_TableBase::kVarCover) * f.toShape;
    if (cover > 0)
        bar.setVarValue(QStringLiteral("bhc"), cover);
}

BarQuantity barQuantity(CVes_Steel& bar, int pieces, const ColumnFactors& f)
{
    BarQuantity q;
    if (bar.isMultiVal()) {
        const int first = roundHalfUp(bar.getLength(0, f.toShape));
        const int last = roundHalfUp(bar.getLength(1, f.toShape));
        q.base = double(first + last) * bar.getMultiGroup() * bar.count * pieces * 0.5;
        q.shownLength = q.base * f.lenFactor;
    } else {
        const double length = bar.calcLength ? double(bar.getLength(0, f.toShape)) : bar.length;
        q.shownLength = double(bar.count) * length * pieces * f.lenFactor;
        q.base = double(roundHalfUp(length)) * bar.count * pieces;
    }
    q.weight = q.base * barsum::unitWeight(bar.grade, bar.DN) * f.toWeight * f.toMetre;
    return q;
}

} // namespace barlist
