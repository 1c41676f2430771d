#pragma once
// The open-project dialog ("打开工程"): a project folder chosen from the
// recent projects or with the folder chooser. "删除记录" takes a folder off
// the recent projects.

#include <QDialog>
#include <memory>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace platform {
class RecentFileList;
} // namespace platform

class COpenProjectDlg : public QDialog {
    Q_OBJECT
public:
    explicit COpenProjectDlg(QWidget* parent = nullptr);
    ~COpenProjectDlg() override;

    void OnBrowse();
    // Takes the chosen entry off the recent projects and stores the list.
    void OnDeleteRecord();
    // Takes the folder text; stays open when it names no folder.
    void accept() override;

    // The folder chosen, after OK.
    QString m_strProjectFolder;

    QListWidget* m_list;
    QLineEdit* m_folderEdit;
    QPushButton* m_browseButton;
    QPushButton* m_deleteButton;

private:
    // The application's recent projects, or the profile's own when no
    // application runs.
    platform::RecentFileList& recentProjects();

    std::unique_ptr<platform::RecentFileList> m_ownList;
};
