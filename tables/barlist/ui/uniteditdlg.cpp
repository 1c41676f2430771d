#include "tables/barlist/ui/uniteditdlg.h"

#include "tables/barlist/bartexts.h"
#include "tables/barlist/setuptable.h"

#include "grid/gridcell.h"
#include "grid/gridctrl.h"
#include "platform/gdi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kGridColumns = 4;
constexpr int kGridWidths[kGridColumns] = {50, 100, 96, 96};
constexpr COLORREF kReadOnlyBack = 0xEEEEEE;   // RGB(238, 238, 238)
constexpr COLORREF kGridBack = 0xFFEBEB;       // RGB(235, 235, 255)
constexpr COLORREF kFixedBack = 0xFFC8C8;      // RGB(200, 200, 255)

} // namespace

CUnitEditDlg::CUnitEditDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("构件单元编辑"));
    m_pPreview = new QLabel(m_strPreview, this);
    QFont bold = QApplication::font("QMenu");
    bold.setWeight(QFont::Bold);
    m_pPreview->setFont(bold);
    m_pPreview->setWordWrap(true);
    m_pStart = new QComboBox(this);
    m_pStartRange = new QLineEdit(this);
    m_pStartRange->setReadOnly(true);
    m_pStartRange->setEnabled(false);
    m_pEnd = new QComboBox(this);
    m_pEndRange = new QLineEdit(this);
    m_pEndRange->setReadOnly(true);
    m_pEndRange->setEnabled(false);
    m_pForm = new QComboBox(this);
    m_pForm->addItems({QStringLiteral("只标注单元名称"), QStringLiteral("只标注起始终止位置"),
                       QStringLiteral("单元名称+起始终止位置")});
    m_pMerged = new QCheckBox(QStringLiteral("单元名称注写合并"), this);
    m_pSame = new QCheckBox(QStringLiteral("各单元之间钢筋相同"), this);
    m_pModify = new QPushButton(QStringLiteral("修改…"), this);
    m_pAdd = new QPushButton(QStringLiteral("添加"), this);
    m_pDelete = new QPushButton(QStringLiteral("删除"), this);
    m_pUp = new QPushButton(QStringLiteral("上移"), this);
    m_pDown = new QPushButton(QStringLiteral("下移"), this);

    m_pGridFrame = new QFrame(this);
    m_pGrid = new CGridCtrl(0, 0, 0, 0, m_pGridFrame);
    m_pGrid->SetOwner(this);
    m_pGrid->SetColumnCount(kGridColumns);
    m_pGrid->SetFixedRowCount(1);
    m_pGrid->SetFixedColumnCount(1);
    m_pGrid->SetGridBkColor(kGridBack);
    for (bool row : {true, false})
        for (bool column : {true, false})
            if (row || column)
                m_pGrid->GetDefaultCell(row, column)->SetBackClr(kFixedBack);
    static const char* const kHeaders[kGridColumns] = {"序号", "单元名称", "起始位置", "结束位置"};
    for (int c = 0; c < kGridColumns; ++c) {
        m_pGrid->SetColumnWidth(c, kGridWidths[c]);
        m_pGrid->SetItemText(0, c, QString::fromUtf8(kHeaders[c]));
    }
    auto* gridLayout = new QHBoxLayout(m_pGridFrame);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->addWidget(m_pGrid, 1);
    auto* gridButtons = new QVBoxLayout;
    for (QPushButton* b : {m_pAdd, m_pDelete, m_pUp, m_pDown})
        gridButtons->addWidget(b);
    gridButtons->addStretch();
    gridLayout->addLayout(gridButtons);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("标注文字："), this), 0, 0);
    form->addWidget(m_pPreview, 0, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("起始单元"), this), 1, 0);
    form->addWidget(m_pStart, 1, 1);
    form->addWidget(m_pStartRange, 1, 2, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("结束单元"), this), 2, 0);
    form->addWidget(m_pEnd, 2, 1);
    form->addWidget(m_pEndRange, 2, 2, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("标注形式"), this), 3, 0);
    form->addWidget(m_pForm, 3, 1, 1, 3);
    form->addWidget(m_pMerged, 4, 0, 1, 2);
    form->addWidget(m_pSame, 4, 2, 1, 2);
    form->addWidget(m_pModify, 5, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        readControls();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &CUnitEditDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pGridFrame, 1);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_pGridFrame->setMinimumSize(420, 200);
    m_pGridFrame->hide();

    connect(m_pStart, &QComboBox::activated, this, [this] {
        m_strStart = m_pStart->currentText();
        refresh();
    });
    connect(m_pEnd, &QComboBox::activated, this, [this] {
        m_strEnd = m_pEnd->currentText();
        refresh();
    });
    connect(m_pForm, &QComboBox::activated, this, [this] {
        readControls();
        refresh();
    });
    for (QCheckBox* box : {m_pMerged, m_pSame})
        connect(box, &QCheckBox::clicked, this, [this] {
            readControls();
            composePreview();
        });
    connect(m_pModify, &QPushButton::clicked, this, &CUnitEditDlg::toggleGrid);
    connect(m_pAdd, &QPushButton::clicked, this, &CUnitEditDlg::addUnit);
    connect(m_pDelete, &QPushButton::clicked, this, &CUnitEditDlg::deleteUnit);
    connect(m_pUp, &QPushButton::clicked, this, [this] { moveUnit(-1); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { moveUnit(1); });

    refresh();
    fillGrid();
    enableButtons();
}

