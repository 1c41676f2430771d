#include "tables/barlist/ui/beamhoopcountdlg.h"

#include "grid/gridctrl.h"
#include "tables/barlist/ui/hoopinput.h"

#include "envora/usercustom.h"
#include "platform/ui/translations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kColumnCount = 7;
constexpr int kHeaderHeight = 36;
constexpr int kSpanColumnWidth = 40;
constexpr int kValueColumnWidth = 68;
constexpr COLORREF kComputedBack = 0xEDEDED;
using hoopinput::clampInt;
using hoopinput::kMaxLength;
using hoopinput::wholeNumber;

// More spans than this are a typing error.
constexpr int kMaxSpans = 9999;

struct UnitTexts {
    const char* unit;
    const char* minimum;
    double offset;   // c, the first stirrup from the support
    double minZone;  // the shortest densified zone
    const char* heights[14];
};

const UnitTexts kUnits[] = {
    {"mm", "(且≥500mm)", 50.0, 500.0,
     {"300", "350", "400", "450", "500", "550", "600", "650", "700", "750", "800", "900", "1000",
      "1200"}},
    {"cm", "(且≥50cm)", 5.0, 50.0,
     {"30", "35", "40", "45", "50", "55", "60", "65", "70", "75", "80", "90", "100", "120"}},
    {"m", "(且≥.50m)", 0.05, 0.5,
     {"0.30", "0.35", "0.40", "0.45", "0.50", "0.55", "0.60", "0.65", "0.70", "0.75", "0.80",
      "0.90", "1.00", "1.20"}},
};

const UnitTexts& unitTexts(int mode)
{
    return kUnits[std::clamp(mode, BeamHoopUnitMm, BeamHoopUnitM)];
}

} // namespace

int beamHoopDensifiedLength(int beamHeight, int factorIndex, int unitMode)
{
    if (factorIndex < 1)
        return 0;
    const double factor = factorIndex == 1 ? 1.5 : 2.0;
    double length = std::trunc(factor * beamHeight);
    const double minimum = unitTexts(unitMode).minZone;
    if (length < minimum)
        length = minimum;
    return clampInt(std::trunc(length));
}

BeamHoopSpanCount beamHoopSpanCount(const BeamHoopSpan& span, int& densifiedLength, int zones,
                                    int factorIndex, int roundDigit, int unitMode)
{
    const double c = unitTexts(unitMode).offset;
    const double r = (10 - std::clamp(roundDigit, 1, 9)) / 10.0;
    const std::int64_t spans = std::max(span.spans, 0);
    BeamHoopSpanCount result;
    const int length = span.netLength;
    const int s1 = span.denseSpacing;
    const int s2 = span.normalSpacing;
    if (length <= 0 || s2 <= 0) {
        result.count = clampInt(double(std::max(span.extra, 0)) * spans);
        return result;
    }
    const bool oneEnd = zones == BeamHoopOneEnd;
    if (s1 >= 1 && factorIndex >= 1 && s1 != s2) {
        // The zones never take more than the span.
        if (!oneEnd && 2.0 * densifiedLength > length)
            densifiedLength = int(length * 0.5);
        else if (oneEnd && densifiedLength > length)
            densifiedLength = length;
        double q = (densifiedLength - c) / s1;
        if (q != std::floor(q))
            q += 1.0;
        const std::int64_t m = std::max<std::int64_t>(0, std::int64_t(q));
        const std::int64_t zone = std::int64_t(double(m) * s1 + c);
        const std::int64_t used = oneEnd ? zone : 2 * zone;
        const double rest = length > used ? double(length - used) / s2 : 0.0;
        result.normal = std::max(0, clampInt(rest + r - 1.0));
        result.densified = clampInt(double(oneEnd ? m + 1 : 2 * (m + 1)));
    } else {
        result.normal = std::max(0, clampInt((length - 2.0 * c) / s2 + r + 1.0));
    }
    const double perSpan = double(std::max(span.extra, 0)) + result.densified + result.normal;
    result.count = clampInt(perSpan * spans);
    return result;
}

CVes_BeamHoopCountDlg::Remembered& CVes_BeamHoopCountDlg::remembered()
{
    static Remembered values;
    return values;
}

