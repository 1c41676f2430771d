#include "widgara/controlcombobox.h"

#include "platform/painterdc.h"
#include "widgara/commandbar.h"
#include "widgara/controlwidget.h"
#include "widgara/edit.h"
#include "widgara/paintmanager.h"
#include "widgara/propexchange.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

using namespace platform::gdi;

IMPLEMENT_XTP_CONTROL(CXTPControlComboBox)

namespace {

// Draws the entries of an owner-drawn list through the control.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(CXTPControlComboBox** control, QObject* parent)
        : QStyledItemDelegate(parent), m_control(control)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        CXTPControlComboBox* control = *m_control;
        if (!control) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        platform::PainterDc dc(painter);
        dc.SelectObject(control->GetPaintManager()->GetRegularFont());
        XTPDrawItemStruct item;
        item.pDC = &dc;
        const QRect r = option.rect;
        item.rcItem = platform::Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        item.itemID = index.row();
        item.itemData = control->GetItemData(index.row());
        if (option.state & QStyle::State_Selected)
            item.itemState |= ODS_SELECTED;
        if (option.state & QStyle::State_HasFocus)
            item.itemState |= ODS_FOCUS;
        if (!(option.state & QStyle::State_Enabled))
            item.itemState |= ODS_DISABLED;
        control->DrawItem(&item);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (*m_control)
            size.setHeight((*m_control)->GetItemHeight());
        return size;
    }

private:
    CXTPControlComboBox** m_control;
};

class ComboWidget : public QComboBox, public widgara::ControlView {
public:
    ComboWidget(CXTPControlComboBox* control, QWidget* parent)
        : QComboBox(parent), m_control(control)
    {
        setFocusPolicy(Qt::ClickFocus);
        setInsertPolicy(QComboBox::NoInsert);
        connect(this, &QComboBox::activated, this, [this](int index) {
            // Enter in the edit part runs the control once, as typed text.
            if (m_control && !m_enterPressed)
                m_control->onEntryChosen(index);
        });
    }

    void detach() override { m_control = nullptr; }
    CXTPControlComboBox* control() const { return m_control; }

    void setOwnerDrawn(bool ownerDrawn)
    {
        if (ownerDrawn && !m_ownerDrawn)
            setItemDelegate(new OwnerDrawDelegate(&m_control, this));
        else if (!ownerDrawn && m_ownerDrawn)
            setItemDelegate(new QStyledItemDelegate(this));
        m_ownerDrawn = ownerDrawn;
    }

    void setEditableWithHint(bool editable, const QString& hint)
    {
        if (editable && !qobject_cast<CXTPEdit*>(lineEdit())) {
            setEditable(true);
            auto* edit = new CXTPEdit(this);
            setLineEdit(edit);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::returnPressed, this, [this] {
                // The combo's own activation by the same Enter comes next.
                QTimer::singleShot(0, this, [this] { m_enterPressed = false; });
                if (m_control)
                    m_control->onTextEntered(currentText());
            });
        } else if (!editable && isEditable()) {
            setEditable(false);
        }
        if (QLineEdit* edit = lineEdit())
            edit->setPlaceholderText(hint);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            m_enterPressed = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return QComboBox::eventFilter(watched, event);
    }

private:
    CXTPControlComboBox* m_control;
    bool m_ownerDrawn = false;
    bool m_enterPressed = false;
};

} // namespace

void CXTPControlComboBox::SetDropDownListStyle(bool bSet)
{
    m_bDropDownList = bSet;
    syncWidget();
}

void CXTPControlComboBox::SetEditHint(const QString& hint)
{
    m_strEditHint = hint;
    syncWidget();
}

void CXTPControlComboBox::ModifyListBoxStyle(unsigned dwRemove, unsigned dwAdd)
{
    m_listStyle = (m_listStyle & ~dwRemove) | dwAdd;
    syncWidget();
}

int CXTPControlComboBox::AddString(const QString& text)
{
    return InsertString(-1, text);
}

int CXTPControlComboBox::InsertString(int nIndex, const QString& text)
{
    const int count = GetCount();
    const int at = nIndex < 0 || nIndex > count ? count : nIndex;
    m_entries.insert(m_entries.begin() + at, Entry{text, 0});
    if (m_nCurSel >= at)
        ++m_nCurSel;
    refillWidget();
    return at;
}

