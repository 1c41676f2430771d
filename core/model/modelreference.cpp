#include "core/model/modelreference.h"
#include "core/model/barlimits.h"

#include "core/model/modelrecord.h"
#include "core/model/recordcache.h"
#include "core/model/shapebitmap.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/saturate.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace {

// Sub-libraries whose bars always carry the record's intermediate connections.
bool takesRecordMidConnects(int mainId)
{
    return mainId == 109 || mainId == 110;
}

// Holds the lock of the cache of used shapes: while it is held, no other
// thread fetches from the cache, and so none rewrites a cached record.
std::unique_lock<std::recursive_mutex> lockModelCache()
{
    return std::unique_lock(useModelCache().mutex());
}

// Smallest stored size of a variable and of an intermediate connection, so
// that a damaged count is refused before anything is read.
constexpr qsizetype kMinVariableBytes = 60;
constexpr qsizetype kMinMidConnectBytes = 20;

void readVariables(platform::Archive& ar, VariableArray& out)
{
    const int count = ar.readIntCount(kMinVariableBytes);
    VariableArray loaded;
    loaded.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        auto v = std::make_unique<CVes_Variable>();
        v->Serialize(ar);
        loaded.push_back(std::move(v));
    }
    out = std::move(loaded);
}

void writeVariables(platform::Archive& ar, const VariableArray& vars)
{
    ar << std::int32_t(vars.size());
    for (const auto& v : vars)
        v->Serialize(ar);
}

} // namespace

bool isPlaceholderRecord(const CVes_ModelRecord& record)
{
    return record.m_arrSide.empty() && record.m_arrText.size() == 1
        && record.m_arrText.front()->m_text == placeholderText(record.getID());
}

CVes_ModelRecordArrayEx& CVes_ModelReference::m_arrUseModel = useModelCache();
CVes_ModelRecordArrayEx& CVes_ModelReference::m_arrUseStart = useStartCache();

CVes_ModelReference::CVes_ModelReference() : CVes_ModelReference(kShapeType)
{
    m_groupNum = 2;
}

CVes_ModelReference::CVes_ModelReference(unsigned int type)
{
    m_type = type;
    m_groupNum = 1;
    m_connectRight.flag = 0;
    m_pRecord = getRecord();
}

CVes_ModelReference::CVes_ModelReference(const CVes_ModelReference& other) : CVes_ModelReference()
{
    m_type = other.m_type;
    set(&other);
}

CVes_ModelReference& CVes_ModelReference::operator=(const CVes_ModelReference& other)
{
    set(&other);
    return *this;
}

CVes_ModelReference::~CVes_ModelReference() = default;

CVes_ModelRecord* CVes_ModelReference::getRecord()
{
    if (m_pPrivateRecord)
        return m_pPrivateRecord.get();
    return getRecordFromLib();
}

CVes_ModelRecord* CVes_ModelReference::getRecordFromLib()
{
    switch (m_type) {
    case kShapeType:
        return getUseModelRecord(m_id);
    case kStartType:
        return getUseModelRecordOfStart(m_id);
    default:
        return nullptr;
    }
}

void CVes_ModelReference::keepPrivateCopyIfWanted()
{
    // A placeholder is never kept: the bar keeps its key, so that the real
    // shape comes back where the library holds it.
    if (!m_pRecord || m_pPrivateRecord || !m_id.isUseLib() || isPlaceholderRecord(*m_pRecord))
        return;
    if (Info_UserCustomSteelRecordType() != 0)
        return;
    m_pPrivateRecord = std::make_unique<CVes_ModelRecord>(*m_pRecord);
    m_pRecord = m_pPrivateRecord.get();
}

void CVes_ModelReference::copyMidConnects(const std::vector<std::unique_ptr<CVes_MidConnect>>& from)
{
    std::vector<std::unique_ptr<CVes_MidConnect>> copies;
    for (const auto& mid : from)
        copies.push_back(std::make_unique<CVes_MidConnect>(*mid));
    m_arrMidConnect = std::move(copies);
}