CVes_BeamHoopCountDlg::CVes_BeamHoopCountDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("梁箍筋根数计算"));
    m_pHeight = new QComboBox(this);
    m_pHeight->setEditable(true);
    m_pMinimum = new QLabel(this);
    m_pFactor = new QComboBox(this);
    m_pFactor->addItems({QStringLiteral("0"), QStringLiteral("1.5"), QStringLiteral("2")});
    m_pDensifiedShown = new QLineEdit(this);
    m_pDensifiedShown->setReadOnly(true);
    m_pBothEnds = new QRadioButton(QStringLiteral("两端均设加密区"), this);
    m_pOneEnd = new QRadioButton(QStringLiteral("只一端设加密区"), this);
    m_pBothEnds->setChecked(true);
    m_pDrop = new QLineEdit(this);
    m_pDrop->setValidator(new QIntValidator(0, 8, m_pDrop));
    m_pRoundShown = new QLineEdit(this);
    m_pRoundShown->setReadOnly(true);
    m_pTotal = new QLineEdit(this);
    m_pTotal->setValidator(new QIntValidator(0, INT_MAX, m_pTotal));
    m_pAdd = new QPushButton(QStringLiteral("添加跨参数"), this);
    m_pDelete = new QPushButton(QStringLiteral("删除跨参数"), this);
    m_pGrid = new CGridCtrl(0, 0, 0, 0, this);
    m_pGrid->SetOwner(this);

    auto* beam = new QGroupBox(QStringLiteral("加密区长度"), this);
    auto* beamLayout = new QGridLayout(beam);
    beamLayout->addWidget(new QLabel(QStringLiteral("梁高 hb"), beam), 0, 0);
    beamLayout->addWidget(m_pHeight, 0, 1);
    beamLayout->addWidget(new QLabel(QStringLiteral("× 系数"), beam), 0, 2);
    beamLayout->addWidget(m_pFactor, 0, 3);
    beamLayout->addWidget(m_pMinimum, 0, 4);
    beamLayout->addWidget(new QLabel(QStringLiteral("加密区长度"), beam), 1, 0);
    beamLayout->addWidget(m_pDensifiedShown, 1, 1);
    beamLayout->addWidget(m_pBothEnds, 1, 2, 1, 2);
    beamLayout->addWidget(m_pOneEnd, 1, 4);

    auto* rows = new QHBoxLayout;
    rows->addWidget(m_pAdd);
    rows->addWidget(m_pDelete);
    rows->addStretch();
    rows->addWidget(m_pDrop);
    rows->addWidget(new QLabel(QStringLiteral("舍"), this));
    rows->addWidget(m_pRoundShown);
    rows->addWidget(new QLabel(QStringLiteral("入"), this));
    rows->addWidget(new QLabel(QStringLiteral("箍筋总根数"), this));
    rows->addWidget(m_pTotal);

    auto* buttons = platform::okCancelButtons(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(beam);
    layout->addWidget(m_pGrid, 1);
    layout->addLayout(rows);
    layout->addWidget(buttons);
    resize(560, 380);

    m_nRound = std::clamp(Info_UserCustomGenshuJinwei(), 1, 9);
    m_bLoading = true;
    m_pDrop->setText(QString::number(m_nRound - 1));
    m_pRoundShown->setText(QString::number(m_nRound));
    m_pFactor->setCurrentIndex(std::clamp(remembered().factorIndex, 0, 2));
    buildGrid();
    setUnitMode(BeamHoopUnitMm);
    m_bLoading = false;

    connect(m_pHeight, &QComboBox::currentIndexChanged, this, [this] { onHeightChanged(); });
    connect(m_pHeight->lineEdit(), &QLineEdit::editingFinished, this, [this] { onHeightChanged(); });
    connect(m_pFactor, &QComboBox::currentIndexChanged, this, [this] { onHeightChanged(); });
    connect(m_pBothEnds, &QRadioButton::toggled, this, [this] { onHeightChanged(); });
    connect(m_pDrop, &QLineEdit::textEdited, this, [this] {
        m_nRound = wholeNumber(m_pDrop->text(), 8) + 1;
        m_pRoundShown->setText(QString::number(m_nRound));
        recomputeRows();
    });
    connect(m_pAdd, &QPushButton::clicked, this, &CVes_BeamHoopCountDlg::addSpan);
    connect(m_pDelete, &QPushButton::clicked, this, &CVes_BeamHoopCountDlg::deleteSpan);
    onHeightChanged();
}

