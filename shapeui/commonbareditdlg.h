#pragma once
// The editor of one category of commonly used bar shapes: its name and the
// ordered shapes it holds, shown as thumbnails. Shapes come from the shape
// library one at a time or many at once from typed keys; the user reorders
// and removes them and gives a shape a number of his own. The caller writes
// the category's file.

#include "core/model/modelrecord.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CVes_ShapeListCtrl;
class QLineEdit;

class CVes_CommonBarEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 2042;
    // Controls (their object names are these numbers).
    static constexpr int kIdList = 2001;
    static constexpr int kIdName = 2046;
    static constexpr int kIdAddFromLib = 2052;
    static constexpr int kIdDelete = 2034;
    static constexpr int kIdMoveUp = 2031;
    static constexpr int kIdMoveDown = 2032;
    static constexpr int kIdUserNumber = 2035;
    static constexpr int kIdBatchText = 2053;
    static constexpr int kIdExample = 2054;
    static constexpr int kIdBatchAdd = 2056;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    // Lets the user choose one shape of the library (start styles when
    // `startLib` is nonzero): answers 1 for OK, 2 for Cancel, and on OK
    // with a choice makes `chosen` a copy of the chosen shape (its key stays
    // null when nothing was chosen).
    using RecordChooser = std::function<int(int startLib, CVes_ModelRecord* chosen)>;

    explicit CVes_CommonBarEditDlg(QWidget* parent = nullptr);
    ~CVes_CommonBarEditDlg() override;

    // Copies of the records (null ones left out), in order.
    void setRecordArray(const std::vector<CVes_ModelRecord*>& records);
    // The records in list order (owned by the dialog).
    std::vector<CVes_ModelRecord*> getRecordArray() const;
    const std::vector<std::unique_ptr<CVes_ModelRecord>>& records() const { return m_records; }

    void setRecordChooser(RecordChooser chooser) { m_chooser = std::move(chooser); }

    // IDOK or IDCANCEL.
    int DoModal();

    // Fills the controls and the thumbnails; DoModal calls it.
    void OnInitDialog();
    // The commands of the buttons.
    void OnAddFromLib();
    void OnBatchAdd();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnAddUserNumber();

    CVes_ShapeListCtrl* listCtrl() const { return m_list; }

    void accept() override;

    QString m_batchText;
    QString m_exampleText = QStringLiteral("101-001;201-008;106-026");
    QString m_categoryName;
    QStringList m_idTexts; // the keys of the records the caller gave
    int m_startLib = 0;    // nonzero when the category holds start styles

private:
    // Controls → members (true) or members → controls (false).
    void UpdateData(bool save);
    bool contains(CSteelRecordId key) const;
    void appendCopy(const CVes_ModelRecord* record);
    void refresh();
    // Selects `item` alone and focuses the list.
    void selectItem(int item);
    int firstSelectedRecordItem() const;
    int lastSelectedRecordItem() const;
    void swapRecords(int a, int b);

    CVes_ShapeListCtrl* m_list = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_batchEdit = nullptr;
    QLineEdit* m_exampleEdit = nullptr;
    std::vector<std::unique_ptr<CVes_ModelRecord>> m_records;
    RecordChooser m_chooser;
    bool m_initialised = false;
};
