#include "widgara/propertygrid.h"

#include "widgara/dlgitem.h"
#include "widgara/edit.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QColor qtColor(platform::gdi::COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// Opens the in-place editor of an item's value and hands the edited text to
// the item; paints the items' own caption and value colours.
class PropertyDelegate : public QStyledItemDelegate {
public:
    explicit PropertyDelegate(CXTPPropertyGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item || index.column() != 1 || item->GetReadOnly())
            return nullptr;
        switch (item->editor()) {
        case CXTPPropertyGridItem::Editor::Text:
            return new CXTPEdit(parent);
        case CXTPPropertyGridItem::Editor::List: {
            auto* combo = new QComboBox(parent);
            const CXTPPropertyGridItemConstraints* choices = item->GetConstraints();
            for (int i = 0; i < choices->GetCount(); ++i)
                combo->addItem(choices->GetAt(i));
            // A choice is taken at once, as the user expects from a list.
            connect(combo, &QComboBox::activated, this, [this, combo] {
                auto* self = const_cast<PropertyDelegate*>(this);
                Q_EMIT self->commitData(combo);
                Q_EMIT self->closeEditor(combo);
            });
            return combo;
        }
        default:
            return nullptr;
        }
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item)
            return;
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentIndex(combo->findText(item->GetValue()));
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(item->GetValue());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item || item->GetReadOnly())
            return;
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() < 0)
                return;
            text = combo->currentText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            text = edit->text();
        }
        if (text != item->GetValue())
            item->OnValueChanged(text);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item)
            return;
        CXTPPropertyGridItemMetrics* metrics =
            index.column() == 0 ? item->GetCaptionMetrics() : item->GetValueMetrics();
        if (metrics->m_clrFore != CLR_DEFAULT)
            option->palette.setColor(QPalette::Text, qtColor(metrics->m_clrFore));
        if (metrics->m_clrBack != CLR_DEFAULT)
            option->backgroundBrush = qtColor(metrics->m_clrBack);
        else if (item->IsCategory())
            option->backgroundBrush = QColor(0xE4, 0xE4, 0xE4);
        if (index.column() == 1 && item->GetReadOnly())
            option->palette.setColor(QPalette::Text, QColor(0x80, 0x80, 0x80));
    }

private:
    CXTPPropertyGridItem* itemAt(const QModelIndex& index) const
    {
        const QModelIndex first = index.siblingAtColumn(0);
        if (!first.isValid())
            return nullptr;
        return m_grid->itemOf(m_grid->view()->itemFromIndex(first));
    }

    CXTPPropertyGrid* m_grid;
};

} // namespace

CXTPPropertyGrid::CXTPPropertyGrid(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(12);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setUniformRowHeights(false);
    m_tree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_tree->setItemDelegate(new PropertyDelegate(this));
    m_tree->header()->setStretchLastSection(true);
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
    layout->addWidget(m_tree, 1);
    m_help = new QLabel(this);
    m_help->setWordWrap(true);
    m_help->setFrameShape(QFrame::StyledPanel);
    m_help->setMinimumHeight(44);
    m_help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_help);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onCurrentChanged(current); });
    connect(m_tree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* node, int column) { onItemChanged(node, column); });
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node, int column) { onItemClicked(node, column); });
}

CXTPPropertyGrid::~CXTPPropertyGrid()
{
    ++m_quiet;
    disconnect(m_tree, nullptr, this, nullptr);
    for (const auto& category : m_categories.m_items)
        category->detachFromGrid();
}

bool CXTPPropertyGrid::Create(const QRect& rect, QWidget* pParentWnd, int nID)
{
    setParent(pParentWnd);
    setGeometry(rect);
    widgara::SetDlgCtrlID(this, nID);
    show();
    return true;
}

void CXTPPropertyGrid::ShowHelp(bool bShow)
{
    m_help->setVisible(bShow);
}

void CXTPPropertyGrid::ResetContent()
{
    ++m_quiet;
    m_tree->setCurrentItem(nullptr);
    while (m_tree->topLevelItemCount() > 0)
        m_retiredNodes.emplace_back(m_tree->takeTopLevelItem(0));
    for (auto& category : m_categories.m_items) {
        category->detachFromGrid();
        m_retired.push_back(std::move(category));
    }
    m_categories.m_items.clear();
    --m_quiet;
    showHelpOf(nullptr);
    if (!m_deleteQueued) {
        m_deleteQueued = true;
        QTimer::singleShot(0, this, [this] { deleteRetired(); });
    }
}

void CXTPPropertyGrid::deleteRetired()
{
    m_deleteQueued = false;
    m_retired.clear();
    m_retiredNodes.clear();
}

CXTPPropertyGridItemCategory* CXTPPropertyGrid::AddCategory(const QString& strCaption)
{
    return InsertCategory(m_categories.GetCount(), strCaption);
}

