#include "app/documents/barsortdlg.h"

#include "envora/ui/steeldncombox.h"
#include "envora/ui/textonpictrue.h"
#include "widgara/dlgitem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A check box's member and its control.
struct CheckField {
    int id;
    int CBarSortDlg::*member;
};

constexpr CheckField kChecks[] = {
    {CBarSortDlg::kGrade1Id, &CBarSortDlg::m_bGrade1},
    {CBarSortDlg::kGrade2Id, &CBarSortDlg::m_bGrade2},
    {CBarSortDlg::kGrade3Id, &CBarSortDlg::m_bGrade3},
    {CBarSortDlg::kGrade4Id, &CBarSortDlg::m_bGrade4},
    {CBarSortDlg::kGrade5Id, &CBarSortDlg::m_bGrade5},
    {CBarSortDlg::kColdRibbedId, &CBarSortDlg::m_bColdRibbed},
    {CBarSortDlg::kColdTwistedId, &CBarSortDlg::m_bColdTwisted},
    {CBarSortDlg::kStirrupId, &CBarSortDlg::m_bStirrup},
    {CBarSortDlg::kBentId, &CBarSortDlg::m_bBent},
    {CBarSortDlg::kStraightId, &CBarSortDlg::m_bStraight},
};

QComboBox* dropList(QWidget* parent, int id, std::initializer_list<const char*> entries)
{
    auto* box = new QComboBox(parent);
    for (const char* entry : entries)
        box->addItem(QString::fromUtf8(entry));
    widgara::SetDlgCtrlID(box, id);
    return box;
}

// "<before> [list] <after>" on one line.
QHBoxLayout* between(const char* before, QComboBox* box, const char* after)
{
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QString::fromUtf8(before)));
    line->addWidget(box, 1);
    line->addWidget(new QLabel(QString::fromUtf8(after)));
    return line;
}

} // namespace

CBarSortDlg::CBarSortDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("钢筋排序设置"));
    auto* banner = new CVes_TextOnPictrue(this);
    banner->setText(QStringLiteral("钢筋排序设置"));

    auto* grades = new QGroupBox(QStringLiteral("钢筋排序范围：按钢筋规格确定排序范围"), this);
    auto* gradeGrid = new QGridLayout(grades);
    const std::pair<int, const char*> gradeBoxes[] = {
        {kGrade1Id, "一级钢"}, {kGrade2Id, "二级钢"},     {kGrade3Id, "三级钢"},   {kGrade4Id, "四级钢"},
        {kGrade5Id, "五级钢"}, {kColdRibbedId, "冷轧带肋"}, {kColdTwistedId, "冷轧扭"}};
    int at = 0;
    for (const auto& [id, text] : gradeBoxes) {
        gradeGrid->addWidget(addCheck(id, QString::fromUtf8(text)), at / 4, at % 4);
        ++at;
    }

    auto* kinds = new QGroupBox(QStringLiteral("钢筋排序范围：按钢筋弯曲情况确定排序范围"), this);
    auto* kindLine = new QHBoxLayout(kinds);
    kindLine->addWidget(addCheck(kStirrupId, QStringLiteral("箍筋")));
    kindLine->addWidget(addCheck(kBentId, QStringLiteral("弯曲钢筋（带拐）")));
    kindLine->addWidget(addCheck(kStraightId, QStringLiteral("直条钢筋")));

    auto* range = new QGroupBox(QStringLiteral("钢筋排序范围：按钢筋直径确定排序范围"), this);
    auto* rangeLine = new QHBoxLayout(range);
    m_pRangeMode = dropList(range, kRangeModeId,
                            {"不按直径确定", "小于直径值＜", "等于直径值=", "大于直径值＞"});
    m_pDiameter = new CVes_SteelDnComBox(range);
    widgara::SetDlgCtrlID(m_pDiameter, kDiameterId);
    rangeLine->addWidget(m_pRangeMode, 1);
    rangeLine->addWidget(m_pDiameter, 1);
    rangeLine->addWidget(new QLabel(QStringLiteral("mm")));
    connect(m_pRangeMode, &QComboBox::currentIndexChanged, this, [this] { OnRangeModeChanged(); });

    auto* rules = new QGroupBox(QStringLiteral("钢筋排序规则"), this);
    auto* ruleLines = new QVBoxLayout(rules);
    m_pDiameterOrder = dropList(rules, kDiameterOrderId, {"从大到小（50→6.5）", "从小到大（6.5→50）"});
    m_pLengthOrder = dropList(rules, kLengthOrderId, {"由长到短", "由短到长", "不按长度排序"});
    ruleLines->addLayout(between("直径按", m_pDiameterOrder, "顺序排列"));
    ruleLines->addLayout(between("长度按", m_pLengthOrder, "顺序排列"));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBarSortDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CBarSortDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(grades);
    layout->addWidget(kinds);
    layout->addWidget(range);
    layout->addWidget(rules);
    layout->addWidget(buttons);
}

CBarSortDlg::~CBarSortDlg() = default;

QCheckBox* CBarSortDlg::addCheck(int id, const QString& text)
{
    auto* box = new QCheckBox(text, this);
    widgara::SetDlgCtrlID(box, id);
    return box;
}

void CBarSortDlg::UpdateData(bool saveAndValidate)
{
    for (const CheckField& field : kChecks) {
        auto* box = static_cast<QCheckBox*>(widgara::GetDlgItem(this, field.id));
        if (saveAndValidate)
            this->*field.member = box->isChecked() ? 1 : 0;
        else
            box->setChecked(this->*field.member != 0);
    }
    const std::pair<QComboBox*, int*> lists[] = {{m_pDiameterOrder, &m_nDiameterOrder},
                                                 {m_pLengthOrder, &m_nLengthOrder},
                                                 {m_pRangeMode, &m_nRangeMode}};
    for (const auto& [box, member] : lists) {
        if (saveAndValidate)
            *member = box->currentIndex();
        else
            box->setCurrentIndex(*member < box->count() ? *member : -1);
    }
    DDX_SteelDN(m_pDiameter, m_fDiameter, saveAndValidate);
}

void CBarSortDlg::showEvent(QShowEvent* event)
{
    UpdateData(false);
    OnRangeModeChanged();
    QDialog::showEvent(event);
}

void CBarSortDlg::OnRangeModeChanged()
{
    m_pDiameter->setEnabled(m_pRangeMode->currentIndex() != kAllDiameters);
}

void CBarSortDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
}