CVes_BeamHoopCountDlg::~CVes_BeamHoopCountDlg() = default;

void CVes_BeamHoopCountDlg::buildGrid()
{
    m_pGrid->SetColumnCount(kColumnCount);
    m_pGrid->SetFixedRowCount(1);
    m_pGrid->SetFixedColumnCount(1);
    m_pGrid->SetRowHeight(0, kHeaderHeight);
    m_pGrid->SetColumnWidth(kColSpans, kSpanColumnWidth);
    for (int c = 1; c < kColumnCount; ++c)
        m_pGrid->SetColumnWidth(c, kValueColumnWidth);
    const Remembered& r = remembered();
    appendRow({1, 0, r.denseSpacing, r.normalSpacing, 0});
}

void CVes_BeamHoopCountDlg::setHeader()
{
    const QString unit = QString::fromLatin1(unitTexts(m_nUnitMode).unit);
    m_pGrid->SetItemText(0, kColSpans, QStringLiteral("相同\n跨数"));
    m_pGrid->SetItemText(0, kColLength, QStringLiteral("单跨净长\n") + unit);
    m_pGrid->SetItemText(0, kColDense, QStringLiteral("加密区\n间距") + unit);
    m_pGrid->SetItemText(0, kColNormal, QStringLiteral("非加密区\n间距") + unit);
    m_pGrid->SetItemText(0, kColExtra, QStringLiteral("附加箍筋\n根数"));
    m_pGrid->SetItemText(0, kColDenseCount, QStringLiteral("加密区\n根数"));
    m_pGrid->SetItemText(0, kColNormalCount, QStringLiteral("非加密区\n根数"));
    fitCaptions();
}