CXTPPropertyGridItemCategory* CXTPPropertyGrid::InsertCategory(int nIndex,
                                                               const QString& strCaption)
{
    const int count = m_categories.GetCount();
    const int at = nIndex < 0 || nIndex > count ? count : nIndex;
    auto category = std::make_unique<CXTPPropertyGridItemCategory>(strCaption);
    CXTPPropertyGridItemCategory* added = category.get();
    m_categories.m_items.insert(m_categories.m_items.begin() + at, std::move(category));
    auto* node = new QTreeWidgetItem;
    m_tree->insertTopLevelItem(at, node);
    added->attach(this, node);
    added->OnAddChildItem();
    return added;
}

void CXTPPropertyGrid::attachChild(CXTPPropertyGridItem* parent, CXTPPropertyGridItem* child)
{
    if (!parent->node())
        return;
    ++m_quiet;
    child->attach(this, new QTreeWidgetItem(parent->node()));
    --m_quiet;
    child->OnAddChildItem();
    // Children added before the item joined the grid join with it.
    for (int i = 0; i < child->GetChilds()->GetCount(); ++i) {
        CXTPPropertyGridItem* grandChild = child->GetChilds()->GetAt(i);
        if (!grandChild->node())
            attachChild(child, grandChild);
    }
    if (child->IsExpanded())
        child->node()->setExpanded(true);
    if (parent->IsExpanded())
        parent->node()->setExpanded(true);
}

CXTPPropertyGridItem* CXTPPropertyGrid::FindItem(int nID) const
{
    return m_categories.FindItem(nID);
}

CXTPPropertyGridItem* CXTPPropertyGrid::GetSelectedItem() const
{
    return itemOf(m_tree->currentItem());
}

CXTPPropertyGridItem* CXTPPropertyGrid::itemOf(const QTreeWidgetItem* node) const
{
    if (!node || node->treeWidget() != m_tree)
        return nullptr;
    return reinterpret_cast<CXTPPropertyGridItem*>(node->data(0, Qt::UserRole).value<quintptr>());
}

void CXTPPropertyGrid::notifyOwner(int code, CXTPPropertyGridItem* item)
{
    if (m_quiet == 0 && item)
        Q_EMIT gridNotify(code, item);
}

void CXTPPropertyGrid::selectItem(CXTPPropertyGridItem* item)
{
    if (item && item->node())
        m_tree->setCurrentItem(item->node(), 1);
}

void CXTPPropertyGrid::onCurrentChanged(QTreeWidgetItem* current)
{
    CXTPPropertyGridItem* item = itemOf(current);
    showHelpOf(item);
    notifyOwner(XTP_PGN_SELECTION_CHANGED, item);
}

void CXTPPropertyGrid::onItemChanged(QTreeWidgetItem* node, int column)
{
    // Only the user's click on a check box gets here with a new state; the
    // items' own refreshes run quietly.
    auto* item = dynamic_cast<CXTPPropertyGridItemBool*>(itemOf(node));
    if (m_quiet || column != 1 || !item || item->isRefreshing()
        || item->editor() != CXTPPropertyGridItem::Editor::CheckBox)
        return;
    const bool checked = node->checkState(1) == Qt::Checked;
    if (checked != item->GetBool())
        toggleCheckBox(item);
}

void CXTPPropertyGrid::onItemClicked(QTreeWidgetItem* node, int column)
{
    CXTPPropertyGridItem* item = itemOf(node);
    if (!item || column != 1 || item->GetReadOnly())
        return;
    if (item->editor() == CXTPPropertyGridItem::Editor::Text
        || item->editor() == CXTPPropertyGridItem::Editor::List)
        m_tree->editItem(node, 1);
}

void CXTPPropertyGrid::toggleCheckBox(CXTPPropertyGridItem* item)
{
    auto* boolItem = static_cast<CXTPPropertyGridItemBool*>(item);
    const CXTPPropertyGridItemConstraints* texts = boolItem->GetConstraints();
    item->OnValueChanged(boolItem->GetBool() ? texts->GetAt(1) : texts->GetAt(0));
}

void CXTPPropertyGrid::showHelpOf(CXTPPropertyGridItem* item)
{
    if (!item) {
        m_help->clear();
        return;
    }
    m_help->setText(QStringLiteral("<b>%1</b><br>%2")
                        .arg(item->GetCaption().toHtmlEscaped(),
                             item->GetDescription().toHtmlEscaped()));
}

bool CXTPPropertyGrid::eventFilter(QObject* watched, QEvent* event)
{
    // The caption column keeps its share of the width.
    if (watched == m_tree->viewport() && event->type() == QEvent::Resize)
        m_tree->setColumnWidth(0, m_tree->viewport()->width() / 2);
    if (watched == m_tree && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space
        && !m_tree->indexWidget(m_tree->currentIndex().siblingAtColumn(1))) {
        CXTPPropertyGridItem* item = GetSelectedItem();
        if (item && !item->GetReadOnly()
            && item->editor() == CXTPPropertyGridItem::Editor::CheckBox) {
            toggleCheckBox(item);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
