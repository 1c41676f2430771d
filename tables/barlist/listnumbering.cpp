#include "tables/barlist/listnumbering.h"

#include "core/model/samebarindex.h"
#include "tables/framework/barnumbering.h"
#include "tables/barlist/setuptableline.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>

namespace {

using Line = CVes_SetupTableLine;
using barnumbering::hasNoNumber;
using barnumbering::leadingNumber;

// The bar of a non-empty bar row; null otherwise.
CVes_Steel* barOf(CVes_TableBaseLine* row)
{
    auto* line = dynamic_cast<Line*>(row);
    return line && !line->isNull() ? line->getSetupSteel() : nullptr;
}

// The largest number of the bars kept up to a place of the list: a tree of
// maxima over the places (a place gets its number once and keeps it).
class LargestNumbers {
public:
    explicit LargestNumbers(qsizetype places) : m_tree(std::size_t(places) + 1, kNone) {}
    void set(qsizetype place, qint64 number)
    {
        for (std::size_t i = std::size_t(place) + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] = std::max(m_tree[i], number);
    }
    // kNone when no bar up to `place` is kept.
    qint64 upTo(qsizetype place) const
    {
        qint64 largest = kNone;
        for (std::size_t i = std::size_t(place) + 1; i > 0; i -= i & (~i + 1))
            largest = std::max(largest, m_tree[i]);
        return largest;
    }
    void clear() { std::fill(m_tree.begin(), m_tree.end(), kNone); }

    static constexpr qint64 kNone = std::numeric_limits<qint64>::min();

private:
    std::vector<qint64> m_tree;
};

// What comparing a bar with the bars kept found: the first that is the
// same bar, by place (-1: none).
struct Found {
    qsizetype same = -1;
};

// The bars a bar is compared with, by place in the list. They are kept in
// groups of what sameness asks to be equal before it compares lengths;
// within a group by length band. A bar's length is worked out once, and
// only once a bar of its group is looked for.
class Scope {
public:
    explicit Scope(const TableLineList& rows) : m_rows(rows), m_numbers(rows.size()) {}

    // Keeps the bar at `place`; `length`, when known, is the length
    // sameness compares of it.
    void add(qsizetype place, const CVes_Steel& bar, std::optional<double> length = {})
    {
        Group& group = m_groups[coarseKey(bar)];
        if (length)
            file(group, place, *length);
        else
            group.unmeasured.push_back(place);
        m_numbers.set(place, leadingNumber(bar.number));
    }
    void clear()
    {
        m_groups.clear();
        m_numbers.clear();
    }
    qint64 largestNumberUpTo(qsizetype place) const { return m_numbers.upTo(place); }

    // Compares the bar at `place` with the bars kept, in the order of the
    // list, as sameness would one by one; `length` gets the length sameness
    // compares of the bar when it was worked out.
    Found find(const CVes_Steel& bar, qsizetype place, std::optional<double>& length)
    {
        Found found;
        const auto group = m_groups.find(coarseKey(bar));
        if (group == m_groups.end())
            return found;
        measure(group->second);
        CVes_Steel work(bar);
        length = SameBarIndex::sameLength(work);
        int sameness = -1;
        for (const qsizetype other : candidates(group->second, work, *length)) {
            if (other == place || std::fabs(*length - m_lengths.at(other)) > CVes_BarCore::kSameLength)
                continue;
            if (sameness < 0)
                sameness = m_classes.of(samenessPrint(work));
            CVes_Steel& otherBar = *barOf(m_rows[other]);
            if (m_memo.same(sameness, work, classOf(other, otherBar), otherBar)) {
                found.same = other;
                break;
            }
        }
        return found;
    }

private:
    struct Group {
        std::vector<qsizetype> unmeasured;
        std::unordered_map<long long, std::vector<qsizetype>> byBand;
        // Bars whose length is not a number or infinite: what sameness
        // makes of their lengths is left to it.
        std::vector<qsizetype> unbanded;
    };

