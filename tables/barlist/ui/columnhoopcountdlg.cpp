#include "tables/barlist/ui/columnhoopcountdlg.h"

#include "platform/ui/translations.h"
#include "tables/barlist/ui/hoopdiagrams.h"
#include "tables/barlist/ui/hoopinput.h"

#include "envora/anchorage.h"
#include "envora/ui/steeldncombox.h"
#include "envora/ui/steelgradecombox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

using hoopinput::clampInt;
using hoopinput::kMaxLength;
using hoopinput::wholeNumber;

// Values beyond these are typing errors; they keep the counts in range.
constexpr int kMaxExtra = 99999;
constexpr int kMaxMultiple = 999;
// The lap-zone spacing is 5 d of the longitudinal bar, at most this.
constexpr int kMaxLapSpacing = 100;
// The first stirrup stands this far above the floor.
constexpr int kFirstStirrup = 100;

QLineEdit* numberEdit(QWidget* parent, int limit = kMaxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QIntValidator(0, limit, edit));
    return edit;
}

QLineEdit* shownEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setEnabled(false);
    return edit;
}

} // namespace

int wallHoopLapLength(int anchorageMultiple, float diameter, int factorIndex)
{
    const double base = std::trunc(double(anchorageMultiple) * diameter);
    switch (factorIndex) {
    case 0: return clampInt(std::trunc(base * 1.2) * 4);
    case 1: return clampInt(std::trunc(base * 1.4) * 2);
    case 2: return clampInt(std::trunc(base * 1.6));
    default: return clampInt(base);
    }
}

int wallHoopLapSpacing(float diameter)
{
    return std::min(clampInt(std::trunc(double(diameter) * 5.0)), kMaxLapSpacing);
}

WallHoopResult wallHoopCount(const WallHoopInput& in)
{
    WallHoopResult result;
    result.lapSpacing = in.lapSpacing > 0 ? in.lapSpacing : wallHoopLapSpacing(in.diameter);
    const int s = in.normalSpacing;
    const int h = in.storeyHeight;
    if (s <= 0 || h <= 0)
        return result;
    const double f = (10 - std::clamp(in.roundDigit, 0, 9)) * 0.1;
    const int t = result.lapSpacing;
    std::int64_t remaining = h;
    std::int64_t lap = 0;
    // Without a spacing for them (no diameter either) the lap zones hold no
    // stirrups of their own.
    if (in.lapZones && t > 0) {
        double k = double(in.lapLength) / t;
        if (k != std::floor(k))
            k += 1.0;
        lap = std::int64_t(k) + 1;
        remaining = h - std::int64_t((k - 1.0) * t);
    }
    const double normal = double(remaining - kFirstStirrup) / s + f + (lap > 0 ? -1.0 : 1.0);
    result.lap = clampInt(double(lap));
    result.normal = std::max(0, clampInt(normal));
    result.total = clampInt(double(std::max(in.extra, 0)) + result.lap + result.normal);
    return result;
}

CColumnHoopCountDlg::Remembered& CColumnHoopCountDlg::remembered()
{
    static Remembered values;
    return values;
}

