#pragma once
// The numbers the numbering commands of the bar sheets give: plain
// integers 1, 2, 3 … in the order of the sheet, equal bars sharing one
// number when asked, restarting after every element when asked, and either
// numbering every bar anew or only those without a number ("0" counts as
// none), going on from the highest number given. Equal bars are found by
// their sameness key (SameBarIndex), not by comparing every pair, so long
// sheets number in near-linear time.

#include <QString>

#include <vector>

class CVes_BarCore;

namespace barnumbering {

// One row of the sheet as numbering sees it: a bar, or (null) a heading
// that begins an element.
struct Row {
    CVes_BarCore* bar = nullptr;
};

struct Switches {
    bool shareSame = true;   // an equal bar numbered before gives its number
    bool renumberAll = true; // false: only bars without a number get one
    bool continuous = true;  // false: numbers restart after every heading
};

// The number of each row's bar, in the order of `rows` (empty for a
// heading); a bar that keeps its number answers it.
std::vector<QString> numbers(const std::vector<Row>& rows, const Switches& switches);

// A number that counts as none: empty, or "0".
bool hasNoNumber(const QString& number);
// A number text read as C's atoi does (leading blanks, a sign, the digits
// up to the first other character), held to the range of int.
qint64 leadingNumber(const QString& text);

} // namespace barnumbering
