// The quantity sheet's bar numbers and its data check with the HTML report.

#include "tables/quantity/sltable.h"

#include "platform/hostservices.h"
#include "tables/framework/barcheck.h"

#include <vector>

namespace {

using Line = CVes_SLTableLine;

// The bar of a non-empty bar row; null for every other row.
CVes_Steel* barOf(CVes_TableBaseLine* row)
{
    auto* line = static_cast<Line*>(row);
    return line->isNull() ? nullptr : line->getSLSteel();
}

} // namespace

void CVes_SLTable::clearNum()
{
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        if (CVes_Steel* bar = barOf(row))
            bar->number.clear();
    }
    refreshCurPage();
    AddUndo();
    markEdited();
}

void CVes_SLTable::numSteel(int wholeSheet, int share)
{
    // Wider than the numbers given, so that it cannot wrap.
    qint64 counter = 1;
    std::vector<CVes_Steel*> numbered;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        if (wholeSheet == 0 && row->getType() == Line::kEleRow) {
            counter = 1;
            numbered.clear();
        }
        CVes_Steel* bar = barOf(row);
        if (!bar)
            continue;
        const CVes_Steel* same = nullptr;
        if (share) {
            for (CVes_Steel* other : numbered) {
                if (bar->isSame(*other)) {
                    same = other;
                    break;
                }
            }
        }
        if (same) {
            bar->number = same->number;
            continue;
        }
        bar->number = QString::number(counter++);
        numbered.push_back(bar);
    }
    refreshCurPage();
    markEdited();
    AddUndo();
}

int CVes_SLTable::CheckData(QString& report)
{
    const QHash<const CVes_TableBaseLine*, QPoint> places = linePlaces();
    std::vector<CheckedBar> bars;
    bars.reserve(size_t(m_lines.size()));
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto* line = static_cast<Line*>(row);
        CVes_Steel* bar = barOf(row);
        if (!bar)
            continue;
        CheckedBar checked;
        checked.bar = bar;
        const QPoint place = places.value(row, QPoint(1, 1));
        checked.page = place.x();
        checked.row = place.y();
        checked.process = bar->isProcess() != 0;
        int code = 0;
        if (checked.process && !line->isAvailable(code))
            checked.reason = code;
        bars.push_back(checked);
    }
    // Bars that are not processed take no part at all.
    return checkBarRows(bars, false, report);
}

QString CVes_SLTable::checkReportName()
{
    return QStringLiteral("钢筋用量表检查报告.html");
}

QString CVes_SLTable::checkTable()
{
    QString findings;
    if (CheckData(findings)) {
        platform::showMessage(QStringLiteral("表单检查通过！"), platform::MessageIcon::Information);
        return {};
    }
    // The report's title is the one every check report of the program had.
    return writeCheckReport(QStringLiteral("加工单数据检查"), checkReportName(), findings);
}
