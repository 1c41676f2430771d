#pragma once
// The keyword of the bar summary ("按关键字进行汇总"): whether bar numbers or
// bar remarks are matched, the keyword, and whether the whole text must
// equal it. The caller sets the three values, runs the dialog and reads them
// back after OK.

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CVes_KeyWordHuizongDlg : public QDialog {
    Q_OBJECT

public:
    // Keyword kinds.
    static constexpr int kBarNumber = 0;
    static constexpr int kBarRemark = 1;

    explicit CVes_KeyWordHuizongDlg(QWidget* parent = nullptr);

    void setValues(int kind, const QString& key, int wholeText);
    int kind() const { return m_kind; }
    const QString& key() const { return m_key; }
    int wholeText() const { return m_wholeText; }

    QRadioButton* kindButton(int kind) const { return kind == kBarRemark ? m_remark : m_number; }
    QLineEdit* keyEdit() const { return m_keyEdit; }
    QCheckBox* wholeTextCheck() const { return m_whole; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

private:
    QRadioButton* m_number = nullptr;
    QRadioButton* m_remark = nullptr;
    QLineEdit* m_keyEdit = nullptr;
    QCheckBox* m_whole = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_kind = kBarNumber;
    QString m_key;
    int m_wholeText = 0;
};