CUnitEditDlg::~CUnitEditDlg() = default;

void CUnitEditDlg::load(const CVes_SetupTable& table, const CVes_SetupTableLine& line)
{
    m_strStart = line.getUnitStart();
    m_strEnd = line.getUnitEnd();
    m_nMerged = line.m_unitMerged;
    m_nSame = line.m_unitSame;
    m_nForm = line.m_unitForm;
    m_names.clear();
    m_locations.clear();
    table.getUnitArray(m_names);
    table.getUnitlocArray(m_locations);
    m_nCurRow = 0;
    refresh();
    fillGrid();
    enableButtons();
}

void CUnitEditDlg::store(CVes_SetupTable& table, CVes_SetupTableLine& line) const
{
    table.setUnitArray(m_names);
    table.setUnitlocArray(m_locations);
    line.setUnit(m_strStart, m_strEnd, 0);
    line.m_unitMerged = m_nMerged;
    line.m_unitSame = m_nSame;
    line.m_unitForm = m_nForm;
}

void CUnitEditDlg::padLocations()
{
    while (m_locations.size() < m_names.size() + 1)
        m_locations.append(QString());
}

QString CUnitEditDlg::rangeOf(int unit) const
{
    const QString from = m_locations.value(unit);
    const QString to = m_locations.value(unit + 1);
    return from.isEmpty() && to.isEmpty() ? QString() : QStringLiteral("%1～%2").arg(from, to);
}

void CUnitEditDlg::refresh()
{
    padLocations();
    m_bLoading = true;
    m_pStart->clear();
    m_pEnd->clear();
    m_pStartRange->clear();
    m_pEndRange->clear();
    const int start = int(m_names.indexOf(m_strStart));
    for (int i = 0; i < m_names.size(); ++i) {
        m_pStart->addItem(m_names[i]);
        if (start >= 0 && i >= start)
            m_pEnd->addItem(m_names[i]);
    }
    if (start >= 0) {
        m_pStart->setCurrentIndex(start);
        m_pEnd->setCurrentIndex(0);
        m_pStartRange->setText(rangeOf(start));
        m_pEndRange->setText(rangeOf(start));
        // The end list opens on the start unit when no unit from there on has
        // the end name.
        for (int i = start; i < m_names.size(); ++i) {
            if (m_names[i] == m_strEnd) {
                m_pEnd->setCurrentIndex(i - start);
                m_pEndRange->setText(rangeOf(i));
                break;
            }
        }
    } else {
        m_pStart->setCurrentIndex(-1);
        m_pEnd->setCurrentIndex(-1);
    }
    m_bLoading = false;
    composePreview();
}

void CUnitEditDlg::composePreview()
{
    m_strPreview = barlist::unitLabelText(m_names, m_locations,
                                          {m_strStart, m_strEnd, m_nMerged, m_nSame, m_nForm});
    loadControls();
}

QString CUnitEditDlg::preview() const
{
    return m_strPreview;
}

void CUnitEditDlg::loadControls()
{
    m_bLoading = true;
    m_pPreview->setText(m_strPreview);
    m_pForm->setCurrentIndex(m_nForm >= 0 && m_nForm <= 2 ? m_nForm : -1);
    m_pMerged->setChecked(m_nMerged != 0);
    m_pSame->setChecked(m_nSame != 0);
    m_bLoading = false;
}

void CUnitEditDlg::readControls()
{
    if (m_bLoading)
        return;
    m_nForm = m_pForm->currentIndex();
    m_nMerged = m_pMerged->isChecked() ? 1 : 0;
    m_nSame = m_pSame->isChecked() ? 1 : 0;
}

