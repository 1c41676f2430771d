#pragma once
// The model of every sheet: its rows, laid on pages by the template's rows
// per page, the current page, row and column, the selection of rows on the
// current page, deletion, locking and clearing of rows, the changed and stale
// flags, the named design variables with the anchorage and lap lengths they
// give, the form of cells on which a page is drawn, and file input and output.
// Every sheet derives from it and fills the virtual operations it needs; the
// base answers them with empty defaults.
//
// Row numbers are 1-based positions on the current page. Page 0 is the cover,
// -1 no page. The table owns its rows (deleted through the row's virtual
// destructor), its design variables and its form.

#include "tables/framework/template.h"

#include "core/model/barlimits.h"
#include "core/model/steelrecordid.h"
#include "envora/steelyuancaidata.h"
#include "platform/gdi.h"
#include "platform/hostservices.h"
#include "platform/rect.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CVes_BarCore;
class CVes_Form;
class CVes_TableBaseLine;
class CVes_Variable;

namespace platform {
class Archive;
class Dc;
namespace xlsx { class Worksheet; }
} // namespace platform

using TableLineList = QList<CVes_TableBaseLine*>;
// A copy of one of a sheet's rows.
using RowCopier = std::unique_ptr<CVes_TableBaseLine> (*)(const CVes_TableBaseLine&);

class CVes_TableBase : public CVes_Template {
public:
    // The shape-variable cursor past the last variable.
    static constexpr int kShapeVarEnd = 101;
    // The row number of a hit on a title-block text.
    static constexpr int kTitleTextRow = -100;
    // The zooms a page can be drawn at. The view's commands stay well within
    // them; a stored zoom beyond them is damage, and the page drawing holds
    // any other zoom to them.
    static constexpr double kMinPageZoom = 0.01;
    static constexpr double kMaxPageZoom = 1000.0;

    // Names of the design variables.
    static const QString kVarAtlas;        // "图集版本"
    static const QString kVarSeismic;      // "抗震等级"
    static const QString kVarConcrete;     // "混凝土强度"
    static const QString kVarCover;        // "保护层"
    // The cover a sheet without one of its own is shown with (the design
    // dialog and the cover page alike).
    static constexpr int kDefaultCover = 25;
    static const QString kVarDisturbance;  // "施工扰动"
    static const QString kVarJointPercent; // "接头面积百分率"
    static const QString kVarCustom;       // "自定义锚固"
    // "一级钢锚固" … "四级钢锚固" for grades 1 to 4; an empty text otherwise.
    static QString customAnchorageName(int grade);

    CVes_TableBase();
    CVes_TableBase(const CVes_TableBase&) = delete;
    CVes_TableBase& operator=(const CVes_TableBase&) = delete;
    ~CVes_TableBase() override;

    // Virtual operations

    // Reads or writes the table's part of the sheet file (the template part).
    // A read clears the changed flag; a write leaves every flag as it was
    // (template files and snapshots are written through it), and SaveFile
    // clears the flag once the file is written. Each sheet's own Serialize
    // calls this first and then handles its own data.
    void Serialize(platform::Archive& ar) override;

    // A new, empty table of the same sheet type, to read a file into; each
    // sheet answers its own type. takeOver then moves what was read into this
    // table; a sheet with data of its own moves it too and calls the base.
    virtual std::unique_ptr<CVes_TableBase> createEmpty() const;
    virtual void takeOver(CVes_TableBase& loaded);

