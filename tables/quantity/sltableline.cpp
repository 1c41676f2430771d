#include "tables/quantity/sltableline.h"

#include "core/model/barlimits.h"

#include "core/geometry/text.h"
#include "platform/archive.h"

#include <cmath>

namespace {

constexpr int kMaxRows = 1000;

} // namespace

CVes_SLTableLine::CVes_SLTableLine()
{
    m_type = kSteelRow;
    m_null = 1;
}

CVes_SLTableLine::CVes_SLTableLine(unsigned int kind) : CVes_SLTableLine()
{
    m_type = kind;
}

CVes_SLTableLine::~CVes_SLTableLine() = default;

CVes_BarCore* CVes_SLTableLine::getSteel()
{
    return getSLSteel();
}

void CVes_SLTableLine::setSteel(const CVes_BarCore* bar)
{
    if (m_type != kSteelRow || !bar)
        return;
    m_steel.CVes_BarCore::set(bar);
    m_null = 0;
}

int CVes_SLTableLine::compare(CVes_SLTableLine& other)
{
    CVes_BarCore* mine = getSteel();
    CVes_BarCore* theirs = other.getSteel();
    if (!mine || !theirs)
        return 0;
    return mine->isSame(*theirs);
}

void CVes_SLTableLine::copy(const CVes_SLTableLine* other)
{
    if (!other || other == this)
        return;
    auto& source = const_cast<CVes_SLTableLine&>(*other);
    m_null = source.isNull();
    m_lock = source.getLock();
    m_rows = source.getRows();
    m_type = source.m_type;
    m_location = source.m_location;
    m_eleNum = source.m_eleNum;
    m_element = source.m_element;
    m_eleType = source.m_eleType;
    if (m_type == kSteelRow)
        m_steel.set(&source.m_steel);
}

bool CVes_SLTableLine::isAvailable(int& code)
{
    code = kBadNumber;
    const QString number = m_steel.number.trimmed();
    if (number.isEmpty() || number == QLatin1String("0"))
        return false;
    code = kBadGradeOrSize;
    if (m_steel.DN < 3.0f || m_steel.grade == 0)
        return false;
    code = kBadLength;
    const float length = m_steel.calcLength ? m_steel.getLength(0, 1.0) : m_steel.length;
    if (!(std::trunc(length) > 0.0f))
        return false;
    code = kBadCount;
    if (m_steel.count <= 0)
        return false;
    code = kBadShape;
    // The dimensions the user gives: the standard lengths (d, lae, …), the
    // computed dimensions and the texts are not entered values.
    for (const auto& variable : m_steel.getVarArray()) {
        const bool entered = variable->m_type == CVes_Variable::kGiven
            || variable->m_type == CVes_Variable::kWholeNumber;
        if (entered && !(variable->m_value > 0.0))
            return false;
    }
    return true;
}

void CVes_SLTableLine::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(m_type) << std::int32_t(m_null)
           << std::int32_t(m_lock) << std::int32_t(m_rows);
        switch (m_type) {
        case kEleRow:
            ar << m_element << std::int32_t(m_eleNum);
            break;
        case kEleTypeRow:
            ar << m_eleType;
            break;
        default:
            ar << m_location;
            m_steel.Serialize(ar);
            break;
        }
        return;
    }

    ar.readSchema(kSchema, kSchema);
    std::int32_t kind = 0, empty = 0, lock = 0, rows = 0;
    ar >> kind >> empty >> lock >> rows;
    // No page holds more rows than this; a row beyond it is damage.
    if (rows < 0 || rows > kMaxRows)
        throw platform::ArchiveError("quantity row with an impossible row count");
    m_type = unsigned(kind);
    m_null = empty;
    m_lock = lock;
    m_rows = rows;
    switch (m_type) {
    case kEleRow: {
        std::int32_t count = 0;
        ar >> m_element >> count;
        barlimits::requireStored(barlimits::kPieces, count);
        m_eleNum = count;
        break;
    }
    case kEleTypeRow:
        ar >> m_eleType;
        break;
    default:
        ar >> m_location;
        m_steel.Serialize(ar);
        break;
    }
}
