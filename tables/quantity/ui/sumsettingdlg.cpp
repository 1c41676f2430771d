#include "tables/quantity/ui/sumsettingdlg.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/steeltext.h"
#include "envora/steelyuancaidata.h"
#include "envora/ui/textonpictrue.h"
#include "platform/hostservices.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/shared/sortrules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

// The wire-rod limits offered after the empty choice.
const char* const kWireDiameters[] = {"6",  "6.5", "8",  "8.2", "10", "12", "14", "16", "18",
                                      "20", "22",  "25", "28", "32",  "36", "40", "50"};

// Switches the dialog shows as check boxes, with the value each edits.
struct Switch {
    int id;
    int CVes_SumSettingDlg::*value;
};

constexpr Switch kSwitches[] = {
    {CVes_SumSettingDlg::kCalcLossBar, &CVes_SumSettingDlg::m_calcLossBar},
    {CVes_SumSettingDlg::kCalcLossWire, &CVes_SumSettingDlg::m_calcLossWire},
    {CVes_SumSettingDlg::kShowLoss, &CVes_SumSettingDlg::m_showLoss},
    {CVes_SumSettingDlg::kSumInEleType, &CVes_SumSettingDlg::m_sumInEleType},
    {CVes_SumSettingDlg::kSumByDnClass, &CVes_SumSettingDlg::m_sumByDnClass},
    {CVes_SumSettingDlg::kSumByGrade, &CVes_SumSettingDlg::m_sumByGrade},
    {CVes_SumSettingDlg::kStateGu, &CVes_SumSettingDlg::m_stateGu},
    {CVes_SumSettingDlg::kStateGuai, &CVes_SumSettingDlg::m_stateGuai},
    {CVes_SumSettingDlg::kStateZhi, &CVes_SumSettingDlg::m_stateZhi},
    {CVes_SumSettingDlg::kAutoPrice, &CVes_SumSettingDlg::m_autoPrice},
    {CVes_SumSettingDlg::kAutoMidConnect, &CVes_SumSettingDlg::m_autoMidConnect},
    {CVes_SumSettingDlg::kReverseSleeve, &CVes_SumSettingDlg::m_reverseSleeve},
    {CVes_SumSettingDlg::kCalcStirrupFee, &CVes_SumSettingDlg::m_calcStirrupFee},
    {CVes_SumSettingDlg::kAutoStirrupCount, &CVes_SumSettingDlg::m_autoStirrupCount},
};

// Number boxes of float values.
struct FloatBox {
    int id;
    float CVes_SumSettingDlg::*value;
};

constexpr FloatBox kFloatBoxes[] = {
    {CVes_SumSettingDlg::kLossBar, &CVes_SumSettingDlg::m_lossBar},
    {CVes_SumSettingDlg::kLossWire, &CVes_SumSettingDlg::m_lossWire},
    {CVes_SumSettingDlg::kStirrupFee, &CVes_SumSettingDlg::m_stirrupFee},
};

QString numberText(double value)
{
    return QLocale::c().toString(value, 'g', 7);
}

} // namespace

template <typename T> T* CVes_SumSettingDlg::add(int id, T* widget)
{
    m_controls[id] = widget;
    return widget;
}

CVes_SumSettingDlg::CVes_SumSettingDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("钢筋汇总设置"));
    buildControls();
}

CVes_SumSettingDlg::~CVes_SumSettingDlg() = default;

bool CVes_SumSettingDlg::editRules(CVes_SortRules& rules, CVes_SteelYuanCaiDataLib* stock,
                                   QWidget* parent)
{
    CVes_SumSettingDlg dlg(parent);
    dlg.setRules(rules);
    dlg.m_pYuanCaiLib = stock;
    // Raw stock changed through the dialog's button goes with the rest:
    // Cancel leaves it as it was.
    const CVes_SteelYuanCaiDataLib before = stock ? *stock : CVes_SteelYuanCaiDataLib();
    if (dlg.exec() != QDialog::Accepted) {
        if (stock)
            *stock = before;
        return false;
    }
    dlg.getRules(rules);
    return true;
}