CColumnHoopCountDlg::CColumnHoopCountDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("暗柱箍筋根数计算"));
    m_pHeight = numberEdit(this);
    m_pDiameter = new CVes_SteelDnComBox(this);
    m_pKind = new QComboBox(this);
    m_pKind->addItems({QStringLiteral("普通钢筋"), QStringLiteral("环氧树脂涂层")});
    m_pGrade = new CVes_SteelGradeComBox(this);
    m_pNormal = numberEdit(this);
    m_pLap = numberEdit(this);
    m_pLapCheck = new QCheckBox(QStringLiteral("搭接区长度计算设置"), this);
    m_pMultiple = numberEdit(this, kMaxMultiple);
    m_pFactorCombo = new QComboBox(this);
    m_pFactorCombo->addItems({QStringLiteral("1.2"), QStringLiteral("1.4"), QStringLiteral("1.6")});
    m_pLapLength = numberEdit(this);
    m_pDrop = numberEdit(this, 9);
    m_pRoundShown = shownEdit(this);
    m_pTotal = numberEdit(this, INT_MAX);
    m_pNormalCount = shownEdit(this);
    m_pLapCount = shownEdit(this);
    m_pExtra = numberEdit(this, kMaxExtra);
    m_pCompute = new QPushButton(QStringLiteral("计算"), this);
    m_pPicture = new QLabel(this);
    m_pPicture->setFrameShape(QFrame::Box);
    m_pPicture->setPixmap(QPixmap::fromImage(hoopDiagram(kWallColumnHoopPicture)));

    auto* bar = new QGroupBox(QStringLiteral("层高及纵筋规格设置（mm）"), this);
    auto* barForm = new QFormLayout(bar);
    barForm->addRow(QStringLiteral("层 高 H"), m_pHeight);
    barForm->addRow(QStringLiteral("纵筋直径"), m_pDiameter);
    barForm->addRow(QStringLiteral("纵筋种类"), m_pKind);
    barForm->addRow(QStringLiteral("纵筋级别"), m_pGrade);

    auto* spacing = new QGroupBox(QStringLiteral("间距设置（mm）"), this);
    auto* spacingForm = new QFormLayout(spacing);
    spacingForm->addRow(QStringLiteral("非搭接区"), m_pNormal);
    spacingForm->addRow(QStringLiteral("搭接区"), m_pLap);
    spacingForm->addRow(m_pLapCheck);
    auto* multiple = new QHBoxLayout;
    multiple->addWidget(m_pMultiple);
    multiple->addWidget(new QLabel(QStringLiteral("d"), spacing));
    spacingForm->addRow(QStringLiteral("锚固长度"), multiple);
    spacingForm->addRow(QStringLiteral("修正系数"), m_pFactorCombo);
    spacingForm->addRow(QStringLiteral("搭接加密区长度累加（mm）"), m_pLapLength);
    auto* digits = new QHBoxLayout;
    digits->addWidget(m_pDrop);
    digits->addWidget(new QLabel(QStringLiteral("舍"), spacing));
    digits->addWidget(m_pRoundShown);
    digits->addWidget(new QLabel(QStringLiteral("入"), spacing));
    spacingForm->addRow(digits);

    auto* results = new QGroupBox(QStringLiteral("计算结果"), this);
    auto* resultRow = new QGridLayout(results);
    resultRow->addWidget(new QLabel(QStringLiteral("箍筋总根数"), results), 0, 0);
    resultRow->addWidget(new QLabel(QStringLiteral(" 非加密区根数"), results), 0, 2);
    resultRow->addWidget(new QLabel(QStringLiteral("搭接区根数"), results), 0, 4);
    resultRow->addWidget(new QLabel(QStringLiteral("附加箍筋根数"), results), 0, 6);
    resultRow->addWidget(m_pTotal, 1, 0);
    resultRow->addWidget(new QLabel(QStringLiteral("="), results), 1, 1);
    resultRow->addWidget(m_pNormalCount, 1, 2);
    resultRow->addWidget(new QLabel(QStringLiteral("+"), results), 1, 3);
    resultRow->addWidget(m_pLapCount, 1, 4);
    resultRow->addWidget(new QLabel(QStringLiteral("+"), results), 1, 5);
    resultRow->addWidget(m_pExtra, 1, 6);
    resultRow->addWidget(m_pCompute, 1, 7);

    auto* buttons = platform::okCancelButtons(*this);
    auto* left = new QVBoxLayout;
    left->addWidget(bar);
    left->addWidget(spacing);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(m_pPicture);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(results);
    layout->addWidget(buttons);

    m_pExtra->setText(QStringLiteral("0"));
    loadControls();
    askMultiple();
    recomputeLapLength();
    compute();

    connect(m_pKind, &QComboBox::activated, this, &CColumnHoopCountDlg::onBarChanged);
    connect(m_pGrade, &QComboBox::activated, this, &CColumnHoopCountDlg::onBarChanged);
    connect(m_pFactorCombo, &QComboBox::activated, this, &CColumnHoopCountDlg::onBarChanged);
    connect(m_pDiameter, &QComboBox::activated, this, &CColumnHoopCountDlg::onDiameterChanged);
    connect(m_pMultiple, &QLineEdit::editingFinished, this, &CColumnHoopCountDlg::onMultipleEdited);
    for (QLineEdit* edit : {m_pHeight, m_pExtra, m_pLap, m_pLapLength, m_pDrop, m_pNormal})
        connect(edit, &QLineEdit::editingFinished, this, &CColumnHoopCountDlg::compute);
    connect(m_pCompute, &QPushButton::clicked, this, &CColumnHoopCountDlg::compute);
    connect(m_pLapCheck, &QCheckBox::clicked, this, &CColumnHoopCountDlg::compute);
}

CColumnHoopCountDlg::~CColumnHoopCountDlg() = default;

void CColumnHoopCountDlg::setDesign(float concrete, float seismic, int atlas)
{
    m_fConcrete = concrete;
    m_fSeismic = seismic;
    m_nAtlas = std::max(atlas, 0);
    askMultiple();
    recomputeLapLength();
    compute();
}

