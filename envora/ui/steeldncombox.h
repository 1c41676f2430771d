#pragma once
// The bar diameters of the user's size table as a drop-down list ("6",
// "6.5", "8", …), ascending; the value is the diameter in mm.

#include "envora/ui/valuecombobox.h"

class CVes_SteelDnComBox : public envora::ValueComboBox {
    Q_OBJECT
public:
    explicit CVes_SteelDnComBox(QWidget* parent = nullptr);

    // Lists the size table in force again (after the user edited it); the
    // value stays.
    void loadSizes();

    // A diameter as the list shows it: whole millimetres without a point,
    // others with one decimal.
    static QString diameterText(double d);

protected:
    bool sameValue(double itemValue, double value) const override;
};

// Dialog data exchange of a diameter in mm: with `saveAndValidate` the box's
// choice is read into `d`, else `d` is shown. A diameter the list lacks
// shows no choice and is read back unchanged.
void DDX_SteelDN(CVes_SteelDnComBox* box, float& d, bool saveAndValidate);
