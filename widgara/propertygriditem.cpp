#include "widgara/propertygriditem.h"

#include "widgara/propertygrid.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

int CXTPPropertyGridItemConstraints::AddConstraint(const QString& text, int data)
{
    m_entries.push_back({text, data});
    m_item->OnConstraintsChanged();
    return GetCount() - 1;
}

void CXTPPropertyGridItemConstraints::RemoveAll()
{
    m_entries.clear();
    m_item->OnConstraintsChanged();
}

QString CXTPPropertyGridItemConstraints::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex].text : QString();
}

int CXTPPropertyGridItemConstraints::GetConstraintAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex].data : 0;
}

int CXTPPropertyGridItemConstraints::FindConstraint(const QString& text) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[i].text == text)
            return i;
    return -1;
}

int CXTPPropertyGridItemConstraints::FindConstraint(int data) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[i].data == data)
            return i;
    return -1;
}

CXTPPropertyGridItem* CXTPPropertyGridItems::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_items[nIndex].get() : nullptr;
}

CXTPPropertyGridItem* CXTPPropertyGridItems::FindItem(int nID) const
{
    for (const auto& item : m_items) {
        if (item->GetID() == nID)
            return item.get();
        if (CXTPPropertyGridItem* found = item->GetChilds()->FindItem(nID))
            return found;
    }
    return nullptr;
}

CXTPPropertyGridItem::CXTPPropertyGridItem(const QString& strCaption, const QString& strValue,
                                           QString* pBindString)
    : m_strCaption(strCaption), m_strValue(strValue), m_pBindString(pBindString)
{
    if (m_pBindString && strValue.isEmpty())
        m_strValue = *m_pBindString;
}

CXTPPropertyGridItem::~CXTPPropertyGridItem() = default;

void CXTPPropertyGridItem::SetCaption(const QString& caption)
{
    m_strCaption = caption;
    refreshNode();
}

void CXTPPropertyGridItem::SetValue(QString strValue)
{
    m_strValue = strValue;
    if (m_pBindString)
        *m_pBindString = strValue;
    refreshNode();
}

void CXTPPropertyGridItem::OnValueChanged(QString strValue)
{
    SetValue(strValue);
    if (m_pGrid)
        m_pGrid->notifyOwner(XTP_PGN_ITEMVALUE_CHANGED, this);
}

CXTPPropertyGridItem* CXTPPropertyGridItem::AddChildItem(
    std::unique_ptr<CXTPPropertyGridItem> pItem)
{
    if (!pItem)
        return nullptr;
    CXTPPropertyGridItem* child = pItem.get();
    child->m_pParent = this;
    m_children.m_items.push_back(std::move(pItem));
    if (m_pGrid)
        m_pGrid->attachChild(this, child);
    return child;
}

void CXTPPropertyGridItem::Expand()
{
    m_bExpanded = true;
    if (m_node)
        m_node->setExpanded(true);
}

void CXTPPropertyGridItem::Collapse()
{
    m_bExpanded = false;
    if (m_node)
        m_node->setExpanded(false);
}

void CXTPPropertyGridItem::Select()
{
    if (m_pGrid)
        m_pGrid->selectItem(this);
}

bool CXTPPropertyGridItem::IsSelected() const
{
    return m_pGrid && m_pGrid->GetSelectedItem() == this;
}

void CXTPPropertyGridItem::SetHidden(bool bHidden)
{
    m_bHidden = bHidden;
    if (m_node)
        m_node->setHidden(bHidden);
}

void CXTPPropertyGridItem::SetReadOnly(bool bReadOnly)
{
    m_bReadOnly = bReadOnly;
    refreshNode();
}

CXTPPropertyGridItem::Editor CXTPPropertyGridItem::editor() const
{
    return m_constraints.GetCount() > 0 ? Editor::List : Editor::Text;
}

