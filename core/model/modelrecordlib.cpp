#include "core/model/modelrecordlib.h"

#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "platform/datarevision.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <algorithm>
#include <unordered_map>

namespace {

// The least number of bytes a stored record or sub-library takes.
constexpr qsizetype kMinItemBytes = 4;

} // namespace

// sub-library

namespace {

// A hash that records equal by isSameRecord share: it mixes only fields that
// the comparison takes exactly (counts, flags, names, positions and points),
// never the angles it compares within a tolerance.
std::size_t recordHash(const CVes_ModelRecord& r)
{
    std::size_t h = qHashMulti(0, r.m_arrLine.size(), r.m_arrArc.size(), r.m_arrCircle.size(),
                               r.m_arrSide.size(), r.m_arrText.size(), r.m_arrVar.size(),
                               r.m_multiVal, r.m_outDim, r.m_stirrup, r.m_barGroup);
    const auto points = [&h](const CVes_Curve& c) {
        h = qHashMulti(h, c.m_type, c.m_P1.m_x, c.m_P1.m_y, c.m_P2.m_x, c.m_P2.m_y);
    };
    for (const auto& side : r.m_arrSide)
        points(*side);
    for (const auto& line : r.m_arrLine)
        points(*line);
    for (const auto& arc : r.m_arrArc)
        points(*arc);
    for (const auto& circle : r.m_arrCircle)
        points(*circle);
    for (const auto& text : r.m_arrText)
        h = qHashMulti(h, text->m_text, text->m_position.m_x, text->m_position.m_y);
    // The first variable (the diameter every record has) is not compared.
    for (std::size_t i = 1; i < r.m_arrVar.size(); ++i) {
        const CVes_Variable& v = *r.m_arrVar[i];
        h = qHashMulti(h, v.m_text, v.m_type, v.m_position.m_x, v.m_position.m_y);
    }
    return h;
}

} // namespace

// What a sub-library holds, looked up by content and by number, so that
// adding many records costs about as much as reading them.
class CVes_ModelRecordSubLib::Index {
public:
    explicit Index(const std::vector<std::unique_ptr<CVes_ModelRecord>>& records)
    {
        for (const auto& record : records)
            remember(record.get());
    }

    const CVes_ModelRecord* sameAs(const CVes_ModelRecord& record) const
    {
        const auto [first, last] = m_byHash.equal_range(recordHash(record));
        for (auto it = first; it != last; ++it) {
            if (it->second->isSameRecord(&record))
                return it->second;
        }
        return nullptr;
    }

    // The smallest record number from 1 that no record has. Numbers are only
    // ever added, so the search goes on from where it stopped last.
    int freeNumber()
    {
        while (m_numbers.contains(m_nextFree))
            ++m_nextFree;
        return m_nextFree;
    }

    void remember(const CVes_ModelRecord* record)
    {
        m_byHash.emplace(recordHash(*record), record);
        m_numbers.insert(record->m_id.m_recordNo);
    }

private:
    std::unordered_multimap<std::size_t, const CVes_ModelRecord*> m_byHash;
    QSet<int> m_numbers;
    int m_nextFree = 1;
};

CSteelRecordId CVes_ModelRecordSubLib::Add_Copy(const CVes_ModelRecord* record)
{
    if (!record)
        return CSteelRecordId::Null();
    Index index(m_records);
    return addCopy(*record, index);
}

CSteelRecordId CVes_ModelRecordSubLib::addCopy(const CVes_ModelRecord& record, Index& index)
{
    if (const CVes_ModelRecord* same = index.sameAs(record))
        return same->getID();
    auto copy = std::make_unique<CVes_ModelRecord>(record);
    copy->m_id = CSteelRecordId(m_mainId, index.freeNumber());
    index.remember(copy.get());
    m_records.push_back(std::move(copy));
    return m_records.back()->getID();
}

void CVes_ModelRecordSubLib::Append(const CVes_ModelRecordSubLib* other)
{
    if (!other || other == this)
        return;
    Index index(m_records);
    for (const auto& record : other->m_records)
        addCopy(*record, index);
}

