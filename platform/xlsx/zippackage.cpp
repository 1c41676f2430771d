// The package a workbook is (a zip file): its members compressed side by
// side, and the package the spreadsheet library wrote rewritten with our
// own parts put in place of the library's.

#include "platform/xlsx/package.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <future>
#include <optional>
#include <set>

namespace platform::xlsx {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEnd64Signature = 0x06064b50;
constexpr std::uint32_t kEnd64LocatorSignature = 0x07064b50;
constexpr int kLocalHeaderSize = 30;
constexpr int kCentralHeaderSize = 46;
constexpr int kEndSize = 22;

// The zip check sum of the bytes.
std::uint32_t checkSum(const QByteArray& data)
{
    return std::uint32_t(
        crc32_z(0, reinterpret_cast<const Bytef*>(data.constData()), z_size_t(data.size())));
}

// Raw deflate data of one piece; a piece that is not the last ends on a
// whole byte (an empty stored block after it), so that the next piece's data
// can follow it in one stream. Empty when zlib fails.
QByteArray deflatedPiece(const char* data, qsizetype size, bool last)
{
    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&z, uLong(size))) + 16, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = uInt(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int done = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    const bool whole = last ? done == Z_STREAM_END : done == Z_OK && z.avail_in == 0 && z.avail_out > 0;
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    return whole ? out : QByteArray();
}

// Raw deflate data, as a zip member holds it. A big part is compressed in
// pieces side by side; the pieces are cut at fixed places, so the bytes are
// the same on every machine.
QByteArray deflated(const QByteArray& data)
{
    static constexpr qsizetype kPiece = qsizetype(1) << 20;
    const qsizetype pieces = std::max<qsizetype>((data.size() + kPiece - 1) / kPiece, 1);
    const auto piece = [&data, pieces](qsizetype i) {
        const qsizetype from = i * kPiece;
        return deflatedPiece(data.constData() + from, std::min(kPiece, data.size() - from),
                             i + 1 == pieces);
    };
    std::vector<std::future<QByteArray>> later;
    for (qsizetype i = 1; i < pieces; ++i)
        later.push_back(std::async(std::launch::async, piece, i));
    QByteArray out = piece(0);
    bool whole = !out.isEmpty();
    for (auto& next : later) {
        const QByteArray bytes = next.get();
        whole = whole && !bytes.isEmpty();
        out += bytes;
    }
    return whole ? out : QByteArray();
}

std::uint16_t word(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<std::uint16_t>(data.constData() + at);
}

std::uint32_t dword(const QByteArray& data, qsizetype at)
{
    return qFromLittleEndian<std::uint32_t>(data.constData() + at);
}

