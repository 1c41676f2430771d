#include "shapeui/savetocategorydlg.h"

#include "platform/dc.h"
#include "shapeui/dialogunits.h"
#include "shapeui/themedbutton.h"
#include "widgara/dlgitem.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>

namespace {

using shapeui::dlu;

QImage buttonImage(bool ok)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (ok) {
        p.setPen(QPen(QColor(30, 140, 40), 2.4));
        const QPointF tick[] = {{3, 8}, {7, 12}, {13, 3}};
        p.drawPolyline(tick, 3);
    } else {
        p.setPen(QPen(QColor(200, 30, 30), 2.4));
        p.drawLine(4, 4, 12, 12);
        p.drawLine(12, 4, 4, 12);
    }
    return image;
}

} // namespace

CSaveToCategoryDlg::CSaveToCategoryDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("保存到"));
    setFont(QFont(platform::substituteFace(QStringLiteral("Tahoma")), 9));
    setFixedSize(dlu(0, 0, 149, 164).size());

    auto* label = new QLabel(QStringLiteral("用户钢筋库："), this);
    label->setGeometry(dlu(2, 4, 93, 10));

    m_pList = new QListWidget(this);
    widgara::SetDlgCtrlID(m_pList, kIdList);
    m_pList->setGeometry(dlu(2, 16, 93, 144));
    m_pList->setSortingEnabled(true);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });

    m_pOk = new CVes_ThemedButton(QStringLiteral("确定"), this);
    widgara::SetDlgCtrlID(m_pOk, IDOK);
    m_pOk->setGeometry(dlu(97, 130, 50, 14));
    m_pCancel = new CVes_ThemedButton(QStringLiteral("取消"), this);
    widgara::SetDlgCtrlID(m_pCancel, IDCANCEL);
    m_pCancel->setGeometry(dlu(97, 146, 50, 14));
    connect(m_pOk, &QAbstractButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

int CSaveToCategoryDlg::DoModal()
{
    OnInitDialog();
    return exec() == Accepted ? IDOK : IDCANCEL;
}

void CSaveToCategoryDlg::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
}

void CSaveToCategoryDlg::OnInitDialog()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    if (m_pCategories) {
        int number = 0;
        for (const auto& category : *m_pCategories) {
            ++number;
            if (!category)
                continue;
            auto* item = new QListWidgetItem(
                QString::asprintf("%d、", number) + category->name(), m_pList);
            item->setData(Qt::UserRole, QVariant::fromValue(quintptr(category.get())));
        }
    }
    m_pOk->SetIcon(buttonImage(true));
    m_pCancel->SetIcon(buttonImage(false));
}

void CSaveToCategoryDlg::OnOK()
{
    const QListWidgetItem* item = m_pList->currentItem();
    if (!item || !item->isSelected())
        return;
    auto* category =
        reinterpret_cast<CVes_ModelRecordSubLib*>(item->data(Qt::UserRole).value<quintptr>());
    if (!category)
        return;
    m_pChosen = category;
    accept();
}
