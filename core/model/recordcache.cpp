#include "core/model/recordcache.h"

#include "core/model/modelrecordlib.h"
#include "envora/rules.h"

#include <QFile>

#include <sys/stat.h>

namespace {

quint64 keyOf(CSteelRecordId key)
{
    return (quint64(quint32(key.m_mainId)) << 32) | quint32(key.m_recordNo);
}

} // namespace

CVes_ModelRecord* CVes_ModelRecordArrayEx::find(CSteelRecordId key) const
{
    return m_byKey.value(keyOf(key), nullptr);
}

CVes_ModelRecord* CVes_ModelRecordArrayEx::add(const CVes_ModelRecord& record)
{
    if (CVes_ModelRecord* held = find(record.getID()))
        return held;
    return append(std::make_unique<CVes_ModelRecord>(record));
}

CVes_ModelRecord* CVes_ModelRecordArrayEx::append(std::unique_ptr<CVes_ModelRecord> record)
{
    CVes_ModelRecord* added = record.get();
    m_records.push_back(std::move(record));
    const quint64 key = keyOf(added->getID());
    if (!m_byKey.contains(key))
        m_byKey.insert(key, added);
    return added;
}

CVes_ModelRecord* CVes_ModelRecordArrayEx::appendPlaceholder(std::unique_ptr<CVes_ModelRecord> record)
{
    if (m_placeholders >= kMaxPlaceholders)
        return nullptr;
    ++m_placeholders;
    return append(std::move(record));
}

void CVes_ModelRecordArrayEx::clear()
{
    m_byKey.clear();
    m_records.clear();
    m_placeholders = 0;
}

CVes_ModelRecordArrayEx& useModelCache()
{
    static CVes_ModelRecordArrayEx cache;
    return cache;
}

CVes_ModelRecordArrayEx& useStartCache()
{
    static CVes_ModelRecordArrayEx cache;
    return cache;
}

namespace {

// Which file a library was read from, as it was then: a file saved again
// (the program replaces a file whole) or touched by another program shows a
// different stamp.
struct FileStamp {
    QString path;
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    static FileStamp of(const QString& path)
    {
        FileStamp stamp;
        stamp.path = path;
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
            stamp.exists = true;
            stamp.device = info.st_dev;
            stamp.inode = info.st_ino;
            stamp.size = info.st_size;
            stamp.modified = info.st_mtim;
        }
        return stamp;
    }

