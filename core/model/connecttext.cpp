#include "core/model/connecttext.h"

#include <array>
#include <cstdlib>

namespace {

struct ConnectName {
    const char* full;
    const char* shortForm;
};

constexpr std::array<ConnectName, kConnectTypeCount> kNames{{
    {"非连接端", "非"},
    {"绑扎搭接", "绑"},
    {"闪光对焊", "闪"},
    {"电渣压力焊", "电"},
    {"单面搭接焊", "单"},
    {"双面搭接焊", "双"},
    {"挤压套筒", "挤"},
    {"锥螺纹套筒", "锥"},
    {"直螺纹套筒", "直"},
}};

// The mark kinds from the straight-thread coupler on, named by thread hand.
constexpr int kFirstThreadHandKind = 8;
constexpr std::array<ConnectName, kConnectMarkKindCount - kFirstThreadHandKind> kThreadHandNames{{
    {"正丝套筒", "直"},
    {"反丝套筒", "直反"},
}};

bool known(int type) { return type >= 0 && type < int(kNames.size()); }

const ConnectName* markKind(int kind)
{
    if (kind >= kFirstThreadHandKind && kind < kConnectMarkKindCount)
        return &kThreadHandNames[size_t(kind - kFirstThreadHandKind)];
    return known(kind) ? &kNames[size_t(kind)] : nullptr;
}

QString reversedSuffix(int flag) { return flag == 1 ? QString() : QStringLiteral("反"); }

// Welded and tied joints show the diameter; couplers also show when the
// two bars differ in diameter or thread direction.
QString valueText(bool coupler, int a, int b, int c, int d)
{
    if (!coupler)
        return QString::number(a);
    if (a != c)
        return QStringLiteral("%1%2→%3%4").arg(a).arg(reversedSuffix(b)).arg(c).arg(reversedSuffix(d));
    if (b != d)
        return QStringLiteral("反%1").arg(a);
    return b ? QString::number(a) : QStringLiteral("反%1反").arg(a);
}

} // namespace

QString barcore_getConnectString(int type)
{
    return known(type) ? QString::fromUtf8(kNames[type].full) : QString();
}

QString barcore_getConnectString2(int type)
{
    return known(type) ? QString::fromUtf8(kNames[type].shortForm) : QString();
}

QString barcore_getConnectStringAll(int type, int a, int b, int c, int d)
{
    const QString name = barcore_getConnectString(type);
    const QString value = valueText(std::abs(type) >= 6, a, b, c, d);
    return name.isEmpty() ? value : name + u':' + value;
}

QString barcore_getConnectStringAll2(int type, int a, int b, int c, int d)
{
    return barcore_getConnectString2(type) + u':' + valueText(type >= 6, a, b, c, d);
}

QString connectMarkKindName(int kind)
{
    const ConnectName* name = markKind(kind);
    return name ? QString::fromUtf8(name->full) : QString();
}

QString connectMarkShortName(int kind)
{
    const ConnectName* name = markKind(kind);
    return name ? QString::fromUtf8(name->shortForm) : QString();
}
