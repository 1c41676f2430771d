#include "platform/archive.h"

#include "platform/gbk.h"

#include <algorithm>

namespace platform {

TextEncodingError::TextEncodingError(const QString& text, const QString& where)
    : ArchiveError("text cannot be stored in GBK: " + text.toStdString()), m_text(text), m_where(where)
{
}

QString TextEncodingError::message() const
{
    const QString what = QStringLiteral("文字“%1”含有不能保存的字符。").arg(m_text);
    return m_where.isEmpty() ? what : m_where + QStringLiteral("中的") + what;
}

void refuseOutOfRange(const char* what)
{
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

Archive::Archive(QByteArray data)
    : m_data(std::move(data)), m_size(m_data.size()), m_storing(false)
{
}

const QByteArray& Archive::data() const
{
    if (m_data.size() != m_size)
        m_data.truncate(m_size);
    return m_data;
}

void Archive::refuseEnd()
{
    throw ArchiveError("unexpected end of archive");
}

void Archive::refuseDirection() const
{
    throw std::logic_error(m_storing ? "archive is storing" : "archive is loading");
}

void Archive::makeRoom(qsizetype n)
{
    const qsizetype capacity = m_data.capacity();
    m_data.resize(m_size + n <= capacity ? capacity : std::max(2 * capacity, m_size + n));
}

void Archive::writeLength(std::uint32_t n)
{
    if (n < 0xFF) {
        put<std::uint8_t>(static_cast<std::uint8_t>(n));
        return;
    }
    put<std::uint8_t>(0xFF);
    if (n < 0xFFFE) {
        put<std::uint16_t>(static_cast<std::uint16_t>(n));
    } else {
        put<std::uint16_t>(0xFFFF);
        put<std::uint32_t>(n);
    }
}

Archive& Archive::operator<<(const QString& v)
{
    requireStoring();
    if (gbk::isAscii(v)) {
        // Below 0x80 GBK is ASCII: the text's code units are its bytes.
        writeLength(static_cast<std::uint32_t>(v.size()));
        if (v.isEmpty())
            return *this;
        char* out = grow(v.size());
        for (QChar c : v)
            *out++ = static_cast<char>(c.unicode());
        return *this;
    }
    QByteArray bytes;
    if (const QByteArray* known = m_writtenTexts.find(v)) {
        bytes = *known;
    } else {
        bool ok = true;
        bytes = gbk::encode(v, &ok);
        if (!ok)
            throw TextEncodingError(v);
        m_writtenTexts.keep(v, bytes);
    }
    writeLength(static_cast<std::uint32_t>(bytes.size()));
    writeBytes(bytes);
    return *this;
}

QString Archive::decodeText(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    if (const QString* known = m_readTexts.find(bytes))
        return *known;
    QString text = gbk::decode(bytes);
    // Only bytes that were no GBK decode to what GBK cannot hold again.
    if (text.contains(QChar::ReplacementCharacter))
        text = storable(text);
    m_readTexts.keep(bytes, text);
    return text;
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
        v = decodeText(QByteArrayView(p, bytes));
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
    if (!bytes.isEmpty())
        std::memcpy(grow(bytes.size()), bytes.constData(), size_t(bytes.size()));
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
