#include "core/model/steel.h"

#include "core/model/barlimits.h"

#include "platform/archive.h"

namespace {

// Grade codes of old files: 4 was the code now 32, and 5 the code now 4.
int currentGrade(int oldGrade)
{
    switch (oldGrade) {
    case 4: return 32;
    case 5: return 4;
    default: return oldGrade;
    }
}

// The first position of the first separator, in `order`, that `text` holds
// from `from` on; -1 when it holds none.
qsizetype firstOfKinds(const QString& text, const char* order, qsizetype from)
{
    for (const char* c = order; *c; ++c) {
        const qsizetype at = text.indexOf(QLatin1Char(*c), from);
        if (at >= 0)
            return at;
    }
    return -1;
}

} // namespace

CVes_Steel::CVes_Steel()
{
    count = 1;
    m_outDim = 1;
    m_connectRight.flag = 0;
}

CVes_Steel::CVes_Steel(const CVes_Steel& other)
    : CVes_BarCore(other), spacing1(other.spacing1), spacing2(other.spacing2),
      spacing3(other.spacing3), start(other.start)
{
}

CVes_Steel& CVes_Steel::operator=(const CVes_Steel& other)
{
    set(&other);
    return *this;
}

CVes_Steel::~CVes_Steel() = default;

void CVes_Steel::set(const CVes_BarCore* other)
{
    if (const auto* steel = dynamic_cast<const CVes_Steel*>(other))
        set(steel);
    else
        CVes_BarCore::set(other);
}

void CVes_Steel::set(const CVes_Steel* other)
{
    if (!other || other == this)
        return;
    spacing1 = other->spacing1;
    spacing2 = other->spacing2;
    spacing3 = other->spacing3;
    start.set(&other->start);
    // The bar's own set counts the bends last.
    CVes_BarCore::set(other);
}

QString CVes_Steel::JianjutoString() const
{
    QString text = spacing1;
    if (!spacing2.isEmpty())
        text += u';' + spacing2;
    if (!spacing3.isEmpty())
        text += u';' + spacing3;
    return text;
}

void CVes_Steel::setJianju(const QString& text)
{
    if (text.isEmpty())
        return;
    const qsizetype i = firstOfKinds(text, ";/\\',.", 0);
    if (i < 0) {
        spacing1 = text;
        spacing2.clear();
        spacing3.clear();
        return;
    }
    spacing1 = text.left(i);
    const qsizetype j = firstOfKinds(text, ";/\\,'.", i + 1);
    if (j < 0) {
        spacing2 = text.mid(i + 1);
        spacing3.clear();
    } else {
        spacing2 = text.mid(i + 1, j - i - 1);
        spacing3 = text.mid(j + 1);
    }
}

bool CVes_Steel::operator<(const CVes_Steel& other) const
{
    if (DN != other.DN)
        return DN < other.DN;
    if (unsigned(grade) != unsigned(other.grade))
        return unsigned(grade) < unsigned(other.grade);
    if (unsigned(steelType) != unsigned(other.steelType))
        return unsigned(steelType) < unsigned(other.steelType);
    return getRecordId() < other.getRecordId();
}

void CVes_Steel::Serialize(platform::Archive& ar)
{
    CVes_ModelReference::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::int32_t(3) << number << std::int32_t(count) << DN << std::int32_t(grade)
           << std::int32_t(steelType) << spacing1 << spacing2 << spacing3
           << std::int32_t(calcLength) << length << std::int32_t(userValue) << remark;
        start.Serialize(ar);
        ar << std::int32_t(ownBendDiameters);
        if (ownBendDiameters)
            ar << bendMult90 << bendMult180 << bendMult135;
        return;
    }
    const int schema = ar.readSchema(1, 3);
    ar >> number >> count >> DN >> grade >> steelType >> spacing1 >> spacing2 >> spacing3
        >> calcLength >> length >> userValue >> remark;
    if (schema >= 2)
        start.Serialize(ar);
    ar >> ownBendDiameters;
    if (ownBendDiameters)
        ar >> bendMult90 >> bendMult180 >> bendMult135;
    holdStoredNumbers(DN, length, bendMult90, bendMult180, bendMult135);
    barlimits::requireStored(barlimits::kCount, count);
    if (!calcLength)
        barlimits::requireStored(barlimits::kCutLength, length);
    if (schema <= 2)
        grade = currentGrade(grade);
}
