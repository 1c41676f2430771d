// The check of a processing sheet's bars: incomplete bars, one number used
// for different bars, and bars of the same grade, diameter and shape whose
// cut lengths differ; and the HTML report of what it finds.

#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "platform/hostservices.h"
#include "tables/framework/barcheck.h"
#include "tables/processing/processtableeditline.h"

#include <vector>

int CVes_ProcessTable::CheckData(QString& findings)
{
    const QHash<const CVes_TableBaseLine*, QPoint> places = rowPlaces();
    std::vector<CheckedBar> bars;
    bars.reserve(std::size_t(m_lines.size()));
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto* line = dynamic_cast<CVes_ProcessTableEditLine*>(row);
        if (!line || line->isNull() || line->getType() != CVes_ProcessTableEditLine::kSteelRow
            || line->getProcessSteel()->isNull() || !line->getProcessSteel()->isProcess())
            continue;
        CheckedBar checked;
        checked.bar = line->getProcessSteel();
        checked.page = places.value(row).x();
        checked.row = places.value(row).y();
        int fault = -1;
        if (!line->isAvailable(fault))
            checked.reason = fault;
        bars.push_back(checked);
    }
    // Each pair is met from both sides.
    BarCheckRules rules;
    rules.bothSides = true;
    return checkBarRows(bars, rules, findings);
}

QString CVes_ProcessTable::checkReportName()
{
    return QStringLiteral("加工单检查报告.html");
}

void CVes_ProcessTable::checkTable()
{
    QString findings;
    if (CheckData(findings)) {
        platform::showMessage(QStringLiteral("表单检查通过！"), platform::MessageIcon::Information);
        return;
    }
    writeCheckReport(QStringLiteral("加工单数据检查"), checkReportName(), findings);
}
