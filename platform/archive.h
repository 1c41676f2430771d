#pragma once
// Binary archive of the program's files: little-endian numbers, length-prefixed
// GBK strings and element counts, in the layout the original framework wrote.
// Reading is bounds-checked; a damaged stream throws ArchiveError, never reads
// past its end and never allocates from an unchecked count.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace platform {

// A stream that ends too early, or holds something that cannot be right.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that GBK cannot hold was about to be stored.
class TextEncodingError : public ArchiveError {
public:
    explicit TextEncodingError(const QString& text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// A record whose schema number this program does not know. The documents
// catch it and tell the user the file is from a newer version.
class SchemaError : public std::exception {
public:
    static constexpr int kCode = -100;
    explicit SchemaError(int schema = 0) : m_schema(schema) {}
    int code() const { return kCode; }
    int schema() const { return m_schema; }
    const char* what() const noexcept override { return "unknown schema"; }

private:
    int m_schema;
};

// Refuses a value read from a stream that no sound file holds: throws
// ArchiveError naming `what` unless lo <= value <= hi (for a double, also
// unless it is a finite number). Readers check what they can know this way, so that no
// value of a damaged file reaches the code that pages, measures or draws.
void requireInRange(std::int64_t value, std::int64_t lo, std::int64_t hi, const char* what);
void requireFiniteInRange(double value, double lo, double hi, const char* what);

class Archive {
public:
    // An archive that stores into a growing buffer.
    Archive();
    // An archive that loads from the given bytes.
    explicit Archive(QByteArray data);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    const QByteArray& data() const { return m_data; }
    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return remaining() == 0; }

    Archive& operator<<(std::int32_t v);
    Archive& operator<<(std::uint32_t v);
    Archive& operator<<(std::uint16_t v);
    Archive& operator<<(std::uint8_t v);
    Archive& operator<<(float v);
    Archive& operator<<(double v);
    Archive& operator<<(const QString& v);

    Archive& operator>>(std::int32_t& v);
    Archive& operator>>(std::uint32_t& v);
    Archive& operator>>(std::uint16_t& v);
    Archive& operator>>(std::uint8_t& v);
    Archive& operator>>(float& v);
    Archive& operator>>(double& v);
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

    // Reads a schema number and throws SchemaError unless `accepted` says yes.
    template <typename Pred>
    int readSchema(Pred accepted)
    {
        std::int32_t schema = 0;
        *this >> schema;
        if (!accepted(schema))
            throw SchemaError(schema);
        return schema;
    }

private:
    void need(qsizetype n) const;
    void requireStoring() const;
    void requireLoading() const;
    template <typename T> void put(T v);
    template <typename T> T get();

    QByteArray m_data;
    qsizetype m_pos = 0;
    bool m_storing;
};

} // namespace platform
