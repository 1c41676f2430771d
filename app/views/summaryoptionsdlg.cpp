#include "app/views/summaryoptionsdlg.h"

#include "tables/framework/tableslibrary.h"
#include "widgara/dlgitem.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct CheckField {
    int id;
    const char* text;
    int CVes_totalSteelType::*member;
};

const CheckField kChecks[] = {
    {CSummaryOptionsDlg::kLengthId, "长度汇总", &CVes_totalSteelType::m_length},
    {CSummaryOptionsDlg::kWeightId, "重量汇总", &CVes_totalSteelType::m_weight},
    {CSummaryOptionsDlg::kJointId, "连接类型汇总", &CVes_totalSteelType::m_joint},
    {CSummaryOptionsDlg::kWholeTableId, "整表汇总", &CVes_totalSteelType::m_wholeTable},
    {CSummaryOptionsDlg::kPerElementId, "构件内汇总", &CVes_totalSteelType::m_perElement},
};

} // namespace

CSummaryOptionsDlg::CSummaryOptionsDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("请选择汇总选项"));
    auto* sums = new QGroupBox(QStringLiteral("汇总内容"), this);
    auto* sumLines = new QVBoxLayout(sums);
    for (const CheckField& field : kChecks) {
        auto* box = new QCheckBox(QString::fromUtf8(field.text), sums);
        widgara::SetDlgCtrlID(box, field.id);
        sumLines->addWidget(box);
    }

    // The two places exclude each other: the last page gives 0, the first 1.
    auto* place = new QGroupBox(QStringLiteral("汇总位置"), this);
    auto* placeLines = new QVBoxLayout(place);
    auto* first = new QRadioButton(QStringLiteral("在表格 [第一页] 生成汇总内容"), place);
    auto* last = new QRadioButton(QStringLiteral("在表格 [最后一页] 生成汇总内容"), place);
    widgara::SetDlgCtrlID(first, kFirstPageId);
    widgara::SetDlgCtrlID(last, kLastPageId);
    auto* places = new QButtonGroup(this);
    places->addButton(last, kOnLastPage);
    places->addButton(first, kOnFirstPage);
    placeLines->addWidget(last);
    placeLines->addWidget(first);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("开始汇总"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSummaryOptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSummaryOptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sums);
    layout->addWidget(place);
    layout->addWidget(buttons);
}

CSummaryOptionsDlg::~CSummaryOptionsDlg() = default;

void CSummaryOptionsDlg::UpdateData(bool saveAndValidate)
{
    CVes_totalSteelType& options = *this;
    for (const CheckField& field : kChecks) {
        auto* box = static_cast<QCheckBox*>(widgara::GetDlgItem(this, field.id));
        if (saveAndValidate)
            options.*field.member = box->isChecked() ? 1 : 0;
        else
            box->setChecked(options.*field.member != 0);
    }
    auto* last = static_cast<QRadioButton*>(widgara::GetDlgItem(this, kLastPageId));
    auto* first = static_cast<QRadioButton*>(widgara::GetDlgItem(this, kFirstPageId));
    if (saveAndValidate)
        m_place = last->isChecked() ? kOnLastPage : kOnFirstPage;
    else
        (m_place == kOnLastPage ? last : first)->setChecked(true);
}

void CSummaryOptionsDlg::showEvent(QShowEvent* event)
{
    enableDialogTheme(this);
    UpdateData(false);
    QDialog::showEvent(event);
}

void CSummaryOptionsDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
}