void CVes_ModelReference::takeRecordMidConnects(const CVes_ModelRecord& record)
{
    m_defaultMidConnect = record.m_defaultMidConnect;
    copyMidConnects(record.m_arrMidConnect);
}

void CVes_ModelReference::setRecordId(CSteelRecordId key)
{
    const auto lock = lockModelCache();
    m_id = key;
    m_pPrivateRecord.reset();
    m_pRecord = getRecordFromLib();
    if (!m_pRecord)
        return;
    keepPrivateCopyIfWanted();
    Mirror(0);
    getVarArrayFromRecord(m_pRecord);
    const CVes_ModelRecord& record = *m_pRecord;
    m_outDim = record.m_outDim;
    m_stirrup = record.m_stirrup;
    m_barGroup = record.m_barGroup;
    m_arrMidConnect.clear();
    if (m_barGroup || takesRecordMidConnects(key.m_mainId))
        takeRecordMidConnects(record);
    if (record.m_hookLeft.enabled)
        getHookFromRecord(m_pRecord);
}

void CVes_ModelReference::set(const CVes_ModelReference* other)
{
    if (!other || other == this)
        return;
    m_connectLeft = other->m_connectLeft;
    m_connectRight = other->m_connectRight;
    m_defaultMidConnect = other->m_defaultMidConnect;
    m_outDim = other->m_outDim;
    m_stirrup = other->m_stirrup;
    m_barGroup = other->m_barGroup;
    m_process = other->m_process;
    m_actualMeasure = other->m_actualMeasure;
    m_multiVal = other->m_multiVal;
    m_groupNum = other->m_groupNum;

    if (other->m_pPrivateRecord) {
        m_id = other->m_id;
        if (!m_pPrivateRecord)
            m_pPrivateRecord = std::make_unique<CVes_ModelRecord>();
        *m_pPrivateRecord = *other->m_pPrivateRecord;
        m_pRecord = m_pPrivateRecord.get();
    } else if (!m_id.isUseLib()) {
        m_id = other->m_id;
        // A private copy of the old shape must not outlive the key it was for.
        m_pPrivateRecord.reset();
        m_pRecord = other->m_pRecord;
    } else {
        setRecordId(other->m_id);
    }

    Mirror(other->m_mirror);
    setVarArray(&other->m_arrVar);
    m_hookLeft = other->m_hookLeft;
    m_hookRight = other->m_hookRight;
    copyMidConnects(other->m_arrMidConnect);
}

void CVes_ModelReference::setVarArray(const VariableArray* vars)
{
    if (vars && vars != &m_arrVar)
        copyVariables(*vars);
}

void CVes_ModelReference::MirrorHook(int which)
{
    const auto turn = [](CVes_Hook& hook) { hook.param = hook.param == 16 ? 8 : 16; };
    if (which != 2)
        turn(m_hookLeft);
    if (which != 1)
        turn(m_hookRight);
}

void CVes_ModelReference::calvarValueD(const QString& name)
{
    CVes_ReferenceBase::calvarValueD(name);
}

void CVes_ModelReference::getHookFromRecord(CVes_ModelRecord* record)
{
    if (const CVes_ModelRecord* r = recordOr(record)) {
        m_hookLeft = r->m_hookLeft;
        m_hookRight = r->m_hookRight;
    }
}

void CVes_ModelReference::setRecordHook(CVes_ModelRecord* record)
{
    if (CVes_ModelRecord* r = recordOr(record)) {
        r->m_hookLeft = m_hookLeft;
        r->m_hookRight = m_hookRight;
    }
}

CVes_MidConnect* CVes_ModelReference::getFirstMidConnect()
{
    if (m_arrMidConnect.empty())
        m_arrMidConnect.push_back(std::make_unique<CVes_MidConnect>());
    return m_arrMidConnect.front().get();
}

