#pragma once
// The sort settings of a bar list or quantity sheet as the sort settings
// dialog shows them (the frames' command 32951), and the dialog the program
// installs for them.

#include <functional>

class CVes_SortRules;
class QWidget;

struct SortSettings {
    unsigned int grades = 0;     // grade bits of the sort rules (1 … 64)
    unsigned int kinds = 0;      // bar kinds: 1 stirrups, 2 bent, 4 straight
    int dnOrder = 0;             // order of diameters
    int lenOrder = 0;            // order of lengths
    unsigned int rangeStyle = 0; // range by diameter (bar lists only)
    float rangeDiameter = 0.0f;
    bool barList = true;         // the range fields are used

    static SortSettings of(const CVes_SortRules& rules, bool barList);
    void applyTo(CVes_SortRules& rules) const;
};

// The dialog: true when the user confirmed (the settings then hold the new
// values).
using SortSettingsDialog = std::function<bool(SortSettings& settings, QWidget* parent)>;
void setSortSettingsDialog(SortSettingsDialog dialog);
// Runs the installed dialog; false without one.
bool runSortSettingsDialog(SortSettings& settings, QWidget* parent);
