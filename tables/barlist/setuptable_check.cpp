// The check of the bar lines: incomplete bars, one number used for different
// bars, and equal bars with different numbers and cut lengths; and the HTML
// report of what it finds.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "platform/hostservices.h"
#include "tables/framework/barcheck.h"

#include <vector>

namespace {

const QString kReportName = QStringLiteral("配料单检查报告.html");

} // namespace

int CVes_SetupTable::CheckData(QString& findings)
{
    const QHash<const CVes_TableBaseLine*, QPoint> places = linePlaces();
    std::vector<CheckedBar> bars;
    bars.reserve(size_t(m_lines.size()));
    for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(base);
        if (!line || line->isNull() || line->m_type != CVes_SetupTableLine::kSteelLine)
            continue;
        CheckedBar checked;
        checked.bar = &line->m_steel;
        const QPoint place = places.value(base, QPoint(1, 1));
        checked.page = place.x();
        checked.row = place.y();
        checked.process = line->m_steel.isProcess() != 0;
        int reason = -1;
        if (checked.process && !line->isAvailable(reason))
            checked.reason = reason;
        bars.push_back(checked);
    }
    // Every bar line takes part in the comparisons, processed or not.
    return checkBarRows(bars, true, findings);
}

QString CVes_SetupTable::checkReportPath()
{
    return GetRODOFilePath() + kReportName;
}

void CVes_SetupTable::checkTable()
{
    QString findings;
    if (CheckData(findings)) {
        platform::showMessage(QStringLiteral("钢筋行数据检查通过！"), platform::MessageIcon::Information);
        return;
    }
    writeCheckReport(QStringLiteral("配料单检查报告"), kReportName, findings);
}
