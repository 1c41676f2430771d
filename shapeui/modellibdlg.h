#pragma once
// The shape library dialog: the user browses the bar-shape library (or the
// start-style library), picks a shape, and edits the libraries: categories
// (sub-libraries) on the system and the user side, the shapes inside them,
// import and export, backup and restore, and the user's own shape numbers.
// The same dialog serves the choosers (pick a shape and press OK) and the
// library management of the main program.

#include "core/model/modelrecordlib.h"
#include "widgara/commandbars.h"
#include "widgara/resizedialog.h"

#include <QMargins>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CVes_FlatButton;
class CVes_PaneStack;
class CVes_ShapeListCtrl;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// What a file dialog of the library dialog asks for. `filter` is in Qt's
// form ("desc (*.jlb);;desc (*.*)").
struct ModelLibFileRequest {
    bool save = false;        // a save dialog (with the overwrite question)
    QString title;
    QString defaultName;      // the proposed file name
    QString defaultSuffix;    // added to a name typed without one
    QString filter;
    bool mustExist = false;   // an open dialog accepts existing files only
};

// A filter of the Windows form ("desc|*.jlb|desc|*.*||") in Qt's form
// ("desc (*.jlb);;desc (*)").
QString qtFileFilter(const QString& filter);

class CVes_ModelLibDlg : public CXTResizeDialog, public CXTPCommandBarsSite {
    Q_OBJECT
public:
    static constexpr int IDD = 2000;

    // Controls (their object names are these numbers).
    static constexpr int kIdShapeList = 2001;
    static constexpr int kIdPaneBar = 2002;
    static constexpr int kIdSysList = 2003;
    static constexpr int kIdUseList = 2004;
    static constexpr int kIdMoveForward = 2006; // 前移
    static constexpr int kIdMoveBack = 2007;    // 后移
    static constexpr int kIdSave = 2036;
    static constexpr int kIdVer1 = 2037;
    static constexpr int kIdVer2 = 2038;
    static constexpr int kIdVer3 = 2039;
    static constexpr int kIdVerText = 2040;
    static constexpr int kIdMoveTo = 2058;
    static constexpr int kIdUserNumber = 2059;

    // Resources: the menu, the toolbar and its icons.
    static constexpr int kMenuId = 2001;
    static constexpr int kToolBarId = 2006;
    static constexpr int kIconsId = 2023;

    // Commands of the menu and the toolbar.
    static constexpr int ID_NEW_CATEGORY = 42772;
    static constexpr int ID_DELETE_CATEGORY = 42791;
    static constexpr int ID_RENAME_CATEGORY = 42832;
    static constexpr int ID_CHANGE_SUBLIB_ID = 32837;
    static constexpr int ID_NEW_SHAPE = 42781;
    static constexpr int ID_NEW_SHAPE_FROM = 42783;
    static constexpr int ID_MODIFY_SHAPE = 42776;
    static constexpr int ID_COPY_SHAPE = 42777;
    static constexpr int ID_CUT_SHAPE = 42780;
    static constexpr int ID_PASTE_SHAPE = 42778;
    static constexpr int ID_DELETE_SHAPE = 42779;
    static constexpr int ID_IMPORT_LIB = 42773;
    static constexpr int ID_EXPORT_LIB = 42774;
    static constexpr int ID_IMPORT_SHAPE = 42784;
    static constexpr int ID_EXPORT_SHAPE = 42785;
    static constexpr int ID_BACKUP_LIB = 42786;
    static constexpr int ID_RESTORE_LIB = 42787;

    // What a cell of the shape list adds to its thumbnail's width.
    static constexpr int kCellMargin = 20;

    // Library kinds.
    static constexpr int kModelLib = 0;
    static constexpr int kStartLib = 1;

    // Edits `record` in the shape editor (start styles when `startLib` is
    // nonzero): IDOK when the user kept the edit, else IDCANCEL.
    using ShapeEditor = std::function<int(CVes_ModelRecord* record, int startLib)>;
    // Lets the user pick the sub-library a new shape goes to, among `libs`:
    // IDOK with `*chosen` set, else IDCANCEL.
    using SaveToChooser = std::function<int(SubLibArray& libs, CVes_ModelRecordSubLib** chosen)>;
    // Runs a file dialog: the chosen path, or an empty text when cancelled.
    using FileDialog = std::function<QString(const ModelLibFileRequest& request)>;

    // Process-wide stand-ins for the dialogs the commands open; an empty
    // function restores the program's own (the shape editor, the save-to
    // dialog, the desktop's file dialogs).
    static void setShapeEditor(ShapeEditor editor);
    static void setSaveToChooser(SaveToChooser chooser);
    static void setFileDialog(FileDialog dialog);

    explicit CVes_ModelLibDlg(QWidget* parent = nullptr);
    ~CVes_ModelLibDlg() override;

    // Set before DoModal.
    void setLibType(int libType) { m_libType = libType; }
    int libType() const { return m_libType; }
    void setManage(int manage) { m_bManage = manage; }
    int isManage() const { return m_bManage; }

    // After IDOK: the chosen shape (possibly null), valid as long as the
    // dialog lives.
    CVes_ModelRecord* chosenRecord() const { return m_pChooseRecord; }

