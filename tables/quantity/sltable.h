#pragma once
// The quantity sheet (钢筋用量明细表), the table of the ".ylb" document: a paged
// list of bars grouped by element type (构件类型) and element (构件编号), each
// bar with the location where it is used. It holds the sort and summary
// rules its derived sheets follow and whole-sheet undo snapshots. Its file is
// the table part followed by the quantity sheet's own part (version 9;
// versions 1 to 8 are read and their summary settings moved into the rules).

#include "tables/framework/snapshotsheet.h"
#include "tables/quantity/rulessheet.h"
#include "tables/quantity/sltableline.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class CVes_SLSumaryJTtable;
class CVes_SLSumaryTable;
class CVes_SortBarSheet;

class CVes_SLTable : public SnapshotSheet<CVes_SLTable, CVes_SLTableLine, RulesSheet> {
public:
    // The quantity sheet's part of the file; reading takes versions 1 to this.
    static constexpr int kVersion = 9;
    static constexpr unsigned int kTableType = 3;
    static constexpr int kColumnCount = 10;
    static constexpr int kRowsPerPage = 28;
    // The title text "统计范围": what the sheet sums.
    static constexpr int kScopeText = 3;

    // Columns.
    static constexpr int kColLocation = 0;
    static constexpr int kColNumber = 1;
    static constexpr int kColGrade = 2;
    static constexpr int kColShape = 3;
    static constexpr int kColCutLength = 4;
    static constexpr int kColCount = 5;
    static constexpr int kColTotalCount = 6;
    static constexpr int kColTotalLength = 7;
    static constexpr int kColTotalWeight = 8;
    static constexpr int kColRemark = 9;

    // Highlights of the page drawing.
    static constexpr platform::COLORREF kLockedColour = platform::gdi::RGB(204, 255, 204);
    static constexpr platform::COLORREF kSelectedColour = platform::gdi::RGB(255, 255, 140);
    static constexpr platform::COLORREF kCurrentColour = platform::gdi::RGB(224, 254, 8);
    static constexpr platform::COLORREF kSummaryColour = platform::gdi::RGB(227, 227, 227);

    // The summary settings of files before version 9, moved into the rules
    // when such a file is read (transRule) and never written.
    struct LegacySettings {
        float lossF = 0.0f;
        double loss = 0.0;
        std::array<int, 6> i{};  // I1 … I6
        std::array<int, 5> k{};  // K1 … K5, read and not used
        std::array<int, 5> j{};  // J1 … J5
        int version = 0;         // the version they were read from
    };

    // A new quantity sheet: landscape A4, ten columns, 28 rows a page, the
    // default title block and the user's default sort rules.
    CVes_SLTable();
    ~CVes_SLTable() override;

    // File

    // Writes or reads the whole sheet: the table part, then version 9, the
    // rows without the empty rows at the end, the rules and the drawing
    // scale. A read takes every version from 1 to 9 (what an old version
    // lacks keeps the value this sheet has), and leaves the read state as the
    // only undo snapshot. An unknown version throws platform::SchemaError
    // (code -100), a damaged stream platform::ArchiveError.
    void Serialize(platform::Archive& ar) override;
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    void takeOver(CVes_TableBase& loaded) override;

    // Moves the summary settings of an old file into the rules; fields the
    // file's version does not hold keep their values.
    void transRule();
    const LegacySettings& legacySettings() const { return m_legacy; }

    // Undo
    // A new step keeps the redo list; taking a snapshot back keeps the
    // selection.

    // Takes the other sheet's title texts, design variables, copies of its
    // rows and its rules. Its history stays its own.
    void copy(const CVes_SLTable* from);
    using CVes_TableBase::copy;
    // Copies of the rows as a working copy holds them, to be made a part at
    // a time; then a copy of what the summaries read of the sheet (layout,
    // units, title block, rules, raw stock) with those rows (what is left of
    // them copied at once), for a worker to read.
    std::unique_ptr<RowCopies> rowCopies() const;
    std::unique_ptr<CVes_SLTable> workingCopy(RowCopies& rows) const;

