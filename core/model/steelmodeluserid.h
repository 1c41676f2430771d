#pragma once
// User shape numbers: a short text of the user's own that stands for a
// library shape's key in a bar row. One list for bar shapes
// (steeluseIdLib.xml) and one for start styles (startuseIdLib.xml), both in
// the data folder.

#include "core/model/steelrecordid.h"

#include <QString>
#include <memory>
#include <vector>

class CVes_SteelModelUserId {
public:
    CVes_SteelModelUserId() = default;
    CVes_SteelModelUserId(CSteelRecordId key, const QString& useId) : m_recordId(key), m_useId(useId) {}
    CVes_SteelModelUserId(const CVes_SteelModelUserId&) = default;
    CVes_SteelModelUserId& operator=(const CVes_SteelModelUserId&) = default;
    virtual ~CVes_SteelModelUserId() = default;

    CSteelRecordId getRecordId() const { return m_recordId; }
    QString getUseId() const { return m_useId; }

    CSteelRecordId m_recordId;
    QString m_useId;
};

class CVes_SteelModelUserIdLib {
public:
    CVes_SteelModelUserIdLib() = default;
    CVes_SteelModelUserIdLib(const CVes_SteelModelUserIdLib&) = delete;
    CVes_SteelModelUserIdLib& operator=(const CVes_SteelModelUserIdLib&) = delete;
    virtual ~CVes_SteelModelUserIdLib() = default;

    void removeAll() { m_entries.clear(); }

    // Gives the shape `key` the number `useId`. Answers 1 when the list now
    // holds it (or the shape's entry went because the number is empty); 0
    // when the number belongs to another shape and `force` is 0, or the shape
    // has this number already and `force` is 0. With `force` 1 a number taken
    // by another shape moves to `key`, and `key`'s former number goes.
    int addRecord(CSteelRecordId key, const QString& useId, int force);

    // The key of the shape with the number, else the null key. An empty
    // number stands for no shape.
    CSteelRecordId getRecordId(const QString& useId) const;
    // The number of the shape, else an empty text.
    QString getUseId(CSteelRecordId key) const;
    // The entries (owned by the list), else null.
    CVes_SteelModelUserId* getModelUserId(const QString& useId) const;
    CVes_SteelModelUserId* getModelUserId(CSteelRecordId key) const;

    const std::vector<std::unique_ptr<CVes_SteelModelUserId>>& entries() const { return m_entries; }

    // Reads the list from the file at `path` (empty: the bar-shape file, or
    // for readStartFile the start-style file), replacing what was held. A
    // missing, unreadable or damaged file leaves the list empty; one that is
    // there but cannot be read is never written over by this list.
    bool readFile(const QString& path = QString());
    bool readStartFile(const QString& path = QString());
    // Reads the start-style (`start`) or bar-shape list for a change the
    // user is about to make: a file that is there but cannot be read is
    // reported with where it is, and the answer is false.
    bool readForChange(bool start);
    // Writes the list; answers whether the file was written.
    bool writeFile(const QString& path = QString()) const;
    bool writeStartFile(const QString& path = QString()) const;

    static QString steelFilePath();
    static QString startFilePath();

private:
    using Entries = std::vector<std::unique_ptr<CVes_SteelModelUserId>>;
    Entries::const_iterator findKey(CSteelRecordId key) const;
    Entries::const_iterator findUseId(const QString& useId) const;

    Entries m_entries;
    QString m_unreadable; // the file that was there but could not be read
};
