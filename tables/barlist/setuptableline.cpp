#include "tables/barlist/setuptableline.h"

#include "core/model/barlimits.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "tables/framework/template.h"

#include <cmath>

CVes_SetupTableLine::CVes_SetupTableLine()
{
    m_type = kSteelLine;
    m_null = 1;
}

CVes_SetupTableLine::CVes_SetupTableLine(int kind) : CVes_SetupTableLine()
{
    m_type = unsigned(kind);
    m_eleNum = Info_UserCustomGetEleNum();
    if (m_type == kImageLine)
        m_image = std::make_unique<CVes_SteelStartReference>();
}

CVes_SetupTableLine::~CVes_SetupTableLine() = default;

CVes_BarCore* CVes_SetupTableLine::getSteel()
{
    return m_type == kSteelLine ? &m_steel : nullptr;
}

void CVes_SetupTableLine::copy(const CVes_SetupTableLine* other)
{
    if (!other || other == this)
        return;
    m_null = other->m_null;
    m_lock = other->getLock();
    m_rows = other->getRows();
    m_type = other->m_type;
    switch (m_type) {
    case kSteelLine:
        m_steel.set(&other->m_steel);
        m_remarkMerge = other->m_remarkMerge;
        break;
    case kUnitLine:
        m_unitStart = other->m_unitStart;
        m_unitEnd = other->m_unitEnd;
        m_unitMerged = other->m_unitMerged;
        m_unitSame = other->m_unitSame;
        m_unitForm = other->m_unitForm;
        break;
    case kTextLine:
        m_texts = other->m_texts;
        break;
    case kElementLine:
        m_element = other->m_element;
        m_eleNum = other->m_eleNum;
        m_eleRemark = other->m_eleRemark;
        break;
    case kImageLine:
        if (other->m_image)
            setImage(other->m_image.get());
        else
            m_image = std::make_unique<CVes_SteelStartReference>();
        break;
    default:
        break;
    }
}

void CVes_SetupTableLine::setSteel(const CVes_Steel* bar)
{
    if (m_type != kSteelLine || !bar)
        return;
    m_steel.set(bar);
    m_null = 0;
}

void CVes_SetupTableLine::setUnit(const QString& start, const QString& end, int sameBars)
{
    if (m_type != kUnitLine)
        return;
    m_unitStart = start;
    m_null = 0;
    m_unitEnd = end.isEmpty() ? start : end;
    m_unitSame = sameBars;
}

QString CVes_SetupTableLine::GetText(int index) const
{
    if (m_type != kTextLine || index < 0 || index >= m_texts.size())
        return {};
    return m_texts.at(index);
}

void CVes_SetupTableLine::SetText(int index, const QString& text)
{
    if (m_type != kTextLine || index < 0)
        return;
    while (m_texts.size() <= index)
        m_texts.append(QString());
    m_texts[index] = text;
    m_null = 0;
}

void CVes_SetupTableLine::SetText(const QStringList& texts)
{
    if (m_type != kTextLine)
        return;
    while (m_texts.size() < texts.size())
        m_texts.append(QString());
    for (qsizetype i = 0; i < m_texts.size(); ++i)
        m_texts[i] = i < texts.size() ? texts.at(i) : QString();
    m_null = 0;
}

void CVes_SetupTableLine::getTextArray(QStringList& out) const
{
    if (m_type == kTextLine)
        out += m_texts;
}

CVes_SteelStartReference* CVes_SetupTableLine::getImage()
{
    if (m_type != kImageLine)
        return nullptr;
    if (!m_image)
        m_image = std::make_unique<CVes_SteelStartReference>();
    return m_image.get();
}

void CVes_SetupTableLine::setImage(const CVes_SteelStartReference* image)
{
    if (m_type != kImageLine)
        return;
    if (!m_image)
        m_image = std::make_unique<CVes_SteelStartReference>();
    if (image && image != m_image.get())
        m_image->set(image);
}

