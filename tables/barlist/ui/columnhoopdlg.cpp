#include "tables/barlist/ui/columnhoopdlg.h"

#include "platform/ui/translations.h"
#include "tables/barlist/ui/hoopdiagrams.h"
#include "tables/barlist/ui/hoopinput.h"

#include "envora/usercustom.h"

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
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using hoopinput::kMaxLength;
using hoopinput::wholeNumber;

constexpr int MaxExtra = 99999;
constexpr int PictureHn6 = kColumnHoopPictureHn6;
constexpr int PictureOther = kColumnHoopPictureHn3;

// Truncated, plus 1 when there was a fractional part; never below 0.
std::int64_t roundedUp(double x)
{
    if (x <= 0.0)
        return 0;
    const auto t = std::int64_t(x);
    return double(t) < x ? t + 1 : t;
}

int clampCount(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, 0, INT_MAX));
}

} // namespace

double columnHoopOffset(int unitMode)
{
    switch (unitMode) {
    case ColumnHoopUnitCm:
        return 5.0;
    case ColumnHoopUnitM:
        return 0.05;
    default:
        return 50.0;
    }
}

double columnHoopMinZone(int unitMode)
{
    switch (unitMode) {
    case ColumnHoopUnitCm:
        return 50.0;
    case ColumnHoopUnitM:
        return 0.5;
    default:
        return 500.0;
    }
}

double columnHoopLowerZone(int rule, int clearHeight, int columnSide, int unitMode)
{
    const double minZone = columnHoopMinZone(unitMode);
    if (rule == ColumnHoopRuleGround)
        return minZone;
    double z = rule == ColumnHoopRuleHn3 ? clearHeight / 3 + 1 : clearHeight / 6 + 1;
    if (z <= minZone)
        z = minZone;
    if (z <= columnSide)
        z = columnSide;
    return z;
}

ColumnHoopResult columnHoopCount(const ColumnHoopInput& in)
{
    const int s2 = in.normalSpacing;
    // Without its own spacing the densified zones take the normal one.
    const int s1 = in.denseSpacing < 1 ? s2 : in.denseSpacing;
    if (s2 <= 0 || in.storeyHeight <= 0)
        return {};

    const int n = std::clamp(in.roundDigit, 1, 9);
    const double c = columnHoopOffset(in.unitMode);
    const double minZone = columnHoopMinZone(in.unitMode);
    const int clearHeight = in.storeyHeight - in.beamHeight;
    std::int64_t remaining = in.storeyHeight;
    std::int64_t densified = 0;

    if (in.upperZone) {
        double z = clearHeight / 6 + 1;
        if (z <= minZone)
            z = minZone;
        if (z <= in.columnSide)
            z = in.columnSide;
        // The zone runs on through the beam.
        z += in.beamHeight;
        const std::int64_t m = roundedUp((z - c) / s1);
        densified += m + 1;
        remaining -= std::int64_t(double(m) * s1 + c);
    }
    if (in.lowerZone) {
        const double z = columnHoopLowerZone(in.rule, clearHeight, in.columnSide, in.unitMode);
        const std::int64_t m = roundedUp((z - c) / s1);
        densified += m + 1;
        // On a rigid ground floor the zone repeats below the ground, outside
        // the storey height.
        if (in.rule == ColumnHoopRuleGround)
            densified += m + 1;
        remaining -= std::int64_t(double(m) * s1 + c);
    }

    // R / s2 + (10 - n) / 10 - 1, truncated, in whole numbers; zones longer
    // than the storey leave no normal stirrups rather than a negative count.
    const std::int64_t numerator = 10 * remaining - std::int64_t(n) * s2;
    const std::int64_t normal = numerator > 0 ? numerator / (10 * std::int64_t(s2)) : 0;

    ColumnHoopResult result;
    result.normal = clampCount(normal);
    result.densified = clampCount(densified);
    result.total = clampCount(std::int64_t(std::max(in.extra, 0)) + normal + densified);
    return result;
}

ColumnHoopInput& CVes_ColumnHoopCalcDlg::remembered()
{
    static ColumnHoopInput values = [] {
        ColumnHoopInput v;
        v.roundDigit = std::clamp(Info_UserCustomGenshuJinwei(), 1, 9);
        return v;
    }();
    return values;
}

