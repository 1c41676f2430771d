#include "widgara/propertygrid.h"

#include "platform/painterdc.h"
#include "widgara/dlgitem.h"
#include "widgara/edit.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QValidator>
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
        case CXTPPropertyGridItem::Editor::Text: {
            auto* edit = new CXTPEdit(parent);
            edit->setValidator(item->createValidator(edit).release());
            return edit;
        }
        case CXTPPropertyGridItem::Editor::List: {
            auto* combo = new QComboBox(parent);
            const CXTPPropertyGridItemConstraints* choices = item->GetConstraints();
            for (int i = 0; i < choices->GetCount(); ++i)
                combo->addItem(choices->GetAt(i));
            if (item->GetFlags() & xtpGridItemHasEdit) {
                // A value typed or chosen; the choices only help.
                combo->setEditable(true);
                combo->setValidator(item->createValidator(combo).release());
                return combo;
            }
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
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(item->GetValue()));
            if (combo->isEditable())
                combo->setEditText(item->GetValue());
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(item->GetValue());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item || item->GetReadOnly())
            return;
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() < 0 && !combo->isEditable())
                return;
            text = combo->currentText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            text = edit->text();
        }
        if (text != item->GetValue())
            item->OnValueChanged(text);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        editor->setGeometry(item ? m_grid->valueTextRect(item) : option.rect);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item || index.column() != 1) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem text = option;
        text.rect = m_grid->valueTextRect(item).intersected(option.rect);
        bool drawn = false;
        {
            QStyleOptionViewItem ground = option;
            initStyleOption(&ground, index);
            ground.text.clear();
            ground.icon = QIcon();
            QWidget* view = m_grid->view();
            view->style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &ground, painter, view);
            painter->save();
            platform::PainterDc dc(painter);
            drawn = item->OnDrawItemValue(dc, text.rect);
        }
        painter->restore();
        if (!drawn)
            QStyledItemDelegate::paint(painter, text, index);
        paintButtons(painter, item);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        CXTPPropertyGridItem* item = itemAt(index);
        if (!item)
            return;
        if (index.column() == 1) {
            const CXTPPropertyGridItemConstraints* choices = item->GetConstraints();
            const int image = choices->GetImageAt(choices->FindConstraint(item->GetValue()));
            const QIcon icon = m_grid->GetImageManager()->GetIcon(image);
            if (image >= 0 && !icon.isNull()) {
                option->icon = icon;
                option->features |= QStyleOptionViewItem::HasDecoration;
            }
        }
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
    void paintButtons(QPainter* painter, CXTPPropertyGridItem* item) const
    {
        CXTPPropertyGridInplaceButtons* buttons = item->GetInplaceButtons();
        QWidget* view = m_grid->view();
        for (int i = 0; i < buttons->GetCount(); ++i) {
            const CXTPPropertyGridInplaceButton* button = buttons->GetAt(i);
            QStyleOptionButton look;
            look.initFrom(view);
            look.rect = m_grid->inplaceButtonRect(button);
            look.text = button->GetCaption();
            look.state = QStyle::State_Raised;
            if (button->GetEnabled())
                look.state |= QStyle::State_Enabled;
            else
                look.palette.setCurrentColorGroup(QPalette::Disabled);
            view->style()->drawControl(QStyle::CE_PushButton, &look, painter, view);
        }
    }

    CXTPPropertyGridItem* itemAt(const QModelIndex& index) const
    {
        const QModelIndex first = index.siblingAtColumn(0);
        if (!first.isValid())
            return nullptr;
        return m_grid->itemOf(m_grid->view()->itemFromIndex(first));
    }

    CXTPPropertyGrid* m_grid;
};

// Width of an in-place button around its caption, and of the "..." button.
constexpr int kButtonPadding = 12;
constexpr int kExpandButtonWidth = 18;

int buttonWidth(const CXTPPropertyGridInplaceButton* button, const QFontMetrics& metrics)
{
    if (button->GetID() == XTP_ID_PROPERTYGRID_EXPANDBUTTON)
        return kExpandButtonWidth;
    return metrics.horizontalAdvance(button->GetCaption()) + kButtonPadding;
}

} // namespace

CXTPPropertyGridView::CXTPPropertyGridView(CXTPPropertyGrid* grid) : QTreeWidget(grid), m_grid(grid) {}

CXTPPropertyGridItemCategory* CXTPPropertyGridView::AddCategory(const QString& strCaption)
{
    return m_grid->AddCategory(strCaption);
}

QModelIndex CXTPPropertyGridView::indexOf(const QTreeWidgetItem* node, int column) const
{
    return indexFromItem(node, column);
}

CXTPPropertyGrid::CXTPPropertyGrid(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_tree = new CXTPPropertyGridView(this);
    m_tree->setColumnCount(2);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(12);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setUniformRowHeights(false);
    m_tree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::SelectedClicked);
    m_tree->setItemDelegate(new PropertyDelegate(this));
    // The value column takes what the caption column leaves, however
    // little: a stretched last section would keep its first width and
    // leave a narrow grid wider than its pane, scrolled sideways to the
    // value of the item selected.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
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
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { onExpandChanged(node, true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* node) { onExpandChanged(node, false); });
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
    // Items that show windows take them down now, though the items
    // themselves stay until the event loop runs again.
    hideAll(m_categories);
    m_pressedButton = nullptr;
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
    queueRetiredDeletion();
}

