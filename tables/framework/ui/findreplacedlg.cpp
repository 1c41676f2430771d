#include "tables/framework/ui/findreplacedlg.h"

#include "tables/framework/findreplace.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"
#include "tables/framework/tableslibrary.h"
#include "tables/framework/ui/tableview.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/hostservices.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

using namespace findreplace;

namespace {

constexpr int kMaxPage = 99999;

QComboBox* historyCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // The dialog keeps the list in step with its history itself.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(16);
    return combo;
}

QSpinBox* pageField(QWidget* parent)
{
    auto* field = new QSpinBox(parent);
    field->setRange(0, kMaxPage);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setMaximumWidth(48);
    return field;
}

} // namespace

CVes_FindReplaceDlg::CVes_FindReplaceDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("查找与替换"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildLayout();
}

CVes_FindReplaceDlg::~CVes_FindReplaceDlg()
{
    leaveView();
}

void CVes_FindReplaceDlg::leaveView()
{
    if (CVes_TableViewBase* view = m_view) {
        m_view = nullptr;
        view->searchDialogClosed(this);
    }
}

void CVes_FindReplaceDlg::closeEvent(QCloseEvent* event)
{
    leaveView();
    event->accept();
}

void CVes_FindReplaceDlg::reject()
{
    close();
}

void CVes_FindReplaceDlg::buildLayout()
{
    m_tab = new QTabBar(this);
    m_tab->addTab(QStringLiteral("查找"));
    m_tab->addTab(QStringLiteral("替换"));

    m_itemCombo = new QComboBox(this);
    m_itemCombo->addItems(itemTexts());
    m_findCombo = historyCombo(this);
    m_replaceCombo = historyCombo(this);
    m_replaceLabel = new QLabel(QStringLiteral("替换内容"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("查找项目"), this), 0, 0);
    fields->addWidget(m_itemCombo, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("查找内容"), this), 1, 0);
    fields->addWidget(m_findCombo, 1, 1);
    fields->addWidget(m_replaceLabel, 2, 0);
    fields->addWidget(m_replaceCombo, 2, 1);

    auto* range = new QGroupBox(QStringLiteral("范围"), this);
    m_rangeCurrent = new QRadioButton(QStringLiteral("当前页"), range);
    m_rangeWhole = new QRadioButton(QStringLiteral("整表"), range);
    m_rangePages = new QRadioButton(QStringLiteral("指定页"), range);
    m_pageFrom = pageField(range);
    m_pageTo = pageField(range);
    auto* rangeRow = new QHBoxLayout(range);
    rangeRow->addWidget(m_rangeCurrent);
    rangeRow->addWidget(m_rangeWhole);
    rangeRow->addWidget(m_rangePages);
    rangeRow->addWidget(m_pageFrom);
    rangeRow->addWidget(new QLabel(QStringLiteral("页 到 "), range));
    rangeRow->addWidget(m_pageTo);
    rangeRow->addWidget(new QLabel(QStringLiteral("页"), range));
    rangeRow->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(range);

    m_replaceAll = new QPushButton(QStringLiteral("替换全部"), this);
    m_replace = new QPushButton(QStringLiteral("替换"), this);
    m_findAll = new QPushButton(QStringLiteral("查找全部"), this);
    m_findNext = new QPushButton(QStringLiteral("查找下一个"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_replaceAll, m_replace, m_findAll, m_findNext, m_close}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    m_close->setAutoDefault(true);
    buttons->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 1);
    middle->addLayout(buttons);

    m_results = new QListWidget(this);
    m_results->setMinimumHeight(90);
    // Every entry is one line: a long list of hits is laid out without
    // measuring each.
    m_results->setUniformItemSizes(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tab);
    layout->addLayout(middle);
    layout->addWidget(m_results, 1);

    connect(m_tab, &QTabBar::currentChanged, this, &CVes_FindReplaceDlg::setTab);
    connect(m_findNext, &QPushButton::clicked, this, &CVes_FindReplaceDlg::OnFindNext);
    connect(m_findAll, &QPushButton::clicked, this, &CVes_FindReplaceDlg::OnFindAll);
    connect(m_replace, &QPushButton::clicked, this, &CVes_FindReplaceDlg::OnReplace);
    connect(m_replaceAll, &QPushButton::clicked, this, &CVes_FindReplaceDlg::OnReplaceAll);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_results, &QListWidget::currentRowChanged, this, &CVes_FindReplaceDlg::chooseEntry);
    connect(m_results, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseEntry(m_results->row(item)); });
    // A new search text or item makes the listed hits stale.
    connect(m_findCombo, &QComboBox::editTextChanged, m_results, &QListWidget::clear);
    connect(m_itemCombo, &QComboBox::currentIndexChanged, m_results, &QListWidget::clear);
    m_findCombo->installEventFilter(this);
    m_findCombo->lineEdit()->installEventFilter(this);
    m_replaceCombo->installEventFilter(this);
    m_replaceCombo->lineEdit()->installEventFilter(this);
}

