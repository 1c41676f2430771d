#include "tables/framework/sharedrows.h"

#include "platform/archive.h"
#include "tables/framework/tablebaseline.h"

#include <QtGlobal>

#include <exception>

namespace {

// What a state whose row was lost holds: an empty row.
const CVes_TableBaseLine& lostRow()
{
    static const CVes_TableBaseLine empty;
    return empty;
}

} // namespace

SharedRow::SharedRow(Made, CVes_TableBaseLine* shared, std::unique_ptr<CVes_TableBaseLine> own,
                     Copier copier)
    : m_shared(shared), m_own(std::move(own)), m_copier(copier)
{
    if (m_shared) {
        m_shared->m_shared.state = this;
        if (checking())
            m_fingerprint = fingerprint(*m_shared);
    }
}

SharedRow::~SharedRow()
{
    if (m_shared && m_shared->m_shared.state == this)
        m_shared->m_shared.state = nullptr;
    // A row handed over by the sheet still names this state.
    if (m_own && m_own->m_shared.state == this)
        m_own->m_shared.state = nullptr;
}

std::shared_ptr<const SharedRow> SharedRow::of(CVes_TableBaseLine& row, Copier copier)
{
    if (SharedRow* state = row.m_shared.state)
        return state->shared_from_this();
    return std::make_shared<SharedRow>(Made{}, &row, nullptr, copier);
}

std::shared_ptr<const SharedRow> SharedRow::copyOf(const CVes_TableBaseLine& row, Copier copier)
{
    return std::make_shared<SharedRow>(Made{}, nullptr, copier(row), copier);
}

void SharedRow::beforeChange(CVes_TableBaseLine* row)
{
    SharedRow* state = row ? row->m_shared.state : nullptr;
    if (!state)
        return;
    state->m_own = state->m_copier(*row);
    state->m_shared = nullptr;
    row->m_shared.state = nullptr;
}

void SharedRow::change(CVes_TableBaseLine* row, const std::function<void()>& edit)
{
    SharedRow* state = row ? row->m_shared.state : nullptr;
    if (!state) {
        edit();
        return;
    }
    const QByteArray before = fingerprint(*row);
    std::unique_ptr<CVes_TableBaseLine> kept = state->m_copier(*row);
    edit();
    if (fingerprint(*row) == before)
        return;
    state->m_own = std::move(kept);
    state->m_shared = nullptr;
    row->m_shared.state = nullptr;
}

void SharedRow::dispose(CVes_TableBaseLine* row)
{
    if (!row)
        return;
    if (SharedRow* state = row->m_shared.state) {
        state->m_own.reset(row);
        state->m_shared = nullptr;
        return;
    }
    delete row;
}

void SharedRow::destroyed(CVes_TableBaseLine* row)
{
    SharedRow* state = row->m_shared.state;
    row->m_shared.state = nullptr;
    if (!state || state->m_shared != row)
        return;
    state->m_shared = nullptr;
    if (checking())
        qCritical("undo snapshots: a row they share was deleted without being handed to them");
}

const CVes_TableBaseLine& SharedRow::row() const
{
    if (m_own)
        return *m_own;
    return m_shared ? *m_shared : lostRow();
}

bool SharedRow::checking()
{
    static const bool on = qEnvironmentVariableIsSet("RODO_CHECK_SHARED_ROWS");
    return on;
}

void SharedRow::check(qsizetype place) const
{
    if (!checking() || !m_shared)
        return;
    const QByteArray now = fingerprint(*m_shared);
    if (now != m_fingerprint)
        qCritical("undo snapshots: row %lld of a sheet changed while they shared it",
                  (long long)place + 1);
}

QByteArray SharedRow::fingerprint(const CVes_TableBaseLine& row)
{
    platform::Archive ar;
    ar << std::uint32_t(row.m_type) << std::int32_t(row.m_null) << std::int32_t(row.m_show)
       << std::uint32_t(row.m_textColor) << std::int32_t(row.m_lock) << std::int32_t(row.m_rows);
    try {
        // Writing a row reads it only.
        const_cast<CVes_TableBaseLine&>(row).Serialize(ar);
    } catch (const std::exception& e) {
        return ar.data() + QByteArray("unstorable: ") + e.what();
    }
    return ar.data();
}
