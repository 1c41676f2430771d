#include "tables/quantity/ui/cutoptimizesizedlg.h"

#include "envora/ui/steeldncombox.h"
#include "envora/ui/steelgradecombox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

CCutOptimizeSpecDlg::CCutOptimizeSpecDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择要优化断料的钢筋规格"));
    m_gradeBox = new CVes_SteelGradeComBox(this);
    m_diameterBox = new CVes_SteelDnComBox(this);

    auto* group = new QGroupBox(QStringLiteral("选择要优化断料的钢筋规格"), this);
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("钢筋级别"), m_gradeBox);
    fields->addRow(QStringLiteral("钢筋直径"), m_diameterBox);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCutOptimizeSpecDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCutOptimizeSpecDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

CCutOptimizeSpecDlg::~CCutOptimizeSpecDlg() = default;

void CCutOptimizeSpecDlg::UpdateData(bool saveAndValidate)
{
    DDX_SteelDN(m_diameterBox, m_fDN, saveAndValidate);
    DDX_SteelGrade(m_gradeBox, m_nGrade, saveAndValidate);
}

void CCutOptimizeSpecDlg::showEvent(QShowEvent* event)
{
    UpdateData(false);
    m_gradeBox->setFocus();
    QDialog::showEvent(event);
}

void CCutOptimizeSpecDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
}