void CVes_FindReplaceDlg::init(CVes_TableViewBase* view, int tab)
{
    if (!view)
        return;
    m_view = view;
    m_table = view->getTable();
    if (m_table) {
        const int row = m_table->getCurRow();
        const int column = m_table->getCurCol();
        m_item = int(m_table->getUNITType(row, column));
        m_findText = m_table->getUNITString(row, column);
        m_found = m_table->getLine(row);
    }
    m_replaceCombo->clear();
    m_replaceCombo->addItems(replaceHistory().texts());
    m_replaceCombo->setEditText(QString());
    m_findCombo->clear();
    m_findCombo->addItems(searchHistory().texts());
    m_findCombo->setEditText(m_findText);
    // The base table's answer (-1) shows no item.
    m_itemCombo->setCurrentIndex(m_item >= 0 && m_item < m_itemCombo->count() ? m_item : -1);
    m_rangeWhole->setChecked(true);
    m_pageFrom->setValue(m_from);
    m_pageTo->setValue(m_to);
    m_tab->setCurrentIndex(tab == kReplaceTab ? kReplaceTab : kFindTab);
    setTab(m_tab->currentIndex());
    m_results->clear();
    enableDialogTheme(this);
}

void CVes_FindReplaceDlg::setTab(int tab)
{
    const bool replacing = tab == kReplaceTab;
    for (QWidget* widget : {static_cast<QWidget*>(m_replaceCombo),
                            static_cast<QWidget*>(m_replaceLabel),
                            static_cast<QWidget*>(m_replace), static_cast<QWidget*>(m_replaceAll)})
        widget->setVisible(replacing);
    if (m_tab->currentIndex() != tab)
        m_tab->setCurrentIndex(tab);
}

void CVes_FindReplaceDlg::readControls()
{
    m_item = m_itemCombo->currentIndex();
    m_findText = m_findCombo->currentText();
    m_replaceText = m_replaceCombo->currentText();
    m_range = m_rangeCurrent->isChecked() ? kCurrentPage
              : m_rangePages->isChecked() ? kPageRange
                                          : kWholeTable;
    m_from = m_pageFrom->value();
    m_to = m_pageTo->value();
}

CVes_TableBase* CVes_FindReplaceDlg::table()
{
    CVes_TableBase* current = m_view ? m_view->getTable() : nullptr;
    if (current != m_table) {
        m_table = current;
        forgetRows();
    }
    return current;
}

CVes_TableBaseLine* CVes_FindReplaceDlg::currentFoundRow()
{
    CVes_TableBase* sheet = table();
    if (!sheet || !holdsLine(*sheet, m_found))
        m_found = nullptr;
    return m_found;
}

void CVes_FindReplaceDlg::forgetRows()
{
    m_found = nullptr;
    m_results->clear();
}

void CVes_FindReplaceDlg::showFound()
{
    CVes_TableBaseLine* row = currentFoundRow();
    if (!row)
        return;
    CVes_TableBase* sheet = table();
    if (m_item == kVariable && row->isSteelLine()) {
        CVes_BarCore* bar = row->getSteel();
        if (CVes_Variable* variable = bar ? bar->findVar(m_findText) : nullptr) {
            CVes_Variable* marked = m_view->getMarkedVar();
            if (marked && holdsVariable(*sheet, marked))
                marked->setStatus(0);
            variable->setStatus(CVes_ReferenceBase::kEditing);
            m_view->setMarkedVar(variable);
        }
    }
    sheet->setCurPage(row);
    m_view->setCurRowVisible();
    m_view->repaintView();
    // The panes show the row found.
    m_view->notifyFrame();
}

void CVes_FindReplaceDlg::OnFindNext()
{
    readControls();
    CVes_TableBase* sheet = table();
    if (!sheet)
        return;
    CVes_TableBaseLine* row = sheet->searchNextLine(nullptr, m_findText, unsigned(m_item),
                                                    unsigned(m_range), m_from, m_to);
    if (!row)
        return;
    m_found = row;
    showFound();
}

