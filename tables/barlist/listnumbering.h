#pragma once
// The numbering of a bar list's bars (CVes_SetupTable::NumberSteel): each
// bar without a kept number gets the next number, or, with sharing, the
// number of the first bar of its scope that is the same bar. The bars of the
// scope are kept by what sameness needs to be equal (SameBarIndex) and by
// sameness class, so a bar is compared only with those it may be the same
// as, and each pair of classes once: long lists number in n log n, with the
// numbers comparing with every bar before would give.

#include "tables/framework/tablebase.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

// A bar given a new number: its row's place in the list and its number.
struct NumberedBar {
    qsizetype row = 0;
    QString number;
};

class ListNumbering {
public:
    // As NumberSteel: sharing equal bars' numbers, numbering all bars (or
    // only those without a number, "0" counting as none), continuing
    // across elements (or starting at 1 after each element row).
    ListNumbering(bool share, bool all, bool continuous);

    // Numbers the bars of `rows` (a list's rows in order) in place; before
    // a row's bar changes, `changing` is told the row. Stops early when
    // `cancel` is set and answers false; the rows numbered so far keep
    // their numbers. The changed bars, in order, are in changes().
    bool run(const TableLineList& rows, const std::function<void(CVes_TableBaseLine*)>& changing,
             const std::atomic<bool>* cancel = nullptr);
    const std::vector<NumberedBar>& changes() const { return m_changes; }

private:
    bool m_share;
    bool m_all;
    bool m_continuous;
    std::vector<NumberedBar> m_changes;
};
