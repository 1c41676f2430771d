#pragma once
// The small dialog in which a table cell or variable is edited when the user
// chose "带历史记录编辑框": an edit field over the list of values recently
// entered for that kind of cell. Enter, Tab, Escape, a double click or the
// focus leaving the dialog end the edit; the text then goes to the owner
// view and into the recent values.

#include <QDialog>
#include <QLineEdit>
#include <QString>

class QListWidget;
class QPushButton;

// What the dialog needs of the table view it edits for.
class EditRecordOwner {
public:
    virtual ~EditRecordOwner() = default;
    // The widget of the view: the dialog's parent, and where the focus goes
    // after Enter.
    virtual QWidget* ownerWidget() = 0;
    // Whether the view's table shows its cover page.
    virtual bool isOnCoverPage() const = 0;
    virtual void EndFengmianEdit(const QString& text) = 0;
    virtual void EndCellEdit(int row, int column, const QString& text) = 0;
    // The key that ended the edit (13 Enter, 9 Tab, 27 Escape, or a command
    // key the view took), for the view to move on as it does for that key.
    virtual void editKey(int key) = 0;
    // Whether a key (a code of inplace::commandKey) is a command of the cell
    // being edited rather than a character of its text: the dialog then ends
    // the edit with it instead of typing it.
    virtual bool isEditCommandKey(unsigned key)
    {
        (void)key;
        return false;
    }
};

class CVes_EditRecordDlg;

// The dialog's edit field: passes Up and Down to the dialog and ends the edit
// on Enter, Tab and Escape.
class CVes_EditRecordEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit CVes_EditRecordEdit(CVes_EditRecordDlg* dialog);

    QString initialText() const { return m_initialText; }
    void setInitialText(const QString& text) { m_initialText = text; }
    int lastKey() const { return m_lastKey; }
    void setLastKey(int key) { m_lastKey = key; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    CVes_EditRecordDlg* m_dialog;
    QString m_initialText;
    int m_lastKey = 0;
};

class CVes_EditRecordDlg final : public QDialog {
    Q_OBJECT
public:
    // Control identifiers of the dialog's template, kept as object names.
    static constexpr int IDD = 4011;
    static constexpr int kEditId = 4036;
    static constexpr int kListId = 4056;
    static constexpr int kDeleteId = 4073;

    // `owner` may be null: the dialog then reports and records nothing.
    explicit CVes_EditRecordDlg(EditRecordOwner* owner);
    ~CVes_EditRecordDlg() override;

    void setRecordType(int category) { m_recordType = category; }
    int recordType() const { return m_recordType; }

    // Prepares an edit of (row, column) starting from `text`; `firstChar` is
    // the key that opened it: it is typed into the field, except for the keys
    // that only open the edit (Enter, Tab, Space, the arrows and the like),
    // which select the whole text.
    void setEditInfo(int row, int column, const QString& text, int firstChar);

    // Ends the edit: the text goes to the owner view (the cover's variables
    // on the cover page, else the cell) and into the recent values; then the
    // dialog closes. Calls while one runs do nothing.
    void commitEdit();

    CVes_EditRecordEdit* edit() const { return m_edit; }
    QListWidget* list() const { return m_list; }
    QPushButton* deleteButton() const { return m_delete; }
    int row() const { return m_row; }
    int column() const { return m_column; }

    // Up (-1) and Down (+1) from the edit field.
    void moveSelection(int step);
    // Enter, Tab, Escape and the owner's command keys from the edit field.
    void endWithKey(int key);
    // Whether the owner takes `key` as a command of the cell.
    bool ownerTakesKey(unsigned key) const { return m_owner && m_owner->isEditCommandKey(key); }

private:
    void takeEntry(int index);
    void deleteSelected();
    void focusChanged(QWidget* old, QWidget* now);

    EditRecordOwner* m_owner;
    CVes_EditRecordEdit* m_edit;
    QListWidget* m_list;
    QPushButton* m_delete;
    int m_recordType = 1;
    int m_row = 0;
    int m_column = 0;
    bool m_committed = false;
};
