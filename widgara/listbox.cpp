#include "widgara/listbox.h"

CXTListBox::CXTListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CXTListBox::AddString(const QString& text)
{
    addItem(text);
    return count() - 1;
}

int CXTListBox::InsertString(int nIndex, const QString& text)
{
    const int at = nIndex < 0 || nIndex > count() ? count() : nIndex;
    insertItem(at, text);
    return at;
}

int CXTListBox::DeleteString(int nIndex)
{
    if (nIndex < 0 || nIndex >= count())
        return -1;
    delete takeItem(nIndex);
    return count();
}

int CXTListBox::FindStringExact(int nStartAfter, const QString& text) const
{
    for (int i = std::max(nStartAfter + 1, 0); i < count(); ++i)
        if (item(i)->text().compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int CXTListBox::SetCurSel(int nSelect)
{
    if (nSelect < 0 || nSelect >= count()) {
        setCurrentRow(-1);
        return -1;
    }
    setCurrentRow(nSelect);
    return nSelect;
}

QString CXTListBox::GetText(int nIndex) const
{
    const QListWidgetItem* entry = item(nIndex);
    return entry ? entry->text() : QString();
}
