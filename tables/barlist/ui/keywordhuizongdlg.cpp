#include "tables/barlist/ui/keywordhuizongdlg.h"

#include "tables/barlist/setuptable.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

int CVes_SetupTable::selectKeyWordHuizong()
{
    CVes_HuizongRules& rules = m_huizong;
    const int mode = rules.m_mode;
    const int kind = mode >= CVes_HuizongRules::kBarNumberKey ? mode - CVes_HuizongRules::kBarNumberKey
                                                              : CVes_KeyWordHuizongDlg::kBarNumber;
    CVes_KeyWordHuizongDlg dialog(QApplication::activeWindow());
    dialog.setValues(kind, rules.m_key, rules.m_wholeText);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    rules.m_mode = dialog.kind() + CVes_HuizongRules::kBarNumberKey;
    rules.m_key = dialog.key();
    rules.m_wholeText = dialog.wholeText();
    return 1;
}

CVes_KeyWordHuizongDlg::CVes_KeyWordHuizongDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("按关键字进行汇总"));
    m_number = new QRadioButton(QStringLiteral("钢筋编号关键字"), this);
    m_remark = new QRadioButton(QStringLiteral("钢筋备注关键字"), this);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_number, kBarNumber);
    kinds->addButton(m_remark, kBarRemark);
    m_keyEdit = new QLineEdit(this);
    m_whole = new QCheckBox(QStringLiteral("全文匹配"), this);
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(m_number, 0, 0);
    grid->addWidget(m_remark, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("关键字："), this), 1, 0);
    grid->addWidget(m_keyEdit, 1, 1);
    grid->addWidget(m_whole, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &CVes_KeyWordHuizongDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CVes_KeyWordHuizongDlg::reject);
    setValues(kBarNumber, QString(), 0);
}

void CVes_KeyWordHuizongDlg::setValues(int kind, const QString& key, int wholeText)
{
    m_kind = kind == kBarRemark ? kBarRemark : kBarNumber;
    m_key = key;
    m_wholeText = wholeText ? 1 : 0;
    kindButton(m_kind)->setChecked(true);
    m_keyEdit->setText(m_key);
    m_whole->setChecked(m_wholeText != 0);
}

void CVes_KeyWordHuizongDlg::accept()
{
    m_kind = m_remark->isChecked() ? kBarRemark : kBarNumber;
    m_key = m_keyEdit->text();
    m_wholeText = m_whole->isChecked() ? 1 : 0;
    QDialog::accept();
}