CVes_ColumnHoopCalcDlg::CVes_ColumnHoopCalcDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("柱箍筋根数计算"));

    auto lengthEdit = [this] {
        auto* edit = new QLineEdit(this);
        edit->setValidator(new QIntValidator(0, kMaxLength, edit));
        return edit;
    };
    m_pHeight = lengthEdit();
    m_pSide = lengthEdit();
    m_pBeam = lengthEdit();
    m_pDense = lengthEdit();
    m_pNormalSpacing = lengthEdit();
    m_pRule = new QComboBox(this);
    m_pRule->addItems({QStringLiteral("Hn/6"), QStringLiteral("Hn/3"), QStringLiteral("刚性地面")});
    m_pUpper = new QCheckBox(QStringLiteral("上部加密区"), this);
    m_pLower = new QCheckBox(QStringLiteral("下部加密区"), this);
    m_pDrop = new QSpinBox(this);
    m_pDrop->setRange(0, 8);
    m_pRound = new QSpinBox(this);
    m_pRound->setRange(1, 9);
    m_pRound->setReadOnly(true);
    m_pRound->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_pTotal = new QLineEdit(this);
    m_pTotal->setValidator(new QIntValidator(0, INT_MAX, m_pTotal));
    m_pNormalCount = new QLineEdit(this);
    m_pNormalCount->setReadOnly(true);
    m_pDenseCount = new QLineEdit(this);
    m_pDenseCount->setReadOnly(true);
    m_pExtra = new QLineEdit(QStringLiteral("0"), this);
    m_pExtra->setValidator(new QIntValidator(0, MaxExtra, m_pExtra));
    m_pCompute = new QPushButton(QStringLiteral("计算"), this);
    m_pGroundHint = new QLabel(QStringLiteral("底层刚性地面上下各加密500"), this);
    m_pSideHint = new QLabel(QStringLiteral("，≥Hc"), this);
    m_pMinHint = new QLabel(QStringLiteral("，≥500mm"), this);

    // The illustration of the zones.
    m_pPicture = new QLabel(this);
    m_pPicture->setFrameShape(QFrame::Box);
    m_pPicture->setAlignment(Qt::AlignCenter);

    m_pStoreyGroup = new QGroupBox(QStringLiteral("本层设置（mm）"), this);
    auto* storey = new QFormLayout(m_pStoreyGroup);
    storey->addRow(QStringLiteral("H"), m_pHeight);
    storey->addRow(QStringLiteral("Hc"), m_pSide);
    storey->addRow(QStringLiteral("Hj"), m_pBeam);
    storey->addRow(m_pUpper);
    auto* lowerRow = new QHBoxLayout;
    lowerRow->addWidget(m_pLower);
    lowerRow->addWidget(m_pRule);
    lowerRow->addWidget(m_pSideHint);
    lowerRow->addWidget(m_pMinHint);
    storey->addRow(lowerRow);
    storey->addRow(m_pGroundHint);

    m_pSpacingGroup = new QGroupBox(QStringLiteral("间距设置（mm）"), this);
    auto* spacing = new QFormLayout(m_pSpacingGroup);
    spacing->addRow(QStringLiteral("s1"), m_pDense);
    spacing->addRow(QStringLiteral("s2"), m_pNormalSpacing);
    auto* digits = new QHBoxLayout;
    digits->addWidget(m_pDrop);
    digits->addWidget(new QLabel(QStringLiteral("舍"), m_pSpacingGroup));
    digits->addWidget(m_pRound);
    digits->addWidget(new QLabel(QStringLiteral("入"), m_pSpacingGroup));
    spacing->addRow(digits);

    // Each count under its name, summed as the wall calculator sums them.
    auto* resultBox = new QGroupBox(QStringLiteral("计算结果"), this);
    auto* results = new QGridLayout(resultBox);
    const auto caption = [resultBox](const char* text) { return new QLabel(QString::fromUtf8(text), resultBox); };
    results->addWidget(caption("箍筋总根数"), 0, 0);
    results->addWidget(caption("非加密区根数"), 0, 2);
    results->addWidget(caption("加密区根数"), 0, 4);
    results->addWidget(caption("附加箍筋根数"), 0, 6);
    results->addWidget(m_pTotal, 1, 0);
    results->addWidget(caption("="), 1, 1);
    results->addWidget(m_pNormalCount, 1, 2);
    results->addWidget(caption("+"), 1, 3);
    results->addWidget(m_pDenseCount, 1, 4);
    results->addWidget(caption("+"), 1, 5);
    results->addWidget(m_pExtra, 1, 6);
    results->addWidget(m_pCompute, 1, 7);

    auto* buttons = platform::okCancelButtons(*this);

    auto* left = new QVBoxLayout;
    left->addWidget(m_pStoreyGroup);
    left->addWidget(m_pSpacingGroup);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(m_pPicture);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(resultBox);
    layout->addWidget(buttons);

    // Show the remembered inputs.
    const ColumnHoopInput& r = remembered();
    m_bLoading = true;
    m_pHeight->setText(QString::number(r.storeyHeight));
    m_pSide->setText(QString::number(r.columnSide));
    m_pBeam->setText(QString::number(r.beamHeight));
    m_pDense->setText(QString::number(r.denseSpacing));
    m_pNormalSpacing->setText(QString::number(r.normalSpacing));
    m_pRule->setCurrentIndex(std::clamp(r.rule, 0, 2));
    m_pUpper->setChecked(r.upperZone);
    m_pLower->setChecked(r.lowerZone);
    m_pRound->setValue(std::clamp(r.roundDigit, 1, 9));
    m_pDrop->setValue(m_pRound->value() - 1);
    m_bLoading = false;
    m_pPicture->setPixmap(QPixmap::fromImage(hoopDiagram(m_nPicture)));
    updateHints();

    for (QLineEdit* edit : {m_pHeight, m_pSide, m_pBeam, m_pDense, m_pNormalSpacing})
        connect(edit, &QLineEdit::textEdited, this, &CVes_ColumnHoopCalcDlg::recompute);
    connect(m_pUpper, &QCheckBox::toggled, this, &CVes_ColumnHoopCalcDlg::recompute);
    connect(m_pLower, &QCheckBox::toggled, this, &CVes_ColumnHoopCalcDlg::recompute);
    connect(m_pRule, &QComboBox::currentIndexChanged, this, &CVes_ColumnHoopCalcDlg::onRuleChanged);
    connect(m_pDrop, &QSpinBox::valueChanged, this, [this](int drop) {
        m_pRound->setValue(drop + 1);
        recompute();
    });
    connect(m_pCompute, &QPushButton::clicked, this, &CVes_ColumnHoopCalcDlg::recompute);

    recompute();
}

