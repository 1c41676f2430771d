#include "envora/ui/rulesdialogs.h"

#include "envora/ui/steelgradecombox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace envora {

namespace {

QString familyName(BarFamily family)
{
    return family == BarFamily::Steel ? QStringLiteral("纵筋") : QStringLiteral("箍筋");
}

LengthRules& rulesOf(Settings& s, BarFamily family)
{
    return family == BarFamily::Steel ? s.steel : s.gu;
}

const LengthRules& rulesOf(const Settings& s, BarFamily family)
{
    return family == BarFamily::Steel ? s.steel : s.gu;
}

const QStringList kGradeFamilyNames{QStringLiteral("一级钢(HPB300)"), QStringLiteral("二级钢(HRB335)"),
                                 QStringLiteral("三级钢(HRB400)"), QStringLiteral("四级钢(HRB500)")};

template <size_t N>
QStringList angleCaptions(const std::array<int, N>& angles, const QString& unit)
{
    QStringList captions;
    for (int a : angles)
        captions << QStringLiteral("%1°%2").arg(a).arg(unit);
    return captions;
}

template <size_t N, size_t M>
std::vector<std::vector<double>> toRows(const std::array<std::array<double, N>, M>& table)
{
    std::vector<std::vector<double>> rows;
    for (const auto& row : table)
        rows.emplace_back(row.begin(), row.end());
    return rows;
}

template <size_t N>
void fromRow(const std::vector<double>& row, std::array<double, N>& out, size_t first = 0)
{
    std::copy_n(row.begin() + qsizetype(first), N, out.begin());
}

template <size_t N, size_t M>
void fromRows(const std::vector<std::vector<double>>& rows, std::array<std::array<double, N>, M>& out)
{
    for (size_t r = 0; r < M; ++r)
        fromRow(rows[r], out[r]);
}

QComboBox* choiceBox(const QStringList& texts, int current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems(texts);
    box->setCurrentIndex(current);
    return box;
}

// A row of buttons that add a row to a table and remove the selected rows.
QHBoxLayout* rowButtons(QWidget* parent, const std::function<void()>& add,
                        const std::function<void()>& remove)
{
    auto* row = new QHBoxLayout;
    auto* addButton = new QPushButton(QStringLiteral("添加"), parent);
    auto* removeButton = new QPushButton(QStringLiteral("删除"), parent);
    QObject::connect(addButton, &QPushButton::clicked, parent, add);
    QObject::connect(removeButton, &QPushButton::clicked, parent, remove);
    row->addStretch(1);
    row->addWidget(addButton);
    row->addWidget(removeButton);
    return row;
}

QLabel* hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// Grade codes the size table offers as defaults.
QList<std::pair<int, QString>> sizeGrades()
{
    QList<std::pair<int, QString>> grades = CVes_SteelGradeComBox::defaultGrades();
    grades.append({12, QStringLiteral("冷轧带肋钢筋")});
    grades.append({14, QStringLiteral("冷轧扭钢筋")});
    return grades;
}

constexpr int kGradeColumn = 4;
constexpr int kDefaultNewGrade = 3;

} // namespace

// sizes

SizeTableDialog::SizeTableDialog(QWidget* parent)
    : SettingsDialog(QStringLiteral("钢筋规格与理论重量"), parent)
{
    m_table = new NumberTable(QStringLiteral("钢筋规格表"),
                              {QStringLiteral("直径(mm)"), QStringLiteral("理论重量(kg/m)"),
                               QStringLiteral("冷轧带肋(kg/m)"), QStringLiteral("冷轧扭(kg/m)")},
                              this);
    m_table->setColumnCount(kGradeColumn + 1);
    m_table->setHorizontalHeaderItem(kGradeColumn, new QTableWidgetItem(QStringLiteral("默认级别")));
    std::vector<std::vector<double>> rows;
    for (const SteelSize& size : settings()->sizes)
        rows.push_back({size.d, size.weight[0], size.weight[1], size.weight[2]});
    m_table->setRows(rows);
    for (size_t r = 0; r < settings()->sizes.size(); ++r)
        setGradeBox(int(r), settings()->sizes[r].grade);
    body()->addWidget(m_table, 1);
    body()->addLayout(rowButtons(this, [this] { addSize(); }, [this] { removeSelectedSizes(); }));
    resize(640, 520);
}

CVes_SteelGradeComBox* SizeTableDialog::gradeBox(int row) const
{
    return qobject_cast<CVes_SteelGradeComBox*>(m_table->cellWidget(row, kGradeColumn));
}

void SizeTableDialog::setGradeBox(int row, int grade)
{
    auto* box = new CVes_SteelGradeComBox(m_table);
    box->setGrades(sizeGrades());
    DDX_SteelGrade(box, grade, false);
    m_table->setCellWidget(row, kGradeColumn, box);
}