void CVes_SumSettingDlg::buildControls()
{
    m_banner = add(kBanner, new CVes_TextOnPictrue(this));
    m_banner->setText(QStringLiteral("钢筋汇总设置"));
    m_banner->setFontName(QStringLiteral("黑体"));
    m_banner->setFontHeight(200);
    m_banner->setTextColor(platform::gdi::RGB(227, 227, 227));

    const auto checkBox = [this](int id, const char* text) {
        return add(id, new QCheckBox(QString::fromUtf8(text), this));
    };
    const auto comboBox = [this](int id, std::initializer_list<const char*> items) {
        auto* box = add(id, new QComboBox(this));
        for (const char* item : items)
            box->addItem(QString::fromUtf8(item));
        return box;
    };
    const auto numberBox = [this](int id, QValidator* validator) {
        auto* box = add(id, new QLineEdit(this));
        validator->setParent(box);
        box->setValidator(validator);
        box->setMaximumWidth(70);
        return box;
    };
    const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    const auto doubles = [] {
        auto* v = new QDoubleValidator(0.0, 1e6, 4);
        v->setLocale(QLocale::c());
        v->setNotation(QDoubleValidator::StandardNotation);
        return v;
    };

    // 钢筋规格排序
    auto* sortBox = new QGroupBox(QStringLiteral("钢筋规格排序"), this);
    auto* sortGrid = new QGridLayout(sortBox);
    sortGrid->addWidget(label("直径按"), 0, 0);
    sortGrid->addWidget(comboBox(kDnOrder, {"从大到小（50→6.5）", "从小到大（6.5→50）"}), 0, 1);
    sortGrid->addWidget(label("顺序排列"), 0, 2);
    sortGrid->addWidget(label("长度按"), 1, 0);
    sortGrid->addWidget(comboBox(kLenOrder, {"由长到短", "由短到长"}), 1, 1);
    sortGrid->addWidget(label("顺序排列"), 1, 2);

    // 钢筋损耗及钢筋直径分类
    auto* lossBox = new QGroupBox(QStringLiteral("钢筋损耗及钢筋直径分类"), this);
    auto* lossGrid = new QGridLayout(lossBox);
    lossGrid->addWidget(checkBox(kCalcLossBar, "计算定尺长度（棒材）钢筋损耗"), 0, 0, 1, 2);
    lossGrid->addWidget(numberBox(kLossBar, doubles()), 0, 2);
    lossGrid->addWidget(label("%"), 0, 3);
    lossGrid->addWidget(checkBox(kCalcLossWire, "计算盘条（线材）钢筋损耗"), 1, 0, 1, 2);
    lossGrid->addWidget(numberBox(kLossWire, doubles()), 1, 2);
    lossGrid->addWidget(label("%"), 1, 3);
    lossGrid->addWidget(checkBox(kShowLoss, "在表格中显示损耗值"), 2, 0, 1, 4);
    lossGrid->addWidget(label("损耗值计入位置"), 3, 0);
    lossGrid->addWidget(
        comboBox(kLossPlace, {"在[总计]时加入钢筋损耗值", "在[合计]时加入钢筋损耗值"}), 3, 1, 1, 3);
    auto* wire = comboBox(kWireDN, {""});
    for (const char* d : kWireDiameters)
        wire->addItem(QString::fromLatin1(d));
    lossGrid->addWidget(label("钢筋直径d≤"), 4, 0);
    lossGrid->addWidget(wire, 4, 1);
    lossGrid->addWidget(label("mm（线材）"), 4, 2, 1, 2);
    auto* bar = comboBox(kBarDN, {});
    bar->setEnabled(false);
    lossGrid->addWidget(label("钢筋直径d＞"), 5, 0);
    lossGrid->addWidget(bar, 5, 1);
    lossGrid->addWidget(label("mm（棒材）"), 5, 2, 1, 2);

    // 统计汇总选项
    auto* sumBox = new QGroupBox(QStringLiteral("统计汇总选项"), this);
    auto* sumGrid = new QGridLayout(sumBox);
    sumGrid->addWidget(checkBox(kSumInEleType, "对构件类型内钢筋进行统计"), 0, 0, 1, 3);
    sumGrid->addWidget(checkBox(kSumByDnClass, "按钢筋直径进行分类统计（线材、棒材）"), 1, 0, 1, 3);
    sumGrid->addWidget(checkBox(kSumByGrade, "按钢筋级别进行分类统计"), 2, 0, 1, 3);
    sumGrid->addWidget(label("按钢筋弯曲情况进行统计"), 3, 0, 1, 3);
    sumGrid->addWidget(checkBox(kStateGu, "箍筋"), 4, 0);
    sumGrid->addWidget(checkBox(kStateGuai, "弯曲钢筋（带拐）"), 4, 1);
    sumGrid->addWidget(checkBox(kStateZhi, "直钢筋（直条）"), 4, 2);
    sumGrid->addWidget(checkBox(kAutoPrice, "自动计算钢筋总价"), 5, 0, 1, 2);
    sumGrid->addWidget(add(kRawStock, new QPushButton(QStringLiteral("原材单价设置"), this)), 5, 2);

    // 超长钢筋中间连接类型自动汇总
    auto* midBox = new QGroupBox(QStringLiteral("超长钢筋中间连接类型自动汇总"), this);
    auto* midLayout = new QVBoxLayout(midBox);
    midLayout->addWidget(checkBox(kAutoMidConnect, "超长自动添加中间连接"));
    midLayout->addWidget(
        checkBox(kReverseSleeve, "中间连接为直螺纹套筒且数量大于1时，自动添加一个反丝套筒"));

    // The stirrup fee.
    auto* feeBox = new QGroupBox(this);
    auto* feeGrid = new QGridLayout(feeBox);
    feeGrid->addWidget(checkBox(kCalcStirrupFee, "计算箍筋加工费"), 0, 0);
    feeGrid->addWidget(numberBox(kStirrupFee, doubles()), 0, 1);
    feeGrid->addWidget(label("元/根"), 0, 2);
    feeGrid->addWidget(checkBox(kAutoStirrupCount, "箍筋根数自动计算"), 1, 0);
    feeGrid->addWidget(add(kStirrupCountLabel, label("箍筋总根数")), 1, 1);
    feeGrid->addWidget(numberBox(kStirrupCount, new QIntValidator(0, 99999999)), 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = add(kSaveDefaults, new QPushButton(QStringLiteral("数据存为默认值"), this));
    auto* load = add(kLoadDefaults, new QPushButton(QStringLiteral("读取默认值数据"), this));
    buttons->addButton(save, QDialogButtonBox::ActionRole);
    buttons->addButton(load, QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVes_SumSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVes_SumSettingDlg::reject);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(sortBox);
    left->addWidget(lossBox);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(sumBox);
    right->addWidget(midBox);
    right->addWidget(feeBox);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_banner);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(wire, &QComboBox::currentIndexChanged, this, [this] { wireDNChanged(); });
    for (int id : {kCalcStirrupFee, kAutoStirrupCount})
        connect(check(id), &QCheckBox::toggled, this, [this] { applyStirrupFeeVisibility(); });
    for (int id : {kCalcLossBar, kCalcLossWire})
        connect(check(id), &QCheckBox::toggled, this, [this] { applyLossBoxes(); });
    connect(button(kRawStock), &QPushButton::clicked, this, &CVes_SumSettingDlg::OnRawStock);
    connect(save, &QPushButton::clicked, this, &CVes_SumSettingDlg::OnSaveDefaults);
    connect(load, &QPushButton::clicked, this, &CVes_SumSettingDlg::OnLoadDefaults);
}

