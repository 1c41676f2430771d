#include "core/model/processsteel.h"

#include "core/model/barlimits.h"

#include "platform/archive.h"

#include <utility>

namespace {

constexpr int kSchema = 1;
// The least a stored tag takes: three ints and an empty text's length byte.
constexpr qsizetype kMinTagBytes = 3 * 4 + 1;
// Bar tags printed on one sheet row.
constexpr int kTagsPerRow = 3;

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// The character whose code is `mark`; empty for a code no character has.
QString markText(int mark)
{
    const auto code = char32_t(mark);
    if (mark < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return QString();
    return QString::fromUcs4(&code, 1);
}

} // namespace

bool textEqualsNoCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a.at(i).unicode()) != asciiLower(b.at(i).unicode()))
            return false;
    }
    return true;
}

// CVes_LiaoPai

bool CVes_LiaoPai::operator==(const CVes_LiaoPai& other) const
{
    return count == other.count && mark == other.mark && auxA == other.auxA
        && auxB == other.auxB && textEqualsNoCase(text, other.text);
}

void CVes_LiaoPai::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(count) << std::int32_t(mark) << std::int32_t(auxA) << text;
        return;
    }
    std::int32_t c = 0, m = 0, a = 0;
    QString t;
    ar >> c >> m >> a >> t;
    barlimits::requireStored(barlimits::kRowCount, c);
    count = c;
    mark = m;
    auxA = a;
    auxB = 0;
    text = std::move(t);
}

// CVes_ProcessSteel

CVes_ProcessSteel::CVes_ProcessSteel()
{
    count = 1;
    m_outDim = 1;
    m_connectRight.flag = 0;
}

CVes_ProcessSteel::CVes_ProcessSteel(const CVes_ProcessSteel& other) : CVes_ProcessSteel()
{
    set(&other);
}

CVes_ProcessSteel& CVes_ProcessSteel::operator=(const CVes_ProcessSteel& other)
{
    // Assigning a row to itself keeps it as it is.
    if (&other == this)
        return *this;
    rows = 1;
    nullFlag = 1;
    pid = 0;
    set(&other);
    return *this;
}

CVes_ProcessSteel::~CVes_ProcessSteel() = default;

void CVes_ProcessSteel::applyConnectionRule()
{
    for (CVes_Connect* end : {&m_connectLeft, &m_connectRight}) {
        if (end->type == 1) {
            end->type = 0;
        } else if (end->type == 7 || end->type == 8) {
            end->farDirection = end->direction;
            end->farDN = DN;
        }
    }
}

void CVes_ProcessSteel::set(const CVes_BarCore* other)
{
    if (!other || other == this)
        return;
    CVes_BarCore::set(other);
    applyConnectionRule();
}

void CVes_ProcessSteel::set(const CVes_ProcessSteel* other)
{
    if (!other || other == this)
        return;
    CVes_BarCore::set(other);
    tags = other->tags;
    rows = resetRows();
    pid = other->pid;
    nullFlag = other->nullFlag;
    originalNumbers = other->originalNumbers;
    applyConnectionRule();
}

int CVes_ProcessSteel::isAvailable() const
{
    if (unsigned(grade) < 1)
        return 0;
    return calcLength || length >= 1.0f || count >= 1 ? 1 : 0;
}

void CVes_ProcessSteel::getLpArray(LiaoPaiArray& array) const
{
    array.insert(array.end(), tags.begin(), tags.end());
}

void CVes_ProcessSteel::getLpID(QStringList& ids) const
{
    for (size_t i = 0; i < tags.size(); ++i) {
        if (i == 0 || tags[i].mark != tags[i - 1].mark)
            ids.append(markText(tags[i].mark));
    }
}

void CVes_ProcessSteel::setLpNum(int n, int index)
{
    if (index >= 0 && index < getLPNum())
        tags[size_t(index)].count = n;
}

void CVes_ProcessSteel::setTagCount(CVes_LiaoPai& tag, int n) const
{
    if (isMultiVal()) {
        tag.count = getMultiGroup();
        tag.auxB = n;
    } else {
        tag.count = n;
    }
}

long long CVes_ProcessSteel::tagBars(const CVes_LiaoPai& tag) const
{
    return isMultiVal() ? (long long)tag.count * tag.auxB : tag.count;
}

void CVes_ProcessSteel::AddLp(const CVes_LiaoPai& tag)
{
    tags.push_back(tag);
    rows = resetRows();
}

