#pragma once
// The check of a sheet's bar rows that the bar list, the quantity sheet and
// the processing sheet share: incomplete bars, one number given to
// different bars, and bars of one grade, diameter and shape (the same shape
// with the same dimensions) whose numbers and cut lengths differ; and the
// HTML report the sheets write of what it finds.

#include <QString>

#include <vector>

class CVes_BarCore;

// One non-empty bar row of a sheet, in table order.
struct CheckedBar {
    CVes_BarCore* bar = nullptr;
    int page = 1;           // where the sheet shows the row
    int row = 1;
    bool process = true;    // the bar is processed (only those are checked)
    int reason = -1;        // why it is incomplete; -1 when it is complete
};

// The text of an incompleteness reason 0 to 4 ("【钢筋编号】错误！", …).
QString barCheckReasonText(int reason);

// How bars are compared with one another.
struct BarCheckRules {
    // Bars that are not processed are compared too.
    bool compareUnprocessed = false;
    // Every pair is compared from both sides (each finding twice, once from
    // each bar) and incomplete bars are compared with none; otherwise each
    // complete bar with the bars before it.
    bool bothSides = false;
};

// Appends the findings as an HTML list (user texts escaped): an entry for
// each processed incomplete bar; each processed complete bar is compared
// with other bars, as the rules say, for one number given to different bars
// and, under other numbers, for the same grade, diameter and shape with
// another cut length (not when both lengths follow their shapes). 1 when
// nothing was found.
int checkBarRows(const std::vector<CheckedBar>& bars, const BarCheckRules& rules,
                 QString& findings);
// Each complete bar with the bars before it.
int checkBarRows(const std::vector<CheckedBar>& bars, bool compareUnprocessed,
                 QString& findings);

// A check report as written: its title, the page and where it went (empty
// when it could not be written; `tried` is where it was to go).
struct CheckReport {
    QString title;
    QString page;
    QString path;
    QString tried;
};

// Writes the check report (title, check time, findings; a GBK page that
// says so) as `fileName` into the data folder, or the temporary folder when
// that cannot be written. Asks nothing of the user: it may run on a worker.
CheckReport writeCheckReportFile(const QString& title, const QString& fileName,
                                 const QString& findings);
// Opens a report written with the desktop's program, or shows it in the
// program's own window when no program opens it; when it could not be
// written, the user is told.
void showCheckReport(const CheckReport& report);
// Both in turn; answers the report's path, empty when it was not written.
QString writeCheckReport(const QString& title, const QString& fileName, const QString& findings);