CVes_ColumnHoopCalcDlg::~CVes_ColumnHoopCalcDlg() = default;

void CVes_ColumnHoopCalcDlg::setUnitMode(int mode)
{
    m_nUnitMode = std::clamp(mode, ColumnHoopUnitMm, ColumnHoopUnitM);
    switch (m_nUnitMode) {
    case ColumnHoopUnitCm:
        m_pStoreyGroup->setTitle(QStringLiteral("本层设置(cm)"));
        m_pSpacingGroup->setTitle(QStringLiteral("间距设置(cm)"));
        break;
    case ColumnHoopUnitM:
        m_pStoreyGroup->setTitle(QStringLiteral("本层设置(m)"));
        m_pSpacingGroup->setTitle(QStringLiteral("间距设置(m)"));
        break;
    default:
        m_pStoreyGroup->setTitle(QStringLiteral("本层设置（mm）"));
        m_pSpacingGroup->setTitle(QStringLiteral("间距设置（mm）"));
        break;
    }
    recompute();
}

void CVes_ColumnHoopCalcDlg::setSpacings(int dense, int normal)
{
    m_pDense->setText(QString::number(std::clamp(dense, 0, kMaxLength)));
    m_pNormalSpacing->setText(QString::number(std::clamp(normal, 0, kMaxLength)));
    recompute();
}

void CVes_ColumnHoopCalcDlg::setLapZone(int diameter, double factor)
{
    // Kept for the caller; the count does not depend on them.
    m_nLapDiameter = diameter;
    m_dLapFactor = factor;
}

int CVes_ColumnHoopCalcDlg::denseSpacing() const
{
    return remembered().denseSpacing;
}

int CVes_ColumnHoopCalcDlg::normalSpacing() const
{
    return remembered().normalSpacing;
}

void CVes_ColumnHoopCalcDlg::readFields()
{
    ColumnHoopInput& r = remembered();
    r.storeyHeight = wholeNumber(m_pHeight->text());
    r.columnSide = wholeNumber(m_pSide->text());
    r.beamHeight = wholeNumber(m_pBeam->text());
    r.denseSpacing = wholeNumber(m_pDense->text());
    r.normalSpacing = wholeNumber(m_pNormalSpacing->text());
    r.rule = std::clamp(m_pRule->currentIndex(), 0, 2);
    r.upperZone = m_pUpper->isChecked();
    r.lowerZone = m_pLower->isChecked();
    r.roundDigit = m_pRound->value();
}

void CVes_ColumnHoopCalcDlg::recompute()
{
    if (m_bLoading)
        return;
    readFields();
    ColumnHoopInput input = remembered();
    bool ok = false;
    const int extra = m_pExtra->text().trimmed().toInt(&ok);
    input.extra = ok ? std::clamp(extra, 0, MaxExtra) : 0;
    input.unitMode = m_nUnitMode;
    const ColumnHoopResult result = columnHoopCount(input);
    m_pTotal->setText(QString::number(result.total));
    m_pNormalCount->setText(QString::number(result.normal));
    m_pDenseCount->setText(QString::number(result.densified));
}

void CVes_ColumnHoopCalcDlg::updateHints()
{
    const bool ground = m_pRule->currentIndex() == ColumnHoopRuleGround;
    m_pGroundHint->setVisible(ground);
    m_pSideHint->setVisible(!ground);
    m_pMinHint->setVisible(!ground);
}

void CVes_ColumnHoopCalcDlg::onRuleChanged()
{
    if (m_bLoading)
        return;
    m_nPicture = m_pRule->currentIndex() == ColumnHoopRuleHn6 ? PictureHn6 : PictureOther;
    m_pPicture->setPixmap(QPixmap::fromImage(hoopDiagram(m_nPicture)));
    updateHints();
    recompute();
}

void CVes_ColumnHoopCalcDlg::accept()
{
    readFields();
    bool ok = false;
    const int total = m_pTotal->text().trimmed().toInt(&ok);
    m_nResult = ok ? std::max(total, 0) : 0;
    QDialog::accept();
}
