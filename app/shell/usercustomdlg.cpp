#include "app/shell/usercustomdlg.h"

#include "tables/framework/tableslibrary.h"
#include "core/model/connecttext.h"
#include "envora/ui/textonpictrue.h"
#include "envora/usercustom.h"
#include "platform/ui/translations.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr const char* kContentNames[] = {"编号", "规格", "间距", "安装起点",
                                         "钢筋形状", "钢筋尺寸变量", "根数", "备注"};
constexpr int kConnectKinds = 9;

QGroupBox* group(const char* title, QWidget* parent)
{
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    new QVBoxLayout(box);
    return box;
}

// A spin box with a text before and after it.
QWidget* labelled(QWidget* parent, const char* before, QWidget* field, const char* after)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QString::fromUtf8(before), row));
    layout->addWidget(field);
    if (after)
        layout->addWidget(new QLabel(QString::fromUtf8(after), row));
    layout->addStretch();
    return row;
}

} // namespace

CUserCustomDlg::CUserCustomDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户习惯定制"));
    auto* layout = new QVBoxLayout(this);
    auto* banner = new CVes_TextOnPictrue(this);
    banner->setText(QStringLiteral("用户操作习惯设定"));
    banner->setMinimumHeight(48);
    layout->addWidget(banner);

    // Three columns, so that the dialog fits a screen 768 pixels high.
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* middle = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    auto* chooser = group("钢筋快速选择对话框", this);
    m_selectMode = radios(chooser, {"应用大视窗", "应用小视窗"}, Info_GetUserCustomSteelSelectMode() != 0);
    left->addWidget(chooser);
    left->addWidget(contentBox());
    left->addStretch();
    middle->addWidget(barBox());
    middle->addStretch();
    right->addWidget(tableBox());
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    layout->addLayout(columns);

    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);
    enableDialogTheme(this);
}

QButtonGroup* CUserCustomDlg::radios(QWidget* box, std::initializer_list<const char*> texts, int checked)
{
    auto* buttons = new QButtonGroup(box);
    int id = 0;
    for (const char* text : texts) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), box);
        buttons->addButton(radio, id);
        box->layout()->addWidget(radio);
        radio->setChecked(id == checked);
        ++id;
    }
    return buttons;
}

QComboBox* CUserCustomDlg::wheelList(int action)
{
    auto* list = new QComboBox(this);
    list->addItems({QStringLiteral("滚动表格"), QStringLiteral("放大表格"), QStringLiteral("前后翻页")});
    list->setCurrentIndex(action);
    return list;
}

QWidget* CUserCustomDlg::contentBox()
{
    QGroupBox* box = group("添加/插入钢筋行时自动复制已有行选项", this);
    for (size_t i = 0; i < kContentBits.size(); ++i) {
        m_content[i] = new QCheckBox(QString::fromUtf8(kContentNames[i]), box);
        m_content[i]->setChecked(Info_UserCustomContentIsClude(kContentBits[i]) != 0);
        box->layout()->addWidget(m_content[i]);
    }
    m_noContent = new QCheckBox(QStringLiteral("不复制任何内容"), box);
    m_noContent->setChecked(Info_UserCustomContentIsClude(0) != 0);
    connect(m_noContent, &QCheckBox::clicked, this, &CUserCustomDlg::onNoContentClicked);
    box->layout()->addWidget(m_noContent);

    auto* grade = group("添加/插入钢筋行时钢筋取默认级别", box);
    m_gradeMode = radios(grade, {"从钢筋规格表里取默认值作为默认级别", "取上一行钢筋作为默认级别"},
                         Info_UserCustomGetGradeMode() != 0);
    box->layout()->addWidget(grade);
    m_eleNum = new QSpinBox(box);
    m_eleNum->setRange(1, 99999);
    m_eleNum->setValue(Info_UserCustomGetEleNum());
    box->layout()->addWidget(labelled(box, "新建构件行默认件数", m_eleNum, "件"));
    return box;
}

