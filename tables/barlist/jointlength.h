#pragma once
// The connections of the bars of a bar list: the joint length (lap or lap
// weld) of the selected bar lines from the sheet's design values, one
// intermediate connection given to many bar lines at once, and the renewal
// of the intermediate connections of bars whose shapes define them.
//
// The operations work on lists of rows, so that any sheet of bar lines can
// use them; the forms taking a table gather the rows of its selection, of a
// page range or of the whole sheet.

#include "tables/framework/tablebase.h"

#include "core/model/midconnect.h"

class CVes_ModelRecordMainLib;

namespace barlist {

// The design values the joint length depends on, as a sheet gives them by
// name (-1.0 when the sheet has no such value).
struct JointDesign {
    double atlas = -1.0;        // 图集版本
    double seismic = -1.0;      // 抗震等级
    double concrete = -1.0;     // 混凝土强度
    double percentage = -1.0;   // 接头面积百分率 (0 up to 25 %, 1 50 %, 2 100 %)
    double disturbance = -1.0;  // 施工扰动

    static JointDesign of(const CVes_TableBase& table);
};

// The joint kind of a lapped connection style: 1 tied lap → 0, 4 single-sided
// lap weld → 1, 5 double-sided lap weld → -1. False for every other style.
bool jointKindOf(int style, int& kind);

// The joint length of the given bar lines (empty lines and other kinds are
// passed over). The style in use is the left style common to them when it is
// lapped, else the right one; the length is asked of Envora for the
// diameter, grade and bar type common to them (0 where they differ) and
// written, when above 0, into the left and/or right connection of every
// unlocked line on the side(s) whose common style is the one in use.
// Answers the length written, 0 when nothing changed.
int calSellineSteelJieTouMaogu(const TableLineList& lines, const JointDesign& design);

// The same for the selected rows of the table's current page, with the
// table's design values; a change is recorded as an undo step and marks the
// table changed.
int calSellineSteelJieTouMaogu(CVes_TableBase& table);

// What the intermediate-connection dialog gives.
struct MidConnectEdit {
    static constexpr int kCurrentPage = 0;
    static constexpr int kWholeTable = 1;
    static constexpr int kPageRange = 2;

    int scope = kCurrentPage;
    int firstPage = 1;       // the page range, in either order
    int lastPage = 1;
    int limitDiameter = 0;   // nonzero: only bars of lowest ≤ d ≤ highest
    int lowest = 0;          // mm
    int highest = 0;
    CVes_MidConnect connect;
};

// The rows the dialog's scope covers.
TableLineList midConnectLines(CVes_TableBase& table, const MidConnectEdit& edit);

// Gives every non-empty bar line of `lines` within the diameter limit a copy
// of the connection in place of each intermediate connection it has, except
// bars of library 109 and bars whose intermediate connections come from
// their shape. A bar without intermediate connections gets none. Answers the
// number of bars changed.
int applyMidConnect(const TableLineList& lines, const MidConnectEdit& edit);

// The batch edit after the dialog's OK: the rows of the scope take the
// connection, then the table records an undo step and is marked changed.
int batchEditMidConnect(CVes_TableBase& table, const MidConnectEdit& edit);

// Renews the intermediate connections of the processed bars of `lines` whose
// shapes define them (library 109, or a shape that defines them), looking
// the shapes up in `library`. Records no undo step and changes no flag.
void repairMidConnect(const TableLineList& lines, CVes_ModelRecordMainLib& library);
// The same over every row of the table, with the installed shape libraries.
void repairMidConnect(CVes_TableBase& table);

} // namespace barlist