CVes_MidConnect* CVes_ModelReference::getSecendMidConnect()
{
    getFirstMidConnect();
    if (m_arrMidConnect.size() < 2)
        m_arrMidConnect.push_back(std::make_unique<CVes_MidConnect>());
    return m_arrMidConnect[1].get();
}

void CVes_ModelReference::calMidConnectNum()
{
    for (auto& mid : m_arrMidConnect)
        mid->valueA = platform::saturatedInt(calVarValue(mid->countText, 0));
}

void CVes_ModelReference::setMidConnectDingChi(int length)
{
    for (auto& mid : m_arrMidConnect)
        mid->fixedLength = length;
}

void CVes_ModelReference::setMideConnect(const CVes_MidConnect& midConnect)
{
    for (auto& mid : m_arrMidConnect)
        *mid = midConnect;
}

void CVes_ModelReference::resetMidConnectArray(CVes_ModelRecord* record)
{
    const CVes_ModelRecord* r = recordOr(record);
    if (!r)
        return;
    m_barGroup = r->m_barGroup;
    takeRecordMidConnects(*r);
}

void CVes_ModelReference::setVarZero()
{
    for (auto& v : m_arrVar) {
        if (v->m_type == CVes_Variable::kGiven)
            v->m_value = v->m_value2 = v->m_step = 0.0;
    }
}

void CVes_ModelReference::setRecordParameter(CVes_ModelRecord* record)
{
    CVes_ModelRecord* r = recordOr(record);
    if (!r)
        return;
    r->Mirror(m_mirror);
    r->m_pConnectLeft = &m_connectLeft;
    r->m_pConnectRight = &m_connectRight;
    r->m_outDim = m_outDim;
    r->m_multiVal = m_multiVal;
    r->m_defaultMidConnect = m_defaultMidConnect;
    r->m_hookLeft = m_hookLeft;
    r->m_hookRight = m_hookRight;
}

std::unique_ptr<CVes_ModelRecord> CVes_ModelReference::copyRecordInUse()
{
    const auto lock = lockModelCache();
    m_pRecord = getRecord();
    if (!m_pRecord)
        return nullptr;
    return std::make_unique<CVes_ModelRecord>(*m_pRecord);
}

int CVes_ModelReference::sideCountInUse()
{
    const auto lock = lockModelCache();
    m_pRecord = getRecord();
    return m_pRecord ? m_pRecord->getSideArraySize() : -1;
}

std::unique_ptr<CVes_ModelRecord> CVes_ModelReference::makeWorkingRecord()
{
    std::unique_ptr<CVes_ModelRecord> work = copyRecordInUse();
    if (!work)
        return nullptr;
    refreshVarArrayFromRecord(work.get());
    setRecordParameter(work.get());
    synchronizeRecordVar(work.get());
    setRecoedDN(work.get());
    work->calculateVarValue();
    return work;
}

bool CVes_ModelReference::isShapeMissing()
{
    if (m_id.isNull())
        return false;
    const auto lock = lockModelCache();
    const CVes_ModelRecord* record = getRecord();
    return !record || isPlaceholderRecord(*record);
}

void CVes_ModelReference::Draw(platform::Dc* dc, platform::COLORREF colour1,
                               platform::COLORREF colour2, platform::COLORREF colour3, int x, int y,
                               int, const platform::Rect* rect, int showName, double ratio)
{
    std::unique_ptr<CVes_ModelRecord> work = makeWorkingRecord();
    if (!work)
        return;
    m_mapRatio = ratio;
    m_drawX = x;
    m_drawY = y;
    m_drawRect = rect ? *rect : platform::Rect();
    // The style belongs to this drawing only: other bars of the shape keep
    // the record's own.
    if (!m_process)
        work->setSteelLineStyle(3);
    else if (m_actualMeasure)
        work->setSteelLineStyle(2);
    work->Draw(dc, colour1, colour2, colour3, x, y, int(m_mirror), rect, showName,
               platform::saturatedInt(ratio), -1.0);
    // Where the shape went (smaller than the cell where its texts needed
    // room) and what each variable showed, so that a click finds it where
    // it was drawn.
    keepDrawnPlace(*work);
    for (auto& mine : m_arrVar) {
        if (const CVes_Variable* drawn = work->getVar(mine->m_text)) {
            mine->m_drawn = drawn->m_drawn;
            mine->m_drawnBox = drawn->m_drawnBox;
        }
    }
}

