#pragma once
// The common-bars chooser: seven fixed lists of frequently used bar shapes
// (the recently chosen ones first) in tabs at the left, and a last tab that
// opens the shape library. The chosen shape's key is the result; a chosen
// shape joins the front of the recent list.

#include "core/model/modelrecord.h"
#include "shapeui/commonbar.h"
#include "shapeui/selectshapedlg.h"

#include <array>
#include <vector>

class CVes_ShapeListCtrl;
class CVes_ThemedTabCtrl;
class QPushButton;

class CVes_CommonBarsDlg : public ShapeChooserDlg {
    Q_OBJECT
public:
    static constexpr int IDD = 2036;
    static constexpr int kIdList = 2018;
    static constexpr int kIdTab = 2016;
    static constexpr int kIdFromLib = 2019;
    // The tab that opens the library.
    static constexpr int kLibraryTab = kCommonBarListTabCount;

    explicit CVes_CommonBarsDlg(QWidget* parent = nullptr);

    // The chosen key after IDOK (null when nothing was chosen).
    CSteelRecordId chosenKey() const { return m_key; }

    void OnInitDialog() override;
    // The user selected tab `tab`.
    void OnTabChanged(int tab);
    // Button 2019: a shape from the library.
    void OnFromLibrary();
    void accept() override;

    const std::vector<CVes_ModelRecord*>& tabList(int tab) const { return m_lists[size_t(tab)]; }

    // The last list tab, kept for the next run.
    static int& rememberedTab();

protected:
    // The list also gets one thumbnail a row whenever it is laid out.
    void placeList() override;

private:
    void loadTab(int tab);
    void showTab(int tab);
    // Puts `record` at the front of the recent list unless it holds it and
    // writes the list.
    void remember(CVes_ModelRecord* record);
    void setColumnSpacing();

    CSteelRecordId m_key;
    std::array<std::vector<CVes_ModelRecord*>, kCommonBarListTabCount> m_lists;
    std::vector<CVes_ModelRecord*>* m_pShowRecords = nullptr;
    ShapePool m_pool{kSteelLibKind};
    bool m_initialised = false;
};
