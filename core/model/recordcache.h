#pragma once
// The process-wide caches of the shape records that bars use: one shared copy
// of each record a bar has asked for, read from the library files on the
// first request. A key that no library holds is answered with a placeholder
// that says so, so that tables with another user's shapes still open.
// The caches are guarded by a lock; records handed out stay valid until the
// cache is cleared.

#include "core/model/modelrecord.h"

#include <QHash>

#include <memory>
#include <mutex>
#include <vector>

class CVes_ModelRecordArrayEx {
public:
    // At most this many placeholders are kept between two clearings; a
    // missing key beyond them gets none (its bars draw no shape and still
    // count as missing), so that files naming endless unknown keys cannot
    // make the cache grow without end.
    static constexpr int kMaxPlaceholders = 10000;

    // The first record of `key`, or null.
    CVes_ModelRecord* find(CSteelRecordId key) const;
    // The record of `key` already held, or a copy of `record` appended.
    CVes_ModelRecord* add(const CVes_ModelRecord& record);
    CVes_ModelRecord* append(std::unique_ptr<CVes_ModelRecord> record);
    // Appends a placeholder; null once kMaxPlaceholders are held.
    CVes_ModelRecord* appendPlaceholder(std::unique_ptr<CVes_ModelRecord> record);
    int size() const { return int(m_records.size()); }
    CVes_ModelRecord* at(int index) const { return m_records[size_t(index)].get(); }
    void clear();

    std::recursive_mutex& mutex() const { return m_mutex; }

private:
    std::vector<std::unique_ptr<CVes_ModelRecord>> m_records;
    QHash<quint64, CVes_ModelRecord*> m_byKey; // the first record of each key
    int m_placeholders = 0;
    mutable std::recursive_mutex m_mutex;
};

// Records of the bar-shape libraries (and placeholders).
CVes_ModelRecordArrayEx& useModelCache();
// Records of the start-style libraries.
CVes_ModelRecordArrayEx& useStartCache();

// The record of a bar shape: from the cache, else from the library files,
// else a placeholder. Its out-dimension flag follows the user's setting.
// The library files are read once and read again only when one of them has
// changed, so a bar list full of keys the libraries lack opens quickly.
CVes_ModelRecord* getUseModelRecord(CSteelRecordId key);
// The same for a bar that names a start style by a bar-shape key; no
// placeholder.
CVes_ModelRecord* getUseModelRecordOfStart(CSteelRecordId key);
// The record of a start style, or null.
CVes_ModelRecord* getUseStartRecord(CSteelRecordId key);

// The text a placeholder shows for `key`.
QString placeholderText(CSteelRecordId key);

void clearTheUseRecordArray();
// Brings every cached record up to date with the library files.
void refreshTheUseRecordArray();