void CVes_ModelRecordSubLib::copy(const CVes_ModelRecordSubLib* other)
{
    if (!other || other == this)
        return;
    removeAllModel();
    m_mainId = other->m_mainId;
    m_name = other->m_name;
    Append(other);
}

CVes_ModelRecord* CVes_ModelRecordSubLib::getModel(CSteelRecordId key) const
{
    if (key.m_mainId != m_mainId)
        return nullptr;
    for (const auto& record : m_records) {
        if (record->getID() == key)
            return record.get();
    }
    return nullptr;
}

void CVes_ModelRecordSubLib::delete_Copy(CSteelRecordId key)
{
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [key](const auto& r) { return r->getID() == key; });
    if (it != m_records.end())
        m_records.erase(it);
}

void CVes_ModelRecordSubLib::changeMainId(int id)
{
    if (id == m_mainId)
        return;
    m_mainId = id;
    for (auto& record : m_records)
        record->m_id.m_mainId = id;
}

void CVes_ModelRecordSubLib::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << 1 << m_mainId << m_name << int(m_records.size());
        for (auto& record : m_records)
            record->Serialize(ar);
        return;
    }
    ar.readSchema(1, 1);
    ar >> m_mainId >> m_name;
    const int count = ar.readIntCount(kMinItemBytes);
    for (int i = 0; i < count; ++i) {
        auto record = std::make_unique<CVes_ModelRecord>();
        record->Serialize(ar);
        m_records.push_back(std::move(record));
    }
}

// main library

QString CVes_ModelRecordMainLib::sysLibPath()
{
    return GetRODOFilePath() + QStringLiteral("STeelStyleSys.jlb");
}

QString CVes_ModelRecordMainLib::useLibPath()
{
    return GetRODOFilePath() + QStringLiteral("STeelStyleUse.jlb");
}

QString CVes_ModelRecordMainLib::defaultPath(int isSys) const
{
    return isSys ? sysLibPath() : useLibPath();
}

QString CVes_ModelRecordMainLib::resolve(const QString& path, int isSys) const
{
    return path.size() > 5 ? path : defaultPath(isSys);
}

void CVes_ModelRecordMainLib::removeAllSubLib()
{
    m_sysLibs.clear();
    m_useLibs.clear();
}

void CVes_ModelRecordMainLib::Serialize(platform::Archive& ar, int isSys)
{
    SubLibArray& libs = array(isSys);
    if (ar.IsStoring()) {
        ar << 2 << int(libs.size());
        for (auto& lib : libs)
            lib->Serialize(ar);
        ar << m_ver[0] << m_ver[1] << m_ver[2];
        return;
    }
    const int schema = ar.readSchema(1, 2);
    const int count = ar.readIntCount(kMinItemBytes);
    for (int i = 0; i < count; ++i) {
        auto lib = std::make_unique<CVes_ModelRecordSubLib>();
        lib->Serialize(ar);
        libs.push_back(std::move(lib));
    }
    if (schema == 2)
        ar >> m_ver[0] >> m_ver[1] >> m_ver[2];
}

void CVes_ModelRecordMainLib::keepFromWriting(const QString& path)
{
    // Damaged or written by a newer program: either way the file holds what
    // this program cannot see, so it is never written over.
    m_unreadable.insert(QFileInfo(path).absoluteFilePath());
}

bool CVes_ModelRecordMainLib::readInto(const QString& path, SubLibArray& target, bool* empty)
{
    if (empty)
        *empty = false;
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !platform::readFile(path, &bytes))
        return false;
    if (bytes.isEmpty()) {
        if (empty)
            *empty = true;
        return true;
    }
    // Read through a scratch library so that a damaged file changes nothing.
    CVes_ModelRecordMainLib scratch;
    try {
        platform::WaitCursor wait;
        platform::Archive ar(bytes);
        scratch.Serialize(ar, 0);
    } catch (const platform::SchemaError&) {
        keepFromWriting(path);
        return false;
    } catch (const platform::ArchiveError&) {
        keepFromWriting(path);
        return false;
    }
    std::copy(scratch.m_ver, scratch.m_ver + 3, m_ver);
    for (auto& lib : scratch.m_useLibs)
        target.push_back(std::move(lib));
    return true;
}

