#pragma once
// The edit view of the bar list: the list on its printed pages, typed into
// cell by cell. A second click on the current cell, Enter or a typed
// character opens an editor over the cell; a double click on a bar's shape
// or start column opens the shape or start-style chooser, on a unit line
// the element-unit dialog, on an image line the sketch chooser. Its commands
// insert lines of each kind, number the bars, total the quantities, import
// another bar list, step through a shape's dimensions and run the stirrup
// calculators and the connection edits on the selected bars. The program's
// own bar-list view derives from it; drawing, paging, zoom, selection and
// printing are the table view's.
//
// Every command that changes the list ends with one undo step, the list
// marked changed, a repaint, the frame told (tableChanged) and the document
// marked modified (modifyRequested). An edit ended with Escape commits
// nothing.

#include "tables/barlist/barentry.h"
#include "tables/framework/ui/tableview.h"

#include "core/model/steelrecordid.h"

#include <QString>

#include <functional>
#include <optional>

class CVes_SetupTable;
class CVes_SetupTableLine;
class CVes_totalSteelType;
class QKeyEvent;

class CVes_SetupView2 : public CVes_TableViewBase {
    Q_OBJECT
public:
    // Line kinds InsertLine takes.
    static constexpr int kUnitLine = 0;
    static constexpr int kSteelLine = 1;
    static constexpr int kTextLine = 2;
    static constexpr int kElementLine = 4;
    static constexpr int kImageLine = 5;

    explicit CVes_SetupView2(QWidget* parent = nullptr);
    ~CVes_SetupView2() override;

    // The bar list shown, or null.
    CVes_SetupTable* setupTable() const;

    // The table view's operations

    int getViewType() override { return kBarListView; }
    // The weight of the selected lines, as the page last laid out counted it.
    // Nonzero when the point (client pixels) lies on a dimension the user
    // gives of the shape or start style of a bar line, or of an image line's
    // sketch.
    int isCanEditVar(int row, int column, QPoint point) override;
    // Opens the editor of a cell (a second click, Enter): the recent-values
    // dialog or an in-place box by the user's edit mode, over the cell, or in
    // shape, start and image cells over the dimension under the point (client
    // pixels); the shape or start-style chooser on an empty bar line.
    void EditCell(int row, int column, QPoint point) override;
    // Ends the open editors, committing them. The find-and-replace dialog
    // stays open: clicking the page while searching is part of the search.
    void endEdit() override;
    // The commit of an editor: a title-block text (row -100), else the entry
    // of a cell with its closing steps.
    void EndCellEdit(int row, int column, const QString& text) override;
    void EditoutSideVar(int row, int index, QPoint point, QWidget* parent) override;
    // Pastes the row clipboard before the selected rows.
    void insertClipBoard() override;

    // Typing a character from 32 to 126 on the current cell: an in-place box
    // holding that character, whatever the user's edit mode.
    void EditCurCell(QChar c);
    // Opens the editor of the current cell right after the selected bars
    // were switched to a typed cut length (the newest undo step): Escape out
    // of it takes the switch back, and a length typed into it joins the
    // switch as one undo step.
    void editSwitchedLength();
    // The dimension the last editor, chooser or Tab step chose, by name.
    const barlist::EditedVariable& editedVariable() const { return m_edited; }
    // That dimension on the line of `row`; null when it holds none.
    CVes_Variable* editedVariableAt(int row) const;

    // Mouse and choosers

    // The table view's selection, then the frame is told.
    void OnLButtonDown(unsigned flags, QPoint point) override;
    // Title-block texts, the shape and start choosers, the unit dialog and
    // the sketch chooser; then the table view's (the cover's texts).
    void OnLButtonDblClk(unsigned flags, QPoint point) override;
    // The shape chooser of the user's habit for the bar of `row`: the chosen
    // shape without hooks; an empty line is filled from the bar line before
    // it first. The new shape's first dimension is then the edited one.
    void changeSteel(int row, int column) override;
    // The start-style chooser for the bar of the selected row.
    void changeStart(int row, int column);

    // Commands

    // Inserts a line of that kind before the selected row (a bar line takes
    // from the bar line before it what the user's copy set keeps); null for
    // another kind or when no row is selected.
    CVes_SetupTableLine* InsertLine(int kind);
    void insertSteelLine();
    void insertSteelBlankLine();
    void insertTextLine();
    void insertElementLine();
    // Inserts a unit line and opens the element-unit dialog on it.
    void insertUnitLine();
    // Inserts an image line; its sketch is chosen later (Space, double click).
    void insertImageLine();

    // Numbering after the user confirmed: share numbers between equal bars,
    // renumber every bar or only those without a number, one sequence or one
    // per element.
    void NumSteelAll();        // shared, all, continuous
    void NumSteelAllNoSame();  // own numbers, all, continuous
    void NumSteelOfNoNum();    // shared, only unnumbered, continuous
    void NumEleSteel();        // own numbers, all, per element
    void NumEleSteelGui();     // shared, all, per element
    void ClearNum();

    // Appends the list's totals block; with options, the framed summary.
    void OnAmount();
    void OnAmount(CVes_totalSteelType& options);

    // Shape-dimension stepping on the current bar: Enter starts at the first
    // dimension, Tab goes to the next (to the next column after the last).
    void EnterEditShapeVar();
    void TabEditShapeVar();

