#pragma once
// Anchorage, lap and joint lengths of tensioned bars after the design code:
// GB 50010-2010 (2015 edition) with the 11G101-1/16G101-1 tables, or, for
// atlas edition 0, GB 50010-2002 with the 03G101-1 tables.
//
// Arguments as the tables pass them: atlas edition (0 03G101, any other
// value the current edition); seismic grade (0 non-seismic, 1..4; a missing
// grade, below 0, counts as grade 2, the design dialog's default); concrete
// strength as its C-number (20..80; a missing or lower value counts as C20,
// a value between two classes as the lower one); grade code; diameter in mm;
// bar type (1 epoxy-coated, otherwise plain); construction disturbance
// (above 0: prone to disturbance). Every combination answers a finite,
// whole, non-negative number; a diameter that is not above 0 answers 0.

// Anchorage length (factor 1.0) or lap length (factor 1.2, 1.4 or 1.6 for
// joint area percentages up to 25 %, 50 % and 100 %), in mm.
int Info_GetSteelLle(int edition, int seismic, int concrete, int grade, float d, int barType,
                     int disturbance, double factor);

// Anchorage length as a whole multiple of d (no disturbance factor).
int Info_GetSteelMaoguBeishu(int edition, int seismic, int concrete, int grade, float d, int barType);

// Joint length in mm of a connection between two bars. `connectType` is the
// end connection type: 1 tied lap, 4 single-sided lap weld, 5 double-sided
// lap weld; butt welds and couplers (2, 3, 6, 7, 8) and every other value
// have no overlap and answer 0. `percentage` is the joint area percentage
// index (0 up to 25 %, 1 50 %, 2 100 %; a missing index counts as 0).
// Bars of different diameters are joined over the smaller one.
int Info_GetSteelJointLength(int edition, int connectType, int seismic, int concrete, int grade1,
                             float d1, int barType1, int grade2, float d2, int barType2,
                             int disturbance, int reserved, int percentage);

// The same with the joint kind of the joint-length commands: 0 tied lap,
// 1 single-sided lap weld, -1 double-sided lap weld; other kinds answer 0.
int Info_CalSteelJointLength(int edition, int jointKind, int seismic, int concrete, int grade1,
                             float d1, int barType1, int grade2, float d2, int barType2,
                             int disturbance, int reserved, int percentage);
