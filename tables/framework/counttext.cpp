#include "tables/framework/counttext.h"

namespace counttext {

QString grouped(int perGroup, double groups, bool english)
{
    const QString count = QString::number(groups, 'f', 0);
    return english ? QStringLiteral("%1/Group\nTotal %2 group").arg(perGroup).arg(count)
                   : QStringLiteral("%1支/组\n共%2组").arg(perGroup).arg(count);
}

} // namespace counttext
