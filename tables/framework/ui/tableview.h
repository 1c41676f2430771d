#pragma once
// The view of every sheet: one page of one table at a time, scaled by the
// table's zoom factor and shifted by two scroll offsets (0 to 100 per cent),
// drawn off-screen and copied to the window in one transfer. It runs the
// commands with which the main frame drives the active sheet (zoom, paging,
// row commands, undo) and prints the table's pages.
//
// The view never owns its table; every operation does nothing while no table
// is set. Each concrete sheet view derives from it, sets the table and fills
// the virtual operations it needs (cell editing, view type, …).
//
// The frame listens to tableChanged (selection, current row or page content
// may have changed) and zoomShown (show the zoom factor).
//
// Input: a click selects rows (Ctrl toggles, Shift extends) and a second
// click on the current cell starts its edit (EditCell); the left or middle
// button drags the page while the pointer stays on it; the wheel scrolls,
// zooms or turns pages as the user set it; the keyboard pages, moves the
// selection and runs the row commands. A sheet's own view takes over cell
// editing (EditCell, isCanEditVar, EndCellEdit), double clicks
// (OnLButtonDblClk), keys (PreTranslateMessage, OnKeyDown, OnKeyUp, OnChar)
// and the other mouse handlers by overriding them, calling the base where it
// keeps the common behaviour; Qt's events reach them only through the base.
// Points given to these handlers and to EditCell and isCanEditVar are in
// pixels of the client area.

#include "tables/framework/ui/editrecorddlg.h"
#include "tables/framework/ui/findreplacedlg.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tables/framework/ui/inplacelist.h"

#include "platform/rect.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QMetaType>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class CVes_TableBase;
class CVes_Variable;
class QKeyEvent;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRubberBand;

// The table travels with the frame notice.
Q_DECLARE_OPAQUE_POINTER(CVes_TableBase*)
Q_DECLARE_METATYPE(CVes_TableBase*)

namespace platform {
class Dc;
class PagePreviewDialog;
} // namespace platform

