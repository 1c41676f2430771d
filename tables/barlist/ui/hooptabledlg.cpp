#include "tables/barlist/ui/hooptabledlg.h"

#include "grid/gridctrl.h"
#include "platform/hostservices.h"
#include "platform/ui/translations.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int ColumnCount = 5;
constexpr int HeaderHeight = 32;
constexpr int ColumnWidths[ColumnCount] = {50, 90, 90, 50, 60};
constexpr int ResultColumn = 4;
constexpr COLORREF ReadOnlyBack = 0xEEEEEE;
// Net spans beyond this are typing errors; it also keeps the sums in range.
constexpr int MaxNetSpan = 999999;

bool readCellInt(CGridCtrl& grid, int row, int col, int& value)
{
    bool ok = false;
    const int v = grid.GetItemText(row, col).trimmed().toInt(&ok);
    if (!ok || v < 0)
        return false;
    value = v;
    return true;
}

} // namespace

std::vector<HoopTableRow> hoopTableRows()
{
    return {
        {400, 1700, 1600, 14, 0},  {450, 1700, 1600, 14, 0},  {500, 1900, 1800, 16, 0},
        {550, 2100, 2000, 18, 0},  {600, 2300, 2200, 20, 0},  {650, 2500, 2400, 22, 0},
        {700, 2500, 2400, 22, 0},  {750, 2700, 2600, 24, 0},  {800, 2900, 2800, 26, 0},
        {900, 3100, 3000, 28, 0},  {1000, 3400, 3300, 32, 0},
    };
}

int hoopTableCount(const HoopTableRow& row, int ln, int pair)
{
    const bool by150 = pair == HoopPair150;
    const double l2 = by150 ? row.l2For150 : row.l2For200;
    const double spacing = by150 ? 150.0 : 200.0;
    const double count = (double(ln) - l2) / spacing + row.n + 0.5;
    // A span far shorter than L2 would give a negative count.
    if (count <= 0.0)
        return 0;
    return int(count);
}

