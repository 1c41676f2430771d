#pragma once
// How every sheet and every bar tag writes a graded bar's count, so that it
// reads alike everywhere: its bars a group (one of each length), then its
// groups.

#include <QString>

namespace counttext {

// "5支/组\n共9组"; in English "5/Group\nTotal 9 group".
QString grouped(int perGroup, double groups, bool english = false);

} // namespace counttext
