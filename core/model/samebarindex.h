#pragma once
// Finds the bars a bar may be the same as (CVes_BarCore::isSame) among many
// without comparing it with each: bars are kept by what sameness needs to be
// equal (grade, size, type, flags, grouping) and by their length in bands as
// wide as the sameness tolerance, so only bars of the same key in the same or
// a neighbouring band are candidates. Joining and merging of long lists stay
// near-linear this way.

#include <cstddef>
#include <unordered_map>
#include <vector>

class CVes_BarCore;

class SameBarIndex {
public:
    struct Key {
        int grade = 0;
        float diameter = 0.0f;
        int type = 0;
        int measured = 0;
        int multi = 0;
        int groups = 0;
        int processed = 0;
        long long band = 0;
        bool operator==(const Key&) const = default;
    };

    // The key of a bar; its length is computed on a copy, so the bar stays
    // as it is.
    static Key keyOf(const CVes_BarCore& bar);

    // Keeps the bar at `position` (positions are added in ascending order).
    void add(const Key& key, std::size_t position);
    // The positions of kept bars that may be the same as a bar of `key`,
    // ascending. No other kept bar can be.
    std::vector<std::size_t> candidates(Key key) const;
    void clear() { m_positions.clear(); }

private:
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    std::unordered_map<Key, std::vector<std::size_t>, KeyHash> m_positions;
};
