#pragma once
// A small sheet for the table-model tests: rows carry an id and a sort key
// and store both; the sheet stores its rows and its design variables after
// the table part, reading the variables back by appending, as real sheets do.

#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"

#include <QList>
#include <memory>

namespace test {

class KeyLine : public CVes_TableBaseLine {
public:
    KeyLine() = default;
    KeyLine(int id, int key, int rows = 1) : m_id(id), m_key(key) { setRows(rows); }

    void Serialize(platform::Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << std::int32_t(m_id) << std::int32_t(m_key) << std::int32_t(m_rows)
               << std::int32_t(m_lock);
        } else {
            std::int32_t id = 0, key = 0, rows = 0, lock = 0;
            ar >> id >> key >> rows >> lock;
            m_id = id;
            m_key = key;
            m_rows = rows;
            m_lock = lock;
        }
    }
    bool lessthan(CVes_TableBaseLine* const& other) const override
    {
        return m_key < static_cast<const KeyLine*>(other)->m_key;
    }

    int m_id = 0;
    int m_key = 0;
};

class KeyTable : public CVes_TableBase {
public:
    static constexpr int kVersion = 1;

    KeyTable() { m_rowNum = 10; }

    void Serialize(platform::Archive& ar) override
    {
        CVes_TableBase::Serialize(ar);
        if (ar.IsStoring()) {
            ar << std::int32_t(kVersion) << std::int32_t(m_lines.size());
            for (CVes_TableBaseLine* row : std::as_const(m_lines))
                row->Serialize(ar);
            ar << std::int32_t(m_exVars.size());
            for (const auto& variable : m_exVars)
                variable->Serialize(ar);
            return;
        }
        ar.readSchema(kVersion, kVersion);
        const std::int32_t count = ar.readIntCount(16);
        for (std::int32_t i = 0; i < count; ++i) {
            auto row = std::make_unique<KeyLine>();
            row->Serialize(ar);
            appendLine(row.release());
        }
        const std::int32_t variables = ar.readIntCount(32);
        for (std::int32_t i = 0; i < variables; ++i) {
            auto variable = std::make_unique<CVes_Variable>();
            variable->Serialize(ar);
            appendExVar(std::move(variable));
        }
    }
    std::unique_ptr<CVes_TableBase> createEmpty() const override
    {
        return std::make_unique<KeyTable>();
    }

    // The page is padded by `m_pad` empty rows; a page add appends
    // `m_addRows` rows and shows the last page.
    void AddNullLineToEnd() override
    {
        ++m_padCalls;
        for (int i = 0; i < m_pad; ++i) {
            auto* row = new KeyLine(-1, 0);
            row->setNull(1);
            appendLine(row);
            m_pageLines.append(row);
        }
        m_pad = 0;
    }
    void addPage() override
    {
        ++m_addPageCalls;
        for (int i = 0; i < m_addRows; ++i)
            appendLine(new KeyLine(100 + i, 0));
        if (m_addRows > 0)
            endPage();
    }
    void AddUndo() override { ++m_undoSteps; }
    int isCurShapeCol(int column) override
    {
        return (column < 0 ? m_curCol : column) == m_shapeColumn ? 1 : 0;
    }
    int isEditCurCol() override { return m_curCol == m_readOnlyColumn ? 0 : 1; }
    CVes_BarCore* getSteel(int n) override { return n == m_barRow ? m_bar : nullptr; }

    // Rows with the given printed-row counts, ids 1, 2, …
    void addRows(const QList<int>& printedRows)
    {
        for (int rows : printedRows)
            appendLine(new KeyLine(int(m_lines.size()) + 1, 0, rows));
    }
    KeyLine* row(int index) const { return static_cast<KeyLine*>(m_lines.value(index)); }
    QList<int> ids() const
    {
        QList<int> result;
        for (CVes_TableBaseLine* line : m_lines)
            result.append(static_cast<KeyLine*>(line)->m_id);
        return result;
    }
    QList<int> pageIds() const
    {
        QList<int> result;
        for (CVes_TableBaseLine* line : m_pageLines)
            result.append(static_cast<KeyLine*>(line)->m_id);
        return result;
    }

    int m_pad = 0;
    int m_padCalls = 0;
    int m_addRows = 0;
    int m_addPageCalls = 0;
    int m_undoSteps = 0;
    int m_shapeColumn = -2;
    int m_readOnlyColumn = -2;
    CVes_BarCore* m_bar = nullptr;
    int m_barRow = -1;
};

} // namespace test
