#include "core/model/barcore.h"

#include "core/model/modelrecord.h"
#include "envora/rules.h"
#include "platform/archive.h"

#include <cmath>

std::atomic<unsigned int> CVes_BarCore::m_sort{20};

namespace {

// Two ends are joined alike when neither has a real joint (types below 2)
// or the connections compare equal.
bool sameEnd(const CVes_Connect& a, const CVes_Connect& b)
{
    return (a.type < 2 && b.type < 2) || a.compareReal(b);
}

} // namespace

CVes_BarCore::CVes_BarCore() = default;

void CVes_BarCore::holdStoredNumbers(float& d, float& length, float& mult90, float& mult180,
                                     float& mult135)
{
    for (float* number : {&d, &length, &mult90, &mult180, &mult135})
        *number = platform::finiteOrZero(*number);
    // Raw stock is kept for every size a bar has: no size outside what the
    // stock can hold may enter.
    if (!envora::isStoredDiameter(d))
        platform::refuseOutOfRange("bar diameter");
}

CVes_BarCore::CVes_BarCore(const CVes_BarCore& other)
    : CVes_ModelReference(other), number(other.number), count(other.count), grade(other.grade),
      steelType(other.steelType), calcLength(other.calcLength), length(other.length),
      userValue(other.userValue), bendCount(other.bendCount),
      ownBendDiameters(other.ownBendDiameters), bendMult90(other.bendMult90),
      bendMult180(other.bendMult180), bendMult135(other.bendMult135), remark(other.remark),
      DN(other.DN)
{
}

CVes_BarCore& CVes_BarCore::operator=(const CVes_BarCore& other)
{
    set(&other);
    return *this;
}

CVes_BarCore::~CVes_BarCore() = default;

void CVes_BarCore::setInstanceVar(const QString& name, double value)
{
    if (CVes_Variable* v = getVar(name))
        v->m_value = v->m_value2 = value;
}

void CVes_BarCore::setRecoedDN(CVes_ModelRecord* record)
{
    if (CVes_ModelRecord* r = recordOr(record))
        r->setDN(DN);
}

void CVes_BarCore::setRecordId(CSteelRecordId key)
{
    CVes_ModelReference::setRecordId(key);
    setInstanceVar(QStringLiteral("d"), DN);
}

void CVes_BarCore::set(const CVes_BarCore* other)
{
    if (!other || other == this)
        return;
    CVes_ModelReference::set(other);
    number = other->number;
    count = other->count;
    // The ends came with the other bar's far diameters: only the bar's own
    // diameter is taken, lest a reducing coupler to a bar the size of this
    // one's old diameter (a new bar's 10) lose its far size.
    DN = other->DN;
    setInstanceVar(QStringLiteral("d"), DN);
    grade = other->grade;
    steelType = other->steelType;
    calcLength = other->calcLength;
    length = other->length;
    userValue = other->userValue;
    ownBendDiameters = other->ownBendDiameters;
    bendMult90 = other->bendMult90;
    bendMult180 = other->bendMult180;
    bendMult135 = other->bendMult135;
    remark = other->remark;
    bendCount = getZheshu();
}

void CVes_BarCore::setDN(float d)
{
    if (m_connectLeft.farDN == DN)
        m_connectLeft.farDN = d;
    if (m_connectRight.farDN == DN)
        m_connectRight.farDN = d;
    DN = d;
    setInstanceVar(QStringLiteral("d"), d);
}

void CVes_BarCore::setSteel(int gradeCode, float d, int type)
{
    setDN(d);
    grade = gradeCode;
    steelType = type;
}

void CVes_BarCore::setLle(float value)
{
    setInstanceVar(QStringLiteral("lle"), value);
}

void CVes_BarCore::setLae(float value)
{
    setInstanceVar(QStringLiteral("lae"), value);
}

void CVes_BarCore::setLa(float value)
{
    setInstanceVar(QStringLiteral("la"), value);
}