CVes_HoopTableDlg::CVes_HoopTableDlg(QWidget* parent)
    : QDialog(parent)
    , m_table(hoopTableRows())
{
    setWindowTitle(QStringLiteral("表格法计算箍筋根数"));

    m_pLnEdit = new QLineEdit(QStringLiteral("0"), this);
    m_pLnEdit->setValidator(new QIntValidator(0, MaxNetSpan, m_pLnEdit));
    m_pPair200 = new QRadioButton(QStringLiteral("100/200"), this);
    m_pPair150 = new QRadioButton(QStringLiteral("100/150"), this);
    m_pPair200->setChecked(true);
    m_pEditButton = new QPushButton(QStringLiteral("修改参数"), this);

    m_pGrid = new CGridCtrl(0, 0, 0, 0, this);
    m_pGrid->SetOwner(this);
    m_pGrid->SetColumnCount(ColumnCount);
    m_pGrid->SetFixedRowCount(1);
    m_pGrid->SetFixedColumnCount(1);
    m_pGrid->SetRowHeight(0, HeaderHeight);
    static const char* const headers[ColumnCount] = {
        "梁 高\n(mm)", "100/200参数\nL2(mm)", "100/150参数\nL2(mm)", "参数N\n(根)", "计算结果\n(根)"};
    for (int c = 0; c < ColumnCount; ++c) {
        m_pGrid->SetColumnWidth(c, ColumnWidths[c]);
        m_pGrid->SetItemText(0, c, QString::fromUtf8(headers[c]));
    }
    for (const HoopTableRow& row : m_table)
        m_pGrid->InsertRow(QString::number(row.hb));

    auto* buttons = platform::okCancelButtons(*this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Ln(mm)"), this));
    top->addWidget(m_pLnEdit);
    top->addWidget(m_pPair200);
    top->addWidget(m_pPair150);
    top->addWidget(m_pEditButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(buttons);
    resize(400, 480);

    connect(m_pLnEdit, &QLineEdit::textEdited, this, [this] { readFields(); fillGrid(); });
    connect(m_pLnEdit, &QLineEdit::editingFinished, this, [this] { readFields(); fillGrid(); });
    connect(m_pPair200, &QRadioButton::toggled, this, [this] { readFields(); fillGrid(); });
    connect(m_pEditButton, &QPushButton::clicked, this, &CVes_HoopTableDlg::onEditButton);

    fillGrid();
}

CVes_HoopTableDlg::~CVes_HoopTableDlg() = default;

void CVes_HoopTableDlg::readFields()
{
    bool ok = false;
    const int ln = m_pLnEdit->text().trimmed().toInt(&ok);
    m_nLn = ok ? qBound(0, ln, MaxNetSpan) : 0;
    m_nPair = m_pPair150->isChecked() ? HoopPair150 : HoopPair200;
}

void CVes_HoopTableDlg::fillGrid()
{
    for (int i = 0; i < int(m_table.size()); ++i) {
        const HoopTableRow& row = m_table[size_t(i)];
        const int r = i + 1;
        m_pGrid->SetItemText(r, 0, QString::number(row.hb));
        m_pGrid->SetItemText(r, 1, QString::number(row.l2For200));
        m_pGrid->SetItemText(r, 2, QString::number(row.l2For150));
        m_pGrid->SetItemText(r, 3, QString::number(row.n));
        m_pGrid->SetItemText(r, ResultColumn, QString::number(hoopTableCount(row, m_nLn, m_nPair)));
        for (int c = 1; c <= ResultColumn; ++c) {
            // The count is worked out, never typed.
            const bool readOnly = c == ResultColumn || !m_bEditMode;
            const UINT state = m_pGrid->GetItemState(r, c);
            m_pGrid->SetItemState(r, c, readOnly ? (state | GridStateReadOnly)
                                                 : (state & ~UINT(GridStateReadOnly)));
            m_pGrid->SetItemBkColour(r, c, readOnly && c != ResultColumn ? ReadOnlyBack : CLR_DEFAULT);
        }
    }
    m_pGrid->InvalidateGrid();
}

void CVes_HoopTableDlg::onEditButton()
{
    m_bEditMode = !m_bEditMode;
    readFields();
    fillGrid();
    m_pEditButton->setText(m_bEditMode ? QStringLiteral("完成修改") : QStringLiteral("修改参数"));
}

bool CVes_HoopTableDlg::storeEditedRow(int row)
{
    HoopTableRow values = m_table[size_t(row - 1)];
    if (!readCellInt(*m_pGrid, row, 0, values.hb) || !readCellInt(*m_pGrid, row, 1, values.l2For200)
        || !readCellInt(*m_pGrid, row, 2, values.l2For150) || !readCellInt(*m_pGrid, row, 3, values.n))
        return false;
    m_table[size_t(row - 1)] = values;
    return true;
}

LRESULT CVes_HoopTableDlg::OnGridNotify(const GridNotify& notify)
{
    switch (notify.hdr.code) {
    case NM_CLICK:
        m_nSelRow = notify.iRow;
        m_nSelCol = notify.iColumn;
        break;
    case NM_DBLCLK:
        m_nSelRow = notify.iRow;
        m_nSelCol = notify.iColumn;
        accept();
        break;
    case GridEndEdit:
        if (notify.iRow >= 1 && notify.iRow <= int(m_table.size()) && notify.iColumn >= 1
            && notify.iColumn <= 3) {
            // Anything but a whole non-negative number is refused: the cell
            // gets its old text back.
            if (!storeEditedRow(notify.iRow))
                return -1;
            readFields();
            fillGrid();
        }
        break;
    default:
        break;
    }
    return 0;
}

void CVes_HoopTableDlg::accept()
{
    readFields();
    if (m_nSelRow < 1 || m_nSelRow > int(m_table.size())) {
        // Without a row there is no count; closing would write 0 into the bar.
        platform::showMessage(QStringLiteral("请选择梁高所在的行。"), platform::MessageIcon::Warning,
                              windowTitle());
        return;
    }
    HoopTableRow& row = m_table[size_t(m_nSelRow - 1)];
    row.result = hoopTableCount(row, m_nLn, m_nPair);
    m_nResult = row.result;
    QDialog::accept();
}
