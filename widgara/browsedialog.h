#pragma once
// The folder chooser: a modal dialog that starts in a folder and gives back
// the folder the user chose.

#include <QString>

class QWidget;

class CXTBrowseDialog {
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit CXTBrowseDialog(QWidget* pParent = nullptr) : m_pParent(pParent) {}

    void SetTitle(const QString& title) { m_title = title; }
    // The folder to start in; a folder that does not exist starts in the
    // user's home folder.
    void SetSelPath(const QString& path) { m_path = path; }
    QString GetSelPath() const { return m_path; }
    // IDOK with the chosen folder in GetSelPath, or IDCANCEL.
    int DoModal();

private:
    QWidget* m_pParent;
    QString m_title;
    QString m_path;
};
