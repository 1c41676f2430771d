#include "widgara/propertygriditem.h"

#include "widgara/propertygrid.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QValidator>

#include <cmath>
#include <limits>

int CXTPPropertyGridItemConstraints::AddConstraint(const QString& text, int data, int nImage)
{
    m_entries.push_back({text, data, nImage});
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

int CXTPPropertyGridItemConstraints::GetImageAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex].image : -1;
}

void CXTPPropertyGridInplaceButton::SetCaption(const QString& caption)
{
    m_strCaption = caption;
    if (m_pItem && m_pItem->GetGrid())
        m_pItem->GetGrid()->RedrawControl();
}

void CXTPPropertyGridInplaceButton::SetEnabled(bool bEnabled)
{
    m_bEnabled = bEnabled;
    if (m_pItem && m_pItem->GetGrid())
        m_pItem->GetGrid()->RedrawControl();
}

QRect CXTPPropertyGridInplaceButton::GetRect() const
{
    return m_pItem && m_pItem->GetGrid() ? m_pItem->GetGrid()->inplaceButtonRect(this) : QRect();
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::AddButton(
    std::unique_ptr<CXTPPropertyGridInplaceButton> pButton)
{
    if (!pButton)
        return nullptr;
    pButton->m_pItem = m_item;
    m_buttons.push_back(std::move(pButton));
    m_item->refreshNode();
    return m_buttons.back().get();
}

void CXTPPropertyGridInplaceButtons::Remove(int nID)
{
    std::erase_if(m_buttons, [nID](const auto& b) { return b->GetID() == nID; });
    m_item->refreshNode();
}

void CXTPPropertyGridInplaceButtons::RemoveAll()
{
    m_buttons.clear();
    m_item->refreshNode();
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[nIndex].get() : nullptr;
}

CXTPPropertyGridInplaceButton* CXTPPropertyGridInplaceButtons::Find(int nID) const
{
    for (const auto& button : m_buttons)
        if (button->GetID() == nID)
            return button.get();
    return nullptr;
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

void CXTPPropertyGridItem::RemoveChilds()
{
    if (m_pGrid)
        m_pGrid->retireChildren(this);
    else
        m_children.m_items.clear();
}

void CXTPPropertyGridItem::Expand()
{
    m_bExpanded = true;
    if (m_pGrid)
        m_pGrid->expandQuietly(this, true);
}

void CXTPPropertyGridItem::Collapse()
{
    m_bExpanded = false;
    if (m_pGrid)
        m_pGrid->expandQuietly(this, false);
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
    if (m_pGrid)
        m_pGrid->refreshVisibility();
}

void CXTPPropertyGridItem::SetFlags(int nFlags)
{
    m_nFlags = nFlags;
    if (nFlags & xtpGridItemHasExpandButton) {
        if (!m_buttons.Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON)) {
            auto button = std::make_unique<CXTPPropertyGridInplaceButton>(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
            button->SetCaption(QStringLiteral("..."));
            m_buttons.AddButton(std::move(button));
        }
    } else if (m_buttons.Find(XTP_ID_PROPERTYGRID_EXPANDBUTTON)) {
        m_buttons.Remove(XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    }
    refreshNode();
}

void CXTPPropertyGridItem::SetHeight(int nHeight)
{
    m_nHeight = nHeight;
    refreshNode();
    // The view keeps the rows' heights until it lays them out again.
    if (m_pGrid)
        m_pGrid->view()->doItemsLayout();
}

void CXTPPropertyGridItem::OnInplaceButtonDown(CXTPPropertyGridInplaceButton*)
{
    if (m_pGrid)
        m_pGrid->notifyOwner(XTP_PGN_INPLACEBUTTONDOWN, this);
}

bool CXTPPropertyGridItem::OnDrawItemValue(platform::Dc&, const QRect&)
{
    return false;
}

int CXTPPropertyGridItem::GetIndent() const
{
    int indent = 0;
    for (const CXTPPropertyGridItem* up = m_pParent; up; up = up->m_pParent)
        ++indent;
    return indent;
}

QRect CXTPPropertyGridItem::GetItemRect() const
{
    return m_pGrid ? m_pGrid->rowRect(this) : QRect();
}

QRect CXTPPropertyGridItem::GetValueRect() const
{
    return m_pGrid ? m_pGrid->valueRect(this) : QRect();
}

std::unique_ptr<QValidator> CXTPPropertyGridItem::createValidator(QObject*) const
{
    return nullptr;
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
    // Only the height counts; no height leaves the row to the grid.
    const QSize rowSize = m_nHeight > 0 ? QSize(0, m_nHeight) : QSize();
    m_node->setSizeHint(0, rowSize);
    m_node->setSizeHint(1, rowSize);
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

namespace {

// printf formats of one real number: flags, width, precision, then e, f or g.
bool isRealFormat(const QString& format)
{
    static const QRegularExpression one(QStringLiteral(
        "^[^%]*(%%[^%]*)*%[-+ #0]*[0-9]*(\\.[0-9]+)?[eEfFgG]([^%]|%%)*$"));
    return one.match(format).hasMatch();
}

const QString kDefaultDoubleFormat = QStringLiteral("%0.2f");

} // namespace

CXTPPropertyGridItemNumber::CXTPPropertyGridItemNumber(const QString& strCaption, long nValue,
                                                       long* pBindNumber)
    : CXTPPropertyGridItem(strCaption), m_nValue(pBindNumber ? *pBindNumber : nValue),
      m_pBindNumber(pBindNumber)
{
    SetNumber(m_nValue);
}

void CXTPPropertyGridItemNumber::SetNumber(long nValue)
{
    m_nValue = nValue;
    if (m_pBindNumber)
        *m_pBindNumber = nValue;
    CXTPPropertyGridItem::SetValue(QString::number(nValue));
}

void CXTPPropertyGridItemNumber::SetValue(QString strValue)
{
    bool ok = false;
    const long value = QLocale::c().toLong(strValue.trimmed(), &ok);
    if (ok)
        SetNumber(value);
    else
        CXTPPropertyGridItem::SetValue(QString::number(m_nValue));
}

std::unique_ptr<QValidator> CXTPPropertyGridItemNumber::createValidator(QObject* parent) const
{
    auto validator = std::make_unique<QIntValidator>(std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max(), parent);
    validator->setLocale(QLocale::c());
    return validator;
}

CXTPPropertyGridItemDouble::CXTPPropertyGridItemDouble(const QString& strCaption, double fValue,
                                                       const QString& strFormat, double* pBindDouble)
    : CXTPPropertyGridItem(strCaption), m_fValue(pBindDouble ? *pBindDouble : fValue),
      m_strFormat(kDefaultDoubleFormat), m_pBindDouble(pBindDouble)
{
    SetFormat(strFormat);
}

void CXTPPropertyGridItemDouble::SetFormat(const QString& strFormat)
{
    if (isRealFormat(strFormat))
        m_strFormat = strFormat;
    SetDouble(m_fValue);
}

void CXTPPropertyGridItemDouble::SetDouble(double fValue)
{
    m_fValue = fValue;
    if (m_pBindDouble)
        *m_pBindDouble = fValue;
    CXTPPropertyGridItem::SetValue(QString::asprintf(m_strFormat.toLatin1().constData(), fValue));
}

void CXTPPropertyGridItemDouble::SetValue(QString strValue)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(strValue.trimmed(), &ok);
    if (ok && std::isfinite(value))
        SetDouble(value);
    else
        SetDouble(m_fValue);
}

std::unique_ptr<QValidator> CXTPPropertyGridItemDouble::createValidator(QObject* parent) const
{
    auto validator = std::make_unique<QDoubleValidator>(parent);
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::StandardNotation);
    return validator;
}