void CVes_ModelReference::ToBitmap(platform::Bitmap& bitmap, int width, int height,
                                   platform::Dc* dc)
{
    if (std::unique_ptr<CVes_ModelRecord> work = makeWorkingRecord())
        ModelRecordToBitmap(bitmap, work.get(), width, height, dc, m_mirror);
}

void CVes_ModelReference::deleteUseModelArray()
{
    clearTheUseRecordArray();
}

void CVes_ModelReference::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(8) << m_id.m_mainId << m_id.m_recordNo;
        m_hookLeft.Serialize(ar);
        m_hookRight.Serialize(ar);
        m_connectLeft.Serialize(ar);
        m_connectRight.Serialize(ar);
        m_defaultMidConnect.Serialize(ar);
        ar << m_outDim << m_process << m_actualMeasure << m_groupNum << m_multiVal << m_stirrup
           << m_barGroup << std::uint32_t(m_mirror);
        writeVariables(ar, m_arrVar);
        ar << std::int32_t(m_arrMidConnect.size());
        for (auto& mid : m_arrMidConnect)
            mid->Serialize(ar);
        const bool keep = m_pPrivateRecord && !isPlaceholderRecord(*m_pPrivateRecord);
        ar << std::int32_t(keep ? 1 : 0);
        if (keep)
            m_pPrivateRecord->Serialize(ar);
        return;
    }
    m_arrMidConnect.clear();
    m_pPrivateRecord.reset();
    m_pRecord = nullptr;
    const int schema = ar.readSchema(1, 8);
    loadFields(ar, schema);
    afterLoad(schema);
}

void CVes_ModelReference::loadFields(platform::Archive& ar, int schema)
{
    ar >> m_id.m_mainId >> m_id.m_recordNo;
    m_hookLeft.Serialize(ar);
    m_hookRight.Serialize(ar);
    if (schema >= 2) {
        m_connectLeft.Serialize(ar);
        m_connectRight.Serialize(ar);
    }
    if (schema >= 4)
        m_defaultMidConnect.Serialize(ar);
    if (schema >= 3) {
        ar >> m_outDim >> m_process >> m_actualMeasure >> m_groupNum >> m_multiVal;
        if (schema >= 5)
            ar >> m_stirrup;
        if (schema >= 6)
            ar >> m_barGroup;
        std::uint32_t mirror = 0;
        ar >> mirror;
        m_mirror = mirror;
        barlimits::requireStored(barlimits::kGroups, m_groupNum);
    }
    readVariables(ar, m_arrVar);
    if (schema >= 7) {
        const int count = ar.readIntCount(kMinMidConnectBytes);
        for (int i = 0; i < count; ++i) {
            auto mid = std::make_unique<CVes_MidConnect>();
            mid->Serialize(ar);
            m_arrMidConnect.push_back(std::move(mid));
        }
    }
    if (schema == 8) {
        std::int32_t hasPrivate = 0;
        ar >> hasPrivate;
        if (hasPrivate == 1) {
            auto record = std::make_unique<CVes_ModelRecord>();
            record->Serialize(ar);
            // A stand-in for a missing shape, stored by an older version, is
            // dropped: the key finds the real shape where the library has it.
            if (!isPlaceholderRecord(*record))
                m_pPrivateRecord = std::move(record);
        }
    }
}

