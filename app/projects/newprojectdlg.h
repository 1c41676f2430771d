#pragma once
// The new-project dialog ("新建工程"): the project's name, folder, company,
// preparer and checker, and a grid of storeys (基础层, the floors below and
// above ground) with the element types to make in each. OK makes the
// project folder with a folder per storey and per ticked element type and
// writes "projectinfo.xml" and "buildinginfo.xml". A folder that holds a
// project already is refused, as are names no folder can have.

#include <QDialog>
#include <memory>
#include <vector>

class CGridCtrl;
class StoreyGridOwner;
class CVes_TextOnPictrue;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class CNewProjectDlg : public QDialog {
    Q_OBJECT
public:
    // The grid's columns: number, storey, then the element types.
    static constexpr int kColumnCount = 8;
    static constexpr int kFirstElementColumn = 2;
    // The element types, in the grid's order; the last is the foundation.
    static const QStringList& elementTypes();

    explicit CNewProjectDlg(QWidget* parent = nullptr);
    ~CNewProjectDlg() override;

    // Rebuilds the storey grid from the foundation box and the floor counts.
    void fillGrid();
    // Inserts a storey before the clicked row, or appends one.
    void OnInsertRow();
    // Deletes the clicked row.
    void OnDeleteRow();
    void OnBrowse();
    // Stores the base folder as the default folder of new projects.
    void OnSetDefaultFolder();
    // Checks the entries, makes the folders and writes the project's files;
    // stays open with a message when something is wrong.
    void accept() override;

    // A cell of the storey grid was clicked or reached with the keys.
    void OnGridClick(int row, int column);

    bool m_bFoundation = true;
    bool m_bMakeFolders = true;
    QString m_strCompiler;
    QString m_strCompany;
    QString m_strChecker;
    int m_nBelow = 1;
    int m_nAbove = 6;
    QString m_strFolder;
    QString m_strName;
    int m_nNewOrAdd = 0;
    QString m_strBaseFolder;
    int m_nGridRow = -1;
    int m_nGridCol = -1;

    CVes_TextOnPictrue* m_banner;
    QLineEdit* m_nameEdit;
    QLineEdit* m_folderEdit;
    QPushButton* m_browseButton;
    QPushButton* m_defaultButton;
    QLineEdit* m_companyEdit;
    QLineEdit* m_compilerEdit;
    QLineEdit* m_checkerEdit;
    QCheckBox* m_makeFoldersBox;
    QCheckBox* m_foundationBox;
    QSpinBox* m_belowBox;
    QSpinBox* m_aboveBox;
    QPushButton* m_insertButton;
    QPushButton* m_deleteButton;
    CGridCtrl* m_grid;

private:
    std::unique_ptr<StoreyGridOwner> m_gridOwner;

    void buildLayout();
    void readControls();
    // Puts a storey into grid row `row`: number, name, element-type cells.
    void setRow(int row, const QString& storey, bool foundation);
    void renumber();
    // The storeys of the grid with their ticked element types.
    struct Storey {
        QString name;
        QStringList elementTypes;
    };
    std::vector<Storey> gridStoreys();
    // A message for the first thing that keeps the project from being made.
    QString problem(const std::vector<Storey>& storeys) const;
    bool makeProject(const std::vector<Storey>& storeys);
    // The folder the project folder is made in, as the folder text shows it.
    QString baseFolderShown() const;
};
