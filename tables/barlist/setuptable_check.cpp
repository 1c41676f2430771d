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
    // The bars are checked, and the report written, on a worker from a
    // working copy: the rows and pages of the list as it is.
    std::unique_ptr<CVes_SetupTable> copy;
    bool passed = false;
    CheckReport report;
    platform::ProgressJob job;
    job.take = takeWorkingCopy(copy);
    job.work = [&](const std::atomic<bool>& cancel, const platform::WorkProgress&) {
        QString findings;
        passed = copy->CheckData(findings) != 0;
        // A check the user cancelled leaves the last report as it was.
        if (cancel)
            return false;
        if (!passed)
            report = writeCheckReportFile(QStringLiteral("配料单检查报告"), kReportName, findings);
        return true;
    };
    if (!platform::runWithProgress(QStringLiteral("正在检查钢筋数据……"), true, job))
        return;
    if (passed)
        platform::showMessage(QStringLiteral("钢筋行数据检查通过！"), platform::MessageIcon::Information);
    else
        showCheckReport(report);
}
