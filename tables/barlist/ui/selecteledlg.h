#pragma once
// The element choice of the bar summary ("选择构件"): the bar list's element
// rows as a tree of check boxes; OK gives the checked ones, in tree order.

#include <QDialog>
#include <QList>

class CVes_SetupTableLine;
class QPushButton;
class QTreeWidget;

class CVes_SelectEleDlg : public QDialog {
    Q_OBJECT

public:
    explicit CVes_SelectEleDlg(QWidget* parent = nullptr);

    // The element rows offered, one item each, unchecked; the dialog does not
    // own them.
    void setEleList(const QList<CVes_SetupTableLine*>& elements);
    // The checked element rows, after OK.
    const QList<CVes_SetupTableLine*>& chosen() const { return m_chosen; }

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    void accept() override;

private:
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QList<CVes_SetupTableLine*> m_elements;
    QList<CVes_SetupTableLine*> m_chosen;
};
