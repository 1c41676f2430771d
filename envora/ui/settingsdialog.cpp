#include "envora/ui/settingsdialog.h"

#include "envora/ui/textonpictrue.h"
#include "platform/hostservices.h"
#include "platform/ui/translations.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>

namespace envora {

namespace {

// The banner's caption size in tenths of a point.
constexpr int kBannerFontHeight = 160;
constexpr int kBannerHeight = 48;

} // namespace

SettingsDialog::SettingsDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* banner = new CVes_TextOnPictrue(this);
    banner->setText(title);
    banner->setFontHeight(kBannerFontHeight);
    banner->setFixedHeight(kBannerHeight);
    layout->addWidget(banner);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);
    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);
}

void SettingsDialog::accept()
{
    Settings changed = *settings();
    QString error;
    const bool stored = apply(changed, &error)
        && updateSettings([&changed](Settings& s) { s = changed; }, &error);
    if (!stored) {
        platform::showMessage(error, platform::MessageIcon::Warning, windowTitle());
        return;
    }
    QDialog::accept();
}

NumberTable::NumberTable(const QString& name, const QStringList& columns, QWidget* parent)
    : QTableWidget(0, int(columns.size()), parent), m_name(name), m_numberColumns(int(columns.size()))
{
    setHorizontalHeaderLabels(columns);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setSelectionBehavior(QAbstractItemView::SelectItems);
}

QString NumberTable::numberText(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

void NumberTable::setRows(const std::vector<std::vector<double>>& rows, const QStringList& headings)
{
    setRowCount(int(rows.size()));
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount() && c < int(rows[r].size()); ++c)
            setItem(r, c, new QTableWidgetItem(numberText(rows[r][c])));
    if (!headings.isEmpty())
        setVerticalHeaderLabels(headings);
}

void NumberTable::appendRow()
{
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < columnCount(); ++c)
        setItem(row, c, new QTableWidgetItem);
    setCurrentCell(row, 0);
    editItem(item(row, 0));
}

void NumberTable::removeSelectedRows()
{
    QList<int> rows;
    for (const QTableWidgetSelectionRange& range : selectedRanges())
        for (int r = range.topRow(); r <= range.bottomRow(); ++r)
            if (!rows.contains(r))
                rows << r;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int r : rows)
        removeRow(r);
}

bool NumberTable::read(std::vector<std::vector<double>>& rows, QString* error)
{
    rows.assign(size_t(rowCount()), std::vector<double>(size_t(m_numberColumns)));
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < m_numberColumns; ++c) {
            const QString text = item(r, c) ? item(r, c)->text().trimmed() : QString();
            bool ok = false;
            rows[r][c] = QLocale::c().toDouble(text, &ok);
            if (!ok) {
                setCurrentCell(r, c);
                *error = QStringLiteral("%1第%2行“%3”的值“%4”不是有效的数字。")
                             .arg(m_name)
                             .arg(r + 1)
                             .arg(horizontalHeaderItem(c)->text(), text);
                return false;
            }
        }
    }
    return true;
}

} // namespace envora