    virtual void Draw(platform::Dc* dc, const platform::Rect& rect);
    virtual void initExVarArray() {}
    // Fills an empty cover with the default cover.
    virtual void initTableCover();
    // Empties the cover, then builds the sheet's default cover.
    virtual void resetTableCover();
    virtual int saveTableCoverToFile(const QString& path);
    virtual int loadTableCoverfromFile(const QString& path);
    virtual void setPageToCover() {}
    // 1 when the whole sheet was read. 0 for an empty path, a missing file or
    // a damaged file (cut short, or holding values out of range), which leave
    // the table as it was; the caller tells the user. An unknown schema
    // passes to the caller as platform::SchemaError.
    virtual int OpenFile(const QString& path);
    // 1 when the file was written (atomically) and the changed flag cleared.
    virtual int SaveFile(const QString& path);
    virtual void setReadOnly(int readOnly) { m_readOnly = readOnly; }
    virtual int isReadOnly() { return m_readOnly; }
    virtual void setLanguage(unsigned int language) { m_language = language; }
    virtual void CopyRow() {}
    virtual void PasteRow() {}
    virtual void CutRow() {}
    virtual void InsertRow(int) {}
    virtual void InsertClip() {}
    virtual int canCopy();
    virtual int canPaste() { return 0; }
    virtual void textbig() {}
    virtual void textsmall() {}
    virtual void UpRow() {}
    virtual void DownRow() {}
    virtual void DeleteRow();
    virtual void lockRow();
    virtual void unlockRow();
    virtual void lockAllRow();
    virtual void unlockAllRow();
    virtual void setSelLineTextColor(platform::COLORREF colour);
    virtual void Amount() {}
    virtual void AmountToString(QStringList&, QStringList&) {}
    virtual int HitTest(QPoint point, int& row, int& column);
    virtual CVes_TableBaseLine* getLine(int n);
    virtual int haveContent(int n);
    virtual int isEditCurCol() { return 1; }
    // Whether the page form gives every row unit its own form row (a row of
    // several units spans several form rows, which the sheet fills), rather
    // than one form row as high as its units for every row of the page.
    virtual bool formRowPerUnit() const { return false; }
    // Whether the framework's page drawing puts the page number under the
    // table; a sheet that numbers its pages itself answers false.
    virtual bool showsPageNumber() const { return true; }
    virtual int resetPages();
    // Where a row falls when the rows fill pages of m_rowNum row units in
    // order: its page and position on it (both from 1) and the row units
    // used on that page up to and including it.
    struct LinePlace {
        int page;
        int position;
        int usedRows;
    };
    // The table rows a row takes on a page as paging counts them: at least
    // none and at most a page, whatever the row says.
    static int rowsOf(const CVes_TableBaseLine& row);
    // Walks the rows with their places until `visit` answers false;
    // answers the last page reached.
    int forEachLinePlace(
        const std::function<bool(CVes_TableBaseLine*, const LinePlace&)>& visit) const;
    virtual void addPage() {}
    virtual void delPage();
    virtual void firstPage();
    virtual void endPage();
    virtual void nextPage();
    virtual void PrevPage();
    virtual void setPageTo(int page, int recount);
    virtual void setCurPage(CVes_TableBaseLine* row);
    virtual TableLineList getlineOfPage(int first, int last);
    virtual void AddNullLineToEnd() {}
    virtual void Undo() {}
    virtual void Redo() {}
    virtual void AddUndo() {}
    virtual int CanUndo() { return 0; }
    virtual int CanRedo() { return 0; }
    // Runs `edit`, which may record several undo steps (one a setter), and
    // makes them one: a single undo takes the whole edit back.
    void asOneUndoStep(const std::function<void()>& edit);
    virtual void clearnAllLine();
    virtual void clearnAllLineOnly();
    virtual void clearnAllLineButLock();
    virtual void getInfo(CVes_TableBaseLine* row, int& page, int& position);
    // The page and position (x, y) that getInfo of this class gives of every
    // row, found in one walk of the rows.
    QHash<const CVes_TableBaseLine*, QPoint> linePlaces() const;
    virtual CVes_BarCore* getSteel(int) { return nullptr; }
    // The undo steps recorded so far, and making the newest `steps` of
    // them one; tables without undo have none.
    virtual std::size_t undoStepsRecorded() const { return 0; }
    virtual void joinNewestUndoSteps(std::size_t) {}
    virtual QString isSameDistFeiOfSelLine() { return {}; }
    virtual QString isSameDistMiOfSelLine() { return {}; }
    virtual QString isSameDistDaOfSelLine() { return {}; }
    virtual void setSelLineDistFei(const QString&) {}
    virtual void setSelLineDistMi(const QString&) {}
    virtual void setSelLineDistDa(const QString&) {}
    virtual CSteelRecordId isSameSteelStartOfSelLIne() { return CSteelRecordId(-1, -1); }
    virtual void setSelLineSteelStart(CSteelRecordId) {}
    virtual void setSelLineStartMirrorHor() {}
    virtual void setSelLineSteelStartVarValue(const QString&, const QString&) {}
    virtual QString isSameVarStringOfSelLineSteelStart(const QString&) { return {}; }
    virtual unsigned int getTableType() { return 0; }
    // Opens a workbook from the template of the table's type, writes the
    // title block and the rows (fillExcel) and shows it to the user; the
    // worksheet is filled from a working copy (takeWorkerCopy) on a worker
    // (tableexport.h).
    virtual void exportExcel();
    // A copy of the sheet for a worker to read while the sheet itself lives
    // on: taken a slice at a time on this thread (the slices answer true
    // once `copy` is made), so that a long sheet never holds the thread up
    // long. It holds the layout, title block and design variables, what
    // else the sheet's workbook reads of it (copyWorkerState) and copies of
    // its rows (workerRowCopier). Empty for a sheet that gives no copy.
    virtual platform::UiSlices takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const;
    virtual void sortUp() {}
    virtual void sortDown() {}
    virtual void sortShot() {}
    virtual void sortLong() {}
    virtual void sortLenNone() {}
    virtual void sortNo() {}
    virtual unsigned int getSortOrder() { return 0; }
    virtual unsigned int getSortOrderLen() { return 0; }
    virtual void showZeroNum() {}
    virtual void setState(unsigned int) {}
    virtual void guibingShow0() {}
    virtual void guibingShow1() {}
    virtual void guibingShow2() {}
    virtual void guibingShow3() {}
    // Nonzero when the column (-1: the current one) shows the bar's shape.
    virtual int isCurShapeCol(int) { return 0; }
    // The factor from millimetres to the unit of the shape column, in which
    // the table's bars keep a typed length.
    virtual double shapeUnitFactor() const { return 1.0; }
    virtual int fillExcel(platform::xlsx::Worksheet&) { return 1; }
    // Writes the title block (fillExcelHeading) into rows 1 to 4 of the
    // worksheet, the rows from row 6 (fillExcel), thin borders from A5 to
    // `lastColumn` one row below the last row, and selects A6. Answers
    // fillExcel's count.
    int fillWorksheet(platform::xlsx::Worksheet& sheet, int lastColumn);
    // The title block of the workbook, rows 1 to 4: the title, then text 2
    // with its name when it has a value, and texts 3 and 4 with theirs.
    virtual void fillExcelHeading(platform::xlsx::Worksheet& sheet);
    virtual unsigned int getUNITType(int, int) { return ~0u; }
    virtual QString getUNITString(int, int) { return {}; }
    virtual CVes_TableBaseLine* searchNextLine(CVes_TableBaseLine*, const QString&, unsigned int,
                                               unsigned int, int, int)
    {
        return nullptr;
    }
    virtual TableLineList searchAllLine(const QString&, unsigned int, unsigned int, int, int)
    {
        return {};
    }
    virtual int isFindLine(CVes_TableBaseLine*, const QString&, unsigned int) { return 0; }
    // What a find result shows of a found row for the searched item (after
    // its place), and the replacement in a found row of the table (true when
    // the row changed; a replacement the field refuses changes nothing and
    // gives its words in `refusal`): the sheet's own rows, which only it
    // knows (findreplace.h).
    virtual QString foundRowText(CVes_TableBaseLine*, int) { return {}; }
    virtual bool replaceInFoundRow(CVes_TableBaseLine*, const QString&, const QString&, int,
                                   QString* /*refusal*/)
    {
        return false;
    }

