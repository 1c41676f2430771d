#pragma once
// The find-and-replace window "查找与替换" of the bar-list view: searches the
// rows for one of eight items within the current page, the whole table or a
// range of pages, lists every hit with its page and row, jumps to a hit, and
// replaces the searched text or value in the current hit or in every listed
// row. It stays open beside its view until it is closed or the view ends its
// editors; it then deletes itself.
//
// Rows are remembered by pointer and checked against the view's table before
// every use, so rows deleted meanwhile are passed over.

#include "tables/framework/findreplace.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class CVes_TableBase;
class CVes_TableBaseLine;
class CVes_TableViewBase;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabBar;

class CVes_FindReplaceDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 4028;
    // The tabs.
    static constexpr int kFindTab = 0;
    static constexpr int kReplaceTab = 1;

    // Hidden until its view shows it; deleted when closed.
    explicit CVes_FindReplaceDlg(QWidget* parent = nullptr);
    ~CVes_FindReplaceDlg() override;

    // Binds the view and its table and starts from the table's current cell:
    // its item, its text and its row. Shows the given tab. Nothing without a
    // view.
    void init(CVes_TableViewBase* view, int tab);
    // The view is going: nothing is reported to it any more.
    void detachView() { m_view = nullptr; }
    CVes_TableViewBase* view() const { return m_view; }

    void setTab(int tab);
    // "查找下一个": the next matching row after the table's current row.
    void OnFindNext();
    // "查找全部": lists every matching row of the range.
    void OnFindAll();
    // "替换": replaces in the current hit, then finds the next.
    void OnReplace();
    // "替换全部": replaces in every listed row, as one undo step.
    void OnReplaceAll();
    // Choosing an entry of the results list jumps to its row.
    void chooseEntry(int index);

    // The row found last, when it still belongs to the table; else null.
    CVes_TableBaseLine* currentFoundRow();
    // Rows of the table were deleted or replaced: the listed hits and the
    // row found are forgotten (a new row may take a deleted row's place).
    void forgetRows();

    QTabBar* m_tab = nullptr;
    QComboBox* m_itemCombo = nullptr;
    QComboBox* m_findCombo = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QComboBox* m_replaceCombo = nullptr;
    QRadioButton* m_rangeCurrent = nullptr;
    QRadioButton* m_rangeWhole = nullptr;
    QRadioButton* m_rangePages = nullptr;
    QSpinBox* m_pageFrom = nullptr;
    QSpinBox* m_pageTo = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_findAll = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_close = nullptr;
    QListWidget* m_results = nullptr;

    // Escape closes the window like "关闭".
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing tells the view, which forgets the window and ends its editors.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    // The values of the controls.
    void readControls();
    // The view's table; a table other than the one searched before empties
    // the results and forgets the row found.
    CVes_TableBase* table();
    // Marks a found shape variable, turns the table to the found row and
    // scrolls it into sight.
    void showFound();
    // The changed flags, one undo step and the document's modified mark.
    void recordReplacement(CVes_TableBase& table);
    // Replaces in one row; a refused replacement is added to `refused`.
    bool replaceIn(CVes_TableBase& sheet, CVes_TableBaseLine* row,
                   QList<findreplace::RefusedRow>& refused);
    // One message for every row whose replacement was refused.
    void tellRefused(const QList<findreplace::RefusedRow>& refused);
    void rememberSearchText();
    void rememberReplaceText();
    // Tells the view (once) that the window goes.
    void leaveView();

    QPointer<CVes_TableViewBase> m_view;
    CVes_TableBase* m_table = nullptr; // compared only, never followed
    CVes_TableBaseLine* m_found = nullptr;
    int m_item = -1;
    QString m_findText;
    QString m_replaceText;
    int m_range = 1;
    int m_from = 1;
    int m_to = 1;
};
