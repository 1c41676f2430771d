#pragma once
// A list of recently used files or folders, most recent first, kept in the
// profile under a section with one numbered entry each ("File1", "File2", …
// from an entry format such as "File%d"). Paths are kept as given, compared
// as absolute paths.

#include <QString>
#include <QStringList>

namespace platform {

class RecentFileList {
public:
    // `start` is the number of the first command of the list's menu entries.
    RecentFileList(int start, const QString& section, const QString& entryFormat, int size,
                   int maxDisplayLength);

    int GetSize() const { return m_size; }
    int startId() const { return m_start; }
    // Entry `index` (from 0), or empty.
    QString operator[](int index) const;
    // The entries that are set, most recent first.
    QStringList entries() const { return m_entries; }

    // Puts `path` at the head; an entry of the same path moves there, and
    // the last entry falls off a full list.
    void Add(const QString& path);
    void Remove(int index);

    // The entry as a menu shows it: its path shortened to the display
    // length by leaving out folders in the middle; empty when unset.
    QString GetDisplayName(int index) const;
    // The display names of the entries that are set, in order.
    QStringList displayNames() const;

    void ReadList();
    // Writes the entries and removes the numbered keys of unset ones.
    void WriteList() const;

private:
    QString entryKey(int index) const;

    int m_start;
    QString m_section;
    QString m_entryFormat;
    int m_size;
    int m_maxDisplayLength;
    QStringList m_entries;
};

// Shortens `path` to at most `maxLength` characters by putting "…" for
// folders in the middle; the file name itself is always kept whole.
QString abbreviatePath(const QString& path, int maxLength);

} // namespace platform