void CVes_BeamHoopCountDlg::fitCaptions()
{
    // Each caption reads whole in the dialog's font at any scale: broken at
    // its line feed, in a header as tall and columns as wide as it needs.
    using namespace platform::gdi;
    for (int c = 0; c < kColumnCount; ++c) {
        if (CGridCellBase* cell = m_pGrid->GetCell(0, c))
            cell->SetFormat(DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        m_pGrid->FitColumnWidth(c, CGridCtrl::GVS_HEADER, false);
        const int least = c == kColSpans ? kSpanColumnWidth : kValueColumnWidth;
        m_pGrid->SetColumnWidth(c, std::max(m_pGrid->GetColumnWidth(c), least));
    }
    m_pGrid->FitRowHeight(0);
    m_pGrid->SetRowHeight(0, std::max(m_pGrid->GetRowHeight(0), kHeaderHeight));
    // The dialog is as wide as the columns, with room for a scroll bar.
    const int frame = 2 * m_pGrid->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_pGrid->setMinimumWidth(m_pGrid->GetTotalWidth() + frame);
}

void CVes_BeamHoopCountDlg::fillHeightList()
{
    const UnitTexts& texts = unitTexts(m_nUnitMode);
    m_pHeight->clear();
    for (const char* height : texts.heights)
        m_pHeight->addItem(QString::fromLatin1(height));
    m_pMinimum->setText(QString::fromUtf8(texts.minimum));
    Remembered& r = remembered();
    // A height remembered in millimetres reads as centimetres here.
    if (m_nUnitMode == BeamHoopUnitCm && r.beamHeight == 400) {
        r.beamHeight = 40;
        r.beamHeightText = QStringLiteral("40");
    }
    const int index = m_pHeight->findText(r.beamHeightText);
    if (index >= 0)
        m_pHeight->setCurrentIndex(index);
    else
        m_pHeight->setEditText(r.beamHeightText);
}

void CVes_BeamHoopCountDlg::setUnitMode(int mode)
{
    m_nUnitMode = std::clamp(mode, BeamHoopUnitMm, BeamHoopUnitM);
    const bool loading = m_bLoading;
    m_bLoading = true;
    fillHeightList();
    setHeader();
    m_bLoading = loading;
    onHeightChanged();
}

void CVes_BeamHoopCountDlg::appendRow(const BeamHoopSpan& span)
{
    const int row = m_pGrid->InsertRow(QString::number(span.spans));
    m_pGrid->SetItemText(row, kColLength, QString::number(span.netLength));
    m_pGrid->SetItemText(row, kColDense, QString::number(span.denseSpacing));
    m_pGrid->SetItemText(row, kColNormal, QString::number(span.normalSpacing));
    m_pGrid->SetItemText(row, kColExtra, QString::number(span.extra));
    for (int c : {kColDenseCount, kColNormalCount}) {
        m_pGrid->SetItemText(row, c, QStringLiteral("0"));
        m_pGrid->SetItemState(row, c, m_pGrid->GetItemState(row, c) | GridStateReadOnly);
        m_pGrid->SetItemBkColour(row, c, kComputedBack);
    }
}

BeamHoopSpan CVes_BeamHoopCountDlg::rowSpan(int row)
{
    BeamHoopSpan span;
    span.spans = wholeNumber(m_pGrid->GetItemText(row, kColSpans), kMaxSpans);
    span.netLength = wholeNumber(m_pGrid->GetItemText(row, kColLength));
    span.denseSpacing = wholeNumber(m_pGrid->GetItemText(row, kColDense));
    span.normalSpacing = wholeNumber(m_pGrid->GetItemText(row, kColNormal));
    span.extra = wholeNumber(m_pGrid->GetItemText(row, kColExtra));
    return span;
}

void CVes_BeamHoopCountDlg::onHeightChanged()
{
    if (m_bLoading)
        return;
    recomputeDensified();
    recomputeRows();
}

void CVes_BeamHoopCountDlg::recomputeDensified()
{
    // The height typed, or the one chosen from the list.
    Remembered& r = remembered();
    r.beamHeightText = m_pHeight->currentText();
    r.beamHeight = wholeNumber(r.beamHeightText);
    r.factorIndex = m_pFactor->currentIndex();
    m_nDensified = beamHoopDensifiedLength(r.beamHeight, r.factorIndex, m_nUnitMode);
}

void CVes_BeamHoopCountDlg::recomputeRows()
{
    const int zones = m_pOneEnd->isChecked() ? BeamHoopOneEnd : BeamHoopBothEnds;
    std::int64_t total = 0;
    for (int row = 1; row < m_pGrid->GetRowCount(); ++row) {
        const BeamHoopSpan span = rowSpan(row);
        const BeamHoopSpanCount count = beamHoopSpanCount(
            span, m_nDensified, zones, remembered().factorIndex, m_nRound, m_nUnitMode);
        m_pGrid->SetItemText(row, kColDenseCount, QString::asprintf("%d", count.densified));
        m_pGrid->SetItemText(row, kColNormalCount, QString::asprintf("%d", count.normal));
        total += count.count;
        if (row == 1) {
            remembered().denseSpacing = span.denseSpacing;
            remembered().normalSpacing = span.normalSpacing;
        }
    }
    m_pDensifiedShown->setText(QString::number(m_nDensified));
    m_pTotal->setText(QString::number(std::min<std::int64_t>(total, INT_MAX)));
    m_pGrid->InvalidateGrid();
}

void CVes_BeamHoopCountDlg::addSpan()
{
    const int last = m_pGrid->GetRowCount() - 1;
    BeamHoopSpan span;
    if (last >= 1) {
        const BeamHoopSpan previous = rowSpan(last);
        span.denseSpacing = previous.denseSpacing;
        span.normalSpacing = previous.normalSpacing;
    }
    appendRow(span);
    m_pGrid->SetFocusCell(m_pGrid->GetRowCount() - 1, kColLength);
    recomputeRows();
}

void CVes_BeamHoopCountDlg::deleteSpan()
{
    const int row = m_pGrid->GetFocusCell().row;
    if (row < 1 || row >= m_pGrid->GetRowCount())
        return;
    m_pGrid->DeleteRow(row);
    recomputeRows();
}

LRESULT CVes_BeamHoopCountDlg::OnGridNotify(const GridNotify& notify)
{
    if (notify.hdr.code == GridEndEdit && notify.iRow >= 1)
        recomputeRows();
    return 0;
}

void CVes_BeamHoopCountDlg::accept()
{
    // The total as the box shows it: the user may have typed over it.
    m_nTotal = wholeNumber(m_pTotal->text(), INT_MAX);
    QDialog::accept();
}