void CVes_ProcessSteel::AddLp(int n, int mark, int auxA, const QString& text, int auxB)
{
    AddLp(CVes_LiaoPai(n, mark, auxA, text, auxB));
}

void CVes_ProcessSteel::setLp(const LiaoPaiArray& array)
{
    if (&array != &tags)
        tags = array;
    rows = resetRows();
}

void CVes_ProcessSteel::deleteLp(const CVes_LiaoPai& tag)
{
    for (auto it = tags.begin(); it != tags.end(); ++it) {
        if (*it == tag) {
            tags.erase(it);
            return;
        }
    }
}

int CVes_ProcessSteel::resetRows() const
{
    return (getLPNum() + kTagsPerRow - 1) / kTagsPerRow;
}

void CVes_ProcessSteel::addOriginalBH(const QString& number, int n)
{
    originalNumbers.push_back(OriginalBH{number, n});
}

void CVes_ProcessSteel::addOriginalBH(const OriginalBH& item)
{
    originalNumbers.push_back(item);
}

void CVes_ProcessSteel::setOriginalBH(const OriginalBHArray& items)
{
    if (&items != &originalNumbers)
        originalNumbers = items;
}

void CVes_ProcessSteel::merge()
{
    if (tags.size() < 2)
        return;
    CVes_LiaoPai first = tags.front();
    setTagCount(first, count);
    first.auxA = 0;
    tags.assign(1, first);
}

int CVes_ProcessSteel::join(CVes_ProcessSteel& other)
{
    // A row cannot take itself in: its tags would be appended while read.
    // Nor more bars than a row holds.
    if (&other == this || !barlimits::joinable(barlimits::kRowCount, count, other.count)
        || !isSame(other))
        return 0;
    for (CVes_LiaoPai tag : other.tags) {
        other.setTagCount(tag, other.count);
        tags.push_back(std::move(tag));
    }
    count += other.count;
    originalNumbers.insert(originalNumbers.end(), other.originalNumbers.begin(),
                           other.originalNumbers.end());
    return 1;
}

void CVes_ProcessSteel::Serialize(platform::Archive& ar)
{
    CVes_ModelReference::Serialize(ar);
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << number << std::int32_t(count) << DN << std::int32_t(grade)
           << std::int32_t(steelType) << std::int32_t(calcLength) << length
           << std::int32_t(userValue) << remark << std::int32_t(ownBendDiameters);
        if (ownBendDiameters)
            ar << bendMult90 << bendMult180 << bendMult135;
        ar << std::int32_t(rows) << std::int32_t(pid) << std::int32_t(nullFlag)
           << std::int32_t(tags.size());
        for (CVes_LiaoPai& tag : tags)
            tag.Serialize(ar);
        return;
    }

    ar.readSchema(kSchema, kSchema);
    // Everything is read before the row changes, so that a damaged stream
    // leaves the row's fields as they were.
    QString newNumber, newRemark;
    std::int32_t newCount = 0, newGrade = 0, newType = 0, newCalc = 0, newUser = 0, newOwn = 0;
    float newDN = 0, newLength = 0;
    float mult90 = bendMult90, mult180 = bendMult180, mult135 = bendMult135;
    ar >> newNumber >> newCount >> newDN >> newGrade >> newType >> newCalc >> newLength >> newUser
        >> newRemark >> newOwn;
    if (newOwn)
        ar >> mult90 >> mult180 >> mult135;
    std::int32_t newRows = 0, newPid = 0, newNull = 0;
    ar >> newRows >> newPid >> newNull;
    holdStoredNumbers(newDN, newLength, mult90, mult180, mult135);
    barlimits::requireStored(barlimits::kRowCount, newCount);
    if (!newCalc)
        barlimits::requireStored(barlimits::kCutLength, newLength);
    const std::int32_t nTags = ar.readIntCount(kMinTagBytes);
    LiaoPaiArray newTags(static_cast<size_t>(nTags));
    for (CVes_LiaoPai& tag : newTags)
        tag.Serialize(ar);

    number = std::move(newNumber);
    count = newCount;
    DN = newDN;
    grade = newGrade;
    steelType = newType;
    calcLength = newCalc;
    length = newLength;
    userValue = newUser;
    remark = std::move(newRemark);
    ownBendDiameters = newOwn;
    bendMult90 = mult90;
    bendMult180 = mult180;
    bendMult135 = mult135;
    rows = newRows;
    pid = newPid;
    nullFlag = newNull;
    tags = std::move(newTags);
}