void SizeTableDialog::addSize()
{
    m_table->appendRow();
    setGradeBox(m_table->rowCount() - 1, kDefaultNewGrade);
}

void SizeTableDialog::removeSelectedSizes()
{
    m_table->removeSelectedRows();
}

bool SizeTableDialog::apply(Settings& s, QString* error) const
{
    std::vector<std::vector<double>> rows;
    if (!m_table->read(rows, error))
        return false;
    std::vector<SteelSize> sizes;
    for (size_t r = 0; r < rows.size(); ++r) {
        SteelSize size;
        size.d = rows[r][0];
        fromRow(rows[r], size.weight, 1);
        size.grade = kDefaultNewGrade;
        DDX_SteelGrade(gradeBox(int(r)), size.grade, true);
        sizes.push_back(size);
    }
    std::stable_sort(sizes.begin(), sizes.end(),
                     [](const SteelSize& a, const SteelSize& b) { return a.d < b.d; });
    s.sizes = sizes;
    return true;
}

// rounding

DataEndDialog::DataEndDialog(QWidget* parent)
    : SettingsDialog(QStringLiteral("钢筋尺寸尾数设置"), parent)
{
    const QStringList choices{QStringLiteral("不处理"), QStringLiteral("四舍五入到5mm"),
                              QStringLiteral("四舍五入到10mm"), QStringLiteral("向上进位到5mm"),
                              QStringLiteral("向上进位到10mm")};
    auto* form = new QFormLayout;
    for (BarFamily family : {BarFamily::Steel, BarFamily::Gu}) {
        QComboBox* box = choiceBox(choices, rulesOf(*settings(), family).dataEnd, this);
        m_rounding[int(family)] = box;
        form->addRow(familyName(family) + QStringLiteral("长度尾数："), box);
    }
    body()->addLayout(form);
    body()->addStretch(1);
}

bool DataEndDialog::apply(Settings& s, QString*) const
{
    for (BarFamily family : {BarFamily::Steel, BarFamily::Gu})
        rulesOf(s, family).dataEnd = m_rounding[int(family)]->currentIndex();
    return true;
}

// calculation type

CalcTypeDialog::CalcTypeDialog(QWidget* parent)
    : SettingsDialog(QStringLiteral("钢筋断料长度计算模式"), parent)
{
    const QStringList calc{QStringLiteral("按弯曲中心线计算（扣减弯曲）"),
                           QStringLiteral("按外皮尺寸增减d/2计算"), QStringLiteral("不扣减弯曲")};
    const QStringList adjust{QStringLiteral("按弯曲几何计算"), QStringLiteral("按钢筋级别经验数据"),
                             QStringLiteral("按钢筋直径经验数据")};
    const QStringList dims{QStringLiteral("外皮尺寸"), QStringLiteral("内皮尺寸")};
    auto* row = new QHBoxLayout;
    for (BarFamily family : {BarFamily::Steel, BarFamily::Gu}) {
        const LengthRules& r = rulesOf(*settings(), family);
        auto* group = new QGroupBox(familyName(family), this);
        auto* form = new QFormLayout(group);
        auto& boxes = m_boxes[int(family)];
        boxes = {choiceBox(calc, r.calcType, group), choiceBox(adjust, r.adjustType, group),
                 choiceBox(dims, r.dimType, group)};
        form->addRow(QStringLiteral("计算方式："), boxes[0]);
        form->addRow(QStringLiteral("弯曲调整："), boxes[1]);
        form->addRow(QStringLiteral("尺寸标注："), boxes[2]);
        row->addWidget(group);
    }
    body()->addLayout(row);
    body()->addStretch(1);
}

bool CalcTypeDialog::apply(Settings& s, QString*) const
{
    for (BarFamily family : {BarFamily::Steel, BarFamily::Gu}) {
        LengthRules& r = rulesOf(s, family);
        r.calcType = calcType(family)->currentIndex();
        r.adjustType = adjustType(family)->currentIndex();
        r.dimType = dimType(family)->currentIndex();
    }
    return true;
}

// bend diameters

BendDiameterDialog::BendDiameterDialog(BarFamily family, QWidget* parent)
    : SettingsDialog(familyName(family) + QStringLiteral("弯折内径与弯钩弯后平直长度设置"), parent),
      m_family(family)
{
    const LengthRules& r = rulesOf(*settings(), family);
    m_diameters = new NumberTable(QStringLiteral("弯折内径"), angleCaptions(kHookTableAngles, {}), this);
    m_diameters->setRows(toRows(r.bendDiameter), kGradeFamilyNames);
    m_straights = new NumberTable(QStringLiteral("弯钩弯后平直长度"), angleCaptions(kHookTableAngles, {}), this);
    m_straights->setRows({std::vector<double>(r.straightAfterHook.begin(), r.straightAfterHook.end())},
                         {QStringLiteral("平直长度")});
    m_straights->setMaximumHeight(90);
    body()->addWidget(new QLabel(QStringLiteral("弯折内径（钢筋直径d的倍数）："), this));
    body()->addWidget(m_diameters, 1);
    body()->addWidget(new QLabel(QStringLiteral("弯钩弯后平直长度（钢筋直径d的倍数）："), this));
    body()->addWidget(m_straights);
    resize(560, 420);
}

