#pragma once
// A small modal dialog asking for one line of text under a caption and a
// prompt (names, numbers and positions in the shape library manager).

#include <QDialog>
#include <QString>

class QGroupBox;
class QLineEdit;

class CVes_InputDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 2021;
    static constexpr int kIdPromptFrame = 2007;
    static constexpr int kIdText = 2008;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit CVes_InputDlg(QWidget* parent = nullptr);

    // Replaces caption, prompt and text; called before DoModal.
    void set(const QString& title, const QString& prompt, const QString& text);
    // The text as last taken from the edit box (after IDOK: as entered,
    // blanks included).
    QString getText() const { return m_text; }

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    void accept() override;

protected:
    // Puts caption, prompt and text into the window before it shows.
    virtual void OnInitDialog();

private:
    QGroupBox* m_promptFrame = nullptr;
    QLineEdit* m_edit = nullptr;
    QString m_text;
    QString m_title = QStringLiteral("输入");
    QString m_prompt = QStringLiteral("请输入");
};