void CVes_FindReplaceDlg::OnFindAll()
{
    readControls();
    m_results->clear();
    CVes_TableBase* sheet = table();
    if (!sheet)
        return;
    const TableLineList rows =
        sheet->searchAllLine(m_findText, unsigned(m_item), unsigned(m_range), m_from, m_to);
    if (!rows.isEmpty()) {
        m_found = rows.first();
        showFound();
    }
    // Filling the list must not jump from hit to hit.
    const QSignalBlocker quiet(m_results);
    const QHash<const CVes_TableBaseLine*, QPoint> places = sheet->linePlaces();
    int n = 0;
    for (CVes_TableBaseLine* row : rows) {
        if (row->isNull())
            continue;
        const QPoint place = places.value(row);
        auto* entry =
            new QListWidgetItem(entryText(*sheet, ++n, place.x(), place.y(), row, m_item));
        entry->setData(Qt::UserRole, QVariant::fromValue(quintptr(row)));
        m_results->addItem(entry);
    }
}

void CVes_FindReplaceDlg::chooseEntry(int index)
{
    QListWidgetItem* entry = m_results->item(index);
    if (!entry)
        return;
    m_found = reinterpret_cast<CVes_TableBaseLine*>(entry->data(Qt::UserRole).value<quintptr>());
    // A row deleted since it was listed is passed over.
    showFound();
}

void CVes_FindReplaceDlg::recordReplacement(CVes_TableBase& sheet)
{
    sheet.setModified(1);
    sheet.AddUndo();
    m_view->setModify(true);
    m_view->repaintView();
    // The panes show the replaced values, as after any other edit.
    m_view->notifyFrame();
}

void CVes_FindReplaceDlg::OnReplace()
{
    readControls();
    CVes_TableBase* sheet = table();
    CVes_TableBaseLine* row = currentFoundRow();
    QList<RefusedRow> refused;
    if (sheet && row && replaceIn(*sheet, row, refused))
        recordReplacement(*sheet);
    tellRefused(refused);
    OnFindNext();
}

void CVes_FindReplaceDlg::OnReplaceAll()
{
    readControls();
    CVes_TableBase* sheet = table();
    if (!sheet || m_results->count() == 0)
        return;
    bool changed = false;
    QList<RefusedRow> refused;
    // Rows deleted since they were listed are passed over.
    const QSet<CVes_TableBaseLine*> held(sheet->lines().cbegin(), sheet->lines().cend());
    for (int i = 0; i < m_results->count(); ++i) {
        auto* row = reinterpret_cast<CVes_TableBaseLine*>(
            m_results->item(i)->data(Qt::UserRole).value<quintptr>());
        if (held.contains(row) && replaceIn(*sheet, row, refused))
            changed = true;
    }
    if (changed)
        recordReplacement(*sheet);
    tellRefused(refused);
}

bool CVes_FindReplaceDlg::replaceIn(CVes_TableBase& sheet, CVes_TableBaseLine* row,
                                    QList<RefusedRow>& refused)
{
    QString words;
    const bool changed = replaceInLine(sheet, row, m_findText, m_replaceText, m_item, &words);
    if (!words.isEmpty()) {
        int page = 0, position = 0;
        sheet.getInfo(row, page, position);
        refused.append({page, position, words});
    }
    return changed;
}

void CVes_FindReplaceDlg::tellRefused(const QList<RefusedRow>& refused)
{
    if (!refused.isEmpty())
        platform::showMessage(refusedRowsText(refused), platform::MessageIcon::Stop);
}

void CVes_FindReplaceDlg::rememberSearchText()
{
    const QString text = searchHistoryText(m_findCombo->currentText());
    if (!text.isEmpty() && searchHistory().add(text))
        m_findCombo->addItem(text);
}

void CVes_FindReplaceDlg::rememberReplaceText()
{
    const QString text = m_replaceCombo->currentText();
    if (replaceHistory().add(text))
        m_replaceCombo->addItem(text);
}

bool CVes_FindReplaceDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_findCombo || watched == m_findCombo->lineEdit())
            rememberSearchText();
        else if (watched == m_replaceCombo || watched == m_replaceCombo->lineEdit())
            rememberReplaceText();
    }
    return QDialog::eventFilter(watched, event);
}
