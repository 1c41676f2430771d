#include "tables/barlist/ui/midconnecteditdlg.h"

#include "core/model/connecttext.h"
#include "envora/ui/textonpictrue.h"
#include "envora/usercustom.h"
#include "platform/hostservices.h"
#include "platform/ui/translations.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace {

// An empty or unreadable value counts as 0.
int valueOf(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

CVes_MidConnectEditDlg::CVes_MidConnectEditDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("超长钢筋中间连接编辑"));

    m_pBanner = new CVes_TextOnPictrue(this);
    m_pBanner->setText(QStringLiteral("超长钢筋中间连接属性批量修改"));
    m_pBanner->setFontName(QStringLiteral("黑体"));
    m_pBanner->setFontHeight(200);
    m_pBanner->setTextColor(0xE3E3E3);

    m_pType = new QComboBox(this);
    for (int type = 0; type <= 8; ++type)
        m_pType->addItem(barcore_getConnectString(type));
    const int style = Info_UserCustomMidConectStyle();
    m_pType->setCurrentIndex(style >= 0 && style <= 8 ? style : 0);

    m_pStat = new QCheckBox(QStringLiteral("超过定尺长度是否自动统计中间连接"), this);
    m_pStat->setChecked(Info_UserCustomMidConnectStat() != 0);

    m_pMethod = new QComboBox(this);
    m_pMethod->addItem(QStringLiteral("按定尺长度自动计算"));
    m_pMethod->addItem(QStringLiteral("人工填写"));
    m_pValueLabel = new QLabel(this);
    m_pValue = new QLineEdit(this);

    m_pAll = new QRadioButton(QStringLiteral("全部"), this);
    m_pRange = new QRadioButton(QStringLiteral("范围:"), this);
    m_pAll->setChecked(true);
    m_pLowest = new QLineEdit(QStringLiteral("10"), this);
    m_pHighest = new QLineEdit(QStringLiteral("50"), this);
    auto* diameterGroup = new QButtonGroup(this);
    diameterGroup->addButton(m_pAll);
    diameterGroup->addButton(m_pRange);

    m_pCurrentPage = new QRadioButton(QStringLiteral("当前页"), this);
    m_pWholeTable = new QRadioButton(QStringLiteral("整表"), this);
    m_pPageRange = new QRadioButton(QStringLiteral("指定页"), this);
    m_pWholeTable->setChecked(true);
    m_pFirstPage = new QLineEdit(QStringLiteral("1"), this);
    m_pLastPage = new QLineEdit(QStringLiteral("1"), this);
    auto* scopeGroup = new QButtonGroup(this);
    scopeGroup->addButton(m_pCurrentPage);
    scopeGroup->addButton(m_pWholeTable);
    scopeGroup->addButton(m_pPageRange);

    auto* connectBox = new QGroupBox(this);
    auto* connectGrid = new QGridLayout(connectBox);
    connectGrid->addWidget(new QLabel(QStringLiteral("连接类型"), connectBox), 0, 0);
    connectGrid->addWidget(m_pType, 0, 1);
    connectGrid->addWidget(m_pStat, 1, 0, 1, 2);
    connectGrid->addWidget(new QLabel(QStringLiteral("计算方式"), connectBox), 2, 0);
    connectGrid->addWidget(m_pMethod, 2, 1);
    connectGrid->addWidget(m_pValueLabel, 3, 0);
    connectGrid->addWidget(m_pValue, 3, 1);

    auto* diameterBox = new QGroupBox(QStringLiteral("直径"), this);
    auto* diameterRow = new QHBoxLayout(diameterBox);
    diameterRow->addWidget(m_pAll);
    diameterRow->addWidget(m_pRange);
    diameterRow->addWidget(m_pLowest);
    diameterRow->addWidget(new QLabel(QStringLiteral("-"), diameterBox));
    diameterRow->addWidget(m_pHighest);

    auto* scopeBox = new QGroupBox(QStringLiteral("范围"), this);
    auto* scopeRow = new QHBoxLayout(scopeBox);
    scopeRow->addWidget(m_pCurrentPage);
    scopeRow->addWidget(m_pWholeTable);
    scopeRow->addWidget(m_pPageRange);
    scopeRow->addWidget(m_pFirstPage);
    scopeRow->addWidget(new QLabel(QStringLiteral("-"), scopeBox));
    scopeRow->addWidget(m_pLastPage);

    auto* buttons = platform::okCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pBanner);
    layout->addWidget(connectBox);
    layout->addWidget(diameterBox);
    layout->addWidget(scopeBox);
    layout->addWidget(buttons);

    onMethodChanged(kByStockLength);
    connect(m_pMethod, &QComboBox::currentIndexChanged, this,
            &CVes_MidConnectEditDlg::onMethodChanged);
}

QRadioButton* CVes_MidConnectEditDlg::scopeButton(int scope) const
{
    switch (scope) {
    case barlist::MidConnectEdit::kCurrentPage: return m_pCurrentPage;
    case barlist::MidConnectEdit::kPageRange: return m_pPageRange;
    default: return m_pWholeTable;
    }
}

void CVes_MidConnectEditDlg::onMethodChanged(int method)
{
    if (method == kManual) {
        m_pValueLabel->setText(QStringLiteral("人工输入(个)"));
        m_pValue->setText(QStringLiteral("1"));
    } else {
        m_pValueLabel->setText(QStringLiteral("定尺长度(mm)"));
        m_pValue->setText(QString::number(Info_UserCustomMidConnectDingchi()));
    }
}

void CVes_MidConnectEditDlg::accept()
{
    const int value = valueOf(m_pValue);
    const bool manual = m_pMethod->currentIndex() == kManual;
    // A stock length of 0 or less would make every bar over-long; a negative
    // count means nothing.
    if (!manual && value <= 0) {
        platform::showMessage(QStringLiteral("定尺长度必须大于0!"), platform::MessageIcon::Warning);
        m_pValue->setFocus();
        return;
    }
    if (manual && value < 0) {
        platform::showMessage(QStringLiteral("中间连接个数不能小于0!"), platform::MessageIcon::Warning);
        m_pValue->setFocus();
        return;
    }

    barlist::MidConnectEdit edit;
    edit.connect.style = m_pType->currentIndex();
    edit.connect.stat = m_pStat->isChecked() ? 1 : 0;
    if (manual) {
        edit.connect.countText = QString::asprintf("%d", value);
        edit.connect.autoCount = 0;
    } else {
        edit.connect.fixedLength = value;
        edit.connect.autoCount = 1;
    }

    edit.limitDiameter = m_pRange->isChecked() ? 1 : 0;
    edit.lowest = valueOf(m_pLowest);
    edit.highest = valueOf(m_pHighest);
    // A range typed high to low still means the bars between the two.
    if (edit.lowest > edit.highest)
        std::swap(edit.lowest, edit.highest);

    if (m_pCurrentPage->isChecked())
        edit.scope = barlist::MidConnectEdit::kCurrentPage;
    else if (m_pPageRange->isChecked())
        edit.scope = barlist::MidConnectEdit::kPageRange;
    else
        edit.scope = barlist::MidConnectEdit::kWholeTable;
    edit.firstPage = valueOf(m_pFirstPage);
    edit.lastPage = valueOf(m_pLastPage);

    m_edit = edit;
    QDialog::accept();
}
