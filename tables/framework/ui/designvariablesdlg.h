#pragma once
// The design dialog "设计信息": the atlas edition, concrete strength, seismic
// grade, concrete cover, joint area percentage with its lap factor,
// construction disturbance and the user's own anchorage multiples of a
// sheet. It reads the sheet's design variables when it opens and writes them
// back on "确定"; "取消" writes nothing.

#include <QDialog>

#include <array>

class CVes_TableBase;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CVes_DesignInfoDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CVes_DesignInfoDlg(CVes_TableBase* table, QWidget* parent = nullptr);

    // Checks the whole-number fields, writes the variables and closes; a
    // field that is not a whole number is reported and keeps the dialog open.
    void accept() override;

    QRadioButton* m_atlas03 = nullptr;
    QRadioButton* m_atlas11 = nullptr;
    QComboBox* m_concrete = nullptr;
    QComboBox* m_seismic = nullptr;
    QLineEdit* m_cover = nullptr;
    QComboBox* m_percent = nullptr;
    QLineEdit* m_zeta = nullptr;
    QCheckBox* m_disturbance = nullptr;
    QLabel* m_disturbanceNote = nullptr;
    QCheckBox* m_custom = nullptr;
    QGroupBox* m_customGroup = nullptr;
    std::array<QLineEdit*, 4> m_multiples{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;

private:
    void readVariables();
    void showZeta();
    void showDisturbanceNote();
    void showCustom();

    CVes_TableBase* m_table;
    int m_concreteRead = -1;
};