    // The table model's operations

    unsigned int getTableType() override { return kTableType; }
    int isEditCurCol() override;

    // Drawing (sltable_draw.cpp)

    // The page frame, then on a table page the rows laid into the form.
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // Fills the form's cells with the current page's rows (and the page
    // summary row when the template shows one) and draws the form.
    // The page's selected bar rows weigh what their weight column reads.
    void fillTable(platform::Dc* dc);

    // What the page and the workbook show of a bar row, in the units of the
    // columns (sltable_texts.cpp).
    struct BarTexts {
        QString cutLength;    // column 4
        QString count;        // column 5
        QString totalCount;   // column 6
        double totalLength = 0.0;  // column 7, in its unit
        double weight = 0.0;       // column 8, in its unit
        QString remark;       // column 9, line breaks as "\n"
        int remarkBreaks = 0; // the line breaks ("\r\n" or "|") the remark held
    };
    // The texts of a bar in an element of `pieces` pieces. The total length
    // of a bar with varying groups is cut to whole shape units when
    // `wholeVaryingTotal` is set (as the workbook has it).
    BarTexts barTexts(CVes_BarCore& bar, int pieces, bool wholeVaryingTotal) const;

    // Rows (sltable_rows.cpp)

    // A bar row at the end with a copy of the bar (an empty one for null);
    // marks the sheet, no undo step. Answers the row, which the sheet owns.
    CVes_SLTableLine* Add(const CVes_BarCore* bar);
    // A page of empty bar rows at the end; goes to the last page.
    void addPage() override;
    // On the last page: fills what is left of it with empty bar rows.
    void AddNullLineToEnd() override;
    // Appends copies of every row of the other sheet (null: nothing).
    void append(const CVes_SLTable* other);
    // A bar row before the first selected row, filled from the bar row above.
    void InsertRow();
    // Kind 1 an element row, kind 2 an element-type row, else a bar row.
    void InsertRow(int kind) override;
    // The table takes the row before the selection: 1, or 0 (the caller
    // then still owns the row).
    int InsertRow(CVes_SLTableLine* row);
    void InsertEleTypeRow(const QString& name);
    void InsertEleRow(const QString& name);
    // A row takes a copy of the bar of the nearest non-empty bar row above
    // it, numbered one on ("A9" → "A10"); nothing without one.
    void getDefualtValueFromPrvLine(CVes_SLTableLine* line);

    // The row clipboard (kind 4); every operation needs a selection.
    void CopyRow() override;
    void CutRow() override;
    int canPaste() override;
    // Replaces the selected rows by the clipboard's.
    void PasteRow() override;
    // Inserts the clipboard's rows before the selected ones.
    void InsertClip() override;
    void UpRow() override;
    void DownRow() override;

    // Inserts ready rows, which the sheet then owns: before the first
    // selected row, else at the end.
    void import(const QList<CVes_SLTableLine*>& lines);

    // Numbering and check (sltable_check.cpp)

    // Empties every bar's number.
    void clearNum();
    // Numbers the bars 1, 2, …: over the whole sheet, or anew in every
    // element (wholeSheet 0); with `share` an equal bar numbered before
    // gives its number instead.
    void numSteel(int wholeSheet, int share);
    // Appends the problems found as an HTML list; 1 when there are none.
    int CheckData(QString& report);
    // Runs the check: "表单检查通过！" when it passes, else writes the report
    // and opens it. Answers the report's path, empty when none was written.
    QString checkTable();
    // Where the report goes: the data folder, else the temporary folder.
    static QString checkReportName();

    // The sorted sheet (sltable_sort.cpp)