void putWord(QByteArray& out, std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void putDword(QByteArray& out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putQword(QByteArray& out, std::uint64_t value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

struct Entry {
    QByteArray name;
    qsizetype central = 0; // its record in the central directory
    qsizetype local = 0;   // its local header
};

// What the package's directory says: its members in their order, and where
// each starts.
struct Directory {
    std::vector<Entry> entries;
    std::set<qsizetype> starts; // every member's local header, and the directory's own start

    // Where the member whose header is at `local` ends at the latest.
    qsizetype nextStart(qsizetype local) const { return *starts.upper_bound(local); }
};

// The directory of `package`; nothing when it is not a zip this can read.
// The end record is the last signature of its kind, no comment after it.
std::optional<Directory> readDirectory(const QByteArray& package)
{
    if (package.size() < kEndSize)
        return std::nullopt;
    const qsizetype end = package.size() - kEndSize;
    if (dword(package, end) != kEndSignature || word(package, end + 20) != 0)
        return std::nullopt;
    const std::uint32_t count = word(package, end + 10);
    const std::uint32_t directorySize = dword(package, end + 12);
    const std::uint32_t directory = dword(package, end + 16);
    if (count == 0xFFFF || directory == 0xFFFFFFFFu || qsizetype(directory) + directorySize > end)
        return std::nullopt;

    Directory read;
    read.starts.insert(directory);
    read.entries.reserve(count);
    qsizetype at = directory;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + kCentralHeaderSize > end || dword(package, at) != kCentralSignature)
            return std::nullopt;
        const int nameSize = word(package, at + 28);
        const int extraSize = word(package, at + 30);
        const int commentSize = word(package, at + 32);
        const std::uint32_t local = dword(package, at + 42);
        // Each record, its name, extra field and comment lie inside the directory.
        const qsizetype recordEnd = at + kCentralHeaderSize + nameSize + extraSize + commentSize;
        if (recordEnd > qsizetype(directory) + directorySize || local >= directory)
            return std::nullopt;
        read.entries.push_back({package.mid(at + kCentralHeaderSize, nameSize), at, qsizetype(local)});
        read.starts.insert(local);
        at = recordEnd;
    }
    return read;
}

// Writes a member of our own; `central` gets its directory record. The
// date is the one the library gives its members (1 January 1980).
bool writeMember(QByteArray& out, QByteArray& central, const PackageMember& member, QString* error)
{
    const QByteArray& data = member.data;
    if (member.compressed && data.isEmpty() && member.size > 0) {
        *error = QStringLiteral("a part of the workbook could not be compressed");
        return false;
    }
    if (out.size() > 0xFFFFFFFFll || data.size() > 0xFFFFFFFFll || member.size > 0xFFFFFFFFll) {
        *error = QStringLiteral("the workbook is too large");
        return false;
    }
    const std::uint32_t crc = member.crc;
    const auto offset = std::uint32_t(out.size());
    const std::uint16_t method = member.compressed ? 8 : 0;
    const auto header = [&](QByteArray& to) {
        putWord(to, 20);     // version needed
        putWord(to, 0);      // flags
        putWord(to, method);
        putWord(to, 0);      // time
        putWord(to, 0x21);   // date: 1980-01-01
        putDword(to, crc);
        putDword(to, std::uint32_t(data.size()));
        putDword(to, std::uint32_t(member.size));
        putWord(to, std::uint16_t(member.name.size()));
        putWord(to, 0);      // extra
    };
    putDword(out, kLocalSignature);
    header(out);
    out += member.name;
    out += data;

    putDword(central, kCentralSignature);
    putWord(central, 20);    // made by
    header(central);
    putWord(central, 0);     // comment
    putWord(central, 0);     // disk
    putWord(central, 0);     // internal attributes
    putDword(central, 0);    // external attributes
    putDword(central, offset);
    central += member.name;
    return true;
}

// Copies the library's member as it is, its directory record pointing at
// its new place. The member, its header, name, extra field and data, ends
// before the next one begins (`next`). False when it does not.
bool copyMember(QByteArray& out, QByteArray& central, const QByteArray& package, const Entry& entry,
                qsizetype next)
{
    if (entry.local + kLocalHeaderSize > next || dword(package, entry.local) != kLocalSignature
        || out.size() > 0xFFFFFFFFll)
        return false;
    const qsizetype memberEnd = entry.local + kLocalHeaderSize + word(package, entry.local + 26)
                                + word(package, entry.local + 28) + dword(package, entry.central + 20);
    if (memberEnd > next)
        return false;
    const auto offset = std::uint32_t(out.size());
    out += QByteArrayView(package).sliced(entry.local, next - entry.local);
    const int recordSize = kCentralHeaderSize + word(package, entry.central + 28)
                           + word(package, entry.central + 30) + word(package, entry.central + 32);
    QByteArray record = package.mid(entry.central, recordSize);
    qToLittleEndian(offset, record.data() + 42);
    central += record;
    return true;
}

// The directory and the end records after the members; false, with the
// reason, when the package outgrows what they can say.
bool finishPackage(QByteArray& out, const QByteArray& central, std::uint64_t written, QString* error)
{
    const std::uint64_t centralAt = std::uint64_t(out.size());
    out += central;
    if (centralAt > 0xFFFFFFFFull || central.size() > 0xFFFFFFFFll) {
        *error = QStringLiteral("the workbook is too large");
        return false;
    }
    if (written > 0xFFFE) {
        // More members than the end record counts: the larger end record.
        const std::uint64_t end64 = std::uint64_t(out.size());
        putDword(out, kEnd64Signature);
        putQword(out, 44);
        putWord(out, 45);
        putWord(out, 45);
        putDword(out, 0);
        putDword(out, 0);
        putQword(out, written);
        putQword(out, written);
        putQword(out, std::uint64_t(central.size()));
        putQword(out, centralAt);
        putDword(out, kEnd64LocatorSignature);
        putDword(out, 0);
        putQword(out, end64);
        putDword(out, 1);
    }
    putDword(out, kEndSignature);
    putWord(out, 0);
    putWord(out, 0);
    const auto shortCount = std::uint16_t(std::min<std::uint64_t>(written, 0xFFFF));
    putWord(out, shortCount);
    putWord(out, shortCount);
    putDword(out, std::uint32_t(central.size()));
    putDword(out, std::uint32_t(centralAt));
    putWord(out, 0);
    return true;
}

// The package being rewritten, member by member in the order of the old
// one's directory; the first error is said in `error`.
class Repackaging {
public:
    Repackaging(const QByteArray& package, const std::vector<PackageMember>& replaced,
                const std::vector<PackageMember>& added, QString* error)
        : m_package(package), m_added(added), m_error(error)
    {
        for (const PackageMember& member : replaced)
            m_replacements.emplace(member.name, &member);
        qsizetype expected = package.size();
        for (const auto* members : {&replaced, &added}) {
            for (const PackageMember& member : *members)
                expected += member.data.size() + 2 * (kCentralHeaderSize + member.name.size());
        }
        m_out.reserve(expected);
    }

    // Puts the added members in, the first time only.
    bool addAllOnce()
    {
        if (m_addedYet)
            return true;
        m_addedYet = true;
        for (const PackageMember& member : m_added) {
            if (!writeMember(m_out, m_central, member, m_error))
                return false;
            ++m_written;
        }
        return true;
    }

    // The member given its new bytes, or copied as it is. A member's bytes
    // reach to the next member's header, or to the directory.
    bool rewrite(const Entry& entry, const Directory& directory)
    {
        const auto replacement = m_replacements.find(entry.name);
        if (replacement != m_replacements.end()) {
            if (!writeMember(m_out, m_central, *replacement->second, m_error))
                return false;
            m_replacements.erase(replacement);
        } else if (!copyMember(m_out, m_central, m_package, entry, directory.nextStart(entry.local))) {
            *m_error = QStringLiteral("the workbook written could not be read back");
            return false;
        }
        ++m_written;
        return true;
    }

    // The package written whole; empty when a member to replace was never
    // found or it outgrew what a package can say.
    QByteArray finish()
    {
        if (!m_replacements.empty()) {
            *m_error = QStringLiteral("the workbook written lacks a part");
            return {};
        }
        if (!addAllOnce() || !finishPackage(m_out, m_central, m_written, m_error))
            return {};
        return std::move(m_out);
    }

private:
    const QByteArray& m_package;
    const std::vector<PackageMember>& m_added;
    QString* m_error;
    std::map<QByteArray, const PackageMember*> m_replacements;
    QByteArray m_out;
    QByteArray m_central;
    std::uint64_t m_written = 0;
    bool m_addedYet = false;
};

} // namespace

PackageMember PackageMember::compress(QByteArray name, const QByteArray& bytes)
{
    return {std::move(name), deflated(bytes), checkSum(bytes), bytes.size(), true};
}

PackageMember PackageMember::store(QByteArray name, QByteArray bytes)
{
    const std::uint32_t crc = checkSum(bytes);
    const qint64 size = bytes.size();
    return {std::move(name), std::move(bytes), crc, size, false};
}

QByteArray repackage(const QByteArray& package, const std::vector<PackageMember>& replaced,
                     const QByteArray& dropped, const std::vector<PackageMember>& added,
                     QString* error)
{
    QString reason;
    if (!error)
        error = &reason;
    const std::optional<Directory> directory = readDirectory(package);
    if (!directory) {
        *error = QStringLiteral("the workbook written could not be read back");
        return {};
    }
    Repackaging repackaging(package, replaced, added, error);
    for (const Entry& entry : directory->entries) {
        const bool done = !dropped.isEmpty() && entry.name.startsWith(dropped)
                              ? repackaging.addAllOnce()
                              : repackaging.rewrite(entry, *directory);
        if (!done)
            return {};
    }
    return repackaging.finish();
}

} // namespace platform::xlsx
