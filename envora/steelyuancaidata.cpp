#include "envora/steelyuancaidata.h"

#include "envora/rules.h"
#include "platform/archive.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/savefile.h"

#include <QFile>
#include <QLocale>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr int kSchema = 1;
// The least bytes one stored record takes: five numbers and an empty text.
constexpr qsizetype kLeastRecordBytes = 5 * 4 + 1;

float finiteOrZero(double v)
{
    return std::isfinite(v) && std::abs(v) < double(std::numeric_limits<float>::max()) ? float(v)
                                                                                        : 0.0f;
}

// Numbers of the file as the C library reads them: a text that is no number
// gives 0.
double toNumber(QStringView text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int toInt(QStringView text)
{
    const double v = toNumber(text);
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

CVes_SteelYuanCaiData readSteel(QXmlStreamReader& x)
{
    CVes_SteelYuanCaiData r;
    const auto a = x.attributes();
    r.DN = finiteOrZero(toNumber(a.value(QLatin1String("DN"))));
    r.steelType = toInt(a.value(QLatin1String("TYPE")));
    r.grade = toInt(a.value(QLatin1String("GRADE")));
    while (x.readNextStartElement()) {
        if (x.name() == u"PRICE")
            r.price = finiteOrZero(toNumber(x.readElementText()));
        else if (x.name() == u"LENGTH")
            r.length = toInt(x.readElementText());
        else if (x.name() == u"NAME")
            r.name = x.readElementText();
        else
            x.skipCurrentElement();
    }
    return r;
}

} // namespace

void CVes_SteelYuanCaiData::setLengthMetres(double metres)
{
    const double mm = std::round(metres * 1000.0);
    if (!std::isfinite(mm))
        return;
    length = int(std::clamp(mm, double(std::numeric_limits<int>::min()),
                            double(std::numeric_limits<int>::max())));
}

CVes_SteelYuanCaiDataLib::CVes_SteelYuanCaiDataLib() = default;
CVes_SteelYuanCaiDataLib::~CVes_SteelYuanCaiDataLib() = default;
CVes_SteelYuanCaiDataLib::CVes_SteelYuanCaiDataLib(CVes_SteelYuanCaiDataLib&&) noexcept = default;
CVes_SteelYuanCaiDataLib&
CVes_SteelYuanCaiDataLib::operator=(CVes_SteelYuanCaiDataLib&&) noexcept = default;

CVes_SteelYuanCaiDataLib::CVes_SteelYuanCaiDataLib(const CVes_SteelYuanCaiDataLib& other)
{
    for (const auto& r : other.m_records)
        append(*r);
}

CVes_SteelYuanCaiDataLib& CVes_SteelYuanCaiDataLib::operator=(const CVes_SteelYuanCaiDataLib& other)
{
    if (this != &other) {
        CVes_SteelYuanCaiDataLib copy(other);
        m_records = std::move(copy.m_records);
    }
    return *this;
}

bool CVes_SteelYuanCaiDataLib::readFile(const QString& path, QString* error)
{
    const auto refuse = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    QXmlStreamReader x(&file);
    if (!x.readNextStartElement() || x.name() != u"STEELYUANCAI")
        return refuse(QStringLiteral("不是原材库文件。"));
    std::vector<std::unique_ptr<CVes_SteelYuanCaiData>> records;
    while (x.readNextStartElement()) {
        if (x.name() != u"STEEL") {
            x.skipCurrentElement();
            continue;
        }
        const qint64 line = x.lineNumber();
        records.push_back(std::make_unique<CVes_SteelYuanCaiData>(readSteel(x)));
        // What every table saves of a record it must read again: a size no
        // bar can have, or a name its file cannot hold, refuses the file
        // rather than have it edited and written back, or make the user's
        // lists unsaveable.
        const CVes_SteelYuanCaiData& r = *records.back();
        if (!envora::isStoredDiameter(r.DN))
            return refuse(QStringLiteral("第%1行：直径%2不在0到%3毫米之间。")
                              .arg(line)
                              .arg(double(r.DN))
                              .arg(envora::kMaxStoredDiameter));
        if (!platform::gbk::canEncode(r.name))
            return refuse(QStringLiteral("第%1行：名称“%2”含有钢筋表文件不能保存的字符。").arg(line).arg(r.name));
    }
    // A file cut short gives nothing rather than part of a list.
    if (x.hasError())
        return refuse(QStringLiteral("第%1行：%2").arg(x.lineNumber()).arg(x.errorString()));
    m_records = std::move(records);
    return true;
}

bool CVes_SteelYuanCaiDataLib::writeFile(const QString& path, QString* error) const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("STEELYUANCAI"));
    for (const auto& r : m_records) {
        w.writeStartElement(QStringLiteral("STEEL"));
        w.writeAttribute(QStringLiteral("DN"), QString::number(r->DN, 'g', QLocale::FloatingPointShortest));
        w.writeAttribute(QStringLiteral("TYPE"), QString::number(r->steelType));
        w.writeAttribute(QStringLiteral("GRADE"), QString::number(r->grade));
        if (!r->name.isEmpty())
            w.writeTextElement(QStringLiteral("NAME"), r->name);
        w.writeTextElement(QStringLiteral("PRICE"),
                           QString::number(r->price, 'g', QLocale::FloatingPointShortest));
        w.writeTextElement(QStringLiteral("LENGTH"), QString::number(r->length));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return platform::saveFile(path, out, error);
}

