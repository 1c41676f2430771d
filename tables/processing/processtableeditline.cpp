#include "tables/processing/processtableeditline.h"

#include "core/geometry/text.h"
#include "platform/archive.h"
#include "tables/framework/template.h"

#include <utility>

namespace {

constexpr int kVersion = 1;

} // namespace

CVes_ProcessTableEditLine::CVes_ProcessTableEditLine() = default;

CVes_ProcessTableEditLine::CVes_ProcessTableEditLine(unsigned int kind)
{
    setType(kind);
}

CVes_ProcessTableEditLine::CVes_ProcessTableEditLine(const CVes_ProcessTableEditLine& other)
    : CVes_ProcessTableListLine(other),
      m_project(other.m_project),
      m_story(other.m_story),
      m_eleType(other.m_eleType),
      m_ele(other.m_ele)
{
    setType(other.getType());
}

CVes_ProcessTableEditLine::~CVes_ProcessTableEditLine() = default;

QString* CVes_ProcessTableEditLine::headingText(unsigned int kind)
{
    switch (kind) {
    case kProjectRow:
        return &m_project;
    case kStoryRow:
        return &m_story;
    case kEleTypeRow:
        return &m_eleType;
    case kEleRow:
        return &m_ele;
    default:
        return nullptr;
    }
}

void CVes_ProcessTableEditLine::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kVersion) << std::int32_t(getType()) << std::int32_t(getRows())
           << std::int32_t(getLock());
        if (const QString* text = headingText(getType()))
            ar << *text;
        m_steel.Serialize(ar);
        return;
    }

    ar.readSchema([](int version) { return version == kVersion; });
    std::int32_t kind = 0, rows = 0, lock = 0;
    ar >> kind >> rows >> lock;
    // Only the program's five kinds are ever written; anything else would be
    // a row no view knows how to show.
    if (kind < std::int32_t(kSteelRow) || kind > std::int32_t(kProjectRow))
        throw platform::ArchiveError("processing row of an unknown kind");
    // No page holds more rows than a line may take.
    platform::requireInRange(rows, 0, CVes_Template::kMaxRowsPerPage, "processing row's rows");
    QString text;
    if (kind != std::int32_t(kSteelRow))
        ar >> text;
    m_steel.Serialize(ar);
    restorePerGroupPieces();

    setType(unsigned(kind));
    setRows(rows);
    setLock(lock);
    m_null = 0;
    m_project.clear();
    m_story.clear();
    m_eleType.clear();
    m_ele.clear();
    if (QString* heading = headingText(unsigned(kind)))
        *heading = std::move(text);
}

int CVes_ProcessTableEditLine::emptyState() const
{
    if (getType() != kSteelRow)
        return m_null;
    return m_null || m_steel.isNull() ? 1 : 0;
}

void CVes_ProcessTableEditLine::setNull(int empty)
{
    m_null = empty;
    if (getType() == kSteelRow)
        m_steel.setNull(empty);
}

void CVes_ProcessTableEditLine::copy(const CVes_ProcessTableEditLine* source)
{
    if (!source || source == this)
        return;
    m_null = source->emptyState();
    setLock(source->getLock());
    setRows(source->getRows());
    setType(source->getType());
    m_project = source->m_project;
    m_story = source->m_story;
    m_eleType = source->m_eleType;
    m_ele = source->m_ele;
    m_steel = source->m_steel;
}

int CVes_ProcessTableEditLine::compare(const CVes_ProcessTableEditLine& other) const
{
    return sameBars(m_steel, other.m_steel) ? 1 : 0;
}

bool CVes_ProcessTableEditLine::joinTo(CVes_ProcessTableListLine*)
{
    return true;
}

int CVes_ProcessTableEditLine::hasEmptyDimension() const
{
    for (const auto& v : m_steel.getVarArray()) {
        // Only the dimensions the user gives count: the standard values
        // (diameter, lap and anchorage lengths, cover), the computed ones and
        // texts may well be 0.
        const bool entered = v->m_type == CVes_Variable::kGiven
            || v->m_type == CVes_Variable::kWholeNumber;
        if (entered && !(v->m_value > 0.0))
            return 1;
    }
    return 0;
}

int CVes_ProcessTableEditLine::isAvailable(int& fault)
{
    if (m_steel.isNull())
        return 1;
    fault = kFaultNumber;
    const QString number = m_steel.number.trimmed();
    if (number.isEmpty() || number == QLatin1String("0"))
        return 0;
    // Comparisons are written so that a damaged value (not a number) fails.
    fault = kFaultSpec;
    if (!(m_steel.DN >= 3.0f) || m_steel.grade == 0)
        return 0;
    fault = kFaultLength;
    const float length = m_steel.calcLength ? m_steel.getLength(0, 1.0) : m_steel.length;
    // Whole millimetres, truncated toward zero, must be 1 or more.
    if (!(length >= 1.0f))
        return 0;
    fault = kFaultCount;
    if (m_steel.count <= 0)
        return 0;
    fault = kFaultShape;
    if (hasEmptyDimension())
        return 0;
    return 1;
}