    // Flags and accessors

    double getScale() const { return m_zoom; }
    void setScale(double zoom) { m_zoom = zoom; }
    int isModified() const { return m_modified; }
    // Nonzero: changed, and both derived sheets stale. 0: not changed.
    void setModified(int modified);
    // Grows with every change of the table's contents: each edit (the
    // changed flag set), each undo step recorded, undo, redo, file read, and
    // rows added or all removed. A sheet made from the table is made again
    // only when the count moved since it was made.
    std::uint64_t changeCount() const { return m_changes; }
    void noteChange() { ++m_changes; }
    void setSortSteel(int stale) { m_sortStale = stale; }
    int isCanSortSteel() const { return m_sortStale; }
    void setYouhuaSteel(int stale) { m_cutStale = stale; }
    int isCanYouhuaSteel() const { return m_cutStale; }
    int getPages() const { return m_pages; }
    int getCurRow() const { return m_curRow; }
    void setCurRow(int row) { m_curRow = row; }
    int getCurCol() const { return m_curCol; }
    void setCurCol(int column);
    int getCurPage() const { return m_curPage; }
    void setShapeVarStart() { m_shapeVar = -1; }
    int isShapeVarStart() const { return m_shapeVar < 0; }
    void setShapeVarEnd() { m_shapeVar = kShapeVarEnd; }
    int isShapeVarEnd() const { return m_shapeVar > 100; }
    int getShapeVar() const { return m_shapeVar; }
    void setShapeVar(int cursor) { m_shapeVar = cursor; }
    int haveFengmian() const { return m_coverFlag; }
    void setFengmian(int flag) { m_coverFlag = flag; }
    CVes_Form* getForm() const { return m_form.get(); }
    CVes_SteelYuanCaiDataLib& getYuanCaiLib() { return m_yuanCai; }

