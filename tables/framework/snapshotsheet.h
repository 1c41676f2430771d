#pragma once
// What the editable sheets (bar list, quantity sheet, processing sheet) do
// alike with their rows of one line class: undo and redo by whole-sheet
// snapshots, the saved state as the only snapshot, the rows a file holds
// (the empty rows at the end are not stored), copies of rows, and the bar
// of a row. A snapshot shares the rows it did not see change with the sheet
// and the other snapshots (sharedrows.h). `Sheet` derives from this class
// and gives:
//  - a private constructor from `Sheet::Bare` that makes an empty sheet
//    without touching the user's files (a snapshot is made through it; the
//    sheet makes this class its friend),
//  - `copy(const Sheet*)`, which takes another sheet's state,
//  - `takeUndoState(const Sheet&)`, which takes what a snapshot holds
//    besides the rows,
//  - `kColShape`, the column that shows a bar's shape.

#include "tables/framework/sharedrows.h"
#include "tables/framework/snapshothistory.h"

#include "core/geometry/text.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"

#include "platform/archive.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

template <typename Sheet, typename Line, typename Base = CVes_TableBase>
class SnapshotSheet : public Base {
public:
    // Undo steps kept besides the current state.
    static constexpr int kUndoLevels = 8;

    // Records the current state as the newest snapshot.
    void AddUndo() override
    {
        this->noteChange();
        m_history.add(snapshot());
    }
    // Undo and Redo: the sheet shows another state, so the sheets made from
    // it are stale; it counts as changed unless the state is the one last
    // saved or read (whether what else it holds is as saved, only the
    // document can tell, against its file).
    void Undo() override { stepTo(m_history.undo()); }
    void Redo() override { stepTo(m_history.redo()); }
    int CanUndo() override { return m_history.canUndo() ? 1 : 0; }
    int CanRedo() override { return m_history.canRedo() ? 1 : 0; }
    std::size_t undoStepsRecorded() const override { return m_history.added(); }
    void joinNewestUndoSteps(std::size_t steps) override { m_history.joinNewest(steps); }
    // Empties both lists and records the current state as the only snapshot
    // (after a load or a save), the state the file holds.
    // The states before go first, so that the rows they shared are the
    // sheet's own again and the new state takes them as they are now.
    void resetUndo()
    {
        m_history.clear();
        m_history.reset(snapshot());
        m_history.markSaved();
    }
    // Marks the sheet as saved: the changed flag is cleared and the current
    // state becomes the only undo snapshot, so that the first edit after a
    // save can be undone. SaveFile does it; a document that writes the
    // stream itself calls it after writing.
    void setSaved()
    {
        this->m_modified = 0;
        resetUndo();
    }
    // Marks the sheet as saved by an automatic save: the changed flag is
    // cleared, and Undo and Redo keep every step they had; a step away from
    // the state saved makes the sheet changed again.
    void setAutoSaved()
    {
        this->m_modified = 0;
        m_history.markSaved();
    }
    // Also takes the read sheet's undo history (the read state alone).
    void takeOver(CVes_TableBase& loaded) override
    {
        if (&loaded == this)
            return;
        Base::takeOver(loaded);
        m_history = std::move(static_cast<SnapshotSheet&>(loaded).m_history);
    }
    int SaveFile(const QString& path) override
    {
        const int saved = Base::SaveFile(path);
        if (saved)
            setSaved();
        return saved;
    }

    // The bar of row n of the current page; null when there is none.
    CVes_BarCore* getSteel(int n) override
    {
        CVes_TableBaseLine* line = this->getLine(n);
        return line ? line->getSteel() : nullptr;
    }
    double shapeUnitFactor() const override
    {
        return CVes_Template::transUnit(
            CVes_Template::kMillimetre,
            this->m_units.value(Sheet::kColShape, CVes_Template::kMillimetre));
    }
    int isCurShapeCol(int column) override
    {
        if (this->m_curRow < 1)
            return 0;
        return (column < 0 ? this->m_curCol : column) == Sheet::kColShape ? 1 : 0;
    }
    // The row at a table position (0-based over all rows); null outside the
    // table or for a row of another class.
    Line* lineAt(int index) const
    {
        if (index < 0 || index >= this->m_lines.size())
            return nullptr;
        return dynamic_cast<Line*>(this->m_lines[index]);
    }

