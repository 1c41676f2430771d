#pragma once
// Bar grades as a drop-down list; the value is the grade code. It starts
// with the four grades of the size table's families under their ordinal
// names; a caller that draws grades its own way sets the codes and texts.

#include "envora/ui/valuecombobox.h"

class CVes_SteelGradeComBox : public envora::ValueComboBox {
    Q_OBJECT
public:
    explicit CVes_SteelGradeComBox(QWidget* parent = nullptr);

    // Replaces the list by these grade codes with their texts, in order.
    void setGrades(const QList<std::pair<int, QString>>& grades);
    // The list a new box shows.
    static QList<std::pair<int, QString>> defaultGrades();
};

// Dialog data exchange of a grade code: with `saveAndValidate` the box's
// choice is read into `grade`, else `grade` is shown. A code the list lacks
// shows no choice and is read back unchanged.
void DDX_SteelGrade(CVes_SteelGradeComBox* box, int& grade, bool saveAndValidate);
