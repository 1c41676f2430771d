#include "tables/quantity/ui/rawstockdlg.h"

#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "grid/gridcell.h"
#include "grid/gridcellcombo.h"
#include "grid/gridctrl.h"
#include "platform/hostservices.h"
#include "tables/quantity/yuancaitext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>

using namespace platform::gdi;

namespace {

constexpr int kHeaderHeight = 32;
constexpr COLORREF kGridBack = RGB(226, 239, 253);
constexpr COLORREF kFixedBack = RGB(230, 230, 240);
constexpr DWORD kDropDownList = 3;  // CBS_DROPDOWNLIST

struct Heading {
    const char* text;
    int width;  // 0: the grid's default
};

constexpr Heading kHeadings[CVes_RawStockDlg::kColumnCount] = {
    {"序号", 40},          {"钢筋级别", 120},      {"钢筋直径\n(mm)", 0},
    {"钢筋类型", 120},     {"定尺长度\n(m)", 0},   {"价格\n(元/吨)", 0},
};

// The leading number of a text as the C library reads it; 0 for none, and
// for what a record cannot hold (infinities, not-a-number, huge values).
double leadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    const double value = std::strtod(bytes.constData(), nullptr);
    return std::isfinite(value) && std::fabs(value) < 1e9 ? value : 0.0;
}

// The stock length as shown: metres, and for coiled stock of the lower
// grades the kind of coil.
QString lengthText(const CVes_SteelYuanCaiData& record)
{
    QString text = YuanCai_ValueToString(record.lengthMetres(), "%.1f");
    if (record.length < 0) {
        if (record.grade == 1)
            text += QStringLiteral(" (盘圆)");
        else if (record.grade < 4)
            text += QStringLiteral(" (盘螺)");
    }
    return text;
}

} // namespace

CVes_RawStockDlg::CVes_RawStockDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("表格内原材设置"));
    m_batchDownBox = new QCheckBox(QStringLiteral("向下批量修改数据"), this);
    connect(m_batchDownBox, &QCheckBox::toggled, this,
            [this](bool on) { m_bBatchDown = on ? 1 : 0; });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_batchDownBox);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(m_note);
    layout->addLayout(bottom);
    resize(640, 400);
}

CVes_RawStockDlg::~CVes_RawStockDlg() = default;

bool CVes_RawStockDlg::editDefaultStock(CVes_SteelYuanCaiDataLib& library, QWidget* parent)
{
    CVes_RawStockDlg dialog(parent);
    dialog.m_pYuanCaiLib = &library;
    dialog.showAsDefaultStock();
    return dialog.exec() == QDialog::Accepted;
}

void CVes_RawStockDlg::showAsDefaultStock()
{
    setWindowTitle(QStringLiteral("默认钢筋原材库管理"));
    m_note->setText(QStringLiteral("这里设置的定尺长度与价格用于新建的表格，以及表格中尚未设置原材的钢筋规格；"
                                   "已有表格中的原材请在该表格的“钢筋原材设置”中修改。"));
    m_note->show();
}

void CVes_RawStockDlg::reject()
{
    if (m_pYuanCaiLib && m_original)
        *m_pYuanCaiLib = *m_original;
    QDialog::reject();
}

void CVes_RawStockDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

bool CVes_RawStockDlg::OnInitDialog()
{
    if (!m_pYuanCaiLib || m_grid)
        return false;
    m_original = std::make_unique<CVes_SteelYuanCaiDataLib>(*m_pYuanCaiLib);
    m_grid = new CGridCtrl(0, 0, 0, 0, this);
    m_grid->SetDlgCtrlID(kGridId);
    m_grid->SetOwner(this);
    m_grid->SetGridBkColor(kGridBack);
    for (bool fixedRow : {true, false}) {
        for (bool fixedCol : {true, false}) {
            if (fixedRow || fixedCol)
                m_grid->GetDefaultCell(fixedRow, fixedCol)->SetBackClr(kFixedBack);
        }
    }
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    delete layout->takeAt(0);  // the place kept for the grid
    layout->insertWidget(0, m_grid, 1);
    fillGrid();
    return true;
}