    // Selection and moves

    int getSelectRow() const;
    int getSelectRowEnd() const;
    int isMultSelect() const { return m_select.size() > 1; }
    int isSelected(int n) const { return m_select.contains(n); }
    const QList<int>& getSelection() const { return m_select; }
    // Toggles n; with `exclusive` the selection is emptied first.
    void AddSelect(int n, int exclusive);
    void clearSelect();
    void selectAddOne(int d);
    int isContinueSelect() const;
    void selectAllofPage();
    // 0 the next position had a row, 1 empty positions were skipped, 2 the
    // move went to the next page, 3 a page was added.
    int SelectNext();
    void SelectPrev();
    void SelectNextCol();
    void SelectPrevCol();

    // Rows

    // Appends a row that the table then owns; a row the table holds
    // already is not appended again (a look through every row: for a few
    // rows only).
    void appendLine(CVes_TableBaseLine* row);
    // Appends a new row that the table then owns. A row the caller held
    // alone cannot be one of the table's, so none is looked for: a sheet
    // built row by row appends this way.
    void appendLine(std::unique_ptr<CVes_TableBaseLine> row);
    // Before a row of the table changes other than through the current page
    // (a change to every row, a row found elsewhere): the undo snapshots
    // that share it keep it as it is. The rows of the current page need it
    // not; a row no snapshot shares takes nothing.
    static void beforeRowChange(CVes_TableBaseLine* row);
    static void beforeRowsChange(const TableLineList& rows);
    // Runs `edit` on the row, which may well leave it as it was (values
    // computed from the row's own refreshed): the undo snapshots keep the
    // row as it was only when it changed.
    static void changeRow(CVes_TableBaseLine* row, const std::function<void()>& edit);
    // A row the table drops: deleted, or kept by the undo snapshots that
    // share it.
    static void disposeLine(CVes_TableBaseLine* row);
    const TableLineList& lines() const { return m_lines; }
    const TableLineList& pageLines() const { return m_pageLines; }
    // The selected bar rows of the current page, in page order (empty ones
    // included): what the batch edits read and write.
    TableLineList selectedBarLines() const;
    CVes_TableBaseLine* nextLine(CVes_TableBaseLine* row) const;
    CVes_TableBaseLine* prevLine(CVes_TableBaseLine* row) const;
    CVes_TableBaseLine* getPrvLine(CVes_TableBaseLine* row, int sameKind) const;
    CVes_TableBaseLine* getPrvTypeLine(CVes_TableBaseLine* row, unsigned int kind) const;
    TableLineList getLinelist() const { return m_lines; }
    void refreshCurPage() { setPageTo(m_curPage, 1); }
    int getCurLineNum() const;
    void clearNullLineOfEnd();
    // The rows at the selected positions of the current page, in order;
    // positions without a row are left out.
    TableLineList selectedLines() const;
    // The table takes the row before the first selected row and drops the
    // empty rows at its end (never the new row), repages and is marked.
    // 0 for a null row, a row already held or no selected row; the caller
    // then still owns the row. No undo step.
    int insertBeforeSelection(CVes_TableBaseLine* row);
    // Takes the rows (which the table then owns) in order before `before`,
    // or at the end when it is null or not in the table.
    void insertLinesBefore(CVes_TableBaseLine* before, const TableLineList& rows);
    // Takes the rows (which the table then owns) at the end, repages, clears
    // the selection, marks the table and records an undo step.
    void appendRows(const TableLineList& rows);
    // Removes the rows from the table and deletes them, except locked ones.
    void removeUnlockedLines(const TableLineList& rows);
    // The same as one edit: then repages, clears the selection, marks the
    // table and records an undo step (a cut, a deleted element).
    void dropLines(const TableLineList& rows);
    // Pasting over rows: the unlocked ones among `rows` make way for `copies`
    // (which the table then owns), which stand where the rows stood; then
    // the empty rows at the end go, the page is laid out again and nothing
    // is selected. No mark, no undo step.
    void replaceLines(const TableLineList& rows, const TableLineList& copies);
    // Ends an edit that removed or replaced rows: row `first` is selected
    // and current again, in `column`, when it still has content; then the
    // table is marked and records an undo step.
    void reselectAfterEdit(int first, int column);
    // Appends a page of empty rows made by `makeEmpty` and goes to the last
    // page, with an undo step.
    void appendEmptyPage(const std::function<CVes_TableBaseLine*()>& makeEmpty);
    // Moves the selected rows, one continuous block, one row up (-1) or down
    // (1) with the selection, repages, records an undo step and marks the
    // table. Nothing when the block cannot move that way.
    void moveSelectedLines(int direction);
    // On the last page: appends rows made by `makeEmpty` (to the table and
    // to the page) until the page is full; nothing when its rows already
    // fill it.
    void fillLastPage(const std::function<CVes_TableBaseLine*()>& makeEmpty);
    // Takes title-block texts 0 and 2 to 7 and copies of the design variables.
    void copy(const CVes_TableBase* other);

