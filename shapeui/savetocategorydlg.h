#pragma once
// "保存到": asks in which category (sub-library) of a shape library a new
// shape is to be stored.

#include "core/model/modelrecordlib.h"

#include <QDialog>

class QListWidget;
class CVes_ThemedButton;

class CSaveToCategoryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 2029;
    static constexpr int kIdList = 2014;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit CSaveToCategoryDlg(QWidget* parent = nullptr);

    // The categories offered (borrowed); set before the dialog runs.
    void setCategoryArray(SubLibArray* categories) { m_pCategories = categories; }
    // The category chosen; null until the user confirms a choice.
    CVes_ModelRecordSubLib* chosenCategory() const { return m_pChosen; }

    // IDOK or IDCANCEL.
    int DoModal();
    // Fills the list; DoModal and showing the dialog call it.
    void OnInitDialog();
    // Takes the selected category and ends with IDOK; nothing without one.
    void OnOK();

    QListWidget* list() const { return m_pList; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    SubLibArray* m_pCategories = nullptr;
    CVes_ModelRecordSubLib* m_pChosen = nullptr;
    QListWidget* m_pList = nullptr;
    CVes_ThemedButton* m_pOk = nullptr;
    CVes_ThemedButton* m_pCancel = nullptr;
    bool m_bInitialised = false;
};
