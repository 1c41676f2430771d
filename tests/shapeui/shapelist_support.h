#pragma once
// Shorthands of the shape dialogs' tests: the shape lists' selection and the
// keys a list file or a list holds.

#include "core/model/modelrecord.h"
#include "shapeui/commonbar.h"
#include "shapeui/shapelistctrl.h"

#include <QStringList>

#include <vector>

namespace test {

inline constexpr unsigned kSelected = CVes_ShapeListCtrl::LVIS_SELECTED;

// The keys a shape list file holds, in order.
inline QStringList keysIn(const QString& listFile)
{
    QStringList keys;
    for (const CSteelRecordId& key : readListFile(listFile))
        keys.append(key.ToString());
    return keys;
}

inline QStringList keysOf(const std::vector<CVes_ModelRecord*>& records)
{
    QStringList keys;
    for (const CVes_ModelRecord* record : records)
        keys.append(record->getID().ToString());
    return keys;
}

// Selects `item` of the list and nothing else.
inline void selectOnly(CVes_ShapeListCtrl* list, int item)
{
    for (int i = 0; i < list->GetItemCount(); ++i)
        list->SetItemState(i, i == item ? kSelected : 0, kSelected);
}

} // namespace test
