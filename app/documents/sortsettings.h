#pragma once
// The sort settings of a bar list or quantity sheet in the sort settings
// dialog (the frames' command 32951): grades, bar kinds, the orders of
// diameters and lengths and, on bar lists, the range by diameter.

class CVes_SortRules;
class QWidget;

// Runs the dialog on the rules; on OK the rules take its values and the
// answer is true. `byRange` uses the range by diameter (bar lists).
bool editSortSettings(CVes_SortRules& rules, bool byRange, QWidget* parent);
