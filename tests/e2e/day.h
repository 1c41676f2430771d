#pragma once
// A detailer's day with the whole program, driven the way a person drives
// it: menu items and toolbar buttons of the main window, the project tree's
// context menu, the dialogs that come up, clicks on the sheets' cells and
// keys typed into their editors. The checks read what the windows show and
// what the files written hold.

#include "app/documents/setupdoc.h"
#include "app/documents/setupmainview.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/sheetdocument.h"
#include "app/projects/projecttreectrl.h"
#include "app/shell/mainframe.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/ui/tableview.h"
#include "tests/app/support/appfixture.h"

#include <QMenu>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class CCutOptimizeSpecDlg;
class QAbstractButton;
class QAbstractScrollArea;
class QFileDialog;
class QSpinBox;
class CVes_InPlaceEdit;
class QPrintDialog;
class CXTPCommandBars;
class QTreeWidget;
class QTreeWidgetItem;

namespace e2e {

// With $RODO_SCREENSHOT_DIR set, a picture of `window` as it shows now is
// written there as <name>.png (scripts/screenshots takes the README's
// pictures so).
void shot(QWidget* window, const char* name);

// Types `text` into `widget` character by character.
void typeText(QWidget* widget, const QString& text);

// Clicks the shown, enabled button of `dialog` that reads `text` (its "&"
// key left out); false when there is none.
bool clickButton(QWidget* dialog, const QString& text);
// Clicks into a text field, selects what it holds with Ctrl+A and types
// `text` over it.
void retype(QWidget* field, const QString& text);
// The same with a number box; Tab then leaves it, as a person moves on.
void retypeNumber(QSpinBox* box, int value);
// Clicks a check box or radio button until it shows `checked`.
void clickToState(QAbstractButton* button, bool checked);
// Clicks into the page areas of `area`'s vertical scroll bar until the
// rectangle `place` answers (in the viewport's coordinates) shows from its
// top to its bottom;
// false when it never does.
bool scrollIntoView(QAbstractScrollArea* area, const std::function<QRect()>& place);
// The file dialog: `path` pasted as the file's name, then its accept
// button (打开, 保存) clicked.
void chooseFile(QFileDialog* dialog, const QString& path);
// The cutting list's question: the grade and the diameter typed into its
// boxes (as the keyboard chooses in a list), then OK.
void chooseCuttingSize(CCutOptimizeSpecDlg* dialog, const QString& grade, const QString& diameter);
// The print dialog: the PDF file chosen among the printers (already chosen
// on a machine without printers), `pdf` typed as its name, then 打印.
void printToFile(QPrintDialog* dialog, const QString& pdf);

// One bar as the detailer types it: the shape by its library key, its
// dimensions in the order Tab steps through them, size, spacing, count and
// remark; empty texts are not typed.
struct TypedBar {
    const char* shape;
    QStringList dimensions;
    const char* size;
    const char* spacing;
    const char* count;
    const char* remark = "";
    // A bar of varying length: its dimension's range, typed after the
    // bar is marked as varying.
    const char* varying = nullptr;
};

// An element and its bars.
struct TypedElement {
    const char* name;
    const char* count;
    std::vector<TypedBar> bars;
};

// The three elements of the day: twenty bars of fourteen shapes.
const std::vector<TypedElement>& dayElements();

class Day : public test::AppFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame* frame() const { return app->mainFrame(); }

    // menus, toolbars, dialogs

    // The menu item of the main window's menu bar under `path` (menu texts
    // without their "&" keys), as the menu shows it when opened; null when
    // there is none.
    QAction* menuItem(const QStringList& path) const;
    // Opens the menu `menus` (its path of menu texts) with the mouse: the
    // menu open, or null when one of them is missing or greyed.
    QMenu* openMenus(const QStringList& menus) const;
    // Closes the menus open with Escape.
    static void closeMenus();
    // Clicks the menu of `path` on the menu bar, then its sub-menus, then
    // its item: false when the item is missing or greyed (the menus are
    // closed again).
    bool chooseMenu(const QStringList& path);
    // The same with the item of the menu `menus` (its path of menu texts)
    // that `isItem` picks.
    bool chooseMenuItem(const QStringList& menus, const std::function<bool(QAction*)>& isItem);
    // Clicks the button `id` on the toolbars of `bars`: false when it is
    // missing or greyed.
    static bool clickToolbar(CXTPCommandBars* bars, int id);
    // Runs `open`, which opens a pop-up menu, and chooses the item that
    // reads `item` ("钢筋编号 > 取消钢筋编号" for an item of a sub-menu;
    // texts after a tab left out); false when the menu did not offer it.
    static bool chooseFromMenu(const std::function<void()>& open, const QString& item);
    // The same with the context menu of `widget` at `at`.
    static bool chooseFromContextMenu(QWidget* widget, QPoint at, const QString& item);
    // The same with the context menu of a cell of the sheet shown: the cell
    // is clicked, then clicked with the right button.
    bool chooseFromSheetMenu(int row, int column, const QString& item);

    // the project

    // 工程 → 新建工程 with one building of one storey; answers the project's folder.
    QString newProject(const char* name);
    CProjectTreeCtrl* projectTree() const;
    QTreeWidgetItem* treeItem(const QStringList& path) const;
    // Opens the folders above `item` by their arrows and scrolls the tree
    // until the item shows; false when it cannot be shown.
    static bool showInTree(QTreeWidget* tree, QTreeWidgetItem* item);
    // The tree's context menu on `path`: `item` (新建钢筋加工单, …) named
    // `name`; answers the document it opened.
    platform::Document* newSheetIn(const QStringList& path, const QString& item, const char* name);
    // The same for 新建钢筋配料单.
    CRODOSetUpDoc* newBarListIn(const QStringList& path, const char* name);

    // The folder of the day's bar list in the tree: 项目/滨江花园/第1层/柱.
    static QStringList storeyPath();
    // The start of the day: the project, the bar list in its storey, shown
    // at 100 %, and the three elements typed in.
    void startTheDay();

    // the bar list

    CRODO_SetUpMainView* container() const;
    CVes_TableViewBase* activeSheet() const;
    CVes_SetupTable* barList() const;
    // Clicks a cell of the bar list's current page (scrolling it into view).
    void clickCell(int row, int column);
    // Types `text` on the current cell and ends it with Enter.
    void typeEntry(const QString& text);
    // Clicks the cell and types the entry.
    void enterCell(int row, int column, const QString& text);
    CVes_InPlaceEdit* openEditor() const;
    // Types the three elements with their bars from the first row on.
    void typeTheDay();
    // Types the zoom into the zoom box ("100%").
    void setZoom(const QString& percent);
    // Chooses a sheet tab of the bar list's window by clicking it; lets a
    // background rebuild end.
    void chooseTab(int tab);
    // The same in the window of another document.
    static void chooseTab(SheetDocument* document, int tab);
    // The active document of the main window.
    platform::Document* activeDocument() const;

    // The texts the shown page of a sheet draws.
    static QStringList pageTexts(CVes_TableBase& table);

    QTemporaryDir dir;
    QString projectFolder;
    CRODOSetUpDoc* doc = nullptr;

private:
    QByteArray m_oldTemp;
};

} // namespace e2e
