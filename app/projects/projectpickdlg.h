#pragma once
// The pick dialog ("钢筋量选择汇总"): the project as a tree with check
// boxes. Ticking an item ticks everything below it; OK collects the bar
// lists of the ticked parts, which the caller sums into a quantity sheet.

#include "app/projects/projecttreectrl.h"

#include <QDialog>

class CProjectPickDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProjectPickDlg(QWidget* parent = nullptr);
    ~CProjectPickDlg() override;

    CProjectTreeCtrl& tree() { return m_tree; }
    // Collects the bar lists of the ticked parts into m_picked.
    void accept() override;

    // Set by the caller before the dialog runs.
    QString m_strProjectFolder;
    // The bar lists picked, with their element types and the parts ticked;
    // empty after Cancel.
    SummarySources m_picked;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CProjectTreeCtrl m_tree;
    bool m_bInitialised = false;
};