int CVes_SetupTableLine::isAvailable(int& reason)
{
    if (m_type != kSteelLine)
        return 1;
    const QString number = m_steel.number.trimmed();
    if (number.isEmpty() || number == QLatin1String("0")) {
        reason = kBadNumber;
        return 0;
    }
    if (m_steel.DN < 3.0f || m_steel.grade == 0) {
        reason = kBadGradeOrSize;
        return 0;
    }
    const float length = m_steel.calcLength ? m_steel.lengthAsCalculated(0, 1.0) : m_steel.length;
    if (!(std::trunc(length) > 0.0f)) {
        reason = kBadLength;
        return 0;
    }
    if (m_steel.count <= 0) {
        reason = kBadCount;
        return 0;
    }
    // The dimensions the user gives; the standard and computed variables
    // (d, lap and anchorage lengths, cover, formulas) are not entered.
    for (const auto& variable : m_steel.getVarArray()) {
        const bool entered = variable->m_type == CVes_Variable::kGiven
            || variable->m_type == CVes_Variable::kWholeNumber;
        if (entered && !(variable->m_value > 0.0)) {
            reason = kBadShape;
            return 0;
        }
    }
    return 1;
}

void CVes_SetupTableLine::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(m_type) << std::int32_t(m_null)
           << std::int32_t(m_lock) << std::int32_t(m_rows) << std::int32_t(m_show)
           << std::uint32_t(m_textColor);
        switch (m_type) {
        case kSteelLine:
            m_steel.Serialize(ar);
            ar << std::int32_t(m_remarkMerge);
            break;
        case kUnitLine:
            ar << std::int32_t(m_unitMerged) << std::int32_t(m_unitSame)
               << std::int32_t(m_unitForm) << m_unitStart << m_unitEnd;
            break;
        case kTextLine:
            ar << std::int32_t(m_texts.size());
            for (const QString& text : std::as_const(m_texts))
                ar << text;
            break;
        case kElementLine:
            ar << m_element << std::int32_t(m_eleNum) << m_eleRemark;
            break;
        case kImageLine:
            // An image line always stores a sketch, if need be an empty one.
            getImage()->Serialize(ar);
            break;
        default:
            break;
        }
        return;
    }

    const int schema = ar.readSchema(1, kSchema);
    std::int32_t kind = 0, empty = 0, lock = 0, rows = 0;
    ar >> kind >> empty >> lock >> rows;
    platform::requireInRange(rows, 1, CVes_Template::kMaxRowsPerPage, "line rows");
    m_type = unsigned(kind);
    m_null = empty;
    m_lock = lock;
    m_rows = rows;
    if (schema >= 3) {
        std::int32_t shown = 0;
        ar >> shown;
        m_show = shown;
    }
    if (schema >= 6) {
        std::uint32_t colour = 0;
        ar >> colour;
        m_textColor = colour;
    }
    switch (m_type) {
    case kSteelLine:
        m_steel.Serialize(ar);
        if (schema >= 7) {
            std::int32_t mark = 0;
            ar >> mark;
            m_remarkMerge = mark;
        }
        break;
    case kUnitLine: {
        std::int32_t merged = 0, same = 0, form = 0;
        ar >> merged >> same >> form >> m_unitStart >> m_unitEnd;
        m_unitMerged = merged;
        m_unitSame = same;
        m_unitForm = form;
        break;
    }
    case kTextLine: {
        // Every stored text takes at least its length byte.
        const std::int32_t n = ar.readIntCount(1);
        QStringList texts;
        texts.reserve(n);
        for (std::int32_t i = 0; i < n; ++i) {
            QString text;
            ar >> text;
            texts.append(text);
        }
        m_texts = texts;
        break;
    }
    case kElementLine:
        if (schema >= 2) {
            std::int32_t count = 0;
            ar >> m_element >> count;
            barlimits::requireStored(barlimits::kPieces, count);
            m_eleNum = count;
        }
        if (schema >= 4)
            ar >> m_eleRemark;
        break;
    case kImageLine:
        if (schema >= 5)
            getImage()->Serialize(ar);
        break;
    default:
        break;
    }
}
