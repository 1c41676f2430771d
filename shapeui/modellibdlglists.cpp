// The library manager's category lists and shape pane: what is chosen and
// shown, and which commands apply to it.

#include "shapeui/modellibdlg.h"

#include "platform/hostservices.h"
#include "shapeui/flatbutton.h"
#include "shapeui/shapelistctrl.h"

#include <QListWidget>

void CVes_ModelLibDlg::fillSubLibList(int isSys)
{
    QListWidget* list = subLibList(isSys);
    m_filling = true;
    list->clear();
    if (m_pCurLib) {
        SubLibArray& libs = isSys ? m_pCurLib->getSyslibArray() : m_pCurLib->getUselibArray();
        int position = 1;
        for (const auto& lib : libs) {
            auto* item = new QListWidgetItem(QStringLiteral("%1、%2").arg(position++).arg(lib->name()));
            item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(lib.get())));
            list->addItem(item);
            // The entry of the shown sub-library stays selected.
            if (lib.get() == m_pShownSubLib)
                list->setCurrentItem(item);
        }
    }
    m_filling = false;
}

CVes_ModelRecordSubLib* CVes_ModelLibDlg::selectedSubLib(int isSys) const
{
    QListWidget* list = subLibList(isSys);
    const QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return reinterpret_cast<CVes_ModelRecordSubLib*>(item->data(Qt::UserRole).value<quintptr>());
}

CVes_ModelRecordSubLib* CVes_ModelLibDlg::shownSubLib() const
{
    return m_pShownSubLib;
}

void CVes_ModelLibDlg::showSubLib(CVes_ModelRecordSubLib* subLib)
{
    m_pShownSubLib = subLib;
    m_pShowRecords = subLib ? &subLib->getModelArray() : nullptr;
    refreshShapes();
}

void CVes_ModelLibDlg::refreshShapes()
{
    m_filling = true;
    m_list->setRecords(m_pShowRecords);
    m_filling = false;
}

void CVes_ModelLibDlg::OnSelectSubLib(int isSys, int row)
{
    QListWidget* list = subLibList(isSys);
    if (row < 0 || row >= list->count())
        return;
    m_bSys = isSys;
    m_lastSubLibIndex = row;
    if (list->currentRow() != row) {
        m_filling = true;
        list->setCurrentRow(row);
        m_filling = false;
    }
    auto* subLib = reinterpret_cast<CVes_ModelRecordSubLib*>(list->item(row)->data(Qt::UserRole).value<quintptr>());
    if (subLib != m_pShownSubLib) {
        showSubLib(subLib);
        updateCommands();
        updateButtons();
    } else {
        m_list->setFocus();
    }
}

void CVes_ModelLibDlg::OnPaneClicked(QWidget* listBox)
{
    auto* list = qobject_cast<QListWidget*>(listBox);
    if (!list)
        return;
    const int isSys = list == m_sysList ? 1 : 0;
    m_bSys = isSys;
    int row = list->currentRow();
    if (row < 0 || !list->currentItem()->isSelected()) {
        if (list->count() == 0) {
            showSubLib(nullptr);
            updateCommands();
            updateButtons();
            return;
        }
        row = 0;
        m_filling = true;
        list->setCurrentRow(0);
        m_filling = false;
    }
    auto* subLib = reinterpret_cast<CVes_ModelRecordSubLib*>(list->item(row)->data(Qt::UserRole).value<quintptr>());
    m_lastSubLibIndex = row;
    if (subLib != m_pShownSubLib)
        showSubLib(subLib);
    updateCommands();
    updateButtons();
}

CVes_ModelRecord* CVes_ModelLibDlg::getSelectShape() const
{
    if (!m_pShowRecords)
        return nullptr;
    const int limit = std::min(m_list->GetItemCount(), int(m_pShowRecords->size()));
    for (int i = limit - 1; i >= 0; --i) {
        if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED))
            return (*m_pShowRecords)[size_t(i)].get();
    }
    return nullptr;
}

void CVes_ModelLibDlg::selectShape(int item)
{
    for (int i = 0; i < m_list->GetItemCount(); ++i)
        m_list->SetItemState(i, i == item ? CVes_ShapeListCtrl::LVIS_SELECTED : 0, CVes_ShapeListCtrl::LVIS_SELECTED);
}

bool CVes_ModelLibDlg::isCommandEnabled(int nID) const
{
    const bool editable = isEditable();
    const bool selected = getSelectShape() != nullptr;
    switch (nID) {
    case ID_NEW_CATEGORY:
    case ID_DELETE_CATEGORY:
    case ID_RENAME_CATEGORY:
    case ID_NEW_SHAPE:
        return editable;
    case ID_MODIFY_SHAPE:
    case ID_CUT_SHAPE:
    case ID_DELETE_SHAPE:
        return editable && selected;
    case ID_COPY_SHAPE:
        return selected;
    case ID_PASTE_SHAPE:
        return editable && m_pCopyRecord && m_pShowRecords;
    default:
        return true;
    }
}

void CVes_ModelLibDlg::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(isCommandEnabled(pCmdUI->m_nID));
}

void CVes_ModelLibDlg::updateCommands()
{
    if (m_pCommandBars)
        m_pCommandBars->UpdateCommandBars();
}

void CVes_ModelLibDlg::updateButtons()
{
    if (!isEditable())
        return;
    const bool selected = getSelectShape() != nullptr;
    m_btnMoveForward->setEnabled(selected);
    m_btnMoveBack->setEnabled(selected);
}

void CVes_ModelLibDlg::OnCommand(int nID)
{
    switch (nID) {
    case ID_NEW_CATEGORY:
        if (isEditable())
            newCategory();
        break;
    case ID_DELETE_CATEGORY:
        deleteCategory();
        break;
    case ID_RENAME_CATEGORY:
        renameCategory();
        break;
    case ID_CHANGE_SUBLIB_ID:
        changeSubLibId();
        break;
    case ID_NEW_SHAPE:
        if (!isEditable()) {
            platform::showMessage(QStringLiteral("不能在系统库中新建钢筋！"));
            break;
        }
        newShape(nullptr);
        break;
    case ID_NEW_SHAPE_FROM:
        if (const CVes_ModelRecord* selected = getSelectShape())
            newShape(selected);
        break;
    case ID_MODIFY_SHAPE:
        modifyShape();
        break;
    case ID_COPY_SHAPE:
        copyShape();
        break;
    case ID_CUT_SHAPE:
        cutShape();
        break;
    case ID_PASTE_SHAPE:
        pasteShape();
        break;
    case ID_DELETE_SHAPE:
        deleteShape();
        break;
    case ID_IMPORT_LIB:
        importLib();
        break;
    case ID_EXPORT_LIB:
        exportLib();
        break;
    case ID_IMPORT_SHAPE:
        importShape();
        break;
    case ID_EXPORT_SHAPE:
        exportShape();
        break;
    case ID_BACKUP_LIB:
        backupLib();
        break;
    case ID_RESTORE_LIB:
        restoreLib();
        break;
    default:
        return;
    }
    updateCommands();
    updateButtons();
}
