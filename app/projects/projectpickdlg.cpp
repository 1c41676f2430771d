#include "app/projects/projectpickdlg.h"

#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

CProjectPickDlg::CProjectPickDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("钢筋量选择汇总"));
    auto* layout = new QVBoxLayout(this);
    m_tree.setParent(this);
    m_tree.setCheckBoxes(true);
    m_tree.setMinimumSize(320, 400);
    layout->addWidget(&m_tree, 1);
    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);
    enableDialogTheme(this);
}

CProjectPickDlg::~CProjectPickDlg() = default;

void CProjectPickDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        m_tree.SetProjectFolder(m_strProjectFolder);
        m_tree.expandAll();
    }
    QDialog::showEvent(event);
}

void CProjectPickDlg::accept()
{
    m_picked = {};
    m_tree.CollectChecked(m_tree.rootItem(), m_picked);
    QDialog::accept();
}
