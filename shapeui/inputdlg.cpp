#include "shapeui/inputdlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CVes_InputDlg::CVes_InputDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(m_title);

    m_promptFrame = new QGroupBox(m_prompt, this);
    m_promptFrame->setObjectName(QString::number(kIdPromptFrame));
    m_edit = new QLineEdit(m_promptFrame);
    m_edit->setObjectName(QString::number(kIdText));
    m_edit->setMinimumWidth(240);
    auto* frameLayout = new QVBoxLayout(m_promptFrame);
    frameLayout->addWidget(m_edit);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QString::number(IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &CVes_InputDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVes_InputDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_promptFrame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CVes_InputDlg::set(const QString& title, const QString& prompt, const QString& text)
{
    m_title = title;
    m_prompt = prompt;
    m_text = text;
}

void CVes_InputDlg::OnInitDialog()
{
    m_edit->setText(m_text);
    setWindowTitle(m_title);
    m_promptFrame->setTitle(m_prompt);
    m_edit->setFocus();
}

int CVes_InputDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CVes_InputDlg::accept()
{
    m_text = m_edit->text();
    QDialog::accept();
}
