#pragma once
// The processing sheet (钢筋加工明细单) of the ".jgd" document: a paged table in
// which project, storey, element-type and element heading rows introduce the
// processing bars of the bending shop. Bars come in from bar lists (import),
// from other processing sheets (append), from the row clipboard, or are typed
// row by row. The sheet keeps whole-sheet undo snapshots, numbers its bars'
// tags, builds its summary sheet, checks its bars and exports both sheets to
// a workbook.
//
// Its file part: the table part, then version 4 with the tag layout, the
// summary's sort order, a reserved value, the summary's filter bits, the rows
// (the empty rows at the end are not stored) and the zoom factor. Versions 1
// to 3 are read too.

#include "tables/framework/snapshotsheet.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtableeditline.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class CVes_LiaoPaiTable;
class CVes_ProcessSteel;

// The names of the heading kinds as the row-kind list offers them:
// "工程行", "所在层行", "构件类型", "构件编号" for kinds 4, 3, 2 and 1.
const QStringList& processRowTypeNames();
// The kind a name stands for; 0 (a bar row) for any other text.
unsigned int processRowKindOfName(const QString& name);
// The name of a heading kind; empty for a bar row.
QString processRowTypeName(unsigned int kind);

class CVes_ProcessTable : public SnapshotSheet<CVes_ProcessTable, CVes_ProcessTableEditLine,
                                                CVes_ProcessListTable> {
public:
    static constexpr int kVersion = 4;
    static constexpr unsigned int kTableType = 2;
    static constexpr int kColumnCount = 9;

    // Columns.
    static constexpr int kColPart = 0;
    static constexpr int kColNumber = 1;
    static constexpr int kColGrade = 2;
    static constexpr int kColShape = 3;
    static constexpr int kColLength = 4;
    static constexpr int kColCount = 5;
    static constexpr int kColTags = 6;
    static constexpr int kColStock = 7;
    static constexpr int kColRemark = 8;

    CVes_ProcessTable();
    ~CVes_ProcessTable() override;

    // File

    // Writes the sheet (version 4) or reads versions 1 to 4; fields an older
    // version lacks keep the values of a new sheet. Storing changes nothing.
    // A read replaces the rows and leaves one undo snapshot. An unknown sheet
    // or row version throws platform::SchemaError, a damaged stream
    // platform::ArchiveError.
    void Serialize(platform::Archive& ar) override;
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    void takeOver(CVes_TableBase& loaded) override;

    unsigned int getTableType() override { return kTableType; }

    // Content

    // Appends a bar row with a copy of the bar (none for null); no undo step.
    void Add(const CVes_ProcessSteel* bar) override;
    const barlimits::Field& countField() const override { return barlimits::kRowCount; }
    using CVes_ProcessListTable::Add;
    // Appends copies of the other sheet's rows; one undo step.
    void append(const CVes_ProcessTable* other);
    // Takes the rows (which the sheet then owns) before the first selected
    // row, or at the end after dropping the empty rows there; numbers the
    // bars and records one undo step.
    void import(const TableLineList& rows);
    // Numbers the tags of the available bars 1, 2, …; other bars' tags get
    // -1. Every bar row then takes the rows its tags need, at least one.
    void regenData();
    // A new bar row takes the bar of the nearest bar row above it, numbered
    // one on.
    void getDefualtValueFromPrvLine(CVes_ProcessTableEditLine* line);

    int getLiaopaiType() const { return m_liaoPaiType; }
    void setLiaoPaiType(unsigned int type) { m_liaoPaiType = int(type); }
    int getLiaoPaiDirect() const { return m_liaoPaiDirect; }
    void setLiaoPaiDirect(unsigned int layout) { m_liaoPaiDirect = int(layout); }

    // Rows (processtable_rows.cpp)
    // Inserts go before the first selected row of the current page; each
    // answers the new row, or null (and changes nothing) when no row is
    // selected; each records an undo step.

    // The Insert key: 0 a bar row as InsertRow() makes it, any other flag an
    // empty bar row.
    void InsertRow(int flag) override;
    // A bar row with the bar of the row above, numbered one on; the tags
    // are numbered again at once, so the new bar shows its own.
    CVes_ProcessTableEditLine* InsertRow();
    // Kind 1 to 4 a heading row of that kind with an empty text, any other
    // kind a bar row.
    CVes_ProcessTableEditLine* InsertRow(unsigned int kind);
    // A project row takes the title block's project name when `text` is empty.
    CVes_ProcessTableEditLine* InsertProjectRow(const QString& text);
    CVes_ProcessTableEditLine* InsertStoryRow(const QString& text);
    CVes_ProcessTableEditLine* InsertEleTypeRow(const QString& text);
    CVes_ProcessTableEditLine* InsertEleRow(const QString& text);

    int canPaste() override;
    void CopyRow() override;
    // Cutting leaves locked rows in the sheet.
    void CutRow() override;
    // Replaces the selected rows by the clipboard's and renumbers.
    void PasteRow() override;
    // Inserts the clipboard's rows before the selected ones; no undo step.
    void InsertClip() override;
    void UpRow() override;
    void DownRow() override;
    void addPage() override;
    void AddNullLineToEnd() override;

    // Numbering (processtable_numbers.cpp)

    // Gives the bars plain numbers as the bar list's numbering commands do:
    // `share` equal bars one number, `all` every bar anew (else only those
    // without a number, "0" counting as none), `continuous` one run over the
    // sheet (else a run a heading). Locked and empty rows keep theirs. One
    // undo step when a number changed.
    void NumberSteel(int share, int all, int continuous);
    // Empties every bar's number; one undo step when one was set.
    void clearNumber();
    // The tag number of each bar row that has a bar with tags: what tells
    // which tags an insert moved.
    QHash<const CVes_TableBaseLine*, int> tagNumbers() const;

    // Undo by whole-sheet snapshots
    // A new step makes the undone steps unreachable, so the redo list is
    // emptied.

    // Takes the other sheet's title texts, design variables and copies of its
    // rows; its tag and summary settings and snapshots stay its own.
    void copy(const CVes_ProcessTable* other);
    using CVes_TableBase::copy;

    // Cell edits (processtable_edit.cpp)

    // The text an editor of (row, column) opens with: a heading row's text in
    // any column; a bar's number, grade and diameter ("C20"), stored cut
    // length ("%.1f", only when it is not computed), count ("3/12" for a
    // graded bar), first tag's stock text (only with a tag) or remark. 0 when
    // no editor opens (the shape and tag columns of a bar row among them).
    int getCellEditText(int row, int column, QString& text);
    // Commits an edited text into row `row` of the current page: column 0 a
    // row-kind name (a row with a bar gets a new row of that kind inserted
    // before the selection, an empty one becomes that kind); a heading's
    // text; or a bar's field by its column, `variable` naming the shape
    // dimension being edited in the shape column (none: the text is a shape
    // number, as the bar list reads it). An empty bar row first takes the
    // bar above it. The bars are then renumbered. Answers 1 when the sheet
    // was edited (the view then records the step), 0 when nothing changed
    // (no row, an empty grade entry, a number that names no shape).
    int commitCell(int row, int column, const QString& text, const QString& variable = {});

    // Derived sheets, drawing, export and check

    // Builds the summary sheet into `target` (emptied first) or into a new
    // sheet that the caller then owns, and answers it.
    CVes_ProcessListTable* toListSheet(CVes_ProcessListTable* target);
    // Builds the bar-tag sheet into `table` (refilled) or into a new one that
    // the caller then owns, and answers it (processtable_liaopai.cpp).
    CVes_LiaoPaiTable* toLiaoPaiTable(CVes_LiaoPaiTable* table);

    void fillTable(platform::Dc* dc) override;
    // The sheet has no weight column: kilograms.
    double shownWeight(double kilograms) const override { return kilograms; }
    // Both sheets into one workbook ("加工明细单" and "加工汇总单"); a failure
    // is shown to the user and changes nothing.
    void exportExcel() override;
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

    // Appends the findings of the bar check as an HTML list (values escaped);
    // 1 when nothing was found, 0 otherwise.
    int CheckData(QString& findings);
    // Runs the check: "表单检查通过！" when it passes, otherwise the report
    // "加工单检查报告.html" written and opened.
    void checkTable();
    static QString checkReportName();

    // 0 bar and element tags, 1 bar tags, 3 the bar tags of main bars, 4 those
    // of stirrups, 2 and any other value element tags.
    int m_liaoPaiType = 0;
    int m_liaoPaiDirect = 3; // the bar-tag page layout, 0 to 5

private:
    friend SnapshotSheet;
    struct Bare {};
    // The sheet without an undo snapshot: for snapshots and for reading.
    explicit CVes_ProcessTable(Bare);
    // What an undo snapshot holds besides the rows: title texts and design
    // variables.
    void takeUndoState(const CVes_ProcessTable& other);
    // InsertRow(kind) without its undo step.
    CVes_ProcessTableEditLine* insertOfKind(unsigned int kind);
    CVes_ProcessTableEditLine* insertBarRow();
    CVes_ProcessTableEditLine* insertHeading(unsigned int kind, const QString& text);
    // 1 when the clipboard holds processing rows and the selection takes them.
    int canTakeClipboard() const;
    // The bar a numbering command numbers on `row`: a bar row's bar, not
    // empty, not locked; else null.
    static CVes_ProcessSteel* numberedBar(CVes_TableBaseLine* row);
    void finishNumbering(bool changed);

protected:
    // A working copy holds the tag settings and copies of the rows as the
    // undo snapshots copy them.
    void copyWorkerState(CVes_TableBase& to) const override;
    RowCopier workerRowCopier() const override;
};
