#pragma once
// The shape chooser with category tabs: one tab per category of the
// category file (its shapes listed in the category's list file) and a last
// tab that opens the shape library. The chosen shape's key is the result.
// Also the pool of shape copies both choosers show their lists from.

#include "core/model/modelrecord.h"
#include "shapeui/commonbar.h"
#include "shapeui/shapechooserdlg.h"

#include <memory>
#include <vector>

class CVes_ShapeListCtrl;
class CVes_ThemedTabCtrl;
class QPushButton;

// Copies of library shapes owned by a chooser; every shape a chooser shows
// is one of them.
class ShapePool {
public:
    explicit ShapePool(int libKind) : m_libKind(libKind) {}

    // The copy with that key, or null.
    CVes_ModelRecord* findKey(CSteelRecordId key) const;
    // The copy that is `record` itself or the same shape, or null.
    CVes_ModelRecord* findEqual(const CVes_ModelRecord* record) const;
    // The pool's equal copy, or a new copy of `record` that joins the pool.
    CVes_ModelRecord* adopt(const CVes_ModelRecord* record);
    // Appends to `target` the shapes of `keys` in order: a copy of the pool
    // with that key, else the library's shape copied into the pool; keys
    // that are null or name no shape are skipped.
    void load(const std::vector<CSteelRecordId>& keys, std::vector<CVes_ModelRecord*>& target);

    int size() const { return int(m_records.size()); }

private:
    int m_libKind;
    std::vector<std::unique_ptr<CVes_ModelRecord>> m_records;
};

// Whether `list` holds `record` itself or the same shape.
bool containsEqual(const std::vector<CVes_ModelRecord*>& list, const CVes_ModelRecord* record);

class CVes_SelectShapeDlg : public ShapeChooserDlg {
    Q_OBJECT
public:
    static constexpr int IDD = 2041;
    static constexpr int kIdTab = 2044;
    static constexpr int kIdList = 2001;
    static constexpr int kIdManage = 2045;

    explicit CVes_SelectShapeDlg(int libKind = kSteelLibKind, QWidget* parent = nullptr);

    int libKind() const { return m_libType; }
    // The chosen key after IDOK (null when nothing was chosen).
    CSteelRecordId chosenKey() const { return m_key; }

    void OnInitDialog() override;
    // The user selected tab `tab`.
    void OnTabChanged(int tab);
    // Edits the list of the current category (button 2045).
    void OnManage();
    void accept() override;

    int currentTab() const { return m_curTab; }
    QPushButton* manageButton() const { return m_manage; }
    const CommonBarCategories& categories() const { return m_categories; }
    const std::vector<CVes_ModelRecord*>& categoryList(int index) const { return m_lists[size_t(index)]; }

    // The last tab of each library kind, kept for the next run.
    static int& rememberedTab(int libKind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    void loadTab(int tab);
    void showTab(int tab);
    // Selects tab `tab` as if the user had.
    void selectTab(int tab);
    void chooseFromLibrary();
    // Puts `front` (unless null or already there) at the front of the first
    // category's list and writes that list.
    void writeFirstList(CVes_ModelRecord* front);
    bool isCategory(int tab) const { return tab >= 0 && tab < int(m_lists.size()); }

    CSteelRecordId m_key;
    QPushButton* m_manage = nullptr;
    int m_curTab = 0;
    std::vector<CVes_ModelRecord*>* m_pShowRecords = nullptr;
    ShapePool m_pool;
    int m_libType;
    CommonBarCategories m_categories;
    std::vector<std::vector<CVes_ModelRecord*>> m_lists;
    bool m_initialised = false;
    bool m_switching = false;
};