int CVes_ModelRecordMainLib::saveLib(const QString& path, int isSys)
{
    const QFileInfo info(resolve(path, isSys));
    if (m_unreadable.contains(info.absoluteFilePath()))
        return 0;
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return 0;
    try {
        platform::WaitCursor wait;
        platform::Archive ar;
        Serialize(ar, isSys);
        return platform::saveFile(info.filePath(), ar.data()) ? 1 : 0;
    } catch (const platform::ArchiveError&) {
        return 0;
    }
}

int CVes_ModelRecordMainLib::loadLib(const QString& path, int isSys)
{
    const QString file = resolve(path, isSys);
    if (!QFileInfo::exists(file))
        return 1; // nothing stored yet
    return readInto(file, array(isSys)) ? 1 : 0;
}

void CVes_ModelRecordMainLib::reload(int isSys)
{
    SubLibArray fresh;
    const QString file = defaultPath(isSys);
    if (!QFileInfo::exists(file) || readInto(file, fresh))
        array(isSys) = std::move(fresh);
    platform::noteSharedDataChanged();
}

int CVes_ModelRecordMainLib::appendLib(const QString& path, int isSys)
{
    if (!QFileInfo(path).isFile())
        return 0;
    CVes_ModelRecordMainLib loaded;
    if (!loaded.readInto(path, loaded.m_useLibs))
        return 0;
    for (const auto& lib : loaded.m_useLibs) {
        SubLibArray& target = array(isSys);
        const auto same = std::find_if(target.begin(), target.end(), [&](const auto& t) {
            return t->MainId() == lib->MainId();
        });
        if (same != target.end())
            (*same)->Append(lib.get());
        else
            appendUnknown(lib.get(), isSys);
    }
    return 1;
}

void CVes_ModelRecordMainLib::appendUnknown(const CVes_ModelRecordSubLib* loaded, int)
{
    AddNewSubLib(loaded->name(), 0)->Append(loaded);
}

int CVes_ModelRecordMainLib::restoreLib(const QString& path, int isSys)
{
    if (path.size() < 6)
        return 0;
    SubLibArray fresh;
    bool empty = false;
    if (!readInto(path, fresh, &empty) || empty)
        return 0;
    array(isSys) = std::move(fresh);
    // The side now holds a whole library, which may replace the file.
    m_unreadable.remove(QFileInfo(defaultPath(isSys)).absoluteFilePath());
    return 1;
}

bool CVes_ModelRecordMainLib::isUnreadable(int isSys) const
{
    return m_unreadable.contains(QFileInfo(defaultPath(isSys)).absoluteFilePath());
}

void CVes_ModelRecordMainLib::bakLib(const QString& path, int isSys)
{
    const QString userData = GetRODOFilePath() + QStringLiteral("userdata");
    Ves_CreateDirectory(userData);
    QString target = path;
    if (path.size() < 6) {
        const QString stamp = platform::host().now().toString(QStringLiteral("yyyy_MM_dd_HH_mm"));
        target = userData + (isSys ? QStringLiteral("/系统钢筋库备份_") : QStringLiteral("/用户钢筋库备份_"))
            + stamp + QStringLiteral(".jlb");
    }
    QByteArray bytes;
    if (platform::readFile(defaultPath(isSys), &bytes))
        platform::saveFile(target, bytes);
}

CVes_ModelRecordSubLib* CVes_ModelRecordMainLib::AddNewSubLib(const QString& name, int isSys)
{
    SubLibArray& libs = array(isSys);
    int id = isSys ? m_SysStartIndex : m_UseStartIndex;
    for (const auto& lib : libs) {
        if (lib->MainId() == id)
            ++id;
    }
    // The single pass finds a free id only in an array sorted by id.
    const auto taken = [&libs](int candidate) {
        return std::any_of(libs.begin(), libs.end(),
                           [candidate](const auto& l) { return l->MainId() == candidate; });
    };
    while (taken(id))
        ++id;
    auto lib = std::make_unique<CVes_ModelRecordSubLib>(name);
    lib->changeMainId(id);
    libs.push_back(std::move(lib));
    return libs.back().get();
}