QWidget* CVes_SumSettingDlg::control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QComboBox* CVes_SumSettingDlg::combo(int id) const
{
    return qobject_cast<QComboBox*>(control(id));
}

QCheckBox* CVes_SumSettingDlg::check(int id) const
{
    return qobject_cast<QCheckBox*>(control(id));
}

QLineEdit* CVes_SumSettingDlg::edit(int id) const
{
    return qobject_cast<QLineEdit*>(control(id));
}

QPushButton* CVes_SumSettingDlg::button(int id) const
{
    return qobject_cast<QPushButton*>(control(id));
}

// Values

void CVes_SumSettingDlg::setRules(const CVes_SortRules& rules)
{
    m_dnOrder = rules.m_dnOrder;
    m_lenOrder = rules.m_lenOrder;
    m_calcLossBar = rules.m_calcLossBar;
    m_lossBar = float(rules.m_lossBar);
    m_calcLossWire = rules.m_calcLossWire;
    m_lossWire = float(rules.m_lossWire);
    m_showLoss = rules.m_showLoss;
    m_lossPlace = rules.m_lossPlace;
    m_wireDN = rules.m_wireDN;
    m_sumInEleType = rules.m_sumInEleType;
    m_sumByDnClass = rules.m_sumByDnClass;
    m_sumByGrade = rules.m_sumByGrade;
    m_stateGu = rules.isStateGu();
    m_stateGuai = rules.isStateGuai();
    m_stateZhi = rules.isStateZhi();
    m_autoPrice = rules.m_autoPrice;
    m_autoMidConnect = rules.m_autoMidConnect;
    m_reverseSleeve = rules.m_reverseSleeve;
    m_calcStirrupFee = rules.m_calcStirrupFee;
    m_stirrupFee = rules.m_stirrupFee;
    m_stirrupCount = rules.m_stirrupCount;
    m_autoStirrupCount = rules.m_autoStirrupCount;
}

