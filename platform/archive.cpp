#include "platform/archive.h"

#include "platform/gbk.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace platform {

TextEncodingError::TextEncodingError(const QString& text)
    : ArchiveError("text cannot be stored in GBK: " + text.toStdString()), m_text(text)
{
}

void requireInRange(std::int64_t value, std::int64_t lo, std::int64_t hi, const char* what)
{
    if (value < lo || value > hi)
        throw ArchiveError(std::string(what) + " out of range");
}

void requireFiniteInRange(double value, double lo, double hi, const char* what)
{
    if (!(value >= lo && value <= hi))
        throw ArchiveError(std::string(what) + " out of range");
}

namespace {

// A text as it can be stored again: what GBK cannot hold (the replacement
// of bytes that were no GBK, or a character of a wide string outside GBK)
// becomes '?', as the file's code page would write it. A damaged text then
// still lets its file be saved.
QString storable(const QString& text)
{
    if (gbk::canEncode(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size()
            && text[i + 1].isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        out += gbk::canEncode(one) ? one : QStringLiteral("?");
        i += pair ? 1 : 0;
    }
    return out;
}

} // namespace

Archive::Archive() : m_storing(true) {}

Archive::Archive(QByteArray data) : m_data(std::move(data)), m_storing(false) {}

void Archive::need(qsizetype n) const
{
    if (n < 0 || n > remaining())
        throw ArchiveError("unexpected end of archive");
}

void Archive::requireStoring() const
{
    if (!m_storing)
        throw std::logic_error("archive is loading");
}

void Archive::requireLoading() const
{
    if (m_storing)
        throw std::logic_error("archive is storing");
}

template <typename T>
void Archive::put(T v)
{
    requireStoring();
    // Grown in place: appending through QByteArray::append costs more than
    // the few bytes it writes.
    const qsizetype at = m_data.size();
    m_data.resize(at + qsizetype(sizeof(T)));
    qToLittleEndian(v, m_data.data() + at);
}

template <typename T>
T Archive::get()
{
    requireLoading();
    need(sizeof(T));
    T v = qFromLittleEndian<T>(m_data.constData() + m_pos);
    m_pos += sizeof(T);
    return v;
}

Archive& Archive::operator<<(std::int32_t v) { put(v); return *this; }
Archive& Archive::operator<<(std::uint32_t v) { put(v); return *this; }
Archive& Archive::operator<<(std::uint16_t v) { put(v); return *this; }
Archive& Archive::operator<<(std::uint8_t v) { put(v); return *this; }
Archive& Archive::operator<<(float v) { put(v); return *this; }
Archive& Archive::operator<<(double v) { put(v); return *this; }

Archive& Archive::operator>>(std::int32_t& v) { v = get<std::int32_t>(); return *this; }
Archive& Archive::operator>>(std::uint32_t& v) { v = get<std::uint32_t>(); return *this; }
Archive& Archive::operator>>(std::uint16_t& v) { v = get<std::uint16_t>(); return *this; }
Archive& Archive::operator>>(std::uint8_t& v) { v = get<std::uint8_t>(); return *this; }
Archive& Archive::operator>>(float& v) { v = get<float>(); return *this; }
Archive& Archive::operator>>(double& v) { v = get<double>(); return *this; }

Archive& Archive::operator<<(const QString& v)
{
    requireStoring();
    bool ok = true;
    const QByteArray bytes = gbk::encode(v, &ok);
    if (!ok)
        throw TextEncodingError(v);
    const auto n = static_cast<std::uint32_t>(bytes.size());
    if (n < 0xFF) {
        put<std::uint8_t>(static_cast<std::uint8_t>(n));
    } else {
        put<std::uint8_t>(0xFF);
        if (n < 0xFFFE) {
            put<std::uint16_t>(static_cast<std::uint16_t>(n));
        } else {
            put<std::uint16_t>(0xFFFF);
            put<std::uint32_t>(n);
        }
    }
    m_data.append(bytes);
    return *this;
}

Archive& Archive::operator>>(QString& v)
{
    bool wide = false;
    std::uint32_t n = get<std::uint8_t>();
    if (n == 0xFF) {
        n = get<std::uint16_t>();
        if (n == 0xFFFE) {
            // The framework's marker for a UTF-16 string; its length follows
            // in the same prefix forms, counting UTF-16 units.
            wide = true;
            n = get<std::uint8_t>();
            if (n == 0xFF) {
                n = get<std::uint16_t>();
                if (n == 0xFFFF)
                    n = get<std::uint32_t>();
            }
        } else if (n == 0xFFFF) {
            n = get<std::uint32_t>();
        }
    }
    const qsizetype bytes = wide ? qsizetype(n) * 2 : qsizetype(n);
    need(bytes);
    const char* p = m_data.constData() + m_pos;
    if (wide) {
        QString s(qsizetype(n), Qt::Uninitialized);
        for (qsizetype i = 0; i < qsizetype(n); ++i)
            s[i] = QChar(qFromLittleEndian<quint16>(p + 2 * i));
        v = storable(s);
    } else {
        v = gbk::decode(QByteArray(p, bytes));
        // Only bytes that were no GBK decode to what GBK cannot hold again.
        if (v.contains(QChar::ReplacementCharacter))
            v = storable(v);
    }
    m_pos += bytes;
    return *this;
}

void Archive::writeCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        put<std::uint16_t>(static_cast<std::uint16_t>(count));
    } else {
        put<std::uint16_t>(0xFFFF);
        put<std::uint32_t>(count);
    }
}

std::uint32_t Archive::readCount(qsizetype elementSize)
{
    std::uint32_t n = get<std::uint16_t>();
    if (n == 0xFFFF)
        n = get<std::uint32_t>();
    if (qsizetype(n) > remaining() / std::max<qsizetype>(elementSize, 1))
        throw ArchiveError("element count exceeds the archive");
    return n;
}

std::int32_t Archive::readIntCount(qsizetype elementSize)
{
    const auto n = get<std::int32_t>();
    if (n < 0 || qsizetype(n) > remaining() / std::max<qsizetype>(elementSize, 1))
        throw ArchiveError("element count exceeds the archive");
    return n;
}

void Archive::writeBytes(const QByteArray& bytes)
{
    requireStoring();
    m_data.append(bytes);
}

QByteArray Archive::readBytes(qsizetype n)
{
    requireLoading();
    need(n);
    QByteArray out(m_data.constData() + m_pos, n);
    m_pos += n;
    return out;
}

} // namespace platform