    // The record of the last selected item of the shape list, or null.
    CVes_ModelRecord* getSelectShape() const;
    // Whether a command is available now (its update handler's answer).
    bool isCommandEnabled(int nID) const;

    bool OnInitDialog() override;
    void OnCommand(int nID) override;
    void OnUpdateCommandUI(CCmdUI* pCmdUI) override;

    // Shows the sub-library at `row` of the system (isSys 1) or user list.
    void OnSelectSubLib(int isSys, int row);
    // The pane bar opened the pane holding `listBox`.
    void OnPaneClicked(QWidget* listBox);

    void OnMoveForward();
    void OnMoveBack();
    void OnMoveTo();
    void OnUserNumber();
    void OnSave();
    void OnShapeDoubleClicked();
    // An in-place edit of item `item`'s caption ended with `text`.
    void OnEndLabelEdit(int item, const QString& text);

    // What the dialog shows.
    CVes_ShapeListCtrl* shapeList() const { return m_list; }
    QListWidget* subLibList(int isSys) const { return isSys ? m_sysList : m_useList; }
    CVes_PaneStack* paneBar() const { return m_paneBar; }
    CXTPCommandBars* commandBars() const { return m_pCommandBars.get(); }
    CVes_ModelRecordMainLib* currentLib() const { return m_pCurLib; }
    // The shown sub-library, or null.
    CVes_ModelRecordSubLib* shownSubLib() const;
    int isSysShown() const { return m_bSys; }
    const CVes_ModelRecord* clipboardRecord() const { return m_pCopyRecord.get(); }
    QString versionText() const { return m_strVer; }

    // Selects `item` of the shape list alone.
    void selectShape(int item);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void OnSize(int nType, int cx, int cy) override;

private:
    void createControls();
    void createCommandBars();
    void layoutCommandBars();
    // Sets the shape list's cells from its width now (two bar shapes or
    // three start styles a row); run again on every resize of the list.
    void fitShapeSpacing();
    // The side of the sub-library commands: 1 with the manage flag on a
    // shown system sub-library, else 0.
    int side() const { return (m_bManage && m_bSys) ? 1 : 0; }
    bool isEditable() const { return !m_bSys || m_bManage; }
    // Refills a sub-library list box (keeps no selection).
    void fillSubLibList(int isSys);
    CVes_ModelRecordSubLib* selectedSubLib(int isSys) const;
    void showSubLib(CVes_ModelRecordSubLib* subLib);
    void refreshShapes();
    void updateButtons();
    void updateCommands();
    QString libraryWord() const;
    // The default file of the system (isSys 1) or user side.
    QString sidePath(int isSys) const;
    std::unique_ptr<CVes_ModelRecord> newRecord() const;

    // The commands.
    bool newCategory();
    void deleteCategory();
    void renameCategory();
    void changeSubLibId();
    void newShape(const CVes_ModelRecord* from);
    void modifyShape();
    void copyShape();
    void cutShape();
    void deleteShape();
    void pasteShape();
    void importLib();
    void exportLib();
    void importShape();
    void exportShape();
    void backupLib();
    void restoreLib();
    // Puts a copy of `record` into a sub-library the user picks, backs up
    // and saves the library.
    void addToCategory(const CVes_ModelRecord* record);
    void removeSelectedShape();
    // Runs the shape editor on `record`: IDOK or IDCANCEL.
    int editShape(CVes_ModelRecord* record);
    void selectAndShow(int item);
    // The default user library copied into the userdata folder; false (and
    // a message) when that failed.
    bool backUp();
    // Saves the side the commands write; false (and a message) on failure.
    bool save();
    bool saveSide(int isSys);
    QString runFileDialog(const ModelLibFileRequest& request) const;

    std::unique_ptr<CXTPCommandBars> m_pCommandBars;
    std::vector<std::unique_ptr<CVes_ModelRecord>>* m_pShowRecords = nullptr;
    CVes_ModelRecord* m_pChooseRecord = nullptr;
    int m_bManage = 0;
    QPushButton* m_btnMoveTo = nullptr;
    CVes_FlatButton* m_btnMoveBack = nullptr;
    CVes_FlatButton* m_btnMoveForward = nullptr;
    QListWidget* m_sysList = nullptr;
    QListWidget* m_useList = nullptr;
    CVes_PaneStack* m_paneBar = nullptr;
    CVes_FlatButton* m_btnCancel = nullptr;
    CVes_FlatButton* m_btnOk = nullptr;
    CVes_ShapeListCtrl* m_list = nullptr;
    int m_ver1 = 0;
    int m_ver2 = 0;
    int m_ver3 = 0;
    QString m_strVer;
    QLineEdit* m_verEdits[3] = {};
    QLabel* m_verLabel = nullptr;
    QPushButton* m_btnSave = nullptr;
    QPushButton* m_btnUserNumber = nullptr;
    CVes_ModelRecordMainLib m_modelLib;
    CVes_ModelStartMainLib m_startLib;
    int m_libType = kModelLib;
    int m_bSys = 1;
    CVes_ModelRecordMainLib* m_pCurLib = nullptr;
    std::unique_ptr<CVes_ModelRecord> m_pCopyRecord;
    int m_lastSubLibIndex = -1;
    CVes_ModelRecordSubLib* m_pShownSubLib = nullptr;
    QMargins m_lastBorders;
    bool m_filling = false;
};