bool BendDiameterDialog::apply(Settings& s, QString* error) const
{
    std::vector<std::vector<double>> diameters;
    std::vector<std::vector<double>> straights;
    if (!m_diameters->read(diameters, error) || !m_straights->read(straights, error))
        return false;
    LengthRules& r = rulesOf(s, m_family);
    fromRows(diameters, r.bendDiameter);
    fromRow(straights[0], r.straightAfterHook);
    return true;
}

// experience tables

BendAdjustDialog::BendAdjustDialog(BarFamily family, QWidget* parent)
    : SettingsDialog(familyName(family) + QStringLiteral("弯曲调整及弯钩增加长度经验数据设置"), parent),
      m_family(family)
{
    const LengthRules& r = rulesOf(*settings(), family);
    auto* tabs = new QTabWidget(this);

    auto* byGrade = new QWidget(tabs);
    auto* gradeLayout = new QVBoxLayout(byGrade);
    m_hooks = new NumberTable(QStringLiteral("弯钩增加长度"), angleCaptions(kHookTableAngles, {}), byGrade);
    m_hooks->setRows(toRows(r.hookIncrement), kGradeFamilyNames);
    m_bends = new NumberTable(QStringLiteral("弯曲调整值"), angleCaptions(kBendTableAngles, {}), byGrade);
    m_bends->setRows(toRows(r.bendAdjust), kGradeFamilyNames);
    gradeLayout->addWidget(hint(QStringLiteral("弯钩增加长度：小于75时为钢筋直径d的倍数，75及以上为毫米数。"), byGrade));
    gradeLayout->addWidget(m_hooks);
    gradeLayout->addWidget(hint(QStringLiteral("弯曲调整值（d的倍数）：加到下料长度上，扣减为负数。"), byGrade));
    gradeLayout->addWidget(m_bends);
    tabs->addTab(byGrade, QStringLiteral("按钢筋级别"));

    auto* byDiameter = new QWidget(tabs);
    auto* diameterLayout = new QVBoxLayout(byDiameter);
    QStringList columns{QStringLiteral("直径(mm)")};
    columns << angleCaptions(kHookTableAngles, QStringLiteral("弯钩(mm)"))
            << angleCaptions(kBendTableAngles, QStringLiteral("弯曲(mm)"));
    m_byDiameter = new NumberTable(QStringLiteral("按直径经验数据"), columns, byDiameter);
    std::vector<std::vector<double>> rows;
    for (const DiameterRules& row : r.byDiameter) {
        std::vector<double> values{row.d};
        values.insert(values.end(), row.hookIncrement.begin(), row.hookIncrement.end());
        values.insert(values.end(), row.bendAdjust.begin(), row.bendAdjust.end());
        rows.push_back(values);
    }
    m_byDiameter->setRows(rows);
    diameterLayout->addWidget(m_byDiameter, 1);
    diameterLayout->addLayout(rowButtons(byDiameter, [this] { m_byDiameter->appendRow(); },
                                         [this] { m_byDiameter->removeSelectedRows(); }));
    tabs->addTab(byDiameter, QStringLiteral("按钢筋直径"));

    body()->addWidget(tabs, 1);
    resize(900, 560);
}

bool BendAdjustDialog::apply(Settings& s, QString* error) const
{
    std::vector<std::vector<double>> hooks;
    std::vector<std::vector<double>> bends;
    std::vector<std::vector<double>> diameters;
    if (!m_hooks->read(hooks, error) || !m_bends->read(bends, error)
        || !m_byDiameter->read(diameters, error))
        return false;
    LengthRules& r = rulesOf(s, m_family);
    fromRows(hooks, r.hookIncrement);
    fromRows(bends, r.bendAdjust);
    r.byDiameter.clear();
    for (const std::vector<double>& values : diameters) {
        DiameterRules row;
        row.d = values[0];
        fromRow(values, row.hookIncrement, 1);
        fromRow(values, row.bendAdjust, 1 + kHookAngles);
        r.byDiameter.push_back(row);
    }
    std::stable_sort(r.byDiameter.begin(), r.byDiameter.end(),
                     [](const DiameterRules& a, const DiameterRules& b) { return a.d < b.d; });
    return true;
}

} // namespace envora
