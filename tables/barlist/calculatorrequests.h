#pragma once
// What the bar list's stirrup calculators and its connection edit ask the
// user in the program's dialogs (served by the windows; see
// platform::askDialog). Spacings given to a dialog above 0 are the selected
// bar's, which it opens with in place of those it remembers; 0 leaves its
// own. After OK the spacings are the ones the user settled on.

#include "platform/hostservices.h"
#include "tables/barlist/jointlength.h"

// The stirrups of a wall column, from the list's design values.
struct WallHoopCountRequest : platform::DialogRequest {
    int normalSpacing = 0;
    int lapSpacing = 0;
    float concrete = 0.0f;
    float seismic = 0.0f;
    int atlas = 0;
    int factorIndex = -1; // 0 1.2, 1 1.4, 2 1.6; any other leaves the dialog's own
    int total = 0;        // after OK
};

// The stirrups of a column with densified zones.
struct ColumnHoopCountRequest : platform::DialogRequest {
    int denseSpacing = 0;
    int normalSpacing = 0;
    int unitMode = 0;      // the spacing column's unit (cm, m); 0 the dialog's own
    int diameter = 0;      // the bar's, for the lap zone
    double lapFactor = 1.4;
    int total = 0;         // after OK
};

// The stirrups of a beam, span by span.
struct BeamHoopCountRequest : platform::DialogRequest {
    int denseSpacing = 0;
    int normalSpacing = 0;
    int unitMode = 0;
    int total = 0;         // after OK
};

// The stirrup count read from the table of spans, with the spacing pair
// chosen there (100/150 or 100/200).
struct HoopTableRequest : platform::DialogRequest {
    int total = 0;         // after OK
    bool pair150 = false;
};

// The intermediate connection the chosen scope of the list takes.
struct MidConnectRequest : platform::DialogRequest {
    barlist::MidConnectEdit edit; // after OK
};
