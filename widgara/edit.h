#pragma once
// The toolkit's edit control. Dialogs test the focus widget against it to
// leave keys to an edit box of the command bars (combo-box edit parts are
// CXTPEdit) or of the property grid.

#include <QLineEdit>

class CXTPEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CXTPEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

    // Whether `widget` is one of the toolkit's edit controls.
    static bool isEdit(const QWidget* widget) { return qobject_cast<const CXTPEdit*>(widget); }

protected:
    // Enter ends the entry here; it must not go on to press the dialog's
    // default button.
    void keyPressEvent(QKeyEvent* event) override;
};
