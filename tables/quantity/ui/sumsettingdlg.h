#pragma once
// The summary settings of a table (钢筋汇总设置): the order of the sorted bar
// table, the losses and the wire-rod limit, how the summaries are broken
// down, which bar kinds are summed, joints of over-long bars and the stirrup
// fee. The caller hands in its rules (setRules) and its raw stock, and after
// OK takes the values back (getRules). The values can be kept as the user's
// defaults ("sortrule.rul") and read back.

#include <QDialog>

#include <map>

class CVes_SortRules;
class CVes_SteelYuanCaiDataLib;
class CVes_TextOnPictrue;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CVes_SumSettingDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 4004;
    // Controls.
    enum Id {
        kDnOrder = 4005,
        kLenOrder = 4034,
        kCalcLossBar = 4001,
        kLossBar = 4002,
        kCalcLossWire = 4006,
        kLossWire = 4008,
        kShowLoss = 4028,
        kLossPlace = 4011,
        kWireDN = 4003,
        kBarDN = 4004,
        kSumInEleType = 4021,
        kSumByDnClass = 4024,
        kSumByGrade = 4007,
        kStateGu = 4022,
        kStateGuai = 4025,
        kStateZhi = 4026,
        kAutoPrice = 4009,
        kRawStock = 4023,
        kAutoMidConnect = 4037,
        kReverseSleeve = 4038,
        kCalcStirrupFee = 4016,
        kStirrupFee = 4017,
        kStirrupCountLabel = 4020,
        kStirrupCount = 4019,
        kAutoStirrupCount = 4018,
        kSaveDefaults = 4032,
        kLoadDefaults = 4033,
        kBanner = 4027,
    };

    explicit CVes_SumSettingDlg(QWidget* parent = nullptr);
    ~CVes_SumSettingDlg() override;

    // Runs the dialog on a table's rules and raw stock; after OK the rules
    // take the dialog's values and the answer is true. After Cancel the raw
    // stock is as it was, whatever its own dialog changed.
    static bool editRules(CVes_SortRules& rules, CVes_SteelYuanCaiDataLib* stock,
                          QWidget* parent);

    // Takes every rule the dialog edits (the loss rates narrowed to float).
    void setRules(const CVes_SortRules& rules);
    // Writes the dialog's values into the rules; the rules it does not edit
    // stay as they are.
    void getRules(CVes_SortRules& rules) const;

    // Shows the values in the controls (false) or reads the controls into
    // them (true). Reading answers false, with a message, when a number box
    // holds no number; the values then stay as they were.
    bool UpdateData(bool saveAndValidate);
    void accept() override;

    // "数据存为默认值" and "读取默认值数据".
    void OnSaveDefaults();
    void OnLoadDefaults();
    // "原材单价设置": the raw-stock dialog on the table's raw stock.
    void OnRawStock();

    QWidget* control(int id) const;
    QComboBox* combo(int id) const;
    QCheckBox* check(int id) const;
    QLineEdit* edit(int id) const;
    QPushButton* button(int id) const;

    CVes_SteelYuanCaiDataLib* m_pYuanCaiLib = nullptr;

    int m_dnOrder = 0;
    int m_lenOrder = 0;
    int m_calcLossBar = 1;
    float m_lossBar = 2.5f;
    int m_calcLossWire = 0;
    float m_lossWire = 2.5f;
    int m_showLoss = 0;
    int m_lossPlace = 0;
    float m_wireDN = 12.0f;
    int m_sumInEleType = 1;
    int m_sumByDnClass = 1;
    int m_sumByGrade = 0;
    int m_stateGu = 0;
    int m_stateGuai = 0;
    int m_stateZhi = 0;
    int m_autoPrice = 0;
    int m_autoMidConnect = 1;
    int m_reverseSleeve = 1;
    int m_calcStirrupFee = 0;
    float m_stirrupFee = 0.0f;
    int m_stirrupCount = 0;
    int m_autoStirrupCount = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // The wire-rod list selects the limit; a limit the list lacks is added.
    void showWireDN();
    void wireDNChanged();
    void applyStirrupFeeVisibility();
    void applyLossBoxes();

    template <typename T> T* add(int id, T* widget);

    std::map<int, QWidget*> m_controls;
    CVes_TextOnPictrue* m_banner = nullptr;
};