void CUnitEditDlg::fillGrid()
{
    padLocations();
    m_pGrid->SetRowCount(int(m_names.size()) + 1);
    for (int i = 0; i < m_names.size(); ++i) {
        const int row = i + 1;
        m_pGrid->SetItemText(row, 0, QString::number(row));
        m_pGrid->SetItemText(row, kColName, m_names[i]);
        m_pGrid->SetItemText(row, kColStart, m_locations[i]);
        m_pGrid->SetItemText(row, kColEnd, m_locations[i + 1]);
        for (int c = 0; c < kGridColumns; ++c) {
            if (CGridCellBase* cell = m_pGrid->GetCell(row, c))
                cell->SetFormat(platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE);
        }
        // A unit starts where the one above ends: only the first start is typed.
        if (row >= 2) {
            m_pGrid->SetItemState(row, kColStart,
                                  m_pGrid->GetItemState(row, kColStart) | GridStateReadOnly);
            m_pGrid->SetItemBkColour(row, kColStart, kReadOnlyBack);
        }
    }
    m_pGrid->InvalidateGrid();
}

void CUnitEditDlg::setCurrentRow(int row)
{
    m_nCurRow = row >= 1 && row <= m_names.size() ? row : 0;
    enableButtons();
}

void CUnitEditDlg::enableButtons()
{
    const int count = int(m_names.size());
    m_pUp->setEnabled(m_nCurRow >= 2);
    m_pDelete->setEnabled(m_nCurRow >= 1);
    m_pDown->setEnabled(m_nCurRow >= 1 && m_nCurRow < count);
}

void CUnitEditDlg::focusRow(bool markSelected)
{
    if (m_nCurRow < 1)
        return;
    m_pGrid->SetFocusCell(m_nCurRow, kColName);
    if (markSelected)
        m_pGrid->SetItemState(m_nCurRow, kColName,
                              m_pGrid->GetItemState(m_nCurRow, kColName) | GridStateSelected);
}

void CUnitEditDlg::addUnit()
{
    padLocations();
    if (m_nCurRow >= 1) {
        // The new unit keeps the current unit's start; its empty end is the
        // start of the unit it pushes down.
        const int at = m_nCurRow - 1;
        m_names.insert(at, QString());
        m_locations.insert(at + 1, QString());
        m_pGrid->SetItemState(m_nCurRow, kColName,
                              m_pGrid->GetItemState(m_nCurRow, kColName) & ~GridStateSelected);
    } else {
        m_names.append(QString());
        m_locations.append(QString());
        m_nCurRow = int(m_names.size());
    }
    fillGrid();
    focusRow(false);
    enableButtons();
    refresh();
}

void CUnitEditDlg::deleteUnit()
{
    if (m_nCurRow < 1)
        return;
    m_names.removeAt(m_nCurRow - 1);
    m_locations.removeAt(m_nCurRow);
    if (m_nCurRow > m_names.size())
        m_nCurRow = int(m_names.size());
    fillGrid();
    focusRow(true);
    enableButtons();
    refresh();
}

void CUnitEditDlg::moveUnit(int step)
{
    const int from = m_nCurRow - 1;
    const int to = from + step;
    if (m_nCurRow < 1 || to < 0 || to >= m_names.size())
        return;
    // The names change places; the positions stay where they are.
    m_names.swapItemsAt(from, to);
    m_nCurRow = to + 1;
    fillGrid();
    focusRow(true);
    enableButtons();
    refresh();
}

void CUnitEditDlg::toggleGrid()
{
    m_bGridShown = !m_bGridShown;
    layoutForGrid();
}

void CUnitEditDlg::layoutForGrid()
{
    m_pGridFrame->setVisible(m_bGridShown);
    adjustSize();
}

void CUnitEditDlg::onCellEdited(int row, int column)
{
    const int unit = row - 1;
    if (unit < 0 || unit >= m_names.size())
        return;
    const QString text = m_pGrid->GetItemText(row, column);
    if (column == kColName) {
        // A chosen start or end unit follows its new name.
        if (m_strStart == m_strEditing)
            m_strStart = text;
        if (m_strEnd == m_strEditing)
            m_strEnd = text;
        m_names[unit] = text;
    } else if (column == kColStart) {
        m_locations[unit] = text;
    } else if (column == kColEnd) {
        m_locations[unit + 1] = text;
    }
    fillGrid();
    enableButtons();
    refresh();
}

LRESULT CUnitEditDlg::OnGridNotify(const GridNotify& notify)
{
    switch (notify.hdr.code) {
    case NM_CLICK:
        setCurrentRow(notify.iRow);
        break;
    case GridBeginEdit:
        m_strEditing = m_pGrid->GetItemText(notify.iRow, notify.iColumn);
        break;
    case GridEndEdit:
        if (notify.iRow >= 1)
            onCellEdited(notify.iRow, notify.iColumn);
        break;
    default:
        break;
    }
    return 0;
}