void CVes_ModelReference::afterLoad(int schema)
{
    const auto lock = lockModelCache();
    m_pRecord = getRecord();
    if (const CVes_ModelRecord* record = m_pRecord) {
        if (schema < 4)
            m_defaultMidConnect = record->m_defaultMidConnect;
        if (schema < 5)
            m_stirrup = record->m_stirrup;
        if (schema < 6)
            m_barGroup = record->m_barGroup;
    }
    if (schema <= 6)
        m_arrMidConnect.push_back(std::make_unique<CVes_MidConnect>(m_defaultMidConnect));
    if (schema == 7 && m_pRecord && (m_barGroup || takesRecordMidConnects(m_id.m_mainId))
        && m_arrMidConnect.size() != m_pRecord->m_arrMidConnect.size())
        copyMidConnects(m_pRecord->m_arrMidConnect);
    keepPrivateCopyIfWanted();
    // The standard lengths every bar carries, added when the file lacks
    // them; one walk over the variables finds those it has.
    static const QString kStandard[] = {QStringLiteral("lle"), QStringLiteral("lae"),
                                        QStringLiteral("la"), QStringLiteral("bhc")};
    bool present[std::size(kStandard)] = {};
    for (const auto& v : m_arrVar) {
        for (std::size_t i = 0; i < std::size(kStandard); ++i)
            present[i] = present[i] || v->m_text == kStandard[i];
    }
    for (std::size_t i = 0; i < std::size(kStandard); ++i) {
        if (!present[i])
            appendVariable(kStandard[i]);
    }
}

// start styles

CVes_SteelStartReference::CVes_SteelStartReference()
{
    m_groupNum = 0;
    m_pRecord = getRecord();
}

CVes_SteelStartReference::CVes_SteelStartReference(const CVes_SteelStartReference& other)
    : CVes_SteelStartReference()
{
    set(&other);
}

CVes_SteelStartReference& CVes_SteelStartReference::operator=(const CVes_SteelStartReference& other)
{
    set(&other);
    return *this;
}

CVes_SteelStartReference::~CVes_SteelStartReference() = default;

CVes_ModelRecord* CVes_SteelStartReference::getRecord()
{
    return getUseStartRecord(m_id);
}

void CVes_SteelStartReference::set(const CVes_SteelStartReference* other)
{
    if (!other || other == this)
        return;
    CVes_ReferenceBase::setVarArray(&other->m_arrVar);
    m_id = other->m_id;
    m_pRecord = other->m_pRecord;
}

void CVes_SteelStartReference::Draw(platform::Dc* dc, platform::COLORREF colour1,
                                    platform::COLORREF colour2, platform::COLORREF colour3, int x,
                                    int y, int, const platform::Rect* rect, int showName,
                                    double ratio)
{
    std::unique_ptr<CVes_ModelRecord> work;
    {
        std::lock_guard lock(useStartCache().mutex());
        m_pRecord = getRecord();
        if (!m_pRecord)
            return;
        work = std::make_unique<CVes_ModelRecord>(*m_pRecord);
    }
    m_mapRatio = ratio;
    m_drawX = x;
    m_drawY = y;
    m_drawRect = rect ? *rect : platform::Rect();
    synchronizeRecordVar(work.get());
    work->Draw(dc, colour1, colour2, colour3, x, y, int(m_mirror), rect, showName,
               platform::saturatedInt(ratio), -1.0);
    keepDrawnPlace(*work);
}

void CVes_SteelStartReference::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(1) << m_id.m_mainId << m_id.m_recordNo;
        writeVariables(ar, m_arrVar);
        return;
    }
    ar.readSchema(1, 1);
    ar >> m_id.m_mainId >> m_id.m_recordNo;
    readVariables(ar, m_arrVar);
    m_pRecord = getRecord();
}