    // What sameness asks to be equal before it compares lengths.
    static SameBarIndex::Key coarseKey(const CVes_Steel& bar)
    {
        SameBarIndex::Key key = SameBarIndex::keyOf(bar, 0.0);
        key.band = 0;
        return key;
    }
    void file(Group& group, qsizetype place, double length)
    {
        m_lengths[place] = length;
        if (std::isfinite(length))
            group.byBand[SameBarIndex::keyOf(*barOf(m_rows[place]), length).band].push_back(place);
        else
            group.unbanded.push_back(place);
    }
    void measure(Group& group)
    {
        for (const qsizetype place : group.unmeasured) {
            double length = 0;
            SameBarIndex::keyOf(*barOf(m_rows[place]), &length);
            file(group, place, length);
        }
        group.unmeasured.clear();
    }
    // Lengths within the tolerance lie at most one band apart; a length
    // that is not a number is compared with every length.
    static std::vector<qsizetype> candidates(const Group& group, const CVes_Steel& bar,
                                             double length)
    {
        std::vector<qsizetype> places = group.unbanded;
        const auto take = [&](const std::vector<qsizetype>& more) {
            places.insert(places.end(), more.begin(), more.end());
        };
        if (std::isnan(length)) {
            for (const auto& [band, members] : group.byBand)
                take(members);
        } else if (std::isfinite(length)) {
            const long long band = SameBarIndex::keyOf(bar, length).band;
            for (const long long near : {band - 1, band, band + 1}) {
                if (const auto found = group.byBand.find(near); found != group.byBand.end())
                    take(found->second);
            }
        }
        std::sort(places.begin(), places.end());
        return places;
    }
    int classOf(qsizetype place, CVes_Steel& bar)
    {
        const auto found = m_classOf.find(place);
        if (found != m_classOf.end())
            return found->second;
        const int sameness = m_classes.of(samenessPrint(bar));
        m_classOf.emplace(place, sameness);
        return sameness;
    }
    const TableLineList& m_rows;
    std::unordered_map<SameBarIndex::Key, Group, SameBarIndex::KeyHash> m_groups;
    std::unordered_map<qsizetype, double> m_lengths;
    std::unordered_map<qsizetype, int> m_classOf;
    LargestNumbers m_numbers;
    KeyClasses m_classes;
    SamenessMemo m_memo;
};

} // namespace

ListNumbering::ListNumbering(bool share, bool all, bool continuous)
    : m_share(share), m_all(all), m_continuous(continuous)
{
}

bool ListNumbering::run(const TableLineList& rows,
                       const std::function<void(CVes_TableBaseLine*)>& changing,
                       const std::atomic<bool>* cancel)
{
    // The counter is wider than the numbers it gives: a kept number at the
    // top of the range cannot make it wrap.
    m_changes.clear();
    Scope scope(rows);
    // Numbering only the bars without a number compares with every
    // numbered bar of the list, before and after; numbering all, with the
    // bars numbered so far.
    bool scopeOpen = m_share;
    if (m_share && !m_all) {
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (const CVes_Steel* bar = barOf(rows[i]); bar && !hasNoNumber(bar->number))
                scope.add(i, *bar);
    }
    qint64 counter = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (cancel && (i & 255) == 0 && cancel->load(std::memory_order_relaxed))
            return false;
        CVes_TableBaseLine* row = rows[i];
        auto* line = dynamic_cast<Line*>(row);
        if (!line || line->isNull() || line->getLock())
            continue;
        if (line->isElementLine()) {
            if (!m_continuous) {
                counter = 0;
                scope.clear();
                // Numbering only the unnumbered bars compares with no bar
                // after the first element row.
                scopeOpen = scopeOpen && m_all;
            }
            continue;
        }
        CVes_Steel* bar = line->getSetupSteel();
        if (!bar || (!m_all && !hasNoNumber(bar->number)))
            continue;

        QString number;
        std::optional<double> sameLength;
        bool same = false;
        if (scopeOpen) {
            const Found found = scope.find(*bar, i, sameLength);
            if (!m_all) {
                const qint64 largest = scope.largestNumberUpTo(found.same >= 0 ? found.same : rows.size() - 1);
                counter = std::max(counter, largest);
            }
            if (found.same >= 0) {
                number = barOf(rows[found.same])->number;
                same = true;
            }
        }
        if (!same)
            number = QString::number(++counter);
        if (number != bar->number) {
            changing(row);
            bar->number = number;
            m_changes.push_back(NumberedBar{i, number});
        }
        if (scopeOpen && (!m_all || !same))
            scope.add(i, *bar, sameLength);
    }
    return true;
}
