#include "core/model/samebarindex.h"

#include "core/model/barcore.h"
#include "platform/archive.h"

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

SameBarIndex::Key SameBarIndex::keyOf(const CVes_BarCore& bar, double* sameLength)
{
    // Sameness compares the computed length; computing it may bring the
    // stored one up to date, so it is asked of a copy.
    CVes_BarCore copy(bar);
    const double length = SameBarIndex::sameLength(copy);
    if (sameLength)
        *sameLength = length;
    return keyOf(copy, length);
}

SameBarIndex::Key SameBarIndex::keyOf(const CVes_BarCore& bar, double length)
{
    Key key;
    key.grade = bar.grade;
    key.diameter = bar.DN == 0.0f ? 0.0f : bar.DN; // -0 and 0 are one size
    key.type = bar.steelType;
    key.measured = bar.isActualMeasure();
    key.multi = bar.isMultiVal();
    key.groups = key.multi ? bar.getMultiGroup() : 0;
    key.processed = bar.isProcess();
    key.band = lengthBand(length);
    return key;
}

double SameBarIndex::sameLength(CVes_BarCore& scratch)
{
    return scratch.calcLength ? scratch.calculateLength(0, 1.0) : scratch.length;
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

QByteArray samenessPrint(CVes_BarCore& bar)
{
    try {
        platform::Archive ar;
        bar.CVes_ModelReference::Serialize(ar);
        QByteArray print = ar.data();
        appendKeyBytes(print, bar.grade);
        appendKeyBytes(print, bar.DN);
        appendKeyBytes(print, bar.steelType);
        appendKeyBytes(print, bar.calcLength);
        appendKeyBytes(print, bar.length);
        appendKeyBytes(print, bar.ownBendDiameters);
        appendKeyBytes(print, bar.bendMult90);
        appendKeyBytes(print, bar.bendMult180);
        appendKeyBytes(print, bar.bendMult135);
        appendKeyBytes(print, reinterpret_cast<quintptr>(bar.getRecord()));
        return print;
    } catch (const std::exception&) {
        return {};
    }
}

int KeyClasses::of(const QByteArray& key)
{
    if (key.isEmpty())
        return m_next++;
    const auto found = m_ids.constFind(key);
    if (found != m_ids.constEnd())
        return found.value();
    m_ids.insert(key, m_next);
    return m_next++;
}

bool SamenessMemo::same(int later, CVes_BarCore& laterBar, int earlier, CVes_BarCore& earlierBar)
{
    const auto key = std::make_pair(later, earlier);
    if (const auto found = m_answers.find(key); found != m_answers.end())
        return found->second;
    const bool answer = laterBar.isSame(earlierBar) != 0;
    m_answers.emplace(key, answer);
    return answer;
}
