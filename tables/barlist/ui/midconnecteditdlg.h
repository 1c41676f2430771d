#pragma once
// The batch edit of the intermediate connections of over-long bars: the
// connection type, whether the joints are counted over the stock length or
// typed in, the stock length or the count, and which bars are concerned (a
// diameter range and a scope of pages). The caller reads edit() after OK.

#include "tables/barlist/jointlength.h"

#include <QDialog>

class CVes_TextOnPictrue;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class CVes_MidConnectEditDlg : public QDialog {
    Q_OBJECT

public:
    // Count methods.
    static constexpr int kByStockLength = 0;
    static constexpr int kManual = 1;

    explicit CVes_MidConnectEditDlg(QWidget* parent = nullptr);

    // The result after OK: the connection, the diameter filter and range,
    // the scope and the page range.
    const barlist::MidConnectEdit& edit() const { return m_edit; }
    const CVes_MidConnect& midConnect() const { return m_edit.connect; }

    QComboBox* typeCombo() const { return m_pType; }
    QCheckBox* statCheck() const { return m_pStat; }
    QComboBox* methodCombo() const { return m_pMethod; }
    QLabel* valueLabel() const { return m_pValueLabel; }
    QLineEdit* valueEdit() const { return m_pValue; }
    QRadioButton* diameterButton(int filter) const { return filter ? m_pRange : m_pAll; }
    QLineEdit* lowestEdit() const { return m_pLowest; }
    QLineEdit* highestEdit() const { return m_pHighest; }
    QRadioButton* scopeButton(int scope) const;
    QLineEdit* firstPageEdit() const { return m_pFirstPage; }
    QLineEdit* lastPageEdit() const { return m_pLastPage; }
    CVes_TextOnPictrue* banner() const { return m_pBanner; }

public:
    void accept() override;

private:
    void onMethodChanged(int method);

    CVes_TextOnPictrue* m_pBanner = nullptr;
    QComboBox* m_pType = nullptr;
    QCheckBox* m_pStat = nullptr;
    QComboBox* m_pMethod = nullptr;
    QLabel* m_pValueLabel = nullptr;
    QLineEdit* m_pValue = nullptr;
    QRadioButton* m_pAll = nullptr;
    QRadioButton* m_pRange = nullptr;
    QLineEdit* m_pLowest = nullptr;
    QLineEdit* m_pHighest = nullptr;
    QRadioButton* m_pCurrentPage = nullptr;
    QRadioButton* m_pWholeTable = nullptr;
    QRadioButton* m_pPageRange = nullptr;
    QLineEdit* m_pFirstPage = nullptr;
    QLineEdit* m_pLastPage = nullptr;
    barlist::MidConnectEdit m_edit;
};
