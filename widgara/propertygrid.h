#pragma once
// The property grid: categories of items in two columns, caption and value,
// edited in place (a text box, a list of choices or a check box), with a
// help pane that shows the selected item's caption and description. The
// owner hears through gridNotify, each with the item:
// XTP_PGN_SELECTION_CHANGED (2) when another item is selected,
// XTP_PGN_ITEMVALUE_CHANGED (3) when the user changed an item's value,
// XTP_PGN_INPLACEBUTTONDOWN (5) when an in-place button of the item was
// pressed (the button: GetPressedButton), XTP_PGN_ITEMEXPANDCHANGED (7) when
// the user expanded or collapsed the item.
//
// The owner may rebuild the grid (ResetContent) from inside a notification:
// the old items stay valid until control returns to the event loop.

#include "widgara/imagemanager.h"
#include "widgara/propertygriditem.h"

#include <QRect>
#include <QTreeWidget>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QTreeWidgetItem;

constexpr int XTP_PGN_SORTORDER_CHANGED = 1;
constexpr int XTP_PGN_SELECTION_CHANGED = 2;
constexpr int XTP_PGN_ITEMVALUE_CHANGED = 3;
constexpr int XTP_PGN_INPLACEBUTTONDOWN = 5;
constexpr int XTP_PGN_ITEMEXPANDCHANGED = 7;

// The rows of the grid; items that show windows of their own (buttons) put
// them on its viewport.
class CXTPPropertyGridView : public QTreeWidget {
    Q_OBJECT
public:
    explicit CXTPPropertyGridView(CXTPPropertyGrid* grid);
    CXTPPropertyGrid* GetPropertyGrid() const { return m_grid; }
    CXTPPropertyGridItemCategory* AddCategory(const QString& strCaption);
    QModelIndex indexOf(const QTreeWidgetItem* node, int column) const;

private:
    CXTPPropertyGrid* m_grid;
};

class CXTPPropertyGrid : public QWidget {
    Q_OBJECT

public:
    explicit CXTPPropertyGrid(QWidget* parent = nullptr);
    ~CXTPPropertyGrid() override;

    // Places the grid in `rect` of `pParentWnd` under the control id `nID`.
    bool Create(const QRect& rect, QWidget* pParentWnd, int nID);

    void SetVariableItemsHeight(bool bVariable = true) { m_bVariableHeight = bVariable; }
    void SetTheme(int theme) { m_theme = theme; }
    int GetTheme() const { return m_theme; }
    void ShowHelp(bool bShow = true);

    // Removes every item (they are deleted once the event loop runs again).
    void ResetContent();
    CXTPPropertyGridItemCategory* AddCategory(const QString& strCaption);
    CXTPPropertyGridItemCategory* InsertCategory(int nIndex, const QString& strCaption);
    CXTPPropertyGridItems* GetCategories() { return &m_categories; }

    // The item of the id anywhere in the grid, or null.
    CXTPPropertyGridItem* FindItem(int nID) const;
    CXTPPropertyGridItem* GetSelectedItem() const;
    // The item shown in a row of the tree, or null.
    CXTPPropertyGridItem* itemOf(const QTreeWidgetItem* node) const;

    // The tree that shows the items.
    CXTPPropertyGridView* view() const { return m_tree; }
    CXTPPropertyGridView* GetGridView() const { return m_tree; }
    CXTPImageManager* GetImageManager() { return &m_imageManager; }
    void RedrawControl();
    // The button of the last XTP_PGN_INPLACEBUTTONDOWN.
    CXTPPropertyGridInplaceButton* GetPressedButton() const { return m_pressedButton; }

    // Called by items.
    void notifyOwner(int code, CXTPPropertyGridItem* item);
    void attachChild(CXTPPropertyGridItem* parent, CXTPPropertyGridItem* child);
    // Takes the children out of the parent and keeps them until the event
    // loop runs again.
    void retireChildren(CXTPPropertyGridItem* parent);
    void selectItem(CXTPPropertyGridItem* item);
    void expandQuietly(CXTPPropertyGridItem* item, bool expand);
    // Tells every item whose row was shown, hidden or moved.
    void refreshVisibility();
    QRect rowRect(const CXTPPropertyGridItem* item) const;
    QRect valueRect(const CXTPPropertyGridItem* item) const;
    QRect inplaceButtonRect(const CXTPPropertyGridInplaceButton* button) const;
    // The item's value cell less its in-place buttons.
    QRect valueTextRect(const CXTPPropertyGridItem* item) const;

Q_SIGNALS:
    void gridNotify(int code, CXTPPropertyGridItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onCurrentChanged(QTreeWidgetItem* current);
    void onItemChanged(QTreeWidgetItem* node, int column);
    void onItemClicked(QTreeWidgetItem* node, int column);
    void showHelpOf(CXTPPropertyGridItem* item);
    void toggleCheckBox(CXTPPropertyGridItem* item);
    void deleteRetired();
    void onExpandChanged(QTreeWidgetItem* node, bool expanded);
    bool pressInplaceButton(const QPoint& at);
    void hideAll(CXTPPropertyGridItems& items);
    void queueRetiredDeletion();

    CXTPPropertyGridView* m_tree = nullptr;
    CXTPImageManager m_imageManager;
    CXTPPropertyGridInplaceButton* m_pressedButton = nullptr;
    QLabel* m_help = nullptr;
    CXTPPropertyGridItems m_categories;
    // Items of the last rebuild, kept until the event loop runs again.
    std::vector<std::unique_ptr<CXTPPropertyGridItem>> m_retired;
    std::vector<std::unique_ptr<QTreeWidgetItem>> m_retiredNodes;
    bool m_bVariableHeight = false;
    int m_theme = 0;
    int m_quiet = 0;
    bool m_deleteQueued = false;
};
