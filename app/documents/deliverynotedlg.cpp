#include "app/documents/deliverynotedlg.h"

#include "envora/ui/textonpictrue.h"
#include "platform/gdi.h"
#include "widgara/dlgitem.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The banner, with the user's mark in its corner.
class NoteBanner : public CVes_TextOnPictrue {
public:
    using CVes_TextOnPictrue::CVes_TextOnPictrue;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        CVes_TextOnPictrue::paintEvent(event);
        QPainter painter(this);
        painter.setPen(QColor(228, 228, 228));
        painter.drawText(QRect(QPoint(5, 5), QPoint(200, 30)), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("user"));
    }
};

// A text's member and its control, in the order of the form.
struct TextField {
    int id;
    const char* label;
    QString CDeliveryNoteDlg::*member;
};

const TextField kFields[] = {
    {CDeliveryNoteDlg::kTitleId, "表单标题", &CDeliveryNoteDlg::m_strTitle},
    {CDeliveryNoteDlg::kNumberId, "单号", &CDeliveryNoteDlg::m_strNumber},
    {CDeliveryNoteDlg::kCustomerId, "客户名称", &CDeliveryNoteDlg::m_strCustomer},
    {CDeliveryNoteDlg::kProjectId, "工程信息", &CDeliveryNoteDlg::m_strProject},
    {CDeliveryNoteDlg::kDeliveryTimeId, "提货时间", &CDeliveryNoteDlg::m_strDeliveryTime},
    {CDeliveryNoteDlg::kPreparerId, "编制者", &CDeliveryNoteDlg::m_strPreparer},
    {CDeliveryNoteDlg::kCheckerId, "校对者", &CDeliveryNoteDlg::m_strChecker},
    {CDeliveryNoteDlg::kCompiledOnId, "编制时间", &CDeliveryNoteDlg::m_strCompiledOn},
};

constexpr int kBannerFontHeight = 200;

} // namespace

CDeliveryNoteDlg::CDeliveryNoteDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("提货单信息编辑"));
    auto* banner = new NoteBanner(this);
    banner->setText(QStringLiteral("进（提）货表单编辑"));
    banner->setFontHeight(kBannerFontHeight);
    banner->setTextColor(platform::gdi::RGB(228, 228, 228));
    widgara::SetDlgCtrlID(banner, kBannerId);

    auto* form = new QFormLayout;
    for (const TextField& field : kFields) {
        auto* edit = new QLineEdit(this);
        widgara::SetDlgCtrlID(edit, field.id);
        form->addRow(QString::fromUtf8(field.label), edit);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDeliveryNoteDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDeliveryNoteDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CDeliveryNoteDlg::~CDeliveryNoteDlg() = default;

void CDeliveryNoteDlg::UpdateData(bool saveAndValidate)
{
    for (const TextField& field : kFields) {
        auto* edit = static_cast<QLineEdit*>(widgara::GetDlgItem(this, field.id));
        if (saveAndValidate)
            this->*field.member = edit->text();
        else
            edit->setText(this->*field.member);
    }
}

void CDeliveryNoteDlg::showEvent(QShowEvent* event)
{
    UpdateData(false);
    QDialog::showEvent(event);
}

void CDeliveryNoteDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
}
