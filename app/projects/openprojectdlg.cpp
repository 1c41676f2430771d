#include "app/projects/openprojectdlg.h"

#include "app/projects/projectprogram.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "platform/ui/recentfilelist.h"
#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"
#include "widgara/browsedialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

COpenProjectDlg::COpenProjectDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("打开工程"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("最近打开的工程记录"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_list = new QListWidget(group);
    groupLayout->addWidget(m_list);
    layout->addWidget(group, 1);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("工程名称"), this));
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setMinimumWidth(320);
    folderRow->addWidget(m_folderEdit, 1);
    m_browseButton = new QPushButton(QStringLiteral("浏览"), this);
    folderRow->addWidget(m_browseButton);
    layout->addLayout(folderRow);
    auto* bottom = new QHBoxLayout;
    m_deleteButton = new QPushButton(QStringLiteral("删除记录"), this);
    m_deleteButton->setEnabled(false);
    bottom->addWidget(m_deleteButton);
    bottom->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    platform::setChineseButtonTexts(*buttons);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    for (const QString& entry : recentProjects().entries())
        if (!entry.isEmpty())
            m_list->addItem(entry);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item)
            return;
        m_folderEdit->setText(item->text());
        m_deleteButton->setEnabled(true);
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_folderEdit->setText(item->text());
        accept();
    });
    connect(m_browseButton, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { OnDeleteRecord(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    enableDialogTheme(this);
}

COpenProjectDlg::~COpenProjectDlg() = default;

platform::RecentFileList& COpenProjectDlg::recentProjects()
{
    ProjectProgram* app = ProjectProgram::instance();
    if (app && app->getRecentProjectList())
        return *app->getRecentProjectList();
    if (!m_ownList)
        m_ownList = std::make_unique<platform::RecentFileList>(readRecentProjects(ProjectProgram::kRecentProjects));
    return *m_ownList;
}

void COpenProjectDlg::OnBrowse()
{
    CXTBrowseDialog browse(this);
    browse.SetTitle(QStringLiteral("选择工程目录"));
    browse.SetSelPath(platform::profileValue(QStringLiteral("setting"), QStringLiteral("projectPath")).toString());
    if (browse.DoModal() == CXTBrowseDialog::IDOK)
        m_folderEdit->setText(browse.GetSelPath());
}

void COpenProjectDlg::OnDeleteRecord()
{
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    platform::RecentFileList& list = recentProjects();
    const int index = int(list.entries().indexOf(item->text()));
    if (index >= 0) {
        list.Remove(index);
        list.WriteList();
    }
    delete item;
    m_list->setCurrentItem(nullptr);
    m_folderEdit->clear();
    m_deleteButton->setEnabled(false);
}

void COpenProjectDlg::accept()
{
    const QString folder = m_folderEdit->text().trimmed();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        platform::showMessage(folder.isEmpty() ? QStringLiteral("请选择要打开的工程目录。")
                                               : QStringLiteral("工程目录“%1”不存在。").arg(folder),
                              platform::MessageIcon::Warning);
        return;
    }
    m_strProjectFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QDialog::accept();
}
