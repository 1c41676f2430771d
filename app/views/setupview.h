#pragma once
// The bar list's own sheet (tab "钢筋配料单"): the tables library's bar-list
// view with the program's context menu and commands. Besides the line
// inserts, numbering, calculators and imports of the library view it
// toggles a bar's automatic cutting length, clears a bar's start picture,
// sets a unit line's two flags, copies, cuts and deletes whole elements,
// writes the quantity summary (F2 asks its options first), and resets,
// exports and imports the cover page as a cover template (".fmt", in the
// data folder's "封面模板/配料单"). It shows its page in the main window's
// page box and auto-saves its document when the frame's timer asks.

#include "app/views/sheetview.h"
#include "tables/barlist/ui/setupview2.h"
#include "tables/barlist/setuptableline.h"
#include "widgara/commandbars.h"

class CRODOSetUpDoc;
class SheetMenu;
class CVes_totalSteelType;

class CRODOSetUpView : public SheetView<CVes_SetupView2> {
public:
    explicit CRODOSetUpView(QWidget* parent = nullptr);
    ~CRODOSetUpView() override;

    CRODOSetUpDoc* setupDocument() const;

    // The folder of the cover templates, made when missing; empty when it
    // could not be made.
    static QString coverTemplateFolder();

    // The frame's auto-save timer: the document saves itself.
    void autoSave() override;
    // The current page ("%d") into the main window's page box.
    void OnPageShown() override;
    // F2 opens the summary options (as command 32816); the other keys are
    // the bar list's.
    void OnKeyDown(QKeyEvent* event) override;

    // The bar at the selected row loses its start picture; one undo step,
    // the list changed. Nothing on another line.
    void OnClearStart();
    // The summary options, then on OK the summary written into the list.
    void OnSummaryOptions();

    const CXTPToolTipContext& toolTipContext() const { return m_toolTips; }

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;
    // The options dialog; true on OK, the options then hold the choice.
    virtual bool askSummaryOptions(CVes_totalSteelType& options);
    // A cover-template file to write (save) or read in the folder; empty
    // when cancelled.
    virtual QString askCoverPath(bool save, const QString& folder);

private:
    void addCommands();
    void addCalculatorCommands();
    void addCoverCommands();
    CVes_SetupTableLine* selectedLine() const;
    // Flips a flag of the unit line at the selected row as an edit.
    void toggleUnitFlag(int CVes_SetupTableLine::*flag);
    void lineItems(SheetMenu& menu, CVes_TableBase& table);
    void rowItems(SheetMenu& menu);
    void pageKindItems(SheetMenu& menu, CVes_TableBase& table);
    void transferCover(bool save);

    CXTPToolTipContext m_toolTips;
};