    // 0 ascending by lessthan (stable), 1 the same reversed; else nothing.
    void SortList(int order);

    // Geometry of the page as last drawn

    platform::Rect getRect(int row, int column) const;
    // The box the cell is drawn in, its merge included.
    platform::Rect getDrawnRect(int row, int column) const;
    int getTxtHight(int row, int column) const;
    platform::Rect getCurRowRect() const;
    int isCurRowVisible() const;
    const platform::Rect& getPaperRect() const { return m_paperRect; }
    QPoint getPaperptO() const { return m_paperptO; }
    // The weight of the selected bar rows of the page last drawn, as the
    // sheet weighs its rows, for the status bar; 0 for a sheet that weighs
    // none.
    double getSelLineWeight() const { return m_selLineWeight; }
    // The paper in 0.1 mm as pages are drawn: the template's paper held to
    // what a template may hold, and A4 in the sheet's orientation for a
    // paper of no size.
    QSize paperSize() const;
    // A zoom as pages are drawn at it: held to kMinPageZoom … kMaxPageZoom,
    // and 1 for what is no number.
    static double pageZoom(double zoom);
    // A zoom as a sheet's file holds it: what is no number is damage
    // (platform::ArchiveError); a finite one is held to kMinPageZoom …
    // kMaxPageZoom, since a view may have zoomed beyond what pages are
    // drawn at. Every sheet reads its zoom this way.
    static double storedZoom(double zoom);
    // The page fitted into a client area of width W and height H at a zoom.
    void fitPage(int clientWidth, int clientHeight, double zoom, int& width, int& height) const;
    void getScollUnit(const platform::Rect& client, double zoom, double& unitX,
                      double& unitY) const;
    // The scroll position at `newZoom` that brings the page point now under
    // `point` to the centre of the client area; (0, 0) at zoom 1.
    void getScollPosWhenPtOnCenter(QPoint point, const platform::Rect& client, double curZoom,
                                   double newZoom, double& posX, double& posY) const;

    // Design variables

    void setExVarVal(const QString& name, double value);
    void setExVarVal(const QString& name, const QString& text);
    // The value of the first variable of that name, or -1.0.
    double getExVarVal(const QString& name) const;
    CVes_Variable* getExVar(const QString& name) const;
    const std::vector<std::unique_ptr<CVes_Variable>>& exVars() const { return m_exVars; }
    // Appends a variable that the table then owns (a sheet reading its file).
    void appendExVar(std::unique_ptr<CVes_Variable> variable);
    void clearExVars() { m_exVars.clear(); }
    // Runs the design dialog on this table (it lives with the dialog, in
    // designvariablesdlg.cpp). Marks nothing as changed.
    void editExVar();

    // Lengths in mm for a grade code, a diameter in mm and a bar type.
    int getLle(int grade, int diameter, int barType) const;
    int getMaoguBeishu(int grade, int diameter, int barType) const;
    int getLaeByKanzhen(int grade, int diameter, int barType, int seismic) const;
    int getLa(int grade, int diameter, int barType) const;
    // 1 lap (getLle), 2 Envora's joint length; 0 for other kinds.
    int getConnectLen(int kind, int grade, int diameter, int barType) const;

