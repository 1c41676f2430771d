#pragma once
// Control ids of dialog children: the number a dialog knows a child widget
// by (its resource id), kept as a property of the widget.

#include <QVariant>
#include <QWidget>

namespace widgara {

inline void SetDlgCtrlID(QWidget* control, int nID)
{
    control->setProperty("dlgCtrlId", nID);
}

inline int GetDlgCtrlID(const QWidget* control)
{
    return control ? control->property("dlgCtrlId").toInt() : 0;
}

// The child of `dialog` with the id, at any depth, or null.
inline QWidget* GetDlgItem(const QWidget* dialog, int nID)
{
    for (QWidget* child : dialog->findChildren<QWidget*>())
        if (GetDlgCtrlID(child) == nID)
            return child;
    return nullptr;
}

} // namespace widgara