CVes_SteelYuanCaiData* CVes_SteelYuanCaiDataLib::at(int index)
{
    return index >= 0 && index < count() ? m_records[size_t(index)].get() : nullptr;
}

const CVes_SteelYuanCaiData* CVes_SteelYuanCaiDataLib::at(int index) const
{
    return index >= 0 && index < count() ? m_records[size_t(index)].get() : nullptr;
}

CVes_SteelYuanCaiData* CVes_SteelYuanCaiDataLib::append(const CVes_SteelYuanCaiData& record)
{
    m_records.push_back(std::make_unique<CVes_SteelYuanCaiData>(record));
    return m_records.back().get();
}

void CVes_SteelYuanCaiDataLib::removeAt(int index)
{
    if (index >= 0 && index < count())
        m_records.erase(m_records.begin() + index);
}

void CVes_SteelYuanCaiDataLib::removeAll()
{
    m_records.clear();
}

const CVes_SteelYuanCaiData* CVes_SteelYuanCaiDataLib::getYuanCai(float d, unsigned grade,
                                                                  unsigned type) const
{
    for (const auto& r : m_records)
        if (r->DN == d && unsigned(r->grade) == grade && unsigned(r->steelType) == type)
            return r.get();
    return nullptr;
}

CVes_SteelYuanCaiData* CVes_SteelYuanCaiDataLib::getYuanCai(float d, unsigned grade, unsigned type)
{
    return const_cast<CVes_SteelYuanCaiData*>(std::as_const(*this).getYuanCai(d, grade, type));
}

void CVes_SteelYuanCaiDataLib::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(count());
        for (const auto& r : m_records) {
            ar << r->DN << std::int32_t(r->steelType) << std::int32_t(r->grade)
               << std::int32_t(r->length) << r->price;
            try {
                ar << r->name;
            } catch (const platform::TextEncodingError& e) {
                // Names come from the stock file, not from the sheet.
                throw platform::TextEncodingError(e.text(), QStringLiteral("原材库名称"));
            }
        }
        return;
    }
    ar.readSchema(kSchema, kSchema);
    const std::int32_t n = ar.readIntCount(kLeastRecordBytes);
    std::vector<std::unique_ptr<CVes_SteelYuanCaiData>> records;
    records.reserve(size_t(n));
    for (std::int32_t i = 0; i < n; ++i) {
        auto r = std::make_unique<CVes_SteelYuanCaiData>();
        std::int32_t type = 0, grade = 0, length = 0;
        ar >> r->DN >> type >> grade >> length >> r->price >> r->name;
        platform::requireFiniteInRange(r->DN, 0.0, envora::kMaxStoredDiameter, "stock diameter");
        platform::requireFiniteInRange(r->price, -HUGE_VAL, HUGE_VAL, "stock price");
        r->steelType = type;
        r->grade = grade;
        r->length = length;
        records.push_back(std::move(r));
    }
    m_records = std::move(records);
}

bool CVes_SteelYuanCaiDataLib::operator==(const CVes_SteelYuanCaiDataLib& other) const
{
    if (count() != other.count())
        return false;
    for (int i = 0; i < count(); ++i)
        if (!(*at(i) == *other.at(i)))
            return false;
    return true;
}

namespace envora {

QString defaultYuanCaiPath()
{
    return platform::dataFolder() + QStringLiteral("KUCUN.xml");
}

} // namespace envora
