#pragma once
// 提货单信息编辑: the heading texts of the purchase (进货/提货) sheet. The
// document fills the members before it opens the dialog and takes them
// after OK.

#include <QDialog>
#include <QString>

class QLineEdit;

class CDeliveryNoteDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 243;
    static constexpr int kBannerId = 1030;
    static constexpr int kTitleId = 1005;
    static constexpr int kNumberId = 1012;
    static constexpr int kCustomerId = 1006;
    static constexpr int kProjectId = 1007;
    static constexpr int kDeliveryTimeId = 1008;
    static constexpr int kPreparerId = 1009;
    static constexpr int kCheckerId = 1010;
    static constexpr int kCompiledOnId = 1011;

    explicit CDeliveryNoteDlg(QWidget* parent = nullptr);
    ~CDeliveryNoteDlg() override;

    void UpdateData(bool saveAndValidate);
    void accept() override;

    QString m_strTitle;        // 表单标题
    QString m_strNumber;       // 单号
    QString m_strCustomer;     // 客户名称
    QString m_strProject;      // 工程信息
    QString m_strDeliveryTime; // 提货时间
    QString m_strPreparer;     // 编制者
    QString m_strChecker;      // 校对者
    QString m_strCompiledOn;   // 编制时间

protected:
    void showEvent(QShowEvent* event) override;
};