    // A run of consecutive rows of a state. A state taken while none of a
    // run's rows changed or moved holds the run of the state before, so that
    // taking a state costs what changed, not every row of a long sheet.
    struct RowRun {
        std::vector<std::shared_ptr<const SharedRow>> rows;
    };
    // Rows a run holds, but for the last of a state.
    static constexpr qsizetype kRunRows = 256;
    // One state of the sheet: what it holds besides the rows, in a sheet of
    // no rows, and the rows in runs.
    struct State {
        std::unique_ptr<Sheet> header;
        std::vector<std::shared_ptr<const RowRun>> runs;
    };
    SnapshotHistory<State> m_history;

protected:
    // With `stepDropsRedo` a new step makes the undone steps unreachable.
    explicit SnapshotSheet(bool stepDropsRedo) : m_history(kUndoLevels, stepDropsRedo) {}

    // A new empty sheet to read a file into, with this sheet's zoom, raw
    // stock and design variables: what an older file lacks keeps this
    // sheet's values.
    std::unique_ptr<Sheet> emptyLikeThis() const
    {
        std::unique_ptr<Sheet> fresh(new Sheet(typename Sheet::Bare{}));
        fresh->m_zoom = this->m_zoom;
        fresh->m_yuanCai = this->m_yuanCai;
        for (const auto& variable : this->m_exVars)
            fresh->m_exVars.push_back(std::make_unique<CVes_Variable>(*variable));
        return fresh;
    }

    // What the sheet does once a snapshot was taken back: the selection is
    // emptied and the current page laid out again.
    virtual void afterRestore()
    {
        this->clearSelect();
        if (this->m_curPage >= 0)
            this->refreshCurPage();
    }

    // A copy of a row; a row of another class becomes an empty row. With
    // `keepLook` the copy is shown and coloured as its row (what a snapshot
    // keeps).
    static std::unique_ptr<Line> copyOf(const CVes_TableBaseLine& row, bool keepLook)
    {
        auto line = std::make_unique<Line>();
        line->copy(dynamic_cast<const Line*>(&row));
        if (keepLook) {
            line->setShow(row.getShow());
            line->setTextColor(row.getTextColor());
        }
        return line;
    }
    // Copies of the rows, in order, as copyOf makes them.
    static TableLineList copiesOf(const TableLineList& rows, bool keepLook)
    {
        TableLineList copies;
        copies.reserve(rows.size());
        for (CVes_TableBaseLine* row : rows)
            copies.append(copyOf(*row, keepLook).release());
        return copies;
    }
    // The sheet's rows become copies of the other's, as they were shown.
    void copyLinesOf(const CVes_TableBase& other)
    {
        this->deleteAllLines();
        this->m_lines = copiesOf(other.lines(), true);
    }
    // Appends copies of every row of the other sheet (copies first, so that
    // a sheet can append itself), with one undo step.
    void appendCopiesOf(const CVes_TableBase& other)
    {
        this->appendRows(copiesOf(other.lines(), false));
    }

    // Writes the row count and the rows up to the last that is not empty.
    void storeLines(platform::Archive& ar) const
    {
        qsizetype stored = this->m_lines.size();
        while (stored > 0 && this->m_lines[stored - 1]->isNull())
            --stored;
        ar << std::int32_t(stored);
        for (qsizetype i = 0; i < stored; ++i)
            this->m_lines[i]->Serialize(ar);
    }
    // Reads what storeLines wrote into rows the sheet does not hold yet;
    // `leastBytes` is the fewest bytes a stored row takes, so that a damaged
    // count never allocates beyond the stream.
    static std::vector<std::unique_ptr<Line>> readLines(platform::Archive& ar,
                                                        qsizetype leastBytes)
    {
        std::vector<std::unique_ptr<Line>> rows;
        const std::int32_t count = ar.readIntCount(leastBytes);
        rows.reserve(std::size_t(count));
        for (std::int32_t i = 0; i < count; ++i) {
            auto row = std::make_unique<Line>();
            row->Serialize(ar);
            rows.push_back(std::move(row));
        }
        return rows;
    }
    // The rows read replace the sheet's rows; no page is current and nothing
    // is selected.
    void adoptLines(std::vector<std::unique_ptr<Line>>& rows)
    {
        this->deleteAllLines();
        this->clearSelect();
        this->m_curPage = -1;
        this->m_pages = 1;
        for (auto& row : rows)
            this->m_lines.append(row.release());
        rows.clear();
    }

private:
    static std::unique_ptr<CVes_TableBaseLine> snapshotCopy(const CVes_TableBaseLine& row)
    {
        return copyOf(row, true);
    }

