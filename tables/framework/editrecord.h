#pragma once
// The values the user entered recently into table cells, offered again by the
// record dialog of the table views. Each kind of cell (category) has its own
// list, most recent first and without repeats; they live for the program's
// run and the first 17 of each list are kept in "userdata/user_EditRecord.dat".
//
// The file is GBK text with CR LF line ends: a marker line "##1##" to "##8##"
// starts a section, every following line is one value of it. Sections 1 to 6
// are categories 1 to 6, section 7 is shared by every other category, and
// section 8 is carried through unchanged (no category writes it).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

class CVes_EditRecordStore {
public:
    // The number of values of a list that the file keeps.
    static constexpr int kSavedPerList = 17;

    // The values of the category's list, most recent first.
    const QStringList& values(int category) const;
    // The list read from section 8.
    const QStringList& carried() const { return m_lists[kCarried]; }

    // Moves `value` to the front of the category's list (adding it when new).
    // Nothing happens for a value that the file cannot hold: an empty one,
    // one with a line break, one that reads as a marker line or one with a
    // character outside GBK.
    void record(const QString& value, int category);
    // Removes `value` from the category's list; nothing for an empty value.
    void remove(const QString& value, int category);
    void clear();

    // Whether the file can hold `value` as one value.
    static bool canStore(const QString& value);

    // The file's bytes for the lists, and the lists read from such bytes (the
    // lists read replace the old ones; lines before the first marker and
    // empty lines are skipped; a repeated value keeps its first place).
    QByteArray toBytes() const;
    void fromBytes(const QByteArray& bytes);

    // Loads from and saves to the default file; `path` for another one.
    // A folder that cannot be made or a file that cannot be read leaves the
    // lists as they are and answers false; no message is shown beyond the
    // folder's own.
    bool load();
    bool load(const QString& path);
    bool save() const;
    bool save(const QString& path) const;

    // "<data folder>userdata/user_EditRecord.dat".
    static QString defaultPath();

private:
    static constexpr int kShared = 6;
    static constexpr int kCarried = 7;
    static int listIndex(int category);

    std::array<QStringList, 8> m_lists;
};

// The tables library's one store.
CVes_EditRecordStore& editRecordStore();

// The store as the views and the program reach it.
// Appends the category's values to `out`, most recent first.
void table_getEditRecordArray(QStringList& out, int category);
// Records `value` as the category's most recent one.
void table_setEditRecordArray(const QString& value, int category);
// Removes `value` from the category's list.
void table_delEditRecordArray(const QString& value, int category);
