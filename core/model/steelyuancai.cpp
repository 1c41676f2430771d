#include "core/model/steelyuancai.h"

#include "core/geometry/xmldocument.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Numbers are read the way the C library's atof and atoi read them: blanks
// first, then a sign and as many digits as there are; 0 when there is no
// number. Unlike atof, the reading does not depend on the process locale.
std::string numberBytes(const QString& text, bool& negative)
{
    std::string bytes = text.trimmed().toLatin1().toStdString();
    negative = false;
    if (!bytes.empty() && (bytes[0] == '+' || bytes[0] == '-')) {
        negative = bytes[0] == '-';
        bytes.erase(0, 1);
        if (!bytes.empty() && (bytes[0] == '+' || bytes[0] == '-'))
            bytes.clear();  // a second sign: no number
    }
    return bytes;
}

double textToDouble(const QString& text)
{
    bool negative = false;
    const std::string bytes = numberBytes(text, negative);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(bytes.data(), bytes.data() + bytes.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        value = HUGE_VAL;
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

// A number of the file as a float: what no float holds counts as 0.
float textToFloat(const QString& text)
{
    const double value = textToDouble(text);
    return std::isfinite(value) && std::fabs(value) <= double(std::numeric_limits<float>::max())
        ? float(value)
        : 0.0f;
}

int textToInt(const QString& text)
{
    bool negative = false;
    const std::string bytes = numberBytes(text, negative);
    long long value = 0;
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (error == std::errc::result_out_of_range)
        return negative ? INT_MIN : INT_MAX;
    if (error != std::errc())
        return 0;
    value = negative ? -value : value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The data of the named child of the current element, searched among all its
// children whatever child was found before.
bool childData(CXmlDocument& doc, const QString& name, QString& data)
{
    doc.setPosition(doc.getParentPosition(), doc.getCurrentPosition(), 0);
    if (!doc.findChildElement(name))
        return false;
    data = doc.getDataAt(doc.getChildPosition());
    return true;
}

} // namespace

CVes_SteelYuanCaiLib::~CVes_SteelYuanCaiLib()
{
    removeAllYuanCai();
}

void CVes_SteelYuanCaiLib::removeAllYuanCai()
{
    m_records.clear();
}

bool CVes_SteelYuanCaiLib::readFile(const QString& path)
{
    CXmlDocument doc;
    if (!doc.loadFile(path) || !doc.findElement(QStringLiteral("STEELYUANCAI")))
        return false;
    doc.intoElement();
    std::vector<std::unique_ptr<CVes_SteelYuanCai>> records;
    while (doc.findElement(QStringLiteral("STEEL"))) {
        auto record = std::make_unique<CVes_SteelYuanCai>();
        const int position = doc.getCurrentPosition();
        record->DN = textToFloat(doc.getAttributeAt(position, QStringLiteral("DN")));
        record->steelType = textToInt(doc.getAttributeAt(position, QStringLiteral("TYPE")));
        record->grade = textToInt(doc.getAttributeAt(position, QStringLiteral("GRADE")));
        QString data;
        if (childData(doc, QStringLiteral("PRICE"), data))
            record->price = textToFloat(data);
        if (childData(doc, QStringLiteral("LENGTH"), data))
            record->length = textToInt(data);
        records.push_back(std::move(record));
    }
    m_records = std::move(records);
    return true;
}

void CVes_SteelYuanCaiLib::writeFile(const QString&) const
{
}

const CVes_SteelYuanCai* CVes_SteelYuanCaiLib::find(float d, unsigned grade, unsigned type) const
{
    for (const auto& record : m_records) {
        if (record->DN == d && unsigned(record->grade) == grade
            && unsigned(record->steelType) == type)
            return record.get();
    }
    return nullptr;
}

int CVes_SteelYuanCaiLib::getYuanCaiLength(float d, unsigned grade, unsigned type) const
{
    const CVes_SteelYuanCai* record = find(d, grade, type);
    return record ? record->length : 0;
}

float CVes_SteelYuanCaiLib::getYuanCaiPrice(float d, unsigned grade, unsigned type) const
{
    const CVes_SteelYuanCai* record = find(d, grade, type);
    return record ? record->price : 0.0f;
}

const CVes_SteelYuanCai* CVes_SteelYuanCaiLib::at(int index) const
{
    return index >= 0 && index < count() ? m_records[std::size_t(index)].get() : nullptr;
}
