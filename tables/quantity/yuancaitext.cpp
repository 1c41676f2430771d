#include "tables/quantity/yuancaitext.h"

#include <cmath>

namespace {

struct GradeName {
    int grade;
    const char* name;
};

constexpr GradeName kGradeNames[] = {
    {1, "1级钢(HPB300)"},  {2, "2级钢(HRB335)"},   {3, "3级钢(HRB400)"},
    {4, "4级钢(HRB500)"},  {12, "L 冷轧带肋钢筋"}, {14, "N 冷轧扭钢筋"},
    {32, "新3级钢(RRB400)"},
};

constexpr const char* kTypeNames[] = {"普通钢筋", "环氧树脂涂层钢筋"};

bool isWhole(double value)
{
    return std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 2147483648.0;
}

} // namespace

QString YuanCai_GradeToString(int grade)
{
    for (const GradeName& entry : kGradeNames) {
        if (entry.grade == grade)
            return QString::fromUtf8(entry.name);
    }
    return QStringLiteral("未知钢筋");
}

QString YuanCai_TypeToString(int type)
{
    if (type == 0 || type == 1)
        return QString::fromUtf8(kTypeNames[type]);
    return QStringLiteral("未知类型");
}

QString YuanCai_DNToString(float diameter)
{
    return YuanCai_ValueToString(diameter, "%.1f");
}

QString YuanCai_ValueToString(double value, const char* format)
{
    if (isWhole(value))
        return QString::asprintf("%d", int(value));
    return QString::asprintf(format, value);
}

namespace yuancai {

QStringList gradeOptions()
{
    return {QStringLiteral("1级钢(HPB300)"), QStringLiteral("2级钢(HRB335)"),
            QStringLiteral("3级钢(HRB400)"), QStringLiteral("新3级钢(RRB400)"),
            QStringLiteral("4级钢(HRB500)"), QStringLiteral("L冷轧带肋钢筋"),
            QStringLiteral("N冷轧扭钢筋")};
}

QStringList typeOptions()
{
    return {QString::fromUtf8(kTypeNames[0]), QString::fromUtf8(kTypeNames[1])};
}

int gradeOfOption(const QString& text)
{
    if (text == QStringLiteral("新3级钢(RRB400)"))
        return 32;
    if (text.isEmpty())
        return 0;
    switch (text.front().unicode()) {
    case u'1': return 1;
    case u'2': return 2;
    case u'3': return 3;
    case u'4': return 4;
    case u'L': return 12;
    case u'N': return 14;
    default: return 0;
    }
}

int typeOfOption(const QString& text)
{
    const QStringList options = typeOptions();
    return int(options.indexOf(text));
}

} // namespace yuancai