int CXTPControlComboBox::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    m_entries.erase(m_entries.begin() + nIndex);
    if (m_nCurSel == nIndex)
        m_nCurSel = CB_ERR;
    else if (m_nCurSel > nIndex)
        --m_nCurSel;
    refillWidget();
    return GetCount();
}

void CXTPControlComboBox::ResetContent()
{
    m_entries.clear();
    m_nCurSel = CB_ERR;
    refillWidget();
}

QString CXTPControlComboBox::GetLBText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex].text : QString();
}

int CXTPControlComboBox::SetItemData(int nIndex, quintptr data)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CB_ERR;
    m_entries[nIndex].data = data;
    return 0;
}

quintptr CXTPControlComboBox::GetItemData(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_entries[nIndex].data : 0;
}

int CXTPControlComboBox::FindStringExact(int nStartAfter, const QString& text) const
{
    const int count = GetCount();
    for (int step = 1; step <= count; ++step) {
        const int i = (nStartAfter + step + count) % count;
        if (m_entries[i].text.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return CB_ERR;
}

int CXTPControlComboBox::SetCurSel(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        m_nCurSel = CB_ERR;
        m_strEditText.clear();
        syncWidget();
        return CB_ERR;
    }
    m_nCurSel = nIndex;
    m_strEditText = m_entries[nIndex].text;
    syncWidget();
    return nIndex;
}

void CXTPControlComboBox::SetEditText(const QString& text)
{
    m_strEditText = text;
    m_nCurSel = FindStringExact(-1, text);
    syncWidget();
}

void CXTPControlComboBox::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControl::Copy(pControl, bRecursive);
    if (const auto* combo = dynamic_cast<const CXTPControlComboBox*>(pControl)) {
        m_entries = combo->m_entries;
        m_nCurSel = combo->m_nCurSel;
        m_strEditText = combo->m_strEditText;
        m_strEditHint = combo->m_strEditHint;
        m_bDropDownList = combo->m_bDropDownList;
        m_listStyle = combo->m_listStyle;
    }
    refillWidget();
}

void CXTPControlComboBox::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    PX_Bool(pPX, QStringLiteral("DropDownList"), m_bDropDownList, true);
    PX_String(pPX, QStringLiteral("EditHint"), m_strEditHint);
    int style = static_cast<int>(m_listStyle);
    PX_Int(pPX, QStringLiteral("ListBoxStyle"), style, CBS_HASSTRINGS);
    m_listStyle = static_cast<unsigned>(style);
    if (pPX->IsLoading())
        refillWidget();
}

QWidget* CXTPControlComboBox::createWidget(CXTPCommandBar* bar)
{
    auto* combo = new ComboWidget(this, bar);
    setWidget(combo);
    refillWidget();
    return combo;
}

void CXTPControlComboBox::DrawItem(XTPDrawItemStruct* lpDrawItemStruct)
{
    platform::Dc* dc = lpDrawItemStruct->pDC;
    platform::Rect rc = lpDrawItemStruct->rcItem;
    const bool selected = lpDrawItemStruct->itemState & ODS_SELECTED;
    dc->FillSolidRect(rc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rc.DeflateRect(2, 0);
    dc->DrawText(GetLBText(lpDrawItemStruct->itemID), &rc,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void CXTPControlComboBox::onEntryChosen(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_nCurSel = nIndex;
    m_strEditText = m_entries[nIndex].text;
    OnExecute();
}

void CXTPControlComboBox::onTextEntered(const QString& text)
{
    m_strEditText = text;
    m_nCurSel = FindStringExact(-1, text);
    OnExecute();
}

void CXTPControlComboBox::syncWidget()
{
    CXTPControl::syncWidget();
    auto* combo = dynamic_cast<ComboWidget*>(widget());
    if (!combo)
        return;
    const QSignalBlocker quiet(combo);
    combo->setOwnerDrawn(m_listStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));
    combo->setEditableWithHint(!m_bDropDownList, m_strEditHint);
    combo->setCurrentIndex(m_nCurSel);
    if (combo->isEditable())
        combo->setEditText(m_strEditText);
    if (GetWidth() > 0)
        combo->setFixedWidth(GetWidth());
}

void CXTPControlComboBox::refillWidget()
{
    auto* combo = dynamic_cast<ComboWidget*>(widget());
    if (!combo)
        return;
    {
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (const Entry& entry : m_entries)
            combo->addItem(entry.text);
    }
    syncWidget();
}