void CVes_BarCore::setBhc(float value)
{
    setInstanceVar(QStringLiteral("bhc"), value);
}

int CVes_BarCore::compareDuanTou(const CVes_BarCore* other) const
{
    return other && m_hookLeft == other->m_hookLeft && m_hookRight == other->m_hookRight
                && sameEnd(m_connectLeft, other->m_connectLeft)
                && sameEnd(m_connectRight, other->m_connectRight)
        ? 1
        : 0;
}

int CVes_BarCore::compareDuanTouR(const CVes_BarCore* other) const
{
    return other && m_hookLeft == other->m_hookRight && m_hookRight == other->m_hookLeft
                && sameEnd(m_connectLeft, other->m_connectRight)
                && sameEnd(m_connectRight, other->m_connectLeft)
        ? 1
        : 0;
}

int CVes_BarCore::isSame(CVes_BarCore& other)
{
    if (grade != other.grade || DN != other.DN || steelType != other.steelType
        || m_actualMeasure != other.m_actualMeasure || m_multiVal != other.m_multiVal
        || (m_multiVal && m_groupNum != other.m_groupNum) || m_process != other.m_process)
        return 0;
    // Both bars are only read: comparing (a check, a merge) must leave the
    // stored length of a computed bar as it was, or the file a bar is saved
    // into would depend on which bars were compared, and in what order.
    const auto lengthOf = [](CVes_BarCore& bar, unsigned int sel) {
        return bar.calcLength ? bar.lengthAsCalculated(sel, 1.0) : bar.length;
    };
    if (std::fabs(double(lengthOf(*this, 0)) - double(lengthOf(other, 0))) > kSameLength)
        return 0;
    if (m_multiVal && lengthAsCalculated(1, 1.0) != other.lengthAsCalculated(1, 1.0))
        return 0;

    // Each bar's geometry is compared on its own working copy of the record.
    const std::unique_ptr<CVes_ModelRecord> mine = prepareRecord(0, 1.0);
    const std::unique_ptr<CVes_ModelRecord> theirs = other.prepareRecord(0, 1.0);
    if (!mine || !theirs)
        return 0;
    if (m_pRecord == other.m_pRecord && !isSameVar(&other, 1) && !isSameVar(&other, 0))
        return 0;
    const int c1 = mine->CompareReal(theirs.get());
    const int c2 = mine->CompareRealReverse(theirs.get());
    if (!c1 && !c2)
        return 0;
    return (c1 && compareDuanTou(&other)) || (c2 && compareDuanTouR(&other)) ? 1 : 0;
}

bool CVes_BarCore::operator==(const CVes_BarCore& other)
{
    CVes_BarCore copy(other);
    return isSame(copy) != 0;
}

bool CVes_BarCore::operator<(const CVes_BarCore& other) const
{
    return lessThan(*this, other, m_sort.load());
}

bool CVes_BarCore::lessThan(const CVes_BarCore& a, const CVes_BarCore& b, unsigned int mode)
{
    if (mode & kSortByBends)
        return a.bendCount > b.bendCount;
    const bool ascending = mode & kSortAscending;
    if (a.DN != b.DN)
        return ascending ? a.DN < b.DN : a.DN > b.DN;
    const unsigned int gradeA = unsigned(a.grade), gradeB = unsigned(b.grade);
    if (gradeA != gradeB)
        return ascending ? gradeA < gradeB : gradeA > gradeB;
    const unsigned int typeA = unsigned(a.steelType), typeB = unsigned(b.steelType);
    if (typeA != typeB)
        return ascending ? typeA < typeB : typeA > typeB;
    if (a.length != b.length) {
        if (mode & kSortLengthUp)
            return a.length < b.length;
        if (mode & kSortLengthDown)
            return a.length > b.length;
    }
    return a.getRecordId() < b.getRecordId();
}
