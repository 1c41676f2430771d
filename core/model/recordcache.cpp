#include "core/model/recordcache.h"

#include "core/model/modelrecordlib.h"
#include "envora/rules.h"

CVes_ModelRecord* CVes_ModelRecordArrayEx::find(CSteelRecordId key) const
{
    for (const auto& record : m_records) {
        if (record->getID() == key)
            return record.get();
    }
    return nullptr;
}

CVes_ModelRecord* CVes_ModelRecordArrayEx::add(const CVes_ModelRecord& record)
{
    if (CVes_ModelRecord* held = find(record.getID()))
        return held;
    return append(std::make_unique<CVes_ModelRecord>(record));
}

CVes_ModelRecord* CVes_ModelRecordArrayEx::append(std::unique_ptr<CVes_ModelRecord> record)
{
    m_records.push_back(std::move(record));
    return m_records.back().get();
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
        CVes_ModelRecordMainLib lib;
        if (const CVes_ModelRecord* found = lib.getModel(key, 0))
            record = cache.add(*found);
        else
            return cache.append(placeholder(key));
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
    CVes_ModelRecordMainLib lib;
    const CVes_ModelRecord* found = lib.getModel(key, 0);
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
}

void refreshTheUseRecordArray()
{
    CVes_ModelRecordArrayEx& cache = useModelCache();
    std::lock_guard lock(cache.mutex());
    CVes_ModelRecordMainLib lib;
    // Each library file is read once, when its first record is looked up.
    for (int i = 0; i < cache.size(); ++i) {
        CVes_ModelRecord* record = cache.at(i);
        if (const CVes_ModelRecord* found = lib.getModel(record->getID(), 1))
            record->set(found);
    }
}