int CVes_ModelRecordMainLib::removeSubLib(int index, int isSys)
{
    SubLibArray& libs = array(isSys);
    if (index < 0 || index >= int(libs.size()))
        return 0;
    libs.erase(libs.begin() + index);
    return 1;
}

int CVes_ModelRecordMainLib::removeSubLib(CVes_ModelRecordSubLib* subLib, int isSys)
{
    SubLibArray& libs = array(isSys);
    const auto it = std::find_if(libs.begin(), libs.end(),
                                 [subLib](const auto& l) { return l.get() == subLib; });
    if (it == libs.end())
        return 0;
    libs.erase(it);
    return 1;
}

void CVes_ModelRecordMainLib::sortSubLib(int isSys)
{
    SubLibArray& libs = array(isSys);
    std::stable_sort(libs.begin(), libs.end(),
                     [](const auto& a, const auto& b) { return a->MainId() < b->MainId(); });
}

CVes_ModelRecord* CVes_ModelRecordMainLib::find(CSteelRecordId key)
{
    for (const auto& lib : array(arrayOf(key))) {
        if (CVes_ModelRecord* record = lib->getModel(key))
            return record;
    }
    return nullptr;
}

CVes_ModelRecord* CVes_ModelRecordMainLib::getModel(CSteelRecordId key, int loaded)
{
    if (key.isNull())
        return nullptr;
    if (!loaded || array(arrayOf(key)).empty())
        reload(arrayOf(key));
    return find(key);
}

CVes_ModelRecord* CVes_ModelRecordMainLib::getModel(const QString& key, int loaded)
{
    return getModel(CSteelRecordId::setId(key), loaded);
}

void CVes_ModelRecordMainLib::getModelArray(const QStringList& keys,
                                            std::vector<std::unique_ptr<CVes_ModelRecord>>* out)
{
    if (!out || keys.isEmpty())
        return;
    reload(1);
    reload(0);
    for (const QString& text : keys) {
        const CSteelRecordId key = CSteelRecordId::setId(text);
        if (key.isNull())
            continue;
        if (const CVes_ModelRecord* record = find(key))
            out->push_back(std::make_unique<CVes_ModelRecord>(*record));
    }
}

// start styles

CVes_ModelStartMainLib::CVes_ModelStartMainLib()
    : m_sysPath(GetRODOFilePath() + QStringLiteral("STeelStartStyleSys.jlb")),
      m_usePath(GetRODOFilePath() + QStringLiteral("STeelStartStyleUser.jlb"))
{
}

QString CVes_ModelStartMainLib::defaultPath(int isSys) const
{
    return isSys ? m_sysPath : m_usePath;
}

void CVes_ModelStartMainLib::appendUnknown(const CVes_ModelRecordSubLib* loaded, int isSys)
{
    array(isSys).push_back(std::make_unique<CVes_ModelRecordSubLib>(loaded));
}

CVes_ModelRecord* CVes_ModelStartMainLib::getStartModel(CSteelRecordId key)
{
    if (key.isNull())
        return nullptr;
    reload(arrayOf(key));
    return find(key);
}

// flat list

CSteelRecordId CVes_ModelRecordLib::Add_Copy(const CVes_ModelRecord* record)
{
    if (!record)
        return CSteelRecordId::Null();
    for (const auto& mine : m_records) {
        if (mine->isSameRecord(record))
            return mine->getID();
    }
    auto copy = std::make_unique<CVes_ModelRecord>(*record);
    if (getModel(record->getID()))
        copy->m_id.m_recordNo += 400;
    m_records.push_back(std::move(copy));
    return m_records.back()->getID();
}

CVes_ModelRecord* CVes_ModelRecordLib::getModel(CSteelRecordId key) const
{
    for (const auto& record : m_records) {
        if (record->getID() == key)
            return record.get();
    }
    return nullptr;
}
