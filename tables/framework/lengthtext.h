#pragma once
// How every sheet writes a cut length, so that one bar reads alike on the
// bar list, the sorted sheet, the processing sheets, the quantity sheet and
// the bar tags, on screen, on paper and in workbooks.

#include <QString>

namespace lengthtext {

// The length as a whole number: x + 0.5 truncated (half up); 0 for what is
// no number or beyond any bar.
long long roundHalfUp(double x);
// "%.2f" in metres; otherwise the whole number, rounded half up.
QString number(double value, bool metres);
// A graded bar's first and last length and the step between them,
// "1000～1400\n等差:200", each as `number` writes it.
QString rangeText(double first, double last, double step, bool metres);

} // namespace lengthtext
