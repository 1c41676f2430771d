#pragma once
// The one-line name dialog ("请输入") the project tree asks every name with:
// a banner carrying the title, an optional prompt line, the name, and an
// optional check box that is shown only when it has a caption.

#include <QDialog>

class CVes_TextOnPictrue;
class QCheckBox;
class QLabel;
class QLineEdit;

class CInputNameDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit CInputNameDlg(QWidget* parent = nullptr);

    // The banner's caption, and the window's.
    void SetTitle(const QString& title);
    // The name shown when the dialog opens.
    void SetText(const QString& text) { m_strText = text; }
    // Shows the check box with this caption.
    void SetCheckCaption(const QString& caption);
    void SetCheck(int check) { m_bCheck = check; }
    QString GetText() const { return m_strText; }
    int GetCheck() const { return m_bCheck; }
    // IDOK when the user confirmed, IDCANCEL otherwise.
    int DoModal();

    // Takes the name and the check state.
    void accept() override;
    // Fills the controls before the dialog first shows, so that it is
    // laid out with the check box it shows.
    void setVisible(bool visible) override;

    CVes_TextOnPictrue* m_banner;
    QLabel* m_prompt;
    QLineEdit* m_edit;
    QCheckBox* m_check;

    QString m_strText;
    QString m_strPrompt;
    int m_bCheck = 0;
    QString m_strCheckCaption;
    bool m_bShowCheck = false;

private:
    void OnInitDialog();
};
