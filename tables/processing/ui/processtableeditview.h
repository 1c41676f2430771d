#pragma once
// The view through which the user edits a processing sheet: in-place edits
// of its cells, the list that changes a row's kind, the shape chooser for a
// bar, the edit of the sheet's title-block texts, and the sheet's check and
// imports. Drawing, paging, zoom, selection and printing are the base view's.
// The program derives its own processing view from it.
//
// Every edit that changes the sheet ends in the same closing steps: one undo
// step, the sheet marked changed, a repaint, the frame told (tableChanged)
// and the document marked modified. An edit ended with Escape commits
// nothing.

#include "tables/framework/ui/tableview.h"

#include "core/model/steelrecordid.h"

#include <QString>

class CVes_ProcessTable;

class CVes_ProcessTableEditView : public CVes_TableViewBase {
    Q_OBJECT
public:
    // The control identifier of the row-kind list.
    static constexpr unsigned kRowTypeListId = 1001;

    explicit CVes_ProcessTableEditView(QWidget* parent = nullptr);
    ~CVes_ProcessTableEditView() override;

    // The processing sheet shown, or null.
    CVes_ProcessTable* processTable() const;

    int getViewType() override { return kProcessView; }
    // Opens the editor of a cell at `point` (client pixels): the row-kind
    // list in column 0, else an edit box with the cell's text; in the shape
    // column an edit box over the shape dimension under the point.
    void EditCell(int row, int column, QPoint point) override;
    // Nonzero when (row, column) is a bar's shape cell with an editable
    // dimension under the point.
    int isCanEditVar(int row, int column, QPoint point) override;
    // Title-block texts: index 0 the title, 1 to 6 texts 2 to 7; the editor
    // lies over the text in the view (the parent is not used).
    void EditoutSideVar(int row, int index, QPoint point, QWidget* parent) override;
    // The commit of an edit of the sheet's cells or title-block texts.
    void EndCellEdit(int row, int column, const QString& text) override;
    // The end of an edit box or of the row-kind list of this view.
    void inPlaceEditEnded(const InPlaceEditNotify& notify) override;

    // Typing a character into the current cell opens its editor with the
    // character in place of the text; in a bar's shape cell it begins a
    // shape number.
    void EditCurCell(unsigned ch);
    // F3 checks the sheet, as in the bar list; otherwise the cell keys
    // (handleSheetKey), a printable character typed (OnChar), then the
    // framework's key handling.
    void OnKeyDown(QKeyEvent* event) override;
    // The base's selection and editing, then the frame is told
    // (tableChanged), so that its panes follow the selection.
    void OnLButtonDown(unsigned flags, QPoint point) override;
    // A character from 32 to 126 starts typing into the current cell.
    void OnChar(int ch) override;
    // A double click: a title-block text opens its editor, a bar's shape the
    // shape chooser, a cover text its editor.
    void OnLButtonDblClk(unsigned flags, QPoint point) override;
    // The shape chooser for the bar of `row`; a chosen shape goes to the bar.
    void changeSteel(int row, int column) override;

    // The Insert key, as the menu's 插入钢筋行 (with Shift an empty bar row);
    // when the new bar moved the tag numbers of the bars after it, the
    // status bar says so (notice()).
    void OnInsertRow(int flag) override;
    // Ctrl+Insert: the clipboard's rows before the selection; one undo step.
    void insertClipBoard() override;
    // The numbering commands: each asks first, as in the bar list.
    void numberSteel(int share, int all, int continuous);
    void clearNumbers();
    // The last word the view gave in the status bar.
    QString notice() const { return m_notice; }

    // The sheet's data check with its report.
    void checkTable();
    // Imports the bars of a bar list (".pld") as processing rows.
    void importSteelFromSetUp();
    // Appends the rows of another processing sheet (".jgd").
    void importSteelFromProcess();

    // The shape dimension an edit of the shape column is for, by name.
    QString editVariableName() const { return m_editVariable; }

protected:
    // Runs the large or the small shape chooser; answers 1 when a shape was
    // chosen into `id`.
    virtual int runShapeChooser(bool large, CSteelRecordId* id);
    // The file to import, asked of the user; empty when cancelled.
    virtual QString chooseImportFile(const QString& filter, const QString& pattern);

    bool focusNextPrevChild(bool next) override;

private:
    // One undo step, the sheet marked, a repaint, the frame and the document
    // told.
    void commitTail();
    // Opens an edit box over `box` (device units) for (row, column).
    void openEditBox(const platform::Rect& box, int row, int column, const QString& text,
                     int textHeight, unsigned firstChar, bool select);
    void openRowTypeList(const platform::Rect& box, int row, int column, const QString& text,
                         int textHeight);
    QFont editFont(int textHeight) const;
    // The editor or chooser a double click at a client point opens.
    void openAtPoint(QPoint point);
    void editShapeVariable(int row, int column, QPoint point);
    // Runs the chooser for the bar of `row`: the small one when the user's
    // selection mode is 0, else the large one; a chosen shape goes to the bar
    // and the selected row is marked filled.
    void chooseShapeFor(int row);
    // Asks for the file and reads it into `source`; false, after telling the
    // user, when the file is damaged or of a newer version or its shapes are
    // in another unit than this sheet's (`otherUnitText`); false too when
    // no file was chosen.
    bool openImport(CVes_TableBase& source, int sourceShapeColumn, const QString& filter,
                    const QString& pattern, const QString& otherUnitText);
    // After an import: a repaint, the frame and the document told.
    void importTail();
    // After a command that recorded its own undo step: a repaint, the frame
    // and the document told.
    void afterTableEdit();
    // Shows `text` in the status bar of the window, when it has one.
    void showNotice(const QString& text);

    QString m_editVariable;
    QString m_notice;
};
