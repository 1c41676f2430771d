#pragma once
// The element-unit dialog (构件单元编辑) of a unit line: the run of units the
// line names (start and end unit), how its label is written, and, in a grid
// shown on demand, the list's units themselves with their start and end
// positions (the end of one unit is the start of the next).

#include "grid/gridowner.h"

#include <QDialog>
#include <QStringList>

class CGridCtrl;
class CVes_SetupTable;
class CVes_SetupTableLine;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class CUnitEditDlg : public QDialog, public GridOwner {
    Q_OBJECT

public:
    static constexpr int IDD = 2038;
    // Grid columns.
    static constexpr int kColName = 1;
    static constexpr int kColStart = 2;
    static constexpr int kColEnd = 3;

    explicit CUnitEditDlg(QWidget* parent = nullptr);
    ~CUnitEditDlg() override;

    // Takes the line's run and label form and the list's units; store gives
    // them back (after OK).
    void load(const CVes_SetupTable& table, const CVes_SetupTableLine& line);
    void store(CVes_SetupTable& table, CVes_SetupTableLine& line) const;

    // The dialog's state, as the caller fills and reads it.
    QString m_strStart;
    QString m_strEnd;
    int m_nMerged = 1;
    int m_nSame = 0;
    int m_nForm = -1;
    QStringList m_names;
    QStringList m_locations; // one more than the names

    // The current grid row (the unit's number from 1), 0 for none.
    int currentRow() const { return m_nCurRow; }
    void setCurrentRow(int row);
    bool isGridShown() const { return m_bGridShown; }
    QString preview() const;

    QLabel* previewLabel() const { return m_pPreview; }
    QComboBox* startCombo() const { return m_pStart; }
    QComboBox* endCombo() const { return m_pEnd; }
    QLineEdit* startRangeEdit() const { return m_pStartRange; }
    QLineEdit* endRangeEdit() const { return m_pEndRange; }
    QComboBox* formCombo() const { return m_pForm; }
    QCheckBox* mergedCheck() const { return m_pMerged; }
    QCheckBox* sameCheck() const { return m_pSame; }
    QPushButton* modifyButton() const { return m_pModify; }
    QPushButton* addButton() const { return m_pAdd; }
    QPushButton* deleteButton() const { return m_pDelete; }
    QPushButton* upButton() const { return m_pUp; }
    QPushButton* downButton() const { return m_pDown; }
    CGridCtrl* grid() const { return m_pGrid; }

    // The buttons under the grid.
    void addUnit();
    void deleteUnit();
    void moveUnit(int step);
    // Shows or hides the unit grid ("修改…").
    void toggleGrid();

    LRESULT OnGridNotify(const GridNotify& notify) override;

private:
    void padLocations();
    // Both unit lists and the two position ranges from the units, then the
    // preview and the controls.
    void refresh();
    void composePreview();
    void loadControls();
    void readControls();
    void fillGrid();
    void enableButtons();
    void focusRow(bool markSelected);
    void onCellEdited(int row, int column);
    void layoutForGrid();
    QString rangeOf(int unit) const;

    QLabel* m_pPreview = nullptr;
    QComboBox* m_pStart = nullptr;
    QLineEdit* m_pStartRange = nullptr;
    QComboBox* m_pEnd = nullptr;
    QLineEdit* m_pEndRange = nullptr;
    QComboBox* m_pForm = nullptr;
    QCheckBox* m_pMerged = nullptr;
    QCheckBox* m_pSame = nullptr;
    QPushButton* m_pModify = nullptr;
    QFrame* m_pGridFrame = nullptr;
    CGridCtrl* m_pGrid = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pUp = nullptr;
    QPushButton* m_pDown = nullptr;
    QString m_strPreview = QStringLiteral("<<标注文字>>");
    QString m_strEditing; // a grid cell's text when its edit began
    int m_nCurRow = 0;
    bool m_bGridShown = false;
    bool m_bLoading = false;
};
