#pragma once
// The concrete strength classes C20 to C80 as a drop-down list. The value is
// the class's C-number, the concrete code the anchorage and lap functions
// take.

#include "envora/ui/valuecombobox.h"

class CVes_ConcreteComBox : public envora::ValueComboBox {
    Q_OBJECT
public:
    explicit CVes_ConcreteComBox(QWidget* parent = nullptr);

    // The C-numbers listed, ascending.
    static QList<int> concreteCodes();
};

// Dialog data exchange of a concrete code: with `saveAndValidate` the box's
// choice is read into `code`, else `code` is shown. A code the list lacks
// shows no choice and is read back unchanged.
void DDX_Concrete(CVes_ConcreteComBox* box, int& code, bool saveAndValidate);
