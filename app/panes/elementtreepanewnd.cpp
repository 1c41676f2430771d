#include "app/panes/elementtreepanewnd.h"

#include "app/panes/paneimages.h"

#include "tables/barlist/setuptable.h"
#include "widgara/dlgitem.h"
#include "widgara/imagemanager.h"
#include "widgara/resources.h"

#include <QKeyEvent>

namespace {

// Item data: the kind of item, and for an element its place among the
// list's elements and its text.
constexpr int kDatumRole = Qt::UserRole;
constexpr int kOrdinalRole = Qt::UserRole + 1;
constexpr int kNameRole = Qt::UserRole + 2;
constexpr int kElementDatum = 2;

// Images of the tree's picture.
constexpr int kRootImage = 3;
constexpr int kElementImage = 7;
constexpr int kSelectedElementImage = 8;
constexpr int kTotalImage = 11;
constexpr platform::gdi::COLORREF kImageMask = platform::gdi::RGB(0, 255, 0);

std::map<int, QIcon> treeImages()
{
    registerPaneImages();
    return widgara::iconsFromStrip(widgara::resources().bitmap(IDB_ELEMENT_TREE),
                                   {kRootImage, kElementImage, kSelectedElementImage, kTotalImage},
                                   QSize(16, 16), kImageMask);
}

} // namespace

CElementTreeCtrl::CElementTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    widgara::SetDlgCtrlID(this, kControlId);
    std::map<int, QIcon> images = treeImages();
    m_rootIcon = images[kRootImage];
    m_totalIcon = images[kTotalImage];
    m_elementIcon = images[kElementImage];
    m_elementIcon.addPixmap(images[kSelectedElementImage].pixmap(16, 16), QIcon::Selected);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { jumpToSelected(); });
}

void CElementTreeCtrl::Fill()
{
    clear();
    auto* barList = dynamic_cast<CVes_SetupTable*>(m_pTable);
    if (!barList) {
        viewport()->update();
        return;
    }
    const CVes_TableBaseLine* current = barList->getLine(barList->getSelectRow());
    QList<int> pages;
    const QList<CVes_SetupTableLine*> elements = barList->getAllEleList(pages);

    auto* root = new QTreeWidgetItem(this);
    root->setText(0, barList->m_texts[2].m_formula + QLatin1Char('_') + barList->m_texts[3].m_formula);
    root->setIcon(0, m_rootIcon);
    root->setData(0, kDatumRole, kRootDatum);
    int total = 0;
    for (int i = 0; i < elements.size(); ++i) {
        const CVes_SetupTableLine* element = elements[i];
        auto* item = new QTreeWidgetItem(root);
        item->setText(0, QStringLiteral("%1、%2(%3件)")
                             .arg(i + 1)
                             .arg(element->getElement())
                             .arg(element->getEleNum()));
        item->setIcon(0, m_elementIcon);
        item->setData(0, kDatumRole, kElementDatum);
        item->setData(0, kOrdinalRole, i);
        item->setData(0, kNameRole, element->getElement());
        if (element == current)
            setCurrentItem(item);
        total += element->getEleNum();
    }
    if (total > 0) {
        auto* sum = new QTreeWidgetItem(root);
        sum->setText(0, QStringLiteral("构件数量总计：%1 件").arg(total));
        sum->setIcon(0, m_totalIcon);
    }
    root->setExpanded(true);
    viewport()->update();
}

CVes_SetupTableLine* CElementTreeCtrl::elementRow(const QTreeWidgetItem* item) const
{
    auto* barList = dynamic_cast<CVes_SetupTable*>(m_pTable);
    if (!barList || !item || item->data(0, kDatumRole).toInt() != kElementDatum)
        return nullptr;
    QList<int> pages;
    const QList<CVes_SetupTableLine*> elements = barList->getAllEleList(pages);
    const int ordinal = item->data(0, kOrdinalRole).toInt();
    if (ordinal < 0 || ordinal >= elements.size()
        || elements[ordinal]->getElement() != item->data(0, kNameRole).toString())
        return nullptr;
    return elements[ordinal];
}

void CElementTreeCtrl::jumpToSelected()
{
    QTreeWidgetItem* item = currentItem();
    if (!m_pTable || !item || item->data(0, kDatumRole).toInt() != kElementDatum)
        return;
    CVes_SetupTableLine* row = elementRow(item);
    if (!row) {
        Fill();
        return;
    }
    m_pTable->setCurPage(row);
    Q_EMIT tableEdited();
    Q_EMIT showCurrentRow();
}

void CElementTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        jumpToSelected();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

CElementTreePaneWnd::CElementTreePaneWnd() : CToolBarPaneWnd(0)
{
    m_wndTree.setParent(this);
    m_wndTree.hide();
}

CElementTreePaneWnd::~CElementTreePaneWnd() = default;

QWidget* CElementTreePaneWnd::CreateClientControl()
{
    m_wndTree.show();
    m_wndTree.Fill();
    return &m_wndTree;
}