    // Batch edits of the selected bar rows (batchedit.cpp)
    // The rows are the selected bar rows of the current page. A reader answers
    // the value they share, or its not-same value (-1; 0 for the grade, -1.0
    // for the diameter, (-1, -1) for the shape, "NOTSAME" for a variable text,
    // -1.11 for a variable value and -2.22 when no row is selected). A setter
    // writes the unlocked rows among them and, when any changed, marks the
    // table changed and records one undo step.

    float isSameDNOfSelLine();
    int isSameGradeOfSelLine();
    int isSameSteelTypeOfSelLine();
    CSteelRecordId isSameSteelRecordOfSelLIne();
    // The range of a bar's count on this sheet's rows: a bar-list or
    // quantity-sheet bar's bars of one piece; a processing row's bars of
    // every piece.
    virtual const barlimits::Field& countField() const { return barlimits::kCount; }
    int isSameGenshuOfselLine();
    int isSameAutoCalOfLine();
    int isSameSteelTypeOfLine();
    int isSameOutDimOfLine();
    int isSameDlLengthOfSelLine();
    int isSameMultVarOfSelLine();
    int isSameGroupOfSelLine();
    int isSameHookLeftOfSelLine();
    int isSameHookRightOfSelLine();
    int isSameHookLeftAngOfSelLine();
    int isSameHookRightAngOfSelLine();
    int isSameHookLeftDirectOfSelLine();
    int isSameHookRightDirectOfSelLine();
    int isSameConnect_Style_LeftOfSelLine();
    int isSameConnect_Style_RightOfSelLine();
    int isSameConnect_Len_LeftOfSelLine();
    int isSameConnect_Len_RightOfSelLine();
    int isSameConnect_State_LeftOfSelLine();
    int isSameConnect_State_RightOfSelLine();
    int isSameConnect_SiKou_LeftOfSelLine();
    int isSameConnect_SiKou_RightOfSelLine();
    int isSameConnect_SiKouOrther_LeftOfSelLine();
    int isSameConnect_SiKouOrther_RightOfSelLine();
    float isSameConnect_DNOrther_LeftOfSelLine();
    float isSameConnect_DNOrther_RightOfSelLine();
    int isSameMidConnect_StateOfSelLine();
    int isSameMidConnect_NumOfSelLine();
    int isSameMidConnect_StyleOfSelLine();
    int isSameMidConnect_DingChiOfSelLine();
    int isSameMidConnect_AutoCalOfSelLine();
    QString isSameMidConnect_NumStringOfSelLine();
    int isSameMidConnect_HaveSteelGroupOfSelLine();
    int isSameChaochang_SelLine();
    QString isSameVarStringOfSelLine(const QString& name);
    double isSameVarvalueOfSelLine(const QString& name);
    double isSameVarvalueEOfSelLine(const QString& name);

    void setSelLineDN(float d);
    void setSelLineGrade(int grade);
    void setSelLineSteelType(int type);
    void setSelLineSteelRecord(CSteelRecordId key);
    void setSellineGenshu(int count);
    void setSelLineAutoCal(int autoCal);
    void setSelLineSteelCalType(unsigned int calType);
    void setSelLineOutDim(int outDim);
    void setSelLineDlLength(int length);
    void setSelLineModelMirrorHor();
    void setSelLineModelMirrorVer();
    void setSelLineVarValue(const QString& name, double value);
    void setSelLineVarValue(const QString& name, const QString& text);
    void setSelLineVarValueE(const QString& name, const QString& text);
    void setSelLineVarValueE(const QString& name, double value);
    void setSelLineMultVar(int on);
    void setSelLineGroup(int groups);
    void setSelLineHookLeft(int present);
    void setSelLineHookRight(int present);
    void setSelLineHookLeftAng(int angle);
    void setSelLineHookRightAng(int angle);
    void setSelLineHookLeftDirect(int direction);
    void setSelLineHookRightDirect(int direction);
    void setSelLineHookDirectFan(unsigned int which);
    void setSelLineConnect_Style_Left(unsigned int type);
    void setSelLineConnect_Style_Right(unsigned int type);
    void setSelLineConnect_Len_Left(int length);
    void setSelLineConnect_Len_Right(int length);
    void setSelLineConnect_State_Left(int state);
    void setSelLineConnect_State_Right(int state);
    void setSelLineConnect_SiKou_Left(int thread);
    void setSelLineConnect_SiKou_Right(int thread);
    void setSelLineConnect_SiKouOrther_Left(int thread);
    void setSelLineConnect_SiKouOrther_Right(int thread);
    void setSelLineConnect_DNOrther_Left(float d);
    void setSelLineConnect_DNOrther_Right(float d);
    void setSelLineMidConnect_State(int state);
    void setSelLineMidConnect_Num(int count);
    void setSelLineMidConnect_Style(unsigned int type);
    void setSelLineMidConnect_DingChi(int length);
    void setSelLineMidConnect_AutoCal(int autoCal);
    void setSelLineMidConnect_NumString(const QString& formula);
    void setSelLineTextBig();
    void setSelLineTextSmall();
    void setAllLineSteelTextHigh(int height);
    void setSelLineHighNum(int rows);