void CXTPPropertyGrid::retireChildren(CXTPPropertyGridItem* parent)
{
    hideAll(parent->m_children);
    if (m_pressedButton) {
        for (const CXTPPropertyGridItem* up = m_pressedButton->GetItem(); up; up = up->GetParentItem())
            if (up->GetParentItem() == parent)
                m_pressedButton = nullptr;
    }
    ++m_quiet;
    if (parent->node()) {
        for (QTreeWidgetItem* node : parent->node()->takeChildren())
            m_retiredNodes.emplace_back(node);
    }
    for (auto& child : parent->m_children.m_items) {
        child->detachFromGrid();
        m_retired.push_back(std::move(child));
    }
    parent->m_children.m_items.clear();
    --m_quiet;
    showHelpOf(GetSelectedItem());
    refreshVisibility();
    queueRetiredDeletion();
}

void CXTPPropertyGrid::queueRetiredDeletion()
{
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
    refreshVisibility();
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
        expandQuietly(child, true);
    if (parent->IsExpanded())
        expandQuietly(parent, true);
    refreshVisibility();
}

void CXTPPropertyGrid::expandQuietly(CXTPPropertyGridItem* item, bool expand)
{
    if (!item->node())
        return;
    ++m_quiet;
    item->node()->setExpanded(expand);
    --m_quiet;
    refreshVisibility();
}

void CXTPPropertyGrid::onExpandChanged(QTreeWidgetItem* node, bool expanded)
{
    CXTPPropertyGridItem* item = itemOf(node);
    if (!item)
        return;
    item->m_bExpanded = expanded;
    refreshVisibility();
    notifyOwner(XTP_PGN_ITEMEXPANDCHANGED, item);
}

void CXTPPropertyGrid::refreshVisibility()
{
    int index = 0;
    const std::function<void(CXTPPropertyGridItems&, bool)> walk = [&](CXTPPropertyGridItems& items,
                                                                      bool parentOpen) {
        for (const auto& item : items.m_items) {
            const bool shown = parentOpen && item->node() && !item->GetHidden();
            const int at = shown ? index++ : -1;
            if (shown != item->IsVisible())
                item->SetVisible(shown);
            if (at != item->GetIndex()) {
                item->setIndex(at);
                if (shown)
                    item->OnIndexChanged();
            }
            walk(item->m_children, shown && item->node()->isExpanded());
        }
    };
    walk(m_categories, true);
}

void CXTPPropertyGrid::hideAll(CXTPPropertyGridItems& items)
{
    for (const auto& item : items.m_items) {
        if (item->IsVisible())
            item->SetVisible(false);
        item->setIndex(-1);
        hideAll(item->m_children);
    }
}

QRect CXTPPropertyGrid::rowRect(const CXTPPropertyGridItem* item) const
{
    if (!item->node() || !item->IsVisible())
        return {};
    // The whole width of the view, indentation included.
    QRect row = m_tree->visualItemRect(item->node());
    row.setLeft(0);
    row.setRight(m_tree->viewport()->width() - 1);
    return row;
}

QRect CXTPPropertyGrid::valueRect(const CXTPPropertyGridItem* item) const
{
    return item->node() && item->IsVisible() ? m_tree->visualRect(m_tree->indexOf(item->node(), 1))
                                             : QRect();
}

QRect CXTPPropertyGrid::inplaceButtonRect(const CXTPPropertyGridInplaceButton* button) const
{
    const CXTPPropertyGridItem* item = button->GetItem();
    const QRect value = valueRect(item);
    if (value.isEmpty())
        return {};
    const QFontMetrics metrics(m_tree->font());
    const CXTPPropertyGridInplaceButtons* buttons = const_cast<CXTPPropertyGridItem*>(item)->GetInplaceButtons();
    int right = value.right() + 1;
    for (int i = buttons->GetCount() - 1; i >= 0; --i) {
        const int width = buttonWidth(buttons->GetAt(i), metrics);
        if (buttons->GetAt(i) == button)
            return QRect(right - width, value.top(), width, value.height());
        right -= width;
    }
    return {};
}

QRect CXTPPropertyGrid::valueTextRect(const CXTPPropertyGridItem* item) const
{
    QRect value = valueRect(item);
    CXTPPropertyGridInplaceButtons* buttons = const_cast<CXTPPropertyGridItem*>(item)->GetInplaceButtons();
    if (buttons->GetCount() > 0 && !value.isEmpty())
        value.setRight(inplaceButtonRect(buttons->GetAt(0)).left() - 1);
    return value;
}

void CXTPPropertyGrid::RedrawControl()
{
    m_tree->viewport()->update();
}

bool CXTPPropertyGrid::pressInplaceButton(const QPoint& at)
{
    CXTPPropertyGridItem* item = itemOf(m_tree->itemAt(at));
    if (!item)
        return false;
    CXTPPropertyGridInplaceButtons* buttons = item->GetInplaceButtons();
    for (int i = 0; i < buttons->GetCount(); ++i) {
        CXTPPropertyGridInplaceButton* button = buttons->GetAt(i);
        if (!inplaceButtonRect(button).contains(at))
            continue;
        if (button->GetEnabled()) {
            m_pressedButton = button;
            item->OnInplaceButtonDown(button);
        }
        return true;
    }
    return false;
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
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
        && pressInplaceButton(static_cast<QMouseEvent*>(event)->position().toPoint()))
        return true;
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
