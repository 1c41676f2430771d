#include "core/model/referencebase.h"

#include "core/geometry/formula.h"
#include "core/model/modelrecord.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>

namespace {

// A second value below this counts as not given.
constexpr double kUnset = 0.000001;
// Values of a variable that findVar takes as equal to a typed number.
constexpr double kFindTolerance = 0.1;

// The leading whole number of a text, as the C library's atoi reads it.
int leadingInt(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || (bytes[i] >= '\t' && bytes[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-'))
        negative = bytes[i++] == '-';
    long long value = 0;
    for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
        value = value * 10 + (bytes[i] - '0');
        if (value > 0x7FFFFFFFLL)
            value = 0x80000000LL;
    }
    return int(negative ? -value : std::min(value, 0x7FFFFFFFLL));
}

} // namespace

CVes_ReferenceBase::CVes_ReferenceBase() = default;

CVes_ReferenceBase::~CVes_ReferenceBase() = default;

void CVes_ReferenceBase::setRecoedDN(CVes_ModelRecord*) {}

CVes_ModelRecord* CVes_ReferenceBase::getRecord()
{
    return nullptr;
}

CVes_ModelRecord* CVes_ReferenceBase::fetchRecord()
{
    if (!m_pRecord)
        m_pRecord = getRecord();
    return m_pRecord;
}

double CVes_ReferenceBase::stepOf(const CVes_Variable& v) const
{
    if (!m_multiVal)
        return 0.0;
    if (m_groupNum > 1)
        return std::fabs(v.m_value - v.m_value2) / (m_groupNum - 1);
    return 1.0;
}

void CVes_ReferenceBase::copyVariables(const VariableArray& from)
{
    VariableArray copies;
    copies.reserve(from.size());
    for (const auto& v : from)
        copies.push_back(std::make_unique<CVes_Variable>(*v));
    m_arrVar = std::move(copies);
}

void CVes_ReferenceBase::appendVariable(const QString& name)
{
    auto v = std::make_unique<CVes_Variable>();
    v->m_text = name;
    v->m_type = CVes_Variable::kStandard;
    m_arrVar.push_back(std::move(v));
}

void CVes_ReferenceBase::setRecordId(CSteelRecordId key)
{
    m_id = key;
    m_pRecord = getRecord();
    if (m_pRecord)
        getVarArrayFromRecord(m_pRecord);
}

void CVes_ReferenceBase::setVarArray(const VariableArray* vars)
{
    if (!vars || vars == &m_arrVar)
        return;
    copyVariables(*vars);
    for (auto& v : m_arrVar)
        applyStep(*v);
}

void CVes_ReferenceBase::synchronizeRecordVar(CVes_ModelRecord* record)
{
    if (CVes_ModelRecord* r = recordOr(record))
        r->SetVarValue(m_arrVar);
}

void CVes_ReferenceBase::getVarArrayFromRecord(CVes_ModelRecord* record)
{
    const CVes_ModelRecord* r = recordOr(record);
    if (!r)
        return;
    copyVariables(r->m_arrVar);
    if (!m_multiVal) {
        for (auto& v : m_arrVar) {
            v->m_value2 = v->m_value;
            v->m_step = 0.0;
        }
    }
}

void CVes_ReferenceBase::refreshVarArrayFromRecord(CVes_ModelRecord* record)
{
    const CVes_ModelRecord* r = recordOr(record);
    if (!r)
        return;
    for (auto& mine : m_arrVar) {
        for (const auto& theirs : r->m_arrVar) {
            if (theirs->m_text != mine->m_text)
                continue;
            mine->m_type = theirs->m_type;
            mine->m_align = theirs->m_align;
            if (theirs->m_type == CVes_Variable::kComputed)
                mine->m_formula = theirs->m_formula;
        }
    }
}

void CVes_ReferenceBase::getRecordExtend(int& width, int& height)
{
    if (const CVes_ModelRecord* r = fetchRecord()) {
        width = r->m_rectW;
        height = r->m_rectH;
    }
}

void CVes_ReferenceBase::Draw(platform::Dc*, platform::COLORREF, platform::COLORREF,
                              platform::COLORREF, int, int, int, const platform::Rect*, int, double)
{
}

void CVes_ReferenceBase::MirrorVer()
{
    Mirror(m_mirror ^ kMirrorTopBottom);
}

void CVes_ReferenceBase::MirrorHor()
{
    Mirror(m_mirror ^ kMirrorLeftRight);
}

void CVes_ReferenceBase::Mirror(unsigned int flags)
{
    if (flags == m_mirror)
        return;
    m_mirror = flags;
    MirrorHook(0);
}

void CVes_ReferenceBase::MirrorHook(int) {}

void CVes_ReferenceBase::setVarValue(const QString& name, const QString& text)
{
    for (auto& v : m_arrVar) {
        if (v->m_text != name)
            continue;
        if (v->m_type == CVes_Variable::kTextKind)
            v->m_formula = text;
        else
            v->m_value = calVarValue(text, CVes_Formula::kValueMode);
        if (!m_multiVal) {
            v->m_step = 0.0;
        } else {
            if (v->m_value2 < kUnset)
                v->m_value2 = v->m_value;
            applyStep(*v);
        }
    }
}

void CVes_ReferenceBase::setVarValue(const QString& name, double value)
{
    for (auto& v : m_arrVar) {
        if (v->m_text != name)
            continue;
        v->m_value = value;
        if (v->m_value2 < kUnset)
            v->m_value2 = value;
        applyStep(*v);
    }
}

void CVes_ReferenceBase::setVarValueE(const QString& name, const QString& text)
{
    for (auto& v : m_arrVar) {
        if (v->m_text != name)
            continue;
        v->m_value2 = calVarValue(text, CVes_Formula::kValueMode);
        applyStep(*v);
    }
}

void CVes_ReferenceBase::setVarValueE(const QString& name, double value)
{
    for (auto& v : m_arrVar) {
        if (v->m_text != name)
            continue;
        v->m_value2 = value;
        applyStep(*v);
    }
}

double CVes_ReferenceBase::getVarValue(const QString& name) const
{
    const CVes_Variable* v = getVar(name);
    return v ? v->m_value : kNoValue;
}

double CVes_ReferenceBase::getVarValueE(const QString& name) const
{
    const CVes_Variable* v = getVar(name);
    return v ? v->m_value2 : kNoValue;
}

QString CVes_ReferenceBase::getVarString(const QString& name) const
{
    for (const auto& v : m_arrVar) {
        if (v->m_text == name && v->m_type == CVes_Variable::kTextKind)
            return v->m_formula;
    }
    return {};
}

void CVes_ReferenceBase::calvarValueD(const QString& name)
{
    if (!m_arrVar.empty() && m_arrVar.front()->m_text == name)
        applyStep(*m_arrVar.front());
}

CVes_Variable* CVes_ReferenceBase::getSelectVar(QPoint point)
{
    if (!fetchRecord())
        return nullptr;
    // Standard variables are never drawn, so nothing of them can be hit.
    const auto drawable = [](const CVes_Variable& v) { return v.m_type != CVes_Variable::kStandard; };
    // A value is clicked where it was drawn: its frame may have moved it
    // beside its side or made it smaller.
    bool drawnAny = false;
    for (auto& v : m_arrVar) {
        if (!drawable(*v) || v->m_drawnBox.isEmpty())
            continue;
        if (v->drawnAt(point))
            return v.get();
        drawnAny = true;
    }
    if (drawnAny)
        return nullptr;
    // Drawn by nothing that kept its box: where the shape places it.
    const double c = getScale();
    using platform::saturatedInt;
    int x = saturatedInt(c * (double(point.x()) - m_drawX));
    int y = saturatedInt(c * (double(point.y()) - m_drawY));
    if (m_mirror & kMirrorTopBottom)
        y = saturatedInt(2.0 * saturatedInt(c * (m_drawRect.Height() / 2)) - y);
    if (m_mirror & kMirrorLeftRight)
        x = saturatedInt(2.0 * saturatedInt(c * (m_drawRect.Width() / 2)) - x);
    for (auto& v : m_arrVar) {
        if (!drawable(*v))
            continue;
        if (v->HitTest(QPoint(x, y), 0, QPoint()))
            return v.get();
    }
    return nullptr;
}

CVes_Variable* CVes_ReferenceBase::getVarByIndex(int& pos)
{
    if (!fetchRecord() || pos < 0 || pos >= int(m_arrVar.size()))
        return nullptr;
    CVes_Variable* chosen = nullptr;
    for (int i = 0; i < int(m_arrVar.size()); ++i) {
        CVes_Variable& v = *m_arrVar[size_t(i)];
        if (!chosen && i >= pos && v.m_type >= CVes_Variable::kGiven) {
            chosen = &v;
            v.m_status = kEditing;
            pos = i;
        } else {
            v.m_status = 0;
        }
    }
    return chosen;
}

CVes_Variable* CVes_ReferenceBase::getUsingVar()
{
    if (!fetchRecord())
        return nullptr;
    for (auto& v : m_arrVar) {
        if (v->m_type > CVes_Variable::kComputed && (v->m_status & kEditing))
            return v.get();
    }
    return nullptr;
}

CVes_Variable* CVes_ReferenceBase::findVar(const QString& text)
{
    if (!fetchRecord())
        return nullptr;
    const double number = leadingInt(text);
    const auto near = [number](double value) { return std::fabs(value - number) < kFindTolerance; };
    for (auto& v : m_arrVar) {
        if (v->m_type == CVes_Variable::kStandard)
            continue;
        if (v->m_formula == text || near(v->m_value) || near(v->m_value2) || near(v->m_step))
            return v.get();
    }
    return nullptr;
}

void CVes_ReferenceBase::keepDrawnPlace(const CVes_ModelRecord& drawn)
{
    m_drawRect = drawn.m_drawnRect;
    m_drawX = drawn.m_drawnAt.x();
    m_drawY = drawn.m_drawnAt.y();
}

double CVes_ReferenceBase::getScale()
{
    return m_pRecord ? m_pRecord->getDrawScale(&m_drawRect) : 0.0;
}

CVes_Variable* CVes_ReferenceBase::getVar(const QString& name) const
{
    for (const auto& v : m_arrVar) {
        if (v->m_text == name)
            return v.get();
    }
    return nullptr;
}

void CVes_ReferenceBase::setVarBig()
{
    for (auto& v : m_arrVar)
        v->m_height += 10;
}

void CVes_ReferenceBase::setVarSmall()
{
    for (auto& v : m_arrVar)
        v->m_height -= 10;
}

void CVes_ReferenceBase::setVarHigh(int height)
{
    if (height <= 0)
        return;
    for (auto& v : m_arrVar)
        v->m_height = height;
}

void CVes_ReferenceBase::setMultiGroup(int count)
{
    m_groupNum = std::min(count, kMaxGroupBars);
    if (m_multiVal) {
        for (auto& v : m_arrVar)
            applyStep(*v);
    }
}

void CVes_ReferenceBase::setMultiVal(int flag)
{
    m_multiVal = flag;
    for (auto& v : m_arrVar) {
        if (flag) {
            applyStep(*v);
        } else {
            v->m_value2 = v->m_value;
            v->m_step = 0.0;
        }
    }
}

void CVes_ReferenceBase::clearVarStatus()
{
    for (auto& v : m_arrVar)
        v->m_status = 0;
}

int CVes_ReferenceBase::isOneSide()
{
    const CVes_ModelRecord* r = fetchRecord();
    return r && r->getSideArraySize() < 2 ? 1 : 0;
}

int CVes_ReferenceBase::isSameVar(const CVes_ReferenceBase* other, int forwards) const
{
    if (!other || other->m_arrVar.size() != m_arrVar.size())
        return 0;
    const size_t n = m_arrVar.size();
    for (size_t i = 0; i < n; ++i) {
        const CVes_Variable& mine = *m_arrVar[i];
        if (mine.m_type <= CVes_Variable::kComputed)
            continue;
        const CVes_Variable& theirs = *other->m_arrVar[forwards ? i : n - 1 - i];
        if (mine.m_value != theirs.m_value)
            return 0;
    }
    return 1;
}

double CVes_ReferenceBase::calVarValue(const QString& text, int mode) const
{
    return CVes_Formula().FormulaValue(text, m_arrVar, mode);
}

int CVes_ReferenceBase::checkFormulaString(const QString& text, QString* message) const
{
    QString reason;
    const int ok = CVes_Formula().checkFormula(text, m_arrVar, reason);
    if (message)
        *message = reason;
    return ok;
}