    // The state now. The rows of the current page are copied, since any
    // edit may reach them; every other row is shared. A run of the newest
    // state whose rows are still the sheet's rows at the same places, none
    // changed since, is taken whole.
    std::unique_ptr<State> snapshot()
    {
        auto state = std::make_unique<State>();
        state->header.reset(new Sheet(typename Sheet::Bare{}));
        state->header->takeUndoState(static_cast<const Sheet&>(*this));
        const std::unordered_set<const CVes_TableBaseLine*> page(this->m_pageLines.cbegin(),
                                                                 this->m_pageLines.cend());
        // A page row some state still shares is let go first, so that no run
        // holding it is taken whole.
        for (CVes_TableBaseLine* row : std::as_const(this->m_pageLines))
            SharedRow::beforeChange(row);
        const State* newest = m_history.newest();
        const qsizetype count = this->m_lines.size();
        state->runs.reserve(std::size_t((count + kRunRows - 1) / kRunRows));
        for (qsizetype first = 0; first < count; first += kRunRows) {
            const qsizetype size = std::min(kRunRows, count - first);
            const std::size_t index = std::size_t(first / kRunRows);
            if (newest && index < newest->runs.size() && stillShared(*newest->runs[index], first, size)) {
                state->runs.push_back(newest->runs[index]);
                continue;
            }
            auto run = std::make_shared<RowRun>();
            run->rows.reserve(std::size_t(size));
            for (qsizetype i = first; i < first + size; ++i) {
                CVes_TableBaseLine* row = this->m_lines[i];
                if (page.count(row)) {
                    run->rows.push_back(SharedRow::copyOf(*row, &snapshotCopy));
                    continue;
                }
                run->rows.push_back(SharedRow::of(*row, &snapshotCopy));
                run->rows.back()->check(i);
            }
            state->runs.push_back(std::move(run));
        }
        return state;
    }

    // Whether the run holds the sheet's rows from `first` on, `size` of
    // them, each as it is now: a row shared still is the sheet's row (it
    // neither changed nor left), and the current page's rows are never
    // shared.
    bool stillShared(const RowRun& run, qsizetype first, qsizetype size) const
    {
        if (qsizetype(run.rows.size()) != size)
            return false;
        for (qsizetype i = 0; i < size; ++i) {
            if (run.rows[std::size_t(i)]->sheetRow() != this->m_lines[first + i])
                return false;
        }
        if (SharedRow::checking()) {
            for (qsizetype i = 0; i < size; ++i)
                run.rows[std::size_t(i)]->check(first + i);
        }
        return true;
    }

    void stepTo(const State* state)
    {
        if (!state)
            return;
        restoreFrom(*state);
        this->markEdited();
        if (m_history.atSaved())
            this->m_modified = 0;
    }

    // The sheet takes the state back: the rows the state shares with the
    // sheet stay, the others are copies of the state's; the rows the state
    // does not hold are dropped.
    void restoreFrom(const State& state)
    {
        this->noteChange();
        static_cast<Sheet*>(this)->takeUndoState(*state.header);
        const std::unordered_set<CVes_TableBaseLine*> held(this->m_lines.cbegin(),
                                                           this->m_lines.cend());
        std::unordered_set<CVes_TableBaseLine*> kept;
        TableLineList rows;
        for (const std::shared_ptr<const RowRun>& run : state.runs) {
            for (const std::shared_ptr<const SharedRow>& shared : run->rows) {
                CVes_TableBaseLine* row = shared->sheetRow();
                if (row && held.count(row) && kept.insert(row).second) {
                    shared->check(rows.size());
                    rows.append(row);
                } else {
                    rows.append(copyOf(shared->row(), true).release());
                }
            }
        }
        for (CVes_TableBaseLine* row : std::as_const(this->m_lines)) {
            if (!kept.count(row))
                this->disposeLine(row);
        }
        this->m_pageLines.clear();
        this->m_lines = rows;
        afterRestore();
    }
};
