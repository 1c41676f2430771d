#include "tables/framework/ui/designvariablesdlg.h"

#include "platform/hostservices.h"
#include "tables/framework/tablebase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Concrete strengths by their C-number, the code the sheets store.
constexpr int kConcreteCodes[] = {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};

QLineEdit* wholeNumberEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QIntValidator(edit));
    return edit;
}

// The field's whole number, or nothing when it does not hold one.
bool wholeNumber(QLineEdit* edit, int& value)
{
    bool ok = false;
    value = edit->text().trimmed().toInt(&ok);
    return ok;
}

} // namespace

void CVes_TableBase::editExVar()
{
    CVes_DesignInfoDlg dialog(this, QApplication::activeWindow());
    dialog.exec();
}

CVes_DesignInfoDlg::CVes_DesignInfoDlg(CVes_TableBase* table, QWidget* parent)
    : QDialog(parent), m_table(table)
{
    setWindowTitle(QStringLiteral("设计信息"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* banner = new QLabel(QStringLiteral("设计及计算参数设置"), this);
    QFont bannerFont(QStringLiteral("黑体"));
    bannerFont.setPointSize(14);
    banner->setFont(bannerFont);
    banner->setAlignment(Qt::AlignCenter);
    layout->addWidget(banner);

    auto* form = new QFormLayout;
    auto* atlasRow = new QHBoxLayout;
    m_atlas03 = new QRadioButton(QStringLiteral("03G101图集"), this);
    m_atlas11 = new QRadioButton(QStringLiteral("11G101图集"), this);
    atlasRow->addWidget(m_atlas03);
    atlasRow->addWidget(m_atlas11);
    form->addRow(QStringLiteral("图集选用："), atlasRow);

    m_concrete = new QComboBox(this);
    for (int code : kConcreteCodes)
        m_concrete->addItem(QStringLiteral("C%1").arg(code), code);
    form->addRow(QStringLiteral("混凝土强度"), m_concrete);

    m_seismic = new QComboBox(this);
    m_seismic->addItems({QStringLiteral("非抗震"), QStringLiteral("一级抗震"),
                         QStringLiteral("二级抗震"), QStringLiteral("三级抗震"),
                         QStringLiteral("四级抗震")});
    form->addRow(QStringLiteral("抗震级别"), m_seismic);

    m_cover = wholeNumberEdit(this);
    form->addRow(QStringLiteral("保护层(mm)"), m_cover);

    auto* percentRow = new QHBoxLayout;
    m_percent = new QComboBox(this);
    m_percent->addItems({QStringLiteral("≤25"), QStringLiteral("50"), QStringLiteral("100")});
    m_zeta = new QLineEdit(this);
    m_zeta->setReadOnly(true);
    percentRow->addWidget(m_percent);
    percentRow->addWidget(new QLabel(QStringLiteral("搭接长度修正系数ζ="), this));
    percentRow->addWidget(m_zeta);
    form->addRow(QStringLiteral("纵向钢筋搭接接头面积百分率(%)"), percentRow);
    layout->addLayout(form);

    auto* disturbanceRow = new QHBoxLayout;
    m_disturbance = new QCheckBox(QStringLiteral("施工过程易受扰动(如滑模施工)"), this);
    m_disturbanceNote = new QLabel(QStringLiteral("锚固长度乘以修正系数1.1"), this);
    disturbanceRow->addWidget(m_disturbance);
    disturbanceRow->addWidget(m_disturbanceNote);
    layout->addLayout(disturbanceRow);

    m_custom = new QCheckBox(QStringLiteral("自定义锚固长度"), this);
    layout->addWidget(m_custom);
    m_customGroup = new QGroupBox(this);
    auto* multiples = new QFormLayout(m_customGroup);
    const QString labels[] = {QStringLiteral("一级钢锚固长度"), QStringLiteral("二级钢锚固长度"),
                              QStringLiteral("三级钢锚固长度"), QStringLiteral("四级钢锚固长度")};
    for (std::size_t i = 0; i < m_multiples.size(); ++i) {
        auto* row = new QHBoxLayout;
        m_multiples[i] = wholeNumberEdit(m_customGroup);
        row->addWidget(m_multiples[i]);
        row->addWidget(new QLabel(QStringLiteral("d"), m_customGroup));
        multiples->addRow(labels[i], row);
    }
    layout->addWidget(m_customGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CVes_DesignInfoDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CVes_DesignInfoDlg::reject);
    connect(m_percent, &QComboBox::currentIndexChanged, this, [this] { showZeta(); });
    connect(m_disturbance, &QCheckBox::toggled, this, [this] { showDisturbanceNote(); });
    connect(m_custom, &QCheckBox::toggled, this, [this] { showCustom(); });

    readVariables();
}

void CVes_DesignInfoDlg::readVariables()
{
    auto read = [this](const QString& name) {
        return m_table ? m_table->getExVarVal(name) : -1.0;
    };
    m_concreteRead = int(read(CVes_TableBase::kVarConcrete));
    m_concrete->setCurrentIndex(m_concrete->findData(m_concreteRead));

    const int seismic = int(read(CVes_TableBase::kVarSeismic));
    m_seismic->setCurrentIndex(seismic < 0 ? 2 : std::min(seismic, 4));

    const int cover = int(read(CVes_TableBase::kVarCover));
    m_cover->setText(QString::number(cover > 0 ? cover : CVes_TableBase::kDefaultCover));

    m_disturbance->setChecked(read(CVes_TableBase::kVarDisturbance) > 0);

    const int percent = int(read(CVes_TableBase::kVarJointPercent));
    m_percent->setCurrentIndex(percent >= 0 ? std::min(percent, 2) : 1);

    const bool custom = read(CVes_TableBase::kVarCustom) > 0;
    m_custom->setChecked(custom);
    for (int grade = 1; grade <= 4; ++grade) {
        const int multiple =
            custom ? int(read(CVes_TableBase::customAnchorageName(grade))) : 0;
        m_multiples[std::size_t(grade - 1)]->setText(QString::number(std::max(multiple, 0)));
    }

    // The edition in force: a missing or negative value counts as 03G101.
    if (int(read(CVes_TableBase::kVarAtlas)) <= 0)
        m_atlas03->setChecked(true);
    else
        m_atlas11->setChecked(true);

    showZeta();
    showDisturbanceNote();
    showCustom();
}

void CVes_DesignInfoDlg::showZeta()
{
    static const char* const kZeta[] = {"1.2", "1.4", "1.6"};
    const int index = std::clamp(m_percent->currentIndex(), 0, 2);
    m_zeta->setText(QString::fromLatin1(kZeta[index]));
}

void CVes_DesignInfoDlg::showDisturbanceNote()
{
    m_disturbanceNote->setVisible(m_disturbance->isChecked());
}

void CVes_DesignInfoDlg::showCustom()
{
    const bool custom = m_custom->isChecked();
    m_concrete->setEnabled(!custom);
    m_seismic->setEnabled(!custom);
    m_cover->setEnabled(!custom);
    m_customGroup->setVisible(custom);
    update();
}

void CVes_DesignInfoDlg::accept()
{
    if (!m_table) {
        QDialog::accept();
        return;
    }
    int cover = 0;
    std::array<int, 4> multiples{};
    QLineEdit* bad = nullptr;
    if (!wholeNumber(m_cover, cover))
        bad = m_cover;
    const bool custom = m_custom->isChecked();
    for (std::size_t i = 0; custom && !bad && i < m_multiples.size(); ++i) {
        if (!wholeNumber(m_multiples[i], multiples[i]))
            bad = m_multiples[i];
    }
    if (bad) {
        platform::showMessage(QStringLiteral("请输入一个整数。"), platform::MessageIcon::Warning);
        bad->setFocus();
        bad->selectAll();
        return;
    }

    const QVariant concrete = m_concrete->currentData();
    m_table->setExVarVal(CVes_TableBase::kVarConcrete,
                         double(concrete.isValid() ? concrete.toInt() : m_concreteRead));
    m_table->setExVarVal(CVes_TableBase::kVarSeismic, double(m_seismic->currentIndex()));
    m_table->setExVarVal(CVes_TableBase::kVarCover, double(cover));
    m_table->setExVarVal(CVes_TableBase::kVarDisturbance, m_disturbance->isChecked() ? 1.0 : 0.0);
    m_table->setExVarVal(CVes_TableBase::kVarJointPercent, double(m_percent->currentIndex()));
    m_table->setExVarVal(CVes_TableBase::kVarCustom, custom ? 1.0 : 0.0);
    if (custom) {
        for (int grade = 1; grade <= 4; ++grade)
            m_table->setExVarVal(CVes_TableBase::customAnchorageName(grade),
                                 double(multiples[std::size_t(grade - 1)]));
    }
    m_table->setExVarVal(CVes_TableBase::kVarAtlas, m_atlas03->isChecked() ? 0.0 : 1.0);
    QDialog::accept();
}
