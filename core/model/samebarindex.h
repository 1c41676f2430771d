#pragma once
// Finds the bars a bar may be the same as (CVes_BarCore::isSame) among many
// without comparing it with each: bars are kept by what sameness needs to be
// equal (grade, size, type, flags, grouping) and by their length in bands as
// wide as the sameness tolerance, so only bars of the same key in the same or
// a neighbouring band are candidates. Joining and merging of long lists stay
// near-linear this way. Bars that read alike to sameness are of one
// sameness class, and each pair of classes need only be compared once.

#include <QByteArray>
#include <QHash>

#include <cstddef>
#include <map>
#include <type_traits>
#include <unordered_map>
#include <utility>
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
    // as it is. `length`, when given, gets the length sameness compares.
    static Key keyOf(const CVes_BarCore& bar, double* length = nullptr);
    // The key of a bar whose length sameness compares is known.
    static Key keyOf(const CVes_BarCore& bar, double length);
    // The length sameness compares, computed on `scratch` (a copy of the
    // bar that may be changed).
    static double sameLength(CVes_BarCore& scratch);

    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    // Keeps the bar at `position`.
    void add(const Key& key, std::size_t position);
    // The positions of kept bars that may be the same as a bar of `key`,
    // ascending. No other kept bar can be.
    std::vector<std::size_t> candidates(Key key) const;
    void clear() { m_positions.clear(); }

private:
    std::unordered_map<Key, std::vector<std::size_t>, KeyHash> m_positions;
};

// A number as key bytes; -0 and 0 are one value.
template <typename T> void appendKeyBytes(QByteArray& key, T value)
{
    if constexpr (std::is_floating_point_v<T>)
        value += T(0);
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything sameness (CVes_BarCore::isSame) reads of a bar, its shape
// record in use included: bars of equal prints are the same as the same
// bars. Empty when the bar cannot be written out; such a bar is compared
// on its own.
QByteArray samenessPrint(CVes_BarCore& bar);

// Numbers keys in the order they first come; an empty key is a class of
// its own.
class KeyClasses {
public:
    int of(const QByteArray& key);

private:
    QHash<QByteArray, int> m_ids;
    int m_next = 0;
};

// Pairs of sameness classes with the answer of CVes_BarCore::isSame, so
// that each pair of distinct bars is measured once.
class SamenessMemo {
public:
    bool same(int later, CVes_BarCore& laterBar, int earlier, CVes_BarCore& earlierBar);

private:
    std::map<std::pair<int, int>, bool> m_answers;
};
