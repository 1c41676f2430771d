#pragma once
// The stirrup count of a beam taken from a table of parameters by beam
// height: the user gives the net span, the spacing pair and the row of the
// beam height; the caller reads the count and the pair after OK.

#include "grid/gridowner.h"

#include <QDialog>
#include <vector>

class CGridCtrl;
class QLineEdit;
class QPushButton;
class QRadioButton;

// One row of the parameter table: beam height, the L2 of each spacing pair,
// N and the count last taken from the row.
struct HoopTableRow {
    int hb = 0;
    int l2For200 = 0;
    int l2For150 = 0;
    int n = 0;
    int result = 0;

    bool operator==(const HoopTableRow&) const = default;
};

// Spacing pairs: 0 = "100/200", 1 = "100/150".
inline constexpr int HoopPair200 = 0;
inline constexpr int HoopPair150 = 1;

// The built-in table, from 400 to 1000 mm of beam height.
std::vector<HoopTableRow> hoopTableRows();

// Count of one row for the net span ln (mm) and the spacing pair:
// (ln - L2) / spacing + N + 0.5, truncated; never below 0.
int hoopTableCount(const HoopTableRow& row, int ln, int pair);

class CVes_HoopTableDlg : public QDialog, public GridOwner {
    Q_OBJECT

public:
    explicit CVes_HoopTableDlg(QWidget* parent = nullptr);
    ~CVes_HoopTableDlg() override;

    // What the caller reads after OK.
    int result() const { return m_nResult; }
    int pair() const { return m_nPair; }

    // The parameter table as it stands (edited values included).
    const std::vector<HoopTableRow>& table() const { return m_table; }

    CGridCtrl* grid() const { return m_pGrid; }
    QLineEdit* lnEdit() const { return m_pLnEdit; }
    QRadioButton* pairButton(int pair) const { return pair == HoopPair150 ? m_pPair150 : m_pPair200; }
    QPushButton* editButton() const { return m_pEditButton; }
    bool editMode() const { return m_bEditMode; }

    LRESULT OnGridNotify(const GridNotify& notify) override;

public:
    void accept() override;

private:
    void readFields();
    void fillGrid();
    void onEditButton();
    bool storeEditedRow(int row);

    std::vector<HoopTableRow> m_table;
    CGridCtrl* m_pGrid = nullptr;
    QLineEdit* m_pLnEdit = nullptr;
    QRadioButton* m_pPair200 = nullptr;
    QRadioButton* m_pPair150 = nullptr;
    QPushButton* m_pEditButton = nullptr;
    int m_nLn = 0;
    int m_nPair = HoopPair200;
    bool m_bEditMode = false;
    int m_nSelRow = -1;
    int m_nSelCol = -1;
    int m_nResult = 0;
};