void CVes_SumSettingDlg::getRules(CVes_SortRules& rules) const
{
    rules.m_dnOrder = m_dnOrder;
    rules.m_lenOrder = m_lenOrder;
    rules.m_calcLossBar = m_calcLossBar;
    rules.m_lossBar = double(m_lossBar);
    rules.m_calcLossWire = m_calcLossWire;
    rules.m_lossWire = double(m_lossWire);
    rules.m_showLoss = m_showLoss;
    rules.m_lossPlace = m_lossPlace;
    rules.m_wireDN = m_wireDN;
    rules.m_sumInEleType = m_sumInEleType;
    rules.m_sumByDnClass = m_sumByDnClass;
    rules.m_sumByGrade = m_sumByGrade;
    rules.setStateGu(m_stateGu);
    rules.setStateGuai(m_stateGuai);
    rules.setStateZhi(m_stateZhi);
    rules.m_autoPrice = m_autoPrice;
    rules.m_autoMidConnect = m_autoMidConnect;
    rules.m_reverseSleeve = m_reverseSleeve;
    rules.m_calcStirrupFee = m_calcStirrupFee;
    rules.m_stirrupFee = m_stirrupFee;
    rules.m_stirrupCount = m_stirrupCount;
    rules.m_autoStirrupCount = m_autoStirrupCount;
}