void CVes_RawStockDlg::fillGrid()
{
    if (!m_grid || !m_pYuanCaiLib)
        return;
    const int count = m_pYuanCaiLib->count();
    m_grid->SetColumnCount(kColumnCount);
    m_grid->SetRowCount(count + 1);
    m_grid->SetFixedRowCount(1);
    // Only the numbers are fixed, so that every value can be edited.
    m_grid->SetFixedColumnCount(1);
    m_grid->SetRowHeight(0, kHeaderHeight);
    for (int c = 0; c < kColumnCount; ++c) {
        if (kHeadings[c].width > 0)
            m_grid->SetColumnWidth(c, kHeadings[c].width);
        m_grid->SetItemText(0, c, QString::fromUtf8(kHeadings[c].text));
        if (CGridCellBase* cell = m_grid->GetCell(0, c))
            cell->SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int i = 0; i < count; ++i) {
        const CVes_SteelYuanCaiData& record = *m_pYuanCaiLib->at(i);
        const int r = i + 1;
        m_grid->SetItemText(r, 0, QString::asprintf("%d", r));
        m_grid->SetItemText(r, kColGrade, YuanCai_GradeToString(record.grade));
        m_grid->SetItemText(r, kColDiameter, YuanCai_DNToString(record.DN));
        m_grid->SetItemText(r, kColType, YuanCai_TypeToString(record.steelType));
        m_grid->SetItemText(r, kColLength, lengthText(record));
        m_grid->SetItemText(r, kColPrice, YuanCai_ValueToString(record.price, "%.1f"));
    }
    m_grid->InvalidateGrid();
}

LRESULT CVes_RawStockDlg::OnGridNotify(const GridNotify& notify)
{
    switch (notify.hdr.code) {
    case NM_CLICK:
        OnGridClick(notify.iRow, notify.iColumn);
        break;
    case GridSelChanged:
        OnGridSelChanged(notify.iRow, notify.iColumn);
        break;
    case GridEndEdit:
        OnGridEndEdit(notify.iRow, notify.iColumn);
        break;
    default:
        break;
    }
    return 0;
}

void CVes_RawStockDlg::OnGridClick(int row, int column)
{
    m_nClickRow = row;
    m_nClickCol = column;
}

void CVes_RawStockDlg::resetCell(int row, int column)
{
    if (!m_grid || !m_grid->IsValid(row, column))
        return;
    m_grid->SetCellType(row, column, GridCellClass::Of<CGridCell>());
    m_grid->SetItemState(row, column,
                         m_grid->GetItemState(row, column) & ~UINT(GridStateReadOnly));
    m_grid->InvalidateGrid();
}

void CVes_RawStockDlg::makeListCell(int row, int column, const QStringList& options)
{
    resetCell(row, column);
    if (!m_grid->SetCellType(row, column, GridCellClass::Of<CGridCellCombo>()))
        return;
    if (auto* cell = dynamic_cast<CGridCellCombo*>(m_grid->GetCell(row, column))) {
        cell->SetOptions(options);
        cell->SetStyle(kDropDownList);
    }
    m_grid->InvalidateGrid();
}

void CVes_RawStockDlg::OnGridSelChanged(int row, int column)
{
    // The grid reports the click before the selection: the cell to turn
    // back into text is the one made a list at the last selection.
    if (m_listRow > 0 && m_listCol > 0)
        resetCell(m_listRow, m_listCol);
    m_listRow = m_listCol = -1;
    if (row <= 0 || !m_grid)
        return;
    if (column == kColGrade)
        makeListCell(row, column, yuancai::gradeOptions());
    else if (column == kColType)
        makeListCell(row, column, yuancai::typeOptions());
    else
        return;
    m_listRow = row;
    m_listCol = column;
}

void CVes_RawStockDlg::OnGridEndEdit(int row, int column)
{
    if (!m_grid || !m_pYuanCaiLib || column < 1 || row < 1 || row > m_pYuanCaiLib->count())
        return;
    const QString text = m_grid->GetItemText(row, column);
    // A diameter no bar can have would make a list that cannot be opened
    // again once saved: it is refused and the records keep theirs.
    if (column == kColDiameter && !envora::isStoredDiameter(leadingNumber(text))) {
        platform::showMessage(QStringLiteral("%1 ——钢筋直径值输入不正确！\n").arg(text.trimmed()),
                              platform::MessageIcon::Stop);
        fillGrid();
        return;
    }
    const int last = m_bBatchDown ? m_pYuanCaiLib->count() : row;
    for (int i = row - 1; i < last; ++i) {
        CVes_SteelYuanCaiData& record = *m_pYuanCaiLib->at(i);
        switch (column) {
        case kColGrade:
            if (const int grade = yuancai::gradeOfOption(text))
                record.grade = grade;
            break;
        case kColDiameter:
            record.DN = float(leadingNumber(text));
            break;
        case kColType:
            // A text that is no choice leaves the type as it is.
            if (const int type = yuancai::typeOfOption(text); type >= 0)
                record.steelType = type;
            break;
        case kColLength:
            // Shown and typed in metres; kept in millimetres.
            record.setLengthMetres(leadingNumber(text));
            break;
        case kColPrice:
            record.price = float(leadingNumber(text));
            break;
        default:
            break;
        }
    }
    fillGrid();
}
