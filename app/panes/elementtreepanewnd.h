#pragma once
// The element tree: the elements (构件) of a bar list with their piece counts
// and their total, under the project and location of the list. A double
// click (or Enter) on an element makes the page that holds it current.
//
// A bar-list frame hosts the pane in its docking pane and keeps the tree
// current:
//   pane->createPaneWindow(frame);
//   pane->tree()->setTable(table); pane->tree()->Fill();  // on every change
//                                                         // the views report
//   connect(pane->tree(), &CElementTreeCtrl::tableEdited, …);     // repaint
//   connect(pane->tree(), &CElementTreeCtrl::showCurrentRow, …);  // scroll
// The items keep which element they stand for, not the row itself: a jump
// finds the row in the table as it is now, so an undo that replaced every
// row never leaves the tree pointing at a freed one.

#include "app/panes/toolbarpanewnd.h"

#include <QTreeWidget>

class CVes_SetupTableLine;
class CVes_TableBase;

class CElementTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kControlId = 255;
    // What an item stands for.
    static constexpr int kRootDatum = 1;

    explicit CElementTreeCtrl(QWidget* parent = nullptr);

    // The table whose elements are listed (not owned); only a bar list has
    // elements.
    void setTable(CVes_TableBase* table) { m_pTable = table; }
    CVes_TableBase* getTable() const { return m_pTable; }

    // Lists the table's elements again.
    void Fill();
    // Makes the page of the selected element current and tells the frame.
    // A tree that no longer matches its table is filled again instead.
    void jumpToSelected();

    // The row of an element item in the table as it is now; null for the
    // root, the total, or an element the table no longer has.
    CVes_SetupTableLine* elementRow(const QTreeWidgetItem* item) const;

Q_SIGNALS:
    // After a jump: repaint the sheet, then bring the current row into view.
    void tableEdited();
    void showCurrentRow();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CVes_TableBase* m_pTable = nullptr;
    QIcon m_rootIcon;
    QIcon m_elementIcon;
    QIcon m_totalIcon;
};

class CElementTreePaneWnd : public CToolBarPaneWnd {
    Q_OBJECT
public:
    CElementTreePaneWnd();
    ~CElementTreePaneWnd() override;

    CElementTreeCtrl* tree() { return &m_wndTree; }

protected:
    // The tree as the pane's client, filled.
    QWidget* CreateClientControl() override;

private:
    CElementTreeCtrl m_wndTree;
};