    // Fills `target` (emptied first), or a new sorted sheet that the caller
    // then owns, with the sheet's rules, page settings, units and title
    // texts and every bar times the piece count of its element, the remark
    // naming element type, element and pieces; then sorts and merges it.
    CVes_SortBarSheet* SortSteel(CVes_SortBarSheet* target);

    // Amounts (sltable_import.cpp)

    // One bar in an element of `pieces` pieces: its total length in metres
    // (through the shape column's unit), its bar count and the factor its
    // intermediate-connection counts are multiplied by. Refreshes the count
    // texts of the bar's intermediate connections.
    void singleSteelAmount(CVes_BarCore* bar, int pieces, double& length, std::int64_t& count,
                           std::int64_t& jointFactor);

    // Imports (sltable_import.cpp)

    // Reads each bar list and puts its rows at the front of the sheet. A file
    // that does not open (or is newer) is skipped; one whose shape unit
    // differs is refused with a message. No undo step and no repaint.
    void importSetUpArray(const QStringList& paths);
    // The same for bar lists that belong to element types: `elementTypes`
    // names the type of the list of the same index (empty: none). The rows
    // of lists without a type come first; then, per type in the order first
    // met, an element-type row and the rows of that type's lists, so that the
    // summary counts their bars under their type.
    void importSetUpArray(const QStringList& paths, const QStringList& elementTypes);
    // The rows importSetUpArray puts in, which the caller then owns.
    TableLineList rowsOfLists(const QStringList& paths, const QStringList& elementTypes);
    // Every bar list under the folder and its sub-folders, each of an
    // element-type folder of a project under its type (as the project
    // tree's summary of the same folder counts them), before the selection
    // or at the end, in one undo step; the range (统计范围) then names the
    // folder. Answers the lists found; none is said to the user.
    int importFolder(const QString& folder);
    // The same for every bar list under the folder and its sub-folders.
    void importSetUp(const QString& folder);
    void importSL(const QString& folder);
    // The converted rows of the bar lists, in order; files that do not open
    // (or are newer) are left out, those whose shape unit differs refused
    // with a message. The caller owns the rows.
    QList<CVes_SLTableLine*> rowsFromFiles(const QStringList& paths);
    // The unit of the shape column.
    int shapeUnit() const;

    // Settings

    // The summary settings dialog on the sheet's rules; after OK the sheet is
    // marked changed (sltable_dialogs.cpp).
    void setSumray();

    // Summaries (sltable_summary.cpp)

    // The quantity summary (钢筋用量汇总表): lengths and weights by grade,
    // diameter and coating, per element type and for the whole sheet, with
    // losses, raw-stock prices, the "其中" breakdown, the stirrup fee and the
    // totals. Refills `target`, or a new sheet the caller then owns. Sizes
    // missing from the sheet's raw stock are added to it.
    CVes_SLSumaryTable* SummarySTeel(CVes_SLSumaryTable* target);
    // The joint summary (钢筋接头类型汇总表): joints by type and size, per
    // element type and for the whole sheet, into `target` or a new sheet.
    CVes_SLSumaryJTtable* SummaryJT(CVes_SLSumaryJTtable* target);

    // Export (sltable_export.cpp)

    // Writes the workbook of the sheet and shows it; every failure is a
    // message.
    void exportExcel() override;
    platform::UiSlices takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const override;
    // Fills the detail worksheet: unit suffixes in row 5, then every row
    // from row 6. Answers the number of rows + 1.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

private:
    friend SnapshotSheet;
    struct Bare {};
    // Everything of the public constructor but the user's rules file: for
    // snapshots and for sheets a file is read into.
    explicit CVes_SLTable(Bare);
    // What an undo snapshot holds besides the rows: title texts, design
    // variables and rules.
    void takeUndoState(const CVes_SLTable& other);
    void afterRestore() override;
    static void readTail(platform::Archive& ar, int version, CVes_SortRules& rules,
                         double& zoom, LegacySettings& legacy);

    LegacySettings m_legacy;
};
