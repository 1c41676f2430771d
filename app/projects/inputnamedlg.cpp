#include "app/projects/inputnamedlg.h"

#include "envora/ui/textonpictrue.h"
#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kBannerHeight = 48;
constexpr int kBannerFontHeight = 160;

} // namespace

CInputNameDlg::CInputNameDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("请输入"));
    auto* layout = new QVBoxLayout(this);
    m_banner = new CVes_TextOnPictrue(this);
    m_banner->setFontHeight(kBannerFontHeight);
    m_banner->setFixedHeight(kBannerHeight);
    layout->addWidget(m_banner);
    m_prompt = new QLabel(this);
    layout->addWidget(m_prompt);
    m_edit = new QLineEdit(this);
    m_edit->setMinimumWidth(300);
    layout->addWidget(m_edit);
    m_check = new QCheckBox(this);
    m_check->hide();
    layout->addWidget(m_check);
    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);
    enableDialogTheme(this);
}

void CInputNameDlg::SetTitle(const QString& title)
{
    m_banner->setText(title);
}

void CInputNameDlg::SetCheckCaption(const QString& caption)
{
    m_strCheckCaption = caption;
    m_bShowCheck = true;
}

int CInputNameDlg::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CInputNameDlg::setVisible(bool visible)
{
    if (visible && !isVisible())
        OnInitDialog();
    QDialog::setVisible(visible);
}

void CInputNameDlg::OnInitDialog()
{
    if (!m_banner->text().isEmpty())
        setWindowTitle(m_banner->text());
    m_check->setText(m_strCheckCaption);
    m_check->setVisible(m_bShowCheck && !m_strCheckCaption.isEmpty());
    m_check->setChecked(m_bCheck != 0);
    m_prompt->setText(m_strPrompt);
    m_prompt->setVisible(!m_strPrompt.isEmpty());
    m_edit->setText(m_strText);
    m_edit->selectAll();
    m_edit->setFocus();
}

void CInputNameDlg::accept()
{
    m_strText = m_edit->text();
    m_bCheck = m_check->isChecked() ? 1 : 0;
    QDialog::accept();
}
