#pragma once
// Binary archive of the program's files: little-endian numbers, length-prefixed
// GBK strings and element counts, in the layout the original framework wrote.
// Reading is bounds-checked; a damaged stream throws ArchiveError, never reads
// past its end and never allocates from an unchecked count.

#include "platform/textmemo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace platform {

// A stream that ends too early, or holds something that cannot be right.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that GBK cannot hold was about to be stored; `where` names what
// holds it when that is not what the user typed into the sheet (e.g. the
// raw stock taken from the user's stock file).
class TextEncodingError : public ArchiveError {
public:
    explicit TextEncodingError(const QString& text, const QString& where = QString());
    QString text() const { return m_text; }
    QString where() const { return m_where; }
    // What a failed save tells the user.
    QString message() const;

private:
    QString m_text;
    QString m_where;
};

// A record whose schema number this program does not know (the framework's
// -100). Only a number above the newest schema the reader knows, by no more
// than later versions of the program could have counted up, says that a
// newer program wrote the file; any other unknown number is damage, and the
// user is told so rather than sent to upgrade.
class SchemaError : public std::exception {
public:
    static constexpr int kCode = -100;
    // How far beyond the newest schema a reader knows a later program's
    // schema may lie. The program's records have counted up to 12 schemas
    // in all; what lies further off is a damaged or foreign number.
    static constexpr int kLaterSchemas = 100;

    SchemaError(int schema, int newest) : m_schema(schema), m_newest(newest) {}
    int code() const { return kCode; }
    int schema() const { return m_schema; }
    int newest() const { return m_newest; }
    bool isNewer() const
    {
        const std::int64_t ahead = std::int64_t(m_schema) - m_newest;
        return ahead > 0 && ahead <= kLaterSchemas;
    }
    const char* what() const noexcept override { return "unknown schema"; }

private:
    int m_schema;
    int m_newest;
};

// Refuses a value read from a stream that no sound file holds: throws
// ArchiveError naming `what` unless lo <= value <= hi (for a double, also
// unless it is a finite number). Readers check what they can know this way, so that no
// value of a damaged file reaches the code that pages, measures or draws.
[[noreturn]] void refuseOutOfRange(const char* what);
inline void requireInRange(std::int64_t value, std::int64_t lo, std::int64_t hi, const char* what)
{
    if (value < lo || value > hi)
        refuseOutOfRange(what);
}
inline void requireFiniteInRange(double value, double lo, double hi, const char* what)
{
    if (!std::isfinite(value) || value < lo || value > hi)
        refuseOutOfRange(what);
}

// A number of a stream that the program may itself have stored out of any
// sound range (a value computed from the user's formula: NaN, infinite):
// such a value reads as 0. The code that uses these numbers holds the
// finite ones to what it can take.
inline double finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }
inline float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

class Archive {
public:
    // An archive that stores into a growing buffer.
    Archive();
    // An archive that loads from the given bytes.
    explicit Archive(QByteArray data);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    // The bytes written so far, or the bytes read from.
    const QByteArray& data() const;
    // Where the next read reads; while storing, where the next write writes.
    qsizetype position() const { return m_storing ? m_size : m_pos; }
    qsizetype remaining() const { return m_size - m_pos; }
    bool atEnd() const { return remaining() == 0; }

    // Numbers are read and written inline: a file holds millions of them.
    Archive& operator<<(std::int32_t v) { put(v); return *this; }
    Archive& operator<<(std::uint32_t v) { put(v); return *this; }
    Archive& operator<<(std::uint16_t v) { put(v); return *this; }
    Archive& operator<<(std::uint8_t v) { put(v); return *this; }
    Archive& operator<<(float v) { put(v); return *this; }
    Archive& operator<<(double v) { put(v); return *this; }
    Archive& operator<<(const QString& v);

    Archive& operator>>(std::int32_t& v) { v = get<std::int32_t>(); return *this; }
    Archive& operator>>(std::uint32_t& v) { v = get<std::uint32_t>(); return *this; }
    Archive& operator>>(std::uint16_t& v) { v = get<std::uint16_t>(); return *this; }
    Archive& operator>>(std::uint8_t& v) { v = get<std::uint8_t>(); return *this; }
    Archive& operator>>(float& v) { v = get<float>(); return *this; }
    Archive& operator>>(double& v) { v = get<double>(); return *this; }
    // A text read is always one that can be stored again: bytes that are no
    // GBK, and characters of a wide string that GBK cannot hold, read as '?'.
    Archive& operator>>(QString& v);

    // Element counts of the framework's arrays: a WORD, or 0xFFFF and a DWORD.
    void writeCount(std::uint32_t count);
    // `elementSize` is the least number of bytes one element takes (no
    // element takes less than one); a count that the bytes left cannot hold
    // is refused before anything allocates.
    std::uint32_t readCount(qsizetype elementSize = 1);

    // Element counts stored as a plain int32 before a list of records: a
    // negative count, or one that the bytes left cannot hold at
    // `elementSize` bytes an element, throws ArchiveError.
    std::int32_t readIntCount(qsizetype elementSize = 1);

    void writeBytes(const QByteArray& bytes);
    QByteArray readBytes(qsizetype n);

    // Reads a schema number and throws SchemaError unless it lies in
    // oldest … newest.
    int readSchema(int oldest, int newest)
    {
        return readSchema([oldest, newest](int s) { return s >= oldest && s <= newest; }, newest);
    }
    // The same for a reader that takes the numbers `accepted` says yes to,
    // none of them above `newest`.
    template <typename Pred>
    int readSchema(Pred accepted, int newest)
    {
        std::int32_t schema = 0;
        *this >> schema;
        if (!accepted(schema))
            throw SchemaError(schema, newest);
        return schema;
    }

private:
    void need(qsizetype n) const
    {
        if (n < 0 || n > remaining())
            refuseEnd();
    }
    [[noreturn]] static void refuseEnd();
    [[noreturn]] void refuseDirection() const;
    void requireStoring() const
    {
        if (!m_storing)
            refuseDirection();
    }
    void requireLoading() const
    {
        if (m_storing)
            refuseDirection();
    }
    // Room for `n` more bytes at the end of what was written; answers where
    // they go. The buffer grows by doubling, ahead of what was written.
    char* grow(qsizetype n)
    {
        if (n > m_data.size() - m_size)
            makeRoom(n);
        char* at = m_data.data() + m_size;
        m_size += n;
        return at;
    }
    void makeRoom(qsizetype n);
    template <typename T> void put(T v)
    {
        requireStoring();
        qToLittleEndian(v, grow(qsizetype(sizeof(T))));
    }
    template <typename T> T get()
    {
        requireLoading();
        need(qsizetype(sizeof(T)));
        T v = qFromLittleEndian<T>(m_data.constData() + m_pos);
        m_pos += qsizetype(sizeof(T));
        return v;
    }
    // The length prefix of a text of `n` bytes.
    void writeLength(std::uint32_t n);
    QString decodeText(QByteArrayView bytes);

    // While storing, m_data may be longer than what was written (m_size
    // bytes); data() cuts it to size.
    mutable QByteArray m_data;
    qsizetype m_size = 0;
    qsizetype m_pos = 0;
    bool m_storing;
    // Texts converted once and then shared. Read texts are keyed by their
    // bytes in m_data, which a loading archive never changes.
    TextMemo<QByteArrayView, QString> m_readTexts;
    TextMemo<QString, QByteArray> m_writtenTexts;
};

} // namespace platform
