#pragma once
// The bar-property pane: a property grid showing what the user is looking at
// in the active sheet. For selected bar rows it shows their shared values
// (mixed values empty), for a table page the page settings, for the cover the
// cover's rows; an edit is written back through the table's batch setters to
// every selected, unlocked bar row, or into the page and cover settings.
//
// A document frame hosts it in its docking pane and keeps it current:
//   pane->setTable(table); pane->Rebuild();   // on every change the views
//                                             // report and on a sheet change
//   connect(pane, &CBarPropertyPaneWnd::tableEdited, frame, …);
// tableEdited says that the table was edited: the frame repaints the sheet
// and marks the document modified when the table's changed flag is set.

#include <QByteArray>
#include <QWidget>

#include <memory>

class CDiameterItem;
class CShapePictureItem;
class CVes_BarCore;
class CVes_TableBase;
class CXTPPropertyGrid;
class CXTPPropertyGridItem;
class CXTPPropertyGridItemCategory;
struct BarPropertyEdit;

class CBarPropertyPaneWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPaneId = 4001;

    explicit CBarPropertyPaneWnd(QWidget* parent = nullptr);
    ~CBarPropertyPaneWnd() override;

    // The table of the active sheet (not owned; null shows nothing new).
    void setTable(CVes_TableBase* table) { m_pTable = table; }
    CVes_TableBase* getTable() const { return m_pTable; }

    // Builds the grid for the table: the bar items of the selected bar rows,
    // the page settings when no row is selected, the cover's settings on the
    // cover. 1 when something was built, 0 when the grid was left as it was
    // or emptied.
    int Rebuild();
    // Gives the bar items the values of the selected rows in place, keeping
    // the grid's layout; the shape and start-point items are built again.
    void RefreshBarItems();

    // The grid's notification: 7 an item expanded or collapsed, 5 an
    // in-place button pressed, 3 a value changed. 1 after a button, else 0.
    int OnGridNotify(int nCode, CXTPPropertyGridItem* pItem);

    CXTPPropertyGrid* grid() const { return m_pGrid; }
    int isBasicExpanded() const { return m_basicExpanded; }
    int isAdvancedExpanded() const { return m_advancedExpanded; }

Q_SIGNALS:
    // The table was edited from the pane (after a value change or an
    // expansion, never after an in-place button).
    void tableEdited();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The bar grid (barpropertypanewnd_bar.cpp)
    void buildBarGrid();
    void addBasicItems(CXTPPropertyGridItemCategory* basic);
    void addAdvancedItems(CXTPPropertyGridItemCategory* advanced);
    void addEndItems(CXTPPropertyGridItem* parent, int offset);
    void addConnectionItems(CXTPPropertyGridItem* parent, int offset);
    void addMidConnectionItems(CXTPPropertyGridItem* parent);
    // The picture, flip button and variables of the bar's shape, and of the
    // start style on a bar list.
    void fillShapeCategory(CXTPPropertyGridItem* category);
    void fillStartCategory(CXTPPropertyGridItem* category);
    void fillBarValues();
    void fillEndValues(int offset);
    // The bar of the first selected row, or null.
    CVes_BarCore* selectedBar() const;
    // Whether the table is a bar list, and a processing sheet.
    bool isBarList() const;
    bool isProcessSheet() const;
    QString countCaption(int scaled) const;

    // Visibility that follows a value.
    void showPerGroup(int scaled);
    void showLengthItems(int autoLength);
    void showHookItems(int offset, int present);
    void showConnectionItems(int offset, int style);
    void showMidItems(int counted, int autoCount);

    // The page and cover grids (barpropertypanewnd_page.cpp)
    void buildPageGrid();
    void addMarginItems();
    void addRowItems();
    void addColumnItems();
    void addTableItems();
    void addSummaryItems();
    // Everything of the table the page grid shows or follows, as bytes: an
    // edit of the rows leaves it, so the grid is not built again for it.
    QByteArray pageGridKey() const;
    void buildCoverGrid();
    void showRowMeasureItems(int mode);
    void showSummaryRowItems(bool shown);
    // Write a page or cover item into the table.
    void applyPageEdit(CXTPPropertyGridItem* item);
    void applyPageLayoutEdit(int id, CXTPPropertyGridItem* item);
    void applyColumnEdit(int id, CXTPPropertyGridItem* item);
    void applyCoverEdit(CXTPPropertyGridItem* item);

    // Edits (barpropertypanewnd.cpp)
    void onValueChanged(CXTPPropertyGridItem* item);
    void onButton(CXTPPropertyGridItem* item, int buttonId);
    void applyBarEdit(CXTPPropertyGridItem* item);
    void setBarNumber(const QString& number);
    void chooseShape();
    void computeJointLength(int offset);
    // Visibility and refreshes that follow an applied bar edit.
    void followBarEdit(const BarPropertyEdit& edit, CXTPPropertyGridItem* item);
    // A typed spacing or dimension the table refused: the item shows again
    // what the bars hold.
    void showHeldValue(const BarPropertyEdit& edit, CXTPPropertyGridItem* item);
    // The grid's item of that id, of that kind, or null.
    template <typename T>
    T* item(int id) const
    {
        return dynamic_cast<T*>(findItem(id));
    }
    CXTPPropertyGridItem* findItem(int id) const;
    int itemCount() const;

    CXTPPropertyGrid* m_pGrid = nullptr; // a child of the pane
    CVes_TableBase* m_pTable = nullptr;
    // The table the bar items were last built for: only its grid is
    // refreshed in place.
    const CVes_TableBase* m_pBarTable = nullptr;
    int m_basicExpanded = 1;
    int m_advancedExpanded = 1;
    // What the grid shows: edits are read by it, and the bar items may be
    // refreshed in place only while they are shown.
    enum class Shown { Nothing, BarItems, Page, Cover };
    Shown m_shown = Shown::Nothing;
    // What the page grid shown was built from (pageGridKey); empty when it
    // must be built again whatever the table says.
    QByteArray m_pageKey;
};
