#include "shapeui/shapechooserdlg.h"

#include "platform/rect.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

ShapeChooserDlg::ShapeChooserDlg(int dialogId, int tabId, int listId, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::number(dialogId));
    m_tab = new CVes_ThemedTabCtrl(this);
    m_tab->setObjectName(QString::number(tabId));
    m_list = new CVes_ShapeListCtrl(m_tab);
    m_list->setObjectName(QString::number(listId));
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    m_tab->installEventFilter(this);
}

ShapeChooserDlg::~ShapeChooserDlg()
{
    m_list->setRecords(static_cast<const CVes_ShapeListCtrl::RecordArray*>(nullptr));
}

int ShapeChooserDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

QHBoxLayout* ShapeChooserDlg::okCancelButtons(const QString& okText)
{
    auto* ok = new QPushButton(okText, this);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QString::number(IDCANCEL));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

void ShapeChooserDlg::placeList()
{
    platform::Rect rect(0, 0, m_tab->width(), m_tab->height());
    if (m_tab->GetItemCount() > 0)
        m_tab->AdjustRect(false, &rect);
    m_list->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_list->raise();
}

void ShapeChooserDlg::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
    placeList();
}

void ShapeChooserDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeList();
}

bool ShapeChooserDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tab && event->type() == QEvent::Resize)
        placeList();
    return QDialog::eventFilter(watched, event);
}