    bool operator==(const FileStamp& other) const
    {
        return path == other.path && exists == other.exists && device == other.device
            && inode == other.inode && size == other.size
            && modified.tv_sec == other.modified.tv_sec
            && modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The bar-shape libraries as last read, with the stamps of their files, so
// that looking up a key costs a read of a library file only when the file
// has changed since; a key the libraries lack is then known to be missing
// without reading anything. Used under the lock of the cache of used shapes.
class LibrarySnapshot {
public:
    // The library's record of `key`, or null when its library lacks it.
    const CVes_ModelRecord* find(CSteelRecordId key)
    {
        const int isSys = key.m_mainId < CVes_ModelRecordMainLib::m_UseStartIndex ? 1 : 0;
        Part& part = m_parts[isSys];
        const FileStamp now = FileStamp::of(isSys ? CVes_ModelRecordMainLib::sysLibPath()
                                                  : CVes_ModelRecordMainLib::useLibPath());
        if (!part.read || !(part.stamp == now))
            read(isSys, now);
        return part.byKey.value(keyOf(key), nullptr);
    }

    void forget()
    {
        for (int isSys : {0, 1}) {
            m_parts[isSys] = Part();
            array(isSys).clear();
        }
    }

private:
    struct Part {
        bool read = false;
        FileStamp stamp;
        QHash<quint64, const CVes_ModelRecord*> byKey; // the first record of each key
    };

    SubLibArray& array(int isSys)
    {
        return isSys ? m_lib.getSyslibArray() : m_lib.getUselibArray();
    }

    void read(int isSys, const FileStamp& stamp)
    {
        Part& part = m_parts[isSys];
        part = Part();
        array(isSys).clear();
        // A file that cannot be read holds nothing to find.
        if (!m_lib.loadLib(QString(), isSys))
            array(isSys).clear();
        for (const auto& lib : array(isSys)) {
            for (const auto& record : lib->getModelArray()) {
                const quint64 key = keyOf(record->getID());
                if (!part.byKey.contains(key))
                    part.byKey.insert(key, record.get());
            }
        }
        part.read = true;
        part.stamp = stamp;
    }

    CVes_ModelRecordMainLib m_lib;
    Part m_parts[2];
};

LibrarySnapshot& librarySnapshot()
{
    static LibrarySnapshot snapshot;
    return snapshot;
}

void applyDimensionSetting(CVes_ModelRecord* record)
{
    const int dimType = record->m_stirrup == 1 ? Info_GetGuSteelDimType() : Info_GetSteelDimType();
    record->m_outDim = dimType == 0 ? 1 : 0;
}

std::unique_ptr<CVes_ModelRecord> placeholder(CSteelRecordId key)
{
    auto record = std::make_unique<CVes_ModelRecord>();
    record->AddText(placeholderText(key), 700, 150, 80, 6, 0, 0xFFFFFF, 1);
    record->m_id = key;
    return record;
}

} // namespace

QString placeholderText(CSteelRecordId key)
{
    return QString::asprintf("大样编号%d-%d为用户大样，未找到", key.m_mainId, key.m_recordNo);
}

CVes_ModelRecord* getUseModelRecord(CSteelRecordId key)
{
    if (key.isNull())
        return nullptr;
    CVes_ModelRecordArrayEx& cache = useModelCache();
    std::lock_guard lock(cache.mutex());
    CVes_ModelRecord* record = cache.find(key);
    if (!record) {
        if (const CVes_ModelRecord* found = librarySnapshot().find(key))
            record = cache.add(*found);
        else
            return cache.appendPlaceholder(placeholder(key));
    }
    applyDimensionSetting(record);
    return record;
}

CVes_ModelRecord* getUseModelRecordOfStart(CSteelRecordId key)
{
    if (key.isNull())
        return nullptr;
    CVes_ModelRecordArrayEx& cache = useModelCache();
    std::lock_guard lock(cache.mutex());
    if (CVes_ModelRecord* held = cache.find(key))
        return held;
    const CVes_ModelRecord* found = librarySnapshot().find(key);
    return found ? cache.add(*found) : nullptr;
}

CVes_ModelRecord* getUseStartRecord(CSteelRecordId key)
{
    if (key.isNull())
        return nullptr;
    CVes_ModelRecordArrayEx& cache = useStartCache();
    std::lock_guard lock(cache.mutex());
    if (CVes_ModelRecord* held = cache.find(key))
        return held;
    CVes_ModelStartMainLib lib;
    const CVes_ModelRecord* found = lib.getStartModel(key);
    return found ? cache.add(*found) : nullptr;
}

void clearTheUseRecordArray()
{
    CVes_ModelRecordArrayEx& cache = useModelCache();
    std::lock_guard lock(cache.mutex());
    cache.clear();
    librarySnapshot().forget();
}

void refreshTheUseRecordArray()
{
    CVes_ModelRecordArrayEx& cache = useModelCache();
    std::lock_guard lock(cache.mutex());
    // Read afresh, whatever the stamps say: the caller knows the libraries
    // changed.
    LibrarySnapshot& snapshot = librarySnapshot();
    snapshot.forget();
    for (int i = 0; i < cache.size(); ++i) {
        CVes_ModelRecord* record = cache.at(i);
        if (const CVes_ModelRecord* found = snapshot.find(record->getID()))
            record->set(found);
    }
}
