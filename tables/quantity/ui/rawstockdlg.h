#pragma once
// The raw stock a table carries (表格内原材设置): one grid row per record with
// its grade, diameter, bar type, stock length (m) and price (元/吨). Every
// finished cell edit goes into the library at once; Cancel puts back what
// the library held when the dialog opened. With "向下批量修改数据" an edit
// is copied to every record from the edited one down. The same dialog edits
// the user's default raw stock, under a title and a note of its own.

#include "grid/gridowner.h"

#include <QDialog>

#include <memory>

class CGridCtrl;
class CVes_SteelYuanCaiDataLib;
class QCheckBox;
class QLabel;

class CVes_RawStockDlg : public QDialog, public GridOwner {
    Q_OBJECT
public:
    static constexpr int IDD = 4010;
    static constexpr int kGridId = 4035;
    static constexpr int kColumnCount = 6;
    static constexpr int kColGrade = 1;
    static constexpr int kColDiameter = 2;
    static constexpr int kColType = 3;
    static constexpr int kColLength = 4;
    static constexpr int kColPrice = 5;

    explicit CVes_RawStockDlg(QWidget* parent = nullptr);
    ~CVes_RawStockDlg() override;

    // Runs the dialog on the user's default raw stock (the settings
    // library's editor of it); true after OK.
    static bool editDefaultStock(CVes_SteelYuanCaiDataLib& library, QWidget* parent);
    // Shows the dialog as the editor of the user's default raw stock: its
    // title, and a note that it serves new sheets and sizes a sheet does not
    // hold yet, not the stock sheets already carry.
    void showAsDefaultStock();
    QLabel* noteLabel() const { return m_note; }

    // Closes the dialog with the library as it was when the dialog opened.
    void reject() override;

    // Builds the grid of the library set in m_pYuanCaiLib; nothing (no grid)
    // without one. Showing the dialog runs it once.
    bool OnInitDialog();
    // Rewrites every row of the grid from the library.
    void fillGrid();

    LRESULT OnGridNotify(const GridNotify& notify) override;
    void OnGridClick(int row, int column);
    void OnGridSelChanged(int row, int column);
    void OnGridEndEdit(int row, int column);

    CGridCtrl* grid() const { return m_grid; }
    QCheckBox* batchDownBox() const { return m_batchDownBox; }

    int m_bBatchDown = 0;
    CVes_SteelYuanCaiDataLib* m_pYuanCaiLib = nullptr;
    int m_nClickRow = -1;
    int m_nClickCol = -1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The cell back to a plain editable text cell, keeping its text.
    void resetCell(int row, int column);
    // The cell as a drop-down list of the options.
    void makeListCell(int row, int column, const QStringList& options);

    CGridCtrl* m_grid = nullptr;
    QCheckBox* m_batchDownBox = nullptr;
    QLabel* m_note = nullptr;
    // What the library held when the dialog opened.
    std::unique_ptr<CVes_SteelYuanCaiDataLib> m_original;
    // The cell shown as a drop-down list, if any.
    int m_listRow = -1;
    int m_listCol = -1;
    bool m_initialised = false;
};
