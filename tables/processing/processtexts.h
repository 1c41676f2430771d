#pragma once
// The texts the processing sheets write for a bar, on their pages and in
// their workbooks alike (the bar-tag sheet uses them too): the cut length, the
// count, the label of a bar tag and the tags gathered three to a row.

#include <QString>
#include <QStringList>

class CVes_ProcessSteel;

namespace processtext {

// The bar's cut length in the length column's unit: `f0` turns millimetres
// into the shape column's unit and `f1` that unit into the length column's
// (`lengthUnit`, 2 for metres). A graded bar gives its first and last length
// and the step between groups, "1000～1400\n等差:200" ("%.2f" in metres,
// else whole numbers rounded half up); any other bar one length.
QString lengthText(CVes_ProcessSteel& bar, double f0, double f1, int lengthUnit);
// "%d" of the count; for a graded bar its bars a group (one of each length)
// and its groups, "%d支/组\n共%d组"; "0" for a count of 0 or less.
QString countText(const CVes_ProcessSteel& bar);
// "料牌 %d.%d" for a split tag (sub-number above 0), else "料牌 %d".
QString tagLabel(int number, int sub);

// The bar's tags from `firstTag` on, gathered three a row: one entry per row
// with the labels (and the tags' texts) of that row joined by line breaks.
struct TagRows {
    QStringList labels;
    QStringList texts;
};
TagRows tagRows(const CVes_ProcessSteel& bar, int firstTag);

} // namespace processtext
