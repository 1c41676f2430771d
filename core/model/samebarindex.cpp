#include "core/model/samebarindex.h"

#include "core/model/barcore.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// The band of lengths that no band number holds: not finite, or beyond any
// bar. Such bars are candidates only for one another.
constexpr long long kOutsideBands = std::numeric_limits<long long>::min() / 2;

long long lengthBand(double length)
{
    const double band = std::floor(length / CVes_BarCore::kSameLength);
    return std::isfinite(band) && std::fabs(band) < 1e15 ? static_cast<long long>(band)
                                                          : kOutsideBands;
}

} // namespace

SameBarIndex::Key SameBarIndex::keyOf(const CVes_BarCore& bar)
{
    // Sameness compares the computed length; computing it may bring the
    // stored one up to date, so it is asked of a copy.
    CVes_BarCore copy(bar);
    const double length = copy.calcLength ? copy.calculateLength(0, 1.0) : copy.length;
    Key key;
    key.grade = copy.grade;
    key.diameter = copy.DN == 0.0f ? 0.0f : copy.DN; // -0 and 0 are one size
    key.type = copy.steelType;
    key.measured = copy.isActualMeasure();
    key.multi = copy.isMultiVal();
    key.groups = key.multi ? copy.getMultiGroup() : 0;
    key.processed = copy.isProcess();
    key.band = lengthBand(length);
    return key;
}

void SameBarIndex::add(const Key& key, std::size_t position)
{
    m_positions[key].push_back(position);
}

std::vector<std::size_t> SameBarIndex::candidates(Key key) const
{
    // Lengths within the tolerance lie at most one band apart.
    std::vector<std::size_t> positions;
    const long long band = key.band;
    const long long first = band == kOutsideBands ? band : band - 1;
    const long long last = band == kOutsideBands ? band : band + 1;
    for (long long near = first; near <= last; ++near) {
        key.band = near;
        if (const auto found = m_positions.find(key); found != m_positions.end())
            positions.insert(positions.end(), found->second.begin(), found->second.end());
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

std::size_t SameBarIndex::KeyHash::operator()(const Key& key) const
{
    std::size_t h = std::hash<long long>()(key.band);
    for (const std::size_t part :
         {std::hash<int>()(key.grade), std::hash<float>()(key.diameter), std::hash<int>()(key.type),
          std::hash<int>()(key.measured), std::hash<int>()(key.multi), std::hash<int>()(key.groups),
          std::hash<int>()(key.processed)})
        h = h * 1000003u ^ part;
    return h;
}
