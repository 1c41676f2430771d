#pragma once
// The editing view of a quantity sheet: the table framework's view with the
// sheet's cell editing (grade and diameter, shape dimensions, counts, the
// row kind chosen in column 0), the quick choice of a bar's shape, the keys
// of its columns, the data check and the imports of bar lists and other
// quantity sheets. The program's own quantity-sheet view derives from it.

#include "tables/framework/ui/tableview.h"

#include <QList>
#include <QString>

#include <optional>

class CSteelRecordId;
class CVes_SLTable;
class CVes_SLTableLine;

class CVes_SLTableView : public CVes_TableViewBase {
    Q_OBJECT
public:
    // The two texts of the row-kind list in column 0.
    static const QString kEleTypeText;  // "构件类型"
    static const QString kEleText;      // "构件编号"

    explicit CVes_SLTableView(QWidget* parent = nullptr);
    ~CVes_SLTableView() override;

    CVes_SLTable* slTable() const;

    int getViewType() override { return kQuantityView; }
    // The weight of the selected bar rows, as the sheet last drew them.
    void EditCell(int row, int column, QPoint point) override;
    int isCanEditVar(int row, int column, QPoint point) override;
    void EditoutSideVar(int row, int index, QPoint point, QWidget* parent) override;
    void EndCellEdit(int row, int column, const QString& text) override;
    // Also takes the end of the row-kind list (control 1001).
    void inPlaceEditEnded(const InPlaceEditNotify& notify) override;

    // Typing a character into the current cell: an in-place edit box holding
    // just that character, whatever the user's edit mode.
    void EditCurCell(QChar c);
    // The shape chooser on the bar of `row`; on OK the first selected row
    // takes the chosen shape.
    void changeSteel(int row, int column) override;
    // Ctrl+Insert: the copied rows before the selection, as in the other
    // sheets (the sheet records the undo step).
    void insertClipBoard() override;
    // Shows "表单检查通过！" or writes and opens the report.
    void checkTable();
    // Imports a bar list (".pld") or another quantity sheet (".ylb") the
    // user picks, or the bar lists of a folder (its own, and those of
    // sub-folders named like bar lists, as the folder search with "*.pld"
    // finds them).
    void importSteelFromSetUp();
    void importSteelFromSL();
    void importSteelFromDir(const QString& folder);

    // The view's double click: a title-block text opens its editor, the
    // shape cell of a bar row the shape chooser; then the framework's own.
    void OnLButtonDblClk(unsigned flags, QPoint point) override;
    // The cell keys (handleSheetKey), a printable character typed (OnChar),
    // then the framework's key handling.
    void OnKeyDown(QKeyEvent* event) override { cellEditKeyDown(event); }
    // A character from 32 to 126 starts editing the current cell with it.
    void OnChar(int ch) override;

protected:
    // The shape chooser of the user's habit (1 OK, 2 Cancel); tests put
    // their own in its place.
    virtual int chooseShape(CSteelRecordId* key);
    // The file the user picks to open; empty when cancelled.
    virtual QString askOpenPath(const QString& filter);
    // The folder to import the bar lists of, asked of the user; empty when
    // cancelled.
    virtual QString askFolder();

    // Tab is a key of the sheet, not a move to the next widget.
    bool focusNextPrevChild(bool) override { return false; }

private:
    CVes_SLTableLine* lineOf(int row) const;
    // The editor or chooser a double click at the point opens.
    void openAtPoint(QPoint point);
    // What an editor of the cell starts from; nullopt when the cell opens
    // none. Column 3 takes the shape dimension under `point`.
    std::optional<QString> cellText(int row, int column, QPoint point, bool typing);
    void openRowKindList(int row, const QString& initialText);
    // After every change: an undo step, the three flags, a repaint and the
    // frame told.
    void changed();
    void setShape(CSteelRecordId key);
    bool endBarEdit(CVes_SLTableLine& line, int column, const QString& text);
    bool enterBarCell(CVes_SLTableLine& line, int column, const QString& text);
    bool endKindEdit(CVes_SLTableLine& line, const QString& text);
    void enterSize(CVes_SLTableLine& line, const QString& text);
    bool enterVariable(CVes_SLTableLine& line, const QString& text);
    void importRows(const QList<CVes_SLTableLine*>& rows);
    // Shows a formula's reason as a stop message.
    static void refuse(const QString& reason);
};
