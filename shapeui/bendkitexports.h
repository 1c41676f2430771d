#pragma once
// What the other parts of the program call of the shape library's user
// interface: the shape choosers and the library manager. The choosers
// answer 1 when the user pressed OK and 2 when he cancelled; on Cancel
// nothing is written to the argument.

#include "core/model/modelrecord.h"
#include "core/model/steelrecordid.h"

// The common-bars chooser: on OK the chosen key (null when none) goes to `id`.
int quickSelectSteel(CSteelRecordId* id);
// The chooser with category tabs, for bar shapes and for start styles.
int quickSelectSteelNew(CSteelRecordId* id);
int quickSelectStartNew(CSteelRecordId* id);
// The library manager for choosing: on OK with a chosen shape `record`
// becomes a copy of it; on OK without one it stays as it was (still 1).
int getSteelModel(CVes_ModelRecord* record);
int getSteelStart(CVes_ModelRecord* record);
// The library manager for editing the libraries; `manage` nonzero lets the
// system side be edited too.
void manageLib(int manage);
void manageStartLib(int manage);