bool CVes_SumSettingDlg::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        combo(kDnOrder)->setCurrentIndex(m_dnOrder == 0 || m_dnOrder == 1 ? m_dnOrder : -1);
        combo(kLenOrder)->setCurrentIndex(m_lenOrder == 0 || m_lenOrder == 1 ? m_lenOrder : -1);
        combo(kLossPlace)->setCurrentIndex(m_lossPlace == 0 || m_lossPlace == 1 ? m_lossPlace : -1);
        for (const Switch& s : kSwitches)
            check(s.id)->setChecked(this->*s.value != 0);
        for (const FloatBox& box : kFloatBoxes)
            edit(box.id)->setText(numberText(this->*box.value));
        edit(kStirrupCount)->setText(QString::number(m_stirrupCount));
        showWireDN();
        applyLossBoxes();
        applyStirrupFeeVisibility();
        return true;
    }

    // Every number first, so that a refused box changes nothing.
    float floats[std::size(kFloatBoxes)] = {};
    for (std::size_t i = 0; i < std::size(kFloatBoxes); ++i) {
        QLineEdit* box = edit(kFloatBoxes[i].id);
        bool ok = false;
        floats[i] = QLocale::c().toFloat(box->text().trimmed(), &ok);
        if (!ok) {
            platform::showMessage(QStringLiteral("请输入一个数字。"),
                                  platform::MessageIcon::Warning, windowTitle());
            box->setFocus();
            box->selectAll();
            return false;
        }
    }
    bool countOk = false;
    const int count = edit(kStirrupCount)->text().trimmed().toInt(&countOk);
    if (!countOk) {
        platform::showMessage(QStringLiteral("请输入一个整数。"), platform::MessageIcon::Warning,
                              windowTitle());
        edit(kStirrupCount)->setFocus();
        return false;
    }

    m_dnOrder = combo(kDnOrder)->currentIndex();
    m_lenOrder = combo(kLenOrder)->currentIndex();
    m_lossPlace = combo(kLossPlace)->currentIndex();
    for (const Switch& s : kSwitches)
        this->*s.value = check(s.id)->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < std::size(kFloatBoxes); ++i)
        this->*kFloatBoxes[i].value = floats[i];
    m_stirrupCount = count;
    // Only a chosen limit counts; the empty choice is 0.
    if (QComboBox* wire = combo(kWireDN); wire->currentIndex() >= 0)
        m_wireDN = float(std::atof(wire->currentText().toLatin1().constData()));
    return true;
}

void CVes_SumSettingDlg::showEvent(QShowEvent* event)
{
    UpdateData(false);
    QDialog::showEvent(event);
}

void CVes_SumSettingDlg::accept()
{
    if (!UpdateData(true))
        return;
    QDialog::accept();
}

void CVes_SumSettingDlg::showWireDN()
{
    QComboBox* wire = combo(kWireDN);
    const QString text = m_wireDN == 0.0f ? QString() : DNtoString(m_wireDN);
    int index = wire->findText(text);
    if (index < 0) {
        // A limit of the user's own: offered in its place among the others.
        index = 1;
        while (index < wire->count() && wire->itemText(index).toDouble() < m_wireDN)
            ++index;
        wire->insertItem(index, text);
    }
    wire->setCurrentIndex(index);
    wireDNChanged();
}

void CVes_SumSettingDlg::wireDNChanged()
{
    QComboBox* bar = combo(kBarDN);
    bar->clear();
    bar->addItem(combo(kWireDN)->currentText());
}

void CVes_SumSettingDlg::applyStirrupFeeVisibility()
{
    const bool fee = check(kCalcStirrupFee)->isChecked();
    const bool byHand = fee && !check(kAutoStirrupCount)->isChecked();
    check(kAutoStirrupCount)->setVisible(fee);
    control(kStirrupCountLabel)->setVisible(byHand);
    edit(kStirrupCount)->setVisible(byHand);
}

// A loss rate can be typed only while its loss is counted.
void CVes_SumSettingDlg::applyLossBoxes()
{
    edit(kLossBar)->setEnabled(check(kCalcLossBar)->isChecked());
    edit(kLossWire)->setEnabled(check(kCalcLossWire)->isChecked());
}

// Buttons

void CVes_SumSettingDlg::OnSaveDefaults()
{
    if (!UpdateData(true))
        return;
    CVes_SortRules defaults;
    getRules(defaults);
    Ves_CreateDirectory(GetRODOFilePath() + QStringLiteral("userdata"));
    const QString path = CVes_SortRules::userRulesPath();
    if (!defaults.saveFile(path))
        platform::showMessage(QStringLiteral("默认值未能保存到%1。").arg(path),
                              platform::MessageIcon::Warning, windowTitle());
}

void CVes_SumSettingDlg::OnLoadDefaults()
{
    CVes_SortRules defaults;
    defaults.readUserRules();
    setRules(defaults);
    UpdateData(false);
}

void CVes_SumSettingDlg::OnRawStock()
{
    CVes_RawStockDlg dlg(this);
    dlg.m_pYuanCaiLib = m_pYuanCaiLib;
    dlg.exec();
}