class CVes_TableViewBase : public QAbstractScrollArea,
                           public EditRecordOwner,
                           public InPlaceEditOwner {
    Q_OBJECT
public:
    // The numbers of the frame's commands to the view (see handleMessage).
    enum Message : unsigned {
        kZoomIn = 0x401,
        kZoomOut = 0x402,
        kZoomFit = 0x403,
        kZoomWin = 0x404,
        kZoomShown = 0x405, // sent by the view to itself: zoomShown()
        kNextPage = 0x40A,
        kPrevPage = 0x40B,
        kFirstPage = 0x40C,
        kEndPage = 0x40D,
        kAddPage = 0x40E,
        kDelPage = 0x40F,
        kCoverPage = 0x410,
        kPageShown = 0x411, // show the current page in the main window's page box
        kInsertRow = 0x414,
        kDeleteRow = 0x415,
        kCopy = 0x417,
        kPaste = 0x418,
        kMoveUp = 0x419,
        kMoveDown = 0x41A,
        kRowLock = 0x41B,
        kRowUnLock = 0x41C,
        kUndo = 0x428,
        kRedo = 0x429,
        kTableChanged = 0x42A, // sent to the frame: tableChanged()
        kAutoSave = 0x42B,     // the document auto-saves now (autoSave)
        kFilePrint = 0xE107, // also the print command's number, 57607
    };

    // Scroll codes of OnHScroll and OnVScroll.
    enum ScrollCode {
        kLineUp = 0,
        kLineDown = 1,
        kPageUp = 2,
        kPageDown = 3,
        kThumbPosition = 4,
        kThumbTrack = 5,
        kTop = 6,
        kBottom = 7,
        kEndScroll = 8,
    };

    // View types answered by getViewType.
    static constexpr int kBaseView = 0;
    static constexpr int kBarListView = 1;
    static constexpr int kQuantityView = 2;
    static constexpr int kProcessView = 3;
    static constexpr int kBarTagView = 4;

    // Zoom limits of the zoom commands.
    static constexpr double kMinZoom = 0.6;
    static constexpr double kMaxZoom = 4.0;
    // The factor of one zoom step, of the commands and of the wheel.
    static constexpr double kZoomStep = 1.2;
    // The wheel zooms within (1.0, kMaxWheelZoom].
    static constexpr double kMaxWheelZoom = 20.0;

    // Wheel actions of the user's settings.
    static constexpr int kWheelScroll = 0;
    static constexpr int kWheelZoom = 1;
    static constexpr int kWheelPages = 2;

    // The buttons and keys held during a mouse message.
    static constexpr unsigned MK_LBUTTON = 0x0001;
    static constexpr unsigned MK_RBUTTON = 0x0002;
    static constexpr unsigned MK_SHIFT = 0x0004;
    static constexpr unsigned MK_CONTROL = 0x0008;
    static constexpr unsigned MK_MBUTTON = 0x0010;

    explicit CVes_TableViewBase(QWidget* parent = nullptr);
    ~CVes_TableViewBase() override;

    CVes_TableBase* getTable() const { return m_table; }
    // The derived view sets the table shown (not owned) and may change it.
    void setTable(CVes_TableBase* table);

    // Own virtual operations, with their empty defaults
    // The weight of the selected rows, as the sheet shown weighs them.
    virtual double getsellineWeight();
    virtual void autoSave() {}
    // Shows the current page in the main window's page box; views that have
    // one to show say so.
    virtual void OnPageShown() {}
    virtual void EditCell(int, int, QPoint) {}
    virtual int isCanEditVar(int, int, QPoint) { return 0; }
    // Opens an editor over a title-block text (row -100, columns 0 to 6) of
    // the kind shown as its text; `parent` (else the view) receives its end.
    virtual void EditoutSideVar(int row, int column, QPoint point, QWidget* parent);
    // Opens an editor over the cover's current text, on the cover page.
    virtual void EditTableCoverVar(int row, int column, QPoint point, QWidget* parent);
    // Ends the open in-place edits (their text is reported) and destroys the
    // find-and-replace dialog; the record dialog stays.
    virtual void endEdit();
    void EndCellEdit(int, int, const QString&) override {}
    // Stores a cover variable's text when it is the one being edited.
    void EndFengmianEdit(const QString& text) override;
    virtual int getViewType() { return kBaseView; }
    virtual void insertClipBoard() {}
    virtual void OnSelectNext();
    virtual void OnSelectPrev();

    // Mouse, wheel and keyboard (tableview_input.cpp)
    // Points are in pixels of the client area; flags are the MK_ values.
    virtual void OnLButtonDown(unsigned flags, QPoint point);
    virtual void OnLButtonUp(unsigned flags, QPoint point);
    // The base only edits the cover's texts, on the cover page.
    virtual void OnLButtonDblClk(unsigned flags, QPoint point);
    virtual void OnMButtonDown(unsigned flags, QPoint point);
    virtual void OnMButtonUp(unsigned flags, QPoint point);
    virtual void OnMouseMove(unsigned flags, QPoint point);
    // Answers whether the wheel did anything (a zoom at its limit does not).
    virtual bool OnMouseWheel(unsigned flags, int delta, QPoint point);
    // Sees every key press and release of the view before its own handlers:
    // paging, selection, row commands and the Ctrl shortcuts. Nothing is
    // swallowed: the key still goes on to OnKeyDown or OnKeyUp.
    virtual void PreTranslateMessage(QKeyEvent* event);
    // The view's key-down and key-up handlers; a sheet's own view overrides
    // them and calls these for the keys it leaves alone. F12 opens the
    // calculator.
    virtual void OnKeyDown(QKeyEvent* event);
    virtual void OnKeyUp(QKeyEvent* event);
    // A character typed into the view; the views that edit their sheet's
    // cells open the current cell's editor with it.
    virtual void OnChar(int) {}
    // The shape chooser for the bar of `row`; the views that edit bars run it.
    virtual void changeSteel(int, int) {}
    // The cell keys of a view that edits its sheet's cells: Tab goes to the
    // next column, Enter opens the current cell's editor, Space on a bar's
    // shape cell opens the shape chooser. True when the key was taken;
    // Space elsewhere is left to the framework.
    bool handleSheetKey(int key);
    // Starts the desktop's calculator (F10, F12), when one is installed.
    virtual void openCalculator();

    // Text size of the cover's current text on the cover page, else of the
    // selected rows' texts. The caller repaints.
    void doTextbig();
    void doTextsmall();

    // Opens (the first time) and shows the find-and-replace dialog on the
    // "替换" tab (replace nonzero) or the "查找" tab; bar-list views only.
    void SearchAndReplace(int replace);
    CVes_FindReplaceDlg* findReplaceDialog() const { return m_findDlg; }
    // The dialog is going: the view forgets it and ends its editors.
    void searchDialogClosed(CVes_FindReplaceDlg* dialog);
    // The shape variable that the last search marked, or null.
    CVes_Variable* getMarkedVar() const { return m_markedVar; }
    void setMarkedVar(CVes_Variable* variable) { m_markedVar = variable; }

    // Drawing
    // Draws the current page into `dc` (the window's context, or a printer's)
    // through an off-screen image of the client area.
    virtual void OnDraw(platform::Dc* dc);

    // Commands of the frame
    // Runs a command by its number; false for a number the view does not know.
    bool handleMessage(unsigned message, quintptr wParam = 0, qintptr lParam = 0);

    // The zoom commands go from one zoom step to the next: the steps are
    // the powers of kZoomStep (100 %, 120 %, 144 % … and 83 %, 69 % …), so
    // that 缩小 undoes 放大 and back, at the limits too.
    void OnZoomIn();   // the step below, not below 0.6
    void OnZoomOut();  // the step above, not above 4.0; nothing at exactly 4.0
    // The zoom step after `zoom`, above it or below it; a zoom between two
    // steps goes to the nearer one that way.
    static double nextZoomStep(double zoom, bool larger);
    void OnZoomFit();  // 1.0
    void OnZoomWin();  // the next two clicks give a zoom window
    void ZoomScale(double zoom);
    void DoZoomOut() { OnZoomOut(); }

    void OnNextPage();
    void OnPrvPage();
    void OnFirstPage();
    void OnEndPage();
    void OnAddPage();
    void OnDelPage();
    void OnCoverPage();
    void pageTo(int page);
    int NowFengmian() const;

    // The Insert key (flag 1 with Shift): the table's InsertRow.
    virtual void OnInsertRow(int flag);
    void OnDeleteRow();
    void OnCopy();
    void OnCopyRow() { OnCopy(); }
    void OnPaste();
    void OnCutRow();
    void OnMoveUp();
    void OnMoveDown();
    void OnRowLock();
    void OnRowUnLock();
    void OnRowLockAll();
    void OnRowUnLockAll();
    void OnUndo();
    void OnRedo();
    void OnSelectAllLineOfPage();

    int canCopy() const;
    int canPaste() const;
    int canUndo() const;
    int canRedo() const;
    void doCopy() { OnCopy(); }
    void doPaste() { OnPaste(); }
    void doCut() { OnCutRow(); }
    void doUndo() { OnUndo(); }
    void doRedo() { OnRedo(); }
    void doDelete() { OnDeleteRow(); }

    // Marks the document changed or unchanged (through modifyRequested).
    void setModify(bool modified);

    // Scrolling
    void OnHScroll(int code, int thumbPosition = 0);
    void OnVScroll(int code, int thumbPosition = 0);
    // Scrolls so that the table's current row lies in the client area.
    void setCurRowVisible();
    float scrollX() const { return m_scrollX; }
    float scrollY() const { return m_scrollY; }
    // Sets both offsets (0 to 100) and the scroll bars' positions.
    void setScrollOffsets(float x, float y);

    // Logical units (0.1 mm) ↔ device pixels of the client area
    QPoint LPtoDP(QPoint point) const;
    QPoint DPtoLP(QPoint point) const;
    platform::Rect LPtoDP(const platform::Rect& rect) const;
    platform::Rect DPtoLP(const platform::Rect& rect) const;
    int LPtoDP(int length) const;

    // Editors over the view
    int isHaveEditWnd() const;
    CVes_Variable* getCurEditVar() const { return m_curEditVar; }
    void setCurEditVar(CVes_Variable* variable) { m_curEditVar = variable; }
    void showDlg(bool show);
    void closeSearchDlg();
    int isCtrlKeyDown() const { return m_ctrl; }
    int isShiftKeyDown() const { return m_shift; }
    int isZoomWindowArmed() const { return m_zoomWindow; }
    int isButtonDown() const { return m_buttonDown; }
    int isPointerInPage() const { return m_pointerInPage; }

    // Printing
    // The pages that can be printed: 0 (the cover) or 1 to the page count,
    // which is recounted.
    int firstPrintPage() const;
    int lastPrintPage() const;
    // The order in which pages are printed.
    static QList<int> printOrder(int fromPage, int toPage, int copies, bool collate);
    // Prints pages fromPage to toPage (clamped to the printable pages) onto a
    // printer or PDF writer, in the template's orientation, with the table's
    // title as document name. A page that fails does not stop the others;
    // the answer is true only when every page was printed, and the job is
    // aborted when its last page failed. The table shows its page of before
    // afterwards.
    bool printTo(QPagedPaintDevice* device, int fromPage, int toPage, int copies = 1,
                 bool collate = true);
    // Draws page `page` of the table onto a printer context; with `recount`
    // the table recounts its pages on the way.
    virtual void OnPrint(platform::Dc* dc, int page, bool recount = false);
    // The print command: asks for the printer and the pages, then prints;
    // a job that could not print every page is reported to the user. The
    // dialog offers a PDF file too (the only choice without printers),
    // proposed as proposedPdfPath; the user is told where the file went.
    virtual void OnFilePrint();
    // The file of the document the sheet belongs to; empty when it has none
    // (yet).
    virtual QString documentPath() const { return {}; }
    // Where a printed PDF of the sheet is proposed: beside the document,
    // named after it and the sheet's title ("一层柱_钢筋配料单.pdf"); in the
    // project's folder, else the home folder, without a document.
    QString proposedPdfPath() const;
    // Asks for a file to import, of the kinds `filter` names (a file
    // dialog's filter: "钢筋配料单(*.pld)"). The dialog opens in the folder
    // the last import came from, else in the sheet's working folder (its
    // document's, else the project's); the folder of the file chosen is
    // remembered. Empty when the user cancels.
    QString askImportFile(const QString& filter);

    // The pages of the framework's print path (print preview and the
    // preview's print button): 1 to the page count, without the cover.
    struct PrintInfo {
        int minPage = 1;
        int maxPage = 1;
        int currentPage = 1; // also the first and last page offered
    };
    virtual void OnPreparePrinting(PrintInfo& info);
    // Prepares nothing that the output depends on.
    virtual void OnBeginPrinting(QPrinter*) {}
    // Prints the pages the printer asks for (its page ranges, or every page
    // of the range) through OnPrint; what the preview's print button
    // prints. True when every page was printed.
    bool printPreviewPages(QPrinter* printer);
    // A print preview of the table, opened at the current page, drawing
    // each page when the user comes to it; the caller shows it. Null
    // without a table.
    std::unique_ptr<platform::PagePreviewDialog> createPrintPreview(QPrinter* printer);
    // Draws page `page` of the preview as it is printed, the view keeping
    // its own page.
    void drawPreviewPage(QPainter& painter, int page);
    // The print-preview command.
    virtual void OnFilePrintPreview();

    // EditRecordOwner.
    QWidget* ownerWidget() override { return this; }
    bool isOnCoverPage() const override { return NowFengmian() != 0; }
    // EditRecordOwner and InPlaceEditOwner: the key that ended an edit, and
    // the keys the cells take as commands (none here).
    void editKey(int) override {}
    bool isEditCommandKey(unsigned) override { return false; }
    // The end of an in-place edit opened by this view: the text (none after
    // Escape) goes to EndFengmianEdit on the cover page, else to EndCellEdit.
    void inPlaceEditEnded(const InPlaceEditNotify& notify) override;

Q_SIGNALS:
    // The selection, the current row or the page's content may have changed.
    void tableChanged(CVes_TableBase* table);
    // A zoom window was applied: the frame shows the table's zoom factor.
    void zoomShown();
    // The document's modified flag is to be set or cleared.
    void modifyRequested(bool modified);
    // Undo or Redo took the table to another state: whether the document
    // still differs from its file is to be worked out again.
    void undoStepTaken(CVes_TableBase* table);

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

    // Sends tableChanged for the table.
    void notifyFrame();
    // The key-down of a view that edits its sheet's cells: the cell keys
    // (handleSheetKey), else a printable character typed (OnChar) and then
    // the framework's own handling.
    void cellEditKeyDown(QKeyEvent* event);
    // Opens the editor of a cell's text over `box` (client pixels): the
    // recent-values dialog of `recordType` when the user edits with it and
    // `inPlace` is false, else an in-place edit box in the bold Times font of
    // the sheets' editors, `textHeight` pixels high, that treats `firstChar`
    // as the editors do. An editor open before is ended first. The box lies
    // on `parent` (the view when null), which receives its end when it is an
    // edit owner; else the end comes back to EndCellEdit.
    void openCellEditor(int row, int column, const QString& text, const platform::Rect& box,
                        int textHeight, int recordType, unsigned firstChar, bool inPlace,
                        QWidget* parent = nullptr);
    // The box (client pixels) an edit of a title-block or cover text lies
    // in: a centred text's box widened 1.4 times and 1.4 text heights high,
    // another's raised 0.3 and 1.5 text heights high.
    platform::Rect textEditBox(CVes_Variable& variable) const;
    // A drop-down list of `items` over `box` (client pixels) showing
    // `initialText`; its end comes back to EndCellEdit as well.
    void openCellList(int row, int column, const QStringList& items, const QString& initialText,
                      const platform::Rect& box);
    // Shows or hides both scroll bars.
    void showScrollBars(bool show);
    // Repaints the client area.
    virtual void repaintView();
    // Repaints only the rows of the current page's form given, each the
    // page's whole width (a change to them alone leaves the rest of the
    // page as it is on the screen); the client area when none is given.
    void repaintFormRows(const std::vector<int>& rows);

    // State
    CVes_TableBase* m_table = nullptr;
    float m_scrollX = 0.0f; // per cent, 0 to 100
    float m_scrollY = 0.0f;
    int m_ctrl = 0;
    int m_shift = 0;
    int m_buttonDown = 0;
    int m_zoomWindow = 0;
    int m_pointerInPage = 1;
    QPoint m_zoomFirst;
    QPoint m_zoomSecond;
    QPoint m_bandCurrent;
    QPoint m_bandPrevious;
    QPoint m_panAnchor;
    QFont m_editorFont; // of the in-place edits of title-block and cover texts
    // The editors open over the view (each deletes itself when its edit ends).
    QPointer<CVes_InPlaceEdit> m_inPlaceEdit;
    QPointer<CVes_EditRecordDlg> m_recordDlg;
    QPointer<CVes_InPlaceList> m_inPlaceList;
    QPointer<CVes_FindReplaceDlg> m_findDlg;
    CVes_Variable* m_curEditVar = nullptr;
    CVes_Variable* m_markedVar = nullptr; // of a bar; checked before use
    QRubberBand* m_rubberBand = nullptr;  // the zoom window while it is drawn

private:
    friend class CVes_FindReplaceDlg;

    void scrollBy(int code, int thumbPosition, float& offset, bool horizontal);
    void onScrollAction(int action, bool horizontal);
    void endEditIfOpen();
    // Opens the record dialog or the in-place edit (by the user's edit mode)
    // over `variable` for (row, column).
    void editVariable(CVes_Variable* variable, int row, int column, int recordType,
                      QWidget* parent);
    // Row 1 alone selected and current.
    void selectFirstRow();
    // Rows were deleted or replaced: the find-and-replace dialog forgets
    // the rows it listed.
    void rowsReplaced();
    // The selection a click on a row of the page makes.
    void clickRow(unsigned flags, int row, int column, QPoint point);
    // Starts a drag (left or middle button) at a client point.
    void beginDrag(QPoint logical);
    // Moves the page by the pointer's travel while a button is held.
    void dragTo(QPoint logical);
    void showRubberBand(QPoint corner);
    // The second click of the zoom window.
    void applyZoomWindow(QPoint corner);
    // Zooms about a client point to `zoom`, keeping that point's page
    // position at the centre.
    void zoomAbout(QPoint logical, double zoom);
    bool wheelZoom(int delta, QPoint point);
    void wheelScroll(int delta);
    // The logical length of one scroll percent in each direction.
    void scrollUnits(double& unitX, double& unitY) const;
    // The client area in logical units.
    platform::Rect logicalClient() const;
    // Scales the cover's current text by `factor`.
    void scaleCoverText(double factor);
    // A device context over the client area in the 0.1 mm mapping.
    struct ClientDc;
    std::unique_ptr<ClientDc> clientDc() const;
};
