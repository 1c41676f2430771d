#pragma once
// The bar list (钢筋配料单): the central sheet of the program. A paged table
// of bar-list lines (units, bars, texts, elements, sketches) on its own
// template, with the member units of the drawing, the default piece count,
// whole-table undo snapshots, the sort rules its derived sheets follow, the
// texts of its purchase list, the bar-tag settings and the summary selection.
// Its file (".pld") is the table part followed by the bar list's own part.

#include "tables/barlist/huizongrules.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/snapshotsheet.h"
#include "tables/quantity/rulessheet.h"
#include "tables/shared/sumitems.h"

#include "platform/hostservices.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class CuttingJob;
class CVes_LiaoPaiTable;
class CVes_SLSumaryJTtable;
class CVes_SLSumaryTable;
class CVes_SLTableLine;
class CVes_SortBarSheet;
class CVes_SteelJinHuoSumaryTable;
class CVes_TableContents;
class CVes_YouhuaDuanLiaoTable;
class CVes_Variable;

class CVes_SetupTable
    : public SnapshotSheet<CVes_SetupTable, CVes_SetupTableLine, RulesSheet> {
public:
    // The bar list's part of the file; reading takes schemas 2 to this.
    static constexpr int kSchema = 8;
    static constexpr unsigned int kTableType = 1;
    static constexpr int kColumnCount = 11;
    static constexpr int kPurchaseTextCount = 8;

    // Columns.
    static constexpr int kColNumber = 0;
    static constexpr int kColGrade = 1;
    static constexpr int kColSpacing = 2;
    static constexpr int kColStart = 3;
    static constexpr int kColShape = 4;
    static constexpr int kColCutLength = 5;
    static constexpr int kColCount = 6;
    static constexpr int kColTotalCount = 7;
    static constexpr int kColTotalLength = 8;
    static constexpr int kColTotalWeight = 9;
    static constexpr int kColRemark = 10;

    // Bits of the user's copy-from-previous-row set (the fields a new bar
    // row takes from the bar row before it).
    static constexpr int kCopyNumber = 0x01;
    static constexpr int kCopyGrade = 0x02;
    static constexpr int kCopySpacing = 0x04;
    static constexpr int kCopyStart = 0x08;
    static constexpr int kCopyShape = 0x10;
    static constexpr int kCopyVariables = 0x20;
    static constexpr int kCopyCount = 0x40;
    static constexpr int kCopyRemark = 0x80;
    static constexpr int kCopyAll = 0xFF;

    // The text of the element line a new bar list starts with.
    static const QString kFirstElement; // "这里输入构件编号"

    // A new bar list: landscape A4, eleven columns, the default title block
    // and cover, the user's default sort rules, and one element line.
    CVes_SetupTable();
    ~CVes_SetupTable() override;

    // The table model's operations

    // Writes or reads the whole bar list: the table part, then the bar
    // list's own part (schema 8; reading takes 2 to 8, each with the fields
    // it had). Storing changes nothing (template files and snapshots are
    // written through it). A read replaces units, rows and the fields the
    // file holds, fills an empty cover, and leaves one undo snapshot. An
    // unknown schema throws platform::SchemaError, a damaged stream
    // platform::ArchiveError.
    void Serialize(platform::Archive& ar) override;
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    void takeOver(CVes_TableBase& loaded) override;

    void setLanguage(unsigned int language) override;
    int isEditCurCol() override;
    // Going to the cover recomputes the quantity texts the cover shows, so
    // that they always follow the list's latest edits.
    void setPageToCover() override;
    unsigned int getTableType() override { return kTableType; }

    // Undo by whole-table snapshots
    // A new step makes the undone steps unreachable, so the redo list is
    // emptied.

    // Takes the other bar list's title texts and design variables and copies
    // of its lines, in place of its own. Units, piece count, sort rules,
    // purchase texts and bar-tag settings stay.
    void copy(const CVes_SetupTable* other);
    using CVes_TableBase::copy;

    // Rows, elements and the clipboard (setuptable_rows*.cpp)

    // Appending at the end of the table: each marks the table and records no
    // undo step (builders and imports add many rows at once). Each answers
    // the new row, which the table owns.
    // A bar row holding a copy of the bar; a null bar leaves it an empty row.
    CVes_SetupTableLine* Add(const CVes_Steel& bar);
    CVes_SetupTableLine* Add(const CVes_Steel* bar);
    // A text row with the texts, one per column.
    CVes_SetupTableLine* Add(const QStringList& texts);
    // A sketch row showing a copy of the start style.
    CVes_SetupTableLine* AddImagLine(const CVes_SteelStartReference* image);

    // Inserting before the first selected row of the current page. Each
    // answers the new row, or null when nothing is selected; each records an
    // undo step.
    void InsertRow(int empty) override;
    // A bar row, empty when `empty` is nonzero; otherwise the fields that the
    // user's copy-from-previous-row set leaves out are cleared on its bar.
    CVes_SetupTableLine* InsertSteelRow(int empty);
    CVes_SetupTableLine* InsertTextRow();
    CVes_SetupTableLine* InsertUnitRow();
    CVes_SetupTableLine* InsertImageRow();
    CVes_SetupTableLine* InsertElementRow(const QString& number);
    // The common step: the table takes the row and drops the empty rows at
    // its end (never the new row), repages and is marked. 0 for a null row
    // or no selected row, and the caller then deletes the row. No undo step.
    int InsertRow(CVes_SetupTableLine* row);

    // A page of empty bar rows at the end; goes to the last page.
    void addPage() override;
    // On the last page: fills what is left of the page with empty bar rows.
    void AddNullLineToEnd() override;
    // Deleting rows also forgets the summary's chosen elements.
    void DeleteRow() override;
    void delPage() override;

    // The row clipboard: bar-list rows, or a remark when column 10 is
    // current and a single row is selected. Cutting and pasting leave
    // locked rows in the table.
    int canPaste() override;
    void CopyRow() override;
    void CutRow() override;
    void PasteRow() override;
    // Inserts the clipboard's rows before the selected rows; no undo step.
    void InsertClip() override;

    // Moves the continuous block of selected rows one row up or down.
    void UpRow() override;
    void DownRow() override;

    // The rows of the element that `element` heads: up to the next element
    // row or the end, without the empty rows after its last row. Empty when
    // the row is not in the table.
    TableLineList getEleSteelList(CVes_TableBaseLine* element) const;
    // The first selected row, when it is an element row, followed by the
    // rows of its element; empty otherwise.
    TableLineList selectedElementRows();
    // Every element row in order; the page each stands on (1 the first page
    // after the cover) is appended to `pages`.
    QList<CVes_SetupTableLine*> getAllEleList(QList<int>& pages) const;
    // The first selected row must be an element row. Cutting and deleting
    // an element leave its locked rows in the table; cutting and copying
    // put the element row and its rows on the clipboard.
    void CutEleRow();
    void DeleteEleRow();
    void CopyEleRow();
    // The weight of the element's bars in the unit of the weight column;
    // 0.0 when the row is not an element row.
    double getEleSteelweight(CVes_TableBaseLine* element) const;

    // Appends copies of every row of the other bar list.
    void append(const CVes_SetupTable* other);

    // Bar fields, defaults, numbering and search (setuptable_edit.cpp)

    QString isSameDistMiOfSelLine() override;
    QString isSameDistFeiOfSelLine() override;
    QString isSameDistDaOfSelLine() override;
    void setSelLineDistMi(const QString& text) override;
    void setSelLineDistFei(const QString& text) override;
    void setSelLineDistDa(const QString& text) override;
    CSteelRecordId isSameSteelStartOfSelLIne() override;
    void setSelLineSteelStart(CSteelRecordId key) override;
    void setSelLineSteelStartVarValue(const QString& name, const QString& value) override;
    QString isSameVarStringOfSelLineSteelStart(const QString& name) override;
    void setSelLineStartMirrorHor() override;

    // The bar of the first other non-empty bar row with exactly the same
    // number; null when there is none.
    CVes_Steel* getSameIDSteel(CVes_Steel* bar);
    using CVes_TableBase::getPrvLine;
    // The nearest non-empty row before `row`; with `sameKind` of its kind,
    // and with `stirrupOnly` as well a bar measured as a stirrup.
    CVes_TableBaseLine* getPrvLine(CVes_TableBaseLine* row, int sameKind, int stirrupOnly) const;
    // The grade of a new bar of that diameter at `row`.
    int getDefualtGrade(double diameter, CVes_TableBaseLine* row) const;
    // A new bar row takes what the user's copy-from-previous-row set holds
    // from the previous bar row of its calculation type.
    void getDefualtValueFromPrvLine(CVes_TableBaseLine* row);
    // Clears on a new bar, among the copy bits `fields`, the fields that the
    // user's copy set leaves out: dimensions to 0, the size (diameter 0 with
    // the connections to bars of that size), count, remark, spacings, shape
    // with its hooks, number and start style.
    static void clearUncopiedFields(CVes_Steel& bar, int fields = kCopyAll);
    // Numbers the bars "1", "2", …; see the view's numbering commands. Like
    // clearNumber, records an undo step only when a number changed.
    void NumberSteel(int share, int all, int continuous);
    // The same behind the progress window: the numbers are worked out on a
    // worker thread from a working copy taken in parts and handed to the
    // rows in parts. When the user cancels, nothing changes.
    void numberBehindProgress(int share, int all, int continuous);
    // Empties the number of every bar that is processed.
    void clearNumber();

    unsigned int getUNITType(int row, int column) override;
    QString getUNITString(int row, int column) override;
    int isFindLine(CVes_TableBaseLine* row, const QString& text, unsigned int category) override;
    QString foundRowText(CVes_TableBaseLine* row, int item) override;
    bool replaceInFoundRow(CVes_TableBaseLine* row, const QString& find, const QString& replace,
                           int item, QString* refusal) override;
    TableLineList searchAllLine(const QString& text, unsigned int category, unsigned int scope,
                                int page1, int page2) override;
    CVes_TableBaseLine* searchNextLine(CVes_TableBaseLine* start, const QString& text,
                                       unsigned int category, unsigned int scope, int page1,
                                       int page2) override;

    // Bar-tag settings

    void setLiaoPaiType(unsigned int form) { m_liaoPaiType = int(form); }
    int getLiaopaiType() const { return m_liaoPaiType; }
    void setLiaoPaiDirect(unsigned int direction) { m_liaoPaiDirect = int(direction); }
    int getLiaoPaiDirect() const { return m_liaoPaiDirect; }
    void setLiaoPaiGuibing(int merge) { m_liaoPaiGuibing = merge; }
    int getLiaoPaiGuibing() const { return m_liaoPaiGuibing; }
    void setLiaoPaiEleChaifen(int split) { m_liaoPaiEleChaifen = split; }
    int getLiaoPaiEleChaifen() const { return m_liaoPaiEleChaifen; }

    // Member units of the drawing

    void setUnitArray(const QStringList& names);
    void setUnitlocArray(const QStringList& locations);
    // Append to the caller's list.
    void getUnitArray(QStringList& names) const;
    void getUnitlocArray(QStringList& locations) const;
    // The location of the first unit of that name; empty when it has none.
    QString getUnitStarLoc(const QString& name) const;
    // The location after that of the first unit of that name; empty for the
    // last location or an unknown name.
    QString getUnitEndLoc(const QString& name) const;
    // Appends the names from `start` to `end` to `out`. 1 when `end` was
    // met at or after `start`; 0 (and nothing appended for a start after
    // the end) otherwise.
    int getUnitArray(const QString& start, const QString& end, QStringList& out) const;

    // Editing helpers

    // Tab-key editing of the current row's shape: the next variable that the
    // user gives, marked as the one being edited; null at the end.
    CVes_Variable* getTabEditVar();
    // The same stepping over the variables of `bar`.
    CVes_Variable* getTabEditVar(CVes_BarCore* bar);
    // The raw-stock dialog on the list's own raw stock, and the summary
    // settings dialog on its sort rules; after OK the list is marked changed
    // and its derived sheets stale (no undo step). They live with the
    // dialogs' glue, in setuptable_dialogs.cpp.
    void setYuanCai();
    void setSumray();

    // The printed page (setuptable_page.cpp)

    // The page drawing of the table model; on a table page the rows of the
    // page are then laid into the page form (fillTable) and the form is
    // drawn on the same context: screen, printer and PDF alike.
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // Writes the rows of the current page into the page form that the page
    // drawing has laid out: texts, colours, merged cells, shapes and the page
    // summary. While printing nothing shows the editing state. Refreshes what
    // the bars keep from their page: the anchorage variables lae, la, lle and
    // bhc, the over-long mark, the joint count of the first intermediate
    // connection and the remark of rows in a merged remark.
    // The page's selected bar rows weigh what their weight column reads.
    void fillTable(platform::Dc* dc);
    // The rows of the page last laid out whose drawing a change to the line
    // in `row` alone may change, the way fillTable lays them: the row; for
    // a bar the rows its merged remark spans and the element row that
    // counts it; for an element the rows it counts; and the page summary.
    // Empty when any row may change (a unit or sketch line, no such row).
    std::vector<int> rowsDrawnWith(int row) const;
    // The piece count a row is counted with: that of the nearest element row
    // before it, or the default piece count before the first element.
    int piecesBefore(const CVes_TableBaseLine* row) const;

    // Quantities (computed on demand, never stored)

    // One bar row in an element of `pieces` pieces: its total length in
    // metres, its bar count and the factor its intermediate-connection counts
    // are multiplied by (left alone when a multi-value bar counts none).
    // Refreshes the count texts of the bar's intermediate connections.
    // The length and joint items of the counted bars among `rows`, sorted.
    void collectAmounts(const TableLineList& rows, SumLengthItems& lengths, SumJointItems& joints);
    void singleSteelAmount(CVes_Steel* bar, int pieces, double& length, std::int64_t& count,
                           std::int64_t& midFactor);
    // The page summary (本页汇总) of the current page, broken into lines once a
    // line is longer than `charsPerLine` GBK bytes.
    QString AmountOfCurPage(int charsPerLine);
    // The whole list's weights by grade and diameter (losses included) and its
    // joints, appended as text lines.
    void AmountToString(QStringList& weights, QStringList& joints) override;
    // Appends a plain "合计" block of lengths, weights and joints.
    void Amount() override;
    // Inserts a framed summary block (汇总开始 … 汇总结束) on the first or the
    // last page, as the options choose.
    void Amount(CVes_totalSteelType& options);

    // Summary sheets (setuptable_summary.cpp)

    // The bar summary (钢筋用量汇总表): lengths and weights by grade, diameter
    // and coating, per element group and for the whole list, with losses,
    // raw-stock prices and the "其中" breakdown. Refills `target` with text
    // rows in six columns, or a new sheet that the caller then owns, and
    // answers it. A mode below 6 becomes the stored selection mode. Raw-stock
    // records missing from the list's own library are appended to it.
    CVes_SLSumaryTable* SummarySTeel(CVes_SLSumaryTable* target, unsigned int mode);
    // Gives a quantity summary the title of the bar list's (钢筋配料汇总表):
    // the sheet the list's document shows and the one its workbook holds
    // read the same.
    static void nameBarSummary(CVes_SLSumaryTable& sheet);
    // The joint summary (钢筋接头类型汇总表): joints by connection type and
    // size, per element group and for the whole list, into `target` or a new
    // sheet as above.
    CVes_SLSumaryJTtable* SummaryJT(CVes_SLSumaryJTtable* target);

    // The purchase list (钢筋进（提）货单): for every grade, diameter and coating
    // the length to buy with losses, the raw stock to order (stock length and
    // count, coil or undefined), weight and cost, then totals and the "其中"
    // breakdown by diameter class. Fills the empty purchase texts 1 to 7 with
    // their defaults (text 1 the time stamp) and keeps them. Refills `target`
    // with text rows in seven columns, or a new sheet that the caller then
    // owns, and answers it. Raw-stock records missing from the list's own
    // library are appended to it.
    CVes_SteelJinHuoSumaryTable* JinHuo(CVes_SteelJinHuoSumaryTable* target);

    // Conversion into quantity-sheet rows (setuptable_transformsl.cpp)

    // The bar list as quantity-sheet rows, in order: an element row for each
    // element line (name and piece count) and a bar row holding a copy of
    // each bar; bars before the first element get an unnamed element row of
    // the default piece count first. With `merge` a bar equal to one already
    // taken (of any element) adds its count to that row instead. The caller
    // owns the rows; the bar list does not change.
    QList<CVes_SLTableLine*> transformSL(int merge) const;

    // Conversions into processing rows (setuptable_transform.cpp)

    // The bar list as processing-sheet rows: project, storey and element
    // headings from the title block (those with a text), then per element an
    // element row and its bars, as the summary selection and the bar-tag
    // settings (bar kind, merging within an element, one bar per element
    // piece) choose them. Every bar registers its raw stock in the list's own
    // library first. The arguments are not used. The caller owns the rows.
    TableLineList transformProcess(int merge = 0, int unused = 0);
    // The rows of transformProcess joined into processing summary rows (equal
    // bars into one when the sort rules join them), numbered 1, 2, …; with
    // `keepEditLines` set, the processing rows themselves, carrying those
    // numbers. Only the third argument is used. The caller owns the rows.
    TableLineList transformProcessList(int merge, int unused, int keepEditLines);
    // The bar-tag sheet: `tags` refilled, or a new sheet that the caller then
    // owns, by the tag mode, layout and flags (setuptable_liaopai.cpp).
    CVes_LiaoPaiTable* toLiaoPaiTable(CVes_LiaoPaiTable* tags);

    // Sorted table and cutting list (setuptable_derived.cpp)

    // The sorted and merged bar table (钢筋规格排序表) of the processing bars:
    // refills `sheet` (or a new sheet the caller then owns) with the list's
    // rules, column units and title block, each processing bar numbered by
    // its processing number with the bar-list numbers it came from as its
    // remark, then sorts it. A mode below 6 becomes the stored selection
    // mode. The order comes from the rules alone, so it may run on another
    // thread, on a working copy.
    CVes_SortBarSheet* SortSteel(CVes_SortBarSheet* sheet, unsigned int mode);
    // The first step of the cutting list, on the list's thread: the pieces of
    // the processing bars by size, with the user's stock file; sizes missing
    // from the list's raw stock get records there.
    CuttingJob prepareDuanLiao();
    // The optimised cutting list (优化断料单): asks for the size to cut, cuts
    // it on a worker thread behind a progress dialog that can cancel it, and
    // refills `cut` (or a new list the caller then owns). Cancelling either
    // leaves the list without rows. Runs on the user-interface thread; lives
    // with the dialogs' glue, in setuptable_dialogs.cpp.
    CVes_YouhuaDuanLiaoTable* toDuanLiaoTable(CVes_YouhuaDuanLiaoTable* cut);
    // The same for the size `cut` was cut for last, without asking (after
    // the raw stock changed); a list never cut asks as above.
    CVes_YouhuaDuanLiaoTable* cutAgain(CVes_YouhuaDuanLiaoTable* cut);
    // A deep copy of everything the derived sheets read (layout, rules,
    // rows, raw stock, selection), for work away from the list's thread.
    std::unique_ptr<CVes_SetupTable> workingCopy() const;
    // Copies of the rows as a working copy holds them, to be made a part at
    // a time; then the working copy with those rows (what is left of them
    // copied at once, the rest of the list as it is then).
    std::unique_ptr<RowCopies> rowCopies() const;
    std::unique_ptr<CVes_SetupTable> workingCopy(RowCopies& rows) const;
    // Takes a working copy into `copy` a part at a time, a part a call:
    // the first step of work behind the progress window.
    platform::UiSlices takeWorkingCopy(std::unique_ptr<CVes_SetupTable>& copy) const;
    // How long a slice of work on the user-interface thread may take.
    static constexpr std::chrono::milliseconds kCopySlice{15};
    // Everything the derived sheets read of the list besides its rows, as
    // bytes: what the file stores of it without the rows (and of the title
    // texts only what they say: a page drawing rewrites their place and
    // look), then the summary selection and the tag switches the file does
    // not keep. Equal bytes,
    // equal settings; empty when the list cannot be stored (a text GBK
    // cannot hold), which never equals an earlier answer.
    QByteArray derivedSettings();

    // Table of contents

    // Fills `contents` (or a new table, which the caller then owns) with one
    // row per element line: "name(n件)" padded with dots, and its page.
    CVes_TableContents* TableContens(CVes_TableContents* contents);

    // Spreadsheet export (setuptable_export.cpp)

    // A workbook of four sheets: the bar list, the sorted sheet, the bar
    // summary and the joint summary, each with the list's title block; it is
    // shown to the user and not kept. A failure is a message.
    void exportExcel() override;
    platform::UiSlices takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const override;
    // Writes the rows of the list from row 6, one worksheet row per table
    // row, with a picture of each bar's shape; answers the row count + 1.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

    // Summary selection (selecteledlg.cpp, keywordhuizongdlg.cpp)

    // Asks which elements the bar summary covers; 1 when the user confirmed
    // (the chosen elements replace the rules' list), 0 when cancelled.
    int selectEleHuizong();
    // Asks for the keyword the bar summary matches bar numbers or remarks
    // against; 1 when confirmed (mode, key and whole-text flag stored), 0
    // when cancelled.
    int selectKeyWordHuizong();

    // Folder import and merged remarks (setuptable_import.cpp)

    // Puts the rows of every bar-list file (".pld") in the folder and its
    // sub-folders before the list's rows, the file found last first. A file
    // drawn in another shape unit is refused with a message; damaged files
    // and files of a newer version are named in one message and skipped
    // whole. Records one undo step when anything was imported. Answers the
    // number of files imported.
    int importFromFile(const QString& folder);
    // Reads a bar-list file into a new list; null when it cannot be read
    // whole, `newer` telling whether a newer version of the program wrote it.
    std::unique_ptr<CVes_SetupTable> readBarListFile(const QString& path,
                                                     bool* newer = nullptr) const;
    // The selected rows, consecutive bar rows only, show one remark: the
    // first is marked 1, the others 2. Otherwise a message and no change.
    void MergeRemark();
    // Every selected bar row shows its own remark again.
    void unMergeRemark();

    // Calculators and connections (setuptable_calculators.cpp)

    // The stirrup calculators on the bar of the first selected row: the
    // dialog opens with the bar's spacings and the list's design values;
    // after OK the bar takes the count and the spacings, as one undo step
    // that marks the list changed. Without a selected bar the user is told.
    // A concealed (wall) column with the lap zones of its bars:
    void calSelectLineSteelWallZhuGujin();
    // A column with its densified zones:
    void calSelectLineSteelZhuGujin();
    // A beam's spans with densified ends (method 0), or by the table method:
    void calSellineSteelGenshu(int method);
    // The joint length of the selected bar lines from the design values.
    void calSellineSteelJieTouMaogu();
    // The intermediate connection of the bars of a scope, asked in the dialog
    // (超长钢筋中间连接编辑); nothing when it is cancelled.
    void batchEditMidConnect();
    // Renews the intermediate connections of the bars whose shapes define them.
    void repairMidConnect();

    // Data check

    // Appends the findings of the bar-line check as an HTML list (values
    // escaped); 1 when nothing was found, 0 otherwise.
    int CheckData(QString& findings);
    // Runs the check: shows "钢筋行数据检查通过！" when it passes, otherwise writes
    // "配料单检查报告.html" into the program folder and opens it.
    void checkTable();
    // The report file checkTable writes.
    static QString checkReportPath();

    // Members

    CVes_HuizongRules& getHuizongRules() { return m_huizong; }
    int getDefaultEleNum() const { return m_defaultEleNum; }
    void setDefaultEleNum(int count) { m_defaultEleNum = count; }
    const std::array<QString, kPurchaseTextCount>& getJinHuoTexts() const { return m_jinHuoTexts; }
    void setJinHuoText(int index, const QString& text);

    QStringList m_unitNames;
    QStringList m_unitLocs;
    int m_defaultEleNum = 1;
    std::array<QString, kPurchaseTextCount> m_jinHuoTexts;
    int m_liaoPaiType = 1;
    int m_liaoPaiDirect = 3;
    int m_liaoPaiGuibing = 0;     // not stored
    int m_liaoPaiEleChaifen = 0;  // not stored
    CVes_HuizongRules m_huizong;

private:
    // The cutting list of the size given, or asked of the user when none is.
    CVes_YouhuaDuanLiaoTable* cutList(CVes_YouhuaDuanLiaoTable* cut, int grade, float diameter);
    friend SnapshotSheet;
    struct Bare {};
    // The numbers of the bars of the list, in its order.
    QStringList barNumbers() const;
    // After a numbering: the page, the change flags and an undo step, when a
    // number differs from `before`.
    void recordNumbers(const QStringList& before);
    // Everything of the public constructor but the user's rules file: for
    // snapshots and for tables a file is read into.
    explicit CVes_SetupTable(Bare);
    // What an undo snapshot holds besides the rows: title texts and design
    // variables.
    void takeUndoState(const CVes_SetupTable& other);
};
