#include "app/shell/autosavedlg.h"

#include "app/documents/documentfiles.h"
#include "tables/framework/tableslibrary.h"
#include "platform/profile.h"
#include "platform/ui/translations.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("settings");

int setting(const char* key, int defaultValue)
{
    return platform::profileValue(kSection, QString::fromUtf8(key), defaultValue).toInt();
}

void store(const char* key, int value)
{
    platform::setProfileValue(kSection, QString::fromUtf8(key), value);
}

} // namespace

CAutoSaveDlg::CAutoSaveDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("自动保存与备份设置"));
    auto* layout = new QVBoxLayout(this);

    m_autoSave = new QCheckBox(QStringLiteral("是否自动保存文件"), this);
    layout->addWidget(m_autoSave);
    auto* interval = new QHBoxLayout;
    m_minutes = new QSpinBox(this);
    m_minutes->setRange(1, 999);
    interval->addWidget(new QLabel(QStringLiteral("自动保存间隔时间"), this));
    interval->addWidget(m_minutes);
    interval->addWidget(new QLabel(QStringLiteral("分钟"), this));
    interval->addStretch();
    layout->addLayout(interval);
    m_backup = new QCheckBox(QStringLiteral("是否保存备份文件（备份文件与当前文件同目录）"), this);
    layout->addWidget(m_backup);

    auto* kind = new QGroupBox(QStringLiteral("自动保存方式"), this);
    auto* kindLayout = new QVBoxLayout(kind);
    m_intoFile = new QRadioButton(QStringLiteral("自动保存到原文件"), kind);
    m_intoRecoveryFile = new QRadioButton(QStringLiteral("自动保存到临时文件（异常退出后，提示恢复）"), kind);
    kindLayout->addWidget(m_intoFile);
    kindLayout->addWidget(m_intoRecoveryFile);
    layout->addWidget(kind);

    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);

    m_autoSave->setChecked(setting("autoSave", 1) != 0);
    m_minutes->setValue(autoSaveMinutes());
    m_backup->setChecked(setting("autoBak", 1) != 0);
    (setting("autoSaveType", 0) != 0 ? m_intoRecoveryFile : m_intoFile)->setChecked(true);
    enableDialogTheme(this);
}

void CAutoSaveDlg::accept()
{
    store("autoSave", m_autoSave->isChecked() ? 1 : 0);
    store("autoSaveTime", m_minutes->value());
    store("autoBak", m_backup->isChecked() ? 1 : 0);
    store("autoSaveType", m_intoRecoveryFile->isChecked() ? 1 : 0);
    QDialog::accept();
}

int CAutoSaveDlg::autoSaveMinutes()
{
    return docfiles::autoSaveMinutes();
}