    // State (the page drawing and the view keep theirs here)

    platform::Rect m_viewRect;      // the client area of the last drawing
    platform::Rect m_paperRect;     // the paper on the screen at the last drawing
    double m_scrollX = 0.0;         // scroll position, 0 to 100
    double m_scrollY = 0.0;
    float m_scrollStepX = 0.0f;     // device units one scroll position moves the page
    float m_scrollStepY = 0.0f;
    double m_zoom = 1.0;
    int m_modified = 0;
    std::uint64_t m_changes = 0;
    int m_readOnly = 1;
    int m_sortStale = 1;
    int m_cutStale = 1;
    double m_drawScale = 1.0;       // scale of the last page drawing
    double m_selLineWeight = 0.0;   // written by the sheets' page fills
    int m_pages = 1;
    int m_curRow = -1;
    int m_curCol = -1;
    int m_curPage = -1;
    int m_shapeVar = -1;
    QPoint m_paperptO;              // the paper's top-left corner on the screen
    QList<int> m_select;            // ascending, no duplicates
    TableLineList m_lines;          // every row, owned
    TableLineList m_pageLines;      // the rows of the current page, shared
    std::unique_ptr<CVes_Form> m_form;
    CVes_SteelYuanCaiDataLib m_yuanCai;
    std::vector<std::unique_ptr<CVes_Variable>> m_exVars;

protected:
    // Sets the changed flag and both stale flags (every edit does).
    void markEdited();
    // What takeWorkerCopy copies besides the rows and the layout, into a
    // copy made by createEmpty; and how it copies a row (null: the sheet
    // gives no copy).
    virtual void copyWorkerState(CVes_TableBase&) const {}
    virtual RowCopier workerRowCopier() const { return nullptr; }
    void deleteAllLines();

private:
    // The rows become the current page's; no undo snapshot shares them
    // from now on, so that any edit may reach them.
    void setPageLines(const TableLineList& rows);
    // Locks (1) or unlocks (0) the selected rows, or every row.
    void lockSelected(int lock);
    void lockAll(int lock);
    void leaveShapeCell(int askColumn);
    void enterShapeCell();
    int customMultiple(int grade) const;
    int lengthByRule(int grade, int diameter, int barType, int seismic, double factor,
                     bool lap) const;
    int loadInPlace(const QByteArray& bytes);
};

// Copies of a sheet's rows for a copy of the sheet that a worker reads,
// made a part at a time on the thread that owns the sheet: a long list
// holds that thread up for no more than a part at a stretch. The sheet may
// change between two parts; a change (its change count moved, or a row
// copied is no longer at its place, as when empty rows at the end come or
// go with the pages) starts the copies over, so that they end as the rows
// of one moment.
class RowCopies {
public:
    using Copier = RowCopier;
    // Parts of copying rows for a working copy: short enough for the
    // user-interface thread to stay responsive.
    static constexpr std::chrono::milliseconds kSlice{15};

    RowCopies(const CVes_TableBase& sheet, Copier copier);
    ~RowCopies();
    RowCopies(const RowCopies&) = delete;
    RowCopies& operator=(const RowCopies&) = delete;

    // Copies rows for about `budget` (a negative one: to the end), at
    // least one; answers whether every row is copied, from the sheet as it
    // is now.
    bool copySome(std::chrono::nanoseconds budget);
    // Copies what is left at once, and hands over every copy, in order.
    TableLineList take();

private:
    void clear();

    const CVes_TableBase& m_sheet;
    Copier m_copier;
    std::uint64_t m_changes;
    TableLineList m_sources; // the sheet's rows copied, in order
    TableLineList m_copies;  // owned until taken
};
