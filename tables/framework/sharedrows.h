#pragma once
// The rows of the undo snapshots of a sheet. A snapshot does not copy the
// sheet's rows: it shares each row with the sheet for as long as the row
// stays as it was, and every later snapshot taken meanwhile shares the same
// state. Just before the sheet changes a shared row (beforeChange), the
// state is copied once for all the snapshots that share it; a shared row
// the sheet drops is handed to them whole (dispose). So an undo step costs
// what it changed, and opening a file copies nothing.
//
// Everything that changes a row of a sheet with undo calls beforeChange
// first, except for the rows of the current page, which snapshots never
// share: the table lets no shared row onto its current page, and every
// edit of the user's reaches rows there.
//
// With the environment's RODO_CHECK_SHARED_ROWS set (the tests set it), a
// shared state remembers what the row was and every snapshot and undo
// checks that the rows it shares are still so; a row changed behind the
// snapshots' back is reported as a critical message ("undo snapshots: …")
// with the row's place.

#include <QByteArray>

#include <functional>
#include <memory>

class CVes_TableBaseLine;

class SharedRow : public std::enable_shared_from_this<SharedRow> {
public:
    // A copy of a row of the sheet's own class, as a snapshot keeps it.
    using Copier = std::unique_ptr<CVes_TableBaseLine> (*)(const CVes_TableBaseLine&);

    // The state of `row` as it is now, shared with the row: the one made
    // before when the row has not changed since, else a new one.
    static std::shared_ptr<const SharedRow> of(CVes_TableBaseLine& row, Copier copier);
    // A state of its own: a copy of `row` as it is now.
    static std::shared_ptr<const SharedRow> copyOf(const CVes_TableBaseLine& row, Copier copier);

    // Before the sheet changes `row`: the snapshots that share it get a copy
    // of it as it is. Nothing for a row no snapshot shares.
    static void beforeChange(CVes_TableBaseLine* row);
    // Runs `edit` on `row`, which may well leave it as it was (a refresh of
    // values computed from the row's own): the snapshots that share the row
    // keep a copy of it as it was only when the row changed.
    static void change(CVes_TableBaseLine* row, const std::function<void()>& edit);
    // The sheet drops `row`: the snapshots that share it keep it; else it is
    // deleted.
    static void dispose(CVes_TableBaseLine* row);
    // The row object goes without dispose (a bug): its state is lost.
    static void destroyed(CVes_TableBaseLine* row);

    SharedRow(const SharedRow&) = delete;
    SharedRow& operator=(const SharedRow&) = delete;
    ~SharedRow();

    // The row as the snapshot holds it.
    const CVes_TableBaseLine& row() const;
    // The sheet's row this state still is, or null once it changed or left.
    CVes_TableBaseLine* sheetRow() const { return m_shared; }

    // Whether states remember their rows to check them.
    static bool checking();
    // With checking on: reports when the sheet's row this state shares
    // changed; `place` says where the row stands.
    void check(qsizetype place) const;

private:
    struct Made {};

public:
    SharedRow(Made, CVes_TableBaseLine* shared, std::unique_ptr<CVes_TableBaseLine> own,
              Copier copier);

private:
    // The row's contents and look as bytes, for the check.
    static QByteArray fingerprint(const CVes_TableBaseLine& row);

    CVes_TableBaseLine* m_shared;
    std::unique_ptr<CVes_TableBaseLine> m_own;
    Copier m_copier;
    QByteArray m_fingerprint;
};