    // Appends the lines of a bar list the user picks; 1 when lines came in.
    int importFrom();
    // The data check: a message when it passes, else the HTML report.
    void checkTable();

    // The element-unit dialog on a unit line with the list's units.
    void EditUnitLine(CVes_SetupTableLine* line);
    // The sketch of an image line, from the start-style chooser.
    void EditImageLine(CVes_SetupTableLine* line);
    // The intermediate connection of many bar lines at once (dialog 4012).
    void EditMidConnect();

    // The calculators on the first selected bar: stirrups of a concealed
    // column, of a column, of a beam (method 0) or by the table method, and
    // the joint lengths of the selected bars from the design values.
    void calSelectLineSteelWallZhuGujin();
    void calSelectLineSteelZhuGujin();
    void calSellineSteelGenshu(int method);
    void calSellineSteelJieTouMaogu();
    // One remark shown over the selected consecutive bar lines, and back.
    void MergeRemark();
    void unMergeRemark();

    // Keys

    // Tab, Enter, Space and the function keys of the bar list, a printable
    // character typed (OnChar), then the table view's keys for all but Tab.
    void OnKeyDown(QKeyEvent* event) override;
    // The bracket, divide, multiply, semicolon and apostrophe keys on the
    // current cell: mirroring, automatic length, grade, stirrup counts and
    // multi-value dimensions of the selected bars.
    void OnKeyUp(QKeyEvent* event) override;
    // A character from 32 to 126 starts editing the current cell with it.
    void OnChar(int ch) override;
    // The keys an editor of a cell hands on. Tab commits the text and goes
    // to the next dimension (a shape number just typed stays on the new
    // shape's first) or column. The apostrophe and semicolon keys, which an
    // editor of a bar's shape, cut length or count takes as the page does,
    // make the bar varying or plain, then commit the text as such a bar's
    // ("2000~3000", "5|2"); the apostrophe then goes on as Tab does.
    void editKey(int key) override;
    bool isEditCommandKey(unsigned key) override;

protected:
    // The choosers (1 chosen, 2 cancelled); a test may put its own in place.
    virtual int chooseShape(CSteelRecordId* key);
    virtual int chooseStart(CSteelRecordId* key);
    // The bar list to import, asked of the user; empty when cancelled.
    virtual QString askImportPath();

    void inPlaceEditEnded(const InPlaceEditNotify& notify) override;
    // Tab is a key of the list, not a move to the next widget.
    bool focusNextPrevChild(bool) override { return false; }

private:
    CVes_SetupTableLine* lineOf(int row) const;
    // The closing steps of a commit or command.
    enum Closing : unsigned {
        kUndoStep = 1,
        kChangeFlags = 2,
        kRepaint = 4,
        kNotify = 8,
        kModified = 16,
        kAllSteps = 31,
    };
    void finish(unsigned steps);
    // What of a line decides where the rows of the page lie: a commit that
    // leaves it as it was repaints only the rows the line's change reaches.
    struct LinePlacing {
        unsigned type;
        int null;
        int rows;
        bool operator==(const LinePlacing&) const = default;
    };
    static LinePlacing placingOf(CVes_SetupTableLine& line);
    void repaintCommitted(int row, const std::optional<LinePlacing>& before);
    // Runs a table operation that records its own undo step; when it
    // recorded one the frame and the document are told.
    void runTableEdit(const std::function<void()>& edit);
    void runListCommand(void (CVes_SetupTable::*command)());
    // Commits the open editors before another one opens.
    void commitOpenEditors();
    void forgetEditors();
    // The editor's text height in pixels over a dimension of `reference` in
    // a cell, and its box centred on `centre` (client pixels).
    int variableTextHeight(int row, int column, CVes_ReferenceBase& reference,
                           const CVes_Variable& variable) const;
    platform::Rect variableBox(CVes_ReferenceBase& reference, CVes_Variable& variable,
                               QPoint centre, int textHeight) const;
    QPoint variableCentre(int row, int column, CVes_ReferenceBase& reference,
                          const CVes_Variable& variable) const;
    void applyShape(int row, CSteelRecordId key);
    // The start-style chooser for the bar of `line`.
    void chooseStartFor(CVes_SetupTableLine* line);
    // The shape, start, unit or image action of a double click on a line.
    void openLineAt(int row, int column);
    void numberSteel(int share, int all, int continuous);
    // Space on the current cell.
    void spaceKey();
    void bracketKey(bool left);
    // The apostrophe (varying) and semicolon (plain) keys on the current cell.
    void multiValueKey(bool varying);
    // Makes the selected bars varying or plain, as one edit.
    void setSelectedVarying(bool varying);

    barlist::EditedVariable m_edited;
    // The cell and text of an editor opened by a click or Enter: committing
    // that text unchanged (Escape in the recent-values dialog) changes nothing.
    struct ClickEdit {
        int row;
        int column;
        QString text;
    };
    std::optional<ClickEdit> m_clickEdit;
    // The undo steps recorded up to the switch to a typed length whose
    // editor is open (editSwitchedLength).
    std::optional<std::size_t> m_lengthSwitch;
    // Escape out of the editor of a switch to a typed length.
    void takeBackLengthSwitch();
    // The key whose press an editor took as a command: its release, which
    // reaches the page, has been acted on already.
    int m_keyUpDone = 0;
};
