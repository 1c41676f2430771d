#pragma once
// The shape libraries: named sub-libraries of records, the system and user
// main libraries with their ".jlb" files, the start-style library, and a
// flat list of records.

#include "core/model/modelrecord.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CVes_ModelRecordSubLib {
public:
    CVes_ModelRecordSubLib() = default;
    explicit CVes_ModelRecordSubLib(const QString& name) : m_name(name) {}
    explicit CVes_ModelRecordSubLib(const CVes_ModelRecordSubLib* other) { copy(other); }
    virtual ~CVes_ModelRecordSubLib() = default;

    void changName(const QString& name) { m_name = name; }
    QString name() const { return m_name; }
    int MainId() const { return m_mainId; }
    std::vector<std::unique_ptr<CVes_ModelRecord>>& getModelArray() { return m_records; }
    const std::vector<std::unique_ptr<CVes_ModelRecord>>& getModelArray() const { return m_records; }

    void removeAllModel() { m_records.clear(); }
    // Adds a copy under the smallest free number from 1, unless an equal
    // record is there already; answers the key either way.
    CSteelRecordId Add_Copy(const CVes_ModelRecord* record);
    void Append(const CVes_ModelRecordSubLib* other);
    void copy(const CVes_ModelRecordSubLib* other);
    CVes_ModelRecord* getModel(CSteelRecordId key) const;
    void delete_Copy(CSteelRecordId key);
    void changeMainId(int id);

    void Serialize(platform::Archive& ar);

private:
    class Index;
    CSteelRecordId addCopy(const CVes_ModelRecord& record, Index& index);

    int m_mainId = 0;
    QString m_name;
    std::vector<std::unique_ptr<CVes_ModelRecord>> m_records;
};

using SubLibArray = std::vector<std::unique_ptr<CVes_ModelRecordSubLib>>;

class CVes_ModelRecordMainLib {
public:
    static constexpr int m_SysStartIndex = 101;
    static constexpr int m_UseStartIndex = 201;

    CVes_ModelRecordMainLib() = default;
    virtual ~CVes_ModelRecordMainLib() = default;

    SubLibArray& getSyslibArray() { return m_sysLibs; }
    SubLibArray& getUselibArray() { return m_useLibs; }
    void removeAllSubLib();

    void setVer(int a, int b, int c) { m_ver[0] = a, m_ver[1] = b, m_ver[2] = c; }
    void getVer(int& a, int& b, int& c) const { a = m_ver[0], b = m_ver[1], c = m_ver[2]; }

    // Stores or loads the system (isSys nonzero) or the user array. Loading
    // appends to the array; an unknown schema throws platform::SchemaError.
    void Serialize(platform::Archive& ar, int isSys);

    // 1 on success, 0 on failure. A path of five characters or fewer means
    // the default file. Saving is atomic; a file that this library failed
    // to read is never saved over by it.
    virtual int saveLib(const QString& path, int isSys);
    // Appends the file's sub-libraries to the array; a missing or empty file
    // loads nothing and succeeds.
    virtual int loadLib(const QString& path, int isSys);
    // Imports the records of another library file.
    virtual int appendLib(const QString& path, int isSys);
    // Replaces one array with the file's content, only when it loads.
    int restoreLib(const QString& path, int isSys);
    // Whether the side's default file could not be read (damaged, or
    // written by a newer program): it is then never written over, until a
    // library is restored into the side.
    bool isUnreadable(int isSys) const;
    // Copies the default file into the user-data folder (or to `path`).
    void bakLib(const QString& path, int isSys);

    CVes_ModelRecordSubLib* AddNewSubLib(const QString& name, int isSys);
    int removeSubLib(int index, int isSys);
    int removeSubLib(CVes_ModelRecordSubLib* subLib, int isSys);
    void sortSubLib(int isSys);

    // The record of `key`. With loaded 0 the array is read afresh from its
    // file first; otherwise only when the array is empty.
    CVes_ModelRecord* getModel(CSteelRecordId key, int loaded);
    CVes_ModelRecord* getModel(const QString& key, int loaded);
    // Copies of the records named by key texts, appended to `out`.
    void getModelArray(const QStringList& keys, std::vector<std::unique_ptr<CVes_ModelRecord>>* out);

    // The default files.
    static QString sysLibPath();
    static QString useLibPath();

protected:
    SubLibArray& array(int isSys) { return isSys ? m_sysLibs : m_useLibs; }
    virtual QString defaultPath(int isSys) const;
    QString resolve(const QString& path, int isSys) const;
    // Reads `path` into `target`; false on a damaged or unknown file, which
    // is then kept from being written over.
    bool readInto(const QString& path, SubLibArray& target, bool* empty = nullptr);
    void keepFromWriting(const QString& path);
    // Reads the array's default file afresh, replacing what it held.
    void reload(int isSys);
    static int arrayOf(CSteelRecordId key) { return key.m_mainId < m_UseStartIndex ? 1 : 0; }
    // The first record of `key` in the array its main id chooses.
    CVes_ModelRecord* find(CSteelRecordId key);
    // Merges an imported sub-library whose main id the target lacks.
    virtual void appendUnknown(const CVes_ModelRecordSubLib* loaded, int isSys);

    SubLibArray m_sysLibs;
    SubLibArray m_useLibs;
    int m_ver[3] = {2009, 1, 1};
    QSet<QString> m_unreadable;
};

class CVes_ModelStartMainLib : public CVes_ModelRecordMainLib {
public:
    CVes_ModelStartMainLib();

    // The start style of `key`, read afresh from its file.
    CVes_ModelRecord* getStartModel(CSteelRecordId key);

    QString m_sysPath;
    QString m_usePath;

protected:
    QString defaultPath(int isSys) const override;
    void appendUnknown(const CVes_ModelRecordSubLib* loaded, int isSys) override;
};

// A flat list of records.
class CVes_ModelRecordLib {
public:
    virtual ~CVes_ModelRecordLib() = default;

    // An equal record answers its key; otherwise a copy is added (its number
    // raised by 400 when the key is taken).
    CSteelRecordId Add_Copy(const CVes_ModelRecord* record);
    CVes_ModelRecord* getModel(CSteelRecordId key) const;

    std::vector<std::unique_ptr<CVes_ModelRecord>> m_records;
};