void CXTPPropertyGridItem::refreshNode()
{
    if (!m_node || m_bRefreshing)
        return;
    m_bRefreshing = true;
    const Editor kind = editor();
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_bReadOnly && kind != Editor::None && kind != Editor::CheckBox)
        flags |= Qt::ItemIsEditable;
    if (!m_bReadOnly && kind == Editor::CheckBox)
        flags |= Qt::ItemIsUserCheckable;
    m_node->setFlags(flags);
    m_node->setText(0, m_strCaption);
    if (!IsCategory())
        m_node->setText(1, GetViewValue());
    if (kind == Editor::CheckBox) {
        const bool on = static_cast<const CXTPPropertyGridItemBool*>(this)->GetBool();
        m_node->setCheckState(1, on ? Qt::Checked : Qt::Unchecked);
    } else {
        m_node->setData(1, Qt::CheckStateRole, QVariant());
    }
    m_node->setHidden(m_bHidden);
    m_bRefreshing = false;
}

void CXTPPropertyGridItem::attach(CXTPPropertyGrid* grid, QTreeWidgetItem* node)
{
    m_pGrid = grid;
    m_node = node;
    node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
    if (IsCategory()) {
        node->setFirstColumnSpanned(true);
        QFont bold = node->font(0);
        bold.setBold(true);
        node->setFont(0, bold);
    }
    refreshNode();
}

void CXTPPropertyGridItem::detachFromGrid()
{
    for (const auto& child : m_children.m_items)
        child->detachFromGrid();
    m_pGrid = nullptr;
    m_node = nullptr;
}

CXTPPropertyGridItemBool::CXTPPropertyGridItemBool(const QString& strCaption, bool bValue,
                                                   bool* pBindBool)
    : CXTPPropertyGridItem(strCaption), m_bValue(pBindBool ? *pBindBool : bValue),
      m_pBindBool(pBindBool)
{
    refillChoices();
}

void CXTPPropertyGridItemBool::SetBool(bool bValue)
{
    SetValue(bValue ? m_strTrueText : m_strFalseText);
}

void CXTPPropertyGridItemBool::SetTrueFalseText(const QString& strTrueText,
                                                const QString& strFalseText)
{
    m_strTrueText = strTrueText;
    m_strFalseText = strFalseText;
    refillChoices();
}

void CXTPPropertyGridItemBool::SetCheckBoxStyle(bool bCheckBoxStyle)
{
    m_bCheckBoxStyle = bCheckBoxStyle;
    refreshNode();
}

void CXTPPropertyGridItemBool::SetValue(QString strValue)
{
    m_bValue = strValue == m_strTrueText;
    if (m_pBindBool)
        *m_pBindBool = m_bValue;
    CXTPPropertyGridItem::SetValue(m_bValue ? m_strTrueText : m_strFalseText);
}

CXTPPropertyGridItem::Editor CXTPPropertyGridItemBool::editor() const
{
    return m_bCheckBoxStyle ? Editor::CheckBox : Editor::List;
}

void CXTPPropertyGridItemBool::refillChoices()
{
    CXTPPropertyGridItemConstraints* choices = GetConstraints();
    choices->RemoveAll();
    choices->AddConstraint(m_strTrueText, 1);
    choices->AddConstraint(m_strFalseText, 0);
    CXTPPropertyGridItem::SetValue(m_bValue ? m_strTrueText : m_strFalseText);
}

CXTPPropertyGridItemEnum::CXTPPropertyGridItemEnum(const QString& strCaption, int nValue,
                                                   int* pBindEnum)
    : CXTPPropertyGridItem(strCaption), m_nValue(pBindEnum ? *pBindEnum : nValue),
      m_pBindEnum(pBindEnum)
{
}

void CXTPPropertyGridItemEnum::SetEnum(int nValue)
{
    m_nValue = nValue;
    if (m_pBindEnum)
        *m_pBindEnum = nValue;
    const int index = GetConstraints()->FindConstraint(nValue);
    CXTPPropertyGridItem::SetValue(GetConstraints()->GetAt(index));
}

void CXTPPropertyGridItemEnum::SetValue(QString strValue)
{
    const int index = GetConstraints()->FindConstraint(strValue);
    if (index < 0)
        return; // not one of the choices: the value stays
    SetEnum(GetConstraints()->GetConstraintAt(index));
}

void CXTPPropertyGridItemEnum::OnConstraintsChanged()
{
    const int index = GetConstraints()->FindConstraint(m_nValue);
    CXTPPropertyGridItem::SetValue(GetConstraints()->GetAt(index));
}