void CColumnHoopCountDlg::setFactorIndex(int index)
{
    if (index < 0 || index > 2)
        return;
    m_nFactor = index;
    m_pFactorCombo->setCurrentIndex(index);
    recomputeLapLength();
    compute();
}

void CColumnHoopCountDlg::loadControls()
{
    const Remembered& r = remembered();
    m_bLoading = true;
    m_pHeight->setText(QString::number(r.storeyHeight));
    float diameter = r.diameter;
    DDX_SteelDN(m_pDiameter, diameter, false);
    m_pKind->setCurrentIndex(std::clamp(r.kind, 0, 1));
    int grade = r.grade;
    DDX_SteelGrade(m_pGrade, grade, false);
    m_pNormal->setText(QString::number(r.normalSpacing));
    m_pLap->setText(QString::number(r.lapSpacing));
    m_pLapCheck->setChecked(r.lapZones);
    m_pFactorCombo->setCurrentIndex(m_nFactor);
    m_pDrop->setText(QString::number(r.roundDigit));
    m_bLoading = false;
}

void CColumnHoopCountDlg::readControls()
{
    if (m_bLoading)
        return;
    Remembered& r = remembered();
    r.storeyHeight = wholeNumber(m_pHeight->text());
    DDX_SteelDN(m_pDiameter, r.diameter, true);
    r.kind = std::clamp(m_pKind->currentIndex(), 0, 1);
    DDX_SteelGrade(m_pGrade, r.grade, true);
    r.normalSpacing = wholeNumber(m_pNormal->text());
    r.lapSpacing = wholeNumber(m_pLap->text());
    r.lapZones = m_pLapCheck->isChecked();
    r.roundDigit = wholeNumber(m_pDrop->text(), 9);
    m_nFactor = std::clamp(m_pFactorCombo->currentIndex(), 0, 2);
    m_nMultiple = wholeNumber(m_pMultiple->text(), kMaxMultiple);
    m_nLapLength = wholeNumber(m_pLapLength->text());
    m_nExtra = wholeNumber(m_pExtra->text(), kMaxExtra);
}

void CColumnHoopCountDlg::askMultiple()
{
    const Remembered& r = remembered();
    m_nMultiple = Info_GetSteelMaoguBeishu(m_nAtlas, int(m_fSeismic), int(m_fConcrete), r.grade,
                                           r.diameter, r.kind);
    m_pMultiple->setText(QString::number(m_nMultiple));
}

void CColumnHoopCountDlg::recomputeLapLength()
{
    m_nLapLength = wallHoopLapLength(m_nMultiple, remembered().diameter, m_nFactor);
    m_pLapLength->setText(QString::number(m_nLapLength));
}

void CColumnHoopCountDlg::onBarChanged()
{
    readControls();
    askMultiple();
    recomputeLapLength();
    compute();
}

void CColumnHoopCountDlg::onDiameterChanged()
{
    readControls();
    // A new longitudinal bar asks for its own lap-zone spacing.
    remembered().lapSpacing = wallHoopLapSpacing(remembered().diameter);
    m_pLap->setText(QString::number(remembered().lapSpacing));
    askMultiple();
    recomputeLapLength();
    compute();
}

void CColumnHoopCountDlg::onMultipleEdited()
{
    readControls();
    recomputeLapLength();
    compute();
}

void CColumnHoopCountDlg::compute()
{
    readControls();
    const Remembered& r = remembered();
    for (QWidget* w : {static_cast<QWidget*>(m_pLap), static_cast<QWidget*>(m_pMultiple),
                       static_cast<QWidget*>(m_pFactorCombo), static_cast<QWidget*>(m_pLapLength)})
        w->setEnabled(r.lapZones);
    WallHoopInput input;
    input.storeyHeight = r.storeyHeight;
    input.normalSpacing = r.normalSpacing;
    input.lapSpacing = r.lapSpacing;
    input.roundDigit = r.roundDigit;
    input.extra = m_nExtra;
    input.lapZones = r.lapZones;
    input.lapLength = m_nLapLength;
    input.diameter = r.diameter;
    const WallHoopResult result = wallHoopCount(input);
    if (result.lapSpacing != r.lapSpacing) {
        remembered().lapSpacing = result.lapSpacing;
        m_pLap->setText(QString::number(result.lapSpacing));
    }
    m_pRoundShown->setText(QString::number(r.roundDigit + 1));
    m_pTotal->setText(QString::number(result.total));
    m_pNormalCount->setText(QString::number(result.normal));
    m_pLapCount->setText(QString::number(result.lap));
}

void CColumnHoopCountDlg::accept()
{
    readControls();
    m_nTotal = wholeNumber(m_pTotal->text(), INT_MAX);
    QDialog::accept();
}
