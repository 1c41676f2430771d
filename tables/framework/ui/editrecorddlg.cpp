#include "tables/framework/ui/editrecorddlg.h"

#include "tables/framework/editrecord.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tables/framework/tableslibrary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One edit ends at a time in the whole program: the owner's reaction to the
// end of an edit may move the focus, which must not end it a second time.
bool g_committing = false;

class CommitGuard {
public:
    CommitGuard() { g_committing = true; }
    ~CommitGuard() { g_committing = false; }
    CommitGuard(const CommitGuard&) = delete;
    CommitGuard& operator=(const CommitGuard&) = delete;
};

// The keys that open the edit without typing: Ctrl+A, Tab, Enter, Space,
// Page Up and Down, End, Home, Left, Right, Up, Down.
bool onlyOpens(int key)
{
    return key == 1 || key == 9 || key == 13 || (key >= 32 && key <= 40);
}

} // namespace

// The edit field

CVes_EditRecordEdit::CVes_EditRecordEdit(CVes_EditRecordDlg* dialog)
    : QLineEdit(dialog), m_dialog(dialog)
{
}

void CVes_EditRecordEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        m_dialog->moveSelection(-1);
        return;
    case Qt::Key_Down:
        m_dialog->moveSelection(+1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_dialog->endWithKey(13);
        return;
    case Qt::Key_Escape:
        m_dialog->endWithKey(27);
        return;
    default:
        break;
    }
    const unsigned command = inplace::commandKey(event->key(), event->modifiers());
    if (command && m_dialog->ownerTakesKey(command)) {
        m_dialog->endWithKey(int(command));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool CVes_EditRecordEdit::event(QEvent* event)
{
    // Tab would only move the focus inside the dialog; here it ends the edit.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            m_dialog->endWithKey(9);
            return true;
        }
    }
    return QLineEdit::event(event);
}

// The dialog

CVes_EditRecordDlg::CVes_EditRecordDlg(EditRecordOwner* owner)
    : QDialog(owner ? owner->ownerWidget() : nullptr), m_owner(owner)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("表格编辑对话框"));
    m_edit = new CVes_EditRecordEdit(this);
    m_edit->setObjectName(QString::number(kEditId));
    m_list = new QListWidget(this);
    m_list->setObjectName(QString::number(kListId));
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_delete = new QPushButton(QStringLiteral("删除选中记录"), this);
    m_delete->setObjectName(QString::number(kDeleteId));
    m_delete->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_edit);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_delete);
    resize(212, 153);

    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { takeEntry(m_list->row(item)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        takeEntry(m_list->row(item));
        commitEdit();
    });
    connect(m_delete, &QPushButton::clicked, this, &CVes_EditRecordDlg::deleteSelected);
    connect(qApp, &QApplication::focusChanged, this, &CVes_EditRecordDlg::focusChanged);
    enableDialogTheme(this);
}

CVes_EditRecordDlg::~CVes_EditRecordDlg() = default;

void CVes_EditRecordDlg::setEditInfo(int row, int column, const QString& text, int firstChar)
{
    m_row = row;
    m_column = column;
    m_committed = false;
    m_edit->setInitialText(text);
    m_edit->setLastKey(0);

    m_list->clear();
    QStringList values;
    table_getEditRecordArray(values, m_recordType);
    m_list->addItems(values);

    m_edit->setText(text);
    if (firstChar == 8) {
        m_edit->deselect();
        m_edit->end(false);
        m_edit->backspace();
        return;
    }
    m_edit->selectAll();
    // The arrows only open the edit, as they do for the in-place edit box.
    if (onlyOpens(firstChar) || firstChar < 32 || firstChar > 0xFFFF)
        return;
    m_edit->insert(QString(QChar(char16_t(firstChar))));
}

void CVes_EditRecordDlg::takeEntry(int index)
{
    if (index < 0 || index >= m_list->count())
        return;
    m_list->setCurrentRow(index);
    m_edit->setText(m_list->item(index)->text());
    m_edit->selectAll();
    m_edit->setFocus();
}

void CVes_EditRecordDlg::moveSelection(int step)
{
    const int current = m_list->currentRow();
    if (step > 0 && current + 1 < m_list->count())
        takeEntry(current < 0 ? 0 : current + 1);
    else if (step < 0 && current > 0)
        takeEntry(current - 1);
}

void CVes_EditRecordDlg::deleteSelected()
{
    const int current = m_list->currentRow();
    if (current < 0)
        return;
    table_delEditRecordArray(m_list->item(current)->text(), m_recordType);
    delete m_list->takeItem(current);
    m_list->setCurrentRow(-1);
    m_edit->setFocus();
}

void CVes_EditRecordDlg::endWithKey(int key)
{
    if (key == 27)
        m_edit->setText(m_edit->initialText());
    m_edit->setLastKey(key);
    if (key == 13) {
        commitEdit();
        if (m_owner) {
            if (QWidget* view = m_owner->ownerWidget())
                view->setFocus();
            m_owner->editKey(13);
        }
        return;
    }
    if (m_owner)
        m_owner->editKey(key);
    commitEdit();
}

void CVes_EditRecordDlg::focusChanged(QWidget* old, QWidget* now)
{
    // The list and the button keep the edit going; anything else ends it.
    if (old != m_edit || (now && (now == this || isAncestorOf(now))))
        return;
    commitEdit();
}

void CVes_EditRecordDlg::commitEdit()
{
    if (g_committing || m_committed)
        return;
    const CommitGuard guard;
    m_committed = true;
    const QString text = m_edit->text();
    if (m_owner) {
        if (m_owner->isOnCoverPage())
            m_owner->EndFengmianEdit(text);
        else
            m_owner->EndCellEdit(m_row, m_column, text);
        table_setEditRecordArray(text, m_recordType);
    }
    close();
}