QWidget* CUserCustomDlg::barBox()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* mid = group("超长钢筋中间连接默认设置", column);
    m_midConnect = new QCheckBox(QStringLiteral("钢筋超过定尺自动统计中间连接"), mid);
    m_midConnect->setChecked(Info_UserCustomMidConnectStat() != 0);
    mid->layout()->addWidget(m_midConnect);
    m_connectStyle = new QComboBox(mid);
    for (int kind = 0; kind < kConnectKinds; ++kind)
        m_connectStyle->addItem(barcore_getConnectString(kind));
    m_connectStyle->setCurrentIndex(Info_UserCustomMidConectStyle());
    mid->layout()->addWidget(labelled(mid, "连接方式", m_connectStyle, nullptr));
    m_dingChi = new QSpinBox(mid);
    m_dingChi->setRange(1, 100000);
    m_dingChi->setValue(Info_UserCustomMidConnectDingchi());
    mid->layout()->addWidget(labelled(mid, "定尺长度", m_dingChi, "mm"));
    layout->addWidget(mid);

    QGroupBox* rounding = group("根数小数点舍入设置", column);
    const int digit = Info_UserCustomGenshuJinwei();
    m_dropDigit = new QLineEdit(QString::number(digit - 1), rounding);
    m_dropDigit->setValidator(new QIntValidator(0, 99, m_dropDigit));
    m_dropDigit->setMaximumWidth(40);
    m_lastDropDigit = m_dropDigit->text();
    m_roundDigit = new QLineEdit(QString::number(digit), rounding);
    m_roundDigit->setReadOnly(true);
    m_roundDigit->setMaximumWidth(40);
    connect(m_dropDigit, &QLineEdit::editingFinished, this, &CUserCustomDlg::onDropDigitEdited);
    auto* pair = new QWidget(rounding);
    auto* pairLayout = new QHBoxLayout(pair);
    pairLayout->setContentsMargins(0, 0, 0, 0);
    pairLayout->addWidget(new QLabel(QStringLiteral("舍"), pair));
    pairLayout->addWidget(m_dropDigit);
    pairLayout->addWidget(new QLabel(QStringLiteral("入"), pair));
    pairLayout->addWidget(m_roundDigit);
    pairLayout->addStretch();
    rounding->layout()->addWidget(pair);
    layout->addWidget(rounding);

    QGroupBox* step = group("缩尺钢筋步长尺寸显示", column);
    m_showStep = radios(step, {"不显示", "显示"}, Info_UserCustomShowDingChi() != 0);
    layout->addWidget(step);

    QGroupBox* wheel = group("鼠标滚轮", column);
    auto* form = new QFormLayout;
    m_wheel = wheelList(Info_UserCustomGunLun());
    m_shiftWheel = wheelList(Info_UserCustomShiftGunLun());
    m_ctrlWheel = wheelList(Info_UserCustomCtrlGunLun());
    form->addRow(QStringLiteral("单独滚轮"), m_wheel);
    form->addRow(QStringLiteral("SHIFT+滚轮"), m_shiftWheel);
    form->addRow(QStringLiteral("CTRL + 滚轮"), m_ctrlWheel);
    static_cast<QVBoxLayout*>(wheel->layout())->addLayout(form);
    layout->addWidget(wheel);
    return column;
}

QWidget* CUserCustomDlg::tableBox()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGroupBox* edit = group("表格编辑模式", column);
    m_editMode = radios(edit, {"带历史记录编辑框", "原位编辑框"}, Info_GetUserCustomTableEditMode() != 0);
    layout->addWidget(edit);
    QGroupBox* record = group("用户钢筋大样保存位置", column);
    m_recordType = radios(record, {"随表格保存", "不随表格保存"}, Info_UserCustomSteelRecordType() != 0);
    layout->addWidget(record);
    QGroupBox* groups = group("钢筋组断料长度显示形式", column);
    m_groupShow = radios(groups, {"总长度", "段长度1/段长度2"}, Info_UserCustomSteelGroupShow() != 0);
    layout->addWidget(groups);
    return column;
}

void CUserCustomDlg::onNoContentClicked(bool checked)
{
    for (size_t i = 0; i < kContentBits.size(); ++i)
        m_content[i]->setChecked(!checked && (kContentBits[i] & kDefaultContent));
}

void CUserCustomDlg::onDropDigitEdited()
{
    bool ok = false;
    const int value = m_dropDigit->text().toInt(&ok);
    if (!ok || value < kMinDropDigit || value > kMaxDropDigit) {
        m_dropDigit->setText(m_lastDropDigit);
        return;
    }
    m_lastDropDigit = m_dropDigit->text();
    m_roundDigit->setText(QString::number(value + 1));
}

int CUserCustomDlg::contentByte() const
{
    if (m_noContent->isChecked())
        return 0;
    int content = 0;
    for (size_t i = 0; i < kContentBits.size(); ++i)
        if (m_content[i]->isChecked())
            content |= kContentBits[i];
    return content;
}

void CUserCustomDlg::accept()
{
    onDropDigitEdited();
    Info_SetUserCustomSteelSelectMode(m_selectMode->checkedId());
    Info_UserCustomSetContent(contentByte());
    Info_UserCustomSetGradeMode(m_gradeMode->checkedId());
    Info_UserCustomSetEleNum(m_eleNum->value());
    Info_UserCustomSetMidConnectDingChi(m_dingChi->value());
    Info_UserCustomSetMidConnectStyle(m_connectStyle->currentIndex());
    Info_UserCustomSetMidConnectStat(m_midConnect->isChecked() ? 1 : 0);
    Info_UserCustomSetGenshuJinwei(m_roundDigit->text().toInt());
    Info_UserCustomSetShowDingChi(m_showStep->checkedId());
    Info_UserCustomSetGunLun(m_wheel->currentIndex());
    Info_UserCustomSetShiftGunLun(m_shiftWheel->currentIndex());
    Info_UserCustomSetCtrlGunLun(m_ctrlWheel->currentIndex());
    Info_SetUserCustomTableEditMode(m_editMode->checkedId());
    Info_UserCustomSetSteelRecordType(m_recordType->checkedId());
    Info_UserCustomSetSteelGroupShow(m_groupShow->checkedId());
    QDialog::accept();
}
